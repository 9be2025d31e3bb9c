#include "payment/flow/TypedAmount.h"

double typedAmount(const QString& text, const QString& symbol, bool dropDigitWithoutSymbol) {
    QString digits;
    for (QChar c : text)
        if (c.isDigit() && c.unicode() < 128)
            digits += c;
    if (dropDigitWithoutSymbol && !text.contains(symbol) && !digits.isEmpty())
        digits.chop(1);
    QString number;
    if (digits.size() >= 3)
        number = digits.left(digits.size() - 2) + u'.' + digits.right(2);
    else if (digits.size() == 2)
        number = QStringLiteral("0.") + digits;
    else if (digits.size() == 1)
        number = QStringLiteral("0.0") + digits;
    else
        number = QStringLiteral("0");
    return number.toDouble();
}

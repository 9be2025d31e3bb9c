#include "platform/core/CardNumber.h"

namespace CardNumber {

bool passesLuhn(QStringView digits) {
    int sum = 0;
    bool twice = false;
    for (qsizetype i = digits.size() - 1; i >= 0; --i) {
        int d = digits[i].unicode() - u'0';
        if (twice) {
            d *= 2;
            if (d > 9)
                d -= 9;
        }
        sum += d;
        twice = !twice;
    }
    return sum % 10 == 0;
}

QString masked(const QString& number) {
    if (number.size() < 13)
        return QStringLiteral("***");
    QString text = number;
    for (qsizetype i = 6; i < text.size() - 4; ++i)
        text[i] = u'*';
    return text;
}

} // namespace CardNumber

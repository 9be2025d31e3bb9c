#include "ui_kit/Extensions/Formatter.h"

namespace Formatter {

QString digitsOnly(const QString& text) {
    QString digits;
    digits.reserve(text.size());
    for (const QChar c : text)
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
            digits += c;
    return digits;
}

QString formatWithFormatter(const QString& text, const std::function<QString(double)>& formatter) {
    const QString digits = digitsOnly(text);
    const double amount = digits.isEmpty() ? 0.0 : digits.toDouble() / 100.0;
    return formatter ? formatter(amount) : QString();
}

} // namespace Formatter

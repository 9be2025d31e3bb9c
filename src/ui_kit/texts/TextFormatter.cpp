#include "ui_kit/texts/TextFormatter.h"

#include "platform/core/Values.h"

#include <QLocale>
#include <cmath>
#include <optional>

namespace {

QString integerText(const QVariant& value) {
    if (value.typeId() == QMetaType::Double || value.typeId() == QMetaType::Float) {
        const double number = value.toDouble();
        if (!std::isfinite(number))
            return QStringLiteral("0");
        return QString::number(static_cast<qint64>(std::trunc(number)));
    }
    return QString::number(Values::integerValue(value));
}

QString fixedText(const QVariant& value, int decimals) {
    const double number = Values::doubleValue(value);
    if (std::isnan(number))
        return QStringLiteral("nan");
    if (std::isinf(number))
        return number < 0 ? QStringLiteral("-inf") : QStringLiteral("inf");
    QString text = QLocale::c().toString(number, 'f', decimals);
    text.remove(QLatin1Char(','));
    return text;
}

} // namespace

namespace TextFormatter {

QString format(const QString& text, const QVariantList& arguments) {
    QString result;
    result.reserve(text.size() + 16);
    qsizetype next = 0;
    auto take = [&]() -> std::optional<QVariant> {
        if (next >= arguments.size())
            return std::nullopt;
        return arguments.at(next++);
    };
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        if (c != QLatin1Char('%') || i + 1 >= n) {
            result += c;
            continue;
        }
        const QChar kind = text.at(i + 1);
        if (kind == QLatin1Char('%')) {
            result += QLatin1Char('%');
            ++i;
        } else if (kind == QLatin1Char('@')) {
            if (const auto value = take())
                result += Values::describe(*value);
            ++i;
        } else if (kind == QLatin1Char('d') || kind == QLatin1Char('i')) {
            if (const auto value = take())
                result += integerText(*value);
            ++i;
        } else if (kind == QLatin1Char('f')) {
            if (const auto value = take())
                result += fixedText(*value, 6);
            ++i;
        } else if (kind == QLatin1Char('.')) {
            // "%.Nf": N decimals.
            qsizetype j = i + 2;
            int decimals = 0;
            while (j < n && text.at(j).isDigit() && j < i + 4)
                decimals = decimals * 10 + text.at(j++).digitValue();
            if (j < n && j > i + 2 && text.at(j) == QLatin1Char('f')) {
                if (const auto value = take())
                    result += fixedText(*value, decimals);
                i = j;
            } else {
                result += c;
            }
        } else {
            result += c;
        }
    }
    return result;
}

} // namespace TextFormatter

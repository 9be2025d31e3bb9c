#include "platform/core/Values.h"

#include <QByteArray>
#include <QLocale>
#include <cmath>
#include <cstdio>
#include <limits>

namespace Values {

QVariant jsonNull() {
    return QVariant::fromValue(nullptr);
}

bool isJsonNull(const QVariant& value) {
    return value.typeId() == QMetaType::Nullptr;
}

bool isNumber(const QVariant& value) {
    switch (value.typeId()) {
    case QMetaType::Bool:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::Short:
    case QMetaType::UShort:
        return true;
    default:
        return false;
    }
}

QString shortestDouble(double value) {
    if (std::isnan(value))
        return QStringLiteral("nan");
    if (std::isinf(value))
        return value > 0 ? QStringLiteral("inf") : QStringLiteral("-inf");
    if (value == std::trunc(value) && std::fabs(value) < 1e18)
        return QString::number(static_cast<qint64>(value));
    return QString::number(value, 'g', QLocale::FloatingPointShortest);
}

QString printfDouble(const char* format, double value) {
    char buffer[128];
    const int length = std::snprintf(buffer, sizeof buffer, format, value);
    if (length < 0)
        return QString();
    if (size_t(length) < sizeof buffer)
        return QString::fromLatin1(buffer, length);
    QByteArray larger(length + 1, Qt::Uninitialized);
    std::snprintf(larger.data(), size_t(larger.size()), format, value);
    return QString::fromLatin1(larger.constData(), length);
}

namespace {
bool isPlainWord(const QString& s) {
    if (s.isEmpty())
        return false;
    for (QChar c : s)
        if (!(c.isLetterOrNumber() || c == u'_' || c == u'.'))
            return false;
    return true;
}

QString describeNested(const QVariant& value, int indent) {
    const QString pad(indent * 4, u' ');
    const QString inner((indent + 1) * 4, u' ');
    if (value.typeId() == QMetaType::QVariantMap) {
        const QVariantMap map = value.toMap();
        QString out = QStringLiteral("{\n");
        for (auto it = map.cbegin(); it != map.cend(); ++it) {
            const QString key = isPlainWord(it.key()) ? it.key() : u'"' + it.key() + u'"';
            out += inner + key + QStringLiteral(" = ") + describeNested(it.value(), indent + 1) +
                   QStringLiteral(";\n");
        }
        return out + pad + u'}';
    }
    if (value.typeId() == QMetaType::QVariantList || value.typeId() == QMetaType::QStringList) {
        const QVariantList list = value.toList();
        QString out = QStringLiteral("(\n");
        for (int i = 0; i < list.size(); ++i)
            out += inner + describeNested(list.at(i), indent + 1) +
                   (i + 1 < list.size() ? QStringLiteral(",\n") : QStringLiteral("\n"));
        return out + pad + u')';
    }
    if (indent > 0 && value.typeId() == QMetaType::QString) {
        const QString s = value.toString();
        return isPlainWord(s) ? s : u'"' + s + u'"';
    }
    return describe(value);
}

// Index just past the sign, the blanks before it having been skipped.
qsizetype skipBlanks(const QString& t, qsizetype i = 0) {
    while (i < t.size() && t.at(i).isSpace())
        ++i;
    return i;
}
} // namespace

QString describe(const QVariant& value) {
    if (!value.isValid())
        return QStringLiteral("(null)");
    if (isJsonNull(value))
        return QStringLiteral("<null>");
    switch (value.typeId()) {
    case QMetaType::Bool:
        return value.toBool() ? QStringLiteral("1") : QStringLiteral("0");
    case QMetaType::Double:
    case QMetaType::Float:
        return shortestDouble(value.toDouble());
    case QMetaType::QString:
        return value.toString();
    case QMetaType::QVariantMap:
    case QMetaType::QVariantList:
    case QMetaType::QStringList:
        return describeNested(value, 0);
    case QMetaType::QByteArray:
        return QStringLiteral("{length = %1, bytes = 0x%2}")
            .arg(value.toByteArray().size())
            .arg(QString::fromLatin1(value.toByteArray().left(32).toHex()));
    default:
        if (isNumber(value))
            return value.toString();
        return value.toString();
    }
}

QString fieldText(const QVariant& value) {
    if (!value.isValid() || isJsonNull(value))
        return QString("");
    return describe(value);
}

qint64 lenientInteger(const QString& text) {
    qsizetype i = skipBlanks(text);
    bool negative = false;
    if (i < text.size() && (text.at(i) == u'+' || text.at(i) == u'-'))
        negative = text.at(i++) == u'-';
    qint64 result = 0;
    for (; i < text.size() && text.at(i).isDigit() && text.at(i).unicode() < 128; ++i) {
        const int digit = text.at(i).unicode() - '0';
        if (result > (std::numeric_limits<qint64>::max() - digit) / 10)
            return negative ? std::numeric_limits<qint64>::min()
                            : std::numeric_limits<qint64>::max();
        result = result * 10 + digit;
    }
    return negative ? -result : result;
}

std::optional<qint64> digitsValue(const QString& text) {
    if (text.isEmpty())
        return std::nullopt;
    qint64 result = 0;
    for (const QChar c : text) {
        if (c.unicode() < '0' || c.unicode() > '9')
            return std::nullopt;
        const int digit = c.unicode() - '0';
        if (result > (std::numeric_limits<qint64>::max() - digit) / 10)
            return std::nullopt;
        result = result * 10 + digit;
    }
    return result;
}

int lenientInt32(const QString& text) {
    const qint64 v = lenientInteger(text);
    if (v > std::numeric_limits<int>::max())
        return std::numeric_limits<int>::max();
    if (v < std::numeric_limits<int>::min())
        return std::numeric_limits<int>::min();
    return static_cast<int>(v);
}

double lenientDouble(const QString& text) {
    const qsizetype start = skipBlanks(text);
    qsizetype i = start;
    auto digitAt = [&](qsizetype k) {
        return k < text.size() && text.at(k).unicode() >= '0' && text.at(k).unicode() <= '9';
    };
    if (i < text.size() && (text.at(i) == u'+' || text.at(i) == u'-'))
        ++i;
    qsizetype digits = 0;
    while (digitAt(i)) {
        ++i;
        ++digits;
    }
    if (i < text.size() && text.at(i) == u'.') {
        ++i;
        while (digitAt(i)) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0)
        return 0.0;
    qsizetype end = i;
    if (i < text.size() && (text.at(i) == u'e' || text.at(i) == u'E')) {
        qsizetype k = i + 1;
        if (k < text.size() && (text.at(k) == u'+' || text.at(k) == u'-'))
            ++k;
        if (digitAt(k)) {
            while (digitAt(k))
                ++k;
            end = k;
        }
    }
    QString number = text.mid(start, end - start);
    if (number.endsWith(u'.'))
        number.chop(1);
    bool ok = false;
    const double v = QLocale::c().toDouble(number, &ok);
    return ok ? v : 0.0;
}

bool lenientBool(const QString& text) {
    qsizetype i = skipBlanks(text);
    if (i < text.size() && (text.at(i) == u'+' || text.at(i) == u'-'))
        ++i;
    while (i < text.size() && text.at(i) == u'0')
        ++i;
    if (i >= text.size())
        return false;
    const QChar c = text.at(i);
    return c == u'Y' || c == u'y' || c == u'T' || c == u't' || (c >= u'1' && c <= u'9');
}

qint64 integerValue(const QVariant& value) {
    if (value.typeId() == QMetaType::QString)
        return lenientInteger(value.toString());
    if (value.typeId() == QMetaType::Double || value.typeId() == QMetaType::Float) {
        const double d = value.toDouble();
        if (std::isnan(d))
            return 0;
        if (d >= 9.2233720368547758e18)
            return std::numeric_limits<qint64>::max();
        if (d <= -9.2233720368547758e18)
            return std::numeric_limits<qint64>::min();
        return static_cast<qint64>(d);
    }
    if (isNumber(value))
        return value.toLongLong();
    return 0;
}

double doubleValue(const QVariant& value) {
    if (value.typeId() == QMetaType::QString)
        return lenientDouble(value.toString());
    if (isNumber(value))
        return value.toDouble();
    return 0.0;
}

bool boolValue(const QVariant& value) {
    if (value.typeId() == QMetaType::QString)
        return lenientBool(value.toString());
    if (isNumber(value))
        return value.toDouble() != 0.0;
    return false;
}

} // namespace Values

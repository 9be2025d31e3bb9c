#include "ui_kit/Extensions/IsoInstances.h"

#include <QLocale>

QString DateFormatter::stringFromDate(const QDateTime& date) const {
    if (!date.isValid())
        return QString("");
    return QLocale::c().toString(date.toLocalTime(), format_);
}

QDateTime DateFormatter::dateFromString(const QString& text) const {
    QDateTime date = QLocale::c().toDateTime(text, format_);
    if (!date.isValid())
        return QDateTime();
    date.setTimeSpec(Qt::LocalTime);
    return date;
}

namespace IsoInstances {

const DateFormatter& isoDateFormatter() {
    static const DateFormatter formatter(QStringLiteral("yyyy-MM-dd"));
    return formatter;
}

const DateFormatter& isoDateTimeFormatter() {
    static const DateFormatter formatter(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    return formatter;
}

} // namespace IsoInstances

#pragma once

#include <QDateTime>
#include <QString>

// A date formatter with a fixed pattern in the "en_US_POSIX" style (C locale, Gregorian digits),
// in the device's time zone.
class DateFormatter {
public:
    explicit DateFormatter(QString format)
        : format_(std::move(format)) {}

    QString format() const { return format_; }
    // The date in local time with the pattern; the empty text for an invalid date.
    QString stringFromDate(const QDateTime& date) const;
    // The local date and time the text names; an invalid QDateTime when it does not match.
    QDateTime dateFromString(const QString& text) const;

private:
    QString format_;
};

// The shared fixed-format formatters, each made once on first use and never changed.
namespace IsoInstances {

// "yyyy-MM-dd"
const DateFormatter& isoDateFormatter();
// "yyyy-MM-dd HH:mm:ss"
const DateFormatter& isoDateTimeFormatter();

} // namespace IsoInstances

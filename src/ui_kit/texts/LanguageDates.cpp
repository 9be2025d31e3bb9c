#include "ui_kit/texts/Language.h"

namespace {

const QString kGlobalTexts = QStringLiteral("GlobalTexts");

// Entry month - 1 of the list in lower case; the empty text when the list lacks it.
QString monthName(const QString& listKey, int month) {
    const QStringList names = Language::listForFile(kGlobalTexts, listKey).value_or(QStringList());
    return month >= 1 && month <= names.size() ? names.at(month - 1).toLower() : QString();
}

} // namespace

QString Language::verboseDateShowYear(const QDate& date, bool showYear) {
    if (!date.isValid())
        return QString();
    const QString month = monthName(QStringLiteral("monthsArray"), date.month());
    if (month.isEmpty())
        return QString();
    QString phrase = textForFile(kGlobalTexts, showYear ? QStringLiteral("verboseDateFull")
                                                        : QStringLiteral("verboseDate"));
    phrase.replace(QStringLiteral("{MONTH}"), month);
    phrase.replace(QStringLiteral("{DAY}"), QString::number(date.day()));
    phrase.replace(QStringLiteral("{YEAR}"), QString::number(date.year()));
    return phrase;
}

QString Language::verboseDate(const QDate& date) {
    if (!date.isValid())
        return QString();
    return verboseDateShowYear(date, date.year() < QDate::currentDate().year());
}

QString Language::verboseShortDate(const QDate& date) {
    if (!date.isValid())
        return QString();
    const QString month = monthName(QStringLiteral("monthsArrayShort"), date.month());
    if (month.isEmpty())
        return QString();
    QString phrase = textForFile(kGlobalTexts, QStringLiteral("verboseShortDate"));
    phrase.replace(QStringLiteral("{SHORT_MONTH}"), month);
    phrase.replace(QStringLiteral("{DAY}"), QString::number(date.day()));
    return phrase;
}

#pragma once

#include <QDate>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <optional>

// The help pages of one feature: pictures of the resource bundle and one paragraph per picture,
// in the same order.
struct HelpRecord {
    QStringList images;
    QStringList texts;
};

// The text table: every text the SDK shows, grouped in sections (mostly one per screen), each
// with a Spanish ("es") and usually an English ("en") table of keys. Lookups follow the
// application language, read at every call from the source the session layer sets (the
// merchant's settings). The table is read from the resource bundle once, at the first lookup,
// and never changes afterwards.
//
// Missing keys: a section or key that the Spanish table lacks gives the empty text and the
// console line "<section> - <key> text data missing"; a key that only the current language's
// table lacks gives no value (a null QString, an invalid QVariant, an empty optional) and no
// console line.
//
// Texts may hold placeholders ("%@", "%d", "%i", "%.0f", "%%"); fill them with
// TextFormatter::format, never with a printf-style function.
class Language {
public:
    Language() = delete;

    // The text of the key in the section. The empty text for a key the table lacks; a null
    // QString when the current language has no text for it (or the key holds no text).
    static QString textForFile(const QString& file, const QString& object);

    // The stored value of any kind: a QString, a QStringList, a QRect or a help record (a
    // QVariantMap with "images" and "texts", both QStringList). The empty QString for a key the
    // table lacks; an invalid QVariant when the current language has no value for it.
    static QVariant valueForFile(const QString& file, const QString& object);

    // A list of texts (the month names, the document types); empty when the key holds none.
    static std::optional<QStringList> listForFile(const QString& file, const QString& object);
    // The frame of a control whose place depends on the language, in points.
    static std::optional<QRect> rectForFile(const QString& file, const QString& object);
    // The help pages of a feature.
    static std::optional<HelpRecord> helpForFile(const QString& file, const QString& object);

    // A date as a phrase of section "GlobalTexts": day and lower-case month name ("5 de marzo"),
    // with ", <year>" when showYear ("31 de diciembre, 2023"). A null date, or a month the
    // twelve names lack, gives the empty text.
    static QString verboseDateShowYear(const QDate& date, bool showYear);
    // The phrase with the year only for a date of an earlier year than today's.
    static QString verboseDate(const QDate& date);
    // Day and short month name, no year ("1 ene"); the empty text for a null date.
    static QString verboseShortDate(const QDate& date);

    // Builds the table; runs once, on the first lookup. Calling it again does nothing.
    static void initialize();

    // The language of the lookups: what the source answers, "es" while there is none.
    static QString applicationLanguage();
    // Sets the source of the application language (an empty one: none).
    static void setApplicationLanguageSource(std::function<QString()> source);

    // Where the table lives in the resource bundle; the empty text when the bundle is missing.
    static QString tableResourcePath();
};

#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QVariant>

// The contents of the text table: section -> language code -> key -> value. A value is a
// QString, a QStringList, a QRect or a help record (QVariantMap of "images" and "texts").
class TextTable {
public:
    // Reads the table from its JSON form: texts as strings, lists as arrays of strings,
    // rectangles as arrays of four numbers, help records as objects of "images" and "texts".
    // Malformed data gives an empty table (and errorString says why).
    static TextTable fromJson(const QByteArray& json);

    bool isEmpty() const { return sections_.isEmpty(); }
    QString errorString() const { return error_; }

    // The language table of a section, or nullptr when the section or that language is missing.
    const QHash<QString, QVariant>* table(const QString& section, const QString& language) const;

private:
    QHash<QString, QHash<QString, QHash<QString, QVariant>>> sections_;
    QString error_;
};

#pragma once

#include <QString>
#include <QVariant>
#include <QVariantList>
#include <QVariantMap>
#include <limits>

// Reads values out of parsed server JSON without failing on a missing key, a JSON null or a
// value of the wrong kind.
namespace SafeDictionary {

// The "%@" text of the value; the empty text when the key is absent. A JSON null gives "<null>".
QString safeObjectForKey(const QVariantMap& dict, const QString& key);
// True when the key holds a value that is not JSON null.
bool hasKey(const QVariantMap& dict, const QString& key);
// Pretty-printed JSON text of the dictionary; "{}" when it cannot be written.
QString jsonDescription(const QVariantMap& dict);

// Typed getters by dot-separated key path. Absent, JSON null or a value of the wrong kind gives
// the default; numbers are not read from texts.
qint64 integerForKeyPath(const QVariantMap& dict, const QString& path,
                         qint64 defaultValue = std::numeric_limits<qint64>::max());
double doubleForKeyPath(const QVariantMap& dict, const QString& path,
                        double defaultValue = 9.223372036854776e18);
QString stringForKeyPath(const QVariantMap& dict, const QString& path,
                         const QString& defaultValue = QString(""));
QVariantList arrayForKeyPath(const QVariantMap& dict, const QString& path,
                             const QVariantList& defaultValue = QVariantList());

// The raw value at the key path; an invalid QVariant when any step is missing.
QVariant valueForKeyPath(const QVariantMap& dict, const QString& path);

} // namespace SafeDictionary

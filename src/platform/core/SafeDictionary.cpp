#include "platform/core/SafeDictionary.h"

#include "platform/core/Logging.h"
#include "platform/core/Values.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <cmath>

namespace SafeDictionary {

QString safeObjectForKey(const QVariantMap& dict, const QString& key) {
    const auto it = dict.constFind(key);
    if (it == dict.cend() || !it->isValid())
        return QString("");
    return Values::describe(*it);
}

bool hasKey(const QVariantMap& dict, const QString& key) {
    const auto it = dict.constFind(key);
    return it != dict.cend() && it->isValid() && !Values::isJsonNull(*it);
}

QString jsonDescription(const QVariantMap& dict) {
    const QJsonObject object = QJsonObject::fromVariantMap(dict);
    const QByteArray bytes = QJsonDocument(object).toJson(QJsonDocument::Indented);
    if (bytes.isEmpty()) {
        Logging::warning(tarvelloCore,
                         QStringLiteral("-[NSDictionary(SafeDictionary) jsonDescription]: error: "
                                        "the dictionary cannot be written as JSON"));
        return QStringLiteral("{}");
    }
    return QString::fromUtf8(bytes);
}

QVariant valueForKeyPath(const QVariantMap& dict, const QString& path) {
    const QStringList keys = path.split(u'.');
    QVariant current = dict;
    for (const QString& key : keys) {
        if (current.typeId() != QMetaType::QVariantMap)
            return QVariant();
        const QVariantMap map = current.toMap();
        const auto it = map.constFind(key);
        if (it == map.cend())
            return QVariant();
        current = *it;
    }
    return current;
}

namespace {
bool usable(const QVariant& v) {
    return v.isValid() && !Values::isJsonNull(v);
}
} // namespace

qint64 integerForKeyPath(const QVariantMap& dict, const QString& path, qint64 defaultValue) {
    const QVariant v = valueForKeyPath(dict, path);
    if (!usable(v) || !Values::isNumber(v))
        return defaultValue;
    return Values::integerValue(v);
}

double doubleForKeyPath(const QVariantMap& dict, const QString& path, double defaultValue) {
    const QVariant v = valueForKeyPath(dict, path);
    if (!usable(v) || !Values::isNumber(v))
        return defaultValue;
    return v.toDouble();
}

QString stringForKeyPath(const QVariantMap& dict, const QString& path,
                         const QString& defaultValue) {
    const QVariant v = valueForKeyPath(dict, path);
    if (!usable(v))
        return defaultValue;
    return Values::describe(v);
}

QVariantList arrayForKeyPath(const QVariantMap& dict, const QString& path,
                             const QVariantList& defaultValue) {
    const QVariant v = valueForKeyPath(dict, path);
    if (!usable(v) || v.typeId() != QMetaType::QVariantList)
        return defaultValue;
    return v.toList();
}

} // namespace SafeDictionary

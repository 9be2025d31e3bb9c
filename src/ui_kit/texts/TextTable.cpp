#include "ui_kit/texts/TextTable.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRect>
#include <QStringList>
#include <QVariantMap>

namespace {

QStringList texts(const QJsonArray& array) {
    QStringList list;
    list.reserve(array.size());
    for (const QJsonValue& item : array)
        list << item.toString();
    return list;
}

QVariant valueFromJson(const QJsonValue& json) {
    if (json.isString())
        return json.toString();
    if (json.isArray()) {
        const QJsonArray array = json.toArray();
        if (array.size() == 4 && array.first().isDouble())
            return QRect(array.at(0).toInt(), array.at(1).toInt(), array.at(2).toInt(),
                         array.at(3).toInt());
        return texts(array);
    }
    if (json.isObject()) {
        const QJsonObject object = json.toObject();
        return QVariantMap{{QStringLiteral("images"), texts(object.value("images").toArray())},
                           {QStringLiteral("texts"), texts(object.value("texts").toArray())}};
    }
    return QVariant();
}

} // namespace

TextTable TextTable::fromJson(const QByteArray& json) {
    TextTable result;
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (!document.isObject()) {
        result.error_ = error.error != QJsonParseError::NoError ? error.errorString()
                                                                : QStringLiteral("not an object");
        return result;
    }
    const QJsonObject sections = document.object();
    for (auto s = sections.begin(); s != sections.end(); ++s) {
        auto& section = result.sections_[s.key()];
        const QJsonObject languages = s.value().toObject();
        for (auto l = languages.begin(); l != languages.end(); ++l) {
            auto& table = section[l.key()];
            const QJsonObject keys = l.value().toObject();
            table.reserve(keys.size());
            for (auto k = keys.begin(); k != keys.end(); ++k)
                table.insert(k.key(), valueFromJson(k.value()));
        }
    }
    return result;
}

const QHash<QString, QVariant>* TextTable::table(const QString& section,
                                                 const QString& language) const {
    const auto s = sections_.constFind(section);
    if (s == sections_.constEnd())
        return nullptr;
    const auto l = s->constFind(language);
    return l == s->constEnd() ? nullptr : &*l;
}

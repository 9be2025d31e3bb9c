#include "ui_kit/texts/Language.h"

#include "SDK/AccountSettings.h"
#include "ui_kit/texts/TextBundle.h"

#include <QDebug>
#include <QFile>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QVariantMap>

namespace {

using KeyTable = QHash<QString, QVariant>;
using Section = QHash<QString, KeyTable>; // language code -> key table
using Texts = QHash<QString, Section>;

const QString kSpanish = QStringLiteral("es");

// A stored value: a text, a list of texts, a rectangle (four numbers) or a help record.
QVariant valueFromJson(const QJsonValue& json) {
    if (json.isString())
        return json.toString();
    if (json.isArray()) {
        const QJsonArray array = json.toArray();
        if (array.size() == 4 && array.first().isDouble())
            return QRect(array.at(0).toInt(), array.at(1).toInt(), array.at(2).toInt(),
                         array.at(3).toInt());
        QStringList list;
        for (const QJsonValue& item : array)
            list << item.toString();
        return list;
    }
    if (json.isObject()) {
        const QJsonObject object = json.toObject();
        QVariantMap record;
        for (const char* part : {"images", "texts"}) {
            QStringList list;
            for (const QJsonValue& item : object.value(QLatin1String(part)).toArray())
                list << item.toString();
            record.insert(QString::fromLatin1(part), list);
        }
        return record;
    }
    return QVariant();
}

Texts readTexts() {
    Texts texts;
    const QString path = Language::tableResourcePath();
    if (!TextBundle::ensureReadable(path)) {
        qWarning().noquote() << "Text table not found in the resource bundle:" << path;
        return texts;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        qWarning().noquote() << "Text table cannot be read:" << path;
        return texts;
    }
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll(), &error);
    if (!document.isObject()) {
        qWarning().noquote() << "Text table is not valid JSON:" << error.errorString();
        return texts;
    }
    const QJsonObject sections = document.object();
    for (auto s = sections.begin(); s != sections.end(); ++s) {
        Section section;
        const QJsonObject languages = s.value().toObject();
        for (auto l = languages.begin(); l != languages.end(); ++l) {
            KeyTable table;
            const QJsonObject keys = l.value().toObject();
            for (auto k = keys.begin(); k != keys.end(); ++k)
                table.insert(k.key(), valueFromJson(k.value()));
            section.insert(l.key(), table);
        }
        texts.insert(s.key(), section);
    }
    return texts;
}

// Built once, on first use; the static's guard makes other threads wait for the build.
const Texts& texts() {
    static const Texts table = readTexts();
    return table;
}

} // namespace

QString Language::tableResourcePath() {
    return QStringLiteral(":/texts/Language.json");
}

void Language::initialize() {
    texts();
}

QVariant Language::valueForFile(const QString& file, const QString& object) {
    const Texts& table = texts();
    const auto section = table.constFind(file);
    bool present = section != table.constEnd();
    if (present) {
        const auto spanish = section->constFind(kSpanish);
        present = spanish != section->constEnd() && spanish->contains(object);
    }
    if (!present) {
        qInfo().noquote() << QStringLiteral("%1 - %2 text data missing").arg(file, object);
        return QString(QLatin1String(""));
    }
    const auto language = section->constFind(AccountSettings::instance().appLanguage());
    if (language == section->constEnd())
        return QVariant();
    return language->value(object);
}

QString Language::textForFile(const QString& file, const QString& object) {
    const QVariant value = valueForFile(file, object);
    if (value.typeId() != QMetaType::QString)
        return QString();
    return value.toString();
}

std::optional<QStringList> Language::listForFile(const QString& file, const QString& object) {
    const QVariant value = valueForFile(file, object);
    if (value.typeId() != QMetaType::QStringList)
        return std::nullopt;
    return value.toStringList();
}

std::optional<QRect> Language::rectForFile(const QString& file, const QString& object) {
    const QVariant value = valueForFile(file, object);
    if (value.typeId() != QMetaType::QRect)
        return std::nullopt;
    return value.toRect();
}

std::optional<HelpRecord> Language::helpForFile(const QString& file, const QString& object) {
    const QVariant value = valueForFile(file, object);
    if (value.typeId() != QMetaType::QVariantMap)
        return std::nullopt;
    const QVariantMap record = value.toMap();
    return HelpRecord{record.value(QStringLiteral("images")).toStringList(),
                      record.value(QStringLiteral("texts")).toStringList()};
}

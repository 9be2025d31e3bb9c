#include "ui_kit/texts/Language.h"

#include "platform/core/Logging.h"
#include "platform/core/VersionDispatch.h"
#include "ui_kit/texts/TextTable.h"

#include <QFile>
#include <QVariantMap>

namespace {

const QString kSpanish = QStringLiteral("es");

TextTable readTexts() {
    const QString path = Language::tableResourcePath();
    if (path.isEmpty()) {
        Logging::warning(tarvelloUi,
                         QStringLiteral("Text table not read: the resource bundle is missing"));
        return TextTable();
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        Logging::warning(tarvelloUi, QStringLiteral("Text table cannot be read: %1").arg(path));
        return TextTable();
    }
    TextTable table = TextTable::fromJson(file.readAll());
    if (table.isEmpty())
        Logging::warning(tarvelloUi,
                         QStringLiteral("Text table is not valid: %1").arg(table.errorString()));
    return table;
}

// Built once, on first use; the static's guard makes other threads wait for the build.
const TextTable& texts() {
    static const TextTable table = readTexts();
    return table;
}

std::function<QString()>& languageSource() {
    static std::function<QString()> source;
    return source;
}

} // namespace

QString Language::tableResourcePath() {
    const std::optional<QString> bundle = VersionDispatch::currentBundle();
    return bundle ? *bundle + QStringLiteral("/texts/Language.json") : QString("");
}

void Language::initialize() {
    texts();
}

QString Language::applicationLanguage() {
    const std::function<QString()>& source = languageSource();
    return source ? source() : kSpanish;
}

void Language::setApplicationLanguageSource(std::function<QString()> source) {
    languageSource() = std::move(source);
}

QVariant Language::valueForFile(const QString& file, const QString& object) {
    const TextTable& table = texts();
    const QHash<QString, QVariant>* spanish = table.table(file, kSpanish);
    if (spanish == nullptr || !spanish->contains(object)) {
        Logging::info(tarvelloUi, QStringLiteral("%1 - %2 text data missing").arg(file, object));
        return QString(QLatin1String(""));
    }
    const QHash<QString, QVariant>* current = table.table(file, applicationLanguage());
    if (current == nullptr)
        return QVariant();
    return current->value(object);
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

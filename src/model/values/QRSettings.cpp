#include "model/values/QRSettings.h"

#include "platform/core/SafeDictionary.h"
#include "platform/core/Values.h"

quint64 QRSettings::typeForString(const QString& text) {
    const QString upper = text.toUpper();
    if (upper == QLatin1String("DYNAMIC"))
        return 0;
    if (upper == QLatin1String("STATIC"))
        return 1;
    return 2;
}

quint64 QRSettings::modeForString(const QString& text) {
    const QString upper = text.toUpper();
    if (upper == QLatin1String("TRANSACTIONAL"))
        return 0;
    if (upper == QLatin1String("SETTINGS"))
        return 1;
    return 2;
}

std::shared_ptr<QRSettings> QRSettings::withDictionary(const QVariantMap& entry) {
    auto settings = std::make_shared<QRSettings>();
    settings->initWithDictionary(entry);
    return settings;
}

void QRSettings::initWithDictionary(const QVariantMap& d) {
    auto has = [&d](const char* key) { return SafeDictionary::hasKey(d, QLatin1String(key)); };
    auto text = [&d](const char* key) { return Values::describe(d.value(QLatin1String(key))); };
    if (has("type")) {
        const QVariant type = d.value(QStringLiteral("type"));
        type_ = type.typeId() == QMetaType::QString ? typeForString(type.toString()) : 2;
    }
    if (has("mode"))
        mode_ = modeForString(text("mode"));
    if (has("needSetup"))
        needsSetup_ = Values::boolValue(d.value(QStringLiteral("needSetup")));
    if (has("termsUrl"))
        termsUrl_ = text("termsUrl");
    if (has("imgUrl"))
        imgUrl_ = text("imgUrl");
    if (has("pdfUrl"))
        pdfUrl_ = text("pdfUrl");
}

std::shared_ptr<QRSettings> QRSettings::settingsWithMode(quint64 mode,
                                                         const QVariantMap& settings) {
    const QVariant config = settings.value(QStringLiteral("qrConfig"));
    if (!SafeDictionary::hasKey(settings, QStringLiteral("qrConfig")) ||
        config.typeId() != QMetaType::QVariantList)
        return nullptr;
    for (const QVariant& value : config.toList()) {
        const QVariantMap entry = value.toMap();
        if (!SafeDictionary::hasKey(entry, QStringLiteral("mode")))
            continue;
        if (modeForString(SafeDictionary::safeObjectForKey(entry, QStringLiteral("mode"))) == mode)
            return withDictionary(entry);
    }
    return nullptr;
}

void QRSettings::updateWithQR(const QString& imageUrl, const QString& pdfUrl) {
    imgUrl_ = imageUrl;
    pdfUrl_ = pdfUrl;
}

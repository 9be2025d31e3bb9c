#include "model/PaymentMethod.h"

#include "model/values/Currency.h"
#include "model/values/ModelTexts.h"
#include "platform/core/Logging.h"
#include "platform/core/SafeDictionary.h"
#include "platform/core/Values.h"

std::shared_ptr<PaymentMethod> PaymentMethod::instanceFromDictionary(const QVariant& value) {
    if (!value.isValid() || Values::isJsonNull(value) || value.typeId() != QMetaType::QVariantMap)
        return nullptr;
    const QVariantMap d = value.toMap();
    auto text = [&d](const char* key) {
        return SafeDictionary::safeObjectForKey(d, QLatin1String(key));
    };
    auto truth = [&d](const char* key) { return Values::boolValue(d.value(QLatin1String(key))); };
    Logging::info(tarvelloModel, SafeDictionary::jsonDescription(d));

    auto method = std::make_shared<PaymentMethod>();
    method->name_ = text("name");
    method->type_ = text("type");
    if (!SafeDictionary::hasKey(d, QStringLiteral("name")))
        method->name_ = ModelTexts::textForFile(QStringLiteral("PaymentPopOver"), method->type_);
    method->identifier_ = Values::lenientInteger(text("installmentId"));
    method->terminalIdentifier_ = text("terminalID");
    method->imageURL_ = QUrl(text("imageUrl"), QUrl::StrictMode);
    method->isPrivate_ = truth("isPrivate");
    method->enabled_ = truth("enabled");
    method->requirePin_ = truth("requirePin");
    method->customData_ = d.value(QStringLiteral("customData"));
    method->currency_ = std::make_shared<Currency>();
    method->currency_->setCode(text("currency"));
    method->currency_->setFormat(text("currencySymbol"));
    method->manualEntryAvailable_ = truth("manualEntryAvailable");
    method->emvConfigurationVersion_ = text("emvConfigurationVersion");
    if (SafeDictionary::hasKey(d, QStringLiteral("emvAIDs")))
        method->emvAIDs_ = d.value(QStringLiteral("emvAIDs"));
    if (SafeDictionary::hasKey(d, QStringLiteral("installments"))) {
        std::vector<InstallmentPtr> plans;
        for (const QVariant& record : d.value(QStringLiteral("installments")).toList()) {
            if (InstallmentPtr plan = Installment::instanceFromDictionary(record))
                plans.push_back(plan);
        }
        method->installments_ = plans;
    }
    return method;
}

QString PaymentMethod::description() const {
    return QStringLiteral("[%1] %2 - %3").arg(type_, QString::number(identifier_), name_);
}

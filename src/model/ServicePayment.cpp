#include "model/ServicePayment.h"

#include "model/Amount.h"
#include "platform/core/Values.h"
#include "ui_kit/Extensions/SafeDictionary.h"

std::shared_ptr<ServicePayment> ServicePayment::withDictionary(const QVariantMap& record) {
    auto service = std::make_shared<ServicePayment>();
    service->initWithDictionary(record);
    return service;
}

void ServicePayment::initWithDictionary(const QVariantMap& record) {
    const QVariant block = record.value(QStringLiteral("service"));
    const QVariantMap source = SafeDictionary::hasKey(record, QStringLiteral("service")) &&
                                       block.typeId() == QMetaType::QVariantMap
                                   ? block.toMap()
                                   : record;
    auto text = [&source](const char* key, QString& field) {
        if (SafeDictionary::hasKey(source, QLatin1String(key)))
            field = Values::describe(source.value(QLatin1String(key)));
    };
    auto number = [&source](const char* key, double& field) {
        if (SafeDictionary::hasKey(source, QLatin1String(key)))
            field = Values::doubleValue(source.value(QLatin1String(key)));
    };
    text("companyName", companyName_);
    text("serviceCode", serviceCode_);
    text("serviceName", serviceName_);
    if (SafeDictionary::hasKey(record, QStringLiteral("issuerImageUrl")))
        companyIcon_ = Values::describe(record.value(QStringLiteral("issuerImageUrl")));
    text("retrievalReferenceNumber", retrievalReferenceNumber_);
    text("referenceId", referenceId_);
    text("customerDetail", customerDetail_);
    number("commission", commission_);
    number("initialBalance", initialBalance_);
    number("currentBalance", currentBalance_);
    if (SafeDictionary::hasKey(record, QStringLiteral("totalAmount")))
        price_ = Values::doubleValue(record.value(QStringLiteral("totalAmount")));
    else
        price_ = initialBalance_ - currentBalance_;
}

QString ServicePayment::itemAmount() const {
    return Amount::initWithDouble(price_)->getAmount();
}

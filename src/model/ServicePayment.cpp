#include "model/ServicePayment.h"

#include "model/AlternatePaymentBlock.h"
#include "model/Amount.h"

std::shared_ptr<ServicePayment> ServicePayment::withDictionary(const QVariantMap& record) {
    auto service = std::make_shared<ServicePayment>();
    service->initWithDictionary(record);
    return service;
}

void ServicePayment::initWithDictionary(const QVariantMap& record) {
    const AlternatePaymentBlock block(record, QStringLiteral("service"));
    block.text("companyName", companyName_);
    block.text("serviceCode", serviceCode_);
    block.text("serviceName", serviceName_);
    block.issuerImage(companyIcon_);
    block.text("retrievalReferenceNumber", retrievalReferenceNumber_);
    block.text("referenceId", referenceId_);
    block.text("customerDetail", customerDetail_);
    block.number("commission", commission_);
    block.number("initialBalance", initialBalance_);
    block.number("currentBalance", currentBalance_);
    price_ = block.price(initialBalance_, currentBalance_);
}

QString ServicePayment::itemAmount() const {
    return Amount::initWithDouble(price_)->getAmount();
}

#include "model/ServicePayment.h"

#include "model/AlternatePaymentBlock.h"

std::shared_ptr<ServicePayment> ServicePayment::withDictionary(const QVariantMap& record) {
    auto service = std::make_shared<ServicePayment>();
    service->initWithDictionary(record);
    return service;
}

void ServicePayment::initWithDictionary(const QVariantMap& record) {
    const AlternatePaymentBlock block(record, QStringLiteral("service"));
    readCompanyAndAmounts(block);
    block.text("serviceCode", serviceCode_);
    block.text("serviceName", serviceName_);
    block.issuerImage(companyIcon_);
    block.text("retrievalReferenceNumber", retrievalReferenceNumber_);
    block.text("referenceId", referenceId_);
    block.text("customerDetail", customerDetail_);
}

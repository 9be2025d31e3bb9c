#pragma once

#include "model/CompanyPayment.h"

#include <QString>
#include <QVariantMap>
#include <memory>

// The detail of a service (bill) payment that a sale record carries.
class ServicePayment : public CompanyPayment {
public:
    ServicePayment() = default;

    // Reads the record's "service" block (or the record itself when it has none).
    static std::shared_ptr<ServicePayment> withDictionary(const QVariantMap& record);
    void initWithDictionary(const QVariantMap& record);

    QString paymentTitle() const override { return customerDetail_; }
    QString paymentSubTitle() const override { return serviceName_; }
    QString itemTitle() const override { return QStringLiteral("Pago %1").arg(companyName_); }
    QImage itemIcon() const override { return letterAvatar(companyName_); }

    QString serviceCode() const { return serviceCode_; }
    void setServiceCode(const QString& value) { serviceCode_ = value; }
    QString serviceName() const { return serviceName_; }
    void setServiceName(const QString& value) { serviceName_ = value; }
    QString retrievalReferenceNumber() const { return retrievalReferenceNumber_; }
    void setRetrievalReferenceNumber(const QString& value) { retrievalReferenceNumber_ = value; }
    QString referenceId() const { return referenceId_; }
    void setReferenceId(const QString& value) { referenceId_ = value; }
    QString customerDetail() const { return customerDetail_; }
    void setCustomerDetail(const QString& value) { customerDetail_ = value; }

private:
    QString serviceCode_{""};
    QString serviceName_{""};
    QString retrievalReferenceNumber_{""};
    QString referenceId_{""};
    QString customerDetail_{""};
};

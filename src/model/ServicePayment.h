#pragma once

#include "model/AlternatePaymentProtocol.h"

#include <QString>
#include <QVariantMap>
#include <memory>

// The detail of a service (bill) payment that a sale record carries.
class ServicePayment : public AlternatePaymentProtocol {
public:
    ServicePayment() = default;
    ServicePayment(const ServicePayment&) = delete;
    ServicePayment& operator=(const ServicePayment&) = delete;

    // Reads the record's "service" block (or the record itself when it has none).
    static std::shared_ptr<ServicePayment> withDictionary(const QVariantMap& record);
    void initWithDictionary(const QVariantMap& record);

    QString paymentTitle() const override { return customerDetail_; }
    QString paymentSubTitle() const override { return serviceName_; }
    QString itemTitle() const override { return QStringLiteral("Pago %1").arg(companyName_); }
    QString itemIconURL() const override { return companyIcon_; }
    QImage itemIcon() const override { return letterAvatar(companyName_); }
    QString itemAmount() const override;

    QString companyName() const { return companyName_; }
    void setCompanyName(const QString& value) { companyName_ = value; }
    QString serviceCode() const { return serviceCode_; }
    void setServiceCode(const QString& value) { serviceCode_ = value; }
    QString serviceName() const { return serviceName_; }
    void setServiceName(const QString& value) { serviceName_ = value; }
    QString companyIcon() const { return companyIcon_; }
    void setCompanyIcon(const QString& value) { companyIcon_ = value; }
    QString retrievalReferenceNumber() const { return retrievalReferenceNumber_; }
    void setRetrievalReferenceNumber(const QString& value) { retrievalReferenceNumber_ = value; }
    QString referenceId() const { return referenceId_; }
    void setReferenceId(const QString& value) { referenceId_ = value; }
    QString customerDetail() const { return customerDetail_; }
    void setCustomerDetail(const QString& value) { customerDetail_ = value; }
    double commission() const { return commission_; }
    void setCommission(double value) { commission_ = value; }
    double initialBalance() const { return initialBalance_; }
    void setInitialBalance(double value) { initialBalance_ = value; }
    double currentBalance() const { return currentBalance_; }
    void setCurrentBalance(double value) { currentBalance_ = value; }
    double price() const { return price_; }
    void setPrice(double value) { price_ = value; }

private:
    QString companyName_{""};
    QString serviceCode_{""};
    QString serviceName_{""};
    QString companyIcon_{""};
    QString retrievalReferenceNumber_{""};
    QString referenceId_{""};
    QString customerDetail_{""};
    double commission_ = 0;
    double initialBalance_ = 0;
    double currentBalance_ = 0;
    double price_ = 0;
};

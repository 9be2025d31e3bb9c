#pragma once

#include "model/AlternatePaymentProtocol.h"

#include <QString>
#include <QVariantMap>
#include <memory>

// The detail of a prepaid recharge that a sale record carries.
class Recharge : public AlternatePaymentProtocol {
public:
    Recharge() = default;
    Recharge(const Recharge&) = delete;
    Recharge& operator=(const Recharge&) = delete;

    // Reads the record's "recharge" block (or the record itself when it has none).
    static std::shared_ptr<Recharge> withDictionary(const QVariantMap& record);
    void initWithDictionary(const QVariantMap& record);

    QString paymentTitle() const override { return placeholder_; }
    QString paymentSubTitle() const override { return companyName_; }
    std::optional<QString> paymentSecondaryTitle() const override { return destinationNumber_; }
    QString itemTitle() const override { return companyName_; }
    QString itemIconURL() const override { return companyIcon_; }
    QImage itemIcon() const override;
    QString itemAmount() const override;
    std::optional<QString> commissionTitle() const override;
    std::optional<QString> commissionSubTitle() const override;

    QString orderId() const { return orderId_; }
    void setOrderId(const QString& value) { orderId_ = value; }
    QString type() const { return type_; }
    void setType(const QString& value) { type_ = value; }
    QString companyName() const { return companyName_; }
    void setCompanyName(const QString& value) { companyName_ = value; }
    QString companyCode() const { return companyCode_; }
    void setCompanyCode(const QString& value) { companyCode_ = value; }
    QString companyIcon() const { return companyIcon_; }
    void setCompanyIcon(const QString& value) { companyIcon_ = value; }
    QString placeholder() const { return placeholder_; }
    void setPlaceholder(const QString& value) { placeholder_ = value; }
    double commission() const { return commission_; }
    void setCommission(double value) { commission_ = value; }
    double initialBalance() const { return initialBalance_; }
    void setInitialBalance(double value) { initialBalance_ = value; }
    double currentBalance() const { return currentBalance_; }
    void setCurrentBalance(double value) { currentBalance_ = value; }
    QString destinationNumber() const { return destinationNumber_; }
    void setDestinationNumber(const QString& value) { destinationNumber_ = value; }
    double destinationCurrentBalance() const { return destinationCurrentBalance_; }
    void setDestinationCurrentBalance(double value) { destinationCurrentBalance_ = value; }
    double price() const { return price_; }
    void setPrice(double value) { price_ = value; }

private:
    QString orderId_{""};
    QString type_{""};
    QString companyName_{""};
    QString companyCode_{""};
    QString companyIcon_{""};
    QString placeholder_{""};
    double commission_ = 0;
    double initialBalance_ = 0;
    double currentBalance_ = 0;
    QString destinationNumber_{""};
    double destinationCurrentBalance_ = 0;
    double price_ = 0;
};

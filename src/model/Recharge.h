#pragma once

#include "model/CompanyPayment.h"

#include <QString>
#include <QVariantMap>
#include <memory>

// The detail of a prepaid recharge that a sale record carries.
class Recharge : public CompanyPayment {
public:
    Recharge() = default;

    // Reads the record's "recharge" block (or the record itself when it has none).
    static std::shared_ptr<Recharge> withDictionary(const QVariantMap& record);
    void initWithDictionary(const QVariantMap& record);

    QString paymentTitle() const override { return placeholder_; }
    QString paymentSubTitle() const override { return companyName_; }
    std::optional<QString> paymentSecondaryTitle() const override { return destinationNumber_; }
    QString itemTitle() const override { return companyName_; }
    QImage itemIcon() const override;
    std::optional<QString> commissionTitle() const override;
    std::optional<QString> commissionSubTitle() const override;

    QString orderId() const { return orderId_; }
    void setOrderId(const QString& value) { orderId_ = value; }
    QString type() const { return type_; }
    void setType(const QString& value) { type_ = value; }
    QString companyCode() const { return companyCode_; }
    void setCompanyCode(const QString& value) { companyCode_ = value; }
    QString placeholder() const { return placeholder_; }
    void setPlaceholder(const QString& value) { placeholder_ = value; }
    QString destinationNumber() const { return destinationNumber_; }
    void setDestinationNumber(const QString& value) { destinationNumber_ = value; }
    double destinationCurrentBalance() const { return destinationCurrentBalance_; }
    void setDestinationCurrentBalance(double value) { destinationCurrentBalance_ = value; }

private:
    QString orderId_{""};
    QString type_{""};
    QString companyCode_{""};
    QString placeholder_{""};
    QString destinationNumber_{""};
    double destinationCurrentBalance_ = 0;
};

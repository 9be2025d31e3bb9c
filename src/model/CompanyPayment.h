#pragma once

#include "model/AlternatePaymentProtocol.h"

#include <QString>

class AlternatePaymentBlock;

// A payment made to a company on the merchant's balance (a prepaid recharge, a service bill):
// the company, the commission earned and the balance it moved.
class CompanyPayment : public AlternatePaymentProtocol {
public:
    CompanyPayment(const CompanyPayment&) = delete;
    CompanyPayment& operator=(const CompanyPayment&) = delete;

    QString itemIconURL() const override { return companyIcon_; }
    QString itemAmount() const override;

    QString companyName() const { return companyName_; }
    void setCompanyName(const QString& value) { companyName_ = value; }
    QString companyIcon() const { return companyIcon_; }
    void setCompanyIcon(const QString& value) { companyIcon_ = value; }
    double commission() const { return commission_; }
    void setCommission(double value) { commission_ = value; }
    double initialBalance() const { return initialBalance_; }
    void setInitialBalance(double value) { initialBalance_ = value; }
    double currentBalance() const { return currentBalance_; }
    void setCurrentBalance(double value) { currentBalance_ = value; }
    double price() const { return price_; }
    void setPrice(double value) { price_ = value; }

protected:
    CompanyPayment() = default;

    // The company's name, the commission, the balances and the price the block gives.
    void readCompanyAndAmounts(const AlternatePaymentBlock& block);

    QString companyName_{""};
    QString companyIcon_{""};
    double commission_ = 0;
    double initialBalance_ = 0;
    double currentBalance_ = 0;
    double price_ = 0;
};

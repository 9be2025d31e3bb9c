#pragma once

#include "model/values/Amount.h"

#include <QString>
#include <QVariant>
#include <memory>
#include <optional>

// The financing terms of a promoted installment plan. Rates are fractions of one except CFT,
// which is a percent. Numbers the record does not give are none.
class Promotion {
public:
    Promotion() = default;
    Promotion(const Promotion&) = delete;
    Promotion& operator=(const Promotion&) = delete;

    // None for a missing or non-object record.
    static std::shared_ptr<Promotion> fromDictionary(const QVariant& record);

    QString identifier() const { return identifier_; }
    void setIdentifier(const QString& value) { identifier_ = value; }
    QString rateIdentifier() const { return rateIdentifier_; }
    void setRateIdentifier(const QString& value) { rateIdentifier_ = value; }
    AmountPtr payment() const { return payment_; }
    void setPayment(AmountPtr value) { payment_ = std::move(value); }
    std::optional<double> TNA() const { return TNA_; }
    void setTNA(std::optional<double> value) { TNA_ = value; }
    std::optional<double> TEA() const { return TEA_; }
    void setTEA(std::optional<double> value) { TEA_ = value; }
    std::optional<double> CFT() const { return CFT_; }
    void setCFT(std::optional<double> value) { CFT_ = value; }
    QString priority() const { return priority_; }
    void setPriority(const QString& value) { priority_ = value; }
    QString buyerCFBonus() const { return buyerCFBonus_; }
    void setBuyerCFBonus(const QString& value) { buyerCFBonus_ = value; }
    std::optional<double> coefficient() const { return coefficient_; }
    void setCoefficient(std::optional<double> value) { coefficient_ = value; }
    std::optional<double> discountRate() const { return discountRate_; }
    void setDiscountRate(std::optional<double> value) { discountRate_ = value; }
    std::optional<double> directRate() const { return directRate_; }
    void setDirectRate(std::optional<double> value) { directRate_ = value; }
    std::optional<double> interestRate() const { return interestRate_; }
    void setInterestRate(std::optional<double> value) { interestRate_ = value; }
    bool transportCFT() const { return transportCFT_; }
    void setTransportCFT(bool value) { transportCFT_ = value; }

private:
    QString identifier_;
    QString rateIdentifier_;
    AmountPtr payment_;
    std::optional<double> TNA_;
    std::optional<double> TEA_;
    std::optional<double> CFT_;
    QString priority_;
    QString buyerCFBonus_;
    std::optional<double> coefficient_;
    std::optional<double> discountRate_;
    std::optional<double> directRate_;
    std::optional<double> interestRate_;
    bool transportCFT_ = false;
};

using PromotionPtr = std::shared_ptr<Promotion>;

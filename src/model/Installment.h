#pragma once

#include "model/Promotion.h"
#include "model/values/Amount.h"

#include <QString>
#include <QUrl>
#include <QVariant>
#include <memory>
#include <optional>

// One option of paying a card sale over time (or, from a debit card's list, a bank-account
// type). Records come with lower-case keys ("installmentId") or capitalised ones
// ("InstallmentId", with the promotion's terms in the same record); one reader takes both.
class Installment {
public:
    Installment() = default;
    Installment(const Installment&) = delete;
    Installment& operator=(const Installment&) = delete;

    // None for a missing or non-object record.
    static std::shared_ptr<Installment> instanceFromDictionary(const QVariant& record);
    static std::shared_ptr<Installment> instanceBankAccountFromDictionary(const QVariant& entry);

    QString identifier() const { return identifier_; }
    void setIdentifier(const QString& value) { identifier_ = value; }
    QString name() const { return name_; }
    void setName(const QString& value) { name_ = value; }
    QUrl imageURL() const { return imageURL_; }
    void setImageURL(const QUrl& value) { imageURL_ = value; }
    int number() const { return number_; }
    void setNumber(int value) { number_ = value; }
    AmountPtr amount() const { return amount_; }
    void setAmount(AmountPtr value) { amount_ = std::move(value); }
    PromotionPtr promotion() const { return promotion_; }
    void setPromotion(PromotionPtr value) { promotion_ = std::move(value); }
    std::optional<double> commision() const { return commision_; }
    void setCommision(std::optional<double> value) { commision_ = value; }
    AmountPtr receivedAmount() const { return receivedAmount_; }
    void setReceivedAmount(AmountPtr value) { receivedAmount_ = std::move(value); }
    double financialRate() const { return financialRate_; }
    void setFinancialRate(double value) { financialRate_ = value; }
    double total() const { return total_; }
    void setTotal(double value) { total_ = value; }

private:
    QString identifier_;
    QString name_;
    QUrl imageURL_;
    int number_ = 0;
    AmountPtr amount_;
    PromotionPtr promotion_;
    std::optional<double> commision_;
    AmountPtr receivedAmount_;
    double financialRate_ = 0;
    double total_ = 0;
};

using InstallmentPtr = std::shared_ptr<Installment>;

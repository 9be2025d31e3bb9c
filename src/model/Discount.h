#pragma once

#include <QString>
#include <QVariant>
#include <QVariantMap>
#include <memory>

// One entry of a sale's discount list: a fixed amount or a fraction (0.10 is 10 %), named.
class Discount {
public:
    Discount() = default;
    Discount(const Discount&) = delete;
    Discount& operator=(const Discount&) = delete;

    static std::shared_ptr<Discount> init() { return std::make_shared<Discount>(); }
    static std::shared_ptr<Discount> initWithDiscount(const Discount& source);
    // None for a missing or non-object value.
    static std::shared_ptr<Discount> fromDictionary(const QVariant& dictionary);
    void loadWithDictionary(const QVariantMap& dictionary);

    // True when the amount is exactly 0.
    bool percentageDiscount() const { return amount_ == 0; }
    // "Promo: 10.000000%" or "Promo: $ 5.00".
    QString description() const;

    int discountId() const { return discountId_; }
    void setDiscountId(int value) { discountId_ = value; }
    QString name() const { return name_; }
    void setName(const QString& value) { name_ = value; }
    double amount() const { return amount_; }
    void setAmount(double value) { amount_ = value; }
    double percentage() const { return percentage_; }
    void setPercentage(double value) { percentage_ = value; }

private:
    int discountId_ = 0;
    QString name_;
    double amount_ = 0;
    double percentage_ = 0;
};

using DiscountPtr = std::shared_ptr<Discount>;

#pragma once

#include "model/values/Amount.h"

#include <QVariantMap>
#include <memory>

// The range inside which a tax rate may be chosen; the upper bound is also a fixed tax's rate.
class Limits {
public:
    Limits();
    Limits(const Limits&) = delete;
    Limits& operator=(const Limits&) = delete;

    static std::shared_ptr<Limits> init() { return std::make_shared<Limits>(); }
    // New limits sharing this one's four values.
    std::shared_ptr<Limits> copy() const;
    // "dynamicMinRate" and "dynamicMaxRate" of a tax-settings entry.
    static std::shared_ptr<Limits> fromDictionary(const QVariantMap& dictionary);

    void recalculateAmountLimitsFromAmount(const AmountPtr& amount);
    bool betweenLimitsRate(double rate) const;
    bool betweenLimitsAmount(const AmountPtr& amount) const;

    double minRate() const { return minRate_; }
    void setMinRate(double value) { minRate_ = value; }
    double maxRate() const { return maxRate_; }
    void setMaxRate(double value) { maxRate_ = value; }
    AmountPtr minAmount() const { return minAmount_; }
    void setMinAmount(AmountPtr value) { minAmount_ = std::move(value); }
    AmountPtr maxAmount() const { return maxAmount_; }
    void setMaxAmount(AmountPtr value) { maxAmount_ = std::move(value); }

private:
    double minRate_ = 0;
    double maxRate_ = 0;
    AmountPtr minAmount_;
    AmountPtr maxAmount_;
};

using LimitsPtr = std::shared_ptr<Limits>;

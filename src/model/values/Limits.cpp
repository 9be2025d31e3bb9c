#include "model/values/Limits.h"

#include "platform/core/Values.h"

Limits::Limits()
    : minAmount_(Amount::init())
    , maxAmount_(Amount::init()) {}

std::shared_ptr<Limits> Limits::copy() const {
    auto limits = init();
    limits->minRate_ = minRate_;
    limits->maxRate_ = maxRate_;
    limits->minAmount_ = minAmount_;
    limits->maxAmount_ = maxAmount_;
    return limits;
}

std::shared_ptr<Limits> Limits::fromDictionary(const QVariantMap& dictionary) {
    auto limits = init();
    limits->minRate_ = Values::doubleValue(dictionary.value(QStringLiteral("dynamicMinRate")));
    limits->maxRate_ = Values::doubleValue(dictionary.value(QStringLiteral("dynamicMaxRate")));
    return limits;
}

void Limits::recalculateAmountLimitsFromAmount(const AmountPtr&) {}

bool Limits::betweenLimitsRate(double) const {
    return false;
}

bool Limits::betweenLimitsAmount(const AmountPtr&) const {
    return false;
}

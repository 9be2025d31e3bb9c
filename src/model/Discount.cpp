#include "model/Discount.h"

#include "model/values/Amount.h"
#include "platform/core/SafeDictionary.h"
#include "platform/core/Values.h"

std::shared_ptr<Discount> Discount::initWithDiscount(const Discount& source) {
    auto discount = init();
    discount->discountId_ = source.discountId_;
    discount->name_ = source.name_;
    discount->amount_ = source.amount_;
    discount->percentage_ = source.percentage_;
    return discount;
}

std::shared_ptr<Discount> Discount::fromDictionary(const QVariant& value) {
    if (!value.isValid() || Values::isJsonNull(value) || value.typeId() != QMetaType::QVariantMap)
        return nullptr;
    auto discount = init();
    discount->loadWithDictionary(value.toMap());
    return discount;
}

void Discount::loadWithDictionary(const QVariantMap& d) {
    discountId_ = int(Values::integerValue(d.value(QStringLiteral("discountId"))));
    if (SafeDictionary::hasKey(d, QStringLiteral("name")))
        name_ = Values::describe(d.value(QStringLiteral("name")));
    else if (SafeDictionary::hasKey(d, QStringLiteral("discountName")))
        name_ = Values::describe(d.value(QStringLiteral("discountName")));
    else
        name_ = QString();
    amount_ = Values::doubleValue(d.value(QStringLiteral("discountAmount")));
    percentage_ = Values::doubleValue(d.value(QStringLiteral("discountPercentage")));
}

QString Discount::description() const {
    if (percentageDiscount())
        return QStringLiteral("%1: %2%").arg(name_, QString::asprintf("%f", percentage_ * 100));
    return QStringLiteral("%1: %2").arg(name_, Amount::initWithDouble(amount_)->getAmount());
}

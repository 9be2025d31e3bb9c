#include "model/Item.h"

#include "platform/core/SafeDictionary.h"
#include "platform/core/Values.h"

#include <QUuid>

namespace {
std::shared_ptr<const QString> newItemId() {
    return std::make_shared<const QString>(
        QUuid::createUuid().toString(QUuid::WithoutBraces).toUpper());
}
} // namespace

Item::Item()
    : product_(Product::init())
    , discountAmount_(Amount::init())
    , itemId_(newItemId()) {}

std::shared_ptr<Item> Item::initWithItem(const Item& source) {
    auto item = init();
    item->product_ = Product::initWithProduct(*source.product_);
    item->quantity_ = source.quantity_;
    item->discountPercentage_ = source.discountPercentage_;
    item->discountAmount_ = source.discountAmount_;
    item->itemId_ = source.itemId_;
    return item;
}

std::shared_ptr<Item> Item::fromDictionary(const QVariant& value) {
    if (!value.isValid() || Values::isJsonNull(value) || value.typeId() != QMetaType::QVariantMap)
        return nullptr;
    const QVariantMap d = value.toMap();
    auto item = init();
    auto has = [&d](const char* key) { return SafeDictionary::hasKey(d, QLatin1String(key)); };
    auto number = [&d](const char* key) {
        return Values::doubleValue(d.value(QLatin1String(key)));
    };
    if (has("discountAmount"))
        item->discountAmount_ = Amount::initWithDouble(number("discountAmount"));
    if (has("isCustomAmount"))
        item->isCustomAmount_ = Values::boolValue(d.value(QStringLiteral("isCustomAmount")));
    if (has("productId"))
        item->product_->setProductId(Values::describe(d.value(QStringLiteral("productId"))));
    if (has("productImageUrl"))
        item->product_->setImageUrl(Values::describe(d.value(QStringLiteral("productImageUrl"))));
    if (has("productName"))
        item->product_->setName(Values::describe(d.value(QStringLiteral("productName"))));
    if (has("productPrice"))
        item->product_->setPrice(Amount::initWithDouble(number("productPrice")));
    if (has("quantity"))
        item->quantity_ = int(Values::integerValue(d.value(QStringLiteral("quantity"))));
    if (has("totalAmount"))
        item->totalAmount_ = Amount::initWithDouble(number("totalAmount"));
    return item;
}

double Item::getTotalTax() const {
    return product_->getTotalTax() * quantity_;
}

double Item::getPriceWithNoTax() const {
    return product_->getPriceWithNoTax() * quantity_;
}

double Item::getPriceWithTax() const {
    return getPriceWithNoTax() + getTotalTax();
}

double Item::getPriceWithTaxAndDiscount() const {
    const double price = getPriceWithTax();
    if (discountAmount_)
        return price - discountAmount_->doubleValue();
    return price - discountPercentage_ * price;
}

QString Item::description() const {
    QString text =
        product_->name() + QStringLiteral(" - %1 - ").arg(product_->price()->getAmount());
    for (const TaxPtr& tax : product_->taxes())
        text += QLatin1Char('\n') + tax->description();
    return text;
}

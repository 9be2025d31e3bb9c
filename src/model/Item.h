#pragma once

#include "model/Product.h"
#include "model/values/Amount.h"

#include <QString>
#include <QVariant>
#include <memory>

// One line of a sale: a product (from the catalog or a typed amount), a quantity and an
// optional line discount. Lines are shared by reference; a line's identity is its id object,
// which copies made with initWithItem() share.
class Item {
public:
    Item();
    Item(const Item&) = delete;
    Item& operator=(const Item&) = delete;

    static std::shared_ptr<Item> init() { return std::make_shared<Item>(); }
    // A new line with a copy of the source's product, the same quantity and fraction, the same
    // discount amount object and the same id object.
    static std::shared_ptr<Item> initWithItem(const Item& source);
    // A line from a sale record's line dictionary; none for a missing or non-object value.
    static std::shared_ptr<Item> fromDictionary(const QVariant& dictionary);

    // The whole line (unit figures times quantity).
    double getTotalTax() const;
    double getPriceWithNoTax() const;
    double getPriceWithTax() const;
    // Price with tax less the line discount: the discount amount when present, else the
    // fraction of the price with tax.
    double getPriceWithTaxAndDiscount() const;

    // True when both lines hold the very same id object.
    bool isEqual(const Item& other) const { return itemId_ == other.itemId_; }
    QString description() const;

    ProductPtr product() const { return product_; }
    void setProduct(ProductPtr value) { product_ = value ? std::move(value) : Product::init(); }
    int quantity() const { return quantity_; }
    void setQuantity(int value) { quantity_ = value; }
    double discountPercentage() const { return discountPercentage_; }
    void setDiscountPercentage(double value) { discountPercentage_ = value; }
    // None when the line has no discount amount object.
    AmountPtr discountAmount() const { return discountAmount_; }
    void setDiscountAmount(AmountPtr value) { discountAmount_ = std::move(value); }
    QString itemId() const { return itemId_ ? *itemId_ : QString(); }
    std::shared_ptr<const QString> itemIdObject() const { return itemId_; }
    void setItemId(std::shared_ptr<const QString> value) { itemId_ = std::move(value); }
    bool isCustomAmount() const { return isCustomAmount_; }
    void setIsCustomAmount(bool value) { isCustomAmount_ = value; }
    AmountPtr totalAmount() const { return totalAmount_; }
    void setTotalAmount(AmountPtr value) { totalAmount_ = std::move(value); }

private:
    ProductPtr product_;
    int quantity_ = 1;
    double discountPercentage_ = 0;
    AmountPtr discountAmount_;
    std::shared_ptr<const QString> itemId_;
    bool isCustomAmount_ = false;
    AmountPtr totalAmount_;
};

using ItemPtr = std::shared_ptr<Item>;

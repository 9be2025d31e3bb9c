#pragma once

#include <TarvelloSDK/TQProduct.h>

#include <QtGlobal>

// One line of the host's sale: a product times a quantity (no bounds are checked).
class TQItem {
public:
    TQItem(const TQProduct& product, qint64 quantity)
        : product_(product)
        , quantity_(quantity) {}

    // A line of the product with quantity 1.
    static TQItem itemWithProduct(const TQProduct& product) { return TQItem(product, 1); }
    static TQItem itemWithProductQuantity(const TQProduct& product, qint64 quantity) {
        return TQItem(product, quantity);
    }

    const TQProduct& product() const { return product_; }
    qint64 quantity() const { return quantity_; }
    void setQuantity(qint64 quantity) { quantity_ = quantity; }

private:
    TQProduct product_;
    qint64 quantity_ = 1;
};

#pragma once

#include "model/Discount.h"
#include "model/Item.h"
#include "model/LocationProvider.h"
#include "model/Product.h"
#include "model/Sale.h"
#include "platform/core/ServiceRegistry.h"

#include <QString>

// Offers no location source.
class NoLocationFactory : public LocationProviderFactory {
public:
    std::shared_ptr<LocationProvider> create() override { return nullptr; }
};

// A sale of `lines` lines, every product taxed (every other one with the tax in its price), every
// fifth line discounted, a 10 % sale discount and a 15 % tip. No location is looked up.
inline SalePtr sampleSale(int lines) {
    Services::set<LocationProviderFactory>(std::make_shared<NoLocationFactory>());
    auto sale = Sale::init();
    for (int i = 0; i < lines; ++i) {
        auto item = Item::init();
        item->product()->setProductId(QString::number(i));
        item->product()->setName(QStringLiteral("Producto %1").arg(i));
        item->product()->setTaxIncludedInPrice(i % 2 == 0);
        item->product()->setTaxRate(0.16);
        item->product()->setPrice(Amount::initWithDouble(10 + i * 0.37));
        item->setQuantity(1 + i % 4);
        if (i % 5 == 0)
            item->setDiscountAmount(Amount::initWithDouble(0.5));
        sale->addItem(item);
    }
    auto discount = Discount::init();
    discount->setName("ten");
    discount->setPercentage(0.10);
    sale->addOrRemoveDiscount(discount);
    sale->setTipPercentage(0.15);
    Services::set<LocationProviderFactory>(nullptr);
    return sale;
}

#include "catalog/SaleLines.h"

#include "model/Sale.h"
#include "model/values/DecimalNumber.h"

namespace SaleLines {

ItemPtr itemForProduct(const ProductPtr& product) {
    auto item = Item::init();
    item->setProduct(product);
    item->setQuantity(1);
    return item;
}

ItemPtr freeAmountItem(qint64 cents) {
    auto item = Item::init();
    item->product()->setProductId(QString(""));
    item->product()->setPrice(Amount::initWithDecimal(DecimalNumber::fromCents(cents)));
    item->setIsCustomAmount(true);
    return item;
}

void addUnit(Sale& sale, const ItemPtr& item) {
    if (!item)
        return;
    const QString id = item->product()->productId();
    if (!id.isEmpty()) {
        for (const ItemPtr& line : sale.items()) {
            if (line->product()->productId() == id) {
                sale.updateItemQuantity(line, line->quantity() + item->quantity());
                return;
            }
        }
    }
    sale.addItem(item);
    sale.recalculateTotalAmount();
}

} // namespace SaleLines

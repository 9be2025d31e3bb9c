#pragma once

#include "model/Item.h"

class Sale;

// Adding lines to a sale from the catalog and the keypads.
namespace SaleLines {

// A new line of one unit of the product.
ItemPtr itemForProduct(const ProductPtr& product);
// A new typed-in line of the amount in cents (no product id).
ItemPtr freeAmountItem(qint64 cents);
// Adds the line's units to the line of the same product (ids compared as text, an empty id
// never matching), else appends the line; the sale is recomputed.
void addUnit(Sale& sale, const ItemPtr& item);

} // namespace SaleLines

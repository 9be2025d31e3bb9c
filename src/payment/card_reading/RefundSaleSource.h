#pragma once

#include <memory>

class Sale;

// A screen below the card-reading screen that holds the refund it is to carry out.
class RefundSaleSource {
public:
    virtual ~RefundSaleSource() = default;
    virtual std::shared_ptr<Sale> refundSale() const = 0;
};

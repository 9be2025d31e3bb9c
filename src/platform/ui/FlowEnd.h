#pragma once

#include <TarvelloSDK/TarvelloError.h>

#include <memory>
#include <optional>

class Sale;

// The ends of a flow of screens. Screens report up to whichever controller above them
// implements this (ViewController::flowEndDelegate()); a controller implements the ends its
// flow can have and leaves the others ignored.
class FlowEndDelegate {
public:
    virtual ~FlowEndDelegate() = default;
    // A payment finished with the sale that was paid.
    virtual void paymentDone(std::shared_ptr<Sale> sale) { (void)sale; }
    // A refund, void or other operation finished; the sale may be absent.
    virtual void operationDone(std::shared_ptr<Sale> sale) { (void)sale; }
    // The flow ended without a result; the error may be absent.
    virtual void canceled(std::optional<TarvelloError> error) { (void)error; }
};

// A screen that takes the sale it is to work on before it appears.
class SaleReceiver {
public:
    virtual ~SaleReceiver() = default;
    virtual void setSale(std::shared_ptr<Sale> sale) = 0;
};

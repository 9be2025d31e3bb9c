#pragma once

#include <QString>
#include <optional>

// A product the host charges for: a name (none leaves the sale line unnamed) and a unit price in
// the units of the charge's currency. Any price is allowed, negative included.
class TQProduct {
public:
    TQProduct(const std::optional<QString>& name, double price)
        : name_(name)
        , price_(price) {}

    static TQProduct productWithName(const std::optional<QString>& name, double price) {
        return TQProduct(name, price);
    }

    const std::optional<QString>& name() const { return name_; }
    double price() const { return price_; }

private:
    std::optional<QString> name_;
    double price_ = 0.0;
};

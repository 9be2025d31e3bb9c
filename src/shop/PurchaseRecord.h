#pragma once

#include <QString>
#include <QVariant>
#include <QVariantMap>
#include <memory>

// The one record of a reader purchase that every shop screen holds and writes through: a map of
// string keys ("items", "total", "fromSaleButton", "billingAddress", "shippingAddress",
// "shipping", "payment", "payments", "promotionId", "realAmount"). Screens share it by pointer, so
// a screen further back sees what later screens wrote.
class PurchaseRecord {
public:
    QVariant value(const QString& key) const { return values_.value(key); }
    QVariantMap map(const QString& key) const { return values_.value(key).toMap(); }
    bool contains(const QString& key) const { return values_.contains(key); }
    void insert(const QString& key, const QVariant& value) { values_.insert(key, value); }
    // One key of a nested map, changed in place (e.g. "payment" / "securityCode").
    void insertInto(const QString& key, const QString& inner, const QVariant& value);
    const QVariantMap& values() const { return values_; }

    // Forgets the card's number, code and expiry, and the wallet card's number and code; the
    // payment's method and wallet id stay. Done once the order is accepted and when the shop ends.
    void dropCardData();

private:
    QVariantMap values_;
};

using Purchase = std::shared_ptr<PurchaseRecord>;

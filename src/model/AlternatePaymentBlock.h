#pragma once

#include <QString>
#include <QVariantMap>

// Reads the block of a sale record that describes an alternate payment: the record's block
// under one key (or the record itself when it has none). A field whose key is missing keeps
// its value.
class AlternatePaymentBlock {
public:
    AlternatePaymentBlock(const QVariantMap& record, const QString& blockKey);

    bool has(const char* key) const;
    void text(const char* key, QString& field) const;
    void number(const char* key, double& field) const;
    // The record's "issuerImageUrl", when it has one.
    void issuerImage(QString& field) const;
    // The record's "totalAmount", else what the balances moved.
    double price(double initialBalance, double currentBalance) const;

private:
    QVariantMap record_;
    QVariantMap source_;
};

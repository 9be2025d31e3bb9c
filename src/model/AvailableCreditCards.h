#pragma once

#include <QString>
#include <QVariantList>
#include <optional>

// The payment options accepted for the merchant (card issuers, debit, cash, payment link), as
// the back end sends them with its installments answer. Memory only.
class AvailableCreditCards {
public:
    AvailableCreditCards() = default;
    AvailableCreditCards(const AvailableCreditCards&) = delete;
    AvailableCreditCards& operator=(const AvailableCreditCards&) = delete;

    static AvailableCreditCards& instance();

    const std::optional<QVariantList>& list() const { return list_; }
    void setList(const std::optional<QVariantList>& value) { list_ = value; }
    // The entries whose "currency" text is the code, and those without "currency"; never none.
    QVariantList listForCurrencyCode(const QString& code) const;

private:
    std::optional<QVariantList> list_;
};

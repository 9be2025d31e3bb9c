#pragma once

#include <TarvelloSDK/TQItem.h>

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

// What the host wants to charge: lines of product times quantity, a tip, and the optional
// conditions of the charge (merchant number, accepted card BINs, imposed installment count).
// A sale is a value: the SDK reads its own copy and never changes the host's.
class TQSale {
public:
    // An empty sale: no lines, tip 0.
    TQSale() = default;
    // A sale with a copy of the lines, in their order.
    explicit TQSale(const QList<TQItem>& items)
        : items_(items) {}

    static TQSale sale() { return TQSale(); }
    static TQSale saleWithItem(const TQItem& item) { return TQSale(QList<TQItem>{item}); }
    static TQSale saleWithItems(const QList<TQItem>& items) { return TQSale(items); }

    const QList<TQItem>& items() const { return items_; }
    // Appends a line at the end.
    void addItem(const TQItem& item) { items_.append(item); }

    // Sum of price times quantity over the lines, in order, from 0.0; the tip is not included.
    double total() const {
        double sum = 0.0;
        for (const TQItem& item : items_)
            sum += item.product().price() * static_cast<double>(item.quantity());
        return sum;
    }

    double tip() const { return tip_; }
    void setTip(double tip) { tip_ = tip; }

    // Merchant (commerce) number the payment is made for; none for the merchant's own.
    const std::optional<QString>& merchantId() const { return merchantId_; }
    void setMerchantId(const std::optional<QString>& merchantId) { merchantId_ = merchantId; }

    // Six-character card number prefixes the reader may accept; none accepts any card.
    const std::optional<QStringList>& acceptedBins() const { return acceptedBins_; }
    void setAcceptedBins(const std::optional<QStringList>& bins) { acceptedBins_ = bins; }

    // Installment count the payment screens must use; none leaves the choice to the merchant.
    const std::optional<qint64>& installments() const { return installments_; }
    void setInstallments(const std::optional<qint64>& installments) {
        installments_ = installments;
    }

private:
    QList<TQItem> items_;
    double tip_ = 0.0;
    std::optional<QString> merchantId_;
    std::optional<QStringList> acceptedBins_;
    std::optional<qint64> installments_;
};

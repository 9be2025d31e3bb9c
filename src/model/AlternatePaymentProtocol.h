#pragma once

#include <QImage>
#include <QString>
#include <optional>

// What describes a recharge or a service payment for display. The optional operations answer
// none when a kind does not provide them.
class AlternatePaymentProtocol {
public:
    virtual ~AlternatePaymentProtocol() = default;

    virtual QString paymentTitle() const = 0;
    virtual QString paymentSubTitle() const = 0;
    virtual QString itemIconURL() const = 0;
    // The letter avatar of the item; a null image when there is no letter.
    virtual QImage itemIcon() const = 0;
    virtual QString itemTitle() const = 0;
    // The price as money text.
    virtual QString itemAmount() const = 0;
    virtual std::optional<QString> commissionTitle() const { return std::nullopt; }
    virtual std::optional<QString> commissionSubTitle() const { return std::nullopt; }
    virtual std::optional<QString> paymentSecondaryTitle() const { return std::nullopt; }

    // A letter on a filled circle of the alternative-payment green, `width` points square.
    static QImage letterAvatar(const QString& text, int width = 34);
};

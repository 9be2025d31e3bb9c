#pragma once

#include <TarvelloSDK/TQSale.h>
#include <TarvelloSDK/TarvelloSDK.h>

#include <QString>
#include <memory>
#include <optional>

class QWidget;

// Runs one charge the host started through the facade: checks the session and the currency,
// fills the shared sale from the host's sale and presents the payment screens; their end
// becomes exactly one call of the host's completion.
// Made with std::make_shared; the facade drops its reference once startInViewController()
// returns, so the charge keeps itself alive until it has ended.
class PaymentSDK : public std::enable_shared_from_this<PaymentSDK> {
public:
    PaymentSDK(const TQSale& sale, const std::optional<QString>& reference,
               TarvelloSDK::Completion completion);
    ~PaymentSDK();

    const TQSale& sale() const { return sale_; }
    const std::optional<QString>& reference() const { return reference_; }
    const std::optional<QString>& currencyCode() const { return currencyCode_; }
    void setCurrencyCode(const std::optional<QString>& currencyCode) {
        currencyCode_ = currencyCode;
    }
    const TarvelloSDK::Completion& completion() const { return completion_; }
    bool completed() const { return completed_; }

    // Presents the payment sheet over the host's widget (or ends at once).
    void startInViewController(QWidget* viewController);

private:
    TQSale sale_;
    std::optional<QString> reference_;
    std::optional<QString> currencyCode_;
    TarvelloSDK::Completion completion_;
    bool completed_ = false;
};

#pragma once

#include "SDK/presenters/SDKSheetFlow.h"

#include <TarvelloSDK/TQSale.h>
#include <TarvelloSDK/TarvelloSDK.h>

#include <QString>
#include <memory>
#include <optional>

class PaymentSDKController;
class ViewController;
class Sale;

// Runs one charge the host started through the facade: checks the session and the currency,
// fills the shared sale from the host's sale and presents the payment screens; their end
// becomes exactly one call of the host's completion (the session check and the sheet:
// SDKSheetFlow).
// Made with std::make_shared; the facade drops its reference once startInViewController()
// returns. While the sheet shows, the presented PaymentSDKController owns the charge; the
// charge refers back to it without owning it.
class PaymentSDK : public SDKSheetFlow {
public:
    PaymentSDK(const TQSale& sale, const std::optional<QString>& reference,
               TarvelloSDK::Completion completion);
    ~PaymentSDK() override;

    const TQSale& sale() const { return sale_; }
    const std::optional<QString>& reference() const { return reference_; }
    const std::optional<QString>& currencyCode() const { return currencyCode_; }
    void setCurrencyCode(const std::optional<QString>& currencyCode) {
        currencyCode_ = currencyCode;
    }
    bool completed() const { return ended(); }
    PaymentSDKController* loadingController() const;

    // The navigation controller to present, or null when the charge already ended.
    PaymentSDKController* start();
    // True when the currency is one of the merchant's (or none was asked for); sets the shared
    // currency to it.
    bool checkCurrency();
    // Fills the shared sale from the host's sale.
    void setupPayment();

    // Ends of the charge; only the first one reaches the host.
    void paymentDone(std::shared_ptr<Sale> sale);
    void canceledWithError(const TarvelloError& error);
    // Ends with UserCanceled "User canceled".
    void canceled();
    // Ends with the error; with none, as canceled() does.
    void canceled(std::optional<TarvelloError> error) override;

protected:
    // The payment-method screen once the currency passed and the shared sale is filled.
    FirstScreen firstScreen() override;
    NavigationController* newSheet(ViewController* root) override;
    // A form sheet that cannot be swiped away.
    void prepareSheet(NavigationController* sheet) override;

private:
    TQSale sale_;
    std::optional<QString> reference_;
    std::optional<QString> currencyCode_;
};

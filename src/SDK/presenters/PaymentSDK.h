#pragma once

#include "SDK/login/LoginHelper.h"
#include "SDK/presenters/PaymentSDKController.h"

#include <TarvelloSDK/TQSale.h>
#include <TarvelloSDK/TarvelloSDK.h>

#include <QPointer>
#include <QString>
#include <memory>
#include <optional>

class PaymentSDKController;
class ViewController;
class QWidget;
class Sale;

// Runs one charge the host started through the facade: checks the session and the currency,
// fills the shared sale from the host's sale and presents the payment screens; their end
// becomes exactly one call of the host's completion.
// Made with std::make_shared; the facade drops its reference once startInViewController()
// returns. While the sheet shows, the presented PaymentSDKController owns the charge; the
// charge refers back to it without owning it.
class PaymentSDK : public std::enable_shared_from_this<PaymentSDK>, public LoginHelperDelegate {
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
    const TarvelloSDK::Completion& completion() const { return completion_; }
    bool completed() const { return completed_; }
    LoginHelper* loginHelper() const { return loginHelper_.get(); }
    PaymentSDKController* loadingController() const { return loadingController_; }

    // Presents the payment sheet over the host's widget (or ends at once).
    void startInViewController(QWidget* viewController);
    // The navigation controller to present, or null when the charge already ended.
    PaymentSDKController* start();
    // True when the currency is one of the merchant's (or none was asked for); sets the shared
    // currency to it.
    bool checkCurrency();
    // Fills the shared sale from the host's sale.
    void setupPayment();

    void loginHelperDidFinishLogin(LoginHelper* helper) override;
    void loginHelperShouldDisplayLoginUI(LoginHelper* helper) override;
    bool mustUpdateApp(const QString& url, const QString& message) override;
    void loginSuccessful();

    // Ends of the charge; only the first one reaches the host.
    void paymentDone(std::shared_ptr<Sale> sale);
    void canceledWithError(const TarvelloError& error);
    // Ends with UserCanceled "User canceled".
    void canceled();

private:
    void end(const QVariantMap& result, bool success);
    void dropLoginHelper();
    // The payment-method screen, or null when it is missing from this build.
    static ViewController* paymentMethodScreen();

    TQSale sale_;
    std::optional<QString> reference_;
    std::optional<QString> currencyCode_;
    TarvelloSDK::Completion completion_;
    bool completed_ = false;
    std::unique_ptr<LoginHelper, void (*)(LoginHelper*)> loginHelper_;
    QPointer<PaymentSDKController> loadingController_;
};

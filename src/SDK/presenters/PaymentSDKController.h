#pragma once

#include "platform/ui/FlowEnd.h"
#include "platform/ui/NavigationController.h"

#include <memory>

class PaymentSDK;

// The navigation controller of the payment sheet. It owns the charge while the sheet shows;
// the payment screens end the charge through it with paymentDone or canceled, and closing the
// sheet any other way ends it with UserCanceled.
class PaymentSDKController : public NavigationController, public FlowEndDelegate {
    Q_OBJECT
public:
    explicit PaymentSDKController(ViewController* root = nullptr, QObject* parent = nullptr);
    ~PaymentSDKController() override;

    std::shared_ptr<PaymentSDK> payment() const { return payment_; }
    void setPayment(std::shared_ptr<PaymentSDK> payment) { payment_ = std::move(payment); }

    void viewDidLoad() override;
    void viewDidDisappear(bool animated) override;
    void paymentDone(std::shared_ptr<Sale> sale) override;
    void canceled(std::optional<TarvelloError> error) override;
    int supportedInterfaceOrientations() const override { return 2; }
    bool shouldAutorotate() const override { return true; }

private:
    std::shared_ptr<PaymentSDK> payment_;
};

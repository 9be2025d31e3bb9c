#pragma once

#include "SDK/presenters/PaymentSDK.h"
#include "SDK/presenters/SDKSheetNavigation.h"
#include "platform/ui/NavigationController.h"

#include <memory>

// The navigation controller of the payment sheet. It owns the charge while the sheet shows;
// the payment screens end the charge through it with paymentDone or canceled, and closing the
// sheet any other way ends it with 1000.
class PaymentSDKController : public SDKSheetNavigation<NavigationController, PaymentSDK> {
    Q_OBJECT
public:
    using SDKSheetNavigation::SDKSheetNavigation;

    // Portrait only.
    int supportedInterfaceOrientations() const override { return 2; }
    bool shouldAutorotate() const override { return true; }

    std::shared_ptr<PaymentSDK> payment() const { return flow(); }
    void setPayment(std::shared_ptr<PaymentSDK> payment) { setFlow(std::move(payment)); }
    void paymentDone(std::shared_ptr<Sale> sale) override;
};

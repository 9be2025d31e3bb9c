#include "SDK/presenters/PaymentSDKController.h"

#include "SDK/presenters/PaymentSDK.h"
#include "ui_kit/UIKitSupport.h"

PaymentSDKController::PaymentSDKController(ViewController* root, QObject* parent)
    : NavigationController(root, parent) {}

PaymentSDKController::~PaymentSDKController() = default;

void PaymentSDKController::viewDidLoad() {
    NavigationController::viewDidLoad();
    navigationBar()->setTintColor(UIKitSupport::mainColor());
}

void PaymentSDKController::paymentDone(std::shared_ptr<Sale> sale) {
    std::shared_ptr<PaymentSDK> payment = std::move(payment_);
    payment_.reset();
    dismissViewControllerAnimated(true, [payment, sale] {
        if (payment)
            payment->paymentDone(sale);
    });
}

void PaymentSDKController::canceled(std::optional<TarvelloError> error) {
    std::shared_ptr<PaymentSDK> payment = std::move(payment_);
    payment_.reset();
    dismissViewControllerAnimated(true, [payment, error] {
        if (!payment)
            return;
        if (error)
            payment->canceledWithError(*error);
        else
            payment->canceled();
    });
}

void PaymentSDKController::viewDidDisappear(bool animated) {
    NavigationController::viewDidDisappear(animated);
    if ((isBeingDismissed() || !presentingViewController()) && payment_ && !payment_->completed()) {
        std::shared_ptr<PaymentSDK> payment = std::move(payment_);
        payment_.reset();
        payment->canceled();
    }
}

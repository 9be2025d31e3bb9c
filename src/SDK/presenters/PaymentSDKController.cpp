#include "SDK/presenters/PaymentSDKController.h"

void PaymentSDKController::paymentDone(std::shared_ptr<Sale> sale) {
    reportAfterDismissal([sale](PaymentSDK& payment) { payment.paymentDone(sale); });
}

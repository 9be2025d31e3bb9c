#include "payment/flow/PaymentFlowScreens.h"

#include "payment/PaymentScreens.h"
#include "payment/flow/PickPaymentMethodController.h"
#include "payment/flow/RefundController.h"

namespace {

const ScreenName installmentsPicker{PaymentScreens::storyboard,
                                    QLatin1StringView("InstallmentsPicker")};
const ScreenName installmentsList{QLatin1StringView("Installments"),
                                  QLatin1StringView("InstallmentsViewController")};

} // namespace

void PaymentFlowScreens::registerScreens() {
    const ScreenName& pick = PaymentScreens::pickPaymentMethod;
    Storyboard::registerViewController(pick.storyboard, pick.identifier,
                                       [] { return new PickPaymentMethodController(); });
    Storyboard::registerViewController(PaymentScreens::refund.storyboard,
                                       PaymentScreens::refund.identifier,
                                       [] { return new RefundController(); });
    auto segue = [&pick](const char* identifier, const ScreenName& to) {
        Storyboard::registerSegue(pick.storyboard, pick.identifier, QString::fromLatin1(identifier),
                                  {to.storyboard, to.identifier, SegueKind::Push, {}});
    };
    segue("deviceSegue", PaymentScreens::device);
    segue("pickInstallmentsSegue", installmentsPicker);
    segue("InstallmentsViewControllerSegue", installmentsList);
}

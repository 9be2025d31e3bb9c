#include "payment/flow/PaymentFlowScreens.h"

#include "payment/PaymentScreens.h"
#include "payment/flow/AvailableCreditCardsController.h"
#include "payment/flow/InstallmentsInputViewController.h"
#include "payment/flow/InstallmentsPickerController.h"
#include "payment/flow/InstallmentsSelectionViewController.h"
#include "payment/flow/InstallmentsViewController.h"
#include "payment/flow/PickPaymentMethodController.h"
#include "payment/flow/RefundController.h"
#include "platform/ui/NavigationController.h"

namespace {

const ScreenName installmentsPicker{PaymentScreens::storyboard,
                                    QLatin1StringView("InstallmentsPicker")};
const ScreenName availableCreditCards{PaymentScreens::storyboard,
                                      QLatin1StringView("AvailableCreditCards")};
const ScreenName installmentsList{QLatin1StringView("Installments"),
                                  QLatin1StringView("InstallmentsViewController")};

// The installments screens: issuer choice, plan picker, plain list, selection after the card
// read and the typed count.
void registerInstallmentScreens() {
    const QString installments = installmentsList.storyboard;
    Storyboard::registerViewController(availableCreditCards.storyboard,
                                       availableCreditCards.identifier,
                                       [] { return new AvailableCreditCardsController(); });
    Storyboard::registerViewController(installmentsPicker.storyboard, installmentsPicker.identifier,
                                       [] { return new InstallmentsPickerController(); });
    Storyboard::registerViewController(installments, installmentsList.identifier,
                                       [] { return new InstallmentsViewController(); });
    Storyboard::registerViewController(installments,
                                       QStringLiteral("InstallmentsSelectionViewController"),
                                       [] { return new InstallmentsSelectionViewController(); });
    Storyboard::registerViewController(installments,
                                       QStringLiteral("InstallmentsInputViewController"),
                                       [] { return new InstallmentsInputViewController(); });
    Storyboard::registerViewController(
        installments, QStringLiteral("InstallmentsInputViewControllerNavigation"),
        [] { return new NavigationController(new InstallmentsInputViewController()); });
    const ScreenName& device = PaymentScreens::device;
    auto segue = [&device](const ScreenName& from, const char* identifier, const ScreenName& to) {
        Storyboard::registerSegue(from.storyboard, from.identifier, QString::fromLatin1(identifier),
                                  {to.storyboard, to.identifier, SegueKind::Push, {}});
    };
    segue(availableCreditCards, "deviceSegue", device);
    segue(availableCreditCards, "pickInstallmentsSegue", installmentsPicker);
    segue(installmentsPicker, "deviceSegue", device);
    segue(installmentsList, "DeviceControllerSegue", device);
}

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

    registerInstallmentScreens();
}

#include "payment/flow/PaymentFlowScreens.h"

#include "payment/PaymentScreens.h"
#include "payment/flow/AvailableCreditCardsController.h"
#include "payment/flow/InstallmentsInputViewController.h"
#include "payment/flow/InstallmentsPickerController.h"
#include "payment/flow/InstallmentsSelectionViewController.h"
#include "payment/flow/InstallmentsViewController.h"
#include "payment/flow/ManualInputViewController.h"
#include "payment/flow/PaymentDoneController.h"
#include "payment/flow/PaymentViewController.h"
#include "payment/flow/PickPaymentMethodController.h"
#include "payment/flow/RefundController.h"
#include "payment/flow/saleSplitController.h"
#include "payment/signature_receipts/SignatureReceiptScreens.h"
#include "platform/ui/NavigationController.h"

#include "catalog/CatalogScreens.h"

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

    // The application's amount keypad (alone, or beside the sale on pad), manual amount tab and
    // payment result.
    const ScreenName keypad{PaymentScreens::storyboard, QLatin1StringView("PaymentViewController")};
    Storyboard::registerViewController(keypad.storyboard, keypad.identifier,
                                       [] { return new PaymentViewController(); });
    Storyboard::registerSegue(keypad.storyboard, keypad.identifier, QStringLiteral("goPaySegue"),
                              {pick.storyboard, pick.identifier, SegueKind::Push, {}});
    Storyboard::registerViewController(
        QStringLiteral("PaymentIpad"), QStringLiteral("saleSplitController"), [keypad] {
            auto* split = new saleSplitController();
            split->setViewControllers(
                {new NavigationController(Storyboard::instantiate(keypad)),
                 new NavigationController(Storyboard::instantiate(CatalogScreens::saleIpad))});
            return split;
        });
    Storyboard::registerViewController(CatalogScreens::manualInput.storyboard,
                                       CatalogScreens::manualInput.identifier,
                                       [] { return new ManualInputViewController(); });
    Storyboard::registerViewController(SignatureReceiptScreens::paymentDone.storyboard,
                                       SignatureReceiptScreens::paymentDone.identifier,
                                       [] { return new PaymentDoneController(); });
}

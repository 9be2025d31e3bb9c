#include "shop/ShopScreens.h"

#include "SDK/login/LoginHelper.h"
#include "catalog/InputTabBarViewController.h"
#include "payment/card_reading/DeviceController.h"
#include "platform/ui/NavigationController.h"
#include "shop/BuyReader.h"
#include "shop/BuyReaderDetailsController.h"
#include "shop/BuyReaderDoneController.h"
#include "shop/BuyReaderEnterDataController.h"
#include "shop/BuyReaderSelectAmountController.h"
#include "shop/BuyReaderStartController.h"
#include "shop/payment/BuyReaderEnterCVVController.h"
#include "shop/payment/BuyReaderPaymentController.h"
#include "shop/payment/BuyReaderPaymentsController.h"
#include "shop/payment/BuyReaderTermsController.h"
#include "shop/payment/BuyReaderWithCardController.h"
#include "shop/payment/BuyReaderWithWalletController.h"
#include "shop/shipping/BuyReaderAddAddressController.h"
#include "shop/shipping/BuyReaderSelectShippingController.h"

namespace {

const QString kStoryboard = QStringLiteral("BuyReader");

template <class Screen> void screen(const char* identifier) {
    Storyboard::registerViewController(kStoryboard, QLatin1String(identifier),
                                       [] { return new Screen(); });
}

// A screen shown modally inside a navigation controller of its own.
template <class Screen> void inNavigation(const char* identifier) {
    Storyboard::registerViewController(kStoryboard, QLatin1String(identifier),
                                       [] { return new NavigationController(new Screen()); });
}

void segue(const char* from, const char* identifier, const char* to,
           SegueKind kind = SegueKind::Push) {
    Storyboard::registerSegue(kStoryboard, QLatin1String(from), QLatin1String(identifier),
                              {kStoryboard, QLatin1String(to), kind, {}});
}

} // namespace

void ShopScreens::registerScreens() {
    screen<BuyReader>("BuyReader");
    screen<BuyReaderStartController>("BuyReaderStartController");
    screen<BuyReaderDetailsController>("BuyReaderDetailsController");
    screen<BuyReaderSelectAmountController>("BuyReaderSelectAmountController");
    inNavigation<BuyReaderSelectAmountController>("BuyReaderSelectAmountNavigation");
    screen<BuyReaderEnterDataController>("BuyReaderEnterDataController");
    screen<BuyReaderSelectShippingController>("BuyReaderSelectShippingController");
    inNavigation<BuyReaderAddAddressController>("BuyReaderAddAddressNavigation");
    screen<BuyReaderPaymentController>("BuyReaderPaymentController");
    screen<BuyReaderWithCardController>("BuyReaderWithCardController");
    screen<BuyReaderTermsController>("BuyReaderTermsController");
    screen<BuyReaderWithWalletController>("BuyReaderWithWalletController");
    screen<BuyReaderEnterCVVController>("BuyReaderEnterCVVController");
    screen<BuyReaderPaymentsController>("BuyReaderPaymentsController");
    screen<BuyReaderDoneController>("BuyReaderDoneController");
    Storyboard::setInitialViewController(kStoryboard, QStringLiteral("BuyReader"));

    segue("BuyReader", "buySegue", "BuyReaderStartController");
    segue("BuyReader", "buyWebSegue", "BuyReaderStartController");
    segue("BuyReaderStartController", "details", "BuyReaderDetailsController", SegueKind::Modal);
    segue("BuyReaderStartController", "selectAmount", "BuyReaderSelectAmountNavigation",
          SegueKind::Modal);
    segue("BuyReaderStartController", "buy", "BuyReaderEnterDataController");
    segue("BuyReaderEnterDataController", "continue", "BuyReaderSelectShippingController");
    segue("BuyReaderSelectShippingController", "addAddress", "BuyReaderAddAddressNavigation",
          SegueKind::Modal);
    segue("BuyReaderSelectShippingController", "pickUpState", "BuyReaderSelectAmountNavigation",
          SegueKind::Modal);
    segue("BuyReaderSelectShippingController", "continue", "BuyReaderPaymentController");
    segue("BuyReaderPaymentController", "card", "BuyReaderWithCardController");
    segue("BuyReaderPaymentController", "wallet", "BuyReaderWithWalletController");
    segue("BuyReaderWithCardController", "terms", "BuyReaderTermsController");
    segue("BuyReaderWithCardController", "continue", "BuyReaderPaymentsController");
    segue("BuyReaderWithWalletController", "terms", "BuyReaderTermsController");
    segue("BuyReaderWithWalletController", "cvv", "BuyReaderEnterCVVController", SegueKind::Modal);
    segue("BuyReaderWithWalletController", "continue", "BuyReaderPaymentsController");
    segue("BuyReaderPaymentsController", "continue", "BuyReaderDoneController");

    // The sale screen's invitation to test the reader opens the card-reading screen in demo mode.
    InputTabBarViewController::setReaderDemoOpener(
        [](ViewController* target) { DeviceController::presentForTarget(target, true, {}); });

    // The buyer's typed data goes with the session.
    LoginHelper::addLogoutCleanup([] { BuyReaderEnterDataController::lastData().reset(); });
}

#include "ShopFixture.h"
#include "catalog/CatalogScreens.h"
#include "catalog/InputTabBarViewController.h"
#include "payment/card_reading/CardReadingScreens.h"
#include "payment/card_reading/DeviceController.h"
#include "platform/ui/KeyboardNotifications.h"
#include "shop/BuyReaderCell.h"
#include "shop/BuyReaderDetailsController.h"
#include "shop/BuyReaderEnterDataController.h"
#include "shop/BuyReaderStartController.h"
#include "shop/payment/BuyReaderWithCardController.h"
#include "shop/shipping/BuyReaderAddAddressController.h"
#include "ui_kit/AlertController.h"

#include <QGraphicsOpacityEffect>
#include <QLabel>
#include <functional>

using namespace shoptest;

namespace {

class ShopSheetTest : public ShopTest {
protected:
    // The catalogue with its readers and the first row's small picture loaded.
    BuyReaderStartController* catalogueWithPictures() {
        BuyReader* offer = presentOffer(false);
        offer->buyReader();
        settle();
        auto* catalogue = top<BuyReaderStartController>();
        EXPECT_TRUE(catalogue);
        if (!catalogue)
            return nullptr;
        EXPECT_TRUE(waitUntil([&] { return catalogue->readers().has_value(); }));
        EXPECT_TRUE(waitUntil([&] {
            auto* cell = firstCell(catalogue);
            return cell && !cell->devicePicture()->image().isNull();
        }));
        EXPECT_TRUE(waitForOverlayGone(catalogue));
        return catalogue;
    }
    static BuyReaderCell* firstCell(BuyReaderStartController* catalogue) {
        auto* table = catalogue->view()->findChild<TableView*>("tableView");
        return qobject_cast<BuyReaderCell*>(table->cellForRowAtIndexPath({0, 0}));
    }
    BuyReaderDetailsController* sheet() const {
        return qobject_cast<BuyReaderDetailsController*>(topmost());
    }
};

TEST_F(ShopSheetTest, DetailsSheetZoomsFromTheRowOnlyWhenItsPictureIsShown) {
    auto* catalogue = catalogueWithPictures();
    ASSERT_TRUE(catalogue);
    BuyReaderCell* cell = firstCell(catalogue);
    const QVariantMap product = catalogue->readers()->first().toMap();

    // The row has no picture yet: the plain presentation, the sheet loads its own.
    const QImage rowPicture = cell->devicePicture()->image();
    cell->devicePicture()->setImage(QImage());
    catalogue->showDetails(cell);
    ASSERT_TRUE(sheet());
    EXPECT_FALSE(sheet()->isZooming());
    QPointer<BuyReaderDetailsController> first = sheet();
    ASSERT_TRUE(waitUntil([&] { return first->pictureLoaded(); }));
    settle();
    EXPECT_EQ(first->view()->findChild<QLabel*>("titleLabel")->text(), product.value("name"));
    EXPECT_EQ(first->view()->findChild<QLabel*>("techTitleLabel")->text(), "FICHA TÉCNICA");
    screenshot("16-details");
    first->done();
    settle();
    EXPECT_EQ(topmost(), shop.data());
    EXPECT_FALSE(catalogue->isRowSelected(0));

    // With the row's picture shown, that picture flies to the sheet's.
    cell->devicePicture()->setImage(rowPicture);
    catalogue->showDetails(cell);
    QPointer<BuyReaderDetailsController> zoomed = sheet();
    ASSERT_TRUE(zoomed);
    ASSERT_TRUE(zoomed->isZooming());
    EXPECT_TRUE(cell->devicePicture()->isHidden());
    clock->advance(0); // the flight starts once the sheet is in its container
    QWidget* container = zoomed->view()->window();
    auto* flying = container->findChild<ImageView*>("zoomPicture");
    ASSERT_TRUE(flying);
    EXPECT_FALSE(flying->image().isNull());
    const QRect start = flying->geometry();
    clock->advance(BuyReaderDetailsController::kZoomMs / 2);
    auto* fade = qobject_cast<QGraphicsOpacityEffect*>(zoomed->view()->graphicsEffect());
    ASSERT_TRUE(fade);
    EXPECT_GT(fade->opacity(), 0.0);
    EXPECT_LT(fade->opacity(), 1.0);
    EXPECT_NE(flying->geometry(), start);
    clock->advance(BuyReaderDetailsController::kZoomMs);
    EXPECT_FALSE(zoomed->isZooming());
    EXPECT_EQ(container->findChild<ImageView*>("zoomPicture"), nullptr);
    EXPECT_EQ(zoomed->view()->graphicsEffect(), nullptr);
    EXPECT_FALSE(zoomed->view()->findChild<ImageView*>("devicePicture")->isHidden());
    EXPECT_FALSE(cell->devicePicture()->isHidden());

    // Buy chooses the reader in the catalogue and closes; the sheet lets go of the row.
    EXPECT_TRUE(zoomed->pictureLoaded());
    zoomed->buy();
    EXPECT_EQ(zoomed->presentingDevicePicture(), nullptr);
    settle();
    EXPECT_EQ(topmost(), shop.data());
    EXPECT_TRUE(catalogue->isRowSelected(0));
}

TEST_F(ShopSheetTest, DetailsSheetClosedDuringTheZoomPutsThePicturesBack) {
    auto* catalogue = catalogueWithPictures();
    ASSERT_TRUE(catalogue);
    BuyReaderCell* cell = firstCell(catalogue);
    catalogue->showDetails(cell);
    QPointer<BuyReaderDetailsController> zoomed = sheet();
    ASSERT_TRUE(zoomed && zoomed->isZooming());
    clock->advance(10);
    zoomed->done(); // before the flight lands
    settle();
    EXPECT_FALSE(cell->devicePicture()->isHidden());
    EXPECT_EQ(topmost(), shop.data());
}

TEST_F(ShopSheetTest, FormsKeepTheirFootAboveTheKeyboard) {
    const struct {
        const char* what;
        std::function<ShopScreen*()> make;
        const char* field;
    } forms[] = {
        {"buyer data", [] { return new BuyReaderEnterDataController(); }, "firstName"},
        {"card", [] { return new BuyReaderWithCardController(); }, "cardNumber"},
        {"other address", [] { return new BuyReaderAddAddressController(); }, "streetName"},
    };
    for (const auto& f : forms) {
        SCOPED_TRACE(f.what);
        ShopScreen* form = f.make();
        auto record = std::make_shared<PurchaseRecord>();
        record->insert("total", 1000.0);
        form->setPurchase(record);
        shop = new NavigationController(form);
        host->presentViewController(shop, false);
        settle();
        // The shown form may give its first field the keyboard: start without it.
        FirstResponder::resign();
        settle();
        auto* gap = form->view()->findChild<QWidget*>("keyboardGap");
        ASSERT_TRUE(gap);
        EXPECT_EQ(gap->height(), 0);
        auto* field = form->view()->findChild<TextField*>(QLatin1String(f.field));
        field->becomeFirstResponder();
        clock->advance(KeyboardNotifications::kDurationMs / 2);
        const int halfway = gap->height();
        EXPECT_GT(halfway, 0);
        EXPECT_LT(halfway, KeyboardNotifications::kKeyboardHeight);
        clock->advance(KeyboardNotifications::kDurationMs);
        // The view reaches the window's foot: the whole keyboard lies over it.
        EXPECT_EQ(gap->height(), KeyboardNotifications::kKeyboardHeight);
        field->resignFirstResponder();
        clock->advance(KeyboardNotifications::kDurationMs);
        EXPECT_EQ(gap->height(), 0);
        shop->dismissViewControllerAnimated(false);
        settle();
    }
}

TEST_F(ShopSheetTest, SaleScreenInvitationOpensTheReaderDemo) {
    QList<ViewController*> openedOver;
    InputTabBarViewController::setReaderDemoOpener(
        [&openedOver](ViewController* target) { openedOver << target; });
    auto* tabBar = new InputTabBarViewController();
    host->presentViewController(tabBar, false);
    // The catalogue below the invitation loads off the main thread: let it fill first.
    ASSERT_TRUE(waitUntil([&] {
        clock->advance(50);
        for (const QLabel* label : tabBar->view()->findChildren<QLabel*>())
            if (label->text() == QLatin1String("Agua") && label->isVisible())
                return true;
        return false;
    }));
    settle();
    for (const char* button : {"Probar más tarde", "Cancelar", "Probar lector"}) {
        SCOPED_TRACE(button);
        tabBar->demoAlert();
        settle();
        auto* alert = qobject_cast<AlertController*>(tabBar->presentedViewController());
        ASSERT_TRUE(alert);
        EXPECT_EQ(alert->title(), "Probá tu lector");
        if (QLatin1String(button) == QLatin1String("Probar lector"))
            screenshot("17-reader-invitation");
        ASSERT_TRUE(alert->tapActionWithTitle(QString::fromUtf8(button)));
        settle();
        EXPECT_EQ(tabBar->presentedViewController(), nullptr);
    }
    EXPECT_EQ(openedOver, QList<ViewController*>{tabBar});

    // As the SDK wires it: the card-reading screen in its own stack, in demo mode.
    CardReadingScreens::registerScreens(); // other tests put stand-ins in its place
    ShopScreens::registerScreens();
    tabBar->demoAlert();
    settle();
    auto* alert = qobject_cast<AlertController*>(tabBar->presentedViewController());
    ASSERT_TRUE(alert);
    ASSERT_TRUE(alert->tapActionWithTitle(QStringLiteral("Probar lector")));
    settle();
    auto* stack = qobject_cast<NavigationController*>(tabBar->presentedViewController());
    ASSERT_TRUE(stack);
    auto* reading = qobject_cast<DeviceController*>(stack->topViewController());
    ASSERT_TRUE(reading);
    EXPECT_TRUE(reading->demoPresentation());
    tabBar->dismissViewControllerAnimated(false);
    settle();
}

} // namespace

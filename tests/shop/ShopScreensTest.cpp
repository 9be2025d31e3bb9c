#include "SDK/login/LoginHelper.h"
#include "ShopFixture.h"
#include "payment/card_reading/DeviceController.h"
#include "platform/core/UserDefaults.h"
#include "sandbox/routes/ShopRoutes.h"
#include "shop/BuyReaderDoneController.h"
#include "shop/BuyReaderEnterDataController.h"
#include "shop/BuyReaderSelectAmountController.h"
#include "shop/BuyReaderStartController.h"
#include "shop/payment/BuyReaderEnterCVVController.h"
#include "shop/payment/BuyReaderPaymentsController.h"
#include "shop/payment/BuyReaderTermsController.h"
#include "shop/payment/BuyReaderWithCardController.h"
#include "shop/payment/BuyReaderWithWalletController.h"
#include "shop/shipping/BuyReaderAddAddressController.h"
#include "shop/shipping/BuyReaderSelectShippingController.h"

#include <QLabel>
#include <QTabBar>

using namespace shoptest;

namespace {

// The card-reading screen another area provides.
class CardReadingStandIn : public ViewController {};

// A card-reading screen that counts the sales it is sent and whether the shop still covered it.
class SaleCountingDevice : public DeviceController {
public:
    void processSale() override {
        ++sales;
        coveredAtSale = navigationController() && navigationController()->presentedViewController();
    }
    int sales = 0;
    bool coveredAtSale = false;
};

class ShopScreenTest : public ShopTest {
protected:
    // A shop screen pushed on a navigation stack presented over the host, with a record.
    template <class Screen> Screen* pushed(const char* identifier, const Purchase& record) {
        auto* screen = qobject_cast<Screen*>(
            Storyboard::instantiate(QStringLiteral("BuyReader"), QLatin1String(identifier)));
        screen->setPurchase(record);
        auto* below = new ViewController();
        shop = new NavigationController(below);
        host->presentViewController(shop, false);
        shop->pushViewController(screen, false);
        settle();
        return screen;
    }
    static Purchase recordWithBilling(const QString& state) {
        auto record = std::make_shared<PurchaseRecord>();
        record->insert("total", 1000.0);
        record->insert("billingAddress", QVariantMap{{"streetName", "Mitre"},
                                                     {"streetNumber", "350"},
                                                     {"floor", ""},
                                                     {"zipCode", "1000"},
                                                     {"state", state},
                                                     {"city", ""}});
        return record;
    }
    // A record with all an order needs: buyer, a branch pick-up, one reader and the payment.
    static Purchase recordReadyToOrder(const QVariantMap& payment) {
        auto record = recordWithBilling("CABA");
        QVariantMap billing = record->map("billingAddress");
        billing.insert("firstName", "Ana");
        billing.insert("lastName", "Pérez");
        billing.insert("phone", "1144445555");
        billing.insert("document", "1,234");
        record->insert("billingAddress", billing);
        record->insert("payment", payment);
        record->insert("shipping", QVariantMap{{"method", "pickUp"}, {"pickUpId", 7001}});
        record->insert("items",
                       QVariantList{QVariantMap{{"item", QVariantMap{{"id", 1}}}, {"amount", 1}}});
        return record;
    }
};

TEST_F(ShopScreenTest, HandOverFromTheOfferAndTheDoneScreen) {
    const struct {
        const char* what;
        bool fromSaleButton;
        bool standIn; // a card-reading screen exists
        bool bought;  // already bought instead of skip
    } cases[] = {
        {"skip, no sale button", false, true, false},
        {"skip, sale button, phone", true, true, false},
        {"bought, sale button, phone", true, true, true},
        {"bought, no sale button", false, true, true},
        {"skip, sale button, no card-reading screen", true, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        UserDefaults::standardUserDefaults().removeObjectForKey("readerPurchased");
        if (c.standIn)
            Storyboard::registerViewController("Payment", "Device",
                                               [] { return new CardReadingStandIn(); });
        auto* below = new ViewController();
        BuyReader* offer = presentOffer(c.fromSaleButton);
        shop->setViewControllers({below, offer}, false);
        settle();
        if (c.bought)
            offer->readerBought();
        else
            offer->close();
        settle();
        EXPECT_EQ(UserDefaults::standardUserDefaults().boolForKey("readerPurchased"), c.bought);
        const bool pushed = c.fromSaleButton && c.standIn;
        if (pushed) {
            ASSERT_TRUE(shop);
            ASSERT_EQ(shop->viewControllers().size(), 2);
            EXPECT_EQ(shop->viewControllers().at(0), below);
            EXPECT_TRUE(dynamic_cast<CardReadingStandIn*>(shop->viewControllers().at(1)));
        } else {
            EXPECT_EQ(topmost(), host.data());
        }
        if (shop && shop->presentingViewController())
            shop->dismissViewControllerAnimated(false);
        settle();
        Storyboard::removeViewController("Payment", "Device");
    }
}

TEST_F(ShopScreenTest, DoneScreenDropsTheShopBelowTheCardReadingScreen) {
    Storyboard::registerViewController("Payment", "Device",
                                       [] { return new CardReadingStandIn(); });
    auto record = std::make_shared<PurchaseRecord>();
    record->insert("fromSaleButton", true);
    auto* previous = new ViewController();
    auto* offer = qobject_cast<BuyReader*>(Storyboard::instantiate(ShopScreens::buyReader));
    auto* catalogue = new BuyReaderStartController();
    auto* done = new BuyReaderDoneController();
    done->setPurchase(record);
    shop = new NavigationController(previous);
    shop->setViewControllers({previous, offer, catalogue, done}, false);
    host->presentViewController(shop, false);
    settle();
    screenshot("13-done-from-sale-button");
    done->done();
    settle();
    ASSERT_EQ(shop->viewControllers().size(), 2);
    EXPECT_EQ(shop->viewControllers().at(0), previous);
    EXPECT_TRUE(dynamic_cast<CardReadingStandIn*>(shop->viewControllers().at(1)));
    Storyboard::removeViewController("Payment", "Device");
}

TEST_F(ShopScreenTest, CatalogueRefusalPopsAndBuyingNothingIsRefused) {
    sandbox->scriptOnce("POST", "/developers/api/sell/getFrontData.json",
                        SandboxReply::failure(500, "Error"));
    BuyReader* offer = presentOffer(false);
    offer->buyReader();
    settle();
    ASSERT_TRUE(waitUntil([&] { return shownAlert() != nullptr; }));
    EXPECT_EQ(shownAlert()->message(), ShopLook::connError());
    settle();
    EXPECT_TRUE(top<BuyReader>());
    shownAlert()->tapButtonWithTitle("OK");
    settle();

    offer->buyReader();
    settle();
    auto* catalogue = top<BuyReaderStartController>();
    ASSERT_TRUE(catalogue);
    ASSERT_TRUE(waitUntil([&] { return catalogue->readers().has_value(); }));
    catalogue->buy();
    settle();
    ASSERT_TRUE(shownAlert());
    EXPECT_EQ(shownAlert()->message(), "Selecciona algún lector para continuar");
    shownAlert()->tapButtonWithTitle("OK");
    settle();
    // The check button and the quantity: 0 deselects and hides buy.
    catalogue->selectDeviceIndex(1);
    EXPECT_TRUE(catalogue->isRowSelected(1));
    catalogue->setAmountForDeviceIndex(0, 1);
    EXPECT_FALSE(catalogue->isRowSelected(1));
    EXPECT_TRUE(catalogue->view()->findChild<QPushButton*>("buyButton")->isHidden());
    // Back from a later step: no new request.
    catalogue->viewWillAppear(false);
    EXPECT_EQ(sandbox->requestsTo("/developers/api/sell/getFrontData.json").size(), 2);
}

TEST_F(ShopScreenTest, BuyerDataIsRestoredAndALogoutClearsIt) {
    BuyReaderEnterDataController::lastData().reset();
    auto* form = pushed<BuyReaderEnterDataController>("BuyReaderEnterDataController",
                                                      std::make_shared<PurchaseRecord>());
    QWidget* v = form->view();
    EXPECT_EQ(v->findChild<QPushButton*>("stateButton")->text(), "Seleccionar provincia");
    EXPECT_TRUE(v->findChild<QWidget*>("cityRow")->isHidden());
    type(v->findChild<TextField*>("firstName"), "Ana");
    auto* document = v->findChild<TextField*>("personalId");
    type(document, "123456789"); // a ninth digit is refused
    EXPECT_EQ(document->text(), "12,345,678");
    document->clear();
    document->insertText("123456789"); // pasted at once
    EXPECT_EQ(document->text(), "123,456,789");
    v->findChild<PickerView*>("statePicker")->pickRow(1, 0); // CABA: no city
    EXPECT_TRUE(v->findChild<QWidget*>("cityRow")->isHidden());
    shop->popViewControllerAnimated(false);
    settle();
    ASSERT_TRUE(BuyReaderEnterDataController::lastData().has_value());
    EXPECT_EQ(BuyReaderEnterDataController::lastData()->value("firstName"), "Ana");

    form = qobject_cast<BuyReaderEnterDataController*>(Storyboard::instantiate(
        QStringLiteral("BuyReader"), QStringLiteral("BuyReaderEnterDataController")));
    shop->pushViewController(form, false);
    settle();
    EXPECT_EQ(form->view()->findChild<TextField*>("firstName")->text(), "Ana");
    EXPECT_EQ(form->view()->findChild<QPushButton*>("stateButton")->text(), "CABA");
    shop->popViewControllerAnimated(false);
    settle();

    LoginHelper().logout();
    EXPECT_FALSE(BuyReaderEnterDataController::lastData().has_value());
}

TEST_F(ShopScreenTest, PickUpWithNoBranchCannotGoOnAndAFailedSearchPops) {
    auto* shipping = pushed<BuyReaderSelectShippingController>(
        "BuyReaderSelectShippingController", recordWithBilling("Tierra del Fuego"));
    shipping->view()->findChild<QTabBar*>("tabs")->setCurrentIndex(1);
    ASSERT_TRUE(waitUntil([&] { return shipping->pickUpLocationsInState().has_value(); }));
    settle();
    EXPECT_TRUE(shipping->pickUpLocationsInState()->isEmpty());
    auto* go = shipping->view()->findChild<QPushButton*>("continueButton");
    EXPECT_FALSE(go->isEnabled());
    shipping->goToNext();
    settle();
    EXPECT_EQ(top<BuyReaderSelectShippingController>(), shipping);
    EXPECT_FALSE(shipping->purchase()->contains("shipping"));
    screenshot("14-shipping-no-branch");

    sandbox->scriptOnce("POST", "/developers/api/sell/veloxaConsultarSucursales.json",
                        SandboxReply::json(QVariantMap{{"status", "ERROR"}}));
    shipping->loadLocations();
    ASSERT_TRUE(waitUntil([&] { return shownAlert() != nullptr; }));
    settle();
    EXPECT_NE(top<BuyReaderSelectShippingController>(), shipping);
}

TEST_F(ShopScreenTest, AnotherAddressIsStoredOnlyWhenComplete) {
    auto* shipping = pushed<BuyReaderSelectShippingController>("BuyReaderSelectShippingController",
                                                               recordWithBilling("CABA"));
    shipping->addAddress();
    settle();
    auto* nav = qobject_cast<NavigationController*>(topmost());
    ASSERT_TRUE(nav);
    auto* form = qobject_cast<BuyReaderAddAddressController*>(nav->topViewController());
    ASSERT_TRUE(form);
    QWidget* v = form->view();
    type(v->findChild<TextField*>("streetName"), "Mitre");
    type(v->findChild<TextField*>("streetNumber"), "350");
    type(v->findChild<TextField*>("zipCode"), "5000");
    type(v->findChild<TextField*>("city"), "Río Cuarto");
    form->textFieldShouldReturn(v->findChild<TextField*>("city")); // Return without a province
    settle();
    EXPECT_FALSE(shipping->purchase()->contains("shippingAddress"));
    EXPECT_FALSE(form->canAdd());
    v->findChild<PickerView*>("statePicker")->pickRow(6, 0); // Córdoba; the city stays
    EXPECT_EQ(v->findChild<QPushButton*>("stateButton")->text(), "Córdoba");
    EXPECT_TRUE(form->canAdd());
    screenshot("15-other-address");
    form->textFieldShouldReturn(v->findChild<TextField*>("city"));
    settle();
    const QVariantMap stored = shipping->purchase()->map("shippingAddress");
    EXPECT_EQ(stored.value("state"), "Córdoba");
    EXPECT_EQ(stored.value("city"), "Río Cuarto");
    shipping->goToNext();
    settle();
    EXPECT_EQ(shipping->purchase()->map("shipping").value("address").toMap().value("state"),
              "Córdoba");
}

TEST_F(ShopScreenTest, PlansAndOrderFailures) {
    auto record = recordReadyToOrder(
        {{"method", "wallet"}, {"walletId", "w-1"}, {"cardNumber", "4509953566233704"}});

    // An answer without plans is a failed plans request: alert and back.
    sandbox->scriptOnce("POST", "/developers/api/installments/getInstallments.json",
                        SandboxReply::ok({{"data", QVariantList()}}));
    auto* plans = pushed<BuyReaderPaymentsController>("BuyReaderPaymentsController", record);
    ASSERT_TRUE(waitUntil([&] { return shownAlert() != nullptr; }));
    settle();
    EXPECT_NE(top<BuyReaderPaymentsController>(), plans);
    shownAlert()->tapButtonWithTitle("OK");
    settle();

    // A refused order keeps the screen and shows the back end's message.
    sandbox->scriptOnce("POST", "/developers/api/sell/setOrderData.json",
                        SandboxReply::failure(402, "La tarjeta fue rechazada"));
    plans = qobject_cast<BuyReaderPaymentsController*>(Storyboard::instantiate(
        QStringLiteral("BuyReader"), QStringLiteral("BuyReaderPaymentsController")));
    plans->setPurchase(record);
    shop->pushViewController(plans, false);
    ASSERT_TRUE(waitUntil([&] { return plans->installments().size() == 4; }));
    ASSERT_TRUE(waitForOverlayGone(plans));
    plans->goToNext();
    ASSERT_TRUE(waitUntil([&] { return shownAlert() != nullptr; }));
    settle();
    EXPECT_EQ(shownAlert()->message(), "La tarjeta fue rechazada");
    EXPECT_EQ(top<BuyReaderPaymentsController>(), plans);
    EXPECT_EQ(record->value("payments"), "1");
    EXPECT_EQ(record->value("promotionId"), "p-1");
}

TEST_F(ShopScreenTest, WalletWithoutCardsOrWithARefusalGoesBack) {
    const struct {
        const char* what;
        SandboxReply reply;
        const char* message; // start of the alert text
    } cases[] = {
        {"no cards",
         SandboxReply::json(QVariantMap{{"status", "OK"}, {"payments", QVariantList()}}),
         "No tenés ninguna tarjeta asociada."},
        {"no usable card",
         SandboxReply::json(QVariantMap{{"status", "OK"},
                                        {"payments", QVariantList{QVariantMap{{"cc", "4111"}}}}}),
         "No tenés ninguna tarjeta asociada."},
        {"refusal without message", SandboxReply::json(QVariantMap{{"status", "ERROR"}}),
         "Hubo un problema con la conexión"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        sandbox->scriptOnce("POST", "/developers/api/sell/getBilleteraCards.json", c.reply);
        auto* wallet = pushed<BuyReaderWithWalletController>("BuyReaderWithWalletController",
                                                             recordWithBilling("CABA"));
        ASSERT_TRUE(waitUntil([&] { return shownAlert() != nullptr; }));
        settle();
        EXPECT_TRUE(shownAlert()->message().startsWith(QString::fromUtf8(c.message)));
        EXPECT_NE(top<BuyReaderWithWalletController>(), wallet);
        shownAlert()->tapButtonWithTitle("OK");
        shop->dismissViewControllerAnimated(false);
        settle();
    }
}

TEST_F(ShopScreenTest, AnExpiredSessionClosesTheShop) {
    sandbox->scriptOnce("POST", "/developers/api/sell/getBilleteraCards.json",
                        SandboxReply::unauthorized());
    auto* wallet = pushed<BuyReaderWithWalletController>("BuyReaderWithWalletController",
                                                         recordWithBilling("CABA"));
    ASSERT_TRUE(waitUntil([&] { return User::instance().token().isEmpty(); }));
    settle();
    EXPECT_FALSE(wallet && wallet->isDisplayingActivityIndicator());
    EXPECT_EQ(topmost(), host.data());
}

TEST_F(ShopScreenTest, PadHandOverSendsTheSaleOnceTheShopIsGoneAndOnlyToACardReadingScreen) {
    Device::current().setIdiom(Device::Idiom::Pad);
    const struct {
        const char* what;
        bool cardReadingBelow;
        int ending; // 0 already bought, 1 skip, 2 the done screen
    } cases[] = {
        {"bought over the card-reading screen", true, 0},
        {"skip over the card-reading screen", true, 1},
        {"done over the card-reading screen", true, 2},
        {"bought over another screen", false, 0},
        {"done over another screen", false, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        auto* device = c.cardReadingBelow ? new SaleCountingDevice() : nullptr;
        auto* base = new NavigationController(device ? device : new ViewController());
        host->presentViewController(base, false);
        settle();
        auto* offer = qobject_cast<BuyReader*>(Storyboard::instantiate(ShopScreens::buyReader));
        offer->setFromSaleButton(true);
        shop = new NavigationController(offer);
        base->presentViewController(shop, false);
        settle();
        if (c.ending == 0) {
            offer->readerBought();
        } else if (c.ending == 1) {
            offer->close();
        } else {
            auto record = std::make_shared<PurchaseRecord>();
            record->insert("fromSaleButton", true);
            auto* done = new BuyReaderDoneController();
            done->setPurchase(record);
            shop->pushViewController(done, false);
            settle();
            done->done();
        }
        settle();
        EXPECT_EQ(base->presentedViewController(), nullptr);
        if (device) {
            EXPECT_EQ(device->sales, 1);
            EXPECT_FALSE(device->coveredAtSale);
        }
        host->dismissViewControllerAnimated(false);
        settle();
    }
}

TEST_F(ShopScreenTest, TermsLinksOpenTheTermsPageWhoseLinksGoOutside) {
    for (const char* screenName :
         {"BuyReaderWithCardController", "BuyReaderWithWalletController"}) {
        SCOPED_TRACE(screenName);
        opener->opened.clear();
        ViewController* form = nullptr;
        if (QLatin1String(screenName) == QLatin1String("BuyReaderWithCardController"))
            form = pushed<BuyReaderWithCardController>(screenName, recordWithBilling("CABA"));
        else
            form = pushed<BuyReaderWithWalletController>(screenName, recordWithBilling("CABA"));
        ASSERT_TRUE(waitForOverlayGone(form));
        auto* terms = form->view()->findChild<QLabel*>("termsTextView");
        ASSERT_TRUE(terms);
        EXPECT_TRUE(terms->text().contains("Términos y Condiciones"));
        emit terms->linkActivated("https://www.pagora.example/legales");
        EXPECT_EQ(opener->opened, QList<QUrl>{QUrl("https://www.pagora.example/legales")});
        EXPECT_EQ(shop->topViewController(), form);

        emit terms->linkActivated("terms://terms");
        settle();
        auto* page = top<BuyReaderTermsController>();
        ASSERT_TRUE(page);
        ASSERT_TRUE(waitUntil([&] { return !page->isLoading(); }));
        ASSERT_TRUE(waitForOverlayGone(page));
        auto* web = page->view()->findChild<QTextBrowser*>("webView");
        EXPECT_TRUE(web->toPlainText().contains("Términos y Condiciones para compradores"));
        if (QLatin1String(screenName) == QLatin1String("BuyReaderWithCardController"))
            screenshot("18-terms");
        emit web->anchorClicked(QUrl("https://www.pagora.example/ayuda"));
        EXPECT_EQ(opener->opened.last(), QUrl("https://www.pagora.example/ayuda"));
        EXPECT_EQ(top<BuyReaderTermsController>(), page);
        shop->dismissViewControllerAnimated(false);
        settle();
    }
}

TEST_F(ShopScreenTest, SecurityCodeTextsAndLengthsFollowTheBrand) {
    const struct {
        const char* number;
        const char* subtitle;
        int minLength, maxLength;
        bool fourthDigitTaken;
    } cases[] = {
        {"371180303257522", "Ingresá el código ubicado en el frente de tu tarjeta Amex *7522", 4, 4,
         true},
        {"9999888877776666", "Ingresá el código ubicado en el dorso de tu tarjeta *6666", 3, 4,
         true},
        {"4509953566233704", "Ingresá el código ubicado en el dorso de tu tarjeta Visa *3704", 3, 3,
         false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.number);
        auto* code = new BuyReaderEnterCVVController();
        code->setPurchase(recordWithBilling("CABA"));
        code->setCard({{"cc", c.number}, {"uid", "w-1"}, {"cvvRequired", true}});
        host->presentViewController(code, false);
        settle();
        EXPECT_EQ(code->view()->findChild<QLabel*>("subtitleLabel")->text(),
                  QString::fromUtf8(c.subtitle));
        EXPECT_EQ(code->minLength(), c.minLength);
        EXPECT_EQ(code->maxLength(), c.maxLength);
        auto* field = code->view()->findChild<TextField*>("cvv");
        auto* go = code->view()->findChild<QPushButton*>("continueButton");
        type(field, "12");
        EXPECT_TRUE(go->isHidden());
        type(field, "3");
        EXPECT_EQ(go->isHidden(), c.minLength > 3);
        type(field, "45"); // the fifth digit is never taken
        EXPECT_EQ(field->text(), c.fourthDigitTaken ? "1234" : "123");
        EXPECT_FALSE(go->isHidden());
        host->dismissViewControllerAnimated(false);
        settle();
    }
}

TEST_F(ShopScreenTest, BuyerDataReturnWalksTheFieldsAndGoesOnOnlyWhenComplete) {
    auto* form = pushed<BuyReaderEnterDataController>("BuyReaderEnterDataController",
                                                      std::make_shared<PurchaseRecord>());
    QWidget* v = form->view();
    const auto field = [v](const char* name) { return v->findChild<TextField*>(name); };
    const char* chain[][2] = {
        {"firstName", "lastName"}, {"lastName", "personalId"},     {"personalId", "phone"},
        {"phone", "streetName"},   {"streetName", "streetNumber"}, {"streetNumber", "zipCode"},
        {"zipCode", "floor"}};
    for (const auto& step : chain) {
        SCOPED_TRACE(step[0]);
        form->textFieldShouldReturn(field(step[0]));
        EXPECT_TRUE(field(step[1])->isFirstResponder());
    }
    auto* picker = v->findChild<PickerView*>("statePicker");
    EXPECT_TRUE(picker->isHidden());
    form->textFieldShouldReturn(field("floor")); // the province picker opens
    EXPECT_FALSE(picker->isHidden());
    picker->pickRow(6, 0); // Córdoba: a city is asked
    EXPECT_FALSE(v->findChild<QWidget*>("cityRow")->isHidden());
    type(field("city"), "Río Cuarto");
    form->textFieldShouldReturn(field("city")); // incomplete: stays
    settle();
    EXPECT_EQ(top<BuyReaderEnterDataController>(), form);
    type(field("firstName"), "Ana");
    type(field("lastName"), "Pérez");
    type(field("personalId"), "12345678");
    type(field("phone"), "1144445555");
    type(field("streetName"), "Mitre");
    type(field("streetNumber"), "350");
    type(field("zipCode"), "5000");
    form->textFieldShouldReturn(field("city")); // complete: on to shipping
    settle();
    EXPECT_TRUE(top<BuyReaderSelectShippingController>());
    EXPECT_EQ(form->purchase()->map("billingAddress").value("city"), "Río Cuarto");
}

TEST_F(ShopScreenTest, CatalogueRecordHoldsEachChosenReaderWithItsQuantity) {
    BuyReader* offer = presentOffer(false);
    offer->buyReader();
    settle();
    auto* catalogue = top<BuyReaderStartController>();
    ASSERT_TRUE(catalogue);
    ASSERT_TRUE(waitUntil([&] { return catalogue->readers().has_value(); }));
    ASSERT_TRUE(waitForOverlayGone(catalogue));
    auto* table = catalogue->view()->findChild<TableView*>("tableView");
    table->tapRowAtIndexPath({0, 0});
    catalogue->setAmountForDeviceIndex(2, 0);
    table->tapRowAtIndexPath({0, 1});
    table->tapRowAtIndexPath({0, 0}); // tapping a chosen row keeps its quantity
    EXPECT_EQ(catalogue->amounts(), (QList<int>{2, 1}));
    catalogue->buy();
    settle();
    auto* form = top<BuyReaderEnterDataController>();
    ASSERT_TRUE(form);
    const Purchase record = form->purchase();
    const QVariantList items = record->value("items").toList();
    ASSERT_EQ(items.size(), 2);
    EXPECT_EQ(items.at(0).toMap().value("item").toMap().value("price").toDouble(), 1500.0);
    EXPECT_EQ(items.at(0).toMap().value("amount").toInt(), 2);
    EXPECT_EQ(items.at(1).toMap().value("item").toMap().value("price").toDouble(), 1499.5);
    EXPECT_EQ(items.at(1).toMap().value("amount").toInt(), 1);
    EXPECT_DOUBLE_EQ(record->value("total").toDouble(), 4499.5);
    EXPECT_FALSE(record->value("fromSaleButton").toBool());
}

TEST_F(ShopScreenTest, CardFormCutsTheCodeOnABrandChangeAndHandsOnSixKeys) {
    auto* card = pushed<BuyReaderWithCardController>("BuyReaderWithCardController",
                                                     recordWithBilling("CABA"));
    QWidget* v = card->view();
    const auto field = [v](const char* name) { return v->findChild<TextField*>(name); };
    auto* go = v->findChild<QPushButton*>("continueButton");
    type(field("cardNumber"), "371449635398431"); // American Express: a code of 4
    type(field("expirationDate"), "1230");
    type(field("securityCode"), "1234");
    type(field("nameOnCard"), "ANA PEREZ");
    type(field("personalId"), "12345678");
    EXPECT_EQ(field("securityCode")->text(), "1234");
    EXPECT_FALSE(go->isHidden());
    field("cardNumber")->clear();
    type(field("cardNumber"), "4111111111111111"); // Visa: the code is cut to 3
    EXPECT_EQ(field("securityCode")->text(), "123");
    EXPECT_FALSE(go->isHidden());
    field("expirationDate")->clear();
    type(field("expirationDate"), "12"); // no year yet: cannot go on
    EXPECT_TRUE(go->isHidden());
    type(field("expirationDate"), "30");
    ASSERT_FALSE(go->isHidden());
    go->click();
    settle();
    EXPECT_EQ(card->purchase()->map("payment"), (QVariantMap{{"method", "card"},
                                                             {"name", "ANA PEREZ"},
                                                             {"document", "12,345,678"},
                                                             {"cardNumber", "4111111111111111"},
                                                             {"securityCode", "123"},
                                                             {"expireDate", "1230"}}));
    EXPECT_TRUE(top<BuyReaderPaymentsController>());
}

TEST_F(ShopScreenTest, ASinglePlanPlacesTheOrderWithoutATap) {
    auto record = recordReadyToOrder({{"method", "wallet"},
                                      {"walletId", "w-102"},
                                      {"cardNumber", "5485123456780604"},
                                      {"securityCode", "739"}});
    sandbox->scriptOnce(
        "POST", "/developers/api/installments/getInstallments.json",
        SandboxReply::ok(
            {{"data", QVariantList{
                          QVariantMap{{"installments", QVariantMap{{"1", QVariantMap{
                                                                             {"Payment", 1000},
                                                                             {"PromotionId", "p-9"},
                                                                         }}}}}}}}));
    pushed<BuyReaderPaymentsController>("BuyReaderPaymentsController", record);
    ASSERT_TRUE(waitUntil(
        [&] { return top<BuyReaderDoneController>() != nullptr || shownAlert() != nullptr; }));
    ASSERT_FALSE(shownAlert()) << shownAlert()->message().toStdString();
    const auto orders = sandbox->requestsTo("/developers/api/sell/setOrderData.json");
    ASSERT_EQ(orders.size(), 1);
    EXPECT_EQ(orders.first().field("installments"), "1");
    EXPECT_EQ(orders.first().field("promotionId"), "p-9");
    EXPECT_FALSE(record->map("payment").contains("securityCode"));
}

TEST_F(ShopScreenTest, ShippingRowsFillTheRecordAndAProvinceChangeTakesItsFirstBranch) {
    auto* shipping = pushed<BuyReaderSelectShippingController>("BuyReaderSelectShippingController",
                                                               recordWithBilling("CABA"));
    auto* table = shipping->view()->findChild<TableView*>("tableView");
    const Purchase record = shipping->purchase();
    // Goes on from the chosen row, then comes back to the shipping step.
    const auto goOnAndBack = [&] {
        shipping->goToNext();
        settle();
        EXPECT_NE(top<BuyReaderSelectShippingController>(), shipping);
        shop->popViewControllerAnimated(false);
        settle();
        return record->map("shipping");
    };
    EXPECT_EQ(goOnAndBack(),
              (QVariantMap{{"method", "ship"}, {"address", record->map("billingAddress")}}));

    // Another address: the modify button's form cancelled keeps it as it was.
    const QVariantMap other{
        {"streetName", "San Martín"}, {"streetNumber", "55"}, {"floor", ""},
        {"zipCode", "5000"},          {"state", "Córdoba"},   {"city", "Río Cuarto"}};
    record->insert("shippingAddress", other);
    shipping->shippingAddressUpdated();
    auto* otherRow = shipping->view()->findChild<QWidget*>("Cell1");
    ASSERT_TRUE(otherRow);
    otherRow->findChild<QPushButton*>("modifyButton")->click();
    settle();
    auto* formNav = qobject_cast<NavigationController*>(topmost());
    ASSERT_TRUE(formNav);
    auto* form = qobject_cast<BuyReaderAddAddressController*>(formNav->topViewController());
    ASSERT_TRUE(form);
    EXPECT_EQ(form->view()->findChild<QPushButton*>("stateButton")->text(), "Córdoba");
    form->view()->findChild<TextField*>("streetNumber")->insertText("9");
    form->cancel();
    settle();
    EXPECT_EQ(record->map("shippingAddress"), other);
    EXPECT_EQ(goOnAndBack(), (QVariantMap{{"method", "ship"}, {"address", other}}));

    // Pick-up: the second branch, then another province brings its first branch.
    shipping->view()->findChild<QTabBar*>("tabs")->setCurrentIndex(1);
    ASSERT_TRUE(waitUntil([&] { return shipping->pickUpLocationsInState().has_value(); }));
    ASSERT_TRUE(waitForOverlayGone(shipping));
    table->tapRowAtIndexPath({2, 0});
    EXPECT_EQ(goOnAndBack().value("pickUpId").toInt(), 7002);
    table->tapRowAtIndexPath({0, 0});
    settle();
    auto* sheetNav = qobject_cast<NavigationController*>(topmost());
    ASSERT_TRUE(sheetNav);
    auto* sheet = qobject_cast<BuyReaderSelectAmountController*>(sheetNav->topViewController());
    ASSERT_TRUE(sheet);
    const int cordoba = int(sheet->items().indexOf("Córdoba"));
    ASSERT_GE(cordoba, 0);
    sheet->view()->findChild<TableView*>("tableView")->tapRowAtIndexPath({0, cordoba});
    ASSERT_TRUE(waitUntil([&] {
        return sandbox->requestsTo("/developers/api/sell/veloxaConsultarSucursales.json").size() ==
               2;
    }));
    ASSERT_TRUE(waitForOverlayGone(shipping));
    EXPECT_EQ(sandbox->requestsTo("/developers/api/sell/veloxaConsultarSucursales.json")
                  .last()
                  .field("provincia"),
              "CORDOBA");
    ASSERT_TRUE(table->indexPathForSelectedRow());
    EXPECT_EQ(table->indexPathForSelectedRow()->section, 1);
    EXPECT_EQ(goOnAndBack(), (QVariantMap{{"method", "pickUp"}, {"pickUpId", 7001}}));
}

} // namespace

#include "DeviceFixture.h"

#include "api/FunctionCode.h"
#include "model/AvailableCreditCards.h"
#include "model/States.h"
#include "payment/SaleEntryScreens.h"
#include "payment/card_reading/BuyerAddressController.h"
#include "payment/card_reading/PinController.h"
#include "payment/card_reading/ScreenRequest.h"
#include "payment/signature_receipts/SendReceiptDataController.h"
#include "payment/signature_receipts/SignatureViewController.h"
#include "platform/ui/KeyboardNotifications.h"
#include "platform/ui/SlidingViewController.h"
#include "support/AmountKeypadStandIn.h"

namespace {

// The cardholder screens over a plain root, in an SDK flow, against the sandbox.
class CardholderFixture : public DeviceFixture {
protected:
    void TearDown() override {
        AvailableCreditCards::instance().setList(std::nullopt);
        DeviceFixture::TearDown();
    }
    template <class Screen> Screen* show(Screen* screen, std::shared_ptr<Sale> sale) {
        screen->setSale(std::move(sale));
        auto* recorder = new FlowRecorder(new ViewController());
        navigation = recorder;
        flow = recorder;
        window = new Window();
        window->setRootViewController(recorder);
        window->makeKeyAndVisible();
        recorder->pushViewController(screen, false);
        settle();
        return screen;
    }
    // A request for the sale's operation with the screen as delegate, as the flow sends it.
    void sendOperation(ViewController* screen, APIControllerDelegate* delegate,
                       const std::shared_ptr<Sale>& sale) {
        ScreenRequest::sendOperation(screen, delegate, ScreenRequest::Operation::ForTrxType, sale,
                                     User::instance().userId(), User::instance().token());
    }
    ViewController* top() const { return navigation ? navigation->topViewController() : nullptr; }
    template <class T> T* presented() const {
        const auto shown = window->presentedViewControllers();
        for (auto it = shown.crbegin(); it != shown.crend(); ++it)
            if (auto* screen = qobject_cast<T*>(*it))
                return screen;
        return nullptr;
    }
};

} // namespace

// ---------------------------------------------------------------- verification screen

TEST_F(CardholderFixture, SecurityCodeBoxesFollowTheBrand) {
    struct Case {
        const char* issuer;
        int boxes;
        const char* instructions;
    } cases[] = {
        {"American Express", 4, "search4Digits"},
        {"Visa", 3, "search3Digits"},
        {"", 3, "search3Digits"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.issuer);
        auto sale = swipedSale(10);
        sale->creditCard()->setCardIssuer(QString::fromLatin1(c.issuer));
        PinController* pin = show(new PinController(), sale);
        EXPECT_EQ(pin->pinLength(), c.boxes);
        EXPECT_EQ(!pin->outlet<QWidget>("pinView4")->isHidden(), c.boxes == 4);
        EXPECT_EQ(pin->outlet<QLabel>("instructions")->text(), sectionText("Pin", c.instructions));
        if (c.boxes == 4) {
            window->rootViewController()->view()->resize(375, 667);
            settle();
            shoot("cardholder_check");
        }
        closeWindow();
    }
}

TEST_F(CardholderFixture, SignatureRule) {
    struct Case {
        const char* name;
        double total;
        int trxType;
        bool pinBlock;
        const char* saleCurrency;
        QVariantList currencies;
        bool signs;
    } cases[] = {
        {"PIN block", 900, 0, true, "32", {}, false},
        {"refund", 900, 2, false, "32", {}, false},
        {"total equal to the limit", 500, 0, false, "32", {}, true},
        {"total below the limit", 499.99, 0, false, "32", {}, false},
        {"limit's currency first: limit / rate",
         25,
         0,
         false,
         "840",
         {QVariantMap{{"code", "32"}, {"exchangeRate", "20"}}},
         true},
        {"limit's currency first, below",
         24.9,
         0,
         false,
         "840",
         {QVariantMap{{"code", "32"}, {"exchangeRate", "20"}}},
         false},
        {"other currency first: limit x rate",
         9999,
         0,
         false,
         "840",
         {QVariantMap{{"code", "840"}, {"exchangeRate", "20"}}},
         false},
        {"other currency first, at the limit",
         10000,
         0,
         false,
         "840",
         {QVariantMap{{"code", "840"}, {"exchangeRate", "20"}}},
         true},
        {"zero rate signs",
         1,
         0,
         false,
         "840",
         {QVariantMap{{"code", "32"}, {"exchangeRate", "0"}}},
         true},
        {"missing rate signs", 1, 0, false, "840", {QVariantMap{{"code", "32"}}}, true},
        {"no currencies signs", 1, 0, false, "840", {}, true},
    };
    AccountSettings& settings = AccountSettings::instance();
    settings.setSignatureLimitAmount(500);
    settings.setSignatureLimitCurrencyCode(QStringLiteral("032"));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto sale = swipedSale(c.total, c.trxType);
        sale->setCurrencyCode(QString::fromLatin1(c.saleCurrency));
        if (c.pinBlock)
            sale->creditCard()->setPinBlock(QStringLiteral("A1B2C3D4E5F60708"));
        settings.setCurrencies(c.currencies);
        EXPECT_EQ(PinController::signatureRuleFor(*sale, settings), c.signs);
    }
}

TEST_F(CardholderFixture, DocumentNumberKeepsEightCharacters) {
    PinController* pin = show(new PinController(), swipedSale(10));
    auto* field = pin->outlet<TextField>("idNumber");
    for (QChar digit : QStringLiteral("123456789"))
        field->insertText(digit);
    EXPECT_EQ(field->text(), "12345678");
    field->clear();
    field->insertText(QStringLiteral("9876543210"));
    EXPECT_EQ(field->text(), "98765432");
}

TEST_F(CardholderFixture, EmptyDocumentStopsASaleButNotARefund) {
    PinController* pin = show(new PinController(), swipedSale(10));
    pin->done();
    ASSERT_NE(shownAlert(), nullptr);
    EXPECT_EQ(shownAlert()->message(), sectionText("Pin", "completeIdNumber"));
    settle();
    EXPECT_TRUE(requests("/payments/savePersonalId.json").isEmpty());
    EXPECT_EQ(top(), pin);
    closeWindow();

    // No signature for a refund: the empty number is uploaded and the receipt step follows.
    auto refund = swipedSale(10, 2);
    refund->creditCard()->setIdNumber(QStringLiteral("stale"));
    pin = show(new PinController(), refund);
    pin->done();
    settle();
    EXPECT_EQ(refund->creditCard()->IdNumber(), "");
    ASSERT_TRUE(waitFor([&] { return !requests("/payments/savePersonalId.json").isEmpty(); }));
    EXPECT_EQ(requests("/payments/savePersonalId.json").first().field("saleId"), "900");
    EXPECT_NE(qobject_cast<SendReceiptDataController*>(top()), nullptr);
}

TEST_F(CardholderFixture, RefundIdBeatsSaleIdAndEndsTheRefund) {
    scriptSave({{"success", "ok"}, {"saleId", 40}, {"refundId", 41}}, "/refunds/makeRefund.json");
    auto refund = swipedSale(10, 2);
    PinController* pin = show(new PinController(), refund);
    sendOperation(pin, pin, refund);
    ASSERT_TRUE(waitFor([&] { return !flow->ends.isEmpty(); }));
    EXPECT_EQ(flow->ends, QStringList{"operationDone"});
    EXPECT_EQ(refund->saleId(), "41");
    EXPECT_TRUE(requests("/payments/operationCompletion.json").isEmpty());
}

TEST_F(CardholderFixture, ApprovedSaleWithoutSignatureGoesOnToTheReceipt) {
    AccountSettings::instance().setSignatureLimitAmount(1000);
    scriptSave({{"success", "OK"}, {"saleId", 77}, {"payment", QVariantMap{{"name", "Visa"}}}});
    auto sale = swipedSale(10);
    sale->setPaymentMethodName(QStringLiteral("Visa 3 cuotas"));
    PinController* pin = show(new PinController(), sale);
    ASSERT_FALSE(pin->signatureRequired());
    pin->outlet<TextField>("idNumber")->insertText(QStringLiteral("30111222"));
    sendOperation(pin, pin, sale);
    ASSERT_TRUE(waitFor([&] { return qobject_cast<SendReceiptDataController*>(top()); }));
    const auto status = requests("/payments/operationCompletion.json");
    ASSERT_EQ(status.size(), 1);
    EXPECT_EQ(status.first().field("operationId"), "77");
    EXPECT_EQ(sale->paymentMethodName(), "Visa 3 cuotas");
    EXPECT_TRUE(flow->ends.isEmpty());
}

TEST_F(CardholderFixture, RefusalsOfTheOperation) {
    struct Case {
        const char* name;
        int code;
        bool retry;
        const char* end; // "" : the screen stays
        qint64 errorCode;
    } cases[] = {
        {"723 asks to force even with retry off", 723, false, "", 0},
        {"other code, retry off: 1004", 51, false, "canceled", 1004},
        {"other code, retry on: the message", 51, true, "", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TarvelloSDK::sharedSDK().setRetryOnDenied(c.retry);
        scriptSave({{"success", "NO"},
                    {"response", QVariantMap{{"code", c.code}, {"message", "Rechazada"}}}});
        auto sale = swipedSale(10);
        PinController* pin = show(new PinController(), sale);
        sendOperation(pin, pin, sale);
        ASSERT_TRUE(waitFor([&] { return shownAlert() || !flow->ends.isEmpty(); }));
        EXPECT_EQ(flow->ends.join(','), c.end);
        if (c.errorCode) {
            ASSERT_TRUE(flow->error);
            EXPECT_EQ(flow->error->code, c.errorCode);
            EXPECT_EQ(flow->error->description, "Rechazada");
            ASSERT_TRUE(flow->error->underlying);
            EXPECT_EQ(flow->error->underlying->code, c.code);
        } else {
            EXPECT_EQ(shownAlert()->message(), "Rechazada");
            EXPECT_EQ(shownAlert() == pin->forceTransaction(), c.code == 723);
        }
        dismissAll();
        closeWindow();
    }
}

TEST_F(CardholderFixture, ForceResendsTheRefusedOperationAndCancelEndsTheFlow) {
    sandbox->scriptOnce(
        "POST", "/developers/api/refunds/makeRefund.json",
        SandboxReply::json(QVariantMap{
            {"success", "NO"}, {"response", QVariantMap{{"code", 723}, {"message", "Forzar?"}}}}));
    scriptSave({{"success", "OK"}, {"refundId", 5}}, "/refunds/makeRefund.json");
    auto refund = swipedSale(10, 2);
    PinController* pin = show(new PinController(), refund);
    sendOperation(pin, pin, refund);
    ASSERT_TRUE(waitFor([&] { return pin->forceTransaction() != nullptr; }));
    pin->forceTransaction()->tapButtonWithTitle(sectionText("GlobalTexts", "forceTransaction"));
    ASSERT_TRUE(waitFor([&] { return !flow->ends.isEmpty(); }));
    EXPECT_EQ(flow->ends, QStringList{"operationDone"});
    const auto sent = requests("/refunds/makeRefund.json");
    ASSERT_EQ(sent.size(), 2);
    EXPECT_TRUE(refund->force());
    closeWindow();

    scriptSave({{"success", "NO"}, {"response", QVariantMap{{"code", 723}, {"message", "F"}}}});
    auto sale = swipedSale(10);
    pin = show(new PinController(), sale);
    sendOperation(pin, pin, sale);
    ASSERT_TRUE(waitFor([&] { return pin->forceTransaction() != nullptr; }));
    pin->forceTransaction()->tapButtonWithTitle(sectionText("GlobalTexts", "cancel"));
    settle();
    EXPECT_EQ(flow->ends, QStringList{"canceled"});
    ASSERT_TRUE(flow->error);
    EXPECT_EQ(flow->error->code, 1000);
}

TEST_F(CardholderFixture, BuyerLookupOpensTheAddressStepEvenWhenItFails) {
    struct Case {
        const char* name;
        QVariantMap answer;
        bool buyerKept;
    } cases[] = {
        {"found", {{"success", "OK"}, {"province", "Salta"}}, true},
        {"lower-case ok is no success", {{"success", "ok"}, {"province", "Salta"}}, false},
        {"failed", {{"success", "NO"}}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        scriptSave(c.answer, "/buyers/find");
        PinController* pin = show(new PinController(), swipedSale(10));
        auto* lookup = new ScreenRequest(pin, pin);
        lookup->client().getBuyersWithPersonalId(QStringLiteral("30111222"),
                                                 User::instance().token());
        ASSERT_TRUE(waitFor([&] { return qobject_cast<BuyerAddressController*>(top()); }));
        auto* address = qobject_cast<BuyerAddressController*>(top());
        EXPECT_EQ(address->buyerDic().contains("province"), c.buyerKept);
        EXPECT_EQ(address->sale(), pin->sale());
        closeWindow();
    }
}

TEST_F(CardholderFixture, CancelEndsWithTheOperationWhenItWentThrough) {
    struct Case {
        const char* name;
        QString saleId;
        const char* end;
    } cases[] = {
        {"not registered: user cancel", QString(), "canceled"},
        {"registered: the sale", QStringLiteral("88"), "paymentDone"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto sale = swipedSale(10);
        sale->setSaleId(c.saleId);
        PinController* pin = show(new PinController(), sale);
        pin->cancel();
        ASSERT_NE(shownAlert(), nullptr);
        EXPECT_EQ(shownAlert()->title(), sectionText("SaleDetails", "cancelSaleAlertTitle"));
        shownAlert()->tapButtonWithTitle(shownAlert()->actions().first()->title());
        settle();
        EXPECT_EQ(flow->ends, QStringList{c.end});
        if (std::string(c.end) == "paymentDone") {
            EXPECT_EQ(flow->endSale->saleId(), "88");
        }
        closeWindow();
    }
}

// The choices after an operation that went wrong, tapped on the sheet: start over (a refund
// back to its first screen, a sale emptied with the keypad reset), or back one screen.
TEST_F(CardholderFixture, ActionSheetStartsOverOrGoesBack) {
    struct Case {
        const char* name;
        int trxType;
        const char* section;
        const char* key;
        int stackLeft; // screens left on the navigation
    } cases[] = {
        {"sale: start over", 0, "GlobalTexts", "cancelSale", 1},
        {"refund: back to its first screen", 2, "Pin", "cancelRefund", 2},
        {"change card", 0, "Pin", "changeCard", 3},
        {"cancel: stays", 0, "GlobalTexts", "cancel", 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto* keypad = new AmountKeypadStandIn();
        auto* sliding = new SlidingViewController();
        auto* stack = new FlowRecorder(keypad);
        navigation = stack;
        flow = stack;
        sliding->setTopViewController(stack);
        window = new Window();
        window->setRootViewController(sliding);
        window->makeKeyAndVisible();
        keypad->loadViewIfNeeded();
        stack->pushViewController(new ViewController(), false);
        stack->pushViewController(new ViewController(), false);
        auto sale = swipedSale(300, c.trxType);
        sale->addItem(Item::init());
        auto* pin = new PinController();
        pin->setSale(sale);
        stack->pushViewController(pin, false);
        settle();

        pin->showActionSheet();
        settle();
        ASSERT_NE(shownAlert(), nullptr);
        ASSERT_TRUE(shownAlert()->tapButtonWithTitle(sectionText(c.section, c.key)));
        settle();
        EXPECT_EQ(stack->viewControllers().size(), c.stackLeft);
        const bool startOver = c.stackLeft == 1;
        EXPECT_EQ(sale->items().empty(), startOver);
        EXPECT_EQ(keypad->totalUpdates, startOver ? 1 : 0);
        EXPECT_EQ(keypad->border->isHidden(), startOver);
        EXPECT_EQ(keypad->picture->image().isNull(), startOver);
        EXPECT_EQ(keypad->description->text().isEmpty(), startOver);
        EXPECT_EQ(keypad->currentItem != nullptr, startOver);
        if (startOver) {
            EXPECT_EQ(keypad->amountLabel->text().remove(QLatin1Char(' ')), "$0.00");
        }
        EXPECT_TRUE(flow->ends.isEmpty());
        closeWindow();
    }
}

// The continue button and the address fields stay above the keyboard while it is up, and the
// screens stop following it once they are gone.
TEST_F(CardholderFixture, BottomGapsFollowTheKeyboard) {
    const int keyboard = KeyboardNotifications::kKeyboardHeight;
    PinController* pin = show(new PinController(), swipedSale(10));
    auto* idNumber = pin->outlet<TextField>("idNumber");
    ASSERT_TRUE(idNumber->isFirstResponder());
    EXPECT_EQ(pin->buttonBottomGap(), keyboard + 30);
    idNumber->resignFirstResponder();
    EXPECT_EQ(pin->buttonBottomGap(), 30);
    idNumber->becomeFirstResponder();
    EXPECT_EQ(pin->buttonBottomGap(), keyboard + 30);

    auto* address = new BuyerAddressController();
    address->setSale(pin->sale());
    navigation->pushViewController(address, false);
    settle();
    // Leaving resigns the document field: the gap is back down and stays there.
    EXPECT_EQ(pin->buttonBottomGap(), 30);
    EXPECT_EQ(address->bottomGap(), 16);
    auto* street = address->outlet<TextField>("streetTextField");
    street->becomeFirstResponder();
    EXPECT_EQ(address->bottomGap(), keyboard + 16);
    EXPECT_EQ(pin->buttonBottomGap(), 30);
    street->resignFirstResponder();
    EXPECT_EQ(address->bottomGap(), 16);
}

// ---------------------------------------------------------------- buyer address step

TEST_F(CardholderFixture, AddressFieldLimits) {
    BuyerAddressController* address = show(new BuyerAddressController(), swipedSale(10));
    auto* street = address->outlet<TextField>("streetTextField");
    auto* zip = address->outlet<TextField>("zipCodeTextField");
    auto* city = address->outlet<TextField>("cityTextField");
    struct Case {
        TextField* field;
        QString before;
        QString typed;
        QString after;
    } cases[] = {
        {street, QString(50, 'a'), "b", QString(50, 'a')},
        {street, "", QString(60, 'x'), ""},
        {city, QString(49, 'c'), "d", QString(49, 'c') + "d"},
        {zip, "142", "5", "1425"},
        {zip, "1425", "6", "1425"},
        {zip, "14", "A", "14"},
        {zip, "14", " ", "14"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE((c.field->objectName() + " " + c.typed).toStdString());
        c.field->setText(c.before);
        c.field->setCursorPosition(int(c.before.size()));
        c.field->insertText(c.typed);
        EXPECT_EQ(c.field->text(), c.after);
    }
}

TEST_F(CardholderFixture, ContinueStopsAtTheFirstMissingField) {
    BuyerAddressController* address = show(new BuyerAddressController(), swipedSale(10));
    struct Case {
        const char* street;
        const char* zip;
        const char* city;
        const char* hint;
    } cases[] = {
        {"Av", "", "", "Ingresá una dirección completa"},
        {"Av. Libertad 1200", "142", "Salta", "Ingresá un código postal válido"},
        {"Av. Libertad 1200", "1425", "XY", "Ingresá una localidad válida"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.hint);
        address->outlet<TextField>("streetTextField")->setText(c.street);
        address->outlet<TextField>("zipCodeTextField")->setText(c.zip);
        address->outlet<TextField>("cityTextField")->setText(c.city);
        address->continueTapped();
        EXPECT_TRUE(address->shownHint().startsWith(QString::fromUtf8(c.hint)))
            << address->shownHint().toStdString();
        if (QString(c.street) == "Av") {
            window->rootViewController()->view()->resize(375, 667);
            settle();
            shoot("buyer_address_hint");
        }
    }
    settle();
    EXPECT_TRUE(requests("/payments/savePayment.json").isEmpty());
}

TEST_F(CardholderFixture, ArgentineProvinces) {
    struct Case {
        const char* name;
        QVariantMap buyer;
        QString province;
        bool cityLocked;
    } cases[] = {
        {"Salta selected", {{"province", "Salta"}, {"city", "Salta"}}, "Salta", false},
        {"unknown province: row 0", {{"province", "Atlántida"}}, "CABA", true},
        {"no province: the default row", {}, "CABA", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto* screen = new BuyerAddressController();
        screen->setCountryCode(QStringLiteral("AR"));
        screen->setBuyerDic(c.buyer);
        BuyerAddressController* address = show(screen, swipedSale(10));
        auto* picker = address->outlet<PickerView>("statePicker");
        EXPECT_EQ(picker->titleForRow(picker->selectedRowInComponent(0), 0), c.province);
        EXPECT_EQ(address->outlet<TextField>("provinceTextField")->text(), c.province);
        auto* city = address->outlet<TextField>("cityTextField");
        EXPECT_EQ(!city->isEnabled(), c.cityLocked);
        if (c.cityLocked) {
            EXPECT_EQ(city->text(), "CABA");
            // Another province frees the city and empties it.
            picker->pickRow(picker->selectedRowInComponent(0) + 1, 0);
            EXPECT_TRUE(city->isEnabled());
            EXPECT_EQ(city->text(), "");
        }
        closeWindow();
    }
}

TEST_F(CardholderFixture, AddressIsSentAndTheSignatureFollows) {
    // "MX" has no province list: a pre-filled province is kept and sent.
    scriptSave({{"success", "ok"}, {"saleId", 321}, {"buyer", QVariantMap{{"name", "Ana"}}}});
    auto* screen = new BuyerAddressController();
    screen->setBuyerDic({{"address", "Av. Libertad 1200"},
                         {"zipCode", "1425"},
                         {"city", "Puebla"},
                         {"province", "Puebla"},
                         {"addressLine2", QVariant::fromValue(nullptr)}});
    auto sale = swipedSale(10);
    BuyerAddressController* address = show(screen, sale);
    EXPECT_EQ(address->outlet<PickerView>("statePicker")->numberOfRowsInComponent(0), 0);
    window->rootViewController()->view()->resize(375, 667);
    settle();
    shoot("buyer_address");
    address->continueTapped();
    ASSERT_TRUE(waitFor([&] { return presented<SignatureViewController>() != nullptr; }));
    const auto sent = requests("/payments/savePayment.json");
    ASSERT_EQ(sent.size(), 1);
    EXPECT_EQ(sent.first().field("province"), "Puebla");
    EXPECT_EQ(sent.first().field("address"), "Av. Libertad 1200");
    EXPECT_EQ(sent.first().field("department"), "");
    EXPECT_EQ(sale->saleId(), "321");
    EXPECT_EQ(presented<SignatureViewController>()->sale(), sale);
}

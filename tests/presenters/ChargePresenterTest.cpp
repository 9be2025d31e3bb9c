#include "PresenterFixture.h"
#include "Printers.h"

#include "SDK/presenters/PaymentSDKController.h"
#include "model/Item.h"
#include "model/Product.h"
#include "model/values/Currency.h"

namespace {

TQSale twoLines() {
    TQSale sale;
    sale.addItem(TQItem(TQProduct(QString("Coffee"), 2.5), 2));
    sale.addItem(TQItem(TQProduct(std::nullopt, 10), 1));
    sale.setTip(1.25);
    sale.setMerchantId(QString("M-1"));
    return sale;
}

QVariantList merchantCurrencies() {
    return {QVariantMap{{"code", 32}, {"symbol", "$"}, {"es", "Peso"}, {"en", "Peso"}},
            QVariantMap{{"code", "840"}, {"symbol", "US$"}, {"es", "Dólar"}, {"en", "Dollar"}}};
}

class ChargeTest : public PresenterFixture {};

} // namespace

TEST_F(ChargeTest, CurrencyCheckWhileLoggedIn) {
    logIn();
    AccountSettings::instance().setAppLanguage("es");
    struct Case {
        std::optional<QString> currency;
        QVariantList currencies;
        bool accepted;
    } cases[] = {
        {QString("999"), merchantCurrencies(), false},
        {QString("032"), merchantCurrencies(), true}, // leading zeros name the same number
        {std::nullopt, {}, true},                     // no currency asked: no check
        {QString("840"), {}, false},                  // no merchant currencies at all
        // A code is its digits and nothing else.
        {QString("ARS"), merchantCurrencies(), false},
        {QString("032\nand more"), merchantCurrencies(), false},
        {QString(" 032"), merchantCurrencies(), false},
        {QString("-32"), merchantCurrencies(), false},
    };
    for (const Case& c : cases) {
        AccountSettings::instance().setCurrencies(c.currencies);
        completions.calls.clear();
        TarvelloSDK::sharedSDK().chargeReferenceCurrency(twoLines(), QString("ref-1"), c.currency,
                                                         &host, completions.completion());
        if (!c.accepted) {
            // Answered before the charge operation returns, with nothing presented.
            ASSERT_EQ(completions.count(), 1);
            EXPECT_EQ(completions.errorCode(), 1101);
            EXPECT_EQ(completions.errorText(), "Invalid currency code");
            EXPECT_EQ(sheet(), nullptr);
            EXPECT_NE(Sale::sharedSale().currencyCode(), *c.currency);
            continue;
        }
        EXPECT_EQ(completions.count(), 0);
        ASSERT_NE(shownScreen(), nullptr);
        EXPECT_EQ(shownScreen()->name(), "PickPaymentMethod");
        window->rootViewController()->dismissViewControllerAnimated(false);
        ASSERT_EQ(completions.count(), 1);
        EXPECT_EQ(completions.errorCode(), 1000);
    }
    AccountSettings::instance().setCurrencies(merchantCurrencies());
    TarvelloSDK::sharedSDK().chargeReferenceCurrency(twoLines(), QString("ref-1"), QString("032"),
                                                     &host, completions.completion());
    EXPECT_EQ(Currency::instance()->code(), "32");
    EXPECT_EQ(Currency::instance()->name(), "Peso");
}

TEST_F(ChargeTest, TheSharedSaleIsFilledAndPaymentDoneEndsOnceAfterTheSheetCloses) {
    logIn();
    TarvelloSDK::sharedSDK().chargeReferenceCurrency(twoLines(), QString("ref-9"), std::nullopt,
                                                     &host, completions.completion());
    settle();
    Sale& sale = Sale::sharedSale();
    ASSERT_EQ(sale.items().size(), 2u);
    EXPECT_TRUE(sale.items()[0]->isCustomAmount());
    EXPECT_EQ(sale.items()[0]->product()->name(), "Coffee");
    EXPECT_EQ(sale.items()[0]->quantity(), 2);
    EXPECT_TRUE(sale.items()[1]->product()->name().isEmpty());
    EXPECT_EQ(sale.externalReference(), std::optional<QString>("ref-9"));
    EXPECT_EQ(sale.merchantId(), std::optional<QString>("M-1"));
    EXPECT_DOUBLE_EQ(sale.tipAmount()->doubleValue(), 1.25);

    sale.setCustomResponse(QVariantMap{{"operationId", 55}});
    StandInScreen* screen = shownScreen();
    ASSERT_NE(screen, nullptr);
    std::shared_ptr<Sale> shared(std::shared_ptr<Sale>(), &Sale::sharedSale());
    screen->flowEndDelegate()->paymentDone(shared);
    screen->flowEndDelegate()->paymentDone(shared); // a second end reaches nobody
    EXPECT_EQ(completions.count(), 0);              // the sheet is still closing
    settle();
    ASSERT_EQ(completions.count(), 1);
    EXPECT_TRUE(completions.calls[0].success);
    EXPECT_TRUE(completions.calls[0].sheetGone);
    EXPECT_EQ(completions.calls[0].result.value("operationId").toInt(), 55);
    EXPECT_TRUE(Sale::sharedSale().items().empty());
    EXPECT_TRUE(payment.expired()); // nothing keeps the charge alive afterwards
}

TEST_F(ChargeTest, WithoutSessionTheLoadingSheetShowsUntilTheCheckAnswers) {
    LoginHelper** check = holdSessionChecks();
    TarvelloSDK::sharedSDK().chargeReferenceCurrency(twoLines(), std::nullopt, std::nullopt, &host,
                                                     completions.completion());
    ASSERT_NE(*check, nullptr);
    auto* nav = qobject_cast<PaymentSDKController*>(sheet());
    ASSERT_NE(nav, nullptr);
    ASSERT_EQ(nav->viewControllers().size(), 1);
    EXPECT_TRUE(ActivityIndicator::isDisplayingActivityIndicator(nav->topViewController()->view()));

    User::instance().setIsLoggedIn(true);
    (*check)->delegate()->loginHelperDidFinishLogin(*check);
    ASSERT_NE(shownScreen(), nullptr);
    EXPECT_EQ(shownScreen()->name(), "PickPaymentMethod");
    EXPECT_EQ(completions.count(), 0);

    // Closing the sheet from any screen ends the charge with 1000, once.
    shownScreen()->dismissViewControllerAnimated(true);
    settle();
    ASSERT_EQ(completions.count(), 1);
    EXPECT_EQ(completions.errorCode(), 1000);
    EXPECT_EQ(completions.errorText(), "User canceled");
    EXPECT_TRUE(payment.expired());
}

TEST_F(ChargeTest, SessionCheckFailuresCloseTheSheetThenReport) {
    struct Case {
        const char* name;
        std::function<void(LoginHelper*)> answer;
        qint64 code;
        QString text;
    } cases[] = {
        {"refused", [](LoginHelper* h) { h->delegate()->loginHelperShouldDisplayLoginUI(h); }, 1003,
         "Invalid User Token"},
        {"update",
         [](LoginHelper* h) { h->delegate()->mustUpdateApp("https://update", "Actualizá la app"); },
         1001, "Actualizá la app"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        completions.calls.clear();
        LoginHelper** check = holdSessionChecks();
        TarvelloSDK::sharedSDK().charge(twoLines(), &host, completions.completion());
        settle();
        ASSERT_NE(sheet(), nullptr);
        LoginHelper* helper = *check;
        LoginHelperDelegate* delegate = helper->delegate();
        c.answer(helper);
        settle();
        ASSERT_EQ(completions.count(), 1);
        EXPECT_EQ(completions.errorCode(), c.code);
        EXPECT_EQ(completions.errorText(), c.text);
        EXPECT_TRUE(completions.calls[0].sheetGone);
        EXPECT_EQ(sheet(), nullptr);
        EXPECT_TRUE(payment.expired());
        (void)delegate;
    }
}

TEST_F(ChargeTest, TheHostClosingTheSheetDuringTheCheckReportsOnlyOnce) {
    LoginHelper** check = holdSessionChecks();
    TarvelloSDK::sharedSDK().charge(twoLines(), &host, completions.completion());
    settle();
    std::shared_ptr<PaymentSDK> charge = payment.lock(); // as a late answer would still find it
    window->rootViewController()->dismissViewControllerAnimated(true);
    settle();
    ASSERT_EQ(completions.count(), 1);
    EXPECT_EQ(completions.errorCode(), 1000);
    charge->loginHelperDidFinishLogin(*check);
    charge->loginHelperShouldDisplayLoginUI(*check);
    settle();
    EXPECT_EQ(completions.count(), 1);
    charge.reset();
    EXPECT_TRUE(payment.expired());
}

TEST_F(ChargeTest, ARefusedTokenAgainstTheBackEndEndsWith1003) {
    TarvelloSDK::sharedSDK().setUserToken(QString("not-a-valid-token"));
    TarvelloSDK::sharedSDK().charge(twoLines(), &host, completions.completion());
    ASSERT_TRUE(waitFor([&] { return completions.count() > 0; }));
    settle();
    ASSERT_EQ(completions.count(), 1);
    EXPECT_EQ(completions.errorCode(), 1003);
    EXPECT_EQ(sheet(), nullptr);
}

TEST_F(ChargeTest, AScreenEndingWithAnErrorPassesItOnOnce) {
    logIn();
    TarvelloSDK::sharedSDK().charge(twoLines(), &host, completions.completion());
    StandInScreen* screen = shownScreen();
    ASSERT_NE(screen, nullptr);
    screen->flowEndDelegate()->canceled(TarvelloError::sdk(1004, "Tarjeta rechazada"));
    settle();
    ASSERT_EQ(completions.count(), 1); // the disappearance that follows adds no 1000
    EXPECT_EQ(completions.errorCode(), 1004);
    EXPECT_EQ(completions.errorText(), "Tarjeta rechazada");
    EXPECT_TRUE(completions.calls[0].sheetGone);
    EXPECT_TRUE(payment.expired());
}

TEST_F(ChargeTest, AValidTokenAgainstTheBackEndReplacesTheLoadingSheet) {
    TarvelloSDK::sharedSDK().charge(twoLines(), &host, completions.completion());
    ASSERT_NE(sheet(), nullptr); // the sheet shows at once, with the overlay
    ASSERT_TRUE(waitFor([&] { return shownScreen() != nullptr || completions.count() > 0; }));
    ASSERT_EQ(completions.count(), 0);
    EXPECT_EQ(shownScreen()->name(), "PickPaymentMethod");
    EXPECT_TRUE(User::instance().isLoggedIn());
}

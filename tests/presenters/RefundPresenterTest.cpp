#include "PresenterFixture.h"
#include "Printers.h"

#include "SDK/presenters/SDKNavigationController.h"
#include "model/values/Amount.h"

#include <QTest>

namespace {

const QString kLookup = QStringLiteral("/developers/api/operations/getOperationInfo.json");
const QString kCashVoid = QStringLiteral("/developers/api/payments/annulation.json");

QVariantMap operation(bool isClose, bool canceled, bool canAnnulate, bool canRefund,
                      const QString& method, bool withSaleId = true) {
    QVariantMap a{{"success", "OK"},
                  {"isClose", isClose},
                  {"canceled", canceled},
                  {"canAnnulate", canAnnulate},
                  {"canRefund", canRefund},
                  {"operationId", 777},
                  {"payment", QVariantMap{{"method", method}}},
                  {"totalAmount", 100.0},
                  {"currency", "32"},
                  {"email", "buyer@example.com"}};
    if (withSaleId)
        a.insert("saleId", "4321");
    return a;
}

class RefundTest : public PresenterFixture {
protected:
    void SetUp() override {
        PresenterFixture::SetUp();
        logIn();
    }
    void startRefund(const QVariantMap& answer, bool partial = false) {
        sandbox->script("POST", kLookup, SandboxReply::json(answer));
        TarvelloSDK::sharedSDK().refundOperationIDEnablePartialAmount("4321", partial, &host,
                                                                      completions.completion());
    }
    // Waits for the flow to end, or for a screen other than the loading one.
    void waitForDecision() {
        ASSERT_TRUE(waitFor([&] { return completions.count() > 0 || shownScreen() != nullptr; }));
        settle();
    }
};

} // namespace

TEST_F(RefundTest, OperationsThatCannotBeVoidedOrRefundedAreRefused) {
    struct Case {
        const char* name;
        QVariantMap answer;
        QVariantMap expected; // {"code", "text"}; empty: an empty result
    } cases[] = {
        {"open batch, not voidable even though refundable",
         operation(false, false, false, true, "card"),
         {{"code", 1202}, {"text", "Invalid operation id"}}},
        {"open batch, cancelled",
         operation(false, true, true, true, "card"),
         {{"code", 1202}, {"text", "Invalid operation id"}}},
        {"closed and cancelled with a sale id",
         operation(true, true, true, true, "card"),
         {{"code", 1203}, {"text", "Transaction is already refunded"}}},
        {"closed and cancelled without a sale id",
         operation(true, true, true, true, "card", false),
         {{"code", 1202}, {"text", "Invalid operation id"}}},
        {"closed card operation that cannot be refunded",
         operation(true, false, true, false, "card"),
         {{"code", 1203}, {"text", "Transaction is already refunded"}}},
        {"look-up refused with code 402 as text",
         {{"success", "NO"}, {"response", QVariantMap{{"code", "402"}, {"message", "No existe"}}}},
         {{"code", 1202}, {"text", "Invalid operation id"}}},
        {"look-up refused with the back end's code",
         {{"success", "NO"}, {"response", QVariantMap{{"code", 510}, {"message", "Sin permiso"}}}},
         {{"code", 510}, {"text", "Sin permiso"}}},
        {"look-up success in lower case is a failure", QVariantMap{{"success", "ok"}}, {}},
        {"refusal without a message", {{"response", QVariantMap{{"code", 500}}}}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        completions.calls.clear();
        startRefund(c.answer);
        ASSERT_TRUE(waitFor([&] { return completions.count() > 0; }));
        settle();
        ASSERT_EQ(completions.count(), 1);
        const auto& call = completions.calls[0];
        EXPECT_FALSE(call.success);
        EXPECT_TRUE(call.sheetGone);
        if (c.expected.isEmpty()) {
            EXPECT_TRUE(call.result.isEmpty());
        } else {
            EXPECT_EQ(completions.errorCode(), c.expected.value("code").toLongLong());
            EXPECT_EQ(completions.errorText(), c.expected.value("text").toString());
            EXPECT_EQ(call.result.value("error").value<TarvelloError>().domain, "TarvelloSDK");
        }
        EXPECT_TRUE(refund.expired());
        EXPECT_TRUE(sandbox->requestsTo(kCashVoid).isEmpty());
    }
    const SandboxRequest lookup = sandbox->requestsTo(kLookup).last();
    EXPECT_EQ(lookup.field("operationId"), "4321");
    EXPECT_EQ(lookup.field("legacyResponse"), "1");
}

TEST_F(RefundTest, CashOperationsAreVoidedWithTheirOperationId) {
    struct Case {
        const char* name;
        QVariantMap answer;
    } cases[] = {
        // A closed batch: "canRefund" is not looked at.
        {"closed batch", operation(true, false, false, false, "cash")},
        {"open batch", operation(false, false, true, false, "cash")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        completions.calls.clear();
        sandbox->clearRequests();
        sandbox->script("POST", kCashVoid, SandboxReply::json(QVariantMap{{"success", "ok"}}));
        startRefund(c.answer);
        ASSERT_TRUE(waitFor([&] { return completions.count() > 0; }));
        settle();
        ASSERT_EQ(sandbox->requestsTo(kCashVoid).size(), 1);
        const SandboxRequest request = sandbox->requestsTo(kCashVoid).first();
        EXPECT_EQ(request.field("operationId"), "777");
        EXPECT_EQ(request.field("paymentMethod"), "cash");
        EXPECT_TRUE(request.field("pin").isEmpty());
        ASSERT_EQ(completions.count(), 1);
        EXPECT_TRUE(completions.calls[0].success);
        EXPECT_TRUE(completions.calls[0].result.isEmpty());
        EXPECT_TRUE(completions.calls[0].sheetGone);
    }

    // A refused cash void passes the back end's code and message on.
    completions.calls.clear();
    sandbox->script("POST", kCashVoid, SandboxReply::failure(620, "Lote cerrado"));
    startRefund(operation(true, false, false, false, "cash"));
    ASSERT_TRUE(waitFor([&] { return completions.count() > 0; }));
    EXPECT_EQ(completions.errorCode(), 620);
    EXPECT_EQ(completions.errorText(), "Lote cerrado");
}

TEST_F(RefundTest, ACashVoidWhoseConnectionDropsIsSentOnceAndFailsOnce) {
    sandbox->script("POST", kCashVoid, SandboxReply::dropped());
    startRefund(operation(true, false, false, false, "cash"));
    ASSERT_TRUE(waitFor([&] { return completions.count() > 0; }));
    settle();
    QTest::qWait(100);
    EXPECT_EQ(sandbox->requestsTo(kCashVoid).size(), 1);
    ASSERT_EQ(completions.count(), 1);
    EXPECT_FALSE(completions.calls[0].success);
    EXPECT_TRUE(completions.calls[0].sheetGone);
}

TEST_F(RefundTest, ACardVoidGoesToCardReadingAndEndsWithItsResult) {
    QVariantMap answer = operation(false, false, true, true, "card");
    answer.insert("hasRefund", true);
    answer.insert("refunds", QVariantList{QVariantMap{{"totalAmount", 30.0}}});
    startRefund(answer);
    waitForDecision();
    StandInScreen* device = shownScreen();
    ASSERT_NE(device, nullptr);
    EXPECT_EQ(device->name(), "Device");
    auto* nav = qobject_cast<NavigationController*>(sheet());
    EXPECT_EQ(nav->viewControllers().size(), 1); // it replaced the loading screen
    std::shared_ptr<Sale> sale = device->sale();
    ASSERT_NE(sale, nullptr);
    EXPECT_NE(sale.get(), &Sale::sharedSale());
    EXPECT_EQ(sale->trxType(), 1);
    EXPECT_EQ(sale->saleId(), "4321");
    EXPECT_EQ(sale->email(), std::optional<QString>("buyer@example.com"));
    EXPECT_DOUBLE_EQ(sale->subtotal()->doubleValue(), 100.0); // earlier refunds not subtracted

    sale->setCustomResponse(QVariantMap{{"refundId", 9}});
    device->flowEndDelegate()->operationDone(sale);
    settle();
    ASSERT_EQ(completions.count(), 1);
    EXPECT_TRUE(completions.calls[0].success);
    EXPECT_EQ(completions.calls[0].result.value("refundId").toInt(), 9);
    EXPECT_TRUE(completions.calls[0].sheetGone);
    EXPECT_TRUE(refund.expired());
}

TEST_F(RefundTest, TheRemainingAmountIsComparedInCents) {
    QVariantMap answer = operation(true, false, false, true, "card");
    answer.insert("hasRefund", true);
    answer.insert("refunds", QVariantList{QVariantMap{{"totalAmount", 30.1}},
                                          QVariantMap{{"totalAmount", 20.2}}});

    struct Case {
        double amount;
        std::optional<double> subtotal; // none: refused with 1201
    } cases[] = {{0, 49.70}, {49.70, 49.70}, {49.71, std::nullopt}, {10, 10.0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.amount);
        completions.calls.clear();
        sandbox->script("POST", kLookup, SandboxReply::json(answer));
        auto presenter =
            SDKRefundPresenter::initWithSaleIdAmount(4321, c.amount, completions.completion());
        presenter->startInViewController(&host);
        std::weak_ptr<SDKRefundPresenter> watch = presenter;
        presenter.reset();
        waitForDecision();
        if (!c.subtotal) {
            ASSERT_EQ(completions.count(), 1);
            EXPECT_EQ(completions.errorCode(), 1201);
            EXPECT_EQ(completions.errorText(), "Invalid refund amount");
            continue;
        }
        ASSERT_NE(shownScreen(), nullptr);
        std::shared_ptr<Sale> sale = shownScreen()->sale();
        ASSERT_NE(sale, nullptr);
        EXPECT_EQ(sale->trxType(), 2);
        EXPECT_EQ(sale->subtotal()->getAmount(), Amount::initWithDouble(*c.subtotal)->getAmount());
        window->rootViewController()->dismissViewControllerAnimated(false);
        settle();
        EXPECT_EQ(completions.errorCode(), 1000);
        EXPECT_TRUE(watch.expired());
    }

    // Without earlier refunds declared, "refunds" is not read.
    answer.insert("hasRefund", false);
    completions.calls.clear();
    sandbox->script("POST", kLookup, SandboxReply::json(answer));
    auto whole = SDKRefundPresenter::initWithSaleIdAmount(4321, 0, completions.completion());
    whole->startInViewController(&host);
    whole.reset();
    waitForDecision();
    ASSERT_NE(shownScreen(), nullptr);
    EXPECT_DOUBLE_EQ(shownScreen()->sale()->subtotal()->doubleValue(), 100.0);
}

TEST_F(RefundTest, APartialRefundAsksForItsAmount) {
    AccountSettings::instance().setCurrencies({QVariantMap{{"code", "840"}, {"symbol", "US$"}}});
    QVariantMap answer = operation(true, false, false, true, "card");
    answer.insert("hasRefund", true);
    answer.insert("refunds", QVariantList{QVariantMap{{"totalAmount", 25.0}}});
    startRefund(answer, true);
    waitForDecision();
    StandInScreen* screen = shownScreen();
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(screen->name(), "Refund");
    EXPECT_DOUBLE_EQ(screen->property("maxRefund").toDouble(), 75.0);
    EXPECT_EQ(screen->property("currencyCode").toString(), "32");
    EXPECT_EQ(screen->property("currencyFormat").toString(), "$"); // none of the merchant's
    EXPECT_EQ(screen->property("saleDic").toMap().value("saleId").toString(), "4321");
    EXPECT_EQ(SDKRefundPresenter::currencyFormatForCode("840"), "US$");
}

TEST_F(RefundTest, AnExpiredSessionLogsOutAndEndsWith1003) {
    sandbox->script("POST", kLookup, SandboxReply::unauthorized("Sesión vencida"));
    TarvelloSDK::sharedSDK().refundOperationID("4321", &host, completions.completion());
    ASSERT_TRUE(waitFor([&] { return completions.count() > 0; }));
    settle();
    ASSERT_EQ(completions.count(), 1);
    EXPECT_EQ(completions.errorCode(), 1003);
    EXPECT_EQ(completions.errorText(), "Invalid User Token");
    EXPECT_TRUE(completions.calls[0].sheetGone);
    EXPECT_FALSE(User::instance().isLoggedIn());
}

TEST_F(RefundTest, AnswersOfOtherRequestsChangeNothing) {
    sandbox->script("POST", kLookup,
                    SandboxReply::json(operation(true, false, false, true, "card")).withDelay(200));
    TarvelloSDK::sharedSDK().refundOperationID("4321", &host, completions.completion());
    std::shared_ptr<SDKRefundPresenter> presenter = refund.lock();
    ASSERT_NE(presenter, nullptr);
    presenter->apiDidFinishDownloadingWithDictionary(14, QVariantMap{{"success", "OK"}});
    EXPECT_EQ(completions.count(), 0);
    EXPECT_NE(sheet(), nullptr);
    presenter.reset();
    waitForDecision();
    EXPECT_EQ(completions.count(), 0);
    ASSERT_NE(shownScreen(), nullptr);
}

TEST_F(RefundTest, TheSettingsFlowReportsNothingAndLeavesNothingBehind) {
    TarvelloSDK::sharedSDK().presentSettingsFromViewControllerAllowPictureChangeAllowReaderChange(
        &host, true, false);
    StandInScreen* screen = shownScreen();
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(screen->name(), "ConfigurationMain");
    EXPECT_TRUE(screen->property("allowPictureChange").toBool());
    EXPECT_FALSE(screen->property("allowReaderChange").toBool());
    EXPECT_FALSE(settings.expired());
    screen->dismissViewControllerAnimated(true);
    settle();
    EXPECT_EQ(sheet(), nullptr);
    EXPECT_TRUE(settings.expired());
}

TEST(ScreenPresenterBase, AFlowWithoutItsOwnFirstScreenIsAMisuse) {
    SDKViewControllerPresenter base;
    EXPECT_EQ(assertionMessage([&] { base.viewController(); }),
              "Subclasses need to overwrite this method");
}

TEST_F(RefundTest, TheBackEndsOwnRecordsDecide) {
    // An operation the back end does not know: its 402 becomes 1202.
    TarvelloSDK::sharedSDK().refundOperationID("99999", &host, completions.completion());
    ASSERT_TRUE(waitFor([&] { return completions.count() > 0; }));
    EXPECT_EQ(completions.errorCode(), 1202);

    // A cash sale of a closed batch, as the back end records it.
    SandboxUser* merchant = sandbox.state().userForToken(sandbox.merchantToken());
    ASSERT_NE(merchant, nullptr);
    SandboxSale recorded;
    recorded.merchantId = merchant->merchantId;
    recorded.amount = 80;
    recorded.paymentMethod = "cash";
    recorded.data = {{"isClose", true},
                     {"canceled", false},
                     {"saleId", "5001"},
                     {"operationId", 6001},
                     {"payment", QVariantMap{{"method", "cash"}}}};
    const qint64 id = sandbox.state().addSale(recorded).id;
    sandbox->script("POST", kCashVoid, SandboxReply::ok());
    completions.calls.clear();
    TarvelloSDK::sharedSDK().refundOperationID(QString::number(id), &host,
                                               completions.completion());
    ASSERT_TRUE(waitFor([&] { return completions.count() > 0; }));
    settle();
    ASSERT_EQ(completions.count(), 1);
    EXPECT_TRUE(completions.calls[0].success);
    ASSERT_EQ(sandbox->requestsTo(kCashVoid).size(), 1);
    EXPECT_EQ(sandbox->requestsTo(kCashVoid).first().field("operationId"), "6001");
}

TEST_F(RefundTest, OperationIdsAreNeverWrappedNorGuessed) {
    // Cash operations of a closed batch, voidable at once, where a wrapped id would land.
    SandboxUser* merchant = sandbox.state().userForToken(sandbox.merchantToken());
    ASSERT_NE(merchant, nullptr);
    for (const qint64 id : {qint64(123), qint64(2147483647), qint64(5000000000)}) {
        SandboxSale recorded;
        recorded.id = id;
        recorded.merchantId = merchant->merchantId;
        recorded.amount = 10;
        recorded.paymentMethod = "cash";
        recorded.data = {{"isClose", true},
                         {"canceled", false},
                         {"saleId", QString::number(id)},
                         {"operationId", id},
                         {"payment", QVariantMap{{"method", "cash"}}}};
        sandbox.state().addSale(recorded);
    }
    sandbox->script("POST", kCashVoid, SandboxReply::ok());

    struct Case {
        const char* text;
        bool lookedUp; // as itself; the back end does not know it (402 gives 1202)
    } cases[] = {{"4294967419", true},
                 {"2147483648", true},
                 {"9223372036854775808", false},
                 {"-1", false},
                 {"12a", false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        completions.calls.clear();
        sandbox->clearRequests();
        TarvelloSDK::sharedSDK().refundOperationID(c.text, &host, completions.completion());
        ASSERT_TRUE(waitFor([&] { return completions.count() > 0; }));
        settle();
        ASSERT_EQ(completions.count(), 1);
        EXPECT_EQ(completions.errorCode(), 1202);
        EXPECT_EQ(completions.errorText(), "Invalid operation id");
        const QList<SandboxRequest> lookups = sandbox->requestsTo(kLookup);
        ASSERT_EQ(lookups.size(), c.lookedUp ? 1 : 0);
        if (c.lookedUp) {
            EXPECT_EQ(lookups.first().field("operationId"), c.text);
        }
        EXPECT_TRUE(sandbox->requestsTo(kCashVoid).isEmpty());
    }

    completions.calls.clear();
    sandbox->clearRequests();
    TarvelloSDK::sharedSDK().refundOperationID("5000000000", &host, completions.completion());
    ASSERT_TRUE(waitFor([&] { return completions.count() > 0; }));
    settle();
    ASSERT_EQ(completions.count(), 1);
    EXPECT_TRUE(completions.calls[0].success);
    ASSERT_EQ(sandbox->requestsTo(kLookup).size(), 1);
    EXPECT_EQ(sandbox->requestsTo(kLookup).first().field("operationId"), "5000000000");
    ASSERT_EQ(sandbox->requestsTo(kCashVoid).size(), 1);
    EXPECT_EQ(sandbox->requestsTo(kCashVoid).first().field("operationId"), "5000000000");
}

// With the real clock, the loading screen and its fading overlay are destroyed while the fade
// runs (the card-reading screen replaces them): nothing touches them afterwards. Run under the
// sanitizers, this catches any use of the half-destroyed overlay.
TEST_F(RefundTest, TheLoadingScreenMayGoWhileItsOverlayFades) {
    Services::set<Clock>(nullptr); // the real clock for this test; the fixture's comes back after
    sandbox->script("POST", kLookup,
                    SandboxReply::json(operation(false, false, true, true, "card")));
    TarvelloSDK::sharedSDK().refundOperationID("4321", &host, completions.completion());
    ASSERT_TRUE(waitUntil([&] { return shownScreen() != nullptr; }));
    EXPECT_EQ(shownScreen()->name(), "Device");
    // Let every fade of the real clock run out.
    QTest::qWait(2 * ActivityIndicator::kFadeMs);
    window->rootViewController()->dismissViewControllerAnimated(false);
    QTest::qWait(2 * ActivityIndicator::kFadeMs);
    ASSERT_EQ(completions.count(), 1);
    EXPECT_EQ(completions.errorCode(), 1000);
}

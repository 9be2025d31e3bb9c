// The card transaction end to end: the reader controller over the simulated reader, against the
// sandbox back end over a real socket.
#include "SDK/session/AccountSettings.h"
#include "SDK/session/User.h"
#include "api/APIConfiguration.h"
#include "model/CreditCard.h"
#include "model/Sale.h"
#include "platform/core/MainThread.h"
#include "platform/core/ServiceRegistry.h"
#include "platform/core/UserDefaults.h"
#include "platform/ui/Clock.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/FlowEnd.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/Storyboard.h"
#include "platform/ui/Window.h"
#include "reader/CardAttempt.h"
#include "reader/DSpreadViewController.h"
#include "reader/simulated/SimulatedReader.h"
#include "reader/simulated/SimulatedReaderHost.h"
#include "reader/simulated/SimulatedReaderService.h"
#include "sandbox/routes/CardPaymentRoutes.h"
#include "support/SandboxFixture.h"
#include "support/TestSupport.h"
#include "ui_kit/texts/Language.h"

#include <TarvelloSDK/TarvelloSDK.h>

#include <QElapsedTimer>
#include <QThreadPool>
#include <QTimer>
#include <gtest/gtest.h>

namespace card_transaction_test {

// A merchant token long enough to key the expiry's encryption.
const QString kToken = QStringLiteral("tok_aurora_ana_card_reader_session");
const QString kCompletion = QStringLiteral("/developers/api/payments/operationCompletion.json");
const QString kSavePayment = QStringLiteral("/developers/api/payments/savePayment.json");

QString deviceText(const char* key) {
    return Language::textForFile(QStringLiteral("Device"), QString::fromLatin1(key));
}

// The authorisation response by the name of its code.
QString responseName(const QString& tlv) {
    if (tlv.startsWith("8A023030"))
        return "approval";
    if (tlv.startsWith("8A023031"))
        return "refer";
    if (tlv.startsWith("8A023035"))
        return "decline";
    if (tlv.startsWith("8A025A33"))
        return "no answer";
    if (tlv.startsWith("8A025A31"))
        return "wrong PIN";
    return tlv;
}

// The card-reading screen: counts its endings and goes on to the signature rule on approval.
class Host : public SimulatedReaderHost, public FlowEndDelegate {
public:
    int approvals = 0;
    int receipts = 0;
    int refundsDone = 0;
    int backToSales = 0;
    std::optional<TarvelloError> canceledWith;
    QPointer<DSpreadViewController> controller;

    void paymentApproved() override {
        ++approvals;
        if (controller)
            controller->DSpread_CardAccepted();
    }
    void goSendReceipt() override { ++receipts; }
    void refundDone() override { ++refundsDone; }
    void backToSale() override { ++backToSales; }
    void canceled(std::optional<TarvelloError> error) override { canceledWith = error; }
};

// A signature screen standing in for the real one.
class StandInSignature : public ViewController, public SaleReceiver {
public:
    void setSale(std::shared_ptr<Sale> sale) override { sale_ = std::move(sale); }
    std::shared_ptr<Sale> sale_;
};

// One card-reading screen with its reader controller, a simulated reader and the sandbox.
class Bench {
public:
    explicit Bench(int trxType = 0) {
        Services::set<Clock>(clock);
        TarvelloSDK::sharedSDK().startWithAPIKey(sandbox.apiKey());
        TarvelloSDK::sharedSDK().setUserToken(kToken);
        auto configuration = std::make_shared<APIConfiguration>();
        configuration->setBaseURL(sandbox.baseUrl());
        EXPECT_TRUE(configuration->addTrustedCAFile(sandbox.caFile()));
        Services::set<APIConfiguration>(configuration);
        User::instance().setToken(kToken);
        User::instance().setUserId(QString::number(sandbox.state().userForToken(kToken)->userId));
        world = SimulatedReader::withDefaultReaders();
        world->setDefaultCard(std::nullopt);
        Services::set<ReaderFactory>(world);
        settings.setCustomCvmLimit(QVariant());
        settings.setContactlessTransactionLimit(QVariant());
        navigation = new NavigationController(new ViewController());
        window.setRootViewController(navigation);
        window.makeKeyAndVisible();
        host = new Host();
        host->sale_->setSubtotal(Amount::initWithDouble(25.50));
        host->sale_->setCurrencyCode(QStringLiteral("032"));
        host->sale_->setTrxType(trxType);
        navigation->pushViewController(host, false);
    }
    ~Bench() {
        if (controller) {
            controller->setDelegate(nullptr);
            controller->cleanup();
            delete controller;
        }
        // Reports still on their way finish before the sandbox goes.
        settle(500);
        Services::set<ReaderFactory>(nullptr);
        world.reset();
        delete host;
        CardPaymentRoutes::clearScripts(sandbox.state());
        DSpreadViewController::setRetryOnDenied(true);
        User::instance().reset();
        Services::set<APIConfiguration>(nullptr);
        settle(0);
        Services::set<Clock>(nullptr);
    }

    // Moves the clock in small steps while the sockets and the workers deliver.
    void settle(int ms) {
        int left = ms;
        do {
            const int step = qMin(left, 20);
            clock->advance(step);
            left -= step;
            if (world)
                world->flushFinders();
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
            // Requests run on pool threads: the manual clock must not outrun their replies.
            QElapsedTimer waited;
            waited.start();
            while (QThreadPool::globalInstance()->activeThreadCount() > 0 &&
                   waited.elapsed() < 5000)
                QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        } while (left > 0);
    }
    // Settles until the condition holds; false after 15 s of real time.
    bool settleUntil(const std::function<bool()>& condition) {
        QElapsedTimer timer;
        timer.start();
        while (!condition()) {
            if (timer.elapsed() > 15000)
                return false;
            settle(20);
        }
        return true;
    }

    void connectAndWait() {
        UserDefaults::standardUserDefaults().setObject("MPOS-SIM-A", "defaultPosBluetoothName");
        controller = new DSpreadViewController(host, false);
        host->controller = controller;
        host->addChildViewController(controller);
        controller->beginAppearanceTransition(true, false);
        controller->endAppearanceTransition();
        ASSERT_TRUE(settleUntil(
            [this] { return world->service() && world->service()->isWaitingForCard(); }));
    }

    // Presents the card and lets its transaction run to its end.
    void readCard(const QString& profile) {
        ASSERT_TRUE(world->presentCardNamed(profile));
        waitsBefore = world->countOf("checkCard");
        ASSERT_TRUE(settleUntil([this] {
            return world->countOf("sendOnlineProcessResult") > 0 ||
                   sandbox->requestsTo(kSavePayment).size() > 0;
        }));
        settle(3000);
    }

    QStringList responsesSent() const {
        QStringList names;
        for (const SimulatedReaderCall& call : world->calls())
            if (call.name == "sendOnlineProcessResult")
                names << responseName(call.arguments.value(0).toString());
        return names;
    }
    // The statuses reported, "operationId:status".
    QStringList reports() {
        QStringList list;
        for (const SandboxRequest& request : sandbox->requestsTo(kCompletion))
            list << request.field("operationId") + ':' + request.field("status");
        return list;
    }
    // The errors the session showed (chip and contactless endings).
    static QStringList errorsShown() {
        QStringList shown;
        for (const QString& line : ConsoleLines::lines()) {
            for (const char* marker : {"emvErrorMessage ", "nfcErrorMessage "}) {
                const int at = line.indexOf(QLatin1String(marker));
                if (at >= 0)
                    shown << line.mid(at + int(strlen(marker)));
            }
        }
        return shown;
    }
    bool newCardWait() const { return world->countOf("checkCard") > waitsBefore; }
    qint64 lastSaleId() { return sandbox.state().sales().last().id; }
    // A sale the back end approved earlier, to refund or void.
    qint64 recordedSale() {
        SandboxSale sale;
        sale.merchantId = sandbox.state().userForToken(kToken)->merchantId;
        sale.userId = sandbox.state().userForToken(kToken)->userId;
        sale.amount = 25.50;
        sale.currencyCode = "032";
        sale.paymentMethod = "card";
        sale.status = "approved";
        return sandbox.state().addSale(sale).id;
    }

    ConsoleLines console;
    TemporaryDefaults defaults;
    SandboxFixture sandbox;
    std::shared_ptr<ManualClock> clock = std::make_shared<ManualClock>();
    std::shared_ptr<SimulatedReader> world;
    AccountSettings& settings = AccountSettings::instance();
    Window window;
    NavigationController* navigation = nullptr;
    QPointer<Host> host;
    QPointer<DSpreadViewController> controller;
    int waitsBefore = 0;
};

SandboxReply notJson() {
    return SandboxReply::raw("<html>Bad gateway</html>", "text/html", 200);
}

// ---------------------------------------------------------------- the chip sale, case by case

TEST(CardTransactionCases, EveryAnswerEndsInOneOutcome) {
    using Script = CardPaymentRoutes::Script;
    const QString aborted = deviceText("MESSAGE_CHIP_TRANSACTION_ABORTED");
    const QString declined = deviceText("MESSAGE_CHIP_TRANSACTION_DECLINED");
    struct Case {
        const char* name;
        const char* card;
        std::optional<Script> script;
        std::optional<SandboxReply> savePayment;
        std::optional<SandboxReply> completion;
        QStringList responses; // 8A names as the reader received them
        QStringList statuses;  // reported statuses of the new operation
        int approvals;
        QStringList errors; // shown to the merchant
        bool newWait;
    };
    Script refer;
    refer.refusal = QVariantMap{{"code", 100}, {"message", "Referida"}, {"customCode", "01"}};
    Script callIssuer;
    callIssuer.refusal =
        QVariantMap{{"code", 100}, {"message", "Sin respuesta"}, {"customCode", "91"}};
    Script refused;
    refused.refusal = QVariantMap{{"code", 100}, {"message", "Rechazada"}};
    Script refusedWithApprovingIssuer = refused;
    refusedWithApprovingIssuer.extra = {{"iccTags", "8A0230309104AABBCCDD"}};
    Script refusedWithoutMessage;
    refusedWithoutMessage.refusal = QVariantMap{{"code", 100}};
    Script withoutId;
    withoutId.withoutId = true;
    Script lost;
    lost.replyLost = true;
    const QList<Case> cases = {
        {"accepted: approval, one completed status",
         "chip-pin",
         {},
         {},
         {},
         {"approval"},
         {"1"},
         1,
         {},
         false},
        {"card declines after approval: one not-completed status, declined, new wait",
         "chip-declines-after-approval",
         {},
         {},
         {},
         {"approval"},
         {"0"},
         0,
         {declined},
         true},
        {"completion refused: its message",
         "chip-pin",
         {},
         {},
         SandboxReply::failure(500, "Operación rechazada"),
         {"approval"},
         {"1"},
         0,
         {"Operación rechazada"},
         true},
        {"completion unanswered: then one not-completed status",
         "chip-pin",
         {},
         {},
         SandboxReply::dropped(),
         {"approval"},
         {"1", "0"},
         0,
         {aborted},
         true},
        {"accepted without id: no answer to the card, aborted",
         "chip-pin",
         withoutId,
         {},
         {},
         {"no answer"},
         {},
         0,
         {aborted},
         true},
        {"refused, custom code 01: refer",
         "chip-pin",
         refer,
         {},
         {},
         {"refer"},
         {},
         0,
         {"Referida"},
         true},
        {"refused, custom code 91: no answer",
         "chip-pin",
         callIssuer,
         {},
         {},
         {"no answer"},
         {},
         0,
         {"Sin respuesta"},
         true},
        {"refused without custom code: decline",
         "chip-pin",
         refused,
         {},
         {},
         {"decline"},
         {},
         0,
         {"Rechazada"},
         true},
        {"refused with an approving issuer 8A: decline",
         "chip-pin",
         refusedWithApprovingIssuer,
         {},
         {},
         {"decline"},
         {},
         0,
         {"Rechazada"},
         true},
        {"refused without message: declined text",
         "chip-pin",
         refusedWithoutMessage,
         {},
         {},
         {"decline"},
         {},
         0,
         {declined},
         true},
        {"no reply: no answer, aborted",
         "chip-pin",
         {},
         SandboxReply::dropped(),
         {},
         {"no answer"},
         {},
         0,
         {aborted},
         true},
        {"reply lost after recording: no answer, aborted",
         "chip-pin",
         lost,
         {},
         {},
         {"no answer"},
         {},
         0,
         {aborted},
         true},
        {"reply not JSON: decline",
         "chip-pin",
         {},
         notJson(),
         {},
         {"decline"},
         {},
         0,
         {declined},
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Bench b;
        if (c.script)
            CardPaymentRoutes::scriptNext(b.sandbox.state(), *c.script);
        if (c.savePayment)
            b.sandbox->scriptOnce("POST", kSavePayment, *c.savePayment);
        if (c.completion)
            b.sandbox->scriptOnce("POST", kCompletion, *c.completion);
        b.connectAndWait();
        b.readCard(c.card);
        b.settle(2000);
        EXPECT_EQ(b.responsesSent(), c.responses);
        QStringList statuses;
        for (const QString& report : b.reports())
            statuses << report.section(':', 1);
        EXPECT_EQ(statuses, c.statuses);
        // Every report names this card's own accepted operation, never one left from before.
        for (const QString& report : b.reports())
            EXPECT_EQ(report.section(':', 0, 0), QString::number(b.lastSaleId()));
        EXPECT_EQ(b.host->approvals, c.approvals);
        EXPECT_EQ(Bench::errorsShown(), c.errors);
        EXPECT_EQ(b.newCardWait(), c.newWait);
    }
}

TEST(CardTransactionCases, ApprovedSaleIsCompletedWithItsCardTags) {
    Bench b;
    CardPaymentRoutes::Script issuer;
    issuer.extra = {{"iccResponseTagsComplete", "9104AABBCCDD7203010203"}, {"iccTags", "8A023035"}};
    CardPaymentRoutes::scriptNext(b.sandbox.state(), issuer);
    b.connectAndWait();
    b.readCard("chip-pin");
    const QString sent = b.world->lastArguments("sendOnlineProcessResult").value(0).toString();
    EXPECT_EQ(sent, "8A0230309104AABBCCDD7203010203");
    const qint64 id = b.lastSaleId();
    EXPECT_EQ(b.sandbox.state().sale(id)->status, "approved");
    const QStringList tags = CardPaymentRoutes::reportedTagsFor(b.sandbox.state(), id);
    ASSERT_EQ(tags.size(), 1);
    EXPECT_TRUE(tags.first().contains("9F26") && tags.first().contains("9F06"))
        << tags.first().toStdString();
    // The card's data went out with the sale; the approval kept the back end's answer.
    const SandboxRequest payment = b.sandbox->requestsTo(kSavePayment).first();
    EXPECT_EQ(payment.field("transactionType"), "emv");
    EXPECT_TRUE(payment.field("emvTags").contains("9F26"));
    EXPECT_TRUE(payment.field("emvApp").contains("A0000000031010"));
    EXPECT_EQ(b.host->sale_->saleId(), QString::number(id));
    ASSERT_TRUE(b.host->sale_->customResponse());
    EXPECT_EQ(b.host->sale_->customResponse()->value("operationId").toLongLong(), id);
    // A PIN was typed: no signature, the receipt follows; installments kept past the screen.
    EXPECT_EQ(b.host->receipts, 1);
}

TEST(CardTransactionCases, SixtyFourBitIdIsReportedWhole) {
    Bench b;
    CardPaymentRoutes::Script big;
    big.id = 5000000000LL;
    CardPaymentRoutes::scriptNext(b.sandbox.state(), big);
    b.connectAndWait();
    b.readCard("chip-pin");
    EXPECT_EQ(b.reports(), QStringList{"5000000000:1"});
    EXPECT_EQ(b.host->approvals, 1);
    EXPECT_EQ(b.host->sale_->saleId(), "5000000000");
}

TEST(CardTransactionCases, ClosingDataWithoutAcceptedAttemptReportsNothing) {
    Bench b;
    b.host->sale_->setSaleId(QStringLiteral("4242")); // left by an earlier attempt
    CardPaymentRoutes::Script refused;
    refused.refusal = QVariantMap{{"code", 100}, {"message", "Rechazada"}};
    CardPaymentRoutes::scriptNext(b.sandbox.state(), refused);
    b.connectAndWait();
    b.readCard("chip-pin");
    // A reader that goes on anyway: its reversal reports nothing, its batch data is a decline.
    b.controller->onReturnReversalData(QString());
    b.controller->onRequestBatchData(QString());
    b.settle(1000);
    EXPECT_TRUE(b.reports().isEmpty());
    EXPECT_EQ(b.host->approvals, 0);
    EXPECT_EQ(Bench::errorsShown().last(), deviceText("MESSAGE_CHIP_TRANSACTION_DECLINED"));
}

TEST(CardTransactionCases, WrongPinClearsThePinFields) {
    Bench b;
    CardPaymentRoutes::Script wrongPin;
    wrongPin.refusal = QVariantMap{{"code", "55"}, {"message", "PIN"}};
    CardPaymentRoutes::scriptNext(b.sandbox.state(), wrongPin);
    b.connectAndWait();
    b.readCard("chip-pin");
    EXPECT_EQ(b.responsesSent(), QStringList{"wrong PIN"});
    EXPECT_EQ(Bench::errorsShown(), QStringList{"NIP Incorrecto"});
    EXPECT_FALSE(b.host->sale_->creditCard()->pinBlock().has_value());
    EXPECT_FALSE(b.host->sale_->creditCard()->pinKSN().has_value());
    EXPECT_TRUE(b.reports().isEmpty());
    EXPECT_TRUE(b.newCardWait());
}

TEST(CardTransactionCases, ForcedTransactionAsTheMerchantChooses) {
    for (const bool force : {true, false}) {
        SCOPED_TRACE(force ? "forced" : "declined");
        Bench b;
        CardPaymentRoutes::Script suspicious;
        suspicious.forceRequired = true;
        CardPaymentRoutes::scriptNext(b.sandbox.state(), suspicious);
        b.connectAndWait();
        ASSERT_TRUE(b.world->presentCardNamed("chip-pin"));
        ASSERT_TRUE(b.settleUntil([&] { return b.controller->forceTransaction() != nullptr; }));
        EXPECT_TRUE(b.responsesSent().isEmpty()); // the reader waits for the merchant
        const QString button =
            Language::textForFile("GlobalTexts", force ? "forceTransaction" : "cancel");
        ASSERT_TRUE(b.controller->forceTransaction()->tapButtonWithTitle(button));
        b.settle(3000);
        if (force) {
            EXPECT_EQ(b.responsesSent(), QStringList{"approval"});
            EXPECT_EQ(b.reports(), QStringList{QString::number(b.lastSaleId()) + ":1"});
            EXPECT_EQ(b.host->approvals, 1);
            EXPECT_EQ(b.sandbox->requestsTo(kSavePayment).last().field("forceTransaction"), "1");
        } else {
            EXPECT_EQ(b.responsesSent(), QStringList{"wrong PIN"});
            EXPECT_TRUE(b.reports().isEmpty());
            EXPECT_TRUE(Bench::errorsShown().isEmpty());
            EXPECT_TRUE(b.host->sale_->saleId().isEmpty());
            EXPECT_NE(b.navigation->topViewController(), b.host.data()); // screen left, once
            EXPECT_EQ(b.sandbox->requestsTo(kSavePayment).size(), 1);
        }
    }
}

TEST(CardTransactionCases, ScreenLeftBeforeBatchDataReportsNotCompleted) {
    Bench b;
    b.connectAndWait();
    ASSERT_TRUE(b.world->presentCardNamed("chip-pin"));
    ASSERT_TRUE(b.settleUntil([&] { return b.world->countOf("sendOnlineProcessResult") > 0; }));
    b.controller->cleanup(); // the screen goes away
    b.settleUntil([&] { return !b.reports().isEmpty(); });
    b.settle(1000);
    EXPECT_EQ(b.reports(), QStringList{QString::number(b.lastSaleId()) + ":0"});
    EXPECT_EQ(b.host->approvals, 0);
}

TEST(CardTransactionCases, VoidApprovesAtOnceRefundAfterItsReport) {
    for (const int trxType : {1, 2}) {
        SCOPED_TRACE(trxType == 1 ? "void" : "refund");
        Bench b(trxType);
        b.host->sale_->setSaleId(QString::number(b.recordedSale()));
        b.connectAndWait();
        b.readCard("chip-signature");
        EXPECT_EQ(b.responsesSent(), QStringList{"approval"});
        EXPECT_EQ(b.host->approvals, 1);
        EXPECT_EQ(b.host->refundsDone, 1); // never a signature for these
        ASSERT_EQ(b.sandbox.state().refunds().size(), 1);
        const QString refundId = QString::number(b.sandbox.state().refunds().first().id);
        if (trxType == 1)
            EXPECT_TRUE(b.reports().isEmpty());
        else
            EXPECT_EQ(b.reports(), QStringList{refundId + ":1"});
    }
}

TEST(CardTransactionCases, CardsOutsideTheAcceptedBinsAreRefused) {
    struct Case {
        const char* card;
        bool retry;
    };
    for (const Case& c : QList<Case>{{"chip-pin", true},
                                     {"chip-pin", false},
                                     {"contactless", true},
                                     {"contactless", false}}) {
        SCOPED_TRACE(QString("%1, retry %2").arg(c.card).arg(c.retry).toStdString());
        Bench b;
        DSpreadViewController::setRetryOnDenied(c.retry);
        // The masked digits of 411111******1111 never match.
        b.host->sale_->setAcceptedBins(QStringList{"550000", "4111112"});
        b.connectAndWait();
        ASSERT_TRUE(b.world->presentCardNamed(c.card));
        b.settle(4000);
        EXPECT_TRUE(b.sandbox->requestsTo(kSavePayment).isEmpty());
        EXPECT_EQ(b.responsesSent(),
                  QString(c.card) == "chip-pin" ? QStringList{"decline"} : QStringList{});
        if (c.retry) {
            EXPECT_FALSE(b.host->canceledWith.has_value());
            EXPECT_TRUE(b.newCardWait());
        } else {
            ASSERT_TRUE(b.host->canceledWith.has_value());
            EXPECT_EQ(b.host->canceledWith->code, 1004);
            EXPECT_EQ(b.host->canceledWith->description, "Tarjeta inválida");
        }
    }
}

TEST(CardTransactionCases, SignatureScreenAfterAnApprovalWithoutPin) {
    Bench b;
    b.settings.setSignatureLimitAmount(10);
    b.settings.setSignatureLimitCurrencyCode("032");
    Storyboard::registerViewController("Signature", "SignatureViewController",
                                       [] { return new StandInSignature(); });
    b.connectAndWait();
    b.readCard("chip-signature");
    Storyboard::removeViewController("Signature", "SignatureViewController");
    auto* signature = dynamic_cast<StandInSignature*>(b.host->presentedViewController());
    ASSERT_NE(signature, nullptr);
    EXPECT_EQ(signature->sale_, b.host->sale_);
    EXPECT_EQ(b.host->receipts, 0);
    b.settings.setSignatureLimitAmount(0);
    b.settings.setSignatureLimitCurrencyCode(QString());
}

// The reader's result codes other than approval, while a card is being processed: what each
// leaves in the sale and which error it shows.
TEST(CardTransactionCases, ResultCodesMarkTheSaleAndShowTheirError) {
    const QString noFallback = deviceText("MESSAGE_CHIP_ERROR_NO_FALLBACK");
    struct Case {
        int result;
        QString annulment;
        QString fallback;
        QString error; // empty: none shown
        int backToSales;
    };
    const QList<Case> cases = {
        {1, "POST_AUTH_USER_DECLINE", "", noFallback, 0},
        {2, "", "", "Declined", 0},
        {3, "POST_AUTH_USER_DECLINE", "", "", 1},
        {4, "", "", "Fail (CAPK fail)", 0},
        {5, "", "", "Fail (Not ICC card)", 0},
        {6, "", "NO_CANDIDATE_LIST", noFallback, 0},
        {7, "DEVICE_UNAVAILABLE", "", "Pos Error", 0},
        {8, "", "", "Card not support", 0},
        {9, "", "", "Missing mandatory data", 0},
        {10, "", "", "Card blocked or no EMV apps", 0},
        {11, "", "", "Invalid ICC data", 0},
        {12, "", "ICC_TERMINAL_ERROR", noFallback, 0},
        {13, "", "", "NFC Terminated", 0},
        {99, "", "", "", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.result);
        Bench b;
        b.connectAndWait();
        b.host->setIsProcessingCard(true);
        b.host->sale_->setIsFallback(true);
        b.controller->onRequestTransactionResult(c.result);
        EXPECT_EQ(b.host->sale_->annulmentReason(), c.annulment);
        EXPECT_EQ(b.host->sale_->fallbackContidition(), c.fallback);
        EXPECT_FALSE(b.host->sale_->isFallback());
        EXPECT_EQ(Bench::errorsShown(), c.error.isEmpty() ? QStringList{} : QStringList{c.error});
        EXPECT_EQ(b.host->backToSales, c.backToSales);
    }
}

TEST(CardTransactionCases, ContactlessEndings) {
    struct Case {
        const char* name;
        int trxType;
        bool refused;
        bool reported; // one "1" for the new operation
        int approvals;
        QStringList errors;
        bool newWait;
    };
    const QList<Case> cases = {
        {"sale accepted", 0, false, true, 1, {}, false},
        {"refund accepted", 2, false, false, 1, {}, false},
        {"sale refused", 0, true, false, 0, {"Rechazada"}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Bench b(c.trxType);
        if (c.trxType != 0)
            b.host->sale_->setSaleId(QString::number(b.recordedSale()));
        if (c.refused) {
            CardPaymentRoutes::Script refused;
            refused.refusal = QVariantMap{{"code", 100}, {"message", "Rechazada"}};
            CardPaymentRoutes::scriptNext(b.sandbox.state(), refused);
        }
        b.connectAndWait();
        ASSERT_TRUE(b.world->presentCardNamed("contactless"));
        b.waitsBefore = b.world->countOf("checkCard");
        ASSERT_TRUE(b.settleUntil(
            [&b] { return b.host->approvals > 0 || !Bench::errorsShown().isEmpty(); }));
        b.settle(2000);
        EXPECT_TRUE(b.responsesSent().isEmpty()); // a tap gets no authorisation response
        EXPECT_EQ(b.reports(),
                  c.reported ? QStringList{QString::number(b.lastSaleId()) + ":1"} : QStringList{});
        EXPECT_EQ(b.host->approvals, c.approvals);
        EXPECT_EQ(Bench::errorsShown(), c.errors);
        EXPECT_EQ(b.newCardWait(), c.newWait);
        if (c.reported) {
            // The back end's "sdk" of the approved attempt stays with the sale.
            ASSERT_TRUE(b.host->sale_->customResponse());
            EXPECT_EQ(b.host->sale_->customResponse()->value("operationId").toLongLong(),
                      b.lastSaleId());
        }
        if (c.trxType != 0) {
            EXPECT_EQ(b.sandbox.state().refunds().size(), 1);
        }
    }
}

// While the back end holds its answer the main thread keeps running its own work, and the
// card's authorisation response waits for the answer.
TEST(CardTransactionCases, HeldAnswerDoesNotHoldTheMainThread) {
    Bench b;
    CardPaymentRoutes::Script slow;
    slow.delayMs = 1500;
    CardPaymentRoutes::scriptNext(b.sandbox.state(), slow);
    b.connectAndWait();
    ASSERT_TRUE(b.world->presentCardNamed("chip-pin"));
    // Pumped by hand: settle() would wait on the request's worker.
    const auto pump = [&b] {
        b.clock->advance(20);
        b.world->flushFinders();
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    };
    QElapsedTimer guard;
    guard.start();
    while (b.sandbox->requestsTo(kSavePayment).isEmpty() && guard.elapsed() < 15000)
        pump();
    ASSERT_EQ(b.sandbox->requestsTo(kSavePayment).size(), 1);
    EXPECT_TRUE(b.responsesSent().isEmpty());

    int ticks = 0;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&ticks] { ++ticks; });
    ticker.start(10);
    int ticksAtResponse = -1;
    guard.restart();
    while (b.world->countOf("sendOnlineProcessResult") == 0 && guard.elapsed() < 15000)
        pump();
    ticksAtResponse = ticks;
    ticker.stop();
    ASSERT_EQ(b.responsesSent(), QStringList{"approval"});
    // The timer went on firing while the answer was held.
    EXPECT_GT(ticksAtResponse, 20);
}

// ---------------------------------------------------------------- logs

TEST(CardTransactionCases, LogsHoldNoCardData) {
    struct Case {
        const char* card;
        QStringList secrets;
    };
    const QList<Case> cases = {
        {"chip-pin", {"4111111111111111", "ANA GOMEZ", "281231"}},
        {"contactless", {"4111111111111111", "ANA GOMEZ"}},
        {"swipe", {"4111111111111111", "ANA GOMEZ"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.card);
        Bench b;
        b.connectAndWait();
        ASSERT_TRUE(b.world->presentCardNamed(c.card));
        b.settle(4000);
        const QString all = ConsoleLines::lines().join('\n');
        ASSERT_TRUE(all.contains("[DSPREAD]"));
        for (const QString& secret : c.secrets)
            EXPECT_FALSE(all.contains(secret)) << secret.toStdString();
        // Cryptograms, PIN blocks and the encrypted card data never appear either.
        const auto card = b.host->sale_->creditCard();
        for (const std::optional<QString>& value :
             {std::optional<QString>(card->track2Encrypted()), card->pinBlock()})
            if (value && value->size() > 8) {
                EXPECT_FALSE(all.contains(*value)) << value->toStdString();
            }
    }
}

} // namespace card_transaction_test

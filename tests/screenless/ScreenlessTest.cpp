#include "SDK/facade/TarvelloSDKHandOver.h"
#include "SDK/login/LoginHelper.h"
#include "SDK/operations/SDKBatchInfoAPI.h"
#include "SDK/session/AccountSettings.h"
#include "SDK/session/CacheHelper.h"
#include "SDK/session/SessionTimer.h"
#include "SDK/session/User.h"
#include "api/APIConfiguration.h"
#include "platform/core/ServiceRegistry.h"
#include "platform/core/UserDefaults.h"
#include "platform/core/Values.h"
#include "platform/ui/Clock.h"
#include "support/SandboxFixture.h"
#include "support/TestSupport.h"

#include <TarvelloSDK/TarvelloSDK.h>

#include <QImage>
#include <QSysInfo>
#include <QTest>

namespace {

struct Outcome {
    int calls = 0;
    QVariantMap result;
    bool success = false;

    TarvelloError error() const { return result.value("error").value<TarvelloError>(); }
    bool hasError() const { return result.value("error").canConvert<TarvelloError>(); }
};

using Operation = std::function<void(TarvelloSDK&, TarvelloSDK::Completion)>;

class ScreenlessTest : public ::testing::Test {
protected:
    void SetUp() override {
        TarvelloSDKHandOver::install(nullptr);
        auto configuration = std::make_shared<APIConfiguration>();
        configuration->setBaseURL(sandbox.baseUrl());
        ASSERT_TRUE(configuration->addTrustedCAFile(sandbox.caFile()));
        Services::set<APIConfiguration>(configuration);
        TarvelloSDK::sharedSDK().startWithAPIKey(sandbox.apiKey());
        useToken(sandbox.merchantToken());
        User::instance().reset();
        AccountSettings::instance().reset();
        merchantId = sandbox.state().userForToken(sandbox.merchantToken())->merchantId;
    }
    void TearDown() override {
        User::instance().reset();
        AccountSettings::instance().reset();
        Services::set<APIConfiguration>(nullptr);
    }

    static void useToken(const QString& token) { TarvelloSDK::sharedSDK().setUserToken(token); }

    // Runs one operation of the facade until its completion is called.
    Outcome run(const Operation& operation) {
        auto outcome = std::make_shared<Outcome>();
        operation(TarvelloSDK::sharedSDK(), [outcome](const QVariantMap& result, bool success) {
            ++outcome->calls;
            outcome->result = result;
            outcome->success = success;
        });
        EXPECT_TRUE(waitUntil([&] { return outcome->calls > 0; })) << "no completion";
        QCoreApplication::processEvents();
        return *outcome;
    }

    qint64 addSale(const QString& reference = QString(), double amount = 125.5) {
        SandboxSale sale;
        sale.merchantId = merchantId;
        sale.amount = amount;
        sale.currencyCode = "484";
        sale.reference = reference;
        sale.paymentMethod = "card";
        sale.status = "approved";
        return sandbox.state().addSale(sale).id;
    }

    QList<SandboxRequest> requestsTo(const char* endpoint) {
        return sandbox->requestsTo(SandboxServer::apiPath(endpoint));
    }

    void logIn() {
        const Outcome outcome = run([](TarvelloSDK& sdk, TarvelloSDK::Completion done) {
            sdk.retrieveBatchInformation(done);
        });
        ASSERT_TRUE(outcome.success);
        ASSERT_TRUE(User::instance().isLoggedIn());
        sandbox->clearRequests();
    }

    TemporaryDefaults defaults;
    SandboxFixture sandbox;
    qint64 merchantId = 0;
};

const Operation sendReceipt = [](TarvelloSDK& sdk, TarvelloSDK::Completion done) {
    sdk.sendReceiptForOperationID("1", "a@b.example", done);
};

TEST_F(ScreenlessTest, SessionIsCheckedOnceThenTheRequestGoesOut) {
    const qint64 sale = addSale();
    const Outcome outcome = run([sale](TarvelloSDK& sdk, TarvelloSDK::Completion done) {
        sdk.sendReceiptForOperationID(QString::number(sale), "  buyer@shop.example\t ", done);
    });

    const QList<SandboxRequest> all = sandbox->requests();
    ASSERT_EQ(all.size(), 2);
    EXPECT_EQ(all.at(0).path, SandboxServer::apiPath("/users/isValidToken.json"));
    const SandboxRequest check = all.at(0);
    EXPECT_EQ(check.field("token"), sandbox.merchantToken());
    EXPECT_EQ(check.field("userId"), "");
    EXPECT_TRUE(check.field("deviceId").startsWith(QSysInfo::machineHostName() + "_"));
    EXPECT_EQ(check.field("deviceId"),
              UserDefaults::standardUserDefaults().stringForKey("activationCode"));

    const SandboxRequest send = all.at(1);
    EXPECT_EQ(send.path, SandboxServer::apiPath("/invoices/sendInvoice.json"));
    EXPECT_EQ(send.field("saleId"), QString::number(sale));
    EXPECT_EQ(send.field("email"), "buyer@shop.example\t");
    EXPECT_EQ(send.field("resend"), "0");
    EXPECT_EQ(send.field("token"), sandbox.merchantToken());
    EXPECT_EQ(send.field("userId"), User::instance().userId());

    // The answer of the address with a tab is a refusal passed on with its code and message.
    EXPECT_FALSE(outcome.success);
    EXPECT_EQ(outcome.error().code, 400);
    EXPECT_EQ(outcome.error().description, "El correo electrónico no es válido");

    // The validated session is loaded and kept; the next operation sends no session check.
    EXPECT_TRUE(User::instance().isLoggedIn());
    EXPECT_EQ(AccountSettings::instance().midSouth(), "MID-0501-AURORA");
    UserDefaults& store = UserDefaults::standardUserDefaults();
    const QByteArray stored = store.objectForKey("lastUser").toByteArray();
    EXPECT_EQ(stored, store.objectForKey("lastUserSettings").toByteArray());
    EXPECT_EQ(CacheHelper::decodeAnswer(stored).value("success"), "OK");

    sandbox->clearRequests();
    const Outcome sent = run([sale](TarvelloSDK& sdk, TarvelloSDK::Completion done) {
        sdk.sendReceiptForOperationID(QString::number(sale), " buyer@shop.example ", done);
    });
    ASSERT_EQ(sandbox->requests().size(), 1);
    EXPECT_EQ(sandbox->lastRequest().field("email"), "buyer@shop.example");
    EXPECT_TRUE(sent.success);
    EXPECT_EQ(sent.result.value("success"), "OK");
    EXPECT_EQ(sent.result.value("message"), "Recibo enviado");
    EXPECT_EQ(sent.calls, 1);
}

TEST_F(ScreenlessTest, SessionCheckOutcomes) {
    struct Case {
        const char* name;
        std::function<void()> arrange;
        qint64 code; // 0: the session is accepted
        QString description;
    };
    const QString updateMessage = sandbox.state().updateInfo().value("updateMessage").toString();
    const QString path = SandboxServer::apiPath("/users/isValidToken.json");
    auto answer = [&](QVariantMap extra) {
        QVariantMap a = sandbox.state().sessionAnswer(
            *sandbox.state().userForToken(sandbox.merchantToken()), sandbox.merchantToken());
        for (auto it = extra.cbegin(); it != extra.cend(); ++it)
            a.insert(it.key(), it.value());
        return SandboxReply::json(a);
    };
    const Case cases[] = {
        {"accepted", [] {}, 0, {}},
        {"refused", [] { useToken("tok_aurora_ana_refused"); }, 1002, "User is not logged in"},
        {"unknown token", [] { useToken("tok_nobody"); }, 1002, "User is not logged in"},
        {"update_version", [] { useToken("tok_aurora_ana_update_version"); }, 1002,
         "User is not logged in"},
        {"forced update", [] { useToken("tok_aurora_ana_forced_update"); }, 1001, updateMessage},
        {"unreachable", [&] { sandbox->script("POST", path, SandboxReply::dropped()); }, 1002,
         "User is not logged in"},
        {"lower-case ok",
         [&] {
             sandbox->script("POST", path, answer({{"success", "ok"}}));
         },
         1002, "User is not logged in"},
        {"null minimum version",
         [&] {
             sandbox->script("POST", path,
                             answer({{"minSDKVersion", Values::jsonNull()},
                                     {"updateMessage", "Actualiza"},
                                     {"urlAppStoreIOS", "https://x.example"}}));
         },
         0,
         {}},
        {"older minimum version",
         [&] {
             sandbox->script("POST", path,
                             answer({{"minSDKVersion", "0.9"},
                                     {"updateMessage", "Actualiza"},
                                     {"urlAppStoreIOS", "https://x.example"}}));
         },
         0,
         {}},
        {"forced update without message",
         [&] {
             sandbox->script("POST", path,
                             answer({{"minSDKVersion", "99"}, {"urlAppStoreIOS", "https://x"}}));
         },
         0,
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        User::instance().reset();
        AccountSettings::instance().reset();
        UserDefaults::standardUserDefaults().removeObjectForKey("lastUser");
        UserDefaults::standardUserDefaults().removeObjectForKey("lastUserSettings");
        useToken(sandbox.merchantToken());
        sandbox->clearScripts();
        sandbox->clearRequests();
        c.arrange();

        const Outcome outcome = run([](TarvelloSDK& sdk, TarvelloSDK::Completion done) {
            sdk.retrieveBatchInformation(done);
        });
        const bool accepted = c.code == 0;
        EXPECT_EQ(outcome.success, accepted);
        EXPECT_EQ(User::instance().isLoggedIn(), accepted);
        EXPECT_EQ(UserDefaults::standardUserDefaults().hasKey("lastUser"), accepted);
        EXPECT_EQ(UserDefaults::standardUserDefaults().hasKey("lastUserSettings"), accepted);
        EXPECT_EQ(requestsTo("/batch/getPaymentMethods.json").size(), accepted ? 1 : 0);
        if (!accepted) {
            EXPECT_EQ(outcome.error().domain, "TarvelloSDK");
            EXPECT_EQ(outcome.error().code, c.code);
            EXPECT_EQ(outcome.error().description, c.description);
        }
        EXPECT_EQ(outcome.calls, 1);
    }
}

// A manual clock for the scope; the session timer is disarmed when it ends.
struct ManualClockScope {
    std::shared_ptr<ManualClock> clock = std::make_shared<ManualClock>();
    ManualClockScope() { Services::set<Clock>(clock); }
    ~ManualClockScope() {
        User::instance().setSessionTimeout(0);
        SessionTimer::instance().resetTimer();
        Services::set<Clock>(nullptr);
    }
};

TEST_F(ScreenlessTest, ValidatedSessionArmsTheInactivityTimer) {
    ManualClockScope scope;
    useToken("tok_aurora_luis_valid");
    logIn();
    EXPECT_TRUE(SessionTimer::instance().isRunning());
    EXPECT_EQ(SessionTimer::instance().intervalMs(), 900 * 1000);

    // After an expiry, the next validation starts a new period instead of expiring at once.
    scope.clock->advance(900 * 1000);
    EXPECT_FALSE(User::instance().isLoggedIn());
    logIn();
    EXPECT_TRUE(SessionTimer::instance().isRunning());
    EXPECT_TRUE(User::instance().isLoggedIn());
}

TEST_F(ScreenlessTest, PaymentInfoTakesOnlyA64BitDecimalOperationId) {
    // Ids that do not fit, are negative or are not numbers never reach the back end.
    for (const char* text : {"4294967419x", "9223372036854775808", "-1", "12a", "", " 5"}) {
        SCOPED_TRACE(text);
        sandbox->clearRequests();
        const Outcome outcome = run([text](TarvelloSDK& sdk, TarvelloSDK::Completion done) {
            sdk.retrievePaymentInfoForOperationID(QString::fromLatin1(text), done);
        });
        EXPECT_EQ(outcome.calls, 1);
        EXPECT_FALSE(outcome.success);
        EXPECT_EQ(outcome.error().domain, "TarvelloSDK");
        EXPECT_EQ(outcome.error().code, 1202);
        EXPECT_EQ(outcome.error().description, "Invalid operation id");
        EXPECT_TRUE(sandbox->requests().isEmpty());
    }
    // Large ids are looked up as themselves, not wrapped or saturated.
    for (const char* text : {"4294967419", "2147483648", "5000000000"}) {
        SCOPED_TRACE(text);
        run([text](TarvelloSDK& sdk, TarvelloSDK::Completion done) {
            sdk.retrievePaymentInfoForOperationID(QString::fromLatin1(text), done);
        });
        ASSERT_FALSE(requestsTo("/operations/getOperationInfo.json").isEmpty());
        EXPECT_EQ(requestsTo("/operations/getOperationInfo.json").last().field("operationId"),
                  text);
    }
}

TEST_F(ScreenlessTest, PaymentInfo) {
    const qint64 sale = addSale("REF-77", 80);
    const Outcome byId = run([sale](TarvelloSDK& sdk, TarvelloSDK::Completion done) {
        sdk.retrievePaymentInfoForOperationID(QString::number(sale), done);
    });
    EXPECT_TRUE(byId.success);
    EXPECT_EQ(byId.result.value("operationId"), QString::number(sale));
    EXPECT_EQ(byId.result.value("amount"), "80.00");
    const SandboxRequest idRequest = requestsTo("/operations/getOperationInfo.json").last();
    EXPECT_EQ(idRequest.field("operationId"), QString::number(sale));
    EXPECT_EQ(idRequest.field("legacyResponse"), "1");

    // Both reference lookups send the same request.
    QList<QPair<QString, QString>> sent;
    for (int i = 0; i < 2; ++i) {
        sandbox->clearRequests();
        const Outcome byReference = run([i](TarvelloSDK& sdk, TarvelloSDK::Completion done) {
            if (i == 0)
                sdk.retrievePaymentInfoForReference("REF-77", done);
            else
                sdk.retrievePaymentInfoForExternalReference("REF-77", done);
        });
        EXPECT_TRUE(byReference.success);
        EXPECT_EQ(byReference.result.value("reference"), "REF-77");
        const SandboxRequest request = sandbox->lastRequest();
        EXPECT_EQ(request.path, SandboxServer::apiPath("/operations/getOperationInfo.json"));
        if (i == 0)
            sent = request.fields;
        else
            EXPECT_EQ(request.fields, sent);
    }
    EXPECT_TRUE(std::any_of(sent.cbegin(), sent.cend(), [](const auto& f) {
        return f.first == "externalReference" && f.second == "REF-77";
    }));

    const Outcome missing = run([](TarvelloSDK& sdk, TarvelloSDK::Completion done) {
        sdk.retrievePaymentInfoForOperationID("999999", done);
    });
    EXPECT_FALSE(missing.success);
    EXPECT_EQ(missing.error().code, 1202);
    EXPECT_EQ(missing.error().description, "Invalid operation id");
}

TEST_F(ScreenlessTest, RefusalsArePassedOnOrGiveAnEmptyResult) {
    logIn();
    struct Case {
        const char* name;
        QVariant reply;
        qint64 code; // 0: empty dictionary
        const char* message;
    };
    const Case cases[] = {
        {"code and message",
         QVariantMap{{"success", "NO"},
                     {"response", QVariantMap{{"code", 500}, {"message", "Falla"}}}},
         500, "Falla"},
        {"code as text",
         QVariantMap{{"response", QVariantMap{{"code", "723"}, {"message", "Forzar"}}}}, 723,
         "Forzar"},
        {"no message", QVariantMap{{"response", QVariantMap{{"code", 500}}}}, 0, ""},
        {"null message",
         QVariantMap{{"response", QVariantMap{{"code", 500}, {"message", Values::jsonNull()}}}}, 0,
         ""},
        {"no response", QVariantMap{{"success", "ok"}}, 0, ""},
        {"response not an object", QVariantMap{{"response", "x"}}, 0, ""},
        {"not JSON", QVariant(), 0, ""},
    };
    const QList<std::pair<const char*, Operation>> operations{
        {"/invoices/sendInvoice.json", sendReceipt},
        {"/batch/getPaymentMethods.json",
         [](TarvelloSDK& sdk, auto done) { sdk.retrieveBatchInformation(done); }},
        {"/batch/closeBatch.json", [](TarvelloSDK& sdk, auto done) { sdk.closeAllBatches(done); }},
        {"/subsidiaries/uploadImage.json",
         [](TarvelloSDK& sdk, auto done) { sdk.changeMerchantLogo(QImage(), done); }},
        {"/operations/getOperationInfo.json",
         [](TarvelloSDK& sdk, auto done) { sdk.retrievePaymentInfoForOperationID("5", done); }},
    };
    for (const auto& [path, operation] : operations) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(path) + ": " + c.name);
            const SandboxReply reply = c.reply.isValid()
                                           ? SandboxReply::json(c.reply)
                                           : SandboxReply::raw("<html>oops</html>", "text/html");
            sandbox->scriptOnce("POST", SandboxServer::apiPath(path), reply);
            const Outcome outcome = run(operation);
            EXPECT_FALSE(outcome.success);
            if (c.code == 0) {
                EXPECT_TRUE(outcome.result.isEmpty());
            } else {
                EXPECT_EQ(outcome.error().domain, "TarvelloSDK");
                EXPECT_EQ(outcome.error().code, c.code);
                EXPECT_EQ(outcome.error().description, c.message);
            }
        }
    }
    // Only the payment lookup reads 402 as an unknown operation.
    sandbox->scriptOnce("POST", SandboxServer::apiPath("/batch/getPaymentMethods.json"),
                        SandboxReply::failure(402, "Pago requerido"));
    const Outcome batches =
        run([](TarvelloSDK& sdk, auto done) { sdk.retrieveBatchInformation(done); });
    EXPECT_EQ(batches.error().code, 402);
    EXPECT_EQ(batches.error().description, "Pago requerido");
}

TEST_F(ScreenlessTest, PrintableReceipt) {
    const qint64 sale = addSale();
    const Outcome pdf = run([sale](TarvelloSDK& sdk, auto done) {
        sdk.getPDFReceiptForOperationID(QString::number(sale), done);
    });
    EXPECT_TRUE(pdf.success);
    EXPECT_TRUE(pdf.result.value("receipt").toByteArray().startsWith("%PDF-"));
    EXPECT_EQ(sandbox->lastRequest().field("saleId"), QString::number(sale));

    for (const SandboxReply& reply :
         {SandboxReply::failure(404, "La operación no existe"),
          SandboxReply::raw("<html><body>Error</body></html>", "text/html"),
          SandboxReply::unauthorized()}) {
        sandbox->scriptOnce("POST", SandboxServer::apiPath("/invoices/getToPrint.json"), reply);
        const Outcome refused = run([sale](TarvelloSDK& sdk, auto done) {
            sdk.getPDFReceiptForOperationID(QString::number(sale), done);
        });
        EXPECT_FALSE(refused.success);
        EXPECT_TRUE(refused.result.isEmpty());
    }
}

TEST_F(ScreenlessTest, BatchesAndAgreements) {
    addSale();
    const Outcome open =
        run([](TarvelloSDK& sdk, auto done) { sdk.retrieveBatchInformation(done); });
    ASSERT_TRUE(open.success);
    const QVariantList batches = open.result.value("batches").toList();
    ASSERT_EQ(batches.size(), 1);
    EXPECT_FALSE(batches.first().toMap().isEmpty());

    const Outcome closed = run([](TarvelloSDK& sdk, auto done) { sdk.closeAllBatches(done); });
    EXPECT_TRUE(closed.success);
    EXPECT_EQ(closed.result.value("batches").toList().size(), 1);
    EXPECT_EQ(sandbox->lastRequest().field("installmentId"), "0");

    run([](TarvelloSDK& sdk, auto done) { sdk.closeBatchWithId("4242", done); });
    EXPECT_EQ(sandbox->lastRequest().field("installmentId"), "4242");

    // Entries keep their order; one without "sdk" gives an empty dictionary.
    const QVariantMap a{{"id", 1}}, b{{"id", 2}};
    sandbox->scriptOnce(
        "POST", SandboxServer::apiPath("/batch/getPaymentMethods.json"),
        SandboxReply::ok({{"data", QVariantList{QVariantMap{{"sdk", a}}, QVariantMap{{"x", 1}},
                                                QVariantMap{{"sdk", b}}}}}));
    const Outcome scripted =
        run([](TarvelloSDK& sdk, auto done) { sdk.retrieveBatchInformation(done); });
    EXPECT_EQ(scripted.result.value("batches").toList(), (QVariantList{a, QVariantMap(), b}));
    sandbox->scriptOnce("POST", SandboxServer::apiPath("/batch/getPaymentMethods.json"),
                        SandboxReply::ok({}));
    const Outcome none =
        run([](TarvelloSDK& sdk, auto done) { sdk.retrieveBatchInformation(done); });
    EXPECT_TRUE(none.success);
    EXPECT_EQ(none.result.value("batches").toList(), QVariantList());

    const Outcome agreements =
        run([](TarvelloSDK& sdk, auto done) { sdk.retrieveAgreementNumbersWithCompletion(done); });
    EXPECT_TRUE(agreements.success);
    EXPECT_FALSE(agreements.result.value("agreements").toList().isEmpty());
    const SandboxRequest request = sandbox->lastRequest();
    EXPECT_EQ(request.method, "GET");
    EXPECT_EQ(request.queryItem("token"), sandbox.merchantToken());
}

TEST_F(ScreenlessTest, MerchantLogo) {
    logIn();
    QImage logo(8, 8, QImage::Format_ARGB32);
    logo.fill(Qt::red);
    const Outcome outcome =
        run([logo](TarvelloSDK& sdk, auto done) { sdk.changeMerchantLogo(logo, done); });
    EXPECT_TRUE(outcome.success);
    EXPECT_TRUE(outcome.result.isEmpty());
    const SandboxRequest request = sandbox->lastRequest();
    EXPECT_NE(request.file("profileImage"), nullptr);
    EXPECT_EQ(User::instance().image(), logo);
    EXPECT_FALSE(User::instance().imageURL().isEmpty());
    const QVariantMap stored = CacheHelper::decodeAnswer(
        UserDefaults::standardUserDefaults().objectForKey("lastUser").toByteArray());
    EXPECT_EQ(stored.value("profileImageUrl"), User::instance().imageURL());

    const Outcome removed =
        run([](TarvelloSDK& sdk, auto done) { sdk.changeMerchantLogo(QImage(), done); });
    EXPECT_TRUE(removed.success);
    EXPECT_EQ(sandbox->lastRequest().field("deleteProfileImage"), "1");
}

TEST_F(ScreenlessTest, ExpiredSessionLogsOutOnEveryOperation) {
    const QList<Operation> operations{
        sendReceipt,
        [](TarvelloSDK& sdk, auto done) { sdk.getPDFReceiptForOperationID("1", done); },
        [](TarvelloSDK& sdk, auto done) { sdk.retrievePaymentInfoForOperationID("1", done); },
        [](TarvelloSDK& sdk, auto done) { sdk.retrievePaymentInfoForReference("R", done); },
        [](TarvelloSDK& sdk, auto done) { sdk.retrieveBatchInformation(done); },
        [](TarvelloSDK& sdk, auto done) { sdk.closeBatchWithId("1", done); },
        [](TarvelloSDK& sdk, auto done) { sdk.retrieveAgreementNumbersWithCompletion(done); },
        [](TarvelloSDK& sdk, auto done) { sdk.changeMerchantLogo(QImage(), done); },
    };
    for (int i = 0; i < operations.size(); ++i) {
        SCOPED_TRACE(i);
        logIn();
        const bool forbidden = i % 2 == 1;
        sandbox->scriptOnce("*", SandboxServer::apiPath("/*"),
                            forbidden
                                ? SandboxReply::failure(403, "Acceso denegado", "FORBIDDEN", 403)
                                : SandboxReply::unauthorized("Sesión vencida"));
        const Outcome outcome = run(operations.at(i));
        EXPECT_FALSE(outcome.success);
        if (i == 1) {
            // The printable receipt reads raw bytes and never sees the expiry.
            EXPECT_TRUE(outcome.result.isEmpty());
            User::instance().reset();
            continue;
        }
        EXPECT_FALSE(User::instance().isLoggedIn());
        EXPECT_FALSE(UserDefaults::standardUserDefaults().hasKey("lastUser"));
        EXPECT_EQ(outcome.error().code, 1003);
        EXPECT_EQ(outcome.error().description, forbidden ? "Acceso denegado" : "Sesión vencida");
    }

    // An expiry reply without a message.
    logIn();
    sandbox->scriptOnce("*", SandboxServer::apiPath("/*"),
                        SandboxReply::json(QVariantMap{{"error", "UNAUTHORIZED"},
                                                       {"response", QVariantMap{{"code", 401}}}}));
    const Outcome outcome = run(operations.first());
    EXPECT_EQ(outcome.error().code, 1003);
    EXPECT_EQ(outcome.error().description, "Session expired");
    EXPECT_FALSE(User::instance().isLoggedIn());
}

TEST_F(ScreenlessTest, ConnectionFailureAndMissingCompletion) {
    logIn();
    sandbox->scriptOnce("POST", SandboxServer::apiPath("/batch/getPaymentMethods.json"),
                        SandboxReply::dropped());
    const Outcome failed =
        run([](TarvelloSDK& sdk, auto done) { sdk.retrieveBatchInformation(done); });
    EXPECT_FALSE(failed.success);
    ASSERT_TRUE(failed.hasError());
    EXPECT_NE(failed.error().domain, "TarvelloSDK");

    // Without a completion the operation still runs, and nothing breaks.
    sandbox->clearRequests();
    TarvelloSDK::sharedSDK().retrieveBatchInformation(TarvelloSDK::Completion());
    EXPECT_TRUE(waitUntil([&] { return !requestsTo("/batch/getPaymentMethods.json").isEmpty(); }));
    QTest::qWait(50);
}

TEST_F(ScreenlessTest, ABatchCloseWhoseConnectionDropsIsSentOnceAndFailsOnce) {
    logIn();
    sandbox->script("POST", SandboxServer::apiPath("/batch/closeBatch.json"),
                    SandboxReply::dropped());
    int calls = 0;
    bool succeeded = true;
    TarvelloSDK::sharedSDK().closeBatchWithId("0", [&](const QVariantMap&, bool success) {
        ++calls;
        succeeded = success;
    });
    ASSERT_TRUE(waitUntil([&] { return calls > 0; }));
    QTest::qWait(100);
    EXPECT_EQ(calls, 1);
    EXPECT_FALSE(succeeded);
    EXPECT_EQ(requestsTo("/batch/closeBatch.json").size(), 1);
}

TEST(SDKAPITest, CompletionIsCalledAtMostOnce) {
    TemporaryDefaults defaults;
    User::instance().reset();
    int calls = 0;
    auto request = std::make_shared<SDKBatchInfoAPI>();
    request->setCompletion([&](const QVariantMap&, bool) { ++calls; });
    request->apiDidFinishDownloadingWithDictionary(14, QVariantMap{{"success", "OK"}});
    request->sessionExpired();
    request->apiDidFailWithError(TarvelloError::sdk(1, "x"), 14);
    EXPECT_EQ(calls, 1);
}

} // namespace

#include "ApiSandbox.h"
#include "SDK/session/SessionTimer.h"
#include "SDK/session/User.h"
#include "platform/core/UserDefaults.h"

#include "platform/core/MainThread.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkReply>
#include <QThread>

namespace {

QList<QByteArray> namesAmong(const SandboxRequest& request, const QList<QByteArray>& wanted) {
    QList<QByteArray> names;
    for (const auto& [name, value] : request.headers)
        for (const QByteArray& w : wanted)
            if (name.compare(w, Qt::CaseInsensitive) == 0)
                names << w;
    return names;
}

const QList<QByteArray> ourHeaders = {"Content-Type",   "X-Authentication-ApiKey", "Content-Length",
                                      "Client-Version", "X-Authentication-Token",  "client-id"};

bool sessionMarkedExpired() {
    return UserDefaults::standardUserDefaults().hasKey(QStringLiteral("sessionTimeout"));
}

} // namespace

using DelegateStyle = ApiSandboxTest;

TEST_F(DelegateStyle, PostCarriesItsFourHeadersInOrder) {
    answerEverything(SandboxReply::ok());
    APIController client;
    client.setDelegate(&delegate);
    client.updateCatalogEnabled(true, "17", "T0K");
    ASSERT_TRUE(delegate.wait());
    EXPECT_EQ(delegate.events, QStringList{"dict:35"});

    const SandboxRequest request = sandbox->lastRequest();
    EXPECT_EQ(request.method, "POST");
    EXPECT_EQ(namesAmong(request, ourHeaders),
              (QList<QByteArray>{"Content-Type", "X-Authentication-ApiKey", "Content-Length",
                                 "Client-Version"}));
    EXPECT_EQ(request.header("Content-Type"), "multipart/form-data; boundary=0xKhTmLbOuNdArY");
    EXPECT_EQ(request.header("X-Authentication-ApiKey"), sandbox.apiKey().toUtf8());
    EXPECT_EQ(request.header("Content-Length").toInt(), request.body.size());
    EXPECT_EQ(request.header("Client-Version"), "3.1.4");
    EXPECT_EQ(request.body, *APIController::bodyFromDictionary(
                                {{"userId", "17"}, {"token", "T0K"}, {"isAvailable", "1"}}));
}

TEST_F(DelegateStyle, GetCarriesOnlyTheApiKeyAndEncodedQueryItems) {
    answerEverything(SandboxReply::ok());
    APIController client;
    client.setDelegate(&delegate);
    const QString token = QStringLiteral("a+b&c=d/é %x");
    client.getAgreementNumbersForToken(token);
    ASSERT_TRUE(delegate.wait());
    EXPECT_EQ(delegate.events, QStringList{"dict:12"});

    const SandboxRequest request = sandbox->lastRequest();
    EXPECT_EQ(request.method, "GET");
    EXPECT_EQ(request.path, "/developers/api/agreements");
    EXPECT_EQ(request.query, (QList<QPair<QString, QString>>{{"token", token}}));
    EXPECT_EQ(namesAmong(request, ourHeaders), QList<QByteArray>{"X-Authentication-ApiKey"});
    EXPECT_TRUE(request.body.isEmpty());
}

TEST_F(DelegateStyle, NoApiKeyAtTheFacadeSendsNoApiKeyHeader) {
    answerEverything(SandboxReply::ok());
    TarvelloSDK::sharedSDK().startWithAPIKey(std::nullopt);
    APIController client;
    client.setDelegate(&delegate);
    client.getHelpUrl();
    ASSERT_TRUE(delegate.wait());
    EXPECT_FALSE(sandbox->lastRequest().hasHeader("X-Authentication-ApiKey"));
    EXPECT_EQ(sandbox->lastRequest().body, "--0xKhTmLbOuNdArY--\r\n");
}

TEST_F(DelegateStyle, SynchronousPostRunsOnAWorkerThreadOnly) {
    sandbox->script("POST", SandboxServer::apiPath("/settings/getSetting.json"),
                    SandboxReply::json(QVariantMap{{"success", "OK"}, {"tips", true}}));
    std::optional<QByteArray> reply;
    bool onMainThread = true;
    QThread* worker = QThread::create([&] {
        onMainThread = MainThread::isCurrent();
        APIController client;
        client.setDelegate(&delegate);
        reply = client.getSettingsWithUserId("17", "T0K");
    });
    worker->start();
    ASSERT_TRUE(waitUntil([&] { return worker->isFinished(); }));
    delete worker;
    EXPECT_FALSE(onMainThread);
    ASSERT_TRUE(reply.has_value());
    EXPECT_EQ(QJsonDocument::fromJson(*reply).object().value("tips").toBool(), true);
    EXPECT_TRUE(delegate.events.isEmpty());

    const SandboxRequest request = sandbox->lastRequest();
    EXPECT_EQ(request.path, "/developers/api/settings/getSetting.json");
    EXPECT_EQ(namesAmong(request, ourHeaders),
              (QList<QByteArray>{"Content-Type", "X-Authentication-ApiKey", "Content-Length",
                                 "Client-Version"}));
    EXPECT_EQ(request.fieldNames(), (QStringList{"token", "userId"}));
    const QVariantMap entry = APIController::getRequestLog().last().toMap();
    EXPECT_TRUE(entry.value("host").toString().endsWith("/settings/getSetting.json"));
    EXPECT_TRUE(entry.value("response").toString().contains("tips"));

    // The main thread never waits on the network: there the call is refused and sends nothing.
    sandbox->clearRequests();
    APIController client;
    EXPECT_FALSE(client.getSettingsWithUserId("17", "T0K").has_value());
    EXPECT_TRUE(sandbox->requests().isEmpty());
}

TEST_F(DelegateStyle, WorkerRequestCarriesTheKeyOfItsCreation) {
    sandbox->script("POST", SandboxServer::apiPath("/settings/getSetting.json"),
                    SandboxReply::json(QVariantMap{{"success", "OK"}}));
    // Made on the main thread; the host changes its key before the worker sends.
    APIController client;
    TarvelloSDK::sharedSDK().setApiKey(QStringLiteral("changed-later"));
    QThread* worker = QThread::create([&] { client.getSettingsWithUserId("17", "T0K"); });
    worker->start();
    ASSERT_TRUE(waitUntil([&] { return worker->isFinished(); }));
    delete worker;
    const auto requests = sandbox->requestsTo("/developers/api/settings/getSetting.json");
    ASSERT_EQ(requests.size(), 1);
    EXPECT_EQ(requests.front().header("X-Authentication-ApiKey"), sandbox.apiKey().toUtf8());

    // A client made afterwards carries the new key.
    EXPECT_EQ(APIController().apiKey(), QStringLiteral("changed-later"));
}

TEST_F(DelegateStyle, SaleRecordRepliesAreWrappedAndReceiptsArriveAsBytes) {
    const QVariantMap record{{"success", "OK"}, {"id", 88}};
    sandbox->script("*", "/*", SandboxReply::json(record));
    for (int code : {51, 52}) {
        RecordingDelegate recorder;
        APIController client;
        client.setDelegate(&recorder);
        client.setFunctionName(code);
        client.loadUrl("/operations/getOperationInfo.json", {{"operationId", "88"}});
        ASSERT_TRUE(recorder.wait());
        EXPECT_EQ(recorder.events, QStringList{QStringLiteral("dict:%1").arg(code)});
        EXPECT_EQ(recorder.dictionary, (QVariantMap{{"content", record}}));
    }

    const QByteArray json = R"({"success":"OK","response":{"code":401}})";
    sandbox->script("*", "/*", SandboxReply::raw(json, "application/json"));
    APIController client;
    client.setDelegate(&delegate);
    client.setFunctionName(58);
    client.getUrl("/receipts/print", {{"id", "88"}});
    ASSERT_TRUE(delegate.wait());
    EXPECT_EQ(delegate.events, QStringList{"data:58"});
    EXPECT_EQ(delegate.data, json);
    EXPECT_EQ(APIController::getRequestLog().last().toMap().value("response").toString(),
              QString::fromUtf8(json));
}

TEST_F(DelegateStyle, SessionExpiryIsReadFromResponseOrContent) {
    struct Case {
        const char* what;
        QVariant reply;
        bool message, plain;
        QStringList expected; // empty: the session is expired by the client itself
        int status = 200;
    };
    const QVariantMap expired401{{"error", "SESSION"},
                                 {"response", QVariantMap{{"code", 401}, {"message", "Bye"}}}};
    const Case cases[] = {
        {"401 with message", expired401, true, true, {"expired:Bye"}},
        {"403 as text",
         QVariantMap{{"error", "X"}, {"response", QVariantMap{{"code", "403"}, {"message", "M"}}}},
         true,
         true,
         {"expired:M"}},
        {"no message hook", expired401, false, true, {"expired"}},
        {"no error key",
         QVariantMap{{"response", QVariantMap{{"code", 401}}}},
         true,
         true,
         {"expired"}},
        {"empty error text",
         QVariantMap{{"error", ""}, {"response", QVariantMap{{"code", 401}, {"message", "Bye"}}}},
         true,
         true,
         {"dict:3"}},
        {"response not an object",
         QVariantMap{{"error", "E"}, {"response", "401"}},
         true,
         true,
         {"dict:3"}},
        {"other code",
         QVariantMap{{"error", "E"}, {"response", QVariantMap{{"code", 400}}}},
         true,
         true,
         {"dict:3"}},
        {"inside content",
         QVariantMap{
             {"content", QVariantMap{{"error", "E"}, {"response", QVariantMap{{"code", 403}}}}}},
         true,
         true,
         {"expired"}},
        {"inside content, no hooks",
         QVariantMap{
             {"content", QVariantMap{{"error", "E"}, {"response", QVariantMap{{"code", 403}}}}}},
         false,
         false,
         {}},
        {"non-200 status with JSON", QVariantMap{{"success", "OK"}}, true, true, {"dict:3"}, 500},
    };
    for (const Case& c : cases) {
        UserDefaults::standardUserDefaults().removeObjectForKey("sessionTimeout");
        sandbox->script("*", "/*", SandboxReply::json(c.reply, c.status));
        RecordingDelegate recorder;
        recorder.handlesMessage = c.message;
        recorder.handlesPlain = c.plain;
        APIController client;
        client.setDelegate(&recorder);
        client.getUserExtraInfo("17", "T0K");
        if (c.expected.isEmpty()) {
            EXPECT_TRUE(waitUntil(sessionMarkedExpired)) << c.what;
            EXPECT_TRUE(recorder.events.isEmpty()) << c.what;
        } else {
            ASSERT_TRUE(recorder.wait()) << c.what;
            EXPECT_EQ(recorder.events, c.expected) << c.what;
            EXPECT_FALSE(sessionMarkedExpired()) << c.what;
        }
    }
}

TEST_F(DelegateStyle, SuccessfulRepliesHandTheTimerOverAndLoginRestartsIt) {
    User::instance().setSessionTimeout(600);
    SessionTimer::instance().resetTimer();
    ASSERT_EQ(SessionTimer::instance().intervalMs(), 600000);
    // Only a restart picks up the new time-out.
    User::instance().setSessionTimeout(900);

    struct Case {
        const char* what;
        QVariantMap reply;
        int code;
        bool handedOver;
        int intervalMs;
    };
    const Case cases[] = {
        {"lower-case ok", {{"success", "ok"}}, 2, false, 600000},
        {"OK", {{"success", "OK"}}, 2, true, 600000},
        {"content without success", {{"content", QVariantList{}}}, 3, true, 600000},
        {"login", {{"success", "OK"}}, 1, true, 900000},
    };
    for (const Case& c : cases) {
        sandbox->script("*", "/*", SandboxReply::json(c.reply));
        SessionTimer::instance().setDelegate(nullptr);
        RecordingDelegate recorder;
        APIController client;
        client.setDelegate(&recorder);
        client.setFunctionName(c.code);
        client.loadUrl("/users/any.json", {});
        ASSERT_TRUE(recorder.wait()) << c.what;
        EXPECT_EQ(recorder.events.size(), 1) << c.what;
        EXPECT_EQ(SessionTimer::instance().delegate() == &client, c.handedOver) << c.what;
        EXPECT_EQ(SessionTimer::instance().intervalMs(), c.intervalMs) << c.what;
    }
    // A client that went away is no longer the timer's delegate.
    EXPECT_EQ(SessionTimer::instance().delegate(), nullptr);
    User::instance().setSessionTimeout(0);
    SessionTimer::instance().resetTimer();
}

TEST_F(DelegateStyle, TimerExpiryReachesTheRequestsDelegate) {
    answerEverything(SandboxReply::ok());
    APIController client;
    client.setDelegate(&delegate);
    client.getHelpUrl();
    ASSERT_TRUE(delegate.wait());
    ASSERT_EQ(SessionTimer::instance().delegate(), &client);
    delegate.events.clear();
    SessionTimer::instance().sessionExpired();
    EXPECT_EQ(delegate.events, QStringList{"expired"});
}

TEST_F(DelegateStyle, BrokenRepliesGiveAClearOutcomeNeverAHang) {
    APIConfiguration::current()->setRequestTimeout(400);
    struct Case {
        const char* what;
        SandboxReply reply;
        const char* expected;
    };
    const Case cases[] = {
        {"malformed JSON", SandboxReply::raw(R"({"success": "OK",)", "application/json"),
         "nodict:9"},
        {"empty body", SandboxReply::raw("", "application/json"), "nodict:9"},
        {"not JSON", SandboxReply::raw("<html>busy</html>", "text/html", 503), "nodict:9"},
        {"top-level list", SandboxReply::json(QVariantList{1, 2}), "nodict:9"},
        {"truncated",
         SandboxReply::json(QVariantMap{{"success", "OK"}, {"pad", QString(400, u'x')}})
             .truncatedAt(20),
         "fail:9"},
        {"dropped", SandboxReply::dropped(), "fail:9"},
        {"slow", SandboxReply::ok().withDelay(3000), "fail:9"},
    };
    for (const Case& c : cases) {
        sandbox->script("*", "/*", c.reply);
        RecordingDelegate recorder;
        APIController client;
        client.setDelegate(&recorder);
        client.acceptTermsForUserId("17", "T0K");
        ASSERT_TRUE(recorder.wait()) << c.what;
        EXPECT_EQ(recorder.events, QStringList{c.expected}) << c.what;
        if (QString(c.expected).startsWith("fail")) {
            EXPECT_FALSE(recorder.failure.description.isEmpty()) << c.what;
        }
    }
}

TEST_F(DelegateStyle, UnreachableServerAndUnbuildableBodyFailLater) {
    APIController client;
    client.setDelegate(&delegate);
    client.updateTaxSettingsDefaultTaxRate(21, "IVA --0xKhTmLbOuNdArY", "17", "T0K");
    EXPECT_TRUE(delegate.events.isEmpty()); // delivered later, not inside the call
    ASSERT_TRUE(delegate.wait());
    EXPECT_EQ(delegate.events, QStringList{"fail:23"});
    EXPECT_TRUE(delegate.failure.description.contains("boundary"));
    EXPECT_TRUE(sandbox->requests().isEmpty());

    delegate.events.clear();
    sandbox.server().stop();
    client.getHelpUrl();
    EXPECT_TRUE(delegate.events.isEmpty());
    ASSERT_TRUE(delegate.wait());
    EXPECT_EQ(delegate.events, QStringList{"fail:8"});
}

TEST_F(DelegateStyle, ServerOutsideTheTrustedAuthoritiesIsRefused) {
    APIConfiguration::current()->removeAddedCAs();
    answerEverything(SandboxReply::ok());
    APIController client;
    client.setDelegate(&delegate);
    client.getHelpUrl();
    ASSERT_TRUE(delegate.wait());
    EXPECT_EQ(delegate.events, QStringList{"fail:8"});
    EXPECT_TRUE(sandbox->requests().isEmpty());

    // The sandbox's CA named by the environment is trusted as well.
    qputenv("TARVELLO_CA_FILE", sandbox.caFile().toUtf8());
    delegate.events.clear();
    client.getHelpUrl();
    ASSERT_TRUE(delegate.wait());
    qunsetenv("TARVELLO_CA_FILE");
    EXPECT_EQ(delegate.events, QStringList{"dict:8"});
}

class ForeignCertificate : public ApiSandboxTest {
protected:
    static SandboxServer::Options options() {
        SandboxServer::Options o;
        o.foreignCertificate = true;
        return o;
    }
    ForeignCertificate()
        : ApiSandboxTest(options()) {}
};

TEST_F(ForeignCertificate, CertificateOfAnotherAuthorityIsRefused) {
    answerEverything(SandboxReply::ok());
    APIController client;
    client.setDelegate(&delegate);
    client.getHelpUrl();
    ASSERT_TRUE(delegate.wait());
    EXPECT_EQ(delegate.events, QStringList{"fail:8"});
    EXPECT_EQ(delegate.failure.code, QNetworkReply::SslHandshakeFailedError);

    // Nor does the synchronous transport accept it.
    std::optional<QByteArray> reply = QByteArray("untouched");
    QThread* worker =
        QThread::create([&] { reply = APIController().getSettingsWithUserId("1", "t"); });
    worker->start();
    ASSERT_TRUE(waitUntil([&] { return worker->isFinished(); }));
    delete worker;
    EXPECT_FALSE(reply.has_value());

    // Nor the block-style client: both clients get their TLS set-up from one place.
    std::optional<TarvelloError> failed;
    bool succeeded = false;
    APIController::get(
        QStringLiteral("/taxes"), [&](const Response&) { succeeded = true; },
        [&](const TarvelloError& error) { failed = error; });
    ASSERT_TRUE(waitUntil([&] { return succeeded || failed.has_value(); }));
    EXPECT_FALSE(succeeded);
    EXPECT_TRUE(sandbox->requests().isEmpty());
}

TEST_F(DelegateStyle, TimerExpiryWithoutADelegateEndsTheSession) {
    answerEverything(SandboxReply::ok());
    APIController client;
    client.setDelegate(&delegate);
    client.getHelpUrl();
    ASSERT_TRUE(delegate.wait());
    ASSERT_EQ(SessionTimer::instance().delegate(), &client);
    client.setDelegate(nullptr);
    SessionTimer::instance().sessionExpired();
    EXPECT_TRUE(sessionMarkedExpired());
}

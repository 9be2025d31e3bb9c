#include "ApiSandbox.h"
#include "SDK/session/User.h"
#include "api/LogRedaction.h"
#include "api/SessionBridge.h"
#include "platform/core/MainThread.h"
#include "platform/core/UserDefaults.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

namespace {

struct Outcome {
    std::optional<Response> response;
    std::optional<TarvelloError> error;
    bool done() const { return response || error; }
};

Outcome getThrough(const QString& path) {
    Outcome outcome;
    bool onMain = false;
    APIController::get(
        path,
        [&](const Response& r) {
            onMain = MainThread::isCurrent();
            outcome.response = r;
        },
        [&](const TarvelloError& e) {
            onMain = MainThread::isCurrent();
            outcome.error = e;
        });
    EXPECT_TRUE(waitUntil([&] { return outcome.done(); }));
    EXPECT_TRUE(onMain);
    return outcome;
}

} // namespace

using BlockStyle = ApiSandboxTest;

TEST_F(BlockStyle, RepliesMapToSuccessOrError) {
    const QString connError = SessionBridge::connectionErrorText();
    struct Case {
        const char* what;
        SandboxReply reply;
        bool success;
        QString domain = {};
        qint64 code = 0;
        QString message = {};
    };
    const Case cases[] = {
        {"success ok in any case", SandboxReply::json(QVariantMap{{"success", "ok"}}), true},
        {"201 with an empty object", SandboxReply::json(QVariantMap{}, 201), true},
        {"200 with an empty object", SandboxReply::json(QVariantMap{}), false, "Network", 400,
         connError},
        {"list with entries", SandboxReply::json(QVariantList{1, 2}), true},
        {"empty list", SandboxReply::json(QVariantList{}), false, "Network", 400, connError},
        {"error without response", SandboxReply::json(QVariantMap{{"error", "E"}}), false,
         "Network", 400, connError},
        {"custom code",
         SandboxReply::json(QVariantMap{
             {"error", "REFUND"},
             {"response",
              QVariantMap{{"code", 400}, {"customCode", 1203}, {"message", "Ya devuelta"}}}}),
         false, "REFUND", 1203, "Ya devuelta"},
        {"custom code null",
         SandboxReply::json(
             QVariantMap{{"error", "E"},
                         {"response", QVariantMap{{"code", 400},
                                                  {"customCode", QVariant::fromValue(nullptr)}}}}),
         false, "E", 400, ""},
        {"response with a message only",
         SandboxReply::json(QVariantMap{{"response", QVariantMap{{"message", "only"}}}}), false, "",
         0, "only"},
        {"not JSON", SandboxReply::raw("<html/>", "text/html", 502), false, "Network", 400,
         connError},
        {"dropped", SandboxReply::dropped(), false, "Network", 400, connError},
    };
    for (const Case& c : cases) {
        sandbox->script("*", "/*", c.reply);
        const Outcome outcome = getThrough("/taxes");
        EXPECT_EQ(outcome.response.has_value(), c.success) << c.what;
        if (!c.success) {
            ASSERT_TRUE(outcome.error) << c.what;
            EXPECT_EQ(outcome.error->domain, c.domain) << c.what;
            EXPECT_EQ(outcome.error->code, c.code) << c.what;
            EXPECT_EQ(outcome.error->description, c.message) << c.what;
        }
    }
    EXPECT_EQ(sandbox->lastRequest().path, "/developers/api/taxes");

    sandbox->script("*", "/*", SandboxReply::json(QVariantList{1, 2}));
    EXPECT_EQ(getThrough("/list").response->json(),
              (QVariantMap{{"response", QVariantList{1, 2}}, {"success", "OK"}}));
}

TEST_F(BlockStyle, A401ExpiresTheSessionThenFails) {
    sandbox->script("*", "/*",
                    SandboxReply::json(QVariantMap{
                        {"error", "AUTH"},
                        {"response", QVariantMap{{"code", 401}, {"message", "Sesión vencida"}}}}));
    const Outcome outcome = getThrough("/account/balance");
    ASSERT_TRUE(outcome.error);
    EXPECT_EQ(outcome.error->domain, "AUTH");
    EXPECT_EQ(outcome.error->code, 401);
    EXPECT_EQ(outcome.error->description, "Sesión vencida");
    EXPECT_TRUE(UserDefaults::standardUserDefaults().hasKey("sessionTimeout"));
}

TEST_F(BlockStyle, RequestsCarryClientIdTokenAndKey) {
    answerEverything(SandboxReply::ok());
    User::instance().setToken("USERtok");
    Outcome outcome;
    APIController::postWithParameters(
        "/payments/link", {{"amount", "10.50"}, {"note", "a&b=c"}},
        [&](const Response& r) { outcome.response = r; },
        [&](const TarvelloError& e) { outcome.error = e; });
    ASSERT_TRUE(waitUntil([&] { return outcome.done(); }));
    ASSERT_TRUE(outcome.response);
    const SandboxRequest request = sandbox->lastRequest();
    EXPECT_EQ(request.header("client-id").size(), 51);
    EXPECT_EQ(request.header("X-Authentication-Token"), "USERtok");
    EXPECT_EQ(request.header("X-Authentication-ApiKey"), sandbox.apiKey().toUtf8());
    EXPECT_EQ(request.field("amount"), "10.50");
    EXPECT_EQ(request.field("note"), "a&b=c");
    User::instance().setToken(QString());
}

TEST_F(BlockStyle, GetV2ExpiresOn401ThenFailsOnTheMainThread) {
    sandbox->script("GET", "/api/profile", SandboxReply::unauthorized());
    APIController client;
    std::optional<TarvelloError> error;
    bool onMain = false;
    client.getV2(
        "/profile", [](const QVariant&) { ADD_FAILURE() << "no completion on 401"; },
        [&](const TarvelloError& e) {
            onMain = MainThread::isCurrent();
            error = e;
        });
    ASSERT_TRUE(waitUntil([&] { return error.has_value(); }));
    EXPECT_TRUE(onMain);
    EXPECT_EQ(error->code, 401);
    EXPECT_TRUE(UserDefaults::standardUserDefaults().hasKey("sessionTimeout"));

    sandbox->script("GET", "/api/profile", SandboxReply::json(QVariantMap{{"name", "Ana"}}));
    std::optional<QVariant> json;
    client.getV2(
        "/profile", [&](const QVariant& j) { json = j; }, nullptr);
    ASSERT_TRUE(waitUntil([&] { return json.has_value(); }));
    EXPECT_EQ(json->toMap().value("name").toString(), "Ana");
}

TEST_F(BlockStyle, DownloadsKeepOnlyAPlainFileName) {
    QStandardPaths::setTestModeEnabled(true);
    const QString documents =
        QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + "/Documents";
    struct Case {
        const char* disposition;
        const char* savedAs; // nullptr: refused
    };
    const Case cases[] = {
        {"attachment; filename=\"receipt-88.pdf\"", "receipt-88.pdf"},
        {"attachment; filename=\"../escape.pdf\"", nullptr},
        {"attachment; filename=\"..\"", nullptr},
        {"attachment; filename=\"a\\\\b.pdf\"", nullptr},
    };
    for (const Case& c : cases) {
        sandbox->script("GET", "/developers/api/receipts/88",
                        SandboxReply::raw("%PDF-1.4 body", "application/pdf")
                            .withHeader("Content-Disposition", c.disposition));
        std::optional<std::pair<QString, std::optional<TarvelloError>>> result;
        APIController::downloadFromURL(
            "/receipts/88", {},
            [&](const QString& path, const std::optional<TarvelloError>& error) {
                result = std::make_pair(path, error);
            },
            nullptr);
        ASSERT_TRUE(waitUntil([&] { return result.has_value(); })) << c.disposition;
        if (c.savedAs) {
            EXPECT_FALSE(result->second) << c.disposition;
            EXPECT_EQ(result->first, QDir(documents).filePath(c.savedAs));
            QFile file(result->first);
            ASSERT_TRUE(file.open(QIODevice::ReadOnly));
            EXPECT_EQ(file.readAll(), "%PDF-1.4 body");
            file.remove();
        } else {
            EXPECT_TRUE(result->second.has_value()) << c.disposition;
            EXPECT_TRUE(result->first.isEmpty()) << c.disposition;
        }
    }
    EXPECT_FALSE(QFile::exists(QDir(documents).filePath("../escape.pdf")));
    QStandardPaths::setTestModeEnabled(false);
}

TEST_F(BlockStyle, SecretsOfARealExchangeStayOutOfTheLogs) {
    static QStringList lines;
    lines.clear();
    QLoggingCategory::setFilterRules(QStringLiteral("tarvello.api.info=true"));
    const QtMessageHandler previous = qInstallMessageHandler(
        [](QtMsgType, const QMessageLogContext&, const QString& message) { lines << message; });
    sandbox->script("*", "/*",
                    SandboxReply::json(QVariantMap{{"success", "OK"},
                                                   {"token", "REPLYtok3n"},
                                                   {"cardNumber", "4761739001010119"}}));
    RecordingDelegate recorder;
    APIController client;
    client.setDelegate(&recorder);
    client.loadUser("m@shop.example", "hunter2Secret", "dev", "os", "model", "", "1");
    ASSERT_TRUE(recorder.wait());
    User::instance().setToken("SESSIONtok3n");
    std::optional<Response> response;
    APIController::get(
        "/x?token=SESSIONtok3n", [&](const Response& r) { response = r; }, nullptr);
    ASSERT_TRUE(waitUntil([&] { return response.has_value(); }));
    qInstallMessageHandler(previous);
    QLoggingCategory::setFilterRules(QStringLiteral("tarvello.api.info=false"));
    User::instance().setToken(QString());

    QStringList texts = lines;
    for (const QVariant& entry : APIController::getRequestLog())
        for (const char* key : {"host", "body", "response"})
            texts << entry.toMap().value(key).toString();
    ASSERT_FALSE(lines.isEmpty());
    const QStringList secrets{"hunter2Secret", "REPLYtok3n", "SESSIONtok3n", "4761739001010119",
                              sandbox.apiKey()};
    for (const QString& text : texts)
        for (const QString& secret : secrets)
            EXPECT_FALSE(text.contains(secret)) << text.toStdString();
}

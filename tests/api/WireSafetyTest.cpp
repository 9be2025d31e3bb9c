#include "ApiSandbox.h"
#include "SDK/session/User.h"

#include <QTest>
#include <QThread>

namespace {

// What each client made of one request: the delegate-style POST, the block-style POST and the
// synchronous POST on a worker thread.
struct ClientOutcomes {
    QStringList delegateEvents;
    TarvelloError delegateFailure;
    int blockCompletions = 0;
    QList<TarvelloError> blockFailures;
    std::optional<QByteArray> synchronousReply;
};

ClientOutcomes sendThroughEveryClient() {
    ClientOutcomes out;
    RecordingDelegate recorder;
    APIController client;
    client.setDelegate(&recorder);
    client.updateCatalogEnabled(true, "17", "T0K");
    EXPECT_TRUE(recorder.wait());

    bool blockDone = false;
    APIController::postWithParameters(
        QStringLiteral("/payments/link"), {{"amount", "10.50"}},
        [&](const Response&) {
            ++out.blockCompletions;
            blockDone = true;
        },
        [&](const TarvelloError& error) {
            out.blockFailures << error;
            blockDone = true;
        });
    EXPECT_TRUE(waitUntil([&] { return blockDone; }));

    out.synchronousReply = QByteArray("untouched");
    QThread* worker = QThread::create(
        [&] { out.synchronousReply = APIController().getSettingsWithUserId("17", "T0K"); });
    worker->start();
    EXPECT_TRUE(waitUntil([&] { return worker->isFinished(); }));
    delete worker;

    // Anything late would show now.
    QTest::qWait(50);
    out.delegateEvents = recorder.events;
    out.delegateFailure = recorder.failure;
    return out;
}

} // namespace

using WireSafety = ApiSandboxTest;

TEST_F(WireSafety, NoClientFollowsARedirect) {
    SandboxFixture elsewhere;
    APIConfiguration::current()->addTrustedCAFile(elsewhere.caFile());
    elsewhere->script("*", "/*", SandboxReply::ok({{"from", "elsewhere"}}));
    for (const int status : {301, 302, 307, 308}) {
        SCOPED_TRACE(status);
        sandbox->clearRequests();
        // The faults route answers the status with a Location on the other server.
        APIConfiguration::current()->setBaseURL(QStringLiteral("%1/faults/redirect/%2/%3")
                                                    .arg(sandbox.baseUrl())
                                                    .arg(status)
                                                    .arg(elsewhere->port()));
        const ClientOutcomes out = sendThroughEveryClient();

        EXPECT_EQ(out.delegateEvents, QStringList{"fail:35"});
        EXPECT_EQ(out.delegateFailure.code, status);
        EXPECT_TRUE(out.delegateFailure.description.contains("redirect"))
            << out.delegateFailure.description.toStdString();
        EXPECT_EQ(out.blockCompletions, 0);
        ASSERT_EQ(out.blockFailures.size(), 1);
        EXPECT_EQ(out.blockFailures.first().code, status);
        EXPECT_TRUE(out.blockFailures.first().description.contains("redirect"));
        EXPECT_FALSE(out.synchronousReply.has_value());

        EXPECT_EQ(sandbox->requests().size(), 3);
        EXPECT_TRUE(elsewhere->requests().isEmpty());
    }
}

class PlainHttp : public ApiSandboxTest {
protected:
    static SandboxServer::Options options() {
        SandboxServer::Options o;
        o.plainHttp = true;
        return o;
    }
    PlainHttp()
        : ApiSandboxTest(options()) {}
};

TEST_F(PlainHttp, NothingIsSentToAnAddressThatIsNotHttps) {
    ASSERT_TRUE(sandbox.baseUrl().startsWith("http://"));
    answerEverything(SandboxReply::ok());
    ConsoleLines console;
    const ClientOutcomes out = sendThroughEveryClient();

    EXPECT_EQ(out.delegateEvents, QStringList{"fail:35"});
    EXPECT_TRUE(out.delegateFailure.description.contains("https"))
        << out.delegateFailure.description.toStdString();
    EXPECT_EQ(out.blockCompletions, 0);
    ASSERT_EQ(out.blockFailures.size(), 1);
    EXPECT_TRUE(out.blockFailures.first().description.contains("https"));
    EXPECT_FALSE(out.synchronousReply.has_value());
    EXPECT_TRUE(console.contains("over https only"));
    EXPECT_TRUE(sandbox->requests().isEmpty());
}

TEST_F(WireSafety, ADroppedConnectionIsNeverFollowedByASecondSending) {
    // Every request with a body, of every client: one sending, one failure.
    answerEverything(SandboxReply::dropped());
    const ClientOutcomes out = sendThroughEveryClient();
    EXPECT_EQ(out.delegateEvents, QStringList{"fail:35"});
    EXPECT_EQ(out.blockCompletions, 0);
    EXPECT_EQ(out.blockFailures.size(), 1);
    EXPECT_FALSE(out.synchronousReply.has_value());
    EXPECT_EQ(sandbox->requests().size(), 3);

    // A GET fails once as well (being a read, Qt's HTTP layer may send it again).
    RecordingDelegate recorder;
    APIController client;
    client.setDelegate(&recorder);
    client.getAgreementNumbersForToken("T0K");
    ASSERT_TRUE(recorder.wait());
    QTest::qWait(50);
    EXPECT_EQ(recorder.events, QStringList{"fail:12"});
}

TEST_F(WireSafety, AnEchoedErrorPageShowsNoSecretInAnyLog) {
    // The session's secrets, as the host and the back end gave them.
    const QString password = QStringLiteral("hunter2Secret");
    User::instance().setToken(QStringLiteral("SESSIONtok3n"));
    APIConfiguration::current()->setBaseURL(sandbox.baseUrl() + "/faults/echo");
    const QStringList secrets{sandbox.apiKey(), sandbox.merchantToken(), "SESSIONtok3n", password};
    {
        ConsoleLines console;
        RecordingDelegate recorder;
        APIController client;
        client.setDelegate(&recorder);
        client.loadUser("m@shop.example", password, "dev", "os", "model", "", "1");
        ASSERT_TRUE(recorder.wait());
        EXPECT_EQ(recorder.events, QStringList{"nodict:1"});
        // The request log keeps the page, masked.
        EXPECT_TRUE(APIController::getRequestLog()
                        .last()
                        .toMap()
                        .value("response")
                        .toString()
                        .contains("Internal Server Error"));

        std::optional<TarvelloError> failed;
        APIController::postWithParameters(QStringLiteral("/payments/link"),
                                          {{"note", "SESSIONtok3n"}}, nullptr,
                                          [&](const TarvelloError& error) { failed = error; });
        ASSERT_TRUE(waitUntil([&] { return failed.has_value(); }));

        // The console shows the page's size, type and a masked start.
        EXPECT_TRUE(console.contains("bytes of text/html"));
        QStringList texts = ConsoleLines::lines();
        for (const QVariant& entry : APIController::getRequestLog())
            for (const char* key : {"host", "body", "response"})
                texts << entry.toMap().value(key).toString();
        for (const QString& text : texts)
            for (const QString& secret : secrets)
                EXPECT_FALSE(text.contains(secret))
                    << secret.toStdString() << " in: " << text.toStdString();
    }
    User::instance().setToken(QString());
}

#include "SandboxClient.h"

#include "sandbox/SandboxRequest.h"
#include "support/SandboxFixture.h"
#include "support/TestSupport.h"

#include <QElapsedTimer>
#include <QFile>
#include <QJsonObject>
#include <QNetworkInterface>
#include <QSslSocket>
#include <QTcpSocket>
#include <atomic>
#include <gtest/gtest.h>
#include <thread>

namespace {

const QString kUnknownPath = QStringLiteral("/developers/api/nowhere.json");

} // namespace

TEST(SandboxServer, ServesHttpsTrustedOnlyThroughItsOwnAuthority) {
    SandboxFixture sandbox;
    ASSERT_TRUE(QFile::exists(sandbox.caFile()));

    SandboxClient trusting(sandbox.caFile());
    const ClientReply ok = trusting.get(sandbox.baseUrl() + kUnknownPath);
    EXPECT_EQ(ok.error, QNetworkReply::ContentNotFoundError);
    EXPECT_EQ(ok.status, 404);
    EXPECT_EQ(ok.response().value("code").toInt(), 404);
    EXPECT_FALSE(ok.response().value("message").toString().isEmpty());
    // localhost is in the certificate too.
    const QString viaName = sandbox.baseUrl().replace("127.0.0.1", "localhost");
    EXPECT_EQ(trusting.get(viaName + kUnknownPath).status, 404);

    SandboxClient systemOnly;
    const ClientReply refused = systemOnly.get(sandbox.baseUrl() + kUnknownPath);
    EXPECT_EQ(refused.error, QNetworkReply::SslHandshakeFailedError);
    EXPECT_EQ(refused.status, 0);
}

TEST(SandboxServer, ServerWithAForeignCertificateIsRefused) {
    SandboxServer::Options options;
    options.foreignCertificate = true;
    SandboxFixture impostor(options);
    SandboxClient client(impostor.caFile());
    const ClientReply reply = client.get(impostor.baseUrl() + kUnknownPath);
    EXPECT_EQ(reply.error, QNetworkReply::SslHandshakeFailedError);
    EXPECT_TRUE(impostor->requests().isEmpty());
}

TEST(SandboxServer, ListensOnLoopbackOnly) {
    SandboxFixture sandbox;
    EXPECT_EQ(sandbox->address(), QHostAddress(QHostAddress::LocalHost));
    EXPECT_NE(sandbox->port(), 0);
    for (const QHostAddress& address : QNetworkInterface::allAddresses()) {
        if (address.isLoopback() || address.protocol() != QAbstractSocket::IPv4Protocol)
            continue;
        QTcpSocket socket;
        socket.connectToHost(address, sandbox->port());
        EXPECT_FALSE(socket.waitForConnected(2000)) << address.toString().toStdString();
    }
}

TEST(SandboxServer, RecordsMultipartFieldsAndFilesInOrder) {
    SandboxFixture sandbox;
    SandboxClient client(sandbox.caFile());

    auto* multiPart = new QHttpMultiPart(QHttpMultiPart::FormDataType);
    auto addText = [multiPart](const QString& name, const QByteArray& value) {
        QHttpPart part;
        part.setHeader(QNetworkRequest::ContentDispositionHeader,
                       QStringLiteral("form-data; name=\"%1\"").arg(name));
        part.setBody(value);
        multiPart->append(part);
    };
    addText("userId", "17");
    addText("note", "línea uno\r\nlínea dos");
    addText("empty", "");
    QHttpPart image;
    image.setHeader(QNetworkRequest::ContentDispositionHeader,
                    "form-data; name=\"profileImage\"; filename=\"image.jpg\"");
    image.setHeader(QNetworkRequest::ContentTypeHeader, "image/png");
    const QByteArray pixels("\x89PNG\r\n\x1a\n\0\0--binary", 18);
    image.setBody(pixels);
    multiPart->append(image);
    addText("token", "abc");

    QNetworkRequest request =
        client.request(sandbox.baseUrl() + "/developers/api/users/register.json?lang=es&q=a%20b+c");
    request.setRawHeader("X-Authentication-ApiKey", "key-1");
    request.setRawHeader("Client-Version", "2.3");
    client.send(request, "POST", {}, multiPart);

    const SandboxRequest recorded = sandbox->lastRequest();
    ASSERT_TRUE(recorded.isValid());
    EXPECT_EQ(recorded.method, "POST");
    EXPECT_EQ(recorded.path, "/developers/api/users/register.json");
    EXPECT_EQ(recorded.queryItem("lang"), "es");
    EXPECT_EQ(recorded.queryItem("q"), "a b+c");
    EXPECT_EQ(recorded.fieldNames(), QStringList({"userId", "note", "empty", "token"}));
    EXPECT_EQ(recorded.field("note"), QString::fromUtf8("línea uno\r\nlínea dos"));
    EXPECT_TRUE(recorded.hasField("empty"));
    EXPECT_EQ(recorded.field("empty"), "");
    ASSERT_EQ(recorded.files.size(), 1);
    EXPECT_EQ(recorded.files[0].field, "profileImage");
    EXPECT_EQ(recorded.files[0].fileName, "image.jpg");
    EXPECT_EQ(recorded.files[0].contentType, "image/png");
    EXPECT_EQ(recorded.files[0].content, pixels);
    EXPECT_EQ(recorded.header("x-authentication-apikey"), "key-1");
    const QList<QByteArray> names = recorded.headerNames();
    EXPECT_LT(names.indexOf("X-Authentication-ApiKey"), names.indexOf("Client-Version"));
    EXPECT_TRUE(recorded.arrivedAt.isValid());
    EXPECT_EQ(recorded.arrivedAt.timeSpec(), Qt::UTC);
}

TEST(SandboxServer, ParsesFormJsonAndBodiesAsTheClientWritesThem) {
    SandboxFixture sandbox;
    SandboxClient client(sandbox.caFile());
    const QString url = sandbox.baseUrl() + "/developers/api/account/bank-account";

    client.post(url, "email=ana%40x.example&name=Ana+Mar%C3%ADa&flag",
                "application/x-www-form-urlencoded");
    SandboxRequest form = sandbox->lastRequest();
    EXPECT_EQ(form.fieldNames(), QStringList({"email", "name", "flag"}));
    EXPECT_EQ(form.field("email"), "ana@x.example");
    EXPECT_EQ(form.field("name"), QString::fromUtf8("Ana María"));

    // A JSON body announced as multipart still reads as JSON.
    const QByteArray json = "{\n  \"bankAccount\" : {\"cbu\" : \"0123\"}\n}";
    QNetworkRequest put = client.request(url);
    put.setRawHeader("Content-Type",
                     "multipart/form-data; boundary=----WebKitFormBoundary7MA4YWxkTrZu0gW");
    client.send(put, "PUT", json);
    const SandboxRequest recorded = sandbox->lastRequest();
    EXPECT_EQ(recorded.method, "PUT");
    EXPECT_EQ(recorded.body, json);
    EXPECT_EQ(recorded.jsonObject().value("bankAccount").toMap().value("cbu"), "0123");
    EXPECT_EQ(sandbox->requestsTo("/developers/api/account/bank-account", "PUT").size(), 1);
    EXPECT_EQ(sandbox->requestsTo("/developers/api/account/bank-account").size(), 2);
    sandbox->clearRequests();
    EXPECT_TRUE(sandbox->requests().isEmpty());
    EXPECT_FALSE(sandbox->lastRequest().isValid());
}

TEST(SandboxBodyParser, ReadsMultipartBodiesOfEveryShape) {
    struct Case {
        const char* name;
        QByteArray body;
        QByteArray boundary;
        QList<QPair<QString, QString>> fields;
    };
    const QByteArray b = "0xKhTmLbOuNdArY";
    const QList<Case> cases = {
        {"two text parts",
         "--" + b + "\r\nContent-Disposition: form-data; name=\"userId\"\r\n\r\n17\r\n--" + b +
             "\r\nContent-Disposition: form-data; name=\"isAvailable\"\r\n\r\n1\r\n--" + b +
             "--\r\n",
         b,
         {{"userId", "17"}, {"isAvailable", "1"}}},
        {"closing line only", "--" + b + "--\r\n", b, {}},
        {"part without content line, next delimiter follows at once",
         "--" + b + "\r\nContent-Disposition: form-data; name=\"list\"\r\n\r\n--" + b +
             "\r\nContent-Disposition: form-data; name=\"token\"\r\n\r\nabc\r\n--" + b + "--\r\n",
         b,
         {{"list", ""}, {"token", "abc"}}},
        {"no blank after the colon, CRLF before later delimiters",
         "--B\r\nContent-Disposition:form-data; name=\"data\"\r\n\r\n{\"a\":1}\r\n--B\r\n"
         "Content-Disposition:form-data; name=\"x\"\r\n\r\ny\r\n--B--\r\n",
         "B",
         {{"data", "{\"a\":1}"}, {"x", "y"}}},
        {"value containing the boundary text mid-line",
         "--B\r\nContent-Disposition: form-data; name=\"v\"\r\n\r\nx--B y\r\n--B--\r\n",
         "B",
         {{"v", "x--B y"}}},
    };
    for (const Case& c : cases) {
        QList<QPair<QString, QString>> fields;
        QList<SandboxFile> files;
        EXPECT_TRUE(SandboxBodyParser::parseMultipart(c.body, c.boundary, fields, files)) << c.name;
        EXPECT_EQ(fields, c.fields) << c.name;
        EXPECT_TRUE(files.isEmpty()) << c.name;
    }
    QList<QPair<QString, QString>> fields;
    QList<SandboxFile> files;
    EXPECT_FALSE(SandboxBodyParser::parseMultipart("not multipart", "B", fields, files));
    EXPECT_EQ(
        SandboxBodyParser::headerParameter("multipart/form-data; boundary=\"q r\"", "boundary"),
        "q r");
}

TEST(SandboxServer, ScriptedRepliesOverrideRoutesOnceOrForGood) {
    SandboxFixture sandbox;
    SandboxClient client(sandbox.caFile());
    const QString path = "/developers/api/scripted.json";

    sandbox->script("POST", path, SandboxReply::json(QVariantMap{{"success", "OK"}}, 201));
    sandbox->scriptOnce("POST", path, SandboxReply::raw("<html>busy</html>", "text/html", 503));
    sandbox->scriptOnce("*", path, SandboxReply::failure(723, "Forzar"));

    const ClientReply first =
        client.post(sandbox.baseUrl() + path, "a=1", "application/x-www-form-urlencoded");
    EXPECT_EQ(first.status, 503);
    EXPECT_EQ(first.body, "<html>busy</html>");
    EXPECT_TRUE(first.contentType.startsWith("text/html"));

    const ClientReply second =
        client.post(sandbox.baseUrl() + path, "a=1", "application/x-www-form-urlencoded");
    EXPECT_EQ(second.status, 200);
    EXPECT_EQ(second.response().value("code").toInt(), 723);
    EXPECT_EQ(second.json().value("error"), "ERROR");

    for (int i = 0; i < 2; ++i) {
        const ClientReply persistent =
            client.post(sandbox.baseUrl() + path, "a=1", "application/x-www-form-urlencoded");
        EXPECT_EQ(persistent.status, 201);
        EXPECT_EQ(persistent.json().value("success"), "OK");
    }
    // Another method is not scripted; a prefix script answers any path below it.
    EXPECT_EQ(client.get(sandbox.baseUrl() + path).status, 404);
    sandbox->script("GET", "/developers/api/operations/*", SandboxReply::ok({{"id", 5}}));
    EXPECT_EQ(client.get(sandbox.baseUrl() + "/developers/api/operations/77").json().value("id"),
              5);

    sandbox->clearScripts();
    EXPECT_EQ(client.post(sandbox.baseUrl() + path, "", "text/plain").status, 404);
    EXPECT_EQ(sandbox->requestsTo(path).size(), 6);
}

TEST(SandboxServer, DelaysDropsAndTruncatesReplies) {
    SandboxFixture sandbox;
    SandboxClient client(sandbox.caFile());
    const QString url = sandbox.baseUrl() + "/developers/api/slow.json";

    sandbox->scriptOnce("GET", "/developers/api/slow.json", SandboxReply::ok().withDelay(300));
    QElapsedTimer timer;
    timer.start();
    const ClientReply delayed = client.get(url);
    EXPECT_GE(timer.elapsed(), 300);
    EXPECT_EQ(delayed.json().value("success"), "OK");

    // A drop closes the connection after reading the request, and every sending is recorded:
    // a plain Qt client sends a dropped POST again, and a one-shot drop lets the next sending
    // through.
    const QString path = QStringLiteral("/developers/api/slow.json");
    sandbox->clearRequests();
    sandbox->scriptOnce("POST", path, SandboxReply::dropped());
    EXPECT_EQ(client.post(url, "a=1", "application/x-www-form-urlencoded").status, 404);
    EXPECT_EQ(sandbox->requestsTo(path, "POST").size(), 2);
    sandbox->clearRequests();
    sandbox->script("POST", path, SandboxReply::dropped());
    const ClientReply dropped = client.post(url, "a=1", "application/x-www-form-urlencoded");
    EXPECT_EQ(dropped.error, QNetworkReply::RemoteHostClosedError);
    EXPECT_EQ(dropped.status, 0);
    EXPECT_TRUE(dropped.body.isEmpty());
    EXPECT_GE(sandbox->requestsTo(path, "POST").size(), 2);
    sandbox->clearScripts();
    EXPECT_EQ(client.post(url, "a=1", "application/x-www-form-urlencoded").status, 404);

    sandbox->script("GET", "/developers/api/slow.json",
                    SandboxReply::ok({{"data", QString(200, 'x')}}).truncatedAt(20));
    const ClientReply truncated = client.get(url);
    EXPECT_NE(truncated.error, QNetworkReply::NoError);
    EXPECT_TRUE(truncated.json().isEmpty());

    // The server keeps serving after each of them.
    sandbox->clearScripts();
    EXPECT_EQ(client.get(url).status, 404);
}

TEST(SandboxServer, AnswersFromWorkerThreadsWhileTheMainThreadServes) {
    SandboxFixture sandbox;
    sandbox->script("POST", "/developers/api/sync.json", SandboxReply::ok({{"n", 1}}));
    const QString url = sandbox.baseUrl() + "/developers/api/sync.json";
    const QString ca = sandbox.caFile();
    QByteArray received;
    std::atomic<bool> done = false;
    std::thread worker([&] {
        QNetworkAccessManager manager;
        QSslConfiguration ssl = QSslConfiguration::defaultConfiguration();
        ssl.setCaCertificates(QSslCertificate::fromPath(ca));
        QNetworkRequest request{QUrl(url)};
        request.setSslConfiguration(ssl);
        request.setTransferTimeout(15000);
        QEventLoop loop;
        QNetworkReply* reply = manager.post(request, QByteArray("a=1"));
        QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
        loop.exec();
        received = reply->readAll();
        delete reply;
        done = true;
    });
    EXPECT_TRUE(waitUntil([&] { return done.load(); }, 20000));
    worker.join();
    EXPECT_EQ(QJsonDocument::fromJson(received).object().value("n").toInt(), 1);
}

namespace {

// Sends raw bytes over TLS and reads until the server closes or answers completely.
QByteArray exchangeRaw(SandboxFixture& sandbox, const QByteArray& bytes) {
    QSslSocket socket;
    QSslConfiguration ssl = QSslConfiguration::defaultConfiguration();
    ssl.setCaCertificates(QSslCertificate::fromPath(sandbox.caFile()));
    socket.setSslConfiguration(ssl);
    socket.connectToHostEncrypted("127.0.0.1", sandbox->port());
    bool ready = false;
    QObject::connect(&socket, &QSslSocket::encrypted, [&] { ready = true; });
    if (!waitUntil([&] { return ready; }, 10000))
        return {};
    socket.write(bytes);
    QByteArray received;
    waitUntil(
        [&] {
            received += socket.readAll();
            const qsizetype end = received.indexOf("\r\n\r\n");
            if (end < 0)
                return socket.state() != QAbstractSocket::ConnectedState;
            const qsizetype length = received.indexOf("Content-Length: ");
            return length >= 0 &&
                   received.size() >=
                       end + 4 + received.mid(length + 16).split('\r').first().toInt();
        },
        10000);
    return received;
}

} // namespace

TEST(SandboxServer, AnswersMalformedRequestsWithAClearError) {
    SandboxFixture sandbox;
    const struct {
        QByteArray bytes;
        QByteArray statusLine;
    } cases[] = {
        {"GARBAGE\r\n\r\n", "HTTP/1.1 400 "},
        {"POST /x HTTP/1.1\r\nHost: a\r\nContent-Length: abc\r\n\r\n", "HTTP/1.1 400 "},
        {"POST /x HTTP/1.1\r\nno colon here\r\n\r\n", "HTTP/1.1 400 "},
        {"GET /x HTTP/1.1\r\nX-Big: " + QByteArray(70 * 1024, 'a'), "HTTP/1.1 431 "},
        {"POST /x HTTP/1.1\r\nContent-Length: 999999999999\r\n\r\n", "HTTP/1.1 413 "},
    };
    for (const auto& c : cases) {
        const QByteArray answer = exchangeRaw(sandbox, c.bytes);
        EXPECT_TRUE(answer.startsWith(c.statusLine)) << answer.left(80).toStdString();
        EXPECT_TRUE(answer.contains("\"response\":{\"code\":")) << answer.toStdString();
    }

    // A chunked body is reassembled before it is parsed.
    const QByteArray chunked = "POST /developers/api/chunked.json HTTP/1.1\r\nHost: a\r\n"
                               "Transfer-Encoding: chunked\r\n"
                               "Content-Type: application/x-www-form-urlencoded\r\n\r\n"
                               "4\r\na=12\r\n6\r\n&b=xyz\r\n0\r\n\r\n";
    EXPECT_TRUE(exchangeRaw(sandbox, chunked).startsWith("HTTP/1.1 404 "));
    const SandboxRequest recorded = sandbox->lastRequest();
    EXPECT_EQ(recorded.body, "a=12&b=xyz");
    EXPECT_EQ(recorded.field("b"), "xyz");
}

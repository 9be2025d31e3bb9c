#include "SandboxClient.h"

#include "sandbox/SandboxRoutes.h"
#include "support/SandboxFixture.h"
#include "support/TestSupport.h"

#include <QCoreApplication>
#include <QJsonObject>
#include <QProcess>
#include <gtest/gtest.h>

namespace {

using Fields = QList<QPair<QString, QString>>;

class SandboxRoutesTest : public ::testing::Test {
protected:
    ClientReply post(const QString& endpoint, const Fields& fields, const QString& apiKey = {}) {
        return client.postFields(sandbox.baseUrl() + SandboxServer::apiPath(endpoint), fields,
                                 apiKey.isEmpty() ? sandbox.apiKey() : apiKey);
    }
    // userId and token of the fixture's default merchant user, then the given fields.
    ClientReply postAsMerchant(const QString& endpoint, const Fields& more = {}) {
        Fields fields{{"userId", "17"}, {"token", sandbox.merchantToken()}};
        fields += more;
        return post(endpoint, fields);
    }

    SandboxFixture sandbox;
    SandboxClient client{sandbox.caFile()};
};

} // namespace

TEST_F(SandboxRoutesTest, UnknownTokenOrApiKeyIsRefusedWithTheErrorEnvelope) {
    const QStringList endpoints{"/users/isValidToken.json", "/settings/getSetting.json",
                                "/batch/getPaymentMethods.json", "/batch/closeBatch.json",
                                "/users/checkPin.json"};
    for (const QString& endpoint : endpoints) {
        SCOPED_TRACE(endpoint.toStdString());
        const ClientReply unknown = post(endpoint, {{"userId", ""}, {"token", "tok_nobody"}});
        EXPECT_EQ(unknown.status, 401);
        EXPECT_FALSE(unknown.json().value("error").toString().isEmpty());
        EXPECT_EQ(unknown.response().value("code").toInt(), 401);
        EXPECT_FALSE(unknown.response().value("message").toString().isEmpty());
        EXPECT_FALSE(unknown.json().contains("success"));

        const ClientReply badKey =
            post(endpoint, {{"token", sandbox.merchantToken()}}, "not-a-key");
        EXPECT_EQ(badKey.response().value("code").toInt(), 403);
    }
    // A token of another user than the userId sent.
    EXPECT_EQ(
        post("/settings/getSetting.json", {{"userId", "18"}, {"token", sandbox.merchantToken()}})
            .response()
            .value("code")
            .toInt(),
        401);
    // The agreements carry the token as a query item.
    QNetworkRequest get =
        client.request(sandbox.baseUrl() + SandboxServer::apiPath("/agreements?token=tok_nobody"));
    get.setRawHeader("X-Authentication-ApiKey", sandbox.apiKey().toUtf8());
    EXPECT_EQ(client.send(get, "GET").response().value("code").toInt(), 401);
}

TEST_F(SandboxRoutesTest, TokenValidationAnswersEachScriptedVariant) {
    auto validate = [this](const QString& token) {
        return post("/users/isValidToken.json", {{"userId", ""},
                                                 {"token", token},
                                                 {"clients", "1"},
                                                 {"deviceId", "Pixel_ABC"},
                                                 {"reload_data", "1"}})
            .json();
    };
    const QVariantMap valid = validate(sandbox.merchantToken());
    EXPECT_EQ(valid.value("success"), "OK");
    EXPECT_EQ(valid.value("userId").toInt(), 17);
    EXPECT_EQ(valid.value("token"), sandbox.merchantToken());
    EXPECT_EQ(valid.value("email"), "ana@cafe-aurora.example");
    EXPECT_FALSE(valid.value("firstName").toString().isEmpty());
    EXPECT_FALSE(valid.value("currencies").toList().isEmpty());
    EXPECT_TRUE(valid.value("subsidiaries").canConvert<QVariantList>());
    EXPECT_FALSE(valid.contains("minSDKVersion"));

    const QVariantMap refused = validate("tok_aurora_ana_refused");
    EXPECT_FALSE(refused.contains("success"));
    EXPECT_FALSE(refused.value("error").toString().isEmpty());
    const int refusedCode = refused.value("response").toMap().value("code").toInt();
    EXPECT_TRUE(refusedCode != 401 && refusedCode != 403 && refusedCode != 0) << refusedCode;

    const QVariantMap forced = validate("tok_aurora_ana_forced_update");
    EXPECT_EQ(forced.value("success"), "OK");
    EXPECT_EQ(forced.value("minSDKVersion"), "99.0.0");
    EXPECT_FALSE(forced.value("updateMessage").toString().isEmpty());
    EXPECT_FALSE(forced.value("urlAppStoreIOS").toString().isEmpty());

    const QVariantMap update = validate("tok_aurora_ana_update_version");
    EXPECT_EQ(update.value("error"), "update_version");
    EXPECT_FALSE(update.value("response").toMap().value("url").toString().isEmpty());
    EXPECT_FALSE(update.value("response").toMap().value("message").toString().isEmpty());

    // A test switches the default token to another answer.
    sandbox.state().setTokenValidation(sandbox.merchantToken(), SandboxTokenValidation::Refused);
    EXPECT_FALSE(validate(sandbox.merchantToken()).contains("success"));
}

TEST_F(SandboxRoutesTest, LoginIssuesATokenTheOtherRoutesAccept) {
    const ClientReply wrong =
        post("/users/login.json", {{"email", "ana@cafe-aurora.example"}, {"password", "nope"}});
    EXPECT_FALSE(wrong.json().contains("success"));
    EXPECT_EQ(wrong.response().value("code").toInt(), 400);

    const QVariantMap answer =
        post("/users/login.json",
             {{"email", "ana@cafe-aurora.example"}, {"password", "Aurora2024"}, {"clients", "1"}})
            .json();
    ASSERT_EQ(answer.value("success"), "OK");
    const QString token = answer.value("token").toString();
    EXPECT_FALSE(token.isEmpty());
    EXPECT_NE(token, sandbox.merchantToken());
    EXPECT_EQ(answer.value("userId").toInt(), 17);
    EXPECT_EQ(answer.value("midSouth"), "MID-0501-AURORA");

    const QVariantMap settings =
        post("/settings/getSetting.json", {{"userId", "17"}, {"token", token}}).json();
    EXPECT_EQ(settings.value("success"), "OK");
    EXPECT_FALSE(settings.value("currencies").toList().isEmpty());
}

TEST_F(SandboxRoutesTest, BatchesAreListedAndClosed) {
    SandboxSale cash;
    cash.merchantId = 501;
    cash.userId = 17;
    cash.amount = 100;
    cash.currencyCode = "484";
    cash.paymentMethod = "cash";
    sandbox.state().addSale(cash);
    SandboxSale card = cash;
    card.amount = 50.5;
    card.paymentMethod = "card";
    sandbox.state().addSale(card);

    const QVariantMap current = postAsMerchant("/batch/getPaymentMethods.json").json();
    EXPECT_EQ(current.value("success"), "OK");
    const QVariantList data = current.value("data").toList();
    ASSERT_EQ(data.size(), 1);
    const QVariantMap sdk = data[0].toMap().value("sdk").toMap();
    EXPECT_EQ(sdk.value("totalAmount"), "150.50");
    EXPECT_EQ(sdk.value("operations").toInt(), 2);
    EXPECT_EQ(sdk.value("status"), "open");
    const QString batchId = sdk.value("batchId").toString();

    const ClientReply unknown =
        postAsMerchant("/batch/closeBatch.json", {{"installmentId", "999999"}});
    EXPECT_EQ(unknown.response().value("code").toInt(), 404);

    const QVariantMap closed =
        postAsMerchant("/batch/closeBatch.json", {{"installmentId", "0"}}).json();
    EXPECT_EQ(closed.value("success"), "OK");
    ASSERT_EQ(closed.value("data").toList().size(), 1);
    const QVariantMap closedSdk = closed.value("data").toList()[0].toMap().value("sdk").toMap();
    EXPECT_EQ(closedSdk.value("batchId"), batchId);
    EXPECT_EQ(closedSdk.value("status"), "closed");

    const QVariantMap history = postAsMerchant("/batchs/getBatchClousures.json").json();
    ASSERT_EQ(history.value("data").toList().size(), 1);
    const QVariantMap fresh = postAsMerchant("/batch/getPaymentMethods.json").json();
    const QVariantMap freshSdk = fresh.value("data").toList().value(0).toMap().value("sdk").toMap();
    EXPECT_NE(freshSdk.value("batchId"), batchId);
    EXPECT_EQ(freshSdk.value("operations").toInt(), 0);
    EXPECT_EQ(postAsMerchant("/batch/closeBatch.json", {{"installmentId", batchId}})
                  .response()
                  .value("code")
                  .toInt(),
              404);
}

TEST_F(SandboxRoutesTest, PinPasswordAndSettingsSwitches) {
    EXPECT_EQ(
        postAsMerchant("/users/setPin.json", {{"pin", "12a4"}}).response().value("code").toInt(),
        400);
    EXPECT_EQ(postAsMerchant("/users/setPin.json", {{"pin", "9876"}}).json().value("success"),
              "OK");
    EXPECT_EQ(
        postAsMerchant("/users/checkPin.json", {{"pin", "4821"}}).response().value("code").toInt(),
        400);
    EXPECT_EQ(postAsMerchant("/users/checkPin.json", {{"pin", "9876"}}).json().value("success"),
              "OK");
    EXPECT_EQ(postAsMerchant("/users/checkPassword.json", {{"password", "Aurora2024"}})
                  .json()
                  .value("success"),
              "OK");

    postAsMerchant("/settings/updateCatalogAvailability.json", {{"isAvailable", "0"}});
    postAsMerchant("/settings/setNotAvailableTip.json");
    const QVariantMap settings = postAsMerchant("/settings/getSetting.json").json();
    EXPECT_EQ(settings.value("catalogAvailable"), false);
    EXPECT_EQ(settings.value("tipAvailable"), false);
    EXPECT_EQ(
        postAsMerchant("/settings/updateBuyersAvailability.json").response().value("code").toInt(),
        400);

    const QVariantMap feedback = postAsMerchant("/account/feedback/disabled").json();
    EXPECT_EQ(feedback.value("success"), "OK");
    EXPECT_EQ(feedback.value("feedbackAvailable"), false);
    EXPECT_FALSE(feedback.value("currencies").toList().isEmpty());

    const QVariantMap logo =
        postAsMerchant("/subsidiaries/uploadImage.json", {{"deleteProfileImage", "1"}}).json();
    EXPECT_EQ(logo.value("success"), "OK");
    EXPECT_EQ(logo.value("profileImageUrl"), "");
}

TEST(SandboxRouteRegistry, RoutesRegisterOnceAndAnswerByPathAndPrefix) {
    const QString path = SandboxServer::apiPath("/routes-test/echo.json");
    ASSERT_TRUE(SandboxRoutes::add("POST", path, [](const SandboxRequest& request, SandboxState&) {
        return SandboxReply::ok({{"echo", request.field("text")}});
    }));
    EXPECT_FALSE(SandboxRoutes::add("post", path, [](const SandboxRequest&, SandboxState&) {
        return SandboxReply::dropped();
    }));
    ASSERT_TRUE(SandboxRoutes::add("*", SandboxServer::apiPath("/routes-test/items/*"),
                                   [](const SandboxRequest& request, SandboxState&) {
                                       return SandboxReply::ok({{"path", request.path}});
                                   }));

    SandboxFixture sandbox;
    SandboxClient client(sandbox.caFile());
    EXPECT_EQ(
        client.postFields(sandbox.baseUrl() + path, {{"text", "hola"}}, {}).json().value("echo"),
        "hola");
    EXPECT_EQ(client.get(sandbox.baseUrl() + SandboxServer::apiPath("/routes-test/items/42"))
                  .json()
                  .value("path"),
              SandboxServer::apiPath("/routes-test/items/42"));
}

TEST(SandboxFixtureData, MalformedFixtureStopsTheStartWithAnError) {
    QTemporaryDir dir;
    SandboxServer server;
    SandboxServer::Options options;
    options.certificateDirectory = dir.path();
    options.fixture = R"({"users": [{"email": "no-id@example"}]})";
    EXPECT_FALSE(server.start(options));
    EXPECT_FALSE(server.errorString().isEmpty());
    EXPECT_FALSE(server.isListening());
    EXPECT_FALSE(server.state().defaultApiKey().isEmpty()); // the built-in data stays
}

TEST(SandboxProgram, PrintsItsAddressAndServes) {
    QTemporaryDir dir;
    QProcess process;
    process.start(QCoreApplication::applicationDirPath() + "/tarvello-sandbox",
                  {"--cert-dir", dir.path()});
    ASSERT_TRUE(process.waitForStarted(5000));
    ASSERT_TRUE(waitUntil([&] { return process.canReadLine(); }, 15000))
        << process.readAllStandardError().toStdString();
    const QVariantMap info = QJsonDocument::fromJson(process.readLine()).toVariant().toMap();
    const QString baseUrl = info.value("baseUrl").toString();
    EXPECT_TRUE(baseUrl.startsWith("https://127.0.0.1:"));
    EXPECT_EQ(info.value("caFile"), dir.filePath("ca.pem"));

    SandboxClient client(info.value("caFile").toString());
    EXPECT_EQ(client.get(baseUrl + "/developers/api/nowhere").status, 404);
    process.terminate();
    process.waitForFinished(5000);
}

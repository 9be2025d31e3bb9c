#include "ApiSandbox.h"

#include "SDK/session/User.h"

#include <QImage>

namespace {

struct Endpoint {
    const char* name;
    std::function<void(APIController&)> call;
    const char* method;
    const char* path;
    int code;
    QMap<QString, QString> fields; // form fields, or query items of a GET
    QStringList files = {};
};

QImage picture() {
    QImage image(2, 2, QImage::Format_RGB32);
    image.fill(Qt::blue);
    return image;
}

QMap<QString, QString> withUser(QMap<QString, QString> fields = {}) {
    fields.insert("userId", "17");
    fields.insert("token", "T0K");
    return fields;
}

const QString u = QStringLiteral("17");
const QString t = QStringLiteral("T0K");

const QList<Endpoint>& endpoints() {
    static const QList<Endpoint> list = {
        // login and user account
        {"login",
         [](APIController& c) {
             c.loadUser("  m@shop.example\t ", "pw", "dev_1", "Linux6", "x86", "", "42");
         },
         "POST",
         "/users/login.json",
         1,
         {{"email", "m@shop.example\t"},
          {"password", "pw"},
          {"clients", "1"},
          {"deviceId", "dev_1"},
          {"deviceOS", "Linux6"},
          {"deviceModel", "x86"},
          {"versionCode", "42"},
          {"versionName", ""}}},
        {"check password", [](APIController& c) { c.checkPassword("pw", u, t); }, "POST",
         "/users/checkPassword.json", 2, withUser({{"password", "pw"}})},
        {"extra info", [](APIController& c) { c.getUserExtraInfo(u, t); }, "POST",
         "/users/getExtraInformation.json", 3, withUser()},
        {"reset password, e-mail alone",
         [](APIController& c) { c.recoverPasswordWithEmail(" m@shop.example ", QString()); },
         "POST",
         "/users/resetPassword.json",
         4,
         {{"email", "m@shop.example"}}},
        {"reset password with new one",
         [](APIController& c) { c.recoverPasswordWithEmail("m@shop.example", "new1"); },
         "POST",
         "/users/resetPassword.json",
         4,
         {{"email", "m@shop.example"}, {"password", "new1"}}},
        {"token validation",
         [](APIController& c) { c.isValidToken("T0K", "", "dev_1", "Linux6", "PC", "", "42"); },
         "POST",
         "/users/isValidToken.json",
         5,
         {{"userId", ""},
          {"token", "T0K"},
          {"clients", "1"},
          {"deviceId", "dev_1"},
          {"deviceOS", "Linux6"},
          {"deviceModel", "PC"},
          {"reload_data", "1"},
          {"versionCode", "42"},
          {"versionName", ""}}},
        {"branch", [](APIController& c) { c.setBranchId("5", u, t); }, "POST",
         "/users/setSubsidiary.json", 6, withUser({{"subsidiaryId", "5"}})},
        {"push token", [](APIController& c) { c.savePushToken("PT", u, t, "dev_1"); }, "POST",
         "/users/updatePushToken.json", 7, withUser({{"push_token", "PT"}, {"deviceId", "dev_1"}})},
        {"help addresses",
         [](APIController& c) { c.getHelpUrl(); },
         "POST",
         "/urls/getUrls.json",
         8,
         {}},
        {"accept terms", [](APIController& c) { c.acceptTermsForUserId(u, t); }, "POST",
         "/users/acceptTerms.json", 9, withUser()},
        {"signup",
         [](APIController& c) { c.createUserWithEmail(" a@b.co ", "pw", "Ana", "Paz", QImage()); },
         "POST",
         "/users/register.json",
         16,
         {{"email", "a@b.co"}, {"password", "pw"}, {"firstName", "Ana"}, {"lastName", "Paz"}}},
        {"signup with picture",
         [](APIController& c) { c.createUserWithEmail("a@b.co", "pw", "Ana", "Paz", picture()); },
         "POST",
         "/users/register.json",
         16,
         {{"email", "a@b.co"}, {"password", "pw"}, {"firstName", "Ana"}, {"lastName", "Paz"}},
         {"profileImage"}},
        {"set extra info",
         [](APIController& c) {
             c.userExtraInfoWithId(u, t, "Ana", "Paz", "Calle 1", "3", "CDMX", "01000",
                                   "1990-01-02", "555", "Dev");
         },
         "POST", "/users/setExtraInformation.json", 17,
         withUser({{"firstName", "Ana"},
                   {"lastName", "Paz"},
                   {"address", "Calle 1"},
                   {"provinceId", "3"},
                   {"city", "CDMX"},
                   {"zipCode", "01000"},
                   {"birthdate", "1990-01-02"},
                   {"phone", "555"},
                   {"occupation", "Dev"}})},
        {"activate account",
         [](APIController& c) { c.activateAccountWithId(u, t, "Tienda", "0170", "20-1"); }, "POST",
         "/accounts/activateAccount.json", 18,
         withUser({{"accountName", "Tienda"}, {"cbu", "0170"}, {"cuit", "20-1"}})},
        {"bank name", [](APIController& c) { c.getBankNameWithCBU("0170", u, t); }, "POST",
         "/banks/getBankName.json", 19, withUser({{"cbu", "0170"}})},
        {"confirm account",
         [](APIController& c) { c.confirmAccountWithToken("r&t=1"); },
         "GET",
         "/register/validateToken",
         20,
         {{"registration-token", "r&t=1"}}},
        // batches, settings and PIN
        {"batch", [](APIController& c) { c.getBatchforUserId(u, t); }, "POST",
         "/batch/getPaymentMethods.json", 14, withUser()},
        {"batch history", [](APIController& c) { c.getBatchHistoryforUserId(u, t); }, "POST",
         "/batchs/getBatchClousures.json", 15, withUser()},
        {"close batch", [](APIController& c) { c.closeBatchWithInstallmentId("9", u, t); }, "POST",
         "/batch/closeBatch.json", 13, withUser({{"installmentId", "9"}})},
        {"initial setup",
         [](APIController& c) { c.updateSetupSettingsWithUserId(u, t, true, false, true, false); },
         "POST", "/settings/initialSetup.json", 21,
         withUser({{"buyersOn", "1"}, {"catalogOn", "0"}, {"tipsOn", "1"}, {"subusersOn", "0"}})},
        {"picture",
         [](APIController& c) { c.updateUserPicture(picture(), u, t); },
         "POST",
         "/subsidiaries/uploadImage.json",
         22,
         withUser(),
         {"profileImage"}},
        {"picture removed", [](APIController& c) { c.updateUserPicture(QImage(), u, t); }, "POST",
         "/subsidiaries/uploadImage.json", 22, withUser({{"deleteProfileImage", "1"}})},
        {"predefined tax",
         [](APIController& c) { c.updateTaxSettingsDefaultTaxRate(21, "IVA", u, t); }, "POST",
         "/settings/updatePredefinedTax.json", 23,
         withUser({{"percentage", "21.0000"}, {"name", "IVA"}})},
        {"tips on", [](APIController& c) { c.updateTipSettingsAllowTips(true, u, t); }, "POST",
         "/settings/setAvailableTip.json", 24, withUser()},
        {"tips off", [](APIController& c) { c.updateTipSettingsAllowTips(false, u, t); }, "POST",
         "/settings/setNotAvailableTip.json", 25, withUser()},
        {"predefined tip", [](APIController& c) { c.updateTipSettingsDefaultTip(2, u, t); }, "POST",
         "/settings/updatePredefinedTip.json", 26, withUser({{"predefinedTipIndex", "2"}})},
        {"tips to show",
         [](APIController& c) { c.updateTipSettingsWithTipAndTipAndTip(10, 12.5f, 15, u, t); },
         "POST", "/settings/setTipsToShow.json", 27,
         withUser({{"percentages", "10.00, 12.50, 15.00"}})},
        {"mandatory tip", [](APIController& c) { c.updateTipSettingsMandatoryTip(7.5f, u, t); },
         "POST", "/settings/updateObligatoryTipPercentage.json", 28,
         withUser({{"percentage", "7.50"}})},
        {"discounts on",
         [](APIController& c) { c.updateDiscountSettingsAllowDiscounts(true, u, t); }, "POST",
         "/settings/setAvailableDiscount.json", 29, withUser()},
        {"discounts off",
         [](APIController& c) { c.updateDiscountSettingsAllowDiscounts(false, u, t); }, "POST",
         "/settings/setNotAvailableDiscount.json", 30, withUser()},
        {"discounts to show",
         [](APIController& c) {
             c.updateDiscountSettingsWithDiscountAndDiscountAndDiscount(5, 10, 0.25f, u, t);
         },
         "POST", "/settings/setDiscountsToShow.json", 31,
         withUser({{"percentages", "5.00, 10.00, 0.25"}})},
        {"predefined discount",
         [](APIController& c) { c.updateDiscountSettingsDefaultDiscount(1, u, t); }, "POST",
         "/settings/updatePredefinedDiscount.json", 32,
         withUser({{"predefinedDiscountIndex", "1"}})},
        {"signature on", [](APIController& c) { c.updateSignaturePresent(true, u, t); }, "POST",
         "/settings/updateSignAvailability.json", 33, withUser({{"isAvailable", "1"}})},
        {"signature off", [](APIController& c) { c.updateSignaturePresent(false, u, t); }, "POST",
         "/settings/updateSignAvailability.json", 34, withUser({{"isAvailable", "0"}})},
        {"catalog on", [](APIController& c) { c.updateCatalogEnabled(true, u, t); }, "POST",
         "/settings/updateCatalogAvailability.json", 35, withUser({{"isAvailable", "1"}})},
        {"catalog off", [](APIController& c) { c.updateCatalogEnabled(false, u, t); }, "POST",
         "/settings/updateCatalogAvailability.json", 36, withUser({{"isAvailable", "0"}})},
        {"buyers on", [](APIController& c) { c.updateBuyersEnabled(true, u, t); }, "POST",
         "/settings/updateBuyersAvailability.json", 37, withUser({{"isAvailable", "1"}})},
        {"buyers off", [](APIController& c) { c.updateBuyersEnabled(false, u, t); }, "POST",
         "/settings/updateBuyersAvailability.json", 38, withUser({{"isAvailable", "0"}})},
        {"sub-users on", [](APIController& c) { c.updateSubusersEnabled(true, u, t); }, "POST",
         "/settings/updateSubusersAvailability.json", 39, withUser({{"isAvailable", "1"}})},
        {"sub-users off", [](APIController& c) { c.updateSubusersEnabled(false, u, t); }, "POST",
         "/settings/updateSubusersAvailability.json", 40, withUser({{"isAvailable", "0"}})},
        {"tutorials none",
         [](APIController& c) {
             c.tutorialSettingsUpdateUserId(u, t, false, false, false, false, false, false, false);
         },
         "POST", "/settings/updateTutorialSettings.json", 41, withUser()},
        {"tutorials some",
         [](APIController& c) {
             c.tutorialSettingsUpdateUserId(u, t, false, false, true, false, false, false, true);
         },
         "POST", "/settings/updateTutorialSettings.json", 41,
         withUser({{"tutorialSalesHistory", "1"}, {"tutorialConfiguration", "1"}})},
        {"tutorials all",
         [](APIController& c) {
             c.tutorialSettingsUpdateUserId(u, t, true, true, true, true, true, true, true);
         },
         "POST", "/settings/updateTutorialSettings.json", 41,
         withUser({{"tutorialAmount", "1"},
                   {"tutorialCatalog", "1"},
                   {"tutorialSalesHistory", "1"},
                   {"tutorialBuyers", "1"},
                   {"tutorialEditCatalog", "1"},
                   {"tutorialSubusers", "1"},
                   {"tutorialConfiguration", "1"}})},
        {"feedback on", [](APIController& c) { c.updateFeedbackSettings(true, u, t); }, "POST",
         "/account/feedback/enabled", 42, withUser()},
        {"feedback off", [](APIController& c) { c.updateFeedbackSettings(false, u, t); }, "POST",
         "/account/feedback/disabled", 42, withUser()},
        {"language", [](APIController& c) { c.setApplicationLanguage("en", u, t); }, "POST",
         "/settings/setLanguage.json", 43, withUser({{"language", "en"}})},
        {"exchange rate", [](APIController& c) { c.setExchangeRate(17.456f, "840", u, t); }, "POST",
         "/settings/updateExchangeRate.json", 44, withUser({{"code", "840"}, {"rate", "17.46"}})},
        {"mode list", [](APIController& c) { c.updateSettingsCatalogOn(true, u, t); }, "POST",
         "/settings/setMode.json", 50, withUser({{"mode", "list"}})},
        {"mode simple", [](APIController& c) { c.updateSettingsCatalogOn(false, u, t); }, "POST",
         "/settings/setMode.json", 50, withUser({{"mode", "simple"}})},
        {"set PIN", [](APIController& c) { c.setPin("1234", u, t); }, "POST", "/users/setPin.json",
         10, withUser({{"pin", "1234"}})},
        {"check PIN", [](APIController& c) { c.checkPin("1234", u, t); }, "POST",
         "/users/checkPin.json", 11, withUser({{"pin", "1234"}})},
        {"agreements",
         [](APIController& c) { c.getAgreementNumbersForToken("T0K"); },
         "GET",
         "/agreements",
         12,
         {{"token", "T0K"}}},
    };
    return list;
}

QMap<QString, QString> toMap(const QList<QPair<QString, QString>>& pairs) {
    QMap<QString, QString> map;
    for (const auto& [key, value] : pairs) {
        EXPECT_FALSE(map.contains(key)) << "repeated " << key.toStdString();
        map.insert(key, value);
    }
    return map;
}

} // namespace

using Endpoints = ApiSandboxTest;

TEST_F(Endpoints, EachOperationSendsItsPathCodeAndExactFields) {
    answerEverything(SandboxReply::ok());
    for (const Endpoint& e : endpoints()) {
        sandbox->clearRequests();
        RecordingDelegate recorder;
        APIController client;
        client.setDelegate(&recorder);
        e.call(client);
        ASSERT_TRUE(recorder.wait()) << e.name;
        EXPECT_EQ(recorder.events, QStringList{QStringLiteral("dict:%1").arg(e.code)}) << e.name;
        ASSERT_EQ(sandbox->requests().size(), 1) << e.name;
        const SandboxRequest request = sandbox->lastRequest();
        EXPECT_EQ(request.method, e.method) << e.name;
        EXPECT_EQ(request.path, SandboxServer::apiPath(e.path)) << e.name;
        if (QString(e.method) == "GET") {
            EXPECT_EQ(toMap(request.query), e.fields) << e.name;
        } else {
            EXPECT_EQ(toMap(request.fields), e.fields) << e.name;
            EXPECT_TRUE(request.query.isEmpty()) << e.name;
        }
        QStringList files;
        for (const SandboxFile& file : request.files) {
            files << file.field;
            EXPECT_EQ(file.fileName, "image.jpg") << e.name;
            EXPECT_EQ(file.contentType, "image/png") << e.name;
            EXPECT_TRUE(QImage::fromData(file.content, "PNG").size() == QSize(2, 2)) << e.name;
        }
        EXPECT_EQ(files, e.files) << e.name;
    }
}

TEST_F(Endpoints, BankAccountLinkPutsTheJsonItIsGiven) {
    answerEverything(SandboxReply::ok());
    const QByteArray json = "{\n    \"bankAccount\": {\n        \"alias\": \"mi.alias\"\n    }\n}";
    std::optional<Response> response;
    APIController::linkCBUOrAlias(
        "something else", json, [&](const Response& r) { response = r; }, nullptr);
    ASSERT_TRUE(waitUntil([&] { return response.has_value(); }));
    const SandboxRequest request = sandbox->lastRequest();
    EXPECT_EQ(request.method, "PUT");
    EXPECT_EQ(request.path, "/developers/api/account/bank-account");
    EXPECT_EQ(request.body, json);
    EXPECT_EQ(request.header("Content-Type"),
              "multipart/form-data; boundary=----WebKitFormBoundary7MA4YWxkTrZu0gW");
    EXPECT_EQ(request.header("X-Authentication-Token"), User::instance().token().toUtf8());
    EXPECT_EQ(request.header("X-Authentication-ApiKey"), sandbox.apiKey().toUtf8());
    EXPECT_EQ(request.header("client-id").size(), 51);
}

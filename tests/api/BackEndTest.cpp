#include "ApiSandbox.h"
#include "SDK/session/SessionTimer.h"
#include "SDK/session/User.h"

// Against the sandbox's own answers (nothing scripted).
using BackEnd = ApiSandboxTest;

TEST_F(BackEnd, LoginAnswerFillsTheUserAndRestartsTheTimer) {
    RecordingDelegate recorder;
    APIController client;
    client.setDelegate(&recorder);
    client.loadUser(" ana@cafe-aurora.example ", "Aurora2024", "dev_1", "Linux6", "PC", "", "1");
    ASSERT_TRUE(recorder.wait());
    ASSERT_EQ(recorder.events, QStringList{"dict:1"});
    ASSERT_EQ(recorder.dictionary->value("success").toString(), "OK");

    User user;
    user.loadWithDictionary(*recorder.dictionary);
    EXPECT_TRUE(user.isLoggedIn());
    EXPECT_EQ(user.userId(), "17");
    EXPECT_FALSE(user.token().isEmpty());
    EXPECT_EQ(user.firstName(), recorder.dictionary->value("firstName").toString());
    EXPECT_EQ(SessionTimer::instance().delegate(), &client);

    recorder.events.clear();
    client.loadUser("ana@cafe-aurora.example", "wrong", "dev_1", "Linux6", "PC", "", "1");
    ASSERT_TRUE(recorder.wait());
    EXPECT_EQ(recorder.events, QStringList{"dict:1"});
    EXPECT_NE(recorder.dictionary->value("success").toString(), "OK");
}

TEST_F(BackEnd, AccountAndSettingsRequestsAreAnswered) {
    const QString u = QStringLiteral("17");
    const QString t = sandbox.merchantToken();
    const std::pair<const char*, std::function<void(APIController&)>> calls[] = {
        {"extra info", [&](APIController& c) { c.getUserExtraInfo(u, t); }},
        {"branch", [&](APIController& c) { c.setBranchId("11", u, t); }},
        {"help", [&](APIController& c) { c.getHelpUrl(); }},
        {"bank name",
         [&](APIController& c) { c.getBankNameWithCBU("0170099220000067797370", u, t); }},
        {"confirm", [&](APIController& c) { c.confirmAccountWithToken("reg-1"); }},
        {"tips",
         [&](APIController& c) { c.updateTipSettingsWithTipAndTipAndTip(10, 12.5f, 15, u, t); }},
        {"exchange", [&](APIController& c) { c.setExchangeRate(17.5f, "840", u, t); }},
        {"mode", [&](APIController& c) { c.updateSettingsCatalogOn(true, u, t); }},
        {"tutorials",
         [&](APIController& c) {
             c.tutorialSettingsUpdateUserId(u, t, true, false, false, false, false, false, false);
         }},
    };
    for (const auto& [what, call] : calls) {
        RecordingDelegate recorder;
        APIController client;
        client.setDelegate(&recorder);
        call(client);
        ASSERT_TRUE(recorder.wait()) << what;
        ASSERT_TRUE(recorder.dictionary) << what;
        EXPECT_EQ(recorder.dictionary->value("success").toString(), "OK") << what;
    }
}

TEST_F(BackEnd, BankAccountLinkSucceedsOrMapsTheRefusal) {
    User::instance().setToken(sandbox.merchantToken());
    std::optional<Response> response;
    std::optional<TarvelloError> error;
    APIController::linkCBUOrAlias(
        "mi.alias", R"({"bankAccount": {"alias": "mi.alias"}})",
        [&](const Response& r) { response = r; }, [&](const TarvelloError& e) { error = e; });
    ASSERT_TRUE(waitUntil([&] { return response || error; }));
    ASSERT_TRUE(response);
    EXPECT_EQ(response->json().value("data").toMap().value("bankAccount").toMap().value("alias"),
              "mi.alias");

    response.reset();
    APIController::linkCBUOrAlias(
        "123", R"({"bankAccount": {"cbu": "123"}})", [&](const Response& r) { response = r; },
        [&](const TarvelloError& e) { error = e; });
    ASSERT_TRUE(waitUntil([&] { return response || error; }));
    ASSERT_TRUE(error);
    EXPECT_EQ(error->domain, "INVALID_CBU");
    EXPECT_EQ(error->code, 1301);
    EXPECT_EQ(error->description, "CBU inválido");
    User::instance().setToken(QString());
}

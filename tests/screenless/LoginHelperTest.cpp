#include "SDK/login/LoginHelper.h"
#include "SDK/session/AccountSettings.h"
#include "SDK/session/CacheHelper.h"
#include "SDK/session/User.h"
#include "api/APIConfiguration.h"
#include "platform/core/ServiceRegistry.h"
#include "platform/core/UserDefaults.h"
#include "platform/ui/Services.h"
#include "support/SandboxFixture.h"
#include "support/TestSupport.h"
#include "ui_kit/AlertController.h"
#include "ui_kit/texts/Language.h"

#include <TarvelloSDK/TarvelloSDK.h>

#include <QSysInfo>

namespace {

struct RecordingOpener : URLOpener {
    QList<QUrl> opened;
    bool canOpenURL(const QUrl&) override { return true; }
    bool openURL(const QUrl& url) override {
        opened << url;
        return true;
    }
};

struct RecordingLoginDelegate : LoginHelperDelegate {
    int finished = 0;
    int loginUI = 0;
    QList<QPair<QString, QString>> updates;
    QList<AlertController*> alerts;
    bool showsAlerts = true;
    ~RecordingLoginDelegate() override { qDeleteAll(alerts); }
    void loginHelperDidFinishLogin(LoginHelper*) override { ++finished; }
    void loginHelperShouldDisplayLoginUI(LoginHelper*) override { ++loginUI; }
    bool loginHelper(LoginHelper*, AlertController* alert) override {
        if (showsAlerts)
            alerts << alert;
        return showsAlerts;
    }
    bool mustUpdateApp(const QString& url, const QString& message) override {
        updates << qMakePair(url, message);
        return true;
    }
    int outcomes() const { return finished + loginUI + int(updates.size()); }
};

class LoginHelperSandboxTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto configuration = std::make_shared<APIConfiguration>();
        configuration->setBaseURL(sandbox.baseUrl());
        ASSERT_TRUE(configuration->addTrustedCAFile(sandbox.caFile()));
        Services::set<APIConfiguration>(configuration);
        TarvelloSDK::sharedSDK().startWithAPIKey(sandbox.apiKey());
        TarvelloSDK::sharedSDK().setUserToken(sandbox.merchantToken());
        User::instance().reset();
        AccountSettings::instance().reset();
        Services::set<URLOpener>(opener);
    }
    void TearDown() override {
        Services::set<URLOpener>(nullptr);
        User::instance().reset();
        AccountSettings::instance().reset();
        Services::set<APIConfiguration>(nullptr);
    }
    void validate() {
        LoginHelper helper(&delegate);
        helper.validateLogin();
        ASSERT_TRUE(waitUntil([&] { return delegate.outcomes() > 0; }));
        EXPECT_EQ(delegate.outcomes(), 1);
    }
    const QString path = SandboxServer::apiPath("/users/isValidToken.json");
    TemporaryDefaults defaults;
    SandboxFixture sandbox;
    std::shared_ptr<RecordingOpener> opener = std::make_shared<RecordingOpener>();
    RecordingLoginDelegate delegate;
};

TEST_F(LoginHelperSandboxTest, ForcedUpdateOffersTheStorePage) {
    TarvelloSDK::sharedSDK().setUserToken(QString("tok_aurora_ana_forced_update"));
    validate();
    const QVariantMap update = sandbox.state().updateInfo();
    ASSERT_EQ(delegate.updates.size(), 1);
    EXPECT_EQ(delegate.updates.first().first, update.value("urlAppStoreIOS").toString());
    EXPECT_EQ(delegate.updates.first().second, update.value("updateMessage").toString());
    EXPECT_FALSE(User::instance().isLoggedIn());
    EXPECT_FALSE(UserDefaults::standardUserDefaults().hasKey("lastUser"));

    ASSERT_EQ(delegate.alerts.size(), 1);
    AlertController* alert = delegate.alerts.first();
    EXPECT_EQ(alert->message(), update.value("updateMessage").toString());
    ASSERT_EQ(alert->actions().size(), 1);
    alert->actions().first()->execute();
    EXPECT_EQ(opener->opened, QList<QUrl>{QUrl(update.value("urlAppStoreIOS").toString())});
}

TEST_F(LoginHelperSandboxTest, UpdateAlertOpensOnlyWebAddresses) {
    QVariantMap answer = sandbox.state().sessionAnswer(
        *sandbox.state().userForToken(sandbox.merchantToken()), sandbox.merchantToken());
    answer.insert("minSDKVersion", "99");
    answer.insert("updateMessage", "Actualiza");
    answer.insert("urlAppStoreIOS", "file:///etc/passwd");
    sandbox->script("POST", path, SandboxReply::json(answer));
    validate();
    ASSERT_EQ(delegate.alerts.size(), 1);
    delegate.alerts.first()->actions().first()->execute();
    EXPECT_TRUE(opener->opened.isEmpty());
}

TEST_F(LoginHelperSandboxTest, UpdateVersionRefusalOffersTheAlertAndTheLoginScreen) {
    UserDefaults::standardUserDefaults().setObject(QString("catalog"), "lastMode");
    TarvelloSDK::sharedSDK().setUserToken(QString("tok_aurora_ana_update_version"));
    validate();
    EXPECT_EQ(delegate.loginUI, 1);
    ASSERT_EQ(delegate.alerts.size(), 1);
    EXPECT_EQ(delegate.alerts.first()->message(),
              sandbox.state().updateInfo().value("updateMessage").toString());
    EXPECT_FALSE(UserDefaults::standardUserDefaults().hasKey("lastMode"));
}

TEST_F(LoginHelperSandboxTest, DeviceIdentifierFollowsTheDeviceName) {
    UserDefaults& store = UserDefaults::standardUserDefaults();
    const QString name = QSysInfo::machineHostName();
    const QString kept = name + "_KEPT";
    store.setObject(kept, "activationCode");
    validate();
    EXPECT_EQ(sandbox->lastRequest().field("deviceId"), kept);

    for (const QString& stale : {QString("another-device_ABC"), name.left(name.size() - 1)}) {
        store.setObject(stale, "activationCode");
        const QString made = LoginHelper::deviceIdentifier();
        EXPECT_NE(made, stale);
        EXPECT_TRUE(made.startsWith(name + "_"));
        EXPECT_EQ(made.size(), name.size() + 1 + 36);
        EXPECT_EQ(made, made.toUpper().replace(name.toUpper(), name));
        EXPECT_EQ(store.stringForKey("activationCode"), made);
    }
}

TEST_F(LoginHelperSandboxTest, LogoutKeepsTheDeviceAndTheExpiryMarker) {
    validate();
    ASSERT_EQ(delegate.finished, 1);
    UserDefaults& store = UserDefaults::standardUserDefaults();
    const QString device = store.stringForKey("activationCode");
    CacheHelper().setSessionExpired();
    store.setObject(QVariantMap{{"code", "840"}}, "defaultCurrency");

    LoginHelper().logout();
    EXPECT_FALSE(User::instance().isLoggedIn());
    for (const char* key : {"lastUser", "lastUserSettings", "lastMode", "defaultCurrency"})
        EXPECT_FALSE(store.hasKey(key)) << key;
    EXPECT_EQ(store.stringForKey("activationCode"), device);
    EXPECT_TRUE(CacheHelper().isSessionExpired());

    // Without the back end the next validation shows the login screen and keeps the device.
    sandbox->script("POST", path, SandboxReply::dropped());
    delegate = RecordingLoginDelegate();
    validate();
    EXPECT_EQ(delegate.loginUI, 1);
    EXPECT_EQ(store.stringForKey("activationCode"), device);
}

TEST_F(LoginHelperSandboxTest, LocationCheck) {
    LoginHelper helper(&delegate);
    helper.checkPermissions();
    EXPECT_TRUE(delegate.alerts.isEmpty());

    UserDefaults::standardUserDefaults().setObject(QString("Y"), "locationServicesRequested");
    if (LoginHelper::locationServicesAvailable())
        GTEST_SKIP() << "this machine has a location source";
    helper.checkPermissions();
    ASSERT_EQ(delegate.alerts.size(), 1);
    EXPECT_EQ(delegate.alerts.first()->message(),
              Language::textForFile("GlobalTexts", "geolocationDisabled"));

    // A delegate that does not show message boxes never sees one.
    delegate.showsAlerts = false;
    helper.checkPermissions();
    EXPECT_EQ(delegate.alerts.size(), 1);
}

} // namespace

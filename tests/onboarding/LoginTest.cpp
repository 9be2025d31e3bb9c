#include "OnboardingFixture.h"

#include "SDK/login/LoginHelper.h"
#include "api/APIController.h"
#include "onboarding/ActivationScreenController.h"
#include "onboarding/LoginController.h"
#include "onboarding/OnboardingScreens.h"
#include "platform/core/VersionDispatch.h"
#include "platform/ui/KeyboardNotifications.h"
#include "platform/ui/SlidingViewController.h"
#include "platform/ui/TextField.h"
#include "ui_kit/CustomActivityView/ActivityIndicator.h"

#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>

using namespace onboardingtest;

namespace {

class LoginTest : public OnboardingTest {
protected:
    LoginController* showLogin() {
        show(Storyboard::instantiate(OnboardingScreens::login));
        return root<LoginController>();
    }
    // Types the e-mail and password and taps the login button.
    void logIn(const QString& email, const QString& password) {
        auto* screen = root<LoginController>();
        screen->outlet<TextField>("emailAddress")->setText(email);
        screen->outlet<TextField>("password")->setText(password);
        screen->outlet<QPushButton>("loginButtonSquared")->click();
    }
    bool formUsable() {
        auto* screen = root<LoginController>();
        return screen && !screen->isDisplayingActivityIndicator() &&
               screen->outlet<QPushButton>("cancelButton")->isEnabled();
    }
    QString frameworkVersion() {
        return VersionDispatch::infoBundle()
            .infoDictionary.value("CFBundleShortVersionString")
            .toString();
    }
};

TEST_F(LoginTest, RefusalsShowTheirMessageAndLeaveTheFormUsable) {
    struct Case {
        QString email;
        QString password;
        QString message;
    } cases[] = {
        {"marta@cafeaurora.com", "wrong", Language::textForFile("Login", "errorMessage")},
        {"nadie@cafeaurora.com", "Aurora2024", Language::textForFile("Login", "errorMessage")},
        {"deshabilitado@cafeaurora.com", "Clave2024",
         "Tu usuario fue deshabilitado por el comercio"},
        {"caido@cafeaurora.com", "Clave2024", Language::textForFile("GlobalTexts", "connError")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.email.toStdString());
        showLogin();
        logIn(c.email, c.password);
        ASSERT_TRUE(waitFor([&] { return !shownMessage().isEmpty(); }));
        EXPECT_EQ(shownMessage(), c.message);
        EXPECT_TRUE(tap("OK"));
        clock->advance(400);
        EXPECT_TRUE(formUsable());
        EXPECT_FALSE(UserDefaults::standardUserDefaults().hasKey("lastUser"));
    }
}

TEST_F(LoginTest, UpdateVersionRefusalOpensTheStoreAddress) {
    showLogin();
    logIn("actualizar@cafeaurora.com", "Clave2024");
    ASSERT_TRUE(waitFor([&] { return !shownMessage().isEmpty(); }));
    EXPECT_EQ(shownMessage(), sandbox.state().updateInfo().value("updateMessage").toString());
    EXPECT_TRUE(tap(Language::textForFile("GlobalTexts", "update")));
    clock->advance(400);
    EXPECT_EQ(opener->opened,
              QStringList{sandbox.state().updateInfo().value("urlAppStoreIOS").toString()});
    EXPECT_TRUE(formUsable());
}

TEST_F(LoginTest, AcceptedLoginSendsTheDeviceAndStoresTheSession) {
    showLogin();
    logIn("marta@cafeaurora.com", "Aurora2024");
    ASSERT_TRUE(waitFor([&] { return root<SlidingViewController>() != nullptr; }));
    const SandboxRequest request = sandbox->requestsTo("/developers/api/users/login.json").last();
    UserDefaults& store = UserDefaults::standardUserDefaults();
    EXPECT_FALSE(request.field("deviceId").isEmpty());
    EXPECT_EQ(request.field("deviceId"), store.stringForKey("activationCode"));
    EXPECT_TRUE(request.hasField("versionName"));
    EXPECT_EQ(request.field("versionName"), "");
    for (const char* key : {"lastUserEmail", "lastUser", "lastUserSettings", "hardware"})
        EXPECT_TRUE(store.hasKey(key)) << key;
    EXPECT_EQ(store.stringForKey("lastUserEmail"), "marta@cafeaurora.com");
}

TEST_F(LoginTest, InactiveAccountGoesToTheActivationChoice) {
    showLogin();
    logIn("nuevo@cafeaurora.com", "Nuevo2024");
    ASSERT_TRUE(waitFor([&] { return qobject_cast<ActivationScreenController*>(top()); }));
    clock->advance(400);
    EXPECT_FALSE(root<LoginController>()->isDisplayingActivityIndicator());
    EXPECT_TRUE(UserDefaults::standardUserDefaults().hasKey("lastUser"));
}

TEST_F(LoginTest, ForcedUpdateBlocksOnlyAboveTheFrameworkVersion) {
    const QString version = frameworkVersion();
    struct Case {
        QString minimum;
        bool blocked;
    } cases[] = {{version + ".1", true}, {version, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.minimum.toStdString());
        UserDefaults::standardUserDefaults().removeObjectForKey("lastUser");
        showLogin();
        QVariantMap answer{{"success", "OK"},
                           {"userId", 19},
                           {"token", "tok"},
                           {"email", "marta@cafeaurora.com"},
                           {"accountActive", true},
                           {"minSDKVersion", c.minimum},
                           {"updateMessage", "Nueva versión"},
                           {"response", QVariantMap{{"urlAppStoreIOS", "https://a.example.com"}}}};
        sandbox->scriptOnce("POST", "/developers/api/users/login.json", SandboxReply::json(answer));
        logIn("marta@cafeaurora.com", "Aurora2024");
        if (c.blocked) {
            ASSERT_TRUE(waitFor([&] { return !shownMessage().isEmpty(); }));
            EXPECT_EQ(shownMessage(), "Nueva versión");
            EXPECT_FALSE(UserDefaults::standardUserDefaults().hasKey("lastUser"));
            EXPECT_TRUE(root<LoginController>()->isDisplayingActivityIndicator());
        } else {
            ASSERT_TRUE(waitFor([&] { return root<SlidingViewController>() != nullptr; }));
        }
        settle();
    }
}

TEST_F(LoginTest, PasswordAndTokenStayOutOfTheLogs) {
    ConsoleLines console;
    showLogin();
    logIn("marta@cafeaurora.com", "Aurora2024");
    ASSERT_TRUE(waitFor([&] { return root<SlidingViewController>() != nullptr; }));
    EXPECT_FALSE(ConsoleLines::contains("Aurora2024"));
    const QString token = User::instance().token();
    ASSERT_FALSE(token.isEmpty());
    EXPECT_FALSE(ConsoleLines::contains(token));
    for (const QVariant& entry : APIController::getRequestLog()) {
        const QString text = QJsonDocument::fromVariant(entry).toJson();
        EXPECT_FALSE(text.contains("Aurora2024"));
        EXPECT_FALSE(text.contains(token));
    }
}

TEST_F(LoginTest, TheKeyboardInsetsTheFormAndAShortScreenGivesUpTheLogo) {
    struct Case {
        QSize screen;
        bool logoGoes;
    } cases[] = {{QSize(320, 568), false}, {QSize(320, 480), true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.screen.height());
        Device::current().setScreenSize(c.screen);
        window->widget()->resize(c.screen);
        LoginController* screen = showLogin();
        auto* logo = screen->outlet<QLabel>("logo");
        auto* password = screen->outlet<TextField>("password");
        password->becomeFirstResponder();
        EXPECT_EQ(screen->contentInset(),
                  QMargins(0, 0, 0, KeyboardNotifications::kKeyboardHeight));
        EXPECT_FALSE(logo->isHidden()); // it goes over half a second
        clock->advance(LoginController::kLogoRemovalMs);
        EXPECT_EQ(logo->isHidden(), c.logoGoes);
        EXPECT_EQ(screen->scrollView()->verticalScrollBar()->value(), 0);

        // The keyboard slides out: nothing of the form is covered any more.
        password->resignFirstResponder();
        EXPECT_EQ(screen->contentInset(), QMargins());
        screen->outlet<TextField>("emailAddress")->becomeFirstResponder();
        clock->advance(LoginController::kLogoRemovalMs);
        EXPECT_EQ(logo->isHidden(), c.logoGoes); // the logo is gone for good, or never goes
        screen->outlet<TextField>("emailAddress")->resignFirstResponder();
        settle();
    }
}

} // namespace

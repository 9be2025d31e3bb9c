#include "OnboardingFixture.h"

#include "onboarding/ForgotPasswordController.h"
#include "onboarding/LoginController.h"
#include "onboarding/LoginTransitionCoordinator.h"
#include "onboarding/LogoutController.h"
#include "onboarding/MainMenuController.h"
#include "onboarding/OnboardingScreens.h"
#include "platform/ui/SlidingViewController.h"
#include "platform/ui/TextField.h"

#include <QPushButton>

using namespace onboardingtest;

namespace {

class ResetTest : public OnboardingTest {
protected:
    // The reset screen over the login screen, its field filled from the login e-mail.
    ForgotPasswordController* openReset(const QString& email) {
        show(Storyboard::instantiate(OnboardingScreens::login));
        root<LoginController>()->outlet<TextField>("emailAddress")->setText(email);
        root<LoginController>()->forgotPassword();
        clock->advance(400);
        return qobject_cast<ForgotPasswordController*>(top());
    }
};

TEST_F(ResetTest, OnlyOkConfirmsTheReset) {
    struct Case {
        QVariantMap reply;
        QString message;
        bool closes;
    } cases[] = {
        {{{"success", "OK"}}, Language::textForFile("ForgotPassword", "passwordResetSent"), true},
        {{{"success", "NO"}}, Language::textForFile("GlobalTexts", "connError"), false},
        {{{"error", "UNKNOWN_EMAIL"}},
         Language::textForFile("ForgotPassword", "emailDoesntExist"),
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message.toStdString());
        QPointer<ForgotPasswordController> reset = openReset("marta@cafeaurora.com");
        ASSERT_TRUE(reset);
        EXPECT_EQ(reset->outlet<TextField>("emailAddress")->text(), "marta@cafeaurora.com");
        sandbox->scriptOnce("POST", "/developers/api/users/resetPassword.json",
                            SandboxReply::json(c.reply));
        reset->outlet<QPushButton>("sendButton")->click();
        ASSERT_TRUE(waitFor([&] { return !shownMessage().isEmpty(); }));
        EXPECT_EQ(shownMessage(), c.message);
        EXPECT_TRUE(tap("OK"));
        settle();
        EXPECT_EQ(reset.isNull(), c.closes);
        EXPECT_EQ(qobject_cast<ForgotPasswordController*>(top()) != nullptr, !c.closes);
    }
}

TEST_F(ResetTest, AnInvalidLoginAddressArrivesEmptyWithSendDisabled) {
    ForgotPasswordController* reset = openReset("marta@cafeaurora");
    ASSERT_NE(reset, nullptr);
    EXPECT_EQ(reset->outlet<TextField>("emailAddress")->text(), "");
    EXPECT_FALSE(reset->outlet<QPushButton>("sendButton")->isEnabled());
    reset->outlet<TextField>("emailAddress")->insertText("a");
    EXPECT_TRUE(reset->outlet<QPushButton>("sendButton")->isEnabled());
}

TEST_F(OnboardingTest, LogoutFromTheMenuShowsTheLoginASecondLater) {
    UserDefaults& store = UserDefaults::standardUserDefaults();
    store.setObject(QByteArray("x"), "lastUser");
    store.setObject(QByteArray("x"), "lastUserSettings");
    store.setObject("marta@cafeaurora.com", "lastUserEmail");
    show(Storyboard::instantiate(OnboardingScreens::mainView));
    auto* main = root<SlidingViewController>();
    ASSERT_NE(main, nullptr);
    auto* menu = qobject_cast<MainMenuController*>(main->underLeftViewController());
    ASSERT_NE(menu, nullptr);
    menu->outlet<QPushButton>("closeSession")->click();
    clock->advance(400);
    EXPECT_EQ(shownMessage(), Language::textForFile("Menu", "closeSessionAlert"));
    EXPECT_TRUE(tap(Language::textForFile("Menu", "closeSession")));
    for (int ms = 0; ms < 1000 && !qobject_cast<LogoutController*>(top()); ++ms)
        clock->advance(1);
    ASSERT_NE(qobject_cast<LogoutController*>(top()), nullptr);
    clock->advance(998);
    EXPECT_EQ(root<LoginController>(), nullptr);
    clock->advance(2);
    auto* login = root<LoginController>();
    ASSERT_NE(login, nullptr);
    EXPECT_FALSE(store.hasKey("lastUser"));
    EXPECT_FALSE(store.hasKey("lastUserSettings"));
    EXPECT_EQ(login->outlet<TextField>("emailAddress")->text(), "marta@cafeaurora.com");
    EXPECT_TRUE(window->presentedViewControllers().isEmpty());
}

TEST_F(OnboardingTest, AScreenReplacedBeforeItsAnswerGetsNoLateReply) {
    // A slow answer to the screen's request; the root is swapped before it comes.
    const struct Case {
        const char* name;
        const char* path;
        std::function<void(ViewController*)> send;
        ScreenName screen;
    } cases[] = {
        {"login", "/developers/api/users/login.json",
         [](ViewController* screen) {
             screen->outlet<TextField>("emailAddress")->setText("marta@cafeaurora.com");
             screen->outlet<TextField>("password")->setText("Aurora2024");
             screen->outlet<QPushButton>("loginButtonSquared")->click();
         },
         OnboardingScreens::login},
        {"reset", "/developers/api/users/resetPassword.json",
         [](ViewController* screen) {
             screen->outlet<TextField>("emailAddress")->setText("marta@cafeaurora.com");
             screen->outlet<QPushButton>("sendButton")->click();
         },
         OnboardingScreens::forgotPassword},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        UserDefaults::standardUserDefaults().removeObjectForKey("lastUser");
        show(Storyboard::instantiate(c.screen));
        QPointer<ViewController> screen = window->rootViewController();
        const int before = int(sandbox->requestsTo(c.path).size());
        sandbox->scriptOnce("POST", c.path,
                            SandboxReply::json(QVariantMap{{"success", "NO"}}).withDelay(300));
        c.send(screen);
        ASSERT_TRUE(waitFor([&] { return sandbox->requestsTo(c.path).size() > before; }));
        auto* replacement = new ViewController();
        LoginTransitionCoordinator().changeRootViewControllerAnimated(replacement);
        settle();
        EXPECT_TRUE(screen.isNull());
        QElapsedTimer waited;
        waited.start();
        while (waited.elapsed() < 700) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
            clock->advance(20);
        }
        EXPECT_EQ(window->rootViewController(), replacement);
        EXPECT_TRUE(window->presentedViewControllers().isEmpty());
        EXPECT_FALSE(UserDefaults::standardUserDefaults().hasKey("lastUser"));
    }
}

} // namespace

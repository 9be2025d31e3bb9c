#include "OnboardingFixture.h"

#include "SDK/login/LoginHelper.h"
#include "onboarding/LoginController.h"
#include "onboarding/OnboardingScreens.h"
#include "platform/ui/SlidingViewController.h"

using namespace onboardingtest;

namespace {

class SplashTest : public OnboardingTest {
protected:
    // Starts the splash; its session check waits for the test to answer it.
    SplashScreenController* startSplash() {
        SplashScreenController::setValidationStarter([this](LoginHelper* h) { helper = h; });
        window->setRootViewController(
            Storyboard::instantiateInitial(OnboardingScreens::loginStoryboard));
        return root<SplashScreenController>();
    }
    // At the given time since the splash appeared, the check answers.
    void answerAt(int ms, const QVariantMap& answer) {
        clock->advance(ms - int(clock->now() - start));
        helper->handleTokenValidationAnswer(answer);
    }
    void advanceTo(int ms) { clock->advance(ms - int(clock->now() - start)); }

    LoginHelper* helper = nullptr;
    qint64 start = 0;
};

TEST_F(SplashTest, NoValidSessionShowsTheLoginScreenNeverBeforeTheTimer) {
    struct Case {
        int answeredAt;
        int shownAt;
    } cases[] = {{1000, 1500}, {2500, 2500}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.answeredAt);
        start = clock->now();
        ASSERT_NE(startSplash(), nullptr);
        ASSERT_NE(helper, nullptr);
        advanceTo(c.answeredAt - 1);
        EXPECT_NE(root<SplashScreenController>(), nullptr);
        answerAt(c.answeredAt, {{"error", "invalid"}});
        if (c.shownAt > c.answeredAt) {
            advanceTo(c.shownAt - 1);
            EXPECT_NE(root<SplashScreenController>(), nullptr);
        }
        advanceTo(c.shownAt);
        EXPECT_NE(root<LoginController>(), nullptr);
        settle();
    }
}

TEST_F(SplashTest, ValidSessionWaitsForTheCatalogOnly) {
    catalog->delayMs = 200;
    start = clock->now();
    startSplash();
    answerAt(100, {{"success", "OK"}, {"userId", 17}, {"token", "t"}, {"digitalAccountId", ""}});
    advanceTo(299);
    EXPECT_NE(root<SplashScreenController>(), nullptr);
    advanceTo(300);
    auto* main = root<SlidingViewController>();
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(main->storyboardIdentifier(), QString(OnboardingScreens::mainView.identifier));
    EXPECT_TRUE(UserDefaults::standardUserDefaults().hasKey("lastUser"));
}

TEST_F(SplashTest, VirtualAccountPicksItsScene) {
    start = clock->now();
    startSplash();
    answerAt(100,
             {{"success", "OK"}, {"userId", 17}, {"token", "t"}, {"digitalAccountId", "DA-9"}});
    ASSERT_TRUE(waitFor([&] { return root<SlidingViewController>() != nullptr; }));
    EXPECT_EQ(root<SlidingViewController>()->storyboardIdentifier(),
              QString(OnboardingScreens::virtualAccount.identifier));
}

TEST_F(SplashTest, ForcedUpdateLeavesTheSplashUnderItsAlert) {
    start = clock->now();
    startSplash();
    answerAt(100, {{"success", "OK"},
                   {"minSDKVersion", "99.0"},
                   {"updateMessage", "Actualizá"},
                   {"urlAppStoreIOS", "https://store.example.com/app"}});
    advanceTo(5000);
    EXPECT_NE(root<SplashScreenController>(), nullptr);
    EXPECT_EQ(shownMessage(), "Actualizá");
    EXPECT_TRUE(tap(Language::textForFile("GlobalTexts", "update")));
    clock->advance(400);
    EXPECT_EQ(opener->opened, QStringList{"https://store.example.com/app"});
    EXPECT_NE(root<SplashScreenController>(), nullptr);
}

TEST_F(SplashTest, ImageConstraintsFollowTheViewHeight) {
    auto* splash = new SplashScreenController();
    splash->view()->resize(320, 800);
    splash->layoutIfNeeded();
    EXPECT_DOUBLE_EQ(splash->imagesContainerVerticalConstraint(), 48);
    EXPECT_DOUBLE_EQ(splash->imagesPaddingConstraint(), 19.2);
    delete splash;
}

} // namespace

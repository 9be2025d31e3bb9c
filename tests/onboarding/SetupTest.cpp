#include "OnboardingFixture.h"

#include "onboarding/OnboardingScreens.h"
#include "onboarding/SetupController.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/SlidingViewController.h"
#include "platform/ui/View.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QPointer>
#include <QPushButton>

using namespace onboardingtest;

namespace {

class SetupTest : public OnboardingTest {
protected:
    void TearDown() override {
        Language::setApplicationLanguageSource({});
        OnboardingTest::TearDown();
    }
    SetupController* showSetup() {
        show(Storyboard::instantiate(OnboardingScreens::setup));
        return root<SetupController>();
    }
    void press(SetupController* setup, Qt::Key key) {
        QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier);
        QCoreApplication::sendEvent(setup->moreInfoContainer(), &event);
    }
};

TEST_F(SetupTest, DoneSendsTheFourSwitches) {
    User::instance().setUserId("17");
    User::instance().setToken(sandbox.merchantToken());
    SetupController* setup = showSetup();
    setup->outlet<QCheckBox>("clientsSwitch")->setChecked(true);
    setup->outlet<QCheckBox>("tipsSwitch")->setChecked(true);
    setup->outlet<QPushButton>("doneButton")->click();
    ASSERT_TRUE(waitFor([&] {
        return !sandbox->requestsTo("/developers/api/settings/initialSetup.json").isEmpty();
    }));
    const SandboxRequest sent =
        sandbox->requestsTo("/developers/api/settings/initialSetup.json").first();
    EXPECT_EQ(sent.field("buyersOn"), "1");
    EXPECT_EQ(sent.field("catalogOn"), "0");
    EXPECT_EQ(sent.field("tipsOn"), "1");
    EXPECT_EQ(sent.field("subusersOn"), "0");
}

TEST_F(SetupTest, MoreInfoButtonsStandWhereTheLanguageSays) {
    struct Case {
        QString language;
        QRect tips;
    } cases[] = {{"es", QRect(175, 70, 125, 30)}, {"en", QRect(105, 71, 90, 30)}};
    for (const Case& c : cases) {
        const QString language = c.language;
        Language::setApplicationLanguageSource([language] { return language; });
        SetupController* setup = showSetup();
        EXPECT_EQ(View::frame(setup->outlet<QPushButton>("tipsButton")), c.tips)
            << c.language.toStdString();
    }
}

TEST_F(SetupTest, TwoPageHelpPagesBySwipesAndKeys) {
    Device::current().setScreenSize(QSize(320, 667));
    SetupController* setup = showSetup();
    setup->outlet<QPushButton>("tipsButton")->click();
    ASSERT_NE(setup->moreInfoContainer(), nullptr);
    // Swipes do nothing while the card slides in.
    press(setup, Qt::Key_Right);
    EXPECT_EQ(setup->helpDicPage(), 0);
    clock->advance(800);
    ASSERT_TRUE(setup->moreInfoDisplayed());
    QWidget* card = View::viewWithTag(setup->moreInfoContainer(), 1000);
    ASSERT_NE(card, nullptr);
    EXPECT_EQ(View::frame(card), QRect(10, 10, 300, 647));
    EXPECT_EQ(View::frame(View::viewWithTag(card, 101)).x(), 136);
    EXPECT_EQ(View::frame(View::viewWithTag(card, 102)).x(), 156);
    EXPECT_EQ(View::viewWithTag(card, 103), nullptr);
    press(setup, Qt::Key_Left); // a right swipe on the first page
    EXPECT_EQ(setup->helpDicPage(), 0);
    press(setup, Qt::Key_Right);
    clock->advance(500);
    EXPECT_EQ(setup->helpDicPage(), 1);
    press(setup, Qt::Key_Right); // past the last page
    EXPECT_EQ(setup->helpDicPage(), 1);
    card->findChild<QPushButton*>("closeMoreInfo")->click();
    clock->advance(300);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(setup->moreInfoContainer(), nullptr);
    EXPECT_FALSE(setup->moreInfoDisplayed());
}

TEST_F(SetupTest, TurningBackMidSlideSendsThePageBackFromWhereItStands) {
    Device::current().setScreenSize(QSize(320, 667));
    SetupController* setup = showSetup();
    setup->outlet<QPushButton>("tipsButton")->click();
    clock->advance(800);
    QWidget* card = View::viewWithTag(setup->moreInfoContainer(), 1000);
    ASSERT_NE(card, nullptr);
    press(setup, Qt::Key_Right);
    clock->advance(250);
    QPointer<QWidget> second = View::viewWithTag(card, 10);
    ASSERT_TRUE(second);
    const int halfway = second->x();
    EXPECT_GT(halfway, 10);
    press(setup, Qt::Key_Left);
    // It leaves to the right from where it stood, never jumping back first.
    int before = halfway;
    for (int step = 0; step < 4; ++step) {
        EXPECT_GE(second->x(), before) << step;
        before = second->x();
        clock->advance(100);
    }
    clock->advance(200);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(second);
    EXPECT_EQ(setup->helpDicPage(), 0);
    const QList<QWidget*> pages = card->findChildren<QWidget*>("helpPage");
    ASSERT_EQ(pages.size(), 1);
    EXPECT_EQ(pages.first()->x(), 10);
}

// Screens presented one over the other from the root, the setup on top.
class SetupChainTest : public SetupTest {
protected:
    SetupController* presentChain(ViewController* root, int between) {
        show(root);
        ViewController* top = root;
        for (int i = 0; i < between; ++i) {
            auto* next = new ViewController();
            next->setObjectName(QStringLiteral("step%1").arg(i + 1));
            top->presentViewController(next, false);
            top = next;
        }
        auto* setup =
            qobject_cast<SetupController*>(Storyboard::instantiate(OnboardingScreens::setup));
        top->presentViewController(setup, false);
        clock->advance(400);
        return setup;
    }
    void accept(QPointer<SetupController> setup) {
        User::instance().setUserId("17");
        User::instance().setToken(sandbox.merchantToken());
        setup->outlet<QPushButton>("doneButton")->click();
        ASSERT_TRUE(waitFor([&] { return !setup || !setup->isDisplayingActivityIndicator(); }));
        settle();
    }
};

TEST_F(SetupChainTest, AcceptedSetupBringsTheSplashBackToCheckTheSessionAgain) {
    int checks = 0;
    SplashScreenController::setValidationStarter([&checks](LoginHelper*) { ++checks; });
    QPointer<SetupController> setup =
        presentChain(Storyboard::instantiate(OnboardingScreens::splash), 4);
    ASSERT_TRUE(setup);
    const int before = checks;
    accept(setup);
    EXPECT_NE(root<SplashScreenController>(), nullptr);
    EXPECT_TRUE(window->presentedViewControllers().isEmpty());
    EXPECT_EQ(checks, before + 1);
}

TEST_F(SetupChainTest, WithoutASplashBelowTheMerchantGoesToTheMainView) {
    // The activation path: login, activation, steps 2 and 3, completed, setup.
    QPointer<SetupController> setup =
        presentChain(Storyboard::instantiate(OnboardingScreens::login), 4);
    accept(setup);
    EXPECT_TRUE(setup.isNull());
    EXPECT_NE(root<SlidingViewController>(), nullptr);
    EXPECT_TRUE(window->presentedViewControllers().isEmpty());
}

TEST_F(SetupChainTest, ANavigationControllerFourScreensDownGoesBackToItsRoot) {
    auto* first = new ViewController();
    auto* navigation = new NavigationController(first);
    auto* pushed = new ViewController();
    navigation->pushViewController(pushed, false);
    show(new ViewController());
    window->rootViewController()->presentViewController(navigation, false);
    ViewController* top = navigation;
    for (int i = 0; i < 3; ++i) {
        auto* next = new ViewController();
        top->presentViewController(next, false);
        top = next;
    }
    QPointer<SetupController> setup =
        qobject_cast<SetupController*>(Storyboard::instantiate(OnboardingScreens::setup));
    top->presentViewController(setup, false);
    clock->advance(400);
    accept(setup);
    EXPECT_EQ(window->presentedViewControllers(), QList<ViewController*>{navigation});
    EXPECT_EQ(navigation->viewControllers(), QList<ViewController*>{first});
}

} // namespace

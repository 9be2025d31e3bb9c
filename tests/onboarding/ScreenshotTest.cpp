#include "OnboardingFixture.h"

#include "onboarding/OnboardingScreens.h"
#include "onboarding/SetupController.h"

#include <QPushButton>

using namespace onboardingtest;

namespace {

class OnboardingScreenshots : public OnboardingTest {
protected:
    void shoot(const ScreenName& name, const QString& file) {
        ViewController* screen = Storyboard::instantiate(name);
        ASSERT_NE(screen, nullptr) << file.toStdString();
        show(screen);
        window->widget()->resize(Device::current().screenSize());
        window->widget()->show();
        clock->advance(400);
        QCoreApplication::processEvents(); // lays the screen out before it is drawn
        const QImage image = window->widget()->grab().toImage();
        EXPECT_FALSE(image.isNull());
        EXPECT_TRUE(image.save(screenshotPath(file))) << file.toStdString();
    }
};

TEST_F(OnboardingScreenshots, EveryScreenOnPhone) {
    SplashScreenController::setValidationStarter([](LoginHelper*) {});
    User::instance().setFirstName("Ana");
    User::instance().setLastName("Paz");
    const std::pair<ScreenName, const char*> screens[] = {
        {OnboardingScreens::splash, "splash.png"},
        {OnboardingScreens::login, "login.png"},
        {OnboardingScreens::forgotPassword, "reset.png"},
        {OnboardingScreens::mainView, "main_view.png"},
        {OnboardingScreens::menu, "menu.png"},
        {OnboardingScreens::activation, "activation.png"},
        {OnboardingScreens::signupStep1, "signup_step1.png"},
        {OnboardingScreens::signupStep2, "signup_step2.png"},
        {OnboardingScreens::signupStep3, "signup_step3.png"},
        {OnboardingScreens::signupCompleted, "signup_completed.png"},
        {OnboardingScreens::setup, "setup.png"},
    };
    for (const auto& [name, file] : screens)
        shoot(name, QString::fromLatin1(file));
    show(Storyboard::instantiate(OnboardingScreens::setup));
    ASSERT_NE(root<SetupController>(), nullptr);
    root<SetupController>()->outlet<QPushButton>("clientsButton")->click();
    clock->advance(900);
    EXPECT_TRUE(window->widget()->grab().toImage().save(screenshotPath("setup_help.png")));
    shoot(OnboardingScreens::logout, "logout.png");
}

TEST_F(OnboardingScreenshots, SplashLoginAndResetOnPad) {
    SplashScreenController::setValidationStarter([](LoginHelper*) {});
    Device::current().setIdiom(Device::Idiom::Pad);
    Device::current().setScreenSize(QSize(768, 1024));
    shoot(OnboardingScreens::splash, "pad_splash.png");
    shoot(OnboardingScreens::login, "pad_login.png");
    shoot(OnboardingScreens::forgotPassword, "pad_reset.png");
}

} // namespace

#include "onboarding/OnboardingScreens.h"

#include "catalog/CatalogScreens.h"
#include "catalog/InputTabBarViewController.h"
#include "onboarding/ActivationScreenController.h"
#include "onboarding/ForgotPasswordController.h"
#include "onboarding/LoginController.h"
#include "onboarding/LogoutController.h"
#include "onboarding/MainMenuController.h"
#include "onboarding/SetupController.h"
#include "onboarding/SignupCompletedController.h"
#include "onboarding/SignupStep1Controller.h"
#include "onboarding/SingupStep2Controller.h"
#include "onboarding/SingupStep3Controller.h"
#include "onboarding/SplashScreenController.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/SlidingViewController.h"

namespace {

// The side-menu container: the sale screens on top of the menu.
ViewController* makeMainView() {
    auto* container = new SlidingViewController();
    ViewController* sale = Storyboard::instantiate(CatalogScreens::inputTabBar);
    if (auto* tabBar = qobject_cast<InputTabBarViewController*>(sale))
        tabBar->setJustOpened(true);
    if (sale) {
        BarButtonItem menuButton;
        menuButton.title = QStringLiteral("☰");
        menuButton.objectName = QStringLiteral("menuButton");
        menuButton.action = [sale] { sale->showSlidingMenu(); };
        sale->navigationItem()->setLeftBarButtonItem(menuButton);
        container->setTopViewController(new NavigationController(sale));
    }
    container->setUnderLeftViewController(Storyboard::instantiate(OnboardingScreens::menu));
    return container;
}

} // namespace

void OnboardingScreens::registerScreens() {
    auto screen = [](const ScreenName& name, Storyboard::Factory factory) {
        Storyboard::registerViewController(name.storyboard, name.identifier, std::move(factory));
    };
    screen(splash, [] { return new SplashScreenController(); });
    Storyboard::setInitialViewController(loginStoryboard, splash.identifier);
    screen(login, [] { return new LoginController(); });
    screen(forgotPassword, [] { return new ForgotPasswordController(); });
    screen(mainView, [] { return makeMainView(); });
    screen(virtualAccount, [] { return makeMainView(); });
    screen(menu, [] { return new MainMenuController(); });
    screen(logout, [] { return new LogoutController(); });
    screen(signupStep1, [] { return new SignupStep1Controller(); });
    screen(signupStep2, [] { return new SingupStep2Controller(); });
    screen(signupStep3, [] { return new SingupStep3Controller(); });
    screen(signupCompleted, [] { return new SignupCompletedController(); });
    screen(activation, [] { return new ActivationScreenController(); });
    screen(setup, [] { return new SetupController(); });

    auto modal = [](const ScreenName& from, QLatin1StringView identifier, const ScreenName& to) {
        Storyboard::registerSegue(from.storyboard, from.identifier, identifier,
                                  {to.storyboard, to.identifier, SegueKind::Modal, {}});
    };
    modal(login, forgotPassSegue, forgotPassword);
    modal(login, signupSegue, signupStep1);
    modal(signupStep1, signupContinueSegue, signupStep2);
    modal(signupStep2, signupFinalStepSegue, signupStep3);
    modal(signupStep3, signupCompletedSegue, signupCompleted);
    modal(signupStep3, cancelSignup3Segue, login);
    modal(login, gotoActivateAccountSegue, activation);
    modal(activation, activateSegue, signupStep2);
    modal(activation, laterSegue, mainView);
    modal(signupCompleted, setupSegue, setup);
}

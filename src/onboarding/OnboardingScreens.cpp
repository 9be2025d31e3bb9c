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
    Storyboard::registerViewControllers({
        {splash, [] { return new SplashScreenController(); }},
        {login, [] { return new LoginController(); }},
        {forgotPassword, [] { return new ForgotPasswordController(); }},
        {mainView, [] { return makeMainView(); }},
        {virtualAccount, [] { return makeMainView(); }},
        {menu, [] { return new MainMenuController(); }},
        {logout, [] { return new LogoutController(); }},
        {signupStep1, [] { return new SignupStep1Controller(); }},
        {signupStep2, [] { return new SingupStep2Controller(); }},
        {signupStep3, [] { return new SingupStep3Controller(); }},
        {signupCompleted, [] { return new SignupCompletedController(); }},
        {activation, [] { return new ActivationScreenController(); }},
        {setup, [] { return new SetupController(); }},
    });
    Storyboard::setInitialViewController(loginStoryboard, splash.identifier);

    Storyboard::registerSegues(
        {
            {login, forgotPassSegue, forgotPassword},
            {login, signupSegue, signupStep1},
            {signupStep1, signupContinueSegue, signupStep2},
            {signupStep2, signupFinalStepSegue, signupStep3},
            {signupStep3, signupCompletedSegue, signupCompleted},
            {signupStep3, cancelSignup3Segue, login},
            {login, gotoActivateAccountSegue, activation},
            {activation, activateSegue, signupStep2},
            {activation, laterSegue, mainView},
            {signupCompleted, setupSegue, setup},
        },
        SegueKind::Modal);
}

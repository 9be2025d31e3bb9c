#include "onboarding/LoginTransitionCoordinator.h"

#include "SDK/login/LoginHelper.h"
#include "SDK/session/AccountSettings.h"
#include "onboarding/OnboardingScreens.h"
#include "onboarding/SplashScreenController.h"
#include "platform/ui/View.h"
#include "platform/ui/Window.h"

#include <QPointer>

void LoginTransitionCoordinator::transitionToMainView() {
    const ScreenName scene = AccountSettings::instance().hasVirtualAccount()
                                 ? OnboardingScreens::virtualAccount
                                 : OnboardingScreens::mainView;
    changeRootViewControllerAnimated(Storyboard::instantiate(scene));
}

void LoginTransitionCoordinator::transitionToLoginScreen() {
    changeRootViewControllerAnimated(Storyboard::instantiate(OnboardingScreens::login));
}

void LoginTransitionCoordinator::changeRootViewControllerAnimated(ViewController* controller) {
    Window* window = Window::keyWindow();
    if (!window || !controller) {
        if (controller && !controller->parent())
            controller->deleteLater();
        return;
    }
    QPointer<ViewController> old = window->rootViewController();
    // The old root's modal screens and pending work go with it.
    const QList<ViewController*> presented = window->presentedViewControllers();
    if (!presented.isEmpty())
        if (ViewController* below = presented.first()->presentingViewController())
            below->dismissViewControllerAnimated(false);
    window->setRootViewController(controller);
    if (old && old != controller)
        old->deleteLater();
    QWidget* view = controller->view();
    View::setAlpha(view, 0);
    QPointer<QWidget> guard = view;
    Clock::current().animate(kCrossDissolveMs, view, [guard](double progress) {
        if (guard)
            View::setAlpha(guard, progress);
    });
}

void LoginTransitionCoordinator::logout() {
    LoginHelper().logout();
    Window* window = Window::keyWindow();
    ViewController* root = window ? window->rootViewController() : nullptr;
    if (auto* splash = qobject_cast<SplashScreenController*>(root)) {
        if (splash->presentedViewController())
            splash->dismissViewControllerAnimated(true);
        return;
    }
    transitionToLoginScreen();
}

void tvLogOut(ViewController* screen) {
    if (!screen)
        return;
    ViewController* logout = Storyboard::instantiate(OnboardingScreens::logout);
    if (!logout)
        return;
    logout->setModalPresentationStyle(ViewController::ModalPresentationStyle::FullScreen);
    screen->presentViewController(logout, true);
}

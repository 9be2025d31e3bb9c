#include "ui_kit/MainNavigationController.h"

MainNavigationController::MainNavigationController(ViewController* root, QObject* parent)
    : NavigationController(root, parent) {}

void MainNavigationController::viewDidLoad() {
    NavigationController::viewDidLoad();
    navTransition_ = new NavigationBarTransitionManager(this);
    setDelegateDirectly(navTransition_);
    // An outer delegate given before the view loaded is kept rather than dropped.
    if (pendingDelegate_) {
        navTransition_->setDelegate(pendingDelegate_);
        pendingDelegate_ = nullptr;
    }
}

void MainNavigationController::setDelegate(NavigationControllerDelegate* delegate) {
    if (navTransition_)
        navTransition_->setDelegate(delegate);
    else
        pendingDelegate_ = delegate;
}

void MainNavigationController::viewWillAppear(bool animated) {
    NavigationController::viewWillAppear(animated);
    setColorsForCurrentViewController();
}

void MainNavigationController::viewDidAppear(bool animated) {
    NavigationController::viewDidAppear(animated);
    setColorsForCurrentViewController();
}

void MainNavigationController::setColorsForCurrentViewController() {
    if (navTransition_ && topViewController())
        navTransition_->setNavigationColorForViewController(topViewController());
}

int MainNavigationController::preferredStatusBarStyle() const {
    if (!navTransition_)
        return 0;
    return navTransition_->preferredStatusBarStyleForViewController(visibleViewController());
}

QList<ViewController*> MainNavigationController::popToRootViewControllerAnimated(bool animated) {
    if (navTransition_ && !viewControllers().isEmpty())
        navTransition_->navigationControllerWillPopToRootViewControllerAnimated(
            this, viewControllers().first(), animated);
    return NavigationController::popToRootViewControllerAnimated(animated);
}

#include "ui_kit/NavigationBarTransitionManager.h"

#include "ui_kit/AlertController.h"
#include "ui_kit/MainNavigationController.h"
#include "ui_kit/ViewControllerNavigationSpecifier.h"

void NavigationBarTransitionManager::navigationControllerWillShowViewController(
    NavigationController* navigation, ViewController* controller, bool animated) {
    if (delegate_)
        delegate_->navigationControllerWillShowViewController(navigation, controller, animated);
    setNavigationColorForViewController(controller);
}

void NavigationBarTransitionManager::navigationControllerDidShowViewController(
    NavigationController* navigation, ViewController* controller, bool animated) {
    if (delegate_)
        delegate_->navigationControllerDidShowViewController(navigation, controller, animated);
}

QObject* NavigationBarTransitionManager::navigationControllerAnimationControllerForOperation(
    NavigationController* navigation, NavigationOperation operation, ViewController* from,
    ViewController* to) {
    setNavigationColorForViewControllerAnimated(to, operation == NavigationOperation::Push);
    if (delegate_)
        return delegate_->navigationControllerAnimationControllerForOperation(navigation, operation,
                                                                              from, to);
    return nullptr;
}

void NavigationBarTransitionManager::navigationControllerWillPopToRootViewControllerAnimated(
    NavigationController*, ViewController* root, bool) {
    setNavigationColorForViewController(root);
}

void NavigationBarTransitionManager::setNavigationColorForViewControllerAnimated(
    ViewController* controller, bool animated) {
    // Transitions here run no coordinator: restyle at once unless animated.
    if (animated || !controller)
        return;
    setNavigationColorForViewController(controller);
    if (NavigationController* nav = controller->navigationController())
        nav->setNeedsStatusBarAppearanceUpdate();
}

void NavigationBarTransitionManager::setNavigationColorForViewController(
    ViewController* controller) {
    if (!controller)
        return;
    auto* specifier = dynamic_cast<ViewControllerNavigationSpecifier*>(controller);
    if (specifier && specifier->setNavigationColors())
        return;
    const int type = specifier ? specifier->preferredNavigationType().value_or(0) : 0;
    setNavigationColorForTypeForViewController(type, controller);
}

void NavigationBarTransitionManager::setNavigationColorForTypeForViewController(
    int type, ViewController* controller) {
    if (type == 2)
        setNavigationColorClearForViewController(controller);
    else
        setNavigationColorTintColorTitleColorForViewController(QColor(), QColor(), QColor(),
                                                               controller);
}

void NavigationBarTransitionManager::setNavigationColorTintColorTitleColorForViewController(
    const QColor&, const QColor&, const QColor&, ViewController* controller) {
    // The colours are the screen's own business; only the status bar follows.
    Application::setStatusBarStyle(preferredStatusBarStyleForViewController(controller));
}

void NavigationBarTransitionManager::setNavigationColorClearForViewController(
    ViewController* controller) {
    if (NavigationController* nav = controller ? controller->navigationController() : nullptr)
        nav->setNeedsStatusBarAppearanceUpdate();
    Application::setStatusBarStyle(preferredStatusBarStyleForViewController(controller));
}

int NavigationBarTransitionManager::preferredStatusBarStyleForViewController(
    ViewController* controller) {
    if (!controller)
        return defaultStatusBarStyle();
    if (const int own = controller->preferredStatusBarStyle(); own != 0)
        return own;
    if (auto* specifier = dynamic_cast<ViewControllerNavigationSpecifier*>(controller))
        if (const auto type = specifier->preferredNavigationType())
            return *type == 1 ? darkStatusBarStyle() : defaultStatusBarStyle();
    if (qobject_cast<AlertController*>(controller)) {
        ViewController* presenter = controller->presentingViewController();
        if (!presenter)
            return 0;
        if (auto* nav = qobject_cast<MainNavigationController*>(presenter)) {
            ViewController* top = nav->childViewControllers().isEmpty()
                                      ? nullptr
                                      : nav->childViewControllers().last();
            return top ? top->preferredStatusBarStyle() : 0;
        }
        return presenter->preferredStatusBarStyle();
    }
    return defaultStatusBarStyle();
}

int NavigationBarTransitionManager::darkStatusBarStyle() {
    return Device::current().systemVersion().toDouble() >= 13.0 ? 3 : 0;
}

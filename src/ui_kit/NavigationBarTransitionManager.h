#pragma once

#include "platform/ui/NavigationController.h"

#include <QObject>
#include <QPointer>

// The navigation controller's own delegate: keeps the status bar style in step with the screen
// on top and passes every callback on to an outer delegate (not owned).
class NavigationBarTransitionManager : public QObject, public NavigationControllerDelegate {
    Q_OBJECT
public:
    using QObject::QObject;

    NavigationControllerDelegate* delegate() const { return delegate_; }
    void setDelegate(NavigationControllerDelegate* delegate) { delegate_ = delegate; }

    void navigationControllerWillShowViewController(NavigationController* navigation,
                                                    ViewController* controller,
                                                    bool animated) override;
    void navigationControllerDidShowViewController(NavigationController* navigation,
                                                   ViewController* controller,
                                                   bool animated) override;
    QObject* navigationControllerAnimationControllerForOperation(NavigationController* navigation,
                                                                 NavigationOperation operation,
                                                                 ViewController* from,
                                                                 ViewController* to) override;

    void navigationControllerWillPopToRootViewControllerAnimated(NavigationController* navigation,
                                                                 ViewController* root,
                                                                 bool animated);
    void setNavigationColorForViewControllerAnimated(ViewController* controller, bool animated);
    void setNavigationColorForViewController(ViewController* controller);
    void setNavigationColorForTypeForViewController(int type, ViewController* controller);
    void setNavigationColorTintColorTitleColorForViewController(const QColor& barColor,
                                                                const QColor& tintColor,
                                                                const QColor& titleColor,
                                                                ViewController* controller);
    void setNavigationColorClearForViewController(ViewController* controller);
    int preferredStatusBarStyleForViewController(ViewController* controller);
    static int darkStatusBarStyle();
    static int defaultStatusBarStyle() { return darkStatusBarStyle(); }

private:
    NavigationControllerDelegate* delegate_ = nullptr;
};

#pragma once

#include "platform/ui/NavigationController.h"
#include "ui_kit/NavigationBarTransitionManager.h"

#include <QPointer>

// The application's navigation controller: it owns a NavigationBarTransitionManager as its
// delegate; a delegate set from outside becomes the manager's outer delegate.
class MainNavigationController : public NavigationController {
    Q_OBJECT
public:
    explicit MainNavigationController(ViewController* root = nullptr, QObject* parent = nullptr);

    NavigationBarTransitionManager* navTransition() const { return navTransition_; }

    void viewDidLoad() override;
    void setDelegate(NavigationControllerDelegate* delegate) override;
    void viewWillAppear(bool animated) override;
    void viewDidAppear(bool animated) override;
    void setColorsForCurrentViewController();
    int preferredStatusBarStyle() const override;
    int supportedInterfaceOrientations() const override { return isIpad() ? 30 : 2; }
    bool shouldAutorotate() const override { return true; }
    QList<ViewController*> popToRootViewControllerAnimated(bool animated) override;

private:
    QPointer<NavigationBarTransitionManager> navTransition_;
    NavigationControllerDelegate* pendingDelegate_ = nullptr;
};

// A view that takes all the room it is given (as a navigation item's title view).
class TitleView : public QWidget {
    Q_OBJECT
public:
    explicit TitleView(QWidget* parent = nullptr)
        : QWidget(parent) {
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    }
};

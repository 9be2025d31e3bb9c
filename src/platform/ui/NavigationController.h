#pragma once

#include "platform/ui/ViewController.h"

#include <QColor>
#include <QLabel>
#include <QList>
#include <QPointer>
#include <QToolButton>

class QHBoxLayout;
class QStackedWidget;
class NavigationController;

enum class NavigationOperation { None = 0, Push = 1, Pop = 2 };

// Told when the navigation controller shows a screen. Every operation is optional.
class NavigationControllerDelegate {
public:
    virtual ~NavigationControllerDelegate() = default;
    // Asked as a push or pop begins; an object returned drives the transition (none here
    // runs custom transitions, so the answer is only passed on).
    virtual QObject*
    navigationControllerAnimationControllerForOperation(NavigationController* navigation,
                                                        NavigationOperation operation,
                                                        ViewController* from, ViewController* to) {
        (void)navigation;
        (void)operation;
        (void)from;
        (void)to;
        return nullptr;
    }
    virtual void navigationControllerWillShowViewController(NavigationController* navigation,
                                                            ViewController* controller,
                                                            bool animated) {
        (void)navigation;
        (void)controller;
        (void)animated;
    }
    virtual void navigationControllerDidShowViewController(NavigationController* navigation,
                                                           ViewController* controller,
                                                           bool animated) {
        (void)navigation;
        (void)controller;
        (void)animated;
    }
};

// The bar above a navigation stack: back button ("backButton"), title ("titleLabel"), and the
// top screen's bar buttons, each with its item's objectName.
class NavigationBar : public QWidget {
    Q_OBJECT
public:
    explicit NavigationBar(QWidget* parent = nullptr);

    QColor tintColor() const { return tint_; }
    void setTintColor(const QColor& color);
    QColor barTintColor() const { return barTint_; }
    void setBarTintColor(const QColor& color);
    QToolButton* backButton() const { return back_; }
    QLabel* titleLabel() const { return title_; }

    // Shows the item of the top screen; the back button when there is a screen to go back to.
    void showItem(NavigationItem* item, const QString& backTitle, bool canGoBack);

signals:
    void backTapped();

private:
    void applyTint();
    QToolButton* back_;
    QLabel* title_;
    QHBoxLayout* left_;
    QHBoxLayout* right_;
    QWidget* titleHolder_;
    QPointer<QWidget> titleView_;
    QColor tint_;
    QColor barTint_;
};

// A stack of screens over a QStackedWidget with a bar. Only the top screen shows; appearance
// follows the stack while the navigation controller itself is on screen.
class NavigationController : public ViewController {
    Q_OBJECT
public:
    explicit NavigationController(ViewController* root = nullptr, QObject* parent = nullptr);

    QList<ViewController*> viewControllers() const { return stack_; }
    ViewController* topViewController() const;
    // The screen the top one presents, else the top one.
    ViewController* visibleViewController() const;

    virtual void pushViewController(ViewController* controller, bool animated);
    // The popped screens leave the stack and are deleted once control returns to the event loop.
    virtual ViewController* popViewControllerAnimated(bool animated);
    virtual QList<ViewController*> popToViewController(ViewController* controller, bool animated);
    virtual QList<ViewController*> popToRootViewControllerAnimated(bool animated);
    virtual void setViewControllers(const QList<ViewController*>& controllers, bool animated);

    NavigationBar* navigationBar();
    bool isNavigationBarHidden() const { return barHidden_; }
    void setNavigationBarHidden(bool hidden, bool animated);

    NavigationControllerDelegate* delegate() const { return delegate_; }
    virtual void setDelegate(NavigationControllerDelegate* delegate) { delegate_ = delegate; }

    QList<ViewController*> childViewControllersForAppearance() const override;
    void childViewControllerDestroyed(ViewController* child) override;

protected:
    QWidget* loadView() override;
    // The delegate as set, bypassing an override of setDelegate.
    void setDelegateDirectly(NavigationControllerDelegate* delegate) { delegate_ = delegate; }

private:
    void transition(ViewController* from, const QList<ViewController*>& newStack, bool animated);
    void refreshBar();
    QList<ViewController*> stack_;
    QPointer<QStackedWidget> stacked_;
    QPointer<NavigationBar> bar_;
    NavigationControllerDelegate* delegate_ = nullptr;
    bool barHidden_ = false;
};

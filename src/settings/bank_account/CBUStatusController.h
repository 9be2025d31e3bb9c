#pragma once

#include <QObject>
#include <QPointer>
#include <functional>

class TVLinkCBUViewController;
class ViewController;

// The bank-account check a screen runs before a charge (tryToPay) or after a login
// (userLoggedIn): it lets the charge go on, tells a blocked account to wait, or opens the
// link screen. A screen makes one with fromController(), keeps it and asks it on the main
// thread.
class CBUStatusController : public QObject {
    Q_OBJECT
public:
    using Answer = std::function<void(bool)>;

    // A new controller for the screen, owned by the screen.
    static CBUStatusController* fromController(ViewController* controller);
    explicit CBUStatusController(ViewController* controller);

    ViewController* viewController() const { return viewController_; }
    TVLinkCBUViewController* tvLinkCBUViewController() const { return tvLinkCBUViewController_; }

    // Answers once: true when the charge may go on. A missing link opens the link screen and
    // answers false when it closes; a blocked account answers false once its message shows.
    void tryToPay(Answer completion);
    // Opens the link screen when the account still needs a bank account.
    void userLoggedIn();
    // Opens the link screen; the callback is told false once, when the screen closes.
    void getCbu(Answer callback);
    // Where alerts are presented from: the screen's navigation controller, else the screen.
    ViewController* alertPresenter() const;

private:
    QPointer<ViewController> viewController_;
    QPointer<TVLinkCBUViewController> tvLinkCBUViewController_;
};

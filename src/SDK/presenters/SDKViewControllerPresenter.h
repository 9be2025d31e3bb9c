#pragma once

#include "SDK/login/LoginHelper.h"
#include "SDK/presenters/SDKNavigationController.h"

#include <TarvelloSDK/TarvelloSDK.h>

#include <QPointer>
#include <functional>
#include <memory>
#include <optional>

class QWidget;
class Sale;
class SDKNavigationController;
class ViewController;

// How a presenter's session check is started. The default makes a LoginHelper, checks the
// permissions and validates the host's token; tests install one that answers later.
using SessionCheckStarter = std::function<void(LoginHelper* helper)>;

// Runs one modal flow of the SDK over the host's screen and turns its end into one call of the
// host's completion. When no merchant is logged in it first shows a loading sheet and checks
// the host's token. Subclasses give the first screen and, where the flow has a result, handle
// operationDone.
//
// Lifetime: the presented SDKNavigationController owns the presenter until the flow ends; the
// presenter refers back to it without owning it. The flow ends once: later ends do nothing.
class SDKViewControllerPresenter : public std::enable_shared_from_this<SDKViewControllerPresenter>,
                                   public LoginHelperDelegate {
public:
    SDKViewControllerPresenter();
    ~SDKViewControllerPresenter() override;

    const TarvelloSDK::Completion& completion() const { return completion_; }
    void setCompletion(TarvelloSDK::Completion completion) { completion_ = std::move(completion); }
    LoginHelper* loginHelper() const { return loginHelper_.get(); }
    SDKNavigationController* loadingController() const { return loadingController_; }
    // True once the host's completion has been called (or the flow ended without one).
    bool ended() const { return ended_; }

    // The flow's first screen; every subclass gives its own.
    virtual ViewController* viewController();
    // The navigation controller to present, or null when the flow already ended.
    SDKNavigationController* start();
    // Presents the flow as a form sheet over the host's widget.
    void startInViewController(QWidget* viewController);

    void loginHelperDidFinishLogin(LoginHelper* helper) override;
    void loginHelperShouldDisplayLoginUI(LoginHelper* helper) override;
    bool mustUpdateApp(const QString& url, const QString& message) override;
    virtual void loginSuccessful();

    // The sheet went away without a report: UserCanceled.
    virtual void closedController();
    // The flow ended with the error, or with an empty result when there is none.
    virtual void canceled(std::optional<TarvelloError> error);
    // The flow finished with a result; the base ignores it.
    virtual void operationDone(std::shared_ptr<Sale> sale);

    // How session checks start (null restores the default).
    static void setSessionCheckStarter(SessionCheckStarter starter);
    // Starts the check of a helper made with its delegate.
    static void startSessionCheck(LoginHelper* helper);

protected:
    // Calls the host's completion, once.
    void finish(const QVariantMap& result, bool success);
    void dropLoginHelper();

private:
    TarvelloSDK::Completion completion_;
    std::unique_ptr<LoginHelper, void (*)(LoginHelper*)> loginHelper_;
    QPointer<SDKNavigationController> loadingController_;
    bool ended_ = false;
};

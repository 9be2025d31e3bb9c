#pragma once

#include "SDK/login/LoginHelper.h"
#include "SDK/login/SessionCheck.h"
#include "platform/ui/NavigationController.h"

#include <TarvelloSDK/TarvelloSDK.h>

#include <QPointer>
#include <memory>
#include <optional>

class QWidget;
class ViewController;

// One flow of the SDK's screens, shown as a sheet over the host's screen, from the session check
// to the one call of the host's completion. With a merchant logged in the sheet opens on the
// flow's first screen. Otherwise it opens at once on an empty screen with the loading overlay
// while the session check runs; then the first screen replaces it, or the sheet closes and the
// flow ends with 1003 (no valid session) or 1001 (update required).
// Subclasses give the first screen and the sheet's navigation controller, which owns the flow
// while it shows (the flow refers back to it without owning it). Made with std::make_shared.
// The flow ends once: later ends do nothing.
class SDKSheetFlow : public std::enable_shared_from_this<SDKSheetFlow>, public LoginHelperDelegate {
public:
    // The flow's first screen, or the error that ends the flow instead (none: an empty result).
    struct FirstScreen {
        ViewController* screen = nullptr;
        std::optional<TarvelloError> error;
    };

    SDKSheetFlow();
    ~SDKSheetFlow() override;

    const TarvelloSDK::Completion& completion() const { return completion_; }
    void setCompletion(TarvelloSDK::Completion completion) { completion_ = std::move(completion); }
    LoginHelper* loginHelper() const { return sessionCheck_.helper(); }
    // True once the host's completion has been called (or the flow ended without one).
    bool ended() const { return ended_; }

    // Presents the sheet as a form sheet over the host's widget (or ends at once).
    void startInViewController(QWidget* viewController);

    void loginHelperDidFinishLogin(LoginHelper* helper) override;
    void loginHelperShouldDisplayLoginUI(LoginHelper* helper) override;
    bool mustUpdateApp(const QString& url, const QString& message) override;
    // The session check passed: the first screen replaces the loading screen.
    virtual void loginSuccessful();

    // The sheet went away without a report: 1000 "User canceled".
    virtual void closedController();
    // The flow ended with the error, or with an empty result when there is none.
    virtual void canceled(std::optional<TarvelloError> error);

protected:
    // The navigation controller to present, or null when the flow already ended.
    NavigationController* startSheet();
    // The sheet shown while the session check runs; null once the check is over or it is gone.
    NavigationController* loadingSheet() const { return loadingSheet_; }
    // Calls the host's completion, once.
    void finish(const QVariantMap& result, bool success);

    virtual FirstScreen firstScreen() = 0;
    // A new navigation controller of the flow's sheet over the root, owning this flow.
    virtual NavigationController* newSheet(ViewController* root) = 0;
    // Sets how the sheet is presented; the base makes it a form sheet.
    virtual void prepareSheet(NavigationController* sheet);

private:
    void cancelLoadingSheet(const std::optional<TarvelloError>& error);

    TarvelloSDK::Completion completion_;
    SessionCheck sessionCheck_;
    QPointer<NavigationController> loadingSheet_;
    bool ended_ = false;
};

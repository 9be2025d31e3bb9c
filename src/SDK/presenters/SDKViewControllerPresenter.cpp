#include "SDK/presenters/SDKViewControllerPresenter.h"

#include "SDK/presenters/SDKNavigationController.h"
#include "SDK/session/User.h"
#include "platform/core/Assert.h"
#include "platform/ui/Window.h"
#include "ui_kit/CustomActivityView/ActivityIndicator.h"

namespace {

SessionCheckStarter& sessionCheckStarter() {
    static SessionCheckStarter starter;
    return starter;
}

// A helper may still be on the call stack when it is dropped: delete it later.
void deleteHelperLater(LoginHelper* helper) {
    if (helper) {
        helper->setDelegate(nullptr);
        helper->deleteLater();
    }
}

} // namespace

void SDKViewControllerPresenter::setSessionCheckStarter(SessionCheckStarter starter) {
    sessionCheckStarter() = std::move(starter);
}

void SDKViewControllerPresenter::startSessionCheck(LoginHelper* helper) {
    if (sessionCheckStarter()) {
        sessionCheckStarter()(helper);
        return;
    }
    helper->checkPermissions();
    helper->validateLogin();
}

SDKViewControllerPresenter::SDKViewControllerPresenter()
    : loginHelper_(nullptr, deleteHelperLater) {}

SDKViewControllerPresenter::~SDKViewControllerPresenter() = default;

ViewController* SDKViewControllerPresenter::viewController() {
    HostAssert::fail(QStringLiteral("Subclasses need to overwrite this method"));
    return nullptr;
}

SDKNavigationController* SDKViewControllerPresenter::start() {
    if (User::instance().isLoggedIn()) {
        ViewController* first = viewController();
        if (ended_) {
            delete first;
            return nullptr;
        }
        if (!first) {
            // The flow's first screen is missing from this build: nothing to show.
            finish({}, false);
            return nullptr;
        }
        auto* navigation = new SDKNavigationController(first);
        navigation->setPresenter(shared_from_this());
        return navigation;
    }
    auto* empty = new ViewController();
    auto* navigation = new SDKNavigationController(empty);
    navigation->setPresenter(shared_from_this());
    loadingController_ = navigation;
    ActivityIndicator::displayLoadingIndicator(empty->view());
    loginHelper_.reset(new LoginHelper(this));
    startSessionCheck(loginHelper_.get());
    return navigation;
}

void SDKViewControllerPresenter::startInViewController(QWidget* host) {
    // The navigation controller owns this presenter; keep it alive while starting.
    std::shared_ptr<SDKViewControllerPresenter> self = shared_from_this();
    SDKNavigationController* navigation = start();
    if (!navigation)
        return;
    if (ended_) {
        // The session check answered before the sheet could show.
        delete navigation;
        return;
    }
    navigation->setModalPresentationStyle(ViewController::ModalPresentationStyle::FormSheet);
    Window* window = Window::forWidget(host);
    if (window && window->topViewController())
        window->topViewController()->presentViewController(navigation, true);
    if (!navigation->presentingViewController()) {
        // Nothing to present over: the flow cannot run.
        navigation->setPresenter(nullptr);
        delete navigation;
        closedController();
    }
}

void SDKViewControllerPresenter::loginHelperDidFinishLogin(LoginHelper*) {
    loginSuccessful();
}

void SDKViewControllerPresenter::loginSuccessful() {
    if (loadingController_ && !ended_) {
        if (ViewController* first = viewController())
            loadingController_->setViewControllers({first}, false);
        else
            loadingController_->canceled(std::nullopt);
    }
    dropLoginHelper();
    loadingController_ = nullptr;
}

void SDKViewControllerPresenter::loginHelperShouldDisplayLoginUI(LoginHelper*) {
    if (loadingController_)
        loadingController_->canceled(TarvelloError::sdk(TarvelloErrorCode::InvalidUserToken,
                                                        QStringLiteral("Invalid User Token")));
}

bool SDKViewControllerPresenter::mustUpdateApp(const QString&, const QString& message) {
    if (loadingController_)
        loadingController_->canceled(
            TarvelloError::sdk(TarvelloErrorCode::UpdateRequired, message));
    loadingController_ = nullptr;
    dropLoginHelper();
    return true;
}

void SDKViewControllerPresenter::closedController() {
    finish(TarvelloError::sdk(TarvelloErrorCode::UserCanceled, QStringLiteral("User canceled"))
               .toResult(),
           false);
}

void SDKViewControllerPresenter::canceled(std::optional<TarvelloError> error) {
    finish(error ? error->toResult() : QVariantMap(), false);
}

void SDKViewControllerPresenter::operationDone(std::shared_ptr<Sale>) {}

void SDKViewControllerPresenter::finish(const QVariantMap& result, bool success) {
    if (ended_)
        return;
    ended_ = true;
    if (completion_) {
        // The completion may drop the last owner of this presenter.
        const TarvelloSDK::Completion completion = completion_;
        completion(result, success);
    }
}

void SDKViewControllerPresenter::dropLoginHelper() {
    loginHelper_.reset();
}

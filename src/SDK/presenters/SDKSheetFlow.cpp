#include "SDK/presenters/SDKSheetFlow.h"

#include "platform/ui/FlowEnd.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/Window.h"
#include "ui_kit/CustomActivityView/ActivityIndicator.h"

SDKSheetFlow::SDKSheetFlow()
    : sessionCheck_(this) {}

SDKSheetFlow::~SDKSheetFlow() = default;

NavigationController* SDKSheetFlow::startSheet() {
    if (!SessionCheck::needed()) {
        FirstScreen first = firstScreen();
        if (ended_) {
            delete first.screen;
            return nullptr;
        }
        if (!first.screen) {
            finish(first.error ? first.error->toResult() : QVariantMap(), false);
            return nullptr;
        }
        return newSheet(first.screen);
    }
    auto* empty = new ViewController();
    NavigationController* sheet = newSheet(empty);
    loadingSheet_ = sheet;
    ActivityIndicator::displayLoadingIndicator(empty->view());
    sessionCheck_.start();
    return sheet;
}

void SDKSheetFlow::startInViewController(QWidget* host) {
    // The sheet owns this flow; keep it alive while starting.
    std::shared_ptr<SDKSheetFlow> self = shared_from_this();
    NavigationController* sheet = startSheet();
    if (!sheet)
        return;
    if (ended_) {
        // The session check answered before the sheet could show.
        delete sheet;
        return;
    }
    prepareSheet(sheet);
    Window* window = Window::forWidget(host);
    if (window && window->topViewController())
        window->topViewController()->presentViewController(sheet, true);
    if (!sheet->presentingViewController()) {
        // Nothing to present over: the flow cannot run.
        delete sheet;
        closedController();
    }
}

void SDKSheetFlow::prepareSheet(NavigationController* sheet) {
    sheet->setModalPresentationStyle(ViewController::ModalPresentationStyle::FormSheet);
}

void SDKSheetFlow::loginHelperDidFinishLogin(LoginHelper*) {
    loginSuccessful();
}

void SDKSheetFlow::loginSuccessful() {
    if (loadingSheet_ && !ended_) {
        FirstScreen first = firstScreen();
        if (first.screen)
            loadingSheet_->setViewControllers({first.screen}, false);
        else
            cancelLoadingSheet(first.error);
    }
    sessionCheck_.drop();
    loadingSheet_ = nullptr;
}

void SDKSheetFlow::loginHelperShouldDisplayLoginUI(LoginHelper*) {
    cancelLoadingSheet(TarvelloError::sdk(TarvelloErrorCode::InvalidUserToken,
                                          QStringLiteral("Invalid User Token")));
}

bool SDKSheetFlow::mustUpdateApp(const QString&, const QString& message) {
    cancelLoadingSheet(TarvelloError::sdk(TarvelloErrorCode::UpdateRequired, message));
    loadingSheet_ = nullptr;
    sessionCheck_.drop();
    return true;
}

void SDKSheetFlow::cancelLoadingSheet(const std::optional<TarvelloError>& error) {
    // The sheet closes first, then reports to this flow.
    if (auto* ends = dynamic_cast<FlowEndDelegate*>(loadingSheet_.data()))
        ends->canceled(error);
}

void SDKSheetFlow::closedController() {
    finish(TarvelloError::sdk(TarvelloErrorCode::UserCanceled, QStringLiteral("User canceled"))
               .toResult(),
           false);
}

void SDKSheetFlow::canceled(std::optional<TarvelloError> error) {
    finish(error ? error->toResult() : QVariantMap(), false);
}

void SDKSheetFlow::finish(const QVariantMap& result, bool success) {
    if (ended_)
        return;
    ended_ = true;
    if (completion_) {
        // The completion may drop the last owner of this flow.
        const TarvelloSDK::Completion completion = completion_;
        completion(result, success);
    }
}

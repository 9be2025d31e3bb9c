#include "SDK/presenters/SDKNavigationController.h"

#include "SDK/presenters/SDKViewControllerPresenter.h"
#include "ui_kit/UIKitSupport.h"

SDKNavigationController::SDKNavigationController(ViewController* root, QObject* parent)
    : MainNavigationController(root, parent) {}

SDKNavigationController::~SDKNavigationController() = default;

void SDKNavigationController::viewDidLoad() {
    MainNavigationController::viewDidLoad();
    navigationBar()->setTintColor(UIKitSupport::mainColor());
}

void SDKNavigationController::operationDone(std::shared_ptr<Sale> sale) {
    std::shared_ptr<SDKViewControllerPresenter> presenter = std::move(presenter_);
    presenter_.reset();
    dismissViewControllerAnimated(true, [presenter, sale] {
        if (presenter)
            presenter->operationDone(sale);
    });
}

void SDKNavigationController::canceled(std::optional<TarvelloError> error) {
    std::shared_ptr<SDKViewControllerPresenter> presenter = std::move(presenter_);
    presenter_.reset();
    dismissViewControllerAnimated(true, [presenter, error] {
        if (presenter)
            presenter->canceled(error);
    });
}

void SDKNavigationController::viewDidDisappear(bool animated) {
    MainNavigationController::viewDidDisappear(animated);
    // Gone for good without a report: the sheet was closed.
    if ((isBeingDismissed() || !presentingViewController()) && presenter_) {
        std::shared_ptr<SDKViewControllerPresenter> presenter = std::move(presenter_);
        presenter_.reset();
        presenter->closedController();
    }
}

#include "SDK/presenters/SDKNavigationController.h"

void SDKNavigationController::operationDone(std::shared_ptr<Sale> sale) {
    reportAfterDismissal(
        [sale](SDKViewControllerPresenter& presenter) { presenter.operationDone(sale); });
}

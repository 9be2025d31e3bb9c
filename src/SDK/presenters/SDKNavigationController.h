#pragma once

#include "SDK/presenters/SDKSheetNavigation.h"
#include "SDK/presenters/SDKViewControllerPresenter.h"
#include "ui_kit/MainNavigationController.h"

#include <memory>

// The navigation controller of the flows the SDK presents. Screens inside report up to it with
// operationDone or canceled; it dismisses itself and then hands the report to its presenter.
// It keeps the presenter alive while the flow shows.
class SDKNavigationController
    : public SDKSheetNavigation<MainNavigationController, SDKViewControllerPresenter> {
    Q_OBJECT
public:
    using SDKSheetNavigation::SDKSheetNavigation;

    std::shared_ptr<SDKViewControllerPresenter> presenter() const { return flow(); }
    void setPresenter(std::shared_ptr<SDKViewControllerPresenter> presenter) {
        setFlow(std::move(presenter));
    }
    void operationDone(std::shared_ptr<Sale> sale) override;
};

#pragma once

#include "platform/ui/FlowEnd.h"
#include "ui_kit/MainNavigationController.h"

#include <memory>

class SDKViewControllerPresenter;

// The navigation controller of the flows the SDK presents. Screens inside report up to it with
// operationDone or canceled; it dismisses itself and then hands the report to its presenter.
// It keeps the presenter alive while the flow shows.
class SDKNavigationController : public MainNavigationController, public FlowEndDelegate {
    Q_OBJECT
public:
    explicit SDKNavigationController(ViewController* root = nullptr, QObject* parent = nullptr);
    ~SDKNavigationController() override;

    std::shared_ptr<SDKViewControllerPresenter> presenter() const { return presenter_; }
    void setPresenter(std::shared_ptr<SDKViewControllerPresenter> presenter) {
        presenter_ = std::move(presenter);
    }

    void viewDidLoad() override;
    void viewDidDisappear(bool animated) override;
    void operationDone(std::shared_ptr<Sale> sale) override;
    void canceled(std::optional<TarvelloError> error) override;

private:
    std::shared_ptr<SDKViewControllerPresenter> presenter_;
};

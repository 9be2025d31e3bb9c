#pragma once

#include "SDK/presenters/SDKSheetFlow.h"
#include "platform/ui/FlowEnd.h"
#include "platform/ui/NavigationController.h"
#include "ui_kit/UIKitSupport.h"

#include <functional>
#include <memory>
#include <utility>

// What the navigation controllers of the SDK's sheets share, over the navigation controller
// class they stand on and the kind of flow (an SDKSheetFlow) they show. The sheet owns its flow
// while it shows. A screen's report dismisses the sheet first and then reaches the flow; the
// sheet going away for good without a report closes the flow (1000). Either way the sheet lets
// go of the flow first, so the flow hears of its end once.
template <class Navigation, class Flow>
class SDKSheetNavigation : public Navigation, public FlowEndDelegate {
public:
    explicit SDKSheetNavigation(ViewController* root = nullptr, QObject* parent = nullptr)
        : Navigation(root, parent) {}

    // The flow this sheet owns; set when the sheet is made, cleared when the flow ends here.
    const std::shared_ptr<Flow>& flow() const { return flow_; }
    void setFlow(std::shared_ptr<Flow> flow) { flow_ = std::move(flow); }

    void viewDidLoad() override {
        Navigation::viewDidLoad();
        this->navigationBar()->setTintColor(UIKitSupport::mainColor());
    }

    void viewDidDisappear(bool animated) override {
        Navigation::viewDidDisappear(animated);
        if ((this->isBeingDismissed() || !this->presentingViewController()) && flow_)
            std::exchange(flow_, nullptr)->closedController();
    }

    void canceled(std::optional<TarvelloError> error) override {
        reportAfterDismissal([error](Flow& flow) { flow.canceled(error); });
    }

protected:
    // Lets go of the flow, dismisses the sheet, and then hands the report to the flow.
    void reportAfterDismissal(std::function<void(Flow&)> report) {
        std::shared_ptr<Flow> flow = std::exchange(flow_, nullptr);
        auto reportFlow = [flow, report = std::move(report)] {
            if (flow)
                report(*flow);
        };
        // From below the sheet, so screens presented over it (the signature) go with it.
        if (ViewController* below = this->presentingViewController())
            below->dismissViewControllerAnimated(true, std::move(reportFlow));
        else
            this->dismissViewControllerAnimated(true, std::move(reportFlow));
    }

private:
    std::shared_ptr<Flow> flow_;
};

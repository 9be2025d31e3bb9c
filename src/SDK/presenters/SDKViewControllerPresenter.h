#pragma once

#include "SDK/presenters/SDKSheetFlow.h"

#include <memory>
#include <optional>

class QWidget;
class Sale;
class SDKNavigationController;
class ViewController;

// Runs one modal flow of the SDK over the host's screen and turns its end into one call of the
// host's completion (the session check and the sheet: SDKSheetFlow). Subclasses give the first
// screen and, where the flow has a result, handle operationDone.
//
// Lifetime: the presented SDKNavigationController owns the presenter until the flow ends; the
// presenter refers back to it without owning it.
class SDKViewControllerPresenter : public SDKSheetFlow {
public:
    SDKViewControllerPresenter();
    ~SDKViewControllerPresenter() override;

    SDKNavigationController* loadingController() const;

    // The flow's first screen; every subclass gives its own.
    virtual ViewController* viewController();
    // The navigation controller to present, or null when the flow already ended.
    SDKNavigationController* start();

    // The flow finished with a result; the base ignores it.
    virtual void operationDone(std::shared_ptr<Sale> sale);

protected:
    FirstScreen firstScreen() override;
    NavigationController* newSheet(ViewController* root) override;
};

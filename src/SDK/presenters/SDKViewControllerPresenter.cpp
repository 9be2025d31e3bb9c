#include "SDK/presenters/SDKViewControllerPresenter.h"

#include "SDK/presenters/SDKNavigationController.h"
#include "platform/core/Assert.h"

SDKViewControllerPresenter::SDKViewControllerPresenter() = default;

SDKViewControllerPresenter::~SDKViewControllerPresenter() = default;

SDKNavigationController* SDKViewControllerPresenter::loadingController() const {
    return qobject_cast<SDKNavigationController*>(loadingSheet());
}

ViewController* SDKViewControllerPresenter::viewController() {
    HostAssert::fail(QStringLiteral("Subclasses need to overwrite this method"));
    return nullptr;
}

SDKNavigationController* SDKViewControllerPresenter::start() {
    return static_cast<SDKNavigationController*>(startSheet());
}

void SDKViewControllerPresenter::operationDone(std::shared_ptr<Sale>) {}

SDKSheetFlow::FirstScreen SDKViewControllerPresenter::firstScreen() {
    // A first screen missing from this build ends the flow with an empty result.
    return {viewController(), std::nullopt};
}

NavigationController* SDKViewControllerPresenter::newSheet(ViewController* root) {
    auto* sheet = new SDKNavigationController(root);
    sheet->setPresenter(std::static_pointer_cast<SDKViewControllerPresenter>(shared_from_this()));
    return sheet;
}

#include "ui_kit/Extensions/Traits.h"

#include "platform/ui/NavigationController.h"
#include "platform/ui/Services.h"
#include "platform/ui/ViewController.h"

namespace Traits {

bool isIpad() {
    return Device::current().isIpad();
}

bool hasRegularWidth() {
    return isIpad();
}

bool hasRegularHeight(const ViewController* controller) {
    if (!controller)
        return true;
    return controller->traitCollection().verticalSizeClass == 2;
}

bool isModal(const ViewController* controller) {
    if (!controller)
        return false;
    if (controller->presentingViewController())
        return true;
    // Without a navigation controller there is nothing more to compare: not modal.
    const NavigationController* navigation = controller->navigationController();
    if (!navigation)
        return false;
    const ViewController* presenter = navigation->presentingViewController();
    return presenter && presenter->presentedViewController() == navigation;
}

} // namespace Traits

#include "ui_kit/UIKitScreens.h"

#include "platform/ui/NavigationController.h"
#include "ui_kit/AlertController.h"
#include "ui_kit/SingleInputViewController.h"

void UIKitScreens::registerScreens() {
    Storyboard::registerViewController(alert.storyboard, alert.identifier,
                                       [] { return new AlertController(); });
    Storyboard::setInitialViewController(alert.storyboard, alert.identifier);

    Storyboard::registerViewController(singleInput.storyboard, singleInput.identifier,
                                       [] { return new SingleInputViewController(); });
    Storyboard::registerViewController(
        singleInputNavigation.storyboard, singleInputNavigation.identifier,
        [] { return new NavigationController(new SingleInputViewController()); });
}

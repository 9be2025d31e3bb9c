#include "ui_kit/UIKitScreens.h"

#include "ui_kit/AlertController.h"

void UIKitScreens::registerScreens() {
    Storyboard::registerViewController(alert.storyboard, alert.identifier,
                                       [] { return new AlertController(); });
    Storyboard::setInitialViewController(alert.storyboard, alert.identifier);
}

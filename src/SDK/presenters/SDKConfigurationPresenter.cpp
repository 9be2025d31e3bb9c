#include "SDK/presenters/SDKConfigurationPresenter.h"

#include "settings/SettingsScreens.h"
#include "platform/ui/Storyboard.h"
#include "platform/ui/ViewController.h"

SDKConfigurationPresenter::SDKConfigurationPresenter() = default;
SDKConfigurationPresenter::~SDKConfigurationPresenter() = default;

ViewController* SDKConfigurationPresenter::viewController() {
    ViewController* screen = Storyboard::instantiate(SettingsScreens::configurationMain);
    if (screen) {
        screen->setProperty("allowPictureChange", allowPictureChange_);
        screen->setProperty("allowReaderChange", allowReaderChange_);
    }
    return screen;
}

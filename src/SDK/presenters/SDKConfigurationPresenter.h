#pragma once

#include "SDK/presenters/SDKViewControllerPresenter.h"

#include <TarvelloSDK/TarvelloSDK.h>

#include <memory>

class QWidget;

// Opens the merchant's settings screen as a modal flow. The facade sets no completion, so
// closing the settings reports nothing.
class SDKConfigurationPresenter : public SDKViewControllerPresenter {
public:
    SDKConfigurationPresenter();
    ~SDKConfigurationPresenter() override;

    bool allowPictureChange() const { return allowPictureChange_; }
    void setAllowPictureChange(bool allow) { allowPictureChange_ = allow; }
    bool allowReaderChange() const { return allowReaderChange_; }
    void setAllowReaderChange(bool allow) { allowReaderChange_ = allow; }

    // The settings screen ("Configuration" / "ConfigurationMain") with the two permissions set
    // on its properties of the same names.
    ViewController* viewController() override;

private:
    bool allowPictureChange_ = false;
    bool allowReaderChange_ = false;
};

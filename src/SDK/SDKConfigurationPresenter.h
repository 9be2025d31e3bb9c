#pragma once

#include <TarvelloSDK/TarvelloSDK.h>

#include <memory>

class QWidget;

// Opens the merchant's settings screen as a modal flow. The facade sets no completion, so
// closing the settings reports nothing.
class SDKConfigurationPresenter : public std::enable_shared_from_this<SDKConfigurationPresenter> {
public:
    SDKConfigurationPresenter();
    virtual ~SDKConfigurationPresenter();

    bool allowPictureChange() const { return allowPictureChange_; }
    void setAllowPictureChange(bool allow) { allowPictureChange_ = allow; }
    bool allowReaderChange() const { return allowReaderChange_; }
    void setAllowReaderChange(bool allow) { allowReaderChange_ = allow; }
    const TarvelloSDK::Completion& completion() const { return completion_; }
    void setCompletion(TarvelloSDK::Completion completion) { completion_ = std::move(completion); }

    // Presents the settings over the host's widget.
    void startInViewController(QWidget* viewController);

private:
    bool allowPictureChange_ = false;
    bool allowReaderChange_ = false;
    TarvelloSDK::Completion completion_;
};

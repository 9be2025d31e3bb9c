#pragma once

#include "SDK/SDKAPI.h"

#include <QImage>

// Replaces the merchant's logo (a null image removes it).
class SDKChangePictureAPI : public SDKAPI {
public:
    QImage image() const { return image_; }
    void setImage(const QImage& image) { image_ = image; }

    void changeMerchantLogo(const QImage& image, TarvelloSDK::Completion completion);

private:
    QImage image_;
};

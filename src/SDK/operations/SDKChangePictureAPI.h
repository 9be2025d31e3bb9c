#pragma once

#include "SDK/operations/SDKAPI.h"

#include <QImage>

// Replaces the merchant's logo (a null image removes it).
class SDKChangePictureAPI : public SDKAPI {
public:
    QImage image() const { return image_; }
    void setImage(const QImage& image) { image_ = image; }

    void changeMerchantLogo(const QImage& image, TarvelloSDK::Completion completion);

    bool
    apiDidFinishDownloadingWithDictionary(int functionName,
                                          const std::optional<QVariantMap>& dictionary) override;

private:
    QImage image_;
};

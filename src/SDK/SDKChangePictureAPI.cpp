#include "SDK/SDKChangePictureAPI.h"

void SDKChangePictureAPI::changeMerchantLogo(const QImage& image,
                                             TarvelloSDK::Completion completion) {
    setCompletion(std::move(completion));
    image_ = image;
    loginThenDo([] {});
}

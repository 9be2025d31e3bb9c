#include "SDK/operations/SDKChangePictureAPI.h"

#include "SDK/session/User.h"
#include "api/APIController.h"
#include "platform/core/SafeDictionary.h"

void SDKChangePictureAPI::changeMerchantLogo(const QImage& image,
                                             TarvelloSDK::Completion completion) {
    setCompletion(std::move(completion));
    loginThenDo([this, image] {
        const User& user = User::instance();
        image_ = image;
        newClient()->updateUserPicture(image, user.userId(), user.token());
    });
}

bool SDKChangePictureAPI::apiDidFinishDownloadingWithDictionary(
    int /*functionName*/, const std::optional<QVariantMap>& dictionary) {
    const QVariantMap answer = dictionary.value_or(QVariantMap());
    if (!isOK(answer)) {
        finishWithRefusal(answer.value(QStringLiteral("response")));
        return true;
    }
    QString url;
    if (SafeDictionary::hasKey(answer, QStringLiteral("profileImageUrl")))
        url = SafeDictionary::safeObjectForKey(answer, QStringLiteral("profileImageUrl"));
    User::instance().changePicture(image_, url);
    finish(QVariantMap(), true);
    return true;
}

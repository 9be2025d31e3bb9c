#include "SDK/SDKChangePictureAPI.h"

#include "SDK/User.h"
#include "api/APIController.h"
#include "platform/core/UserDefaults.h"
#include "ui_kit/Extensions/SafeDictionary.h"

namespace {

// The user's picture and its address are replaced, and the stored login answer follows.
void changePicture(const QImage& image, const QString& url) {
    User& user = User::instance();
    user.setImage(image);
    user.setImageURL(url);
    UserDefaults& store = UserDefaults::standardUserDefaults();
    const QString key = QStringLiteral("lastUser");
    if (store.hasKey(key)) {
        QVariantMap answer = LoginHelper::decodeAnswer(store.objectForKey(key).toByteArray());
        answer.insert(QStringLiteral("profileImageUrl"), url);
        store.setObject(LoginHelper::encodeAnswer(answer), key);
        store.synchronize();
    }
}

} // namespace

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
    changePicture(image_, url);
    finish(QVariantMap(), true);
    return true;
}

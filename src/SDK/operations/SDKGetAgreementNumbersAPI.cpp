#include "SDK/operations/SDKGetAgreementNumbersAPI.h"

#include "SDK/session/User.h"
#include "api/APIController.h"
#include "platform/core/Values.h"

void SDKGetAgreementNumbersAPI::getAgreementNumbers(TarvelloSDK::Completion completion) {
    setCompletion(std::move(completion));
    loginThenDo([this] { newClient()->getAgreementNumbersForToken(User::instance().token()); });
}

bool SDKGetAgreementNumbersAPI::apiDidFinishDownloadingWithDictionary(
    int /*functionName*/, const std::optional<QVariantMap>& dictionary) {
    const QVariantMap answer = dictionary.value_or(QVariantMap());
    if (!isOK(answer)) {
        finishWithRefusal(answer.value(QStringLiteral("response")));
        return true;
    }
    // An answer without numbers gives an empty list.
    QVariant data = answer.value(QStringLiteral("data"));
    if (!data.isValid() || Values::isJsonNull(data))
        data = QVariantList();
    finish(QVariantMap{{QStringLiteral("agreements"), data}}, true);
    return true;
}

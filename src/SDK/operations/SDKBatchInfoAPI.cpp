#include "SDK/operations/SDKBatchInfoAPI.h"

#include "SDK/session/User.h"
#include "api/APIController.h"

void SDKBatchInfoAPI::getBatchInformation(TarvelloSDK::Completion completion) {
    setCompletion(std::move(completion));
    loginThenDo([this] {
        const User& user = User::instance();
        newClient()->getBatchforUserId(user.userId(), user.token());
    });
}

bool SDKBatchInfoAPI::apiDidFinishDownloadingWithDictionary(
    int /*functionName*/, const std::optional<QVariantMap>& dictionary) {
    finishWithBatches(dictionary);
    return true;
}

#include "SDK/operations/SDKCloseBatchAPI.h"

#include "SDK/session/User.h"
#include "api/APIController.h"

void SDKCloseBatchAPI::closeBatchWithInstallmentId(const QString& batchId,
                                                   TarvelloSDK::Completion completion) {
    setCompletion(std::move(completion));
    loginThenDo([this, batchId] {
        const User& user = User::instance();
        newClient()->closeBatchWithInstallmentId(batchId, user.userId(), user.token());
    });
}

bool SDKCloseBatchAPI::apiDidFinishDownloadingWithDictionary(
    int /*functionName*/, const std::optional<QVariantMap>& dictionary) {
    finishWithBatches(dictionary);
    return true;
}

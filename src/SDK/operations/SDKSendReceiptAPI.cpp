#include "SDK/operations/SDKSendReceiptAPI.h"

#include "SDK/session/User.h"
#include "api/APIController.h"

void SDKSendReceiptAPI::sendReceiptForOperationID(const QString& operationId, const QString& email,
                                                  TarvelloSDK::Completion completion) {
    setCompletion(std::move(completion));
    loginThenDo([this, operationId, email] {
        const User& user = User::instance();
        newClient()->sendInvoiceForSaleId(operationId, email, user.userId(), user.token(), false);
    });
}

bool SDKSendReceiptAPI::apiDidFinishDownloadingWithDictionary(
    int /*functionName*/, const std::optional<QVariantMap>& dictionary) {
    const QVariantMap answer = dictionary.value_or(QVariantMap());
    if (isOK(answer))
        finish(answer, true);
    else
        finishWithRefusal(answer.value(QStringLiteral("response")));
    return true;
}

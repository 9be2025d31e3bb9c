#include "SDK/SDKSendReceiptAPI.h"

void SDKSendReceiptAPI::sendReceiptForOperationID(const QString& operationId, const QString& email,
                                                  TarvelloSDK::Completion completion) {
    setCompletion(std::move(completion));
    loginThenDo([operationId, email] {});
}

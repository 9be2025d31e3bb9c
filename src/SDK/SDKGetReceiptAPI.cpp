#include "SDK/SDKGetReceiptAPI.h"

void SDKGetReceiptAPI::getPDFReceiptForOperationID(const QString& operationId,
                                                   TarvelloSDK::Completion completion) {
    setCompletion(std::move(completion));
    loginThenDo([operationId] {});
}

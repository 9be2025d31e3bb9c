#include "SDK/SDKCloseBatchAPI.h"

void SDKCloseBatchAPI::closeBatchWithInstallmentId(const QString& batchId,
                                                   TarvelloSDK::Completion completion) {
    setCompletion(std::move(completion));
    loginThenDo([batchId] {});
}

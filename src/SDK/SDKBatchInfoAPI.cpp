#include "SDK/SDKBatchInfoAPI.h"

void SDKBatchInfoAPI::getBatchInformation(TarvelloSDK::Completion completion) {
    setCompletion(std::move(completion));
    loginThenDo([] {});
}

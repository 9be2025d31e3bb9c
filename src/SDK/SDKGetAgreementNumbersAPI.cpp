#include "SDK/SDKGetAgreementNumbersAPI.h"

void SDKGetAgreementNumbersAPI::getAgreementNumbers(TarvelloSDK::Completion completion) {
    setCompletion(std::move(completion));
    loginThenDo([] {});
}

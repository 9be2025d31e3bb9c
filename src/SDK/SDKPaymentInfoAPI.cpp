#include "SDK/SDKPaymentInfoAPI.h"

#include "platform/core/Values.h"

void SDKPaymentInfoAPI::getPaymentInfoForOperationID(const QString& operationId,
                                                     TarvelloSDK::Completion completion) {
    setCompletion(std::move(completion));
    operationId_ = Values::lenientInteger(operationId);
    loginThenDo([] {});
}

void SDKPaymentInfoAPI::getPaymentInfoForReference(const QString& reference,
                                                   TarvelloSDK::Completion completion) {
    setCompletion(std::move(completion));
    reference_ = reference;
    loginThenDo([] {});
}

#include "SDK/facade/TarvelloSDKHandOver.h"

#include "SDK/login/LoginHelper.h"
#include "SDK/operations/SDKBatchInfoAPI.h"
#include "SDK/operations/SDKChangePictureAPI.h"
#include "SDK/operations/SDKCloseBatchAPI.h"
#include "SDK/operations/SDKGetAgreementNumbersAPI.h"
#include "SDK/operations/SDKGetReceiptAPI.h"
#include "SDK/operations/SDKPaymentInfoAPI.h"
#include "SDK/operations/SDKSendReceiptAPI.h"
#include "SDK/presenters/PaymentSDK.h"
#include "SDK/presenters/SDKConfigurationPresenter.h"
#include "SDK/presenters/SDKRefundPresenter.h"

namespace {

std::unique_ptr<TarvelloSDKHandOver>& installed() {
    static std::unique_ptr<TarvelloSDKHandOver> handOver;
    return handOver;
}

// Each operation's request object, started with the operation's arguments. The object keeps
// itself alive until its completion has run.
using namespace ScreenlessOperations;
using Completion = TarvelloSDK::Completion;

void start(const SendReceiptForOperationID& o, Completion c) {
    std::make_shared<SDKSendReceiptAPI>()->sendReceiptForOperationID(o.operationId, o.email,
                                                                     std::move(c));
}
void start(const GetPDFReceiptForOperationID& o, Completion c) {
    std::make_shared<SDKGetReceiptAPI>()->getPDFReceiptForOperationID(o.operationId, std::move(c));
}
void start(const GetPaymentInfoForOperationID& o, Completion c) {
    std::make_shared<SDKPaymentInfoAPI>()->getPaymentInfoForOperationID(o.operationId,
                                                                        std::move(c));
}
void start(const GetPaymentInfoForReference& o, Completion c) {
    std::make_shared<SDKPaymentInfoAPI>()->getPaymentInfoForReference(o.reference, std::move(c));
}
void start(const GetAgreementNumbers&, Completion c) {
    std::make_shared<SDKGetAgreementNumbersAPI>()->getAgreementNumbers(std::move(c));
}
void start(const ChangeMerchantLogo& o, Completion c) {
    std::make_shared<SDKChangePictureAPI>()->changeMerchantLogo(o.image, std::move(c));
}
void start(const GetBatchInformation&, Completion c) {
    std::make_shared<SDKBatchInfoAPI>()->getBatchInformation(std::move(c));
}
void start(const CloseBatchWithInstallmentId& o, Completion c) {
    std::make_shared<SDKCloseBatchAPI>()->closeBatchWithInstallmentId(o.batchId, std::move(c));
}

} // namespace

TarvelloSDKHandOver::~TarvelloSDKHandOver() = default;

TarvelloSDKHandOver& TarvelloSDKHandOver::current() {
    static TarvelloSDKHandOver standard;
    return installed() ? *installed() : standard;
}

void TarvelloSDKHandOver::install(std::unique_ptr<TarvelloSDKHandOver> handOver) {
    installed() = std::move(handOver);
}

void TarvelloSDKHandOver::startPayment(const std::shared_ptr<PaymentSDK>& payment,
                                       QWidget* viewController) {
    payment->startInViewController(viewController);
}

void TarvelloSDKHandOver::startRefund(const std::shared_ptr<SDKRefundPresenter>& presenter,
                                      QWidget* viewController) {
    presenter->startInViewController(viewController);
}

void TarvelloSDKHandOver::startSettings(const std::shared_ptr<SDKConfigurationPresenter>& presenter,
                                        QWidget* viewController) {
    presenter->startInViewController(viewController);
}

void TarvelloSDKHandOver::startOperation(const ScreenlessOperation& operation,
                                         TarvelloSDK::Completion completion) {
    std::visit([&completion](const auto& o) { start(o, std::move(completion)); }, operation);
}

void TarvelloSDKHandOver::logout() {
    LoginHelper().logout();
}

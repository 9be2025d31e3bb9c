#include "SDK/facade/TarvelloSDKHandOver.h"

#include "SDK/login/LoginHelper.h"
#include "SDK/operations/SDKAPI.h"
#include "SDK/presenters/PaymentSDK.h"
#include "SDK/presenters/SDKConfigurationPresenter.h"
#include "SDK/presenters/SDKRefundPresenter.h"

namespace {
std::unique_ptr<TarvelloSDKHandOver>& installed() {
    static std::unique_ptr<TarvelloSDKHandOver> handOver;
    return handOver;
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

void TarvelloSDKHandOver::startRequest(const std::shared_ptr<SDKAPI>& /*request*/,
                                       const QString& /*operation*/,
                                       const QVariantList& /*arguments*/,
                                       const std::function<void()>& start) {
    start();
}

void TarvelloSDKHandOver::logout() {
    LoginHelper().logout();
}

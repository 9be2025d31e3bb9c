#include "SDK/SDKRefundPresenter.h"

std::shared_ptr<SDKRefundPresenter>
SDKRefundPresenter::initWithSaleIdAskForAmount(qint64 saleId, bool askForAmount,
                                               TarvelloSDK::Completion completion) {
    auto presenter = std::make_shared<SDKRefundPresenter>();
    presenter->saleId_ = saleId;
    presenter->askForAmount_ = askForAmount;
    presenter->amount_ = 0.0;
    presenter->completion_ = std::move(completion);
    return presenter;
}

std::shared_ptr<SDKRefundPresenter>
SDKRefundPresenter::initWithSaleIdAmount(qint64 saleId, double amount,
                                         TarvelloSDK::Completion completion) {
    auto presenter = std::make_shared<SDKRefundPresenter>();
    presenter->saleId_ = saleId;
    presenter->askForAmount_ = false;
    presenter->amount_ = amount;
    presenter->completion_ = std::move(completion);
    return presenter;
}

SDKRefundPresenter::SDKRefundPresenter() = default;
SDKRefundPresenter::~SDKRefundPresenter() = default;

void SDKRefundPresenter::startInViewController(QWidget* /*viewController*/) {
    // The refund screens are not in this build yet: the flow ends at once.
    if (completion_)
        completion_(
            TarvelloError{TarvelloError::sdkDomain, 0, QStringLiteral("Not available yet"), nullptr}
                .toResult(),
            false);
}

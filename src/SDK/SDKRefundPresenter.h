#pragma once

#include <TarvelloSDK/TarvelloSDK.h>

#include <QtGlobal>
#include <memory>

class QWidget;

// Runs the host's refund or void of an earlier operation as a modal flow: looks the operation
// up, then voids it or refunds it; the end of the flow becomes the host's completion.
// Made with one of the two factories; it keeps itself alive while its flow runs.
class SDKRefundPresenter : public std::enable_shared_from_this<SDKRefundPresenter> {
public:
    // A refund that asks for its amount when askForAmount is set (else the whole amount).
    static std::shared_ptr<SDKRefundPresenter>
    initWithSaleIdAskForAmount(qint64 saleId, bool askForAmount,
                               TarvelloSDK::Completion completion);
    // A refund of a fixed amount (0: the whole remaining amount).
    static std::shared_ptr<SDKRefundPresenter>
    initWithSaleIdAmount(qint64 saleId, double amount, TarvelloSDK::Completion completion);

    SDKRefundPresenter();
    virtual ~SDKRefundPresenter();

    qint64 saleId() const { return saleId_; }
    void setSaleId(qint64 saleId) { saleId_ = saleId; }
    bool askForAmount() const { return askForAmount_; }
    void setAskForAmount(bool askForAmount) { askForAmount_ = askForAmount; }
    double amount() const { return amount_; }
    void setAmount(double amount) { amount_ = amount; }
    const TarvelloSDK::Completion& completion() const { return completion_; }
    void setCompletion(TarvelloSDK::Completion completion) { completion_ = std::move(completion); }

    // Presents the flow over the host's widget.
    void startInViewController(QWidget* viewController);

private:
    qint64 saleId_ = 0;
    bool askForAmount_ = false;
    double amount_ = 0.0;
    TarvelloSDK::Completion completion_;
};

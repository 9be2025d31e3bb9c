#pragma once

#include "SDK/facade/ScreenlessOperation.h"

#include <TarvelloSDK/TarvelloSDK.h>

#include <memory>

class PaymentSDK;
class QWidget;
class SDKConfigurationPresenter;
class SDKRefundPresenter;

// Where the facade hands its operations over once it has checked them. The default starts the
// presenter it is given, makes and starts the request object of an operation without screens,
// and logs out through the session layer; tests and tools install their own to see what each
// operation hands over.
class TarvelloSDKHandOver {
public:
    virtual ~TarvelloSDKHandOver();

    // The hand-over in force.
    static TarvelloSDKHandOver& current();
    // Installs a hand-over; none restores the default.
    static void install(std::unique_ptr<TarvelloSDKHandOver> handOver);

    virtual void startPayment(const std::shared_ptr<PaymentSDK>& payment, QWidget* viewController);
    virtual void startRefund(const std::shared_ptr<SDKRefundPresenter>& presenter,
                             QWidget* viewController);
    virtual void startSettings(const std::shared_ptr<SDKConfigurationPresenter>& presenter,
                               QWidget* viewController);
    // An operation without screens: a new request object of its kind runs it, and its outcome
    // reaches the completion.
    virtual void startOperation(const ScreenlessOperation& operation,
                                TarvelloSDK::Completion completion);
    // Clears the merchant session.
    virtual void logout();
};

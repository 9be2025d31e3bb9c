#pragma once

#include <QString>
#include <QVariantList>
#include <functional>
#include <memory>

class PaymentSDK;
class QWidget;
class SDKAPI;
class SDKConfigurationPresenter;
class SDKRefundPresenter;

// Where the facade hands its operations over once it has checked them. The default starts the
// presenter or request object it is given and logs out through the session layer; tests and
// tools install their own to see what each operation hands over.
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
    // An operation without screens: the request object, the name of its start operation and
    // the arguments given to it; start() calls that operation.
    virtual void startRequest(const std::shared_ptr<SDKAPI>& request, const QString& operation,
                              const QVariantList& arguments, const std::function<void()>& start);
    // Clears the merchant session.
    virtual void logout();
};

#pragma once

#include <TarvelloSDK/TarvelloSDK.h>

#include "SDK/facade/TarvelloSDKHandOver.h"
#include "SDK/presenters/PaymentSDK.h"
#include "SDK/presenters/SDKConfigurationPresenter.h"
#include "SDK/presenters/SDKRefundPresenter.h"
#include "SDK/session/User.h"
#include "support/TestSupport.h"

#include <optional>

// Keeps what the facade hands over instead of starting it; logout clears the session as usual.
class RecordingHandOver : public TarvelloSDKHandOver {
public:
    std::shared_ptr<PaymentSDK> payment;
    std::shared_ptr<SDKRefundPresenter> refund;
    std::shared_ptr<SDKConfigurationPresenter> settings;
    std::optional<ScreenlessOperation> operation;
    QWidget* viewController = nullptr;
    int handOvers = 0;

    void startPayment(const std::shared_ptr<PaymentSDK>& p, QWidget* vc) override {
        payment = p;
        viewController = vc;
        ++handOvers;
    }
    void startRefund(const std::shared_ptr<SDKRefundPresenter>& p, QWidget* vc) override {
        refund = p;
        viewController = vc;
        ++handOvers;
    }
    void startSettings(const std::shared_ptr<SDKConfigurationPresenter>& p, QWidget* vc) override {
        settings = p;
        viewController = vc;
        ++handOvers;
    }
    void startOperation(const ScreenlessOperation& o, TarvelloSDK::Completion) override {
        operation = o;
        ++handOvers;
    }
};

// The facade back at its creation values, a fresh defaults store, no session, and a recording
// hand-over; `handOver` reads what the facade handed over.
class FacadeTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto recorder = std::make_unique<RecordingHandOver>();
        handOver = recorder.get();
        TarvelloSDKHandOver::install(std::move(recorder));
        User::instance().reset();
        resetFacade();
    }
    void TearDown() override {
        resetFacade();
        User::instance().reset();
        TarvelloSDKHandOver::install(nullptr);
    }

    static void resetFacade() {
        TarvelloSDK& sdk = TarvelloSDK::sharedSDK();
        if (sdk.enforcedDomain())
            sdk.setEnforcedDomain(std::nullopt);
        sdk.setEnforcedUserAccount(std::nullopt);
        sdk.startWithAPIKey(QString("key"));
        sdk.setUserToken(QString("token"));
        sdk.setRetryOnDenied(false);
        sdk.setApiKey(std::nullopt);
        sdk.setUserToken(std::nullopt);
        sdk.setMainColor(std::nullopt);
    }

    static void start() {
        TarvelloSDK::sharedSDK().startWithAPIKey(QString("key"));
        TarvelloSDK::sharedSDK().setUserToken(QString("token"));
    }

    static void logIn(const QString& email) {
        User::instance().setIsLoggedIn(true);
        User::instance().setEmailAddress(email);
    }

    TemporaryDefaults defaults;
    RecordingHandOver* handOver = nullptr;
};

// What a completion received.
struct Outcome {
    bool called = false;
    QVariantMap result;
    bool success = false;

    TarvelloSDK::Completion completion() {
        return [this](const QVariantMap& r, bool s) {
            called = true;
            result = r;
            success = s;
        };
    }
    qint64 errorCode() const { return result.value("error").value<TarvelloError>().code; }
    TarvelloError error() const { return result.value("error").value<TarvelloError>(); }
};

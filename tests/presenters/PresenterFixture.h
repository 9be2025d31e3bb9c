#pragma once

#include "SDK/facade/TarvelloSDKHandOver.h"
#include "SDK/presenters/PaymentSDK.h"
#include "SDK/presenters/SDKConfigurationPresenter.h"
#include "SDK/presenters/SDKRefundPresenter.h"
#include "SDK/presenters/SDKViewControllerPresenter.h"
#include "SDK/session/AccountSettings.h"
#include "SDK/session/User.h"
#include "api/APIConfiguration.h"
#include "model/Sale.h"
#include "platform/core/ServiceRegistry.h"
#include "platform/ui/Clock.h"
#include "platform/ui/FlowEnd.h"
#include "platform/ui/Storyboard.h"
#include "platform/ui/Window.h"
#include "support/ClockTestSupport.h"
#include "support/SandboxFixture.h"
#include "support/TestSupport.h"
#include "ui_kit/CustomActivityView/ActivityIndicator.h"

#include <TarvelloSDK/TarvelloSDK.h>

#include <QElapsedTimer>
#include <QPointer>
#include <gtest/gtest.h>

// A screen the flows open; it keeps what it was handed.
class StandInScreen : public ViewController, public SaleReceiver {
public:
    explicit StandInScreen(QString name)
        : name_(std::move(name)) {
        setObjectName(name_);
    }
    void setSale(std::shared_ptr<Sale> sale) override { sale_ = std::move(sale); }
    std::shared_ptr<Sale> sale() const { return sale_; }
    QString name() const { return name_; }

private:
    QString name_;
    std::shared_ptr<Sale> sale_;
};

// Every call of the host's completion.
struct HostCompletions {
    struct Call {
        QVariantMap result;
        bool success = false;
        bool sheetGone = false;
    };
    QList<Call> calls;
    Window* window = nullptr;

    TarvelloSDK::Completion completion() {
        return [this](const QVariantMap& result, bool success) {
            calls.append(
                {result, success, !window || window->presentedViewControllers().isEmpty()});
        };
    }
    int count() const { return int(calls.size()); }
    qint64 errorCode(int i = 0) const {
        return calls.value(i).result.value("error").value<TarvelloError>().code;
    }
    QString errorText(int i = 0) const {
        return calls.value(i).result.value("error").value<TarvelloError>().description;
    }
};

// Keeps a weak view of each presenter the facade hands over, then starts it as usual.
class WatchingHandOver : public TarvelloSDKHandOver {
public:
    std::weak_ptr<PaymentSDK>* payment = nullptr;
    std::weak_ptr<SDKRefundPresenter>* refund = nullptr;
    std::weak_ptr<SDKConfigurationPresenter>* settings = nullptr;
    void startPayment(const std::shared_ptr<PaymentSDK>& p, QWidget* host) override {
        if (payment)
            *payment = p;
        TarvelloSDKHandOver::startPayment(p, host);
    }
    void startRefund(const std::shared_ptr<SDKRefundPresenter>& p, QWidget* host) override {
        if (refund)
            *refund = p;
        TarvelloSDKHandOver::startRefund(p, host);
    }
    void startSettings(const std::shared_ptr<SDKConfigurationPresenter>& p,
                       QWidget* host) override {
        if (settings)
            *settings = p;
        TarvelloSDKHandOver::startSettings(p, host);
    }
};

// The host application: a window, the facade started against the sandbox, stand-in screens
// for the flows, and a manual clock for the sheet's animations.
class PresenterFixture : public ::testing::Test {
protected:
    void SetUp() override {
        auto configuration = std::make_shared<APIConfiguration>();
        configuration->setBaseURL(sandbox.baseUrl());
        configuration->addTrustedCAFile(sandbox.caFile());
        Services::set<APIConfiguration>(configuration);
        TarvelloSDK::sharedSDK().startWithAPIKey(sandbox.apiKey());
        TarvelloSDK::sharedSDK().setUserToken(sandbox.merchantToken());
        User::instance().reset();
        AccountSettings::instance().reset();
        host.resize(375, 667);
        host.show();
        window = Window::forWidget(&host);
        completions.window = window;
        for (const auto& [storyboard, identifier] : screens())
            Storyboard::registerViewController(
                storyboard, identifier, [identifier] { return new StandInScreen(identifier); });
        auto handOver = std::make_unique<WatchingHandOver>();
        handOver->payment = &payment;
        handOver->refund = &refund;
        handOver->settings = &settings;
        TarvelloSDKHandOver::install(std::move(handOver));
    }

    void TearDown() override {
        TarvelloSDKHandOver::install(nullptr);
        SessionCheck::setStarter(nullptr);
        for (const auto& [storyboard, identifier] : screens())
            Storyboard::removeViewController(storyboard, identifier);
        while (!window->presentedViewControllers().isEmpty())
            window->rootViewController()->dismissViewControllerAnimated(false);
        settle();
        User::instance().reset();
        AccountSettings::instance().reset();
        Services::set<APIConfiguration>(nullptr);
    }

    static QList<std::pair<QString, QString>> screens() {
        return {{"Payment", "PickPaymentMethod"},
                {"Payment", "Device"},
                {"History", "Refund"},
                {"Configuration", "ConfigurationMain"}};
    }

    void logIn() {
        User::instance().setIsLoggedIn(true);
        SandboxUser* merchant = sandbox.state().userForToken(sandbox.merchantToken());
        User::instance().setUserId(merchant ? QString::number(merchant->userId) : QString("7"));
        User::instance().setToken(sandbox.merchantToken());
    }

    // Session checks wait for the test to answer them, as the back end would.
    LoginHelper** holdSessionChecks() {
        SessionCheck::setStarter([this](LoginHelper* helper) { pendingCheck = helper; });
        return &pendingCheck;
    }

    // Runs the event loop and the clock until the condition holds (or about ten seconds pass).
    bool waitFor(const std::function<bool()>& condition) {
        return waitOnClock(clock.clock(), condition);
    }

    // Lets every animation and deferred deletion finish.
    void settle() { settleTransitions(clock.clock(), 10); }

    ViewController* sheet() const {
        const auto stack = window->presentedViewControllers();
        return stack.isEmpty() ? nullptr : stack.first();
    }
    StandInScreen* shownScreen() const {
        auto* nav = qobject_cast<NavigationController*>(sheet());
        return nav ? dynamic_cast<StandInScreen*>(nav->topViewController()) : nullptr;
    }

    ScopedManualClock clock;
    TemporaryDefaults defaults;
    SandboxFixture sandbox;
    QWidget host;
    Window* window = nullptr;
    HostCompletions completions;
    LoginHelper* pendingCheck = nullptr;
    std::weak_ptr<PaymentSDK> payment;
    std::weak_ptr<SDKRefundPresenter> refund;
    std::weak_ptr<SDKConfigurationPresenter> settings;
};

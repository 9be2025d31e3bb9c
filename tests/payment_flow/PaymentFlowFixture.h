#pragma once

#include "SDK/session/AccountSettings.h"
#include "SDK/session/User.h"
#include "api/APIConfiguration.h"
#include "model/AvailableCreditCards.h"
#include "model/Sale.h"
#include "model/values/Currency.h"
#include "payment/flow/PaymentFlowScreens.h"
#include "payment/flow/PaymentMethodCell.h"
#include "payment/flow/PickPaymentMethodController.h"
#include "platform/core/ServiceRegistry.h"
#include "platform/ui/Clock.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/FlowEnd.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/Storyboard.h"
#include "platform/ui/Window.h"
#include "reader/simulated/SimulatedReader.h"
#include "support/ClockTestSupport.h"
#include "support/SandboxBackEnd.h"
#include "support/SandboxFixture.h"
#include "support/TestSupport.h"

#include <TarvelloSDK/TarvelloSDK.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QPointer>
#include <gtest/gtest.h>

// A screen this area leads to but does not build here; it keeps what it was handed.
class FlowStandIn : public ViewController, public SaleReceiver {
    Q_OBJECT
public:
    explicit FlowStandIn(QString name)
        : name_(std::move(name)) {
        setObjectName(name_);
    }
    void setSale(std::shared_ptr<Sale> sale) override { sale_ = std::move(sale); }
    QString name() const { return name_; }
    QVariantList dataSource;
public slots:
    void setupDataSourceFromArray(const QVariantList& list) { dataSource = list; }

private:
    QString name_;
    std::shared_ptr<Sale> sale_;
};

// The host's completions of one test.
struct FlowCompletions {
    struct Call {
        QVariantMap result;
        bool success = false;
    };
    QList<Call> calls;
    TarvelloSDK::Completion completion() {
        return [this](const QVariantMap& result, bool success) { calls.append({result, success}); };
    }
};

inline QString flowScreenshotPath(const QString& name) {
    return areaScreenshotPath(QStringLiteral("payment_flow"), name);
}

// A host window, the facade started against the sandbox with a logged-in merchant, stand-ins
// for the card-reading and installments screens, a manual clock, the phone idiom.
class PaymentFlowTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(useSandboxBackEnd(sandbox));
        TarvelloSDK::sharedSDK().startWithAPIKey(sandbox.apiKey());
        TarvelloSDK::sharedSDK().setUserToken(sandbox.merchantToken());
        User::instance().reset();
        AccountSettings::instance().reset();
        Currency::instance()->reset();
        Device::current().setIdiom(Device::Idiom::Phone);
        PaymentFlowScreens::registerScreens();
        for (const auto& [storyboard, identifier] : standIns_)
            Storyboard::registerViewController(
                storyboard, identifier, [identifier] { return new FlowStandIn(identifier); });
        User::instance().setIsLoggedIn(true);
        SandboxUser* merchant = sandbox.state().userForToken(sandbox.merchantToken());
        User::instance().setUserId(merchant ? QString::number(merchant->userId) : QString("7"));
        User::instance().setToken(sandbox.merchantToken());
        host.resize(375, 667);
        host.show();
        window = Window::forWidget(&host);
    }

    void TearDown() override {
        for (const auto& [storyboard, identifier] : standIns_)
            Storyboard::removeViewController(storyboard, identifier);
        while (!window->presentedViewControllers().isEmpty())
            window->rootViewController()->dismissViewControllerAnimated(false);
        settle();
        Sale::sharedSale().cleanSale();
        User::instance().reset();
        AccountSettings::instance().reset();
        Services::set<APIConfiguration>(nullptr);
    }

    // The screens that stand in for the next steps; a test of the installments screens keeps
    // only the card-reading one.
    QList<std::pair<QString, QString>> standIns_{{"Payment", "Device"},
                                                 {"Payment", "InstallmentsPicker"},
                                                 {"Installments", "InstallmentsViewController"}};

    // Starts a charge of the amount and waits for the method list.
    PickPaymentMethodController* charge(double amount) {
        TarvelloSDK::sharedSDK().chargeAmount(amount, &host, completions.completion());
        settle();
        auto* screen = pickScreen();
        if (screen)
            waitFor([&] { return !screen->isDisplayingActivityIndicator(); });
        settle();
        return screen;
    }

    NavigationController* sheet() const {
        const auto stack = window->presentedViewControllers();
        return stack.isEmpty() ? nullptr : qobject_cast<NavigationController*>(stack.first());
    }
    PickPaymentMethodController* pickScreen() const {
        NavigationController* nav = sheet();
        return nav && !nav->viewControllers().isEmpty()
                   ? qobject_cast<PickPaymentMethodController*>(nav->viewControllers().first())
                   : nullptr;
    }
    FlowStandIn* shownStandIn() const {
        NavigationController* nav = sheet();
        return nav ? dynamic_cast<FlowStandIn*>(nav->topViewController()) : nullptr;
    }
    static SystemAlert* shownAlert(ViewController* screen) {
        ViewController* top = screen;
        while (top->presentedViewController())
            top = top->presentedViewController();
        return qobject_cast<SystemAlert*>(top);
    }

    // The titles of the method rows, as shown.
    static QStringList rowTitles(PickPaymentMethodController* screen) {
        QStringList titles;
        auto* table = screen->outlet<TableView>("paymentMethodsTable");
        for (int row = 0; row < table->numberOfRowsInSection(0); ++row)
            if (auto* cell =
                    qobject_cast<PaymentMethodCell*>(table->cellForRowAtIndexPath({0, row})))
                titles << cell->creditCardTitle()->text();
        return titles;
    }
    static bool tapRow(PickPaymentMethodController* screen, const QString& title) {
        const int row = int(rowTitles(screen).indexOf(title));
        if (row < 0)
            return false;
        screen->outlet<TableView>("paymentMethodsTable")->tapRowAtIndexPath({0, row});
        return true;
    }

    bool waitFor(const std::function<bool()>& condition) {
        return waitOnClock(clock.clock(), condition);
    }

    void settle() { settleTransitions(clock.clock(), 10); }

    ScopedManualClock clock;
    TemporaryDefaults defaults;
    SandboxFixture sandbox;
    QWidget host;
    Window* window = nullptr;
    FlowCompletions completions;
};

// The flow through the SDK's own screens only: no stand-ins, a simulated reader, and a merchant
// session long enough for a key (card fields are encrypted with the session token).
class OwnScreensFlowTest : public PaymentFlowTest {
protected:
    OwnScreensFlowTest() { standIns_.clear(); }

    void SetUp() override {
        PaymentFlowTest::SetUp();
        SandboxUser* merchant = sandbox.state().userForToken(sandbox.merchantToken());
        ASSERT_NE(merchant, nullptr);
        const QString token = sandbox.state().issueToken(merchant->userId);
        TarvelloSDK::sharedSDK().setUserToken(token);
        User::instance().setToken(token);
        reader = SimulatedReader::withDefaultReaders();
        Services::set<ReaderFactory>(reader);
    }
    void TearDown() override {
        PaymentFlowTest::TearDown();
        Services::set<ReaderFactory>(nullptr);
        reader.reset();
    }

    std::shared_ptr<SimulatedReader> reader;
};

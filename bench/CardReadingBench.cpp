#include "BenchSandbox.h"
#include "SDK/session/AccountSettings.h"
#include "SDK/session/User.h"
#include "api/APIConfiguration.h"
#include "model/CreditCard.h"
#include "model/Sale.h"
#include "model/values/Amount.h"
#include "payment/card_reading/DeviceController.h"
#include "platform/core/ServiceRegistry.h"
#include "platform/core/UserDefaults.h"
#include "platform/ui/Clock.h"
#include "platform/ui/FlowEnd.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/Storyboard.h"
#include "platform/ui/Window.h"
#include "reader/simulated/CardProfile.h"
#include "reader/simulated/SimulatedReader.h"

#include "sandbox/SandboxServer.h"

#include <TarvelloSDK/TarvelloSDK.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <algorithm>
#include <benchmark/benchmark.h>

namespace {

// The flow's navigation: notes when the card-reading screen hands the sale over.
class HandOverNavigation : public NavigationController, public FlowEndDelegate {
public:
    using NavigationController::NavigationController;
    void paymentDone(std::shared_ptr<Sale>) override { handedOver = true; }
    void operationDone(std::shared_ptr<Sale>) override { handedOver = true; }
    void canceled(std::optional<TarvelloError>) override { canceledFlow = true; }
    bool handedOver = false;
    bool canceledFlow = false;
};

// The longest stretch the main thread spent between two dispatched events (or between the
// driver's own turns): an upper bound of the longest single event.
class BusyWatch : public QObject {
public:
    BusyWatch() {
        timer_.start();
        QCoreApplication::instance()->installEventFilter(this);
    }
    ~BusyWatch() override { QCoreApplication::instance()->removeEventFilter(this); }
    void mark() {
        const qint64 now = timer_.nsecsElapsed();
        longestNs = std::max(longestNs, now - last_);
        last_ = now;
    }
    bool eventFilter(QObject*, QEvent*) override {
        mark();
        return false;
    }
    qint64 longestNs = 0;

private:
    QElapsedTimer timer_;
    qint64 last_ = 0;
};

} // namespace

// A swiped card sale on the card-reading screen, from its appearance to the hand-over: reader
// discovery and connection, the swipe, the sale registered with the sandbox on loopback, the
// status step, the approval overlay. The simulated reader's and the screen's delays run on a
// manual clock advanced as soon as the main thread is idle, so no time is added; the sandbox
// serves on the main thread too. Counters: longest main-thread event, in milliseconds.
static void BM_SwipedSaleToHandOver(benchmark::State& state) {
    QTemporaryDir dir;
    Services::set(std::make_shared<UserDefaults>(dir.path()));
    SandboxServer sandbox;
    if (!startBenchSandbox(state, sandbox, dir.path()))
        return;
    auto clock = std::make_shared<ManualClock>();
    Services::set<Clock>(clock);
    TarvelloSDK::sharedSDK().startWithAPIKey(sandbox.state().defaultApiKey());
    TarvelloSDK::sharedSDK().setUserToken(sandbox.state().defaultToken());
    User::instance().setIsLoggedIn(true);
    User::instance().setUserId(QStringLiteral("17"));
    User::instance().setToken(sandbox.state().issueToken(17));
    AccountSettings::instance().setSignatureLimitAmount(100000);
    AccountSettings::instance().setSignatureLimitCurrencyCode(QStringLiteral("032"));
    Storyboard::hasViewController(QStringLiteral("Payment"), QStringLiteral("Device"));

    qint64 longestNs = 0;
    for (auto _ : state) {
        auto world = SimulatedReader::withDefaultReaders();
        world->setDefaultCard(CardProfile::named(QStringLiteral("swipe")));
        Services::set<ReaderFactory>(world);
        auto sale = Sale::init();
        sale->setSubtotal(Amount::initWithDouble(45));
        sale->setCurrencyCode(QStringLiteral("032"));
        sale->setCreditCard(std::make_shared<CreditCard>());
        sale->setPaidWithCreditCard(true);

        BusyWatch watch;
        auto* navigation = new HandOverNavigation(new ViewController());
        auto* window = new Window();
        window->setRootViewController(navigation);
        window->makeKeyAndVisible();
        auto* screen = new DeviceController();
        screen->setSale(sale);
        navigation->pushViewController(screen, false);
        QElapsedTimer limit;
        limit.start();
        while (!navigation->handedOver && !navigation->canceledFlow && limit.elapsed() < 20000) {
            watch.mark();
            QCoreApplication::processEvents(QEventLoop::AllEvents);
            world->flushFinders();
            watch.mark();
            clock->advance(10);
        }
        const bool handedOver = navigation->handedOver;
        longestNs = std::max(longestNs, watch.longestNs);

        state.PauseTiming();
        delete window;
        clock->runUntilIdle();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        Services::set<ReaderFactory>(nullptr);
        Sale::sharedSale().cleanSale();
        state.ResumeTiming();
        if (!handedOver) {
            state.SkipWithError("the swiped sale was not handed over");
            break;
        }
    }
    state.counters["longest_event_ms"] = double(longestNs) / 1e6;
    sandbox.stop();
    User::instance().reset();
    AccountSettings::instance().reset();
    Services::set<Clock>(nullptr);
    Services::set<APIConfiguration>(nullptr);
    Services::set<UserDefaults>(nullptr);
}
BENCHMARK(BM_SwipedSaleToHandOver)->Unit(benchmark::kMillisecond)->Iterations(5);

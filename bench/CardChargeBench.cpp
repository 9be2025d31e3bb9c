#include "BenchSandbox.h"
#include "SDK/session/AccountSettings.h"
#include "SDK/session/User.h"
#include "api/APIConfiguration.h"
#include "model/Sale.h"
#include "payment/flow/InstallmentsPickerController.h"
#include "payment/flow/PaymentMethodCell.h"
#include "payment/flow/PickPaymentMethodController.h"
#include "platform/core/ServiceRegistry.h"
#include "platform/core/UserDefaults.h"
#include "platform/ui/Clock.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/TableView.h"
#include "platform/ui/Window.h"
#include "reader/simulated/CardProfile.h"
#include "reader/simulated/SimulatedReader.h"

#include "sandbox/SandboxServer.h"

#include <TarvelloSDK/TarvelloSDK.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QLabel>
#include <QTemporaryDir>
#include <QThread>
#include <QWidget>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <ctime>

namespace {

// Runs the main thread's share of the charge and keeps what it cost: every pass of the event
// loop that delivered an event and every advance of the manual clock (its timers fire inside)
// is timed in the thread's processor time; their sum is the main thread's own work, the longest one
// its longest event. Passes that found nothing to do (the main thread waiting on the back end) do
// not count. Simulated time (animations, the reader's steps) costs nothing: the manual clock jumps
// over it.
class MainThreadMeter : public QObject {
public:
    explicit MainThreadMeter(ManualClock& clock)
        : clock_(clock) {
        QCoreApplication::instance()->installEventFilter(this);
    }
    ~MainThreadMeter() override { QCoreApplication::instance()->removeEventFilter(this); }

    // Runs until the condition holds; false after 20 s of real time.
    bool runUntil(const std::function<bool()>& condition) {
        QElapsedTimer limit;
        limit.start();
        while (!condition()) {
            if (limit.elapsed() > 20000)
                return false;
            timed([] { QCoreApplication::processEvents(QEventLoop::AllEvents); });
            timed([this] { clock_.advance(kStepMs); }, true);
        }
        return true;
    }
    void settle() {
        for (int i = 0; i < 10; ++i) {
            timed([this] { clock_.advance(ViewController::kTransitionMs); }, true);
            timed([] {
                QCoreApplication::processEvents();
                QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            });
        }
    }
    void reset() { busyNs_ = longestNs_ = 0; }
    qint64 busyNs() const { return busyNs_; }
    qint64 longestNs() const { return longestNs_; }

protected:
    bool eventFilter(QObject*, QEvent*) override {
        ++delivered_;
        return false;
    }

private:
    static constexpr int kStepMs = 20;
    // The main thread's processor time: what other work on the machine takes is not counted.
    static qint64 threadCpuNs() {
        timespec now{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
        return qint64(now.tv_sec) * 1000000000 + now.tv_nsec;
    }
    void timed(const std::function<void()>& work, bool always = false) {
        const qint64 before = delivered_;
        const qint64 start = threadCpuNs();
        work();
        const qint64 ns = threadCpuNs() - start;
        if (!always && delivered_ == before)
            return;
        busyNs_ += ns;
        longestNs_ = std::max(longestNs_, ns);
    }

    ManualClock& clock_;
    qint64 delivered_ = 0;
    qint64 busyNs_ = 0;
    qint64 longestNs_ = 0;
};

int rowTitled(PickPaymentMethodController* screen, const QString& title) {
    auto* table = screen->outlet<TableView>("paymentMethodsTable");
    for (int row = 0; table && row < table->numberOfRowsInSection(0); ++row)
        if (auto* cell = qobject_cast<PaymentMethodCell*>(table->cellForRowAtIndexPath({0, row})))
            if (cell->creditCardTitle()->text() == title)
                return row;
    return -1;
}

} // namespace

// A host's chip-and-PIN charge through the SDK's own screens, headless: the payment-method
// list, an institution, its plan picker, the card-reading screen with a simulated reader, the
// sandbox back end on its own thread over a real socket. Reported per charge: the wall time,
// the main thread's own work (time beyond the back end and the waits for the reader) and the
// longest main-thread event.
static void BM_HeadlessCardCharge(benchmark::State& state) {
    QTemporaryDir defaultsDir;
    QTemporaryDir certificates;
    Services::set(std::make_shared<UserDefaults>(defaultsDir.path()));
    ScopedManualClock clock;

    SandboxServer sandbox;
    if (!startBenchSandbox(state, sandbox, certificates.path()))
        return;
    SandboxUser* merchant = sandbox.state().userForToken(sandbox.state().defaultToken());
    if (!merchant) {
        state.SkipWithError("no merchant in the sandbox");
        return;
    }
    const QString userId = QString::number(merchant->userId);
    const QString token = sandbox.state().issueToken(merchant->userId);
    // The back end answers from its own thread: its work is not the main thread's.
    QThread backEnd;
    sandbox.moveToThread(&backEnd);
    backEnd.start();

    TarvelloSDK& sdk = TarvelloSDK::sharedSDK();
    sdk.startWithAPIKey(sandbox.state().defaultApiKey());
    sdk.setUserToken(token);
    User::instance().setIsLoggedIn(true);
    User::instance().setUserId(userId);
    User::instance().setToken(token);
    auto reader = SimulatedReader::withDefaultReaders();
    reader->setDefaultCard(CardProfile::named(QStringLiteral("chip-pin")));
    Services::set<ReaderFactory>(reader);

    QWidget host;
    host.resize(375, 667);
    host.show();
    Window* window = Window::forWidget(&host);
    MainThreadMeter meter(clock.clock());
    qint64 busyNs = 0, longestNs = 0, charges = 0;

    for (auto _ : state) {
        meter.reset();
        int completions = 0;
        bool approved = false;
        sdk.chargeAmount(90, &host, [&](const QVariantMap&, bool success) {
            ++completions;
            approved = success;
        });
        auto sheet = [window]() -> NavigationController* {
            const auto shown = window->presentedViewControllers();
            return shown.isEmpty() ? nullptr : qobject_cast<NavigationController*>(shown.first());
        };
        PickPaymentMethodController* methods = nullptr;
        int row = -1;
        const bool listed = meter.runUntil([&] {
            NavigationController* nav = sheet();
            methods =
                nav && !nav->viewControllers().isEmpty()
                    ? qobject_cast<PickPaymentMethodController*>(nav->viewControllers().first())
                    : nullptr;
            row = methods && !methods->isDisplayingActivityIndicator()
                      ? rowTitled(methods, QStringLiteral("Banco Sur"))
                      : -1;
            return row >= 0;
        });
        if (!listed) {
            state.SkipWithError("no payment methods");
            break;
        }
        methods->outlet<TableView>("paymentMethodsTable")->tapRowAtIndexPath({0, row});
        meter.settle();
        auto* picker = qobject_cast<InstallmentsPickerController*>(sheet()->topViewController());
        if (!picker) {
            state.SkipWithError("no plan picker");
            break;
        }
        picker->outlet<TableView>("tableView")->tapRowAtIndexPath({1, 0});
        if (!meter.runUntil([&] { return completions > 0; }) || !approved) {
            state.SkipWithError("the charge did not end approved");
            break;
        }
        meter.settle();
        busyNs += meter.busyNs();
        longestNs = std::max(longestNs, meter.longestNs());
        ++charges;
        Sale::sharedSale().cleanSale();
    }

    if (charges > 0) {
        state.counters["main_thread_ms"] = double(busyNs) / charges / 1e6;
        state.counters["longest_event_ms"] = double(longestNs) / 1e6;
    }
    while (!window->presentedViewControllers().isEmpty())
        window->rootViewController()->dismissViewControllerAnimated(false);
    meter.settle();
    QMetaObject::invokeMethod(
        &sandbox,
        [&sandbox] {
            sandbox.stop();
            sandbox.moveToThread(QCoreApplication::instance()->thread());
        },
        Qt::BlockingQueuedConnection);
    backEnd.quit();
    backEnd.wait();
    Sale::sharedSale().cleanSale();
    User::instance().reset();
    AccountSettings::instance().reset();
    Services::set<ReaderFactory>(nullptr);
    Services::set<APIConfiguration>(nullptr);
    Services::set<UserDefaults>(nullptr);
}
BENCHMARK(BM_HeadlessCardCharge)->Unit(benchmark::kMillisecond);

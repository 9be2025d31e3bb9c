#include "platform/core/ServiceRegistry.h"
#include "platform/core/UserDefaults.h"
#include "platform/ui/Clock.h"
#include "reader/DSpreadViewController.h"
#include "reader/simulated/SimulatedReader.h"
#include "reader/simulated/SimulatedReaderHost.h"
#include "reader/simulated/SimulatedReaderService.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

// One reader session from the screen's appearance to the reader waiting for a card: discovery
// of two simulated readers (one remembered), connection, reset, reader information and the
// card wait. Simulated time runs on a manual clock, so the figure is the session's own work.
static void BM_ReaderSessionDiscoveryToCardWait(benchmark::State& state) {
    QTemporaryDir defaultsDir;
    Services::set(std::make_shared<UserDefaults>(defaultsDir.path()));
    auto clock = std::make_shared<ManualClock>();
    Services::set<Clock>(clock);
    for (auto _ : state) {
        auto world = SimulatedReader::withDefaultReaders();
        Services::set<ReaderFactory>(world);
        UserDefaults::standardUserDefaults().setObject(QStringLiteral("MPOS-SIM-B"),
                                                       QStringLiteral("defaultPosBluetoothName"));
        SimulatedReaderHost host;
        DSpreadViewController controller(&host, false);
        controller.beginAppearanceTransition(true, false);
        controller.endAppearanceTransition();
        for (int step = 0; step < 200 && host.cardWaits == 0; ++step) {
            clock->advance(50);
            world->flushFinders();
            QCoreApplication::processEvents();
        }
        if (host.cardWaits == 0)
            state.SkipWithError("the reader never waited for a card");
        controller.setDelegate(nullptr);
        controller.cleanup();
        clock->runUntilIdle();
    }
    Services::set<ReaderFactory>(nullptr);
    Services::set<Clock>(nullptr);
    Services::set<UserDefaults>(nullptr);
}
BENCHMARK(BM_ReaderSessionDiscoveryToCardWait)->Unit(benchmark::kMillisecond);

#include "api/FunctionCode.h"
#include "payment/signature_receipts/SendReceiptListController.h"
#include "payment/signature_receipts/SignatureView.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <benchmark/benchmark.h>
#include <cmath>

namespace {

void padMouse(QWidget* pad, QEvent::Type type, const QPointF& at, ulong ms) {
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    const Qt::MouseButtons buttons =
        type == QEvent::MouseButtonRelease ? Qt::MouseButtons() : Qt::MouseButtons(Qt::LeftButton);
    QMouseEvent event(type, at, pad->mapToGlobal(at), button, buttons, Qt::NoModifier);
    event.setTimestamp(ms);
    QCoreApplication::sendEvent(pad, &event);
}

// Samples around a circle, 4.5 points apart: every segment costs the same to ink.
QPointF strokePoint(int i) {
    const double angle = i * 0.05;
    return {240 + 90 * std::cos(angle), 120 + 90 * std::sin(angle)};
}

// One new sample and the repaint it asks for, once the stroke holds range(0) samples, each
// painted as it came. The cost should not grow with the stroke: finished segments are baked into
// the cached bitmap once and a sample repaints only the area it changes.
void BM_SignatureRedrawAsStrokeGrows(benchmark::State& state) {
    SignatureView pad;
    pad.resize(480, 240);
    pad.setBackgroundColor(Qt::white);
    pad.show();
    QCoreApplication::processEvents();
    const int samples = int(state.range(0));
    ulong ms = 1000;
    int next = 0;
    auto startStroke = [&] {
        if (next > 0)
            padMouse(&pad, QEvent::MouseButtonRelease, strokePoint(next - 1), ms += 16);
        pad.cancelDrawing();
        next = 0;
        padMouse(&pad, QEvent::MouseButtonPress, strokePoint(next++), ms += 1000);
        while (next < samples) {
            padMouse(&pad, QEvent::MouseMove, strokePoint(next++), ms += 16);
            QCoreApplication::processEvents();
        }
    };
    startStroke();
    for (auto _ : state) {
        padMouse(&pad, QEvent::MouseMove, strokePoint(next++), ms += 16);
        QCoreApplication::processEvents();
        if (next >= samples + 50) {
            // Back to a stroke of the measured length.
            state.PauseTiming();
            startStroke();
            state.ResumeTiming();
        }
    }
}
BENCHMARK(BM_SignatureRedrawAsStrokeGrows)
    ->Arg(10)
    ->Arg(100)
    ->Arg(300)
    ->Unit(benchmark::kMicrosecond);

// One search keystroke over 5,000 buyers, the list shown again.
void BM_BuyerSearchKeystroke(benchmark::State& state) {
    QVariantList buyers;
    for (int i = 0; i < 5000; ++i)
        buyers << QVariantMap{
            {"buyerId", i},
            {"firstName", QStringLiteral("Nombre%1").arg(i)},
            {"lastName", QStringLiteral("Apellido%1").arg(i % 97)},
            {"fullName", QStringLiteral("Nombre%1 Apellido%2").arg(i).arg(i % 97)},
            {"email", QStringLiteral("cliente%1@correo.com").arg(i)}};
    SendReceiptListController list;
    list.loadViewIfNeeded();
    list.apiDidFinishDownloadingWithDictionary(FunctionCode::GetBuyers,
                                               QVariantMap{{"success", "OK"}, {"data", buyers}});
    const QStringList keystrokes{QStringLiteral("a"), QStringLiteral("ap"), QStringLiteral("ape"),
                                 QStringLiteral("apellido4")};
    int next = 0;
    for (auto _ : state) {
        list.searchBarTextDidChange(keystrokes[next++ % keystrokes.size()]);
        benchmark::DoNotOptimize(list.filteredTableData().size());
        state.PauseTiming();
        // The rows of the previous keystroke go as they would on the event loop.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_BuyerSearchKeystroke)->Unit(benchmark::kMicrosecond);

} // namespace

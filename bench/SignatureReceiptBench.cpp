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

QPointF strokePoint(int i, const QSizeF& size) {
    const double t = (i % 300) / 300.0;
    return {size.width() * (0.05 + 0.9 * t), size.height() * (0.5 - 0.35 * std::sin(t * 40.0))};
}

// One repaint of the pad after a stroke of range(0) samples: the cost should not grow with the
// stroke, finished segments being baked into the cached bitmap.
void BM_SignatureRedrawAsStrokeGrows(benchmark::State& state) {
    SignatureView pad;
    pad.resize(480, 240);
    const int samples = int(state.range(0));
    ulong ms = 1000;
    padMouse(&pad, QEvent::MouseButtonPress, strokePoint(0, pad.size()), ms);
    for (int i = 1; i < samples; ++i)
        padMouse(&pad, QEvent::MouseMove, strokePoint(i, pad.size()), ms += 16);
    QImage target(pad.size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        pad.render(&target);
        benchmark::DoNotOptimize(target.constBits());
    }
}
BENCHMARK(BM_SignatureRedrawAsStrokeGrows)->Arg(10)->Arg(100)->Arg(300);

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

#include <TarvelloSDK/TarvelloSDK.h>

#include "platform/core/VersionDispatch.h"

#include <benchmark/benchmark.h>

// A menu image as the screens load it, from the registered resource bundle.
static void BM_BundleLoadImage(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(Bundle::load("btn_menu_badge_2.png"));
}
BENCHMARK(BM_BundleLoadImage);

static void BM_SaleTotal(benchmark::State& state) {
    TQSale sale;
    for (int i = 0; i < state.range(0); ++i)
        sale.addItem(TQItem::itemWithProductQuantity(TQProduct("line", 1.25 * i), i % 7));
    for (auto _ : state)
        benchmark::DoNotOptimize(sale.total());
}
BENCHMARK(BM_SaleTotal)->Arg(1)->Arg(100);

// The facade's checks on a charge it refuses (BINs, start order, amount).
static void BM_ChargeChecks(benchmark::State& state) {
    TarvelloSDK& sdk = TarvelloSDK::sharedSDK();
    sdk.startWithAPIKey(QString("key"));
    sdk.setUserToken(QString("token"));
    const QStringList bins{"123456", "654321", "411111"};
    int failures = 0;
    auto completion = [&](const QVariantMap&, bool success) { failures += !success; };
    for (auto _ : state)
        sdk.chargeAmountReferenceDescriptionAcceptedBinsCommerceNumberInstallments(
            0.0, QString("ref"), QString("desc"), bins, QString("m"), 3, nullptr, completion);
    benchmark::DoNotOptimize(failures);
}
BENCHMARK(BM_ChargeChecks);

#include "SampleSale.h"

#include <benchmark/benchmark.h>

namespace {
// A sale of 1,000 lines with taxes, line discounts and a discount list.
SalePtr thousandLineSale() {
    auto sale = sampleSale(1000);
    auto fixed = Discount::init();
    fixed->setName("five");
    fixed->setAmount(5);
    sale->addOrRemoveDiscount(fixed);
    return sale;
}
} // namespace

static void BM_SaleTotalsThousandLines(benchmark::State& state) {
    auto sale = thousandLineSale();
    for (auto _ : state) {
        sale->recalculateTotalAmount();
        benchmark::DoNotOptimize(sale->total()->getAmount());
    }
}
BENCHMARK(BM_SaleTotalsThousandLines);

static void BM_CentsRounding(benchmark::State& state) {
    double x = 0.005;
    for (auto _ : state) {
        benchmark::DoNotOptimize(DecimalNumber::roundCents(x));
        x += 1.01;
    }
}
BENCHMARK(BM_CentsRounding);

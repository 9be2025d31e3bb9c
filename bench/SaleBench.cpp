#include "model/LocationProvider.h"
#include "model/Sale.h"

#include <benchmark/benchmark.h>

namespace {
// A sale of 1,000 lines with taxes, line discounts and a discount list.
SalePtr thousandLineSale() {
    LocationProvider::setFactory([] { return std::shared_ptr<LocationProvider>(); });
    auto sale = Sale::init();
    for (int i = 0; i < 1000; ++i) {
        auto item = Item::init();
        item->product()->setTaxIncludedInPrice(i % 2 == 0);
        item->product()->setTaxRate(0.16);
        item->product()->setPrice(Amount::initWithDouble(10 + i * 0.37));
        item->setQuantity(1 + i % 4);
        if (i % 5 == 0)
            item->setDiscountAmount(Amount::initWithDouble(0.5));
        sale->addItem(item);
    }
    auto percent = Discount::init();
    percent->setName("ten");
    percent->setPercentage(0.10);
    sale->addOrRemoveDiscount(percent);
    auto fixed = Discount::init();
    fixed->setName("five");
    fixed->setAmount(5);
    sale->addOrRemoveDiscount(fixed);
    sale->setTipPercentage(0.15);
    LocationProvider::setFactory({});
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

#include "catalog/EditIndividualSaleController.h"
#include "catalog/ItemColor.h"
#include "model/Sale.h"
#include "platform/ui/Clock.h"

#include <benchmark/benchmark.h>

// One letter avatar: a view laid out, drawn and stretched.
static void BM_ItemAvatar(benchmark::State& state) {
    const QColor color = *ItemColor::colorWithName(6);
    for (auto _ : state)
        benchmark::DoNotOptimize(ItemColor::itemWithLetter(QStringLiteral("M"), color, 46));
}
BENCHMARK(BM_ItemAvatar);

// The cart coming into view with 200 lines: the sale recomputed and every row filled.
static void BM_CartReload200Lines(benchmark::State& state) {
    ScopedManualClock clock;
    Sale& sale = Sale::sharedSale();
    sale.cleanSale();
    for (int i = 0; i < 200; ++i) {
        auto item = Item::init();
        item->product()->setName(QStringLiteral("Producto %1").arg(i));
        item->product()->setProductId(QString::number(i + 1));
        item->product()->setPrice(Amount::initWithDouble(1.5 * (i + 1)));
        item->setQuantity(1 + i % 4);
        sale.addItem(item);
    }
    EditIndividualSaleController cart;
    cart.view()->resize(375, 667);
    for (auto _ : state) {
        cart.beginAppearanceTransition(true, false);
        cart.endAppearanceTransition();
        cart.beginAppearanceTransition(false, false);
        cart.endAppearanceTransition();
    }
    sale.cleanSale();
}
BENCHMARK(BM_CartReload200Lines)->Unit(benchmark::kMillisecond);

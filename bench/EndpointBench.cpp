#include "api/APIController.h"
#include "model/CreditCard.h"
#include "model/LocationProvider.h"
#include "model/Sale.h"

#include <benchmark/benchmark.h>

namespace {
// A chip-card sale of 50 lines, each with a tax, some with line discounts, with a discount list.
SalePtr fiftyLineCardSale() {
    LocationProvider::setFactory([] { return std::shared_ptr<LocationProvider>(); });
    auto sale = Sale::init();
    for (int i = 0; i < 50; ++i) {
        auto item = Item::init();
        item->product()->setProductId(QString::number(i));
        item->product()->setName(QStringLiteral("Producto %1").arg(i));
        item->product()->setTaxRate(0.16);
        item->product()->setPrice(Amount::initWithDouble(10 + i * 0.37));
        item->setQuantity(1 + i % 4);
        if (i % 5 == 0)
            item->setDiscountAmount(Amount::initWithDouble(0.5));
        sale->addItem(item);
    }
    auto discount = Discount::init();
    discount->setName("ten");
    discount->setPercentage(0.10);
    sale->addOrRemoveDiscount(discount);
    sale->setTipPercentage(0.15);
    sale->setPaidWithCreditCard(true);
    auto card = std::make_shared<CreditCard>();
    card->setNumber("4111111111111111");
    card->setTrack2Encrypted("00112233445566778899AABBCCDDEEFF");
    card->setTrack2KSN("FFFF9876543210E00001");
    card->setPinBlock(QString("1A2B3C4D5E6F7081"));
    card->setEmvTags(QByteArray(R"({"9F02":"000000011000","9F26":"A1B2C3D4E5F60718"})"));
    card->setTransactionType("emv");
    sale->setCreditCard(card);
    sale->recalculateTotalAmount();
    LocationProvider::setFactory({});
    return sale;
}
} // namespace

// The fields and the multipart body of the payment request of a 50-line card sale.
static void BM_PaymentRequestFiftyLineCardSale(benchmark::State& state) {
    auto sale = fiftyLineCardSale();
    for (auto _ : state) {
        const QVariantMap fields = APIController::registerSaleFields(*sale, "17", "token");
        benchmark::DoNotOptimize(APIController::bodyFromDictionary(fields));
    }
}
BENCHMARK(BM_PaymentRequestFiftyLineCardSale);

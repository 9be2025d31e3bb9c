#include "SampleSale.h"
#include "api/APIController.h"
#include "model/CreditCard.h"

#include <benchmark/benchmark.h>

namespace {
// A chip-card sale of 50 lines, each with a tax, some with line discounts, with a discount list.
SalePtr fiftyLineCardSale() {
    auto sale = sampleSale(50);
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

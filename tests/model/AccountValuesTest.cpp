#include "ModelFixture.h"
#include "model/AvailableCreditCards.h"
#include "model/Balance.h"
#include "model/Batch.h"
#include "model/Installment.h"
#include "model/PaymentMethod.h"
#include "model/values/CBUStatus.h"
#include "model/values/QRSettings.h"
#include "platform/core/Values.h"

#include <QTimeZone>

namespace {

class AccountValuesTest : public ModelTest {};

TEST_F(AccountValuesTest, InstallmentReadsEitherFormOfKeys) {
    struct Case {
        QVariantMap record;
        const char* identifier;
        int number;
    };
    const Case cases[] = {
        {{{"Id", 5}, {"installmentId", 7}, {"InstallmentId", 9}}, "9", 0},
        {{{"Id", 5}, {"installmentId", 7}}, "7", 0},
        {{{"Id", 5}}, "5", 0},
        {{{"installmentId", 12}, {"installment", "6"}}, "12", 6},
        {{{"installment", 6.9}, {"number", 3}}, "", 6},
        {{{"number", 3}}, "", 3},
    };
    for (const Case& c : cases) {
        auto plan = Installment::instanceFromDictionary(c.record);
        EXPECT_EQ(plan->identifier().toStdString(), c.identifier);
        EXPECT_EQ(plan->number(), c.number) << c.identifier;
    }
    auto named = Installment::instanceFromDictionary(QVariantMap{
        {"name", Values::jsonNull()}, {"Name", "Doce"}, {"amount", 10}, {"Amount", 20}});
    EXPECT_EQ(named->name(), "Doce");
    EXPECT_EQ(named->amount()->doubleValue(), 10);
    EXPECT_EQ(named->promotion(), nullptr);
    EXPECT_EQ(Installment::instanceFromDictionary(QVariant()), nullptr);

    auto promoted = Installment::instanceFromDictionary(
        QVariantMap{{"PromotionId", 3}, {"RateId", 7}, {"CFT", 0}, {"trasladaCFT", 1}});
    ASSERT_NE(promoted->promotion(), nullptr);
    EXPECT_EQ(promoted->promotion()->rateIdentifier(), "7");
    EXPECT_EQ(promoted->promotion()->CFT(), 0.0);
    EXPECT_FALSE(promoted->promotion()->TNA().has_value());
    EXPECT_TRUE(promoted->promotion()->transportCFT());

    EXPECT_EQ(
        Installment::instanceBankAccountFromDictionary(QVariantMap{{"number", 2}})->identifier(),
        "2");
    EXPECT_EQ(Installment::instanceBankAccountFromDictionary(
                  QVariantMap{{"installmentId", 3}, {"number", 2}})
                  ->identifier(),
              "3");
}

TEST_F(AccountValuesTest, PaymentOptionsByCurrency) {
    auto& cards = AvailableCreditCards::instance();
    cards.setList(std::nullopt);
    EXPECT_TRUE(cards.listForCurrencyCode("484").isEmpty());
    const QVariantMap mxn{{"currency", "484"}, {"type", "DEBIT"}};
    const QVariantMap usd{{"currency", "840"}};
    const QVariantMap any{{"type", "CASH"}};
    cards.setList(QVariantList{mxn, usd, any});
    EXPECT_EQ(cards.listForCurrencyCode("484"), (QVariantList{mxn, any}));
    EXPECT_EQ(cards.listForCurrencyCode("0484"), QVariantList{any});
    cards.setList(std::nullopt);

    auto debit = PaymentMethod::instanceFromDictionary(
        QVariantMap{{"type", "DEBIT"},
                    {"installmentId", "42"},
                    {"installments", QVariantList{QVariantMap{{"installment", 1}},
                                                  QVariantMap{{"installment", 3}}}}});
    EXPECT_EQ(debit->name(), QStringLiteral("Tarjeta de débito"));
    EXPECT_EQ(debit->identifier(), 42);
    ASSERT_TRUE(debit->installments().has_value());
    EXPECT_EQ(debit->installments()->size(), 2u);
    EXPECT_EQ(debit->installments()->at(1)->number(), 3);
    EXPECT_FALSE(debit->emvAIDs().has_value());
    EXPECT_EQ(
        PaymentMethod::instanceFromDictionary(QVariantMap{{"name", ""}, {"type", "CASH"}})->name(),
        "");
}

TEST_F(AccountValuesTest, BankAccountChecks) {
    struct Case {
        const char* number;
        const char* country;
        bool valid;
    };
    const Case taxNumbers[] = {
        {"20123456786", "AR", true},  {"20123456785", "AR", false}, {"2012345677", "AR", true},
        {"20100000130", "AR", true},  {"20999999999", "AR", true},  {"20999999990", "AR", false},
        {"24123456786", "AR", false}, {"201234567", "AR", false},   {"2012345678a", "AR", false},
        {"20123456786", "ar", false},
    };
    for (const Case& c : taxNumbers)
        EXPECT_EQ(BankAccount::isValidAccountNameAssociatedNumber(c.number, c.country), c.valid)
            << c.number;
    const Case uniqueNumbers[] = {
        {"0123456789012345678901", "AR", true},  {"0123456789012345678901", "ar", false},
        {"012345678901234567890", "AR", false},  {"01234567890123456789-1", "AR", false},
        {"0123456789012345678901", "MX", false},
    };
    for (const Case& c : uniqueNumbers)
        EXPECT_EQ(BankAccount::isValidAccountUniqueNumber(c.number, c.country), c.valid)
            << c.number;

    auto empty = CBUStatus::fromDictionary({});
    EXPECT_FALSE(empty->blocked());
    EXPECT_TRUE(empty->cbuNeeded());
    EXPECT_FALSE(empty->url().has_value());
    EXPECT_FALSE(CBUStatus::fromDictionary({{"cbuStatus", true}})->cbuNeeded());

    Balance balance;
    balance.loadWithDictionary(
        {{"totalBalance", "12.5"},
         {"bankAccounts", QVariantList{QVariantMap{{"accountNumber", 123}}}}});
    balance.loadWithDictionary({{"availableBalance", 3}});
    EXPECT_EQ(balance.total(), 0);
    EXPECT_EQ(balance.available(), 3);
    ASSERT_EQ(balance.accounts().size(), 1u);
    EXPECT_EQ(balance.accounts().front()->accountNumber(), "123");
}

TEST_F(AccountValuesTest, QrSettingsByMode) {
    struct Case {
        QVariant type;
        quint64 value;
    };
    for (const Case& c : {Case{"dynamic", 0}, Case{"Dynamic", 0}, Case{"STATIC", 1},
                          Case{"STATIC QR", 2}, Case{"", 2}, Case{5, 2}})
        EXPECT_EQ(QRSettings::withDictionary({{"type", c.type}})->type(), c.value)
            << c.type.toString().toStdString();

    const QVariantMap settings{
        {"qrConfig",
         QVariantList{QVariantMap{{"mode", Values::jsonNull()}, {"type", "STATIC"}},
                      QVariantMap{{"mode", "settings"}, {"needSetup", true}, {"termsUrl", 5}},
                      QVariantMap{{"mode", "SETTINGS"}, {"type", "DYNAMIC"}},
                      QVariantMap{{"mode", "TRANSACTIONAL"}, {"type", "DYNAMIC"}}}}};
    auto own = QRSettings::settingsWithMode(1, settings);
    ASSERT_NE(own, nullptr);
    EXPECT_TRUE(own->needsSetup());
    EXPECT_EQ(own->termsUrl(), "5");
    EXPECT_EQ(own->type(), 2u);
    EXPECT_EQ(QRSettings::settingsWithMode(0, settings)->type(), 0u);
    EXPECT_EQ(QRSettings::settingsWithMode(2, settings), nullptr);
    EXPECT_EQ(QRSettings::settingsWithMode(1, {{"qrConfig", QVariantMap{{"mode", "SETTINGS"}}}}),
              nullptr);
}

TEST_F(AccountValuesTest, BatchRecordsAndDemoRecords) {
    auto batch = Batch::instanceFromDictionary(QVariantMap{{"timestamp", "1454034041"},
                                                           {"isClose", 1},
                                                           {"transactionId", 123},
                                                           {"transactionsQuantity", 7}});
    EXPECT_EQ(batch->dateTime(), QDateTime(QDate(2016, 1, 29), QTime(2, 20, 41), QTimeZone::utc()));
    EXPECT_EQ(batch->timestamp(), QVariant("1454034041"));
    EXPECT_EQ(batch->totalAmount()->getAmount(), "$ 0.00");
    EXPECT_EQ(batch->taxAmount(), nullptr);
    EXPECT_TRUE(batch->isClose());
    EXPECT_EQ(batch->transactionId(), "123");
    EXPECT_EQ(batch->transaactionQuantity(), "7");

    for (int i = 0; i < 200; ++i) {
        const int n = Batch::getRandomStringNumberFromRangeMin(1, 12).toInt();
        EXPECT_TRUE(n >= 1 && n < 12) << n;
    }
    EXPECT_EQ(Batch::getRandomStringNumberFromRangeMin(5, 5), "5");
    EXPECT_EQ(Batch::getRandomStringNumberFromRangeMin(9, 2), "9");

    auto demo = Batch::instanceFromDictionary(Batch::mock());
    EXPECT_TRUE(demo->isClose());
    EXPECT_EQ(demo->dateTime(), batch->dateTime());
    EXPECT_EQ(demo->transactionId(), "");
}

} // namespace

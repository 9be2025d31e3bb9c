#include "ModelFixture.h"

#include "SDK/session/User.h"
#include "model/Client.h"
#include "model/CreditCard.h"
#include "model/Sale.h"
#include "model/ServicePayment.h"
#include "model/values/Currency.h"

class SaleRecordTest : public ModelTest {};

TEST_F(SaleRecordTest, IdsAndRefundFlag) {
    auto sale = Sale::fromDictionary({{"refundId", "R-77"}, {"id", 1234}});
    EXPECT_EQ(sale->saleId(), "1234");
    EXPECT_TRUE(sale->isRefund());

    sale = Sale::fromDictionary({{"refundId", ""}});
    EXPECT_EQ(sale->saleId(), "");
    EXPECT_FALSE(sale->isRefund());

    sale = Sale::fromDictionary({{"refundId", "R-77"}});
    EXPECT_EQ(sale->saleId(), "R-77");
    EXPECT_TRUE(sale->json().has_value());
}

TEST_F(SaleRecordTest, Dates) {
    auto sale = Sale::fromDictionary({{"created", "2023-11-14 22:13:20"},
                                      {"dateTimeTimestamp", 1.0},
                                      {"createdDate", "2023-11-14"}});
    EXPECT_EQ(sale->date(), QDateTime(QDate(2023, 11, 14), QTime(22, 13, 20)));
    EXPECT_EQ(sale->creationDate(), QDateTime(QDate(2023, 11, 14), QTime(0, 0)));

    sale = Sale::fromDictionary({{"created", "14/11/2023"},
                                 {"dateTimeTimestamp", qint64(1700000000000)},
                                 {"createdDate", "yesterday"}});
    EXPECT_EQ(sale->date().toMSecsSinceEpoch(), qint64(1700000000000));
    EXPECT_FALSE(sale->creationDate().isValid());
}

TEST_F(SaleRecordTest, AmountsAndSubtotal) {
    auto sale = Sale::fromDictionary(
        {{"totalAmount", 116}, {"taxableAmount", 100}, {"taxAmount", 16}, {"tipAmount", 10}});
    EXPECT_EQ(sale->taxableAmount()->doubleValue(), 16.00);
    EXPECT_EQ(sale->tipAmount()->doubleValue(), 10.00);
    EXPECT_EQ(sale->subtotal()->doubleValue(), 90.00);

    sale = Sale::fromDictionary({{"totalAmount", 116}, {"taxableAmount", 100}});
    EXPECT_EQ(sale->subtotal()->doubleValue(), 16.00);

    sale = Sale::fromDictionary({{"taxAmount", 16.456}, {"discountAmount", 3.333}});
    EXPECT_EQ(sale->taxableAmount()->amountNumber().toDouble(), 16.46);
    EXPECT_EQ(sale->discountAmount()->amountNumber().toDouble(), 3.333);
}

TEST_F(SaleRecordTest, PlaceOfTheSale) {
    EXPECT_FALSE(
        Sale::fromDictionary({{"latitude", 0}, {"longitude", 0}})->locationCoordinates().isValid());
    const auto sale = Sale::fromDictionary({{"latitude", 19.4326}, {"longitude", 0}});
    EXPECT_EQ(sale->locationCoordinates().latitude, double(19.4326f));
    EXPECT_EQ(sale->locationCoordinates().longitude, 0.0);
    EXPECT_FALSE(Sale::fromDictionary({{"latitude", 19.4326}})->locationCoordinates().isValid());
}

TEST_F(SaleRecordTest, LinesFromAlternativePayments) {
    auto sale = Sale::fromDictionary({{"items", QVariantList()},
                                      {"type", "SERVICE"},
                                      {"service", QVariantMap{{"companyName", "Luz"}}},
                                      {"totalAmount", 250}});
    ASSERT_EQ(sale->items().size(), 1u);
    const auto& line = *sale->items().front();
    EXPECT_EQ(line.product()->name(), "Pago Luz");
    EXPECT_EQ(line.product()->price()->doubleValue(), 250.00);
    EXPECT_EQ(line.totalAmount()->doubleValue(), 250.00);
    EXPECT_EQ(sale->subtotal()->doubleValue(), 250.00);

    sale = Sale::fromDictionary({{"type", "RECHARGE"},
                                 {"recharge", QVariantMap{{"companyName", "Tel"}}},
                                 {"totalAmount", 50}});
    EXPECT_TRUE(sale->items().empty());
    EXPECT_TRUE(sale->recharge() != nullptr);
}

TEST_F(SaleRecordTest, TextFieldsAndSeller) {
    auto sale = Sale::fromDictionary({{"bachClosureNumber", "12"},
                                      {"referenceSaleId", ""},
                                      {"referenceOperationId", 998},
                                      {"userName", "Ana"},
                                      {"currency", "ARS"},
                                      {"email", "a@b.c"},
                                      {"operationCode", "OP"},
                                      {"externalReceipt", 77}});
    EXPECT_EQ(sale->batchClosureNumber().toLongLong(), 12);
    EXPECT_EQ(sale->referenceSaleIdentifier(), std::optional<QString>("998"));
    ASSERT_TRUE(sale->user());
    EXPECT_EQ(sale->user()->userId(), "");
    EXPECT_EQ(sale->user()->firstName(), "Ana");
    EXPECT_EQ(sale->currencyCode(), "ARS");
    EXPECT_EQ(sale->currency()->code(), "ARS");
    EXPECT_EQ(sale->email(), std::optional<QString>("a@b.c"));
    EXPECT_EQ(sale->operationCode(), std::optional<QString>("OP"));
    EXPECT_EQ(sale->externalReceipt(), std::optional<QString>("77"));

    sale = Sale::fromDictionary({{"batchClosureNumber", 5}});
    EXPECT_EQ(sale->batchClosureNumber().toLongLong(), 0);
    EXPECT_EQ(sale->referenceSaleIdentifier(), std::optional<QString>(""));
    EXPECT_FALSE(sale->email());
}

TEST_F(SaleRecordTest, NestedRefundsPaymentAndBuyer) {
    const QVariantMap inner{{"refundId", "R2"}};
    const QVariantMap first{{"id", 1}, {"refunds", QVariantList{inner}}};
    const QVariantMap second{{"id", 2}};
    auto sale = Sale::fromDictionary({{"id", 10},
                                      {"refunds", QVariantList{first, second}},
                                      {"payment", QVariantMap{{"paymentMethodId", "7"},
                                                              {"method", "card"},
                                                              {"cardNumber", "411111XXXXXX1111"},
                                                              {"last4Numbers", "1111"}}},
                                      {"qr", QVariantMap{{"customerName", "Qr Buyer"}}}});
    ASSERT_TRUE(sale->refunds());
    ASSERT_EQ(sale->refunds()->size(), 2u);
    ASSERT_TRUE(sale->refunds()->at(0)->refunds());
    EXPECT_EQ(sale->refunds()->at(0)->refunds()->at(0)->saleId(), "R2");
    EXPECT_EQ(sale->refunds()->at(1)->saleId(), "2");
    EXPECT_EQ(sale->installmentId(), "7");
    EXPECT_EQ(sale->paymentMethodName(), "card");
    ASSERT_TRUE(sale->creditCard());
    EXPECT_EQ(sale->creditCard()->number(), "411111XXXXXX1111");
    EXPECT_EQ(sale->creditCard()->numberLast4(), "1111");
    ASSERT_TRUE(sale->client());
    EXPECT_EQ(sale->client()->fullName(), "Qr Buyer");

    sale = Sale::fromDictionary({{"payment", QVariantMap{{"paymentMethodId", 3}}}});
    EXPECT_TRUE(sale->paymentMethodName().isNull());
    EXPECT_EQ(sale->installmentId(), "3");

    sale = Sale::fromDictionary({{"issuerImageUrl", "https://img/bank.png"}});
    ASSERT_TRUE(sale->creditCard());
    EXPECT_EQ(sale->creditCard()->bankImageURL(), "https://img/bank.png");
}

TEST_F(SaleRecordTest, UnexpectedKindsAreIgnored) {
    const auto sale = Sale::fromDictionary({{"buyer", "text"},
                                            {"payment", 5},
                                            {"items", "x"},
                                            {"refunds", QVariantList{1, "two"}},
                                            {"discounts", QVariant::fromValue(nullptr)},
                                            {"taxes", QVariantMap()}});
    ASSERT_TRUE(sale);
    EXPECT_TRUE(sale->items().empty());
    EXPECT_TRUE(sale->refunds()->empty());
}

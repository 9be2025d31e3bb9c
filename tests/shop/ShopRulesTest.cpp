#include "ShopFixture.h"
#include "shop/BuyReaderCell.h"
#include "shop/BuyReaderEnterDataController.h"
#include "shop/BuyReaderStartController.h"
#include "shop/PurchaseRecord.h"
#include "shop/ShopScreen.h"
#include "shop/payment/BuyReaderPaymentController.h"
#include "shop/payment/BuyReaderPaymentsController.h"
#include "shop/payment/BuyReaderWalletCell.h"
#include "shop/payment/BuyReaderWithCardController.h"
#include "shop/payment/BuyReaderWithWalletController.h"
#include "shop/shipping/BuyReaderSelectShippingController.h"

#include <QDate>

namespace {

using Card = BuyReaderWithCardController;

TEST(ShopRules, CardNumberGroupsAndCodeLengthByBrand) {
    const struct {
        const char* typed;
        const char* shown;
        int cvv;
        bool complete;
    } cases[] = {
        {"5105105105105100", "5105 1051 0510 5100", 3, true},  // Mastercard
        {"51051051051051009", "5105 1051 0510 5100", 3, true}, // a 17th digit is dropped
        {"371449635398431", "3714 496353 98431", 4, true},     // American Express 4-6-5
        {"37144963539843", "3714 496353 9843", 4, false},
        {"411", "411", 4, false},                                // too short for a brand
        {"9999888877776666", "9999 8888 7777 6666", 4, true},    // no brand: code of 4
        {"4111 1111 1111 1111", "4111 1111 1111 1111", 3, true}, // already grouped
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        int cvv = 0;
        bool complete = false;
        EXPECT_EQ(Card::groupedCardNumber(QString::fromLatin1(c.typed), &cvv, &complete),
                  QString::fromLatin1(c.shown));
        EXPECT_EQ(cvv, c.cvv);
        EXPECT_EQ(complete, c.complete);
    }
}

TEST(ShopRules, ExpiryTypingFollowsTheMaskMonthAndDate) {
    const QDate today(2026, 12, 11);
    const struct {
        const char* what;
        const char* current;
        int start, length;
        const char* replacement;
        bool accept;
        const char* text; // nullptr: the field's text is not set by the screen
    } cases[] = {
        {"5 becomes 05 and the separator", "", 0, 0, "5", false, "05 / "},
        {"1 is accepted", "", 0, 0, "1", true, nullptr},
        {"second month digit adds the separator", "1", 1, 0, "2", false, "12 / "},
        {"month 13 refused", "1", 1, 0, "3", false, nullptr},
        {"month 00 refused", "0", 1, 0, "0", false, nullptr},
        {"backspace after separator leaves one digit", "12 / ", 4, 1, "", false, "1"},
        {"first year digit 0 refused", "12 / ", 5, 0, "0", false, nullptr},
        {"this month accepted", "12 / 2", 6, 0, "6", true, nullptr},
        {"last month refused", "11 / 2", 6, 0, "6", false, nullptr},
        {"a letter refused", "", 0, 0, "a", false, nullptr},
        {"more than seven refused", "12 / 27", 7, 0, "1", false, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const Card::ExpiryEdit edit =
            Card::expiryEdit(QString::fromLatin1(c.current), c.start, c.length,
                             QString::fromLatin1(c.replacement), today);
        EXPECT_EQ(edit.accept, c.accept);
        EXPECT_EQ(edit.text.has_value(), c.text != nullptr);
        if (c.text && edit.text) {
            EXPECT_EQ(*edit.text, QString::fromLatin1(c.text));
        }
    }
}

TEST(ShopRules, PhoneAndDocumentRules) {
    const struct {
        const char* digits;
        bool valid;
    } phones[] = {{"01144445555", true},  {"541144445555", true}, {"5491144445555", false},
                  {"11444455556", false}, {"1144445555", true},   {"", false}};
    for (const auto& c : phones) {
        SCOPED_TRACE(c.digits);
        EXPECT_EQ(BuyReaderEnterDataController::isValidPhone(QString::fromLatin1(c.digits)),
                  c.valid);
    }
    EXPECT_EQ(ShopLook::groupedDocument("12345678"), "12,345,678");
    EXPECT_EQ(ShopLook::groupedDocument("0123"), "123");
    EXPECT_EQ(ShopLook::groupedDocument("0000"), "");
    EXPECT_EQ(ShopLook::groupedDocument("12a34"), "1,234");
}

TEST(ShopRules, WalletExpiryAndLastNumbers) {
    const struct {
        QVariant expire;
        const char* shown;
    } cases[] = {{QVariant(122026), "DICIEMBRE / 2026"},
                 {QVariant(52027), "MAYO / 2027"},
                 {QVariant("052027"), "MAYO / 2027"},
                 {QVariant(122026.0), "DICIEMBRE / 2026"},
                 {QVariant("1226"), ""},
                 {QVariant("132026"), ""},
                 {QVariant("002026"), ""},
                 {QVariant(), ""}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.expire.toString().toStdString());
        EXPECT_EQ(BuyReaderWalletCell::expirationText(c.expire), QString::fromUtf8(c.shown));
    }
    EXPECT_EQ(BuyReaderWalletCell::lastNumbers("4509953566233704"), "3704");
    EXPECT_EQ(BuyReaderWalletCell::lastNumbers("123"), "123");
}

TEST(ShopRules, UsableWalletCardsFavouriteFirst) {
    const QVariantList payments{
        QVariantMap{{"cc", "4111"}, {"uid", "a"}, {"isFav", false}},
        QVariantMap{{"cc", "5555"}, {"uid", "b"}, {"isFav", true}},
        QVariantMap{{"cc", "6666"}, {"isFav", true}},                    // no uid
        QVariantMap{{"uid", "d"}, {"isFav", false}},                     // no cc
        QVariantMap{{"cc", QVariant::fromValue(nullptr)}, {"uid", "e"}}, // null cc
        QVariantMap{{"cc", "7777"}, {"uid", "f"}, {"isFav", false}}};
    const QVariantList usable = BuyReaderWithWalletController::usableCards(payments);
    ASSERT_EQ(usable.size(), 3);
    EXPECT_EQ(usable.at(0).toMap().value("uid"), "b");
    EXPECT_EQ(usable.at(1).toMap().value("uid"), "a");
    EXPECT_EQ(usable.at(2).toMap().value("uid"), "f");
}

TEST(ShopRules, PlansSortedComputedAndMissingKeysEmpty) {
    const QVariantMap answer{
        {"success", "OK"},
        {"data",
         QVariantList{QVariantMap{
             {"installments",
              QVariantMap{
                  {"12", QVariantMap{{"Payment", 100}, {"PromotionId", "p12"}, {"Amount", 1200}}},
                  {"3", QVariantMap{{"Payment", 350.5}}},
                  {"1", QVariantMap{{"discountPercentage", 0.1}, {"interestPercentage", 0}}},
                  {"6", QVariantMap{{"Payment", QVariant::fromValue(nullptr)},
                                    {"interestPercentage", 0.2}}}}}}}}};
    const QVariantList rows = BuyReaderPaymentsController::plansFromAnswer(answer, 1000);
    ASSERT_EQ(rows.size(), 4);
    QStringList order;
    for (const QVariant& row : rows)
        order << row.toMap().value("payments").toString();
    EXPECT_EQ(order, QStringList({"1", "3", "6", "12"}));
    const QVariantMap one = rows.at(0).toMap();
    EXPECT_NEAR(one.value("amount").toDouble(), 900.0, 0.001);
    EXPECT_NEAR(one.value("total").toDouble(), 900.0, 0.001);
    EXPECT_EQ(one.value("promotionId").toString(), "");
    EXPECT_EQ(one.value("Amount").toString(), "");
    EXPECT_NEAR(rows.at(1).toMap().value("total").toDouble(), 1051.5, 0.001);
    EXPECT_NEAR(rows.at(2).toMap().value("amount").toDouble(), 200.0, 0.01);
    EXPECT_EQ(rows.at(3).toMap().value("promotionId").toString(), "p12");
    EXPECT_TRUE(BuyReaderPaymentsController::plansFromAnswer({{"success", "OK"}}, 1000).isEmpty());
    EXPECT_TRUE(BuyReaderPaymentsController::plansFromAnswer(
                    {{"data", QVariantList{QVariantMap{{"installments", QVariantMap()}}}}}, 1000)
                    .isEmpty());
}

TEST(ShopRules, TextsOfTheSummaryCatalogueAndAddresses) {
    Currency::instance()->reset();
    EXPECT_EQ(BuyReaderCell::priceText(1500), "1,500");
    EXPECT_EQ(BuyReaderCell::priceText(1499.5), "1,499.50");
    EXPECT_FALSE(BuyReaderPaymentController::amountText(1500).contains('.'));
    EXPECT_TRUE(BuyReaderPaymentController::amountText(1499.5).endsWith("1,499.50"));
    EXPECT_EQ(BuyReaderSelectShippingController::addressString({{"streetName", "Mitre"},
                                                                {"streetNumber", "350"},
                                                                {"floor", "2"},
                                                                {"zipCode", "5000"},
                                                                {"state", "Córdoba"},
                                                                {"city", "Río Cuarto"}}),
              QStringLiteral("Mitre 350, 2\nC.P. 5000\nCórdoba. Río Cuarto"));
    EXPECT_EQ(BuyReaderSelectShippingController::addressString({{"streetName", "Mitre"},
                                                                {"streetNumber", "350"},
                                                                {"floor", ""},
                                                                {"zipCode", "1000"},
                                                                {"state", "CABA"},
                                                                {"city", ""}}),
              QStringLiteral("Mitre 350\nC.P. 1000\nCABA"));
}

TEST(ShopRules, CatalogueKeepsOnlyCompleteProductsInOrder) {
    const auto full = [](int id) {
        return QVariantMap{{"id", id},
                           {"name", "R"},
                           {"type", 1},
                           {"price", 10},
                           {"descriptionShort", "s"},
                           {"description", "d"},
                           {"dimensions", "x"},
                           {"weight", "w"},
                           {"battery", "b"},
                           {"connectivity", "c"},
                           {"cardsText", "t"},
                           {"images", QVariantList{QVariantMap{{"original", "u"}}}}};
    };
    QVariantMap nullBattery = full(2);
    nullBattery.insert("battery", QVariant::fromValue(nullptr));
    QVariantMap noWeight = full(3);
    noWeight.remove("weight");
    QVariantMap noImage = full(4);
    noImage.insert("images", QVariantList());
    const QVariantList kept =
        BuyReaderStartController::keptProducts({full(1), nullBattery, noWeight, noImage, full(5)});
    ASSERT_EQ(kept.size(), 2);
    EXPECT_EQ(kept.at(0).toMap().value("id").toInt(), 1);
    EXPECT_EQ(kept.at(1).toMap().value("id").toInt(), 5);
}

TEST(ShopRules, RecordDropsCardDataButKeepsTheRest) {
    PurchaseRecord record;
    record.insert("payment", QVariantMap{{"method", "card"},
                                         {"cardNumber", "4111111111111111"},
                                         {"securityCode", "123"},
                                         {"expireDate", "1227"},
                                         {"name", "Ana"}});
    record.insert("total", 1500.0);
    record.dropCardData();
    const QVariantMap payment = record.map("payment");
    EXPECT_EQ(payment.value("method"), "card");
    EXPECT_EQ(payment.value("name"), "Ana");
    EXPECT_FALSE(payment.contains("cardNumber"));
    EXPECT_FALSE(payment.contains("securityCode"));
    EXPECT_FALSE(payment.contains("expireDate"));
    EXPECT_EQ(record.value("total").toDouble(), 1500.0);
}

} // namespace

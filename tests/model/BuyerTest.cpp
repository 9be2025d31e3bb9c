#include "ModelFixture.h"
#include "model/Buyers.h"
#include "model/Client.h"
#include "model/Recharge.h"
#include "model/ServicePayment.h"
#include "model/States.h"
#include "platform/core/Values.h"

namespace {

class BuyerTest : public ModelTest {};

TEST_F(BuyerTest, ReadsABuyer) {
    Buyers::instance().setCountriesListCache(
        {QVariantMap{{"countryCode", "AR"}, {"countryName", "Argentina"}},
         QVariantMap{{"countryCode", "MX"}, {"countryName", "México"}}});
    auto empty = Client::instanceWithDictionary(QVariantMap{});
    EXPECT_EQ(empty->address(), "");
    EXPECT_EQ(empty->fullName(), "");
    EXPECT_EQ(empty->country()->code(), "MX");
    EXPECT_EQ(empty->country()->identifier(), "125");
    EXPECT_EQ(empty->country()->name(), "México");
    EXPECT_FALSE(empty->birthDate().isValid());
    EXPECT_EQ(empty->document()->number(), QString(""));

    auto buyer = Client::instanceWithDictionary(QVariantMap{{"id", 17},
                                                            {"address", "Calle 1"},
                                                            {"firstName", "Ana"},
                                                            {"lastName", ""},
                                                            {"birthdate", "1990-04-05"},
                                                            {"countryId", "32"},
                                                            {"country", "Argentina"},
                                                            {"email", "ana@example.com"}});
    EXPECT_EQ(buyer->identifier(), "17");
    EXPECT_EQ(buyer->address(), "Calle 1 ");
    EXPECT_EQ(buyer->fullName(), "Ana");
    EXPECT_EQ(buyer->birthDate(), QDate(1990, 4, 5).startOfDay());
    EXPECT_EQ(buyer->country()->identifier(), "32");
    EXPECT_EQ(buyer->country()->code(), "MX");
    EXPECT_TRUE(buyer->containsFilter("EXAMPLE"));
    EXPECT_FALSE(buyer->containsFilter("zzz"));
    EXPECT_EQ(Client::instanceWithDictionary(Values::jsonNull()), nullptr);

    auto copy = buyer->copy();
    copy->country()->setName("Chile");
    EXPECT_EQ(buyer->country()->name(), "Argentina");
}

TEST_F(BuyerTest, CountriesListSurvivesANewHolder) {
    EXPECT_TRUE(Buyers().countriesList().isEmpty());
    const QVariantList countries{
        QVariantMap{{"countryId", 1}, {"countryName", "Perú"}, {"countryCode", "PE"}}};
    Buyers().setCountriesList(countries);
    EXPECT_EQ(Buyers().countriesList(), countries);
}

TEST_F(BuyerTest, ProvincesOnlyForArgentina) {
    States states;
    states.setDefaultSelected(5);
    states.pickCountry("ar");
    EXPECT_FALSE(states.statesList().has_value());
    EXPECT_EQ(states.defaultSelected(), 5);
    states.pickCountry("AR");
    ASSERT_EQ(states.statesList()->size(), 24);
    EXPECT_EQ(states.statesList()->first(), "CABA");
    EXPECT_EQ(states.statesList()->at(20), "Santa Fé");
    EXPECT_EQ(states.statesList()->last(), "Tucumán");
    EXPECT_EQ(states.defaultSelected(), 0);
}

TEST_F(BuyerTest, RechargeAndServicePaymentFromASaleRecord) {
    auto recharge = Recharge::withDictionary(
        {{"recharge",
          QVariantMap{{"companyName", "Telcel"}, {"initialBalance", 500}, {"currentBalance", 450}}},
         {"issuerImageUrl", "https://img/telcel.png"}});
    EXPECT_EQ(recharge->price(), 50);
    EXPECT_EQ(recharge->itemAmount(), "$ 50.00");
    EXPECT_EQ(recharge->companyIcon(), "https://img/telcel.png");
    EXPECT_EQ(recharge->commissionSubTitle(), QStringLiteral("Comisión obtenida por recarga"));
    EXPECT_EQ(Recharge::withDictionary({{"totalAmount", 60}, {"initialBalance", 500}})->price(),
              60);

    auto airtime = Recharge::withDictionary({{"recharge", QVariantMap{{"type", "AIRTIME"}}}});
    EXPECT_FALSE(airtime->itemIcon().isNull());
    EXPECT_TRUE(Recharge::withDictionary({})->itemIcon().isNull());

    auto service = ServicePayment::withDictionary(
        {{"service", QVariantMap{{"companyName", "Luz"}, {"companyIcon", "ignored"}}}});
    EXPECT_EQ(service->itemTitle(), "Pago Luz");
    EXPECT_EQ(service->companyIcon(), "");
    EXPECT_FALSE(service->commissionTitle().has_value());
}

} // namespace

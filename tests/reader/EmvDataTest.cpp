// The reader-side rules of a card transaction that need no reader or back end.
#include "reader/EmvData.h"
#include "SDK/session/AccountSettings.h"
#include "model/CreditCard.h"
#include "model/Sale.h"
#include "reader/CardAttempt.h"
#include "reader/DSpreadViewController.h"
#include "reader/Util.h"
#include "reader/simulated/SimulatedReaderHost.h"

#include <climits>
#include <gtest/gtest.h>

namespace emv_data_test {

std::optional<QByteArray> bytes(const char* hex) {
    return Util::HexStringToByteArray(QString::fromLatin1(hex));
}

TEST(EmvDataRules, OfflinePinRule) {
    struct Case {
        const char* cvm;
        bool verified;
    };
    for (const Case& c : QList<Case>{{"010002", true},
                                     {"410302", true},
                                     {"440301", false}, // result failed
                                     {"1E0300", false}, // signature
                                     {"420300", false}, // online PIN
                                     {"3F0000", false},
                                     {"0100", false},
                                     {"01000200", false}}) {
        SCOPED_TRACE(c.cvm);
        EXPECT_EQ(EmvData::offlinePinVerified(bytes(c.cvm)), c.verified);
    }
    EXPECT_FALSE(EmvData::offlinePinVerified(std::nullopt));
}

TEST(EmvDataRules, MaskedNumberOfC4) {
    EXPECT_EQ(EmvData::maskedNumberFromC4("5413FFFFFFFF1234"), "5413********1234");
    EXPECT_EQ(EmvData::maskedNumberFromC4("371234FFFFF1234F"), "371234*****1234");
    EXPECT_EQ(EmvData::maskedNumberFromC4(""), "");
}

TEST(EmvDataRules, AcceptedBinsOnMaskedNumbers) {
    struct Case {
        const char* number;
        std::optional<QStringList> bins;
        bool accepted;
    };
    const QList<Case> cases = {
        {"411111******1111", std::nullopt, true},
        {"411111******1111", QStringList{"550000", "411111"}, true},
        {"411111******1111", QStringList{"4111112"}, false}, // a masked digit never matches
        {"411111******1111", QStringList{}, false},
        {"4111111111111111", QStringList{"411"}, true},
        {"41", QStringList{"411111"}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.number);
        EXPECT_EQ(EmvData::binAccepted(c.number, c.bins), c.accepted);
    }
}

TEST(EmvDataRules, AuthorisationResponse) {
    struct Case {
        const char* name;
        const char* issuer;
        const char* code;
        bool refusal;
        const char* sent;
    };
    const QList<Case> cases = {
        {"approval with issuer data, in order", "9104AABBCCDD7203010203", "00", false,
         "8A0230309104AABBCCDD7203010203"},
        {"empty issuer data", "", "00", false, "8A023030"},
        {"undecodable issuer data", "9F", "05", true, "8A023035"},
        {"refusal keeps the issuer's own refusal", "8A0230359102AABB", "01", true,
         "8A0230359102AABB"},
        {"refusal never approves the card", "8A0230309102AABB", "05", true, "8A0230359102AABB"},
        {"issuer 8A wins on approval", "8A0230319102AABB", "00", false, "8A0230319102AABB"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(DSpreadViewController::arrangeOnlineProcessResultTLV(c.issuer, c.code, c.refusal),
                  c.sent);
    }
}

TEST(EmvDataRules, TagDictionaryAndSummaries) {
    const QVariantMap tags = EmvData::tagDictionary(
        {{"tlv", "9F0607A00000000410104F07A00000000410109F260811223344556677884F01FF"}});
    EXPECT_EQ(tags.value("9F06"), "A0000000041010");
    EXPECT_EQ(tags.value("004F"), "FF"); // the later one wins
    EXPECT_EQ(tags.value("9F26"), "1122334455667788");
    EXPECT_EQ(EmvData::jsonOf({}), "{}");
    EXPECT_TRUE(EmvData::tagDictionary({}).isEmpty());
    const QString summary = EmvData::tagSummary(EmvData::decode("9F26081122334455667788"));
    EXPECT_EQ(summary, "9F26(8)");
    const QString decoded = EmvData::decodedDataSummary(
        {{"maskedPAN", "4111111111111111"}, {"cardholderName", "ANA GOMEZ"}});
    EXPECT_FALSE(decoded.contains("ANA"));
    EXPECT_TRUE(decoded.contains("411111******1111"));
}

TEST(EmvDataRules, DebitLabels) {
    EXPECT_TRUE(DSpreadViewController::isDebitCard("Visa Electrón", "", ""));
    EXPECT_TRUE(DSpreadViewController::isDebitCard("Tarjeta Débito", "", ""));
    EXPECT_FALSE(DSpreadViewController::isDebitCard("VISA CREDITO", "", ""));
    EXPECT_FALSE(DSpreadViewController::isDebitCard("", "", ""));
}

TEST(EmvDataRules, AnswerIdsAreSixtyFourBit) {
    EXPECT_EQ(CardAttempt::idOfAnswer({{"refundId", 345}, {"id", 12}}), 345);
    EXPECT_EQ(CardAttempt::idOfAnswer({{"id", "5000000000"}}), 5000000000LL);
    EXPECT_EQ(CardAttempt::idOfAnswer({{"id", 5000000000.0}}), 5000000000LL);
    EXPECT_EQ(CardAttempt::idOfAnswer({}), std::nullopt);
    EXPECT_EQ(CardAttempt::idOfAnswer({{"id", "abc"}}), std::nullopt);
}

TEST(EmvDataRules, AttemptReportsOnlyWhatItOwes) {
    using Entry = CardAttempt::Entry;
    struct Case {
        Entry entry;
        int trxType;
        bool owes;
    };
    for (const Case& c : QList<Case>{{Entry::Chip, 0, true},
                                     {Entry::Chip, 2, true},
                                     {Entry::Chip, 1, false},
                                     {Entry::Contactless, 0, true},
                                     {Entry::Contactless, 2, false},
                                     {Entry::Swipe, 0, false}}) {
        auto attempt =
            std::make_shared<CardAttempt>(c.entry, c.trxType, CardAttempt::Credentials{});
        EXPECT_FALSE(attempt->owesReport()); // nothing accepted yet
        EXPECT_FALSE(attempt->report(false));
        attempt->accept(std::nullopt);
        EXPECT_FALSE(attempt->owesReport()); // no id to report
        attempt->accept(7);
        EXPECT_EQ(attempt->owesReport(), c.owes);
    }
}

// The controller's own rules, with a screenless host.
class ControllerRules : public ::testing::Test {
protected:
    void SetUp() override {
        host.sale_->setSubtotal(Amount::initWithDouble(100.00));
        host.sale_->setCurrencyCode("032");
        settings.setSignatureLimitAmount(100);
        settings.setSignatureLimitCurrencyCode("032");
        settings.setCurrencies({});
    }
    void TearDown() override {
        settings.setSignatureLimitAmount(0);
        settings.setSignatureLimitCurrencyCode(QString());
        settings.setCurrencies({});
        controller.setDelegate(nullptr);
    }
    SimulatedReaderHost host;
    DSpreadViewController controller{&host, false};
    AccountSettings& settings = AccountSettings::instance();
};

TEST_F(ControllerRules, SignatureDecision) {
    struct Case {
        const char* name;
        double total;
        const char* currency;
        QVariantList currencies;
        const char* pinBlock;
        bool offlinePin;
        const char* authentication;
        int trxType;
        bool signs;
    };
    const QVariantMap limitFirst{{"code", "032"}, {"exchangeRate", 20}};
    const QVariantMap otherFirst{{"code", "840"}, {"exchangeRate", "20"}};
    const QVariantMap noRate{{"code", "840"}};
    const QVariantMap zeroRate{{"code", "840"}, {"exchangeRate", 0}};
    const QList<Case> cases = {
        {"at the limit", 100.00, "032", {}, nullptr, false, "", 0, true},
        {"under the limit", 99.99, "032", {}, nullptr, false, "", 0, false},
        {"PIN block", 500, "032", {}, "AB12", false, "", 0, false},
        {"empty PIN block counts as none", 500, "032", {}, "", false, "", 0, true},
        {"offline PIN", 500, "032", {}, nullptr, true, "", 0, false},
        {"qps exempts", 500, "032", {}, nullptr, false, "qps", 0, false},
        {"refund never signs", 500, "032", {}, nullptr, false, "", 2, false},
        {"first currency is the limit's: from 5",
         5,
         "840",
         {limitFirst},
         nullptr,
         false,
         "",
         0,
         true},
        {"first currency is the limit's: not under 5",
         4.99,
         "840",
         {limitFirst},
         nullptr,
         false,
         "",
         0,
         false},
        {"another first currency: from 2000",
         2000,
         "986",
         {otherFirst},
         nullptr,
         false,
         "",
         0,
         true},
        {"another first currency: not under 2000",
         1999,
         "986",
         {otherFirst},
         nullptr,
         false,
         "",
         0,
         false},
        {"no first currency: signs", 1, "986", {}, nullptr, false, "", 0, true},
        {"no exchange rate: signs", 1, "986", {noRate}, nullptr, false, "", 0, true},
        {"zero exchange rate: signs", 1, "986", {zeroRate}, nullptr, false, "", 0, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto card = std::make_shared<CreditCard>();
        if (c.pinBlock)
            card->setPinBlock(QString::fromLatin1(c.pinBlock));
        card->setOfflinePinInserted(c.offlinePin);
        host.sale_->setCreditCard(card);
        host.sale_->setSubtotal(Amount::initWithDouble(c.total));
        host.sale_->setCurrencyCode(c.currency);
        host.sale_->setAuthenticationType(QString::fromLatin1(c.authentication));
        host.sale_->setTrxType(c.trxType);
        settings.setCurrencies(c.currencies);
        EXPECT_EQ(controller.signatureRequired(), c.signs);
    }
}

TEST_F(ControllerRules, FailedAttemptsWrapWithoutOverflow) {
    controller.setCardRetries(INT_MIN);
    EXPECT_FALSE(controller.retriesAbort());
    EXPECT_EQ(controller.cardRetries(), INT_MAX);
    controller.setCardRetries(1);
    EXPECT_TRUE(controller.retriesAbort());
    EXPECT_EQ(host.endings, 1); // back to the sale
}

} // namespace emv_data_test

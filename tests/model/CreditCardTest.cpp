#include "model/CreditCard.h"

#include <QThread>
#include <atomic>
#include <gtest/gtest.h>

namespace {

QString hexOf(const QString& ascii) {
    return QString::fromLatin1(ascii.toLatin1().toHex().toUpper());
}

} // namespace

TEST(CreditCardBrand, RulesByLeadingCharacters) {
    struct Case {
        const char* number;
        const char* type;
        QString brand;
    };
    const Case cases[] = {
        {"", "", ""},
        {"411", "", ""},
        {"4111", "", CARD_VISA},
        {"5100000000000000", "", CARD_MASTER_CARD},
        {"5500000000000000", "", CARD_MASTER_CARD},
        {"5000000000000000", "", ""},
        {"5600000000000000", "", ""},
        {"5018000000000000", "", CARD_MAESTRO},
        {"5020000000000000", "", CARD_MAESTRO},
        {"5038000000000000", "", CARD_MAESTRO},
        {"6304000000000000", "", CARD_MAESTRO},
        {"0604000000000000", "", CARD_MAESTRO},
        {"6011000000000000", "", CARD_CABAL},
        {"5899000000000000", "", CARD_CABAL},
        {"2221000000000000", "", CARD_MASTER_CARD},
        {"2720000000000000", "", CARD_MASTER_CARD},
        {"2220000000000000", "", ""},
        {"2721000000000000", "", ""},
        {"3530000000000000", "", CARD_JCB},
        {"3600000000000000", "", CARD_DINERS},
        {"3400000000000000", "", CARD_AMERICAN_EXPRESS},
        {"3700000000000000", "", CARD_AMERICAN_EXPRESS},
        {"4111111111111111", "DEBIT", CARD_VISA_DEBIT},
        {"5100000000000000", "Debit", CARD_MASTER_DEBIT},
        {"2300000000000000", "debit", CARD_MASTER_DEBIT},
        {"3400000000000000", "DEBIT", CARD_AMERICAN_EXPRESS},
        {"4111111111111111", "credit", CARD_VISA},
        {"xxxx", "", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CreditCard::getIssuerType(c.number, c.type), c.brand)
            << c.number << " " << c.type;
}

TEST(CreditCardBrand, DerivedWhileEmptyAndOtherAfterFilling) {
    CreditCard card;
    EXPECT_EQ(card.cardIssuer(), "");
    card.setNumber("5612345678901234");
    EXPECT_EQ(card.cardIssuer(), "");
    card.setNumber("378282246310005");
    EXPECT_EQ(card.cardIssuer(), CARD_AMERICAN_EXPRESS);

    CreditCard filled;
    EXPECT_EQ(filled.setCardNumber("5612345678901234", "Ana", "2512", "123", "DNI"), CARD_OK);
    EXPECT_EQ(filled.cardIssuer(), CARD_OTHER);
    EXPECT_EQ(filled.numberLast4(), "1234");
    EXPECT_EQ(filled.expiration(), "2512");
    EXPECT_EQ(filled.IdNumber(), "123");
    EXPECT_EQ(filled.IdType(), "DNI");
    filled.setCardNumber("123", "", "", "", "");
    EXPECT_EQ(filled.numberLast4(), "123");
    EXPECT_EQ(filled.bin(), "123");
    filled.setCardNumber("4111111111111111", "", "", "", "");
    EXPECT_EQ(filled.bin(), "411111");
}

TEST(CreditCardBrand, PictureNames) {
    EXPECT_EQ(CreditCard::issuerPictureName(CARD_VISA_DEBIT), "t_visa.png");
    EXPECT_EQ(CreditCard::issuerPictureBigName(CARD_VISA_DEBIT), "t_generic.png");
    EXPECT_EQ(CreditCard::issuerPictureBigName(CARD_CABAL), "t_cabal_lg.png");
    for (const QString& brand : {CARD_MASTER_DEBIT, CARD_MAESTRO, CARD_JCB, QString("")}) {
        EXPECT_EQ(CreditCard::issuerPictureName(brand), "t_generic.png");
        EXPECT_EQ(CreditCard::issuerPictureBigName(brand), "t_generic.png");
    }
}

TEST(CreditCardRules, LuhnAndLength) {
    const std::pair<const char*, bool> cases[] = {
        {"4111111111111111", true},
        {"378282246310005", true},
        {"4111111111111112", false},
        {"4111 1111 1111 1111", false},
        {"123456782", false},
        {"41111111111111113", false},
        {"", false},
        {"41111111a1111111", false},
    };
    for (const auto& [number, valid] : cases)
        EXPECT_EQ(CreditCard::isCardNumberValid(number), valid) << number;
}

TEST(CreditCardRules, SecurityCodeLengthFollowsBrand) {
    CreditCard amex;
    amex.setNumber("341111111111111");
    EXPECT_FALSE(amex.setCVV2("123"));
    EXPECT_TRUE(amex.setCVV2("1234"));
    EXPECT_EQ(amex.cvv2(), "1234");

    CreditCard other;
    EXPECT_FALSE(other.setCVV2("1234"));
    EXPECT_FALSE(other.setCVV2("12a"));
    EXPECT_EQ(other.cvv2(), "");
    EXPECT_TRUE(other.setCVV2("123"));
    EXPECT_FALSE(other.setCVV2("12"));
    EXPECT_EQ(other.cvv2(), "123");
}

TEST(CreditCardData, CopyClearAndRecordCard) {
    CreditCard card;
    card.setCardNumber("4111111111111111", "Ana", "2512", "1", "DNI");
    card.setPinBlock(QString("PB"));
    card.setPinKSN(QString("KSN"));
    card.setEmvTags(QByteArray(R"({"9F02":"000000001000"})"));
    card.setEmvApp(QByteArray(R"({"label":"VISA","aid":"A0000000031010"})"));
    QImage signature(4, 4, QImage::Format_ARGB32);
    signature.fill(Qt::black);
    card.setSignatureImage(signature);
    card.setInstallments(6);
    card.setTransactionType("emv");
    card.setTrack1Encrypted(QString("T1"));

    const auto copy = card.copy();
    EXPECT_EQ(copy->number(), card.number());
    EXPECT_EQ(copy->storedCardIssuer(), CARD_VISA);
    EXPECT_EQ(copy->pinBlock(), std::optional<QString>("PB"));
    EXPECT_EQ(copy->pinKSN(), std::optional<QString>("KSN"));
    EXPECT_EQ(copy->emvTags(), card.emvTags());
    EXPECT_EQ(copy->emvApp(), card.emvApp());
    EXPECT_EQ(copy->signatureImage(), signature);
    EXPECT_EQ(copy->installments(), 6);
    EXPECT_EQ(copy->track1Encrypted(), std::optional<QString>("T1"));

    card.cleanPresentCardFields();
    card.clearInstallments();
    EXPECT_FALSE(card.pinBlock() || card.pinKSN() || card.emvTags() || card.emvApp() ||
                 card.track1Encrypted());
    EXPECT_EQ(card.transactionType(), "");
    EXPECT_EQ(card.installments(), 1);
    EXPECT_EQ(card.number(), "4111111111111111");
    EXPECT_EQ(copy->transactionType(), "emv");

    EXPECT_EQ(CreditCard::fromDictionary(QVariant()), nullptr);
    EXPECT_EQ(CreditCard::fromDictionary(QVariant("text")), nullptr);
    const auto fromRecord =
        CreditCard::fromDictionary(QVariantMap{{"cardHolderName", "Ana"},
                                               {"cardNumber", "411111XXXXXX1111"},
                                               {"last4Numbers", "1111"},
                                               {"issuerName", QVariant::fromValue(nullptr)},
                                               {"issuerImageUrl", "https://img/x.png"}});
    ASSERT_NE(fromRecord, nullptr);
    EXPECT_EQ(fromRecord->name(), "Ana");
    EXPECT_EQ(fromRecord->number(), "411111XXXXXX1111");
    EXPECT_EQ(fromRecord->numberLast4(), "1111");
    EXPECT_EQ(fromRecord->bankName(), "");
    EXPECT_EQ(fromRecord->bankImageURL(), "https://img/x.png");
}

TEST(CreditCardData, PinBlockReadWhileWritten) {
    CreditCard card;
    const QString a(64, 'A'), b(64, 'B');
    std::atomic<bool> torn{false};
    QThread* writer = QThread::create([&] {
        for (int i = 0; i < 20000; ++i)
            card.setPinBlock(i % 2 ? a : b);
    });
    writer->start();
    while (!writer->isFinished()) {
        const auto value = card.pinBlock();
        if (value && *value != a && *value != b)
            torn = true;
    }
    writer->wait();
    delete writer;
    EXPECT_FALSE(torn);
}

// ---------------------------------------------------------------- stripe block

TEST(CreditCardStripe, ReadsEveryField) {
    const QString track = "00112233445566778899AABBCCDDEEFF0011223344556677";
    const QString ksn = "FFFF9876543210E00001";
    const QString block = "DF1A10" + hexOf("4111111111111111") + "5F200A" + hexOf(" DOE/JOHN ") +
                          "DF1E18" + track + "DF1F0A" + ksn + "5F3003" + hexOf("201");
    CreditCard card;
    card.setExpiration("2512");
    card.setIdNumber("9");
    EXPECT_EQ(card.emvReadMSRCode(block), CARD_OK);
    EXPECT_EQ(card.number(), "4111111111111111");
    EXPECT_EQ(card.name(), "JOHN DOE");
    EXPECT_EQ(card.numberLast4(), "1111");
    EXPECT_EQ(card.cardIssuer(), CARD_VISA);
    EXPECT_EQ(card.track2Encrypted(), track);
    EXPECT_EQ(card.track2KSN(), ksn);
    EXPECT_EQ(card.serviceCode(), "201");
    EXPECT_EQ(card.expiration(), "");
    EXPECT_EQ(card.IdNumber(), "");
}

TEST(CreditCardStripe, FirstOccurrenceOfATagWinsAndMissingFieldsFail) {
    // The key serial number's tag text also stands inside the track value: the first
    // occurrence is the one read.
    const QString track = "0011DF1F0A" + QString(38, '7');
    const QString block = "DF1A10" + hexOf("5500000000000004") + "5F2004" + hexOf("ANA ") +
                          "DF1E18" + track + "DF1F0A" + QString(20, '9') + "5F3003" + hexOf("101");
    CreditCard card;
    EXPECT_EQ(card.emvReadMSRCode(block), CARD_OK);
    EXPECT_EQ(card.name(), "ANA");
    EXPECT_EQ(card.track2Encrypted(), track);
    EXPECT_EQ(card.track2KSN(), QString(20, '7'));
}

TEST(CreditCardStripe, MissingKeySerialNumberKeepsWhatWasRead) {
    const QString block = "DF1A10" + hexOf("4111111111111111") + "5F2004" + hexOf("ANA ") +
                          "DF1E18" + QString(48, 'A') + "5F3003" + hexOf("201");
    CreditCard card;
    EXPECT_EQ(card.emvReadMSRCode(block), ERROR_CARD_BAD_DATA);
    EXPECT_EQ(card.number(), "4111111111111111");
    EXPECT_EQ(card.name(), "ANA");
    EXPECT_EQ(card.numberLast4(), "1111");
    EXPECT_EQ(card.cardIssuer(), CARD_VISA);
    EXPECT_EQ(card.track2Encrypted(), QString(48, 'A'));
    EXPECT_EQ(card.track2KSN(), "");

    // Garbage never crashes and never reads past the text.
    for (const QString& junk : {QString(), QString("DF1A"), QString("DF1AZZ5F20"), QString("5F30"),
                                QString("DF1E18ABC"), QString("DF1A1")})
        EXPECT_EQ(CreditCard().emvReadMSRCode(junk), ERROR_CARD_BAD_DATA);
}

TEST(CreditCardStripe, HexHelpers) {
    EXPECT_EQ(CreditCard::getEMVRealData("3431", true), "41");
    EXPECT_EQ(CreditCard::getEMVRealData("3431", false), "3431");
    // Odd length: the lone last digit is dropped; a pair that is not hex is skipped.
    EXPECT_EQ(CreditCard::getEMVRealData("343", true), "4");
    EXPECT_EQ(CreditCard::getEMVRealData("34ZZ31", true), "41");
    EXPECT_EQ(CreditCard::getEMVRealData("", true), "");

    EXPECT_EQ(CreditCard::getEMVObjectFromTag("AB12DF1F", "DF1F", false, 2), "");
    EXPECT_EQ(CreditCard::getEMVObjectFromTag("DF1F0A", "DF1F", false, 2), "");
    EXPECT_EQ(CreditCard::getEMVObjectFromTag("DF1F0A12", "DF1F", false, 2), "12");
    const QString nineteen = "DF1F0A" + QString(19, '1');
    EXPECT_EQ(CreditCard::getEMVObjectFromTagLength(nineteen, "DF1F", 10, false, 2), "");
    EXPECT_EQ(CreditCard::getEMVObjectFromTagLength(nineteen + "23", "DF1F", 10, false, 2),
              QString(19, '1') + "2");
    EXPECT_EQ(CreditCard::getEMVObjectFromTagToTag("DF1A0231325F20", "DF1A", "5F20", true, 2),
              "12");
    EXPECT_EQ(CreditCard::getEMVObjectFromTagToTag("DF1A023132", "DF1A", "5F20", true, 2), "");

    EXPECT_EQ(CreditCard::createEMVDataTag("9F02", "1000", 6), "9F0206000000001000");
    EXPECT_EQ(CreditCard::createEMVDataTag("9F02", "1234567890", 2), "9F02021234567890");
}

#include "model/CreditCard.h"

#include <gtest/gtest.h>

namespace {
const QString kKey = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWX");
}

TEST(CardEncryption, KnownAnswers) {
    const std::pair<const char*, const char*> cases[] = {
        {"2512", "8mmbDmUBS40="},
        {"", "YDkqDZIrkHc="},
        {"4111111111111111", "NdY4tO7z21auv0wU4fmV0mA5Kg2SK5B3"},
    };
    for (const auto& [plain, cipher] : cases) {
        EXPECT_EQ(CreditCard::encryptString(plain, kKey), std::optional<QString>(cipher));
        // Only the first 24 characters of a longer key count.
        EXPECT_EQ(CreditCard::encryptString(plain, kKey + "YZ-session-rest"),
                  std::optional<QString>(cipher));
    }
}

TEST(CardEncryption, RoundTripAndLineWrapping) {
    const QString text(100, QLatin1Char('9'));
    const std::optional<QString> encoded = CreditCard::encryptString(text, kKey);
    ASSERT_TRUE(encoded);
    // 104 cipher bytes are 140 Base64 characters: lines of 64, 64 and 12.
    const QStringList lines = encoded->split("\r\n");
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[0].size(), 64);
    EXPECT_EQ(lines[1].size(), 64);
    EXPECT_EQ(lines[2].size(), 12);

    const QByteArray cipher = QByteArray::fromBase64(lines.join("").toLatin1());
    EXPECT_EQ(CreditCard::tripleDesDecryptData(cipher, kKey), std::optional<QString>(text));
    TarvelloError error;
    EXPECT_FALSE(CreditCard::tripleDesDecryptData(cipher.left(7), kKey, &error));
    EXPECT_EQ(error.domain, CreditCard::cipherErrorDomain);
}

TEST(CardEncryption, UnusableKeyIsAnErrorNotACrash) {
    const QString shortKeys[] = {QString(), QString(""), kKey.left(23),
                                 // 24 characters, but more than 24 bytes in UTF-8
                                 QString::fromUtf8("ÁBCDEFGHIJKLMNOPQRSTUVWX")};
    for (const QString& key : shortKeys) {
        TarvelloError error;
        EXPECT_FALSE(CreditCard::encryptString("2512", key, &error));
        EXPECT_EQ(error.domain, CreditCard::cipherErrorDomain);
        EXPECT_EQ(error.code, -4310);
        EXPECT_FALSE(CreditCard::tripleDesEncryptString("2512", key));
    }
}

TEST(CardEncryption, CardFieldsAllOrNothing) {
    CreditCard card;
    card.setCardNumber("4111111111111111", "Ana", "2512", "", "");
    card.setCvv2("123");

    TarvelloError error;
    EXPECT_FALSE(card.encryptCardDataWithKey("too-short", true, true, true, &error));
    EXPECT_EQ(error.code, -4310);
    EXPECT_EQ(card.number(), "4111111111111111");
    EXPECT_EQ(card.cvv2(), "123");
    EXPECT_EQ(card.expiration(), "2512");

    ASSERT_TRUE(card.encryptCardDataWithKey(kKey + "tail", false, false, true));
    EXPECT_EQ(card.expiration(), "8mmbDmUBS40=");
    EXPECT_EQ(card.number(), "4111111111111111");
    EXPECT_EQ(card.cvv2(), "123");

    ASSERT_TRUE(card.encryptCardDataWithKey(kKey, true, true, false));
    EXPECT_EQ(card.number(), "NdY4tO7z21auv0wU4fmV0mA5Kg2SK5B3");
    EXPECT_EQ(card.cvv2().size(), 12);
    EXPECT_TRUE(card.cvv2().endsWith('='));

    // An encrypted field encrypted again is the encryption of its Base64 text.
    ASSERT_TRUE(card.encryptCardDataWithKey(kKey, false, false, true));
    EXPECT_EQ(card.expiration(), CreditCard::encryptString("8mmbDmUBS40=", kKey));
}

#include "reader/AIDs.h"

#include <gtest/gtest.h>

TEST(AIDs, LookUps) {
    struct Case {
        const char* aid;
        const char* row;
    };
    const Case cases[] = {
        {"A0000000041010", "A0000000041010"},
        {"A0 00 00 00 04 10 10", "A0000000041010"},
        {"A000000003101001", "A0000000031010"},
        {"A0000000033010", "A0000000033010"},
        {"A0000000250000", "A0000000250000"},
        {"A0000000999999", nullptr},
        {"", nullptr},
    };
    for (const Case& c : cases) {
        const auto tags = AIDs::tagsForAID(c.aid);
        if (!c.row) {
            EXPECT_FALSE(tags) << c.aid;
            continue;
        }
        ASSERT_TRUE(tags) << c.aid;
        EXPECT_EQ(tags->value("9F06"), c.row);
    }
}

TEST(AIDs, RowsHoldEveryTag) {
    const auto mastercard = AIDs::tagsForAID("A0000000041010");
    ASSERT_TRUE(mastercard);
    const AIDs::Tags expected{
        {"9F06", "A0000000041010"}, {"9F09", "0002"},     {"C2", "01"},
        {"C8", "0000000000"},       {"C9", "FC50A8F800"}, {"CA", "FC50A8A000"},
        {"9F1B", "00000000"},       {"9F35", "52"}};
    EXPECT_EQ(*mastercard, expected);

    const auto amex = AIDs::tagsForAID("A0000000250000");
    EXPECT_EQ(amex->value("C8"), "");
    EXPECT_EQ(amex->value("C9"), "");
    EXPECT_EQ(amex->value("CA"), "");
    EXPECT_TRUE(amex->contains("CA"));
    EXPECT_EQ(amex->value("9F09"), "0001");

    const auto visa = AIDs::tagsForAID("A0000000032010");
    EXPECT_EQ(visa->value("C2"), "00");
    EXPECT_EQ(visa->value("C8"), "0010000000");
    EXPECT_EQ(visa->value("C9"), "DC4004F800");
    EXPECT_EQ(visa->value("CA"), "DC4000A800");
    EXPECT_EQ(AIDs::tagsForAID("A0000000043060")->value("C9"), "B050A0F800");
}

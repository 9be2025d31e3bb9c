#include "reader/Util.h"

#include <gtest/gtest.h>

namespace reader_util_test {

TEST(ReaderHex, TextToBytesAndBack) {
    struct Case {
        const char* text;
        QByteArray bytes;
    };
    const Case cases[] = {
        {"9f26", QByteArray::fromHex("9F26")},
        {"8A023030", QByteArray::fromHex("8A023030")},
        {"", {}},
        {"ABC", QByteArray::fromHex("AB")},   // a lone digit at the end is dropped
        {"A-BCD", QByteArray::fromHex("BC")}, // a non-digit discards the pending digit
    };
    for (const Case& c : cases)
        EXPECT_EQ(Util::HexStringToByteArray(c.text), c.bytes) << c.text;
    EXPECT_EQ(Util::byteArray2Hex(QByteArray::fromHex("9f26ab00")), "9F26AB00");
    EXPECT_EQ(Util::byteArray2Hex({}), "");
}

TEST(ReaderHex, NumbersAndDisplayTexts) {
    EXPECT_EQ(Util::IntToHex(0x4F), QByteArray::fromHex("004F"));
    EXPECT_EQ(Util::IntToHex(0x9F26), QByteArray::fromHex("9F26"));
    EXPECT_EQ(Util::IntToHex(0x12345), QByteArray::fromHex("2345"));
    EXPECT_EQ(Util::gbString("OK"), "4F4B");
    EXPECT_EQ(Util::gbString("RETIRE TARJETA"), "524554495245205441524A455441");
}

} // namespace reader_util_test

#include "reader/TLV.h"

#include <gtest/gtest.h>

namespace {

QByteArray hex(const char* text) {
    return QByteArray::fromHex(QByteArray(text).replace(' ', ""));
}

} // namespace

TEST(TLVDecode, TagsAndLengths) {
    struct Case {
        const char* input;
        qint32 tag;
        QByteArray value;
    };
    const Case cases[] = {
        {"9F02 06 000000001000", 0x9F02, hex("000000001000")},
        {"DFDC 01 AA", 0xDFDC, hex("AA")},
        {"DF8101 01 AA", 0xDF8101, hex("AA")},
        {"CF01 01 AA", 0xCF01, hex("AA")},
        {"9F818283 01 AA", qint32(0x9F818283u), hex("AA")},
        {"5A 80", 0x5A, QByteArray("")},
        {"00 00", 0, QByteArray("")},
    };
    for (const Case& c : cases) {
        const auto list = TLV::decodeTags(hex(c.input));
        ASSERT_TRUE(list) << c.input;
        ASSERT_EQ(list->size(), 1) << c.input;
        EXPECT_EQ(list->at(0).tag(), c.tag) << c.input;
        ASSERT_TRUE(list->at(0).data()) << c.input;
        EXPECT_EQ(*list->at(0).data(), c.value) << c.input;
    }

    const auto lengths = [](const QByteArray& header, int n) {
        return TLV::decodeTags(header + QByteArray(n, '\x11'));
    };
    EXPECT_EQ(lengths(hex("8A 81 80"), 128)->at(0).data()->size(), 128);
    EXPECT_EQ(lengths(hex("8A 82 1000"), 4096)->at(0).data()->size(), 4096);
    EXPECT_FALSE(lengths(hex("8A 82 1001"), 4097));
    EXPECT_FALSE(lengths(hex("9F02 06 00 82 1001"), 4097)); // nothing partial
}

TEST(TLVDecode, EmptyTruncatedAndRepeated) {
    EXPECT_FALSE(TLV::decodeTags(QByteArray()));
    EXPECT_FALSE(TLV::decodeTags(hex("9F")));
    EXPECT_FALSE(TLV::decodeTags(hex("9F02")));
    EXPECT_FALSE(TLV::decodeTags(hex("9F02 06 0000")));
    EXPECT_FALSE(TLV::decodeTags(hex("9F02 84 0000")));
    EXPECT_FALSE(TLV::decodeTags(hex("9F02 84 80000000")));

    const auto list = TLV::decodeTags(hex("5A 80 9F02 01 01 9F02 01 02"));
    ASSERT_TRUE(list);
    ASSERT_EQ(list->size(), 3);
    EXPECT_EQ(*list->at(0).data(), QByteArray());
    const auto all = TLV::findTag(0x9F02, list);
    ASSERT_TRUE(all);
    ASSERT_EQ(all->size(), 2);
    EXPECT_EQ(*all->at(0).data(), hex("01"));
    EXPECT_EQ(*TLV::findLastTag(0x9F02, list)->data(), hex("02"));
    EXPECT_FALSE(TLV::findTag(0x8A, list));
    EXPECT_FALSE(TLV::findLastTag(0x8A, list));
    EXPECT_FALSE(TLV::findTag(0x9F02, std::nullopt));
}

TEST(TLVEncode, LengthFormsAndRoundTrip) {
    const auto encoded = [](int n) {
        return TLV::encodeTags({TLV::tlvWithData(QByteArray(n, '\x22'), 0x9F02)});
    };
    EXPECT_EQ(encoded(127).left(3), hex("9F02 7F"));
    EXPECT_EQ(encoded(128).left(5), hex("9F02 82 0080"));
    EXPECT_EQ(encoded(200).left(5), hex("9F02 82 00C8"));
    EXPECT_EQ(TLV::encodeTags({TLV::tlvWithString("00", 0x8A)}), hex("8A 02 3030"));
    EXPECT_EQ(TLV::encodeTags({}), QByteArray());
    EXPECT_EQ(TLV::encodeTags({TLV::tlvWithData(std::nullopt, 0xDF8101)}), hex("DF8101 00"));
    EXPECT_EQ(TLV::encodeTags({TLV::tlvWithString("ñ", 0x50)}), hex("50 00"));

    const QList<TLV> tags{TLV::tlvWithData(hex("A0000000031010"), 0x4F),
                          TLV::tlvWithData(QByteArray(4096, '\x33'), 0xDF8101),
                          TLV::tlvWithData(QByteArray(), 0x9F818283u),
                          TLV::tlvWithData(hex("01"), 0xDFDC)};
    const auto back = TLV::decodeTags(TLV::encodeTags(tags));
    ASSERT_TRUE(back);
    ASSERT_EQ(back->size(), tags.size());
    for (qsizetype i = 0; i < tags.size(); ++i) {
        EXPECT_EQ(back->at(i).tag(), tags[i].tag());
        EXPECT_EQ(back->at(i).data(), tags[i].data());
    }
}

TEST(TLVHelpers, BuildersAndDescription) {
    EXPECT_EQ(stringToData("9F 02"), hex("9F02"));
    EXPECT_EQ(stringToData("9f02"), hex("9F02"));
    EXPECT_EQ(stringToData("9F0"), hex("9F"));
    EXPECT_EQ(stringToData("9g02"), hex("02"));
    EXPECT_EQ(stringToData(""), QByteArray());

    EXPECT_EQ(*TLV::tlvWithInt(258, 4, 0x9F02).data(), hex("00000102"));
    EXPECT_EQ(*TLV::tlvWithInt(258, 10, 0x9F02).data(), hex("00000000000000000102"));
    EXPECT_EQ(encodeToBCD(1234, 3), hex("001234"));
    EXPECT_EQ(encodeToBCD(123456, 2), hex("3456"));
    EXPECT_EQ(*TLV::tlvWithBCD(1000, 6, 0x9F02).data(), hex("000000001000"));
    EXPECT_EQ(*TLV::tlvWithHexString("A0 00", 0x4F).data(), hex("A000"));

    const TLV amount = TLV::tlvWithData(hex("000000001000"), 0x9F02);
    EXPECT_EQ(amount.description(), "Tag: 9f02 (<00000000 1000>)");
    EXPECT_EQ(TLV::tlvWithString("OK", 0xD3).description(), "Tag: d3 (OK)");
    EXPECT_EQ(TLV::tlvWithData(std::nullopt, 0x5A).description(), "Tag: 5a ((null))");
    EXPECT_EQ(TLV::tlvWithData(std::nullopt, 0x5A).bytes(), nullptr);
    EXPECT_EQ(amount.bytes()[5], '\x00');
    EXPECT_EQ(amount.bytes()[4], '\x10');

    EXPECT_TRUE(TLV::tlvWithTag(0x70, {}).constructed());
    EXPECT_TRUE(TLV::tlvWithTag(0xBF0C, {}).constructed());
    EXPECT_FALSE(TLV::tlvWithTag(0x9F02, {}).constructed());
    EXPECT_FALSE(TLV::tlvWithTag(0x5A, {}).constructed());
}

TEST(TLVViews, ReadInPlaceAsTheCopyingCodecReads) {
    const char* const inputs[] = {
        "9F02 06 000000001000 DFDC 01 AA DF8101 01 AA CF01 01 AA 9F818283 01 AA 5A 80 00 00",
        "8A 02 3030 91 04 AABBCCDD 72 03 010203",
        "9F02 06 0000", // runs past the end
        "9F02 84 80000000",
        "",
    };
    QList<TLVView> views{TLVView{0x99, {}}}; // left over from an earlier blob
    for (const char* input : inputs) {
        SCOPED_TRACE(input);
        const QByteArray blob = hex(input);
        const auto copied = TLV::decodeTags(blob);
        ASSERT_EQ(TLVViews::decode(blob, views), copied.has_value());
        if (!copied) {
            EXPECT_TRUE(views.isEmpty());
            continue;
        }
        ASSERT_EQ(views.size(), copied->size());
        for (qsizetype i = 0; i < views.size(); ++i) {
            EXPECT_EQ(qint32(views[i].tag), copied->at(i).tag());
            EXPECT_EQ(views[i].value.toByteArray(), *copied->at(i).data());
            // A view into the blob, not a copy.
            EXPECT_TRUE(views[i].value.isEmpty() ||
                        (views[i].value.data() >= blob.constData() &&
                         views[i].value.data() < blob.constData() + blob.size()));
        }
        QByteArray out("prefix");
        TLVViews::encode(views, out);
        EXPECT_EQ(out, "prefix" + TLV::encodeTags(*copied));
    }

    const QByteArray long_ = hex("9F02 82 00C8") + QByteArray(200, '\x22') + hex("9F02 01 07");
    ASSERT_TRUE(TLVViews::decode(long_, views));
    QByteArray again;
    TLVViews::encode(views, again);
    EXPECT_EQ(again, long_);
    EXPECT_EQ(TLVViews::findLast(views, 0x9F02)->value.toByteArray(), hex("07"));
    EXPECT_FALSE(TLVViews::findLast(views, 0x8A));
}

#include "reader/CAKeys.h"

#include <QCryptographicHash>
#include <gtest/gtest.h>

namespace {

struct Row {
    const char* key;
    int length;
    const char* ends;
    const char* exponent;
    // Checksum the scheme publishes with the key (SHA-1 of RID, index, modulus, exponent).
    const char* checksum;
};

QByteArray bytesOf(const QString& hex) {
    return QByteArray::fromHex(QString(hex).remove(' ').toLatin1());
}

void checkTable(const CAKeys::Table& table, const std::vector<Row>& rows) {
    ASSERT_EQ(table.size(), qsizetype(rows.size()));
    for (const Row& row : rows) {
        SCOPED_TRACE(row.key);
        ASSERT_TRUE(table.contains(row.key));
        const QStringList entry = table.value(row.key);
        ASSERT_EQ(entry.size(), 2);
        const QByteArray modulus = bytesOf(entry[0]);
        EXPECT_EQ(QString(entry[0]).remove(' ').size(), 2 * row.length);
        EXPECT_EQ(modulus.size(), row.length);
        EXPECT_EQ(modulus.right(2), bytesOf(row.ends));
        EXPECT_TRUE(uchar(modulus[0]) >= 0x80) << "top byte set for a full-length modulus";
        EXPECT_EQ(entry[1], row.exponent);
        if (*row.checksum) {
            const QByteArray input = bytesOf(row.key) + modulus + bytesOf(entry[1]);
            EXPECT_EQ(QCryptographicHash::hash(input, QCryptographicHash::Sha1).toHex().toUpper(),
                      QByteArray(row.checksum));
        }
    }
}

} // namespace

TEST(CAKeys, TestKeys) {
    checkTable(
        CAKeys::getPublicKeys(),
        {
            {"A0 00 00 00 03 95", 144, "62 7B", "03", "EE1511CEC71020A9B90443B37B1D5F6E703030F6"},
            {"A0 00 00 00 03 92", 176, "7C 9F", "03", "429C954A3859CEF91295F663C963E582ED6EB253"},
            {"A0 00 00 00 03 94", 248, "C6 17", "03", "C4A3C43CCF87327D136B804160E47D43B60E6E0F"},
            {"A0 00 00 00 04 00", 160, "13 99", "03", ""},
            {"A0 00 00 00 04 02", 192, "A9 C3", "03", ""},
            {"A0 00 00 00 04 05", 128, "26 E1", "03", ""},
            {"A0 00 00 00 04 EF", 248, "EB 3B", "03", "21766EBB0EE122AFB65D7845B73DB46BAB65427A"},
            {"A0 00 00 00 04 F1", 176, "7B E7", "03", "D8E68DA167AB5A85D8C3D55ECB9B0517A1A5B4BB"},
            {"A0 00 00 00 04 F3", 144, "EF A3", "03", "A69AC7603DAF566E972DEDC2CB433E07E8B01A9A"},
            {"A0 00 00 00 04 F5", 248, "11 F9", "03", ""},
            {"A0 00 00 00 04 F6", 224, "23 D3", "01 00 01", ""},
            {"A0 00 00 00 04 F7", 128, "25 AF", "01 00 01", ""},
            {"A0 00 00 00 04 F8", 128, "26 E1", "03", "F06ECC6D2AAEBF259B7E755A38D9A9B24E2FF3DD"},
            {"A0 00 00 00 04 F9", 192, "A9 C3", "03", "336712DCC28554809C6AA9B02358DE6F755164DB"},
            {"A0 00 00 00 04 FA", 144, "85 2D", "03", "5BED4068D96EA16D2D77E03D6036FC7A160EA99C"},
            {"A0 00 00 00 25 C8", 144, "E2 1D", "03", "33BD7A059FAB094939B90A8F35845C9DC779BD50"},
            {"A0 00 00 00 25 C9", 176, "62 DB", "03", "8E8DFF443D78CD91DE88821D70C98F0638E51E49"},
            {"A0 00 00 00 25 CA", 248, "55 E3", "03", "6BDA32B1AA171444C7E8F88075A74FBFE845765F"},
        });
}

TEST(CAKeys, ProductionKeys) {
    checkTable(
        CAKeys::getProductionKeys(),
        {
            {"A0 00 00 00 03 07", 144, "72 5F", "03", "B4BC56CC4E88324932CBC643D6898F6FE593B172"},
            {"A0 00 00 00 03 08", 176, "ED 0B", "03", "20D213126955DE205ADC2FD2822BD22DE21CF9A8"},
            {"A0 00 00 00 03 09", 248, "7A 41", "03", "1FF80A40173F52D7D27E0F26A146A1C8CCB29046"},
            {"A0 00 00 00 04 04", 144, "FE C5", "03", "381A035DA58B482EE2AF75F4C3F2CA469BA4AA6C"},
            {"A0 00 00 00 04 05", 176, "D5 97", "03", "EBFA0D5D06D8CE702DA3EAE890701D45E274C845"},
            {"A0 00 00 00 04 06", 248, "74 7F", "03", "F910A1504D5FFB793D94F3B500765E1ABCAD72D9"},
            {"A0 00 00 00 04 00", 96, "36 3D", "03", ""},
            {"A0 00 00 00 04 01", 96, "87 25", "03", ""},
            {"A0 00 00 00 04 02", 112, "48 95", "03", ""},
            {"A0 00 00 00 04 03", 128, "01 45", "03", ""},
            {"A0 00 00 00 04 09", 96, "0A BB", "03", ""},
            {"A0 00 00 00 25 C8", 144, "E2 1D", "03", "33BD7A059FAB094939B90A8F35845C9DC779BD50"},
            {"A0 00 00 00 25 C9", 176, "62 DB", "03", "8E8DFF443D78CD91DE88821D70C98F0638E51E49"},
            {"A0 00 00 00 25 CA", 248, "55 E3", "03", "6BDA32B1AA171444C7E8F88075A74FBFE845765F"},
        });
}

TEST(CAKeys, SharedModuliAndFreshTables) {
    const CAKeys::Table test = CAKeys::getPublicKeys();
    const CAKeys::Table production = CAKeys::getProductionKeys();
    EXPECT_EQ(test["A0 00 00 00 04 05"][0], test["A0 00 00 00 04 F8"][0]);
    EXPECT_EQ(test["A0 00 00 00 04 02"][0], test["A0 00 00 00 04 F9"][0]);
    for (const char* amex : {"A0 00 00 00 25 C8", "A0 00 00 00 25 C9", "A0 00 00 00 25 CA"})
        EXPECT_EQ(test[amex], production[amex]);
    EXPECT_NE(test["A0 00 00 00 04 05"][0], production["A0 00 00 00 04 05"][0]);

    CAKeys::Table first = CAKeys::getProductionKeys();
    first.clear();
    EXPECT_EQ(CAKeys::getProductionKeys(), production);
}

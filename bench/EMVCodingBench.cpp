#include "model/CreditCard.h"
#include "reader/EmvData.h"
#include "reader/TLV.h"

#include <benchmark/benchmark.h>

namespace {

// A chip card's online request as the reader sends it: about 300 bytes of BER-TLV.
QByteArray onlineRequest() {
    static const char* const hex = "9F0206000000001000"
                                   "9F0306000000000000"
                                   "9F260812345678ABCDEF01"
                                   "82025C00"
                                   "8407A0000000031010"
                                   "4F07A0000000031010"
                                   "500B5649534120435245444954"
                                   "9F36020041"
                                   "9F270180"
                                   "9F100706010A03A0A802"
                                   "9F3303E0F8C8"
                                   "9F1A020032"
                                   "9F3704A1B2C3D4"
                                   "5F2A020032"
                                   "5F340101"
                                   "95050000008000"
                                   "9A03151224"
                                   "9C0100"
                                   "9F2103153045"
                                   "9F09020002"
                                   "9F1E083132333435363738"
                                   "9F350122"
                                   "9F3403420300"
                                   "9F0702FF00"
                                   "9F0D05F040642000"
                                   "9F0E050010800000"
                                   "9F0F05F040649800"
                                   "5A084111111111111111"
                                   "5F2403251231"
                                   "5F30020201"
                                   "5F28020032"
                                   "5F2D026573"
                                   "5F200F43415244484F4C4445522F56495341"
                                   "57124111111111111111D25122011234567890FF"
                                   "9F410400000123"
                                   "9F530152"
                                   "9F6E0420700000"
                                   "9F0607A0000000031010"
                                   "9F40057000B0A001"
                                   "9F390105"
                                   "9F15025411"
                                   "DF8101020102"
                                   "DFDC01AA";
    return stringToData(QString::fromLatin1(hex));
}

} // namespace

static void BM_DecodeEncodeOnlineRequest(benchmark::State& state) {
    const QByteArray blob = onlineRequest();
    for (auto _ : state) {
        const auto tags = TLV::decodeTags(blob);
        if (!tags) {
            state.SkipWithError("the request blob does not decode");
            break;
        }
        benchmark::DoNotOptimize(TLV::encodeTags(*tags));
    }
    state.SetBytesProcessed(state.iterations() * blob.size());
    state.counters["blobBytes"] = double(blob.size());
}
BENCHMARK(BM_DecodeEncodeOnlineRequest);

// The same blob read in place: views into it, one list and one output buffer kept across blobs.
static void BM_DecodeEncodeOnlineRequestInPlace(benchmark::State& state) {
    const QByteArray blob = onlineRequest();
    QList<TLVView> tags;
    tags.reserve(64);
    QByteArray out;
    out.reserve(blob.size() + 64);
    for (auto _ : state) {
        out.resize(0);
        if (!TLVViews::decode(blob, tags)) {
            state.SkipWithError("the request blob does not decode");
            break;
        }
        TLVViews::encode(tags, out);
        benchmark::DoNotOptimize(out.constData());
    }
    if (out != blob)
        state.SkipWithError("the re-encoded blob differs");
    state.SetBytesProcessed(state.iterations() * blob.size());
}
BENCHMARK(BM_DecodeEncodeOnlineRequestInPlace);

// The reader's online request as it comes (a hex text) to the fields a chip sale submits: the
// masked number, the encrypted data and its KSN, the PIN block, the encrypted expiry, the holder's
// name, the service code, the application and the card's tags.
static void BM_OnlineRequestToSubmissionFields(benchmark::State& state) {
    const QString request = QString::fromLatin1(onlineRequest().toHex().toUpper()) +
                            QStringLiteral("C408411111FFFFFF1111C00A0102030405060708090A"
                                           "C2100102030405060708090A0B0C0D0E0F10C70811223344556677"
                                           "88C10A0A090807060504030201");
    const QVariantMap cardTags{{"tlv", QStringLiteral("9F260812345678ABCDEF019F0607A0000000031010"
                                                      "4F07A0000000031010DF210100")}};
    const QString token = QStringLiteral("tok_aurora_ana_card_reader_session");
    for (auto _ : state) {
        const auto tags = EmvData::decode(request);
        QStringList fields{
            EmvData::maskedNumberFromC4(EmvData::hexOf(0xC4, tags)),
            EmvData::hexOf(0xC0, tags),
            EmvData::hexOf(0xC2, tags),
            EmvData::hexOf(0xC1, tags),
            EmvData::hexOf(0xC7, tags),
            CreditCard::encryptString(EmvData::hexOf(0x5F24, tags), token).value_or(QString()),
            EmvData::textOf(0x5F20, tags),
            EmvData::hexOf(0x5F30, tags)};
        const QByteArray application =
            EmvData::jsonOf({{QStringLiteral("label"), EmvData::textOf(0x9F12, tags)},
                             {QStringLiteral("aid"), EmvData::hexOf(0x4F, tags)}});
        const QByteArray emvTags = EmvData::jsonOf(EmvData::tagDictionary(cardTags));
        benchmark::DoNotOptimize(fields);
        benchmark::DoNotOptimize(application);
        benchmark::DoNotOptimize(emvTags);
    }
}
BENCHMARK(BM_OnlineRequestToSubmissionFields)->Unit(benchmark::kMicrosecond);

// The back end's answer to the authorisation response the reader gets: 8A with the code, then
// the issuer's elements.
static void BM_AnswerTo8AText(benchmark::State& state) {
    const QString issuer = QStringLiteral("8A0230309110AABBCCDDEEFF00112233445566778899"
                                          "720F860D84240000088877665544332211");
    for (auto _ : state)
        benchmark::DoNotOptimize(
            EmvData::authorisationResponse(issuer, QStringLiteral("00"), false));
}
BENCHMARK(BM_AnswerTo8AText);

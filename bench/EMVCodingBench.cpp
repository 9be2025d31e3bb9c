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

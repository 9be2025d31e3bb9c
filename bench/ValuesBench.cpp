#include "platform/core/SafeDictionary.h"
#include "platform/core/Values.h"

#include <benchmark/benchmark.h>

static void BM_DescribeNumbers(benchmark::State& state) {
    const QVariant values[] = {QVariant(42), QVariant(2.675), QVariant(true), QVariant("text")};
    for (auto _ : state)
        for (const QVariant& v : values)
            benchmark::DoNotOptimize(Values::describe(v));
}
BENCHMARK(BM_DescribeNumbers);

static void BM_LenientReadings(benchmark::State& state) {
    const QString texts[] = {"  12345abc", "-3.14159e2", "0007", "nothing"};
    for (auto _ : state)
        for (const QString& t : texts) {
            benchmark::DoNotOptimize(Values::lenientInteger(t));
            benchmark::DoNotOptimize(Values::lenientDouble(t));
        }
}
BENCHMARK(BM_LenientReadings);

static void BM_SafeDictionaryLookups(benchmark::State& state) {
    const QVariantMap reply{{"success", "OK"},
                            {"response", QVariantMap{{"code", 401}, {"message", "expired"}}}};
    for (auto _ : state) {
        benchmark::DoNotOptimize(SafeDictionary::safeObjectForKey(reply, "success"));
        benchmark::DoNotOptimize(SafeDictionary::integerForKeyPath(reply, "response.code"));
    }
}
BENCHMARK(BM_SafeDictionaryLookups);

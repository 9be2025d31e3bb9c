#include "ui_kit/texts/Language.h"
#include "ui_kit/texts/TextTable.h"

#include <QFile>
#include <benchmark/benchmark.h>

// The first lookup reads the table from the resource bundle; it happens once per process.
static void BM_LanguageFirstLookupLoadsTable(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(Language::textForFile("GlobalTexts", "DONE"));
}
BENCHMARK(BM_LanguageFirstLookupLoadsTable)->Iterations(1)->Unit(benchmark::kMillisecond);

// Building the table from its bytes, as the first lookup does.
static void BM_LanguageTableFromJson(benchmark::State& state) {
    QByteArray bytes;
    QFile file(Language::tableResourcePath());
    if (file.open(QIODevice::ReadOnly))
        bytes = file.readAll();
    if (bytes.isEmpty()) {
        state.SkipWithError("text table not found in the resource bundle");
        return;
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(TextTable::fromJson(bytes));
    state.SetBytesProcessed(state.iterations() * bytes.size());
}
BENCHMARK(BM_LanguageTableFromJson)->Unit(benchmark::kMillisecond);

static void BM_LanguageLookup(benchmark::State& state) {
    Language::initialize();
    for (auto _ : state) {
        benchmark::DoNotOptimize(Language::textForFile("GlobalTexts", "DONE"));
        benchmark::DoNotOptimize(Language::listForFile("Pin", "docTypes"));
    }
}
BENCHMARK(BM_LanguageLookup);

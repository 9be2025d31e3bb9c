#include "ui_kit/PhoneTextField.h"

#include <benchmark/benchmark.h>

// One digit typed at the end of a nine-digit number: the edit is re-formatted for the region
// from all its digits and the caret placed, as every key press does.
static void BM_PhoneKeystroke(benchmark::State& state) {
    PhoneTextField field;
    field.setRegionCode(QStringLiteral("US"));
    for (auto _ : state) {
        state.PauseTiming();
        field.setFormattedText(QStringLiteral("201555012"));
        field.setCursorPosition(int(field.text().size()));
        state.ResumeTiming();
        field.insertText(QStringLiteral("3"));
        benchmark::DoNotOptimize(field.text());
    }
}
BENCHMARK(BM_PhoneKeystroke)->Unit(benchmark::kMicrosecond);

// Speed of the markup operations the grid runs per cell: plain text,
// highlighting and preparation of a typical rich cell.

#include "gridbase/MarkupText.h"

#include <benchmark/benchmark.h>

namespace {

String SampleCell() {
    String text;
    for (int i = 0; i < 20; ++i)
        text += u"<b>Substance</b> <font color=\"red\">Caf&eacute; &amp; more</font> value 12.5<br>";
    return text;
}

void BM_MarkupToPlainText(benchmark::State& state) {
    const String text = SampleCell();
    for (auto _ : state)
        benchmark::DoNotOptimize(MarkupToPlainText(text));
}
BENCHMARK(BM_MarkupToPlainText);

void BM_HighlightInMarkup(benchmark::State& state) {
    const String text = SampleCell();
    for (auto _ : state)
        benchmark::DoNotOptimize(HighlightInMarkup(text, u"more", u"hi", false, false));
}
BENCHMARK(BM_HighlightInMarkup);

void BM_PrepareMarkupText(benchmark::State& state) {
    const String text = SampleCell();
    for (auto _ : state)
        benchmark::DoNotOptimize(PrepareMarkupText(text));
}
BENCHMARK(BM_PrepareMarkupText);

} // namespace

BENCHMARK_MAIN();

// Speed of the grid's per-cell text routines: value-kind detection, the
// filter matcher (whose "*" tries every tail of the value) and spreadsheet
// number formats. Each runs once per cell when a grid sorts, filters or
// shows formatted cells.

#include "gridbase/FilterExpression.h"
#include "gridbase/RarEvad.h"
#include "gridbase/XLSFormat.h"

#include <array>
#include <benchmark/benchmark.h>

namespace {

void DetectValueKindOfCells(benchmark::State& state) {
    const std::array<String, 6> cells{u"12345",    u"-1,234.50", u"1.5e-3",
                                      u"12:30:45", u"3/4/2024",  u"Apple pie"};
    for (auto _ : state)
        for (const String& cell : cells)
            benchmark::DoNotOptimize(DetectValueKind(cell));
    state.SetItemsProcessed(state.iterations() * Int64(cells.size()));
}
BENCHMARK(DetectValueKindOfCells);

// "*" tries every tail of the value: a pattern whose stars can each match
// almost anywhere but that fails at the end costs a power of the length.
void FilterWithWildcards(benchmark::State& state) {
    const String value(std::size_t(state.range(0)), u'x');
    for (auto _ : state)
        benchmark::DoNotOptimize(MatchFilterExpression(u"*x*x*y", value, false));
    state.SetComplexityN(state.range(0));
}
BENCHMARK(FilterWithWildcards)->RangeMultiplier(2)->Range(8, 64)->Complexity();

void FilterWithComparisons(benchmark::State& state) {
    const std::array<String, 4> cells{u"3", u"7.5", u"12", u"abc"};
    for (auto _ : state)
        for (const String& cell : cells)
            benchmark::DoNotOptimize(MatchFilterExpression(u">5 & <10 | A*", cell, false));
    state.SetItemsProcessed(state.iterations() * Int64(cells.size()));
}
BENCHMARK(FilterWithComparisons);

void NumberFormatOfCells(benchmark::State& state) {
    const String format = u"#,##0.00;[Red](#,##0.00);\"zero\"";
    double value = -5000;
    for (auto _ : state) {
        benchmark::DoNotOptimize(ApplyXLSFormat(Variant(value), format));
        value += 0.75;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(NumberFormatOfCells);

} // namespace

BENCHMARK_MAIN();

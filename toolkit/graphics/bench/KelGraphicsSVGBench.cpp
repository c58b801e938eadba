// Speed of the grammars an SVG document load runs for every element: path
// data (an icon outline with curves, arcs and relative commands), a
// transform list and a style attribute's declarations.
#include "kel/KelGraphicsSVGEngine.h"

#include <benchmark/benchmark.h>

namespace {

const String IconPath =
    u"M12 2C6.48 2 2 6.48 2 12s4.48 10 10 10 10-4.48 10-10S17.52 2 12 2zm-1 17.93c-3.95-.49-7-3.85-7-7.93 "
    u"0-.62.08-1.21.21-1.79L9 15v1c0 1.1.9 2 2 "
    u"2v1.93zm6.9-2.54c-.26-.81-1-1.39-1.9-1.39h-1v-3c0-.55-.45-1-1-1H8v-2h2"
    u"c.55 0 1-.45 1-1V7h2c1.1 0 2-.9 2-2v-.41c2.93 1.19 5 4.06 5 7.41 0 2.08-.8 3.97-2.1 5.39z"
    u"M4 4a4 4 0 1 0 8 0a4 4 0 1 0 -8 0Z";

void BM_PathData(benchmark::State& State) {
    for (auto _ : State) {
        TKelGraphicsSVGElement Element;
        TKelGraphicsSVGImport::ParsePathData(&Element, IconPath);
        benchmark::DoNotOptimize(Element.ActivePath());
    }
    State.SetBytesProcessed(State.iterations() * static_cast<int64_t>(IconPath.size() * sizeof(Char)));
}
BENCHMARK(BM_PathData);

void BM_TransformList(benchmark::State& State) {
    const String Transform = u"translate(10, 20) rotate(30 5 5) scale(1.5) skewX(10) matrix(1 0 0 1 3 4)";
    for (auto _ : State)
        benchmark::DoNotOptimize(TKelGraphicsSVGImport::ParseTransform(Transform));
}
BENCHMARK(BM_TransformList);

void BM_Declarations(benchmark::State& State) {
    const String Style = u"fill:#ff8800;stroke:rgb(0,128,255);stroke-width:1.5px;opacity:0.8;"
                         u"font-family:Arial-BoldMT;font-size:12pt;display:inline";
    TKelGraphicsSVGImport Import;
    for (auto _ : State) {
        TKelGraphicsSVGElement Element;
        Import.ParseDeclarations(&Element, Style);
        benchmark::DoNotOptimize(Element.FillColor());
    }
}
BENCHMARK(BM_Declarations);

} // namespace
BENCHMARK_MAIN();

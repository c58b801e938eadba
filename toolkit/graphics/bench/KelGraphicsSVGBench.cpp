// Speed of the grammars an SVG document load runs for every element: path
// data (an icon outline with curves, arcs and relative commands), a
// transform list and a style attribute's declarations; and a whole icon
// document's load.
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

// An icon set's document: a style sheet, a gradient and N groups of shapes.
String IconDocument(int AGroups) {
    String Text = u"<svg xmlns='http://www.w3.org/2000/svg' viewBox='0 0 24 24'><defs>"
                  u"<style>.a{fill:#ff8800}.b{stroke:#0080ff;stroke-width:2}</style>"
                  u"<linearGradient id='g'><stop offset='0%' stop-color='#000'/>"
                  u"<stop offset='100%' stop-color='#fff'/></linearGradient></defs>";
    for (int I = 0; I < AGroups; ++I)
        Text += u"<g transform='translate(1 1)'><path class='a' d='" + IconPath +
                u"'/><rect class='b' x='2' y='2' width='8' height='8' rx='1'/>"
                u"<polygon points='0,0 10,0 10,10' fill='url(#g)'/><circle cx='5' cy='5' r='3'/></g>";
    return Text + u"</svg>";
}

void BM_LoadDocument(benchmark::State& State) {
    const String Text = IconDocument(static_cast<int>(State.range(0)));
    TKelGraphicsSVGImport Import;
    for (auto _ : State) {
        Import.LoadFromText(Text);
        benchmark::DoNotOptimize(Import.ElementCount());
    }
    State.SetBytesProcessed(State.iterations() * static_cast<int64_t>(Text.size() * sizeof(Char)));
}
BENCHMARK(BM_LoadDocument)->Arg(1)->Arg(100);

} // namespace
BENCHMARK_MAIN();

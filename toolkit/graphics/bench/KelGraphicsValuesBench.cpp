// Speed of the named-colour lookup (a scan of 160 case-insensitive
// comparisons) and of the path operations the drawing contexts and the SVG
// engine run on every paint: building and flattening shapes, and the hit
// tests, which flatten the whole path on every call.
#include "kel/KelGraphicsPath.h"
#include "kel/KelNamedColors.h"

#include <benchmark/benchmark.h>
#include <memory>

namespace {

void BM_ColorNameLookup(benchmark::State& State) {
    const TStringList* List = ColorNameList();
    const String Names[] = {u"AliceBlue", u"red", u"YellowGreen", u"transparent"};
    for (auto _ : State)
        for (const String& Name : Names)
            benchmark::DoNotOptimize(List->IndexOf(Name));
    State.SetItemsProcessed(State.iterations() * 4);
}
BENCHMARK(BM_ColorNameLookup);

// A rounded rectangle of 200 x 100 units with corners of radius 12.
std::unique_ptr<TKelGraphicsPath> RoundedRectangle() {
    auto Path = std::unique_ptr<TKelGraphicsPath>(Create<TKelGraphicsPath>());
    Path->AddRectangle({0, 0, 200, 100}, 12, 12);
    return Path;
}

void BM_BuildAndFlattenRoundedRectangle(benchmark::State& State) {
    for (auto _ : State) {
        auto Path = RoundedRectangle();
        Path->Flatten(0.25f);
        benchmark::DoNotOptimize(Path->Count());
    }
}
BENCHMARK(BM_BuildAndFlattenRoundedRectangle);

void BM_FlattenEllipseToPolygon(benchmark::State& State) {
    auto Path = std::unique_ptr<TKelGraphicsPath>(Create<TKelGraphicsPath>());
    Path->AddEllipse({0, 0, 400, 300});
    TKelGraphicsPathPolygon Polygon;
    for (auto _ : State) {
        Path->FlattenToPolygon(Polygon, 0.25f);
        benchmark::DoNotOptimize(Polygon.data());
    }
    State.counters["points"] = double(Polygon.size());
}
BENCHMARK(BM_FlattenEllipseToPolygon);

void BM_IsPointVisible(benchmark::State& State) {
    auto Path = RoundedRectangle();
    for (auto _ : State)
        benchmark::DoNotOptimize(Path->IsPointVisible({3, 3}));
}
BENCHMARK(BM_IsPointVisible);

} // namespace

BENCHMARK_MAIN();

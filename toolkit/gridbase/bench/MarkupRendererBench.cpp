// Measuring and drawing 100,000 cells of typical markup (bold, a colour, a
// link, an entity) against drawing the same text without markup through the
// same canvas in the same run.

#include "gridbase/MarkupRenderer.h"

#include "graphics/GdiText.h"
#include "graphics/Graphic.h"
#include "gridbase/MarkupText.h"
#include "rtl/StringUtils.h"

#include <benchmark/benchmark.h>

namespace {

constexpr int CellsPerRun = 100000;

const String Markup = u"<B>Caf&eacute;</B> <FONT COLOR=\"red\">12.5</FONT> <A HREF=\"x\">link</A>";

class Surface {
public:
    Surface() {
        Bitmap.SetSize(200, 40);
        Bitmap.Canvas()->Font()->SetName(u"Arial");
        Bitmap.Canvas()->Font()->SetSize(10);
    }
    TCanvas* Canvas() { return Bitmap.Canvas(); }
    TBitmap Bitmap;
};

void BM_MarkupCells(benchmark::State& state) {
    Surface S;
    for (auto _ : state) {
        for (int I = 0; I < CellsPerRun; ++I) {
            TMarkupDrawParams P;
            P.Canvas = S.Canvas();
            P.Text = Markup;
            P.Rect = {0, 0, 200, 40};
            TMarkupDrawResult R;
            DrawMarkupOnCanvas(P, R);
            benchmark::DoNotOptimize(R.Width);
        }
    }
    state.SetItemsProcessed(state.iterations() * CellsPerRun);
}
BENCHMARK(BM_MarkupCells)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_PlainCells(benchmark::State& state) {
    Surface S;
    const String Plain = StringReplace(MarkupToPlainText(Markup), u"&eacute;", u"\u00E9", {rfReplaceAll});
    for (auto _ : state) {
        for (int I = 0; I < CellsPerRun; ++I) {
            // Measured and drawn, as a plain cell is.
            TRect Box{0, 0, 200, 40};
            winapi::DrawText(S.Canvas()->Handle(), Plain, Box, DT_SINGLELINE | DT_CALCRECT);
            Box = {0, 0, 200, 40};
            winapi::DrawText(S.Canvas()->Handle(), Plain, Box, DT_SINGLELINE | DT_BOTTOM);
            benchmark::DoNotOptimize(Box);
        }
    }
    state.SetItemsProcessed(state.iterations() * CellsPerRun);
}
BENCHMARK(BM_PlainCells)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

BENCHMARK_MAIN();

// CSV export and import of 1,000,000 cells (20 columns x 50,000 rows of
// mixed texts: plain words, numbers, texts with commas, with quotes and with
// line breaks) through the final string grid.

#include "grid/ZirOvararIzaz.h"
#include "rtl/Convert.h"
#include "rtltesting/TestFiles.h"
#include "vcl/Forms.h"
#include "windowing/HeadlessBackend.h"

#include <benchmark/benchmark.h>

namespace {

constexpr Integer Cols = 20;
constexpr Integer Rows = 50000;

String MixedText(Integer c, Integer r) {
    switch ((c + r) % 5) {
    case 0: return u"word" + IntToStr(r);
    case 1: return IntToStr(r * 31 + c) + u".25";
    case 2: return u"a, b and c " + IntToStr(c);
    case 3: return u"say \"" + IntToStr(r) + u"\" twice";
    default: return u"first line\r\nsecond " + IntToStr(r);
    }
}

TZirOvararIzaz* MakeGrid() {
    auto* Grid = Create<TZirOvararIzaz>(nullptr);
    Grid->SetFixedRows(0);
    Grid->SetFixedCols(0);
    Grid->SetColCount(Cols);
    Grid->SetRowCount(Rows);
    Grid->SetMultilinecells(true);
    for (Integer r = 0; r < Rows; ++r)
        for (Integer c = 0; c < Cols; ++c) Grid->SetCells(c, r, MixedText(c, r));
    return Grid;
}

void BM_CSVExport(benchmark::State& State) {
    TTempFolder Folder;
    TZirOvararIzaz* Grid = MakeGrid();
    for (auto _ : State) Grid->SaveToCSV(Folder / u"bench.csv", true);
    State.SetItemsProcessed(State.iterations() * Cols * Rows);
    Free(Grid);
}
BENCHMARK(BM_CSVExport)->Unit(benchmark::kMillisecond);

void BM_CSVImport(benchmark::State& State) {
    TTempFolder Folder;
    TZirOvararIzaz* Source = MakeGrid();
    Source->SaveToCSV(Folder / u"bench.csv", true);
    Free(Source);
    TZirOvararIzaz* Grid = Create<TZirOvararIzaz>(nullptr);
    Grid->SetFixedRows(0);
    Grid->SetFixedCols(0);
    Grid->SetMultilinecells(true);
    for (auto _ : State) {
        Grid->LoadFromCSV(Folder / u"bench.csv");
        if (Grid->RowCount() != Rows || Grid->Cells(4, 0) != MixedText(4, 0)) State.SkipWithError("read back differs");
    }
    State.SetItemsProcessed(State.iterations() * Cols * Rows);
    Free(Grid);
}
BENCHMARK(BM_CSVImport)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    UseHeadlessBackend();
    Application = Create<TApplication>(nullptr);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    Free(Application);
    Application = nullptr;
    return 0;
}

// The base grid's cell store at scale: fill 1,000,000 x 10 cells, read
// every cell, insert and delete 1,000 rows in the middle. Run in this
// order, once each, on one grid; the peak resident memory of the process is
// reported with each step. QtTableBench.cpp does the same with Qt's
// QTableWidget (scripts/bench-grid-vs-qt.sh runs both).

#include "gridbase/BaseGrid.h"
#include "rtl/Convert.h"

#include <benchmark/benchmark.h>
#include <sys/resource.h>

namespace {

constexpr Integer Rows = 1000000;
constexpr Integer Cols = 10;
constexpr Integer Moved = 1000;

class TBenchGrid : public TBaseGrid {
public:
    TBenchGrid() : TBaseGrid(nullptr) {}
    bool IsNode(Integer) override { return false; }
    bool IsSummary(Integer) override { return false; }
    bool HasCellCheckBox(Integer, Integer) override { return false; }
    void SetCellCheckText(Integer, Integer, const String&) override {}
};

TBenchGrid* Grid = nullptr;

double PeakMegabytes() {
    rusage Usage{};
    getrusage(RUSAGE_SELF, &Usage);
    return double(Usage.ru_maxrss) / 1024.0;
}

String CellText(Integer Col, Integer Row) {
    return u"r" + IntToStr(Row) + u"c" + IntToStr(Col);
}

void BM_BaseGridFill(benchmark::State& State) {
    for (auto _ : State) {
        Grid = Create<TBenchGrid>();
        Grid->BeginUpdate();
        Grid->SetColCount(Cols);
        Grid->SetRowCount(Rows);
        for (Integer R = 0; R < Rows; ++R)
            for (Integer C = 0; C < Cols; ++C)
                Grid->SetCells(C, R, CellText(C, R));
    }
    State.counters["peak_MB"] = PeakMegabytes();
}

void BM_BaseGridReadAll(benchmark::State& State) {
    std::size_t Total = 0;
    for (auto _ : State)
        for (Integer R = 0; R < Rows; ++R)
            for (Integer C = 0; C < Cols; ++C)
                Total += Grid->Cells(C, R).size();
    benchmark::DoNotOptimize(Total);
    State.counters["peak_MB"] = PeakMegabytes();
}

void BM_BaseGridInsertDeleteMiddleRows(benchmark::State& State) {
    for (auto _ : State) {
        const Integer Middle = Grid->RowCount() / 2;
        for (Integer I = 0; I < Moved; ++I) {
            Grid->SetRowCount(Grid->RowCount() + 1);
            Grid->MoveRow(Grid->RowCount() - 1, Middle);
        }
        for (Integer I = 0; I < Moved; ++I)
            Grid->DeleteRow(Middle);
    }
    State.counters["peak_MB"] = PeakMegabytes();
    Free(Grid);
    Grid = nullptr;
}

BENCHMARK(BM_BaseGridFill)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BaseGridReadAll)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BaseGridInsertDeleteMiddleRows)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();

// Qt's QTableWidget doing what BaseGridBench.cpp does with the base grid:
// fill 1,000,000 x 10 cells, read every cell, insert and delete 1,000 rows
// in the middle; offscreen, peak resident memory with each step.

#include <QApplication>
#include <QTableWidget>

#include <benchmark/benchmark.h>
#include <sys/resource.h>

namespace {

constexpr int Rows = 1000000;
constexpr int Cols = 10;
constexpr int Moved = 1000;

QTableWidget* Table = nullptr;

double PeakMegabytes() {
    rusage Usage{};
    getrusage(RUSAGE_SELF, &Usage);
    return double(Usage.ru_maxrss) / 1024.0;
}

void BM_QTableWidgetFill(benchmark::State& State) {
    for (auto _ : State) {
        Table = new QTableWidget(Rows, Cols);
        for (int R = 0; R < Rows; ++R)
            for (int C = 0; C < Cols; ++C)
                Table->setItem(R, C, new QTableWidgetItem(QString("r%1c%2").arg(R).arg(C)));
    }
    State.counters["peak_MB"] = PeakMegabytes();
}

void BM_QTableWidgetReadAll(benchmark::State& State) {
    qsizetype Total = 0;
    for (auto _ : State)
        for (int R = 0; R < Rows; ++R)
            for (int C = 0; C < Cols; ++C)
                Total += Table->item(R, C)->text().size();
    benchmark::DoNotOptimize(Total);
    State.counters["peak_MB"] = PeakMegabytes();
}

void BM_QTableWidgetInsertDeleteMiddleRows(benchmark::State& State) {
    for (auto _ : State) {
        const int Middle = Table->rowCount() / 2;
        for (int I = 0; I < Moved; ++I)
            Table->insertRow(Middle);
        for (int I = 0; I < Moved; ++I)
            Table->removeRow(Middle);
    }
    State.counters["peak_MB"] = PeakMegabytes();
    delete Table;
    Table = nullptr;
}

BENCHMARK(BM_QTableWidgetFill)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_QTableWidgetReadAll)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_QTableWidgetInsertDeleteMiddleRows)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication Application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

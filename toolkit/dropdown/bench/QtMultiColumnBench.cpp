// Qt doing what MultiColumnBench.cpp does with the multi-column drop-down,
// on the same 10,000 x 3 strings: a QCompleter over the lookup texts with
// setCompletionPrefix for a prefix matching only the last text and one
// matching none; a QTableWidget filled with the strings,
// resizeColumnsToContents and a render into a QImage (offscreen).

#include <QApplication>
#include <QCompleter>
#include <QImage>
#include <QStringList>
#include <QTableWidget>

#include <benchmark/benchmark.h>

namespace {

constexpr int Items = 10000;

QStringList Column(int C) {
    QStringList Result;
    for (int I = 0; I < Items; ++I) {
        const QString N = QString::number(I);
        if (C == 0) Result << (I == Items - 1 ? "zebra " + N : "key " + N);
        if (C == 1) Result << "description of item " + N;
        if (C == 2) Result << N + ".00";
    }
    return Result;
}

void BM_QCompleterModel(benchmark::State& State) {
    const QStringList Lookup = Column(0);
    for (auto _ : State) {
        QCompleter Completer(Lookup);
        benchmark::DoNotOptimize(Completer.model()->rowCount());
    }
}

// A fresh completer for every step: QCompleter keeps the matches of the
// prefixes it has seen, which would hide the search.
void Complete(benchmark::State& State, const QString& Prefix) {
    const QStringList Lookup = Column(0);
    for (auto _ : State) {
        State.PauseTiming();
        auto* Completer = new QCompleter(Lookup);
        Completer->setCaseSensitivity(Qt::CaseInsensitive);
        State.ResumeTiming();
        Completer->setCompletionPrefix(Prefix);
        benchmark::DoNotOptimize(Completer->completionCount());
        benchmark::DoNotOptimize(Completer->currentCompletion());
        State.PauseTiming();
        delete Completer;
        State.ResumeTiming();
    }
}

void BM_QCompleterLastItem(benchmark::State& State) { Complete(State, "z"); }
void BM_QCompleterNoMatch(benchmark::State& State) { Complete(State, "q"); }

void BM_QTableWidgetOpen(benchmark::State& State) {
    const QStringList Cols[3] = {Column(0), Column(1), Column(2)};
    for (auto _ : State) {
        QTableWidget Table(Items, 3);
        Table.setHorizontalHeaderLabels({"Column 0", "Column 1", "Column 2"});
        for (int I = 0; I < Items; ++I)
            for (int C = 0; C < 3; ++C)
                Table.setItem(I, C, new QTableWidgetItem(Cols[C][I]));
        Table.resize(300, 200);
        Table.resizeColumnsToContents();
        QImage Image(Table.size(), QImage::Format_ARGB32);
        Table.render(&Image);
        benchmark::DoNotOptimize(Image.bits());
    }
}

} // namespace

BENCHMARK(BM_QCompleterModel)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_QCompleterLastItem)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_QCompleterNoMatch)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_QTableWidgetOpen)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    QApplication App(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

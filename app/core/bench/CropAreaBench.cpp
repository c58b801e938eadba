// Loading the installed crop-area file into a project's abstraction points
// (what opening a project and every reset do), and copying them.

#include "core/AbstractionPoints.h"
#include "coretesting/MemoryProjectDataModule.h"
#include "os/FilePath.h"

#include <benchmark/benchmark.h>

namespace {

const String DefaultCropAreaFile =
    ExpandFileName(String(u"" VANDREL_DATA_DIR) + u"/CropArea/default.CropArea");

void LoadDefaultCropAreaFile(benchmark::State& State) {
    TMemoryProjectDataModule DataModule;
    TAbstractionPoints Points;
    for (auto _ : State) {
        Points.SetFileName(DefaultCropAreaFile);
        benchmark::DoNotOptimize(Points.Items(9)->CropCount());
    }
}
BENCHMARK(LoadDefaultCropAreaFile);

void CopyAbstractionPoints(benchmark::State& State) {
    TMemoryProjectDataModule DataModule;
    TAbstractionPoints Points;
    Points.SetFileName(DefaultCropAreaFile);
    for (auto _ : State) {
        std::unique_ptr<TAbstractionPoints> Copied = Points.Copy();
        benchmark::DoNotOptimize(Copied->Items(9)->CropCount());
    }
}
BENCHMARK(CopyAbstractionPoints);

} // namespace

BENCHMARK_MAIN();

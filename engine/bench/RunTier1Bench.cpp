// Times one full pass of the engine (read the four inputs, compute, write
// Summary.out) on the example project, in process.

#include "TempFolder.h"
#include "engine/RunTier1.h"

#include <benchmark/benchmark.h>
#include <filesystem>
#include <sstream>

namespace {

namespace fs = std::filesystem;

// Copies the example project's input files and Names.inp into the folder.
void PrepareExampleFolder(const fs::path& folder) {
    const fs::path data = VANDREL_DATA;
    fs::copy_file(data / "PEC/Names.inp", folder / "Names.inp");
    for (const auto& entry : fs::directory_iterator(data / "examples/project"))
        if (entry.path().extension() == ".inp") fs::copy_file(entry.path(), folder / entry.path().filename());
}

void FullPassOnExampleProject(benchmark::State& state) {
    const tesvorik::test::TempFolder temp;
    const fs::path& folder = temp.Path();
    PrepareExampleFolder(folder);
    std::ostringstream console;
    tesvorik::RunEnvironment environment;
    environment.folder = folder;
    environment.header = {{2024, 12, 10, 9, 5}, folder.string(), tesvorik::CompilerIdentification()};
    environment.console = &console;
    for (auto _ : state) {
        const int status = tesvorik::RunTier1(environment);
        if (status != tesvorik::kExitNormal) state.SkipWithError("the run did not end normally");
    }
}
BENCHMARK(FullPassOnExampleProject)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();

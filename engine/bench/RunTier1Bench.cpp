// Times one full pass of the engine (read the four inputs, compute, write
// Summary.out) on the example project, in process.

#include "engine/RunTier1.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <stdexcept>

namespace {

namespace fs = std::filesystem;

fs::path PrepareExampleFolder() {
    std::string pattern = (fs::temp_directory_path() / "tesvorik-bench-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot create a temporary folder");
    const fs::path folder = pattern;
    const fs::path data = VANDREL_DATA;
    fs::copy_file(data / "PEC/Names.inp", folder / "Names.inp");
    for (const auto& entry : fs::directory_iterator(data / "examples/project"))
        if (entry.path().extension() == ".inp") fs::copy_file(entry.path(), folder / entry.path().filename());
    return folder;
}

void FullPassOnExampleProject(benchmark::State& state) {
    const fs::path folder = PrepareExampleFolder();
    std::ostringstream console;
    tesvorik::RunEnvironment environment;
    environment.folder = folder;
    environment.header = {{2024, 12, 10, 9, 5}, folder.string(), tesvorik::CompilerIdentification()};
    environment.console = &console;
    for (auto _ : state) {
        const int status = tesvorik::RunTier1(environment);
        if (status != tesvorik::kExitNormal) state.SkipWithError("the run did not end normally");
    }
    fs::remove_all(folder);
}
BENCHMARK(FullPassOnExampleProject)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();

// The theme detection reads the registry anew on every call (nothing is
// cached), and controls ask while they are created: how long one answer takes.

#include "kel/KelStyle.h"
#include "os/Registry.h"
#include "rtltesting/TestFiles.h"

#include <benchmark/benchmark.h>
#include <stdlib.h>

namespace {

// A registry of its own for the benchmark, with or without Office 16.0.
class TBenchRegistry {
public:
    explicit TBenchRegistry(bool withOffice) {
        setenv("VANDREL_REGISTRY_DIR", FHives.Native().c_str(), 1);
        TRegistry registry;
        registry.OpenKey(u"Software\\Vandrel\\Settings", true);
        registry.WriteInteger(u"Filler", 1);
        if (withOffice) {
            registry.OpenKey(u"\\Software\\Microsoft\\Office\\16.0\\Common\\General", true);
            registry.OpenKey(u"\\Software\\Microsoft\\Office\\16.0\\Common", false);
            registry.WriteInteger(u"UI Theme", 3);
        }
    }
    ~TBenchRegistry() { unsetenv("VANDREL_REGISTRY_DIR"); }

private:
    TTempFolder FHives;
};

void BM_CurrentOfficeStyleWithoutOffice(benchmark::State& state) {
    TBenchRegistry registry(false);
    for (auto _ : state)
        benchmark::DoNotOptimize(CurrentOfficeStyle(false));
}
BENCHMARK(BM_CurrentOfficeStyleWithoutOffice);

void BM_CurrentOfficeThemeWithOffice16(benchmark::State& state) {
    TBenchRegistry registry(true);
    for (auto _ : state)
        benchmark::DoNotOptimize(CurrentOfficeTheme());
}
BENCHMARK(BM_CurrentOfficeThemeWithOffice16);

void BM_InstalledOfficeVersion(benchmark::State& state) {
    TBenchRegistry registry(true);
    for (auto _ : state)
        benchmark::DoNotOptimize(InstalledOfficeVersion());
}
BENCHMARK(BM_InstalledOfficeVersion);

void BM_ShadeColor(benchmark::State& state) {
    TColor color = 0x336699;
    for (auto _ : state) {
        color = ShadeColor(color, -20) ^ 0x010101;
        benchmark::DoNotOptimize(color);
    }
}
BENCHMARK(BM_ShadeColor);

} // namespace

BENCHMARK_MAIN();

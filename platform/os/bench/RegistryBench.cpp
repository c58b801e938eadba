// Cost of registry reads (served from the parsed hive while the file is
// unchanged) and of write-through (lock, re-read, atomic replace, fsync), on
// a hive of 50 keys with 20 values each.

#include "os/Registry.h"
#include "rtl/Encoding.h"
#include "rtltesting/TestFiles.h"

#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <string>

namespace {

class THiveFolder {
public:
    THiveFolder() {
        setenv("VANDREL_REGISTRY_DIR", FFolder.Native().c_str(), 1);
        TRegistry reg;
        for (int k = 0; k < 50; ++k) {
            reg.OpenKey(u"\\Software\\Bench\\Key" + FromUtf8(std::to_string(k)), true);
            for (int v = 0; v < 20; ++v)
                reg.WriteInteger(u"Col" + FromUtf8(std::to_string(v)), v * 10);
        }
    }

private:
    TTempFolder FFolder;
};

void BM_ReadInteger(benchmark::State& state) {
    THiveFolder hives;
    TRegistry reg;
    reg.OpenKeyReadOnly(u"Software\\Bench\\Key25");
    for (auto _ : state)
        benchmark::DoNotOptimize(reg.ReadInteger(u"col19"));
}
BENCHMARK(BM_ReadInteger);

void BM_WriteInteger(benchmark::State& state) {
    THiveFolder hives;
    TRegistry reg;
    reg.OpenKey(u"Software\\Bench\\Key25", false);
    Integer value = 0;
    for (auto _ : state)
        reg.WriteInteger(u"Col19", ++value);
}
BENCHMARK(BM_WriteInteger)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();

// Cost of what the project list asks of the substance library when it opens:
// the GUID list and every substance's information list (required attributes),
// and of one checksum, on a store of the 5 example substances plus N more.

#include "rtltesting/TestFiles.h"
#include "vorn/VORNApi.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <dlfcn.h>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

template <class F>
F EntryPoint(void* library, const char* name) {
    return reinterpret_cast<F>(dlsym(library, name));
}

template <class Call>
std::string Fetch(Call&& call) {
    std::int32_t size = 3901;
    std::string buffer(size + 1, ' ');
    char* text = buffer.data();
    if (call(&text, &size)) return text;
    buffer.assign(size + 1, ' ');
    text = buffer.data();
    call(&text, &size);
    return text;
}

std::vector<std::string> Split(const std::string& list) {
    std::vector<std::string> items;
    size_t start = 0;
    while (start < list.size()) {
        const size_t end = list.find(';', start);
        items.push_back(list.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos) break;
        start = end + 1;
    }
    return items;
}

// A copy of the example store with `extra` complete substances more, opened
// through the library.
class TStore {
public:
    explicit TStore(int extra) {
        std::filesystem::copy_file(VORN_EXAMPLE_STORE, FFolder.Native(u"vorn.sqlite"));
        setenv("VORN_STORE", FFolder.Native(u"vorn.sqlite").c_str(), 1);
        Library = dlopen(VORN_LIBRARY, RTLD_NOW | RTLD_LOCAL);
        EntryPoint<vorn::TCreate>(Library, "Create")(".");
        const std::string csv = FFolder.Native(u"extra.csv");
        {
            std::ofstream lines(csv);
            lines
                << "SubstanceCode;MolMass;DT50WatRef;TemRefTraWat;MolEntTraWat;SlbWatRef;TemRefSlb;PreVapRef;"
                   "TemRefVap;KomSed\n";
            for (int i = 0; i < extra; ++i)
                lines << "Bench" << i << ";300.5;12.5;20;65.4;100;20;2E-5;20;450\n";
        }
        EntryPoint<vorn::TImportSubstances>(Library, "ImportSubstances")(csv.c_str(), ";", ".", "\"", false,
                                                                         false);
    }
    ~TStore() {
        EntryPoint<vorn::TDestroy>(Library, "Destroy")();
        dlclose(Library);
        unsetenv("VORN_STORE");
    }

    void* Library = nullptr;

private:
    TTempFolder FFolder;
};

void BM_SubstanceListWithInfoLists(benchmark::State& state) {
    TStore store(static_cast<int>(state.range(0)));
    const auto guids = EntryPoint<vorn::TGetText>(store.Library, "GetSubstancesGUIDList");
    const auto info =
        EntryPoint<vorn::TGetSubstanceInfoListByGUID>(store.Library, "GetSubstanceInfoListByGUID");
    for (auto _ : state) {
        for (const std::string& guid : Split(Fetch(guids))) {
            std::string list =
                Fetch([&](char** text, std::int32_t* size) { return info(guid.c_str(), true, text, size); });
            benchmark::DoNotOptimize(list);
        }
    }
    state.SetItemsProcessed(state.iterations() * (state.range(0) + 5));
}
BENCHMARK(BM_SubstanceListWithInfoLists)->Arg(0)->Arg(500)->Unit(benchmark::kMillisecond);

void BM_Checksum(benchmark::State& state) {
    TStore store(static_cast<int>(state.range(0)));
    const auto checksum = EntryPoint<vorn::TGetTextByText>(store.Library, "GetSubstanceChecksumByGUID");
    for (auto _ : state) {
        std::string text = Fetch([&](char** out, std::int32_t* size) {
            return checksum("{6A0E2F4C-1B7D-4E59-9C31-2D8F0A4B7E11}", out, size);
        });
        benchmark::DoNotOptimize(text);
    }
}
BENCHMARK(BM_Checksum)->Arg(500)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();

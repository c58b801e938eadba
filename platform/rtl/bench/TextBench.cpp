// Speed of the text routines on inputs the size of real files and lists: a
// megabyte of engine output, the names of a sorted grid column.
#include "rtl/Encoding.h"
#include "rtl/StringUtils.h"
#include "rtl/TextCompare.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <string>
#include <vector>

namespace {

constexpr size_t kMegabyte = 1 << 20;

// A line of engine-like text with a few characters outside ASCII.
String SampleText(size_t units) {
    const String line = u"PEC 12.5 \u00b5g/L Fl\u00fcsse \u20ac 2024-06-01 item23 \r\n";
    String text;
    while (text.size() < units)
        text += line;
    text.resize(units);
    return text;
}

std::vector<String> SampleNames(size_t count) {
    std::vector<String> names;
    for (size_t i = 0; i < count; ++i)
        names.push_back((i % 3 == 0 ? u"Run" : u"run") + FromUtf8(std::to_string((i * 7919) % count)) +
                        u".out");
    return names;
}

void BM_FromAnsi(benchmark::State& state) {
    const AnsiString bytes = ToAnsi(SampleText(kMegabyte));
    for (auto _ : state)
        benchmark::DoNotOptimize(FromAnsi(bytes));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_FromAnsi);

void BM_ToAnsi(benchmark::State& state) {
    const String text = SampleText(kMegabyte);
    for (auto _ : state)
        benchmark::DoNotOptimize(ToAnsi(text));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_ToAnsi);

void BM_FromUtf8(benchmark::State& state) {
    const std::string bytes = Utf8(SampleText(kMegabyte));
    for (auto _ : state)
        benchmark::DoNotOptimize(FromUtf8(bytes));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_FromUtf8);

void BM_StringReplaceAllIgnoreCase(benchmark::State& state) {
    const String text = SampleText(kMegabyte);
    for (auto _ : state)
        benchmark::DoNotOptimize(StringReplace(text, u"FL\u00dcSSE", u"flux", {rfReplaceAll, rfIgnoreCase}));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size() * sizeof(Char)));
}
BENCHMARK(BM_StringReplaceAllIgnoreCase);

void BM_WideUpperCase(benchmark::State& state) {
    const String text = SampleText(kMegabyte);
    for (auto _ : state)
        benchmark::DoNotOptimize(WideUpperCase(text));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size() * sizeof(Char)));
}
BENCHMARK(BM_WideUpperCase);

// Sorting a grid column of 10,000 texts, as the natural and the locale sort
// styles do.
template <Integer (*Compare)(std::u16string_view, std::u16string_view)>
void BM_Sort10000(benchmark::State& state) {
    const std::vector<String> names = SampleNames(10000);
    for (auto _ : state) {
        std::vector<String> sorted = names;
        std::sort(sorted.begin(), sorted.end(),
                  [](const String& a, const String& b) { return Compare(a, b) < 0; });
        benchmark::DoNotOptimize(sorted.data());
    }
}
BENCHMARK(BM_Sort10000<winapi::StrCmpLogicalW>)
    ->Name("BM_Sort10000/StrCmpLogicalW")
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Sort10000<AnsiCompareText>)->Name("BM_Sort10000/AnsiCompareText")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Sort10000<CompareText>)->Name("BM_Sort10000/CompareText")->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();

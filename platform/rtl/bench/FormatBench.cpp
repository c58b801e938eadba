// Speed of Format, FloatToStr and StrToFloat on a million values, each next
// to the C++ library routine it competes with (snprintf, std::to_chars,
// std::from_chars). One iteration converts all million values.
#include "rtl/Convert.h"
#include "rtl/Format.h"

#include <benchmark/benchmark.h>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr size_t kValues = 1'000'000;

const std::vector<double>& SampleValues() {
    static const std::vector<double> values = [] {
        std::mt19937_64 random(42);
        std::uniform_real_distribution<double> mantissa(-1000.0, 1000.0);
        std::uniform_int_distribution<int> scale(-6, 6);
        std::vector<double> v(kValues);
        for (auto& x : v)
            x = mantissa(random) * std::pow(10.0, scale(random));
        return v;
    }();
    return values;
}

void BM_Format(benchmark::State& state) {
    const auto& values = SampleValues();
    const String name = u"Maize";
    for (auto _ : state)
        for (size_t i = 0; i < values.size(); ++i)
            benchmark::DoNotOptimize(Format(u"%d %-8s %14.3f", {static_cast<Integer>(i), name, values[i]}));
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * values.size()));
}
BENCHMARK(BM_Format)->Unit(benchmark::kMillisecond);

void BM_Snprintf(benchmark::State& state) {
    const auto& values = SampleValues();
    char buf[128];
    for (auto _ : state)
        for (size_t i = 0; i < values.size(); ++i) {
            std::snprintf(buf, sizeof buf, "%d %-8s %14.3f", static_cast<int>(i), "Maize", values[i]);
            benchmark::DoNotOptimize(std::string(buf));
        }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * values.size()));
}
BENCHMARK(BM_Snprintf)->Unit(benchmark::kMillisecond);

void BM_FloatToStr(benchmark::State& state) {
    const auto& values = SampleValues();
    for (auto _ : state)
        for (const double v : values)
            benchmark::DoNotOptimize(FloatToStr(v));
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * values.size()));
}
BENCHMARK(BM_FloatToStr)->Unit(benchmark::kMillisecond);

void BM_ToChars(benchmark::State& state) {
    const auto& values = SampleValues();
    char buf[64];
    for (auto _ : state)
        for (const double v : values) {
            const auto end = std::to_chars(buf, buf + sizeof buf, v).ptr;
            benchmark::DoNotOptimize(std::string(buf, end));
        }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * values.size()));
}
BENCHMARK(BM_ToChars)->Unit(benchmark::kMillisecond);

void BM_SnprintfG(benchmark::State& state) {
    const auto& values = SampleValues();
    char buf[64];
    for (auto _ : state)
        for (const double v : values) {
            std::snprintf(buf, sizeof buf, "%.15g", v);
            benchmark::DoNotOptimize(std::string(buf));
        }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * values.size()));
}
BENCHMARK(BM_SnprintfG)->Unit(benchmark::kMillisecond);

void BM_StrToFloat(benchmark::State& state) {
    std::vector<String> texts;
    for (const double v : SampleValues())
        texts.push_back(FloatToStr(v));
    for (auto _ : state)
        for (const auto& t : texts)
            benchmark::DoNotOptimize(StrToFloat(t));
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * texts.size()));
}
BENCHMARK(BM_StrToFloat)->Unit(benchmark::kMillisecond);

void BM_FromChars(benchmark::State& state) {
    std::vector<std::string> texts;
    char buf[64];
    for (const double v : SampleValues())
        texts.emplace_back(buf, std::to_chars(buf, buf + sizeof buf, v).ptr);
    for (auto _ : state)
        for (const auto& t : texts) {
            double value = 0;
            std::from_chars(t.data(), t.data() + t.size(), value);
            benchmark::DoNotOptimize(value);
        }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * texts.size()));
}
BENCHMARK(BM_FromChars)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();

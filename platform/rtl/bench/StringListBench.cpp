// Loading and saving a 100 MB text file through TStringList, and sorting a
// million strings, each next to the same work done with a plain
// std::vector<std::u16string>. The file is generated in a temporary folder
// when the benchmark starts and removed at the end.

#include "rtl/Encoding.h"
#include "rtl/StringList.h"
#include "rtl/TextCompare.h"
#include "rtltesting/TestFiles.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <fstream>
#include <iterator>
#include <random>

namespace {

constexpr size_t kFileBytes = 100u << 20;
constexpr size_t kSortCount = 1000000;

// A 100 MB Windows-1252 file of CR LF lines, made once.
class TTextFile {
public:
    TTextFile() {
        std::ofstream Out(FFolder.Native(u"input.txt"), std::ios::binary);
        std::mt19937 Random(42);
        std::string Line;
        for (size_t Written = 0, Number = 0; Written < kFileBytes; ++Number) {
            Line = "Abstraction point " + std::to_string(Number) + ";crop " + std::to_string(Random() % 26) +
                   ";PEC \xB5g/L " + std::to_string(Random() % 100000) + "." +
                   std::to_string(Random() % 1000) + "\r\n";
            Out << Line;
            Written += Line.size();
        }
    }

    String Input() const { return FFolder / u"input.txt"; }
    String Output() const { return FFolder / u"output.txt"; }

private:
    TTempFolder FFolder;
};

const TTextFile& TextFile() {
    static const TTextFile File;
    return File;
}

// The plain way: read the bytes, decode, split at CR LF.
std::vector<std::u16string> LoadPlain(const String& Name) {
    std::ifstream In(Utf8(Name), std::ios::binary);
    const std::string Bytes{std::istreambuf_iterator<char>(In), std::istreambuf_iterator<char>()};
    const std::u16string Text = FromAnsi(Bytes);
    std::vector<std::u16string> Lines;
    for (size_t Start = 0; Start < Text.size();) {
        size_t Stop = Text.find(u"\r\n", Start);
        if (Stop == std::u16string::npos) Stop = Text.size();
        Lines.emplace_back(Text, Start, Stop - Start);
        Start = Stop + 2;
    }
    return Lines;
}

void BM_StringListLoadFromFile(benchmark::State& State) {
    const String Name = TextFile().Input();
    for (auto _ : State) {
        TStringList List;
        List.LoadFromFile(Name);
        benchmark::DoNotOptimize(List.Count());
    }
    State.SetBytesProcessed(static_cast<int64_t>(State.iterations() * kFileBytes));
}

void BM_VectorLoadFromFile(benchmark::State& State) {
    for (auto _ : State) {
        auto Lines = LoadPlain(TextFile().Input());
        benchmark::DoNotOptimize(Lines.size());
    }
    State.SetBytesProcessed(static_cast<int64_t>(State.iterations() * kFileBytes));
}

void BM_StringListSaveToFile(benchmark::State& State) {
    TStringList List;
    List.LoadFromFile(TextFile().Input());
    const String Name = TextFile().Output();
    for (auto _ : State)
        List.SaveToFile(Name);
    State.SetBytesProcessed(static_cast<int64_t>(State.iterations() * kFileBytes));
}

void BM_VectorSaveToFile(benchmark::State& State) {
    const auto Lines = LoadPlain(TextFile().Input());
    for (auto _ : State) {
        std::u16string Text;
        for (const auto& Line : Lines)
            Text.append(Line).append(u"\r\n");
        std::ofstream(Utf8(TextFile().Output()), std::ios::binary) << ToAnsi(Text);
    }
    State.SetBytesProcessed(static_cast<int64_t>(State.iterations() * kFileBytes));
}

// A million words of 4 to 12 letters in mixed case.
const std::vector<std::u16string>& Words() {
    static const std::vector<std::u16string> Result = [] {
        std::mt19937 Random(7);
        std::vector<std::u16string> Words(kSortCount);
        for (auto& Word : Words) {
            Word.resize(4 + Random() % 9);
            for (auto& C : Word)
                C = static_cast<char16_t>((Random() % 2 ? u'a' : u'A') + Random() % 26);
        }
        return Words;
    }();
    return Result;
}

void FillList(TStringList& List) {
    List.BeginUpdate();
    for (const auto& Word : Words())
        List.Add(Word);
    List.EndUpdate();
}

void BM_StringListSort(benchmark::State& State) {
    const bool CaseSensitive = State.range(0) != 0;
    for (auto _ : State) {
        State.PauseTiming();
        TStringList List;
        List.SetCaseSensitive(CaseSensitive);
        FillList(List);
        State.ResumeTiming();
        List.Sort();
        benchmark::DoNotOptimize(List.Strings(0));
    }
}

void BM_StringListCustomSortOrdinal(benchmark::State& State) {
    for (auto _ : State) {
        State.PauseTiming();
        TStringList List;
        FillList(List);
        State.ResumeTiming();
        List.CustomSort(
            [](TStringList& L, Integer A, Integer B) { return CompareStr(L.Strings(A), L.Strings(B)); });
        benchmark::DoNotOptimize(List.Strings(0));
    }
}

void BM_VectorSortOrdinal(benchmark::State& State) {
    for (auto _ : State) {
        State.PauseTiming();
        auto Copy = Words();
        State.ResumeTiming();
        std::sort(Copy.begin(), Copy.end());
        benchmark::DoNotOptimize(Copy.front());
    }
}

void BM_VectorSortLinguistic(benchmark::State& State) {
    for (auto _ : State) {
        State.PauseTiming();
        auto Copy = Words();
        State.ResumeTiming();
        std::sort(Copy.begin(), Copy.end(),
                  [](const auto& A, const auto& B) { return AnsiCompareText(A, B) < 0; });
        benchmark::DoNotOptimize(Copy.front());
    }
}

} // namespace

BENCHMARK(BM_StringListLoadFromFile)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_VectorLoadFromFile)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_StringListSaveToFile)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_VectorSaveToFile)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_StringListSort)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_VectorSortLinguistic)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_StringListCustomSortOrdinal)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_VectorSortOrdinal)->Unit(benchmark::kMillisecond)->Iterations(1);

BENCHMARK_MAIN();

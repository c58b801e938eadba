// The multi-column drop-down with 10,000 items of three columns on the
// headless window system: rebuilding the lookup list (EndUpdate), completing
// a typed prefix that matches only the last item and one that matches none,
// and opening the pop-up with three auto-size columns (loading the list,
// sizing the columns, the first paint off screen). QtMultiColumnBench.cpp
// does the same work with Qt (scripts/bench-multicolumn-vs-qt.sh).

#include "dropdown/ZuvEdiraRareriVavuRaze.h"
#include "rtl/Convert.h"
#include "vcl/Forms.h"
#include "windowing/HeadlessBackend.h"
#include "windowing/Input.h"

#include <benchmark/benchmark.h>

using namespace ZuvEdiraRareriVavuRaze;

namespace {

constexpr int Items = 10000;

struct TFixture {
    THeadlessBackend* Backend = nullptr;
    TForm* Form = nullptr;
    TZuvEdiraRareriVavuRaze* Edit = nullptr;

    TFixture() {
        Backend = &UseHeadlessBackend();
        Form = Create<TForm>(nullptr);
        Form->SetBounds(100, 100, 400, 300);
        Form->Show();
        Edit = Create<TZuvEdiraRareriVavuRaze>(Form);
        Edit->SetParent(Form);
        Edit->SetBounds(20, 20, 200, 21);
        for (int C = 0; C < 3; ++C) {
            TDropDownColumn* Column = Edit->Columns()->Add();
            Column->SetHeader(u"Column " + IntToStr(C));
            Column->SetAutoSize(true);
        }
        // Every lookup text begins with "k" except the last item's.
        for (int I = 0; I < Items; ++I) {
            TDropDownItem* Item = Edit->Items()->Add();
            const String N = IntToStr(I);
            Item->Text()->Add(I == Items - 1 ? u"zebra " + N : u"key " + N);
            Item->Text()->Add(u"description of item " + N);
            Item->Text()->Add(N + u".00");
        }
        Edit->EndUpdate();
        Edit->SetFocus();
        Application->ProcessMessages();
    }
    ~TFixture() { Free(Form); }
};

TFixture& Fixture() {
    static TFixture F;
    return F;
}

void BM_EndUpdate(benchmark::State& State) {
    TFixture& F = Fixture();
    for (auto _ : State) {
        F.Edit->BeginUpdate();
        F.Edit->EndUpdate();
    }
    benchmark::DoNotOptimize(F.Edit->LookupItems()->Count());
}

// One key typed into the empty edit: its key-down, character and key-up
// (the completion runs at the key-up).
void Complete(benchmark::State& State, Char Typed) {
    TFixture& F = Fixture();
    const Integer VirtualKey = Typed - u'a' + u'A';
    for (auto _ : State) {
        State.PauseTiming();
        F.Edit->SetText(u"");
        State.ResumeTiming();
        F.Backend->PressKey(VirtualKey, String(1, Typed));
        F.Backend->ReleaseKey(VirtualKey);
        Application->ProcessMessages();
    }
    benchmark::DoNotOptimize(F.Edit->ItemIndex());
}

void BM_CompleteLastItem(benchmark::State& State) { Complete(State, u'z'); }
void BM_CompleteNoMatch(benchmark::State& State) { Complete(State, u'q'); }

void BM_OpenPopupAutoSize(benchmark::State& State) {
    TFixture& F = Fixture();
    for (auto _ : State) {
        F.Edit->ShowDropDown();
        F.Edit->List()->Repaint();
        Application->ProcessMessages();
        State.PauseTiming();
        F.Edit->HideDropDown(true);
        Application->ProcessMessages();
        State.ResumeTiming();
    }
}

} // namespace

BENCHMARK(BM_EndUpdate)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CompleteLastItem)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CompleteNoMatch)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenPopupAutoSize)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();

#include "WindowingTestSupport.h"

using namespace winapi;

namespace {
std::vector<NativeUInt> Fired;
void Callback(HWND, UINT, NativeUInt id, DWORD) {
    Fired.push_back(id);
}
} // namespace

TEST_F(WindowingTest, TimersFireInDueOrderOnTheManualClock) {
    HWND w = Create("w", WS_POPUP, Bounds(0, 0, 10, 10));
    SetTimer(w, 111, 500, nullptr);
    SetTimer(w, 1, 30, nullptr);
    SetTimer(w, 999, 1, nullptr); // below the minimum: 10 ms
    auto timerIds = [&] {
        std::vector<WPARAM> ids;
        for (const auto& e : Entries())
            if (e.Message == WM_TIMER) ids.push_back(e.WParam);
        return ids;
    };
    ClearLog();
    Clock->Advance(9);
    Pump();
    EXPECT_TRUE(timerIds().empty());
    Clock->Advance(491); // 500: all due; the 10 ms timer yields one message, not fifty
    Pump();
    EXPECT_EQ(timerIds(), std::vector<WPARAM>({999, 1, 111}));
    ClearLog();
    EXPECT_TRUE(KillTimer(w, 999));
    EXPECT_FALSE(KillTimer(w, 999));
    Clock->Advance(30);
    Pump();
    EXPECT_EQ(timerIds(), std::vector<WPARAM>({1}));
    EXPECT_EQ(GetTickCount(), DWORD(100000 + 530));
}

TEST_F(WindowingTest, CallbackTimersGetTheirOwnIdsAndDieWithNothing) {
    Fired.clear();
    NativeUInt a = SetTimer(nullptr, 0, 20, &Callback);
    NativeUInt b = SetTimer(nullptr, 0, 10, &Callback);
    EXPECT_NE(a, 0u);
    EXPECT_NE(a, b);
    Clock->Advance(20);
    Pump();
    EXPECT_EQ(Fired, std::vector<NativeUInt>({b, a}));
    HWND w = Create("w", WS_POPUP, Bounds(0, 0, 10, 10));
    SetTimer(w, 5, 10, nullptr);
    DestroyWindow(w);
    ClearLog();
    Clock->Advance(50);
    KillTimer(nullptr, a);
    KillTimer(nullptr, b);
    Pump();
    EXPECT_TRUE(Log({WM_TIMER}).empty());
}

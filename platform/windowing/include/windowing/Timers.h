#pragma once
// Timers and the millisecond clock they read. One clock serves GetTickCount,
// timers, double-click timing and message times; tests replace it with a
// manual clock and advance it.

#include "windowing/Messages.h"

#include <memory>

class TWindowClock {
public:
    virtual ~TWindowClock() = default;
    // Milliseconds since an arbitrary start; never goes back.
    virtual UInt64 Milliseconds() = 0;
    // Whether waiting for a due time means sleeping: false for a manual clock,
    // whose time moves only when a test advances it.
    virtual bool WaitsForReal() const = 0;
};

// The steady clock of the machine.
class TSteadyClock : public TWindowClock {
public:
    UInt64 Milliseconds() override;
    bool WaitsForReal() const override { return true; }
};

// A clock that moves only when told to.
class TManualClock : public TWindowClock {
public:
    explicit TManualClock(UInt64 start = 100000) : FNow(start) {}
    UInt64 Milliseconds() override { return FNow; }
    bool WaitsForReal() const override { return false; }
    void Advance(UInt64 milliseconds) { FNow += milliseconds; }

private:
    UInt64 FNow;
};

// Replaces the clock of the window system (null: the steady clock) and
// answers the one in use afterwards.
TWindowClock& SetWindowClock(std::shared_ptr<TWindowClock> clock);
TWindowClock& WindowClock();

namespace winapi {

constexpr Cardinal USER_TIMER_MINIMUM = 10;
constexpr Cardinal USER_TIMER_MAXIMUM = 0x7FFFFFFF;

// Starts or restarts the timer `id` of `window`; intervals below 10 ms count as
// 10 ms. Without a window the id is chosen and returned. Each due timer
// yields one WM_TIMER (wParam the id, lParam the procedure) when the queue
// has nothing else; the next one is due an interval after it was taken.
// Answers 0 for a window that does not exist.
NativeUInt SetTimer(HWND window, NativeUInt id, Cardinal interval, TIMERPROC procedure);
bool KillTimer(HWND window, NativeUInt id);
// Milliseconds of the window system's clock, wrapping at 2^32.
DWORD GetTickCount();
UInt64 GetTickCount64();

} // namespace winapi

// Window and callback timers on the window system's clock.

#include "WindowSystem.h"

#include <algorithm>

using namespace winapi;

namespace detail {

std::optional<MSG> NextTimerMessage(HWND window, bool take) {
    auto& system = System();
    UInt64 now = Now();
    TTimerRecord* due = nullptr;
    for (auto& timer : system.Timers) {
        if (timer.Due > now) continue;
        if (window && timer.Window != window) continue;
        if (!due || timer.Due < due->Due || (timer.Due == due->Due && timer.Order < due->Order)) due = &timer;
    }
    if (!due) return std::nullopt;
    MSG message;
    message.hwnd = due->Window;
    message.message = WM_TIMER;
    message.wParam = due->Id;
    message.lParam = reinterpret_cast<LPARAM>(due->Proc);
    message.time = DWORD(now);
    // One message however long the timer has been due; the next one an interval later.
    if (take) due->Due = now + due->Interval;
    return message;
}

Int64 MillisecondsToNextTimer() {
    auto& system = System();
    if (system.Timers.empty()) return -1;
    UInt64 now = Now();
    UInt64 first = system.Timers.front().Due;
    for (const auto& timer : system.Timers)
        first = std::min(first, timer.Due);
    return first <= now ? 0 : Int64(first - now);
}

void DropWindowTimers(HWND window) {
    auto& timers = System().Timers;
    timers.erase(std::remove_if(timers.begin(), timers.end(),
                                [&](const TTimerRecord& t) { return t.Window == window; }),
                 timers.end());
}

} // namespace detail

namespace winapi {

NativeUInt SetTimer(HWND window, NativeUInt id, Cardinal interval, TIMERPROC procedure) {
    auto& system = System();
    if (window && !Record(window)) return 0;
    interval = std::clamp<Cardinal>(interval, USER_TIMER_MINIMUM, USER_TIMER_MAXIMUM);
    if (!window) {
        // Callback timers without a window get an id of their own unless an
        // existing one is named.
        bool existing = id && std::any_of(system.Timers.begin(), system.Timers.end(),
                                          [&](const TTimerRecord& t) { return !t.Window && t.Id == id; });
        if (!existing) {
            do {
                id = ++system.NextThreadTimerId;
            } while (std::any_of(system.Timers.begin(), system.Timers.end(),
                                 [&](const TTimerRecord& t) { return !t.Window && t.Id == id; }));
        }
    }
    UInt64 due = detail::Now() + interval;
    for (auto& timer : system.Timers)
        if (timer.Window == window && timer.Id == id) {
            timer.Interval = interval;
            timer.Proc = procedure;
            timer.Due = due;
            return window ? 1 : id;
        }
    system.Timers.push_back({window, id, interval, procedure, due, ++system.TimerOrder});
    return window ? 1 : id;
}

bool KillTimer(HWND window, NativeUInt id) {
    auto& system = System();
    auto& timers = system.Timers;
    auto at = std::find_if(timers.begin(), timers.end(),
                           [&](const TTimerRecord& t) { return t.Window == window && t.Id == id; });
    if (at == timers.end()) return false;
    timers.erase(at);
    // A WM_TIMER already posted for it stays, as on the platform; none is generated any more.
    return true;
}

DWORD GetTickCount() {
    return DWORD(detail::Now());
}
UInt64 GetTickCount64() {
    return detail::Now();
}

} // namespace winapi

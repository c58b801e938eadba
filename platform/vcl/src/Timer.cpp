// TTimer over the window system's timers: each running timer is one
// thread timer whose procedure finds the TTimer by its id.

#include "vcl/Timer.h"

#include "ControlGlobals.h"
#include "rtl/ClassBuilder.h"
#include "windowing/Timers.h"

#include <unordered_map>

using namespace winapi;

namespace {

std::unordered_map<NativeUInt, TTimer*>& RunningTimers() {
    static std::unordered_map<NativeUInt, TTimer*> Map;
    return Map;
}

} // namespace

struct TTimerDispatch {
    static void Procedure(HWND, UINT, NativeUInt Id, DWORD) {
        auto It = RunningTimers().find(Id);
        if (It == RunningTimers().end()) return;
        TTimer* Timer = It->second;
        try {
            Timer->Timer();
        } catch (...) {
            detail::HandleException(Timer);
        }
    }
};

const TClassInfo& TTimer::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TTimer, TComponent>()
                                       .Property(u"Enabled", &TTimer::Enabled, &TTimer::SetEnabled)
                                       .Default(true)
                                       .Property(u"Interval", &TTimer::Interval, &TTimer::SetInterval)
                                       .Default(1000)
                                       .Build();
    return Info;
}

TTimer::TTimer(TComponent* AOwner) : TComponent(AOwner) {}

TTimer::~TTimer() {
    // A timer deleted without Free must not stay registered.
    if (FId) {
        KillTimer(nullptr, FId);
        RunningTimers().erase(FId);
    }
}

void TTimer::AfterConstruction() {
    TComponent::AfterConstruction();
    UpdateTimer();
}

void TTimer::BeforeDestruction() {
    FEnabled = false;
    UpdateTimer();
    TComponent::BeforeDestruction();
}

void TTimer::UpdateTimer() {
    if (FId) {
        KillTimer(nullptr, FId);
        RunningTimers().erase(FId);
        FId = 0;
    }
    if (!FEnabled || FInterval == 0) return;
    FId = SetTimer(nullptr, 0, FInterval, &TTimerDispatch::Procedure);
    if (FId) RunningTimers()[FId] = this;
}

void TTimer::SetEnabled(bool Value) {
    if (FEnabled == Value) return;
    FEnabled = Value;
    UpdateTimer();
}

void TTimer::SetInterval(Cardinal Value) {
    if (FInterval == Value) return;
    FInterval = Value;
    UpdateTimer();
}

void TTimer::Timer() {
    if (OnTimer) OnTimer(this);
}

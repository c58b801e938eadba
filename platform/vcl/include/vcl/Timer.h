#pragma once
// TTimer: calls OnTimer every Interval milliseconds while Enabled, from the
// message loop, on the window system's clock.

#include "rtl/Component.h"
#include "rtl/Events.h"

class TTimer : public TComponent {
    RTL_CLASS(TTimer)
public:
    explicit TTimer(TComponent* AOwner);
    ~TTimer() override;
    void AfterConstruction() override;
    void BeforeDestruction() override;

    bool Enabled() const { return FEnabled; }
    // Setting the value it already has changes nothing: a running timer
    // keeps its schedule.
    void SetEnabled(bool Value);
    Cardinal Interval() const { return FInterval; }
    // Restarts a running timer with the new interval; 0 stops it.
    void SetInterval(Cardinal Value);

    TNotifyEvent OnTimer;

protected:
    // Calls OnTimer; an exception goes to the application's handler.
    virtual void Timer();

private:
    friend struct TTimerDispatch;
    void UpdateTimer();

    bool FEnabled = true;
    Cardinal FInterval = 1000;
    NativeUInt FId = 0;
};

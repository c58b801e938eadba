#pragma once
// TBalloonSettings: the grid's BalloonSettings, the look and delays of the
// balloon tool tips over cells. The balloon window itself is the grid's.

#include "graphics/Colors.h"
#include "rtl/Events.h"
#include "rtl/Persistent.h"

class TBalloonSettings : public TPersistent {
    RTL_CLASS(TBalloonSettings)
public:
    TBalloonSettings() = default;

    // From other balloon settings: colours, delays, Enable and ShowCell
    // (Transparency is not copied, OnEnableChange does not fire); other
    // sources are ignored.
    void Assign(const TPersistent* Source) override;

    // Delays in milliseconds; -1 keeps the system's delay.
    Integer AutoHideDelay() const { return FAutoHideDelay; }
    void SetAutoHideDelay(Integer Value) { FAutoHideDelay = Value; }
    TColor BackgroundColor() const { return FBackgroundColor; }
    void SetBackgroundColor(TColor Value) { FBackgroundColor = Value; }
    // A change is stored and fires OnEnableChange.
    bool Enable() const { return FEnable; }
    void SetEnable(bool Value);
    Integer InitialDelay() const { return FInitialDelay; }
    void SetInitialDelay(Integer Value) { FInitialDelay = Value; }
    Integer ReshowDelay() const { return FReshowDelay; }
    void SetReshowDelay(Integer Value) { FReshowDelay = Value; }
    bool ShowCell() const { return FShowCell; }
    void SetShowCell(bool Value) { FShowCell = Value; }
    TColor TextColor() const { return FTextColor; }
    void SetTextColor(TColor Value) { FTextColor = Value; }
    // 0 opaque; otherwise the balloon's alpha is 255 minus this value.
    Byte Transparency() const { return FTransparency; }
    void SetTransparency(Byte Value) { FTransparency = Value; }

    // Whether the grid's balloon window exists (kept here for the grid).
    bool Init() const { return FInit; }
    void SetInit(bool Value) { FInit = Value; }

    TNotifyEvent OnEnableChange;

private:
    bool FInit = false;
    TColor FBackgroundColor = clNone;
    TColor FTextColor = clNone;
    Integer FReshowDelay = -1;
    Integer FInitialDelay = -1;
    Integer FAutoHideDelay = -1;
    Byte FTransparency = 0;
    bool FEnable = false;
    bool FShowCell = true;
};

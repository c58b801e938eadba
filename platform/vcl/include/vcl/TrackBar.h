#pragma once
// Track bars: a thumb that slides along a channel between Min and Max, with
// tick marks every Frequency positions. The arrow keys move it by LineSize,
// Page Up and Page Down by PageSize, Home and End to the ends; a click on
// the channel pages towards the click, and the thumb drags. OnChange runs
// on every change of Position, also when code sets it.

#include "vcl/Controls.h"

RTL_ENUM(TTrackBarOrientation, trHorizontal, trVertical)
RTL_ENUM(TTickMark, tmBottomRight, tmTopLeft, tmBoth)
RTL_ENUM(TTickStyle, tsNone, tsAuto, tsManual)

class TTrackBar : public TCustomControl {
    RTL_CLASS(TTrackBar)
public:
    explicit TTrackBar(TComponent* AOwner);

    TTrackBarOrientation Orientation() const { return FOrientation; }
    // Turning the bar swaps its width and height.
    void SetOrientation(TTrackBarOrientation Value);
    Integer Min() const { return FMin; }
    // Max follows a Min above it; Position stays within the range.
    void SetMin(Integer Value);
    Integer Max() const { return FMax; }
    // Min follows a Max below it.
    void SetMax(Integer Value);
    Integer Position() const { return FPosition; }
    // Kept within Min..Max; runs OnChange when it changes.
    void SetPosition(Integer Value);
    Integer Frequency() const { return FFrequency; }
    void SetFrequency(Integer Value);
    Integer LineSize() const { return FLineSize; }
    void SetLineSize(Integer Value);
    Integer PageSize() const { return FPageSize; }
    void SetPageSize(Integer Value);
    TTickMark TickMarks() const { return FTickMarks; }
    void SetTickMarks(TTickMark Value);
    TTickStyle TickStyle() const { return FTickStyle; }
    void SetTickStyle(TTickStyle Value);
    // With tsManual only these positions (and the ends) get ticks.
    void SetTick(Integer Value);
    void ClearTicks();

    // The thumb's rectangle and the client position of a value along the channel.
    TRect ThumbRect() const;
    Integer PositionToPixel(Integer Value) const;

    TNotifyEvent OnChange;

    void WndProc(TMessage& Message) override;

protected:
    virtual void Changed();
    void Paint() override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    bool DoMouseWheel(TShiftState Shift, Integer WheelDelta, TPoint MousePos) override;

private:
    bool Vertical() const { return FOrientation == trVertical; }
    // The channel runs from ChannelStart to ChannelEnd along the bar.
    Integer ChannelStart() const;
    Integer ChannelEnd() const;
    Integer PixelToPosition(Integer Pixel) const;
    Integer Along(Integer X, Integer Y) const { return Vertical() ? Y : X; }
    std::vector<Integer> TickPositions() const;

    TTrackBarOrientation FOrientation = trHorizontal;
    Integer FMin = 0;
    Integer FMax = 10;
    Integer FPosition = 0;
    Integer FFrequency = 1;
    Integer FLineSize = 1;
    Integer FPageSize = 2;
    TTickMark FTickMarks = tmBottomRight;
    TTickStyle FTickStyle = tsAuto;
    std::vector<Integer> FTicks;
    Integer FDragOffset = -1; // while dragging: the mouse's distance from the thumb's centre
};

#pragma once
// Child controls the string grid makes for itself: the panel along its
// bottom edge that shows the floating footer, and the thin scroll controls
// the grid paints for the painted scroll style.

#include "vcl/ExtCtrls.h"

class TZirOvararIzazCore;

RTL_ENUM(TScrollDirection, sdVertical, sdHorizontal)

// The bottom panel of the grid. Until the floating footer paints into it,
// it is a plain panel: aligned to the bottom, 0 pixels high, no border.
class TFooterPanel : public TCustomPanel {
    RTL_CLASS(TFooterPanel)
public:
    explicit TFooterPanel(TComponent* AOwner);
    // The grid that owns the panel; null when the owner is no grid.
    TZirOvararIzazCore* Grid() const { return FGrid; }

private:
    TZirOvararIzazCore* FGrid = nullptr;
};

// A thin scroll bar the grid paints itself, vertical at the right edge or
// horizontal at the bottom. The thumb follows the grid it lies on (its
// parent): the track is the control's length less the fixed rows and footer
// rows (fixed and right fixed columns), the thumb stands for the visible rows
// (columns), at least 20 pixels long. A press before or after the thumb pages,
// a press on it drags the view. On anything but a string grid it does nothing.
class TScrollControl : public TCustomControl {
    RTL_CLASS(TScrollControl)
public:
    explicit TScrollControl(TComponent* AOwner);
    // The thumb's colour; setting it repaints.
    TColor ThumbColor() const { return FThumbColor; }
    void SetThumbColor(TColor Value);
    // The thumb's thickness in pixels.
    Integer ScrollWidth() const { return FScrollWidth; }
    void SetScrollWidth(Integer Value) { FScrollWidth = Value; }
    TScrollDirection Direction() const { return FDirection; }
    void SetDirection(TScrollDirection Value) { FDirection = Value; }

    // The thumb along the control: its start (never before 0) and length;
    // both 0 when the control lies on no string grid.
    Integer TrackLength() const;
    Integer ThumbPos() const;
    Integer ThumbSize() const;
    // Whether the grid has more normal rows (columns) than it shows: only
    // then is a thumb drawn.
    bool ThumbShown() const;
    bool Dragging() const { return FDownOnScroller; }

protected:
    void Paint() override;
    void WndProc(TMessage& Message) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;

private:
    TZirOvararIzazCore* Grid() const;
    bool Vertical() const { return FDirection == sdVertical; }
    Integer Length() const { return Vertical() ? Height() : Width(); }
    // The thumb's start and length before the start is kept inside the control.
    void Thumb(Integer& Pos, Integer& Size) const;

    TColor FThumbColor = 0xC0C0C0;
    Integer FScrollWidth = 4;
    TScrollDirection FDirection = sdVertical;
    bool FDownOnScroller = false;
    Integer FDownPos = 0;
    Integer FDownRow = 0;
};

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
// horizontal at the bottom. It keeps its look here; the thumb follows the
// grid's view through the grid's mouse and paint handling.
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

private:
    TColor FThumbColor = 0xC0C0C0;
    Integer FScrollWidth = 4;
    TScrollDirection FDirection = sdVertical;
};

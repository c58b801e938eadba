#pragma once
// The border rules shared by the flat combo box and the flat date-time
// picker: a disabled themed frame, a fixed or focus border colour, or the
// flat look with a three-dimensional edge while the control is active.

#include "graphics/Canvas.h"
#include "graphics/GdiObjects.h"
#include "windowing/Messages.h"

namespace detail {

// The frame of a disabled control in the visual style.
constexpr TColor DisabledThemedFrame = 0xB99D7F; // RGB(127, 157, 185)

struct TFlatBorderState {
    bool Enabled = true;
    bool Themed = false;
    bool DisabledBorder = true;
    bool Focused = false;
    bool Border3D = false;
    TColor BorderColor = clNone;
    TColor FocusBorderColor = clNone;
    TColor ParentColor = clBtnFace;
    TColor Color = clWindow;
    Integer ButtonWidth = 19;
};

void FrameIn(TCanvas* C, const TRect& R, TColor Color);

// Draws the borders in R (the window at 0,0). Answers R as the flat look
// leaves it (unchanged for the coloured frames).
TRect DrawFlatBorders(TCanvas* C, TRect R, const TFlatBorderState& S);

// True while the left or right mouse button is held.
bool MouseButtonDown();

// Draws on a window's whole-window device context while it lives.
class TWindowCanvas {
public:
    explicit TWindowCanvas(winapi::HWND Window);
    ~TWindowCanvas();
    TWindowCanvas(const TWindowCanvas&) = delete;
    TWindowCanvas& operator=(const TWindowCanvas&) = delete;
    TCanvas* Canvas() { return &FCanvas; }

private:
    winapi::HWND FWindow;
    winapi::HDC FDC;
    TCanvas FCanvas;
};

} // namespace detail

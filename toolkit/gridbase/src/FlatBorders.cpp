// The border rules shared by the flat combo box and date-time picker.

#include "FlatBorders.h"

#include "graphics/GdiControls.h"
#include "windowing/Input.h"
#include "windowing/Paint.h"

using namespace winapi;

namespace detail {

void FrameIn(TCanvas* C, const TRect& R, TColor Color) {
    C->Brush()->SetStyle(bsSolid);
    C->Brush()->SetColor(Color);
    C->FrameRect(R);
}

TRect DrawFlatBorders(TCanvas* C, TRect R, const TFlatBorderState& S) {
    if (!S.Enabled && S.Themed && !S.DisabledBorder) {
        FrameIn(C, R, DisabledThemedFrame);
        return R;
    }
    if (S.BorderColor != clNone && !(S.Focused && S.FocusBorderColor != clNone)) {
        FrameIn(C, R, S.BorderColor);
        return R;
    }
    if (S.FocusBorderColor != clNone) {
        if (S.Focused) FrameIn(C, R, S.FocusBorderColor);
        return R;
    }
    const TColor A = S.Border3D ? clBtnFace : S.ParentColor;
    if (S.Border3D) {
        DrawEdge(C->Handle(), R, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
        FrameIn(C, R, A);
        InflateRect(R, -1, -1);
        FrameIn(C, R, S.Color);
    } else {
        FrameIn(C, R, A);
        InflateRect(R, -1, -1);
        R.Right -= S.ButtonWidth;
        FrameIn(C, R, A);
        InflateRect(R, -1, -1);
        FrameIn(C, R, S.Color);
        R.Right += S.ButtonWidth;
    }
    return R;
}

bool MouseButtonDown() { return GetAsyncKeyState(VK_LBUTTON) < 0 || GetAsyncKeyState(VK_RBUTTON) < 0; }

TWindowCanvas::TWindowCanvas(HWND Window) : FWindow(Window), FDC(GetWindowDC(Window)) { FCanvas.SetHandle(FDC); }

TWindowCanvas::~TWindowCanvas() {
    FCanvas.SetHandle(nullptr);
    ReleaseDC(FWindow, FDC);
}

} // namespace detail

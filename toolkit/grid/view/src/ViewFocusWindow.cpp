// The focus window: a separate translucent pop-up that frames the cell
// being edited. Its window region is the frame with the cell cut out; it
// follows the cell when the grid scrolls and the form when it moves (the
// grid unit's window hook calls UpdateFocusWindow), and goes when the edit
// ends or the cell scrolls out of view.

#include "grid/ZirOvararIzaz.h"

#include "graphics/GdiObjects.h"
#include "grid/GridUnit.h"
#include "gridbase/AlphaMask.h"
#include "gridbase/GridOptions.h"
#include "rtl/FlagScope.h"
#include "windowing/Window.h"

namespace {

constexpr TColor FocusFrameColor = 0xFDD397;
constexpr Byte FocusFrameOpacity = 230;

} // namespace

TGridFocusWindow* TZirOvararIzaz::FocusWindow() {
    if (!FFocusWindow) {
        FFocusWindow = Create<TGridFocusWindow>(this);
        FFocusWindow->SetColor(FocusFrameColor);
    }
    return FFocusWindow;
}

bool TZirOvararIzaz::FocusWindowShown() const {
    return FFocusWindow && FFocusWindow->HandleAllocated() && winapi::IsWindowVisible(FFocusWindow->Handle());
}

bool TZirOvararIzaz::CurrentCellVisible() const {
    return Col() >= LeftCol() && Row() >= TopRow() && Col() < LeftCol() + VisibleColCount() &&
           Row() < TopRow() + VisibleRowCount();
}

void TZirOvararIzaz::ApplyFocusWindowMask(TWinControl* Window, TGridAlphaMask* Mask) {
    const winapi::HWND H = Window->Handle();
    winapi::SetWindowLongPtr(H, winapi::GWL_EXSTYLE,
                             winapi::GetWindowLongPtr(H, winapi::GWL_EXSTYLE) | winapi::WS_EX_LAYERED);
    winapi::SetWindowPos(H, nullptr, 0, 0, Mask->Width(), Mask->Height(),
                         winapi::SWP_NOMOVE | winapi::SWP_NOZORDER | winapi::SWP_NOACTIVATE);
    // The windowing layer offers a constant opacity, not one per pixel: the
    // frame shows in its colour, shaped by the window region.
    winapi::SetLayeredWindowAttributes(H, clNone, Mask->Opacity(), winapi::LWA_ALPHA);
}

void TZirOvararIzaz::ShowFocusWindow(TRect R) {
    if (!HandleAllocated()) return;
    TFlagScope Moving(FMovingFocusWindow, true);
    const Integer W = R.Width() + 9, H = R.Height() + 9;
    TGridFocusWindow* FW = FocusWindow();
    const winapi::HWND FH = FW->Handle();
    winapi::ShowWindow(FH, winapi::SW_HIDE);
    winapi::SetWindowPos(FH, nullptr, 0, 0, W, H, winapi::SWP_NOMOVE | winapi::SWP_NOZORDER | winapi::SWP_NOACTIVATE);

    TBitmap Mask;
    MakeRoundRectMask(&Mask, W, H, 4, 5, 3);
    TBitmap Picture;
    Picture.SetPixelFormat(pf24bit);
    Picture.SetSize(W, H);
    Picture.Canvas()->Brush()->SetColor(FocusFrameColor);
    Picture.Canvas()->FillRect(TRect(0, 0, W, H));
    TGridAlphaMask Alpha;
    Alpha.MergeMask(&Mask, &Picture, FocusFrameColor);
    Alpha.SetOpacity(FocusFrameOpacity);
    ApplyFocusWindowMask(FW, &Alpha);

    winapi::HRGN Frame = winapi::CreateRectRgn(0, 0, W, H);
    winapi::HRGN Hole = winapi::CreateRectRgn(4, 4, 4 + R.Width(), 4 + R.Height());
    winapi::CombineRgn(Frame, Frame, Hole, RGN_DIFF);
    winapi::DeleteObject(Hole);
    winapi::SetWindowRgn(FH, Frame, true); // the window owns the region now

    TPoint P(R.Left, R.Top);
    winapi::ClientToScreen(Handle(), P);
    winapi::SetWindowPos(FH, winapi::HWND_TOPMOST, P.X - 4, P.Y - 4, W, H,
                         winapi::SWP_NOACTIVATE | winapi::SWP_SHOWWINDOW);
    SetActiveFocusGrid(this);
}

void TZirOvararIzaz::UpdateFocusWindow() {
    // Moving the focus window sends window-position messages of its own,
    // which bring the hook back here.
    if (FMovingFocusWindow) return;
    if (!HandleAllocated() || !FocusHelper()->Enabled() || !EditMode() || !CurrentCellVisible()) {
        HideFocusWindow();
        return;
    }
    const TRect R = CellRect(Col(), Row());
    if (!FocusWindowShown()) {
        ShowFocusWindow(R);
        return;
    }
    TFlagScope Moving(FMovingFocusWindow, true);
    TPoint P(R.Left, R.Top);
    winapi::ClientToScreen(Handle(), P);
    const winapi::HWND FH = FFocusWindow->Handle();
    winapi::SetWindowPos(FH, nullptr, P.X - 4, P.Y - 4, R.Width() + 9, R.Height() + 9,
                         winapi::SWP_NOZORDER | winapi::SWP_NOACTIVATE);
    FFocusWindow->Invalidate();
}

void TZirOvararIzaz::HideFocusWindow() {
    if (ActiveFocusGrid() == this) SetActiveFocusGrid(nullptr);
    if (FFocusWindow && FFocusWindow->HandleAllocated()) {
        TFlagScope Moving(FMovingFocusWindow, true);
        winapi::ShowWindow(FFocusWindow->Handle(), winapi::SW_HIDE);
    }
}

void TZirOvararIzaz::HideInplaceEdit() {
    TZirOvararIzazInput::HideInplaceEdit();
    HideFocusWindow();
}

void TZirOvararIzaz::TopLeftChanged() {
    TZirOvararIzazInput::TopLeftChanged();
    if (FFocusWindow) UpdateFocusWindow();
}

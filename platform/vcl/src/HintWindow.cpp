// TCustomHintWindow: a borderless pop-up that shows a hint text without
// taking activation from the window under it.

#include "rtl/ClassBuilder.h"
#include "vcl/Forms.h"
#include "windowing/Paint.h"

using namespace winapi;

const TClassInfo& TCustomHintWindow::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TCustomHintWindow, TCustomControl>().Build();
    return Info;
}

const TClassInfo& THintWindow::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<THintWindow, TCustomHintWindow>().Build();
    return Info;
}

TCustomHintWindow::TCustomHintWindow(TComponent* AOwner) : TCustomControl(AOwner) {
    InitAppearance(false, clInfoBk, true);
    Brush()->SetColor(clInfoBk);
}

void TCustomHintWindow::CreateParams(TCreateParams& Params) {
    TCustomControl::CreateParams(Params);
    Params.Style = WS_POPUP | WS_BORDER;
    Params.ExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE;
    Params.WndParent = nullptr;
}

TRect TCustomHintWindow::CalcHintRect(Integer MaxWidth, const String& AHint, void*) {
    Canvas()->SetFont(Font());
    TRect Area = Rect(0, 0, MaxWidth, 0);
    Canvas()->TextRect(Area, AHint, {tfCalcRect, tfLeft, tfWordBreak, tfNoPrefix});
    // Room for the border and a little space around the text.
    return Rect(0, 0, Area.Width() + 6, Area.Height() + 2);
}

void TCustomHintWindow::ActivateHint(const TRect& Rect, const String& AHint) {
    SetCaption(AHint);
    SetBoundsRect(Rect);
    SetWindowPos(Handle(), HWND_TOPMOST, Rect.Left, Rect.Top, Rect.Width(), Rect.Height(),
                 SWP_SHOWWINDOW | SWP_NOACTIVATE);
    Invalidate();
}

void TCustomHintWindow::ActivateHintData(const TRect& Rect, const String& AHint, void*) {
    ActivateHint(Rect, AHint);
}

void TCustomHintWindow::ReleaseHandle() {
    DestroyHandle();
}

void TCustomHintWindow::Paint() {
    TRect Area = ClientRect();
    InflateRect(Area, -2, -1);
    Canvas()->SetFont(Font());
    Canvas()->Font()->SetColor(clInfoText);
    Canvas()->Brush()->SetStyle(bsClear);
    Canvas()->TextRect(Area, Caption(), {tfLeft, tfWordBreak, tfNoPrefix});
}

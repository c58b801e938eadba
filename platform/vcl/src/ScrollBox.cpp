// The scroll box: a scrolling container with a border.

#include "vcl/ScrollBox.h"

#include "rtl/ClassBuilder.h"
#include "vcl/Forms.h"

using namespace winapi;

const TClassInfo& TScrollBox::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TScrollBox, TScrollingWinControl>()
                                       .Property(u"BorderStyle", &TScrollBox::BorderStyle, &TScrollBox::SetBorderStyle)
                                       .Default(bsSingle)
                                       .Build();
    return Info;
}

TScrollBox::TScrollBox(TComponent* AOwner) : TScrollingWinControl(AOwner) {
    SetControlStyle(TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks});
    SetBounds(0, 0, 185, 41);
}

void TScrollBox::SetBorderStyle(TBorderStyle Value) {
    if (Value != bsNone) Value = bsSingle;
    if (FBorderStyle == Value) return;
    FBorderStyle = Value;
    RecreateWnd();
}

void TScrollBox::CreateParams(TCreateParams& Params) {
    TScrollingWinControl::CreateParams(Params);
    if (FBorderStyle == bsSingle) Params.ExStyle |= WS_EX_CLIENTEDGE;
}

bool TScrollBox::DoMouseWheel(TShiftState Shift, Integer WheelDelta, TPoint MousePos) {
    if (TScrollingWinControl::DoMouseWheel(Shift, WheelDelta, MousePos)) return true;
    TControlScrollBar* Bar = Shift.Contains(ssShift) ? HorzScrollBar() : VertScrollBar();
    if (!Bar->IsScrollBarVisible()) return false;
    Bar->SetPosition(Bar->Position() - WheelDelta / WHEEL_DELTA * Mouse->WheelScrollLines() * Bar->Increment());
    return true;
}

void TScrollBox::WndProc(TMessage& Message) {
    TScrollingWinControl::WndProc(Message);
    // A child inside that takes the focus is scrolled into view.
    if (Message.Msg == CM_FOCUSCHANGED) {
        auto* Focused = reinterpret_cast<TControl*>(Message.LParam);
        if (Focused && Focused != this && ContainsControl(Focused)) ScrollInView(Focused);
    }
}

// Mouse input of controls: button, move and wheel messages turned into
// events, the mouse capture, entering and leaving controls, and the mouse
// as a whole.

#include "ControlGlobals.h"
#include "vcl/ActnList.h"
#include "vcl/Forms.h"
#include "windowing/Focus.h"
#include "windowing/Input.h"
#include "windowing/MessageQueue.h"
#include "windowing/SystemMetrics.h"

using namespace winapi;

namespace {

TControl* FCaptureControl = nullptr;
TControl* FMouseControl = nullptr;
TMouse TheMouse;

} // namespace

TMouse* Mouse = &TheMouse;

TShiftState KeysToShiftState(Word Keys) {
    TShiftState Result;
    if (Keys & MK_SHIFT) Result.Include(ssShift);
    if (Keys & MK_CONTROL) Result.Include(ssCtrl);
    if (Keys & MK_LBUTTON) Result.Include(ssLeft);
    if (Keys & MK_RBUTTON) Result.Include(ssRight);
    if (Keys & MK_MBUTTON) Result.Include(ssMiddle);
    if (GetKeyState(VK_MENU) < 0) Result.Include(ssAlt);
    return Result;
}

TShiftState KeyDataToShiftState(LPARAM KeyData) {
    TShiftState Result;
    if (GetKeyState(VK_SHIFT) < 0) Result.Include(ssShift);
    if (GetKeyState(VK_CONTROL) < 0) Result.Include(ssCtrl);
    if (KeyData & (LPARAM(1) << 29)) Result.Include(ssAlt);
    return Result;
}

namespace detail {

TControl*& CaptureControl() {
    return FCaptureControl;
}

TControl* MouseControl() {
    return FMouseControl;
}

void UpdateMouseControl(TControl* Control) {
    if (Control == FMouseControl) return;
    TControl* Old = FMouseControl;
    FMouseControl = Control;
    if (Old) Old->Perform(CM_MOUSELEAVE, 0, 0);
    // The leave handler may have freed or moved things; enter only what is still current.
    if (Control && FMouseControl == Control) Control->Perform(CM_MOUSEENTER, 0, 0);
}

void RefreshCursor() {
    TPoint Pos;
    GetCursorPos(Pos);
    if (HWND Window = WindowFromPoint(Pos)) {
        LRESULT HitTest = SendMessage(Window, WM_NCHITTEST, 0, MAKELPARAM(Pos.X, Pos.Y));
        SendMessage(Window, WM_SETCURSOR, HandleToWParam(Window), MAKELPARAM(Integer(HitTest), WM_MOUSEMOVE));
    }
}

} // namespace detail

// ---- Capture ----

TControl* GetCaptureControl() {
    TControl* Result = FindControl(GetCapture());
    if (Result && FCaptureControl && FCaptureControl->Parent() == Result) Result = FCaptureControl;
    return Result;
}

void SetCaptureControl(TControl* Control) {
    ReleaseCapture();
    FCaptureControl = nullptr;
    if (!Control) return;
    auto* Windowed = dynamic_cast<TWinControl*>(Control);
    if (!Windowed) {
        if (!Control->Parent()) return;
        FCaptureControl = Control;
        Windowed = Control->Parent();
    }
    SetCapture(Windowed->Handle());
}

bool TControl::MouseCapture() const {
    return GetCaptureControl() == this;
}

void TControl::SetMouseCapture(bool Value) {
    if (MouseCapture() == Value) return;
    SetCaptureControl(Value ? this : nullptr);
}

// ---- Buttons, moves and the wheel ----

void TControl::HandleMouseDown(TMessage& Message, TMouseButton Button, TShiftState Shift) {
    DefaultHandler(Message);
    if (Button == mbLeft) {
        if (FControlStyle.Contains(csCaptureMouse)) SetMouseCapture(true);
        if (FControlStyle.Contains(csClickEvents)) {
            if (Shift.Contains(ssDouble))
                DblClick();
            else
                FControlState.Include(csClicked);
        }
    }
    if (!FControlStyle.Contains(csNoStdEvents))
        MouseDown(Button, KeysToShiftState(Word(Message.WParam)) + Shift, GET_X_LPARAM(Message.LParam),
                  GET_Y_LPARAM(Message.LParam));
}

void TControl::HandleMouseUp(TMessage& Message, TMouseButton Button) {
    DefaultHandler(Message);
    TPoint Pos{GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)};
    if (Button == mbLeft) {
        if (FControlStyle.Contains(csCaptureMouse)) SetMouseCapture(false);
        // A click is a press and a release both inside the control.
        if (FControlState.Contains(csClicked)) {
            FControlState.Exclude(csClicked);
            if (PtInRect(ClientRect(), Pos)) Click();
        }
    }
    if (!FControlStyle.Contains(csNoStdEvents))
        MouseUp(Button, KeysToShiftState(Word(Message.WParam)), Pos.X, Pos.Y);
}

// The wheel turns at the focused control of the form first and bubbles up
// its parents until one uses it.
void TControl::HandleMouseWheel(TMessage& Message) {
    TControl* Target = this;
    TCustomForm* Form = detail::ParentFormOf(this);
    TWinControl* Focused = FindControl(GetFocus());
    if (Form && Focused && detail::ParentFormOf(Focused) == Form) Target = Focused;
    Message.Result = Target->Perform(CM_MOUSEWHEEL, Message.WParam, Message.LParam);
}

bool TControl::DoMouseWheel(TShiftState Shift, Integer WheelDelta, TPoint MousePos) {
    bool Handled = false;
    if (OnMouseWheel) OnMouseWheel(this, Shift, WheelDelta, MousePos, Handled);
    if (Handled) return true;
    // Notches of WHEEL_DELTA each; finer wheels add up until a notch is full.
    FWheelAccumulator += WheelDelta;
    while (FWheelAccumulator >= WHEEL_DELTA || FWheelAccumulator <= -WHEEL_DELTA) {
        if (FWheelAccumulator < 0) {
            FWheelAccumulator += WHEEL_DELTA;
            Handled = DoMouseWheelDown(Shift, MousePos);
        } else {
            FWheelAccumulator -= WHEEL_DELTA;
            Handled = DoMouseWheelUp(Shift, MousePos);
        }
    }
    return Handled;
}

bool TControl::DoMouseWheelDown(TShiftState Shift, TPoint MousePos) {
    bool Handled = false;
    if (OnMouseWheelDown) OnMouseWheelDown(this, Shift, MousePos, Handled);
    return Handled;
}

bool TControl::DoMouseWheelUp(TShiftState Shift, TPoint MousePos) {
    bool Handled = false;
    if (OnMouseWheelUp) OnMouseWheelUp(this, Shift, MousePos, Handled);
    return Handled;
}

void TControl::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
    if (OnMouseDown) OnMouseDown(this, Button, Shift, X, Y);
}

void TControl::MouseMove(TShiftState Shift, Integer X, Integer Y) {
    if (OnMouseMove) OnMouseMove(this, Shift, X, Y);
}

void TControl::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
    if (OnMouseUp) OnMouseUp(this, Button, Shift, X, Y);
}

void TControl::Click() {
    // Without a handler of its own the control runs its action.
    if (OnClick)
        OnClick(this);
    else if (FActionLink)
        FActionLink->Execute();
}

void TControl::DblClick() {
    if (OnDblClick) OnDblClick(this);
}

// ---- Entering and leaving ----

// The control entered or left hears it with LParam 0 and fires its event;
// its parents hear it with LParam naming that control.
void TControl::HandleMouseEnterLeave(TMessage& Message) {
    bool Enter = Message.Msg == CM_MOUSEENTER;
    if (FParent)
        FParent->Perform(Message.Msg, 0, Message.LParam ? Message.LParam : reinterpret_cast<LPARAM>(this));
    if (Message.LParam != 0) return;
    if (Enter)
        MouseEnter();
    else
        MouseLeave();
}

void TControl::MouseEnter() {
    if (OnMouseEnter) OnMouseEnter(this);
}

void TControl::MouseLeave() {
    if (OnMouseLeave) OnMouseLeave(this);
}

// ---- Lookups ----

TControl* FindDragTarget(TPoint Pos, bool AllowDisabled) {
    TWinControl* Window = FindControl(WindowFromPoint(Pos));
    if (!Window) return nullptr;
    if (TControl* Child = Window->ControlAtPos(Window->ScreenToClient(Pos), AllowDisabled)) return Child;
    return Window;
}

// ---- TMouse ----

TPoint TMouse::CursorPos() const {
    TPoint Pos;
    GetCursorPos(Pos);
    return Pos;
}

void TMouse::SetCursorPos(TPoint Value) {
    winapi::SetCursorPos(Value.X, Value.Y);
}

HWND TMouse::Capture() const {
    return GetCapture();
}

void TMouse::SetCapture(HWND Value) {
    if (Value)
        winapi::SetCapture(Value);
    else
        ReleaseCapture();
}

Integer TMouse::WheelScrollLines() const {
    UINT Lines = 3;
    SystemParametersInfo(SPI_GETWHEELSCROLLLINES, 0, &Lines, 0);
    return Integer(Lines);
}

namespace detail {

void ControlDestroyed(TControl* Control) {
    if (FCaptureControl == Control) FCaptureControl = nullptr;
    if (FMouseControl == Control) FMouseControl = nullptr;
    if (Application) Application->ControlDestroyed(Control);
    if (Screen) Screen->ControlDestroyed(Control);
}

} // namespace detail

#pragma once
// Small helpers of the standard-control tests: where a control is on the
// screen and what colour its pixels have in its form's window.

#include "vcl/Forms.h"
#include "windowing/Paint.h"
#include "windowing/Window.h"

// The screen point of a client point of the control.
inline TPoint ScreenAt(const TControl* Control, Integer X, Integer Y) {
    return Control->ClientToScreen({X, Y});
}

inline TPoint Centre(const TControl* Control) {
    return ScreenAt(Control, Control->Width() / 2, Control->Height() / 2);
}

// The colour of a client pixel of the control as its form shows it.
inline TColor ControlPixel(TControl* Control, Integer X, Integer Y) {
    TCustomForm* Form = GetParentForm(Control);
    winapi::HWND Window = Form->Handle();
    TRect Bounds;
    winapi::GetWindowRect(Window, Bounds);
    TPoint P = Control->ClientToScreen({X, Y});
    return WindowPixel(Window, P.X - Bounds.Left, P.Y - Bounds.Top);
}

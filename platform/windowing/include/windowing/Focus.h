#pragma once
// Keyboard focus and window activation.
//
// SetFocus sends, synchronously and in this order, WM_KILLFOCUS to the window
// losing the focus (wParam: the window gaining it) and WM_SETFOCUS to the
// window gaining it (wParam: the window that lost it). Focusing a window of
// another top-level window activates that one first.
//
// Activation sends WM_NCACTIVATE and WM_ACTIVATE (WA_INACTIVE, lParam the
// window being activated) to the window losing activation, then
// WM_NCACTIVATE and WM_ACTIVATE (lParam the window deactivated) to the one
// gaining it, and WM_ACTIVATEAPP when the program as a whole gains or loses
// activation. Windows with WS_EX_NOACTIVATE, and windows shown with
// SW_SHOWNOACTIVATE, SW_SHOWNA or SWP_NOACTIVATE, never take activation
// by being shown or clicked.

#include "windowing/Messages.h"

namespace winapi {

HWND SetFocus(HWND window); // answers the window that had the focus
HWND GetFocus();
HWND SetActiveWindow(HWND window); // answers the previously active window
HWND GetActiveWindow();
bool SetForegroundWindow(HWND window);
HWND GetForegroundWindow();

} // namespace winapi

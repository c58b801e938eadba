#pragma once
// What the control classes share with the form, application and screen
// objects inside the library: the capture and mouse-over control, the
// exception handler, the hint cycle and the window each control owns.

#include "vcl/Controls.h"

#include <functional>

namespace detail {

// Forgets every reference the framework keeps to a control being freed.
void ControlDestroyed(TControl* Control);

// The graphic control the parent holds the mouse capture for.
TControl*& CaptureControl();

// The control under the mouse: CM_MOUSELEAVE to the one it leaves, then
// CM_MOUSEENTER to the one it enters.
void UpdateMouseControl(TControl* Control);
TControl* MouseControl();

// Sends WM_SETCURSOR to the window under the cursor so that it shows the
// cursor it wants now.
void RefreshCursor();

// Hands the exception being handled to the application (in a catch block).
void HandleException(TObject* Sender);

// The application's hint cycle follows the mouse over controls.
void HintMouseMessage(TControl* Control, const TMessage& Message);

// The handle map: which control a window belongs to.
void BindHandle(winapi::HWND Handle, TWinControl* Control);
void UnbindHandle(winapi::HWND Handle);

// Gives back the device contexts canvases made on the window (null: on
// any window).
void FreeDeviceContexts(winapi::HWND Window);

// Runs Paint with Canvas drawing on DC; the canvas lets DC go afterwards,
// also when Paint raises.
void PaintOnDeviceContext(TControlCanvas& Canvas, winapi::HDC DC, const std::function<void()>& Paint);

// The form a control is on (the outermost one).
TCustomForm* ParentFormOf(const TControl* Control);

} // namespace detail

#pragma once
// Layered windows (whole-window alpha and colour keys) for the grid's
// floating windows. The platform offers no layered windows: the calls do
// nothing and report success, so callers draw their windows opaque.

#include "graphics/GdiBlit.h"
#include "graphics/Rect.h"
#include "windowing/Messages.h"

// UpdateLayeredWindow's arguments, passed through where the platform has it;
// true when it does not.
bool CallUpdateLayeredWindow(winapi::HWND window, winapi::HDC screenDC, const TPoint* position,
                             const TSize* size, winapi::HDC sourceDC, const TPoint* sourcePosition,
                             TColor colorKey, const TBlendFunction* blend, Cardinal flags);
// SetLayeredWindowAttributes with the alpha's low byte; true when the
// platform does not have it.
bool CallSetLayeredWindowAttributes(winapi::HWND window, TColor colorKey, Integer alpha, Cardinal flags);

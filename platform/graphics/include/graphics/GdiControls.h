#pragma once
// The classic look's control parts drawn on a device context: focus
// rectangles, 3-D edges and frame controls (buttons, check boxes, radio
// buttons, scroll arrows) in their states.

#include "graphics/DeviceContext.h"

namespace winapi {

// Inverts every other pixel of the rectangle's one-pixel frame; drawing it a
// second time takes it away.
bool DrawFocusRect(HDC dc, const TRect& rect);

} // namespace winapi

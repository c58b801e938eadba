#pragma once
// Small tests the mouse press and release handlers share.

#include "graphics/Rect.h"
#include "rtl/Types.h"
#include "windowing/Input.h"

namespace grid_mouse {

// Whether the key is down now.
inline bool IsKeyHeld(Integer Key) {
    return winapi::GetKeyState(Key) < 0;
}

// Whether (X, Y) lies in R, its right and bottom edges outside.
inline bool InRect(const TRect& R, Integer X, Integer Y) {
    return X >= R.Left && X < R.Right && Y >= R.Top && Y < R.Bottom;
}

} // namespace grid_mouse

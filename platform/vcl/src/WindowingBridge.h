#pragma once
// What the library needs from the windowing backend's header, which cannot
// be included next to the run-time library's event types (both declare a
// TMouseButton): the monitors' bounds and the backend's failure class.

#include "graphics/Rect.h"

#include <exception>
#include <vector>

namespace detail {

// The bounds of the backend's monitors, the primary one first.
std::vector<TRect> MonitorBounds();
// Whether the exception is the window system's own failure (it cannot wait
// for input, or cannot start).
bool IsWindowingFailure(std::exception_ptr Failure);

} // namespace detail

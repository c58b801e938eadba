#pragma once
// The pixel work under DrawEdge and DrawFrameControl, in surface pixels.

#include "graphics/DeviceContext.h"

namespace detail {

// Fills whole pixels with one colour (system colours resolved), inside the clip.
void PaintPixels(TDeviceContext& dc, const TRect& rect, TColor color);

// Paints the borders of an edge (see DrawEdge) on a rectangle of surface
// pixels and answers what lies inside them.
TRect PaintEdge(TDeviceContext& dc, const TRect& rect, Cardinal edge, Cardinal flags);

} // namespace detail

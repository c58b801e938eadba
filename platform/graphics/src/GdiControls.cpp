#include "graphics/GdiControls.h"

#include "Raster.h"

namespace winapi {

bool DrawFocusRect(HDC dc, const TRect& rect) {
    if (!dc) return false;
    TRect r = dc->LogicalToSurface(rect);
    if (r.IsEmpty()) return true;
    TPixelRegion dots;
    cairo_region_t* native = const_cast<cairo_region_t*>(dots.Native());
    auto dot = [&](int x, int y) {
        if ((x + y) % 2 != 0) return;
        cairo_rectangle_int_t p{x, y, 1, 1};
        cairo_region_union_rectangle(native, &p);
    };
    for (int x = r.Left; x < r.Right; ++x) {
        dot(x, r.Top);
        dot(x, r.Bottom - 1);
    }
    for (int y = r.Top; y < r.Bottom; ++y) {
        dot(r.Left, y);
        dot(r.Right - 1, y);
    }
    detail::TRaster(*dc).ApplyRop(dots, R2_NOT, 0);
    return true;
}

} // namespace winapi

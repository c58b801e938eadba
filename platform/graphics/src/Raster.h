#pragma once
// The pixel engine under the GDI drawing routines: aliased fills of paths,
// one-pixel pens stepped pixel by pixel (so dash patterns, alternate pixels
// and raster operations come out as GDI draws them), wide pens through Cairo.
// Everything here works in surface pixels.

#include <cairo.h>

#include <functional>
#include <vector>

#include "graphics/DeviceContext.h"

namespace detail {

using TPathBuilder = std::function<void(cairo_t*)>;

// An outline in surface pixels: the pixels a one-pixel pen visits, vertex to
// vertex; an open figure leaves out its last point, as GDI lines do.
struct TFigure {
    std::vector<TPoint> Points;
    bool Closed = false;
    bool IncludeLast = false;
};

class TRaster {
public:
    explicit TRaster(TDeviceContext& dc) : FDC(dc) {}

    // Pen width in surface pixels (at least 1), and whether the pen draws.
    double PenWidth() const;
    bool PenVisible() const;
    bool BrushVisible() const;

    // Strokes figures with the selected pen (style, width, raster operation).
    void Stroke(const std::vector<TFigure>& figures);
    // Fills the inside of a path with the selected brush (or `color` when set).
    void Fill(const TPathBuilder& path, cairo_fill_rule_t rule);
    void FillWithColor(const TPathBuilder& path, cairo_fill_rule_t rule, TColor color, bool useRop);
    // Fills whole pixels with a brush, ignoring the raster operation.
    void FillRegion(const TPixelRegion& region, const TLogBrush& brush);
    // Changes every pixel of `region` (surface pixels, inside the clip) with
    // the raster operation `rop2` and colour `color`; image surfaces only.
    void ApplyRop(const TPixelRegion& region, Integer rop2, TColor color);

    // Reads one pixel (surface pixels) as a colour; CLR_INVALID outside the
    // surface or when the surface has no pixels to read.
    TColor ReadPixel(Integer x, Integer y) const;

private:
    void StrokeThin(const std::vector<TFigure>& figures);
    void StrokeWide(const std::vector<TFigure>& figures);
    void SetBrushSource(cairo_t* cr, const TLogBrush& brush);

    TDeviceContext& FDC;
};

// 0xAARRGGBB as Cairo stores an opaque colour.
inline uint32_t OpaquePixel(TColor rgb) {
    return 0xFF000000u | (uint32_t(rgb & 0xFF) << 16) | (uint32_t(rgb & 0xFF00)) | (uint32_t(rgb >> 16) & 0xFF);
}
void SetSourceColor(cairo_t* cr, TColor color);

// A rounded-rectangle outline with corner radii rx, ry on the edges l, t, r, b;
// a plain rectangle when either radius is zero.
void RoundRectPath(cairo_t* cr, double l, double t, double r, double b, double rx, double ry);

} // namespace detail

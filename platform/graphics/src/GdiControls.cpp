#include "graphics/GdiControls.h"

#include "Edges.h"
#include "Raster.h"
#include "graphics/Colors.h"

namespace detail {

void PaintPixels(TDeviceContext& dc, const TRect& rect, TColor color) {
    if (rect.IsEmpty()) return;
    TRaster(dc).FillRegion(TPixelRegion(rect), TLogBrush{BS_SOLID, ColorToRGB(color), 0});
}

namespace {

struct TBorderColors {
    TColor TopLeft;
    TColor BottomRight;
};

TBorderColors OuterColors(Cardinal edge, Cardinal flags) {
    if (flags & BF_MONO) return {clWindowFrame, clWindowFrame};
    if (flags & BF_FLAT) return {clBtnShadow, clBtnShadow};
    const bool soft = flags & BF_SOFT;
    if (edge & BDR_RAISEDOUTER) return {soft ? clBtnHighlight : cl3DLight, cl3DDkShadow};
    return {soft ? cl3DDkShadow : clBtnShadow, clBtnHighlight};
}

TBorderColors InnerColors(Cardinal edge, Cardinal flags) {
    if (flags & BF_MONO) return {clWindow, clWindow};
    if (flags & BF_FLAT) return {clBtnFace, clBtnFace};
    const bool soft = flags & BF_SOFT;
    if (edge & BDR_RAISEDINNER) return {soft ? cl3DLight : clBtnHighlight, clBtnShadow};
    return {soft ? clBtnShadow : cl3DDkShadow, cl3DLight};
}

// One one-pixel border on the sides of `flags`; the rectangle shrinks on them.
void PaintBorder(TDeviceContext& dc, TRect& r, const TBorderColors& colors, Cardinal flags) {
    if (flags & BF_LEFT) PaintPixels(dc, {r.Left, r.Top, r.Left + 1, r.Bottom}, colors.TopLeft);
    if (flags & BF_TOP) PaintPixels(dc, {r.Left, r.Top, r.Right, r.Top + 1}, colors.TopLeft);
    if (flags & BF_RIGHT) PaintPixels(dc, {r.Right - 1, r.Top, r.Right, r.Bottom}, colors.BottomRight);
    if (flags & BF_BOTTOM) PaintPixels(dc, {r.Left, r.Bottom - 1, r.Right, r.Bottom}, colors.BottomRight);
    if (flags & BF_LEFT) ++r.Left;
    if (flags & BF_TOP) ++r.Top;
    if (flags & BF_RIGHT) --r.Right;
    if (flags & BF_BOTTOM) --r.Bottom;
}

} // namespace

TRect PaintEdge(TDeviceContext& dc, const TRect& rect, Cardinal edge, Cardinal flags) {
    TRect r = rect;
    if (edge & BDR_OUTER) PaintBorder(dc, r, OuterColors(edge, flags), flags);
    if (edge & BDR_INNER) PaintBorder(dc, r, InnerColors(edge, flags), flags);
    if (flags & BF_MIDDLE) PaintPixels(dc, r, (flags & BF_MONO) ? clWindow : clBtnFace);
    return r;
}

} // namespace detail

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

bool DrawEdge(HDC dc, TRect& rect, Cardinal edge, Cardinal flags) {
    if (!dc || (flags & BF_DIAGONAL)) return false;
    detail::PaintEdge(*dc, dc->LogicalToSurface(rect), edge, flags);
    if (flags & BF_ADJUST) {
        // One unit per border drawn, on the sides drawn.
        const Integer width = ((edge & BDR_OUTER) ? 1 : 0) + ((edge & BDR_INNER) ? 1 : 0);
        if (flags & BF_LEFT) rect.Left += width;
        if (flags & BF_TOP) rect.Top += width;
        if (flags & BF_RIGHT) rect.Right -= width;
        if (flags & BF_BOTTOM) rect.Bottom -= width;
    }
    return true;
}

} // namespace winapi

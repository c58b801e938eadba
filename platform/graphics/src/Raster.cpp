#include "Raster.h"

#include <algorithm>
#include <cmath>

#include "graphics/Colors.h"

namespace detail {

void SetSourceColor(cairo_t* cr, TColor color) {
    TColor rgb = ColorToRGB(color);
    cairo_set_source_rgb(cr, GetRValue(rgb) / 255.0, GetGValue(rgb) / 255.0, GetBValue(rgb) / 255.0);
}

namespace {

// Dash patterns of one-pixel pens, in pixels: on, off, on, off ...
const std::vector<int>& PatternOf(Cardinal style) {
    static const std::vector<int> solid, dash{18, 6}, dot{3, 3}, dashDot{9, 6, 3, 6},
        dashDotDot{9, 3, 3, 3, 3, 3}, alternate{1, 1};
    switch (style & PS_STYLE_MASK) {
    case PS_DASH: return dash;
    case PS_DOT: return dot;
    case PS_DASHDOT: return dashDot;
    case PS_DASHDOTDOT: return dashDotDot;
    case PS_ALTERNATE: return alternate;
    default: return solid;
    }
}

// Visits the pixels of the segment a→b without b, in order.
template <class Visit>
void StepLine(TPoint a, TPoint b, Visit visit) {
    int dx = std::abs(b.X - a.X), dy = -std::abs(b.Y - a.Y);
    int sx = a.X < b.X ? 1 : -1, sy = a.Y < b.Y ? 1 : -1;
    int err = dx + dy;
    int x = a.X, y = a.Y;
    while (x != b.X || y != b.Y) {
        visit(x, y);
        int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y += sy;
        }
    }
}

// The segments of a figure: consecutive points, plus the closing segment.
template <class Visit>
void ForEachSegment(const TFigure& figure, Visit visit) {
    const auto& p = figure.Points;
    for (size_t i = 1; i < p.size(); ++i) visit(p[i - 1], p[i]);
    if (figure.Closed && p.size() > 2 && !(p.back() == p.front())) visit(p.back(), p.front());
}

// A binary raster operation (R2_BLACK 1 … R2_WHITE 16): the operation's
// number less one is the truth table of pen bit P and destination bit D.
uint32_t CombineRop2(Integer rop2, uint32_t pen, uint32_t dest) {
    const uint32_t table = uint32_t(rop2 - 1);
    uint32_t result = 0;
    if (table & 1) result |= ~pen & ~dest;
    if (table & 2) result |= ~pen & dest;
    if (table & 4) result |= pen & ~dest;
    if (table & 8) result |= pen & dest;
    return result;
}

void AddPixel(cairo_region_t* region, int x, int y) {
    cairo_rectangle_int_t r{x, y, 1, 1};
    cairo_region_union_rectangle(region, &r);
}

void PaintRegion(cairo_t* cr, const TPixelRegion& region, TColor color) {
    if (region.IsEmpty()) return;
    cairo_new_path(cr);
    for (Integer i = 0; i < region.RectCount(); ++i) {
        TRect r = region.RectAt(i);
        cairo_rectangle(cr, r.Left, r.Top, r.Width(), r.Height());
    }
    SetSourceColor(cr, color);
    cairo_fill(cr);
}

} // namespace

double TRaster::PenWidth() const {
    const TLogPen& pen = FDC.State().Pen;
    if ((pen.Style & PS_TYPE_MASK) == PS_COSMETIC && (pen.Style & PS_STYLE_MASK) == PS_ALTERNATE) return 1;
    double w = std::abs(pen.Width * FDC.ScaleX());
    return w < 1.5 ? 1 : std::round(w);
}

bool TRaster::PenVisible() const { return (FDC.State().Pen.Style & PS_STYLE_MASK) != PS_NULL; }
bool TRaster::BrushVisible() const { return FDC.State().Brush.Style != BS_NULL; }

void TRaster::Stroke(const std::vector<TFigure>& figures) {
    if (!PenVisible() || figures.empty()) return;
    if (PenWidth() <= 1) {
        StrokeThin(figures);
    } else {
        StrokeWide(figures);
    }
}

void TRaster::StrokeThin(const std::vector<TFigure>& figures) {
    const auto& state = FDC.State();
    const std::vector<int>& pattern = PatternOf(state.Pen.Style);
    TPixelRegion on, off;
    cairo_region_t* onNative = const_cast<cairo_region_t*>(on.Native());
    cairo_region_t* offNative = const_cast<cairo_region_t*>(off.Native());

    size_t patternIndex = 0;
    int left = pattern.empty() ? 0 : pattern[0];
    auto visit = [&](int x, int y) {
        if (pattern.empty()) {
            AddPixel(onNative, x, y);
            return;
        }
        AddPixel(patternIndex % 2 == 0 ? onNative : offNative, x, y);
        if (--left == 0) {
            patternIndex = (patternIndex + 1) % pattern.size();
            left = pattern[patternIndex];
        }
    };

    for (const TFigure& figure : figures) {
        if (figure.Points.empty()) continue;
        ForEachSegment(figure, [&](TPoint a, TPoint b) {
            if (pattern.empty() && (a.X == b.X || a.Y == b.Y)) {
                // Straight runs of a solid pen in one step.
                TRect r;
                if (a.X == b.X) {
                    r = a.Y < b.Y ? TRect{a.X, a.Y, a.X + 1, b.Y} : TRect{a.X, b.Y + 1, a.X + 1, a.Y + 1};
                } else {
                    r = a.X < b.X ? TRect{a.X, a.Y, b.X, a.Y + 1} : TRect{b.X + 1, a.Y, a.X + 1, a.Y + 1};
                }
                if (!r.IsEmpty()) {
                    cairo_rectangle_int_t ri{r.Left, r.Top, r.Width(), r.Height()};
                    cairo_region_union_rectangle(onNative, &ri);
                }
                return;
            }
            StepLine(a, b, visit);
        });
        const TPoint last = figure.Points.back();
        if (figure.IncludeLast || figure.Points.size() == 1) visit(last.X, last.Y);
    }

    const bool styledBackground = !pattern.empty() && (state.Pen.Style & PS_STYLE_MASK) != PS_ALTERNATE &&
                                  state.BkMode == OPAQUE;
    if (state.Rop2 != R2_COPYPEN && FDC.IsImageSurface()) {
        ApplyRop(on, state.Rop2, state.Pen.Color);
        if (styledBackground) ApplyRop(off, state.Rop2, state.BkColor);
        return;
    }
    cairo_t* cr = FDC.Context();
    cairo_save(cr);
    if (styledBackground) PaintRegion(cr, off, state.BkColor);
    PaintRegion(cr, on, state.Pen.Color);
    cairo_restore(cr);
}

void TRaster::StrokeWide(const std::vector<TFigure>& figures) {
    const auto& state = FDC.State();
    const Cardinal style = state.Pen.Style;
    auto build = [&](cairo_t* cr) {
        cairo_set_line_width(cr, PenWidth());
        switch (style & PS_ENDCAP_MASK) {
        case PS_ENDCAP_SQUARE: cairo_set_line_cap(cr, CAIRO_LINE_CAP_SQUARE); break;
        case PS_ENDCAP_FLAT: cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT); break;
        default: cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND); break;
        }
        switch (style & PS_JOIN_MASK) {
        case PS_JOIN_BEVEL: cairo_set_line_join(cr, CAIRO_LINE_JOIN_BEVEL); break;
        case PS_JOIN_MITER: cairo_set_line_join(cr, CAIRO_LINE_JOIN_MITER); break;
        default: cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND); break;
        }
        cairo_new_path(cr);
        for (const TFigure& figure : figures) {
            if (figure.Points.empty()) continue;
            cairo_move_to(cr, figure.Points[0].X + 0.5, figure.Points[0].Y + 0.5);
            for (size_t i = 1; i < figure.Points.size(); ++i) {
                cairo_line_to(cr, figure.Points[i].X + 0.5, figure.Points[i].Y + 0.5);
            }
            if (figure.Closed) cairo_close_path(cr);
        }
    };
    if (state.Rop2 != R2_COPYPEN && FDC.IsImageSurface()) {
        TRect box = FDC.EffectiveClip().Box();
        TPixelRegion region = TPixelRegion::FromPath(
            box,
            [&](cairo_t* cr) {
                build(cr);
                cairo_stroke(cr);
            },
            CAIRO_FILL_RULE_WINDING);
        ApplyRop(region, state.Rop2, state.Pen.Color);
        return;
    }
    cairo_t* cr = FDC.Context();
    cairo_save(cr);
    build(cr);
    SetSourceColor(cr, state.Pen.Color);
    cairo_stroke(cr);
    cairo_restore(cr);
}

void TRaster::SetBrushSource(cairo_t* cr, const TLogBrush& brush) {
    if (brush.Style != BS_HATCHED) {
        SetSourceColor(cr, brush.Color);
        return;
    }
    // An 8×8 hatch tile, anchored at the surface's origin.
    cairo_surface_t* tile = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 8, 8);
    cairo_t* t = cairo_create(tile);
    cairo_set_antialias(t, CAIRO_ANTIALIAS_NONE);
    if (FDC.State().BkMode == OPAQUE) {
        SetSourceColor(t, FDC.State().BkColor);
        cairo_paint(t);
    }
    SetSourceColor(t, brush.Color);
    for (int i = 0; i < 8; ++i) {
        switch (brush.Hatch) {
        case HS_HORIZONTAL: cairo_rectangle(t, i, 7, 1, 1); break;
        case HS_VERTICAL: cairo_rectangle(t, 7, i, 1, 1); break;
        case HS_FDIAGONAL: cairo_rectangle(t, i, i, 1, 1); break;
        case HS_BDIAGONAL: cairo_rectangle(t, 7 - i, i, 1, 1); break;
        case HS_CROSS:
            cairo_rectangle(t, i, 7, 1, 1);
            cairo_rectangle(t, 7, i, 1, 1);
            break;
        default:
            cairo_rectangle(t, i, i, 1, 1);
            cairo_rectangle(t, 7 - i, i, 1, 1);
            break;
        }
    }
    cairo_fill(t);
    cairo_destroy(t);
    cairo_pattern_t* pattern = cairo_pattern_create_for_surface(tile);
    cairo_pattern_set_extend(pattern, CAIRO_EXTEND_REPEAT);
    cairo_pattern_set_filter(pattern, CAIRO_FILTER_NEAREST);
    cairo_set_source(cr, pattern);
    cairo_pattern_destroy(pattern);
    cairo_surface_destroy(tile);
}

void TRaster::Fill(const TPathBuilder& path, cairo_fill_rule_t rule) {
    const auto& state = FDC.State();
    if (!BrushVisible()) return;
    if (state.Rop2 != R2_COPYPEN && FDC.IsImageSurface() && state.Brush.Style == BS_SOLID) {
        FillWithColor(path, rule, state.Brush.Color, true);
        return;
    }
    cairo_t* cr = FDC.Context();
    cairo_save(cr);
    cairo_new_path(cr);
    path(cr);
    cairo_set_fill_rule(cr, rule);
    SetBrushSource(cr, state.Brush);
    cairo_fill(cr);
    cairo_restore(cr);
}

void TRaster::FillWithColor(const TPathBuilder& path, cairo_fill_rule_t rule, TColor color, bool useRop) {
    const Integer rop = FDC.State().Rop2;
    if (useRop && rop != R2_COPYPEN && FDC.IsImageSurface()) {
        ApplyRop(TPixelRegion::FromPath(FDC.EffectiveClip().Box(), path, rule), rop, color);
        return;
    }
    cairo_t* cr = FDC.Context();
    cairo_save(cr);
    cairo_new_path(cr);
    path(cr);
    cairo_set_fill_rule(cr, rule);
    SetSourceColor(cr, color);
    cairo_fill(cr);
    cairo_restore(cr);
}

void TRaster::FillRegion(const TPixelRegion& region, const TLogBrush& brush) {
    if (brush.Style == BS_NULL || region.IsEmpty()) return;
    cairo_t* cr = FDC.Context();
    cairo_save(cr);
    cairo_new_path(cr);
    for (Integer i = 0; i < region.RectCount(); ++i) {
        TRect r = region.RectAt(i);
        cairo_rectangle(cr, r.Left, r.Top, r.Width(), r.Height());
    }
    SetBrushSource(cr, brush);
    cairo_fill(cr);
    cairo_restore(cr);
}

void TRaster::ApplyRop(const TPixelRegion& region, Integer rop2, TColor color) {
    if (!FDC.IsImageSurface()) {
        // Vector surfaces keep no pixels to combine with: draw the colour.
        cairo_t* cr = FDC.Context();
        cairo_save(cr);
        PaintRegion(cr, region, rop2 == R2_BLACK ? clBlack : rop2 == R2_WHITE ? clWhite : color);
        cairo_restore(cr);
        return;
    }
    TPixelRegion target = region;
    target.Intersect(FDC.EffectiveClip());
    if (target.IsEmpty()) return;
    cairo_surface_t* surface = FDC.Surface();
    cairo_surface_flush(surface);
    unsigned char* data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    const uint32_t pen = OpaquePixel(ColorToRGB(color)) & 0xFFFFFF;
    for (Integer i = 0; i < target.RectCount(); ++i) {
        TRect r = target.RectAt(i);
        for (int y = r.Top; y < r.Bottom; ++y) {
            auto* row = reinterpret_cast<uint32_t*>(data + y * stride);
            for (int x = r.Left; x < r.Right; ++x) {
                row[x] = 0xFF000000u | (CombineRop2(rop2, pen, row[x]) & 0xFFFFFF);
            }
        }
    }
    cairo_surface_mark_dirty(surface);
}

TColor TRaster::ReadPixel(Integer x, Integer y) const {
    if (!FDC.IsImageSurface()) return CLR_INVALID;
    cairo_surface_t* surface = FDC.Surface();
    if (x < 0 || y < 0 || x >= cairo_image_surface_get_width(surface) || y >= cairo_image_surface_get_height(surface))
        return CLR_INVALID;
    cairo_surface_flush(surface);
    const auto* row = reinterpret_cast<const uint32_t*>(cairo_image_surface_get_data(surface) +
                                                        y * cairo_image_surface_get_stride(surface));
    uint32_t p = row[x];
    return RGB(Byte(p >> 16), Byte(p >> 8), Byte(p));
}

void RoundRectPath(cairo_t* cr, double l, double t, double r, double b, double rx, double ry) {
    if (rx <= 0 || ry <= 0) {
        cairo_rectangle(cr, l, t, r - l, b - t);
        return;
    }
    auto corner = [&](double cx, double cy, double a1, double a2) {
        cairo_save(cr);
        cairo_translate(cr, cx, cy);
        cairo_scale(cr, rx, ry);
        cairo_arc(cr, 0, 0, 1, a1, a2);
        cairo_restore(cr);
    };
    cairo_new_sub_path(cr);
    corner(r - rx, t + ry, -M_PI / 2, 0);
    corner(r - rx, b - ry, 0, M_PI / 2);
    corner(l + rx, b - ry, M_PI / 2, M_PI);
    corner(l + rx, t + ry, M_PI, 3 * M_PI / 2);
    cairo_close_path(cr);
}

} // namespace detail

#include <algorithm>
#include <cmath>
#include <vector>

#include "Raster.h"
#include "graphics/Colors.h"
#include "graphics/GdiDraw.h"

using detail::TFigure;
using detail::TRaster;

namespace {

TPoint ToSurface(const TDeviceContext& dc, Integer x, Integer y) {
    double dx = x, dy = y;
    dc.LogicalToSurface(dx, dy);
    return {Integer(std::lround(dx)), Integer(std::lround(dy))};
}

cairo_fill_rule_t FillRule(const TDeviceContext& dc) {
    return dc.State().PolyFillMode == WINDING ? CAIRO_FILL_RULE_WINDING : CAIRO_FILL_RULE_EVEN_ODD;
}

// Appends the pixels of an elliptic arc (centre and radii on pixel centres)
// from angle a0 over `sweep` radians, y downwards.
void AppendArc(std::vector<TPoint>& points, double cx, double cy, double rx, double ry, double a0, double sweep) {
    int steps = std::max(4, int(std::ceil(std::max(rx, ry) * std::abs(sweep) / 2)));
    for (int i = 0; i <= steps; ++i) {
        double a = a0 + sweep * i / steps;
        TPoint p{Integer(std::lround(cx + rx * std::cos(a) - 0.5)), Integer(std::lround(cy + ry * std::sin(a) - 0.5))};
        if (points.empty() || !(points.back() == p)) points.push_back(p);
    }
}

// Draws a closed figure: the inside with the brush, then the outline with the
// pen; inside an open path bracket the outline is recorded instead.
bool DrawFigure(TDeviceContext& dc, const TFigure& outline, const detail::TPathBuilder& inside,
                const detail::TPathBuilder& insideWithoutPen, cairo_fill_rule_t rule) {
    if (dc.PathState() == TDeviceContext::TPathState::Open) {
        dc.PathFigures().push_back({outline.Points, true});
        return true;
    }
    TRaster raster(dc);
    raster.Fill(raster.PenVisible() ? inside : insideWithoutPen, rule);
    raster.Stroke({outline});
    return true;
}

std::vector<TPoint> ToSurface(const TDeviceContext& dc, const TPoint* points, Integer count) {
    std::vector<TPoint> result;
    result.reserve(count);
    for (Integer i = 0; i < count; ++i) result.push_back(ToSurface(dc, points[i].X, points[i].Y));
    return result;
}

} // namespace

namespace winapi {

bool MoveToEx(HDC dc, Integer x, Integer y, TPoint* previous) {
    if (!dc) return false;
    if (previous) *previous = dc->State().CurrentPos;
    dc->State().CurrentPos = {x, y};
    if (dc->PathState() == TDeviceContext::TPathState::Open) {
        dc->PathFigures().push_back({{ToSurface(*dc, x, y)}, false});
    }
    return true;
}

bool LineTo(HDC dc, Integer x, Integer y) {
    if (!dc) return false;
    TPoint from = dc->State().CurrentPos;
    dc->State().CurrentPos = {x, y};
    TPoint a = ToSurface(*dc, from.X, from.Y), b = ToSurface(*dc, x, y);
    if (dc->PathState() == TDeviceContext::TPathState::Open) {
        auto& figures = dc->PathFigures();
        if (figures.empty() || figures.back().Closed) figures.push_back({{a}, false});
        figures.back().Points.push_back(b);
        return true;
    }
    TRaster(*dc).Stroke({TFigure{{a, b}, false, false}});
    return true;
}

bool Polyline(HDC dc, const TPoint* points, Integer count) {
    if (!dc || !points || count < 2) return false;
    std::vector<TPoint> p = ToSurface(*dc, points, count);
    if (dc->PathState() == TDeviceContext::TPathState::Open) {
        dc->PathFigures().push_back({p, false});
        return true;
    }
    TRaster(*dc).Stroke({TFigure{p, false, false}});
    return true;
}

bool Polygon(HDC dc, const TPoint* points, Integer count) {
    if (!dc || !points || count < 2) return false;
    std::vector<TPoint> p = ToSurface(*dc, points, count);
    auto inside = [&](cairo_t* cr) {
        cairo_move_to(cr, p[0].X, p[0].Y);
        for (size_t i = 1; i < p.size(); ++i) cairo_line_to(cr, p[i].X, p[i].Y);
        cairo_close_path(cr);
    };
    return DrawFigure(*dc, TFigure{p, true, false}, inside, inside, FillRule(*dc));
}

bool Rectangle(HDC dc, Integer left, Integer top, Integer right, Integer bottom) {
    if (!dc) return false;
    TRect r = dc->LogicalToSurface(TRect{left, top, right, bottom});
    if (r.IsEmpty()) return true;
    TRaster raster(*dc);
    TRect outline = r;
    const Cardinal style = dc->State().Pen.Style & PS_STYLE_MASK;
    if (style == PS_INSIDEFRAME && raster.PenWidth() > 1) {
        // The wide pen stays inside the rectangle.
        Integer inset = Integer(raster.PenWidth()) / 2;
        winapi::InflateRect(outline, -inset, -inset);
    }
    TFigure figure{{{outline.Left, outline.Top},
                    {outline.Right - 1, outline.Top},
                    {outline.Right - 1, outline.Bottom - 1},
                    {outline.Left, outline.Bottom - 1}},
                   true,
                   false};
    // The brush covers the rectangle less its right and bottom edges; the pen
    // draws on those edges, and without a pen they stay untouched.
    auto inside = [r](cairo_t* cr) { cairo_rectangle(cr, r.Left, r.Top, r.Width() - 1, r.Height() - 1); };
    return DrawFigure(*dc, figure, inside, inside, CAIRO_FILL_RULE_WINDING);
}

bool RoundRect(HDC dc, Integer left, Integer top, Integer right, Integer bottom, Integer width, Integer height) {
    if (!dc) return false;
    TRect r = dc->LogicalToSurface(TRect{left, top, right, bottom});
    if (r.IsEmpty()) return true;
    double rx = std::min(std::abs(width * dc->ScaleX()), double(r.Width())) / 2;
    double ry = std::min(std::abs(height * dc->ScaleY()), double(r.Height())) / 2;
    // Outline through the centres of the edge pixels.
    double l = r.Left + 0.5, t = r.Top + 0.5, rt = r.Right - 0.5, b = r.Bottom - 0.5;
    double crx = std::max(rx - 0.5, 0.0), cry = std::max(ry - 0.5, 0.0);
    TFigure figure{{}, true, false};
    if (crx <= 0 || cry <= 0) {
        figure.Points = {{r.Left, r.Top}, {r.Right - 1, r.Top}, {r.Right - 1, r.Bottom - 1}, {r.Left, r.Bottom - 1}};
    } else {
        AppendArc(figure.Points, rt - crx, t + cry, crx, cry, -M_PI / 2, M_PI / 2);
        AppendArc(figure.Points, rt - crx, b - cry, crx, cry, 0, M_PI / 2);
        AppendArc(figure.Points, l + crx, b - cry, crx, cry, M_PI / 2, M_PI / 2);
        AppendArc(figure.Points, l + crx, t + cry, crx, cry, M_PI, M_PI / 2);
    }
    auto inside = [=](cairo_t* cr) { detail::RoundRectPath(cr, l, t, rt, b, crx, cry); };
    auto insideWithoutPen = [=](cairo_t* cr) { detail::RoundRectPath(cr, l, t, rt - 1, b - 1, crx, cry); };
    return DrawFigure(*dc, figure, inside, insideWithoutPen, CAIRO_FILL_RULE_WINDING);
}

bool Ellipse(HDC dc, Integer left, Integer top, Integer right, Integer bottom) {
    if (!dc) return false;
    TRect r = dc->LogicalToSurface(TRect{left, top, right, bottom});
    if (r.IsEmpty()) return true;
    const double cx = (r.Left + r.Right) / 2.0, cy = (r.Top + r.Bottom) / 2.0;
    const double rx = (r.Width() - 1) / 2.0, ry = (r.Height() - 1) / 2.0;
    TFigure figure{{}, true, false};
    AppendArc(figure.Points, cx, cy, rx, ry, 0, 2 * M_PI);
    auto ellipse = [](double x, double y, double ex, double ey) {
        return [=](cairo_t* cr) {
            if (ex <= 0 || ey <= 0) return;
            cairo_save(cr);
            cairo_translate(cr, x, y);
            cairo_scale(cr, ex, ey);
            cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
            cairo_restore(cr);
        };
    };
    return DrawFigure(*dc, figure, ellipse(cx, cy, rx, ry), ellipse(cx - 0.5, cy - 0.5, rx - 0.5, ry - 0.5),
                      CAIRO_FILL_RULE_WINDING);
}

bool Arc(HDC dc, Integer left, Integer top, Integer right, Integer bottom, Integer xStart, Integer yStart, Integer xEnd,
         Integer yEnd) {
    if (!dc) return false;
    TRect r = dc->LogicalToSurface(TRect{left, top, right, bottom});
    if (r.IsEmpty()) return true;
    const double cx = (r.Left + r.Right) / 2.0, cy = (r.Top + r.Bottom) / 2.0;
    const double rx = std::max((r.Width() - 1) / 2.0, 0.5), ry = std::max((r.Height() - 1) / 2.0, 0.5);
    TPoint s = ToSurface(*dc, xStart, yStart), e = ToSurface(*dc, xEnd, yEnd);
    double a0 = std::atan2((s.Y + 0.5 - cy) / ry, (s.X + 0.5 - cx) / rx);
    double a1 = std::atan2((e.Y + 0.5 - cy) / ry, (e.X + 0.5 - cx) / rx);
    // Counter-clockwise on the page: decreasing angles with y pointing down,
    // increasing ones when the mapping turns the y axis up.
    const bool flipped = dc->ScaleX() * dc->ScaleY() < 0;
    double sweep = flipped ? a1 - a0 : a0 - a1;
    while (sweep <= 0) sweep += 2 * M_PI;
    while (sweep > 2 * M_PI) sweep -= 2 * M_PI;
    TFigure figure{{}, false, false};
    AppendArc(figure.Points, cx, cy, rx, ry, a0, flipped ? sweep : -sweep);
    if (dc->PathState() == TDeviceContext::TPathState::Open) {
        dc->PathFigures().push_back({figure.Points, false});
        return true;
    }
    TRaster(*dc).Stroke({figure});
    return true;
}

bool FillRect(HDC dc, const TRect& rect, HBRUSH brush) {
    if (!dc || !brush) return false;
    TPixelRegion region(dc->LogicalToSurface(rect));
    TRaster(*dc).FillRegion(region, brush->Brush);
    return true;
}

bool FrameRect(HDC dc, const TRect& rect, HBRUSH brush) {
    if (!dc || !brush) return false;
    TRect r = dc->LogicalToSurface(rect);
    if (r.IsEmpty()) return true;
    TPixelRegion frame(r);
    TRect inner = r;
    winapi::InflateRect(inner, -1, -1);
    frame.Subtract(TPixelRegion(inner));
    TRaster(*dc).FillRegion(frame, brush->Brush);
    return true;
}

bool InvertRect(HDC dc, const TRect& rect) {
    if (!dc) return false;
    TRaster(*dc).ApplyRop(TPixelRegion(dc->LogicalToSurface(rect)), R2_NOT, 0);
    return true;
}

bool FillRgn(HDC dc, HRGN region, HBRUSH brush) {
    if (!dc || !region || !brush) return false;
    TPixelRegion r = region->Region;
    r.Offset(dc->DeviceOrigin().X, dc->DeviceOrigin().Y);
    TRaster(*dc).FillRegion(r, brush->Brush);
    return true;
}

TColor SetPixel(HDC dc, Integer x, Integer y, TColor color) {
    if (!dc) return CLR_INVALID;
    TPoint p = ToSurface(*dc, x, y);
    if (!dc->EffectiveClip().Contains(p.X, p.Y)) return CLR_INVALID;
    TRaster(*dc).FillWithColor([p](cairo_t* cr) { cairo_rectangle(cr, p.X, p.Y, 1, 1); }, CAIRO_FILL_RULE_WINDING,
                               color, false);
    return ColorToRGB(color);
}

TColor GetPixel(HDC dc, Integer x, Integer y) {
    if (!dc) return CLR_INVALID;
    TPoint p = ToSurface(*dc, x, y);
    if (!dc->EffectiveClip().Contains(p.X, p.Y)) return CLR_INVALID;
    return TRaster(*dc).ReadPixel(p.X, p.Y);
}

bool ExtFloodFill(HDC dc, Integer x, Integer y, TColor color, Integer type) {
    if (!dc || !dc->IsImageSurface()) return false;
    TPoint seed = ToSurface(*dc, x, y);
    const TPixelRegion& clip = dc->EffectiveClip();
    if (!clip.Contains(seed.X, seed.Y)) return false;
    TRaster raster(*dc);
    const TColor target = ColorToRGB(color);
    auto fillable = [&](int px, int py) {
        bool same = raster.ReadPixel(px, py) == target;
        return type == FLOODFILLSURFACE ? same : !same;
    };
    if (!fillable(seed.X, seed.Y)) return false;

    const TRect box = clip.Box();
    const int w = box.Width(), h = box.Height();
    std::vector<unsigned char> seen(size_t(w) * h, 0);
    auto index = [&](int px, int py) { return size_t(py - box.Top) * w + (px - box.Left); };
    TPixelRegion area;
    cairo_region_t* native = const_cast<cairo_region_t*>(area.Native());
    std::vector<TPoint> stack{seed};
    while (!stack.empty()) {
        TPoint p = stack.back();
        stack.pop_back();
        if (seen[index(p.X, p.Y)]) continue;
        int l = p.X, r = p.X;
        while (l > box.Left && !seen[index(l - 1, p.Y)] && clip.Contains(l - 1, p.Y) && fillable(l - 1, p.Y)) --l;
        while (r + 1 < box.Right && !seen[index(r + 1, p.Y)] && clip.Contains(r + 1, p.Y) && fillable(r + 1, p.Y))
            ++r;
        for (int i = l; i <= r; ++i) seen[index(i, p.Y)] = 1;
        cairo_rectangle_int_t run{l, p.Y, r - l + 1, 1};
        cairo_region_union_rectangle(native, &run);
        for (int ny : {p.Y - 1, p.Y + 1}) {
            if (ny < box.Top || ny >= box.Bottom) continue;
            for (int i = l; i <= r; ++i) {
                if (!seen[index(i, ny)] && clip.Contains(i, ny) && fillable(i, ny)) stack.push_back({i, ny});
            }
        }
    }
    raster.FillRegion(area, dc->State().Brush);
    return true;
}

bool FloodFill(HDC dc, Integer x, Integer y, TColor color) { return ExtFloodFill(dc, x, y, color, FLOODFILLBORDER); }

// ---- Paths ----------------------------------------------------------------------

bool BeginPath(HDC dc) {
    if (!dc) return false;
    dc->PathFigures().clear();
    dc->SetPathState(TDeviceContext::TPathState::Open);
    return true;
}

bool EndPath(HDC dc) {
    if (!dc || dc->PathState() != TDeviceContext::TPathState::Open) return false;
    dc->SetPathState(TDeviceContext::TPathState::Closed);
    return true;
}

bool AbortPath(HDC dc) {
    if (!dc) return false;
    dc->PathFigures().clear();
    dc->SetPathState(TDeviceContext::TPathState::None);
    return true;
}

bool CloseFigure(HDC dc) {
    if (!dc || dc->PathState() != TDeviceContext::TPathState::Open || dc->PathFigures().empty()) return false;
    dc->PathFigures().back().Closed = true;
    return true;
}

namespace {

bool UsePath(HDC dc, bool stroke, bool fill) {
    if (!dc || dc->PathState() != TDeviceContext::TPathState::Closed) return false;
    std::vector<TDeviceContext::TPathFigure> figures = std::move(dc->PathFigures());
    dc->PathFigures().clear();
    dc->SetPathState(TDeviceContext::TPathState::None);
    TRaster raster(*dc);
    if (fill) {
        raster.Fill(
            [&](cairo_t* cr) {
                for (const auto& f : figures) {
                    if (f.Points.empty()) continue;
                    cairo_move_to(cr, f.Points[0].X, f.Points[0].Y);
                    for (size_t i = 1; i < f.Points.size(); ++i) cairo_line_to(cr, f.Points[i].X, f.Points[i].Y);
                    cairo_close_path(cr);
                }
            },
            FillRule(*dc));
    }
    if (stroke) {
        std::vector<TFigure> outlines;
        for (const auto& f : figures) outlines.push_back({f.Points, f.Closed, false});
        raster.Stroke(outlines);
    }
    return true;
}

} // namespace

bool StrokePath(HDC dc) { return UsePath(dc, true, false); }
bool FillPath(HDC dc) { return UsePath(dc, false, true); }
bool StrokeAndFillPath(HDC dc) { return UsePath(dc, true, true); }

} // namespace winapi

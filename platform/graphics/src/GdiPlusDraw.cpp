// Lines, curves and shapes on a GDI+-style graphics.

#include "graphics/GdiPlusGraphics.h"

#include "GdiPlusNative.h"
#include "GdiPlusConvert.h"

#include <cmath>
#include <vector>

using detail::GpGraphics;

namespace {

template <class Build>
Status Stroke(GpGraphics* g, const TGPPen* pen, Build build) {
    if (!g || !pen || !pen->nativePen) return InvalidParameter;
    g->Begin();
    build(g->Cr);
    detail::StrokeWithPen(g->Cr, *pen->nativePen, g->RenderingOrigin);
    cairo_new_path(g->Cr);
    g->End();
    return Ok;
}

template <class Build>
Status Fill(GpGraphics* g, const TGPBrush* brush, cairo_fill_rule_t rule, Build build) {
    if (!g || !brush || !brush->nativeBrush) return InvalidParameter;
    g->Begin();
    build(g->Cr);
    cairo_pattern_t* pattern = detail::CreatePattern(*brush->nativeBrush, g->Cr, g->RenderingOrigin);
    cairo_set_source(g->Cr, pattern);
    cairo_pattern_destroy(pattern);
    cairo_set_fill_rule(g->Cr, rule);
    cairo_fill(g->Cr);
    g->End();
    return Ok;
}

auto PathOf(const detail::GpPath& path) {
    return [&path](cairo_t* cr) { detail::AppendPath(cr, path); };
}

} // namespace

Status TGPGraphics::Clear(ARGB color) {
    if (!nativeGraphics) return SetStatus(InvalidParameter);
    nativeGraphics->Begin();
    cairo_set_operator(nativeGraphics->Cr, CAIRO_OPERATOR_SOURCE);
    detail::SetSourceArgb(nativeGraphics->Cr, color);
    cairo_paint(nativeGraphics->Cr);
    nativeGraphics->End();
    return Ok;
}

// ---- Lines ----

Status TGPGraphics::DrawLine(const TGPPen* pen, Single x1, Single y1, Single x2, Single y2) {
    return SetStatus(Stroke(nativeGraphics, pen, [&](cairo_t* cr) {
        cairo_move_to(cr, x1, y1);
        cairo_line_to(cr, x2, y2);
    }));
}

Status TGPGraphics::DrawLine(const TGPPen* pen, Integer x1, Integer y1, Integer x2, Integer y2) {
    return DrawLine(pen, Single(x1), Single(y1), Single(x2), Single(y2));
}

Status TGPGraphics::DrawLine(const TGPPen* pen, const TGPPointF& pt1, const TGPPointF& pt2) {
    return DrawLine(pen, pt1.X, pt1.Y, pt2.X, pt2.Y);
}

Status TGPGraphics::DrawLine(const TGPPen* pen, const TGPPoint& pt1, const TGPPoint& pt2) {
    return DrawLine(pen, pt1.X, pt1.Y, pt2.X, pt2.Y);
}

Status TGPGraphics::DrawLines(const TGPPen* pen, const TGPPointF* points, Integer count) {
    if (!points || count < 2) return SetStatus(InvalidParameter);
    return SetStatus(Stroke(nativeGraphics, pen, [&](cairo_t* cr) {
        for (Integer i = 0; i < count; ++i)
            cairo_line_to(cr, points[i].X, points[i].Y);
    }));
}

Status TGPGraphics::DrawLines(const TGPPen* pen, const TGPPoint* points, Integer count) {
    if (!points || count < 2) return SetStatus(InvalidParameter);
    return DrawLines(pen, ToF(points, count).data(), count);
}

Status TGPGraphics::DrawArc(const TGPPen* pen, Single x, Single y, Single width, Single height,
                            Single startAngle, Single sweepAngle) {
    TGPGraphicsPath path;
    if (path.AddArc(x, y, width, height, startAngle, sweepAngle) != Ok) return SetStatus(InvalidParameter);
    return DrawPath(pen, &path);
}

Status TGPGraphics::DrawArc(const TGPPen* pen, const TGPRectF& r, Single startAngle, Single sweepAngle) {
    return DrawArc(pen, r.X, r.Y, r.Width, r.Height, startAngle, sweepAngle);
}

Status TGPGraphics::DrawArc(const TGPPen* pen, Integer x, Integer y, Integer w, Integer h, Single start,
                            Single sweep) {
    return DrawArc(pen, Single(x), Single(y), Single(w), Single(h), start, sweep);
}

Status TGPGraphics::DrawArc(const TGPPen* pen, const TGPRect& r, Single start, Single sweep) {
    return DrawArc(pen, ToF(r), start, sweep);
}

Status TGPGraphics::DrawBezier(const TGPPen* pen, Single x1, Single y1, Single x2, Single y2, Single x3,
                               Single y3, Single x4, Single y4) {
    return SetStatus(Stroke(nativeGraphics, pen, [&](cairo_t* cr) {
        cairo_move_to(cr, x1, y1);
        cairo_curve_to(cr, x2, y2, x3, y3, x4, y4);
    }));
}

Status TGPGraphics::DrawBezier(const TGPPen* pen, const TGPPointF& pt1, const TGPPointF& pt2,
                               const TGPPointF& pt3, const TGPPointF& pt4) {
    return DrawBezier(pen, pt1.X, pt1.Y, pt2.X, pt2.Y, pt3.X, pt3.Y, pt4.X, pt4.Y);
}

Status TGPGraphics::DrawBezier(const TGPPen* pen, Integer x1, Integer y1, Integer x2, Integer y2, Integer x3,
                               Integer y3, Integer x4, Integer y4) {
    return DrawBezier(pen, Single(x1), Single(y1), Single(x2), Single(y2), Single(x3), Single(y3), Single(x4),
                      Single(y4));
}

Status TGPGraphics::DrawBezier(const TGPPen* pen, const TGPPoint& a, const TGPPoint& b, const TGPPoint& c,
                               const TGPPoint& d) {
    return DrawBezier(pen, a.X, a.Y, b.X, b.Y, c.X, c.Y, d.X, d.Y);
}

Status TGPGraphics::DrawBeziers(const TGPPen* pen, const TGPPointF* points, Integer count) {
    TGPGraphicsPath path;
    if (path.AddBeziers(points, count) != Ok) return SetStatus(InvalidParameter);
    return DrawPath(pen, &path);
}

Status TGPGraphics::DrawBeziers(const TGPPen* pen, const TGPPoint* points, Integer count) {
    if (!points || count <= 0) return SetStatus(InvalidParameter);
    return DrawBeziers(pen, ToF(points, count).data(), count);
}

Status TGPGraphics::DrawRectangle(const TGPPen* pen, Single x, Single y, Single width, Single height) {
    return SetStatus(
        Stroke(nativeGraphics, pen, [&](cairo_t* cr) { cairo_rectangle(cr, x, y, width, height); }));
}

Status TGPGraphics::DrawRectangle(const TGPPen* pen, const TGPRectF& r) {
    return DrawRectangle(pen, r.X, r.Y, r.Width, r.Height);
}

Status TGPGraphics::DrawRectangle(const TGPPen* pen, Integer x, Integer y, Integer width, Integer height) {
    return DrawRectangle(pen, Single(x), Single(y), Single(width), Single(height));
}

Status TGPGraphics::DrawRectangle(const TGPPen* pen, const TGPRect& r) {
    return DrawRectangle(pen, ToF(r));
}

Status TGPGraphics::DrawRectangles(const TGPPen* pen, const TGPRectF* rects, Integer count) {
    if (!rects || count <= 0) return SetStatus(InvalidParameter);
    return SetStatus(Stroke(nativeGraphics, pen, [&](cairo_t* cr) {
        for (Integer i = 0; i < count; ++i)
            cairo_rectangle(cr, rects[i].X, rects[i].Y, rects[i].Width, rects[i].Height);
    }));
}

Status TGPGraphics::DrawRectangles(const TGPPen* pen, const TGPRect* rects, Integer count) {
    if (!rects || count <= 0) return SetStatus(InvalidParameter);
    std::vector<TGPRectF> f;
    for (Integer i = 0; i < count; ++i)
        f.push_back(ToF(rects[i]));
    return DrawRectangles(pen, f.data(), count);
}

Status TGPGraphics::DrawEllipse(const TGPPen* pen, Single x, Single y, Single width, Single height) {
    TGPGraphicsPath path;
    path.AddEllipse(x, y, width, height);
    return DrawPath(pen, &path);
}

Status TGPGraphics::DrawEllipse(const TGPPen* pen, const TGPRectF& r) {
    return DrawEllipse(pen, r.X, r.Y, r.Width, r.Height);
}

Status TGPGraphics::DrawEllipse(const TGPPen* pen, Integer x, Integer y, Integer width, Integer height) {
    return DrawEllipse(pen, Single(x), Single(y), Single(width), Single(height));
}

Status TGPGraphics::DrawEllipse(const TGPPen* pen, const TGPRect& r) {
    return DrawEllipse(pen, ToF(r));
}

Status TGPGraphics::DrawPie(const TGPPen* pen, Single x, Single y, Single width, Single height, Single startAngle,
                            Single sweepAngle) {
    TGPGraphicsPath path;
    if (path.AddPie(x, y, width, height, startAngle, sweepAngle) != Ok) return SetStatus(InvalidParameter);
    return DrawPath(pen, &path);
}

Status TGPGraphics::DrawPie(const TGPPen* pen, const TGPRectF& r, Single start, Single sweep) {
    return DrawPie(pen, r.X, r.Y, r.Width, r.Height, start, sweep);
}

Status TGPGraphics::DrawPie(const TGPPen* pen, Integer x, Integer y, Integer w, Integer h, Single start,
                            Single sweep) {
    return DrawPie(pen, Single(x), Single(y), Single(w), Single(h), start, sweep);
}

Status TGPGraphics::DrawPie(const TGPPen* pen, const TGPRect& r, Single start, Single sweep) {
    return DrawPie(pen, ToF(r), start, sweep);
}

Status TGPGraphics::DrawPolygon(const TGPPen* pen, const TGPPointF* points, Integer count) {
    if (!points || count < 2) return SetStatus(InvalidParameter);
    return SetStatus(Stroke(nativeGraphics, pen, [&](cairo_t* cr) {
        for (Integer i = 0; i < count; ++i)
            cairo_line_to(cr, points[i].X, points[i].Y);
        cairo_close_path(cr);
    }));
}

Status TGPGraphics::DrawPolygon(const TGPPen* pen, const TGPPoint* points, Integer count) {
    if (!points || count < 2) return SetStatus(InvalidParameter);
    return DrawPolygon(pen, ToF(points, count).data(), count);
}

Status TGPGraphics::DrawPath(const TGPPen* pen, const TGPGraphicsPath* path) {
    if (!path || !path->nativePath) return SetStatus(InvalidParameter);
    return SetStatus(Stroke(nativeGraphics, pen, PathOf(*path->nativePath)));
}

Status TGPGraphics::DrawCurve(const TGPPen* pen, const TGPPointF* points, Integer count) {
    return DrawCurve(pen, points, count, 0.5f);
}

Status TGPGraphics::DrawCurve(const TGPPen* pen, const TGPPointF* points, Integer count, Single tension) {
    TGPGraphicsPath path;
    if (path.AddCurve(points, count, tension) != Ok) return SetStatus(InvalidParameter);
    return DrawPath(pen, &path);
}

Status TGPGraphics::DrawCurve(const TGPPen* pen, const TGPPointF* points, Integer count, Integer offset,
                              Integer numberOfSegments, Single tension) {
    TGPGraphicsPath path;
    if (path.AddCurve(points, count, offset, numberOfSegments, tension) != Ok) return SetStatus(InvalidParameter);
    return DrawPath(pen, &path);
}

Status TGPGraphics::DrawCurve(const TGPPen* pen, const TGPPoint* points, Integer count) {
    return DrawCurve(pen, points, count, 0.5f);
}

Status TGPGraphics::DrawCurve(const TGPPen* pen, const TGPPoint* points, Integer count, Single tension) {
    if (!points || count <= 0) return SetStatus(InvalidParameter);
    return DrawCurve(pen, ToF(points, count).data(), count, tension);
}

Status TGPGraphics::DrawCurve(const TGPPen* pen, const TGPPoint* points, Integer count, Integer offset,
                              Integer numberOfSegments, Single tension) {
    if (!points || count <= 0) return SetStatus(InvalidParameter);
    return DrawCurve(pen, ToF(points, count).data(), count, offset, numberOfSegments, tension);
}

Status TGPGraphics::DrawClosedCurve(const TGPPen* pen, const TGPPointF* points, Integer count) {
    return DrawClosedCurve(pen, points, count, 0.5f);
}

Status TGPGraphics::DrawClosedCurve(const TGPPen* pen, const TGPPointF* points, Integer count, Single tension) {
    TGPGraphicsPath path;
    if (path.AddClosedCurve(points, count, tension) != Ok) return SetStatus(InvalidParameter);
    return DrawPath(pen, &path);
}

Status TGPGraphics::DrawClosedCurve(const TGPPen* pen, const TGPPoint* points, Integer count) {
    return DrawClosedCurve(pen, points, count, 0.5f);
}

Status TGPGraphics::DrawClosedCurve(const TGPPen* pen, const TGPPoint* points, Integer count, Single tension) {
    if (!points || count <= 0) return SetStatus(InvalidParameter);
    return DrawClosedCurve(pen, ToF(points, count).data(), count, tension);
}

// ---- Fills ----

Status TGPGraphics::FillRectangle(const TGPBrush* brush, Single x, Single y, Single width, Single height) {
    return SetStatus(Fill(nativeGraphics, brush, CAIRO_FILL_RULE_WINDING,
                          [&](cairo_t* cr) { cairo_rectangle(cr, x, y, width, height); }));
}

Status TGPGraphics::FillRectangle(const TGPBrush* brush, const TGPRectF& r) {
    return FillRectangle(brush, r.X, r.Y, r.Width, r.Height);
}

Status TGPGraphics::FillRectangle(const TGPBrush* brush, Integer x, Integer y, Integer width, Integer height) {
    return FillRectangle(brush, Single(x), Single(y), Single(width), Single(height));
}

Status TGPGraphics::FillRectangle(const TGPBrush* brush, const TGPRect& r) {
    return FillRectangle(brush, Single(r.X), Single(r.Y), Single(r.Width), Single(r.Height));
}

Status TGPGraphics::FillRectangles(const TGPBrush* brush, const TGPRectF* rects, Integer count) {
    if (!rects || count <= 0) return SetStatus(InvalidParameter);
    return SetStatus(Fill(nativeGraphics, brush, CAIRO_FILL_RULE_WINDING, [&](cairo_t* cr) {
        for (Integer i = 0; i < count; ++i)
            cairo_rectangle(cr, rects[i].X, rects[i].Y, rects[i].Width, rects[i].Height);
    }));
}

Status TGPGraphics::FillRectangles(const TGPBrush* brush, const TGPRect* rects, Integer count) {
    if (!rects || count <= 0) return SetStatus(InvalidParameter);
    std::vector<TGPRectF> f;
    for (Integer i = 0; i < count; ++i)
        f.push_back(ToF(rects[i]));
    return FillRectangles(brush, f.data(), count);
}

Status TGPGraphics::FillEllipse(const TGPBrush* brush, Single x, Single y, Single width, Single height) {
    TGPGraphicsPath path;
    path.AddEllipse(x, y, width, height);
    return FillPath(brush, &path);
}

Status TGPGraphics::FillEllipse(const TGPBrush* brush, const TGPRectF& r) {
    return FillEllipse(brush, r.X, r.Y, r.Width, r.Height);
}

Status TGPGraphics::FillEllipse(const TGPBrush* brush, Integer x, Integer y, Integer width, Integer height) {
    return FillEllipse(brush, Single(x), Single(y), Single(width), Single(height));
}

Status TGPGraphics::FillEllipse(const TGPBrush* brush, const TGPRect& r) {
    return FillEllipse(brush, ToF(r));
}

Status TGPGraphics::FillPie(const TGPBrush* brush, Single x, Single y, Single width, Single height,
                            Single startAngle, Single sweepAngle) {
    TGPGraphicsPath path;
    if (path.AddPie(x, y, width, height, startAngle, sweepAngle) != Ok) return SetStatus(InvalidParameter);
    return FillPath(brush, &path);
}

Status TGPGraphics::FillPie(const TGPBrush* brush, const TGPRectF& r, Single start, Single sweep) {
    return FillPie(brush, r.X, r.Y, r.Width, r.Height, start, sweep);
}

Status TGPGraphics::FillPie(const TGPBrush* brush, Integer x, Integer y, Integer w, Integer h, Single start,
                            Single sweep) {
    return FillPie(brush, Single(x), Single(y), Single(w), Single(h), start, sweep);
}

Status TGPGraphics::FillPie(const TGPBrush* brush, const TGPRect& r, Single start, Single sweep) {
    return FillPie(brush, ToF(r), start, sweep);
}

Status TGPGraphics::FillPolygon(const TGPBrush* brush, const TGPPointF* points, Integer count) {
    return FillPolygon(brush, points, count, FillModeAlternate);
}

Status TGPGraphics::FillPolygon(const TGPBrush* brush, const TGPPointF* points, Integer count,
                                FillMode fillMode) {
    if (!points || count < 3) return SetStatus(InvalidParameter);
    return SetStatus(Fill(nativeGraphics, brush, detail::FillRule(fillMode), [&](cairo_t* cr) {
        for (Integer i = 0; i < count; ++i)
            cairo_line_to(cr, points[i].X, points[i].Y);
        cairo_close_path(cr);
    }));
}

Status TGPGraphics::FillPolygon(const TGPBrush* brush, const TGPPoint* points, Integer count) {
    return FillPolygon(brush, points, count, FillModeAlternate);
}

Status TGPGraphics::FillPolygon(const TGPBrush* brush, const TGPPoint* points, Integer count, FillMode fillMode) {
    if (!points || count < 3) return SetStatus(InvalidParameter);
    return FillPolygon(brush, ToF(points, count).data(), count, fillMode);
}

Status TGPGraphics::FillPath(const TGPBrush* brush, const TGPGraphicsPath* path) {
    if (!path || !path->nativePath) return SetStatus(InvalidParameter);
    return SetStatus(
        Fill(nativeGraphics, brush, detail::FillRule(path->nativePath->Fill), PathOf(*path->nativePath)));
}

Status TGPGraphics::FillClosedCurve(const TGPBrush* brush, const TGPPointF* points, Integer count) {
    return FillClosedCurve(brush, points, count, FillModeAlternate, 0.5f);
}

Status TGPGraphics::FillClosedCurve(const TGPBrush* brush, const TGPPointF* points, Integer count,
                                    FillMode fillMode, Single tension) {
    TGPGraphicsPath path(fillMode);
    if (path.AddClosedCurve(points, count, tension) != Ok) return SetStatus(InvalidParameter);
    return FillPath(brush, &path);
}

Status TGPGraphics::FillClosedCurve(const TGPBrush* brush, const TGPPoint* points, Integer count) {
    return FillClosedCurve(brush, points, count, FillModeAlternate, 0.5f);
}

Status TGPGraphics::FillClosedCurve(const TGPBrush* brush, const TGPPoint* points, Integer count,
                                    FillMode fillMode, Single tension) {
    if (!points || count <= 0) return SetStatus(InvalidParameter);
    return FillClosedCurve(brush, ToF(points, count).data(), count, fillMode, tension);
}

Status TGPGraphics::FillRegion(const TGPBrush* brush, const TGPRegion* region) {
    if (!nativeGraphics || !region || !region->nativeRegion || !brush || !brush->nativeBrush)
        return SetStatus(InvalidParameter);
    // Clip to the region's pixels and paint.
    const detail::GpRegionTree surface =
        detail::RegionTransform(region->nativeRegion->Root, nativeGraphics->WorldToSurface(true));
    detail::GpGraphics& g = *nativeGraphics;
    g.Begin();
    cairo_save(g.Cr);
    cairo_identity_matrix(g.Cr);
    double x1, y1, x2, y2;
    cairo_clip_extents(g.Cr, &x1, &y1, &x2, &y2);
    const TRect window(Integer(std::floor(std::max(x1, -16384.0))), Integer(std::floor(std::max(y1, -16384.0))),
                       Integer(std::ceil(std::min(x2, 16384.0))), Integer(std::ceil(std::min(y2, 16384.0))));
    cairo_matrix_t identity;
    cairo_matrix_init_identity(&identity);
    detail::AppendPixels(g.Cr, detail::RegionPixels(*surface, identity, window));
    cairo_restore(g.Cr);
    cairo_pattern_t* pattern = detail::CreatePattern(*brush->nativeBrush, g.Cr, g.RenderingOrigin);
    cairo_set_source(g.Cr, pattern);
    cairo_pattern_destroy(pattern);
    cairo_set_fill_rule(g.Cr, CAIRO_FILL_RULE_WINDING);
    cairo_fill(g.Cr);
    g.End();
    return Ok;
}

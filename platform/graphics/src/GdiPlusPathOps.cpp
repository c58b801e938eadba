// Path operations beyond adding figures: the remaining ways to add them,
// markers, reversal, flattening, widening, outlines, warps, hit tests and
// the path-data record.

#include "graphics/GdiPlusBrush.h"
#include "graphics/GdiPlusGeometry.h"

#include "GdiPlusNative.h"
#include "GdiPlusConvert.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

using detail::GpPath;

namespace {

cairo_matrix_t MatrixOf(const TGPMatrix* matrix) {
    cairo_matrix_t m;
    if (matrix && matrix->nativeMatrix)
        m = matrix->nativeMatrix->Value;
    else
        cairo_matrix_init_identity(&m);
    return m;
}

// The path after the matrix, flattened into figures.
std::vector<detail::TFlatFigure> Flat(const GpPath& path, const cairo_matrix_t& m, Single flatness) {
    cairo_t* cr = detail::ScratchContext();
    cairo_set_matrix(cr, &m);
    detail::AppendPath(cr, path);
    cairo_identity_matrix(cr);
    const double tolerance = cairo_get_tolerance(cr);
    (void)tolerance;
    auto figures = detail::FlatFigures(cr);
    (void)flatness;
    cairo_new_path(cr);
    return figures;
}

GpPath FromFigures(const std::vector<detail::TFlatFigure>& figures, FillMode fill) {
    GpPath out;
    out.Fill = fill;
    for (const auto& f : figures) {
        for (std::size_t i = 0; i < f.Points.size(); ++i) {
            out.Points.push_back(f.Points[i]);
            out.Types.push_back(i == 0 ? PathPointTypeStart : PathPointTypeLine);
        }
        if (f.Closed && !out.Types.empty()) out.Types.back() |= PathPointTypeCloseSubpath;
    }
    out.NewFigure = true;
    return out;
}

} // namespace

TPathData::~TPathData() {
    std::free(Points);
    std::free(Types);
}

TGPGraphicsPath::TGPGraphicsPath(const TGPPoint* points, const Byte* types, Integer count, FillMode fillMode)
    : TGPGraphicsPath(points ? ToF(points, std::max(count, Integer(0))).data() : nullptr, types, count, fillMode) {}

TGPGraphicsPath::TGPGraphicsPath(const TGPGraphicsPath* path) {
    if (!path || !path->nativePath) {
        SetStatus(InvalidParameter);
        return;
    }
    nativePath = new GpPath(*path->nativePath);
}

Status TGPGraphicsPath::AddBezier(Integer x1, Integer y1, Integer x2, Integer y2, Integer x3, Integer y3, Integer x4,
                                  Integer y4) {
    return AddBezier(Single(x1), Single(y1), Single(x2), Single(y2), Single(x3), Single(y3), Single(x4), Single(y4));
}

Status TGPGraphicsPath::AddBezier(const TGPPoint& a, const TGPPoint& b, const TGPPoint& c, const TGPPoint& d) {
    return AddBezier(a.X, a.Y, b.X, b.Y, c.X, c.Y, d.X, d.Y);
}

Status TGPGraphicsPath::AddBeziers(const TGPPointF* points, Integer count) {
    if (!nativePath || !points || count < 4 || (count - 1) % 3 != 0) return SetStatus(InvalidParameter);
    detail::AddPathPoint(*nativePath, points[0], PathPointTypeLine);
    for (Integer i = 1; i < count; ++i) {
        nativePath->Points.push_back(points[i]);
        nativePath->Types.push_back(PathPointTypeBezier);
    }
    return Ok;
}

Status TGPGraphicsPath::AddBeziers(const TGPPoint* points, Integer count) {
    if (!points || count <= 0) return SetStatus(InvalidParameter);
    return AddBeziers(ToF(points, count).data(), count);
}

Status TGPGraphicsPath::AddArc(Integer x, Integer y, Integer w, Integer h, Single start, Single sweep) {
    return AddArc(Single(x), Single(y), Single(w), Single(h), start, sweep);
}

Status TGPGraphicsPath::AddArc(const TGPRect& r, Single start, Single sweep) {
    return AddArc(ToF(r), start, sweep);
}

Status TGPGraphicsPath::AddCurve(const TGPPointF* points, Integer count, Integer offset, Integer segments,
                                 Single tension) {
    if (!nativePath || !points || count < 2 || offset < 0 || segments < 1 || offset + segments >= count)
        return SetStatus(InvalidParameter);
    detail::AppendCurve(*nativePath, points, count, offset, segments, tension, false);
    return Ok;
}

Status TGPGraphicsPath::AddCurve(const TGPPoint* points, Integer count, Single tension) {
    if (!points || count <= 0) return SetStatus(InvalidParameter);
    return AddCurve(ToF(points, count).data(), count, tension);
}

Status TGPGraphicsPath::AddCurve(const TGPPoint* points, Integer count, Integer offset, Integer segments,
                                 Single tension) {
    if (!points || count <= 0) return SetStatus(InvalidParameter);
    return AddCurve(ToF(points, count).data(), count, offset, segments, tension);
}

Status TGPGraphicsPath::AddClosedCurve(const TGPPointF* points, Integer count, Single tension) {
    if (!nativePath || !points || count < 3) return SetStatus(InvalidParameter);
    detail::AppendCurve(*nativePath, points, count, 0, count, tension, true);
    return Ok;
}

Status TGPGraphicsPath::AddClosedCurve(const TGPPoint* points, Integer count, Single tension) {
    if (!points || count <= 0) return SetStatus(InvalidParameter);
    return AddClosedCurve(ToF(points, count).data(), count, tension);
}

Status TGPGraphicsPath::AddRectangles(const TGPRectF* rects, Integer count) {
    if (!nativePath || !rects || count <= 0) return SetStatus(InvalidParameter);
    for (Integer i = 0; i < count; ++i)
        AddRectangle(rects[i]);
    return Ok;
}

Status TGPGraphicsPath::AddRectangles(const TGPRect* rects, Integer count) {
    if (!nativePath || !rects || count <= 0) return SetStatus(InvalidParameter);
    for (Integer i = 0; i < count; ++i)
        AddRectangle(rects[i]);
    return Ok;
}

Status TGPGraphicsPath::AddEllipse(Integer x, Integer y, Integer w, Integer h) {
    return AddEllipse(Single(x), Single(y), Single(w), Single(h));
}

Status TGPGraphicsPath::AddEllipse(const TGPRect& r) {
    return AddEllipse(ToF(r));
}

Status TGPGraphicsPath::AddPie(const TGPRectF& r, Single start, Single sweep) {
    return AddPie(r.X, r.Y, r.Width, r.Height, start, sweep);
}

Status TGPGraphicsPath::AddPie(Integer x, Integer y, Integer w, Integer h, Single start, Single sweep) {
    return AddPie(Single(x), Single(y), Single(w), Single(h), start, sweep);
}

Status TGPGraphicsPath::AddPie(const TGPRect& r, Single start, Single sweep) {
    return AddPie(ToF(r), start, sweep);
}

Status TGPGraphicsPath::SetMarker() {
    if (!nativePath) return SetStatus(InvalidParameter);
    if (!nativePath->Types.empty()) nativePath->Types.back() |= PathPointTypePathMarker;
    return Ok;
}

Status TGPGraphicsPath::ClearMarkers() {
    if (!nativePath) return SetStatus(InvalidParameter);
    for (Byte& t : nativePath->Types)
        t &= Byte(~PathPointTypePathMarker);
    return Ok;
}

Status TGPGraphicsPath::Reverse() {
    if (!nativePath) return SetStatus(InvalidParameter);
    auto& points = nativePath->Points;
    auto& types = nativePath->Types;
    // Figure by figure: the points run backwards, each segment keeps its
    // kind, the figure keeps whether it is closed.
    std::vector<TGPPointF> newPoints;
    std::vector<Byte> newTypes;
    std::size_t end = points.size();
    while (end > 0) {
        std::size_t start = end - 1;
        while (start > 0 && (types[start] & PathPointTypePathTypeMask) != PathPointTypeStart)
            --start;
        const bool closed = types[end - 1] & PathPointTypeCloseSubpath;
        for (std::size_t i = end; i-- > start;) {
            newPoints.push_back(points[i]);
            // The segment that ended at point i+1 now ends at point i.
            const Byte type = i == end - 1 ? Byte(PathPointTypeStart) : Byte(types[i + 1] & PathPointTypePathTypeMask);
            newTypes.push_back(type);
        }
        if (closed) newTypes.back() |= PathPointTypeCloseSubpath;
        end = start;
    }
    points = std::move(newPoints);
    types = std::move(newTypes);
    return Ok;
}

Status TGPGraphicsPath::GetBounds(TGPRect& bounds, const TGPMatrix* matrix, const TGPPen* pen) {
    TGPRectF f;
    const Status status = GetBounds(f, matrix, pen);
    if (status != Ok) return status;
    const Integer x1 = Integer(std::floor(f.X)), y1 = Integer(std::floor(f.Y));
    bounds = {x1, y1, Integer(std::ceil(f.X + f.Width)) - x1, Integer(std::ceil(f.Y + f.Height)) - y1};
    return Ok;
}

Status TGPGraphicsPath::Flatten(const TGPMatrix* matrix, Single flatness) {
    if (!nativePath || !(flatness > 0)) return SetStatus(InvalidParameter);
    *nativePath = FromFigures(Flat(*nativePath, MatrixOf(matrix), flatness), nativePath->Fill);
    return Ok;
}

Status TGPGraphicsPath::Widen(const TGPPen* pen, const TGPMatrix* matrix, Single flatness) {
    if (!nativePath || !pen || !pen->nativePen || !(flatness > 0)) return SetStatus(InvalidParameter);
    *nativePath = detail::WidenFigures(Flat(*nativePath, MatrixOf(matrix), flatness), *pen->nativePen);
    return Ok;
}

Status TGPGraphicsPath::Outline(const TGPMatrix* matrix, Single flatness) {
    if (!nativePath || !(flatness > 0)) return SetStatus(InvalidParameter);
    GpPath winding = *nativePath;
    winding.Fill = FillModeWinding;
    const auto tree = detail::RegionPath(winding);
    const cairo_matrix_t m = MatrixOf(matrix);
    const TPixelRegion pixels = detail::RegionPixels(*tree, m, detail::RegionWindow(*tree, m));
    GpPath out;
    out.Fill = nativePath->Fill;
    for (Integer i = 0; i < pixels.RectCount(); ++i) {
        const TRect r = pixels.RectAt(i);
        const TGPPointF corners[4] = {{Single(r.Left), Single(r.Top)},
                                      {Single(r.Right), Single(r.Top)},
                                      {Single(r.Right), Single(r.Bottom)},
                                      {Single(r.Left), Single(r.Bottom)}};
        for (int k = 0; k < 4; ++k) {
            out.Points.push_back(corners[k]);
            out.Types.push_back(k == 0 ? PathPointTypeStart : PathPointTypeLine);
        }
        out.Types.back() |= PathPointTypeCloseSubpath;
    }
    *nativePath = out;
    return Ok;
}

Status TGPGraphicsPath::Warp(const TGPPointF* dest, Integer count, const TGPRectF& src, const TGPMatrix* matrix,
                             WarpMode warpMode, Single flatness) {
    if (!nativePath || !dest || (count != 3 && count != 4) || src.Width == 0 || src.Height == 0)
        return SetStatus(InvalidParameter);
    // Corners: top left, top right, bottom left, bottom right.
    const TGPPointF p0 = dest[0], p1 = dest[1], p2 = dest[2];
    const TGPPointF p3 = count == 4 ? dest[3] : TGPPointF{p1.X + p2.X - p0.X, p1.Y + p2.Y - p0.Y};
    // The perspective map of the unit square onto the four corners.
    const double sx = p0.X - p1.X + p3.X - p2.X, sy = p0.Y - p1.Y + p3.Y - p2.Y;
    double g = 0, h = 0;
    if (warpMode == WarpModePerspective && (sx != 0 || sy != 0)) {
        const double dx1 = p1.X - p3.X, dx2 = p2.X - p3.X, dy1 = p1.Y - p3.Y, dy2 = p2.Y - p3.Y;
        const double det = dx1 * dy2 - dx2 * dy1;
        if (det != 0) g = (sx * dy2 - dx2 * sy) / det, h = (dx1 * sy - sx * dy1) / det;
    }
    auto map = [&](double u, double v) -> TGPPointF {
        if (warpMode == WarpModeBilinear) {
            const double x = p0.X * (1 - u) * (1 - v) + p1.X * u * (1 - v) + p2.X * (1 - u) * v + p3.X * u * v;
            const double y = p0.Y * (1 - u) * (1 - v) + p1.Y * u * (1 - v) + p2.Y * (1 - u) * v + p3.Y * u * v;
            return {Single(x), Single(y)};
        }
        const double a = p1.X - p0.X + g * p1.X, b = p2.X - p0.X + h * p2.X, d = p1.Y - p0.Y + g * p1.Y,
                     e = p2.Y - p0.Y + h * p2.Y;
        const double w = g * u + h * v + 1;
        return {Single((a * u + b * v + p0.X) / w), Single((d * u + e * v + p0.Y) / w)};
    };
    auto figures = Flat(*nativePath, MatrixOf(matrix), flatness);
    for (auto& f : figures)
        for (auto& p : f.Points)
            p = map((p.X - src.X) / src.Width, (p.Y - src.Y) / src.Height);
    *nativePath = FromFigures(figures, nativePath->Fill);
    return Ok;
}

Status TGPGraphicsPath::GetPathData(TPathData* pathData) {
    if (!pathData) return SetStatus(InvalidParameter);
    const Integer n = GetPointCount();
    if (n < 1 || (pathData->Count > 0 && pathData->Count < n)) {
        pathData->Count = 0;
        std::free(pathData->Points);
        std::free(pathData->Types);
        pathData->Points = nullptr;
        pathData->Types = nullptr;
        if (n < 1) return lastResult;
    }
    if (pathData->Count == 0) {
        auto* points = static_cast<TGPPointF*>(std::malloc(sizeof(TGPPointF) * std::size_t(n)));
        auto* types = static_cast<Byte*>(std::malloc(std::size_t(n)));
        if (!points || !types) {
            std::free(points);
            std::free(types);
            return SetStatus(OutOfMemory);
        }
        pathData->Points = points;
        pathData->Types = types;
        pathData->Count = n;
    }
    // An existing pair of arrays at least n long is reused.
    std::copy(nativePath->Points.begin(), nativePath->Points.end(), pathData->Points);
    std::copy(nativePath->Types.begin(), nativePath->Types.end(), pathData->Types);
    return Ok;
}

Status TGPGraphicsPath::GetPathPoints(TGPPoint* points, Integer count) {
    if (!nativePath || !points || count < Integer(nativePath->Points.size())) return SetStatus(InvalidParameter);
    for (std::size_t i = 0; i < nativePath->Points.size(); ++i)
        points[i] = {Integer(std::lround(nativePath->Points[i].X)), Integer(std::lround(nativePath->Points[i].Y))};
    return Ok;
}

bool TGPGraphicsPath::IsVisible(Single x, Single y, const TGPGraphics*) {
    if (!nativePath) return SetStatus(InvalidParameter), false;
    cairo_t* cr = detail::ScratchContext();
    detail::AppendPath(cr, *nativePath);
    cairo_set_fill_rule(cr, detail::FillRule(nativePath->Fill));
    const bool inside = cairo_in_fill(cr, x, y);
    cairo_new_path(cr);
    return inside;
}

bool TGPGraphicsPath::IsVisible(const TGPPointF& p, const TGPGraphics* g) {
    return IsVisible(p.X, p.Y, g);
}

bool TGPGraphicsPath::IsVisible(Integer x, Integer y, const TGPGraphics* g) {
    return IsVisible(Single(x), Single(y), g);
}

bool TGPGraphicsPath::IsVisible(const TGPPoint& p, const TGPGraphics* g) {
    return IsVisible(Single(p.X), Single(p.Y), g);
}

bool TGPGraphicsPath::IsOutlineVisible(Single x, Single y, const TGPPen* pen, const TGPGraphics*) {
    if (!nativePath || !pen || !pen->nativePen) return SetStatus(InvalidParameter), false;
    // The widened outline holds the caps and joins the pen draws.
    cairo_identity_matrix(detail::ScratchContext());
    const GpPath widened = detail::WidenFigures(Flat(*nativePath, MatrixOf(nullptr), 0.25f), *pen->nativePen);
    cairo_t* cr = detail::ScratchContext();
    detail::AppendPath(cr, widened);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
    const bool inside = cairo_in_fill(cr, x, y);
    cairo_new_path(cr);
    return inside;
}

bool TGPGraphicsPath::IsOutlineVisible(const TGPPointF& p, const TGPPen* pen, const TGPGraphics* g) {
    return IsOutlineVisible(p.X, p.Y, pen, g);
}

bool TGPGraphicsPath::IsOutlineVisible(Integer x, Integer y, const TGPPen* pen, const TGPGraphics* g) {
    return IsOutlineVisible(Single(x), Single(y), pen, g);
}

bool TGPGraphicsPath::IsOutlineVisible(const TGPPoint& p, const TGPPen* pen, const TGPGraphics* g) {
    return IsOutlineVisible(Single(p.X), Single(p.Y), pen, g);
}

#include "GdiPlusNative.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace detail {

cairo_matrix_t ToCairo(Single m11, Single m12, Single m21, Single m22, Single dx, Single dy) {
    cairo_matrix_t m;
    cairo_matrix_init(&m, m11, m12, m21, m22, dx, dy);
    return m;
}

cairo_matrix_t Then(const cairo_matrix_t& a, const cairo_matrix_t& b) {
    cairo_matrix_t result;
    cairo_matrix_multiply(&result, &a, &b);
    return result;
}

void Combine(cairo_matrix_t& target, const cairo_matrix_t& change, MatrixOrder order) {
    target = order == MatrixOrderPrepend ? Then(change, target) : Then(target, change);
}

void SetSourceArgb(cairo_t* cr, ARGB c) {
    cairo_set_source_rgba(cr, ARGBRed(c) / 255.0, ARGBGreen(c) / 255.0, ARGBBlue(c) / 255.0,
                          ARGBAlpha(c) / 255.0);
}

void AddColorStop(cairo_pattern_t* pattern, double offset, ARGB c) {
    cairo_pattern_add_color_stop_rgba(pattern, offset, ARGBRed(c) / 255.0, ARGBGreen(c) / 255.0,
                                      ARGBBlue(c) / 255.0, ARGBAlpha(c) / 255.0);
}

cairo_fill_rule_t FillRule(FillMode mode) {
    return mode == FillModeWinding ? CAIRO_FILL_RULE_WINDING : CAIRO_FILL_RULE_EVEN_ODD;
}

void AppendPath(cairo_t* cr, const GpPath& path) {
    const auto& p = path.Points;
    for (std::size_t i = 0; i < p.size(); ++i) {
        const Byte type = path.Types[i] & PathPointTypePathTypeMask;
        if (type == PathPointTypeStart) {
            cairo_move_to(cr, p[i].X, p[i].Y);
        } else if (type == PathPointTypeBezier && i + 2 < p.size()) {
            cairo_curve_to(cr, p[i].X, p[i].Y, p[i + 1].X, p[i + 1].Y, p[i + 2].X, p[i + 2].Y);
            i += 2;
        } else {
            cairo_line_to(cr, p[i].X, p[i].Y);
        }
        if (path.Types[i] & PathPointTypeCloseSubpath) cairo_close_path(cr);
    }
}

cairo_t* ScratchContext() {
    static cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_A8, 1, 1);
    static cairo_t* cr = cairo_create(surface);
    cairo_new_path(cr);
    cairo_identity_matrix(cr);
    return cr;
}

std::vector<std::vector<TGPPointF>> FlattenedFigures(const GpPath& path) {
    cairo_t* cr = ScratchContext();
    cairo_set_tolerance(cr, 0.05);
    AppendPath(cr, path);
    cairo_path_t* flat = cairo_copy_path_flat(cr);
    cairo_new_path(cr);
    std::vector<std::vector<TGPPointF>> figures;
    for (int i = 0; i < flat->num_data; i += flat->data[i].header.length) {
        const cairo_path_data_t& d = flat->data[i];
        if (d.header.type == CAIRO_PATH_MOVE_TO) {
            figures.emplace_back();
            figures.back().push_back({Single(flat->data[i + 1].point.x), Single(flat->data[i + 1].point.y)});
        } else if (d.header.type == CAIRO_PATH_LINE_TO && !figures.empty()) {
            figures.back().push_back({Single(flat->data[i + 1].point.x), Single(flat->data[i + 1].point.y)});
        }
    }
    cairo_path_destroy(flat);
    return figures;
}

} // namespace detail

using detail::GpMatrix;
using detail::GpPath;

// ---- TGPMatrix ----

TGPMatrix::TGPMatrix() : nativeMatrix(new GpMatrix) {
    cairo_matrix_init_identity(&nativeMatrix->Value);
}

TGPMatrix::TGPMatrix(Single m11, Single m12, Single m21, Single m22, Single dx, Single dy)
    : nativeMatrix(new GpMatrix{detail::ToCairo(m11, m12, m21, m22, dx, dy)}) {}

TGPMatrix::TGPMatrix(const TGPRectF& rect, const TGPPointF* dstplg) {
    if (!dstplg || !(rect.Width != 0) || !(rect.Height != 0)) {
        lastResult = InvalidParameter;
        return;
    }
    // The rectangle's top left, top right and bottom left corners go to the
    // three points.
    const double m11 = (double(dstplg[1].X) - dstplg[0].X) / rect.Width,
                 m12 = (double(dstplg[1].Y) - dstplg[0].Y) / rect.Width,
                 m21 = (double(dstplg[2].X) - dstplg[0].X) / rect.Height,
                 m22 = (double(dstplg[2].Y) - dstplg[0].Y) / rect.Height;
    nativeMatrix = new GpMatrix;
    cairo_matrix_init(&nativeMatrix->Value, m11, m12, m21, m22, dstplg[0].X - m11 * rect.X - m21 * rect.Y,
                      dstplg[0].Y - m12 * rect.X - m22 * rect.Y);
}

TGPMatrix::TGPMatrix(const TGPRect& rect, const TGPPoint* dstplg) {
    if (!dstplg) {
        lastResult = InvalidParameter;
        return;
    }
    const TGPPointF points[3] = {{Single(dstplg[0].X), Single(dstplg[0].Y)},
                                 {Single(dstplg[1].X), Single(dstplg[1].Y)},
                                 {Single(dstplg[2].X), Single(dstplg[2].Y)}};
    TGPMatrix floats(TGPRectF{Single(rect.X), Single(rect.Y), Single(rect.Width), Single(rect.Height)}, points);
    std::swap(nativeMatrix, floats.nativeMatrix);
    lastResult = floats.lastResult;
}

TGPMatrix::TGPMatrix(GpMatrix* native, Status status) : nativeMatrix(native) {
    lastResult = status;
}

TGPMatrix::~TGPMatrix() {
    delete nativeMatrix;
}

TGPMatrix* TGPMatrix::Clone() {
    if (!nativeMatrix) {
        SetStatus(InvalidParameter);
        return nullptr;
    }
    // An earlier failure still recorded here makes the clone fail too.
    if (lastResult != Ok) return nullptr;
    return new TGPMatrix(new GpMatrix(*nativeMatrix), Ok);
}

Status TGPMatrix::GetElements(Single* m) {
    if (!nativeMatrix || !m) return SetStatus(InvalidParameter);
    const cairo_matrix_t& v = nativeMatrix->Value;
    m[0] = Single(v.xx), m[1] = Single(v.yx), m[2] = Single(v.xy), m[3] = Single(v.yy), m[4] = Single(v.x0),
    m[5] = Single(v.y0);
    return Ok;
}

Status TGPMatrix::SetElements(Single m11, Single m12, Single m21, Single m22, Single dx, Single dy) {
    if (!nativeMatrix) return SetStatus(InvalidParameter);
    nativeMatrix->Value = detail::ToCairo(m11, m12, m21, m22, dx, dy);
    return Ok;
}

Single TGPMatrix::OffsetX() {
    Single m[6];
    return GetElements(m) == Ok ? m[4] : 0;
}

Single TGPMatrix::OffsetY() {
    Single m[6];
    return GetElements(m) == Ok ? m[5] : 0;
}

Status TGPMatrix::Reset() {
    return SetElements(1, 0, 0, 1, 0, 0);
}

Status TGPMatrix::Multiply(const TGPMatrix* matrix, MatrixOrder order) {
    if (!nativeMatrix || !matrix || !matrix->nativeMatrix) return SetStatus(InvalidParameter);
    detail::Combine(nativeMatrix->Value, matrix->nativeMatrix->Value, order);
    return Ok;
}

Status TGPMatrix::Translate(Single offsetX, Single offsetY, MatrixOrder order) {
    if (!nativeMatrix) return SetStatus(InvalidParameter);
    cairo_matrix_t t;
    cairo_matrix_init_translate(&t, offsetX, offsetY);
    detail::Combine(nativeMatrix->Value, t, order);
    return Ok;
}

Status TGPMatrix::Scale(Single scaleX, Single scaleY, MatrixOrder order) {
    if (!nativeMatrix) return SetStatus(InvalidParameter);
    cairo_matrix_t t;
    cairo_matrix_init_scale(&t, scaleX, scaleY);
    detail::Combine(nativeMatrix->Value, t, order);
    return Ok;
}

Status TGPMatrix::Rotate(Single angle, MatrixOrder order) {
    if (!nativeMatrix) return SetStatus(InvalidParameter);
    cairo_matrix_t t;
    cairo_matrix_init_rotate(&t, angle * std::numbers::pi / 180.0);
    detail::Combine(nativeMatrix->Value, t, order);
    return Ok;
}

Status TGPMatrix::RotateAt(Single angle, const TGPPointF& center, MatrixOrder order) {
    // Three calls through the status rule; the last status is the answer.
    if (order == MatrixOrderPrepend) {
        SetStatus(Translate(center.X, center.Y, order));
        SetStatus(Rotate(angle, order));
        return SetStatus(Translate(-center.X, -center.Y, order));
    }
    SetStatus(Translate(-center.X, -center.Y, order));
    SetStatus(Rotate(angle, order));
    return SetStatus(Translate(center.X, center.Y, order));
}

Status TGPMatrix::Shear(Single shearX, Single shearY, MatrixOrder order) {
    if (!nativeMatrix) return SetStatus(InvalidParameter);
    detail::Combine(nativeMatrix->Value, detail::ToCairo(1, shearY, shearX, 1, 0, 0), order);
    return Ok;
}

Status TGPMatrix::Invert() {
    if (!nativeMatrix) return SetStatus(InvalidParameter);
    cairo_matrix_t inverse = nativeMatrix->Value;
    if (cairo_matrix_invert(&inverse) != CAIRO_STATUS_SUCCESS) return SetStatus(InvalidParameter);
    nativeMatrix->Value = inverse;
    return Ok;
}

Status TGPMatrix::TransformPoints(TGPPointF* points, Integer count) {
    if (!nativeMatrix || !points || count <= 0) return SetStatus(InvalidParameter);
    for (Integer i = 0; i < count; ++i) {
        double x = points[i].X, y = points[i].Y;
        cairo_matrix_transform_point(&nativeMatrix->Value, &x, &y);
        points[i] = {Single(x), Single(y)};
    }
    return Ok;
}

Status TGPMatrix::TransformPoints(TGPPoint* points, Integer count) {
    if (!nativeMatrix || !points || count <= 0) return SetStatus(InvalidParameter);
    for (Integer i = 0; i < count; ++i) {
        double x = points[i].X, y = points[i].Y;
        cairo_matrix_transform_point(&nativeMatrix->Value, &x, &y);
        points[i] = {Integer(std::lround(x)), Integer(std::lround(y))};
    }
    return Ok;
}

Status TGPMatrix::TransformVectors(TGPPointF* points, Integer count) {
    if (!nativeMatrix || !points || count <= 0) return SetStatus(InvalidParameter);
    for (Integer i = 0; i < count; ++i) {
        double x = points[i].X, y = points[i].Y;
        cairo_matrix_transform_distance(&nativeMatrix->Value, &x, &y);
        points[i] = {Single(x), Single(y)};
    }
    return Ok;
}

Status TGPMatrix::TransformVectors(TGPPoint* points, Integer count) {
    if (!nativeMatrix || !points || count <= 0) return SetStatus(InvalidParameter);
    for (Integer i = 0; i < count; ++i) {
        double x = points[i].X, y = points[i].Y;
        cairo_matrix_transform_distance(&nativeMatrix->Value, &x, &y);
        points[i] = {Integer(std::lround(x)), Integer(std::lround(y))};
    }
    return Ok;
}

bool TGPMatrix::IsInvertible() {
    if (!nativeMatrix) return SetStatus(InvalidParameter), false;
    cairo_matrix_t inverse = nativeMatrix->Value;
    return cairo_matrix_invert(&inverse) == CAIRO_STATUS_SUCCESS;
}

bool TGPMatrix::IsIdentity() {
    if (!nativeMatrix) return SetStatus(InvalidParameter), false;
    const cairo_matrix_t& v = nativeMatrix->Value;
    auto near = [](double a, double b) { return std::fabs(a - b) < 1e-6; };
    return near(v.xx, 1) && near(v.yx, 0) && near(v.xy, 0) && near(v.yy, 1) && near(v.x0, 0) && near(v.y0, 0);
}

bool TGPMatrix::IsEqual(const TGPMatrix* matrix) {
    if (!nativeMatrix || !matrix || !matrix->nativeMatrix) return SetStatus(InvalidParameter), false;
    const cairo_matrix_t &a = nativeMatrix->Value, &b = matrix->nativeMatrix->Value;
    return a.xx == b.xx && a.yx == b.yx && a.xy == b.xy && a.yy == b.yy && a.x0 == b.x0 && a.y0 == b.y0;
}

// ---- TGPGraphicsPath ----

namespace {

void AddPoint(GpPath& path, TGPPointF point, Byte type) {
    if (path.NewFigure) {
        type = PathPointTypeStart;
        path.NewFigure = false;
    }
    path.Points.push_back(point);
    path.Types.push_back(type);
}

void CloseCurrentFigure(GpPath& path) {
    if (!path.Types.empty() && !path.NewFigure) path.Types.back() |= PathPointTypeCloseSubpath;
    path.NewFigure = true;
}

// Angle measured on the ellipse (from its centre, clockwise in y-down
// coordinates) to the parameter angle of the ellipse's equation.
double ParameterAngle(double degrees, double rx, double ry) {
    const double a = degrees * std::numbers::pi / 180.0;
    return std::atan2(rx * std::sin(a), ry * std::cos(a));
}

// Appends an elliptical arc as Bézier segments of at most 90 degrees; the
// first point connects to the open figure with a line.
void AppendArc(GpPath& path, double x, double y, double w, double h, double start, double sweep) {
    const double rx = w / 2, ry = h / 2, cx = x + rx, cy = y + ry;
    double t0, t1;
    if (std::fabs(sweep) >= 360) {
        t0 = ParameterAngle(start, rx, ry);
        t1 = t0 + (sweep > 0 ? 2 : -2) * std::numbers::pi;
    } else {
        t0 = ParameterAngle(start, rx, ry);
        t1 = ParameterAngle(start + sweep, rx, ry);
        // Unwind so the parameter runs the same way and about as far as the sweep.
        if (sweep > 0)
            while (t1 < t0)
                t1 += 2 * std::numbers::pi;
        else
            while (t1 > t0)
                t1 -= 2 * std::numbers::pi;
    }
    const int segments = std::max(1, int(std::ceil(std::fabs(t1 - t0) / (std::numbers::pi / 2) - 1e-9)));
    const double step = (t1 - t0) / segments;
    const double k = 4.0 / 3.0 * std::tan(step / 4);
    auto at = [&](double t) {
        return TGPPointF{Single(cx + rx * std::cos(t)), Single(cy + ry * std::sin(t))};
    };
    AddPoint(path, at(t0), PathPointTypeLine);
    for (int i = 0; i < segments; ++i) {
        const double a = t0 + i * step, b = a + step;
        const TGPPointF p0 = at(a), p3 = at(b);
        path.Points.push_back({Single(p0.X - k * rx * std::sin(a)), Single(p0.Y + k * ry * std::cos(a))});
        path.Points.push_back({Single(p3.X + k * rx * std::sin(b)), Single(p3.Y - k * ry * std::cos(b))});
        path.Points.push_back(p3);
        path.Types.insert(path.Types.end(), 3, PathPointTypeBezier);
    }
}

} // namespace

namespace detail {

void AppendCurve(GpPath& path, const TGPPointF* points, Integer count, Integer offset, Integer segments,
                 Single tension, bool closed) {
    // A cardinal spline: each segment a Bezier whose control points follow
    // the neighbours' chord, scaled by the tension.
    const Single t = tension / 3;
    auto at = [&](Integer i) {
        if (closed) return points[(i % count + count) % count];
        return points[std::clamp(i, Integer(0), count - 1)];
    };
    if (closed) path.NewFigure = true;
    AddPoint(path, at(offset), PathPointTypeLine);
    for (Integer i = offset; i < offset + segments; ++i) {
        const TGPPointF prev = at(i - 1), a = at(i), b = at(i + 1), next = at(i + 2);
        path.Points.push_back({a.X + t * (b.X - prev.X), a.Y + t * (b.Y - prev.Y)});
        path.Points.push_back({b.X - t * (next.X - a.X), b.Y - t * (next.Y - a.Y)});
        path.Points.push_back(b);
        path.Types.insert(path.Types.end(), 3, PathPointTypeBezier);
    }
    if (closed) CloseCurrentFigure(path);
}

void AppendArcTo(GpPath& path, double x, double y, double w, double h, double start, double sweep) {
    AppendArc(path, x, y, w, h, start, sweep);
}

void AddPathPoint(GpPath& path, TGPPointF point, Byte type) {
    AddPoint(path, point, type);
}

} // namespace detail

TGPGraphicsPath::TGPGraphicsPath(FillMode fillMode) : nativePath(new GpPath) {
    nativePath->Fill = fillMode;
}

TGPGraphicsPath::TGPGraphicsPath(const TGPPointF* points, const Byte* types, Integer count,
                                 FillMode fillMode) {
    if (!points || !types || count < 0) {
        lastResult = InvalidParameter;
        return;
    }
    nativePath = new GpPath;
    nativePath->Fill = fillMode;
    nativePath->Points.assign(points, points + count);
    nativePath->Types.assign(types, types + count);
    nativePath->NewFigure = count == 0 || (types[count - 1] & PathPointTypeCloseSubpath);
}

TGPGraphicsPath::TGPGraphicsPath(GpPath* native, Status status) : nativePath(native) {
    lastResult = status;
}

TGPGraphicsPath::~TGPGraphicsPath() {
    delete nativePath;
}

TGPGraphicsPath* TGPGraphicsPath::Clone() {
    if (!nativePath) return SetStatus(InvalidParameter), nullptr;
    return new TGPGraphicsPath(new GpPath(*nativePath), Ok);
}

Status TGPGraphicsPath::Reset() {
    if (!nativePath) return SetStatus(InvalidParameter);
    const FillMode fill = nativePath->Fill;
    *nativePath = GpPath{};
    nativePath->Fill = fill;
    return Ok;
}

FillMode TGPGraphicsPath::GetFillMode() {
    if (!nativePath) return SetStatus(InvalidParameter), FillModeAlternate;
    return nativePath->Fill;
}

Status TGPGraphicsPath::SetFillMode(FillMode fillMode) {
    if (!nativePath) return SetStatus(InvalidParameter);
    nativePath->Fill = fillMode;
    return Ok;
}

Status TGPGraphicsPath::StartFigure() {
    if (!nativePath) return SetStatus(InvalidParameter);
    nativePath->NewFigure = true;
    return Ok;
}

Status TGPGraphicsPath::CloseFigure() {
    if (!nativePath) return SetStatus(InvalidParameter);
    CloseCurrentFigure(*nativePath);
    return Ok;
}

Status TGPGraphicsPath::CloseAllFigures() {
    if (!nativePath) return SetStatus(InvalidParameter);
    auto& types = nativePath->Types;
    for (std::size_t i = 0; i < types.size(); ++i)
        if (i + 1 == types.size() || (types[i + 1] & PathPointTypePathTypeMask) == PathPointTypeStart)
            types[i] |= PathPointTypeCloseSubpath;
    nativePath->NewFigure = true;
    return Ok;
}

Status TGPGraphicsPath::AddLine(Single x1, Single y1, Single x2, Single y2) {
    if (!nativePath) return SetStatus(InvalidParameter);
    AddPoint(*nativePath, {x1, y1}, PathPointTypeLine);
    AddPoint(*nativePath, {x2, y2}, PathPointTypeLine);
    return Ok;
}

Status TGPGraphicsPath::AddLine(const TGPPointF& pt1, const TGPPointF& pt2) {
    return AddLine(pt1.X, pt1.Y, pt2.X, pt2.Y);
}

Status TGPGraphicsPath::AddLine(Integer x1, Integer y1, Integer x2, Integer y2) {
    return AddLine(Single(x1), Single(y1), Single(x2), Single(y2));
}

Status TGPGraphicsPath::AddLine(const TGPPoint& pt1, const TGPPoint& pt2) {
    return AddLine(pt1.X, pt1.Y, pt2.X, pt2.Y);
}

Status TGPGraphicsPath::AddLines(const TGPPointF* points, Integer count) {
    if (!nativePath || !points || count <= 0) return SetStatus(InvalidParameter);
    for (Integer i = 0; i < count; ++i)
        AddPoint(*nativePath, points[i], PathPointTypeLine);
    return Ok;
}

Status TGPGraphicsPath::AddLines(const TGPPoint* points, Integer count) {
    if (!points || count <= 0) return SetStatus(InvalidParameter);
    std::vector<TGPPointF> f;
    for (Integer i = 0; i < count; ++i)
        f.push_back({Single(points[i].X), Single(points[i].Y)});
    return AddLines(f.data(), count);
}

Status TGPGraphicsPath::AddArc(Single x, Single y, Single width, Single height, Single startAngle,
                               Single sweepAngle) {
    if (!nativePath || width <= 0 || height <= 0) return SetStatus(InvalidParameter);
    AppendArc(*nativePath, x, y, width, height, startAngle, sweepAngle);
    return Ok;
}

Status TGPGraphicsPath::AddArc(const TGPRectF& rect, Single startAngle, Single sweepAngle) {
    return AddArc(rect.X, rect.Y, rect.Width, rect.Height, startAngle, sweepAngle);
}

Status TGPGraphicsPath::AddBezier(Single x1, Single y1, Single x2, Single y2, Single x3, Single y3, Single x4,
                                  Single y4) {
    if (!nativePath) return SetStatus(InvalidParameter);
    AddPoint(*nativePath, {x1, y1}, PathPointTypeLine);
    for (TGPPointF p : {TGPPointF{x2, y2}, TGPPointF{x3, y3}, TGPPointF{x4, y4}}) {
        nativePath->Points.push_back(p);
        nativePath->Types.push_back(PathPointTypeBezier);
    }
    return Ok;
}

Status TGPGraphicsPath::AddBezier(const TGPPointF& pt1, const TGPPointF& pt2, const TGPPointF& pt3,
                                  const TGPPointF& pt4) {
    return AddBezier(pt1.X, pt1.Y, pt2.X, pt2.Y, pt3.X, pt3.Y, pt4.X, pt4.Y);
}

Status TGPGraphicsPath::AddCurve(const TGPPointF* points, Integer count, Single tension) {
    if (!nativePath || !points || count < 2) return SetStatus(InvalidParameter);
    AppendCurve(*nativePath, points, count, 0, count - 1, tension, false);
    return Ok;
}

Status TGPGraphicsPath::AddRectangle(const TGPRectF& r) {
    if (!nativePath) return SetStatus(InvalidParameter);
    nativePath->NewFigure = true;
    AddPoint(*nativePath, {r.X, r.Y}, PathPointTypeStart);
    AddPoint(*nativePath, {r.X + r.Width, r.Y}, PathPointTypeLine);
    AddPoint(*nativePath, {r.X + r.Width, r.Y + r.Height}, PathPointTypeLine);
    AddPoint(*nativePath, {r.X, r.Y + r.Height}, PathPointTypeLine);
    CloseCurrentFigure(*nativePath);
    return Ok;
}

Status TGPGraphicsPath::AddRectangle(const TGPRect& r) {
    return AddRectangle(TGPRectF{Single(r.X), Single(r.Y), Single(r.Width), Single(r.Height)});
}

Status TGPGraphicsPath::AddEllipse(Single x, Single y, Single width, Single height) {
    if (!nativePath) return SetStatus(InvalidParameter);
    nativePath->NewFigure = true;
    AppendArc(*nativePath, x, y, width, height, 0, 360);
    CloseCurrentFigure(*nativePath);
    return Ok;
}

Status TGPGraphicsPath::AddEllipse(const TGPRectF& r) {
    return AddEllipse(r.X, r.Y, r.Width, r.Height);
}

Status TGPGraphicsPath::AddPie(Single x, Single y, Single width, Single height, Single startAngle,
                               Single sweepAngle) {
    if (!nativePath || width <= 0 || height <= 0) return SetStatus(InvalidParameter);
    nativePath->NewFigure = true;
    AddPoint(*nativePath, {x + width / 2, y + height / 2}, PathPointTypeStart);
    AppendArc(*nativePath, x, y, width, height, startAngle, sweepAngle);
    CloseCurrentFigure(*nativePath);
    return Ok;
}

Status TGPGraphicsPath::AddPolygon(const TGPPointF* points, Integer count) {
    if (!nativePath || !points || count < 3) return SetStatus(InvalidParameter);
    nativePath->NewFigure = true;
    for (Integer i = 0; i < count; ++i)
        AddPoint(*nativePath, points[i], PathPointTypeLine);
    CloseCurrentFigure(*nativePath);
    return Ok;
}

Status TGPGraphicsPath::AddPolygon(const TGPPoint* points, Integer count) {
    if (!points || count < 3) return SetStatus(InvalidParameter);
    std::vector<TGPPointF> f;
    for (Integer i = 0; i < count; ++i)
        f.push_back({Single(points[i].X), Single(points[i].Y)});
    return AddPolygon(f.data(), count);
}

Status TGPGraphicsPath::AddPath(const TGPGraphicsPath* addingPath, bool connect) {
    if (!nativePath || !addingPath || !addingPath->nativePath) return SetStatus(InvalidParameter);
    const GpPath& other = *addingPath->nativePath;
    for (std::size_t i = 0; i < other.Points.size(); ++i) {
        Byte type = other.Types[i];
        if (i == 0 && connect && !nativePath->NewFigure)
            type = Byte((type & ~PathPointTypePathTypeMask) | 1);
        else if ((type & PathPointTypePathTypeMask) == PathPointTypeStart)
            nativePath->NewFigure = true;
        if (nativePath->NewFigure) type &= Byte(~PathPointTypePathTypeMask);
        nativePath->NewFigure = false;
        nativePath->Points.push_back(other.Points[i]);
        nativePath->Types.push_back(type);
        if (type & PathPointTypeCloseSubpath) nativePath->NewFigure = true;
    }
    nativePath->NewFigure = other.NewFigure || nativePath->NewFigure;
    return Ok;
}

Status TGPGraphicsPath::Transform(const TGPMatrix* matrix) {
    if (!matrix) return Ok; // nothing to apply
    if (!nativePath || !matrix->nativeMatrix) return SetStatus(InvalidParameter);
    for (auto& p : nativePath->Points) {
        double x = p.X, y = p.Y;
        cairo_matrix_transform_point(&matrix->nativeMatrix->Value, &x, &y);
        p = {Single(x), Single(y)};
    }
    return Ok;
}

Integer TGPGraphicsPath::GetPointCount() {
    if (!nativePath) return SetStatus(InvalidParameter), 0;
    return Integer(nativePath->Points.size());
}

Status TGPGraphicsPath::GetPathPoints(TGPPointF* points, Integer count) {
    if (!nativePath || !points || count < Integer(nativePath->Points.size()))
        return SetStatus(InvalidParameter);
    std::copy(nativePath->Points.begin(), nativePath->Points.end(), points);
    return Ok;
}

Status TGPGraphicsPath::GetPathTypes(Byte* types, Integer count) {
    if (!nativePath || !types || count < Integer(nativePath->Types.size()))
        return SetStatus(InvalidParameter);
    std::copy(nativePath->Types.begin(), nativePath->Types.end(), types);
    return Ok;
}

Status TGPGraphicsPath::GetLastPoint(TGPPointF& lastPoint) {
    if (!nativePath || nativePath->Points.empty()) return SetStatus(InvalidParameter);
    lastPoint = nativePath->Points.back();
    return Ok;
}

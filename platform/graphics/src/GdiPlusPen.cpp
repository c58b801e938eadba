#include "graphics/GdiPlusBrush.h"

#include "GdiPlusNative.h"

#include <algorithm>
#include <cmath>
#include <numbers>

using detail::GpBrush;
using detail::GpPen;

namespace detail {

GpPen::GpPen(const GpPen& o)
    : Color(o.Color), Width(o.Width), Unit(o.Unit), StartCap(o.StartCap), EndCap(o.EndCap),
      DashCapStyle(o.DashCapStyle), Join(o.Join), MiterLimit(o.MiterLimit), Dash(o.Dash), DashOffset(o.DashOffset),
      DashPattern(o.DashPattern), Compound(o.Compound), Alignment(o.Alignment), Transform(o.Transform),
      CustomStart(o.CustomStart), CustomEnd(o.CustomEnd),
      Brush(o.Brush ? std::make_unique<GpBrush>(*o.Brush) : nullptr) {}

namespace {

cairo_line_cap_t CairoCap(Integer cap) {
    return cap == LineCapRound ? CAIRO_LINE_CAP_ROUND : cap == LineCapSquare ? CAIRO_LINE_CAP_SQUARE : CAIRO_LINE_CAP_BUTT;
}

// The caps Cairo draws itself: the same simple cap at both ends.
bool CairoDrawsCaps(const GpPen& pen) {
    auto simple = [](LineCap c) { return c == LineCapFlat || c == LineCapSquare || c == LineCapRound; };
    return pen.StartCap == pen.EndCap && simple(pen.StartCap) && !pen.CustomStart && !pen.CustomEnd;
}

// The stroke width in user units, at least one device pixel.
double StrokeWidth(cairo_t* cr, const GpPen& pen) {
    double width = pen.Width;
    double dx = width, dy = 0;
    cairo_user_to_device_distance(cr, &dx, &dy);
    if (std::hypot(dx, dy) < 1) {
        double ux = 1, uy = 0;
        cairo_device_to_user_distance(cr, &ux, &uy);
        width = std::hypot(ux, uy);
    }
    return width;
}

std::vector<double> Dashes(const GpPen& pen) {
    switch (pen.Dash) {
    case DashStyleDash:
        return {3, 1};
    case DashStyleDot:
        return {1, 1};
    case DashStyleDashDot:
        return {3, 1, 1, 1};
    case DashStyleDashDotDot:
        return {3, 1, 1, 1, 1, 1};
    case DashStyleCustom:
        return {pen.DashPattern.begin(), pen.DashPattern.end()};
    default:
        return {};
    }
}

TGPPointF Unit(double x, double y) {
    const double length = std::hypot(x, y);
    return length > 0 ? TGPPointF{Single(x / length), Single(y / length)} : TGPPointF{0, 0};
}

// The points shifted sideways by `d` (to the left of the direction of
// travel in y-down coordinates is negative d), corners mitred.
std::vector<TGPPointF> Offset(const std::vector<TGPPointF>& p, bool closed, double d) {
    const std::size_t n = p.size();
    std::vector<TGPPointF> out;
    for (std::size_t i = 0; i < n; ++i) {
        const bool hasPrev = closed || i > 0, hasNext = closed || i + 1 < n;
        const TGPPointF a = p[(i + n - 1) % n], b = p[i], c = p[(i + 1) % n];
        TGPPointF n1{0, 0}, n2{0, 0};
        if (hasPrev) {
            const TGPPointF u = Unit(b.X - a.X, b.Y - a.Y);
            n1 = {-u.Y, u.X};
        }
        if (hasNext) {
            const TGPPointF u = Unit(c.X - b.X, c.Y - b.Y);
            n2 = {-u.Y, u.X};
        }
        if (!hasPrev) n1 = n2;
        if (!hasNext) n2 = n1;
        const TGPPointF m = Unit(n1.X + n2.X, n1.Y + n2.Y);
        const double cosine = std::max(0.25, double(m.X * n1.X + m.Y * n1.Y));
        out.push_back({Single(b.X + m.X * d / cosine), Single(b.Y + m.Y * d / cosine)});
    }
    return out;
}

double SignedArea(const std::vector<TGPPointF>& p) {
    double area = 0;
    for (std::size_t i = 0; i < p.size(); ++i) {
        const TGPPointF a = p[i], b = p[(i + 1) % p.size()];
        area += double(a.X) * b.Y - double(b.X) * a.Y;
    }
    return area / 2;
}

// Appends a polygon to the path, turned so its signed area is positive.
void AddPolygonCcw(GpPath& path, std::vector<TGPPointF> polygon) {
    if (polygon.size() < 3) return;
    if (SignedArea(polygon) < 0) std::reverse(polygon.begin(), polygon.end());
    for (std::size_t i = 0; i < polygon.size(); ++i) {
        path.Points.push_back(polygon[i]);
        path.Types.push_back(i == 0 ? PathPointTypeStart : PathPointTypeLine);
    }
    path.Types.back() |= PathPointTypeCloseSubpath;
}

std::vector<TGPPointF> Circle(TGPPointF c, double r) {
    std::vector<TGPPointF> points;
    const int n = std::max(8, int(std::ceil(r * 4)));
    for (int i = 0; i < n; ++i) {
        const double a = 2 * std::numbers::pi * i / n;
        points.push_back({Single(c.X + r * std::cos(a)), Single(c.Y + r * std::sin(a))});
    }
    return points;
}

// A point of cap space (x across, y outwards along `dir`, in `scale`
// units) placed at the tip.
TGPPointF CapPoint(TGPPointF tip, TGPPointF dir, double scale, double x, double y) {
    const TGPPointF across{-dir.Y, dir.X};
    return {Single(tip.X + (across.X * x + dir.X * y) * scale), Single(tip.Y + (across.Y * x + dir.Y * y) * scale)};
}

// The shape of a line end as polygons: `dir` points away from the line.
std::vector<std::vector<TGPPointF>> CapShape(Integer cap, TGPPointF tip, TGPPointF dir, double w) {
    auto at = [&](double x, double y) { return CapPoint(tip, dir, w, x, y); };
    switch (cap) {
    case LineCapSquare:
        return {{at(-0.5, 0), at(0.5, 0), at(0.5, 0.5), at(-0.5, 0.5)}};
    case LineCapRound:
        return {Circle(tip, w / 2)};
    case LineCapTriangle:
        return {{at(-0.5, 0), at(0.5, 0), at(0, 0.5)}};
    case LineCapSquareAnchor:
        return {{at(-1, -1), at(1, -1), at(1, 1), at(-1, 1)}};
    case LineCapRoundAnchor:
        return {Circle(tip, w)};
    case LineCapDiamondAnchor:
        return {{at(0, -1), at(1, 0), at(0, 1), at(-1, 0)}};
    case LineCapArrowAnchor:
        return {{at(0, 0), at(1, -2), at(-1, -2)}};
    default:
        return {};
    }
}

void FillPolygons(cairo_t* cr, const std::vector<std::vector<TGPPointF>>& polygons) {
    for (const auto& polygon : polygons) {
        for (const auto& p : polygon)
            cairo_line_to(cr, p.X, p.Y);
        cairo_close_path(cr);
    }
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
    cairo_fill(cr);
}

void DrawCustomCap(cairo_t* cr, const GpCustomLineCap& cap, TGPPointF tip, TGPPointF dir, double w) {
    const double scale = w * cap.WidthScale;
    auto place = [&](const GpPath& path) {
        GpPath placed = path;
        for (auto& p : placed.Points)
            p = CapPoint(tip, dir, scale, p.X, p.Y);
        return placed;
    };
    if (cap.HasFill) {
        const GpPath placed = place(cap.Fill);
        AppendPath(cr, placed);
        cairo_set_fill_rule(cr, FillRule(placed.Fill));
        cairo_fill(cr);
    }
    if (cap.HasStroke) {
        AppendPath(cr, place(cap.Stroke));
        cairo_set_line_cap(cr, CairoCap(cap.StrokeStartCap));
        cairo_set_line_join(cr, cap.StrokeJoin == LineJoinRound   ? CAIRO_LINE_JOIN_ROUND
                                : cap.StrokeJoin == LineJoinBevel ? CAIRO_LINE_JOIN_BEVEL
                                                                  : CAIRO_LINE_JOIN_MITER);
        cairo_set_dash(cr, nullptr, 0, 0);
        cairo_set_line_width(cr, w);
        cairo_stroke(cr);
    }
}

void DrawEnds(cairo_t* cr, const GpPen& pen, const std::vector<TFlatFigure>& figures, double w) {
    for (const auto& figure : figures) {
        const auto& p = figure.Points;
        if (figure.Closed || p.size() < 2) continue;
        for (int end = 0; end < 2; ++end) {
            const TGPPointF tip = end ? p.back() : p.front();
            // The direction from the nearest distinct point.
            TGPPointF from = tip;
            for (std::size_t k = 1; k < p.size(); ++k) {
                from = end ? p[p.size() - 1 - k] : p[k];
                if (from.X != tip.X || from.Y != tip.Y) break;
            }
            const TGPPointF dir = Unit(tip.X - from.X, tip.Y - from.Y);
            if (dir.X == 0 && dir.Y == 0) continue;
            const auto& custom = end ? pen.CustomEnd : pen.CustomStart;
            if (custom) {
                DrawCustomCap(cr, *custom, tip, dir, w);
                continue;
            }
            const LineCap cap = end ? pen.EndCap : pen.StartCap;
            FillPolygons(cr, CapShape(cap, tip, dir, w));
        }
    }
}

} // namespace

std::vector<TFlatFigure> FlatFigures(cairo_t* cr) {
    const double tolerance = cairo_get_tolerance(cr);
    cairo_set_tolerance(cr, 0.05);
    cairo_path_t* flat = cairo_copy_path_flat(cr);
    cairo_set_tolerance(cr, tolerance);
    std::vector<TFlatFigure> figures;
    for (int i = 0; i < flat->num_data; i += flat->data[i].header.length) {
        const cairo_path_data_t& d = flat->data[i];
        const TGPPointF p = d.header.type == CAIRO_PATH_CLOSE_PATH
                                ? TGPPointF{}
                                : TGPPointF{Single(flat->data[i + 1].point.x), Single(flat->data[i + 1].point.y)};
        switch (d.header.type) {
        case CAIRO_PATH_MOVE_TO:
            figures.emplace_back();
            figures.back().Points.push_back(p);
            break;
        case CAIRO_PATH_LINE_TO:
            if (figures.empty()) figures.emplace_back();
            figures.back().Points.push_back(p);
            break;
        case CAIRO_PATH_CLOSE_PATH:
            if (!figures.empty()) {
                figures.back().Closed = true;
                // Cairo starts a new figure at the same point after a close.
                const TGPPointF start = figures.back().Points.front();
                figures.emplace_back();
                figures.back().Points.push_back(start);
            }
            break;
        default:
            break;
        }
    }
    cairo_path_destroy(flat);
    std::erase_if(figures, [](const TFlatFigure& f) { return f.Points.size() < 2 && !f.Closed; });
    // Drop repeated points.
    for (auto& f : figures) {
        auto last = std::unique(f.Points.begin(), f.Points.end(),
                                [](TGPPointF a, TGPPointF b) { return a.X == b.X && a.Y == b.Y; });
        f.Points.erase(last, f.Points.end());
        if (f.Closed && f.Points.size() > 1 && f.Points.front().X == f.Points.back().X &&
            f.Points.front().Y == f.Points.back().Y)
            f.Points.pop_back();
    }
    return figures;
}

GpPath WidenFigures(const std::vector<TFlatFigure>& figures, const GpPen& pen) {
    GpPath out;
    out.Fill = FillModeWinding;
    const double w = std::max(1e-3, double(pen.Width)), r = w / 2;
    for (const auto& figure : figures) {
        const auto& p = figure.Points;
        if (p.size() == 1) continue;
        const std::size_t segments = figure.Closed ? p.size() : p.size() - 1;
        for (std::size_t i = 0; i < segments; ++i) {
            const TGPPointF a = p[i], b = p[(i + 1) % p.size()];
            const TGPPointF u = Unit(b.X - a.X, b.Y - a.Y);
            const TGPPointF n{Single(-u.Y * r), Single(u.X * r)};
            AddPolygonCcw(out, {{a.X + n.X, a.Y + n.Y}, {b.X + n.X, b.Y + n.Y}, {b.X - n.X, b.Y - n.Y},
                                {a.X - n.X, a.Y - n.Y}});
        }
        // Joins: round ones as discs, the others as the wedge between the
        // two segments' corners.
        for (std::size_t i = 0; i < p.size(); ++i) {
            const bool inner = figure.Closed || (i > 0 && i + 1 < p.size());
            if (!inner) continue;
            if (pen.Join == LineJoinRound) {
                AddPolygonCcw(out, Circle(p[i], r));
                continue;
            }
            const TGPPointF a = p[(i + p.size() - 1) % p.size()], b = p[i], c = p[(i + 1) % p.size()];
            const TGPPointF u1 = Unit(b.X - a.X, b.Y - a.Y), u2 = Unit(c.X - b.X, c.Y - b.Y);
            for (double side : {1.0, -1.0}) {
                const TGPPointF e1{Single(b.X - u1.Y * r * side), Single(b.Y + u1.X * r * side)};
                const TGPPointF e2{Single(b.X - u2.Y * r * side), Single(b.Y + u2.X * r * side)};
                std::vector<TGPPointF> wedge{b, e1, e2};
                if (pen.Join != LineJoinBevel) {
                    const std::vector<TGPPointF> mitre = Offset({a, b, c}, false, r * side);
                    const double reach = std::hypot(mitre[1].X - b.X, mitre[1].Y - b.Y);
                    if (reach <= pen.MiterLimit * r) wedge = {b, e1, mitre[1], e2};
                }
                AddPolygonCcw(out, wedge);
            }
        }
        if (!figure.Closed) {
            const TGPPointF d0 = Unit(p[0].X - p[1].X, p[0].Y - p[1].Y);
            const std::size_t n = p.size();
            const TGPPointF d1 = Unit(p[n - 1].X - p[n - 2].X, p[n - 1].Y - p[n - 2].Y);
            for (auto& polygon : CapShape(pen.StartCap, p[0], d0, w))
                AddPolygonCcw(out, polygon);
            for (auto& polygon : CapShape(pen.EndCap, p[n - 1], d1, w))
                AddPolygonCcw(out, polygon);
        }
    }
    return out;
}

void ApplyPen(cairo_t* cr, const GpPen& pen, TGPPoint origin) {
    if (pen.Brush) {
        cairo_pattern_t* pattern = CreatePattern(*pen.Brush, cr, origin);
        cairo_set_source(cr, pattern);
        cairo_pattern_destroy(pattern);
    } else {
        SetSourceArgb(cr, pen.Color);
    }
    const double width = StrokeWidth(cr, pen);
    cairo_set_line_width(cr, width);
    std::vector<double> dashes = Dashes(pen);
    // Dashes end with the dash cap; lines with their own caps, drawn
    // separately unless Cairo can draw them.
    cairo_set_line_cap(cr, !dashes.empty()       ? CairoCap(pen.DashCapStyle)
                           : CairoDrawsCaps(pen) ? CairoCap(pen.StartCap)
                                                 : CAIRO_LINE_CAP_BUTT);
    cairo_set_line_join(cr, pen.Join == LineJoinBevel   ? CAIRO_LINE_JOIN_BEVEL
                            : pen.Join == LineJoinRound ? CAIRO_LINE_JOIN_ROUND
                                                        : CAIRO_LINE_JOIN_MITER);
    cairo_set_miter_limit(cr, pen.MiterLimit);
    for (double& d : dashes)
        d *= width;
    cairo_set_dash(cr, dashes.data(), int(dashes.size()), pen.DashOffset * width);
}

void StrokeWithPen(cairo_t* cr, const GpPen& pen, TGPPoint origin) {
    cairo_save(cr);
    // The pen's own transform shapes the line, not where it runs: the path
    // is already fixed in device space.
    cairo_transform(cr, &pen.Transform);
    ApplyPen(cr, pen, origin);
    const double width = cairo_get_line_width(cr);
    const bool ownCaps = !CairoDrawsCaps(pen);
    std::vector<TFlatFigure> figures;
    if (ownCaps || pen.Compound.size() >= 2) figures = FlatFigures(cr);
    if (pen.Compound.size() >= 2) {
        cairo_new_path(cr);
        for (std::size_t k = 0; k + 1 < pen.Compound.size(); k += 2) {
            const double s1 = width * (pen.Compound[k] - 0.5), s2 = width * (pen.Compound[k + 1] - 0.5);
            for (const auto& figure : figures) {
                if (figure.Points.size() < 2) continue;
                const auto one = Offset(figure.Points, figure.Closed, s1);
                const auto two = Offset(figure.Points, figure.Closed, s2);
                if (figure.Closed) {
                    for (const auto* ring : {&one, &two}) {
                        for (const auto& p : *ring)
                            cairo_line_to(cr, p.X, p.Y);
                        cairo_close_path(cr);
                    }
                } else {
                    for (const auto& p : one)
                        cairo_line_to(cr, p.X, p.Y);
                    for (auto it = two.rbegin(); it != two.rend(); ++it)
                        cairo_line_to(cr, it->X, it->Y);
                    cairo_close_path(cr);
                }
                cairo_new_sub_path(cr);
            }
        }
        cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
        cairo_fill(cr);
    } else if (pen.Alignment == PenAlignmentInset) {
        // Inside closed figures only: twice the width, clipped to the fill.
        cairo_path_t* path = cairo_copy_path(cr);
        cairo_save(cr);
        cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
        cairo_clip(cr);
        cairo_append_path(cr, path);
        cairo_set_line_width(cr, 2 * width);
        cairo_stroke(cr);
        cairo_restore(cr);
        cairo_path_destroy(path);
    } else {
        cairo_stroke(cr);
    }
    if (ownCaps) DrawEnds(cr, pen, figures, width);
    cairo_restore(cr);
}

} // namespace detail

// ---- TGPPen ----

TGPPen::TGPPen(ARGB color, Single width, Unit_ unit) : nativePen(new GpPen) {
    nativePen->Color = color;
    nativePen->Width = width;
    nativePen->Unit = unit;
    lastResult = Ok;
}

TGPPen::TGPPen(const TGPBrush* brush, Single width, Unit_ unit) {
    if (!brush || !brush->nativeBrush) {
        lastResult = InvalidParameter;
        return;
    }
    nativePen = new GpPen;
    nativePen->Width = width;
    nativePen->Unit = unit;
    if (brush->nativeBrush->Type == BrushTypeSolidColor)
        nativePen->Color = brush->nativeBrush->Color;
    else
        nativePen->Brush = std::make_unique<GpBrush>(*brush->nativeBrush);
}

TGPPen::TGPPen(GpPen* native, Status status) : nativePen(native) {
    lastResult = status;
}

TGPPen::~TGPPen() {
    delete nativePen;
}


TGPPen* TGPPen::Clone() {
    // The clone's status is stored unconditionally.
    if (!nativePen) return new TGPPen(nullptr, lastResult = InvalidParameter);
    lastResult = Ok;
    return new TGPPen(new GpPen(*nativePen), Ok);
}

Status TGPPen::SetWidth(Single width) {
    if (!nativePen) return SetStatus(InvalidParameter);
    nativePen->Width = width;
    return Ok;
}

Single TGPPen::GetWidth() {
    if (!nativePen) return SetStatus(InvalidParameter), 0;
    return nativePen->Width;
}

Status TGPPen::SetLineCap(LineCap startCap, LineCap endCap, DashCap dashCap) {
    if (!nativePen) return SetStatus(InvalidParameter);
    nativePen->StartCap = startCap, nativePen->EndCap = endCap, nativePen->DashCapStyle = dashCap;
    return Ok;
}

Status TGPPen::SetStartCap(LineCap startCap) {
    if (!nativePen) return SetStatus(InvalidParameter);
    nativePen->StartCap = startCap;
    return Ok;
}

Status TGPPen::SetEndCap(LineCap endCap) {
    if (!nativePen) return SetStatus(InvalidParameter);
    nativePen->EndCap = endCap;
    return Ok;
}

LineCap TGPPen::GetStartCap() {
    if (!nativePen) return SetStatus(InvalidParameter), LineCapFlat;
    return nativePen->StartCap;
}

LineCap TGPPen::GetEndCap() {
    if (!nativePen) return SetStatus(InvalidParameter), LineCapFlat;
    return nativePen->EndCap;
}

Status TGPPen::SetLineJoin(LineJoin lineJoin) {
    if (!nativePen) return SetStatus(InvalidParameter);
    nativePen->Join = lineJoin;
    return Ok;
}

LineJoin TGPPen::GetLineJoin() {
    if (!nativePen) return SetStatus(InvalidParameter), LineJoinMiter;
    return nativePen->Join;
}

Status TGPPen::SetMiterLimit(Single miterLimit) {
    if (!nativePen) return SetStatus(InvalidParameter);
    nativePen->MiterLimit = std::max(1.0f, miterLimit);
    return Ok;
}

Single TGPPen::GetMiterLimit() {
    if (!nativePen) return SetStatus(InvalidParameter), 0;
    return nativePen->MiterLimit;
}

PenType TGPPen::GetPenType() {
    if (!nativePen) return SetStatus(InvalidParameter), PenTypeSolidColor;
    return nativePen->Brush ? PenType(nativePen->Brush->Type) : PenTypeSolidColor;
}

Status TGPPen::SetColor(ARGB color) {
    if (!nativePen) return SetStatus(InvalidParameter);
    nativePen->Brush.reset();
    nativePen->Color = color;
    return Ok;
}

Status TGPPen::GetColor(ARGB& color) {
    if (GetPenType() != PenTypeSolidColor || !nativePen) return WrongState;
    color = nativePen->Color;
    return Ok;
}

Status TGPPen::SetBrush(const TGPBrush* brush) {
    if (!nativePen || !brush || !brush->nativeBrush) return SetStatus(InvalidParameter);
    if (brush->nativeBrush->Type == BrushTypeSolidColor) {
        nativePen->Brush.reset();
        nativePen->Color = brush->nativeBrush->Color;
    } else {
        nativePen->Brush = std::make_unique<GpBrush>(*brush->nativeBrush);
    }
    return Ok;
}

namespace {

// Lets the pen hand a brush handle to a brush object of the right class.
template <class T>
class TBrushOf : public T {
public:
    explicit TBrushOf(GpBrush* native) : T(native) {}
};

// For the brush classes whose objects are made empty, then given a handle.
template <class T>
class TBrushFilled : public T {
public:
    explicit TBrushFilled(GpBrush* native) { this->nativeBrush = native; }
};

class TAnyBrush : public TGPBrush {
public:
    explicit TAnyBrush(GpBrush* native) : TGPBrush(native, Ok) {}
};

} // namespace

TGPBrush* TGPPen::GetBrush() {
    if (!nativePen) return SetStatus(InvalidParameter), nullptr;
    GpBrush* copy = nativePen->Brush ? new GpBrush(*nativePen->Brush) : new GpBrush;
    if (!nativePen->Brush) copy->Color = nativePen->Color;
    // A path-gradient pen gives a plain brush, as the original classes do.
    switch (copy->Type) {
    case BrushTypeSolidColor:
        return new TBrushOf<TGPSolidBrush>(copy);
    case BrushTypeLinearGradient:
        return new TBrushOf<TGPLinearGradientBrush>(copy);
    case BrushTypeHatchFill:
        return new TBrushFilled<TGPHatchBrush>(copy);
    case BrushTypeTextureFill:
        return new TBrushFilled<TGPTextureBrush>(copy);
    default:
        return new TAnyBrush(copy);
    }
}

Status TGPPen::SetDashStyle(DashStyle dashStyle) {
    if (!nativePen) return SetStatus(InvalidParameter);
    nativePen->Dash = dashStyle;
    return Ok;
}

DashStyle TGPPen::GetDashStyle() {
    if (!nativePen) return SetStatus(InvalidParameter), DashStyleSolid;
    return nativePen->Dash;
}

Status TGPPen::SetDashOffset(Single dashOffset) {
    if (!nativePen) return SetStatus(InvalidParameter);
    nativePen->DashOffset = dashOffset;
    return Ok;
}

Single TGPPen::GetDashOffset() {
    if (!nativePen) return SetStatus(InvalidParameter), 0;
    return nativePen->DashOffset;
}

// Bounds live here because they need the pen's width.
Status TGPGraphicsPath::GetBounds(TGPRectF& bounds, const TGPMatrix* matrix, const TGPPen* pen) {
    if (!nativePath) return SetStatus(InvalidParameter);
    cairo_t* cr = detail::ScratchContext();
    detail::GpPath path = *nativePath;
    detail::AppendPath(cr, path);
    if (matrix && matrix->nativeMatrix) {
        cairo_new_path(cr);
        TGPGraphicsPath copy(FillModeAlternate);
        *copy.nativePath = path;
        copy.Transform(matrix);
        detail::AppendPath(cr, *copy.nativePath);
    }
    double x1, y1, x2, y2;
    cairo_path_extents(cr, &x1, &y1, &x2, &y2);
    cairo_new_path(cr);
    const double grow = pen && pen->nativePen ? pen->nativePen->Width / 2 : 0;
    bounds = {Single(x1 - grow), Single(y1 - grow), Single(x2 - x1 + 2 * grow), Single(y2 - y1 + 2 * grow)};
    return Ok;
}

Status TGPPen::SetDashCap(DashCap dashCap) {
    if (!nativePen) return SetStatus(InvalidParameter);
    nativePen->DashCapStyle = dashCap;
    return Ok;
}

DashCap TGPPen::GetDashCap() {
    if (!nativePen) return SetStatus(InvalidParameter), DashCapFlat;
    return nativePen->DashCapStyle;
}

Status TGPPen::SetDashPattern(const Single* dashArray, Integer count) {
    if (!nativePen || !dashArray || count <= 0) return SetStatus(InvalidParameter);
    for (Integer i = 0; i < count; ++i)
        if (!(dashArray[i] > 0)) return SetStatus(InvalidParameter);
    nativePen->DashPattern.assign(dashArray, dashArray + count);
    nativePen->Dash = DashStyleCustom;
    return Ok;
}

Integer TGPPen::GetDashPatternCount() {
    if (!nativePen) return SetStatus(InvalidParameter), 0;
    switch (nativePen->Dash) {
    case DashStyleCustom:
        return Integer(nativePen->DashPattern.size());
    case DashStyleDash:
    case DashStyleDot:
        return 2;
    case DashStyleDashDot:
        return 4;
    case DashStyleDashDotDot:
        return 6;
    default:
        return 0;
    }
}

Status TGPPen::GetDashPattern(Single* dashArray, Integer count) {
    if (!nativePen || !dashArray || count <= 0) return SetStatus(InvalidParameter);
    static const Single dash[] = {3, 1}, dot[] = {1, 1}, dashDot[] = {3, 1, 1, 1}, dashDotDot[] = {3, 1, 1, 1, 1, 1};
    std::vector<Single> pattern;
    switch (nativePen->Dash) {
    case DashStyleCustom:
        pattern = nativePen->DashPattern;
        break;
    case DashStyleDash:
        pattern.assign(std::begin(dash), std::end(dash));
        break;
    case DashStyleDot:
        pattern.assign(std::begin(dot), std::end(dot));
        break;
    case DashStyleDashDot:
        pattern.assign(std::begin(dashDot), std::end(dashDot));
        break;
    case DashStyleDashDotDot:
        pattern.assign(std::begin(dashDotDot), std::end(dashDotDot));
        break;
    default:
        break;
    }
    if (count < Integer(pattern.size()) || pattern.empty()) return SetStatus(InvalidParameter);
    std::copy(pattern.begin(), pattern.end(), dashArray);
    return Ok;
}

Status TGPPen::SetCompoundArray(const Single* compoundArray, Integer count) {
    if (!nativePen || !compoundArray || count < 2 || count % 2 != 0) return SetStatus(InvalidParameter);
    for (Integer i = 0; i < count; ++i)
        if (compoundArray[i] < 0 || compoundArray[i] > 1 || (i > 0 && compoundArray[i] < compoundArray[i - 1]))
            return SetStatus(InvalidParameter);
    nativePen->Compound.assign(compoundArray, compoundArray + count);
    return Ok;
}

Integer TGPPen::GetCompoundArrayCount() {
    if (!nativePen) return SetStatus(InvalidParameter), 0;
    return Integer(nativePen->Compound.size());
}

Status TGPPen::GetCompoundArray(Single* compoundArray, Integer count) {
    if (count <= 0) return SetStatus(InvalidParameter);
    if (!nativePen || !compoundArray || count < Integer(nativePen->Compound.size()))
        return SetStatus(InvalidParameter);
    std::copy(nativePen->Compound.begin(), nativePen->Compound.end(), compoundArray);
    return Ok;
}

Status TGPPen::SetAlignment(PenAlignment penAlignment) {
    if (!nativePen) return SetStatus(InvalidParameter);
    nativePen->Alignment = penAlignment;
    return Ok;
}

PenAlignment TGPPen::GetAlignment() {
    if (!nativePen) return SetStatus(InvalidParameter), PenAlignmentCenter;
    return nativePen->Alignment;
}

Status TGPPen::SetTransform(const TGPMatrix* matrix) {
    if (!nativePen || !matrix || !matrix->nativeMatrix) return SetStatus(InvalidParameter);
    cairo_matrix_t check = matrix->nativeMatrix->Value;
    if (cairo_matrix_invert(&check) != CAIRO_STATUS_SUCCESS) return SetStatus(InvalidParameter);
    nativePen->Transform = matrix->nativeMatrix->Value;
    return Ok;
}

Status TGPPen::GetTransform(TGPMatrix* matrix) {
    if (!nativePen || !matrix || !matrix->nativeMatrix) return SetStatus(InvalidParameter);
    matrix->nativeMatrix->Value = nativePen->Transform;
    return Ok;
}

Status TGPPen::ResetTransform() {
    if (!nativePen) return SetStatus(InvalidParameter);
    cairo_matrix_init_identity(&nativePen->Transform);
    return Ok;
}

Status TGPPen::MultiplyTransform(const TGPMatrix* matrix, MatrixOrder order) {
    if (!nativePen || !matrix || !matrix->nativeMatrix) return SetStatus(InvalidParameter);
    detail::Combine(nativePen->Transform, matrix->nativeMatrix->Value, order);
    return Ok;
}

Status TGPPen::TranslateTransform(Single dx, Single dy, MatrixOrder order) {
    if (!nativePen) return SetStatus(InvalidParameter);
    cairo_matrix_t m;
    cairo_matrix_init_translate(&m, dx, dy);
    detail::Combine(nativePen->Transform, m, order);
    return Ok;
}

Status TGPPen::ScaleTransform(Single sx, Single sy, MatrixOrder order) {
    if (!nativePen || sx == 0 || sy == 0) return SetStatus(InvalidParameter);
    cairo_matrix_t m;
    cairo_matrix_init_scale(&m, sx, sy);
    detail::Combine(nativePen->Transform, m, order);
    return Ok;
}

Status TGPPen::RotateTransform(Single angle, MatrixOrder order) {
    if (!nativePen) return SetStatus(InvalidParameter);
    cairo_matrix_t m;
    cairo_matrix_init_rotate(&m, angle * std::numbers::pi / 180.0);
    detail::Combine(nativePen->Transform, m, order);
    return Ok;
}

Status TGPPen::SetCustomStartCap(const TGPCustomLineCap* customCap) {
    if (!nativePen) return SetStatus(InvalidParameter);
    if (customCap && customCap->nativeCap)
        nativePen->CustomStart = std::make_shared<detail::GpCustomLineCap>(*customCap->nativeCap);
    else
        nativePen->CustomStart.reset();
    return Ok;
}

Status TGPPen::SetCustomEndCap(const TGPCustomLineCap* customCap) {
    if (!nativePen) return SetStatus(InvalidParameter);
    if (customCap && customCap->nativeCap)
        nativePen->CustomEnd = std::make_shared<detail::GpCustomLineCap>(*customCap->nativeCap);
    else
        nativePen->CustomEnd.reset();
    return Ok;
}

Status TGPPen::GetCustomStartCap(TGPCustomLineCap* customCap) {
    if (!customCap) return SetStatus(InvalidParameter);
    if (!nativePen) return SetStatus(InvalidParameter);
    delete customCap->nativeCap;
    customCap->nativeCap = nativePen->CustomStart ? new detail::GpCustomLineCap(*nativePen->CustomStart) : nullptr;
    return Ok;
}

Status TGPPen::GetCustomEndCap(TGPCustomLineCap* customCap) {
    if (!customCap) return SetStatus(InvalidParameter);
    if (!nativePen) return SetStatus(InvalidParameter);
    delete customCap->nativeCap;
    customCap->nativeCap = nativePen->CustomEnd ? new detail::GpCustomLineCap(*nativePen->CustomEnd) : nullptr;
    return Ok;
}

// ---- TGPCustomLineCap ----

using detail::GpCustomLineCap;

void detail::GpCustomLineCap::MakeArrow() {
    // The tip sits on the line's end; the base lies `height` widths back.
    const Single h = ArrowHeight, w = ArrowWidth / 2;
    GpPath shape;
    shape.Points = {{-w, -h}, {0, 0}, {w, -h}};
    shape.Types = {PathPointTypeStart, PathPointTypeLine, PathPointTypeLine};
    if (ArrowFilled) {
        shape.Points.push_back({0, -h + MiddleInset});
        shape.Types.push_back(Byte(PathPointTypeLine | PathPointTypeCloseSubpath));
        Fill = shape;
        HasFill = true;
        HasStroke = false;
    } else {
        Stroke = shape;
        HasStroke = true;
        HasFill = false;
    }
}

TGPCustomLineCap::TGPCustomLineCap() = default;

TGPCustomLineCap::TGPCustomLineCap(const TGPGraphicsPath* fillPath, const TGPGraphicsPath* strokePath,
                                   LineCap baseCap, Single baseInset) {
    const bool hasFill = fillPath && fillPath->nativePath, hasStroke = strokePath && strokePath->nativePath;
    if (!hasFill && !hasStroke) {
        lastResult = InvalidParameter;
        return;
    }
    nativeCap = new GpCustomLineCap;
    if (hasFill) nativeCap->Fill = *fillPath->nativePath, nativeCap->HasFill = true;
    if (hasStroke) nativeCap->Stroke = *strokePath->nativePath, nativeCap->HasStroke = true;
    nativeCap->BaseCap = baseCap;
    nativeCap->BaseInset = baseInset;
    lastResult = Ok;
}

TGPCustomLineCap::TGPCustomLineCap(GpCustomLineCap* native, Status status) : nativeCap(native) {
    lastResult = status;
}

TGPCustomLineCap::~TGPCustomLineCap() {
    delete nativeCap;
}

TGPCustomLineCap* TGPCustomLineCap::Clone() {
    if (!nativeCap) SetStatus(InvalidParameter);
    // An earlier failure still recorded here makes the clone fail too.
    if (lastResult != Ok) return nullptr;
    return new TGPCustomLineCap(new GpCustomLineCap(*nativeCap), lastResult);
}

Status TGPCustomLineCap::SetStrokeCap(LineCap strokeCap) {
    return SetStrokeCaps(strokeCap, strokeCap);
}

Status TGPCustomLineCap::SetStrokeCaps(LineCap startCap, LineCap endCap) {
    if (!nativeCap) return SetStatus(InvalidParameter);
    nativeCap->StrokeStartCap = startCap, nativeCap->StrokeEndCap = endCap;
    return Ok;
}

Status TGPCustomLineCap::GetStrokeCaps(LineCap& startCap, LineCap& endCap) {
    startCap = LineCapFlat, endCap = LineCapFlat;
    if (!nativeCap) return SetStatus(InvalidParameter);
    startCap = nativeCap->StrokeStartCap, endCap = nativeCap->StrokeEndCap;
    return Ok;
}

#define GP_CAP_ACCESSORS(Type, Name, Field, Zero)                                                            \
    Status TGPCustomLineCap::Set##Name(Type value) {                                                         \
        if (!nativeCap) return SetStatus(InvalidParameter);                                                  \
        nativeCap->Field = value;                                                                            \
        return Ok;                                                                                           \
    }                                                                                                        \
    Type TGPCustomLineCap::Get##Name() {                                                                     \
        if (!nativeCap) return SetStatus(InvalidParameter), Zero;                                            \
        return nativeCap->Field;                                                                             \
    }

GP_CAP_ACCESSORS(LineJoin, StrokeJoin, StrokeJoin, LineJoinMiter)
GP_CAP_ACCESSORS(LineCap, BaseCap, BaseCap, LineCapFlat)
GP_CAP_ACCESSORS(Single, BaseInset, BaseInset, 0)
GP_CAP_ACCESSORS(Single, WidthScale, WidthScale, 0)
#undef GP_CAP_ACCESSORS

TGPAdjustableArrowCap::TGPAdjustableArrowCap(Single height, Single width, bool isFilled) {
    nativeCap = new GpCustomLineCap;
    nativeCap->Type = CustomLineCapTypeAdjustableArrow;
    nativeCap->ArrowHeight = height, nativeCap->ArrowWidth = width, nativeCap->ArrowFilled = isFilled;
    nativeCap->BaseCap = LineCapTriangle;
    nativeCap->MakeArrow();
    lastResult = Ok;
}

#define GP_ARROW_ACCESSORS(Type, Set, Get, Field)                                                            \
    Status TGPAdjustableArrowCap::Set(Type value) {                                                          \
        if (!nativeCap) return SetStatus(InvalidParameter);                                                  \
        nativeCap->Field = value;                                                                            \
        nativeCap->MakeArrow();                                                                              \
        return Ok;                                                                                           \
    }                                                                                                        \
    Type TGPAdjustableArrowCap::Get() {                                                                      \
        if (!nativeCap) return SetStatus(InvalidParameter), Type{};                                          \
        return nativeCap->Field;                                                                             \
    }

GP_ARROW_ACCESSORS(Single, SetHeight, GetHeight, ArrowHeight)
GP_ARROW_ACCESSORS(Single, SetWidth, GetWidth, ArrowWidth)
GP_ARROW_ACCESSORS(Single, SetMiddleInset, GetMiddleInset, MiddleInset)
GP_ARROW_ACCESSORS(bool, SetFillState, IsFilled, ArrowFilled)
#undef GP_ARROW_ACCESSORS

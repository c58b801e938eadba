#include "graphics/GdiPlusBrush.h"

#include "GdiPlusNative.h"

#include <algorithm>
#include <cmath>
#include <numbers>

using detail::GpBrush;
using detail::GpPen;

namespace detail {

namespace {

} // namespace

cairo_extend_t Extend(WrapMode mode) {
    switch (mode) {
    case WrapModeTile:
        return CAIRO_EXTEND_REPEAT;
    case WrapModeClamp:
        return CAIRO_EXTEND_PAD;
    default:
        return CAIRO_EXTEND_REFLECT;
    }
}

namespace {

// The stops of a gradient: the preset colours, or the two given colours.
std::vector<std::pair<double, ARGB>> Stops(const GpBrush& brush, ARGB from, ARGB to) {
    std::vector<std::pair<double, ARGB>> stops;
    if (brush.PresetColors.empty()) return {{0.0, from}, {1.0, to}};
    for (std::size_t i = 0; i < brush.PresetColors.size(); ++i)
        stops.emplace_back(brush.PresetPositions[i], brush.PresetColors[i]);
    return stops;
}

cairo_pattern_t* LinearPattern(const GpBrush& brush) {
    cairo_pattern_t* pattern = cairo_pattern_create_linear(0, 0, 1, 0);
    for (auto [offset, color] : Stops(brush, brush.Colors[0], brush.Colors[1]))
        AddColorStop(pattern, offset, color);
    cairo_pattern_set_extend(pattern, Extend(brush.Wrap));
    cairo_matrix_t userToBrush = brush.Transform;
    if (cairo_matrix_invert(&userToBrush) != CAIRO_STATUS_SUCCESS) cairo_matrix_init_identity(&userToBrush);
    const cairo_matrix_t userToGradient = Then(userToBrush, brush.ToGradient);
    cairo_pattern_set_matrix(pattern, &userToGradient);
    return pattern;
}

// A mesh of one patch per boundary edge and colour ring: rings run from the
// boundary (position 0) to the centre (position 1).
cairo_pattern_t* PathGradientPattern(const GpBrush& brush) {
    cairo_pattern_t* pattern = cairo_pattern_create_mesh();
    // Preset positions run from the boundary; without them the surround
    // colours meet the centre colour.
    const bool preset = !brush.PresetColors.empty();
    const auto stops = Stops(brush, 0, brush.CenterColor);
    const TGPPointF c = brush.Center;
    auto scaled = [&](TGPPointF p, double s) {
        return TGPPointF{Single(c.X + (p.X - c.X) * s), Single(c.Y + (p.Y - c.Y) * s)};
    };
    auto setCorner = [&](int corner, ARGB color) {
        cairo_mesh_pattern_set_corner_color_rgba(pattern, corner, ARGBRed(color) / 255.0,
                                                 ARGBGreen(color) / 255.0, ARGBBlue(color) / 255.0,
                                                 ARGBAlpha(color) / 255.0);
    };
    for (const auto& figure : brush.Boundary) {
        const std::size_t n = figure.size();
        if (n < 2) continue;
        auto surround = [&](std::size_t i) {
            return brush.SurroundColors[std::min(i, brush.SurroundColors.size() - 1)];
        };
        for (std::size_t i = 0; i < n; ++i) {
            const std::size_t j = (i + 1) % n;
            for (std::size_t k = 0; k + 1 < stops.size(); ++k) {
                const double outer = 1 - stops[k].first, inner = 1 - stops[k + 1].first;
                const TGPPointF a = scaled(figure[i], outer), b = scaled(figure[j], outer),
                                d = scaled(figure[i], inner), e = scaled(figure[j], inner);
                cairo_mesh_pattern_begin_patch(pattern);
                cairo_mesh_pattern_move_to(pattern, a.X, a.Y);
                cairo_mesh_pattern_line_to(pattern, b.X, b.Y);
                cairo_mesh_pattern_line_to(pattern, e.X, e.Y);
                cairo_mesh_pattern_line_to(pattern, d.X, d.Y);
                setCorner(0, preset ? stops[k].second : surround(i));
                setCorner(1, preset ? stops[k].second : surround(j));
                setCorner(2, stops[k + 1].second);
                setCorner(3, stops[k + 1].second);
                cairo_mesh_pattern_end_patch(pattern);
            }
        }
    }
    cairo_matrix_t userToBrush = brush.Transform;
    if (cairo_matrix_invert(&userToBrush) == CAIRO_STATUS_SUCCESS)
        cairo_pattern_set_matrix(pattern, &userToBrush);
    return pattern;
}

} // namespace

cairo_pattern_t* CreatePattern(const GpBrush& brush, cairo_t* cr, TGPPoint origin) {
    switch (brush.Type) {
    case BrushTypeLinearGradient:
        return LinearPattern(brush);
    case BrushTypePathGradient:
        return PathGradientPattern(brush);
    case BrushTypeHatchFill:
        return HatchPattern(brush, cr, origin);
    case BrushTypeTextureFill:
        return TexturePattern(brush);
    default:
        return cairo_pattern_create_rgba(ARGBRed(brush.Color) / 255.0, ARGBGreen(brush.Color) / 255.0,
                                         ARGBBlue(brush.Color) / 255.0, ARGBAlpha(brush.Color) / 255.0);
    }
}

} // namespace detail

// ---- TGPBrush ----

TGPBrush::TGPBrush() {
    lastResult = NotImplemented;
}
TGPBrush::TGPBrush(GpBrush* native, Status status) : nativeBrush(native) {
    lastResult = status;
}
TGPBrush::TGPBrush(GpBrush* native) : nativeBrush(native) {}
TGPBrush::~TGPBrush() {
    delete nativeBrush;
}

TGPBrush* TGPBrush::Clone() {
    if (!nativeBrush) {
        SetStatus(InvalidParameter);
        return new TGPBrush(nullptr, lastResult);
    }
    return new TGPBrush(new GpBrush(*nativeBrush), lastResult);
}

BrushType TGPBrush::GetType() {
    if (!nativeBrush) return SetStatus(InvalidParameter), BrushType(-1);
    return nativeBrush->Type;
}

// ---- TGPSolidBrush ----

TGPSolidBrush::TGPSolidBrush(ARGB color) : TGPBrush(new GpBrush, Ok) {
    nativeBrush->Color = color;
}

Status TGPSolidBrush::GetColor(ARGB& color) {
    if (!nativeBrush) return SetStatus(InvalidParameter);
    color = nativeBrush->Color;
    return Ok;
}

Status TGPSolidBrush::SetColor(ARGB color) {
    if (!nativeBrush) return SetStatus(InvalidParameter);
    nativeBrush->Color = color;
    return Ok;
}

// ---- TGPLinearGradientBrush ----

namespace {

GpBrush* NewLinear(const TGPRectF& rect, ARGB color1, ARGB color2, const cairo_matrix_t& toGradient) {
    auto* brush = new GpBrush;
    brush->Type = BrushTypeLinearGradient;
    brush->Colors[0] = color1, brush->Colors[1] = color2;
    brush->Rect = rect;
    brush->ToGradient = toGradient;
    return brush;
}

// Gradient coordinate x = projection on p1->p2, 0 at p1 and 1 at p2.
bool AxisMatrix(double x1, double y1, double x2, double y2, cairo_matrix_t& m) {
    const double dx = x2 - x1, dy = y2 - y1, length2 = dx * dx + dy * dy;
    if (length2 == 0) return false;
    cairo_matrix_init(&m, dx / length2, -dy, dy / length2, dx, -(dx * x1 + dy * y1) / length2, 0);
    return true;
}

} // namespace

TGPLinearGradientBrush::TGPLinearGradientBrush(const TGPPointF& p1, const TGPPointF& p2, ARGB color1,
                                               ARGB color2) {
    cairo_matrix_t m;
    if (!AxisMatrix(p1.X, p1.Y, p2.X, p2.Y, m)) {
        lastResult = OutOfMemory; // what GDI+ answers for two equal points
        return;
    }
    const TGPRectF rect{std::min(p1.X, p2.X), std::min(p1.Y, p2.Y), std::fabs(p2.X - p1.X),
                        std::fabs(p2.Y - p1.Y)};
    nativeBrush = NewLinear(rect, color1, color2, m);
}

TGPLinearGradientBrush::TGPLinearGradientBrush(const TGPRectF& r, ARGB color1, ARGB color2,
                                               LinearGradientMode mode) {
    if (r.Width <= 0 || r.Height <= 0) {
        lastResult = OutOfMemory; // GDI+ refuses an empty rectangle this way
        return;
    }
    cairo_matrix_t m;
    const double w2 = 2.0 * r.Width, h2 = 2.0 * r.Height;
    switch (mode) {
    case LinearGradientModeVertical:
        AxisMatrix(r.X, r.Y, r.X, r.Y + r.Height, m);
        break;
    case LinearGradientModeForwardDiagonal:
        // Half the sum of the relative x and y: 0 top left, 1 bottom right.
        cairo_matrix_init(&m, 1 / w2, 0, 1 / h2, 1, -r.X / w2 - r.Y / h2, 0);
        break;
    case LinearGradientModeBackwardDiagonal:
        // 0 top right, 1 bottom left.
        cairo_matrix_init(&m, -1 / w2, 0, 1 / h2, 1, 0.5 + r.X / w2 - r.Y / h2, 0);
        break;
    default:
        AxisMatrix(r.X, r.Y, r.X + r.Width, r.Y, m);
        break;
    }
    nativeBrush = NewLinear(r, color1, color2, m);
}

TGPLinearGradientBrush::TGPLinearGradientBrush(const TGPRect& r, ARGB color1, ARGB color2,
                                               LinearGradientMode mode)
    : TGPLinearGradientBrush(TGPRectF{Single(r.X), Single(r.Y), Single(r.Width), Single(r.Height)}, color1,
                             color2, mode) {}

TGPLinearGradientBrush::TGPLinearGradientBrush(const TGPRectF& r, ARGB color1, ARGB color2, Single angle,
                                               bool) {
    if (r.Width <= 0 || r.Height <= 0) {
        lastResult = OutOfMemory;
        return;
    }
    // The axis at the angle; the rectangle's corners project onto 0 and 1.
    const double a = angle * std::numbers::pi / 180.0, c = std::cos(a), s = std::sin(a);
    double low = 1e300, high = -1e300;
    for (double x : {double(r.X), double(r.X) + r.Width})
        for (double y : {double(r.Y), double(r.Y) + r.Height}) {
            low = std::min(low, x * c + y * s);
            high = std::max(high, x * c + y * s);
        }
    cairo_matrix_t m;
    AxisMatrix(c * low, s * low, c * high, s * high, m);
    nativeBrush = NewLinear(r, color1, color2, m);
}

Status TGPLinearGradientBrush::SetLinearColors(ARGB color1, ARGB color2) {
    if (!nativeBrush) return SetStatus(InvalidParameter);
    nativeBrush->Colors[0] = color1, nativeBrush->Colors[1] = color2;
    return Ok;
}

Status TGPLinearGradientBrush::GetLinearColors(ARGB* colors) {
    if (!nativeBrush || !colors) return SetStatus(InvalidParameter);
    colors[0] = nativeBrush->Colors[0], colors[1] = nativeBrush->Colors[1];
    return Ok;
}

Status TGPLinearGradientBrush::GetRectangle(TGPRectF& rect) {
    if (!nativeBrush) return SetStatus(InvalidParameter);
    rect = nativeBrush->Rect;
    return Ok;
}

Status TGPLinearGradientBrush::SetGammaCorrection(bool) {
    // Colours blend linearly in sRGB either way.
    return nativeBrush ? Ok : SetStatus(InvalidParameter);
}

namespace {

Status SetPreset(GpBrush* brush, const ARGB* colors, const Single* positions, Integer count) {
    if (!brush || !colors || !positions || count < 2) return InvalidParameter;
    brush->PresetColors.assign(colors, colors + count);
    brush->PresetPositions.assign(positions, positions + count);
    return Ok;
}

} // namespace

Status TGPLinearGradientBrush::SetInterpolationColors(const ARGB* presetColors, const Single* blendPositions,
                                                      Integer count) {
    if (count <= 0) return SetStatus(InvalidParameter);
    return SetStatus(SetPreset(nativeBrush, presetColors, blendPositions, count));
}

Status TGPLinearGradientBrush::SetTransform(const TGPMatrix* matrix) {
    if (!nativeBrush || !matrix || !matrix->nativeMatrix) return SetStatus(InvalidParameter);
    nativeBrush->Transform = matrix->nativeMatrix->Value;
    return Ok;
}

Status TGPLinearGradientBrush::GetTransform(TGPMatrix* matrix) {
    if (!nativeBrush || !matrix || !matrix->nativeMatrix) return SetStatus(InvalidParameter);
    matrix->nativeMatrix->Value = nativeBrush->Transform;
    return Ok;
}

Status TGPLinearGradientBrush::SetWrapMode(WrapMode wrapMode) {
    if (!nativeBrush) return SetStatus(InvalidParameter);
    nativeBrush->Wrap = wrapMode;
    return Ok;
}

WrapMode TGPLinearGradientBrush::GetWrapMode() {
    if (!nativeBrush) return SetStatus(InvalidParameter), WrapModeTile;
    return nativeBrush->Wrap;
}

// ---- TGPPathGradientBrush ----

namespace {

GpBrush* NewPathGradient(const detail::GpPath& path) {
    auto* brush = new GpBrush;
    brush->Type = BrushTypePathGradient;
    brush->Wrap = WrapModeClamp;
    brush->Boundary = detail::FlattenedFigures(path);
    brush->BoundaryPoints = path.Points;
    // The centre starts at the centroid of the area the path encloses (of
    // its points, when it encloses none).
    double area = 0, cx = 0, cy = 0;
    for (const auto& figure : brush->Boundary)
        for (std::size_t i = 0; i < figure.size(); ++i) {
            const TGPPointF a = figure[i], b = figure[(i + 1) % figure.size()];
            const double cross = double(a.X) * b.Y - double(b.X) * a.Y;
            area += cross;
            cx += (a.X + b.X) * cross;
            cy += (a.Y + b.Y) * cross;
        }
    if (std::fabs(area) > 1e-9) {
        brush->Center = {Single(cx / (3 * area)), Single(cy / (3 * area))};
    } else if (!path.Points.empty()) {
        double x = 0, y = 0;
        for (auto p : path.Points)
            x += p.X, y += p.Y;
        brush->Center = {Single(x / path.Points.size()), Single(y / path.Points.size())};
    }
    return brush;
}

} // namespace

TGPPathGradientBrush::TGPPathGradientBrush(const TGPPointF* points, Integer count, WrapMode wrapMode) {
    if (!points || count < 2) {
        lastResult = OutOfMemory;
        return;
    }
    TGPGraphicsPath path;
    path.AddPolygon(points, count);
    nativeBrush = NewPathGradient(*path.nativePath);
    nativeBrush->Wrap = wrapMode;
}

TGPPathGradientBrush::TGPPathGradientBrush(const TGPGraphicsPath* path) {
    if (!path || !path->nativePath || path->nativePath->Points.empty()) {
        lastResult = path ? OutOfMemory : InvalidParameter;
        return;
    }
    nativeBrush = NewPathGradient(*path->nativePath);
}

Status TGPPathGradientBrush::GetCenterColor(ARGB& color) {
    if (!nativeBrush) return SetStatus(InvalidParameter);
    color = nativeBrush->CenterColor;
    return Ok;
}

Status TGPPathGradientBrush::SetCenterColor(ARGB color) {
    if (!nativeBrush) return SetStatus(InvalidParameter);
    nativeBrush->CenterColor = color;
    return Ok;
}

Integer TGPPathGradientBrush::GetPointCount() {
    if (!nativeBrush) return SetStatus(InvalidParameter), 0;
    return Integer(nativeBrush->BoundaryPoints.size());
}

Integer TGPPathGradientBrush::GetSurroundColorCount() {
    if (!nativeBrush) return SetStatus(InvalidParameter), 0;
    return Integer(nativeBrush->SurroundColors.size());
}

Status TGPPathGradientBrush::GetSurroundColors(ARGB* colors, Integer& count) {
    if (!colors) return SetStatus(InvalidParameter);
    if (!nativeBrush) return SetStatus(InvalidParameter);
    const Integer n = Integer(nativeBrush->SurroundColors.size());
    if (count < n || n < 1) return SetStatus(InsufficientBuffer);
    std::copy(nativeBrush->SurroundColors.begin(), nativeBrush->SurroundColors.end(), colors);
    count = n;
    return Ok;
}

Status TGPPathGradientBrush::SetSurroundColors(const ARGB* colors, Integer& count) {
    const Integer points = GetPointCount();
    if (!colors || points <= 0 || count > points || count <= 0) return SetStatus(InvalidParameter);
    nativeBrush->SurroundColors.assign(colors, colors + count);
    return Ok;
}

Status TGPPathGradientBrush::GetCenterPoint(TGPPointF& point) {
    if (!nativeBrush) return SetStatus(InvalidParameter);
    point = nativeBrush->Center;
    return Ok;
}

Status TGPPathGradientBrush::GetCenterPoint(TGPPoint& point) {
    TGPPointF p;
    const Status s = GetCenterPoint(p);
    if (s == Ok) point = {Integer(std::lround(p.X)), Integer(std::lround(p.Y))};
    return s;
}

Status TGPPathGradientBrush::SetCenterPoint(const TGPPointF& point) {
    if (!nativeBrush) return SetStatus(InvalidParameter);
    nativeBrush->Center = point;
    return Ok;
}

Status TGPPathGradientBrush::SetCenterPoint(const TGPPoint& point) {
    return SetCenterPoint(TGPPointF{Single(point.X), Single(point.Y)});
}

Status TGPPathGradientBrush::SetInterpolationColors(const ARGB* presetColors, const Single* blendPositions,
                                                    Integer count) {
    if (count <= 0 || !presetColors) return SetStatus(InvalidParameter);
    return SetStatus(SetPreset(nativeBrush, presetColors, blendPositions, count));
}

Status TGPPathGradientBrush::SetGammaCorrection(bool) {
    return nativeBrush ? Ok : SetStatus(InvalidParameter);
}

Status TGPPathGradientBrush::SetWrapMode(WrapMode wrapMode) {
    if (!nativeBrush) return SetStatus(InvalidParameter);
    nativeBrush->Wrap = wrapMode;
    return Ok;
}

Status TGPPathGradientBrush::SetTransform(const TGPMatrix* matrix) {
    if (!nativeBrush || !matrix || !matrix->nativeMatrix) return SetStatus(InvalidParameter);
    nativeBrush->Transform = matrix->nativeMatrix->Value;
    return Ok;
}

Status TGPPathGradientBrush::GetTransform(TGPMatrix* matrix) {
    if (!nativeBrush || !matrix || !matrix->nativeMatrix) return SetStatus(InvalidParameter);
    matrix->nativeMatrix->Value = nativeBrush->Transform;
    return Ok;
}


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

// One step of a gradient: at `Position`, either a colour of its own
// (interpolation colours) or `Factor` of the way from the first colour (or
// surround colour) to the second (or centre colour).
struct TStop {
    double Position;
    bool Fixed;
    ARGB Color;
    double Factor;
    // With gamma correction: the span between two stops this ring lies in,
    // and how far along it.
    std::size_t Span = 0;
    double Along = 0;
};

std::vector<TStop> Stops(const GpBrush& brush) {
    std::vector<TStop> stops;
    if (!brush.PresetColors.empty()) {
        for (std::size_t i = 0; i < brush.PresetColors.size(); ++i)
            stops.push_back({brush.PresetPositions[i], true, brush.PresetColors[i], 0});
    } else if (brush.BlendFactors.size() >= 2) {
        for (std::size_t i = 0; i < brush.BlendFactors.size(); ++i)
            stops.push_back({brush.BlendPositions[i], false, 0, brush.BlendFactors[i]});
    } else {
        stops = {{0, false, 0, 0}, {1, false, 0, 1}};
    }
    return stops;
}

double ToLinear(double c) {
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}
double FromLinear(double c) {
    return c <= 0.0031308 ? c * 12.92 : 1.055 * std::pow(c, 1 / 2.4) - 0.055;
}

// `t` of the way from a to b, channel by channel, in sRGB or in linear light.
ARGB Mix(ARGB a, ARGB b, double t, bool gamma) {
    auto channel = [&](int shift) {
        const double x = ((a >> shift) & 0xFF) / 255.0, y = ((b >> shift) & 0xFF) / 255.0;
        double v = x + (y - x) * t;
        if (gamma && shift != 24) v = FromLinear(ToLinear(x) + (ToLinear(y) - ToLinear(x)) * t);
        return ARGB(std::clamp(std::lround(v * 255), 0L, 255L)) << shift;
    };
    return channel(24) | channel(16) | channel(8) | channel(0);
}

ARGB StopColor(const TStop& stop, ARGB from, ARGB to, bool gamma) {
    return stop.Fixed ? stop.Color : Mix(from, to, stop.Factor, gamma);
}

// Cairo blends stops in sRGB; with gamma correction each span between two
// stops is cut into pieces whose ends are blended in linear light.
constexpr int GammaPieces = 16;

cairo_pattern_t* LinearPattern(const GpBrush& brush) {
    cairo_pattern_t* pattern = cairo_pattern_create_linear(0, 0, 1, 0);
    const auto stops = Stops(brush);
    const ARGB from = brush.Colors[0], to = brush.Colors[1];
    const bool gamma = brush.GammaCorrection;
    for (std::size_t k = 0; k < stops.size(); ++k) {
        const ARGB color = StopColor(stops[k], from, to, gamma);
        AddColorStop(pattern, stops[k].Position, color);
        if (gamma && k + 1 < stops.size()) {
            const ARGB next = StopColor(stops[k + 1], from, to, gamma);
            for (int i = 1; i < GammaPieces; ++i) {
                const double t = double(i) / GammaPieces;
                AddColorStop(pattern, stops[k].Position + (stops[k + 1].Position - stops[k].Position) * t,
                             Mix(color, next, t, true));
            }
        }
    }
    cairo_pattern_set_extend(pattern, Extend(brush.Wrap));
    cairo_matrix_t userToBrush = brush.Transform;
    if (cairo_matrix_invert(&userToBrush) != CAIRO_STATUS_SUCCESS) cairo_matrix_init_identity(&userToBrush);
    const cairo_matrix_t userToGradient = Then(userToBrush, brush.ToGradient);
    cairo_pattern_set_matrix(pattern, &userToGradient);
    return pattern;
}

// A mesh of one patch per boundary edge and colour ring: rings run from the
// boundary (position 0) to the focus outline (position 1), which is the
// boundary scaled about the centre by the focus scales; inside it the
// centre's colour holds.
cairo_pattern_t* PathGradientPattern(const GpBrush& brush) {
    cairo_pattern_t* pattern = cairo_pattern_create_mesh();
    auto stops = Stops(brush);
    const bool gamma = brush.GammaCorrection;
    const auto original = stops;
    if (gamma) {
        // Rings in between, their colours blended in linear light below.
        std::vector<TStop> fine;
        for (std::size_t k = 0; k + 1 < original.size(); ++k)
            for (int i = 0; i < GammaPieces; ++i) {
                TStop piece = original[k];
                piece.Span = k;
                piece.Along = double(i) / GammaPieces;
                piece.Position += (original[k + 1].Position - original[k].Position) * piece.Along;
                fine.push_back(piece);
            }
        fine.push_back(original.back());
        fine.back().Span = original.size() - 2;
        fine.back().Along = 1;
        stops.swap(fine);
    }
    const TGPPointF c = brush.Center;
    const double fx = std::clamp<double>(brush.FocusScales.X, 0, 1), fy = std::clamp<double>(brush.FocusScales.Y, 0, 1);
    auto scaled = [&](TGPPointF p, double position) {
        const double sx = 1 - position * (1 - fx), sy = 1 - position * (1 - fy);
        return TGPPointF{Single(c.X + (p.X - c.X) * sx), Single(c.Y + (p.Y - c.Y) * sy)};
    };
    auto setCorner = [&](int corner, ARGB color) {
        cairo_mesh_pattern_set_corner_color_rgba(pattern, corner, ARGBRed(color) / 255.0,
                                                 ARGBGreen(color) / 255.0, ARGBBlue(color) / 255.0,
                                                 ARGBAlpha(color) / 255.0);
    };
    // The colour of a ring at a boundary point of that surround colour.
    auto ringColor = [&](const TStop& ring, ARGB surround) {
        if (!gamma) return StopColor(ring, surround, brush.CenterColor, false);
        const ARGB a = StopColor(original[ring.Span], surround, brush.CenterColor, true);
        const ARGB b = StopColor(original[ring.Span + 1], surround, brush.CenterColor, true);
        return Mix(a, b, ring.Along, true);
    };
    auto patch = [&](TGPPointF a, TGPPointF b, TGPPointF e, TGPPointF d, ARGB ca, ARGB cb, ARGB ce, ARGB cd) {
        cairo_mesh_pattern_begin_patch(pattern);
        cairo_mesh_pattern_move_to(pattern, a.X, a.Y);
        cairo_mesh_pattern_line_to(pattern, b.X, b.Y);
        cairo_mesh_pattern_line_to(pattern, e.X, e.Y);
        cairo_mesh_pattern_line_to(pattern, d.X, d.Y);
        setCorner(0, ca);
        setCorner(1, cb);
        setCorner(2, ce);
        setCorner(3, cd);
        cairo_mesh_pattern_end_patch(pattern);
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
                const double outer = stops[k].Position, inner = stops[k + 1].Position;
                patch(scaled(figure[i], outer), scaled(figure[j], outer), scaled(figure[j], inner),
                      scaled(figure[i], inner), ringColor(stops[k], surround(i)), ringColor(stops[k], surround(j)),
                      ringColor(stops[k + 1], surround(j)), ringColor(stops[k + 1], surround(i)));
            }
            if (fx > 0 || fy > 0) {
                const ARGB ci = ringColor(stops.back(), surround(i)), cj = ringColor(stops.back(), surround(j));
                patch(scaled(figure[i], 1), scaled(figure[j], 1), c, c, ci, cj, cj, ci);
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

TGPSolidBrush::TGPSolidBrush() : TGPBrush(nullptr, Ok) {}

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

TGPLinearGradientBrush::TGPLinearGradientBrush() : TGPBrush(nullptr, Ok) {}

TGPLinearGradientBrush::TGPLinearGradientBrush(const TGPPointF& p1, const TGPPointF& p2, ARGB color1,
                                               ARGB color2)
    : TGPBrush(nullptr, Ok) {
    cairo_matrix_t m;
    if (!AxisMatrix(p1.X, p1.Y, p2.X, p2.Y, m)) {
        lastResult = OutOfMemory; // what GDI+ answers for two equal points
        return;
    }
    const TGPRectF rect{std::min(p1.X, p2.X), std::min(p1.Y, p2.Y), std::fabs(p2.X - p1.X),
                        std::fabs(p2.Y - p1.Y)};
    nativeBrush = NewLinear(rect, color1, color2, m);
}

TGPLinearGradientBrush::TGPLinearGradientBrush(const TGPPoint& p1, const TGPPoint& p2, ARGB color1,
                                               ARGB color2)
    : TGPLinearGradientBrush(TGPPointF{Single(p1.X), Single(p1.Y)}, TGPPointF{Single(p2.X), Single(p2.Y)}, color1,
                             color2) {}

TGPLinearGradientBrush::TGPLinearGradientBrush(const TGPRectF& r, ARGB color1, ARGB color2,
                                               LinearGradientMode mode)
    : TGPBrush(nullptr, Ok) {
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

TGPLinearGradientBrush::TGPLinearGradientBrush(const TGPRect& r, ARGB color1, ARGB color2, Single angle,
                                               bool isAngleScalable)
    : TGPLinearGradientBrush(TGPRectF{Single(r.X), Single(r.Y), Single(r.Width), Single(r.Height)}, color1,
                             color2, angle, isAngleScalable) {}

TGPLinearGradientBrush::TGPLinearGradientBrush(const TGPRectF& r, ARGB color1, ARGB color2, Single angle,
                                               bool)
    : TGPBrush(nullptr, Ok) {
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

Status TGPLinearGradientBrush::GetRectangle(TGPRect& rect) {
    TGPRectF r;
    const Status status = GetRectangle(r);
    if (status == Ok)
        rect = {Integer(std::nearbyint(r.X)), Integer(std::nearbyint(r.Y)), Integer(std::nearbyint(r.Width)),
                Integer(std::nearbyint(r.Height))};
    return status;
}

namespace {

// At least two positions, the first at 0 and the last at 1.
bool PositionsValid(const Single* positions, Integer count) {
    return count >= 2 && positions[0] == 0 && positions[count - 1] == 1;
}

Status SetPreset(GpBrush* brush, const ARGB* colors, const Single* positions, Integer count) {
    if (!brush || !colors || !positions || !PositionsValid(positions, count)) return InvalidParameter;
    brush->PresetColors.assign(colors, colors + count);
    brush->PresetPositions.assign(positions, positions + count);
    brush->BlendFactors = {1};
    brush->BlendPositions = {0};
    return Ok;
}

Status SetBlendOf(GpBrush* brush, const Single* factors, const Single* positions, Integer count) {
    if (!brush || !factors || !positions || !PositionsValid(positions, count)) return InvalidParameter;
    brush->BlendFactors.assign(factors, factors + count);
    brush->BlendPositions.assign(positions, positions + count);
    brush->PresetColors.clear();
    brush->PresetPositions.clear();
    return Ok;
}

Status GetBlendOf(const GpBrush* brush, Single* factors, Single* positions, Integer count) {
    if (!brush || count <= 0 || !factors || !positions) return InvalidParameter;
    const Integer n = Integer(brush->BlendFactors.size());
    if (count < n) return InsufficientBuffer;
    std::copy(brush->BlendFactors.begin(), brush->BlendFactors.end(), factors);
    std::copy(brush->BlendPositions.begin(), brush->BlendPositions.end(), positions);
    return Ok;
}

Status GetPresetOf(const GpBrush* brush, ARGB* colors, Single* positions, Integer count) {
    if (!brush || count <= 0 || !colors) return InvalidParameter;
    const Integer n = Integer(brush->PresetColors.size());
    if (n == 0) return WrongState;
    if (count < n) return InsufficientBuffer;
    std::copy(brush->PresetColors.begin(), brush->PresetColors.end(), colors);
    if (positions) std::copy(brush->PresetPositions.begin(), brush->PresetPositions.end(), positions);
    return Ok;
}

// A triangle: none at the ends, `scale` at the focus.
Status SetTriangle(GpBrush* brush, Single focus, Single scale) {
    if (!brush || !(focus >= 0 && focus <= 1) || !(scale >= 0 && scale <= 1)) return InvalidParameter;
    std::vector<Single> factors, positions;
    if (focus > 0) factors.push_back(0), positions.push_back(0);
    factors.push_back(scale), positions.push_back(focus);
    if (focus < 1) factors.push_back(0), positions.push_back(1);
    return SetBlendOf(brush, factors.data(), positions.data(), Integer(factors.size()));
}

// A bell: the normal distribution's integral rising from the start to
// `scale` at the focus and falling again to the end, sampled finely.
Status SetBell(GpBrush* brush, Single focus, Single scale) {
    if (!brush || !(focus >= 0 && focus <= 1) || !(scale >= 0 && scale <= 1)) return InvalidParameter;
    constexpr int Samples = 32;
    // 0 at t = 0, 1 at t = 1, steepest halfway.
    auto rise = [](double t) {
        const double spread = 2.0, lo = std::erf(-spread), hi = std::erf(spread);
        return (std::erf(spread * (2 * t - 1)) - lo) / (hi - lo);
    };
    std::vector<Single> factors, positions;
    if (focus > 0)
        for (int i = 0; i < Samples; ++i) {
            const double t = double(i) / Samples;
            positions.push_back(Single(focus * t));
            factors.push_back(Single(scale * rise(t)));
        }
    positions.push_back(focus);
    factors.push_back(scale);
    if (focus < 1)
        for (int i = Samples - 1; i >= 0; --i) {
            const double t = double(i) / Samples;
            positions.push_back(Single(1 - (1 - focus) * t));
            factors.push_back(Single(scale * rise(t)));
        }
    positions.front() = 0, positions.back() = 1;
    return SetBlendOf(brush, factors.data(), positions.data(), Integer(factors.size()));
}

Status CombineTransform(GpBrush* brush, const cairo_matrix_t& change, MatrixOrder order) {
    if (!brush) return InvalidParameter;
    detail::Combine(brush->Transform, change, order);
    return Ok;
}

cairo_matrix_t Translation(Single dx, Single dy) {
    cairo_matrix_t m;
    cairo_matrix_init_translate(&m, dx, dy);
    return m;
}
cairo_matrix_t Scaling(Single sx, Single sy) {
    cairo_matrix_t m;
    cairo_matrix_init_scale(&m, sx, sy);
    return m;
}
cairo_matrix_t Rotation(Single angle) {
    cairo_matrix_t m;
    cairo_matrix_init_rotate(&m, angle * std::numbers::pi / 180.0);
    return m;
}

} // namespace

Status TGPLinearGradientBrush::SetGammaCorrection(bool useGammaCorrection) {
    if (!nativeBrush) return SetStatus(InvalidParameter);
    nativeBrush->GammaCorrection = useGammaCorrection;
    return Ok;
}

bool TGPLinearGradientBrush::GetGammaCorrection() {
    if (!nativeBrush) return SetStatus(InvalidParameter), false;
    return nativeBrush->GammaCorrection;
}

Integer TGPLinearGradientBrush::GetBlendCount() {
    if (!nativeBrush) return SetStatus(InvalidParameter), 0;
    return Integer(nativeBrush->BlendFactors.size());
}

Status TGPLinearGradientBrush::SetBlend(const Single* blendFactors, const Single* blendPositions, Integer count) {
    return SetStatus(SetBlendOf(nativeBrush, blendFactors, blendPositions, count));
}

Status TGPLinearGradientBrush::GetBlend(Single* blendFactors, Single* blendPositions, Integer count) {
    return SetStatus(GetBlendOf(nativeBrush, blendFactors, blendPositions, count));
}

Integer TGPLinearGradientBrush::GetInterpolationColorCount() {
    if (!nativeBrush) return SetStatus(InvalidParameter), 0;
    return Integer(nativeBrush->PresetColors.size());
}

Status TGPLinearGradientBrush::GetInterpolationColors(ARGB* presetColors, Single* blendPositions, Integer count) {
    return SetStatus(GetPresetOf(nativeBrush, presetColors, blendPositions, count));
}

Status TGPLinearGradientBrush::SetBlendBellShape(Single focus, Single scale) {
    return SetStatus(SetBell(nativeBrush, focus, scale));
}

Status TGPLinearGradientBrush::SetBlendTriangularShape(Single focus, Single scale) {
    return SetStatus(SetTriangle(nativeBrush, focus, scale));
}

Status TGPLinearGradientBrush::ResetTransform() {
    if (!nativeBrush) return SetStatus(InvalidParameter);
    cairo_matrix_init_identity(&nativeBrush->Transform);
    return Ok;
}

Status TGPLinearGradientBrush::MultiplyTransform(const TGPMatrix* matrix, MatrixOrder order) {
    if (!matrix || !matrix->nativeMatrix) return SetStatus(InvalidParameter);
    return SetStatus(CombineTransform(nativeBrush, matrix->nativeMatrix->Value, order));
}

Status TGPLinearGradientBrush::TranslateTransform(Single dx, Single dy, MatrixOrder order) {
    return SetStatus(CombineTransform(nativeBrush, Translation(dx, dy), order));
}

Status TGPLinearGradientBrush::ScaleTransform(Single sx, Single sy, MatrixOrder order) {
    return SetStatus(CombineTransform(nativeBrush, Scaling(sx, sy), order));
}

Status TGPLinearGradientBrush::RotateTransform(Single angle, MatrixOrder order) {
    return SetStatus(CombineTransform(nativeBrush, Rotation(angle), order));
}

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

// The boundary and the centre (at the centroid) of a path gradient.
void SetBoundary(GpBrush* brush, const detail::GpPath& path) {
    brush->BoundaryPath = path;
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
}

GpBrush* NewPathGradient(const detail::GpPath& path) {
    auto* brush = new GpBrush;
    brush->Type = BrushTypePathGradient;
    brush->Wrap = WrapModeClamp;
    SetBoundary(brush, path);
    return brush;
}

} // namespace

TGPPathGradientBrush::TGPPathGradientBrush() : TGPBrush(nullptr, Ok) {}

TGPPathGradientBrush::TGPPathGradientBrush(const TGPPoint* points, Integer count, WrapMode wrapMode)
    : TGPBrush(nullptr, Ok) {
    if (!points || count < 2) {
        lastResult = OutOfMemory;
        return;
    }
    std::vector<TGPPointF> floats;
    for (Integer i = 0; i < count; ++i)
        floats.push_back({Single(points[i].X), Single(points[i].Y)});
    TGPGraphicsPath path;
    path.AddPolygon(floats.data(), count);
    nativeBrush = NewPathGradient(*path.nativePath);
    nativeBrush->Wrap = wrapMode;
}

TGPPathGradientBrush::TGPPathGradientBrush(const TGPPointF* points, Integer count, WrapMode wrapMode)
    : TGPBrush(nullptr, Ok) {
    if (!points || count < 2) {
        lastResult = OutOfMemory;
        return;
    }
    TGPGraphicsPath path;
    path.AddPolygon(points, count);
    nativeBrush = NewPathGradient(*path.nativePath);
    nativeBrush->Wrap = wrapMode;
}

TGPPathGradientBrush::TGPPathGradientBrush(const TGPGraphicsPath* path) : TGPBrush(nullptr, Ok) {
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

Status TGPPathGradientBrush::GetGraphicsPath(TGPGraphicsPath* path) {
    if (!nativeBrush || !path || !path->nativePath) return SetStatus(InvalidParameter);
    *path->nativePath = nativeBrush->BoundaryPath;
    return Ok;
}

Status TGPPathGradientBrush::SetGraphicsPath(const TGPGraphicsPath* path) {
    if (!nativeBrush || !path || !path->nativePath || path->nativePath->Points.size() < 2)
        return SetStatus(InvalidParameter);
    SetBoundary(nativeBrush, *path->nativePath);
    auto& surround = nativeBrush->SurroundColors;
    if (surround.size() > nativeBrush->BoundaryPoints.size()) surround.resize(nativeBrush->BoundaryPoints.size());
    return Ok;
}

Status TGPPathGradientBrush::GetRectangle(TGPRectF& rect) {
    if (!nativeBrush || nativeBrush->BoundaryPoints.empty()) return SetStatus(InvalidParameter);
    Single left = nativeBrush->BoundaryPoints[0].X, top = nativeBrush->BoundaryPoints[0].Y;
    Single right = left, bottom = top;
    for (auto p : nativeBrush->BoundaryPoints) {
        left = std::min(left, p.X), right = std::max(right, p.X);
        top = std::min(top, p.Y), bottom = std::max(bottom, p.Y);
    }
    rect = {left, top, right - left, bottom - top};
    return Ok;
}

Status TGPPathGradientBrush::GetRectangle(TGPRect& rect) {
    TGPRectF r;
    const Status status = GetRectangle(r);
    if (status == Ok)
        rect = {Integer(std::nearbyint(r.X)), Integer(std::nearbyint(r.Y)), Integer(std::nearbyint(r.Width)),
                Integer(std::nearbyint(r.Height))};
    return status;
}

Status TGPPathGradientBrush::SetGammaCorrection(bool useGammaCorrection) {
    if (!nativeBrush) return SetStatus(InvalidParameter);
    nativeBrush->GammaCorrection = useGammaCorrection;
    return Ok;
}

bool TGPPathGradientBrush::GetGammaCorrection() {
    if (!nativeBrush) return SetStatus(InvalidParameter), false;
    return nativeBrush->GammaCorrection;
}

Integer TGPPathGradientBrush::GetBlendCount() {
    if (!nativeBrush) return SetStatus(InvalidParameter), 0;
    return Integer(nativeBrush->BlendFactors.size());
}

Status TGPPathGradientBrush::SetBlend(const Single* blendFactors, const Single* blendPositions, Integer count) {
    return SetStatus(SetBlendOf(nativeBrush, blendFactors, blendPositions, count));
}

Status TGPPathGradientBrush::GetBlend(Single* blendFactors, Single* blendPositions, Integer count) {
    return SetStatus(GetBlendOf(nativeBrush, blendFactors, blendPositions, count));
}

Integer TGPPathGradientBrush::GetInterpolationColorCount() {
    if (!nativeBrush) return SetStatus(InvalidParameter), 0;
    return Integer(nativeBrush->PresetColors.size());
}

Status TGPPathGradientBrush::GetInterpolationColors(ARGB* presetColors, Single* blendPositions, Integer count) {
    return SetStatus(GetPresetOf(nativeBrush, presetColors, blendPositions, count));
}

Status TGPPathGradientBrush::SetBlendBellShape(Single focus, Single scale) {
    return SetStatus(SetBell(nativeBrush, focus, scale));
}

Status TGPPathGradientBrush::SetBlendTriangularShape(Single focus, Single scale) {
    return SetStatus(SetTriangle(nativeBrush, focus, scale));
}

Status TGPPathGradientBrush::ResetTransform() {
    if (!nativeBrush) return SetStatus(InvalidParameter);
    cairo_matrix_init_identity(&nativeBrush->Transform);
    return Ok;
}

Status TGPPathGradientBrush::MultiplyTransform(const TGPMatrix* matrix, MatrixOrder order) {
    if (!matrix || !matrix->nativeMatrix) return SetStatus(InvalidParameter);
    return SetStatus(CombineTransform(nativeBrush, matrix->nativeMatrix->Value, order));
}

Status TGPPathGradientBrush::TranslateTransform(Single dx, Single dy, MatrixOrder order) {
    return SetStatus(CombineTransform(nativeBrush, Translation(dx, dy), order));
}

Status TGPPathGradientBrush::ScaleTransform(Single sx, Single sy, MatrixOrder order) {
    return SetStatus(CombineTransform(nativeBrush, Scaling(sx, sy), order));
}

Status TGPPathGradientBrush::RotateTransform(Single angle, MatrixOrder order) {
    return SetStatus(CombineTransform(nativeBrush, Rotation(angle), order));
}

Status TGPPathGradientBrush::GetFocusScales(Single& xScale, Single& yScale) {
    if (!nativeBrush) return SetStatus(InvalidParameter);
    xScale = nativeBrush->FocusScales.X, yScale = nativeBrush->FocusScales.Y;
    return Ok;
}

Status TGPPathGradientBrush::SetFocusScales(Single xScale, Single yScale) {
    if (!nativeBrush) return SetStatus(InvalidParameter);
    nativeBrush->FocusScales = {xScale, yScale};
    return Ok;
}

WrapMode TGPPathGradientBrush::GetWrapMode() {
    if (!nativeBrush) return SetStatus(InvalidParameter), WrapModeClamp;
    return nativeBrush->Wrap;
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


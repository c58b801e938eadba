#pragma once
// The objects behind the GDI+-style wrapper handles, and the helpers that
// turn them into Cairo paths and patterns.

#include "graphics/DeviceContext.h"
#include "graphics/GdiPlusGeometry.h"

#include <cairo.h>
#include <memory>
#include <vector>

namespace detail {

struct GpMatrix {
    cairo_matrix_t Value;
};

struct GpPath {
    std::vector<TGPPointF> Points;
    std::vector<Byte> Types;
    FillMode Fill = FillModeAlternate;
    bool NewFigure = true;
};

// Appends the path to the context's current path.
void AppendPath(cairo_t* cr, const GpPath& path);
cairo_fill_rule_t FillRule(FillMode mode);
// The figures of a path as polygons, curves flattened.
std::vector<std::vector<TGPPointF>> FlattenedFigures(const GpPath& path);

// GDI+ matrices (row vectors) equal Cairo's: xx=m11, yx=m12, xy=m21, yy=m22.
cairo_matrix_t ToCairo(Single m11, Single m12, Single m21, Single m22, Single dx, Single dy);
// a then b.
cairo_matrix_t Then(const cairo_matrix_t& a, const cairo_matrix_t& b);
// Combines `change` into `target` in the given order.
void Combine(cairo_matrix_t& target, const cairo_matrix_t& change, MatrixOrder order);

// An ARGB colour as the current source.
void SetSourceArgb(cairo_t* cr, ARGB color);
void AddColorStop(cairo_pattern_t* pattern, double offset, ARGB color);

// A scratch context for measuring paths.
cairo_t* ScratchContext();

} // namespace detail

namespace detail {

struct GpBrush {
    BrushType Type = BrushTypeSolidColor;
    ARGB Color = 0xFF000000; // solid
    // Linear gradient: the start and end colours, and the map from brush
    // space to gradient space, where the colour depends on x only (0 at the
    // start, 1 at the end).
    ARGB Colors[2] = {0, 0};
    TGPRectF Rect;
    cairo_matrix_t ToGradient;
    // Path gradient: boundary figures, centre and colours.
    std::vector<std::vector<TGPPointF>> Boundary;
    std::vector<TGPPointF> BoundaryPoints; // the path's points, for counts
    TGPPointF Center;
    ARGB CenterColor = 0xFFFFFFFF;
    std::vector<ARGB> SurroundColors{0xFFFFFFFF};
    // Both gradients: preset colours (empty: the two colours, or centre and
    // surround) with positions 0..1.
    std::vector<ARGB> PresetColors;
    std::vector<Single> PresetPositions;
    WrapMode Wrap = WrapModeTile;
    cairo_matrix_t Transform; // brush space to user space

    GpBrush() {
        cairo_matrix_init_identity(&ToGradient);
        cairo_matrix_init_identity(&Transform);
    }
};

struct GpPen {
    ARGB Color = 0xFF000000;
    Single Width = 1;
    Unit_ Unit = UnitWorld;
    LineCap StartCap = LineCapFlat, EndCap = LineCapFlat;
    DashCap DashCapStyle = DashCapFlat;
    LineJoin Join = LineJoinMiter;
    Single MiterLimit = 10;
    DashStyle Dash = DashStyleSolid;
    Single DashOffset = 0;
    std::unique_ptr<GpBrush> Brush; // null: a solid colour pen
};

// The brush as a Cairo pattern in user space; the caller destroys it.
cairo_pattern_t* CreatePattern(const GpBrush& brush);
// Sets the pen's source, width, caps, join and dashes on the context; the
// device scale decides the at-least-one-pixel width.
void ApplyPen(cairo_t* cr, const GpPen& pen);

} // namespace detail

struct TDecodedImage;

namespace detail {

// A decoded or drawable image: premultiplied ARGB32 Cairo surfaces, one per
// frame, and what the file told about itself.
struct GpImage {
    std::vector<cairo_surface_t*> Frames;
    std::size_t ActiveFrame = 0;
    TGUID RawFormat = ImageFormatMemoryBMP;
    PixelFormat Format = PixelFormat32bppARGB;

    GpImage() = default;
    GpImage(const GpImage& other);
    GpImage& operator=(const GpImage&) = delete;
    ~GpImage();
    cairo_surface_t* Surface() const { return Frames[ActiveFrame]; }
};

struct GpImageAttributes {
    bool ColorKeyEnabled = false;
    ARGB KeyLow = 0, KeyHigh = 0;
};

// Surfaces from decoded pixels and back.
cairo_surface_t* SurfaceFromDecoded(const TDecodedImage& image);
void DecodedFromSurface(cairo_surface_t* surface, TDecodedImage& image);
// A copy of the surface with the key range made transparent.
cairo_surface_t* ApplyColorKey(cairo_surface_t* surface, ARGB low, ARGB high);

} // namespace detail

namespace detail {

// A clip piece, fixed in surface pixels when it was set.
struct GpClipPath {
    cairo_path_t* Path = nullptr;
    cairo_fill_rule_t Rule = CAIRO_FILL_RULE_WINDING;
    GpClipPath() = default;
    GpClipPath(const GpClipPath&) = delete;
    ~GpClipPath() { cairo_path_destroy(Path); }
};

struct GpGraphicsState {
    cairo_matrix_t World;
    SmoothingMode Smoothing = SmoothingModeNone;
    PixelOffsetMode PixelOffset = PixelOffsetModeDefault;
    CompositingQuality Compositing = CompositingQualityDefault;
    TextRenderingHint TextHint = TextRenderingHintSystemDefault;
    InterpolationMode Interpolation = InterpolationModeBilinear;
    std::vector<std::shared_ptr<const GpClipPath>> Clip; // all intersected
};

struct GpGraphics {
    cairo_t* Cr = nullptr; // referenced
    cairo_matrix_t Base;   // device units to surface pixels
    GpGraphicsState State;
    std::vector<std::pair<Cardinal, GpGraphicsState>> Saved;
    Cardinal NextToken = 1;
    winapi::HDC Dc = nullptr;                // the context drawn on, if any
    std::unique_ptr<TDeviceContext> ImageDc; // GetHDC's context over an image

    GpGraphics(cairo_t* cr, const cairo_matrix_t& base);
    GpGraphics(const GpGraphics&) = delete;
    ~GpGraphics();

    // Saves the context and sets it up for one drawing call: the clip, the
    // world-to-surface matrix (pixel offset included) and the smoothing.
    void Begin(bool withPixelOffset = true);
    void End() { cairo_restore(Cr); }
    cairo_matrix_t WorldToSurface(bool withPixelOffset) const;
};

} // namespace detail

namespace detail {

struct GpFontFamily {
    String Name;
};

struct GpFont {
    String Family;
    Single Size = 0;
    Integer Style = 0;
    Unit_ Unit = UnitPoint;
    // The em size in device pixels at 96 dots per inch.
    double PixelSize() const;
};

struct GpStringFormat {
    Integer Flags = 0;
    StringAlignment Alignment = StringAlignmentNear;
    StringAlignment LineAlignment = StringAlignmentNear;
    HotkeyPrefix Prefix = HotkeyPrefixNone;
    StringTrimming Trimming = StringTrimmingCharacter;
    bool Typographic = false; // no measuring padding
    Single FirstTabOffset = 0;
    std::vector<Single> TabStops;
};

} // namespace detail

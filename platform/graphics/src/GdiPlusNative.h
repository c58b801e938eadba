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

// Adds curve segments `offset` .. `offset + segments` of a cardinal
// spline through the points; a closed one wraps round and closes.
void AppendCurve(GpPath& path, const TGPPointF* points, Integer count, Integer offset, Integer segments,
                 Single tension, bool closed);
// An elliptical arc joined to the open figure by a line.
void AppendArcTo(GpPath& path, double x, double y, double w, double h, double start, double sweep);
// A point continuing the open figure, or starting a new one.
void AddPathPoint(GpPath& path, TGPPointF point, Byte type);

// Device pixels (at 96 dots per inch) per unit.
double UnitPixelsOf(Unit_ unit);

// A scratch context for measuring paths.
cairo_t* ScratchContext();

} // namespace detail

namespace detail {

// A region as a tree of shapes and combinations; nodes never change once
// made, so copies share them.
struct GpRegionNode;
using GpRegionTree = std::shared_ptr<const GpRegionNode>;

struct GpRegionNode {
    enum class TKind { Empty, Infinite, Rect, Path, Combine };
    TKind Kind = TKind::Empty;
    TGPRectF Rect;
    GpPath Path;
    CombineMode Mode = CombineModeReplace;
    GpRegionTree A, B;
};

struct GpRegion {
    GpRegionTree Root;
};

GpRegionTree RegionEmpty();
GpRegionTree RegionInfinite();
GpRegionTree RegionRect(const TGPRectF& rect);
GpRegionTree RegionPath(const GpPath& path);
GpRegionTree RegionCombine(const GpRegionTree& a, const GpRegionTree& b, CombineMode mode);
GpRegionTree RegionTransform(const GpRegionTree& tree, const cairo_matrix_t& m);
bool RegionContains(const GpRegionNode& node, double x, double y);
bool RegionIsInfinite(const GpRegionNode& node);
// False when the region is certainly empty; infinite parts give GDI+'s
// infinite rectangle.
bool RegionBounds(const GpRegionNode& node, TGPRectF& bounds);
// Whole pixels (centres inside) after the matrix, within `window` (device).
TPixelRegion RegionPixels(const GpRegionNode& node, const cairo_matrix_t& m, const TRect& window);
// A window around the region's bounds after the matrix, at most a few
// million pixels.
TRect RegionWindow(const GpRegionNode& node, const cairo_matrix_t& m);
// A path of the pixels' rectangles.
void AppendPixels(cairo_t* cr, const TPixelRegion& pixels);
// A Cairo path (in the context's current user space) as path points.
GpPath PathFromCairo(const cairo_path_t* path);

inline constexpr TGPRectF InfiniteRect{-4194304.0f, -4194304.0f, 8388608.0f, 8388608.0f};

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
    // Both gradients: the blend (factors of the second or centre colour at
    // positions 0..1; one entry: a straight blend), gamma correction, and
    // the path gradient's focus scales.
    std::vector<Single> BlendFactors{1};
    std::vector<Single> BlendPositions{0};
    bool GammaCorrection = false;
    TGPPointF FocusScales{0, 0};
    detail::GpPath BoundaryPath; // the path gradient's boundary as given
    WrapMode Wrap = WrapModeTile;
    cairo_matrix_t Transform; // brush space to user space
    // Hatch: the style and its two colours.
    HatchStyle Hatch = HatchStyleHorizontal;
    ARGB Fore = 0, Back = 0;
    // Texture: the image's pixels (premultiplied ARGB32), shared by copies.
    std::shared_ptr<cairo_surface_t> Texture;

    GpBrush() {
        cairo_matrix_init_identity(&ToGradient);
        cairo_matrix_init_identity(&Transform);
    }
};

struct GpCustomLineCap {
    CustomLineCapType Type = CustomLineCapTypeDefault;
    GpPath Fill, Stroke;
    bool HasFill = false, HasStroke = false;
    LineCap BaseCap = LineCapFlat;
    Single BaseInset = 0;
    LineCap StrokeStartCap = LineCapFlat, StrokeEndCap = LineCapFlat;
    LineJoin StrokeJoin = LineJoinMiter;
    Single WidthScale = 1;
    // Adjustable arrow: the shape is made from these.
    Single ArrowHeight = 0, ArrowWidth = 0, MiddleInset = 0;
    bool ArrowFilled = true;
    void MakeArrow();
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
    std::vector<Single> DashPattern; // the custom dashes, in widths
    std::vector<Single> Compound;    // stripe edges 0..1, in pairs
    PenAlignment Alignment = PenAlignmentCenter;
    cairo_matrix_t Transform;
    std::shared_ptr<const GpCustomLineCap> CustomStart, CustomEnd;
    std::unique_ptr<GpBrush> Brush; // null: a solid colour pen

    GpPen() { cairo_matrix_init_identity(&Transform); }
    GpPen(const GpPen& other);
    GpPen& operator=(const GpPen&) = delete;
};

// The brush as a Cairo pattern in the context's user space; the caller
// destroys it. Hatches line up with device pixels from `origin`.
cairo_pattern_t* CreatePattern(const GpBrush& brush, cairo_t* cr = nullptr, TGPPoint origin = {});
// Sets the pen's source, width, caps, join and dashes on the context; the
// device scale decides the at-least-one-pixel width.
void ApplyPen(cairo_t* cr, const GpPen& pen, TGPPoint origin = {});
// Strokes the context's current path (in device space) with the pen: the
// pen's transform, alignment, compound stripes, dashes and line caps.
void StrokeWithPen(cairo_t* cr, const GpPen& pen, TGPPoint origin = {});
// The figures of the context's current path flattened, in user space, with
// whether each is closed.
struct TFlatFigure {
    std::vector<TGPPointF> Points;
    bool Closed = false;
};
std::vector<TFlatFigure> FlatFigures(cairo_t* cr);
// The area the pen covers along the figures, as counter-clockwise polygons
// that fill it with the winding rule.
GpPath WidenFigures(const std::vector<TFlatFigure>& figures, const GpPen& pen);

} // namespace detail

struct TDecodedImage;
class TGPImage;

namespace detail {

// A decoded or drawable image: premultiplied ARGB32 Cairo surfaces, one per
// frame, and what the file told about itself.
struct GpImage {
    std::vector<cairo_surface_t*> Frames;
    std::size_t ActiveFrame = 0;
    TGUID RawFormat = ImageFormatMemoryBMP;
    PixelFormat Format = PixelFormat32bppARGB;
    std::vector<ARGB> Palette;
    Single DpiX = 96, DpiY = 96;
    struct TProperty {
        Cardinal Id = 0;
        Word Type = 0;
        std::vector<Byte> Value;
    };
    std::vector<TProperty> Properties;
    // LockBits: the buffer handed out and what it stands for.
    struct TLock {
        std::vector<Byte> Buffer;
        TGPRect Rect;
        PixelFormat Format = 0;
        Cardinal Flags = 0;
        Byte* Scan0 = nullptr;
        Integer Stride = 0;
    };
    std::unique_ptr<TLock> Lock;

    GpImage() = default;
    GpImage(const GpImage& other);
    GpImage& operator=(const GpImage&) = delete;
    ~GpImage();
    cairo_surface_t* Surface() const { return Frames[ActiveFrame]; }
};

// The colour adjustments of one category (bitmaps, brushes, pens, text, or
// the default for all of them).
struct GpColorAdjust {
    bool NoOp = false;
    bool ColorKeyEnabled = false;
    ARGB KeyLow = 0, KeyHigh = 0;
    bool MatrixEnabled = false;
    ColorMatrix Matrix;
    ColorMatrix GrayMatrix;
    ColorMatrixFlags MatrixFlags = ColorMatrixFlagsDefault;
    bool ThresholdEnabled = false;
    Single Threshold = 0;
    bool GammaEnabled = false;
    Single Gamma = 1;
    bool OutputChannelEnabled = false;
    ColorChannelFlags OutputChannel = ColorChannelFlagsLast;
    std::vector<ColorMap> Remap;
    bool Any() const {
        return NoOp || ColorKeyEnabled || MatrixEnabled || ThresholdEnabled || GammaEnabled || OutputChannelEnabled ||
               !Remap.empty();
    }
};

struct GpImageAttributes {
    GpColorAdjust Adjust[ColorAdjustTypeCount];
    WrapMode Wrap = WrapModeClamp;
    ARGB WrapColor = 0;
    // The settings that apply to one category: its own, if it has any,
    // else the default ones.
    const GpColorAdjust& For(ColorAdjustType type) const;
};

// Turns (clockwise, quarter turns) then mirrors every frame.
void RotateFlipImage(GpImage& image, RotateFlipType type);
// An ARGB32 copy of an image surface.
cairo_surface_t* CopySurface(cairo_surface_t* source);
// Surfaces from decoded pixels and back.
cairo_surface_t* SurfaceFromDecoded(const TDecodedImage& image);
void DecodedFromSurface(cairo_surface_t* surface, TDecodedImage& image);
// A copy of the surface with the attributes' adjustments for the category.
cairo_surface_t* AdjustImage(cairo_surface_t* surface, const GpImageAttributes& attributes, ColorAdjustType type);
// One colour through the adjustments.
ARGB AdjustColor(ARGB color, const GpColorAdjust& adjust);
// A bitmap object over a copy of the surface; the caller owns it.
TGPImage* ImageOfSurface(cairo_surface_t* surface);
cairo_pattern_t* HatchPattern(const GpBrush& brush, cairo_t* cr, TGPPoint origin);
cairo_pattern_t* TexturePattern(const GpBrush& brush);
cairo_extend_t Extend(WrapMode mode);

} // namespace detail

namespace detail {

struct GpGraphicsState {
    cairo_matrix_t World;
    Unit_ PageUnit = UnitDisplay;
    Single PageScale = 1;
    // Device mapping of the enclosing containers (identity outside any).
    cairo_matrix_t Container;
    SmoothingMode Smoothing = SmoothingModeNone;
    PixelOffsetMode PixelOffset = PixelOffsetModeDefault;
    CompositingQuality Compositing = CompositingQualityDefault;
    CompositingMode CompositeMode = CompositingModeSourceOver;
    TextRenderingHint TextHint = TextRenderingHintSystemDefault;
    Cardinal TextContrast = 4;
    InterpolationMode Interpolation = InterpolationModeBilinear;
    // The clip and the enclosing containers' clip, fixed in surface pixels
    // when they were set.
    GpRegionTree Clip = RegionInfinite();
    GpRegionTree ContainerClip = RegionInfinite();

    GpGraphicsState() {
        cairo_matrix_init_identity(&World);
        cairo_matrix_init_identity(&Container);
    }
};

struct GpGraphics {
    cairo_t* Cr = nullptr; // referenced
    cairo_matrix_t Base;   // device units to surface pixels
    GpGraphicsState State;
    std::vector<std::pair<Cardinal, GpGraphicsState>> Saved;
    Cardinal NextToken = 1;
    TGPPoint RenderingOrigin;
    winapi::HDC Dc = nullptr;                // the context drawn on, if any
    std::unique_ptr<TDeviceContext> ImageDc; // GetHDC's context over an image
    // The last clip made into whole pixels, kept while the clip stays.
    GpRegionTree ClipCacheKey;
    TPixelRegion ClipCache;

    GpGraphics(cairo_t* cr, const cairo_matrix_t& base);
    GpGraphics(const GpGraphics&) = delete;
    ~GpGraphics();

    // Saves the context and sets it up for one drawing call: the clip, the
    // world-to-surface matrix (pixel offset included) and the smoothing.
    void Begin(bool withPixelOffset = true);
    void End() { cairo_restore(Cr); }
    // World units to device units (page unit, scale and containers), and on
    // to surface pixels.
    cairo_matrix_t WorldToDevice() const;
    cairo_matrix_t WorldToSurface(bool withPixelOffset) const;
    // The clip and the containers' clip as one tree in surface pixels.
    GpRegionTree FullClip() const;
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
    Word DigitLanguage = 0;
    StringDigitSubstitute DigitMethod = StringDigitSubstituteUser;
    std::vector<TCharacterRange> Ranges;
};

} // namespace detail


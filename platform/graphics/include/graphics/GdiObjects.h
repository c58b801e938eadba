#pragma once
// GDI objects: pens, brushes, fonts and regions, created, selected into a
// device context and deleted through the winapi routines below. A handle is a
// pointer to the object; a device context keeps a copy of what is selected
// into it, so deleting a selected object never leaves it dangling.

#include <cairo.h>

#include <vector>

#include "graphics/Rect.h"
#include "rtl/Types.h"

class TDeviceContext;

enum : Cardinal {
    // Pen styles.
    PS_SOLID = 0,
    PS_DASH = 1,
    PS_DOT = 2,
    PS_DASHDOT = 3,
    PS_DASHDOTDOT = 4,
    PS_NULL = 5,
    PS_INSIDEFRAME = 6,
    PS_USERSTYLE = 7,
    PS_ALTERNATE = 8,
    PS_STYLE_MASK = 0x0000000F,
    PS_ENDCAP_ROUND = 0x00000000,
    PS_ENDCAP_SQUARE = 0x00000100,
    PS_ENDCAP_FLAT = 0x00000200,
    PS_ENDCAP_MASK = 0x00000F00,
    PS_JOIN_ROUND = 0x00000000,
    PS_JOIN_BEVEL = 0x00001000,
    PS_JOIN_MITER = 0x00002000,
    PS_JOIN_MASK = 0x0000F000,
    PS_COSMETIC = 0x00000000,
    PS_GEOMETRIC = 0x00010000,
    PS_TYPE_MASK = 0x000F0000,
};

enum : Cardinal {
    // Brush styles and hatches.
    BS_SOLID = 0,
    BS_NULL = 1,
    BS_HOLLOW = BS_NULL,
    BS_HATCHED = 2,
    HS_HORIZONTAL = 0,
    HS_VERTICAL = 1,
    HS_FDIAGONAL = 2,
    HS_BDIAGONAL = 3,
    HS_CROSS = 4,
    HS_DIAGCROSS = 5,
};

enum : Integer {
    // Font weights, qualities and character set.
    FW_DONTCARE = 0,
    FW_NORMAL = 400,
    FW_BOLD = 700,
    DEFAULT_QUALITY = 0,
    NONANTIALIASED_QUALITY = 3,
    ANTIALIASED_QUALITY = 4,
    DEFAULT_CHARSET = 1,
};

enum : Integer {
    // Stock objects.
    WHITE_BRUSH = 0,
    LTGRAY_BRUSH = 1,
    GRAY_BRUSH = 2,
    DKGRAY_BRUSH = 3,
    BLACK_BRUSH = 4,
    NULL_BRUSH = 5,
    HOLLOW_BRUSH = NULL_BRUSH,
    WHITE_PEN = 6,
    BLACK_PEN = 7,
    NULL_PEN = 8,
    SYSTEM_FONT = 13,
    DEFAULT_GUI_FONT = 17,
};

enum : Integer {
    // Region kinds and combination modes.
    RGN_ERROR = 0,
    NULLREGION = 1,
    SIMPLEREGION = 2,
    COMPLEXREGION = 3,
    RGN_AND = 1,
    RGN_OR = 2,
    RGN_XOR = 3,
    RGN_DIFF = 4,
    RGN_COPY = 5,
    // Polygon fill modes.
    ALTERNATE = 1,
    WINDING = 2,
};

struct TLogPen {
    Cardinal Style = PS_SOLID; // style, end cap, join and type bits
    Integer Width = 0;         // logical units; 0 and cosmetic pens are one pixel wide
    TColor Color = 0;
    friend bool operator==(const TLogPen&, const TLogPen&) = default;
};

struct TLogBrush {
    Cardinal Style = BS_SOLID;
    TColor Color = 0xFFFFFF;
    Cardinal Hatch = 0;
    friend bool operator==(const TLogBrush&, const TLogBrush&) = default;
};

struct TLogFont {
    Integer Height = 0; // logical units; negative: character height, positive: cell height
    Integer Width = 0;
    Integer Escapement = 0;  // tenths of a degree, counter-clockwise
    Integer Orientation = 0; // tenths of a degree
    Integer Weight = FW_NORMAL;
    bool Italic = false;
    bool Underline = false;
    bool StrikeOut = false;
    Byte CharSet = DEFAULT_CHARSET;
    Byte Quality = DEFAULT_QUALITY;
    String FaceName;
    friend bool operator==(const TLogFont&, const TLogFont&) = default;
};

// A set of whole pixels, the unit GDI regions and clips are made of.
class TPixelRegion {
public:
    TPixelRegion();
    explicit TPixelRegion(const TRect& rect);
    TPixelRegion(const TPixelRegion& other);
    TPixelRegion& operator=(const TPixelRegion& other);
    ~TPixelRegion();

    bool IsEmpty() const;
    TRect Box() const;
    Integer RectCount() const;
    TRect RectAt(Integer index) const;
    bool Contains(Integer x, Integer y) const;
    void Offset(Integer dx, Integer dy);
    void Intersect(const TPixelRegion& other);
    void Unite(const TPixelRegion& other);
    void Subtract(const TPixelRegion& other);
    void Xor(const TPixelRegion& other);
    bool operator==(const TPixelRegion& other) const;

    // The pixels whose centres lie inside a path built by `build` on an
    // aliased context covering `bounds` (device coordinates). The builder may
    // also paint itself (a stroke, say); what it paints counts too.
    template <class Builder>
    static TPixelRegion FromPath(const TRect& bounds, Builder build, cairo_fill_rule_t rule);

    const cairo_region_t* Native() const { return FRegion; }

private:
    static TPixelRegion FromMask(cairo_surface_t* mask, const TRect& bounds);
    cairo_region_t* FRegion;
};

template <class Builder>
TPixelRegion TPixelRegion::FromPath(const TRect& bounds, Builder build, cairo_fill_rule_t rule) {
    if (bounds.IsEmpty()) return TPixelRegion();
    cairo_surface_t* mask = cairo_image_surface_create(CAIRO_FORMAT_A8, bounds.Width(), bounds.Height());
    cairo_t* cr = cairo_create(mask);
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
    cairo_set_fill_rule(cr, rule);
    cairo_translate(cr, -bounds.Left, -bounds.Top);
    build(cr);
    cairo_fill(cr);
    cairo_destroy(cr);
    TPixelRegion result = FromMask(mask, bounds);
    cairo_surface_destroy(mask);
    return result;
}

enum class TGdiObjectKind { Pen, Brush, Font, Region, Bitmap };

class TGdiObject {
public:
    explicit TGdiObject(TGdiObjectKind kind) : FKind(kind) {}
    virtual ~TGdiObject() = default;
    TGdiObjectKind Kind() const { return FKind; }
    bool IsStock() const { return FStock; }
    void MarkStock() { FStock = true; }

private:
    TGdiObjectKind FKind;
    bool FStock = false;
};

class TGdiPen : public TGdiObject {
public:
    explicit TGdiPen(const TLogPen& pen) : TGdiObject(TGdiObjectKind::Pen), Pen(pen) {}
    TLogPen Pen;
};

class TGdiBrush : public TGdiObject {
public:
    explicit TGdiBrush(const TLogBrush& brush) : TGdiObject(TGdiObjectKind::Brush), Brush(brush) {}
    TLogBrush Brush;
};

class TGdiFont : public TGdiObject {
public:
    explicit TGdiFont(const TLogFont& font) : TGdiObject(TGdiObjectKind::Font), Font(font) {}
    TLogFont Font;
};

class TGdiRegion : public TGdiObject {
public:
    explicit TGdiRegion(TPixelRegion region) : TGdiObject(TGdiObjectKind::Region), Region(std::move(region)) {}
    TPixelRegion Region;
};

// A bitmap for memory device contexts: an opaque image surface. It can be
// selected into one memory context at a time and is not deleted while it is.
class TGdiBitmap : public TGdiObject {
public:
    explicit TGdiBitmap(cairo_surface_t* surface) : TGdiObject(TGdiObjectKind::Bitmap), FSurface(surface) {}
    ~TGdiBitmap() override { cairo_surface_destroy(FSurface); }
    TGdiBitmap(const TGdiBitmap&) = delete;
    TGdiBitmap& operator=(const TGdiBitmap&) = delete;

    cairo_surface_t* Surface() const { return FSurface; }
    TSize Size() const;
    // The memory context the bitmap is selected into, or null.
    TDeviceContext* SelectedInto = nullptr;

private:
    cairo_surface_t* FSurface;
};

namespace winapi {

using HDC = TDeviceContext*;
using HGDIOBJ = TGdiObject*;
using HPEN = TGdiPen*;
using HBRUSH = TGdiBrush*;
using HFONT = TGdiFont*;
using HRGN = TGdiRegion*;
using HBITMAP = TGdiBitmap*;

HPEN CreatePen(Integer style, Integer width, TColor color);
HPEN ExtCreatePen(Cardinal style, Cardinal width, const TLogBrush& brush);
HBRUSH CreateSolidBrush(TColor color);
HBRUSH CreateHatchBrush(Integer hatch, TColor color);
HBRUSH CreateBrushIndirect(const TLogBrush& brush);
HFONT CreateFontIndirect(const TLogFont& font);
HGDIOBJ GetStockObject(Integer index);
// Frees an object; stock objects are accepted and kept. Fails for null and
// for a bitmap that is selected into a memory context.
bool DeleteObject(HGDIOBJ object);

// A bitmap of the given size for drawing off screen, black at first; a zero
// extent gives a one-pixel bitmap, a negative one or an impossible size null.
HBITMAP CreateCompatibleBitmap(HDC dc, Integer width, Integer height);

HRGN CreateRectRgn(Integer left, Integer top, Integer right, Integer bottom);
HRGN CreateRectRgnIndirect(const TRect& rect);
HRGN CreateEllipticRgn(Integer left, Integer top, Integer right, Integer bottom);
HRGN CreateRoundRectRgn(Integer left, Integer top, Integer right, Integer bottom, Integer width, Integer height);
HRGN CreatePolygonRgn(const TPoint* points, Integer count, Integer fillMode);
// Combines `a` and `b` (b unused for RGN_COPY) into `dest`; answers the kind
// of the result or RGN_ERROR.
Integer CombineRgn(HRGN dest, HRGN a, HRGN b, Integer mode);
bool SetRectRgn(HRGN region, Integer left, Integer top, Integer right, Integer bottom);
Integer OffsetRgn(HRGN region, Integer dx, Integer dy);
Integer GetRgnBox(HRGN region, TRect& box);
bool PtInRegion(HRGN region, Integer x, Integer y);
bool EqualRgn(HRGN a, HRGN b);

} // namespace winapi

#pragma once
// A device context: a Cairo surface plus the GDI drawing state (pen, brush,
// font, text colours, raster mode, mapping, current position, clip region and
// the save stack). Drawing routines in namespace winapi take one by handle.
//
// Coordinates: logical units (what callers pass) map to device pixels through
// the mapping mode, the window and viewport origins; device pixels sit at the
// context's origin on the surface (a child window's client origin, say).

#include <cairo.h>

#include <memory>
#include <optional>
#include <vector>

#include "graphics/GdiObjects.h"
#include "graphics/Rect.h"

enum : Integer {
    // Mapping modes.
    MM_TEXT = 1,
    MM_LOMETRIC = 2,
    // Background modes.
    TRANSPARENT = 1,
    OPAQUE = 2,
    // Raster operations for pens and brushes.
    R2_BLACK = 1,
    R2_NOTMERGEPEN = 2,
    R2_MASKNOTPEN = 3,
    R2_NOTCOPYPEN = 4,
    R2_MASKPENNOT = 5,
    R2_NOT = 6,
    R2_XORPEN = 7,
    R2_NOTMASKPEN = 8,
    R2_MASKPEN = 9,
    R2_NOTXORPEN = 10,
    R2_NOP = 11,
    R2_MERGENOTPEN = 12,
    R2_COPYPEN = 13,
    R2_MERGEPENNOT = 14,
    R2_MERGEPEN = 15,
    R2_WHITE = 16,
    // Stretch modes.
    BLACKONWHITE = 1,
    COLORONCOLOR = 3,
    HALFTONE = 4,
    // Device-capability indices.
    DRIVERVERSION = 0,
    TECHNOLOGY = 2,
    HORZSIZE = 4,
    VERTSIZE = 6,
    HORZRES = 8,
    VERTRES = 10,
    BITSPIXEL = 12,
    PLANES = 14,
    NUMCOLORS = 24,
    LOGPIXELSX = 88,
    LOGPIXELSY = 90,
    PHYSICALWIDTH = 110,
    PHYSICALHEIGHT = 111,
    PHYSICALOFFSETX = 112,
    PHYSICALOFFSETY = 113,
    DT_RASDISPLAY = 1,
    DT_RASPRINTER = 2,
    // Clip results (the region kinds of GdiObjects.h) and the error value.
    CLR_INVALID = -1,
};

enum : Cardinal {
    // Text alignment of TextOut.
    TA_NOUPDATECP = 0,
    TA_UPDATECP = 1,
    TA_LEFT = 0,
    TA_RIGHT = 2,
    TA_CENTER = 6,
    TA_TOP = 0,
    TA_BOTTOM = 8,
    TA_BASELINE = 24,
    TA_RTLREADING = 256,
};

enum class TDeviceTechnology { Display, Printer };

// The pixels per inch of the screen: 96 unless a test sets another value.
Integer ScreenPixelsPerInch();
void SetScreenPixelsPerInch(Integer pixelsPerInch);

class TDeviceContext {
public:
    // A context on `surface` (referenced for the context's life). Its device
    // area is the surface's extent, or `size` for surfaces without one.
    explicit TDeviceContext(cairo_surface_t* surface, TDeviceTechnology technology = TDeviceTechnology::Display,
                            Integer pixelsPerInch = ScreenPixelsPerInch(), std::optional<TSize> size = {});
    ~TDeviceContext();
    TDeviceContext(const TDeviceContext&) = delete;
    TDeviceContext& operator=(const TDeviceContext&) = delete;

    // ---- What other drawing code on the same pixels needs ----
    cairo_surface_t* Surface() const { return FSurface; }
    // The Cairo context in surface pixels (identity matrix) with the current
    // clip applied. Callers that change its state save and restore it.
    cairo_t* Context();
    // Logical units to surface pixels.
    cairo_matrix_t Transform() const;
    // The clip in surface pixels: the visible area of the context intersected
    // with the selected clip region; never null.
    const TPixelRegion& EffectiveClip() const { return FEffectiveClip; }
    bool IsImageSurface() const;
    TDeviceTechnology Technology() const { return FTechnology; }
    Integer PixelsPerInchX() const { return FPixelsPerInch; }
    Integer PixelsPerInchY() const { return FPixelsPerInch; }
    TSize DeviceSize() const { return FSize; }

    // The windowing layer places a context on a window: its device origin on
    // the surface and the part of the surface it may draw on (surface pixels).
    void SetDeviceOrigin(TPoint origin);
    TPoint DeviceOrigin() const { return FDeviceOrigin; }
    void SetVisibleRegion(const TPixelRegion& region);

    // ---- GDI state ----
    struct TPathFigure {
        std::vector<TPoint> Points; // device pixels
        bool Closed = false;
    };

    struct TState {
        TLogPen Pen{PS_SOLID, 0, 0};
        TLogBrush Brush{BS_SOLID, 0xFFFFFF, 0};
        TLogFont Font;
        winapi::HGDIOBJ PenHandle = nullptr;
        winapi::HGDIOBJ BrushHandle = nullptr;
        winapi::HGDIOBJ FontHandle = nullptr;
        TColor TextColor = 0;
        TColor BkColor = 0xFFFFFF;
        Integer BkMode = OPAQUE;
        Cardinal TextAlign = TA_LEFT | TA_TOP;
        Integer Rop2 = R2_COPYPEN;
        Integer PolyFillMode = ALTERNATE;
        Integer StretchMode = BLACKONWHITE;
        Integer MapMode = MM_TEXT;
        TPoint WindowOrg;
        TPoint ViewportOrg;
        TPoint CurrentPos; // logical units
        std::optional<TPixelRegion> ClipRegion; // device pixels; empty optional = no clip region
    };

    TState& State() { return FState; }
    const TState& State() const { return FState; }

    Integer SaveDC();
    bool RestoreDC(Integer savedDC);
    Integer SaveLevel() const { return Integer(FSaved.size()); }

    // Clipping (regions in device pixels, rectangles in logical units).
    Integer SelectClipRgn(const TPixelRegion* region);
    Integer IntersectClipRect(const TRect& rect);
    Integer ExcludeClipRect(const TRect& rect);
    Integer GetClipBox(TRect& rect) const;
    // Marks the clip as changed after State().ClipRegion was edited directly.
    void ClipChanged();

    // Mapping.
    Integer SetMapMode(Integer mode);
    TPoint LPtoDP(TPoint p) const;
    TPoint DPtoLP(TPoint p) const;
    // Device pixels per logical unit (negative: the axis points the other way).
    double ScaleX() const;
    double ScaleY() const;
    // Logical units to surface pixels (device origin included), unrounded.
    void LogicalToSurface(double& x, double& y) const;
    // A rectangle in logical units as a normalised rectangle of surface pixels.
    TRect LogicalToSurface(const TRect& rect) const;
    Integer GetDeviceCaps(Integer index) const;

    // ---- Memory contexts (CreateCompatibleDC) ----
    // A new memory context on a one-pixel bitmap; the caller owns it.
    static TDeviceContext* NewMemoryDC(const TDeviceContext* reference);
    bool IsMemoryDC() const { return FBitmap != nullptr; }
    winapi::HBITMAP SelectedBitmap() const { return FBitmap; }
    // Draws on the bitmap from now on and answers the one selected before;
    // null for other contexts and for a bitmap selected elsewhere. The bitmap
    // is not part of the saved state: RestoreDC keeps it.
    winapi::HBITMAP SelectBitmap(winapi::HBITMAP bitmap);

    // The open path bracket of BeginPath/EndPath.
    enum class TPathState { None, Open, Closed };
    TPathState PathState() const { return FPathState; }
    std::vector<TPathFigure>& PathFigures() { return FPath; }
    void SetPathState(TPathState state) { FPathState = state; }

private:
    void RecomputeClip();
    void ReplaceSurface(cairo_surface_t* surface);

    cairo_surface_t* FSurface;
    cairo_t* FContext;
    TDeviceTechnology FTechnology;
    Integer FPixelsPerInch;
    TSize FSize;
    TPoint FDeviceOrigin;
    TPixelRegion FVisible;
    TPixelRegion FEffectiveClip;
    bool FClipApplied = false;
    TState FState;
    std::vector<TState> FSaved;
    TPathState FPathState = TPathState::None;
    std::vector<TPathFigure> FPath;
    winapi::HBITMAP FBitmap = nullptr;
};

namespace winapi {

// A memory context: it draws on the bitmap selected into it (one black pixel
// until then), with the pixels per inch and technology of `reference` (the
// screen when null). DeleteDC frees it; it refuses other contexts.
HDC CreateCompatibleDC(HDC reference);
bool DeleteDC(HDC dc);

Integer SaveDC(HDC dc);
bool RestoreDC(HDC dc, Integer savedDC);
HGDIOBJ SelectObject(HDC dc, HGDIOBJ object);
// Selects a copy of `region` as the clip (device units); null removes the clip.
Integer SelectClipRgn(HDC dc, HRGN region);
Integer IntersectClipRect(HDC dc, Integer left, Integer top, Integer right, Integer bottom);
Integer ExcludeClipRect(HDC dc, Integer left, Integer top, Integer right, Integer bottom);
Integer GetClipBox(HDC dc, TRect& rect);
// Copies the current clip region (device units) into `region`: 1 with a clip
// region, 0 without one, -1 on error.
Integer GetClipRgn(HDC dc, HRGN region);

Integer SetMapMode(HDC dc, Integer mode);
Integer GetMapMode(HDC dc);
bool SetViewportOrgEx(HDC dc, Integer x, Integer y, TPoint* previous);
bool GetViewportOrgEx(HDC dc, TPoint* origin);
bool SetWindowOrgEx(HDC dc, Integer x, Integer y, TPoint* previous);
bool GetWindowOrgEx(HDC dc, TPoint* origin);
bool OffsetViewportOrgEx(HDC dc, Integer dx, Integer dy, TPoint* previous);
bool LPtoDP(HDC dc, TPoint* points, Integer count);
bool DPtoLP(HDC dc, TPoint* points, Integer count);
Integer GetDeviceCaps(HDC dc, Integer index);

TColor SetTextColor(HDC dc, TColor color);
TColor GetTextColor(HDC dc);
TColor SetBkColor(HDC dc, TColor color);
TColor GetBkColor(HDC dc);
Integer SetBkMode(HDC dc, Integer mode);
Integer GetBkMode(HDC dc);
Cardinal SetTextAlign(HDC dc, Cardinal align);
Cardinal GetTextAlign(HDC dc);
Integer SetROP2(HDC dc, Integer rop);
Integer GetROP2(HDC dc);
Integer SetPolyFillMode(HDC dc, Integer mode);
Integer SetStretchBltMode(HDC dc, Integer mode);
bool GetCurrentPositionEx(HDC dc, TPoint* position);

} // namespace winapi

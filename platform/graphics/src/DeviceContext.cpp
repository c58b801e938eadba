#include "graphics/DeviceContext.h"

#include <algorithm>
#include <cmath>

namespace {

Integer GScreenPixelsPerInch = 96;

// Rounds to the nearest integer, halves away from zero, as the mapping does.
Integer RoundAway(double value) { return Integer(std::lround(value)); }

TSize SurfaceSize(cairo_surface_t* surface, std::optional<TSize> size) {
    if (size) return *size;
    if (cairo_surface_get_type(surface) == CAIRO_SURFACE_TYPE_IMAGE) {
        return {cairo_image_surface_get_width(surface), cairo_image_surface_get_height(surface)};
    }
    cairo_rectangle_t extents;
    if (cairo_surface_get_type(surface) == CAIRO_SURFACE_TYPE_RECORDING &&
        cairo_recording_surface_get_extents(surface, &extents)) {
        return {Integer(extents.width), Integer(extents.height)};
    }
    return {};
}

TLogFont DefaultFont() {
    auto* stock = static_cast<TGdiFont*>(winapi::GetStockObject(SYSTEM_FONT));
    return stock->Font;
}

} // namespace

Integer ScreenPixelsPerInch() { return GScreenPixelsPerInch; }
void SetScreenPixelsPerInch(Integer pixelsPerInch) { GScreenPixelsPerInch = pixelsPerInch; }

TDeviceContext::TDeviceContext(cairo_surface_t* surface, TDeviceTechnology technology, Integer pixelsPerInch,
                               std::optional<TSize> size)
    : FSurface(cairo_surface_reference(surface)), FContext(cairo_create(surface)), FTechnology(technology),
      FPixelsPerInch(pixelsPerInch), FSize(SurfaceSize(surface, size)),
      FVisible(TRect{0, 0, FSize.cx, FSize.cy}), FEffectiveClip(FVisible) {
    cairo_set_antialias(FContext, CAIRO_ANTIALIAS_NONE);
    FState.Font = DefaultFont();
    FState.PenHandle = winapi::GetStockObject(BLACK_PEN);
    FState.BrushHandle = winapi::GetStockObject(WHITE_BRUSH);
    FState.FontHandle = winapi::GetStockObject(SYSTEM_FONT);
}

TDeviceContext::~TDeviceContext() {
    if (FBitmap) FBitmap->SelectedInto = nullptr;
    cairo_destroy(FContext);
    cairo_surface_destroy(FSurface);
}

// ---- Memory contexts ------------------------------------------------------------

namespace {
// The bitmap of a memory context before the caller selects one: shared by
// all memory contexts, never deleted.
winapi::HBITMAP DefaultBitmap() {
    static winapi::HBITMAP bitmap = [] {
        cairo_surface_t* pixel = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 1, 1);
        *reinterpret_cast<uint32_t*>(cairo_image_surface_get_data(pixel)) = 0xFF000000u; // opaque black
        cairo_surface_mark_dirty(pixel);
        auto* b = new TGdiBitmap(pixel);
        b->MarkStock();
        return b;
    }();
    return bitmap;
}
} // namespace

TDeviceContext* TDeviceContext::NewMemoryDC(const TDeviceContext* reference) {
    winapi::HBITMAP bitmap = DefaultBitmap();
    auto* dc = new TDeviceContext(bitmap->Surface(), reference ? reference->Technology() : TDeviceTechnology::Display,
                                  reference ? reference->PixelsPerInchX() : ScreenPixelsPerInch());
    dc->FBitmap = bitmap;
    return dc;
}

winapi::HBITMAP TDeviceContext::SelectBitmap(winapi::HBITMAP bitmap) {
    if (!IsMemoryDC() || bitmap == nullptr) return nullptr;
    if (bitmap->SelectedInto && bitmap->SelectedInto != this) return nullptr;
    winapi::HBITMAP previous = FBitmap;
    if (!previous->IsStock()) previous->SelectedInto = nullptr;
    if (!bitmap->IsStock()) bitmap->SelectedInto = this;
    FBitmap = bitmap;
    ReplaceSurface(bitmap->Surface());
    return previous;
}

void TDeviceContext::ReplaceSurface(cairo_surface_t* surface) {
    cairo_surface_t* old = FSurface;
    cairo_destroy(FContext);
    FSurface = cairo_surface_reference(surface);
    FContext = cairo_create(FSurface);
    cairo_set_antialias(FContext, CAIRO_ANTIALIAS_NONE);
    cairo_surface_destroy(old);
    FSize = SurfaceSize(FSurface, {});
    FVisible = TPixelRegion(TRect{0, 0, FSize.cx, FSize.cy});
    RecomputeClip();
}

cairo_t* TDeviceContext::Context() {
    if (!FClipApplied) {
        cairo_reset_clip(FContext);
        cairo_new_path(FContext);
        for (Integer i = 0; i < FEffectiveClip.RectCount(); ++i) {
            TRect r = FEffectiveClip.RectAt(i);
            cairo_rectangle(FContext, r.Left, r.Top, r.Width(), r.Height());
        }
        cairo_clip(FContext);
        FClipApplied = true;
    }
    return FContext;
}

cairo_matrix_t TDeviceContext::Transform() const {
    double sx = ScaleX(), sy = ScaleY();
    cairo_matrix_t m;
    cairo_matrix_init(&m, sx, 0, 0, sy, FDeviceOrigin.X + FState.ViewportOrg.X - FState.WindowOrg.X * sx,
                      FDeviceOrigin.Y + FState.ViewportOrg.Y - FState.WindowOrg.Y * sy);
    return m;
}

bool TDeviceContext::IsImageSurface() const { return cairo_surface_get_type(FSurface) == CAIRO_SURFACE_TYPE_IMAGE; }

void TDeviceContext::SetDeviceOrigin(TPoint origin) {
    FDeviceOrigin = origin;
    RecomputeClip();
}

void TDeviceContext::SetVisibleRegion(const TPixelRegion& region) {
    FVisible = region;
    RecomputeClip();
}

void TDeviceContext::RecomputeClip() {
    FEffectiveClip = FVisible;
    FEffectiveClip.Intersect(TPixelRegion(TRect{0, 0, FSize.cx, FSize.cy}));
    if (FState.ClipRegion) {
        TPixelRegion clip = *FState.ClipRegion;
        clip.Offset(FDeviceOrigin.X, FDeviceOrigin.Y);
        FEffectiveClip.Intersect(clip);
    }
    FClipApplied = false;
}

void TDeviceContext::ClipChanged() { RecomputeClip(); }

// ---- Save stack ---------------------------------------------------------------

Integer TDeviceContext::SaveDC() {
    FSaved.push_back(FState);
    return Integer(FSaved.size());
}

bool TDeviceContext::RestoreDC(Integer savedDC) {
    Integer level = savedDC < 0 ? Integer(FSaved.size()) + 1 + savedDC : savedDC;
    if (level < 1 || level > Integer(FSaved.size())) return false;
    FState = FSaved[level - 1];
    FSaved.resize(level - 1);
    RecomputeClip();
    return true;
}

// ---- Clipping -----------------------------------------------------------------

namespace {
Integer RegionKind(const TPixelRegion& region) {
    if (region.IsEmpty()) return NULLREGION;
    return region.RectCount() == 1 ? SIMPLEREGION : COMPLEXREGION;
}
} // namespace

Integer TDeviceContext::SelectClipRgn(const TPixelRegion* region) {
    if (region == nullptr) {
        FState.ClipRegion.reset();
    } else {
        FState.ClipRegion = *region;
    }
    RecomputeClip();
    return RegionKind(FEffectiveClip);
}

Integer TDeviceContext::IntersectClipRect(const TRect& rect) {
    TRect device = LogicalToSurface(rect);
    winapi::OffsetRect(device, -FDeviceOrigin.X, -FDeviceOrigin.Y);
    if (FState.ClipRegion) {
        FState.ClipRegion->Intersect(TPixelRegion(device));
    } else {
        FState.ClipRegion = TPixelRegion(device);
    }
    RecomputeClip();
    return RegionKind(FEffectiveClip);
}

Integer TDeviceContext::ExcludeClipRect(const TRect& rect) {
    TRect device = LogicalToSurface(rect);
    winapi::OffsetRect(device, -FDeviceOrigin.X, -FDeviceOrigin.Y);
    if (!FState.ClipRegion) {
        TPixelRegion whole = FVisible;
        whole.Offset(-FDeviceOrigin.X, -FDeviceOrigin.Y);
        FState.ClipRegion = whole;
    }
    FState.ClipRegion->Subtract(TPixelRegion(device));
    RecomputeClip();
    return RegionKind(FEffectiveClip);
}

Integer TDeviceContext::GetClipBox(TRect& rect) const {
    TRect box = FEffectiveClip.Box();
    if (box.IsEmpty()) {
        rect = {};
        return NULLREGION;
    }
    TPoint a = DPtoLP({box.Left - FDeviceOrigin.X, box.Top - FDeviceOrigin.Y});
    TPoint b = DPtoLP({box.Right - FDeviceOrigin.X, box.Bottom - FDeviceOrigin.Y});
    rect = {std::min(a.X, b.X), std::min(a.Y, b.Y), std::max(a.X, b.X), std::max(a.Y, b.Y)};
    return RegionKind(FEffectiveClip);
}

// ---- Mapping ------------------------------------------------------------------

Integer TDeviceContext::SetMapMode(Integer mode) {
    if (mode != MM_TEXT && mode != MM_LOMETRIC) return 0;
    Integer previous = FState.MapMode;
    FState.MapMode = mode;
    return previous;
}

double TDeviceContext::ScaleX() const { return FState.MapMode == MM_LOMETRIC ? FPixelsPerInch / 254.0 : 1.0; }
double TDeviceContext::ScaleY() const { return FState.MapMode == MM_LOMETRIC ? -FPixelsPerInch / 254.0 : 1.0; }

TPoint TDeviceContext::LPtoDP(TPoint p) const {
    return {RoundAway((p.X - FState.WindowOrg.X) * ScaleX()) + FState.ViewportOrg.X,
            RoundAway((p.Y - FState.WindowOrg.Y) * ScaleY()) + FState.ViewportOrg.Y};
}

TPoint TDeviceContext::DPtoLP(TPoint p) const {
    return {RoundAway((p.X - FState.ViewportOrg.X) / ScaleX()) + FState.WindowOrg.X,
            RoundAway((p.Y - FState.ViewportOrg.Y) / ScaleY()) + FState.WindowOrg.Y};
}

void TDeviceContext::LogicalToSurface(double& x, double& y) const {
    x = (x - FState.WindowOrg.X) * ScaleX() + FState.ViewportOrg.X + FDeviceOrigin.X;
    y = (y - FState.WindowOrg.Y) * ScaleY() + FState.ViewportOrg.Y + FDeviceOrigin.Y;
}

TRect TDeviceContext::LogicalToSurface(const TRect& rect) const {
    TPoint a = LPtoDP(rect.TopLeft());
    TPoint b = LPtoDP(rect.BottomRight());
    return {std::min(a.X, b.X) + FDeviceOrigin.X, std::min(a.Y, b.Y) + FDeviceOrigin.Y,
            std::max(a.X, b.X) + FDeviceOrigin.X, std::max(a.Y, b.Y) + FDeviceOrigin.Y};
}

Integer TDeviceContext::GetDeviceCaps(Integer index) const {
    const bool printer = FTechnology == TDeviceTechnology::Printer;
    switch (index) {
    case DRIVERVERSION: return 0x4000;
    case TECHNOLOGY: return printer ? DT_RASPRINTER : DT_RASDISPLAY;
    case HORZSIZE: return RoundAway(FSize.cx * 25.4 / FPixelsPerInch);
    case VERTSIZE: return RoundAway(FSize.cy * 25.4 / FPixelsPerInch);
    case HORZRES: return FSize.cx;
    case VERTRES: return FSize.cy;
    case BITSPIXEL: return 32;
    case PLANES: return 1;
    case NUMCOLORS: return -1;
    case LOGPIXELSX:
    case LOGPIXELSY: return FPixelsPerInch;
    case PHYSICALWIDTH: return printer ? FSize.cx : 0;
    case PHYSICALHEIGHT: return printer ? FSize.cy : 0;
    case PHYSICALOFFSETX:
    case PHYSICALOFFSETY: return 0;
    default: return 0;
    }
}

// ---- winapi forwarders ----------------------------------------------------------

namespace winapi {

HDC CreateCompatibleDC(HDC reference) { return TDeviceContext::NewMemoryDC(reference); }

bool DeleteDC(HDC dc) {
    if (dc == nullptr || !dc->IsMemoryDC()) return false;
    delete dc;
    return true;
}

Integer SaveDC(HDC dc) { return dc ? dc->SaveDC() : 0; }
bool RestoreDC(HDC dc, Integer savedDC) { return dc && dc->RestoreDC(savedDC); }

HGDIOBJ SelectObject(HDC dc, HGDIOBJ object) {
    if (dc == nullptr || object == nullptr) return nullptr;
    auto& s = dc->State();
    HGDIOBJ previous = nullptr;
    switch (object->Kind()) {
    case TGdiObjectKind::Pen:
        previous = s.PenHandle;
        s.Pen = static_cast<TGdiPen*>(object)->Pen;
        s.PenHandle = object;
        break;
    case TGdiObjectKind::Brush:
        previous = s.BrushHandle;
        s.Brush = static_cast<TGdiBrush*>(object)->Brush;
        s.BrushHandle = object;
        break;
    case TGdiObjectKind::Font:
        previous = s.FontHandle;
        s.Font = static_cast<TGdiFont*>(object)->Font;
        s.FontHandle = object;
        break;
    case TGdiObjectKind::Region:
        // A region is copied in as the clip; there is no previous object.
        dc->SelectClipRgn(&static_cast<TGdiRegion*>(object)->Region);
        break;
    case TGdiObjectKind::Bitmap:
        previous = dc->SelectBitmap(static_cast<HBITMAP>(object));
        break;
    }
    return previous;
}

Integer SelectClipRgn(HDC dc, HRGN region) {
    if (dc == nullptr) return RGN_ERROR;
    return dc->SelectClipRgn(region ? &region->Region : nullptr);
}

Integer IntersectClipRect(HDC dc, Integer left, Integer top, Integer right, Integer bottom) {
    return dc ? dc->IntersectClipRect({left, top, right, bottom}) : RGN_ERROR;
}

Integer ExcludeClipRect(HDC dc, Integer left, Integer top, Integer right, Integer bottom) {
    return dc ? dc->ExcludeClipRect({left, top, right, bottom}) : RGN_ERROR;
}

Integer GetClipBox(HDC dc, TRect& rect) { return dc ? dc->GetClipBox(rect) : RGN_ERROR; }

Integer GetClipRgn(HDC dc, HRGN region) {
    if (dc == nullptr || region == nullptr) return -1;
    if (!dc->State().ClipRegion) return 0;
    region->Region = *dc->State().ClipRegion;
    return 1;
}

Integer SetMapMode(HDC dc, Integer mode) { return dc ? dc->SetMapMode(mode) : 0; }
Integer GetMapMode(HDC dc) { return dc ? dc->State().MapMode : 0; }

namespace {
bool SetOrigin(TPoint& origin, Integer x, Integer y, TPoint* previous) {
    if (previous) *previous = origin;
    origin = {x, y};
    return true;
}
} // namespace

bool SetViewportOrgEx(HDC dc, Integer x, Integer y, TPoint* previous) {
    return dc && SetOrigin(dc->State().ViewportOrg, x, y, previous);
}
bool GetViewportOrgEx(HDC dc, TPoint* origin) {
    if (!dc || !origin) return false;
    *origin = dc->State().ViewportOrg;
    return true;
}
bool SetWindowOrgEx(HDC dc, Integer x, Integer y, TPoint* previous) {
    return dc && SetOrigin(dc->State().WindowOrg, x, y, previous);
}
bool GetWindowOrgEx(HDC dc, TPoint* origin) {
    if (!dc || !origin) return false;
    *origin = dc->State().WindowOrg;
    return true;
}
bool OffsetViewportOrgEx(HDC dc, Integer dx, Integer dy, TPoint* previous) {
    if (!dc) return false;
    TPoint o = dc->State().ViewportOrg;
    return SetOrigin(dc->State().ViewportOrg, o.X + dx, o.Y + dy, previous);
}

bool LPtoDP(HDC dc, TPoint* points, Integer count) {
    if (!dc || !points) return false;
    for (Integer i = 0; i < count; ++i) points[i] = dc->LPtoDP(points[i]);
    return true;
}

bool DPtoLP(HDC dc, TPoint* points, Integer count) {
    if (!dc || !points) return false;
    for (Integer i = 0; i < count; ++i) points[i] = dc->DPtoLP(points[i]);
    return true;
}

Integer GetDeviceCaps(HDC dc, Integer index) { return dc ? dc->GetDeviceCaps(index) : 0; }

namespace {
template <class T>
T Exchange(T& field, T value) {
    T old = field;
    field = value;
    return old;
}
} // namespace

TColor SetTextColor(HDC dc, TColor color) { return dc ? Exchange(dc->State().TextColor, color) : CLR_INVALID; }
TColor GetTextColor(HDC dc) { return dc ? dc->State().TextColor : CLR_INVALID; }
TColor SetBkColor(HDC dc, TColor color) { return dc ? Exchange(dc->State().BkColor, color) : CLR_INVALID; }
TColor GetBkColor(HDC dc) { return dc ? dc->State().BkColor : CLR_INVALID; }
Integer SetBkMode(HDC dc, Integer mode) {
    if (!dc || (mode != TRANSPARENT && mode != OPAQUE)) return 0;
    return Exchange(dc->State().BkMode, mode);
}
Integer GetBkMode(HDC dc) { return dc ? dc->State().BkMode : 0; }
Cardinal SetTextAlign(HDC dc, Cardinal align) { return dc ? Exchange(dc->State().TextAlign, align) : 0; }
Cardinal GetTextAlign(HDC dc) { return dc ? dc->State().TextAlign : 0; }
Integer SetROP2(HDC dc, Integer rop) {
    if (!dc || rop < R2_BLACK || rop > R2_WHITE) return 0;
    return Exchange(dc->State().Rop2, rop);
}
Integer GetROP2(HDC dc) { return dc ? dc->State().Rop2 : 0; }
Integer SetPolyFillMode(HDC dc, Integer mode) {
    if (!dc || (mode != ALTERNATE && mode != WINDING)) return 0;
    return Exchange(dc->State().PolyFillMode, mode);
}
Integer SetStretchBltMode(HDC dc, Integer mode) { return dc ? Exchange(dc->State().StretchMode, mode) : 0; }
bool GetCurrentPositionEx(HDC dc, TPoint* position) {
    if (!dc || !position) return false;
    *position = dc->State().CurrentPos;
    return true;
}

} // namespace winapi

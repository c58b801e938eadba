#include "graphics/GdiPlusGraphics.h"

#include "GdiPlusNative.h"
#include "GdiPlusConvert.h"

#include <algorithm>
#include <cmath>
#include <numbers>

using detail::GpGraphics;
using detail::GpRegionTree;

namespace detail {

namespace {

double UnitPixels(Unit_ unit) {
    switch (unit) {
    case UnitPoint:
        return 96.0 / 72.0;
    case UnitInch:
        return 96.0;
    case UnitDocument:
        return 96.0 / 300.0;
    case UnitMillimeter:
        return 96.0 / 25.4;
    default:
        return 1; // world, display and pixel
    }
}

// A chain of intersections of shapes: Cairo clips to each in turn.
bool SimpleClip(const GpRegionNode& node) {
    switch (node.Kind) {
    case GpRegionNode::TKind::Combine:
        return node.Mode == CombineModeIntersect && SimpleClip(*node.A) && SimpleClip(*node.B);
    default:
        return true;
    }
}

void ClipTo(cairo_t* cr, const GpRegionNode& node) {
    switch (node.Kind) {
    case GpRegionNode::TKind::Infinite:
        return;
    case GpRegionNode::TKind::Empty:
        cairo_rectangle(cr, 0, 0, 0, 0);
        cairo_clip(cr);
        return;
    case GpRegionNode::TKind::Rect:
        cairo_rectangle(cr, node.Rect.X, node.Rect.Y, node.Rect.Width, node.Rect.Height);
        cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
        cairo_clip(cr);
        return;
    case GpRegionNode::TKind::Path:
        AppendPath(cr, node.Path);
        cairo_set_fill_rule(cr, FillRule(node.Path.Fill));
        cairo_clip(cr);
        return;
    case GpRegionNode::TKind::Combine:
        ClipTo(cr, *node.A);
        ClipTo(cr, *node.B);
        return;
    }
}

} // namespace

double UnitPixelsOf(Unit_ unit) {
    return UnitPixels(unit);
}

GpGraphics::GpGraphics(cairo_t* cr, const cairo_matrix_t& base) : Cr(cairo_reference(cr)), Base(base) {}

GpGraphics::~GpGraphics() {
    cairo_destroy(Cr);
}

cairo_matrix_t GpGraphics::WorldToDevice() const {
    cairo_matrix_t page;
    const double scale = UnitPixels(State.PageUnit) * State.PageScale;
    cairo_matrix_init_scale(&page, scale, scale);
    return Then(Then(State.World, page), State.Container);
}

cairo_matrix_t GpGraphics::WorldToSurface(bool withPixelOffset) const {
    cairo_matrix_t m = WorldToDevice();
    // With pixel offset None (and Default, HighSpeed) pixel centres sit on
    // integer coordinates; Half and HighQuality put them at +0.5.
    if (withPixelOffset && State.PixelOffset != PixelOffsetModeHalf &&
        State.PixelOffset != PixelOffsetModeHighQuality) {
        cairo_matrix_t half;
        cairo_matrix_init_translate(&half, 0.5, 0.5);
        m = Then(m, half);
    }
    return Then(m, Base);
}

GpRegionTree GpGraphics::FullClip() const {
    if (RegionIsInfinite(*State.ContainerClip)) return State.Clip;
    if (RegionIsInfinite(*State.Clip)) return State.ContainerClip;
    return RegionCombine(State.ContainerClip, State.Clip, CombineModeIntersect);
}

void GpGraphics::Begin(bool withPixelOffset) {
    cairo_save(Cr);
    cairo_identity_matrix(Cr);
    const GpRegionTree clip = FullClip();
    if (SimpleClip(*clip)) {
        ClipTo(Cr, *clip);
    } else {
        // Other combinations clip to their whole pixels, made once per clip.
        if (ClipCacheKey != clip) {
            double x1, y1, x2, y2;
            cairo_clip_extents(Cr, &x1, &y1, &x2, &y2);
            const TRect window(Integer(std::floor(std::max(x1, -16384.0))), Integer(std::floor(std::max(y1, -16384.0))),
                               Integer(std::ceil(std::min(x2, 16384.0))), Integer(std::ceil(std::min(y2, 16384.0))));
            cairo_matrix_t identity;
            cairo_matrix_init_identity(&identity);
            ClipCache = RegionPixels(*clip, identity, window);
            ClipCacheKey = clip;
        }
        AppendPixels(Cr, ClipCache);
        cairo_set_fill_rule(Cr, CAIRO_FILL_RULE_WINDING);
        cairo_clip(Cr);
    }
    cairo_new_path(Cr);
    const cairo_matrix_t m = WorldToSurface(withPixelOffset);
    cairo_set_matrix(Cr, &m);
    const bool smooth =
        State.Smoothing == SmoothingModeAntiAlias || State.Smoothing == SmoothingModeHighQuality;
    cairo_set_antialias(Cr, smooth ? CAIRO_ANTIALIAS_GRAY : CAIRO_ANTIALIAS_NONE);
    cairo_set_fill_rule(Cr, CAIRO_FILL_RULE_EVEN_ODD);
    cairo_set_operator(Cr, State.CompositeMode == CompositingModeSourceCopy ? CAIRO_OPERATOR_SOURCE
                                                                            : CAIRO_OPERATOR_OVER);
}

} // namespace detail

// ---- Construction ----

TGPGraphics::TGPGraphics(winapi::HDC dc) {
    if (!dc) {
        lastResult = OutOfMemory; // what GDI+ answers for a null context
        return;
    }
    nativeGraphics = new GpGraphics(dc->Context(), dc->Transform());
    nativeGraphics->Dc = dc;
}

TGPGraphics::TGPGraphics(winapi::HDC dc, void*) : TGPGraphics(dc) {}

TGPGraphics::TGPGraphics(void*, bool) {
    lastResult = NotImplemented;
}

TGPGraphics* TGPGraphics::FromHDC(winapi::HDC dc) {
    return new TGPGraphics(dc);
}

TGPGraphics* TGPGraphics::FromHDC(winapi::HDC dc, void* device) {
    return new TGPGraphics(dc, device);
}

TGPGraphics* TGPGraphics::FromHWND(void* hwnd, bool icm) {
    return new TGPGraphics(hwnd, icm);
}

winapi::HDC TGPGraphics::GetHDC() {
    if (!nativeGraphics) return SetStatus(InvalidParameter), nullptr;
    if (nativeGraphics->Dc) return nativeGraphics->Dc;
    if (!nativeGraphics->ImageDc)
        nativeGraphics->ImageDc = std::make_unique<TDeviceContext>(cairo_get_target(nativeGraphics->Cr));
    return nativeGraphics->ImageDc.get();
}

void TGPGraphics::ReleaseHDC(winapi::HDC dc) {
    if (!nativeGraphics || dc != GetHDC()) SetStatus(InvalidParameter);
}

TGPGraphics::TGPGraphics(TGPImage* image) {
    if (!image) return; // a null handle, status Ok
    if (!image->nativeImage) {
        lastResult = InvalidParameter;
        return;
    }
    cairo_t* cr = cairo_create(image->nativeImage->Surface());
    cairo_matrix_t identity;
    cairo_matrix_init_identity(&identity);
    nativeGraphics = new GpGraphics(cr, identity);
    cairo_destroy(cr);
}

TGPGraphics::TGPGraphics(cairo_t* context, const cairo_matrix_t& base) {
    if (!context) {
        lastResult = InvalidParameter;
        return;
    }
    nativeGraphics = new GpGraphics(context, base);
}

TGPGraphics::~TGPGraphics() {
    delete FCachedFont;
    delete nativeGraphics;
}

TGPGraphics* TGPGraphics::FromImage(TGPImage* image) {
    return new TGPGraphics(image);
}

void TGPGraphics::Flush(FlushIntention) {
    if (nativeGraphics) cairo_surface_flush(cairo_get_target(nativeGraphics->Cr));
}

#define GP_STATE_ACCESSORS(Type, Name, Field, Invalid)                                                       \
    Status TGPGraphics::Set##Name(Type value) {                                                              \
        if (!nativeGraphics) return SetStatus(InvalidParameter);                                             \
        nativeGraphics->State.Field = value;                                                                 \
        return Ok;                                                                                           \
    }                                                                                                        \
    Type TGPGraphics::Get##Name() {                                                                          \
        if (!nativeGraphics) return SetStatus(InvalidParameter), Invalid;                                    \
        return nativeGraphics->State.Field;                                                                  \
    }

GP_STATE_ACCESSORS(CompositingQuality, CompositingQuality, Compositing, CompositingQualityDefault)
GP_STATE_ACCESSORS(TextRenderingHint, TextRenderingHint, TextHint, TextRenderingHintSystemDefault)
GP_STATE_ACCESSORS(SmoothingMode, SmoothingMode, Smoothing, SmoothingModeInvalid)
GP_STATE_ACCESSORS(PixelOffsetMode, PixelOffsetMode, PixelOffset, PixelOffsetModeInvalid)
GP_STATE_ACCESSORS(InterpolationMode, InterpolationMode, Interpolation, InterpolationModeInvalid)
GP_STATE_ACCESSORS(CompositingMode, CompositingMode, CompositeMode, CompositingModeSourceOver)
#undef GP_STATE_ACCESSORS

Status TGPGraphics::SetTextContrast(Cardinal contrast) {
    if (!nativeGraphics || contrast > 12) return SetStatus(InvalidParameter);
    nativeGraphics->State.TextContrast = contrast;
    return Ok;
}

Cardinal TGPGraphics::GetTextContrast() {
    if (!nativeGraphics) return SetStatus(InvalidParameter), 0;
    return nativeGraphics->State.TextContrast;
}

Status TGPGraphics::SetRenderingOrigin(Integer x, Integer y) {
    if (!nativeGraphics) return SetStatus(InvalidParameter);
    nativeGraphics->RenderingOrigin = {x, y};
    return Ok;
}

Status TGPGraphics::GetRenderingOrigin(Integer& x, Integer& y) {
    if (!nativeGraphics) return SetStatus(InvalidParameter);
    x = nativeGraphics->RenderingOrigin.X, y = nativeGraphics->RenderingOrigin.Y;
    return Ok;
}

Status TGPGraphics::SetPageUnit(Unit_ unit) {
    // The world unit is no page unit.
    if (!nativeGraphics || unit <= UnitWorld || unit > UnitMillimeter) return SetStatus(InvalidParameter);
    nativeGraphics->State.PageUnit = unit;
    return Ok;
}

Unit_ TGPGraphics::GetPageUnit() {
    if (!nativeGraphics) return SetStatus(InvalidParameter), UnitWorld;
    return nativeGraphics->State.PageUnit;
}

Status TGPGraphics::SetPageScale(Single scale) {
    if (!nativeGraphics || !(scale > 0) || scale > 1e9f) return SetStatus(InvalidParameter);
    nativeGraphics->State.PageScale = scale;
    return Ok;
}

Single TGPGraphics::GetPageScale() {
    if (!nativeGraphics) return SetStatus(InvalidParameter), 0;
    return nativeGraphics->State.PageScale;
}

Single TGPGraphics::GetDpiX() {
    if (!nativeGraphics) return SetStatus(InvalidParameter), 0;
    return 96;
}

Single TGPGraphics::GetDpiY() {
    if (!nativeGraphics) return SetStatus(InvalidParameter), 0;
    return 96;
}

Status TGPGraphics::GetNearestColor(ARGB&) {
    return nativeGraphics ? Ok : SetStatus(InvalidParameter);
}

namespace {

// From one coordinate space to another: world -> page by the world
// transform, page -> device by the page unit, scale and containers.
bool SpaceMatrix(const GpGraphics& g, CoordinateSpace dest, CoordinateSpace src, cairo_matrix_t& m) {
    if (dest < CoordinateSpaceWorld || dest > CoordinateSpaceDevice || src < CoordinateSpaceWorld ||
        src > CoordinateSpaceDevice)
        return false;
    auto toDevice = [&](CoordinateSpace space) {
        cairo_matrix_t r;
        cairo_matrix_init_identity(&r);
        if (space == CoordinateSpaceWorld) r = g.WorldToDevice();
        if (space == CoordinateSpacePage) {
            cairo_matrix_t world = g.State.World;
            cairo_matrix_invert(&world);
            r = detail::Then(world, g.WorldToDevice());
        }
        return r;
    };
    cairo_matrix_t deviceToDest = toDevice(dest);
    if (cairo_matrix_invert(&deviceToDest) != CAIRO_STATUS_SUCCESS) return false;
    m = detail::Then(toDevice(src), deviceToDest);
    return true;
}

} // namespace

Status TGPGraphics::TransformPoints(CoordinateSpace destSpace, CoordinateSpace srcSpace, TGPPointF* pts,
                                   Integer count) {
    cairo_matrix_t m;
    if (!nativeGraphics || !pts || count <= 0 || !SpaceMatrix(*nativeGraphics, destSpace, srcSpace, m))
        return SetStatus(InvalidParameter);
    for (Integer i = 0; i < count; ++i) {
        double x = pts[i].X, y = pts[i].Y;
        cairo_matrix_transform_point(&m, &x, &y);
        pts[i] = {Single(x), Single(y)};
    }
    return Ok;
}

Status TGPGraphics::TransformPoints(CoordinateSpace destSpace, CoordinateSpace srcSpace, TGPPoint* pts,
                                   Integer count) {
    cairo_matrix_t m;
    if (!nativeGraphics || !pts || count <= 0 || !SpaceMatrix(*nativeGraphics, destSpace, srcSpace, m))
        return SetStatus(InvalidParameter);
    for (Integer i = 0; i < count; ++i) {
        double x = pts[i].X, y = pts[i].Y;
        cairo_matrix_transform_point(&m, &x, &y);
        pts[i] = {Integer(std::lround(x)), Integer(std::lround(y))};
    }
    return Ok;
}

// ---- Transform ----

Status TGPGraphics::SetTransform(const TGPMatrix* matrix) {
    if (!nativeGraphics || !matrix || !matrix->nativeMatrix) return SetStatus(InvalidParameter);
    nativeGraphics->State.World = matrix->nativeMatrix->Value;
    return Ok;
}

Status TGPGraphics::GetTransform(TGPMatrix* matrix) {
    if (!nativeGraphics || !matrix || !matrix->nativeMatrix) return SetStatus(InvalidParameter);
    matrix->nativeMatrix->Value = nativeGraphics->State.World;
    return Ok;
}

Status TGPGraphics::ResetTransform() {
    if (!nativeGraphics) return SetStatus(InvalidParameter);
    cairo_matrix_init_identity(&nativeGraphics->State.World);
    return Ok;
}

Status TGPGraphics::MultiplyTransform(const TGPMatrix* matrix, MatrixOrder order) {
    if (!nativeGraphics || !matrix || !matrix->nativeMatrix) return SetStatus(InvalidParameter);
    detail::Combine(nativeGraphics->State.World, matrix->nativeMatrix->Value, order);
    return Ok;
}

Status TGPGraphics::TranslateTransform(Single dx, Single dy, MatrixOrder order) {
    if (!nativeGraphics) return SetStatus(InvalidParameter);
    cairo_matrix_t m;
    cairo_matrix_init_translate(&m, dx, dy);
    detail::Combine(nativeGraphics->State.World, m, order);
    return Ok;
}

Status TGPGraphics::ScaleTransform(Single sx, Single sy, MatrixOrder order) {
    if (!nativeGraphics) return SetStatus(InvalidParameter);
    cairo_matrix_t m;
    cairo_matrix_init_scale(&m, sx, sy);
    detail::Combine(nativeGraphics->State.World, m, order);
    return Ok;
}

Status TGPGraphics::RotateTransform(Single angle, MatrixOrder order) {
    if (!nativeGraphics) return SetStatus(InvalidParameter);
    cairo_matrix_t m;
    cairo_matrix_init_rotate(&m, angle * std::numbers::pi / 180.0);
    detail::Combine(nativeGraphics->State.World, m, order);
    return Ok;
}

// ---- Clip ----

namespace {

// A world-unit region fixed in surface pixels.
GpRegionTree ToSurface(const GpGraphics& g, const GpRegionTree& world) {
    return detail::RegionTransform(world, g.WorldToSurface(true));
}

GpRegionTree ToWorld(const GpGraphics& g, const GpRegionTree& surface) {
    cairo_matrix_t m = g.WorldToSurface(true);
    if (cairo_matrix_invert(&m) != CAIRO_STATUS_SUCCESS) return detail::RegionEmpty();
    return detail::RegionTransform(surface, m);
}

Status CombineClip(GpGraphics* g, const GpRegionTree& surface, CombineMode mode) {
    if (!g || mode < CombineModeReplace || mode > CombineModeComplement) return InvalidParameter;
    g->State.Clip = detail::RegionCombine(g->State.Clip, surface, mode);
    return Ok;
}

// The visible part of the surface (inside the context's own clip), in
// surface pixels.
TRect SurfaceWindow(GpGraphics& g) {
    cairo_save(g.Cr);
    cairo_identity_matrix(g.Cr);
    double x1, y1, x2, y2;
    cairo_clip_extents(g.Cr, &x1, &y1, &x2, &y2);
    cairo_restore(g.Cr);
    return TRect(Integer(std::floor(std::max(x1, -16384.0))), Integer(std::floor(std::max(y1, -16384.0))),
                 Integer(std::ceil(std::min(x2, 16384.0))), Integer(std::ceil(std::min(y2, 16384.0))));
}

} // namespace

Status TGPGraphics::SetClip(const TGPGraphics* g, CombineMode combineMode) {
    if (!nativeGraphics || !g || !g->nativeGraphics) return SetStatus(InvalidParameter);
    return SetStatus(CombineClip(nativeGraphics, g->nativeGraphics->State.Clip, combineMode));
}

Status TGPGraphics::SetClip(const TGPRectF& r, CombineMode combineMode) {
    if (!nativeGraphics) return SetStatus(InvalidParameter);
    return SetStatus(CombineClip(nativeGraphics, ToSurface(*nativeGraphics, detail::RegionRect(r)), combineMode));
}

Status TGPGraphics::SetClip(const TGPRect& r, CombineMode combineMode) {
    return SetClip(ToF(r), combineMode);
}

Status TGPGraphics::SetClip(const TGPGraphicsPath* path, CombineMode combineMode) {
    if (!nativeGraphics || !path || !path->nativePath) return SetStatus(InvalidParameter);
    return SetStatus(
        CombineClip(nativeGraphics, ToSurface(*nativeGraphics, detail::RegionPath(*path->nativePath)), combineMode));
}

Status TGPGraphics::SetClip(const TGPRegion* region, CombineMode combineMode) {
    if (!nativeGraphics || !region || !region->nativeRegion) return SetStatus(InvalidParameter);
    return SetStatus(CombineClip(nativeGraphics, ToSurface(*nativeGraphics, region->nativeRegion->Root), combineMode));
}

Status TGPGraphics::SetClip(winapi::HRGN hRgn, CombineMode combineMode) {
    if (!nativeGraphics || !hRgn) return SetStatus(InvalidParameter);
    // The handle's pixels are device pixels.
    TGPRegion region(hRgn);
    return SetStatus(CombineClip(
        nativeGraphics, detail::RegionTransform(region.nativeRegion->Root, nativeGraphics->Base), combineMode));
}

Status TGPGraphics::IntersectClip(const TGPRectF& rect) {
    return SetClip(rect, CombineModeIntersect);
}

Status TGPGraphics::IntersectClip(const TGPRect& rect) {
    return SetClip(rect, CombineModeIntersect);
}

Status TGPGraphics::IntersectClip(const TGPRegion* region) {
    return SetClip(region, CombineModeIntersect);
}

Status TGPGraphics::ExcludeClip(const TGPRectF& rect) {
    return SetClip(rect, CombineModeExclude);
}

Status TGPGraphics::ExcludeClip(const TGPRect& rect) {
    return SetClip(rect, CombineModeExclude);
}

Status TGPGraphics::ExcludeClip(const TGPRegion* region) {
    return SetClip(region, CombineModeExclude);
}

Status TGPGraphics::ResetClip() {
    if (!nativeGraphics) return SetStatus(InvalidParameter);
    nativeGraphics->State.Clip = detail::RegionInfinite();
    return Ok;
}

Status TGPGraphics::TranslateClip(Single dx, Single dy) {
    if (!nativeGraphics) return SetStatus(InvalidParameter);
    double x = dx, y = dy;
    const cairo_matrix_t m = nativeGraphics->WorldToSurface(true);
    cairo_matrix_transform_distance(&m, &x, &y);
    cairo_matrix_t shift;
    cairo_matrix_init_translate(&shift, x, y);
    nativeGraphics->State.Clip = detail::RegionTransform(nativeGraphics->State.Clip, shift);
    return Ok;
}

Status TGPGraphics::TranslateClip(Integer dx, Integer dy) {
    return TranslateClip(Single(dx), Single(dy));
}

Status TGPGraphics::GetClip(TGPRegion* region) {
    if (!nativeGraphics || !region || !region->nativeRegion) return SetStatus(InvalidParameter);
    region->nativeRegion->Root = ToWorld(*nativeGraphics, nativeGraphics->State.Clip);
    return Ok;
}

Status TGPGraphics::GetClipBounds(TGPRectF& rect) {
    if (!nativeGraphics) return SetStatus(InvalidParameter);
    TGPRectF bounds;
    const GpRegionTree world = ToWorld(*nativeGraphics, nativeGraphics->State.Clip);
    rect = detail::RegionBounds(*world, bounds) ? bounds : TGPRectF{};
    return Ok;
}

Status TGPGraphics::GetClipBounds(TGPRect& rect) {
    TGPRectF f;
    const Status status = GetClipBounds(f);
    if (status == Ok)
        rect = {Integer(std::floor(f.X)), Integer(std::floor(f.Y)), Integer(std::ceil(f.Width)),
                Integer(std::ceil(f.Height))};
    return status;
}

Status TGPGraphics::GetVisibleClipBounds(TGPRectF& rect) {
    if (!nativeGraphics) return SetStatus(InvalidParameter);
    const TRect window = SurfaceWindow(*nativeGraphics);
    cairo_matrix_t identity;
    cairo_matrix_init_identity(&identity);
    const TPixelRegion pixels = detail::RegionPixels(*nativeGraphics->FullClip(), identity, window);
    if (pixels.IsEmpty()) {
        rect = {};
        return Ok;
    }
    const TRect box = pixels.Box();
    const GpRegionTree world = ToWorld(
        *nativeGraphics,
        detail::RegionRect({Single(box.Left), Single(box.Top), Single(box.Width()), Single(box.Height())}));
    TGPRectF bounds;
    rect = detail::RegionBounds(*world, bounds) ? bounds : TGPRectF{};
    return Ok;
}

Status TGPGraphics::GetVisibleClipBounds(TGPRect& rect) {
    TGPRectF f;
    const Status status = GetVisibleClipBounds(f);
    if (status == Ok)
        rect = {Integer(std::lround(f.X)), Integer(std::lround(f.Y)), Integer(std::lround(f.Width)),
                Integer(std::lround(f.Height))};
    return status;
}

bool TGPGraphics::IsClipEmpty() {
    if (!nativeGraphics) return SetStatus(InvalidParameter), false;
    const GpRegionTree& clip = nativeGraphics->State.Clip;
    if (detail::RegionIsInfinite(*clip)) return false;
    cairo_matrix_t identity;
    cairo_matrix_init_identity(&identity);
    return detail::RegionPixels(*clip, identity, detail::RegionWindow(*clip, identity)).IsEmpty();
}

bool TGPGraphics::IsVisibleClipEmpty() {
    if (!nativeGraphics) return SetStatus(InvalidParameter), false;
    cairo_matrix_t identity;
    cairo_matrix_init_identity(&identity);
    return detail::RegionPixels(*nativeGraphics->FullClip(), identity, SurfaceWindow(*nativeGraphics)).IsEmpty();
}

bool TGPGraphics::IsVisible(Single x, Single y) {
    if (!nativeGraphics) return SetStatus(InvalidParameter), false;
    nativeGraphics->Begin();
    const bool inside = cairo_in_clip(nativeGraphics->Cr, x, y);
    nativeGraphics->End();
    return inside;
}

bool TGPGraphics::IsVisible(const TGPPointF& p) {
    return IsVisible(p.X, p.Y);
}

bool TGPGraphics::IsVisible(Integer x, Integer y) {
    return IsVisible(Single(x), Single(y));
}

bool TGPGraphics::IsVisible(const TGPPoint& p) {
    return IsVisible(Single(p.X), Single(p.Y));
}

bool TGPGraphics::IsVisible(Single x, Single y, Single width, Single height) {
    if (!nativeGraphics) return SetStatus(InvalidParameter), true;
    const GpRegionTree probe = detail::RegionCombine(
        nativeGraphics->FullClip(), ToSurface(*nativeGraphics, detail::RegionRect({x, y, width, height})),
        CombineModeIntersect);
    cairo_matrix_t identity;
    cairo_matrix_init_identity(&identity);
    return !detail::RegionPixels(*probe, identity, SurfaceWindow(*nativeGraphics)).IsEmpty();
}

bool TGPGraphics::IsVisible(const TGPRectF& r) {
    return IsVisible(r.X, r.Y, r.Width, r.Height);
}

bool TGPGraphics::IsVisible(Integer x, Integer y, Integer width, Integer height) {
    return IsVisible(Single(x), Single(y), Single(width), Single(height));
}

bool TGPGraphics::IsVisible(const TGPRect& r) {
    return IsVisible(ToF(r));
}

// ---- Save, restore and containers ----

Cardinal TGPGraphics::Save() {
    if (!nativeGraphics) return SetStatus(InvalidParameter), 0;
    const Cardinal token = nativeGraphics->NextToken++;
    nativeGraphics->Saved.emplace_back(token, nativeGraphics->State);
    return token;
}

Status TGPGraphics::Restore(Cardinal state) {
    if (!nativeGraphics) return SetStatus(InvalidParameter);
    auto& saved = nativeGraphics->Saved;
    for (std::size_t i = saved.size(); i-- > 0;) {
        if (saved[i].first == state) {
            nativeGraphics->State = saved[i].second;
            saved.resize(i);
            return Ok;
        }
    }
    return Ok; // a token already restored or discarded is ignored
}

Cardinal TGPGraphics::BeginContainer(const TGPRectF& dst, const TGPRectF& src, Unit_ unit) {
    if (!nativeGraphics || unit <= UnitWorld || unit > UnitMillimeter || src.Width == 0 || src.Height == 0)
        return SetStatus(InvalidParameter), 0;
    const Cardinal token = Save();
    detail::GpGraphicsState& s = nativeGraphics->State;
    // Inner pixels are source units (of `unit`); the source rectangle lands
    // on the destination, in the outer world units.
    const double f = detail::UnitPixelsOf(unit), sx = double(dst.Width) / src.Width,
                 sy = double(dst.Height) / src.Height;
    cairo_matrix_t place;
    cairo_matrix_init(&place, sx / f, 0, 0, sy / f, dst.X - src.X * sx, dst.Y - src.Y * sy);
    s.Container = detail::Then(place, nativeGraphics->WorldToDevice());
    s.ContainerClip = nativeGraphics->FullClip();
    s.Clip = detail::RegionInfinite();
    cairo_matrix_init_identity(&s.World);
    s.PageUnit = UnitDisplay;
    s.PageScale = 1;
    return token;
}

Cardinal TGPGraphics::BeginContainer(const TGPRect& dst, const TGPRect& src, Unit_ unit) {
    return BeginContainer(ToF(dst), ToF(src), unit);
}

Cardinal TGPGraphics::BeginContainer() {
    if (!nativeGraphics) return SetStatus(InvalidParameter), 0;
    const Cardinal token = Save();
    detail::GpGraphicsState& s = nativeGraphics->State;
    s.Container = nativeGraphics->WorldToDevice();
    s.ContainerClip = nativeGraphics->FullClip();
    s.Clip = detail::RegionInfinite();
    cairo_matrix_init_identity(&s.World);
    s.PageUnit = UnitDisplay;
    s.PageScale = 1;
    return token;
}

Status TGPGraphics::EndContainer(Cardinal state) {
    return Restore(state);
}

Status TGPGraphics::AddMetafileComment(const Byte*, Cardinal) {
    return SetStatus(NotImplemented);
}

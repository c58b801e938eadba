#include "graphics/GdiPlusGraphics.h"

#include "GdiPlusNative.h"

#include <cmath>
#include <numbers>

using detail::GpGraphics;

namespace detail {

GpGraphics::GpGraphics(cairo_t* cr, const cairo_matrix_t& base) : Cr(cairo_reference(cr)), Base(base) {
    cairo_matrix_init_identity(&State.World);
}

GpGraphics::~GpGraphics() {
    cairo_destroy(Cr);
}

cairo_matrix_t GpGraphics::WorldToSurface(bool withPixelOffset) const {
    cairo_matrix_t m = State.World;
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

void GpGraphics::Begin(bool withPixelOffset) {
    cairo_save(Cr);
    cairo_identity_matrix(Cr);
    for (const auto& piece : State.Clip) {
        cairo_new_path(Cr);
        cairo_append_path(Cr, piece->Path);
        cairo_set_fill_rule(Cr, piece->Rule);
        cairo_clip(Cr);
    }
    cairo_new_path(Cr);
    const cairo_matrix_t m = WorldToSurface(withPixelOffset);
    cairo_set_matrix(Cr, &m);
    const bool smooth =
        State.Smoothing == SmoothingModeAntiAlias || State.Smoothing == SmoothingModeHighQuality;
    cairo_set_antialias(Cr, smooth ? CAIRO_ANTIALIAS_GRAY : CAIRO_ANTIALIAS_NONE);
    cairo_set_fill_rule(Cr, CAIRO_FILL_RULE_EVEN_ODD);
    cairo_set_operator(Cr, CAIRO_OPERATOR_OVER);
}

} // namespace detail

namespace {

// A path built in world units by `build`, fixed as a clip piece in surface
// pixels.
template <class Build>
std::shared_ptr<const detail::GpClipPath> ClipPiece(GpGraphics& g, cairo_fill_rule_t rule, Build build) {
    cairo_save(g.Cr);
    const cairo_matrix_t m = g.WorldToSurface(true);
    cairo_set_matrix(g.Cr, &m);
    cairo_new_path(g.Cr);
    build(g.Cr);
    cairo_identity_matrix(g.Cr);
    auto piece = std::make_shared<detail::GpClipPath>();
    piece->Path = cairo_copy_path(g.Cr);
    piece->Rule = rule;
    cairo_new_path(g.Cr);
    cairo_restore(g.Cr);
    return piece;
}

} // namespace

TGPGraphics::TGPGraphics(winapi::HDC dc) {
    if (!dc) {
        lastResult = OutOfMemory; // what GDI+ answers for a null context
        return;
    }
    nativeGraphics = new GpGraphics(dc->Context(), dc->Transform());
    nativeGraphics->Dc = dc;
}

TGPGraphics* TGPGraphics::FromHDC(winapi::HDC dc) {
    return new TGPGraphics(dc);
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

void TGPGraphics::Flush() {
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
#undef GP_STATE_ACCESSORS

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

// ---- Shapes ----

namespace {

template <class Build>
Status Stroke(GpGraphics* g, const TGPPen* pen, Build build) {
    if (!g || !pen || !pen->nativePen) return InvalidParameter;
    g->Begin();
    build(g->Cr);
    detail::ApplyPen(g->Cr, *pen->nativePen);
    cairo_stroke(g->Cr);
    g->End();
    return Ok;
}

template <class Build>
Status Fill(GpGraphics* g, const TGPBrush* brush, cairo_fill_rule_t rule, Build build) {
    if (!g || !brush || !brush->nativeBrush) return InvalidParameter;
    g->Begin();
    build(g->Cr);
    cairo_pattern_t* pattern = detail::CreatePattern(*brush->nativeBrush);
    cairo_set_source(g->Cr, pattern);
    cairo_pattern_destroy(pattern);
    cairo_set_fill_rule(g->Cr, rule);
    cairo_fill(g->Cr);
    g->End();
    return Ok;
}

auto PathOf(const detail::GpPath& path) {
    return [&path](cairo_t* cr) { detail::AppendPath(cr, path); };
}

} // namespace

Status TGPGraphics::Clear(ARGB color) {
    if (!nativeGraphics) return SetStatus(InvalidParameter);
    nativeGraphics->Begin();
    cairo_set_operator(nativeGraphics->Cr, CAIRO_OPERATOR_SOURCE);
    detail::SetSourceArgb(nativeGraphics->Cr, color);
    cairo_paint(nativeGraphics->Cr);
    nativeGraphics->End();
    return Ok;
}

Status TGPGraphics::DrawLine(const TGPPen* pen, Single x1, Single y1, Single x2, Single y2) {
    return SetStatus(Stroke(nativeGraphics, pen, [&](cairo_t* cr) {
        cairo_move_to(cr, x1, y1);
        cairo_line_to(cr, x2, y2);
    }));
}

Status TGPGraphics::DrawLine(const TGPPen* pen, Integer x1, Integer y1, Integer x2, Integer y2) {
    return DrawLine(pen, Single(x1), Single(y1), Single(x2), Single(y2));
}

Status TGPGraphics::DrawLine(const TGPPen* pen, const TGPPointF& pt1, const TGPPointF& pt2) {
    return DrawLine(pen, pt1.X, pt1.Y, pt2.X, pt2.Y);
}

Status TGPGraphics::DrawLines(const TGPPen* pen, const TGPPointF* points, Integer count) {
    if (!points || count < 2) return SetStatus(InvalidParameter);
    return SetStatus(Stroke(nativeGraphics, pen, [&](cairo_t* cr) {
        for (Integer i = 0; i < count; ++i)
            cairo_line_to(cr, points[i].X, points[i].Y);
    }));
}

Status TGPGraphics::DrawArc(const TGPPen* pen, Single x, Single y, Single width, Single height,
                            Single startAngle, Single sweepAngle) {
    TGPGraphicsPath path;
    if (path.AddArc(x, y, width, height, startAngle, sweepAngle) != Ok) return SetStatus(InvalidParameter);
    return DrawPath(pen, &path);
}

Status TGPGraphics::DrawArc(const TGPPen* pen, const TGPRectF& r, Single startAngle, Single sweepAngle) {
    return DrawArc(pen, r.X, r.Y, r.Width, r.Height, startAngle, sweepAngle);
}

Status TGPGraphics::DrawBezier(const TGPPen* pen, const TGPPointF& pt1, const TGPPointF& pt2,
                               const TGPPointF& pt3, const TGPPointF& pt4) {
    return SetStatus(Stroke(nativeGraphics, pen, [&](cairo_t* cr) {
        cairo_move_to(cr, pt1.X, pt1.Y);
        cairo_curve_to(cr, pt2.X, pt2.Y, pt3.X, pt3.Y, pt4.X, pt4.Y);
    }));
}

Status TGPGraphics::DrawRectangle(const TGPPen* pen, Single x, Single y, Single width, Single height) {
    return SetStatus(
        Stroke(nativeGraphics, pen, [&](cairo_t* cr) { cairo_rectangle(cr, x, y, width, height); }));
}

Status TGPGraphics::DrawRectangle(const TGPPen* pen, const TGPRectF& r) {
    return DrawRectangle(pen, r.X, r.Y, r.Width, r.Height);
}

Status TGPGraphics::DrawEllipse(const TGPPen* pen, Single x, Single y, Single width, Single height) {
    TGPGraphicsPath path;
    path.AddEllipse(x, y, width, height);
    return DrawPath(pen, &path);
}

Status TGPGraphics::DrawEllipse(const TGPPen* pen, const TGPRectF& r) {
    return DrawEllipse(pen, r.X, r.Y, r.Width, r.Height);
}

Status TGPGraphics::DrawPolygon(const TGPPen* pen, const TGPPointF* points, Integer count) {
    if (!points || count < 2) return SetStatus(InvalidParameter);
    return SetStatus(Stroke(nativeGraphics, pen, [&](cairo_t* cr) {
        for (Integer i = 0; i < count; ++i)
            cairo_line_to(cr, points[i].X, points[i].Y);
        cairo_close_path(cr);
    }));
}

Status TGPGraphics::DrawPath(const TGPPen* pen, const TGPGraphicsPath* path) {
    if (!path || !path->nativePath) return SetStatus(InvalidParameter);
    return SetStatus(Stroke(nativeGraphics, pen, PathOf(*path->nativePath)));
}

Status TGPGraphics::FillRectangle(const TGPBrush* brush, Single x, Single y, Single width, Single height) {
    return SetStatus(Fill(nativeGraphics, brush, CAIRO_FILL_RULE_WINDING,
                          [&](cairo_t* cr) { cairo_rectangle(cr, x, y, width, height); }));
}

Status TGPGraphics::FillRectangle(const TGPBrush* brush, const TGPRectF& r) {
    return FillRectangle(brush, r.X, r.Y, r.Width, r.Height);
}

Status TGPGraphics::FillRectangle(const TGPBrush* brush, const TGPRect& r) {
    return FillRectangle(brush, Single(r.X), Single(r.Y), Single(r.Width), Single(r.Height));
}

Status TGPGraphics::FillEllipse(const TGPBrush* brush, Single x, Single y, Single width, Single height) {
    TGPGraphicsPath path;
    path.AddEllipse(x, y, width, height);
    return FillPath(brush, &path);
}

Status TGPGraphics::FillEllipse(const TGPBrush* brush, const TGPRectF& r) {
    return FillEllipse(brush, r.X, r.Y, r.Width, r.Height);
}

Status TGPGraphics::FillPolygon(const TGPBrush* brush, const TGPPointF* points, Integer count,
                                FillMode fillMode) {
    if (!points || count < 3) return SetStatus(InvalidParameter);
    return SetStatus(Fill(nativeGraphics, brush, detail::FillRule(fillMode), [&](cairo_t* cr) {
        for (Integer i = 0; i < count; ++i)
            cairo_line_to(cr, points[i].X, points[i].Y);
        cairo_close_path(cr);
    }));
}

Status TGPGraphics::FillPath(const TGPBrush* brush, const TGPGraphicsPath* path) {
    if (!path || !path->nativePath) return SetStatus(InvalidParameter);
    return SetStatus(
        Fill(nativeGraphics, brush, detail::FillRule(path->nativePath->Fill), PathOf(*path->nativePath)));
}

// ---- Images ----

namespace {

// Draws the source part of the image onto the parallelogram whose corners
// are the destination's top left, top right and bottom left.
Status PaintImage(GpGraphics* g, TGPImage* image, const TGPPointF dest[3], double sx, double sy, double sw,
                  double sh, const TGPImageAttributes* attributes) {
    if (!g || !image || !image->nativeImage || sw <= 0 || sh <= 0) return InvalidParameter;
    cairo_surface_t* surface = image->nativeImage->Surface();
    const bool keyed =
        attributes && attributes->nativeImageAttr && attributes->nativeImageAttr->ColorKeyEnabled;
    if (keyed)
        surface = detail::ApplyColorKey(surface, attributes->nativeImageAttr->KeyLow,
                                        attributes->nativeImageAttr->KeyHigh);
    // Images land on whole pixels: no half-pixel shift.
    g->Begin(false);
    cairo_t* cr = g->Cr;
    // Unit square of the source part -> parallelogram.
    cairo_matrix_t place;
    cairo_matrix_init(&place, dest[1].X - dest[0].X, dest[1].Y - dest[0].Y, dest[2].X - dest[0].X,
                      dest[2].Y - dest[0].Y, dest[0].X, dest[0].Y);
    cairo_transform(cr, &place);
    cairo_scale(cr, 1 / sw, 1 / sh);
    cairo_translate(cr, -sx, -sy);
    cairo_set_source_surface(cr, surface, 0, 0);
    const InterpolationMode mode = g->State.Interpolation;
    cairo_pattern_set_filter(cairo_get_source(cr), mode == InterpolationModeNearestNeighbor
                                                       ? CAIRO_FILTER_NEAREST
                                                       : CAIRO_FILTER_BILINEAR);
    cairo_pattern_set_extend(cairo_get_source(cr), CAIRO_EXTEND_PAD);
    cairo_rectangle(cr, sx, sy, sw, sh);
    cairo_fill(cr);
    g->End();
    if (keyed) cairo_surface_destroy(surface);
    return Ok;
}

} // namespace

Status TGPGraphics::DrawImage(TGPImage* image, Integer x, Integer y) {
    if (!image || !image->nativeImage) return SetStatus(InvalidParameter);
    const Single w = Single(image->GetWidth()), h = Single(image->GetHeight());
    return DrawImage(image, Single(x), Single(y), w, h);
}

Status TGPGraphics::DrawImage(TGPImage* image, Single x, Single y, Single width, Single height) {
    if (!image || !image->nativeImage) return SetStatus(InvalidParameter);
    const TGPPointF dest[3] = {{x, y}, {x + width, y}, {x, y + height}};
    return SetStatus(
        PaintImage(nativeGraphics, image, dest, 0, 0, image->GetWidth(), image->GetHeight(), nullptr));
}

Status TGPGraphics::DrawImage(TGPImage* image, const TGPRectF& r) {
    return DrawImage(image, r.X, r.Y, r.Width, r.Height);
}

Status TGPGraphics::DrawImage(TGPImage* image, const TGPRectF& d, Single srcX, Single srcY, Single srcWidth,
                              Single srcHeight, Unit_ srcUnit, const TGPImageAttributes* imageAttributes) {
    if (srcUnit != UnitPixel) return SetStatus(NotImplemented);
    const TGPPointF dest[3] = {{d.X, d.Y}, {d.X + d.Width, d.Y}, {d.X, d.Y + d.Height}};
    return SetStatus(
        PaintImage(nativeGraphics, image, dest, srcX, srcY, srcWidth, srcHeight, imageAttributes));
}

Status TGPGraphics::DrawImage(TGPImage* image, const TGPPointF* destPoints, Integer count) {
    if (!destPoints || (count != 3 && count != 4)) return SetStatus(InvalidParameter);
    if (!image || !image->nativeImage) return SetStatus(InvalidParameter);
    return SetStatus(
        PaintImage(nativeGraphics, image, destPoints, 0, 0, image->GetWidth(), image->GetHeight(), nullptr));
}

Status TGPGraphics::DrawImageRect(TGPImage* image, Integer x, Integer y, Integer w, Integer h) {
    return DrawImage(image, Single(x), Single(y), Single(w), Single(h));
}

Status TGPGraphics::DrawImageRect(TGPImage* image, const TGPRectF& r) {
    auto round = [](Single v) { return Integer(std::nearbyint(v)); }; // halves to even
    return DrawImageRect(image, round(r.X), round(r.Y), round(r.Width), round(r.Height));
}

// ---- Clip ----

namespace {

Status CombineClip(GpGraphics* g, std::shared_ptr<const detail::GpClipPath> piece, CombineMode mode) {
    switch (mode) {
    case CombineModeReplace:
        g->State.Clip = {std::move(piece)};
        return Ok;
    case CombineModeIntersect:
        g->State.Clip.push_back(std::move(piece));
        return Ok;
    default:
        return NotImplemented;
    }
}

} // namespace

Status TGPGraphics::SetClip(const TGPRectF& r, CombineMode combineMode) {
    if (!nativeGraphics) return SetStatus(InvalidParameter);
    auto piece = ClipPiece(*nativeGraphics, CAIRO_FILL_RULE_WINDING,
                           [&](cairo_t* cr) { cairo_rectangle(cr, r.X, r.Y, r.Width, r.Height); });
    return SetStatus(CombineClip(nativeGraphics, std::move(piece), combineMode));
}

Status TGPGraphics::SetClip(const TGPGraphicsPath* path, CombineMode combineMode) {
    if (!nativeGraphics || !path || !path->nativePath) return SetStatus(InvalidParameter);
    auto piece = ClipPiece(*nativeGraphics, detail::FillRule(path->nativePath->Fill),
                           [&](cairo_t* cr) { detail::AppendPath(cr, *path->nativePath); });
    return SetStatus(CombineClip(nativeGraphics, std::move(piece), combineMode));
}

Status TGPGraphics::IntersectClip(const TGPRectF& rect) {
    return SetClip(rect, CombineModeIntersect);
}

Status TGPGraphics::ExcludeClip(const TGPRectF& r) {
    if (!nativeGraphics) return SetStatus(InvalidParameter);
    // Everything but the rectangle: a huge frame around it, filled even-odd.
    auto piece = ClipPiece(*nativeGraphics, CAIRO_FILL_RULE_EVEN_ODD, [&](cairo_t* cr) {
        cairo_rectangle(cr, -1e6, -1e6, 2e6, 2e6);
        cairo_rectangle(cr, r.X, r.Y, r.Width, r.Height);
    });
    nativeGraphics->State.Clip.push_back(std::move(piece));
    return Ok;
}

Status TGPGraphics::ResetClip() {
    if (!nativeGraphics) return SetStatus(InvalidParameter);
    nativeGraphics->State.Clip.clear();
    return Ok;
}

bool TGPGraphics::IsVisible(Single x, Single y) {
    if (!nativeGraphics) return SetStatus(InvalidParameter), false;
    nativeGraphics->Begin();
    const bool inside = cairo_in_clip(nativeGraphics->Cr, x, y);
    nativeGraphics->End();
    return inside;
}

bool TGPGraphics::IsVisible(const TGPRectF& r) {
    if (!nativeGraphics) return SetStatus(InvalidParameter), true;
    nativeGraphics->Begin();
    double x1, y1, x2, y2;
    cairo_clip_extents(nativeGraphics->Cr, &x1, &y1, &x2, &y2);
    nativeGraphics->End();
    return r.X < x2 && r.X + r.Width > x1 && r.Y < y2 && r.Y + r.Height > y1;
}

// ---- Save and restore ----

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

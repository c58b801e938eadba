// Images on a GDI+-style graphics.

#include "graphics/GdiPlusGraphics.h"

#include "GdiPlusNative.h"
#include "GdiPlusConvert.h"

#include <cmath>
#include <vector>

using detail::GpGraphics;

namespace {

double UnitScale(Unit_ unit) {
    return unit == UnitWorld ? 1 : detail::UnitPixelsOf(unit);
}

// Draws the source part of the image onto the parallelogram whose corners
// are the destination's top left, top right and bottom left.
Status PaintImage(GpGraphics* g, cairo_surface_t* surface, const TGPPointF dest[3], double sx, double sy, double sw,
                  double sh, const TGPImageAttributes* attributes, bool pixelOffset = false) {
    if (!g || !surface || sw <= 0 || sh <= 0) return InvalidParameter;
    const detail::GpImageAttributes* attrs = attributes ? attributes->nativeImageAttr : nullptr;
    cairo_surface_t* adjusted = nullptr;
    if (attrs && attrs->For(ColorAdjustTypeBitmap).Any())
        adjusted = surface = detail::AdjustImage(surface, *attrs, ColorAdjustTypeBitmap);
    // Images land on whole pixels: no half-pixel shift.
    g->Begin(pixelOffset);
    cairo_t* cr = g->Cr;
    // Unit square of the source part -> parallelogram.
    cairo_matrix_t place;
    cairo_matrix_init(&place, dest[1].X - dest[0].X, dest[1].Y - dest[0].Y, dest[2].X - dest[0].X,
                      dest[2].Y - dest[0].Y, dest[0].X, dest[0].Y);
    cairo_transform(cr, &place);
    cairo_scale(cr, 1 / sw, 1 / sh);
    cairo_translate(cr, -sx, -sy);
    // A source part reaching past the image: the attributes' wrap mode, or
    // the edge pixels stretched.
    cairo_surface_t* tile = nullptr;
    cairo_extend_t extend = CAIRO_EXTEND_PAD;
    if (attrs) {
        const int w = cairo_image_surface_get_width(surface), h = cairo_image_surface_get_height(surface);
        const bool flipX = attrs->Wrap == WrapModeTileFlipX || attrs->Wrap == WrapModeTileFlipXY;
        const bool flipY = attrs->Wrap == WrapModeTileFlipY || attrs->Wrap == WrapModeTileFlipXY;
        if (attrs->Wrap == WrapModeClamp) {
            extend = CAIRO_EXTEND_NONE;
            cairo_rectangle(cr, sx, sy, sw, sh);
            detail::SetSourceArgb(cr, attrs->WrapColor);
            cairo_fill(cr);
        } else {
            extend = CAIRO_EXTEND_REPEAT;
            if (flipX || flipY) {
                tile = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, flipX ? 2 * w : w, flipY ? 2 * h : h);
                cairo_t* t = cairo_create(tile);
                for (int i = 0; i < (flipX ? 2 : 1); ++i)
                    for (int j = 0; j < (flipY ? 2 : 1); ++j) {
                        cairo_save(t);
                        cairo_translate(t, i ? 2.0 * w : 0, j ? 2.0 * h : 0);
                        cairo_scale(t, i ? -1 : 1, j ? -1 : 1);
                        cairo_set_source_surface(t, surface, 0, 0);
                        cairo_paint(t);
                        cairo_restore(t);
                    }
                cairo_destroy(t);
            }
        }
    }
    cairo_set_source_surface(cr, tile ? tile : surface, 0, 0);
    const InterpolationMode mode = g->State.Interpolation;
    cairo_pattern_set_filter(cairo_get_source(cr), mode == InterpolationModeNearestNeighbor ? CAIRO_FILTER_NEAREST
                                                                                              : CAIRO_FILTER_BILINEAR);
    cairo_pattern_set_extend(cairo_get_source(cr), extend);
    cairo_rectangle(cr, sx, sy, sw, sh);
    cairo_fill(cr);
    g->End();
    if (tile) cairo_surface_destroy(tile);
    if (adjusted) cairo_surface_destroy(adjusted);
    return Ok;
}

cairo_surface_t* SurfaceOf(TGPImage* image) {
    return image && image->nativeImage ? image->nativeImage->Surface() : nullptr;
}

} // namespace

Status TGPGraphics::DrawImage(TGPImage* image, Single x, Single y) {
    if (!image || !image->nativeImage) return SetStatus(InvalidParameter);
    return DrawImage(image, x, y, Single(image->GetWidth()), Single(image->GetHeight()));
}

Status TGPGraphics::DrawImage(TGPImage* image, const TGPPointF& p) {
    return DrawImage(image, p.X, p.Y);
}

Status TGPGraphics::DrawImage(TGPImage* image, Integer x, Integer y) {
    return DrawImage(image, Single(x), Single(y));
}

Status TGPGraphics::DrawImage(TGPImage* image, const TGPPoint& p) {
    return DrawImage(image, Single(p.X), Single(p.Y));
}

Status TGPGraphics::DrawImage(TGPImage* image, Single x, Single y, Single width, Single height) {
    if (!image || !image->nativeImage) return SetStatus(InvalidParameter);
    const TGPPointF dest[3] = {{x, y}, {x + width, y}, {x, y + height}};
    return SetStatus(
        PaintImage(nativeGraphics, SurfaceOf(image), dest, 0, 0, image->GetWidth(), image->GetHeight(), nullptr));
}

Status TGPGraphics::DrawImage(TGPImage* image, const TGPRectF& r) {
    return DrawImage(image, r.X, r.Y, r.Width, r.Height);
}

Status TGPGraphics::DrawImage(TGPImage* image, Integer x, Integer y, Integer width, Integer height) {
    return DrawImage(image, Single(x), Single(y), Single(width), Single(height));
}

Status TGPGraphics::DrawImage(TGPImage* image, const TGPRect& r) {
    return DrawImage(image, Single(r.X), Single(r.Y), Single(r.Width), Single(r.Height));
}

Status TGPGraphics::DrawImage(TGPImage* image, const TGPPointF* destPoints, Integer count) {
    if (!destPoints || (count != 3 && count != 4)) return SetStatus(InvalidParameter);
    if (!image || !image->nativeImage) return SetStatus(InvalidParameter);
    return SetStatus(PaintImage(nativeGraphics, SurfaceOf(image), destPoints, 0, 0, image->GetWidth(),
                                image->GetHeight(), nullptr));
}

Status TGPGraphics::DrawImage(TGPImage* image, const TGPPoint* destPoints, Integer count) {
    if (!destPoints || (count != 3 && count != 4)) return SetStatus(InvalidParameter);
    return DrawImage(image, ToF(destPoints, count).data(), count);
}

Status TGPGraphics::DrawImage(TGPImage* image, Single x, Single y, Single srcX, Single srcY, Single srcWidth,
                              Single srcHeight, Unit_ srcUnit) {
    const double s = UnitScale(srcUnit);
    return DrawImage(image, TGPRectF{x, y, Single(srcWidth * s), Single(srcHeight * s)}, srcX, srcY, srcWidth,
                     srcHeight, srcUnit);
}

Status TGPGraphics::DrawImage(TGPImage* image, Integer x, Integer y, Integer srcX, Integer srcY, Integer srcWidth,
                              Integer srcHeight, Unit_ srcUnit) {
    return DrawImage(image, Single(x), Single(y), Single(srcX), Single(srcY), Single(srcWidth), Single(srcHeight),
                     srcUnit);
}

Status TGPGraphics::DrawImage(TGPImage* image, const TGPRectF& d, Single srcX, Single srcY, Single srcWidth,
                              Single srcHeight, Unit_ srcUnit, const TGPImageAttributes* imageAttributes,
                              ImageAbort callback, void* callbackData) {
    const TGPPointF dest[3] = {{d.X, d.Y}, {d.X + d.Width, d.Y}, {d.X, d.Y + d.Height}};
    return DrawImage(image, dest, 3, srcX, srcY, srcWidth, srcHeight, srcUnit, imageAttributes, callback,
                     callbackData);
}

Status TGPGraphics::DrawImage(TGPImage* image, const TGPRect& d, Integer srcX, Integer srcY, Integer srcWidth,
                              Integer srcHeight, Unit_ srcUnit, const TGPImageAttributes* imageAttributes,
                              ImageAbort callback, void* callbackData) {
    return DrawImage(image, TGPRectF{Single(d.X), Single(d.Y), Single(d.Width), Single(d.Height)}, Single(srcX),
                     Single(srcY), Single(srcWidth), Single(srcHeight), srcUnit, imageAttributes, callback,
                     callbackData);
}

Status TGPGraphics::DrawImage(TGPImage* image, const TGPPointF* destPoints, Integer count, Single srcX, Single srcY,
                              Single srcWidth, Single srcHeight, Unit_ srcUnit,
                              const TGPImageAttributes* imageAttributes, ImageAbort callback, void* callbackData) {
    if (!destPoints || (count != 3 && count != 4)) return SetStatus(InvalidParameter);
    if (srcUnit == UnitWorld || srcUnit == UnitDisplay) return SetStatus(InvalidParameter);
    if (callback && callback(callbackData)) return SetStatus(Aborted);
    // The source part in the image's pixels.
    const double s = UnitScale(srcUnit);
    return SetStatus(PaintImage(nativeGraphics, SurfaceOf(image), destPoints, srcX * s, srcY * s, srcWidth * s,
                                srcHeight * s, imageAttributes));
}

Status TGPGraphics::DrawImage(TGPImage* image, const TGPPoint* destPoints, Integer count, Integer srcX, Integer srcY,
                              Integer srcWidth, Integer srcHeight, Unit_ srcUnit,
                              const TGPImageAttributes* imageAttributes, ImageAbort callback, void* callbackData) {
    if (!destPoints || (count != 3 && count != 4)) return SetStatus(InvalidParameter);
    return DrawImage(image, ToF(destPoints, count).data(), count, Single(srcX), Single(srcY), Single(srcWidth),
                     Single(srcHeight), srcUnit, imageAttributes, callback, callbackData);
}

Status TGPGraphics::DrawImageRect(TGPImage* image, Integer x, Integer y, Integer w, Integer h) {
    return DrawImage(image, Single(x), Single(y), Single(w), Single(h));
}

Status TGPGraphics::DrawImageRect(TGPImage* image, const TGPRectF& r) {
    auto round = [](Single v) { return Integer(std::nearbyint(v)); }; // halves to even
    return DrawImageRect(image, round(r.X), round(r.Y), round(r.Width), round(r.Height));
}

Status TGPGraphics::DrawCachedBitmap(TGPCachedBitmap* cb, Integer x, Integer y) {
    if (!nativeGraphics || !cb || !cb->nativeCachedBitmap) return SetStatus(InvalidParameter);
    const cairo_matrix_t& w = nativeGraphics->State.World;
    if (w.xx != 1 || w.yy != 1 || w.xy != 0 || w.yx != 0) return SetStatus(WrongState);
    // At device pixel (x, y) moved by the world translation only.
    cairo_surface_t* surface = cb->nativeCachedBitmap->Surface();
    const double left = x + w.x0, top = y + w.y0;
    const TGPPointF dest[3] = {{Single(left), Single(top)},
                               {Single(left + cairo_image_surface_get_width(surface)), Single(top)},
                               {Single(left), Single(top + cairo_image_surface_get_height(surface))}};
    const detail::GpGraphicsState saved = nativeGraphics->State;
    cairo_matrix_init_identity(&nativeGraphics->State.World);
    nativeGraphics->State.PageUnit = UnitPixel;
    nativeGraphics->State.PageScale = 1;
    const Status status = PaintImage(nativeGraphics, surface, dest, 0, 0, cairo_image_surface_get_width(surface),
                                     cairo_image_surface_get_height(surface), nullptr);
    nativeGraphics->State = saved;
    return SetStatus(status);
}

#include "graphics/GdiBlit.h"

#include <cmath>

#include "Raster.h"
#include "graphics/Colors.h"

namespace {

// Evaluates a ternary raster operation bit by bit: the operation's middle
// byte is the truth table indexed by pattern (4), source (2) and destination (1).
uint32_t CombineRop3(Cardinal rop, uint32_t pattern, uint32_t source, uint32_t dest) {
    const Cardinal table = (rop >> 16) & 0xFF;
    uint32_t result = 0;
    for (int i = 0; i < 8; ++i) {
        if (!(table & (1u << i))) continue;
        uint32_t p = (i & 4) ? pattern : ~pattern;
        uint32_t s = (i & 2) ? source : ~source;
        uint32_t d = (i & 1) ? dest : ~dest;
        result |= p & s & d;
    }
    return result;
}

bool UsesSource(Cardinal rop) {
    const Cardinal t = (rop >> 16) & 0xFF;
    return ((t >> 2) & 0x33) != (t & 0x33);
}

// The source part as its own image of the destination's size (surface
// pixels), scaled with the context's stretch mode.
cairo_surface_t* ScaledSource(cairo_surface_t* source, const TRect& sourceRect, Integer width, Integer height,
                              bool smooth) {
    cairo_surface_t* image = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
    cairo_t* cr = cairo_create(image);
    cairo_scale(cr, double(width) / sourceRect.Width(), double(height) / sourceRect.Height());
    cairo_set_source_surface(cr, source, -sourceRect.Left, -sourceRect.Top);
    cairo_pattern_set_filter(cairo_get_source(cr), smooth ? CAIRO_FILTER_BILINEAR : CAIRO_FILTER_NEAREST);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_paint(cr);
    cairo_destroy(cr);
    cairo_surface_flush(image);
    return image;
}

// Where the destination lies in surface pixels; a negative extent mirrors.
struct TPlacement {
    TRect Rect;
    bool MirrorX = false;
    bool MirrorY = false;
};

TPlacement Place(winapi::HDC dc, const TRect& logical) {
    double x1 = logical.Left, y1 = logical.Top, x2 = logical.Right, y2 = logical.Bottom;
    dc->LogicalToSurface(x1, y1);
    dc->LogicalToSurface(x2, y2);
    TPlacement p;
    p.MirrorX = x2 < x1;
    p.MirrorY = y2 < y1;
    // A mirrored extent covers the pixels from its start back, start included.
    const double dx = p.MirrorX ? 1 : 0, dy = p.MirrorY ? 1 : 0;
    p.Rect = {Integer(std::lround(std::min(x1, x2) + dx)), Integer(std::lround(std::min(y1, y2) + dy)),
              Integer(std::lround(std::max(x1, x2) + dx)), Integer(std::lround(std::max(y1, y2) + dy))};
    return p;
}

void PaintImage(winapi::HDC dest, const TPlacement& at, cairo_surface_t* image, cairo_operator_t op, double alpha) {
    cairo_t* cr = dest->Context();
    cairo_save(cr);
    cairo_rectangle(cr, at.Rect.Left, at.Rect.Top, at.Rect.Width(), at.Rect.Height());
    cairo_clip(cr);
    cairo_translate(cr, at.Rect.Left, at.Rect.Top);
    if (at.MirrorX || at.MirrorY) {
        cairo_translate(cr, at.MirrorX ? at.Rect.Width() : 0, at.MirrorY ? at.Rect.Height() : 0);
        cairo_scale(cr, at.MirrorX ? -1 : 1, at.MirrorY ? -1 : 1);
    }
    cairo_set_source_surface(cr, image, 0, 0);
    cairo_set_operator(cr, op);
    if (alpha < 1) {
        cairo_paint_with_alpha(cr, alpha);
    } else {
        cairo_paint(cr);
    }
    cairo_restore(cr);
}

// Combines the scaled source with the destination's pixels, inside the clip.
void CombinePixels(winapi::HDC dest, const TPlacement& at, cairo_surface_t* image, Cardinal rop) {
    TPixelRegion target(at.Rect);
    target.Intersect(dest->EffectiveClip());
    if (target.IsEmpty()) return;
    const uint32_t pattern = detail::OpaquePixel(ColorToRGB(dest->State().Brush.Color)) & 0xFFFFFF;
    cairo_surface_t* surface = dest->Surface();
    cairo_surface_flush(surface);
    unsigned char* data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    const unsigned char* src = image ? cairo_image_surface_get_data(image) : nullptr;
    const int srcStride = image ? cairo_image_surface_get_stride(image) : 0;
    const int w = at.Rect.Width(), h = at.Rect.Height();
    for (Integer i = 0; i < target.RectCount(); ++i) {
        TRect r = target.RectAt(i);
        for (int y = r.Top; y < r.Bottom; ++y) {
            auto* row = reinterpret_cast<uint32_t*>(data + y * stride);
            int sy = y - at.Rect.Top;
            if (at.MirrorY) sy = h - 1 - sy;
            for (int x = r.Left; x < r.Right; ++x) {
                uint32_t s = 0;
                if (src) {
                    int sx = x - at.Rect.Left;
                    if (at.MirrorX) sx = w - 1 - sx;
                    s = reinterpret_cast<const uint32_t*>(src + sy * srcStride)[sx];
                }
                row[x] = 0xFF000000u | (CombineRop3(rop, pattern, s, row[x]) & 0xFFFFFF);
            }
        }
    }
    cairo_surface_mark_dirty(surface);
}

} // namespace

bool StretchSurface(winapi::HDC dest, const TRect& destRect, cairo_surface_t* source, const TRect& sourceRect,
                    Cardinal rop) {
    if (!dest) return false;
    TPlacement at = Place(dest, destRect);
    if (at.Rect.IsEmpty()) return true;
    const bool needsSource = UsesSource(rop);
    if (needsSource && (!source || sourceRect.IsEmpty())) return false;
    cairo_surface_t* image = needsSource ? ScaledSource(source, sourceRect, at.Rect.Width(), at.Rect.Height(),
                                                        dest->State().StretchMode == HALFTONE)
                                         : nullptr;
    if (rop == SRCCOPY) {
        PaintImage(dest, at, image, CAIRO_OPERATOR_SOURCE, 1);
    } else if (dest->IsImageSurface()) {
        CombinePixels(dest, at, image, rop);
    } else if (image && (rop == SRCAND || rop == SRCINVERT || rop == SRCPAINT)) {
        // A vector page keeps no pixels: the blend operators give the same
        // result on the black-and-white masks these operations are used with.
        PaintImage(dest, at, image,
                   rop == SRCAND      ? CAIRO_OPERATOR_MULTIPLY
                   : rop == SRCINVERT ? CAIRO_OPERATOR_DIFFERENCE
                                      : CAIRO_OPERATOR_LIGHTEN,
                   1);
    } else {
        // Pattern and constant operations on a page paint their colour.
        TColor color = rop == BLACKNESS ? clBlack : rop == WHITENESS ? clWhite : dest->State().Brush.Color;
        cairo_t* cr = dest->Context();
        cairo_save(cr);
        cairo_rectangle(cr, at.Rect.Left, at.Rect.Top, at.Rect.Width(), at.Rect.Height());
        detail::SetSourceColor(cr, color);
        cairo_fill(cr);
        cairo_restore(cr);
    }
    if (image) cairo_surface_destroy(image);
    return true;
}

namespace winapi {

namespace {
TRect SourceRect(HDC source, Integer x, Integer y, Integer w, Integer h) {
    return source ? source->LogicalToSurface(TRect{x, y, x + w, y + h}) : TRect{};
}
} // namespace

bool BitBlt(HDC dest, Integer x, Integer y, Integer width, Integer height, HDC source, Integer xSrc, Integer ySrc,
            Cardinal rop) {
    return StretchBlt(dest, x, y, width, height, source, xSrc, ySrc, width, height, rop);
}

bool StretchBlt(HDC dest, Integer x, Integer y, Integer width, Integer height, HDC source, Integer xSrc, Integer ySrc,
                Integer widthSrc, Integer heightSrc, Cardinal rop) {
    if (!dest) return false;
    TRect src = SourceRect(source, xSrc, ySrc, widthSrc, heightSrc);
    // A negative source extent mirrors like a negative destination extent.
    TRect destRect{x, y, x + width, y + height};
    if (widthSrc < 0) std::swap(destRect.Left, destRect.Right);
    if (heightSrc < 0) std::swap(destRect.Top, destRect.Bottom);
    return StretchSurface(dest, destRect, source ? source->Surface() : nullptr, src, rop);
}

bool AlphaBlend(HDC dest, Integer x, Integer y, Integer width, Integer height, HDC source, Integer xSrc, Integer ySrc,
                Integer widthSrc, Integer heightSrc, TBlendFunction blend) {
    if (!dest || !source || width <= 0 || height <= 0 || widthSrc <= 0 || heightSrc <= 0) return false;
    TPlacement at = Place(dest, TRect{x, y, x + width, y + height});
    if (at.Rect.IsEmpty()) return true;
    cairo_surface_t* image = ScaledSource(source->Surface(), SourceRect(source, xSrc, ySrc, widthSrc, heightSrc),
                                          at.Rect.Width(), at.Rect.Height(), true);
    if (!(blend.AlphaFormat & AC_SRC_ALPHA)) {
        // Without per-pixel alpha every source pixel counts as opaque.
        unsigned char* data = cairo_image_surface_get_data(image);
        for (int row = 0; row < cairo_image_surface_get_height(image); ++row) {
            auto* p = reinterpret_cast<uint32_t*>(data + row * cairo_image_surface_get_stride(image));
            for (int col = 0; col < cairo_image_surface_get_width(image); ++col) p[col] |= 0xFF000000u;
        }
        cairo_surface_mark_dirty(image);
    }
    PaintImage(dest, at, image, CAIRO_OPERATOR_OVER, blend.SourceConstantAlpha / 255.0);
    cairo_surface_destroy(image);
    return true;
}

bool TransparentBlt(HDC dest, Integer x, Integer y, Integer width, Integer height, HDC source, Integer xSrc,
                    Integer ySrc, Integer widthSrc, Integer heightSrc, TColor transparent) {
    if (!dest || !source || width <= 0 || height <= 0 || widthSrc <= 0 || heightSrc <= 0) return false;
    TPlacement at = Place(dest, TRect{x, y, x + width, y + height});
    if (at.Rect.IsEmpty()) return true;
    cairo_surface_t* image = ScaledSource(source->Surface(), SourceRect(source, xSrc, ySrc, widthSrc, heightSrc),
                                          at.Rect.Width(), at.Rect.Height(), false);
    const uint32_t key = detail::OpaquePixel(ColorToRGB(transparent)) & 0xFFFFFF;
    unsigned char* data = cairo_image_surface_get_data(image);
    for (int row = 0; row < cairo_image_surface_get_height(image); ++row) {
        auto* p = reinterpret_cast<uint32_t*>(data + row * cairo_image_surface_get_stride(image));
        for (int col = 0; col < cairo_image_surface_get_width(image); ++col) {
            p[col] = (p[col] & 0xFFFFFF) == key ? 0 : (p[col] | 0xFF000000u);
        }
    }
    cairo_surface_mark_dirty(image);
    PaintImage(dest, at, image, CAIRO_OPERATOR_OVER, 1);
    cairo_surface_destroy(image);
    return true;
}

} // namespace winapi

#include "graphics/Icons.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

TGdiIcon::TGdiIcon(cairo_surface_t* surface, bool isIcon, TPoint hotSpot)
    : FSurface(surface), FIsIcon(isIcon), FHotSpot(hotSpot) {}

TGdiIcon::~TGdiIcon() {
    cairo_surface_destroy(FSurface);
}

namespace winapi {

namespace {

// The 32-bit pixel at (x, y) of an image surface.
std::uint32_t& PixelOf(cairo_surface_t* surface, int x, int y) {
    unsigned char* row = cairo_image_surface_get_data(surface) + std::ptrdiff_t(y) * cairo_image_surface_get_stride(surface);
    return reinterpret_cast<std::uint32_t*>(row)[x];
}

} // namespace

HICON CreateIconIndirect(const ICONINFO* info) {
    if (!info || !info->hbmMask || !info->hbmColor) return nullptr;
    cairo_surface_t* color = info->hbmColor->Surface();
    cairo_surface_t* mask = info->hbmMask->Surface();
    const int w = cairo_image_surface_get_width(color), h = cairo_image_surface_get_height(color);
    if (w != cairo_image_surface_get_width(mask) || h != cairo_image_surface_get_height(mask)) return nullptr;
    cairo_surface_flush(color);
    cairo_surface_flush(mask);
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
    cairo_surface_flush(surface);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const bool transparent = (PixelOf(mask, x, y) & 0xFFFFFF) == 0xFFFFFF;
            PixelOf(surface, x, y) = transparent ? 0 : (PixelOf(color, x, y) | 0xFF000000u);
        }
    cairo_surface_mark_dirty(surface);
    return new TGdiIcon(surface, info->fIcon,
                        TPoint{Integer(info->xHotspot), Integer(info->yHotspot)});
}

bool GetIconInfo(HICON icon, ICONINFO* info) {
    if (!icon || !info) return false;
    cairo_surface_t* source = icon->Surface();
    cairo_surface_flush(source);
    const int w = cairo_image_surface_get_width(source), h = cairo_image_surface_get_height(source);
    cairo_surface_t* color = cairo_image_surface_create(CAIRO_FORMAT_RGB24, w, h);
    cairo_surface_t* mask = cairo_image_surface_create(CAIRO_FORMAT_RGB24, w, h);
    cairo_surface_flush(color);
    cairo_surface_flush(mask);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const std::uint32_t p = PixelOf(source, x, y);
            const std::uint32_t alpha = p >> 24;
            const bool transparent = alpha < 128;
            std::uint32_t rgb = 0;
            if (!transparent) // straight colour from the premultiplied pixel
                for (int shift : {16, 8, 0})
                    rgb |= std::min<std::uint32_t>(255, (((p >> shift) & 0xFF) * 255 + alpha / 2) / alpha) << shift;
            PixelOf(color, x, y) = rgb;
            PixelOf(mask, x, y) = transparent ? 0xFFFFFF : 0;
        }
    cairo_surface_mark_dirty(color);
    cairo_surface_mark_dirty(mask);
    info->fIcon = icon->IsIcon();
    info->xHotspot = Cardinal(icon->HotSpot().X);
    info->yHotspot = Cardinal(icon->HotSpot().Y);
    info->hbmColor = new TGdiBitmap(color);
    info->hbmMask = new TGdiBitmap(mask);
    return true;
}

bool DestroyIcon(HICON icon) {
    if (!icon) return false;
    delete icon;
    return true;
}

} // namespace winapi

#include "Dib.h"
#include "GdiPlusNative.h"
#include "graphics/GdiBlit.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <tuple>

namespace {

constexpr Cardinal BI_ALPHABITFIELDS = 6;

// The bytes of the description: header, masks and colour table, as the DIB
// reader expects them in front of the pixel rows; 0 when they make no sense.
std::size_t DescriptionSize(const BITMAPINFOHEADER& h) {
    if (h.biSize < sizeof(BITMAPINFOHEADER) || h.biSize > 124) return 0;
    switch (h.biBitCount) {
    case 1:
    case 4:
    case 8:
    case 16:
    case 24:
    case 32:
        break;
    default:
        return 0;
    }
    std::size_t size = h.biSize;
    if (h.biSize == 40 && h.biCompression == BI_BITFIELDS) size += 12;
    if (h.biSize == 40 && h.biCompression == BI_ALPHABITFIELDS) size += 16;
    if (h.biBitCount <= 8) {
        const Cardinal colors = h.biClrUsed ? h.biClrUsed : 1u << h.biBitCount;
        if (colors > 256) return 0;
        size += colors * sizeof(RGBQUAD);
    }
    return size;
}

std::size_t RowsSize(const BITMAPINFOHEADER& h) {
    const std::int64_t stride = (std::int64_t(h.biWidth) * h.biBitCount + 31) / 32 * 4;
    return std::size_t(stride * std::llabs(h.biHeight));
}

} // namespace

namespace detail {

bool ReadDibBits(const BITMAPINFO* info, const void* bits, TDecodedImage& image) {
    if (!bits || !info) return false;
    const BITMAPINFOHEADER& header = info->bmiHeader;
    const std::size_t description = DescriptionSize(header);
    if (description == 0 || header.biWidth <= 0 || header.biHeight == 0 ||
        !detail::ImageSizeAcceptable(header.biWidth, std::llabs(header.biHeight)))
        return false;

    // One buffer in the layout of a packed bitmap, for the shared reader.
    std::vector<Byte> packed(description + RowsSize(header));
    std::memcpy(packed.data(), info, description);
    std::memcpy(packed.data() + description, bits, packed.size() - description);
    try {
        detail::TByteReader reader(packed, u"");
        image = detail::ReadDib(reader, 0, detail::TDibKind::File, description);
    } catch (const EInvalidGraphic&) {
        return false;
    }
    for (auto& pixel : image.Pixels)
        pixel |= 0xFF000000u;
    for (auto& entry : image.Palette)
        entry |= 0xFF000000u;
    image.HasAlpha = false;
    return true;
}

} // namespace detail

namespace winapi {

Integer StretchDIBits(HDC dest, Integer xDest, Integer yDest, Integer destWidth, Integer destHeight,
                      Integer xSrc, Integer ySrc, Integer srcWidth, Integer srcHeight, const void* bits,
                      const BITMAPINFO* info, Cardinal usage, Cardinal rop) {
    if (!dest || usage != DIB_RGB_COLORS) return 0;
    const BITMAPINFOHEADER& header = info ? info->bmiHeader : BITMAPINFOHEADER{};
    TDecodedImage image;
    if (!detail::ReadDibBits(info, bits, image)) return 0;

    // The source rows as counted in memory, then as picture rows: memory
    // row m of a bottom-up bitmap is picture row Height - 1 - m.
    const Integer x0 = std::min(xSrc, xSrc + srcWidth), x1 = std::max(xSrc, xSrc + srcWidth);
    Integer y0 = std::min(ySrc, ySrc + srcHeight), y1 = std::max(ySrc, ySrc + srcHeight);
    if (header.biHeight > 0) std::tie(y0, y1) = std::pair(image.Height - y1, image.Height - y0);
    const TRect sourceRect{x0, y0, x1, y1};
    TRect destRect{xDest, yDest, xDest + destWidth, yDest + destHeight};
    // A negative source extent mirrors like a negative destination extent.
    if (srcWidth < 0) std::swap(destRect.Left, destRect.Right);
    if (srcHeight < 0) std::swap(destRect.Top, destRect.Bottom);

    cairo_surface_t* surface = detail::SurfaceFromDecoded(image);
    const bool done = StretchSurface(dest, destRect, surface, sourceRect, rop);
    cairo_surface_destroy(surface);
    return done ? std::abs(srcHeight) : 0;
}

} // namespace winapi

// Bitmaps: made from pixel memory, GDI bitmaps and graphics; parts copied
// in a pixel format; pixels locked for reading and writing; GDI bitmaps made
// from them.

#include "graphics/GdiPlusGraphics.h"
#include "graphics/GdiPlusImage.h"
#include "graphics/Icons.h"
#include "graphics/ResourceSource.h"

#include "ByteReader.h"
#include "GdiPlusNative.h"
#include "graphics/ImageCodecs.h"
#include "rtl/Encoding.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <fstream>
#include <iterator>
#include <utility>

using detail::GpImage;

namespace {

// Bytes per pixel of the formats that can be locked, 0 for the others.
Integer BytesPerPixel(PixelFormat format) {
    switch (format) {
    case PixelFormat16bppGrayScale:
    case PixelFormat16bppRGB555:
    case PixelFormat16bppRGB565:
    case PixelFormat16bppARGB1555:
        return 2;
    case PixelFormat24bppRGB:
        return 3;
    case PixelFormat32bppRGB:
    case PixelFormat32bppARGB:
    case PixelFormat32bppPARGB:
        return 4;
    case PixelFormat8bppIndexed:
        return 1;
    default:
        return 0;
    }
}

Integer StrideOf(Integer width, PixelFormat format) {
    return (width * BytesPerPixel(format) + 3) & ~3;
}

// A straight ARGB value into the format's bytes, and back.
void Put(Byte* at, PixelFormat format, ARGB c, const std::vector<ARGB>& palette) {
    const unsigned r = ARGBRed(c), g = ARGBGreen(c), b = ARGBBlue(c), a = ARGBAlpha(c);
    switch (format) {
    case PixelFormat16bppGrayScale: {
        const Word v = Word((r * 299 + g * 587 + b * 114) / 1000 * 257);
        std::memcpy(at, &v, 2);
        break;
    }
    case PixelFormat16bppRGB555:
    case PixelFormat16bppARGB1555: {
        Word v = Word((r >> 3) << 10 | (g >> 3) << 5 | (b >> 3));
        if (format == PixelFormat16bppARGB1555 && a >= 128) v |= 0x8000;
        std::memcpy(at, &v, 2);
        break;
    }
    case PixelFormat16bppRGB565: {
        const Word v = Word((r >> 3) << 11 | (g >> 2) << 5 | (b >> 3));
        std::memcpy(at, &v, 2);
        break;
    }
    case PixelFormat24bppRGB:
        at[0] = Byte(b), at[1] = Byte(g), at[2] = Byte(r);
        break;
    case PixelFormat32bppRGB:
    case PixelFormat32bppARGB: {
        const std::uint32_t v = format == PixelFormat32bppRGB ? (c | 0xFF000000) : c;
        std::memcpy(at, &v, 4);
        break;
    }
    case PixelFormat32bppPARGB: {
        auto pre = [a](unsigned v) { return (v * a + 127) / 255; };
        const std::uint32_t v = a << 24 | pre(r) << 16 | pre(g) << 8 | pre(b);
        std::memcpy(at, &v, 4);
        break;
    }
    case PixelFormat8bppIndexed: {
        // The nearest palette entry.
        std::size_t best = 0;
        long bestDistance = -1;
        for (std::size_t i = 0; i < palette.size(); ++i) {
            const long dr = long(ARGBRed(palette[i])) - r, dg = long(ARGBGreen(palette[i])) - g,
                       db = long(ARGBBlue(palette[i])) - b, da = long(ARGBAlpha(palette[i])) - a;
            const long d = dr * dr + dg * dg + db * db + da * da;
            if (bestDistance < 0 || d < bestDistance) best = i, bestDistance = d;
        }
        at[0] = Byte(best);
        break;
    }
    default:
        break;
    }
}

ARGB Get(const Byte* at, PixelFormat format, const std::vector<ARGB>& palette) {
    auto expand5 = [](unsigned v) { return Byte(v << 3 | v >> 2); };
    switch (format) {
    case PixelFormat16bppGrayScale: {
        Word v;
        std::memcpy(&v, at, 2);
        const Byte g = Byte(v >> 8);
        return ComposeARGB(255, g, g, g);
    }
    case PixelFormat16bppRGB555:
    case PixelFormat16bppARGB1555: {
        Word v;
        std::memcpy(&v, at, 2);
        const Byte a = format == PixelFormat16bppARGB1555 ? ((v & 0x8000) ? 255 : 0) : 255;
        return ComposeARGB(a, expand5(v >> 10 & 31), expand5(v >> 5 & 31), expand5(v & 31));
    }
    case PixelFormat16bppRGB565: {
        Word v;
        std::memcpy(&v, at, 2);
        const unsigned g6 = v >> 5 & 63;
        return ComposeARGB(255, expand5(v >> 11 & 31), Byte(g6 << 2 | g6 >> 4), expand5(v & 31));
    }
    case PixelFormat24bppRGB:
        return ComposeARGB(255, at[2], at[1], at[0]);
    case PixelFormat32bppRGB:
    case PixelFormat32bppARGB: {
        std::uint32_t v;
        std::memcpy(&v, at, 4);
        return format == PixelFormat32bppRGB ? (v | 0xFF000000) : v;
    }
    case PixelFormat32bppPARGB: {
        std::uint32_t v;
        std::memcpy(&v, at, 4);
        const unsigned a = v >> 24;
        auto straight = [a](unsigned c) { return Byte(a == 0 ? 0 : std::min(255u, (c * 255 + a / 2) / a)); };
        return ComposeARGB(Byte(a), straight(v >> 16 & 0xFF), straight(v >> 8 & 0xFF), straight(v & 0xFF));
    }
    case PixelFormat8bppIndexed:
        return at[0] < palette.size() ? palette[at[0]] : 0xFF000000;
    default:
        return 0;
    }
}

// The palette an 8-bit lock uses: the image's own, or gray steps.
std::vector<ARGB> LockPalette(const GpImage& image) {
    if (!image.Palette.empty()) return image.Palette;
    std::vector<ARGB> gray;
    for (unsigned i = 0; i < 256; ++i)
        gray.push_back(ComposeARGB(255, Byte(i), Byte(i), Byte(i)));
    return gray;
}

bool Inside(const GpImage& image, const TGPRect& r) {
    const int w = cairo_image_surface_get_width(image.Surface()), h = cairo_image_surface_get_height(image.Surface());
    return r.X >= 0 && r.Y >= 0 && r.Width > 0 && r.Height > 0 && r.X <= w - r.Width && r.Y <= h - r.Height;
}

class TWrappedBitmap : public TGPBitmap {
public:
    TWrappedBitmap(GpImage* native, Status status) : TGPBitmap(native, status) {}
};

GpImage* NewImage(cairo_surface_t* surface, PixelFormat format) {
    auto* image = new GpImage;
    image->Frames.push_back(surface);
    image->Format = format;
    return image;
}

} // namespace

TGPBitmap::TGPBitmap(const String& filename, bool useEmbeddedColorManagement)
    : TGPImage(filename, useEmbeddedColorManagement) {}

TGPBitmap* TGPBitmap::FromFile(const String& filename, bool useEmbeddedColorManagement) {
    return new TGPBitmap(filename, useEmbeddedColorManagement);
}

TGPBitmap::TGPBitmap(Integer width, Integer height, Integer stride, PixelFormat format, const Byte* scan0) {
    const Integer bpp = BytesPerPixel(format);
    if (width <= 0 || height <= 0 || bpp == 0 || !detail::ImageSizeAcceptable(width, height) ||
        (scan0 && std::abs(stride) < width * bpp)) {
        lastResult = InvalidParameter;
        return;
    }
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
    auto* image = NewImage(surface, format);
    if (scan0) {
        const std::vector<ARGB> palette = LockPalette(*image);
        TDecodedImage pixels = TDecodedImage::Blank(width, height);
        for (Integer y = 0; y < height; ++y)
            for (Integer x = 0; x < width; ++x)
                pixels.SetPixel(x, y, Get(scan0 + std::ptrdiff_t(y) * stride + x * bpp, format, palette));
        cairo_surface_destroy(surface);
        image->Frames[0] = detail::SurfaceFromDecoded(pixels);
    }
    nativeImage = image;
}

TGPBitmap::TGPBitmap(Integer width, Integer height, TGPGraphics* target) : TGPBitmap(width, height) {
    if (!target || !target->nativeGraphics) {
        delete nativeImage;
        nativeImage = nullptr;
        lastResult = InvalidParameter;
    }
}

TGPBitmap::TGPBitmap(winapi::HBITMAP hbm, void*) {
    if (!hbm || !hbm->Surface()) {
        lastResult = InvalidParameter;
        return;
    }
    cairo_surface_t* copy = detail::CopySurface(hbm->Surface());
    // GDI bitmaps carry no alpha: every pixel is opaque.
    cairo_t* cr = cairo_create(copy);
    cairo_set_operator(cr, CAIRO_OPERATOR_DEST_OVER);
    cairo_set_source_rgb(cr, 0, 0, 0);
    cairo_paint(cr);
    cairo_destroy(cr);
    nativeImage = NewImage(copy, PixelFormat32bppRGB);
}

TGPBitmap::TGPBitmap(winapi::HICON hicon) {
    if (!hicon || !hicon->Surface()) {
        lastResult = InvalidParameter;
        return;
    }
    nativeImage = NewImage(detail::CopySurface(hicon->Surface()), PixelFormat32bppARGB);
}

// A picture stored as a module resource, in any of the formats the codecs
// read. A module without that resource (or with no resources at all)
// answers InvalidParameter.
TGPBitmap::TGPBitmap(void* hInstance, const String& bitmapName) {
    const IResourceSource* source = ResourceSource();
    const auto bytes = source ? source->FindResource(hInstance, bitmapName) : std::nullopt;
    if (!bytes) {
        lastResult = InvalidParameter;
        return;
    }
    Load(*bytes);
}

namespace {

const IResourceSource*& RegisteredSource() {
    static const IResourceSource* source = nullptr;
    return source;
}

} // namespace

const IResourceSource* SetResourceSource(const IResourceSource* source) {
    return std::exchange(RegisteredSource(), source);
}

const IResourceSource* ResourceSource() {
    return RegisteredSource();
}

TGPBitmap* TGPBitmap::FromHBITMAP(winapi::HBITMAP hbm, void* hpal) {
    return new TGPBitmap(hbm, hpal);
}

TGPBitmap* TGPBitmap::FromHICON(winapi::HICON hicon) {
    return new TGPBitmap(hicon);
}

TGPBitmap* TGPBitmap::FromResource(void* hInstance, const String& bitmapName) {
    return new TGPBitmap(hInstance, bitmapName);
}

TGPBitmap* TGPBitmap::Clone(Integer x, Integer y, Integer width, Integer height, PixelFormat format) {
    // The integer overloads store the status unconditionally.
    if (!nativeImage || !Inside(*nativeImage, {x, y, width, height}) ||
        (format != PixelFormatUndefined && BytesPerPixel(format) == 0 && !(format & PixelFormatIndexed))) {
        lastResult = InvalidParameter;
        return nullptr;
    }
    lastResult = Ok;
    cairo_surface_t* part = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
    cairo_t* cr = cairo_create(part);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_set_source_surface(cr, nativeImage->Surface(), -x, -y);
    cairo_paint(cr);
    cairo_destroy(cr);
    const PixelFormat target = format == PixelFormatUndefined ? nativeImage->Format : format;
    auto* image = NewImage(part, target);
    image->Palette = nativeImage->Palette;
    image->DpiX = nativeImage->DpiX, image->DpiY = nativeImage->DpiY;
    // A format without alpha makes the copy opaque.
    if (!(target & (PixelFormatAlpha | PixelFormatPAlpha)) && !(target & PixelFormatIndexed)) {
        TDecodedImage pixels;
        detail::DecodedFromSurface(part, pixels);
        for (auto& p : pixels.Pixels)
            p |= 0xFF000000;
        cairo_surface_destroy(part);
        image->Frames[0] = detail::SurfaceFromDecoded(pixels);
    }
    return new TWrappedBitmap(image, Ok);
}

TGPBitmap* TGPBitmap::Clone(const TGPRect& r, PixelFormat format) {
    return Clone(r.X, r.Y, r.Width, r.Height, format);
}

TGPBitmap* TGPBitmap::Clone(Single x, Single y, Single width, Single height, PixelFormat format) {
    const Status before = lastResult;
    TGPBitmap* copy = Clone(Integer(std::lround(x)), Integer(std::lround(y)), Integer(std::lround(width)),
                            Integer(std::lround(height)), format);
    // The float overloads keep the status rule.
    if (lastResult == Ok) lastResult = before;
    if (lastResult != Ok) {
        delete copy;
        return nullptr;
    }
    return copy;
}

TGPBitmap* TGPBitmap::Clone(const TGPRectF& r, PixelFormat format) {
    return Clone(r.X, r.Y, r.Width, r.Height, format);
}

Status TGPBitmap::LockBits(const TGPRect* rect, Cardinal flags, PixelFormat format, BitmapData* data) {
    if (!nativeImage || !data) return SetStatus(InvalidParameter);
    if (nativeImage->Lock) return SetStatus(WrongState);
    cairo_surface_t* surface = nativeImage->Surface();
    const TGPRect r = rect ? *rect
                           : TGPRect{0, 0, cairo_image_surface_get_width(surface),
                                     cairo_image_surface_get_height(surface)};
    const Integer bpp = BytesPerPixel(format);
    if (!Inside(*nativeImage, r) || bpp == 0 || !(flags & (ImageLockModeRead | ImageLockModeWrite)))
        return SetStatus(InvalidParameter);
    auto lock = std::make_unique<GpImage::TLock>();
    lock->Rect = r, lock->Format = format, lock->Flags = flags;
    if (flags & ImageLockModeUserInputBuf) {
        // The caller's buffer must hold the whole rectangle.
        if (!data->Scan0 || std::abs(data->Stride) < r.Width * bpp) return SetStatus(InvalidParameter);
        lock->Scan0 = static_cast<Byte*>(data->Scan0);
        lock->Stride = data->Stride;
    } else {
        lock->Stride = StrideOf(r.Width, format);
        lock->Buffer.assign(std::size_t(lock->Stride) * std::size_t(r.Height), 0);
        lock->Scan0 = lock->Buffer.data();
    }
    if (flags & ImageLockModeRead) {
        const std::vector<ARGB> palette = LockPalette(*nativeImage);
        TDecodedImage pixels;
        detail::DecodedFromSurface(surface, pixels);
        for (Integer y = 0; y < r.Height; ++y)
            for (Integer x = 0; x < r.Width; ++x)
                Put(lock->Scan0 + std::ptrdiff_t(y) * lock->Stride + x * bpp, format, pixels.Pixel(r.X + x, r.Y + y),
                    palette);
    }
    *data = {Cardinal(r.Width), Cardinal(r.Height), lock->Stride, format, lock->Scan0, 0};
    nativeImage->Lock = std::move(lock);
    return Ok;
}

Status TGPBitmap::UnlockBits(BitmapData* data) {
    if (!nativeImage || !data) return SetStatus(InvalidParameter);
    if (!nativeImage->Lock || data->Scan0 != nativeImage->Lock->Scan0) return SetStatus(WrongState);
    const GpImage::TLock& lock = *nativeImage->Lock;
    if (lock.Flags & ImageLockModeWrite) {
        cairo_surface_t* surface = nativeImage->Surface();
        const std::vector<ARGB> palette = LockPalette(*nativeImage);
        const Integer bpp = BytesPerPixel(lock.Format);
        TDecodedImage pixels;
        detail::DecodedFromSurface(surface, pixels);
        for (Integer y = 0; y < lock.Rect.Height; ++y)
            for (Integer x = 0; x < lock.Rect.Width; ++x)
                pixels.SetPixel(lock.Rect.X + x, lock.Rect.Y + y,
                                Get(lock.Scan0 + std::ptrdiff_t(y) * lock.Stride + x * bpp, lock.Format, palette));
        cairo_surface_t* written = detail::SurfaceFromDecoded(pixels);
        cairo_t* cr = cairo_create(surface);
        cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
        cairo_set_source_surface(cr, written, 0, 0);
        cairo_paint(cr);
        cairo_destroy(cr);
        cairo_surface_destroy(written);
    }
    nativeImage->Lock.reset();
    return Ok;
}

Status TGPBitmap::SetResolution(Single xdpi, Single ydpi) {
    if (!nativeImage || !(xdpi > 0) || !(ydpi > 0)) return SetStatus(InvalidParameter);
    nativeImage->DpiX = xdpi, nativeImage->DpiY = ydpi;
    return Ok;
}

Status TGPBitmap::GetHBITMAP(ARGB colorBackground, winapi::HBITMAP& hbmReturn) {
    hbmReturn = nullptr;
    if (!nativeImage) return SetStatus(InvalidParameter);
    cairo_surface_t* source = nativeImage->Surface();
    cairo_surface_t* opaque = cairo_image_surface_create(CAIRO_FORMAT_RGB24, cairo_image_surface_get_width(source),
                                                         cairo_image_surface_get_height(source));
    cairo_t* cr = cairo_create(opaque);
    detail::SetSourceArgb(cr, colorBackground | 0xFF000000);
    cairo_paint(cr);
    cairo_set_source_surface(cr, source, 0, 0);
    cairo_paint(cr);
    cairo_destroy(cr);
    hbmReturn = new TGdiBitmap(opaque);
    return Ok;
}

Status TGPBitmap::GetHICON(winapi::HICON& hicon) {
    hicon = nullptr;
    if (!nativeImage) return SetStatus(InvalidParameter);
    hicon = new TGdiIcon(detail::CopySurface(nativeImage->Surface()), true, TPoint{});
    return Ok;
}

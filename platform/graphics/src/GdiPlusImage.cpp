#include "graphics/GdiPlusImage.h"
#include "graphics/GdiPlusGraphics.h"

#include "ByteReader.h"
#include "Dib.h"
#include "GdiPlusNative.h"
#include "graphics/ImageCodecs.h"
#include "rtl/Encoding.h"
#include "rtl/Stream.h"

#include <fstream>
#include <iterator>

namespace detail {

GpImage::GpImage(const GpImage& other)
    : ActiveFrame(other.ActiveFrame), RawFormat(other.RawFormat), Format(other.Format), Palette(other.Palette),
      DpiX(other.DpiX), DpiY(other.DpiY), Properties(other.Properties) {
    // A copy owns its pixels: changing one never shows in the other.
    for (auto* f : other.Frames)
        Frames.push_back(CopySurface(f));
}

cairo_surface_t* CopySurface(cairo_surface_t* source) {
    cairo_surface_t* copy = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, cairo_image_surface_get_width(source),
                                                       cairo_image_surface_get_height(source));
    cairo_t* cr = cairo_create(copy);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_set_source_surface(cr, source, 0, 0);
    cairo_paint(cr);
    cairo_destroy(cr);
    return copy;
}

GpImage::~GpImage() {
    for (auto* f : Frames)
        cairo_surface_destroy(f);
}

cairo_surface_t* SurfaceFromDecoded(const TDecodedImage& image) {
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, image.Width, image.Height);
    cairo_surface_flush(surface);
    unsigned char* data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    for (Integer y = 0; y < image.Height; ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(data + std::size_t(y) * stride);
        for (Integer x = 0; x < image.Width; ++x) {
            const ARGB p = image.Pixel(x, y);
            const unsigned a = ARGBAlpha(p);
            auto pre = [a](unsigned c) { return (c * a + 127) / 255; };
            row[x] = (a << 24) | (pre(ARGBRed(p)) << 16) | (pre(ARGBGreen(p)) << 8) | pre(ARGBBlue(p));
        }
    }
    cairo_surface_mark_dirty(surface);
    return surface;
}

void DecodedFromSurface(cairo_surface_t* surface, TDecodedImage& image) {
    cairo_surface_flush(surface);
    image =
        TDecodedImage::Blank(cairo_image_surface_get_width(surface), cairo_image_surface_get_height(surface));
    const unsigned char* data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    for (Integer y = 0; y < image.Height; ++y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(data + std::size_t(y) * stride);
        for (Integer x = 0; x < image.Width; ++x) {
            const std::uint32_t p = row[x];
            const unsigned a = p >> 24;
            auto straight = [a](unsigned c) { return a == 0 ? 0u : std::min(255u, (c * 255 + a / 2) / a); };
            image.SetPixel(x, y,
                           (a << 24) | (straight((p >> 16) & 0xFF) << 16) | (straight((p >> 8) & 0xFF) << 8) |
                               straight(p & 0xFF));
        }
    }
    image.HasAlpha = true;
}

} // namespace detail

using detail::GpImage;

namespace {

struct TFormatInfo {
    TGUID Raw;
    TGPImageFormat Format;
};

TFormatInfo FormatOf(TImageFileFormat format) {
    switch (format) {
    case TImageFileFormat::Bmp:
        return {ImageFormatBMP, ifBMP};
    case TImageFileFormat::Icon:
        return {ImageFormatIcon, ifIcon};
    case TImageFileFormat::Png:
        return {ImageFormatPNG, ifPNG};
    case TImageFileFormat::Jpeg:
        return {ImageFormatJPEG, ifJPEG};
    case TImageFileFormat::Gif:
        return {ImageFormatGIF, ifGIF};
    case TImageFileFormat::Unknown:
        break;
    }
    return {ImageFormatUndefined, ifUndefined};
}

PixelFormat PixelFormatOf(const TDecodedImage& image) {
    if (image.Indexed) {
        switch (image.BitsPerPixel) {
        case 1:
            return PixelFormat1bppIndexed;
        case 4:
            return PixelFormat4bppIndexed;
        default:
            return PixelFormat8bppIndexed;
        }
    }
    if (image.HasAlpha) return PixelFormat32bppARGB;
    if (image.BitsPerPixel == 32) return PixelFormat32bppRGB;
    if (image.BitsPerPixel == 16) return PixelFormat16bppRGB555;
    return PixelFormat24bppRGB;
}

std::vector<Byte> ReadRest(TStream* stream) {
    std::vector<Byte> bytes(std::size_t(std::max<Int64>(0, stream->Size() - stream->Position())));
    if (!bytes.empty()) bytes.resize(std::size_t(stream->Read(bytes.data(), Int64(bytes.size()))));
    return bytes;
}

} // namespace

TGPImage::TGPImage(GpImage* native, Status status) : nativeImage(native) {
    lastResult = status;
}

void TGPImage::Load(std::span<const Byte> bytes) {
    const TImageFileFormat format = SniffImageFormat(bytes);
    if (format == TImageFileFormat::Unknown) {
        lastResult = UnknownImageFormat;
        return;
    }
    try {
        auto* image = new GpImage;
        nativeImage = image;
        image->RawFormat = FormatOf(format).Raw;
        if (format == TImageFileFormat::Gif) {
            // The frames' delays, in hundredths of a second, as GDI+ lists them.
            std::vector<Byte> delays;
            for (const auto& frame : DecodeGif(bytes)) {
                image->Frames.push_back(detail::SurfaceFromDecoded(frame.Image));
                if (image->Palette.empty()) image->Palette = frame.Image.Palette;
                const Cardinal delay = Cardinal(frame.DelayMs / 10);
                delays.insert(delays.end(), reinterpret_cast<const Byte*>(&delay),
                              reinterpret_cast<const Byte*>(&delay) + 4);
            }
            image->Properties.push_back({PropertyTagFrameDelay, PropertyTagTypeLong, delays});
            image->Format = PixelFormat8bppIndexed;
        } else {
            const TDecodedImage decoded = DecodeImage(bytes);
            image->Frames.push_back(detail::SurfaceFromDecoded(decoded));
            image->Format = PixelFormatOf(decoded);
            if (decoded.Indexed) image->Palette = decoded.Palette;
        }
        lastResult = Ok;
    } catch (const EInvalidGraphic&) {
        delete nativeImage;
        nativeImage = nullptr;
        lastResult = InvalidParameter; // GDI+'s answer for undecodable data
    }
}

TGPImage::TGPImage(std::span<const Byte> bytes) {
    Load(bytes);
}

TGPImage::TGPImage(TStream* stream, bool) {
    if (!stream) {
        lastResult = InvalidParameter;
        return;
    }
    Load(ReadRest(stream));
}

TGPImage::TGPImage(const String& fileName, bool) {
    std::ifstream file(Utf8(fileName), std::ios::binary);
    if (!file) {
        lastResult = FileNotFound;
        return;
    }
    const std::vector<Byte> bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    Load(bytes);
}

TGPImage::~TGPImage() {
    delete nativeImage;
}

TGPImage* TGPImage::FromStream(TStream* stream, bool useEmbeddedColorManagement) {
    return new TGPImage(stream, useEmbeddedColorManagement);
}

TGPImage* TGPImage::FromFile(const String& fileName, bool useEmbeddedColorManagement) {
    return new TGPImage(fileName, useEmbeddedColorManagement);
}

TGPImage* TGPImage::Clone() {
    // A failed copy still gives an object, with a null handle.
    if (!nativeImage) return SetStatus(InvalidParameter), new TGPImage(nullptr, lastResult);
    return new TGPImage(new GpImage(*nativeImage), lastResult);
}

ImageType TGPImage::GetType() {
    if (!nativeImage) return SetStatus(InvalidParameter), ImageTypeUnknown;
    return ImageTypeBitmap;
}

Cardinal TGPImage::GetWidth() {
    if (!nativeImage) return SetStatus(InvalidParameter), 0;
    return Cardinal(cairo_image_surface_get_width(nativeImage->Surface()));
}

Cardinal TGPImage::GetHeight() {
    if (!nativeImage) return SetStatus(InvalidParameter), 0;
    return Cardinal(cairo_image_surface_get_height(nativeImage->Surface()));
}

Status TGPImage::GetRawFormat(TGUID& format) {
    if (!nativeImage) return SetStatus(InvalidParameter);
    format = nativeImage->RawFormat;
    return Ok;
}

PixelFormat TGPImage::GetPixelFormat() {
    if (!nativeImage) return SetStatus(InvalidParameter), PixelFormatUndefined;
    return nativeImage->Format;
}

Integer TGPImage::GetFrameCount() {
    if (!nativeImage) return SetStatus(InvalidParameter), 0;
    return Integer(nativeImage->Frames.size());
}

Status TGPImage::SelectActiveFrame(Integer frameIndex) {
    if (!nativeImage || frameIndex < 0 || frameIndex >= Integer(nativeImage->Frames.size()))
        return SetStatus(InvalidParameter);
    nativeImage->ActiveFrame = std::size_t(frameIndex);
    return Ok;
}

TGPImageFormat TGPImage::GetFormat() {
    // The identifier query's status is not recorded.
    if (!nativeImage) return ifUndefined;
    const TGUID& raw = nativeImage->RawFormat;
    const struct {
        const TGUID& Guid;
        TGPImageFormat Format;
    } table[] = {{ImageFormatMemoryBMP, ifMemoryBMP},
                 {ImageFormatBMP, ifBMP},
                 {ImageFormatEMF, ifEMF},
                 {ImageFormatWMF, ifWMF},
                 {ImageFormatJPEG, ifJPEG},
                 {ImageFormatPNG, ifPNG},
                 {ImageFormatGIF, ifGIF},
                 {ImageFormatTIFF, ifTIFF},
                 {ImageFormatEXIF, ifEXIF},
                 {ImageFormatIcon, ifIcon}};
    for (const auto& entry : table)
        if (entry.Guid == raw) return entry.Format;
    return ifUndefined;
}

Integer TGPImage::GetPixelDepth() {
    return (GetPixelFormat() >> 8) & 0xFF;
}
bool TGPImage::HasAlphaChannel() {
    return (GetPixelFormat() & PixelFormatAlpha) != 0;
}
bool TGPImage::HasPalette() {
    return (GetPixelFormat() & PixelFormatIndexed) != 0;
}

// ---- TGPBitmap ----

TGPBitmap::TGPBitmap(TStream* stream, bool useEmbeddedColorManagement)
    : TGPImage(stream, useEmbeddedColorManagement) {}

TGPBitmap::TGPBitmap(std::span<const Byte> bytes) : TGPImage(bytes) {}

TGPBitmap::TGPBitmap(Integer width, Integer height, PixelFormat format) {
    if (width <= 0 || height <= 0 || !detail::ImageSizeAcceptable(width, height)) {
        lastResult = InvalidParameter;
        return;
    }
    auto* image = new GpImage;
    image->Frames.push_back(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height));
    image->Format = format;
    nativeImage = image;
}

TGPBitmap::TGPBitmap(const TDecodedImage& decoded) {
    if (decoded.Width <= 0 || decoded.Height <= 0) {
        lastResult = InvalidParameter;
        return;
    }
    auto* image = new GpImage;
    image->Frames.push_back(detail::SurfaceFromDecoded(decoded));
    image->Format = PixelFormatOf(decoded);
    if (decoded.Indexed) image->Palette = decoded.Palette;
    nativeImage = image;
}

TGPBitmap::TGPBitmap(const BITMAPINFO* gdiBitmapInfo, const void* gdiBitmapData) {
    TDecodedImage decoded;
    if (!detail::ReadDibBits(gdiBitmapInfo, gdiBitmapData, decoded)) {
        lastResult = InvalidParameter;
        return;
    }
    auto* image = new GpImage;
    image->Frames.push_back(detail::SurfaceFromDecoded(decoded));
    image->Format = PixelFormatOf(decoded);
    if (decoded.Indexed) image->Palette = decoded.Palette;
    nativeImage = image;
}

TGPBitmap* TGPBitmap::FromBITMAPINFO(const BITMAPINFO* gdiBitmapInfo, const void* gdiBitmapData) {
    return new TGPBitmap(gdiBitmapInfo, gdiBitmapData);
}

TGPBitmap* TGPBitmap::FromStream(TStream* stream, bool useEmbeddedColorManagement) {
    return new TGPBitmap(stream, useEmbeddedColorManagement);
}

Status TGPBitmap::GetPixel(Integer x, Integer y, ARGB& color) {
    if (!nativeImage) return SetStatus(InvalidParameter);
    cairo_surface_t* s = nativeImage->Surface();
    if (x < 0 || y < 0 || x >= cairo_image_surface_get_width(s) || y >= cairo_image_surface_get_height(s))
        return SetStatus(InvalidParameter);
    cairo_surface_flush(s);
    const std::uint32_t p = *reinterpret_cast<const std::uint32_t*>(
        cairo_image_surface_get_data(s) + std::size_t(y) * cairo_image_surface_get_stride(s) +
        std::size_t(x) * 4);
    const unsigned a = p >> 24;
    auto straight = [a](unsigned c) { return a == 0 ? 0u : std::min(255u, (c * 255 + a / 2) / a); };
    color = ComposeARGB(Byte(a), Byte(straight((p >> 16) & 0xFF)), Byte(straight((p >> 8) & 0xFF)),
                        Byte(straight(p & 0xFF)));
    return Ok;
}

Status TGPBitmap::SetPixel(Integer x, Integer y, ARGB color) {
    if (!nativeImage) return SetStatus(InvalidParameter);
    cairo_surface_t* s = nativeImage->Surface();
    if (x < 0 || y < 0 || x >= cairo_image_surface_get_width(s) || y >= cairo_image_surface_get_height(s))
        return SetStatus(InvalidParameter);
    cairo_surface_flush(s);
    const unsigned a = ARGBAlpha(color);
    auto pre = [a](unsigned c) { return (c * a + 127) / 255; };
    *reinterpret_cast<std::uint32_t*>(cairo_image_surface_get_data(s) +
                                      std::size_t(y) * cairo_image_surface_get_stride(s) +
                                      std::size_t(x) * 4) =
        (a << 24) | (pre(ARGBRed(color)) << 16) | (pre(ARGBGreen(color)) << 8) | pre(ARGBBlue(color));
    cairo_surface_mark_dirty(s);
    return Ok;
}

Status TGPBitmap::GetPixels(TDecodedImage& image) {
    if (!nativeImage) return SetStatus(InvalidParameter);
    detail::DecodedFromSurface(nativeImage->Surface(), image);
    return Ok;
}

namespace {

// Lets the library wrap a fresh image handle.
class TSurfaceBitmap : public TGPBitmap {
public:
    explicit TSurfaceBitmap(GpImage* native) : TGPBitmap(native, Ok) {}
};

} // namespace

TGPImage* detail::ImageOfSurface(cairo_surface_t* surface) {
    auto* image = new GpImage;
    cairo_surface_t* copy = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, cairo_image_surface_get_width(surface),
                                                       cairo_image_surface_get_height(surface));
    cairo_t* cr = cairo_create(copy);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_set_source_surface(cr, surface, 0, 0);
    cairo_paint(cr);
    cairo_destroy(cr);
    image->Frames.push_back(copy);
    return new TSurfaceBitmap(image);
}

// ---- TGPCachedBitmap ----

TGPCachedBitmap::TGPCachedBitmap(TGPBitmap* bitmap, TGPGraphics* graphics) {
    if (!bitmap || !bitmap->nativeImage || !graphics || !graphics->nativeGraphics) {
        lastResult = InvalidParameter;
        return;
    }
    // The pixels as they are now; later changes to the bitmap do not show.
    auto* copy = new GpImage;
    cairo_surface_t* source = bitmap->nativeImage->Surface();
    cairo_surface_t* pixels = cairo_image_surface_create(
        CAIRO_FORMAT_ARGB32, cairo_image_surface_get_width(source), cairo_image_surface_get_height(source));
    cairo_t* cr = cairo_create(pixels);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_set_source_surface(cr, source, 0, 0);
    cairo_paint(cr);
    cairo_destroy(cr);
    copy->Frames.push_back(pixels);
    nativeCachedBitmap = copy;
}

TGPCachedBitmap::~TGPCachedBitmap() {
    delete nativeCachedBitmap;
}

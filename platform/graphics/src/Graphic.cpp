#include "graphics/Graphic.h"

#include "Dib.h"
#include "GdiPlusNative.h"
#include "graphics/Colors.h"
#include "graphics/GdiBlit.h"
#include "rtl/ClassBuilder.h"
#include "rtl/Stream.h"

#define GRAPHIC_CLASS_INFO(TSelf, TParent)                                                                   \
    const TClassInfo& TSelf::StaticClassInfo() {                                                             \
        static const TClassInfo Info = TClassBuilder<TSelf, TParent>().Build();                              \
        return Info;                                                                                         \
    }

GRAPHIC_CLASS_INFO(TGraphic, TPersistent)
GRAPHIC_CLASS_INFO(TRasterGraphic, TGraphic)
GRAPHIC_CLASS_INFO(TBitmap, TRasterGraphic)
GRAPHIC_CLASS_INFO(TIcon, TRasterGraphic)
GRAPHIC_CLASS_INFO(TPngImage, TRasterGraphic)
GRAPHIC_CLASS_INFO(TJPEGImage, TRasterGraphic)
GRAPHIC_CLASS_INFO(TGIFImage, TRasterGraphic)
#undef GRAPHIC_CLASS_INFO

std::vector<Byte> ReadRemainingBytes(TStream* stream) {
    const Int64 count = std::max<Int64>(0, stream->Size() - stream->Position());
    std::vector<Byte> bytes(static_cast<std::size_t>(count));
    if (count > 0) stream->ReadBuffer(bytes.data(), count);
    return bytes;
}

namespace {

void WriteAll(TStream* stream, const std::vector<Byte>& bytes) {
    if (!bytes.empty()) stream->WriteBuffer(bytes.data(), Int64(bytes.size()));
}

// A device context over a picture's surface, for the blit routines.
std::unique_ptr<TDeviceContext> ContextOn(cairo_surface_t* surface) {
    return std::make_unique<TDeviceContext>(surface);
}

} // namespace

// ---- TGraphic ----

void TGraphic::SetTransparent(bool value) {
    if (FTransparent == value) return;
    FTransparent = value;
    Changed();
}

void TGraphic::Changed() {
    FModified = true;
    if (OnChange) OnChange(this);
}

void TGraphic::LoadFromFile(const String& FileName) {
    TFileStream stream(FileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(&stream);
}

void TGraphic::SaveToFile(const String& FileName) const {
    TFileStream stream(FileName, fmCreate);
    SaveToStream(&stream);
}

// ---- TRasterGraphic ----

TRasterGraphic::TRasterGraphic() = default;

TRasterGraphic::~TRasterGraphic() {
    if (FSurface) cairo_surface_destroy(FSurface);
}

void TRasterGraphic::SetSurface(cairo_surface_t* surface) {
    if (FSurface) cairo_surface_destroy(FSurface);
    FSurface = surface;
    FWidth = surface ? cairo_image_surface_get_width(surface) : 0;
    FHeight = surface ? cairo_image_surface_get_height(surface) : 0;
    SurfaceChanged();
}

void TRasterGraphic::SetSize(Integer width, Integer height) {
    width = std::max(width, 0), height = std::max(height, 0);
    if (width == FWidth && height == FHeight) return;
    cairo_surface_t* surface = nullptr;
    if (width > 0 && height > 0) {
        surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
        cairo_t* cr = cairo_create(surface);
        cairo_set_source_rgb(cr, 1, 1, 1);
        cairo_paint(cr);
        if (FSurface) {
            cairo_set_source_surface(cr, FSurface, 0, 0);
            cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
            cairo_rectangle(cr, 0, 0, std::min(width, FWidth), std::min(height, FHeight));
            cairo_fill(cr);
        }
        cairo_destroy(cr);
    }
    SetSurface(surface);
    Changed();
}

TDecodedImage TRasterGraphic::Pixels() const {
    TDecodedImage image;
    if (FSurface) detail::DecodedFromSurface(FSurface, image);
    image.HasAlpha = FHasAlpha;
    return image;
}

void TRasterGraphic::SetPixels(const TDecodedImage& image) {
    FHasAlpha = image.HasAlpha;
    SetSurface(image.Width > 0 && image.Height > 0 ? detail::SurfaceFromDecoded(image) : nullptr);
    Changed();
}

void TRasterGraphic::Draw(TCanvas* ACanvas, const TRect& Rect) const {
    if (Empty() || !ACanvas) return;
    auto source = ContextOn(FSurface);
    if (FHasAlpha) {
        TBlendFunction blend;
        blend.AlphaFormat = AC_SRC_ALPHA;
        winapi::AlphaBlend(ACanvas->Handle(), Rect.Left, Rect.Top, Rect.Width(), Rect.Height(), source.get(),
                           0, 0, FWidth, FHeight, blend);
    } else {
        winapi::StretchBlt(ACanvas->Handle(), Rect.Left, Rect.Top, Rect.Width(), Rect.Height(), source.get(),
                           0, 0, FWidth, FHeight, Cardinal(ACanvas->CopyMode()));
    }
}

void TRasterGraphic::Assign(const TPersistent* Source) {
    if (const auto* raster = dynamic_cast<const TRasterGraphic*>(Source)) {
        SetPixels(raster->Pixels());
        return;
    }
    if (!Source) {
        SetPixels(TDecodedImage{});
        return;
    }
    TGraphic::Assign(Source);
}

// ---- TBitmap ----

namespace {

// The palette a bitmap gets when switched to a palette format: black and
// white, the 16 standard colours, or a 6x6x6 colour cube with greys.
std::vector<std::uint32_t> DefaultPalette(TPixelFormat format) {
    if (format == pf1bit) return {0xFF000000, 0xFFFFFFFF};
    if (format == pf4bit)
        return {0xFF000000, 0xFF800000, 0xFF008000, 0xFF808000, 0xFF000080, 0xFF800080,
                0xFF008080, 0xFF808080, 0xFFC0C0C0, 0xFFFF0000, 0xFF00FF00, 0xFFFFFF00,
                0xFF0000FF, 0xFFFF00FF, 0xFF00FFFF, 0xFFFFFFFF};
    std::vector<std::uint32_t> palette;
    for (int r = 0; r < 6; ++r)
        for (int g = 0; g < 6; ++g)
            for (int b = 0; b < 6; ++b)
                palette.push_back(0xFF000000u | (r * 51u) << 16 | (g * 51u) << 8 | (b * 51u));
    for (int i = 0; palette.size() < 256; ++i) {
        const std::uint32_t level = 8u + 10u * std::uint32_t(i);
        palette.push_back(0xFF000000u | level << 16 | level << 8 | level);
    }
    return palette;
}

Integer BitsOf(TPixelFormat format) {
    switch (format) {
    case pf1bit:
        return 1;
    case pf4bit:
        return 4;
    case pf8bit:
        return 8;
    case pf32bit:
        return 32;
    default:
        return 24;
    }
}

TPixelFormat FormatOfBits(Integer bits) {
    switch (bits) {
    case 1:
        return pf1bit;
    case 4:
        return pf4bit;
    case 8:
        return pf8bit;
    case 16:
        return pf16bit;
    case 32:
        return pf32bit;
    default:
        return pf24bit;
    }
}

bool IsPaletteFormat(TPixelFormat format) {
    return format == pf1bit || format == pf4bit || format == pf8bit;
}

} // namespace

TBitmap::TBitmap() = default;

TBitmap::~TBitmap() {
    FCanvas.reset();
    FContext.reset();
}

void TBitmap::SurfaceChanged() {
    // The canvas keeps its font, pen and brush; only its context moves.
    if (FCanvas) FCanvas->SetHandle(nullptr);
    FContext.reset();
}

TCanvas* TBitmap::Canvas() {
    if (!FCanvas) FCanvas = std::make_unique<TCanvas>();
    if (!FContext && Surface()) {
        FContext = ContextOn(Surface());
        FCanvas->SetHandle(FContext.get());
    }
    return FCanvas.get();
}

void TBitmap::SetSize(Integer width, Integer height) {
    TRasterGraphic::SetSize(width, height);
    if (Surface()) Canvas(); // the canvas follows the new pixels
}

void TBitmap::SetPixels(const TDecodedImage& image) {
    TRasterGraphic::SetPixels(image);
    if (FCanvas && Surface()) Canvas();
}

void TBitmap::MapToPalette() {
    if (!IsPaletteFormat(FPixelFormat) || Empty()) return;
    TDecodedImage image = Pixels();
    for (auto& p : image.Pixels)
        p = FPalette[detail::NearestPaletteIndex(FPalette, p)];
    image.HasAlpha = false;
    SetPixels(image);
}

void TBitmap::SetPixelFormat(TPixelFormat value) {
    if (value == FPixelFormat) return;
    FPixelFormat = value;
    if (IsPaletteFormat(value)) {
        FPalette = DefaultPalette(value);
        MapToPalette();
    } else {
        FPalette.clear();
    }
    Changed();
}

void TBitmap::SetAlphaFormat(TAlphaFormat value) {
    if (value == FAlphaFormat) return;
    FAlphaFormat = value;
    SetHasAlpha(value != afIgnored);
    Changed();
}

void* TBitmap::ScanLine(Integer row) {
    if (row < 0 || row >= Height()) throw EInvalidGraphicOperation(u"Scan line index out of range");
    cairo_surface_t* s = Surface();
    cairo_surface_flush(s);
    // Callers write through the pointer: the surface must reread it.
    cairo_surface_mark_dirty(s);
    return cairo_image_surface_get_data(s) + std::size_t(row) * cairo_image_surface_get_stride(s);
}

void TBitmap::SetTransparentMode(TTransparentMode value) {
    if (value == FTransparentMode) return;
    if (value == tmAuto) FTransparentColor = clDefault;
    FTransparentMode = value;
    Changed();
}

TColor TBitmap::TransparentColor() const {
    if (FTransparentMode == tmFixed) return FTransparentColor;
    if (Empty()) return clDefault;
    const std::uint32_t p = Pixels().Pixel(0, Height() - 1);
    return TColor(((p >> 16) & 0xFF) | (p & 0xFF00) | ((p & 0xFF) << 16));
}

void TBitmap::SetTransparentColor(TColor value) {
    if (value == FTransparentColor && FTransparentMode == tmFixed) return;
    FTransparentColor = value;
    FTransparentMode = value == clDefault ? tmAuto : tmFixed;
    Changed();
}

void TBitmap::Draw(TCanvas* ACanvas, const TRect& Rect) const {
    if (Empty() || !ACanvas) return;
    if (!Transparent()) {
        TRasterGraphic::Draw(ACanvas, Rect);
        return;
    }
    auto source = ContextOn(Surface());
    winapi::TransparentBlt(ACanvas->Handle(), Rect.Left, Rect.Top, Rect.Width(), Rect.Height(), source.get(),
                           0, 0, Width(), Height(), TransparentColor());
}

void TBitmap::LoadFromStream(TStream* Stream) {
    const TDecodedImage image = DecodeBmp(ReadRemainingBytes(Stream));
    FPixelFormat = FormatOfBits(image.BitsPerPixel);
    FPalette = image.Indexed ? image.Palette : std::vector<std::uint32_t>{};
    FAlphaFormat = image.HasAlpha ? afDefined : afIgnored;
    SetPixels(image);
}

void TBitmap::SaveToStream(TStream* Stream) const {
    if (Empty()) return; // an empty bitmap writes nothing
    TDecodedImage image = Pixels();
    image.Palette = FPalette;
    WriteAll(Stream, EncodeBmp(image, BitsOf(FPixelFormat)));
}

void TBitmap::Assign(const TPersistent* Source) {
    if (const auto* bitmap = dynamic_cast<const TBitmap*>(Source)) {
        FPixelFormat = bitmap->FPixelFormat;
        FPalette = bitmap->FPalette;
        FAlphaFormat = bitmap->FAlphaFormat;
        FTransparentMode = bitmap->FTransparentMode;
        FTransparentColor = bitmap->FTransparentColor;
        SetTransparent(bitmap->Transparent());
        SetPixels(bitmap->Pixels());
        return;
    }
    if (const auto* raster = dynamic_cast<const TRasterGraphic*>(Source)) {
        // Another format becomes a 32-bit bitmap that keeps its alpha.
        FPixelFormat = pf32bit;
        FPalette.clear();
        FAlphaFormat = raster->HasAlpha() ? afDefined : afIgnored;
        SetPixels(raster->Pixels());
        return;
    }
    TRasterGraphic::Assign(Source);
}

// ---- TIcon ----

void TIcon::LoadFromStream(TStream* Stream) {
    FImages = DecodeIconImages(ReadRemainingBytes(Stream));
    TRasterGraphic::SetPixels(FImages[BestIconImage(FImages)]);
    SetHasAlpha(true);
}

void TIcon::SaveToStream(TStream* Stream) const {
    if (FImages.empty()) throw EInvalidGraphicOperation(u"Icon has no image to save");
    WriteAll(Stream, EncodeIcon(FImages));
}

void TIcon::SetPixels(const TDecodedImage& image) {
    FImages = {image};
    FImages.front().HasAlpha = true;
    TRasterGraphic::SetPixels(FImages.front());
}

// ---- TPngImage ----

void TPngImage::LoadFromStream(TStream* Stream) {
    SetPixels(DecodePng(ReadRemainingBytes(Stream)));
}

void TPngImage::SaveToStream(TStream* Stream) const {
    if (Empty()) throw EInvalidGraphicOperation(u"PNG image is empty");
    WriteAll(Stream, EncodePng(Pixels()));
}

// ---- TJPEGImage ----

void TJPEGImage::SetCompressionQuality(Integer value) {
    if (value < 1 || value > 100) throw EInvalidGraphicOperation(u"JPEG quality must be between 1 and 100");
    FQuality = value;
}

void TJPEGImage::LoadFromStream(TStream* Stream) {
    SetPixels(DecodeJpeg(ReadRemainingBytes(Stream)));
}

void TJPEGImage::SaveToStream(TStream* Stream) const {
    if (Empty()) throw EInvalidGraphicOperation(u"JPEG image is empty");
    WriteAll(Stream, EncodeJpeg(Pixels(), FQuality));
}

// ---- TGIFImage ----

void TGIFImage::LoadFromStream(TStream* Stream) {
    auto frames = DecodeGif(ReadRemainingBytes(Stream));
    FFrames = std::move(frames);
    FActive = 0;
    SetPixels(FFrames.front().Image);
}

void TGIFImage::SetActiveFrame(Integer index) {
    if (index < 0 || index >= FrameCount()) throw EInvalidGraphicOperation(u"GIF frame index out of range");
    FActive = index;
    SetPixels(FFrames[std::size_t(index)].Image);
}

void TGIFImage::SaveToStream(TStream*) const {
    throw EInvalidGraphicOperation(u"Saving GIF images is not supported");
}

#pragma once
// GDI+-style images: pictures decoded from bytes, streams or files, bitmaps
// of a given size and pixel format, and image attributes (colour keys).

#include "graphics/GdiPlusTypes.h"

#include <span>

class TStream;
struct TDecodedImage;

namespace detail {
struct GpImage;
struct GpImageAttributes;
} // namespace detail

class TGPImage : public TGdiplusBase {
public:
    // Decodes the stream's bytes from its position to its end.
    explicit TGPImage(TStream* stream, bool useEmbeddedColorManagement = false);
    explicit TGPImage(const String& fileName, bool useEmbeddedColorManagement = false);
    explicit TGPImage(std::span<const Byte> bytes);
    ~TGPImage() override;

    static TGPImage* FromStream(TStream* stream, bool useEmbeddedColorManagement = false);
    static TGPImage* FromFile(const String& fileName, bool useEmbeddedColorManagement = false);

    TGPImage* Clone();
    ImageType GetType();
    Cardinal GetWidth();
    Cardinal GetHeight();
    Status GetRawFormat(TGUID& format);
    PixelFormat GetPixelFormat();
    Integer GetFrameCount();
    Status SelectActiveFrame(Integer frameIndex);

    // The file format, depth and pixel-format bits.
    TGPImageFormat GetFormat();
    Integer GetPixelDepth();
    bool HasAlphaChannel();
    bool HasPalette();

    detail::GpImage* nativeImage = nullptr;
    Status loadStatus = Ok;

protected:
    TGPImage() = default;
    TGPImage(detail::GpImage* native, Status status);
    void Load(std::span<const Byte> bytes);
};

class TGPBitmap : public TGPImage {
public:
    explicit TGPBitmap(TStream* stream, bool useEmbeddedColorManagement = false);
    explicit TGPBitmap(std::span<const Byte> bytes);
    TGPBitmap(Integer width, Integer height, PixelFormat format = PixelFormat32bppARGB);
    // A bitmap over a copy of decoded pixels.
    explicit TGPBitmap(const TDecodedImage& image);

    static TGPBitmap* FromStream(TStream* stream, bool useEmbeddedColorManagement = false);

    Status GetPixel(Integer x, Integer y, ARGB& color);
    Status SetPixel(Integer x, Integer y, ARGB color);
    // The pixels as straight ARGB values, rows from the top.
    Status GetPixels(TDecodedImage& image);
};

class TGPImageAttributes : public TGdiplusBase {
public:
    TGPImageAttributes();
    ~TGPImageAttributes() override;
    TGPImageAttributes* Clone();
    // Pixels whose red, green and blue each lie between the two keys' become
    // transparent.
    Status SetColorKey(ARGB colorLow, ARGB colorHigh, ColorAdjustType type = ColorAdjustTypeDefault);
    Status ClearColorKey(ColorAdjustType type = ColorAdjustTypeDefault);

    detail::GpImageAttributes* nativeImageAttr = nullptr;

protected:
    TGPImageAttributes(detail::GpImageAttributes* native, Status status);
};

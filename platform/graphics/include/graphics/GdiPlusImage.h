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

protected:
    TGPBitmap() = default;
    TGPBitmap(detail::GpImage* native, Status status) : TGPImage(native, status) {}
};

class TGPGraphics;

// A bitmap's pixels kept ready for drawing at whole device pixels.
class TGPCachedBitmap : public TGdiplusBase {
public:
    TGPCachedBitmap(TGPBitmap* bitmap, TGPGraphics* graphics);
    ~TGPCachedBitmap() override;

    detail::GpImage* nativeCachedBitmap = nullptr;
};

// Colour adjustments for drawing images, per category (ColorAdjustType);
// a category without settings of its own takes the default ones. Applied in
// this order: remap table, colour key, colour matrix, threshold, gamma,
// output channel.
class TGPImageAttributes : public TGdiplusBase {
public:
    TGPImageAttributes();
    ~TGPImageAttributes() override;
    TGPImageAttributes* Clone();
    Status SetToIdentity(ColorAdjustType type = ColorAdjustTypeDefault);
    Status Reset(ColorAdjustType type = ColorAdjustTypeDefault);
    Status SetColorMatrix(const ColorMatrix* colorMatrix, ColorMatrixFlags mode = ColorMatrixFlagsDefault,
                          ColorAdjustType type = ColorAdjustTypeDefault);
    Status ClearColorMatrix(ColorAdjustType type = ColorAdjustTypeDefault);
    // With ColorMatrixFlagsAltGray, grays go through the gray matrix.
    Status SetColorMatrices(const ColorMatrix* colorMatrix, const ColorMatrix* grayMatrix,
                            ColorMatrixFlags mode = ColorMatrixFlagsDefault,
                            ColorAdjustType type = ColorAdjustTypeDefault);
    Status ClearColorMatrices(ColorAdjustType type = ColorAdjustTypeDefault);
    // Each channel becomes 0 or 255 by the threshold (0..1).
    Status SetThreshold(Single threshold, ColorAdjustType type = ColorAdjustTypeDefault);
    Status ClearThreshold(ColorAdjustType type = ColorAdjustTypeDefault);
    // Channel' = channel ^ gamma, on 0..1; gamma 0.1 .. 5.
    Status SetGamma(Single gamma, ColorAdjustType type = ColorAdjustTypeDefault);
    Status ClearGamma(ColorAdjustType type = ColorAdjustTypeDefault);
    // No adjustment at all for the category.
    Status SetNoOp(ColorAdjustType type = ColorAdjustTypeDefault);
    Status ClearNoOp(ColorAdjustType type = ColorAdjustTypeDefault);
    // Pixels whose red, green and blue each lie between the two keys'
    // become transparent.
    Status SetColorKey(ARGB colorLow, ARGB colorHigh, ColorAdjustType type = ColorAdjustTypeDefault);
    Status ClearColorKey(ColorAdjustType type = ColorAdjustTypeDefault);
    // One CMYK channel, shown as a gray (255 - its amount).
    Status SetOutputChannel(ColorChannelFlags channelFlags, ColorAdjustType type = ColorAdjustTypeDefault);
    Status ClearOutputChannel(ColorAdjustType type = ColorAdjustTypeDefault);
    // Colour profiles are not available here: NotImplemented.
    Status SetOutputChannelColorProfile(const String& colorProfileFilename,
                                        ColorAdjustType type = ColorAdjustTypeDefault);
    Status ClearOutputChannelColorProfile(ColorAdjustType type = ColorAdjustTypeDefault);
    Status SetRemapTable(Cardinal mapSize, const ColorMap* map, ColorAdjustType type = ColorAdjustTypeDefault);
    Status ClearRemapTable(ColorAdjustType type = ColorAdjustTypeDefault);
    Status SetBrushRemapTable(Cardinal mapSize, const ColorMap* map);
    Status ClearBrushRemapTable();
    // How a source part reaching past the image is filled: repeated,
    // mirrored, or (clamp) with the colour.
    Status SetWrapMode(WrapMode wrap, ARGB color = 0xFF000000, bool clamp = false);
    // The palette's entries through the category's adjustments.
    Status GetAdjustedPalette(ColorPalette* colorPalette, ColorAdjustType colorAdjustType);

    detail::GpImageAttributes* nativeImageAttr = nullptr;

protected:
    TGPImageAttributes(detail::GpImageAttributes* native, Status status);
};

#pragma once
// GDI+-style images: pictures decoded from bytes, streams or files, bitmaps
// of a given size and pixel format, and image attributes (colour keys).

#include "graphics/GdiObjects.h"
#include "graphics/GdiPlusTypes.h"

#include <span>

class TStream;
struct BITMAPINFO;
class TGdiIcon;
namespace winapi {
using HICON = TGdiIcon*;
} // namespace winapi
class TGPGraphics;
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
    // Writes the image with the encoder (EncoderClsidPNG, ...); JPEG takes
    // EncoderQuality (0..100), BMP EncoderColorDepth (1, 4, 8, 24, 32), all
    // EncoderTransformation (a RotateFlipType of 90-degree steps). A file is
    // written whole or not at all.
    Status Save(const String& filename, const TGUID& clsidEncoder, const EncoderParameters* encoderParams = nullptr);
    Status Save(TStream* stream, const TGUID& clsidEncoder, const EncoderParameters* encoderParams = nullptr);
    // Adding frames needs a multi-frame encoder (TIFF), which is not
    // available: NotImplemented (InvalidParameter for a null image).
    Status SaveAdd(const EncoderParameters* encoderParams);
    Status SaveAdd(TGPImage* newImage, const EncoderParameters* encoderParams);
    ImageType GetType();
    Status GetPhysicalDimension(TGPSizeF& size);
    Status GetBounds(TGPRectF& srcRect, Unit_& srcUnit);
    Cardinal GetWidth();
    Cardinal GetHeight();
    Single GetHorizontalResolution();
    Single GetVerticalResolution();
    // ImageFlags bits: alpha, gray, colour space and format.
    Cardinal GetFlags();
    Status GetRawFormat(TGUID& format);
    PixelFormat GetPixelFormat();
    // In bytes: the palette record with its entries.
    Integer GetPaletteSize();
    Status GetPalette(ColorPalette* palette, Integer size);
    Status SetPalette(const ColorPalette* palette);
    // A scaled copy (0 by 0: 120 by 120); the caller owns it.
    TGPImage* GetThumbnailImage(Cardinal thumbWidth, Cardinal thumbHeight, GetThumbnailImageAbort callback = nullptr,
                                void* callbackData = nullptr);
    Cardinal GetFrameDimensionsCount();
    Status GetFrameDimensionsList(TGUID* dimensionIDs, Cardinal count);
    Cardinal GetFrameCount(const TGUID& dimensionID);
    Status SelectActiveFrame(const TGUID& dimensionID, Cardinal frameIndex);
    Integer GetFrameCount();
    Status SelectActiveFrame(Integer frameIndex);
    Status RotateFlip(RotateFlipType rotateFlipType);
    Cardinal GetPropertyCount();
    Status GetPropertyIdList(Cardinal numOfProperty, Cardinal* list);
    Cardinal GetPropertyItemSize(Cardinal propId);
    // The item record followed by its value, in `buffer` of `propSize` bytes.
    Status GetPropertyItem(Cardinal propId, Cardinal propSize, PropertyItem* buffer);
    Status GetPropertySize(Cardinal& totalBufferSize, Cardinal& numProperties);
    Status GetAllPropertyItems(Cardinal totalBufferSize, Cardinal numProperties, PropertyItem* allItems);
    Status RemovePropertyItem(Cardinal propId);
    Status SetPropertyItem(const PropertyItem* item);
    Cardinal GetEncoderParameterListSize(const TGUID& clsidEncoder);
    Status GetEncoderParameterList(const TGUID& clsidEncoder, Cardinal size, EncoderParameters* buffer);

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
    explicit TGPBitmap(const String& filename, bool useEmbeddedColorManagement = false);
    explicit TGPBitmap(std::span<const Byte> bytes);
    TGPBitmap(Integer width, Integer height, PixelFormat format = PixelFormat32bppARGB);
    // Over a copy of the caller's pixels in the format (rows `stride` bytes
    // apart).
    TGPBitmap(Integer width, Integer height, Integer stride, PixelFormat format, const Byte* scan0);
    TGPBitmap(Integer width, Integer height, TGPGraphics* target);
    // A copy of a GDI bitmap's pixels (the palette is not needed: GDI
    // bitmaps here hold 32-bit pixels).
    TGPBitmap(winapi::HBITMAP hbm, void* hpal);
    // The icon's pixels with their transparency (InvalidParameter for a
    // null icon).
    explicit TGPBitmap(winapi::HICON hicon);
    // Module resources belong to the toolkit's resource modules, a layer
    // above this one: NotImplemented with a null handle.
    TGPBitmap(void* hInstance, const String& bitmapName);
    // A bitmap over a copy of decoded pixels.
    explicit TGPBitmap(const TDecodedImage& image);
    // The pixels of a device-independent bitmap: its description and its
    // rows (InvalidParameter for a damaged description or no rows).
    TGPBitmap(const BITMAPINFO* gdiBitmapInfo, const void* gdiBitmapData);

    static TGPBitmap* FromStream(TStream* stream, bool useEmbeddedColorManagement = false);
    static TGPBitmap* FromFile(const String& filename, bool useEmbeddedColorManagement = false);
    static TGPBitmap* FromBITMAPINFO(const BITMAPINFO* gdiBitmapInfo, const void* gdiBitmapData);
    static TGPBitmap* FromHBITMAP(winapi::HBITMAP hbm, void* hpal);
    static TGPBitmap* FromHICON(winapi::HICON hicon);
    static TGPBitmap* FromResource(void* hInstance, const String& bitmapName);

    // A copy of a part in a pixel format; null when the part is not inside
    // the bitmap.
    TGPBitmap* Clone(const TGPRect& rect, PixelFormat format);
    TGPBitmap* Clone(Integer x, Integer y, Integer width, Integer height, PixelFormat format);
    TGPBitmap* Clone(const TGPRectF& rect, PixelFormat format);
    TGPBitmap* Clone(Single x, Single y, Single width, Single height, PixelFormat format);
    // The pixels of the rectangle (null: all) in the format, in a buffer of
    // the rectangle's full size (or the caller's, with
    // ImageLockModeUserInputBuf). InvalidParameter for a rectangle not
    // inside the bitmap or a format that cannot be locked, WrongState while
    // already locked. Written pixels go back on UnlockBits.
    Status LockBits(const TGPRect* rect, Cardinal flags, PixelFormat format, BitmapData* lockedBitmapData);
    Status UnlockBits(BitmapData* lockedBitmapData);
    Status SetResolution(Single xdpi, Single ydpi);
    // A GDI bitmap of the pixels over the background colour; the caller
    // deletes it.
    Status GetHBITMAP(ARGB colorBackground, winapi::HBITMAP& hbmReturn);
    // An icon of the pixels with their transparency; the caller destroys it
    // (DestroyIcon).
    Status GetHICON(winapi::HICON& hicon);

    Status GetPixel(Integer x, Integer y, ARGB& color);
    Status SetPixel(Integer x, Integer y, ARGB color);
    // The pixels as straight ARGB values, rows from the top.
    Status GetPixels(TDecodedImage& image);

protected:
    TGPBitmap() = default;
    TGPBitmap(detail::GpImage* native, Status status) : TGPImage(native, status) {}
};

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

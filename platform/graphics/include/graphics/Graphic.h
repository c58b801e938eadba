#pragma once
// The class library's pictures: TGraphic and the raster formats BMP
// (TBitmap), ICO (TIcon), PNG (TPngImage), JPEG (TJPEGImage) and GIF
// (TGIFImage). Each keeps its pixels in a premultiplied ARGB32 Cairo surface
// and draws onto a canvas with the device context's pixel rules.

#include "graphics/Canvas.h"
#include "graphics/ImageCodecs.h"
#include "rtl/Events.h"
#include "rtl/Persistent.h"

#include <cairo.h>
#include <memory>
#include <vector>

class TStream;

class TGraphic : public TPersistent {
    RTL_CLASS(TGraphic)
public:
    virtual bool Empty() const = 0;
    virtual Integer Width() const = 0;
    virtual Integer Height() const = 0;
    virtual void SetWidth(Integer value) = 0;
    virtual void SetHeight(Integer value) = 0;
    virtual bool Transparent() const { return FTransparent; }
    virtual void SetTransparent(bool value);
    bool Modified() const { return FModified; }
    void SetModified(bool value) { FModified = value; }

    // Draws the whole picture stretched into the rectangle (logical units);
    // opaque pictures combine with the canvas's pixels by its CopyMode.
    virtual void Draw(TCanvas* ACanvas, const TRect& Rect) const = 0;
    // Reads the picture from the stream's position to its end.
    virtual void LoadFromStream(TStream* Stream) = 0;
    virtual void SaveToStream(TStream* Stream) const = 0;
    void LoadFromFile(const String& FileName);
    void SaveToFile(const String& FileName) const;

    TNotifyEvent OnChange;

protected:
    virtual void Changed();

private:
    bool FTransparent = false;
    bool FModified = false;
};

// A picture held as a surface; the base of the raster formats.
class TRasterGraphic : public TGraphic {
    RTL_CLASS(TRasterGraphic)
public:
    TRasterGraphic();
    ~TRasterGraphic() override;

    bool Empty() const override { return FWidth == 0 || FHeight == 0; }
    Integer Width() const override { return FWidth; }
    Integer Height() const override { return FHeight; }
    void SetWidth(Integer value) override { SetSize(value, FHeight); }
    void SetHeight(Integer value) override { SetSize(FWidth, value); }
    // Keeps the pixels that still fit; new pixels are opaque white.
    virtual void SetSize(Integer width, Integer height);
    void Draw(TCanvas* ACanvas, const TRect& Rect) const override;
    void Assign(const TPersistent* Source) override;

    // The pixels; null while empty.
    cairo_surface_t* Surface() const { return FSurface; }
    // The pixels as straight ARGB values.
    TDecodedImage Pixels() const;
    // Replaces the pixels (and the size) with a decoded picture.
    virtual void SetPixels(const TDecodedImage& image);
    // True when the pixels carry alpha that drawing must honour.
    bool HasAlpha() const { return FHasAlpha; }

protected:
    void SetHasAlpha(bool value) { FHasAlpha = value; }
    // The surface was replaced: drop what depends on it.
    virtual void SurfaceChanged() {}
    void SetSurface(cairo_surface_t* surface);

private:
    cairo_surface_t* FSurface = nullptr;
    Integer FWidth = 0, FHeight = 0;
    bool FHasAlpha = false;
};

RTL_ENUM(TPixelFormat, pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit, pfCustom)
RTL_ENUM(TTransparentMode, tmAuto, tmFixed)
RTL_ENUM(TAlphaFormat, afIgnored, afDefined, afPremultiplied)

// A bitmap with a canvas. Its pixels are 32-bit whatever the pixel format;
// the format decides how the bitmap is saved, and palette formats keep the
// colours to those of the palette.
class TBitmap : public TRasterGraphic {
    RTL_CLASS(TBitmap)
public:
    TBitmap();
    ~TBitmap() override;

    TCanvas* Canvas();
    TPixelFormat PixelFormat() const { return FPixelFormat; }
    // Switching to a palette format maps the pixels to the palette.
    void SetPixelFormat(TPixelFormat value);
    TAlphaFormat AlphaFormat() const { return FAlphaFormat; }
    void SetAlphaFormat(TAlphaFormat value);
    // The ARGB palette of the palette formats.
    const std::vector<std::uint32_t>& Palette() const { return FPalette; }

    // Row `row` of the pixels: Width premultiplied 32-bit BGRA values.
    void* ScanLine(Integer row);

    TTransparentMode TransparentMode() const { return FTransparentMode; }
    void SetTransparentMode(TTransparentMode value);
    // tmAuto: the bottom-left pixel's colour; tmFixed: the colour set.
    TColor TransparentColor() const;
    void SetTransparentColor(TColor value);

    void SetSize(Integer width, Integer height) override;
    void SetPixels(const TDecodedImage& image) override;
    void Draw(TCanvas* ACanvas, const TRect& Rect) const override;
    void LoadFromStream(TStream* Stream) override;
    void SaveToStream(TStream* Stream) const override;
    void Assign(const TPersistent* Source) override;

protected:
    void SurfaceChanged() override;

private:
    void MapToPalette();

    std::unique_ptr<TDeviceContext> FContext;
    std::unique_ptr<TCanvas> FCanvas;
    TPixelFormat FPixelFormat = pfDevice;
    TAlphaFormat FAlphaFormat = afIgnored;
    std::vector<std::uint32_t> FPalette;
    TTransparentMode FTransparentMode = tmAuto;
    TColor FTransparentColor = 0x20000000; // clDefault
};

class TIcon : public TRasterGraphic {
    RTL_CLASS(TIcon)
public:
    void LoadFromStream(TStream* Stream) override;
    // Saves every image of the icon.
    void SaveToStream(TStream* Stream) const override;
    void SetPixels(const TDecodedImage& image) override;
    bool Transparent() const override { return true; }

private:
    std::vector<TDecodedImage> FImages;
};

class TPngImage : public TRasterGraphic {
    RTL_CLASS(TPngImage)
public:
    void LoadFromStream(TStream* Stream) override;
    void SaveToStream(TStream* Stream) const override;
    bool Transparent() const override { return HasAlpha(); }
};

class TJPEGImage : public TRasterGraphic {
    RTL_CLASS(TJPEGImage)
public:
    Integer CompressionQuality() const { return FQuality; }
    // 1..100; EInvalidGraphicOperation outside.
    void SetCompressionQuality(Integer value);
    void LoadFromStream(TStream* Stream) override;
    void SaveToStream(TStream* Stream) const override;

private:
    Integer FQuality = 90;
};

class TGIFImage : public TRasterGraphic {
    RTL_CLASS(TGIFImage)
public:
    Integer FrameCount() const { return Integer(FFrames.size()); }
    const TGifFrame& Frames(Integer index) const { return FFrames.at(std::size_t(index)); }
    Integer ActiveFrame() const { return FActive; }
    // Shows the frame; EInvalidGraphicOperation for an index out of range.
    void SetActiveFrame(Integer index);
    void LoadFromStream(TStream* Stream) override;
    // Writing GIF files is not supported: raises EInvalidGraphicOperation.
    void SaveToStream(TStream* Stream) const override;
    bool Transparent() const override { return HasAlpha(); }

private:
    std::vector<TGifFrame> FFrames;
    Integer FActive = 0;
};

// The stream's bytes from its position to its end.
std::vector<Byte> ReadRemainingBytes(TStream* stream);

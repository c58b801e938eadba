#pragma once
// TGDIPPicture: a picture holding the raw bytes of any format the GDI+ layer
// reads (or an SVG document), decoded anew each time it is measured or
// drawn. It draws on a canvas, optionally rotated about the centre of its
// own size placed at the rectangle's top-left corner, or onto a GDI+
// surface at a point or into a rectangle.

#include "graphics/Colors.h"
#include "kel/KelBitmap.h"
#include "kel/Resources.h"
#include "rtl/Stream.h"

class TGPGraphics;

RTL_ENUM(TPictureFormat, pfBMP, pfGIF, pfJPG, pfPNG, pfICO, pfTiff, pfMetaFile, pfNone)

class TGDIPPicture : public TKelSVGBitmap {
    RTL_CLASS(TGDIPPicture)
public:
    TGDIPPicture() = default;
    ~TGDIPPicture() override;

    void Assign(const TPersistent* Source) override;
    void Draw(TCanvas* ACanvas, const TRect& Rect) const override;
    bool Empty() const override;
    Integer Width() const override;
    Integer Height() const override;
    void SetWidth(Integer) override {}
    void SetHeight(Integer) override {}

    // A file that cannot be read leaves the picture empty, without error.
    void LoadFromFile(const String& FileName);
    // Nothing for a null stream; the SVG parser's error passes through.
    void LoadFromStream(TStream* Stream) override;
    void SaveToStream(TStream* Stream) const override;
    // Form streaming: as LoadFromStream without measuring or OnChange.
    void ReadData(TStream* Stream);
    void WriteData(TStream* Stream) const { SaveToStream(Stream); }
    // Nothing when the module has no resource of that name.
    void LoadFromResourceName(HINSTANCE Instance, const String& ResName);
    // The resource numbered ResID (named "#" and the number); EResNotFound
    // when the module has none.
    void LoadFromResourceID(HINSTANCE Instance, Integer ResID);
    // "RES://name" loads the program's resource, "FILE://path" the file;
    // anything else does nothing.
    void LoadFromURL(const String& URL);

    // Measures the held picture; false when its bytes cannot be decoded.
    bool GetImageSizes();
    void DrawImage(TGPGraphics* Graphics, Integer X, Integer Y);
    void DrawImageRect(TGPGraphics* Graphics, Integer X, Integer Y, Integer W, Integer H);
    virtual void DrawSVG(TGPGraphics* Graphics, Integer X, Integer Y, Integer W, Integer H);

    static TPictureFormat DetectPictureFormat(const Byte* Buffer, Int64 Size);
    TPictureFormat PictureFormat() const;
    TGDIPPicture* Graphic() { return this; }
    const String& FileName() const { return FFileName; }

    bool DoubleBuffered() const { return FDoubleBuffered; }
    void SetDoubleBuffered(bool Value) { FDoubleBuffered = Value; }
    TColor BackgroundColor() const { return FBackgroundColor; }
    void SetBackgroundColor(TColor Value) { FBackgroundColor = Value; }
    bool TransparentBitmap() const { return FTransparentBitmap; }
    void SetTransparentBitmap(bool Value) { FTransparentBitmap = Value; }
    Integer Angle() const { return FAngle; }
    void SetAngle(Integer Value) { FAngle = Value; }

    TNotifyEvent OnClear;

private:
    void Measure(bool Notify);

    String FFileName;
    // Mutable: measuring a stream (Size) and rewinding it are not changes.
    mutable TMemoryStream FDatastream;
    bool FIsEmpty = true;
    mutable Integer FWidth = 0, FHeight = 0;
    bool FDoubleBuffered = false;
    TColor FBackgroundColor = 0;
    bool FTransparentBitmap = true;
    Integer FAngle = 0;
};

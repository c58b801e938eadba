#include "kel/GDIPicture.h"

#include "KelPictureBytes.h"
#include "graphics/GdiPlusGeometry.h"
#include "graphics/GdiPlusGraphics.h"
#include "kel/RarEvads.h"
#include "rtl/ClassBuilder.h"

#include <cstring>
#include <initializer_list>

const TClassInfo& TGDIPPicture::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TGDIPPicture, TKelSVGBitmap>().Build();
    return Info;
}

TGDIPPicture::~TGDIPPicture() = default;

// ---- Loading and saving ----------------------------------------------------------

void TGDIPPicture::Measure(bool Notify) {
    FIsEmpty = !HasSVG() && FDatastream.Size() == 0;
    if (!Notify) return;
    GetImageSizes();
    Changed();
}

void TGDIPPicture::LoadFromFile(const String& FileName) {
    try {
        KelPictureBytes::ReadFile(*this, FDatastream, FileName);
        FIsEmpty = !HasSVG() && FDatastream.Size() == 0;
        FFileName = FileName;
        if (OnClear) OnClear(this);
        Measure(true);
    } catch (...) {
        // An unreadable file leaves nothing behind, not a half-loaded picture.
        ClearSVG();
        FDatastream.Clear();
        FIsEmpty = true;
    }
}

void TGDIPPicture::LoadFromStream(TStream* Stream) {
    if (!Stream) return;
    KelPictureBytes::Read(*this, FDatastream, Stream);
    Measure(true);
}

void TGDIPPicture::ReadData(TStream* Stream) {
    if (!Stream) return;
    KelPictureBytes::Read(*this, FDatastream, Stream);
    Measure(false);
}

void TGDIPPicture::SaveToStream(TStream* Stream) const {
    KelPictureBytes::Write(*this, FDatastream, Stream);
}

void TGDIPPicture::LoadFromResourceName(HINSTANCE Instance, const String& ResName) {
    if (const std::unique_ptr<TMemoryStream> Resource = KelPictureBytes::Resource(Instance, ResName))
        LoadFromStream(Resource.get());
}

void TGDIPPicture::LoadFromResourceID(HINSTANCE Instance, Integer ResID) {
    const std::unique_ptr<TMemoryStream> Resource = KelPictureBytes::ResourceByID(Instance, ResID);
    LoadFromStream(Resource.get());
}

void TGDIPPicture::LoadFromURL(const String& URL) {
    String Rest;
    if (KelPictureBytes::StripPrefix(URL, u"RES://", Rest)) {
        if (!Rest.empty()) LoadFromResourceName(TRarEvads::GetHInstance(), Rest);
    } else if (KelPictureBytes::StripPrefix(URL, u"FILE://", Rest)) {
        if (!Rest.empty()) LoadFromFile(Rest);
    }
}

void TGDIPPicture::Assign(const TPersistent* Source) {
    if (Source == this) return;
    FIsEmpty = true;
    if (!Source) {
        ClearSVG();
        FDatastream.Clear();
        Changed();
        if (OnClear) OnClear(this);
        return;
    }
    const TGraphic* Graphic = dynamic_cast<const TGraphic*>(Source);
    if (auto* Holder = dynamic_cast<const TPicture*>(Source)) Graphic = Holder->Graphic();
    if (!Graphic && !dynamic_cast<const TPicture*>(Source)) {
        GetImageSizes();
        return;
    }
    if (Graphic) {
        // Every picture passes through its saved form, an SVG one included.
        TMemoryStream Saved;
        Graphic->SaveToStream(&Saved);
        Saved.SetPosition(0);
        if (Saved.Size() > 0) {
            KelPictureBytes::Read(*this, FDatastream, &Saved);
        } else {
            // An empty picture saves nothing: this one becomes empty too.
            ClearSVG();
            FDatastream.Clear();
        }
    } else {
        // A picture holding nothing makes this one empty.
        ClearSVG();
        FDatastream.Clear();
    }
    Measure(true);
}

// ---- Measuring ------------------------------------------------------------------------

bool TGDIPPicture::Empty() const {
    return HasSVG() ? TKelSVGBitmap::Empty() : FIsEmpty;
}

Integer TGDIPPicture::Width() const {
    return HasSVG() ? TKelSVGBitmap::Width() : FWidth;
}

Integer TGDIPPicture::Height() const {
    return HasSVG() ? TKelSVGBitmap::Height() : FHeight;
}

bool TGDIPPicture::GetImageSizes() {
    if (HasSVG()) return true;
    if (FIsEmpty) return false;
    const std::unique_ptr<TGPImage> Image = KelPictureBytes::Decode(FDatastream);
    if (!Image) return false;
    FWidth = Integer(Image->GetWidth());
    FHeight = Integer(Image->GetHeight());
    return true;
}

// ---- Drawing ----------------------------------------------------------------------------

void TGDIPPicture::Draw(TCanvas* ACanvas, const TRect& Rect) const {
    if (HasSVG()) {
        TKelSVGBitmap::Draw(ACanvas, Rect);
        return;
    }
    if (FIsEmpty) return;
    const std::unique_ptr<TGPImage> Image = KelPictureBytes::Decode(FDatastream);
    if (!Image) return;
    if (Image->GetFormat() == ifBMP && FTransparentBitmap) {
        KelPictureBytes::StretchDrawBitmap(ACanvas, Rect, FDatastream, true);
        return;
    }
    FWidth = Integer(Image->GetWidth());
    FHeight = Integer(Image->GetHeight());
    TGPGraphics Graphics(ACanvas->Handle());
    // The rotation turns about the centre of the picture's own size placed
    // at the rectangle's top-left corner.
    TGPMatrix Rotation;
    if (FAngle != 0) {
        Rotation.RotateAt(Single(FAngle),
                          TGPPointF{Single(Rect.Left + FWidth / 2.0), Single(Rect.Top + FHeight / 2.0)},
                          MatrixOrderPrepend);
        Graphics.SetTransform(&Rotation);
    }
    Graphics.DrawImageRect(Image.get(), Rect.Left, Rect.Top, Rect.Right - Rect.Left, Rect.Bottom - Rect.Top);
    if (FAngle != 0) Graphics.ResetTransform();
}

void TGDIPPicture::DrawImage(TGPGraphics* Graphics, Integer X, Integer Y) {
    if (HasSVG()) {
        DrawSVG(Graphics, X, Y, Width(), Height());
        return;
    }
    if (FIsEmpty) return;
    if (const std::unique_ptr<TGPImage> Image = KelPictureBytes::Decode(FDatastream))
        Graphics->DrawImage(Image.get(), X, Y);
}

void TGDIPPicture::DrawImageRect(TGPGraphics* Graphics, Integer X, Integer Y, Integer W, Integer H) {
    if (HasSVG()) {
        DrawSVG(Graphics, X, Y, W, H);
        return;
    }
    if (FIsEmpty) return;
    if (const std::unique_ptr<TGPImage> Image = KelPictureBytes::Decode(FDatastream))
        Graphics->DrawImageRect(Image.get(), X, Y, W, H);
}

void TGDIPPicture::DrawSVG(TGPGraphics* Graphics, Integer X, Integer Y, Integer W, Integer H) {
    if (!HasSVG()) return;
    const winapi::HDC DC = Graphics->GetHDC();
    TCanvas Canvas;
    Canvas.SetHandle(DC);
    TKelSVGBitmap::Draw(&Canvas, TRect{X, Y, X + W, Y + H});
    Canvas.SetHandle(nullptr);
    Graphics->ReleaseHDC(DC);
}

// ---- Format ------------------------------------------------------------------------------

namespace {

bool BytesAt(const Byte* Buffer, std::initializer_list<Byte> Bytes, std::size_t Offset = 0) {
    return std::memcmp(Buffer + Offset, std::data(Bytes), Bytes.size()) == 0;
}

} // namespace

TPictureFormat TGDIPPicture::DetectPictureFormat(const Byte* Buffer, Int64 Size) {
    if (!Buffer || Size <= 43) return pfNone;
    if (BytesAt(Buffer, {'I', 'I'})) return BytesAt(Buffer, {0x2A, 0x00}, 2) ? pfTiff : pfNone;
    if (BytesAt(Buffer, {'B', 'M'})) return pfBMP;
    if (BytesAt(Buffer, {'M', 'M'})) return BytesAt(Buffer, {0x00, 0x2A}, 2) ? pfTiff : pfNone;
    if (BytesAt(Buffer, {0xFF, 0xD8})) return pfJPG;
    if (BytesAt(Buffer, {0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A})) return pfPNG;
    if (BytesAt(Buffer, {0xD7, 0xCD, 0xC6, 0x9A}) ||
        (BytesAt(Buffer, {0x01, 0x00, 0x00, 0x00}) && BytesAt(Buffer, {' ', 'E', 'M', 'F'}, 40)))
        return pfMetaFile;
    if (BytesAt(Buffer, {'G', 'I', 'F'})) return pfGIF;
    return BytesAt(Buffer, {0x01, 0x00}, 2) ? pfICO : pfNone;
}

TPictureFormat TGDIPPicture::PictureFormat() const {
    return DetectPictureFormat(FDatastream.Memory(), FDatastream.Size());
}

#include "KelPictureBytes.h"
#include "graphics/GdiPlusGraphics.h"
#include "kel/PictureContainer.h"
#include "kel/RarEvads.h"
#include "rtl/ClassBuilder.h"

#include <cstring>

namespace {

std::uint16_t Word16(const Byte* Bytes, std::size_t Offset) {
    return std::uint16_t(Bytes[Offset] | (Bytes[Offset + 1] << 8));
}

} // namespace

const TClassInfo& THTMLPicture::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<THTMLPicture, TKelSVGBitmap>().Build();
    return Info;
}

THTMLPicture::THTMLPicture() {
    SetTransparent(true);
}

THTMLPicture::~THTMLPicture() = default;

// ---- Loading and saving ----------------------------------------------------------

void THTMLPicture::Loaded(bool Notify) {
    FIsEmpty = !HasSVG() && FDatastream.Size() == 0;
    DecodeFrame();
    if (Notify) Changed();
}

void THTMLPicture::LoadFromFile(const String& FileName) {
    try {
        KelPictureBytes::ReadFile(*this, FDatastream, FileName);
        Loaded(true);
    } catch (...) {
        // An unreadable file leaves nothing behind, not a half-loaded picture.
        ClearSVG();
        FDatastream.Clear();
        FIsEmpty = true;
    }
}

void THTMLPicture::LoadFromStream(TStream* Stream) {
    if (!Stream) return;
    KelPictureBytes::Read(*this, FDatastream, Stream);
    Loaded(true);
}

void THTMLPicture::ReadData(TStream* Stream) {
    if (!Stream) return;
    KelPictureBytes::Read(*this, FDatastream, Stream);
    Loaded(false);
}

void THTMLPicture::SaveToStream(TStream* Stream) const {
    KelPictureBytes::Write(*this, FDatastream, Stream);
}

void THTMLPicture::LoadFromResourceName(HINSTANCE Instance, const String& ResName) {
    if (const std::unique_ptr<TMemoryStream> Resource = KelPictureBytes::Resource(Instance, ResName))
        LoadFromStream(Resource.get());
}

void THTMLPicture::LoadFromResourceID(HINSTANCE Instance, Integer ResID) {
    const std::unique_ptr<TMemoryStream> Resource = KelPictureBytes::ResourceByID(Instance, ResID);
    LoadFromStream(Resource.get());
}

void THTMLPicture::LoadFromURL(const String& url) {
    String Rest;
    if (KelPictureBytes::StripPrefix(url, u"RES://", Rest)) {
        FID = url;
        LoadFromResourceName(TRarEvads::GetHInstance(), Rest);
    } else if (KelPictureBytes::StripPrefix(url, u"FILE://", Rest)) {
        FID = url;
        LoadFromFile(Rest);
    } else if (!FAsynch) {
        FURL = url;
        FID = url;
    } else if (!FThreadBusy) {
        FURL = url;
        FThreadBusy = true;
    }
}

void THTMLPicture::Assign(const TPersistent* Source) {
    if (Source == this) return;
    FIsEmpty = true;
    FFrameCount = FNextCount = FTimerCount = -1;
    SetFrame(1);
    if (!Source) {
        ClearSVG();
        FDatastream.Clear();
        return;
    }
    if (auto* Picture = dynamic_cast<const THTMLPicture*>(Source)) {
        FStretched = Picture->FStretched;
        FFrame = Picture->FFrame;
        FID = Picture->FID;
        AssignSVG(*Picture);
        if (Picture->HasSVG())
            FDatastream.Clear();
        else
            FDatastream.LoadFromStream(const_cast<TMemoryStream&>(Picture->FDatastream));
        Loaded(true);
        return;
    }
    const TGraphic* Graphic = dynamic_cast<const TGraphic*>(Source);
    if (auto* Holder = dynamic_cast<const TPicture*>(Source)) {
        Graphic = Holder->Graphic();
        if (!Graphic) {
            // A picture holding nothing makes this one empty.
            ClearSVG();
            FDatastream.Clear();
            return;
        }
    }
    if (Graphic) {
        TMemoryStream Saved;
        Graphic->SaveToStream(&Saved);
        Saved.SetPosition(0);
        LoadFromStream(&Saved);
        return;
    }
    TKelSVGBitmap::Assign(Source);
}

// ---- Measuring and drawing ------------------------------------------------------------

bool THTMLPicture::Empty() const {
    return HasSVG() ? TKelSVGBitmap::Empty() : FIsEmpty;
}

Integer THTMLPicture::Width() const {
    return HasSVG() ? TKelSVGBitmap::Width() : FWidth;
}

Integer THTMLPicture::Height() const {
    return HasSVG() ? TKelSVGBitmap::Height() : FHeight;
}

void THTMLPicture::DecodeFrame() {
    if (HasSVG() || FDatastream.Size() == 0) return;
    FWidth = FHeight = 0;
    FFrameXPos = FFrameYPos = FAnimMaxX = FAnimMaxY = 0;
    const bool Animated = IsGIF() && CountFrames() > 0;
    if (Animated) {
        const Byte* Bytes = FDatastream.Memory();
        const auto Size = std::size_t(FDatastream.Size());
        if (Size >= 10) {
            FAnimMaxX = Word16(Bytes, 6);
            FAnimMaxY = Word16(Bytes, 8);
        }
        const std::vector<TGifControl> Controls = ScanGif();
        // The image descriptor follows the extension: separator at +8, then
        // left, top, width and height at +9..+16 (read only when present).
        if (FFrame >= 1 && std::size_t(FFrame) <= Controls.size()) {
            const std::size_t Offset = Controls[std::size_t(FFrame) - 1].Offset;
            if (Offset + 16 < Size) {
                FFrameXPos = Word16(Bytes, Offset + 9);
                FFrameYPos = Word16(Bytes, Offset + 11);
                FFrameXSize = Word16(Bytes, Offset + 13);
                FFrameYSize = Word16(Bytes, Offset + 15);
            }
        }
    }
    if (const std::unique_ptr<TGPImage> Image = KelPictureBytes::Decode(FDatastream)) {
        FWidth = Integer(Image->GetWidth());
        FHeight = Integer(Image->GetHeight());
    }
}

void THTMLPicture::Draw(TCanvas* ACanvas, const TRect& Rect) const {
    if (HasSVG()) {
        TKelSVGBitmap::Draw(ACanvas, Rect);
        return;
    }
    if (FIsEmpty) return;
    const std::unique_ptr<TGPImage> Image = KelPictureBytes::Decode(FDatastream);
    if (!Image) return;
    if (Image->GetFormat() == ifBMP) {
        KelPictureBytes::StretchDrawBitmap(ACanvas, Rect, FDatastream, Transparent());
        return;
    }
    // An animated GIF shows its current frame.
    if (Image->GetFrameCount() > 1) Image->SelectActiveFrame(FFrame - 1);
    TGPGraphics Graphics(ACanvas->Handle());
    Graphics.DrawImageRect(Image.get(), Rect.Left, Rect.Top, Rect.Right - Rect.Left, Rect.Bottom - Rect.Top);
}

void THTMLPicture::DrawSVG(TCanvas* ACanvas, Integer X, Integer Y, Integer W, Integer H) const {
    if (HasSVG()) TKelSVGBitmap::Draw(ACanvas, TRect{X, Y, X + W, Y + H});
}

// ---- GIF frames -----------------------------------------------------------------------

bool THTMLPicture::IsGIF() const {
    return FDatastream.Size() > 4 && std::memcmp(FDatastream.Memory(), "GIF8", 4) == 0;
}

std::vector<THTMLPicture::TGifControl> THTMLPicture::ScanGif() const {
    std::vector<TGifControl> Controls;
    const Byte* Bytes = FDatastream.Memory();
    const auto Size = std::size_t(FDatastream.Size());
    // A graphic control extension (21 F9 04, five more bytes) directly
    // followed by an image separator (2C).
    for (std::size_t i = 0; i + 8 < Size; ++i)
        if (Bytes[i] == 0x21 && Bytes[i + 1] == 0xF9 && Bytes[i + 2] == 0x04 && Bytes[i + 8] == 0x2C)
            Controls.push_back({i, Bytes[i + 3], Integer(Word16(Bytes, i + 4))});
    return Controls;
}

Integer THTMLPicture::CountFrames() {
    if (FFrameCount != -1) return FFrameCount;
    if (!IsGIF()) return -1;
    FFrameCount = Integer(ScanGif().size());
    return FFrameCount;
}

Integer THTMLPicture::FrameTime(Integer i) {
    if (!IsGIF()) return -1;
    const std::vector<TGifControl> Controls = ScanGif();
    if (i < 1 || std::size_t(i) > Controls.size()) return -1;
    const TGifControl& Control = Controls[std::size_t(i) - 1];
    // Packed field: disposal method in bits 2-4, transparency flag in bit 0.
    FFrameTransp = (Control.Packed & 0x01) != 0;
    FFrameDisposal = Byte((Control.Packed >> 2) & 0x07);
    return Control.Delay;
}

void THTMLPicture::SetFrame(Integer Value) {
    FFrame = Value;
    if (FIsEmpty) return;
    DecodeFrame();
    if (OnFrameChange) OnFrameChange(this);
}

void THTMLPicture::FrameNext() {
    FFrame = FFrame < CountFrames() ? FFrame + 1 : 1;
}

void THTMLPicture::FramePrev() {
    FFrame = FFrame < 2 ? CountFrames() : FFrame - 1;
}

bool THTMLPicture::Step() {
    if (FFrameCount < 2 || FIsEmpty) return false;
    if (FNextCount == -1) FNextCount = FrameTime(FFrame);
    bool Advanced = false;
    if (FTimerCount * 10 >= FNextCount) {
        FrameNext();
        DecodeFrame();
        FNextCount += FrameTime(FFrame);
        Advanced = true;
    }
    ++FTimerCount;
    return Advanced;
}

#include "graphics/ImageList.h"

#include "graphics/Colors.h"
#include "rtl/ClassBuilder.h"

const TClassInfo& TCustomImageList::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TCustomImageList, TComponent>().Build();
    return Info;
}

const TClassInfo& TImageList::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TImageList, TCustomImageList>().Build();
    return Info;
}

TCustomImageList::TCustomImageList(TComponent* AOwner) : TComponent(AOwner) {}
TCustomImageList::~TCustomImageList() = default;

void TCustomImageList::Changed() {
    if (OnChange) OnChange(this);
}

void TCustomImageList::SetWidth(Integer value) {
    if (value == FWidth || value <= 0) return;
    FWidth = value;
    Clear();
}

void TCustomImageList::SetHeight(Integer value) {
    if (value == FHeight || value <= 0) return;
    FHeight = value;
    Clear();
}

Integer TCustomImageList::AddPieces(const TDecodedImage& pixels) {
    if (pixels.Width <= 0 || pixels.Height <= 0) throw EInvalidOperation(u"Invalid image size");
    const Integer first = Count();
    const Integer pieces = std::max(1, pixels.Width / FWidth);
    for (Integer k = 0; k < pieces; ++k) {
        TDecodedImage piece = TDecodedImage::Blank(FWidth, FHeight);
        for (Integer y = 0; y < std::min(FHeight, pixels.Height); ++y)
            for (Integer x = 0; x < FWidth && k * FWidth + x < pixels.Width; ++x)
                piece.SetPixel(x, y, pixels.Pixel(k * FWidth + x, y));
        piece.HasAlpha = true;
        FImages.push_back(std::move(piece));
    }
    Changed();
    return first;
}

Integer TCustomImageList::Add(TBitmap* Image, TBitmap* Mask) {
    if (!Image) throw EInvalidOperation(u"Invalid image size");
    TDecodedImage pixels = Image->Pixels();
    if (!Image->HasAlpha())
        for (auto& p : pixels.Pixels)
            p |= 0xFF000000u;
    if (Mask && !Mask->Empty()) {
        const TDecodedImage mask = Mask->Pixels();
        for (Integer y = 0; y < std::min(pixels.Height, mask.Height); ++y)
            for (Integer x = 0; x < std::min(pixels.Width, mask.Width); ++x)
                if ((mask.Pixel(x, y) & 0xFFFFFF) == 0xFFFFFF) pixels.SetPixel(x, y, 0);
    }
    return AddPieces(pixels);
}

Integer TCustomImageList::AddMasked(TBitmap* Image, TColor MaskColor) {
    if (!Image || Image->Empty()) throw EInvalidOperation(u"Invalid image size");
    TDecodedImage pixels = Image->Pixels();
    const TColor key = ColorToRGB(MaskColor == clDefault ? Image->TransparentColor() : MaskColor);
    const std::uint32_t keyRgb =
        std::uint32_t(GetRValue(key)) << 16 | std::uint32_t(GetGValue(key)) << 8 | GetBValue(key);
    for (auto& p : pixels.Pixels)
        p = (p & 0xFFFFFF) == keyRgb ? 0 : (p | 0xFF000000u);
    return AddPieces(pixels);
}

void TCustomImageList::Delete(Integer Index) {
    At(Index);
    FImages.erase(FImages.begin() + Index);
    Changed();
}

void TCustomImageList::Clear() {
    FImages.clear();
    Changed();
}

const TDecodedImage& TCustomImageList::At(Integer index) const {
    if (index < 0 || index >= Count()) throw EInvalidOperation(u"Invalid image list index");
    return FImages[std::size_t(index)];
}

void TCustomImageList::GetBitmap(Integer Index, TBitmap* Image) const {
    Image->SetPixelFormat(pf32bit);
    Image->SetAlphaFormat(afDefined);
    Image->SetPixels(At(Index));
}

void TCustomImageList::Draw(TCanvas* Canvas, Integer X, Integer Y, Integer Index, bool Enabled) const {
    TDecodedImage image = At(Index);
    if (!Enabled) {
        // Grey by luminance, at half strength.
        for (auto& p : image.Pixels) {
            const std::uint32_t r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
            const std::uint32_t grey = (r * 299 + g * 587 + b * 114 + 500) / 1000;
            p = ((p >> 24) / 2) << 24 | grey << 16 | grey << 8 | grey;
        }
    }
    TPngImage picture; // any raster graphic that draws with alpha
    picture.SetPixels(image);
    picture.Draw(Canvas, TRect{X, Y, X + FWidth, Y + FHeight});
}

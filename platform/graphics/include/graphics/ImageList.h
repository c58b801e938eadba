#pragma once
// Image lists: equal-sized images kept with their transparency and drawn
// enabled or greyed.

#include "graphics/Graphic.h"
#include "rtl/Component.h"

#include <vector>

class TCustomImageList : public TComponent {
    RTL_CLASS(TCustomImageList)
public:
    explicit TCustomImageList(TComponent* AOwner = nullptr);
    ~TCustomImageList() override;

    Integer Width() const { return FWidth; }
    Integer Height() const { return FHeight; }
    // Changing the size clears the list.
    void SetWidth(Integer value);
    void SetHeight(Integer value);
    Integer Count() const { return Integer(FImages.size()); }

    // Adds the image (several when it is a multiple of Width wide); pixels
    // where the mask is white become transparent. Returns the first index.
    Integer Add(TBitmap* Image, TBitmap* Mask);
    // As Add, with the pixels of MaskColor transparent (clDefault: the
    // bottom-left pixel's colour).
    Integer AddMasked(TBitmap* Image, TColor MaskColor);
    void Delete(Integer Index);
    void Clear();
    // The image as a 32-bit bitmap with alpha.
    void GetBitmap(Integer Index, TBitmap* Image) const;

    // Disabled images draw in grey at half strength. EInvalidOperation for
    // an index out of range.
    void Draw(TCanvas* Canvas, Integer X, Integer Y, Integer Index, bool Enabled = true) const;

    TNotifyEvent OnChange;

private:
    Integer AddPieces(const TDecodedImage& pixels);
    const TDecodedImage& At(Integer index) const;
    void Changed();

    Integer FWidth = 16, FHeight = 16;
    std::vector<TDecodedImage> FImages;
};

class TImageList : public TCustomImageList {
    RTL_CLASS(TImageList)
public:
    using TCustomImageList::TCustomImageList;
};

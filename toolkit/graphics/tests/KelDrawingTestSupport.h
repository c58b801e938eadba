#pragma once
// A drawing class on a small white bitmap, and small pictures of known
// colours to draw with it.

#include "KelContextTestSupport.h"
#include "kel/KelBitmap.h"
#include "kel/KelGraphics.h"

#include <memory>

using TKelGraphicsPtr = std::unique_ptr<TKelGraphics, void (*)(TObject*)>;

struct TDrawingSurface {
    explicit TDrawingSurface(Integer AWidth = 20, Integer AHeight = 20, bool ANative = false)
        : Surface(AWidth, AHeight), Graphics(Create<TKelGraphics>(Surface.Canvas(), ANative), &Free) {}

    TColor Pixel(Integer X, Integer Y) const { return Surface.Pixel(X, Y); }
    std::vector<std::string> Mask() const { return Surface.Mask(); }
    TRect Ink() const { return Surface.Ink(); }

    TContextSurface Surface;
    TKelGraphicsPtr Graphics;
};

// A AWidth x AHeight picture in AColor, with an optional rectangle in AInner.
inline std::unique_ptr<TKelBitmap> SolidPicture(Integer AWidth, Integer AHeight, TColor AColor,
                                                TRect AInnerRect = {}, TColor AInner = 0) {
    TBitmap Bitmap;
    Bitmap.SetSize(AWidth, AHeight);
    Bitmap.Canvas()->Brush()->SetColor(AColor);
    Bitmap.Canvas()->FillRect(Rect(0, 0, AWidth, AHeight));
    if (AInnerRect.Right > AInnerRect.Left) {
        Bitmap.Canvas()->Brush()->SetColor(AInner);
        Bitmap.Canvas()->FillRect(AInnerRect);
    }
    auto Picture = std::make_unique<TKelBitmap>();
    Picture->SetGraphic(&Bitmap);
    return Picture;
}

#pragma once
// The soft frame around the focused cell: a white rounded rectangle on black,
// blurred into a mask, merged with a picture into a 32-bit bitmap with
// premultiplied alpha for a layered window.

#include "graphics/Graphic.h"
#include "rtl/Types.h"

// Value held within Lower..Upper.
Integer TrimInt(Integer Lower, Integer Upper, Integer Value);

// A 32-bit bitmap with premultiplied alpha and the opacity the layered
// window is shown with.
class TGridAlphaMask : public TBitmap {
    RTL_CLASS(TGridAlphaMask)
public:
    TGridAlphaMask();

    Byte Opacity() const { return FOpacity; }
    void SetOpacity(Byte Value) { FOpacity = Value; }

    // Takes Bitmap's size; every pixel's alpha is the mask pixel's red, its
    // colour Bitmap's colour scaled by that alpha. Only a 24-bit Bitmap and
    // a 24-bit mask at least as large are merged; anything else leaves this
    // bitmap unchanged. Color plays no part.
    void MergeMask(TBitmap* Mask, TBitmap* Bitmap, TColor Color);
    // From another alpha mask: the opacity and the pixels over this bitmap's
    // own size; from another graphic: the bitmap assignment. The result is
    // 32-bit either way.
    void Assign(const TPersistent* Source) override;

private:
    Byte FOpacity = 255;
};

// Bitmap becomes a black 24-bit Width x Height picture with a white rounded
// rectangle (filled when PenWidth < 1, else an outline of PenWidth pixels)
// inset by PenWidth / 2 + 2, blurred with Radius when Radius > 0.
void MakeRoundRectMask(TBitmap* Bitmap, Integer Width, Integer Height, Integer PenWidth, Integer Corner,
                       double Radius);
// Gaussian blur of a 24-bit bitmap in place, the kernel reaching at most ten
// pixels. Only the 21 outer rows and columns on each side are blurred; the
// middle is taken as uniform and copied from line 15. A radius of zero or
// less leaves the bitmap as it is. Raises Exception "Blur only works for
// 24-bit bitmaps" for any other pixel format.
void GaussianBlur24(TBitmap* Bitmap, double Radius);

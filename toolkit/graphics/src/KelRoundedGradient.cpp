#include "graphics/Canvas.h"
#include "kel/KelGraphicsTypes.h"
#include "rtl/MathUtils.h"

#include <cmath>

namespace {

// How far a band's end moves in at a rounded corner of radius R, for a band
// DistanceFromEnd pixels from the gradient's end at that corner: R less the
// half chord of the corner's circle there.
Integer CornerInset(Single R, Integer DistanceFromEnd) {
    const Single Offset = R - Single(DistanceFromEnd);
    const Single D = std::sqrt(R * R - Offset * Offset);
    return Integer(Round(R - D));
}

} // namespace

void DrawRoundedGradient(TCanvas* ACanvas, TColor AFromColor, TColor AToColor, bool AHorizontal,
                         TKelGraphicsCorners ACorners, Single ARounding, const TRect& ARect) {
    const Single R = ARounding > 0 ? ARounding : 0;
    const Integer Extent = AHorizontal ? ARect.Right - ARect.Left : ARect.Bottom - ARect.Top;
    const Integer N = Extent == 0 ? 1 : Extent;
    const Single Step = Single(Extent) / Single(N);
    const Integer BandWidth = Integer(std::trunc(Step));

    const TColor From = ColorToRGB(AFromColor);
    const TColor To = ColorToRGB(AToColor);
    const Single IncR = Single(GetRValue(To) - GetRValue(From)) / Single(N);
    const Single IncG = Single(GetGValue(To) - GetGValue(From)) / Single(N);
    const Single IncB = Single(GetBValue(To) - GetBValue(From)) / Single(N);

    TBrush* Brush = ACanvas->Brush();
    TPen* Pen = ACanvas->Pen();
    const TColor OldBrushColor = Brush->Color();
    const TBrushStyle OldBrushStyle = Brush->Style();
    const TColor OldPenColor = Pen->Color();
    const TPenStyle OldPenStyle = Pen->Style();
    Pen->SetStyle(psSolid);
    Brush->SetStyle(bsSolid);

    // The start corners are those the bands of the first R pixels meet, the
    // end corners those of the last R pixels.
    const TKelGraphicsCorner StartA = gcTopLeft;
    const TKelGraphicsCorner StartB = AHorizontal ? gcBottomLeft : gcTopRight;
    const TKelGraphicsCorner EndA = AHorizontal ? gcTopRight : gcBottomLeft;
    const TKelGraphicsCorner EndB = gcBottomRight;

    for (Integer I = 0; I < N; ++I) {
        const auto Channel = [I](Byte Start, Single Increase) {
            return Byte(Start + Round(Single(Single(I) * Increase)));
        };
        Pen->SetColor(MakeColor(Channel(GetRValue(From), IncR), Channel(GetGValue(From), IncG),
                                Channel(GetBValue(From), IncB)));
        Brush->SetColor(Pen->Color());
        const Integer Offset = Integer(Round(Single(Single(I) * Step)));

        // The band's two ends across the gradient: top and bottom for
        // horizontal bands, left and right for vertical ones.
        Integer Near = AHorizontal ? ARect.Top : ARect.Left;
        Integer Far = AHorizontal ? ARect.Bottom : ARect.Right;
        if (Single(I) <= R && (ACorners.Contains(StartA) || ACorners.Contains(StartB))) {
            const Integer Inset = CornerInset(R, I);
            if (ACorners.Contains(StartA)) Near += Inset;
            if (ACorners.Contains(StartB)) Far -= Inset;
        } else if (Single(I) >= Single(N) - R && (ACorners.Contains(EndA) || ACorners.Contains(EndB))) {
            const Integer Inset = CornerInset(R, N - I);
            if (ACorners.Contains(EndA)) Near += Inset;
            if (ACorners.Contains(EndB)) Far -= Inset;
        }

        if (AHorizontal) {
            const Integer X2 = Min(Offset + ARect.Left + BandWidth, ARect.Right);
            ACanvas->Rectangle(Offset + ARect.Left, Near, X2, Far);
        } else {
            const Integer Y2 = Min(Offset + ARect.Top + BandWidth, ARect.Bottom);
            ACanvas->Rectangle(Near, Offset + ARect.Top, Far, Y2);
        }
    }

    Brush->SetColor(OldBrushColor);
    Brush->SetStyle(OldBrushStyle);
    Pen->SetColor(OldPenColor);
    Pen->SetStyle(OldPenStyle);
}

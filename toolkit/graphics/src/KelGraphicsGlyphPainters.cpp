// Glyph buttons of the drawing class (close, expander, compact, drop-down),
// each a button face with a cross or arrow over it, and the sample swatch.
//
// With AAdaptToStyle the glyph is drawn afresh: a few lines in the class-wide
// glyph colour on a small bitmap whose white background is transparent,
// scaled by the scale factor. Without it the glyph is one of the program's
// glyph pictures; a missing picture leaves the face alone.

#include "kel/KelGraphics.h"
#include "kel/KelTypes.h"
#include "rtl/MathUtils.h"

#include <initializer_list>

namespace {

using TKelGraphicsPtr = std::unique_ptr<TKelGraphics, void (*)(TObject*)>;

struct TGlyphLine {
    Single X1, Y1, X2, Y2;
};

constexpr TColor GlyphBackground = 0xFFFFFF;
constexpr Single GlyphStrokeWidth = 2;

TRectF Shrunk(const TRectF& ARect, Single AInset) {
    return RectF(ARect.Left + AInset, ARect.Top + AInset, ARect.Right - AInset, ARect.Bottom - AInset);
}

// A square bitmap of Round(ASize * AScale) pixels holding the lines (their
// coordinates times AScale) in the glyph colour over white, white being its
// transparent colour. AStrokeWidth 0 keeps the stroke's own width.
std::unique_ptr<TKelBitmap> GenerateGlyph(Single ASize, std::initializer_list<TGlyphLine> ALines,
                                          Single AScale, Single AStrokeWidth) {
    const Integer Side = Integer(Round(Double(ASize) * AScale));
    TBitmap Bitmap;
    Bitmap.SetSize(Side, Side);
    Bitmap.SetTransparentMode(tmFixed);
    Bitmap.SetTransparentColor(GlyphBackground);
    Bitmap.SetTransparent(true);
    {
        TKelGraphicsPtr Glyph(Create<TKelGraphics>(Bitmap.Canvas(), false), &Free);
        Glyph->BeginScene();
        Glyph->SetFillKind(gfkSolid);
        Glyph->SetFillColor(GlyphBackground);
        Glyph->SetStrokeKind(gskSolid);
        Glyph->SetStrokeColor(GlyphBackground);
        Glyph->DrawRectangle(0, 0, Side, Side);
        Glyph->SetStrokeColor(TKelGraphics::DefaultGlyphColor);
        if (AStrokeWidth > 0) Glyph->SetStrokeWidth(AStrokeWidth);
        for (const TGlyphLine& L : ALines)
            Glyph->DrawLine(PointF(L.X1 * AScale, L.Y1 * AScale), PointF(L.X2 * AScale, L.Y2 * AScale));
        Glyph->EndScene();
    }
    auto Picture = std::make_unique<TKelBitmap>();
    Picture->SetGraphic(&Bitmap);
    return Picture;
}

// The program's glyph picture of that name, centred at its own size (or
// smaller, keeping its proportions) in ARect.
void DrawResourceGlyph(TKelGraphics& AGraphics, const TRectF& ARect, const String& AResourceName) {
    TKelBitmap Picture;
    LoadBitmapFromResource(&Picture, AResourceName);
    if (!IsPictureEmpty(&Picture)) AGraphics.DrawBitmap(ARect, &Picture, true, false, true, false);
}

// The glyph of a close, expander or compact button: generated into the
// whole rectangle, or the picture inset by AInset times the scale.
void DrawSquareGlyph(TKelGraphics& AGraphics, const TRectF& ARect, std::initializer_list<TGlyphLine> ALines,
                     const String& AResourceName, Single AInset, bool AAdaptToStyle, Single AScale) {
    if (AAdaptToStyle) {
        const std::unique_ptr<TKelBitmap> Glyph = GenerateGlyph(16, ALines, AScale, GlyphStrokeWidth);
        AGraphics.DrawBitmap(ARect, Glyph.get(), true, false, true, false);
    } else {
        DrawResourceGlyph(AGraphics, Shrunk(ARect, AInset * AScale), AResourceName);
    }
}

} // namespace

void TKelGraphics::DrawCloseButton(const TRectF& ARect, bool ADown, bool AFocused, bool AEnabled,
                                   bool AAdaptToStyle, Single AScaleFactor) {
    DrawButton(ARect, ADown, AFocused, AEnabled, AAdaptToStyle, AScaleFactor);
    DrawSquareGlyph(*this, ARect, {{3, 3, 12, 12}, {3, 12, 12, 3}}, u"KelGRAPHICSCLOSESVG", 6, AAdaptToStyle,
                    AScaleFactor);
}

void TKelGraphics::DrawExpanderButton(const TRectF& ARect, TKelGraphicsExpanderState AState, bool ADown,
                                      bool AFocused, bool AEnabled, bool AAdaptToStyle, Single AScaleFactor) {
    DrawButton(ARect, ADown, AFocused, AEnabled, AAdaptToStyle, AScaleFactor);
    if (AState == gesCollapsed)
        DrawSquareGlyph(*this, ARect, {{5, 6, 8, 9}, {8, 9, 11, 6}}, u"KelGRAPHICSDOWNSVG", 4, AAdaptToStyle,
                        AScaleFactor);
    else
        DrawSquareGlyph(*this, ARect, {{5, 9, 8, 6}, {8, 6, 11, 9}}, u"KelGRAPHICSUPSVG", 4, AAdaptToStyle,
                        AScaleFactor);
}

void TKelGraphics::DrawCompactButton(const TRectF& ARect, TKelGraphicsCompactState AState, bool ADown,
                                     bool AFocused, bool AEnabled, bool AAdaptToStyle, Single AScaleFactor) {
    DrawButton(ARect, ADown, AFocused, AEnabled, AAdaptToStyle, AScaleFactor);
    if (AState == gcsCollapsed)
        DrawSquareGlyph(*this, ARect, {{6, 5, 9, 8}, {9, 8, 6, 11}}, u"KelGRAPHICSRIGHTSVG", 4, AAdaptToStyle,
                        AScaleFactor);
    else
        DrawSquareGlyph(*this, ARect, {{9, 5, 6, 8}, {6, 8, 9, 11}}, u"KelGRAPHICSLEFTSVG", 4, AAdaptToStyle,
                        AScaleFactor);
}

void TKelGraphics::DrawDropDownButton(const TRectF& ARect, bool ADown, bool AFocused, bool AEnabled,
                                      bool ACenter, bool AAdaptToStyle, Single AScaleFactor) {
    const Single S = AScaleFactor;
    DrawButton(ARect, ADown, AFocused, AEnabled, AAdaptToStyle, 1);
    if (AAdaptToStyle) {
        // A small filled triangle pointing down, drawn line by line.
        const std::unique_ptr<TKelBitmap> Glyph =
            GenerateGlyph(7, {{0, 1, 6, 1}, {0, 2, 6, 2}, {1, 3, 5, 3}, {2, 4, 4, 4}, {3, 5, 3, 5}}, S, 0);
        const Single W = Single(Glyph->Width());
        TRectF R = ARect;
        if (!ACenter && ARect.Left < ARect.Right - W - 10 * S) R.Left = ARect.Right - W - 10 * S;
        DrawBitmap(R, Glyph.get(), true, false, true, false);
    } else {
        const TRectF R =
            ACenter
                ? Shrunk(ARect, 4 * S)
                : Shrunk(RectF(ARect.Right - 16 * S, ARect.Top, ARect.Right - 2 * S, ARect.Bottom), 2 * S);
        DrawResourceGlyph(*this, R, u"KelGRAPHICSEXPANDSVG");
    }
}

void TKelGraphics::DrawSample(TCanvas* ACanvas, const TRectF& ARect) {
    TKelGraphicsPtr Sample(Create<TKelGraphics>(ACanvas, false), &Free);
    Sample->SetFontName(u"Courier New");
    Sample->SetFontSize(20);
    Sample->SetFontColor(0xFFFFFF);
    Sample->SetFillKind(gfkGradient);
    Sample->Fill()->SetColor(MakeColor(255, 140, 0));
    Sample->Fill()->SetColorTo(MakeColor(70, 130, 180));
    Sample->SetStrokeColor(MakeColor(0, 0, 139));
    Sample->DrawRectangle(ARect);
    Sample->DrawText(ARect, u"Sample");
}

// Painters of small controls on the drawing class: a push button face, a
// check box, a radio button and a progress bar. They set the object's own
// fill and stroke and leave them changed; only the progress bar puts the
// fill colour back.

#include "kel/KelGraphics.h"
#include "rtl/Exception.h"
#include "rtl/Format.h"

namespace {

constexpr TColor ButtonBorderColor = 0xA9A9A9;
constexpr TColor ButtonColor = MakeColor(225, 225, 225);
constexpr TColor ButtonFocusedBorderColor = MakeColor(60, 127, 177);
constexpr TColor ButtonFocusedColor = MakeColor(229, 241, 251);
constexpr TColor ButtonDisabledBorderColor = 0xA9A9A9;
constexpr TColor ButtonDisabledColor = 0xD3D3D3;
constexpr TColor CheckFocusedColor = MakeColor(70, 130, 180);

TRectF Shrunk(const TRectF& ARect, Single ADX, Single ADY) {
    return RectF(ARect.Left + ADX, ARect.Top + ADY, ARect.Right - ADX, ARect.Bottom - ADY);
}

} // namespace

// The adapting painters start from the documented colours, so that markup
// buttons are legible before anyone calls SetDefaultGraphicColors.
TColor TKelGraphics::DefaultGlyphColor = 0;
TColor TKelGraphics::DefaultButtonBorderColor = ButtonBorderColor;
TColor TKelGraphics::DefaultButtonColor = ButtonColor;
TColor TKelGraphics::DefaultButtonFocusedBorderColor = ButtonFocusedBorderColor;
TColor TKelGraphics::DefaultButtonFocusedColor = ButtonFocusedColor;
TColor TKelGraphics::DefaultButtonDisabledBorderColor = ButtonDisabledBorderColor;
TColor TKelGraphics::DefaultButtonDisabledColor = ButtonDisabledColor;

void TKelGraphics::SetDefaultGraphicColors() {
    DefaultGlyphColor = 0;
    DefaultButtonBorderColor = ButtonBorderColor;
    DefaultButtonColor = ButtonColor;
    DefaultButtonFocusedBorderColor = ButtonFocusedBorderColor;
    DefaultButtonFocusedColor = ButtonFocusedColor;
    DefaultButtonDisabledBorderColor = ButtonDisabledBorderColor;
    DefaultButtonDisabledColor = ButtonDisabledColor;
}

void TKelGraphics::DrawButton(const TRectF& ARect, bool ADown, bool AFocused, bool AEnabled,
                              bool AAdaptToStyle, Single) {
    SetStrokeKind(gskSolid);
    SetStrokeWidth(1);
    SetFillKind(gfkSolid);
    TColor Border, Face;
    if (!AEnabled) {
        Border = AAdaptToStyle ? DefaultButtonDisabledBorderColor : ButtonDisabledBorderColor;
        Face = AAdaptToStyle ? DefaultButtonDisabledColor : ButtonDisabledColor;
    } else if (AFocused) {
        Border = AAdaptToStyle ? DefaultButtonFocusedBorderColor : ButtonFocusedBorderColor;
        Face = AAdaptToStyle ? DefaultButtonFocusedColor : ButtonFocusedColor;
    } else {
        Border = AAdaptToStyle ? DefaultButtonBorderColor : ButtonBorderColor;
        Face = AAdaptToStyle ? DefaultButtonColor : ButtonColor;
    }
    SetStrokeColor(Border);
    SetFillColor(Face);
    DrawRectangle(ARect);
    // An inner line that shows only while the button is down.
    SetFillKind(gfkNone);
    SetStrokeColor(ADown ? LighterColor(Border, 40) : Face);
    DrawRectangle(Shrunk(ARect, 1, 1));
}

// The box colour of a check box or radio button.
static TColor CheckMarkColor(bool AFocused, bool AEnabled) {
    if (!AEnabled) return ButtonDisabledBorderColor;
    return AFocused ? CheckFocusedColor : 0;
}

// Sets the box style of a check box or radio button (light face, 1-pixel
// border in the box colour) and returns the box colour.
static TColor SetCheckBoxStyle(TKelGraphics& AGraphics, bool AFocused, bool AEnabled) {
    const TColor C = CheckMarkColor(AFocused, AEnabled);
    AGraphics.SetFillKind(gfkSolid);
    AGraphics.SetFillColor(AEnabled ? LighterColor(ButtonDisabledColor, 85) : ButtonDisabledColor);
    AGraphics.SetStrokeKind(gskSolid);
    AGraphics.SetStrokeWidth(1);
    AGraphics.SetStrokeColor(C);
    return C;
}

void TKelGraphics::DrawCheckBox(const TRectF& ARect, bool AChecked, bool AFocused, bool AEnabled, Single) {
    TRectF R = Shrunk(ARect, 1, 1);
    SetCheckBoxStyle(*this, AFocused, AEnabled);
    DrawRectangle(R);
    R = Shrunk(R, R.Width() / 5, R.Height() / 5);
    SetStrokeWidth(2);
    if (AChecked) {
        DrawLine(PointF(R.Left, R.Top), PointF(R.Right - 1, R.Bottom - 1));
        DrawLine(PointF(R.Right - 1, R.Top), PointF(R.Left, R.Bottom - 1));
    }
}

void TKelGraphics::DrawRadioButton(const TRectF& ARect, bool AChecked, bool AFocused, bool AEnabled, Single) {
    TRectF R = Shrunk(ARect, 1, 1);
    const TColor C = SetCheckBoxStyle(*this, AFocused, AEnabled);
    DrawEllipse(R);
    R = Shrunk(R, R.Width() / 5, R.Height() / 5);
    SetFillColor(C);
    if (AChecked) DrawEllipse(R);
}

void TKelGraphics::DrawProgressBar(const TRectF& ARect, Single AValue, const String& AFormat, Single AMax,
                                   TColor AColor, TColor ATextColor, bool AShowText, bool AEnabled, Single) {
    const TColor SavedFillColor = FFill->Color();
    SetFillKind(gfkSolid);
    SetFillColor(AEnabled ? LighterColor(ButtonDisabledColor, 75) : ButtonDisabledColor);
    SetStrokeKind(gskSolid);
    SetStrokeColor(ButtonBorderColor);
    DrawRectangle(ARect);
    Single V = AMax <= AValue ? AMax : AValue;
    if (V < 0) V = 0;
    if (AMax > 0) {
        // The bar's share of its own width, so a full bar stays inside the border.
        TRectF Bar = Shrunk(ARect, 1, 1);
        Bar.Right = Bar.Left + Bar.Width() * V / AMax;
        SetFillColor(AColor);
        SetStrokeColor(AColor);
        DrawRectangle(Bar);
        if (AShowText) {
            const TColor SavedFontColor = FFont->Color();
            SetFontColor(ATextColor);
            const Double Percentage = Double(V) / AMax * 100;
            String Text;
            try {
                Text = Format(AFormat, {Percentage});
            } catch (const EConvertError&) {
                // A format that does not take one number (say "%d") must not
                // break painting: the plain number stands in.
                Text = FloatToStr(Percentage);
            }
            DrawText(ARect, Text);
            SetFontColor(SavedFontColor);
        }
    }
    SetFillColor(SavedFillColor);
}

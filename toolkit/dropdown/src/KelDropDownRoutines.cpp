#include "dropdown/KelDropDownRoutines.h"

#include "graphics/Graphic.h"
#include "graphics/Colors.h"
#include "graphics/GdiText.h"
#include "kel/KelGraphics.h"
#include "kel/KelMarkupRenderer.h"
#include "kel/WindowsPlatform.h"
#include "rtl/FormatSettings.h"
#include "rtl/MathUtils.h"
#include "rtl/StringUtils.h"
#include "vcl/Forms.h"
#include "windowing/Paint.h"

#include <algorithm>
#include <cstring>

using namespace winapi;

Integer TextHeightAtDPI(Integer PixelsPerInch, Integer Size) {
    const HDC Screen = GetDC(nullptr);
    Integer Height = 0;
    {
        TCanvas Canvas;
        Canvas.SetHandle(Screen);
        Canvas.Font()->SetPixelsPerInch(PixelsPerInch);
        Canvas.Font()->SetSize(Size);
        Height = Canvas.TextHeight(u"0");
        Canvas.SetHandle(nullptr);
    }
    ReleaseDC(nullptr, Screen);
    return Height;
}

Single GetDPIScale(TControl* Control) {
    Integer Dpi;
    if (TCustomForm* Form = Control ? GetParentForm(Control) : nullptr) {
        const TMonitor* Monitor = Form->Monitor();
        Dpi = Form->Scaled() ? (Monitor ? Monitor->PixelsPerInch() : Screen->PixelsPerInch()) : 96;
    } else {
        const HDC ScreenDC = GetDC(nullptr);
        Dpi = GetDeviceCaps(ScreenDC, LOGPIXELSX);
        ReleaseDC(nullptr, ScreenDC);
    }
    if (Dpi == 96 || Dpi <= 0) return 1.0f;
    const Integer Base = TextHeightAtDPI(96, 9);
    return Base > 0 ? Single(TextHeightAtDPI(Dpi, 9)) / Single(Base) : 1.0f;
}

void GetWindowsVersion(Integer& Major, Integer& Minor) {
    const TSystemLibrary* Ntdll = WindowsPlatform().GetModuleHandle(u"ntdll.dll");
    if (!Ntdll) return;
    auto* RtlGetVersion = reinterpret_cast<TRtlGetVersion>(Ntdll->GetProcAddress(u"RtlGetVersion"));
    if (!RtlGetVersion) return;
    TOSVersionInfo Info{};
    if (RtlGetVersion(&Info) == 0) {
        Major = Integer(Info.MajorVersion);
        Minor = Integer(Info.MinorVersion);
    }
}

bool IsWindows10() {
    Integer Major = 0, Minor = 0;
    GetWindowsVersion(Major, Minor);
    return Major == 10;
}

bool IsWindowsVista() {
    Integer Major = 0, Minor = 0;
    GetWindowsVersion(Major, Minor);
    return Major == 6;
}

// ---- Painting ----

void DrawBandedGradient(TCanvas* Canvas, TColor FromColor, TColor ToColor, Integer Steps, TRect Rect,
                        bool Horizontal) {
    if (!Canvas) return;
    const TRect Outer = Rect;
    if (Horizontal)
        --Rect.Right;
    else
        --Rect.Bottom;
    if (Steps == 0) Steps = 1;
    const TColor From = ColorToRGB(FromColor);
    const TColor To = ColorToRGB(ToColor);
    const double DiffR = double(Integer(GetRValue(To)) - GetRValue(From)) / Steps;
    const double DiffG = double(Integer(GetGValue(To)) - GetGValue(From)) / Steps;
    const double DiffB = double(Integer(GetBValue(To)) - GetBValue(From)) / Steps;
    const double BandSize = double(Horizontal ? Rect.Right - Rect.Left : Rect.Bottom - Rect.Top) / Steps;
    const Integer Band = Integer(Round(BandSize));
    const Word Count = Word(Steps);
    for (Word I = 0; I < Count; ++I) {
        const Integer R = GetRValue(From) + Integer(Round(I * DiffR));
        const Integer G = GetGValue(From) + Integer(Round(I * DiffG));
        const Integer B = GetBValue(From) + Integer(Round(I * DiffB));
        const TColor Color = TColor((R & 0xFF) + (G & 0xFF) * 256 + (B & 0xFF) * 65536);
        Canvas->Pen()->SetColor(Color);
        Canvas->Brush()->SetColor(Color);
        Canvas->Brush()->SetStyle(bsSolid);
        const Integer Offset = SmallInt(Round(I * BandSize));
        if (Horizontal)
            Canvas->FillRect(TRect(Rect.Left + Offset, Rect.Top, Rect.Left + Offset + Band + 1, Outer.Bottom));
        else
            Canvas->FillRect(TRect(Rect.Left, Rect.Top + Offset, Outer.Right, Rect.Top + Offset + Band + 1));
    }
}

void DrawBackgroundAndBorder(TCanvas* Canvas, const TRect& Rect, TColor Color, TColor ColorTo,
                             TColor BorderColor, Integer BorderWidth, TGradientDirection Direction) {
    if (!Canvas) return;
    if (ColorTo != clNone) {
        DrawBandedGradient(Canvas, Color, ColorTo, 80, Rect, Direction == gdHorizontal);
    } else if (Color != clNone) {
        Canvas->Brush()->SetStyle(bsSolid);
        Canvas->Brush()->SetColor(Color);
        Canvas->FillRect(Rect);
    }
    if (BorderColor != clNone && BorderWidth > 0) {
        Canvas->Brush()->SetStyle(bsClear);
        Canvas->Pen()->SetWidth(BorderWidth);
        Canvas->Pen()->SetColor(BorderColor);
        Canvas->Rectangle(Rect);
        Canvas->Brush()->SetStyle(bsSolid);
        Canvas->Pen()->SetWidth(1);
    }
}

void DrawImageText(TCanvas* Canvas, const TRect& Rect, const String& Text, TCustomImageList* Images,
                   Integer ImageIndex) {
    if (!Canvas) return;
    TRect TextRect = Rect;
    bool ImageDrawn = false;
    if (ImageIndex >= 0 && Images) {
        Images->Draw(Canvas, Rect.Left + 4, Rect.Top + (Rect.Height() - Images->Height()) / 2, ImageIndex);
        TextRect.Left = Rect.Left + Images->Width() + 8;
        ImageDrawn = true;
    }
    if (Text.empty()) return;
    Cardinal Format = DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS;
    if (!ImageDrawn) Format |= DT_CENTER;
    Canvas->Brush()->SetStyle(bsClear);
    DrawText(Canvas->Handle(), Text, TextRect, Format);
    Canvas->Brush()->SetStyle(bsSolid);
}

void DrawTransparentBitmap(TCanvas* Canvas, const TBitmap* Bitmap, TColor Color, const TRect& Rect) {
    if (!Canvas || !Bitmap || Bitmap->Empty()) return;
    TBitmap Temporary;
    Temporary.SetSize(Bitmap->Width(), Bitmap->Height());
    Temporary.Canvas()->Brush()->SetColor(Color);
    Temporary.Canvas()->FillRect(TRect(0, 0, Bitmap->Width(), Bitmap->Height()));
    TBitmap* Source = const_cast<TBitmap*>(Bitmap);
    const TColor Key = Source->Canvas()->Pixels(0, 0);
    for (Integer Y = 0; Y < Bitmap->Height(); ++Y)
        for (Integer X = 0; X < Bitmap->Width(); ++X) {
            const TColor Pixel = Source->Canvas()->Pixels(X, Y);
            if (Pixel != Key) Temporary.Canvas()->SetPixels(X, Y, Pixel);
        }
    Canvas->StretchDraw(Rect, &Temporary);
}

// ---- Colours ----

TColor BlendColor(TColor Color1, TColor Color2, Integer Percent) {
    if (Percent >= 100) return Color1;
    if (Percent <= 0) return Color2;
    const TColor C1 = ColorToRGB(Color1);
    const TColor C2 = ColorToRGB(Color2);
    const double P = Percent / 100.0;
    const auto Mix = [P](Byte A, Byte B) { return Byte(std::clamp<Int64>(Round(P * A + (1 - P) * B), 0, 255)); };
    return RGB(Mix(GetRValue(C1), GetRValue(C2)), Mix(GetGValue(C1), GetGValue(C2)),
               Mix(GetBValue(C1), GetBValue(C2)));
}

TColor DarkenColor(TColor Color, Integer DeltaR, Integer DeltaG, Integer DeltaB) {
    const TColor C = ColorToRGB(Color);
    const auto Scale = [](Integer Channel, Integer Delta) -> Integer {
        if (Channel == 0) return std::max(0, Delta);
        return Integer(Round(double(Channel) * std::min(100, 100 + Delta) / 100.0));
    };
    const Integer R = Scale(GetRValue(C), DeltaR);
    const Integer G = Scale(GetGValue(C), DeltaG);
    const Integer B = Scale(GetBValue(C), DeltaB);
    return TColor((R & 0xFF) | ((G & 0xFF) << 8) | ((B & 0xFF) << 16));
}

// ---- Text ----

void MeasureText(TCanvas* Canvas, const String& Text, TSize& Size) {
    Size = {0, 0};
    if (!Canvas || Text.empty()) return;
    TRect Rect(0, 0, 1000, 500);
    DrawText(Canvas->Handle(), Text, Rect, DT_CALCRECT | DT_SINGLELINE);
    Size = {Rect.Width(), Rect.Height()};
}

void TruncateText(TCanvas* Canvas, const String& Text, Integer MaxWidth, bool Ellipsis, String& Result) {
    Result = Text;
    if (!Canvas || Canvas->TextWidth(Text) <= MaxWidth) return;
    for (size_t Drop = 1; Drop <= Text.size(); ++Drop) {
        String Candidate = Text.substr(0, Text.size() - Drop);
        if (Ellipsis) Candidate += u"...";
        if (Canvas->TextWidth(Candidate) < MaxWidth) {
            Result = Candidate;
            return;
        }
    }
}

void MeasureMarkupText(TCanvas* Canvas, const String& Text, const TRect& Rect, TCustomImageList* Images,
                       bool Option, TComponent* /*Owner*/, Single DPIScale, TSize& Size) {
    Size = {0, 0};
    if (!Canvas || Text.empty()) return;
    // Measured through the drawing class's markup renderer, with the
    // canvas's font.
    TKelGraphics* Graphics = Create<TKelGraphics>(Canvas);
    Graphics->BeginScene();
    Graphics->SetFontName(Canvas->Font()->Name());
    Graphics->SetFontSize(Canvas->Font()->Size());
    Graphics->SetFontStyles(Canvas->Font()->Style());
    TMarkupTextOptions Options;
    Options.MeasureOnly = true;
    Options.ImageList = Images;
    Options.ControlScale = DPIScale;
    Options.LinkColor = 0xFF0000;
    Options.ShadowColor = 0x808080;
    Options.WordWrap = !Option;
    TMarkupTextOutputs Outputs;
    DrawMarkupText(Graphics, Text, TRectF(Rect.Left, Rect.Top, Rect.Right, Rect.Bottom), Options, Outputs);
    Graphics->EndScene();
    Free(Graphics);
    Size = {Integer(Round(Outputs.TextWidth)), Integer(Round(Outputs.TextHeight))};
}

String CaseFold(const String& Text, bool CaseSensitive) {
    return CaseSensitive ? Text : AnsiUpperCase(Text);
}

// ---- Numbers ----

TNumberTextKind ClassifyNumberText(const String& Text) {
    if (Text.empty()) return ntText;
    bool Hex = true, Int = true, Float = true;
    Integer Minus = 0, Decimals = 0;
    Integer LastThousand = -1;
    const Char TS = GetThousandSeparator();
    const Char DS = GetDecimalSeparator();
    for (size_t Index = 0; Index < Text.size(); ++Index) {
        const Char C = Text[Index];
        const Integer Position = Integer(Index) + 1;
        const bool Digit = C >= u'0' && C <= u'9';
        if (!(C == u'-' || Digit || (C >= u'A' && C <= u'F') || (C >= u'a' && C <= u'f'))) Hex = false;
        if (!(C == u'-' || Digit)) Int = false;
        if (!(C == u',' || C == u'-' || C == u'.' || Digit)) Float = false;
        if (C == TS) {
            if (Position - LastThousand <= 2) Float = false;
            LastThousand = Position;
        }
        if (C == u'-') ++Minus;
        if (C == DS) ++Decimals;
    }
    if (Minus > 1 || Decimals > 1) return ntText;
    if (Int) return ntInteger;
    if (Float) return ntFloat;
    if (Hex) return ntHex;
    return ntText;
}

String StripThousandSeparators(const String& Text) {
    String Result;
    const Char TS = GetThousandSeparator();
    for (Char C : Text)
        if (C != TS) Result += C;
    return Result;
}

Integer HexDigitValue(Char Ch) {
    if (Ch >= u'0' && Ch <= u'9') return Ch - u'0';
    if (Ch >= u'A' && Ch <= u'F') return Ch - u'A' + 10;
    if (Ch >= u'a' && Ch <= u'f') return Ch - u'a' + 10;
    return 0;
}

Integer HexToInt(const String& Text) {
    Cardinal Result = 0;
    for (Char C : Text)
        Result = Result * 16u + Cardinal(HexDigitValue(C));
    return Integer(Result);
}

bool IsRangeSeparator(Char Ch) {
    return Ch == u',' || Ch == u'-' || Ch == u';';
}

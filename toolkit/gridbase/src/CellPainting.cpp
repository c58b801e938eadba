// The cell painting routines: selection frames, gradients, colour blends,
// progress bars, shapes, buttons, the wavy underline and bitmaps.

#include "gridbase/CellPainting.h"

#include "graphics/GdiBlit.h"
#include "graphics/GdiControls.h"
#include "graphics/GdiText.h"
#include "graphics/Graphic.h"
#include "graphics/Picture.h"
#include "kel/KelTypes.h"
#include "rtl/Format.h"
#include "rtl/MathUtils.h"
#include "rtl/Convert.h"
#include "vcl/StdCtrls.h"
#include "windowing/MessageQueue.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <numbers>

namespace {

struct TRGB {
    Integer R, G, B;
};

TRGB Components(TColor Color) {
    const TColor C = ColorToRGB(Color);
    return {C & 0xFF, (C >> 8) & 0xFF, (C >> 16) & 0xFF};
}

Integer Clamp255(Int64 V) { return Integer(std::clamp<Int64>(V, 0, 255)); }

void PenAndBrush(TCanvas* ACanvas, TColor Color) {
    ACanvas->Pen()->SetColor(Color);
    ACanvas->Brush()->SetColor(Color);
}

void Line(TCanvas* ACanvas, Integer X1, Integer Y1, Integer X2, Integer Y2) {
    ACanvas->MoveTo(X1, Y1);
    ACanvas->LineTo(X2, Y2);
}

} // namespace

// ---- Backgrounds and colours -------------------------------------------------

void FillGradientRect(TCanvas* ACanvas, TColor ColorFrom, TColor ColorTo, Integer Steps, TRect R, bool Horizontal) {
    if (R.Top == R.Bottom) return;
    if (R.Bottom < R.Top) std::swap(R.Top, R.Bottom);
    if (ColorFrom == clNone || ColorTo == clNone) {
        PenAndBrush(ACanvas, ColorFrom == clNone ? ColorTo : ColorFrom);
        if (ColorFrom == clNone && ColorTo == clNone) return;
        ACanvas->Rectangle(R);
        return;
    }
    const TRGB A = Components(ColorFrom), B = Components(ColorTo);
    const Integer Span = Horizontal ? R.Width() - 1 : R.Height() - 1;
    Steps = std::max(std::min(Steps, Span), 1);
    const Integer Extent = Integer(double(Span) / Steps + 1);
    const Integer Far = Horizontal ? R.Right : R.Bottom;
    for (Integer I = 0; I <= Steps; ++I) {
        const TColor Band = RGB(Byte(A.R + Round(double(I) * (B.R - A.R) / Steps)),
                                Byte(A.G + Round(double(I) * (B.G - A.G) / Steps)),
                                Byte(A.B + Round(double(I) * (B.B - A.B) / Steps)));
        const Integer Offset = Integer(Int64(I) * Span / Steps);
        PenAndBrush(ACanvas, Band);
        if (Horizontal)
            ACanvas->Rectangle(R.Left + Offset, R.Top, std::min(R.Left + Offset + Extent, Far), R.Bottom);
        else
            ACanvas->Rectangle(R.Left, R.Top + Offset, R.Right, std::min(R.Top + Offset + Extent, Far));
    }
}

void DrawSelectionFrame(TCanvas* ACanvas, TColor ColorFrom, TColor ColorTo, TColor MirrorColor, TColor MirrorColorTo,
                        TColor TopLineColor, TColor BottomLineColor, TColor BorderColor, TColor CornerNearColor,
                        TColor CornerColor, TRect R, Integer Part) {
    R.Right -= 1;
    R.Bottom -= 2;
    const bool LeftSide = Part == sfSingle || Part == sfLeftEnd;
    const bool RightSide = Part == sfSingle || Part == sfRightEnd;
    const Integer Middle = R.Top + R.Height() / 2;
    ACanvas->Pen()->SetWidth(1);
    ACanvas->Pen()->SetColor(TopLineColor);
    Line(ACanvas, R.Left, R.Top + 1, R.Right, R.Top + 1);
    if (LeftSide) Line(ACanvas, R.Left + 1, R.Top + 1, R.Left + 1, Middle);
    if (RightSide) Line(ACanvas, R.Right - 2, R.Top + 1, R.Right - 2, Middle);
    ACanvas->Pen()->SetColor(BottomLineColor);
    Line(ACanvas, R.Left, R.Bottom - 1, R.Right, R.Bottom - 1);
    if (LeftSide) Line(ACanvas, R.Left + 1, Middle, R.Left + 1, R.Bottom - 1);
    if (RightSide) Line(ACanvas, R.Right - 2, Middle, R.Right - 2, R.Bottom - 1);
    const Integer LeftInset = (Part == sfRightEnd || Part == sfMiddle) ? 0 : 2;
    const Integer RightInset = (Part == sfLeftEnd || Part == sfMiddle) ? 0 : 2;
    ACanvas->Pen()->SetColor(BorderColor);
    Line(ACanvas, R.Left + LeftInset, R.Top, R.Right - RightInset, R.Top);
    Line(ACanvas, R.Left + LeftInset, R.Bottom, R.Right - RightInset, R.Bottom);
    if (RightSide) Line(ACanvas, R.Right - 1, R.Top + 2, R.Right - 1, R.Bottom - 1);
    if (LeftSide) Line(ACanvas, R.Left, R.Top + 2, R.Left, R.Bottom - 1);
    auto Corners = [&](Integer Near, Integer Outer) {
        for (const TPoint P : {TPoint{Near, R.Top}, TPoint{Near, R.Top + 1}, TPoint{Outer, R.Top + 1},
                               TPoint{Near, R.Bottom}, TPoint{Near, R.Bottom - 1}, TPoint{Outer, R.Bottom - 1}})
            ACanvas->SetPixels(P.X, P.Y, CornerNearColor);
        ACanvas->SetPixels(Outer, R.Top, CornerColor);
        ACanvas->SetPixels(Outer, R.Bottom, CornerColor);
    };
    if (LeftSide) Corners(R.Left + 1, R.Left);
    if (RightSide) Corners(R.Right - 2, R.Right - 1);
    const TRect Inner{R.Left + LeftInset, R.Top + 2, R.Right - RightInset, R.Bottom - 1};
    if (ColorTo == clNone) {
        FillRectColor(ACanvas, Inner, ColorFrom);
    } else if (MirrorColor == clNone) {
        FillGradientRect(ACanvas, ColorFrom, ColorTo, 16, Inner, false);
    } else {
        const Integer Half = Inner.Top + Inner.Height() / 2;
        FillGradientRect(ACanvas, ColorFrom, ColorTo, 16, {Inner.Left, Inner.Top, Inner.Right, Half}, false);
        FillGradientRect(ACanvas, MirrorColor, MirrorColorTo, 16, {Inner.Left, Half, Inner.Right, Inner.Bottom},
                         false);
    }
}

void DrawGradientBackground(TCanvas* ACanvas, TRect R, TColor Color, TColor ColorTo, TColor MirrorColor,
                            TColor MirrorColorTo, Integer Direction, TColor BorderColor, bool BorderAsSideLines,
                            bool Fill) {
    const bool Horizontal = Direction == 0;
    if (Fill && Color != clNone) {
        if (MirrorColor != clNone) {
            TRect First = R, Second = R;
            if (Horizontal) {
                First.Right = Second.Left = R.Left + R.Width() / 2;
            } else {
                First.Bottom = Second.Top = R.Top + R.Height() / 2;
            }
            FillGradientRect(ACanvas, Color, ColorTo, 128, First, Horizontal);
            FillGradientRect(ACanvas, MirrorColor, MirrorColorTo, 128, Second, Horizontal);
        } else if (ColorTo == clNone) {
            ++R.Bottom;
            ACanvas->Brush()->SetStyle(bsSolid);
            ACanvas->Pen()->SetWidth(1);
            ACanvas->Pen()->SetStyle(psSolid);
            PenAndBrush(ACanvas, Color);
            ACanvas->Rectangle(R);
        } else {
            FillGradientRect(ACanvas, Color, ColorTo, 128, R, Horizontal);
        }
    }
    if (BorderColor == clNone) return;
    if (BorderAsSideLines) {
        ACanvas->Pen()->SetColor(BorderColor);
        Line(ACanvas, R.Left, R.Top, R.Left, R.Bottom);
        Line(ACanvas, R.Right - 1, R.Top, R.Right - 1, R.Bottom);
    } else {
        ACanvas->Brush()->SetColor(BorderColor);
        ACanvas->FrameRect(R);
    }
}

TColor BlendColorAt(TColor ColorFrom, TColor ColorTo, Integer Min, Integer Max, Integer Pos) {
    // An empty range has no position to blend at: the start colour stays.
    if (ColorTo == clNone || Max == Min) return ColorFrom;
    const TRGB A = Components(ColorFrom), B = Components(ColorTo);
    const double Span = double(Max) - Min;
    auto At = [&](Integer From, Integer To) { return Clamp255(From + Round((To - From) / Span * Pos)); };
    return RGB(Byte(At(A.R, B.R)), Byte(At(A.G, B.G)), Byte(At(A.B, B.B)));
}

TColor HalveColor(TColor Color) {
    const TRGB C = Components(Color);
    return RGB(Byte(C.R / 2), Byte(C.G / 2), Byte(C.B / 2));
}

TColor AdjustColorPercent(TColor Color, Integer Percent) {
    const TRGB C = Components(Color);
    auto Adjust = [Percent](Integer V) { return Byte(Clamp255(Round(double(V) * Percent / 100 + V))); };
    return RGB(Adjust(C.R), Adjust(C.G), Adjust(C.B));
}

void FillRectColor(TCanvas* ACanvas, const TRect& R, TColor Color) {
    ACanvas->Brush()->SetColor(Color);
    ACanvas->FillRect(R);
}

void DrawDownMarker(TCanvas* ACanvas, Integer X, Integer Y, TColor Color) {
    PenAndBrush(ACanvas, Color);
    ACanvas->Polygon({{X - 3, Y}, {X + 3, Y}, {X, Y + 3}});
}

// ---- Progress bars -------------------------------------------------------------

void DrawCenteredBar(TCanvas* ACanvas, TRect R, Integer Value, Integer Max, bool ShowValue, TColor NegativeColor,
                     TColor PositiveColor) {
    winapi::InflateRect(R, -2, -2);
    // Without a positive range there is no bar to scale.
    if (Max <= 0) return;
    const Integer Half = R.Width() / 2;
    Value = std::clamp(Value, -Max, Max);
    const Integer Length = Integer(Round(double(Half) * Value / Max));
    if (Value < 0) {
        PenAndBrush(ACanvas, NegativeColor);
        ACanvas->Rectangle(R.Left + Half + Length, R.Top, R.Left + Half, R.Bottom);
    } else if (Length > 0) {
        PenAndBrush(ACanvas, PositiveColor);
        ACanvas->Rectangle(R.Left + Half, R.Top, R.Left + Half + Length, R.Bottom);
    }
    if (!ShowValue) return;
    winapi::SetBkMode(ACanvas->Handle(), TRANSPARENT);
    ACanvas->Brush()->SetStyle(bsClear);
    TRect Text = R;
    winapi::DrawText(ACanvas->Handle(), IntToStr(Value), Text, DT_CENTER | DT_SINGLELINE | DT_VCENTER);
}

namespace {

// A format prints an integer when the character before its first "d" (or,
// failing that, its first "u") is "%", "*", "." or a digit.
bool IsIntegerFormat(const String& Format) {
    for (const Char Letter : {u'd', u'u'}) {
        const size_t At = Format.find(Letter);
        if (At == String::npos || At == 0) continue;
        const Char Before = Format[At - 1];
        if (Before == u'%' || Before == u'*' || Before == u'.' || (Before >= u'0' && Before <= u'9')) return true;
    }
    return false;
}

} // namespace

void DrawProgressBar(TCanvas* ACanvas, TRect R, TColor FilledColor, TColor FilledTextColor, TColor RestColor,
                     TColor RestTextColor, double Value, Integer InsetX, Integer InsetY, Integer Min, Integer Max,
                     double Divisor, const String& Format, TColor BorderColor, bool TextBelowCentre) {
    const TColor EntryBrush = ACanvas->Brush()->Color();
    PenAndBrush(ACanvas, FilledColor);
    ACanvas->Font()->SetColor(FilledTextColor);
    String Text;
    Int64 Percentage = 0;
    if (Format.empty()) {
        Percentage = Round(Value);
        Text = IntToStr(Percentage) + u"%";
    } else {
        if (Divisor == 0) Divisor = 1;
        if (IsIntegerFormat(Format))
            Text = ::Format(Format, {Int64(Round(double(Round(Value)) / Divisor))});
        else
            Text = ::Format(Format, {Value / Divisor});
        // An empty range shows an empty bar rather than dividing by zero.
        Percentage = Max == Min ? 0 : Round((Value - Min) * 100 / (double(Max) - Min));
    }
    Percentage = std::clamp<Int64>(Percentage, 0, 100);
    winapi::InflateRect(R, -InsetX, -InsetY);
    const Integer FilledRight = R.Left + Integer(Round(double(R.Width()) * Percentage / 100));
    const TSize Extent = ACanvas->TextExtent(Text);
    const Integer X = R.Left + (R.Width() - Extent.cx) / 2;
    const Integer Y = TextBelowCentre ? R.Top + (R.Height() + Extent.cy) / 2 : R.Top + (R.Height() - Extent.cy) / 2;
    ACanvas->Brush()->SetStyle(bsSolid);
    ACanvas->TextRect({R.Left, R.Top, FilledRight, R.Bottom}, X, Y, Text);
    PenAndBrush(ACanvas, RestColor);
    ACanvas->Font()->SetColor(RestTextColor);
    ACanvas->TextRect({FilledRight, R.Top, R.Right, R.Bottom}, X, Y, Text);
    TRect Frame = R;
    winapi::InflateRect(Frame, 1, 1);
    if (BorderColor != clNone) {
        ACanvas->Brush()->SetColor(BorderColor);
        ACanvas->FrameRect(Frame);
    }
    winapi::InflateRect(Frame, 1, 1);
    ACanvas->Brush()->SetColor(EntryBrush);
    ACanvas->FrameRect(Frame);
}

void DrawProgressPie(TCanvas* ACanvas, const TRect& R, TColor FillColor, Integer Percent, bool LowStart) {
    ACanvas->Pen()->SetColor(clGray);
    ACanvas->Pen()->SetWidth(1);
    ACanvas->Ellipse(R);
    const Integer W = R.Width(), H = R.Height(), CX = W / 2, CY = H / 2;
    Line(ACanvas, R.Left + CX, R.Top + CY, R.Left + CX, R.Top);
    const double Angle = Percent / 100.0 * 2 * std::numbers::pi;
    Line(ACanvas, R.Left + CX, R.Top + CY, R.Left + CX + Integer(Round((W + 1) / 2.0 * std::sin(Angle))),
         R.Top + CY - Integer(Round((H + 1) / 2.0 * std::cos(Angle))));
    if (Percent == 0) return;
    // A slice past the half starts its fill near the bottom, inside the circle.
    ACanvas->Brush()->SetStyle(bsSolid);
    ACanvas->Brush()->SetColor(FillColor);
    ACanvas->FloodFill(R.Left + CX + 1, LowStart ? R.Bottom - 2 : R.Top + 2, clGray, fsBorder);
}

namespace {

// One bar, block or segment of a level bar: two mirrored gradient halves
// across its thickness, or solid.
void PaintLevelPart(TCanvas* ACanvas, const TRect& R, TColor Color, TColor ColorTo,
                    const TProgressLevelAppearance& A) {
    if (R.IsEmpty()) return;
    if (!A.ShowGradient) {
        FillRectColor(ACanvas, R, Color);
        return;
    }
    // The colour changes across the bar: along y for a horizontal bar.
    const bool AlongX = A.Vertical;
    TRect First = R, Second = R;
    if (AlongX)
        First.Right = Second.Left = R.Left + R.Width() / 2;
    else
        First.Bottom = Second.Top = R.Top + R.Height() / 2;
    FillGradientRect(ACanvas, ColorTo, Color, A.Steps, First, AlongX);
    FillGradientRect(ACanvas, Color, ColorTo, A.Steps, Second, AlongX);
}

} // namespace

void DrawProgressLevels(TCanvas* ACanvas, TRect R, Integer Percent, TProgressLevelAppearance A) {
    const TColor FramePen = A.ShowBorder ? A.BorderColor : A.BackgroundColor;
    ACanvas->Brush()->SetStyle(bsSolid);
    ACanvas->Brush()->SetColor(A.BackgroundColor);
    ACanvas->Pen()->SetColor(FramePen);
    ACanvas->Rectangle(R);
    const Integer Size = (A.Vertical ? R.Height() : R.Width()) - 2;
    // A part `Length` pixels long starting `From` pixels after the start edge,
    // `Inset` pixels in from the other edges.
    auto Part = [&](Integer From, Integer Length, Integer Inset) -> TRect {
        if (A.Vertical) return {R.Left + Inset, R.Bottom - 1 - From - Length, R.Right - Inset, R.Bottom - 1 - From};
        return {R.Left + 1 + From, R.Top + Inset, R.Left + 1 + From + Length, R.Bottom - Inset};
    };
    auto Len = [&](double P) { return Integer(Round(P / 100 * Size)); };
    if (Percent > 0) {
        if (A.Stacked) {
            const Integer L1 = Len(std::min(Percent, A.Level1Perc));
            PaintLevelPart(ACanvas, Part(0, L1, 1), A.Level0Color, A.Level0ColorTo, A);
            if (Percent >= A.Level1Perc) {
                const Integer L2 = Len(std::min(Percent, A.Level2Perc) - A.Level1Perc);
                PaintLevelPart(ACanvas, Part(L1, L2, 1), A.Level1Color, A.Level1ColorTo, A);
                if (Percent >= A.Level2Perc) {
                    const Integer L3 = Percent >= 100 ? Size - L1 - L2 : Len(Percent - A.Level2Perc);
                    PaintLevelPart(ACanvas, Part(L1 + L2, L3, 1), A.Level3Color, A.Level3ColorTo, A);
                }
            }
        } else {
            TColor Color = A.Level3Color, ColorTo = A.Level3ColorTo;
            if (Percent < A.Level1Perc)
                Color = A.Level0Color, ColorTo = A.Level0ColorTo;
            else if (Percent < A.Level2Perc)
                Color = A.Level1Color, ColorTo = A.Level1ColorTo;
            else if (Percent < 100)
                Color = A.Level2Color, ColorTo = A.Level2ColorTo;
            if (A.CompletionSmooth) {
                PaintLevelPart(ACanvas, Part(0, Len(Percent), 1), Color, ColorTo, A);
            } else {
                const Integer N = Integer(Round(double(Percent) * Size / 100));
                if (N <= 9) {
                    if (N > 1) PaintLevelPart(ACanvas, Part(1, N - 1, 2), Color, ColorTo, A);
                } else {
                    Integer From = 1;
                    PaintLevelPart(ACanvas, Part(From, 7, 2), Color, ColorTo, A);
                    for (Integer I = 0; I < N / 9 - 1; ++I) {
                        From += 9;
                        PaintLevelPart(ACanvas, Part(From, 7, 2), Color, ColorTo, A);
                    }
                    if (N % 9 > 2) PaintLevelPart(ACanvas, Part(From + 9, N % 9 - 1, 2), Color, ColorTo, A);
                }
                ACanvas->Brush()->SetStyle(bsClear);
            }
        }
    }
    if (A.ShowPercentage) {
        const String Text = IntToStr(Percent) + u"%";
        ACanvas->Brush()->SetStyle(bsClear);
        if (A.Font) {
            ACanvas->Font()->SetName(A.Font->Name());
            ACanvas->Font()->SetSize(A.Font->Size());
            ACanvas->Font()->SetStyle(A.Font->Style());
        }
        ACanvas->Font()->SetColor(A.TextColor);
        const TSize Extent = ACanvas->TextExtent(Text);
        if (A.Vertical) {
            const Integer Saved = ACanvas->Font()->Orientation();
            ACanvas->Font()->SetOrientation(900);
            // Rotated a quarter turn counter-clockwise, the text runs upwards
            // from its origin at the bottom left of its box.
            ACanvas->TextOut(R.Left + (R.Width() - Extent.cy) / 2, R.Top + (R.Height() + Extent.cx) / 2, Text);
            ACanvas->Font()->SetOrientation(Saved);
        } else {
            ACanvas->TextOut(R.Left + (R.Width() - Extent.cx) / 2, R.Top + (R.Height() - Extent.cy) / 2, Text);
        }
    }
    ACanvas->Pen()->SetColor(FramePen);
    ACanvas->Brush()->SetStyle(bsClear);
    ACanvas->Rectangle(R);
}

// ---- Shapes and buttons -------------------------------------------------------

namespace {

std::vector<TPoint> StarPoints(Integer X, Integer Y, Integer W, Integer H, std::initializer_list<Integer> Steps) {
    const Integer CX = X + W / 2, CY = Y + H / 2;
    std::vector<TPoint> Points;
    for (const Integer K : Steps) {
        const double A = K * 36.0 * std::numbers::pi / 180;
        const double RX = K % 2 == 0 ? W / 2 : (W / 2) / 3.0, RY = K % 2 == 0 ? H / 2 : (H / 2) / 3.0;
        Points.push_back({CX + Integer(Round(std::sin(A) * RX)), CY - Integer(Round(std::cos(A) * RY))});
    }
    return Points;
}

} // namespace

void DrawCellShape(TCanvas* ACanvas, Integer X, Integer Y, Integer W, Integer H, TCellShape Shape, TColor BrushColor,
                   TColor PenColor) {
    ACanvas->Brush()->SetColor(BrushColor);
    ACanvas->Pen()->SetColor(PenColor);
    if (Shape == csCircle || Shape == csSquare || Shape == csRoundSquare) W = H = std::min(W, H);
    auto Even = [](Integer V) { return V % 2 ? V - 1 : V; };
    switch (Shape) {
    case csRectangle:
    case csSquare:
        ACanvas->Rectangle(X + 1, Y + 1, X + W - 1, Y + H - 1);
        break;
    case csCircle:
    case csEllips:
        ACanvas->Ellipse(X, Y, X + W, Y + H);
        break;
    case csTriangleLeft:
        ACanvas->Polygon({{X + W, Y}, {X + W, Y + H}, {X, Y + H / 2}});
        break;
    case csTriangleRight:
        ACanvas->Polygon({{X, Y}, {X, Y + H}, {X + W, Y + H / 2}});
        break;
    case csTriangleUp:
        ACanvas->Polygon({{X, Y + H}, {X + W, Y + H}, {X + W / 2, Y}});
        break;
    case csTriangleDown:
        ACanvas->Polygon({{X, Y}, {X + W, Y}, {X + W / 2, Y + H}});
        break;
    case csDiamond: {
        const Integer A = W / 2, B = H / 2;
        ACanvas->Polygon({{X, Y + B}, {X + A, Y}, {X + 2 * A, Y + B}, {X + A, Y + 2 * B}});
        break;
    }
    case csLineVert:
        ACanvas->Rectangle(X + W / 2, Y, X + W / 2 + 1, Y + H);
        break;
    case csLineHorz:
        ACanvas->Rectangle(X, Y + H / 2, X + W, Y + H / 2 + 1);
        break;
    case csRoundRect:
    case csRoundSquare:
        ACanvas->RoundRect(X, Y, X + W, Y + H, 10, 10);
        break;
    case csStar:
        ACanvas->Polygon(StarPoints(X, Y, W, H, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
        break;
    case csHalfStar:
        ACanvas->Polygon(StarPoints(X, Y, W, H, {0, 5, 6, 7, 8, 9}));
        break;
    case csArrowUp:
        W = Even(W);
        ACanvas->Polygon({{X, Y + H / 2},
                          {X + W / 2, Y},
                          {X + W, Y + H / 2},
                          {X + 3 * (W / 4), Y + H / 2},
                          {X + 3 * (W / 4), Y + H},
                          {X + W / 4, Y + H},
                          {X + W / 4, Y + H / 2}});
        break;
    case csArrowDown:
        W = Even(W);
        ACanvas->Polygon({{X, Y + H / 2},
                          {X + W / 2, Y + H},
                          {X + W, Y + H / 2},
                          {X + 3 * (W / 4), Y + H / 2},
                          {X + 3 * (W / 4), Y},
                          {X + W / 4, Y},
                          {X + W / 4, Y + H / 2}});
        break;
    case csArrowLeft:
        H = Even(H);
        ACanvas->Polygon({{X, Y + H / 2},
                          {X + W / 2, Y},
                          {X + W / 2, Y + H / 4},
                          {X + W, Y + H / 4},
                          {X + W, Y + 3 * (H / 4)},
                          {X + W / 2, Y + 3 * (H / 4)},
                          {X + W / 2, Y + H}});
        break;
    case csArrowRight:
        H = Even(H);
        ACanvas->Polygon({{X + W, Y + H / 2},
                          {X + W / 2, Y},
                          {X + W / 2, Y + H / 4},
                          {X, Y + H / 4},
                          {X, Y + 3 * (H / 4)},
                          {X + W / 2, Y + 3 * (H / 4)},
                          {X + W / 2, Y + H}});
        break;
    default:
        break;
    }
}

namespace {

const TColorTone& ToneOf(const TColorTones& Tones, Integer State) {
    switch (State) {
    case cbHot:
        return Tones.Hover;
    case cbPressed:
        return Tones.Selected;
    case cbDisabled:
        return Tones.Disabled;
    default:
        return Tones.Background;
    }
}

// Visual styles are never active here, so the themed look is drawn as the
// classic frame control.
Cardinal FrameFlags(Integer Style, Cardinal Flags) { return Style == cbsFlat ? Flags | DFCS_FLAT : Flags; }

} // namespace

void DrawComboButton(TCanvas* ACanvas, winapi::HWND, const TRect& R, Integer Style, Integer State,
                     const TColorTones& Tones, Single Scale) {
    const Integer Width = Integer(Round(Scale * 16));
    TRect B{R.Right - Width - 2, R.Top + 1, R.Right - 2, R.Bottom - 1};
    if (Style != cbsCustom) {
        Cardinal Flags = DFCS_SCROLLCOMBOBOX;
        if (State == cbDisabled) Flags |= DFCS_INACTIVE;
        winapi::DrawFrameControl(ACanvas->Handle(), B, DFC_SCROLL, FrameFlags(Style, Flags));
        return;
    }
    B.Left += 3;
    PenAndBrush(ACanvas, ToneOf(Tones, State).BrushColor);
    ACanvas->Rectangle(B);
    ACanvas->Pen()->SetColor(Tones.Background.BorderColor);
    Line(ACanvas, B.Left + 1, B.Top, B.Left + 1, B.Bottom);
    PenAndBrush(ACanvas, Tones.Background.TextColor);
    ACanvas->Polygon({{B.Left + 5, B.Top + 8}, {B.Left + 11, B.Top + 8}, {B.Left + 8, B.Top + 11}});
}

void DrawPushButton(TCanvas* ACanvas, winapi::HWND, const TRect& R, Integer Style, Integer State,
                    const TColorTones& Tones, bool ShowAccelerator, const String& Caption) {
    if (Style != cbsCustom) {
        static constexpr Cardinal StateFlags[4] = {0, DFCS_HOT, DFCS_PUSHED, DFCS_INACTIVE};
        TRect B = R;
        winapi::DrawFrameControl(ACanvas->Handle(), B, DFC_BUTTON,
                                 FrameFlags(Style, DFCS_BUTTONPUSH | StateFlags[std::clamp(State, 0, 3)]));
    } else {
        const TColorTone& Tone = ToneOf(Tones, State);
        ACanvas->Brush()->SetColor(Tone.BrushColor);
        ACanvas->Pen()->SetColor(Tone.BorderColor);
        ACanvas->Rectangle(R);
    }
    if (Caption.empty()) return;
    ACanvas->Brush()->SetStyle(bsClear);
    TRect Text{R.Left, R.Top + 4, R.Right, R.Bottom - 3};
    ACanvas->TextRect(Text, Caption,
                      ShowAccelerator ? TTextFormat{tfCenter, tfVerticalCenter, tfSingleLine}
                                      : TTextFormat{tfCenter, tfVerticalCenter, tfSingleLine, tfNoPrefix});
}

void DrawSpinButtons(TCanvas* ACanvas, winapi::HWND, const TRect& R, Integer Style, Integer State,
                     const TColorTones& Tones, Single Scale) {
    const Integer Width = Integer(Round(Scale * 15));
    const TRect B{R.Right - Width - 1, R.Top - 1, R.Right - 1, R.Bottom - 1};
    const Integer Middle = B.Top + B.Height() / 2;
    TRect Up{B.Left, B.Top, B.Right, Middle};
    TRect Down{B.Left, Style == Integer(cbsThemed) ? Middle : Middle + 1, B.Right, B.Bottom};
    if (Style != cbsCustom) {
        const Cardinal Disabled = State == cbDisabled ? Cardinal(DFCS_INACTIVE) : 0u;
        winapi::DrawFrameControl(ACanvas->Handle(), Up, DFC_SCROLL, FrameFlags(Style, DFCS_SCROLLUP | Disabled));
        winapi::DrawFrameControl(ACanvas->Handle(), Down, DFC_SCROLL, FrameFlags(Style, DFCS_SCROLLDOWN | Disabled));
        return;
    }
    const TColorTone& Tone = ToneOf(Tones, State);
    ACanvas->Brush()->SetColor(Tone.BrushColor);
    ACanvas->Pen()->SetColor(Tone.BorderColor);
    ACanvas->Rectangle(Up);
    ACanvas->Rectangle(Down);
    PenAndBrush(ACanvas, clBlack);
    ACanvas->Polygon({{Up.Left + 5, Up.Top + 5}, {Up.Left + 9, Up.Top + 5}, {Up.Left + 7, Up.Top + 3}});
    ACanvas->Polygon({{Down.Left + 5, Down.Top + 3}, {Down.Left + 9, Down.Top + 3}, {Down.Left + 7, Down.Top + 5}});
}

// ---- Underline and bitmaps -------------------------------------------------------

void DrawWavyUnderline(TWinControl* Owner, TCanvas* ACanvas, const String& Text, const TRect& R, Integer YOffset,
                       Integer Start, Integer Length) {
    if (!Owner || Length <= 0 || Start < 0) return;
    // The character positions come from an edit control laid out like the
    // one that shows the text; it lives only for the question.
    std::unique_ptr<TEdit, void (*)(TEdit*)> Edit(Create<TEdit>(nullptr), [](TEdit* E) { Free(E); });
    Edit->SetVisible(false);
    Edit->SetParent(Owner);
    Edit->SetBounds(R.Left, R.Top, R.Width(), R.Height());
    Edit->SetText(Text);
    auto PosOf = [&](Integer Index) {
        const winapi::LRESULT P = winapi::SendMessage(Edit->Handle(), winapi::EM_POSFROMCHAR, winapi::WPARAM(Index), 0);
        return TPoint{Integer(SmallInt(winapi::LOWORD(NativeUInt(P)))), Integer(SmallInt(winapi::HIWORD(NativeUInt(P))))};
    };
    const Integer TextLength = Integer(Text.size());
    TPoint P1 = Start >= TextLength ? PosOf(TextLength) : PosOf(Start);
    if (Start >= TextLength) P1.X += 4;
    TPoint P2;
    if (Start + Length - 1 >= TextLength) {
        P2 = PosOf(std::max(TextLength - 1, 0));
        P2.X += 4;
        P2.Y = P1.Y;
    } else {
        P2 = PosOf(Start + Length - 1);
    }
    Edit.reset();
    ACanvas->Pen()->SetColor(clRed);
    ACanvas->Pen()->SetWidth(2);
    Integer X = R.Left + P1.X;
    const Integer Low = R.Top + P2.Y + YOffset, High = Low + 3;
    ACanvas->MoveTo(X, R.Top + P1.Y + YOffset + 3);
    bool Up = true;
    const Integer End = R.Left + P2.X;
    for (bool Past = false; !Past;) {
        Past = X > End;
        X += 3;
        ACanvas->LineTo(X, Up ? Low : High);
        Up = !Up;
    }
    ACanvas->Pen()->SetWidth(1);
}

void DrawBitmapAlpha(TCanvas* ACanvas, Integer X, Integer Y, TBitmap* Bitmap) {
    if (!Bitmap || Bitmap->Empty()) return;
    if (Bitmap->PixelFormat() == pf32bit && Bitmap->AlphaFormat() == afPremultiplied) {
        TBlendFunction Blend;
        Blend.AlphaFormat = AC_SRC_ALPHA;
        winapi::AlphaBlend(ACanvas->Handle(), X, Y, Bitmap->Width(), Bitmap->Height(), Bitmap->Canvas()->Handle(), 0,
                           0, Bitmap->Width(), Bitmap->Height(), Blend);
        return;
    }
    ACanvas->Draw(X, Y, Bitmap);
}

void DrawBitmapScaledTransparent(TCanvas* ACanvas, TBitmap* Bitmap, TColor BackgroundColor, const TRect& R,
                                 Single Scale) {
    if (!Bitmap || Bitmap->Empty()) return;
    const Integer W = Integer(Round(Bitmap->Width() * double(Scale)));
    const Integer H = Integer(Round(Bitmap->Height() * double(Scale)));
    if (W <= 0 || H <= 0) return;
    TBitmap Work;
    Work.SetSize(W, H);
    Work.Canvas()->Brush()->SetColor(BackgroundColor);
    Work.Canvas()->FillRect({0, 0, W, H});
    if (Scale == 1) {
        const TColor Transparent = ColorToRGB(Bitmap->Canvas()->Pixels(0, 0));
        winapi::TransparentBlt(Work.Canvas()->Handle(), 0, 0, W, H, Bitmap->Canvas()->Handle(), 0, 0, W, H,
                               Transparent);
    } else {
        winapi::StretchBlt(Work.Canvas()->Handle(), 0, 0, W, H, Bitmap->Canvas()->Handle(), 0, 0, Bitmap->Width(),
                           Bitmap->Height(), SRCCOPY);
    }
    winapi::BitBlt(ACanvas->Handle(), R.Left, R.Top, W, H, Work.Canvas()->Handle(), 0, 0, SRCCOPY);
}

void DrawResourceBitmapTransparent(TCanvas* ACanvas, TColor BackgroundColor, const TRect& R, const String& ResName,
                                   Single Scale) {
    TPicture Picture;
    LoadBitmapFromResource(&Picture, ResName);
    TGraphic* Graphic = Picture.Graphic();
    if (!Graphic || Graphic->Empty()) return;
    if (auto* Bitmap = dynamic_cast<TBitmap*>(Graphic)) {
        DrawBitmapScaledTransparent(ACanvas, Bitmap, BackgroundColor, R, Scale);
        return;
    }
    TBitmap Copy;
    Copy.SetSize(Graphic->Width(), Graphic->Height());
    Copy.Canvas()->Draw(0, 0, Graphic);
    DrawBitmapScaledTransparent(ACanvas, &Copy, BackgroundColor, R, Scale);
}

// One row of a column page on paper: each printed cell's box (over its
// merged area), background, text and cell object in its print look, then its
// cell lines, in the page's metric mapping. Boxes are kept as distances below
// the page top and negated for the surface.

#include "grid/ZirOvararIzaz.h"
#include "gridbase/CellPainting.h"
#include "gridbase/MarkupRenderer.h"
#include "gridbase/RarEvad.h"
#include "graphics/DeviceContext.h"
#include "graphics/GdiBlit.h"
#include "graphics/GdiControls.h"
#include "graphics/GdiText.h"
#include "graphics/Graphic.h"
#include "grid/CellGlyphs.h"

#include "ViewPrintRounding.h"

#include <algorithm>
#include <cmath>

using view_print::RoundEven;

namespace {

// A box of distances below the page top as a rectangle of the surface.
TRect Surface(const TRect& Box) { return TRect(Box.Left, -Box.Top, Box.Right, -Box.Bottom); }

// The lines of a text, split at line breaks when Split.
std::vector<String> TextLines(const String& Text, bool Split) {
    std::vector<String> Lines;
    if (!Split) return {Text};
    String Rest = Text;
    do {
        String Line;
        TakeFirstLine(Rest, true, Line);
        Lines.push_back(Line);
    } while (!Rest.empty());
    return Lines;
}

} // namespace

void TZirOvararIzaz::StretchGraphicToCanvas(TCanvas* Canvas, const TRect& R, TBitmap* Bitmap, Cardinal Rop) {
    if (!Bitmap || Bitmap->Width() <= 0 || Bitmap->Height() <= 0 || !Bitmap->Surface()) return;
    cairo_surface_flush(Bitmap->Surface());
    StretchSurface(Canvas->Handle(), R, Bitmap->Surface(), TRect(0, 0, Bitmap->Width(), Bitmap->Height()), Rop);
}

void TZirOvararIzaz::StretchBitmapToCanvas(TCanvas* Canvas, const TRect& R, TBitmap* Bitmap) {
    StretchGraphicToCanvas(Canvas, R, Bitmap, SRCCOPY);
}

Integer TZirOvararIzaz::PrintRow(Integer Y, Integer FromCol, Integer ToCol, Integer ARow) {
    const TPrintSettings* S = PrintSettings();
    TPrintEngine& E = FPrintEngine;
    TCanvas* Cv = E.Canvas;
    const Integer H = GetPrintRowHeight(ARow);
    const Integer A = E.Gap * 2 + H + S->RowSpacing();
    Fontscalefactor = S->NoAutoSizeRow() ? 1.0 : E.Scale;
    if (!PrintPageDrawn()) {
        Fontscalefactor = 1.0;
        return A;
    }
    const std::vector<Integer>& MW = FPrintColWidths;
    const std::vector<Integer>& Ind = FPrintColOffsets;
    TFont SavedFont;
    TBrush SavedBrush;
    TPen SavedPen;
    SavedFont.Assign(Cv->Font());
    SavedBrush.Assign(Cv->Brush());
    SavedPen.Assign(Cv->Pen());
    const Integer PageRight = Ind[std::size_t(E.ColEnd) + 1];

    for (Integer c = FromCol; c <= ToCol; ++c) {
        if (!IsColPrinted(c)) continue;
        const Integer RC = RealColIndex(c);
        // The cell box over its merged area.
        const TPoint Ext = CellExt(c, ARow);
        Integer W = 0;
        for (Integer x = c; x <= c + Ext.X && std::size_t(x) < MW.size(); ++x)
            if (MW[std::size_t(x)] > 0) W += MW[std::size_t(x)] + E.Spacing;
        Integer BoxH = A * (Ext.Y + 1);
        if (S->NoAutoSizeRow() && Ext.Y > 0) {
            BoxH = 0;
            for (Integer y = 0; y <= Ext.Y; ++y)
                BoxH += RoundEven(RowHeights(ARow) * E.PxScale) - 4 + E.Gap * 2 + S->RowSpacing();
        }
        TRect Box(Ind[std::size_t(c)], Y, Ind[std::size_t(c)] + W, Y + BoxH);

        // The cell lines.
        TCellBorders Lines;
        switch (S->Borders()) {
        case pbSingle:
        case pbDouble: Lines = TCellBorders{cbTop, cbLeft, cbRight, cbBottom}; break;
        case pbHorizontal:
        case pbAroundHorizontal: Lines = TCellBorders{cbTop, cbBottom}; break;
        case pbVertical:
        case pbAroundVertical: Lines = TCellBorders{cbLeft, cbRight}; break;
        default: break;
        }
        Cv->Pen()->SetWidth(1);
        Cv->Pen()->SetStyle(psSolid);
        Cv->Pen()->SetColor(S->BorderColor());
        DoGetCellPrintBorder(RC, ARow, Cv->Pen(), Lines);
        const Integer PenW = Cv->Pen()->Width();

        const bool Merged = IsMergedCell(c, ARow);
        if (!Merged || IsBaseCell(c, ARow)) {
            // The print look.
            TGridDrawState State;
            TBrush Brush;
            TFont Font;
            TColor ColorTo = clNone, Mirror = clNone, MirrorTo = clNone;
            TAlignment HA = taLeftJustify;
            TVAlignment VA = vtaTop;
            bool WW = WordWrap();
            TCellGradientDirection GD{};
            GetVisualProperties(c, ARow, State, true, false, true, &Brush, ColorTo, Mirror, MirrorTo, &Font, HA, VA,
                                WW, GD);
            Cv->Brush()->Assign(&Brush);
            Cv->Font()->Assign(&Font);
            Cv->Font()->SetHeight(MapFontHeight(Font.Size()));
            WW = WordWrap();
            DoGetWordWrap(RC, ARow, WW);

            // The text.
            String Text = HasDataGraphic(RC, ARow) ? String() : GetFormattedCell(c, ARow);
            TCellTextKind Kind = GetCellTextKind(Text, EnableHTML());
            if (Kind == ctFormula) {
                Text = GetRawCellText(RC, ARow);
                Kind = GetCellTextKind(Text, EnableHTML());
            }
            if (QueryPasswordCell(RC, ARow)) Text = String(Text.size(), PasswordChar());

            // The background, kept clear of the lines of the neighbours.
            TRect Fill = Box;
            if (!Lines.Contains(cbLeft)) Fill.Left += 2 * PenW;
            if (!Lines.Contains(cbTop)) Fill.Top += 2 * PenW;
            if (ColorTo != clNone && Brush.Color() != clNone) {
                // Bands from the top edge down: on the surface y grows upward.
                FillGradientRect(Cv, ColorTo, Brush.Color(), 64,
                                 TRect(Fill.Left, -Fill.Bottom, Fill.Right, -Fill.Top), false);
            } else if (Brush.Style() != bsClear && Brush.Color() != clNone) {
                Cv->FillRect(TRect(Fill.Left, -Fill.Bottom, Fill.Right, -Fill.Top));
            }

            ResolveAlignment(c, ARow, HA, VA);
            Integer P = Cv->TextHeight(u"gh") + S->RowSpacing();
            P += P / 8;
            const bool Split = Multilinecells() || WW;
            std::vector<String> TextLinesList = TextLines(Text, Split);
            if (URLShow() && !URLShowInText())
                for (String& L : TextLinesList)
                    if (GetCellTextKind(L, false) == ctURL) StripURLScheme(L);
            Integer Widest = 0;
            for (const String& L : TextLinesList) Widest = std::max(Widest, Cv->TextWidth(L));

            Integer Angle = 0;
            const bool Rotated = IsRotated(RC, ARow, Angle);
            if (Rotated) {
                const bool Reverse = PrinterDriverFix() && E.Pass != ppsPreview && GetLandscapeRotation() != 270;
                Cv->Font()->SetOrientation(Reverse ? -10 * Angle : 10 * Angle);
            }

            // The cell object.
            TRect TextBox = Box;
            TCellGraphic* G = S->PrintGraphics() ? GetCellGraphic(RC, ARow) : nullptr;
            if (G) {
                const TPoint GS = CalcPrintGraphicSize(RC, ARow, Box.Width(), Box.Height(), E.PxScale);
                const Integer GW = std::min(RoundEven(GS.X * E.PxScale), Box.Width());
                const Integer GH = std::min(RoundEven(GS.Y * E.PxScale), Box.Height());
                TRect O(Box.Left + RoundEven(E.PxScale), Box.Top, 0, 0);
                switch (G->CellHAlign()) {
                case haRight:
                case haAfterText:
                    O.Left = Box.Right - GW;
                    TextBox.Right = O.Left;
                    break;
                case haCenter: O.Left = Box.Left + (Box.Width() - GW) / 2; break;
                case haFull: O.Left = Box.Left; break;
                default: TextBox.Left = O.Left + GW; break;
                }
                O.Right = G->CellHAlign() == haFull ? Box.Right : O.Left + GW;
                switch (G->CellVAlign()) {
                case vaBottom:
                case vaUnderText: O.Top = Box.Bottom - GH; break;
                case vaCenter: O.Top = Box.Top + (Box.Height() - GH) / 2; break;
                default: break;
                }
                O.Bottom = G->CellVAlign() == vaFull ? Box.Bottom : O.Top + GH;
                if (G->CellType() == ctRadio) Text.clear(), TextLinesList = {String()};
                switch (G->CellType()) {
                case ctBitmap:
                    if (TBitmap* B = G->Bitmap()) StretchBitmapToCanvas(Cv, Surface(O), B);
                    break;
                case ctCheckBox:
                case ctDataCheckBox:
                case ctVirtCheckBox:
                case ctRowCheckBox:
                case ctRadioButton: {
                    bool Checked = false;
                    if (G->CellType() == ctRadioButton)
                        Checked = IsRadioButtonChecked(RC, ARow);
                    else
                        GetCheckBoxState(RC, ARow, Checked);
                    TRect R = Surface(O);
                    winapi::DrawFrameControl(Cv->Handle(), R, DFC_BUTTON,
                                             (G->CellType() == ctRadioButton ? DFCS_BUTTONRADIO
                                                                             : DFCS_BUTTONCHECK) |
                                                 (Checked ? Cardinal(DFCS_CHECKED) : 0u));
                    break;
                }
                default: break;
                }
            }
            String Comment;
            if (S->PrintComments() && IsComment(RC, ARow, Comment)) {
                // A red triangle in the top-right corner.
                const Integer Leg = RoundEven(8 * E.PxScale);
                TBrush Keep;
                Keep.Assign(Cv->Brush());
                Cv->Brush()->SetColor(clRed);
                Cv->Brush()->SetStyle(bsSolid);
                Cv->Pen()->SetColor(clRed);
                Cv->Polygon({TPoint(Box.Right - Leg, -Box.Top), TPoint(Box.Right, -Box.Top),
                             TPoint(Box.Right, -(Box.Top + Leg))});
                Cv->Brush()->Assign(&Keep);
                Cv->Pen()->SetColor(S->BorderColor());
            }

            // The text, with a clear brush.
            Cv->Brush()->SetStyle(bsClear);
            if (Kind == ctHTML) {
                // The markup engine draws in device pixels.
                winapi::HDC DC = Cv->Handle();
                TPoint Pts[2] = {TPoint(TextBox.Left, -TextBox.Top),
                                 TPoint(TextBox.Right - E.HalfG - RoundEven(2 * E.PxScale),
                                        -(TextBox.Bottom + RoundEven(E.Gap * E.PxScale)))};
                winapi::LPtoDP(DC, Pts, 2);
                const Integer Mode = winapi::SetMapMode(DC, MM_TEXT);
                Cv->Font()->Assign(&Font);
                Cv->Font()->SetSize(Integer(std::trunc(Font.Size() * E.Scale)));
                TMarkupDrawParams MP;
                MP.Canvas = Cv;
                MP.Text = Text;
                MP.Rect = TRect(Pts[0].X, Pts[0].Y, Pts[1].X, Pts[1].Y);
                MP.Images = GridImages();
                MP.PictureContainer = PictureContainer();
                MP.AnchorColor = URLColor();
                MP.ImageScale = E.DevRatio;
                MP.WordWrap = !EnhTextSize();
                TMarkupDrawResult R;
                DrawMarkupOnCanvas(MP, R);
                winapi::SetMapMode(DC, Mode);
                Cv->Font()->SetHeight(MapFontHeight(Font.Size()));
            } else if (WW && S->NoAutoSize() && !Rotated) {
                TRect R = TextBox;
                if (R.Right > E.PageW) R.Right = PageRight;
                R.Left += 2 + (HA != taRightJustify ? E.HalfG : 0);
                R.Right -= HA != taLeftJustify ? E.HalfG : 0;
                TRect SR = Surface(R);
                Cardinal Flags = DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX |
                                 DT_EDITCONTROL;
                Flags |= HA == taRightJustify ? DT_RIGHT : HA == taCenter ? DT_CENTER : DT_LEFT;
                winapi::DrawText(Cv->Handle(), Text, SR, Flags);
            } else if (TextLinesList.size() <= 1 || (Rotated && Angle == 90)) {
                TRect R(TextBox.Left, TextBox.Top, TextBox.Right, TextBox.Top + A * (Ext.Y + 1) + S->RowSpacing());
                if (R.Right > E.PageW) R.Right = PageRight;
                if (Rotated) {
                    R.Top += E.HalfG;
                    R.Bottom -= E.HalfG;
                    const Double Rad = Angle * M_PI / 180;
                    const Integer B1 = std::abs(Integer(std::trunc(std::cos(Rad) * Widest)));
                    const Integer A1 = std::abs(Integer(std::trunc(std::sin(Rad) * P)));
                    const Integer S1 = std::abs(Integer(std::trunc(std::sin(Rad) * Widest)));
                    const Integer C2 = std::abs(Integer(std::trunc(std::cos(Rad) * P)));
                    const TPoint Start = PositionRotatedText(R, HA, VA, A1, B1, S1, C2, Angle);
                    Integer X = Start.X;
                    for (const String& L : TextLinesList) {
                        Cv->TextRect(Surface(Box), X, -Start.Y, L);
                        if (Angle != 90 || (EnhTextSize() && S->NoAutoSize())) break;
                        X += Cv->TextHeight(u"gh");
                    }
                } else if (EnhTextSize() && S->NoAutoSize()) {
                    TRect SR = Surface(TRect(R.Left + XYOffset().X, R.Top, R.Right, R.Bottom));
                    winapi::DrawText(Cv->Handle(), TextLinesList.empty() ? String() : TextLinesList[0], SR,
                                     DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
                } else {
                    TRect T(R.Left + (HA != taRightJustify ? E.HalfG : 0), R.Top + E.Gap,
                            R.Right - (HA != taLeftJustify ? E.HalfG : 0), R.Bottom);
                    TRect SR = Surface(T);
                    Cardinal Flags = DT_SINGLELINE | DT_NOPREFIX | DT_EDITCONTROL;
                    Flags |= HA == taRightJustify ? DT_RIGHT
                             : HA == taCenter     ? DT_CENTER
                                                  : DT_LEFT;
                    Flags |= VA == vtaCenter ? Cardinal(DT_VCENTER) : VA == vtaBottom ? Cardinal(DT_BOTTOM) : 0u;
                    winapi::DrawText(Cv->Handle(), TextLinesList.empty() ? String() : TextLinesList[0], SR, Flags);
                }
            } else {
                const Integer Count = Integer(TextLinesList.size());
                Integer V = 0;
                if (!Merged) {
                    if (VA == vtaCenter) V = (A - (P - S->RowSpacing()) * Count) / 2;
                    if (VA == vtaBottom) V = A - (P - S->RowSpacing()) * Count;
                }
                Integer Top = TextBox.Top;
                for (const String& L : TextLinesList) {
                    const Integer LW = Cv->TextWidth(L);
                    Integer X = HA == taRightJustify ? TextBox.Right - E.HalfG - LW
                                : HA == taCenter     ? TextBox.Left + (TextBox.Width() - LW) / 2
                                                     : TextBox.Left + E.HalfG;
                    X += XYOffset().X;
                    Cv->TextRect(Surface(Box), X, -(Top + V + E.Gap), L);
                    V = 0;
                    Top += P - S->RowSpacing();
                }
            }
            Cv->Font()->SetOrientation(0);
            Cv->Font()->Assign(&SavedFont);
            Cv->Brush()->Assign(&SavedBrush);
        }

        // The cell lines; the covered cells of a merged area draw none.
        if (Merged && !IsBaseCell(c, ARow)) continue;
        bool NoBottom = false;
        if (Box.Bottom > E.PageH - E.FtrSize) {
            Box.Bottom = Y + A;
            NoBottom = true;
        }
        if (Box.Right > E.PageW) Box.Right = PageRight;
        auto Line = [&](Integer X1, Integer Y1, Integer X2, Integer Y2) {
            Cv->MoveTo(X1, -Y1);
            Cv->LineTo(X2, -Y2);
        };
        const Integer L = Box.Left - (RC > FromCol ? PenW : 0);
        if (Lines.Contains(cbLeft)) Line(L, Box.Top, L, Box.Bottom);
        if (Lines.Contains(cbRight)) Line(Box.Right, Box.Top, Box.Right, Box.Bottom);
        if (Lines.Contains(cbTop)) Line(Box.Left, Box.Top, Box.Right, Box.Top);
        if (Lines.Contains(cbBottom) && !NoBottom) Line(Box.Left, Box.Bottom, Box.Right, Box.Bottom);
    }
    Cv->Pen()->Assign(&SavedPen);
    Fontscalefactor = 1.0;
    return A;
}

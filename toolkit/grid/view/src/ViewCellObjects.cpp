// The cell-object painter: where a cell's object sits in the cell and how
// each kind of object is drawn (pictures, check boxes and radio buttons,
// turned text, tree nodes, progress bars, buttons, shapes, ratings), and the
// comment mark in the top-right corner.

#include "grid/ZirOvararIzaz.h"

#include "graphics/Canvas.h"
#include "graphics/GdiControls.h"
#include "graphics/GdiText.h"
#include "graphics/Graphic.h"
#include "graphics/ImageList.h"
#include "gridbase/CellPainting.h"
#include "gridbase/FileHelpers.h"
#include "gridbase/RarEvad.h"
#include "rtl/Convert.h"

#include <algorithm>
#include <cmath>

using namespace ZirOvararIzaz;

namespace {

Integer RoundPixels(double Value) {
    return Integer(std::nearbyint(Value));
}

bool IsCheckKind(TCellType T) {
    return T == ctCheckBox || T == ctDataCheckBox || T == ctVirtCheckBox || T == ctRowCheckBox ||
           T == ctRadioButton || T == ctTriStateCheckBox;
}

bool IsDataCheckKind(TCellType T) {
    return T == ctDataCheckBox || T == ctVirtCheckBox || T == ctRowCheckBox;
}

} // namespace

TPoint PositionRotatedText(const TRect& R, TAlignment HA, TVAlignment VA, Integer A, Integer B, Integer S1,
                           Integer C2, Integer Angle) {
    Angle = ((Angle % 360) + 360) % 360;
    const Integer BoxW = A + B, BoxH = S1 + C2;
    Integer X = R.Left;
    if (HA == taRightJustify)
        X = R.Right - BoxW;
    else if (HA == taCenter)
        X = R.Left + (R.Width() - BoxW) / 2;
    Integer Y = R.Top;
    if (VA == vtaBottom)
        Y = R.Bottom - BoxH;
    else if (VA == vtaCenter)
        Y = R.Top + (R.Height() - BoxH) / 2;
    if (Angle <= 90)
        Y += S1;
    else if (Angle <= 180)
        X += B, Y += S1 + C2;
    else if (Angle <= 270)
        X += A + B, Y += C2;
    else
        X += A;
    return TPoint(X, Y);
}

TPoint TZirOvararIzaz::PlaceRotatedText(TRect R, TSize& Size, TVAlignment VA, TAlignment HA, const String& Text,
                                        Integer Angle) {
    Size = Canvas()->TextExtent(Text + u"w");
    winapi::InflateRect(R, -2, -2);
    const double Rad = Angle * M_PI / 180.0;
    const double S = std::sin(Rad), C = std::cos(Rad);
    return PositionRotatedText(R, HA, VA, std::abs(Integer(S * Size.cy)), std::abs(Integer(C * Size.cx)),
                               std::abs(Integer(S * Size.cx)), std::abs(Integer(C * Size.cy)), Angle);
}

void TZirOvararIzaz::DrawCellObject(TRect R, TCellGraphic* Graphic, TVAlignment VA, const TCellObjectContext& Ctx) {
    if (!Graphic) return;
    TCanvas* Cv = Ctx.Canvas ? Ctx.Canvas : Canvas();
    const TCellType Kind = Graphic->CellType();
    const Integer ACol = Ctx.Col, ARow = Ctx.Row;
    const Integer W = Ctx.ObjectWidth, H = Ctx.ObjectHeight;
    const TRect CellR = R;

    if (Kind != ctNode && Kind != ctProgress && Kind != ctRangeIndicator && Kind != ctXPProgress) {
        const TPoint Off = XYOffset();
        R.Left -= 1 - Off.X;
        R.Right += 1 - Off.X;
        R.Top -= 1 - Off.Y;
        R.Bottom += 1 - Off.Y;
    }

    // ---- Placement ----
    const Integer T = Ctx.TextWidth > 0 ? Ctx.TextWidth + 2 : 0;
    const Integer Wr = R.Width(), Hr = R.Height();
    TRect O = R;
    auto StartAt = [&](Integer X, bool KeepRight) {
        if (KeepRight && X < R.Left) {
            O.Left = R.Left + 1;
            O.Right = X + W;
        } else {
            O.Left = X;
            O.Right = X + W;
        }
    };
    switch (Graphic->CellHAlign()) {
    case haLeft: StartAt(R.Left + 1, false); break;
    case haRight: StartAt(R.Right - 1 - W, false); break;
    case haCenter: StartAt(W < Wr ? R.Left + (Wr - W) / 2 : R.Left + 1, false); break;
    case haBeforeText:
        if (Ctx.HAlign == taRightJustify)
            StartAt(R.Right - T - W, true);
        else if (Ctx.HAlign == taCenter)
            StartAt(R.Left + (Wr - (T + W)) / 2, true);
        else
            StartAt(R.Left + 1, false);
        break;
    case haAfterText:
        if (Ctx.HAlign == taRightJustify)
            StartAt(R.Right - 1 - W, false);
        else if (Ctx.HAlign == taCenter)
            StartAt(R.Left + T + (Wr - T - W) / 2, true);
        else
            StartAt(R.Left + T, false);
        break;
    case haFull: break;
    }

    TCellVAlign CVA = Graphic->CellVAlign();
    if (IsCheckKind(Kind) && VA != VAlignment())
        CVA = VA == vtaTop ? vaTop : VA == vtaCenter ? vaCenter : vaBottom;
    auto TopAt = [&](Integer Y) { O.Top = Y, O.Bottom = Y + H; };
    switch (CVA) {
    case vaBottom: TopAt(R.Bottom - 1 - H); break;
    case vaCenter: TopAt(H < Hr ? R.Top + (Hr - H) / 2 : R.Top + 1); break;
    case vaTop:
    case vaAboveText: TopAt(R.Top + 1); break;
    case vaUnderText: TopAt(R.Bottom - H); break;
    case vaFull: O.Top = R.Top, O.Bottom = R.Bottom; break;
    }

    if (IsCheckKind(Kind) && (OnGetAlignment || HasColumnAlignment())) {
        Integer X = O.Left;
        if (Ctx.HAlign == taLeftJustify) {
            X = R.Left + 1;
        } else if (Ctx.HAlign == taRightJustify) {
            const Integer E = IsDataCheckKind(Kind) ? R.Right : R.Right - T;
            X = E - 1 - W;
            if (X < R.Left) X = R.Left + 1;
        } else {
            if (IsDataCheckKind(Kind) || T < 1)
                X = R.Left + std::max(0, R.Right - W - R.Left) / 2;
            else
                X = R.Left + std::max(0, R.Right - T - R.Left) / 2 - W;
            if (X < R.Left) X = R.Left + 1;
        }
        O.Left = X;
        O.Right = X + W;
    }

    auto CanEdit = [&] {
        bool Allowed = true;
        DoCanEdit(ACol, ARow, Allowed);
        return Allowed;
    };

    // ---- Drawing by kind ----
    switch (Kind) {
    case ctBitmap:
        if (TBitmap* B = Graphic->Bitmap()) {
            B->SetTransparent(Graphic->CellTransparent());
            if (Graphic->CellTransparent()) B->SetTransparentMode(tmAuto);
            Cv->Draw(O.Left, O.Top, B);
        }
        break;
    case ctIcon:
        if (TIcon* I = Graphic->Icon()) Cv->Draw(O.Left, O.Top, I);
        break;
    case ctImageList:
        if (TCustomImageList* L = GetCellImageList(ACol, ARow)) L->Draw(Cv, O.Left, O.Top, Graphic->CellIndex(), true);
        break;
    case ctCheckBox:
    case ctRowCheckBox:
        DrawCheck(Cv, O, Graphic->CellBoolean(), CanEdit(), Graphic->CellAngle() > 0, ControlLook()->ControlStyle(),
                  false, cbUnchecked);
        break;
    case ctDataCheckBox:
    case ctVirtCheckBox:
        DrawCheck(Cv, O, Cells(ACol, ARow) == DoGetCheckTrue(ACol, ARow), CanEdit(), false,
                  ControlLook()->ControlStyle(), false, cbUnchecked);
        break;
    case ctTriStateCheckBox:
        DrawCheck(Cv, O, false, CanEdit(), Graphic->CellAngle() > 0, ControlLook()->ControlStyle(), true,
                  Graphic->CellCheckBoxState());
        break;
    case ctRadioButton: {
        O.Left += XYOffset().X;
        const Integer Side = ControlLook()->RadioSize();
        O.Right = O.Left + Side;
        O.Bottom = O.Top + Side;
        DrawRadio(Cv, O, 1, Graphic->CellBoolean() ? 0 : -2, false, !CanEdit(), nullptr, false, ACol, ARow,
                  ControlLook()->ControlStyle(), 1, false);
        break;
    }
    case ctRadio: {
        TStrings* Items = Graphic->Items();
        TStrings* Strings = GetRadioStrings(ACol, ARow);
        const Integer Count = Strings ? Strings->Count() : (Items ? Items->Count() : 0);
        DrawRadio(Cv, R, Count, Graphic->CellIndex(), Graphic->CellBoolean(), !CanEdit(), Items,
                  Ctx.State.Contains(gdSelected), ACol, ARow, ControlLook()->ControlStyle(), 1, false);
        break;
    }
    case ctRotated: DrawRotatedObject(Cv, R, Graphic, Ctx); break;
    case ctDataImage: {
        const String Text = Cells(ACol, ARow);
        TCustomImageList* L = GetCellImageList(ACol, ARow);
        if (!Text.empty() && L) {
            const Integer Index = Ints(ACol, ARow);
            if (Index >= 0 && Index < L->Count()) L->Draw(Cv, O.Left, O.Top, Index, true);
        }
        break;
    }
    case ctNode: DrawNodeObject(Cv, R, Graphic, Ctx); break;
    case ctImages:
        if (TCustomImageList* L = GetCellImageList(ACol, ARow))
            if (TIntList* List = Graphic->ImageIndexes()) {
                Integer X = O.Left, Y = O.Top;
                for (Integer i = 0; i < List->Count(); ++i) {
                    L->Draw(Cv, X, Y, List->Items(i), true);
                    if (Graphic->CellBoolean())
                        X += L->Width();
                    else
                        Y += L->Height();
                }
            }
        break;
    case ctPicture:
        if (TPicture* P = Graphic->Picture()) {
            if (!Options().Contains(goVertLine)) O.Left -= 1;
            if (!Options().Contains(goHorzLine)) O.Top -= 2;
            if (TGraphic* G = P->Graphic()) {
                if (Graphic->CellAngle() != 0)
                    Cv->StretchDraw(O, G);
                else
                    Cv->Draw(O.Left, O.Top, G);
            }
        }
        break;
    case ctFilePicture:
        if (auto* FP = dynamic_cast<TFilePicture*>(Graphic->CellBitmap())) FP->DrawPicture(Cv, O);
        break;
    case ctProgress: DrawProgressObject(Cv, R, Graphic, Ctx); break;
    case ctButton:
    case ctBitButton:
    case ctExpand:
    case ctVirtButton: DrawButtonObject(Cv, R, O, Graphic, Ctx); break;
    case ctProgressPie:
        DrawProgressPie(Cv, TRect(O.Left, O.Top, O.Left + 20, O.Top + 20), TColor(Graphic->CellErrFrom()),
                        Graphic->CellAngle(), false);
        break;
    case ctRangeIndicator: {
        TRect B = R;
        winapi::InflateRect(B, -ControlLook()->ProgressMarginX(), -ControlLook()->ProgressMarginY());
        DrawCenteredBar(Cv, B, Ints(ACol, ARow), Graphic->CellIndex(), Graphic->CellBoolean(),
                        Graphic->CellIconColor(), Graphic->CellBitmapColor());
        break;
    }
    case ctXPProgress: {
        TRect B = R;
        winapi::InflateRect(B, -ControlLook()->ProgressMarginX(), -ControlLook()->ProgressMarginY());
        B.Right -= 1;
        B.Bottom -= 1;
        TGridProgressAppearance* PA = ProgressAppearance();
        TProgressLevelAppearance A;
        A.Level0Color = PA->Level0Color(), A.Level0ColorTo = PA->Level0ColorTo();
        A.Level1Color = PA->Level1Color(), A.Level1ColorTo = PA->Level1ColorTo();
        A.Level2Color = PA->Level2Color(), A.Level2ColorTo = PA->Level2ColorTo();
        A.Level3Color = PA->Level3Color(), A.Level3ColorTo = PA->Level3ColorTo();
        A.Level1Perc = PA->Level1Perc(), A.Level2Perc = PA->Level2Perc();
        A.BorderColor = PA->BorderColor(), A.ShowBorder = PA->ShowBorder();
        A.Stacked = PA->Stacked(), A.ShowPercentage = PA->ShowPercentage();
        A.Font = Font();
        A.TextColor = PA->CompleteFontColor();
        A.CompletionSmooth = PA->CompletionSmooth();
        A.ShowGradient = PA->ShowGradient();
        A.Steps = PA->Steps();
        A.BackgroundColor = PA->UnCompleteColor() == clNone ? Cv->Brush()->Color() : PA->UnCompleteColor();
        A.Vertical = false;
        const Integer Range = Graphic->CellErrLen() - Graphic->CellErrFrom();
        // An empty range shows an empty bar rather than dividing by zero.
        const Integer Percent =
            Range == 0 ? 0 : RoundPixels(std::abs(double(Ints(ACol, ARow) - Graphic->CellErrFrom())) / Range * 100);
        DrawProgressLevels(Cv, B, Percent, A);
        break;
    }
    case ctInterface:
        if (auto* Cell = dynamic_cast<IInterfacedCell*>(Graphic->CellBitmap()))
            Cell->Draw(Cv, TRect(R.Left - 1, R.Top - 1, R.Right, R.Bottom), Ctx.RealCol, ARow,
                       Ctx.State.Contains(gdSelected), false);
        break;
    case ctShape:
        DrawCellShape(Cv, O.Left, O.Top, O.Width() - 1, O.Height() - 1, TCellShape(Graphic->CellAngle() & 0xFF),
                      TColor(Graphic->CellIndex()), Graphic->CellBitmapColor());
        break;
    case ctRating: {
        const double V = std::trunc(Floats(ACol, ARow) * 2) / 2;
        Integer X = O.Left;
        for (Integer i = 1; i <= Graphic->CellAngle(); ++i, X += 18) {
            if (V >= i) {
                DrawCellShape(Cv, X, O.Top, 16, 16, csStar, TColor(Graphic->CellIndex()), TColor(Graphic->CellIndex()));
            } else {
                DrawCellShape(Cv, X, O.Top, 16, 16, csStar, Graphic->CellBitmapColor(), Graphic->CellBitmapColor());
                if (V > i - 1)
                    DrawCellShape(Cv, X, O.Top, 16, 16, csHalfStar, TColor(Graphic->CellIndex()),
                                  TColor(Graphic->CellIndex()));
            }
        }
        break;
    }
    case ctDataPicture:
        if (TPictureContainer* PC = PictureContainer())
            if (THTMLPicture* P = PC->FindPicture(Cells(ACol, ARow))) Cv->Draw(O.Left, O.Top, P);
        break;
    default: break;
    }

    // ---- Comment mark ----
    if (!Graphic->CellComment().empty() || (Kind == ctPicture && !Graphic->CellText().empty())) {
        TColor Mark = ControlLook()->CommentColor();
        if (Graphic->CellIndex() != Integer(clNone) && !Graphic->CellComment().empty() &&
            Graphic->CommentColor() != clNone)
            Mark = Graphic->CommentColor();
        if (Mark != clNone) {
            const TPoint Off = XYOffset();
            Cv->Pen()->SetColor(Mark);
            Cv->Pen()->SetStyle(psSolid);
            Cv->Brush()->SetColor(Mark);
            Cv->Brush()->SetStyle(bsSolid);
            Cv->Polygon({TPoint(R.Right + Off.X - 8, R.Top - Off.Y + 1), TPoint(R.Right + Off.X - 3, R.Top - Off.Y + 1),
                         TPoint(R.Right + Off.X - 3, R.Top - Off.Y + 6)});
            Cv->Brush()->SetColor(Color());
        }
    }
    (void)CellR;
}

void TZirOvararIzaz::DrawRotatedObject(TCanvas* Cv, TRect R, TCellGraphic* Graphic, const TCellObjectContext& Ctx) {
    const Integer Angle = Graphic->CellAngle();
    const String Text = GetFormattedCell(Ctx.Col, Ctx.Row);
    const bool Multi = std::abs(Angle) == 90 && CountTextLines(Text, Multilinecells() || WordWrap()) > 1;
    const String Measured = Multi ? WidestTextLine(*Cv, Text) : Text;
    TSize Size;
    TPoint Start = PlaceRotatedText(R, Size, Ctx.VAlign, Ctx.HAlign, Measured, Angle);
    const Integer Step = Size.cy;
    Integer Lines = 1;
    if (Multi) {
        Lines = CountTextLines(Text, true);
        const Integer Total = Lines * Step;
        if (Ctx.HAlign == taCenter)
            Start.X -= (Total - Step) / 2;
        else if (Ctx.HAlign == taRightJustify)
            Start.X = R.Right - Total;
    }
    const Integer OldOrientation = Cv->Font()->Orientation();
    Cv->Font()->SetOrientation(Angle * 10);
    winapi::InflateRect(R, -1, -1);
    Cv->Brush()->SetStyle(bsClear);
    if (Multi) {
        String Rest = Text, Line;
        for (Integer i = 0; i < Lines && !Rest.empty(); ++i) {
            TakeFirstLine(Rest, true, Line);
            Cv->TextRect(R, Start.X + i * Step, Start.Y, Line);
        }
    } else {
        Cv->TextRect(R, Start.X, Start.Y, Text);
    }
    Cv->Font()->SetOrientation(OldOrientation);
    if (IsSortIndicatorCell(Ctx.Col, Ctx.Row)) DrawSortIndicator(Cv, Ctx.Col, R.Right + 1 - 10, R.Top - 1 + 8);
}

void TZirOvararIzaz::DrawNodeObject(TCanvas* Cv, TRect R, TCellGraphic* Graphic, const TCellObjectContext& Ctx) {
    TCellNode* CN = CellNode();
    const Integer ARow = Ctx.Row;
    const Integer NI = CN->NodeIndent();
    const Integer Left0 = R.Left;
    R.Left = Left0 + GetNodeIndent(ARow) - NI;
    if (CN->ShowTree() && ARow >= FixedRows()) {
        Cv->Pen()->SetColor(CN->TreeColor());
        Cv->Pen()->SetWidth(1);
        Cv->Pen()->SetStyle(psSolid);
        const Integer X = R.Left + NI / 2 + 2, Mid = R.Top + (R.Bottom - R.Top) / 2;
        const bool Contracted = Graphic->CellBoolean();
        if (ARow + 1 < RowCount() && GetNodeIndent(ARow + 1) > 0 &&
            !(Contracted && GetNodeIndent(ARow + 1) < GetNodeIndent(ARow))) {
            Cv->MoveTo(X, Mid);
            Cv->LineTo(X, R.Bottom);
        }
        if (ARow > 0 && GetNodeIndent(ARow - 1) >= GetNodeIndent(ARow)) {
            Cv->MoveTo(X, R.Top);
            Cv->LineTo(X, Mid);
        }
    }
    R.Left = Left0 + GetNodeIndent(ARow) - NI / 2 - 4;
    const bool Contracted = Graphic->CellBoolean();
    TColor Back = Cv->Brush()->Color();
    if (Back == clNone) Back = FixedCols() == 0 ? Color() : FixedColor();
    if (IsSelectionVisible() && Ctx.State.Contains(gdSelected)) Back = SelectionColor();
    const Integer Hh = R.Height();
    ZirOvararIzaz::TNodeType Type = CN->NodeType();
    if (Type == cn3D) {
        Cv->Brush()->SetColor(CN->Color());
        Cv->Brush()->SetStyle(bsSolid);
        Cv->FillRect(R);
        TRect E = R;
        winapi::DrawEdge(Cv->Handle(), E, BDR_RAISEDINNER, BF_RECT | BF_ADJUST);
        R = E;
    } else if (Type == cnLeaf) {
        R.Top += (Hh - 12) / 2;
        DrawResourceBitmapTransparent(Cv, Back, R, Contracted ? u"ZOILEAFCLOSE" : u"ZOILEAFOPEN", GetDPIScale());
        return;
    } else if (Type == cnXP) {
        R.Left += 4 - RoundPixels((GetDPIScale() - 1) * 4);
        R.Top += (Hh - 10) / 2;
        DrawResourceBitmapTransparent(Cv, Back, R, Contracted ? u"XPNODEC" : u"XPNODEO", GetDPIScale());
        return;
    } else if (Type == cnGlyph && !CN->ExpandGlyph()->Empty() && !CN->ContractGlyph()->Empty()) {
        TBitmap* G = Contracted ? CN->ContractGlyph() : CN->ExpandGlyph();
        const TRect At(R.Left, R.Top + (Hh - CN->ContractGlyph()->Height()) / 2, R.Right, R.Bottom);
        DrawBitmapScaledTransparent(Cv, G, Back, At, 1);
        return;
    }
    // The box.
    Cv->Brush()->SetColor(CN->Color());
    Cv->Brush()->SetStyle(bsSolid);
    const Integer BL = R.Left + 4, BT = R.Top + std::max(0, R.Height() - 8) / 2;
    TRect Box(BL, BT, BL + 8, BT + 8);
    if (Type == cnFlat) {
        Cv->Pen()->SetColor(CN->NodeColor());
        Cv->Rectangle(Box.Left, Box.Top, Box.Right + 1, Box.Bottom + 1);
        Cv->MoveTo(BL + 2, BT + 4);
        Cv->LineTo(BL + 7, BT + 4);
        if (Contracted) {
            Cv->MoveTo(BL + 4, BT + 2);
            Cv->LineTo(BL + 4, BT + 7);
        }
    } else {
        winapi::DrawEdge(Cv->Handle(), Box, Contracted ? EDGE_RAISED : EDGE_SUNKEN, BF_RECT | BF_SOFT);
    }
}

void TZirOvararIzaz::DrawProgressObject(TCanvas* Cv, TRect R, TCellGraphic* Graphic, const TCellObjectContext& Ctx) {
    // No platform themes: always the drawn bar.
    const Integer PH = ControlLook()->ProgressHeight();
    if (PH >= 1)
        R = TRect(R.Left + 2, R.Top + 2, R.Right - 2, R.Top + 2 + RoundPixels(PH * GetDPIScale()));
    else
        winapi::InflateRect(R, -2, -2);
    TColor FG = Graphic->CellBitmapColor(), BK = Graphic->CellIconColor();
    TColor FGText = Graphic->CellBoolean() ? TColor(Graphic->CellIndex()) : TColor(0xFFFFFF ^ ColorToRGB(FG));
    TColor BKText = Graphic->CellBoolean() ? TColor(Graphic->CellAngle()) : TColor(0xFFFFFF ^ ColorToRGB(BK));
    DoGetProgressColor(Ctx.Col, Ctx.Row, FG, BK, FGText, BKText);
    DrawProgressBar(Cv, R, FG, FGText, BK, BKText, Floats(Ctx.Col, Ctx.Row), ControlLook()->ProgressMarginX(),
                    ControlLook()->ProgressMarginY(), Graphic->CellErrFrom(), Graphic->CellErrLen(),
                    Graphic->CellValue(), Graphic->CellText(), ControlLook()->ProgressBorderColor(), false);
}

void TZirOvararIzaz::DrawButtonObject(TCanvas* Cv, TRect R, TRect O, TCellGraphic* Graphic,
                                      const TCellObjectContext& Ctx) {
    const TCellType Kind = Graphic->CellType();
    if (Kind == ctExpand) O = TRect(R.Right - 13, R.Top, R.Right, R.Top + 13);
    const Integer Dx = (O.Left - Ctx.CellRect.Left) & 0xFFFF, Dy = (O.Top - Ctx.CellRect.Top) & 0xFFFF;
    Graphic->SetCellValue(double(Dy) * 65536 + Dx);

    bool Enabled = true;
    if (!ControlLook()->NoDisabledButtonLook()) DoCanEdit(Ctx.Col, Ctx.Row, Enabled);
    Integer Style = ControlLook()->FlatButton() ? cbsFlat : cbsClassic;
    if (Flat() && ColorTones().Background.BrushColor != clNone) Style = cbsCustom;
    Integer State = Graphic->CellBoolean() ? cbPressed : cbNormal;
    if (!Enabled && Kind != ctExpand) State = cbDisabled;

    const TColor OldBk = Cv->Brush()->Color();
    DrawPushButton(Cv, Handle(), O, Style, State, ColorTones(), ControlLook()->ButtonPrefix(), String());
    if (State == cbPressed) winapi::OffsetRect(O, 1, 1);

    const String Caption = Graphic->CellText();
    if (Kind == ctBitButton) {
        if (TBitmap* B = Graphic->Bitmap(); B && !B->Empty()) {
            B->SetTransparent(true);
            const Integer D = O.Width() - B->Width();
            Integer Top = (O.Height() - B->Height()) / 2;
            if (Top < 1) Top = 3;
            if (D < 1 || !Caption.empty()) {
                Cv->Draw(O.Left + 3, O.Top + Top, B);
                O.Left += B->Width() + 4;
            } else {
                Cv->Draw(O.Left + D / 2, O.Top + Top, B);
            }
        }
    }

    if (Kind == ctExpand) {
        Cv->Pen()->SetColor(clBlack);
        Cv->Pen()->SetWidth(1);
        Cv->Pen()->SetStyle(psSolid);
        const Integer Rt = R.Right, Tp = R.Top;
        if (Graphic->CellVar() == 0) {
            Cv->MoveTo(Rt - 10, Tp + 8);
            Cv->LineTo(Rt - 7, Tp + 5);
            Cv->LineTo(Rt - 3, Tp + 9);
        } else {
            Cv->MoveTo(Rt - 10, Tp + 5);
            Cv->LineTo(Rt - 7, Tp + 8);
            Cv->LineTo(Rt - 3, Tp + 4);
        }
    } else if (!Caption.empty()) {
        Cardinal Flags = Caption.find(u'\r') != String::npos ? DT_WORDBREAK : DT_SINGLELINE;
        O.Left += 1;
        Cv->Brush()->SetStyle(bsClear);
        if (Style == cbsCustom) {
            const TColorTone* Tones[4] = {&ColorTones().Background, &ColorTones().Hover, &ColorTones().Selected,
                                          &ColorTones().Disabled};
            Cv->Font()->SetColor(Tones[State]->TextColor);
        }
        if (!ControlLook()->ButtonPrefix()) Flags |= DT_NOPREFIX;
        winapi::DrawText(Cv->Handle(), Caption, O, Flags | DT_END_ELLIPSIS | DT_VCENTER | DT_CENTER);
    }
    Cv->Brush()->SetColor(OldBk);
}

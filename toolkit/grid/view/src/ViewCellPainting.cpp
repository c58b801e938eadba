// The cell painter of the string grid: after the base grid has filled a
// cell's background and drawn its grid lines, it paints the fixed-cell face
// of the look, the row indicator, the modified mark, the always-visible
// editor buttons, the text, custom borders, fixed-cell edges, tree lines,
// the painting events and the focus rectangle.

#include "grid/CellPainting.h"
#include "grid/ZirOvararIzaz.h"

#include "graphics/DeviceContext.h"
#include "graphics/GdiControls.h"
#include "graphics/GdiText.h"
#include "graphics/Graphic.h"
#include "gridbase/CellPainting.h"
#include "rtl/MathUtils.h"
#include "windowing/Focus.h"
#include "windowing/SystemMetrics.h"

#include <algorithm>

namespace {

// A vertical gradient fill as the fixed-cell faces use it: mirrored when a
// mirror colour is set, a plain gradient with a second colour, else solid.
void FillFace(TCanvas* Canvas, const TRect& R, TColor From, TColor To, TColor Mirror, TColor MirrorTo,
              TColor Border, bool SidesOnly) {
    DrawGradientBackground(Canvas, R, From, To, Mirror, MirrorTo, 1, Border, SidesOnly, true);
}

void Line(TCanvas* Canvas, Integer X1, Integer Y1, Integer X2, Integer Y2) {
    Canvas->MoveTo(X1, Y1);
    Canvas->LineTo(X2, Y2);
}

} // namespace

void TZirOvararIzaz::SetFixedHover(Integer ACol, Integer ARow, bool Down, bool DropDownDown) {
    FFixedHoverCol = ACol;
    FFixedHoverRow = ARow;
    FFixedHoverDown = Down;
    FFixedDropDownDown = DropDownDown;
}

bool TZirOvararIzaz::IsFixedHoverCell(Integer ACol, Integer ARow) {
    bool Result = false;
    const THoverFixedCells H = HoverFixedCells();
    if (ACol < FixedCols() && (H == hfAll || H == hfFixedColumns)) Result = true;
    if (ARow < FixedRows() && (H == hfAll || H == hfFixedRows)) Result = true;
    if (OnIsFixedHoverCell) OnIsFixedHoverCell(this, ARow, ACol, Result);
    return Result;
}

void TZirOvararIzaz::DrawCellContent(TCanvas* ACanvas, Integer ACol, Integer ARow, TRect ARect,
                                     TGridDrawState AState) {
    TCellPaintContext C;
    C.Grid = this;
    C.Canvas = ACanvas;
    C.Col = ACol;
    C.Row = ARow;
    C.State = AState;
    C.R = ARect;

    // 1. The three-dimensional look follows Flat; the cell's indexes.
    SetCtl3D(!Flat());
    C.RealCol = RealColIndex(ACol);
    C.SelRow = MouseActions()->DisjunctRowSelect() && MouseActions()->Settings().RowSelectPersistent ? RealRowIndex(ARow)
                                                                                            : ARow;
    C.Fixed = IsFixed(ACol, ARow) || ACol < FixedCols() || ARow < FixedRows();
    if (HoverRowIdx() == ARow && HoverRowCells().Contains(hcFixed)) C.Fixed = false;
    C.FilterButton = FilterDropDownRow() == ARow && ARow < FixedRows() && DoGetColumnFilter(C.RealCol);
    C.TextWidth = 0;

    // 2. A cell scroll bar, drawn at the right edge when there is more to
    // scroll than the cell shows.
    if (HasScrollBar(C.RealCol, ARow)) PaintCellScrollBar(C);

    // 3. The cell's look.
    bool WW = WordWrap();
    GetVisualProperties(ACol, ARow, C.State, false, false, true, ACanvas->Brush(), C.ColorTo, C.MirrorColor,
                        C.MirrorColorTo, ACanvas->Font(), C.HAlign, C.VAlign, WW, C.Gradient);
    C.WordWrap = WW;
    C.Object = GetCellGraphicLayout(ACol, ARow);
    if (C.Object.Graphic && C.Object.Graphic->CellType() == ctInterface)
        C.Interface = dynamic_cast<IInterfacedCell*>(C.Object.Graphic->CellBitmap());
    if (C.RealCol == 0 && IsNode(ARow)) C.Object.Width = GetNodeLevel(ARow) * 12 + 4;
    if (AState.Contains(gdSelected) && !AState.Contains(gdFocused) && SelectionColor() == clNone)
        ACanvas->Brush()->SetColor(clHighlight);
    if (ZoomFactor() != 0) {
        const Integer Size = ACanvas->Font()->Size() + ZoomFactor();
        ACanvas->Font()->SetSize(Size == 0 ? 1 : Size);
    }
    C.BrushColor = ACanvas->Brush()->Color();
    C.FontColor = ACanvas->Font()->Color();

    // 4. Platform visual styles are never active here: nothing is themed.

    // 5. The fixed-cell face of the look.
    const TGridLook L = Look();
    if (C.Fixed && (L == glDOV || L == glXP || L == glVista || L == glWin7 || L == glOffice2007))
        DrawFixedFace(C);

    // 6. The row indicator.
    const TBitmap* Indicator = RowIndicator();
    const bool ShowIndicator = C.RealCol == 0 && ARow == Row() && FixedCols() > 0 && Indicator &&
                               !Indicator->Empty() && !(FixedRowAlways() && RowCount() <= FixedRows());
    if (ShowIndicator) {
        Integer Y = C.R.Top;
        if (C.VAlign == vtaCenter) Y = C.R.Top + (C.R.Height() - Indicator->Height()) / 2;
        if (C.VAlign == vtaBottom) Y = C.R.Bottom - Indicator->Height();
        if (Indicator->PixelFormat() == pf32bit) {
            DrawBitmapAlpha(ACanvas, C.R.Left + 2, Y, const_cast<TBitmap*>(Indicator));
        } else {
            TBitmap Copy;
            Copy.Assign(Indicator);
            Copy.SetTransparent(true);
            Copy.SetTransparentMode(tmAuto);
            ACanvas->Draw(C.R.Left + 2, Y, &Copy);
        }
        C.R.Left += Indicator->Width();
    }

    // 7. The list-view header (no platform themes: the classic face).
    if (C.Fixed && L == glListView && !Flat()) {
        ACanvas->Brush()->SetColor(clBtnFace);
        ACanvas->Pen()->SetColor(clWhite);
        ACanvas->Rectangle(C.R);
    }

    // 8. The modified mark.
    if (ACol == 0 && ShowModified()->Enabled() && RowModified(RealRowIndex(ARow))) {
        ACanvas->Pen()->SetColor(ShowModified()->Color());
        ACanvas->Brush()->SetColor(ShowModified()->Color());
        ACanvas->Rectangle(C.R.Right - 4, C.R.Top, C.R.Right, C.R.Bottom);
    }

    // 9.
    if (OnCustomCellBkgDraw) OnCustomCellBkgDraw(this, ACanvas, C.RealCol, ARow, C.State, C.R, false);
    C.SavedRight = C.R.Right;

    // 10. Editor buttons that show without an editor.
    if (!IsFixed(ACol, ARow) && (ControlLook()->DropDownAlwaysVisible() || ControlLook()->SpinButtonsAlwaysVisible()))
        DrawAlwaysVisibleButtons(C);

    // 11. Interface objects paint over the text: the cell-object interface
    // has no under-text query.

    // 12. The text.
    const bool Custom = static_cast<bool>(OnDrawCell) || static_cast<bool>(OnCustomCellDraw);
    if (!Custom || !FNoDefaultDraw)
        if (!C.Object.Graphic || !FNoImageAndText) DrawCellText(C);

    // 13.
    C.R.Right = C.SavedRight;
    ACanvas->Brush()->SetColor(C.BrushColor);
    ACanvas->Font()->SetColor(C.FontColor);
    winapi::InflateRect(C.R, 1, 1);

    // 14. Custom borders; the row indicator's room goes back.
    DrawCellBorders(C);
    if (ShowIndicator) C.R.Left -= Indicator->Width();

    // 15. The fixed-cell edges of the look.
    if (C.Fixed && !DoHasFilterEdit(C.RealCol, ARow) && !Flat()) DrawFixedEdges(C);

    // 16. The outer lines of the fixed right columns.
    if (FixedRightCols() > 0 && FixedRightCols() >= ColCount() + NumHiddenColumns() - C.RealCol &&
        L != glClassic && !Ctl3D()) {
        ACanvas->Pen()->SetColor(Flat() ? TColor(0x808080) : clBlack);
        ACanvas->Pen()->SetWidth(1);
        const TRect& R = C.R;
        if (Options().Contains(goHorzLine)) {
            Line(ACanvas, R.Left - 1, R.Top - 1, R.Right + 1, R.Top - 1);
            Line(ACanvas, R.Left - 1, R.Bottom + 1, R.Right + 1, R.Bottom + 1);
        }
        if (Options().Contains(goVertLine)) {
            Line(ACanvas, R.Left - 1, R.Top - 1, R.Left - 1, R.Bottom + 1);
            Line(ACanvas, R.Right + 1, R.Top - 1, R.Right + 1, R.Bottom + 1);
        }
    }

    // 17. Tree lines of node rows.
    if (HasNodes() && C.RealCol == CellNode()->NodeColumn() && !C.Fixed && CellNode()->ShowTree())
        DrawTreeLines(C);

    // 18. The cell object, one pixel lower in fixed cells.
    if (C.Object.Graphic) {
        TCellObjectContext O;
        O.Canvas = ACanvas;
        O.Col = ACol;
        O.RealCol = C.RealCol;
        O.Row = ARow;
        O.State = C.State;
        O.CellRect = ARect;
        O.ObjectWidth = C.Object.Width;
        O.ObjectHeight = C.Object.Height;
        O.TextWidth = C.TextWidth;
        O.HAlign = C.HAlign;
        O.VAlign = C.VAlign;
        TRect ObjectRect = C.R;
        if (C.Fixed && C.Object.Graphic->CellType() != ctInterface) ++ObjectRect.Top;
        DrawCellObject(ObjectRect, C.Object.Graphic, C.VAlign, O);
    }

    // 19. The painting events, with the real column.
    if (OnDrawCell) {
        TRect Inner = C.R;
        Inner.Right -= GridLineWidth();
        Inner.Bottom -= GridLineWidth();
        OnDrawCell(this, C.RealCol, ARow, Inner, C.State);
    }
    if (OnCustomCellDraw) OnCustomCellDraw(this, ACanvas, C.RealCol, ARow, C.State, C.R, false);

    // 20. The focus rectangle of the current cell.
    if (!HideFocusRect()) {
        const TPoint Base = BaseCell(ACol, ARow);
        const bool Current = Base.X == Col() && Base.Y == Row();
        const bool HasFocus = HandleAllocated() && winapi::GetFocus() == Handle();
        if (Current && HasFocus && Col() >= FixedCols() && Row() >= FixedRows()) {
            TRect F = C.R;
            winapi::InflateRect(F, GridLineWidth() - 1, GridLineWidth() - 1);
            --F.Right;
            --F.Bottom;
            ACanvas->Font()->SetColor(clBlack);
            ACanvas->Brush()->SetColor(clWhite);
            ACanvas->TextOut(F.Left, F.Top, String());
            ACanvas->DrawFocusRect(F);
        }
    }
}

void TZirOvararIzaz::PaintCellScrollBar(TCellPaintContext& C) {
    const Integer Pos = std::max(GetScrollPosition(C.RealCol, C.Row), 0);
    const TScrollProp Prop = GetScrollProp(C.RealCol, C.Row);
    C.ScrollPos = Pos;
    if (Prop.PageSize >= Prop.Range) return;
    const Integer W = winapi::GetSystemMetrics(winapi::SM_CXVSCROLL);
    C.R.Right -= W;
    // A drawn bar: the track and a thumb as long as the page is of the range.
    TCanvas* Canvas = C.Canvas;
    const TRect Track(C.R.Right, C.R.Top, C.R.Right + W, C.R.Bottom);
    FillRectColor(Canvas, Track, clBtnFace);
    const Integer H = Track.Height();
    const Integer Range = std::max(Prop.Range, 1);
    const Integer Thumb = std::max(MulDiv(H, std::max(Prop.PageSize, 1), Range), 8);
    const Integer Room = std::max(H - Thumb, 0);
    const Integer MaxPos = std::max(Range - std::max(Prop.PageSize, 0), 1);
    const Integer Top = Track.Top + MulDiv(Room, std::min(Pos, MaxPos), MaxPos);
    const TRect ThumbRect(Track.Left + 1, Top, Track.Right - 1, Top + Thumb);
    FillRectColor(Canvas, ThumbRect, clBtnShadow);
}

void TZirOvararIzaz::DrawFixedFace(TCellPaintContext& C) {
    TCanvas* Canvas = C.Canvas;
    const bool MovingThis = GridState() == gsColMoving && FFixedHoverCol == C.Col;
    const bool HoverThis =
        (FFixedHoverCol == C.Col && FFixedHoverRow == C.Row && GridState() != gsColMoving) || MovingThis;
    if (IsFixedHoverCell(C.Col, C.Row) && HoverThis) {
        ++C.R.Bottom;
        const TColor HF = DOVGradientHoverFrom(), HT = DOVGradientHoverTo(), HMF = DOVGradientHoverMirrorFrom(),
                     HMT = DOVGradientHoverMirrorTo(), HB = DOVGradientHoverBorder();
        const TColor DF = DOVGradientDownFrom(), DT = DOVGradientDownTo(), DMF = DOVGradientDownMirrorFrom(),
                     DMT = DOVGradientDownMirrorTo(), DB = DOVGradientDownBorder();
        const bool Pressed = FFixedHoverDown || GridState() == gsColMoving;
        const bool DropDown = ControlLook()->FixedDropDownButton() && DoCanShowFixedDropDown(C.RealCol, C.Row);
        if (Pressed && DropDown) {
            const TRect Strip(C.R.Right - 16, C.R.Top, C.R.Right, C.R.Bottom);
            const TRect Rest(C.R.Left, C.R.Top, C.R.Right - 16, C.R.Bottom);
            if (FFixedDropDownDown) {
                FillFace(Canvas, Strip, DF, DT, DMF, DMT, DB, false);
                FillFace(Canvas, Rest, HF, HT, HMF, HMT, HB, false);
            } else {
                FillFace(Canvas, Rest, DF, DT, DMF, DMT, DB, false);
                FillFace(Canvas, Strip, HF, HT, HMF, HMT, HB, false);
            }
        } else if (Pressed) {
            FillFace(Canvas, C.R, DF, DT, DMF, DMT, DB, false);
        } else {
            FillFace(Canvas, C.R, HF, HT, HMF, HMT, HB, false);
        }
        if (DropDown) {
            Canvas->Pen()->SetColor(FFixedHoverDown ? DB : HB);
            Line(Canvas, C.R.Right - 16, C.R.Top, C.R.Right - 16, C.R.Bottom);
            DrawDownMarker(Canvas, C.R.Right - 8, C.R.Top + 8, clBlack);
            C.R.Right -= 16;
        }
        return;
    }
    if (ActiveCellShow() && ((C.Row == Row() && C.Col >= 0 && C.Col < FixedCols() && FixedCols() > 0) ||
                             (C.Col == Col() && C.Row < FixedRows() && FixedRows() > 0))) {
        FillFace(Canvas, C.R, ActiveCellColor(), ActiveCellColorTo(), clNone, clNone, clNone, false);
        return;
    }
    const TColor Border = Look() == glVista ? TColor(0xFFFFFF) : clNone;
    if (Look() != glXP) {
        --C.R.Right;
        --C.R.Bottom;
    }
    TSortSettings* SS = SortSettings();
    if (SS->Column() != -1 && SS->HeaderColor() != clNone && C.RealCol == SS->Column() && C.Row >= 0 &&
        C.Row < FixedRows() && (C.Col >= FixedCols() || SS->FixedCols())) {
        FillFace(Canvas, C.R, SS->HeaderColor(), SS->HeaderColorTo(), SS->HeaderMirrorColor(),
                 SS->HeaderMirrorColorTo(), clNone, true);
    } else if (!Flat()) {
        FillFace(Canvas, C.R, Canvas->Brush()->Color(), C.ColorTo, C.MirrorColor, C.MirrorColorTo, Border, true);
    }
}

void TZirOvararIzaz::DrawAlwaysVisibleButtons(TCellPaintContext& C) {
    TCanvas* Canvas = C.Canvas;
    TControlLook* CL = ControlLook();
    Integer Style = CL->FlatButton() ? cbsFlat : cbsClassic;
    if (Flat() && ColorTones().Background.BrushColor != clNone) Style = cbsCustom;
    bool CanEdit = true;
    DoCanEdit(C.RealCol, C.Row, CanEdit);
    const Integer State = CanEdit ? cbNormal : cbDisabled;
    TEditorType Editor = DefaultEditor();
    DoGetEditorType(C.RealCol, C.Row, Editor);
    const Single Scale = DPIScale();
    const winapi::HWND Window = HandleAllocated() ? Handle() : nullptr;
    if (CL->DropDownAlwaysVisible()) {
        if (DoHasComboBox(C.RealCol, C.Row, Editor)) {
            const TRect B(C.R.Left - 2, C.R.Top - 1, C.R.Right + 1, C.R.Bottom);
            DrawComboButton(Canvas, Window, B, Style, State, ColorTones(), Scale);
            C.R.Right -= RoundToInt(CL->DropDownButtonWidth() * Scale);
        }
        if (DoHasEditBtn(C.RealCol, C.Row, Editor)) {
            const Integer W = CL->DropDownButtonWidth();
            const TRect B(C.R.Right - W - 3, C.R.Top - 1, C.R.Right - 1, C.R.Bottom - 1);
            DrawPushButton(Canvas, Window, B, Style, State, ColorTones(), CL->ButtonPrefix(), EditButtonCaption());
            C.R.Right -= W;
        }
    }
    if (CL->SpinButtonsAlwaysVisible() && DoHasSpinEdit(C.RealCol, C.Row, Editor)) {
        DrawSpinButtons(Canvas, Window, C.R, Style, State, ColorTones(), Scale);
        C.R.Right -= RoundToInt(16 * Scale);
    }
}

String TZirOvararIzaz::EditButtonCaption() {
    return u"...";
}

void TZirOvararIzaz::DrawCellBorders(TCellPaintContext& C) {
    TCanvas* Canvas = C.Canvas;
    TPen Saved;
    Saved.Assign(Canvas->Pen());
    TCellBorders Borders;
    DoGetCellBorder(C.RealCol, C.Row, Canvas->Pen(), Borders);
    TPen LeftPen, TopPen, RightPen, BottomPen;
    LeftPen.Assign(Canvas->Pen());
    TopPen.Assign(Canvas->Pen());
    RightPen.Assign(Canvas->Pen());
    BottomPen.Assign(Canvas->Pen());
    if (OnGetCellBorderProp) OnGetCellBorderProp(this, C.Row, C.RealCol, &LeftPen, &TopPen, &RightPen, &BottomPen);
    if (!Borders.Empty()) {
        const Integer W = (Canvas->Pen()->Width() + 1) / 2;
        const Integer GV = Options().Contains(goVertLine) ? W : 0;
        const Integer GH = Options().Contains(goHorzLine) ? W : 0;
        TRect R = C.R;
        if (C.Fixed) {
            ++R.Top;
        } else {
            --R.Left;
            --R.Bottom;
        }
        R.Left += GV;
        R.Right -= GV;
        R.Top += GH;
        R.Bottom -= GH;
        if (Borders.Contains(cbLeft)) {
            Canvas->SetPen(&LeftPen);
            Line(Canvas, std::max(0, R.Left), R.Top - GH - 1, std::max(0, R.Left), R.Bottom);
        }
        if (Borders.Contains(cbRight)) {
            Canvas->SetPen(&RightPen);
            Line(Canvas, R.Right - 1, R.Top - GH - 1, R.Right - 1, R.Bottom);
        }
        if (Borders.Contains(cbTop)) {
            Canvas->SetPen(&TopPen);
            const Integer Y = GridLineWidth() == 0 ? R.Top + 1 : std::max(0, R.Top - GridLineWidth());
            Line(Canvas, R.Left - 1, Y, R.Right - 1, Y);
        }
        if (Borders.Contains(cbBottom)) {
            Canvas->SetPen(&BottomPen);
            Line(Canvas, R.Left, R.Bottom, R.Right, R.Bottom);
        }
    }
    Canvas->SetPen(&Saved);
}

void TZirOvararIzaz::DrawFixedEdges(TCellPaintContext& C) {
    TCanvas* Canvas = C.Canvas;
    TRect& R = C.R;
    const bool HorzLine = Options().Contains(goFixedHorzLine);
    const bool VertLine = Options().Contains(goFixedVertLine);
    switch (Look()) {
    case glClassic: {
        ++R.Top;
        ++R.Bottom;
        ++R.Left;
        const winapi::HDC DC = Canvas->Handle();
        TRect E = R;
        winapi::DrawEdge(DC, E, BDR_RAISEDINNER, BF_LEFT);
        winapi::DrawEdge(DC, E, BDR_RAISEDINNER, BF_TOP);
        winapi::DrawEdge(DC, E, EDGE_RAISED, BF_RIGHT | BF_BOTTOM);
        Canvas->Pen()->SetColor(clBlack);
        Canvas->Pen()->SetWidth(1);
        Line(Canvas, R.Right - 1, R.Top, R.Right - 1, R.Bottom - 1);
        Canvas->LineTo(R.Left - 1, R.Bottom - 1);
        break;
    }
    case glDOV:
    case glXP:
        ++R.Bottom;
        if (HorzLine) {
            Canvas->Pen()->SetColor(HalveColor(FixedColor()));
            Line(Canvas, R.Left, R.Bottom - 1, R.Right - 1, R.Bottom - 1);
            Canvas->Pen()->SetColor(clWhite);
            Line(Canvas, R.Right - 2, R.Top + 1, R.Left + 1, R.Top + 1);
            Canvas->LineTo(R.Left + 1, R.Bottom - 1);
        }
        break;
    case glSoft:
        if (Ctl3D()) {
            ++R.Right;
            ++R.Bottom;
            if (HorzLine) {
                Canvas->Pen()->SetColor(HalveColor(FixedColor()));
                Line(Canvas, R.Left, R.Bottom - 1, R.Right - 1, R.Bottom - 1);
                Canvas->Pen()->SetColor(clWhite);
                Line(Canvas, R.Right, R.Top + 1, R.Left + 1, R.Top + 1);
                Canvas->LineTo(R.Left + 1, R.Bottom - 1);
            }
            if (VertLine) {
                Canvas->Pen()->SetColor(HalveColor(FixedColor()));
                Line(Canvas, R.Right - 2, R.Top, R.Right - 2, R.Bottom - 1);
                Canvas->Pen()->SetColor(clWhite);
                Line(Canvas, R.Right - 1, R.Top, R.Right - 1, R.Bottom - 1);
            }
        } else {
            Canvas->Pen()->SetColor(clBlack);
            Canvas->Pen()->SetWidth(1);
            if (HorzLine) {
                Line(Canvas, R.Left - 1, R.Top - 1, R.Right + 1, R.Top - 1);
                Line(Canvas, R.Left - 1, R.Bottom + 1, R.Right + 1, R.Bottom + 1);
            }
            if (VertLine) {
                Line(Canvas, R.Left - 1, R.Top - 1, R.Left - 1, R.Bottom + 1);
                Line(Canvas, R.Right + 1, R.Top - 1, R.Right + 1, R.Bottom + 1);
            }
        }
        break;
    default:
        break;
    }
}

void TZirOvararIzaz::DrawTreeLines(TCellPaintContext& C) {
    TCanvas* Canvas = C.Canvas;
    const TRect& R = C.R;
    Canvas->Pen()->SetColor(CellNode()->TreeColor());
    Canvas->Pen()->SetWidth(1);
    const Integer Level = GetNodeLevel(C.Row);
    const Integer Indent = GetNodeIndent(C.Row);
    const Integer NI = CellNode()->NodeIndent();
    const Integer Mid = R.Top + (R.Bottom - R.Top) / 2;
    const Integer X = R.Left + Indent + NI / 2 - NI + 2;
    if (Level > 0) Line(Canvas, X, Mid, CellNode()->ShowTreeFull() ? R.Right : R.Left + Indent + 4, Mid);
    if (Indent > 0) {
        const Integer Span = GetNodeSpanType(C.Row);
        if (Span == 1) Line(Canvas, X, R.Top, X, Mid);
        if (Span == 2) Line(Canvas, X, R.Top, X, R.Bottom + 4);
    }
    for (Integer I = 1; I <= Level; ++I) {
        const Integer XI = X - NI * I;
        if (XI <= R.Left) continue;
        Line(Canvas, XI, R.Top, XI, Mid);
        if (C.Row < RowCount() - 1 && GetNodeLevel(C.Row + 1) >= Level - I)
            Canvas->LineTo(XI, R.Bottom + 4);
        else if (I < Level)
            Canvas->LineTo(XI + NI, Mid);
    }
    Canvas->Pen()->SetColor(clBlack);
    Canvas->Pen()->SetStyle(psSolid);
}

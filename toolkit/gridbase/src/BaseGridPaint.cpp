// The base grid's painting and input over merged cells: the cell painter
// (hidden last row, covered cells painted once per cycle through their base
// cell, the frozen-area clip, hover and active rows, selection frames,
// gradients, grid lines, content), keys, wheel and scrolling.

#include "gridbase/BaseGrid.h"
#include "gridbase/CellPainting.h"

#include "graphics/DeviceContext.h"
#include "graphics/GdiText.h"
#include "windowing/Paint.h"
#include "windowing/Input.h"

#include <algorithm>

namespace {

struct TSelectionColors {
    TColor From, To, Mirror, MirrorTo, TopLine, BottomLine, Border, CornerNear;
};

const TSelectionColors VistaColors{0xFDF8F1, 0xFCEFD5, clNone, clNone, 0xFDFBF6, 0xFDF5E7, 0xFDDE99, 0xFCEDCB};
const TSelectionColors Win7Colors{0xFCEBDC, 0xFCDBC1, clNone, clNone, 0xFDF4EB, 0xFDEADB, 0xCEA27D, 0xE0C5AE};
const TSelectionColors Office2007Colors{0xD7FFFD, 0x58D4FC, 0x58D4FC, 0xB3F1FC,
                                        0xF4FEFF, 0xCAF8FF, 0x8DD7D3, 0xC3D9DF};
const TSelectionColors UnfocusedColors{0xF8F8F8, 0xE5E5E5, clNone, clNone, 0xFBFAFA, 0xF0F0F0, 0xD9D9D9, 0xEFEFEF};

const TSelectionColors& ColorsOf(TGridSelectionStyle Style) {
    switch (Style) {
    case ssWin7:
        return Win7Colors;
    case ssOffice2007:
        return Office2007Colors;
    default:
        return VistaColors;
    }
}

} // namespace

void TBaseGrid::Paint() {
    TObjStringGrid::Paint();
    ++FPaintID;
}

void TBaseGrid::DrawCell(Integer ACol, Integer ARow, const TRect& ARect, TGridDrawState AState) {
    DoPaintCell(Canvas(), ACol, ARow, ARect, AState, true);
}

void TBaseGrid::PaintCell(TCanvas* ACanvas, Integer ACol, Integer ARow, TRect ARect, TGridDrawState AState) {
    DoPaintCell(ACanvas, ACol, ARow, ARect, AState, true);
}

void TBaseGrid::PaintCellExt(TCanvas* ACanvas, Integer ACol, Integer ARow, TRect ARect, TGridDrawState AState) {
    DoPaintCell(ACanvas, ACol, ARow, ARect, AState, false);
}

void TBaseGrid::DrawCellContent(TCanvas* ACanvas, Integer ACol, Integer ARow, TRect ARect, TGridDrawState) {
    String Text = Cells(ACol, ARow);
    winapi::DrawText(ACanvas->Handle(), Text, ARect, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
}

void TBaseGrid::GetVisualProperties(Integer, Integer, TGridDrawState&, bool, bool, bool, TBrush*, TColor&, TColor&,
                                    TColor&, TFont*, TAlignment&, TVAlignment&, bool&, TCellGradientDirection&) {}

void TBaseGrid::DoPaintCell(TCanvas* ACanvas, Integer ACol, Integer ARow, TRect ARect, TGridDrawState AState,
                            bool Full) {
    // 1. The hidden last row is a plain rectangle in the grid's colour.
    if (ARow == RowCount() - 1 && FHideLastRow) {
        ACanvas->Brush()->SetColor(Color());
        ACanvas->Pen()->SetColor(Color());
        ACanvas->Rectangle(ARect);
        return;
    }
    // 2. A row of height 0 takes no paint.
    if (RowHeights(ARow) == 0) return;
    // 3. A covered cell paints its area once per cycle, through its base cell.
    const Integer RC = RealColIndex(ACol);
    Integer BaseCol = RC, BaseRow = ARow;
    if (!ResolveBaseCell(RC, ARow, BaseCol, BaseRow)) {
        TCellProperties* BaseProps = RecordOf(BaseCol, BaseRow);
        if (!BaseProps || BaseProps->PaintID() == FPaintID) return;
        BaseProps->SetPaintID(FPaintID);
        PaintCell(ACanvas, DisplColIndex(BaseCol), BaseRow, ARect, AState);
        return;
    }
    // 4. Full mode: the fixed look and the whole merged rectangle.
    if (Full) {
        if (IsFixed(ACol, ARow)) {
            AState.Include(gdFixed);
            AState.Exclude(gdSelected);
        }
        if (TCellProperties* Props = RecordOf(RC, ARow)) Props->SetPaintID(FPaintID);
        ARect = CellRect(ACol, ARow);
    }
    const bool Fixed = AState.Contains(gdFixed);
    // 5. A cell that reaches under the frozen rows or columns is clipped there.
    Integer FW = 0, FH = 0;
    if (ACol >= FixedCols())
        for (Integer I = 0; I < FixedCols(); ++I)
            FW += ColWidths(I);
    if (ARow >= FixedRows())
        for (Integer I = 0; I < FixedRows(); ++I)
            FH += RowHeights(I);
    const bool Clip = (ACol >= FixedCols() && FixedCols() > 0 && ARect.Left < FW) ||
                      (ARow >= FixedRows() && FixedRows() > 0 && ARect.Top < FH);
    Integer Saved = 0;
    if (Clip) {
        Saved = winapi::SaveDC(ACanvas->Handle());
        winapi::IntersectClipRect(ACanvas->Handle(), FW, FH, Width(), Height());
    }
    // 6. The cell's look.
    ACanvas->Pen()->SetWidth(1);
    ACanvas->Font()->Assign(Font());
    TColor ColorTo = clNone, MirrorColor = clNone, MirrorColorTo = clNone;
    TAlignment HA = taLeftJustify;
    TVAlignment VA = vtaTop;
    bool WW = FWordWrap;
    TCellGradientDirection GD = GradientVertical;
    GetVisualProperties(ACol, ARow, AState, false, true, true, ACanvas->Brush(), ColorTo, MirrorColor,
                        MirrorColorTo, ACanvas->Font(), HA, VA, WW, GD);
    ACanvas->Pen()->SetColor(ACanvas->Brush()->Color());
    // 7. The hover row.
    const bool SelSkip = AState.Contains(gdSelected) && !FHoverRowCells.Contains(hcSelected);
    bool FixSkip = Fixed && !FHoverRowCells.Contains(hcFixed);
    if (HasNodes()) {
        if (!FHoverRowCells.Contains(hcGroupHeader) && IsNode(ARow)) FixSkip = true;
        if (!FHoverRowCells.Contains(hcGroupSummary) && IsSummary(ARow)) FixSkip = true;
    }
    if (ARow == FHoverRowIdx && FHoverRow && !SelSkip && !FixSkip) {
        ACanvas->Brush()->SetColor(FHoverRowColor);
        ColorTo = FHoverRowColorTo;
        MirrorColor = clNone;
        MirrorColorTo = clNone;
        GD = GradientVertical;
    }
    // 8. The active row (the current cell keeps its selection look).
    const bool ActiveRow = FActiveRowShow && ARow == Row() && !IsFixed(ACol, ARow) && ACol >= FixedCols() &&
                           (ACol != Col() || !FShowSel || Options().Contains(goRowSelect));
    if (ActiveRow || (!Full && AState.Contains(gdSelected))) {
        ACanvas->Brush()->SetColor(FActiveRowColor);
        ColorTo = FActiveRowColorTo;
        MirrorColor = FActiveRowMirrorColor;
        MirrorColorTo = FActiveRowMirrorColorTo;
    }
    ACanvas->Pen()->SetColor(ACanvas->Brush()->Color());
    // 9. The background.
    const TColor Background = ACanvas->Brush()->Color();
    if (AState.Contains(gdSelected) && FSelectionStyle != ssDefault && FShowSel) {
        const TGridRect Sel = Selection();
        const Integer Left = std::min(Sel.Left, Sel.Right), Right = std::max(Sel.Left, Sel.Right);
        Integer Part = 0;
        if (ACol == Left && Left < Right) Part = 1;
        else if (Left < ACol && ACol == Right) Part = 2;
        else if (Left < ACol && ACol < Right) Part = 3;
        TRect Frame = ARect;
        if (!Options().Contains(goHorzLine)) ++Frame.Bottom;
        if (!Options().Contains(goVertLine)) ++Frame.Right;
        if (UseRightToLeftAlignment()) {
            ++Frame.Right;
            ++Frame.Bottom;
        }
        const bool Focus = (HandleAllocated() && Focused()) || Options().Contains(goDrawFocusSelected);
        const TSelectionColors& C = Focus ? ColorsOf(FSelectionStyle) : UnfocusedColors;
        DrawSelectionFrame(ACanvas, C.From, C.To, C.Mirror, C.MirrorTo, C.TopLine, C.BottomLine, C.Border,
                           C.CornerNear, Color(), Frame, Part);
    } else if (!(UsesVCLStyles() && (Fixed || AState.Contains(gdSelected)))) {
        if (MirrorColorTo == clNone)
            FillGradientRect(ACanvas, Background, ColorTo, 64, ARect, GD == GradientHorizontal);
        else
            DrawGradientBackground(ACanvas, ARect, Background, ColorTo, MirrorColor, MirrorColorTo, 1, clNone, false,
                                   true);
    }
    // 10. The grid lines, centred inside the cell's right and bottom edges.
    ACanvas->Pen()->SetColor(Background);
    const Integer LineWidth = Fixed ? FGridFixedLineWidth : FGridLineWidth;
    if (LineWidth > 0) ACanvas->Pen()->SetColor(Fixed ? FGridFixedLineColor : FGridLineColor);
    ACanvas->Pen()->SetWidth(std::max(LineWidth, 1));
    const Integer H = (LineWidth + 1) / 2;
    if (Options().Contains(Fixed ? goFixedHorzLine : goHorzLine)) {
        ACanvas->MoveTo(ARect.Left - H, ARect.Bottom - H);
        ACanvas->LineTo(ARect.Right - H, ARect.Bottom - H);
    }
    if (Options().Contains(Fixed ? goFixedVertLine : goVertLine)) {
        const Integer X = UseRightToLeftAlignment() ? ARect.Right - H + 1 : ARect.Right - H;
        ACanvas->MoveTo(X, ARect.Bottom - H);
        ACanvas->LineTo(X, ARect.Top - H);
    }
    // 11. The content.
    TRect Content = ARect;
    if (Fixed) {
        Content.Right -= 1;
        Content.Bottom -= 2;
    } else {
        Content = {ARect.Left + FGridLineWidth, ARect.Top + FGridLineWidth, ARect.Right - FGridLineWidth,
                   ARect.Bottom - FGridLineWidth};
    }
    if (Full) DrawCellContent(ACanvas, ACol, ARow, Content, AState);
    // 12. Restore.
    if (Clip) winapi::RestoreDC(ACanvas->Handle(), Saved);
    ACanvas->Brush()->SetStyle(bsSolid);
    ACanvas->Pen()->SetStyle(psSolid);
}

void TBaseGrid::RepaintCell(Integer ACol, Integer ARow) {
    if (!HandleAllocated()) return;
    const TRect R = CellRect(ACol, ARow);
    winapi::InvalidateRect(Handle(), &R, true);
}

void TBaseGrid::FocusBaseCell() {
    if (!RecordOf(Col(), Row())) return;
    const TPoint Base = BaseCell(Col(), Row());
    if (Base.X >= FixedCols() && Base.X < ColCount()) SetCol(Base.X);
    if (Base.Y >= FixedRows() && Base.Y < RowCount()) SetRow(Base.Y);
}

bool TBaseGrid::SelectCell(Integer ACol, Integer ARow) {
    if (UseRightToLeftAlignment()) {
        const bool Result = TObjStringGrid::SelectCell(ACol, ARow);
        Invalidate();
        return Result;
    }
    RepaintCell(Col(), Row());
    const bool Result = TObjStringGrid::SelectCell(ACol, ARow);
    RepaintCell(ACol, ARow);
    return Result;
}

void TBaseGrid::KeyDown(Word& Key, TShiftState Shift) {
    if (Key == winapi::VK_NEXT && VisibleRowCount() + TopRow() - FixedRows() == RowCount() - 1 && FHideLastRow &&
        RowCount() > 1)
        SetRow(RowCount() - 2);
    if (TCellProperties* Props = RecordOf(Col(), Row())) {
        const TPoint Base = Props->BaseCellOf(Col(), Row());
        const TCellProperties* BaseProps = RecordOf(Base.X, Base.Y);
        const Integer SX = BaseProps ? std::max(BaseProps->CellSpanX(), 0) : 0;
        const Integer SY = BaseProps ? std::max(BaseProps->CellSpanY(), 0) : 0;
        const Integer BX = Base.X, BY = Base.Y;
        switch (Key) {
        case winapi::VK_LEFT:
            // The platform then steps one further left, out of the area.
            if (Col() > BX && Col() > FixedCols() && BX > 0) SetCol(std::max(BX, FixedCols()));
            break;
        case winapi::VK_UP:
            if (Row() > BY && Row() > FixedRows() && BY > 0) SetRow(std::max(BY, FixedRows()));
            break;
        case winapi::VK_RIGHT:
            if (Col() <= BX + SX && Col() < ColCount() - 1 && BX < ColCount() - 1 && BX + SX < ColCount())
                SetCol(BX + SX);
            break;
        case winapi::VK_DOWN:
            if (BY + SY >= Row() && Row() < RowCount() - 1 && BY < RowCount() - 1 && BY + SY + 1 < RowCount())
                SetRow(BY + SY);
            break;
        default:
            break;
        }
    }
    TObjStringGrid::KeyDown(Key, Shift);
    FocusBaseCell();
}

bool TBaseGrid::DoMouseWheelDown(TShiftState Shift, TPoint MousePos) {
    const Integer Before = Row();
    const bool Result = TObjStringGrid::DoMouseWheelDown(Shift, MousePos);
    if (VisibleRowCount() < Row() - TopRow() && Row() < RowCount() - 1 && FHideLastRow) SetTopRow(TopRow() + 1);
    FocusBaseCell();
    // A step into the lower rows of a merged area would fall back to its
    // base cell and leave the wheel stuck there: it goes on below the area.
    if (Row() <= Before && RecordOf(Col(), Row())) {
        const TCellProperties* Base = RecordOf(Col(), Row());
        const Integer Below = Row() + std::max(Base->CellSpanY(), 0) + 1;
        if (Below < RowCount()) SetRow(Below);
    }
    return Result;
}

bool TBaseGrid::DoMouseWheelUp(TShiftState Shift, TPoint MousePos) {
    const bool Result = TObjStringGrid::DoMouseWheelUp(Shift, MousePos);
    FocusBaseCell();
    return Result;
}

void TBaseGrid::TopLeftChanged() {
    TObjStringGrid::TopLeftChanged();
    if (FixedCols() > 0)
        for (Integer R = TopRow(); R <= std::min(TopRow() + VisibleRowCount(), RowCount() - 1); ++R)
            for (Integer C = 0; C < FixedCols(); ++C)
                if (IsMergedCell(C, R)) RepaintCell(C, R);
    if (FixedRows() > 0)
        for (Integer C = LeftCol(); C <= std::min(LeftCol() + VisibleColCount(), ColCount() - 1); ++C)
            for (Integer R = 0; R < FixedRows(); ++R)
                if (IsMergedCell(C, R)) RepaintCell(C, R);
}

void TBaseGrid::SetDefaultDrawing(bool Value) {
    FDefaultDrawing = Value;
    TObjStringGrid::SetDefaultDrawing(false);
}

void TBaseGrid::SetGridLineWidth(Integer Value) {
    FGridLineWidth = Value;
    TObjStringGrid::SetGridLineWidth(0);
    Invalidate();
}

namespace {
template <typename T>
bool Store(T& Field, T Value) {
    if (Field == Value) return false;
    Field = Value;
    return true;
}
} // namespace

void TBaseGrid::SetGridLineColor(TColor Value) {
    if (Store(FGridLineColor, Value)) Invalidate();
}
void TBaseGrid::SetGridFixedLineColor(TColor Value) {
    if (Store(FGridFixedLineColor, Value)) Invalidate();
}
void TBaseGrid::SetGridFixedLineWidth(Integer Value) {
    if (Store(FGridFixedLineWidth, Value)) Invalidate();
}
void TBaseGrid::SetSelectionStyle(TGridSelectionStyle Value) {
    if (Store(FSelectionStyle, Value)) Invalidate();
}
void TBaseGrid::SetActiveRowShow(bool Value) {
    if (Store(FActiveRowShow, Value)) Invalidate();
}
void TBaseGrid::SetActiveRowColor(TColor Value) {
    if (Store(FActiveRowColor, Value)) Invalidate();
}
void TBaseGrid::SetActiveRowColorTo(TColor Value) {
    if (Store(FActiveRowColorTo, Value)) Invalidate();
}
void TBaseGrid::SetActiveRowMirrorColor(TColor Value) {
    if (Store(FActiveRowMirrorColor, Value)) Invalidate();
}
void TBaseGrid::SetActiveRowMirrorColorTo(TColor Value) {
    if (Store(FActiveRowMirrorColorTo, Value)) Invalidate();
}

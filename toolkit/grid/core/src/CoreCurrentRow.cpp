// The current row and the top row, scrolling a cell into view, the hit
// tests (screen point to cell, sizing edges), the used cells, the save
// range, the cell font and the ignored columns. Everything here works on
// displayed indexes.

#include "grid/ZirOvararIzazCore.h"

#include "rtl/MathUtils.h"

#include <algorithm>
#include <cstdlib>

void TZirOvararIzazCore::SetRowEx(Integer Value) {
    if (Col() < 0 || Col() >= ColCount()) {
        FocusCell(FixedCols(), Value);
        if (Options().Contains(goRowSelect) && Value >= 0 && Value < RowCount())
            SetSelection(TGridRect{FixedCols(), Value, ColCount() - 1, Value});
    }
    if (Value < FixedRows()) Value = FixedRows();
    const bool Changed = Value != Row();
    TBaseGrid::SetRow(Value);
    FAutoEditCol = -1;
    FAutoEditRow = -1;
    if (Row() != FOldRowSel && OnRowUpdate) {
        const Integer Old = FOldRowSel;
        FOldRowSel = Row();
        OnRowUpdate(this, Old, Row());
    }
    if (FMouseActions->DisjunctRowSelect()) {
        const bool Blocked = FCellChangingBlocked;
        FCellChangingBlocked = true;
        try {
            SelectionToRowSelect(false);
        } catch (...) {
            FCellChangingBlocked = Blocked;
            throw;
        }
        FCellChangingBlocked = Blocked;
    }
    if (Changed && FSyncGrid->Grid() && FSyncGrid->SelectionRow()) {
        TStringGrid* Other = FSyncGrid->Grid();
        if (Row() < Other->RowCount()) {
            if (auto* Grid = dynamic_cast<TZirOvararIzazCore*>(Other)) {
                TNotifyEvent Click = std::move(Grid->OnClick);
                Grid->OnClick = nullptr;
                try {
                    Grid->SetRowEx(Row());
                } catch (...) {
                    Grid->OnClick = std::move(Click);
                    throw;
                }
                Grid->OnClick = std::move(Click);
            } else {
                Other->SetRow(Row());
            }
        }
    }
    FDisjunctSelection = Selection();
}

void TZirOvararIzazCore::SetTopRowEx(Integer Value) {
    if (Value >= FixedRows() && Value <= RowCount() - 1) TBaseGrid::SetTopRow(Value);
}

void TZirOvararIzazCore::UpdateEditMode() {
    if (Col() >= 0 && Row() >= 0 && Col() < ColCount() && Row() < RowCount()) (void)SelectCell(Col(), Row());
}

void TZirOvararIzazCore::ScrollInView(Integer ColIndex, Integer RowIndex, TScrollPosition Position) {
    if (ColIndex >= ColCount() || RowIndex >= RowCount()) return;
    Integer L = LeftCol(), T = TopRow();
    const Integer VC = VisibleColCount(), VR = VisibleRowCount();
    auto Place = [Position](Integer Index, Integer Visible, Integer Current) {
        switch (Position) {
        case spMiddle:
            return Index - Visible / 2;
        case spTrailing:
            return Index - Visible + 1;
        case spLeading:
            return Index;
        }
        return Current;
    };
    if (ColIndex < L || ColIndex >= L + VC) {
        if (IsSelectionHidden()) UnHideSelection();
        if (ColIndex >= FixedCols() && ColIndex < AllColCount()) SetCol(ColIndex);
        L = std::max(Place(ColIndex, VC, L), FixedCols());
    }
    if (RowIndex < T || RowIndex >= T + VR) {
        if (RowIndex >= FixedRows() && RowIndex < AllRowCount()) SetRowEx(RowIndex);
        T = std::max(Place(RowIndex, VR, T), FixedRows());
    }
    if (L > ColCount() - (VC - 1)) L = ColCount() - VC + 1;
    if (FixedCols() + VC < ColCount()) SetLeftCol(L);
    if (T > RowCount() - (VR - 1)) T = RowCount() - VR + 1;
    if (FixedRows() + VR >= RowCount()) return;
    if (!FSearchFooter->Visible() || FFloatingFooter->Visible()) {
        SetTopRowEx(T);
        return;
    }
    // The search footer covers the bottom of the client area: the row goes
    // up until its bottom edge shows above it.
    SetTopRowEx(T - 1);
    while (CellRect(0, RowIndex).Bottom > ClientHeight() && TopRow() < RowCount() - FixedRows() - FFixedFooters) {
        const Integer Before = TopRow();
        SetTopRowEx(Before + 1);
        if (TopRow() == Before) break;
    }
}

void TZirOvararIzazCore::ScreenToCell(TPoint pt, Integer& ACol, Integer& ARow) const {
    const TPoint P = ScreenToClient(pt);
    MouseToCell(P.X, P.Y, ACol, ARow);
}

bool TZirOvararIzazCore::IsOnSizingEdge(Integer X, Integer Y) {
    Integer ACol = -1, ARow = -1;
    MouseToCell(X, Y, ACol, ARow);
    if (ACol < 0 || ARow < 0) return false;
    const TRect R = CellRect(ACol, ARow);
    bool Result = false;
    if (ARow <= FixedRows() && Options().Contains(goColSizing))
        Result = std::abs(X - R.Left) < 4 || std::abs(X - R.Right) < 4;
    if (ACol <= FixedCols() && Options().Contains(goRowSizing))
        Result = std::abs(Y - R.Top) < 4 || std::abs(Y - R.Bottom) < 4;
    return Result;
}

TGridRect TZirOvararIzazCore::ReadUsedCells() {
    // Displayed column c is read at its real column.
    const Integer Cols = ColCount(), Rows = RowCount();
    std::vector<Integer> Real(size_t(std::max(Cols, 0)));
    for (Integer c = 0; c < Cols; ++c) Real[size_t(c)] = RealColIndex(c);
    Integer MinCol = Cols - 1, MinRow = Rows - 1, MaxCol = 0, MaxRow = 0;
    bool Any = false;
    for (Integer r = 0; r < Rows; ++r)
        for (Integer c = 0; c < Cols; ++c) {
            if (GridCells(Real[size_t(c)], r).empty()) continue;
            Any = true;
            MinCol = std::min(MinCol, c);
            MinRow = std::min(MinRow, r);
            MaxCol = std::max(MaxCol, c);
            MaxRow = std::max(MaxRow, r);
        }
    if (!Any) return TGridRect{0, 0, 0, 0};
    return TGridRect{MinCol, MinRow, MaxCol, MaxRow};
}

// ---- Save range ----

Integer TZirOvararIzazCore::SaveStartCol() const {
    return SaveFixedCells || SaveFixedCols ? 0 : FixedCols();
}

Integer TZirOvararIzazCore::SaveStartRow() const {
    return SaveFixedCells || SaveFixedRows ? 0 : FixedRows();
}

Integer TZirOvararIzazCore::SaveEndCol() const {
    return SaveFixedCells || SaveFixedCols ? ColCount() - 1 : ColCount() - FFixedRightCols - 1;
}

Integer TZirOvararIzazCore::SaveEndRow() const {
    return SaveFixedCells || SaveFixedRows ? RowCount() - 1 : RowCount() - FFixedFooters - 1;
}

Integer TZirOvararIzazCore::SaveColCount() const {
    return SaveFixedCells || SaveFixedCols ? ColCount() : ColCount() - FixedCols() - FFixedRightCols;
}

Integer TZirOvararIzazCore::SaveRowCount() const {
    return SaveFixedCells || SaveFixedRows ? RowCount() : RowCount() - FixedRows() - FFixedFooters;
}

// ---- Fonts and footers ----

void TZirOvararIzazCore::AssignCellFont(TFont* AFont, bool IsFixed, bool Scale) {
    if (!AFont) return;
    AFont->Assign(IsFixed && FUseFixedFont ? FFixedFont.get() : Font());
    if (Scale && FDPIScale != 0) AFont->SetHeight(Integer(Round(AFont->Height() / Double(FDPIScale))));
}

Integer TZirOvararIzazCore::GetSearchFooterHeight() {
    return Integer(Round(34 * std::max(Double(FDPIScale), 1.0)));
}

// Structure edits: inserting, removing and moving rows and columns, with the
// hidden rows, the parked cells of hidden rows, hidden columns, the row
// lists and the cell records kept in order.

#include "grid/ZirOvararIzazCore.h"
#include "rtl/StringUtils.h"

#include <algorithm>
#include <set>

namespace {

// A parked record goes as the grid's own records go: with the graphic the
// grid owns.
void FreeParkedRecord(TObject* Object) {
    auto* Props = static_cast<TCellProperties*>(Object);
    if (!Props) return;
    if (Props->GraphicOwned()) {
        TObject* Graphic = Props->GraphicObject();
        Props->SetGraphicObject(nullptr);
        Free(Graphic);
    }
    Free(Props);
}

} // namespace

// ---- Rows ----

void TZirOvararIzazCore::InsertRows(Integer RowIndex, Integer RCount, bool UpdateCellControls) {
    if (RCount <= 0 || RowIndex < 0) return;
    RowIndex = std::min(RowIndex, RowCount());
    if (FFloatingFooter->Visible() && RowIndex == RowCount()) RowIndex = RowCount() - 1;
    // Hidden rows at or after the insertion keep their place after it.
    if (NumHiddenRows() > 0) {
        const Integer From = RealRowIndex(RowIndex);
        for (Integer i = 0; i < NumHiddenRows(); ++i)
            if (HiddenItem(i)->Idx() >= From) HiddenItem(i)->SetIdx(HiddenItem(i)->Idx() + RCount);
        DiscardHiddenLookup();
    }
    InsertRowsCore(RowIndex, RCount, UpdateCellControls);
}

void TZirOvararIzazCore::AddRow() {
    InsertRows(RowCount(), 1);
}

void TZirOvararIzazCore::RemoveRows(Integer RowIndex, Integer RCount) {
    // Displayed rows are removed as they are: each maps to its own real row,
    // and the hidden (also filtered-out) rows between them stay.
    if (RowIndex < 0 || RowIndex >= RowCount() || RCount <= 0) return;
    RCount = std::min(RCount, RowCount() - RowIndex);
    if (ControlList()->Count() > 0) {
        const Integer Beyond = RealRowIndex(RowIndex + RCount);
        for (Integer i = 0; i < ControlList()->Count(); ++i)
            if (ControlList()->GetControl(i)->Y >= Beyond) ControlList()->GetControl(i)->Y -= RCount;
    }
    if (!RemoveRowsCore(RowIndex, RCount, true, true)) return;
    for (Integer k = 0; k < RCount; ++k) {
        if (FShowModified->Enabled() && RowIndex < FModifiedRows->Count()) FModifiedRows->Delete(RowIndex);
        if (FUseEnabledRows && RowIndex < FEnabledRows->Count()) FEnabledRows->Delete(RowIndex);
    }
    FMaxRowCount = std::max(FMaxRowCount - RCount, RowCount());
    if (Row() >= RowCount() - FFixedFooters && FixedRows() < RowCount() - FFixedFooters)
        SetRowEx(RowCount() - FFixedFooters - 1);
}

void TZirOvararIzazCore::RemoveRowsEx(Integer RowIndex, Integer RCount) {
    if (RowIndex < 0 || RowIndex >= RowCount() || RCount <= 0) return;
    // The rows' heights stay where they are: the rows below move up into
    // the heights of the rows they replace.
    std::vector<Integer> Heights;
    for (Integer r = RowIndex; r < RowCount(); ++r) Heights.push_back(RowHeights(r));
    const bool Deleting = !FHidingRows;
    if (!RemoveRowsCore(RowIndex, RCount, Deleting, Deleting)) return;
    for (Integer r = RowIndex; r < RowCount(); ++r) SetRowHeights(r, Heights[size_t(r - RowIndex)]);
    if (Deleting) FMaxRowCount = std::max(FMaxRowCount - RCount, RowCount());
}

void TZirOvararIzazCore::DeleteRows(Integer ARow, Integer ACount) {
    // Every real column's records go, hidden columns included.
    RemoveRowsCore(ARow, ACount, true, true);
}

void TZirOvararIzazCore::RemoveRowList(TIntList* RowList) {
    if (!RowList) return;
    std::vector<Integer> Rows;
    for (Integer i = 0; i < RowList->Count(); ++i) {
        const Integer d = RowList->Items(i);
        if (d >= 0 && d < RowCount() && (Rows.empty() || d > Rows.back())) Rows.push_back(d);
    }
    if (Rows.empty()) return;
    // The grid keeps one row: given every row, the first is emptied instead.
    if (Integer(Rows.size()) >= RowCount()) {
        ClearCellPropsRange(0, Rows.front(), TotalColCount() - 1, Rows.front());
        for (Integer c = 0; c < TotalColCount(); ++c) TStringGrid::SetCells(c, Rows.front(), String());
        Rows.erase(Rows.begin());
    }
    for (Integer d : Rows) ClearCellPropsRange(0, d, TotalColCount() - 1, d);
    CloseUpRows(Rows, true);
    if (Row() >= RowCount()) SetRowEx(RowCount() - 1);
    CellControlsUpdate(false);
    CellsChanged(Rect(0, Rows.front(), ColCount() - 1, RowCount()));
    Invalidate();
}

void TZirOvararIzazCore::RemoveDuplicates(Integer ACol, bool DoCase) {
    const Integer C = RealColIndex(ACol);
    std::set<String> Seen;
    TIntList Rows(0, 0);
    BeginUpdate();
    try {
        for (Integer r = FixedRows(); r < RowCount() - FFixedFooters; ++r) {
            const String Text = Cells(C, r);
            if (!Seen.insert(DoCase ? Text : UpperCase(Text)).second) Rows.Add(r);
        }
        RemoveRowList(&Rows);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TZirOvararIzazCore::MoveRows(Integer FromIndex, Integer ToIndex, Integer Count) {
    if (FromIndex == ToIndex || Count <= 0 || FromIndex < 0 || FromIndex >= RowCount()) return;
    Count = std::min(Count, RowCount() - FromIndex);
    // The block lands just before the row that stood at ToIndex when that
    // lies after it; otherwise at ToIndex counted without the block.
    Integer D = FromIndex + Count < ToIndex ? ToIndex - Count : ToIndex;
    D = std::clamp(D, 0, RowCount() - Count);
    if (D == FromIndex) return;
    RenumberHiddenForMove(FromIndex, Count, D);
    TStringGrid::MoveRowBlock(FromIndex, Count, D);
    ReownRows(std::min(FromIndex, D), std::max(FromIndex, D) + Count - 1);
    CellsChanged(Rect(0, std::min(FromIndex, D), ColCount() - 1, std::max(FromIndex, D) + Count));
    Invalidate();
}

// ---- Columns ----

void TZirOvararIzazCore::InsertCols(Integer ColIndex, Integer CCount) {
    if (CCount <= 0 || ColIndex < 0) return;
    const Integer All = ColCount() + FNumHidden;
    ColIndex = std::min(ColIndex, All);
    const Integer D = ColIndex >= All ? ColCount() : DisplColIndex(ColIndex);
    HideInplaceEdit();
    TStringGrid::InsertCellColumns(ColIndex, CCount);
    for (Integer i = 0; i < NumHiddenRows(); ++i) {
        TStringList* Items = HiddenItem(i)->Items();
        for (Integer k = 0; k < CCount && ColIndex <= Items->Count(); ++k) Items->InsertObject(ColIndex, String(), nullptr);
    }
    FVisibleCol.insert(FVisibleCol.begin() + std::min<size_t>(size_t(ColIndex), FVisibleCol.size()), size_t(CCount), true);
    FAllColWidths.insert(FAllColWidths.begin() + std::min<size_t>(size_t(ColIndex), FAllColWidths.size()), size_t(CCount), 0);
    std::vector<Integer> Widths;
    for (Integer c = 0; c < ColCount(); ++c) Widths.push_back(ColWidths(c));
    SetColCount(ColCount() + CCount);
    for (Integer c = D; c < ColCount(); ++c)
        SetColWidths(c, c < D + CCount ? DefaultColWidth() : Widths[size_t(c - CCount)]);
    ReownRows(0, RowCount() - 1);
    CellsChanged(Rect(D, 0, ColCount() - 1, RowCount() - 1));
    Invalidate();
}

void TZirOvararIzazCore::RemoveCols(Integer ColIndex, Integer CCount) {
    Integer All = ColCount() + FNumHidden;
    if (ColIndex < 0 || ColIndex >= All || CCount <= 0) return;
    CCount = std::min(CCount, All - ColIndex);
    auto ShownIn = [&](Integer N) {
        Integer Shown = 0;
        for (Integer c = ColIndex; c < ColIndex + N; ++c)
            if (VisibleCol(c)) ++Shown;
        return Shown;
    };
    // One displayed column stays.
    while (CCount > 0 && ShownIn(CCount) >= ColCount()) --CCount;
    if (CCount == 0) return;
    HideInplaceEdit();
    const Integer Shown = ShownIn(CCount);
    const Integer D = DisplColIndex(ColIndex);
    ClearCellPropsRange(ColIndex, 0, ColIndex + CCount - 1, RowCount() - 1);
    // The parked cells of hidden rows lose the same columns.
    for (Integer i = 0; i < NumHiddenRows(); ++i) {
        TStringList* Items = HiddenItem(i)->Items();
        for (Integer c = std::min(ColIndex + CCount, Items->Count()) - 1; c >= ColIndex; --c) {
            FreeParkedRecord(Items->Objects(c));
            Items->Delete(c);
        }
    }
    TStringGrid::DeleteCellColumns(ColIndex, CCount);
    std::vector<Integer> Widths;
    for (Integer c = 0; c < ColCount(); ++c) Widths.push_back(ColWidths(c));
    FNumHidden -= CCount - Shown;
    FVisibleCol.erase(FVisibleCol.begin() + ColIndex, FVisibleCol.begin() + ColIndex + CCount);
    FAllColWidths.erase(FAllColWidths.begin() + ColIndex, FAllColWidths.begin() + ColIndex + CCount);
    TBaseGrid::SetColCount(ColCount() - Shown);
    for (Integer c = D; c < ColCount(); ++c) SetColWidths(c, Widths[size_t(c + Shown)]);
    All = ColCount() + FNumHidden;
    FVisibleCol.resize(size_t(All), true);
    FAllColWidths.resize(size_t(All), 0);
    ReownRows(0, RowCount() - 1);
    CellsChanged(Rect(D, 0, ColCount() - 1, RowCount() - 1));
    Invalidate();
}

void TZirOvararIzazCore::RemoveCheckedRows(Integer CheckBoxColumn, bool RemoveChecked) {
    BeginUpdate();
    try {
        // Bottom-up, so that adjacent rows are all seen; a row without a
        // check box in the column has no state and is never removed.
        for (Integer r = RowCount() - 1; r >= FixedRows(); --r) {
            bool State = false;
            if (GetCheckBoxState(CheckBoxColumn, RealRowIndex(r), State) && State == RemoveChecked) RemoveRows(r, 1);
        }
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

// ---- Clearing, trimming, colouring ----

void TZirOvararIzazCore::ClearRect(Integer ACol1, Integer ARow1, Integer ACol2, Integer ARow2) {
    const bool Destroying = IsDestroying();
    const Integer LastRow = std::min(ARow2, RowCount() - 1);
    for (Integer r = std::max(ARow1, 0); r <= LastRow; ++r)
        for (Integer i = std::max(ACol1, 0); i <= ACol2; ++i) {
            const Integer c = FSaveHiddenCells ? RealColIndex(i) : i;
            if (c >= TotalColCount()) break;
            if (FOwnsObjects && HasCellProperties(c, r))
                if (TObject* Object = Objects(c, r)) {
                    SetObjects(c, r, nullptr);
                    Free(Object);
                }
            if (!FClearTextOnly && HasCellProperties(c, r)) {
                if (FNilObjects)
                    ClearCell(c, r);
                else
                    ClearCellProps(c, r);
            }
            if (!Destroying && !GridCells(c, r).empty()) {
                SetGridCells(c, r, String());
                if (c != i) RepaintCell(i, r);
            }
        }
    if (!FSaveHiddenCells && FNumHidden > 0) Invalidate();
    // The store holds no record any more only when every real column of
    // every row was cleared (a hidden column beyond the displayed ones keeps
    // its records, which must still be freed later).
    const bool AllColumns = FSaveHiddenCells ? FNumHidden == 0 && ACol2 >= ColCount() - 1 : ACol2 >= TotalColCount() - 1;
    if (ACol1 <= 0 && ARow1 <= 0 && AllColumns && ARow2 >= RowCount() - 1 && !FClearTextOnly && !FNilObjects)
        SetHasCellProps(false);
    if (!Destroying) CellsChanged(Rect(RealColIndex(ACol1), ARow1, RealColIndex(ACol2), ARow2));
}

void TZirOvararIzazCore::ClearRect(const TGridRect& ARect) {
    ClearRect(ARect.Left, ARect.Top, ARect.Right, ARect.Bottom);
}

void TZirOvararIzazCore::ClearRows(Integer RowIndex, Integer RCount) {
    if (RowCount() > 0 && ColCount() > 0 && RCount >= 1) ClearRect(0, RowIndex, AllColCount() - 1, RowIndex + RCount - 1);
}

void TZirOvararIzazCore::ClearCols(Integer ColIndex, Integer CCount) {
    if (RowCount() > 0 && ColCount() > 0 && CCount >= 1) ClearRect(ColIndex, 0, ColIndex + CCount - 1, RowCount() - 1);
}

void TZirOvararIzazCore::ClearNormalRows(Integer RowIndex, Integer RCount) {
    if (RowCount() > 0 && ColCount() > 0 && RCount >= 1)
        ClearRect(FixedCols(), RowIndex, AllColCount() - FFixedRightCols - 1, RowIndex + RCount - 1);
}

void TZirOvararIzazCore::ClearNormalCols(Integer ColIndex, Integer CCount) {
    if (RowCount() > 0 && ColCount() > 0 && CCount >= 1)
        ClearRect(ColIndex, FixedRows(), ColIndex + CCount - 1, RowCount() - FFixedFooters - 1);
}

void TZirOvararIzazCore::ClearNormalCells() {
    if (FixedCols() == 0 && FNodeCount > 0) RemoveAllNodes();
    if (RowCount() > 0 && ColCount() > 0)
        ClearRect(FixedCols(), FixedRows(), AllColCount() - FFixedRightCols - 1, RowCount() - FFixedFooters - 1);
}

void TZirOvararIzazCore::Clear() {
    if (FNodeCount > 0) {
        ExpandAll();
        if (!IsDestroying()) RemoveAllNodes();
    }
    if (RowCount() > 0 && ColCount() > 0) ClearRect(0, 0, AllColCount() - 1, RowCount() - 1);
    if (FNumHidden > 0) Invalidate();
}

void TZirOvararIzazCore::ClearAll() {
    if (IsDestroying()) return;
    if (FNodeCount > 0) {
        ExpandAll();
        RemoveAllNodes();
    }
    UnHideColumnsAll();
    UnHideRowsAll();
    if (RowCount() > 0 && ColCount() > 0)
        ClearRect(0, 0, std::max(FMaxColCount, AllColCount()) - 1, std::max(FMaxRowCount, RowCount()) - 1);
    for (Integer i = 0; i < NumHiddenRows(); ++i) {
        TStringList* Items = HiddenItem(i)->Items();
        for (Integer c = 0; c < Items->Count(); ++c) FreeParkedRecord(Items->Objects(c));
        Items->Clear();
    }
    if (FNumHidden > 0) Invalidate();
}

void TZirOvararIzazCore::TrimRect(Integer ACol1, Integer ARow1, Integer ACol2, Integer ARow2) {
    for (Integer r = std::max(ARow1, 0); r <= ARow2 && r < RowCount(); ++r)
        for (Integer i = std::max(ACol1, 0); i <= ACol2; ++i) {
            const Integer c = FSaveHiddenCells ? RealColIndex(i) : i;
            if (c >= TotalColCount()) break;
            // Blanks and control characters go at both ends.
            const String Text = Cells(c, r);
            size_t First = 0, Last = Text.size();
            while (First < Last && Text[First] <= u' ') ++First;
            while (Last > First && Text[Last - 1] <= u' ') --Last;
            if (First > 0 || Last < Text.size()) SetCells(c, r, Text.substr(First, Last - First));
        }
}

void TZirOvararIzazCore::ColorRect(Integer ACol1, Integer ARow1, Integer ACol2, Integer ARow2, TColor AColor) {
    for (Integer r = std::max(ARow1, 0); r <= ARow2 && r < RowCount(); ++r)
        for (Integer i = std::max(ACol1, 0); i <= ACol2; ++i) {
            const Integer c = FSaveHiddenCells ? RealColIndex(i) : i;
            if (c >= TotalColCount()) break;
            CellProperties(c, r)->SetBrushColor(AColor);
            if (!IsUpdating()) RepaintCell(DisplColIndex(c), r);
        }
}

// ---- Joining, merging and splitting ----

void TZirOvararIzazCore::MergeCols(Integer ColIndex1, Integer ColIndex2, const String& Separator) {
    if (ColIndex1 == ColIndex2) return;
    for (Integer r = FixedRows(); r < RowCount(); ++r) {
        const String Joined = Cells(ColIndex1, r) + Separator + Cells(ColIndex2, r);
        size_t First = 0, Last = Joined.size();
        while (First < Last && Joined[First] <= u' ') ++First;
        while (Last > First && Joined[Last - 1] <= u' ') --Last;
        SetCells(ColIndex1, r, Joined.substr(First, Last - First));
    }
    RemoveCols(ColIndex2, 1);
}

void TZirOvararIzazCore::MergeColumnCells(Integer ColIndex, bool MainMerge) {
    const Integer Last = RowCount() - FFixedFooters - 1;
    Integer A = FixedRows(), N = 1;
    for (Integer r = FixedRows() + 1; r <= Last; ++r) {
        if (Cells(ColIndex, r) == Cells(ColIndex, r - 1) && (MainMerge || RowSpanIdentical(r, r - 1))) {
            ++N;
            continue;
        }
        if (N > 1) MergeCells(ColIndex, A, 1, N);
        A = r;
        N = 1;
    }
    if (N > 1) MergeCells(ColIndex, A, 1, N);
}

void TZirOvararIzazCore::MergeRowCells(Integer RowIndex, bool MainMerge) {
    const Integer Last = ColCount() - FFixedRightCols - 1;
    Integer A = FixedCols(), N = 1;
    for (Integer c = FixedCols() + 1; c <= Last; ++c) {
        if (Cells(c, RowIndex) == Cells(c - 1, RowIndex) && (MainMerge || ColSpanIdentical(c, c - 1))) {
            ++N;
            continue;
        }
        if (N > 1) MergeCells(A, RowIndex, N, 1);
        A = c;
        N = 1;
    }
    if (N > 1) MergeCells(A, RowIndex, N, 1);
}

void TZirOvararIzazCore::SplitColumnCells(Integer ColIndex) {
    // The last normal row is walked too: a merge that starts there and
    // reaches into the footer rows is split like any other.
    for (Integer r = 0; r < RowCount() - FFixedFooters;) {
        if (IsYMergedCell(ColIndex, r)) {
            const Integer Span = CellSpan(ColIndex, r).Y;
            SplitCells(ColIndex, r);
            r += std::max(Span, 0) + 1;
        } else
            ++r;
    }
}

void TZirOvararIzazCore::SplitRowCells(Integer RowIndex) {
    for (Integer c = 0; c < ColCount() - FFixedRightCols;) {
        if (IsMergedCell(c, RowIndex) && CellSpan(c, RowIndex).X >= 0) {
            const Integer Span = CellSpan(c, RowIndex).X;
            SplitCells(c, RowIndex);
            c += Span + 1;
        } else
            ++c;
    }
}

void TZirOvararIzazCore::SplitAllCells() {
    for (Integer r = 0; r < RowCount(); ++r)
        for (Integer c = 0; c < ColCount(); ++c)
            if (IsMergedCell(c, r)) SplitCells(c, r);
}

// ---- Queries ----

bool TZirOvararIzazCore::IsWideCell(Integer ACol, Integer ARow) {
    return Cells(ACol, ARow).starts_with(u"|\\");
}

bool TZirOvararIzazCore::IsCell(const String& SubStr, Integer& ACol, Integer& ARow) {
    for (Integer r = 0; r < RowCount(); ++r)
        for (Integer c = 0; c < ColCount(); ++c)
            if (GridCells(c, r) == SubStr) {
                ACol = c;
                ARow = r;
                return true;
            }
    return false;
}

// Column order and column and row moves: a moved column takes its cells
// (the parked cells of hidden rows included), width, visibility, filter
// conditions, controls placed in cells and its column-order entry along; a
// moved row keeps the hidden rows' real indexes and the cell records in step.

#include "grid/ZirOvararIzazCore.h"

#include <algorithm>

namespace {

// Moves element From to To, the ones between closing up.
template <class T>
void Rotate(std::vector<T>& Items, Integer From, Integer To) {
    if (From < 0 || To < 0 || std::max(From, To) >= Integer(Items.size()) || From == To) return;
    auto First = Items.begin();
    if (From < To)
        std::rotate(First + From, First + From + 1, First + To + 1);
    else
        std::rotate(First + To, First + From, First + From + 1);
}

// Where an index tied to the moved item ends up.
Integer MovedIndex(Integer Index, Integer From, Integer To) {
    if (Index == From) return To;
    if (From < To && Index > From && Index <= To) return Index - 1;
    if (From > To && Index >= To && Index < From) return Index + 1;
    return Index;
}

} // namespace

// ---- Column moves ----

void TZirOvararIzazCore::MoveColumn(Integer FromIndex, Integer ToIndex) {
    if (FromIndex < 0 || ToIndex < 0 || FromIndex >= ColCount() || ToIndex >= ColCount() || FromIndex == ToIndex)
        return;
    const bool WasEnhanced = EnhRowColMove();
    SetEnhRowColMove(true);
    const bool Merged = FGroupColumn != -1 && (FGrouping->MergeHeader() || FGrouping->MergeSummary());
    try {
        if (FColumnOrder->Count() == 0) SetColumnOrder();
        if (Merged) SplitGroupRows();
        // Group captions stand in the first normal column and stay there.
        if (ToIndex == FixedCols() && FGroupColumn >= FixedCols())
            for (Integer r = FixedRows(); r < RowCount() - FFixedFooters; ++r)
                if (IsNode(r)) {
                    SetCells(FromIndex, r, Cells(ToIndex, r));
                    SetCells(ToIndex, r, String());
                }
        const Integer F = RealColIndex(FromIndex);
        const Integer T = RealColIndex(ToIndex);
        TStringGrid::MoveColumn(FromIndex, ToIndex);
        // Filter conditions name real columns.
        for (Integer i = 0; i < FFilter->Count(); ++i) {
            TFilterData* Data = FFilter->Items(i);
            Data->SetColumn(MovedIndex(Data->Column(), F, T));
        }
        if (FControlList->Count() > 0) {
            for (Integer i = 0; i < FControlList->Count(); ++i) {
                TControlItem* Item = FControlList->GetControl(i);
                Item->X = MovedIndex(Item->X, FromIndex, ToIndex);
            }
            CellControlsUpdate(false);
        }
        if (Merged) MergeGroupRows();
    } catch (...) {
        SetEnhRowColMove(WasEnhanced);
        throw;
    }
    SetEnhRowColMove(WasEnhanced);
}

void TZirOvararIzazCore::ColumnMoved(Integer FromIndex, Integer ToIndex) {
    // The platform grid has moved the displayed widths and the current
    // column; the cells live at real columns.
    const Integer F = RealColIndex(FromIndex);
    const Integer T = RealColIndex(ToIndex);
    if (F < FColumnOrder->Count() && T < FColumnOrder->Count()) FColumnOrder->Move(F, T);
    if (EnhRowColMove() && FSuppressColSizes->Count() > std::max(FromIndex, ToIndex))
        FSuppressColSizes->Move(FromIndex, ToIndex);
    if (FNumHidden > 0) {
        Rotate(FVisibleCol, F, T);
        Rotate(FAllColWidths, F, T);
    }
    const Integer All = AllColCount();
    for (Integer i = 0; i < NumHiddenRows(); ++i) {
        TStringList* Items = HiddenItem(i)->Items();
        if (Items->Count() <= std::min(F, T)) continue;
        while (Items->Count() < std::max({F, T, All - 1}) + 1) Items->Add(String());
        Items->Move(F, T);
    }
    if (FSortSettings->Column() >= 0) FSortSettings->SetColumn(MovedIndex(FSortSettings->Column(), F, T));
    TStringGrid::ColumnMoved(F, T);
    ReownRows(0, RowCount() - 1);
    CellsChanged(Rect(std::min(FromIndex, ToIndex), 0, std::max(FromIndex, ToIndex), RowCount() - 1));
}

// ---- Row moves ----

void TZirOvararIzazCore::RenumberHiddenForMove(Integer From, Integer Count, Integer D) {
    if (NumHiddenRows() == 0) return;
    // In the real space the block leaves its place and enters before the
    // real row of D: hidden rows renumber as for a removal, then an insert.
    for (Integer i = 0; i < NumHiddenRows(); ++i) {
        TGridItem* Item = HiddenItem(i);
        Item->SetIdx(Item->Idx() - std::clamp(Item->Idx() - i - From, 0, Count));
    }
    DiscardHiddenLookup();
    const Integer Start = RealRowIndex(D);
    for (Integer i = 0; i < NumHiddenRows(); ++i)
        if (HiddenItem(i)->Idx() >= Start) HiddenItem(i)->SetIdx(HiddenItem(i)->Idx() + Count);
    DiscardHiddenLookup();
}

void TZirOvararIzazCore::MoveRow(Integer FromIndex, Integer ToIndex) {
    if (FromIndex < 0 || ToIndex < 0 || FromIndex >= RowCount() || ToIndex >= RowCount() || FromIndex == ToIndex)
        return;
    TStringGrid::MoveRow(FromIndex, ToIndex);
    if (FControlList->Count() > 0) {
        for (Integer i = 0; i < FControlList->Count(); ++i) {
            TControlItem* Item = FControlList->GetControl(i);
            Item->Y = MovedIndex(Item->Y, FromIndex, ToIndex);
        }
        CellControlsUpdate(false);
    }
    if (FShowModified->Enabled()) {
        while (FModifiedRows->Count() < RowCount() + 1) FModifiedRows->Add(0);
        FModifiedRows->Move(FromIndex, ToIndex);
    }
}

void TZirOvararIzazCore::RowMoved(Integer FromIndex, Integer ToIndex) {
    RenumberHiddenForMove(FromIndex, 1, ToIndex);
    TStringGrid::RowMoved(FromIndex, ToIndex);
    ReownRows(std::min(FromIndex, ToIndex), std::max(FromIndex, ToIndex));
    CellsChanged(Rect(0, std::min(FromIndex, ToIndex), ColCount() - 1, std::max(FromIndex, ToIndex)));
}

// ---- Column order ----

void TZirOvararIzazCore::SetColumnOrder() {
    FColumnOrder->Clear();
    for (Integer c = 0; c < ColCount(); ++c) FColumnOrder->Add(c);
    FSuppressColSizes->Clear();
    for (Integer c = 0; c < ColCount(); ++c) FSuppressColSizes->Add(ColWidths(c));
}

void TZirOvararIzazCore::ResetColumnOrder() {
    UnHideColumnsAll();
    if (FColumnOrder->Count() == 0) {
        SetColumnOrder();
        return;
    }
    // Each move takes a column left to its initial position; the entries
    // follow through the column-moved handling.
    bool Moved = true;
    while (Moved) {
        Moved = false;
        for (Integer i = 0; i < ColCount() && i < FColumnOrder->Count(); ++i)
            if (FColumnOrder->Items(i) < i) {
                MoveColumn(i, FColumnOrder->Items(i));
                Moved = true;
            }
    }
}

Integer TZirOvararIzazCore::ColumnPosition(Integer ACol) const {
    if (FColumnOrder->Count() == 0) return ACol;
    Integer P = ACol;
    const Integer N = std::min(FColumnOrder->Count(), AllColCount());
    for (Integer i = 0; i < N; ++i)
        if (FColumnOrder->Items(i) == ACol) {
            P = i;
            break;
        }
    return FGroupColumn != -1 && ACol >= FGroupColumn ? P - 1 : P;
}

Integer TZirOvararIzazCore::ColumnAtPosition(Integer ACol) {
    if (FColumnOrder->Count() == 0) SetColumnOrder();
    if (FColumnOrder->Count() == 0 || ACol < 0 || ACol >= FColumnOrder->Count()) return ACol;
    const Integer A = FColumnOrder->Items(ACol);
    return FGroupColumn != -1 && A >= FGroupColumn ? A + 1 : A;
}

Integer TZirOvararIzazCore::ColumnByHeader(const String& AValue) {
    for (Integer c = 0; c < TotalColCount(); ++c)
        if (AllCells(c, 0) == AValue) return c;
    return -1;
}

// ---- Group rows ----

void TZirOvararIzazCore::MergeGroupRows() {
    for (Integer r = FixedRows(); r < RowCount(); ++r)
        if ((IsNode(r) && FGrouping->MergeHeader()) || (!IsNode(r) && IsSummary(r) && FGrouping->MergeSummary()))
            MergeCells(FixedCols(), r, ColCount() - FixedCols(), 1);
}

void TZirOvararIzazCore::SplitGroupRows() {
    for (Integer r = FixedRows(); r < RowCount(); ++r)
        if ((IsNode(r) && FGrouping->MergeHeader()) || (IsSummary(r) && FGrouping->MergeSummary())) SplitRowCells(r);
}

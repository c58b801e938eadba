// Columns and rows sized to their contents, the columns spread over the
// control, the control sized to its cells, numbering, the exchange of two
// columns or rows (and the sort's row exchange), and the selection of a
// rectangle of cells with its text.

#include "grid/ZirOvararIzazCore.h"

#include <algorithm>
#include <utility>

// ---- Row exchange of the sort ----

void TZirOvararIzazCore::SwapListEntries(TIntList* List, Integer A, Integer B, Integer Fill) {
    if (A < 0 || B < 0 || A == B) return;
    while (List->Count() <= std::max(A, B)) List->Add(Fill);
    const Integer Value = List->Items(A);
    List->SetItems(A, List->Items(B));
    List->SetItems(B, Value);
}

void TZirOvararIzazCore::SortSwapRows(Integer ARow1, Integer ARow2) {
    ++FSwaps;
    const Integer XRefs = FSortRowXRef->Count();
    if (ARow1 >= 0 && ARow2 >= 0 && ARow1 < XRefs && ARow2 < XRefs) SwapListEntries(FSortRowXRef.get(), ARow1, ARow2, 0);
    if (ARow1 == ARow2 || ARow1 < 0 || ARow2 < 0) return;

    if (FSortSettings->SingleColumn()) {
        // One cell per row changes places; the rows' flags, heights and
        // SortRow stay where they are (the enabled flags belong to the row,
        // not to the one cell that moved).
        Integer C = FSortSettings->Column();
        if (FSortSettings->IndexShow() && C < 0 && FSortIndexes->Count() > 0) C = FSortIndexes->SortColumns(0);
        if (C < 0) return;
        const String Text1 = TStringGrid::Cells(C, ARow1);
        TObject* Object1 = TStringGrid::Objects(C, ARow1);
        TStringGrid::SetCells(C, ARow1, TStringGrid::Cells(C, ARow2));
        TStringGrid::SetObjects(C, ARow1, TStringGrid::Objects(C, ARow2));
        TStringGrid::SetCells(C, ARow2, Text1);
        TStringGrid::SetObjects(C, ARow2, Object1);
        for (const Integer r : {ARow1, ARow2})
            if (auto* Props = static_cast<TCellProperties*>(TStringGrid::Objects(C, r))) {
                Props->SetOwnerCol(C);
                Props->SetOwnerRow(r);
            }
        return;
    }

    if (FEnabledRowsInUse) SwapListEntries(FEnabledRows.get(), ARow1, ARow2, 0);
    if (ARow1 >= RowCount() || ARow2 >= RowCount()) return;

    // The two rows change places in the row store: their cells (every
    // column, hidden ones too) and heights move as whole rows.
    const Integer First = std::min(ARow1, ARow2);
    const Integer Last = std::max(ARow1, ARow2);
    std::vector<Integer> Order(size_t(Last - First + 1));
    for (Integer i = 0; i < Integer(Order.size()); ++i) Order[size_t(i)] = i;
    std::swap(Order.front(), Order.back());
    TStringGrid::PermuteRows(First, Order);
    ReownRows(First, First);
    ReownRows(Last, Last);

    if (FMouseActions->DisjunctRowSelect() && FNavigation->Settings().MoveRowOnSort) {
        const Integer S1 = NumHiddenRows() > 0 ? RealRowIndex(ARow1) : ARow1;
        const Integer S2 = NumHiddenRows() > 0 ? RealRowIndex(ARow2) : ARow2;
        const bool Sel1 = RowSelectEntry(S1);
        const bool Sel2 = RowSelectEntry(S2);
        FRowSelectFlags[size_t(S1)] = Sel2;
        FRowSelectFlags[size_t(S2)] = Sel1;
    }
    if (FShowModified->Enabled()) SwapListEntries(FModifiedRows.get(), ARow1, ARow2, 0);
    if (FSortRow == ARow1)
        FSortRow = ARow2;
    else if (FSortRow == ARow2)
        FSortRow = ARow1;
}

// Hidden and suppressed rows and columns: the hidden-row store, the index
// maps between the displayed and the real spaces, hidden columns,
// suppression, and the two display-row steps on which hiding, showing,
// inserting and removing rows stand.
//
// The store is kept in ascending real index, so every map is a binary
// search over the sorted indexes (FHiddenLookup) and never walks the rows.
// Whole rows move through the platform grid's block operations: a row's
// texts, records and height move as one unit, in one shift.

#include "grid/ZirOvararIzazCore.h"

#include <algorithm>

// ---- The store and its lookup ----

const std::vector<Integer>& TZirOvararIzazCore::HiddenLookup() const {
    if (!FHiddenLookupValid) {
        FHiddenLookup.clear();
        const Integer N = NumHiddenRows();
        FHiddenLookup.reserve(size_t(N));
        for (Integer i = 0; i < N; ++i) FHiddenLookup.push_back(HiddenItem(i)->Idx());
        FHiddenLookupValid = true;
    }
    return FHiddenLookup;
}

Integer TZirOvararIzazCore::HiddenInsertPos(Integer Idx) const {
    const auto& H = HiddenLookup();
    return Integer(std::lower_bound(H.begin(), H.end(), Idx) - H.begin());
}

bool TZirOvararIzazCore::IsHiddenRow(Integer RowIndex) const {
    const auto& H = HiddenLookup();
    return std::binary_search(H.begin(), H.end(), RowIndex);
}

Integer TZirOvararIzazCore::RealRowIndex(Integer ARow) const {
    if (NumHiddenRows() == 0 || ARow < 0) return ARow;
    // The i-th hidden row (ascending) has H[i] - i displayed rows before it;
    // every hidden row with at most ARow displayed rows before it lies before
    // the answer. H[i] - i never falls, so a binary search counts them.
    const auto& H = HiddenLookup();
    Integer Lo = 0, Hi = Integer(H.size());
    while (Lo < Hi) {
        const Integer Mid = (Lo + Hi) / 2;
        if (H[size_t(Mid)] - Mid <= ARow)
            Lo = Mid + 1;
        else
            Hi = Mid;
    }
    return ARow + Lo;
}

Integer TZirOvararIzazCore::DisplRowIndex(Integer ARow) const {
    if (NumHiddenRows() == 0) return ARow;
    const auto& H = HiddenLookup();
    return ARow - Integer(std::lower_bound(H.begin(), H.end(), ARow) - H.begin());
}

void TZirOvararIzazCore::ReownRows(Integer FromRow, Integer ToRow) {
    if (!HasCellProps()) return;
    FromRow = std::max(FromRow, 0);
    ToRow = std::min(ToRow, RowCount() - 1);
    const Integer Cols = TotalColCount();
    for (Integer r = FromRow; r <= ToRow; ++r)
        for (Integer c = 0; c < Cols; ++c)
            if (auto* Props = static_cast<TCellProperties*>(TStringGrid::Objects(c, r))) {
                Props->SetOwnerCol(c);
                Props->SetOwnerRow(r);
            }
}

void TZirOvararIzazCore::BeforeRowCountBlock(Integer NewCount) {
    if (OnRowCountChange && NewCount != RowCount()) OnRowCountChange(this, RowCount(), NewCount);
}

void TZirOvararIzazCore::AfterRowCountBlock() {
    for (Integer r = FSuppressRowSizes->Count(); r < RowCount(); ++r) FSuppressRowSizes->Add(RowHeights(r));
    FMaxRowCount = std::max(FMaxRowCount, RowCount());
    SetNormalRowCount(RowCount());
    ApplyScrollBarAlways(false);
}

void TZirOvararIzazCore::ParkRow(Integer D, Integer Idx, Integer Level, bool TakeTexts) {
    const Integer Pos = HiddenInsertPos(Idx);
    auto* Item = static_cast<TGridItem*>(FHiddenRows->Insert(Pos));
    Item->SetIdx(Idx);
    Item->SetLevel(Level);
    Item->SetHeight(RowHeights(D));
    TStringList* Items = Item->Items();
    const Integer Cols = TotalColCount();
    Items->SetCapacity(Cols);
    for (Integer c = 0; c < Cols; ++c) {
        Items->AddObjectMoved(TakeTexts ? TakeCellText(c, D) : TStringGrid::Cells(c, D), TStringGrid::Objects(c, D));
        TStringGrid::SetObjects(c, D, nullptr);
    }
    // The lookup stays valid with the new index in its place, so that
    // parking many rows in a row never rebuilds it once per row.
    if (FHiddenLookupValid && Integer(FHiddenLookup.size()) == NumHiddenRows() - 1)
        FHiddenLookup.insert(FHiddenLookup.begin() + Pos, Idx);
    else
        DiscardHiddenLookup();
}

void TZirOvararIzazCore::RestoreEntries(const std::vector<Integer>& Positions) {
    if (Positions.empty()) return;
    const Integer N = RowCount();
    const Integer K = Integer(Positions.size());
    // The real index of every displayed row, walked once beside the lookup.
    const std::vector<Integer> H = HiddenLookup();
    std::vector<Integer> Restored; // real indexes of the entries, ascending
    Restored.reserve(size_t(K));
    for (Integer p : Positions) Restored.push_back(HiddenItem(p)->Idx());

    // Restoring texts marks no row modified: ShowModified is off meanwhile.
    const bool ShowModifiedOn = FShowModified->Enabled();
    FShowModified->SetEnabled(false);
    // The entries come back as new rows after the last one, then one
    // permutation puts every row at its place in real order.
    BeforeRowCountBlock(N + K);
    const Integer OldFooter = FFloatingFooter->Visible() ? 1 : 0;
    TStringGrid::InsertRowBlock(N, K);
    for (Integer i = 0; i < K; ++i) {
        TGridItem* Item = HiddenItem(Positions[size_t(i)]);
        TStringList* Items = Item->Items();
        for (Integer c = 0; c < Items->Count(); ++c) {
            TStringGrid::SetCells(c, N + i, Items->Strings(c));
            TStringGrid::SetObjects(c, N + i, Items->Objects(c));
        }
        TStringGrid::SetRowHeights(N + i, Item->Height());
    }
    for (Integer i = K - 1; i >= 0; --i) FHiddenRows->Delete(Positions[size_t(i)]);
    DiscardHiddenLookup();

    // Merge: displayed row d has real index d + (hidden rows before it).
    // A floating footer row stays the last row.
    const Integer Body = N - OldFooter;
    std::vector<Integer> Order;
    Order.reserve(size_t(N + K));
    size_t h = 0, e = 0;
    Integer First = -1;
    for (Integer d = 0; d < Body; ++d) {
        while (h < H.size() && H[h] - Integer(h) <= d) ++h;
        const Integer Real = d + Integer(h);
        while (e < Restored.size() && Restored[e] < Real) {
            if (First < 0) First = Integer(Order.size());
            Order.push_back(N + Integer(e++));
        }
        Order.push_back(d);
    }
    while (e < Restored.size()) {
        if (First < 0) First = Integer(Order.size());
        Order.push_back(N + Integer(e++));
    }
    for (Integer d = Body; d < N; ++d) Order.push_back(d);
    if (First >= 0) {
        std::vector<Integer> Tail;
        Tail.reserve(Order.size() - size_t(First));
        for (size_t i = size_t(First); i < Order.size(); ++i) Tail.push_back(Order[i] - First);
        TStringGrid::PermuteRows(First, Tail);
        ReownRows(First, RowCount() - 1);
    }
    AfterRowCountBlock();
    FShowModified->SetEnabled(ShowModifiedOn);
    // The controls of the rows shown again cover their cells (one pixel less
    // high) and show.
    for (Integer i = 0; i < ControlList()->Count(); ++i) {
        TControlItem* Item = ControlList()->GetControl(i);
        if (!Item->Control() || !std::binary_search(Restored.begin(), Restored.end(), Item->Y)) continue;
        const TRect R = CellRect(DisplColIndex(Item->X), DisplRowIndex(Item->Y));
        if (!R.IsEmpty()) Item->Control()->SetBounds(R.Left, R.Top, R.Width(), R.Height() - 1);
        Item->Control()->SetVisible(true);
    }
    CellControlsUpdate(false);
}

void TZirOvararIzazCore::CloseUpRows(const std::vector<Integer>& Rows, bool Renumber) {
    if (Rows.empty()) return;
    const Integer N = RowCount();
    const Integer K = Integer(Rows.size());
    if (Renumber && NumHiddenRows() > 0) {
        // A hidden row loses one real index per removed row before it.
        for (Integer i = 0; i < NumHiddenRows(); ++i) {
            TGridItem* Item = HiddenItem(i);
            const Integer Before = Integer(std::lower_bound(Rows.begin(), Rows.end(), Item->Idx() - i) - Rows.begin());
            Item->SetIdx(Item->Idx() - Before);
        }
        DiscardHiddenLookup();
    }
    const Integer First = Rows.front();
    std::vector<Integer> Order;
    Order.reserve(size_t(N - First));
    size_t k = 0;
    for (Integer d = First; d < N; ++d)
        if (k < Rows.size() && Rows[k] == d)
            ++k;
        else
            Order.push_back(d - First);
    for (Integer d : Rows) Order.push_back(d - First);
    BeforeRowCountBlock(N - K);
    TStringGrid::PermuteRows(First, Order);
    TStringGrid::DeleteRowBlock(N - K, K);
    ReownRows(First, RowCount() - 1);
    AfterRowCountBlock();
}

void TZirOvararIzazCore::UnparkRows(Integer D, const std::vector<Integer>& Idx) {
    for (size_t i = 0; i < Idx.size(); ++i) {
        const Integer Pos = HiddenInsertPos(Idx[i]);
        TStringList* Items = HiddenItem(Pos)->Items();
        for (Integer c = 0; c < Items->Count(); ++c) TStringGrid::SetObjects(c, D + Integer(i), Items->Objects(c));
        FHiddenRows->Delete(Pos);
        DiscardHiddenLookup();
    }
}

// ---- Hiding and showing rows ----

void TZirOvararIzazCore::HideRows(Integer FromRow, Integer ToRow) {
    FromRow = std::max(FromRow, 0);
    ToRow = std::min(ToRow, TotalRowCount() - 1);
    if (ToRow < FromRow) return;
    // The shown rows of the range lie together in the displayed space.
    const Integer D = DisplRowIndex(FromRow);
    std::vector<Integer> Shown;
    for (Integer r = FromRow; r <= ToRow; ++r)
        if (!IsHiddenRow(r)) Shown.push_back(r);
    // At least one row stays displayed.
    if (Integer(Shown.size()) >= RowCount()) Shown.resize(size_t(RowCount() - 1));
    if (Shown.empty()) return;
    HideInplaceEdit();
    for (Integer i = 0; i < Integer(Shown.size()); ++i) ParkRow(D + i, Shown[size_t(i)], HiddenByHideRows);
    if (!RemoveRowsCore(D, Integer(Shown.size()), false))
        UnparkRows(D, Shown);
    else
        // A control placed in a hidden row does not float over another one.
        for (Integer i = 0; i < ControlList()->Count(); ++i) {
            TControlItem* Item = ControlList()->GetControl(i);
            if (Item->Control() && std::binary_search(Shown.begin(), Shown.end(), Item->Y))
                Item->Control()->SetVisible(false);
        }
    CellControlsUpdate(false);
}

void TZirOvararIzazCore::HideRowsEx(Integer FromRow, Integer ToRow) {
    FromRow = std::max(FromRow, 0);
    ToRow = std::min(ToRow, TotalRowCount() - 1);
    if (ToRow < FromRow || IsHiddenRow(FromRow)) return;
    const Integer D = DisplRowIndex(FromRow);
    Integer Count = 0;
    // The range holds no hidden row (the caller's promise), else it stops
    // at the first one; one row stays displayed.
    while (FromRow + Count <= ToRow && !IsHiddenRow(FromRow + Count) && D + Count < RowCount() &&
           Count < RowCount() - 1) {
        ParkRow(D + Count, FromRow + Count, HiddenByHideRows);
        ++Count;
    }
    if (Count == 0) return;
    const Integer Before = RowCount();
    FHidingRows = true;
    try {
        RemoveRowsEx(D, Count);
        if (RowCount() == Before) {
            std::vector<Integer> Parked;
            for (Integer i = 0; i < Count; ++i) Parked.push_back(FromRow + i);
            UnparkRows(D, Parked);
        }
    } catch (...) {
        FHidingRows = false;
        throw;
    }
    FHidingRows = false;
    DiscardHiddenLookup();
    CellControlsUpdate(false);
}

void TZirOvararIzazCore::HideRowList(TIntList* RowList) {
    if (!RowList) return;
    if (FFilterType == ftSuppress) {
        for (Integer i = 0; i < RowList->Count(); ++i) SuppressRow(RowList->Items(i));
        CellControlsUpdate(false);
        return;
    }
    std::vector<Integer> Rows;
    for (Integer i = 0; i < RowList->Count(); ++i) {
        const Integer d = RowList->Items(i);
        if (d >= 0 && d < RowCount() && (Rows.empty() || d > Rows.back())) Rows.push_back(d);
    }
    // Given every row, the first listed row stays shown.
    if (!Rows.empty() && Integer(Rows.size()) >= RowCount()) Rows.erase(Rows.begin());
    const Integer Level = FFilterLevel;
    ++FFilterLevel;
    if (Rows.empty()) return;
    HideInplaceEdit();
    // Real indexes before any row leaves, so that each entry keeps its own.
    std::vector<Integer> Reals;
    for (Integer d : Rows) Reals.push_back(RealRowIndex(d));
    // The parked rows leave in the close-up right after, so their texts move.
    for (size_t i = 0; i < Rows.size(); ++i) ParkRow(Rows[i], Reals[i], Level, true);
    CloseUpRows(Rows, false);
    if (Row() >= RowCount()) SetRowEx(RowCount() - 1);
    CellControlsUpdate(false);
    Invalidate();
}

void TZirOvararIzazCore::UnHideRows(Integer FromRow, Integer ToRow) {
    if (!IsHiddenRow(FromRow)) return;
    const Integer First = HiddenInsertPos(FromRow);
    const Integer Last = HiddenInsertPos(ToRow + 1);
    std::vector<Integer> Positions;
    for (Integer p = First; p < Last; ++p) Positions.push_back(p);
    RestoreEntries(Positions);
    Invalidate();
}

void TZirOvararIzazCore::UnHideRowsAll() {
    std::vector<Integer> Positions;
    for (Integer p = 0; p < NumHiddenRows(); ++p) Positions.push_back(p);
    RestoreEntries(Positions);
    Invalidate();
}

void TZirOvararIzazCore::UnHideRowList() {
    if (FFilterLevel < 1) return;
    const Integer Level = FFilterLevel - 1;
    std::vector<Integer> Positions;
    for (Integer p = 0; p < NumHiddenRows(); ++p)
        if (HiddenItem(p)->Level() == Level) Positions.push_back(p);
    RestoreEntries(Positions);
    Invalidate();
}

// ---- Display-row steps ----

bool TZirOvararIzazCore::RemoveRowsCore(Integer RowIndex, Integer RCount, bool Renumber, bool FreeRecords) {
    if (RowIndex < 0 || RowIndex >= RowCount() || RCount <= 0) return false;
    RCount = std::min(RCount, RowCount() - RowIndex);
    // The platform grid keeps one row: removing every row leaves the first
    // one, emptied.
    bool EmptyLast = false;
    if (RCount >= RowCount()) {
        RCount = RowCount() - 1;
        ++RowIndex;
        EmptyLast = true;
    }
    const Integer OldRow = Row(), OldTop = TopRow();
    if (OldRow == RowCount() - 1 && OnRowChanging && !FIsGrouping) {
        bool Allow = true;
        OnRowChanging(this, OldRow, OldRow - RCount, Allow);
        if (!Allow) return false;
    }
    // Restoring the current row must not select rows of the disjunct
    // selection.
    bool& Disjunct = FMouseActions->PlainSettings().DisjunctRowSelect;
    const bool OldDisjunct = Disjunct;
    Disjunct = false;
    BeginUpdate();
    try {
        if (Renumber && NumHiddenRows() > 0) {
            // A hidden row after the block loses the removed rows before it.
            for (Integer i = 0; i < NumHiddenRows(); ++i) {
                TGridItem* Item = HiddenItem(i);
                const Integer Before = std::clamp(Item->Idx() - i - RowIndex, 0, RCount);
                Item->SetIdx(Item->Idx() - Before);
            }
            DiscardHiddenLookup();
        }
        // The node objects of the removed (or emptied) rows go with their
        // records, and so leave the node count.
        if (FNodeCount > 0) {
            if (FreeRecords)
                for (Integer r = RowIndex; r < RowIndex + RCount; ++r)
                    if (IsNode(r)) --FNodeCount;
            if (EmptyLast && IsNode(0)) --FNodeCount;
            FNodeCount = std::max<Integer>(FNodeCount, 0);
        }
        if (FreeRecords && RCount > 0) ClearCellPropsRange(0, RowIndex, TotalColCount() - 1, RowIndex + RCount - 1);
        if (EmptyLast) {
            ClearCellPropsRange(0, 0, TotalColCount() - 1, 0);
            for (Integer c = 0; c < TotalColCount(); ++c) TStringGrid::SetCells(c, 0, String());
        }
        if (RCount > 0) {
            BeforeRowCountBlock(RowCount() - RCount);
            TStringGrid::DeleteRowBlock(RowIndex, RCount);
            ReownRows(RowIndex, RowCount() - 1);
            AfterRowCountBlock();
        }
        if (OldRow >= FixedRows() && OldRow < RowCount()) {
            SetRowEx(OldRow);
            SetTopRow(std::min(OldTop, RowCount() - 1));
        } else if (FixedRows() < RowCount()) {
            SetRowEx(RowCount() - 1);
        }
    } catch (...) {
        Disjunct = OldDisjunct;
        EndUpdate();
        throw;
    }
    Disjunct = OldDisjunct;
    EndUpdate();
    CellsChanged(Rect(0, RowIndex, ColCount() - 1, RowIndex + RCount));
    if (ControlList()->Count() > 0) CellControlsUpdate(false);
    return true;
}

void TZirOvararIzazCore::InsertRowsCore(Integer RowIndex, Integer RCount, bool UpdateCellControls) {
    if (RCount <= 0) return;
    RowIndex = std::clamp(RowIndex, 0, RowCount());
    // A floating footer stays the last row.
    if (FFloatingFooter->Visible() && RowIndex == RowCount()) RowIndex = RowCount() - 1;
    const Integer OldLeft = LeftCol();
    BeforeRowCountBlock(RowCount() + RCount);
    TStringGrid::InsertRowBlock(RowIndex, RCount);
    ReownRows(RowIndex + RCount, RowCount() - 1);
    AfterRowCountBlock();
    if (FNavigation->Settings().KeepHorizScroll) SetLeftCol(OldLeft);
    if (FShowModified->Enabled() && RowIndex < FModifiedRows->Count())
        for (Integer i = 0; i < RCount; ++i) FModifiedRows->Insert(RowIndex, 0);
    if (FUseEnabledRows && RowIndex < FEnabledRows->Count())
        for (Integer i = 0; i < RCount; ++i) FEnabledRows->Insert(RowIndex, 0);
    if (UpdateCellControls && ControlList()->Count() > 0) {
        const Integer From = RealRowIndex(RowIndex);
        for (Integer i = 0; i < ControlList()->Count(); ++i)
            if (ControlList()->GetControl(i)->Y >= From) ControlList()->GetControl(i)->Y += RCount;
        CellControlsUpdate(false);
    }
    if (!IsDestroying()) CellsChanged(Rect(0, RowIndex, ColCount() - 1, RowIndex + RCount));
}

// ---- Hidden columns ----

Integer TZirOvararIzazCore::RealColIndex(Integer ACol) const {
    const Integer All = ColCount() + FNumHidden;
    if (FNumHidden == 0 || ACol < 0 || ACol >= All) return ACol;
    Integer Shown = 0;
    for (Integer j = 0; j < All; ++j) {
        if (!VisibleCol(j)) continue;
        if (Shown == ACol) return j;
        ++Shown;
    }
    return ACol;
}

Integer TZirOvararIzazCore::DisplColIndex(Integer ACol) const {
    const Integer All = ColCount() + FNumHidden;
    if (FNumHidden == 0 || ACol < 0 || ACol >= All) return ACol;
    Integer Result = ACol;
    for (Integer j = 0; j < ACol; ++j)
        if (!VisibleCol(j)) --Result;
    return Result;
}

bool TZirOvararIzazCore::VisibleCol(Integer Index) const {
    return Index < 0 || Index >= Integer(FVisibleCol.size()) || FVisibleCol[size_t(Index)];
}

void TZirOvararIzazCore::SetVisibleCol(Integer Index, bool Value) {
    if (Index >= 0 && Index < Integer(FVisibleCol.size())) FVisibleCol[size_t(Index)] = Value;
}

bool TZirOvararIzazCore::IsHiddenColumn(Integer ColIndex) const {
    return ColIndex >= 0 && ColIndex < ColCount() + FNumHidden && !VisibleCol(ColIndex);
}

void TZirOvararIzazCore::HideColumns(Integer FromCol, Integer ToCol) {
    HideInplaceEdit();
    for (Integer c = std::max(FromCol, 0); c <= ToCol; ++c) {
        if (c >= ColCount() + FNumHidden || !VisibleCol(c) || ColCount() < 2) continue;
        const Integer D = DisplColIndex(c);
        FAllColWidths[size_t(c)] = Integer(uint16_t(ColWidths(D)));
        for (Integer j = D; j < ColCount() - 1; ++j) SetColWidths(j, ColWidths(j + 1));
        ++FNumHidden;
        FVisibleCol[size_t(c)] = false;
        if (Col() == ColCount() - 1 && Col() > 0) SetCol(Col() - 1);
        TBaseGrid::SetColCount(ColCount() - 1);
    }
    Invalidate();
}

void TZirOvararIzazCore::UnHideColumns(Integer FromCol, Integer ToCol) {
    HideInplaceEdit();
    if (IsDestroying()) return;
    for (Integer c = std::max(FromCol, 0); c <= ToCol && c < ColCount() + FNumHidden; ++c) {
        if (VisibleCol(c)) continue;
        --FNumHidden;
        FVisibleCol[size_t(c)] = true;
        TBaseGrid::SetColCount(ColCount() + 1);
        const Integer D = DisplColIndex(c);
        for (Integer j = ColCount() - 1; j > D; --j) SetColWidths(j, ColWidths(j - 1));
        SetColWidths(D, FAllColWidths[size_t(c)]);
    }
    Invalidate();
}

// ---- Suppressed rows and columns ----

void TZirOvararIzazCore::SuppressRow(Integer RowIndex) {
    if (RowIndex < 0 || RowIndex >= RowCount() || RowHeights(RowIndex) <= 0) return;
    while (FSuppressRowSizes->Count() <= RowIndex) FSuppressRowSizes->Add(DefaultRowHeight());
    FSuppressRowSizes->SetItems(RowIndex, RowHeights(RowIndex));
    SetRowHeights(RowIndex, 0);
}

void TZirOvararIzazCore::SuppressRows(Integer FromRow, Integer ToRow) {
    for (Integer r = FromRow; r <= ToRow; ++r) SuppressRow(r);
}

void TZirOvararIzazCore::UnSuppressRow(Integer RowIndex) {
    if (RowIndex < 0 || RowIndex >= RowCount() || RowIndex >= FSuppressRowSizes->Count()) return;
    SetRowHeights(RowIndex, FSuppressRowSizes->Items(RowIndex));
}

void TZirOvararIzazCore::UnSuppressRows(Integer FromRow, Integer ToRow) {
    for (Integer r = FromRow; r <= ToRow; ++r) UnSuppressRow(r);
}

void TZirOvararIzazCore::UnSuppressAllRows() {
    for (Integer r = 0; r < RowCount() && r < FSuppressRowSizes->Count(); ++r)
        if (RowHeights(r) == 0 && FSuppressRowSizes->Items(r) > 0) SetRowHeights(r, FSuppressRowSizes->Items(r));
    FSuppressRowSizes->Clear();
    for (Integer r = 0; r < RowCount(); ++r) FSuppressRowSizes->Add(RowHeights(r));
}

Integer TZirOvararIzazCore::NumSuppressedRows() const {
    Integer Count = 0;
    for (Integer r = 0; r < RowCount(); ++r)
        if (RowHeights(r) == 0) ++Count;
    return Count;
}

void TZirOvararIzazCore::SuppressColumn(Integer ColIndex) {
    if (ColIndex < 0 || ColIndex >= ColCount() || ColWidths(ColIndex) <= 0) return;
    while (FSuppressColSizes->Count() <= ColIndex) FSuppressColSizes->Add(DefaultColWidth());
    FSuppressColSizes->SetItems(ColIndex, ColWidths(ColIndex));
    SetColWidths(ColIndex, 0);
}

void TZirOvararIzazCore::UnSuppressColumn(Integer ColIndex) {
    if (ColIndex < 0 || ColIndex >= ColCount() || ColIndex >= FSuppressColSizes->Count()) return;
    SetColWidths(ColIndex, FSuppressColSizes->Items(ColIndex));
}

void TZirOvararIzazCore::UnSuppressAllColumns() {
    for (Integer c = 0; c < ColCount() && c < FSuppressColSizes->Count(); ++c)
        if (ColWidths(c) == 0 && FSuppressColSizes->Items(c) > 0) SetColWidths(c, FSuppressColSizes->Items(c));
    FSuppressColSizes->Clear();
    for (Integer c = 0; c < ColCount(); ++c) FSuppressColSizes->Add(ColWidths(c));
}

bool TZirOvararIzazCore::IsSuppressedColumn(Integer ColIndex) const {
    return ColIndex >= 0 && ColIndex < ColCount() && ColWidths(ColIndex) == 0 &&
           ColIndex < FSuppressColSizes->Count() && FSuppressColSizes->Items(ColIndex) != 0;
}

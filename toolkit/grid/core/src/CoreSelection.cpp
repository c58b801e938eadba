// The disjunct row, column and cell selections with their counts and the
// conversions from the selection rectangle, the modified and enabled row
// flags, the distinct values of a column, the moves to a cell, the swap of
// two cells, the hidden selection and the repaint ranges.

#include "grid/ZirOvararIzazCore.h"

#include "rtl/Convert.h"
#include "rtl/Exception.h"
#include "rtl/Format.h"
#include "windowing/Paint.h"

#include <algorithm>
#include <set>

// ---- The cell selection list ----

TGridCoord TCellSelection::Item(Integer Index) const {
    if (Index < 0 || Index >= Count()) throw EListError(Format(u"List index out of bounds (%d)", {Index}));
    return FCells[size_t(Index)];
}

bool TCellSelection::Add(Integer ACol, Integer ARow) {
    if (!FKeys.insert(Key(ACol, ARow)).second) return false;
    FCells.push_back(TGridCoord{ACol, ARow});
    return true;
}

bool TCellSelection::Remove(Integer ACol, Integer ARow) {
    if (FKeys.erase(Key(ACol, ARow)) == 0) return false;
    FCells.erase(std::find(FCells.begin(), FCells.end(), TGridCoord{ACol, ARow}));
    return true;
}

void TCellSelection::Clear() {
    FCells.clear();
    FKeys.clear();
}

namespace {

bool Between(Integer Value, Integer A, Integer B) {
    return Value >= std::min(A, B) && Value <= std::max(A, B);
}

// Upper-cases the ASCII letters only.
String AsciiUpper(String S) {
    for (Char& C : S)
        if (C >= u'a' && C <= u'z') C = Char(C - u'a' + u'A');
    return S;
}

String TrimBlanks(const String& S) {
    const size_t First = S.find_first_not_of(u' ');
    if (First == String::npos) return String();
    return S.substr(First, S.find_last_not_of(u' ') - First + 1);
}

} // namespace

// ---- Row and column flags ----

Integer TZirOvararIzazCore::RowSelectIndex(Integer ARow) const {
    return FMouseActions->Settings().RowSelectPersistent ? RealRowIndex(ARow) : ARow;
}

bool TZirOvararIzazCore::RowSelectEntry(Integer Index) {
    if (Index < 0) return false;
    if (Index >= Integer(FRowSelectFlags.size())) FRowSelectFlags.resize(size_t(Index) + 1, false);
    return FRowSelectFlags[size_t(Index)];
}

bool TZirOvararIzazCore::ColSelectEntry(Integer Index) {
    if (Index < 0) return false;
    if (Index >= Integer(FColSelectFlags.size())) FColSelectFlags.resize(size_t(Index) + 1, false);
    return FColSelectFlags[size_t(Index)];
}

bool TZirOvararIzazCore::RowSelect(Integer ARow) {
    if (!FMouseActions->Settings().RowSelectPersistent && (ARow < 0 || ARow >= TotalRowCount()))
        throw EKelGridError(u"Invalid row " + IntToStr(ARow) + u" accessed");
    if (FMouseActions->DisjunctRowSelect()) return RowSelectEntry(ARow);
    const TGridRect S = Selection();
    return Between(ARow, S.Top, S.Bottom);
}

void TZirOvararIzazCore::SetRowSelect(Integer ARow, bool Value) {
    FRowSelectChanged = false;
    if (ARow < 0 || (ARow >= TotalRowCount() && FixedRows() < RowCount()))
        throw EKelGridError(u"Invalid row accessed");
    // A row the list does not hold yet is unselected: a write is a change
    // exactly when it differs from the stored (or that default) state.
    const bool Old = RowSelectEntry(ARow);
    if (Old != Value && OnRowDisjunctSelect) {
        bool Allow = true;
        OnRowDisjunctSelect(this, ARow, Value, Allow);
        if (!Allow) return;
    }
    const Integer Displ = FMouseActions->Settings().RowSelectPersistent ? DisplRowIndex(ARow) : ARow;
    if (Value) {
        if (!Old) RepaintRow(Displ);
        FRowSelectChanged = !Old;
        FRowSelectFlags[size_t(ARow)] = true;
        // The flag and the list go together: an unselected row is not listed.
        if (ARow >= FixedRows() && !Old) FSelectedRows->Add(ARow);
    } else {
        if (Old) RepaintRow(Displ);
        FRowSelectChanged = Old;
        FRowSelectFlags[size_t(ARow)] = false;
        if (Old) FSelectedRows->DeleteValue(ARow);
    }
    if (ARow == RowSelectIndex(Row()) && FMouseActions->DisjunctRowSelect() && !FCellChangingBlocked &&
        OnSelectionChanged)
        OnSelectionChanged(this, 0, ARow, ColCount() - 1, ARow);
    if (FShowFocusedSelectionColor) Invalidate();
    if (FRowSelectChanged && OnRowDisjunctSelected) OnRowDisjunctSelected(this, ARow);
}

bool TZirOvararIzazCore::ColSelect(Integer ACol) {
    if (ACol < 0 || ACol >= AllColCount()) throw EKelGridError(u"Invalid column accessed");
    return ColSelectEntry(ACol);
}

void TZirOvararIzazCore::SetColSelect(Integer ACol, bool Value) {
    if (ACol < 0 || ACol >= ColCount()) throw EKelGridError(u"Invalid column accessed");
    const bool Old = ColSelectEntry(ACol);
    if (Old != Value && OnColDisjunctSelect) {
        bool Allow = true;
        OnColDisjunctSelect(this, ACol, Value, Allow);
        if (!Allow) return;
    }
    if (Old != Value) RepaintCol(ACol);
    FColSelectFlags[size_t(ACol)] = Value;
    if (Old != Value && OnColDisjunctSelected) OnColDisjunctSelected(this, ACol);
}

Integer TZirOvararIzazCore::RowSelectCount() {
    if (FMouseActions->DisjunctRowSelect()) {
        const size_t N = std::min(FRowSelectFlags.size(), size_t(std::max(TotalRowCount(), 0)));
        return Integer(std::count(FRowSelectFlags.begin(), FRowSelectFlags.begin() + std::ptrdiff_t(N), true));
    }
    if (!Options().Contains(goRowSelect)) return 0;
    const TGridRect S = Selection();
    return std::abs(S.Bottom - S.Top) + (S.Top < RowCount() ? 1 : 0);
}

Integer TZirOvararIzazCore::ColSelectCount() {
    if (FMouseActions->DisjunctColSelect())
        return Integer(std::count(FColSelectFlags.begin(), FColSelectFlags.end(), true));
    const TGridRect S = Selection();
    return S.Right - S.Left + 1;
}

Integer TZirOvararIzazCore::SelectedRowCount() {
    if (FMouseActions->DisjunctRowSelect()) return FSelectedRows->Count();
    if (IsSelectionHidden()) return 0;
    const TGridRect S = Selection();
    Integer Bottom = S.Bottom;
    if (!FFloatingFooter->Visible()) Bottom = std::min(Bottom, RowCount() - FFixedFooters - 1);
    if (IsMergedCell(S.Left, S.Top) && S.Top + CellSpan(S.Left, S.Top).Y > Bottom)
        return CellSpan(S.Left, S.Top).Y + 1;
    if (IsMergedCell(S.Left, Bottom)) return std::abs(S.Top - Bottom) + CellSpan(S.Left, Bottom).Y + 1;
    return std::abs(S.Top - Bottom) + 1;
}

Integer TZirOvararIzazCore::SelectedRow(Integer i) {
    if (FMouseActions->DisjunctRowSelect()) return i >= 0 && i < FSelectedRows->Count() ? FSelectedRows->Items(i) : -1;
    const TGridRect S = Selection();
    const Integer R = std::min(S.Top, S.Bottom) + i;
    return i >= 0 && R <= std::max(S.Top, S.Bottom) ? R : -1;
}

Integer TZirOvararIzazCore::SelectedColCount() {
    if (FMouseActions->DisjunctColSelect())
        return Integer(std::count(FColSelectFlags.begin(), FColSelectFlags.end(), true));
    const TGridRect S = Selection();
    if (IsMergedCell(S.Left, S.Top) && S.Left + CellSpan(S.Left, S.Top).X > S.Right)
        return CellSpan(S.Left, S.Top).X + 1;
    if (IsMergedCell(S.Right, S.Top)) return std::abs(S.Left - S.Right) + CellSpan(S.Right, S.Top).X + 1;
    return std::abs(S.Left - S.Right) + 1;
}

Integer TZirOvararIzazCore::SelectedCellsCount() {
    if (FMouseActions->DisjunctCellSelect()) return FSelectedCells->Count();
    FSelectedCells->Clear();
    const TGridRect S = Selection();
    if (S.Left == S.Right && S.Top == S.Bottom) {
        FSelectedCells->Add(Col(), Row());
    } else {
        for (Integer r = S.Top; r <= S.Bottom; ++r)
            for (Integer c = S.Left; c <= S.Right; ++c) FSelectedCells->Add(c, r);
    }
    return FSelectedCells->Count();
}

bool TZirOvararIzazCore::SelectedCells(Integer ACol, Integer ARow) const {
    if (FMouseActions->DisjunctCellSelect()) return FSelectedCells->Contains(ACol, ARow);
    const TGridRect S = Selection();
    return Between(ACol, S.Left, S.Right) && Between(ARow, S.Top, S.Bottom);
}

void TZirOvararIzazCore::SetSelectedCells(Integer ACol, Integer ARow, bool Value) {
    const bool Changed = Value ? FSelectedCells->Add(ACol, ARow) : FSelectedCells->Remove(ACol, ARow);
    if (Changed) RepaintCell(ACol, ARow);
}

void TZirOvararIzazCore::ClearSelectedCells() {
    if (FixedCols() < ColCount() && FixedRows() < RowCount())
        SetSelection(TGridRect{FixedCols(), FixedRows(), FixedCols(), FixedRows()});
    FSelectedCells->Clear();
    Invalidate();
}

// ---- Modified and enabled rows (real indexes) ----

bool TZirOvararIzazCore::RowModified(Integer ARow) const {
    return ARow >= 0 && ARow < FModifiedRows->Count() && FModifiedRows->Items(ARow) == 1;
}

void TZirOvararIzazCore::SetRowModified(Integer ARow, bool Value) {
    if (ARow < 0) return;
    while (FModifiedRows->Count() <= ARow) FModifiedRows->Add(0);
    FModifiedRows->SetItems(ARow, Value ? 1 : 0);
    RepaintCell(0, DisplRowIndex(ARow));
}

Integer TZirOvararIzazCore::ModifiedRowCount() const {
    Integer N = 0;
    for (Integer i = 0; i < FModifiedRows->Count(); ++i)
        if (FModifiedRows->Items(i) == 1) ++N;
    return N;
}

void TZirOvararIzazCore::ClearModifiedRows() {
    FModifiedRows->Clear();
    Invalidate();
}

bool TZirOvararIzazCore::RowEnabled(Integer ARow) const {
    return ARow < 0 || ARow >= FEnabledRows->Count() || FEnabledRows->Items(ARow) == 0;
}

void TZirOvararIzazCore::SetRowEnabled(Integer ARow, bool Value) {
    if (ARow < 0) return;
    if (ARow == RealRowIndex(Row())) {
        // The current row leaves for the first other enabled row, if any.
        for (Integer r = FixedRows(); r < RowCount(); ++r) {
            const Integer Real = RealRowIndex(r);
            if (Real != ARow && RowEnabled(Real)) {
                SetRowEx(r);
                break;
            }
        }
    }
    FEnabledRowsInUse = true;
    while (FEnabledRows->Count() <= ARow) FEnabledRows->Add(0);
    FEnabledRows->SetItems(ARow, Value ? 0 : 1);
    RepaintRow(DisplRowIndex(ARow));
}

// ---- Distinct values ----

TStringList* TZirOvararIzazCore::DistinctValues(Integer ACol, bool CaseSensitive) {
    auto* List = Create<TStringList>();
    List->SetCaseSensitive(CaseSensitive);
    List->SetSorted(true);
    List->SetDuplicates(dupIgnore);
    std::set<String> Seen;
    auto Take = [&](const String& Text) {
        if (Seen.insert(CaseSensitive ? Text : AsciiUpper(Text)).second) List->Add(Text);
    };
    for (Integer r = FixedRows(); r < RowCount() - FFixedFooters; ++r) {
        String Value;
        SaveCell(ACol, r, Value);
        Take(Value);
    }
    for (Integer i = 0; i < NumHiddenRows(); ++i) {
        const TStringList* Items = HiddenItem(i)->Items();
        if (ACol >= 0 && ACol < Items->Count()) Take(TrimBlanks(Items->Strings(ACol)));
    }
    return List;
}

// ---- Moves to a cell and rectangle selections ----

void TZirOvararIzazCore::GotoCell(Integer ACol, Integer ARow) {
    SetRowEx(ARow);
    SetCol(ACol);
}

void TZirOvararIzazCore::EditCell(Integer ACol, Integer ARow) {
    if (CanFocus()) SetFocus();
    GotoCell(ACol, ARow);
    ShowInplaceEdit();
}

void TZirOvararIzazCore::FocusCell(Integer ACol, Integer ARow) {
    // The platform grid takes only cells of the grid.
    if (ACol >= 0 && ARow >= 0 && ACol < ColCount() && ARow < RowCount()) PlaceSelection(TGridRect{ACol, ARow, ACol, ARow});
    FDisjunctSelection = Selection();
    FAutoEditCol = -1;
    FAutoEditRow = -1;
}

void TZirOvararIzazCore::MoveToCell(Integer ACol, Integer ARow) {
    MoveColRow(ACol, ARow, true, true);
}

void TZirOvararIzazCore::SelectRange(Integer FromCol, Integer ToCol, Integer FromRow, Integer ToRow) {
    SetRowEx(ToRow);
    SetCol(ToCol);
    SetSelection(TGridRect{FromCol, FromRow, ToCol, ToRow});
}

void TZirOvararIzazCore::SelectRows(Integer RowIndex, Integer RCount) {
    RCount = std::min(RCount, RowCount() - RowIndex);
    if (FMouseActions->DisjunctRowSelect()) {
        for (Integer r = RowIndex; r < RowIndex + RCount; ++r)
            if (r >= 0 && r < RowCount()) SetRowSelect(RowSelectIndex(r), true);
    } else if (RCount > 0) {
        SetSelection(TGridRect{FixedCols(), RowIndex, ColCount() - 1, RowIndex + RCount - 1});
    }
    if (!FRowIndicator->Empty()) RepaintColumn0();
    FSelChange = false;
}

void TZirOvararIzazCore::UnSelectRows(Integer RowIndex, Integer RCount) {
    RCount = std::min(RCount, RowCount() - RowIndex);
    if (FMouseActions->DisjunctRowSelect())
        for (Integer r = RowIndex; r < RowIndex + RCount; ++r)
            if (r >= 0 && r < RowCount()) SetRowSelect(RowSelectIndex(r), false);
    FSelChange = false;
}

void TZirOvararIzazCore::SelectAll() {
    SelectRows(FixedRows(), RowCount() - FixedRows());
}

void TZirOvararIzazCore::SelectCols(Integer ColIndex, Integer CCount) {
    CCount = std::min(CCount, ColCount() - ColIndex);
    if (FMouseActions->DisjunctColSelect()) {
        for (Integer c = ColIndex; c < ColIndex + CCount; ++c)
            if (c >= 0) SetColSelect(c, true);
    } else if (CCount > 0) {
        SetSelection(TGridRect{ColIndex, FixedRows(), ColIndex + CCount - 1, RowCount() - 1});
    }
}

void TZirOvararIzazCore::UnSelectCols(Integer ColIndex, Integer CCount) {
    if (!FMouseActions->DisjunctColSelect()) return;
    for (Integer c = std::max(ColIndex, 0); c < std::min(ColIndex + CCount, ColCount()); ++c) SetColSelect(c, false);
}

void TZirOvararIzazCore::ClearRowSelectList() {
    const bool Persistent = FMouseActions->Settings().RowSelectPersistent;
    for (Integer i = 0; i < Integer(FRowSelectFlags.size()); ++i) {
        if (!FRowSelectFlags[size_t(i)]) continue;
        RepaintRow(Persistent ? DisplRowIndex(i) : i);
        FRowSelectFlags[size_t(i)] = false;
        if (OnRowDisjunctSelected) OnRowDisjunctSelected(this, i);
    }
    FSelectedRows->Clear();
}

void TZirOvararIzazCore::ClearRowSelect() {
    ClearRowSelectList();
    if (!FMouseActions->DisjunctRowSelect()) HideSelection();
    Invalidate();
}

void TZirOvararIzazCore::ClearColSelect() {
    for (Integer i = 0; i < Integer(FColSelectFlags.size()); ++i) {
        if (!FColSelectFlags[size_t(i)]) continue;
        RepaintCol(i);
        FColSelectFlags[size_t(i)] = false;
        if (OnColDisjunctSelected) OnColDisjunctSelected(this, i);
    }
    Invalidate();
}

bool TZirOvararIzazCore::SelectionToRowSelect(bool All) {
    TGridRect S = Selection();
    if (S.Top == FDisjunctSelection.Top) return false;
    S.Bottom = std::min(S.Bottom, RowCount() - FFixedFooters - 1);
    bool Changed = false;
    for (Integer r = FixedRows(); r < RowCount(); ++r) {
        const bool Inside = Between(r, S.Top, S.Bottom);
        if (!Inside && !All) continue;
        SetRowSelect(RowSelectIndex(r), Inside);
        Changed = Changed || FRowSelectChanged;
    }
    if (NumHiddenRows() > 0) Invalidate();
    FDisjunctSelection = Selection();
    return Changed;
}

void TZirOvararIzazCore::SelectionToColSelect(bool All) {
    const TGridRect S = Selection();
    for (Integer c = FixedCols(); c < ColCount(); ++c) {
        const bool Inside = Between(c, S.Left, S.Right);
        if (Inside || All) SetColSelect(c, Inside);
    }
}

// ---- Swapping two cells ----

void TZirOvararIzazCore::SwapCells(TGridCoord FromCell, TGridCoord ToCell) {
    auto Inside = [this](TGridCoord C) { return C.X >= 0 && C.Y >= 0 && C.X < TotalColCount() && C.Y < RowCount(); };
    if (!Inside(FromCell) || !Inside(ToCell) || FromCell == ToCell) return;
    const String Text = GridCells(FromCell.X, FromCell.Y);
    SetGridCells(FromCell.X, FromCell.Y, GridCells(ToCell.X, ToCell.Y));
    SetGridCells(ToCell.X, ToCell.Y, Text);
    TObject* From = TStringGrid::Objects(FromCell.X, FromCell.Y);
    TObject* To = TStringGrid::Objects(ToCell.X, ToCell.Y);
    TStringGrid::SetObjects(FromCell.X, FromCell.Y, To);
    TStringGrid::SetObjects(ToCell.X, ToCell.Y, From);
    // Each record names the cell that owns it.
    if (auto* Props = dynamic_cast<TCellProperties*>(To)) {
        Props->SetOwnerCol(FromCell.X);
        Props->SetOwnerRow(FromCell.Y);
    }
    if (auto* Props = dynamic_cast<TCellProperties*>(From)) {
        Props->SetOwnerCol(ToCell.X);
        Props->SetOwnerRow(ToCell.Y);
    }
    RepaintCell(DisplColIndex(FromCell.X), FromCell.Y);
    RepaintCell(DisplColIndex(ToCell.X), ToCell.Y);
}

// ---- Hidden selection ----

void TZirOvararIzazCore::HideSelection() {
    FOldSelection = Selection();
    PlaceSelection(TGridRect{ColCount(), RowCount(), ColCount(), RowCount()});
    FSelHidden = true;
}

void TZirOvararIzazCore::UnHideSelection() {
    FSelHidden = false;
    TGridRect S = FOldSelection;
    if (S.Top < RowCount() && S.Left < ColCount() && S.Top >= 0 && S.Left >= 0) {
        // A selection that reached past rows or columns since removed ends
        // at the last one.
        S.Right = std::min(S.Right, ColCount() - 1);
        S.Bottom = std::min(S.Bottom, RowCount() - 1);
        PlaceSelection(S);
        return;
    }
    const Integer Top = FFixedRowAlways && FixedRows() == RowCount() ? 0 : FixedRows();
    const Integer Left = FFixedColAlways && FixedCols() == ColCount() ? 0 : FixedCols();
    PlaceSelection(TGridRect{Left, Top, Left, Top});
}

bool TZirOvararIzazCore::IsSelectionHidden() const {
    const TGridRect S = Selection();
    // With goRowSelect the platform reports the row's normal columns.
    return S.Top == RowCount() && (Options().Contains(goRowSelect) || (S.Left == ColCount() && S.Right == ColCount()));
}

void TZirOvararIzazCore::HideRowsBySelection(bool Selected) {
    // The state is read where the flags are kept (the real row with
    // RowSelectPersistent); HideRowList always takes displayed rows.
    auto* List = Create<TIntList>(0, 0);
    BeginUpdate();
    try {
        for (Integer r = FixedRows(); r < RowCount() - FFixedFooters; ++r)
            if (RowSelect(RowSelectIndex(r)) == Selected) List->Add(r);
        if (List->Count() > 0) HideRowList(List);
    } catch (...) {
        EndUpdate();
        Free(List);
        throw;
    }
    EndUpdate();
    Free(List);
}

// ---- Repaint ranges ----

void TZirOvararIzazCore::RepaintCell(Integer ACol, Integer ARow) {
    if (!HandleAllocated() || ACol < 0 || ARow < 0 || ACol >= ColCount() || ARow >= RowCount()) return;
    if ((ARow < TopRow() && ARow >= FixedRows()) || ARow > TopRow() + VisibleRowCount()) return;
    if ((ACol < LeftCol() && ACol >= FixedCols()) || ACol > LeftCol() + VisibleColCount()) return;
    TBaseGrid::RepaintCell(ACol, ARow);
}

void TZirOvararIzazCore::RepaintRow(Integer ARow) {
    if (!HandleAllocated() || ARow < 0 || ARow >= RowCount()) return;
    const TRect First = CellRect(0, ARow);
    const TRect Last = CellRect(std::min(LeftCol() + VisibleColCount(), ColCount() - 1), ARow);
    if (First.IsEmpty()) return;
    TRect R = First;
    if (!Last.IsEmpty()) R.Right = std::max(R.Right, Last.Right);
    winapi::InvalidateRect(Handle(), &R, false);
}

void TZirOvararIzazCore::RepaintCol(Integer ACol) {
    if (!HandleAllocated() || ACol < 0 || ACol >= ColCount()) return;
    const TRect First = CellRect(ACol, TopRow());
    const TRect Last = CellRect(ACol, std::min(TopRow() + VisibleRowCount(), RowCount() - 1));
    if (First.IsEmpty()) return;
    TRect R = First;
    if (!Last.IsEmpty()) R.Bottom = std::max(R.Bottom, Last.Bottom);
    winapi::InvalidateRect(Handle(), &R, false);
}

void TZirOvararIzazCore::RepaintRect(TRect R) {
    if (!HandleAllocated() || R.Left < 0 || R.Top < 0 || R.Right < 0 || R.Bottom < 0) return;
    const TRect A = CellRect(R.Left, R.Top);
    const TRect B = CellRect(std::min(VisibleColCount() + FixedCols(), R.Right), R.Bottom);
    if (A.IsEmpty() || B.IsEmpty()) {
        Invalidate();
        return;
    }
    const TRect U(std::min(A.Left, B.Left), std::min(A.Top, B.Top), std::max(A.Right, B.Right),
                  std::max(A.Bottom, B.Bottom));
    winapi::InvalidateRect(Handle(), &U, true);
}

void TZirOvararIzazCore::InvalidateGridRect(TGridRect GR) {
    if (!HandleAllocated()) return;
    const TRect A = CellRect(GR.Left, GR.Top);
    const TRect B = CellRect(GR.Right, GR.Bottom);
    // A corner scrolled out adds nothing to the union.
    if (A.IsEmpty() && B.IsEmpty()) return;
    const TRect U = A.IsEmpty() ? B
                    : B.IsEmpty()
                        ? A
                        : TRect(std::min(A.Left, B.Left), std::min(A.Top, B.Top), std::max(A.Right, B.Right),
                                std::max(A.Bottom, B.Bottom));
    winapi::InvalidateRect(Handle(), &U, false);
}

// Row and column counts, the current column, fixed areas, default sizes,
// alignment and word wrap, with the side tables kept in step.

#include "grid/GridUnit.h"
#include "grid/ZirOvararIzazCore.h"

void TZirOvararIzazCore::SetRowCount(Integer Value) {
    const Integer OldCount = RowCount();
    if (OnRowCountChange && Value != OldCount) OnRowCountChange(this, OldCount, Value);
    if (OldCount == FixedRows() && FFixedRowAlways && !FShowSelection) FShowSelection = true;
    if (Col() == ColCount() || Row() == RowCount()) FocusCell(TBaseGrid::FixedCols(), TBaseGrid::FixedRows(), true);

    // With a floating footer the last row is the footer row: it moves to the
    // new last row with its objects, growing or shrinking alike; the row it
    // leaves is emptied without freeing the objects it handed on.
    const bool MoveFooter = FFloatingFooter->Visible() && Value != OldCount && OldCount > 0 && Value > 0;
    std::vector<std::pair<String, TObject*>> FooterRow;
    if (MoveFooter) {
        FFreeCellObjects = false;
        for (Integer c = 0; c < TotalColCount(); ++c) {
            FooterRow.emplace_back(TStringGrid::Cells(c, OldCount - 1), TStringGrid::Objects(c, OldCount - 1));
            TStringGrid::SetObjects(c, OldCount - 1, nullptr);
            TStringGrid::SetCells(c, OldCount - 1, String());
        }
    }

    TBaseGrid::SetRowCount(Value);
    for (Integer r = FSuppressRowSizes->Count(); r < RowCount(); ++r) FSuppressRowSizes->Add(RowHeights(r));
    if (RowCount() > FMinFixedRows && FFixedRowAlways) TBaseGrid::SetFixedRows(FMinFixedRows);
    FMaxRowCount = std::max(FMaxRowCount, Value);
    SetNormalRowCount(Value);
    ApplyScrollBarAlways(false);

    if (MoveFooter) {
        const Integer To = RowCount() - 1;
        for (Integer c = 0; c < Integer(FooterRow.size()); ++c) {
            if (HasCellProperties(c, To)) ClearCellProps(c, To);
            TStringGrid::SetCells(c, To, FooterRow[size_t(c)].first);
            TStringGrid::SetObjects(c, To, FooterRow[size_t(c)].second);
        }
        CalcFooter(-1);
        FFreeCellObjects = true;
    }
}

void TZirOvararIzazCore::SetColCount(Integer Value) {
    const size_t OldLength = FVisibleCol.size();
    TBaseGrid::SetColCount(Value);
    const size_t Length = size_t(ColCount() + FNumHidden);
    FVisibleCol.resize(Length, true);
    for (size_t i = OldLength; i < Length; ++i) FVisibleCol[i] = true;
    FAllColWidths.resize(Length, 0);
    if (ColCount() > FMinFixedCols && FFixedColAlways) TBaseGrid::SetFixedCols(FMinFixedCols);
    FMaxColCount = std::max(FMaxColCount, Value);
    for (Integer c = FSuppressColSizes->Count(); c < ColCount(); ++c) FSuppressColSizes->Add(ColWidths(c));
    UpdateSearchPanel();
    SetBounds(Left(), Top(), Width(), Height());
    ApplyScrollBarAlways(false);
}

void TZirOvararIzazCore::SetCol(Integer Value) {
    const Integer OldCol = Col();
    TBaseGrid::SetCol(Value);
    FDisjunctSelection = Selection();
    FAutoEditCol = -1;
    FAutoEditRow = -1;
    if (Col() != OldCol && FSyncGrid->Grid() && FSyncGrid->SelectionColumn()) {
        if (auto* Other = dynamic_cast<TZirOvararIzazCore*>(FSyncGrid->Grid())) {
            TNotifyEvent Click = std::move(Other->OnClick);
            Other->OnClick = nullptr;
            Other->SetCol(Col());
            Other->OnClick = std::move(Click);
        } else {
            FSyncGrid->Grid()->SetCol(Col());
        }
    }
}

Integer TZirOvararIzazCore::FixedRows() const {
    const Integer Value = TBaseGrid::FixedRows();
    return Value == 0 && FFixedRowAlways ? 1 : Value;
}

Integer TZirOvararIzazCore::FixedCols() const {
    const Integer Value = TBaseGrid::FixedCols();
    return Value == 0 && FFixedColAlways ? 1 : Value;
}

void TZirOvararIzazCore::SetFixedRows(Integer Value) {
    if (Value >= RowCount() && FFixedRowAlways)
        TBaseGrid::SetFixedRows(RowCount() - 1);
    else
        TBaseGrid::SetFixedRows(Value);
    if (!IsLoading()) FMinFixedRows = Value;
}

void TZirOvararIzazCore::SetFixedCols(Integer Value) {
    if (Value >= ColCount() && FFixedColAlways)
        TBaseGrid::SetFixedCols(ColCount() - 1);
    else
        TBaseGrid::SetFixedCols(Value);
    if (!IsLoading()) FMinFixedCols = Value;
}

void TZirOvararIzazCore::SetFixedFooters(Integer Value) {
    FFixedFooters = Value;
    Invalidate();
}

void TZirOvararIzazCore::SetFixedRightCols(Integer Value) {
    FFixedRightCols = Value;
    Invalidate();
}

void TZirOvararIzazCore::AppendRow() {
    SetRowCount(RowCount() + 1);
}

void TZirOvararIzazCore::WriteDefaultRowHeight(Integer Value) {
    TBaseGrid::SetDefaultRowHeight(Value);
    if (IsDesigning() && !IsLoading()) SetFixedRowHeight(Value);
    // The floating footer's height follows (a plain store, no repaint); the
    // footer settings keep their own height until the view layer reads it.
}

void TZirOvararIzazCore::SetFixedRowHeight(Integer Value) {
    FFixedRowHeight = Value;
    if (IsLoading()) return;
    for (Integer r = 0; r < TBaseGrid::FixedRows() && r < RowCount(); ++r) SetRowHeights(r, Value);
}

void TZirOvararIzazCore::SetFixedColWidth(Integer Value) {
    if (IsLoading() || Value == DefaultColWidth()) return;
    for (Integer c = 0; c < TBaseGrid::FixedCols() && c < ColCount(); ++c) SetColWidths(c, Value);
}

void TZirOvararIzazCore::SetDefaultAlignment(TAlignment Value) {
    if (FDefaultAlignment == Value) return;
    FDefaultAlignment = Value;
    Invalidate();
}

void TZirOvararIzazCore::SetWordWrap(bool Value) {
    TBaseGrid::SetWordWrap(Value);
    FExtendedWordWrap = Value;
    if (FUpdateCount == 0) Invalidate();
}

Integer TZirOvararIzazCore::FixedColumnsWidth() const {
    Integer Sum = 0;
    for (Integer c = 0; c < TBaseGrid::FixedCols() && c < ColCount(); ++c) Sum += ColWidths(c);
    for (Integer c = std::max(0, ColCount() - FFixedRightCols); c < ColCount(); ++c) Sum += ColWidths(c);
    return Sum;
}

// Tab navigation: Tab and Shift+Tab move through the cells the keyboard may
// enter, wrap from row to row, may append a row at the end and hand the Tab
// on to the parent window when the grid is left.

#include "grid/ZirOvararIzazInput.h"
#include "vcl/Forms.h"
#include "windowing/Input.h"
#include "windowing/MessageQueue.h"

#include <algorithm>
#include <set>
#include <utility>

using namespace winapi;

bool TZirOvararIzazInput::NavigateByKey(bool Backward) {
    bool Result = true;
    if (Navigation()->Settings().AlwaysEdit) HideInplaceEdit();
    if (OnKeyDown) {
        Word Key = VK_TAB;
        TShiftState Shift;
        if (Backward) Shift.Include(ssShift);
        OnKeyDown(this, Key, Shift);
        if (Key != VK_TAB) return Result;
    }
    if (Col() == FLastTabCol && Row() == FLastTabRow) return Result;
    if (Col() < 0 || Row() < 0 || Col() >= ColCount() || Row() >= RowCount()) return Result;
    const Integer StartCol = Col(), StartRow = Row();
    FLastTabCol = StartCol;
    FLastTabRow = StartRow;
    bool Repeated = false;
    try {
        // Cells to be passed over are left by further steps: the walk ends
        // on a cell that may be entered, or on any cell it stood on before
        // (the start cell, a step that did not move, a full pass).
        std::set<std::pair<Integer, Integer>> Visited{{StartCol, StartRow}};
        for (;;) {
            bool Repeat = false;
            if (!TabStep(Backward, Repeat)) {
                Result = false;
                break;
            }
            if (!Repeat && (Options().Contains(goEditing) || FEditDisable) && !IsEditable(RealColIndex(Col()), Row()))
                Repeat = true;
            if (!Repeat) break;
            Repeated = true;
            if (!Visited.insert({Col(), Row()}).second) break;
        }
        if (!Repeated && Navigation()->Settings().AdvanceAutoEdit && !IsControlCell(RealColIndex(Col()), Row()) &&
            Options().Contains(goEditing))
            // The editor opens directly; a simulated click could change the cell.
            ShowInplaceEdit();
        if (IsMergedCell(RealColIndex(StartCol), StartRow)) RepaintCell(StartCol, StartRow);
        if (ActiveRowShow() && Row() != StartRow) Invalidate();
    } catch (...) {
        FLastTabCol = -1;
        FLastTabRow = -1;
        throw;
    }
    FLastTabCol = -1;
    FLastTabRow = -1;
    if (MouseActions()->DisjunctRowSelect()) {
        ClearRowSelect();
        SetRowSelect(Row(), true);
    }
    return Result;
}

bool TZirOvararIzazInput::TabStep(bool Backward, bool& Repeat) {
    const TNavigationSettings& Nav = Navigation()->Settings();
    const Integer LastRow = RowCount() - FixedFooters() - 1;
    const Integer EndCol = ColCount() - VisibleFixedRightCols();
    const Integer LastCol = EndCol - 1;
    const Integer FirstCol = FirstEditColumn();
    const bool AlongRow = Nav.TabAdvanceDirection == adLeftRight;

    // The Tab leaves the grid: the parent's next control takes it.
    auto PassOn = [this, &Nav]() {
        TCustomForm* Form = GetParentForm(this);
        if (Parent() && Nav.TabToNextAtEnd && Form && Form->ControlCount() > 1 && Parent()->HandleAllocated()) {
            PostMessage(Parent()->Handle(), WM_KEYDOWN, VK_TAB, 0);
            return false;
        }
        return true;
    };
    // The changing events of a row wrap that the grid makes itself.
    auto AskWrap = [this](Integer NewRow, Integer NewCol, Integer CellCol) {
        bool Allow = true;
        if (OnRowChanging) OnRowChanging(this, Row(), NewRow, Allow);
        if (OnCellChanging) OnCellChanging(this, Row(), Col(), NewRow, CellCol, Allow);
        if (OnColChanging) OnColChanging(this, Col(), NewCol, Allow);
        return Allow;
    };
    auto Forced = [this](auto&& Move) {
        const bool Old = FForceSel;
        FForceSel = true;
        try {
            Move();
        } catch (...) {
            FForceSel = Old;
            throw;
        }
        FForceSel = Old;
    };
    auto ToBaseCell = [this]() {
        const Integer Real = RealColIndex(Col());
        if (IsMergedNonBaseCell(Real, Row())) {
            const TPoint Base = BaseCell(Real, Row());
            GotoCell(DisplColIndex(Base.X), Base.Y);
        }
    };

    if (Backward) {
        if (!AlongRow) {
            if (Row() > FixedRows()) {
                SetRow(Row() - 1);
            } else {
                SetRow(LastRow);
                SetCol(Col() > FirstCol ? Col() - 1 : LastCol);
            }
            return true;
        }
        if (Col() > FirstCol) {
            Integer i = 1;
            while (Col() - i >= FirstCol &&
                   !(IsNavigableCell(Col() - i, Row()) && IsBaseCell(RealColIndex(Col() - i), Row())))
                ++i;
            if (Col() - i >= FirstCol) {
                SetCol(Col() - i);
            } else if (Row() > FixedRows()) {
                const Integer C = LastCellInRow(Row() - 1);
                if (C >= 0) GotoCell(C, Row() - 1);
                ToBaseCell();
            } else {
                const Integer C = LastCellInRow(LastRow);
                if (C >= 0) {
                    GotoCell(C, LastRow);
                    TBaseGrid::ScrollInView(Col(), Row());
                }
                ToBaseCell();
            }
            return true;
        }
        // From the first column to the last cell of the row above (from the
        // first row to the last normal row).
        Integer j = 1;
        if (Row() <= FixedRows()) {
            SetRow(LastRow);
            j = 0;
        }
        for (; Row() - j >= FixedRows(); ++j)
            for (Integer C = LastCol; C >= FixedCols(); --C)
                if (IsNavigableCell(C, Row() - j)) {
                    GotoCell(C, Row() - j);
                    return true;
                }
        return true;
    }

    if (!AlongRow) {
        const Integer Span = std::max(CellSpan(RealColIndex(Col()), Row()).Y, 0);
        if (Row() + Span + 1 < RowCount() - FixedFooters()) {
            SetRow(Row() + Span + 1);
            return true;
        }
        GotoFirstRow();
        if (Col() < LastCol) {
            SetCol(Col() + 1);
            return true;
        }
        SetCol(FirstCol);
        return PassOn();
    }

    const Integer SpanX = std::max(CellSpan(RealColIndex(Col()), Row()).X, 0);
    if (Col() + SpanX + 1 <= LastCellInRow(Row())) {
        Integer C = Col() + SpanX + 1;
        while (C < EndCol && !IsNavigableCell(C, Row())) ++C;
        if (C < EndCol) {
            SetCol(C);
            if (!IsNavigableCell(Col(), Row())) {
                const Integer NextRow = Row() + 1 < RowCount() ? Row() + 1 : FixedRows();
                const Integer First = FirstCellInRow(NextRow);
                if (First >= 0) GotoCell(First, NextRow);
            }
            if (IsMergedNonBaseCell(RealColIndex(Col()), Row())) Repeat = true;
            return true;
        }
        // Only fixed right columns remain in the row.
        bool Result = true;
        Forced([&]() {
            if (Row() < LastRow) {
                const Integer First = FirstCellInRow(Row() + 1);
                if (AskWrap(Row() + 1, First, First) && AllowRowAdvance(Row() + 1)) {
                    SetCol(First < 0 ? FixedCols() : First);
                    SetRow(Row() + 1);
                }
            } else {
                const Integer First = FirstCellInRow(FixedRows());
                if (First >= 0 && AskWrap(FixedRows(), First, First))
                    SetSelection(TGridRect{First, FixedRows(), First, FixedRows()});
                if (Parent() && Nav.TabToNextAtEnd && Parent()->HandleAllocated()) {
                    PostMessage(Parent()->Handle(), WM_KEYDOWN, VK_TAB, 0);
                    Result = false;
                }
            }
        });
        return Result;
    }

    if (Row() < LastRow) {
        Integer C = -1;
        for (Integer c = FirstCol; c < ColCount() && C < 0; ++c)
            if (IsBaseCell(RealColIndex(c), Row() + 1) && IsNavigableCell(c, Row() + 1)) C = c;
        if (C >= 0) {
            if (AskWrap(Row() + 1, FixedCols(), FixedCols()) && AllowRowAdvance(Row() + 1))
                Forced([&]() {
                    SetCol(C);
                    SetRow(Row() + 1);
                });
            return true;
        }
        Integer R = -1;
        for (Integer r = Row() + 2; r < RowCount() && R < 0; ++r)
            if (FirstCellInRow(r) != -1) R = r;
        if (R < 0) {
            // Nothing further down may be entered: back to the last cell
            // that may.
            SetRow(RowCount() - 1);
            SetCol(ColCount() - 1);
            Repeat = true;
            return true;
        }
        SetRow(R);
        SetCol(std::max(FixedCols(), FirstCellInRow(R)));
        return true;
    }

    // The last normal row: a new row, or back to the first.
    if (!Nav.TabToNextAtEnd && Nav.AdvanceInsert) {
        bool CanAdd = true;
        DoCanAddRow(CanAdd);
        if (CanAdd) {
            if (FloatingFooter()->Visible()) {
                InsertRows(RowCount() - 1, 1);
                SetRow(RowCount() - 2);
            } else {
                SetRowCount(RowCount() + 1);
                SetRow(RowCount() - 1);
            }
            if (OnAutoAddRow) OnAutoAddRow(this, RowCount() - 1 - FixedFooters());
        } else {
            GotoFirstRow();
        }
    } else {
        GotoFirstRow();
    }
    SetCol(std::max(FixedCols(), FirstCellInRow(Row())));
    return PassOn();
}

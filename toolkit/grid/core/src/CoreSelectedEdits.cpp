// Structure edits driven by the selection and by check boxes: removing,
// hiding and clearing the selected (or unselected) rows and columns, and
// removing checked (or unchecked) rows.

#include "grid/ZirOvararIzazCore.h"

#include <algorithm>

namespace {

// Calls Remove(first, count) for each run of consecutive rows in Rows
// (descending), from the bottom up, so that the rows above keep their
// indexes.
template <class F>
void ForEachRunBottomUp(const std::vector<Integer>& Rows, F Remove) {
    size_t i = 0;
    while (i < Rows.size()) {
        size_t j = i;
        while (j + 1 < Rows.size() && Rows[j + 1] == Rows[j] - 1) ++j;
        Remove(Rows[j], Integer(j - i + 1));
        i = j + 1;
    }
}

} // namespace

// Normal rows (descending) whose selection state equals Selected; the flag
// is read at the real row with RowSelectPersistent.
std::vector<Integer> TZirOvararIzazCore::RowsBySelection(bool Selected) {
    std::vector<Integer> Rows;
    for (Integer r = RowCount() - FFixedFooters - 1; r >= FixedRows(); --r)
        if (RowSelect(RowSelectIndex(r)) == Selected) Rows.push_back(r);
    return Rows;
}

void TZirOvararIzazCore::RemoveSelectedRows() {
    BeginUpdate();
    try {
        if (FMouseActions->DisjunctRowSelect()) {
            ForEachRunBottomUp(RowsBySelection(true), [this](Integer First, Integer Count) { DeleteRows(First, Count); });
            ClearRowSelect();
        } else {
            const TGridRect S = Selection();
            const Integer Top = std::min(S.Top, S.Bottom), Bottom = std::max(S.Top, S.Bottom);
            if (Top >= 0 && Top < RowCount()) DeleteRows(Top, std::min(Bottom, RowCount() - 1) - Top + 1);
        }
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TZirOvararIzazCore::RemoveUnSelectedRows() {
    BeginUpdate();
    try {
        if (FMouseActions->DisjunctRowSelect()) {
            ForEachRunBottomUp(RowsBySelection(false), [this](Integer First, Integer Count) { DeleteRows(First, Count); });
        } else {
            const TGridRect S = Selection();
            const Integer Top = std::min(S.Top, S.Bottom), Bottom = std::max(S.Top, S.Bottom);
            // The footer rows below the normal rows stay.
            const Integer Below = RowCount() - FFixedFooters - Bottom - 1;
            if (Below > 0) RemoveRows(Bottom + 1, Below);
            if (Top > FixedRows()) RemoveRows(FixedRows(), Top - FixedRows());
        }
        if (FMouseActions->Settings().RowSelectPersistent)
            SelectRows(FixedRows(), RowCount() - FFixedFooters - FixedRows());
        else
            ClearRowSelect();
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TZirOvararIzazCore::RemoveColsBySelection(bool Selected) {
    BeginUpdate();
    try {
        if (FMouseActions->DisjunctColSelect()) {
            for (Integer c = ColCount() - 1; c >= FixedCols(); --c)
                if (ColSelect(c) == Selected) {
                    RemoveCols(RealColIndex(c), 1);
                    if (c < Integer(FColSelectFlags.size())) FColSelectFlags.erase(FColSelectFlags.begin() + c);
                }
        } else {
            const TGridRect S = Selection();
            const Integer Left = std::min(S.Left, S.Right), Right = std::min(std::max(S.Left, S.Right), ColCount() - 1);
            // Displayed columns one by one from the right: hidden columns
            // between them stay.
            if (Selected) {
                for (Integer c = Right; c >= Left && c >= 0; --c) RemoveCols(RealColIndex(c), 1);
            } else {
                for (Integer c = ColCount() - FFixedRightCols - 1; c > Right; --c) RemoveCols(RealColIndex(c), 1);
                for (Integer c = Left - 1; c >= FixedCols(); --c) RemoveCols(RealColIndex(c), 1);
            }
        }
        if (!Selected) ClearColSelect();
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TZirOvararIzazCore::ClearSelection() {
    if (FMouseActions->DisjunctRowSelect()) {
        for (Integer r = FixedRows(); r < RowCount(); ++r)
            if (RowSelect(RowSelectIndex(r))) ClearRows(r, 1);
        return;
    }
    // Displayed columns, mapped to their real ones.
    const bool Saved = FSaveHiddenCells;
    FSaveHiddenCells = true;
    try {
        if (FMouseActions->DisjunctColSelect()) {
            for (Integer c = FixedCols(); c < ColCount(); ++c)
                if (ColSelect(c)) ClearCols(c, 1);
        } else {
            const TGridRect S = Selection();
            ClearRect(std::min(S.Left, S.Right), std::min(S.Top, S.Bottom), std::max(S.Left, S.Right),
                      std::max(S.Top, S.Bottom));
        }
    } catch (...) {
        FSaveHiddenCells = Saved;
        throw;
    }
    FSaveHiddenCells = Saved;
}

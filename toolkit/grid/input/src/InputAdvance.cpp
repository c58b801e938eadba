// The Enter advance and the character step (Escape, Enter, typing-to-find),
// with the navigation helpers the keyboard shares: which cell the cursor
// may enter, the first and last such cell of a row, steps past rows and
// columns without a size, and appending a row.

#include "grid/GridUnit.h"
#include "grid/ZirOvararIzazInput.h"
#include "rtl/StringUtils.h"
#include "windowing/Focus.h"
#include "windowing/Input.h"
#include "windowing/MessageQueue.h"

#include <algorithm>

using namespace winapi;

// ---- Cells the keyboard may enter ----

bool TZirOvararIzazInput::IsNavigableCell(Integer ACol, Integer ARow) {
    if (ACol < 0 || ARow < 0 || ACol >= ColCount() || ARow >= RowCount()) return false;
    bool CanEnter;
    if (Options().Contains(goEditing) || FEditDisable)
        CanEnter = IsEditable(RealColIndex(ACol), ARow);
    else
        CanEnter = !IsFixed(ACol, ARow);
    if (ColWidths(ACol) == 0) CanEnter = false;
    if (OnSelectCell) OnSelectCell(this, ACol, ARow, CanEnter);
    return CanEnter;
}

Integer TZirOvararIzazInput::FirstCellInRow(Integer ARow) {
    for (Integer c = 0; c < ColCount(); ++c)
        if (IsNavigableCell(c, ARow)) return c;
    return -1;
}

Integer TZirOvararIzazInput::LastCellInRow(Integer ARow) {
    for (Integer c = ColCount() - 1; c >= 0; --c)
        if (IsNavigableCell(c, ARow)) return c;
    return -1;
}

Integer TZirOvararIzazInput::FirstEditColumn() {
    return FixedCols() == 0 && HasNodes() ? 1 : FixedCols();
}

Integer TZirOvararIzazInput::VisibleFixedRightCols() {
    if (NumHiddenColumns() == 0) return FixedRightCols();
    Integer Shown = 0;
    const Integer All = AllColCount();
    for (Integer c = std::max(All - FixedRightCols(), 0); c < All; ++c)
        if (!IsHiddenColumn(c)) ++Shown;
    return Shown;
}

TPoint TZirOvararIzazInput::FindNextNavigableCell(Integer ACol, Integer ARow) {
    const TAdvanceDirection Dir = Navigation()->AdvanceDirection();
    const Integer LastRow = RowCount() - FixedFooters() - 1;
    const Integer LastCol = ColCount() - FixedRightCols() - 1;
    // One pass over the grid at most.
    const Integer MaxSteps = ColCount() * RowCount() + 1;
    for (Integer Step = 0; Step < MaxSteps; ++Step) {
        if (Dir == adTopBottom || Dir == adTopBottomInCol) {
            if (ARow < LastRow) {
                ++ARow;
            } else {
                if (Dir == adTopBottomInCol) break;
                ARow = FixedRows();
                ACol = ACol == LastCol ? FixedCols() : ACol + 1;
            }
        } else {
            if (ACol < LastCol) {
                ++ACol;
            } else {
                if (Dir == adLeftRightInRow) break;
                ACol = FixedCols();
                ARow = ARow == LastRow ? FixedRows() : ARow + 1;
            }
        }
        if (IsNavigableCell(ACol, ARow)) return TPoint(ACol, ARow);
        if (ACol == LastCol && ARow == LastRow) break;
    }
    return TPoint(-1, -1);
}

// ---- Rows and columns with a size ----

Integer TZirOvararIzazInput::NextVisibleRow(Integer ARow) {
    ARow = std::clamp(ARow, FixedRows(), RowCount() - 1);
    const bool Down = Row() < ARow;
    Integer R = ARow;
    if (Col() >= 0 && Col() < ColCount() && IsMergedCell(RealColIndex(Col()), ARow)) {
        const Integer Span = std::max(CellSpan(RealColIndex(Col()), ARow).Y, 0);
        R = Down ? ARow + Span : ARow - Span;
    }
    const Integer End = RowCount() - FixedFooters();
    if (Down) {
        while (R < End && RowHeights(R) == 0) ++R;
        if (R >= End) return ARow;
    } else {
        while (R >= FixedRows() && R < RowCount() && RowHeights(R) == 0) --R;
        if (R < FixedRows()) return RowHeights(ARow) > 0 ? ARow : -1;
    }
    return std::clamp(R, 0, RowCount() - 1);
}

Integer TZirOvararIzazInput::NextVisibleCol(Integer ACol, bool Right) {
    Integer Zero = 0;
    if (Right)
        for (Integer c = FixedCols(); c < ColCount(); ++c)
            if (ColWidths(c) == 0) ++Zero;
    ACol = std::min(ACol, ColCount() - Zero - 1);
    ACol = std::max(ACol, FixedCols());
    Integer C = ACol;
    if (Row() >= 0 && Row() < RowCount() && IsMergedCell(RealColIndex(ACol), Row())) {
        const Integer Span = std::max(CellSpan(RealColIndex(ACol), Row()).X, 0);
        C = Right ? ACol + Span : ACol - Span;
    }
    const Integer End = ColCount() - FixedRightCols();
    if (Right) {
        while (C < End && ColWidths(C) == 0) ++C;
        if (C >= End) return ACol;
    } else {
        while (C >= FixedCols() && C < ColCount() && ColWidths(C) == 0) --C;
        if (C < FixedCols()) return ACol;
    }
    return std::clamp(C, 0, ColCount() - 1);
}

Integer TZirOvararIzazInput::ClampVisibleCol(Integer ACol) {
    ACol = std::clamp(ACol, FixedCols(), ColCount() - 1);
    return NextVisibleCol(ACol, Col() < ACol);
}

Integer TZirOvararIzazInput::FirstVisibleRow() {
    if (RowHeights(FixedRows()) > 0) return FixedRows();
    SetRow(FixedRows());
    return NextVisibleRow(FixedRows() + 1);
}

Integer TZirOvararIzazInput::LastVisibleRow() {
    const Integer L = RowCount() - FixedFooters() - 1;
    if (RowHeights(L) > 0) return L;
    SetRow(L);
    return NextVisibleRow(L - 1);
}

Integer TZirOvararIzazInput::FirstVisibleCol() {
    if (ColWidths(FixedCols()) > 0) return FixedCols();
    SetCol(FixedCols());
    return ClampVisibleCol(FixedCols() + 1);
}

Integer TZirOvararIzazInput::LastVisibleCol() {
    const Integer L = ColCount() - FixedRightCols() - 1;
    if (ColWidths(L) > 0) return L;
    SetCol(L);
    return ClampVisibleCol(L - 1);
}

bool TZirOvararIzazInput::IsAtLastRow() {
    return Row() + 1 == RowCount() - FixedFooters() || (Row() + 2 == RowCount() && FloatingFooter()->Visible());
}

// ---- Appending, form controls, edits ----

void TZirOvararIzazInput::AutoAppendRow() {
    bool CanAdd = true;
    DoCanAddRow(CanAdd);
    if (!CanAdd) return;
    auto EmptyRow = [this](Integer ARow) {
        for (Integer c = 0; c < AllColCount(); ++c) {
            SetGridCells(c, ARow, String());
            SetObjects(c, ARow, nullptr);
        }
    };
    if (!FloatingFooter()->Visible()) {
        AppendRow();
        EmptyRow(RowCount() - 1);
    } else {
        // The empty row goes just above the footer row.
        std::vector<String> Footer;
        for (Integer c = 0; c < AllColCount(); ++c) Footer.push_back(GridCells(c, RowCount() - 1));
        AppendRow();
        EmptyRow(RowCount() - 2);
        for (Integer c = 0; c < AllColCount(); ++c) SetGridCells(c, RowCount() - 1, Footer[size_t(c)]);
    }
    if (FloatingFooter()->Visible() || FixedFooters() > 0) SetRow(Row() + 1);
    if (FloatingFooter()->Visible()) CalcFooter(-1);
    if (OnAutoAddRow) OnAutoAddRow(this, RowCount() - FixedFooters() - 1);
}

void TZirOvararIzazInput::EditNextFormControl(Integer ACol, Integer ARow, const String& ControlID) {
    (void)ACol, (void)ARow, (void)ControlID;
    // The editors of form controls in cells come with their layer; until
    // then the grid keeps the input.
    if (CanFocus()) SetFocus();
}

void TZirOvararIzazInput::NextEdit(Integer ACol, Integer ARow, bool AForward) {
    AdvanceCell(ACol, ARow, true, false, AForward, false, false);
}

void TZirOvararIzazInput::LaunchEdit(Integer ACol, Integer ARow) {
    FocusCell(ACol, ARow);
    if (HandleAllocated()) PostMessage(Handle(), WM_GRIDEDITSHOW(), 0, 0);
}

// ---- The Enter advance ----

void TZirOvararIzazInput::AdvanceCell(Integer ACol, Integer ARow, bool Force, bool AutoEdit, bool Forward,
                                      bool Repeat, bool ContinueEdit) {
    const TNavigationSettings& Nav = Navigation()->Settings();
    if (!Nav.AdvanceOnEnter && !Force) return;
    if (MouseActions()->Settings().RangeSelectAndEdit && !Options().Contains(goEditing))
        SetOptions(WithOption(Options(), goEditing, true));
    if (!Repeat) {
        FAutoEditCol = ACol;
        FAutoEditRow = ARow;
    } else if (ACol == FAutoEditCol && ARow == FAutoEditRow) {
        return;
    }
    const Integer StartCol = ACol, StartRow = ARow;
    const Integer RunCol = FAutoEditCol, RunRow = FAutoEditRow;
    const TAdvanceDirection Dir = Nav.AdvanceDirection;
    // At most one row or column is added per advance, and skipping cells
    // ends after one pass over the grid.
    bool Added = false;
    const Integer MaxSteps = ColCount() * RowCount() + 1;
    FStartEditChar = 0;
    for (Integer Step = 0;; ++Step) {
        if (Step > MaxSteps) return;
        if (Step > 0 && ACol == RunCol && ARow == RunRow) return;
        const Integer LastRow = RowCount() - 1 - FixedFooters();
        const TPoint Span(std::max(CellSpan(RealColIndex(ACol), ARow).X, 0),
                          std::max(CellSpan(RealColIndex(ACol), ARow).Y, 0));
        auto CanAddRow = [this, &Added]() {
            if (Added) return false;
            bool CanAdd = true;
            DoCanAddRow(CanAdd);
            return CanAdd;
        };
        auto AddOneRow = [this, &Added, &ARow]() {
            AddRow();
            Added = true;
            ++ARow;
            if (OnAutoAddRow) OnAutoAddRow(this, RowCount() - 1 - FixedFooters());
        };
        if (Forward) {
            if (Dir == adLeftRight || Dir == adLeftRightInRow) {
                const Integer LastCol = ColCount() - 1 - VisibleFixedRightCols();
                if (ACol + Span.X < LastCol) {
                    ACol += Span.X + 1;
                } else if (Dir == adLeftRightInRow) {
                    if (!Nav.AdvanceOnEnterLoop) return;
                    ACol = FirstEditColumn();
                } else if (ARow < LastRow) {
                    ++ARow;
                    ACol = FirstEditColumn();
                } else if (Nav.AdvanceInsert && !Added) {
                    const bool CanAdd = CanAddRow();
                    ACol = FirstEditColumn();
                    if (CanAdd) {
                        AddOneRow();
                        bool AnyEditable = false;
                        for (Integer c = FixedCols(); c < ColCount() && !AnyEditable; ++c)
                            AnyEditable = IsEditable(RealColIndex(c), ARow);
                        if (!AnyEditable) return;
                    }
                } else if (Nav.AdvanceOnEnterLoop) {
                    ARow = FixedRows();
                    ACol = FirstEditColumn();
                } else {
                    return;
                }
            } else {
                const Integer LastCol = ColCount() - 1 - FixedRightCols();
                if (ARow < LastRow) {
                    ++ARow;
                } else if (Dir == adTopBottomInCol) {
                    if (Nav.AdvanceInsert && !Added) {
                        if (CanAddRow()) AddOneRow();
                    } else if (Nav.AdvanceOnEnterLoop) {
                        ARow = FixedRows();
                    } else {
                        return;
                    }
                } else {
                    if (ACol == LastCol) {
                        if (Nav.AdvanceInsert && !Added) {
                            bool CanAdd = true;
                            DoCanAddCol(CanAdd);
                            if (CanAdd) {
                                SetColCount(ColCount() + 1);
                                Added = true;
                                ACol += Span.X + 1;
                                ARow = FixedRows();
                                if (OnAutoInsertCol) OnAutoInsertCol(this, ColCount() - 1 - FixedRightCols());
                            }
                        } else if (Nav.AdvanceOnEnterLoop) {
                            ARow = FixedRows();
                            ACol = FirstEditColumn();
                        } else {
                            return;
                        }
                    } else {
                        ARow = FixedRows();
                        ++ACol;
                        if (ACol >= ColCount()) ACol = FirstEditColumn();
                    }
                    Invalidate();
                }
            }
        } else {
            if (Dir == adLeftRight) {
                if (FirstEditColumn() < ACol) {
                    --ACol;
                } else {
                    ACol = ColCount() - 1 - FixedRightCols();
                    ARow = ARow <= FixedRows() ? LastRow : ARow - 1;
                }
            } else if (Dir == adTopBottom) {
                if (FixedRows() < ARow) {
                    --ARow;
                } else {
                    ARow = LastRow;
                    ACol = FirstEditColumn() < ACol ? ACol - 1 : ColCount() - 1 - FixedRightCols();
                }
            } else {
                // Along one row or column only, backwards stays put.
                return;
            }
        }
        if (Forward) ACol = NextVisibleCol(ACol, Dir == adLeftRight);

        Integer RealCol = RealColIndex(ACol);
        bool CanEnter = !IsFixed(ACol, ARow);
        DoCanEdit(RealCol, ARow, CanEnter);
        if (CanEnter) {
            bool Allow = true;
            Integer NewRow = ARow, NewCol = ACol;
            if (OnAutoAdvance) OnAutoAdvance(this, RunRow, RunCol, NewRow, NewCol, Allow);
            ACol = NewCol;
            ARow = NewRow;
            RealCol = RealColIndex(ACol);
            const bool OldDisable = FDisableChange;
            try {
                if (Allow) {
                    if (OnCellChanging) OnCellChanging(this, RunRow, RunCol, ARow, ACol, Allow);
                    FDisableChange = true;
                    if (Allow) {
                        SetCol(ACol);
                        SetRow(ARow);
                    } else {
                        AllowSelectCell(RunCol, RunRow);
                    }
                } else {
                    AllowSelectCell(RunCol, RunRow);
                }
            } catch (...) {
                FDisableChange = OldDisable;
                throw;
            }
            FDisableChange = OldDisable;
        } else {
            if (!Nav.AdvanceOnEnterLoop) {
                const TPoint Next = FindNextNavigableCell(ACol, ARow);
                if (Next.X < 0) return;
                CanEnter = !IsFixed(Next.X, Next.Y);
                DoCanEdit(RealColIndex(Next.X), Next.Y, CanEnter);
                if (CanEnter) {
                    ACol = Next.X;
                    ARow = Next.Y;
                }
            }
            if (Nav.AdvanceSkipReadOnlyCells && !CanEnter) continue;
            SetCol(ACol);
            SetRow(ARow);
            FocusCell(ACol, ARow);
        }
        RealCol = RealColIndex(ACol);

        if (ContinueEdit) {
            if (TControl* Control = CellControls(RealCol, ARow)) {
                bool CanEdit = true;
                DoCanEdit(RealCol, ARow, CanEdit);
                if (CanEdit) {
                    if (auto* Windowed = dynamic_cast<TWinControl*>(Control)) {
                        if (Windowed->CanFocus()) Windowed->SetFocus();
                        SetCol(StartCol);
                        SetRow(StartRow);
                        return;
                    }
                }
            }
            const bool ControlCell = IsControlCell(RealCol, ARow);
            if ((AutoEdit && Nav.AdvanceAutoEdit) || ControlCell) {
                if (!IsEditable(RealCol, ARow)) return;
                if (!ControlCell) {
                    SetEditorMode(true);
                } else {
                    // Moving onto a check box or radio button does not
                    // change it: the user toggles it with Space or a click.
                    if (Dir != adLeftRight) SetEditorMode(false);
                    bool Allow = true;
                    if (OnCellChanging) OnCellChanging(this, StartRow, StartCol, Row(), Col(), Allow);
                    TEditorType StartKind = DefaultEditor();
                    DoGetEditorType(RealColIndex(StartCol), StartRow, StartKind);
                    if (!IsNormalKind(StartKind)) SetEditorMode(false);
                }
            }
            if (MouseActions()->DisjunctRowSelect()) {
                ClearRowSelect();
                SetRowSelect(Row(), true);
            }
        }
        return;
    }
}

// ---- The character step ----

void TZirOvararIzazInput::HandleKeyPress(Char& Key) {
    const TNavigationSettings& Nav = Navigation()->Settings();
    if (Key == VK_ESCAPE) {
        if (Options().Contains(goEditing) && FEditing) RestoreEditCell();
        if (OnKeyPress) OnKeyPress(this, Key);
        return;
    }
    const Integer RealCol = RealColIndex(Col());
    if (Key == VK_RETURN && !EditMode() && !Nav.AdvanceOnEnter && !IsEditable(RealCol, Row())) {
        if (OnKeyPress) OnKeyPress(this, Key);
        Key = 0;
        return;
    }
    const bool Focused = HandleAllocated() && GetFocus() == Handle();
    if (Key == VK_RETURN && RowCount() <= FixedRows() && Nav.AdvanceOnEnter) {
        if (OnKeyPress) OnKeyPress(this, Key);
        if (Nav.AdvanceInsert) {
            SetRowCount(RowCount() + 1);
            ClearRows(RowCount() - 1, 1);
        }
        Key = 0;
        return;
    }
    if (Key == VK_RETURN && (!Focused || IsControlCell(RealCol, Row()))) {
        if (!Focused && CanFocus()) SetFocus();
        const bool Backward = GetKeyState(VK_SHIFT) < 0;
        const Integer OldCol = Col();
        AdvanceCell(Col(), Row(), false, false, !Backward, false, EditMode());
        if (Nav.AdvanceOnEnter && !Nav.AdvanceAutoEdit && (Nav.AdvanceOnEnterLoop || Col() != OldCol)) {
            if (OnKeyPress) OnKeyPress(this, Key);
            Key = 0;
            return;
        }
        if (IsControlCell(RealColIndex(Col()), Row())) {
            if (OnKeyPress) OnKeyPress(this, Key);
            if (Nav.AdvanceOnEnter) ShowInplaceEdit();
            Key = 0;
            return;
        }
    }
    if (!Options().Contains(goEditing) && Nav.AutoGotoWhenSorted) {
        if (Nav.AutoGotoIncremental) {
            if (Key == VK_BACK) {
                if (!SearchInc.empty()) SearchInc.pop_back();
            } else {
                SearchInc += Key;
            }
            SearchTics = 0;
        } else {
            SearchInc = String(1, Key);
        }
        const Integer Found = SearchInc.empty() ? -1 : Search(UpperCase(SearchInc));
        if (Found >= 0)
            SetRow(Found);
        else
            SearchInc.clear();
    }
    TZirOvararIzazCore::KeyPress(Key);
}

// The left button's release (touch-scroll end, fixed sizing end, cell
// buttons, disjunct and group selection, move end, smart fill, the sort by
// a click on the sort row), the right button, the double click, and the
// grid's steps after the platform grid moved a column or a row.

#include "grid/ZirOvararIzazInput.h"
#include "gridbase/RarEvad.h"
#include "rtl/FlagScope.h"
#include "vcl/Forms.h"
#include "windowing/Input.h"
#include "windowing/Timers.h"

#include "InputMouseShared.h"

#include <algorithm>
#include <cmath>

using namespace winapi;

using grid_mouse::InRect;
using grid_mouse::IsKeyHeld;

namespace {

// Index after a move of one entry from From to To.
Integer FollowMove(Integer Index, Integer From, Integer To) {
    if (Index == From) return To;
    if (From < To && Index > From && Index <= To) return Index - 1;
    if (From > To && Index >= To && Index < From) return Index + 1;
    return Index;
}

} // namespace

void TZirOvararIzazInput::EndPressState() {
    FMouseKeepDown = FMouseDownMove = FDoOnClick = false;
    FMouseDownFlag = FDeselectState = false;
    if (GridState() == gsSelecting) SetGridState(gsNormal);
    SetMouseCapture(false);
}

void TZirOvararIzazInput::TapAction(Integer ACol, Integer ARow) {
    if (ACol < 0 || ARow < 0) return;
    const Integer RealCol = RealColIndex(ACol);
    bool CanEdit = true;
    DoCanEdit(RealCol, ARow, CanEdit);
    if (!CanEdit) return;
    if (HasCheckBox(RealCol, ARow)) {
        ToggleCheckBox(RealCol, ARow);
        bool State = false;
        GetCheckBoxState(RealCol, ARow, State);
        DoCheckBoxClick(ACol, ARow, State);
    } else if (HasButton(RealCol, ARow)) {
        DoButtonClick(ACol, ARow);
    }
}

void TZirOvararIzazInput::EndTouchScroll(Integer X, Integer Y) {
    FScrollStart = false;
    const Integer Dx = X - FPtDown.X, Dy = Y - FPtDown.Y;
    const bool Quick = GetTickCount() - FTimeStart < 500;
    Integer TapCol = -1, TapRow = -1;
    MouseToCell(X, Y, TapCol, TapRow);
    if (std::abs(Dx) <= std::abs(Dy)) {
        FScrollDelta = Y > FPtDown.Y ? -1 : 1;
        if (Quick && TopRow() != FTopDown) {
            StartSmoothScroll(10, FScrollDelta, true);
            FScrollSteps = 10;
        } else if (TopRow() == FTopDown) {
            if (TapCol >= 0 && TapRow >= 0 && !Options().Contains(goRowSelect)) {
                FocusCell(TapCol, TapRow);
                AllowSelectCell(TapCol, TapRow);
            }
            SetTopRow(FTopDown);
            TapAction(TapCol, TapRow);
        }
        FPtDown.Y = -1;
    } else {
        FScrollDelta = X > FPtDown.X ? -1 : 1;
        if (Quick && LeftCol() != FLeftRight) {
            StartSmoothScroll(10, FScrollDelta, false);
            FScrollSteps = 10;
        } else if (LeftCol() == FLeftRight) {
            if (TapCol >= 0 && TapRow >= 0) {
                FocusCell(TapCol, TapRow);
                AllowSelectCell(TapCol, TapRow);
            }
            SetLeftCol(std::max(FixedCols(), FLeftRight));
            TapAction(TapCol, TapRow);
        }
    }
    FPtDown = TPoint(-1, -1);
    SetMouseCapture(false);
    if (CanFocus()) SetFocus();
    if (ActiveRowShow()) Invalidate();
}

void TZirOvararIzazInput::SmartFill() {
    if (FSmartFillCopy.empty() || FSmartFillCopy.front().empty()) return;
    const TGridRect S = Selection();
    const Integer H = Integer(FSmartFillCopy.size()), W = Integer(FSmartFillCopy.front().size());
    BeginUpdate();
    try {
        for (Integer r = std::min(S.Top, S.Bottom); r <= std::max(S.Top, S.Bottom); ++r)
            for (Integer c = std::min(S.Left, S.Right); c <= std::max(S.Left, S.Right); ++c) {
                const Integer dr = r - std::min(FDropSelection.Top, FDropSelection.Bottom);
                const Integer dc = c - std::min(FDropSelection.Left, FDropSelection.Right);
                SetCells(RealColIndex(c), r, FSmartFillCopy[((dr % H) + H) % H][((dc % W) + W) % W]);
            }
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TZirOvararIzazInput::SortByClick(Integer RealCol) {
    HideInplaceEdit();
    if (RowCount() != SortRowXRef()->Count()) InitSortXRef();
    bool Undo = false;
    TSortSettings* SS = SortSettings();
    if (SS->AutoColumnMerge()) SplitMergedColumns();
    const bool Initial = SS->InitSortDirection() == sdAscending;
    const Integer LeftBefore = LeftCol();
    const bool Keep = Navigation()->Settings().KeepHorizScroll && Options().Contains(goRowSelect);
    auto Run = [&](auto&& Sort) {
        if (Keep) BeginUpdate();
        const DWORD Start = GetTickCount();
        try {
            Sort();
        } catch (...) {
            if (Keep) {
                SetLeftCol(LeftBefore);
                EndUpdate();
            }
            throw;
        }
        FClickSortTime = GetTickCount() - Start;
        SetSortTime(Integer(FClickSortTime));
        if (Keep) {
            SetLeftCol(LeftBefore);
            EndUpdate();
        }
    };
    if (SS->IndexShow()) {
        TSortIndexList* L = SortIndexes();
        const bool Extend =
            SS->IndexSortKey() == ikShift ? IsKeyHeld(VK_SHIFT) : SS->IndexSortKey() == ikCtrl && IsKeyHeld(VK_CONTROL);
        if (Extend) {
            if (L->FindIndex(RealCol) < 0)
                L->AddIndex(RealCol, Initial);
            else
                L->ToggleIndex(RealCol);
        } else if (L->Count() == 1 && L->FindIndex(RealCol) == 0) {
            L->ToggleIndex(RealCol);
        } else {
            L->Clear();
            L->AddIndex(RealCol, Initial);
        }
        Run([&] {
            if (NumNodes() == 0)
                QSortIndexed();
            else
                QSortGroupIndexed();
            SS->SetColumn(L->Count() > 0 ? (L->SortColumns(0) & 0xFFFF) : -1);
        });
    } else {
        if (SS->Column() == RealCol) {
            const TSortDirection Before = SS->Direction();
            SS->SetDirection(Before == sdAscending ? sdDescending : sdAscending);
            if (Before != SS->InitSortDirection() && SS->UndoSort()) Undo = true;
        } else {
            SS->SetDirection(SS->InitSortDirection());
            SS->SetColumn(RealCol);
        }
        Run([&] {
            if (NumNodes() == 0) {
                if (Undo) {
                    QUnSort();
                    SS->SetColumn(-1);
                } else {
                    QSort();
                }
            } else {
                QSortGroup();
            }
        });
    }
    if (SS->AutoColumnMerge()) RemergeColumns();
    if (ControlList()->Count() > 0) CellControlsUpdate(true);
    DoClickSort(SS->Column());
}

void TZirOvararIzazInput::HandleWMLButtonUp(TMessage& Message) {
    const Integer X = GET_X_LPARAM(Message.LParam), Y = GET_Y_LPARAM(Message.LParam);
    const TMouseActionsSettings& MA = MouseActions()->Settings();
    FColMoveFlg = FColSizeFlg = FMouseDownFlag = FMouseKeepDown = false;
    FMouseSelectMode = msNormal;
    bool DeselectDone = false;

    // After a link or form control the release only ends the press.
    if (FAnchorClick) {
        FAnchorClick = false;
        Message.Result = 1;
        return;
    }
    if (FScrollStart) EndTouchScroll(X, Y);
    if (FCtrlDown) {
        FCtrlDown = false;
        RepaintCell(RealToDisplColumn(FCtrlXY.X), FCtrlXY.Y);
    }
    FMouseDownMove = false;
    FMouseSelectStart = -1;

    // The end of sizing a fixed column or row; a size never goes negative.
    if (FSizingFixed) {
        FSizeFixed = FSizingFixed = false;
        if (FSizingFixedCol >= 0) {
            Integer Before = 0;
            for (Integer i = 0; i < FSizingFixedCol; ++i) Before += ColWidths(i);
            Integer NewWidth = std::max(0, X - Before);
            SetColWidths(FSizingFixedCol, NewWidth);
            if (OnEndColumnSize) OnEndColumnSize(this, FSizingFixedCol);
            const Integer Asked = NewWidth;
            if (OnUpdateColumnSize) OnUpdateColumnSize(this, FSizingFixedCol, NewWidth);
            if (NewWidth != Asked) SetColWidths(FSizingFixedCol, std::max(0, NewWidth));
        }
    }
    if (FSizingFixedR) {
        FSizeFixedR = FSizingFixedR = false;
        if (FSizingFixedRow >= 0) {
            Integer Before = 0;
            for (Integer i = 0; i < FSizingFixedRow; ++i) Before += RowHeights(i);
            SetRowHeights(FSizingFixedRow, std::max(0, Y - Before));
            if (OnEndRowSize) OnEndRowSize(this, FSizingFixedRow);
        }
    }
    if (FFixedCellPushed) {
        FFixedCellPushed = false;
        if (FPushedCellButton.X >= 0) RepaintCell(FPushedCellButton.X, FPushedCellButton.Y);
    }

    Integer ACol = -1, ARow = -1;
    MouseToCell(X, Y, ACol, ARow);
    const bool OnCell = ACol >= 0 && ARow >= 0;

    // A held cell button.
    if (FPushedCellButton.X != -1) {
        const TPoint P = FPushedCellButton;
        TPoint B = OnCell ? BaseCell(RealColIndex(ACol), ARow) : TPoint(ACol, ARow);
        if (OnCell) B.X = RealToDisplColumn(B.X);
        bool Enabled = Options().Contains(goEditing);
        if (OnCell && !ControlLook()->NoDisabledButtonLook()) {
            bool CanEdit = Enabled;
            DoCanEdit(RealColIndex(B.X), B.Y, CanEdit);
            bool Fixed = false;
            DoIsFixedCell(RealColIndex(B.X), B.Y, Fixed);
            Enabled = CanEdit && !Fixed;
        }
        const bool PushedFixed = P.X < FixedCols() || P.Y < FixedRows();
        const bool BExpand = OnCell && HasExpand(RealColIndex(B.X), B.Y);
        if (Enabled || FixedAsButtons() || ControlLook()->NoDisabledButtonLook() || BExpand || PushedFixed) {
            if (!IsNode(P.Y)) PushButton(P.X, P.Y, false);
            if (OnCell) {
                if (InRect(GetCellGraphicRect(B.X, B.Y), X, Y) || FixedAsButtons() || PushedFixed)
                    DoButtonClick(P.X, P.Y);
                if ((BExpand && InRect(GetExpandRect(B.X, B.Y), X, Y)) || (FixedAsButtons() && P.X < FixedCols()) ||
                    P.Y < FixedRows()) {
                    if (HasExpand(RealColIndex(P.X), P.Y)) DoExpandClick(P.X, P.Y, ToggleExpand(P.X, P.Y));
                }
            }
        }
        FPushedCellButton = TPoint(-1, -1);
        SetMouseCapture(false);
    }
    if (HintShowSizing() && ScrollHintShowing()) HideScrollHint();

    const TCursor ScreenCursor = Screen->Cursor();
    const bool MoveEnd = (ScreenCursor == crDrag || ScreenCursor == crNoDrop) &&
                         (GridState() == gsRowMoving || GridState() == gsColMoving) && EnhRowColMove();
    if (OnCell && !MoveEnd) {
        const Integer RC = RealColIndex(ACol);
        if ((HasButton(RC, ARow) && InRect(GetCellGraphicRect(ACol, ARow), X, Y)) ||
            (HasExpand(RC, ARow) && InRect(GetExpandRect(ACol, ARow), X, Y)))
            return;
    }
    const bool SizingRelease = ARow < FixedRows() && ACol >= 0 && Options().Contains(goColSizing) &&
                               ScreenCursor == crHSplit;
    if (OnClick && FDoOnClick && !SizingRelease && (ARow < FixedRows() || ACol < FixedCols())) OnClick(this);
    FDoOnClick = false;
    if (GridState() == gsSelecting) Click();

    // A press on a selected cell that did not become a drag.
    if (FSelectionClick) {
        FSelectionClick = false;
        if (ARow >= FixedRows() && ACol >= FixedCols()) {
            if (MA.DisjunctRowSelect && DragDropSettings()->OleDropSource()) {
                if (!IsKeyHeld(VK_CONTROL) && !MA.DisjunctRowSelectNoCtrl) {
                    ClearRowSelectList();
                } else {
                    SetRowSelect(ARow, !RowSelect(ARow));
                    if (OnMouseUp) OnMouseUp(this, mbLeft, TShiftState{ssCtrl}, X, Y);
                    return;
                }
            } else {
                if (Options().Contains(goRowSelect))
                    SetSelection(TGridRect{FixedCols(), ARow, ColCount() - 1, ARow});
                else
                    SetSelection(TGridRect{ACol, ARow, ACol, ARow});
                if (!RowIndicator()->Empty() && FixedCols() > 0) RepaintCell(0, Row());
            }
        }
    }

    // Disjunct row selection.
    if (MA.DisjunctRowSelect && !(ACol == 0 && ARow >= 0 && IsNode(ARow))) {
        bool Allow = true;
        if (OnSelectCell) OnSelectCell(this, ACol, ARow, Allow);
        if (IsKeyHeld(VK_CONTROL) || IsKeyHeld(VK_SHIFT)) FDisSelection = TGridRect{-1, -1, -1, -1};
        if (Allow && (ACol != 0 || FMouseDownPt.X != 0 || !MA.HotmailRowSelect) && !IsFixed(ACol, ARow) &&
            !IsFixed(FMouseDownPt.X, FMouseDownPt.Y)) {
            FDisSelection = TGridRect{-1, -1, -1, -1};
            {
                TFlagScope Blocked(FCellChangingBlocked, true);
                SelectionToRowSelect(false);
            }
            if (OnCheckBoxChange) OnCheckBoxChange(this, ACol, ARow, true);
        }
        if (MA.RowSelect) FDisSelection = TGridRect{-1, -1, -1, -1};
        if (ARow >= FixedRows() && ARow <= RowCount() - FixedFooters() - 1 && FDeselectState) {
            SetRowSelect(MA.RowSelectPersistent ? RealRowIndex(ARow) : ARow, false);
            DeselectDone = true;
            if (MA.HotmailRowSelect) RepaintCell(0, 0);
        }
        FDeselectState = false;
    }
    // Group selection.
    if (OnCell && IsNode(ARow) && Grouping()->AutoSelectGroup() && ACol > 0 && !GetNodeState(ARow)) {
        const Integer Span = GetNodeSpan(ARow);
        if (!MA.DisjunctRowSelect)
            SetSelection(TGridRect{FixedCols(), ARow, ColCount() - 1, ARow + Span - 1});
        else if (Span >= 2)
            for (Integer r = ARow + 1; r <= ARow + Span - 1; ++r) SetRowSelect(RealRowIndex(r), true);
    }
    // Disjunct column selection.
    if (MA.DisjunctColSelect) {
        SelectionToColSelect(false);
        if (ACol >= FixedCols() && ACol <= ColCount() - FixedRightCols() - 1 && FDeselectState)
            SetColSelect(ACol, false);
        FDeselectState = false;
    }
    // The end of an enhanced row or column move.
    bool MoveEnded = false;
    if (MoveEnd) {
        DoEndBlockFocus();
        const bool Dropped = ScreenCursor != crNoDrop;
        Screen->SetCursor(crDefault);
        if (Dropped) {
            if (GridState() == gsColMoving && FMoveCell >= 0 && ACol >= FixedCols() && ACol != FMoveCell)
                MoveColumn(FMoveCell, ACol);
            else if (GridState() == gsRowMoving && FMoveCell >= 0 && ARow >= FixedRows() && ARow != FMoveCell)
                MoveRow(FMoveCell, ARow);
        } else {
            Invalidate();
        }
        SetGridState(gsNormal);
        MoveEnded = true;
    }

    StandardMouseHandling(Message);

    if (OnCell && (ACol < FixedCols() || ARow < FixedRows()) && !SizingRelease && OnFixedCellClick)
        OnFixedCellClick(this, ACol, ARow);
    if (DeselectDone) FSelChange = false;
    if (GridState() == gsSelecting) SetGridState(gsNormal);

    // The end of a drag of the selection's corner.
    if (FMouseResize) {
        if (OnSelectionResize) OnSelectionResize(this, FDropSelection, Selection());
        if (Navigation()->Settings().AllowSmartClipboard) {
            TFlagScope Filling(FEditDisable, true);
            SmartFill();
        }
        FMouseResize = false;
        if (OnSelectionResized) OnSelectionResized(this, FDropSelection, Selection());
    }
    if (FColMoveFlg || FColSizeFlg || !OnCell) return;

    const Integer RealCol = RealColIndex(ACol);
    bool State = false;
    if (HasCheckBox(RealCol, ARow) && GetCheckBoxState(RealCol, ARow, State) && OnCheckBoxMouseUp)
        OnCheckBoxMouseUp(this, RealCol, ARow, State);
    Integer Idx = -1;
    if (IsRadio(RealCol, ARow) && GetRadioIdx(RealCol, ARow, Idx) && OnRadioMouseUp)
        OnRadioMouseUp(this, RealCol, ARow, Idx);
    if (RealCol < FixedCols() && ARow < FixedRows() && !SortSettings()->FixedCols()) return;
    if (FDblClk) {
        FDblClk = false;
        return;
    }

    // A click on the sort row.
    const TRect R = CellRect(ACol, ARow);
    if (ARow < FixedRows() && Options().Contains(goColSizing) && (X - R.Left < 4 || R.Right - X < 4)) return;
    Integer PressCol = -1, PressRow = -1;
    MouseToCell(FClickPos.X, FClickPos.Y, PressCol, PressRow);
    if (ControlLook()->FixedDropDownButton() && DoCanShowFixedDropDown(RealCol, ARow) && X > R.Right - 16) return;
    const bool RightToLeft = BiDiMode() == bdRightToLeft;
    if ((RightToLeft ? X < R.Left + 16 : X > R.Right - 16) && DoGetColumnFilter(RealCol)) return;
    TSortSettings* SS = SortSettings();
    bool OnSortRow = SS->Row() == ARow && SS->Row() == PressRow;
    if (!OnSortRow && ARow == PressRow && CellSpan(RealCol, ARow).Y > 0) {
        const TPoint Base = BaseCell(RealCol, ARow);
        OnSortRow = Base.Y <= SS->Row() && SS->Row() <= Base.Y + CellSpan(RealCol, ARow).Y;
    }
    if (OnSortRow && FixedRows() > 0 && !IsInCheckBox(RealCol, ARow, X, Y) && SS->Show() && !MoveEnded &&
        RowCount() > 2) {
        bool Allow = !IsIgnoredColumn(RealCol);
        DoCanSort(RealCol, Allow);
        if (Allow) {
            SortByClick(RealCol);
            return;
        }
        RepaintCell(ACol, SS->Row());
    }
}

void TZirOvararIzazInput::HandleWMRButtonDown(TMessage& Message) {
    StandardMouseHandling(Message);
    const Integer X = GET_X_LPARAM(Message.LParam), Y = GET_Y_LPARAM(Message.LParam);
    const TMouseActionsSettings& MA = MouseActions()->Settings();
    Integer ACol = -1, ARow = -1;
    MouseToCell(X, Y, ACol, ARow);
    const TShiftState Shift = HeldModifiers();
    if (MA.SelectOnRightClick && MA.RowSelect && ACol >= 0 && ACol < FixedCols() && ARow >= 0) {
        FireMouseDown(mbLeft, Shift, X, Y);
        SetRow(ARow);
        DoClickCell(ARow, FixedCols());
        return;
    }
    const bool OnCell = ACol >= 0 && ARow >= 0;
    if (MA.SelectOnRightClick && OnCell && !IsFixed(ACol, ARow)) {
        const bool Selected = IsSelected(ACol, ARow);
        if (Selected && MA.SelectOnRightClickNewSelectionOnly) return;
        if (MA.HotmailRowSelect && Shift.Contains(ssShift)) {
            for (Integer r = std::min(Row(), ARow); r <= std::max(Row(), ARow); ++r) SetRowSelect(r, true);
            DoClickCell(ARow, FixedCols());
            if (OnCheckBoxChange) OnCheckBoxChange(this, FixedCols(), ARow, true);
            return;
        }
        if (!MA.DisjunctCellSelect || !Selected) {
            const Integer LeftBefore = LeftCol();
            const bool Keep = Navigation()->Settings().KeepHorizScroll;
            if (Keep) BeginUpdate();
            try {
                if (!IsControlCell(RealColIndex(ACol), ARow)) {
                    if (OnRightClickCell) {
                        FocusCell(ACol, ARow);
                    } else {
                        MouseDown(mbLeft, TShiftState(), X, Y);
                        MouseUp(mbLeft, TShiftState(), X, Y);
                    }
                }
                if (!Selected || Options().Contains(goRowSelect)) {
                    const TPoint Base = BaseCell(RealColIndex(ACol), ARow);
                    MoveColRow(RealToDisplColumn(Base.X), Base.Y, true, true);
                } else if (OnSelectCell) {
                    bool CanSelect = true;
                    OnSelectCell(this, ACol, ARow, CanSelect);
                }
            } catch (...) {
                if (Keep) {
                    SetLeftCol(LeftBefore);
                    EndUpdate();
                }
                throw;
            }
            if (Keep) {
                SetLeftCol(LeftBefore);
                EndUpdate();
            }
            if (MA.DisjunctRowSelect) {
                if (Shift.Contains(ssCtrl) || MA.DisjunctRowSelectNoCtrl) {
                    SetRowSelect(ARow, !RowSelect(ARow));
                } else if (RowSelectCount() > 1 && PopupMenu()) {
                    // A selected row keeps the whole selection for the menu.
                    if (!RowSelect(ARow)) {
                        ClearRowSelectList();
                        SetRowSelect(ARow, true);
                    }
                } else {
                    ClearRowSelectList();
                    SetRowSelect(ARow, true);
                }
            }
        }
    }
    if (OnRightClickCell) OnRightClickCell(this, ARow, ACol);
    if (OnCell && URLShow() && URLEdit() && IsURLText(GridCells(RealColIndex(ACol), ARow))) {
        SetCol(ACol);
        SetRow(ARow);
        ShowEditor();
    }
}

void TZirOvararIzazInput::HandleWMRButtonUp(TMessage& Message) {
    if ((GridState() == gsRowMoving || GridState() == gsColMoving) && EnhRowColMove()) {
        Message.Result = 0;
        return;
    }
    StandardMouseHandling(Message);
}

void TZirOvararIzazInput::AutoSizeColumnByDblClick(Integer C) {
    bool Allow = true;
    DoColumnSize(C, Allow);
    if (!Allow) return;
    AutoSizeCol(C, 0);
    if (OnEndColumnSize) OnEndColumnSize(this, C);
}

void TZirOvararIzazInput::HandleWMLButtonDblClk(TMessage& Message) {
    const Integer X = GET_X_LPARAM(Message.LParam), Y = GET_Y_LPARAM(Message.LParam);
    const TMouseActionsSettings& MA = MouseActions()->Settings();
    Integer ACol = -1, ARow = -1;
    MouseToCell(X, Y, ACol, ARow);
    const bool Forced = MA.RangeSelectAndEdit && !(ACol >= 0 && ARow >= 0 && IsControlCell(RealColIndex(ACol), ARow));
    TFlagScope ForcedSel(FForceSel, Forced ? true : FForceSel);
    auto Inherited = [&] {
        StandardMouseHandling(Message);
        DblClick();
    };
    if (ACol == -1) {
        if (FixedRowAlways()) {
            Inherited();
            return;
        }
        ACol = ColCount() - 1;
        ARow = 0;
    }
    if (ARow < 0) return;
    if (MA.ToggleNodeOnDblClick && ACol >= FixedCols() && IsNode(ARow)) {
        ToggleNode(RealRowIndex(ARow));
        return;
    }
    // Auto-size on a column border.
    if (ARow < FixedRows() && Options().Contains(goColSizing) && MA.AutoSizeColOnDblClick) {
        const TRect R = CellRect(ACol, ARow);
        if (std::abs(X - R.Left) <= 3) {
            FDblClk = true;
            Integer C = ACol - 1;
            if (C >= FixedCols() && C < SuppressColSizes()->Count() && SuppressColSizes()->Items(C) > 0 &&
                ColWidths(C) == 0)
                --C;
            if (C >= FixedCols()) {
                // The platform grid's press would start sizing the column
                // again from the old border: only the double click is told.
                AutoSizeColumnByDblClick(C);
                DblClick();
                return;
            }
        } else if (std::abs(X - R.Right) <= 3 && ACol >= FixedCols()) {
            FDblClk = true;
            AutoSizeColumnByDblClick(ACol);
            DblClick();
            return;
        }
    }
    const Integer RealCol = RealColIndex(ACol);
    if ((HasButton(RealCol, ARow) && InRect(GetCellGraphicRect(ACol, ARow), X, Y)) ||
        (HasExpand(RealCol, ARow) && InRect(GetExpandRect(ACol, ARow), X, Y)))
        return;
    Inherited();
    if (OnDblClickCell) {
        Integer C = -1, R = -1;
        MouseToCell(X, Y, C, R);
        OnDblClickCell(this, R, C);
    }
    if (IsControlCell(RealCol, ARow) && !HasButton(RealCol, ARow)) return;
    if (MA.EditOnDblClickOnly) {
        const bool Saved = MA.RangeSelectAndEdit;
        MouseActions()->PlainSettings().RangeSelectAndEdit = true;
        if (IsEditable(RealCol, ARow)) {
            SetOptions(WithOption(Options(), goEditing, true));
            FOldCol = ACol;
            FOldRow = ARow;
            ShowInplaceEdit();
        }
        MouseActions()->PlainSettings().RangeSelectAndEdit = Saved;
    } else if (MA.RangeSelectAndEdit && IsEditable(RealCol, ARow)) {
        // The editor opens directly: no press is simulated at the cell's
        // corner, where it could toggle a check box or follow a link.
        SetOptions(WithOption(Options(), goEditing, true));
        const TPoint Base = BaseCell(RealCol, ARow);
        {
            TFlagScope Force(FForceSel, true);
            FocusCell(RealToDisplColumn(Base.X), Base.Y);
        }
        ShowInplaceEdit();
    }
    if ((ARow < FixedRows() && MA.FixedRowsEdit == fceDblClick) ||
        (ACol < FixedCols() && MA.FixedColsEdit == fceDblClick))
        StartFixedCellEdit(ACol, ARow, false);
}

void TZirOvararIzazInput::HandleColumnMoved(Integer FromIndex, Integer ToIndex) {
    const Integer RealFrom = RealColIndex(FromIndex), RealTo = RealColIndex(ToIndex);
    // The platform grid has moved the widths and the current column with the
    // data; the core moves the cells, the column order and the sort column.
    TZirOvararIzazCore::ColumnMoved(FromIndex, ToIndex);
    if (EnhRowColMove()) FColMoveFlg = true;
    if (SortSettings()->IndexShow() && SortIndexes()->Count() > 0) {
        TSortIndexList* L = SortIndexes();
        for (Integer i = 0; i < L->Count(); ++i)
            L->SetSortColumns(i, FollowMove(L->SortColumns(i) & 0xFFFF, RealFrom, RealTo));
    }
    if (FloatingFooter()->Visible()) FloatingFooter()->Invalidate();
    auto* Other = dynamic_cast<TZirOvararIzazInput*>(SyncGrid()->Grid());
    if (Other && SyncGrid()->MoveColumn() && !FSyncedMove) {
        TFlagScope Synced(Other->FSyncedMove, true);
        Other->MoveColumn(FromIndex, ToIndex);
    }
}

void TZirOvararIzazInput::HandleRowMoved(Integer FromIndex, Integer ToIndex) {
    if (FloatingFooter()->Visible() && FloatingFooter()->FooterStyle() == fsFixedLastRow &&
        ToIndex == RowCount() - 1)
        return;
    {
        auto Saved = OnRowMoved;
        OnRowMoved = nullptr;
        try {
            TZirOvararIzazCore::RowMoved(FromIndex, ToIndex);
        } catch (...) {
            OnRowMoved = Saved;
            throw;
        }
        OnRowMoved = Saved;
    }
    if (EnhRowColMove()) FColMoveFlg = true;
    if (OnRowMoved) OnRowMoved(this, FromIndex, ToIndex);
    auto* Other = dynamic_cast<TZirOvararIzazInput*>(SyncGrid()->Grid());
    if (Other && SyncGrid()->MoveRow() && !FSyncedMove) {
        TFlagScope Synced(Other->FSyncedMove, true);
        Other->MoveRow(FromIndex, ToIndex);
    }
}

// The current-cell query: every move of the current cell, by key, click or
// code, asks AllowSelectCell first. It keeps edit permission in step with
// the target cell, validates an edit running outside the normal editor,
// lets the application veto the move through the changing events, and
// tells the listeners. Also the small hooks of the same family.

#include "grid/GridUnit.h"
#include "grid/ZirOvararIzazInput.h"
#include "windowing/Focus.h"
#include "windowing/MessageQueue.h"

using namespace winapi;

void TZirOvararIzazInput::DoCellChanging(Integer OldRow, Integer OldCol, Integer NewRow, Integer NewCol,
                                         bool& Allow) {
    if (FCellChangingBlocked) return;
    if (NewCol != OldCol && OnColChanging) OnColChanging(this, OldCol, NewCol, Allow);
    if (NewRow != OldRow && OnRowChanging) OnRowChanging(this, OldRow, NewRow, Allow);
    if ((NewCol != OldCol || NewRow != OldRow) && OnCellChanging && !FDisableChange)
        OnCellChanging(this, OldRow, OldCol, NewRow, NewCol, Allow);
}

void TZirOvararIzazInput::DoScrollCell(Integer ACol, Integer ARow, Integer ScrollPosition, Integer ScrollMin,
                                       Integer ScrollMax) {
    if (OnScrollCell) OnScrollCell(this, ACol, ARow, ScrollPosition, ScrollMin, ScrollMax);
}

bool TZirOvararIzazInput::DoCanShowFixedDropDown(Integer ACol, Integer ARow) {
    (void)ARow;
    bool CanShow = true;
    if (OnCanShowFixedDropDown) OnCanShowFixedDropDown(this, ACol, CanShow);
    return CanShow;
}

void TZirOvararIzazInput::DoStartBlockFocus() {
    if (OnStartBlockFocus) OnStartBlockFocus(this);
}

void TZirOvararIzazInput::DoEndBlockFocus() {
    if (OnEndBlockFocus) OnEndBlockFocus(this);
}

bool TZirOvararIzazInput::IsSelectionVisible() {
    if (!ShowSelection() || SelectionColor() == clNone) return false;
    if (!AutoHideSelection()) return true;
    return HandleAllocated() && GetFocus() == Handle();
}

bool TZirOvararIzazInput::AllowSelectCell(Integer ACol, Integer ARow) {
    const TGridRect OldSelection = Selection();
    if (ACol < 0 || ARow < 0) return false;
    const bool RowIndicatorShown = !RowIndicator()->Empty() && FixedCols() > 0;
    if (FForceSel) {
        if (RowIndicatorShown) {
            RepaintCell(0, Row());
            RepaintCell(0, ARow);
        }
        return true;
    }
    if (FInvalidSel) return false;
    if (!Parent()) return true;

    bool Allow = true;
    bool Result = false;
    FEditText = GridCells(ACol, ARow);

    // A floating footer keeps the target out from under it.
    if (FloatingFooter()->Visible()) {
        const Integer FooterTop = ClientRect().Bottom - FloatingFooter()->Height() + 2;
        if (FloatingFooter()->FooterStyle() == fsFixedLastRow) {
            if (!KeepTopRowOnSelect()) {
                if (ARow >= TopRow() + VisibleRowCount()) SetTopRow(ARow - VisibleRowCount() + FixedRows());
                if (CellRect(ACol, ARow).Bottom > FooterTop && ARow < RowCount() - 1) SetTopRow(TopRow() + 1);
                if (ARow == RowCount() - 1) return false;
            }
        } else {
            if (FooterPanel()) FooterPanel()->Invalidate();
            if (CellRect(ACol, ARow).Bottom > FooterTop && ARow < RowCount()) SetTopRow(TopRow() + 1);
        }
    }

    // A cell covered by a merged area hands the move to the area's base cell.
    const Integer TargetReal = RealColIndex(ACol);
    if (ACol < ColCount() && ARow < RowCount() && IsMergedNonBaseCell(TargetReal, ARow)) {
        const TPoint Base = BaseCell(TargetReal, ARow);
        const Integer BaseCol = DisplColIndex(Base.X);
        MoveColRow(BaseCol, Base.Y, true, true);
        RepaintCell(BaseCol, Base.Y);
        if (MouseActions()->Settings().DirectEdit ||
            (ControlLook()->DropDownAlwaysVisible() && DoHasComboBox(ACol, ARow, edNone)))
            SetEditorMode(true);
        return false;
    }
    if (ACol == 0 && HasNodes() && !Options().Contains(goRowSelect)) return false;
    if (EnabledRowsInUse() && Navigation()->Settings().SkipDisabledRows && !RowEnabled(RealRowIndex(ARow)))
        return false;

    const Integer OldCol = Col(), OldRow = Row();
    const Integer RealCol = TargetReal;
    String NewText = GridCells(RealCol, ARow);
    const bool EditorFocused = InplaceEditor() && InplaceEditor()->HandleAllocated() &&
                               GetFocus() == InplaceEditor()->Handle();

    TGridOptions Opts = Options();
    const bool RangeSelectAndEdit = MouseActions()->Settings().RangeSelectAndEdit;
    auto SetOpts = [this](TGridOptions Value) {
        FEditChange = true;
        SetOptions(Value);
    };
    if (IsControlCell(RealCol, ARow)) {
        bool CanEdit = true;
        DoCanEdit(RealCol, ARow, CanEdit);
        if (!FEditDisable) FEditDisable = !CanEdit && (Opts.Contains(goEditing) || RangeSelectAndEdit);
        if (!Opts.Contains(goEditing) && !Opts.Contains(goRowSelect) && CanEdit) SetOpts(WithOption(Opts, goEditing, true));
    } else {
        bool CanEdit = Opts.Contains(goEditing) || FEditDisable;
        DoCanEdit(RealCol, ARow, CanEdit);
        if (CanEdit && MouseActions()->Settings().DirectEdit) {
            TEditorType Editor = DefaultEditor();
            if (DoIsNoEditorCell(RealCol, ARow, Editor)) CanEdit = false;
        }
        if (MouseActions()->EditOnDblClickOnly()) CanEdit = false;
        if (CanEdit) {
            FEditDisable = false;
            if (!Opts.Contains(goEditing)) {
                if (!FEditing) SaveOldCellText(ACol, ARow);
                if (Opts.Contains(goRowSelect) && RangeSelectAndEdit) Opts = WithOption(Opts, goRowSelect, false);
                SetOpts(WithOption(Opts, goEditing, true));
                if (FEditing) {
                    HideInplaceEdit();
                    NewText = GridCells(RealCol, ARow);
                }
            }
        } else {
            if (FEditing) {
                HideInplaceEdit();
                NewText = GridCells(RealCol, ARow);
            }
            if (Options().Contains(goEditing)) {
                FEditMode = false;
                FEditDisable = true;
                SetEditorMode(false);
                SetOpts(WithOption(Options(), goEditing, false));
            }
        }
    }

    if (FEditing && !EditorFocused) {
        // An edit runs outside the normal editor: its value is validated
        // before the cell may be left.
        const String Saved = FCellCache;
        const String CurText = CurrentCell();
        const bool Valid = IsWideCell(RealColIndex(Col()), Row()) ? ValidateCellWide(CurText) : ValidateCell(CurText);
        Allow = Valid;
        DoCellChanging(OldRow, OldCol, ARow, ACol, Allow);
        Result = Valid && Allow;
        if (Result) Result = TZirOvararIzazCore::SelectCell(ACol, ARow);
        if (!Result && !InvalidEntryTitle().empty()) {
            FInvalidCache = CurText;
            FInvalidSel = true;
            // The message names the cell whose value was refused: its
            // handler puts the refused text back there, not into the cell
            // the move aimed at.
            if (HandleAllocated()) PostMessage(Handle(), WM_GRIDEDITINVALID(), WPARAM(OldCol), LPARAM(OldRow));
        }
        if (!Result) NewText = Saved;
    } else {
        if (EditMode() && (Navigation()->Settings().AlwaysEdit || OnCellChanging) && !FValidating &&
            HandleAllocated())
            PostMessage(Handle(), WM_GRIDEDITDONE(), WPARAM(ACol), LPARAM(ARow));
        DoCellChanging(OldRow, OldCol, ARow, ACol, Allow);
        if (IsFixed(ACol, ARow) || !Allow)
            Result = (Allow && Options().Contains(goRowSelect)) || (FixedRowAlways() && RowCount() == FixedRows());
        else
            Result = TZirOvararIzazCore::SelectCell(ACol, ARow);
    }

    // Repaints and notifications.
    if (RowIndicatorShown) {
        RepaintCell(0, OldRow);
        RepaintCell(0, ARow);
    }
    if (SelListener()) SelListener()->SelectionChange(Col(), ARow);
    if (ActiveCellShow()) {
        RepaintActiveHeaders(OldCol, OldRow, ACol, ARow);
        if (OldSelection.Left != OldCol && OldSelection.Top != OldRow)
            RepaintActiveHeaders(OldSelection.Left, OldSelection.Top, ACol, ARow);
    }
    if (ActiveRowShow()) {
        RepaintRow(ARow);
        RepaintRow(OldSelection.Top);
    }
    if (SelectionRectangle()) InvalidateGridRect(Selection());
    for (Integer c = 0; c < ColCount(); ++c) {
        if ((OldSelection.Top < RowCount() && IsYMergedCell(c, OldSelection.Top)) ||
            (ARow < RowCount() && IsYMergedCell(c, ARow))) {
            Invalidate();
            break;
        }
    }
    // Only a move that is accepted is reported as a row change.
    if (Result && !IsLoading() && FOldRowSel != ARow && OnRowUpdate) {
        const Integer Old = FOldRowSel;
        FOldRowSel = ARow;
        OnRowUpdate(this, Old, ARow);
    }
    if (HasCellBorders()) {
        const Integer Right = std::min(FixedCols() + VisibleColCount(), ColCount() - 1);
        InvalidateGridRect(TGridRect{FixedCols(), OldSelection.Top, Right, OldSelection.Bottom});
    }
    if (ScrollType() == ssMetro) {
        if (VScrollControl()) VScrollControl()->Invalidate();
        if (HScrollControl()) HScrollControl()->Invalidate();
    }
    // A refused move keeps the text a cancelled edit puts back.
    if (Result) FCellCache = NewText;
    return Result;
}

// Key handling: the key-down message before the platform grid sees the key
// (scroll-only mode, edit start, check boxes and radio buttons, Home and
// End, Tab, skipping cells, row insertion and deletion, the clipboard
// short-cuts, select-all and the disjunct selections), the key-up message,
// and the key-down step that moves the cursor.

#include "grid/ZirOvararIzazInput.h"
#include "grid/SearchPanel.h"
#include "rtl/StringUtils.h"
#include "vcl/Forms.h"
#include "windowing/Input.h"

#include <algorithm>

using namespace winapi;

namespace {

bool IsNavigationKey(Word Key) {
    return Key >= VK_PRIOR && Key <= VK_DOWN;
}

// Sets a flag for the life of the scope.
class TSwitch {
public:
    TSwitch(bool& Flag, bool Value) : FFlag(Flag), FOld(Flag) { FFlag = Value; }
    ~TSwitch() { FFlag = FOld; }
    TSwitch(const TSwitch&) = delete;
    TSwitch& operator=(const TSwitch&) = delete;

private:
    bool& FFlag;
    bool FOld;
};

} // namespace

void TZirOvararIzazInput::HandleWMKeyDown(TMessage& Message) {
    Word Key = Word(Message.WParam);
    TShiftState Shift;
    if (GetKeyState(VK_CONTROL) < 0) Shift.Include(ssCtrl);
    if (GetKeyState(VK_SHIFT) < 0) Shift.Include(ssShift);
    if (GetKeyState(VK_LMENU) < 0) Shift.Include(ssAlt);
    const bool Ctrl = Shift.Contains(ssCtrl), ShiftDown = Shift.Contains(ssShift);
    const bool AltDown = GetKeyState(VK_MENU) < 0;
    const Integer OrigCol = Col(), OrigRow = Row();
    const Integer RealCol = RealColIndex(Col());
    const Integer SavedLeftCol = LeftCol();
    const TNavigationSettings& Nav = Navigation()->Settings();
    const TMouseActionsSettings& Mouse = MouseActions()->Settings();
    const bool RowSelectOn = Options().Contains(goRowSelect);
    const bool KeepLeft = (Key == VK_PRIOR || Key == VK_NEXT || Key == VK_UP || Key == VK_DOWN) && RowSelectOn &&
                          LeftCol() != FixedCols() && Nav.KeepHorizScroll;
    FMoveSelection = Selection();
    auto FireKeyDown = [&]() {
        if (OnKeyDown) OnKeyDown(this, Key, Shift);
    };
    auto Swallow = [&]() { Message.Result = 1; };
    auto Consume = [&]() { Message.Result = 0; };

    // Scroll-only mode moves the view, never the current cell.
    if (Nav.MoveScrollOnly && (Key == VK_PRIOR || Key == VK_NEXT || Key == VK_END || Key == VK_HOME ||
                               Key == VK_UP || Key == VK_DOWN)) {
        const Integer Top = TopRow(), Visible = VisibleRowCount();
        switch (Key) {
        case VK_PRIOR:
            SetTopRow(Visible + FixedRows() < Top ? Top - Visible : FixedRows());
            break;
        case VK_NEXT:
            if (Top + Visible < RowCount()) SetTopRow(Top + Visible);
            break;
        case VK_END:
            SetTopRow(RowCount() - Visible);
            break;
        case VK_HOME:
            SetTopRow(FixedRows());
            break;
        case VK_UP:
            if (FixedRows() < Top) SetTopRow(Top - 1);
            break;
        default:
            if (Top + Visible < RowCount()) SetTopRow(Top + 1);
            break;
        }
        Swallow();
        return;
    }

    const bool EnterOrF2 = Key == VK_RETURN || Key == VK_F2;
    if (Mouse.EditOnDblClickOnly && EnterOrF2 && !Options().Contains(goEditing)) {
        bool Editable;
        {
            TSwitch AsRangeEdit(MouseActions()->PlainSettings().RangeSelectAndEdit, true);
            Editable = IsEditable(RealCol, Row());
        }
        if (Editable) SetOptions(WithOption(Options(), goEditing, true));
    }
    if (Mouse.RangeSelectAndEdit && !Options().Contains(goEditing) && EnterOrF2 && !IsEditable(RealCol, Row())) {
        FireKeyDown();
        Key = 0;
        Swallow();
        return;
    }
    // Ctrl+F goes to the search footer's edit; the key goes on.
    TSearchPanel* Footer = SearchFooter()->Visible() ? SearchPanel() : nullptr;
    if (Footer && Ctrl && Key == 'F' && Footer->Edit()->CanFocus()) Footer->Edit()->SetFocus();

    if (EnterOrF2) {
        if (Options().Contains(goEditing) && !IsEditable(RealCol, Row())) {
            FireKeyDown();
            Key = 0;
            Swallow();
            return;
        }
        if (EnableHTML() && UpperCase(Cells(RealCol, Row())).find(u"<CONTROL") != String::npos) {
            Swallow();
            return;
        }
    }
    if (Key == VK_RETURN && !IsEditable(RealCol, Row())) {
        TCustomForm* Form = GetParentForm(this);
        if (Form && Form->KeyPreview()) {
            TZirOvararIzazCore::HandleWMKeyDown(Message);
            return;
        }
        FireKeyDown();
        Key = 0;
        Swallow();
        return;
    }
    if ((Key == VK_RETURN || Key == VK_SPACE) && IsControlCell(RealCol, Row())) ToggleControlCell(Key);

    if ((Key == VK_HOME || Key == VK_END) && HandleHomeEnd(Key, Shift)) {
        Consume();
        return;
    }

    // Node rows whose cell spans the normal columns open and close.
    if ((Key == VK_LEFT || Key == VK_RIGHT) && IsNode(Row()) &&
        std::max(CellSpan(RealCol, Row()).X, 0) == ColCount() - FixedCols() - 1) {
        if (Key == VK_RIGHT) {
            FireKeyDown();
            ExpandNode(RealRowIndex(Row()));
        } else {
            ContractNode(RealRowIndex(Row()));
        }
        Consume();
        return;
    }
    if ((Key == VK_LEFT || Key == VK_RIGHT) && RowSelectOn && !IsNode(Row()) && VisibleColCount() < ColCount() &&
        (!Nav.LeftRightRowSelect || Ctrl)) {
        if (Key == VK_LEFT && LeftCol() > FixedCols()) SetLeftCol(LeftCol() - 1);
        if (Key == VK_RIGHT && LeftCol() + VisibleColCount() < ColCount()) SetLeftCol(LeftCol() + 1);
        if (!Nav.LeftRightRowSelect) {
            FireKeyDown();
            Consume();
            return;
        }
    }

    if (Key == VK_TAB && !Ctrl && Options().Contains(goTabs)) {
        NavigateByKey(ShiftDown);
        const TGridRect Sel = Selection();
        if (!(Sel == FMoveSelection)) SelectionChanged(Sel.Left, Sel.Top, Sel.Right, Sel.Bottom);
        return;
    }

    if ((Nav.SkipFixedCells || Nav.SkipReadOnly) && Key >= VK_LEFT && Key <= VK_DOWN) {
        Integer DX = 0, DY = 0;
        if (Key == VK_LEFT) DX = -1;
        if (Key == VK_RIGHT) DX = 1;
        if (Key == VK_UP) DY = -1;
        if (Key == VK_DOWN) DY = 1;
        if (UseRightToLeftAlignment()) DX = -DX;
        const Integer NC = Col() + DX, NR = Row() + DY;
        if (NC >= 0 && NR >= 0 && NC < ColCount() && NR < RowCount() && MustSkip(NC, NR)) {
            const Word Before = Key;
            FireKeyDown();
            if (Key == Before) {
                if (DY != 0 && RowSelectOn) {
                    if (NR >= FixedRows() && NR < RowCount() - FixedFooters()) SetRow(NR);
                } else {
                    Integer C = NC, R = NR;
                    while (C >= FixedCols() && C < ColCount() - FixedRightCols() && R >= FixedRows() &&
                           R < RowCount() - FixedFooters() && MustSkip(C, R)) {
                        C += DX;
                        R += DY;
                    }
                    if (C >= FixedCols() && C < ColCount() - FixedRightCols() && R >= FixedRows() &&
                        R < RowCount() - FixedFooters())
                        MoveColRow(C, R, true, true);
                }
                Key = 0;
            }
        }
    }

    if (Key == VK_DOWN && IsAtLastRow() && Nav.AppendOnArrowDown) AutoAppendRow();

    if (!(Selection() == FMoveSelection) && SelectionRectangle()) {
        InvalidateGridRect(Selection());
        FMoveSelection = Selection();
    }

    // With the search footer shown and the grid scrolled to its end, the
    // last row must not slide under the footer: moves out of the last row's
    // ends stop, and the view is held while the key is processed.
    const bool AtEnd = Footer && TopRow() >= RowCount() - VisibleRowCount();
    const bool InLastRow = Row() == RowCount() - 1;
    const bool ModifierOrNavigation = Key == VK_SHIFT || Key == VK_MENU || IsNavigationKey(Key);
    const bool EndKey = Key == VK_NEXT || Key == VK_END || Key == VK_LEFT || Key == VK_RIGHT || Key == VK_DOWN;
    const Integer TopBefore = TopRow();
    bool FooterLock = false;
    if (AtEnd) {
        if (InLastRow && ((Key == VK_DOWN) || (Key == VK_RIGHT && Col() == ColCount() - 1) ||
                          (Key == VK_LEFT && Col() == FixedCols()))) {
            FireKeyDown();
            Swallow();
            return;
        }
        FooterLock = (InLastRow && EndKey) || !ModifierOrNavigation;
        if (FooterLock) BeginUpdate();
    }

    if (KeepLeft) BeginUpdate();
    const Word PassedKey = Key;
    Message.WParam = Key;
    try {
        TZirOvararIzazCore::HandleWMKeyDown(Message);
    } catch (...) {
        if (KeepLeft) EndUpdate();
        if (FooterLock) EndUpdate();
        throw;
    }
    Key = Word(Message.WParam);
    if (Footer) {
        if (AtEnd && !ModifierOrNavigation) SetTopRow(TopBefore);
        if (FooterLock) EndUpdate();
        const bool MovedToEnd = PassedKey == VK_NEXT || PassedKey == VK_END || PassedKey == VK_LEFT ||
                                PassedKey == VK_RIGHT || PassedKey == VK_DOWN;
        if (MovedToEnd && Row() == RowCount() - 1) KeepRowAboveSearchFooter();
    }
    if (KeepLeft) {
        SetLeftCol(SavedLeftCol);
        EndUpdate();
    }
    if (Key == 0) return;

    // The short-cuts.
    if (Nav.AllowClipboardShortCuts) {
        const TGridRect Sel = Selection();
        if ((Ctrl && Key == 'X') || (ShiftDown && Key == VK_DELETE)) {
            bool Allow = true;
            if (OnClipboardCut) OnClipboardCut(this, Allow);
            if (Allow) {
                CutSelectionToClipboard();
                if (OnClipboardCutDone) OnClipboardCutDone(this, Sel);
            }
            return;
        }
        if ((Ctrl && Key == 'V') || (ShiftDown && Key == VK_INSERT)) {
            bool Allow = true;
            if (OnClipboardPaste) OnClipboardPaste(this, Allow);
            if (Allow) PasteSelectionFromClipboard();
            return;
        }
        if ((Ctrl && Key == 'C') || (Ctrl && Key == VK_INSERT)) {
            bool Allow = true;
            if (OnClipboardCopy) OnClipboardCopy(this, Allow);
            if (Allow) {
                CopySelectionToClipboard();
                if (OnClipboardCopyDone) OnClipboardCopyDone(this, Sel);
            }
            return;
        }
    }
    if (Key == VK_INSERT && Nav.AllowInsertRow && !Ctrl && !ShiftDown && !AltDown && !InsertRowByKey()) return;

    if (Ctrl && Key == 'A') {
        if (RowSelectOn || Options().Contains(goRangeSelect)) {
            TGridRect R{FirstEditColumn(), FixedRows(), ColCount() - FixedRightCols() - 1,
                        RowCount() - FixedFooters() - 1};
            if (Mouse.DisjunctRowSelect)
                for (Integer r = FixedRows(); r < RowCount() - FixedFooters(); ++r) SetRowSelect(r, true);
            if (Mouse.DisjunctCellSelect) {
                SelectCells(FixedCols(), FixedRows(), R.Right, R.Bottom);
            } else if (R.Left <= R.Right && R.Top <= R.Bottom) {
                // The selection and its last cell are set directly: a click on
                // that cell could toggle a check box or press a button in it.
                ReservedCellHook(R);
                SetSelection(R);
                SelectionChanged(R.Left, R.Top, R.Right, R.Bottom);
            }
        }
        return;
    }
    if (IsNavigationKey(Key)) {
        if (Mouse.DisjunctRowSelect) {
            if (!ShiftDown && !Ctrl) ClearRowSelect();
            if (ShiftDown)
                SelectionToRowSelect(false);
            else
                SetRowSelect(Row(), true);
            const TGridRect Sel = Selection();
            if (OnSelectionChanged) OnSelectionChanged(this, Sel.Left, Sel.Top, Sel.Right, Sel.Bottom);
        }
        if (Mouse.DisjunctColSelect) {
            if (!ShiftDown && !Ctrl) ClearColSelect();
            if (ShiftDown)
                SelectionToColSelect(false);
            else
                SetColSelect(Col(), true);
        }
    }
    if (Key == VK_SPACE) {
        if (Mouse.DisjunctRowSelect) SetRowSelect(Row(), !RowSelect(Row()));
        if (Mouse.DisjunctColSelect) SetColSelect(Col(), !ColSelect(Col()));
    }
    if (Key == VK_DELETE && Nav.AllowDeleteCells && !AltDown) {
        const TGridRect Sel = Selection();
        ClearRect(RealColIndex(Sel.Left), Sel.Top, RealColIndex(Sel.Right), Sel.Bottom);
    }
    if (Key == VK_DELETE && Nav.AllowDeleteRow && !AltDown && RowCount() - FixedRows() - FixedFooters() > 0 &&
        !DeleteRowByKey())
        return;
    if (Key == VK_TAB && Ctrl && Options().Contains(goTabs) && FixedRightCols() > 0 &&
        RealColIndex(OrigCol) == AllColCount() - FixedRightCols() - 1) {
        if (OrigRow == RowCount() - FixedFooters() - 1)
            SetRow(FixedRows());
        else if (Row() + 1 < RowCount())
            SetRow(Row() + 1);
        SetCol(FirstEditColumn());
    }
    if (EnterOrF2) {
        SaveOldCellText(Col(), Row());
        if (UpperCase(Cells(RealColIndex(Col()), Row())).find(u"<CONTROL") != String::npos)
            EditNextFormControl(Col(), Row(), String());
        if (Key == VK_F2) ReservedHook();
    }
    CheckSelectionMoved();
}

// Scrolls a row at a time until the current row's bottom edge lies above
// the search footer, the view stops moving or the row is passed.
void TZirOvararIzazInput::KeepRowAboveSearchFooter() {
    TSearchPanel* Footer = SearchPanel();
    if (!Footer || !Footer->Visible()) return;
    const Integer Limit = std::min(ClientHeight(), Footer->Top());
    auto RowBottom = [this]() {
        const Integer Line = GridLineWidth();
        Integer Y = 0;
        for (Integer r = 0; r < FixedRows(); ++r) Y += RowHeights(r) + Line;
        for (Integer r = TopRow(); r <= Row(); ++r) Y += RowHeights(r) + Line;
        return Y - Line;
    };
    while (Row() >= TopRow() && RowBottom() > Limit) {
        const Integer Top = TopRow();
        SetTopRow(Top + 1);
        if (TopRow() == Top) break;
    }
}

void TZirOvararIzazInput::ToggleControlCell(Word Key) {
    const Integer RealCol = RealColIndex(Col());
    bool CanEdit = Options().Contains(goEditing) || MouseActions()->Settings().RangeSelectAndEdit;
    DoCanEdit(RealCol, Row(), CanEdit);
    if (Key == VK_SPACE) {
        if (HasCheckBox(RealCol, Row()) && (CanEdit || ControlLook()->CheckAlwaysActive())) {
            DoToggleCheckBox(RealCol, Row(), true);
            if (ShowModified()->Enabled()) {
                SetRowModified(RealRowIndex(Row()), true);
                RepaintCell(0, Row());
            }
            bool State = false;
            GetCheckBoxState(RealCol, Row(), State);
            DoCheckBoxClick(Col(), Row(), State);
        } else if (IsRadio(RealCol, Row()) && (CanEdit || ControlLook()->RadioAlwaysActive())) {
            CycleRadio(RealCol, Row(), true);
            Integer Index = -1;
            GetRadioIdx(RealCol, Row(), Index);
            if (OnRadioClick) OnRadioClick(this, RealCol, Row(), Index);
        } else if (HasRadioButton(RealCol, Row()) && (CanEdit || ControlLook()->RadioAlwaysActive())) {
            DoToggleRadioButton(RealCol, Row(), false);
            if (OnRadioButtonClick) OnRadioButtonClick(this, RealCol, Row());
        }
    }
    if (HasButton(RealCol, Row()) && CanEdit) DoButtonClick(Col(), Row());
    RepaintCell(Col(), Row());
}

bool TZirOvararIzazInput::HandleHomeEnd(Word& Key, TShiftState Shift) {
    const THomeEndAction Action = Navigation()->Settings().HomeEndKey;
    const bool Ctrl = Shift.Contains(ssCtrl), ShiftDown = Shift.Contains(ssShift);
    const bool RowSelectOn = Options().Contains(goRowSelect);
    const bool Disjunct = MouseActions()->Settings().DisjunctRowSelect;
    const bool OneRowOnly = FixedRowAlways() && RowCount() == 1;
    const Integer OrigRow = Row();
    const bool Home = Key == VK_HOME;
    auto RowRange = [&](Integer From, Integer To) {
        SetSelection(TGridRect{0, std::min(From, To), ColCount() - 1, std::max(From, To)});
        if (Disjunct) SelectionToRowSelect(false);
    };
    bool Moved = true;
    if (Action == heFirstLastCell && !Ctrl && (Home || !ShiftDown)) {
        if (Home) {
            SetCol(FixedCols());
            SetRow(FixedRows());
        } else {
            SetCol(ColCount() - 1);
            SetRow(RowCount() - 1);
        }
    } else if (Action == heFirstLastRow && !Ctrl && (Home || RowSelectOn || Disjunct) && !OneRowOnly) {
        SetRow(Home ? FixedRows() : LastVisibleRow());
        if (!Home && (FixedFooters() > 0 || FloatingFooter()->Visible())) SetTopRow(RowCount() - VisibleRowCount());
        if (ShiftDown)
            RowRange(OrigRow, Row());
        else if (Disjunct)
            ClearRowSelect();
        if (Navigation()->Settings().KeepHorizScroll && RowSelectOn) SetLeftCol(LeftCol());
    } else if (Action == heFirstLastColumn && Home && Ctrl && !OneRowOnly) {
        SetRow(FixedRows());
        SetCol(std::max(FixedCols(), FirstCellInRow(Row())));
        SetLeftCol(FirstEditColumn());
    } else if (Action == heFirstLastColumn && !RowSelectOn && !Ctrl && !OneRowOnly) {
        if (ShiftDown) {
            const Integer Other = Home ? FixedCols() : ColCount() - FixedRightCols() - 1;
            SetSelection(TGridRect{std::min(Col(), Other), Row(), std::max(Col(), Other), Row()});
            RepaintRow(Row());
        } else if (Home) {
            SetCol(std::max(FixedCols(), FirstCellInRow(Row())));
            SetLeftCol(FirstEditColumn());
        } else {
            SetCol(LastVisibleCol());
            SetLeftCol(std::max(FixedCols(), ColCount() - VisibleColCount()));
        }
    } else {
        Moved = false;
    }
    if (!Moved) return false;
    FocusBaseCell();
    if (OnKeyDown) OnKeyDown(this, Key, Shift);
    CheckSelectionMoved();
    return true;
}

bool TZirOvararIzazInput::InsertRowByKey() {
    bool Allow = true;
    DoCanInsertRow(Row(), Allow);
    if (!Allow) return false;
    const Integer R = RealRowIndex(Row());
    Integer NewRow = Row();
    const bool Filtered = FilterActive();
    SetFilterActive(false);
    if (R < RowCount()) SetRow(R);
    Integer At;
    if (Navigation()->Settings().InsertPosition == pInsertAfter) {
        if (FixedRowAlways() && FixedRows() == RowCount()) {
            At = RealRowIndex(Row());
            NewRow = 1;
        } else {
            At = RealRowIndex(Row()) + 1;
            if (NewRow + 1 < RowCount() + 1) ++NewRow;
        }
    } else {
        At = RealRowIndex(Row());
    }
    AutoInsertRow(At);
    if (OnAutoInsertRow) OnAutoInsertRow(this, At);
    SetModified(true);
    SetFilterActive(Filtered);
    SetRow(NewRow);
    CalcFooter(-1);
    return true;
}

bool TZirOvararIzazInput::DeleteRowByKey() {
    const Integer R = RealRowIndex(Row());
    const bool Filtered = FilterActive();
    SetFilterActive(false);
    bool CanDelete = true;
    if (OnCanDeleteRow) OnCanDeleteRow(this, R, CanDelete);
    if (!CanDelete) {
        SetFilterActive(Filtered);
        return false;
    }
    ClearRows(R, 1);
    DoAutoDeleteRow(R);
    SetFilterActive(Filtered);
    if (FloatingFooter()->Visible() && Row() == RowCount() - 1) SetRow(RowCount() - 2);
    SaveOldCellText(Col(), Row());
    SetModified(true);
    CalcFooter(-1);
    return true;
}

void TZirOvararIzazInput::HandleWMKeyUp(TMessage& Message) {
    TZirOvararIzazCore::HandleWMKeyUp(Message);
    const Word Key = Word(Message.WParam);
    if (MouseActions()->Settings().RangeSelectAndEdit && !Options().Contains(goEditing) &&
        (Key == VK_RETURN || Key == VK_F2) && IsEditable(RealColIndex(Col()), Row())) {
        SetOptions(WithOption(Options(), goEditing, true));
        ShowInplaceEdit();
    }
}

void TZirOvararIzazInput::HandleKeyDown(Word& Key, TShiftState Shift) {
    // Up and Down step over rows without a height; Home and End follow
    // HomeEndKey in the key-down message already.
    if ((Key == VK_UP || Key == VK_DOWN) && !Shift.Contains(ssCtrl)) {
        const Integer Next = Row() + (Key == VK_DOWN ? 1 : -1);
        if (Next >= FixedRows() && Next < RowCount() && RowHeights(Next) == 0) {
            if (OnKeyDown) OnKeyDown(this, Key, Shift);
            if (Key == 0) return;
            const Integer Target = NextVisibleRow(Next);
            if (Target >= FixedRows() && Target != Row() && RowHeights(Target) > 0) SetRow(Target);
            return;
        }
    }
    TZirOvararIzazCore::KeyDown(Key, Shift);
}

void TZirOvararIzazInput::CheckSelectionMoved() {
    const TGridRect Sel = Selection();
    if (Sel == FMoveSelection) return;
    if (!MouseActions()->DisjunctRowSelect()) SelectionChanged(Sel.Left, Sel.Top, Sel.Right, Sel.Bottom);
    FMoveSelection = Sel;
}

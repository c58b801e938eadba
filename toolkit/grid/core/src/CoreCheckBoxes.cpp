// Check boxes, three-state boxes, radio buttons and radio lists in cells:
// adding and removing them, their state with and without events, the
// toggles with veto and undo, radio groups along a column or row, the hit
// box, and the small event hooks of the same family.

#include "grid/ZirOvararIzazCore.h"

#include "gridbase/UndoRedo.h"
#include "rtl/Convert.h"
#include "rtl/MathUtils.h"

#include <cmath>

// ---- Helpers -------------------------------------------------------------------------------------------

void TZirOvararIzazCore::CheckCellInGrid(Integer ACol, Integer ARow) {
    // The displayed grid is what a cell object can be added to: a column or
    // row beyond ColCount / RowCount would address no cell.
    if (ACol < 0 || ARow < 0 || ACol >= ColCount() || ARow >= RowCount()) throw EKelGridError(u"Invalid cell");
}

TCellVAlign TZirOvararIzazCore::NewControlVAlign() const {
    switch (FVAlignment) {
    case vtaCenter:
        return vaCenter;
    case vtaBottom:
        return vaBottom;
    default:
        return vaTop;
    }
}

Integer TZirOvararIzazCore::StartRowOfColumnOps() const {
    return FMouseActions->CheckAllCheck() ? std::max(0, FixedRows() - 1) : FixedRows();
}

TCellGraphic* TZirOvararIzazCore::StateObject(Integer ACol, Integer ARow) {
    if (NumHiddenRows() == 0) return GetCellGraphic(ACol, ARow);
    if (TCellProperties* Props = GetRealObject(ACol, ARow))
        if (auto* G = dynamic_cast<TCellGraphic*>(Props->GraphicObject())) return G;
    return GetCellGraphic(ACol, DisplRowIndex(ARow));
}

String TZirOvararIzazCore::StateText(Integer ACol, Integer ARow) {
    return NumHiddenRows() == 0 ? Cells(ACol, ARow) : GetCellsEx(ACol, ARow);
}

void TZirOvararIzazCore::SetStateText(Integer ACol, Integer ARow, const String& Value) {
    if (NumHiddenRows() == 0)
        SetCells(ACol, ARow, Value);
    else
        SetAllCells(ACol, ARow, Value);
}

// ---- Adding and removing -------------------------------------------------------------------------------

void TZirOvararIzazCore::AddCheckBox(Integer ACol, Integer ARow, bool State, bool Data) {
    CheckCellInGrid(ACol, ARow);
    TCellGraphic* G = CreateCellGraphic(ACol, ARow);
    G->SetCheckBox(State, Data, true, haBeforeText, NewControlVAlign());
    if (Data) {
        const String Text = Cells(ACol, ARow);
        if (Text != FCheckTrue && Text != FCheckFalse) SetCells(ACol, ARow, State ? FCheckTrue : FCheckFalse);
    }
    RepaintCell(ACol, ARow);
}

void TZirOvararIzazCore::AddCheckBox(Integer ACol, Integer ARow, TCheckBoxState State) {
    CheckCellInGrid(ACol, ARow);
    TCellGraphic* G = CreateCellGraphic(ACol, ARow);
    G->SetCheckBox(State, true, haBeforeText, NewControlVAlign());
    RepaintCell(ACol, ARow);
}

void TZirOvararIzazCore::AddTriStateCheckBoxColumn(Integer ACol, TCheckBoxState State) {
    for (Integer r = StartRowOfColumnOps(); r < RowCount(); ++r) AddCheckBox(ACol, r, State);
}

void TZirOvararIzazCore::AddCheckBoxColumn(Integer ACol, bool DefaultState, bool DataCheckBox) {
    if (ACol == 0 && FMouseActions->HotmailRowSelect()) return;
    const bool AutoGroup = FGrouping->AutoCheckGroup();
    for (Integer r = StartRowOfColumnOps(); r < RowCount() - FFixedFooters; ++r) {
        if (IsSummary(r)) continue;
        if (!IsNode(r))
            AddCheckBox(ACol, r, DefaultState, DataCheckBox);
        else if (AutoGroup)
            AddCheckBox(ACol, r, DefaultState ? cbChecked : cbUnchecked);
        else if (FGroupColumn == -1)
            AddCheckBox(ACol, r, DefaultState, DataCheckBox);
    }
    if (AutoGroup) Invalidate();
}

void TZirOvararIzazCore::RemoveCheckBox(Integer ACol, Integer ARow) {
    TCellGraphic* G = GetCellGraphic(ACol, ARow);
    if (!G) return;
    const TCellType Kind = G->CellType();
    if (Kind != ctCheckBox && Kind != ctDataCheckBox && Kind != ctTriStateCheckBox) return;
    G->RemoveBalloon();
    RemoveCellGraphic(ACol, ARow);
    RepaintCell(ACol, ARow);
}

void TZirOvararIzazCore::RemoveCheckBoxColumn(Integer ACol) {
    for (Integer r = StartRowOfColumnOps(); r < RowCount(); ++r)
        if (HasCheckBox(ACol, r)) RemoveCheckBox(ACol, r);
}

void TZirOvararIzazCore::AddRadioButton(Integer ACol, Integer ARow, bool State) {
    AddRadioButtonGroup(ACol, ARow, rgCol, State);
}

void TZirOvararIzazCore::AddRadioButtonGroup(Integer ACol, Integer ARow, TRadioButtonGroup Group, bool State) {
    CheckCellInGrid(ACol, ARow);
    TCellGraphic* G = CreateCellGraphic(ACol, ARow);
    G->SetRadioButton(State, true, haBeforeText, NewControlVAlign(), Group);
    RepaintCell(ACol, ARow);
}

void TZirOvararIzazCore::AddRadioButtonColumn(Integer ACol) {
    for (Integer r = FixedRows(); r < RowCount(); ++r) AddRadioButton(ACol, r, false);
}

void TZirOvararIzazCore::AddRadioButtonGroupColumn(Integer ACol) {
    for (Integer r = FixedRows(); r < RowCount(); ++r) AddRadioButtonGroup(ACol, r, rgRow, false);
}

void TZirOvararIzazCore::RemoveRadioButton(Integer ACol, Integer ARow) {
    if (RemoveCellGraphicOfKind(ACol, ARow, ctRadioButton)) RepaintCell(ACol, ARow);
}

void TZirOvararIzazCore::RemoveRadioButtonColumn(Integer ACol) {
    for (Integer r = FixedRows(); r < RowCount(); ++r)
        if (HasRadioButton(ACol, r)) RemoveRadioButton(ACol, r);
}

// ---- Queries -------------------------------------------------------------------------------------------

bool TZirOvararIzazCore::HasCheckBox(Integer ACol, Integer ARow) {
    return CellTypeIn(ACol, ARow, {ctCheckBox, ctDataCheckBox, ctVirtCheckBox, ctRowCheckBox, ctTriStateCheckBox});
}

bool TZirOvararIzazCore::HasDataCheckBox(Integer ACol, Integer ARow) {
    return CellTypeIn(ACol, ARow, {ctDataCheckBox, ctVirtCheckBox, ctRowCheckBox});
}

bool TZirOvararIzazCore::HasDataCheckBoxColumn(Integer ACol) {
    return FixedRows() + 1 < RowCount() && HasDataCheckBox(ACol, FixedRows()) &&
           HasDataCheckBox(ACol, FixedRows() + 1);
}

bool TZirOvararIzazCore::HasDataGraphic(Integer ACol, Integer ARow) {
    return CellTypeIn(ACol, ARow, {ctDataCheckBox, ctDataImage, ctVirtCheckBox, ctRowCheckBox});
}

bool TZirOvararIzazCore::IsControlCell(Integer ACol, Integer ARow) {
    if (ACol < 0 || ARow < 0) return false;
    if (CellTypeIn(ACol, ARow, {ctCheckBox, ctDataCheckBox, ctVirtCheckBox, ctRowCheckBox, ctTriStateCheckBox,
                                ctRadio, ctRadioButton}))
        return true;
    return !FNavigation->Settings().AllowEditButtonCells && CellTypeIn(ACol, ARow, {ctButton, ctBitButton, ctVirtButton});
}

bool TZirOvararIzazCore::HasRadioButton(Integer ACol, Integer ARow) {
    return CellTypeIn(ACol, ARow, {ctRadioButton});
}

bool TZirOvararIzazCore::HasRadioButtonGroup(Integer ACol, Integer ARow, TRadioButtonGroup Group) {
    if (!HasRadioButton(ACol, ARow)) return false;
    const TPoint Base = BaseCell(ACol, ARow);
    return GetCellGraphic(Base.X, Base.Y)->CellAngle() == Integer(Group);
}

bool TZirOvararIzazCore::IsRadioButtonChecked(Integer ACol, Integer ARow) {
    if (!HasRadioButton(ACol, ARow)) return false;
    const TPoint Base = BaseCell(ACol, ARow);
    return GetCellGraphic(Base.X, Base.Y)->CellBoolean();
}

Integer TZirOvararIzazCore::GetRadioButtonColumnIndex(Integer ACol) {
    for (Integer r = FixedRows(); r < RowCount(); ++r)
        if (IsRadioButtonChecked(ACol, r)) return r;
    return -1;
}

bool TZirOvararIzazCore::IsInCheckBox(Integer ACol, Integer ARow, Integer XPos, Integer YPos) {
    TCellGraphic* G = GetCellGraphic(ACol, ARow);
    if (!G || !(IsCheckBoxKind(G->CellType()) || G->CellType() == ctRadioButton)) return false;
    if (!FMouseActions->Settings().PreciseCheckBoxCheck) return true;
    const TRect R = CellRect(RealToDisplColumn(ACol), ARow);
    const Integer S = FControlLook->CheckSize();
    const Double D = FDPIScale;
    const Integer m = RoundToInt(2 * D);
    const Integer Size = RoundToInt(S * D);
    TAlignment HAlign = taLeftJustify;
    TVAlignment VAlign = vtaTop;
    switch (G->CellVAlign()) {
    case vaCenter:
        VAlign = vtaCenter;
        break;
    case vaBottom:
        VAlign = vtaBottom;
        break;
    default:
        break;
    }
    if (OnGetAlignment) OnGetAlignment(this, ARow, ACol, HAlign, VAlign);
    Integer Top = R.Top + m;
    if (VAlign == vtaCenter) Top = R.Top + (R.Bottom - R.Top - S) / 2;
    if (VAlign == vtaBottom) Top = R.Bottom - m - S;
    const Integer Bottom = Top + Size;
    TVAlignment Ignored = vtaTop;
    ResolveAlignment(ACol, ARow, HAlign, Ignored);
    const String Text = Cells(ACol, ARow);
    const Integer TextW = Text.empty() ? 0 : CalcCellTextSize(ACol, ACol, ARow, true, false).cx;
    Integer Left = R.Left + m;
    if (HAlign == taRightJustify) Left = R.Right - m - Size - TextW;
    if (HAlign == taCenter) Left = R.Left + (R.Right - R.Left - TextW - Size) / 2;
    const Integer Right = Left + Size;
    return XPos >= Left && XPos < Right && YPos >= Top && YPos < Bottom;
}

// ---- State ---------------------------------------------------------------------------------------------

bool TZirOvararIzazCore::GetCheckBoxState(Integer ACol, Integer ARow, bool& State) {
    const bool Hidden = NumHiddenRows() > 0;
    if (Hidden && ACol == 0 && FMouseActions->HotmailRowSelect()) {
        State = RowCheckSelected(DisplRowIndex(ARow));
        return true;
    }
    if (Hidden && FNarrowDownActive) {
        TCellGraphic* G = GetCellGraphic(ACol, ARow);
        if (G && (G->CellType() == ctCheckBox || G->CellType() == ctDataCheckBox || G->CellType() == ctVirtCheckBox)) {
            State = G->CellBoolean();
            return true;
        }
    }
    TCellGraphic* G = StateObject(ACol, ARow);
    if (!G) return false;
    switch (G->CellType()) {
    case ctCheckBox:
        State = G->CellBoolean();
        return true;
    case ctDataCheckBox:
    case ctVirtCheckBox:
        State = StateText(ACol, ARow) == DoGetCheckTrue(ACol, ARow);
        return true;
    case ctTriStateCheckBox:
        // True exactly for a checked box, hidden rows or not.
        State = G->CellCheckBoxState() == cbChecked;
        return true;
    case ctRowCheckBox:
        if (ACol != 0) return false;
        State = RowCheckSelected(Hidden ? DisplRowIndex(ARow) : ARow);
        return true;
    default:
        return false;
    }
}

bool TZirOvararIzazCore::GetCheckBoxState(Integer ACol, Integer ARow, TCheckBoxState& State) {
    TCellGraphic* G = StateObject(ACol, ARow);
    if (!G) return false;
    if (G->CellType() == ctTriStateCheckBox) {
        State = G->CellCheckBoxState();
        return true;
    }
    bool Checked = false;
    if (!GetCheckBoxState(ACol, ARow, Checked)) return false;
    State = BoolToCheckBoxState(Checked);
    return true;
}

bool TZirOvararIzazCore::IsChecked(Integer ACol, Integer ARow) {
    bool State = false;
    return GetCheckBoxState(ACol, ARow, State) && State;
}

bool TZirOvararIzazCore::SetCheckBoxState(Integer ACol, Integer ARow, bool State) {
    if (FNarrowDownActive) {
        TCellGraphic* G = GetCellGraphic(ACol, ARow);
        if (!G || !(G->CellType() == ctCheckBox || G->CellType() == ctDataCheckBox || G->CellType() == ctVirtCheckBox))
            return false;
        G->SetCellBoolean(State);
        RepaintCell(ACol, ARow);
        return true;
    }
    TCellGraphic* G = StateObject(ACol, ARow);
    if (!G) return false;
    const Integer Displayed = DisplRowIndex(ARow);
    switch (G->CellType()) {
    case ctCheckBox:
        G->SetCellBoolean(State);
        RepaintCell(RealToDisplColumn(ACol), Displayed);
        return true;
    case ctTriStateCheckBox:
        G->SetCellCheckBoxState(BoolToCheckBoxState(State));
        RepaintCell(RealToDisplColumn(ACol), Displayed);
        return true;
    case ctDataCheckBox:
    case ctVirtCheckBox:
        SetStateText(ACol, ARow, State ? DoGetCheckTrue(ACol, ARow) : DoGetCheckFalse(ACol, ARow));
        return true;
    case ctRowCheckBox:
        if (ACol != 0) return false;
        SetRowCheckSelected(Displayed, State);
        return true;
    default:
        return false;
    }
}

bool TZirOvararIzazCore::SetCheckBoxState(Integer ACol, Integer ARow, TCheckBoxState State) {
    if (FNarrowDownActive) {
        TCellGraphic* G = GetCellGraphic(ACol, ARow);
        if (!G || !(G->CellType() == ctCheckBox || G->CellType() == ctDataCheckBox || G->CellType() == ctVirtCheckBox))
            return false;
        G->SetCellBoolean(State == cbChecked);
        return true;
    }
    TCellGraphic* G = StateObject(ACol, ARow);
    if (!G || G->CellType() != ctTriStateCheckBox) return false;
    G->SetCellCheckBoxState(State);
    RepaintCell(RealToDisplColumn(ACol), DisplRowIndex(ARow));
    return true;
}

void TZirOvararIzazCore::SetCellCheckText(Integer ACol, Integer ARow, const String& Value) {
    // Undo hands the text that describes the state before a toggle.
    SetCheckBoxState(ACol, ARow, Value != FCheckTrue);
}

bool TZirOvararIzazCore::ApplyCheckBoxState(Integer ACol, Integer ARow, bool Value) {
    if (FNarrowDownActive) return SetCheckBoxState(ACol, ARow, Value);
    TCellGraphic* G = NumHiddenRows() > 0 ? StateObject(ACol, RealRowIndex(ARow)) : GetCellGraphic(ACol, ARow);
    if (!G) return false;
    switch (G->CellType()) {
    case ctCheckBox:
        if (Value != G->CellBoolean()) {
            G->SetCellBoolean(Value);
            DoCheckBoxChange(ACol, ARow, Value);
            RepaintCell(RealToDisplColumn(ACol), ARow);
        }
        return true;
    case ctTriStateCheckBox:
        G->SetCellCheckBoxState(BoolToCheckBoxState(Value));
        return false;
    case ctDataCheckBox:
    case ctVirtCheckBox: {
        const bool Was = Cells(ACol, ARow) == DoGetCheckTrue(ACol, ARow);
        SetCells(ACol, ARow, Value ? DoGetCheckTrue(ACol, ARow) : DoGetCheckFalse(ACol, ARow));
        if (Value != Was) DoCheckBoxChange(ACol, ARow, Value);
        return true;
    }
    case ctRowCheckBox:
        if (ACol != 0) return false;
        if (Value != RowCheckSelected(ARow)) {
            SetRowCheckSelected(ARow, Value);
            DoCheckBoxChange(ACol, ARow, Value);
        }
        return true;
    default:
        return false;
    }
}

void TZirOvararIzazCore::CheckAll(Integer ACol) {
    for (Integer r = FixedRows(); r < RowCount(); ++r) ApplyCheckBoxState(ACol, r, true);
    if (FNumHidden > 0) Invalidate();
}

void TZirOvararIzazCore::UnCheckAll(Integer ACol) {
    for (Integer r = FixedRows(); r < RowCount(); ++r) ApplyCheckBoxState(ACol, r, false);
}

// ---- Toggles -------------------------------------------------------------------------------------------

bool TZirOvararIzazCore::DoToggleCheckBox(Integer ACol, Integer ARow, bool Click) {
    TCellGraphic* G = GetCellGraphic(ACol, ARow);
    if (!G) return false;
    const TCellType Kind = G->CellType();
    bool Current = G->CellBoolean();
    if (Kind == ctDataCheckBox || Kind == ctVirtCheckBox) Current = Cells(ACol, ARow) == DoGetCheckTrue(ACol, ARow);
    if (Kind == ctRowCheckBox) Current = RowCheckSelected(ARow);
    if (Kind == ctTriStateCheckBox) Current = G->CellCheckBoxState() == cbChecked;
    bool Allow = true;
    if (OnCheckBoxCanToggle) OnCheckBoxCanToggle(this, ACol, ARow, Current, Allow);
    if (!Allow) return false;
    if (!IsCheckBoxKind(Kind)) return false;
    if (Click && !FControlLook->CheckAlwaysActive()) {
        bool CanEdit = true;
        DoCanEdit(ACol, ARow, CanEdit);
        if (!CanEdit) return false;
    }
    bool NewState = false;
    if (Kind == ctCheckBox) {
        NewState = !G->CellBoolean();
        G->SetCellBoolean(NewState);
    } else if (Kind == ctTriStateCheckBox) {
        const TCheckBoxState Old = G->CellCheckBoxState();
        TCheckBoxState Next = cbChecked;
        if (IsNode(ARow))
            Next = Old == cbChecked ? cbUnchecked : cbChecked;
        else if (Old == cbUnchecked)
            Next = FNavigation->Settings().ToggleTriStateCheck == tsAllStates ? cbGrayed : cbChecked;
        else if (Old == cbChecked)
            Next = cbUnchecked;
        G->SetCellCheckBoxState(Next);
        NewState = Next == cbChecked;
    } else if (Kind == ctRowCheckBox) {
        NewState = !Current;
        SetRowCheckSelected(ARow, NewState);
    } else {
        NewState = Cells(ACol, ARow) != DoGetCheckTrue(ACol, ARow);
        SetCells(ACol, ARow, NewState ? DoGetCheckTrue(ACol, ARow) : DoGetCheckFalse(ACol, ARow));
    }
    RepaintCell(RealToDisplColumn(ACol), ARow);
    if (FGrouping->AutoCheckGroup() && FGroupColumn != -1 && ARow >= FixedRows()) {
        // A group header sets the boxes of its group; a group row shows in
        // its header whether the whole group agrees.
        if (IsNode(ARow)) {
            const Integer Base = RealRowIndex(ARow);
            for (Integer i = 1; i < GetNodeSpan(ARow); ++i) SetCheckBoxState(ACol, Base + i, NewState);
        } else if (const Integer P = GetParentRow(ARow); P >= 0) {
            const Integer Base = RealRowIndex(P);
            bool First = false, Same = true;
            for (Integer i = 1; i < GetNodeSpan(P); ++i) {
                bool State = false;
                GetCheckBoxState(ACol, Base + i, State);
                if (i == 1)
                    First = State;
                else if (State != First)
                    Same = false;
            }
            SetCheckBoxState(ACol, Base, Same ? BoolToCheckBoxState(First) : cbGrayed);
        }
    }
    DoCheckBoxChange(ACol, ARow, NewState);
    FModified = true;
    if (UndoRedo()) {
        // Undo hands OldValue to SetCellCheckText, which checks the box for
        // any text but the check-true text.
        const String CheckTrue = DoGetCheckTrue(ACol, ARow), CheckFalse = DoGetCheckFalse(ACol, ARow);
        if (NewState)
            UndoRedo()->RegisterChange(ACol, RealRowIndex(ARow), CheckTrue, CheckFalse);
        else
            UndoRedo()->RegisterChange(ACol, RealRowIndex(ARow), CheckFalse, CheckTrue);
    }
    return true;
}

bool TZirOvararIzazCore::DoToggleRadioButton(Integer ACol, Integer ARow, bool Click) {
    TCellGraphic* G = GetCellGraphic(ACol, ARow);
    if (!G || G->CellType() != ctRadioButton) return false;
    if (Click && !FControlLook->RadioAlwaysActive()) {
        bool CanEdit = true;
        DoCanEdit(ACol, ARow, CanEdit);
        if (!CanEdit) return false;
    }
    if (!G->CellBoolean()) {
        G->SetCellBoolean(true);
        RepaintCell(RealToDisplColumn(ACol), ARow);
        auto Uncheck = [this](Integer c, Integer r) {
            TCellGraphic* Other = GetCellGraphic(c, r);
            if (!Other || Other->CellType() != ctRadioButton) return false;
            if (Other->CellBoolean()) {
                Other->SetCellBoolean(false);
                RepaintCell(RealToDisplColumn(c), r);
            }
            return true;
        };
        if (G->CellAngle() == rgCol) {
            for (Integer r = ARow + 1; r < RowCount() && Uncheck(ACol, r); ++r) {}
            for (Integer r = ARow - 1; r >= 0 && Uncheck(ACol, r); --r) {}
        } else if (G->CellAngle() == rgRow) {
            for (Integer c = ACol + 1; c < TotalColCount() && Uncheck(c, ARow); ++c) {}
            for (Integer c = ACol - 1; c >= 0 && Uncheck(c, ARow); --c) {}
        }
    }
    FModified = true;
    return true;
}

bool TZirOvararIzazCore::CycleRadio(Integer ACol, Integer ARow, bool Click) {
    TCellGraphic* G = GetCellGraphic(ACol, ARow);
    if (!G || G->CellType() != ctRadio) return false;
    if (Click && !FControlLook->RadioAlwaysActive()) {
        bool CanEdit = true;
        DoCanEdit(ACol, ARow, CanEdit);
        if (!CanEdit) return false;
    }
    TStringList* Items = G->Items();
    const Integer Count = Items ? Items->Count() : 0;
    if (Count == 0) return false;
    Integer Next = 0;
    if (G->CellIndex() >= 0)
        Next = G->CellIndex() + 1;
    else
        Next = Items->IndexOf(Cells(ACol, ARow)) + 1;
    if (Next >= Count) Next = 0;
    if (G->CellIndex() >= -1) G->SetCellIndex(Next);
    G->SetCellVar(Next);
    SetCells(ACol, ARow, Items->Strings(Next));
    return false;
}

bool TZirOvararIzazCore::SetRadioButtonState(Integer ACol, Integer ARow, bool State) {
    if (!HasRadioButton(ACol, ARow)) return false;
    const TPoint Base = BaseCell(ACol, ARow);
    TCellGraphic* G = GetCellGraphic(Base.X, Base.Y);
    if (G->CellBoolean() != State) {
        G->SetCellBoolean(State);
        RepaintCell(RealToDisplColumn(ACol), ARow);
    }
    return true;
}

void TZirOvararIzazCore::SetRadioButtonRowIndex(Integer ARow, Integer Index) {
    for (Integer c = FixedCols(); c < ColCount(); ++c) SetRadioButtonState(c, ARow, c == Index);
}

void TZirOvararIzazCore::SetRadioButtonColumnIndex(Integer ACol, Integer Index) {
    for (Integer r = FixedRows(); r < RowCount(); ++r) SetRadioButtonState(ACol, r, r == Index);
}

// ---- Event hooks ---------------------------------------------------------------------------------------

void TZirOvararIzazCore::DoCheckBoxChange(Integer ACol, Integer ARow, bool State) {
    if (OnCheckBoxChange) OnCheckBoxChange(this, ACol, ARow, State);
}

bool TZirOvararIzazCore::DoRatingChange(Integer ACol, Integer ARow, Double& NewRate) {
    bool Allow = true;
    if (OnRatingChange) OnRatingChange(this, ACol, ARow, NewRate, Allow);
    return Allow;
}

void TZirOvararIzazCore::DoColorSelect(TColor Color, const String& Value) {
    if (OnColorSelect) OnColorSelect(this, Col(), Row(), Color, Value);
}

void TZirOvararIzazCore::DoImageSelect(Integer ImageIndex) {
    if (OnImageSelect) OnImageSelect(this, Col(), Row(), ImageIndex);
}

// The in-place editing cycle: whether a cell may be edited and with which
// editor, how an edit is granted, shown, validated (a refused value shown
// again), committed and cancelled, and the editor show and hide steps.

#include "grid/GridUnit.h"
#include "grid/ZirOvararIzazInput.h"
#include "rtl/FlagScope.h"
#include "rtl/StringUtils.h"
#include "vcl/Forms.h"
#include "windowing/Input.h"
#include "windowing/MessageQueue.h"

#include <memory>

using namespace winapi;

// ---- The editor and its questions --------------------------------------------------

TKelInplaceEdit* TZirOvararIzazInput::NormalEdit() const {
    return dynamic_cast<TKelInplaceEdit*>(InplaceEditor());
}

TInplaceEdit* TZirOvararIzazInput::CreateEditor() {
    return Create<TKelInplaceEdit>(this);
}

String TZirOvararIzazInput::ResolveEditMask(Integer ACol, Integer ARow) {
    String Value = FEditMask;
    if (OnGetEditMask) OnGetEditMask(this, ACol, ARow, Value);
    return Value;
}

bool TZirOvararIzazInput::CanShowEditor() {
    if (FValidating) return false;
    bool Result = TBaseGrid::CanEditShow();
    if (ComponentState().Contains(csDesigning)) return Result;
    const TPoint Base = BaseCell(RealColIndex(Col()), Row());
    if (Result && FEditMode && FSpecialEditor) {
        // A special editor already shows its cell: the normal editor must
        // not come up over it (it would take the focus, and its focus loss
        // ends the special edit). The current cell moved away from it: that
        // edit ends with its value written back into its own cell (the new
        // cell's text is not validated in its place), and the new cell's
        // edit starts.
        if (RealToDisplColumn(Base.X) == FSpecialCol && Base.Y == FSpecialRow) return false;
        FEditing = false;
        TFlagScope Done(FDoneEditing, true);
        HideInplaceEdit();
    }
    // An edit belongs to its cell: a refresh of the editor for another cell
    // (the current cell moved under a running edit) is a new edit, with that
    // cell's text as the one a cancel restores.
    if (Result && FEditMode && !FSpecialEditor && (Col() != FGrantCol || Row() != FGrantRow)) FEditMode = false;
    if (Result && !FEditMode) {
        if (IsControlCell(Base.X, Base.Y)) return false;
        if (EnableHTML() && UpperCase(GridCells(Base.X, Base.Y)).find(u"<CONTROL") != String::npos) return false;
        FNoEditChange = true;
        FCellCache = CurrentCell();
        FEditControl = DefaultEditor();
        DoGetEditorType(Base.X, Base.Y, FEditControl);
        if (FEditControl == edNone || !DoBeforeEdit(Base.X, Base.Y)) {
            // No edit: changes of the text report again.
            FNoEditChange = false;
            return false;
        }
        FEditMode = true;
        FGrantCol = Col();
        FGrantRow = Row();
        // Validation compares with the cell's text as the edit starts, also
        // when the program changed it since the cell was entered.
        SaveOldCellText(Col(), Row());
        if (IsNormalKind(FEditControl)) {
            FShowEditProcess = true;
        } else {
            ShowSpecialEditor(RealToDisplColumn(Base.X), Base.Y);
            if (FocusHelper()->Enabled()) UpdateFocusWindow();
            Result = false;
        }
    }
    if (Result) {
        if (Options().Contains(goAlwaysShowEditor)) {
            FOldCol = Col();
            FOldRow = Row();
        }
        FEditing = true;
        if (FocusHelper()->Enabled()) UpdateFocusWindow();
    }
    return Result;
}

// ---- Showing and hiding ------------------------------------------------------------

void TZirOvararIzazInput::ShowInplaceEdit() {
    if (IsControlCell(RealColIndex(Col()), Row())) return;
    if (Row() >= FixedRows() && Row() < TopRow()) SetTopRow(Row());
    if (Col() >= FixedCols() && Col() < LeftCol()) SetLeftCol(Col());
    if (!Options().Contains(goEditing) && MouseActions()->Settings().RangeSelectAndEdit) {
        TGridOptions Opts = Options();
        Opts.Include(goEditing);
        SetOptions(Opts);
    }
    ShowEditor();
}

void TZirOvararIzazInput::HideInplaceEdit() {
    if (!FEditMode) return;
    TFlagScope Hiding(FHidingEditor, true);
    HideEditor();
    EndSpecialEdit(FSpecialCol >= 0 ? FSpecialCol : Col(), FSpecialCol >= 0 ? FSpecialRow : Row());
    FEditMode = false;
    if (!FDoneEditing) SelectCell(Col(), Row());
}

void TZirOvararIzazInput::FinishEditing(Integer ACol, Integer ARow) {
    // Hiding the editor takes its focus, and its focus loss would finish
    // the same edit once more.
    TFlagScope Finishing(FFinishing, true);
    if (OnEditingDone) OnEditingDone(this);
    if (FocusHelper()->Enabled()) UpdateFocusWindow();
    HideInplaceEdit();
    GiveBackDblClickOnly();
    if (HandleAllocated()) PostMessage(Handle(), WM_GRIDEDITDONE(), WPARAM(ACol), LPARAM(ARow));
}

void TZirOvararIzazInput::DoneInplaceEdit(Word Key, TShiftState Shift) {
    TFlagScope Block(FBlockFocus, true);
    FEditing = false;
    HideInplaceEdit();
    if (Navigation()->Settings().AppendOnArrowDown && Key == VK_DOWN && IsAtLastRow()) AutoAppendRow();
    if (Key == VK_TAB || (Key >= VK_LEFT && Key <= VK_DOWN)) {
        Word K = Key;
        KeyDown(K, Shift);
    }
    const bool AlwaysEdit = Navigation()->Settings().AlwaysEdit;
    Navigation()->PlainSettings().AlwaysEdit = false;
    try {
        if (CanFocus()) SetFocus();
        if (OnEnter) OnEnter(this);
        if (Key == VK_RETURN) AdvanceCell(Col(), Row(), false, false, !Shift.Contains(ssShift), false, false);
    } catch (...) {
        Navigation()->PlainSettings().AlwaysEdit = AlwaysEdit;
        throw;
    }
    Navigation()->PlainSettings().AlwaysEdit = AlwaysEdit;
}

void TZirOvararIzazInput::SimulateCellClick(Integer ACol, Integer ARow, bool WithRelease) {
    const TRect R = CellRect(ACol, ARow);
    const TMouseEvent Down = OnMouseDown;
    const TMouseEvent Up = OnMouseUp;
    OnMouseDown = nullptr;
    OnMouseUp = nullptr;
    try {
        MouseDown(mbLeft, TShiftState(), R.Left + 2, R.Top + 2);
        if (WithRelease) MouseUp(mbLeft, TShiftState(), R.Left + 2, R.Top + 2);
    } catch (...) {
        OnMouseDown = Down;
        OnMouseUp = Up;
        throw;
    }
    OnMouseDown = Down;
    OnMouseUp = Up;
}

void TZirOvararIzazInput::HideCellEdit() {
    EndSpecialEdit(Col(), Row());
}

void TZirOvararIzazInput::ShowCellEdit() {
    if (!Options().Contains(goEditing) && MouseActions()->Settings().RangeSelectAndEdit) {
        TGridOptions Opts = Options();
        Opts.Include(goEditing);
        SetOptions(Opts);
    }
    if (HandleAllocated()) SendMessage(Handle(), WM_KEYDOWN, VK_F2, 0);
}

// ---- Special editors: the frame ----------------------------------------------------

void TZirOvararIzazInput::ShowSpecialEditor(Integer ACol, Integer ARow) {
    FEditing = true;
    FSpecialEditor = true;
    FEditActive = true;
    FSpecialCol = ACol;
    FSpecialRow = ARow;

    TSpecialEditorPlace Place;
    Place.R = CellRect(ACol, ARow);
    if (UseRightToLeftAlignment()) Place.R.Left += 1;
    Place.W = Place.R.Right - Place.R.Left - 1;
    Place.H = Place.R.Bottom - Place.R.Top - 1;
    Place.C = RealColIndex(ACol);
    Place.Row = ARow;

    // The editor takes the cell's look as the painter draws it.
    TGridDrawState State;
    TColor ColorTo = clNone, Mirror = clNone, MirrorTo = clNone;
    TAlignment HA = taLeftJustify;
    TVAlignment VA = vtaTop;
    bool WW = false;
    TCellGradientDirection GD = GradientVertical;
    auto Brush = std::make_unique<TBrush>();
    Brush->SetColor(Color());
    auto CellFont = std::make_unique<TFont>();
    CellFont->Assign(Font());
    GetVisualProperties(ACol, Row(), State, false, false, true, Brush.get(), ColorTo, Mirror, MirrorTo,
                        CellFont.get(), HA, VA, WW, GD);
    Place.Colour = Brush->Color();
    Place.Font = CellFont.get();

    SetGridState(gsNormal);
    FEditCtrl = nullptr;
    if (FEditControl != edCustom) FLastValidation = true;
    // Each group of special kinds sets up its own editor; a kind without a
    // set-up (or whose editor is not available) is granted with nothing shown.
    if (!SetUpComboFamilyEditor(Place) && !SetUpDropDownEditor(Place)) SetUpPickerEditor(Place);
    FStartEditChar = 0;
}

void TZirOvararIzazInput::EndSpecialEdit(Integer ACol, Integer ARow) {
    if (ComponentState().Contains(csDestroying)) return;
    TFlagScope Block(FBlockKill, true);
    FSpecialEditor = false;
    FEditCtrl = nullptr;
    if (FocusHelper()->Enabled()) UpdateFocusWindow();
    const Integer C = RealColIndex(ACol);
    FStartEditChar = 0;
    if (FEditControl == edPassword) {
        FEditControl = edNormal;
        if (TKelInplaceEdit* Edit = NormalEdit()) Edit->SetPasswordChar(0);
    } else if (!WriteBackComboFamilyEditor(C, ARow) && !WriteBackDropDownEditor(C, ARow)) {
        WriteBackPickerEditor(C, ARow);
    }
    if (FEditControl != edNormal && FEditControl != edCapital && FEditControl != edValidChars && FEditActive) {
        FEditActive = false;
        FinishEditing(C, ARow);
    }
    FEditActive = false;
    FSpecialCol = -1;
    FSpecialRow = -1;
}

// ---- Values into the cell ----------------------------------------------------------

void TZirOvararIzazInput::StoreEditValue(Integer ACol, Integer ARow, const String& Value) {
    SetEditText(RealToDisplColumn(ACol), ARow, Value);
    SetCells(ACol, ARow, Value);
}

void TZirOvararIzazInput::RestoreEditCell() {
    const Integer C = RealColIndex(Col());
    SetCells(C, Row(), FCellCache);
    // Written back unchanged, so the cell store's change paths run for the
    // displayed cell too.
    SetCells(C, Row(), Cells(C, Row()));
}

void TZirOvararIzazInput::SaveOldCellText(Integer ACol, Integer ARow) {
    FOldCol = ACol;
    FOldRow = ARow;
    const Integer C = RealColIndex(ACol);
    FOldCellText = GetEditCellText(C, ARow);
    FOldCellTextWide = WideCells(C, ARow);
    FOldModifiedValue = Modified();
}

// ---- Validation --------------------------------------------------------------------

void TZirOvararIzazInput::GiveBackDblClickOnly() {
    if (!FDblClickSaved) return;
    FDblClickSaved = false;
    MouseActions()->PlainSettings().EditOnDblClickOnly = FValidateDblClick;
}

void TZirOvararIzazInput::RefuseValidation(Integer C, Integer R, const String& Shown, bool Wide) {
    if (FQuietRefusal) {
        // The editor cannot stay open: the cell keeps its last accepted text.
        if (Wide)
            SetWideCells(C, R, FOldCellTextWide);
        else
            SetCells(C, R, FOldCellText);
        SetModified(FOldModifiedValue);
        return;
    }
    // The edit goes on in the edited cell; the text from before the edit
    // stays what a cancel restores.
    const String Cache = FCellCache;
    {
        TFlagScope Quiet(FValidating, true);
        if (Wide)
            SetWideCells(C, R, Shown);
        else
            SetCells(C, R, Shown);
        if (Col() != FOldCol || Row() != FOldRow) {
            const Integer OldCol = FOldCol, OldRow = FOldRow;
            HideEditor();
            FocusCell(OldCol, OldRow);
            FOldCol = OldCol;
            FOldRow = OldRow;
        }
    }
    FEditing = true;
    TKelInplaceEdit* Edit = NormalEdit();
    if (!FSpecialEditor && !(Edit && Edit->Visible())) ShowInplaceEdit();
    FCellCache = Cache;
    SetModified(FOldModifiedValue);
}

void TZirOvararIzazInput::ShowInvalidEntryTip() {
    if (InvalidEntryTitle().empty() && InvalidEntryText().empty()) return;
    EDITBALLOONTIP Tip;
    const String Title = InvalidEntryTitle(), Text = InvalidEntryText();
    Tip.pszTitle = Title.c_str();
    Tip.pszText = Text.c_str();
    Tip.ttiIcon = Integer(InvalidEntryIcon());
    TCustomForm* Form = GetParentForm(this);
    TKelInplaceEdit* Edit = NormalEdit();
    if (Edit && !FSpecialEditor && FEditMode && Edit->HandleAllocated() && (!Form || Form->Active()))
        SendMessage(Edit->Handle(), EM_SHOWBALLOONTIP, 0, reinterpret_cast<LPARAM>(&Tip));
    else if (FEditCtrl && FEditCtrl->HandleAllocated())
        SendMessage(FEditCtrl->Handle(), EM_SHOWBALLOONTIP, 0, reinterpret_cast<LPARAM>(&Tip));
}

bool TZirOvararIzazInput::ValidateCell(const String& NewValue) {
    if (!FEditing || FValidating) return true;
    FEditing = false;
    FValidating = true;
    bool Valid = true;
    const Integer C = RealColIndex(FOldCol);
    const Integer R = FOldRow;
    FNewCellText = NewValue;
    try {
        if (NewValue != FOldCellText || FAlwaysValidate) {
            const bool Changed = NewValue != FOldCellText;
            const bool Advance = Navigation()->AdvanceOnEnter();
            Navigation()->SetAdvanceOnEnter(false);
            String Value = NewValue;
            try {
                if (OnCellValidate) OnCellValidate(this, C, R, Value, Valid);
                if (Value != FOldCellText) {
                    FGridModified = true;
                    SetModified(true);
                    if (FixedCols() > 0) {
                        SetRowModified(RealRowIndex(Row()), true);
                        if (ShowModified()->Enabled()) RepaintCell(0, Row());
                    }
                }
                if (Valid) UpdateFooterCell(C, R);
                if (Valid && Changed) CellsChanged(TRect(C, R, C, R));
            } catch (...) {
                Navigation()->SetAdvanceOnEnter(Advance);
                throw;
            }
            Navigation()->SetAdvanceOnEnter(Advance);
            FNewCellText = Value;
            if (Valid) {
                SetCells(C, R, Value);
                if (IsMergedNonBaseCell(C, R)) {
                    const TPoint Base = BaseCell(C, R);
                    SetCells(Base.X, Base.Y, Value);
                }
            } else {
                FLastValidation = false;
                if (!FDblClickSaved) {
                    FValidateDblClick = MouseActions()->EditOnDblClickOnly();
                    FDblClickSaved = true;
                }
                MouseActions()->PlainSettings().EditOnDblClickOnly = false;
                RefuseValidation(C, R, Value != NewValue ? Value : FOldCellText, false);
                if (!FQuietRefusal) ShowInvalidEntryTip();
            }
            if (Valid || FQuietRefusal) GiveBackDblClickOnly();
            FOldCellText = GridCells(C, R);
        }
    } catch (...) {
        SaveOldCellText(Col(), Row());
        FValidating = false;
        throw;
    }
    SaveOldCellText(Col(), Row());
    FValidating = false;
    if (Valid && FocusHelper()->Enabled()) UpdateFocusWindow();
    return Valid;
}

bool TZirOvararIzazInput::ValidateCellWide(const String& NewValue) {
    if (!FEditing || FValidating) return true;
    FEditing = false;
    FValidating = true;
    bool Valid = true;
    const Integer C = RealColIndex(FOldCol);
    const Integer R = FOldRow;
    try {
        if (NewValue != FOldCellTextWide || FAlwaysValidate) {
            String Value = NewValue;
            UpdateFooterCell(C, R);
            if (OnCellValidateWide) OnCellValidateWide(this, C, R, Value, Valid);
            if (Value != FOldCellTextWide && ShowModified()->Enabled() && FixedCols() > 0)
                // The row the edit was in, as the row store knows it.
                SetRowModified(RealRowIndex(FOldRow), true);
            if (Valid)
                SetWideCells(C, R, Value);
            else
                RefuseValidation(C, R, Value != NewValue ? Value : FOldCellTextWide, true);
            FOldCellTextWide = WideCells(C, R);
        }
    } catch (...) {
        SaveOldCellText(Col(), Row());
        FValidating = false;
        throw;
    }
    SaveOldCellText(Col(), Row());
    FValidating = false;
    return Valid;
}

// ---- Edit permission ---------------------------------------------------------------

bool TZirOvararIzazInput::IsEditable(Integer ACol, Integer ARow) {
    if (!Options().Contains(goEditing) && !MouseActions()->Settings().RangeSelectAndEdit && !FEditDisable)
        return false;
    return IsCellEditable(ACol, ARow);
}

bool TZirOvararIzazInput::IsCellEditable(Integer ACol, Integer ARow) {
    Integer BC = ACol, BR = ARow;
    if (IsMergedNonBaseCell(ACol, ARow)) {
        const TPoint Base = BaseCell(ACol, ARow);
        BC = Base.X;
        BR = Base.Y;
    }
    bool CanEdit = true;
    DoCanEdit(BC, BR, CanEdit);
    bool Fixed = false;
    DoIsFixedCell(BC, BR, Fixed);
    return CanEdit && !Fixed;
}

bool TZirOvararIzazInput::IsFixed(Integer ACol, Integer ARow) {
    if (ACol < 0 || ARow < 0) return false;
    const TPoint Base = BaseCell(RealColIndex(ACol), ARow);
    const Integer BC = RealToDisplColumn(Base.X);
    const Integer BR = Base.Y;
    if (BR >= RowCount() - FixedFooters()) return true;
    if (BC >= ColCount() - FixedRightCols() && BC < ColCount()) return true;
    bool Fixed = false;
    DoIsFixedCell(BC, BR, Fixed);
    return Fixed;
}

bool TZirOvararIzazInput::QueryPasswordCell(Integer ACol, Integer ARow) {
    bool IsPassword = false;
    DoIsPasswordCell(ACol, ARow, IsPassword);
    return IsPassword;
}

bool TZirOvararIzazInput::EditorWantsTab() {
    return Options().Contains(goTabs) || OnCellValidate || OnCellValidateWide;
}

TCustomForm* TZirOvararIzazInput::LookupParentForm(TControl* Control) {
    while (Control) {
        if (auto* Form = dynamic_cast<TCustomForm*>(Control)) return Form;
        Control = Control->Parent();
    }
    return nullptr;
}

// ---- Event-firing operations -------------------------------------------------------

String TZirOvararIzazInput::DoEllipsClick(const String& Value) {
    String S = Value;
    if (OnEllipsClick) OnEllipsClick(this, RealColIndex(Col()), Row(), S);
    return S;
}

void TZirOvararIzazInput::DoClickSort(Integer ACol) {
    if (OnClickSort) OnClickSort(this, ACol);
}

void TZirOvararIzazInput::DoClickCell(Integer ARow, Integer ACol) {
    if (OnClickCell) OnClickCell(this, ARow, ACol);
}

void TZirOvararIzazInput::DoGetEditorProp(Integer ACol, Integer ARow, TObject* AEditLink) {
    if (OnGetEditorProp) OnGetEditorProp(this, ACol, ARow, AEditLink);
    // The column goes in the first parameter, the row in the second.
    if (OnGetEditorPropInt) OnGetEditorPropInt(this, ACol, ARow);
}

void TZirOvararIzazInput::DoCheckBoxClick(Integer ACol, Integer ARow, bool State) {
    if (OnCheckBoxClick) OnCheckBoxClick(this, ACol, ARow, State);
}

// Set-up and write-back of the combo, check box and button editors, the
// combo's items, and the editors the grid makes with itself.

#include "grid/GridCombo.h"
#include "grid/ZirOvararIzazInput.h"
#include "rtl/FlagScope.h"
#include "windowing/MessageQueue.h"

#include <utility>

using namespace winapi;

// ---- The editors made with the grid ------------------------------------------------

void TZirOvararIzazInput::AfterConstruction() {
    TZirOvararIzazCore::AfterConstruction();
    if (ComponentState().Contains(csDesigning)) return;
    FEditCombo = Create<TGridCombo>(this);
    FEditCombo->SetParent(this);
    FEditCombo->SetEnabled(false);
    FEditCombo->SetVisible(false);
    FEditCombo->SetIsWinXP(FIsWinXP);
    FEditCombo->SetIsVista(true);
    FEditCheck = Create<TGridCheckBox>(this);
    FEditCheck->SetParent(this);
    FEditCheck->SetEnabled(false);
    FEditCheck->SetVisible(false);
    FGridButton = Create<TGridButton>(this);
    FGridButton->SetParent(this);
    FGridButton->SetEnabled(false);
    FGridButton->SetVisible(false);
    BtnEdit();
    BtnUnitEdit();
}

void TZirOvararIzazInput::BeforeDestruction() {
    // The editors go before the grid's owned components are torn down: the
    // combo first, the check box and the cell button after the editors made
    // on first use; each reference is cleared before its object goes.
    if (TGridCombo* Combo = std::exchange(FEditCombo, nullptr)) Free(Combo);
    if (TGridCheckBox* Check = std::exchange(FEditCheck, nullptr)) Free(Check);
    if (TGridButton* Button = std::exchange(FGridButton, nullptr)) Free(Button);
    TZirOvararIzazCore::BeforeDestruction();
}

TWinControl* TZirOvararIzazInput::CellEditor() const {
    if (!FEditMode) return nullptr;
    if (FEditCtrl) return FEditCtrl;
    return NormalEdit();
}

// ---- Combo items -------------------------------------------------------------------

void TZirOvararIzazInput::ClearComboString() {
    if (FEditCombo) FEditCombo->Items()->Clear();
}

void TZirOvararIzazInput::AddComboString(const String& S) {
    if (FEditCombo) FEditCombo->Items()->Add(S);
}

void TZirOvararIzazInput::AddComboStringObject(const String& S, TObject* AObject) {
    if (FEditCombo) FEditCombo->Items()->AddObject(S, AObject);
}

bool TZirOvararIzazInput::RemoveComboString(const String& S) {
    if (!FEditCombo) return false;
    const Integer Index = FEditCombo->Items()->IndexOf(S);
    if (Index < 0) return false;
    FEditCombo->Items()->Delete(Index);
    return true;
}

bool TZirOvararIzazInput::SetComboSelectionString(const String& S) {
    if (!FEditCombo) return false;
    const Integer Index = FEditCombo->Items()->IndexOf(S);
    if (Index < 0) return false;
    FComboIdx = Index;
    return true;
}

void TZirOvararIzazInput::SetComboSelection(Integer Index) {
    FComboIdx = Index;
    FForceComboSel = true;
}

void TZirOvararIzazInput::SetComboIndex(Integer ACol, Integer ARow, Integer Index) {
    if (!FEditCombo) return;
    DoGetEditorProp(ACol, ARow, nullptr);
    if (Index >= 0 && Index < FEditCombo->Items()->Count()) SetCells(ACol, ARow, FEditCombo->Items()->Get(Index));
}

Integer TZirOvararIzazInput::GetComboIndex(Integer ACol, Integer ARow) {
    if (!FEditCombo) return -1;
    DoGetEditorProp(ACol, ARow, nullptr);
    return FEditCombo->Items()->IndexOf(Cells(ACol, ARow));
}

Integer TZirOvararIzazInput::GetComboCount() {
    return FEditCombo ? FEditCombo->Items()->Count() : 0;
}

void TZirOvararIzazInput::ComboSelectionChanged() {
    if (!FEditCombo) return;
    const Integer Index = FEditCombo->ItemIndex();
    const String Selection = FEditCombo->Text();
    const Integer C = RealColIndex(Col());
    if (OnComboChange) OnComboChange(this, C, Row(), Index, Selection);
    if (OnComboObjectChange) {
        TObject* Object =
            Index >= 0 && Index < FEditCombo->Items()->Count() ? FEditCombo->Items()->Objects(Index) : nullptr;
        OnComboObjectChange(this, C, Row(), Index, Selection, Object);
    }
}

void TZirOvararIzazInput::HandleComboCommand(const TMessage& Message) {
    if (!FEditMode || !FEditCombo || !FEditCombo->HandleAllocated()) return;
    if (reinterpret_cast<HWND>(Message.LParam) != FEditCombo->Handle()) return;
    const Word Code = HIWORD(Message.WParam);
    // A list-only combo changes its text only with its selection.
    if (Code != CBN_SELCHANGE && !(Code == CBN_EDITCHANGE && FEditCombo->Style() != csDropDownList)) return;
    ++FEditCombo->FSelChanges;
    ComboSelectionChanged();
}

// ---- Set-up ------------------------------------------------------------------------

void TZirOvararIzazInput::PlaceCombo(const TSpecialEditorPlace& Place) {
    TGridCombo* Combo = FEditCombo;
    Combo->SetBounds(Place.R.Left, Place.R.Top, Place.W, Place.H);
    Combo->SetVisible(true);
    switch (Look()) {
    case glSoft:
    case glDOV:
    case glXP:
    case glListView:
    case glVista:
    case glWin7:
    case glOffice2007:
        Combo->SetFlat(true);
        Combo->SetEtched(true);
        break;
    default:
        Combo->SetFlat(false);
        Combo->SetEtched(false);
    }
    Combo->WriteColor(Place.Colour);
    if (Place.Font) Combo->Font()->SetColor(Place.Font->Color());
    if (Navigation()->Settings().AutoComboDropSize)
        Combo->SizeDropDownWidth();
    else if (Combo->DropWidth() > 0)
        Combo->SetDroppedWidth(Combo->DropWidth());
    if (Combo->CanFocus()) Combo->SetFocus();
    const TMouseActionsSettings& Mouse = MouseActions()->Settings();
    if (Mouse.DirectComboDrop || ControlLook()->DropDownAlwaysVisible()) Combo->SetDroppedDown(true);
    if (Mouse.DirectEdit && Mouse.DirectComboDrop) {
        const TGridRect S = Selection();
        SelectionChanged(S.Left, S.Top, S.Right, S.Bottom);
    }
}

void TZirOvararIzazInput::SetUpComboList(const TSpecialEditorPlace& Place, const String& StartText) {
    TGridCombo* Combo = FEditCombo;
    FForceComboSel = false;
    Combo->SetDropDownCount(ControlLook()->DropDownCount());
    Combo->SetBounds(Place.R.Left, Place.R.Top, 0, 0);
    Combo->SetDroppedDown(false);
    Combo->SetEnabled(true);
    Combo->SetStyle(csDropDownList);
    DoGetEditorProp(Place.C, Place.Row, nullptr);
    TStrings* Items = Combo->Items();
    // The cell's text names the item, case counting; then the list's own
    // search; then the index asked for; then the first item.
    const String Stored = Cells(Place.C, Place.Row);
    Integer Index = -1;
    for (Integer i = 0; i < Items->Count() && Index < 0; ++i)
        if (Items->Get(i) == Stored) Index = i;
    bool AutoSelected = false;
    const bool AutoSelect = Navigation()->Settings().AutoComboSelect;
    if (FComboIdx == -1 && Index == -1) {
        Index = Items->IndexOf(StartText);
        if (Index == -1 && AutoSelect) Index = 0;
        Combo->SetItemIndex(Index);
        Combo->Change();
        AutoSelected = AutoSelect;
    } else if (Index == -1 || FForceComboSel) {
        Index = FComboIdx;
    }
    // The index asked for serves this edit only.
    FComboIdx = -1;
    FForceComboSel = false;
    Combo->SetItemIndex(Index);
    PlaceCombo(Place);
    Index = Combo->ItemIndex();
    if (AutoSelected && Index >= 0) {
        const String Selection = Items->Get(Index);
        if (OnComboChange) OnComboChange(this, Place.C, Place.Row, Index, Selection);
        if (OnComboObjectChange) OnComboObjectChange(this, Place.C, Place.Row, Index, Selection, Items->Objects(Index));
    }
}

void TZirOvararIzazInput::SetUpComboEdit(const TSpecialEditorPlace& Place, const String& StartText) {
    TGridCombo* Combo = FEditCombo;
    Combo->SetDropDownCount(ControlLook()->DropDownCount());
    DoGetEditorProp(Place.C, Place.Row, nullptr);
    Combo->SetBounds(Place.R.Left, Place.R.Top, 0, 0);
    Combo->SetEnabled(true);
    Combo->SetDroppedDown(false);
    Combo->SetStyle(csDropDown);
    Combo->SetText(StartText);
    if (FComboIdx != -1 && Combo->ItemIndex() == -1) Combo->SetItemIndex(FComboIdx);
    FComboIdx = -1;
    FForceComboSel = false;
    Combo->SetMaxLength(MaxComboLength());
    PlaceCombo(Place);
}

bool TZirOvararIzazInput::SetUpComboFamilyEditor(const TSpecialEditorPlace& Place) {
    const TEditorType Kind = FEditControl;
    if (Kind != edComboList && Kind != edComboEdit && Kind != edCheckBox && Kind != edButton) return false;
    if (!FEditCombo) return true;
    FEditMode = true;
    String StartText;
    {
        TFlagScope Align(FGetEditTextAlign, true);
        StartText = GetEditText(RealToDisplColumn(Place.C), Place.Row);
    }
    TWinControl* Editor = nullptr;
    switch (Kind) {
    case edComboList:
        SetUpComboList(Place, StartText);
        Editor = FEditCombo;
        break;
    case edComboEdit:
        SetUpComboEdit(Place, StartText);
        Editor = FEditCombo;
        break;
    case edCheckBox:
        FEditCheck->ReCreate();
        FEditCheck->SetBounds(Place.R.Left, Place.R.Top, Place.W, Place.H);
        FEditCheck->SetEnabled(true);
        FEditCheck->SetChecked(StartText == CheckTrue());
        FEditCheck->SetVisible(true);
        if (FEditCheck->CanFocus()) FEditCheck->SetFocus();
        // The check box takes no typed character and is no EditCtrl.
        return true;
    case edButton:
        FGridButton->ReCreate();
        FGridButton->SetBounds(Place.R.Left - 1, Place.R.Top - 1, Place.W + 2, Place.H + 2);
        FGridButton->SetCaption(StartText);
        DoGetEditorProp(Place.C, Place.Row, nullptr);
        FGridButton->SetVisible(true);
        FGridButton->SetEnabled(true);
        if (FGridButton->CanFocus()) FGridButton->SetFocus();
        FEditCtrl = FGridButton;
        return true;
    default:
        return false;
    }
    if (FStartEditChar != 0 && Editor->HandleAllocated())
        PostMessage(Editor->Handle(), WM_CHAR, WPARAM(FStartEditChar), 0);
    FEditCtrl = Editor;
    return true;
}

// ---- Write-back --------------------------------------------------------------------

bool TZirOvararIzazInput::WriteBackComboFamilyEditor(Integer C, Integer ARow) {
    switch (FEditControl) {
    case edComboList:
    case edComboEdit:
        if (FEditCombo && FEditMode) {
            FEditMode = false;
            StoreEditValue(C, ARow, FEditCombo->CellValue());
            FEditCombo->SetDroppedDown(false);
            FEditCombo->SetVisible(false);
            FEditCombo->SetEnabled(false);
        }
        return true;
    case edCheckBox:
        if (FEditCheck && FEditCheck->Enabled()) {
            StoreEditValue(C, ARow, FEditCheck->Checked() ? CheckTrue() : CheckFalse());
            FEditCheck->SetEnabled(false);
            FEditCheck->SetVisible(false);
        }
        FEditMode = false;
        return true;
    case edDataCheckBox:
        // No editor was shown for the cell: the check box holds nothing of
        // it, and its state must not overwrite the cell.
        FEditMode = false;
        return true;
    case edButton:
        if (FGridButton) {
            FGridButton->SetEnabled(false);
            FGridButton->SetVisible(false);
        }
        FEditMode = false;
        return true;
    default:
        return false;
    }
}

// The drop-down editors' key protocol and the few places where one editor
// differs from the others.

#include "grid/GridDropDownEditors.h"

#include "grid/GridUnit.h"
#include "grid/ZirOvararIzazInput.h"
#include "rtl/ClassBuilder.h"
#include "rtl/StringUtils.h"
#include "windowing/Input.h"
#include "windowing/MessageQueue.h"

using namespace winapi;

namespace {

bool ShiftHeld() {
    return GetKeyState(VK_SHIFT) < 0;
}

bool IsArrowOrPageKey(Word Key) {
    return Key == VK_PRIOR || Key == VK_NEXT || (Key >= VK_LEFT && Key <= VK_DOWN);
}

} // namespace

// ---- The key protocol ----------------------------------------------------------------

TGridDropDownKeys::TGridDropDownKeys(TKelCustomDropDown* Self, TComponent* AOwner)
    : FSelf(Self), FGrid(dynamic_cast<TZirOvararIzazInput*>(AOwner)) {
    if (!FGrid) throw EInvalidCast(u"Invalid class typecast");
}

bool TGridDropDownKeys::IsGridKey(Word Key, TShiftState Shift) const {
    switch (Key) {
    case VK_DOWN:
        return !Shift.Contains(ssAlt);
    case VK_TAB: case VK_RETURN: case VK_ESCAPE: case VK_PRIOR: case VK_NEXT: case VK_END: case VK_UP:
        return true;
    default:
        return false;
    }
}

void TGridDropDownKeys::ReopenAfterAdvance() {
    FGrid->ShowInplaceEdit();
}

void TGridDropDownKeys::GridKeyDown(Word& Key, TShiftState Shift) {
    TZirOvararIzazInput* G = FGrid;
    if (FSelf->DroppedDown() && KeepsKey(Key)) {
        Key = 0;
        BaseKeyDown(Key, Shift);
        return;
    }
    if (!IsGridKey(Key, Shift)) {
        BaseKeyDown(Key, Shift);
        return;
    }
    if (Key == VK_ESCAPE) {
        BeforeCancel();
        FCancelled = true;
        // The text from before the edit: the memo editor hands its text to
        // the cell while it changes, so the cell may no longer hold it.
        ShowText(G->OriginalCellValue());
        G->HideInplaceEdit();
        if (G->CanFocus()) G->SetFocus();
        return;
    }
    if (IsCommitKey(Key)) {
        const String Value = CommitText(Key);
        G->SetCurrentCell(Value);
        if (!G->ValidateCell(Value)) {
            ShowText(G->FNewCellText);
            FSelf->SelectAll();
            FSelf->Invalidate();
            Key = 0;
            return;
        }
        ShowText(G->CurrentCell());
    }
    if (Key == VK_TAB && G->EditorWantsTab()) {
        const String Value = CommitText(Key);
        G->SetCurrentCell(Value);
        if (!G->ValidateCell(Value)) {
            ShowText(G->FNewCellText);
            FSelf->SetSelStart(Integer(FSelf->EditText().size()));
            FSelf->Invalidate();
            Key = 0;
            return;
        }
        if (G->Options().Contains(goTabs)) {
            G->HideInplaceEdit();
            if (G->CanFocus()) G->SetFocus();
            G->NavigateByKey(ShiftHeld());
            return;
        }
        if (G->HandleAllocated()) PostMessage(G->Handle(), WM_KEYDOWN, VK_TAB, 0);
    }
    if (FSelf->DroppedDown()) {
        G->HideInplaceEdit();
        if (IsArrowOrPageKey(Key)) Key = 0;
    } else if (Key == VK_END) {
        BaseKeyDown(Key, Shift);
        return;
    }
    G->DoneInplaceEdit(Key, Shift);
    const TNavigationSettings& Nav = G->Navigation()->Settings();
    if (Nav.AdvanceOnEnter && Nav.AdvanceAutoEdit) ReopenAfterAdvance();
    Key = 0;
    BaseKeyDown(Key, Shift);
}

void TGridDropDownKeys::GridKeyPress(Char& Key) {
    if (FGrid->OnKeyPress) FGrid->OnKeyPress(FSelf, Key);
    if (Key == VK_ESCAPE || Key == VK_RETURN || Key == VK_TAB) Key = 0;
}

void TGridDropDownKeys::GridWantSpecialKey(TMessage& Message) {
    const Word Key = Word(Message.WParam);
    if (Key == VK_TAB && FGrid->EditorWantsTab()) Message.Result = 1;
    if ((Key == VK_RETURN || Key == VK_ESCAPE) && ClaimsEnterAndEscape()) Message.Result = 1;
}

void TGridDropDownKeys::GridExit() {
    FGrid->HideInplaceEdit();
}

void TGridDropDownKeys::GridFocused() {
    if (!PlacesCaretAtClick() || !FGrid->FLeftClickEdit || !FSelf->HandleAllocated()) return;
    TPoint P;
    GetCursorPos(P);
    P = FSelf->ScreenToClient(P);
    if (P.X < 0 || P.Y < 0 || P.X > FSelf->Width() || P.Y > FSelf->Height()) return;
    const LRESULT At = SendMessage(FSelf->Handle(), EM_CHARFROMPOS, 0, MAKELPARAM(P.X, P.Y));
    if (At == -1) return;
    FSelf->SetSelStart(Integer(LOWORD(NativeUInt(At))));
    FSelf->SetSelLength(0);
    FGrid->FLeftClickEdit = false;
}

void TGridDropDownKeys::GridChange() {
    if (FGrid->OnEditChange) FGrid->OnEditChange(FGrid, FGrid->Col(), FGrid->Row(), FSelf->Text());
}

// ---- The editors ---------------------------------------------------------------------

const TClassInfo& TGridTrackbarDropDown::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TGridTrackbarDropDown, TKelTrackBarDropDown>().Build();
    return Info;
}

const TClassInfo& TGridMemoDropDown::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TGridMemoDropDown, TKelMemoDropDown>().Build();
    return Info;
}

String TGridMemoDropDown::MemoValue() const {
    String Value = MemoText()->Text();
    // The lines' text ends with a line break; the cell's does not.
    while (!Value.empty() && (Value.back() == u'\n' || Value.back() == u'\r')) Value.pop_back();
    return Value;
}

void TGridMemoDropDown::SetMemoValue(const String& Value) {
    MemoText()->SetText(Value);
    if (Memo()) Memo()->Lines()->SetText(Value);
}

const TClassInfo& TGridCalculatorDropDown::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TGridCalculatorDropDown, TKelCalculatorDropdown>().Build();
    return Info;
}

String TGridCalculatorDropDown::CommitText(Word Key) {
    if (Key == VK_RETURN) CalcResult();
    return Text();
}

const TClassInfo& TGridTimepickerDropDown::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TGridTimepickerDropDown, TKelTimePickerDropDown>().Build();
    return Info;
}

TGridTimepickerDropDown::TGridTimepickerDropDown(TComponent* AOwner) : TGridDropDownEditor(AOwner) {
    SetFocusDraw(false);
}

const TClassInfo& TGridDetailPickerDropDown::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TGridDetailPickerDropDown, TKelDetailDropDown>().Build();
    return Info;
}

const TClassInfo& TGridGridDropDown::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TGridGridDropDown, ZuvEdiraRareriVavuRaze::TZuvEdiraRareriVavuRaze>().Build();
    return Info;
}

void TGridGridDropDown::BeforeCancel() {
    if (DroppedDown()) HideDropDown(true);
}

void TGridGridDropDown::ReopenAfterAdvance() {
    if (FGrid->HandleAllocated()) PostMessage(FGrid->Handle(), WM_GRIDEDITSHOW(), 0, 0);
}

const TClassInfo& TGridColorDropDown::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TGridColorDropDown, TKelColorPickerDropDown>().Build();
    return Info;
}

bool TGridColorDropDown::IsGridKey(Word Key, TShiftState Shift) const {
    if (DroppedDown()) return Key == VK_TAB || Key == VK_RETURN || Key == VK_ESCAPE;
    return Key == VK_HOME || TGridDropDownKeys::IsGridKey(Key, Shift);
}

void TGridColorDropDown::WndProc(TMessage& Message) {
    Word Key = Word(Message.WParam);
    if (Message.Msg == WM_KEYDOWN && !DroppedDown() && (IsArrowOrPageKey(Key) || Key == VK_HOME || Key == VK_END)) {
        TShiftState Shift;
        if (GetKeyState(VK_SHIFT) < 0) Shift.Include(ssShift);
        if (GetKeyState(VK_CONTROL) < 0) Shift.Include(ssCtrl);
        if (GetKeyState(VK_MENU) < 0) Shift.Include(ssAlt);
        if (IsGridKey(Key, Shift)) {
            GridKeyDown(Key, Shift);
            Message.Result = 0;
            return;
        }
    }
    TGridDropDownEditor::WndProc(Message);
}

void TGridColorDropDown::AfterHideDropDown() {
    TKelColorPickerDropDown::AfterHideDropDown();
    if (FGrid->MouseActions()->Settings().DirectComboClose && Visible() && FGrid->CanFocus()) FGrid->SetFocus();
}

const TClassInfo& TGridImageDropDown::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TGridImageDropDown, TKelImagePickerDropDown>().Build();
    return Info;
}

const TClassInfo& TGridControlDropDown::StaticClassInfo() {
    using C = TGridControlDropDown;
    static const TClassInfo Info = TClassBuilder<C, TKelControlDropDown>()
                                       .Property(u"WantArrows", &C::WantArrows, &C::SetWantArrows)
                                       .Default(false)
                                       .Build();
    return Info;
}

bool TGridControlDropDown::KeepsKey(Word Key) const {
    return FWantArrows && (IsArrowOrPageKey(Key) || Key == VK_HOME || Key == VK_END);
}

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

bool IsArrowOrPageKey(Word Key) {
    return Key == VK_PRIOR || Key == VK_NEXT || (Key >= VK_LEFT && Key <= VK_DOWN);
}

} // namespace

// ---- The key protocol ----------------------------------------------------------------

TGridDropDownKeys::TGridDropDownKeys(TKelCustomDropDown* Self, TComponent* AOwner)
    : FLink(AOwner), FSelf(Self), FGrid(FLink.Grid()) {}

void TGridDropDownKeys::GridKeyDown(Word& Key, TShiftState Shift) {
    if (FSelf->DroppedDown() && KeepsKey(Key)) {
        Key = 0;
        BaseKeyDown(Key, Shift);
        return;
    }
    // Esc cancels: the pickers whose value is not their text write nothing.
    if (Key == VK_ESCAPE && IsGridKey(Key, Shift)) FCancelled = true;
    FLink.KeyDown(*this, Key, Shift);
}

void TGridDropDownKeys::ShowEditorText(const String& Value, bool SelectAll) {
    ShowText(Value);
    if (SelectAll)
        FSelf->SelectAll();
    else
        FSelf->SetSelStart(Integer(FSelf->EditText().size()));
}

void TGridDropDownKeys::GridWantSpecialKey(TMessage& Message) {
    const Word Key = Word(Message.WParam);
    if (FLink.ClaimsTab(Key)) Message.Result = 1;
    if ((Key == VK_RETURN || Key == VK_ESCAPE) && ClaimsEnterAndEscape()) Message.Result = 1;
}

void TGridDropDownKeys::GridExit() {
    FGrid->HideInplaceEdit();
}

void TGridDropDownKeys::GridFocused() {
    if (!PlacesCaretAtClick() || !FSelf->HandleAllocated()) return;
    const Integer Caret = FLink.CaretAtClick(FSelf, FSelf->Handle());
    if (Caret < 0) return;
    FSelf->SetSelStart(Caret);
    FSelf->SetSelLength(0);
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

String TGridCalculatorDropDown::CommitValue(Word Key) {
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

void TGridGridDropDown::ReopenAfterDone(TGridEditorLink& Link) {
    Link.PostShow();
}

const TClassInfo& TGridColorDropDown::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TGridColorDropDown, TKelColorPickerDropDown>().Build();
    return Info;
}

bool TGridColorDropDown::IsGridKey(Word Key, TShiftState Shift) {
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

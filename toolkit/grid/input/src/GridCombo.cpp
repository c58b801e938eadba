// The combo, check box and button editors of the string grid.

#include "grid/GridCombo.h"

#include "grid/GridUnit.h"
#include "rtl/ClassBuilder.h"
#include "rtl/FlagScope.h"
#include "rtl/StringUtils.h"
#include "vcl/ControlMessages.h"
#include "windowing/Input.h"
#include "windowing/MessageQueue.h"

#include <algorithm>

using namespace winapi;

const TClassInfo& TGridCombo::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TGridCombo, TVazComboBox>().Build();
    return Info;
}

const TClassInfo& TGridCheckBox::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TGridCheckBox, TCheckBox>().Build();
    return Info;
}

const TClassInfo& TGridButton::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TGridButton, TButton>().Build();
    return Info;
}

namespace {

bool IsOneOf(Word Key, std::initializer_list<Word> Keys) {
    return std::find(Keys.begin(), Keys.end(), Key) != Keys.end();
}

// The index of the first item equal to Value, case counting; -1 for none.
Integer ExactIndex(const TStrings* Items, const String& Value) {
    for (Integer i = 0; i < Items->Count(); ++i)
        if (Items->Get(i) == Value) return i;
    return -1;
}

} // namespace

// ---- The combo editor --------------------------------------------------------------

TGridCombo::TGridCombo(TComponent* AOwner) : TVazComboBox(AOwner), FLink(AOwner) {
    // The grid completes typed text itself, from the items and its lookup list.
    SetAutoComplete(false);
    SetButtonWidth(16);
}

void TGridCombo::ShowEditorText(const String& Value, bool SelectAll) {
    TakeCellText(Value);
    if (ListStyle()) return;
    if (SelectAll)
        TCustomEdit::SelectAll();
    else
        SetSelStart(Integer(Text().size()));
}

void TGridCombo::TakeCellText(const String& Value) {
    if (ListStyle()) {
        const Integer Index = ExactIndex(Items(), Value);
        SetItemIndex(Index >= 0 ? Index : Items()->IndexOf(Value));
    } else {
        SetText(Value);
    }
}

String TGridCombo::CellValue() {
    TZirOvararIzazInput* G = Grid();
    if (ListStyle() && ItemIndex() < 0 && G->FSpecialCol >= 0)
        return G->Cells(G->RealColIndex(G->FSpecialCol), G->FSpecialRow);
    return Text();
}

void TGridCombo::SizeDropDownWidth() {
    TZirOvararIzazInput* G = Grid();
    Integer W = Width();
    TCanvas* Canvas = G->Canvas();
    Canvas->Font()->Assign(G->Font());
    const bool Scrolls = Items()->Count() > DropDownCount();
    for (Integer i = 0; i < Items()->Count(); ++i) {
        const Integer TextWidth = Canvas->TextWidth(Items()->Get(i));
        if (Scrolls) {
            if (W - 25 < TextWidth) W = TextWidth + 25;
        } else if (W - 5 < TextWidth) {
            W = TextWidth + 8;
        }
    }
    Perform(CB_SETDROPPEDWIDTH, WPARAM(W), 0);
}

void TGridCombo::KeyDown(Word& Key, TShiftState Shift) {
    TZirOvararIzazInput* G = Grid();
    const TNavigationSettings& Nav = G->Navigation()->Settings();
    if (!IsOneOf(Key, {VK_TAB, VK_RETURN, VK_ESCAPE, VK_PRIOR, VK_NEXT, VK_LEFT, VK_UP, VK_RIGHT, VK_DOWN}) &&
        G->OnKeyDown)
        G->OnKeyDown(G, Key, Shift);
    const bool Open = DroppedDown();
    const bool ListOrOpen = ListStyle() || Open;
    bool GridKey = ListOrOpen ? IsOneOf(Key, {VK_TAB, VK_RETURN, VK_ESCAPE, VK_LEFT, VK_RIGHT})
                              : IsOneOf(Key, {VK_TAB, VK_RETURN, VK_ESCAPE, VK_PRIOR, VK_NEXT, VK_END, VK_UP, VK_DOWN});
    if (Key == VK_DOWN && Shift.Contains(ssAlt)) GridKey = false;
    FWorkMode = Key != VK_BACK && Key != VK_DELETE;

    if ((Key == VK_UP || Key == VK_DOWN) && !Open && !Nav.ComboGetUpDown && !Shift.Contains(ssAlt)) {
        // The grid takes the key: the edit ends and the current cell moves.
        // The combo does nothing more with it (the cell it was opened on
        // has its value already).
        G->HideInplaceEdit();
        const bool AlwaysEdit = Nav.AlwaysEdit;
        G->Navigation()->PlainSettings().AlwaysEdit = false;
        try {
            FLink.FocusGrid();
        } catch (...) {
            G->Navigation()->PlainSettings().AlwaysEdit = AlwaysEdit;
            throw;
        }
        G->Navigation()->PlainSettings().AlwaysEdit = AlwaysEdit;
        G->KeyDown(Key, Shift);
        Key = 0;
        return;
    }
    if (!GridKey) {
        BaseKeyDown(Key, Shift);
        return;
    }
    if (Open && (Key == VK_RETURN || (Key == VK_TAB && FLink.GridWantsTab()))) {
        // The item highlighted in the open list is the one chosen.
        Word Choose = VK_RETURN;
        BaseKeyDown(Choose, TShiftState());
    }
    G->FNewCellText = CellValue();

    if (Key == VK_ESCAPE) {
        const String Original = FLink.OriginalText();
        if (ListStyle()) {
            const Integer Index = ExactIndex(Items(), Original);
            SetItemIndex(Index >= 0 ? Index : Items()->IndexOf(Original));
        } else {
            SetText(Original);
            const Integer Index = Items()->IndexOf(Original);
            if (Index >= 0) SetItemIndex(Index);
        }
        FLink.Cancel();
        // A text the list cannot show comes back as it was.
        FLink.RestoreCell(Original);
        Key = 0;
        return;
    }
    if (Key == VK_RETURN || Key == VK_UP || Key == VK_DOWN) {
        if (!FLink.Commit(CellValue(), Key)) {
            // The edit goes on in the same cell, without the Enter advance.
            ShowEditorText(FLink.RefusedText(), true);
            Repaint();
            return;
        }
        TakeCellText(FLink.CellText());
    }
    if (Key == VK_TAB && FLink.GridWantsTab()) {
        if (Open) Perform(CB_SHOWDROPDOWN, 0, 0);
        if (!FLink.CommitTab(CellValue(), Key)) {
            ShowEditorText(FLink.RefusedText(), false);
            Repaint();
            return;
        }
        const String Cell = FLink.CellText();
        if (Cell != Text()) TakeCellText(Cell);
        if (G->Options().Contains(goTabs)) {
            const bool Backward = GetKeyState(VK_SHIFT) < 0;
            if (!(ListStyle() && ItemIndex() < 0)) {
                G->HideInplaceEdit();
                if (ListOrOpen) G->StoreEditValue(G->RealColIndex(G->Col()), G->Row(), G->FNewCellText);
                FLink.FocusGrid();
            }
            G->NavigateByKey(Backward);
            Key = 0;
            return;
        }
        FLink.PostTab();
    }
    if (ListOrOpen) {
        const bool DirectClose = G->MouseActions()->Settings().DirectComboClose;
        G->MouseActions()->PlainSettings().DirectComboClose = false;
        try {
            G->HideInplaceEdit();
            G->StoreEditValue(G->RealColIndex(G->Col()), G->Row(), G->FNewCellText);
        } catch (...) {
            G->MouseActions()->PlainSettings().DirectComboClose = DirectClose;
            throw;
        }
        G->MouseActions()->PlainSettings().DirectComboClose = DirectClose;
        if (Key == VK_LEFT || Key == VK_RIGHT) {
            if (Nav.SkipReadOnly) {
                G->AdvanceCell(G->Col(), G->Row(), true, false, !Shift.Contains(ssShift), false, false);
            } else {
                Word K = Key;
                G->KeyDown(K, Shift);
            }
        }
        if (IsOneOf(Key, {VK_PRIOR, VK_NEXT, VK_LEFT, VK_UP, VK_RIGHT, VK_DOWN})) Key = 0;
    } else if (Key == VK_END) {
        BaseKeyDown(Key, Shift);
        return;
    }
    FLink.Done(*this, Key, Shift);
}

void TGridCombo::KeyPress(Char& Key) {
    TZirOvararIzazInput* G = Grid();
    const Integer Before = ItemIndex();
    const Integer Reported = FSelChanges;
    if (G->OnKeyPress) G->OnKeyPress(this, Key);
    if (Key == VK_ESCAPE) Key = 0;
    if (Key == VK_RETURN && OnReturnKey) OnReturnKey(this);
    if (Key == VK_RETURN || Key == VK_TAB) Key = 0;
    TVazComboBox::KeyPress(Key);
    // A change the grid has already reported is not told twice.
    if (ItemIndex() != Before && FSelChanges == Reported) G->ComboSelectionChanged();
}

void TGridCombo::KeyUp(Word& Key, TShiftState Shift) {
    TZirOvararIzazInput* G = Grid();
    if (!IsOneOf(Key, {VK_TAB, VK_RETURN, VK_ESCAPE, VK_PRIOR, VK_NEXT, VK_UP, VK_DOWN}) && G->OnKeyUp)
        G->OnKeyUp(G, Key, Shift);
    if (!ListStyle() && Visible() && G->EditMode())
        if (FLink.CursorWalk(Key, Shift, Text(), SelStart(), SelLength())) return;
    FLink.SetNoAutoAdvance(false);
    if (Key != VK_RETURN) TVazComboBox::KeyUp(Key, Shift);
    AutoComplete();
}

void TGridCombo::AutoComplete() {
    TZirOvararIzazInput* G = Grid();
    if (!FWorkMode || !G->Lookup() || ListStyle()) return;
    const bool Case = G->LookupCaseSensitive();
    const String Current = Text();
    const size_t Length = std::min<size_t>(size_t(std::max(SelStart(), 0)), Current.size());
    if (Length == 0) return;
    const auto Comparable = [Case](const String& S) { return Case ? S : UpperCase(S); };
    const String P = Comparable(Current.substr(0, Length));
    const auto Complete = [&](const String& Item) {
        const String Completed = Current.substr(0, Length) + Item.substr(Length, 255);
        SetText(Completed);
        Perform(CB_SETEDITSEL, 0, MAKELPARAM(Word(Length), Word(Completed.size())));
    };
    for (Integer i = 0; i < Items()->Count(); ++i) {
        const String Item = Items()->Get(i);
        if (Item.size() < Length || Comparable(Item.substr(0, Length)) != P) continue;
        // The item is the selected one; the text keeps the typed letters.
        SetItemIndex(i);
        Complete(Item);
        return;
    }
    TStrings* Lookup = G->LookupItems();
    for (Integer i = 0; i < Lookup->Count(); ++i) {
        const String Item = Lookup->Get(i);
        if (Item.size() < Length || Comparable(Item.substr(0, Length)) != P) continue;
        Complete(Item);
        return;
    }
}

void TGridCombo::Change() {
    TVazComboBox::Change();
    FLink.TextChanged(Text());
}

void TGridCombo::MouseWheel(TMessage& Message) {
    TZirOvararIzazInput* G = Grid();
    const Integer Delta = std::int16_t(HIWORD(Message.WParam));
    if (Delta < 0) {
        if (ItemIndex() < Items()->Count() - 1) SetItemIndex(ItemIndex() + 1);
    } else if (ItemIndex() > 0) {
        SetItemIndex(ItemIndex() - 1);
    }
    if (G->OnEditChange) G->OnEditChange(G, G->RealColIndex(G->Col()), G->Row(), Text());
    G->ComboSelectionChanged();
    // The grid does not scroll while the combo has the wheel.
    Message.Result = 0;
}

void TGridCombo::HandleFocusGain() {
    TZirOvararIzazInput* G = Grid();
    if (ListStyle()) return;
    if (!G->Navigation()->Settings().EditSelectAll) SetSelStart(Integer(Text().size()));
    const Integer Caret = FLink.CaretAtClick(this, EditHandle());
    if (Caret >= 0) {
        SetSelStart(Caret);
        SetSelLength(0);
    }
}

void TGridCombo::WndProc(TMessage& Message) {
    switch (Message.Msg) {
    case WM_MOUSEWHEEL:
        MouseWheel(Message);
        return;
    case CM_WANTSPECIALKEY:
        TVazComboBox::WndProc(Message);
        if (Message.WParam == VK_RETURN || Message.WParam == VK_ESCAPE || FLink.ClaimsTab(Word(Message.WParam)))
            Message.Result = 1;
        return;
    case WM_SETFOCUS:
        TVazComboBox::WndProc(Message);
        HandleFocusGain();
        return;
    case WM_KILLFOCUS: {
        TZirOvararIzazInput* G = Grid();
        if (G->LookupHistory() && !Text().empty() && Items()->IndexOf(Text()) < 0) Items()->Add(Text());
        FLink.Leave();
        TVazComboBox::WndProc(Message);
        return;
    }
    default:
        TVazComboBox::WndProc(Message);
    }
}

// ---- The check-box editor ----------------------------------------------------------

TGridCheckBox::TGridCheckBox(TComponent* AOwner) : TCheckBox(AOwner), FLink(AOwner) {}

void TGridCheckBox::KeyDown(Word& Key, TShiftState Shift) {
    TZirOvararIzazInput* G = Grid();
    if (!IsOneOf(Key, {VK_RETURN, VK_PRIOR, VK_NEXT, VK_END, VK_LEFT, VK_UP, VK_RIGHT, VK_DOWN})) {
        TCheckBox::KeyDown(Key, Shift);
        return;
    }
    G->HideInplaceEdit();
    FLink.FocusGrid();
    if (Key == VK_RETURN) {
        G->AdvanceCell(G->Col(), G->Row(), false, false, !Shift.Contains(ssShift), false, false);
    } else if (Key == VK_UP || Key == VK_DOWN) {
        Word K = Key;
        G->KeyDown(K, Shift);
    }
    Key = 0;
}

void TGridCheckBox::WndProc(TMessage& Message) {
    switch (Message.Msg) {
    case CM_WANTSPECIALKEY:
        TCheckBox::WndProc(Message);
        // The keys that end the edit are the editor's, not the form's.
        if (IsOneOf(Word(Message.WParam), {VK_RETURN, VK_LEFT, VK_UP, VK_RIGHT, VK_DOWN})) Message.Result = 1;
        return;
    case WM_KILLFOCUS:
        FLink.Leave();
        TCheckBox::WndProc(Message);
        return;
    default:
        TCheckBox::WndProc(Message);
    }
}

// ---- The button editor -------------------------------------------------------------

TGridButton::TGridButton(TComponent* AOwner) : TButton(AOwner), FLink(AOwner) {}

void TGridButton::ExchangeCaption() {
    TZirOvararIzazInput* G = Grid();
    SetCaption(G->DoEllipsClick(Caption()));
    G->SetCurrentCell(Caption());
}

void TGridButton::WndProc(TMessage& Message) {
    TZirOvararIzazInput* G = Grid();
    switch (Message.Msg) {
    case WM_LBUTTONUP: {
        const TPoint P{GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)};
        if (Pressed() && PtInRect(ClientRect(), P)) ExchangeCaption();
        TButton::WndProc(Message);
        return;
    }
    case WM_KEYUP:
        if (Message.WParam == VK_SPACE && Pressed()) {
            TButton::WndProc(Message);
            ExchangeCaption();
            if (CanFocus()) SetFocus();
            Repaint();
            return;
        }
        break;
    case WM_KEYDOWN: {
        const Word Key = Word(Message.WParam);
        if (Key >= VK_LEFT && Key <= VK_DOWN) {
            if (G->HandleAllocated()) SendMessage(G->Handle(), WM_KEYDOWN, Message.WParam, Message.LParam);
            G->HideInplaceEdit();
            FLink.FocusGrid();
            if (G->HandleAllocated()) SendMessage(G->Handle(), WM_KEYUP, Message.WParam, Message.LParam);
            return;
        }
        if (Key == VK_ESCAPE) {
            const String Original = FLink.OriginalText();
            G->HideInplaceEdit();
            FLink.FocusGrid();
            FLink.RestoreCell(Original);
            if (G->HandleAllocated()) SendMessage(G->Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
            return;
        }
        break;
    }
    case CM_WANTSPECIALKEY:
        TButton::WndProc(Message);
        if (IsOneOf(Word(Message.WParam), {VK_ESCAPE, VK_LEFT, VK_UP, VK_RIGHT, VK_DOWN})) Message.Result = 1;
        return;
    case WM_KILLFOCUS:
        FLink.Leave();
        break;
    default:
        break;
    }
    TButton::WndProc(Message);
}

// Focus, tab order and keyboard input of windowed controls, with the dialog
// keys the message loop offers a control before the key reaches it.

#include "ControlGlobals.h"
#include "vcl/Forms.h"
#include "vcl/Menus.h"
#include "windowing/Focus.h"
#include "windowing/Input.h"

#include <algorithm>

using namespace winapi;

// ---- Focus ----

// A control can take the focus when it and every parent up to its form are
// visible and enabled, the form included.
bool TWinControl::CanFocus() const {
    TCustomForm* Form = GetParentForm(this);
    if (!Form) return false;
    for (const TControl* Control = this; Control; Control = Control->Parent())
        if (!Control->Visible() || !Control->Enabled()) return false;
    return true;
}

bool TWinControl::Focused() const {
    return FHandle && GetFocus() == FHandle;
}

void TWinControl::SetFocus() {
    if (TCustomForm* Form = GetParentForm(this))
        Form->FocusControl(this);
    else if (FParentWindow)
        winapi::SetFocus(Handle());
    else
        throw EInvalidOperation(u"Control '%s' has no parent window", {Name()});
}

void TWinControl::RemoveFocus(bool Removing) {
    if (TCustomForm* Form = GetParentForm(this)) Form->DefocusControl(this, Removing);
}

void TWinControl::DoEnter() {
    if (OnEnter) OnEnter(this);
}

void TWinControl::DoExit() {
    if (OnExit) OnExit(this);
}

// ---- Tab order ----

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& List) const {
    for (TWinControl* Child : FTabList) {
        List.push_back(Child);
        Child->GetTabOrderList(List);
    }
}

TWinControl* TWinControl::FindNextControl(TWinControl* CurControl, bool GoForward, bool CheckTabStop,
                                          bool CheckParent) const {
    std::vector<TWinControl*> List;
    GetTabOrderList(List);
    if (List.empty()) return nullptr;
    Integer Count = Integer(List.size());
    auto Found = std::find(List.begin(), List.end(), CurControl);
    Integer Start = Found != List.end() ? Integer(Found - List.begin()) : (GoForward ? Count - 1 : 0);
    Integer I = Start;
    do {
        I = GoForward ? (I + 1) % Count : (I + Count - 1) % Count;
        TWinControl* Candidate = List[size_t(I)];
        if (Candidate->CanFocus() && (!CheckTabStop || Candidate->TabStop()) &&
            (!CheckParent || Candidate->Parent() == this))
            return Candidate;
    } while (I != Start);
    return nullptr;
}

void TWinControl::SelectNext(TWinControl* CurControl, bool GoForward, bool CheckTabStop) {
    if (TWinControl* Next = FindNextControl(CurControl, GoForward, CheckTabStop, !CheckTabStop))
        Next->SetFocus();
}

void TWinControl::SelectFirst() {
    TCustomForm* Form = GetParentForm(this);
    if (!Form) return;
    TWinControl* First = FindNextControl(nullptr, true, true, false);
    if (!First) First = FindNextControl(nullptr, true, false, false);
    if (First) Form->SetActiveControl(First);
}

// ---- Keys ----

void TWinControl::KeyDown(Word& Key, TShiftState Shift) {
    if (OnKeyDown) OnKeyDown(this, Key, Shift);
}

void TWinControl::KeyPress(Char& Key) {
    if (OnKeyPress) OnKeyPress(this, Key);
}

void TWinControl::KeyUp(Word& Key, TShiftState Shift) {
    if (OnKeyUp) OnKeyUp(this, Key, Shift);
}

// With key preview the form sees the key first; a handler that sets the
// key to 0 uses it up.
bool TWinControl::DoKeyDown(TMessage& Message) {
    TCustomForm* Form = GetParentForm(this);
    if (Form && Form != this && Form->KeyPreview() && static_cast<TWinControl*>(Form)->DoKeyDown(Message))
        return true;
    Word Key = Word(Message.WParam);
    if (!ControlStyle().Contains(csNoStdEvents)) {
        KeyDown(Key, KeyDataToShiftState(Message.LParam));
        Message.WParam = Key;
        if (Key == 0) return true;
    }
    return false;
}

bool TWinControl::DoKeyPress(TMessage& Message) {
    TCustomForm* Form = GetParentForm(this);
    if (Form && Form != this && Form->KeyPreview() && static_cast<TWinControl*>(Form)->DoKeyPress(Message))
        return true;
    Char Key = Char(Message.WParam);
    if (!ControlStyle().Contains(csNoStdEvents)) {
        KeyPress(Key);
        Message.WParam = Key;
        if (Key == 0) return true;
    }
    return false;
}

bool TWinControl::DoKeyUp(TMessage& Message) {
    TCustomForm* Form = GetParentForm(this);
    if (Form && Form != this && Form->KeyPreview() && static_cast<TWinControl*>(Form)->DoKeyUp(Message))
        return true;
    Word Key = Word(Message.WParam);
    if (!ControlStyle().Contains(csNoStdEvents)) {
        KeyUp(Key, KeyDataToShiftState(Message.LParam));
        Message.WParam = Key;
        if (Key == 0) return true;
    }
    return false;
}

// Tab, the arrows, Enter and Escape move between controls or press the
// default and cancel buttons, unless the control asks for them itself
// (CM_WANTSPECIALKEY or its dialog code). Answers 1 when the form used the key.
void TWinControl::CNKeyDown(TMessage& Message) {
    Message.Result = 1;
    // Shortcuts of the pop-up menus on the way up and of the form's main menu come first.
    if (IsMenuKey(this, Word(Message.WParam), KeyDataToShiftState(Message.LParam))) return;
    UINT Mask = 0;
    switch (Integer(Message.WParam)) {
    case VK_TAB:
        Mask = DLGC_WANTTAB;
        break;
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
        Mask = DLGC_WANTARROWS;
        break;
    case VK_RETURN:
    case VK_ESCAPE:
    case VK_CANCEL:
        Mask = DLGC_WANTALLKEYS;
        break;
    default:
        break;
    }
    if (Mask != 0 && Perform(CM_WANTSPECIALKEY, Message.WParam, Message.LParam) == 0 &&
        (Perform(WM_GETDLGCODE, 0, 0) & Mask) == 0)
        if (TCustomForm* Form = GetParentForm(this))
            if (Form->Perform(CM_DIALOGKEY, Message.WParam, Message.LParam) != 0) return;
    Message.Result = 0;
}

// A character the control does not want becomes a possible accelerator.
void TWinControl::CNChar(TMessage& Message) {
    Message.Result = 1;
    if ((Perform(WM_GETDLGCODE, 0, 0) & DLGC_WANTCHARS) == 0 || Message.Msg == CN_SYSCHAR)
        if (TCustomForm* Form = GetParentForm(this))
            if (Form->Perform(CM_DIALOGCHAR, Message.WParam, Message.LParam) != 0) return;
    Message.Result = 0;
}

// The filter button's pop-up lists: keys, mouse release, tick changes and
// the loss of the capture.

#include "grid/FilterDropLists.h"

#include "rtl/ClassBuilder.h"
#include "windowing/Input.h"
#include "windowing/Messages.h"

using namespace winapi;

const TClassInfo& TDropList::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TDropList, TListBox>().Build();
    return Info;
}

const TClassInfo& TDropCheckList::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TDropCheckList, TCheckListBox>().Build();
    return Info;
}

bool TDropCancelRule::Outside(const TRect& Bounds, TPoint Pos) {
    const TRect Reach{Bounds.Left, Bounds.Top - ButtonReach, Bounds.Right, Bounds.Bottom};
    return !PtInRect(Reach, Pos);
}

namespace {

// The cursor in the client coordinates of the list's parent (the list's
// bounds are given in them); the screen position without a parent.
TPoint CursorInParent(const TControl* List) {
    TPoint Pos;
    GetCursorPos(Pos);
    return List->Parent() ? List->Parent()->ScreenToClient(Pos) : Pos;
}

// The cancel-mode rule shared by both lists: the capture goes, and a cursor
// away from the list (and from the filter button above it) closes it.
template <class TList>
void HandleCancelMode(TList* List) {
    if (!List->Visible() || !TDropCancelRule::Outside(List->BoundsRect(), CursorInParent(List))) return;
    List->Hide();
    if (List->OnCancel) List->OnCancel(List);
}

} // namespace

// ---- TDropList ----------------------------------------------------------------------

TDropList::TDropList(TComponent* AOwner) : TListBox(AOwner) {}

void TDropList::WndProc(TMessage& Message) {
    if (Message.Msg == WM_CANCELMODE) {
        TListBox::WndProc(Message);
        HandleCancelMode(this);
        return;
    }
    TListBox::WndProc(Message);
}

void TDropList::KeyDown(Word& Key, TShiftState Shift) {
    TListBox::KeyDown(Key, Shift);
    if (Key == VK_RETURN) {
        Hide();
        if (OnSelect) OnSelect(this, ItemIndex());
    } else if (Key == VK_ESCAPE) {
        Hide();
        if (OnClose) OnClose(this);
    }
}

void TDropList::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
    TListBox::MouseUp(Button, Shift, X, Y);
    Hide();
    if (OnSelect) OnSelect(this, ItemIndex());
}

// ---- TDropCheckList -----------------------------------------------------------------

TDropCheckList::TDropCheckList(TComponent* AOwner) : TCheckListBox(AOwner) {}

void TDropCheckList::WndProc(TMessage& Message) {
    if (Message.Msg == WM_CANCELMODE) {
        TCheckListBox::WndProc(Message);
        HandleCancelMode(this);
        return;
    }
    TCheckListBox::WndProc(Message);
}

void TDropCheckList::KeyDown(Word& Key, TShiftState Shift) {
    TCheckListBox::KeyDown(Key, Shift);
    if (Key == VK_ESCAPE) {
        Hide();
        if (OnClose) OnClose(this);
    }
}

void TDropCheckList::ClickCheck() {
    TCheckListBox::ClickCheck();
    if (OnSelect) OnSelect(this, ItemIndex());
}

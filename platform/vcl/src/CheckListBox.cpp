// Check list boxes: a check box drawn in front of each list item.

#include "vcl/CheckLst.h"

#include "graphics/GdiControls.h"
#include "graphics/Rect.h"
#include "rtl/ClassBuilder.h"
#include "rtl/Format.h"
#include "windowing/Input.h"
#include "windowing/Paint.h"

#include <algorithm>

using namespace winapi;

const TClassInfo& TCheckListBox::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TCheckListBox, TCustomListBox>()
                                       .Property(u"AllowGrayed", &TCheckListBox::AllowGrayed,
                                                 &TCheckListBox::SetAllowGrayed)
                                       .Default(false)
            .Property(u"OnClickCheck", &TCheckListBox::OnClickCheck, [](auto& C, TNotifyEvent E) { C.OnClickCheck = std::move(E); })
                                       .Build();
    return Info;
}

namespace {
constexpr Integer BoxSize = 13;
constexpr Integer BoxRoom = BoxSize + 4; // the box and the space beside it
} // namespace

TCheckListBox::TCheckListBox(TComponent* AOwner) : TCustomListBox(AOwner) {}

std::vector<TCheckBoxState>& TCheckListBox::States() const {
    FStates.resize(std::size_t(Count()), cbUnchecked);
    return FStates;
}

bool TCheckListBox::KeepsItemData() const {
    return std::any_of(FStates.begin(), FStates.end(), [](TCheckBoxState S) { return S != cbUnchecked; });
}

void TCheckListBox::ItemsMoved(const std::vector<Integer>& From) {
    std::vector<TCheckBoxState> Moved(From.size(), cbUnchecked);
    for (std::size_t I = 0; I < From.size(); ++I)
        if (From[I] >= 0 && std::size_t(From[I]) < FStates.size()) Moved[I] = FStates[std::size_t(From[I])];
    FStates.swap(Moved);
}

void TCheckListBox::CheckIndex(Integer Index) const {
    if (Index < 0 || Index >= Count()) throw EListError(Format(u"List index out of bounds (%d)", {Index}));
}

TCheckBoxState TCheckListBox::State(Integer Index) const {
    CheckIndex(Index);
    return States()[std::size_t(Index)];
}

void TCheckListBox::SetState(Integer Index, TCheckBoxState Value) {
    CheckIndex(Index);
    TCheckBoxState& Slot = States()[std::size_t(Index)];
    if (Slot == Value) return;
    Slot = Value;
    TRect Rect = ItemRect(Index);
    if (HandleAllocated() && !IsRectEmpty(Rect)) InvalidateRect(Handle(), &Rect, false);
}

void TCheckListBox::Toggle(Integer Index) {
    TCheckBoxState Next = cbUnchecked;
    switch (State(Index)) {
    case cbUnchecked:
        Next = cbChecked;
        break;
    case cbChecked:
        Next = FAllowGrayed ? cbGrayed : cbUnchecked;
        break;
    case cbGrayed:
        Next = cbUnchecked;
        break;
    }
    SetState(Index, Next);
    ClickCheck();
}

void TCheckListBox::ClickCheck() {
    if (OnClickCheck) OnClickCheck(this);
}

void TCheckListBox::WndProc(TMessage& Message) {
    switch (Message.Msg) {
    case WM_CHAR:
        if (Message.WParam == VK_SPACE && ItemIndex() >= 0 && Enabled()) {
            Toggle(ItemIndex());
            return;
        }
        break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        TPoint Point{GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)};
        TCustomListBox::WndProc(Message);
        Integer Index = ItemAtPos(Point, true);
        if (Index >= 0 && Point.X < BoxRoom) Toggle(Index);
        return;
    }
    default:
        break;
    }
    TCustomListBox::WndProc(Message);
}

void TCheckListBox::DrawItem(Integer Index, const TRect& Rect, TOwnerDrawState State) {
    // The box sits on the list's own colour, outside the selection.
    TCanvas* C = Canvas();
    TColor Back = C->Brush()->Color();
    TColor Text = C->Font()->Color();
    TRect BoxArea{Rect.Left, Rect.Top, Rect.Left + BoxRoom, Rect.Bottom};
    C->Brush()->SetColor(Color());
    C->FillRect(BoxArea);
    Integer Top = Rect.Top + (Rect.Height() - BoxSize) / 2;
    TRect Box{Rect.Left + 2, Top, Rect.Left + 2 + BoxSize, Top + BoxSize};
    Cardinal Mark = 0;
    switch (this->State(Index)) {
    case cbChecked:
        Mark = DFCS_BUTTONCHECK | DFCS_CHECKED;
        break;
    case cbGrayed:
        Mark = DFCS_BUTTON3STATE | DFCS_CHECKED;
        break;
    case cbUnchecked:
        Mark = DFCS_BUTTONCHECK;
        break;
    }
    DrawFrameControl(C->Handle(), Box, DFC_BUTTON, Mark | (Enabled() ? 0u : Cardinal(DFCS_INACTIVE)));
    C->Brush()->SetColor(Back);
    C->Font()->SetColor(Text);
    TRect Rest{Rect.Left + BoxRoom, Rect.Top, Rect.Right, Rect.Bottom};
    C->FillRect(Rest);
    TCustomListBox::DrawItem(Index, Rest, State);
}

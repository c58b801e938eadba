// The list box: items drawn in rows, selected with the mouse and the keys,
// scrolled with a vertical scroll bar of its window.

#include "ItemSearch.h"
#include "rtl/ClassBuilder.h"
#include "rtl/TextCompare.h"
#include "vcl/StdCtrls.h"

#include <deque>
#include <map>
#include "windowing/Input.h"
#include "windowing/Timers.h"
#include "windowing/ScrollBar.h"

#include <algorithm>

using namespace winapi;

const TClassInfo& TCustomListBox::StaticClassInfo() {
    static const TClassInfo Info = 
        TClassBuilder<TCustomListBox, TCustomControl>()
            .Property(u"Items", &TCustomListBox::Items, &TCustomListBox::SetItems)
            .Property(u"Sorted", &TCustomListBox::Sorted, &TCustomListBox::SetSorted)
            .Default(false)
            .Property(u"Style", &TCustomListBox::Style, &TCustomListBox::SetStyle)
            .Default(lbStandard)
            .Property(u"ItemHeight", &TCustomListBox::ItemHeight, &TCustomListBox::SetItemHeight)
            .Default(16)
            .Property(u"MultiSelect", &TCustomListBox::MultiSelect, &TCustomListBox::SetMultiSelect)
            .Default(false)
            .Property(u"OnDrawItem", &TCustomListBox::OnDrawItem, [](auto& C, TDrawItemEvent E) { C.OnDrawItem = std::move(E); })
            .Property(u"OnMeasureItem", &TCustomListBox::OnMeasureItem, [](auto& C, TMeasureItemEvent E) { C.OnMeasureItem = std::move(E); })
            .Build();
    return Info;
}
const TClassInfo& TListBox::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TListBox, TCustomListBox>().Build();
    return Info;
}

Integer FindItemWithPrefix(const TStrings& Items, const String& Prefix, Integer After) {
    Integer Count = Items.Count();
    for (Integer Step = 1; Step <= Count; ++Step) {
        Integer I = (std::max(After, -1) + Step) % Count;
        String Item = Items.Get(I);
        if (Item.size() >= Prefix.size() &&
            AnsiCompareText(std::u16string_view(Item).substr(0, Prefix.size()), Prefix) == 0)
            return I;
    }
    return -1;
}

// The items: a string list that tells the list box of every finished change.
class TCustomListBox::TItemStrings : public TStringList {
public:
    explicit TItemStrings(TCustomListBox& ListBox) : FListBox(ListBox) {}
    // Raises the list's index error for an index that names no item.
    void CheckItem(Integer Index) const {
        if (Index < 0 || Index >= Count()) IndexError(Index);
    }

    void Clear() override {
        TStringList::Clear();
        // Cleared items are gone, even when equal ones come back in the same update.
        FBefore.clear();
    }

protected:
    // Before a change the items are noted when the list box keeps data with
    // them; after it each item finds where it was, so the data follows
    // inserts, deletes, moves and sorting.
    void Changing() override {
        TStringList::Changing();
        if (FNoted || !FListBox.KeepsItemData()) return;
        FNoted = true;
        FBefore.clear();
        FBefore.reserve(std::size_t(Count()));
        for (Integer I = 0; I < Count(); ++I)
            FBefore.push_back({Strings(I), GetObject(I)});
    }
    void Changed() override {
        TStringList::Changed();
        if (UpdateCount() != 0) return;
        if (FNoted) {
            FNoted = false;
            FListBox.ItemsMoved(FormerPlaces());
            FBefore.clear();
        }
        FListBox.ItemsChanged();
    }

private:
    // For each item, its index before the change (-1 for a new one): equal
    // items in their order; an item whose text changed in place keeps its place.
    std::vector<Integer> FormerPlaces() const {
        std::map<std::pair<String, TObject*>, std::deque<Integer>> Old;
        for (std::size_t I = 0; I < FBefore.size(); ++I)
            Old[FBefore[I]].push_back(Integer(I));
        std::vector<Integer> From(std::size_t(Count()), -1);
        std::vector<bool> Taken(FBefore.size(), false);
        for (Integer I = 0; I < Count(); ++I) {
            auto It = Old.find({Strings(I), GetObject(I)});
            if (It == Old.end() || It->second.empty()) continue;
            From[std::size_t(I)] = It->second.front();
            Taken[std::size_t(It->second.front())] = true;
            It->second.pop_front();
        }
        for (std::size_t I = 0; I < From.size(); ++I)
            if (From[I] < 0 && I < Taken.size() && !Taken[I]) {
                From[I] = Integer(I);
                Taken[I] = true;
            }
        return From;
    }

    TCustomListBox& FListBox;
    bool FNoted = false;
    std::vector<std::pair<String, TObject*>> FBefore;
};

TCustomListBox::TCustomListBox(TComponent* AOwner)
    : TCustomControl(AOwner), FItems(std::make_unique<TItemStrings>(*this)) {
    // OnClick follows the selection, not the mouse button.
    SetControlStyle(TControlStyle{csCaptureMouse, csSetCaption, csOpaque, csDoubleClicks});
    InitAppearance(true, clWindow, true);
    Brush()->SetColor(clWindow);
    SetBounds(0, 0, 121, 97);
    SetTabStop(true);
}

TCustomListBox::~TCustomListBox() = default;

TStrings* TCustomListBox::Items() const {
    return FItems.get();
}

void TCustomListBox::SetItems(const TStrings* Value) {
    FItems->Assign(Value);
}

Integer TCustomListBox::Count() const {
    return FItems->Count();
}

void TCustomListBox::Clear() {
    FItems->Clear();
}

bool TCustomListBox::Sorted() const {
    return FItems->Sorted();
}

void TCustomListBox::SetSorted(bool Value) {
    FItems->SetSorted(Value);
}

// The items changed: the selection keeps its indices as far as they still
// exist; the focus item stays within the list.
void TCustomListBox::ItemsChanged() {
    FSelected.resize(size_t(Count()), false);
    if (FItemIndex >= Count()) FItemIndex = -1;
    if (FAnchor >= Count()) FAnchor = FItemIndex;
    if (!FMultiSelect) {
        std::fill(FSelected.begin(), FSelected.end(), false);
        if (FItemIndex >= 0) FSelected[size_t(FItemIndex)] = true;
    }
    FTopIndex = std::clamp(FTopIndex, 0, std::max(Count() - 1, 0));
    UpdateScrollBar();
    Invalidate();
}

void TCustomListBox::SetItemIndex(Integer Value) {
    if (Value < -1 || Value >= Count()) Value = -1;
    FItemIndex = Value;
    FAnchor = Value;
    std::fill(FSelected.begin(), FSelected.end(), false);
    if (Value >= 0) {
        FSelected[size_t(Value)] = true;
        ScrollIntoView(Value);
    }
    Invalidate();
}

void TCustomListBox::SetMultiSelect(bool Value) {
    if (FMultiSelect == Value) return;
    FMultiSelect = Value;
    SetItemIndex(FItemIndex);
}

bool TCustomListBox::Selected(Integer Index) const {
    FItems->CheckItem(Index);
    return FSelected[size_t(Index)];
}

void TCustomListBox::SetSelected(Integer Index, bool Value) {
    FItems->CheckItem(Index);
    if (!FMultiSelect) {
        if (Value)
            SetItemIndex(Index);
        else if (Index == FItemIndex)
            SetItemIndex(-1);
        return;
    }
    FSelected[size_t(Index)] = Value;
    Invalidate();
}

Integer TCustomListBox::SelCount() const {
    return Integer(std::count(FSelected.begin(), FSelected.end(), true));
}

void TCustomListBox::ClearSelection() {
    std::fill(FSelected.begin(), FSelected.end(), false);
    if (!FMultiSelect) FItemIndex = -1;
    Invalidate();
}

void TCustomListBox::SelectAll() {
    if (!FMultiSelect) return;
    std::fill(FSelected.begin(), FSelected.end(), true);
    Invalidate();
}

void TCustomListBox::SetItemHeight(Integer Value) {
    if (Value <= 0 || Value == FItemHeight) return;
    FItemHeight = Value;
    UpdateScrollBar();
    Invalidate();
}

void TCustomListBox::SetStyle(TListBoxStyle Value) {
    if (FStyle == Value) return;
    FStyle = Value;
    UpdateScrollBar();
    Invalidate();
}

// ---- Geometry ----

Integer TCustomListBox::HeightOf(Integer Index) const {
    Integer Height = FItemHeight;
    if (FStyle == lbOwnerDrawVariable) const_cast<TCustomListBox*>(this)->MeasureItem(Index, Height);
    return std::max(Height, 1);
}

void TCustomListBox::MeasureItem(Integer Index, Integer& Height) {
    if (OnMeasureItem) OnMeasureItem(this, Index, Height);
}

Integer TCustomListBox::VisibleCount() const {
    Integer Bottom = ClientHeight();
    Integer Shown = 0;
    for (Integer Y = 0, I = FTopIndex; I < Count(); ++I) {
        Y += HeightOf(I);
        if (Y > Bottom) break;
        ++Shown;
    }
    // A window lower than one item still shows that one.
    return std::max(Shown, Count() > FTopIndex ? 1 : 0);
}

TRect TCustomListBox::ItemRect(Integer Index) const {
    if (Index < FTopIndex || Index >= Count()) return TRect();
    Integer Y = 0;
    for (Integer I = FTopIndex; I < Index; ++I) {
        Y += HeightOf(I);
        if (Y >= ClientHeight()) return TRect();
    }
    return Rect(0, Y, ClientWidth(), Y + HeightOf(Index));
}

Integer TCustomListBox::ItemAtPos(TPoint Pos, bool Existing) const {
    if (Pos.Y >= 0 && Pos.X >= 0 && Pos.X < ClientWidth()) {
        Integer Y = 0;
        for (Integer I = FTopIndex; I < Count() && Y < ClientHeight(); ++I) {
            Y += HeightOf(I);
            if (Pos.Y < Y) return I;
        }
    }
    return Existing ? -1 : Count();
}

void TCustomListBox::SetTopIndex(Integer Value) {
    // The last page is the lowest the list scrolls.
    Integer Last = Count() - 1;
    Integer Room = ClientHeight();
    while (Last > 0 && Room - HeightOf(Last) >= HeightOf(Last - 1)) {
        Room -= HeightOf(Last);
        --Last;
    }
    Value = std::clamp(Value, 0, std::max(Last, 0));
    if (Value == FTopIndex) return;
    FTopIndex = Value;
    UpdateScrollBar();
    Invalidate();
}

void TCustomListBox::ScrollIntoView(Integer Index) {
    if (Index < FTopIndex) {
        SetTopIndex(Index);
        return;
    }
    while (FTopIndex < Index && Index >= FTopIndex + VisibleCount()) {
        Integer Before = FTopIndex;
        SetTopIndex(FTopIndex + 1);
        if (FTopIndex == Before) break;
    }
}

void TCustomListBox::UpdateScrollBar() {
    if (!HandleAllocated()) return;
    SCROLLINFO Info;
    Info.fMask = SIF_ALL;
    Info.nMax = Count() - 1;
    Info.nPage = UINT(VisibleCount());
    Info.nPos = FTopIndex;
    SetScrollInfo(Handle(), SB_VERT, Info, true);
}

// ---- Window ----

void TCustomListBox::CreateParams(TCreateParams& Params) {
    TCustomControl::CreateParams(Params);
    Params.Style |= WS_VSCROLL;
    Params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomListBox::CreateWnd() {
    TCustomControl::CreateWnd();
    UpdateScrollBar();
}

void TCustomListBox::Paint() {
    TCanvas* C = Canvas();
    C->Brush()->SetColor(Color());
    C->FillRect(ClientRect());
    Integer Shown = VisibleCount();
    for (Integer I = FTopIndex; I < FTopIndex + Shown; ++I) {
        TOwnerDrawState State;
        if (FSelected[size_t(I)]) State.Include(odSelected);
        if (I == FItemIndex && Focused()) State.Include(odFocused);
        if (!Enabled()) State.Include(odDisabled);
        TRect Rect = ItemRect(I);
        C->Font()->Assign(Font());
        C->Brush()->SetStyle(bsSolid);
        if (State.Contains(odSelected)) {
            C->Brush()->SetColor(clHighlight);
            C->Font()->SetColor(clHighlightText);
        } else {
            C->Brush()->SetColor(Color());
            if (!Enabled()) C->Font()->SetColor(clGrayText);
        }
        DrawItem(I, Rect, State);
        if (State.Contains(odFocused)) C->DrawFocusRect(Rect);
    }
}

void TCustomListBox::DrawItem(Integer Index, const TRect& Rect, TOwnerDrawState State) {
    if (FStyle != lbStandard && OnDrawItem) {
        Canvas()->FillRect(Rect);
        OnDrawItem(this, Index, Rect, State);
        return;
    }
    Canvas()->TextRect(Rect, Rect.Left + 2, Rect.Top, FItems->Get(Index));
}

// ---- Input ----

void TCustomListBox::UserSelect(Integer Index, bool Extend, bool Toggle) {
    if (Count() == 0) return;
    Index = std::clamp(Index, 0, Count() - 1);
    std::vector<bool> Before = FSelected;
    Integer OldIndex = FItemIndex;
    if (!FMultiSelect || (!Extend && !Toggle)) {
        std::fill(FSelected.begin(), FSelected.end(), false);
        FSelected[size_t(Index)] = true;
        FAnchor = Index;
    } else if (Toggle) {
        FSelected[size_t(Index)] = !FSelected[size_t(Index)];
        FAnchor = Index;
    } else {
        if (FAnchor < 0) FAnchor = Index;
        std::fill(FSelected.begin(), FSelected.end(), false);
        for (Integer I = std::min(FAnchor, Index); I <= std::max(FAnchor, Index); ++I)
            FSelected[size_t(I)] = true;
    }
    FItemIndex = Index;
    ScrollIntoView(Index);
    if (FSelected != Before || OldIndex != FItemIndex) {
        Invalidate();
        SelectionChanged();
    }
}

bool TCustomListBox::HandleKey(Word Key, TShiftState Shift) {
    Integer Page = std::max(VisibleCount() - 1, 1);
    Integer Target;
    switch (Key) {
    case VK_UP:
        Target = FItemIndex - 1;
        break;
    case VK_DOWN:
        Target = FItemIndex + 1;
        break;
    case VK_PRIOR:
        Target = FItemIndex - Page;
        break;
    case VK_NEXT:
        Target = FItemIndex + Page;
        break;
    case VK_HOME:
        Target = 0;
        break;
    case VK_END:
        Target = Count() - 1;
        break;
    case VK_SPACE:
        if (!FMultiSelect || FItemIndex < 0) return false;
        UserSelect(FItemIndex, false, true);
        return true;
    default:
        return false;
    }
    UserSelect(std::max(Target, 0), Shift.Contains(ssShift), false);
    return true;
}

void TCustomListBox::HandleScroll(WPARAM Code) {
    switch (LOWORD(Code)) {
    case SB_LINEUP:
        SetTopIndex(FTopIndex - 1);
        break;
    case SB_LINEDOWN:
        SetTopIndex(FTopIndex + 1);
        break;
    case SB_PAGEUP:
        SetTopIndex(FTopIndex - std::max(VisibleCount(), 1));
        break;
    case SB_PAGEDOWN:
        SetTopIndex(FTopIndex + std::max(VisibleCount(), 1));
        break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
        SetTopIndex(HIWORD(Code));
        break;
    case SB_TOP:
        SetTopIndex(0);
        break;
    case SB_BOTTOM:
        SetTopIndex(Count());
        break;
    default:
        break;
    }
}

bool TCustomListBox::DoMouseWheel(TShiftState Shift, Integer WheelDelta, TPoint MousePos) {
    if (TCustomControl::DoMouseWheel(Shift, WheelDelta, MousePos)) return true;
    SetTopIndex(FTopIndex - WheelDelta / WHEEL_DELTA * Mouse->WheelScrollLines());
    return true;
}

void TCustomListBox::WndProc(TMessage& Message) {
    switch (Message.Msg) {
    case WM_GETDLGCODE:
        Message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS;
        return;
    case WM_KEYDOWN:
        if (HandleKey(Word(Message.WParam), KeyDataToShiftState(Message.LParam))) {
            TCustomControl::WndProc(Message); // OnKeyDown still sees the key
            return;
        }
        TCustomControl::WndProc(Message);
        return;
    case WM_CHAR: {
        TCustomControl::WndProc(Message);
        Char Typed = Char(Message.WParam);
        if (Typed < u' ') return;
        // Within the pause the typed text grows and the current item may
        // match it; after it the search starts with the next item.
        constexpr UInt64 SearchPause = 1000;
        UInt64 Now = GetTickCount64();
        bool Continued = !FSearchText.empty() && Now - FSearchTick <= SearchPause;
        FSearchTick = Now;
        FSearchText = Continued ? FSearchText + Typed : String(1, Typed);
        Integer Found = FindItemWithPrefix(*FItems, FSearchText, Continued ? FItemIndex - 1 : FItemIndex);
        // The same letter typed again steps through the items starting with it.
        if (Found < 0 && std::all_of(FSearchText.begin(), FSearchText.end(), [&](Char C) { return C == Typed; }))
            Found = FindItemWithPrefix(*FItems, String(1, Typed), FItemIndex);
        if (Found >= 0) UserSelect(Found, false, false);
        return;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        if (CanFocus() && !Focused()) SetFocus();
        Integer Index = ItemAtPos({GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)}, true);
        if (Index >= 0)
            UserSelect(Index, (Message.WParam & MK_SHIFT) != 0, (Message.WParam & MK_CONTROL) != 0);
        FTracking = Index >= 0 && !FMultiSelect;
        TCustomControl::WndProc(Message);
        // The list's clicks are its selections; its double click is its own.
        if (Message.Msg == WM_LBUTTONDBLCLK && !ControlStyle().Contains(csClickEvents)) DblClick();
        return;
    }
    case WM_MOUSEMOVE:
        // Dragging with the button down follows the mouse in a single-selection list.
        if (FTracking) {
            Integer Index = ItemAtPos({GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)}, true);
            if (Index >= 0 && Index != FItemIndex) UserSelect(Index, false, false);
        }
        TCustomControl::WndProc(Message);
        return;
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
        FTracking = false;
        TCustomControl::WndProc(Message);
        return;
    case WM_VSCROLL:
        HandleScroll(Message.WParam);
        return;
    case WM_SIZE:
    case CM_FONTCHANGED:
        TCustomControl::WndProc(Message);
        UpdateScrollBar();
        return;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        TCustomControl::WndProc(Message);
        Invalidate(); // the focus rectangle follows the focus
        return;
    default:
        TCustomControl::WndProc(Message);
        return;
    }
}

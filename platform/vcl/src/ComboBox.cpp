// The combo box: an edit with a button and a list of items that drops down
// in a pop-up window (or, in the simple style, stays below the edit).

#include "ItemSearch.h"
#include "graphics/GdiControls.h"
#include "graphics/Rect.h"
#include "rtl/ClassBuilder.h"
#include "rtl/StringUtils.h"
#include "rtl/TextCompare.h"
#include "vcl/StdCtrls.h"
#include "windowing/Focus.h"
#include "windowing/Input.h"
#include "windowing/MessageQueue.h"
#include "windowing/Paint.h"
#include "windowing/SystemMetrics.h"

using namespace winapi;

const TClassInfo& TCustomComboBox::StaticClassInfo() {
    static const TClassInfo Info = 
        TClassBuilder<TCustomComboBox, TCustomEdit>()
            .Property(u"Items", &TCustomComboBox::Items, &TCustomComboBox::SetItems)
            .Property(u"Style", &TCustomComboBox::Style, &TCustomComboBox::SetStyle)
            .Default(csDropDown)
            .Property(u"Sorted", &TCustomComboBox::Sorted, &TCustomComboBox::SetSorted)
            .Default(false)
            .Property(u"DropDownCount", &TCustomComboBox::DropDownCount, &TCustomComboBox::SetDropDownCount)
            .Default(8)
            .Property(u"ItemHeight", &TCustomComboBox::ItemHeight, &TCustomComboBox::SetItemHeight)
            .Default(16)
            .Property(u"AutoComplete", &TCustomComboBox::AutoComplete, &TCustomComboBox::SetAutoComplete)
            .Default(true)
            .Property(u"OnSelect", &TCustomComboBox::OnSelect, [](auto& C, TNotifyEvent E) { C.OnSelect = std::move(E); })
            .Property(u"OnDropDown", &TCustomComboBox::OnDropDown, [](auto& C, TNotifyEvent E) { C.OnDropDown = std::move(E); })
            .Property(u"OnCloseUp", &TCustomComboBox::OnCloseUp, [](auto& C, TNotifyEvent E) { C.OnCloseUp = std::move(E); })
            .Property(u"OnDrawItem", &TCustomComboBox::OnDrawItem, [](auto& C, TDrawItemEvent E) { C.OnDrawItem = std::move(E); })
            .Property(u"OnMeasureItem", &TCustomComboBox::OnMeasureItem, [](auto& C, TMeasureItemEvent E) { C.OnMeasureItem = std::move(E); })
            .Build();
    return Info;
}
const TClassInfo& TComboBox::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TComboBox, TCustomComboBox>().Build();
    return Info;
}

// The items: a string list that tells the combo of every finished change.
class TCustomComboBox::TComboStrings : public TStringList {
public:
    explicit TComboStrings(TCustomComboBox& Combo) : FCombo(Combo) {}

protected:
    void Changed() override {
        TStringList::Changed();
        if (UpdateCount() == 0) FCombo.ItemsChanged();
    }

private:
    TCustomComboBox& FCombo;
};

// The list of a combo: a pop-up that never takes the focus (the keys stay
// with the combo) and follows the mouse; releasing the button over an item
// chooses it. In the simple style it is a child below the edit.
class TCustomComboBox::TComboList : public TCustomListBox {
public:
    TComboList(TCustomComboBox& Combo, bool Popup) : TCustomListBox(&Combo), FCombo(Combo), FPopup(Popup) {
        SetTabStop(false);
        if (FPopup) SetVisible(false);
    }

    void WndProc(TMessage& Message) override {
        switch (Message.Msg) {
        case WM_MOUSEMOVE:
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK: {
            Integer Index = ItemAtPos({GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)}, true);
            if (Index >= 0 && Index != ItemIndex()) SetItemIndex(Index);
            if (!FPopup && Message.Msg != WM_MOUSEMOVE) FCombo.ChooseItem(Index);
            return;
        }
        case WM_LBUTTONUP: {
            Integer Index = ItemAtPos({GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)}, true);
            if (FPopup && Index >= 0) FCombo.ChooseItem(Index);
            return;
        }
        default:
            TCustomListBox::WndProc(Message);
            return;
        }
    }

protected:
    void CreateParams(TCreateParams& Params) override {
        TCustomListBox::CreateParams(Params);
        if (!FPopup) return;
        Params.Style = WS_POPUP | WS_BORDER | WS_VSCROLL;
        Params.ExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE;
        Params.WndParent = nullptr;
    }
    void DrawItem(Integer Index, const TRect& Rect, TOwnerDrawState State) override {
        if (FCombo.Style() >= csOwnerDrawFixed && FCombo.OnDrawItem) {
            Canvas()->FillRect(Rect);
            FCombo.OnDrawItem(this, Index, Rect, State);
            return;
        }
        TCustomListBox::DrawItem(Index, Rect, State);
    }
    void MeasureItem(Integer Index, Integer& Height) override {
        if (FCombo.OnMeasureItem) FCombo.OnMeasureItem(&FCombo, Index, Height);
    }

private:
    TCustomComboBox& FCombo;
    bool FPopup;
};

// ---- The inner edit window ----

namespace {

const Char* const InnerEditClass = u"ComboBoxEdit";

// Hands the edit messages to the combo (the parent), whose own edit
// procedure keeps the text; points go between the two client areas.
LRESULT InnerEditProc(HWND Window, UINT Msg, WPARAM WParam, LPARAM LParam) {
    HWND Combo = GetParent(Window);
    TRect Bounds;
    GetWindowRect(Window, Bounds);
    TPoint Origin{Bounds.Left, Bounds.Top};
    if (Combo) ScreenToClient(Combo, Origin);
    switch (Msg) {
    case WM_NCHITTEST:
        return HTTRANSPARENT;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        // The combo draws its text; nothing of its own to paint.
        ValidateRect(Window, nullptr);
        return 0;
    case WM_SETFOCUS:
        if (Combo) SetFocus(Combo);
        return 0;
    case EM_CHARFROMPOS:
        return SendMessage(Combo, Msg, WParam,
                           MAKELPARAM(GET_X_LPARAM(LParam) + Origin.X, GET_Y_LPARAM(LParam) + Origin.Y));
    case EM_POSFROMCHAR: {
        LRESULT Pos = SendMessage(Combo, Msg, WParam, LParam);
        return MAKELONG(Word(std::int16_t(LOWORD(Pos)) - Origin.X), Word(std::int16_t(HIWORD(Pos)) - Origin.Y));
    }
    case WM_GETTEXT:
    case WM_SETTEXT:
    case WM_GETTEXTLENGTH:
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_CHAR:
    case WM_CUT:
    case WM_COPY:
    case WM_PASTE:
    case WM_CLEAR:
    case WM_UNDO:
    case EM_SHOWBALLOONTIP:
    case EM_HIDEBALLOONTIP:
        return Combo ? SendMessage(Combo, Msg, WParam, LParam) : 0;
    default:
        if (Combo && Msg >= EM_GETSEL && Msg <= EM_CHARFROMPOS) return SendMessage(Combo, Msg, WParam, LParam);
        return DefWindowProc(Window, Msg, WParam, LParam);
    }
}

void RegisterInnerEditClass() {
    WNDCLASS Existing;
    if (GetClassInfo(InnerEditClass, Existing)) return;
    WNDCLASS Class;
    Class.lpfnWndProc = InnerEditProc;
    Class.lpszClassName = InnerEditClass;
    RegisterClass(Class);
}

} // namespace

bool winapi::GetComboBoxInfo(HWND Combo, COMBOBOXINFO* Info) {
    if (!Info || Info->cbSize != sizeof(COMBOBOXINFO) || !IsWindow(Combo)) return false;
    return SendMessage(Combo, CB_GETCOMBOBOXINFO, 0, reinterpret_cast<LPARAM>(Info)) != 0;
}

bool TCustomComboBox::FillComboBoxInfo(COMBOBOXINFO& Info) {
    if (Info.cbSize != sizeof(COMBOBOXINFO)) return false;
    HandleNeeded();
    MakeList();
    FList->HandleNeeded();
    Info.hwndCombo = Handle();
    Info.hwndItem = FEditHandle ? FEditHandle : Handle();
    Info.hwndList = FList->Handle();
    Info.rcButton = ButtonRect();
    Info.rcItem = ClientRect();
    Info.rcItem.Right = FStyle == csSimple ? Info.rcItem.Right : Info.rcButton.Left;
    if (FStyle == csSimple) Info.rcItem.Bottom = FItemHeight + 4;
    InflateRect(Info.rcItem, -1, 0);
    Info.stateButton =
        FStyle == csSimple ? DWORD(STATE_SYSTEM_INVISIBLE) : FDroppedDown ? DWORD(STATE_SYSTEM_PRESSED) : 0;
    return true;
}

void TCustomComboBox::UpdateEditWindow(const TRect& Field) {
    if (!HandleAllocated()) return;
    if (!Editable()) {
        if (FEditHandle) DestroyWindow(FEditHandle);
        FEditHandle = nullptr;
        return;
    }
    if (!FEditHandle) {
        RegisterInnerEditClass();
        FEditHandle = CreateWindowEx(0, InnerEditClass, String(), WS_CHILD | WS_VISIBLE, Field.Left, Field.Top,
                                     Field.Width(), Field.Height(), Handle());
    }
    // The first child, above the list of the simple style.
    SetWindowPos(FEditHandle, HWND_TOP, Field.Left, Field.Top, Field.Width(), Field.Height(), SWP_NOACTIVATE);
}

Word TCustomComboBox::ChangeNotifyCode() const {
    return CBN_EDITCHANGE;
}

TCustomComboBox::TCustomComboBox(TComponent* AOwner)
    : TCustomEdit(AOwner), FItems(std::make_unique<TComboStrings>(*this)) {
    SetBounds(0, 0, 145, 21);
}

TCustomComboBox::~TCustomComboBox() = default;

TStrings* TCustomComboBox::Items() const {
    return FItems.get();
}

void TCustomComboBox::SetItems(const TStrings* Value) {
    FItems->Assign(Value);
}

TCustomListBox* TCustomComboBox::ListControl() const {
    return FList;
}

bool TCustomComboBox::Sorted() const {
    return FItems->Sorted();
}

void TCustomComboBox::SetSorted(bool Value) {
    FItems->SetSorted(Value);
}

Integer TCustomComboBox::ItemHeight() const {
    return FItemHeight;
}

void TCustomComboBox::SetItemHeight(Integer Value) {
    if (Value <= 0) return;
    FItemHeight = Value;
    if (FList) FList->SetItemHeight(Value);
}

void TCustomComboBox::SetStyle(TComboBoxStyle Value) {
    if (FStyle == Value) return;
    SetDroppedDown(false);
    FStyle = Value;
    // The list is made again for the new style when next needed.
    // Free, not delete: a list whose window was made takes its window along.
    Free(FList);
    FList = nullptr;
    if (FStyle == csSimple && HandleAllocated()) PlaceList();
    if (!Editable()) SetItemIndex(FItemIndex);
    UpdateFormatRect();
    Invalidate();
}

void TCustomComboBox::ItemsChanged() {
    if (FItemIndex >= FItems->Count()) {
        FItemIndex = -1;
        if (!Editable()) ShowText(String());
    }
    if (FList) {
        FList->Items()->Assign(FItems.get());
        FList->SetItemIndex(FItemIndex);
    }
    if (FDroppedDown) PlaceList();
}

void TCustomComboBox::ShowText(const String& Value) {
    FShowingText = true;
    try {
        SetText(Value);
    } catch (...) {
        FShowingText = false;
        throw;
    }
    FShowingText = false;
}

void TCustomComboBox::SetItemIndex(Integer Value) {
    if (Value < -1 || Value >= FItems->Count()) Value = -1;
    FItemIndex = Value;
    if (Value >= 0)
        ShowText(FItems->Get(Value));
    else if (!Editable())
        ShowText(String());
    if (FList) FList->SetItemIndex(Value);
    Invalidate();
}

void TCustomComboBox::Notify(Integer Code) {
    WPARAM WParam = MAKEWPARAM(0, Word(Code));
    if (HandleAllocated() && Parent() && Parent()->HandleAllocated())
        SendMessage(Parent()->Handle(), WM_COMMAND, WParam, HandleToLParam(Handle()));
    else
        Perform(CN_COMMAND, WParam, HandleAllocated() ? HandleToLParam(Handle()) : 0);
}

void TCustomComboBox::ChooseItem(Integer Index) {
    if (Index >= 0 && Index < FItems->Count() && Index != FItemIndex) {
        SetItemIndex(Index);
        if (Editable() && Focused()) SelectAll();
        Notify(CBN_SELCHANGE);
    }
    SetDroppedDown(false);
}

void TCustomComboBox::Select() {
    if (OnSelect) OnSelect(this);
}

void TCustomComboBox::DropDown() {
    if (OnDropDown) OnDropDown(this);
}

void TCustomComboBox::CloseUp() {
    if (OnCloseUp) OnCloseUp(this);
}

// ---- The list ----

void TCustomComboBox::SetDroppedDown(bool Value) {
    if (FStyle == csSimple || Value == FDroppedDown) return;
    if (Value) {
        HandleNeeded();
        // The handler may still fill the items.
        Notify(CBN_DROPDOWN);
        FDroppedDown = true;
        PlaceList();
    } else {
        FDroppedDown = false;
        if (FList && FList->HandleAllocated()) ShowWindow(FList->Handle(), SW_HIDE);
        Notify(CBN_CLOSEUP);
    }
    Invalidate();
}

// Makes the list when needed and puts it in place: below the combo (above
// it when the screen has no room below) DropDownCount rows high, or in the
// simple style under the edit.
void TCustomComboBox::MakeList() {
    bool Popup = FStyle != csSimple;
    if (!FList) {
        FList = new TComboList(*this, Popup);
        FList->SetItemHeight(FItemHeight);
        FList->SetStyle(FStyle == csOwnerDrawVariable ? lbOwnerDrawVariable
                        : FStyle >= csOwnerDrawFixed  ? lbOwnerDrawFixed
                                                      : lbStandard);
        FList->Font()->Assign(Font());
        FList->Items()->Assign(FItems.get());
        if (!Popup) FList->SetParent(this);
    }
}

void TCustomComboBox::PlaceList() {
    bool Popup = FStyle != csSimple;
    MakeList();
    FList->SetItemIndex(FItemIndex);
    if (!Popup) {
        Integer Top = FItemHeight + 4;
        FList->SetBounds(0, Top, ClientWidth(), std::max(ClientHeight() - Top, 0));
        return;
    }
    TRect Window;
    GetWindowRect(Handle(), Window);
    Integer Rows = std::clamp(FItems->Count(), 1, FDropDownCount);
    Integer Width = std::max(Window.Width(), FDroppedWidth);
    FList->SetBounds(Window.Left, Window.Bottom, Width, Rows * FItemHeight);
    FList->HandleNeeded(); // the frame around the rows is known once the window exists
    FList->SetClientHeight(Rows * FItemHeight);
    Integer Height = FList->Height();
    Integer Top = Window.Bottom;
    if (Top + Height > GetSystemMetrics(SM_CYSCREEN) && Window.Top - Height >= 0) Top = Window.Top - Height;
    FList->SetBounds(Window.Left, Top, Width, Height);
    SetWindowPos(FList->Handle(), HWND_TOPMOST, Window.Left, Top, Width, Height,
                 SWP_SHOWWINDOW | SWP_NOACTIVATE);
    FList->Invalidate();
}

// ---- Window and painting ----

TRect TCustomComboBox::ButtonRect() const {
    if (FStyle == csSimple) return TRect();
    Integer Right = ClientWidth();
    return Rect(std::max(Right - GetSystemMetrics(SM_CXVSCROLL), 0), 0, Right, ClientHeight());
}

void TCustomComboBox::UpdateFormatRect() {
    if (!HandleAllocated()) return;
    TRect Rect = ClientRect();
    Rect.Left += 1;
    Rect.Right = (FStyle == csSimple ? Rect.Right : ButtonRect().Left) - 1;
    if (FStyle == csSimple) Rect.Bottom = FItemHeight + 4;
    Perform(EM_SETRECTNP, 0, reinterpret_cast<LPARAM>(&Rect));
    UpdateEditWindow(Rect);
}

void TCustomComboBox::CreateWnd() {
    TCustomEdit::CreateWnd();
    if (FStyle == csSimple) PlaceList();
    UpdateFormatRect();
}

void TCustomComboBox::Paint() {
    if (Editable()) {
        TCustomEdit::Paint();
    } else {
        // Only the chosen item, highlighted while the combo has the focus.
        TCanvas* C = Canvas();
        TRect Area = ClientRect();
        Area.Right = ButtonRect().Left;
        C->Brush()->SetColor(Color());
        C->FillRect(ClientRect());
        TRect Item = Area;
        InflateRect(Item, -2, -2);
        C->Font()->Assign(Font());
        TOwnerDrawState State{odComboBoxEdit};
        if (Focused() && !FDroppedDown) {
            State.Include(odSelected);
            State.Include(odFocused);
            C->Brush()->SetColor(clHighlight);
            C->Font()->SetColor(clHighlightText);
        }
        if (!Enabled()) {
            State.Include(odDisabled);
            C->Font()->SetColor(clGrayText);
        }
        C->FillRect(Item);
        if (FStyle >= csOwnerDrawFixed && OnDrawItem) {
            if (FItemIndex >= 0) OnDrawItem(this, FItemIndex, Item, State);
        } else {
            C->TextRect(Item, Item.Left + 1, Item.Top, Text());
        }
        if (State.Contains(odFocused)) C->DrawFocusRect(Item);
    }
    TRect Button = ButtonRect();
    if (FStyle != csSimple)
        DrawFrameControl(Canvas()->Handle(), Button, DFC_SCROLL,
                         DFCS_SCROLLCOMBOBOX | (FDroppedDown ? Cardinal(DFCS_PUSHED) : 0u) |
                             (Enabled() ? 0u : Cardinal(DFCS_INACTIVE)));
}

// ---- Keys ----

void TCustomComboBox::KeyDown(Word& Key, TShiftState Shift) {
    TCustomEdit::KeyDown(Key, Shift);
    if (Key == 0) return;
    bool Alt = Shift.Contains(ssAlt);
    if (Key == VK_F4 || (Alt && (Key == VK_DOWN || Key == VK_UP))) {
        SetDroppedDown(!FDroppedDown);
        Key = 0;
        return;
    }
    if (Alt) return;
    Integer Count = FItems->Count();
    Integer Current = FDroppedDown ? FList->ItemIndex() : FItemIndex;
    Integer Page = std::max(FDropDownCount - 1, 1);
    Integer Target;
    switch (Key) {
    case VK_RETURN:
    case VK_ESCAPE:
        if (!FDroppedDown) return;
        if (Key == VK_RETURN)
            ChooseItem(FList->ItemIndex());
        else
            SetDroppedDown(false);
        Key = 0;
        return;
    case VK_UP:
        Target = Current - 1;
        break;
    case VK_DOWN:
        Target = Current + 1;
        break;
    case VK_PRIOR:
        Target = Current - Page;
        break;
    case VK_NEXT:
        Target = Current + Page;
        break;
    case VK_HOME:
    case VK_END:
        // In an editable combo they move the caret.
        if (Editable() && !FDroppedDown) return;
        Target = Key == VK_HOME ? 0 : Count - 1;
        break;
    default:
        return;
    }
    Key = 0;
    if (Count == 0) return;
    Target = std::clamp(Target, 0, Count - 1);
    // In the open list the keys only move the highlight; Enter chooses.
    if (FDroppedDown)
        FList->SetItemIndex(Target);
    else
        ChooseItem(Target);
}

void TCustomComboBox::KeyPress(Char& Key) {
    TCustomEdit::KeyPress(Key);
    if (Key < u' ') return;
    if (!Editable()) {
        // A letter chooses the next item starting with it.
        Integer Found =
            FindItemWithPrefix(*FItems, String(1, Key), FDroppedDown ? FList->ItemIndex() : FItemIndex);
        if (Found >= 0) {
            if (FDroppedDown)
                FList->SetItemIndex(Found);
            else
                ChooseItem(Found);
        }
        Key = 0;
        return;
    }
    if (CharCase() == ecUpperCase) Key = AnsiUpperCase(String(1, Key))[0];
    if (CharCase() == ecLowerCase) Key = AnsiLowerCase(String(1, Key))[0];
    if (FAutoComplete) CompleteText(Key);
}

// Typing at the end of the text completes it with the first item that
// starts with it; the completed part stays selected, so the next key
// replaces it.
void TCustomComboBox::CompleteText(Char& Key) {
    if (ReadOnly() || SelStart() + SelLength() != Integer(Text().size())) return;
    String Prefix = Text().substr(0, size_t(SelStart())) + Key;
    Integer Found = FindItemWithPrefix(*FItems, Prefix);
    if (Found < 0) return;
    String Rest = FItems->Get(Found).substr(Prefix.size());
    SetSelText(String(1, Key) + Rest);
    SetSelStart(Integer(Prefix.size()));
    SetSelLength(Integer(Rest.size()));
    if (FDroppedDown) FList->SetItemIndex(Found);
    Key = 0;
}

// ---- Messages ----

void TCustomComboBox::WndProc(TMessage& Message) {
    switch (Message.Msg) {
    case WM_GETDLGCODE:
        TCustomEdit::WndProc(Message);
        Message.Result |= DLGC_WANTARROWS | DLGC_WANTCHARS;
        if (FDroppedDown) Message.Result |= DLGC_WANTALLKEYS;
        return;
    case CN_COMMAND:
        switch (HIWORD(Message.WParam)) {
        case CBN_EDITCHANGE:
            if (FShowingText) return;
            // Typed text: the item it names, if any, is the chosen one.
            FItemIndex = FItems->IndexOf(Text());
            if (FList) FList->SetItemIndex(FItemIndex);
            Change();
            return;
        case CBN_SELCHANGE:
            Change();
            Select();
            return;
        case CBN_DROPDOWN:
            DropDown();
            return;
        case CBN_CLOSEUP:
            CloseUp();
            return;
        default:
            return;
        }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        TPoint Point{GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)};
        if (Editable() && !PtInRect(ButtonRect(), Point)) break;
        // The button, or anywhere on a combo that cannot be edited, opens or closes the list.
        if (CanFocus() && !Focused()) SetFocus();
        SetDroppedDown(!FDroppedDown);
        return;
    }
    case WM_KILLFOCUS:
        SetDroppedDown(false);
        break;
    case WM_SIZE:
        TCustomEdit::WndProc(Message);
        UpdateFormatRect();
        if (FStyle == csSimple && FList) PlaceList();
        return;
    case WM_NCDESTROY:
        // The inner edit window went with the combo's children.
        FEditHandle = nullptr;
        break;
    case CB_GETCURSEL:
        Message.Result = FItemIndex;
        return;
    case CB_GETCOUNT:
        Message.Result = FItems->Count();
        return;
    case CB_GETLBTEXT:
    case CB_GETLBTEXTLEN: {
        Integer Index = Integer(Message.WParam);
        if (Index < 0 || Index >= FItems->Count()) {
            Message.Result = CB_ERR;
            return;
        }
        String Item = FItems->Get(Index);
        if (Message.Msg == CB_GETLBTEXT)
            if (auto* Target = reinterpret_cast<String*>(Message.LParam)) *Target = Item;
        Message.Result = LRESULT(Item.size());
        return;
    }
    case CB_GETEDITSEL: {
        DWORD Start = DWORD(SelStart());
        DWORD End = DWORD(SelStart() + SelLength());
        if (auto* Target = reinterpret_cast<DWORD*>(Message.WParam)) *Target = Start;
        if (auto* Target = reinterpret_cast<DWORD*>(Message.LParam)) *Target = End;
        Message.Result = MAKELONG(Word(Start), Word(End));
        return;
    }
    case CB_SETEDITSEL: {
        if (!Editable()) {
            Message.Result = CB_ERR;
            return;
        }
        Integer Start = std::int16_t(LOWORD(Message.LParam));
        Integer End = std::int16_t(HIWORD(Message.LParam));
        Integer Length = Integer(Text().size());
        if (Start < 0) {
            // No selection: the caret stays where it is.
            SetSelStart(SelStart() + SelLength());
        } else {
            Start = std::min(Start, Length);
            End = End < 0 ? Length : std::clamp(End, Start, Length);
            SetSelStart(Start);
            SetSelLength(End - Start);
        }
        Message.Result = 1;
        return;
    }
    case CB_GETCOMBOBOXINFO:
        Message.Result = FillComboBoxInfo(*reinterpret_cast<COMBOBOXINFO*>(Message.LParam)) ? 1 : 0;
        return;
    case CB_SETCURSEL:
        SetItemIndex(Integer(Message.WParam));
        Message.Result = FItemIndex == Integer(Message.WParam) ? LRESULT(FItemIndex) : CB_ERR;
        return;
    case CB_SHOWDROPDOWN:
        SetDroppedDown(Message.WParam != 0);
        Message.Result = 1;
        return;
    case CB_GETDROPPEDSTATE:
        Message.Result = FDroppedDown ? 1 : 0;
        return;
    case CB_GETDROPPEDWIDTH:
        Message.Result = std::max(FDroppedWidth, Width());
        return;
    case CB_SETDROPPEDWIDTH:
        SetDroppedWidth(Integer(Message.WParam));
        Message.Result = std::max(FDroppedWidth, Width());
        return;
    default:
        break;
    }
    TCustomEdit::WndProc(Message);
}

// A combo that cannot be edited keeps only the edit's painting and focus:
// no typing, no caret moves, no clipboard changes.
void TCustomComboBox::DefaultHandler(TMessage& Message) {
    if (!Editable()) switch (Message.Msg) {
        case WM_KEYDOWN:
        case WM_CHAR:
        case WM_MOUSEMOVE:
        case WM_LBUTTONUP:
        case WM_CUT:
        case WM_PASTE:
        case WM_CLEAR:
            TWinControl::DefaultHandler(Message);
            return;
        default:
            break;
        }
    TCustomEdit::DefaultHandler(Message);
}

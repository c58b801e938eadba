// Menu items, menus, the main menu and pop-up menus, shortcuts and the
// right-click pop-up of controls.

#include "rtl/ClassBuilder.h"
#include "rtl/Convert.h"
#include "rtl/StringUtils.h"
#include "rtl/TextCompare.h"
#include "vcl/Forms.h"
#include "vcl/Menus.h"
#include "windowing/Input.h"
#include "windowing/MessageQueue.h"

#include <unordered_map>

using namespace winapi;

namespace {

// Stores Value in Field and answers whether that changed it.
template <class T>
bool Replace(T& Field, const T& Value) {
    if (Field == Value) return false;
    Field = Value;
    return true;
}

// Every item has a command number of its own while it lives.
std::unordered_map<UINT, TMenuItem*>& Commands() {
    static std::unordered_map<UINT, TMenuItem*> Map;
    return Map;
}

UINT NewCommand(TMenuItem* Item) {
    static UINT Next = 0;
    do {
        Next = Next >= 0xFFF0 ? 1 : Next + 1;
    } while (Commands().count(Next));
    Commands()[Next] = Item;
    return Next;
}

struct TKeyName {
    Word Key;
    const char16_t* Name;
};
const TKeyName KeyNames[] = {
    {VK_BACK, u"BkSp"},   {VK_TAB, u"Tab"},   {VK_ESCAPE, u"Esc"},    {VK_RETURN, u"Enter"},
    {VK_SPACE, u"Space"}, {VK_PRIOR, u"PgUp"}, {VK_NEXT, u"PgDn"},    {VK_END, u"End"},
    {VK_HOME, u"Home"},   {VK_LEFT, u"Left"}, {VK_UP, u"Up"},         {VK_RIGHT, u"Right"},
    {VK_DOWN, u"Down"},   {VK_INSERT, u"Ins"}, {VK_DELETE, u"Del"},
};

String KeyName(Word Key) {
    if ((Key >= 'A' && Key <= 'Z') || (Key >= '0' && Key <= '9')) return String(1, Char(Key));
    if (Key >= VK_F1 && Key <= VK_F1 + 11) return u"F" + IntToStr(Key - VK_F1 + 1);
    for (const TKeyName& Entry : KeyNames)
        if (Entry.Key == Key) return Entry.Name;
    return String();
}

// The window that owns the pop-up menus while they are tracked: it hands
// the opening of a sub-menu to the menu being tracked.
TPopupMenu* TrackedPopup = nullptr;

LRESULT PopupOwnerProc(HWND Window, UINT Msg, WPARAM WParam, LPARAM LParam) {
    if (Msg == WM_INITMENUPOPUP && TrackedPopup) {
        TrackedPopup->DispatchPopup(reinterpret_cast<HMENU>(WParam));
        return 0;
    }
    return DefWindowProc(Window, Msg, WParam, LParam);
}

HWND PopupOwnerWindow() {
    static HWND Window = nullptr;
    if (IsWindow(Window)) return Window;
    WNDCLASS Class;
    if (!GetClassInfo(u"TPopupOwner", Class)) {
        Class.lpfnWndProc = PopupOwnerProc;
        Class.lpszClassName = u"TPopupOwner";
        RegisterClass(Class);
    }
    Window = CreateWindowEx(WS_EX_TOOLWINDOW, u"TPopupOwner", u"", WS_POPUP, 0, 0, 0, 0, nullptr);
    return Window;
}

// Gives the items of one level the accelerators they lack: the first
// letter or digit of the caption that no other item of the level uses.
std::vector<String> WithHotkeys(const std::vector<TMenuItem*>& Items, bool Automatic) {
    std::vector<String> Captions;
    String Used;
    for (TMenuItem* Item : Items) {
        Captions.push_back(Item->Caption());
        for (size_t i = 0; i + 1 < Item->Caption().size(); ++i) {
            if (Item->Caption()[i] != u'&') continue;
            if (Item->Caption()[i + 1] == u'&') {
                ++i;
                continue;
            }
            Used += UpperCase(String(1, Item->Caption()[i + 1]));
            break;
        }
    }
    if (!Automatic) return Captions;
    for (size_t n = 0; n < Items.size(); ++n) {
        String& Caption = Captions[n];
        if (Items[n]->IsLine() || StripHotkey(Caption) != Caption) continue;
        for (size_t i = 0; i < Caption.size(); ++i) {
            Char C = Caption[i];
            bool Alnum = (C >= u'a' && C <= u'z') || (C >= u'A' && C <= u'Z') || (C >= u'0' && C <= u'9');
            String Upper = UpperCase(String(1, C));
            if (!Alnum || Used.find(Upper) != String::npos) continue;
            Used += Upper;
            Caption.insert(i, 1, u'&');
            break;
        }
    }
    return Captions;
}

} // namespace

// ---- Shortcuts ----

TShortCut ShortCut(Word Key, TShiftState Shift) {
    if (Key & 0xF000) return scNone;
    TShortCut Result = Key;
    if (Shift.Contains(ssShift)) Result |= scShift;
    if (Shift.Contains(ssCtrl)) Result |= scCtrl;
    if (Shift.Contains(ssAlt)) Result |= scAlt;
    return Result;
}

void ShortCutToKey(TShortCut Value, Word& Key, TShiftState& Shift) {
    Key = Value & 0x0FFF;
    Shift = {};
    if (Value & scShift) Shift.Include(ssShift);
    if (Value & scCtrl) Shift.Include(ssCtrl);
    if (Value & scAlt) Shift.Include(ssAlt);
}

String ShortCutToText(TShortCut Value) {
    String Name = KeyName(Value & 0x0FFF);
    if (Name.empty()) return String();
    String Result;
    if (Value & scShift) Result += u"Shift+";
    if (Value & scCtrl) Result += u"Ctrl+";
    if (Value & scAlt) Result += u"Alt+";
    return Result + Name;
}

TShortCut TextToShortCut(const String& Text) {
    String Rest = Text;
    TShortCut Modifiers = 0;
    for (;;) {
        if (SameText(Rest.substr(0, 6), u"Shift+"))
            Modifiers |= scShift, Rest.erase(0, 6);
        else if (SameText(Rest.substr(0, 5), u"Ctrl+"))
            Modifiers |= scCtrl, Rest.erase(0, 5);
        else if (SameText(Rest.substr(0, 4), u"Alt+"))
            Modifiers |= scAlt, Rest.erase(0, 4);
        else
            break;
    }
    if (Rest.empty()) return scNone;
    for (Word Key = 1; Key < 0x100; ++Key) {
        String Name = KeyName(Key);
        if (!Name.empty() && SameText(Name, Rest)) return TShortCut(Key | Modifiers);
    }
    return scNone;
}

String StripHotkey(const String& Text) {
    String Result;
    for (size_t i = 0; i < Text.size(); ++i) {
        if (Text[i] == u'&' && i + 1 < Text.size()) ++i;
        Result += Text[i];
    }
    return Result;
}

// ---- TMenuItem ----

const TClassInfo& TMenuItem::StaticClassInfo() {
    static const TClassInfo Info =
        TClassBuilder<TMenuItem, TComponent>()
            .Property(u"AutoCheck", &TMenuItem::AutoCheck, &TMenuItem::SetAutoCheck)
            .Default(false)
            .Property(u"AutoHotkeys", &TMenuItem::AutoHotkeys, &TMenuItem::SetAutoHotkeys)
            .Default(maParent)
            .Property(u"Caption", &TMenuItem::Caption, &TMenuItem::SetCaption)
            .Property(u"Checked", &TMenuItem::Checked, &TMenuItem::SetChecked)
            .Default(false)
            .Property(u"Default", &TMenuItem::Default, &TMenuItem::SetDefault)
            .Default(false)
            .Property(u"Enabled", &TMenuItem::Enabled, &TMenuItem::SetEnabled)
            .Default(true)
            .Property(u"GroupIndex", &TMenuItem::GroupIndex, &TMenuItem::SetGroupIndex)
            .Default(0)
            .Property(u"Hint", &TMenuItem::Hint, &TMenuItem::SetHint)
            .Property(u"ImageIndex", &TMenuItem::ImageIndex, &TMenuItem::SetImageIndex)
            .Default(-1)
            .Property(u"RadioItem", &TMenuItem::RadioItem, &TMenuItem::SetRadioItem)
            .Default(false)
            .Property(u"ShortCut", &TMenuItem::ShortCut, &TMenuItem::SetShortCut)
            .Default(0)
            .Property(u"Visible", &TMenuItem::Visible, &TMenuItem::SetVisible)
            .Default(true)
            .Property(u"OnClick", &TMenuItem::OnClick,
                      [](TMenuItem& I, TNotifyEvent E) { I.OnClick = std::move(E); })
            .Build();
    return Info;
}

TMenuItem::TMenuItem(TComponent* AOwner) : TComponent(AOwner) {
    FCommand = NewCommand(this);
}

TMenuItem::~TMenuItem() {
    Commands().erase(FCommand);
}

void TMenuItem::BeforeDestruction() {
    if (FParent) FParent->Remove(this);
    while (!FItems.empty()) {
        TMenuItem* Item = FItems.back();
        FItems.pop_back();
        Item->FParent = nullptr;
        Free(Item);
    }
    TComponent::BeforeDestruction();
}

TMenuItem* TMenuItem::Items(Integer Index) const {
    if (Index < 0 || Index >= Count()) throw EMenuError(u"Menu index out of range");
    return FItems[size_t(Index)];
}

Integer TMenuItem::IndexOf(const TMenuItem* Item) const {
    for (size_t i = 0; i < FItems.size(); ++i)
        if (FItems[i] == Item) return Integer(i);
    return -1;
}

void TMenuItem::Add(TMenuItem* Item) {
    Insert(Count(), Item);
}

void TMenuItem::Insert(Integer Index, TMenuItem* Item) {
    if (!Item) return;
    if (Item->FParent) throw EMenuError(u"Menu inserted twice");
    if (Index < 0 || Index > Count()) throw EMenuError(u"Menu index out of range");
    FItems.insert(FItems.begin() + Index, Item);
    Item->FParent = this;
    Changed();
}

void TMenuItem::Delete(Integer Index) {
    Free(Items(Index));
}

void TMenuItem::Remove(TMenuItem* Item) {
    Integer Index = IndexOf(Item);
    if (Index < 0) throw EMenuError(u"Menu item not found");
    FItems.erase(FItems.begin() + Index);
    Item->FParent = nullptr;
    Item->ForgetHandles();
    Changed();
}

void TMenuItem::Clear() {
    while (!FItems.empty())
        Delete(Count() - 1);
}

void TMenuItem::SetMenuIndex(Integer Value) {
    if (!FParent) return;
    TMenuItem* Parent = FParent;
    Value = std::clamp(Value, 0, Parent->Count() - 1);
    Integer Current = MenuIndex();
    if (Current == Value) return;
    Parent->FItems.erase(Parent->FItems.begin() + Current);
    Parent->FItems.insert(Parent->FItems.begin() + Value, this);
    Parent->Changed();
}

TMenuItem* TMenuItem::Find(const String& ACaption) const {
    Integer Index = FindIndexOfCaption(ACaption);
    return Index < 0 ? nullptr : FItems[size_t(Index)];
}

Integer TMenuItem::FindIndexOfCaption(const String& ACaption) const {
    String Wanted = StripHotkey(ACaption);
    for (size_t i = 0; i < FItems.size(); ++i)
        if (AnsiSameText(StripHotkey(FItems[i]->Caption()), Wanted)) return Integer(i);
    return -1;
}

TMenu* TMenuItem::GetParentMenu() const {
    const TMenuItem* Root = this;
    while (Root->FParent)
        Root = Root->FParent;
    return Root->FMenu;
}

void TMenuItem::SetCaption(const String& Value) {
    if (Replace(FCaption, Value) && FParent) FParent->Changed();
}

void TMenuItem::SetChecked(bool Value) {
    if (FChecked == Value) return;
    FChecked = Value;
    if (Value && FRadioItem && FParent)
        for (TMenuItem* Sibling : FParent->FItems)
            if (Sibling != this && Sibling->FRadioItem && Sibling->FGroupIndex == FGroupIndex)
                Sibling->FChecked = false;
    if (FParent) FParent->Changed();
}

void TMenuItem::SetRadioItem(bool Value) {
    if (Replace(FRadioItem, Value) && FParent) FParent->Changed();
}

void TMenuItem::SetGroupIndex(Byte Value) {
    FGroupIndex = Value;
}

void TMenuItem::SetEnabled(bool Value) {
    if (Replace(FEnabled, Value) && FParent) FParent->Changed();
}

void TMenuItem::SetVisible(bool Value) {
    if (Replace(FVisible, Value) && FParent) FParent->Changed();
}

void TMenuItem::SetDefault(bool Value) {
    if (Replace(FDefault, Value) && FParent) FParent->Changed();
}

void TMenuItem::SetImageIndex(Integer Value) {
    if (Replace(FImageIndex, Value) && FParent) FParent->Changed();
}

void TMenuItem::SetShortCut(TShortCut Value) {
    if (Replace(FShortCut, Value) && FParent) FParent->Changed();
}

void TMenuItem::SetAutoHotkeys(TMenuItemAutoFlag Value) {
    if (FAutoHotkeys == Value) return;
    FAutoHotkeys = Value;
    Changed();
}

void TMenuItem::Click() {
    if (FAutoCheck) SetChecked(FRadioItem ? true : !FChecked);
    if (OnClick) OnClick(this);
}

// Builds this item's sub-items again into its window menu, which keeps its
// handle (an open menu shows the new items). An item that gains or loses
// its sub-items changes its parent's level instead.
void TMenuItem::Changed() {
    TMenu* Menu = GetParentMenu();
    if (!Menu || !Menu->FHandle) return;
    if ((!FHandle || FItems.empty()) && FParent) {
        FParent->Changed();
        return;
    }
    if (!FHandle) return;
    for (TMenuItem* Item : FItems)
        Item->ForgetHandles();
    while (GetMenuItemCount(FHandle) > 0)
        DeleteMenu(FHandle, 0, MF_BYPOSITION);
    BuildInto(FHandle, *Menu);
}

void TMenuItem::ForgetHandles() {
    FHandle = nullptr;
    for (TMenuItem* Item : FItems)
        Item->ForgetHandles();
}

void TMenuItem::BuildInto(HMENU Menu, const TMenu& Owner) {
    TMenuAutoFlag Flag = maParent;
    for (const TMenuItem* Item = this; Item && Flag == maParent; Item = Item->FParent)
        Flag = Item->FAutoHotkeys;
    if (Flag == maParent) Flag = Owner.AutoHotkeys();
    std::vector<TMenuItem*> Shown;
    for (TMenuItem* Item : FItems)
        if (Item->FVisible) Shown.push_back(Item);
    std::vector<String> Captions = WithHotkeys(Shown, Flag == maAutomatic);
    for (size_t n = 0; n < Shown.size(); ++n) {
        TMenuItem* Item = Shown[n];
        if (Item->IsLine()) {
            AppendMenu(Menu, MF_SEPARATOR, 0, String());
            continue;
        }
        UINT Flags = (Item->FEnabled ? UINT(MF_ENABLED) : UINT(MF_GRAYED)) | (Item->FChecked ? UINT(MF_CHECKED) : 0u) |
                     (Item->FRadioItem ? UINT(MF_RADIOCHECK) : 0u) | (Item->FDefault ? UINT(MF_DEFAULT) : 0u);
        String Text = Captions[n];
        if (Item->FShortCut != scNone) Text += u"\t" + ShortCutToText(Item->FShortCut);
        if (!Item->FItems.empty()) {
            Item->FHandle = CreatePopupMenu();
            Item->BuildInto(Item->FHandle, Owner);
            AppendMenu(Menu, Flags | MF_POPUP, reinterpret_cast<NativeUInt>(Item->FHandle), Text);
        } else {
            AppendMenu(Menu, Flags, Item->FCommand, Text);
        }
        TCustomImageList* Images = Owner.Images();
        Integer Index = Item->FImageIndex;
        if (Images && Index >= 0 && Index < Images->Count()) {
            MENUITEMIMAGE Image;
            Image.Size = {Images->Width(), Images->Height()};
            Image.Draw = [Images, Index](HDC DC, TPoint At, bool Enabled) {
                TCanvas Canvas;
                Canvas.SetHandle(DC);
                Images->Draw(&Canvas, At.X, At.Y, Index, Enabled);
                Canvas.SetHandle(nullptr);
            };
            SetMenuItemImage(Menu, UINT(GetMenuItemCount(Menu) - 1), MF_BYPOSITION, Image);
        }
    }
}

TComponent* TMenuItem::GetParentComponent() const {
    if (FParent && FParent->FMenu) return FParent->FMenu;
    return FParent;
}

void TMenuItem::SetParentComponent(TComponent* Value) {
    if (FParent) FParent->Remove(this);
    if (auto* Menu = dynamic_cast<TMenu*>(Value))
        Menu->Items()->Add(this);
    else if (auto* Item = dynamic_cast<TMenuItem*>(Value))
        Item->Add(this);
}

void TMenuItem::GetChildren(const std::function<void(TComponent*)>& Proc, TComponent* Root) const {
    for (TMenuItem* Item : FItems)
        if (Item->Owner() == Root) Proc(Item);
}

// ---- TMenu ----

const TClassInfo& TMenu::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TMenu, TComponent>()
                                       .Property(u"AutoHotkeys", &TMenu::AutoHotkeys, &TMenu::SetAutoHotkeys)
                                       .Default(maAutomatic)
                                       .Property(u"Images", &TMenu::Images, &TMenu::SetImages)
                                       .Build();
    return Info;
}

TMenu::TMenu(TComponent* AOwner) : TComponent(AOwner), FItems(Create<TMenuItem>(nullptr)) {
    FItems->FMenu = this;
}

TMenu::~TMenu() = default;

void TMenu::BeforeDestruction() {
    TComponent::BeforeDestruction();
    DestroyMenuHandle();
    Free(FItems);
    FItems = nullptr;
}

void TMenu::SetImages(TCustomImageList* Value) {
    if (FImages == Value) return;
    if (FImages) FImages->RemoveFreeNotification(this);
    FImages = Value;
    if (FImages) FImages->FreeNotification(this);
    MenuChanged();
}

void TMenu::SetAutoHotkeys(TMenuAutoFlag Value) {
    if (FAutoHotkeys == Value) return;
    FAutoHotkeys = Value;
    MenuChanged();
}

void TMenu::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FImages) {
        FImages = nullptr;
        MenuChanged();
    }
}

HMENU TMenu::Handle() {
    if (!FHandle) {
        FHandle = IsBar() ? CreateMenu() : CreatePopupMenu();
        FItems->FHandle = FHandle;
        FItems->BuildInto(FHandle, *this);
    }
    return FHandle;
}

void TMenu::MenuChanged() {
    if (FHandle) FItems->Changed();
}

void TMenu::DestroyMenuHandle() {
    if (!FHandle) return;
    FItems->ForgetHandles();
    DestroyMenu(FHandle);
    FHandle = nullptr;
}

TMenuItem* TMenu::FindItem(UINT Value, TFindItemKind Kind) const {
    std::function<TMenuItem*(TMenuItem*)> Search = [&](TMenuItem* Item) -> TMenuItem* {
        for (TMenuItem* Child : Item->FItems) {
            bool Match = (Kind == fkCommand && Child->FCommand == Value) ||
                         (Kind == fkHandle && Child->FHandle && Child->FHandle == reinterpret_cast<HMENU>(NativeUInt(Value))) ||
                         (Kind == fkShortCut && Child->FShortCut != scNone && Child->FShortCut == Value);
            if (Match) return Child;
            if (TMenuItem* Found = Search(Child)) return Found;
        }
        return nullptr;
    };
    return Search(FItems);
}

void TMenu::GetChildren(const std::function<void(TComponent*)>& Proc, TComponent* Root) const {
    FItems->GetChildren(Proc, Root);
}

bool TMenu::DispatchCommand(UINT ACommand) {
    TMenuItem* Item = FindItem(ACommand, fkCommand);
    if (!Item) return false;
    Item->Click();
    return true;
}

bool TMenu::DispatchPopup(HMENU AHandle) {
    if (!AHandle) return false;
    std::function<TMenuItem*(TMenuItem*)> Search = [&](TMenuItem* Item) -> TMenuItem* {
        for (TMenuItem* Child : Item->FItems) {
            if (Child->FHandle == AHandle) return Child;
            if (TMenuItem* Found = Search(Child)) return Found;
        }
        return nullptr;
    };
    TMenuItem* Item = Search(FItems);
    if (!Item) return false;
    Item->Click();
    return true;
}

bool TMenu::IsShortCut(Word Key, TShiftState Shift) {
    TShortCut Wanted = ::ShortCut(Key, Shift);
    if (Wanted == scNone) return false;
    std::function<TMenuItem*(TMenuItem*)> Search = [&](TMenuItem* Item) -> TMenuItem* {
        for (TMenuItem* Child : Item->FItems) {
            if (!Child->FVisible || !Child->FEnabled) continue;
            if (Child->FShortCut == Wanted && Child->FItems.empty()) return Child;
            if (TMenuItem* Found = Search(Child)) return Found;
        }
        return nullptr;
    };
    TMenuItem* Item = Search(FItems);
    if (!Item) return false;
    Item->Click();
    return true;
}

// ---- TMainMenu ----

const TClassInfo& TMainMenu::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TMainMenu, TMenu>().Build();
    return Info;
}

void TMainMenu::SetWindow(HWND Window) {
    if (FWindow == Window) return;
    if (IsWindow(FWindow) && GetMenu(FWindow) == Handle()) winapi::SetMenu(FWindow, nullptr);
    FWindow = Window;
    if (FWindow) winapi::SetMenu(FWindow, Handle());
}

void TMainMenu::MenuChanged() {
    TMenu::MenuChanged();
    if (IsWindow(FWindow)) DrawMenuBar(FWindow);
}

// ---- TPopupMenu ----

const TClassInfo& TPopupMenu::StaticClassInfo() {
    static const TClassInfo Info =
        TClassBuilder<TPopupMenu, TMenu>()
            .Property(u"Alignment", &TPopupMenu::Alignment, &TPopupMenu::SetAlignment)
            .Default(paLeft)
            .Property(u"AutoPopup", &TPopupMenu::AutoPopup, &TPopupMenu::SetAutoPopup)
            .Default(true)
            .Property(u"OnPopup", &TPopupMenu::OnPopup,
                      [](TPopupMenu& M, TNotifyEvent E) { M.OnPopup = std::move(E); })
            .Build();
    return Info;
}

void TPopupMenu::Notification(TComponent* AComponent, TOperation Operation) {
    TMenu::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FPopupComponent) FPopupComponent = nullptr;
}

void TPopupMenu::DoPopup(TObject* Sender) {
    if (OnPopup) OnPopup(Sender);
}

void TPopupMenu::Popup(Integer X, Integer Y) {
    DoPopup(this);
    UINT Flags = TPM_RETURNCMD | (FTrackRightButton ? TPM_RIGHTBUTTON : TPM_LEFTBUTTON);
    if (FAlignment == paRight) Flags |= TPM_RIGHTALIGN;
    if (FAlignment == paCenter) Flags |= TPM_CENTERALIGN;
    TPopupMenu* Outer = TrackedPopup;
    TrackedPopup = this;
    Integer Command = 0;
    try {
        Command = TrackPopupMenu(Handle(), Flags, X, Y, PopupOwnerWindow());
    } catch (...) {
        TrackedPopup = Outer;
        throw;
    }
    TrackedPopup = Outer;
    if (Command > 0) DispatchCommand(UINT(Command));
}

// ---- Right clicks and shortcuts ----

bool ShowContextPopup(TControl* Control, TPoint ScreenPoint) {
    for (TControl* Item = Control; Item; Item = Item->Parent()) {
        TPopupMenu* Menu = Item->PopupMenu();
        if (!Menu || !Menu->AutoPopup()) continue;
        Menu->SetPopupComponent(Item);
        Menu->Popup(ScreenPoint.X, ScreenPoint.Y);
        return true;
    }
    return false;
}

bool IsMenuKey(TControl* Control, Word Key, TShiftState Shift) {
    if (::ShortCut(Key, Shift) == scNone) return false;
    for (TControl* Item = Control; Item; Item = Item->Parent())
        if (TPopupMenu* Menu = Item->PopupMenu(); Menu && Menu->IsShortCut(Key, Shift)) return true;
    if (TCustomForm* Form = GetParentForm(Control))
        if (TMainMenu* Menu = Form->Menu(); Menu && Menu->IsShortCut(Key, Shift)) return true;
    return false;
}

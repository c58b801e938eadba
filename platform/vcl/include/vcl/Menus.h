#pragma once
// Menus: TMenuItem trees, the main menu of a form and pop-up menus, over the
// window system's menus.
//
// A menu's window menu is built again from its items whenever they change.
// Each item has a command number of its own; the chosen command comes back
// to the item, whose Click runs OnClick (and, with AutoCheck, toggles
// Checked). An item whose sub-menu opens is clicked too, so its OnClick
// can prepare the sub-menu. Shortcuts (Ctrl+S …) of the form's main menu
// and of the pop-up menus along the focused control's parents run their
// items from the keyboard.

#include "graphics/ImageList.h"
#include "vcl/Controls.h"
#include "windowing/Menu.h"

#include <memory>
#include <vector>

using TShortCut = Word;
// The shortcut of a key with Shift, Ctrl and Alt (scShift, scCtrl, scAlt bits).
enum : TShortCut { scShift = 0x2000, scCtrl = 0x4000, scAlt = 0x8000, scNone = 0 };
TShortCut ShortCut(Word Key, TShiftState Shift);
void ShortCutToKey(TShortCut ShortCut, Word& Key, TShiftState& Shift);
// "Ctrl+S", "Shift+F10", "Del" …; empty for scNone.
String ShortCutToText(TShortCut ShortCut);
// The shortcut a text names; scNone for a text that names none.
TShortCut TextToShortCut(const String& Text);

RTL_ENUM(TMenuAutoFlag, maAutomatic, maManual, maParent)
using TMenuItemAutoFlag = TMenuAutoFlag;
RTL_ENUM(TPopupAlignment, paLeft, paRight, paCenter)
RTL_ENUM(TFindItemKind, fkCommand, fkHandle, fkShortCut)

class TMenu;

class TMenuItem : public TComponent {
    RTL_CLASS(TMenuItem)
public:
    explicit TMenuItem(TComponent* AOwner);
    ~TMenuItem() override;
    void BeforeDestruction() override;

    // ---- Look and state ----
    // "-" makes the item a separator; "&" marks the accelerator.
    const String& Caption() const { return FCaption; }
    void SetCaption(const String& Value);
    bool IsLine() const { return FCaption == u"-"; }
    bool Checked() const { return FChecked; }
    // Checking a radio item unchecks the other radio items of its group.
    void SetChecked(bool Value);
    bool RadioItem() const { return FRadioItem; }
    void SetRadioItem(bool Value);
    Byte GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(Byte Value);
    bool AutoCheck() const { return FAutoCheck; }
    void SetAutoCheck(bool Value) { FAutoCheck = Value; }
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value);
    bool Visible() const { return FVisible; }
    void SetVisible(bool Value);
    bool Default() const { return FDefault; }
    void SetDefault(bool Value);
    Integer ImageIndex() const { return FImageIndex; }
    void SetImageIndex(Integer Value);
    TShortCut ShortCut() const { return FShortCut; }
    void SetShortCut(TShortCut Value);
    const String& Hint() const { return FHint; }
    void SetHint(const String& Value) { FHint = Value; }
    TMenuItemAutoFlag AutoHotkeys() const { return FAutoHotkeys; }
    void SetAutoHotkeys(TMenuItemAutoFlag Value);

    // ---- The tree ----
    TMenuItem* Parent() const { return FParent; }
    Integer Count() const { return Integer(FItems.size()); }
    TMenuItem* Items(Integer Index) const;
    Integer IndexOf(const TMenuItem* Item) const;
    Integer MenuIndex() const { return FParent ? FParent->IndexOf(this) : -1; }
    void SetMenuIndex(Integer Value);
    // Adds or inserts an item that has no parent yet; raises EMenuError
    // "Menu inserted twice" otherwise.
    void Add(TMenuItem* Item);
    void Insert(Integer Index, TMenuItem* Item);
    // Frees the item at Index; Remove only takes it out.
    void Delete(Integer Index);
    void Remove(TMenuItem* Item);
    // Frees every sub-item.
    void Clear();
    // The sub-item with that caption (accelerator marks ignored), or null.
    TMenuItem* Find(const String& ACaption) const;
    TMenu* GetParentMenu() const;

    // The item's command number, and its sub-menu's window menu (null
    // while the menu is not built or the item has no sub-items).
    winapi::UINT Command() const { return FCommand; }
    winapi::HMENU Handle() const { return FHandle; }

    // Runs the item as if chosen: AutoCheck, then OnClick.
    virtual void Click();

    // Component streams: an item is written inside its parent item or menu.
    bool HasParent() const override { return true; }
    TComponent* GetParentComponent() const override;
    void SetParentComponent(TComponent* Value) override;
    void GetChildren(const std::function<void(TComponent*)>& Proc, TComponent* Root) const override;
    TNotifyEvent OnClick;

private:
    friend class TMenu;
    void Changed();
    void BuildInto(winapi::HMENU Menu, const TMenu& Owner);
    void ForgetHandles();
    Integer FindIndexOfCaption(const String& ACaption) const;

    String FCaption;
    bool FChecked = false;
    bool FRadioItem = false;
    Byte FGroupIndex = 0;
    bool FAutoCheck = false;
    bool FEnabled = true;
    bool FVisible = true;
    bool FDefault = false;
    Integer FImageIndex = -1;
    TShortCut FShortCut = scNone;
    String FHint;
    TMenuItemAutoFlag FAutoHotkeys = maParent;
    TMenuItem* FParent = nullptr;
    TMenu* FMenu = nullptr; // set on the root item of a menu
    std::vector<TMenuItem*> FItems;
    winapi::UINT FCommand = 0;
    winapi::HMENU FHandle = nullptr;
};

class EMenuError : public Exception {
public:
    explicit EMenuError(String message) : Exception(std::move(message)) {}
};

class TMenu : public TComponent {
    RTL_CLASS(TMenu)
public:
    explicit TMenu(TComponent* AOwner);
    ~TMenu() override;
    void BeforeDestruction() override;

    // The root item; its sub-items are the menu's items.
    TMenuItem* Items() const { return FItems; }
    TCustomImageList* Images() const { return FImages; }
    void SetImages(TCustomImageList* Value);
    TMenuAutoFlag AutoHotkeys() const { return FAutoHotkeys; }
    void SetAutoHotkeys(TMenuAutoFlag Value);

    // The window menu, built from the items when asked for.
    winapi::HMENU Handle();
    bool HandleAllocated() const { return FHandle != nullptr; }

    // Runs the item with that command; false when none has it.
    bool DispatchCommand(winapi::UINT ACommand);
    // Clicks the item whose sub-menu is opening; false when none has it.
    bool DispatchPopup(winapi::HMENU AHandle);
    TMenuItem* FindItem(winapi::UINT Value, TFindItemKind Kind) const;
    void GetChildren(const std::function<void(TComponent*)>& Proc, TComponent* Root) const override;
    // Runs the enabled, visible item with the key's shortcut; true when one ran.
    bool IsShortCut(Word Key, TShiftState Shift);

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;
    // The window menu is built again (and the form's bar updated).
    virtual void MenuChanged();
    void DestroyMenuHandle();
    virtual bool IsBar() const { return false; }

private:
    friend class TMenuItem;
    TMenuItem* FItems;
    TCustomImageList* FImages = nullptr;
    TMenuAutoFlag FAutoHotkeys = maAutomatic;
    winapi::HMENU FHandle = nullptr;
};

class TMainMenu : public TMenu {
    RTL_CLASS(TMainMenu)
public:
    explicit TMainMenu(TComponent* AOwner) : TMenu(AOwner) {}

    // The window whose bar shows the menu (set by the form).
    void SetWindow(winapi::HWND Window);
    winapi::HWND Window() const { return FWindow; }

protected:
    void MenuChanged() override;
    bool IsBar() const override { return true; }

private:
    winapi::HWND FWindow = nullptr;
};

class TPopupMenu : public TMenu {
    RTL_CLASS(TPopupMenu)
public:
    explicit TPopupMenu(TComponent* AOwner) : TMenu(AOwner) {}

    // Shows the menu at a screen point and runs the chosen item before answering.
    virtual void Popup(Integer X, Integer Y);
    // The control whose right click opened the menu.
    TComponent* PopupComponent() const { return FPopupComponent; }
    void SetPopupComponent(TComponent* Value) { FPopupComponent = Value; }
    TPopupAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TPopupAlignment Value) { FAlignment = Value; }
    // Whether a right click on a control shows the menu.
    bool AutoPopup() const { return FAutoPopup; }
    void SetAutoPopup(bool Value) { FAutoPopup = Value; }
    // Which button chooses items: the right one chooses too with tpmRightButton.
    bool TrackRightButton() const { return FTrackRightButton; }
    void SetTrackRightButton(bool Value) { FTrackRightButton = Value; }

    TNotifyEvent OnPopup;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;
    virtual void DoPopup(TObject* Sender);

private:
    TComponent* FPopupComponent = nullptr;
    TPopupAlignment FAlignment = paLeft;
    bool FAutoPopup = true;
    bool FTrackRightButton = true;
};

// Removes "&" marks from a caption ("&&" stays a single "&").
String StripHotkey(const String& Text);
// Shows the pop-up menu of the control or of its nearest parent that has
// one, for a right click at a screen point; true when a menu was shown.
bool ShowContextPopup(TControl* Control, TPoint ScreenPoint);
// Runs the shortcut through the pop-up menus of the control and its
// parents, then the main menu of its form; true when an item ran.
bool IsMenuKey(TControl* Control, Word Key, TShiftState Shift);

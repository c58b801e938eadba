#pragma once
// Menus: menu bars of top-level windows and pop-up menus, their items, and
// the menu loop that tracks them with the mouse and the keyboard.
//
// A menu is a list of items; an item is a command (an id), a separator or a
// sub-menu. An item's text may hold "&" before its accelerator character
// and, after a tab, the text of its shortcut shown on the right.
//
// While a menu is tracked, mouse and key input goes to the menu loop: the
// arrows move (disabled items and separators are skipped), Enter and a
// click choose, Right and Left open and close sub-menus (on a menu bar they
// move between its items), an accelerator character chooses its item,
// Escape closes one level, and a press outside every open menu closes them
// all. Before a pop-up opens its owner gets WM_INITMENUPOPUP. A chosen
// command is posted to the owner as WM_COMMAND (wParam the id) unless
// TrackPopupMenu was asked to answer it (TPM_RETURNCMD).

#include "windowing/Messages.h"

#include <functional>

struct TMenuRecord;

namespace winapi {

using HMENU = TMenuRecord*;

enum : UINT {
    MF_STRING = 0x0000,
    MF_ENABLED = 0x0000,
    MF_UNCHECKED = 0x0000,
    MF_BYCOMMAND = 0x0000,
    MF_GRAYED = 0x0001,
    MF_DISABLED = 0x0002,
    MF_CHECKED = 0x0008,
    MF_POPUP = 0x0010,
    MF_HILITE = 0x0080,
    MF_RADIOCHECK = 0x0200, // the check mark is a bullet
    MF_BYPOSITION = 0x0400,
    MF_SEPARATOR = 0x0800,
    MF_DEFAULT = 0x1000, // drawn in bold
};

// Messages of menus.
enum : UINT {
    WM_CONTEXTMENU = 0x007B, // wParam the window clicked; lParam the screen point (-1, -1: from the keyboard)
    WM_INITMENU = 0x0116,
    WM_INITMENUPOPUP = 0x0117, // wParam the menu, low word of lParam its position in the parent
    WM_MENUSELECT = 0x011F,
    WM_ENTERMENULOOP = 0x0211,
    WM_EXITMENULOOP = 0x0212,
};
// WM_SYSCOMMAND: the menu bar from the keyboard; lParam the accelerator
// character (0: Alt alone, the bar's first item is highlighted).
enum : WPARAM { SC_KEYMENU = 0xF100, SC_MOUSEMENU = 0xF090 };
// The hit-test code of a window's menu bar.
enum : Integer { HTMENU = 5 };

// TrackPopupMenu flags.
enum : UINT {
    TPM_LEFTBUTTON = 0x0000,
    TPM_RIGHTBUTTON = 0x0002,
    TPM_LEFTALIGN = 0x0000,
    TPM_CENTERALIGN = 0x0004,
    TPM_RIGHTALIGN = 0x0008,
    TPM_TOPALIGN = 0x0000,
    TPM_VCENTERALIGN = 0x0010,
    TPM_BOTTOMALIGN = 0x0020,
    TPM_NONOTIFY = 0x0080,
    TPM_RETURNCMD = 0x0100,
};

HMENU CreateMenu();      // a menu bar
HMENU CreatePopupMenu(); // a pop-up menu
// Destroys the menu and its sub-menus.
bool DestroyMenu(HMENU menu);
bool IsMenu(HMENU menu);

// `item` is a command id, or with MF_POPUP the sub-menu (the menu then owns it).
bool AppendMenu(HMENU menu, UINT flags, NativeUInt item, const String& text);
// Inserts before the item at `position` (MF_BYPOSITION; past the end: appends)
// or before the item with that command.
bool InsertMenu(HMENU menu, UINT position, UINT flags, NativeUInt item, const String& text);
bool ModifyMenu(HMENU menu, UINT position, UINT flags, NativeUInt item, const String& text);
// Removes an item; DeleteMenu destroys its sub-menu, RemoveMenu does not.
bool DeleteMenu(HMENU menu, UINT position, UINT flags);
bool RemoveMenu(HMENU menu, UINT position, UINT flags);
Integer GetMenuItemCount(HMENU menu); // -1 for no menu
// The command of an item; -1 (as UINT) for a sub-menu or no item.
UINT GetMenuItemID(HMENU menu, Integer position);
HMENU GetSubMenu(HMENU menu, Integer position);
// Answer the previous state (MF_CHECKED / MF_GRAYED bits), -1 for no item.
DWORD CheckMenuItem(HMENU menu, UINT item, UINT flags);
Integer EnableMenuItem(HMENU menu, UINT item, UINT flags);
bool CheckMenuRadioItem(HMENU menu, UINT first, UINT last, UINT check, UINT flags);
// The item's flags (for a sub-menu the item count in the high byte); -1 for no item.
UINT GetMenuState(HMENU menu, UINT item, UINT flags);
String GetMenuString(HMENU menu, UINT item, UINT flags);

// A picture shown in an item's check-mark column (size, and how to draw it
// at a point: the state says whether the item is enabled).
struct MENUITEMIMAGE {
    TSize Size;
    std::function<void(HDC dc, TPoint topLeft, bool enabled)> Draw;
};
bool SetMenuItemImage(HMENU menu, UINT item, UINT flags, const MENUITEMIMAGE& image);

// The menu bar of a top-level window (null: none); the client area shrinks
// by the bar's height. The window does not own the menu.
bool SetMenu(HWND window, HMENU menu);
HMENU GetMenu(HWND window);
bool DrawMenuBar(HWND window);
// The bar item's rectangle in screen coordinates.
bool GetMenuItemRect(HWND window, HMENU menu, UINT position, TRect& rect);

// Shows a pop-up menu at a screen point and tracks it until it closes.
// With TPM_RETURNCMD answers the chosen command (0: none); otherwise posts
// it to the owner and answers whether one was chosen.
Integer TrackPopupMenu(HMENU menu, UINT flags, Integer x, Integer y, HWND owner);
// Ends the menu loop running now, choosing nothing.
bool EndMenu();
// Whether a menu loop runs now (for tests and for the hint machinery).
bool IsMenuTracking();

} // namespace winapi

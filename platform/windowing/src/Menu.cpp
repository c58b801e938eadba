// Menu records and their items: creation, the item list, states and texts,
// and the menu bar of a window.

#include "WindowSystem.h"
#include "windowing/Paint.h"

#include <memory>
#include <unordered_map>

using namespace winapi;

namespace {

// Menus outlive a change of backend (the objects holding them do too), so
// they are kept apart from the window system.
std::unordered_map<HMENU, std::unique_ptr<TMenuRecord>>& Menus() {
    static std::unordered_map<HMENU, std::unique_ptr<TMenuRecord>> Map;
    return Map;
}

HMENU NewMenu(bool bar) {
    auto record = std::make_unique<TMenuRecord>();
    record->Bar = bar;
    HMENU menu = record.get();
    Menus().emplace(menu, std::move(record));
    return menu;
}

// Where an item sits: its menu and index. By command, sub-menus are searched too.
struct TItemPlace {
    TMenuRecord* Menu = nullptr;
    size_t Index = 0;
};

TItemPlace FindItem(TMenuRecord* menu, UINT item, UINT flags) {
    if (!menu) return {};
    if (flags & MF_BYPOSITION) {
        if (item >= menu->Items.size()) return {};
        return {menu, item};
    }
    for (size_t i = 0; i < menu->Items.size(); ++i) {
        const TMenuItemRecord& entry = menu->Items[i];
        if (!(entry.Flags & (MF_POPUP | MF_SEPARATOR)) && entry.Id == item) return {menu, i};
        if (entry.Flags & MF_POPUP) {
            TItemPlace inner = FindItem(detail::MenuRecord(entry.SubMenu), item, flags);
            if (inner.Menu) return inner;
        }
    }
    return {};
}

constexpr UINT StateFlags = MF_GRAYED | MF_DISABLED | MF_CHECKED | MF_HILITE | MF_RADIOCHECK | MF_DEFAULT;

bool MakeItem(UINT flags, NativeUInt item, const String& text, TMenuItemRecord& entry) {
    entry.Flags = flags & (StateFlags | MF_POPUP | MF_SEPARATOR);
    if (flags & MF_POPUP) {
        entry.SubMenu = reinterpret_cast<HMENU>(item);
        if (!detail::MenuRecord(entry.SubMenu)) return false;
    } else {
        entry.Id = item;
    }
    if (!(flags & MF_SEPARATOR)) entry.Text = text;
    return true;
}

// Redraws the bar of every window showing this menu.
void MenuChanged(HMENU menu) {
    if (!HasSystem()) return;
    for (HWND window : System().Live)
        if (window->Menu == menu) DrawMenuBar(window);
}

} // namespace

namespace detail {

TMenuRecord* MenuRecord(HMENU menu) {
    if (!menu) return nullptr;
    auto found = Menus().find(menu);
    return found == Menus().end() ? nullptr : found->second.get();
}

} // namespace detail

namespace winapi {

HMENU CreateMenu() {
    return NewMenu(true);
}

HMENU CreatePopupMenu() {
    return NewMenu(false);
}

bool DestroyMenu(HMENU menu) {
    TMenuRecord* record = detail::MenuRecord(menu);
    if (!record) return false;
    std::vector<TMenuItemRecord> items = std::move(record->Items);
    if (HasSystem())
        for (HWND window : System().Live)
            if (window->Menu == menu) {
                window->Menu = nullptr;
                detail::RecalcClient(window);
            }
    Menus().erase(menu);
    for (const TMenuItemRecord& item : items)
        if (item.Flags & MF_POPUP) DestroyMenu(item.SubMenu);
    return true;
}

bool IsMenu(HMENU menu) {
    return detail::MenuRecord(menu) != nullptr;
}

bool AppendMenu(HMENU menu, UINT flags, NativeUInt item, const String& text) {
    return InsertMenu(menu, UINT(-1), flags | MF_BYPOSITION, item, text);
}

bool InsertMenu(HMENU menu, UINT position, UINT flags, NativeUInt item, const String& text) {
    TMenuRecord* record = detail::MenuRecord(menu);
    if (!record) return false;
    TMenuItemRecord entry;
    if (!MakeItem(flags, item, text, entry)) return false;
    TMenuRecord* target = record;
    size_t index = record->Items.size();
    if (flags & MF_BYPOSITION) {
        if (position < index) index = position;
    } else if (TItemPlace place = FindItem(record, position, flags); place.Menu) {
        target = place.Menu;
        index = place.Index;
    }
    target->Items.insert(target->Items.begin() + std::ptrdiff_t(index), std::move(entry));
    MenuChanged(menu);
    return true;
}

bool ModifyMenu(HMENU menu, UINT position, UINT flags, NativeUInt item, const String& text) {
    TItemPlace place = FindItem(detail::MenuRecord(menu), position, flags);
    if (!place.Menu) return false;
    TMenuItemRecord entry;
    if (!MakeItem(flags, item, text, entry)) return false;
    TMenuItemRecord& old = place.Menu->Items[place.Index];
    if ((old.Flags & MF_POPUP) && old.SubMenu != entry.SubMenu) DestroyMenu(old.SubMenu);
    entry.Image = std::move(old.Image);
    old = std::move(entry);
    MenuChanged(menu);
    return true;
}

bool DeleteMenu(HMENU menu, UINT position, UINT flags) {
    TItemPlace place = FindItem(detail::MenuRecord(menu), position, flags);
    if (!place.Menu) return false;
    HMENU sub = (place.Menu->Items[place.Index].Flags & MF_POPUP) ? place.Menu->Items[place.Index].SubMenu : nullptr;
    RemoveMenu(menu, position, flags);
    if (sub) DestroyMenu(sub);
    return true;
}

bool RemoveMenu(HMENU menu, UINT position, UINT flags) {
    TItemPlace place = FindItem(detail::MenuRecord(menu), position, flags);
    if (!place.Menu) return false;
    place.Menu->Items.erase(place.Menu->Items.begin() + std::ptrdiff_t(place.Index));
    MenuChanged(menu);
    return true;
}

Integer GetMenuItemCount(HMENU menu) {
    TMenuRecord* record = detail::MenuRecord(menu);
    return record ? Integer(record->Items.size()) : -1;
}

UINT GetMenuItemID(HMENU menu, Integer position) {
    TMenuRecord* record = detail::MenuRecord(menu);
    if (!record || position < 0 || size_t(position) >= record->Items.size()) return UINT(-1);
    const TMenuItemRecord& item = record->Items[size_t(position)];
    return (item.Flags & MF_POPUP) ? UINT(-1) : UINT(item.Id);
}

HMENU GetSubMenu(HMENU menu, Integer position) {
    TMenuRecord* record = detail::MenuRecord(menu);
    if (!record || position < 0 || size_t(position) >= record->Items.size()) return nullptr;
    const TMenuItemRecord& item = record->Items[size_t(position)];
    return (item.Flags & MF_POPUP) ? item.SubMenu : nullptr;
}

DWORD CheckMenuItem(HMENU menu, UINT item, UINT flags) {
    TItemPlace place = FindItem(detail::MenuRecord(menu), item, flags);
    if (!place.Menu) return DWORD(-1);
    UINT& state = place.Menu->Items[place.Index].Flags;
    DWORD old = state & MF_CHECKED;
    state = (state & ~UINT(MF_CHECKED)) | (flags & MF_CHECKED);
    MenuChanged(menu);
    return old;
}

Integer EnableMenuItem(HMENU menu, UINT item, UINT flags) {
    TItemPlace place = FindItem(detail::MenuRecord(menu), item, flags);
    if (!place.Menu) return -1;
    UINT& state = place.Menu->Items[place.Index].Flags;
    Integer old = Integer(state & (MF_GRAYED | MF_DISABLED));
    state = (state & ~UINT(MF_GRAYED | MF_DISABLED)) | (flags & (MF_GRAYED | MF_DISABLED));
    MenuChanged(menu);
    return old;
}

bool CheckMenuRadioItem(HMENU menu, UINT first, UINT last, UINT check, UINT flags) {
    TMenuRecord* record = detail::MenuRecord(menu);
    if (!record) return false;
    bool found = false;
    for (size_t i = 0; i < record->Items.size(); ++i) {
        TMenuItemRecord& item = record->Items[i];
        UINT key = (flags & MF_BYPOSITION) ? UINT(i) : UINT(item.Id);
        if ((item.Flags & (MF_POPUP | MF_SEPARATOR)) && !(flags & MF_BYPOSITION)) continue;
        if (key < first || key > last) continue;
        if (key == check) {
            item.Flags |= MF_CHECKED | MF_RADIOCHECK;
            found = true;
        } else {
            item.Flags &= ~UINT(MF_CHECKED);
        }
    }
    MenuChanged(menu);
    return found;
}

UINT GetMenuState(HMENU menu, UINT item, UINT flags) {
    TItemPlace place = FindItem(detail::MenuRecord(menu), item, flags);
    if (!place.Menu) return UINT(-1);
    const TMenuItemRecord& entry = place.Menu->Items[place.Index];
    UINT state = entry.Flags;
    if (entry.Flags & MF_POPUP) state |= UINT(GetMenuItemCount(entry.SubMenu) & 0xFF) << 8;
    return state;
}

String GetMenuString(HMENU menu, UINT item, UINT flags) {
    TItemPlace place = FindItem(detail::MenuRecord(menu), item, flags);
    return place.Menu ? place.Menu->Items[place.Index].Text : String();
}

bool SetMenuItemImage(HMENU menu, UINT item, UINT flags, const MENUITEMIMAGE& image) {
    TItemPlace place = FindItem(detail::MenuRecord(menu), item, flags);
    if (!place.Menu) return false;
    place.Menu->Items[place.Index].Image = image;
    MenuChanged(menu);
    return true;
}

bool SetMenu(HWND window, HMENU menu) {
    if (!Record(window) || !IsTopLevel(*window)) return false;
    if (menu && !IsMenu(menu)) return false;
    if (window->Menu == menu) return true;
    window->Menu = menu;
    // The client area gives way to the bar (or takes its place back).
    detail::RecalcClient(window);
    Backend().WindowMoved(window, window->Rect, window->Client);
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE | RDW_ALLCHILDREN);
    Send(window, WM_SIZE, SIZE_RESTORED, MAKELPARAM(window->Client.Width(), window->Client.Height()));
    return true;
}

HMENU GetMenu(HWND window) {
    return Record(window) ? window->Menu : nullptr;
}

bool DrawMenuBar(HWND window) {
    if (!Record(window) || !window->Menu) return false;
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_NOCHILDREN);
    return true;
}

} // namespace winapi

#pragma once
// Layout and drawing of menus, shared by the bar drawing and the menu loop.

#include "WindowSystem.h"

#include <vector>

namespace detail {

// Pop-up menus: the window's border and the padding inside it.
constexpr Integer MenuPadding = 2;

// Whether an item can be highlighted and chosen.
bool MenuItemSelectable(const TMenuItemRecord& item);
// The upper-case character after a single "&" in an item's text; 0 for none.
Char MenuAccelerator(const String& text);

// The items' rectangles of a pop-up menu in client coordinates, and the
// client size they need.
TSize LayoutPopupMenu(const TMenuRecord& menu, std::vector<TRect>& rects);
void PaintPopupMenu(winapi::HDC dc, const TMenuRecord& menu, const std::vector<TRect>& rects, Integer hot,
                    TSize client);

// The bar items' rectangles in window coordinates.
std::vector<TRect> MenuBarItemRects(winapi::HWND window);
// The bar item the running menu loop highlights in the window (-1: none),
// and whether its pop-up is open.
Integer MenuBarHotItem(winapi::HWND window, bool& open);

} // namespace detail

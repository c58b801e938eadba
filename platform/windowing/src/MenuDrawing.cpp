// Menu layout and drawing: the items of a pop-up menu (check marks,
// pictures, texts with their accelerators and shortcuts, sub-menu arrows,
// separators) and the menu bar in a window's frame.

#include "MenuLayout.h"
#include "graphics/Colors.h"
#include "graphics/DeviceContext.h"
#include "graphics/GdiDraw.h"
#include "graphics/GdiObjects.h"
#include "graphics/GdiText.h"
#include "windowing/Paint.h"
#include "windowing/SystemMetrics.h"

#include <algorithm>

using namespace winapi;

namespace {

constexpr Integer ItemHeight = 22;
constexpr Integer SeparatorHeight = 9;
constexpr Integer CheckColumn = 28; // check marks and pictures
constexpr Integer TextGap = 4;
constexpr Integer ArrowColumn = 20;
constexpr Integer ShortcutGap = 24;
constexpr Integer BarItemPadding = 8;

HFONT MenuFont(bool bold) {
    TLogFont font;
    font.Height = -12;
    font.FaceName = u"Segoe UI";
    if (bold) font.Weight = FW_BOLD;
    return CreateFontIndirect(font);
}

void Fill(HDC dc, const TRect& r, TColor color) {
    HBRUSH brush = CreateSolidBrush(color);
    FillRect(dc, r, brush);
    DeleteObject(brush);
}

// The caption and the shortcut text of an item ("Caption\tCtrl+S").
void SplitText(const String& text, String& caption, String& shortcut) {
    size_t tab = text.find(u'\t');
    caption = text.substr(0, tab);
    shortcut = tab == String::npos ? String() : text.substr(tab + 1);
}

TSize TextSize(HDC dc, const String& text, UINT flags) {
    TRect r(0, 0, 0, 0);
    DrawText(dc, text, r, DT_CALCRECT | DT_SINGLELINE | flags);
    return {r.Width(), r.Height()};
}

void DrawCheck(HDC dc, const TRect& box, bool radio, TColor color) {
    HPEN pen = CreatePen(PS_SOLID, 1, color);
    HBRUSH brush = CreateSolidBrush(color);
    HGDIOBJ oldPen = SelectObject(dc, pen);
    HGDIOBJ oldBrush = SelectObject(dc, brush);
    TPoint c{(box.Left + box.Right) / 2, (box.Top + box.Bottom) / 2};
    if (radio) {
        Ellipse(dc, c.X - 3, c.Y - 3, c.X + 4, c.Y + 4);
    } else {
        for (Integer d = 0; d < 2; ++d) {
            MoveToEx(dc, c.X - 4, c.Y - 1 + d, nullptr);
            LineTo(dc, c.X - 1, c.Y + 2 + d);
            LineTo(dc, c.X + 5, c.Y - 4 + d);
        }
    }
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    DeleteObject(pen);
    DeleteObject(brush);
}

void DrawSubMenuArrow(HDC dc, const TRect& item, TColor color) {
    HPEN pen = CreatePen(PS_SOLID, 1, color);
    HBRUSH brush = CreateSolidBrush(color);
    HGDIOBJ oldPen = SelectObject(dc, pen);
    HGDIOBJ oldBrush = SelectObject(dc, brush);
    Integer x = item.Right - ArrowColumn / 2 - 2, y = (item.Top + item.Bottom) / 2;
    TPoint points[3] = {{x, y - 4}, {x + 4, y}, {x, y + 4}};
    Polygon(dc, points, 3);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    DeleteObject(pen);
    DeleteObject(brush);
}

} // namespace

namespace detail {

bool MenuItemSelectable(const TMenuItemRecord& item) {
    return !(item.Flags & (MF_SEPARATOR | MF_GRAYED | MF_DISABLED));
}

Char MenuAccelerator(const String& text) {
    for (size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] == u'\t') break;
        if (text[i] != u'&') continue;
        if (text[i + 1] == u'&') {
            ++i;
            continue;
        }
        Char c = text[i + 1];
        return (c >= u'a' && c <= u'z') ? Char(c - u'a' + u'A') : c;
    }
    return 0;
}

TSize LayoutPopupMenu(const TMenuRecord& menu, std::vector<TRect>& rects) {
    HDC dc = GetDC(nullptr);
    HFONT normal = MenuFont(false), bold = MenuFont(true);
    Integer captionWidth = 0, shortcutWidth = 0, imageWidth = 16;
    for (const TMenuItemRecord& item : menu.Items) {
        if (item.Flags & MF_SEPARATOR) continue;
        String caption, shortcut;
        SplitText(item.Text, caption, shortcut);
        SelectObject(dc, (item.Flags & MF_DEFAULT) ? bold : normal);
        captionWidth = std::max(captionWidth, TextSize(dc, caption, 0).cx);
        if (!shortcut.empty()) shortcutWidth = std::max(shortcutWidth, TextSize(dc, shortcut, DT_NOPREFIX).cx);
        if (item.Image.Draw) imageWidth = std::max(imageWidth, item.Image.Size.cx);
    }
    SelectObject(dc, GetStockObject(SYSTEM_FONT));
    DeleteObject(normal);
    DeleteObject(bold);
    ReleaseDC(nullptr, dc);

    Integer left = std::max(CheckColumn, imageWidth + 8);
    Integer width = left + TextGap + captionWidth + (shortcutWidth ? ShortcutGap + shortcutWidth : 0) +
                    ArrowColumn; // the caption is drawn clear of the arrow's column
    width = std::max(width, 80);
    rects.clear();
    Integer y = MenuPadding;
    for (const TMenuItemRecord& item : menu.Items) {
        Integer height = (item.Flags & MF_SEPARATOR) ? SeparatorHeight : std::max(ItemHeight, item.Image.Size.cy + 4);
        rects.push_back(TRect(MenuPadding, y, MenuPadding + width, y + height));
        y += height;
    }
    return {width + 2 * MenuPadding, y + MenuPadding};
}

void PaintPopupMenu(HDC dc, const TMenuRecord& menu, const std::vector<TRect>& rects, Integer hot, TSize client) {
    Fill(dc, TRect(0, 0, client.cx, client.cy), GetSysColor(COLOR_MENU));
    HFONT normal = MenuFont(false), bold = MenuFont(true);
    HGDIOBJ oldFont = SelectObject(dc, normal);
    SetBkMode(dc, TRANSPARENT);
    Integer imageWidth = 16;
    for (const TMenuItemRecord& item : menu.Items)
        if (item.Image.Draw) imageWidth = std::max(imageWidth, item.Image.Size.cx);
    Integer left = std::max(CheckColumn, imageWidth + 8);
    for (size_t i = 0; i < menu.Items.size() && i < rects.size(); ++i) {
        const TMenuItemRecord& item = menu.Items[i];
        const TRect& r = rects[i];
        if (item.Flags & MF_SEPARATOR) {
            Integer y = (r.Top + r.Bottom) / 2;
            Fill(dc, TRect(r.Left + left, y, r.Right - 2, y + 1), GetSysColor(COLOR_BTNSHADOW));
            Fill(dc, TRect(r.Left + left, y + 1, r.Right - 2, y + 2), GetSysColor(COLOR_BTNHIGHLIGHT));
            continue;
        }
        bool enabled = !(item.Flags & (MF_GRAYED | MF_DISABLED));
        bool highlighted = Integer(i) == hot;
        if (highlighted) Fill(dc, r, GetSysColor(COLOR_HIGHLIGHT));
        TColor text = !enabled ? GetSysColor(COLOR_GRAYTEXT)
                               : GetSysColor(highlighted ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT);
        TRect mark(r.Left, r.Top, r.Left + left, r.Bottom);
        if (item.Image.Draw) {
            TPoint at{mark.Left + (mark.Width() - item.Image.Size.cx) / 2,
                      mark.Top + (mark.Height() - item.Image.Size.cy) / 2};
            if (item.Flags & MF_CHECKED) {
                HBRUSH frame = CreateSolidBrush(text);
                FrameRect(dc, TRect(at.X - 2, at.Y - 2, at.X + item.Image.Size.cx + 2, at.Y + item.Image.Size.cy + 2),
                          frame);
                DeleteObject(frame);
            }
            item.Image.Draw(dc, at, enabled);
        } else if (item.Flags & MF_CHECKED) {
            DrawCheck(dc, mark, item.Flags & MF_RADIOCHECK, text);
        }
        String caption, shortcut;
        SplitText(item.Text, caption, shortcut);
        SelectObject(dc, (item.Flags & MF_DEFAULT) ? bold : normal);
        SetTextColor(dc, text);
        TRect textRect(r.Left + left + TextGap, r.Top, r.Right - ArrowColumn, r.Bottom);
        DrawText(dc, caption, textRect, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
        if (!shortcut.empty()) DrawText(dc, shortcut, textRect, DT_SINGLELINE | DT_VCENTER | DT_RIGHT | DT_NOPREFIX);
        if (item.Flags & MF_POPUP) DrawSubMenuArrow(dc, r, text);
    }
    SelectObject(dc, oldFont);
    DeleteObject(normal);
    DeleteObject(bold);
}

TRect MenuBarRect(HWND window) {
    if (!Record(window) || !window->Menu || !IsTopLevel(*window)) return {};
    DWORD style = window->Style;
    Integer frame = (style & WS_THICKFRAME) ? 4 : (style & WS_DLGFRAME) ? 3 : (style & WS_BORDER) ? 1 : 0;
    Integer top = frame + ((style & WS_CAPTION) == WS_CAPTION ? 23 : 0);
    return TRect(frame, top, window->Rect.Width() - frame, top + GetSystemMetrics(SM_CYMENU));
}

std::vector<TRect> MenuBarItemRects(HWND window) {
    std::vector<TRect> rects;
    TMenuRecord* menu = MenuRecord(Record(window) ? window->Menu : nullptr);
    if (!menu) return rects;
    TRect bar = MenuBarRect(window);
    HDC dc = GetDC(nullptr);
    HFONT font = MenuFont(false);
    SelectObject(dc, font);
    Integer x = bar.Left;
    for (const TMenuItemRecord& item : menu->Items) {
        String caption, shortcut;
        SplitText(item.Text, caption, shortcut);
        Integer width = (item.Flags & MF_SEPARATOR) ? 0 : TextSize(dc, caption, 0).cx + 2 * BarItemPadding;
        rects.push_back(TRect(x, bar.Top, x + width, bar.Bottom));
        x += width;
    }
    SelectObject(dc, GetStockObject(SYSTEM_FONT));
    DeleteObject(font);
    ReleaseDC(nullptr, dc);
    return rects;
}

void DrawMenuBarIn(HWND window, HDC dc) {
    TMenuRecord* menu = MenuRecord(window->Menu);
    if (!menu) return;
    Fill(dc, MenuBarRect(window), GetSysColor(COLOR_MENUBAR));
    bool open = false;
    Integer hot = MenuBarHotItem(window, open);
    std::vector<TRect> rects = MenuBarItemRects(window);
    HFONT font = MenuFont(false);
    HGDIOBJ oldFont = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    for (size_t i = 0; i < rects.size(); ++i) {
        const TMenuItemRecord& item = menu->Items[i];
        if (item.Flags & MF_SEPARATOR) continue;
        bool enabled = !(item.Flags & (MF_GRAYED | MF_DISABLED));
        bool highlighted = Integer(i) == hot;
        if (highlighted) Fill(dc, rects[i], GetSysColor(COLOR_HIGHLIGHT));
        SetTextColor(dc, !enabled     ? GetSysColor(COLOR_GRAYTEXT)
                         : highlighted ? GetSysColor(COLOR_HIGHLIGHTTEXT)
                                       : GetSysColor(COLOR_MENUTEXT));
        String caption, shortcut;
        SplitText(item.Text, caption, shortcut);
        TRect r = rects[i];
        DrawText(dc, caption, r, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
    }
    SelectObject(dc, oldFont);
    DeleteObject(font);
}

Integer MenuBarItemAt(HWND window, TPoint screen) {
    if (!Record(window) || !window->Menu) return -1;
    TPoint p{screen.X - window->Rect.Left, screen.Y - window->Rect.Top};
    std::vector<TRect> rects = MenuBarItemRects(window);
    for (size_t i = 0; i < rects.size(); ++i)
        if (!rects[i].IsEmpty() && PtInRect(rects[i], p)) return Integer(i);
    return -1;
}

} // namespace detail

namespace winapi {

bool GetMenuItemRect(HWND window, HMENU menu, UINT position, TRect& rect) {
    if (!Record(window) || window->Menu != menu || !menu) return false;
    std::vector<TRect> rects = detail::MenuBarItemRects(window);
    if (position >= rects.size()) return false;
    rect = rects[position];
    OffsetRect(rect, window->Rect.Left, window->Rect.Top);
    return true;
}

} // namespace winapi

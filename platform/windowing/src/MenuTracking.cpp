// The menu loop: pop-up menu windows, and the tracking of a pop-up menu or
// a window's menu bar by the mouse and the keyboard until a command is
// chosen or the menus close.
//
// An invisible tracker window holds the mouse capture for the whole loop,
// so every mouse message comes to the loop wherever the cursor is; key
// messages are taken from the queue before they reach the focus window.
// Everything else (painting, timers, posted messages) is dispatched.

#include "MenuLayout.h"
#include "windowing/Focus.h"
#include "windowing/MessageQueue.h"
#include "windowing/Paint.h"

#include <algorithm>

using namespace winapi;

namespace {

const String PopupClassName = u"#32768";
const String TrackerClassName = u"MenuTracker";

struct TOpenMenu {
    HMENU Menu = nullptr;
    HWND Window = nullptr;
    std::vector<TRect> Rects; // client coordinates
    TSize Client;
    Integer Hot = -1;
};

struct TMenuLoop {
    HWND Owner = nullptr;
    UINT Flags = 0;
    HWND BarWindow = nullptr; // tracking a menu bar
    Integer BarHot = -1;
    std::vector<TOpenMenu> Open; // the open pop-ups, outermost first
    HWND Tracker = nullptr;
    bool Done = false;
    bool Chosen = false;
    NativeUInt Command = 0;
};

TMenuLoop* Current = nullptr;

TMenuRecord* MenuOf(const TOpenMenu& open) {
    return detail::MenuRecord(open.Menu);
}

TOpenMenu* OpenMenuOfWindow(HWND window) {
    if (!Current) return nullptr;
    for (TOpenMenu& open : Current->Open)
        if (open.Window == window) return &open;
    return nullptr;
}

LRESULT PopupProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, paint);
        if (TOpenMenu* open = OpenMenuOfWindow(window))
            if (TMenuRecord* record = MenuOf(*open)) detail::PaintPopupMenu(dc, *record, open->Rects, open->Hot, open->Client);
        EndPaint(window, paint);
        return 0;
    }
    default:
        return DefWindowProc(window, message, wParam, lParam);
    }
}

LRESULT TrackerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CANCELMODE:
        if (Current && Current->Tracker == window) Current->Done = true;
        return 0;
    case WM_CAPTURECHANGED:
        if (Current && Current->Tracker == window && LParamToHandle(lParam) != window) Current->Done = true;
        return 0;
    default:
        return DefWindowProc(window, message, wParam, lParam);
    }
}

void EnsureClasses() {
    WNDCLASS found;
    if (!GetClassInfo(PopupClassName, found)) {
        WNDCLASS popup;
        popup.style = CS_SAVEBITS | CS_DROPSHADOW;
        popup.lpfnWndProc = PopupProc;
        popup.hCursor = LoadCursor(IDC_ARROW);
        popup.lpszClassName = PopupClassName;
        RegisterClass(popup);
    }
    if (!GetClassInfo(TrackerClassName, found)) {
        WNDCLASS tracker;
        tracker.lpfnWndProc = TrackerProc;
        tracker.lpszClassName = TrackerClassName;
        RegisterClass(tracker);
    }
}

// The next selectable item from `from` in direction `step`, wrapping; -1 for none.
Integer NextSelectable(const TMenuRecord& menu, Integer from, Integer step) {
    Integer count = Integer(menu.Items.size());
    if (count == 0) return -1;
    Integer index = from;
    for (Integer tried = 0; tried < count; ++tried) {
        if (index < 0)
            index = step > 0 ? 0 : count - 1;
        else
            index = (index + step + count) % count;
        if (detail::MenuItemSelectable(menu.Items[size_t(index)])) return index;
    }
    return -1;
}

void InvalidateOpen(const TOpenMenu& open) {
    if (Record(open.Window)) InvalidateRect(open.Window, nullptr, false);
}

void SetHot(TMenuLoop& loop, size_t level, Integer index) {
    if (level >= loop.Open.size() || loop.Open[level].Hot == index) return;
    loop.Open[level].Hot = index;
    InvalidateOpen(loop.Open[level]);
}

void SetBarHot(TMenuLoop& loop, Integer index) {
    if (loop.BarHot == index) return;
    loop.BarHot = index;
    DrawMenuBar(loop.BarWindow);
}

void CloseFrom(TMenuLoop& loop, size_t level) {
    while (loop.Open.size() > level) {
        HWND window = loop.Open.back().Window;
        loop.Open.pop_back();
        if (Record(window)) DestroyWindow(window);
    }
    if (loop.BarWindow && level == 0) DrawMenuBar(loop.BarWindow);
}

TRect WorkAreaAt(TPoint point) {
    MONITORINFO info;
    if (GetMonitorInfo(MonitorFromPoint(point, MONITOR_DEFAULTTONEAREST), info)) return info.rcWork;
    return TRect(0, 0, 1920, 1080);
}

// Opens `menu` as the next level. `anchor` is the item (screen rectangle)
// it belongs to: a sub-menu opens beside it, a bar item's menu below it;
// without one the menu's corner goes to `at` as the flags align it.
bool OpenMenu(TMenuLoop& loop, HMENU menu, Integer positionInParent, const TRect* anchor, bool besides,
              TPoint at, bool selectFirst) {
    if (!(loop.Flags & TPM_NONOTIFY) && Record(loop.Owner))
        Send(loop.Owner, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu), MAKELPARAM(positionInParent, 0));
    TMenuRecord* record = detail::MenuRecord(menu);
    if (!record || record->Items.empty() || loop.Done) return false;
    TOpenMenu open;
    open.Menu = menu;
    open.Client = detail::LayoutPopupMenu(*record, open.Rects);
    Integer width = open.Client.cx + 2, height = open.Client.cy + 2; // the border
    TPoint corner = at;
    if (anchor && besides) {
        corner = {anchor->Right, anchor->Top - detail::MenuPadding - 1};
    } else if (anchor) {
        corner = {anchor->Left, anchor->Bottom};
    } else {
        if (loop.Flags & TPM_RIGHTALIGN)
            corner.X -= width;
        else if (loop.Flags & TPM_CENTERALIGN)
            corner.X -= width / 2;
        if (loop.Flags & TPM_BOTTOMALIGN)
            corner.Y -= height;
        else if (loop.Flags & TPM_VCENTERALIGN)
            corner.Y -= height / 2;
    }
    TRect work = WorkAreaAt(anchor ? TPoint{anchor->Left, anchor->Top} : at);
    if (corner.X + width > work.Right) corner.X = anchor && besides ? anchor->Left - width : work.Right - width;
    if (corner.Y + height > work.Bottom)
        corner.Y = anchor && !besides ? anchor->Top - height : work.Bottom - height;
    corner.X = std::max(corner.X, work.Left);
    corner.Y = std::max(corner.Y, work.Top);
    open.Window = CreateWindowEx(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, PopupClassName, u"",
                                 WS_POPUP | WS_BORDER, corner.X, corner.Y, width, height, nullptr);
    if (!open.Window) return false;
    if (selectFirst) open.Hot = NextSelectable(*record, -1, 1);
    loop.Open.push_back(std::move(open));
    ShowWindow(loop.Open.back().Window, SW_SHOWNOACTIVATE);
    return true;
}

TRect ItemScreenRect(const TOpenMenu& open, Integer index) {
    TRect r = open.Rects[size_t(index)];
    TPoint topLeft{r.Left, r.Top}, bottomRight{r.Right, r.Bottom};
    ClientToScreen(open.Window, topLeft);
    ClientToScreen(open.Window, bottomRight);
    return TRect(topLeft.X, topLeft.Y, bottomRight.X, bottomRight.Y);
}

void Choose(TMenuLoop& loop, NativeUInt command) {
    loop.Chosen = true;
    loop.Command = command;
    loop.Done = true;
}

// Opens the sub-menu of the item, or chooses its command.
void ActivateItem(TMenuLoop& loop, size_t level, Integer index, bool byKeyboard) {
    TMenuRecord* record = MenuOf(loop.Open[level]);
    if (!record || index < 0 || size_t(index) >= record->Items.size()) return;
    const TMenuItemRecord item = record->Items[size_t(index)];
    if (!detail::MenuItemSelectable(item)) return;
    SetHot(loop, level, index);
    if (!(item.Flags & MF_POPUP)) {
        Choose(loop, item.Id);
        return;
    }
    if (loop.Open.size() > level + 1 && loop.Open[level + 1].Menu == item.SubMenu) {
        if (byKeyboard && loop.Open[level + 1].Hot < 0)
            if (TMenuRecord* sub = MenuOf(loop.Open[level + 1])) SetHot(loop, level + 1, NextSelectable(*sub, -1, 1));
        return;
    }
    CloseFrom(loop, level + 1);
    TRect anchor = ItemScreenRect(loop.Open[level], index);
    TRect windowRect;
    GetWindowRect(loop.Open[level].Window, windowRect);
    anchor.Left = windowRect.Left;
    anchor.Right = windowRect.Right - 2;
    OpenMenu(loop, item.SubMenu, index, &anchor, true, {}, byKeyboard);
}

// Highlights a bar item and opens its menu (or, for a command on the bar,
// only highlights it).
void OpenBarItem(TMenuLoop& loop, Integer index, bool selectFirst) {
    CloseFrom(loop, 0);
    SetBarHot(loop, index);
    TMenuRecord* bar = detail::MenuRecord(GetMenu(loop.BarWindow));
    if (!bar || index < 0 || size_t(index) >= bar->Items.size()) return;
    const TMenuItemRecord& item = bar->Items[size_t(index)];
    if (!(item.Flags & MF_POPUP) || !detail::MenuItemSelectable(item)) return;
    TRect anchor;
    GetMenuItemRect(loop.BarWindow, GetMenu(loop.BarWindow), UINT(index), anchor);
    OpenMenu(loop, item.SubMenu, index, &anchor, false, {}, selectFirst);
}

void ActivateBarItem(TMenuLoop& loop, Integer index, bool byKeyboard) {
    TMenuRecord* bar = detail::MenuRecord(GetMenu(loop.BarWindow));
    if (!bar || index < 0 || size_t(index) >= bar->Items.size()) return;
    const TMenuItemRecord& item = bar->Items[size_t(index)];
    if (!detail::MenuItemSelectable(item)) return;
    if (item.Flags & MF_POPUP)
        OpenBarItem(loop, index, byKeyboard);
    else
        Choose(loop, item.Id);
}

// The open level and item under a screen point; -1 when outside every pop-up.
Integer LevelAt(const TMenuLoop& loop, TPoint screen, Integer& item) {
    item = -1;
    for (size_t level = loop.Open.size(); level-- > 0;) {
        const TOpenMenu& open = loop.Open[level];
        TRect windowRect;
        if (!GetWindowRect(open.Window, windowRect) || !PtInRect(windowRect, screen)) continue;
        TPoint client = screen;
        ScreenToClient(open.Window, client);
        for (size_t i = 0; i < open.Rects.size(); ++i)
            if (PtInRect(open.Rects[i], client)) item = Integer(i);
        return Integer(level);
    }
    return -1;
}

Integer BarItemAt(const TMenuLoop& loop, TPoint screen) {
    return loop.BarWindow ? detail::MenuBarItemAt(loop.BarWindow, screen) : -1;
}

void MouseMoved(TMenuLoop& loop, TPoint screen) {
    Integer item = -1;
    Integer level = LevelAt(loop, screen, item);
    if (level >= 0) {
        TOpenMenu& open = loop.Open[size_t(level)];
        if (item == open.Hot) return;
        TMenuRecord* record = MenuOf(open);
        bool selectable = record && item >= 0 && detail::MenuItemSelectable(record->Items[size_t(item)]);
        SetHot(loop, size_t(level), selectable ? item : -1);
        CloseFrom(loop, size_t(level) + 1);
        if (selectable && (record->Items[size_t(item)].Flags & MF_POPUP))
            ActivateItem(loop, size_t(level), item, false);
        return;
    }
    Integer barItem = BarItemAt(loop, screen);
    if (barItem >= 0 && barItem != loop.BarHot && !loop.Open.empty()) OpenBarItem(loop, barItem, false);
}

void ButtonPressed(TMenuLoop& loop, TPoint screen) {
    Integer item = -1;
    if (LevelAt(loop, screen, item) >= 0) return; // items are chosen on the release
    Integer barItem = BarItemAt(loop, screen);
    if (barItem >= 0) {
        if (barItem == loop.BarHot && !loop.Open.empty())
            loop.Done = true; // a second press on the open item closes the menus
        else
            ActivateBarItem(loop, barItem, false);
        return;
    }
    loop.Done = true; // a press outside every menu closes them all
}

void ButtonReleased(TMenuLoop& loop, TPoint screen) {
    Integer item = -1;
    Integer level = LevelAt(loop, screen, item);
    if (level >= 0 && item >= 0) ActivateItem(loop, size_t(level), item, false);
}

Integer BarStep(TMenuLoop& loop, Integer step) {
    TMenuRecord* bar = detail::MenuRecord(GetMenu(loop.BarWindow));
    return bar ? NextSelectable(*bar, loop.BarHot, step) : -1;
}

void KeyPressed(TMenuLoop& loop, Integer key) {
    bool inBar = loop.BarWindow != nullptr;
    if (loop.Open.empty()) {
        // Only the bar is highlighted.
        switch (key) {
        case VK_LEFT:
        case VK_RIGHT:
            if (Integer next = BarStep(loop, key == VK_RIGHT ? 1 : -1); next >= 0) SetBarHot(loop, next);
            return;
        case VK_DOWN:
        case VK_UP:
        case VK_RETURN:
            ActivateBarItem(loop, loop.BarHot, true);
            return;
        case VK_ESCAPE:
        case VK_MENU:
        case VK_F10:
            loop.Done = true;
            return;
        default:
            return;
        }
    }
    size_t last = loop.Open.size() - 1;
    TMenuRecord* record = MenuOf(loop.Open[last]);
    if (!record) {
        loop.Done = true;
        return;
    }
    switch (key) {
    case VK_DOWN:
    case VK_UP:
        SetHot(loop, last, NextSelectable(*record, loop.Open[last].Hot, key == VK_DOWN ? 1 : -1));
        return;
    case VK_HOME:
        SetHot(loop, last, NextSelectable(*record, -1, 1));
        return;
    case VK_END:
        SetHot(loop, last, NextSelectable(*record, -1, -1));
        return;
    case VK_RETURN:
        if (loop.Open[last].Hot >= 0)
            ActivateItem(loop, last, loop.Open[last].Hot, true);
        else if (last == 0 && !inBar)
            loop.Done = true;
        return;
    case VK_RIGHT: {
        Integer hot = loop.Open[last].Hot;
        if (hot >= 0 && (record->Items[size_t(hot)].Flags & MF_POPUP)) {
            ActivateItem(loop, last, hot, true);
        } else if (inBar) {
            if (Integer next = BarStep(loop, 1); next >= 0) OpenBarItem(loop, next, true);
        }
        return;
    }
    case VK_LEFT:
        if (last > 0)
            CloseFrom(loop, last);
        else if (inBar)
            if (Integer previous = BarStep(loop, -1); previous >= 0) OpenBarItem(loop, previous, true);
        return;
    case VK_ESCAPE:
        if (last > 0 || inBar)
            CloseFrom(loop, last); // the bar stays highlighted for the keyboard
        else
            loop.Done = true;
        return;
    case VK_MENU:
    case VK_F10:
        loop.Done = true;
        return;
    default:
        return;
    }
}

void CharacterTyped(TMenuLoop& loop, Char character) {
    if (character < u' ') return;
    Char wanted = (character >= u'a' && character <= u'z') ? Char(character - u'a' + u'A') : character;
    bool onBar = loop.Open.empty();
    TMenuRecord* record = onBar ? detail::MenuRecord(GetMenu(loop.BarWindow)) : MenuOf(loop.Open.back());
    if (!record) return;
    std::vector<Integer> matches;
    for (size_t i = 0; i < record->Items.size(); ++i)
        if (detail::MenuItemSelectable(record->Items[i]) && detail::MenuAccelerator(record->Items[i].Text) == wanted)
            matches.push_back(Integer(i));
    if (matches.empty()) return;
    if (matches.size() == 1) {
        if (onBar)
            ActivateBarItem(loop, matches.front(), true);
        else
            ActivateItem(loop, loop.Open.size() - 1, matches.front(), true);
        return;
    }
    // Several items share the character: each press moves to the next.
    Integer hot = onBar ? loop.BarHot : loop.Open.back().Hot;
    auto next = std::upper_bound(matches.begin(), matches.end(), hot);
    Integer target = next == matches.end() ? matches.front() : *next;
    if (onBar)
        SetBarHot(loop, target);
    else
        SetHot(loop, loop.Open.size() - 1, target);
}

bool IsMouseMessage(UINT message) {
    return (message >= WM_MOUSEMOVE && message <= WM_MOUSEHWHEEL) ||
           (message >= WM_NCMOUSEMOVE && message <= WM_NCMBUTTONDBLCLK);
}

void HandleMouse(TMenuLoop& loop, const MSG& msg) {
    switch (msg.message) {
    case WM_MOUSEMOVE:
    case WM_NCMOUSEMOVE:
        MouseMoved(loop, msg.pt);
        return;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
    case WM_NCMBUTTONDOWN:
        ButtonPressed(loop, msg.pt);
        return;
    case WM_LBUTTONUP:
    case WM_NCLBUTTONUP:
        ButtonReleased(loop, msg.pt);
        return;
    case WM_RBUTTONUP:
    case WM_NCRBUTTONUP:
        if (loop.Flags & TPM_RIGHTBUTTON) ButtonReleased(loop, msg.pt);
        return;
    default:
        return;
    }
}

// Runs the loop until it is done; the windows it made go away however it ends.
void RunLoop(TMenuLoop& loop) {
    struct TCleanup {
        TMenuLoop& Loop;
        TMenuLoop* Outer;
        ~TCleanup() {
            CloseFrom(Loop, 0);
            if (Record(Loop.Tracker)) DestroyWindow(Loop.Tracker);
            Current = Outer;
            if (HasSystem()) System().AltAlone = false;
            if (Loop.BarWindow) {
                Loop.BarHot = -1;
                DrawMenuBar(Loop.BarWindow);
            }
            if (Record(Loop.Owner)) Send(Loop.Owner, WM_EXITMENULOOP, Loop.BarWindow ? 0 : 1, 0);
        }
    } cleanup{loop, Current};
    Current = &loop;
    System().AltAlone = false;
    SetCapture(loop.Tracker);
    while (!loop.Done) {
        MSG msg;
        if (!PeekMessage(msg, nullptr, 0, 0, PM_REMOVE)) {
            WaitMessage();
            continue;
        }
        if (msg.message == WM_QUIT) {
            PostQuitMessage(Integer(msg.wParam));
            break;
        }
        if (IsMouseMessage(msg.message)) {
            HandleMouse(loop, msg);
        } else if (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN) {
            TranslateMessage(msg);
            KeyPressed(loop, Integer(msg.wParam));
        } else if (msg.message == WM_CHAR || msg.message == WM_SYSCHAR) {
            CharacterTyped(loop, Char(msg.wParam));
        } else if (msg.message == WM_KEYUP || msg.message == WM_SYSKEYUP) {
            // Key releases belong to the menu while it is open.
        } else {
            DispatchMessage(msg);
        }
        if (!Record(loop.Owner) || (loop.BarWindow && !Record(loop.BarWindow))) loop.Done = true;
    }
}

bool StartLoop(TMenuLoop& loop) {
    if (Current) return false; // one menu loop at a time
    EnsureClasses();
    loop.Tracker = CreateWindowEx(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, TrackerClassName, u"", WS_POPUP, 0, 0, 0, 0,
                                  nullptr);
    if (!loop.Tracker) return false;
    Send(loop.Owner, WM_ENTERMENULOOP, loop.BarWindow ? 0 : 1, 0);
    return true;
}

} // namespace

namespace detail {

Integer MenuBarHotItem(HWND window, bool& open) {
    open = false;
    if (!Current || Current->BarWindow != window) return -1;
    open = !Current->Open.empty();
    return Current->BarHot;
}

void TrackMenuBar(HWND window, Integer position, Char key) {
    TMenuRecord* bar = MenuRecord(GetMenu(window));
    if (!bar || Current) return;
    Integer start = position;
    if (key != 0) {
        Char wanted = (key >= u'a' && key <= u'z') ? Char(key - u'a' + u'A') : key;
        start = -1;
        for (size_t i = 0; i < bar->Items.size() && start < 0; ++i)
            if (MenuItemSelectable(bar->Items[i]) && MenuAccelerator(bar->Items[i].Text) == wanted) start = Integer(i);
        if (start < 0) return;
    }
    TMenuLoop loop;
    loop.Owner = window;
    loop.BarWindow = window;
    if (!StartLoop(loop)) return;
    Send(window, WM_INITMENU, reinterpret_cast<WPARAM>(GetMenu(window)), 0);
    if (start >= 0)
        ActivateBarItem(loop, start, key != 0);
    else
        loop.BarHot = NextSelectable(*bar, -1, 1);
    DrawMenuBar(window);
    RunLoop(loop);
    if (loop.Chosen && Record(window)) PostMessage(window, WM_COMMAND, loop.Command, 0);
}

} // namespace detail

namespace winapi {

Integer TrackPopupMenu(HMENU menu, UINT flags, Integer x, Integer y, HWND owner) {
    if (!IsMenu(menu) || !Record(owner)) return 0;
    TMenuLoop loop;
    loop.Owner = owner;
    loop.Flags = flags;
    if (!StartLoop(loop)) return 0;
    if (!OpenMenu(loop, menu, 0, nullptr, false, {x, y}, false)) {
        CloseFrom(loop, 0);
        DestroyWindow(loop.Tracker);
        Send(owner, WM_EXITMENULOOP, 1, 0);
        return 0;
    }
    RunLoop(loop);
    if (!loop.Chosen) return 0;
    if (flags & TPM_RETURNCMD) return Integer(loop.Command);
    PostMessage(owner, WM_COMMAND, loop.Command, 0);
    return 1;
}

bool EndMenu() {
    if (!Current) return false;
    Current->Done = true;
    return true;
}

bool IsMenuTracking() {
    return Current != nullptr;
}

} // namespace winapi

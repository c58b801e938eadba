// The default window procedure: what a window does with a message its own
// procedure passes on.

#include "WindowSystem.h"
#include "graphics/Colors.h"
#include "graphics/GdiDraw.h"
#include "windowing/Focus.h"
#include "windowing/Menu.h"
#include "windowing/SystemMetrics.h"

using namespace winapi;

namespace {

constexpr WPARAM SC_CLOSE = 0xF060;

HWND ParentOf(HWND window) {
    return IsTopLevel(*window) ? nullptr : window->Parent;
}

// A class brush of 1..31 names the system colour one below it, as on the platform.
bool EraseWithClassBrush(HWND window, HDC dc) {
    HBRUSH brush = window->Class->Info.hbrBackground;
    if (!brush || !dc) return false;
    TRect client;
    GetClientRect(window, client);
    auto value = reinterpret_cast<NativeUInt>(brush);
    if (value <= 31) {
        HBRUSH system = CreateSolidBrush(GetSysColor(Integer(value) - 1));
        FillRect(dc, client, system);
        DeleteObject(system);
    } else {
        FillRect(dc, client, brush);
    }
    return true;
}

LRESULT DefaultSetCursor(HWND window, WPARAM wParam, LPARAM lParam) {
    if (HWND parent = ParentOf(window))
        if (SendMessage(parent, WM_SETCURSOR, wParam, lParam)) return 1;
    Integer hitTest = SmallInt(LOWORD(NativeUInt(lParam)));
    Integer shape = IDC_ARROW;
    switch (hitTest) {
    case HTCLIENT:
        if (!window->Class->Info.hCursor) return 0;
        SetCursor(window->Class->Info.hCursor);
        return 1;
    case HTLEFT:
    case HTRIGHT:
        shape = IDC_SIZEWE;
        break;
    case HTTOP:
    case HTBOTTOM:
        shape = IDC_SIZENS;
        break;
    case HTTOPLEFT:
    case HTBOTTOMRIGHT:
        shape = IDC_SIZENWSE;
        break;
    case HTTOPRIGHT:
    case HTBOTTOMLEFT:
        shape = IDC_SIZENESW;
        break;
    case HTERROR:
    case HTNOWHERE:
        break;
    default:
        break;
    }
    SetCursor(LoadCursor(shape));
    return 1;
}

} // namespace

namespace detail {

Integer DefaultHitTest(HWND window, TPoint screen) {
    TRect bounds;
    GetWindowRect(window, bounds);
    if (!PtInRect(bounds, screen)) return HTNOWHERE;
    TPoint p{screen.X - bounds.Left, screen.Y - bounds.Top};
    if (PtInRect(window->Client, p)) return HTCLIENT;
    Integer bar = ScrollBarHitTest(window, p);
    if (bar != HTNOWHERE) return bar;
    TRect insets = DefaultClientInsets(*window);
    Integer frame = (window->Style & WS_THICKFRAME) ? 4 : 0;
    if (frame) {
        bool left = p.X < frame, right = p.X >= bounds.Width() - frame;
        bool top = p.Y < frame, bottom = p.Y >= bounds.Height() - frame;
        if (top && left) return HTTOPLEFT;
        if (top && right) return HTTOPRIGHT;
        if (bottom && left) return HTBOTTOMLEFT;
        if (bottom && right) return HTBOTTOMRIGHT;
        if (left) return HTLEFT;
        if (right) return HTRIGHT;
        if (top) return HTTOP;
        if (bottom) return HTBOTTOM;
    }
    TRect menuBar = MenuBarRect(window);
    if (!menuBar.IsEmpty() && PtInRect(menuBar, p)) return HTMENU;
    Integer captionBottom = menuBar.IsEmpty() ? insets.Top : menuBar.Top;
    if ((window->Style & WS_CAPTION) == WS_CAPTION && p.Y < captionBottom && p.Y >= captionBottom - 23)
        return HTCAPTION;
    return HTBORDER;
}

} // namespace detail

namespace winapi {

LRESULT DefWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!Record(window)) return 0;
    switch (message) {
    case WM_NCCREATE:
        return 1;
    case WM_NCCALCSIZE: {
        TRect* rect = wParam ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0]
                             : reinterpret_cast<TRect*>(lParam);
        TRect insets = detail::DefaultClientInsets(*window);
        rect->Left += insets.Left;
        rect->Top += insets.Top;
        rect->Right -= insets.Right;
        rect->Bottom -= insets.Bottom;
        return 0;
    }
    case WM_NCHITTEST:
        return detail::DefaultHitTest(window, {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
    case WM_NCPAINT:
        detail::DrawNonClient(window, reinterpret_cast<HRGN>(wParam));
        return 0;
    case WM_NCACTIVATE:
        RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_NOCHILDREN);
        return 1;
    case WM_ERASEBKGND:
        return EraseWithClassBrush(window, reinterpret_cast<HDC>(wParam)) ? 1 : 0;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        BeginPaint(window, paint);
        EndPaint(window, paint);
        return 0;
    }
    case WM_SETREDRAW:
        window->RedrawOff = wParam == 0;
        return 0;
    case WM_SETTEXT: {
        const String* text = reinterpret_cast<const String*>(lParam);
        window->Text = text ? *text : String();
        if (IsTopLevel(*window)) System().BackendPtr->WindowTitleChanged(window, window->Text);
        if ((window->Style & WS_CAPTION) == WS_CAPTION)
            RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_NOCHILDREN);
        return 1;
    }
    case WM_GETTEXT:
        if (auto* text = reinterpret_cast<String*>(lParam)) *text = window->Text;
        return LRESULT(window->Text.size());
    case WM_GETTEXTLENGTH:
        return LRESULT(window->Text.size());
    case WM_CLOSE:
        DestroyWindow(window);
        return 0;
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == SC_CLOSE) SendMessage(window, WM_CLOSE, 0, 0);
        if ((wParam & 0xFFF0) == SC_KEYMENU) detail::TrackMenuBar(window, -1, Char(lParam));
        return 0;
    case WM_SYSKEYDOWN:
        // Alt pressed and released alone opens the menu bar; any other key in between does not.
        if (wParam == WPARAM(VK_MENU)) {
            if (!(lParam & (LPARAM(KF_REPEAT) << 16))) System().AltAlone = true;
        } else {
            System().AltAlone = false;
        }
        if (wParam == WPARAM(VK_F4) && (lParam & (LPARAM(1) << 29)))
            SendMessage(TopLevelOf(window), WM_SYSCOMMAND, SC_CLOSE, 0);
        if (wParam == WPARAM(VK_F10)) SendMessage(TopLevelOf(window), WM_SYSCOMMAND, SC_KEYMENU, 0);
        return 0;
    case WM_KEYDOWN:
        System().AltAlone = false;
        return 0;
    case WM_SYSKEYUP:
        if (wParam == WPARAM(VK_MENU) && System().AltAlone) {
            System().AltAlone = false;
            if (GetMenu(TopLevelOf(window))) SendMessage(TopLevelOf(window), WM_SYSCOMMAND, SC_KEYMENU, 0);
        }
        return 0;
    case WM_SYSCHAR:
        // Alt and a character: the menu bar item with that accelerator.
        System().AltAlone = false;
        if (GetMenu(TopLevelOf(window)))
            SendMessage(TopLevelOf(window), WM_SYSCOMMAND, SC_KEYMENU, LPARAM(wParam));
        return 0;
    case WM_SETCURSOR:
        return DefaultSetCursor(window, wParam, lParam);
    case WM_MOUSEACTIVATE:
        if (HWND parent = ParentOf(window))
            if (LRESULT answer = SendMessage(parent, WM_MOUSEACTIVATE, wParam, lParam)) return answer;
        return MA_ACTIVATE;
    case WM_MOUSEWHEEL:
    case WM_MOUSEHWHEEL:
        if (HWND parent = ParentOf(window)) return SendMessage(parent, message, wParam, lParam);
        return 0;
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE) SetFocus(window);
        return 0;
    case WM_WINDOWPOSCHANGED: {
        const auto* pos = reinterpret_cast<const WINDOWPOS*>(lParam);
        if (!(pos->flags & SWP_NOMOVE))
            SendMessage(
                window, WM_MOVE, 0,
                MAKELPARAM(window->Rect.Left + window->Client.Left, window->Rect.Top + window->Client.Top));
        if (Record(window) && (!(pos->flags & SWP_NOSIZE) || (pos->flags & SWP_FRAMECHANGED)))
            SendMessage(window, WM_SIZE, SIZE_RESTORED,
                        MAKELPARAM(window->Client.Width(), window->Client.Height()));
        return 0;
    }
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
        if (wParam == WPARAM(HTHSCROLL) || wParam == WPARAM(HTVSCROLL))
            detail::ScrollBarPress(window, Integer(wParam), {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        else if (wParam == WPARAM(HTMENU) && message == WM_NCLBUTTONDOWN) {
            Integer item = detail::MenuBarItemAt(window, {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
            if (item >= 0) detail::TrackMenuBar(window, item, 0);
        } else if (message == WM_NCLBUTTONDOWN)
            detail::SizeMoveBegin(window, Integer(wParam), {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        return 0;
    case WM_CANCELMODE:
        if (System().ScrollTrackWindow == window) detail::ScrollBarTrackRelease();
        if (System().SizeMoveWindow == window) detail::SizeMoveRelease();
        if (GetCapture() == window) ReleaseCapture();
        return 0;
    default:
        return 0;
    }
}

} // namespace winapi

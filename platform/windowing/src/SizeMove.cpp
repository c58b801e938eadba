// Sizing a top-level window by its borders and moving it by its caption
// with the mouse. Every step asks the window first: WM_SIZING (or
// WM_MOVING) with the proposed rectangle, which the window may change,
// then the window takes that rectangle. A sizing step asks WM_GETMINMAXINFO
// first and keeps the proposed size within the tracking sizes it answers,
// moving only the edges being dragged. WM_ENTERSIZEMOVE and WM_EXITSIZEMOVE
// bracket the whole drag; Escape puts the old bounds back and ends it.

#include "WindowSystem.h"
#include "windowing/Window.h"

#include <algorithm>

using namespace winapi;

namespace detail {

namespace {

bool IsSizingHit(Integer hitTest) {
    return hitTest >= HTLEFT && hitTest <= HTBOTTOMRIGHT;
}

} // namespace

void SizeMoveBegin(HWND window, Integer hitTest, TPoint screen) {
    if (!Record(window) || !IsTopLevel(*window)) return;
    if (!IsSizingHit(hitTest) && hitTest != HTCAPTION) return;
    auto& system = System();
    system.SizeMoveWindow = window;
    system.SizeMoveHit = hitTest;
    system.SizeMoveStart = screen;
    GetWindowRect(window, system.SizeMoveRect);
    SendMessage(window, WM_ENTERSIZEMOVE, 0, 0);
}

bool SizeMoveTrack(TPoint screen) {
    auto& system = System();
    HWND window = Record(system.SizeMoveWindow);
    if (!window) {
        system.SizeMoveWindow = nullptr;
        return false;
    }
    Integer dx = screen.X - system.SizeMoveStart.X, dy = screen.Y - system.SizeMoveStart.Y;
    TRect proposed = system.SizeMoveRect;
    if (system.SizeMoveHit == HTCAPTION) {
        OffsetRect(proposed, dx, dy);
        SendMessage(window, WM_MOVING, 0, reinterpret_cast<LPARAM>(&proposed));
    } else {
        Integer hit = system.SizeMoveHit;
        bool left = hit == HTLEFT || hit == HTTOPLEFT || hit == HTBOTTOMLEFT;
        bool right = hit == HTRIGHT || hit == HTTOPRIGHT || hit == HTBOTTOMRIGHT;
        bool top = hit == HTTOP || hit == HTTOPLEFT || hit == HTTOPRIGHT;
        bool bottom = hit == HTBOTTOM || hit == HTBOTTOMLEFT || hit == HTBOTTOMRIGHT;
        if (left) proposed.Left = std::min(proposed.Left + dx, proposed.Right);
        if (right) proposed.Right = std::max(proposed.Right + dx, proposed.Left);
        if (top) proposed.Top = std::min(proposed.Top + dy, proposed.Bottom);
        if (bottom) proposed.Bottom = std::max(proposed.Bottom + dy, proposed.Top);
        MINMAXINFO limits;
        limits.ptMinTrackSize = {0, 0};
        limits.ptMaxTrackSize = {32767, 32767};
        SendMessage(window, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
        if (!Record(window)) return true;
        const Integer width = std::clamp(proposed.Width(), limits.ptMinTrackSize.X,
                                         std::max(limits.ptMinTrackSize.X, limits.ptMaxTrackSize.X));
        const Integer height = std::clamp(proposed.Height(), limits.ptMinTrackSize.Y,
                                          std::max(limits.ptMinTrackSize.Y, limits.ptMaxTrackSize.Y));
        if (left)
            proposed.Left = proposed.Right - width;
        else
            proposed.Right = proposed.Left + width;
        if (top)
            proposed.Top = proposed.Bottom - height;
        else
            proposed.Bottom = proposed.Top + height;
        SendMessage(window, WM_SIZING, WPARAM(hit - HTLEFT + WMSZ_LEFT), reinterpret_cast<LPARAM>(&proposed));
    }
    if (!Record(window)) return true;
    SetWindowPos(window, nullptr, proposed.Left, proposed.Top, proposed.Width(), proposed.Height(),
                 SWP_NOZORDER | SWP_NOACTIVATE);
    return true;
}

bool SizeMoveRelease() {
    auto& system = System();
    HWND window = Record(system.SizeMoveWindow);
    system.SizeMoveWindow = nullptr;
    if (!window) return false;
    SendMessage(window, WM_EXITSIZEMOVE, 0, 0);
    return true;
}

bool SizeMoveCancel() {
    auto& system = System();
    HWND window = Record(system.SizeMoveWindow);
    system.SizeMoveWindow = nullptr;
    if (!window) return false;
    const TRect old = system.SizeMoveRect;
    SetWindowPos(window, nullptr, old.Left, old.Top, old.Width(), old.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    if (Record(window)) SendMessage(window, WM_EXITSIZEMOVE, 0, 0);
    return true;
}

} // namespace detail

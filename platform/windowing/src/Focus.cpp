// Keyboard focus and activation of top-level windows.

#include "windowing/Focus.h"

#include "WindowSystem.h"

#include <algorithm>

using namespace winapi;

namespace {

bool InSubtree(HWND root, HWND window) {
    return window && (window == root || IsChild(root, window));
}

bool CanTakeActivation(HWND window) {
    return Record(window) && IsTopLevel(*window) && (window->Style & WS_VISIBLE) && !window->RedrawOff &&
           !(window->Style & WS_DISABLED) && !(window->ExStyle & WS_EX_NOACTIVATE);
}

// Tells the active window it lost activation (to `next`, null: to another program).
void Deactivate(HWND old, HWND next) {
    if (!Record(old)) return;
    Send(old, WM_NCACTIVATE, 0, 0);
    if (Record(old)) Send(old, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, 0), HandleToLParam(next));
}

void SendActivateApp(bool active) {
    for (HWND window : std::vector<HWND>(System().TopLevels))
        if (Record(window)) Send(window, WM_ACTIVATEAPP, active ? 1 : 0, 0);
}

// The window that takes activation when `leaving` goes: its owner, else the
// frontmost other window that may be activated.
HWND Successor(HWND leaving) {
    if (CanTakeActivation(leaving->Owner)) return leaving->Owner;
    for (HWND window : System().TopLevels)
        if (window != leaving && CanTakeActivation(window) && window->Owner != leaving) return window;
    return nullptr;
}

} // namespace

namespace winapi {

HWND SetFocus(HWND window) {
    auto& system = System();
    HWND old = Record(system.Focus);
    if (!window) {
        system.Focus = nullptr;
        if (old) Send(old, WM_KILLFOCUS, 0, 0);
        return old;
    }
    if (!Record(window) || !IsEnabledChain(window)) return nullptr;
    if (window == system.Focus) return window;
    HWND top = TopLevelOf(window);
    if (top != system.Active) {
        detail::ActivateTopLevel(top, WA_ACTIVE);
        if (!Record(window)) return old;
        old = Record(system.Focus);
        if (window == system.Focus) return old;
    }
    system.Focus = window;
    if (old) Send(old, WM_KILLFOCUS, HandleToWParam(window), 0);
    if (Record(window) && system.Focus == window) Send(window, WM_SETFOCUS, HandleToWParam(old), 0);
    return old;
}

HWND GetFocus() {
    return Record(System().Focus);
}

HWND SetActiveWindow(HWND window) {
    auto& system = System();
    HWND old = Record(system.Active);
    if (!Record(window)) return nullptr;
    detail::ActivateTopLevel(TopLevelOf(window), WA_ACTIVE);
    return old;
}

HWND GetActiveWindow() {
    return Record(System().Active);
}

bool SetForegroundWindow(HWND window) {
    if (!Record(window)) return false;
    HWND top = TopLevelOf(window);
    SetWindowPos(top, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    detail::ActivateTopLevel(top, WA_ACTIVE);
    return true;
}

HWND GetForegroundWindow() {
    auto& system = System();
    return system.AppActive ? Record(system.Active) : nullptr;
}

} // namespace winapi

namespace detail {

void ActivateTopLevel(HWND window, Integer how) {
    auto& system = System();
    if (!Record(window)) return;
    if (window == system.Active && system.AppActive) return;
    HWND old = Record(system.Active);
    system.Active = window;
    if (old != window) Deactivate(old, window);
    if (!system.AppActive) {
        system.AppActive = true;
        SendActivateApp(true);
    }
    if (!Record(window) || system.Active != window) return;
    SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    Send(window, WM_NCACTIVATE, 1, 0);
    if (Record(window)) Send(window, WM_ACTIVATE, MAKEWPARAM(how, 0), HandleToLParam(old));
    // A focus left in a window that is no longer active goes.
    if (system.Focus && TopLevelOf(system.Focus) != system.Active) SetFocus(nullptr);
}

void DeactivateApp() {
    auto& system = System();
    if (!system.AppActive) return;
    HWND old = Record(system.Active);
    Deactivate(old, nullptr);
    system.AppActive = false;
    SendActivateApp(false);
    if (system.Focus) SetFocus(nullptr);
}

void WindowHidden(HWND window) {
    auto& system = System();
    if (InSubtree(window, system.Capture)) ReleaseCapture();
    if (InSubtree(window, system.TrackLeave)) system.TrackLeave = nullptr;
    if (!IsTopLevel(*window)) {
        if (InSubtree(window, system.Focus)) {
            HWND parent = window->Parent;
            SetFocus(IsShownChain(parent) ? parent : nullptr);
        }
        return;
    }
    if (window == system.Active) {
        if (HWND next = Successor(window)) {
            ActivateTopLevel(next, WA_ACTIVE);
        } else {
            system.Active = nullptr;
            Deactivate(window, nullptr);
            if (system.Focus) SetFocus(nullptr);
        }
    } else if (InSubtree(window, system.Focus)) {
        SetFocus(nullptr);
    }
}

void ForgetWindow(HWND window) {
    auto& system = System();
    if (system.Focus == window) system.Focus = nullptr;
    if (system.Active == window) system.Active = nullptr;
    if (system.Capture == window) system.Capture = nullptr;
    if (system.MouseWindow == window) system.MouseWindow = nullptr;
    if (system.TrackLeave == window) system.TrackLeave = nullptr;
    if (system.TrackHover == window) system.TrackHover = nullptr;
    if (system.LastClick.Window == window) system.LastClick.Valid = false;
    if (system.ScrollTrackWindow == window) system.ScrollTrackWindow = nullptr;
    if (system.SizeMoveWindow == window) system.SizeMoveWindow = nullptr;
    if (system.Caret.Window == window) system.Caret = TCaretState();
    if (system.LastKeyDown && system.LastKeyDown->hwnd == window) system.LastKeyDown.reset();
}

} // namespace detail

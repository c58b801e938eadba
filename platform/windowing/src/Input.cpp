// Routing of mouse and key input to windows, capture, leave and hover
// tracking, double clicks, the keyboard state and cursors.

#include "WindowSystem.h"
#include "windowing/Focus.h"
#include "windowing/SystemMetrics.h"

#include <cstdlib>

using namespace winapi;

namespace {

constexpr Byte KeyDownBit = 0x80;
constexpr Byte KeyToggledBit = 0x01;

Integer ButtonKey(TMouseButton button) {
    switch (button) {
    case mbRight:
        return VK_RBUTTON;
    case mbMiddle:
        return VK_MBUTTON;
    default:
        return VK_LBUTTON;
    }
}

bool Down(const std::array<Byte, 256>& state, Integer key) {
    return state[Byte(key)] & KeyDownBit;
}

WPARAM MouseKeyFlags() {
    auto& state = System().KeyState;
    WPARAM flags = 0;
    if (Down(state, VK_LBUTTON)) flags |= MK_LBUTTON;
    if (Down(state, VK_RBUTTON)) flags |= MK_RBUTTON;
    if (Down(state, VK_MBUTTON)) flags |= MK_MBUTTON;
    if (Down(state, VK_SHIFT)) flags |= MK_SHIFT;
    if (Down(state, VK_CONTROL)) flags |= MK_CONTROL;
    return flags;
}

void Deliver(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
             std::optional<String> text = std::nullopt) {
    auto& system = System();
    MSG msg;
    msg.hwnd = window;
    msg.message = message;
    msg.wParam = wParam;
    msg.lParam = lParam;
    msg.time = DWORD(system.InputTime);
    msg.pt = system.CursorPos;
    system.ReadyInput.push_back({msg, std::move(text)});
}

void PostLeave(HWND window) {
    auto& system = System();
    system.TrackLeave = nullptr;
    PostMessage(window, WM_MOUSELEAVE, 0, 0);
}

// The window that gets the mouse at `screen` and the hit-test code.
HWND MouseTarget(TPoint screen, Integer& hitTest) {
    auto& system = System();
    if (Record(system.Capture)) {
        hitTest = HTCLIENT;
        return system.Capture;
    }
    return detail::HitWindow(screen, hitTest);
}

// Sets key and its left/right form, and the combined form of Shift, Ctrl and Alt.
void SetKey(std::array<Byte, 256>& state, Integer key, bool down) {
    auto apply = [&](Integer k) {
        if (down) {
            if (!(state[Byte(k)] & KeyDownBit)) state[Byte(k)] ^= KeyToggledBit;
            state[Byte(k)] |= KeyDownBit;
        } else {
            state[Byte(k)] &= Byte(~KeyDownBit);
        }
    };
    apply(key);
    auto combine = [&](Integer generic, Integer left, Integer right) {
        bool any = (state[Byte(left)] & KeyDownBit) || (state[Byte(right)] & KeyDownBit);
        if (any)
            state[Byte(generic)] |= KeyDownBit;
        else
            state[Byte(generic)] &= Byte(~KeyDownBit);
    };
    combine(VK_SHIFT, VK_LSHIFT, VK_RSHIFT);
    combine(VK_CONTROL, VK_LCONTROL, VK_RCONTROL);
    combine(VK_MENU, VK_LMENU, VK_RMENU);
}

// The left/right key a generic modifier stands for, and the generic key
// messages carry.
Integer SpecificKey(Integer key, bool extended) {
    switch (key) {
    case VK_SHIFT:
        return VK_LSHIFT;
    case VK_CONTROL:
        return extended ? VK_RCONTROL : VK_LCONTROL;
    case VK_MENU:
        return extended ? VK_RMENU : VK_LMENU;
    default:
        return key;
    }
}

Integer GenericKey(Integer key) {
    switch (key) {
    case VK_LSHIFT:
    case VK_RSHIFT:
        return VK_SHIFT;
    case VK_LCONTROL:
    case VK_RCONTROL:
        return VK_CONTROL;
    case VK_LMENU:
    case VK_RMENU:
        return VK_MENU;
    default:
        return key;
    }
}

void RouteMouseMove(TPoint point) {
    auto& system = System();
    system.CursorPos = point;
    if (system.ScrollTrackWindow && detail::ScrollBarTrackMove(point)) return;
    if (system.SizeMoveWindow && detail::SizeMoveTrack(point)) return;
    Integer hitTest = HTNOWHERE;
    HWND target = MouseTarget(point, hitTest);
    if (system.TrackLeave && (target != system.TrackLeave || hitTest != HTCLIENT))
        PostLeave(system.TrackLeave);
    if (system.TrackHover) system.HoverStart = detail::Now();
    system.MouseWindow = target;
    system.MouseHitTest = hitTest;
    if (!target) return;
    if (!system.Capture) {
        SendMessage(target, WM_SETCURSOR, HandleToWParam(target), MAKELPARAM(hitTest, WM_MOUSEMOVE));
        if (!Record(target)) return;
    }
    if (hitTest == HTCLIENT) {
        TPoint client = point;
        ScreenToClient(target, client);
        Deliver(target, WM_MOUSEMOVE, MouseKeyFlags(), MAKELPARAM(client.X, client.Y));
    } else {
        Deliver(target, WM_NCMOUSEMOVE, WPARAM(hitTest), MAKELPARAM(point.X, point.Y));
    }
}

void RouteButton(TMouseButton button, bool down) {
    auto& system = System();
    Integer key = ButtonKey(button);
    SetKey(system.KeyState, key, down);
    TPoint point = system.CursorPos;
    if (!down && system.ScrollTrackWindow && key == VK_LBUTTON && detail::ScrollBarTrackRelease()) return;
    if (!down && system.SizeMoveWindow && key == VK_LBUTTON && detail::SizeMoveRelease()) return;
    Integer hitTest = HTNOWHERE;
    HWND target = MouseTarget(point, hitTest);
    if (!target) return;
    UINT base = button == mbLeft
                    ? WM_LBUTTONDOWN
                    : (button == mbRight ? WM_RBUTTONDOWN : WM_MBUTTONDOWN);
    UINT ncBase = button == mbLeft
                      ? WM_NCLBUTTONDOWN
                      : (button == mbRight ? WM_NCRBUTTONDOWN : WM_NCMBUTTONDOWN);
    bool client = hitTest == HTCLIENT;
    UINT message = (client ? base : ncBase) + (down ? 0 : 1);
    if (down) {
        HWND top = TopLevelOf(target);
        if (!system.Capture && (top != system.Active || !system.AppActive)) {
            LRESULT answer = SendMessage(target, WM_MOUSEACTIVATE, HandleToWParam(top),
                                         MAKELPARAM(hitTest, Integer(message)));
            if (!Record(target)) return;
            bool activate = answer == MA_ACTIVATE || answer == MA_ACTIVATEANDEAT;
            if (activate && !(top->ExStyle & WS_EX_NOACTIVATE)) detail::ActivateTopLevel(top, WA_CLICKACTIVE);
            if (!Record(target)) return;
            if (answer == MA_ACTIVATEANDEAT || answer == MA_NOACTIVATEANDEAT) return;
        }
        if (!system.Capture) {
            SendMessage(target, WM_SETCURSOR, HandleToWParam(target), MAKELPARAM(hitTest, Integer(message)));
            if (!Record(target)) return;
        }
        // A second press close in time and place becomes a double click.
        UInt64 now = system.InputTime;
        auto& last = system.LastClick;
        bool wantsDouble = !client || (target->Class->Info.style & CS_DBLCLKS);
        if (wantsDouble && last.Valid && last.Window == target && last.Button == button &&
            now - last.Time <= system.DoubleClickTime &&
            std::abs(point.X - last.Point.X) <= GetSystemMetrics(SM_CXDOUBLECLK) / 2 &&
            std::abs(point.Y - last.Point.Y) <= GetSystemMetrics(SM_CYDOUBLECLK) / 2) {
            message += 2; // WM_xBUTTONDBLCLK
            last.Valid = false;
        } else {
            last = {target, button, now, point, true};
        }
    }
    if (client) {
        TPoint p = point;
        ScreenToClient(target, p);
        Deliver(target, message, MouseKeyFlags(), MAKELPARAM(p.X, p.Y));
    } else {
        Deliver(target, message, WPARAM(hitTest), MAKELPARAM(point.X, point.Y));
    }
}

void RouteWheel(const TInputEvent& event) {
    auto& system = System();
    HWND target = Record(system.Focus) ? system.Focus : Record(system.Active);
    if (!target) return;
    Deliver(target, event.Horizontal ? WM_MOUSEHWHEEL : WM_MOUSEWHEEL,
            MAKEWPARAM(Integer(MouseKeyFlags()), event.Delta),
            MAKELPARAM(system.CursorPos.X, system.CursorPos.Y));
}

void RouteKey(const TInputEvent& event, bool down) {
    auto& system = System();
    bool extended = event.Extended;
    Integer scan = event.ScanCode;
    if (scan == 0) {
        bool standardExtended = false;
        scan = detail::StandardScanCode(event.VirtualKey, standardExtended);
        extended = extended || standardExtended;
    }
    Integer specific = SpecificKey(event.VirtualKey, extended);
    Integer key = GenericKey(event.VirtualKey);
    if (down && key == VK_ESCAPE && system.SizeMoveWindow && detail::SizeMoveCancel()) return;
    bool wasDown = Down(system.KeyState, specific);
    SetKey(system.KeyState, specific, down);
    bool alt = Down(system.KeyState, VK_MENU);
    bool ctrl = Down(system.KeyState, VK_CONTROL);
    bool system_ = (alt && !ctrl) || key == VK_F10 || (key == VK_MENU && !ctrl);
    HWND target = Record(system.Focus);
    if (!target) {
        target = Record(system.Active);
        system_ = true;
    }
    // An open menu takes the keyboard whatever has the focus.
    if (IsMenuTracking() && Record(system.Capture)) target = system.Capture;
    if (!target) return;
    LPARAM lParam = 1 | (LPARAM(scan & 0xFF) << 16);
    if (extended) lParam |= LPARAM(1) << 24;
    if (alt) lParam |= LPARAM(1) << 29;
    if (down && wasDown) lParam |= LPARAM(1) << 30;
    if (!down) lParam |= (LPARAM(1) << 30) | (LPARAM(1) << 31);
    lParam = LPARAM(Cardinal(lParam));
    UINT message = down ? (system_ ? WM_SYSKEYDOWN : WM_KEYDOWN) : (system_ ? WM_SYSKEYUP : WM_KEYUP);
    Deliver(target, message, WPARAM(key), lParam, down ? event.Text : std::nullopt);
}

void RouteText(const String& text) {
    auto& system = System();
    HWND target = Record(system.Focus) ? system.Focus : Record(system.Active);
    if (IsMenuTracking() && Record(system.Capture)) target = system.Capture;
    if (!target) return;
    for (Char c : text)
        Deliver(target, WM_CHAR, WPARAM(c), 1);
}

} // namespace

namespace detail {

void RouteInput(const TInputEvent& event) {
    auto& system = System();
    using K = TInputEvent::TKind;
    system.InputTime = event.Time;
    switch (event.Kind) {
    case K::MouseMove:
        RouteMouseMove(event.Point);
        break;
    case K::ButtonDown:
    case K::ButtonUp:
        RouteButton(event.Button, event.Kind == K::ButtonDown);
        break;
    case K::Wheel:
        RouteWheel(event);
        break;
    case K::KeyDown:
    case K::KeyUp:
        RouteKey(event, event.Kind == K::KeyDown);
        break;
    case K::Text:
        RouteText(event.Text.value_or(String()));
        break;
    case K::Close:
        if (Record(event.Window)) SendMessage(event.Window, WM_SYSCOMMAND, 0xF060 /* SC_CLOSE */, 0);
        break;
    case K::Moved:
        if (Record(event.Window))
            SetWindowPos(event.Window, nullptr, event.Bounds.Left, event.Bounds.Top, event.Bounds.Width(),
                         event.Bounds.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
        break;
    case K::AppActivated: {
        // A pop-up that must not take activation (a drop-down list or
        // calendar, a menu, a tip) may still get the desktop's focus, which a
        // desktop without a window manager gives every window it maps: the
        // window active before stays active, and its focus stays.
        HWND window = Record(event.Window) ? TopLevelOf(event.Window) : nullptr;
        if (window && (window->ExStyle & WS_EX_NOACTIVATE)) window = nullptr;
        if (!window) window = Record(system.Active);
        if (window) ActivateTopLevel(window, WA_ACTIVE);
        break;
    }
    case K::AppDeactivated:
        DeactivateApp();
        break;
    }
}

void TrackInputState(const TInputEvent& event) {
    auto& system = System();
    using K = TInputEvent::TKind;
    if (event.Kind == K::ButtonDown || event.Kind == K::ButtonUp) {
        SetKey(system.KeyState, ButtonKey(event.Button), event.Kind == K::ButtonDown);
    } else if (event.Kind == K::KeyDown || event.Kind == K::KeyUp) {
        bool extended = event.Extended;
        if (event.ScanCode == 0) {
            bool standard = false;
            StandardScanCode(event.VirtualKey, standard);
            extended = extended || standard;
        }
        SetKey(system.KeyState, SpecificKey(event.VirtualKey, extended), event.Kind == K::KeyDown);
    } else if (event.Kind == K::MouseMove) {
        system.CursorPos = event.Point;
    }
}

void PollHover() {
    auto& system = System();
    if (!system.TrackHover) return;
    if (!Record(system.TrackHover)) {
        system.TrackHover = nullptr;
        return;
    }
    if (Now() - system.HoverStart < system.HoverTime) return;
    if (system.MouseWindow != system.TrackHover || system.MouseHitTest != HTCLIENT) return;
    HWND window = system.TrackHover;
    system.TrackHover = nullptr;
    TPoint p = system.CursorPos;
    ScreenToClient(window, p);
    PostMessage(window, WM_MOUSEHOVER, MouseKeyFlags(), MAKELPARAM(p.X, p.Y));
}

} // namespace detail

namespace winapi {

SmallInt GetKeyState(Integer virtualKey) {
    Byte state = System().KeyState[Byte(virtualKey)];
    return SmallInt(((state & KeyDownBit) ? 0x8000 : 0) | (state & KeyToggledBit));
}

SmallInt GetAsyncKeyState(Integer virtualKey) {
    auto& system = System();
    // Input still waiting in the queue has already happened on the device.
    std::array<Byte, 256> state = system.KeyState;
    for (const auto& event : system.Input) {
        if (event.Kind == TInputEvent::TKind::KeyDown || event.Kind == TInputEvent::TKind::KeyUp) {
            bool extended = event.Extended;
            if (event.ScanCode == 0) detail::StandardScanCode(event.VirtualKey, extended);
            SetKey(state, SpecificKey(event.VirtualKey, extended || event.Extended),
                   event.Kind == TInputEvent::TKind::KeyDown);
        } else if (event.Kind == TInputEvent::TKind::ButtonDown ||
                   event.Kind == TInputEvent::TKind::ButtonUp) {
            SetKey(state, ButtonKey(event.Button), event.Kind == TInputEvent::TKind::ButtonDown);
        }
    }
    return SmallInt((state[Byte(virtualKey)] & KeyDownBit) ? 0x8000 : 0);
}

bool GetKeyboardState(Byte (&state)[256]) {
    auto& keys = System().KeyState;
    for (size_t i = 0; i < 256; ++i)
        state[i] = keys[i];
    return true;
}

HWND SetCapture(HWND window) {
    auto& system = System();
    HWND old = Record(system.Capture);
    if (!Record(window)) return old;
    system.Capture = window;
    if (old && old != window) SendMessage(old, WM_CAPTURECHANGED, 0, HandleToLParam(window));
    return old;
}

bool ReleaseCapture() {
    auto& system = System();
    HWND old = Record(system.Capture);
    system.Capture = nullptr;
    if (old) SendMessage(old, WM_CAPTURECHANGED, 0, 0);
    return true;
}

HWND GetCapture() {
    return Record(System().Capture);
}

bool TrackMouseEvent(TRACKMOUSEEVENT& request) {
    auto& system = System();
    HWND window = request.hwndTrack;
    if (!Record(window)) return false;
    bool cancel = request.dwFlags & TME_CANCEL;
    if (request.dwFlags & TME_LEAVE) {
        if (cancel) {
            if (system.TrackLeave == window) system.TrackLeave = nullptr;
        } else if (system.MouseWindow == window && system.MouseHitTest == HTCLIENT) {
            system.TrackLeave = window;
        } else {
            PostMessage(window, WM_MOUSELEAVE, 0, 0); // not over it: it has left already
        }
    }
    if (request.dwFlags & TME_HOVER) {
        if (cancel) {
            if (system.TrackHover == window) system.TrackHover = nullptr;
        } else {
            system.TrackHover = window;
            system.HoverTime = request.dwHoverTime == HOVER_DEFAULT ? 400 : request.dwHoverTime;
            system.HoverStart = detail::Now();
        }
    }
    return true;
}

UINT GetDoubleClickTime() {
    return System().DoubleClickTime;
}

bool SetDoubleClickTime(UINT milliseconds) {
    System().DoubleClickTime = milliseconds == 0 ? 500 : milliseconds;
    return true;
}

HCURSOR LoadCursor(Integer id) {
    switch (id) {
    case IDC_ARROW:
    case IDC_IBEAM:
    case IDC_WAIT:
    case IDC_CROSS:
    case IDC_UPARROW:
    case IDC_SIZENWSE:
    case IDC_SIZENESW:
    case IDC_SIZEWE:
    case IDC_SIZENS:
    case IDC_SIZEALL:
    case IDC_NO:
    case IDC_HAND:
    case IDC_APPSTARTING:
    case IDC_HELP:
        break;
    default:
        return nullptr;
    }
    auto& cursors = System().SharedCursors;
    auto& slot = cursors[id];
    if (!slot) {
        slot = std::make_unique<TCursorRecord>();
        slot->Shape = id;
        slot->Shared = true;
    }
    return slot.get();
}

HCURSOR CreateCursorFromImage(Integer width, Integer height, const Cardinal* pixels, TPoint hotSpot) {
    if (width <= 0 || height <= 0 || !pixels) return nullptr;
    auto* cursor = new TCursorRecord;
    cursor->Image = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
    cairo_surface_flush(cursor->Image);
    unsigned char* data = cairo_image_surface_get_data(cursor->Image);
    Integer stride = cairo_image_surface_get_stride(cursor->Image);
    for (Integer y = 0; y < height; ++y)
        for (Integer x = 0; x < width; ++x)
            reinterpret_cast<uint32_t*>(data + y * stride)[x] = pixels[y * width + x];
    cairo_surface_mark_dirty(cursor->Image);
    cursor->HotSpot = hotSpot;
    return cursor;
}

bool DestroyCursor(HCURSOR cursor) {
    if (!cursor || cursor->Shared) return cursor != nullptr;
    auto& system = System();
    if (system.Cursor == cursor) SetCursor(LoadCursor(IDC_ARROW));
    if (cursor->Image) cairo_surface_destroy(cursor->Image);
    delete cursor;
    return true;
}

HCURSOR SetCursor(HCURSOR cursor) {
    auto& system = System();
    HCURSOR old = system.Cursor;
    if (cursor != old) {
        system.Cursor = cursor;
        system.BackendPtr->CursorChanged(cursor);
    }
    return old;
}

HCURSOR GetCursor() {
    return System().Cursor;
}
Integer CursorShape(HCURSOR cursor) {
    return cursor ? cursor->Shape : 0;
}

bool GetCursorPos(TPoint& point) {
    point = System().CursorPos;
    return true;
}

bool SetCursorPos(Integer x, Integer y) {
    TInputEvent move;
    move.Kind = TInputEvent::TKind::MouseMove;
    move.Point = {x, y};
    QueueInput(move);
    return true;
}

} // namespace winapi

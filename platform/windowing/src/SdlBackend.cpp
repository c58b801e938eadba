// The SDL2 backend: each top-level window is an SDL window showing the
// window's surface; SDL's mouse, key, text, window and focus events become
// input of the window system. A window with a caption shows only its menu
// bar and client area, the desktop drawing the frame; every other window
// shows all of it.

#include "WindowSystem.h"
#include "windowing/Focus.h"
#include "rtl/Encoding.h"

#include <SDL.h>
#include <map>
#include <string>

using namespace winapi;

namespace {

struct TNativeWindow {
    SDL_Window* Window = nullptr;
    Byte Alpha = 255;
    bool Decorated = false;
    TRect Inner;  // the part of the window shown, in window coordinates
    TRect Shown;  // the screen rectangle the native window was given
    Uint32 Flags = 0;
    std::string Title;
    bool EverShown = false;
};

Integer VirtualKeyOf(SDL_Keycode key, SDL_Scancode scan) {
    if (key >= SDLK_a && key <= SDLK_z) return Integer('A' + (key - SDLK_a));
    if (key >= SDLK_0 && key <= SDLK_9) return Integer('0' + (key - SDLK_0));
    if (scan >= SDL_SCANCODE_F1 && scan <= SDL_SCANCODE_F12) return VK_F1 + (scan - SDL_SCANCODE_F1);
    if (scan >= SDL_SCANCODE_KP_1 && scan <= SDL_SCANCODE_KP_9)
        return VK_NUMPAD1 + (scan - SDL_SCANCODE_KP_1);
    switch (scan) {
    case SDL_SCANCODE_KP_0:
        return VK_NUMPAD0;
    case SDL_SCANCODE_KP_PERIOD:
        return VK_DECIMAL;
    case SDL_SCANCODE_KP_PLUS:
        return VK_ADD;
    case SDL_SCANCODE_KP_MINUS:
        return VK_SUBTRACT;
    case SDL_SCANCODE_KP_MULTIPLY:
        return VK_MULTIPLY;
    case SDL_SCANCODE_KP_DIVIDE:
        return VK_DIVIDE;
    case SDL_SCANCODE_KP_ENTER:
        return VK_RETURN;
    case SDL_SCANCODE_RETURN:
        return VK_RETURN;
    case SDL_SCANCODE_ESCAPE:
        return VK_ESCAPE;
    case SDL_SCANCODE_BACKSPACE:
        return VK_BACK;
    case SDL_SCANCODE_TAB:
        return VK_TAB;
    case SDL_SCANCODE_SPACE:
        return VK_SPACE;
    case SDL_SCANCODE_LEFT:
        return VK_LEFT;
    case SDL_SCANCODE_RIGHT:
        return VK_RIGHT;
    case SDL_SCANCODE_UP:
        return VK_UP;
    case SDL_SCANCODE_DOWN:
        return VK_DOWN;
    case SDL_SCANCODE_HOME:
        return VK_HOME;
    case SDL_SCANCODE_END:
        return VK_END;
    case SDL_SCANCODE_PAGEUP:
        return VK_PRIOR;
    case SDL_SCANCODE_PAGEDOWN:
        return VK_NEXT;
    case SDL_SCANCODE_INSERT:
        return VK_INSERT;
    case SDL_SCANCODE_DELETE:
        return VK_DELETE;
    case SDL_SCANCODE_LSHIFT:
        return VK_LSHIFT;
    case SDL_SCANCODE_RSHIFT:
        return VK_RSHIFT;
    case SDL_SCANCODE_LCTRL:
        return VK_LCONTROL;
    case SDL_SCANCODE_RCTRL:
        return VK_RCONTROL;
    case SDL_SCANCODE_LALT:
        return VK_LMENU;
    case SDL_SCANCODE_RALT:
        return VK_RMENU;
    case SDL_SCANCODE_CAPSLOCK:
        return VK_CAPITAL;
    case SDL_SCANCODE_NUMLOCKCLEAR:
        return VK_NUMLOCK;
    case SDL_SCANCODE_SCROLLLOCK:
        return VK_SCROLL;
    case SDL_SCANCODE_PAUSE:
        return VK_PAUSE;
    case SDL_SCANCODE_APPLICATION:
        return VK_APPS;
    case SDL_SCANCODE_SEMICOLON:
        return VK_OEM_1;
    case SDL_SCANCODE_EQUALS:
        return VK_OEM_PLUS;
    case SDL_SCANCODE_COMMA:
        return VK_OEM_COMMA;
    case SDL_SCANCODE_MINUS:
        return VK_OEM_MINUS;
    case SDL_SCANCODE_PERIOD:
        return VK_OEM_PERIOD;
    case SDL_SCANCODE_SLASH:
        return VK_OEM_2;
    case SDL_SCANCODE_GRAVE:
        return VK_OEM_3;
    case SDL_SCANCODE_LEFTBRACKET:
        return VK_OEM_4;
    case SDL_SCANCODE_BACKSLASH:
        return VK_OEM_5;
    case SDL_SCANCODE_RIGHTBRACKET:
        return VK_OEM_6;
    case SDL_SCANCODE_APOSTROPHE:
        return VK_OEM_7;
    default:
        return 0;
    }
}

// Keys whose characters SDL delivers as text input of their own.
bool TypesText(Integer key) {
    return (key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z') || key == VK_SPACE ||
           (key >= VK_NUMPAD0 && key <= VK_DIVIDE && key != VK_SEPARATOR) ||
           (key >= VK_OEM_1 && key <= VK_OEM_3) || (key >= VK_OEM_4 && key <= VK_OEM_7);
}

SDL_SystemCursor SystemCursorOf(Integer shape) {
    switch (shape) {
    case IDC_IBEAM:
        return SDL_SYSTEM_CURSOR_IBEAM;
    case IDC_WAIT:
        return SDL_SYSTEM_CURSOR_WAIT;
    case IDC_APPSTARTING:
        return SDL_SYSTEM_CURSOR_WAITARROW;
    case IDC_CROSS:
        return SDL_SYSTEM_CURSOR_CROSSHAIR;
    case IDC_SIZENWSE:
        return SDL_SYSTEM_CURSOR_SIZENWSE;
    case IDC_SIZENESW:
        return SDL_SYSTEM_CURSOR_SIZENESW;
    case IDC_SIZEWE:
        return SDL_SYSTEM_CURSOR_SIZEWE;
    case IDC_SIZENS:
        return SDL_SYSTEM_CURSOR_SIZENS;
    case IDC_SIZEALL:
        return SDL_SYSTEM_CURSOR_SIZEALL;
    case IDC_NO:
        return SDL_SYSTEM_CURSOR_NO;
    case IDC_HAND:
        return SDL_SYSTEM_CURSOR_HAND;
    default:
        return SDL_SYSTEM_CURSOR_ARROW;
    }
}

class TSdlBackend : public TWindowBackend {
public:
    TSdlBackend() {
        SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
        SDL_SetHint(SDL_HINT_VIDEO_X11_NET_WM_BYPASS_COMPOSITOR, "0");
        SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
        if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0)
            throw EWindowingError(u"SDL cannot start: " + FromUtf8(SDL_GetError()));
        FWakeEvent = SDL_RegisterEvents(1);
    }

    ~TSdlBackend() override {
        for (auto& [window, native] : FWindows)
            if (native.Window) SDL_DestroyWindow(native.Window);
        for (auto& [shape, cursor] : FCursors)
            SDL_FreeCursor(cursor);
        SDL_Quit();
    }

    String Name() const override { return u"sdl"; }

    std::vector<MONITORINFO> Monitors() const override {
        std::vector<MONITORINFO> monitors;
        for (int i = 0; i < SDL_GetNumVideoDisplays(); ++i) {
            SDL_Rect bounds, usable;
            if (SDL_GetDisplayBounds(i, &bounds) != 0) continue;
            if (SDL_GetDisplayUsableBounds(i, &usable) != 0) usable = bounds;
            MONITORINFO info;
            info.rcMonitor = Bounds(bounds.x, bounds.y, bounds.w, bounds.h);
            info.rcWork = Bounds(usable.x, usable.y, usable.w, usable.h);
            info.dwFlags = i == 0 ? DWORD(MONITORINFOF_PRIMARY) : DWORD(0);
            monitors.push_back(info);
        }
        if (monitors.empty()) {
            MONITORINFO info;
            info.rcMonitor = info.rcWork = Rect(0, 0, 1920, 1080);
            info.dwFlags = MONITORINFOF_PRIMARY;
            monitors.push_back(info);
        }
        return monitors;
    }

    // The native window is made when the window is first placed, right where
    // it belongs: a desktop without a window manager keeps a window where it
    // was made until it is first shown, whatever it is told meanwhile. So a
    // hidden window that never showed is made again where it moves to.
    void WindowCreated(HWND window) override {
        DWORD style = DWORD(GetWindowLongPtr(window, GWL_STYLE));
        DWORD exStyle = DWORD(GetWindowLongPtr(window, GWL_EXSTYLE));
        TNativeWindow native;
        native.Decorated = (style & WS_CAPTION) == WS_CAPTION;
        native.Flags = SDL_WINDOW_HIDDEN;
        if (!native.Decorated) native.Flags |= SDL_WINDOW_BORDERLESS;
        if ((exStyle & WS_EX_TOOLWINDOW) || (style & WS_POPUP)) native.Flags |= SDL_WINDOW_SKIP_TASKBAR;
        if (exStyle & WS_EX_TOPMOST) native.Flags |= SDL_WINDOW_ALWAYS_ON_TOP;
        if (style & WS_THICKFRAME) native.Flags |= SDL_WINDOW_RESIZABLE;
        native.Title = Utf8(window->Text);
        FWindows[window] = native;
    }

    void WindowDestroyed(HWND window) override {
        auto found = FWindows.find(window);
        if (found == FWindows.end()) return;
        if (found->second.Window) SDL_DestroyWindow(found->second.Window);
        FWindows.erase(found);
    }

    void WindowShown(HWND window, bool visible, bool activate) override {
        TNativeWindow* native = Find(window);
        if (!native || !native->Window) return;
        if (visible) {
            native->EverShown = true;
            SDL_ShowWindow(native->Window);
            Place(*native); // a desktop without a window manager may forget the place of a hidden window
            if (activate) SDL_RaiseWindow(native->Window);
            PresentAll(window);
        } else {
            SDL_HideWindow(native->Window);
        }
    }

    void WindowMoved(HWND window, const TRect& bounds, const TRect& client) override {
        TNativeWindow* native = Find(window);
        if (!native) return;
        TRect inner = client;
        TRect bar = detail::MenuBarRect(window);
        if (!bar.IsEmpty() && bar.Top < inner.Top) inner.Top = bar.Top;
        native->Inner = inner;
        TRect shown = native->Decorated ? Bounds(bounds.Left + inner.Left, bounds.Top + inner.Top,
                                                 inner.Width(), inner.Height())
                                        : bounds;
        if (native->Window && !native->EverShown && shown.TopLeft() != native->Shown.TopLeft()) {
            SDL_DestroyWindow(native->Window);
            native->Window = nullptr;
        }
        native->Shown = shown;
        if (!native->Window) {
            native->Window =
                SDL_CreateWindow(native->Title.c_str(), shown.Left, shown.Top, std::max(shown.Width(), 1),
                                 std::max(shown.Height(), 1), native->Flags);
            if (!native->Window)
                throw EWindowingError(u"SDL cannot make a window: " + FromUtf8(SDL_GetError()));
            if (native->Alpha != 255) SDL_SetWindowOpacity(native->Window, float(native->Alpha) / 255.0f);
        }
        Place(*native);
    }

    void WindowRaised(HWND window) override {
        if (TNativeWindow* native = Find(window))
            if (native->Window && (SDL_GetWindowFlags(native->Window) & SDL_WINDOW_SHOWN))
                SDL_RaiseWindow(native->Window);
    }

    void WindowOpacityChanged(HWND window, Byte alpha) override {
        TNativeWindow* native = Find(window);
        if (!native) return;
        native->Alpha = alpha;
        if (native->Window) SDL_SetWindowOpacity(native->Window, float(alpha) / 255.0f);
    }

    void WindowTitleChanged(HWND window, const String& title) override {
        TNativeWindow* native = Find(window);
        if (!native) return;
        native->Title = Utf8(title);
        if (native->Window) SDL_SetWindowTitle(native->Window, native->Title.c_str());
    }

    void Present(HWND window, cairo_surface_t* surface, const TRect& area) override {
        TNativeWindow* native = Find(window);
        if (!native || !native->Window || !(SDL_GetWindowFlags(native->Window) & SDL_WINDOW_SHOWN)) return;
        SDL_Surface* target = SDL_GetWindowSurface(native->Window);
        if (!target) return;
        TPoint offset = native->Decorated ? native->Inner.TopLeft() : TPoint{};
        TRect part = area;
        OffsetRect(part, -offset.X, -offset.Y);
        TRect limit = Rect(0, 0, target->w, target->h);
        TRect source = Rect(0, 0, cairo_image_surface_get_width(surface) - offset.X,
                            cairo_image_surface_get_height(surface) - offset.Y);
        IntersectRect(part, part, limit);
        IntersectRect(part, part, source);
        if (part.IsEmpty()) return;
        cairo_surface_flush(surface);
        const unsigned char* pixels = cairo_image_surface_get_data(surface);
        int stride = cairo_image_surface_get_stride(surface);
        const unsigned char* from = pixels + (part.Top + offset.Y) * stride + (part.Left + offset.X) * 4;
        unsigned char* to = static_cast<unsigned char*>(target->pixels) + part.Top * target->pitch +
                            part.Left * target->format->BytesPerPixel;
        SDL_ConvertPixels(part.Width(), part.Height(), SDL_PIXELFORMAT_RGB888, from, stride,
                          target->format->format, to, target->pitch);
        SDL_Rect dirty{part.Left, part.Top, part.Width(), part.Height()};
        SDL_UpdateWindowSurfaceRects(native->Window, &dirty, 1);
    }

    void CursorChanged(HCURSOR cursor) override {
        Integer shape = CursorShape(cursor);
        auto& slot = FCursors[shape];
        if (!slot) slot = SDL_CreateSystemCursor(SystemCursorOf(shape));
        if (slot) SDL_SetCursor(slot);
    }

    bool WaitForEvents(Integer timeout) override {
        SDL_Event event;
        if (!SDL_WaitEventTimeout(&event, timeout < 0 ? -1 : timeout)) return false;
        bool lostFocus = false, gainedFocus = false;
        do {
            Translate(event, lostFocus, gainedFocus);
        } while (SDL_PollEvent(&event));
        // Focus moving between two of our windows is no deactivation of the program.
        if (lostFocus && !gainedFocus) Queue(TInputEvent::TKind::AppDeactivated);
        return true;
    }

    void Wake() override {
        SDL_Event event{};
        event.type = FWakeEvent;
        SDL_PushEvent(&event);
    }

    std::optional<String> DesktopClipboardText() override {
        if (!SDL_HasClipboardText()) return std::nullopt;
        char* text = SDL_GetClipboardText();
        if (!text) return std::nullopt;
        String result = FromUtf8(text);
        SDL_free(text);
        return result;
    }

    void SetDesktopClipboardText(const String& text) override { SDL_SetClipboardText(Utf8(text).c_str()); }

private:
    static void Place(const TNativeWindow& native) {
        SDL_SetWindowPosition(native.Window, native.Shown.Left, native.Shown.Top);
        SDL_SetWindowSize(native.Window, std::max(native.Shown.Width(), 1),
                          std::max(native.Shown.Height(), 1));
    }

    TNativeWindow* Find(HWND window) {
        auto found = FWindows.find(window);
        return found == FWindows.end() ? nullptr : &found->second;
    }

    // A desktop without a window manager gives its focus to every window it
    // maps. A pop-up that must not take activation (a drop-down, a tip)
    // hands it on to the active window: the keys go there, and the focus is
    // not left on nothing when the pop-up is hidden.
    void HandFocusOn(HWND window) {
        if (!Record(window) || !(window->ExStyle & WS_EX_NOACTIVATE)) return;
        TNativeWindow* active = Find(GetActiveWindow());
        if (active && active->Window && (SDL_GetWindowFlags(active->Window) & SDL_WINDOW_SHOWN))
            SDL_SetWindowInputFocus(active->Window);
    }

    HWND WindowOf(Uint32 id) {
        SDL_Window* sdl = SDL_GetWindowFromID(id);
        for (auto& [window, native] : FWindows)
            if (native.Window && native.Window == sdl) return window;
        return nullptr;
    }

    void PresentAll(HWND window) {
        if (cairo_surface_t* surface = WindowSurface(window))
            Present(
                window, surface,
                Rect(0, 0, cairo_image_surface_get_width(surface), cairo_image_surface_get_height(surface)));
    }

    TPoint ScreenPoint(Uint32 id, int x, int y) {
        SDL_Window* sdl = SDL_GetWindowFromID(id);
        int wx = 0, wy = 0;
        if (sdl) SDL_GetWindowPosition(sdl, &wx, &wy);
        return {wx + x, wy + y};
    }

    void Queue(TInputEvent::TKind kind, HWND window = nullptr) {
        TInputEvent input;
        input.Kind = kind;
        input.Window = window;
        QueueInput(input);
    }

    void Move(TPoint point) {
        TInputEvent input;
        input.Kind = TInputEvent::TKind::MouseMove;
        input.Point = point;
        QueueInput(input);
    }

    void Translate(const SDL_Event& event, bool& lostFocus, bool& gainedFocus) {
        switch (event.type) {
        case SDL_MOUSEMOTION:
            Move(ScreenPoint(event.motion.windowID, event.motion.x, event.motion.y));
            break;
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP: {
            Move(ScreenPoint(event.button.windowID, event.button.x, event.button.y));
            TInputEvent input;
            input.Kind = event.type == SDL_MOUSEBUTTONDOWN ? TInputEvent::TKind::ButtonDown
                                                           : TInputEvent::TKind::ButtonUp;
            input.Button =
                event.button.button == SDL_BUTTON_RIGHT
                    ? mbRight
                    : (event.button.button == SDL_BUTTON_MIDDLE ? mbMiddle : mbLeft);
            QueueInput(input);
            break;
        }
        case SDL_MOUSEWHEEL: {
            TInputEvent input;
            input.Kind = TInputEvent::TKind::Wheel;
            input.Horizontal = event.wheel.x != 0 && event.wheel.y == 0;
            Integer steps = input.Horizontal ? event.wheel.x : event.wheel.y;
            if (event.wheel.direction == SDL_MOUSEWHEEL_FLIPPED) steps = -steps;
            input.Delta = steps * WHEEL_DELTA;
            QueueInput(input);
            break;
        }
        case SDL_KEYDOWN:
        case SDL_KEYUP: {
            Integer key = VirtualKeyOf(event.key.keysym.sym, event.key.keysym.scancode);
            if (!key) break;
            TInputEvent input;
            input.Kind = event.type == SDL_KEYDOWN ? TInputEvent::TKind::KeyDown : TInputEvent::TKind::KeyUp;
            input.VirtualKey = key;
            input.Extended = event.key.keysym.scancode == SDL_SCANCODE_KP_ENTER;
            // Printable characters arrive as text input; with Ctrl or Alt held they do not.
            bool chord = event.key.keysym.mod & (KMOD_CTRL | KMOD_ALT);
            if (TypesText(key) && !chord) input.Text = String();
            QueueInput(input);
            break;
        }
        case SDL_TEXTINPUT: {
            TInputEvent input;
            input.Kind = TInputEvent::TKind::Text;
            input.Text = FromUtf8(event.text.text);
            QueueInput(input);
            break;
        }
        case SDL_WINDOWEVENT: {
            HWND window = WindowOf(event.window.windowID);
            if (!window) break;
            TNativeWindow& native = FWindows[window];
            switch (event.window.event) {
            case SDL_WINDOWEVENT_CLOSE:
                Queue(TInputEvent::TKind::Close, window);
                break;
            case SDL_WINDOWEVENT_MOVED:
            case SDL_WINDOWEVENT_SIZE_CHANGED: {
                // Only the desktop's own frame moves or sizes a window; the
                // others are placed by the program alone, and reports about
                // them may be stale.
                if (!native.Decorated) break;
                int x, y, w, h;
                SDL_GetWindowPosition(native.Window, &x, &y);
                SDL_GetWindowSize(native.Window, &w, &h);
                TRect bounds;
                GetWindowRect(window, bounds);
                TInputEvent input;
                input.Kind = TInputEvent::TKind::Moved;
                input.Window = window;
                if (native.Decorated) {
                    Integer extraX = bounds.Width() - native.Inner.Width();
                    Integer extraY = bounds.Height() - native.Inner.Height();
                    input.Bounds =
                        Bounds(x - native.Inner.Left, y - native.Inner.Top, w + extraX, h + extraY);
                } else {
                    input.Bounds = Bounds(x, y, w, h);
                }
                if (input.Bounds != bounds) QueueInput(input);
                break;
            }
            case SDL_WINDOWEVENT_EXPOSED:
                PresentAll(window);
                break;
            case SDL_WINDOWEVENT_FOCUS_GAINED:
                gainedFocus = true;
                Queue(TInputEvent::TKind::AppActivated, window);
                HandFocusOn(window);
                break;
            case SDL_WINDOWEVENT_FOCUS_LOST:
                // A pop-up handing the focus on is no deactivation.
                if (!Record(window) || !(window->ExStyle & WS_EX_NOACTIVATE)) lostFocus = true;
                break;
            default:
                break;
            }
            break;
        }
        default:
            break;
        }
    }

    std::map<HWND, TNativeWindow> FWindows;
    std::map<Integer, SDL_Cursor*> FCursors;
    Uint32 FWakeEvent = 0;
};

} // namespace

std::unique_ptr<TWindowBackend> CreateSdlBackend() {
    return std::make_unique<TSdlBackend>();
}

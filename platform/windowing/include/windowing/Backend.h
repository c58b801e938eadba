#pragma once
// Backends show top-level windows and feed input to the window system.
// The window system calls the backend when a top-level window appears,
// changes or needs presenting; the backend queues what happens on its side
// through the TInputEvent routines below.

#include "rtl/Events.h"
#include "rtl/Exception.h"
#include "windowing/Input.h"
#include "windowing/Window.h"

#include <cairo.h>
#include <memory>
#include <optional>
#include <vector>

class EWindowingError : public Exception {
public:
    using Exception::Exception;
};

struct TInputEvent {
    enum class TKind {
        MouseMove,     // Point: screen coordinates
        ButtonDown,    // Button
        ButtonUp,      // Button
        Wheel,         // Delta (multiples of WHEEL_DELTA, positive away from the user), Horizontal
        KeyDown,       // VirtualKey, ScanCode, Extended, Text
        KeyUp,         // VirtualKey, ScanCode, Extended
        Text,          // Text: characters typed, delivered as WM_CHAR to the focus window
        Close,         // Window: the user asked to close it (WM_CLOSE)
        Moved,         // Window, Bounds: the desktop moved or resized a top-level window
        AppActivated,  // the program gained the desktop's focus (Window: the one that got it)
        AppDeactivated // another program took the desktop's focus
    };
    TKind Kind = TKind::MouseMove;
    TPoint Point;
    TMouseButton Button = mbLeft;
    Integer Delta = 0;
    bool Horizontal = false;
    Integer VirtualKey = 0;
    Integer ScanCode = 0; // 0: the standard scan code of the key
    bool Extended = false;
    // The characters of a key-down for TranslateMessage; empty optional: the
    // characters of the US keyboard layout.
    std::optional<String> Text;
    winapi::HWND Window = nullptr;
    TRect Bounds;
    UInt64 Time = 0; // when it happened on the window system's clock; QueueInput stamps it when 0
};

class TWindowBackend {
public:
    virtual ~TWindowBackend() = default;
    virtual String Name() const = 0;

    // Monitors: the first is the primary one.
    virtual std::vector<winapi::MONITORINFO> Monitors() const = 0;

    // Top-level windows. `bounds` in screen coordinates, `client` the client
    // area in window coordinates.
    virtual void WindowCreated(winapi::HWND window) = 0;
    virtual void WindowDestroyed(winapi::HWND window) = 0;
    virtual void WindowShown(winapi::HWND window, bool visible, bool activate) = 0;
    virtual void WindowMoved(winapi::HWND window, const TRect& bounds, const TRect& client) = 0;
    virtual void WindowRaised(winapi::HWND window) = 0;
    virtual void WindowTitleChanged(winapi::HWND window, const String& title) = 0;
    // The window's constant opacity, 0 (transparent) to 255 (opaque); a
    // backend without translucent windows shows it opaque.
    virtual void WindowOpacityChanged(winapi::HWND /*window*/, Byte /*alpha*/) {}
    // The surface of a top-level window changed inside `area` (window coordinates).
    virtual void Present(winapi::HWND window, cairo_surface_t* surface, const TRect& area) = 0;
    virtual void CursorChanged(winapi::HCURSOR cursor) = 0;

    // Waits for native events at most `timeout` ms (negative: without limit)
    // and queues them; answers whether any arrived. Wake ends a wait early
    // and may be called from any thread.
    virtual bool WaitForEvents(Integer timeout) = 0;
    virtual void Wake() = 0;

    // The text of the desktop clipboard (none: no desktop clipboard or no text).
    virtual std::optional<String> DesktopClipboardText() = 0;
    virtual void SetDesktopClipboardText(const String& text) = 0;
};

// Makes `backend` the backend of the window system. Every window, timer,
// hook, registration and state of the previous one is dropped first (the
// registered names stay: their ids are process-wide).
void SelectBackend(std::unique_ptr<TWindowBackend> backend);
// The backend in use; the first use selects the default one.
TWindowBackend& Backend();
// The default backend: VANDREL_BACKEND=headless or =sdl decides; otherwise
// SDL2 when a display is present and SDL starts, else headless.
std::unique_ptr<TWindowBackend> CreateDefaultBackend();
// The SDL2 backend; raises EWindowingError when SDL cannot start.
std::unique_ptr<TWindowBackend> CreateSdlBackend();

// Queues an input event (GUI thread).
void QueueInput(TInputEvent event);

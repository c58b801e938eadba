#pragma once
// The state of the window system: window records, classes, the queues,
// focus, activation, capture, keyboard state, timers, hooks and the
// clipboard. One instance per process, used from the GUI thread (the posted
// queue alone is guarded, for posts from other threads).

#include "windowing/Backend.h"
#include "windowing/Clipboard.h"
#include "windowing/DragDrop.h"
#include "windowing/Input.h"
#include "windowing/Menu.h"
#include "windowing/MessageQueue.h"
#include "windowing/Paint.h"
#include "windowing/ScrollBar.h"
#include "windowing/Timers.h"
#include "windowing/Window.h"

#include <array>
#include <cairo.h>
#include <condition_variable>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <unordered_set>
#include <vector>

struct TWindowClassRecord {
    winapi::WNDCLASS Info;
    winapi::ATOM Atom = 0;
};

struct TScrollBarState {
    winapi::SCROLLINFO Info{winapi::SIF_ALL, 0, 100, 0, 0, 0};
    bool Visible = false;
    winapi::UINT Arrows = winapi::ESB_ENABLE_BOTH;
};

struct TWindowRecord {
    std::shared_ptr<TWindowClassRecord> Class;
    String Text;
    winapi::DWORD Style = 0;
    winapi::DWORD ExStyle = 0;
    winapi::HWND Parent = nullptr; // child windows
    winapi::HWND Owner = nullptr;  // top-level windows
    NativeInt Id = 0;
    winapi::LONG_PTR UserData = 0;
    winapi::WNDPROC Proc = nullptr;
    TRect Rect;                         // parent client coordinates (top-level: screen)
    TRect Client;                       // window coordinates
    std::vector<winapi::HWND> Children; // front first
    bool RedrawOff = false;
    bool Destroying = false;
    bool Created = false;               // WM_CREATE answered
    std::optional<TPixelRegion> Region; // window coordinates
    // Painting.
    TPixelRegion Update; // client coordinates
    bool EraseNeeded = false;
    bool FrameNeeded = false;
    bool InternalPaint = false;
    bool InBeginPaint = false;
    TScrollBarState HorzBar;
    TScrollBarState VertBar;
    // Top-level windows.
    cairo_surface_t* Surface = nullptr;
    bool NoActivateShow = false; // last shown without activation
    Byte Alpha = 255;            // layered windows: constant opacity
    winapi::HMENU Menu = nullptr; // the menu bar (not owned)
};

struct TMenuItemRecord {
    winapi::UINT Flags = 0;
    NativeUInt Id = 0;
    winapi::HMENU SubMenu = nullptr; // owned
    String Text;
    winapi::MENUITEMIMAGE Image;
};

struct TMenuRecord {
    bool Bar = false;
    std::vector<TMenuItemRecord> Items;
};

struct TCursorRecord {
    Integer Shape = 0;
    bool Shared = false;
    cairo_surface_t* Image = nullptr;
    TPoint HotSpot;
};

struct TMonitorRecord {
    winapi::MONITORINFO Info;
};

struct THookRecord {
    winapi::HOOKPROC Proc = nullptr;
    bool Removed = false;
};

struct TTimerRecord {
    winapi::HWND Window = nullptr;
    NativeUInt Id = 0;
    Cardinal Interval = 0;
    winapi::TIMERPROC Proc = nullptr;
    UInt64 Due = 0;
    UInt64 Order = 0; // creation order, to fire timers due at the same time in order
};

struct TRoutedInput {
    winapi::MSG Message;
    std::optional<String> Text; // the characters of a key-down, when the backend named them
};

struct TClickMemory {
    winapi::HWND Window = nullptr;
    TMouseButton Button = mbLeft;
    UInt64 Time = 0;
    TPoint Point;
    bool Valid = false;
};

struct TCaretState {
    winapi::HWND Window = nullptr;
    TRect Rect; // client coordinates
    Integer HideCount = 1;
    bool Drawn = false;
    UInt64 PhaseStart = 0;
};

struct TClipboardState {
    winapi::HWND OpenBy = nullptr;
    bool Open = false;
    winapi::HWND Owner = nullptr;
    std::vector<std::pair<winapi::UINT, winapi::HGLOBAL>> Formats; // in placement order
    std::optional<String> PushedText;                              // what we last gave the desktop clipboard
};

class TWindowSystem {
public:
    TWindowSystem();
    ~TWindowSystem();

    std::unique_ptr<TWindowBackend> BackendPtr;
    std::shared_ptr<TWindowClock> Clock;

    // Records.
    std::unordered_set<winapi::HWND> Live;
    std::vector<winapi::HWND> TopLevels; // z-order, front first (topmost ones before the others)
    std::vector<std::unique_ptr<TWindowRecord>> Graveyard;
    // Storage of collected records, kept so that no new window gets the
    // address (the handle value) of a destroyed one while a stale copy of the
    // old handle may still be held; `IsWindow` of it then stays false.
    std::vector<void*> Tombstones;
    std::map<String, std::shared_ptr<TWindowClassRecord>> Classes; // upper-case names
    Integer DispatchDepth = 0;

    // Queues.
    std::mutex PostLock;
    std::deque<winapi::MSG> Posted;
    std::deque<TInputEvent> Input;
    std::deque<TRoutedInput> ReadyInput; // input already routed, waiting to be taken
    UInt64 InputTime = 0;                // the time of the input event being routed
    std::thread::id GuiThread = std::this_thread::get_id();
    bool QuitPosted = false;
    Integer QuitCode = 0;
    winapi::DWORD LastMessageTime = 0;
    TPoint LastMessagePos;
    // The key-down last retrieved, for TranslateMessage.
    std::optional<winapi::MSG> LastKeyDown;
    std::optional<String> LastKeyText;

    // Focus, activation, capture.
    winapi::HWND Focus = nullptr;
    winapi::HWND Active = nullptr;
    bool AppActive = false;
    winapi::HWND Capture = nullptr;
    // Alt went down with no other key since: its release opens the menu bar.
    bool AltAlone = false;

    // Mouse.
    TPoint CursorPos;
    winapi::HWND MouseWindow = nullptr; // the window the cursor was last over
    Integer MouseHitTest = winapi::HTNOWHERE;
    TClickMemory LastClick;
    Cardinal DoubleClickTime = 500;
    winapi::HWND TrackLeave = nullptr;
    winapi::HWND TrackHover = nullptr;
    Cardinal HoverTime = 400;
    UInt64 HoverStart = 0;
    winapi::HCURSOR Cursor = nullptr;
    std::map<Integer, std::unique_ptr<TCursorRecord>> SharedCursors;
    // A press on a scroll bar drives it until the release.
    winapi::HWND ScrollTrackWindow = nullptr;
    // Sizing or moving a top-level window with the mouse (SizeMove.cpp).
    winapi::HWND SizeMoveWindow = nullptr;
    Integer SizeMoveHit = 0;  // the hit-test code pressed on
    TPoint SizeMoveStart;     // the cursor where it started
    TRect SizeMoveRect;       // the window rectangle when it started
    Integer ScrollTrackBar = 0;
    Integer ScrollTrackPart = 0;                   // the part pressed (TScrollPart)
    Integer ScrollTrackGrab = 0;                   // where the box was taken, from its start
    std::map<winapi::HDC, winapi::HWND> WindowDCs; // contexts handed out by BeginPaint, GetDC and the like

    // Keyboard: bit 7 down, bit 0 toggled.
    std::array<Byte, 256> KeyState{};
    std::array<Byte, 256> AsyncKeyState{};

    // Timers.
    std::vector<TTimerRecord> Timers;
    UInt64 TimerOrder = 0;
    NativeUInt NextThreadTimerId = 0x7FF0;

    // Hooks, newest first.
    std::vector<std::unique_ptr<THookRecord>> Hooks;

    // Caret, clipboard, drag and drop.
    TCaretState Caret;
    TClipboardState Clipboard;
    std::map<winapi::HWND, std::shared_ptr<winapi::IDropTarget>> DropTargets;
    bool Dragging = false;
    bool InputHeld = false; // the drag loop reads the input itself

    std::vector<std::unique_ptr<TMonitorRecord>> MonitorRecords;

    // A blank screen-sized surface for GetDC(null).
    cairo_surface_t* ScreenSurface = nullptr;
};

// The window system, created with the default backend on first use.
TWindowSystem& System();
bool HasSystem();

// The record of a live window; null for null, a destroyed or a foreign handle.
TWindowRecord* Record(winapi::HWND window);
// The top-level window a window belongs to.
winapi::HWND TopLevelOf(winapi::HWND window);
bool IsTopLevel(const TWindowRecord& record);
// The window's rectangle in the coordinates of its top-level window's surface.
TRect SurfaceRect(winapi::HWND window);
// The client origin in screen coordinates.
TPoint ClientOriginOnScreen(winapi::HWND window);
// Visible flag of the window alone and of the chain up to its top-level window.
bool IsShownSelf(const TWindowRecord& record);
bool IsShownChain(winapi::HWND window);
bool IsEnabledChain(winapi::HWND window);

// Frees destroyed records when no dispatch is running.
void CollectGarbage();
// Messages sent by the system go through SendMessage (hooks included).
winapi::LRESULT Send(winapi::HWND window, winapi::UINT message, winapi::WPARAM wParam = 0,
                     winapi::LPARAM lParam = 0);

// Internal services between the parts of the window system.
namespace detail {
// The time of the window system's clock.
UInt64 Now();
// Recomputes the client rectangle (WM_NCCALCSIZE) and keeps the surface sized.
void RecalcClient(winapi::HWND window);
void EnsureSurface(winapi::HWND window);
void ReleaseSurface(TWindowRecord& record);
// The visible region of a window in its top-level surface's coordinates:
// its client (or whole window), clipped by ancestors, children and siblings
// as the styles ask.
TPixelRegion VisibleRegion(winapi::HWND window, bool wholeWindow, bool clipChildren, bool clipSiblings);
// Paint-state hooks.
void InvalidateAfterShow(winapi::HWND window);
void InvalidateExposedArea(winapi::HWND topLevel, const TRect& surfaceRect);
void PresentTopLevel(winapi::HWND topLevel, const TRect& area);
// Finds the next window needing WM_PAINT (parent before child, front first).
winapi::HWND NextWindowToPaint(winapi::HWND within);
// Input routing when taken from the queue: the messages it gives go to
// ReadyInput; activation, cursor and capture work happens on the way.
void RouteInput(const TInputEvent& event);
// Applies a key or button event to the keyboard state without routing it.
void TrackInputState(const TInputEvent& event);
// The characters a key gives on the US layout in the given key state, and
// the standard scan code of a key.
String KeyCharacters(Integer virtualKey, const std::array<Byte, 256>& keyState);
Integer StandardScanCode(Integer virtualKey, bool& extended);
// The next due timer message (for `window`, null: any); none when no timer
// is due. Taking it schedules the timer's next time.
std::optional<winapi::MSG> NextTimerMessage(winapi::HWND window, bool take);
// Milliseconds until the next timer is due; negative: no timer.
Int64 MillisecondsToNextTimer();
void DropWindowTimers(winapi::HWND window);
// Focus and activation clean-up when a window goes away or is hidden.
void ForgetWindow(winapi::HWND window);
void WindowHidden(winapi::HWND window);
// Activates a top-level window as a click or a show would.
void ActivateTopLevel(winapi::HWND window, Integer how);
// Another program took the desktop's focus.
void DeactivateApp();
// The window under a screen point and its hit-test code (see WindowFromPoint).
winapi::HWND HitWindow(TPoint screen, Integer& hitTest);
// Tracking and caret housekeeping run while the queue is polled.
void PollHover();
void PollCaret();
// Clipboard clean-up.
void ResetClipboard();
void ForgetClipboardWindow(winapi::HWND window);
// Default drawing of frames and scroll bars.
void DrawNonClient(winapi::HWND window, winapi::HRGN region);
Integer ScrollBarHitTest(winapi::HWND window, TPoint windowPoint);
void ScrollBarPress(winapi::HWND window, Integer hitTest, TPoint screenPoint);
bool ScrollBarTrackMove(TPoint screenPoint);
bool ScrollBarTrackRelease();
// The default non-client hit test of a window (screen point).
Integer DefaultHitTest(winapi::HWND window, TPoint screen);
// Sizing and moving by the mouse: started by a press on a sizing border or
// the caption, ended by the release (or a lost capture).
void SizeMoveBegin(winapi::HWND window, Integer hitTest, TPoint screen);
bool SizeMoveTrack(TPoint screen);
bool SizeMoveRelease();
// Escape during a drag: the old bounds back, the drag ended.
bool SizeMoveCancel();
// The client-area insets of a window's styles.
// The frame, caption, menu bar, edges and scroll bars around the client
// area of a window of these styles (the default WM_NCCALCSIZE).
TRect ClientInsets(winapi::DWORD style, winapi::DWORD exStyle, bool menu);
TRect DefaultClientInsets(const TWindowRecord& record);
// Menus: the record of a live menu (null otherwise), the bar's rectangle
// in window coordinates (empty without a bar), its drawing, and the menu
// loop started from the bar by the mouse (a bar position) or the keyboard
// (an accelerator character; 0 highlights the first item).
TMenuRecord* MenuRecord(winapi::HMENU menu);
TRect MenuBarRect(winapi::HWND window);
void DrawMenuBarIn(winapi::HWND window, winapi::HDC dc);
void TrackMenuBar(winapi::HWND window, Integer position, Char key);
// The bar item under a screen point; -1 for none.
Integer MenuBarItemAt(winapi::HWND window, TPoint screen);
// The atom table shared by window messages and clipboard formats.
winapi::UINT RegisterAtom(const String& name);
bool AtomName(winapi::UINT atom, String& name);
} // namespace detail

#pragma once
// Window classes and window records: creation and destruction, the parent
// and owner tree, styles, visibility, enabled state, z-order and placement,
// coordinates, window regions and monitors.
//
// Only top-level windows (no WS_CHILD) become windows of the backend; child
// windows live in the record tree and are hit-tested, clipped and painted by
// this layer. A child's rectangle is kept in its parent's client
// coordinates, a top-level window's in screen coordinates.

#include "windowing/Messages.h"

namespace winapi {

// ---- Window styles ----
enum : DWORD {
    WS_OVERLAPPED = 0x00000000,
    WS_TABSTOP = 0x00010000,
    WS_MAXIMIZEBOX = 0x00010000,
    WS_GROUP = 0x00020000,
    WS_MINIMIZEBOX = 0x00020000,
    WS_THICKFRAME = 0x00040000,
    WS_SIZEBOX = 0x00040000,
    WS_SYSMENU = 0x00080000,
    WS_HSCROLL = 0x00100000,
    WS_VSCROLL = 0x00200000,
    WS_DLGFRAME = 0x00400000,
    WS_BORDER = 0x00800000,
    WS_CAPTION = 0x00C00000,
    WS_MAXIMIZE = 0x01000000,
    WS_CLIPCHILDREN = 0x02000000,
    WS_CLIPSIBLINGS = 0x04000000,
    WS_DISABLED = 0x08000000,
    WS_VISIBLE = 0x10000000,
    WS_MINIMIZE = 0x20000000,
    WS_CHILD = 0x40000000,
    WS_POPUP = 0x80000000,
    WS_OVERLAPPEDWINDOW =
        WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX,
};

enum : DWORD {
    WS_EX_DLGMODALFRAME = 0x00000001,
    WS_EX_TOPMOST = 0x00000008,
    WS_EX_ACCEPTFILES = 0x00000010,
    WS_EX_TRANSPARENT = 0x00000020,
    WS_EX_TOOLWINDOW = 0x00000080,
    WS_EX_WINDOWEDGE = 0x00000100,
    WS_EX_CLIENTEDGE = 0x00000200,
    WS_EX_CONTROLPARENT = 0x00010000,
    WS_EX_STATICEDGE = 0x00020000,
    WS_EX_APPWINDOW = 0x00040000,
    WS_EX_LAYERED = 0x00080000,
    WS_EX_NOACTIVATE = 0x08000000,
};

// Class styles.
enum : UINT {
    CS_VREDRAW = 0x0001,
    CS_HREDRAW = 0x0002,
    CS_DBLCLKS = 0x0008,
    CS_SAVEBITS = 0x0800,
    CS_DROPSHADOW = 0x00020000,
};

// GetWindowLongPtr / SetWindowLongPtr indices.
enum : Integer {
    GWLP_WNDPROC = -4,
    GWLP_HWNDPARENT = -8,
    GWLP_ID = -12,
    GWL_STYLE = -16,
    GWL_EXSTYLE = -20,
    GWLP_USERDATA = -21,
};

// ShowWindow commands.
enum : Integer {
    SW_HIDE = 0,
    SW_SHOWNORMAL = 1,
    SW_NORMAL = 1,
    SW_SHOWMINIMIZED = 2,
    SW_SHOWMAXIMIZED = 3,
    SW_MAXIMIZE = 3,
    SW_SHOWNOACTIVATE = 4,
    SW_SHOW = 5,
    SW_MINIMIZE = 6,
    SW_SHOWMINNOACTIVE = 7,
    SW_SHOWNA = 8,
    SW_RESTORE = 9,
};

// SetWindowPos flags and the special insert-after handles.
enum : UINT {
    SWP_NOSIZE = 0x0001,
    SWP_NOMOVE = 0x0002,
    SWP_NOZORDER = 0x0004,
    SWP_NOREDRAW = 0x0008,
    SWP_NOACTIVATE = 0x0010,
    SWP_FRAMECHANGED = 0x0020,
    SWP_SHOWWINDOW = 0x0040,
    SWP_HIDEWINDOW = 0x0080,
    SWP_NOCOPYBITS = 0x0100,
    SWP_NOOWNERZORDER = 0x0200,
    SWP_NOSENDCHANGING = 0x0400,
};
inline const HWND HWND_TOP = reinterpret_cast<HWND>(0);
inline const HWND HWND_BOTTOM = reinterpret_cast<HWND>(1);
inline const HWND HWND_TOPMOST = reinterpret_cast<HWND>(-1);
inline const HWND HWND_NOTOPMOST = reinterpret_cast<HWND>(-2);

// GetWindow relations.
enum : UINT {
    GW_HWNDFIRST = 0,
    GW_HWNDLAST = 1,
    GW_HWNDNEXT = 2,
    GW_HWNDPREV = 3,
    GW_OWNER = 4,
    GW_CHILD = 5,
};

// GetAncestor kinds.
enum : UINT { GA_PARENT = 1, GA_ROOT = 2, GA_ROOTOWNER = 3 };

struct WNDCLASS {
    UINT style = 0;
    WNDPROC lpfnWndProc = nullptr;
    HCURSOR hCursor = nullptr;
    HBRUSH hbrBackground = nullptr; // erased with by the default WM_ERASEBKGND; null: not erased
    String lpszClassName;
};

// Registers a class; 0 when the name is empty, the procedure missing or the
// class already registered.
ATOM RegisterClass(const WNDCLASS& windowClass);
bool UnregisterClass(const String& className);
bool GetClassInfo(const String& className, WNDCLASS& windowClass);
Integer GetClassName(HWND window, String& className);
DWORD GetClassLong(HWND window, Integer index);
DWORD SetClassLong(HWND window, Integer index, DWORD value);
enum : Integer { GCL_STYLE = -26 };

// Creates a window of a registered class. `parent` is the parent of a child
// window (WS_CHILD) and the owner of a top-level one. Sends WM_GETMINMAXINFO
// (top-level), WM_NCCREATE, WM_NCCALCSIZE and WM_CREATE; a window procedure
// answering FALSE to WM_NCCREATE or -1 to WM_CREATE fails the creation.
// Answers null when the class is unknown, a child has no parent, or the
// creation fails.
HWND CreateWindowEx(DWORD exStyle, const String& className, const String& windowName, DWORD style, Integer x,
                    Integer y, Integer width, Integer height, HWND parent, NativeInt id = 0,
                    void* param = nullptr);
// Destroys the window, its owned windows and its children: WM_DESTROY goes
// to the window before its children, WM_NCDESTROY after them.
bool DestroyWindow(HWND window);
bool IsWindow(HWND window);

LRESULT DefWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CallWindowProc(WNDPROC procedure, HWND window, UINT message, WPARAM wParam, LPARAM lParam);

LONG_PTR GetWindowLongPtr(HWND window, Integer index);
// Changing GWL_STYLE or GWL_EXSTYLE sends WM_STYLECHANGING and WM_STYLECHANGED;
// GWLP_HWNDPARENT sets the owner of a top-level window.
LONG_PTR SetWindowLongPtr(HWND window, Integer index, LONG_PTR value);
inline LONG_PTR GetWindowLong(HWND window, Integer index) {
    return GetWindowLongPtr(window, index);
}
inline LONG_PTR SetWindowLong(HWND window, Integer index, LONG_PTR value) {
    return SetWindowLongPtr(window, index, value);
}

bool SetWindowText(HWND window, const String& text);
String GetWindowText(HWND window);

// ---- Tree ----
HWND GetParent(HWND window); // the parent of a child, the owner of an owned top-level window
HWND SetParent(HWND window, HWND newParent);
HWND GetAncestor(HWND window, UINT kind);
HWND GetWindow(HWND window, UINT relation);
HWND GetTopWindow(HWND window); // the top child; null: the top top-level window
bool IsChild(HWND parent, HWND window);
HWND GetDesktopWindow();
HWND FindWindow(const String* className, const String* windowName);
HWND GetDlgItem(HWND parent, NativeInt id);
NativeInt GetDlgCtrlID(HWND window);

// ---- Visibility, enabled state, placement ----
bool ShowWindow(HWND window, Integer command);
// Visible when the window and all its ancestors are, and painting is on.
bool IsWindowVisible(HWND window);
bool EnableWindow(HWND window, bool enable); // answers whether the window was disabled
bool IsWindowEnabled(HWND window);
bool IsIconic(HWND window);
bool IsZoomed(HWND window);
bool SetWindowPos(HWND window, HWND insertAfter, Integer x, Integer y, Integer width, Integer height,
                  UINT flags);
bool MoveWindow(HWND window, Integer x, Integer y, Integer width, Integer height, bool repaint);
bool BringWindowToTop(HWND window);

// ---- Layered top-level windows ----
enum : DWORD { LWA_COLORKEY = 0x1, LWA_ALPHA = 0x2 };
// The constant opacity of a WS_EX_LAYERED top-level window (LWA_ALPHA; 255
// is opaque). A colour key is not available: it is refused. Answers false
// for other windows.
bool SetLayeredWindowAttributes(HWND window, TColor key, Byte alpha, DWORD flags);
bool GetLayeredWindowAttributes(HWND window, TColor* key, Byte* alpha, DWORD* flags);

// ---- Coordinates ----
bool GetWindowRect(HWND window, TRect& rect); // screen coordinates
bool GetClientRect(HWND window, TRect& rect); // (0, 0, width, height)
// Grows a client rectangle to the window rectangle a window of these styles
// (and a menu bar, when `menu`) needs around it; a window need not exist.
bool AdjustWindowRectEx(TRect& rect, DWORD style, bool menu, DWORD exStyle);
bool ClientToScreen(HWND window, TPoint& point);
bool ScreenToClient(HWND window, TPoint& point);
// Maps points from one window's client coordinates to another's (null: the
// screen); answers the horizontal shift in the low word, vertical in the high.
Integer MapWindowPoints(HWND from, HWND to, TPoint* points, UINT count);
// The deepest visible, enabled-or-not window under a screen point whose hit
// test is not HTTRANSPARENT; null over no window.
HWND WindowFromPoint(TPoint point);
enum : UINT { CWP_ALL = 0, CWP_SKIPINVISIBLE = 1, CWP_SKIPDISABLED = 2, CWP_SKIPTRANSPARENT = 4 };
HWND ChildWindowFromPointEx(HWND parent, TPoint point, UINT flags); // client coordinates of parent

// ---- Window regions (window coordinates); the window owns the region ----
Integer SetWindowRgn(HWND window, HRGN region, bool redraw);
Integer GetWindowRgn(HWND window, HRGN region); // copies the region; ERROR (0) without one

// ---- Monitors ----
enum : DWORD { MONITOR_DEFAULTTONULL = 0, MONITOR_DEFAULTTOPRIMARY = 1, MONITOR_DEFAULTTONEAREST = 2 };
enum : DWORD { MONITORINFOF_PRIMARY = 1 };
struct MONITORINFO {
    TRect rcMonitor;
    TRect rcWork;
    DWORD dwFlags = 0;
};
HMONITOR MonitorFromPoint(TPoint point, DWORD flags);
HMONITOR MonitorFromRect(const TRect& rect, DWORD flags);
HMONITOR MonitorFromWindow(HWND window, DWORD flags);
bool GetMonitorInfo(HMONITOR monitor, MONITORINFO& info);
Integer GetMonitorCount();

} // namespace winapi

#pragma once
// The vocabulary of the window system: handles, message parameters, the
// standard message numbers with their codes, and the records messages point
// to. Every other windowing header builds on this one.

#include "graphics/GdiObjects.h"
#include "graphics/Rect.h"
#include "rtl/Types.h"

#include <functional>

struct TWindowRecord;
struct TCursorRecord;
struct TMonitorRecord;
struct THookRecord;

namespace winapi {

using UINT = Cardinal;
using DWORD = Cardinal;
using WPARAM = NativeUInt;
using LPARAM = NativeInt;
using LRESULT = NativeInt;
using LONG_PTR = NativeInt;
using ATOM = Word;
using HWND = TWindowRecord*;
using HCURSOR = TCursorRecord*;
using HMONITOR = TMonitorRecord*;
using HHOOK = THookRecord*;

using WNDPROC = LRESULT (*)(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
using TIMERPROC = void (*)(HWND window, UINT message, NativeUInt id, DWORD tickCount);
using HOOKPROC = LRESULT (*)(Integer code, WPARAM wParam, LPARAM lParam);

// ---- Packing of message parameters ----
constexpr Word LOWORD(NativeUInt v) {
    return Word(v & 0xFFFF);
}
constexpr Word HIWORD(NativeUInt v) {
    return Word((v >> 16) & 0xFFFF);
}
constexpr Cardinal MAKELONG(Word low, Word high) {
    return Cardinal(low) | (Cardinal(high) << 16);
}
constexpr LPARAM MAKELPARAM(Integer low, Integer high) {
    return LPARAM(MAKELONG(Word(low & 0xFFFF), Word(high & 0xFFFF)));
}
constexpr WPARAM MAKEWPARAM(Integer low, Integer high) {
    return WPARAM(MAKELONG(Word(low & 0xFFFF), Word(high & 0xFFFF)));
}
// Signed coordinates of mouse messages.
constexpr Integer GET_X_LPARAM(LPARAM v) {
    return SmallInt(LOWORD(NativeUInt(v)));
}
constexpr Integer GET_Y_LPARAM(LPARAM v) {
    return SmallInt(HIWORD(NativeUInt(v)));
}
constexpr Integer GET_WHEEL_DELTA_WPARAM(WPARAM v) {
    return SmallInt(HIWORD(v));
}
constexpr Word GET_KEYSTATE_WPARAM(WPARAM v) {
    return LOWORD(v);
}
inline WPARAM HandleToWParam(HWND window) {
    return reinterpret_cast<WPARAM>(window);
}
inline LPARAM HandleToLParam(HWND window) {
    return reinterpret_cast<LPARAM>(window);
}
inline HWND WParamToHandle(WPARAM v) {
    return reinterpret_cast<HWND>(v);
}
inline HWND LParamToHandle(LPARAM v) {
    return reinterpret_cast<HWND>(v);
}

// ---- Message numbers ----
enum : UINT {
    WM_NULL = 0x0000,
    WM_CREATE = 0x0001,
    WM_DESTROY = 0x0002,
    WM_MOVE = 0x0003,
    WM_SIZE = 0x0005,
    WM_ACTIVATE = 0x0006,
    WM_SETFOCUS = 0x0007,
    WM_KILLFOCUS = 0x0008,
    WM_ENABLE = 0x000A,
    WM_SETREDRAW = 0x000B,
    WM_SETTEXT = 0x000C,
    WM_GETTEXT = 0x000D,
    WM_GETTEXTLENGTH = 0x000E,
    WM_PAINT = 0x000F,
    WM_CLOSE = 0x0010,
    WM_QUIT = 0x0012,
    WM_ERASEBKGND = 0x0014,
    WM_SYSCOLORCHANGE = 0x0015,
    WM_SHOWWINDOW = 0x0018,
    WM_ACTIVATEAPP = 0x001C,
    WM_CANCELMODE = 0x001F,
    WM_SETCURSOR = 0x0020,
    WM_MOUSEACTIVATE = 0x0021,
    WM_GETMINMAXINFO = 0x0024,
    WM_WINDOWPOSCHANGING = 0x0046,
    WM_WINDOWPOSCHANGED = 0x0047,
    WM_NOTIFY = 0x004E,
    WM_STYLECHANGING = 0x007C,
    WM_STYLECHANGED = 0x007D,
    WM_NCCREATE = 0x0081,
    WM_NCDESTROY = 0x0082,
    WM_NCCALCSIZE = 0x0083,
    WM_NCHITTEST = 0x0084,
    WM_NCPAINT = 0x0085,
    WM_NCACTIVATE = 0x0086,
    WM_GETDLGCODE = 0x0087,
    WM_NCMOUSEMOVE = 0x00A0,
    WM_NCLBUTTONDOWN = 0x00A1,
    WM_NCLBUTTONUP = 0x00A2,
    WM_NCLBUTTONDBLCLK = 0x00A3,
    WM_NCRBUTTONDOWN = 0x00A4,
    WM_NCRBUTTONUP = 0x00A5,
    WM_NCRBUTTONDBLCLK = 0x00A6,
    WM_NCMBUTTONDOWN = 0x00A7,
    WM_NCMBUTTONUP = 0x00A8,
    WM_NCMBUTTONDBLCLK = 0x00A9,
    WM_KEYDOWN = 0x0100,
    WM_KEYUP = 0x0101,
    WM_CHAR = 0x0102,
    WM_DEADCHAR = 0x0103,
    WM_SYSKEYDOWN = 0x0104,
    WM_SYSKEYUP = 0x0105,
    WM_SYSCHAR = 0x0106,
    WM_COMMAND = 0x0111,
    WM_SYSCOMMAND = 0x0112,
    WM_TIMER = 0x0113,
    WM_HSCROLL = 0x0114,
    WM_VSCROLL = 0x0115,
    WM_MOUSEMOVE = 0x0200,
    WM_LBUTTONDOWN = 0x0201,
    WM_LBUTTONUP = 0x0202,
    WM_LBUTTONDBLCLK = 0x0203,
    WM_RBUTTONDOWN = 0x0204,
    WM_RBUTTONUP = 0x0205,
    WM_RBUTTONDBLCLK = 0x0206,
    WM_MBUTTONDOWN = 0x0207,
    WM_MBUTTONUP = 0x0208,
    WM_MBUTTONDBLCLK = 0x0209,
    WM_MOUSEWHEEL = 0x020A,
    WM_MOUSEHWHEEL = 0x020E,
    WM_SIZING = 0x0214,
    WM_CAPTURECHANGED = 0x0215,
    WM_MOVING = 0x0216,
    WM_ENTERSIZEMOVE = 0x0231,
    WM_EXITSIZEMOVE = 0x0232,
    WM_MOUSEHOVER = 0x02A1,
    WM_MOUSELEAVE = 0x02A3,
    WM_CUT = 0x0300,
    WM_COPY = 0x0301,
    WM_PASTE = 0x0302,
    WM_CLEAR = 0x0303,
    WM_UNDO = 0x0304,
    WM_THEMECHANGED = 0x031A,
    WM_USER = 0x0400,
    WM_APP = 0x8000,
};

// WM_ACTIVATE states, WM_MOUSEACTIVATE answers.
enum : Integer { WA_INACTIVE = 0, WA_ACTIVE = 1, WA_CLICKACTIVE = 2 };
enum : Integer { MA_ACTIVATE = 1, MA_ACTIVATEANDEAT = 2, MA_NOACTIVATE = 3, MA_NOACTIVATEANDEAT = 4 };

// WM_SIZING edges (wParam); lParam points to the proposed window rectangle
// in screen coordinates, which the window may change.
enum : Integer {
    WMSZ_LEFT = 1,
    WMSZ_RIGHT = 2,
    WMSZ_TOP = 3,
    WMSZ_TOPLEFT = 4,
    WMSZ_TOPRIGHT = 5,
    WMSZ_BOTTOM = 6,
    WMSZ_BOTTOMLEFT = 7,
    WMSZ_BOTTOMRIGHT = 8,
};

// WM_SIZE kinds.
enum : Integer { SIZE_RESTORED = 0, SIZE_MINIMIZED = 1, SIZE_MAXIMIZED = 2 };

// Hit-test codes of WM_NCHITTEST.
enum : Integer {
    HTERROR = -2,
    HTTRANSPARENT = -1,
    HTNOWHERE = 0,
    HTCLIENT = 1,
    HTCAPTION = 2,
    HTSYSMENU = 3,
    HTHSCROLL = 6,
    HTVSCROLL = 7,
    HTLEFT = 10,
    HTRIGHT = 11,
    HTTOP = 12,
    HTTOPLEFT = 13,
    HTTOPRIGHT = 14,
    HTBOTTOM = 15,
    HTBOTTOMLEFT = 16,
    HTBOTTOMRIGHT = 17,
    HTBORDER = 18,
};

// Key and button state of mouse messages (wParam).
enum : Cardinal {
    MK_LBUTTON = 0x0001,
    MK_RBUTTON = 0x0002,
    MK_SHIFT = 0x0004,
    MK_CONTROL = 0x0008,
    MK_MBUTTON = 0x0010,
    MK_ALT = 0x0020, // drag and drop key state only
};
constexpr Integer WHEEL_DELTA = 120;

// Scroll-bar codes of WM_HSCROLL and WM_VSCROLL (low word of wParam).
enum : Integer {
    SB_LINEUP = 0,
    SB_LINELEFT = 0,
    SB_LINEDOWN = 1,
    SB_LINERIGHT = 1,
    SB_PAGEUP = 2,
    SB_PAGELEFT = 2,
    SB_PAGEDOWN = 3,
    SB_PAGERIGHT = 3,
    SB_THUMBPOSITION = 4,
    SB_THUMBTRACK = 5,
    SB_TOP = 6,
    SB_LEFT = 6,
    SB_BOTTOM = 7,
    SB_RIGHT = 7,
    SB_ENDSCROLL = 8,
};

// Dialog codes of WM_GETDLGCODE.
enum : Integer {
    DLGC_WANTARROWS = 0x0001,
    DLGC_WANTTAB = 0x0002,
    DLGC_WANTALLKEYS = 0x0004,
    DLGC_WANTMESSAGE = 0x0004,
    DLGC_HASSETSEL = 0x0008,
    DLGC_DEFPUSHBUTTON = 0x0010,
    DLGC_UNDEFPUSHBUTTON = 0x0020,
    DLGC_RADIOBUTTON = 0x0040,
    DLGC_WANTCHARS = 0x0080,
    DLGC_STATIC = 0x0100,
    DLGC_BUTTON = 0x2000,
};

// Notification codes of WM_COMMAND (high word of wParam) the controls send.
enum : Integer {
    EN_CHANGE = 0x0300,
    EN_UPDATE = 0x0400,
    CBN_SELCHANGE = 1,
    CBN_DBLCLK = 2,
    CBN_SETFOCUS = 3,
    CBN_KILLFOCUS = 4,
    CBN_EDITCHANGE = 5,
    CBN_EDITUPDATE = 6,
    CBN_DROPDOWN = 7,
    CBN_CLOSEUP = 8,
    BN_CLICKED = 0,
};

// ---- Records messages point to ----

struct MSG {
    HWND hwnd = nullptr;
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    DWORD time = 0;
    TPoint pt;
};

struct CREATESTRUCT {
    void* lpCreateParams = nullptr;
    NativeInt id = 0;
    HWND hwndParent = nullptr;
    Integer cy = 0;
    Integer cx = 0;
    Integer y = 0;
    Integer x = 0;
    DWORD style = 0;
    String lpszName;
    String lpszClass;
    DWORD dwExStyle = 0;
};

struct WINDOWPOS {
    HWND hwnd = nullptr;
    HWND hwndInsertAfter = nullptr;
    Integer x = 0;
    Integer y = 0;
    Integer cx = 0;
    Integer cy = 0;
    UINT flags = 0;
};

// WM_NCCALCSIZE with wParam TRUE: rgrc[0] the new window rectangle (parent
// client coordinates) on entry, the new client rectangle on return.
struct NCCALCSIZE_PARAMS {
    TRect rgrc[3];
    WINDOWPOS* lppos = nullptr;
};

struct MINMAXINFO {
    TPoint ptReserved;
    TPoint ptMaxSize;
    TPoint ptMaxPosition;
    TPoint ptMinTrackSize;
    TPoint ptMaxTrackSize;
};

struct STYLESTRUCT {
    DWORD styleOld = 0;
    DWORD styleNew = 0;
};

struct NMHDR {
    HWND hwndFrom = nullptr;
    NativeUInt idFrom = 0;
    UINT code = 0;
};

// What a WH_CALLWNDPROC hook receives (lParam) for every sent message.
struct CWPSTRUCT {
    LPARAM lParam = 0;
    WPARAM wParam = 0;
    UINT message = 0;
    HWND hwnd = nullptr;
};

} // namespace winapi

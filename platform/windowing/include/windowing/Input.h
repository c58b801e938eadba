#pragma once
// Mouse and keyboard: capture, leave tracking, double clicks, cursors, the
// cursor position and the keyboard state, with the virtual-key codes.
//
// Input from the backend is queued and routed when retrieved: mouse messages
// go to the capture window, else to the window under the cursor; key
// messages go to the focus window (WM_SYS* forms with Alt held, or to the
// active window when nothing has the focus).

#include "windowing/Messages.h"

namespace winapi {

// ---- Virtual keys ----
enum : Integer {
    VK_LBUTTON = 0x01,
    VK_RBUTTON = 0x02,
    VK_CANCEL = 0x03,
    VK_MBUTTON = 0x04,
    VK_BACK = 0x08,
    VK_TAB = 0x09,
    VK_CLEAR = 0x0C,
    VK_RETURN = 0x0D,
    VK_SHIFT = 0x10,
    VK_CONTROL = 0x11,
    VK_MENU = 0x12,
    VK_PAUSE = 0x13,
    VK_CAPITAL = 0x14,
    VK_ESCAPE = 0x1B,
    VK_SPACE = 0x20,
    VK_PRIOR = 0x21,
    VK_NEXT = 0x22,
    VK_END = 0x23,
    VK_HOME = 0x24,
    VK_LEFT = 0x25,
    VK_UP = 0x26,
    VK_RIGHT = 0x27,
    VK_DOWN = 0x28,
    VK_SNAPSHOT = 0x2C,
    VK_INSERT = 0x2D,
    VK_DELETE = 0x2E,
    VK_HELP = 0x2F,
    VK_LWIN = 0x5B,
    VK_RWIN = 0x5C,
    VK_APPS = 0x5D,
    VK_NUMPAD0 = 0x60,
    VK_NUMPAD1 = 0x61,
    VK_NUMPAD2 = 0x62,
    VK_NUMPAD3 = 0x63,
    VK_NUMPAD4 = 0x64,
    VK_NUMPAD5 = 0x65,
    VK_NUMPAD6 = 0x66,
    VK_NUMPAD7 = 0x67,
    VK_NUMPAD8 = 0x68,
    VK_NUMPAD9 = 0x69,
    VK_MULTIPLY = 0x6A,
    VK_ADD = 0x6B,
    VK_SEPARATOR = 0x6C,
    VK_SUBTRACT = 0x6D,
    VK_DECIMAL = 0x6E,
    VK_DIVIDE = 0x6F,
    VK_F1 = 0x70,
    VK_F2 = 0x71,
    VK_F3 = 0x72,
    VK_F4 = 0x73,
    VK_F5 = 0x74,
    VK_F6 = 0x75,
    VK_F7 = 0x76,
    VK_F8 = 0x77,
    VK_F9 = 0x78,
    VK_F10 = 0x79,
    VK_F11 = 0x7A,
    VK_F12 = 0x7B,
    VK_NUMLOCK = 0x90,
    VK_SCROLL = 0x91,
    VK_LSHIFT = 0xA0,
    VK_RSHIFT = 0xA1,
    VK_LCONTROL = 0xA2,
    VK_RCONTROL = 0xA3,
    VK_LMENU = 0xA4,
    VK_RMENU = 0xA5,
    VK_OEM_1 = 0xBA,
    VK_OEM_PLUS = 0xBB,
    VK_OEM_COMMA = 0xBC,
    VK_OEM_MINUS = 0xBD,
    VK_OEM_PERIOD = 0xBE,
    VK_OEM_2 = 0xBF,
    VK_OEM_3 = 0xC0,
    VK_OEM_4 = 0xDB,
    VK_OEM_5 = 0xDC,
    VK_OEM_6 = 0xDD,
    VK_OEM_7 = 0xDE,
};

// Key-message flags in lParam: repeat count (bits 0-15), scan code (16-23;
// the numeric-keypad keys have bit 0x40 of the scan code, bit 22 of lParam,
// set), extended key (24), Alt held (29), key was down (30), key released (31).
enum : Cardinal {
    KF_EXTENDED = 0x0100,
    KF_ALTDOWN = 0x2000,
    KF_REPEAT = 0x4000,
    KF_UP = 0x8000,
};

// Key state: bit 15 (negative SmallInt) down, bit 0 toggled. GetKeyState
// answers the state as of the last key message retrieved from the queue,
// GetAsyncKeyState the state at this moment. VK_SHIFT, VK_CONTROL and VK_MENU
// combine their left and right keys.
SmallInt GetKeyState(Integer virtualKey);
SmallInt GetAsyncKeyState(Integer virtualKey);
bool GetKeyboardState(Byte (&state)[256]);

// ---- Capture ----
// Mouse messages go to the capture window wherever the cursor is; changing
// or releasing the capture sends WM_CAPTURECHANGED (lParam the new capture
// window) to the window losing it.
HWND SetCapture(HWND window); // answers the previous capture window
bool ReleaseCapture();
HWND GetCapture();

// ---- Leave and hover tracking ----
enum : DWORD { TME_HOVER = 0x01, TME_LEAVE = 0x02, TME_NONCLIENT = 0x10, TME_CANCEL = 0x80000000 };
constexpr DWORD HOVER_DEFAULT = 0xFFFFFFFF;
struct TRACKMOUSEEVENT {
    DWORD dwFlags = 0;
    HWND hwndTrack = nullptr;
    DWORD dwHoverTime = HOVER_DEFAULT;
};
// WM_MOUSELEAVE is posted once when the cursor leaves the window's client
// area after the request; WM_MOUSEHOVER when it rested for the hover time.
bool TrackMouseEvent(TRACKMOUSEEVENT& request);

// ---- Double clicks ----
// A second press of the same button on the same window within the time and
// inside the SM_CXDOUBLECLK x SM_CYDOUBLECLK box around the first becomes a
// double click, for windows whose class has CS_DBLCLKS.
UINT GetDoubleClickTime(); // 500 ms unless set
bool SetDoubleClickTime(UINT milliseconds);

// ---- Cursor ----
enum : Integer {
    IDC_ARROW = 32512,
    IDC_IBEAM = 32513,
    IDC_WAIT = 32514,
    IDC_CROSS = 32515,
    IDC_UPARROW = 32516,
    IDC_SIZENWSE = 32642,
    IDC_SIZENESW = 32643,
    IDC_SIZEWE = 32644,
    IDC_SIZENS = 32645,
    IDC_SIZEALL = 32646,
    IDC_NO = 32648,
    IDC_HAND = 32649,
    IDC_APPSTARTING = 32650,
    IDC_HELP = 32651,
};
// The shared cursor of a standard shape; null for an unknown id.
HCURSOR LoadCursor(Integer id);
// A cursor made from a 32-bit ARGB image (premultiplied, row after row) with its hot spot.
HCURSOR CreateCursorFromImage(Integer width, Integer height, const Cardinal* pixels, TPoint hotSpot);
bool DestroyCursor(HCURSOR cursor); // shared cursors stay
HCURSOR SetCursor(HCURSOR cursor);  // answers the previous one
HCURSOR GetCursor();
// The standard shape of a cursor (0 for an image cursor).
Integer CursorShape(HCURSOR cursor);
bool GetCursorPos(TPoint& point);
// Moves the cursor; the move is queued as mouse input like any other.
bool SetCursorPos(Integer x, Integer y);

} // namespace winapi

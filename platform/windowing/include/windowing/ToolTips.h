#pragma once
// The tool-tip window class.
//
// A tool tip is a top-level pop-up of the class TOOLTIPS_CLASS that shows a
// short text for a "tool": a whole window (TTF_IDISHWND, the window handle
// as uId) or a rectangle of one. With TTF_SUBCLASS the tip watches the mouse
// over the tool itself: after the initial delay over the tool it asks the
// text when the tool gives LPSTR_TEXTCALLBACKW (WM_NOTIFY TTN_GETDISPINFOW
// to the tool's window), shows itself below the cursor (TTN_SHOW), and hides
// (TTN_POP) after the auto-pop delay, when the mouse leaves the tool or a
// button goes down. A tracking tool (TTM_TRACKACTIVATE) shows at once where
// TTM_TRACKPOSITION puts it. With TTS_BALLOON the tip is drawn as a balloon
// with a stem; a title with an icon (TTM_SETTITLEW) goes above the text.

#include "windowing/Window.h"

namespace winapi {

inline const String TOOLTIPS_CLASS = u"tooltips_class32";

inline constexpr DWORD TTS_ALWAYSTIP = 0x01;
inline constexpr DWORD TTS_NOPREFIX = 0x02;
inline constexpr DWORD TTS_BALLOON = 0x40;

enum : UINT {
    TTF_IDISHWND = 0x0001,
    TTF_CENTERTIP = 0x0002,
    TTF_SUBCLASS = 0x0010,
    TTF_TRACK = 0x0020,
    TTF_ABSOLUTE = 0x0080,
};

// TTM_SETDELAYTIME's WParam.
enum : UINT { TTDT_AUTOMATIC = 0, TTDT_RESHOW = 1, TTDT_AUTOPOP = 2, TTDT_INITIAL = 3 };
// TTM_SETTITLEW's icons.
enum : UINT { TTI_NONE = 0, TTI_INFO = 1, TTI_WARNING = 2, TTI_ERROR = 3 };

enum : UINT {
    TTM_ACTIVATE = WM_USER + 1,     // WParam non-zero: the tip may show
    TTM_SETDELAYTIME = WM_USER + 3, // WParam TTDT_*, LParam milliseconds (-1: the default)
    TTM_GETTOOLCOUNT = WM_USER + 13,
    TTM_TRACKACTIVATE = WM_USER + 17, // WParam on or off, LParam TOOLINFOW* of the tool
    TTM_TRACKPOSITION = WM_USER + 18, // LParam MAKELPARAM(x, y) on the screen
    TTM_SETTIPBKCOLOR = WM_USER + 19, // WParam the colour
    TTM_SETTIPTEXTCOLOR = WM_USER + 20,
    TTM_GETDELAYTIME = WM_USER + 21,
    TTM_GETTIPBKCOLOR = WM_USER + 22,
    TTM_GETTIPTEXTCOLOR = WM_USER + 23,
    TTM_SETMAXTIPWIDTH = WM_USER + 24, // LParam the width (-1: none); answers the old one
    TTM_GETMAXTIPWIDTH = WM_USER + 25,
    TTM_POP = WM_USER + 28,
    TTM_UPDATE = WM_USER + 29,
    TTM_SETTITLEW = WM_USER + 33,  // WParam TTI_*, LParam const Char* (at most 99 characters are kept)
    TTM_ADDTOOLW = WM_USER + 50,   // LParam const TOOLINFOW*; answers non-zero on success
    TTM_DELTOOLW = WM_USER + 51,   // LParam const TOOLINFOW* (hwnd and uId)
    TTM_NEWTOOLRECTW = WM_USER + 52,
    TTM_GETTOOLINFOW = WM_USER + 53,
    TTM_UPDATETIPTEXTW = WM_USER + 57,
};

// Notifications (the code of WM_NOTIFY's NMHDR).
inline constexpr UINT TTN_FIRST = UINT(-520);
inline constexpr UINT TTN_GETDISPINFOW = TTN_FIRST - 10;
inline constexpr UINT TTN_NEEDTEXTW = TTN_GETDISPINFOW;
inline constexpr UINT TTN_SHOW = TTN_FIRST - 1;
inline constexpr UINT TTN_POP = TTN_FIRST - 2;

// A tool's text given as this asks for it through TTN_GETDISPINFOW.
inline Char* const LPSTR_TEXTCALLBACKW = reinterpret_cast<Char*>(-1);

struct TOOLINFOW {
    UINT cbSize = sizeof(TOOLINFOW);
    UINT uFlags = 0;
    HWND hwnd = nullptr;
    NativeUInt uId = 0;
    TRect rect;
    void* hinst = nullptr;
    Char* lpszText = nullptr;
    LPARAM lParam = 0;
};

struct NMTTDISPINFOW {
    NMHDR hdr;
    Char* lpszText = nullptr; // the answer: a text, or szText filled
    Char szText[80] = {};
    void* hinst = nullptr;
    UINT uFlags = 0;
    LPARAM lParam = 0;
};

// Registers the tool-tip class (done once; creating a window of it also does).
void InitCommonControls();

} // namespace winapi

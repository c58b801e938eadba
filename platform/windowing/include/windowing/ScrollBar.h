#pragma once
// The standard scroll bars of a window (WS_HSCROLL, WS_VSCROLL), drawn in its
// non-client area by the default WM_NCPAINT. Pressing on one sends
// WM_HSCROLL / WM_VSCROLL with the scroll codes to the window; dragging the
// box sends SB_THUMBTRACK with the track position, the release
// SB_THUMBPOSITION and SB_ENDSCROLL.

#include "windowing/Messages.h"

namespace winapi {

enum : Integer { SB_HORZ = 0, SB_VERT = 1, SB_CTL = 2, SB_BOTH = 3 };
enum : UINT {
    SIF_RANGE = 0x0001,
    SIF_PAGE = 0x0002,
    SIF_POS = 0x0004,
    SIF_DISABLENOSCROLL = 0x0008,
    SIF_TRACKPOS = 0x0010,
    SIF_ALL = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS,
};
enum : UINT {
    ESB_ENABLE_BOTH = 0,
    ESB_DISABLE_LEFT = 1,
    ESB_DISABLE_UP = 1,
    ESB_DISABLE_RIGHT = 2,
    ESB_DISABLE_DOWN = 2,
    ESB_DISABLE_BOTH = 3
};
enum : DWORD { OBJID_HSCROLL = 0xFFFFFFFA, OBJID_VSCROLL = 0xFFFFFFFB };

struct SCROLLINFO {
    UINT fMask = 0;
    Integer nMin = 0;
    Integer nMax = 0;
    UINT nPage = 0;
    Integer nPos = 0;
    Integer nTrackPos = 0;
};

// Sets what fMask names; the page is clamped to the range + 1 and the position
// to [nMin, nMax - max(nPage - 1, 0)]. Answers the new position. A bar whose
// range becomes empty is hidden (disabled with SIF_DISABLENOSCROLL).
Integer SetScrollInfo(HWND window, Integer bar, const SCROLLINFO& info, bool redraw);
bool GetScrollInfo(HWND window, Integer bar, SCROLLINFO& info);
Integer SetScrollPos(HWND window, Integer bar, Integer position, bool redraw); // answers the old position
Integer GetScrollPos(HWND window, Integer bar);
bool SetScrollRange(HWND window, Integer bar, Integer minimum, Integer maximum, bool redraw);
bool ShowScrollBar(HWND window, Integer bar, bool show);
bool EnableScrollBar(HWND window, UINT bar, UINT arrows);

} // namespace winapi

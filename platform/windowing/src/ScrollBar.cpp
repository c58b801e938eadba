// The standard scroll bars of a window and the default drawing of the
// non-client area (borders, edges, caption and scroll bars).

#include "WindowSystem.h"
#include "graphics/Colors.h"
#include "graphics/GdiControls.h"
#include "graphics/GdiDraw.h"
#include "windowing/SystemMetrics.h"

#include <algorithm>

using namespace winapi;

namespace {

enum TScrollPart : Integer { spNone, spArrowBack, spPageBack, spThumb, spPageForward, spArrowForward };

TScrollBarState& BarState(HWND window, Integer bar) {
    return bar == SB_HORZ ? window->HorzBar : window->VertBar;
}
DWORD BarStyle(Integer bar) {
    return bar == SB_HORZ ? WS_HSCROLL : WS_VSCROLL;
}

// The bar's rectangle in window coordinates.
TRect BarRect(HWND window, Integer bar) {
    const TRect& c = window->Client;
    if (bar == SB_VERT) return Rect(c.Right, c.Top, c.Right + GetSystemMetrics(SM_CXVSCROLL), c.Bottom);
    return Rect(c.Left, c.Bottom, c.Right, c.Bottom + GetSystemMetrics(SM_CYHSCROLL));
}

struct TBarLayout {
    Integer Start = 0; // along the bar, window coordinates
    Integer Length = 0;
    Integer Arrow = 0; // arrow button length
    Integer ThumbStart = 0;
    Integer ThumbLength = 0;
    bool HasThumb = false;
};

Integer MaxPosition(const SCROLLINFO& info) {
    return info.nMax - std::max<Integer>(Integer(info.nPage) - 1, 0);
}

TBarLayout Layout(HWND window, Integer bar) {
    TRect r = BarRect(window, bar);
    TBarLayout layout;
    bool vertical = bar == SB_VERT;
    layout.Start = vertical ? r.Top : r.Left;
    layout.Length = vertical ? r.Height() : r.Width();
    Integer thickness = vertical ? r.Width() : r.Height();
    layout.Arrow = std::min(thickness, layout.Length / 2);
    Integer track = layout.Length - 2 * layout.Arrow;
    const auto& state = BarState(window, bar);
    const SCROLLINFO& info = state.Info;
    Integer range = info.nMax - info.nMin + 1;
    if (track < 8 || range <= 0 || state.Arrows == ESB_DISABLE_BOTH || Integer(info.nPage) >= range)
        return layout;
    Integer thumb = info.nPage == 0 ? thickness : std::max(8, Integer(Int64(track) * info.nPage / range));
    thumb = std::min(thumb, track);
    Integer span = MaxPosition(info) - info.nMin;
    Integer position = span > 0 ? Integer(Int64(track - thumb) * (info.nPos - info.nMin) / span) : 0;
    layout.HasThumb = true;
    layout.ThumbStart = layout.Start + layout.Arrow + position;
    layout.ThumbLength = thumb;
    return layout;
}

Integer PartAt(HWND window, Integer bar, TPoint windowPoint) {
    TBarLayout layout = Layout(window, bar);
    Integer along = (bar == SB_VERT ? windowPoint.Y : windowPoint.X) - layout.Start;
    if (along < layout.Arrow) return spArrowBack;
    if (along >= layout.Length - layout.Arrow) return spArrowForward;
    if (!layout.HasThumb) return spNone;
    Integer thumb = layout.ThumbStart - layout.Start;
    if (along < thumb) return spPageBack;
    if (along < thumb + layout.ThumbLength) return spThumb;
    return spPageForward;
}

void SendScroll(HWND window, Integer bar, Integer code, Integer position = 0) {
    SendMessage(window, bar == SB_VERT ? WM_VSCROLL : WM_HSCROLL, MAKEWPARAM(code, position), 0);
}

void Fill(HDC dc, const TRect& r, TColor color) {
    HBRUSH brush = CreateSolidBrush(color);
    FillRect(dc, r, brush);
    DeleteObject(brush);
}

void RaisedBox(HDC dc, TRect r) {
    DrawEdge(dc, r, EDGE_RAISED, BF_RECT | BF_MIDDLE);
}

void Arrow(HDC dc, TRect box, Integer bar, bool back, bool enabled) {
    const Cardinal part = bar == SB_VERT ? (back ? DFCS_SCROLLUP : DFCS_SCROLLDOWN)
                                         : (back ? DFCS_SCROLLLEFT : DFCS_SCROLLRIGHT);
    DrawFrameControl(dc, box, DFC_SCROLL, enabled ? part : part | DFCS_INACTIVE);
}

void DrawBar(HWND window, HDC dc, Integer bar) {
    TRect r = BarRect(window, bar);
    const auto& state = BarState(window, bar);
    Fill(dc, r, GetSysColor(COLOR_SCROLLBAR));
    TBarLayout layout = Layout(window, bar);
    bool vertical = bar == SB_VERT;
    auto span = [&](Integer from, Integer length) {
        return vertical ? Rect(r.Left, from, r.Right, from + length)
                        : Rect(from, r.Top, from + length, r.Bottom);
    };
    Arrow(dc, span(layout.Start, layout.Arrow), bar, true, !(state.Arrows & ESB_DISABLE_UP));
    Arrow(dc, span(layout.Start + layout.Length - layout.Arrow, layout.Arrow), bar, false,
          !(state.Arrows & ESB_DISABLE_DOWN));
    if (layout.HasThumb) RaisedBox(dc, span(layout.ThumbStart, layout.ThumbLength));
}

void FrameChanged(HWND window) {
    SetWindowPos(window, nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace

namespace detail {

Integer ScrollBarHitTest(HWND window, TPoint windowPoint) {
    if ((window->Style & WS_VSCROLL) && PtInRect(BarRect(window, SB_VERT), windowPoint)) return HTVSCROLL;
    if ((window->Style & WS_HSCROLL) && PtInRect(BarRect(window, SB_HORZ), windowPoint)) return HTHSCROLL;
    return HTNOWHERE;
}

void ScrollBarPress(HWND window, Integer hitTest, TPoint screenPoint) {
    auto& system = System();
    Integer bar = hitTest == HTVSCROLL ? SB_VERT : SB_HORZ;
    TRect bounds;
    GetWindowRect(window, bounds);
    TPoint p{screenPoint.X - bounds.Left, screenPoint.Y - bounds.Top};
    Integer part = PartAt(window, bar, p);
    if (part == spNone || BarState(window, bar).Arrows == ESB_DISABLE_BOTH) return;
    system.ScrollTrackWindow = window;
    system.ScrollTrackBar = bar;
    system.ScrollTrackPart = part;
    switch (part) {
    case spArrowBack:
        SendScroll(window, bar, SB_LINEUP);
        break;
    case spArrowForward:
        SendScroll(window, bar, SB_LINEDOWN);
        break;
    case spPageBack:
        SendScroll(window, bar, SB_PAGEUP);
        break;
    case spPageForward:
        SendScroll(window, bar, SB_PAGEDOWN);
        break;
    case spThumb: {
        TBarLayout layout = Layout(window, bar);
        system.ScrollTrackGrab = (bar == SB_VERT ? p.Y : p.X) - layout.ThumbStart;
        auto& info = BarState(window, bar).Info;
        info.nTrackPos = info.nPos;
        break;
    }
    default:
        break;
    }
}

bool ScrollBarTrackMove(TPoint screenPoint) {
    auto& system = System();
    HWND window = Record(system.ScrollTrackWindow);
    if (!window) {
        system.ScrollTrackWindow = nullptr;
        return false;
    }
    if (system.ScrollTrackPart != spThumb) return true;
    Integer bar = system.ScrollTrackBar;
    TRect bounds;
    GetWindowRect(window, bounds);
    Integer along =
        (bar == SB_VERT ? screenPoint.Y - bounds.Top : screenPoint.X - bounds.Left) - system.ScrollTrackGrab;
    TBarLayout layout = Layout(window, bar);
    auto& info = BarState(window, bar).Info;
    Integer track = layout.Length - 2 * layout.Arrow - layout.ThumbLength;
    Integer span = MaxPosition(info) - info.nMin;
    Integer offset = std::clamp(along - (layout.Start + layout.Arrow), 0, std::max(track, 0));
    Integer position =
        track > 0 ? info.nMin + Integer((Int64(offset) * span + track / 2) / track) : info.nMin;
    if (position != info.nTrackPos) {
        info.nTrackPos = position;
        SendScroll(window, bar, SB_THUMBTRACK, position);
    }
    return true;
}

bool ScrollBarTrackRelease() {
    auto& system = System();
    HWND window = Record(system.ScrollTrackWindow);
    system.ScrollTrackWindow = nullptr;
    if (!window) return false;
    Integer bar = system.ScrollTrackBar;
    if (system.ScrollTrackPart == spThumb)
        SendScroll(window, bar, SB_THUMBPOSITION, BarState(window, bar).Info.nTrackPos);
    if (Record(window)) SendScroll(window, bar, SB_ENDSCROLL);
    return true;
}

void DrawNonClient(HWND window, HRGN region) {
    HDC dc = GetDCEx(window, region, DCX_WINDOW | DCX_INTERSECTRGN);
    if (!dc) return;
    TRect r = Rect(0, 0, window->Rect.Width(), window->Rect.Height());
    DWORD style = window->Style;
    if (style & (WS_THICKFRAME | WS_DLGFRAME)) {
        Integer frame = (style & WS_THICKFRAME) ? 4 : 3;
        TRect inner = r;
        InflateRect(inner, -frame, -frame);
        HRGN band = CreateRectRgnIndirect(r);
        HRGN hole = CreateRectRgnIndirect(inner);
        CombineRgn(band, band, hole, RGN_DIFF);
        HBRUSH face = CreateSolidBrush(GetSysColor(COLOR_BTNFACE));
        FillRgn(dc, band, face);
        DeleteObject(face);
        DeleteObject(band);
        DeleteObject(hole);
        TRect outer = r;
        DrawEdge(dc, outer, BDR_RAISEDOUTER, BF_RECT);
        InflateRect(r, -frame, -frame);
    } else if (style & WS_BORDER) {
        HBRUSH frame = CreateSolidBrush(GetSysColor(COLOR_WINDOWFRAME));
        FrameRect(dc, r, frame);
        DeleteObject(frame);
        InflateRect(r, -1, -1);
    }
    if ((style & WS_CAPTION) == WS_CAPTION) {
        bool active = System().Active == window;
        Fill(dc, Rect(r.Left, r.Top, r.Right, r.Top + 23),
             GetSysColor(active ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION));
        r.Top += 23;
    }
    if (window->Menu && IsTopLevel(*window)) {
        DrawMenuBarIn(window, dc);
        r.Top += GetSystemMetrics(SM_CYMENU);
    }
    if (window->ExStyle & WS_EX_CLIENTEDGE) {
        DrawEdge(dc, r, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
    }
    if (window->ExStyle & WS_EX_STATICEDGE) {
        DrawEdge(dc, r, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
    }
    if (style & WS_VSCROLL) DrawBar(window, dc, SB_VERT);
    if (style & WS_HSCROLL) DrawBar(window, dc, SB_HORZ);
    if ((style & WS_VSCROLL) && (style & WS_HSCROLL)) {
        const TRect& c = window->Client;
        Fill(dc,
             Rect(c.Right, c.Bottom, c.Right + GetSystemMetrics(SM_CXVSCROLL),
                  c.Bottom + GetSystemMetrics(SM_CYHSCROLL)),
             GetSysColor(COLOR_BTNFACE));
    }
    ReleaseDC(window, dc);
}

} // namespace detail

namespace winapi {

Integer SetScrollInfo(HWND window, Integer bar, const SCROLLINFO& info, bool redraw) {
    if (!Record(window) || (bar != SB_HORZ && bar != SB_VERT)) return 0;
    auto& state = BarState(window, bar);
    SCROLLINFO& current = state.Info;
    if (info.fMask & SIF_RANGE) {
        current.nMin = info.nMin;
        current.nMax = info.nMax;
    }
    if (info.fMask & SIF_PAGE) current.nPage = info.nPage;
    if (info.fMask & SIF_POS) current.nPos = info.nPos;
    Integer range = current.nMax - current.nMin + 1;
    if (range < 1) range = 1;
    if (Integer(current.nPage) > range) current.nPage = UINT(range);
    current.nPos = std::clamp(current.nPos, current.nMin, std::max(current.nMin, MaxPosition(current)));
    if (info.fMask & (SIF_RANGE | SIF_PAGE)) {
        bool scrollable =
            current.nMax > current.nMin && Integer(current.nPage) < current.nMax - current.nMin + 1;
        DWORD style = window->Style;
        if (info.fMask & SIF_DISABLENOSCROLL) {
            style |= BarStyle(bar);
            state.Arrows = scrollable ? ESB_ENABLE_BOTH : ESB_DISABLE_BOTH;
        } else if (scrollable) {
            style |= BarStyle(bar);
            state.Arrows = ESB_ENABLE_BOTH;
        } else {
            style &= ~BarStyle(bar);
        }
        if (style != window->Style) {
            window->Style = style;
            FrameChanged(window);
        }
    }
    if (redraw && Record(window))
        RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_NOCHILDREN);
    return current.nPos;
}

bool GetScrollInfo(HWND window, Integer bar, SCROLLINFO& info) {
    if (!Record(window) || (bar != SB_HORZ && bar != SB_VERT)) return false;
    const SCROLLINFO& current = BarState(window, bar).Info;
    if (info.fMask & SIF_RANGE) {
        info.nMin = current.nMin;
        info.nMax = current.nMax;
    }
    if (info.fMask & SIF_PAGE) info.nPage = current.nPage;
    if (info.fMask & SIF_POS) info.nPos = current.nPos;
    if (info.fMask & SIF_TRACKPOS) {
        bool tracking = System().ScrollTrackWindow == window && System().ScrollTrackBar == bar;
        info.nTrackPos = tracking ? current.nTrackPos : current.nPos;
    }
    return true;
}

Integer SetScrollPos(HWND window, Integer bar, Integer position, bool redraw) {
    Integer old = GetScrollPos(window, bar);
    SCROLLINFO info;
    info.fMask = SIF_POS;
    info.nPos = position;
    SetScrollInfo(window, bar, info, redraw);
    return old;
}

Integer GetScrollPos(HWND window, Integer bar) {
    SCROLLINFO info;
    info.fMask = SIF_POS;
    return GetScrollInfo(window, bar, info) ? info.nPos : 0;
}

bool SetScrollRange(HWND window, Integer bar, Integer minimum, Integer maximum, bool redraw) {
    SCROLLINFO info;
    info.fMask = SIF_RANGE;
    info.nMin = minimum;
    info.nMax = maximum;
    SetScrollInfo(window, bar, info, redraw);
    return Record(window) != nullptr;
}

bool ShowScrollBar(HWND window, Integer bar, bool show) {
    if (!Record(window)) return false;
    DWORD bits = bar == SB_BOTH ? (WS_HSCROLL | WS_VSCROLL) : (bar == SB_VERT ? WS_VSCROLL : WS_HSCROLL);
    DWORD style = show ? (window->Style | bits) : (window->Style & ~bits);
    if (style != window->Style) {
        window->Style = style;
        FrameChanged(window);
    }
    return true;
}

bool EnableScrollBar(HWND window, UINT bar, UINT arrows) {
    if (!Record(window)) return false;
    if (bar == UINT(SB_HORZ) || bar == UINT(SB_BOTH)) window->HorzBar.Arrows = arrows;
    if (bar == UINT(SB_VERT) || bar == UINT(SB_BOTH)) window->VertBar.Arrows = arrows;
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_NOCHILDREN);
    return true;
}

} // namespace winapi

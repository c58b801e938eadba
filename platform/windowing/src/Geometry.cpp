// Coordinates, hit-testing of windows, window regions and monitors.

#include "WindowSystem.h"

#include <algorithm>

using namespace winapi;

namespace {

TPoint WindowOriginOnScreen(HWND window) {
    HWND top = TopLevelOf(window);
    TRect surface = SurfaceRect(window);
    return {top->Rect.Left + surface.Left, top->Rect.Top + surface.Top};
}

bool ContainsScreenPoint(HWND window, TPoint screen) {
    TPoint origin = WindowOriginOnScreen(window);
    Integer x = screen.X - origin.X;
    Integer y = screen.Y - origin.Y;
    if (x < 0 || y < 0 || x >= window->Rect.Width() || y >= window->Rect.Height()) return false;
    return !window->Region || window->Region->Contains(x, y);
}

// The deepest window under the point among `windows` (front first) and
// their children, skipping hidden and disabled windows and those that
// answer HTTRANSPARENT.
HWND Search(const std::vector<HWND>& windows, TPoint screen, Integer& hitTest) {
    for (HWND window : std::vector<HWND>(windows)) {
        if (!Record(window) || !IsShownSelf(*window) || (window->Style & WS_DISABLED)) continue;
        if (!ContainsScreenPoint(window, screen)) continue;
        TPoint client = ClientOriginOnScreen(window);
        TRect clientRect = Bounds(client.X, client.Y, window->Client.Width(), window->Client.Height());
        if (PtInRect(clientRect, screen))
            if (HWND child = Search(window->Children, screen, hitTest)) return child;
        if (!Record(window)) continue;
        hitTest = Integer(SendMessage(window, WM_NCHITTEST, 0, MAKELPARAM(screen.X, screen.Y)));
        if (hitTest == HTTRANSPARENT) continue;
        return window;
    }
    hitTest = HTNOWHERE;
    return nullptr;
}

HMONITOR MonitorRecordAt(size_t index) {
    auto& system = System();
    auto monitors = system.BackendPtr->Monitors();
    while (system.MonitorRecords.size() < monitors.size())
        system.MonitorRecords.push_back(std::make_unique<TMonitorRecord>());
    for (size_t i = 0; i < monitors.size(); ++i)
        system.MonitorRecords[i]->Info = monitors[i];
    if (index >= monitors.size()) return nullptr;
    return system.MonitorRecords[index].get();
}

Int64 DistanceSquared(const TRect& rect, TPoint p) {
    Int64 dx = p.X < rect.Left ? rect.Left - p.X : (p.X >= rect.Right ? p.X - rect.Right + 1 : 0);
    Int64 dy = p.Y < rect.Top ? rect.Top - p.Y : (p.Y >= rect.Bottom ? p.Y - rect.Bottom + 1 : 0);
    return dx * dx + dy * dy;
}

} // namespace

namespace winapi {

bool GetWindowRect(HWND window, TRect& rect) {
    if (!Record(window)) return false;
    TPoint origin = WindowOriginOnScreen(window);
    rect = Bounds(origin.X, origin.Y, window->Rect.Width(), window->Rect.Height());
    return true;
}

bool GetClientRect(HWND window, TRect& rect) {
    if (!Record(window)) return false;
    rect = Rect(0, 0, window->Client.Width(), window->Client.Height());
    return true;
}

bool ClientToScreen(HWND window, TPoint& point) {
    if (!Record(window)) return false;
    TPoint origin = ClientOriginOnScreen(window);
    point.X += origin.X;
    point.Y += origin.Y;
    return true;
}

bool ScreenToClient(HWND window, TPoint& point) {
    if (!Record(window)) return false;
    TPoint origin = ClientOriginOnScreen(window);
    point.X -= origin.X;
    point.Y -= origin.Y;
    return true;
}

Integer MapWindowPoints(HWND from, HWND to, TPoint* points, UINT count) {
    if ((from && !Record(from)) || (to && !Record(to))) return 0;
    TPoint a = from ? ClientOriginOnScreen(from) : TPoint{};
    TPoint b = to ? ClientOriginOnScreen(to) : TPoint{};
    Integer dx = a.X - b.X;
    Integer dy = a.Y - b.Y;
    for (UINT i = 0; i < count; ++i) {
        points[i].X += dx;
        points[i].Y += dy;
    }
    return Integer(MAKELONG(Word(dx & 0xFFFF), Word(dy & 0xFFFF)));
}

HWND WindowFromPoint(TPoint point) {
    Integer hitTest;
    return detail::HitWindow(point, hitTest);
}

HWND ChildWindowFromPointEx(HWND parent, TPoint point, UINT flags) {
    if (!Record(parent)) return nullptr;
    TRect client;
    GetClientRect(parent, client);
    if (!PtInRect(client, point)) return nullptr;
    for (HWND child : parent->Children) {
        if ((flags & CWP_SKIPINVISIBLE) && !IsShownSelf(*child)) continue;
        if ((flags & CWP_SKIPDISABLED) && (child->Style & WS_DISABLED)) continue;
        if ((flags & CWP_SKIPTRANSPARENT) && (child->ExStyle & WS_EX_TRANSPARENT)) continue;
        if (!PtInRect(child->Rect, point)) continue;
        if (child->Region && !child->Region->Contains(point.X - child->Rect.Left, point.Y - child->Rect.Top))
            continue;
        return child;
    }
    return parent;
}

Integer SetWindowRgn(HWND window, HRGN region, bool redraw) {
    if (!Record(window)) {
        DeleteObject(region);
        return 0;
    }
    bool shown = IsShownChain(window);
    if (shown && redraw && !IsTopLevel(*window))
        detail::InvalidateExposedArea(TopLevelOf(window), SurfaceRect(window));
    if (region) {
        window->Region = region->Region;
        DeleteObject(region);
    } else {
        window->Region.reset();
    }
    if (shown && redraw) detail::InvalidateAfterShow(window);
    return 1;
}

Integer GetWindowRgn(HWND window, HRGN region) {
    if (!Record(window) || !region || !window->Region) return RGN_ERROR;
    region->Region = *window->Region;
    if (region->Region.IsEmpty()) return NULLREGION;
    return region->Region.RectCount() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

HMONITOR MonitorFromPoint(TPoint point, DWORD flags) {
    auto monitors = Backend().Monitors();
    size_t nearest = 0;
    Int64 best = -1;
    for (size_t i = 0; i < monitors.size(); ++i) {
        Int64 d = DistanceSquared(monitors[i].rcMonitor, point);
        if (d == 0) return MonitorRecordAt(i);
        if (best < 0 || d < best) {
            best = d;
            nearest = i;
        }
    }
    if (flags == MONITOR_DEFAULTTONULL) return nullptr;
    return MonitorRecordAt(flags == MONITOR_DEFAULTTONEAREST ? nearest : 0);
}

HMONITOR MonitorFromRect(const TRect& rect, DWORD flags) {
    auto monitors = Backend().Monitors();
    Int64 bestArea = 0;
    size_t best = 0;
    bool found = false;
    for (size_t i = 0; i < monitors.size(); ++i) {
        TRect common;
        if (IntersectRect(common, rect, monitors[i].rcMonitor)) {
            Int64 area = Int64(common.Width()) * common.Height();
            if (!found || area > bestArea) {
                bestArea = area;
                best = i;
                found = true;
            }
        }
    }
    if (found) return MonitorRecordAt(best);
    return MonitorFromPoint({(rect.Left + rect.Right) / 2, (rect.Top + rect.Bottom) / 2}, flags);
}

HMONITOR MonitorFromWindow(HWND window, DWORD flags) {
    TRect rect;
    if (!GetWindowRect(window, rect)) return flags == MONITOR_DEFAULTTONULL ? nullptr : MonitorRecordAt(0);
    return MonitorFromRect(rect, flags);
}

bool GetMonitorInfo(HMONITOR monitor, MONITORINFO& info) {
    auto& system = System();
    MonitorRecordAt(0);
    for (auto& record : system.MonitorRecords)
        if (record.get() == monitor) {
            info = record->Info;
            return true;
        }
    return false;
}

Integer GetMonitorCount() {
    return Integer(Backend().Monitors().size());
}

} // namespace winapi

namespace detail {

HWND HitWindow(TPoint screen, Integer& hitTest) {
    return Search(System().TopLevels, screen, hitTest);
}

} // namespace detail

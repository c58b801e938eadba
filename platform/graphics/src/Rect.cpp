#include "graphics/Rect.h"

#include <algorithm>

namespace winapi {

bool IntersectRect(TRect& dest, const TRect& a, const TRect& b) {
    TRect r{std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right),
            std::min(a.Bottom, b.Bottom)};
    if (r.IsEmpty()) {
        dest = {};
        return false;
    }
    dest = r;
    return true;
}

bool UnionRect(TRect& dest, const TRect& a, const TRect& b) {
    if (a.IsEmpty()) {
        dest = b.IsEmpty() ? TRect{} : b;
    } else if (b.IsEmpty()) {
        dest = a;
    } else {
        dest = {std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right, b.Right),
                std::max(a.Bottom, b.Bottom)};
    }
    return !dest.IsEmpty();
}

void InflateRect(TRect& rect, Integer dx, Integer dy) {
    rect.Left -= dx;
    rect.Right += dx;
    rect.Top -= dy;
    rect.Bottom += dy;
}

void OffsetRect(TRect& rect, Integer dx, Integer dy) {
    rect.Left += dx;
    rect.Right += dx;
    rect.Top += dy;
    rect.Bottom += dy;
}

bool PtInRect(const TRect& rect, const TPoint& p) {
    return p.X >= rect.Left && p.X < rect.Right && p.Y >= rect.Top && p.Y < rect.Bottom;
}

} // namespace winapi

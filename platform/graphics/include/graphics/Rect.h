#pragma once
// Integer points, sizes and rectangles in the shape the windowing and drawing
// code speaks: a rectangle's right and bottom edges lie outside it.

#include "rtl/Types.h"

struct TPoint {
    Integer X = 0;
    Integer Y = 0;
    friend bool operator==(const TPoint&, const TPoint&) = default;
};

struct TSize {
    Integer cx = 0;
    Integer cy = 0;
    friend bool operator==(const TSize&, const TSize&) = default;
};

struct TRect {
    Integer Left = 0;
    Integer Top = 0;
    Integer Right = 0;
    Integer Bottom = 0;

    Integer Width() const { return Right - Left; }
    Integer Height() const { return Bottom - Top; }
    TPoint TopLeft() const { return {Left, Top}; }
    TPoint BottomRight() const { return {Right, Bottom}; }
    bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
    friend bool operator==(const TRect&, const TRect&) = default;
};

inline TPoint Point(Integer x, Integer y) { return {x, y}; }
inline TRect Rect(Integer left, Integer top, Integer right, Integer bottom) { return {left, top, right, bottom}; }
inline TRect Bounds(Integer left, Integer top, Integer width, Integer height) {
    return {left, top, left + width, top + height};
}

namespace winapi {

// The rectangle routines of the platform: empty results are all zero, as there.
bool IntersectRect(TRect& dest, const TRect& a, const TRect& b);
bool UnionRect(TRect& dest, const TRect& a, const TRect& b);
void InflateRect(TRect& rect, Integer dx, Integer dy);
void OffsetRect(TRect& rect, Integer dx, Integer dy);
bool PtInRect(const TRect& rect, const TPoint& point);
inline bool IsRectEmpty(const TRect& rect) { return rect.IsEmpty(); }
inline void SetRect(TRect& rect, Integer l, Integer t, Integer r, Integer b) { rect = {l, t, r, b}; }

} // namespace winapi

#pragma once
// Integer points and rectangles of the drawing calls as their floating-point
// forms, which every drawing operation works in.

#include "graphics/GdiPlusTypes.h"

#include <vector>

inline std::vector<TGPPointF> ToF(const TGPPoint* points, Integer count) {
    std::vector<TGPPointF> f;
    for (Integer i = 0; i < count; ++i)
        f.push_back({Single(points[i].X), Single(points[i].Y)});
    return f;
}

inline TGPRectF ToF(const TGPRect& r) {
    return {Single(r.X), Single(r.Y), Single(r.Width), Single(r.Height)};
}

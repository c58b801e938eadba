#pragma once
// GDI drawing on a device context, with GDI's pixel rules: aliased output,
// rectangles, ellipses and rounded rectangles exclude their right and bottom
// edges, lines leave out their last pixel, and a figure drawn without a pen
// fills one pixel less to the right and bottom. Coordinates are logical units.

#include "graphics/DeviceContext.h"

enum : Integer {
    FLOODFILLBORDER = 0,
    FLOODFILLSURFACE = 1,
};

namespace winapi {

bool MoveToEx(HDC dc, Integer x, Integer y, TPoint* previous);
bool LineTo(HDC dc, Integer x, Integer y);
bool Polyline(HDC dc, const TPoint* points, Integer count);
bool Polygon(HDC dc, const TPoint* points, Integer count);
bool Rectangle(HDC dc, Integer left, Integer top, Integer right, Integer bottom);
bool RoundRect(HDC dc, Integer left, Integer top, Integer right, Integer bottom, Integer width, Integer height);
bool Ellipse(HDC dc, Integer left, Integer top, Integer right, Integer bottom);
// The counter-clockwise arc of the ellipse in the box, from where the line
// from the centre to (xStart, yStart) meets it to the end radial point.
bool Arc(HDC dc, Integer left, Integer top, Integer right, Integer bottom, Integer xStart, Integer yStart, Integer xEnd,
         Integer yEnd);

// Fills or frames with a brush; neither uses the pen or the raster operation.
bool FillRect(HDC dc, const TRect& rect, HBRUSH brush);
bool FrameRect(HDC dc, const TRect& rect, HBRUSH brush);
bool InvertRect(HDC dc, const TRect& rect);
bool FillRgn(HDC dc, HRGN region, HBRUSH brush);

TColor SetPixel(HDC dc, Integer x, Integer y, TColor color);
// CLR_INVALID outside the clip or on a surface without readable pixels.
TColor GetPixel(HDC dc, Integer x, Integer y);
// Fills with the selected brush: FLOODFILLBORDER up to pixels of `color`,
// FLOODFILLSURFACE over the connected pixels of `color`. Image surfaces only.
bool ExtFloodFill(HDC dc, Integer x, Integer y, TColor color, Integer type);
bool FloodFill(HDC dc, Integer x, Integer y, TColor color);

// Paths: between BeginPath and EndPath the line and figure routines above
// record outlines instead of drawing.
bool BeginPath(HDC dc);
bool EndPath(HDC dc);
bool AbortPath(HDC dc);
bool CloseFigure(HDC dc);
bool StrokePath(HDC dc);
bool FillPath(HDC dc);
bool StrokeAndFillPath(HDC dc);

} // namespace winapi

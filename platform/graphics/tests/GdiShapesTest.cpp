#include <gtest/gtest.h>

#include "PixelTestSupport.h"
#include "graphics/Colors.h"
#include "graphics/GdiDraw.h"

using namespace winapi;

namespace {

using Picture = std::vector<std::string>;


} // namespace

TEST(GdiShapes, OnePixelRectangleOutlineCoversZeroToNine) {
    TPixelSurface s(12, 12);
    HDC dc = s.DC();
    SelectObject(dc, GetStockObject(NULL_BRUSH));
    Rectangle(dc, 0, 0, 10, 10);
    Picture expected;
    for (int y = 0; y < 12; ++y) {
        std::string row(12, '.');
        for (int x = 0; x < 10 && y < 10; ++x) {
            if (y == 0 || y == 9 || x == 0 || x == 9) row[x] = '#';
        }
        expected.push_back(row);
    }
    EXPECT_EQ(s.Mask(clBlack), expected);
}

TEST(GdiShapes, FilledFiguresExcludeTheRightAndBottomEdges) {
    TPixelSurface s(8, 6);
    HDC dc = s.DC();
    HBRUSH red = CreateSolidBrush(clRed);
    FillRect(dc, Rect(1, 1, 5, 4), red);
    EXPECT_EQ(s.Mask(clRed), (Picture{
                                 "........",
                                 ".####...",
                                 ".####...",
                                 ".####...",
                                 "........",
                                 "........",
                             }));
    // Without a pen a Rectangle fills one pixel less to the right and bottom.
    s.Select(CreateSolidBrush(clBlue));
    SelectObject(dc, GetStockObject(NULL_PEN));
    Rectangle(dc, 1, 1, 5, 4);
    EXPECT_EQ(s.Mask(clBlue), (Picture{
                                  "........",
                                  ".###....",
                                  ".###....",
                                  "........",
                                  "........",
                                  "........",
                              }));
    DeleteObject(red);
}

TEST(GdiShapes, RectangleWithPenAndBrush) {
    TPixelSurface s(6, 5);
    HDC dc = s.DC();
    s.Select(CreateSolidBrush(clRed));
    Rectangle(dc, 0, 0, 5, 4);
    EXPECT_EQ(s.Mask(clRed), (Picture{
                                 "......",
                                 ".###..",
                                 ".###..",
                                 "......",
                                 "......",
                             }));
    EXPECT_EQ(s.Count(clBlack), 14);
}

TEST(GdiShapes, AliasedOutputHasNoIntermediateShades) {
    TPixelSurface s(40, 40);
    HDC dc = s.DC();
    s.Select(CreateSolidBrush(clBlack));
    Ellipse(dc, 1, 1, 30, 22);
    RoundRect(dc, 5, 20, 38, 38, 12, 12);
    TPoint star[] = {{20, 2}, {38, 30}, {2, 12}, {38, 12}, {2, 30}};
    Polygon(dc, star, 5);
    s.Select(CreatePen(PS_SOLID, 3, clBlack));
    MoveToEx(dc, 0, 39, nullptr);
    LineTo(dc, 39, 3);
    Arc(dc, 0, 0, 39, 39, 39, 0, 0, 39);
    EXPECT_TRUE(s.OnlyColors(clWhite, clBlack));
}

TEST(GdiShapes, LinesLeaveOutTheirLastPixel) {
    TPixelSurface s(6, 4);
    HDC dc = s.DC();
    MoveToEx(dc, 0, 0, nullptr);
    LineTo(dc, 4, 0);
    LineTo(dc, 4, 3);
    MoveToEx(dc, 0, 1, nullptr);
    LineTo(dc, 2, 3);
    EXPECT_EQ(s.Mask(clBlack), (Picture{
                                   "#####.",
                                   "#...#.",
                                   ".#..#.",
                                   "......",
                               }));
    TPoint position;
    GetCurrentPositionEx(dc, &position);
    EXPECT_EQ(position, Point(2, 3));
}

TEST(GdiShapes, PenStylesOnAHorizontalLine) {
    struct Case {
        Integer Style;
        std::string Row;
    };
    const Case cases[] = {
        {PS_SOLID, "##############################"},
        {PS_DOT, "###...###...###...###...###..."},
        {PS_DASH, "##################......######"},
        {PS_DASHDOT, "#########......###......######"},
        {PS_DASHDOTDOT, "#########...###...###...######"},
        {PS_NULL, ".............................."},
    };
    for (const Case& c : cases) {
        TPixelSurface s(30, 1);
        HDC dc = s.DC();
        SetBkMode(dc, TRANSPARENT);
        s.Select(CreatePen(c.Style, 1, clBlack));
        MoveToEx(dc, 0, 0, nullptr);
        LineTo(dc, 30, 0);
        EXPECT_EQ(s.Mask(clBlack)[0], c.Row) << c.Style;
    }
}

TEST(GdiShapes, StyledPenGapsTakeTheBackgroundWhenOpaque) {
    TPixelSurface s(12, 1);
    HDC dc = s.DC();
    SetBkColor(dc, clRed);
    s.Select(CreatePen(PS_DOT, 1, clBlack));
    MoveToEx(dc, 0, 0, nullptr);
    LineTo(dc, 12, 0);
    EXPECT_EQ(s.Mask(clRed)[0], "...###...###");
}

TEST(GdiShapes, AlternatePenLightsEveryOtherPixel) {
    TPixelSurface s(7, 3);
    HDC dc = s.DC();
    TLogBrush brush{BS_SOLID, clBlack, 0};
    HPEN pen = ExtCreatePen(PS_COSMETIC | PS_ALTERNATE, 1, brush);
    HGDIOBJ old = SelectObject(dc, pen);
    SelectObject(dc, GetStockObject(NULL_BRUSH));
    Rectangle(dc, 0, 0, 7, 3);
    EXPECT_EQ(s.Mask(clBlack), (Picture{
                                   "#.#.#.#",
                                   ".......",
                                   "#.#.#.#",
                               }));
    SelectObject(dc, old);
    DeleteObject(pen);
}

TEST(GdiShapes, XorModeDrawnTwiceRestoresThePixels) {
    TPixelSurface s(10, 10);
    HDC dc = s.DC();
    HBRUSH red = CreateSolidBrush(clRed);
    FillRect(dc, Rect(0, 0, 5, 10), red);
    SetROP2(dc, R2_XORPEN);
    s.Select(CreatePen(PS_SOLID, 1, clWhite));
    for (int pass = 0; pass < 2; ++pass) {
        MoveToEx(dc, 0, 0, nullptr);
        LineTo(dc, 10, 10);
        if (pass == 0) {
            EXPECT_EQ(s.Pixel(2, 2), RGB(0, 255, 255)); // red xor white
            EXPECT_EQ(s.Pixel(7, 7), clBlack);
        }
    }
    EXPECT_EQ(s.Count(clRed), 50);
    EXPECT_EQ(s.Count(clWhite), 50);
    DeleteObject(red);
}

TEST(GdiShapes, PolygonFillModes) {
    const TPoint star[] = {{10, 0}, {16, 20}, {0, 7}, {20, 7}, {4, 20}};
    struct Case {
        Integer Mode;
        TColor Centre;
    };
    for (const Case& c : {Case{ALTERNATE, clWhite}, Case{WINDING, clBlack}}) {
        TPixelSurface s(21, 21);
        HDC dc = s.DC();
        SelectObject(dc, GetStockObject(NULL_PEN));
        s.Select(CreateSolidBrush(clBlack));
        SetPolyFillMode(dc, c.Mode);
        Polygon(dc, star, 5);
        EXPECT_EQ(s.Pixel(10, 11), c.Centre) << c.Mode;
        EXPECT_EQ(s.Pixel(10, 3), clBlack) << c.Mode;
    }
}

TEST(GdiShapes, ArcRunsCounterClockwiseFromStartToEnd) {
    TPixelSurface s(21, 21);
    HDC dc = s.DC();
    // From the right (3 o'clock) counter-clockwise to the top (12 o'clock).
    Arc(dc, 0, 0, 21, 21, 21, 10, 10, 0);
    int upperRight = 0, elsewhere = 0;
    for (int y = 0; y < 21; ++y)
        for (int x = 0; x < 21; ++x)
            if (s.Pixel(x, y) == clBlack) (x >= 10 && y <= 10 ? upperRight : elsewhere)++;
    EXPECT_GT(upperRight, 10);
    EXPECT_EQ(elsewhere, 0);
}

TEST(GdiShapes, FloodFillStopsAtTheBorderColour) {
    TPixelSurface s(12, 12);
    HDC dc = s.DC();
    SelectObject(dc, GetStockObject(NULL_BRUSH));
    Ellipse(dc, 1, 1, 11, 11);
    s.Select(CreateSolidBrush(clRed));
    EXPECT_TRUE(FloodFill(dc, 6, 6, clBlack));
    EXPECT_EQ(s.Pixel(6, 6), clRed);
    EXPECT_EQ(s.Pixel(0, 0), clWhite);
    EXPECT_EQ(s.Pixel(11, 11), clWhite);
    EXPECT_FALSE(FloodFill(dc, 1, 6, clBlack)); // starts on the border
    // Surface mode repaints the connected white outside.
    s.Select(CreateSolidBrush(clBlue));
    EXPECT_TRUE(ExtFloodFill(dc, 0, 0, clWhite, FLOODFILLSURFACE));
    EXPECT_EQ(s.Pixel(11, 0), clBlue);
    EXPECT_EQ(s.Pixel(6, 6), clRed);
}

TEST(GdiShapes, PathsRecordThenStrokeOrFill) {
    TPixelSurface s(8, 8);
    HDC dc = s.DC();
    BeginPath(dc);
    MoveToEx(dc, 1, 1, nullptr);
    LineTo(dc, 6, 1);
    LineTo(dc, 6, 6);
    LineTo(dc, 1, 6);
    CloseFigure(dc);
    EndPath(dc);
    EXPECT_EQ(s.Count(clBlack), 0); // recorded, not drawn
    s.Select(CreateSolidBrush(clRed));
    EXPECT_TRUE(StrokeAndFillPath(dc));
    EXPECT_EQ(s.Count(clRed), 16);   // 2..5 × 2..5 inside the outline
    EXPECT_EQ(s.Count(clBlack), 20); // outline 1..6
    EXPECT_FALSE(StrokePath(dc));    // the path is used up
}

TEST(GdiShapes, PixelsReadAndWrite) {
    TPixelSurface s(4, 4);
    HDC dc = s.DC();
    EXPECT_EQ(SetPixel(dc, 2, 1, clBtnFace), RGB(240, 240, 240));
    EXPECT_EQ(GetPixel(dc, 2, 1), RGB(240, 240, 240));
    EXPECT_EQ(GetPixel(dc, 9, 9), CLR_INVALID);
    IntersectClipRect(dc, 0, 0, 1, 1);
    EXPECT_EQ(GetPixel(dc, 2, 1), CLR_INVALID);
}

TEST(GdiShapes, FrameAndInvertRect) {
    TPixelSurface s(5, 4);
    HDC dc = s.DC();
    HBRUSH black = CreateSolidBrush(clBlack);
    FrameRect(dc, Rect(0, 0, 5, 4), black);
    InvertRect(dc, Rect(0, 0, 2, 4));
    EXPECT_EQ(s.Mask(clBlack), (Picture{
                                   "..###",
                                   ".#..#",
                                   ".#..#",
                                   "..###",
                               }));
    DeleteObject(black);
}

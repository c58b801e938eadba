#include "graphics/GdiControls.h"

#include "PixelTestSupport.h"
#include "graphics/Colors.h"
#include "graphics/GdiDraw.h"

#include <gtest/gtest.h>

using namespace winapi;

namespace {

const TColor Face = ColorToRGB(clBtnFace);
const TColor Light = ColorToRGB(cl3DLight);
const TColor Highlight = ColorToRGB(clBtnHighlight);
const TColor Shadow = ColorToRGB(clBtnShadow);
const TColor DarkShadow = ColorToRGB(cl3DDkShadow);
const TColor Window = ColorToRGB(clWindow);
const TColor Frame = ColorToRGB(clWindowFrame);
const TColor Text = ColorToRGB(clWindowText);
const TColor Background = RGB(1, 2, 3); // a colour no control part uses

void Fill(HDC dc, const TRect& r, TColor color) {
    HBRUSH brush = CreateSolidBrush(color);
    FillRect(dc, r, brush);
    DeleteObject(brush);
}

} // namespace

TEST(DrawEdge, BorderColoursOfEachKind) {
    struct Case {
        Cardinal Edge, Flags;
        TColor OuterTopLeft, InnerTopLeft, InnerBottomRight, OuterBottomRight, Middle;
    };
    const Case cases[] = {
        {EDGE_RAISED, BF_RECT, Light, Highlight, Shadow, DarkShadow, Background},
        {EDGE_SUNKEN, BF_RECT, Shadow, DarkShadow, Light, Highlight, Background},
        {EDGE_ETCHED, BF_RECT, Shadow, Highlight, Shadow, Highlight, Background},
        {EDGE_BUMP, BF_RECT, Light, DarkShadow, Light, DarkShadow, Background},
        {EDGE_RAISED, BF_RECT | BF_SOFT, Highlight, Light, Shadow, DarkShadow, Background},
        {EDGE_SUNKEN, BF_RECT | BF_SOFT, DarkShadow, Shadow, Light, Highlight, Background},
        {EDGE_RAISED, BF_RECT | BF_FLAT | BF_MIDDLE, Shadow, Face, Face, Shadow, Face},
        {EDGE_SUNKEN, BF_RECT | BF_MONO | BF_MIDDLE, Frame, Window, Window, Frame, Window},
        {EDGE_RAISED, BF_RECT | BF_MIDDLE, Light, Highlight, Shadow, DarkShadow, Face},
    };
    for (const Case& c : cases) {
        TPixelSurface s(6, 6);
        Fill(s.DC(), Rect(0, 0, 6, 6), Background);
        TRect r = Rect(0, 0, 6, 6);
        EXPECT_TRUE(DrawEdge(s.DC(), r, c.Edge, c.Flags));
        EXPECT_EQ(r, Rect(0, 0, 6, 6)); // no BF_ADJUST
        SCOPED_TRACE(testing::Message() << std::hex << c.Edge << " " << c.Flags);
        EXPECT_EQ(s.Pixel(0, 3), c.OuterTopLeft);
        EXPECT_EQ(s.Pixel(3, 1), c.InnerTopLeft);
        EXPECT_EQ(s.Pixel(4, 3), c.InnerBottomRight);
        EXPECT_EQ(s.Pixel(3, 5), c.OuterBottomRight);
        EXPECT_EQ(s.Pixel(2, 3), c.Middle);
        // The right and bottom lines own the top-right and bottom-left corners.
        EXPECT_EQ(s.Pixel(5, 0), c.OuterBottomRight);
        EXPECT_EQ(s.Pixel(0, 5), c.OuterBottomRight);
        EXPECT_EQ(s.Pixel(0, 0), c.OuterTopLeft);
    }
}

TEST(DrawEdge, SidesAndAdjust) {
    TPixelSurface s(8, 6);
    Fill(s.DC(), Rect(0, 0, 8, 6), Background);
    // The sunken outer border of a flat combo box, adjusting the rectangle.
    TRect r = Rect(1, 1, 7, 5);
    EXPECT_TRUE(DrawEdge(s.DC(), r, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST));
    EXPECT_EQ(r, Rect(2, 2, 6, 4));
    EXPECT_EQ(s.Mask(Shadow), (std::vector<std::string>{
                                  "........",
                                  ".#####..",
                                  ".#......",
                                  ".#......",
                                  "........",
                                  "........",
                              }));
    EXPECT_EQ(s.Pixel(6, 1), Highlight);
    EXPECT_EQ(s.Pixel(1, 4), Highlight);
    EXPECT_EQ(s.Pixel(0, 0), Background);

    // Only the right and bottom sides of a raised edge: two lines each.
    TPixelSurface t(5, 5);
    Fill(t.DC(), Rect(0, 0, 5, 5), Background);
    r = Rect(0, 0, 5, 5);
    EXPECT_TRUE(DrawEdge(t.DC(), r, EDGE_RAISED, BF_BOTTOMRIGHT | BF_ADJUST));
    EXPECT_EQ(r, Rect(0, 0, 3, 3));
    EXPECT_EQ(t.Mask(DarkShadow), (std::vector<std::string>{
                                      "....#",
                                      "....#",
                                      "....#",
                                      "....#",
                                      "#####",
                                  }));
    EXPECT_EQ(t.Mask(Shadow), (std::vector<std::string>{
                                  "...#.",
                                  "...#.",
                                  "...#.",
                                  "####.",
                                  ".....",
                              }));
    EXPECT_EQ(t.Count(Background), 9);

    TRect unchanged = Rect(0, 0, 5, 5);
    EXPECT_FALSE(DrawEdge(t.DC(), unchanged, EDGE_RAISED, BF_DIAGONAL | BF_TOPLEFT));
    EXPECT_FALSE(DrawEdge(nullptr, unchanged, EDGE_RAISED, BF_RECT));
}

TEST(DrawFrameControl, PushButtonStates) {
    struct Case {
        Cardinal State;
        TColor TopLeft, SecondTopLeft, BottomRight, Inside;
        TRect Adjusted;
    };
    const Case cases[] = {
        {DFCS_BUTTONPUSH, Highlight, Light, DarkShadow, Face, Rect(2, 2, 8, 6)},
        {DFCS_BUTTONPUSH | DFCS_HOT, Highlight, Light, DarkShadow, Face, Rect(2, 2, 8, 6)},
        {DFCS_BUTTONPUSH | DFCS_PUSHED, DarkShadow, Shadow, Highlight, Face, Rect(2, 2, 8, 6)},
        {DFCS_BUTTONPUSH | DFCS_FLAT, Shadow, Face, Shadow, Face, Rect(1, 1, 9, 7)},
        {DFCS_BUTTONPUSH | DFCS_MONO, Frame, Window, Frame, Window, Rect(1, 1, 9, 7)},
    };
    for (const Case& c : cases) {
        TPixelSurface s(10, 8);
        TRect r = Rect(0, 0, 10, 8);
        EXPECT_TRUE(DrawFrameControl(s.DC(), r, DFC_BUTTON, c.State | DFCS_ADJUSTRECT));
        SCOPED_TRACE(testing::Message() << std::hex << c.State);
        EXPECT_EQ(r, c.Adjusted);
        EXPECT_EQ(s.Pixel(0, 4), c.TopLeft);
        EXPECT_EQ(s.Pixel(1, 4), c.SecondTopLeft);
        EXPECT_EQ(s.Pixel(9, 4), c.BottomRight);
        EXPECT_EQ(s.Pixel(5, 7), c.BottomRight);
        EXPECT_EQ(s.Pixel(4, 4), c.Inside);
    }
}

TEST(DrawFrameControl, CheckBoxShowsItsMarkInItsState) {
    TPixelSurface s(13, 13);
    TRect r = Rect(0, 0, 13, 13);
    EXPECT_TRUE(DrawFrameControl(s.DC(), r, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_CHECKED));
    EXPECT_EQ(s.Mask(Text), (std::vector<std::string>{
                                ".............",
                                ".............",
                                ".............",
                                ".........#...",
                                "........##...",
                                "...#...###...",
                                "...##.###....",
                                "...#####.....",
                                "....###......",
                                ".....#.......",
                                ".............",
                                ".............",
                                ".............",
                            }));
    EXPECT_EQ(s.Pixel(0, 0), Shadow);     // sunken: outer top-left
    EXPECT_EQ(s.Pixel(1, 1), DarkShadow); // inner top-left
    EXPECT_EQ(s.Pixel(12, 12), Highlight);
    EXPECT_EQ(s.Pixel(11, 11), Light);
    EXPECT_EQ(s.Pixel(2, 2), Window);

    struct Case {
        Cardinal State;
        TColor Mark, Inside, Outer;
    };
    const Case cases[] = {
        {DFCS_BUTTONCHECK, Window, Window, Shadow}, // unchecked: no mark
        {DFCS_BUTTONCHECK | DFCS_CHECKED | DFCS_INACTIVE, Shadow, Face, Shadow},
        {DFCS_BUTTONCHECK | DFCS_CHECKED | DFCS_PUSHED, Text, Face, Shadow},
        {DFCS_BUTTON3STATE | DFCS_CHECKED, Shadow, Face, Shadow}, // mixed
        {DFCS_BUTTONCHECK | DFCS_CHECKED | DFCS_FLAT, Text, Window, Shadow},
        {DFCS_BUTTONCHECK | DFCS_CHECKED | DFCS_MONO, Text, Window, Frame},
    };
    for (const Case& c : cases) {
        TPixelSurface box(13, 13);
        TRect all = Rect(0, 0, 13, 13);
        DrawFrameControl(box.DC(), all, DFC_BUTTON, c.State);
        SCOPED_TRACE(testing::Message() << std::hex << c.State);
        EXPECT_EQ(box.Pixel(5, 7), c.Mark);
        EXPECT_EQ(box.Pixel(3, 3), c.Inside);
        EXPECT_EQ(box.Pixel(0, 6), c.Outer);
        EXPECT_EQ(box.Pixel(12, 0), (c.State & DFCS_FLAT)   ? Shadow
                                    : (c.State & DFCS_MONO) ? Frame
                                                            : Highlight);
    }
    // A flat box has a single border: its second ring is already the inside.
    TPixelSurface flat(13, 13);
    TRect all = Rect(0, 0, 13, 13);
    DrawFrameControl(flat.DC(), all, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_FLAT);
    EXPECT_EQ(flat.Pixel(1, 6), Window);
}

TEST(DrawFrameControl, CheckBoxIsACentredSquareAndScalesItsMark) {
    TPixelSurface s(30, 22);
    TRect r = Rect(0, 0, 30, 22);
    DrawFrameControl(s.DC(), r, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_CHECKED);
    EXPECT_EQ(s.Pixel(3, 10), clWhite); // left of the 22-pixel square
    EXPECT_EQ(s.Pixel(4, 10), Shadow);  // its left border
    EXPECT_EQ(s.Pixel(25, 10), Highlight);
    EXPECT_EQ(s.Count(Text), 2 * 2 * 21); // the mark at twice the size
}

TEST(DrawFrameControl, RadioButtonRingsAndDot) {
    TPixelSurface s(12, 12);
    Fill(s.DC(), Rect(0, 0, 12, 12), Background);
    TRect r = Rect(0, 0, 12, 12);
    EXPECT_TRUE(DrawFrameControl(s.DC(), r, DFC_BUTTON, DFCS_BUTTONRADIO | DFCS_CHECKED));
    EXPECT_EQ(s.Mask(Text), (std::vector<std::string>{
                                "............",
                                "............",
                                "............",
                                "............",
                                ".....##.....",
                                "....####....",
                                "....####....",
                                ".....##.....",
                                "............",
                                "............",
                                "............",
                                "............",
                            }));
    EXPECT_EQ(s.Pixel(0, 0), Background); // corners stay outside the circle
    EXPECT_EQ(s.Pixel(11, 11), Background);
    EXPECT_EQ(s.Pixel(0, 5), Shadow);     // outer ring, upper left half
    EXPECT_EQ(s.Pixel(11, 6), Highlight); // outer ring, lower right half
    EXPECT_EQ(s.Pixel(1, 5), DarkShadow);
    EXPECT_EQ(s.Pixel(10, 6), Light);
    EXPECT_EQ(s.Pixel(3, 3), Window);

    TPixelSurface off(12, 12);
    TRect all = Rect(0, 0, 12, 12);
    DrawFrameControl(off.DC(), all, DFC_BUTTON, DFCS_BUTTONRADIO | DFCS_INACTIVE | DFCS_FLAT);
    EXPECT_EQ(off.Count(Text), 0);
    EXPECT_EQ(off.Pixel(0, 5), Shadow);
    EXPECT_EQ(off.Pixel(11, 6), Shadow); // flat: one colour all round
    EXPECT_EQ(off.Pixel(1, 5), Face);    // inactive inside
}

TEST(DrawFrameControl, ScrollArrows) {
    struct Case {
        Cardinal Part;
        std::vector<std::string> Glyph; // the arrow inside a 17 x 17 button
    };
    const Case cases[] = {
        {DFCS_SCROLLDOWN, {"#######", ".#####.", "..###..", "...#..."}},
        {DFCS_SCROLLCOMBOBOX, {"#######", ".#####.", "..###..", "...#..."}},
        {DFCS_SCROLLUP, {"...#...", "..###..", ".#####.", "#######"}},
        {DFCS_SCROLLRIGHT, {"#...", "##..", "###.", "####", "###.", "##..", "#..."}},
        {DFCS_SCROLLLEFT, {"...#", "..##", ".###", "####", ".###", "..##", "...#"}},
    };
    for (const Case& c : cases) {
        TPixelSurface s(17, 17);
        TRect r = Rect(0, 0, 17, 17);
        EXPECT_TRUE(DrawFrameControl(s.DC(), r, DFC_SCROLL, c.Part));
        SCOPED_TRACE(testing::Message() << c.Part);
        const int w = int(c.Glyph[0].size()), h = int(c.Glyph.size());
        const int x0 = 2 + (13 - w) / 2, y0 = 2 + (13 - h) / 2;
        std::vector<std::string> expected(17, std::string(17, '.'));
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                expected[y0 + y][x0 + x] = c.Glyph[y][x];
        EXPECT_EQ(s.Mask(ColorToRGB(clBtnText)), expected);
        EXPECT_EQ(s.Pixel(0, 6), Highlight); // a raised push button around it
        EXPECT_EQ(s.Pixel(16, 6), DarkShadow);
        EXPECT_EQ(s.Pixel(2, 2), Face);
    }
}

TEST(DrawFrameControl, PushedAndInactiveArrows) {
    TPixelSurface normal(17, 17), pushed(17, 17), inactive(17, 17), small(10, 10);
    TRect r = Rect(0, 0, 17, 17);
    DrawFrameControl(normal.DC(), r, DFC_SCROLL, DFCS_SCROLLDOWN);
    DrawFrameControl(pushed.DC(), r, DFC_SCROLL, DFCS_SCROLLDOWN | DFCS_PUSHED);
    DrawFrameControl(inactive.DC(), r, DFC_SCROLL, DFCS_SCROLLDOWN | DFCS_INACTIVE);
    const TColor arrow = ColorToRGB(clBtnText);
    // Pushed: a flat frame and the arrow one pixel right and down.
    EXPECT_EQ(pushed.Pixel(0, 6), Shadow);
    EXPECT_EQ(pushed.Pixel(16, 6), Shadow);
    EXPECT_EQ(normal.Pixel(5, 6), arrow);
    EXPECT_EQ(pushed.Pixel(5, 6), Face);
    EXPECT_EQ(pushed.Pixel(6, 7), arrow);
    EXPECT_EQ(pushed.Count(arrow), normal.Count(arrow));
    // Inactive: the arrow in the shadow colour over its highlight copy.
    EXPECT_EQ(inactive.Count(arrow), 0);
    EXPECT_EQ(inactive.Pixel(5, 6), Shadow);
    EXPECT_EQ(inactive.Pixel(12, 7), Highlight);
    // A small button still shows an arrow (the flat mini scroll's ten pixels).
    TRect tiny = Rect(0, 0, 10, 10);
    DrawFrameControl(small.DC(), tiny, DFC_SCROLL, DFCS_SCROLLUP | DFCS_FLAT | DFCS_ADJUSTRECT);
    EXPECT_EQ(small.Count(arrow), 4);
    EXPECT_EQ(small.Pixel(0, 0), Shadow);
    EXPECT_EQ(tiny, Rect(2, 2, 8, 8));

    TRect caption = r;
    EXPECT_FALSE(DrawFrameControl(normal.DC(), caption, DFC_CAPTION, 0));
}

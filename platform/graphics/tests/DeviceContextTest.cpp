#include <gtest/gtest.h>

#include "PixelTestSupport.h"
#include "graphics/Colors.h"
#include "graphics/GdiDraw.h"

using namespace winapi;

namespace {

void FillAll(HDC dc, TColor color) {
    HBRUSH brush = CreateSolidBrush(color);
    FillRect(dc, Rect(0, 0, 100, 100), brush);
    DeleteObject(brush);
}

} // namespace

TEST(DeviceContext, SaveAndRestoreBringBackStateAndClip) {
    TPixelSurface s(20, 20);
    HDC dc = s.DC();
    SetTextColor(dc, clRed);
    EXPECT_EQ(SaveDC(dc), 1);
    IntersectClipRect(dc, 2, 2, 5, 5);
    SetTextColor(dc, clBlue);
    EXPECT_EQ(SaveDC(dc), 2);
    SetMapMode(dc, MM_LOMETRIC);

    EXPECT_TRUE(RestoreDC(dc, -1));
    EXPECT_EQ(GetMapMode(dc), MM_TEXT);
    EXPECT_EQ(GetTextColor(dc), clBlue);
    EXPECT_TRUE(RestoreDC(dc, 1));
    EXPECT_EQ(GetTextColor(dc), clRed);
    TRect box;
    EXPECT_EQ(GetClipBox(dc, box), SIMPLEREGION);
    EXPECT_EQ(box, Rect(0, 0, 20, 20));
    EXPECT_FALSE(RestoreDC(dc, 1)); // nothing saved any more
    EXPECT_FALSE(RestoreDC(dc, 0));
}

TEST(DeviceContext, ClippingNarrowsAndExcludes) {
    TPixelSurface s(10, 4);
    HDC dc = s.DC();
    IntersectClipRect(dc, 1, 0, 9, 4);
    IntersectClipRect(dc, 0, 1, 8, 3); // only ever narrows
    ExcludeClipRect(dc, 3, 0, 5, 4);
    TRect box;
    EXPECT_EQ(GetClipBox(dc, box), COMPLEXREGION);
    EXPECT_EQ(box, Rect(1, 1, 8, 3));
    FillAll(dc, clBlack);
    EXPECT_EQ(s.Mask(clBlack), (std::vector<std::string>{
                                   "..........",
                                   ".##..###..",
                                   ".##..###..",
                                   "..........",
                               }));
}

TEST(DeviceContext, SelectClipRgnTakesACopyOfAPolygonRegion) {
    TPixelSurface s(6, 6);
    HDC dc = s.DC();
    TPoint triangle[] = {{0, 0}, {6, 0}, {0, 6}};
    HRGN region = CreatePolygonRgn(triangle, 3, ALTERNATE);
    EXPECT_EQ(SelectClipRgn(dc, region), COMPLEXREGION);
    DeleteObject(region); // the context keeps its own copy
    FillAll(dc, clBlack);
    EXPECT_EQ(s.Mask(clBlack), (std::vector<std::string>{
                                   "######",
                                   "#####.",
                                   "####..",
                                   "###...",
                                   "##....",
                                   "#.....",
                               }));
    SelectClipRgn(dc, nullptr);
    FillAll(dc, clRed);
    EXPECT_EQ(s.Count(clRed), 36);
}

TEST(DeviceContext, CombineRgnModes) {
    struct Case {
        Integer Mode;
        Integer Kind;
        TRect Box;
        int Area;
    };
    const Case cases[] = {
        {RGN_AND, SIMPLEREGION, Rect(2, 2, 4, 4), 4},  {RGN_OR, COMPLEXREGION, Rect(0, 0, 6, 6), 28},
        {RGN_XOR, COMPLEXREGION, Rect(0, 0, 6, 6), 24}, {RGN_DIFF, COMPLEXREGION, Rect(0, 0, 4, 4), 12},
        {RGN_COPY, SIMPLEREGION, Rect(0, 0, 4, 4), 16},
    };
    for (const Case& c : cases) {
        HRGN a = CreateRectRgn(0, 0, 4, 4), b = CreateRectRgn(2, 2, 6, 6), dest = CreateRectRgn(0, 0, 0, 0);
        EXPECT_EQ(CombineRgn(dest, a, b, c.Mode), c.Kind) << c.Mode;
        TRect box;
        GetRgnBox(dest, box);
        EXPECT_EQ(box, c.Box) << c.Mode;
        int area = 0;
        for (int y = 0; y < 6; ++y)
            for (int x = 0; x < 6; ++x) area += PtInRegion(dest, x, y);
        EXPECT_EQ(area, c.Area) << c.Mode;
        DeleteObject(a);
        DeleteObject(b);
        DeleteObject(dest);
    }
}

TEST(DeviceContext, RoundRectRegionCutsItsCorners) {
    HRGN region = CreateRoundRectRgn(0, 0, 20, 10, 8, 8);
    EXPECT_FALSE(PtInRegion(region, 0, 0));
    EXPECT_FALSE(PtInRegion(region, 19, 9));
    EXPECT_TRUE(PtInRegion(region, 10, 0));
    EXPECT_TRUE(PtInRegion(region, 0, 5));
    EXPECT_FALSE(PtInRegion(region, 20, 5));
    DeleteObject(region);
}

TEST(DeviceContext, MetricMappingTurnsTheYAxisUp) {
    TPixelSurface s(200, 200, TDeviceTechnology::Printer, 254);
    HDC dc = s.DC();
    EXPECT_EQ(SetMapMode(dc, MM_LOMETRIC), MM_TEXT);
    struct Case {
        TPoint Logical;
        TPoint Device;
    };
    const Case cases[] = {{{0, 0}, {0, 0}}, {{100, -50}, {100, 50}}, {{254, -254}, {254, 254}}};
    for (const Case& c : cases) {
        TPoint p = c.Logical;
        LPtoDP(dc, &p, 1);
        EXPECT_EQ(p, c.Device);
        DPtoLP(dc, &p, 1);
        EXPECT_EQ(p, c.Logical);
    }
    TRect box;
    GetClipBox(dc, box);
    EXPECT_EQ(box, Rect(0, -200, 200, 0)); // page content lies at negative y
}

TEST(DeviceContext, MetricMappingScalesWithTheResolution) {
    TPixelSurface s(100, 100, TDeviceTechnology::Display, 96);
    HDC dc = s.DC();
    SetMapMode(dc, MM_LOMETRIC);
    SetViewportOrgEx(dc, 10, 20, nullptr);
    TPoint p{254, -127}; // one inch right, half an inch down
    LPtoDP(dc, &p, 1);
    EXPECT_EQ(p, Point(106, 68));
}

TEST(DeviceContext, DeviceCapabilities) {
    TPixelSurface screen(300, 200);
    EXPECT_EQ(GetDeviceCaps(screen.DC(), LOGPIXELSX), 96);
    EXPECT_EQ(GetDeviceCaps(screen.DC(), HORZRES), 300);
    EXPECT_EQ(GetDeviceCaps(screen.DC(), TECHNOLOGY), DT_RASDISPLAY);
    TPixelSurface printer(600, 300, TDeviceTechnology::Printer, 300);
    EXPECT_EQ(GetDeviceCaps(printer.DC(), LOGPIXELSY), 300);
    EXPECT_EQ(GetDeviceCaps(printer.DC(), HORZSIZE), 51);
    EXPECT_EQ(GetDeviceCaps(printer.DC(), PHYSICALWIDTH), 600);
}

TEST(DeviceContext, DeviceOriginAndVisibleRegionPlaceAWindow) {
    TPixelSurface s(10, 10);
    HDC dc = s.DC();
    dc->SetDeviceOrigin({4, 4});
    dc->SetVisibleRegion(TPixelRegion(Rect(4, 4, 8, 8)));
    FillAll(dc, clBlack);
    EXPECT_EQ(s.Count(clBlack), 16);
    EXPECT_EQ(s.Pixel(4, 4), clBlack);
    TRect box;
    GetClipBox(dc, box);
    EXPECT_EQ(box, Rect(0, 0, 4, 4));
    cairo_matrix_t m = dc->Transform();
    EXPECT_EQ(m.x0, 4);
}

#include <gtest/gtest.h>

#include "PixelTestSupport.h"
#include "graphics/Colors.h"
#include "graphics/GdiBlit.h"
#include "graphics/GdiDraw.h"

using namespace winapi;

namespace {

void Fill(HDC dc, const TRect& r, TColor color) {
    HBRUSH brush = CreateSolidBrush(color);
    FillRect(dc, r, brush);
    DeleteObject(brush);
}

} // namespace

TEST(GdiBlit, RasterOperationsCombineSourceAndDestination) {
    TPixelSurface source(2, 1);
    SetPixel(source.DC(), 0, 0, RGB(0xF0, 0x0F, 0x33));
    SetPixel(source.DC(), 1, 0, clBlack);
    struct Case {
        Cardinal Rop;
        TColor Result; // over a destination of 0x55AACC (r, g, b)
    };
    const Case cases[] = {
        {SRCCOPY, RGB(0xF0, 0x0F, 0x33)},
        {SRCINVERT, RGB(0xF0 ^ 0x55, 0x0F ^ 0xAA, 0x33 ^ 0xCC)},
        {SRCAND, RGB(0xF0 & 0x55, 0x0F & 0xAA, 0x33 & 0xCC)},
        {SRCPAINT, RGB(0xF0 | 0x55, 0x0F | 0xAA, 0x33 | 0xCC)},
        {NOTSRCCOPY, RGB(0x0F, 0xF0, 0xCC)},
        {DSTINVERT, RGB(0xAA, 0x55, 0x33)},
        {BLACKNESS, clBlack},
    };
    for (const Case& c : cases) {
        TPixelSurface dest(2, 1);
        Fill(dest.DC(), Rect(0, 0, 2, 1), RGB(0x55, 0xAA, 0xCC));
        EXPECT_TRUE(BitBlt(dest.DC(), 0, 0, 1, 1, source.DC(), 0, 0, c.Rop));
        EXPECT_EQ(dest.Pixel(0, 0), c.Result) << std::hex << c.Rop;
        EXPECT_EQ(dest.Pixel(1, 0), RGB(0x55, 0xAA, 0xCC)) << std::hex << c.Rop;
    }
}

TEST(GdiBlit, MaskAndInvertDrawATransparentImage) {
    // The classic icon drawing: AND with the mask, then XOR with the image.
    TPixelSurface mask(2, 1), image(2, 1), dest(2, 1);
    SetPixel(mask.DC(), 0, 0, clBlack); // pixel 0 opaque, pixel 1 transparent
    SetPixel(image.DC(), 0, 0, clRed);
    SetPixel(image.DC(), 1, 0, clBlack);
    Fill(dest.DC(), Rect(0, 0, 2, 1), clBlue);
    BitBlt(dest.DC(), 0, 0, 2, 1, mask.DC(), 0, 0, SRCAND);
    BitBlt(dest.DC(), 0, 0, 2, 1, image.DC(), 0, 0, SRCINVERT);
    EXPECT_EQ(dest.Pixel(0, 0), clRed);
    EXPECT_EQ(dest.Pixel(1, 0), clBlue);
}

TEST(GdiBlit, StretchAndMirror) {
    TPixelSurface source(2, 1);
    SetPixel(source.DC(), 0, 0, clRed);
    SetPixel(source.DC(), 1, 0, clBlue);
    TPixelSurface dest(4, 2);
    StretchBlt(dest.DC(), 0, 0, 4, 2, source.DC(), 0, 0, 2, 1, SRCCOPY);
    EXPECT_EQ(dest.Mask(clRed), (std::vector<std::string>{"##..", "##.."}));
    StretchBlt(dest.DC(), 3, 0, -4, 1, source.DC(), 0, 0, 2, 1, SRCCOPY);
    EXPECT_EQ(dest.Mask(clBlue)[0], "##..");
}

TEST(GdiBlit, AlphaBlendAndTransparentCopy) {
    TPixelSurface source(2, 1), dest(2, 1);
    Fill(source.DC(), Rect(0, 0, 2, 1), clBlack);
    SetPixel(source.DC(), 1, 0, clFuchsia);
    TBlendFunction half{AC_SRC_OVER, 0, 128, 0};
    AlphaBlend(dest.DC(), 0, 0, 1, 1, source.DC(), 0, 0, 1, 1, half);
    EXPECT_EQ(dest.Pixel(0, 0), RGB(127, 127, 127));
    SetPixel(dest.DC(), 0, 0, clLime);
    TransparentBlt(dest.DC(), 0, 0, 2, 1, source.DC(), 0, 0, 2, 1, clFuchsia);
    EXPECT_EQ(dest.Pixel(0, 0), clBlack);
    EXPECT_EQ(dest.Pixel(1, 0), clWhite);
}

TEST(GdiBlit, CopiesStayInsideTheClip) {
    TPixelSurface source(4, 4), dest(4, 4);
    Fill(source.DC(), Rect(0, 0, 4, 4), clRed);
    IntersectClipRect(dest.DC(), 1, 1, 3, 3);
    BitBlt(dest.DC(), 0, 0, 4, 4, source.DC(), 0, 0, SRCINVERT);
    BitBlt(dest.DC(), 0, 0, 4, 4, source.DC(), 0, 0, SRCCOPY);
    EXPECT_EQ(dest.Count(clRed), 4);
}

#include "graphics/GdiBlit.h"

#include "PixelTestSupport.h"
#include "graphics/Colors.h"
#include "graphics/GdiDraw.h"

#include <cstring>
#include <gtest/gtest.h>

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

namespace {

// A packed bitmap description with its colour table, and the pixel rows of a
// 2 x 2 picture given top row first as palette indexes.
struct TTestDib {
    std::vector<Byte> Info; // BITMAPINFO with room for the colour table
    std::vector<Byte> Bits;
    const BITMAPINFO* Header() const { return reinterpret_cast<const BITMAPINFO*>(Info.data()); }
};

TTestDib MakeDib(int bits, bool topDown, const std::vector<TColor>& palette, const int (&picture)[2][2]) {
    TTestDib dib;
    BITMAPINFOHEADER h;
    h.biWidth = 2;
    h.biHeight = topDown ? -2 : 2;
    h.biBitCount = uint16_t(bits);
    h.biClrUsed = bits <= 8 ? Cardinal(palette.size()) : 0;
    dib.Info.resize(sizeof(h) + (bits <= 8 ? palette.size() * sizeof(RGBQUAD) : 0));
    std::memcpy(dib.Info.data(), &h, sizeof(h));
    for (std::size_t i = 0; bits <= 8 && i < palette.size(); ++i) {
        RGBQUAD q{GetBValue(palette[i]), GetGValue(palette[i]), GetRValue(palette[i]), 0};
        std::memcpy(dib.Info.data() + sizeof(h) + i * sizeof(q), &q, sizeof(q));
    }
    const int stride = (2 * bits + 31) / 32 * 4;
    dib.Bits.assign(std::size_t(stride) * 2, 0);
    for (int memoryRow = 0; memoryRow < 2; ++memoryRow) {
        const int y = topDown ? memoryRow : 1 - memoryRow;
        Byte* row = dib.Bits.data() + memoryRow * stride;
        for (int x = 0; x < 2; ++x) {
            const int index = picture[y][x];
            const TColor c = palette[std::size_t(index)];
            if (bits <= 8) {
                row[x * bits / 8] |= Byte(index << (8 - bits - x * bits % 8));
            } else {
                Byte* p = row + x * bits / 8;
                p[0] = GetBValue(c), p[1] = GetGValue(c), p[2] = GetRValue(c);
                if (bits == 32) p[3] = 0x10; // an alpha byte GDI ignores
            }
        }
    }
    return dib;
}

} // namespace

TEST(StretchDIBits, EveryDepthAndRowOrderScales) {
    const std::vector<TColor> colors = {clRed, clLime, clBlue, clYellow};
    const int picture[2][2] = {{0, 1}, {2, 3}};
    const int twoColours[2][2] = {{0, 1}, {1, 0}};
    for (int bits : {1, 4, 8, 24, 32}) {
        for (bool topDown : {false, true}) {
            SCOPED_TRACE(testing::Message() << bits << (topDown ? " top-down" : " bottom-up"));
            const auto& shape = bits == 1 ? twoColours : picture;
            const TTestDib dib = MakeDib(bits, topDown, colors, shape);
            TPixelSurface dest(6, 6);
            EXPECT_EQ(StretchDIBits(dest.DC(), 1, 1, 4, 4, 0, 0, 2, 2, dib.Bits.data(), dib.Header(),
                                    DIB_RGB_COLORS, SRCCOPY),
                      2);
            // Each source pixel becomes a 2 x 2 block; the border stays white.
            for (int y = 0; y < 2; ++y)
                for (int x = 0; x < 2; ++x)
                    for (int dy = 0; dy < 2; ++dy)
                        for (int dx = 0; dx < 2; ++dx)
                            EXPECT_EQ(dest.Pixel(1 + 2 * x + dx, 1 + 2 * y + dy),
                                      colors[std::size_t(shape[y][x])]);
            EXPECT_EQ(dest.Count(clWhite), 36 - 16);
        }
    }
}

TEST(StretchDIBits, SourceRowsCountFromTheFirstRowInMemory) {
    const std::vector<TColor> colors = {clRed, clLime, clBlue, clYellow};
    const int picture[2][2] = {{0, 1}, {2, 3}};
    for (bool topDown : {false, true}) {
        const TTestDib dib = MakeDib(24, topDown, colors, picture);
        TPixelSurface dest(1, 1);
        StretchDIBits(dest.DC(), 0, 0, 1, 1, 1, 0, 1, 1, dib.Bits.data(), dib.Header(), DIB_RGB_COLORS,
                      SRCCOPY);
        // Row 0 in memory: the bottom row of a bottom-up bitmap.
        EXPECT_EQ(dest.Pixel(0, 0), topDown ? clLime : clYellow);
    }
}

TEST(StretchDIBits, RasterOperationsAndFailures) {
    const std::vector<TColor> colors = {RGB(0xF0, 0x0F, 0x33), clBlack};
    const int picture[2][2] = {{0, 0}, {0, 0}};
    const TTestDib dib = MakeDib(24, false, colors, picture);
    struct Case {
        Cardinal Rop;
        TColor Result; // over 0x55AACC
    };
    for (const Case& c : {Case{SRCINVERT, RGB(0xF0 ^ 0x55, 0x0F ^ 0xAA, 0x33 ^ 0xCC)},
                          Case{SRCAND, RGB(0xF0 & 0x55, 0x0F & 0xAA, 0x33 & 0xCC)}}) {
        TPixelSurface dest(2, 2);
        Fill(dest.DC(), Rect(0, 0, 2, 2), RGB(0x55, 0xAA, 0xCC));
        EXPECT_EQ(StretchDIBits(dest.DC(), 0, 0, 2, 2, 0, 0, 2, 2, dib.Bits.data(), dib.Header(),
                                DIB_RGB_COLORS, c.Rop),
                  2);
        EXPECT_EQ(dest.Pixel(1, 1), c.Result) << std::hex << c.Rop;
    }

    TPixelSurface dest(2, 2);
    EXPECT_EQ(
        StretchDIBits(dest.DC(), 0, 0, 2, 2, 0, 0, 2, 2, nullptr, dib.Header(), DIB_RGB_COLORS, SRCCOPY), 0);
    EXPECT_EQ(StretchDIBits(dest.DC(), 0, 0, 2, 2, 0, 0, 2, 2, dib.Bits.data(), dib.Header(), DIB_PAL_COLORS,
                            SRCCOPY),
              0);
    TTestDib damaged = dib;
    reinterpret_cast<BITMAPINFOHEADER*>(damaged.Info.data())->biBitCount = 7;
    EXPECT_EQ(StretchDIBits(dest.DC(), 0, 0, 2, 2, 0, 0, 2, 2, damaged.Bits.data(), damaged.Header(),
                            DIB_RGB_COLORS, SRCCOPY),
              0);
    EXPECT_EQ(dest.Count(clWhite), 4);
}

TEST(MemoryDC, DrawsOnTheSelectedBitmapAndCopiesToTheScreen) {
    TPixelSurface screen(8, 4);
    HDC memory = CreateCompatibleDC(screen.DC());
    ASSERT_NE(memory, nullptr);
    EXPECT_EQ(GetDeviceCaps(memory, HORZRES), 1); // one pixel until a bitmap is selected
    HBITMAP bitmap = CreateCompatibleBitmap(screen.DC(), 4, 2);
    ASSERT_NE(bitmap, nullptr);
    HGDIOBJ original = SelectObject(memory, bitmap);
    EXPECT_NE(original, nullptr);
    EXPECT_EQ(GetDeviceCaps(memory, HORZRES), 4);
    EXPECT_EQ(GetPixel(memory, 3, 1), clBlack); // a new bitmap is black
    Fill(memory, Rect(1, 0, 3, 2), clRed);
    EXPECT_TRUE(BitBlt(screen.DC(), 2, 1, 4, 2, memory, 0, 0, SRCCOPY));
    EXPECT_EQ(screen.Mask(clRed), (std::vector<std::string>{
                                      "........",
                                      "...##...",
                                      "...##...",
                                      "........",
                                  }));
    EXPECT_EQ(screen.Pixel(2, 1), clBlack);

    // A selected bitmap is neither deleted nor selected elsewhere.
    HDC other = CreateCompatibleDC(nullptr);
    EXPECT_EQ(SelectObject(other, bitmap), nullptr);
    EXPECT_FALSE(DeleteObject(bitmap));
    EXPECT_EQ(SelectObject(memory, original), bitmap);
    EXPECT_EQ(SelectObject(other, bitmap), original);
    EXPECT_TRUE(DeleteDC(other)); // deleting the context releases the bitmap
    EXPECT_TRUE(DeleteObject(bitmap));
    EXPECT_TRUE(DeleteDC(memory));

    EXPECT_FALSE(DeleteDC(screen.DC())); // not a memory context
    HBITMAP pixel = CreateCompatibleBitmap(screen.DC(), 0, 0);
    EXPECT_EQ(pixel->Size(), (TSize{1, 1}));
    EXPECT_EQ(SelectObject(screen.DC(), pixel), nullptr);
    EXPECT_TRUE(DeleteObject(pixel));
    EXPECT_EQ(CreateCompatibleBitmap(screen.DC(), -1, 2), nullptr);
}

// The focus frame's mask: blur, rounded-rectangle mask, merge and clamping.

#include "gridbase/AlphaMask.h"

#include "graphics/Canvas.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

std::uint32_t PixelAt(TBitmap& B, Integer X, Integer Y) {
    return static_cast<std::uint32_t*>(B.ScanLine(Y))[X];
}

Integer Red(std::uint32_t P) {
    return Integer((P >> 16) & 0xFF);
}

void Fill24(TBitmap& B, Integer W, Integer H, TColor Color) {
    B.SetPixelFormat(pf24bit);
    B.SetSize(W, H);
    B.Canvas()->Brush()->SetColor(Color);
    B.Canvas()->FillRect({0, 0, W, H});
}

TEST(AlphaMask, TrimIntClamps) {
    const struct {
        Integer Lower, Upper, Value, Expected;
    } Cases[] = {{0, 9, -3, 0}, {0, 9, 12, 9}, {0, 9, 4, 4}, {5, 5, 0, 5}};
    for (const auto& C : Cases)
        EXPECT_EQ(TrimInt(C.Lower, C.Upper, C.Value), C.Expected) << C.Value;
}

TEST(AlphaMask, BlurKeepsWhiteAndRefusesOtherFormats) {
    TBitmap White;
    Fill24(White, 60, 50, clWhite);
    GaussianBlur24(&White, 3);
    for (const auto& [X, Y] : {std::pair{0, 0}, {30, 25}, {59, 49}, {15, 48}})
        EXPECT_EQ(PixelAt(White, X, Y) & 0xFFFFFF, 0xFFFFFFu) << X << "," << Y;

    TBitmap Colour;
    Colour.SetPixelFormat(pf32bit);
    Colour.SetSize(4, 4);
    try {
        GaussianBlur24(&Colour, 3);
        FAIL() << "a 32-bit bitmap was blurred";
    } catch (const Exception& E) {
        EXPECT_EQ(E.Message(), u"Blur only works for 24-bit bitmaps");
    }
}

TEST(AlphaMask, NoRadiusNoBlur) {
    // A radius of zero or less has no kernel: the bitmap is left as it is.
    for (double Radius : {0.0, -2.0}) {
        TBitmap B;
        Fill24(B, 30, 30, clBlack);
        B.Canvas()->SetPixels(10, 10, clWhite);
        EXPECT_NO_THROW(GaussianBlur24(&B, Radius));
        EXPECT_EQ(Red(PixelAt(B, 10, 10)), 255) << Radius;
        EXPECT_EQ(Red(PixelAt(B, 11, 10)), 0) << Radius;
    }
}

TEST(AlphaMask, RoundRectMaskSharpOrSoft) {
    TBitmap Sharp, Soft;
    MakeRoundRectMask(&Sharp, 100, 100, 4, 5, 0);
    MakeRoundRectMask(&Soft, 100, 100, 4, 5, 3);
    EXPECT_EQ(Sharp.PixelFormat(), pf24bit);
    // The outline runs 4 pixels wide around (4, 4)-(96, 96); inside and
    // outside are black.
    EXPECT_EQ(Red(PixelAt(Sharp, 50, 4)), 255);
    EXPECT_EQ(Red(PixelAt(Sharp, 50, 50)), 0);
    EXPECT_EQ(Red(PixelAt(Sharp, 50, 0)), 0);
    // Without blur only black and white; blurred, the edge fades.
    for (Integer Y = 0; Y < 10; ++Y) {
        const Integer V = Red(PixelAt(Sharp, 50, Y));
        EXPECT_TRUE(V == 0 || V == 255) << Y;
    }
    const Integer Fading = Red(PixelAt(Soft, 50, 0));
    EXPECT_GT(Fading, 0);
    EXPECT_LT(Fading, Red(PixelAt(Soft, 50, 4)));
    // The middle rows and columns are copies of line 15.
    for (Integer Y : {21, 50, 79})
        EXPECT_EQ(PixelAt(Soft, 3, Y), PixelAt(Soft, 3, 15)) << Y;
    for (Integer X : {21, 50, 79})
        EXPECT_EQ(PixelAt(Soft, X, 3), PixelAt(Soft, 15, 3)) << X;
    // A filled rectangle when there is no pen.
    TBitmap Filled;
    MakeRoundRectMask(&Filled, 40, 40, 0, 5, 0);
    EXPECT_EQ(Red(PixelAt(Filled, 20, 20)), 255);
}

TEST(AlphaMask, MergeScalesThePictureByTheMask) {
    TBitmap Mask, Picture;
    Fill24(Mask, 3, 2, RGB(128, 0, 0));
    Fill24(Picture, 3, 2, RGB(0, 100, 255)); // B, G, R = 255, 100, 0
    TGridAlphaMask Alpha;
    EXPECT_EQ(Alpha.PixelFormat(), pf32bit);
    EXPECT_EQ(Alpha.Opacity(), 255);
    Alpha.MergeMask(&Mask, &Picture, clRed);
    ASSERT_EQ(Alpha.Width(), 3);
    ASSERT_EQ(Alpha.Height(), 2);
    // B, G, R, A = 128, 50, 0, 128.
    EXPECT_EQ(PixelAt(Alpha, 2, 1), 0x80003280u) << std::hex << PixelAt(Alpha, 2, 1);

    // A 32-bit picture, and a mask smaller than the picture, leave it as it was.
    TBitmap Wide, Small;
    Wide.SetPixelFormat(pf32bit);
    Wide.SetSize(5, 5);
    Alpha.MergeMask(&Mask, &Wide, clRed);
    EXPECT_EQ(Alpha.Width(), 3);
    Fill24(Small, 2, 2, clWhite);
    Alpha.MergeMask(&Small, &Picture, clRed);
    EXPECT_EQ(PixelAt(Alpha, 2, 1), 0x80003280u);

    TGridAlphaMask Copy;
    Copy.SetSize(3, 2);
    Alpha.SetOpacity(230);
    Copy.Assign(&Alpha);
    EXPECT_EQ(Copy.Opacity(), 230);
    EXPECT_EQ(PixelAt(Copy, 1, 1), 0x80003280u);
    Copy.Assign(&Mask);
    EXPECT_EQ(Copy.PixelFormat(), pf32bit);
}

} // namespace

#include "graphics/GdiBlit.h"
#include "graphics/GdiPlusGraphics.h"
#include "graphics/Icons.h"

#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <string>

namespace {

constexpr ARGB Red = 0xFFFF0000, Blue = 0xFF0000FF, Green = 0xFF00FF00, White = 0xFFFFFFFF;

ARGB At(TGPBitmap& bitmap, Integer x, Integer y) {
    ARGB c = 0;
    EXPECT_EQ(bitmap.GetPixel(x, y, c), Ok);
    return c;
}

void ExpectNear(ARGB actual, ARGB expected, int tolerance, const std::string& where) {
    for (int shift : {24, 16, 8, 0})
        EXPECT_NEAR(int((actual >> shift) & 0xFF), int((expected >> shift) & 0xFF), tolerance)
            << where << ": " << std::hex << actual << " vs " << expected;
}

// ---- Linear gradients: blends, interpolation colours, gamma, transforms ----

// A red-to-blue brush across 100 pixels, changed by Setup; then pixel
// columns and the colours expected there.
struct TLinearCase {
    std::string Name;
    std::function<void(TGPLinearGradientBrush&)> Setup;
    std::vector<std::pair<Integer, ARGB>> Expected;
};

class GdiPlusLinearBlend : public testing::TestWithParam<TLinearCase> {};

TEST_P(GdiPlusLinearBlend, ColoursFollowTheBlend) {
    const TLinearCase& c = GetParam();
    TGPBitmap bitmap(100, 2);
    TGPGraphics g(&bitmap);
    g.SetPixelOffsetMode(PixelOffsetModeHalf);
    TGPLinearGradientBrush brush(TGPRectF{0, 0, 100, 2}, Red, Blue, LinearGradientModeHorizontal);
    c.Setup(brush);
    ASSERT_EQ(brush.GetLastStatus(), Ok);
    ASSERT_EQ(g.FillRectangle(&brush, TGPRectF{0, 0, 100, 2}), Ok);
    for (auto [x, color] : c.Expected)
        ExpectNear(At(bitmap, x, 1), color, 8, c.Name + " at " + std::to_string(x));
}

const Single ThereAndBack[] = {0, 1, 0}, Halves[] = {0, 0.5f, 1};
const ARGB ThreeColours[] = {Red, Green, Blue};

INSTANTIATE_TEST_SUITE_P(
    Cases, GdiPlusLinearBlend,
    testing::Values(
        TLinearCase{"straight", [](TGPLinearGradientBrush&) {}, {{0, Red}, {50, 0xFF7F0080}, {99, Blue}}},
        TLinearCase{"blend there and back",
                    [](TGPLinearGradientBrush& b) { b.SetBlend(ThereAndBack, Halves, 3); },
                    {{0, Red}, {25, 0xFF7F0080}, {50, Blue}, {99, Red}}},
        TLinearCase{"triangle at a quarter",
                    [](TGPLinearGradientBrush& b) { b.SetBlendTriangularShape(0.25f); },
                    {{0, Red}, {25, Blue}, {62, 0xFF7F0080}, {99, Red}}},
        TLinearCase{"triangle at the end, half strength",
                    [](TGPLinearGradientBrush& b) { b.SetBlendTriangularShape(1, 0.5f); },
                    {{0, Red}, {99, 0xFF7F0080}}},
        // The bell rises slowly, then steeply: a quarter of the way it is
        // half way there.
        TLinearCase{"bell in the middle", [](TGPLinearGradientBrush& b) { b.SetBlendBellShape(0.5f); },
                    {{0, Red}, {5, Red}, {25, 0xFF7F0080}, {50, Blue}, {94, Red}}},
        TLinearCase{"interpolation colours",
                    [](TGPLinearGradientBrush& b) { b.SetInterpolationColors(ThreeColours, Halves, 3); },
                    {{0, Red}, {50, Green}, {99, Blue}}},
        // Blended in linear light, the middle is brighter than in sRGB.
        TLinearCase{"gamma corrected", [](TGPLinearGradientBrush& b) { b.SetGammaCorrection(true); },
                    {{0, Red}, {50, 0xFFBB00BB}, {99, Blue}}},
        // Twice as wide and tiled from 50: red at 50 again.
        TLinearCase{"scaled and translated",
                    [](TGPLinearGradientBrush& b) {
                        b.ScaleTransform(0.5f, 1);
                        b.TranslateTransform(50, 0, MatrixOrderAppend);
                    },
                    {{0, Red}, {25, 0xFF7F0080}, {50, Red}, {99, Blue}}},
        TLinearCase{"rotated half a turn about its middle",
                    [](TGPLinearGradientBrush& b) {
                        b.TranslateTransform(-50, 0, MatrixOrderAppend);
                        b.RotateTransform(180, MatrixOrderAppend);
                        b.TranslateTransform(50, 0, MatrixOrderAppend);
                    },
                    {{0, Blue}, {99, Red}}}),
    [](const auto& info) {
        std::string name;
        for (char ch : info.param.Name)
            if (std::isalnum(static_cast<unsigned char>(ch))) name += ch;
        return name;
    });

TEST(GdiPlusLinearBlend, QueriesAndTheStatusRule) {
    TGPLinearGradientBrush brush(TGPPoint{0, 0}, TGPPoint{10, 20}, Red, Blue);
    EXPECT_EQ(brush.GetLastStatus(), Ok); // a created brush starts without a failure
    TGPRect rect;
    EXPECT_EQ(brush.GetRectangle(rect), Ok);
    EXPECT_EQ(rect.Width, 10);
    EXPECT_EQ(rect.Height, 20);
    EXPECT_EQ(brush.GetBlendCount(), 1);
    EXPECT_FALSE(brush.GetGammaCorrection());

    const Single factors[] = {0, 0.3f, 1}, positions[] = {0, 0.6f, 1};
    ASSERT_EQ(brush.SetBlend(factors, positions, 3), Ok);
    EXPECT_EQ(brush.GetBlendCount(), 3);
    Single f[3] = {}, p[3] = {};
    EXPECT_EQ(brush.GetBlend(f, p, 2), InsufficientBuffer);
    EXPECT_EQ(brush.GetLastStatus(), InsufficientBuffer);
    ASSERT_EQ(brush.GetBlend(f, p, 3), Ok);
    EXPECT_FLOAT_EQ(f[1], 0.3f);
    EXPECT_FLOAT_EQ(p[1], 0.6f);

    // Interpolation colours replace the blend, and the other way round.
    EXPECT_EQ(brush.GetInterpolationColorCount(), 0);
    ARGB colours[3] = {};
    EXPECT_EQ(brush.GetInterpolationColors(colours, p, 3), WrongState);
    ASSERT_EQ(brush.SetInterpolationColors(ThreeColours, Halves, 3), Ok);
    EXPECT_EQ(brush.GetBlendCount(), 1);
    EXPECT_EQ(brush.GetInterpolationColorCount(), 3);
    ASSERT_EQ(brush.GetInterpolationColors(colours, p, 3), Ok);
    EXPECT_EQ(colours[1], Green);
    ASSERT_EQ(brush.SetBlendTriangularShape(0.5f), Ok);
    EXPECT_EQ(brush.GetInterpolationColorCount(), 0);
    EXPECT_EQ(brush.GetBlendCount(), 3);

    // Bad arguments: answered and recorded, nothing changed.
    const Single fromHalf[] = {0.5f, 1};
    struct TBad {
        const char* Name;
        std::function<Status()> Call;
    } bad[] = {
        {"blend of one", [&] { return brush.SetBlend(factors, positions, 1); }},
        {"blend not from 0", [&] { return brush.SetBlend(factors, fromHalf, 2); }},
        {"blend without factors", [&] { return brush.SetBlend(nullptr, positions, 3); }},
        {"get blend count 0", [&] { return brush.GetBlend(f, p, 0); }},
        {"get blend without positions", [&] { return brush.GetBlend(f, nullptr, 3); }},
        {"colours not to 1", [&] { return brush.SetInterpolationColors(ThreeColours, ThereAndBack, 3); }},
        {"get colours count 0", [&] { return brush.GetInterpolationColors(colours, p, 0); }},
        {"triangle beyond the end", [&] { return brush.SetBlendTriangularShape(1.5f); }},
        {"bell of negative scale", [&] { return brush.SetBlendBellShape(0.5f, -1); }},
        {"multiply by nothing", [&] { return brush.MultiplyTransform(nullptr); }},
    };
    for (const auto& b : bad) {
        EXPECT_EQ(b.Call(), InvalidParameter) << b.Name;
        EXPECT_EQ(brush.GetLastStatus(), InvalidParameter) << b.Name;
    }
    EXPECT_EQ(brush.GetBlendCount(), 3);

    TGPLinearGradientBrush angled(TGPRect{0, 0, 10, 10}, Red, Blue, 45.f);
    EXPECT_EQ(angled.GetLastStatus(), Ok);
    TGPLinearGradientBrush empty;
    EXPECT_EQ(empty.nativeBrush, nullptr);
    EXPECT_EQ(empty.GetLastStatus(), Ok);
    EXPECT_EQ(empty.GetBlendCount(), 0);
    EXPECT_EQ(empty.GetLastStatus(), InvalidParameter);
}

// ---- Path gradients ----

// A 40 by 40 square, blue at the boundary and red at the centre.
struct TSquareGradient {
    TGPBitmap Bitmap{40, 40};
    TGPGraphics G{&Bitmap};
    TGPGraphicsPath Square;
    std::unique_ptr<TGPPathGradientBrush> Brush;
    TSquareGradient() {
        G.SetPixelOffsetMode(PixelOffsetModeHalf);
        G.Clear(White);
        Square.AddRectangle(TGPRectF{0, 0, 40, 40});
        Brush = std::make_unique<TGPPathGradientBrush>(&Square);
        Brush->SetCenterColor(Red);
        Integer one = 1;
        Brush->SetSurroundColors(&Blue, one);
    }
    ARGB Fill(Integer x, Integer y) {
        EXPECT_EQ(G.FillRectangle(Brush.get(), TGPRectF{0, 0, 40, 40}), Ok);
        return At(Bitmap, x, y);
    }
};

TEST(GdiPlusPathBlend, FocusBlendAndBoundary) {
    // Without focus scales the colour changes right up to the centre.
    EXPECT_NE(TSquareGradient().Fill(14, 20), Red);
    {
        // Focus scales of one half: the middle square holds the centre colour.
        TSquareGradient s;
        ASSERT_EQ(s.Brush->SetFocusScales(0.5f, 0.5f), Ok);
        Single fx = 0, fy = 0;
        s.Brush->GetFocusScales(fx, fy);
        EXPECT_FLOAT_EQ(fx, 0.5f);
        ExpectNear(s.Fill(14, 20), Red, 4, "inside the focus");
        ExpectNear(s.Fill(0, 20), Blue, 20, "at the boundary");
    }
    {
        // A triangle at half way: none of the centre colour at the centre.
        TSquareGradient s;
        ASSERT_EQ(s.Brush->SetBlendTriangularShape(0.5f), Ok);
        ExpectNear(s.Fill(20, 20), Blue, 16, "centre");
        ExpectNear(s.Fill(10, 20), Red, 16, "half way in");
    }
    {
        // Interpolation colours from the boundary (0) to the centre (1).
        TSquareGradient s;
        ASSERT_EQ(s.Brush->SetInterpolationColors(ThreeColours, Halves, 3), Ok);
        ExpectNear(s.Fill(20, 20), Blue, 16, "centre");
        ExpectNear(s.Fill(10, 20), Green, 16, "half way in");
        ExpectNear(s.Fill(0, 20), Red, 24, "boundary");
    }
    {
        // Moving the boundary moves the gradient; the brush's transform too.
        TSquareGradient s;
        TGPGraphicsPath right;
        right.AddRectangle(TGPRectF{20, 0, 20, 40});
        ASSERT_EQ(s.Brush->SetGraphicsPath(&right), Ok);
        TGPRectF bounds;
        ASSERT_EQ(s.Brush->GetRectangle(bounds), Ok);
        EXPECT_EQ(bounds.X, 20);
        TGPGraphicsPath back;
        ASSERT_EQ(s.Brush->GetGraphicsPath(&back), Ok);
        EXPECT_EQ(back.GetPointCount(), 4);
        EXPECT_EQ(s.Fill(10, 20), White); // outside the boundary: nothing
        ExpectNear(s.Fill(30, 20), Red, 8, "new centre");
        ASSERT_EQ(s.Brush->TranslateTransform(-20, 0), Ok);
        ExpectNear(s.Fill(10, 20), Red, 8, "translated centre");
    }
}

TEST(GdiPlusPathBlend, QueriesAndTheStatusRule) {
    const TGPPoint triangle[] = {{0, 0}, {20, 0}, {10, 20}};
    TGPPathGradientBrush brush(triangle, 3);
    EXPECT_EQ(brush.GetLastStatus(), Ok);
    EXPECT_EQ(brush.GetPointCount(), 3);
    EXPECT_EQ(brush.GetWrapMode(), WrapModeClamp);
    TGPRect rect;
    ASSERT_EQ(brush.GetRectangle(rect), Ok);
    EXPECT_EQ(rect.Width, 20);
    EXPECT_EQ(rect.Height, 20);
    EXPECT_EQ(brush.GetBlendCount(), 1);
    ASSERT_EQ(brush.SetBlendBellShape(0.5f), Ok);
    EXPECT_GT(brush.GetBlendCount(), 3);
    ASSERT_EQ(brush.SetGammaCorrection(true), Ok);
    EXPECT_TRUE(brush.GetGammaCorrection());

    EXPECT_EQ(brush.GetGraphicsPath(nullptr), InvalidParameter);
    EXPECT_EQ(brush.SetGraphicsPath(nullptr), InvalidParameter);
    EXPECT_EQ(brush.GetInterpolationColors(nullptr, nullptr, 3), InvalidParameter);
    EXPECT_EQ(brush.SetBlend(ThereAndBack, ThereAndBack, 3), InvalidParameter);
    EXPECT_EQ(brush.GetLastStatus(), InvalidParameter);

    TGPPathGradientBrush empty;
    EXPECT_EQ(empty.GetLastStatus(), Ok);
    EXPECT_EQ(empty.SetFocusScales(0.5f, 0.5f), InvalidParameter);
}

// ---- Matrices from three points, integer vectors, lines from points ----

TEST(GdiPlusMatrix, RectangleOntoThreePoints) {
    const TGPPointF corners[] = {{5, 5}, {25, 5}, {5, 45}};
    TGPMatrix m(TGPRectF{0, 0, 10, 20}, corners);
    ASSERT_EQ(m.GetLastStatus(), Ok);
    TGPPointF p[] = {{10, 20}, {0, 0}};
    m.TransformPoints(p, 2);
    EXPECT_FLOAT_EQ(p[0].X, 25);
    EXPECT_FLOAT_EQ(p[0].Y, 45);
    EXPECT_FLOAT_EQ(p[1].X, 5);

    const TGPPoint icorners[] = {{0, 0}, {0, 10}, {-10, 0}}; // a quarter turn
    TGPMatrix turn(TGPRect{0, 0, 10, 10}, icorners);
    TGPPoint v[] = {{3, 0}};
    ASSERT_EQ(turn.TransformVectors(v, 1), Ok);
    EXPECT_EQ(v[0].X, 0);
    EXPECT_EQ(v[0].Y, 3);

    TGPMatrix flat(TGPRectF{0, 0, 0, 10}, corners);
    EXPECT_EQ(flat.nativeMatrix, nullptr);
    EXPECT_EQ(flat.GetLastStatus(), InvalidParameter);
    EXPECT_EQ(turn.TransformVectors(static_cast<TGPPoint*>(nullptr), 1), InvalidParameter);

    TGPGraphicsPath path;
    ASSERT_EQ(path.AddLine(TGPPoint{1, 2}, TGPPoint{3, 4}), Ok);
    TGPPointF last;
    path.GetLastPoint(last);
    EXPECT_EQ(last.X, 3);
    EXPECT_EQ(last.Y, 4);
}

// ---- Bitmaps from device-independent bitmaps ----

TEST(GdiPlusBitmap, FromBitmapInfoReadsRowsInEitherOrder) {
    // 2 by 2 at 24 bits, bottom-up: the first row in memory is the bottom.
    BITMAPINFO info;
    info.bmiHeader.biWidth = 2;
    info.bmiHeader.biHeight = 2;
    info.bmiHeader.biBitCount = 24;
    const Byte rows[] = {0, 0, 255, 0, 255, 0, 0, 0, // bottom: red, green (BGR), padding
                         255, 0, 0, 255, 255, 255, 0, 0};
    std::unique_ptr<TGPBitmap> bitmap(TGPBitmap::FromBITMAPINFO(&info, rows));
    ASSERT_EQ(bitmap->GetLastStatus(), Ok);
    EXPECT_EQ(bitmap->GetPixelFormat(), PixelFormat24bppRGB);
    EXPECT_EQ(At(*bitmap, 0, 1), Red);
    EXPECT_EQ(At(*bitmap, 1, 1), Green);
    EXPECT_EQ(At(*bitmap, 0, 0), Blue);
    EXPECT_EQ(At(*bitmap, 1, 0), White);

    info.bmiHeader.biHeight = -2; // top-down
    TGPBitmap topDown(&info, rows);
    EXPECT_EQ(At(topDown, 0, 0), Red);

    info.bmiHeader.biBitCount = 7;
    TGPBitmap damaged(&info, rows);
    EXPECT_EQ(damaged.nativeImage, nullptr);
    EXPECT_EQ(damaged.GetLastStatus(), InvalidParameter);
    TGPBitmap noRows(&info, nullptr);
    EXPECT_EQ(noRows.GetLastStatus(), InvalidParameter);
}

// ---- Icons ----

TEST(GdiPlusBitmap, IconsKeepTheTransparency) {
    TGPBitmap bitmap(3, 1);
    bitmap.SetPixel(0, 0, 0);          // transparent
    bitmap.SetPixel(1, 0, Red);        // opaque
    bitmap.SetPixel(2, 0, 0x800000FF); // half transparent
    winapi::HICON icon = nullptr;
    ASSERT_EQ(bitmap.GetHICON(icon), Ok);
    ASSERT_NE(icon, nullptr);
    std::unique_ptr<TGPBitmap> back(TGPBitmap::FromHICON(icon));
    ASSERT_EQ(back->GetLastStatus(), Ok);
    EXPECT_EQ(ARGBAlpha(At(*back, 0, 0)), 0);
    EXPECT_EQ(At(*back, 1, 0), Red);
    ExpectNear(At(*back, 2, 0), 0x800000FF, 1, "half transparent");

    // Taken apart into colour and mask bitmaps, and put together again:
    // the mask keeps whether a pixel shows.
    winapi::ICONINFO info;
    ASSERT_TRUE(winapi::GetIconInfo(icon, &info));
    EXPECT_TRUE(info.fIcon);
    TGPBitmap mask(info.hbmMask, nullptr), color(info.hbmColor, nullptr);
    EXPECT_EQ(At(mask, 0, 0), White);
    EXPECT_EQ(At(mask, 1, 0), 0xFF000000);
    EXPECT_EQ(At(color, 1, 0), Red);
    winapi::HICON rebuilt = winapi::CreateIconIndirect(&info);
    ASSERT_NE(rebuilt, nullptr);
    TGPBitmap fromParts(rebuilt);
    EXPECT_EQ(ARGBAlpha(At(fromParts, 0, 0)), 0);
    EXPECT_EQ(At(fromParts, 1, 0), Red);
    EXPECT_EQ(At(fromParts, 2, 0), Blue);
    winapi::DeleteObject(info.hbmMask);
    winapi::DeleteObject(info.hbmColor);
    EXPECT_TRUE(winapi::DestroyIcon(rebuilt));
    EXPECT_TRUE(winapi::DestroyIcon(icon));

    std::unique_ptr<TGPBitmap> none(TGPBitmap::FromHICON(nullptr));
    EXPECT_EQ(none->nativeImage, nullptr);
    EXPECT_EQ(none->GetLastStatus(), InvalidParameter);
    winapi::HICON nothing = icon;
    EXPECT_EQ(none->GetHICON(nothing), InvalidParameter);
    EXPECT_EQ(nothing, nullptr);
    winapi::ICONINFO partial;
    EXPECT_EQ(winapi::CreateIconIndirect(&partial), nullptr); // no bitmaps
}

} // namespace

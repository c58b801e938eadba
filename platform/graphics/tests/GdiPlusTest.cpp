#include "TestImages.h"
#include "graphics/GdiPlusGraphics.h"
#include "graphics/ImageCodecs.h"

#include <cmath>
#include <gtest/gtest.h>
#include <memory>

namespace {

constexpr ARGB Red = 0xFFFF0000, Blue = 0xFF0000FF, White = 0xFFFFFFFF;

ARGB PixelAt(TGPBitmap& bitmap, Integer x, Integer y) {
    ARGB c = 0;
    EXPECT_EQ(bitmap.GetPixel(x, y, c), Ok);
    return c;
}

void ExpectNearColor(ARGB actual, ARGB expected, int tolerance) {
    for (int shift : {24, 16, 8, 0})
        EXPECT_NEAR(int((actual >> shift) & 0xFF), int((expected >> shift) & 0xFF), tolerance)
            << std::hex << actual << " vs " << expected;
}

// ---- The status rule ----

TEST(GdiPlusStatus, AFailureIsKeptUntilReadThenCleared) {
    TGPMatrix singular(0, 0, 0, 0, 0, 0);
    EXPECT_EQ(singular.Invert(), InvalidParameter);
    EXPECT_EQ(singular.Translate(1, 1), Ok); // an Ok call leaves the failure in place
    EXPECT_EQ(singular.GetLastStatus(), InvalidParameter);
    EXPECT_EQ(singular.GetLastStatus(), Ok);
}

TEST(GdiPlusStatus, FailedCreationLeavesANullHandleThatIsSafeToUse) {
    TGPLinearGradientBrush empty(TGPRectF{0, 0, 0, 10}, Red, Blue, LinearGradientModeHorizontal);
    EXPECT_EQ(empty.nativeBrush, nullptr);
    EXPECT_EQ(empty.GetLastStatus(), OutOfMemory);
    EXPECT_EQ(empty.GetLastStatus(), Ok);
    EXPECT_EQ(empty.SetWrapMode(WrapModeClamp), InvalidParameter);

    TGPBrush abstract;
    EXPECT_EQ(abstract.GetLastStatus(), NotImplemented);
}

TEST(GdiPlusStatus, GettersAnswerTheirDefaultsOnFailure) {
    TGPGraphics graphics(static_cast<TGPImage*>(nullptr));
    EXPECT_EQ(graphics.nativeGraphics, nullptr);
    EXPECT_EQ(graphics.GetLastStatus(), Ok); // a null image is no failure
    EXPECT_EQ(graphics.GetSmoothingMode(), SmoothingModeInvalid);
    EXPECT_EQ(graphics.GetPixelOffsetMode(), PixelOffsetModeInvalid);
    EXPECT_TRUE(graphics.IsVisible(TGPRectF{0, 0, 1, 1}));
    EXPECT_FALSE(graphics.IsVisible(0, 0));
    EXPECT_EQ(graphics.GetLastStatus(), InvalidParameter);

    TGPBitmap bitmap(4, 4);
    TGPGraphics onBitmap(&bitmap);
    const TGPPointF five[5] = {};
    EXPECT_EQ(onBitmap.DrawImage(&bitmap, five, 5), InvalidParameter);
}

// ---- Matrices and paths ----

TEST(GdiPlusMatrix, RotateAtKeepsTheCentreAndCloneHonoursAnEarlierFailure) {
    TGPMatrix matrix;
    EXPECT_EQ(matrix.Translate(5, 7), Ok);
    EXPECT_EQ(matrix.Reset(), Ok);
    EXPECT_TRUE(matrix.IsIdentity());
    EXPECT_EQ(matrix.RotateAt(90, TGPPointF{10, 0}), Ok);
    TGPPointF p[2] = {{10, 0}, {11, 0}};
    EXPECT_EQ(matrix.TransformPoints(p, 2), Ok);
    EXPECT_NEAR(p[0].X, 10, 1e-4);
    EXPECT_NEAR(p[0].Y, 0, 1e-4);
    EXPECT_NEAR(p[1].X, 10, 1e-4); // (1, 0) from the centre turns to (0, 1)
    EXPECT_NEAR(p[1].Y, 1, 1e-4);

    std::unique_ptr<TGPMatrix> copy(matrix.Clone());
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->Invert(), Ok);
    TGPMatrix singular(0, 0, 0, 0, 0, 0);
    singular.Invert();
    EXPECT_EQ(singular.Clone(), nullptr); // the recorded failure still counts
    singular.GetLastStatus();
    std::unique_ptr<TGPMatrix> later(singular.Clone());
    EXPECT_NE(later, nullptr);
}

TEST(GdiPlusPath, FiguresBoundsAndNullTransform) {
    TGPGraphicsPath path;
    path.AddLine(0.f, 0.f, 10.f, 0.f);
    path.AddLine(10.f, 0.f, 10.f, 5.f); // continues the open figure
    path.CloseFigure();
    path.AddRectangle(TGPRectF{20, 20, 5, 5});
    ASSERT_EQ(path.GetPointCount(), 8);
    Byte types[8];
    ASSERT_EQ(path.GetPathTypes(types, 8), Ok);
    EXPECT_EQ(types[0], PathPointTypeStart);
    EXPECT_EQ(types[3], PathPointTypeLine | PathPointTypeCloseSubpath);
    EXPECT_EQ(types[4], PathPointTypeStart);

    EXPECT_EQ(path.Transform(nullptr), Ok);
    TGPRectF bounds;
    ASSERT_EQ(path.GetBounds(bounds), Ok);
    EXPECT_FLOAT_EQ(bounds.X, 0);
    EXPECT_FLOAT_EQ(bounds.Width, 25);
    EXPECT_FLOAT_EQ(bounds.Height, 25);

    TGPGraphicsPath ellipse;
    ellipse.AddEllipse(0, 0, 20, 10);
    ASSERT_EQ(ellipse.GetBounds(bounds), Ok);
    EXPECT_NEAR(bounds.Width, 20, 1e-3);
    EXPECT_NEAR(bounds.Height, 10, 1e-3);
}

// ---- Pens and brushes ----

TEST(GdiPlusPen, ColourAndBrushFollowThePenType) {
    TGPPen solid(Red, 2);
    ARGB color = 0;
    EXPECT_EQ(solid.GetColor(color), Ok);
    EXPECT_EQ(color, Red);
    std::unique_ptr<TGPBrush> solidBrush(solid.GetBrush());
    EXPECT_NE(dynamic_cast<TGPSolidBrush*>(solidBrush.get()), nullptr);

    TGPLinearGradientBrush linear(TGPRectF{0, 0, 10, 10}, Red, Blue, LinearGradientModeVertical);
    TGPPen gradientPen(&linear);
    color = 0x12345678;
    EXPECT_EQ(gradientPen.GetColor(color), WrongState);
    EXPECT_EQ(color, 0x12345678u);
    EXPECT_EQ(gradientPen.GetLastStatus(), Ok); // WrongState is not recorded

    TGPGraphicsPath triangle;
    const TGPPointF points[3] = {{0, 0}, {10, 0}, {0, 10}};
    triangle.AddPolygon(points, 3);
    TGPPathGradientBrush radial(&triangle);
    TGPPen radialPen(&radial);
    std::unique_ptr<TGPBrush> plain(radialPen.GetBrush());
    ASSERT_NE(plain, nullptr);
    EXPECT_EQ(dynamic_cast<TGPPathGradientBrush*>(plain.get()), nullptr);
    EXPECT_EQ(plain->GetType(), BrushTypePathGradient);
}

TEST(GdiPlusBrush, SurroundColoursNeedRoomAndPoints) {
    TGPGraphicsPath square;
    square.AddRectangle(TGPRectF{0, 0, 10, 10});
    TGPPathGradientBrush brush(&square);
    const ARGB four[4] = {Red, Blue, Red, Blue};
    Integer count = 4;
    EXPECT_EQ(brush.SetSurroundColors(four, count), Ok);
    ARGB read[4] = {};
    Integer small = 2;
    EXPECT_EQ(brush.GetSurroundColors(read, small), InsufficientBuffer);
    Integer enough = 4;
    EXPECT_EQ(brush.GetSurroundColors(read, enough), Ok);
    EXPECT_EQ(read[1], Blue);
    Integer tooMany = 5;
    const ARGB five[5] = {};
    EXPECT_EQ(brush.SetSurroundColors(five, tooMany), InvalidParameter);
}

// ---- Pixels ----

struct LineCase {
    PixelOffsetMode Mode;
    Single Y;
    int LitRow;      // fully lit row, or -1
    int HalfRows[2]; // rows lit at about half strength, or -1
};

class GdiPlusLine : public testing::TestWithParam<LineCase> {};

TEST_P(GdiPlusLine, PixelOffsetDecidesWhichRowsLight) {
    const auto& c = GetParam();
    TGPBitmap bitmap(10, 10);
    TGPGraphics g(&bitmap);
    g.SetSmoothingMode(SmoothingModeAntiAlias);
    g.SetPixelOffsetMode(c.Mode);
    TGPPen pen(0xFF000000, 1);
    ASSERT_EQ(g.DrawLine(&pen, 0.f, c.Y, 10.f, c.Y), Ok);
    for (int y = 0; y < 10; ++y) {
        const int alpha = ARGBAlpha(PixelAt(bitmap, 5, y));
        if (y == c.LitRow)
            EXPECT_EQ(alpha, 255) << "row " << y;
        else if (y == c.HalfRows[0] || y == c.HalfRows[1])
            EXPECT_NEAR(alpha, 128, 2) << "row " << y;
        else
            EXPECT_EQ(alpha, 0) << "row " << y;
    }
}

INSTANTIATE_TEST_SUITE_P(Modes, GdiPlusLine,
                         testing::Values(LineCase{PixelOffsetModeNone, 0, 0, {-1, -1}},
                                         LineCase{PixelOffsetModeDefault, 5, 5, {-1, -1}},
                                         LineCase{PixelOffsetModeHalf, 0, -1, {0, -1}},
                                         LineCase{PixelOffsetModeHalf, 5, -1, {4, 5}}));

TEST(GdiPlusPixels, SmoothingNoneGivesNoIntermediateShades) {
    TGPBitmap bitmap(20, 20);
    TGPGraphics g(&bitmap);
    g.SetSmoothingMode(SmoothingModeNone);
    TGPSolidBrush brush(Red);
    g.FillEllipse(&brush, 1.3f, 2.7f, 15.2f, 13.9f);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x) {
            const int alpha = ARGBAlpha(PixelAt(bitmap, x, y));
            EXPECT_TRUE(alpha == 0 || alpha == 255) << x << "," << y;
        }
}

TEST(GdiPlusPixels, LinearGradientShowsItsEndColoursAtItsEnds) {
    TGPBitmap bitmap(100, 4);
    TGPGraphics g(&bitmap);
    g.SetPixelOffsetMode(PixelOffsetModeHalf);
    TGPLinearGradientBrush brush(TGPRectF{0, 0, 100, 4}, Red, Blue, LinearGradientModeHorizontal);
    ASSERT_EQ(g.FillRectangle(&brush, TGPRectF{0, 0, 100, 4}), Ok);
    ExpectNearColor(PixelAt(bitmap, 0, 2), Red, 3);
    ExpectNearColor(PixelAt(bitmap, 99, 2), Blue, 3);
    ExpectNearColor(PixelAt(bitmap, 50, 2), 0xFF7F0080, 3);

    // At an angle of 90 degrees the gradient runs downwards.
    TGPBitmap tall(4, 100);
    TGPGraphics gt(&tall);
    gt.SetPixelOffsetMode(PixelOffsetModeHalf);
    TGPLinearGradientBrush down(TGPRectF{0, 0, 4, 100}, Red, Blue, 90.f);
    gt.FillRectangle(&down, TGPRectF{0, 0, 4, 100});
    ExpectNearColor(PixelAt(tall, 2, 0), Red, 3);
    ExpectNearColor(PixelAt(tall, 2, 99), Blue, 3);
}

TEST(GdiPlusPixels, PathGradientShowsItsCentreColourAtItsCentre) {
    TGPBitmap bitmap(41, 41);
    TGPGraphics g(&bitmap);
    g.SetSmoothingMode(SmoothingModeAntiAlias);
    TGPGraphicsPath ellipse;
    ellipse.AddEllipse(0, 0, 40, 40);
    TGPPathGradientBrush brush(&ellipse);
    brush.SetCenterColor(Red);
    Integer one = 1;
    brush.SetSurroundColors(&Blue, one);
    ASSERT_EQ(g.FillPath(&brush, &ellipse), Ok);
    ExpectNearColor(PixelAt(bitmap, 20, 20), Red, 8);
    ExpectNearColor(PixelAt(bitmap, 20, 1), Blue, 40);
    EXPECT_EQ(ARGBAlpha(PixelAt(bitmap, 0, 0)), 0); // outside the path
}

TEST(GdiPlusPixels, ClipAndSaveTokens) {
    TGPBitmap bitmap(10, 10);
    TGPGraphics g(&bitmap);
    TGPSolidBrush brush(Red);
    const Cardinal outer = g.Save();
    g.SetSmoothingMode(SmoothingModeAntiAlias);
    g.SetClip(TGPRectF{0, 0, 5, 10});
    const Cardinal inner = g.Save();
    g.SetSmoothingMode(SmoothingModeHighQuality);
    EXPECT_EQ(g.Restore(outer), Ok);
    EXPECT_EQ(g.GetSmoothingMode(), SmoothingModeNone);
    EXPECT_EQ(g.Restore(inner), Ok); // dropped with outer: ignored
    EXPECT_EQ(g.GetSmoothingMode(), SmoothingModeNone);

    g.SetClip(TGPRectF{0, 0, 5, 10});
    g.ExcludeClip(TGPRectF{0, 0, 2, 10});
    g.FillRectangle(&brush, TGPRectF{0, 0, 10, 10});
    EXPECT_EQ(ARGBAlpha(PixelAt(bitmap, 1, 5)), 0);
    EXPECT_EQ(PixelAt(bitmap, 3, 5), Red);
    EXPECT_EQ(ARGBAlpha(PixelAt(bitmap, 6, 5)), 0);
    g.ResetClip();
    g.FillRectangle(&brush, TGPRectF{0, 0, 10, 10});
    EXPECT_EQ(PixelAt(bitmap, 8, 5), Red);
}

// ---- Images ----

TEST(GdiPlusImage, DecodesBytesAndReportsFormatAndPixels) {
    struct Case {
        const char* File;
        TGPImageFormat Format;
        PixelFormat Pixels;
        int Depth;
        bool Alpha, Palette;
    };
    const Case cases[] = {{"grid-alpha.png", ifPNG, PixelFormat32bppARGB, 32, true, false},
                          {"grid-24bit.bmp", ifBMP, PixelFormat24bppRGB, 24, false, false},
                          {"grid-8bit.bmp", ifBMP, PixelFormat8bppIndexed, 8, false, true},
                          {"quadrants.jpg", ifJPEG, PixelFormat24bppRGB, 24, false, false},
                          {"two-frames.gif", ifGIF, PixelFormat8bppIndexed, 8, false, true},
                          {"grid.ico", ifIcon, PixelFormat32bppARGB, 32, true, false}};
    for (const auto& c : cases) {
        const auto bytes = FixtureBytes(c.File);
        TGPBitmap image(bytes);
        ASSERT_EQ(image.GetLastStatus(), Ok) << c.File;
        EXPECT_EQ(image.GetType(), ImageTypeBitmap);
        EXPECT_EQ(image.GetFormat(), c.Format) << c.File;
        EXPECT_EQ(image.GetPixelFormat(), c.Pixels) << c.File;
        EXPECT_EQ(image.GetPixelDepth(), c.Depth) << c.File;
        EXPECT_EQ(image.HasAlphaChannel(), c.Alpha) << c.File;
        EXPECT_EQ(image.HasPalette(), c.Palette) << c.File;
    }
    TGPBitmap png(FixtureBytes("grid-alpha.png"));
    EXPECT_EQ(png.GetWidth(), 5u);
    EXPECT_EQ(PixelAt(png, 0, 0), 0xFFFF0000u);
    ExpectNearColor(PixelAt(png, 2, 0), 0x9B0000FFu, 1); // alpha 155 survives premultiplication

    TGPImage gif(FixtureBytes("two-frames.gif"));
    EXPECT_EQ(gif.GetFrameCount(), 2);

    const std::vector<Byte> text{'h', 'e', 'l', 'l', 'o'};
    TGPImage unknown(text);
    EXPECT_EQ(unknown.nativeImage, nullptr);
    EXPECT_EQ(unknown.GetLastStatus(), UnknownImageFormat);
    auto damaged = FixtureBytes("grid-alpha.png");
    damaged.resize(40);
    TGPImage broken(damaged);
    EXPECT_EQ(broken.GetLastStatus(), InvalidParameter);
    std::unique_ptr<TGPImage> copy(broken.Clone());
    ASSERT_NE(copy, nullptr); // a failed image clone still gives an object
    EXPECT_EQ(copy->nativeImage, nullptr);
}

TEST(GdiPlusImage, ColourKeyAndRoundedDestination) {
    TDecodedImage source = TDecodedImage::Blank(2, 1, White);
    source.SetPixel(1, 0, Blue);
    TGPBitmap picture(source);
    TGPBitmap target(30, 30);
    TGPGraphics g(&target);
    TGPImageAttributes attributes;
    attributes.SetColorKey(0xFFF0F0F0, White);
    ASSERT_EQ(g.DrawImage(&picture, TGPRectF{0, 0, 2, 1}, 0, 0, 2, 1, UnitPixel, &attributes), Ok);
    EXPECT_EQ(ARGBAlpha(PixelAt(target, 0, 0)), 0);
    EXPECT_EQ(PixelAt(target, 1, 0), Blue);

    // (0.5, 1.5, 10.5, 20.4) rounds to (0, 2, 10, 20).
    TGPBitmap solid(TDecodedImage::Blank(4, 4, Red));
    TGPBitmap canvas(30, 30);
    TGPGraphics gc(&canvas);
    gc.SetInterpolationMode(InterpolationModeNearestNeighbor);
    ASSERT_EQ(gc.DrawImageRect(&solid, TGPRectF{0.5f, 1.5f, 10.5f, 20.4f}), Ok);
    EXPECT_EQ(PixelAt(canvas, 0, 2), Red);
    EXPECT_EQ(PixelAt(canvas, 9, 21), Red);
    EXPECT_EQ(ARGBAlpha(PixelAt(canvas, 0, 1)), 0);
    EXPECT_EQ(ARGBAlpha(PixelAt(canvas, 10, 21)), 0);
    EXPECT_EQ(ARGBAlpha(PixelAt(canvas, 9, 22)), 0);
}

TEST(GdiPlusColours, Builders) {
    EXPECT_EQ(ComposeARGB(0x80, 1, 2, 3), 0x80010203u);
    EXPECT_EQ(OpaqueARGB(1, 2, 3), 0xFF010203u);
    EXPECT_EQ(ARGBRed(0x80010203), 1);
    EXPECT_EQ(ARGBGreen(0x80010203), 2);
    EXPECT_EQ(ARGBBlue(0x80010203), 3);
}

} // namespace

namespace {

TEST(GdiPlusOnDeviceContext, DrawsInCallOrderFromTheContextOrigin) {
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 20, 20);
    {
        TDeviceContext dc(surface);
        winapi::SetViewportOrgEx(&dc, 5, 5, nullptr);
        TGPGraphics g(&dc);
        TGPSolidBrush red(0xFFFF0000);
        ASSERT_EQ(g.FillRectangle(&red, TGPRectF{0, 0, 2, 2}), Ok);
        EXPECT_EQ(g.GetHDC(), &dc);
        cairo_surface_flush(surface);
        const auto* data = cairo_image_surface_get_data(surface);
        const int stride = cairo_image_surface_get_stride(surface);
        auto at = [&](int x, int y) {
            return *reinterpret_cast<const std::uint32_t*>(data + y * stride + x * 4);
        };
        EXPECT_EQ(at(5, 5), 0xFFFF0000u);
        EXPECT_EQ(at(6, 6), 0xFFFF0000u);
        EXPECT_EQ(at(4, 4), 0u);
        EXPECT_EQ(at(7, 7), 0u);
    }
    cairo_surface_destroy(surface);
}

TEST(GdiPlusColours, TColorConversions) {
    EXPECT_EQ(ColorToOpaqueARGB(0x0000FF), 0xFFFF0000u); // pure red
    EXPECT_EQ(ColorToARGB(0x80, 0x030201), 0x80010203u);
}

} // namespace

#include "graphics/GdiPlusGraphics.h"
#include "graphics/GdiPlusStartup.h"

#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace {

constexpr ARGB Black = 0xFF000000, White = 0xFFFFFFFF;

// ---- Start-up and shut-down ----

TEST(GdiPlusStartup, TokensAreCountedAndUnbalancedShutdownsNoticed) {
    GdiplusStartupInput input;
    std::uintptr_t token = 0;
    const Integer before = GdiplusStartedCount(), unbalanced = GdiplusUnbalancedShutdowns();
    ASSERT_EQ(GdiplusStartup(&token, &input, nullptr), Ok);
    EXPECT_EQ(GdiplusStartedCount(), before + 1);
    GdiplusShutdown(token);
    EXPECT_EQ(GdiplusStartedCount(), before);
    GdiplusShutdown(token); // a second time
    EXPECT_EQ(GdiplusUnbalancedShutdowns(), unbalanced + 1);

    GdiplusStartupInput wrongVersion;
    wrongVersion.GdiplusVersion = 3;
    EXPECT_EQ(GdiplusStartup(&token, &wrongVersion, nullptr), UnsupportedGdiplusVersion);
    EXPECT_EQ(GdiplusStartup(nullptr, &input, nullptr), InvalidParameter);

    // Without the background thread the caller drives the hook.
    GdiplusStartupInput quiet;
    quiet.SuppressBackgroundThread = -1;
    GdiplusStartupOutput output;
    EXPECT_EQ(GdiplusStartup(&token, &quiet, nullptr), InvalidParameter);
    ASSERT_EQ(GdiplusStartup(&token, &quiet, &output), Ok);
    ASSERT_NE(output.NotificationHook, nullptr);
    std::uintptr_t hookToken = 0;
    EXPECT_EQ(output.NotificationHook(&hookToken), Ok);
    output.NotificationUnhook(hookToken);
    GdiplusShutdown(token);
    EXPECT_EQ(GdiplusUnbalancedShutdowns(), unbalanced + 1);
}

// ---- Regions and clips: every combine mode ----

// A covers (0,0)-(20,20), B (10,10)-(30,30); the probes lie in A only, in B
// only, in both and in neither.
const TGPRectF A{0, 0, 20, 20}, B{10, 10, 20, 20};
const TGPPoint Probes[4] = {{5, 5}, {25, 25}, {15, 15}, {35, 5}};

struct TCombineCase {
    CombineMode Mode;
    bool Expected[4]; // A only, B only, both, neither
};

class GdiPlusCombine : public testing::TestWithParam<TCombineCase> {};

TEST_P(GdiPlusCombine, RegionHitTestsAndClippedPixelsAgree) {
    const TCombineCase& c = GetParam();
    TGPRegion region(A);
    TGPGraphicsPath pathB;
    pathB.AddRectangle(B);
    switch (c.Mode) {
    case CombineModeIntersect:
        ASSERT_EQ(region.Intersect(&pathB), Ok);
        break;
    case CombineModeUnion:
        ASSERT_EQ(region.Union(B), Ok);
        break;
    case CombineModeXor:
        ASSERT_EQ(region.Xor_(&pathB), Ok);
        break;
    case CombineModeExclude:
        ASSERT_EQ(region.Exclude(TGPRect{10, 10, 20, 20}), Ok);
        break;
    case CombineModeComplement:
        ASSERT_EQ(region.Complement(B), Ok);
        break;
    default: {
        TGPRegion other(B);
        ASSERT_EQ(region.Intersect(&other), Ok);
        ASSERT_EQ(region.Union(&other), Ok); // (A and B) or B = B
        break;
    }
    }
    TGPBitmap bitmap(40, 40);
    TGPGraphics g(&bitmap);
    g.Clear(White);
    ASSERT_EQ(g.SetClip(A), Ok);
    ASSERT_EQ(g.SetClip(B, c.Mode), Ok);
    TGPSolidBrush black(Black);
    ASSERT_EQ(g.FillRectangle(&black, 0, 0, 40, 40), Ok);
    for (int i = 0; i < 4; ++i) {
        const TGPPoint p = Probes[i];
        EXPECT_EQ(region.IsVisible(p), c.Expected[i]) << "probe " << i;
        ARGB pixel = 0;
        bitmap.GetPixel(p.X, p.Y, pixel);
        EXPECT_EQ(pixel == Black, c.Expected[i]) << "pixel " << i;
        EXPECT_EQ(g.IsVisible(p), c.Expected[i]) << "clip " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(Modes, GdiPlusCombine,
                         testing::Values(TCombineCase{CombineModeReplace, {false, true, true, false}},
                                         TCombineCase{CombineModeIntersect, {false, false, true, false}},
                                         TCombineCase{CombineModeUnion, {true, true, true, false}},
                                         TCombineCase{CombineModeXor, {true, true, false, false}},
                                         TCombineCase{CombineModeExclude, {true, false, false, false}},
                                         TCombineCase{CombineModeComplement, {false, true, false, false}}));

TEST(GdiPlusRegion, BoundsEmptinessEqualityAndBadArguments) {
    TGPBitmap bitmap(4, 4);
    TGPGraphics g(&bitmap);
    TGPRegion infinite;
    EXPECT_TRUE(infinite.IsInfinite(&g));
    TGPRectF bounds;
    ASSERT_EQ(infinite.GetBounds(bounds, &g), Ok);
    EXPECT_FLOAT_EQ(bounds.X, -4194304.0f);

    TGPRegion xorRegion(A);
    xorRegion.Xor_(A);
    EXPECT_TRUE(xorRegion.IsEmpty(&g));
    TGPRegion made(A);
    made.Union(B);
    made.Exclude(TGPRectF{20, 0, 20, 10}); // nothing of the union there
    TGPRegion other(B);
    other.Union(A);
    EXPECT_TRUE(made.IsEqual(&other, &g));
    ASSERT_EQ(made.GetBounds(bounds, &g), Ok);
    EXPECT_FLOAT_EQ(bounds.Width, 30);

    // Null arguments answer InvalidParameter and are recorded.
    EXPECT_EQ(made.Union(static_cast<const TGPGraphicsPath*>(nullptr)), InvalidParameter);
    EXPECT_EQ(made.GetBounds(bounds, nullptr), InvalidParameter);
    EXPECT_EQ(made.GetLastStatus(), InvalidParameter);
    EXPECT_EQ(made.GetLastStatus(), Ok);
    TGPRegion broken(static_cast<const TGPGraphicsPath*>(nullptr));
    EXPECT_EQ(broken.nativeRegion, nullptr);
    EXPECT_EQ(broken.GetLastStatus(), InvalidParameter);
    EXPECT_FALSE(broken.IsVisible(1, 1));
}

TEST(GdiPlusRegion, DataScansHandlesAndTransformsKeepTheArea) {
    TGPGraphicsPath ellipse;
    ellipse.AddEllipse(0, 0, 20, 10);
    TGPRegion region(&ellipse);
    region.Exclude(TGPRectF{8, 0, 4, 10});
    const Cardinal size = region.GetDataSize();
    std::vector<Byte> data(size);
    Cardinal filled = 0;
    ASSERT_EQ(region.GetData(data.data(), size - 1, &filled), InsufficientBuffer);
    ASSERT_EQ(region.GetData(data.data(), size, &filled), Ok);
    EXPECT_EQ(filled, size);
    TGPRegion copy(data.data(), Integer(size));
    ASSERT_EQ(copy.GetLastStatus(), Ok);
    TGPBitmap bitmap(4, 4);
    TGPGraphics g(&bitmap);
    EXPECT_TRUE(copy.IsEqual(&region, &g));
    data[4] = 77; // an unknown kind
    TGPRegion damaged(data.data(), Integer(size));
    EXPECT_EQ(damaged.GetLastStatus(), InvalidParameter);

    // Scans: the two halves of the ellipse never reach the cut.
    TGPMatrix identity;
    Integer count = 0;
    ASSERT_EQ(region.GetRegionScans(&identity, static_cast<TGPRect*>(nullptr), count), Ok);
    std::vector<TGPRect> rects(static_cast<std::size_t>(count));
    ASSERT_EQ(region.GetRegionScans(&identity, rects.data(), count), Ok);
    for (const TGPRect& r : rects)
        EXPECT_TRUE(r.X + r.Width <= 8 || r.X >= 12) << r.X << "+" << r.Width;

    winapi::HRGN handle = region.GetHRGN(&g);
    ASSERT_NE(handle, nullptr);
    EXPECT_TRUE(winapi::PtInRegion(handle, 3, 5));
    EXPECT_FALSE(winapi::PtInRegion(handle, 10, 5));
    std::unique_ptr<TGPRegion> back(TGPRegion::FromHRGN(handle));
    winapi::DeleteObject(handle);
    ASSERT_NE(back, nullptr);
    EXPECT_TRUE(back->IsVisible(3, 5));

    TGPMatrix move;
    move.Translate(100, 0);
    ASSERT_EQ(region.Transform(&move), Ok);
    EXPECT_TRUE(region.IsVisible(103.0f, 5.0f));
    EXPECT_FALSE(region.IsVisible(3.0f, 5.0f));
    EXPECT_EQ(region.Transform(nullptr), InvalidParameter);
}

TEST(GdiPlusClip, RegionsTranslationBoundsAndContainers) {
    TGPBitmap bitmap(40, 40);
    TGPGraphics g(&bitmap);
    TGPRegion shape(TGPRectF{0, 0, 10, 10});
    shape.Union(TGPRectF{20, 20, 10, 10});
    ASSERT_EQ(g.SetClip(&shape), Ok);
    EXPECT_FALSE(g.IsClipEmpty());
    ASSERT_EQ(g.TranslateClip(5, 0), Ok);
    EXPECT_TRUE(g.IsVisible(12, 5));
    EXPECT_FALSE(g.IsVisible(2, 5));
    TGPRegion clip(TGPRectF{0, 0, 1, 1});
    ASSERT_EQ(g.GetClip(&clip), Ok);
    EXPECT_TRUE(clip.IsVisible(27, 25));
    TGPRectF bounds;
    ASSERT_EQ(g.GetClipBounds(bounds), Ok);
    EXPECT_FLOAT_EQ(bounds.X, 5);
    EXPECT_FLOAT_EQ(bounds.Width, 30);
    ASSERT_EQ(g.GetVisibleClipBounds(bounds), Ok);
    EXPECT_FLOAT_EQ(bounds.Height, 30);
    g.SetClip(TGPRectF{0, 0, 5, 5}, CombineModeIntersect);
    EXPECT_TRUE(g.IsClipEmpty());
    EXPECT_EQ(g.SetClip(TGPRectF{}, CombineMode(9)), InvalidParameter);
    g.ResetClip();

    // A container maps its source rectangle onto the destination and keeps
    // the outer clip; leaving it restores the outer state.
    g.Clear(White);
    g.SetClip(TGPRectF{0, 0, 25, 40});
    const Cardinal token = g.BeginContainer(TGPRectF{10, 10, 20, 20}, TGPRectF{0, 0, 10, 10}, UnitPixel);
    ASSERT_NE(token, 0u);
    TGPRegion inner(TGPRectF{});
    g.GetClip(&inner);
    EXPECT_TRUE(inner.IsInfinite(&g));
    TGPSolidBrush black(Black);
    g.FillRectangle(&black, 0, 0, 10, 10);
    ASSERT_EQ(g.EndContainer(token), Ok);
    ARGB pixel = 0;
    for (auto [x, y, expected] : {std::tuple{12, 12, Black}, {24, 28, Black}, {26, 12, White}, {8, 12, White}}) {
        bitmap.GetPixel(x, y, pixel);
        EXPECT_EQ(pixel, expected) << x << "," << y;
    }
    EXPECT_FALSE(g.IsVisible(30, 5));
}

} // namespace

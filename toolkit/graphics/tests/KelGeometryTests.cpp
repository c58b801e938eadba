#include "kel/KelTypes.h"

#include <gtest/gtest.h>

namespace {

TEST(KelGeometry, CenterRectRoundsHalvesToEven) {
    // (25 - 10) / 2 = 7.5 rounds to the even 8.
    EXPECT_EQ(CenterRectF(RectF(3, 4, 13, 14), RectF(0, 0, 25, 25)), RectF(8, 8, 18, 18));
    EXPECT_EQ(CenterRectF(RectF(0, 0, 10, 10), RectF(100, 200, 121, 221)), RectF(106, 206, 116, 216));

    TRectF moved = RectF(3, 4, 13, 14);
    TRectF result;
    CenterRectF(moved, RectF(0, 0, 25, 25), result);
    EXPECT_EQ(moved, RectF(8, 8, 18, 18));
    EXPECT_EQ(result, moved);
}

TEST(KelGeometry, FitRect) {
    Single scale = 0;
    EXPECT_EQ(FitRectF(RectF(0, 0, 200, 100), RectF(0, 0, 50, 50), scale), RectF(0, 12, 50, 37));
    EXPECT_EQ(scale, 4);
    // A smaller picture grows to fit.
    EXPECT_EQ(FitRectF(RectF(0, 0, 10, 20), RectF(0, 0, 40, 40), scale), RectF(10, 0, 30, 40));
    EXPECT_EQ(scale, 0.5f);
    // Bounds without size, and a rectangle without size: unchanged, scale 1.
    EXPECT_EQ(FitRectF(RectF(1, 2, 30, 40), RectF(0, 0, 0, 50), scale), RectF(1, 2, 30, 40));
    EXPECT_EQ(scale, 1);
    EXPECT_EQ(FitRectF(RectF(5, 5, 5, 5), RectF(0, 0, 50, 50), scale), RectF(5, 5, 5, 5));
    EXPECT_EQ(scale, 1);
}

TEST(KelGeometry, SnapRectToPixels) {
    EXPECT_EQ(SnapRectToPixelsF(RectF(2.7f, 2.7f, 12.9f, 12.9f), false, 1), RectF(2, 2, 12, 12));
    EXPECT_EQ(SnapRectToPixelsF(RectF(2.7f, 2.7f, 12.9f, 12.9f), true, 1), RectF(2.5f, 2.5f, 12.5f, 12.5f));
    // At scale 2 the grid is half a unit; a scale of 0 counts as 1.
    EXPECT_EQ(SnapRectToPixelsF(RectF(2.7f, 2.7f, 12.9f, 12.9f), false, 2), RectF(2.5f, 2.5f, 12.5f, 12.5f));
    EXPECT_EQ(SnapRectToPixelsF(RectF(2.7f, 2.7f, 12.9f, 12.9f), true, 0), RectF(2.5f, 2.5f, 12.5f, 12.5f));
    // Truncation is towards zero for negative coordinates.
    EXPECT_EQ(SnapRectToPixelsF(RectF(-2.7f, -2.7f, 3, 3), false, 1), RectF(-2, -2, 4, 4));
}

TEST(KelGeometry, IntersectionAndContainment) {
    const TRectF a = RectF(0, 0, 10, 10);
    const TRectF touching = RectF(10, 0, 20, 10);
    TRectF dest = RectF(1, 1, 1, 1);
    EXPECT_FALSE(RectIntersectsF(a, touching));
    EXPECT_FALSE(IntersectRectF(dest, a, touching));
    EXPECT_EQ(dest, TRectF{});

    EXPECT_TRUE(RectIntersectsF(a, RectF(5, -5, 15, 5)));
    EXPECT_TRUE(IntersectRectF(dest, a, RectF(5, -5, 15, 5)));
    EXPECT_EQ(dest, RectF(5, 0, 10, 5));

    EXPECT_TRUE(PtInRectF(a, PointF(0, 0)));
    EXPECT_TRUE(PtInRectF(a, PointF(9.9f, 9.9f)));
    EXPECT_FALSE(PtInRectF(a, PointF(10, 5)));
    EXPECT_FALSE(PtInRectF(a, PointF(5, 10)));

    EXPECT_TRUE(IsRectEmptyF(RectF(5, 0, 5.00001f, 10)));
    EXPECT_TRUE(IsRectEmptyF(RectF(5, 0, 4, 10)));
    EXPECT_FALSE(IsRectEmptyF(RectF(5, 0, 5.01f, 10)));
}

TEST(KelGeometry, MovingAndConverting) {
    TRectF r = RectF(1, 2, 3, 4);
    EXPECT_TRUE(OffsetRectF(r, 10, 20));
    EXPECT_EQ(r, RectF(11, 22, 13, 24));
    InflateRectF(r, 1, 2);
    EXPECT_EQ(r, RectF(10, 20, 14, 26));
    EXPECT_EQ(RectWidthF(r), 4);
    EXPECT_EQ(RectHeightF(r), 6);

    EXPECT_EQ(RectFToRect(RectF(0.5f, 1.5f, 2.5f, -0.5f)), Rect(0, 2, 2, 0));
    EXPECT_EQ(SizeFToSize(SizeF(2.5f, 3.5f)), (TSize{2, 4}));
    EXPECT_EQ(RectToRectF(Rect(1, 2, 3, 4)), RectF(1, 2, 3, 4));
    EXPECT_EQ(PointToPointF(Point(-1, 7)), PointF(-1, 7));
    EXPECT_EQ(PointLengthF(PointF(3, -4)), 5);
}

TEST(KelCharacters, IsNumericChar) {
    const struct {
        Char ch;
        bool numeric;
    } cases[] = {{u'0', true},      {u'9', true},      {u'a', false},     {u'/', false},
                 {u':', false},     {u'\u00B2', true}, {u'\u00BD', true}, {u'\u0663', true},
                 {u'\u2163', true}, {u'\u00E9', false}};
    for (const auto& c : cases)
        EXPECT_EQ(IsNumericChar(c.ch), c.numeric) << int(c.ch);
}

} // namespace

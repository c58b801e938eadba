#include "graphics/GdiPlusGraphics.h"

#include <gtest/gtest.h>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace {

constexpr ARGB Black = 0xFF000000, White = 0xFFFFFFFF, Red = 0xFFFF0000, Blue = 0xFF0000FF, Green = 0xFF00FF00;

// A white bitmap with a graphics that draws aliased, pixel (x, y) covering
// world [x, x+1) x [y, y+1).
struct TCanvas {
    TGPBitmap Bitmap;
    TGPGraphics G;
    explicit TCanvas(Integer w = 40, Integer h = 40) : Bitmap(w, h), G(&Bitmap) {
        G.SetPixelOffsetMode(PixelOffsetModeHalf);
        G.Clear(White);
    }
    ARGB At(Integer x, Integer y) {
        ARGB c = 0;
        Bitmap.GetPixel(x, y, c);
        return c;
    }
    bool Lit(Integer x, Integer y) { return At(x, y) != White; }
    // One row as '#' (not white) and '.'.
    std::string Row(Integer y, Integer from, Integer to) {
        std::string s;
        for (Integer x = from; x < to; ++x)
            s += Lit(x, y) ? '#' : '.';
        return s;
    }
};

// ---- Curves, pies ----

struct TTensionCase {
    Single Tension;
    bool ChordMiddleLit;
    bool BulgeAboveChord;
};

class GdiPlusCurve : public testing::TestWithParam<TTensionCase> {};

TEST_P(GdiPlusCurve, TensionBendsTheLineAwayFromTheChord) {
    TCanvas c;
    TGPPen pen(Black, 1);
    const TGPPointF points[3] = {{0, 20}, {20, 0}, {40, 20}};
    ASSERT_EQ(c.G.DrawCurve(&pen, points, 3, GetParam().Tension), Ok);
    EXPECT_EQ(c.Lit(9, 10), GetParam().ChordMiddleLit);
    int above = 0; // pixels clearly above the chord from (0,20) to (20,0)
    for (Integer y = 0; y < 20; ++y)
        for (Integer x = 0; x < 20; ++x)
            if (x + y <= 16 && c.Lit(x, y)) ++above;
    EXPECT_EQ(above > 3, GetParam().BulgeAboveChord) << above;

    // A closed curve of tension 0 fills exactly the polygon.
    TCanvas closed, polygon;
    TGPSolidBrush black(Black);
    ASSERT_EQ(closed.G.FillClosedCurve(&black, points, 3, FillModeAlternate, GetParam().Tension), Ok);
    polygon.G.FillPolygon(&black, points, 3);
    int differ = 0;
    for (Integer y = 0; y < 40; ++y)
        for (Integer x = 0; x < 40; ++x)
            differ += closed.Lit(x, y) != polygon.Lit(x, y);
    EXPECT_EQ(differ == 0, GetParam().Tension == 0) << differ;
}

INSTANTIATE_TEST_SUITE_P(Tensions, GdiPlusCurve,
                         testing::Values(TTensionCase{0.0f, true, false}, TTensionCase{0.5f, false, true}));

TEST(GdiPlusCurve, BadArgumentsAnswerInvalidParameter) {
    TCanvas c;
    TGPPen pen(Black);
    const TGPPointF points[3] = {{0, 0}, {5, 5}, {10, 0}};
    EXPECT_EQ(c.G.DrawCurve(&pen, points, 1), InvalidParameter);
    EXPECT_EQ(c.G.DrawCurve(&pen, points, 3, 1, 2, 0.5f), InvalidParameter); // segments past the end
    EXPECT_EQ(c.G.DrawClosedCurve(&pen, points, 2), InvalidParameter);
    EXPECT_EQ(c.G.DrawBeziers(&pen, points, 3), InvalidParameter);
    EXPECT_EQ(c.G.GetLastStatus(), InvalidParameter);
    EXPECT_EQ(c.G.DrawCurve(&pen, points, 3, 1, 1, 0.5f), Ok);
}

struct TPieCase {
    Single Start, Sweep;
    bool Quadrants[4]; // lower right, lower left, upper left, upper right
};

class GdiPlusPie : public testing::TestWithParam<TPieCase> {};

TEST_P(GdiPlusPie, AnglesRunClockwiseFromEast) {
    TCanvas c;
    TGPSolidBrush black(Black);
    ASSERT_EQ(c.G.FillPie(&black, 0, 0, 40, 40, GetParam().Start, GetParam().Sweep), Ok);
    const TGPPoint probes[4] = {{30, 30}, {10, 30}, {10, 10}, {30, 10}};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(c.Lit(probes[i].X, probes[i].Y), GetParam().Quadrants[i]) << "quadrant " << i;
    TGPPen pen(Black);
    EXPECT_EQ(c.G.DrawPie(&pen, 0, 0, 0, 40, GetParam().Start, GetParam().Sweep), InvalidParameter);
}

INSTANTIATE_TEST_SUITE_P(Angles, GdiPlusPie,
                         testing::Values(TPieCase{0, 90, {true, false, false, false}},
                                         TPieCase{90, 90, {false, true, false, false}},
                                         TPieCase{-90, 180, {true, false, false, true}},
                                         TPieCase{180, -90, {false, true, false, false}},
                                         TPieCase{0, 360, {true, true, true, true}}));

// ---- Hatch brushes ----

// The 8 by 8 cell of a style as drawn, '#' for the foreground.
std::vector<std::string> HatchCell(HatchStyle style, TCanvas& c) {
    TGPHatchBrush brush(style, Black, White);
    EXPECT_EQ(brush.GetLastStatus(), Ok);
    EXPECT_EQ(c.G.FillRectangle(&brush, 0, 0, 16, 16), Ok);
    std::vector<std::string> rows;
    for (Integer y = 0; y < 8; ++y)
        rows.push_back(c.Row(y, 0, 8));
    return rows;
}

TEST(GdiPlusHatch, EveryStyleIsItsOwnEightByEightPatternRepeated) {
    std::set<std::vector<std::string>> seen;
    for (int s = HatchStyleMin; s <= HatchStyleMax; ++s) {
        TCanvas c;
        const auto cell = HatchCell(HatchStyle(s), c);
        for (Integer y = 0; y < 16; ++y)
            EXPECT_EQ(c.Row(y, 0, 16), cell[std::size_t(y % 8)] + cell[std::size_t(y % 8)]) << "style " << s;
        EXPECT_TRUE(seen.insert(cell).second) << "style " << s << " repeats another";
    }
    TGPHatchBrush bad(HatchStyle(HatchStyleTotal), Black, White);
    EXPECT_EQ(bad.nativeBrush, nullptr);
    EXPECT_EQ(bad.GetLastStatus(), InvalidParameter);
}

TEST(GdiPlusHatch, ShapesAndDensitiesFollowTheNames) {
    auto count = [](const std::vector<std::string>& cell) {
        int n = 0;
        for (const auto& row : cell)
            for (char ch : row)
                n += ch == '#';
        return n;
    };
    TCanvas h, v, f, half;
    const auto horizontal = HatchCell(HatchStyleHorizontal, h);
    EXPECT_EQ(horizontal[0], "########");
    EXPECT_EQ(count(horizontal), 8);
    EXPECT_EQ(HatchCell(HatchStyleVertical, v)[3], "#.......");
    const auto forward = HatchCell(HatchStyleForwardDiagonal, f);
    EXPECT_EQ(forward[2], "..#.....");
    EXPECT_EQ(count(HatchCell(HatchStyle50Percent, half)), 32);
    int previous = 0;
    for (int s = HatchStyle05Percent; s <= HatchStyle90Percent; ++s) {
        TCanvas c;
        const int n = count(HatchCell(HatchStyle(s), c));
        EXPECT_GT(n, previous) << "style " << s;
        previous = n;
    }
    // The pattern follows the rendering origin, in device pixels.
    TCanvas moved;
    moved.G.SetRenderingOrigin(0, 3);
    EXPECT_EQ(HatchCell(HatchStyleHorizontal, moved)[3], "########");
}

// ---- Texture brushes ----

struct TWrapCase {
    WrapMode Mode;
    const char* Row;    // x 0..7 at y 0
    const char* Column; // y 0..7 at x 0
};

class GdiPlusTexture : public testing::TestWithParam<TWrapCase> {};

TEST_P(GdiPlusTexture, WrapModesRepeatMirrorOrClamp) {
    // R B
    // G K
    TGPBitmap tile(2, 2);
    tile.SetPixel(0, 0, Red), tile.SetPixel(1, 0, Blue), tile.SetPixel(0, 1, Green), tile.SetPixel(1, 1, Black);
    TGPTextureBrush brush(&tile, GetParam().Mode);
    ASSERT_EQ(brush.GetLastStatus(), Ok);
    TCanvas c(8, 8);
    ASSERT_EQ(c.G.FillRectangle(&brush, 0, 0, 8, 8), Ok);
    auto letter = [](ARGB p) {
        return p == Red ? 'R' : p == Blue ? 'B' : p == Green ? 'G' : p == Black ? 'K' : p == White ? '.' : '?';
    };
    std::string row, column;
    for (Integer i = 0; i < 8; ++i) {
        row += letter(c.At(i, 0));
        column += letter(c.At(0, i));
    }
    EXPECT_EQ(row, GetParam().Row);
    EXPECT_EQ(column, GetParam().Column);
}

INSTANTIATE_TEST_SUITE_P(Modes, GdiPlusTexture,
                         testing::Values(TWrapCase{WrapModeTile, "RBRBRBRB", "RGRGRGRG"},
                                         TWrapCase{WrapModeTileFlipX, "RBBRRBBR", "RGRGRGRG"},
                                         TWrapCase{WrapModeTileFlipY, "RBRBRBRB", "RGGRRGGR"},
                                         TWrapCase{WrapModeTileFlipXY, "RBBRRBBR", "RGGRRGGR"},
                                         TWrapCase{WrapModeClamp, "RB......", "RG......"}));

TEST(GdiPlusTexture, TransformImageAndBadArguments) {
    TGPBitmap tile(2, 1);
    tile.SetPixel(0, 0, Red), tile.SetPixel(1, 0, Blue);
    TGPTextureBrush brush(&tile);
    ASSERT_EQ(brush.TranslateTransform(1, 0), Ok);
    TCanvas c(4, 1);
    c.G.FillRectangle(&brush, 0, 0, 4, 1);
    EXPECT_EQ(c.At(0, 0), Blue);
    EXPECT_EQ(c.At(1, 0), Red);
    std::unique_ptr<TGPImage> image(brush.GetImage());
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->GetWidth(), 2u);

    TGPTextureBrush none(static_cast<TGPImage*>(nullptr));
    EXPECT_EQ(none.GetLastStatus(), InvalidParameter);
    TGPTextureBrush outside(&tile, WrapModeTile, TGPRectF{1, 0, 5, 1});
    EXPECT_EQ(outside.GetLastStatus(), InvalidParameter);
    EXPECT_EQ(brush.SetWrapMode(WrapMode(7)), InvalidParameter);
}

// ---- Pens: dashes, caps, compound lines, alignment, transform ----

struct TDashCase {
    DashStyle Style;
    std::vector<Single> Pattern; // for custom dashes
    Single Offset;
    const char* Row;
};

class GdiPlusDash : public testing::TestWithParam<TDashCase> {};

TEST_P(GdiPlusDash, PatternsInPenWidths) {
    TCanvas c(16, 4);
    TGPPen pen(Black, 1);
    if (GetParam().Pattern.empty())
        pen.SetDashStyle(GetParam().Style);
    else
        ASSERT_EQ(pen.SetDashPattern(GetParam().Pattern.data(), Integer(GetParam().Pattern.size())), Ok);
    pen.SetDashOffset(GetParam().Offset);
    ASSERT_EQ(c.G.DrawLine(&pen, 0.0f, 1.5f, 16.0f, 1.5f), Ok);
    EXPECT_EQ(c.Row(1, 0, 16), GetParam().Row);
}

INSTANTIATE_TEST_SUITE_P(Styles, GdiPlusDash,
                         testing::Values(TDashCase{DashStyleSolid, {}, 0, "################"},
                                         TDashCase{DashStyleDash, {}, 0, "###.###.###.###."},
                                         TDashCase{DashStyleDot, {}, 0, "#.#.#.#.#.#.#.#."},
                                         TDashCase{DashStyleDashDot, {}, 0, "###.#.###.#.###."},
                                         TDashCase{DashStyleCustom, {2, 2}, 0, "##..##..##..##.."},
                                         TDashCase{DashStyleCustom, {2, 2}, 1, "#..##..##..##..#"},
                                         TDashCase{DashStyleCustom, {1, 3}, 0, "#...#...#...#..."}));

TEST(GdiPlusDash, PatternQueriesAndBadPatterns) {
    TGPPen pen(Black, 2);
    EXPECT_EQ(pen.GetDashPatternCount(), 0);
    const Single pattern[3] = {4, 1, 2};
    ASSERT_EQ(pen.SetDashPattern(pattern, 3), Ok);
    EXPECT_EQ(pen.GetDashStyle(), DashStyleCustom);
    Single back[3] = {};
    ASSERT_EQ(pen.GetDashPattern(back, 3), Ok);
    EXPECT_EQ(back[2], 2);
    EXPECT_EQ(pen.GetDashPattern(back, 2), InvalidParameter);
    const Single zero[2] = {1, 0};
    EXPECT_EQ(pen.SetDashPattern(zero, 2), InvalidParameter);
    EXPECT_EQ(pen.SetDashPattern(pattern, 0), InvalidParameter);
    EXPECT_EQ(pen.GetLastStatus(), InvalidParameter);
}

struct TCapCase {
    Integer Cap;
    bool Lit[4];
};

class GdiPlusCap : public testing::TestWithParam<TCapCase> {};

TEST_P(GdiPlusCap, LineStartShapes) {
    // A line 6 wide from (10,10) to (20,10); only its start cap varies.
    TCanvas c;
    TGPPen pen(Black, 6);
    ASSERT_EQ(pen.SetStartCap(LineCap(GetParam().Cap)), Ok);
    ASSERT_EQ(c.G.DrawLine(&pen, 10.0f, 10.0f, 20.0f, 10.0f), Ok);
    const TGPPoint probes[4] = {{8, 10}, {7, 7}, {5, 10}, {20, 5}};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(c.Lit(probes[i].X, probes[i].Y), GetParam().Lit[i]) << "probe " << i;
    EXPECT_FALSE(c.Lit(23, 10)); // the flat end
}

INSTANTIATE_TEST_SUITE_P(Caps, GdiPlusCap,
                         testing::Values(TCapCase{LineCapFlat, {false, false, false, false}},
                                         TCapCase{LineCapSquare, {true, true, false, false}},
                                         TCapCase{LineCapRound, {true, false, false, false}},
                                         TCapCase{LineCapTriangle, {true, false, false, false}},
                                         TCapCase{LineCapRoundAnchor, {true, true, true, false}},
                                         TCapCase{LineCapSquareAnchor, {true, true, true, false}},
                                         TCapCase{LineCapArrowAnchor, {false, false, false, true}}));

TEST(GdiPlusCap, AdjustableArrowAtTheEnd) {
    TCanvas c;
    TGPPen pen(Black, 2);
    TGPAdjustableArrowCap arrow(4, 4); // 8 long and 8 wide at this width
    ASSERT_EQ(pen.SetCustomEndCap(&arrow), Ok);
    ASSERT_EQ(c.G.DrawLine(&pen, 5.0f, 20.0f, 30.0f, 20.0f), Ok);
    EXPECT_TRUE(c.Lit(24, 17)); // inside the head, off the line
    EXPECT_FALSE(c.Lit(24, 14));
    EXPECT_FALSE(c.Lit(10, 17));
    TGPCustomLineCap copy;
    ASSERT_EQ(pen.GetCustomEndCap(&copy), Ok);
    EXPECT_NE(copy.nativeCap, nullptr);
    EXPECT_EQ(pen.GetCustomStartCap(nullptr), InvalidParameter);
    EXPECT_EQ(arrow.GetHeight(), 4);
    TGPCustomLineCap empty(nullptr, nullptr);
    EXPECT_EQ(empty.GetLastStatus(), InvalidParameter);
}

TEST(GdiPlusPen, CompoundStripesAlignmentAndTransform) {
    TCanvas c;
    TGPPen striped(Black, 8);
    const Single stripes[4] = {0, 0.25f, 0.75f, 1};
    ASSERT_EQ(striped.SetCompoundArray(stripes, 4), Ok);
    c.G.DrawLine(&striped, 5.0f, 10.0f, 35.0f, 10.0f);
    std::string column;
    for (Integer y = 5; y < 15; ++y)
        column += c.Lit(20, y) ? '#' : '.';
    EXPECT_EQ(column, ".##....##.");
    const Single odd[3] = {0, 0.5f, 1};
    EXPECT_EQ(striped.SetCompoundArray(odd, 3), InvalidParameter);
    Single back[4];
    EXPECT_EQ(striped.GetCompoundArray(back, 0), InvalidParameter);

    // Inset: all inside the rectangle.
    TCanvas inset;
    TGPPen inner(Black, 4);
    inner.SetAlignment(PenAlignmentInset);
    inset.G.DrawRectangle(&inner, 10.0f, 10.0f, 20.0f, 20.0f);
    EXPECT_FALSE(inset.Lit(9, 20));
    EXPECT_TRUE(inset.Lit(12, 20));
    EXPECT_FALSE(inset.Lit(14, 20));

    // The pen's transform stretches its width, not the line.
    TCanvas tall;
    TGPPen pen(Black, 2);
    pen.ScaleTransform(1, 4);
    tall.G.DrawLine(&pen, 5.0f, 20.0f, 35.0f, 20.0f);
    EXPECT_TRUE(tall.Lit(20, 16));
    EXPECT_FALSE(tall.Lit(20, 14));
    EXPECT_FALSE(tall.Lit(2, 20));
    TGPMatrix singular(0, 0, 0, 0, 0, 0);
    EXPECT_EQ(pen.SetTransform(&singular), InvalidParameter);
}

// ---- Path operations ----

TEST(GdiPlusPathOps, WidenThenFillCoversWhatTheStrokeCovers) {
    TGPPen pen(Black, 5);
    pen.SetLineJoin(LineJoinRound);
    const TGPPointF corner[3] = {{5, 5}, {30, 5}, {30, 30}};
    TCanvas stroked, filled;
    stroked.G.DrawLines(&pen, corner, 3);
    TGPGraphicsPath path;
    path.AddLines(corner, 3);
    ASSERT_EQ(path.Widen(&pen), Ok);
    EXPECT_EQ(path.GetFillMode(), FillModeWinding);
    TGPSolidBrush black(Black);
    filled.G.FillPath(&black, &path);
    int differ = 0, lit = 0;
    for (Integer y = 0; y < 40; ++y)
        for (Integer x = 0; x < 40; ++x) {
            differ += stroked.Lit(x, y) != filled.Lit(x, y);
            lit += filled.Lit(x, y);
        }
    EXPECT_GT(lit, 200);
    EXPECT_LE(differ, 6) << differ; // a few pixels where the round join's polygon meets the disc
    EXPECT_TRUE(path.IsVisible(30.0f, 18.0f));
    EXPECT_EQ(path.Widen(nullptr), InvalidParameter);
}

TEST(GdiPlusPathOps, AddStringFillsGlyphOutlinesInsideTheMeasuredBox) {
    TGPFontFamily family(u"Arial");
    ASSERT_EQ(family.GetLastStatus(), Ok);
    TGPGraphicsPath path;
    ASSERT_EQ(path.AddString(u"HI", -1, &family, FontStyleBold, 24, TGPPointF{2, 2}, nullptr), Ok);
    ASSERT_GT(path.GetPointCount(), 8);
    TGPRectF bounds;
    path.GetBounds(bounds);
    TCanvas c(60, 40);
    TGPSolidBrush black(Black);
    c.G.FillPath(&black, &path);
    int inside = 0, outside = 0;
    for (Integer y = 0; y < 40; ++y)
        for (Integer x = 0; x < 60; ++x) {
            const bool in = x >= bounds.X - 1 && x <= bounds.X + bounds.Width && y >= bounds.Y - 1 &&
                            y <= bounds.Y + bounds.Height;
            (in ? inside : outside) += c.Lit(x, y);
        }
    EXPECT_GT(inside, 60);
    EXPECT_EQ(outside, 0);
    // The bar of the H leaves its middle column filled, its top open.
    const Single midX = bounds.X + bounds.Width / 4, topY = bounds.Y + 2;
    EXPECT_FALSE(path.IsVisible(midX, topY));
    EXPECT_EQ(path.AddString(u"x", -1, nullptr, 0, 10, TGPPointF{}, nullptr), InvalidParameter);
}

TEST(GdiPlusPathOps, FlattenWarpReverseAndPathData) {
    TGPGraphicsPath path;
    path.AddEllipse(0, 0, 10, 10);
    ASSERT_EQ(path.Flatten(), Ok);
    const Integer n = path.GetPointCount();
    std::vector<Byte> types(static_cast<std::size_t>(n));
    path.GetPathTypes(types.data(), n);
    for (Byte t : types)
        EXPECT_NE(t & PathPointTypePathTypeMask, PathPointTypeBezier);
    EXPECT_EQ(path.Flatten(nullptr, 0), InvalidParameter);

    // The square's corners go onto the destination's.
    TGPGraphicsPath square;
    square.AddRectangle(TGPRectF{0, 0, 10, 10});
    const TGPPointF dest[4] = {{100, 100}, {120, 100}, {100, 130}, {120, 130}};
    ASSERT_EQ(square.Warp(dest, 4, TGPRectF{0, 0, 10, 10}), Ok);
    TGPRectF b;
    square.GetBounds(b);
    EXPECT_NEAR(b.X, 100, 1e-3);
    EXPECT_NEAR(b.Width, 20, 1e-3);
    EXPECT_NEAR(b.Height, 30, 1e-3);
    EXPECT_EQ(square.Warp(dest, 2, TGPRectF{0, 0, 10, 10}), InvalidParameter);

    TGPGraphicsPath line;
    const TGPPointF zig[3] = {{0, 0}, {5, 5}, {10, 0}};
    line.AddLines(zig, 3);
    ASSERT_EQ(line.Reverse(), Ok);
    TGPPointF last;
    line.GetLastPoint(last);
    EXPECT_EQ(last.X, 0);

    TPathData small, large;
    small.Count = 1;
    small.Points = static_cast<TGPPointF*>(std::malloc(sizeof(TGPPointF)));
    small.Types = static_cast<Byte*>(std::malloc(1));
    ASSERT_EQ(line.GetPathData(&small), Ok);
    EXPECT_EQ(small.Count, 3);
    EXPECT_EQ(small.Points[2].X, 0);
    large.Count = 10;
    large.Points = static_cast<TGPPointF*>(std::malloc(10 * sizeof(TGPPointF)));
    large.Types = static_cast<Byte*>(std::malloc(10));
    TGPPointF* kept = large.Points;
    ASSERT_EQ(line.GetPathData(&large), Ok);
    EXPECT_EQ(large.Points, kept);
    EXPECT_EQ(large.Count, 10);

    TGPPen pen(Black, 4);
    EXPECT_TRUE(line.IsOutlineVisible(5.0f, 6.0f, &pen));
    EXPECT_FALSE(line.IsOutlineVisible(5.0f, 0.0f, &pen));
    EXPECT_FALSE(line.IsOutlineVisible(5.0f, 6.0f, nullptr));
}

// ---- The graphics: page units, coordinate spaces, ranges, cached bitmaps ----

TEST(GdiPlusGraphicsState, PageUnitsAndCoordinateSpaces) {
    TCanvas c(100, 100);
    ASSERT_EQ(c.G.SetPageUnit(UnitInch), Ok);
    ASSERT_EQ(c.G.SetPageScale(0.5f), Ok);
    TGPSolidBrush black(Black);
    c.G.FillRectangle(&black, 0.0f, 0.0f, 1.0f, 1.0f); // half an inch: 48 pixels
    EXPECT_TRUE(c.Lit(47, 47));
    EXPECT_FALSE(c.Lit(48, 10));
    c.G.TranslateTransform(1, 0);
    TGPPointF p[1] = {{1, 1}};
    ASSERT_EQ(c.G.TransformPoints(CoordinateSpaceDevice, CoordinateSpaceWorld, p, 1), Ok);
    EXPECT_NEAR(p[0].X, 96, 1e-3);
    EXPECT_NEAR(p[0].Y, 48, 1e-3);
    ASSERT_EQ(c.G.TransformPoints(CoordinateSpaceWorld, CoordinateSpaceDevice, p, 1), Ok);
    EXPECT_NEAR(p[0].X, 1, 1e-4);
    EXPECT_EQ(c.G.SetPageUnit(UnitWorld), InvalidParameter);
    EXPECT_EQ(c.G.SetPageScale(0), InvalidParameter);
    EXPECT_EQ(c.G.TransformPoints(CoordinateSpace(5), CoordinateSpaceWorld, p, 1), InvalidParameter);
}

TEST(GdiPlusGraphicsState, CharacterRangesAndDriverStrings) {
    TCanvas c(200, 40);
    TGPFont font(u"Arial", 12);
    TGPStringFormat format;
    const TCharacterRange ranges[2] = {{0, 5}, {6, 5}};
    ASSERT_EQ(format.SetMeasurableCharacterRanges(2, ranges), Ok);
    TGPRegion regions[2];
    ASSERT_EQ(c.G.MeasureCharacterRanges(u"Hello world", -1, &font, TGPRectF{0, 0, 200, 40}, &format, 2, regions), Ok);
    TGPRectF first, second;
    regions[0].GetBounds(first, &c.G);
    regions[1].GetBounds(second, &c.G);
    EXPECT_GT(first.Width, 10);
    EXPECT_GT(second.X, first.X + first.Width);
    EXPECT_EQ(c.G.MeasureCharacterRanges(u"Hello", -1, &font, TGPRectF{}, &format, 0, regions), InvalidParameter);
    EXPECT_EQ(c.G.GetLastStatus(), Ok); // not recorded
    const Word glyphs[1] = {1};
    TGPSolidBrush black(Black);
    EXPECT_EQ(c.G.DrawDriverString(glyphs, 1, &font, &black, nullptr, 0, nullptr), NotImplemented);
    EXPECT_EQ(c.G.AddMetafileComment(nullptr, 0), NotImplemented);
}

TEST(GdiPlusGraphicsState, CachedBitmapsDrawAtWholePixelsOnly) {
    TGPBitmap source(2, 2);
    source.SetPixel(0, 0, Red);
    TCanvas c(10, 10);
    TGPCachedBitmap cached(&source, &c.G);
    source.SetPixel(0, 0, Blue); // the cache keeps the earlier pixels
    c.G.TranslateTransform(3, 0);
    ASSERT_EQ(c.G.DrawCachedBitmap(&cached, 1, 1), Ok);
    EXPECT_EQ(c.At(4, 1), Red);
    c.G.RotateTransform(30);
    EXPECT_EQ(c.G.DrawCachedBitmap(&cached, 1, 1), WrongState);
    TGPCachedBitmap none(nullptr, &c.G);
    EXPECT_EQ(none.GetLastStatus(), InvalidParameter);
}

} // namespace

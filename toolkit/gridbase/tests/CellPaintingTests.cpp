// The cell painting routines, checked at chosen pixels of a white bitmap.

#include "gridbase/CellPainting.h"

#include "graphics/Graphic.h"
#include "rtl/Exception.h"

#include <gtest/gtest.h>

namespace {

class Surface {
public:
    Surface(Integer W, Integer H) {
        Bitmap.SetSize(W, H);
        Canvas()->Brush()->SetColor(clWhite);
        Canvas()->FillRect({0, 0, W, H});
    }
    TCanvas* Canvas() { return Bitmap.Canvas(); }
    TColor At(Integer X, Integer Y) { return ColorToRGB(Canvas()->Pixels(X, Y)); }
    TBitmap Bitmap;
};

TProgressLevelAppearance PlainLevels() {
    TProgressLevelAppearance A;
    A.ShowGradient = false;
    A.ShowPercentage = false;
    A.BackgroundColor = clWhite;
    return A;
}

} // namespace

TEST(CellPainting, GradientBandsSolidFillAndEmptyRectangle) {
    // More steps than pixels: one band per pixel, ends exact.
    Surface S(10, 4);
    FillGradientRect(S.Canvas(), RGB(0, 0, 0), RGB(90, 0, 0), 100, {0, 0, 10, 4}, true);
    EXPECT_EQ(S.At(0, 1), RGB(0, 0, 0));
    EXPECT_EQ(S.At(1, 1), RGB(10, 0, 0));
    EXPECT_EQ(S.At(5, 1), RGB(50, 0, 0));
    EXPECT_EQ(S.At(9, 1), RGB(90, 0, 0));
    // Vertical: the colour changes along y only.
    FillGradientRect(S.Canvas(), RGB(0, 0, 0), RGB(0, 30, 0), 100, {0, 0, 10, 4}, false);
    EXPECT_EQ(S.At(7, 0), RGB(0, 0, 0));
    EXPECT_EQ(S.At(7, 3), RGB(0, 30, 0));
    // Bottom above top is swapped; one colour clNone fills solid.
    FillGradientRect(S.Canvas(), clNone, clBlue, 16, {0, 4, 10, 0}, true);
    EXPECT_EQ(S.At(0, 0), clBlue);
    EXPECT_EQ(S.At(9, 3), clBlue);
    // No height: nothing drawn.
    FillGradientRect(S.Canvas(), clRed, clRed, 16, {0, 2, 10, 2}, true);
    EXPECT_EQ(S.At(5, 2), clBlue);
}

TEST(CellPainting, SelectionFramePartsAndCorners) {
    const TColor Fill = RGB(1, 2, 3), Border = RGB(200, 0, 0), Near = RGB(0, 200, 0), Corner = RGB(0, 0, 200),
                 Top = RGB(10, 10, 10), Bottom = RGB(20, 20, 20);
    const struct {
        Integer Part;
        bool LeftSide, RightSide;
    } Cases[] = {{sfSingle, true, true}, {sfLeftEnd, true, false}, {sfRightEnd, false, true}, {sfMiddle, false, false}};
    for (const auto& C : Cases) {
        Surface S(30, 22);
        // Right becomes 29, Bottom 20.
        DrawSelectionFrame(S.Canvas(), Fill, clNone, clNone, clNone, Top, Bottom, Border, Near, Corner,
                           {0, 0, 30, 22}, C.Part);
        EXPECT_EQ(S.At(0, 0), C.LeftSide ? Corner : Border) << C.Part;
        EXPECT_EQ(S.At(1, 1), C.LeftSide ? Near : Top) << C.Part;
        EXPECT_EQ(S.At(0, 10), C.LeftSide ? Border : Fill) << C.Part;
        EXPECT_EQ(S.At(28, 10), C.RightSide ? Border : Fill) << C.Part;
        EXPECT_EQ(S.At(28, 20), C.RightSide ? Corner : Border) << C.Part;
        EXPECT_EQ(S.At(15, 0), Border) << C.Part;
        EXPECT_EQ(S.At(15, 1), Top) << C.Part;
        EXPECT_EQ(S.At(15, 19), Bottom) << C.Part;
        EXPECT_EQ(S.At(15, 10), Fill) << C.Part;
    }
}

TEST(CellPainting, GradientBackgroundHalvesSolidAndBorder) {
    Surface S(20, 20);
    // Mirrored, direction 1: upper half Color..ColorTo, lower half mirror colours.
    DrawGradientBackground(S.Canvas(), {0, 0, 20, 20}, clRed, clRed, clBlue, clBlue, 1, clNone, false, true);
    EXPECT_EQ(S.At(10, 9), clRed);
    EXPECT_EQ(S.At(10, 10), clBlue);
    // Solid with side lines: the fill reaches one pixel lower; no top line.
    DrawGradientBackground(S.Canvas(), {0, 0, 20, 10}, clLime, clNone, clNone, clNone, 0, clBlack, true, true);
    EXPECT_EQ(S.At(10, 10), clLime);
    EXPECT_EQ(S.At(0, 5), clBlack);
    EXPECT_EQ(S.At(19, 5), clBlack);
    EXPECT_EQ(S.At(10, 0), clLime);
}

TEST(CellPainting, ColourRoutines) {
    EXPECT_EQ(BlendColorAt(RGB(0, 0, 0), RGB(100, 200, 50), 0, 10, 5), RGB(50, 100, 25));
    EXPECT_EQ(BlendColorAt(clRed, clNone, 0, 10, 5), clRed);
    EXPECT_EQ(BlendColorAt(clRed, clBlue, 3, 3, 3), clRed); // an empty range keeps the start colour
    EXPECT_EQ(HalveColor(RGB(255, 101, 2)), RGB(127, 50, 1));
    EXPECT_EQ(AdjustColorPercent(RGB(200, 100, 50), -10), RGB(180, 90, 45));
    EXPECT_EQ(AdjustColorPercent(RGB(200, 100, 50), -100), clBlack);
    // Brightening past 255 stays white instead of wrapping to dark.
    EXPECT_EQ(AdjustColorPercent(RGB(200, 100, 50), 50), RGB(255, 150, 75));
    EXPECT_EQ(AdjustColorPercent(clBtnFace, 0), ColorToRGB(clBtnFace));
}

TEST(CellPainting, CentredBarGrowsFromTheMiddle) {
    const struct {
        Integer Value, Max;
        Integer FilledX, EmptyX; // -1: not checked
        TColor Filled;
    } Cases[] = {
        {50, 100, 55, 65, clLime},   // half of the half to the right: 42..62
        {-200, 100, 3, -1, clRed},   // clamped to -max: the whole left half
        {10, 0, -1, 30, clLime},     // no range: nothing drawn
    };
    for (const auto& C : Cases) {
        Surface S(84, 10);
        // Shrunk to 2..82: half 40, middle at 42.
        DrawCenteredBar(S.Canvas(), {0, 0, 84, 10}, C.Value, C.Max, false, clRed, clLime);
        if (C.FilledX >= 0) {
            EXPECT_EQ(S.At(C.FilledX, 5), C.Filled) << C.Value;
        }
        if (C.EmptyX >= 0) {
            EXPECT_EQ(S.At(C.EmptyX, 5), clWhite) << C.Value;
        }
    }
}

TEST(CellPainting, ProgressBarClampsAndReadsFormats) {
    const struct {
        double Value;
        Integer Min, Max;
        double Divisor;
        const char16_t* Format;
        bool Full, Empty;
    } Cases[] = {
        {150, 0, 100, 1, u"", true, false},
        {-5, 0, 100, 1, u"", false, true},
        {50, 40, 40, 1, u"%.1f", false, true}, // an empty range shows an empty bar
        {42.6, 0, 100, 0, u"%d items", false, false},
        {7, 0, 10, 2, u"%.1f", false, false},
        {5, 0, 10, 1, u"%3u", false, false},
    };
    for (const auto& C : Cases) {
        Surface S(100, 20);
        EXPECT_NO_THROW(DrawProgressBar(S.Canvas(), {0, 0, 100, 20}, clRed, clWhite, clBlue, clBlack, C.Value, 0, 0,
                                        C.Min, C.Max, C.Divisor, C.Format, clNone, false))
            << C.Value;
        EXPECT_EQ(S.At(1, 1), C.Empty ? clBlue : clRed) << C.Value;
        EXPECT_EQ(S.At(98, 1), C.Full ? clRed : clBlue) << C.Value;
    }
}

TEST(CellPainting, LevelBarBlocksAndColours) {
    const struct {
        Integer Percent;
        bool Smooth;
        std::vector<Integer> Coloured, Background;
        TColor Color;
    } Cases[] = {
        // Width 102: size 100, so n equals the percentage.
        {9, false, {2, 9}, {10}, clLime},            // n = 9: one block of 8 pixels
        {10, false, {2, 8}, {9, 10}, clLime},        // n = 10: a block of 7 and nothing else
        {20, false, {8, 11, 17}, {9, 10, 18}, clLime}, // period 9; the rest of 2 draws nothing
        {100, true, {1, 50, 100}, {}, clRed},       // complete: the last level
        {75, true, {1, 75}, {77}, clYellow},
        {0, true, {}, {1, 50}, clLime},
    };
    for (const auto& C : Cases) {
        Surface S(102, 12);
        TProgressLevelAppearance A = PlainLevels();
        A.CompletionSmooth = C.Smooth;
        DrawProgressLevels(S.Canvas(), {0, 0, 102, 12}, C.Percent, A);
        for (const Integer X : C.Coloured) EXPECT_EQ(S.At(X, 6), C.Color) << C.Percent << " at " << X;
        for (const Integer X : C.Background) EXPECT_EQ(S.At(X, 6), clWhite) << C.Percent << " at " << X;
    }
}

TEST(CellPainting, StackedLevelsLaidEndToEnd) {
    Surface S(102, 12);
    TProgressLevelAppearance A = PlainLevels();
    A.Stacked = true;
    DrawProgressLevels(S.Canvas(), {0, 0, 102, 12}, 95, A);
    EXPECT_EQ(S.At(69, 6), clLime);  // up to 70 %
    EXPECT_EQ(S.At(72, 6), clYellow); // 70..90 %
    EXPECT_EQ(S.At(93, 6), clRed);   // from 90 %
    EXPECT_EQ(S.At(97, 6), clWhite);
}

TEST(CellPainting, ShapesAtTheirCorners) {
    const struct {
        TCellShape Shape;
        Integer W, H;
        TPoint Inside, Outside;
    } Cases[] = {
        {csRectangle, 20, 10, {18, 8}, {19, 9}},
        {csCircle, 20, 10, {5, 5}, {15, 5}}, // unequal sides give a circle of the smaller
        {csTriangleRight, 20, 10, {2, 5}, {18, 1}},
        {csTriangleUp, 20, 10, {10, 8}, {1, 1}},
        {csDiamond, 20, 10, {10, 5}, {1, 1}},
        {csLineHorz, 20, 10, {10, 5}, {10, 7}},
        {csStar, 20, 20, {10, 10}, {1, 1}},
        {csHalfStar, 20, 20, {8, 10}, {13, 10}},
        {csArrowRight, 20, 10, {3, 5}, {2, 1}},
        {TCellShape(19), 20, 10, {0, 0}, {10, 5}}, // out of range: nothing
    };
    for (const auto& C : Cases) {
        Surface S(30, 30);
        DrawCellShape(S.Canvas(), 0, 0, C.W, C.H, C.Shape, clBlue, clBlue);
        if (C.Shape <= csHalfStar) {
            EXPECT_EQ(S.At(C.Inside.X, C.Inside.Y), clBlue) << Integer(C.Shape);
        }
        EXPECT_EQ(S.At(C.Outside.X, C.Outside.Y), clWhite) << Integer(C.Shape);
    }
}

TEST(CellPainting, CustomButtonsUseTheStateTone) {
    TColorTones Tones;
    Tones.Background = {RGB(1, 1, 1), RGB(2, 2, 2), RGB(3, 3, 3)};
    Tones.Hover = {RGB(4, 4, 4), RGB(5, 5, 5), RGB(6, 6, 6)};
    Tones.Selected = {RGB(7, 7, 7), RGB(8, 8, 8), RGB(9, 9, 9)};
    Tones.Disabled = {RGB(10, 10, 10), RGB(11, 11, 11), RGB(12, 12, 12)};
    const struct {
        Integer State;
        TColor Brush, Border;
    } Cases[] = {{cbNormal, RGB(1, 1, 1), RGB(2, 2, 2)},
                 {cbHot, RGB(4, 4, 4), RGB(5, 5, 5)},
                 {cbPressed, RGB(7, 7, 7), RGB(8, 8, 8)},
                 {cbDisabled, RGB(10, 10, 10), RGB(11, 11, 11)}};
    for (const auto& C : Cases) {
        Surface S(60, 24);
        DrawPushButton(S.Canvas(), nullptr, {0, 0, 60, 24}, cbsCustom, C.State, Tones, false, u"");
        EXPECT_EQ(S.At(0, 0), C.Border) << C.State;
        EXPECT_EQ(S.At(30, 12), C.Brush) << C.State;
        // The combo button is 16 wide at the right, moved 2 left and its
        // left edge 3 further right: 45..58.
        Surface Combo(60, 24);
        DrawComboButton(Combo.Canvas(), nullptr, {0, 0, 60, 24}, cbsCustom, C.State, Tones, 1);
        EXPECT_EQ(Combo.At(50, 4), C.Brush) << C.State;
        EXPECT_EQ(Combo.At(46, 4), RGB(2, 2, 2)) << C.State;
        EXPECT_EQ(Combo.At(53, 9), RGB(3, 3, 3)) << C.State; // the arrow
        EXPECT_EQ(Combo.At(43, 4), clWhite) << C.State;
    }
    // The classic look paints a frame control in the same place.
    Surface Classic(60, 24);
    DrawSpinButtons(Classic.Canvas(), nullptr, {0, 0, 60, 24}, cbsClassic, cbNormal, Tones, 1);
    EXPECT_NE(Classic.At(50, 5), clWhite);
    EXPECT_EQ(Classic.At(40, 5), clWhite);
}

TEST(CellPainting, ScaledTransparentBitmapKeepsItsShape) {
    // A 4 x 2 bitmap: top-left pixel white (the transparent colour), rest blue.
    TBitmap Glyph;
    Glyph.SetSize(4, 2);
    Glyph.Canvas()->Brush()->SetColor(clBlue);
    Glyph.Canvas()->FillRect({0, 0, 4, 2});
    Glyph.Canvas()->SetPixels(0, 0, clWhite);
    Surface S(20, 20);
    DrawBitmapScaledTransparent(S.Canvas(), &Glyph, clRed, {2, 2, 20, 20}, 1);
    EXPECT_EQ(S.At(2, 2), clRed); // transparent: the background colour shows
    EXPECT_EQ(S.At(5, 3), clBlue);
    EXPECT_EQ(S.At(6, 3), clWhite);
    // Scaled by 2: 8 wide and 4 high, stretched without transparency.
    Surface Scaled(20, 20);
    DrawBitmapScaledTransparent(Scaled.Canvas(), &Glyph, clRed, {0, 0, 20, 20}, 2);
    EXPECT_EQ(Scaled.At(0, 0), clWhite);
    EXPECT_EQ(Scaled.At(7, 3), clBlue);
    EXPECT_EQ(Scaled.At(8, 1), clWhite);
    EXPECT_EQ(Scaled.At(1, 4), clWhite);
    // A resource that does not exist draws nothing.
    DrawResourceBitmapTransparent(Scaled.Canvas(), clRed, {10, 10, 20, 20}, u"NO SUCH GLYPH", 1);
    EXPECT_EQ(Scaled.At(12, 12), clWhite);
}

TEST(CellPainting, DownMarkerAndPie) {
    Surface S(40, 40);
    DrawDownMarker(S.Canvas(), 10, 10, clRed);
    EXPECT_EQ(S.At(10, 11), clRed);
    EXPECT_EQ(S.At(10, 8), clWhite);
    // A quarter pie fills the upper right slice only.
    Surface Pie(40, 40);
    Pie.Canvas()->Brush()->SetColor(clWhite);
    DrawProgressPie(Pie.Canvas(), {0, 0, 40, 40}, clRed, 25, false);
    EXPECT_EQ(Pie.At(28, 12), clRed);
    EXPECT_EQ(Pie.At(12, 12), clWhite);
    EXPECT_EQ(Pie.At(28, 28), clWhite);
}

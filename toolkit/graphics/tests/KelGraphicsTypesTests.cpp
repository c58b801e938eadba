// The colour routines, the rounded gradient and the named-colour table.

#include "graphics/Canvas.h"
#include "graphics/Colors.h"
#include "graphics/Graphic.h"
#include "kel/KelGraphicsTypes.h"
#include "kel/KelNamedColors.h"
#include "rtl/Encoding.h"
#include "rtl/MathUtils.h"
#include "rtl/TextCompare.h"

#include <gtest/gtest.h>
#include <memory>

namespace {

TEST(KelGraphicsTypes, MakeColorAndLighterColor) {
    EXPECT_EQ(MakeColor(0x12, 0x34, 0x56), 0x563412);
    struct TCase {
        TColor Color;
        Byte Percentage;
        TColor Expected;
    };
    const TCase Cases[] = {
        {0x000000, 50, 0x808080}, // 255 * 50 / 100 = 127.5, rounded away from zero
        {0x000000, 0, 0x000000},
        {0x123456, 0, 0x123456},
        {0x0000FF, 100, 0xFFFFFF},
        {0x204060, 25, 0x587088}, // each channel gains a quarter of its way to 255
        {clBtnFace, 0, ColorToRGB(clBtnFace)},
    };
    for (const TCase& Case : Cases)
        EXPECT_EQ(LighterColor(Case.Color, Case.Percentage), Case.Expected)
            << std::hex << Case.Color << " by " << std::dec << int(Case.Percentage);
}

TEST(KelGraphicsTypes, ModifyRectKeepsTheRectangle) {
    const TRectF R{1.5f, 2, 10, 20.25f};
    for (int Mode = gcrmNone; Mode <= gcrmShiftLeftAndExpandHeight; ++Mode)
        EXPECT_EQ(ModifyRect(R, TKelGraphicsModifyRectMode(Mode)), R);
}

TEST(KelGraphicsTypes, CornerAndSideSetsAreBitMasks) {
    EXPECT_EQ((TKelGraphicsCorners{gcTopLeft, gcBottomRight}.Mask()), 9u);
    EXPECT_EQ((TKelGraphicsSides{gsTop, gsRight}.Mask()), 6u);
    EXPECT_EQ(GetEnumName(TypeInfoFor<TKelGraphicsModifyPointMode>(), gcpmRightUp), u"gcpmRightUp");
}

// A white bitmap with a black pen and a red clear brush, to see what the
// gradient leaves behind.
struct TGradientCanvas {
    std::unique_ptr<TBitmap> Bitmap = std::make_unique<TBitmap>();
    TCanvas* Canvas;

    TGradientCanvas(Integer Width, Integer Height) {
        Bitmap->SetSize(Width, Height);
        Canvas = Bitmap->Canvas();
        Canvas->Brush()->SetColor(clWhite);
        Canvas->FillRect(Rect(0, 0, Width, Height));
        Canvas->Pen()->SetColor(clBlack);
        Canvas->Pen()->SetStyle(psDot);
        Canvas->Brush()->SetColor(clRed);
        Canvas->Brush()->SetStyle(bsClear);
    }
    // The first row painted in column X (-1 when none).
    Integer FirstPaintedRow(Integer X) const {
        for (Integer Y = 0; Y < Bitmap->Height(); ++Y)
            if (Canvas->Pixels(X, Y) != clWhite) return Y;
        return -1;
    }
};

TEST(KelRoundedGradient, DrawsOneBandPerPixelFromColourToColour) {
    TGradientCanvas Surface(100, 20);
    DrawRoundedGradient(Surface.Canvas, clBlack, 0x00C8C8, true, {}, 10, Rect(0, 0, 100, 20));
    // Band i has each channel 0 + round(i * 200 / 100).
    for (Integer X : {0, 1, 50, 99}) {
        EXPECT_EQ(Surface.Canvas->Pixels(X, 0), MakeColor(Byte(2 * X), Byte(2 * X), 0)) << X;
        EXPECT_EQ(Surface.Canvas->Pixels(X, 19), MakeColor(Byte(2 * X), Byte(2 * X), 0)) << X;
    }
    // The pen and brush are as they were.
    EXPECT_EQ(Surface.Canvas->Pen()->Color(), clBlack);
    EXPECT_EQ(Surface.Canvas->Pen()->Style(), psDot);
    EXPECT_EQ(Surface.Canvas->Brush()->Color(), clRed);
    EXPECT_EQ(Surface.Canvas->Brush()->Style(), bsClear);
}

TEST(KelRoundedGradient, PullsInTheBandsAtRoundedCorners) {
    struct TCase {
        const char* Name;
        TKelGraphicsCorners Corners;
        Single Rounding;
        Integer Column;
        Integer FirstRow;
    };
    const TCase Cases[] = {
        {"no corners", {}, 10, 0, 0},
        {"rounding 0", {gcTopLeft}, 0, 0, 0},
        {"top left, first band", {gcTopLeft}, 10, 0, 10},
        {"top left, band 10", {gcTopLeft}, 10, 10, 0},
        {"top left, band 5", {gcTopLeft}, 10, 5, 1},       // 10 - sqrt(75) = 1.34
        {"top right, last band", {gcTopRight}, 10, 99, 6}, // 10 - sqrt(100 - 81) = 5.64
        {"top right leaves the start", {gcTopRight}, 10, 0, 0},
        {"negative rounding", {gcTopLeft}, -5, 0, 0},
    };
    for (const TCase& Case : Cases) {
        SCOPED_TRACE(Case.Name);
        TGradientCanvas Surface(100, 40);
        DrawRoundedGradient(Surface.Canvas, clBlue, clBlue, true, Case.Corners, Case.Rounding,
                            Rect(0, 0, 100, 40));
        EXPECT_EQ(Surface.FirstPaintedRow(Case.Column), Case.FirstRow);
    }
}

TEST(KelRoundedGradient, VerticalBandsAndAnEmptyRectangle) {
    TGradientCanvas Surface(20, 30);
    DrawRoundedGradient(Surface.Canvas, clBlack, 0x0000FF, false, {gcBottomRight}, 4, Rect(0, 0, 20, 30));
    EXPECT_EQ(Surface.Canvas->Pixels(10, 0), clBlack);
    EXPECT_EQ(Surface.Canvas->Pixels(10, 29), MakeColor(Byte(Round(29 * 255.0f / 30)), 0, 0));
    // The last band ends 4 - sqrt(16 - 9) = 1.35 -> 1 pixel short of the right edge.
    EXPECT_EQ(Surface.Canvas->Pixels(18, 29), MakeColor(Byte(Round(29 * 255.0f / 30)), 0, 0));
    EXPECT_EQ(Surface.Canvas->Pixels(19, 29), clWhite);
    EXPECT_EQ(Surface.Canvas->Pixels(19, 0), clBlack);

    // An empty rectangle gets one band of no width: nothing spills beside it.
    TGradientCanvas Empty(10, 10);
    DrawRoundedGradient(Empty.Canvas, clBlack, clBlack, true, {}, 0, Rect(5, 0, 5, 10));
    EXPECT_EQ(Empty.FirstPaintedRow(4), -1);
    EXPECT_EQ(Empty.FirstPaintedRow(6), -1);
    EXPECT_EQ(Empty.Canvas->Pen()->Style(), psDot);
}

TEST(KelNamedColors, FindsNamesWithoutRegardToCase) {
    const TStringList* List = ColorNameList();
    struct TCase {
        const char16_t* Name;
        TColor Color;
    };
    const TCase Known[] = {
        {u"Red", 0x0000FF},           {u"RED", 0x0000FF},         {u"red", 0x0000FF},
        {u"grey", 0x808080},          {u"gray", 0x808080},        {u"AliceBlue", 0xFFF8F0},
        {u"violet", 0xEE82EE},        {u"yellowgreen", 0x32CD9A}, {u"teal", 0x808000},
        {u"Silver", 0xC0C0C0},        {u"white", 0xFFFFFF},       {u"YELLOW", 0x00FFFF},
        {u"DarkSlateGrey", 0x4F4F2F}, {u"orange", 0x00A5FF},
    };
    for (const TCase& Case : Known) {
        const Integer Index = List->IndexOf(Case.Name);
        ASSERT_GE(Index, 0) << Utf8(Case.Name);
        EXPECT_EQ(static_cast<TKelGraphicsColorObject*>(List->Objects(Index))->Color(), Case.Color)
            << Utf8(Case.Name);
    }
    for (const char16_t* Unknown : {u"transparent", u"none", u"", u"re d"})
        EXPECT_LT(List->IndexOf(Unknown), 0) << Utf8(Unknown);
}

TEST(KelNamedColors, HoldsEveryKeywordSortedWithThirteenTwice) {
    const TStringList* List = ColorNameList();
    ASSERT_EQ(List->Count(), 160);
    EXPECT_EQ(List, ColorNameList());
    Integer Duplicates = 0;
    for (Integer I = 1; I < List->Count(); ++I) {
        const Integer Order = AnsiCompareText(List->Strings(I - 1), List->Strings(I));
        EXPECT_LE(Order, 0) << Utf8(List->Strings(I));
        if (Order == 0) {
            ++Duplicates;
            EXPECT_EQ(static_cast<TKelGraphicsColorObject*>(List->Objects(I - 1))->Color(),
                      static_cast<TKelGraphicsColorObject*>(List->Objects(I))->Color());
        }
    }
    EXPECT_EQ(Duplicates, 13);
}

} // namespace

// Painters of small controls: button colours, the down line, check box and
// radio button marks, and the progress bar's value rules.

#include "KelDrawingTestSupport.h"

#include <gtest/gtest.h>

namespace {

constexpr TColor Red = 0x0000FF;

TEST(KelGraphicsPainters, ButtonColours) {
    const TColor Normal = MakeColor(225, 225, 225);
    const TColor Focused = MakeColor(229, 241, 251);
    struct {
        const char* Name;
        bool Down, Focused, Enabled;
        TColor Border, Face, Inner;
    } const Cases[] = {
        {"normal", false, false, true, 0xA9A9A9, Normal, Normal},
        {"focused", false, true, true, MakeColor(60, 127, 177), Focused, Focused},
        {"down", true, false, true, 0xA9A9A9, Normal, LighterColor(0xA9A9A9, 40)},
        // Disabled ignores focus for its colours.
        {"disabled", false, true, false, 0xA9A9A9, 0xD3D3D3, 0xD3D3D3},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Name);
        for (bool Adapt : {false, true}) {
            TDrawingSurface S;
            S.Graphics->DrawButton(RectF(2, 2, 18, 18), C.Down, C.Focused, C.Enabled, Adapt);
            EXPECT_EQ(S.Pixel(2, 2), C.Border);
            EXPECT_EQ(S.Pixel(3, 3), C.Inner);
            EXPECT_EQ(S.Pixel(10, 10), C.Face);
        }
    }
}

TEST(KelGraphicsPainters, CheckBoxAndRadioButtonMarks) {
    TDrawingSurface Unchecked, Checked;
    Unchecked.Graphics->DrawCheckBox(RectF(0, 0, 20, 20), false, false, true);
    Checked.Graphics->DrawCheckBox(RectF(0, 0, 20, 20), true, false, true);
    const TColor Box = LighterColor(0xD3D3D3, 85);
    EXPECT_EQ(Unchecked.Pixel(1, 1), 0); // the box
    EXPECT_EQ(Unchecked.Pixel(0, 0), clWhite);
    EXPECT_EQ(Unchecked.Pixel(10, 10), Box);
    EXPECT_EQ(Checked.Pixel(10, 10), 0); // the cross, inset by a fifth of the box
    EXPECT_EQ(Checked.Pixel(4, 4), Box);

    TDrawingSurface Radio;
    Radio.Graphics->DrawRadioButton(RectF(0, 0, 20, 20), true, true, true);
    EXPECT_EQ(Radio.Pixel(10, 10), MakeColor(70, 130, 180)); // the focused dot
    EXPECT_EQ(Radio.Pixel(1, 1), clWhite);                   // outside the circle
}

TEST(KelGraphicsPainters, ProgressBarValues) {
    const TColor Background = LighterColor(0xD3D3D3, 75);
    struct {
        const char* Name;
        Single Value, Max;
        TColor At9, At10; // the columns at the bar's middle
    } const Cases[] = {
        {"half", 50, 100, Red, Background},
        {"above the maximum: full", 150, 100, Red, Red},
        {"negative: empty", -5, 100, Background, Background},
        {"no maximum: background only", 50, 0, Background, Background},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Name);
        TDrawingSurface S;
        S.Graphics->SetFillColor(0x123456);
        S.Graphics->DrawProgressBar(RectF(0, 0, 20, 10), C.Value, u"%.0f%%", C.Max, Red, clBlack, false,
                                    true);
        EXPECT_EQ(S.Pixel(9, 5), C.At9);
        EXPECT_EQ(S.Pixel(10, 5), C.At10);
        EXPECT_EQ(S.Pixel(18, 5), C.At10);
        EXPECT_EQ(S.Pixel(19, 5), 0xA9A9A9); // the right border stays visible
        EXPECT_EQ(S.Graphics->Fill()->Color(), 0x123456);
    }
    // A format that does not take a number still paints.
    TDrawingSurface Plain(60, 20), Text(60, 20);
    Text.Graphics->SetFontName(u"DejaVu Sans");
    Plain.Graphics->DrawProgressBar(RectF(0, 0, 60, 20), 50, u"%d", 100, clWhite, clBlack, false, true);
    Text.Graphics->DrawProgressBar(RectF(0, 0, 60, 20), 50, u"%d", 100, clWhite, clBlack, true, true);
    EXPECT_NE(Plain.Mask(), Text.Mask());
}

} // namespace

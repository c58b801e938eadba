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

// The smallest rectangle round the dark pixels (the glyph's, not the face's
// or the border's); empty when there are none.
TRect DarkInk(const TDrawingSurface& S, Integer AWidth, Integer AHeight) {
    TRect R{AWidth, AHeight, 0, 0};
    for (Integer Y = 0; Y < AHeight; ++Y)
        for (Integer X = 0; X < AWidth; ++X) {
            const TColor C = S.Pixel(X, Y);
            if ((C & 0xFF) + (C >> 8 & 0xFF) + (C >> 16 & 0xFF) < 300) {
                R.Left = std::min(R.Left, X);
                R.Top = std::min(R.Top, Y);
                R.Right = std::max(R.Right, X + 1);
                R.Bottom = std::max(R.Bottom, Y + 1);
            }
        }
    return R.Right == 0 ? TRect{} : R;
}

bool IsDark(const TDrawingSurface& S, Integer X, Integer Y) {
    const TColor C = S.Pixel(X, Y);
    return (C & 0xFF) + (C >> 8 & 0xFF) + (C >> 16 & 0xFF) < 300;
}

enum TGlyph { Close, Down, Up, Right, Left, DropDown, DropDownCentred };

void PaintGlyphButton(TKelGraphics& G, TGlyph AGlyph, const TRectF& R, bool AAdapt, Single AScale) {
    switch (AGlyph) {
    case Close:
        G.DrawCloseButton(R, false, false, true, AAdapt, AScale);
        break;
    case Down:
        G.DrawExpanderButton(R, gesCollapsed, false, false, true, AAdapt, AScale);
        break;
    case Up:
        G.DrawExpanderButton(R, gesExpanded, false, false, true, AAdapt, AScale);
        break;
    case Right:
        G.DrawCompactButton(R, gcsCollapsed, false, false, true, AAdapt, AScale);
        break;
    case Left:
        G.DrawCompactButton(R, gcsExpanded, false, false, true, AAdapt, AScale);
        break;
    case DropDown:
        G.DrawDropDownButton(R, false, false, true, false, AAdapt, AScale);
        break;
    case DropDownCentred:
        G.DrawDropDownButton(R, false, false, true, true, AAdapt, AScale);
        break;
    }
}

// Each glyph button on a 40 x 40 face: where its glyph lands (generated and
// scaled, or the glyph picture in its inset rectangle) and which way it points.
TEST(KelGraphicsPainters, GlyphButtons) {
    struct {
        const char* Name;
        TGlyph Glyph;
        bool Adapt;
        Single Scale;
        TRect Ink;
        // The glyph's point: the middle of that edge of the ink is dark and
        // the middle of the opposite edge is not; 'v': a triangle pointing
        // down, its top row longer than its bottom row; '\0': a cross, dark
        // in the middle only.
        char Point;
    } const Cases[] = {
        {"close, drawn", Close, true, 1, Rect(14, 15, 25, 25), 0},
        {"close, drawn twice as large", Close, true, 2, Rect(9, 10, 29, 29), 0},
        {"close, picture", Close, false, 1, Rect(16, 16, 24, 24), 0},
        {"close, picture inset by the scale", Close, false, 2, Rect(16, 16, 24, 24), 0},
        {"expander collapsed, drawn", Down, true, 1, Rect(16, 18, 24, 22), 'B'},
        {"expander collapsed, picture", Down, false, 1, Rect(15, 18, 25, 24), 'B'},
        {"expander expanded, drawn", Up, true, 2, Rect(13, 16, 27, 23), 'T'},
        {"expander expanded, picture", Up, false, 1, Rect(15, 16, 25, 22), 'T'},
        {"compact collapsed, drawn", Right, true, 2, Rect(15, 14, 23, 27), 'R'},
        {"compact collapsed, picture", Right, false, 1, Rect(18, 15, 24, 25), 'R'},
        {"compact expanded, drawn", Left, true, 1, Rect(17, 17, 22, 24), 'L'},
        {"compact expanded, picture", Left, false, 1, Rect(16, 15, 22, 25), 'L'},
        // At the right end: centred in the last glyph width plus 10 times the scale.
        {"drop-down, drawn", DropDown, true, 1, Rect(28, 17, 34, 21), 'v'},
        {"drop-down, drawn twice as large", DropDown, true, 2, Rect(16, 15, 28, 22), 'v'},
        {"drop-down, picture", DropDown, false, 1, Rect(28, 17, 34, 23), 'B'},
        {"drop-down centred, drawn", DropDownCentred, true, 1, Rect(16, 17, 22, 21), 'v'},
        {"drop-down centred, picture", DropDownCentred, false, 1, Rect(15, 16, 25, 26), 'B'},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Name);
        TDrawingSurface S(40, 40);
        PaintGlyphButton(*S.Graphics, C.Glyph, RectF(0, 0, 40, 40), C.Adapt, C.Scale);
        const TRect I = DarkInk(S, 40, 40);
        EXPECT_EQ(I, C.Ink);
        EXPECT_EQ(S.Pixel(3, 3), MakeColor(225, 225, 225)); // the face around the glyph
        const Integer MX = (I.Left + I.Right) / 2, MY = (I.Top + I.Bottom) / 2;
        const bool T = IsDark(S, MX, I.Top), B = IsDark(S, MX, I.Bottom - 1);
        const bool L = IsDark(S, I.Left, MY), R = IsDark(S, I.Right - 1, MY);
        auto RowInk = [&](Integer Y) {
            Integer N = 0;
            for (Integer X = I.Left; X < I.Right; ++X)
                N += IsDark(S, X, Y);
            return N;
        };
        switch (C.Point) {
        case 'v':
            EXPECT_GT(RowInk(I.Top), RowInk(I.Bottom - 1));
            break;
        case 'T':
            EXPECT_TRUE(T && !B);
            break;
        case 'B':
            EXPECT_TRUE(B && !T);
            break;
        case 'L':
            EXPECT_TRUE(L && !R);
            break;
        case 'R':
            EXPECT_TRUE(R && !L);
            break;
        default:
            EXPECT_TRUE(IsDark(S, MX, MY) && !T && !B && !L && !R);
        }
    }
}

TEST(KelGraphicsPainters, DropDownGlyphCentredInANarrowButton) {
    // 15 pixels leave no room for the glyph plus 10: it sits in the middle.
    TDrawingSurface S(15, 20);
    S.Graphics->DrawDropDownButton(RectF(0, 0, 15, 20), false, false, true, false, true, 1);
    EXPECT_EQ(DarkInk(S, 15, 20), Rect(4, 7, 10, 11));
}

TEST(KelGraphicsPainters, GlyphInTheGlyphColourOverADownFace) {
    const TColor Saved = TKelGraphics::DefaultGlyphColor;
    TKelGraphics::DefaultGlyphColor = Red;
    TDrawingSurface S(16, 16);
    S.Graphics->DrawCloseButton(RectF(0, 0, 16, 16), true, false, true, true, 1);
    TKelGraphics::DefaultGlyphColor = Saved;
    EXPECT_EQ(S.Pixel(7, 7), Red);                        // the cross
    EXPECT_EQ(S.Pixel(1, 7), LighterColor(0xA9A9A9, 40)); // the down line, not hidden by the glyph
    EXPECT_EQ(S.Pixel(7, 2), MakeColor(225, 225, 225));   // the glyph's background is transparent
}

TEST(KelGraphicsPainters, Sample) {
    TDrawingSurface S(120, 40);
    TKelGraphics::DrawSample(S.Surface.Canvas(), RectF(0, 0, 120, 40));
    EXPECT_EQ(S.Pixel(0, 20), MakeColor(0, 0, 139)); // the border
    // The gradient runs from orange to steel blue, with white text in the middle.
    const TColor Top = S.Pixel(3, 2), Bottom = S.Pixel(3, 37);
    EXPECT_GT(Top & 0xFF, Bottom & 0xFF);
    EXPECT_LT(Top >> 16 & 0xFF, Bottom >> 16 & 0xFF);
    bool White = false;
    for (Integer X = 20; X < 100; ++X)
        White = White || S.Pixel(X, 20) == clWhite;
    EXPECT_TRUE(White);
}

} // namespace

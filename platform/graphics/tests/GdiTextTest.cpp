#include <gtest/gtest.h>

#include <algorithm>

#include "PixelTestSupport.h"
#include "graphics/Canvas.h"
#include "graphics/Fonts.h"
#include "graphics/GdiDraw.h"
#include "graphics/GdiText.h"
#include "rtl/Encoding.h"

namespace {

// A canvas with a monospaced font, so that widths are multiples of one
// character's width.
struct TTextCanvas {
    explicit TTextCanvas(int width = 200, int height = 60) : Surface(width, height) {
        Canvas.SetHandle(Surface.DC());
        Canvas.Font()->SetName(u"Courier New");
        Canvas.Font()->SetHeight(-20);
        Canvas.Font()->SetColor(clBlack);
        Canvas.Brush()->SetStyle(bsClear);
    }
    int CharWidth() { return Canvas.TextWidth(u"x"); }
    int LineHeight() { return Canvas.TextHeight(u"gh"); }
    // Left, top, right and bottom of the black-ish pixels.
    TRect Ink() {
        TRect r{1 << 20, 1 << 20, -1, -1};
        for (int y = 0; y < cairo_image_surface_get_height(Surface.Surface()); ++y)
            for (int x = 0; x < cairo_image_surface_get_width(Surface.Surface()); ++x)
                if (GetRValue(Surface.Pixel(x, y)) < 128) {
                    r = {std::min(r.Left, x), std::min(r.Top, y), std::max(r.Right, x + 1),
                         std::max(r.Bottom, y + 1)};
                }
        return r;
    }
    std::vector<TColor> Pixels() {
        std::vector<TColor> p;
        for (int y = 0; y < cairo_image_surface_get_height(Surface.Surface()); ++y)
            for (int x = 0; x < cairo_image_surface_get_width(Surface.Surface()); ++x) p.push_back(Surface.Pixel(x, y));
        return p;
    }
    TPixelSurface Surface;
    TCanvas Canvas;
};

} // namespace

TEST(Fonts, FamiliesExistDirectlyOrThroughTheShippedAliases) {
    struct Case {
        String Family;
        bool Exists;
    };
    const Case cases[] = {{u"Arial", true},           {u"Tahoma", true},          {u"Segoe UI", true},
                          {u"MS Sans Serif", true},   {u"Courier New", true},     {u"Times New Roman", true},
                          {u"Liberation Sans", true}, {u"DejaVu Sans", true},     {u"Comic Sans MS", false},
                          {u"Century Gothic", false}, {u"", false}};
    for (const Case& c : cases) EXPECT_EQ(FontFamilyExists(c.Family), c.Exists) << Utf8(c.Family);
}

TEST(Fonts, AliasesMeasureLikeTheirTargets) {
    TTextCanvas t;
    t.Canvas.Font()->SetName(u"Arial");
    const int arial = t.Canvas.TextWidth(u"Plant protection");
    t.Canvas.Font()->SetName(u"Liberation Sans");
    EXPECT_EQ(t.Canvas.TextWidth(u"Plant protection"), arial);
    t.Canvas.Font()->SetName(u"Courier New");
    EXPECT_EQ(t.Canvas.TextWidth(u"iiiii"), t.Canvas.TextWidth(u"WWWWW"));
}

TEST(GdiText, HeightsAndWidthsFollowTheFont) {
    TTextCanvas t;
    EXPECT_EQ(t.CharWidth(), 12); // 0.6 em
    EXPECT_EQ(t.Canvas.TextWidth(u"abcde"), 60);
    EXPECT_EQ(t.LineHeight(), 23);
    TTextMetric tm;
    winapi::GetTextMetrics(t.Surface.DC(), tm);
    EXPECT_EQ(tm.tmHeight, 23);
    EXPECT_EQ(tm.tmAscent + tm.tmDescent, 23);
    t.Canvas.Font()->SetHeight(23); // a positive height is the cell height
    EXPECT_EQ(t.LineHeight(), 23);
    EXPECT_EQ(t.CharWidth(), 12);
}

TEST(GdiText, CalcRectBreaksLikeTheEditControl) {
    struct Case {
        String Text;
        int WidthInChars;
        TTextFormat Format;
        int Lines;
        int ResultChars;
    };
    const TTextFormat wrap{tfWordBreak};
    const Case cases[] = {
        {u"aaa bbb ccc", 7, wrap, 2, 7},          // "aaa bbb" / "ccc"
        {u"aaa bbb ccc", 5, wrap, 3, 3},          // one word a line
        {u"aaa  bbb", 4, wrap, 2, 3},             // blanks at a break vanish
        {u"aaaaaaaaaa", 4, wrap, 3, 4},           // a long word is broken
        {u"ab\n", 10, wrap, 2, 2},                // a trailing line feed counts
        {u"ab\r\ncd\ref", 10, {}, 3, 2},           // CR LF, CR and LF all break
        {u"a b c", 2, {tfSingleLine}, 1, 5},       // one line, however wide
        {u"x\ny", 10, {tfSingleLine}, 1, 2},       // line breaks vanish
        {u"&File", 10, {tfSingleLine}, 1, 4},      // the prefix takes no room
        {u"&File", 10, {tfSingleLine, tfNoPrefix}, 1, 5},
        {u"a&&b", 10, {tfSingleLine}, 1, 3},       // "&&" is one "&"
        {u"", 10, wrap, 1, 0},
    };
    for (const Case& c : cases) {
        TTextCanvas t;
        const int cw = t.CharWidth();
        TRect r = Rect(10, 5, 10 + c.WidthInChars * cw + 1, 6);
        t.Canvas.TextRect(r, c.Text, c.Format + TTextFormat{tfCalcRect});
        EXPECT_EQ(r.Left, 10);
        EXPECT_EQ(r.Top, 5);
        EXPECT_EQ(r.Height(), c.Lines * t.LineHeight()) << Utf8(c.Text);
        EXPECT_EQ(r.Width(), c.ResultChars * cw) << Utf8(c.Text);
        EXPECT_EQ(t.Ink().Right, -1); // measuring draws nothing
    }
}

TEST(GdiText, TextWrapsTheSameInTheRectangleItsMeasureAnswered) {
    // Proportional glyphs have fractional widths: the measured rectangle is
    // rounded up, so drawing in it never breaks the text once more.
    for (const String& text : {String(u"Do you want to go on?"), String(u"Delete the selected scenario?"),
                               String(u"The file could not be saved because the disk is full.")}) {
        TTextCanvas t;
        t.Canvas.Font()->SetName(u"Tahoma");
        t.Canvas.Font()->SetHeight(-11);
        TRect measured = Rect(0, 0, 400, 0);
        t.Canvas.TextRect(measured, text, TTextFormat{tfCalcRect, tfWordBreak});
        TRect again = Rect(0, 0, measured.Width(), 0);
        t.Canvas.TextRect(again, text, TTextFormat{tfCalcRect, tfWordBreak});
        EXPECT_EQ(again, measured) << Utf8(text);
    }
}

TEST(GdiText, ExpandedTabsStopEveryEightCharacters) {
    TTextCanvas t;
    TRect r = Rect(0, 0, 500, 10);
    t.Canvas.TextRect(r, u"ab\tc", {tfCalcRect, tfSingleLine, tfExpandTabs});
    EXPECT_EQ(r.Width(), 9 * t.CharWidth());
}

TEST(GdiText, EllipsesShortenTheDrawnLine) {
    struct Case {
        String Text;
        int WidthInChars;
        TTextFormats Ellipsis;
        String Shown;
    };
    const Case cases[] = {
        {u"abcdefghij", 6, tfEndEllipsis, u"abc..."},
        {u"abcdefghij", 10, tfEndEllipsis, u"abcdefghij"}, // fits: unchanged
        {u"aaa bbb ccc", 9, tfWordEllipsis, u"aaa..."},
        {u"aaa bbb ccc", 10, tfWordEllipsis, u"aaa bbb..."},
        {u"abcdefghij", 6, tfWordEllipsis, u"abc..."}, // no word fits: cut the characters
        {u"ab", 2, tfEndEllipsis, u"ab"},
    };
    for (const Case& c : cases) {
        TTextCanvas drawn, expected;
        TRect r = Rect(0, 0, c.WidthInChars * drawn.CharWidth() + 1, 30);
        drawn.Canvas.TextRect(r, c.Text, {tfSingleLine, c.Ellipsis});
        TRect r2 = r;
        expected.Canvas.TextRect(r2, c.Shown, {tfSingleLine});
        EXPECT_EQ(drawn.Pixels(), expected.Pixels()) << Utf8(c.Text) << " " << c.WidthInChars;
        EXPECT_NE(drawn.Ink().Right, -1);
    }
}

TEST(GdiText, PrefixesUnderlineTheirCharacter) {
    TTextCanvas prefixed, plain, hidden;
    TRect r = Rect(0, 0, 100, 30);
    prefixed.Canvas.TextRect(r, u"&ab", {tfSingleLine});
    plain.Canvas.TextRect(r, u"ab", {tfSingleLine});
    hidden.Canvas.TextRect(r, u"&ab", {tfSingleLine, tfHidePrefix});
    EXPECT_EQ(hidden.Pixels(), plain.Pixels());
    EXPECT_NE(prefixed.Pixels(), plain.Pixels());
    // The underline lies under the first character only.
    const int cw = prefixed.CharWidth();
    TRect ink = prefixed.Ink();
    int underline = ink.Bottom - 1;
    bool underFirst = false, underSecond = false;
    for (int x = 0; x < cw; ++x) underFirst |= GetRValue(prefixed.Surface.Pixel(x, underline)) < 128;
    for (int x = cw + 1; x < 2 * cw; ++x) underSecond |= GetRValue(prefixed.Surface.Pixel(x, underline)) < 128;
    EXPECT_TRUE(underFirst);
    EXPECT_FALSE(underSecond);
}

TEST(GdiText, AlignmentInTheRectangle) {
    struct Case {
        TTextFormat Format;
        int Left; // of the text cell, in pixels
        int Top;
    };
    TTextCanvas probe;
    const int w = 4 * probe.CharWidth(), h = probe.LineHeight();
    const TRect box = Rect(10, 5, 190, 55);
    const Case cases[] = {
        {{tfSingleLine}, 10, 5},
        {{tfSingleLine, tfRight}, 190 - w, 5},
        {{tfSingleLine, tfCenter, tfVerticalCenter}, 10 + (180 - w) / 2, 5 + (50 - h) / 2},
        {{tfSingleLine, tfBottom}, 10, 55 - h},
        {{tfWordBreak, tfBottom}, 10, 5}, // only single lines align vertically
    };
    for (const Case& c : cases) {
        TTextCanvas t, reference;
        TRect r = box;
        t.Canvas.TextRect(r, u"HHHH", c.Format);
        reference.Canvas.TextOut(c.Left, c.Top, u"HHHH");
        EXPECT_EQ(t.Ink(), reference.Ink());
    }
}

TEST(GdiText, TextOutBackgroundAndCurrentPosition) {
    TTextCanvas t;
    t.Canvas.Brush()->SetColor(clYellow); // solid: the text cell is filled
    t.Canvas.TextOut(5, 5, u"ab");
    EXPECT_EQ(t.Surface.Count(clYellow) + t.Surface.Count(clBlack) > 0, true);
    EXPECT_EQ(t.Surface.Pixel(5, 5), clYellow);
    EXPECT_EQ(t.Surface.Pixel(5 + 2 * t.CharWidth() + 1, 5), clWhite);

    winapi::HDC dc = t.Surface.DC();
    winapi::SetTextAlign(dc, TA_UPDATECP);
    winapi::MoveToEx(dc, 10, 30, nullptr);
    winapi::TextOut(dc, 0, 0, u"abc");
    TPoint p;
    winapi::GetCurrentPositionEx(dc, &p);
    EXPECT_EQ(p, Point(10 + 3 * t.CharWidth(), 30));
}

TEST(GdiText, ExtTextOutKeepsInsideItsRectangle) {
    TTextCanvas t;
    TRect clip = Rect(0, 0, 20, 60);
    winapi::SetBkMode(t.Surface.DC(), TRANSPARENT);
    t.Canvas.Font()->SetColor(clBlack);
    t.Canvas.TextOut(-100, -100, u""); // realise the font
    winapi::ExtTextOut(t.Surface.DC(), 2, 2, ETO_CLIPPED, &clip, u"HHHHHHHH");
    EXPECT_LE(t.Ink().Right, 20);
    EXPECT_GT(t.Ink().Right, 10);
}

TEST(GdiText, RotatedFontsTurnTheBaseline) {
    TTextCanvas t(100, 200);
    t.Canvas.Font()->SetOrientation(900); // a quarter turn counter-clockwise
    t.Canvas.TextOut(50, 150, u"HHHHHH");
    TRect ink = t.Ink();
    EXPECT_GT(ink.Height(), 60);
    EXPECT_LT(ink.Width(), 30);
    EXPECT_LE(ink.Bottom, 151); // runs upwards from the start point
    EXPECT_GE(ink.Left, 50);    // and lies right of it, its top facing left
}

TEST(GdiText, UnderlineAndStrikeOutAddLines) {
    TTextCanvas plain, underlined, struck;
    plain.Canvas.TextOut(0, 0, u"mm");
    underlined.Canvas.Font()->SetStyle({fsUnderline});
    underlined.Canvas.TextOut(0, 0, u"mm");
    struck.Canvas.Font()->SetStyle({fsStrikeOut});
    struck.Canvas.TextOut(0, 0, u"mm");
    EXPECT_GT(underlined.Ink().Bottom, plain.Ink().Bottom);
    EXPECT_NE(struck.Pixels(), plain.Pixels());
    EXPECT_EQ(struck.Ink().Bottom, plain.Ink().Bottom);
}

#include "graphics/GdiPlusGraphics.h"
#include "graphics/GdiText.h"
#include "graphics/GraphicsObjects.h"

#include <cmath>
#include <gtest/gtest.h>
#include <memory>

namespace {

// The inked box of a bitmap (pixels with any alpha), as x1, y1, x2, y2
// (exclusive); x1 > x2 when nothing is inked.
struct TInk {
    int X1 = 1 << 30, Y1 = 1 << 30, X2 = -1, Y2 = -1;
};

TInk InkOf(TGPBitmap& bitmap) {
    TInk ink;
    for (int y = 0; y < int(bitmap.GetHeight()); ++y)
        for (int x = 0; x < int(bitmap.GetWidth()); ++x) {
            ARGB c = 0;
            bitmap.GetPixel(x, y, c);
            if (ARGBAlpha(c) == 0) continue;
            ink.X1 = std::min(ink.X1, x), ink.Y1 = std::min(ink.Y1, y);
            ink.X2 = std::max(ink.X2, x + 1), ink.Y2 = std::max(ink.Y2, y + 1);
        }
    return ink;
}

TEST(GdiPlusText, MeasureStringEqualsTheDrawnExtent) {
    TGPFont font(u"Arial", 12, FontStyleRegular, UnitPoint);
    ASSERT_EQ(font.GetLastStatus(), Ok);
    TGPBitmap bitmap(300, 60);
    TGPGraphics g(&bitmap);
    TGPSolidBrush black(0xFF000000);
    const TGPPointF origin{10, 10};
    TGPRectF box;
    ASSERT_EQ(g.MeasureString(u"Hello world", -1, &font, origin, box), Ok);
    ASSERT_EQ(g.DrawString(u"Hello world", -1, &font, origin, &black), Ok);
    const TInk ink = InkOf(bitmap);
    const double padding = 16.0 / 6; // one sixth of the 16-pixel em
    EXPECT_FLOAT_EQ(box.X, 10);
    EXPECT_FLOAT_EQ(box.Y, 10);
    EXPECT_GE(ink.X1, box.X + padding - 1);
    EXPECT_LE(ink.X2, box.X + box.Width - padding + 1);
    EXPECT_GE(ink.Y1, box.Y);
    EXPECT_LE(ink.Y2, box.Y + box.Height);
    EXPECT_GT(ink.X2 - ink.X1, box.Width - 2 * padding - 4); // the box hugs the run

    // The typographic format leaves the padding out.
    TGPRectF tight;
    g.MeasureString(u"Hello world", -1, &font, origin, TGPStringFormat::GenericTypographic(), tight);
    EXPECT_NEAR(box.Width - tight.Width, 2 * padding, 0.01);
}

TEST(GdiPlusText, WrappingTrimmingAndAlignment) {
    TGPFont font(u"Arial", 10, FontStyleRegular, UnitPixel);
    TGPBitmap bitmap(200, 200);
    TGPGraphics g(&bitmap);
    const String text = u"one two three four five six";
    TGPRectF box;
    Integer fitted = 0, lines = 0;
    g.MeasureString(text, -1, &font, TGPRectF{0, 0, 60, 0}, nullptr, box, &fitted, &lines);
    EXPECT_GT(lines, 1);
    EXPECT_EQ(fitted, Integer(text.size()));
    EXPECT_LE(box.Width, 60);

    // No wrapping, character trimming without an ellipsis: one line, cut.
    TGPStringFormat format(StringFormatFlagsNoWrap);
    format.SetTrimming(StringTrimmingCharacter);
    g.MeasureString(text, -1, &font, TGPRectF{0, 0, 60, 40}, &format, box, &fitted, &lines);
    EXPECT_EQ(lines, 1);
    EXPECT_LT(fitted, Integer(text.size()));
    EXPECT_GT(fitted, 3);
    TGPSolidBrush black(0xFF000000);
    g.DrawString(text, -1, &font, TGPRectF{0, 0, 60, 40}, &format, &black);
    EXPECT_LE(InkOf(bitmap).X2, 60);

    // A bounded height keeps the lines that start inside it (the second
    // line of this 10-pixel font starts below 10).
    g.MeasureString(text, -1, &font, TGPRectF{0, 0, 60, 10}, nullptr, box, &fitted, &lines);
    EXPECT_EQ(lines, 1);

    // Centred on both axes inside the rectangle.
    TGPStringFormat centred;
    centred.SetAlignment(StringAlignmentCenter);
    centred.SetLineAlignment(StringAlignmentCenter);
    g.MeasureString(u"mid", -1, &font, TGPRectF{0, 0, 100, 100}, &centred, box);
    EXPECT_NEAR(box.X + box.Width / 2, 50, 0.01);
    EXPECT_NEAR(box.Y + box.Height / 2, 50, 0.01);
}

TEST(GdiPlusText, HotkeyPrefixHidesTheAmpersandAndUnderlines) {
    TGPFont font(u"Arial", 20, FontStyleRegular, UnitPixel);
    TGPBitmap bitmap(200, 60);
    TGPGraphics g(&bitmap);
    TGPStringFormat show;
    show.SetHotkeyPrefix(HotkeyPrefixShow);
    TGPRectF withPrefix, plain, literal;
    g.MeasureString(u"&File", -1, &font, TGPPointF{0, 0}, &show, withPrefix);
    g.MeasureString(u"File", -1, &font, TGPPointF{0, 0}, nullptr, plain);
    g.MeasureString(u"&File", -1, &font, TGPPointF{0, 0}, nullptr, literal);
    EXPECT_FLOAT_EQ(withPrefix.Width, plain.Width);
    EXPECT_GT(literal.Width, plain.Width);

    TGPSolidBrush black(0xFF000000);
    g.DrawString(u"&File", -1, &font, TGPPointF{0, 0}, &show, &black);
    TGPBitmap reference(200, 60);
    TGPGraphics r(&reference);
    r.DrawString(u"File", -1, &font, TGPPointF{0, 0}, nullptr, &black);
    EXPECT_GT(InkOf(bitmap).Y2, InkOf(reference).Y2); // the underline sits below the letters
}

TEST(GdiPlusFonts, FamiliesFallBackAndShare) {
    TGPFontFamily missing(u"No Such Family");
    EXPECT_FALSE(missing.IsAvailable());
    EXPECT_EQ(missing.lastResult, FontFamilyNotFound);
    TGPFont fallback(u"No Such Family", 9);
    EXPECT_EQ(fallback.GetLastStatus(), Ok);
    TGPFontFamily family;
    ASSERT_EQ(fallback.GetFamily(&family), Ok);
    String name;
    family.GetFamilyName(name);
    String generic;
    TGPFontFamily::GenericSansSerif()->GetFamilyName(generic);
    EXPECT_EQ(name, generic);
    EXPECT_EQ(TGPFontFamily::GenericSerif(), TGPFontFamily::GenericSerif());
    EXPECT_EQ(fallback.GetFamily(nullptr), InvalidParameter);

    TGPStringFormat format;
    format.SetAlignment(StringAlignmentFar);
    std::unique_ptr<TGPStringFormat> copy(format.Clone());
    EXPECT_EQ(copy->GetAlignment(), StringAlignmentFar);
}

TEST(GdiPlusFonts, MakeFontAndItsCache) {
    TGPBitmap bitmap(10, 10);
    TGPGraphics g(&bitmap);
    TFont font;
    font.SetName(u"Arial");
    font.SetSize(10);
    font.SetStyle(TFontStyles{fsBold, fsItalic});
    std::unique_ptr<TGPFont> made(g.MakeFont(&font));
    EXPECT_EQ(made->GetSize(), 10);
    EXPECT_EQ(made->GetUnit(), UnitPoint);
    EXPECT_EQ(made->GetStyle(), 3);

    TFont unknown;
    unknown.SetName(u"No Such Face");
    std::unique_ptr<TGPFont> arial(g.MakeFont(&unknown));
    TGPFontFamily family;
    arial->GetFamily(&family);
    String name;
    family.GetFamilyName(name);
    EXPECT_EQ(name, u"Arial");

    TGPFont* cached = g.MakeFontEx(&font);
    EXPECT_EQ(g.MakeFontEx(&font), cached);
    font.SetSize(11);
    EXPECT_NE(g.MakeFontEx(&font), nullptr);
    EXPECT_EQ(g.MakeFontEx(&font)->GetSize(), 11);
}

TEST(GdiPlusFonts, DrawTextCalcRectSubtractsTheInset) {
    TGPBitmap bitmap(200, 50);
    TGPGraphics g(&bitmap);
    struct Case {
        Integer Size;
        Integer Inset;
    };
    for (const Case c : {Case{8, 2}, Case{12, 5}}) {
        TFont font;
        font.SetName(u"Arial");
        font.SetSize(c.Size);
        TGPRectF box;
        std::unique_ptr<TGPFont> f(g.MakeFont(&font));
        g.MeasureString(u"abi", 3, f.get(), TGPRectF{5, 5, 1000, 0}, box);
        TRect rect{5, 5, 5, 5};
        const Integer height = g.DrawText(u"ab ", 3, rect, &font, DT_CALCRECT, clNone);
        EXPECT_EQ(rect.Right - rect.Left, Integer(std::nearbyint(box.Width - c.Inset))) << c.Size;
        EXPECT_EQ(height, rect.Bottom - rect.Top);
    }
    EXPECT_LT(InkOf(bitmap).X2, 0); // DT_CALCRECT draws nothing

    TFont font;
    TRect unchanged{3, 4, 50, 30};
    g.DrawText(u"x", 1, unchanged, &font, 0, clNone);
    EXPECT_EQ(unchanged, (TRect{3, 4, 50, 30}));
    EXPECT_GE(InkOf(bitmap).X1, 3);
}

TEST(GdiPlusFonts, SizeOverloadLeavesTheSizeOnFailure) {
    TGPBitmap bitmap(10, 10);
    TGPGraphics g(&bitmap);
    TGPSizeF size{7, 8};
    EXPECT_EQ(g.MeasureString(u"x", 1, nullptr, TGPSizeF{100, 100}, nullptr, size), InvalidParameter);
    EXPECT_EQ(size.Width, 7);
    EXPECT_EQ(size.Height, 8);
}

} // namespace

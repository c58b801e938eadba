// The mini-HTML renderer: text preparation, line layout with and without
// word wrap, the text and style tags, lists, paragraphs, links and their hit
// test, highlighting, and the drawing class's use of it.

#include "KelDrawingTestSupport.h"
#include "kel/KelMarkupRenderer.h"
#include "kel/RarEvads.h"

#include <gtest/gtest.h>

namespace {

class KelMarkupRenderer : public ::testing::Test {
protected:
    void SetUp() override { UseFont(*S.Graphics); }

    static void UseFont(TKelGraphics& G) {
        G.SetFontName(u"DejaVu Sans");
        G.SetFontColor(clBlack);
        G.Font()->SetHeight(-12);
    }

    // Width of a plain run in the current font with the style.
    Single PlainWidth(const String& AText, TFontStyles AStyle = {}) {
        const TFontStyles Saved = S.Graphics->Font()->Style();
        S.Graphics->SetFontStyles(AStyle);
        const Single W = S.Graphics->CalculateText(AText, RectF(0, 0, 10000, 10000), false, false).Width();
        S.Graphics->SetFontStyles(Saved);
        return W;
    }
    Single Gh() { return S.Graphics->CalculateText(u"gh", RectF(0, 0, 10000, 10000), false, false).Height(); }

    TMarkupTextOutputs Measure(const String& AText, TRectF ARect = RectF(0, 0, 400, 200), bool AWordWrap = false) {
        TMarkupTextOptions Options;
        Options.MeasureOnly = true;
        Options.WordWrap = AWordWrap;
        TMarkupTextOutputs Out;
        EXPECT_FALSE(DrawMarkupText(S.Graphics.get(), AText, ARect, Options, Out));
        return Out;
    }

    bool Draw(const String& AText, TMarkupTextOptions AOptions = {}, TMarkupTextOutputs* AOut = nullptr,
              TRectF ARect = RectF(0, 0, 200, 60)) {
        TMarkupTextOutputs Out;
        const bool Hit = DrawMarkupText(S.Graphics.get(), AText, ARect, AOptions, AOut ? *AOut : Out);
        return Hit;
    }

    bool HasColor(TColor AColor, TRect AArea) const {
        for (Integer Y = AArea.Top; Y < AArea.Bottom; ++Y)
            for (Integer X = AArea.Left; X < AArea.Right; ++X)
                if (S.Pixel(X, Y) == AColor) return true;
        return false;
    }

    TDrawingSurface S{200, 60};
};

TEST_F(KelMarkupRenderer, EmptyTextHasNoLineAndTheHeightOfOneTextLine) {
    const TMarkupTextOutputs Out = Measure(u"");
    EXPECT_EQ(Out.LineCount, 0);
    EXPECT_EQ(Out.TextWidth, 0);
    EXPECT_FLOAT_EQ(Out.TextHeight, Gh());
}

TEST_F(KelMarkupRenderer, MeasuresLinesWidthAndPlainText) {
    const Single A = PlainWidth(u"a");
    const Single Shown = PlainWidth(u"shown");
    struct {
        const char* Name;
        String Text;
        Integer Lines;
        Single Width;
        String Plain;
    } const Cases[] = {
        {"line break", u"a<BR>b", 2, A + 2, u"a\rb"},
        {"carriage return as line break", u"a\r\nb", 2, A + 2, u"a\rb"},
        {"hidden text enters the plain text only", u"<Z>hidden</Z>shown", 1, Shown + 2, u"hiddenshown"},
        {"trailing blank is trimmed", u"a   ", 1, A + 2, u"a"},
        {"unknown tags are ignored", u"<QQ>a</QQ>", 1, A + 2, u"a"},
        {"an unterminated tag drops the rest", u"a<B", 1, A + 2, u"a"},
        {"list item at level one is indented", u"<UL><LI>a</LI></UL>", 3, 12 + A + 2, u"a"},
        // Entities decode before parsing; escaped once more they show as text.
        {"entities", u"&amp;lt;B&amp;gt;", 1, PlainWidth(u"<B>") + 2, u"<B>"},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Name);
        const TMarkupTextOutputs Out = Measure(C.Text);
        EXPECT_EQ(Out.LineCount, C.Lines);
        EXPECT_NEAR(Out.TextWidth, C.Width, 0.01);
        EXPECT_EQ(Out.PlainText, C.Plain);
    }
}

TEST_F(KelMarkupRenderer, StyleTagsChangeTheMeasuredWidth) {
    struct {
        String Text;
        TFontStyles Style;
    } const Cases[] = {
        {u"<B>Wide words</B>", {fsBold}},
        {u"<I>Wide words</I>", {fsItalic}},
        {u"&lt;B&gt;Wide words", {fsBold}}, // decoded before parsing
        {u"<B><I>Wide words</I></B>", {fsBold, fsItalic}},
        {u"<B>Wide words", {fsBold}}, // an unclosed tag holds to the end
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(Utf8(C.Text));
        EXPECT_NEAR(Measure(C.Text).TextWidth, PlainWidth(u"Wide words", C.Style) + 2, 0.01);
    }
    EXPECT_GT(PlainWidth(u"Wide words", {fsBold}), PlainWidth(u"Wide words"));
    // The font is back as it was.
    EXPECT_EQ(S.Graphics->Font()->Style(), TFontStyles());
}

TEST_F(KelMarkupRenderer, FontSizeAndFaceChangeTheMeasuredSize) {
    auto HeightAt = [&](Single ASize) {
        TKelGraphicsFont Saved;
        Saved.Assign(S.Graphics->Font());
        TRarEvads::SetFontSize(S.Graphics->Font(), ASize);
        const Single H = Gh();
        S.Graphics->SetFont(&Saved);
        return H;
    };
    EXPECT_FLOAT_EQ(Measure(u"<FONT SIZE=\"3\">gh</FONT>").TextHeight, HeightAt(12));
    EXPECT_FLOAT_EQ(Measure(u"<FONT SIZE=\"20\">gh</FONT>").TextHeight, HeightAt(20));
    EXPECT_FLOAT_EQ(Measure(u"<FONT STYLE=\"font-size:20pt\">gh</FONT>").TextHeight, HeightAt(20));
    EXPECT_NE(Measure(u"<FONT FACE=\"DejaVu Sans Mono\">iiii</FONT>").TextWidth, PlainWidth(u"iiii") + 2);
    // Sub- and superscript make room of a quarter of the text height.
    EXPECT_FLOAT_EQ(Measure(u"x<SUB>2</SUB>").TextHeight, Gh() + Gh() / 4);
    EXPECT_FLOAT_EQ(Measure(u"x<SUP>2</SUP><SUB>3</SUB>").TextHeight, Gh() + Gh() / 2);
}

TEST_F(KelMarkupRenderer, WordWrapBreaksBetweenWordsAndLetsLongWordsOverflow) {
    const Single Word = PlainWidth(u"word ");
    const TMarkupTextOutputs Two = Measure(u"word word word", RectF(0, 0, Word * 2 + 2, 200), true);
    EXPECT_EQ(Two.LineCount, 2);
    EXPECT_EQ(Two.PlainText, u"word word word");

    const TMarkupTextOutputs Long = Measure(u"extraordinarily x", RectF(0, 0, 20, 200), true);
    EXPECT_EQ(Long.LineCount, 2);
    EXPECT_NEAR(Long.TextWidth, PlainWidth(u"extraordinarily") + 2, 0.01);

    // Without word wrap only the line-ending tags end a line.
    struct {
        String Text;
        Integer Lines;
    } const Cases[] = {
        {u"a b c d e f g h i j", 1}, {u"a<HR>b", 2}, {u"a<UL>b", 2},     {u"a</LI>b", 2},
        {u"a</P>b", 2},              {u"<LI>a<LI>b", 2}, {u"a<P>b", 1}, {u"a<B>b</B>", 1},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(Utf8(C.Text));
        EXPECT_EQ(Measure(C.Text, RectF(0, 0, 20, 200)).LineCount, C.Lines);
    }
}

TEST_F(KelMarkupRenderer, NoInputMakesTheLayoutLoop) {
    String Deep;
    for (int I = 0; I < 200; ++I)
        Deep += u"<UL><LI>x";
    const String Cases[] = {Deep, u"<<<<>>>>", u"<", u"<>", u"</>", u"<A", u"<IMG SRC=", u"&amp;amp;lt;",
                            u"<OFS x=\"5000\">a b c", u"<IND x=\"-5\">a", u"<P FLOAT=\"LEFT\">a<BR>b<BR>c",
                            u"<LI><LI><LI>", u"<CONTROL TYPE=\"BUTTON\" WIDTH=\"9999\">a"};
    for (const String& Text : Cases) {
        SCOPED_TRACE(Utf8(Text));
        Measure(Text, RectF(0, 0, 30, 100), true);
        Draw(Text);
    }
    // Lists nest no deeper than a fixed level.
    EXPECT_LT(Measure(Deep).TextWidth, 16 * 12 + PlainWidth(u"x") + 3);
}

TEST_F(KelMarkupRenderer, DrawsColoursBackgroundsAndRules) {
    TMarkupTextOptions Options;
    Options.HighlightColor = clLime;
    Options.HighlightTextColor = clBlack;
    Draw(u"<FONT COLOR=\"#FF0000\">xxx</FONT><HI>www</HI><BR><HR COLOR=\"blue\">", Options);
    EXPECT_TRUE(HasColor(clRed, Rect(0, 0, 200, 20)));
    EXPECT_TRUE(HasColor(clLime, Rect(0, 0, 200, 20)));
    EXPECT_TRUE(HasColor(clBlue, Rect(0, 10, 200, 60)));
    // Fill, stroke and font are as they were.
    EXPECT_EQ(S.Graphics->Font()->Color(), clBlack);
    EXPECT_EQ(S.Graphics->Font()->Style(), TFontStyles());
}

TEST_F(KelMarkupRenderer, LinksAreDrawnInTheLinkColourAndHitTested) {
    TMarkupTextOptions Options;
    Options.LinkColor = clBlue;
    const String Text = u"go <A HREF=\"target\">link</A> end";
    Draw(Text, Options);
    const Single Go = PlainWidth(u"go ");
    const Single Link = PlainWidth(u"link");
    EXPECT_TRUE(HasColor(clBlue, Rect(Integer(Go), 0, Integer(Go + Link), 20)));

    TMarkupTextOutputs Out;
    Options.HitTestOnly = true;
    Options.PointX = Integer(Go + Link / 2);
    Options.PointY = Integer(Gh() / 2);
    EXPECT_TRUE(Draw(Text, Options, &Out));
    EXPECT_EQ(Out.Anchor, u"target");
    EXPECT_EQ(Out.LinkCount, 1);
    EXPECT_EQ(Out.LinkUnderPoint, 1);
    EXPECT_NEAR(Out.LinkUnderPointRect.Left, Go, 0.01);
    EXPECT_NEAR(Out.LinkUnderPointRect.Right, Go + Link, 0.01);

    TMarkupTextOutputs Miss;
    Options.PointX = 1;
    EXPECT_FALSE(Draw(Text, Options, &Miss));
    EXPECT_EQ(Miss.Anchor, u"");
    EXPECT_EQ(Miss.LinkUnderPoint, -1);
}

TEST_F(KelMarkupRenderer, HoveredLinkGetsTheHoverColours) {
    TMarkupTextOptions Options;
    Options.HoverLink = 2;
    Options.StyleHoverLinkOnly = true;
    Options.LinkHoverColor = clYellow;
    Draw(u"<A HREF=\"1\">one</A> <A HREF=\"2\">two</A>", Options);
    const Single One = PlainWidth(u"one ");
    EXPECT_FALSE(HasColor(clYellow, Rect(0, 0, Integer(One) - 2, 20)));
    EXPECT_TRUE(HasColor(clYellow, Rect(Integer(One), 0, 200, 20)));
}

TEST_F(KelMarkupRenderer, ListBulletsParagraphAlignmentAndIndent) {
    Draw(u"<UL><LI>item</LI></UL>");
    // The bullet sits left of the text, in the first 12 units.
    const TRect Ink = S.Ink();
    EXPECT_LT(Ink.Left, 12);

    // A centred paragraph stays centred after "</P>".
    TDrawingSurface Centred(200, 60);
    UseFont(*Centred.Graphics);
    TMarkupTextOptions Options;
    TMarkupTextOutputs Out;
    DrawMarkupText(Centred.Graphics.get(), u"<P ALIGN=\"CENTER\">ab</P>ab", RectF(0, 0, 200, 60), Options, Out);
    const TRect Both = Centred.Ink();
    const Single W = PlainWidth(u"ab");
    EXPECT_NEAR(Both.Left, (200 - W) / 2, 2);
    EXPECT_NEAR(Both.Right, (200 + W) / 2, 2);
    EXPECT_GT(Both.Bottom, Integer(Gh()) + 1); // two lines

    TDrawingSurface Indented(200, 30);
    UseFont(*Indented.Graphics);
    DrawMarkupText(Indented.Graphics.get(), u"<P INDENT=\"50\">ab", RectF(0, 0, 200, 30), Options, Out);
    EXPECT_GE(Indented.Ink().Left, 50);
}

// BGCOLORTO turns a paragraph's or the body's background into a gradient
// from BGCOLOR, left to right, or top to bottom with DIR "V"; on both
// drawing contexts.
TEST_F(KelMarkupRenderer, TwoColourBackgroundsAreGradients) {
    struct {
        const char* Name;
        String Text;
        bool Vertical;
    } const Cases[] = {
        {"paragraph", u"<P BGCOLOR=\"#FF0000\" BGCOLORTO=\"#0000FF\">a</P>", false},
        {"paragraph, second colour first", u"<P BGCOLORTO=\"#0000FF\" BGCOLOR=\"#FF0000\">a</P>", false},
        {"body", u"<BODY BGCOLOR=\"#FF0000\" BGCOLORTO=\"#0000FF\">a", false},
        {"body, top to bottom", u"<BODY BGCOLOR=\"#FF0000\" BGCOLORTO=\"#0000FF\" DIR=\"V\">a", true},
    };
    for (const bool Native : {false, true})
        for (const auto& C : Cases) {
            SCOPED_TRACE(std::string(C.Name) + (Native ? ", GDI+" : ", canvas"));
            TDrawingSurface Surface(100, 40, Native);
            UseFont(*Surface.Graphics);
            TMarkupTextOptions Options;
            TMarkupTextOutputs Out;
            DrawMarkupText(Surface.Graphics.get(), C.Text, RectF(0, 0, 100, 40), Options, Out);
            // Start and end of the run: red fading to blue (TColor keeps red in the low byte).
            const TColor Start = C.Vertical ? Surface.Pixel(90, 1) : Surface.Pixel(2, 1);
            const TColor End = C.Vertical ? Surface.Pixel(90, 38) : Surface.Pixel(97, 1);
            const TColor Middle = C.Vertical ? Surface.Pixel(90, 20) : Surface.Pixel(50, 1);
            EXPECT_GT(Start & 0xFF, 0xC0) << std::hex << Start;
            EXPECT_LT(Start >> 16, 0x40) << std::hex << Start;
            EXPECT_GT(End >> 16, 0xC0) << std::hex << End;
            EXPECT_LT(End & 0xFF, 0x40) << std::hex << End;
            EXPECT_GT(Middle & 0xFF, 0x30) << std::hex << Middle;
            EXPECT_GT(Middle >> 16, 0x30) << std::hex << Middle;
        }
}

TEST_F(KelMarkupRenderer, DrawingStopsBelowTheRectangleButMeasuringDoesNot) {
    const String Text = u"a<BR>b<BR>c<BR>d<BR>e<BR>f";
    EXPECT_EQ(Measure(Text, RectF(0, 0, 100, Gh())).LineCount, 6);
    TMarkupTextOutputs Out;
    Draw(Text, {}, &Out, RectF(0, 0, 100, Gh()));
    EXPECT_LT(Out.LineCount, 6);
}

TEST_F(KelMarkupRenderer, ErrorMarkDrawsARedZigzagUnderTheRun) {
    Draw(u"<E>wrong</E>");
    EXPECT_TRUE(HasColor(clRed, Rect(0, 0, Integer(PlainWidth(u"wrong")), 30)));
}

TEST_F(KelMarkupRenderer, DrawingClassRendersAndMeasuresMarkup) {
    // The renderer is the drawing class's markup renderer from the start.
    ASSERT_EQ(KelMarkupTextRenderer(), &RenderKelMarkupText);
    const TRectF R = S.Graphics->CalculateText(u"<B>ab</B>", RectF(0, 0, 200, 60));
    EXPECT_NEAR(R.Width(), PlainWidth(u"ab", {fsBold}) + 2, 0.01);
    EXPECT_NEAR(R.Height(), Gh() + 1, 0.01);

    S.Graphics->DrawText(RectF(0, 0, 200, 60), u"<b>x</b>", false, gtaLeading, gtaLeading);
    // Drawn, tags not shown: the ink is one letter wide.
    EXPECT_LT(S.Ink().Width(), Integer(PlainWidth(u"x", {fsBold})) + 3);

    S.Graphics->SetURLColor(clBlue);
    EXPECT_EQ(S.Graphics->DrawText(RectF(0, 0, 200, 60), u"<A HREF=\"t\">link</A>", false, gtaLeading, gtaLeading,
                                   gttNone, 0, -1, -1, true, true, 5, 5),
              u"t");
    EXPECT_EQ(S.Graphics->DrawText(RectF(0, 0, 200, 60), u"<A HREF=\"t\">link</A>", false, gtaLeading, gtaLeading,
                                   gttNone, 0, -1, -1, true, true, 150, 5),
              u"");
}

TEST(KelMarkupHighlight, WrapsMatchesAfterTheirVisibleCharacters) {
    struct {
        String Text, Search;
        bool Case;
        String Expected;
    } const Cases[] = {
        {u"<B>abc</B>", u"abc", false, u"<HI><B>abc</HI></B>"},
        {u"aXa", u"x", false, u"a<HI>X</HI>a"},
        {u"aXa", u"x", true, u"aXa"},
        {u"aa", u"a", false, u"<HI>a</HI><HI>a</HI>"},
        {u"one<BR>two", u"two", false, u"one<BR><HI>two</HI>"},
        {u"plain", u"", false, u"plain"},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(Utf8(C.Text));
        EXPECT_EQ(HighlightMarkup(C.Text, C.Search, u"HI", C.Case), C.Expected);
        EXPECT_EQ(TKelGraphics::ApplyHilight(C.Text, C.Search, u"HI", C.Case), C.Expected);
    }
}

TEST(KelMarkupHighlight, MarkupCharIndexCountsVisibleCharacters) {
    struct {
        String Text;
        Integer N, Expected;
    } const Cases[] = {
        {u"<B>ab</B>", 1, 1}, {u"<B>ab</B>", 2, 5}, {u"<B>ab</B>", 3, 6}, {u"ab", 3, 3}, {u"ab", 4, 0},
    };
    for (const auto& C : Cases)
        EXPECT_EQ(MarkupCharIndex(C.Text, C.N), C.Expected) << Utf8(C.Text) << " " << C.N;
}

} // namespace

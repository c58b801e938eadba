// The cell markup renderer on a bitmap canvas with the test fonts: what it
// measures, where it hits, what it draws at chosen pixels.

#include "gridbase/MarkupRenderer.h"

#include "gridbase/MarkupEntities.h"
#include "graphics/Graphic.h"
#include "graphics/ImageList.h"
#include "kel/PictureContainer.h"
#include "rtl/Stream.h"
#include "rtltesting/TestFiles.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>

namespace {

class MarkupRendererTest : public ::testing::Test {
protected:
    void SetUp() override {
        Bitmap.SetSize(400, 200);
        Canvas()->Font()->SetName(u"Arial");
        Canvas()->Font()->SetSize(10);
        Canvas()->Font()->SetColor(clBlack);
        Clear();
        GH = Canvas()->TextHeight(u"gh");
    }
    TCanvas* Canvas() { return Bitmap.Canvas(); }
    void Clear() {
        Canvas()->Brush()->SetColor(clWhite);
        Canvas()->FillRect({0, 0, 400, 200});
    }
    TMarkupDrawParams Params(const String& Text, TRect Rect = {0, 0, 400, 200}) {
        TMarkupDrawParams P;
        P.Canvas = Canvas();
        P.Text = Text;
        P.Rect = Rect;
        return P;
    }
    TMarkupDrawResult Measure(const String& Text, TRect Rect = {0, 0, 400, 200}, bool WordWrap = true) {
        TMarkupDrawParams P = Params(Text, Rect);
        P.MeasureOnly = true;
        P.WordWrap = WordWrap;
        TMarkupDrawResult Result;
        DrawMarkupOnCanvas(P, Result);
        return Result;
    }
    TMarkupDrawResult HitAt(const String& Text, Integer X, Integer Y) {
        TMarkupDrawParams P = Params(Text);
        P.HitTestOnly = true;
        P.HitX = X;
        P.HitY = Y;
        TMarkupDrawResult Result;
        DrawMarkupOnCanvas(P, Result);
        return Result;
    }
    Integer W(const String& Text) { return Canvas()->TextWidth(Text); }
    // Whether any pixel of the box differs from white.
    bool Inked(const TRect& Box) {
        for (Integer Y = Box.Top; Y < Box.Bottom; ++Y)
            for (Integer X = Box.Left; X < Box.Right; ++X)
                if (ColorToRGB(Canvas()->Pixels(X, Y)) != clWhite) return true;
        return false;
    }
    // The pixels of a box, to compare two renders.
    std::vector<TColor> Snapshot(const TRect& Box) {
        std::vector<TColor> Pixels;
        for (Integer Y = Box.Top; Y < Box.Bottom; ++Y)
            for (Integer X = Box.Left; X < Box.Right; ++X)
                Pixels.push_back(Canvas()->Pixels(X, Y));
        return Pixels;
    }

    TBitmap Bitmap;
    Integer GH = 0;
};

// A container holding one blue picture of the given size, named "PIC".
class PictureSource {
public:
    PictureSource(Integer Width, Integer Height, TColor Color = clBlue) : Container(nullptr) {
        TBitmap Source;
        Source.SetSize(Width, Height);
        Source.Canvas()->Brush()->SetColor(Color);
        Source.Canvas()->FillRect({0, 0, Width, Height});
        // Markup pictures of bitmap data show their bottom-left colour through.
        Source.Canvas()->SetPixels(0, Height - 1, clWhite);
        TMemoryStream Stream;
        Source.SaveToStream(&Stream);
        Stream.SetPosition(0);
        TPictureItem* Item = Container.Items()->Add();
        Item->SetName(u"PIC");
        Item->Picture()->LoadFromStream(&Stream);
    }
    TPictureContainer Container;
};

} // namespace

// Widths and line heights found for one cell serve the next one only in the
// same font: the same words in another size or style measure anew, and going
// back gives the first answers again.
TEST_F(MarkupRendererTest, RepeatedWordsMeasureInTheFontOfEachCell) {
    for (int Round = 0; Round < 2; ++Round)
        for (Integer Size : {8, 10, 20})
            for (bool Bold : {false, true}) {
                SCOPED_TRACE(testing::Message() << "size " << Size << (Bold ? " bold" : "") << ", round " << Round);
                Canvas()->Font()->SetSize(Size);
                Canvas()->Font()->SetStyle(Bold ? TFontStyles{fsBold} : TFontStyles{});
                const TMarkupDrawResult R = Measure(u"Measured");
                EXPECT_EQ(R.Width, W(u"Measured"));
                EXPECT_EQ(R.Height, Canvas()->TextHeight(u"gh"));
            }
}

TEST_F(MarkupRendererTest, MeasuresPlainTextAndTags) {
    const Integer SubDrop = Canvas()->TextHeight(u"b") / 4;
    const struct {
        const char16_t* Text;
        Integer Width, Height;
        const char16_t* Plain;
    } Cases[] = {
        {u"", 0, GH, u""},
        {u"plain text", W(u"plain text"), GH, u"plain text"},
        {u"a<BR>b", W(u"a"), 2 * GH, u"a\rb"},
        {u"a</LI>b</P>c", W(u"a"), 3 * GH, u"abc"},
        {u"abc<B", W(u"abc"), GH, u"abc"},            // an unterminated tag drops the tail
        {u"abc<", W(u"abc"), GH, u"abc"},
        {u"x<QUERY>y", W(u"x") + W(u"y"), GH, u"xy"},          // unknown tags are skipped
        {u"a<Z>hidden</Z>b", W(u"a") + W(u"b"), GH, u"ahiddenb"}, // hidden runs take no room
        {u"a&lt;b&gt;&nbsp;c", W(u"a<b> c"), GH, u"a<b> c"},
        {u"a<SUB>b</SUB>", W(u"a") + W(u"b"), GH + SubDrop, u"ab"},
        {u"a<SUP>b</SUP>", W(u"a") + W(u"b"), GH + SubDrop, u"ab"},
        {u"<IND x=\"50\">a", 50 + W(u"a"), GH, u"a"},
        {u"<UL><LI>a</LI></UL>", 12 + W(u"a"), 2 * GH, u"a"}, // the closing tag stands on a line of tags
        {u"<OL><LI>a<LI>b</OL>", 12 + std::max(W(u"1. ") - 12, 0) + W(u"a"), 2 * GH, u"ab"},
    };
    for (const auto& C : Cases) {
        const TMarkupDrawResult R = Measure(C.Text);
        EXPECT_EQ(R.Width, C.Width) << Utf8(C.Text);
        EXPECT_EQ(R.Height, C.Height) << Utf8(C.Text);
        EXPECT_EQ(R.PlainText, String(C.Plain)) << Utf8(C.Text);
    }
}

TEST_F(MarkupRendererTest, WrapsAtBlanksAndKeepsWordsWhole) {
    const Integer Space = W(u" ");
    const struct {
        String Text;
        Integer RectWidth;
        bool WordWrap;
        Integer Lines;
    } Cases[] = {
        {u"aaa bbb ccc", W(u"aaa bbb") + 2, true, 2},
        {u"aaa bbb ccc", W(u"aaa") + Space + 2, true, 3},
        {u"aaa bbbbbbbbbbbbbbbbbb", W(u"aaa bbb") + 2, true, 2}, // a word wider than the rectangle
        {u"aaa bo<B>ld</B>", W(u"aaa bo") + 2, true, 1},         // not split where a tag interrupts it
        {u"aaa bbb ccc", W(u"aaa") + 2, false, 1},
    };
    for (const auto& C : Cases) {
        const TMarkupDrawResult R = Measure(C.Text, {0, 0, C.RectWidth, 200}, C.WordWrap);
        EXPECT_EQ(R.Height, C.Lines * GH) << Utf8(C.Text) << " in " << C.RectWidth;
    }
    // Measuring ignores the rectangle's bottom; drawing drops what falls below.
    EXPECT_EQ(Measure(u"a<BR>b<BR>c", {0, 0, 400, 5}).Height, 3 * GH);
    TMarkupDrawParams P = Params(u"a<BR>b<BR>c", {0, 0, 400, GH + 2});
    TMarkupDrawResult Drawn;
    DrawMarkupOnCanvas(P, Drawn);
    EXPECT_LT(Drawn.Height, 3 * GH);
}

TEST_F(MarkupRendererTest, NoWrapEndsInAnEllipsis) {
    TMarkupDrawParams P = Params(u"abcdefghijklmnopqrstuvwxyz", {0, 0, 60, 40});
    P.WordWrap = false;
    TMarkupDrawResult R;
    DrawMarkupOnCanvas(P, R);
    EXPECT_FALSE(Inked({60, 0, 400, 40}));
    // The last characters drawn are the dots of the ellipsis, near the right edge.
    EXPECT_TRUE(Inked({50, 0, 60, 40}));
}

TEST_F(MarkupRendererTest, AnchorsAreCountedHitAndBoxed) {
    const String Text = u"<A HREF=\"one\" TITLE=\"first\">one</A> <A HREF=\"two\">two</A>";
    const Integer Y = GH / 2;
    const Integer SecondLeft = 1 + W(u"one") + W(u" ");
    const struct {
        Integer X;
        bool Hit;
        Integer Anchor;
        const char16_t* Href;
        const char16_t* Title;
    } Cases[] = {
        {3, true, 1, u"one", u"first"},
        {SecondLeft + 2, true, 2, u"two", u""},
        {1 + W(u"one") + 1, false, -1, u"", u""}, // the blank between them
        {SecondLeft + W(u"two") + 5, false, -1, u"", u""},
    };
    for (const auto& C : Cases) {
        const TMarkupDrawResult R = HitAt(Text, C.X, Y);
        EXPECT_EQ(R.AnchorCount, 2);
        EXPECT_EQ(R.Hit, C.Hit) << C.X;
        EXPECT_EQ(R.HitAnchor, C.Anchor) << C.X;
        EXPECT_EQ(R.Anchor, String(C.Href)) << C.X;
        EXPECT_EQ(R.AnchorTitle, String(C.Title)) << C.X;
    }
    const TMarkupDrawResult Second = HitAt(Text, SecondLeft + 2, Y);
    EXPECT_EQ(Second.HitAnchorRect, (TRect{SecondLeft, 0, SecondLeft + W(u"two"), GH}));
    // Nothing is hit below the text, nor ever while only measuring.
    EXPECT_FALSE(HitAt(Text, 3, GH + 2).Hit);
    TMarkupDrawParams P = Params(Text);
    P.MeasureOnly = true;
    P.HitX = 3;
    P.HitY = Y;
    TMarkupDrawResult Measured;
    EXPECT_FALSE(DrawMarkupOnCanvas(P, Measured));
}

TEST_F(MarkupRendererTest, FocusAnchorAndHoverOnly) {
    const String Text = u"<A HREF=\"one\">one</A> <A HREF=\"two\">two</A>";
    TMarkupDrawParams P = Params(Text);
    P.FocusAnchor = 0;
    TMarkupDrawResult R;
    EXPECT_FALSE(DrawMarkupOnCanvas(P, R));
    EXPECT_EQ(R.FocusAnchorHref, u"one");
    // The focus rectangle reaches one pixel left of the anchor.
    EXPECT_TRUE(Inked({0, 0, 1, GH}));

    // Only the hot anchor is underlined: the first looks as without styling,
    // the second as when every anchor is styled.
    const TRect First{1, 0, 1 + W(u"one"), GH + 2};
    const TRect Second{1 + W(u"one "), 0, 1 + W(u"one two"), GH + 2};
    auto Render = [&](bool HoverOnly, Integer Hot) {
        Clear();
        TMarkupDrawParams Q = Params(Text);
        Q.HoverOnly = HoverOnly;
        Q.HotAnchor = Hot;
        TMarkupDrawResult Ignored;
        DrawMarkupOnCanvas(Q, Ignored);
        return std::make_pair(Snapshot(First), Snapshot(Second));
    };
    const auto AllStyled = Render(false, -1);
    const auto NoneHot = Render(true, -1);
    const auto SecondHot = Render(true, 2);
    EXPECT_NE(AllStyled.first, NoneHot.first);
    EXPECT_EQ(SecondHot.first, NoneHot.first);
    EXPECT_EQ(SecondHot.second, AllStyled.second);
}

TEST_F(MarkupRendererTest, ColoursAndBackgroundsAtPixels) {
    auto HasColor = [&](const TRect& Box, auto Test) {
        for (Integer Y = Box.Top; Y < Box.Bottom; ++Y)
            for (Integer X = Box.Left; X < Box.Right; ++X)
                if (Test(ColorToRGB(Canvas()->Pixels(X, Y)))) return true;
        return false;
    };
    const auto Reddish = [](TColor C) { return (C & 0xFF) > 180 && ((C >> 8) & 0xFF) < 80 && (C >> 16) < 80; };
    for (const char16_t* Text : {u"<FONT COLOR=\"#FF0000\">WWW</FONT>", u"<FONT COLOR=\"red\">WWW</FONT>",
                                 u"<FONT COLOR=\"clRed\">WWW</FONT>"}) {
        Clear();
        TMarkupDrawResult R;
        DrawMarkupOnCanvas(Params(Text), R);
        EXPECT_TRUE(HasColor({0, 0, 60, GH}, Reddish)) << Utf8(Text);
    }
    // Fixed colours keep the caller's.
    Clear();
    TMarkupDrawParams P = Params(u"<FONT COLOR=\"red\">WWW</FONT>");
    P.FixedColors = true;
    TMarkupDrawResult R;
    DrawMarkupOnCanvas(P, R);
    EXPECT_FALSE(HasColor({0, 0, 60, GH}, Reddish));
    // A FONT background fills behind its run; a BODY colour fills the rectangle.
    Clear();
    DrawMarkupOnCanvas(Params(u"<FONT BGCOLOR=\"#00FF00\">WWW</FONT>"), R);
    EXPECT_EQ(ColorToRGB(Canvas()->Pixels(2, GH - 2)), clLime);
    Clear();
    DrawMarkupOnCanvas(Params(u"<BODY BGCOLOR=\"#0000FF\">x", {0, 0, 100, 50}), R);
    EXPECT_EQ(ColorToRGB(Canvas()->Pixels(90, 45)), clBlue);
    EXPECT_EQ(ColorToRGB(Canvas()->Pixels(150, 45)), clWhite);
    // Lists: a square bullet at the line's left edge, the text 12 pixels in.
    Clear();
    DrawMarkupOnCanvas(Params(u"<UL><LI TYPE=\"SQUARE\" COLOR=\"#FF0000\">a</LI></UL>"), R);
    EXPECT_EQ(ColorToRGB(Canvas()->Pixels(4, 5)), clRed);
    EXPECT_EQ(ColorToRGB(Canvas()->Pixels(10, 5)), clWhite);
    // A rule at the bottom of its line.
    Clear();
    DrawMarkupOnCanvas(Params(u"a<HR COLOR=\"#0000FF\">b", {0, 0, 100, 100}), R);
    EXPECT_EQ(ColorToRGB(Canvas()->Pixels(50, GH + 1)), clBlue);
    // The canvas comes back as it was given.
    EXPECT_EQ(Canvas()->Font()->Color(), clBlack);
    EXPECT_EQ(Canvas()->Brush()->Color(), clWhite);
}

TEST_F(MarkupRendererTest, PicturesTakeTheirRoom) {
    PictureSource Pictures(20, 10);
    TCustomImageList Images(nullptr);
    Images.SetWidth(16);
    Images.SetHeight(16);
    for (Integer I = 0; I < 3; ++I) {
        TBitmap Glyph;
        Glyph.SetSize(16, 16);
        Images.Add(&Glyph, nullptr);
    }
    const struct {
        const char16_t* Text;
        Integer Width, Height;
    } Cases[] = {
        {u"<IMG SRC=\"PIC\">", 20 + 2, std::max(GH, 10)},
        {u"<IMG SRC=\"PIC\" WIDTH=\"40\">", 40 + 2, std::max(GH, 20)}, // the aspect ratio is kept
        {u"<IMG SRC=\"PIC\" HEIGHT=\"30\">", 60 + 2, 30},
        {u"<IMG SRC=\"PIC\" WIDTH=\"8\" HEIGHT=\"30\">", 8 + 2, 30},
        {u"<IMG SRC=\"MISSING\">", 2, GH},
        {u"<IMG SRC=\"IDX:2\">", 16 + 2, std::max(GH, 16)},
        {u"<IMG SRC=\"IDX:3\">", 2, GH}, // not below the image count: only the gap
        {u"<IMG SRC=\"FILE:///no/such/picture.png\">", 2, GH},
    };
    for (const auto& C : Cases) {
        TMarkupDrawParams P = Params(C.Text);
        P.MeasureOnly = true;
        P.PictureContainer = &Pictures.Container;
        P.Images = &Images;
        THTMLPictureCache Cache;
        P.PictureCache = &Cache;
        TMarkupDrawResult R;
        DrawMarkupOnCanvas(P, R);
        EXPECT_EQ(R.Width, C.Width) << Utf8(C.Text);
        EXPECT_EQ(R.Height, C.Height) << Utf8(C.Text);
    }
    // Unsized pictures follow the control scale; the picture is drawn at the pen.
    TMarkupDrawParams P = Params(u"<IMG SRC=\"PIC\">");
    P.PictureContainer = &Pictures.Container;
    P.ControlScale = 2;
    TMarkupDrawResult R;
    DrawMarkupOnCanvas(P, R);
    EXPECT_EQ(R.Width, 40 + 2);
    EXPECT_EQ(ColorToRGB(Canvas()->Pixels(39, 19)), clBlue);
    EXPECT_EQ(ColorToRGB(Canvas()->Pixels(42, 5)), clWhite);
}

TEST_F(MarkupRendererTest, APictureThatCannotBeReadIsDrawnAsMissing) {
    TTempFolder Folder;
    WriteFileBytes(Folder / u"broken.png", "\x89PNG\r\n\x1a\n truncated");
    const String Text = u"a<IMG SRC=\"file://" + Folder / u"broken.png" + u"\">b";
    for (const bool MeasureOnly : {true, false}) {
        TMarkupDrawParams P = Params(Text);
        P.MeasureOnly = MeasureOnly;
        THTMLPictureCache Cache;
        P.PictureCache = &Cache;
        TMarkupDrawResult R;
        EXPECT_NO_THROW(DrawMarkupOnCanvas(P, R));
        EXPECT_EQ(R.Width, Measure(u"ab").Width + 2) << MeasureOnly; // only the picture's gap
    }
    // A readable file is found under the exact case of its name.
    TBitmap Red;
    Red.SetSize(6, 4);
    Red.SaveToFile(Folder / u"Red.bmp");
    TMarkupDrawParams P = Params(u"a<IMG SRC=\"file://" + Folder / u"Red.bmp" + u"\">b");
    P.MeasureOnly = true;
    THTMLPictureCache Cache;
    P.PictureCache = &Cache;
    TMarkupDrawResult R;
    DrawMarkupOnCanvas(P, R);
    EXPECT_EQ(R.Width, Measure(u"ab").Width + 6 + 2);
}

TEST_F(MarkupRendererTest, AltPictureWhileHitInsideAnAnchor) {
    PictureSource Pictures(20, 20);
    TPictureItem* Alt = Pictures.Container.Items()->Add();
    Alt->SetName(u"ALTPIC");
    {
        TBitmap Red;
        Red.SetSize(20, 20);
        Red.Canvas()->Brush()->SetColor(clRed);
        Red.Canvas()->FillRect({0, 0, 20, 20});
        Red.Canvas()->SetPixels(0, 19, clWhite);
        TMemoryStream Stream;
        Red.SaveToStream(&Stream);
        Stream.SetPosition(0);
        Alt->Picture()->LoadFromStream(&Stream);
    }
    const String Text = u"<A HREF=\"go\"><IMG SRC=\"PIC\" ALT=\"ALTPIC\"></A>";
    for (const bool Over : {false, true}) {
        Clear();
        TMarkupDrawParams P = Params(Text);
        P.PictureContainer = &Pictures.Container;
        P.HitX = Over ? 10 : 300;
        P.HitY = Over ? 10 : 150;
        TMarkupDrawResult R;
        EXPECT_EQ(DrawMarkupOnCanvas(P, R), Over);
        EXPECT_EQ(ColorToRGB(Canvas()->Pixels(10, 10)), Over ? clRed : clBlue);
        if (Over) {
            EXPECT_EQ(R.Anchor, u"go");
        }
    }
}

TEST_F(MarkupRendererTest, FormControlsAreDrawnAndHit) {
    const String Text = u"<CONTROL TYPE=\"CHECK\" ID=\"c1\" VALUE=\"TRUE\" WIDTH=\"20\">"
                        u"<CONTROL TYPE=\"EDIT\" ID=\"e1\" VALUE=\"hello\" WIDTH=\"80\">";
    // The check box's hit box: 16 wide and 16 high from the line's left.
    const TMarkupDrawResult Check = HitAt(Text, 5, 5);
    EXPECT_TRUE(Check.Hit);
    EXPECT_EQ(Check.Anchor, u"ctrl");
    EXPECT_EQ(Check.ControlID, u"c1");
    EXPECT_EQ(Check.ControlValue, u"TRUE");
    EXPECT_EQ(Check.ControlType, u"CHECK");
    EXPECT_EQ(Check.ControlRect, (TRect{1, 0, 17, 16}));
    const TMarkupDrawResult Edit = HitAt(Text, 30, 5);
    EXPECT_EQ(Edit.ControlID, u"e1");
    EXPECT_EQ(Edit.ControlValue, u"hello");
    EXPECT_EQ(Edit.ControlRect, (TRect{17, 0, 97, GH + 10}));
    // Looked up by ID wherever the point is.
    TMarkupDrawParams P = Params(Text);
    P.HitTestOnly = true;
    TMarkupDrawResult ByID;
    ByID.ControlID = u"e1";
    EXPECT_TRUE(DrawMarkupOnCanvas(P, ByID));
    EXPECT_EQ(ByID.ControlRect, Edit.ControlRect);
    // A control without WIDTH takes no room and cannot be hit.
    EXPECT_FALSE(HitAt(u"<CONTROL TYPE=\"EDIT\" ID=\"x\">", 5, 5).Hit);
    EXPECT_EQ(Measure(u"<CONTROL TYPE=\"EDIT\" ID=\"x\">a").Width, W(u"a"));
    // Drawn: the checked box has ink, the edit a white box with a grey border.
    Clear();
    TMarkupDrawResult Drawn;
    DrawMarkupOnCanvas(Params(Text), Drawn);
    EXPECT_TRUE(Inked({3, 5, 16, 20}));
    EXPECT_EQ(ColorToRGB(Canvas()->Pixels(17, 21)), clGray);
}

TEST_F(MarkupRendererTest, EmojiAdvancesThePenOnly) {
    const String Emoji = MarkupEmojiTag(0x1F600);
    EXPECT_EQ(Measure(Emoji + u"a").Width, W(u"a"));
    // The text after it is drawn one text height further right.
    Clear();
    TMarkupDrawResult R;
    DrawMarkupOnCanvas(Params(u"<Z>" + Emoji + u"</Z>a"), R);
    EXPECT_TRUE(Inked({1, 0, 1 + W(u"a"), GH}));
}

TEST_F(MarkupRendererTest, RandomMarkupNeverFaults) {
    // Pieces from the tag and entity tables, with broken and unclosed forms.
    const std::vector<String> Pieces = {
        u"<A HREF=\"x\">", u"</A>", u"<B>", u"</B>", u"<I>", u"<U>", u"</U>", u"<S>", u"<BR>", u"<BLINK>",
        u"<BODY BGCOLOR=\"#102030\" FONT-SIZE:40pt;>", u"<CONTROL TYPE=\"EDIT\" WIDTH=\"30\" ID=\"e\">",
        u"<CONTROL TYPE=\"BUTTON\" WIDTH=\"x\">", u"<E>", u"</E>", u"<FONT SIZE=\"40\" COLOR=\"red\">", u"</FONT>",
        u"<HI>", u"</HI>", u"<HR>", u"<IND x=\"900\">", u"<IMG SRC=\"IDX:1\">", u"<IMG SRC=\"PIC\" WIDTH=\"500\">",
        u"<IMG SRC=\"x\" FLOAT=\"LEFT\">", u"<J ", u"<LI>", u"<LI TYPE=\"IMAGE\">", u"<OL>", u"</OL>", u"<UL>",
        u"</UL>", u"<P ALIGN=\"CENTER\" BGCOLOR=\"blue\">", u"</P>", u"<R a=\"90\">", u"</R>",
        u"<SPAN STYLE=\"BACKGROUND-COLOR:#FF0000\">", u"</SPAN>", u"<SHAD>", u"<SUB>", u"<SUP>", u"</SU>", u"<Z>",
        u"</Z>", u"&amp;", u"&lt;", u"&gt;", u"&nbsp;", u"&#65;", u"&#128512;", u"&eacute;", u"&", u"<", u">",
        u"\r\n", u" ", u"word", u"longerwordwithoutbreaks", u"\"", u"<#FF0000>", u"\xD83D", u"<P>",
    };
    PictureSource Pictures(3, 3);
    std::mt19937 Random(12345);
    std::uniform_int_distribution<std::size_t> Pick(0, Pieces.size() - 1), Count(0, 12);
    TBitmap Small;
    Small.SetSize(60, 30);
    // A few thousand strings in every run; VANDREL_MARKUP_FUZZ_COUNT=100000
    // makes it the full sweep.
    const char* Wanted = std::getenv("VANDREL_MARKUP_FUZZ_COUNT");
    const Integer Total = Wanted ? std::max(std::atoi(Wanted), 1) : 2000;
    for (Integer I = 0; I < Total; ++I) {
        String Text;
        for (std::size_t N = Count(Random); N > 0; --N)
            Text += Pieces[Pick(Random)];
        TMarkupDrawParams P;
        P.Canvas = Small.Canvas();
        P.Text = Text;
        P.Rect = {0, 0, 60, 30};
        P.PictureContainer = &Pictures.Container;
        P.WordWrap = I % 2 == 0;
        P.MeasureOnly = I % 3 == 0;
        P.HitX = 10;
        P.HitY = 5;
        TMarkupDrawResult R;
        DrawMarkupOnCanvas(P, R);
        ASSERT_GE(R.Height, 0);
        if (I % 7 == 0) {
            TStaticMarkupDrawParams SP;
            SP.Canvas = Small.Canvas();
            SP.Text = Text;
            SP.Rect = {0, 0, 60, 30};
            TStaticMarkupDrawResult SR;
            DrawStaticTextMarkup(SP, SR);
        }
    }
}

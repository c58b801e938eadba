#include "gridbase/MarkupText.h"
#include "rtl/Encoding.h"

#include <gtest/gtest.h>

namespace {
struct TCase {
    const char16_t* Input;
    const char16_t* Expected;
};
} // namespace

TEST(MarkupText, PlainText) {
    const TCase cases[] = {
        {u"a<br>b<HR>c", u"a\r\nb\r\nc"},
        {u"a<b", u"a"},
        {u"x > y <b>z</b>", u"x > y z"},
        {u"&amp;<i>q</i>", u"&amp;q"},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(MarkupToPlainText(c.Input), c.Expected) << Utf8(c.Input);
}

TEST(MarkupText, StripTagsStopsWhereAGreaterSignComesFirst) {
    EXPECT_EQ(StripMarkupTags(u"a<b>c</b>d"), u"acd");
    EXPECT_EQ(StripMarkupTags(u"a<b>c > d<i>e"), u"ac > d<i>e");
    EXPECT_EQ(StripMarkupTags(u"a<b"), u"a<b");
}

TEST(MarkupText, HashTagsAndLineBreaks) {
    EXPECT_EQ(StripHashTags(u"<#FF0000>red <#00ff00>"), u"#FF0000red #00ff00");
    EXPECT_EQ(LineBreaksToMarkup(u"a\r\nb\rc\n", true), u"a<BR>b<BR>c");
    EXPECT_EQ(LineBreaksToMarkup(u"a\r\nb<b>\r\n<i>c", false), u"a b<b><i>c");
}

TEST(MarkupText, Highlight) {
    struct THighlight {
        const char16_t* Text;
        const char16_t* Search;
        const char16_t* Tag;
        bool Whole;
        bool CaseSensitive;
        const char16_t* Expected;
    };
    const THighlight cases[] = {
        {u"a<b>bc</b>d", u"bc", u"hi", false, false, u"a<b><HI>bc</HI></b>d"},
        {u"abcd", u"bc", u"hi", false, false, u"a<HI>bc</HI>d"},
        {u"&amp;abc</i>", u"bc", u"hi", false, false, u"&amp;a<HI>bc</HI></i>"},
        {u"x <font color=\"red\">ab</font>cd</i>", u"bc", u"hi", false, false,
         u"x <font color=\"red\">a<HI>b</font></HI><HI>c</HI>d</i>"},
        {u"ABC abc", u"abc", u"e", false, false, u"<E>ABC</E> <E>abc</E>"},
        {u"ABC abc", u"abc", u"e", false, true, u"ABC <E>abc</E>"},
        {u"a<b>x", u"x", u"hi", false, false, u"a&lt;b&gt;<HI>x</HI>"},
        {u"<HI>ab</HI>ab", u"b", u"hi", false, false, u"a<HI>b</HI>a<HI>b</HI>"},
        {u"abcd", u"zz", u"hi", false, false, u"abcd"},
        {u"abcd", u"", u"hi", false, false, u"abcd"},
        {u"a < b", u"A < B", u"hi", true, false, u"<HI>a&nbsp;&lt;&nbsp;b</HI>"},
        {u"<b>Caf&eacute;</b>", u"caf\u00E9", u"hi", true, false, u"<HI><b>Caf&eacute;</b></HI>"},
        {u"abcd", u"bc", u"hi", true, false, u"abcd"},
    };
    for (const THighlight& c : cases)
        EXPECT_EQ(HighlightInMarkup(c.Text, c.Search, c.Tag, c.Whole, c.CaseSensitive), c.Expected)
            << Utf8(c.Text) << " / " << Utf8(c.Search);
}

TEST(MarkupText, RemoveTagUndoesHighlighting) {
    const String plain = u"x < y & \"z\"";
    const String marked = HighlightInMarkup(plain, u"y", u"hi", false, false);
    EXPECT_EQ(marked, u"x &lt; <HI>y</HI> &amp; &quot;z&quot;");
    EXPECT_EQ(RemoveMarkupTag(marked, u"hi"), plain);
    const String literal = u"type &lt;b&gt; here";
    EXPECT_EQ(RemoveMarkupTag(HighlightInMarkup(literal, u"here", u"e", false, false), u"E"), literal);
    // Markup keeps its entities when its own closing tags remain.
    EXPECT_EQ(RemoveMarkupTag(u"<b>&lt;<hi>x</hi></b>", u"HI"), u"<b>&lt;x</b>");
}

TEST(MarkupText, StaticBuilds) {
    EXPECT_EQ(StaticMarkupToPlainText(u"a<z>hid</z>b<Z>den</Z>c<br>d"), u"abc\r\nd");
    EXPECT_EQ(StaticMarkupToPlainText(u"a<Z>x</z>y</Z>b"), u"ab");
    EXPECT_EQ(StaticMarkupToPlainText(u"a<z>open"), u"a");
    EXPECT_EQ(StaticHighlightInMarkup(u"a<b>bc</b>d", u"BC", u"hi", false), u"a<hi><b>bc</hi></b>d");
    EXPECT_EQ(StaticHighlightInMarkup(u"<HI>x</HI>abc", u"c", u"hi", true), u"<HI>x</HI>ab<hi>c</hi>");
    EXPECT_EQ(StaticHighlightInMarkup(u"<i>ab</i>", u"ab", u"hi", false), u"<hi><i>ab</i></hi>");
    EXPECT_EQ(StaticHighlightInMarkup(u"ab", u"B", u"hi", true), u"ab");
    EXPECT_EQ(StaticRemoveMarkupTag(u"<hi>&lt;</HI>", u"hi"), u"&lt;");
}

TEST(MarkupText, Preparation) {
    SetMarkupKeepLineBreaks(true);
    EXPECT_EQ(PrepareMarkupText(u"Tom &amp; Jerry &quot;&eacute;&quot;\r\n<#FF0000>&#65;"),
              u"Tom && Jerry \"\u00E9\"<BR>#FF0000A");
    EXPECT_EQ(PrepareMarkupText(u"&lt;b&gt;"), u"&lt;b&gt;");
    SetMarkupKeepLineBreaks(false);
    EXPECT_EQ(PrepareMarkupText(u"a\r\nb"), u"a b");
    SetMarkupKeepLineBreaks(true);
    EXPECT_EQ(PrepareStaticMarkupText(u"&apos;&amp;&nbsp;\r", false), u"'&&&nbsp; ");
}

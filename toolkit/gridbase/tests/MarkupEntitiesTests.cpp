#include "gridbase/MarkupEntities.h"
#include "rtl/Encoding.h"

#include <gtest/gtest.h>

namespace {
struct TCase {
    const char16_t* Input;
    const char16_t* Expected;
};
} // namespace

TEST(MarkupEntities, Decode) {
    EXPECT_EQ(DecodeMarkupEntities(u"&Eacute;&eacute;", true), u"\u00C9\u00E9");
    EXPECT_EQ(DecodeMarkupEntities(u"&Eacute;&quot;&lt;&gt;&amp;", false), u"&Eacute;\"<>&");
    EXPECT_EQ(DecodeMarkupEntities(u"&Otilde;&AElig;&nbsp;&#39;&dollar;", true), u"\u00D5\u00C6 '$");
    // What a replacement yields is not decoded again.
    EXPECT_EQ(DecodeMarkupEntities(u"&amp;lt;", false), u"&lt;");
    // Names are case-sensitive; unknown ones stay.
    EXPECT_EQ(DecodeMarkupEntities(u"&EACUTE; &bogus; & x", true), u"&EACUTE; &bogus; & x");
    // Numeric references come back with the full set only.
    EXPECT_EQ(DecodeMarkupEntities(u"&#937;&#x1F600;", true), u"\u03A9\U0001F600");
    EXPECT_EQ(DecodeMarkupEntities(u"&#937;", false), u"&#937;");
}

TEST(MarkupEntities, UnescapeForDrawKeepsAmpersandsDoubled) {
    EXPECT_EQ(UnescapeMarkupForDraw(u"a &amp; b &quot;c&quot; &lt;b&gt;", false), u"a && b \"c\" &lt;b&gt;");
    EXPECT_EQ(UnescapeMarkupForDraw(u"&euro;&#937;", true), u"\u20AC&#937;");
}

TEST(MarkupEntities, Encode) {
    const TCase plain[] = {
        {u"a < b & \"c\" > d", u"a &lt; b &amp; &quot;c&quot; &gt; d"},
        {u"*amp; stays", u"*amp; stays"},
        {u"\u00E9 \u03A9", u"\u00E9 \u03A9"},
    };
    for (const TCase& c : plain)
        EXPECT_EQ(EncodeMarkupEntities(c.Input, false), c.Expected) << Utf8(c.Input);
    EXPECT_EQ(EncodeMarkupEntities(u"a \u00E9&", true), u"a&nbsp;&eacute;&amp;");
    EXPECT_EQ(EncodeMarkupEntities(u"\u03A9\u0100$'\u00FD\U0001F600", true),
              u"&#937;\u0100&dollar;&#39;&#x00FD;&#128512;");
}

TEST(MarkupEntities, FullEncodingRoundTrips) {
    const String text = u"x &lt; *amp; \"q\" <b> \u00E9\u20AC \u03A9 \U0001F600 $ ' 100%";
    EXPECT_EQ(DecodeMarkupEntities(EncodeMarkupEntities(text, true), true), text);
    EXPECT_EQ(DecodeMarkupEntities(EncodeMarkupEntities(text, false), false), text);
    // Lone surrogate halves and code points with seven decimal digits.
    const String edges[] = {String(1, Char(0xD800)), String(1, Char(0xDFFF)) + u"&" + String(1, Char(0xD800)),
                            u"󴉀", u"􏿿", u"a󴈿󴉀b"};
    for (const String& edge : edges)
        EXPECT_EQ(DecodeMarkupEntities(EncodeMarkupEntities(edge, true), true), edge) << Utf8(edge);
    EXPECT_EQ(EncodeMarkupEntities(String(1, Char(0xD800)), true), u"&#55296;");
}

TEST(MarkupEntities, SpacesToNbsp) {
    EXPECT_EQ(SpacesToNbsp(u" a  b"), u"&nbsp;a&nbsp;&nbsp;b");
}

TEST(MarkupEntities, NumericReferences) {
    const TCase cases[] = {
        {u"&#65;", u"A"},
        {u"&#x41;&#X6a;", u"Aj"},
        {u"x&#65;y&&#66;&#67;", u"xAy&&#66;&#67;"},
        {u"&#12", u"&#12"},
        {u"&#;", u"&#;"},
        {u"&#6a5;", u"&#6a5;"},
        {u"&#1234567;", u"&#1234567;"},
        {u"&#0;", u"&#0;"},
        {u"&#65 is far from;", u"Ais far from;"},
        {u"&#128512;", u"<J \U0001F600 >"},
        {u"&#x1F003;", u"\U0001F003"},
        {u"&#x1F004;", u"<J \U0001F004 >"},
        {u"&#65;&#12", u"A&#12"},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(DecodeNumericEntities(c.Input), c.Expected) << Utf8(c.Input);
}

TEST(MarkupEntities, EmojiTag) {
    EXPECT_EQ(MarkupEmojiTag(0x1F600), u"<J \U0001F600 >");
    EXPECT_EQ(MarkupEmojiOf(u"<J \U0001F600 >"), String(u"\U0001F600"));
    EXPECT_EQ(MarkupEmojiOf(u"<J ab >"), std::nullopt);
    EXPECT_EQ(MarkupEmojiOf(u"<J \U0001F600>"), std::nullopt);
}

TEST(MarkupEntities, Tables) {
    EXPECT_EQ(MarkupEntities().size(), 81u);
    EXPECT_EQ(StaticMarkupEntities().size(), 77u);
    EXPECT_EQ(DecodeStaticMarkupEntities(u"&apos;&eacute;&nbsp;&#39;&amp;"), u"'\u00E9&nbsp;&#39;&amp;");
}

#include "kel/RarEvads.h"
#include "rtl/Exception.h"
#include "rtl/StringList.h"

#include <gtest/gtest.h>

namespace {

TEST(RarEvadsSearch, PositionsAndReplacing) {
    EXPECT_EQ(TRarEvads::IPos(u"ab", u"xAB"), 2);
    EXPECT_EQ(TRarEvads::IPos(u"q", u"xAB"), 0);
    Integer found = -1;
    EXPECT_EQ(TRarEvads::VarPos(u"ab", u"xAB", found), 0);
    EXPECT_EQ(found, 0);
    EXPECT_EQ(TRarEvads::VarPosNoCase(u"ab", u"xAB", found), 2);
    EXPECT_EQ(found, 2);

    String text = u"xabx";
    EXPECT_TRUE(TRarEvads::TagReplaceString(u"AB", u"-", text));
    EXPECT_EQ(text, u"x-x");
    EXPECT_FALSE(TRarEvads::TagReplaceString(u"zz", u"-", text));
    EXPECT_EQ(text, u"x-x");

    EXPECT_EQ(TRarEvads::CharInStr(u"abc", 3), u'c');
    EXPECT_EQ(TRarEvads::CharInStr(u"abc", 0), 0);
    EXPECT_EQ(TRarEvads::CharInStr(u"abc", 4), 0);
}

TEST(RarEvadsSearch, Split) {
    TStringList list;
    list.Add(u"old");
    TRarEvads::Split(u',', u"a,,b", &list, true);
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(list.Strings(1), u"b");
    TRarEvads::Split(u',', u"a,,b", &list, false);
    ASSERT_EQ(list.Count(), 3);
    EXPECT_EQ(list.Strings(1), u"");
    // Only the delimiter separates; quotes keep delimiters and a doubled quote is one.
    TRarEvads::Split(u';', u"a b;\"c;\"\"d\"", &list, false);
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(list.Strings(0), u"a b");
    EXPECT_EQ(list.Strings(1), u"c;\"d");
}

TEST(RarEvadsMarkup, FixMarkup) {
    EXPECT_EQ(TRarEvads::FixMarkup(u"a<b & \"c\">", false), u"a&lt;b &amp; &quot;c&quot;&gt;");
    EXPECT_EQ(TRarEvads::FixMarkup(u"a *amp; b", false), u"a &amp; b");
    EXPECT_EQ(TRarEvads::FixMarkup(u"a <b>", true), u"a&nbsp;&lt;b&gt;");
    EXPECT_EQ(TRarEvads::FixMarkup(u"\u00E9(c)$\u20AC", true), u"&eacute;&copy;&#36;&euro;");
    // Code 256 stays, 257 and above become character references; a
    // surrogate pair is the one character it encodes.
    EXPECT_EQ(TRarEvads::FixMarkup(u"\u0100\u0101", true), u"\u0100&#257;");
    EXPECT_EQ(TRarEvads::FixMarkup(u"\U0001F600", true), u"&#128512;");
}

TEST(RarEvadsMarkup, UnFixMarkup) {
    // The loop runs while the exact entity occurs and replaces the first hit
    // found without regard to case.
    EXPECT_EQ(TRarEvads::UnFixMarkup(u"&LT;x&lt;", false), u"<x<");
    EXPECT_EQ(TRarEvads::UnFixMarkup(u"&LT;x", false), u"&LT;x");
    EXPECT_EQ(TRarEvads::UnFixMarkup(u"&amp;lt; &quot;&nbsp;", false), u"&lt; \"&nbsp;");
    EXPECT_EQ(TRarEvads::UnFixMarkup(u"&nbsp;&copy;&eacute;&#39;quot;", true), u" (c)\u00E9'\"");
    EXPECT_EQ(TRarEvads::UnFixMarkup(u"&Eacute;&eacute;", true), u"\u00E9\u00E9");
    const String text = u"x < y & \"z\" \u00E9 \u00A9 \u2122";
    EXPECT_EQ(TRarEvads::UnFixMarkup(TRarEvads::FixMarkup(text, true), true), text);
}

TEST(RarEvadsMarkup, TableLookups) {
    const struct {
        const Char* markup;
        Integer index;
    } cases[] = {{u"AMP;", 0},     {u"&eacute;", 5}, {u"&Eacute;", 25},
                 {u"&EACUTE;", 5}, {u"&ETH;", 85},   {u"&xyz;", -1}};
    for (const auto& c : cases)
        EXPECT_EQ(TRarEvads::GetMarkupIndex(c.markup), c.index) << Utf8(c.markup);

    EXPECT_EQ(TRarEvads::GetSpecialChar(1), u"&");
    EXPECT_EQ(TRarEvads::GetSpecialChar(5), u" ");
    EXPECT_EQ(TRarEvads::GetSpecialChar(52), u"(c)");
    EXPECT_EQ(TRarEvads::GetSpecialChar(60), u"\u00D5");
    EXPECT_EQ(TRarEvads::GetSpecialChar(86), u"\u00D0");
    EXPECT_EQ(TRarEvads::GetSpecialChar(87), u"");
}

TEST(RarEvadsMarkup, HtmlTestAndStrip) {
    EXPECT_TRUE(TRarEvads::IsHTML(u"a</b>"));
    EXPECT_TRUE(TRarEvads::IsHTML(u"<img/>"));
    EXPECT_TRUE(TRarEvads::IsHTML(u"one<br>two"));
    EXPECT_FALSE(TRarEvads::IsHTML(u"<b>bold"));

    const struct {
        const Char* html;
        const Char* text;
    } cases[] = {
        {u"<b>bold</b> &amp; plain", u"bold &amp; plain"},
        {u"one<Br>two<hr>three", u"one\r\ntwo\r\nthree"},
        {u"a > b <i>c</i>", u"a > b c"},
        {u"x<i>y</i> < z", u"xy < z"},
        {u"no tags", u"no tags"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TRarEvads::HTMLStrip(c.html), c.text) << Utf8(c.html);
}

TEST(RarEvadsEscaping, EscapeAndUnescape) {
    EXPECT_EQ(TRarEvads::EscapeString(u"a\tb"), u"a\\u0009b");
    EXPECT_EQ(TRarEvads::EscapeString(u"\"\\/\u00E9"), u"\\u0022\\u005C/\\u00E9");
    EXPECT_EQ(TRarEvads::UnescapeString(u"\\u00e9\\n\\/\\\\\\t\\b\\f\\r"), u"\u00E9\n/\\\t\b\f\r");
    // Other writers escape quotes the standard way.
    EXPECT_EQ(TRarEvads::UnescapeString(u"say \\\"hi\\\""), u"say \"hi\"");
    const String text = u"line\r\n\"quoted\" \\ \u20AC\U0001F600";
    EXPECT_EQ(TRarEvads::UnescapeString(TRarEvads::EscapeString(text)), text);
}

TEST(RarEvadsEscaping, UnescapeErrors) {
    const struct {
        const Char* text;
        const Char* message;
    } cases[] = {
        {u"abc\\", u"Unexpected end of string"},
        {u"\\x", u"Invalid code at position 1"},
        {u"ab\\u12", u"Invalid code at position 3"},
        {u"ab\\u12G4", u"Invalid code at position 3"},
    };
    for (const auto& c : cases) {
        try {
            TRarEvads::UnescapeString(c.text);
            ADD_FAILURE() << "no error for " << Utf8(c.text);
        } catch (const Exception& e) {
            EXPECT_EQ(e.Message(), c.message);
        }
    }
}

TEST(RarEvadsEscaping, EnDeCryptIsItsOwnInverse) {
    const String text = u"Secret \u00E9 text 123";
    const String scrambled = TRarEvads::EnDeCrypt(text);
    EXPECT_NE(scrambled, text);
    EXPECT_EQ(TRarEvads::EnDeCrypt(scrambled), text);
    // The high byte of a wide character is lost.
    EXPECT_LT(TRarEvads::EnDeCrypt(u"\u20AC")[0], 256);
}

TEST(RarEvadsCharSets, SetsAndFirstChar) {
    EXPECT_EQ(TRarEvads::NumericCharSet().size(), 10u);
    EXPECT_EQ(TRarEvads::AlphaCharSet().size(), 52u);
    EXPECT_EQ(TRarEvads::AlphaCharSet()[26], u'A');
    EXPECT_EQ(TRarEvads::AddCharSet(TRarEvads::CreateCharSet(u"ab"), TRarEvads::CreateCharSet(u"bc")),
              TRarEvads::CreateCharSet(u"abbc"));
    EXPECT_EQ(TRarEvads::SubCharSet(TRarEvads::CreateCharSet(u"abab"), TRarEvads::CreateCharSet(u"b")),
              TRarEvads::CreateCharSet(u"aa"));
    EXPECT_TRUE(TRarEvads::CharInSet(u'c', TRarEvads::CreateCharSet(u"abc")));
    EXPECT_FALSE(TRarEvads::CharInSet(u'd', TRarEvads::CreateCharSet(u"abc")));

    Integer position = 0;
    const TRarEvadsCharSet separators = TRarEvads::CreateCharSet(u"&|");
    EXPECT_EQ(TRarEvads::FirstChar(separators, u"\"a&b\"|c", position), u'|');
    EXPECT_EQ(position, 6);
    EXPECT_EQ(TRarEvads::FirstChar(separators, u"\"a&b", position), 0);
    EXPECT_EQ(position, -1);
}

TEST(RarEvadsNumbers, ScalingAndWords) {
    const struct {
        Integer number, numerator, denominator, result;
    } cases[] = {
        {5, 1, 2, 3}, {-5, 1, 2, -3}, {7, 3, 0, -1}, {100000, 100000, 100000, 100000}, {96, 144, 96, 144}};
    for (const auto& c : cases)
        EXPECT_EQ(TRarEvads::MulDivInt(c.number, c.numerator, c.denominator), c.result) << c.number;
    EXPECT_EQ(TRarEvads::MulDivSingle(3, 1, 2), 1.5f);
    EXPECT_EQ(TRarEvads::MulDivSingle(3, 1, 0), -1);

    const Cardinal version = PackLong(PackWord(4, 3), PackWord(2, 1));
    EXPECT_EQ(version, 0x01020304u);
    EXPECT_EQ(HighWordOf(version), 0x0102);
    EXPECT_EQ(LowWordOf(version), 0x0304);
}

} // namespace

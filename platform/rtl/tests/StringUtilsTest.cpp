#include "rtl/StringUtils.h"

#include "rtl/Character.h"
#include "rtl/Encoding.h"

#include <gtest/gtest.h>

namespace {

struct PosCase {
    String sub, s;
    Integer offset, expected;
};

TEST(PosTest, FindsOneBasedPositionsFromTheOffset) {
    const PosCase cases[] = {
        {u"b", u"abcb", 1, 2},  {u"b", u"abcb", 3, 4},
        {u"b", u"abcb", 5, 0}, // offset past the end
        {u"b", u"abcb", 0, 0},  {u"b", u"abcb", -3, 0},
        {u"", u"abc", 1, 0}, // empty pattern
        {u"a", u"", 1, 0},      {u"abcd", u"abc", 1, 0},
        {u"cb", u"abcb", 4, 0}, {u"\U0001F600", u"x\U0001F600", 1, 2}, // code units: the pair starts at 2
    };
    for (const auto& c : cases) {
        EXPECT_EQ(PosEx(c.sub, c.s, c.offset), c.expected)
            << Utf8(c.sub) << " in " << Utf8(c.s) << " @" << c.offset;
        EXPECT_EQ(Pos(c.sub, c.s, c.offset), c.expected);
    }
    EXPECT_EQ(Pos(u"c", u"abc"), 3);
    EXPECT_EQ(Length(u"x\U0001F600"), 3);
}

TEST(CopyTest, ClampsIndexAndCount) {
    struct Case {
        Integer index, count;
        String expected;
    };
    const Case cases[] = {
        {1, 2, u"ab"}, {2, 100, u"bcd"}, {0, 2, u"ab"}, {-5, 1, u"a"},
        {4, 1, u"d"},  {5, 1, u""},      {2, 0, u""},   {2, -1, u""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Copy(u"abcd", c.index, c.count), c.expected) << c.index << "," << c.count;
    EXPECT_EQ(Copy(u"abcd", 3), u"cd");
    EXPECT_EQ(Copy(u"", 1, 1), u"");
}

TEST(DeleteTest, RemovesOnlyInsideTheString) {
    struct Case {
        Integer index, count;
        String expected;
    };
    const Case cases[] = {
        {2, 2, u"ad"}, {3, 100, u"ab"}, {0, 2, u"abcd"}, {5, 1, u"abcd"}, {1, 0, u"abcd"}, {4, 1, u"abc"},
    };
    for (const auto& c : cases) {
        String s = u"abcd";
        Delete(s, c.index, c.count);
        EXPECT_EQ(s, c.expected) << c.index << "," << c.count;
    }
}

TEST(InsertTest, ClampsThePosition) {
    struct Case {
        Integer index;
        String expected;
    };
    const Case cases[] = {{1, u"XYab"},  {2, u"aXYb"}, {3, u"abXY"},
                          {99, u"abXY"}, {0, u"XYab"}, {-1, u"XYab"}};
    for (const auto& c : cases) {
        String s = u"ab";
        Insert(u"XY", s, c.index);
        EXPECT_EQ(s, c.expected) << c.index;
    }
}

TEST(TrimTest, RemovesBlanksAndControlCharacters) {
    const String s = u" \t\r\n\u0001a b\x1F \u00A0";
    EXPECT_EQ(Trim(u"\u0001\t a b \r\n\x1F"), u"a b");
    EXPECT_EQ(TrimLeft(u"\t a b "), u"a b ");
    EXPECT_EQ(TrimRight(u" a b\r\n"), u" a b");
    EXPECT_EQ(Trim(s), u"a b\x1F \u00A0"); // the no-break space is not a blank
    EXPECT_EQ(Trim(u" \t "), u"");
    EXPECT_EQ(Trim(u""), u"");
}

TEST(CaseTest, AsciiAndUnicodeMappings) {
    const String mixed = u"abz ABZ \u00e9\u00c9 \u00ff \u0131 \u00df \u03c3\u03a3 \U00010428";
    EXPECT_EQ(UpperCase(mixed), u"ABZ ABZ \u00e9\u00c9 \u00ff \u0131 \u00df \u03c3\u03a3 \U00010428");
    EXPECT_EQ(LowerCase(mixed), u"abz abz \u00e9\u00c9 \u00ff \u0131 \u00df \u03c3\u03a3 \U00010428");
    // ß keeps its length; the dotless i upper-cases to I; Deseret is outside the BMP.
    EXPECT_EQ(WideUpperCase(mixed), u"ABZ ABZ \u00c9\u00c9 \u0178 I \u00df \u03a3\u03a3 \U00010400");
    EXPECT_EQ(WideLowerCase(mixed), u"abz abz \u00e9\u00e9 \u00ff \u0131 \u00df \u03c3\u03c3 \U00010428");
    EXPECT_EQ(AnsiUpperCase(u"stra\u00dfe"), u"STRA\u00dfE");
    EXPECT_EQ(AnsiLowerCase(u"\u00c0B"), u"\u00e0b");
    const String lone = String(1, u'\xD800') + u"a"; // unpaired surrogate passes through
    EXPECT_EQ(WideUpperCase(lone), String(1, u'\xD800') + u"A");
}

TEST(RemoveDiacriticsTest, DropsCombiningMarks) {
    EXPECT_EQ(RemoveDiacritics(u"Cr\u00e8me br\u00fbl\u00e9e"), u"Creme brulee");
    EXPECT_EQ(RemoveDiacritics(u"A\u0308\u00c5\u0158"), u"AAR"); // combining and precomposed
    EXPECT_EQ(RemoveDiacritics(u"\u00df\u00d8\u00e6 \u00b5g/L"), u"\u00df\u00d8\u00e6 \u00b5g/L");
    EXPECT_EQ(RemoveDiacritics(u""), u"");
}

TEST(StringOfCharTest, RepeatsOrGivesEmpty) {
    EXPECT_EQ(StringOfChar(u'-', 3), u"---");
    EXPECT_EQ(StringOfChar(u'-', 0), u"");
    EXPECT_EQ(StringOfChar(u'-', -2), u"");
}

TEST(QuoteTest, QuotesAndDequotes) {
    EXPECT_EQ(QuotedStr(u"it's"), u"'it''s'");
    EXPECT_EQ(QuotedStr(u""), u"''");
    EXPECT_EQ(AnsiQuotedStr(u"a\"b", u'"'), u"\"a\"\"b\"");
    struct Case {
        String s, expected;
    };
    const Case cases[] = {
        {u"'it''s'", u"it's"}, {u"''", u""},     {u"abc", u"abc"}, {u"'abc", u"'abc"}, // unterminated
        {u"'ab'cd", u"ab"},    {u"''x", u"''x"}, {u"'", u""},      {u"", u""},         {u"'a''", u"a'"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(AnsiDequotedStr(c.s, u'\''), c.expected) << Utf8(c.s);
    for (const String s : {u"", u"x", u"'", u"a''b", u"\U0001F600"})
        EXPECT_EQ(AnsiDequotedStr(QuotedStr(s), u'\''), s) << Utf8(s);
}

TEST(StringReplaceTest, FlagsChooseFirstOrAllAndCase) {
    struct Case {
        String s, from, to;
        TReplaceFlags flags;
        String expected;
    };
    const Case cases[] = {
        {u"a-b-c", u"-", u"+", {}, u"a+b-c"},
        {u"a-b-c", u"-", u"+", {rfReplaceAll}, u"a+b+c"},
        {u"aXbxc", u"x", u"_", {rfReplaceAll}, u"aXb_c"},
        {u"aXbxc", u"x", u"_", {rfReplaceAll, rfIgnoreCase}, u"a_b_c"},
        {u"\u00c9t\u00e9", u"\u00e9", u"e", {rfReplaceAll, rfIgnoreCase}, u"ete"},
        {u"aaa", u"a", u"aa", {rfReplaceAll}, u"aaaaaa"}, // replacements are not searched again
        {u"aaaa", u"aa", u"b", {rfReplaceAll}, u"bb"},
        {u"abc", u"", u"x", {rfReplaceAll}, u"abc"}, // empty pattern: nothing to replace
        {u"abc", u"abc", u"", {}, u""},
        {u"", u"a", u"b", {rfReplaceAll}, u""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(StringReplace(c.s, c.from, c.to, c.flags), c.expected)
            << Utf8(c.s) << " / " << Utf8(c.from) << " -> " << Utf8(c.to);
}

TEST(IsNumberTest, UnicodeNumberCategories) {
    for (const Char c : {u'0', u'9', u'\u0663', u'\u2167', u'\u00b2', u'\u00bd'})
        EXPECT_TRUE(IsNumber(c)) << int(c);
    for (const Char c : {u'a', u'-', u'.', u' ', u'\u00b5', u'\xD835', u'\0'})
        EXPECT_FALSE(IsNumber(c)) << int(c);
}

} // namespace

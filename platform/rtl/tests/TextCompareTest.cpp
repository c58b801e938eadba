#include "rtl/TextCompare.h"

#include "rtl/Encoding.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <vector>

namespace {

int Sign(Integer v) {
    return (v > 0) - (v < 0);
}

struct CompareCase {
    String a, b;
    int expected; // sign
};

TEST(CompareStrTest, OrdinalDifference) {
    EXPECT_EQ(CompareStr(u"abc", u"abd"), -1);
    EXPECT_EQ(CompareStr(u"b", u"a"), 1);
    EXPECT_EQ(CompareStr(u"ab", u"abcd"), -2); // a prefix: the length difference
    EXPECT_EQ(CompareStr(u"", u""), 0);
    EXPECT_LT(CompareStr(u"Z", u"a"), 0);               // code units, case counts
    EXPECT_LT(CompareStr(u"\U0001F600", u"\uFFFD"), 0); // code units: a surrogate is below U+FFFD
}

TEST(CompareTextTest, IgnoresOnlyAsciiCase) {
    const CompareCase cases[] = {
        {u"abc", u"ABC", 0},       {u"abc", u"ABD", -1}, {u"a", u"_", -1}, // 'A' < '_'
        {u"\u00e9", u"\u00c9", 1},                                         // é and É differ
        {u"ab", u"AB ", -1},       {u"", u"", 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Sign(CompareText(c.a, c.b)), c.expected) << Utf8(c.a) << " " << Utf8(c.b);
    EXPECT_TRUE(SameText(u"Datapath", u"DATAPATH"));
    EXPECT_FALSE(SameText(u"Stra\u00dfe", u"STRASSE"));
}

TEST(AnsiCompareTest, LinguisticOrderWithAndWithoutCase) {
    const CompareCase strCases[] = {
        {u"a", u"A", -1},           {u"A", u"b", -1}, {u"e", u"\u00e9", -1}, {u"\u00e9", u"f", -1},
        {u"\u00e9", u"e\u0301", 0}, // canonically equivalent
        {u"10", u"9", -1},          {u"9", u"a", -1}, {u"", u"a", -1},       {u"abc", u"abc", 0},
    };
    for (const auto& c : strCases) {
        EXPECT_EQ(AnsiCompareStr(c.a, c.b), c.expected) << Utf8(c.a) << " " << Utf8(c.b);
        EXPECT_EQ(AnsiCompareStr(c.b, c.a), -c.expected) << Utf8(c.b) << " " << Utf8(c.a);
    }
    const CompareCase textCases[] = {
        {u"a", u"A", 0},
        {u"\u00e9", u"\u00c9", 0},
        {u"e", u"\u00c9", -1},
        {u"Apfel", u"birne", -1},
    };
    for (const auto& c : textCases)
        EXPECT_EQ(AnsiCompareText(c.a, c.b), c.expected) << Utf8(c.a) << " " << Utf8(c.b);
    EXPECT_TRUE(AnsiSameText(u"\u00c4RGER", u"\u00e4rger"));
    EXPECT_FALSE(AnsiSameText(u"arger", u"\u00e4rger"));
    EXPECT_FALSE(AnsiSameStr(u"a", u"A"));
}

TEST(StrCmpLogicalWTest, DigitRunsByValueLettersWithoutCase) {
    const CompareCase cases[] = {
        {u"a2", u"a10", -1},    {u"a10", u"a10", 0},
        {u"A2", u"a2", 0},      {u"item2", u"item10", -1},
        {u"x01", u"x1", -1},    {u"x1", u"x01", 1},
        {u"x01b", u"x1a", 1}, // the letters decide before the zeros
        {u"x001", u"x01", -1},  {u"2", u"10", -1},
        {u"a", u"a1", -1},      {u"1", u"a", -1},
        {u"", u"", 0},          {u"", u"a", -1},
        {u"b1", u"a2", 1},      {u"file 99999999999999999999", u"file 100000000000000000000", -1},
        {u"v1.10", u"v1.9", 1}, {u"\u00e92", u"e10", 1}, // accents still count
    };
    for (const auto& c : cases) {
        EXPECT_EQ(winapi::StrCmpLogicalW(c.a, c.b), c.expected) << Utf8(c.a) << " " << Utf8(c.b);
        EXPECT_EQ(winapi::StrCmpLogicalW(c.b, c.a), -c.expected) << Utf8(c.b) << " " << Utf8(c.a);
    }
}

TEST(StrCmpLogicalWTest, IsAConsistentOrderForSorting) {
    // Texts that collate among the digits (Arabic-Indic three, superscript
    // two) must not make the order circular, or sorting would break.
    const String items[] = {u"9",       u"10",  u"\u0663", u"\u00b2", u"a", u"-",   u"x1",
                            u"x\u0663", u"x10", u"x09",    u"X9",     u"",  u"a 1", u"a\u00e91"};
    for (const String& a : items)
        for (const String& b : items) {
            const Integer ab = winapi::StrCmpLogicalW(a, b);
            EXPECT_EQ(ab, -winapi::StrCmpLogicalW(b, a)) << Utf8(a) << " " << Utf8(b);
            for (const String& c : items) {
                if (ab <= 0 && winapi::StrCmpLogicalW(b, c) <= 0) {
                    EXPECT_LE(winapi::StrCmpLogicalW(a, c), 0) << Utf8(a) << " " << Utf8(b) << " " << Utf8(c);
                }
            }
        }
}

TEST(StrCmpLogicalWTest, SortsFileNamesNaturally) {
    std::vector<String> names = {u"Run10.txt", u"run2.txt", u"Run1.txt", u"run02.txt", u"summary.out"};
    std::sort(names.begin(), names.end(),
              [](const String& a, const String& b) { return winapi::StrCmpLogicalW(a, b) < 0; });
    const std::vector<String> expected = {u"Run1.txt", u"run02.txt", u"run2.txt", u"Run10.txt",
                                          u"summary.out"};
    EXPECT_EQ(names, expected);
}

} // namespace

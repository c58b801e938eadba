#include "kel/RarEvads.h"
#include "rtl/DateTime.h"
#include "rtl/Exception.h"

#include <gtest/gtest.h>

namespace {

// Dates as "dd-mm-yyyy hh:nn" for the whole test, restored afterwards.
class RarEvadsFilter : public testing::Test {
protected:
    void SetUp() override {
        FSaved = FormatSettings;
        FormatSettings.ShortDateFormat = u"dd-mm-yyyy";
        FormatSettings.DateSeparator = u'-';
        FormatSettings.TimeSeparator = u':';
    }
    void TearDown() override { FormatSettings = FSaved; }

private:
    TFormatSettings FSaved;
};

TEST_F(RarEvadsFilter, MatchStrEx) {
    const struct {
        const Char* condition;
        const Char* value;
        bool matches;
    } cases[] = {
        {u">=10", u"10", true},
        {u">10", u"10", false},
        {u">5&<10", u"7", true},
        {u">5&<10", u"12", false},
        {u"<=1,000", u"999.5", true},
        {u"5*", u"512", true},
        {u"!5*", u"512", false},
        {u"!5*", u"612", true},
        {u"", u"", true},
        {u"", u"x", false},
        {u"*", u"", false},
        {u"*", u"x", true},
        {u">5", u"abc", true},
        {u"<5", u"abc", false},
        {u"= a?c ", u"ABC", true},
        {u"a*c", u"abxc", true},
        {u"a*c", u"abxd", false},
        {u"5", u"512", false},
        {u"x|y", u"y", true},
        {u"x;5*", u"55", true},
        {u"x^y", u"z", false},
        // Left to right without precedence: (x or y) and z.
        {u"x|y&z", u"x", false},
        {u"(x|y)&*", u"y", true},
        {u"(x|y)&z", u"y", false},
        {u"z&(x|y)", u"z", false},
        {u"(x|y", u"y", true},
        {u"\"a b\"", u"a b", true},
        {u">01-02-2024", u"15-03-2024", true},
        {u"<01-02-2024", u"15-03-2024", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TRarEvads::MatchStrEx(c.condition, c.value, false), c.matches)
            << Utf8(c.condition) << " against " << Utf8(c.value);
}

TEST_F(RarEvadsFilter, CaseSensitivity) {
    EXPECT_TRUE(TRarEvads::MatchStrEx(u"\u00E9t\u00E9*", u"\u00C9T\u00C9S", false));
    EXPECT_FALSE(TRarEvads::MatchStrEx(u"abc", u"ABC", true));
    EXPECT_TRUE(TRarEvads::MatchStrEx(u"ABC", u"ABC", true));
}

TEST_F(RarEvadsFilter, MatchesCombinesComparisonsItself) {
    EXPECT_TRUE(TRarEvads::Matches(u">5&<10", u"7"));
    EXPECT_FALSE(TRarEvads::Matches(u">5&<10", u"3"));
    EXPECT_TRUE(TRarEvads::Matches(u">10 ^ <5", u"3"));
    EXPECT_FALSE(TRarEvads::Matches(u">10 ^ <5", u"7"));
    EXPECT_TRUE(TRarEvads::Matches(u"a?", static_cast<const Char*>(u"ab")));
}

TEST_F(RarEvadsFilter, Parentheses) {
    EXPECT_EQ(TRarEvads::ClosingParenthesis(u"(a(b)c)d"), 7);
    EXPECT_EQ(TRarEvads::ClosingParenthesis(u"(a(b)c"), 0);
    EXPECT_EQ(TRarEvads::StripLogicSpaces(u"> 5 & \"a b\""), u">5&\"a b\"");
}

TEST_F(RarEvadsFilter, IsDate) {
    TDateTime date = 0;
    ASSERT_TRUE(TRarEvads::IsDate(u"31-12-2024 23:59", date));
    EXPECT_DOUBLE_EQ(date, EncodeDateTime(2024, 12, 31, 23, 59, 0, 0));
    ASSERT_TRUE(TRarEvads::IsDate(u"1-2-2024 7:05:09", date));
    EXPECT_DOUBLE_EQ(date, EncodeDateTime(2024, 2, 1, 7, 5, 9, 0));
    ASSERT_TRUE(TRarEvads::IsDate(u"01-02-2024", date));
    EXPECT_DOUBLE_EQ(date, EncodeDate(2024, 2, 1));

    for (const Char* refused :
         {u"31-02-2024", u"12-01-2024 10", u"32-01-2024", u"01-13-2024", u"01-01", u"aa-01-2024",
          u"01-01-2024 24:00", u"01-01-2024 10:60", u"01-01-2024 10:10:60", u"-1-01-2024"})
        EXPECT_FALSE(TRarEvads::IsDate(refused, date)) << Utf8(refused);

    TFormatSettings american;
    american.ShortDateFormat = u"M/d/yyyy";
    american.DateSeparator = u'/';
    ASSERT_TRUE(TRarEvads::IsDate(u"2/1/2024", date, american));
    EXPECT_DOUBLE_EQ(date, EncodeDate(2024, 2, 1));
}

TEST_F(RarEvadsFilter, DotConversionsIgnoreTheLocale) {
    FormatSettings.DecimalSeparator = u',';
    FormatSettings.ThousandSeparator = u'.';
    double value = 0;
    EXPECT_TRUE(TRarEvads::TryStrToFloatDot(u"1.5", value));
    EXPECT_EQ(value, 1.5);
    EXPECT_FALSE(TRarEvads::TryStrToFloatDot(u"1,5", value));
    EXPECT_EQ(TRarEvads::StrToFloatDot(u"-2.25E2"), -225);
    EXPECT_THROW(TRarEvads::StrToFloatDot(u"x"), EConvertError);
    EXPECT_EQ(TRarEvads::FloatToStrDot(0.1 + 0.2), u"0.3");
    EXPECT_EQ(FormatSettings.DecimalSeparator, u',');
}

TEST_F(RarEvadsFilter, FormatBytesAsString) {
    const struct {
        Extended size;
        const Char* text;
    } cases[] = {
        {-1, u""},
        {0, u"0 Bytes"},
        {1023, u"1023 Bytes"},
        {1536, u"1.50 KB"},
        {1024.0 * 1024 * 5.25, u"5.25 MB"},
        {1024.0 * 1024 * 1024 * 1024 * 2048, u"2048.00 TB"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TRarEvads::FormatBytesAsString(c.size), c.text) << c.size;
    FormatSettings.DecimalSeparator = u',';
    EXPECT_EQ(TRarEvads::FormatBytesAsString(1536), u"1,50 KB");
}

TEST_F(RarEvadsFilter, EpochToDateTime) {
    EXPECT_DOUBLE_EQ(TRarEvads::EpochToDateTime(u"0"), EncodeDate(1970, 1, 1));
    EXPECT_DOUBLE_EQ(TRarEvads::EpochToDateTime(u"86400"), EncodeDate(1970, 1, 2));
    EXPECT_DOUBLE_EQ(TRarEvads::EpochToDateTime(u"-3600"), EncodeDate(1970, 1, 1) - 1.0 / 24);
    EXPECT_THROW(TRarEvads::EpochToDateTime(u"soon"), EConvertError);
}

} // namespace

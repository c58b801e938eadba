#include "rtl/Convert.h"

#include "rtl/Encoding.h"
#include "rtl/Exception.h"
#include "rtltesting/ExceptionMessage.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

TEST(IntToStr, DecimalAndHexadecimal) {
    EXPECT_EQ(IntToStr(0), u"0");
    EXPECT_EQ(IntToStr(-5), u"-5");
    EXPECT_EQ(IntToStr(std::numeric_limits<Int64>::min()), u"-9223372036854775808");
    EXPECT_EQ(UIntToStr(std::numeric_limits<UInt64>::max()), u"18446744073709551615");
    EXPECT_EQ(IntToHex(255, 4), u"00FF");
    EXPECT_EQ(IntToHex(0), u"0");
    EXPECT_EQ(IntToHex(-1), u"FFFFFFFF"); // an Integer keeps its 32 bits
    EXPECT_EQ(IntToHex(Int64(-1), 2), u"FFFFFFFFFFFFFFFF");
    EXPECT_EQ(IntToHex(0x123456u, 6), u"123456");
}

TEST(StrToInt, StrictReadingAcceptsOnlyAWholeInteger) {
    struct Case {
        const char16_t* Text;
        bool Valid;
        Integer Value;
    };
    const Case cases[] = {
        {u"42", true, 42},
        {u"  42", true, 42},
        {u"-42", true, -42},
        {u"+7", true, 7},
        {u"$FF", true, 255},
        {u"0x1a", true, 26},
        {u"-$10", true, -16},
        {u"$FFFFFFFF", true, -1},
        {u"2147483647", true, 2147483647},
        {u"-2147483648", true, -2147483647 - 1},
        {u"", false, 0},
        {u" ", false, 0},
        {u"42 ", false, 0},
        {u"4 2", false, 0},
        {u"2147483648", false, 0},
        {u"$100000000", false, 0},
        {u"abc", false, 0},
        {u"-", false, 0},
        {u"$", false, 0},
        {u"1.0", false, 0},
        {u"1e3", false, 0},
        {u"\u0663", false, 0},
    };
    for (const auto& c : cases) {
        Integer value = 99;
        EXPECT_EQ(TryStrToInt(c.Text, value), c.Valid) << Utf8(c.Text);
        EXPECT_EQ(value, c.Valid ? c.Value : 99) << Utf8(c.Text); // untouched on failure
        EXPECT_EQ(StrToIntDef(c.Text, -7), c.Valid ? c.Value : -7) << Utf8(c.Text);
    }
    EXPECT_EQ(StrToInt(u"12"), 12);
    EXPECT_EQ(MessageOf<EConvertError>([] { StrToInt(u"12a"); }), u"'12a' is not a valid integer value");
    EXPECT_EQ(MessageOf<EConvertError>([] { StrToInt(u""); }), u"'' is not a valid integer value");
}

TEST(StrToInt64, FullRangeAndOverflow) {
    EXPECT_EQ(StrToInt64(u"9223372036854775807"), std::numeric_limits<Int64>::max());
    EXPECT_EQ(StrToInt64(u"-9223372036854775808"), std::numeric_limits<Int64>::min());
    EXPECT_EQ(StrToInt64(u"$FFFFFFFFFFFFFFFF"), -1);
    EXPECT_EQ(StrToInt64Def(u"9223372036854775808", 5), 5);
    EXPECT_EQ(MessageOf<EConvertError>([] { StrToInt64(u"x"); }), u"'x' is not a valid integer value");
    Int64 value = 0;
    EXPECT_TRUE(TryStrToInt64(u"4294967296", value));
    EXPECT_EQ(value, 4294967296LL);
}

TEST(Val, LenientReadingStopsAtTheFirstCharacterThatDoesNotFit) {
    struct Case {
        const char16_t* Text;
        Integer Value;
        Integer Code;
    };
    const Case cases[] = {
        {u"123", 123, 0},
        {u"  12ab", 12, 5},
        {u"", 0, 1},
        {u"abc", 0, 1},
        {u"-", 0, 2},
        {u"-8,3", -8, 3},
        {u"$1G", 1, 3},
        {u"0x", 0, 3},
        {u"99 ", 99, 3},
        {u"7,120", 7, 2},
        {u"2147483648", 214748364, 10},
    };
    for (const auto& c : cases) {
        Integer value = -1, code = -1;
        Val(c.Text, value, code);
        EXPECT_EQ(value, c.Value) << Utf8(c.Text);
        EXPECT_EQ(code, c.Code) << Utf8(c.Text);
    }
}

TEST(Val, FloatingPointWithAPointWhateverTheSettings) {
    struct Case {
        const char16_t* Text;
        double Value;
        Integer Code;
    };
    const Case cases[] = {
        {u"3.25", 3.25, 0}, {u" -1.5e3x", -1500, 8}, {u".5", 0.5, 0},
        {u"1,5", 1, 2},     {u"1e", 1, 2},           {u"x", 0, 1},
    };
    for (const auto& c : cases) {
        double value = -1;
        Integer code = -1;
        Val(c.Text, value, code);
        EXPECT_EQ(value, c.Value) << Utf8(c.Text);
        EXPECT_EQ(code, c.Code) << Utf8(c.Text);
    }
}

TEST(StrToFloat, StrictTryAndDefaultForms) {
    struct Case {
        const char16_t* Text;
        bool Valid;
        double Value;
    };
    const Case cases[] = {
        {u"1.5", true, 1.5},     {u" -2.5e-3 ", true, -0.0025},
        {u"+4", true, 4},        {u"5.", true, 5},
        {u".25", true, 0.25},    {u"1E+2", true, 100},
        {u"1e308", true, 1e308}, {u"1e-400", true, 0},
        {u"1e400", false, 0},    {u"1,000", false, 0},
        {u"", false, 0},         {u".", false, 0},
        {u"1.5.2", false, 0},    {u"1e", false, 0},
        {u"e5", false, 0},       {u"inf", false, 0},
        {u"nan", false, 0},      {u"0x10", false, 0},
        {u"- 1", false, 0},
    };
    for (const auto& c : cases) {
        double value = 99;
        EXPECT_EQ(TryStrToFloat(c.Text, value), c.Valid) << Utf8(c.Text);
        EXPECT_EQ(value, c.Valid ? c.Value : 99) << Utf8(c.Text);
        EXPECT_EQ(StrToFloatDef(c.Text, -7), c.Valid ? c.Value : -7) << Utf8(c.Text);
    }
    EXPECT_EQ(MessageOf<EConvertError>([] { StrToFloat(u"abc"); }),
              u"'abc' is not a valid floating point value");
}

TEST(StrToFloat, DecimalSeparatorComesFromTheSettings) {
    TFormatSettings comma = TFormatSettings::Create();
    comma.DecimalSeparator = u',';
    EXPECT_EQ(StrToFloat(u"1,5", comma), 1.5);
    EXPECT_EQ(MessageOf<EConvertError>([&] { StrToFloat(u"1.5", comma); }),
              u"'1.5' is not a valid floating point value");
    EXPECT_EQ(StrToFloat(u"1.5"), 1.5); // the process-wide settings
}

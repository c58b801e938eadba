#include "rtl/Format.h"

#include "rtl/Encoding.h"
#include "rtl/Exception.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <vector>

namespace {

struct FormatCase {
    const char16_t* Format;
    std::vector<TVarRec> Args;
    const char16_t* Expected;
};

void ExpectFormats(const std::vector<FormatCase>& cases, const TFormatSettings& settings) {
    for (const auto& c : cases)
        EXPECT_EQ(Utf8(Format(c.Format, c.Args, settings)), Utf8(c.Expected)) << Utf8(c.Format);
}

std::string FormatError(std::u16string_view format, std::initializer_list<TVarRec> args) {
    try {
        Format(format, args);
    } catch (const EConvertError& e) {
        return Utf8(e.Message());
    }
    return "no error";
}

} // namespace

TEST(Format, IntegersTextAndLayout) {
    const Int64 int64Min = std::numeric_limits<Int64>::min();
    ExpectFormats(
        {
            {u"%d", {42}, u"42"},
            {u"[%5d]", {42}, u"[   42]"},
            {u"[%-5d]", {42}, u"[42   ]"},
            {u"[%2d]", {12345}, u"[12345]"}, // a width never cuts
            {u"%.4d", {-42}, u"-0042"},
            {u"%d", {int64Min}, u"-9223372036854775808"},
            {u"%d", {4000000000u}, u"4000000000"},
            {u"%u", {-1}, u"4294967295"},
            {u"%x", {255}, u"FF"},
            {u"%.4x", {255}, u"00FF"},
            {u"%x", {-1}, u"FFFFFFFF"},
            {u"%x", {Int64(-1)}, u"FFFFFFFFFFFFFFFF"},
            {u"%s", {u"abc"}, u"abc"},
            {u"[%5s]", {String(u"abc")}, u"[  abc]"},
            {u"[%-5s]", {u"abc"}, u"[abc  ]"},
            {u"%.2s", {u"abc"}, u"ab"},
            {u"%s%s", {u'x', true}, u"xTrue"},
            {u"100%%", {}, u"100%"},
            {u"%1:s %0:s %s", {u"a", u"b"}, u"b a b"},
            {u"[%*d]", {4, 7}, u"[   7]"},
            {u"[%-*.*f]", {8, 1, 3.14159}, u"[3.1     ]"},
            {u"%D %S", {1, u"s"}, u"1 s"},
        },
        FormatSettings);
}

TEST(Format, FloatConversions) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    ExpectFormats(
        {
            {u"%f", {3.14159}, u"3.14"},   // no precision: two decimals
            {u"%.3f", {2.0005}, u"2.001"}, // halves away from zero
            {u"%.0f", {2.5}, u"3"},
            {u"%.0f", {-2.5}, u"-3"},
            {u"%.2f", {-0.001}, u"0.00"}, // no negative zero
            {u"%.2f", {1e17}, u"100000000000000000.00"},
            {u"[%14.3f]", {12.3456}, u"[        12.346]"},
            {u"[%-9.2f]", {0.4}, u"[0.40     ]"},
            {u"[%-9f]", {100.0}, u"[100.00   ]"},
            {u"[%-9.1e]", {0.45}, u"[5E-001   ]"},
            {u"[%-9.1e]", {1234.0}, u"[1E+003   ]"},
            {u"%.3e", {1234.5}, u"1.23E+003"},
            {u"%.2e", {-0.000123}, u"-1.2E-004"},
            {u"%.1e", {0.0}, u"0E+000"},
            {u"%e", {1.0}, u"1.00000000000000E+000"},
            {u"%.2e", {9.996e9}, u"1.0E+010"}, // rounding carries into the exponent
            {u"%n", {1234567.891}, u"1,234,567.89"},
            {u"%.0n", {999.5}, u"1,000"},
            {u"%.1n", {-12.25}, u"-12.3"},
            {u"%g", {220.0}, u"220"},
            {u"%g", {0.1}, u"0.1"},
            {u"%g", {1e20}, u"1E020"},
            {u"%.3g", {1234.5}, u"1.23E003"},
            {u"%m", {1234.5}, u"$1,234.50"},
            {u"%m", {-1234.5}, u"($1,234.50)"},
            {u"%f|%e", {nan, -inf}, u"NAN|-INF"},
            {u"[%6.2f]", {inf}, u"[   INF]"},
            {u"%.2f", {2.5f}, u"2.50"},
        },
        FormatSettings);
}

TEST(Format, SeparatorsComeFromTheSettings) {
    TFormatSettings german = TFormatSettings::Create();
    german.DecimalSeparator = u',';
    german.ThousandSeparator = u'.';
    german.CurrencyString = u"EUR";
    german.CurrencyFormat = 3;
    german.NegCurrFormat = 8;
    ExpectFormats(
        {
            {u"%.2f", {3.14159}, u"3,14"},
            {u"%n", {1234.5}, u"1.234,50"},
            {u"%.1e", {0.45}, u"5E-001"},
            {u"%.2e", {0.45}, u"4,5E-001"},
            {u"%m|%m", {1234.5, -2.0}, u"1.234,50 EUR|-2,00 EUR"},
        },
        german);
}

TEST(Format, EngineFileLinesKeepTheirColumns) {
    EXPECT_EQ(Format(u"%14.3f %20s %3d  %10s   %-29s %-29s %4s",
                     {0.12345, u"01-05-2003", 2, u"7", u"Maize", u"maize", u"YES"}),
              u"         0.123           01-05-2003   2           7   Maize                         "
              u"maize                          YES");
    EXPECT_EQ(Format(u"    %-29s %2d %35.3f %31s", {u"pot", 1, 0.75, u"15-may"}).size(),
              4u + 29 + 1 + 2 + 1 + 35 + 1 + 31);
    EXPECT_EQ(Format(u"  %-24s %-9.1f %-9.1e %-9f", {u"Sub_A", 293.0, 0.45, 100.0}),
              u"  Sub_A                    293.0     5E-001    100.00   ");
}

TEST(Format, BadSpecifiersAndArgumentsRaiseConvertErrors) {
    EXPECT_EQ(FormatError(u"%d", {u"x"}), "Format '%d' invalid or incompatible with argument");
    EXPECT_EQ(FormatError(u"%f", {3}), "Format '%f' invalid or incompatible with argument");
    EXPECT_EQ(FormatError(u"%s", {1.5}), "Format '%s' invalid or incompatible with argument");
    EXPECT_EQ(FormatError(u"%q", {1}), "Format '%q' invalid or incompatible with argument");
    EXPECT_EQ(FormatError(u"abc%", {}), "Format 'abc%' invalid or incompatible with argument");
    EXPECT_EQ(FormatError(u"%.d", {1}), "Format '%.d' invalid or incompatible with argument");
    EXPECT_EQ(FormatError(u"%d %d", {1}), "No argument for format '%d %d'");
    EXPECT_EQ(FormatError(u"%*d", {}), "No argument for format '%*d'");
}

TEST(Format, PointerIsWrittenAsFullWidthHexadecimal) {
    const void* p = reinterpret_cast<const void*>(0xABCDEFull);
    EXPECT_EQ(Format(u"%p", {p}), u"0000000000ABCDEF");
}

TEST(Format, ExceptionsBuildTheirMessageWithFormat) {
    const EConvertError e(u"'%s' is not a valid date (%d)", {u"31-02-2024", 3});
    EXPECT_EQ(e.Message(), u"'31-02-2024' is not a valid date (3)");
    EXPECT_STREQ(e.what(), "'31-02-2024' is not a valid date (3)");
}

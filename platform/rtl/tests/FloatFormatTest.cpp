#include "rtl/Encoding.h"
#include "rtl/Format.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

TEST(FloatToStr, FifteenSignificantDigitsInTheShorterForm) {
    struct Case {
        double Value;
        const char* Expected;
    };
    const Case cases[] = {
        {0.1 + 0.2, "0.3"},
        {2.0 / 3.0, "0.666666666666667"},
        {100, "100"},
        {-1.5, "-1.5"},
        {0, "0"},
        {-0.0, "0"},
        {123456789012345.0, "123456789012345"},
        {1e15, "1E15"},
        {1e-5, "0.00001"},
        {1e-6, "1E-6"},
        {1.5e-7, "1.5E-7"},
        {-2.5e300, "-2.5E300"},
        {std::numeric_limits<double>::max(), "1.79769313486232E308"},
        {std::numeric_limits<double>::quiet_NaN(), "NAN"},
        {-std::numeric_limits<double>::infinity(), "-INF"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Utf8(FloatToStr(c.Value)), c.Expected) << c.Value;

    TFormatSettings comma = TFormatSettings::Create();
    comma.DecimalSeparator = u',';
    EXPECT_EQ(FloatToStr(1.5, comma), u"1,5");
}

TEST(FloatToStrF, EachFormatWithPrecisionAndDigits) {
    struct Case {
        double Value;
        TFloatFormat Format;
        int Precision, Digits;
        const char* Expected;
    };
    const Case cases[] = {
        {1234.5678, ffFixed, 15, 2, "1234.57"},
        {-0.5, ffFixed, 15, 0, "-1"},
        {1234.5678, ffNumber, 15, 2, "1,234.57"},
        {1234567, ffNumber, 15, 0, "1,234,567"},
        {1234.5678, ffExponent, 4, 2, "1.235E+03"},
        {0.000123, ffExponent, 1, 3, "1E-004"},
        {1234.5678, ffGeneral, 4, 0, "1235"},
        {1234.5678, ffGeneral, 3, 0, "1.23E3"},
        {1234.5678, ffGeneral, 3, 2, "1.23E03"},
        {1234.5, ffCurrency, 15, 2, "$1,234.50"},
        {1e20, ffFixed, 15, 2, "1E20"}, // more integer digits than the precision
        {123456.7, ffFixed, 4, 2, "1.235E5"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Utf8(FloatToStrF(c.Value, c.Format, c.Precision, c.Digits)), c.Expected) << c.Value;
}

TEST(FormatFloat, PicturesSectionsAndLiterals) {
    struct Case {
        const char16_t* Format;
        double Value;
        const char16_t* Expected;
    };
    const Case cases[] = {
        {u"0.00", 3.14159, u"3.14"},
        {u"0.00", -2, u"-2.00"},   // one section keeps the sign
        {u"0.00", 2.675, u"2.68"}, // halves away from zero on the shortest digits
        {u"#,##0.00", 1234567.891, u"1,234,567.89"},
        {u"#,##0", 999.7, u"1,000"},
        {u"#,##0", 12, u"12"},
        {u"0.00;(0.00)", -2, u"(2.00)"},
        {u"0.00;(0.00)", 2, u"2.00"},
        {u"0.00;(0.00);\"zero\"", 0, u"zero"},
        {u"0.00;(0.00);\"zero\"", -0.001, u"zero"}, // shows as zero: the zero section
        {u"0.00;;\"zero\"", -1.5, u"-1.50"},        // empty negative section: the first
        {u"0.0;(0.0)", -0.01, u"0.0"},
        {u"#.##", 0.5, u".5"},
        {u"0.##", 1, u"1"},
        {u"0.0#", 1.5, u"1.5"},
        {u"0.0#", 1.256, u"1.26"},
        {u"000", 7, u"007"},
        {u"0", 1e20, u"100000000000000000000"},
        {u".00", 12.5, u"12.50"},
        {u"00-00", 1234, u"12-34"},
        {u"0.00E+00", 1234.5, u"1.23E+03"},
        {u"0.0E-0", 0.00012, u"1.2E-4"},
        {u"0.0E-0", 12000, u"1.2E4"},
        {u"0.00E+00", 0, u"0.00E+00"},
        {u"0E+##########", 1, u"1E+0"}, // "#" places of the exponent show no zeros
        {u"0.0E+#0", 12345, u"1.2E+4"},
        {u"0E+0 \"x\"0#", 5, u"5E+0 x0#"}, // after the exponent only text
        {u"'Value: '0.0", 2.25, u"Value: 2.3"},
        {u"0.0 \"kg;g\"", 5, u"5.0 kg;g"},
        {u"", 1.5, u"1.5"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Utf8(FormatFloat(c.Format, c.Value)), Utf8(c.Expected)) << Utf8(c.Format);
}

TEST(FormatFloat, SeparatorsComeFromTheSettings) {
    TFormatSettings german = TFormatSettings::Create();
    german.DecimalSeparator = u',';
    german.ThousandSeparator = u'.';
    EXPECT_EQ(FormatFloat(u"#,##0.00", 1234.5, german), u"1.234,50");
}

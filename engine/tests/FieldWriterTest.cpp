#include "engine/FieldWriter.h"

#include <gtest/gtest.h>
#include <limits>

namespace tesvorik {
namespace {

TEST(FixedField, RoundsAlignsAndOverflowsToAsterisks) {
    struct Case {
        float value;
        int width;
        int decimals;
        const char* expected;
    };
    const Case cases[] = {
        {0.4f, 4, 2, "0.40"}, // the leading zero fits
        {0.4f, 3, 2, ".40"},  // and is left out when it does not
        {291.3f, 5, 1, "291.3"},
        {1000.0f, 5, 1, "*****"}, // molar mass of 1000 in F5.1
        {12.5f, 8, 1, "    12.5"},
        {1.234f, 12, 3, "       1.234"},
        {0.0039567f, 8, 6, "0.003957"},
        {10.0f, 8, 6, "********"}, // a use factor of 10 or more
        {-0.01f, 5, 2, "-0.01"},
        {-0.5f, 4, 2, "-.50"},
        {273.0f, 8, 1, "   273.0"},
        {10000001.0f, 12, 1, "  10000001.0"},
        {std::numeric_limits<float>::infinity(), 12, 3, "************"},
        {std::numeric_limits<float>::quiet_NaN(), 12, 3, "************"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FixedField(c.value, c.width, c.decimals), c.expected)
            << c.value << " F" << c.width << "." << c.decimals;
}

TEST(ExponentField, WritesTwoMantissaDigitsAndTwoExponentDigits) {
    struct Case {
        float value;
        const char* expected;
    };
    const Case cases[] = {
        {1234.5f, ".12E+04"},
        {0.000001f, ".10E-05"},
        {9999.6f, ".10E+05"}, // the mantissa rounds over into the next power of ten
        {0.1f, ".10E+00"},
        {0.0f, ".00E+00"},
        {65400.0f, ".65E+05"},
        {-1.0f, "*******"}, // no room for a sign
        {1e30f, ".10E+31"},
        {std::numeric_limits<float>::max(), ".34E+39"},
        {std::numeric_limits<float>::infinity(), "*******"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ExponentField(c.value), c.expected) << c.value;
}

TEST(ZeroPaddedField, PadsWithZerosToTheExactWidth) {
    EXPECT_EQ(ZeroPaddedField(5, 2), "05");
    EXPECT_EQ(ZeroPaddedField(12, 2), "12");
    EXPECT_EQ(ZeroPaddedField(0, 2), "00");
    EXPECT_EQ(ZeroPaddedField(2024, 4), "2024");
    EXPECT_EQ(ZeroPaddedField(987, 4), "0987");
    EXPECT_EQ(ZeroPaddedField(123, 2), "**");
    EXPECT_EQ(ZeroPaddedField(-1, 2), "**");
}

TEST(NarrowestThreeDecimalField, TakesTheNarrowestFieldThatHoldsTheValue) {
    struct Case {
        float value;
        const char* expected;
    };
    const Case cases[] = {
        {0.5f, "0.500"},
        {10.0f, "10.000"},
        {9.9996f, "10.000"}, // rounds up out of F5.3
        {99.5f, "99.500"},
        {123.25f, "123.250"},
        {4321.5f, "4321.500"},
        {54321.5f, "54321.500"},
        {654321.5f, "654321.500"},
        {1000000.0f, "**********"},
        {std::numeric_limits<float>::quiet_NaN(), "**********"},
        {std::numeric_limits<float>::infinity(), "**********"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(NarrowestThreeDecimalField(c.value), c.expected) << c.value;
}

} // namespace
} // namespace tesvorik

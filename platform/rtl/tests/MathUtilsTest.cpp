#include "rtl/MathUtils.h"

#include "rtl/Encoding.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

TEST(Rounding, RoundHalvesToEvenTruncTowardZero) {
    struct Case {
        double Value;
        Int64 Rounded, Truncated;
    };
    const Case cases[] = {
        {2.5, 2, 2},
        {3.5, 4, 3},
        {-2.5, -2, -2},
        {-3.5, -4, -3},
        {2.4999, 2, 2},
        {-0.6, -1, 0},
        {1e15 + 0.5, 1000000000000000, 1000000000000000},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Round(c.Value), c.Rounded) << c.Value;
        EXPECT_EQ(Trunc(c.Value), c.Truncated) << c.Value;
    }
    EXPECT_DOUBLE_EQ(Frac(2.75), 0.75);
    EXPECT_DOUBLE_EQ(Frac(-2.75), -0.75);
}

TEST(Rounding, ValuesWithoutAnIntegerRaiseInvalidOp) {
    for (const double v :
         {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(), 1e19}) {
        try {
            Round(v);
            ADD_FAILURE() << v;
        } catch (const EInvalidOp& e) {
            EXPECT_EQ(e.Message(), u"Invalid floating point operation");
        }
        EXPECT_THROW(Trunc(v), EInvalidOp);
    }
}

TEST(MulDiv, HalvesAwayFromZeroAndMinusOneOnFailure) {
    struct Case {
        Integer Number, Numerator, Denominator, Expected;
    };
    const Case cases[] = {
        {5, 1, 2, 3},  {-5, 1, 2, -3},         {5, -1, 2, -3},     {-5, -1, -2, -3},
        {7, 1, 3, 2},  {8, 1, 3, 3},           {100, 96, 96, 100}, {2000000000, 2, 4, 1000000000},
        {5, 1, 0, -1}, {2000000000, 4, 2, -1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MulDiv(c.Number, c.Numerator, c.Denominator), c.Expected)
            << c.Number << "*" << c.Numerator << "/" << c.Denominator;
}

TEST(SameValue, RelativeToleranceByDefault) {
    EXPECT_TRUE(SameValue(0.1 + 0.2, 0.3));
    EXPECT_TRUE(SameValue(1e6, 1e6 + 1e-7));
    EXPECT_FALSE(SameValue(1.0, 1.0001));
    EXPECT_TRUE(SameValue(1.0, 1.0001, 0.001));
    EXPECT_EQ(Min(3, 4), 3);
    EXPECT_EQ(Max(3.5, -1.0), 3.5);
}

TEST(Extended80, KnownBytesAndRoundTrips) {
    EXPECT_EQ(DoubleToExtended(1.0), (TExtended80{0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x3F}));
    EXPECT_EQ(DoubleToExtended(-2.5), (TExtended80{0, 0, 0, 0, 0, 0, 0, 0xA0, 0x00, 0xC0}));
    EXPECT_EQ(DoubleToExtended(0.0), TExtended80{});
    EXPECT_EQ(ExtendedToDouble(TExtended80{0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x3F}), 1.0);
    // pi to 64 bits rounds to the nearest double.
    EXPECT_EQ(ExtendedToDouble(TExtended80{0x35, 0xC2, 0x68, 0x21, 0xA2, 0xDA, 0x0F, 0xC9, 0x00, 0x40}),
              M_PI);
    for (const double v :
         {0.1, -123456.789, 1e-310, std::numeric_limits<double>::max(),
          std::numeric_limits<double>::denorm_min(), -std::numeric_limits<double>::infinity()})
        EXPECT_EQ(ExtendedToDouble(DoubleToExtended(v)), v) << v;
    EXPECT_TRUE(std::isnan(ExtendedToDouble(DoubleToExtended(std::nan("")))));
    // Beyond the range of a double.
    EXPECT_EQ(ExtendedToDouble(TExtended80{0, 0, 0, 0, 0, 0, 0, 0x80, 0x00, 0x7F}),
              std::numeric_limits<double>::infinity());
    EXPECT_EQ(ExtendedToDouble(TExtended80{0, 0, 0, 0, 0, 0, 0, 0x80, 0x01, 0x00}), 0.0);
}

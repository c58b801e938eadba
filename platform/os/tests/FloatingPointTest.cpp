#include "os/FloatingPoint.h"

#include <cmath>
#include <fenv.h>
#include <gtest/gtest.h>
#include <limits>

TEST(FloatingPoint, MaskedArithmeticYieldsInfinitiesAndNaN) {
    feenableexcept(FE_DIVBYZERO | FE_INVALID | FE_OVERFLOW);
    EXPECT_FALSE(os::FloatingPointExceptionsMasked());
    os::MaskFloatingPointExceptions();
    EXPECT_TRUE(os::FloatingPointExceptionsMasked());
    volatile double zero = 0.0, big = std::numeric_limits<double>::max();
    EXPECT_TRUE(std::isinf(1.0 / zero));
    EXPECT_TRUE(std::isnan(zero / zero));
    EXPECT_TRUE(std::isinf(big * 2));
}

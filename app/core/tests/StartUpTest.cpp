#include "core/StartUp.h"

#include "rtl/DateTime.h"
#include "rtl/Format.h"
#include "rtl/FormatSettings.h"

#include <cfenv>
#include <cmath>
#include <gtest/gtest.h>

TEST(StartUp, FormatSettingsForNumbersDatesAndTimes) {
    const TFormatSettings saved = FormatSettings;
    FormatSettings.DecimalSeparator = u',';
    FormatSettings.ThousandSeparator = u'.';
    SetupFormatSettings();
    EXPECT_EQ(FloatToStr(1234.5), u"1234.5");
    EXPECT_EQ(Format(u"%.1n", {1234.5}), u"1,234.5");
    const TDateTime moment = EncodeDateTime(2001, 2, 3, 13, 5, 9, 0);
    EXPECT_EQ(DateToStr(moment), u"03-02-2001");
    EXPECT_EQ(TimeToStr(moment), u"13:05:09");
    EXPECT_EQ(FormatDateTime(u"t", moment), u"13:05");
    EXPECT_EQ(FormatDateTime(u"dd-mmm-yyyy", moment), u"03-Feb-2001");
    FormatSettings = saved;
}

TEST(StartUp, MaskedFloatingPointGivesInfinityAndNaN) {
    feenableexcept(FE_DIVBYZERO | FE_INVALID | FE_OVERFLOW);
    MaskFloatingPointExceptions();
    volatile double zero = 0.0, big = 1e308;
    EXPECT_TRUE(std::isinf(1.0 / zero));
    EXPECT_TRUE(std::isnan(zero / zero));
    EXPECT_TRUE(std::isinf(big * 10.0));
    EXPECT_EQ(fegetexcept(), 0);
}

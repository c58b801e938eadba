#include "RarEvadTestSupport.h"
#include "gridbase/RarEvad.h"
#include "rtl/DateTime.h"
#include "rtl/Encoding.h"
#include "rtltesting/ExceptionMessage.h"

namespace {

using RarEvadDates = LocaleTest;

TEST_F(RarEvadDates, TryParseLocaleDateTime) {
    UseDates(u"dd/MM/yyyy", u'/');
    const struct {
        const Char* text;
        bool ok;
        TDateTime expected;
    } cases[] = {
        {u"31/12/2024 23:59", true, EncodeDateTime(2024, 12, 31, 23, 59, 0, 0)},
        {u"31/12/2024 23:59:30", true, EncodeDateTime(2024, 12, 31, 23, 59, 30, 0)},
        {u"1/2/2024", true, EncodeDate(2024, 2, 1)},
        {u"31/12/2024 24:00", false, 0},
        {u"31/12/2024 23:60", false, 0},
        {u"30/02/2024", false, 0},
        {u"01/02/2024 x", false, 0},
        {u"01/13/2024", false, 0},
        {u"01-02-2024", false, 0},
    };
    for (const auto& c : cases) {
        TDateTime value = 0;
        EXPECT_EQ(TryParseLocaleDateTime(c.text, value), c.ok) << Utf8(c.text);
        if (c.ok) {
            EXPECT_DOUBLE_EQ(value, c.expected) << Utf8(c.text);
        }
    }
    UseDates(u"yyyy-MM-dd", u'-');
    TDateTime value = 0;
    ASSERT_TRUE(TryParseLocaleDateTime(u"2024-02-01", value));
    EXPECT_DOUBLE_EQ(value, EncodeDate(2024, 2, 1));
}

TEST_F(RarEvadDates, ParseDateDMYAndMDY) {
    const struct {
        const Char* text;
        TDateTime dmy;
        TDateTime mdy;
    } cases[] = {
        {u"1.2.25", EncodeDate(2025, 2, 1), EncodeDate(2025, 1, 2)},
        {u"1.2.26", EncodeDate(1926, 2, 1), EncodeDate(1926, 1, 2)},
        {u"3/4/2020", EncodeDate(2020, 4, 3), EncodeDate(2020, 3, 4)},
        {u"3-4-99", EncodeDate(1999, 4, 3), EncodeDate(1999, 3, 4)},
        {u"3/4", 0.0, 0.0},
        {u"3 4 2020", 0.0, 0.0},
        {u"a/4/2020", 0.0, 0.0},
    };
    for (const auto& c : cases) {
        EXPECT_DOUBLE_EQ(ParseDateDMY(c.text), c.dmy) << Utf8(c.text);
        EXPECT_DOUBLE_EQ(ParseDateMDY(c.text), c.mdy) << Utf8(c.text);
    }
    EXPECT_EQ(MessageOf<EConvertError>([] { ParseDateDMY(u"31/2/2020"); }),
              u"Invalid argument to date encode");
    EXPECT_EQ(MessageOf<EConvertError>([] { ParseDateMDY(u"13/1/2020"); }),
              u"Invalid argument to date encode");
}

TEST_F(RarEvadDates, HasTwoDateSeparators) {
    EXPECT_TRUE(HasTwoDateSeparators(u"1/2/3"));
    EXPECT_FALSE(HasTwoDateSeparators(u"/1/2"));
    EXPECT_FALSE(HasTwoDateSeparators(u"1//2"));
    EXPECT_FALSE(HasTwoDateSeparators(u"1/2"));
}

TEST_F(RarEvadDates, ShiftDate) {
    const TDateTime day = EncodeDate(2024, 1, 31) + 0.5;
    const struct {
        SmallInt years, months, days;
        TDateTime expected;
    } cases[] = {
        {0, 0, 3, day + 3},
        {1, 0, 0, EncodeDate(2025, 1, 31)},
        {0, 1, 0, EncodeDate(2024, 2, 29)}, // the day clamped to the shorter month
        {0, -1, 0, EncodeDate(2023, 12, 31)},
        {0, 13, 0, EncodeDate(2025, 2, 28)},
        {0, -25, 0, EncodeDate(2021, 12, 31)},
        {0, 0, 0, day + 7},
        {1, 1, 0, day + 7},
        {0, 1, 1, day + 7},
    };
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(ShiftDate(c.years, c.months, c.days, day, 7), c.expected)
            << c.years << " " << c.months << " " << c.days;
    EXPECT_DOUBLE_EQ(ShiftDate(1, 0, 0, EncodeDate(2024, 2, 29), 0), EncodeDate(2025, 2, 28));
}

} // namespace

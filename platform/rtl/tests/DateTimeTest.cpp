#include "rtl/DateTime.h"

#include "rtl/Encoding.h"
#include "rtl/Exception.h"
#include "rtltesting/ExceptionMessage.h"

#include <cmath>
#include <gtest/gtest.h>

namespace {

// The desktop program's settings as set at its start.
TFormatSettings ProgramSettings() {
    TFormatSettings s = TFormatSettings::Create();
    s.DateSeparator = u'-';
    s.ShortDateFormat = u"dd-mm-yyyy";
    s.DecimalSeparator = u'.';
    s.ThousandSeparator = u',';
    s.TimeSeparator = u':';
    s.LongTimeFormat = u"HH:mm:ss";
    s.ShortTimeFormat = u"HH:mm";
    return s;
}

Word CurrentYear() {
    Word y, m, d;
    DecodeDate(Date(), y, m, d);
    return y;
}

} // namespace

TEST(Calendar, LeapYearsAndMonthLengths) {
    EXPECT_TRUE(IsLeapYear(2000));
    EXPECT_FALSE(IsLeapYear(1900));
    EXPECT_TRUE(IsLeapYear(2024));
    EXPECT_FALSE(IsLeapYear(2023));
    EXPECT_EQ(DaysInAMonth(2024, 2), 29);
    EXPECT_EQ(DaysInAMonth(2023, 2), 28);
    EXPECT_EQ(DaysInAMonth(2023, 4), 30);
    EXPECT_EQ(DaysInAMonth(2023, 13), 0);
}

TEST(Calendar, EncodeDateCountsDaysFrom1899_12_30) {
    struct Case {
        Word Y, M, D;
        bool Valid;
        double Value;
    };
    const Case cases[] = {
        {1899, 12, 30, true, 0},    {1900, 1, 1, true, 2},         {1899, 12, 29, true, -1},
        {2000, 2, 29, true, 36585}, {9999, 12, 31, true, 2958465}, {1, 1, 1, true, -693593},
        {1900, 2, 29, false, 0},    {2001, 2, 29, false, 0},       {2024, 4, 31, false, 0},
        {0, 1, 1, false, 0},        {2024, 0, 1, false, 0},        {2024, 1, 0, false, 0},
    };
    for (const auto& c : cases) {
        TDateTime value = 123;
        EXPECT_EQ(TryEncodeDate(c.Y, c.M, c.D, value), c.Valid) << c.Y << "-" << c.M << "-" << c.D;
        EXPECT_EQ(value, c.Valid ? c.Value : 123);
    }
    EXPECT_EQ(MessageOf<EConvertError>([] { EncodeDate(2023, 2, 29); }), u"Invalid argument to date encode");
}

TEST(Calendar, EncodeTimeAndItsLimits) {
    EXPECT_EQ(EncodeTime(12, 0, 0, 0), 0.5);
    EXPECT_DOUBLE_EQ(EncodeTime(6, 30, 0, 0), 6.5 / 24);
    TDateTime t = 7;
    EXPECT_FALSE(TryEncodeTime(24, 0, 0, 0, t));
    EXPECT_FALSE(TryEncodeTime(23, 60, 0, 0, t));
    EXPECT_FALSE(TryEncodeTime(23, 59, 60, 0, t));
    EXPECT_FALSE(TryEncodeTime(23, 59, 59, 1000, t));
    EXPECT_EQ(t, 7);
    EXPECT_EQ(MessageOf<EConvertError>([] { EncodeTime(24, 0, 0, 0); }), u"Invalid argument to time encode");
}

TEST(Calendar, DecodeRoundsToTheMillisecondAndHandlesDatesBefore1899) {
    Word y, mo, d, h, mi, s, ms;
    DecodeDateTime(EncodeDateTime(2024, 2, 29, 13, 45, 30, 250), y, mo, d, h, mi, s, ms);
    EXPECT_EQ((std::vector<Word>{y, mo, d, h, mi, s, ms}), (std::vector<Word>{2024, 2, 29, 13, 45, 30, 250}));

    DecodeDateTime(-1.25, y, mo, d, h, mi, s, ms); // the day before the epoch, 06:00
    EXPECT_EQ((std::vector<Word>{y, mo, d, h, mi}), (std::vector<Word>{1899, 12, 29, 6, 0}));
    EXPECT_EQ(EncodeDateTime(1899, 12, 29, 6, 0, 0, 0), -1.25);

    DecodeDateTime(EncodeDate(2024, 1, 1) + EncodeTime(9, 59, 59, 999) + 0.6 / MSecsPerDay, y, mo, d, h, mi,
                   s, ms);
    EXPECT_EQ((std::vector<Word>{d, h, mi, s, ms}), (std::vector<Word>{1, 10, 0, 0, 0}));
}

TEST(Calendar, ValuesOutsideTheCalendarAreRefused) {
    EXPECT_EQ(MessageOf<EConvertError>([] { DateToStr(3e6); }), u"'3000000' is not a valid date and time");
    EXPECT_EQ(MessageOf<EConvertError>([] { DayOfWeek(std::nan("")); }),
              u"'NAN' is not a valid date and time");
    EXPECT_EQ(MessageOf<EConvertError>([] { FormatDateTime(u"yyyy", -693594.5); }),
              u"'-693594.5' is not a valid date and time");
    EXPECT_EQ(DateTimeToStr(ComposeDateTime(EncodeDate(1, 1, 1), 0.5), TFormatSettings::Invariant()),
              u"01/01/0001 12:00:00");
}

TEST(Calendar, DayOfWeekStartsOnSunday) {
    EXPECT_EQ(DayOfWeek(0), 7); // 1899-12-30 was a Saturday
    EXPECT_EQ(DayOfWeek(-1), 6);
    EXPECT_EQ(DayOfWeek(EncodeDate(2024, 1, 7) + 0.9), 1);
    EXPECT_EQ(DayOfWeek(EncodeDate(2024, 3, 5)), 3);
}

TEST(Calendar, IncMonthClampsTheDayAndKeepsTheTime) {
    struct Case {
        Word Y, M, D;
        Integer Months;
        Word EY, EM, ED;
    };
    const Case cases[] = {
        {2024, 1, 31, 1, 2024, 2, 29},  {2023, 1, 31, 1, 2023, 2, 28},    {2024, 3, 31, -1, 2024, 2, 29},
        {2024, 12, 15, 1, 2025, 1, 15}, {2024, 1, 15, -13, 2022, 12, 15}, {2024, 5, 31, 0, 2024, 5, 31},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IncMonth(EncodeDate(c.Y, c.M, c.D), c.Months), EncodeDate(c.EY, c.EM, c.ED))
            << c.Y << "-" << c.M;
    EXPECT_EQ(IncMonth(EncodeDateTime(2024, 1, 31, 12, 0, 0, 0)), EncodeDateTime(2024, 2, 29, 12, 0, 0, 0));
    EXPECT_EQ(MessageOf<EConvertError>([] { IncMonth(EncodeDate(9999, 12, 1)); }),
              u"Invalid argument to date encode");
}

TEST(Calendar, ClockIsConsistent) {
    const TDateTime now = Now();
    EXPECT_GE(CurrentYear(), 2024);
    EXPECT_LE(Date(), now);
    EXPECT_LT(now, Date() + 1);
    EXPECT_GE(Time(), 0);
    EXPECT_LT(Time(), 1);
}

TEST(FormatDateTime, SpecifiersWithTheProgramSettings) {
    const TFormatSettings s = ProgramSettings();
    const TDateTime v = EncodeDateTime(2024, 3, 5, 14, 7, 9, 45);
    struct Case {
        const char16_t* Format;
        const char16_t* Expected;
    };
    const Case cases[] = {
        {u"d/m/yy", u"5-3-24"},
        {u"dd/mm/yyyy", u"05-03-2024"},
        {u"ddd dddd", u"Tue Tuesday"},
        {u"mmm mmmm", u"Mar March"},
        {u"dd mm", u"05 03"},
        {u"hh:nn:ss.zzz", u"14:07:09.045"},
        {u"z", u"45"},
        {u"h:m", u"14:7"}, // m right after an hour is minutes
        {u"HH:MM:SS", u"14:07:09"},
        {u"hh dd mm", u"14 05 03"}, // ... but not after another specifier
        {u"h:mm am/pm", u"2:07 pm"},
        {u"h:mm AM/PM", u"2:07 PM"},
        {u"h a/p", u"2 p"},
        {u"hh ampm", u"02 PM"},
        {u"ddddd", u"05-03-2024"},
        {u"t|tt", u"14:07|14:07:09"},
        {u"c", u"05-03-2024 14:07:09"},
        {u"", u"05-03-2024 14:07:09"},
        {u"'day' d \"of\" mmmm", u"day 5 of March"},
        {u"dd-mmm-yyyy hh:nn:ss", u"05-Mar-2024 14:07:09"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Utf8(FormatDateTime(c.Format, v, s)), Utf8(c.Expected)) << Utf8(c.Format);
    EXPECT_EQ(FormatDateTime(u"h am/pm", EncodeTime(0, 30, 0, 0), s), u"12 am");
}

TEST(FormatDateTime, DateAndTimeTexts) {
    const TFormatSettings s = ProgramSettings();
    const TDateTime day = EncodeDate(2024, 3, 5);
    EXPECT_EQ(DateTimeToStr(day, s), u"05-03-2024"); // exactly midnight: no time
    EXPECT_EQ(DateTimeToStr(day + EncodeTime(0, 0, 1, 0), s), u"05-03-2024 00:00:01");
    EXPECT_EQ(DateToStr(day + 0.75, s), u"05-03-2024");
    EXPECT_EQ(TimeToStr(day + 0.75, s), u"18:00:00");
    // A fresh process's English settings.
    EXPECT_EQ(DateToStr(day, TFormatSettings::Create()), u"3/5/2024");
    EXPECT_EQ(TimeToStr(0.75, TFormatSettings::Create()), u"6:00:00 PM");
}

TEST(StrToDate, ReadsInTheOrderOfTheShortDateFormat) {
    const TFormatSettings s = ProgramSettings();
    struct Case {
        const char16_t* Text;
        bool Valid;
        Word Y, M, D;
    };
    const Word year = CurrentYear();
    const Case cases[] = {
        {u"31-12-2024", true, 2024, 12, 31}, {u" 1-2-2024 ", true, 2024, 2, 1},
        {u"29-02-2000", true, 2000, 2, 29},  {u"31-12-24", true, 2024, 12, 31},
        {u"31-12", true, year, 12, 31},      {u"29-02-2023", false, 0, 0, 0},
        {u"31/12/2024", false, 0, 0, 0},     {u"", false, 0, 0, 0},
        {u"31-12-2024x", false, 0, 0, 0},    {u"31-13-2024", false, 0, 0, 0},
        {u"31--2024", false, 0, 0, 0},       {u"123456-1-2024", false, 0, 0, 0},
    };
    for (const auto& c : cases) {
        TDateTime value = -5;
        EXPECT_EQ(TryStrToDate(c.Text, value, s), c.Valid) << Utf8(c.Text);
        EXPECT_EQ(value, c.Valid ? EncodeDate(c.Y, c.M, c.D) : -5) << Utf8(c.Text);
    }
    TFormatSettings iso = s;
    iso.ShortDateFormat = u"yyyy-mm-dd";
    EXPECT_EQ(StrToDate(u"2024-12-31", iso), EncodeDate(2024, 12, 31));
    EXPECT_EQ(StrToDate(u"12/31/2024", TFormatSettings::Create()), EncodeDate(2024, 12, 31));
    EXPECT_EQ(MessageOf<EConvertError>([&] { StrToDate(u"30-02-2024", s); }),
              u"'30-02-2024' is not a valid date");
}

TEST(StrToTime, HoursMinutesSecondsAndAmPm) {
    const TFormatSettings s = ProgramSettings();
    struct Case {
        const char16_t* Text;
        bool Valid;
        Word H, N, S, MS;
    };
    const Case cases[] = {
        {u"14:07", true, 14, 7, 0, 0},         {u"14:07:09", true, 14, 7, 9, 0},
        {u"14:07:09.045", true, 14, 7, 9, 45}, {u"2:07 PM", true, 14, 7, 0, 0},
        {u"12:00 am", true, 0, 0, 0, 0},       {u"12:30 PM", true, 12, 30, 0, 0},
        {u"24:00", false, 0, 0, 0, 0},         {u"14", false, 0, 0, 0, 0},
        {u"13:00 PM", false, 0, 0, 0, 0},      {u"10:60", false, 0, 0, 0, 0},
        {u"10:00:", false, 0, 0, 0, 0},        {u"10:00 x", false, 0, 0, 0, 0},
    };
    for (const auto& c : cases) {
        TDateTime value = -5;
        EXPECT_EQ(TryStrToTime(c.Text, value, s), c.Valid) << Utf8(c.Text);
        EXPECT_EQ(value, c.Valid ? EncodeTime(c.H, c.N, c.S, c.MS) : -5) << Utf8(c.Text);
    }
    EXPECT_EQ(MessageOf<EConvertError>([&] { StrToTime(u"25:00", s); }), u"'25:00' is not a valid time");
}

TEST(StrToDateTime, DateWithOptionalTimeOrATimeAlone) {
    const TFormatSettings s = ProgramSettings();
    EXPECT_EQ(StrToDateTime(u"31-12-2024 23:59:58", s), EncodeDateTime(2024, 12, 31, 23, 59, 58, 0));
    EXPECT_EQ(StrToDateTime(u"31-12-2024", s), EncodeDate(2024, 12, 31));
    EXPECT_EQ(StrToDateTime(u"23:59", s), EncodeTime(23, 59, 0, 0));
    EXPECT_EQ(StrToDateTime(DateTimeToStr(EncodeDateTime(1899, 12, 29, 6, 0, 0, 0), s), s), -1.25);
    TDateTime value = 0;
    EXPECT_FALSE(TryStrToDateTime(u"31-12-2024 25:00", value, s));
    EXPECT_EQ(MessageOf<EConvertError>([&] { StrToDateTime(u"x", s); }), u"'x' is not a valid date and time");
}

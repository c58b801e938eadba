// The calendar: encoding and decoding of dates and times, and the clock.

#include "rtl/DateTime.h"

#include "rtl/Exception.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <ctime>

namespace {

// Days between 1970-01-01 and 1899-12-30.
constexpr Int64 kUnixEpochOffset = 25569;
// Days between 0001-01-01 (a Monday, counted as day 1) and 1899-12-30.
constexpr Int64 kDaysBeforeEpoch = 693594;

// Days since 1970-01-01 of a proleptic Gregorian date.
Int64 DaysFromCivil(Int64 y, unsigned m, unsigned d) {
    y -= m <= 2;
    const Int64 era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<Int64>(doe) - 719468;
}

void CivilFromDays(Int64 z, Int64& y, unsigned& m, unsigned& d) {
    z += 719468;
    const Int64 era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    d = doy - (153 * mp + 2) / 5 + 1;
    m = mp < 10 ? mp + 3 : mp - 9;
    y = static_cast<Int64>(yoe) + era * 400 + (m <= 2);
}

// Whole days and milliseconds of the day, rounded to the millisecond. A value
// outside 0001-01-01 .. 9999-12-31 (or NaN) names no date: EConvertError.
void SplitValue(TDateTime value, Int64& day, Int64& msec) {
    if (!(value > -693594.0 && value < 2958466.0))
        throw EConvertError(u"'%s' is not a valid date and time", {FloatToStr(value)});
    const Int64 total = std::llround(value * MSecsPerDay);
    day = total / MSecsPerDay;
    msec = (total < 0 ? -total : total) % MSecsPerDay;
}

} // namespace

bool IsLeapYear(Word year) {
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

Word DaysInAMonth(Word year, Word month) {
    static constexpr Word kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) return 0;
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

bool TryEncodeDate(Word year, Word month, Word day, TDateTime& date) {
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > DaysInAMonth(year, month))
        return false;
    date = static_cast<TDateTime>(DaysFromCivil(year, month, day) + kUnixEpochOffset);
    return true;
}

bool TryEncodeTime(Word hour, Word min, Word sec, Word msec, TDateTime& time) {
    if (hour >= 24 || min >= 60 || sec >= 60 || msec >= 1000) return false;
    time = (hour * 3600000.0 + min * 60000.0 + sec * 1000.0 + msec) / MSecsPerDay;
    return true;
}

TDateTime EncodeDate(Word year, Word month, Word day) {
    TDateTime date = 0;
    if (!TryEncodeDate(year, month, day, date)) throw EConvertError(u"Invalid argument to date encode");
    return date;
}

TDateTime EncodeTime(Word hour, Word min, Word sec, Word msec) {
    TDateTime time = 0;
    if (!TryEncodeTime(hour, min, sec, msec, time)) throw EConvertError(u"Invalid argument to time encode");
    return time;
}

TDateTime ComposeDateTime(TDateTime date, TDateTime time) {
    return date < 0 ? date - time : date + time;
}

bool TryEncodeDateTime(Word year, Word month, Word day, Word hour, Word min, Word sec, Word msec,
                       TDateTime& value) {
    TDateTime date = 0, time = 0;
    if (!TryEncodeDate(year, month, day, date) || !TryEncodeTime(hour, min, sec, msec, time)) return false;
    value = ComposeDateTime(date, time);
    return true;
}

TDateTime EncodeDateTime(Word year, Word month, Word day, Word hour, Word min, Word sec, Word msec) {
    return ComposeDateTime(EncodeDate(year, month, day), EncodeTime(hour, min, sec, msec));
}

void DecodeDate(TDateTime value, Word& year, Word& month, Word& day) {
    Int64 days = 0, msec = 0;
    SplitValue(value, days, msec);
    Int64 y = 0;
    unsigned m = 0, d = 0;
    CivilFromDays(days - kUnixEpochOffset, y, m, d);
    year = static_cast<Word>(y);
    month = static_cast<Word>(m);
    day = static_cast<Word>(d);
}

void DecodeTime(TDateTime value, Word& hour, Word& min, Word& sec, Word& msec) {
    Int64 days = 0, ms = 0;
    SplitValue(value, days, ms);
    hour = static_cast<Word>(ms / 3600000);
    min = static_cast<Word>(ms / 60000 % 60);
    sec = static_cast<Word>(ms / 1000 % 60);
    msec = static_cast<Word>(ms % 1000);
}

void DecodeDateTime(TDateTime value, Word& year, Word& month, Word& day, Word& hour, Word& min, Word& sec,
                    Word& msec) {
    DecodeDate(value, year, month, day);
    DecodeTime(value, hour, min, sec, msec);
}

Word DayOfWeek(TDateTime value) {
    Int64 days = 0, msec = 0;
    SplitValue(value, days, msec);
    const Int64 count = days + kDaysBeforeEpoch; // 0001-01-01 is day 1, a Monday
    return static_cast<Word>(((count % 7) + 7) % 7 + 1);
}

TDateTime IncMonth(TDateTime value, Integer months) {
    Word year = 0, month = 0, day = 0;
    DecodeDate(value, year, month, day);
    const Int64 index = static_cast<Int64>(year) * 12 + (month - 1) + months;
    const Int64 newYear = (index >= 0 ? index : index - 11) / 12;
    const Word newMonth = static_cast<Word>(index - newYear * 12 + 1);
    if (newYear < 1 || newYear > 9999) throw EConvertError(u"Invalid argument to date encode");
    const Word newDay = std::min(day, DaysInAMonth(static_cast<Word>(newYear), newMonth));
    const TDateTime time = std::fabs(value - std::trunc(value));
    return ComposeDateTime(EncodeDate(static_cast<Word>(newYear), newMonth, newDay), time);
}

TDateTime Now() {
    using namespace std::chrono;
    const auto now = system_clock::now();
    const std::time_t seconds = system_clock::to_time_t(now);
    std::tm local{};
    localtime_r(&seconds, &local);
    const auto msec = duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000;
    return EncodeDateTime(static_cast<Word>(local.tm_year + 1900), static_cast<Word>(local.tm_mon + 1),
                          static_cast<Word>(local.tm_mday), static_cast<Word>(local.tm_hour),
                          static_cast<Word>(local.tm_min), static_cast<Word>(std::min(local.tm_sec, 59)),
                          static_cast<Word>(msec));
}

TDateTime Date() {
    return std::trunc(Now());
}

TDateTime Time() {
    const TDateTime now = Now();
    return now - std::trunc(now);
}

#pragma once
// Dates and times: a TDateTime counts days since 1899-12-30, its fraction is
// the time of day. Before that day the value is negative and the fraction is
// still the time of day (-1.25 is 1899-12-29 06:00).

#include "rtl/FormatSettings.h"
#include "rtl/Types.h"

#include <string_view>

constexpr Integer HoursPerDay = 24;
constexpr Integer MinsPerDay = 24 * 60;
constexpr Integer SecsPerDay = 24 * 60 * 60;
constexpr Integer MSecsPerDay = SecsPerDay * 1000;

bool IsLeapYear(Word year);
// 28 to 31; 0 for a month outside 1 to 12.
Word DaysInAMonth(Word year, Word month);

// Years 1 to 9999. EncodeDate raises EConvertError "Invalid argument to date
// encode", EncodeTime "Invalid argument to time encode" (hour below 24,
// minute and second below 60, milliseconds below 1000).
TDateTime EncodeDate(Word year, Word month, Word day);
TDateTime EncodeTime(Word hour, Word min, Word sec, Word msec);
bool TryEncodeDate(Word year, Word month, Word day, TDateTime& date);
bool TryEncodeTime(Word hour, Word min, Word sec, Word msec, TDateTime& time);
// Both at once; raises EConvertError "Invalid argument to date encode" or
// "Invalid argument to time encode".
TDateTime EncodeDateTime(Word year, Word month, Word day, Word hour, Word min, Word sec, Word msec);
bool TryEncodeDateTime(Word year, Word month, Word day, Word hour, Word min, Word sec, Word msec,
                       TDateTime& value);
// A date plus a time of day, also for dates before 1899-12-30.
TDateTime ComposeDateTime(TDateTime date, TDateTime time);

// The value rounded to the millisecond. A value outside 0001-01-01 to
// 9999-12-31, or NaN, raises EConvertError "'%s' is not a valid date and time"
// (here, in DayOfWeek, IncMonth and the formatting routines).
void DecodeDate(TDateTime value, Word& year, Word& month, Word& day);
void DecodeTime(TDateTime value, Word& hour, Word& min, Word& sec, Word& msec);
void DecodeDateTime(TDateTime value, Word& year, Word& month, Word& day, Word& hour, Word& min, Word& sec,
                    Word& msec);

// 1 = Sunday ... 7 = Saturday.
Word DayOfWeek(TDateTime value);
// The same day `months` later (or earlier), clamped to the last day of the
// target month; the time of day is kept.
TDateTime IncMonth(TDateTime value, Integer months = 1);

// The local date and time of the machine's clock.
TDateTime Now();
TDateTime Date();
TDateTime Time();

// Specifiers (any letter case): d dd ddd dddd (day, day names) ddddd (short
// date) dddddd (long date); m mm mmm mmmm (month, month names; right after an
// hour they are minutes); yy yyyy; h hh (12-hour when an am/pm specifier
// follows); n nn; s ss; z zzz; t (short time) tt (long time); am/pm, a/p
// (written in the case given) and ampm (the settings' strings); c (short date
// and long time, the time left out at exactly midnight); "/" and ":" the
// settings' separators; text in single or double quotes literal. An empty
// format is "c".
String FormatDateTime(std::u16string_view format, TDateTime value);
String FormatDateTime(std::u16string_view format, TDateTime value, const TFormatSettings& settings);
String DateToStr(TDateTime value); // short date format
String DateToStr(TDateTime value, const TFormatSettings& settings);
String TimeToStr(TDateTime value); // long time format
String TimeToStr(TDateTime value, const TFormatSettings& settings);
String DateTimeToStr(TDateTime value); // "c"
String DateTimeToStr(TDateTime value, const TFormatSettings& settings);

// Dates are read as two or three numbers separated by the date separator, in
// the order of the short date format (day and month only: the current year;
// a year of one or two digits lies in the settings' century window). Times
// are hour and minute, optionally seconds and milliseconds after the decimal
// separator, each after the time separator, and an optional AM or PM. Blanks
// around are allowed. Date and time is a date, optionally followed by a time,
// or a time alone. The Str forms raise EConvertError "'%s' is not a valid
// date", "'%s' is not a valid time" and "'%s' is not a valid date and time".
TDateTime StrToDate(std::u16string_view text);
TDateTime StrToDate(std::u16string_view text, const TFormatSettings& settings);
TDateTime StrToTime(std::u16string_view text);
TDateTime StrToTime(std::u16string_view text, const TFormatSettings& settings);
TDateTime StrToDateTime(std::u16string_view text);
TDateTime StrToDateTime(std::u16string_view text, const TFormatSettings& settings);
bool TryStrToDate(std::u16string_view text, TDateTime& value);
bool TryStrToDate(std::u16string_view text, TDateTime& value, const TFormatSettings& settings);
bool TryStrToTime(std::u16string_view text, TDateTime& value);
bool TryStrToTime(std::u16string_view text, TDateTime& value, const TFormatSettings& settings);
bool TryStrToDateTime(std::u16string_view text, TDateTime& value);
bool TryStrToDateTime(std::u16string_view text, TDateTime& value, const TFormatSettings& settings);

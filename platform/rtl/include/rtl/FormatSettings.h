#pragma once
// The separators, date and time formats and names that every conversion of
// numbers and dates to and from text uses. Each conversion routine has an
// overload taking a record of its own; the others use the process-wide
// FormatSettings.

#include "rtl/Types.h"

#include <array>

struct TFormatSettings {
    Char DecimalSeparator = u'.';
    Char ThousandSeparator = u',';
    Char DateSeparator = u'/';
    Char TimeSeparator = u':';
    Char ListSeparator = u',';

    String ShortDateFormat = u"M/d/yyyy";
    String LongDateFormat = u"dddd, MMMM d, yyyy";
    String ShortTimeFormat = u"h:mm AMPM";
    String LongTimeFormat = u"h:mm:ss AMPM";
    String TimeAMString = u"AM";
    String TimePMString = u"PM";

    String CurrencyString = u"$";
    Byte CurrencyFormat = 0; // 0 "$1", 1 "1$", 2 "$ 1", 3 "1 $"
    Byte NegCurrFormat = 0;  // 0 "($1)", 1 "-$1", ... as the usual sixteen forms
    Byte CurrencyDecimals = 2;

    // A two-digit year read from text becomes the year of the hundred years
    // that start this many years before the current year (0: this century).
    Word TwoDigitYearCenturyWindow = 50;

    // English names whatever the machine's locale: index 0 is January / Sunday.
    std::array<String, 12> ShortMonthNames{u"Jan", u"Feb", u"Mar", u"Apr", u"May", u"Jun",
                                           u"Jul", u"Aug", u"Sep", u"Oct", u"Nov", u"Dec"};
    std::array<String, 12> LongMonthNames{u"January",   u"February", u"March",    u"April",
                                          u"May",       u"June",     u"July",     u"August",
                                          u"September", u"October",  u"November", u"December"};
    std::array<String, 7> ShortDayNames{u"Sun", u"Mon", u"Tue", u"Wed", u"Thu", u"Fri", u"Sat"};
    std::array<String, 7> LongDayNames{u"Sunday",   u"Monday", u"Tuesday", u"Wednesday",
                                       u"Thursday", u"Friday", u"Saturday"};

    // The settings a fresh process starts with (English conventions).
    static TFormatSettings Create() { return TFormatSettings{}; }

    // Fixed settings for locale-independent text: "." decimal point, no
    // thousands separator, ISO-like dates.
    static TFormatSettings Invariant();
};

// The program's format settings: read by every conversion that is not given
// settings of its own. Set them once at start-up, before any window exists.
extern TFormatSettings FormatSettings;

// Dates read from cell texts and shifted by years, months or days.

#include "gridbase/RarEvad.h"
#include "kel/RarEvads.h"
#include "rtl/Convert.h"
#include "rtl/DateTime.h"
#include "rtl/StringUtils.h"

#include <algorithm>

namespace {

// A field as a date part: values outside a Word become 0, which the date
// encoding refuses like any other impossible day or month.
Word DatePart(Integer value) {
    return value < 0 || value > 0xFFFF ? 0 : Word(value);
}

Integer FullYear(Integer year) {
    if (year >= 0 && year <= 25) return year + 2000;
    if (year > 25 && year < 100) return year + 1900;
    return year;
}

// first/second/year with the first separator among "/", "." and "-" that
// the text holds; false when a field is missing or no integer.
bool SplitDateFields(const String& text, Integer& first, Integer& second, Integer& year) {
    Char separator = 0;
    for (const Char candidate : {u'/', u'.', u'-'})
        if (text.find(candidate) != String::npos) {
            separator = candidate;
            break;
        }
    if (separator == 0) return false;
    const std::size_t at1 = text.find(separator);
    std::size_t at2 = text.find(separator, at1 + 1);
    if (at2 == String::npos) at2 = text.size();
    const String yearText = at2 < text.size() ? text.substr(at2 + 1) : String();
    return TryStrToInt(text.substr(0, at1), first) &&
           TryStrToInt(text.substr(at1 + 1, at2 - at1 - 1), second) && TryStrToInt(yearText, year);
}

} // namespace

bool TryParseLocaleDateTime(const String& text, TDateTime& dateTime) {
    return TRarEvads::IsDate(text, dateTime);
}

TDateTime ParseDateMDY(const String& text) {
    Integer month = 0, day = 0, year = 0;
    if (!SplitDateFields(text, month, day, year)) return 0.0;
    return EncodeDate(DatePart(FullYear(year)), DatePart(month), DatePart(day));
}

TDateTime ParseDateDMY(const String& text) {
    Integer day = 0, month = 0, year = 0;
    if (!SplitDateFields(text, day, month, year)) return 0.0;
    return EncodeDate(DatePart(FullYear(year)), DatePart(month), DatePart(day));
}

bool HasTwoDateSeparators(const String& text) {
    const String separator(1, GetDateSeparator());
    const Integer first = Pos(separator, text);
    return first > 1 && Pos(separator, Copy(text, first + 1)) > 1;
}

TDateTime ShiftDate(SmallInt years, SmallInt months, SmallInt days, TDateTime date, double fallbackDays) {
    if (days != 0 && years == 0 && months == 0) return date + days;
    if ((years != 0) == (months != 0) || days != 0) return date + fallbackDays;
    Word year = 0, month = 0, day = 0;
    DecodeDate(date, year, month, day);
    // Months counted from year 0 make the wrap into other years plain arithmetic.
    const Integer target = Integer(year) * 12 + (month - 1) + years * 12 + months;
    const Integer newYear = target / 12;
    const Word newMonth = Word(target % 12 + 1);
    const Word yearPart = DatePart(newYear);
    return EncodeDate(yearPart, newMonth, std::min(day, DaysInAMonth(yearPart, newMonth)));
}

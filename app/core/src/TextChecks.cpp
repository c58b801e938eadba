#include "core/TextChecks.h"

#include "rtl/Convert.h"
#include "rtl/DateTime.h"
#include "rtl/StringUtils.h"

#include <algorithm>
#include <array>

namespace {

constexpr std::array<std::u16string_view, 12> MonthAbbreviations{
    u"JAN", u"FEB", u"MAR", u"APR", u"MAY", u"JUN", u"JUL", u"AUG", u"SEP", u"OCT", u"NOV", u"DEC"};

constexpr std::u16string_view InvalidNameChars = u" /\\()><*:\"|,.+=?";

bool AllDigits(std::u16string_view text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](Char c) { return c >= u'0' && c <= u'9'; });
}

bool IsNonASCII(Char c) {
    return c > 127;
}

} // namespace

String MonthNumber(const String& text) {
    const String upper = UpperCase(text);
    for (std::size_t i = 0; i < MonthAbbreviations.size(); ++i)
        if (upper == MonthAbbreviations[i]) return IntToStr(static_cast<Integer>(i + 1));
    return String();
}

Integer DaysInMonthOf(Integer month, Integer year) {
    switch (month) {
    case 2:
        return year >= 0 && year <= 0xFFFF && IsLeapYear(static_cast<Word>(year)) ? 29 : 28;
    case 4:
    case 6:
    case 9:
    case 11:
        return 30;
    default:
        return 31;
    }
}

bool IsValidDayMonthYear(const String& text) {
    // dd-mon-yyyy: day in characters 1-2, month 4-6, year 8-11.
    if (text.size() != 11) return false;
    const std::u16string_view view(text);
    const std::u16string_view dayText = view.substr(0, 2), yearText = view.substr(7, 4);
    const String monthText = MonthNumber(String(view.substr(3, 3)));
    if (!AllDigits(dayText) || !AllDigits(yearText) || monthText.empty()) return false;
    const Integer day = StrToInt(dayText);
    return day >= 1 && day <= DaysInMonthOf(StrToInt(monthText), StrToInt(yearText));
}

bool HasInvalidNameChars(const String& text) {
    return text.find_first_of(InvalidNameChars) != String::npos;
}

bool HasNonASCII(const String& text) {
    return std::any_of(text.begin(), text.end(), IsNonASCII);
}

String StripNonASCII(const String& text) {
    String result;
    std::copy_if(text.begin(), text.end(), std::back_inserter(result), [](Char c) { return !IsNonASCII(c); });
    return result;
}

bool StripNonASCIIKeepingCaret(String& text, Integer& selStart) {
    if (!HasNonASCII(text)) return false;
    text = StripNonASCII(text);
    selStart = std::clamp<Integer>(selStart - 1, 0, static_cast<Integer>(text.size()));
    return true;
}

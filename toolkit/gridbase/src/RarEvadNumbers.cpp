// Locale settings, character classes, value-kind detection and the number
// conversions between locale and "." notation.

#include "gridbase/RarEvad.h"
#include "kel/KelTypes.h"
#include "rtl/FormatSettings.h"
#include "rtl/StringUtils.h"

#include <algorithm>

Char GetDecimalSeparator() {
    return FormatSettings.DecimalSeparator;
}

Char GetThousandSeparator() {
    return FormatSettings.ThousandSeparator;
}

Char GetDateSeparator() {
    return FormatSettings.DateSeparator;
}

Char GetTimeSeparator() {
    return FormatSettings.TimeSeparator;
}

String GetShortDateFormat() {
    return FormatSettings.ShortDateFormat;
}

bool IsDigitChar(Char ch) {
    return IsNumericChar(ch);
}

bool IsIntegerChar(Char ch) {
    return IsDigitChar(ch) || ch == u'-';
}

bool IsNumberChar(Char ch) {
    return IsDigitChar(ch) || ch == GetThousandSeparator() || ch == GetDecimalSeparator() || ch == u'e' ||
           ch == u'E';
}

bool IsScientificChar(Char ch) {
    return IsNumberChar(ch) || ch == u'+' || ch == u'-';
}

bool IsFloatChar(Char ch) {
    return IsDigitChar(ch) || ch == u'.' || ch == u'-' || ch == u'e' || ch == u'E' || ch == u'+';
}

bool IsNumericKey(Char ch) {
    return IsDigitChar(ch) || ch == GetThousandSeparator() || ch == GetDecimalSeparator() || ch == u'-' ||
           ch == 8 || ch == 9 || ch == 13 || ch == 27;
}

bool IsWordBreakChar(Char ch) {
    return ch == u' ' || ch == u'\'' || ch == u',' || ch == u'-' || ch == u'.';
}

TValueKind DetectValueKind(std::u16string_view text) {
    return ClassifyNumberText(text, GetDecimalSeparator(), GetThousandSeparator());
}

namespace {

// Counts a separator and tells whether the date (or time) reading still
// holds: at most two separators, never two in a row.
struct TSeparatorRun {
    Integer Count = 0;
    Integer LastPos = 0;

    bool Add(Integer pos) {
        ++Count;
        const bool adjacent = LastPos > 0 && pos - LastPos == 1;
        LastPos = pos;
        return Count <= 2 && !adjacent;
    }
};

bool IsExponent(Char ch) {
    return ch == u'e' || ch == u'E';
}

} // namespace

TValueKind ClassifyNumberText(std::u16string_view text, Char decimalSep, Char thousandSep) {
    if (text.empty()) return vkText;
    const Char dateSep = GetDateSeparator();
    const Char timeSep = GetTimeSeparator();
    const Integer n = Length(text);

    bool isInteger = true, isFloat = true, isScientific = true, exponentSeen = false;
    bool isDate = text.find(dateSep) != text.npos;
    bool isTime = text.find(timeSep) != text.npos;
    TSeparatorRun dates, times;
    Integer lastThousand = 0, decimals = 0, minuses = 0;

    for (Integer i = 1; i <= n; ++i) {
        const Char c = text[std::size_t(i - 1)];
        const bool digit = IsDigitChar(c);
        if (!IsIntegerChar(c)) isInteger = false;
        if (IsExponent(c)) {
            if (exponentSeen) isScientific = false;
            exponentSeen = true;
        }
        if (i > 1 && c == u'-') isInteger = isFloat = false;
        if (i == 1 && IsExponent(c)) isScientific = false;
        if (i == 1 && !digit) isTime = isDate = false;
        if (i == n && (IsExponent(c) || c == u'+' || c == u'-')) isScientific = false;
        if (!digit && c != u'-' && c != thousandSep && c != decimalSep) isFloat = false;
        if (!digit && c != dateSep) isDate = false;
        if (!digit && c != timeSep) isTime = false;
        if (!IsScientificChar(c) || c == thousandSep) isScientific = false;
        if (c == thousandSep) {
            if (lastThousand > 0 && i - lastThousand < 4) isFloat = false;
            lastThousand = i;
        }
        if (c == dateSep && !dates.Add(i)) isDate = false;
        if (c == timeSep && !times.Add(i)) isTime = false;
        if (c == decimalSep) ++decimals;
        if (c == u'-') ++minuses;
    }

    TValueKind kind = vkText;
    if (isInteger)
        kind = vkInteger;
    else if (isFloat && !exponentSeen)
        kind = vkFloat;
    else if (isScientific && exponentSeen) {
        kind = vkScientific;
        // The exponent's sign is no second minus of the number.
        if (minuses == 2) minuses = 1;
    }
    if (isTime) return vkTime;
    if (isDate && dates.Count == 2) return vkDate;
    if (minuses > 1 || decimals > 1) return vkText;
    return kind;
}

String NormalizeNumberText(std::u16string_view text) {
    String number = Trim(text);
    if (number.empty()) return number;
    bool negative = number.front() == u'(' && number.back() == u')';
    // An exponent letter cannot start a number: "EUR 3.25" drops "EUR ".
    auto StartsNumber = [](Char ch) { return IsNumberChar(ch) && ch != u'e' && ch != u'E'; };
    while (number.size() >= 2 && !StartsNumber(number.front())) {
        if (number.front() == u'-') negative = true;
        number.erase(0, 1);
    }
    const Char decimalSep = GetDecimalSeparator();
    const Char thousandSep = GetThousandSeparator();
    String result;
    for (const Char c : number) {
        if (c == thousandSep) continue;
        if (c == decimalSep)
            result += u'.';
        else if (IsFloatChar(c))
            result += c;
        else
            break;
    }
    if (negative) result.insert(0, 1, u'-');
    return result;
}

String LocaleToDotNumber(const Char* text) {
    String result;
    if (!text) return result;
    const Char decimalSep = GetDecimalSeparator();
    const Char thousandSep = GetThousandSeparator();
    for (; *text; ++text) {
        if (*text == decimalSep)
            result += u'.';
        else if (*text != thousandSep)
            result += *text;
    }
    return result;
}

String LocaleToInvariantNumber(const String& text) {
    const TValueKind kind = DetectValueKind(text);
    if (kind != vkInteger && kind != vkFloat) return text;
    String result = text;
    std::erase(result, GetThousandSeparator());
    const Char decimalSep = GetDecimalSeparator();
    if (decimalSep != u'.') std::replace(result.begin(), result.end(), decimalSep, u'.');
    return result;
}

String InvariantToLocaleNumber(const String& text) {
    const TValueKind kind = ClassifyNumberText(text, u'.', u',');
    const Char decimalSep = GetDecimalSeparator();
    if ((kind != vkInteger && kind != vkFloat) || decimalSep == u'.') return text;
    String result = text;
    std::replace(result.begin(), result.end(), u'.', decimalSep);
    return result;
}

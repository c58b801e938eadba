// Proper case, cell references, accents, and the small text and number
// routines of the grid.

#include "gridbase/RarEvad.h"
#include "rtl/Convert.h"
#include "rtl/StringList.h"
#include "rtl/StringUtils.h"

#include <algorithm>

namespace {

Char UpperChar(Char c) {
    return WideUpperCase(std::u16string_view(&c, 1))[0];
}

Char LowerChar(Char c) {
    return WideLowerCase(std::u16string_view(&c, 1))[0];
}

} // namespace

String CapitalizeWords(const String& text) {
    String result = text;
    const Integer n = Length(result);
    bool wordStart = true;
    for (Integer i = 1; i <= n; ++i) {
        Char& c = result[std::size_t(i - 1)];
        if (IsWordBreakChar(c))
            wordStart = true;
        else if (wordStart) {
            c = UpperChar(c);
            wordStart = false;
        } else
            c = LowerChar(c);
        // The letter after "Mc" stays capital, as in McDonald.
        if (i == 2 && Copy(result, 1, 2) == u"Mc") wordStart = true;
        if (i > 2 && Pos(u" Mc", result) + 2 == i) wordStart = true;
        // A trailing " II" or " III" stays capital.
        if (i > n - 3 && (Copy(result, i - 1, 2) == u" I" || Copy(result, i - 2, 3) == u" II"))
            wordStart = true;
    }
    return result;
}

bool ParseRCReference(const String& text, TPoint& point) {
    const String reference = UpperCase(text);
    if (Length(reference) <= 3 || reference.front() != u'R') return false;
    const Integer at = Pos(u"C", reference);
    Integer row = 0, col = 0;
    if (at == 0 || !TryStrToInt(Copy(reference, 2, at - 2), row) ||
        !TryStrToInt(Copy(reference, at + 1), col))
        return false;
    point.X = col;
    point.Y = row;
    return true;
}

String StripDiacritics(const String& text) {
    String result = RemoveDiacritics(text);
    std::erase_if(result, [](Char c) { return c >= 256; });
    return result;
}

Integer LimitToRange(Integer value, Integer lo, Integer hi) {
    if (value < lo) value = lo;
    if (value > hi) value = hi;
    return value;
}

Integer ApplyMinMaxSize(Integer value, Integer min, Integer max) {
    if (min == max) return value;
    Integer result = value;
    if (min > 0 && value < min) result = min;
    if (max > 0 && value > max) result = max;
    return result;
}

Integer IntMax(Integer a, Integer b) {
    return std::max(a, b);
}

Integer IntMin(Integer a, Integer b) {
    return std::min(a, b);
}

Integer IndexOfChar(Char ch, const String& text) {
    const std::size_t at = text.find(ch);
    return at == String::npos ? 0 : Integer(at + 1);
}

Integer LocateChar(Char ch, const String& text, Integer& pos) {
    const Integer at = IndexOfChar(ch, text);
    if (at > 0) pos = at;
    return at;
}

Integer PosToVar(const String& sub, const String& text, Integer& pos) {
    pos = Pos(sub, text);
    return pos;
}

Integer PosInUpperCase(const String& sub, const String& text) {
    return Pos(sub, AnsiUpperCase(text));
}

Integer WidePos(const String& sub, const String& text) {
    return Pos(sub, text);
}

bool CellInGridRect(const TRect& rect, Integer col, Integer row) {
    return col >= rect.Left && col <= rect.Right && row >= rect.Top && row <= rect.Bottom;
}

String CutAtDelimiter(String& text, const String& delimiter) {
    const Integer at = Pos(delimiter, text);
    if (at == 0) return String();
    String part = Copy(text, 1, at - 1);
    Delete(text, 1, at - 1 + Length(delimiter));
    return part;
}

String JoinListLines(const TStrings& list) {
    String result;
    for (Integer i = 0; i < list.Count(); ++i)
        result += list.Strings(i);
    return result;
}

void FillWithChar(String& text, Char ch) {
    std::fill(text.begin(), text.end(), ch);
}

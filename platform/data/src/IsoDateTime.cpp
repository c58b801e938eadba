#include "IsoDateTime.h"

#include "rtl/DateTime.h"

namespace detail {

String FormatIsoDateTime(TDateTime value) {
    Word Hour, Min, Sec, MSec;
    DecodeTime(value, Hour, Min, Sec, MSec);
    return FormatDateTime(MSec ? u"yyyy-mm-dd hh:nn:ss.zzz" : u"yyyy-mm-dd hh:nn:ss", value);
}

namespace {

// Reads exactly `digits` decimal digits at `at`.
bool ReadNumber(std::u16string_view text, size_t& at, size_t digits, Word& value) {
    if (at + digits > text.size()) return false;
    value = 0;
    for (size_t i = 0; i < digits; ++i) {
        const Char C = text[at + i];
        if (C < u'0' || C > u'9') return false;
        value = static_cast<Word>(value * 10 + (C - u'0'));
    }
    at += digits;
    return true;
}

bool Expect(std::u16string_view text, size_t& at, Char c) {
    if (at >= text.size() || text[at] != c) return false;
    ++at;
    return true;
}

} // namespace

bool TryParseIsoDateTime(std::u16string_view text, TDateTime& value) {
    size_t At = 0;
    Word Year, Month, Day, Hour = 0, Min = 0, Sec = 0, MSec = 0;
    if (!ReadNumber(text, At, 4, Year) || !Expect(text, At, u'-') || !ReadNumber(text, At, 2, Month) ||
        !Expect(text, At, u'-') || !ReadNumber(text, At, 2, Day))
        return false;
    if (At < text.size()) {
        if (text[At] != u' ' && text[At] != u'T') return false;
        ++At;
        if (!ReadNumber(text, At, 2, Hour) || !Expect(text, At, u':') || !ReadNumber(text, At, 2, Min))
            return false;
        if (At < text.size() && (!Expect(text, At, u':') || !ReadNumber(text, At, 2, Sec))) return false;
        if (At < text.size() && (!Expect(text, At, u'.') || !ReadNumber(text, At, 3, MSec))) return false;
        if (At != text.size()) return false;
    }
    return TryEncodeDateTime(Year, Month, Day, Hour, Min, Sec, MSec, value);
}

} // namespace detail

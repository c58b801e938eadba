// The routines that need the Unicode character tables (case mapping,
// decomposition, character categories), over ICU.
#include "rtl/Character.h"
#include "rtl/StringUtils.h"

#include <unicode/normalizer2.h>
#include <unicode/uchar.h>
#include <unicode/unistr.h>
#include <unicode/utf16.h>

namespace {

// Maps every code point of s with map. A mapping that would change the number
// of code units (none does in the simple case tables) keeps the character, so
// positions in the result are positions in s.
template <typename Map>
String MapCodePoints(std::u16string_view s, Map map) {
    String out(s);
    size_t i = 0;
    while (i < out.size()) {
        UChar32 c;
        const size_t start = i;
        U16_NEXT(out.data(), i, out.size(), c);
        const UChar32 mapped = map(c);
        if (mapped == c || static_cast<size_t>(U16_LENGTH(mapped)) != i - start) continue;
        if (U16_LENGTH(mapped) == 1) {
            out[start] = static_cast<Char>(mapped);
        } else {
            out[start] = U16_LEAD(mapped);
            out[start + 1] = U16_TRAIL(mapped);
        }
    }
    return out;
}

icu::UnicodeString ToIcu(std::u16string_view s) {
    return icu::UnicodeString(s.data(), static_cast<int32_t>(s.size()));
}

} // namespace

String WideUpperCase(std::u16string_view s) {
    return MapCodePoints(s, [](UChar32 c) { return u_toupper(c); });
}

String WideLowerCase(std::u16string_view s) {
    return MapCodePoints(s, [](UChar32 c) { return u_tolower(c); });
}

String AnsiUpperCase(std::u16string_view s) {
    return WideUpperCase(s);
}

String AnsiLowerCase(std::u16string_view s) {
    return WideLowerCase(s);
}

String RemoveDiacritics(std::u16string_view s) {
    UErrorCode status = U_ZERO_ERROR;
    const icu::Normalizer2* nfd = icu::Normalizer2::getNFDInstance(status);
    if (U_FAILURE(status)) return String(s); // ICU's built-in data is always present
    const icu::UnicodeString decomposed = nfd->normalize(ToIcu(s), status);
    if (U_FAILURE(status)) return String(s);
    String out;
    out.reserve(static_cast<size_t>(decomposed.length()));
    for (int32_t i = 0; i < decomposed.length();) {
        const UChar32 c = decomposed.char32At(i);
        const int32_t units = U16_LENGTH(c);
        if (u_charType(c) != U_NON_SPACING_MARK)
            out.append(reinterpret_cast<const Char*>(decomposed.getBuffer()) + i, static_cast<size_t>(units));
        i += units;
    }
    return out;
}

bool IsNumber(Char c) {
    switch (u_charType(c)) {
    case U_DECIMAL_DIGIT_NUMBER:
    case U_LETTER_NUMBER:
    case U_OTHER_NUMBER:
        return true;
    default:
        return false;
    }
}

#pragma once
// Comparisons of strings: ordinal, ASCII case-insensitive, linguistic, and
// the natural ("logical") order of file names and cell texts.

#include "rtl/Types.h"

#include <string_view>

// Ordinal: the difference of the first differing code units, or of the
// lengths when one string begins the other; 0 when equal.
Integer CompareStr(std::u16string_view s1, std::u16string_view s2);

// As CompareStr after upper-casing ASCII letters (a..z) in both strings.
Integer CompareText(std::u16string_view s1, std::u16string_view s2);
bool SameText(std::u16string_view s1, std::u16string_view s2);

// Linguistic order (-1, 0, 1): letters before their accented forms, lower
// case before upper case, digits before letters, as a user-locale comparison
// does. The order is the Unicode default collation, the same on every
// machine whatever its locale. Canonically equivalent strings (é written as
// one character or as e and a combining accent) are equal.
Integer AnsiCompareStr(std::u16string_view s1, std::u16string_view s2);
// As AnsiCompareStr without regard to case; accents still count.
Integer AnsiCompareText(std::u16string_view s1, std::u16string_view s2);
bool AnsiSameStr(std::u16string_view s1, std::u16string_view s2);
bool AnsiSameText(std::u16string_view s1, std::u16string_view s2);

namespace winapi {

// Natural order (-1, 0, 1) as the shell sorts file names: runs of the digits
// 0..9 compare by their numeric value (any length), everything else by
// AnsiCompareText, so "a2" < "a10" and "a" equals "A". Of two strings equal
// in this way, the first digit run written with more leading zeros sorts
// first: "x01" < "x1".
Integer StrCmpLogicalW(std::u16string_view psz1, std::u16string_view psz2);

} // namespace winapi

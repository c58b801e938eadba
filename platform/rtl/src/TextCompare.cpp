#include "rtl/TextCompare.h"

#include "rtl/Exception.h"

#include <algorithm>
#include <memory>
#include <unicode/coll.h>
#include <unicode/locid.h>

namespace {

Char AsciiUpper(Char c) {
    return (c >= u'a' && c <= u'z') ? static_cast<Char>(c - (u'a' - u'A')) : c;
}

template <typename Fold>
Integer CompareOrdinal(std::u16string_view s1, std::u16string_view s2, Fold fold) {
    const size_t common = std::min(s1.size(), s2.size());
    for (size_t i = 0; i < common; ++i) {
        const Integer a = fold(s1[i]);
        const Integer b = fold(s2[i]);
        if (a != b) return a - b;
    }
    return static_cast<Integer>(s1.size()) - static_cast<Integer>(s2.size());
}

// One collator per thread and strength: ICU collators must not be shared
// between threads while they compare.
const icu::Collator& RootCollator(icu::Collator::ECollationStrength strength) {
    struct Collators {
        std::unique_ptr<icu::Collator> tertiary;
        std::unique_ptr<icu::Collator> secondary;
    };
    thread_local Collators collators;
    std::unique_ptr<icu::Collator>& slot =
        strength == icu::Collator::TERTIARY ? collators.tertiary : collators.secondary;
    if (!slot) {
        UErrorCode status = U_ZERO_ERROR;
        slot.reset(icu::Collator::createInstance(icu::Locale::getRoot(), status));
        if (U_FAILURE(status) || !slot) throw EInvalidOperation(u"Unicode collation is not available");
        slot->setStrength(strength);
        slot->setAttribute(UCOL_NORMALIZATION_MODE, UCOL_ON, status);
    }
    return *slot;
}

Integer Collate(std::u16string_view s1, std::u16string_view s2, icu::Collator::ECollationStrength strength) {
    UErrorCode status = U_ZERO_ERROR;
    const UCollationResult r = RootCollator(strength).compare(
        s1.data(), static_cast<int32_t>(s1.size()), s2.data(), static_cast<int32_t>(s2.size()), status);
    return r == UCOL_LESS ? -1 : r == UCOL_GREATER ? 1 : 0;
}

bool IsAsciiDigit(Char c) {
    return c >= u'0' && c <= u'9';
}

// The run starting at position i: digits or non-digits, as far as it goes.
std::u16string_view RunAt(std::u16string_view s, size_t i) {
    const bool digits = IsAsciiDigit(s[i]);
    size_t end = i + 1;
    while (end < s.size() && IsAsciiDigit(s[end]) == digits)
        ++end;
    return s.substr(i, end - i);
}

// Numeric value order of two digit runs of any length.
Integer CompareDigitRuns(std::u16string_view a, std::u16string_view b) {
    const std::u16string_view va = a.substr(std::min(a.find_first_not_of(u'0'), a.size()));
    const std::u16string_view vb = b.substr(std::min(b.find_first_not_of(u'0'), b.size()));
    if (va.size() != vb.size()) return va.size() < vb.size() ? -1 : 1;
    const int r = va.compare(vb);
    return r < 0 ? -1 : r > 0 ? 1 : 0;
}

} // namespace

Integer CompareStr(std::u16string_view s1, std::u16string_view s2) {
    return CompareOrdinal(s1, s2, [](Char c) { return c; });
}

Integer CompareText(std::u16string_view s1, std::u16string_view s2) {
    return CompareOrdinal(s1, s2, AsciiUpper);
}

bool SameText(std::u16string_view s1, std::u16string_view s2) {
    return CompareText(s1, s2) == 0;
}

Integer AnsiCompareStr(std::u16string_view s1, std::u16string_view s2) {
    return Collate(s1, s2, icu::Collator::TERTIARY);
}

Integer AnsiCompareText(std::u16string_view s1, std::u16string_view s2) {
    return Collate(s1, s2, icu::Collator::SECONDARY);
}

bool AnsiSameStr(std::u16string_view s1, std::u16string_view s2) {
    return AnsiCompareStr(s1, s2) == 0;
}

bool AnsiSameText(std::u16string_view s1, std::u16string_view s2) {
    return AnsiCompareText(s1, s2) == 0;
}

namespace winapi {

Integer StrCmpLogicalW(std::u16string_view psz1, std::u16string_view psz2) {
    Integer leadingZeros = 0; // decides only when all else is equal
    size_t i = 0;
    size_t j = 0;
    while (i < psz1.size() && j < psz2.size()) {
        const std::u16string_view a = RunAt(psz1, i);
        const std::u16string_view b = RunAt(psz2, j);
        Integer r = 0;
        if (IsAsciiDigit(a.front()) && IsAsciiDigit(b.front())) {
            r = CompareDigitRuns(a, b);
            if (r == 0 && leadingZeros == 0 && a.size() != b.size())
                leadingZeros = a.size() > b.size() ? -1 : 1;
        } else if (IsAsciiDigit(a.front()) || IsAsciiDigit(b.front())) {
            // A digit run against text: the text goes before every number
            // when it collates below "0", after every number otherwise. The
            // digits' value plays no part, so the order stays transitive even
            // for text such as "\u0663" that collates among the digits.
            const std::u16string_view text = IsAsciiDigit(a.front()) ? b : a;
            const Integer textSide = AnsiCompareText(text, u"0") < 0 ? -1 : 1;
            r = IsAsciiDigit(a.front()) ? -textSide : textSide;
        } else {
            r = AnsiCompareText(a, b);
        }
        if (r != 0) return r;
        i += a.size();
        j += b.size();
    }
    if (i < psz1.size()) return 1;
    if (j < psz2.size()) return -1;
    return leadingZeros;
}

} // namespace winapi

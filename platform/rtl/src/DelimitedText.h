#pragma once
// The splitting and joining rules of a string list's DelimitedText and
// CommaText.
//
// Splitting: the delimiter separates items; an item that starts with the
// quote character runs to the next single quote character, and a doubled
// quote character inside stands for one; a delimiter at the very end adds
// an empty last item. Unless StrictDelimiter is set, characters up to U+0020
// also separate items, and are dropped around items and delimiters.
//
// Joining: items are joined with the delimiter; an item that contains the
// delimiter, the quote character or (unless StrictDelimiter) a character up
// to U+0020 is quoted, with its quote characters doubled. A list of one
// empty item is written as two quote characters, so that it reads back.

#include "rtl/Types.h"

#include <string_view>
#include <vector>

namespace detail {

struct TDelimiterRules {
    Char Delimiter = u',';
    Char QuoteChar = u'"';
    bool StrictDelimiter = false;
};

std::vector<String> SplitDelimitedText(std::u16string_view Text, const TDelimiterRules& Rules);
String JoinDelimitedText(const std::vector<String>& Items, const TDelimiterRules& Rules);

} // namespace detail

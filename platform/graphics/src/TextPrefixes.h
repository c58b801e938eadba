#pragma once
// The "&" prefix rule that GDI's DrawText and GDI+'s hotkey prefix share:
// "&x" shows x underlined, "&&" shows one "&", a lone "&" at the end shows
// nothing.

#include "rtl/Types.h"

#include <vector>

namespace detail {

struct TPrefixedText {
    String Text;             // the text as shown
    std::vector<bool> Marks; // per character of Text: underlined
};

// DT_NOPREFIX keeps every "&" as it is; DT_HIDEPREFIX removes the prefixes
// without underlining.
TPrefixedText StripPrefixes(const String& text, Cardinal format);

} // namespace detail

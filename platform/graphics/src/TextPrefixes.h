#pragma once
// The "&" prefix rule that GDI's DrawText and GDI+'s hotkey prefix share.

#include "rtl/Types.h"

#include <vector>

namespace detail {

// Resolves "&" prefixes: "&x" underlines x, "&&" is one "&". DT_NOPREFIX
// (0x800) keeps every "&"; DT_HIDEPREFIX (0x100000) removes them without
// marking. `marks` flags the characters of `out` to underline.
void StripPrefixes(const String& text, Cardinal format, String& out, std::vector<bool>& marks);

} // namespace detail

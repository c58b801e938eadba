#pragma once
// Conversions between UTF-16 strings and the byte encodings used at the
// edges of the program (files, paths, libraries).

#include <string_view>

#include "rtl/Types.h"

// UTF-16 to UTF-8. Unpaired surrogates become U+FFFD.
std::string Utf8(std::u16string_view text);

// UTF-8 to UTF-16. Invalid or truncated sequences become U+FFFD; never throws.
String FromUtf8(std::string_view bytes);

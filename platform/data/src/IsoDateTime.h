#pragma once
// Dates and times as the SQLite provider stores them: ISO text
// "yyyy-mm-dd hh:nn:ss", with ".zzz" when there are milliseconds. Reading
// also takes "yyyy-mm-dd" alone and "T" between date and time.

#include "rtl/Types.h"

#include <string_view>

namespace detail {

String FormatIsoDateTime(TDateTime value);
// False when the text is not such a date.
bool TryParseIsoDateTime(std::u16string_view text, TDateTime& value);

} // namespace detail

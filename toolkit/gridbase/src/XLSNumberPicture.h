#pragma once
// A number section of a spreadsheet format read as a whole: its digit
// placeholders share one number, with literals between them, thousands
// grouping, scaling by trailing commas, percent and fractions.

#include "rtl/Types.h"

#include <optional>
#include <string_view>

namespace detail {

// The text of x in the section, or nothing when the section is no plain
// number picture (it has date codes, an exponent, text placeholders or
// letters that no step knows); those sections are rendered piece by piece.
// `absolute` writes the value without its sign.
std::optional<String> RenderNumberPicture(std::u16string_view section, double x, bool absolute);

// Whether the section holds date or time codes outside quotes, brackets and
// escapes.
bool HasDateCodes(std::u16string_view section);

// A row of "#" as wide as the section: the text of a value that the
// section cannot show.
String UnshowableValue(std::u16string_view section);

} // namespace detail

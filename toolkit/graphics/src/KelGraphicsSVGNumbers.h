#pragma once
// Number readers shared by the SVG engine's value grammars and its
// declaration reader.

#include "rtl/Types.h"

namespace detail {

// A length as ParseLength reads it; false, with AValue untouched, when its
// number does not parse. APercent tells whether the unit was "%".
bool TryParseSVGLength(const String& AText, Double& AValue, bool& APercent);

} // namespace detail

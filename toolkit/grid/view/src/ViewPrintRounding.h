#pragma once
// The rounding the print layout and the printed rows share.

#include "rtl/Types.h"

#include <cmath>

namespace view_print {

// Rounds halves to even, as the layout's rounding does.
inline Integer RoundEven(Double v) {
    return Integer(std::nearbyint(v));
}

} // namespace view_print

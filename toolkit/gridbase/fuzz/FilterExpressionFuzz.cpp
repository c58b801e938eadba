// Filter expressions: the input is the expression, then a NUL byte, then the
// value it is matched against, both ways of case.

#include "gridbase/FilterExpression.h"
#include "rtl/Encoding.h"
#include "rtltesting/FuzzInput.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto [expression, value] = FuzzSplit(data, size);
    const String e = FromUtf8(expression), v = FromUtf8(value);
    MatchFilterExpression(e, v, false);
    MatchFilterExpression(e, v, true);
    MatchingParenPos(e);
    return 0;
}

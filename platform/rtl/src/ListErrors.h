#pragma once
// The texts of the lists' index errors, shared by TList and TStringList.

#include "rtl/Types.h"

#include <string_view>

namespace detail {

// MessageFormat with its one %d filled in, e.g. "List index out of bounds (5)".
String ListErrorText(std::u16string_view MessageFormat, Integer Value);

inline String ListIndexErrorText(Integer Index) {
    return ListErrorText(u"List index out of bounds (%d)", Index);
}

} // namespace detail

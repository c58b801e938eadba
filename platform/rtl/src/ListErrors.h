#pragma once
// The texts of the lists' index errors, shared by TList and TStringList.

#include "rtl/Types.h"

namespace detail {

// "<Text> (<Value>)", e.g. "List index out of bounds (5)".
String ListErrorText(const String& Text, Integer Value);

inline String ListIndexErrorText(Integer Index) {
    return ListErrorText(u"List index out of bounds", Index);
}

} // namespace detail

#pragma once
// Case-insensitive comparison of names (registry keys and values, path
// components), as the Windows platform compares them: by their upper-case
// forms under Unicode simple case mapping.

#include "rtl/StringUtils.h"
#include "rtl/Types.h"

namespace os::detail {

inline String FoldName(const String& name) {
    return WideUpperCase(name);
}

inline bool SameName(const String& a, const String& b) {
    return a.size() == b.size() && WideUpperCase(a) == WideUpperCase(b);
}

} // namespace os::detail

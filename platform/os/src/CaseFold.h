#pragma once
// Case-insensitive comparison of names (registry keys and values, path
// components), as the Windows platform compares them.

#include "rtl/Types.h"

namespace os::detail {

String FoldName(const String& name);
bool SameName(const String& a, const String& b);

} // namespace os::detail

#pragma once
// Opening a link, file or folder with the desktop's opener (xdg-open), the
// way the shell's "open" verb does on Windows.

#include "rtl/Types.h"

#include <functional>

namespace os {

// Opens an http:// or https:// address, a mailto: link, or an existing file
// or folder (also written as a file:// address). Anything else is refused
// with false, as is an opener that cannot be started. Does not wait for the
// opener.
bool ShellOpen(const String& target);

// While a hook is set, ShellOpen hands every accepted request to it (a file
// or folder as its absolute path) instead of starting the opener, and answers
// what the hook answers. Answers the previous hook.
using TShellOpenHook = std::function<bool(const String& target)>;
TShellOpenHook SetShellOpenHook(TShellOpenHook hook);

} // namespace os

#pragma once
// Plain file access for the run-time library's streams, string lists and
// INI files: system error texts and the atomic replacement of a file.
// Internal to the library; the public file routines live in platform/os.

#include "rtl/Types.h"

#include <string_view>

namespace detail {

// The system's description of an errno value, e.g. "No such file or directory".
String SystemErrorText(int ErrorCode);

// "Cannot open file "<name>". <reason>" and "Cannot create file "<name>". <reason>".
String OpenErrorText(const String& FileName, int ErrorCode);
String CreateErrorText(const String& FileName, int ErrorCode);

// Replaces FileName with Bytes so that readers see either the old or the
// new contents, never a partial file: the bytes go to a temporary file in
// the same folder, are flushed to disk, and the temporary file is renamed
// over the target. An existing file's permissions are kept. Raises
// EFCreateError (with the target's name) when any step fails; the target is
// then untouched and the temporary file removed.
void ReplaceFileAtomically(const String& FileName, std::string_view Bytes);

} // namespace detail

#pragma once
// File-name routines on text alone: they never touch the file system except
// ExpandFileName, which reads the current folder. Paths use '/'.

#include "rtl/Types.h"

inline constexpr Char PathDelim = u'/';

// The folder part including its trailing delimiter ("" for a bare name).
String ExtractFilePath(const String& fileName);
String ExtractFileName(const String& fileName);
// The extension with its dot, or "" when the name has none.
String ExtractFileExt(const String& fileName);
String ChangeFileExt(const String& fileName, const String& extension);
String IncludeTrailingPathDelimiter(const String& path);
String ExcludeTrailingPathDelimiter(const String& path);
// An absolute path with "." and ".." resolved, relative names taken from the
// current folder; symbolic links are not resolved.
String ExpandFileName(const String& fileName);

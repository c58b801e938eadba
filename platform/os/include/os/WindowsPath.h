#pragma once
// Paths that come from Windows data (a scenario database made on Windows, a
// stored data path) become paths of this system: backslashes turn into '/',
// a drive letter turns into the folder it is mapped to, and a component that
// does not exist with the case written is looked up without regard to case.

#include "rtl/Types.h"

namespace os {

// The folder a drive letter stands for. Letters without a mapping of their
// own use $VANDREL_DRIVE_ROOT, else "/".
void SetDriveRoot(Char drive, const String& root);
String DriveRoot(Char drive);

String ConvertWindowsPath(const String& path);

} // namespace os

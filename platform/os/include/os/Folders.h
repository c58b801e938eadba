#pragma once
// The standard folders of the running program and its user. Every folder
// ends in a path delimiter.

#include "rtl/Types.h"

namespace os {

// The folder of the running program file.
String ProgramFolder();
// The user's documents folder (XDG_DOCUMENTS_DIR of the user's folder
// settings, else the home folder). Raises EOSError when the user has no home
// folder.
String DocumentsFolder();
// $TMPDIR when it names a folder, else /tmp.
String TempFolder();
// Creates a new, empty file with a unique name in the folder (the temporary
// folder when empty) and answers its name; raises EOSError when it cannot.
String CreateTempFile(const String& folder, const String& prefix);

} // namespace os

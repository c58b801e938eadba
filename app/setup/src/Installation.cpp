#include "setup/Installation.h"

#include "os/FilePath.h"
#include "os/Folders.h"

TInstallation::TInstallation(const String& prefix) : FPrefix(IncludeTrailingPathDelimiter(prefix)) {}

TInstallation TInstallation::OfRunningProgram() {
    return TInstallation(ExtractFilePath(ExcludeTrailingPathDelimiter(os::ProgramFolder())));
}

// Running the engine for a project: its folder, the start of Tesvorik in the
// engine folder, the copy of Summary.out into the project folder, and the
// viewer of the input files.

#include "core/EngineInputFiles.h"
#include "core/Folders.h"
#include "core/Project.h"
#include "core/RunAndWait.h"
#include "core/UserInteraction.h"
#include "os/FileUtils.h"
#include "os/OSError.h"
#include "os/Process.h"
#include "rtl/Exception.h"

#include <cerrno>

namespace {

constexpr const Char* SummaryFileName = u"Summary.out";

String EngineProgramName() {
    return String(u"Tesvorik") + os::ExeSuffix;
}

// False when an old Summary.out is still there afterwards: a file found after
// the run must come from this run.
bool RemoveOldSummary(const String& folder) {
    const String fileName = folder + SummaryFileName;
    if (!FileExists(fileName) || DeleteFile(fileName)) return true;
    UserInteraction().ShowError(u"Cannot remove the old results " + fileName);
    return false;
}

} // namespace

void TDWProject::CreateProjectDir() {
    const String folder = Path();
    if (folder.empty() || DirectoryExists(folder)) return;
    if (!CreateDir(folder)) RaiseLastOSError(u"Cannot create the project folder " + folder, errno);
}

bool TDWProject::ResultAvailable() const {
    const String folder = Path();
    return !folder.empty() && FileExists(folder + SummaryFileName);
}

bool TDWProject::Calculate() {
    // Window events are handled while the engine runs; a second start would
    // run a second engine on the same files.
    if (RunAndWaitActive()) {
        UserInteraction().ShowMessage(EngineProgramName() + u" is still running for a calculation");
        return false;
    }
    const String projectDir = Path();
    if (projectDir.empty()) {
        UserInteraction().ShowError(u"Cannot calculate a project that has no name");
        return false;
    }
    const String engineDir = GetPECDir();
    if (!RemoveOldSummary(engineDir) || !RemoveOldSummary(projectDir)) return false;

    if (!RunAndWait(engineDir + EngineProgramName(), String(), engineDir)) {
        UserInteraction().ShowMessage(u"Failed to run " + EngineProgramName() + u" from " + engineDir);
        return false;
    }
    if (!FileExists(engineDir + SummaryFileName)) return false;
    try {
        TStringList summary;
        summary.LoadFromFile(engineDir + SummaryFileName, &TEncoding::ANSI());
        summary.SaveToFile(projectDir + SummaryFileName, &TEncoding::ANSI());
    } catch (const Exception& e) {
        UserInteraction().ShowError(e.Message());
        return false;
    }
    return true;
}

void TDWProject::ViewInputFiles() {
    const String folder = Path();
    UserInteraction().ViewTextFiles({
        {u"CropPEC", folder + CropPECFileName},
        {u"CompoundProperties", folder + CompoundPropertiesFileName},
        {u"CropArea", folder + CropAreaInputFileName},
    });
}

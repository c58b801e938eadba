#include "core/Folders.h"

#include "os/FilePath.h"
#include "os/FileUtils.h"
#include "os/Folders.h"
#include "os/WindowsPath.h"
#include "rtl/Exception.h"

namespace {

String gDataPath;

const String& RequireDataPath(const Char* message) {
    if (gDataPath.empty()) throw Exception(message);
    return gDataPath;
}

} // namespace

String ReadRegistryString(HKEY rootKey, const String& keyPath, const String& valueName) {
    TRegistry registry(KEY_READ);
    registry.SetRootKey(rootKey);
    if (!registry.OpenKeyReadOnly(keyPath)) return String();
    String value = registry.ValueExists(valueName) ? registry.ReadString(valueName) : String();
    registry.CloseKey();
    return value;
}

String GetDataPath() {
    if (gDataPath.empty()) {
        const String keyPath = String(u"SOFTWARE\\") + ProgramKeyName;
        const String value = ReadRegistryString(HKEY_CURRENT_USER, keyPath, u"Datapath");
        if (value.empty()) throw Exception(u"No value found in registry for " + keyPath);
        gDataPath = IncludeTrailingPathDelimiter(os::ConvertWindowsPath(value));
    }
    return gDataPath;
}

void ClearDataPath() {
    gDataPath.clear();
}

String GetDataDir() {
    return RequireDataPath(u"Vandrel datapath not set!") + u"data/";
}

String GetProjectsDir() {
    return RequireDataPath(u"Vandrel datapath not set!") + u"projects/";
}

String GetPECDir() {
    return RequireDataPath(u"VANDREL datapath not set!") + u"data/PEC/";
}

String GetProgramDir() {
    return os::ProgramFolder();
}

String GetProgramDataDir() {
    return ProgramDataDirFor(GetProgramDir());
}

String ProgramDataDirFor(const String& programDir) {
    const String Installed = ExpandFileName(programDir + u"../share/vandrel/");
    return DirectoryExists(Installed) ? IncludeTrailingPathDelimiter(Installed) : programDir;
}

String GetResourcesDir() {
    return GetProgramDataDir() + u"data/resources/";
}

String GetDefaultCropAreaFile() {
    return GetProgramDataDir() + u"data/CropArea/default.CropArea";
}

String GetFirebirdClientPath() {
    return GetProgramDir() + u"libfbclient.so";
}

#include "setup/FirstRunSetup.h"

#include "OddsAndEnds/VANDRELRegistry.h"
#include "VORN/VORNRegistry.h"
#include "core/Folders.h"
#include "os/FilePath.h"
#include "os/FileUtils.h"
#include "os/WindowsPath.h"
#include "rtl/Encoding.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>

namespace {

constexpr const Char* DataPathValue = u"Datapath";
constexpr const Char* ScenarioDatabaseValue = u"travo_db";
constexpr const Char* SubstanceLibraryValue = u"vorn_dll";

String EnvironmentFolder(const char* name) {
    const char* value = std::getenv(name);
    return value && *value ? IncludeTrailingPathDelimiter(FromUtf8(value)) : String();
}

// A registry value that names a file: a path written on Windows names the
// file it converts to.
bool NamesExistingFile(const String& value) {
    return !value.empty() && FileExists(os::ConvertWindowsPath(value));
}

bool SameContents(const String& first, const String& second) {
    std::ifstream a(Utf8(first), std::ios::binary), b(Utf8(second), std::ios::binary);
    if (!a || !b) return false;
    return std::equal(std::istreambuf_iterator<char>(a), std::istreambuf_iterator<char>(),
                      std::istreambuf_iterator<char>(b), std::istreambuf_iterator<char>());
}

// The names in a folder other than "." and "..", in name order so that the
// setup reports its changes in the same order every time.
std::vector<TSearchRec> FolderEntries(const String& folder) {
    std::vector<TSearchRec> entries;
    TSearchRec entry;
    for (Integer found = FindFirst(folder + u"*", faAnyFile, entry); found == 0; found = FindNext(entry))
        if (entry.Name != u"." && entry.Name != u"..") entries.push_back(entry);
    FindClose(entry);
    std::sort(entries.begin(), entries.end(),
              [](const TSearchRec& a, const TSearchRec& b) { return a.Name < b.Name; });
    return entries;
}

// Creates a registry singleton for the setup's writes and destroys it again,
// also when a write fails.
template <class TSingleton>
class TSingletonScope {
public:
    explicit TSingletonScope(const String& keyName) { TSingleton::CreateSingleton(keyName); }
    ~TSingletonScope() { TSingleton::DestroySingleton(); }
    TSingletonScope(const TSingletonScope&) = delete;
    TSingletonScope& operator=(const TSingletonScope&) = delete;
    TSingleton* operator->() const { return &TSingleton::GetSingleton(); }
};

} // namespace

String DefaultDataPath() {
    const String registered =
        ReadRegistryString(HKEY_CURRENT_USER, String(u"SOFTWARE\\") + ProgramKeyName, DataPathValue);
    if (!registered.empty()) return IncludeTrailingPathDelimiter(os::ConvertWindowsPath(registered));
    String dataHome = EnvironmentFolder("XDG_DATA_HOME");
    if (dataHome.empty()) {
        const String home = EnvironmentFolder("HOME");
        if (home.empty()) throw ESetupError(u"The user's home folder is unknown.");
        dataHome = home + u".local/share/";
    }
    return dataHome + u"Vandrel/";
}

TFirstRunSetup::TFirstRunSetup(TInstallation installation, const String& dataPath)
    : FInstallation(std::move(installation)),
      FDataPath(IncludeTrailingPathDelimiter(ExpandFileName(dataPath))) {}

std::vector<String> TFirstRunSetup::Run() {
    FChanges.clear();
    CheckInstallation();
    for (const Char* folder :
         {u"", u"data/", u"data/PEC/", u"data/CropArea/", u"data/resources/", u"scenario/", u"projects/"})
        if (MakeFolder(FDataPath + folder)) FChanges.push_back(u"Created the folder " + FDataPath + folder);
    CopyMissing(FInstallation.DataTemplates(), FDataPath + u"data/");
    CopyMissing(FInstallation.ScenarioTemplates(), FDataPath + u"scenario/");
    PlaceEngine();
    PlaceSubstanceStore();
    WriteRegistryValues();
    return FChanges;
}

void TFirstRunSetup::CheckInstallation() const {
    const String data = FInstallation.DataTemplates();
    for (const String& part :
         {FInstallation.EngineProgram(), FInstallation.SubstanceLibrary(),
          FInstallation.SubstanceStoreTemplate(), data + u"VANDREL.db", data + u"PEC/Names.inp",
          data + u"CropArea/default.CropArea", FInstallation.ScenarioTemplates() + u"travo.fdb"})
        if (!FileExists(part))
            throw ESetupError(u"The installation in %s lacks %s.", {FInstallation.Prefix(), part});
}

bool TFirstRunSetup::MakeFolder(const String& folder) {
    if (DirectoryExists(folder)) return false;
    if (!ForceDirectories(folder)) throw ESetupError(u"Cannot create the folder %s.", {folder});
    return true;
}

void TFirstRunSetup::CopyMissing(const String& from, const String& to) {
    // Folders below the data path's own are reported through their files.
    MakeFolder(to);
    for (const TSearchRec& entry : FolderEntries(from)) {
        if (entry.Attr & faDirectory)
            CopyMissing(from + entry.Name + u"/", to + entry.Name + u"/");
        else if (!FileExists(to + entry.Name) && !DirectoryExists(to + entry.Name))
            CopyFileTo(from + entry.Name, to + entry.Name, false);
    }
}

void TFirstRunSetup::CopyFileTo(const String& from, const String& to, bool replace) {
    // The copy is made beside the target and moved into place, so a failed
    // copy leaves no half-made file that a later run would take as complete;
    // without `replace` a file that appeared meanwhile is not replaced.
    if (!CopyFile(from, to, !replace)) throw ESetupError(u"Cannot copy %s to %s.", {from, to});
    FChanges.push_back((replace ? u"Updated " : u"Copied ") + to);
}

void TFirstRunSetup::PlaceEngine() {
    const String engine = FDataPath + u"data/PEC/Tesvorik";
    if (!FileExists(engine))
        CopyFileTo(FInstallation.EngineProgram(), engine, false);
    else if (!SameContents(FInstallation.EngineProgram(), engine))
        CopyFileTo(FInstallation.EngineProgram(), engine, true);
}

void TFirstRunSetup::PlaceSubstanceStore() {
    if (!FileExists(FInstallation.SubstanceStore()))
        CopyFileTo(FInstallation.SubstanceStoreTemplate(), FInstallation.SubstanceStore(), false);
}

void TFirstRunSetup::WriteRegistryValues() {
    const auto change = [this](HKEY root, const String& key, const String& name, const String& value) {
        FChanges.push_back(u"Set " + RegistryRootName(root) + u"\\SOFTWARE\\" + key + u" \"" + name +
                           u"\" to " + value);
    };
    {
        TSingletonScope<TVANDRELRegistry> program(ProgramKeyName);
        // A registered path that leads to the data path, also one written on
        // Windows, stays as the user wrote it.
        if (!program->HKCUVarExists(DataPathValue, false) ||
            IncludeTrailingPathDelimiter(os::ConvertWindowsPath(program->HKCUGetStr(DataPathValue))) !=
                FDataPath) {
            program->HKCUSetStr(DataPathValue, FDataPath);
            change(HKEY_CURRENT_USER, ProgramKeyName, DataPathValue, FDataPath);
        }
        if (!program->HKCUVarExists(ScenarioDatabaseValue, false) ||
            !NamesExistingFile(program->HKCUGetStr(ScenarioDatabaseValue))) {
            program->HKCUSetStr(ScenarioDatabaseValue, ScenarioDatabase());
            change(HKEY_CURRENT_USER, ProgramKeyName, ScenarioDatabaseValue, ScenarioDatabase());
        }
    }
    TSingletonScope<TVORNRegistry> substanceTool(VORNKeyName);
    if (!substanceTool->HKLMVarExists(SubstanceLibraryValue, false) ||
        !NamesExistingFile(substanceTool->HKLMGetStr(SubstanceLibraryValue))) {
        substanceTool->HKLMSetStr(SubstanceLibraryValue, FInstallation.SubstanceLibrary());
        change(HKEY_LOCAL_MACHINE, VORNKeyName, SubstanceLibraryValue, FInstallation.SubstanceLibrary());
    }
}

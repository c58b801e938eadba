#include "setup/FirstRunSetup.h"

#include "coretesting/TestFolders.h"
#include "os/FilePath.h"
#include "os/FileUtils.h"
#include "os/Registry.h"
#include "os/WindowsPath.h"
#include "rtl/Encoding.h"

#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <optional>
#include <sstream>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

void WriteFile(const String& fileName, const std::string& contents) {
    ForceDirectories(ExtractFilePath(fileName));
    std::ofstream(Utf8(fileName), std::ios::binary) << contents;
}

std::string ReadFile(const String& fileName) {
    std::ifstream file(Utf8(fileName), std::ios::binary);
    std::stringstream contents;
    contents << file.rdbuf();
    return contents.str();
}

String ReadValue(HKEY root, const String& key, const String& name) {
    TRegistry registry(KEY_READ);
    registry.SetRootKey(root);
    return registry.OpenKeyReadOnly(key) ? registry.ReadString(name) : u"(no key)";
}

void WriteValue(HKEY root, const String& key, const String& name, const String& value) {
    TRegistry registry;
    registry.SetRootKey(root);
    ASSERT_TRUE(registry.OpenKey(key, true));
    registry.WriteString(name, value);
}

const String ProgramKey = u"SOFTWARE\\Brennhoven\\VANDREL142";
const String SubstanceToolKey = u"SOFTWARE\\Brennhoven\\VORN";

// Sets an environment variable (or removes it for nullopt) while it lives.
class TEnvironmentVariable {
public:
    TEnvironmentVariable(const char* name, std::optional<std::string> value) : FName(name) {
        if (const char* previous = getenv(name)) FPrevious = previous;
        value ? setenv(name, value->c_str(), 1) : unsetenv(name);
    }
    ~TEnvironmentVariable() { FPrevious ? setenv(FName, FPrevious->c_str(), 1) : unsetenv(FName); }
    TEnvironmentVariable(const TEnvironmentVariable&) = delete;
    TEnvironmentVariable& operator=(const TEnvironmentVariable&) = delete;

private:
    const char* FName;
    std::optional<std::string> FPrevious;
};

String MessageOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const Exception& e) {
        return e.Message();
    }
    return u"(no exception)";
}

// A small installation with a file of every kind the setup places, and an
// empty data path beside it; both registry roots are private to the test.
class FirstRunSetup : public ::testing::Test {
protected:
    void SetUp() override {
        WriteFile(Install.EngineProgram(), "engine 1");
        chmod(Utf8(Install.EngineProgram()).c_str(), 0755);
        WriteFile(Install.SubstanceLibrary(), "library");
        WriteFile(Install.SubstanceStoreTemplate(), "example substances");
        WriteFile(Install.DataTemplates() + u"VANDREL.db", "reference rows");
        WriteFile(Install.DataTemplates() + u"PEC/Names.inp", "names");
        WriteFile(Install.DataTemplates() + u"CropArea/default.CropArea", "areas");
        WriteFile(Install.DataTemplates() + u"resources/Map.jpg", "map");
        WriteFile(Install.ScenarioTemplates() + u"travo.fdb", "scenarios");
        WriteFile(Install.ScenarioTemplates() + u"TRAVO/Projects/A b/run1.m2t", "dates");
    }

    std::vector<String> RunSetup() { return TFirstRunSetup(Install, DataPath).Run(); }

    TRegistrySandbox Registry;
    TTestFolder Folder;
    TInstallation Install{Folder / u"prefix"};
    String DataPath = Folder / u"home/Vandrel/";
};

TEST_F(FirstRunSetup, FreshRunPlacesEveryFileAndRegistryValue) {
    EXPECT_FALSE(RunSetup().empty());

    const std::pair<String, std::string> placed[] = {
        {DataPath + u"data/VANDREL.db", "reference rows"},
        {DataPath + u"data/PEC/Names.inp", "names"},
        {DataPath + u"data/PEC/Tesvorik", "engine 1"},
        {DataPath + u"data/CropArea/default.CropArea", "areas"},
        {DataPath + u"data/resources/Map.jpg", "map"},
        {DataPath + u"scenario/travo.fdb", "scenarios"},
        {DataPath + u"scenario/TRAVO/Projects/A b/run1.m2t", "dates"},
        {Install.SubstanceStore(), "example substances"},
    };
    for (const auto& [file, contents] : placed)
        EXPECT_EQ(ReadFile(file), contents) << Utf8(file);
    EXPECT_EQ(access(Utf8(DataPath + u"data/PEC/Tesvorik").c_str(), X_OK), 0);
    EXPECT_TRUE(DirectoryExists(DataPath + u"projects/"));

    EXPECT_EQ(ReadValue(HKEY_CURRENT_USER, ProgramKey, u"Datapath"), DataPath);
    EXPECT_EQ(ReadValue(HKEY_CURRENT_USER, ProgramKey, u"travo_db"), DataPath + u"scenario/travo.fdb");
    EXPECT_EQ(ReadValue(HKEY_LOCAL_MACHINE, SubstanceToolKey, u"vorn_dll"), Install.SubstanceLibrary());
}

TEST_F(FirstRunSetup, RunningAgainKeepsTheUsersDataAndRepairsWhatIsMissing) {
    RunSetup();
    WriteFile(DataPath + u"data/VANDREL.db", "reference rows and a project");
    WriteFile(DataPath + u"projects/P1/CropPEC.inp", "peaks");
    WriteFile(DataPath + u"data/CropArea/default.CropArea", "areas the user changed");
    DeleteFile(DataPath + u"data/PEC/Names.inp");
    DeleteDirectory(DataPath + u"scenario/TRAVO/");
    DeleteDirectory(DataPath + u"data/resources/");
    WriteFile(Install.EngineProgram(), "engine 2");

    EXPECT_EQ(RunSetup(), (std::vector<String>{
                              u"Created the folder " + DataPath + u"data/resources/",
                              u"Copied " + DataPath + u"data/PEC/Names.inp",
                              u"Copied " + DataPath + u"data/resources/Map.jpg",
                              u"Copied " + DataPath + u"scenario/TRAVO/Projects/A b/run1.m2t",
                              u"Updated " + DataPath + u"data/PEC/Tesvorik",
                          }));
    EXPECT_EQ(ReadFile(DataPath + u"data/VANDREL.db"), "reference rows and a project");
    EXPECT_EQ(ReadFile(DataPath + u"projects/P1/CropPEC.inp"), "peaks");
    EXPECT_EQ(ReadFile(DataPath + u"data/CropArea/default.CropArea"), "areas the user changed");
    EXPECT_EQ(ReadFile(DataPath + u"data/PEC/Tesvorik"), "engine 2");

    EXPECT_EQ(RunSetup(), std::vector<String>());
}

TEST_F(FirstRunSetup, RegistryValuesThatNameAnExistingFileAreKept) {
    struct TCase {
        HKEY Root;
        String Key, Name;
        bool FileExists;
    };
    const String ownFile = Folder / u"own/file";
    WriteFile(ownFile, "own");
    for (const TCase& c : {TCase{HKEY_CURRENT_USER, ProgramKey, u"travo_db", true},
                           TCase{HKEY_CURRENT_USER, ProgramKey, u"travo_db", false},
                           TCase{HKEY_LOCAL_MACHINE, SubstanceToolKey, u"vorn_dll", true},
                           TCase{HKEY_LOCAL_MACHINE, SubstanceToolKey, u"vorn_dll", false}}) {
        const String value = c.FileExists ? ownFile : Folder / u"own/gone";
        WriteValue(c.Root, c.Key, c.Name, value);
        RunSetup();
        const String installed =
            c.Name == u"travo_db" ? DataPath + u"scenario/travo.fdb" : Install.SubstanceLibrary();
        EXPECT_EQ(ReadValue(c.Root, c.Key, c.Name), c.FileExists ? value : installed) << Utf8(c.Name);
    }
}

TEST_F(FirstRunSetup, ARegisteredWindowsPathIsFollowed) {
    os::SetDriveRoot(u'D', Folder.Path());
    WriteValue(HKEY_CURRENT_USER, ProgramKey, u"travo_db", u"D:\\OWN\\TRAVO.FDB");
    WriteFile(Folder / u"own/travo.fdb", "own scenarios");
    WriteValue(HKEY_CURRENT_USER, ProgramKey, u"Datapath", u"D:\\Home\\Vandrel");
    ForceDirectories(Folder / u"home/Vandrel");

    EXPECT_EQ(DefaultDataPath(), DataPath);
    RunSetup();
    EXPECT_EQ(ReadValue(HKEY_CURRENT_USER, ProgramKey, u"travo_db"), u"D:\\OWN\\TRAVO.FDB");
    EXPECT_EQ(ReadValue(HKEY_CURRENT_USER, ProgramKey, u"Datapath"), u"D:\\Home\\Vandrel");
    os::SetDriveRoot(u'D', u"");
}

TEST_F(FirstRunSetup, WithoutARegisteredDataPathTheUsersDataFolderIsTaken) {
    const std::string home = Utf8(Folder / u"home");
    {
        TEnvironmentVariable data("XDG_DATA_HOME", home + "/share");
        EXPECT_EQ(DefaultDataPath(), FromUtf8(home + "/share/Vandrel/"));
    }
    {
        TEnvironmentVariable data("XDG_DATA_HOME", std::nullopt);
        TEnvironmentVariable user("HOME", home);
        EXPECT_EQ(DefaultDataPath(), FromUtf8(home + "/.local/share/Vandrel/"));
        TEnvironmentVariable noUser("HOME", std::nullopt);
        EXPECT_EQ(MessageOf([] { DefaultDataPath(); }), u"The user's home folder is unknown.");
    }
}

TEST_F(FirstRunSetup, AnIncompleteInstallationChangesNothing) {
    DeleteFile(Install.ScenarioTemplates() + u"travo.fdb");
    EXPECT_EQ(MessageOf([&] { RunSetup(); }), u"The installation in " + Install.Prefix() + u" lacks " +
                                                  Install.ScenarioTemplates() + u"travo.fdb.");
    EXPECT_FALSE(DirectoryExists(DataPath));
    EXPECT_EQ(ReadValue(HKEY_CURRENT_USER, ProgramKey, u"Datapath"), u"(no key)");
}

TEST_F(FirstRunSetup, AFolderThatCannotBeMadeIsReported) {
    WriteFile(Folder / u"home", "a file where the data path's parent should be");
    EXPECT_EQ(MessageOf([&] { RunSetup(); }), u"Cannot create the folder " + DataPath + u".");
}

} // namespace

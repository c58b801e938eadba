// The scenario side of the data module against the example scenario
// database, made at test time from data/examples/scenario/travo.sql through
// Firebird's embedded engine, with the lateral-entry files beside it.

#include "OddsAndEnds/VANDRELRegistry.h"
#include "core/DataModule.h"
#include "core/Folders.h"
#include "core/Project.h"
#include "coretesting/ScriptedUserInteraction.h"
#include "coretesting/TestFolders.h"
#include "os/FileUtils.h"
#include "os/WindowsPath.h"
#include "rtl/Encoding.h"
#include "rtl/Exception.h"
#include "rtl/StringList.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <spawn.h>
#include <stdexcept>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <utility>
#include <vector>

extern char** environ;

// The embedded engine keeps its character-set converters for the life of the
// process and never frees them, and the loader keeps the records of the
// plugins the engine loads; neither is a leak of ours. LeakSanitizer crashes
// while it scans the thread-local storage of those plugins, so it does not
// scan thread-local storage in this program.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfbclient.so\nleak:_dl_map_object_deps\n";
}
extern "C" const char* __lsan_default_options() {
    return "use_tls=0";
}

namespace {

using TCall = TScriptedUserInteraction::TCall;
using TKind = TScriptedUserInteraction::TCallKind;

const String ExampleFolder = FromUtf8(VANDREL_EXAMPLE_SCENARIO "/");

const String WrongVersionMessage =
    u"You try to open a TRAVO-database with a wrong version. Version 3 is required, part of TRAVO 5.3";

// Makes the Firebird database `File` from the example script followed by
// `Extra` statements, with isql-fb through the embedded engine.
void MakeScenarioDatabase(const String& File, const std::string& Extra) {
    const std::string Driver = Utf8(File) + ".sql";
    std::ofstream(Driver) << "SET BAIL ON;\n"
                          << "CREATE DATABASE '" << Utf8(File)
                          << "' USER 'SYSDBA' DEFAULT CHARACTER SET UTF8;\n"
                          << "INPUT '" << Utf8(ExampleFolder) << "travo.sql';\n"
                          << Extra << "COMMIT;\n";
    std::vector<std::string> Args{VANDREL_ISQL_FB, "-q", "-b", "-i", Driver};
    std::vector<char*> Argv;
    for (std::string& Arg : Args)
        Argv.push_back(Arg.data());
    Argv.push_back(nullptr);
    pid_t Pid = 0;
    int Status = 0;
    if (posix_spawn(&Pid, Argv[0], nullptr, nullptr, Argv.data(), environ) != 0 ||
        waitpid(Pid, &Status, 0) != Pid || !WIFEXITED(Status) || WEXITSTATUS(Status) != 0)
        throw std::runtime_error("isql-fb could not make " + Utf8(File));
}

// The substance library as the data module asks it.
class TFakeSubstanceLibrary : public ISubstanceLibrary {
public:
    String GetSubstanceChecksumByGUID(const String& GUID) override { return u"current checksum of " + GUID; }
    String GetSubstanceCode(const String&) override { return u"Examplofen"; }
};

// The data module with its start-up step within reach.
class TTestDataModule : public TdmDataObjects {
public:
    using TdmDataObjects::OpenScenarioDatabase;
    using TdmDataObjects::TdmDataObjects;
};

class ScenarioDatabase : public ::testing::Test {
protected:
    // The engine writes its files synchronously: in memory (/dev/shm) they
    // are made many times faster than on disk.
    static void SetUpTestSuite() {
        const char* Previous = getenv("TMPDIR");
        const std::string Kept = Previous ? Previous : "";
        if (access("/dev/shm", W_OK) == 0) setenv("TMPDIR", "/dev/shm", 1);
        Databases = new TTestFolder;
        if (Previous)
            setenv("TMPDIR", Kept.c_str(), 1);
        else
            unsetenv("TMPDIR");
        MakeScenarioDatabase(ExampleFile(), "");
    }
    static void TearDownTestSuite() {
        delete Databases;
        Databases = nullptr;
    }
    static String ExampleFile() { return *Databases / u"travo.fdb"; }
    static String Version2File() {
        const String File = *Databases / u"travo-version-2.fdb";
        if (!FileExists(File)) MakeScenarioDatabase(File, "UPDATE SYSDBINFO SET DBVERSION = 2;\n");
        return File;
    }

    void SetUp() override {
        TVANDRELRegistry::CreateSingleton(ProgramKeyName);
        os::SetDriveRoot(u'C', ExampleFolder);
        Module = Create<TTestDataModule>(nullptr);
        Module->SetSubstanceLibrary(&Library);
    }
    void TearDown() override {
        Free(Module);
        TVANDRELRegistry::DestroySingleton();
    }

    // Opens the example database named in the registry, without a dialog.
    void Connect() {
        Registry().HKCUSetStr(TravoDBValueName, ExampleFile());
        Module->OpenScenarioDatabase();
        ASSERT_TRUE(Module->ADOConnectionTRAVO->Connected());
    }

    static TVANDRELRegistry& Registry() { return TVANDRELRegistry::GetSingleton(); }
    bool TravoDBStored() const { return Registry().HKCUVarExists(TravoDBValueName, false); }

    std::vector<std::pair<String, Integer>> Projects(const String& Scenario) {
        TStringList List;
        Module->GetTravoProjects(List, Scenario);
        std::vector<std::pair<String, Integer>> Result;
        for (Integer I = 0; I < List.Count(); ++I)
            Result.emplace_back(List.Strings(I), TravoProjectIDOf(List, I));
        std::sort(Result.begin(), Result.end());
        return Result;
    }

    static inline TTestFolder* Databases = nullptr;
    TRegistrySandbox Sandbox;
    TScriptedUserInteraction User;
    TFakeSubstanceLibrary Library;
    TTestDataModule* Module = nullptr;
};

std::vector<String> DatesOf(const TRun& Run) {
    std::vector<String> Dates;
    for (const TRunApplication* Application : Run.Applications())
        Dates.push_back(Application->ApplDate);
    return Dates;
}

std::vector<Double> RatesOf(const TRun& Run) {
    std::vector<Double> Rates;
    for (const TRunApplication* Application : Run.Applications())
        Rates.push_back(Application->Rate);
    return Rates;
}

} // namespace

// ------------------------------------------------------------------ start-up

TEST_F(ScenarioDatabase, TheFirstStartAsksForTheFileAndTheNextOpensItWithoutAsking) {
    User.AnswerOpenFile(ExampleFile());
    Module->OpenScenarioDatabase();

    EXPECT_TRUE(Module->ADOConnectionTRAVO->Connected());
    ASSERT_EQ(User.OpenFileRequests().size(), 1u);
    const TOpenFileRequest& Request = User.OpenFileRequests()[0];
    EXPECT_EQ(Request.Title, u"Select the TRAVO database ");
    EXPECT_EQ(Request.InitialDir, ExampleFolder + u"TRAVO/data"); // drive C: with the folder found
    EXPECT_EQ(Request.FileName, u"travo.fdb");
    EXPECT_EQ(Request.Filter, u"Firebird files (*.fdb)|*.fdb|All files (*.*)|*.*");
    EXPECT_EQ(Registry().HKCUGetStr(TravoDBValueName), ExampleFile());

    Free(Module);
    Module = Create<TTestDataModule>(nullptr);
    Module->OpenScenarioDatabase();
    EXPECT_TRUE(Module->ADOConnectionTRAVO->Connected());
    EXPECT_EQ(User.Calls().size(), 1u); // still only the first dialog
}

TEST_F(ScenarioDatabase, ARegistryValueNamingAMovedFileIsReportedBeforeTheDialog) {
    const String Moved = *Databases / u"moved/travo.fdb";
    Registry().HKCUSetStr(TravoDBValueName, Moved);
    User.AnswerOpenFile(ExampleFile());
    Module->OpenScenarioDatabase();

    EXPECT_EQ(User.Calls(), (std::vector<TCall>{{TKind::Error, u"TRAVO database not found: " + Moved + u"."},
                                                {TKind::OpenFile, u"Select the TRAVO database "}}));
    EXPECT_EQ(Registry().HKCUGetStr(TravoDBValueName), ExampleFile());
}

TEST_F(ScenarioDatabase, AWrongVersionIsReportedAndTheDialogComesAgainUntilTheUserCancels) {
    User.AnswerOpenFile(Version2File());
    User.CancelOpenFile();
    try {
        Module->OpenScenarioDatabase();
        FAIL() << "the start-up went on";
    } catch (const Exception& E) {
        EXPECT_EQ(E.Message(), u"error opening the TRAVO-database.");
    }
    EXPECT_EQ(User.Calls(), (std::vector<TCall>{{TKind::OpenFile, u"Select the TRAVO database "},
                                                {TKind::Error, u"Error opening the TRAVO-database: \"" +
                                                                   WrongVersionMessage + u"\""},
                                                {TKind::OpenFile, u"Select the TRAVO database "}}));
    EXPECT_FALSE(Module->ADOConnectionTRAVO->Connected());
    EXPECT_FALSE(TravoDBStored());
}

TEST_F(ScenarioDatabase, AFileThatIsNoDatabaseGivesTheProvidersMessageAndTheDialogAgain) {
    const String Text = *Databases / u"notes.fdb";
    std::ofstream(Utf8(Text)) << "not a database\n";
    User.AnswerOpenFile(Text);
    User.AnswerOpenFile(ExampleFile());
    Module->OpenScenarioDatabase();

    const std::vector<String> Errors = User.Texts(TKind::Error);
    ASSERT_EQ(Errors.size(), 1u);
    EXPECT_EQ(Errors[0].rfind(u"Error opening the TRAVO-database: \"", 0), 0u) << Utf8(Errors[0]);
    EXPECT_GT(Errors[0].size(), std::u16string(u"Error opening the TRAVO-database: \"\"").size());
    EXPECT_TRUE(Module->ADOConnectionTRAVO->Connected());
    EXPECT_EQ(Registry().HKCUGetStr(TravoDBValueName), ExampleFile());
}

TEST_F(ScenarioDatabase, AFileNameWithTheConnectionTextsSeparatorsOpens) {
    const String Odd = *Databases / u"scenario; Database=other.fdb";
    ASSERT_TRUE(CopyFile(ExampleFile(), Odd, true));
    Registry().HKCUSetStr(TravoDBValueName, Odd);
    Module->OpenScenarioDatabase();
    EXPECT_TRUE(Module->ADOConnectionTRAVO->Connected());
    EXPECT_TRUE(User.Calls().empty());
}

// ------------------------------------------------------------------ projects

TEST_F(ScenarioDatabase, OnlyCopiedProjectsWithReadableRunsAtTheLockedLocationAreListed) {
    Connect();
    // Not listed: the standard project, the project with runs only at the
    // pond, the one at an unlocked copy of D3_Ditch, and the one whose
    // lateral-entry file counts other applications than the database.
    EXPECT_EQ(Projects(AssessedScenario), (std::vector<std::pair<String, Integer>>{
                                              {u"Examplofen sugar beet", 4},
                                              {u"Examplofen_arable", 2},
                                              {u"Examplofen_fruit_veg", 3},
                                          }));
}

TEST_F(ScenarioDatabase, WithoutAScenarioCopiedProjectsOfEveryLocationAreListed) {
    Connect();
    EXPECT_EQ(Projects(u""), (std::vector<std::pair<String, Integer>>{
                                 {u"Examplofen sugar beet", 4},
                                 {u"Examplofen_arable", 2},
                                 {u"Examplofen_fruit_veg", 3},
                                 {u"Examplofen_pond", 5},
                                 {u"Examplofen_user_ditch", 6},
                             }));
}

TEST_F(ScenarioDatabase, TheScenarioIsAValueNotPartOfTheStatement) {
    Connect();
    EXPECT_TRUE(Projects(u"D3_Ditch' OR 'x' = 'x").empty());
}

// ------------------------------------------------------------------ runs

TEST_F(ScenarioDatabase, RowsOfOneRunBecomeItsApplicationsInOrder) {
    Connect();
    TOwnedList<TRun> Runs;
    Module->ReadTravoRuns(Runs, 2, AssessedScenario);

    ASSERT_EQ(Runs.Count(), 2); // run 203 lies at the pond
    const TRun& Cereals = *Runs.Items(0);
    EXPECT_EQ(Cereals.RunID, u"201");
    EXPECT_EQ(RatesOf(Cereals), std::vector<Double>{1.2});

    const TRun& Potatoes = *Runs.Items(1);
    EXPECT_EQ(Potatoes.RunID, u"202");
    EXPECT_EQ(RatesOf(Potatoes), (std::vector<Double>{0.5, 0.5}));
    EXPECT_EQ(Potatoes.NumberOfApplications, 2);
    EXPECT_EQ(Potatoes.LatEntryFile(), u"run202.m2t");
    EXPECT_EQ(Potatoes.SubstanceGUID(), u"{6A0E2F4C-1B7D-4E59-9C31-2D8F0A4B7E11}");
    EXPECT_EQ(Potatoes.SubstanceCheckSum(), u"example-checksum-1");
    EXPECT_EQ(Potatoes.FOCUS_D3_Crop()->CropCode, u"Potatoes");
    EXPECT_EQ(Potatoes.FOCUS_D3_Crop()->CropDirName, u"potatoes");
    EXPECT_EQ(Potatoes.FOCUS_D3_Crop()->CropNr, 12);
    EXPECT_EQ(Potatoes.FOCUS_D3_Crop()->CropOrder, u"2");
    EXPECT_FALSE(Potatoes.available);
}

TEST_F(ScenarioDatabase, AProjectIsReadWithItsRunsDatesAndTheLibrarysSubstance) {
    Connect();
    TTRAVOProject Project;
    Module->ReadTravoProject(Project, 3, AssessedScenario);

    EXPECT_EQ(Project.ID, 3);
    EXPECT_EQ(Project.Name(), u"Examplofen_fruit_veg");
    EXPECT_EQ(Project.Description, u"Examplofen in fruit and vegetables (example data)");
    EXPECT_EQ(Project.Path(), u"C:\\TRAVO\\Projects\\Examplofen_fruit_veg");
    EXPECT_FALSE(Project.Created.empty());
    EXPECT_FALSE(Project.Missing);

    ASSERT_EQ(Project.Runs().Count(), 3);
    const std::vector<std::vector<String>> Dates{
        {u"20-apr-1985", u"04-may-1985", u"18-may-1985"},
        {u"10-apr-1985"}, // a file named by its drive path
        {u"12-jul-1985", u"26-jul-1985"},
    };
    for (Integer I = 0; I < 3; ++I) {
        const TRun& Run = *Project.Runs().Items(I);
        EXPECT_TRUE(Run.available) << I;
        EXPECT_EQ(DatesOf(Run), Dates[static_cast<size_t>(I)]) << I;
        EXPECT_EQ(Run.Date_peak, Dates[static_cast<size_t>(I)].back()) << I;
    }
    // Two runs of crop number 22 are told apart by their order number.
    EXPECT_EQ(Project.Runs().Items(1)->FOCUS_D3_Crop()->AsString(), u"Vegetables, leafy_2");
    EXPECT_EQ(Project.Runs().Items(2)->FOCUS_D3_Crop()->AsString(), u"Vegetables, leafy_3");

    EXPECT_EQ(Project.Substance()->GUID(), u"{6A0E2F4C-1B7D-4E59-9C31-2D8F0A4B7E11}");
    EXPECT_EQ(Project.Substance()->CheckSum(), u"current checksum of {6A0E2F4C-1B7D-4E59-9C31-2D8F0A4B7E11}");
    EXPECT_EQ(Project.Substance()->Caption(), u"Examplofen");
}

TEST_F(ScenarioDatabase, ACaptionWithBlanksIsReadAsItStands) {
    Connect();
    TTRAVOProject Project;
    Module->ReadTravoProject(Project, 4, AssessedScenario);
    EXPECT_EQ(Project.Name(), u"Examplofen sugar beet");
    ASSERT_EQ(Project.Runs().Count(), 1);
    EXPECT_TRUE(Project.Runs().Items(0)->available);
}

TEST_F(ScenarioDatabase, ARunWhoseFileCountsOtherApplicationsStaysWithoutDates) {
    Connect();
    TTRAVOProject Project;
    Module->ReadTravoProject(Project, 7, AssessedScenario);
    ASSERT_EQ(Project.Runs().Count(), 1);
    const TRun& Run = *Project.Runs().Items(0);
    EXPECT_FALSE(Run.available);
    EXPECT_EQ(DatesOf(Run), std::vector<String>(2));
    EXPECT_EQ(Run.Date_peak, u"");
}

TEST_F(ScenarioDatabase, AProjectThatIsGoneIsReportedAndNothingOfTheEarlierProjectStays) {
    Connect();
    TTRAVOProject Project;
    Module->ReadTravoProject(Project, 2, AssessedScenario);
    ASSERT_EQ(Project.Runs().Count(), 2);

    Module->ReadTravoProject(Project, 99, AssessedScenario);
    EXPECT_EQ(
        User.Texts(TKind::Message),
        std::vector<String>{u"The related MIRETH project of the selected project is not found. Possibly "
                            u"removed in MIRETH. (ProjectID: 99)"});
    EXPECT_TRUE(Project.Missing);
    EXPECT_EQ(Project.ID, 99);
    EXPECT_EQ(Project.Runs().Count(), 0);
    EXPECT_EQ(Project.Name(), u"");
    EXPECT_EQ(Project.Path(), u"");
    EXPECT_EQ(Project.Substance()->GUID(), u"");

    Module->ReadTravoProject(Project, 2, AssessedScenario);
    EXPECT_FALSE(Project.Missing);
}

#include "core/Project.h"

#include "core/Folders.h"
#include "core/StartUp.h"
#include "coretesting/MemoryProjectDataModule.h"
#include "coretesting/ScriptedUserInteraction.h"
#include "coretesting/TestFolders.h"
#include "os/Registry.h"
#include "rtl/DateTime.h"
#include "rtl/Encoding.h"
#include "rtl/Exception.h"
#include "rtltesting/ExceptionMessage.h"

#include <gtest/gtest.h>
#include <regex>

namespace {

const String InvalidNameMessage = u"invalid characters: <space> = / \\ ( ) > < * : \" , . + = ? ";

std::unique_ptr<TRun> RunOf(const String& RunID, const String& FocusCrop, bool Valid, bool Used,
                            Integer Apps) {
    auto Run = std::make_unique<TRun>();
    Run->RunID = RunID;
    Run->FOCUS_D3_Crop()->CropCode = FocusCrop;
    Run->valid = Valid;
    Run->used = Used;
    Run->NumberOfApplications = Apps;
    return Run;
}

void FillProject(TProject& Project) {
    Project.ID = 12;
    Project.SetName(u"Assessment");
    Project.Description = u"first try";
    Project.Created = u"01-02-2024";
    Project.Modified = u"03-02-2024";
    Project.SetPath(u"/somewhere/");
    Project.Substance()->SetGUID(u"{guid}");
    Project.Substance()->SetCheckSum(u"cs1");
    Project.Substance()->SetCaption(u"EXA");
}

class NameValidation : public ::testing::TestWithParam<String> {};

} // namespace

TEST_P(NameValidation, ACharacterThatCannotBeInAFolderNameIsRefusedAndTheOldNameKept) {
    TDWProject Project;
    Project.SetName(u"Old");
    EXPECT_EQ(MessageOf([&] { Project.SetName(u"New" + GetParam() + u"name"); }), InvalidNameMessage);
    EXPECT_EQ(Project.Name(), u"Old");
}

INSTANTIATE_TEST_SUITE_P(Characters, NameValidation,
                         ::testing::Values(u" ", u"/", u"\\", u"(", u")", u">", u"<", u"*", u":", u"\"", u"|",
                                           u",", u".", u"+", u"=", u"?"));

TEST(Project, NamesWithoutSuchCharactersAndTheEmptyNameAreAccepted) {
    TDWProject Project;
    for (const String Name : {u"Project_1-b", u"", u"Ëlst"}) {
        Project.SetName(Name);
        EXPECT_EQ(Project.Name(), Name);
    }
}

TEST(Project, AScenarioCaptionIsNeverRefusedAsItIsNoFolderName) {
    TDWProject Source;
    Source.TRAVOProject()->SetName(u"Examplofen sugar beet");
    TDWProject Destination;
    Source.CopyData(u"Copy", u"", Destination);
    EXPECT_EQ(Destination.TRAVOProject()->Name(), u"Examplofen sugar beet");
}

TEST(Project, ClearEmptiesEverythingButTheSubstanceChecksum) {
    TTRAVOProject Project;
    FillProject(Project);
    Project.Runs().Add(RunOf(u"1", u"maize", true, true, 1));
    Project.Clear();
    EXPECT_EQ(Project.ID, 0);
    EXPECT_EQ(Project.Name(), u"");
    EXPECT_EQ(Project.Description, u"");
    EXPECT_EQ(Project.Created, u"");
    EXPECT_EQ(Project.Modified, u"");
    EXPECT_EQ(Project.Path(), u"");
    EXPECT_EQ(Project.Substance()->GUID(), u"");
    EXPECT_EQ(Project.Substance()->Caption(), u"");
    EXPECT_EQ(Project.Substance()->CheckSum(), u"cs1");
    EXPECT_EQ(Project.Runs().Count(), 0);
}

TEST(Project, AssessmentProjectClearKeepsScenarioProjectAndPoints) {
    TDWProject Project;
    Project.TRAVOProject()->Runs().Add(RunOf(u"1", u"maize", true, true, 1));
    Project.AbstractionPoints()->NewAbstractionPoint();
    Project.Clear();
    EXPECT_EQ(Project.TRAVOProject()->Runs().Count(), 1);
    EXPECT_EQ(Project.AbstractionPoints()->Count(), 1);
}

TEST(Project, CopyDataWithoutNewTextsKeepsNameAndDescriptionAndDatesToday) {
    SetupFormatSettings();
    TTRAVOProject Source;
    FillProject(Source);
    TTRAVOProject Destination;
    Destination.SetPath(u"/destination/");
    Source.CopyData(u"", u"", Destination);

    const String Today = FormatDateTime(u"dd-mm-yyyy", Date());
    EXPECT_EQ(Destination.Name(), u"Assessment");
    EXPECT_EQ(Destination.Description, u"first try");
    EXPECT_EQ(Destination.Created, Today);
    EXPECT_EQ(Destination.Modified, Today);
    EXPECT_EQ(Destination.ID, -1);
    EXPECT_EQ(Destination.Path(), u"/destination/");
    EXPECT_EQ(Destination.Substance()->GUID(), u"{guid}");
    EXPECT_EQ(Destination.Substance()->CheckSum(), u"cs1");
    EXPECT_EQ(Destination.Substance()->Caption(), u"EXA");

    Source.CopyData(u"Second", u"other", Destination);
    EXPECT_EQ(Destination.Name(), u"Second");
    EXPECT_EQ(Destination.Description, u"other");
}

TEST(Project, CopyDataWithAnInvalidNameChangesNothing) {
    TDWProject Source;
    FillProject(Source);
    TDWProject Destination;
    Destination.Description = u"kept";
    EXPECT_EQ(MessageOf([&] { Source.CopyData(u"new name", u"new", Destination); }), InvalidNameMessage);
    EXPECT_EQ(Destination.Description, u"kept");
    EXPECT_EQ(Destination.ID, 0);
    EXPECT_EQ(Destination.Substance()->GUID(), u"");
}

TEST(Project, CopyDataIntoAnotherKindIsRefused) {
    TDWProject Source;
    TTRAVOProject Destination;
    EXPECT_EQ(MessageOf([&] { Source.CopyData(u"", u"", Destination); }), u"Invalid class typecast");
}

TEST(Project, SetModifiedWritesTheCurrentDateAndTime) {
    SetupFormatSettings();
    TTRAVOProject Project;
    Project.SetModified();
    const std::string Modified = Utf8(Project.Modified);
    EXPECT_TRUE(std::regex_match(Modified, std::regex(R"(\d\d-[A-Z][a-z]{2}-\d{4} \d\d:\d\d:\d\d)")))
        << Modified;
}

TEST(ScenarioProject, LookupsAnswerNullWhenNothingMatches) {
    TTRAVOProject Project;
    Project.Runs().Add(RunOf(u"10", u"maize", true, true, 1));
    Project.Runs().Add(RunOf(u"11", u"Vegetables", true, true, 1));
    Project.getRun(1)->FOCUS_D3_Crop()->CropNr = 22;
    Project.getRun(1)->FOCUS_D3_Crop()->CropOrder = u"3";

    EXPECT_EQ(Project.getRun(0)->RunID, u"10");
    EXPECT_EQ(Project.getRun(-1), nullptr);
    EXPECT_EQ(Project.getRun(2), nullptr);
    EXPECT_EQ(Project.getRun(u"Vegetables_3")->RunID, u"11");
    EXPECT_EQ(Project.getRun(u"Vegetables"), nullptr);
    EXPECT_EQ(Project.getRun(u"Maize"), nullptr);
    EXPECT_EQ(Project.getRunFromID(u"11")->RunID, u"11");
    EXPECT_EQ(Project.getRunFromID(u"12"), nullptr);
}

TEST(ScenarioProject, CountsTakeOnlyValidRuns) {
    TTRAVOProject Project;
    Project.Runs().Add(RunOf(u"1", u"a", true, true, 2));
    Project.Runs().Add(RunOf(u"2", u"b", true, false, 3));
    Project.Runs().Add(RunOf(u"3", u"c", false, true, 5));
    EXPECT_EQ(Project.GetNrOfValidRuns(), 2);
    EXPECT_EQ(Project.GetNrOfUsedRuns(), 1);
    EXPECT_EQ(Project.TotalApps(), 5);
}

TEST(ScenarioProject, ACopyHoldsCopiesOfTheRunsInOrder) {
    TTRAVOProject Source;
    FillProject(Source);
    Source.Runs().Add(RunOf(u"1", u"a", true, true, 2));
    Source.Runs().Add(RunOf(u"2", u"b", true, false, 3));
    const std::unique_ptr<TProject> Copied = Source.Copy(u"Copy", u"");
    auto& Scenario = dynamic_cast<TTRAVOProject&>(*Copied);
    EXPECT_EQ(Scenario.Name(), u"Copy");
    ASSERT_EQ(Scenario.Runs().Count(), 2);
    EXPECT_EQ(Scenario.getRun(0)->RunID, u"1");
    EXPECT_EQ(Scenario.getRun(1)->RunID, u"2");
    EXPECT_NE(Scenario.getRun(0), Source.getRun(0));
}

TEST(AssessmentProject, ChangeTellsTheHandlerWhenThereIsOne) {
    TDWProject Project;
    Project.Change(); // no handler: nothing happens
    TObject* Sender = nullptr;
    Project.OnChange = [&](TObject* S) { Sender = S; };
    Project.Change();
    EXPECT_EQ(Sender, &Project);
}

TEST(AssessmentProject, ThePathIsTheProjectFolderBelowTheProjectsFolder) {
    const TRegistrySandbox Registry;
    ClearDataPath();
    {
        TRegistry Key;
        ASSERT_TRUE(Key.OpenKey(u"SOFTWARE\\Brennhoven\\VANDREL142", true));
        Key.WriteString(u"Datapath", u"/data/vandrel");
    }
    GetDataPath();
    TDWProject Project;
    Project.SetPath(u"/ignored/");
    EXPECT_EQ(Project.Path(), u"");
    Project.SetName(u"Assessment");
    EXPECT_EQ(Project.Path(), u"/data/vandrel/projects/Assessment/");
    ClearDataPath();
}

TEST(AssessmentProject, ACopyIsIndependentOfItsSource) {
    const TTestFolder Folder;
    TMemoryProjectDataModule DataModule({{1, u"P1", u"Point 1", 1.0}, {2, u"P2", u"Point 2", 1.0}});
    const String CropAreaFile = Folder / u"two.CropArea";
    {
        TStringList Lines;
        Lines.Add(u"* Intake area of abstraction point [ha] 100 200");
        Lines.Add(u"* ID abstraction point 1 2");
        Lines.Add(u"1 Mais 259 Maize 10 20");
        Lines.SaveToFile(CropAreaFile);
    }

    auto Source = std::make_unique<TDWProject>();
    FillProject(*Source);
    Source->TRAVOProject()->SetName(u"Scenario");
    Source->TRAVOProject()->Description = u"scenario text";
    Source->TRAVOProject()->Runs().Add(RunOf(u"1", u"maize", true, true, 1));
    Source->AbstractionPoints()->SetFileName(CropAreaFile);
    Source->AbstractionPoints()->Items(1)->Crops(0)->SetMarketShare(0.7);

    const std::unique_ptr<TProject> Copied = Source->Copy(u"Copy", u"copied");
    Source.reset();

    auto& Assessment = dynamic_cast<TDWProject&>(*Copied);
    EXPECT_EQ(Assessment.Name(), u"Copy");
    EXPECT_EQ(Assessment.TRAVOProject()->Name(), u"Scenario");
    EXPECT_EQ(Assessment.TRAVOProject()->Description, u"scenario text");
    EXPECT_EQ(Assessment.TRAVOProject()->Runs().Count(), 1);
    const TAbstractionPoints& Points = *Assessment.AbstractionPoints();
    EXPECT_EQ(Points.FileName(), CropAreaFile);
    ASSERT_EQ(Points.Count(), 2);
    EXPECT_EQ(Points.Items(1)->Crops(0)->MarketShare(), 0.7);
    EXPECT_EQ(Points.Items(1)->Crops(0)->Crop()->KV_NameE, u"Maize");
    EXPECT_DOUBLE_EQ(Points.Items(1)->Crops(0)->RCA(), 0.1);
}

TEST(Substance, ConformOriginalAsksAndResetsOnlyOnYes) {
    TMemoryProjectDataModule DataModule;
    TScriptedUserInteraction User;
    User.AnswerConfirm(false);
    User.AnswerConfirm(true);
    TSubstance Substance;
    EXPECT_FALSE(Substance.ConformOriginal());
    EXPECT_EQ(DataModule.ResetSubstanceCalls, 0);
    EXPECT_TRUE(Substance.ConformOriginal());
    EXPECT_EQ(DataModule.ResetSubstanceCalls, 1);
    EXPECT_EQ(User.Texts(TScriptedUserInteraction::TCallKind::Confirm),
              std::vector<String>(2, u"Reset all values to the values in the Travo database?"));
}

TEST(ScenarioProject, CopyingOntoItselfKeepsTheRuns) {
    TTRAVOProject Project;
    Project.Runs().Add(RunOf(u"1", u"a", true, true, 2));
    Project.CopyData(u"", u"", Project);
    ASSERT_EQ(Project.Runs().Count(), 1);
    EXPECT_EQ(Project.getRun(0)->RunID, u"1");
}

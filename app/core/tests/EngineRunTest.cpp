#include "EngineTestProject.h"
#include "core/EngineResults.h"
#include "core/RunAndWait.h"
#include "coretesting/ScriptedUserInteraction.h"
#include "os/FileUtils.h"
#include "rtl/StringUtils.h"

#include <gtest/gtest.h>

namespace {

using TCallKind = TScriptedUserInteraction::TCallKind;

class EngineRun : public ::testing::Test {
protected:
    void SetUp() override { F.InstallEngine(); }

    // Writes the input files, runs the engine and reads the results back.
    void CalculateAndRead() {
        F.Project().CreateInputFiles();
        ASSERT_TRUE(F.Project().Calculate());
        ASSERT_TRUE(F.Project().ResultAvailable());
        Points().ReadResults(F.ProjectDir() + u"Summary.out");
    }

    TAbstractionPoints& Points() { return *F.Project().AbstractionPoints(); }

    std::vector<String> Results() {
        std::vector<String> results;
        for (Integer k = 0; k < Points().Count(); ++k)
            results.push_back(Points().Items(k)->PEC_Tier1());
        return results;
    }

    void WriteOldSummaries() {
        TStringList old;
        old.Add(u"an old run");
        old.SaveToFile(F.EngineDir() + u"Summary.out");
        old.SaveToFile(F.ProjectDir() + u"Summary.out");
    }

    TEngineTestProject F;
    TScriptedUserInteraction FUser;
};

} // namespace

TEST_F(EngineRun, TheEngineReadsTheFilesAndItsResultsComeBack) {
    WriteOldSummaries();
    CalculateAndRead();
    EXPECT_EQ(ReadFileBytes(F.ProjectDir() + u"Summary.out"), ReadFileBytes(F.EngineDir() + u"Summary.out"));
    // The values the engine computes for the fixture project.
    EXPECT_EQ(Results(), (std::vector<String>{u"0.004", u"0.007", u"0.004", u"0.006", u"0.003", u"0.006",
                                              u"0.008", u"0.007", u"0.007", u"0.013"}));
    EXPECT_EQ(Points().Kom_comment(), u"");
    EXPECT_FALSE(Points().RunStopped());
    EXPECT_TRUE(FUser.Calls().empty());
}

TEST_F(EngineRun, AStronglySorbingSubstanceGivesBoundedValuesAndTheRemark) {
    F.UseSubstance({{u"SubstanceCode", u"Strongly sorbing"}, {u"KomSed", u"25000"}});
    CalculateAndRead();
    for (const String& result : Results())
        EXPECT_TRUE(result.starts_with(u"<0.")) << Utf8(result);
    EXPECT_TRUE(
        Points().Kom_comment().starts_with(u"# For this project the current Tier1 calculation method"));
    EXPECT_TRUE(
        Points().Kom_comment().ends_with(u"we suggest to divide the calculated values by a factor of 5."));
}

TEST_F(EngineRun, AMarketShareOutOfRangeStopsTheRunWithTheEngineMessage) {
    F.Point(0).Find(String(u"21"))->SetMarketShare(1.5);
    CalculateAndRead();
    EXPECT_TRUE(Points().RunStopped());
    EXPECT_EQ(Results(), std::vector<String>(10));
    EXPECT_EQ(Points().Kom_comment(), u"");
    EXPECT_EQ(Points().EngineMessages(),
              u"1.50 is not a valid value for field \"Market Share\" for abstraction point: DE PUNT\r\n"
              u"in combination with Korvalis crop: Apples and pears\r\n"
              u"The allowed range is 0.0 to 1.0.");
}

TEST_F(EngineRun, AMissingEngineGivesFalseAndTheMessageAfterTheOldResultsAreGone) {
    ASSERT_TRUE(DeleteFile(F.EngineDir() + u"Tesvorik"));
    F.Project().CreateInputFiles();
    WriteOldSummaries();
    EXPECT_FALSE(F.Project().Calculate());
    EXPECT_EQ(FUser.Calls(), (std::vector<TScriptedUserInteraction::TCall>{
                                 {TCallKind::Message, u"Failed to run Tesvorik from " + F.EngineDir()}}));
    EXPECT_FALSE(FileExists(F.EngineDir() + u"Summary.out"));
    EXPECT_FALSE(F.Project().ResultAvailable());
}

TEST_F(EngineRun, AnEngineThatLeavesNoSummaryGivesFalseWithoutAMessage) {
    F.Project().CreateInputFiles();
    ASSERT_TRUE(DeleteFile(F.EngineDir() + u"CropArea.inp"));
    EXPECT_FALSE(F.Project().Calculate());
    EXPECT_TRUE(FUser.Calls().empty());
    EXPECT_FALSE(F.Project().ResultAvailable());
}

TEST_F(EngineRun, ASecondCalculationIsRefusedWhileTheEngineRuns) {
    F.Project().CreateInputFiles();
    bool inner = true;
    bool tried = false;
    // The pump runs once per second of the run; a slow machine runs it more
    // than once, so the second start is tried only the first time.
    FUser.OnProcessMessages = [&] {
        if (tried || !RunAndWaitActive()) return;
        tried = true;
        inner = F.Project().Calculate();
    };
    EXPECT_TRUE(F.Project().Calculate());
    EXPECT_TRUE(tried);
    EXPECT_FALSE(inner);
    EXPECT_EQ(FUser.Texts(TCallKind::Message),
              std::vector<String>{u"Tesvorik is still running for a calculation"});
    EXPECT_TRUE(F.Project().ResultAvailable());
}

TEST_F(EngineRun, TheViewerShowsTheThreeInputFilesOfTheProjectFolder) {
    F.Project().ViewInputFiles();
    ASSERT_EQ(FUser.ViewedPages().size(), 1u);
    const std::vector<TTextFilePage>& pages = FUser.ViewedPages()[0];
    ASSERT_EQ(pages.size(), 3u);
    EXPECT_EQ(pages[0].Caption, u"CropPEC");
    EXPECT_EQ(pages[0].FileName, F.ProjectDir() + u"CropPEC.inp");
    EXPECT_EQ(pages[1].Caption, u"CompoundProperties");
    EXPECT_EQ(pages[2].FileName, F.ProjectDir() + u"CropArea.inp");
}

TEST_F(EngineRun, TheProjectFolderIsCreatedOnce) {
    ASSERT_TRUE(RemoveDir(F.ProjectDir()));
    F.Project().CreateProjectDir();
    EXPECT_TRUE(DirectoryExists(F.ProjectDir()));
    EXPECT_NO_THROW(F.Project().CreateProjectDir());
}

TEST_F(EngineRun, AProjectWithoutANameIsNotCalculated) {
    F.Project().SetName(u"");
    EXPECT_FALSE(F.Project().Calculate());
    EXPECT_EQ(FUser.Calls(), (std::vector<TScriptedUserInteraction::TCall>{
                                 {TCallKind::Error, u"Cannot calculate a project that has no name"}}));
    EXPECT_FALSE(F.Project().ResultAvailable());
}

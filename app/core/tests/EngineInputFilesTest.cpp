#include "core/EngineInputFiles.h"

#include "EngineTestProject.h"
#include "core/Folders.h"
#include "os/FileUtils.h"
#include "rtl/Exception.h"
#include "rtltesting/ExceptionMessage.h"

#include <functional>
#include <gtest/gtest.h>

namespace {

const Char* const InputFileNames[] = {CropPECFileName, CompoundPropertiesFileName, CropAreaInputFileName};

bool AnyInputFileIn(const String& folder) {
    for (const Char* name : InputFileNames)
        if (FileExists(folder + name)) return true;
    return false;
}

class EngineInputFiles : public ::testing::Test {
protected:
    TEngineTestProject F;
};

} // namespace

TEST_F(EngineInputFiles, TheThreeFilesMatchTheExpectedFilesInBothFolders) {
    F.Project().CreateInputFiles();
    for (const Char* name : InputFileNames) {
        const std::string expected = ReadFileBytes(FixtureFile(String(u"expected/") + name));
        ASSERT_FALSE(expected.empty()) << Utf8(name);
        EXPECT_EQ(ReadFileBytes(F.ProjectDir() + name), expected) << Utf8(name);
        EXPECT_EQ(ReadFileBytes(F.EngineDir() + name), expected) << Utf8(name);
    }
}

TEST_F(EngineInputFiles, TheHeaderLeavesOutTheTimeAtMidnight) {
    SetInputFilesClock([] { return EncodeDate(2025, 1, 31); });
    TStringList header;
    F.Project().AddHeader(header);
    EXPECT_EQ(header.Text(), u"* Project name        : Golden_project\r\n"
                             u"* Created at          : 31-01-2025\r\n"
                             u"* Version VANDREL GUI : 1.4.2\r\n"
                             u"*\r\n");
}

TEST_F(EngineInputFiles, PropertiesKeepTheirPrecisionAndZeroCelsiusIsAValidTemperature) {
    F.UseSubstance({{u"SubstanceCode", u"Zero celsius"},
                    {u"TemRefTraWat", u"0"},
                    {u"SlbWatRef", u"0.149"},
                    {u"PreVapRef", u"1234"},
                    {u"KomSed", u"100"}});
    TStringList lines;
    F.Project().WriteCompoundProperties(lines);
    ASSERT_EQ(lines.Count(), 16);
    EXPECT_EQ(lines.Strings(15),
              u"  Zero_celsius             12.5      273.15    1.49000E-001 293.15    291.30    "
              u"1.23400E+003 298.15    100.00    65400.0  ");
}

TEST_F(EngineInputFiles, OnlyTheHighestPeakOfAGroupingIsUsed) {
    struct TCase {
        std::vector<Double> Peaks;
        std::vector<const Char*> Groupings;
        std::vector<bool> Used;
    };
    const Double notANumber = std::numeric_limits<Double>::quiet_NaN();
    const TCase cases[] = {
        {{5.0, 7.0}, {u"5", u"5"}, {false, true}},
        {{7.0, 5.0}, {u"5", u"5"}, {true, false}},
        {{5.0, 5.0}, {u"5", u"5"}, {true, false}}, // a tie keeps the first
        {{5.0, 7.0, 6.0}, {u"5", u"5", u"5"}, {false, true, false}},
        {{5.0, 7.0, 6.0}, {u"5", u"21", u"5"}, {false, true, true}},
        {{notANumber, 5.0}, {u"5", u"5"}, {false, true}}, // no comparison drops the earlier
    };
    for (const TCase& c : cases) {
        TOwnedList<TRun>& runs = F.Project().TRAVOProject()->Runs();
        runs.Clear();
        for (std::size_t i = 0; i < c.Peaks.size(); ++i) {
            TRun& run = *runs.Add(std::make_unique<TRun>());
            run.valid = true;
            run.used = false; // a drop of an earlier check never sticks
            run.PEC_peak = c.Peaks[i];
            run.KorvalisCrop()->ID = c.Groupings[i];
        }
        F.Project().CheckHighestPecPeak();
        for (std::size_t i = 0; i < c.Peaks.size(); ++i)
            EXPECT_EQ(runs.Items(static_cast<Integer>(i))->used, c.Used[i])
                << "run " << i << " of case " << &c - cases;
    }
}

TEST_F(EngineInputFiles, ARunDroppedEarlierCountsAgainWhenItsGroupingChanges) {
    F.Project().CheckHighestPecPeak();
    ASSERT_FALSE(F.Run(3).used); // vegetables_root under potatoes in grouping 5
    EXPECT_TRUE(F.Project().MultipleKorvalisGrouping());

    F.Run(3).KorvalisCrop()->ID = u"14";
    F.Run(3).KorvalisCrop()->KV_NameDWT = u"Wortelgewassen";
    EXPECT_FALSE(F.Project().MultipleKorvalisGrouping());
    TStringList cropPEC;
    F.Project().WriteCropPEC(cropPEC);
    EXPECT_TRUE(F.Run(3).used);
    EXPECT_EQ(cropPEC.Strings(16), u"4 total number of crops with different Korvalis crop grouping codeIDs");
    EXPECT_EQ(F.Project().GetUsedCrops()->CommaText(), u"5,21,3,14");
    EXPECT_EQ(cropPEC.Strings(cropPEC.Count() - 1).substr(0, 48),
              u"14     Wortelgewassen                           ");
}

TEST(EngineInputFileChecks, AProjectTheEngineCannotReadIsRefusedBeforeAnyFileIsWritten) {
    struct TCase {
        std::function<void(TEngineTestProject&)> Change;
        const Char* Message;
    };
    const TCase cases[] = {
        {[](TEngineTestProject& f) { f.Run(1).Date_peak = u""; },
         u"Cannot write the engine's input files: run 2 (pome_stone_fruit) has no peak date"},
        {[](TEngineTestProject& f) { f.Run(1).Date_peak = u"21 04 1985"; },
         u"Cannot write the engine's input files: the peak date \"21 04 1985\" of run 2 (pome_stone_fruit) "
         u"holds a "
         u"blank"},
        {[](TEngineTestProject& f) { f.Run(2).KorvalisCrop()->KV_NameDWT = u"Winter granen"; },
         u"Cannot write the engine's input files: the crop grouping name \"Winter granen\" of run 3 "
         u"(cereals_winter) "
         u"holds a blank"},
        {[](TEngineTestProject& f) { f.Run(2).KorvalisCrop()->KV_NameDWT = String(41, u'g'); },
         u"Cannot write the engine's input files: the crop grouping name \"ggggggggggggggggggggggggggggggggggggggggg\" "
         u"of run 3 (cereals_winter) is longer than 40 characters"},
        {[](TEngineTestProject& f) { f.Run(0).FOCUS_D3_Crop()->SetCropCodeDWT(u""); },
         u"Cannot write the engine's input files: run 1 has no FOCUS crop code"},
        {[](TEngineTestProject& f) { f.Run(0).KorvalisCrop()->ID = u"27"; },
         u"Cannot write the engine's input files: the crop grouping code \"27\" of run 1 (potatoes) is not a "
         u"whole "
         u"number from 1 to 26"},
        {[](TEngineTestProject& f) { f.Run(0).KorvalisCrop()->ID = u""; },
         u"Cannot write the engine's input files: the crop grouping code \"\" of run 1 (potatoes) is not a "
         u"whole "
         u"number from 1 to 26"},
        {[](TEngineTestProject& f) { f.Project().SetName(u""); },
         u"Cannot write the engine's input files: the project has no name"},
        {[](TEngineTestProject& f) { f.Run(0).NumberOfApplications = 3; },
         u"Cannot write the engine's input files: run 1 (potatoes) counts 3 applications but holds 2"},
        {[](TEngineTestProject& f) {
             f.UseSubstance({{u"SubstanceCode", u"No Kom"}, {u"KomSed", u""}});
         },
         u"'' is not a valid floating point value"},
        {[](TEngineTestProject& f) { f.Project().AbstractionPoints()->NewAbstractionPoint(); },
         u"Cannot write the engine's input files: the project has 11 abstraction points; the engine needs "
         u"10"},
    };
    for (const TCase& c : cases) {
        TEngineTestProject f;
        c.Change(f);
        EXPECT_EQ(MessageOf([&] { f.Project().CreateInputFiles(); }), c.Message);
        EXPECT_FALSE(AnyInputFileIn(f.ProjectDir()));
        EXPECT_FALSE(AnyInputFileIn(f.EngineDir()));
    }
}

TEST_F(EngineInputFiles, AnInvalidRunIsNotCheckedNorWritten) {
    ASSERT_FALSE(F.Run(4).valid);
    ASSERT_EQ(F.Run(4).Date_peak, u"");
    EXPECT_EQ(F.Project().FormatPECLine(4), u"");
    EXPECT_NO_THROW(F.Project().CreateInputFiles());
}

TEST_F(EngineInputFiles, AFailedWriteLeavesNoInputFilesInTheEngineFolder) {
    F.Project().CreateInputFiles();
    // A folder where the project's second file belongs makes its save fail
    // after CropPEC.inp is written anew into both folders.
    ASSERT_TRUE(DeleteFile(F.ProjectDir() + CompoundPropertiesFileName));
    ASSERT_TRUE(CreateDir(F.ProjectDir() + CompoundPropertiesFileName));
    EXPECT_THROW(F.Project().CreateInputFiles(), EFCreateError);
    EXPECT_FALSE(AnyInputFileIn(F.EngineDir()));
}

TEST_F(EngineInputFiles, AGroupingNameOfFortyCharactersFillsItsColumn) {
    F.Run(2).KorvalisCrop()->KV_NameDWT = String(40, u'g');
    ASSERT_NO_THROW(F.Project().CreateInputFiles());
    TStringList cropPEC;
    cropPEC.LoadFromFile(F.ProjectDir() + CropPECFileName);
    bool Found = false;
    for (Integer i = 0; i < cropPEC.Count(); ++i)
        Found = Found || cropPEC.Strings(i).find(String(40, u'g') + u" ") != String::npos;
    EXPECT_TRUE(Found);
}

// Reading the application dates from a run's lateral-entry file, and where
// that file lies.

#include "core/LateralEntryFile.h"

#include "core/InputFile.h"
#include "core/Run.h"
#include "coretesting/TestFolders.h"
#include "os/FilePath.h"
#include "os/FileUtils.h"
#include "os/WindowsPath.h"
#include "rtl/Encoding.h"
#include "rtl/Exception.h"

#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

void WriteFile(const String& FileName, const std::vector<std::string>& Lines) {
    ForceDirectories(ExtractFilePath(FileName));
    std::ofstream Out(Utf8(FileName), std::ios::binary);
    for (const std::string& Line : Lines)
        Out << Line << "\r\n";
}

std::unique_ptr<TRun> RunWithApplications(int Count) {
    auto Run = std::make_unique<TRun>();
    for (int I = 0; I < Count; ++I)
        Run->Applications().Add(std::make_unique<TRunApplication>());
    Run->NumberOfApplications = Count;
    return Run;
}

std::vector<String> DatesOf(const TRun& Run) {
    std::vector<String> Dates;
    for (const TRunApplication* Application : Run.Applications())
        Dates.push_back(Application->ApplDate);
    return Dates;
}

enum class TOutcome { Read, NotRead, Raises };

struct TDatesCase {
    const char* Name;
    std::vector<std::string> Lines;
    TOutcome Outcome;
    std::vector<String> Dates; // when read
};

// An application line: number, rate, then the date in columns 25 to 35.
const std::string First = "*    1     0.500        15-may-1985";
const std::string Second = "*    2     0.500        29-may-1985";

const TDatesCase DatesCases[] = {
    {"HeadingAsWritten",
     {"* lateral entry", "*   Number of applications", "*  2", "*   Nr  Rate  Date", First, Second, "* rest"},
     TOutcome::Read,
     {u"15-may-1985", u"29-may-1985"}},
    {"HeadingInOtherLetterCase",
     {"* lateral entry", "*   NUMBER OF APPLICATIONS", "*  2", "*", First, Second},
     TOutcome::Read,
     {u"15-may-1985", u"29-may-1985"}},
    {"CountDiffersFromTheRun",
     {"* lateral entry", "*   Number of applications", "*  3", "*", First, Second,
      "*    3     0.5        12-jun-1985"},
     TOutcome::NotRead,
     {}},
    {"HeadingOnTheFirstLine",
     {"*   Number of applications", "*  2", "*", First, Second},
     TOutcome::NotRead,
     {}},
    {"NoHeading",
     {"* lateral entry", "*   Number of treatments", "*  2", "*", First, Second},
     TOutcome::NotRead,
     {}},
    {"CountIsNoNumber",
     {"* lateral entry", "*   Number of applications", "*  two", "*", First, Second},
     TOutcome::Raises,
     {}},
    {"FileEndsBeforeTheLastDate",
     {"* lateral entry", "*   Number of applications", "*  2", "*", First},
     TOutcome::Raises,
     {}},
    {"LineWithoutDate",
     {"* lateral entry", "*   Number of applications", "*  2", "*", First, "*    2     0.500"},
     TOutcome::Raises,
     {}},
};

void PrintTo(const TDatesCase& Case, std::ostream* Out) {
    *Out << Case.Name;
}

class ApplicationDates : public ::testing::TestWithParam<TDatesCase> {};

} // namespace

TEST_P(ApplicationDates, AreReadOnlyFromAWellFormedFile) {
    const TDatesCase& Case = GetParam();
    TTestFolder Folder;
    const String FileName = Folder / u"run.m2t";
    WriteFile(FileName, Case.Lines);
    auto Run = RunWithApplications(2);
    TM2TFile File;

    switch (Case.Outcome) {
    case TOutcome::Read:
        ASSERT_TRUE(ReadLateralEntryDates(File, FileName, *Run));
        EXPECT_EQ(DatesOf(*Run), Case.Dates);
        EXPECT_EQ(Run->Date_peak, Case.Dates.back());
        return;
    case TOutcome::NotRead:
        EXPECT_FALSE(ReadLateralEntryDates(File, FileName, *Run));
        break;
    case TOutcome::Raises:
        EXPECT_THROW(ReadLateralEntryDates(File, FileName, *Run), Exception);
        break;
    }
    // A file that was not read leaves the run as it was.
    EXPECT_EQ(DatesOf(*Run), std::vector<String>(2));
    EXPECT_EQ(Run->Date_peak, u"");
}

INSTANTIATE_TEST_SUITE_P(LateralEntryFile, ApplicationDates, ::testing::ValuesIn(DatesCases),
                         [](const auto& Info) { return std::string(Info.param.Name); });

TEST(LateralEntryFile, AMissingFileRaisesTheOpenError) {
    TTestFolder Folder;
    auto Run = RunWithApplications(1);
    TM2TFile File;
    EXPECT_THROW(ReadLateralEntryDates(File, Folder / u"missing.m2t", *Run), EFOpenError);
}

TEST(LateralEntryFile, IsFoundBelowTheProjectFolderOrAtItsDrivePath) {
    // The scenario database was made on Windows: its paths name drive C: and
    // differ in letter case from the folders on disk.
    TTestFolder Folder;
    os::SetDriveRoot(u'C', Folder.Path());
    WriteFile(Folder / u"TRAVO/Projects/Arable/MACRO/potatoes/run1.m2t", {"*"});
    WriteFile(Folder / u"TRAVO/Shared/leafy.m2t", {"*"});

    TRun Run;
    Run.FOCUS_D3_Crop()->CropDirName = u"Potatoes";
    Run.SetLatEntryFile(u"RUN1.m2t");
    EXPECT_EQ(LateralEntryFileName(u"c:\\travo\\projects\\Arable", Run),
              Folder / u"TRAVO/Projects/Arable/MACRO/potatoes/run1.m2t");

    Run.SetLatEntryFile(u"C:\\Travo\\shared\\Leafy.m2t");
    EXPECT_EQ(LateralEntryFileName(u"c:\\travo\\projects\\Arable", Run), Folder / u"TRAVO/Shared/leafy.m2t");
}

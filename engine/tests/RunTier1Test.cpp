#include "engine/RunTier1.h"

#include "TestProject.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace tesvorik {
namespace {

namespace fs = std::filesystem;
using test::ReadBytes;
using test::RunEngine;
using test::SplitCrLf;
using test::TempFolder;
using test::TestCrop;
using test::TestProject;
using test::WriteBytes;

const std::string kOldSummary = "an old Summary.out\r\n";

std::string SummaryOf(const TempFolder& folder) {
    return ReadBytes(folder.Path() / "Summary.out");
}

// The lines of Summary.out from the first one that equals `from`.
std::vector<std::string> LinesFrom(const std::string& summary, const std::string& from) {
    const std::vector<std::string> lines = SplitCrLf(summary);
    const auto start = std::find(lines.begin(), lines.end(), from);
    return {start, lines.end()};
}

void CopyFolder(const fs::path& from, const fs::path& to) {
    for (const auto& entry : fs::directory_iterator(from))
        if (entry.path().extension() == ".inp") fs::copy_file(entry.path(), to / entry.path().filename());
}

TEST(RunTier1, ExampleProjectGivesTheExpectedSummary) {
    TempFolder folder;
    fs::copy_file(test::DataFile("PEC/Names.inp"), folder.Path() / "Names.inp");
    CopyFolder(test::DataFile("examples/project"), folder.Path());
    const test::RunResult run = RunEngine(folder.Path());
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.console, "");
    EXPECT_EQ(SummaryOf(folder), ReadBytes(test::Fixture("example/Summary.out")));
}

TEST(RunTier1, HighKomProjectGivesTheUpperLimitBlock) {
    TempFolder folder;
    fs::copy_file(test::DataFile("PEC/Names.inp"), folder.Path() / "Names.inp");
    CopyFolder(test::Fixture("kom"), folder.Path());
    const test::RunResult run = RunEngine(folder.Path());
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.console, "");
    EXPECT_EQ(SummaryOf(folder), ReadBytes(test::Fixture("kom/Summary.out")));
}

TEST(RunTier1, UsedFlagsOtherThanYesOrNoStopTheRunBeforeSummaryOut) {
    struct Case {
        const char* flag;
        bool used;
        bool accepted;
    };
    const Case cases[] = {
        {"YES", true, true}, {"yes", true, true},   {"Yes", true, true},  {"Yesterday", true, true},
        {"NO", false, true}, {"no", false, true},   {"No", false, true},  {"Y", true, false},
        {"N", false, false}, {"No.", false, false}, {"nO", false, false}, {"yES", true, false},
    };
    for (const Case& c : cases) {
        TempFolder folder;
        TestProject project;
        TestCrop second;
        second.flag = c.flag;
        second.used = c.used;
        second.codeId = "8";
        project.crops.push_back(second);
        project.Write(folder.Path());
        WriteBytes(folder.Path() / "Summary.out", kOldSummary);

        const test::RunResult run = RunEngine(folder.Path());
        EXPECT_EQ(run.status, 0) << c.flag;
        if (c.accepted) {
            EXPECT_EQ(run.console, "") << c.flag;
            EXPECT_NE(SummaryOf(folder), kOldSummary) << c.flag;
        } else {
            EXPECT_EQ(run.console, " The input is not correct. Please check the input file CropPEC.inp\n"
                                   " spaces are not allowed in the name of the FOCUS-SW D3-crop.\n")
                << c.flag;
            EXPECT_EQ(SummaryOf(folder), kOldSummary) << c.flag;
        }
    }
}

TEST(RunTier1, ABlankInACropNameStopsTheRun) {
    TempFolder folder;
    TestProject project;
    project.crops[0].cropCode = "winter cereals";
    project.Write(folder.Path());
    const test::RunResult run = RunEngine(folder.Path());
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.console, " The input is not correct. Please check the input file CropPEC.inp\n"
                           " spaces are not allowed in the name of the FOCUS-SW D3-crop.\n");
    EXPECT_FALSE(fs::exists(folder.Path() / "Summary.out"));
}

TEST(RunTier1, PropertyRangesIncludeTheirBounds) {
    struct Case {
        int property;
        const char* value;
        std::vector<std::string> messages; // console lines; empty when accepted
    };
    const std::string temperature = "The allowed range is 273.15 to 313.15.";
    const Case cases[] = {
        {0, "0.1", {}},
        {0, "1000", {}},
        {0,
         "0.09",
         {"     0.1 is not a valid value for field \"Half life time in water\".",
          "The allowed range is 0.1 to 1000."}},
        {1, "273.15", {}},
        {1, "313.15", {}},
        {1, "273.0", {"   273.0 is not a valid value for field \"Temperature\".", temperature}},
        {3, "313.16", {"   313.2 is not a valid value for field \"Temperature\".", temperature}},
        {2, "1.0e-6", {}},
        {2,
         "2.1e6",
         {"******** is not a valid value for field \"Solubility\".",
          "The allowed range is 1.0e-6 to 2.0e6."}},
        {4, "9999.99", {}},
        {4,
         "9.9",
         {"     9.9 is not a valid value for field \"Molar Mass\".", "The allowed range is 10 to 9999.99."}},
        {5, "0", {}},
        {5,
         "-1E-005",
         {"    -0.0 is not a valid value for field \"Saturated vapour pressure\".",
          "The allowed range is 0.0 to 0.25e6."}},
        {6, "272", {"   272.0 is not a valid value for field \"Temperature\".", temperature}},
        {7, "10000000", {}},
        {7,
         "10000001",
         {"  10000001.0 is not a valid value for field \"Kom\".", "The allowed range is 0 to 10000000."}},
        {8, "1000000", {}},
        {8,
         "-1",
         {"        -1.0 is not a valid value for field \"Activation energy\".",
          "The allowed range is 0 to 1000000"}},
    };
    for (const Case& c : cases) {
        TempFolder folder;
        TestProject project;
        project.properties[c.property] = c.value;
        project.Write(folder.Path());
        const test::RunResult run = RunEngine(folder.Path());
        const std::string label = std::to_string(c.property) + " = " + c.value;
        EXPECT_EQ(run.status, 0) << label;
        const std::vector<std::string> lines = SplitCrLf(SummaryOf(folder));
        if (c.messages.empty()) {
            EXPECT_EQ(run.console, "") << label;
            EXPECT_NE(std::find(lines.begin(), lines.end(), " * **** OUTPUT *****"), lines.end()) << label;
        } else {
            EXPECT_EQ(run.console, c.messages[0] + "\n" + c.messages[1] + "\n") << label;
            ASSERT_EQ(lines.size(), 24u) << label; // lines 1 to 22 and the two messages
            EXPECT_EQ(lines[21], " * ") << label;
            EXPECT_EQ(lines[22], c.messages[0]) << label;
            // Kom's range line in the file has no period.
            EXPECT_EQ(lines[23], c.property == 7 ? "The allowed range is 0 to 10000000" : c.messages[1])
                << label;
        }
    }
}

TEST(RunTier1, EveryPropertyOutOfRangeIsReportedInOrderBeforeTheStop) {
    TempFolder folder;
    TestProject project;
    project.properties[1] = "273.0";
    project.properties[0] = "0";
    project.properties[8] = "2000000";
    project.Write(folder.Path());
    const test::RunResult run = RunEngine(folder.Path());
    EXPECT_EQ(run.status, 0);
    const std::vector<std::string> messages = {
        "     0.0 is not a valid value for field \"Half life time in water\".",
        "The allowed range is 0.1 to 1000.",
        "   273.0 is not a valid value for field \"Temperature\".",
        "The allowed range is 273.15 to 313.15.",
        "   2000000.0 is not a valid value for field \"Activation energy\".",
        "The allowed range is 0 to 1000000",
    };
    std::string console;
    for (std::size_t i = 0; i < messages.size(); i += 2)
        console += messages[i] + "\n" + messages[i + 1] + "\n";
    EXPECT_EQ(run.console, console);
    const std::vector<std::string> lines = SplitCrLf(SummaryOf(folder));
    ASSERT_EQ(lines.size(), 22u + messages.size());
    EXPECT_EQ(std::vector<std::string>(lines.begin() + 22, lines.end()), messages);
    EXPECT_TRUE(SummaryOf(folder).ends_with("The allowed range is 0 to 1000000\r\n"));
}

TEST(RunTier1, DilutionFactorsAndMarketSharesMustLieBetweenZeroAndOne) {
    TempFolder folder;
    TestProject project;
    project.dilution[0] = "0.00";
    project.dilution[2] = "1.01";
    project.crops[0].market[1] = "1.00";
    project.crops[0].market[2] = "-0.01";
    project.crops[0].codeId = "8";
    project.Write(folder.Path());
    const test::RunResult run = RunEngine(folder.Path());
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.console, " 1.01 is not a valid value for field \"Additional Dilution Factor\" \n"
                           "for abstraction point: NIEUWEGEIN         \n"
                           "The allowed range is 0.0 to 1.0.\n"
                           "-0.01 is not a valid value for field \"Market Share\" \n"
                           "for abstraction point: NIEUWEGEIN         \n"
                           "in combination with Korvalis crop: Sugar beet                 \n"
                           "The allowed range is 0.0 to 1.0.\n");
    const std::vector<std::string> tail = {
        " * ---------------------------------------------------------------------------------------------",
        "*",
        " 1.01 is not a valid value for field \"Additional Dilution Factor\" for abstraction point: "
        "NIEUWEGEIN         ",
        "The allowed range is 0.0 to 1.0.",
        "*",
        "-0.01 is not a valid value for field \"Market Share\" for abstraction point: NIEUWEGEIN         ",
        "in combination with Korvalis crop: Sugar beet                 ",
        "The allowed range is 0.0 to 1.0.",
    };
    EXPECT_EQ(LinesFrom(SummaryOf(folder), tail[0]), tail);
}

TEST(RunTier1, KomAboveTenThousandSelectsTheUpperLimitBlock) {
    struct Case {
        const char* kom;
        const char* firstResultLine;
    };
    const Case cases[] = {{"10000", " *                        PEC_Tier1 [\xB5g/L]"},
                          {"10000.1", " * Kom value of the substance is higher than 10000 L/kg!"}};
    for (const Case& c : cases) {
        TempFolder folder;
        TestProject project;
        project.properties[7] = c.kom;
        project.Write(folder.Path());
        ASSERT_EQ(RunEngine(folder.Path()).status, 0);
        const std::vector<std::string> output = LinesFrom(SummaryOf(folder), " * **** OUTPUT *****");
        ASSERT_GT(output.size(), 3u) << c.kom;
        EXPECT_EQ(output[3], c.firstResultLine) << c.kom;
    }
}

TEST(RunTier1, TheUseFactorTableListsOnlyGroupingsWithAreaAtThePoint) {
    TempFolder folder;
    TestProject project;
    project.area[4][1] = 0; // grouping 5 (the crop's) has no area at ANDIJK
    project.area[4][9] = 0; // nor at BOMMELERWAARD
    project.Write(folder.Path());
    ASSERT_EQ(RunEngine(folder.Path()).status, 0);
    const std::string summary = SummaryOf(folder);
    EXPECT_NE(summary.find(" * DE PUNT            potatoes"), std::string::npos);
    EXPECT_EQ(summary.find(" * ANDIJK             potatoes"), std::string::npos);
    EXPECT_EQ(summary.find("BOMMELERWAARD      potatoes"), std::string::npos);
    EXPECT_EQ(summary.find("(Bommelerwaard is a subarea of Brakel)"), std::string::npos);
    // The crop contributes nothing there and is still computed at the other points.
    EXPECT_NE(summary.find(" * ANDIJK                    0.000\r\n"), std::string::npos);
    EXPECT_NE(summary.find(" * DE PUNT                   0.009\r\n"), std::string::npos);
}

TEST(RunTier1, CropRowsThatCannotBeUsedStopTheRunWithAnError) {
    struct Case {
        const char* codeId;
        int extraUsed;
        const char* message;
    };
    const Case cases[] = {
        {"0", 0, "Error in CropPEC.inp: the codeID 0 of crop row 1 is not a grouping code from 1 to 26\n"},
        {"27", 0, "Error in CropPEC.inp: the codeID 27 of crop row 1 is not a grouping code from 1 to 26\n"},
        {"-3", 0, "Error in CropPEC.inp: the codeID -3 of crop row 1 is not a grouping code from 1 to 26\n"},
        {"5", 1, "Error in CropPEC.inp: the number of used crops is 2 but 1 crop rows are flagged yes\n"},
        {"5", -1, "Error in CropPEC.inp: the number of used crops is 0 but 1 crop rows are flagged yes\n"},
    };
    for (const Case& c : cases) {
        TempFolder folder;
        TestProject project;
        project.crops[0].codeId = c.codeId;
        project.extraUsed = c.extraUsed;
        project.Write(folder.Path());
        WriteBytes(folder.Path() / "Summary.out", kOldSummary);
        const test::RunResult run = RunEngine(folder.Path());
        EXPECT_EQ(run.status, kExitInputError) << c.message;
        EXPECT_EQ(run.console, c.message);
        EXPECT_EQ(SummaryOf(folder), kOldSummary) << c.message;
    }
}

TEST(RunTier1, UnreadableInputEndsTheRunWithStatusTwoAndLeavesSummaryOutAlone) {
    struct Case {
        const char* file;
        std::function<std::string(std::string)> damage; // the new contents from the old ones
        const char* message;
    };
    const auto cutAfterLines = [](std::size_t count) {
        return [count](std::string text) {
            std::size_t end = 0;
            for (std::size_t i = 0; i < count; ++i)
                end = text.find("\r\n", end) + 2;
            return text.substr(0, end);
        };
    };
    const auto replace = [](std::string from, std::string to) {
        return [from, to](std::string text) { return text.replace(text.find(from), from.size(), to); };
    };
    const Case cases[] = {
        {"Names.inp", cutAfterLines(35), "Error reading Names.inp: the file ends early (line 36)\n"},
        {"CropArea.inp", cutAfterLines(30), "Error reading CropArea.inp: the file ends early (line 31)\n"},
        {"CropArea.inp", replace(" 100000", " 1OOOOO"),
         "Error reading CropArea.inp: '1OOOOO' is not a number (line 21)\n"},
        {"CropPEC.inp", replace("1 total number of crops with", "one total number of crops with"),
         "Error reading CropPEC.inp: 'one' is not a whole number (line 17)\n"},
        {"CropPEC.inp", replace("0.40     0.40     \r\n", "0.40     abc      \r\n"),
         "Error reading CropPEC.inp: 'abc' is not a number (line 41)\n"},
        {"CompoundProperties.inp", replace("293.0     100", "293.0     1OO"),
         "Error reading CompoundProperties.inp: '1OO' is not a number (line 16)\n"},
        {"CompoundProperties.inp", cutAfterLines(15),
         "Error reading CompoundProperties.inp: the file ends early (line 16)\n"},
    };
    for (const Case& c : cases) {
        TempFolder folder;
        TestProject().Write(folder.Path());
        WriteBytes(folder.Path() / c.file, c.damage(ReadBytes(folder.Path() / c.file)));
        WriteBytes(folder.Path() / "Summary.out", kOldSummary);
        const test::RunResult run = RunEngine(folder.Path());
        EXPECT_EQ(run.status, kExitInputError) << c.message;
        EXPECT_EQ(run.console, c.message);
        EXPECT_EQ(SummaryOf(folder), kOldSummary) << c.message;
    }
}

TEST(RunTier1, AMissingInputFileIsNamed) {
    for (const char* file : {"Names.inp", "CropArea.inp", "CropPEC.inp", "CompoundProperties.inp"}) {
        TempFolder folder;
        TestProject().Write(folder.Path());
        fs::remove(folder.Path() / file);
        const test::RunResult run = RunEngine(folder.Path());
        EXPECT_EQ(run.status, kExitInputError) << file;
        EXPECT_EQ(run.console, std::string("Error reading ") + file + ": cannot open the file\n");
        EXPECT_FALSE(fs::exists(folder.Path() / "Summary.out")) << file;
    }
}

TEST(RunTier1, ASummaryOutThatCannotBeCreatedIsReported) {
    TempFolder folder;
    TestProject().Write(folder.Path());
    fs::create_directory(folder.Path() / "Summary.out");
    const test::RunResult run = RunEngine(folder.Path());
    EXPECT_EQ(run.status, kExitOutputError);
    EXPECT_EQ(run.console, "Error writing Summary.out: cannot create the file\n");
}

TEST(RunTier1, TheHeaderCarriesClockFolderAndCutProjectName) {
    TempFolder folder;
    TestProject project;
    project.projectName = "A project name that is longer than thirty-one characters";
    project.Write(folder.Path());
    ASSERT_EQ(RunEngine(folder.Path()).status, 0);
    const std::vector<std::string> lines = SplitCrLf(SummaryOf(folder));
    ASSERT_GT(lines.size(), 10u);
    EXPECT_EQ(lines[1], " * project name        : A project name that is longer t");
    EXPECT_EQ(lines[3], " * summary file generated on        : 10/12/2024 at 09:05");
    EXPECT_EQ(lines[9],
              " * Working directory: " + std::string("C:\\VANDREL\\data\\PEC\\") + std::string(60, ' '));
}

TEST(CompilerIdentification, FitsItsField) {
    const std::string compiler = CompilerIdentification();
    EXPECT_FALSE(compiler.empty());
    EXPECT_LE(compiler.size(), 25u);
}

} // namespace
} // namespace tesvorik

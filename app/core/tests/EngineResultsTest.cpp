#include "core/EngineResults.h"

#include "core/AbstractionPoints.h"
#include "coretesting/MemoryProjectDataModule.h"
#include "coretesting/TestFolders.h"
#include "rtl/Exception.h"

#include <gtest/gtest.h>

namespace {

std::unique_ptr<TStringList> Lines(std::initializer_list<const Char*> lines) {
    auto list = std::make_unique<TStringList>();
    for (const Char* line : lines)
        list->Add(line);
    return list;
}

// The end of a Summary.out for three points, from the crop table on.
const std::initializer_list<const Char*> CropTableRows = {
    u" * project name OUTPUT of DE PUNT",
    u" * DE PUNT            potatoes                      0.005281     0.004400   0.40     1.00",
    u" * ANDIJK             potatoes                      0.005281     0.004400   0.40     1.00",
    u" * ",
};

std::unique_ptr<TStringList> CompleteSummary(std::initializer_list<const Char*> block) {
    std::unique_ptr<TStringList> list = Lines(CropTableRows);
    list->Add(SummaryOutputMarker);
    list->Add(u" * ");
    for (const Char* line : block)
        list->Add(line);
    return list;
}

} // namespace

TEST(SummaryResults, TheRowsAfterTheMarkerGiveTheValuesAndNoRemark) {
    const TSummaryResults results = ReadSummaryResults(
        *CompleteSummary({u" *                        PEC_Tier1 [\u00b5g/L]",
                          u" * DE PUNT                   0.123", u" * ANDIJK                   12.000",
                          u" * BOMMELERWAARD            0.000"}),
        3);
    EXPECT_TRUE(results.Complete);
    EXPECT_EQ(results.PEC_Tier1, (std::vector<String>{u"0.123", u"12.000", u"0.000"}));
    EXPECT_EQ(results.Kom_comment, u"");
    EXPECT_EQ(results.EngineMessages, u"");
}

TEST(SummaryResults, TheKomBlockGivesBoundedValuesAndTheRemark) {
    const TSummaryResults results = ReadSummaryResults(
        *CompleteSummary({u" * Kom value of the substance is higher than 10000 L/kg!", u" *",
                          u" *                     PEC_Tier1# [\u00b5g/L]", u" * DE PUNT            <0.123",
                          u" * ANDIJK             <10.000", u" * BOMMELERWAARD      <0.500", u" *",
                          u" * # For this project the current Tier1 calculation method",
                          u" * does not result in realistic PEC-Tier1 values.", u" *"}),
        3);
    EXPECT_TRUE(results.Complete);
    EXPECT_EQ(results.PEC_Tier1, (std::vector<String>{u"<0.123", u"<10.000", u"<0.500"}));
    EXPECT_EQ(results.Kom_comment, u"# For this project the current Tier1 calculation method does not result "
                                   u"in realistic PEC-Tier1 values.");
}

TEST(SummaryResults, AStoppedRunHasNoValuesNoRemarkAndTheEngineMessages) {
    std::unique_ptr<TStringList> lines = Lines(CropTableRows);
    lines->Add(
        u" * ---------------------------------------------------------------------------------------------");
    lines->Add(u"*");
    lines->Add(
        u" 1.50 is not a valid value for field \"Market Share\" for abstraction point: DE PUNT            ");
    lines->Add(u"in combination with Korvalis crop: Apples and pears           ");
    lines->Add(u"The allowed range is 0.0 to 1.0.");
    const TSummaryResults results = ReadSummaryResults(*lines, 3);
    EXPECT_FALSE(results.Complete);
    EXPECT_EQ(results.PEC_Tier1, (std::vector<String>{u"", u"", u""}));
    EXPECT_EQ(results.Kom_comment, u"");
    EXPECT_EQ(results.EngineMessages,
              u"1.50 is not a valid value for field \"Market Share\" for abstraction point: DE PUNT\r\n"
              u"in combination with Korvalis crop: Apples and pears\r\n"
              u"The allowed range is 0.0 to 1.0.");
}

TEST(SummaryResults, MissingResultRowsAreReportedAsIncomplete) {
    std::unique_ptr<TStringList> shortSummaries[] = {
        CompleteSummary({u" *                        PEC_Tier1 [\u00b5g/L]",
                         u" * DE PUNT                   0.123", u" * ANDIJK                   12.000"}),
        CompleteSummary({})};
    for (const auto& lines : shortSummaries) {
        try {
            ReadSummaryResults(*lines, 3);
            ADD_FAILURE() << "no exception";
        } catch (const EReadError& e) {
            EXPECT_EQ(e.Message(), u"Summary.out incomplete");
        }
    }
}

TEST(SummaryResults, AMissingFileIsNamed) {
    TMemoryProjectDataModule dataModule;
    TAbstractionPoints points;
    TTestFolder folder;
    try {
        points.ReadResults(folder / u"Summary.out");
        ADD_FAILURE() << "no exception";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), u"File nof found: " + folder / u"Summary.out");
    }
}

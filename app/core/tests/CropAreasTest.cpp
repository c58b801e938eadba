#include "core/CropAreas.h"

#include "CropAreaFileTest.h"
#include "coretesting/MemoryProjectDataModule.h"
#include "coretesting/TestFolders.h"
#include "rtl/Convert.h"
#include "rtl/Encoding.h"
#include "rtl/Exception.h"
#include "rtltesting/ExceptionMessage.h"
#include "rtltesting/StringLines.h"

#include <gtest/gtest.h>

namespace {

// Crop-area files with three abstraction points.
class CropAreaFiles : public CropAreaFileTest {
protected:
    CropAreaFiles()
        : CropAreaFileTest(
              {{1, u"P1", u"Point 1", 1.0}, {2, u"P2", u"Point 2", 1.0}, {3, u"P3", u"Point 3", 1.0}}) {}
};

struct TVersionCase {
    std::vector<String> Lines;
    String VersionDate;
};

class VersionDate : public CropAreaFiles, public ::testing::WithParamInterface<TVersionCase> {};

} // namespace

TEST_P(VersionDate, ComesFromTheLastVersionLineOfTheLeadingComment) {
    TInputFile File;
    File.SetFileName(Write(GetParam().Lines));
    EXPECT_EQ(File.VersionDate(), GetParam().VersionDate);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, VersionDate,
    ::testing::Values(TVersionCase{{u"* (Version 12-05-2009)", u"1 a 2 b"}, u"12-05-2009"},
                      TVersionCase{{u"* Crop areas (version 1-1-2000) *", u"1 a 2 b"},
                                   u"Crop areas  1-1-2000"},
                      TVersionCase{{u"* (version 1)", u"* (VERSION 2)", u"1 a 2 b"}, u"2"},
                      TVersionCase{{u"*(version 1)", u"1 a 2 b"}, u""},
                      TVersionCase{{u"* remark", u"x (version 3)", u"y (version 4)"}, u"x  3"},
                      TVersionCase{{u"1 a 2 b"}, u""}));

TEST_F(CropAreaFiles, TheCommentEndsAtTheHeadingAndDropsTrailingEmptyTexts) {
    TInputFile File;
    File.SetFileName(Write({u"* Crop areas", u"*   of points  ", u"*", u"   * ID abstraction point 1 2 3",
                            u"1 Mais 259 Maize 1 2 3"}));
    EXPECT_EQ(LinesOf(*File.Comment()), (std::vector<String>{u"Crop areas", u"of points"}));
    EXPECT_EQ(File.FirstDataLine(), 3); // the first line not beginning with "*", as written
}

TEST_F(CropAreaFiles, LinesAreFoundByTheirStartIgnoringCase) {
    TInputFile File;
    File.SetFileName(Write({u"* intake AREA of abstraction point [ha] 100, 200  \"3 00\"", u"1 a"}));
    EXPECT_EQ(File.IndexOf(u"* Intake area of abstraction point [ha]"), 0);
    EXPECT_EQ(File.ValuesOf(u"* Intake area of abstraction point [ha]"),
              (std::vector<String>{u"100", u"200", u"3 00"}));
    EXPECT_EQ(File.IndexOf(u"* missing"), -1);
    EXPECT_EQ(File.ValuesOf(u"* missing"), std::vector<String>{});
}

TEST_F(CropAreaFiles, GroupingLinesGiveGroupingsInFileOrder) {
    TCropAreas Areas;
    Areas.SetFileName(Write({
        u"* ID abstraction point 1 2 3",
        u"1   Consumptie_aardappelen 2014 Potatoes_consumption 610 476 537",
        u"2,Mais,259,,10,20,30",
        u"",
        u"- 2 passed over",
        u"*3 passed over",
        u"\"4 b\" Uien 1932 \" \" 5 6",
    }));
    ASSERT_EQ(Areas.CropCount(), 3);
    const TKorvalisCrop& First = *Areas.Crops(0);
    EXPECT_EQ(First.ID, u"1");
    EXPECT_EQ(First.KV_NameD, u"Consumptie aardappelen");
    EXPECT_EQ(First.CBScrpNr, 2014);
    EXPECT_EQ(First.KV_NameE, u"Potatoes consumption");
    EXPECT_EQ(First.Areas, (std::vector<Integer>{610, 476, 537}));
    EXPECT_EQ(Areas.Crops(1)->KV_NameE, u"Mais"); // an empty English name takes the Dutch one
    EXPECT_EQ(Areas.Crops(2)->ID, u"4 b");
    EXPECT_EQ(Areas.Crops(2)->KV_NameE, u"Uien");
    EXPECT_EQ(Areas.Crops(2)->Areas, (std::vector<Integer>{5, 6, -1})); // a missing area is -1
}

TEST_F(CropAreaFiles, AFileOfCommentLinesOnlyHasNoGroupings) {
    TCropAreas Areas;
    Areas.SetFileName(Write({u"* one", u"* two"}));
    EXPECT_EQ(Areas.FirstDataLine(), -1);
    EXPECT_EQ(Areas.CropCount(), 0);
}

TEST_F(CropAreaFiles, NumbersThatAreNotWholeAreRefused) {
    TCropAreas Areas;
    EXPECT_EQ(MessageOf([&] { Areas.SetFileName(Write({u"1 Mais 259 Maize 1 2.5 3"})); }),
              u"'2.5' is not a valid integer value");
    EXPECT_EQ(MessageOf([&] { Areas.SetFileName(Write({u"1 Mais 259a Maize 1 2 3"})); }),
              u"'259a' is not a valid integer value");
}

TEST_F(CropAreaFiles, AGroupingLineShortOfItsFourValuesIsAReadError) {
    TCropAreas Areas;
    const String FileName = Write({u"* ID abstraction point 1 2 3", u"1 Mais 259 Maize 1 2 3", u"2 Uien 1932"});
    EXPECT_EQ(MessageOf([&] { Areas.SetFileName(FileName); }),
              u"Line 3 of crop-area file " + FileName + u" has fewer than 4 values");
    EXPECT_THROW(Areas.SetFileName(FileName), EReadError);
}

TEST_F(CropAreaFiles, AFileThatCannotBeOpenedChangesNothing) {
    TCropAreas Areas;
    const String FileName = Write({u"* (version 7)", u"1 Mais 259 Maize 1 2 3"});
    Areas.SetFileName(FileName);
    EXPECT_THROW(Areas.SetFileName(FFolder / u"missing.CropArea"), EFOpenError);
    EXPECT_EQ(Areas.FileName(), FileName);
    EXPECT_EQ(Areas.VersionDate(), u"7");
    EXPECT_EQ(Areas.CropCount(), 1);
}

TEST_F(CropAreaFiles, OnlyFilesThatSayHowTheyAreWrittenCanBeSaved) {
    TCropAreas Areas;
    EXPECT_EQ(MessageOf([&] { Areas.Save(FFolder / u"out"); }), u"cannot save TCropAreas");
    TM2TFile LateralEntry;
    EXPECT_EQ(MessageOf([&] { LateralEntry.Save(FFolder / u"out"); }), u"cannot save TM2TFile");
}

TEST_F(CropAreaFiles, ALateralEntryFileAnswersItsLinesByPosition) {
    TM2TFile File;
    File.SetFileName(Write({u"first", u"second"}));
    EXPECT_EQ(File.GetLine(1), u"second");
    EXPECT_EQ(MessageOf([&] { File.GetLine(2); }), u"List index out of bounds (2)");
}

#include "core/Run.h"

#include "coretesting/MemoryProjectDataModule.h"
#include "rtl/Exception.h"

#include <gtest/gtest.h>

namespace {

struct TCausedByCase {
    String Text;
    Integer Code;
};

class CausedByReading : public ::testing::TestWithParam<TCausedByCase> {};

std::unique_ptr<TRunApplication> Application(Integer NrOfAppl, Double Rate, const String& ApplDate) {
    auto Result = std::make_unique<TRunApplication>();
    Result->NrOfAppl = NrOfAppl;
    Result->Rate = Rate;
    Result->CAM = u"1";
    Result->Depi = 0.5;
    Result->Perc = 1.0;
    Result->ApplDate = ApplDate;
    return Result;
}

// A run with every field set to a value that differs from a new run's.
std::unique_ptr<TRun> FilledRun() {
    auto Run = std::make_unique<TRun>();
    Run->RunID = u"R7";
    Run->Selected = true;
    Run->SubstanceCode = u"EXA";
    Run->LocationCode = u"D3";
    Run->SetLatEntryFile(u"run7.m2t");
    Run->SetSubstanceGUID(u"{guid}");
    Run->SetSubstanceCheckSum(u"cs1");
    Run->FOCUS_D3_Crop()->CropCode = u"Vegetables, leafy";
    Run->FOCUS_D3_Crop()->CropNr = 22;
    Run->FOCUS_D3_Crop()->CropOrder = u"2";
    Run->FOCUS_D3_Crop()->SetCropCodeDWT(u"Leafy");
    Run->FOCUS_D3_Crop()->CropDirName = u"leafy";
    Run->KorvalisCrop()->ID = u"12";
    Run->KorvalisCrop()->KV_NameE = u"Leafy vegetables";
    Run->KorvalisCrop()->KV_NameD = u"Bladgroenten";
    Run->KorvalisCrop()->CBScrpNr = 2709;
    Run->KorvalisCrop()->Areas[3] = 44;
    Run->KorvalisCrop()->KV_NameDWT = u"Leafy_vegetables";
    Run->Name = u"run 7";
    Run->RunCreationDate = 45000.5;
    Run->RunModificationDate = 45001.25;
    Run->ApplicationMethod = u"spray";
    Run->Applications().Add(Application(1, 0.25, u"01-apr-1985"));
    Run->Applications().Add(Application(2, 0.5, u"15-apr-1985"));
    Run->NumberOfApplications = 1; // fewer than the list holds
    Run->available = true;
    Run->valid = true;
    Run->used = false;
    Run->PEC_peak = 1.75;
    Run->Date_peak = u"02-apr-1985";
    Run->sCausedBy = u"drainage";
    return Run;
}

} // namespace

TEST_P(CausedByReading, ReadsTwoOnlyForExactlyDrainage) {
    TRun Run;
    Run.sCausedBy = GetParam().Text;
    EXPECT_EQ(Run.CausedBy(), GetParam().Code);
}

INSTANTIATE_TEST_SUITE_P(Texts, CausedByReading,
                         ::testing::Values(TCausedByCase{u"drainage", 2}, TCausedByCase{u"spray drift", 1},
                                           TCausedByCase{u"Drainage", 1}, TCausedByCase{u"", 1},
                                           TCausedByCase{u"drainage ", 1}));

TEST(Run, WritingCausedByStoresDrainageOnlyForTwo) {
    const std::vector<std::pair<Integer, String>> Cases{
        {2, u"drainage"}, {1, u"spray drift"}, {0, u"spray drift"}, {3, u"spray drift"}};
    for (const auto& [Code, Text] : Cases) {
        TRun Run;
        Run.SetCausedBy(Code);
        EXPECT_EQ(Run.sCausedBy, Text) << Code;
    }
}

TEST(Run, ANewRunIsUsedButNeitherAvailableNorValid) {
    TRun Run;
    EXPECT_FALSE(Run.available);
    EXPECT_FALSE(Run.valid);
    EXPECT_TRUE(Run.used);
    EXPECT_EQ(Run.Applications().Count(), 0);
    EXPECT_EQ(Run.PEC_peak, 0);
    EXPECT_EQ(Run.KorvalisCrop()->Areas, std::vector<Integer>(10, 0));
}

TEST(Run, GetApplicationAnswersNullOutsideTheList) {
    TRun Run;
    Run.Applications().Add(Application(1, 0.25, u"01-apr-1985"));
    EXPECT_EQ(Run.GetApplication(0)->Rate, 0.25);
    EXPECT_EQ(Run.GetApplication(1), nullptr);
    EXPECT_EQ(Run.GetApplication(-1), nullptr);
}

TEST(Run, LateralEntryFileLiesInTheCropFolder) {
    TRun Run;
    Run.SetLatEntryFile(u"run7.m2t");
    Run.FOCUS_D3_Crop()->CropDirName = u"maize";
    EXPECT_EQ(Run.GetMACRO_M2T(), u"maize/run7.m2t");
    Run.FOCUS_D3_Crop()->CropDirName = u"maize/";
    EXPECT_EQ(Run.GetMACRO_M2T(), u"maize/run7.m2t");
}

TEST(Run, ACopyEqualsItsSourceAndSharesNoObject) {
    const std::unique_ptr<TRun> Source = FilledRun();
    const std::unique_ptr<TRun> Copied = Source->Copy();

    EXPECT_EQ(Copied->RunID, u"R7");
    EXPECT_TRUE(Copied->Selected);
    EXPECT_EQ(Copied->SubstanceCode, u"EXA");
    EXPECT_EQ(Copied->LocationCode, u"D3");
    EXPECT_EQ(Copied->LatEntryFile(), u"run7.m2t");
    EXPECT_EQ(Copied->SubstanceGUID(), u"{guid}");
    EXPECT_EQ(Copied->SubstanceCheckSum(), u"cs1");
    EXPECT_EQ(Copied->FOCUS_D3_Crop()->AsString(), u"Vegetables, leafy_2");
    EXPECT_EQ(Copied->FOCUS_D3_Crop()->CropCodeDWT(), u"Leafy_2");
    EXPECT_EQ(Copied->FOCUS_D3_Crop()->CropDirName, u"leafy");
    EXPECT_EQ(Copied->KorvalisCrop()->ID, u"12");
    EXPECT_EQ(Copied->KorvalisCrop()->KV_NameE, u"Leafy vegetables");
    EXPECT_EQ(Copied->KorvalisCrop()->KV_NameD, u"Bladgroenten");
    EXPECT_EQ(Copied->KorvalisCrop()->CBScrpNr, 2709);
    EXPECT_EQ(Copied->KorvalisCrop()->Areas, Source->KorvalisCrop()->Areas);
    EXPECT_EQ(Copied->KorvalisCrop()->KV_NameDWT, u"Leafy_vegetables");
    EXPECT_EQ(Copied->Name, u"run 7");
    EXPECT_EQ(Copied->RunCreationDate, 45000.5);
    EXPECT_EQ(Copied->RunModificationDate, 45001.25);
    EXPECT_EQ(Copied->ApplicationMethod, u"spray");
    EXPECT_EQ(Copied->NumberOfApplications, 1);
    EXPECT_TRUE(Copied->available);
    EXPECT_TRUE(Copied->valid);
    EXPECT_FALSE(Copied->used);
    EXPECT_EQ(Copied->PEC_peak, 1.75);
    EXPECT_EQ(Copied->Date_peak, u"02-apr-1985");
    EXPECT_EQ(Copied->sCausedBy, u"drainage");

    // The whole application list, whatever NumberOfApplications says.
    ASSERT_EQ(Copied->Applications().Count(), 2);
    for (Integer I = 0; I < 2; ++I) {
        const TRunApplication* From = Source->GetApplication(I);
        const TRunApplication* To = Copied->GetApplication(I);
        EXPECT_NE(From, To);
        EXPECT_EQ(To->NrOfAppl, From->NrOfAppl);
        EXPECT_EQ(To->Rate, From->Rate);
        EXPECT_EQ(To->CAM, From->CAM);
        EXPECT_EQ(To->Depi, From->Depi);
        EXPECT_EQ(To->Perc, From->Perc);
        EXPECT_EQ(To->ApplDate, From->ApplDate);
    }
    EXPECT_NE(Copied->FOCUS_D3_Crop(), Source->FOCUS_D3_Crop());
    EXPECT_NE(Copied->KorvalisCrop(), Source->KorvalisCrop());
    Source->KorvalisCrop()->ID = u"1";
    Source->GetApplication(0)->Rate = 9;
    EXPECT_EQ(Copied->KorvalisCrop()->ID, u"12");
    EXPECT_EQ(Copied->GetApplication(0)->Rate, 0.25);
}

TEST(FocusCrop, OnlyCropNumber22CarriesItsOrderNumber) {
    struct TCase {
        Integer CropNr;
        String AsString;
        String CropCodeDWT;
    };
    for (const TCase& Case : {TCase{22, u"A_2", u"B_2"}, TCase{21, u"A", u"B"}, TCase{0, u"A", u"B"}}) {
        TFOCUS_D3_Crop Crop;
        Crop.CropCode = u"A";
        Crop.CropNr = Case.CropNr;
        Crop.CropOrder = u"2";
        Crop.SetCropCodeDWT(u"B");
        const std::unique_ptr<TFOCUS_D3_Crop> Copied = Crop.Copy();
        for (const TFOCUS_D3_Crop* Read : {&Crop, Copied.get()}) {
            EXPECT_EQ(Read->AsString(), Case.AsString) << Case.CropNr;
            EXPECT_EQ(Read->CropCodeDWT(), Case.CropCodeDWT) << Case.CropNr;
        }
    }
}

TEST(KorvalisCrop, ANewGroupingHasNZeroAreas) {
    const TMemoryProjectDataModule DataModule(
        {{1, u"A", u"A", 1.0}, {2, u"B", u"B", 1.0}, {3, u"C", u"C", 1.0}});
    EXPECT_EQ(TKorvalisCrop().Areas, std::vector<Integer>(3, 0));
}

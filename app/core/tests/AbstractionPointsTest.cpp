#include "core/AbstractionPoints.h"

#include "CropAreaFileTest.h"
#include "coretesting/MemoryProjectDataModule.h"
#include "coretesting/TestFolders.h"
#include "os/FilePath.h"
#include "rtl/Convert.h"
#include "rtl/Exception.h"
#include "rtl/StringUtils.h"
#include "rtltesting/ExceptionMessage.h"

#include <gtest/gtest.h>

namespace {

const String DefaultCropAreaFile =
    ExpandFileName(String(u"" VANDREL_FIXTURES) + u"/../../../../data/CropArea/default.CropArea");

// Crop-area files with three abstraction points.
class AbstractionPoints : public CropAreaFileTest {
protected:
    AbstractionPoints()
        : CropAreaFileTest(
              {{1, u"P1", u"Point 1", 1.5}, {2, u"P2", u"Point 2", 2.0}, {3, u"P3", u"Point 3", 1.0}}) {
        FDataModule.DefaultCropArea = DefaultCropAreaFile;
    }

    // Intake areas 100, 200 and 0; grouping 1 has no area at point 2,
    // grouping 2 none at point 3 (its value is missing).
    String ThreePointFile() {
        return Write({u"* Intake area of abstraction point [ha] 100 200 0", u"* ID abstraction point 1 2 3",
                      u"1 Grasland 265 Grassland 10 0 5", u"2 Mais 259 Maize 20 40"});
    }
};

class TenPoints : public ::testing::Test {
protected:
    TenPoints() { FDataModule.DefaultCropArea = DefaultCropAreaFile; }
    TMemoryProjectDataModule FDataModule;
};

} // namespace

TEST_F(TenPoints, TheInstalledFileLoadsTenPointsWithCropDataAndIntakeAreas) {
    TAbstractionPoints Points;
    Points.ResetToDefault();

    EXPECT_EQ(Points.VersionDate(), u"10-12-2024");
    ASSERT_EQ(Points.CropCount(), 26);
    for (Integer G = 0; G < 26; ++G)
        EXPECT_EQ(Points.Crops(G)->ID, IntToStr(G + 1)); // the engine reads the groupings in code order
    EXPECT_EQ(Points.Crops(0)->KV_NameE, u"Grassland");
    EXPECT_EQ(Points.Crops(9)->KV_NameD, u"Veldbonen en erwten");

    const std::vector<Integer> IntakeAreas{185000, 96000,  143000, 212000, 48000,
                                           167000, 121000, 64000,  88000,  11500};
    // Groupings without area at a point have no crop data there.
    const std::vector<Integer> CropCounts{26, 26, 26, 26, 24, 26, 26, 25, 24, 26};
    ASSERT_EQ(Points.Count(), 10);
    for (Integer K = 0; K < 10; ++K) {
        const TAbstractionPoint& Point = *Points.Items(K);
        EXPECT_EQ(Point.ID(), K + 1);
        EXPECT_EQ(Point.Area(), IntakeAreas[K]) << K;
        EXPECT_EQ(Point.CropCount(), CropCounts[K]) << K;
        for (Integer C = 0; C < Point.CropCount(); ++C) {
            EXPECT_EQ(Point.Crops(C)->Owner(), &Point);
            EXPECT_EQ(Point.Crops(C)->MarketShare(), 0.4);
        }
    }
    EXPECT_EQ(Points.Items(9)->Name(), u"BOMMELERWAARD");
    EXPECT_EQ(Points.Items(4)->Find(u"16"), nullptr); // no asparagus at Amsterdam
    const TCropData& Grassland = *Points.Items(0)->Crops(0);
    EXPECT_EQ(Grassland.Area_ha(), 5040);
    EXPECT_DOUBLE_EQ(Grassland.RCA(), 5040.0 / 185000.0);
    EXPECT_TRUE(Points.IsDefault());
}

TEST_F(AbstractionPoints, LoadingBuildsPointsFromTheDatabaseAndCropDataFromTheFile) {
    TAbstractionPoints Points;
    Points.SetFileName(ThreePointFile());
    ASSERT_EQ(Points.Count(), 3);
    EXPECT_EQ(Points.Items(1)->Caption(), u"Point 2");
    EXPECT_EQ(Points.Items(1)->ADF(), 2.0);
    EXPECT_EQ(Points.Items(1)->Area(), 200);

    TKorvalisCrop* Grassland = Points.Crops(0);
    TKorvalisCrop* Maize = Points.Crops(1);
    EXPECT_EQ(Points.Items(0)->CropCount(), 2);
    EXPECT_EQ(Points.Items(1)->Find(Grassland), nullptr); // area 0
    EXPECT_EQ(Points.Items(1)->Find(Maize)->Area_ha(), 40);
    EXPECT_EQ(Points.Items(2)->Find(u"2"), nullptr); // area missing: -1
    EXPECT_EQ(Points.Items(2)->Find(u"1")->Crop(), Grassland);
    EXPECT_EQ(Points.Items(2)->Find(u"1")->RCA(), 0); // no intake area at point 3
    EXPECT_EQ(Points.Items(0)->Find(u"01"), nullptr);
}

TEST_F(AbstractionPoints, AnIntakeLineWithoutNValuesIsRefusedAndThePointsStayBuilt) {
    const std::vector<std::vector<String>> Files{
        {u"* no intake line", u"1 Mais 259 Maize 1 2 3"},
        {u"* Intake area of abstraction point [ha] 100 200", u"1 Mais 259 Maize 1 2 3"},
        {u"* Intake area of abstraction point [ha] 100 200 300 400", u"1 Mais 259 Maize 1 2 3"},
        {u"* only comment lines", u"* and nothing else"},
    };
    for (const std::vector<String>& Lines : Files) {
        TAbstractionPoints Points;
        const String FileName = Write(Lines);
        EXPECT_EQ(MessageOf([&] { Points.SetFileName(FileName); }),
                  u"invalid number of Area-values in file " + FileName);
        EXPECT_EQ(Points.Count(), 3);
        EXPECT_EQ(Points.Items(2)->CropCount(), Points.CropCount());
    }
}

TEST_F(AbstractionPoints, UndoChangesResetsEveryShareToTheDefault) {
    TAbstractionPoints Points;
    Points.SetFileName(ThreePointFile());
    Points.Items(0)->Crops(1)->SetMarketShare(0.9);
    Points.Items(0)->Crops(1)->SetMarketShare_default(0.8);
    Points.Items(1)->Clear();
    Points.UndoChanges();
    EXPECT_EQ(Points.Items(1)->CropCount(), 1);
    for (Integer K = 0; K < Points.Count(); ++K)
        for (Integer C = 0; C < Points.Items(K)->CropCount(); ++C) {
            EXPECT_EQ(Points.Items(K)->Crops(C)->MarketShare(), 0.4);
            EXPECT_EQ(Points.Items(K)->Crops(C)->MarketShare_default(), 0.4);
        }
}

TEST_F(AbstractionPoints, TheDefaultFileIsRecognisedInAnyLetterCaseAndResetRestoresItsValues) {
    TAbstractionPoints Points;
    Points.SetFileName(ThreePointFile());
    EXPECT_FALSE(Points.IsDefault());

    FDataModule.DefaultCropArea = UpperCase(Points.FileName());
    EXPECT_TRUE(Points.IsDefault());

    FDataModule.DefaultCropArea = Points.FileName();
    Points.Items(0)->SetADF(7);
    Points.Items(0)->Crops(0)->SetMarketShare(0.9);
    Points.ResetToDefault();
    EXPECT_EQ(Points.Items(0)->ADF(), 1.5);
    EXPECT_EQ(Points.Items(0)->Crops(0)->MarketShare(), 0.4);
}

TEST_F(AbstractionPoints, ACopyIsDeepAndOutlivesItsSource) {
    auto Source = std::make_unique<TAbstractionPoints>();
    const String FileName = ThreePointFile();
    Source->SetFileName(FileName);
    Source->Items(0)->Crops(1)->SetMarketShare(0.7);
    Source->Items(0)->SetPEC_Tier1(u"0.123");

    const std::unique_ptr<TAbstractionPoints> Copied = Source->Copy();
    Source.reset();

    EXPECT_EQ(Copied->FileName(), FileName);
    EXPECT_EQ(Copied->Lines()->Count(), 4);
    ASSERT_EQ(Copied->CropCount(), 2);
    ASSERT_EQ(Copied->Count(), 3);
    const TAbstractionPoint& Point = *Copied->Items(0);
    EXPECT_EQ(Point.ADF(), 1.5);
    EXPECT_EQ(Point.Area(), 100);
    EXPECT_EQ(Point.PEC_Tier1(), u"");
    ASSERT_EQ(Point.CropCount(), 2);
    EXPECT_EQ(Point.Crops(1)->Crop(), Copied->Crops(1));
    EXPECT_EQ(Point.Crops(1)->Owner(), &Point);
    EXPECT_EQ(Point.Crops(1)->MarketShare(), 0.7);
    EXPECT_DOUBLE_EQ(Point.Crops(1)->RCA(), 0.2);
}

TEST_F(AbstractionPoints, AFailedLoadLeavesNoCropDataOfFreedGroupings) {
    TAbstractionPoints Points;
    Points.SetFileName(ThreePointFile());
    EXPECT_THROW(Points.SetFileName(FFolder / u"missing.CropArea"), EFOpenError);
    EXPECT_EQ(Points.Items(0)->Crops(0)->Crop(), Points.Crops(0)); // unchanged

    EXPECT_THROW(Points.SetFileName(Write({u"1 Mais 259 Maize 1 x 3"})), EConvertError);
    for (Integer K = 0; K < Points.Count(); ++K)
        EXPECT_EQ(Points.Items(K)->CropCount(), 0);
}

TEST_F(TenPoints, SavingWritesTheLinesUnchanged) {
    TAbstractionPoints Points;
    Points.SetFileName(DefaultCropAreaFile);
    const TTestFolder Folder;
    Points.Save(Folder / u"saved.CropArea");
    EXPECT_EQ(ReadFileBytes(Folder / u"saved.CropArea"), ReadFileBytes(DefaultCropAreaFile));
}

TEST_F(AbstractionPoints, CopiedCropDataBelongToTheDestinationPoint) {
    TAbstractionPoints Points;
    Points.SetFileName(ThreePointFile());
    TAbstractionPoint Destination;
    Points.Items(1)->CopyData(Destination);
    EXPECT_EQ(Destination.ID(), 2);
    EXPECT_EQ(Destination.Name(), u"P2");
    EXPECT_EQ(Destination.Area(), 200);
    ASSERT_EQ(Destination.CropCount(), 1);
    EXPECT_EQ(Destination.Crops(0)->Owner(), &Destination);
    EXPECT_EQ(Destination.Crops(0)->Crop(), Points.Crops(1));
}

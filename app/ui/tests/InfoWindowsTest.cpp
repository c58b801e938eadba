// The information windows on a copy of the installed project database and
// the installed example pictures.

#include "ProjectDatabaseFixture.h"
#include "UiTestSupport.h"
#include "dbctrls/DBGrid.h"
#include "grid/VarErozidOvur.h"
#include "ui/CropAreas.h"
#include "ui/CropGroupingInfo.h"
#include "ui/InfoSurfaceAreas.h"
#include "ui/MapD3Scenario.h"
#include "ui/MapsIntake.h"
#include "ui/UiGlobals.h"
#include "vcl/ExtCtrls.h"
#include "vcl/Image.h"
#include "vcl/PageControl.h"
#include "vcl/ScrollBox.h"
#include "vcl/StdCtrls.h"
#include "windowing/Input.h"

using namespace winapi;

namespace {

class UiInfoWindows : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        {
            TRegistry Registry;
            ASSERT_TRUE(Registry.OpenKey(u"SOFTWARE\\Brennhoven\\VANDREL142", true));
            Registry.WriteString(u"Datapath", Folder.Path());
        }
        ClearDataPath();
        GetDataPath();
        ASSERT_TRUE(ForceDirectories(GetDataDir()));
        ASSERT_TRUE(CopyFile(FromUtf8(VANDREL_PROJECT_DATABASE), GetDataDir() + u"VANDREL.db", false));
        dm = Create<TTestDataModule>();
        dm->OpenProjectDatabase(GetDataDir() + u"VANDREL.db");
        dmDataObjects = dm;
    }
    void TearDown() override {
        dmDataObjects = nullptr;
        Free(dm);
        ClearDataPath();
        UiTest::TearDown();
    }
    template <class T>
    T* Shown() {
        auto* Form = dynamic_cast<T*>(Screen->ActiveForm());
        EXPECT_NE(Form, nullptr);
        return Form;
    }
    // The IDs the abstraction points table lists, in order.
    std::vector<Integer> ListedIDs() {
        std::vector<Integer> IDs;
        TADOTable& Table = *dm->tblAbstractionPoints;
        Table.First();
        while (!Table.Eof()) {
            IDs.push_back(Table.FieldByName(u"ID")->AsInteger());
            Table.Next();
        }
        return IDs;
    }

    TRegistrySandbox Registry;
    TTestFolder Folder;
    TTestDataModule* dm = nullptr;
};

} // namespace

TEST_F(UiInfoWindows, CropGroupingsListTheCropsTableAndTheDefaultCropAcreageAndCloseTheTableAfterwards) {
    Steps({[&] {
        auto* Form = Shown<TfrmCropGroupingInfo>();
        EXPECT_EQ(Form->Caption(), u"Information - Crop groupings");
        EXPECT_EQ(Form->Width(), 874);
        EXPECT_EQ(Form->Height(), 546);
        EXPECT_EQ(Form->pagPages()->ActivePageIndex(), 0);
        EXPECT_TRUE(dm->tblDWTCrops->Active());
        TDBGrid& Grid = *Form->grdCrops();
        EXPECT_EQ(Grid.Columns()->Items(0)->TitleCaption(), u"FOCUS D3 crops");
        EXPECT_EQ(Grid.Columns()->Items(2)->TitleCaption(), u"Korvalis crop grouping (NL)");
        EXPECT_EQ(Grid.Columns()->Items(3)->TitleCaption(), u"codeID");
        EXPECT_GT(Grid.Columns()->Items(0)->Width(), Grid.Columns()->Items(3)->Width());
        EXPECT_EQ(Grid.RowCount(), dm->tblDWTCrops->RecordCount() + 1);
        TVarErozidOvur& Areas = *Form->fraCropAreas1()->grdCropAreas();
        EXPECT_EQ(Areas.RowCount(), 30);
        EXPECT_EQ(Areas.Cells(1, 4), u"Grassland");
        Backend->TypeKey(VK_ESCAPE);
    }});
    TfrmCropGroupingInfo::Execute();
    EXPECT_TRUE(StepsDone());
    EXPECT_FALSE(dm->tblDWTCrops->Active());
    // A failure while the window is shown still closes the table.
    Steps({[&] { throw Exception(u"shown and failed"); }});
    EXPECT_THROW(TfrmCropGroupingInfo::Execute(), Exception);
    EXPECT_FALSE(dm->tblDWTCrops->Active());
}

TEST_F(UiInfoWindows, TheIntakeMapsFitAndZoomOnClickAndTheSubareaSitsBesideItsAreaAtHalfWidth) {
    Steps({[&] {
        auto* Form = Shown<TfrmMapsIntake>();
        EXPECT_EQ(Form->Caption(), u"Maps intake areas");
        TImage& Map = *Form->imgAbstractionPoints();
        EXPECT_EQ(Map.Picture()->Width(), 900);
        EXPECT_FALSE(Form->Zoomed());
        EXPECT_EQ(Map.Hint(), u"Click to zoom");
        EXPECT_LE(Map.Width(), Form->sbAbstractionPoints()->ClientWidth());
        const Integer Fitted = Map.Width();
        ClickOn(Map);
        EXPECT_TRUE(Form->Zoomed());
        EXPECT_EQ(Map.Hint(), u"Click to go back");
        EXPECT_EQ(Map.Width(), 900);
        EXPECT_EQ(Map.Height(), 1000);
        Form->imgAbstractionPointsClick(&Map);
        EXPECT_FALSE(Form->Zoomed());
        EXPECT_EQ(Map.Hint(), u"Click to zoom");
        EXPECT_EQ(Map.Width(), Fitted);

        Form->pagPages()->SetActivePage(Form->tabIntakeAreas());
        TComboBox& Areas = *Form->cmbIntakePoints();
        ASSERT_EQ(Areas.Items()->Count(), 4);
        EXPECT_EQ(Areas.Items()->Strings(1), u"Andijk, Brakel and Bommelerwaard (subarea of Brakel)");
        EXPECT_FALSE(Form->imgSubarea()->Visible());
        Areas.SetItemIndex(1);
        Form->cmbIntakePointsChange(&Areas);
        Form->SetBounds(Form->Left(), Form->Top(), 801, 600);
        Pump();
        const Integer PageWidth = Form->tabIntakeAreas()->ClientWidth();
        EXPECT_TRUE(Form->imgSubarea()->Visible());
        EXPECT_TRUE(Form->pnlSpacer()->Visible());
        EXPECT_NEAR(Form->imgIntakeArea()->Width(), (PageWidth - 20) / 2.0, 0.5);
        EXPECT_EQ(Form->imgSubarea()->Width(), Form->imgIntakeArea()->Width());
        EXPECT_EQ(Form->imgIntakeArea()->Left(), 0);
        EXPECT_EQ(Form->pnlSpacer()->Left(), Form->imgIntakeArea()->Width());
        EXPECT_EQ(Form->imgSubarea()->Left(), Form->imgIntakeArea()->Width() + 10);
        EXPECT_EQ(Form->imgIntakeArea()->Top(), Form->pnlArea()->Height());
        EXPECT_EQ(Form->imgIntakeArea()->Top() + Form->imgIntakeArea()->Height(),
                  Form->tabIntakeAreas()->ClientHeight());
        Areas.SetItemIndex(2);
        Form->cmbIntakePointsChange(&Areas);
        EXPECT_FALSE(Form->imgSubarea()->Visible());
        EXPECT_FALSE(Form->pnlSpacer()->Visible());
        EXPECT_EQ(Form->imgIntakeArea()->Width(), PageWidth);
        Backend->TypeKey(VK_ESCAPE);
    }});
    TfrmMapsIntake::Execute();
    EXPECT_TRUE(StepsDone());
}

TEST_F(UiInfoWindows, DetailsBrakelListsPointsSixAndTenAndBackTheNineBelowTen) {
    std::vector<std::vector<Integer>> Listed;
    std::vector<String> Captions, Buttons;
    auto Note = [&](TfrmInfoSurfaceAreas* Form) {
        Listed.push_back(ListedIDs());
        Captions.push_back(Form->Caption());
        Buttons.push_back(Form->btnBrakel()->Caption());
    };
    Steps({[&] {
               auto* Form = Shown<TfrmInfoSurfaceAreas>();
               EXPECT_EQ(Form->grdAreas()->Columns()->Items(0)->TitleCaption(), u"Abstraction Point");
               EXPECT_EQ(Form->grdAreas()->Columns()->Items(1)->TitleCaption(), u"Intake Area (ha)");
               EXPECT_EQ(Form->grdAreas()->RowCount(), 10);
               Note(Form);
               ClickOn(*Form->btnBrakel());
               EXPECT_EQ(Form->mode, 1);
               EXPECT_EQ(Form->grdAreas()->RowCount(), 3);
               Note(Form);
               ClickOn(*Form->btnBrakel());
               EXPECT_EQ(Form->mode, 0);
               Note(Form);
               Backend->TypeKey(VK_ESCAPE);
           }});
    TfrmInfoSurfaceAreas::Execute();
    EXPECT_TRUE(StepsDone());
    EXPECT_EQ(Listed, (std::vector<std::vector<Integer>>{{1, 2, 3, 4, 5, 6, 7, 8, 9}, {6, 10},
                                                          {1, 2, 3, 4, 5, 6, 7, 8, 9}}));
    EXPECT_EQ(Captions, (std::vector<String>{u"Information - surface areas of intake areas",
                                             u" Information - surface area of Brakel",
                                             u" Information - surface of intake areas"}));
    EXPECT_EQ(Buttons, (std::vector<String>{u"Details Brakel", u"Back", u"Details Brakel"}));
}

TEST_F(UiInfoWindows, TheD3MapFillsTheWindowKeepingItsShape) {
    Steps({[&] {
        auto* Form = Shown<TfrmMapD3Scenario>();
        EXPECT_EQ(Form->Caption(), u"Map D3 Scenario");
        TImage& Map = *Form->imgMap();
        EXPECT_EQ(Map.Picture()->Width(), 800);
        EXPECT_EQ(Map.Width(), Form->ClientWidth());
        const TRect Drawn = Map.DestRect();
        // 800 x 560 keeps its shape: the full width or the full height.
        EXPECT_TRUE(Drawn.Width() == Map.Width() || Drawn.Height() == Map.Height());
        EXPECT_NEAR(Double(Drawn.Width()) / Drawn.Height(), 800.0 / 560.0, 0.02);
        Backend->TypeKey(VK_ESCAPE);
    }});
    TfrmMapD3Scenario::Execute();
    EXPECT_TRUE(StepsDone());
}

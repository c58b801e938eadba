// The refinements window and its two frames on the real core: a copy of the
// installed project database, the installed default crop-area file, and a
// project of three runs of which two are assessed.

#include "ProjectDatabaseFixture.h"
#include "UiTestSupport.h"
#include "graphics/Colors.h"
#include "graphics/GraphicsObjects.h"
#include "grid/VarErozidOvur.h"
#include "rtl/Convert.h"
#include "rtl/StringList.h"
#include "rtltesting/TestFiles.h"
#include "ui/CropAreas.h"
#include "ui/ProjectSummary.h"
#include "ui/RCA.h"
#include "ui/Refinements.h"
#include "ui/UiGlobals.h"
#include "vcl/GroupBox.h"
#include "vcl/OpenDialog.h"
#include "vcl/PageControl.h"
#include "vcl/StaticText.h"
#include "vcl/StdCtrls.h"
#include "windowing/Input.h"
#include "windowing/Focus.h"

#include <fstream>
#include <sstream>

using namespace winapi;

namespace {

using TKind = TScriptedUserInteraction::TCallKind;

std::unique_ptr<TRun> NewRun(const String& RunID, const String& Crop, const String& Grouping,
                             const String& Name, bool Assessed) {
    auto Run = std::make_unique<TRun>();
    Run->RunID = RunID;
    Run->FOCUS_D3_Crop()->CropCode = Crop;
    Run->KorvalisCrop()->ID = Grouping;
    Run->KorvalisCrop()->KV_NameE = Name;
    Run->available = true;
    Run->valid = Assessed;
    if (Assessed) {
        Run->PEC_peak = 1.5;
        Run->Date_peak = u"12-jun-1985";
        Run->sCausedBy = u"drainage";
    }
    return Run;
}

// The installed default file with one more line, a total over the
// groupings, and the lines of a file whose intake-area line is short.
std::string DefaultFileBytes() { return ReadFileBytes(FromUtf8(VANDREL_DATA "/CropArea/default.CropArea")); }

class UiRefinements : public UiTest {
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
        ASSERT_TRUE(ForceDirectories(GetProjectsDir()));
        ASSERT_TRUE(CopyFile(FromUtf8(VANDREL_PROJECT_DATABASE), GetDataDir() + u"VANDREL.db", false));
        dm = Create<TTestDataModule>();
        dm->SetSubstanceLibrary(&Library);
        dm->OpenProjectDatabase(GetDataDir() + u"VANDREL.db");
        dmDataObjects = dm;
        Library.Substances[u"{GUID-1}"] = {u"sum-1", u"Examplofen"};
        Scenario.ID = 2;
        Scenario.SetName(u"Examplofen_arable");
        Scenario.Runs().Add(NewRun(u"201", u"Cereals, winter", u"3", u"Winter cereals", true));
        Scenario.Runs().Add(NewRun(u"202", u"Potatoes", u"5", u"Potatoes consumption", true));
        Scenario.Runs().Add(NewRun(u"203", u"Sugar beets", u"8", u"Sugar beet", false));
        dm->ScenarioProjects[2] = &Scenario;

        TDWProject Stored;
        Stored.SetName(u"Refined");
        Stored.Substance()->SetGUID(u"{GUID-1}");
        dm->ReadTravoProject(*Stored.TRAVOProject(), 2, AssessedScenario);
        Stored.AbstractionPoints()->SetFileName(dm->DefaultCropAreaFile());
        Stored.AbstractionPoints()->Items(0)->SetADF(0.333);
        Stored.AbstractionPoints()->Items(0)->Find(u"3")->SetMarketShare(0.333);
        dm->SaveProject(Stored);
        ID = Stored.ID;
        dm->ReadDWTProject(Project, ID);
    }
    void TearDown() override {
        Free(Form);
        Form = nullptr;
        SetFileDialogHandler(nullptr);
        dmDataObjects = nullptr;
        Free(dm);
        ClearDataPath();
        UiTest::TearDown();
    }

    TfrmRefinements* Open() {
        Form = Create<TfrmRefinements>(Application);
        Form->AssignProject(&Project);
        return Form;
    }
    // Shows the window on the project and runs the steps in its modal loop.
    Integer Show(std::vector<std::function<void()>> Script) {
        Open();
        Steps(std::move(Script));
        const Integer Result = Form->ShowModal();
        EXPECT_TRUE(StepsDone());
        return Result;
    }
    void ClickLater(const TControl& Control) {
        const TPoint Centre = Control.ClientToScreen(TPoint{Control.Width() / 2, Control.Height() / 2});
        Backend->Click(Centre.X, Centre.Y);
    }
    TVarErozidOvur& Areas() { return *Form->fraCropAreas1()->grdCropAreas(); }
    TVarErozidOvur& Factors() { return *Form->grdADF(); }
    TVarErozidOvur& Shares() { return *Form->fraRCA1()->grdAbsPoints1(); }
    std::unique_ptr<TDWProject> StoredProject() {
        auto Result = std::make_unique<TDWProject>();
        dm->ReadDWTProject(*Result, ID);
        return Result;
    }
    // A crop-area file in the data folder.
    String WriteCropAreaFile(const String& Name, const std::string& Bytes) {
        WriteFileBytes(GetDataDir() + Name, Bytes);
        return GetDataDir() + Name;
    }

    TRegistrySandbox Registry;
    TTestFolder Folder;
    TTestSubstanceLibrary Library;
    TTestDataModule* dm = nullptr;
    TTRAVOProject Scenario;
    TDWProject Project;
    Integer ID = 0;
    TfrmRefinements* Form = nullptr;
};

} // namespace

TEST_F(UiRefinements, ShowsTheCropAcreageTheDilutionFactorsAndTheSharesOfTheUsedGroupings) {
    ScaleFactor = 1.25;
    Open();
    EXPECT_EQ(Form->Caption(), u"Refinements");
    EXPECT_EQ(Form->Width(), 788);
    EXPECT_EQ(Form->Height(), 577);
    EXPECT_EQ(Form->Font()->Name(), u"Tahoma");
    EXPECT_EQ(Form->fraProjectSummary1()->GroupBox1()->Caption(), u" VANDREL project ");
    EXPECT_EQ(Form->fraProjectSummary1()->txtName()->Caption(), u"Refined");
    EXPECT_TRUE(Form->radDefault()->Checked());
    EXPECT_EQ(Form->txtFileName()->Caption(), u"");
    EXPECT_FALSE(Form->btnBrowse()->Visible());
    EXPECT_EQ(Form->mmComments()->Lines()->Strings(0), Project.AbstractionPoints()->Comment()->Strings(0));
    EXPECT_EQ(Form->OpenDialog1()->InitialDir(), GetDataDir());

    // Crop acreage: two header rows, the intake areas, the units, 26 groupings.
    TVarErozidOvur& A = Areas();
    ASSERT_EQ(A.ColCount(), 12);
    ASSERT_EQ(A.RowCount(), 30);
    EXPECT_EQ(A.FixedRows(), 2);
    EXPECT_EQ(A.FixedCols(), 1);
    EXPECT_EQ(A.Cells(2, 0), u"Abstraction Points");
    EXPECT_EQ(A.CellSpan(2, 0), (TPoint{9, 0}));
    EXPECT_EQ(A.CellSpan(1, 0), (TPoint{0, 1}));
    EXPECT_EQ(A.Cells(2, 1), u"De Punt");
    EXPECT_EQ(A.Cells(11, 1), u"Bommelerwaard (sub-area of Brakel)");
    EXPECT_EQ(A.Cells(1, 2), u"Intake Area");
    EXPECT_EQ(A.Cells(2, 2), u"185000");
    EXPECT_EQ(A.Cells(1, 3), u"Korvalis Crops");
    EXPECT_EQ(A.Cells(5, 3), u"[ha]");
    EXPECT_EQ(A.Cells(1, 4), u"Grassland");
    EXPECT_EQ(A.Cells(2, 4), u"5040");
    // Asparagus has no area at Amsterdam (point 5) and Scheelhoek (point 9).
    EXPECT_EQ(A.Cells(1, 19), u"Asparagus");
    EXPECT_EQ(A.Cells(6, 19), u"-");
    EXPECT_EQ(A.Cells(10, 19), u"-");
    EXPECT_EQ(A.Cells(7, 19), u"59");
    EXPECT_EQ(A.Row(), 4);
    EXPECT_EQ(A.ColWidths(0), 6);
    EXPECT_EQ(A.ColWidths(1), 181);
    EXPECT_EQ(A.ColWidths(2), 100);
    EXPECT_EQ(A.ColWidths(11), 225);

    // Dilution factors with two decimals.
    TVarErozidOvur& F = Factors();
    ASSERT_EQ(F.RowCount(), 11);
    EXPECT_EQ(F.Cells(0, 0), u"Abstraction Point");
    EXPECT_EQ(F.Cells(1, 0), u"Additional Dilution Factor");
    EXPECT_EQ(F.Cells(0, 1), u"De Punt");
    EXPECT_EQ(F.Cells(1, 1), u"0.33");
    EXPECT_EQ(F.Cells(1, 3), u"0.80");

    // Market shares: the two assessed groupings at every point; the
    // grouping of the run that is not assessed is absent.
    TVarErozidOvur& S = Shares();
    ASSERT_EQ(S.RowCount(), 21);
    EXPECT_EQ(S.Cells(1, 0), u"Abstraction Point");
    EXPECT_EQ(S.Cells(2, 0), u"Korvalis Crop");
    EXPECT_EQ(S.Cells(3, 0), u"Market Share");
    EXPECT_EQ(S.Cells(4, 0), u"RCA");
    EXPECT_EQ(S.Cells(1, 1), u"De Punt");
    EXPECT_EQ(S.CellSpan(1, 1), (TPoint{0, 1}));
    EXPECT_EQ(S.Cells(2, 1), u"Winter cereals");
    EXPECT_EQ(S.Cells(3, 1), u"0.33");
    EXPECT_EQ(S.Cells(4, 1), u"0.0056"); // 1045 ha of 185000
    EXPECT_EQ(S.Cells(2, 2), u"Potatoes consumption");
    EXPECT_EQ(S.Cells(3, 2), u"0.40");
    EXPECT_EQ(S.Cells(1, 3), u"Andijk");
    EXPECT_EQ(S.Cells(1, 19), u"Bommelerwaard (sub-area of Brakel)");
    for (Integer Row = 1; Row < S.RowCount(); ++Row)
        EXPECT_NE(S.Cells(2, Row), u"Sugar beet") << Row;
    EXPECT_EQ(S.Col(), 3);
    EXPECT_EQ(Form->fraRCA1()->usedCrops()->CommaText(), u"3,5");
}

TEST_F(UiRefinements, CropAcreageCellsTakeTheirFixedLookFontColourAlignmentAndTotalBorders) {
    // The default file with a total over the groupings as its last line.
    Project.AbstractionPoints()->SetFileName(WriteCropAreaFile(
        u"total.CropArea", DefaultFileBytes() + "27  Totaal                9999 TOTAL                 "
                                                "100 100 100 100 100 100 100 100 100 100\r\n"));
    Open();
    TVarErozidOvur& A = Areas();
    ASSERT_EQ(A.RowCount(), 31);
    ASSERT_EQ(A.Cells(1, 30), u"TOTAL");
    struct TCase {
        Integer Col, Row;
        bool Fixed;
        String FontName;
        TColor Brush; // clNone: not asked
        TAlignment Align;
        bool Borders;
    };
    const TColor Yellow = RGB(255, 255, 128);
    const TCase Cases[] = {
        {2, 0, true, u"Tahoma", clNone, taLeftJustify, false},       // "Abstraction Points"
        {3, 1, true, u"Arial Narrow", clNone, taRightJustify, false}, // a point's caption
        {0, 5, true, u"Arial Narrow", clNone, taLeftJustify, false},  // the fixed column
        {1, 2, false, u"Tahoma", Yellow, taLeftJustify, false},       // "Intake Area"
        {4, 2, false, u"Tahoma", Yellow, taRightJustify, false},      // an intake area
        {1, 3, true, u"Arial Narrow", clNone, taLeftJustify, false},  // "Korvalis Crops"
        {4, 3, true, u"Arial Narrow", clNone, taRightJustify, false}, // "[ha]"
        {1, 4, false, u"Tahoma", RGB(243, 243, 243), taLeftJustify, false},
        {5, 4, false, u"Tahoma", RGB(243, 243, 243), taRightJustify, false},
        {1, 30, true, u"Arial Narrow", clNone, taLeftJustify, true},  // the total row
        {6, 30, true, u"Arial Narrow", clNone, taRightJustify, true},
    };
    for (const TCase& C : Cases) {
        SCOPED_TRACE(testing::Message() << "cell " << C.Col << "," << C.Row);
        TBrush Brush;
        TFont Font;
        TColor ColorTo = clNone, Mirror = clNone, MirrorTo = clNone;
        TAlignment HAlign = taLeftJustify;
        TVAlignment VAlign = vtaTop;
        bool WordWrap = false;
        TCellGradientDirection Direction = GradientVertical;
        TGridDrawState State;
        A.GetVisualProperties(C.Col, C.Row, State, false, false, false, &Brush, ColorTo, Mirror, MirrorTo, &Font,
                              HAlign, VAlign, WordWrap, Direction);
        bool Fixed = C.Row < 2 || C.Col < 1;
        A.OnIsFixedCell(&A, C.Row, C.Col, Fixed);
        EXPECT_EQ(Fixed, C.Fixed);
        EXPECT_EQ(Font.Name(), C.FontName);
        if (C.Brush != clNone) {
            EXPECT_EQ(Brush.Color(), C.Brush);
        }
        EXPECT_EQ(HAlign, C.Align);
        TPen Pen;
        TCellBorders Borders;
        A.OnGetCellBorder(&A, C.Row, C.Col, &Pen, Borders);
        EXPECT_EQ(Borders, C.Borders ? (TCellBorders{cbTop, cbLeft, cbRight, cbBottom}) : TCellBorders{});
    }
}

TEST_F(UiRefinements, SaveAndCloseChecksFactorsThenSharesAndStoresUntouchedValuesUnrounded) {
    struct TCase {
        String Factor, Share; // the texts of the first point's cells; "=": untouched
        String Error;         // the error box; empty: saved
        TTabSheet* (TfrmRefinements::*Page)() const = nullptr;
        Double StoredFactor = 0, StoredShare = 0;
    };
    const TCase Cases[] = {
        {u"=", u"=", u"", nullptr, 0.333, 0.333},
        {u"0.5", u"0.25", u"", nullptr, 0.5, 0.25},
        {u"0", u"1", u"", nullptr, 0, 1},
        {u"1", u"0", u"", nullptr, 1, 0},
        {u"=", u"", u"", nullptr, 0.333, 0}, // an emptied share counts 0
        {u"-0.01", u"=", u"value must be in range [0,1]", &TfrmRefinements::tabADF},
        {u"1.01", u"=", u"value must be in range [0,1]", &TfrmRefinements::tabADF},
        {u"=", u"-0.01", u"value must be in range [0,1]", &TfrmRefinements::tabRCA},
        {u"=", u"1.01", u"value must be in range [0,1]", &TfrmRefinements::tabRCA},
    };
    for (const TCase& C : Cases) {
        SCOPED_TRACE(Narrow(C.Factor + u" " + C.Share));
        dm->ReadDWTProject(Project, ID);
        const size_t ErrorsBefore = User.Texts(TKind::Error).size();
        std::vector<std::function<void()>> Script{[&] {
            if (C.Factor != u"=") Factors().SetCells(1, 1, C.Factor);
            if (C.Share != u"=") Shares().SetCells(3, 1, C.Share);
            ClickLater(*Form->btnClose());
        }};
        if (!C.Error.empty())
            Script.push_back([&] {
                EXPECT_EQ(Form->pagPages()->ActivePage(), (Form->*C.Page)());
                EXPECT_FALSE(Form->gbCropArcreage()->Visible());
                TVarErozidOvur& Grid = C.Page == &TfrmRefinements::tabADF ? Factors() : Shares();
                EXPECT_EQ(Grid.Row(), 1);
                EXPECT_EQ(Grid.Col(), C.Page == &TfrmRefinements::tabADF ? 1 : 3);
                ClickLater(*Form->btnCancel());
            });
        const Integer Result = Show(Script);
        const std::vector<String> Errors = User.Texts(TKind::Error);
        auto Stored = StoredProject();
        const TAbstractionPoint& Point = *Stored->AbstractionPoints()->Items(0);
        if (C.Error.empty()) {
            EXPECT_EQ(Result, mrOk);
            EXPECT_EQ(Errors.size(), ErrorsBefore);
            EXPECT_EQ(Point.ADF(), C.StoredFactor);
            EXPECT_EQ(Point.Find(u"3")->MarketShare(), C.StoredShare);
        } else {
            EXPECT_EQ(Result, mrCancel);
            ASSERT_EQ(Errors.size(), ErrorsBefore + 1);
            EXPECT_EQ(Errors.back(), C.Error);
            // Nothing was stored.
            EXPECT_EQ(Point.ADF(), 0.333);
            EXPECT_EQ(Point.Find(u"3")->MarketShare(), 0.333);
        }
        Free(Form);
        Form = nullptr;
        // Back to the stored values of the fixture for the next case.
        dm->ReadDWTProject(Project, ID);
        Project.AbstractionPoints()->Items(0)->SetADF(0.333);
        Project.AbstractionPoints()->Items(0)->Find(u"3")->SetMarketShare(0.333);
        dm->SaveProject(Project);
    }
}

TEST_F(UiRefinements, TabStepsThroughTheSharesAndStopsAtTheLastAndATypedShareIsStoredAsTyped) {
    std::vector<String> Cursor;
    auto Record = [&] { Cursor.push_back(IntToStr(Shares().Col()) + u"," + IntToStr(Shares().Row())); };
    auto FocusInGrid = [&] {
        TWinControl* Focused = FindControl(GetFocus());
        return Focused && (Focused == &Shares() || Focused->Parent() == &Shares());
    };
    auto ShiftTab = [&] {
        Backend->PressKey(VK_SHIFT);
        Backend->TypeKey(VK_TAB);
        Backend->ReleaseKey(VK_SHIFT);
    };
    std::vector<std::function<void()>> Script{[&] {
        Form->pagPages()->SetActivePage(Form->tabRCA());
        Shares().SetFocus();
        Record();
        Backend->TypeKey(VK_TAB);
    }};
    // Tab, Tab, Shift+Tab, Shift+Tab, Shift+Tab (already on the first share).
    for (bool Back : {false, true, true, true})
        Script.push_back([&, Back] {
            Record();
            if (Back)
                ShiftTab();
            else
                Backend->TypeKey(VK_TAB);
        });
    Script.push_back([&] {
        Record();
        // Moves to another column keep the share column: left steps up,
        // right steps down.
        Shares().SetRow(5);
        Shares().SetCol(1);
        Record();
        Shares().SetCol(4);
        Record();
        // Tab past the last share.
        for (Integer I = 0; I < 20; ++I) {
            Backend->TypeKey(VK_TAB);
            Pump();
        }
        Record();
        EXPECT_TRUE(FocusInGrid());
        Shares().SetCol(4);
        Record();
        for (Integer I = 0; I < 18; ++I) {
            ShiftTab();
            Pump();
        }
        Record();
        EXPECT_TRUE(FocusInGrid());
        Backend->PressKey(VK_CONTROL);
        Backend->TypeKey(u'A');
        Backend->ReleaseKey(VK_CONTROL);
        Backend->TypeText(u"0.125");
    });
    Script.push_back([&] { ClickLater(*Form->btnClose()); });
    EXPECT_EQ(Show(Script), mrOk);
    EXPECT_EQ(Cursor, (std::vector<String>{u"3,1", u"3,2", u"3,3", u"3,2", u"3,1", u"3,1", u"3,4", u"3,5", u"3,20",
                                           u"3,20", u"3,2"}));
    auto Stored = StoredProject();
    EXPECT_EQ(Stored->AbstractionPoints()->Items(0)->Find(u"5")->MarketShare(), 0.125);
    EXPECT_EQ(Stored->AbstractionPoints()->Items(0)->Find(u"3")->MarketShare(), 0.333);
}

TEST_F(UiRefinements, ChoosingAFileReadsItAndResetsTheValuesOrGoesBackToTheDefault) {
    const std::string Default = DefaultFileBytes();
    const String Total = WriteCropAreaFile(
        u"total.CropArea",
        Default + "27  Totaal                9999 TOTAL                 100 100 100 100 100 100 100 100 100 100\r\n");
    std::string Short = Default;
    const size_t Intake = Short.find("* Intake area of abstraction point [ha]");
    ASSERT_NE(Intake, std::string::npos);
    Short.replace(Intake, Short.find('\r', Intake) - Intake, "* Intake area of abstraction point [ha]  185000");
    const String Broken = WriteCropAreaFile(u"short.CropArea", Short);

    struct TCase {
        String Chosen; // empty: the dialog is cancelled
        String Message, Error;
        bool FileChecked;
        String FileName; // the project's crop-area file afterwards
        String Factor;   // the first point's dilution factor as shown
    };
    const String DefaultFile = dm->DefaultCropAreaFile();
    const TCase Cases[] = {
        {Total,
         u"- New values for Crop Acreages read from file: \"total.CropArea\".\n\r- Additional Dilution Factors and "
         u"Market Shares are reset to the default values.",
         u"", true, Total, u"1.00"},
        {u"", u"", u"", false, DefaultFile, u"0.33"},
        {Broken, u"", u"Failed to assign CropArea file: invalid number of Area-values in file " + Broken, false,
         DefaultFile, u"0.33"},
    };
    for (const TCase& C : Cases) {
        SCOPED_TRACE(Narrow(C.Chosen));
        dm->ReadDWTProject(Project, ID);
        std::vector<TFileDialogRequest> Requests;
        SetFileDialogHandler([&](const TFileDialogRequest& Request, const String&) {
            Requests.push_back(Request);
            return C.Chosen.empty() ? TFileDialogAnswer{} : TFileDialogAnswer{true, C.Chosen};
        });
        const size_t Messages = User.Texts(TKind::Message).size(), Errors = User.Texts(TKind::Error).size();
        Show({[&] { ClickLater(*Form->radFile()); },
              [&] {
                  EXPECT_EQ(Form->radFile()->Checked(), C.FileChecked);
                  EXPECT_EQ(Form->radDefault()->Checked(), !C.FileChecked);
                  EXPECT_EQ(Form->btnBrowse()->Visible(), C.FileChecked);
                  EXPECT_EQ(Form->txtFileName()->Caption(), C.FileChecked ? C.FileName : String());
                  EXPECT_EQ(Project.AbstractionPoints()->FileName(), C.FileName);
                  EXPECT_EQ(Factors().Cells(1, 1), C.Factor);
                  EXPECT_EQ(Areas().RowCount(), C.FileChecked ? 31 : 30);
                  if (!C.FileChecked) {
                      EXPECT_EQ(Form->ActiveControl(), Form->radDefault());
                  }
                  ClickLater(*Form->btnCancel());
              }});
        ASSERT_EQ(Requests.size(), 1u);
        EXPECT_EQ(Requests[0].Title, u"Select Crop-Area file...");
        EXPECT_EQ(Requests[0].Filter, u"Crop-Area files|*.CropArea");
        EXPECT_EQ(Requests[0].InitialDir, GetDataDir());
        const std::vector<String> MessagesAfter = User.Texts(TKind::Message), ErrorsAfter = User.Texts(TKind::Error);
        EXPECT_EQ(std::vector<String>(MessagesAfter.begin() + Messages, MessagesAfter.end()),
                  C.Message.empty() ? std::vector<String>{} : std::vector<String>{C.Message});
        EXPECT_EQ(std::vector<String>(ErrorsAfter.begin() + Errors, ErrorsAfter.end()),
                  C.Error.empty() ? std::vector<String>{} : std::vector<String>{C.Error});
        Free(Form);
        Form = nullptr;
    }
}

TEST_F(UiRefinements, DefaultDataReloadsTheDefaultFileWithItsMessageAndBrowseReadsAnotherFileSilently) {
    const String Other = WriteCropAreaFile(u"other.CropArea", DefaultFileBytes());
    Project.AbstractionPoints()->SetFileName(Other);
    Project.AbstractionPoints()->Items(0)->SetADF(0.333);
    SetFileDialogHandler([&](const TFileDialogRequest&, const String&) { return TFileDialogAnswer{true, Other}; });
    Show({[&] {
              EXPECT_TRUE(Form->radFile()->Checked());
              EXPECT_TRUE(Form->btnBrowse()->Visible());
              EXPECT_EQ(Form->txtFileName()->Caption(), Other);
              ClickLater(*Form->btnBrowse());
          },
          [&] {
              EXPECT_TRUE(User.Texts(TKind::Message).empty());
              EXPECT_EQ(Factors().Cells(1, 1), u"1.00");
              Factors().SetCells(1, 1, u"0.25");
              Project.AbstractionPoints()->Items(0)->SetADF(0.25);
              ClickLater(*Form->radDefault());
          },
          [&] {
              EXPECT_TRUE(Form->radDefault()->Checked());
              EXPECT_FALSE(Form->btnBrowse()->Visible());
              EXPECT_EQ(Form->txtFileName()->Caption(), u"");
              EXPECT_TRUE(Project.AbstractionPoints()->IsDefault());
              EXPECT_EQ(Factors().Cells(1, 1), u"1.00");
              ClickLater(*Form->btnClose());
          }});
    EXPECT_EQ(User.Texts(TKind::Message),
              std::vector<String>{
                  u"Crop Acreages, Additional Dilution Factors and Market Shares are reset to the default values."});
    auto Stored = StoredProject();
    EXPECT_TRUE(Stored->AbstractionPoints()->IsDefault());
    EXPECT_EQ(Stored->AbstractionPoints()->Items(0)->ADF(), 1.0);
}

TEST_F(UiRefinements, AShareThatIsNoNumberKeepsTheWindowOpenAndCancelStoresNothing) {
    Show({[&] {
              Factors().SetCells(1, 1, u"0.5");
              Shares().SetCells(3, 1, u"abc");
              ClickLater(*Form->btnClose());
          },
          [&] {
              EXPECT_EQ(Boxes, std::vector<String>{u"Cell does not contain a float value"});
              ClickLater(*Form->btnCancel());
          }});
    EXPECT_FALSE(Form->fraRCA1()->usedCrops());
    auto Stored = StoredProject();
    EXPECT_EQ(Stored->AbstractionPoints()->Items(0)->ADF(), 0.333);
    EXPECT_EQ(Stored->AbstractionPoints()->Items(0)->Find(u"3")->MarketShare(), 0.333);
}

TEST_F(UiRefinements, APointWithoutAUsedGroupingKeepsOneRowWithItsCaptionOnly) {
    // Asparagus grows at every point but Amsterdam (5) and Scheelhoek (9).
    for (TRun* Run : Project.TRAVOProject()->Runs()) {
        Run->valid = Run->RunID == u"201";
        Run->KorvalisCrop()->ID = u"16";
        Run->KorvalisCrop()->KV_NameE = u"Asparagus";
    }
    Open();
    TVarErozidOvur& S = Shares();
    ASSERT_EQ(S.RowCount(), 11);
    for (Integer Row = 1; Row <= 10; ++Row) {
        SCOPED_TRACE(Row);
        EXPECT_EQ(S.Cells(1, Row), Project.AbstractionPoints()->Items(Row - 1)->Caption());
        const bool None = Row == 5 || Row == 9;
        EXPECT_EQ(S.Cells(2, Row), None ? u"" : u"Asparagus");
        EXPECT_EQ(S.Cells(3, Row), None ? u"" : u"0.40");
        bool CanEdit = true;
        S.OnCanEditCell(&S, Row, 3, CanEdit);
        EXPECT_EQ(CanEdit, !None);
    }
    S.SetCells(3, 6, u"0.5");
    EXPECT_TRUE(Form->fraRCA1()->CheckInputMarketShare(Project));
    Form->fraRCA1()->SaveToProject(Project);
    EXPECT_EQ(Project.AbstractionPoints()->Items(5)->Find(u"16")->MarketShare(), 0.5);
    EXPECT_EQ(Project.AbstractionPoints()->Items(3)->Find(u"16")->MarketShare(), 0.4);
}

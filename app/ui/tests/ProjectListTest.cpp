// The project list on the real core: a copy of the installed project
// database holding the engine test project, the substance library on a copy
// of its example substances, and the real engine.

#include "EngineTestProject.h"
#include "ProjectDatabaseFixture.h"
#include "UiTestSupport.h"
#include "VORN/VORNInterface.h"
#include "dbctrls/DBGrid.h"
#include "grid/VarErozidOvur.h"
#include "rtl/Convert.h"
#include "dbctrls/DBNavigator.h"
#include "os/Shell.h"
#include "ui/CopyProject.h"
#include "ui/PecPeak.h"
#include "ui/ProjectList.h"
#include "ui/ProjectSummary.h"
#include "ui/RCA.h"
#include "ui/Refinements.h"
#include "ui/Results.h"
#include "ui/UiGlobals.h"
#include "vcl/Buttons.h"
#include "vcl/StaticText.h"
#include "vcl/StdCtrls.h"

#include <algorithm>

namespace {

using TKind = TScriptedUserInteraction::TCallKind;

const String SubstanceChangeQuestion =
    u"Warning! If you change properties of this compound and next, continue your calculations, you will obtain "
    u"inconsistent results: You will obtain a PEC_TierI based upon different compound properties as your "
    u"PEC_FOCUS_NL,D3. Do you want to continue ?";

class UiProjectList : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        F = std::make_unique<TEngineTestProject>();
        ASSERT_TRUE(ForceDirectories(GetDataDir()));
        ASSERT_TRUE(CopyFile(FromUtf8(VANDREL_PROJECT_DATABASE), GetDataDir() + u"VANDREL.db", false));
        dm = Create<TTestDataModule>();
        dm->OpenProjectDatabase(GetDataDir() + u"VANDREL.db");
        dmDataObjects = dm;
        TDWProject& Project = F->Project();
        for (Integer I = 0; I < Project.TRAVOProject()->Runs().Count(); ++I)
            F->Run(I).RunID = u"R" + IntToStr(I + 1);
        Project.TRAVOProject()->ID = 7;
        Project.TRAVOProject()->SetName(u"Scenario of the golden project");
        dm->ScenarioProjects[7] = Project.TRAVOProject();
        Project.Substance()->SetCheckSum(
            TVORNInterface::GetSingleton().GetSubstanceChecksumByGUID(Project.Substance()->GUID()));
        dm->SaveProject(Project);
        GoldenID = Project.ID;
        dm->OpenProjectsTable();
    }
    void TearDown() override {
        Free(Form);
        dmDataObjects = nullptr;
        Free(dm);
        F.reset();
        UiTest::TearDown();
    }

    // The list shown (not modally), on the table's last row as always.
    void Open() {
        Form = Create<TfrmDWProjects>(Application);
        Form->Show();
        Pump();
    }
    TDWProject& Current() { return *dm->CurrentProject(); }
    Integer Count(const String& SQL) { return dm->ExecDWTQuery(u"SELECT count(*) FROM " + SQL)->Fields(0)->AsInteger(); }
    // A second stored project, copied from the golden one.
    Integer StoreCopy(const String& Name) {
        TDWProject Copy;
        Copy.SetName(Name);
        Copy.Description = u"the copy";
        dm->CopyProject(GoldenID, Copy);
        return Copy.ID;
    }
    std::vector<String> SubstanceItems() {
        std::vector<String> Items;
        for (Integer I = 0; I < Form->cbxSubstanceCode()->Items()->Count(); ++I)
            Items.push_back(Form->cbxSubstanceCode()->Items()->Strings(I));
        return Items;
    }
    void ClickLater(const TControl& Control) {
        const TPoint Centre = Control.ClientToScreen(TPoint{Control.Width() / 2, Control.Height() / 2});
        Backend->Click(Centre.X, Centre.Y);
    }
    template <class T>
    T* Shown() {
        auto* Window = dynamic_cast<T*>(Screen->ActiveForm());
        EXPECT_NE(Window, nullptr);
        return Window;
    }

    std::unique_ptr<TEngineTestProject> F;
    TTestDataModule* dm = nullptr;
    TfrmDWProjects* Form = nullptr;
    Integer GoldenID = 0;
};

} // namespace

TEST_F(UiProjectList, ShowsTheLastProjectWithItsFolderScenarioAndSubstanceAndEnablesThePanel) {
    const Integer CopyID = StoreCopy(u"Second");
    Open();
    EXPECT_EQ(Form->Caption(), u"Overview of VANDREL projects");
    EXPECT_EQ(Form->Width(), 796);
    EXPECT_EQ(Form->Height(), 591);
    EXPECT_EQ(Current().ID, CopyID);
    EXPECT_EQ(Form->txtName()->Caption(), u"Second");
    EXPECT_EQ(Form->txtPath()->Caption(), GetProjectsDir() + u"Second" + u"/");
    EXPECT_EQ(Form->txtPath()->Hint(), Form->txtPath()->Caption());
    EXPECT_EQ(Form->cbxSubstanceCode()->Text(), u"Example substance");
    EXPECT_EQ(Form->fraTRAVOProject()->txtName()->Caption(), u"Scenario of the golden project");
    EXPECT_TRUE(Form->btnCreateCalc()->Enabled());
    EXPECT_FALSE(Form->btnResults()->Enabled()); // no Summary.out yet

    // The grid's cursor moves the panel.
    dm->tblDWTProjects->First();
    Pump();
    EXPECT_EQ(Form->txtName()->Caption(), u"Golden_project");
    EXPECT_EQ(Form->grdProjects()->Columns()->Items(2)->TitleCaption(), u"Created");
}

TEST_F(UiProjectList, AnEmptyTableDisablesEveryPanelButton) {
    dm->ExecDWTQuery(u"DELETE FROM Projects");
    dm->tblDWTProjects->Close();
    dm->OpenProjectsTable();
    Open();
    EXPECT_EQ(Form->txtName()->Caption(), u"");
    for (TControl* Control : std::initializer_list<TControl*>{
             Form->btnRefinements(), Form->btnPecPeak(), Form->btnCreateView(), Form->btnCreateCalc(),
             Form->btnResults(), Form->btnSubstances(), Form->btnCopy(), Form->cbxSubstanceCode(),
             Form->btnExplore()})
        EXPECT_FALSE(Control->Enabled()) << Narrow(Control->Name());
}

TEST_F(UiProjectList, IncompleteSubstancesComeLastAndChoosingTheSameOneAsksNothing) {
    Open();
    const std::vector<String> Items = SubstanceItems();
    ASSERT_FALSE(Items.empty());
    // Complete ones first, in the library's order; then the incomplete ones.
    std::vector<String> Incomplete;
    for (const String& Item : Items)
        if (Item.size() > 13 && Item.substr(Item.size() - 13) == u" (incomplete)") Incomplete.push_back(Item);
    ASSERT_FALSE(Incomplete.empty());
    EXPECT_EQ(std::vector<String>(Items.end() - Integer(Incomplete.size()), Items.end()), Incomplete);
    EXPECT_EQ(TfrmDWProjects::SubstanceCaption(u" "), u"unknown substance");
    EXPECT_EQ(TfrmDWProjects::SubstanceCaption(u"{00000000-0000-0000-0000-000000000000}"), u"unknown substance");
    const String IncompleteGUID =
        static_cast<TStringList*>(Form->cbxSubstanceCode()->Items()->Objects(Integer(Items.size()) - 1))
            ->Values(u"SubstanceGUID");
    EXPECT_EQ(TfrmDWProjects::SubstanceCaption(IncompleteGUID), Items.back());

    auto Stored = [&] {
        return dm->ExecDWTQuery(u"SELECT ModificationDate || SubstanceGUID FROM Projects")->Fields(0)->AsString();
    };
    const String Before = Stored();
    Form->cbxSubstanceCode()->SetItemIndex(Form->IndexOfSubstance(Current().Substance()->GUID()));
    Form->cbxSubstanceCodeChange(Form->cbxSubstanceCode());
    EXPECT_TRUE(User.Texts(TKind::Confirm).empty());
    EXPECT_EQ(Stored(), Before);
}

TEST_F(UiProjectList, ASubstanceChangeIsStoredOnlyWhenConfirmed) {
    Open();
    const String OldGUID = Current().Substance()->GUID();
    const Integer Other = Form->IndexOfSubstance(u"{6A0E2F4C-1B7D-4E59-9C31-2D8F0A4B7E11}"); // Examplofen
    ASSERT_GE(Other, 0);

    User.AnswerConfirm(false);
    Form->cbxSubstanceCode()->SetItemIndex(Other);
    Form->cbxSubstanceCodeChange(Form->cbxSubstanceCode());
    EXPECT_EQ(User.Texts(TKind::Confirm), std::vector<String>{SubstanceChangeQuestion});
    EXPECT_EQ(Form->SelectedSubstanceGUID(), OldGUID);
    EXPECT_EQ(Count(u"Projects WHERE SubstanceGUID = '" + OldGUID + u"'"), 1);

    User.AnswerConfirm(true);
    Form->cbxSubstanceCode()->SetItemIndex(Other);
    Form->cbxSubstanceCodeChange(Form->cbxSubstanceCode());
    EXPECT_EQ(Form->SelectedSubstanceGUID(), u"{6A0E2F4C-1B7D-4E59-9C31-2D8F0A4B7E11}");
    EXPECT_EQ(Current().Substance()->Caption(), u"Examplofen");
    EXPECT_EQ(Count(u"Projects WHERE SubstanceGUID = '{6A0E2F4C-1B7D-4E59-9C31-2D8F0A4B7E11}' AND "
                    u"SubstanceCheckSum = '" +
                    TVORNInterface::GetSingleton().GetSubstanceChecksumByGUID(
                        u"{6A0E2F4C-1B7D-4E59-9C31-2D8F0A4B7E11}") +
                    u"'"),
              1);
}

TEST_F(UiProjectList, ARealCalculationEnablesTheResultsAndOffersThem) {
    F->InstallEngine();
    Open();
    User.AnswerConfirm(false);
    ClickOn(*Form->btnCreateCalc());
    EXPECT_EQ(User.Texts(TKind::Confirm), std::vector<String>{u"Calculation succesful. Do you want to view the result?"});
    EXPECT_TRUE(Form->btnResults()->Enabled());
    for (const Char* Name : {u"CropPEC.inp", u"CompoundProperties.inp", u"CropArea.inp", u"Summary.out"})
        EXPECT_TRUE(FileExists(Current().Path() + Name)) << Narrow(Name);

    // Yes opens the results window on the project.
    String ResultsCaption, FirstPoint;
    Steps({[&] {
        auto* Results = Shown<TfrmResults>();
        ResultsCaption = Results->Caption();
        FirstPoint = Results->grdAbsPoints()->Cells(0, 1);
        ClickLater(*Results->btnClose());
    }});
    User.AnswerConfirm(true);
    ClickOn(*Form->btnCreateCalc());
    EXPECT_TRUE(StepsDone());
    EXPECT_EQ(ResultsCaption, u"Summary results");
    EXPECT_FALSE(FirstPoint.empty());
    EXPECT_TRUE(User.AllAnswersUsed());
}

TEST_F(UiProjectList, AMissingEngineFailsWithBothMessagesAndDisablesTheResults) {
    Open();
    ClickOn(*Form->btnCreateCalc());
    EXPECT_EQ(User.Texts(TKind::Message), std::vector<String>{u"Failed to run Tesvorik from " + GetPECDir()});
    EXPECT_EQ(User.Texts(TKind::Error), std::vector<String>{u"Calculation failed"});
    EXPECT_FALSE(Form->btnResults()->Enabled());
}

TEST_F(UiProjectList, AGroupingNameLongerThanItsColumnIsRefusedBeforeTheEngineRuns) {
    F->InstallEngine();
    F->Run(2).KorvalisCrop()->KV_NameDWT = String(41, u'x');
    dm->ReadDWTProject(Current(), GoldenID);
    Open();
    ClickOn(*Form->btnCreateCalc());
    ASSERT_EQ(Boxes.size(), 1u);
    EXPECT_NE(Boxes[0].find(u"is longer than 40 characters"), String::npos) << Narrow(Boxes[0]);
    EXPECT_TRUE(User.Texts(TKind::Confirm).empty());
    EXPECT_FALSE(FileExists(Current().Path() + u"Summary.out"));
}

TEST_F(UiProjectList, ACancelledPeakEditLeavesTheStoredValuesInTheProject) {
    Open();
    const Double Stored = F->Run(0).PEC_peak;
    Steps({[&] {
        auto* Editor = Shown<TfrmPecPeak>();
        // What a window changed in the project without storing it.
        Current().TRAVOProject()->Runs().Items(0)->PEC_peak = 99;
        ClickLater(*Editor->btnCancel());
    }});
    ClickOn(*Form->btnPecPeak());
    EXPECT_TRUE(StepsDone());
    EXPECT_DOUBLE_EQ(Current().TRAVOProject()->Runs().Items(0)->PEC_peak, Stored);
}

TEST_F(UiProjectList, EditSubstanceReturnsToTheProjectSelectedBefore) {
    StoreCopy(u"Second");
    Open();
    dm->tblDWTProjects->First();
    Pump();
    ASSERT_EQ(Current().ID, GoldenID);
    ClickOn(*Form->btnSubstances());
    // This library has no editing window; it says so.
    ASSERT_EQ(User.Texts(TKind::Error).size(), 1u);
    EXPECT_EQ(Current().ID, GoldenID);
    EXPECT_EQ(Form->txtName()->Caption(), u"Golden_project");
}

TEST_F(UiProjectList, ACopyGetsItsFolderAndBecomesTheCurrentProject) {
    Steps({[&] {
        auto* Dialog = Shown<TfrmCopyProject>();
        EXPECT_EQ(Dialog->edtName()->Text(), u"Golden_project");
        Dialog->edtNameNew()->SetText(u"Copied");
        ClickLater(*static_cast<TButton*>(Dialog->FindComponent(u"btnOK")));
    }});
    Open();
    ClickOn(*Form->btnCopy());
    EXPECT_TRUE(StepsDone());
    EXPECT_EQ(Count(u"Projects WHERE Name = 'Copied'"), 1);
    EXPECT_TRUE(DirectoryExists(GetProjectsDir() + u"Copied"));
    EXPECT_EQ(Current().Name(), u"Copied");
    EXPECT_EQ(Form->txtName()->Caption(), u"Copied");
}

TEST_F(UiProjectList, DeleteAsksAndADeclinedDeleteChangesNothing) {
    const Integer CopyID = StoreCopy(u"Second");
    ASSERT_TRUE(ForceDirectories(GetProjectsDir() + u"Second"));
    Open();
    ASSERT_EQ(Current().ID, CopyID);
    const String Question =
        u"Are you sure you want to remove project Second including all input and output files?";

    User.AnswerConfirm(false);
    Form->DBNavigator1()->BtnClick(nbDelete);
    Pump();
    EXPECT_EQ(User.Texts(TKind::Confirm), std::vector<String>{Question});
    EXPECT_EQ(Count(u"Projects"), 2);
    EXPECT_TRUE(DirectoryExists(GetProjectsDir() + u"Second"));
    EXPECT_EQ(Form->txtName()->Caption(), u"Second");

    User.AnswerConfirm(true);
    Form->DBNavigator1()->BtnClick(nbDelete);
    Pump();
    EXPECT_EQ(Count(u"Projects"), 1);
    EXPECT_FALSE(DirectoryExists(GetProjectsDir() + u"Second"));
    EXPECT_TRUE(DirectoryExists(GetProjectsDir() + u"Golden_project"));
    EXPECT_EQ(Form->txtName()->Caption(), u"Golden_project");
}

TEST_F(UiProjectList, ExploreOpensTheProjectFolder) {
    std::vector<String> Opened;
    const os::TShellOpenHook Previous = os::SetShellOpenHook([&](const String& Target) {
        Opened.push_back(Target);
        return true;
    });
    Open();
    ClickOn(*Form->btnExplore());
    os::SetShellOpenHook(Previous);
    ASSERT_EQ(Opened.size(), 1u);
    EXPECT_EQ(Opened[0], Current().Path());
}

TEST_F(UiProjectList, EditRefinementsOpensOnTheCurrentProjectAndTheListKeepsOnlyWhatWasSaved) {
    // The first point's dilution factor and first listed share, as typed.
    struct TCase {
        bool Save;
        Double Factor; // what the project holds afterwards, in the list and stored
    };
    const TPoint ShareCell{3, 1};
    const TAbstractionPoint& Before = *Current().AbstractionPoints()->Items(0);
    const Double StoredFactor = Before.ADF();
    std::vector<Double> StoredShares;
    for (Integer I = 0; I < Before.CropCount(); ++I) StoredShares.push_back(Before.Crops(I)->MarketShare());
    ASSERT_NE(StoredFactor, 0.5);
    const TCase Cases[] = {{false, StoredFactor}, {true, 0.5}};
    Open();
    for (const TCase& C : Cases) {
        SCOPED_TRACE(C.Save ? "Save and Close" : "Cancel");
        String Caption;
        Steps({[&] {
            auto* Window = Shown<TfrmRefinements>();
            ASSERT_NE(Window, nullptr);
            EXPECT_EQ(Window->Project(), &Current());
            Caption = Window->fraProjectSummary1()->txtName()->Caption();
            Window->grdADF()->SetCells(1, 1, u"0.5");
            Window->fraRCA1()->grdAbsPoints1()->SetCells(ShareCell.X, ShareCell.Y, u"0.25");
            ClickLater(C.Save ? *Window->btnClose() : *Window->btnCancel());
        }});
        ClickOn(*Form->btnRefinements());
        EXPECT_TRUE(StepsDone());
        EXPECT_EQ(Caption, u"Golden_project");
        TDWProject Stored;
        dm->ReadDWTProject(Stored, GoldenID);
        for (TDWProject* Project : {&Current(), &Stored}) {
            const TAbstractionPoint& Point = *Project->AbstractionPoints()->Items(0);
            EXPECT_EQ(Point.ADF(), C.Factor);
            std::vector<Double> Shares;
            for (Integer I = 0; I < Point.CropCount(); ++I) Shares.push_back(Point.Crops(I)->MarketShare());
            const auto Typed = std::count(Shares.begin(), Shares.end(), 0.25);
            EXPECT_EQ(Typed, std::count(StoredShares.begin(), StoredShares.end(), 0.25) + (C.Save ? 1 : 0));
        }
    }
}

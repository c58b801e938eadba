// The new-project wizard and the peak editor on the real core: a copy of the
// installed project database and of the example scenario database, with the
// example lateral-entry files.

#include "OddsAndEnds/VANDRELRegistry.h"
#include "ProjectDatabaseFixture.h"
#include "UiTestSupport.h"
#include "core/CropGroupCache.h"
#include "grid/GridCombo.h"
#include "grid/VarErozidOvur.h"
#include "os/WindowsPath.h"
#include "ui/PeakInput.h"
#include "ui/PecPeak.h"
#include "ui/UiGlobals.h"
#include "ui/UserWizard.h"
#include "vcl/PageControl.h"
#include "vcl/StdCtrls.h"
#include "windowing/Focus.h"
#include "windowing/Input.h"
#include "windowing/MessageQueue.h"

// The embedded Firebird engine keeps its converters and plugin records for
// the life of the process; LeakSanitizer cannot scan its thread-local
// storage.
extern "C" const char* __lsan_default_options() {
    return "use_tls=0";
}

using namespace winapi;

namespace {

using TKind = TScriptedUserInteraction::TCallKind;

const String ExampleFolder = FromUtf8(VANDREL_EXAMPLE_SCENARIO "/");

class TWizardDataModule : public TdmDataObjects {
public:
    TWizardDataModule() : TdmDataObjects(nullptr) {}
    using TdmData::OpenProjectDatabase;
    using TdmDataObjects::OpenScenarioDatabase;
};

class TExampleLibrary : public ISubstanceLibrary {
public:
    String GetSubstanceChecksumByGUID(const String& GUID) override { return u"sum of " + GUID; }
    String GetSubstanceCode(const String&) override { return u"Examplofen"; }
};

class UiWizard : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        TVANDRELRegistry::CreateSingleton(ProgramKeyName);
        os::SetDriveRoot(u'C', ExampleFolder);
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
        ASSERT_TRUE(CopyFile(FromUtf8(VANDREL_EXAMPLE_SCENARIO_DATABASE), Folder / u"travo.fdb", false));
        TVANDRELRegistry::GetSingleton().HKCUSetStr(TravoDBValueName, Folder / u"travo.fdb");
        dm = Create<TWizardDataModule>();
        dm->SetSubstanceLibrary(&Library);
        dm->OpenScenarioDatabase();
        dm->OpenProjectDatabase(GetDataDir() + u"VANDREL.db");
        dmDataObjects = dm;
        dm->ExecDWTQuery(u"INSERT INTO Projects (Name) VALUES ('Stored')");
    }
    void TearDown() override {
        dmDataObjects = nullptr;
        Free(dm);
        FreeCropGroupCache();
        ClearDataPath();
        TVANDRELRegistry::DestroySingleton();
        UiTest::TearDown();
    }

    // The wizard being shown.
    TfrmUserWizard* W() {
        auto* Wizard = dynamic_cast<TfrmUserWizard*>(Screen->ActiveForm());
        EXPECT_NE(Wizard, nullptr);
        return Wizard;
    }
    // A click on the control's middle, handled by the modal loop.
    void ClickLater(const TControl& Control) {
        const TPoint Centre = Control.ClientToScreen(TPoint{Control.Width() / 2, Control.Height() / 2});
        Backend->Click(Centre.X, Centre.Y);
    }
    // Page 1 with the fruit and vegetables project chosen.
    void ChooseFruitAndVegetables() {
        TComboBox& Combo = *W()->cmbTravoProjects();
        Combo.SetItemIndex(Combo.Items()->IndexOf(u"Examplofen_fruit_veg"));
        W()->cmbTravoProjectsChange(&Combo);
    }
    // Page 2 with a grouping for each run (every crop here has several).
    void ChooseGroupings() {
        W()->grdCrops()->SetCells(1, 1, u"Apples and pears");
        W()->grdCrops()->SetCells(1, 4, u"Leafy vegetables");
        W()->grdCrops()->SetCells(1, 5, u"Cabbages");
    }
    void FillPeakRow(Integer Row, const String& Peak, const String& Date, const String& Cause) {
        TVarErozidOvur& Grid = *W()->grdPec();
        Grid.SetCells(PeakColPeak, Row, Peak);
        Grid.SetCells(PeakColDate, Row, Date);
        Grid.SetCells(PeakColCausedBy, Row, Cause);
    }
    void FillPeaks() {
        FillPeakRow(1, u"1.25", u"18-may-1985", u"spray drift");
        FillPeakRow(2, u"0.5", u"10-apr-1985", u"drainage");
        FillPeakRow(3, u"2", u"26-jul-1985", u"spray drift");
    }
    Integer Page() { return W()->pagPages()->ActivePageIndex(); }
    Integer ProjectCount() { return dm->ExecDWTQuery(u"SELECT count(*) FROM Projects")->Fields(0)->AsInteger(); }

    TRegistrySandbox Registry;
    TTestFolder Folder;
    TExampleLibrary Library;
    TWizardDataModule* dm = nullptr;
};

} // namespace

TEST_F(UiWizard, RunsFromTheFirstPageToFinishAndStoresTheProject) {
    std::vector<String> Captions;
    Steps({
        [&] {
            Captions.push_back(W()->Caption());
            EXPECT_FALSE(W()->btnBack()->Enabled());
            EXPECT_FALSE(W()->btnFinish()->Enabled());
            ChooseFruitAndVegetables();
            ClickLater(*W()->btnNext());
        },
        [&] {
            Captions.push_back(W()->Caption());
            TVarErozidOvur& Crops = *W()->grdCrops();
            // Three runs with three, one and two applications.
            EXPECT_EQ(Crops.RowCount(), 7);
            EXPECT_EQ(Crops.Cells(0, 0), u"FOCUS D3 Crop");
            EXPECT_EQ(Crops.Cells(3, 0), u"Appl. rate [kg/ha]");
            EXPECT_EQ(Crops.ColWidths(1), 187);
            EXPECT_EQ(Crops.Cells(3, 1), u"0.7500");
            EXPECT_EQ(Crops.Cells(0, 4), u"Vegetables, leafy_2");
            EXPECT_EQ(Crops.Cells(1, 4), u"<select Korvalis crop>");
            EXPECT_EQ(Crops.Cells(0, 2) + Crops.Cells(1, 2) + Crops.Cells(2, 2), u"");
            EXPECT_EQ(Crops.Cells(4, 3), u"18-may-1985");
            ChooseGroupings();
            ClickLater(*W()->btnNext());
        },
        [&] {
            Captions.push_back(W()->Caption());
            EXPECT_EQ(W()->grdPec()->RowCount(), 4);
            EXPECT_EQ(W()->grdPec()->Cells(2, 0), u"PEC_FOCUS_NL,D3 [ug/l] *");
            // The hint comes through the event the layout binds.
            String Hint;
            ASSERT_TRUE(W()->grdPec()->OnGridHint);
            W()->grdPec()->OnGridHint(W()->grdPec(), 1, PeakColDate, Hint);
            EXPECT_EQ(Hint, u"Fill in correct date ([dd-mon-yyyy], e.g. 12-apr-2008)");
            EXPECT_EQ(W()->grdPec()->Cells(1, 3), u"Cabbages");
            FillPeaks();
            ClickLater(*W()->btnNext());
        },
        [&] {
            Captions.push_back(W()->Caption());
            EXPECT_EQ(W()->ActiveControl(), W()->edtName());
            EXPECT_TRUE(W()->btnFinish()->Enabled());
            EXPECT_FALSE(W()->btnNext()->Enabled());
            Backend->TypeText(u"Wizard_project");
        },
        [&] {
            W()->edtDescription()->SetText(u"made by the wizard");
            ClickLater(*W()->btnFinish());
        },
    });
    const Integer ID = TfrmUserWizard::Execute();
    EXPECT_TRUE(StepsDone());
    EXPECT_EQ(Captions, (std::vector<String>{u"Wizard: Select MIRETH project (1/4)",
                                             u"Wizard: View applications (2/4)", u"Wizard: Enter Peak (3/4)",
                                             u"Wizard: Finish VANDREL project info (4/4)"}));
    ASSERT_GT(ID, 0);
    EXPECT_TRUE(Boxes.empty());
    EXPECT_TRUE(User.Calls().empty());

    TDWProject Stored;
    dm->ReadDWTProject(Stored, ID);
    EXPECT_EQ(Stored.Name(), u"Wizard_project");
    EXPECT_EQ(Stored.Description, u"made by the wizard");
    EXPECT_TRUE(DirectoryExists(GetProjectsDir() + u"Wizard_project"));
    EXPECT_EQ(Stored.Substance()->GUID(), u"{6A0E2F4C-1B7D-4E59-9C31-2D8F0A4B7E11}");
    const TOwnedList<TRun>& Runs = Stored.TRAVOProject()->Runs();
    ASSERT_EQ(Runs.Count(), 3);
    struct TExpected {
        Double Peak;
        String Date, Cause, Grouping;
    };
    const TExpected Expected[] = {{1.25, u"18-may-1985", u"spray drift", u"Apples and pears"},
                                  {0.5, u"10-apr-1985", u"drainage", u"Leafy vegetables"},
                                  {2, u"26-jul-1985", u"spray drift", u"Cabbages"}};
    for (Integer I = 0; I < 3; ++I) {
        const TRun& Run = *Runs.Items(I);
        EXPECT_TRUE(Run.valid) << I;
        EXPECT_DOUBLE_EQ(Run.PEC_peak, Expected[I].Peak) << I;
        EXPECT_EQ(Run.Date_peak, Expected[I].Date) << I;
        EXPECT_EQ(Run.sCausedBy, Expected[I].Cause) << I;
        if (!Expected[I].Grouping.empty()) {
            EXPECT_EQ(Run.KorvalisCrop()->KV_NameE, Expected[I].Grouping) << I;
        }
        EXPECT_FALSE(Run.KorvalisCrop()->ID.empty()) << I;
    }
}

TEST_F(UiWizard, PeakRowsAreCheckedInOrderWithTheirMessagesAndTheRangeQuestion) {
    struct TCase {
        String Peak, Date, Cause;
        String Error;       // the error box, empty: none
        bool Asks = false;  // the range question (answered No)
        Integer Col = -1;   // the current column after a refusal
    };
    const TCase Cases[] = {
        {u"", u"18-may-1985", u"drainage", u"Enter a value", false, PeakColPeak},
        {u"1", u"", u"drainage", u"Enter a value", false, PeakColDate},
        {u"1", u"18-may-1985", u"", u"Enter a value", false, PeakColCausedBy},
        {u"1,5", u"18-may-1985", u"drainage", u"Invalid input", false, PeakColPeak},
        {u"0.0009", u"18-may-1985", u"drainage", u"", true, PeakColPeak},
        {u"1000001", u"18-may-1985", u"drainage", u"", true, PeakColPeak},
        {u"1", u"29-feb-2007", u"drainage", u"Invalid Date peak", false, PeakColDate},
        {u"1", u"31-apr-2008", u"drainage", u"Invalid Date peak", false, PeakColDate},
        {u"1", u"00-apr-2008", u"drainage", u"Invalid Date peak", false, PeakColDate},
        {u"0.001", u"29-feb-2008", u"drainage", u""},
        {u"1000000", u"12-APR-2008", u"drainage", u""},
    };
    std::vector<std::function<void()>> Script{
        [&] {
            ChooseFruitAndVegetables();
            ClickLater(*W()->btnNext());
        },
        [&] {
            ChooseGroupings();
            ClickLater(*W()->btnNext());
        },
    };
    for (const TCase& C : Cases) {
        Script.push_back([&] {
            ASSERT_EQ(Page(), 2);
            FillPeaks();
            FillPeakRow(2, C.Peak, C.Date, C.Cause);
            Boxes.clear();
            if (C.Asks) User.AnswerConfirm(false);
            ClickLater(*W()->btnNext());
        });
        Script.push_back([&] {
            const bool Refused = !C.Error.empty() || C.Asks;
            EXPECT_EQ(Page(), Refused ? 2 : 3) << Narrow(C.Peak + u" " + C.Date);
            EXPECT_EQ(Boxes, C.Error.empty() ? std::vector<String>{} : std::vector<String>{C.Error})
                << Narrow(C.Peak + u" " + C.Date);
            if (Refused) {
                EXPECT_EQ(W()->grdPec()->Row(), 2);
                EXPECT_EQ(W()->grdPec()->Col(), C.Col) << Narrow(C.Peak + u" " + C.Date);
            } else {
                ClickLater(*W()->btnBack());
            }
        });
    }
    Script.push_back([&] { Backend->TypeKey(VK_ESCAPE); });
    Steps(Script);
    const Integer Before = ProjectCount();
    EXPECT_EQ(TfrmUserWizard::Execute(), -1);
    EXPECT_TRUE(StepsDone());
    EXPECT_TRUE(User.AllAnswersUsed());
    EXPECT_EQ(User.Texts(TKind::Confirm),
              std::vector<String>(2, u"Are you sure the PEC value for crop Vegetables, leafy_2 is correct?"));
    EXPECT_EQ(ProjectCount(), Before); // Escape stores nothing
}

// The grouping of a run is picked with keys in its row's list editor,
// which offers that crop's groupings; a row the cursor leaves without a
// pick keeps its "<select Korvalis crop>".
TEST_F(UiWizard, AGroupingIsPickedInTheListEditorOfItsRow) {
    String Listed, LeftBehind, Picked;
    bool EditorFocused = false;
    Steps({
        [&] {
            ChooseFruitAndVegetables();
            ClickLater(*W()->btnNext());
        },
        [&] {
            TVarErozidOvur& Crops = *W()->grdCrops();
            Crops.SetFocus();
            Crops.FocusCell(1, 1);
            Backend->TypeKey(VK_DOWN);
        },
        [&] {
            TVarErozidOvur& Crops = *W()->grdCrops();
            EXPECT_EQ(Crops.Row(), 4);
            LeftBehind = Crops.Cells(1, 1);
            TGridCombo& Combo = *Crops.Combobox();
            EditorFocused = Combo.Visible() && FindControl(GetFocus()) == &Combo;
            Listed = Combo.Items()->CommaText();
            Backend->TypeText(u"C");
            Backend->TypeKey(VK_RETURN);
        },
        [&] {
            Picked = W()->grdCrops()->Cells(1, 4);
            ClickLater(*W()->btnCancel());
        },
    });
    EXPECT_EQ(TfrmUserWizard::Execute(), -1);
    EXPECT_TRUE(StepsDone());
    EXPECT_TRUE(EditorFocused);
    EXPECT_EQ(Listed, u"\"Leafy vegetables\",Cabbages");
    EXPECT_EQ(LeftBehind, u"<select Korvalis crop>");
    EXPECT_EQ(Picked, u"Cabbages");
}

TEST_F(UiWizard, AGroupingMustBeChosenAndTheCropCursorVisitsOnlyARunsFirstRow) {
    std::vector<Integer> Rows;
    // The grid's own cursor keys (in the always-shown list editor Up and
    // Down step the groupings instead).
    const auto GridKey = [&](Word Key) { SendMessage(W()->grdCrops()->Handle(), WM_KEYDOWN, Key, 0); };
    Steps({
        [&] {
            ChooseFruitAndVegetables();
            ClickLater(*W()->btnNext());
        },
        [&] {
            W()->grdCrops()->SetCells(1, 1, u"Apples and pears");
            ClickLater(*W()->btnNext());
        },
        [&] {
            EXPECT_EQ(Page(), 1);
            EXPECT_EQ(Boxes, std::vector<String>{u"Select Korvalis crop"});
            EXPECT_EQ(W()->grdCrops()->Row(), 4);
            EXPECT_EQ(W()->grdCrops()->Col(), 1);
            W()->grdCrops()->SetFocus();
            W()->grdCrops()->FocusCell(1, 1);
            Rows.push_back(W()->grdCrops()->Row());
            GridKey(VK_DOWN);
        },
        [&] {
            Rows.push_back(W()->grdCrops()->Row());
            GridKey(VK_DOWN);
        },
        [&] {
            Rows.push_back(W()->grdCrops()->Row());
            GridKey(VK_UP);
        },
        [&] {
            Rows.push_back(W()->grdCrops()->Row());
            GridKey(VK_UP);
        },
        [&] {
            Rows.push_back(W()->grdCrops()->Row());
            EXPECT_EQ(W()->grdCrops()->Col(), 1);
            ClickLater(*W()->btnCancel());
        },
    });
    EXPECT_EQ(TfrmUserWizard::Execute(), -1);
    EXPECT_TRUE(StepsDone());
    EXPECT_EQ(Rows, (std::vector<Integer>{1, 4, 5, 4, 1}));
}

TEST_F(UiWizard, BackThenNextKeepsThePeaksAndTheNameIsCheckedWhileTypingAndAtFinish) {
    std::vector<String> Kept;
    Steps({
        [&] {
            ChooseFruitAndVegetables();
            ClickLater(*W()->btnNext());
        },
        [&] {
            ChooseGroupings();
            ClickLater(*W()->btnNext());
        },
        [&] {
            FillPeaks();
            ClickLater(*W()->btnNext());
        },
        [&] { ClickLater(*W()->btnBack()); },
        [&] { ClickLater(*W()->btnBack()); },
        [&] {
            EXPECT_EQ(Page(), 1);
            ClickLater(*W()->btnNext());
        },
        [&] {
            for (Integer Row = 1; Row <= 3; ++Row)
                Kept.push_back(W()->grdPec()->Cells(PeakColPeak, Row) + u"|" +
                               W()->grdPec()->Cells(PeakColDate, Row) + u"|" +
                               W()->grdPec()->Cells(PeakColCausedBy, Row));
            ClickLater(*W()->btnNext());
        },
        [&] {
            Boxes.clear();
            Backend->TypeText(u"ab c");
        },
        [&] {
            // The blank is refused with the name setter's message.
            EXPECT_EQ(Boxes.size(), 1u);
            EXPECT_EQ(W()->edtName()->Text().find(u' '), String::npos);
            W()->edtName()->SetText(u"");
            ClickLater(*W()->btnFinish());
        },
        [&] {
            W()->edtName()->SetText(u"stored");
            ClickLater(*W()->btnFinish());
        },
        [&] {
            EXPECT_EQ(W()->ActiveControl(), W()->edtName());
            ClickLater(*W()->btnCancel());
        },
    });
    EXPECT_EQ(TfrmUserWizard::Execute(), -1);
    EXPECT_TRUE(StepsDone());
    EXPECT_EQ(Kept, (std::vector<String>{u"1.25|18-may-1985|spray drift", u"0.5|10-apr-1985|drainage",
                                         u"2|26-jul-1985|spray drift"}));
    EXPECT_EQ(User.Texts(TKind::Error), (std::vector<String>{u"Enter a name", u"Name already exists"}));
}

// ---- the peak editor

namespace {

class UiPecPeak : public UiWizard {
protected:
    // A stored project made by the wizard's steps, read back.
    void StoreProject() {
        Steps({[&] {
                   ChooseFruitAndVegetables();
                   ClickLater(*W()->btnNext());
               },
               [&] {
                   ChooseGroupings();
                   ClickLater(*W()->btnNext());
               },
               [&] {
                   FillPeaks();
                   ClickLater(*W()->btnNext());
               },
               [&] { Backend->TypeText(u"Peaks"); },
               [&] { ClickLater(*W()->btnFinish()); }});
        ID = TfrmUserWizard::Execute();
        ASSERT_GT(ID, 0);
        dm->ReadDWTProject(Project, ID);
    }
    TfrmPecPeak* Editor() {
        auto* Form = dynamic_cast<TfrmPecPeak*>(Screen->ActiveForm());
        EXPECT_NE(Form, nullptr);
        return Form;
    }
    Integer Edit() {
        auto* Form = Create<TfrmPecPeak>(Application);
        Form->AssignProject(&Project);
        const Integer Result = Form->ShowModal();
        Free(Form);
        return Result;
    }
    Integer ID = 0;
    TDWProject Project;
};

} // namespace

TEST_F(UiPecPeak, ListsTheValidRunsWithGroupingChoicesPerRowAndSavesWithTheSharedGroupingWarning) {
    StoreProject();
    Project.TRAVOProject()->Runs().Items(0)->valid = false; // never completed
    std::vector<String> FirstChoices, ThirdChoices;
    Steps({[&] {
               TVarErozidOvur& Grid = *Editor()->grdPec();
               EXPECT_EQ(Grid.RowCount(), 3);
               EXPECT_EQ(Grid.Cells(0, 1), u"Vegetables, leafy_2");
               EXPECT_EQ(Grid.Cells(2, 1), u"0.5");
               EXPECT_EQ(Grid.Col(), 1);
               TStrings* Choices = Grid.Columns()->Items(1)->ComboItems();
               for (Integer I = 0; I < Choices->Count(); ++I)
                   FirstChoices.push_back(Choices->Strings(I));
               // Both runs in one grouping, and a new peak.
               Grid.SetCells(1, 2, u"Leafy vegetables");
               Grid.SetCells(2, 2, u"3.5");
               ClickLater(*Editor()->btnOK());
           }});
    EXPECT_EQ(Edit(), mrOk);
    EXPECT_TRUE(StepsDone());
    EXPECT_EQ(FirstChoices, (std::vector<String>{u"Leafy vegetables", u"Cabbages"}));
    EXPECT_EQ(User.Texts(TKind::Warning), std::vector<String>{MultipleGroupingWarning()});
    TDWProject Stored;
    dm->ReadDWTProject(Stored, ID);
    EXPECT_DOUBLE_EQ(Stored.TRAVOProject()->Runs().Items(2)->PEC_peak, 3.5);
    EXPECT_EQ(Stored.TRAVOProject()->Runs().Items(2)->KorvalisCrop()->KV_NameE, u"Leafy vegetables");
}

TEST_F(UiPecPeak, OKWithAnEmptyDateStaysOpenAndCancelThenStoresNothing) {
    StoreProject();
    Steps({[&] {
               Editor()->grdPec()->SetCells(PeakColDate, 2, u"");
               Editor()->grdPec()->SetCells(PeakColPeak, 1, u"9");
               ClickLater(*Editor()->btnOK());
           },
           [&] {
               EXPECT_EQ(Boxes, std::vector<String>{u"Enter a value"});
               EXPECT_EQ(Editor()->grdPec()->Row(), 2);
               EXPECT_EQ(Editor()->grdPec()->Col(), PeakColDate);
               ClickLater(*Editor()->btnCancel());
           }});
    EXPECT_EQ(Edit(), mrCancel);
    EXPECT_TRUE(StepsDone());
    TDWProject Stored;
    dm->ReadDWTProject(Stored, ID);
    EXPECT_DOUBLE_EQ(Stored.TRAVOProject()->Runs().Items(0)->PEC_peak, 1.25);
}

// The peak grid's three editors through typed keys: a number in the float
// column, a date in the masked column, and an entry route picked in the
// list editor of "Caused by"; OK stores them.
TEST_F(UiPecPeak, APeakADateAndACauseAreTypedAndPickedInTheGridsEditors) {
    StoreProject();
    String Listed, Typed;
    // A click in the middle of a cell of the editor's grid.
    auto ClickCell = [&](Integer Col, Integer Row) {
        TVarErozidOvur& Grid = *Editor()->grdPec();
        const TRect R = Grid.CellRect(Col, Row);
        const TPoint P = Grid.ClientToScreen(TPoint{(R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2});
        Backend->Click(P.X, P.Y);
    };
    Steps({[&] { ClickCell(PeakColPeak, 1); },
           // The peak's text is replaced from its end.
           [&] {
               Backend->TypeKey(VK_END);
               for (Integer I = 0; I < 4; ++I) Backend->TypeKey(VK_BACK);
               Backend->TypeText(u"1.5");
           },
           [&] { ClickCell(PeakColDate, 1); },
           // The date's literals come from the mask.
           [&] { Backend->TypeText(u"12apr2008"); },
           [&] { ClickCell(PeakColCausedBy, 1); },
           [&] {
               TVarErozidOvur& Grid = *Editor()->grdPec();
               Typed = Grid.Cells(PeakColPeak, 1) + u" " + Grid.Cells(PeakColDate, 1);
               Listed = Grid.Columns()->Items(PeakColCausedBy)->ComboItems()->CommaText();
               Backend->TypeText(u"d");
               Backend->TypeKey(VK_RETURN);
           },
           [&] { ClickLater(*Editor()->btnOK()); }});
    EXPECT_EQ(Edit(), mrOk);
    EXPECT_TRUE(StepsDone());
    EXPECT_EQ(Typed, u"1.5 12-apr-2008");
    EXPECT_EQ(Listed, u"\"spray drift\",drainage");
    TDWProject Stored;
    dm->ReadDWTProject(Stored, ID);
    const TRun& Run = *Stored.TRAVOProject()->Runs().Items(0);
    EXPECT_DOUBLE_EQ(Run.PEC_peak, 1.5);
    EXPECT_EQ(Run.Date_peak, u"12-apr-2008");
    EXPECT_EQ(Run.sCausedBy, u"drainage");
}

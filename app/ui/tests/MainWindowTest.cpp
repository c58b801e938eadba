// The program block and the main window, run in the test's process on the
// headless window system: a throw-away data path with the installed project
// database, the example scenario database and the substance library on a
// copy of its example substances.

#include "ProjectDatabaseFixture.h"
#include "UiTestSupport.h"
#include "OddsAndEnds/VANDRELRegistry.h"
#include "VORN/VORNInterface.h"
#include "os/Shell.h"
#include "os/SingleInstance.h"
#include "rtl/FormatSettings.h"
#include "rtl/Convert.h"
#include "rtl/DateTime.h"
#include "rtl/Format.h"
#include "dbctrls/DBGrid.h"
#include "grid/VarErozidOvur.h"
#include "ui/CropAreas.h"
#include "ui/CropGroupingInfo.h"
#include "ui/InfoSurfaceAreas.h"
#include "ui/MainWindow.h"
#include "ui/MapD3Scenario.h"
#include "ui/MapsIntake.h"
#include "ui/Program.h"
#include "ui/UiGlobals.h"
#include "graphics/Graphic.h"
#include "vcl/Buttons.h"
#include "vcl/Image.h"
#include "vcl/Menus.h"
#include "vcl/OpenDialog.h"
#include "vcl/PageControl.h"

#include "windowing/Input.h"

#include <cstdlib>
#include <functional>

namespace {

class UiProgram : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        SavedSettings = FormatSettings;
        // The single-instance lock of this test alone.
        setenv("XDG_RUNTIME_DIR", Utf8(Folder / u"run").c_str(), 1);
        ASSERT_TRUE(ForceDirectories(Folder / u"run"));
        {
            TRegistry Registry;
            ASSERT_TRUE(Registry.OpenKey(u"SOFTWARE\\Brennhoven\\VANDREL142", true));
            Registry.WriteString(u"Datapath", Folder / u"data");
            Registry.WriteString(TravoDBValueName, Folder / u"travo.fdb");
        }
        ClearDataPath();
        ASSERT_TRUE(ForceDirectories(Folder / u"data/data"));
        ASSERT_TRUE(CopyFile(FromUtf8(VANDREL_PROJECT_DATABASE), Folder / u"data/data/VANDREL.db", false));
        ASSERT_TRUE(CopyFile(FromUtf8(VANDREL_EXAMPLE_SCENARIO_DATABASE), Folder / u"travo.fdb", false));
        ASSERT_TRUE(CopyFile(FromUtf8(VORN_EXAMPLE_STORE), Folder / u"vorn.sqlite", false));
        setenv("VORN_STORE", Utf8(Folder / u"vorn.sqlite").c_str(), 1);
        UseSubstanceLibrary(FromUtf8(VORN_LIBRARY));
    }
    void TearDown() override {
        unsetenv("VORN_STORE");
        unsetenv("XDG_RUNTIME_DIR");
        FormatSettings = SavedSettings;
        ClearDataPath();
        UiTest::TearDown();
    }
    void UseSubstanceLibrary(const String& File) {
        TRegistry Machine;
        Machine.SetRootKey(HKEY_LOCAL_MACHINE);
        ASSERT_TRUE(Machine.OpenKey(u"SOFTWARE\\Brennhoven\\VORN", true));
        Machine.WriteString(TVORNInterface::LibraryPathValue, File);
    }

    TRegistrySandbox Registry;
    TTestFolder Folder;
    TFormatSettings SavedSettings;
};

} // namespace

TEST_F(UiProgram, StartsWithItsTitleAndSettingsOpensTheDatabasesAndReleasesAllAtTheEnd) {
    FormatSettings.DecimalSeparator = u',';
    FormatSettings.DateSeparator = u'.';
    ASSERT_FALSE(DirectoryExists(Folder / u"data/projects"));
    std::vector<String> Opened;
    const os::TShellOpenHook Previous = os::SetShellOpenHook([&](const String& Target) {
        Opened.push_back(Target);
        return true;
    });
    bool Checked = false;
    Steps({[&] {
        ASSERT_NE(frmMain, nullptr);
        EXPECT_EQ(Application->MainForm(), frmMain);
        EXPECT_EQ(Application->Title(), u"VANDREL_1.4.2");
        EXPECT_EQ(frmMain->Caption(), u"VANDREL_1.4.2 - Drinking water from surface waters");
        EXPECT_EQ(FloatToStr(0.5), u"0.5");
        EXPECT_EQ(FormatDateTime(u"ddddd", EncodeDate(2008, 4, 12)), u"12-04-2008");
        EXPECT_TRUE(DirectoryExists(Folder / u"data/projects"));
        EXPECT_EQ(frmMain->PageControl1()->ActivePageIndex(), 0);
        EXPECT_EQ(frmMain->PageControl1()->ActivePage()->Caption(), u" Actions ");
        EXPECT_NE(frmMain->VORN(), nullptr);
        EXPECT_FALSE(frmMain->VORNChecksumName().empty());
        EXPECT_TRUE(TVANDRELRegistry::Created());
        ASSERT_NE(dmDataObjects, nullptr);
        EXPECT_TRUE(dmDataObjects->ADOConnectionDWT->Connected());
        EXPECT_TRUE(dmDataObjects->ADOConnectionTRAVO->Connected());
        EXPECT_GT(ScaleFactor, 0.0);
        EXPECT_EQ(frmMain->BorderStyle(), bsSingle); // not resizable
        const std::pair<TSpeedButton*, const Char*> Buttons[] = {
            {frmMain->btnUserWizard(), u"Wizard"},
            {frmMain->btnProjects(), u"View Projects "},
            {frmMain->btnExit(), u"Exit"},
            {frmMain->btmMaps(), u"Maps intake areas"},
            {frmMain->btnAbstractInfo(), u"Surface areas of intake areas"},
            {frmMain->btnCropGrouping(), u"Crop groupings"},
            {frmMain->btnMapD3(), u"Map D3 scenario"},
        };
        for (const auto& [Button, Caption] : Buttons) {
            EXPECT_EQ(Button->Caption(), Caption);
            EXPECT_FALSE(Button->Glyph()->Empty()) << Narrow(Caption);
        }
        EXPECT_EQ(frmMain->PageControl1()->Pages(1)->Caption(), u" Information ");
        // Every help link goes through the opener.
        for (const Char* Item : {u"UserManual", u"Emailadress1", u"VANDRELwebsite1", u"FOCUSwebsite1", u"TRAVOwebsite1"})
            static_cast<TMenuItem*>(frmMain->FindComponent(Item))->Click();
        Checked = true;
        frmMain->Close();
    }});
    EXPECT_EQ(RunVandrel(), 0);
    os::SetShellOpenHook(Previous);
    EXPECT_TRUE(Checked);
    EXPECT_TRUE(Boxes.empty()) << (Boxes.empty() ? "" : Narrow(Boxes[0]));
    const THelpLinks& Links = HelpLinks();
    EXPECT_EQ(Opened, (std::vector<String>{Links.UserManual, Links.SupportMail, Links.ProductSite, Links.FocusSite,
                                           Links.ScenarioToolSite}));
    EXPECT_EQ(String(Links.FocusSite).rfind(u"https://", 0), 0u);
    EXPECT_FALSE(TVORNInterface::Created());
    EXPECT_FALSE(TVANDRELRegistry::Created());
    EXPECT_EQ(frmMain, nullptr);
    EXPECT_EQ(dmDataObjects, nullptr);
}

TEST_F(UiProgram, ASubstanceLibraryThatCannotConnectEndsTheStartWithTheFixedReasonAndNoDatabaseDialog) {
    // A file that is no library.
    UseSubstanceLibrary(Folder / u"vorn.sqlite");
    Steps({[&] { frmMain->Close(); }});
    EXPECT_EQ(RunVandrel(), 0);
    EXPECT_EQ(Boxes, std::vector<String>{u"VANDREL_1.4.2 cannot start. Reason :\r\rFailed to connect to VORN."});
    EXPECT_TRUE(User.Calls().empty());
    EXPECT_FALSE(TVORNInterface::Created());
}

TEST_F(UiProgram, AProjectDatabaseThatCannotOpenEndsTheStartWithItsMessage) {
    ASSERT_TRUE(DeleteFile(Folder / u"data/data/VANDREL.db"));
    ASSERT_TRUE(CreateDir(Folder / u"data/data/VANDREL.db"));
    Steps({[&] { frmMain->Close(); }});
    EXPECT_EQ(RunVandrel(), 0);
    ASSERT_EQ(Boxes.size(), 1u);
    EXPECT_EQ(Boxes[0].rfind(u"Could not start Drinking water from surface waters: error opening the VANDREL_1.4.2 "
                             u"database: ",
                             0),
              0u)
        << Narrow(Boxes[0]);
}

TEST_F(UiProgram, ASecondStartRaisesTheFirstAndEndsWithoutAWindow) {
    os::TSingleInstance First(u"VANDREL_1.4.2");
    ASSERT_TRUE(First.IsFirst());
    Integer Raised = 0;
    First.OnRaise = [&] { ++Raised; };
    EXPECT_EQ(RunVandrel(), 0);
    EXPECT_EQ(frmMain, nullptr);
    EXPECT_EQ(Screen->FormCount(), 0);
    EXPECT_TRUE(Boxes.empty());
    First.ProcessRequests();
    EXPECT_EQ(Raised, 1);
}

TEST_F(UiProgram, TheInformationButtonsOpenEachWindowOnItsOwnData) {
    using TCheck = std::function<void(TForm*)>;
    struct TCase {
        TSpeedButton* (TfrmMain::*Button)() const;
        String Caption;
        TCheck Check;
    };
    const TCase Cases[] = {
        {&TfrmMain::btmMaps, u"Maps intake areas",
         [](TForm* Form) {
             auto* Maps = dynamic_cast<TfrmMapsIntake*>(Form);
             ASSERT_NE(Maps, nullptr);
             EXPECT_EQ(Maps->imgAbstractionPoints()->Picture()->Width(), 900);
         }},
        {&TfrmMain::btnAbstractInfo, u"Information - surface areas of intake areas",
         [](TForm* Form) {
             auto* Areas = dynamic_cast<TfrmInfoSurfaceAreas*>(Form);
             ASSERT_NE(Areas, nullptr);
             EXPECT_EQ(Areas->grdAreas()->RowCount(), 10); // the title row and the nine points
         }},
        {&TfrmMain::btnCropGrouping, u"Information - Crop groupings",
         [](TForm* Form) {
             auto* Crops = dynamic_cast<TfrmCropGroupingInfo*>(Form);
             ASSERT_NE(Crops, nullptr);
             EXPECT_EQ(Crops->grdCrops()->RowCount(), dmDataObjects->tblDWTCrops->RecordCount() + 1);
             EXPECT_EQ(Crops->fraCropAreas1()->grdCropAreas()->Cells(1, 4), u"Grassland");
         }},
        {&TfrmMain::btnMapD3, u"Map D3 Scenario",
         [](TForm* Form) {
             auto* Map = dynamic_cast<TfrmMapD3Scenario*>(Form);
             ASSERT_NE(Map, nullptr);
             EXPECT_EQ(Map->imgMap()->Picture()->Width(), 800);
         }},
    };
    std::vector<String> Shown;
    std::vector<std::function<void()>> Script{[&] {
        frmMain->PageControl1()->SetActivePageIndex(1);
        Pump();
        for (const TCase& C : Cases) {
            const size_t Before = Shown.size();
            ClickOn(*(frmMain->*C.Button)());
            EXPECT_EQ(Shown.size(), Before + 1) << Narrow(C.Caption);
        }
        frmMain->Close();
    }};
    for (const TCase& C : Cases)
        Script.push_back([&] {
            TForm* Form = Screen->ActiveForm();
            ASSERT_NE(Form, nullptr);
            Shown.push_back(Form->Caption());
            EXPECT_EQ(Form->Caption(), C.Caption);
            C.Check(Form);
            Backend->TypeKey(winapi::VK_ESCAPE);
        });
    Steps(Script);
    EXPECT_EQ(RunVandrel(), 0);
    EXPECT_TRUE(StepsDone());
    EXPECT_EQ(Shown.size(), std::size(Cases));
    EXPECT_TRUE(Boxes.empty()) << (Boxes.empty() ? "" : Narrow(Boxes[0]));
}

TEST_F(UiProgram, TheScenarioDatabaseIsAskedForWhenUnknownAndACancelEndsTheStart) {
    struct TCase {
        bool Choose;
        std::vector<String> Boxes;
        bool MainWindowShown;
    };
    const TCase Cases[] = {
        {true, {}, true},
        {false, {u"Could not start Drinking water from surface waters: error opening the TRAVO-database."}, false},
    };
    for (const TCase& C : Cases) {
        SCOPED_TRACE(C.Choose ? "chosen" : "cancelled");
        {
            TRegistry Registry;
            ASSERT_TRUE(Registry.OpenKey(u"SOFTWARE\\Brennhoven\\VANDREL142", false));
            Registry.DeleteValue(TravoDBValueName);
        }
        std::vector<String> Titles;
        SetFileDialogHandler([&](const TFileDialogRequest& Request, const String&) {
            Titles.push_back(Request.Title);
            return C.Choose ? TFileDialogAnswer{true, Folder / u"travo.fdb"} : TFileDialogAnswer{};
        });
        Boxes.clear();
        bool Shown = false;
        if (C.MainWindowShown)
            Steps({[&] {
                Shown = true;
                EXPECT_TRUE(dmDataObjects->ADOConnectionTRAVO->Connected());
                frmMain->Close();
            }});
        EXPECT_EQ(RunVandrel(), 0);
        SetFileDialogHandler(nullptr);
        EXPECT_EQ(Titles, std::vector<String>{u"Select the TRAVO database "});
        EXPECT_EQ(Boxes, C.Boxes);
        EXPECT_EQ(Shown, C.MainWindowShown);
        EXPECT_TRUE(StepsDone());
        // A chosen file is remembered for the next start.
        TRegistry Registry;
        ASSERT_TRUE(Registry.OpenKey(u"SOFTWARE\\Brennhoven\\VANDREL142", false));
        EXPECT_EQ(Registry.ValueExists(TravoDBValueName), C.Choose);
    }
}

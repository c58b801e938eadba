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
#include "ui/MainWindow.h"
#include "ui/Program.h"
#include "ui/UiGlobals.h"
#include "graphics/Graphic.h"
#include "vcl/Buttons.h"
#include "vcl/Menus.h"
#include "vcl/PageControl.h"

#include <cstdlib>

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

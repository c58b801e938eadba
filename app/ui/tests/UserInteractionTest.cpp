// The core's user interaction with the program's windows: each box with its
// buttons and kind, the open dialog with the core's request, and the
// input-file viewer with one page per file.

#include "UiTestSupport.h"
#include "coretesting/TestFolders.h"
#include "os/FileUtils.h"
#include "rtl/StringList.h"
#include "ui/UserInteraction.h"
#include "vcl/OpenDialog.h"
#include "vcl/PageControl.h"
#include "vcl/RichEdit.h"
#include "windowing/Input.h"

using namespace winapi;

namespace {

class UiUserInteraction : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        SetMessageBoxHandler([this](HWND, const String& Text, const String&, UINT Flags) -> Integer {
            Shown.push_back({Text, Flags & 0xFFu});
            return Answer;
        });
    }
    struct TBox {
        String Text;
        UINT Flags;
        bool operator==(const TBox&) const = default;
    };
    std::vector<TBox> Shown;
    Integer Answer = IDOK;
    TUserInteraction Windows;
};

} // namespace

TEST_F(UiUserInteraction, BoxesShowTheirKindAndButtonsAndConfirmAnswersYesOnly) {
    Windows.ShowMessage(u"plain");
    Windows.ShowWarning(u"careful");
    Windows.ShowError(u"wrong");
    Answer = IDYES;
    EXPECT_TRUE(Windows.Confirm(u"sure?"));
    Answer = IDNO;
    EXPECT_FALSE(Windows.Confirm(u"sure?"));
    EXPECT_EQ(Shown, (std::vector<TBox>{{u"plain", MB_OK},
                                        {u"careful", MB_OK | MB_ICONWARNING},
                                        {u"wrong", MB_OK | MB_ICONERROR},
                                        {u"sure?", MB_YESNO | MB_ICONQUESTION},
                                        {u"sure?", MB_YESNO | MB_ICONQUESTION}}));
}

TEST_F(UiUserInteraction, TheOpenDialogAsksWhatTheCoreAsksAndOnlyAnExistingFileIsChosen) {
    TTestFolder Folder;
    TStringList{}.SaveToFile(Folder / u"travo.fdb");
    TFileDialogRequest Seen;
    String Typed = u"travo.fdb";
    SetFileDialogHandler([&](const TFileDialogRequest& Request, const String&) {
        Seen = Request;
        return TFileDialogAnswer{!Typed.empty(), Folder / Typed, 1};
    });
    const TOpenFileRequest Request{u"Select the TRAVO database ", Folder.Path(), u"travo.fdb",
                                   u"Firebird files (*.fdb)|*.fdb|All files (*.*)|*.*"};
    String Chosen;
    EXPECT_TRUE(Windows.OpenFile(Request, Chosen));
    EXPECT_EQ(Chosen, Folder / u"travo.fdb");
    EXPECT_EQ(Seen.Title, Request.Title);
    EXPECT_EQ(Seen.InitialDir, Request.InitialDir);
    EXPECT_EQ(Seen.Filter, Request.Filter);
    EXPECT_TRUE(Seen.Options.Contains(ofFileMustExist));
    Typed.clear();
    Chosen = u"kept";
    EXPECT_FALSE(Windows.OpenFile(Request, Chosen));
    EXPECT_EQ(Chosen, u"kept");
    SetFileDialogHandler(nullptr);
}

TEST_F(UiUserInteraction, TheViewerShowsOnePagePerFileTheFirstActiveAndEscapeClosesIt) {
    TTestFolder Folder;
    TStringList First;
    First.Add(u"* CropPEC");
    First.Add(u"line 2");
    First.SaveToFile(Folder / u"CropPEC.inp");
    TStringList{}.SaveToFile(Folder / u"CropArea.inp");
    TfrmInputFiles* Viewer = nullptr;
    Steps({[&] {
               Viewer = dynamic_cast<TfrmInputFiles*>(Screen->ActiveForm());
               ASSERT_NE(Viewer, nullptr);
               TPageControl* Pages = Viewer->Pages();
               ASSERT_EQ(Pages->PageCount(), 3);
               EXPECT_EQ(Pages->ActivePageIndex(), 0);
               EXPECT_EQ(Pages->Pages(0)->Caption(), u"CropPEC");
               EXPECT_EQ(Pages->Pages(1)->Caption(), u"Missing");
               auto* Text = dynamic_cast<TRichEdit*>(Pages->Pages(0)->Controls(0));
               ASSERT_NE(Text, nullptr);
               EXPECT_EQ(Text->Lines()->Count(), 2);
               EXPECT_EQ(Text->Lines()->Strings(1), u"line 2");
               EXPECT_TRUE(Text->ReadOnly());
               Backend->TypeKey(VK_ESCAPE);
           }});
    Windows.ViewTextFiles({{u"CropPEC", Folder / u"CropPEC.inp"},
                           {u"Missing", Folder / u"Missing.inp"},
                           {u"CropArea", Folder / u"CropArea.inp"}});
    EXPECT_TRUE(StepsDone());
    EXPECT_TRUE(Shown.empty());
}

// Open and save dialogs: the filter and its masks, the reading of a typed
// name (paths, default extension, file must exist, the overwrite prompt),
// scripted answers, and the chooser form driven by keyboard and mouse.

#include "VclTestSupport.h"
#include "rtltesting/TestFiles.h"
#include "vcl/Dialogs.h"
#include "vcl/OpenDialog.h"
#include "vcl/StdCtrls.h"
#include "windowing/Input.h"

#include <fstream>

using namespace winapi;

namespace {

const String CropFilter = u"Crop-Area files|*.CropArea|Text files|*.txt;*.md|All files (*.*)|*.*";

class FileDialogTest : public VclTest {
protected:
    void SetUp() override {
        VclTest::SetUp();
        for (const char* Name : {"a.CropArea", "b.croparea", "c.txt", "notes.md", "README", ".hidden"})
            std::ofstream(Folder.Native(FromUtf8(Name))) << "x";
        std::filesystem::create_directory(Folder.Native(u"sub"));
        std::filesystem::create_directory(Folder.Native(u"Beta"));
        std::filesystem::create_directory(Folder.Native(u".git"));
        std::ofstream(Folder.Native(u"sub/inner.txt")) << "x";
    }
    void TearDown() override {
        SetFileDialogHandler(nullptr);
        SetFileDialogDriver(nullptr);
        VclTest::TearDown();
    }
    // The folder without its trailing '/', as the chooser shows it.
    String Dir() const { return Folder.Path().substr(0, Folder.Path().size() - 1); }
    TFileDialogRequest Request(bool Save, TOpenOptions Options, const String& DefaultExt = {}) const {
        TFileDialogRequest R;
        R.Save = Save;
        R.Filter = CropFilter;
        R.InitialDir = Folder.Path();
        R.Options = Options;
        R.DefaultExt = DefaultExt;
        return R;
    }
    static std::vector<std::string> Narrowed(const std::vector<String>& Names) {
        std::vector<std::string> Result;
        for (const String& Name : Names)
            Result.push_back(Narrow(Name));
        return Result;
    }

    TTempFolder Folder;
    TTempFolder Other;
};

} // namespace

TEST_F(FileDialogTest, FilterTextAndMasks) {
    auto Filters = ParseFileFilter(CropFilter);
    ASSERT_EQ(Filters.size(), 3u);
    EXPECT_EQ(Narrow(Filters[1].Description), "Text files");
    EXPECT_EQ(Narrowed(Filters[1].Patterns), (std::vector<std::string>{"*.txt", "*.md"}));
    EXPECT_TRUE(ParseFileFilter(u"").empty());
    // A description without its pattern lists everything.
    EXPECT_EQ(Narrowed(ParseFileFilter(u"Odd")[0].Patterns), std::vector<std::string>{"*"});

    struct TCase {
        const Char* Name;
        const Char* Mask;
        bool Matches;
    };
    const TCase Cases[] = {
        {u"travo.fdb", u"*.fdb", true},    {u"TRAVO.FDB", u"*.fdb", true}, {u"vorn.so", u"*.DLL", false},
        {u"vorn.dll", u"*.DLL", true},     {u"README", u"*.*", true},      {u"a.fdb.bak", u"*.fdb", false},
        {u"data1.csv", u"data?.csv", true}, {u"data10.csv", u"data?.csv", false}, {u"x", u"*", true},
        {u"abcabd", u"*abd", true},        {u"ab", u"a*b*c", false},
    };
    for (const TCase& C : Cases)
        EXPECT_EQ(MatchesFileMask(C.Name, C.Mask), C.Matches) << Narrow(C.Name) << " " << Narrow(C.Mask);
}

TEST_F(FileDialogTest, ChooserListsFoldersAndTheFilesOfTheChosenFilter) {
    TFileChooser Chooser(Request(false, {}));
    EXPECT_EQ(Narrow(Chooser.Folder()), Narrow(Dir()));
    // Hidden entries are left out; names sort ignoring case.
    EXPECT_EQ(Narrowed(Chooser.Folders()), (std::vector<std::string>{"..", "Beta", "sub"}));
    const std::vector<std::vector<std::string>> Expected = {
        {"a.CropArea", "b.croparea"}, {"c.txt", "notes.md"}, {"a.CropArea", "b.croparea", "c.txt", "notes.md", "README"}};
    for (Integer Index = 1; Index <= 3; ++Index) {
        Chooser.SetFilterIndex(Index);
        EXPECT_EQ(Narrowed(Chooser.Files()), Expected[size_t(Index - 1)]) << Index;
    }
    Chooser.SetFilterIndex(7); // out of range: the first
    EXPECT_EQ(Chooser.FilterIndex(), 1);
    EXPECT_TRUE(Chooser.SetFolder(u"sub"));
    Chooser.SetFilterIndex(2);
    EXPECT_EQ(Narrowed(Chooser.Files()), std::vector<std::string>{"inner.txt"});
    EXPECT_FALSE(Chooser.SetFolder(u"missing"));
    EXPECT_TRUE(Chooser.SetFolder(u"/"));
    EXPECT_NE(Chooser.Folders().front(), u".."); // nothing above the root
}

TEST_F(FileDialogTest, TypedNamesAreReadAsTheOptionsAsk) {
    using K = TFileChoice::TKind;
    const String NotFound = u"\nFile not found.\nCheck the file name and try again.";
    const String NoPath = u"\nPath does not exist.\nCheck the path and try again.";
    struct TCase {
        bool Save;
        TOpenOptions Options;
        const Char* DefaultExt;
        String Typed;
        K Kind;
        String Path;    // for folders and chosen files
        String Message; // for refusals and prompts
    };
    const TOpenOptions MustExist{ofFileMustExist, ofPathMustExist};
    const TOpenOptions Prompt{ofOverwritePrompt};
    const TCase Cases[] = {
        {false, MustExist, u"", u"c.txt", K::fcAccepted, Dir() + u"/c.txt", u""},
        {false, MustExist, u"", u"  \"c.txt\" ", K::fcAccepted, Dir() + u"/c.txt", u""},
        {false, MustExist, u"", u"missing.txt", K::fcRefused, u"", u"missing.txt" + NotFound},
        {false, {}, u"", u"missing.txt", K::fcAccepted, Dir() + u"/missing.txt", u""},
        {false, MustExist, u".CropArea", u"a", K::fcAccepted, Dir() + u"/a.CropArea", u""},
        {false, MustExist, u"", u"sub", K::fcOpenFolder, Dir() + u"/sub", u""},
        {false, MustExist, u"", u"..", K::fcOpenFolder, Dir().substr(0, Dir().rfind(u'/')), u""},
        {false, MustExist, u"", u"sub/../c.txt", K::fcAccepted, Dir() + u"/c.txt", u""},
        {false, MustExist, u"", u"sub/inner.txt", K::fcAccepted, Dir() + u"/sub/inner.txt", u""},
        {false, MustExist, u"", u"none/x.txt", K::fcRefused, u"", u"none/x.txt" + NoPath},
        {false, {}, u"", u"", K::fcNothing, u"", u""},
        // A path is taken as a path: an absolute one is never joined to the folder shown.
        {true, Prompt, u"", Other.Path() + u"x.txt", K::fcAccepted, Other.Path() + u"x.txt", u""},
        {true, Prompt, u"", u"c.txt", K::fcConfirm, Dir() + u"/c.txt", u"c.txt already exists.\nDo you want to replace it?"},
        {true, Prompt, u"txt", u"c", K::fcConfirm, Dir() + u"/c.txt", u"c.txt already exists.\nDo you want to replace it?"},
        {true, {}, u"", u"c.txt", K::fcAccepted, Dir() + u"/c.txt", u""},
        {true, Prompt, u"txt", u"new", K::fcAccepted, Dir() + u"/new.txt", u""},
        {true, Prompt, u"", u"none/x.txt", K::fcRefused, u"", u"none/x.txt" + NoPath},
        {true, Prompt, u"", u"sub/", K::fcOpenFolder, Dir() + u"/sub", u""},
        {true, Prompt, u"", u"gone/", K::fcRefused, u"", u"gone/" + NoPath},
    };
    for (const TCase& C : Cases) {
        TFileChooser Chooser(Request(C.Save, C.Options, C.DefaultExt));
        TFileChoice Choice = Chooser.Resolve(C.Typed);
        EXPECT_EQ(Choice.Kind, C.Kind) << Narrow(C.Typed);
        EXPECT_EQ(Narrow(Choice.Path), Narrow(C.Kind == K::fcRefused ? String() : C.Path)) << Narrow(C.Typed);
        EXPECT_EQ(Narrow(Choice.Message), Narrow(C.Message)) << Narrow(C.Typed);
    }
}

TEST_F(FileDialogTest, ScriptedSaveNeverReplacesAFileWithoutThePrompt) {
    TSaveDialog* Dialog = Create<TSaveDialog>(Application);
    Dialog->SetFilter(CropFilter);
    Dialog->SetFilterIndex(2);
    Dialog->SetInitialDir(Folder.Path());
    Dialog->SetOptions(TOpenOptions{ofOverwritePrompt});
    Dialog->SetFileName(u"report.txt");
    std::vector<String> Answers = {u"sub", u"../c.txt", u"../c.txt"};
    std::vector<std::string> Seen; // the folder each answer was typed in
    SetFileDialogHandler([&](const TFileDialogRequest& R, const String& Shown) {
        EXPECT_TRUE(R.Save);
        EXPECT_EQ(Narrow(R.Title), "Save As");
        if (Seen.empty()) {
            EXPECT_EQ(Narrow(R.FileName), "report.txt");
        }
        Seen.push_back(Narrow(Shown));
        TFileDialogAnswer A;
        A.Ok = !Answers.empty();
        if (A.Ok) {
            A.FileName = Answers.front();
            Answers.erase(Answers.begin());
        }
        return A;
    });
    std::vector<std::string> Prompts;
    Integer Replies = 0;
    SetMessageBoxHandler([&](HWND, const String& Text, const String&, UINT Type) {
        Prompts.push_back(Narrow(Text));
        EXPECT_EQ(Type & 0xF, UINT(MB_YESNO));
        return ++Replies == 1 ? IDNO : IDYES;
    });
    // "sub" opens the folder; "../c.txt" asks and is declined, then asks again and is accepted.
    ASSERT_TRUE(Dialog->Execute());
    EXPECT_EQ(Narrow(Dialog->FileName()), Narrow(Dir() + u"/c.txt"));
    EXPECT_EQ(Dialog->FilterIndex(), 2);
    EXPECT_EQ(Seen, (std::vector<std::string>{Narrow(Dir()), Narrow(Dir() + u"/sub"), Narrow(Dir() + u"/sub")}));
    EXPECT_EQ(Prompts, (std::vector<std::string>(2, "c.txt already exists.\nDo you want to replace it?")));

    // Cancelling leaves the dialog's values alone.
    Answers.clear();
    EXPECT_FALSE(Dialog->Execute());
    EXPECT_EQ(Narrow(Dialog->FileName()), Narrow(Dir() + u"/c.txt"));
    Free(Dialog);
}

TEST_F(FileDialogTest, WithoutAScriptOrADisplayNobodyIsAsked) {
    TOpenDialog* Dialog = Create<TOpenDialog>(Application);
    Dialog->SetTitle(u"Select Crop-Area file...");
    try {
        Dialog->Execute();
        FAIL() << "no exception";
    } catch (const EFileDialogUnavailable& E) {
        EXPECT_EQ(Narrow(E.Message()), "No display to ask: Select Crop-Area file...");
    }
    Free(Dialog);
}

TEST_F(FileDialogTest, TheChooserFormByKeyboardAndMouse) {
    TOpenDialog* Dialog = Create<TOpenDialog>(Application);
    Dialog->SetFilter(CropFilter);
    Dialog->SetInitialDir(Folder.Path());
    Dialog->SetDefaultExt(u".CropArea");
    Dialog->SetOptions(TOpenOptions{ofFileMustExist, ofPathMustExist});

    // Typing a name that does not exist is refused with a box; the form stays.
    std::vector<std::string> Files;
    SetFileDialogDriver([&](TFileChooserForm* Form) {
        EXPECT_EQ(Narrow(Form->FolderLabel()->Caption()), Narrow(Dir()));
        for (Integer I = 0; I < Form->FileList()->Items()->Count(); ++I)
            Files.push_back(Narrow(Form->FileList()->Items()->Strings(I)));
        Pump();
        headless::TypeText(u"nothing");
        headless::TypeKey(VK_RETURN);
        Pump();
        EXPECT_EQ(Form->ModalResult(), mrNone);
        // The filter list: the second entry lists the text files.
        Form->FilterCombo()->SetFocus();
        headless::TypeKey(VK_DOWN);
        Pump();
        EXPECT_EQ(Form->FileList()->Items()->Strings(0), u"c.txt");
        // Into "sub" with the folder list and Enter, back with Backspace.
        Form->FolderList()->SetFocus();
        Form->FolderList()->SetItemIndex(2);
        headless::TypeKey(VK_RETURN);
        Pump();
        EXPECT_EQ(Narrow(Form->Chooser().Folder()), Narrow(Dir() + u"/sub"));
        headless::TypeKey(VK_BACK);
        Pump();
        EXPECT_EQ(Narrow(Form->Chooser().Folder()), Narrow(Dir()));
        // A click on a file names it; a double click chooses it.
        TListBox* List = Form->FileList();
        TPoint At = List->ClientToScreen(List->ItemRect(1).TopLeft());
        headless::Click(At.X + 5, At.Y + 3);
        Pump();
        EXPECT_EQ(Narrow(Form->FileNameEdit()->Text()), "notes.md");
        headless::AdvanceClock(100);
        headless::Click(At.X + 5, At.Y + 3);
    });
    ASSERT_TRUE(Dialog->Execute());
    EXPECT_EQ(Files, (std::vector<std::string>{"a.CropArea", "b.croparea"}));
    EXPECT_EQ(Boxes, (std::vector<String>{u"Warning|nothing.CropArea\nFile not found.\nCheck the file name and try again."}));
    EXPECT_EQ(Narrow(Dialog->FileName()), Narrow(Dir() + u"/notes.md"));
    EXPECT_EQ(Dialog->FilterIndex(), 2);

    // Escape cancels and leaves the file name as it was.
    SetFileDialogDriver([](TFileChooserForm*) { headless::TypeKey(VK_ESCAPE); });
    EXPECT_FALSE(Dialog->Execute());
    EXPECT_EQ(Narrow(Dialog->FileName()), Narrow(Dir() + u"/notes.md"));
    Free(Dialog);
}

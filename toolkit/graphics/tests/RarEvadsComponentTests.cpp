// Forms of components and controls, rescaling to a resolution, cloning and
// message boxes.

#include "kel/RarEvads.h"
#include "rtltesting/TestFiles.h"
#include "vcl/OpenDialog.h"
#include "vcl/ExtCtrls.h"
#include "vcl/StdCtrls.h"

#include <fstream>
#include <gtest/gtest.h>

namespace {

struct TFormWithButton {
    TFormWithButton() {
        Form = Create<TForm>(nullptr);
        Panel = Create<TPanel>(Form);
        Panel->SetParent(Form);
        Panel->SetBounds(0, 0, 200, 100);
        Button = Create<TButton>(Form);
        Button->SetParent(Panel);
        Button->SetBounds(10, 20, 80, 30);
    }
    ~TFormWithButton() { Free(Form); }
    TForm* Form;
    TPanel* Panel;
    TButton* Button;
};

TEST(RarEvadsComponents, FormsOfComponentsAndControls) {
    TFormWithButton F;
    TComponent* Inner = Create<TComponent>(F.Button);
    EXPECT_EQ(TRarEvads::GetOwnerForm(Inner), F.Form);
    EXPECT_EQ(TRarEvads::GetOwnerForm(F.Button), F.Form);
    EXPECT_EQ(TRarEvads::GetOwnerForm(F.Form), nullptr); // the component itself does not count
    EXPECT_EQ(TRarEvads::GetOwnerForm(nullptr), nullptr);
    EXPECT_EQ(TRarEvads::GetParentForm(F.Button), F.Form);
    EXPECT_EQ(TRarEvads::GetParentForm(nullptr), nullptr);
}

TEST(RarEvadsComponents, ScaleToAResolution) {
    TFormWithButton F;
    TRarEvads::ScaleForDPI(F.Form, 192);
    EXPECT_EQ(F.Form->PixelsPerInch(), 192);
    EXPECT_EQ(F.Button->BoundsRect(), Rect(20, 40, 180, 100));
    TRarEvads::ScaleForDPI(nullptr, 192);

    // Back to the screen's 96: fonts first go to 96 pixels per inch.
    F.Button->SetParentFont(false);
    F.Button->Font()->SetPixelsPerInch(120);
    F.Button->Font()->SetHeight(-15);
    TRarEvads::ScaleForCurrentDPI(F.Form);
    EXPECT_EQ(F.Form->PixelsPerInch(), 96);
    EXPECT_EQ(F.Button->BoundsRect(), Rect(10, 20, 90, 50));
    EXPECT_EQ(F.Button->Font()->Height(), -6); // -12, then halved with the form
}

TEST(RarEvadsComponents, CloneCopiesPublishedPropertiesWithoutName) {
    TFormWithButton F;
    F.Button->SetName(u"OKButton");
    F.Button->SetCaption(u"OK");
    F.Button->SetHint(u"Confirms");
    TComponent* Copy = TRarEvads::Clone(F.Button);
    ASSERT_NE(Copy, nullptr);
    auto* Button = dynamic_cast<TButton*>(Copy);
    ASSERT_NE(Button, nullptr);
    EXPECT_EQ(Button->Name(), u"");
    EXPECT_EQ(Button->Owner(), nullptr);
    EXPECT_EQ(Button->Caption(), u"OK");
    EXPECT_EQ(Button->Hint(), u"Confirms");
    EXPECT_EQ(Button->Width(), 80);
    EXPECT_EQ(F.Button->Name(), u"OKButton");
    Free(Copy);
    EXPECT_EQ(TRarEvads::Clone(nullptr), nullptr);
}

TEST(RarEvadsComponents, MessageBoxes) {
    String Text;
    winapi::UINT Flags = 0;
    const TMessageBoxHandler Old =
        SetMessageBoxHandler([&](winapi::HWND, const String& AText, const String&, winapi::UINT AType) {
            Text = AText;
            Flags = AType;
            return Integer(winapi::IDNO);
        });
    EXPECT_EQ(TRarEvads::Message(u"Saved."), winapi::IDNO);
    EXPECT_EQ(Text, u"Saved.");
    EXPECT_EQ(Flags & 0xF0, winapi::MB_ICONINFORMATION);
    EXPECT_EQ(Flags & 0x0F, winapi::MB_OK);
    EXPECT_EQ(TRarEvads::Message(u"Replace?", mtConfirmation, mbYesNo), winapi::IDNO);
    EXPECT_EQ(Flags & 0x0F, winapi::MB_YESNO);
    SetMessageBoxHandler(Old);
}

TEST(RarEvadsComponents, FileDialogs) {
    TTempFolder Folder;
    std::ofstream(Folder.Native(u"old.csv")) << "x";
    std::vector<String> Typed;
    std::vector<String> Folders;
    const TFileDialogHandler OldHandler = SetFileDialogHandler([&](const TFileDialogRequest& R, const String& Shown) {
        Folders.push_back(Shown + (R.Save ? u" save" : u" open"));
        TFileDialogAnswer A;
        A.Ok = !Typed.empty();
        if (A.Ok) {
            A.FileName = Typed.front();
            Typed.erase(Typed.begin());
        }
        return A;
    });
    std::vector<String> Boxes;
    const TMessageBoxHandler OldBoxes =
        SetMessageBoxHandler([&](winapi::HWND, const String& AText, const String&, winapi::UINT) {
            Boxes.push_back(AText);
            return Integer(winapi::IDNO);
        });
    std::vector<String> Heard;
    auto CallBack = [&](const String& AFileName, bool AConfirmed) {
        Heard.push_back(AFileName + (AConfirmed ? u" yes" : u" no"));
    };
    const String Dir = Folder.Path().substr(0, Folder.Path().size() - 1);

    // The file must exist: a missing one is refused, then the existing one taken.
    String Name = u"start";
    Typed = {u"missing.csv", u"old.csv"};
    EXPECT_TRUE(TRarEvads::SelectFile(Name, Dir, u"CSV|*.csv", CallBack));
    EXPECT_EQ(Name, Dir + u"/old.csv");
    EXPECT_EQ(Boxes, std::vector<String>{u"missing.csv\nFile not found.\nCheck the file name and try again."});
    Typed.clear();
    EXPECT_FALSE(TRarEvads::SelectFile(Name, Dir, u"CSV|*.csv", CallBack));
    EXPECT_EQ(Name, Dir + u"/old.csv");

    // Saving: a name without extension gets the old one's, before the
    // overwrite question, which is declined; then a new name is taken.
    Boxes.clear();
    Name = Dir + u"/old.csv";
    Typed = {u"old", u"report"};
    EXPECT_TRUE(TRarEvads::SaveFile(Name, u"CSV|*.csv", CallBack));
    EXPECT_EQ(Name, Dir + u"/report.csv");
    EXPECT_EQ(Boxes, std::vector<String>{u"old.csv already exists.\nDo you want to replace it?"});
    EXPECT_EQ(Heard, (std::vector<String>{Dir + u"/old.csv yes", Dir + u"/old.csv no", Dir + u"/report.csv yes"}));
    EXPECT_EQ(Folders.front(), Dir + u" open");
    EXPECT_EQ(Folders.back(), Dir + u" save");
    SetFileDialogHandler(OldHandler);
    SetMessageBoxHandler(OldBoxes);
}

} // namespace

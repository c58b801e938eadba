// Forms of components and controls, rescaling to a resolution, cloning and
// message boxes.

#include "kel/RarEvads.h"
#include "vcl/ExtCtrls.h"
#include "vcl/StdCtrls.h"

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

} // namespace

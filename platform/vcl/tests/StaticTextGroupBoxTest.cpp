// Static text and group boxes: borders, sizing, accelerators, the room a
// group box leaves its children.

#include "StandardTestSupport.h"
#include "VclTestSupport.h"
#include "vcl/GroupBox.h"
#include "vcl/StaticText.h"
#include "vcl/StdCtrls.h"
#include "windowing/Input.h"

using namespace winapi;

TEST_F(VclTest, StaticTextBorderStylesFrameTheTextAndGrowTheSize) {
    struct TCase {
        TStaticBorderStyle Style;
        TColor TopLeft; // the colour of the corner pixel
        Integer Extra;  // what the border adds to each side
    };
    const TCase Cases[] = {
        {sbsNone, clBtnFace, 0},
        {sbsSingle, clWindowFrame, 1},
        {sbsSunken, clBtnShadow, 1},
    };
    TForm* Form = NewForm();
    auto* Plain = new TStaticText(Form);
    Plain->SetParent(Form);
    Plain->SetCaption(u"Substance");
    for (const TCase& Case : Cases) {
        auto* Text = new TStaticText(Form);
        Text->SetParent(Form);
        Text->SetBounds(20, 40, 10, 10);
        Text->SetCaption(u"Substance");
        Text->SetBorderStyle(Case.Style);
        EXPECT_EQ(Text->Width(), Plain->Width() + 2 * Case.Extra);
        EXPECT_EQ(Text->Height(), Plain->Height() + 2 * Case.Extra);
        Form->Show();
        Pump();
        EXPECT_EQ(ControlPixel(Text, 0, 0), ColorToRGB(Case.TopLeft)) << Case.Style;
        Free(Text);
    }
}

TEST_F(VclTest, AcceleratorsOfStaticTextAndGroupBoxMoveTheFocus) {
    TForm* Form = NewForm();
    auto* First = new TEdit(Form);
    First->SetParent(Form);
    auto* Named = new TEdit(Form);
    Named->SetParent(Form);
    Named->SetTop(30);
    auto* Label = new TStaticText(Form);
    Label->SetParent(Form);
    Label->SetTop(60);
    Label->SetCaption(u"&Name");
    Label->SetFocusControl(Named);
    auto* Group = new TGroupBox(Form);
    Group->SetParent(Form);
    Group->SetBounds(10, 100, 200, 100);
    Group->SetCaption(u"&Options");
    auto* Inner = new TCheckBox(Group);
    Inner->SetParent(Group);
    Form->Show();
    Pump();
    First->SetFocus();
    auto Accelerator = [&](Integer Key) {
        headless::PressKey(VK_MENU);
        headless::TypeKey(Key);
        headless::ReleaseKey(VK_MENU);
        Pump();
    };
    Accelerator('N');
    EXPECT_TRUE(Named->Focused());
    Accelerator('O');
    EXPECT_TRUE(Inner->Focused());
    // Freeing the focus control clears the reference.
    Free(Named);
    EXPECT_EQ(Label->FocusControl(), nullptr);
    Accelerator('N');
    EXPECT_TRUE(Inner->Focused());
}

TEST_F(VclTest, GroupBoxKeepsAlignedChildrenInsideItsFrameBelowTheCaption) {
    TForm* Form = NewForm();
    auto* Group = new TGroupBox(Form);
    Group->SetParent(Form);
    Group->SetBounds(10, 10, 200, 120);
    Group->SetCaption(u"Crop");
    auto* Child = new TEdit(Group);
    Child->SetParent(Group);
    Child->SetAlign(alClient);
    EXPECT_GT(Child->Top(), 10);
    EXPECT_EQ(Child->Left(), 2);
    EXPECT_EQ(Child->Width(), 196);
    EXPECT_EQ(Child->Top() + Child->Height(), 118);
    Form->Show();
    Pump();
    // The etched frame: shadow outside, highlight inside, at the left edge.
    EXPECT_EQ(ControlPixel(Group, 0, 60), ColorToRGB(clBtnShadow));
    EXPECT_EQ(ControlPixel(Group, 1, 60), ColorToRGB(clBtnHighlight));
}

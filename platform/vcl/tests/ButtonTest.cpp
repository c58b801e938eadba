// Push buttons, check boxes and radio buttons: Enter and Escape in modal
// forms, toggling and its events, radio groups, the look.

#include "StandardTestSupport.h"
#include "VclTestSupport.h"
#include "vcl/StdCtrls.h"
#include "windowing/Input.h"
#include "windowing/Paint.h"

using namespace winapi;

TEST_F(VclTest, EnterAndEscapePressTheDefaultAndCancelButtonsOfAModalForm) {
    struct TCase {
        const char* Name;
        Integer Key;
        Integer Focus; // 0 the edit, 1 the OK button, 2 the cancel button
        TModalResult Want;
    };
    const TCase Cases[] = {
        {"enter in the edit", VK_RETURN, 0, mrOk},
        {"escape in the edit", VK_ESCAPE, 0, mrCancel},
        {"enter on the focused cancel button", VK_RETURN, 2, mrCancel},
        {"escape on the focused ok button", VK_ESCAPE, 1, mrCancel},
        {"space on the focused ok button", VK_SPACE, 1, mrOk},
        {"the cancel button's accelerator", 'C', 0, mrCancel},
    };
    for (const TCase& Case : Cases) {
        TForm* Dialog = NewForm(u"Dialog");
        auto* Edit = new TEdit(Dialog);
        Edit->SetParent(Dialog);
        auto* Ok = new TButton(Dialog);
        Ok->SetParent(Dialog);
        Ok->SetBounds(10, 50, 75, 25);
        Ok->SetDefault(true);
        Ok->SetModalResult(mrOk);
        auto* Cancel = new TButton(Dialog);
        Cancel->SetParent(Dialog);
        Cancel->SetBounds(100, 50, 75, 25);
        Cancel->SetCancel(true);
        Cancel->SetCaption(u"&Cancel");
        Cancel->SetModalResult(mrCancel);
        TLog Clicks;
        Ok->OnClick = [&](TObject*) { Clicks.push_back("ok"); };
        Cancel->OnClick = [&](TObject*) { Clicks.push_back("cancel"); };
        TWinControl* Focus[] = {Edit, Ok, Cancel};
        Dialog->SetActiveControl(Focus[Case.Focus]); // the dialog is not shown yet
        headless::SetIdleHandler([&] {
            if (Case.Key == 'C') headless::PressKey(VK_MENU);
            headless::TypeKey(Case.Key);
            if (Case.Key == 'C') headless::ReleaseKey(VK_MENU);
        });
        EXPECT_EQ(Dialog->ShowModal(), Case.Want) << Case.Name;
        EXPECT_EQ(Clicks, TLog({Case.Want == mrOk ? "ok" : "cancel"})) << Case.Name;
        headless::SetIdleHandler(nullptr);
        Free(Dialog);
    }
}

TEST_F(VclTest, ClickingAButtonSetsTheModalResult) {
    TForm* Dialog = NewForm(u"Dialog");
    auto* Yes = new TButton(Dialog);
    Yes->SetParent(Dialog);
    Yes->SetModalResult(mrYes);
    headless::SetIdleHandler([&] {
        TPoint P = Centre(Yes);
        headless::Click(P.X, P.Y);
    });
    EXPECT_EQ(Dialog->ShowModal(), mrYes);
}

TEST_F(VclTest, CheckBoxTogglesThroughItsStatesWithOneClickEventEach) {
    TForm* Form = NewForm();
    auto* Box = new TCheckBox(Form);
    Box->SetParent(Form);
    Box->SetCaption(u"&Option");
    Integer Clicks = 0;
    Box->OnClick = [&](TObject*) { ++Clicks; };
    Form->Show();
    Pump();
    TPoint P = Centre(Box);
    headless::Click(P.X, P.Y);
    Pump();
    EXPECT_EQ(Box->State(), cbChecked);
    headless::Click(P.X, P.Y); // within the double-click time: still a click
    Pump();
    EXPECT_EQ(Box->State(), cbUnchecked);
    EXPECT_EQ(Clicks, 2);
    Box->SetAllowGrayed(true);
    const TCheckBoxState Cycle[] = {cbChecked, cbGrayed, cbUnchecked};
    for (TCheckBoxState Want : Cycle) {
        headless::TypeKey(VK_SPACE); // the click gave it the focus
        Pump();
        EXPECT_EQ(Box->State(), Want);
    }
    EXPECT_EQ(Clicks, 5);
    Box->SetChecked(true);
    Box->SetChecked(true);
    EXPECT_EQ(Clicks, 6);
    headless::PressKey(VK_MENU); // the accelerator
    headless::TypeKey('O');
    headless::ReleaseKey(VK_MENU);
    Pump();
    EXPECT_EQ(Box->State(), cbGrayed);
    EXPECT_EQ(Clicks, 7);
}

TEST_F(VclTest, CheckingARadioButtonUnchecksItsSiblingsOnly) {
    TForm* Form = NewForm();
    auto* Group = new TLogControl(Form, Log, u"group", Form, Bounds(0, 0, 200, 100));
    TRadioButton* Buttons[3];
    for (Integer I = 0; I < 3; ++I) {
        Buttons[I] = new TRadioButton(Form);
        Buttons[I]->SetParent(I < 2 ? static_cast<TWinControl*>(Group) : Form);
        Buttons[I]->SetTop(150 + 20 * I);
    }
    Buttons[2]->SetChecked(true);
    Buttons[0]->SetChecked(true);
    Buttons[1]->SetChecked(true);
    EXPECT_FALSE(Buttons[0]->Checked());
    EXPECT_TRUE(Buttons[1]->Checked());
    EXPECT_TRUE(Buttons[2]->Checked());
}

TEST_F(VclTest, DefaultButtonHasADarkFrameAndAFaceInsideIt) {
    TForm* Form = NewForm();
    auto* Ok = new TButton(Form);
    Ok->SetParent(Form);
    Ok->SetBounds(20, 20, 75, 25);
    Ok->SetDefault(true);
    Form->Show();
    Pump();
    TRect Window;
    GetWindowRect(Form->Handle(), Window);
    auto Pixel = [&](Integer X, Integer Y) {
        TPoint P = Ok->ClientToScreen({X, Y});
        return WindowPixel(Form->Handle(), P.X - Window.Left, P.Y - Window.Top);
    };
    EXPECT_EQ(Pixel(0, 12), ColorToRGB(clWindowFrame));
    EXPECT_EQ(Pixel(8, 20), ColorToRGB(clBtnFace));
}

TEST_F(VclTest, CheckBoxShowsItsMarkOnlyWhenChecked) {
    TForm* Form = NewForm();
    auto* Box = new TCheckBox(Form);
    Box->SetParent(Form);
    Box->SetBounds(20, 20, 97, 17);
    Form->Show();
    TRect Window;
    GetWindowRect(Form->Handle(), Window);
    auto Pixel = [&](Integer X, Integer Y) {
        TPoint P = Box->ClientToScreen({X, Y});
        return WindowPixel(Form->Handle(), P.X - Window.Left, P.Y - Window.Top);
    };
    // The 13-pixel box is centred vertically: its top is at y 2, the middle
    // stripe of the mark at x 6 covers y 8.
    Pump();
    EXPECT_EQ(Pixel(0, 2), ColorToRGB(clBtnShadow));
    EXPECT_EQ(Pixel(6, 8), ColorToRGB(clWindow));
    Box->SetChecked(true);
    Pump();
    EXPECT_EQ(Pixel(6, 8), ColorToRGB(clWindowText));
    EXPECT_EQ(Pixel(6, 4), ColorToRGB(clWindow));
}

// Scroll boxes: a focused child scrolled into view, the wheel, the border.

#include "StandardTestSupport.h"
#include "VclTestSupport.h"
#include "vcl/ExtCtrls.h"
#include "vcl/ScrollBox.h"
#include "vcl/StdCtrls.h"
#include "windowing/Input.h"

using namespace winapi;

TEST_F(VclTest, ScrollBoxBringsAFocusedChildIntoView) {
    struct TCase {
        const char* Name;
        Integer Left, Top; // of the child in the content
        bool WantVert, WantHorz;
    };
    const TCase Cases[] = {
        {"below the view", 10, 400, true, false},
        {"right of the view", 400, 10, false, true},
        {"already in view", 10, 10, false, false},
    };
    for (const TCase& Case : Cases) {
        TForm* Form = NewForm();
        auto* Box = new TScrollBox(Form);
        Box->SetParent(Form);
        Box->SetBounds(10, 10, 200, 150);
        auto* First = new TEdit(Box);
        First->SetParent(Box);
        First->SetBounds(10, 10, 80, 21);
        auto* Far = new TEdit(Box);
        Far->SetParent(Box);
        Far->SetBounds(Case.Left, Case.Top, 80, 21);
        auto* Corner = new TEdit(Box); // keeps both ranges beyond the view
        Corner->SetParent(Box);
        Corner->SetBounds(500, 500, 80, 21);
        Form->Show();
        Pump();
        First->SetFocus();
        Pump();
        headless::TypeKey(VK_TAB);
        Pump();
        ASSERT_TRUE(Far->Focused()) << Case.Name;
        TRect Client = Box->ClientRect();
        EXPECT_GE(Far->Left(), 0) << Case.Name;
        EXPECT_GE(Far->Top(), 0) << Case.Name;
        EXPECT_LE(Far->Left() + Far->Width(), Client.Right) << Case.Name;
        EXPECT_LE(Far->Top() + Far->Height(), Client.Bottom) << Case.Name;
        EXPECT_EQ(Box->VertScrollBar()->Position() > 0, Case.WantVert) << Case.Name;
        EXPECT_EQ(Box->HorzScrollBar()->Position() > 0, Case.WantHorz) << Case.Name;
        Free(Form);
    }
}

TEST_F(VclTest, ScrollBoxScrollsWithTheWheel) {
    TForm* Form = NewForm();
    auto* Box = new TScrollBox(Form);
    Box->SetParent(Form);
    Box->SetBounds(10, 10, 200, 150);
    auto* Tall = new TPanel(Box);
    Tall->SetParent(Box);
    Tall->SetBounds(0, 0, 100, 1000);
    Form->Show();
    Pump();
    Box->SetFocus(); // the wheel goes to the focus and up through its parents
    TPoint P = Centre(Box);
    headless::MoveMouse(P.X, P.Y);
    headless::Wheel(-WHEEL_DELTA);
    Pump();
    Integer Down = Box->VertScrollBar()->Position();
    EXPECT_GT(Down, 0);
    EXPECT_EQ(Tall->Top(), -Down);
    headless::Wheel(WHEEL_DELTA);
    Pump();
    EXPECT_EQ(Box->VertScrollBar()->Position(), 0);
}

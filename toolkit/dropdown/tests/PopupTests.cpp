// The pop-up form: size, placement on the monitors, opening and closing by
// keys, clicks and deactivation, on the headless window system with a
// manual clock.

#include "DropDownTestSupport.h"
#include "dropdown/KelDropDown.h"
#include "vcl/ExtCtrls.h"
#include "windowing/Focus.h"
#include "windowing/Input.h"
#include "windowing/SystemMetrics.h"

using namespace winapi;

namespace {

class Popup : public DropDownTest {
protected:
    void SetUp() override {
        DropDownTest::SetUp();
        MONITORINFO Primary;
        Primary.rcMonitor = TRect(0, 0, 1920, 1080);
        Primary.rcWork = TRect(0, 0, 1920, 1040);
        Primary.dwFlags = MONITORINFOF_PRIMARY;
        MONITORINFO Left;
        Left.rcMonitor = TRect(-1280, 0, 0, 1024);
        Left.rcWork = TRect(-1280, 0, 0, 1024);
        Backend->SetMonitors({Primary, Left});
    }

    // A drop-down at (20, 20) of a form, hosting a panel of 100 x 100.
    TKelDropDown* NewDropDown() {
        Form = NewForm();
        auto* Edit = Create<TKelDropDown>(Form);
        Edit->SetParent(Form);
        Edit->SetBounds(20, 20, 200, 21);
        Hosted = Create<TPanel>(Form);
        Hosted->SetParent(Form);
        Hosted->SetBounds(0, 0, 100, 100);
        Edit->SetControl(Hosted);
        Edit->DropDownFooter()->SetVisible(false);
        Pump();
        Edit->SetFocus();
        Pump();
        return Edit;
    }

    TPoint ButtonCentre(TKelDropDown* Edit) {
        TDropDownEditButton* Button = Edit->Button();
        return Button->ClientToScreen({Button->Width() / 2, Button->Height() / 2});
    }

    TForm* Form = nullptr;
    TPanel* Hosted = nullptr;
};

} // namespace

TEST_F(Popup, OpensUnderTheEditSizedByHeaderBorderAndControl) {
    TKelDropDown* Edit = NewDropDown();
    Edit->ShowDropDown();
    Pump();
    TDropDownForm* Pop = Edit->DropDownForm();
    ASSERT_TRUE(Edit->DroppedDown());
    EXPECT_TRUE(IsWindowVisible(Pop->Handle()));
    EXPECT_EQ(Pop->Height(), 124); // 22 header + 2 x 1 border + 100 control
    const TPoint Anchor = Form->ClientToScreen({20, 20});
    EXPECT_EQ(Pop->Left(), Anchor.X);
    EXPECT_EQ(Pop->Top(), Anchor.Y + 21 - 1);
    EXPECT_EQ(Pop->Width(), 200 - GetSystemMetrics(SM_CXVSCROLL));
    EXPECT_EQ(GetParent(Pop->Handle()), Form->Handle()); // owned by the edit's form
    EXPECT_TRUE(GetWindowLong(Pop->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(Hosted->Parent(), Pop);
}

TEST_F(Popup, KeepsTheMinimumSize) {
    TKelDropDown* Edit = NewDropDown();
    Edit->SetDropDownWidth(30);
    Edit->SetDropDownHeight(20);
    Edit->ShowDropDown();
    Pump();
    EXPECT_EQ(Edit->DropDownForm()->Width(), 80);
    EXPECT_EQ(Edit->DropDownForm()->Height(), 50);
}

TEST_F(Popup, OpensUpwardsNearTheBottomAndStaysOnItsMonitor) {
    TKelDropDown* Edit = NewDropDown();
    Form->SetBounds(1800, 900, 400, 300); // past the right edge, near the bottom
    Pump();
    Edit->ShowDropDown();
    Pump();
    TDropDownForm* Pop = Edit->DropDownForm();
    const TPoint Anchor = Form->ClientToScreen({20, 20});
    EXPECT_EQ(Pop->Top() + Pop->Height(), Anchor.Y); // its bottom at the edit's top
    EXPECT_EQ(Pop->Left() + Pop->Width(), 1920);     // kept inside the right edge
    Edit->HideDropDown(false);
    Pump();

    Form->SetBounds(-1310, 100, 400, 300); // the edit on the left monitor, past its left edge
    Pump();
    Edit->ShowDropDown();
    Pump();
    EXPECT_EQ(Pop->Left(), -1280);
}

TEST_F(Popup, UserSizeIsRememberedRescaledAndForgotten) {
    TKelDropDown* Edit = NewDropDown();
    Edit->ShowDropDown();
    Pump();
    TDropDownForm* Pop = Edit->DropDownForm();
    Pop->SetBounds(Pop->Left(), Pop->Top(), 250, 180);
    Edit->HideDropDown(false);
    Pump();
    Edit->ShowDropDown();
    Pump();
    EXPECT_EQ(Pop->Width(), 250);
    EXPECT_EQ(Pop->Height(), 180);
    Edit->HideDropDown(false);
    Edit->SetDropDownHeight(90);
    Edit->ShowDropDown();
    Pump();
    EXPECT_EQ(Pop->Height(), 90);
}

TEST_F(Popup, EnterKeepsTheValueAndEscapeRestoresIt) {
    TKelDropDown* Edit = NewDropDown();
    Edit->SetText(u"old");
    bool Cancelled = false;
    int Ups = 0;
    Edit->OnDropUp = [&](TObject*, bool C) {
        Cancelled = C;
        ++Ups;
    };
    Edit->ShowDropDown();
    Pump();
    Edit->SetText(u"new");
    Key(VK_RETURN); // in the hosted control
    EXPECT_FALSE(Edit->DroppedDown());
    EXPECT_EQ(Edit->Text(), u"new");
    EXPECT_FALSE(Cancelled);
    Edit->ShowDropDown();
    Pump();
    Edit->SetTextUnformatted(u"other"); // as typing would
    Key(VK_ESCAPE);
    EXPECT_FALSE(Edit->DroppedDown());
    EXPECT_EQ(Edit->Text(), u"new");
    EXPECT_TRUE(Cancelled);
    EXPECT_EQ(Ups, 2);
    EXPECT_TRUE(Edit->Focused());
}

TEST_F(Popup, KeysOfTheHostedControlToggleThePopup) {
    TKelDropDown* Edit = NewDropDown();
    Key(VK_F4);
    EXPECT_TRUE(Edit->DroppedDown());
    Key(VK_F4);
    EXPECT_FALSE(Edit->DroppedDown());
    Backend->PressKey(VK_MENU);
    Backend->TypeKey(VK_DOWN);
    Backend->ReleaseKey(VK_MENU);
    Pump();
    EXPECT_TRUE(Edit->DroppedDown());
    Backend->PressKey(VK_MENU);
    Backend->TypeKey(VK_UP);
    Backend->ReleaseKey(VK_MENU);
    Pump();
    EXPECT_FALSE(Edit->DroppedDown());
}

TEST_F(Popup, ButtonClickOfAnOpenPopupClosesItAndReopensOnlyAfter250ms) {
    TKelDropDown* Edit = NewDropDown();
    Edit->SetText(u"kept");
    ClickAt(ButtonCentre(Edit));
    ASSERT_TRUE(Edit->DroppedDown());
    Edit->SetTextUnformatted(u"typed");
    ClickAt(ButtonCentre(Edit));
    EXPECT_FALSE(Edit->DroppedDown());
    EXPECT_EQ(Edit->Text(), u"kept"); // closed with cancel
    Advance(100);
    ClickAt(ButtonCentre(Edit));
    EXPECT_FALSE(Edit->DroppedDown());
    Advance(200);
    ClickAt(ButtonCentre(Edit));
    EXPECT_TRUE(Edit->DroppedDown());
}

TEST_F(Popup, RightButtonReleaseOnTheButtonDoesNotOpen) {
    TKelDropDown* Edit = NewDropDown();
    ClickAt(ButtonCentre(Edit), mbRight);
    EXPECT_FALSE(Edit->DroppedDown());
}

TEST_F(Popup, RefusingOnDropDownKeepsItClosedAndTheNextOpeningWorks) {
    TKelDropDown* Edit = NewDropDown();
    bool Accept = false;
    Edit->OnDropDown = [&](TObject*, bool& A) { A = Accept; };
    Edit->ShowDropDown();
    Pump();
    EXPECT_FALSE(Edit->DroppedDown());
    EXPECT_FALSE(Edit->DropDownForm()->Visible());
    Accept = true;
    Edit->ShowDropDown();
    Pump();
    EXPECT_TRUE(Edit->DroppedDown());
}

TEST_F(Popup, ClickOnAnotherControlClosesAndReachesIt) {
    TKelDropDown* Edit = NewDropDown();
    auto* Other = Create<TEdit>(Form);
    Other->SetParent(Form);
    Other->SetBounds(20, 250, 100, 21);
    Pump();
    Edit->ShowDropDown();
    Pump();
    ASSERT_TRUE(Edit->DroppedDown());
    ClickAt(Other->ClientToScreen({10, 5}));
    EXPECT_FALSE(Edit->DroppedDown());
    EXPECT_TRUE(Other->Focused());
}

TEST_F(Popup, BlockActivateKeepsItOpenOverADeactivation) {
    TKelDropDown* Edit = NewDropDown();
    Edit->ShowDropDown();
    Pump();
    Edit->DropDownForm()->SetBlockActivate(true);
    SetActiveWindow(Form->Handle());
    Pump();
    EXPECT_TRUE(Edit->DroppedDown());
    Edit->DropDownForm()->SetBlockActivate(false);
}

TEST_F(Popup, NestedPopupKeepsItOpenAndItOpensAgainAfterEnter) {
    TKelDropDown* Edit = NewDropDown();
    Edit->ShowDropDown();
    Pump();
    TDropDownForm* Pop = Edit->DropDownForm();
    // A window of the hosted control's own, owned by the pop-up.
    auto* Nested = Create<TForm>(nullptr);
    Nested->SetPopupMode(pmExplicit);
    Nested->SetPopupParent(Pop);
    Nested->SetBounds(300, 300, 100, 100);
    Nested->Show();
    Pump();
    EXPECT_TRUE(Edit->DroppedDown());
    EXPECT_TRUE(Pop->IsDeactivating());
    Free(Nested);
    Pump();
    SetActiveWindow(Pop->Handle());
    Pump();
    Key(VK_RETURN);
    EXPECT_FALSE(Edit->DroppedDown());
    Edit->ShowDropDown();
    Pump();
    EXPECT_TRUE(Edit->DroppedDown());
}

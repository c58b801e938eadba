// The spin button pair on a headless form: layout, keys, focus mark,
// auto-repeat on the manual clock and the coloured look.

#include "gridbase/SpinButton.h"

#include "graphics/Graphic.h"
#include "vcl/Forms.h"
#include "vcl/StdCtrls.h"
#include "windowing/HeadlessBackend.h"
#include "windowing/Input.h"
#include "windowing/Timers.h"

#include <gtest/gtest.h>

namespace {

class SpinButtonTest : public ::testing::Test {
protected:
    void SetUp() override {
        Clock = std::make_shared<TManualClock>();
        SetWindowClock(Clock);
        Backend = &UseHeadlessBackend();
        Free(Application);
        Application = Create<TApplication>(nullptr);
        Form = Create<TForm>(nullptr);
        Form->SetBounds(100, 100, 300, 200);
        Spin = new TVazSpinButton(Form);
        Spin->SetParent(Form);
        Spin->SetBounds(10, 10, 15, 25);
        Spin->OnUpClick = [this](TObject*) { ++Ups; };
        Spin->OnDownClick = [this](TObject*) { ++Downs; };
        Form->Show();
        Application->ProcessMessages();
    }
    void TearDown() override {
        Free(Form);
        Free(Application);
        Application = Create<TApplication>(nullptr);
        SetWindowClock(nullptr);
    }
    void Advance(UInt64 Milliseconds) {
        Clock->Advance(Milliseconds);
        Application->ProcessMessages();
    }
    TPoint Centre(TControl* C) { return C->ClientToScreen({C->Width() / 2, C->Height() / 2}); }

    std::shared_ptr<TManualClock> Clock;
    THeadlessBackend* Backend = nullptr;
    TForm* Form = nullptr;
    TVazSpinButton* Spin = nullptr;
    Integer Ups = 0, Downs = 0;
};

TEST_F(SpinButtonTest, ButtonsShareThePairByDirection) {
    EXPECT_EQ(Spin->UpButton()->BoundsRect(), (TRect{0, 0, 15, 12}));
    EXPECT_EQ(Spin->DownButton()->BoundsRect(), (TRect{0, 11, 15, 25}));
    Spin->SetBounds(10, 10, 5, 25); // never narrower than 15
    EXPECT_EQ(Spin->Width(), 15);
    Spin->SetDirection(spHorizontal);
    EXPECT_EQ(Spin->Width(), 20);
    EXPECT_EQ(Spin->DownButton()->BoundsRect(), (TRect{0, 0, 10, 25}));
    EXPECT_EQ(Spin->UpButton()->BoundsRect(), (TRect{11, 0, 21, 25}));
    EXPECT_EQ(Spin->UpButton()->ButtonDirection(), bdRight);
    EXPECT_EQ(Spin->DownButton()->ButtonDirection(), bdLeft);
    Spin->SetDirection(spVertical);
    EXPECT_EQ(Spin->Width(), 15);
    EXPECT_EQ(Spin->UpButton()->ButtonDirection(), bdUp);
}

TEST_F(SpinButtonTest, HoldingRepeatsAfter400ThenEvery100) {
    const TPoint At = Centre(Spin->UpButton());
    Backend->MoveMouse(At.X, At.Y);
    Backend->PressButton();
    Application->ProcessMessages();
    Advance(399);
    EXPECT_EQ(Ups, 0);
    Advance(1);
    EXPECT_EQ(Ups, 1);
    Advance(100);
    EXPECT_EQ(Ups, 2);
    Advance(100);
    EXPECT_EQ(Ups, 3);
    Backend->ReleaseButton();
    Application->ProcessMessages();
    const Integer AfterRelease = Ups; // the release over the button clicks once more
    EXPECT_EQ(AfterRelease, 4);
    Advance(500);
    EXPECT_EQ(Ups, AfterRelease);
    EXPECT_EQ(Downs, 0);
}

TEST_F(SpinButtonTest, KeysClickTheMarkedButton) {
    Spin->SetTabStop(true);
    Spin->SetFocus();
    Application->ProcessMessages();
    EXPECT_TRUE(Spin->UpButton()->TimeBtnState().Contains(tbFocusRect));
    Backend->TypeKey(winapi::VK_SPACE);
    Application->ProcessMessages();
    EXPECT_EQ(Ups, 1);
    Backend->TypeKey(winapi::VK_DOWN);
    Application->ProcessMessages();
    EXPECT_EQ(Downs, 1);
    EXPECT_EQ(Spin->FocusedButton(), Spin->DownButton());
    Backend->TypeKey(winapi::VK_SPACE); // the mark moved with the arrow key
    Application->ProcessMessages();
    EXPECT_EQ(Downs, 2);
    EXPECT_FALSE(Spin->UpButton()->TimeBtnState().Contains(tbFocusRect));
}

TEST_F(SpinButtonTest, PressFocusesTheFocusControl) {
    auto* Edit = new TEdit(Form);
    Edit->SetParent(Form);
    Edit->SetBounds(40, 10, 80, 21);
    Spin->SetFocusControl(Edit);
    const TPoint At = Centre(Spin->DownButton());
    Backend->Click(At.X, At.Y);
    Application->ProcessMessages();
    EXPECT_TRUE(Edit->Focused());
    EXPECT_EQ(Downs, 1);
    Free(Edit);
    EXPECT_EQ(Spin->FocusControl(), nullptr);
}

TEST_F(SpinButtonTest, ColouredButtonsDrawABlackArrow) {
    Spin->SetButtonColor(clYellow);
    Spin->SetButtonTextColor(clRed); // kept, not painted
    TBitmap Shot;
    Shot.SetSize(15, 25);
    Spin->PaintTo(Shot.Canvas()->Handle(), 0, 0);
    EXPECT_EQ(ColorToRGB(Shot.Canvas()->Pixels(2, 8)), clYellow);
    EXPECT_EQ(ColorToRGB(Shot.Canvas()->Pixels(6, 3)), clBlack); // the up arrow's tip area
}

} // namespace

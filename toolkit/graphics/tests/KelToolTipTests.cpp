// The tool tip: its size from the text, its place next to the control, the
// control's border colour while shown, and its painting.

#include "ThemeTestSupport.h"
#include "kel/KelToolTip.h"
#include "rtl/ClassBuilder.h"
#include "vcl/Forms.h"
#include "windowing/Paint.h"

#include <gtest/gtest.h>

namespace {

// A control publishing a border colour, as the pickers do.
class TBorderedControl : public TCustomControl {
    RTL_CLASS(TBorderedControl)
public:
    explicit TBorderedControl(TComponent* AOwner) : TCustomControl(AOwner) {}
    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor Value) {
        FBorderColor = Value;
        ++Changes;
    }
    TColor FBorderColor = 0x808080;
    Integer Changes = 0;
};

} // namespace

const TClassInfo& TBorderedControl::StaticClassInfo() {
    static const TClassInfo Info =
        TClassBuilder<TBorderedControl, TCustomControl>()
            .Property(u"BorderColor", TypeInfo_TColor(), &TBorderedControl::BorderColor, &TBorderedControl::SetBorderColor)
            .Build();
    return Info;
}

namespace {

class KelToolTip : public ::testing::Test {
protected:
    void SetUp() override {
        UseHeadlessWindowSystem();
        Form = Create<TForm>(nullptr);
        Form->SetBounds(100, 100, 400, 300);
        Control = Create<TBorderedControl>(Form);
        Control->SetParent(Form);
        Control->SetBounds(50, 60, 100, 24);
        Settings = Create<TKelToolTip>(Form);
        Settings->Font()->SetName(u"DejaVu Sans");
        Window = Create<TKelToolTipWindow>(Form);
    }
    void TearDown() override { Free(Form); }

    TForm* Form = nullptr;
    TBorderedControl* Control = nullptr;
    TKelToolTip* Settings = nullptr;
    TKelToolTipWindow* Window = nullptr;
};

TEST_F(KelToolTip, SizesToTheTextAndTheShape) {
    Window->SetText(u"");
    Window->Show(Control, Settings);
    // A balloon pointing right is 8 wider for its arrow, and at least as wide as high.
    const Integer RightWidth = Window->Width();
    const Integer Height = Window->Height();
    EXPECT_GE(RightWidth - 8, Height);

    Settings->SetPosition(ttBottomCenter);
    Window->UpdateSize();
    EXPECT_EQ(Window->Height(), Height + 8);
    Settings->SetShape(tsRectangle);
    Window->UpdateSize();
    EXPECT_EQ(Window->Height(), Height);

    Window->SetText(u"A long validation message that does not fit in one line of a hundred pixels");
    const Integer OneLine = Window->Height();
    Settings->SetMaxWidth(100);
    Settings->SetMargin(3);
    Window->UpdateSize();
    EXPECT_GT(Window->Height(), OneLine);
    EXPECT_LE(Window->Width(), 100 + 4 + 2 * 3 + 1);
}

TEST_F(KelToolTip, IsPlacedNextToTheControl) {
    Settings->SetPosition(ttBottomCenter);
    Window->Show(Control, Settings);
    EXPECT_EQ(Window->Left(), 50 + (100 - Window->Width()) / 2);
    EXPECT_EQ(Window->Top(), 60 + 24);

    Settings->SetPosition(ttCustom);
    Settings->SetX(10);
    Settings->SetY(5);
    Window->UpdatePosition();
    EXPECT_EQ(Window->Left(), 60);
    EXPECT_EQ(Window->Top(), 65);

    Settings->SetPosition(ttTopLeft);
    Window->UpdatePosition();
    EXPECT_EQ(Window->Top(), 60 - Window->Height());
    EXPECT_EQ(Window->Parent(), Form);
}

TEST_F(KelToolTip, ControlBorderTakesTheTipColourOnceAndGetsItBackAtTheEnd) {
    Settings->SetBorderColor(0x0000FF);
    Window->Show(Control, Settings);
    EXPECT_TRUE(Window->Visible());
    EXPECT_EQ(Control->BorderColor(), 0x0000FF);
    Window->SetVisible(false);
    Settings->SetBorderColor(0x00FF00);
    Window->Show(Control, Settings);
    EXPECT_EQ(Control->BorderColor(), 0x0000FF);
    EXPECT_EQ(Control->Changes, 1);
    Free(Window);
    EXPECT_EQ(Control->BorderColor(), 0x808080);
}

TEST_F(KelToolTip, ShowsThePaintedBalloonOnTheForm) {
    Settings->SetColor(0x0000FF);
    Settings->SetBorderColor(0x0000FF);
    Window->SetText(u"Wrong date");
    Form->Show();
    Window->Show(Control, Settings);
    Application->ProcessMessages();
    // The body is red; the text is white.
    const winapi::HWND Tip = Window->Handle();
    EXPECT_EQ(WindowPixel(Tip, Window->Width() / 2, 3), 0x0000FF);
    bool White = false;
    for (Integer Px = 10; Px < Window->Width() - 2; ++Px)
        for (Integer Py = 2; Py < Window->Height() - 2; ++Py)
            White = White || WindowPixel(Tip, Px, Py) == 0xFFFFFF;
    EXPECT_TRUE(White);
    EXPECT_EQ(Settings->Version(), u"1.0.0.3");
}

TEST_F(KelToolTip, ForgetsAControlFreedBeforeIt) {
    Window->Show(Control, Settings);
    Free(Control);
    EXPECT_EQ(Window->Control(), nullptr);
    Free(Window); // nothing to restore
}

} // namespace

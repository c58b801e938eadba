// The owner-drawn check box by mouse and keys, and the drag arrow window,
// on a headless form.

#include "gridbase/KelCheckBox.h"

#include "graphics/GdiObjects.h"
#include "vcl/Forms.h"
#include "windowing/HeadlessBackend.h"
#include "windowing/Input.h"
#include "windowing/Window.h"

#include <gtest/gtest.h>

namespace {

class KelCheckBoxTest : public ::testing::Test {
protected:
    void SetUp() override {
        Backend = &UseHeadlessBackend();
        Free(Application);
        Application = Create<TApplication>(nullptr);
        Form = Create<TForm>(nullptr);
        Form->SetBounds(100, 100, 300, 200);
        Box = new TKelCheckBox(Form);
        Box->SetParent(Form);
        Box->SetBounds(10, 10, 120, 20);
        Box->OnClick = [this](TObject*) { ++Clicks; };
        Form->Show();
        Box->SetFocus();
        Application->ProcessMessages();
    }
    void TearDown() override {
        Free(Form);
        Free(Application);
        Application = Create<TApplication>(nullptr);
    }
    void ClickBox() {
        const TPoint At = Box->ClientToScreen({5, 8});
        Backend->Click(At.X, At.Y);
        Application->ProcessMessages();
    }
    void Space() {
        Backend->TypeKey(winapi::VK_SPACE);
        Application->ProcessMessages();
    }

    THeadlessBackend* Backend = nullptr;
    TForm* Form = nullptr;
    TKelCheckBox* Box = nullptr;
    Integer Clicks = 0;
};

TEST_F(KelCheckBoxTest, StartsUncheckedWithItsClassNameAndSize) {
    EXPECT_EQ(Box->Caption(), u"TKelCheckBox");
    TKelCheckBox Fresh(nullptr);
    EXPECT_EQ(Fresh.Width(), 98);
    EXPECT_EQ(Fresh.Height(), 20);
    EXPECT_FALSE(Box->Checked());
    EXPECT_EQ(Box->State(), cbUnchecked);
}

TEST_F(KelCheckBoxTest, ClicksAndSpaceToggleAndFireOnce) {
    ClickBox();
    EXPECT_TRUE(Box->Checked());
    EXPECT_EQ(Clicks, 1);
    EXPECT_FALSE(Box->Down());
    Space();
    EXPECT_FALSE(Box->Checked());
    EXPECT_EQ(Clicks, 2);
}

TEST_F(KelCheckBoxTest, ReadOnlyKeepsTheStateButStillClicks) {
    Box->SetReadOnly(true);
    ClickBox();
    Space();
    EXPECT_FALSE(Box->Checked());
    EXPECT_EQ(Clicks, 2);
    Box->SetState(cbGrayed); // the program may still set it
    EXPECT_FALSE(Box->Checked());
    EXPECT_EQ(Box->State(), cbGrayed);
}

TEST_F(KelCheckBoxTest, BoxPlacementFollowsAlignment) {
    const struct {
        TAlignment Alignment;
        TTextLayout Layout;
        TRect Expected;
    } Cases[] = {
        {taLeftJustify, tlTop, {0, 4, 13, 17}},
        {taRightJustify, tlCenter, {106, 4, 119, 17}},
        {taLeftJustify, tlBottom, {0, 7, 13, 20}},
    };
    for (const auto& C : Cases) {
        Box->SetAlignment(C.Alignment);
        Box->SetButtonVertAlign(C.Layout);
        EXPECT_EQ(Box->BoxRect(), C.Expected) << C.Alignment << "," << C.Layout;
    }
}

TEST_F(KelCheckBoxTest, ArrowWindowIsAGreenHiddenShapedPopup) {
    auto* Arrow = new TArrowWindow(Form, arrRight);
    EXPECT_EQ(Arrow->Dir(), arrRight);
    EXPECT_EQ(Arrow->Color(), 0x00FF00);
    EXPECT_FALSE(Arrow->Visible());
    EXPECT_EQ(Arrow->Arrow()[0], (TPoint{0, 5}));
    EXPECT_EQ(Arrow->Arrow()[3], (TPoint{8, 7}));
    const auto Style = winapi::GetWindowLongPtr(Arrow->Handle(), winapi::GWL_STYLE);
    EXPECT_TRUE(Style & winapi::WS_POPUP);
    EXPECT_FALSE(Style & winapi::WS_CHILD);
    winapi::HRGN Region = winapi::CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(winapi::GetWindowRgn(Arrow->Handle(), Region), 0);
    EXPECT_TRUE(winapi::PtInRegion(Region, 6, 5));  // the shaft
    EXPECT_FALSE(winapi::PtInRegion(Region, 1, 1)); // beside the tip
    winapi::DeleteObject(Region);
}

} // namespace

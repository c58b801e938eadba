// The grid button on a headless form: down and group rules, the drop-down
// part, colour schemes, the grey glyph, the action link, and buttons of
// other kinds sharing a group index on one parent.

#include "gridbase/KelGridButton.h"

#include "vcl/ActnList.h"
#include "vcl/Forms.h"
#include "windowing/HeadlessBackend.h"

#include <gtest/gtest.h>

namespace {

class KelGridButtonTest : public ::testing::Test {
protected:
    void SetUp() override {
        Backend = &UseHeadlessBackend();
        Free(Application);
        Application = Create<TApplication>(nullptr);
        Form = Create<TForm>(nullptr);
        Form->SetBounds(100, 100, 300, 200);
        A = MakeButton(10);
        B = MakeButton(40);
        Form->Show();
        Application->ProcessMessages();
    }
    void TearDown() override {
        Free(Form);
        Free(Application);
        Application = Create<TApplication>(nullptr);
    }
    TKelGridButton* MakeButton(Integer X) {
        auto* Button = new TKelGridButton(Form);
        Button->SetParent(Form);
        Button->SetLeft(X);
        Button->SetTop(10);
        Button->OnClick = [this](TObject*) { ++Clicks; };
        return Button;
    }
    void ClickAt(TControl* C, Integer X, Integer Y) {
        const TPoint P = C->ClientToScreen({X, Y});
        Backend->Click(P.X, P.Y);
        Application->ProcessMessages();
    }
    void ClickCentre(TControl* C) { ClickAt(C, C->Width() / 2, C->Height() / 2); }

    THeadlessBackend* Backend = nullptr;
    TForm* Form = nullptr;
    TKelGridButton* A = nullptr;
    TKelGridButton* B = nullptr;
    Integer Clicks = 0;
};

TEST_F(KelGridButtonTest, DefaultsAndPlainRules) {
    EXPECT_EQ(A->Width(), 22);
    EXPECT_EQ(A->Height(), 23);
    EXPECT_EQ(A->Color(), clBtnFace);
    EXPECT_EQ(A->ColorHot(), 0xCAC7C7);
    EXPECT_TRUE(A->Flat());
    A->SetMargin(-2);
    EXPECT_EQ(A->Margin(), -1);
    A->SetMargin(3);
    EXPECT_EQ(A->Margin(), 3);
    // A push button without a group never stays down.
    A->SetDown(true);
    EXPECT_FALSE(A->Down());
    ClickCentre(A);
    EXPECT_EQ(Clicks, 1);
    EXPECT_FALSE(A->Down());
    // A check button toggles.
    A->SetStyle(tasCheck);
    ClickCentre(A);
    EXPECT_TRUE(A->Down());
    ClickCentre(A);
    EXPECT_FALSE(A->Down());
}

TEST_F(KelGridButtonTest, GroupKeepsOneDown) {
    A->SetGroupIndex(1);
    B->SetGroupIndex(1);
    ClickCentre(A);
    EXPECT_TRUE(A->Down());
    ClickCentre(B);
    EXPECT_TRUE(B->Down());
    EXPECT_FALSE(A->Down());
    ClickCentre(B); // without AllowAllUp it stays down
    EXPECT_TRUE(B->Down());
    B->SetAllowAllUp(true);
    EXPECT_TRUE(A->AllowAllUp()); // shared through the group
    ClickCentre(B);
    EXPECT_FALSE(B->Down());
}

// The group message names its sender as an object; a speed button and a
// grid button in the same group index on one parent leave each other alone.
TEST_F(KelGridButtonTest, OtherButtonKindsIgnoreTheGroupMessage) {
    auto* Speed = new TSpeedButton(Form);
    Speed->SetParent(Form);
    Speed->SetBounds(80, 10, 22, 22);
    Speed->SetGroupIndex(1);
    Speed->SetDown(true);
    A->SetGroupIndex(1);
    A->SetDown(true);
    EXPECT_TRUE(Speed->Down());
    EXPECT_TRUE(A->Down());
    auto* Speed2 = new TSpeedButton(Form);
    Speed2->SetParent(Form);
    Speed2->SetBounds(110, 10, 22, 22);
    Speed2->SetGroupIndex(1);
    Speed2->SetDown(true);
    EXPECT_FALSE(Speed->Down()); // its own kind still takes part
    EXPECT_TRUE(A->Down());
}

TEST_F(KelGridButtonTest, DropDownPartFiresWithoutPressing) {
    Integer DropDowns = 0;
    B->SetLeft(100);
    A->SetWidth(40);
    A->SetDropDownButton(true);
    A->OnDropDown = [&](TObject*) { ++DropDowns; };
    ClickAt(A, 35, 10);
    EXPECT_EQ(DropDowns, 1);
    EXPECT_EQ(Clicks, 0);
    EXPECT_EQ(A->State(), bsUp);
    ClickAt(A, 10, 10);
    EXPECT_EQ(DropDowns, 1);
    EXPECT_EQ(Clicks, 1);
}

TEST_F(KelGridButtonTest, LooksAndThemeAdaptation) {
    A->SetLook(3);
    EXPECT_EQ(A->Color(), 0xCFF0EA);
    EXPECT_EQ(A->ColorTo(), 0x8CC0B1);
    EXPECT_EQ(A->ColorCheckedTo(), 0x55ADFF);
    EXPECT_EQ(A->BorderDownColor(), 0x000000);
    EXPECT_FALSE(A->Rounded());
    A->SetLook(0);
    EXPECT_TRUE(A->Rounded());
    EXPECT_EQ(A->BorderColor(), clNone);
    A->SetLook(7);
    EXPECT_EQ(A->Look(), 0);
    A->SetAutoThemeAdapt(true); // no theme here: look 1
    EXPECT_EQ(A->Look(), 1);
    EXPECT_EQ(A->BorderHotColor(), 0xC56A31);
}

TEST_F(KelGridButtonTest, DisabledGlyphIsGrey) {
    auto* G = Create<TBitmap>();
    G->SetSize(2, 2);
    G->Canvas()->Brush()->SetColor(clWhite);
    G->Canvas()->FillRect({0, 0, 2, 2}); // the bottom-left white is transparent
    G->Canvas()->SetPixels(0, 0, 0x5A3C1E); // R 30, G 60, B 90
    A->SetGlyph(G);
    Free(G);
    EXPECT_EQ(A->GlyphDisabled()->Canvas()->Pixels(0, 0), 0x7E7E7E); // 60 div 2 + 96 = 126
    EXPECT_EQ(A->GlyphDisabled()->Canvas()->Pixels(1, 0), 0xDFDFDF); // 255 div 2 + 96 = 223
    A->GenerateShade();
    EXPECT_EQ(A->GlyphShade()->Canvas()->Pixels(0, 0), 0x808080);
    EXPECT_EQ(A->GlyphShade()->Canvas()->Pixels(1, 0), clBlack); // where the glyph is transparent
    A->SetEnabled(false);
    A->Repaint();
    Application->ProcessMessages();
}

TEST_F(KelGridButtonTest, ActionCheckedFollowsIntoDown) {
    auto* Action = Create<TAction>(Form);
    Action->SetGroupIndex(0);
    A->SetGroupIndex(2);
    A->SetAllowAllUp(true);
    A->SetAction(Action);
    Action->SetChecked(true);
    EXPECT_TRUE(A->Down());
    Action->SetChecked(false);
    EXPECT_FALSE(A->Down());
}

} // namespace

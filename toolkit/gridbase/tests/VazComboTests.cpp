// The flat combo box on a headless form: button width limits, the border
// decision table, label placement, focus colours and the flat look.

#include "gridbase/VazCombo.h"

#include "graphics/Graphic.h"
#include "vcl/Forms.h"
#include "windowing/HeadlessBackend.h"
#include "graphics/GdiDraw.h"
#include "windowing/Messages.h"
#include "windowing/Paint.h"

#include <gtest/gtest.h>

namespace {

class TTestCombo : public TVazComboBox {
public:
    using TVazComboBox::TVazComboBox;
    using TVazComboBox::DrawBorders;
    using TVazComboBox::DrawButton;
    using TVazComboBox::MouseEnter;
    using TVazComboBox::MouseLeave;
};

constexpr TColor Sentinel = 0x123456;

class VazComboTest : public ::testing::Test {
protected:
    void SetUp() override {
        UseHeadlessBackend();
        Free(Application);
        Application = Create<TApplication>(nullptr);
        Form = Create<TForm>(nullptr);
        Form->SetBounds(100, 100, 400, 300);
        Form->SetColor(clBtnFace);
        Combo = new TTestCombo(Form);
        Combo->SetParent(Form);
        Combo->SetBounds(120, 100, 150, 24);
        Combo->Items()->Add(u"one");
        Combo->Items()->Add(u"two");
        Other = new TEdit(Form);
        Other->SetParent(Form);
        Other->SetBounds(10, 200, 80, 24);
        Form->Show();
        Application->ProcessMessages();
        Focus(Other);
    }
    void TearDown() override {
        Free(Form);
        Free(Application);
        Application = Create<TApplication>(nullptr);
    }
    void Focus(TWinControl* C) {
        C->SetFocus();
        Application->ProcessMessages();
    }
    // The colour DrawBorders gives the outer ring (Sentinel: untouched).
    TColor OuterFrame() {
        auto* B = Create<TBitmap>();
        B->SetSize(Combo->Width(), Combo->Height());
        B->Canvas()->Brush()->SetColor(Sentinel);
        B->Canvas()->FillRect({0, 0, Combo->Width(), Combo->Height()});
        Combo->DrawBorders(B->Canvas());
        TColor Result = B->Canvas()->Pixels(0, Combo->Height() / 2);
        Free(B);
        return Result;
    }

    TForm* Form = nullptr;
    TTestCombo* Combo = nullptr;
    TEdit* Other = nullptr;
};

TEST_F(VazComboTest, ButtonWidthOnlyAbove13UpTo32) {
    EXPECT_EQ(Combo->ButtonWidth(), 19); // the vertical scroll bar's width + 2
    struct Case {
        Integer Value;
        Integer Expected;
    } Cases[] = {{13, 19}, {14, 14}, {33, 14}, {32, 32}, {0, 32}};
    for (const Case& C : Cases) {
        Combo->SetButtonWidth(C.Value);
        EXPECT_EQ(Combo->ButtonWidth(), C.Expected) << C.Value;
    }
}

TEST_F(VazComboTest, BorderDecisionTable) {
    struct Case {
        TColor Border, FocusBorder;
        bool Focused;
        bool Custom;
        TColor Frame;
    } Cases[] = {
        // neither colour, not flat: the platform frame stays
        {clNone, clNone, false, false, Sentinel},
        {clRed, clNone, false, true, clRed},
        {clRed, clBlue, false, true, clRed},
        {clRed, clBlue, true, true, clBlue},
        // only a focus border colour: nothing unfocused
        {clNone, clBlue, false, true, Sentinel},
        {clNone, clBlue, true, true, clBlue},
    };
    for (const Case& C : Cases) {
        Combo->SetBorderColor(C.Border);
        Combo->SetFocusBorderColor(C.FocusBorder);
        Focus(C.Focused ? static_cast<TWinControl*>(Combo) : Other);
        EXPECT_EQ(Combo->CustomDrawingNeeded(), C.Custom) << C.Border << " " << C.FocusBorder;
        if (C.Custom) {
            EXPECT_EQ(OuterFrame(), C.Frame) << C.Border << " " << C.FocusBorder << " " << C.Focused;
        }
    }
    // On Vista or later without a border colour the platform frame is kept.
    Combo->SetIsVista(true);
    Combo->SetBorderColor(clNone);
    EXPECT_FALSE(Combo->CustomDrawingNeeded());
    // A disabled control draws its own frame.
    Combo->SetIsVista(false);
    Combo->SetFocusBorderColor(clNone);
    Combo->SetEnabled(false);
    EXPECT_TRUE(Combo->CustomDrawingNeeded());
}

TEST_F(VazComboTest, FlatLookUntilMouseOrFocus) {
    Combo->SetFlat(true);
    EXPECT_FALSE(Combo->Ctl3D());
    EXPECT_EQ(Combo->Color(), clBtnFace); // the parent's colour
    EXPECT_FALSE(Combo->Button3DWanted());
    // The flat frame is the parent's colour, the button face flat.
    EXPECT_EQ(OuterFrame(), ColorToRGB(clBtnFace));
    Combo->MouseEnter();
    EXPECT_TRUE(Combo->MouseInControl());
    EXPECT_TRUE(Combo->Button3DWanted());
    EXPECT_FALSE(Combo->Border3DWanted()); // FocusBorder is off
    Combo->SetFocusBorder(true);
    EXPECT_TRUE(Combo->Border3DWanted());
    Combo->MouseLeave();
    EXPECT_FALSE(Combo->Button3DWanted());
    Focus(Combo);
    EXPECT_TRUE(Combo->Button3DWanted());
    Combo->SetFlat(false);
    EXPECT_TRUE(Combo->Ctl3D());
    EXPECT_EQ(Combo->Color(), clWindow); // the loaded colour
}

TEST_F(VazComboTest, ColouredButtonFaceIsPainted) {
    Combo->SetButtonColor(clRed);
    Combo->SetButtonTextColor(clBlue);
    Combo->Repaint();
    Application->ProcessMessages();
    winapi::HDC DC = winapi::GetDC(Combo->Handle());
    const Integer CW = Combo->ClientWidth();
    EXPECT_EQ(winapi::GetPixel(DC, CW - 3, 4), ColorToRGB(clRed));
    // The arrow's middle, 7 right and 8 down from the face's corner.
    EXPECT_EQ(winapi::GetPixel(DC, CW - 17 + 7, 1 + 1 + 8), ColorToRGB(clBlue));
    winapi::ReleaseDC(Combo->Handle(), DC);
}

TEST_F(VazComboTest, DisablingAFlatComboTakesTheParentColour) {
    Combo->SetFlatParentColor(false);
    Combo->SetFlat(true);
    Combo->SetColor(clYellow);
    Combo->SetEnabled(false);
    EXPECT_TRUE(Combo->ParentColor());
    EXPECT_EQ(Combo->Color(), clBtnFace);
    Combo->SetEnabled(true);
    EXPECT_FALSE(Combo->ParentColor());
    EXPECT_EQ(Combo->Color(), clYellow);
}

// A combo made at run time comes back to its own colour after a focus
// colour, and to a colour given while it was unfocused; never to black.
TEST_F(VazComboTest, FocusColourRestoresTheNormalColour) {
    Combo->SetFocusColor(clAqua);
    Focus(Combo);
    EXPECT_EQ(Combo->Color(), clAqua);
    Focus(Other);
    EXPECT_EQ(Combo->Color(), clWindow);
    Combo->WriteColor(clCream);
    Focus(Combo);
    EXPECT_EQ(Combo->Color(), clAqua);
    Focus(Other);
    EXPECT_EQ(Combo->Color(), clCream);
}

TEST_F(VazComboTest, LabelPlacementTable) {
    Combo->SetLabelCaption(u"&Crop");
    TLabel* L = Combo->ComboLabel();
    ASSERT_NE(L, nullptr);
    EXPECT_EQ(L->Parent(), Form);
    EXPECT_EQ(L->FocusControl(), Combo);
    EXPECT_EQ(Combo->LabelFont()->Height(), -11);
    const Integer LW = L->Width(), LH = L->Height();
    const Integer W = LW; // a one-line caption: its text width is the label's width
    const Integer X = 120, Y = 100, CW = 150, CH = 24, M = 4;
    struct Case {
        TLabelPosition Position;
        Integer Top, Left;
    } Cases[] = {
        {lpLeftTop, Y, X - W - M},
        {lpLeftCenter, Y + (CH - LH) / 2, X - W - M},
        {lpLeftBottom, Y + CH - LH, X - W - M},
        {lpTopLeft, Y - LH - M, X},
        {lpBottomLeft, Y + CH + M, X},
        {lpLeftTopLeft, Y, X - M},
        {lpLeftCenterLeft, Y + (CH - LH) / 2, X - M},
        {lpLeftBottomLeft, Y + CH - LH, X - M},
        {lpTopCenter, Y - LH - M, X + (CW - LW) / 2},
        {lpBottomCenter, Y + CH + M, X + (CW - LW) / 2},
        {lpRightTop, Y, X + CW + M},
        {lpRightCenter, Y + (CH - LH) / 2, X + CW + M},
        {lpRighBottom, Y + CH - LH, X + CW + M},
    };
    for (const Case& C : Cases) {
        Combo->SetLabelPosition(C.Position);
        EXPECT_EQ(L->Top(), C.Top) << Integer(C.Position);
        EXPECT_EQ(L->Left(), C.Left) << Integer(C.Position);
    }
    // Moving the combo moves the label; the label follows visibility and,
    // unless always enabled, the enabled state.
    Combo->SetLabelPosition(lpTopLeft);
    Combo->SetBounds(150, 120, CW, CH);
    EXPECT_EQ(L->Left(), 150);
    Combo->SetVisible(false);
    EXPECT_FALSE(L->Visible());
    Combo->SetVisible(true);
    Combo->SetEnabled(false);
    EXPECT_FALSE(L->Enabled());
    Combo->SetEnabled(true);
    Combo->SetLabelAlwaysEnabled(true);
    Combo->SetEnabled(false);
    EXPECT_TRUE(L->Enabled());
}

TEST_F(VazComboTest, FocusLabelTurnsBold) {
    Combo->SetLabelCaption(u"Unit");
    Combo->SetFocusLabel(true);
    Focus(Combo);
    EXPECT_TRUE(Combo->ComboLabel()->Font()->Style().Contains(fsBold));
    Focus(Other);
    EXPECT_FALSE(Combo->ComboLabel()->Font()->Style().Contains(fsBold));
}

TEST_F(VazComboTest, DropUpFiresWhenTheListCloses) {
    Integer DropUps = 0;
    Combo->OnDropUp = [&](TObject* Sender) {
        EXPECT_EQ(Sender, Combo);
        ++DropUps;
    };
    Combo->SetDroppedDown(true);
    Application->ProcessMessages();
    EXPECT_EQ(DropUps, 0);
    Combo->SetDroppedDown(false);
    Application->ProcessMessages();
    EXPECT_EQ(DropUps, 1);
}

TEST_F(VazComboTest, SelectItemByText) {
    Combo->SelectItem(u"two");
    EXPECT_EQ(Combo->ItemIndex(), 1);
    Combo->SelectItem(u"three");
    EXPECT_EQ(Combo->ItemIndex(), 1);
}

} // namespace

// The drop-down edit as a control: size, button, version, label places,
// empty text and borders.

#include "DropDownTestSupport.h"
#include "dropdown/KelDropDown.h"
#include "windowing/Paint.h"

using namespace winapi;
using namespace KelDropDown;

namespace {

class DropDownControl : public DropDownTest {
protected:
    TKelDropDown* NewEdit(TForm*& Form) {
        Form = NewForm();
        auto* Edit = Create<TKelDropDown>(Form);
        Edit->SetParent(Form);
        Edit->SetBounds(120, 100, 200, 21);
        Pump();
        return Edit;
    }
};

} // namespace

TEST_F(DropDownControl, NewControlHasItsSizeButtonAndVersion) {
    TForm* Form;
    TKelDropDown* Edit = NewEdit(Form);
    EXPECT_EQ(Edit->Width(), 200);
    EXPECT_EQ(Edit->Height(), 21);
    ASSERT_NE(Edit->Button(), nullptr);
    EXPECT_EQ(Edit->DropDownButtonWidth(), 17);
    EXPECT_EQ(Edit->Button()->Width(), 16);
    EXPECT_EQ(Edit->ClientWidth() - Edit->GetEditRect().Right, 19);
    // The button stands flush inside the right edge of the client area.
    EXPECT_EQ(Edit->Button()->Left() + Edit->Button()->Width(), Edit->ClientWidth());
    EXPECT_EQ(Edit->Version(), u"1.5.6.4");
    Edit->SetVersion(u"9.9.9.9");
    EXPECT_EQ(Edit->Version(), u"1.5.6.4");
    Edit->SetDropDownHeight(-5);
    EXPECT_EQ(Edit->DropDownHeight(), 0);
    Edit->SetDropDownButtonWidth(20);
    EXPECT_EQ(Edit->Button()->Width(), 20);
    Edit->Button()->SetWidth(40);
    EXPECT_EQ(Edit->Button()->Width(), 20);
}

TEST_F(DropDownControl, LabelTakesEachOfItsFifteenPlaces) {
    TForm* Form;
    TKelDropDown* Edit = NewEdit(Form);
    Edit->SetLabelCaption(u"Name");
    TLabel* Label = Edit->EditLabel();
    ASSERT_NE(Label, nullptr);
    const Integer Lw = Label->Width(), Lh = Label->Height();
    const Integer L = 120, T = 100, W = 200, H = 21, M = 4;
    const struct {
        TLabelPosition Position;
        Integer Left; // -1: L - measured width - M
        Integer Top;
    } Cases[] = {
        {lpLeftTop, -1, T},
        {lpLeftCenter, -1, T + (H - Lh) / 2},
        {lpLeftBottom, -1, T + H - Lh},
        {lpTopLeft, L, T - Lh - M},
        {lpBottomLeft, L, T + H + M},
        {lpLeftTopLeft, L - M, T},
        {lpLeftCenterLeft, L - M, T + (H - Lh) / 2},
        {lpLeftBottomLeft, L - M, T + H - Lh},
        {lpTopCenter, L + (W - Lw) / 2, T - Lh - M},
        {lpBottomCenter, L + (W - Lw) / 2, T + H + M},
        {lpRightTop, L + W + M, T},
        {lpRightCenter, L + W + M, T + (H - Lh) / 2},
        {lpRighBottom, L + W + M, T + H - Lh},
        {lpTopRight, L + W - Lw, T - Lh - M},
        {lpBottomRight, L + W - Lw, T + H + M},
    };
    for (const auto& Case : Cases) {
        Edit->SetLabelPosition(Case.Position);
        const Integer Left = Case.Left < 0 ? L - Lw - M : Case.Left;
        EXPECT_EQ(Label->Left(), Left) << Case.Position;
        EXPECT_EQ(Label->Top(), Case.Top) << Case.Position;
    }
    EXPECT_TRUE(Label->Visible());
    EXPECT_EQ(Label->FocusControl(), Edit);
}

TEST_F(DropDownControl, EmptyTextShowsGreyUntilFocused) {
    TForm* Form;
    TKelDropDown* Edit = NewEdit(Form);
    Edit->SetEmptyText(u"WWWW");
    Edit->Font()->SetColor(clBlack);
    Edit->Repaint();
    Pump();
    // The hint starts at (3, 2) of the client area, inside the 2-pixel edge.
    bool Grey = false;
    for (Integer X = 5; X < 25 && !Grey; ++X)
        for (Integer Y = 4; Y < 16 && !Grey; ++Y)
            Grey = WindowPixel(Edit->Handle(), X, Y) == 0x808080;
    EXPECT_TRUE(Grey);
    for (Integer X = 0; X < 5; ++X)
        EXPECT_NE(WindowPixel(Edit->Handle(), X, 8), 0x808080) << X;
    Edit->SetFocus();
    Pump();
    Edit->Repaint();
    Pump();
    bool StillGrey = false;
    for (Integer X = 5; X < 25; ++X)
        for (Integer Y = 4; Y < 16; ++Y)
            StillGrey = StillGrey || WindowPixel(Edit->Handle(), X, Y) == 0x808080;
    EXPECT_FALSE(StillGrey);
}

TEST_F(DropDownControl, BorderColourFramesTheWindowOnlyWhenSet) {
    TForm* Form;
    TKelDropDown* Edit = NewEdit(Form);
    Edit->Repaint();
    Pump();
    const TColor SystemEdge = WindowPixel(Edit->Handle(), 0, 10);
    EXPECT_NE(SystemEdge, clRed);
    Edit->SetBorderColor(clRed);
    Edit->Repaint();
    Pump();
    EXPECT_EQ(WindowPixel(Edit->Handle(), 0, 10), clRed);
    Edit->SetBorderColor(clNone);
    Edit->Repaint();
    Pump();
    EXPECT_EQ(WindowPixel(Edit->Handle(), 0, 10), SystemEdge);
}

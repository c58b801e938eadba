// Labels and panels: sizing to the text, the accelerator that focuses a
// control, transparency, and the panel's bevels and client room.

#include "VclTestSupport.h"
#include "vcl/ExtCtrls.h"
#include "vcl/StdCtrls.h"
#include "windowing/Input.h"
#include "windowing/Paint.h"

using namespace winapi;

namespace {

class LabelPanelTest : public VclTest {
protected:
    TForm* Form = nullptr;

    void SetUp() override {
        VclTest::SetUp();
        Form = NewForm();
    }
    // The painted colour at a client point of a control of the form.
    TColor Pixel(const TControl* Control, Integer X, Integer Y) {
        TRect Window;
        GetWindowRect(Form->Handle(), Window);
        TPoint P = Control->ClientToScreen({X, Y});
        return WindowPixel(Form->Handle(), P.X - Window.Left, P.Y - Window.Top);
    }
    TLabel* NewLabel(const String& Caption) {
        auto* Label = new TLabel(Form);
        Label->SetParent(Form);
        Label->SetBounds(100, 10, 65, 17);
        Label->SetCaption(Caption);
        return Label;
    }
};

} // namespace

TEST_F(LabelPanelTest, AutoSizeFitsTheTextWithoutItsAccelPrefix) {
    TLabel* Label = NewLabel(u"Substance");
    const Integer Width = Label->Width();
    EXPECT_GT(Width, 20);
    EXPECT_GT(Label->Height(), 8);
    Label->SetCaption(u"&Substance");
    EXPECT_EQ(Label->Width(), Width);
    Label->SetShowAccelChar(false);
    EXPECT_GT(Label->Width(), Width);

    // A right-aligned label grows to the left.
    Label->SetShowAccelChar(true);
    Label->SetAlignment(taRightJustify);
    const Integer Right = Label->Left() + Label->Width();
    Label->SetCaption(u"Substance and crop");
    EXPECT_EQ(Label->Left() + Label->Width(), Right);
    EXPECT_LT(Label->Left(), 100);

    // With word wrap the width stays and the lines stack up.
    const Integer LineHeight = Label->Height();
    Label->SetWordWrap(true);
    Label->SetWidth(Width);
    Label->SetCaption(u"Substance and crop and area");
    EXPECT_EQ(Label->Width(), Width);
    EXPECT_GE(Label->Height(), 3 * LineHeight);

    // Without AutoSize the bounds are the program's.
    Label->SetAutoSize(false);
    Label->SetBounds(0, 0, 10, 5);
    Label->SetCaption(u"x");
    EXPECT_EQ(Label->BoundsRect(), Bounds(0, 0, 10, 5));
}

TEST_F(LabelPanelTest, AccelCharFocusesTheLabelsControl) {
    auto* First = new TEdit(Form);
    First->SetParent(Form);
    auto* Second = new TEdit(Form);
    Second->SetParent(Form);
    Second->SetTop(40);
    auto* Ok = new TButton(Form);
    Ok->SetParent(Form);
    Ok->SetTop(80);
    TLabel* Label = NewLabel(u"&Name");
    Label->SetFocusControl(Second);
    Form->Show();
    Pump();

    struct TCase {
        const char* Name;
        TWinControl* Start;
        bool Alt;
        bool LabelEnabled;
        TWinControl* Want;
    };
    const TCase Cases[] = {
        {"alt+n from an edit", First, true, true, Second},
        {"n alone goes into the edit", First, false, true, First},
        {"n alone from a button", Ok, false, true, Second},
        {"disabled label", Ok, true, false, Ok},
    };
    for (const TCase& Case : Cases) {
        First->Clear();
        Label->SetEnabled(Case.LabelEnabled);
        Case.Start->SetFocus();
        Pump();
        if (Case.Alt) headless::PressKey(VK_MENU);
        headless::TypeKey('N');
        if (Case.Alt) headless::ReleaseKey(VK_MENU);
        Pump();
        EXPECT_EQ(Form->ActiveControl(), Case.Want) << Case.Name;
        EXPECT_EQ(First->Text(), Case.Want == First ? u"n" : u"") << Case.Name;
    }

    EXPECT_TRUE(IsAccel('n', u"&Name"));
    EXPECT_FALSE(IsAccel('N', u"Fish && chips"));
    EXPECT_TRUE(IsAccel('C', u"Fish && &chips"));

    Free(Second);
    EXPECT_EQ(Label->FocusControl(), nullptr);
}

TEST_F(LabelPanelTest, OpaqueLabelFillsItsRectangleATransparentOneLetsTheParentShow) {
    TLabel* Label = NewLabel(u"i");
    Label->SetAutoSize(false);
    Label->SetBounds(20, 20, 60, 20);
    Label->SetColor(clYellow);
    Form->Show();
    Pump();
    EXPECT_EQ(Pixel(Label, 50, 10), ColorToRGB(clYellow));
    Label->SetTransparent(true);
    Pump();
    EXPECT_EQ(Pixel(Label, 50, 10), ColorToRGB(Form->Color()));
}

TEST_F(LabelPanelTest, LayoutPlacesTheTextAtTheTopMiddleOrBottom) {
    TLabel* Label = NewLabel(u"H");
    Label->SetAutoSize(false);
    Label->SetBounds(20, 20, 40, 90);
    Form->Show();
    // Which thirds of the label show ink of its (black) text colour; the
    // glyphs' edges are smoothed, so ink is any dark pixel.
    auto Thirds = [&] {
        std::string Result;
        for (Integer Third = 0; Third < 3; ++Third) {
            bool Ink = false;
            for (Integer Y = Third * 30; Y < Third * 30 + 30 && !Ink; ++Y)
                for (Integer X = 0; X < 20 && !Ink; ++X) {
                    TColor P = Pixel(Label, X, Y);
                    Ink = GetRValue(P) < 100 && GetGValue(P) < 100 && GetBValue(P) < 100;
                }
            Result += Ink ? '#' : '.';
        }
        return Result;
    };
    const std::pair<TTextLayout, std::string> Cases[] = {
        {tlTop, "#.."}, {tlCenter, ".#."}, {tlBottom, "..#"}};
    for (const auto& [Layout, Want] : Cases) {
        Label->SetLayout(Layout);
        Pump();
        EXPECT_EQ(Thirds(), Want) << Layout;
    }
}

TEST_F(LabelPanelTest, PanelDrawsOuterBevelBorderAndInnerBevelAndAlignsChildrenInside) {
    auto* Panel = new TPanel(Form);
    Panel->SetParent(Form);
    Panel->SetBounds(10, 10, 100, 50);
    Panel->SetBevelOuter(bvRaised);
    Panel->SetBevelInner(bvLowered);
    Panel->SetBevelWidth(2);
    Panel->SetBorderWidth(1);
    auto* Child = new TPanel(Form);
    Child->SetParent(Panel);
    Child->SetAlign(alClient);
    Child->SetBevelOuter(bvNone);
    Child->SetColor(clWhite);
    Form->Show();
    Pump();

    struct TCase {
        Integer X, Y;
        TColor Want;
    };
    const TCase Cases[] = {
        {0, 0, clBtnHighlight},   {1, 20, clBtnHighlight}, // raised outer bevel, two pixels
        {99, 0, clBtnShadow},     {50, 48, clBtnShadow},   // its right and bottom own the corners
        {2, 2, clBtnFace},                                 // the border
        {3, 3, clBtnShadow},      {4, 20, clBtnShadow},    // lowered inner bevel
        {96, 46, clBtnHighlight}, {5, 5, clWhite},         // the child fills what is left
    };
    for (const TCase& Case : Cases)
        EXPECT_EQ(Pixel(Panel, Case.X, Case.Y), ColorToRGB(Case.Want)) << Case.X << "," << Case.Y;
    EXPECT_EQ(Child->BoundsRect(), TRect(5, 5, 95, 45));

    Panel->SetBevelInner(bvNone);
    EXPECT_EQ(Child->BoundsRect(), TRect(3, 3, 97, 47));
}

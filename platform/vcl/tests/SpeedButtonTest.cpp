// Speed buttons and bitmap buttons: groups with and without AllowAllUp,
// pressing and releasing, the hot look, glyph states and image lists, kinds.

#include "StandardTestSupport.h"
#include "VclTestSupport.h"
#include "vcl/Buttons.h"
#include "windowing/Input.h"

using namespace winapi;

namespace {

TSpeedButton* NewSpeedButton(TForm* Form, Integer Left, Integer Group) {
    auto* Button = new TSpeedButton(Form);
    Button->SetParent(Form);
    Button->SetBounds(Left, 10, 30, 30);
    Button->SetGroupIndex(Group);
    return Button;
}

// A glyph of Count 16 x 16 squares in the colours given, with an olive
// corner (the transparent colour) at the bottom left of each.
std::unique_ptr<TBitmap> SquaresGlyph(std::initializer_list<TColor> Colors) {
    auto Glyph = std::make_unique<TBitmap>();
    Glyph->SetSize(Integer(Colors.size()) * 16, 16);
    Integer X = 0;
    for (TColor Color : Colors) {
        Glyph->Canvas()->Brush()->SetColor(Color);
        Glyph->Canvas()->FillRect({X, 0, X + 16, 16});
        Glyph->Canvas()->Brush()->SetColor(clOlive);
        Glyph->Canvas()->FillRect({X, 14, X + 2, 16});
        X += 16;
    }
    return Glyph;
}

} // namespace

TEST_F(VclTest, SpeedButtonGroupsKeepOneButtonDownUnlessAllowAllUp) {
    struct TCase {
        const char* Name;
        bool AllowAllUp;
        std::vector<int> Clicks; // indexes of the buttons clicked, in order
        std::vector<bool> WantDown;
    };
    const TCase Cases[] = {
        {"first click puts the button down", false, {0}, {true, false, false}},
        {"another button raises the first", false, {0, 2}, {false, false, true}},
        {"a down button stays down without AllowAllUp", false, {1, 1}, {false, true, false}},
        {"a down button comes up with AllowAllUp", true, {1, 1}, {false, false, false}},
        {"AllowAllUp still raises the others", true, {0, 1}, {false, true, false}},
    };
    for (const TCase& Case : Cases) {
        TForm* Form = NewForm();
        std::vector<TSpeedButton*> Buttons;
        Integer ClickCount = 0;
        for (Integer I = 0; I < 3; ++I) {
            Buttons.push_back(NewSpeedButton(Form, 10 + 40 * I, 1));
            Buttons.back()->OnClick = [&](TObject*) { ++ClickCount; };
        }
        // AllowAllUp set on one button is shared by the group.
        Buttons[2]->SetAllowAllUp(Case.AllowAllUp);
        EXPECT_EQ(Buttons[0]->AllowAllUp(), Case.AllowAllUp) << Case.Name;
        Form->Show();
        Pump();
        for (int Index : Case.Clicks) {
            TPoint P = Centre(Buttons[Index]);
            headless::Click(P.X, P.Y);
            Pump();
        }
        for (Integer I = 0; I < 3; ++I) {
            EXPECT_EQ(Buttons[I]->Down(), Case.WantDown[I]) << Case.Name << " button " << I;
            EXPECT_EQ(Buttons[I]->State(), Case.WantDown[I] ? bsExclusive : bsUp) << Case.Name << " button " << I;
        }
        EXPECT_EQ(ClickCount, Integer(Case.Clicks.size())) << Case.Name;
        Free(Form);
    }
}

TEST_F(VclTest, SpeedButtonIsPressedWhileHeldAndClicksOnlyWhenReleasedOverIt) {
    TForm* Form = NewForm();
    TSpeedButton* Button = NewSpeedButton(Form, 10, 0);
    Integer Clicks = 0;
    Button->OnClick = [&](TObject*) { ++Clicks; };
    Form->Show();
    Pump();
    TPoint P = Centre(Button);
    headless::MoveMouse(P.X, P.Y);
    headless::Press();
    Pump();
    EXPECT_EQ(Button->State(), bsDown);
    headless::MoveMouse(P.X + 100, P.Y);
    Pump();
    EXPECT_EQ(Button->State(), bsUp) << "dragged off, it looks up";
    headless::Release();
    Pump();
    EXPECT_EQ(Clicks, 0);
    headless::Click(P.X, P.Y);
    Pump();
    EXPECT_EQ(Clicks, 1);
    EXPECT_FALSE(Button->Down()) << "without a group the button springs back";
    EXPECT_EQ(Button->State(), bsUp);
    // Down is refused without a group; a disabled button shows disabled.
    Button->SetDown(true);
    EXPECT_FALSE(Button->Down());
    Button->SetEnabled(false);
    EXPECT_EQ(Button->State(), bsDisabled);
    headless::Click(P.X, P.Y);
    Pump();
    EXPECT_EQ(Clicks, 1);
}

TEST_F(VclTest, FlatSpeedButtonShowsItsEdgeOnlyWhileTheMouseIsOverIt) {
    TForm* Form = NewForm();
    TSpeedButton* Button = NewSpeedButton(Form, 10, 0);
    Button->SetFlat(true);
    Form->Show();
    headless::MoveMouse(300, 250);
    Pump();
    EXPECT_FALSE(Button->MouseInControl());
    EXPECT_EQ(ControlPixel(Button, 0, 5), ColorToRGB(clBtnFace));
    TPoint P = Centre(Button);
    headless::MoveMouse(P.X, P.Y);
    Pump();
    EXPECT_TRUE(Button->MouseInControl());
    EXPECT_EQ(ControlPixel(Button, 0, 5), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(ControlPixel(Button, 29, 5), ColorToRGB(clBtnShadow));
    headless::MoveMouse(300, 250);
    Pump();
    EXPECT_EQ(ControlPixel(Button, 0, 5), ColorToRGB(clBtnFace));
}

TEST_F(VclTest, SpeedButtonDrawsTheGlyphPieceOfItsState) {
    TForm* Form = NewForm();
    TSpeedButton* Button = NewSpeedButton(Form, 10, 1);
    Button->SetAllowAllUp(true);
    auto Glyph = SquaresGlyph({clRed, clGray, clBlue, clLime});
    Button->SetGlyph(Glyph.get());
    EXPECT_EQ(Button->NumGlyphs(), 4) << "four squares make four pictures";
    Form->Show();
    Pump();
    // The 16-pixel picture is centred in the 30-pixel button: 7..22.
    EXPECT_EQ(ControlPixel(Button, 12, 10), clRed);
    EXPECT_EQ(ControlPixel(Button, 7, 22), ColorToRGB(clBtnFace)) << "the olive corner is transparent";
    TPoint P = Centre(Button);
    headless::MoveMouse(P.X, P.Y);
    headless::Press();
    Pump();
    EXPECT_EQ(ControlPixel(Button, 13, 11), clBlue) << "clicked, moved by one pixel";
    headless::Release();
    Pump();
    EXPECT_EQ(ControlPixel(Button, 13, 11), clLime) << "staying down";
    Button->SetDown(false);
    Button->SetEnabled(false);
    Pump();
    EXPECT_EQ(ControlPixel(Button, 12, 10), clGray);

    // An image list's image takes the glyph's place.
    auto* Images = new TImageList(Form);
    auto Yellow = SquaresGlyph({clYellow});
    Images->AddMasked(Yellow.get(), clOlive);
    Button->SetEnabled(true);
    Button->SetImages(Images);
    Button->SetImageIndex(0);
    Pump();
    EXPECT_EQ(ControlPixel(Button, 12, 10), clYellow);
    Free(Images);
    EXPECT_EQ(Button->Images(), nullptr);
    Pump();
    EXPECT_EQ(ControlPixel(Button, 12, 10), clRed);
}

TEST_F(VclTest, SpeedButtonCaptionAcceleratorClicksIt) {
    TForm* Form = NewForm();
    TSpeedButton* Button = NewSpeedButton(Form, 10, 2);
    Button->SetCaption(u"&Bold");
    Integer Clicks = 0;
    Button->OnClick = [&](TObject*) { ++Clicks; };
    Form->Show();
    Pump();
    headless::PressKey(VK_MENU);
    headless::TypeKey('B');
    headless::ReleaseKey(VK_MENU);
    Pump();
    EXPECT_EQ(Clicks, 1);
    EXPECT_TRUE(Button->Down());
}

TEST_F(VclTest, BitBtnKindsGiveCaptionResultAndRole) {
    struct TCase {
        TBitBtnKind Kind;
        const char16_t* Caption;
        TModalResult Result;
        bool Default, Cancel;
    };
    const TCase Cases[] = {
        {bkOK, u"OK", mrOk, true, false},      {bkCancel, u"Cancel", mrCancel, false, true},
        {bkYes, u"&Yes", mrYes, true, false},  {bkNo, u"&No", mrNo, false, true},
        {bkRetry, u"&Retry", mrRetry, false, false}, {bkHelp, u"&Help", mrNone, false, false},
    };
    TForm* Form = NewForm();
    for (const TCase& Case : Cases) {
        auto* Button = new TBitBtn(Form);
        Button->SetKind(Case.Kind);
        EXPECT_EQ(Button->Caption(), Case.Caption);
        EXPECT_EQ(Button->ModalResult(), Case.Result);
        EXPECT_EQ(Button->Default(), Case.Default);
        EXPECT_EQ(Button->Cancel(), Case.Cancel);
        EXPECT_FALSE(Button->Glyph()->Empty());
        // A glyph of one's own makes the kind custom.
        auto Glyph = SquaresGlyph({clRed});
        Button->SetGlyph(Glyph.get());
        EXPECT_EQ(Button->Kind(), bkCustom);
    }
}

TEST_F(VclTest, BitBtnPlacesItsGlyphByLayoutAndMargin) {
    TForm* Form = NewForm();
    auto* Button = new TBitBtn(Form);
    Button->SetParent(Form);
    Button->SetBounds(10, 10, 100, 30);
    auto Glyph = SquaresGlyph({clRed});
    Button->SetGlyph(Glyph.get());
    Button->SetMargin(4);
    Form->Show();
    Pump();
    // The face starts 2 pixels in; the glyph 4 further, centred vertically.
    EXPECT_EQ(ControlPixel(Button, 7, 10), clRed);
    EXPECT_NE(ControlPixel(Button, 90, 10), clRed);
    Button->SetLayout(blGlyphRight);
    Pump();
    EXPECT_EQ(ControlPixel(Button, 90, 10), clRed);
    EXPECT_NE(ControlPixel(Button, 7, 10), clRed);
    // A modal form closes with the result of the kind's button.
    TForm* Dialog = NewForm(u"Dialog");
    auto* Ok = new TBitBtn(Dialog);
    Ok->SetParent(Dialog);
    Ok->SetKind(bkOK);
    headless::SetIdleHandler([&] { headless::TypeKey(VK_RETURN); });
    EXPECT_EQ(Dialog->ShowModal(), mrOk);
    headless::SetIdleHandler(nullptr);
}

// The calculator key panel and the calculator drop-down on the headless
// window system.

#include "DropDownTestSupport.h"
#include "dropdown/KelCalculatorDropdown.h"
#include "graphics/Graphic.h"
#include "windowing/Input.h"

using namespace winapi;

namespace {

class Calculator : public DropDownTest {
protected:
    TCustomButtonPanel* NewPanel(Integer Width, Integer Height) {
        Form = NewForm();
        auto* Panel = Create<TCustomButtonPanel>(Form);
        Panel->SetParent(Form);
        Panel->SetBounds(10, 10, Width, Height);
        Panel->InitButtons();
        Pump();
        return Panel;
    }

    TKelCalculatorDropdown* NewCalculator() {
        Form = NewForm();
        auto* Edit = Create<TKelCalculatorDropdown>(Form);
        Edit->SetParent(Form);
        Edit->SetBounds(20, 20, 200, 21);
        Pump();
        return Edit;
    }

    TForm* Form = nullptr;
};

Byte Red(TColor C) {
    return Byte(C & 0xFF);
}
Byte Green(TColor C) {
    return Byte((C >> 8) & 0xFF);
}

} // namespace

TEST_F(Calculator, KeypadGeometryAt214By150) {
    auto* Panel = NewPanel(214, 150);
    ASSERT_EQ(Panel->Buttons()->Count(), 28);
    const struct {
        const char16_t* Caption;
        TRect Rect;
    } Cases[] = {
        {u"", {8, 8, 39, 34}},        {u"MC", {8, 38, 39, 64}},     {u"M+", {8, 113, 39, 139}},
        {u"7", {43, 38, 74, 64}},     {u"8", {73, 38, 104, 64}},    {u"9", {103, 38, 134, 64}},
        {u"/", {138, 38, 169, 64}},   {u"sqrt", {168, 38, 199, 64}}, {u"4", {43, 63, 74, 89}},
        {u"1", {43, 88, 74, 114}},    {u"0", {43, 113, 74, 139}},   {u"=", {168, 113, 199, 139}},
        {u"Back", {43, 8, 92, 34}},   {u"CE", {96, 8, 145, 34}},    {u"C", {149, 8, 199, 34}},
    };
    for (const auto& Case : Cases) {
        Integer Index = -1;
        for (Integer I = 0; I < 28; ++I)
            if (Panel->Buttons()->GetItem(I)->Caption() == Case.Caption) Index = I;
        ASSERT_GE(Index, 0);
        EXPECT_EQ(Panel->GetButtonRect(Index), Case.Rect) << Utf8(Case.Caption);
    }
    EXPECT_EQ(Panel->GetButtonRect(28), TRect(-1, -1, -1, -1));
    EXPECT_EQ(Panel->ButtonAtPos(73, 40), 11); // the shared pixel belongs to the first key, "7"
    EXPECT_EQ(Panel->ButtonAtPos(40, 40), -1); // the gap

    // A collection that is not the calculator table is left where code put it.
    Panel->Buttons()->GetItem(27)->SetName(u"BTN_ROOT");
    Panel->Buttons()->GetItem(0)->SetLeft(300);
    Panel->ArrangeButtons();
    EXPECT_EQ(Panel->GetButtonRect(0).Left, 300);
    Panel->ResetButtons();
    EXPECT_EQ(Panel->GetButtonRect(0).Left, 8);
}

TEST_F(Calculator, CustomPanelGetsNoKeysAndAFilledPanelIsNotRebuilt) {
    Form = NewForm();
    auto* Panel = Create<TCustomButtonPanel>(Form);
    Panel->SetParent(Form);
    Panel->SetButtonPanelType(plCustom);
    Panel->InitButtons();
    EXPECT_EQ(Panel->Buttons()->Count(), 0);

    Panel->SetButtonPanelType(plCalculator);
    Panel->Buttons()->Add()->SetCaption(u"mine");
    Panel->InitButtons();
    EXPECT_EQ(Panel->Buttons()->Count(), 1);
    Panel->ResetButtons();
    EXPECT_EQ(Panel->Buttons()->Count(), 28);
}

TEST_F(Calculator, KeysClickOnlyWhenReleasedOverThePressedKeyAndDisabledKeysNeverTurnHot) {
    auto* Panel = NewPanel(214, 150);
    std::vector<Integer> Clicks;
    Panel->OnButtonClick = [&](TObject*, Integer Index) { Clicks.push_back(Index); };
    const auto At = [&](Integer Index) {
        const TRect R = Panel->GetButtonRect(Index);
        return Panel->ClientToScreen({R.Left + 10, R.Top + 10});
    };
    // Pressed on "7", released on "8": nothing.
    Backend->MoveMouse(At(11).X, At(11).Y);
    Backend->PressButton();
    Pump();
    EXPECT_EQ(Panel->ButtonDown(), 11);
    Backend->MoveMouse(At(12).X, At(12).Y);
    Backend->ReleaseButton();
    Pump();
    EXPECT_TRUE(Clicks.empty());
    EXPECT_EQ(Panel->ButtonDown(), -1);
    // Released over the same key: one click.
    ClickAt(At(12));
    EXPECT_EQ(Clicks, std::vector<Integer>{12});

    Panel->Buttons()->GetItem(13)->SetEnabled(false);
    Backend->MoveMouse(At(13).X, At(13).Y);
    Pump();
    EXPECT_EQ(Panel->ButtonHot(), -1);
    ClickAt(At(13));
    EXPECT_EQ(Panel->ButtonDown(), -1);
    EXPECT_EQ(Clicks.size(), 1u);
    Panel->SetButtonHot(13);
    EXPECT_EQ(Panel->ButtonHot(), -1);
}

TEST_F(Calculator, NoShineNoGlowWhenTheirColoursAreNone) {
    auto Bitmap = std::make_unique<TBitmap>();
    Bitmap->SetSize(80, 60);
    TCanvas* C = Bitmap->Canvas();
    const auto Clear = [&] {
        C->Brush()->SetColor(clWhite);
        C->Brush()->SetStyle(bsSolid);
        C->FillRect(TRect(0, 0, 80, 60));
    };
    const TRect Key(20, 15, 60, 45);
    Clear();
    DrawGlossyButton(C, Key, clNone, 0xE7E0C7, 0x0000C0, 0x0000C0, clNone, clNone);
    EXPECT_EQ(C->Pixels(40, 22), TColor(0x0000C0)); // the plain upper half
    EXPECT_EQ(C->Pixels(14, 30), TColor(clWhite));  // no halo
    EXPECT_EQ(C->Pixels(40, 10), TColor(clWhite));

    Clear();
    DrawGlossyButton(C, Key, clNone, 0xE7E0C7, 0x0000C0, 0x0000C0, 0x00C000, 0xFFFFFF);
    EXPECT_GT(Green(C->Pixels(40, 22)), 0x40); // the shine whitens the face
    EXPECT_LT(Red(C->Pixels(14, 30)), 0xFF);   // the halo tints the white
    EXPECT_LT(Red(C->Pixels(40, 10)), 0xFF);
}

TEST_F(Calculator, TheHotKeyIsPaintedLastSoItsGlowCoversItsNeighbour) {
    Form = NewForm();
    auto* Panel = Create<TCustomButtonPanel>(Form);
    Panel->SetParent(Form);
    Panel->SetBounds(0, 0, 120, 60);
    Panel->SetButtonPanelType(plCustom);
    for (const TRect& R : {TRect(10, 10, 50, 40), TRect(52, 10, 92, 40)}) {
        TCalcButtonItem* Item = Panel->Buttons()->Add();
        Item->SetLeft(R.Left);
        Item->SetTop(R.Top);
        Item->SetWidth(R.Right - R.Left);
        Item->SetHeight(R.Bottom - R.Top);
    }
    TButtonAppearance* A = Panel->ButtonAppearance();
    A->SetColor(0x808080);
    A->SetColorTo(0x808080);
    A->SetShineColor(clNone);
    A->SetGlowColorHot(0x00FF00);
    Panel->SetButtonHot(0);
    ASSERT_EQ(Panel->ButtonHot(), 0);

    auto Bitmap = std::make_unique<TBitmap>();
    Bitmap->SetSize(120, 60);
    Panel->DrawButtons(Bitmap->Canvas(), false);
    const TColor HotLast = Bitmap->Canvas()->Pixels(55, 32);
    Panel->DrawButtons(Bitmap->Canvas(), true); // in collection order: the second key over the halo
    const TColor InOrder = Bitmap->Canvas()->Pixels(55, 32);
    EXPECT_EQ(InOrder, TColor(0x808080));
    EXPECT_GT(Green(HotLast), Red(HotLast));
}

namespace {

// One step of a calculator session: Kind 'k' clicks the panel key with the
// caption, 'e' types the characters into the edit, 'p' types them while the
// pop-up has the keyboard, 't' sets the text, 'o' opens the pop-up, 'x'
// closes it with F4 (no result), 's' switches the thousand separator.
struct TCalcStep {
    char Kind;
    const char16_t* Input;
    const char16_t* Shown;
};

struct TCalcCase {
    const char* Name;
    std::vector<TCalcStep> Steps;
};

} // namespace

TEST_F(Calculator, InputSequencesShowTheirTexts) {
    const TCalcCase Cases[] = {
        {"typed sum, Enter twice",
         {{'e', u"1", u"1"}, {'e', u"2", u"12"}, {'e', u"+", u"12.00"}, {'e', u"3", u"3"}, {'e', u"\r", u"15.00"},
          {'e', u"\r", u"15.00"}}},
        {"division by zero, panel digit replaces Error",
         {{'e', u"7/0=", u"Error"}, {'o', u"", u"Error"}, {'k', u"5", u"5"}}},
        {"division by zero, typed digit replaces Error", {{'e', u"7/0=", u"Error"}, {'e', u"5", u"5"}}},
        {"decimal keys",
         {{'o', u"", nullptr}, {'k', u"1", u"1"}, {'k', u".", u"1."}, {'k', u"2", u"1.20"}, {'k', u"5", u"1.25"}}},
        {"sign twice",
         {{'t', u"12.00", u"12.00"}, {'o', u"", nullptr}, {'k', u"+/-", u"-12.00"}, {'k', u"+/-", u"12.00"}}},
        {"sign removes its own minus", {{'t', u"5-", u"5-"}, {'o', u"", nullptr}, {'k', u"+/-", u"5"}}},
        {"a negative entry grows away from zero",
         {{'o', u"", nullptr}, {'k', u"1", u"1"}, {'k', u"+/-", u"-1"}, {'k', u"2", u"-12.00"}}},
        {"CE keeps the decimal entry",
         {{'o', u"", nullptr}, {'k', u"1", u"1"}, {'k', u".", u"1."}, {'k', u"5", u"1.50"}, {'k', u"CE", u"0"},
          {'k', u"2", u"0.02"}}},
        {"the blank key keeps the decimal entry",
         {{'o', u"", nullptr}, {'k', u".", u"0."}, {'k', u"5", u"0.50"}, {'k', u"", u"0"}, {'k', u"2", u"0.02"}}},
        {"C resets the decimal entry",
         {{'o', u"", nullptr}, {'k', u".", u"0."}, {'k', u"5", u"0.50"}, {'k', u"C", u"0"}, {'k', u"2", u"2"}}},
        {"pending operator across reopening",
         {{'o', u"", nullptr}, {'k', u"8", u"8"}, {'k', u"+", u"8.00"}, {'x', u"", u"8.00"}, {'o', u"", nullptr},
          {'k', u"2", u"2"}, {'k', u"=", u"10.00"}}},
        {"Back", {{'t', u"12.50", nullptr}, {'o', u"", nullptr}, {'k', u"Back", u"12."}}},
        {"Back with a pending operator",
         {{'t', u"12.50", nullptr}, {'o', u"", nullptr}, {'k', u"+", u"12.50"}, {'k', u"Back", u"12.50"}}},
        {"typed in the pop-up",
         {{'o', u"", nullptr}, {'p', u"5", u"5"}, {'p', u"-", u"5.00"}, {'p', u"3", u"3"}, {'p', u"=", u"2.00"}}},
        {"panel operators chain",
         {{'o', u"", nullptr}, {'k', u"1", u"1"}, {'k', u"+", u"1.00"}, {'k', u"2", u"2"}, {'k', u"+", u"3.00"},
          {'k', u"3", u"3"}, {'k', u"=", u"6.00"}}},
        {"a second operator only replaces the first",
         {{'o', u"", nullptr}, {'k', u"6", u"6"}, {'k', u"+", u"6.00"}, {'k', u"*", u"6.00"}, {'k', u"2", u"2"},
          {'k', u"=", u"12.00"}}},
        {"MS on grouped thousands",
         {{'s', u"1", nullptr}, {'t', u"1234", u"1,234.00"}, {'o', u"", nullptr}, {'k', u"MS", u"1,234.00"},
          {'k', u"C", u"0.00"}, {'k', u"MR", u"1,234.00"}}},
        {"thousand separator on and off",
         {{'t', u"1234.5", u"1234.5"}, {'s', u"1", u"1,234.50"}, {'s', u"0", u"1234.50"}}},
        {"a lone minus reads as 0",
         {{'t', u"-", u"-"}, {'e', u"+", u"0.00"}, {'t', u"-", u"-"}, {'o', u"", nullptr}, {'k', u"M+", u"-"}}},
        {"percent", {{'e', u"200+10%", u"20"}, {'e', u"=", u"220.00"}}},
        {"Escape on the pop-up restores",
         {{'t', u"12.00", nullptr}, {'o', u"", nullptr}, {'k', u"5", u"5"}, {'p', u"\x1b", u"12.00"}}},
    };
    for (const TCalcCase& Case : Cases) {
        SCOPED_TRACE(Case.Name);
        auto* Edit = NewCalculator();
        Edit->SetFocus();
        Pump();
        Integer StepNo = 0;
        for (const TCalcStep& Step : Case.Steps) {
            SCOPED_TRACE(StepNo++);
            const String Input = Step.Input;
            switch (Step.Kind) {
            case 'k': {
                TCustomButtonPanel* Panel = Edit->ButtonPanel();
                ASSERT_NE(Panel, nullptr);
                Integer Index = -1;
                for (Integer I = 0; I < Panel->Buttons()->Count(); ++I)
                    if (Panel->Buttons()->GetItem(I)->Caption() == Input) Index = I;
                ASSERT_GE(Index, 0);
                Panel->ButtonClick(Index);
                break;
            }
            case 'e':
            case 'p':
                ASSERT_EQ(Edit->DroppedDown(), Step.Kind == 'p');
                for (Char Ch : Input) {
                    if (Ch == u'\r')
                        Key(VK_RETURN);
                    else if (Ch == 0x1b)
                        Key(VK_ESCAPE);
                    else
                        Type(String(1, Ch));
                }
                break;
            case 't':
                Edit->SetText(Input);
                break;
            case 'o':
                Edit->ShowDropDown();
                Pump();
                ASSERT_TRUE(Edit->DroppedDown());
                break;
            case 'x':
                Key(VK_F4);
                EXPECT_FALSE(Edit->DroppedDown());
                Edit->SetFocus();
                Pump();
                break;
            case 's':
                Edit->SetShowThousandSeparator(Input == u"1");
                break;
            }
            if (Step.Shown) {
                EXPECT_EQ(Utf8(Edit->Text()), Utf8(Step.Shown));
            }
        }
        if (Edit->DroppedDown()) Edit->HideDropDown(true);
        Free(Form);
        Form = nullptr;
    }
}

TEST_F(Calculator, EnterOnThePopupConfirmsAndKeysReachTheCalculatorOnce) {
    auto* Edit = NewCalculator();
    Edit->SetFocus();
    Pump();
    Edit->ShowDropDown();
    Pump();
    Type(u"9*2");
    EXPECT_EQ(Edit->Text(), u"2");
    Key(VK_RETURN);
    EXPECT_FALSE(Edit->DroppedDown());
    EXPECT_EQ(Edit->Text(), u"18.00");
    EXPECT_EQ(Edit->Accumulator(), 18);
    EXPECT_EQ(Edit->PendingOperator(), -1);
    EXPECT_EQ(Edit->Value(), 18);
    Edit->CalcResult();
    EXPECT_EQ(Edit->Text(), u"18.00");
}

// Form and application stylers: the style walk with vetoes, form colours,
// tones, the application styler reaching every registered control, the
// combo box of style names, and freeing in any order.

#include "ThemeTestSupport.h"
#include "kel/KelAppStyler.h"
#include "vcl/Forms.h"
#include "vcl/Frame.h"
#include "vcl/StdCtrls.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

// Records the calls a styled control receives.
class TStyledControl : public TComponent, public IKelStyleEx, public IKelTones {
public:
    explicit TStyledControl(TComponent* AOwner, std::vector<String>* ALog = nullptr, String AName = u"")
        : TComponent(AOwner), Log(ALog), Name(std::move(AName)) {}
    void SetComponentStyle(TKelStyle AStyle) override {
        Style = AStyle;
        ++PlainCalls;
    }
    void SetComponentStyleAndAppColor(TKelStyle AStyle, TColor AAppColor) override {
        Style = AStyle;
        AppColor = AAppColor;
        if (Log) Log->push_back(Name);
    }
    void SetColorTones(const TColorTones& ATones) override { Tones = ATones; }

    std::vector<String>* Log;
    String Name;
    TKelStyle Style = tsCustom;
    TColor AppColor = -1;
    Integer PlainCalls = 0;
    TColorTones Tones;
};

class KelAppStyler : public ::testing::Test {
protected:
    void SetUp() override { UseHeadlessWindowSystem(); }

    static TForm* NewForm() { return Create<TForm>(nullptr); }
};

TEST_F(KelAppStyler, FormStylerStylesTheFormAndItsComponentsWithVetoes) {
    TForm* Form = NewForm();
    auto* A = Create<TStyledControl>(Form);
    auto* B = Create<TStyledControl>(Form);
    auto* Styler = Create<TKelFormStyler>(Form);
    std::vector<TComponent*> Applied;
    Styler->OnApplyStyle = [&](TObject*, TComponent* C, bool& Allow) { Allow = C != A; };
    Styler->OnAppliedStyle = [&](TObject* Sender, TComponent* C) {
        EXPECT_EQ(Sender, Styler);
        Applied.push_back(C);
    };
    Integer Changes = 0;
    Styler->OnChange = [&](TObject*) { ++Changes; };

    Styler->SetAppColor(0x123456);
    EXPECT_EQ(Changes, 0); // tsCustom applies nothing
    Styler->SetStyle(tsOffice2019Black);
    EXPECT_EQ(Changes, 1);
    EXPECT_EQ(Form->Color(), 0x000000);
    EXPECT_EQ(A->Style, tsCustom);
    EXPECT_EQ(B->Style, tsOffice2019Black);
    EXPECT_EQ(B->AppColor, 0x123456);
    EXPECT_EQ(B->PlainCalls, 0); // the extended interface only
    EXPECT_EQ(Applied, std::vector<TComponent*>{B});
    Styler->SetStyle(tsOffice2019Black);
    EXPECT_EQ(Changes, 1);

    EXPECT_EQ(FormStylerStyle(Form, tsWindows10), tsOffice2019Black);
    Styler->SetEnabled(false);
    EXPECT_EQ(FormStylerStyle(Form, tsWindows10), tsWindows10);
    EXPECT_EQ(FormStylerStyle(nullptr, tsWindows7), tsWindows7);
    Free(Form);
}

TEST_F(KelAppStyler, FramesAreWalkedIntoBeforeTheyAreStyled) {
    std::vector<String> Order;
    TForm* Form = NewForm();
    Create<TStyledControl>(Form, &Order, u"first");
    auto* Frame = Create<TFrame>(Form);
    Create<TStyledControl>(Frame, &Order, u"in frame");
    auto* Inner = Create<TFrame>(Frame);
    Create<TStyledControl>(Inner, &Order, u"in inner frame");
    Create<TStyledControl>(Frame, &Order, u"after inner frame");
    Create<TStyledControl>(Form, &Order, u"last");
    auto* Styler = Create<TKelFormStyler>(Form);
    Order.clear(); // enabling at creation applied the custom style
    Styler->SetStyle(tsWindows10);
    const std::vector<String> Expected = {u"first", u"in frame", u"in inner frame", u"after inner frame", u"last"};
    EXPECT_EQ(Order, Expected);
    Free(Form);
}

TEST_F(KelAppStyler, FormColoursFollowTheStyle) {
    const struct {
        TKelStyle Style;
        TColor Color;
    } Cases[] = {{tsOffice2013White, 0xFFFFFF}, {tsOffice2013LightGray, 0xC0C0C0}, {tsOffice2016Gray, 0x808080},
                 {tsOffice2019Gray, 0x666666},  {tsOffice2016Black, 0},           {tsWindows10, clBtnFace}};
    for (const auto& C : Cases)
        EXPECT_EQ(StylerFormColor(C.Style), C.Color);
}

TEST_F(KelAppStyler, ControlFindsTheStyleOfItsParentForm) {
    TForm* Form = NewForm();
    auto* Edit = Create<TEdit>(Form);
    Edit->SetParent(Form);
    auto* Styler = Create<TKelFormStyler>(Form);
    EXPECT_EQ(FormStylerStyle(Edit, tsOffice2019White), tsOffice2019White);
    Styler->SetStyle(tsWindows8);
    EXPECT_EQ(FormStylerStyle(Edit, tsOffice2019White), tsWindows8);
    Free(Form);
}

TEST_F(KelAppStyler, AppStylerReachesEveryRegisteredControl) {
    TForm* F1 = NewForm();
    TForm* F2 = NewForm();
    auto* C1 = Create<TStyledControl>(F1);
    auto* C2 = Create<TStyledControl>(F2);
    auto* S1 = Create<TKelFormStyler>(F1);
    auto* S2 = Create<TKelFormStyler>(F2);
    auto* App = Create<TKelAppStyler>(nullptr);
    S1->SetAppStyle(App);
    S2->SetAppStyle(App);
    S2->SetAppStyle(App); // registered once
    EXPECT_EQ(App->FormStylers().size(), 2u);

    App->SetStyle(tsOffice2016White);
    EXPECT_EQ(C1->Style, tsOffice2016White);
    EXPECT_EQ(C2->Style, tsOffice2016White);
    App->SetAppColor(0xABCDEF);
    EXPECT_EQ(C1->AppColor, 0xABCDEF);
    EXPECT_EQ(C2->AppColor, 0xABCDEF);

    // Tones reach every control; the form styler switches to metro.
    TColorTones Tones = MetroColorTones(false, 0x0000FF);
    App->SetColorTones(Tones);
    EXPECT_EQ(App->MetroStyle(), msDark);
    EXPECT_EQ(C1->Tones, Tones);
    EXPECT_EQ(C2->Tones, Tones);
    EXPECT_TRUE(S1->Metro());
    EXPECT_EQ(S1->Style(), tsCustom);

    Free(App);
    EXPECT_EQ(S1->AppStyle(), nullptr);
    EXPECT_EQ(S2->AppStyle(), nullptr);
    Free(F1);
    Free(F2);
}

TEST_F(KelAppStyler, FreeingInAnyOrderLeavesNothingDangling) {
    // Form styler first: it leaves the list.
    {
        TForm* Form = NewForm();
        auto* S = Create<TKelFormStyler>(Form);
        auto* App = Create<TKelAppStyler>(nullptr);
        S->SetAppStyle(App);
        Free(Form);
        EXPECT_TRUE(App->FormStylers().empty());
        App->SetStyle(tsWindows7); // reaches no freed styler
        Free(App);
    }
    // Reassigning AppStyle leaves the old application styler first.
    {
        TForm* Form = NewForm();
        auto* S = Create<TKelFormStyler>(Form);
        auto* Old = Create<TKelAppStyler>(nullptr);
        auto* New = Create<TKelAppStyler>(nullptr);
        S->SetAppStyle(Old);
        S->SetAppStyle(New);
        EXPECT_TRUE(Old->FormStylers().empty());
        EXPECT_EQ(New->FormStylers().size(), 1u);
        Free(Form);
        Old->SetStyle(tsWindows8);
        New->SetStyle(tsWindows8);
        Free(Old);
        Free(New);
    }
}

TEST_F(KelAppStyler, MetroTonesAndDefaults) {
    const TColorTones Light = MetroColorTones(true, 0x00FF00);
    EXPECT_EQ(Light.Background, (TColorTone{0xFFFFFF, 0x00FF00, 0}));
    EXPECT_EQ(Light.Selected, (TColorTone{0x00FF00, 0x00FF00, 0xFFFFFF}));
    EXPECT_EQ(Light.Hover.BrushColor, ShadeColor(0x00FF00, 20));
    EXPECT_EQ(DefaultColorTones().Selected, (TColorTone{clHighlight, clHighlight, clHighlightText}));

    TForm* Form = NewForm();
    auto* C = Create<TStyledControl>(Form);
    auto* Styler = Create<TKelFormStyler>(Form);
    EXPECT_EQ(Styler->Version(), u"2.4.0.1");
    EXPECT_EQ(Styler->MetroColor(), clHighlight);
    Styler->SetMetroColor(0x0000FF);
    Styler->SetMetro(true);
    EXPECT_EQ(C->Tones, MetroColorTones(true, 0x0000FF));
    Free(Form);
}

TEST_F(KelAppStyler, ComboBoxOffersTheStyleNames) {
    TForm* Form = NewForm();
    auto* Box = Create<TComboBox>(Form);
    Box->SetParent(Form);
    auto* Styler = Create<TKelFormStyler>(Form);
    Styler->SetComboBox(Box);
    ASSERT_EQ(Box->Items()->Count(), 26);
    EXPECT_EQ(Box->Items()->Strings(25), u"Custom");
    EXPECT_EQ(Box->ItemIndex(), 25);
    Box->SetItemIndex(Box->Items()->IndexOf(u"Windows 10"));
    Styler->HandleStyleSelect(Box);
    EXPECT_EQ(Styler->Style(), tsWindows10);
    Free(Box);
    EXPECT_EQ(Styler->ComboBox(), nullptr);
    Free(Form);
}

} // namespace

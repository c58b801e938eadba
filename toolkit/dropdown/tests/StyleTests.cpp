// The colour styles and tones of a drop-down, as spot checks, and the
// selection colours.

#include "DropDownTestSupport.h"
#include "dropdown/KelDropDown.h"
#include "dropdown/KelItemAppearance.h"
#include "graphics/Picture.h"

namespace {

class TSelectionProbe : public TKelDropDown {
public:
    using TKelDropDown::TKelDropDown;
    using TKelCustomDropDown::DrawSelectionBackground;
};

class Styles : public DropDownTest {
protected:
    TSelectionProbe* NewEdit() {
        TForm* Form = NewForm();
        auto* Edit = Create<TSelectionProbe>(Form);
        Edit->SetParent(Form);
        Pump();
        return Edit;
    }
};

} // namespace

TEST_F(Styles, SpotChecks) {
    TSelectionProbe* Edit = NewEdit();
    const struct {
        TKelStyle Style;
        TColor EditColor, EditFont, HeaderColor, HeaderColorTo, HeaderBorder, FooterColor, FooterColorTo,
            FooterBorder, ButtonColor;
    } Cases[] = {
        {tsOffice2019Gray, 0xB8BBBE, 0x232425, 0xB8BBBE, clNone, 0x808080, 0xB8BBBE, clNone, 0x808080, 0xB8BBBE},
        {tsOffice2003Blue, clWindow, clWindowText, 0xFCE1CB, 0xE0A57D, 0x000000, 0xFCE1CB, 0xE0A57D, 0x962D00,
         clNone},
        {tsWindowsVista, clWindow, clWindowText, 0xFFFDF9, 0xFFFAF0, 0xFCF2DA, 0xFFFAF0, 0xFFFDF9, 0xFCF2DA, clNone},
        {tsOffice2019Black, 0x444444, 0xFFFFFF, 0x444444, clNone, 0x444648, 0x444444, clNone, 0x444648, 0x444444},
        {tsWindows7, clWindow, clWindowText, 0xFDFBFA, 0xFDF3EB, 0xFBD6B8, 0xFDFBFA, 0xFDF3EB, 0xFBD6B8, clNone},
    };
    for (const auto& Case : Cases) {
        Edit->SetComponentStyle(Case.Style);
        EXPECT_EQ(Edit->GetComponentStyle(), Case.Style);
        EXPECT_EQ(Edit->Color(), Case.EditColor) << int(Case.Style);
        EXPECT_EQ(Edit->Font()->Color(), Case.EditFont) << int(Case.Style);
        EXPECT_EQ(Edit->DropDownHeader()->Color(), Case.HeaderColor) << int(Case.Style);
        EXPECT_EQ(Edit->DropDownHeader()->ColorTo(), Case.HeaderColorTo) << int(Case.Style);
        EXPECT_EQ(Edit->DropDownHeader()->BorderColor(), Case.HeaderBorder) << int(Case.Style);
        EXPECT_EQ(Edit->DropDownFooter()->Color(), Case.FooterColor) << int(Case.Style);
        EXPECT_EQ(Edit->DropDownFooter()->ColorTo(), Case.FooterColorTo) << int(Case.Style);
        EXPECT_EQ(Edit->DropDownFooter()->BorderColor(), Case.FooterBorder) << int(Case.Style);
        EXPECT_EQ(Edit->Button()->ButtonColor(), Case.ButtonColor) << int(Case.Style);
    }
    // The derived button rows take the bar's colours for their faces.
    Edit->SetComponentStyle(tsOffice2010Silver);
    EXPECT_EQ(Edit->ButtonAppearance()->Color(), TColor(0xFFFFFF));
    EXPECT_EQ(Edit->ButtonAppearance()->BorderColor(), TColor(0xD2CDC8));
    EXPECT_EQ(Edit->ButtonAppearance()->ColorHot(), TColor(0x8AE3FD));

    // tsCustom changes nothing but the stored style.
    Edit->SetComponentStyle(tsOffice2019Gray);
    Edit->SetComponentStyle(tsCustom);
    EXPECT_EQ(Edit->GetComponentStyle(), tsCustom);
    EXPECT_EQ(Edit->Color(), TColor(0xB8BBBE));
    EXPECT_EQ(Edit->Button()->ButtonColor(), TColor(0xB8BBBE));
}

TEST_F(Styles, TonesKeepTheStyleAndSetTheBorder) {
    TSelectionProbe* Edit = NewEdit();
    Edit->SetComponentStyle(tsWindows10);
    TColorTones Tones;
    Tones.Background = {0x112233, 0x445566, 0};
    Tones.Hover.BrushColor = 0x778899;
    Tones.Selected.BrushColor = 0xAABBCC;
    Edit->SetColorTones(Tones);
    EXPECT_EQ(Edit->GetComponentStyle(), tsWindows10);
    EXPECT_EQ(Edit->BorderColor(), TColor(0x445566));
    EXPECT_EQ(Edit->Button()->ButtonColor(), TColor(0x112233));
    EXPECT_EQ(Edit->Button()->ButtonColorHot(), TColor(0x778899));
    EXPECT_EQ(Edit->Button()->ButtonColorDown(), TColor(0xAABBCC));
}

TEST_F(Styles, SelectionColourMakesTheStyleCustomAndAFlatFill) {
    TSelectionProbe* Edit = NewEdit();
    Edit->WriteSelectionColorStyle(scWindows7);
    EXPECT_EQ(Edit->SelectionColor(), TColor(0xFCEBDC));
    EXPECT_EQ(Edit->SelectionColorTo(), TColor(0xFCDBC1));
    TBitmap Surface;
    Surface.SetSize(40, 20);
    Edit->DrawSelectionBackground(Surface.Canvas(), TRect(0, 0, 40, 20), clWhite, 0);
    EXPECT_NE(Surface.Canvas()->Pixels(20, 2), Surface.Canvas()->Pixels(20, 17)); // a gradient

    Edit->SetSelectionColor(0x00C000);
    EXPECT_EQ(Edit->SelectionColorStyle(), scCustom);
    Edit->DrawSelectionBackground(Surface.Canvas(), TRect(0, 0, 40, 20), clWhite, 0);
    for (const TPoint P : {TPoint{0, 0}, TPoint{20, 10}, TPoint{39, 19}})
        EXPECT_EQ(Surface.Canvas()->Pixels(P.X, P.Y), TColor(0x00C000));
}

TEST_F(Styles, ItemAppearanceTakesTheStylesRow) {
    TSelectionProbe* Edit = NewEdit();
    TItemAppearance Look;
    Edit->SetItemAppearanceStyle(&Look, tsOffice2010Black);
    EXPECT_EQ(Edit->GetComponentStyle(), tsOffice2010Black);
    EXPECT_EQ(Look.BorderColorHot(), TColor(0x58CAF1));
    EXPECT_EQ(Look.BorderColorSelected(), TColor(0x308AC2));
    EXPECT_EQ(Look.ColorSelected(), TColor(0x7BEEFF));
    // A style without a row of its own or of its family: the light reference.
    Edit->SetItemAppearanceStyle(&Look, tsOffice2013Gray);
    EXPECT_EQ(Look.ColorHot(), TColor(0xF2E1D5));
    EXPECT_EQ(Look.BorderColorSelected(), TColor(0xE3BDA3));
}

#include "ViewTestSupport.h"

#include "os/Registry.h"
#include "rtltesting/TestFiles.h"

#include <stdlib.h>

namespace {

class TStyledGrid : public TZirOvararIzaz {
public:
    using TZirOvararIzaz::TZirOvararIzaz;
    void SetStyleAndAppColor(TKelGridStyle AStyle, TColor AppColor) override {
        ++StylesApplied;
        TZirOvararIzaz::SetStyleAndAppColor(AStyle, AppColor);
    }
    int StylesApplied = 0;
};

using ViewStyleTest = GridFormTest<TStyledGrid>;

// A drop-down editor the grid owns, as far as styles reach it.
class TStyledEditor : public TComponent, public IKelStyle, public IKelTones {
public:
    using TComponent::TComponent;
    void SetComponentStyle(TKelStyle AStyle) override { Style = AStyle; }
    void SetColorTones(const TColorTones& ATones) override { Tones = ATones; }
    TKelStyle Style = tsCustom;
    TColorTones Tones;
};

} // namespace

TEST_F(ViewStyleTest, Office2010BlueFromTheXPLook) {
    ASSERT_EQ(Grid->Look(), glXP);
    Grid->SetStyle(gsOffice2010Blue);
    // The look change applied the 2007 style first, then the 2010 colours won.
    EXPECT_EQ(Grid->StylesApplied, 2);
    EXPECT_EQ(Grid->Look(), glOffice2007);
    EXPECT_EQ(Grid->SelectionStyle(), ssDefault);
    EXPECT_EQ(Grid->BorderColor(), 0xB99D7F);
    EXPECT_EQ(Grid->DOVGradientFrom(), 0xF5E7DA);
    EXPECT_EQ(Grid->DOVGradientMirrorTo(), 0xF5E7DA);
    EXPECT_EQ(Grid->ControlLook()->FixedGradientFrom(), clNone);
    EXPECT_EQ(Grid->ControlLook()->FixedGradientMirrorFrom(), 0xF5E7DA);
    EXPECT_EQ(Grid->SelectionColor(), 0xFFDBB7);
    EXPECT_EQ(Grid->ActiveCellColorTo(), 0x71EFFF);
    EXPECT_EQ(Grid->GridFixedLineColor(), 0xC7B0A0);
    EXPECT_EQ(Grid->SortSettings()->HeaderColor(), 0xD6CEC7);
    EXPECT_EQ(Grid->DOVGradientHoverFrom(), 0x6BDFFF);
    EXPECT_EQ(Grid->DOVGradientDownBorder(), 0x308AC2);
    EXPECT_EQ(Grid->SearchFooter()->Color(), 0xF5E7DA);
}

TEST_F(ViewStyleTest, Obsidian2007KeepsItsLooksSelectionStyleOnlyOnTheLookChange) {
    Grid->SetStyle(gsOffice2007Obsidian);
    EXPECT_EQ(Grid->SelectionStyle(), ssOffice2007);
    EXPECT_EQ(Grid->ControlLook()->FixedGradientFrom(), 0xF7F7F7);
    Grid->SetStyle(gsOffice2007Obsidian);
    EXPECT_EQ(Grid->SelectionStyle(), ssDefault);
}

TEST_F(ViewStyleTest, Office2019WhiteFollowsTheApplicationColour) {
    Grid->SetComponentStyleAndAppColor(tsOffice2019White, 0x804020);
    EXPECT_EQ(Grid->ActiveCellColor(), 0x804020);
    EXPECT_EQ(Grid->ActiveCellColorTo(), 0x804020);
    EXPECT_EQ(Grid->SelectionColor(), 0x9A4D26);
    EXPECT_EQ(Grid->DOVGradientHoverFrom(), ShadeColor(0x804020, -60));
    EXPECT_EQ(Grid->Look(), glCustom);
    EXPECT_EQ(Grid->UIStyle(), tsOffice2019White);
    EXPECT_EQ(Grid->DOVGradientMirrorFrom(), clNone);
    EXPECT_EQ(Grid->FixedColor(), 0xFFFFFF);
    EXPECT_EQ(Grid->FixedFont()->Color(), 0x3B3B3B);

    Grid->SetStyle(gsOffice2019white);
    EXPECT_EQ(Grid->ActiveCellColor(), 0xB0784A);
    EXPECT_EQ(Grid->SelectionColor(), 0xD1B9A5);
    // Without an application colour both shades are white.
    EXPECT_EQ(Grid->DOVGradientHoverFrom(), 0xFFFFFF);
    EXPECT_EQ(Grid->DOVGradientDownFrom(), 0xFFFFFF);
}

TEST_F(ViewStyleTest, EveryStyleApplies) {
    for (int s = 0; s <= int(tsOffice2019Black); ++s) {
        SCOPED_TRACE(s);
        const auto Style = TKelStyle(s);
        for (TGridLook Start : {glXP, glStandard, glCustom}) {
            Grid->SetLook(Start);
            Grid->SetComponentStyle(Style);
            EXPECT_EQ(Grid->UIStyle(), Style);
            if (Style == tsCustom || Style == tsTerminal) continue;
            EXPECT_EQ(Grid->SearchFooter()->Color(), Grid->DOVGradientFrom());
            EXPECT_EQ(Grid->SearchFooter()->ColorTo(), Grid->DOVGradientMirrorTo());
        }
    }
}

TEST_F(ViewStyleTest, TheCustomStyleOnlyResets) {
    Grid->SetSelectionColor(0x123456);
    Grid->SetGridLineColor(0x654321);
    Grid->SetUIStyle(tsCustom);
    EXPECT_EQ(Grid->StylesApplied, 0);
    EXPECT_EQ(Grid->SelectionColor(), 0x123456);

    Grid->SetStyle(gsCustom);
    EXPECT_EQ(Grid->SelectionColor(), clHighlight);
    EXPECT_EQ(Grid->SelectionTextColor(), clHighlightText);
    EXPECT_EQ(Grid->FixedFont()->Color(), clBlack);
    EXPECT_EQ(Grid->GridLineColor(), 0x654321);
    EXPECT_EQ(Grid->Look(), glXP);
}

TEST_F(ViewStyleTest, AStyleReachesTheEditorsAndEndsTheMetroDressing) {
    auto* Editor = Create<TStyledEditor>(Grid);
    TColorTones Tones;
    Tones.Foreground.BrushColor = 0x202020;
    Tones.Background.BrushColor = 0xF0F0F0;
    Tones.Selected.BrushColor = 0x0000FF;
    Grid->SetColorTones(Tones);
    EXPECT_EQ(Editor->Tones, Tones);
    EXPECT_EQ(Grid->ScrollType(), ssMetro);
    EXPECT_EQ(Grid->Look(), glClassic);
    EXPECT_EQ(Grid->FixedColor(), 0x202020);
    EXPECT_EQ(Grid->SelectionColor(), 0x0000FF);
    EXPECT_EQ(Grid->SearchFooter()->ColorTo(), 0x202020);
    EXPECT_EQ(Grid->ControlLook()->ControlStyle(), ZirOvararIzaz::csGlyph);
    EXPECT_EQ(Grid->ControlLook()->CheckedGlyph()->Width(), 15);
    EXPECT_EQ(Grid->ControlLook()->RadioOnGlyph()->Height(), 15);

    Grid->SetComponentStyle(tsOffice2013Gray);
    EXPECT_EQ(Editor->Style, tsOffice2013Gray);
    EXPECT_EQ(Grid->ScrollType(), ssNormal);
}

TEST_F(ViewStyleTest, XPColourSchemes) {
    Grid->SetTheme(xpGreen);
    EXPECT_EQ(Grid->DOVGradientFrom(), 0xCFF0EA);
    EXPECT_EQ(Grid->ControlLook()->FixedGradientTo(), 0x8CC0B1);
    EXPECT_EQ(Grid->SearchFooter()->ColorTo(), 0x8CC0B1);
    Grid->SetTheme(xpNone);
    EXPECT_EQ(Grid->DOVGradientTo(), ColorToRGB(clBtnFace));
    EXPECT_EQ(Grid->ActiveCellColorTo(), 0xFFD9B3);
    EXPECT_EQ(Grid->ControlLook()->FixedGradientFrom(), clNone);
}

TEST_F(ViewStyleTest, TheOfficeThemeIsFollowedOncePerChange) {
    TTempFolder Hives;
    setenv("VANDREL_REGISTRY_DIR", Hives.Native().c_str(), 1);
    {
        TRegistry Registry;
        ASSERT_TRUE(Registry.OpenKey(u"Software\\Microsoft\\Office\\16.0\\Common", true));
        Registry.WriteInteger(u"UI Theme", 4);
    }
    ASSERT_EQ(CurrentOfficeTheme(), ot2019Black);
    Grid->AdaptToOfficeTheme();
    Grid->AdaptToOfficeTheme();
    EXPECT_EQ(Grid->StylesApplied, 1);
    EXPECT_EQ(Grid->UIStyle(), tsOffice2019Black);
    EXPECT_EQ(Grid->Font()->Color(), 0x232425);
    {
        TRegistry Registry;
        ASSERT_TRUE(Registry.OpenKey(u"Software\\Microsoft\\Office\\16.0\\Common", true));
        Registry.WriteInteger(u"UI Theme", 3);
    }
    Grid->AdaptToOfficeTheme();
    EXPECT_EQ(Grid->StylesApplied, 2);
    EXPECT_EQ(Grid->UIStyle(), tsOffice2019Gray);
    unsetenv("VANDREL_REGISTRY_DIR");
}

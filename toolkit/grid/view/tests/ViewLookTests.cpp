#include "ViewTestSupport.h"

#include "graphics/Graphic.h"

#include <climits>

namespace {

// Counts the styles applied, to see a look hand over to its style once.
class TStyleCountingGrid : public TZirOvararIzaz {
public:
    using TZirOvararIzaz::TZirOvararIzaz;
    void SetStyleAndAppColor(TKelGridStyle AStyle, TColor AppColor) override {
        ++StylesApplied;
        TZirOvararIzaz::SetStyleAndAppColor(AStyle, AppColor);
    }
    int StylesApplied = 0;
};

using ViewLookCountTest = GridFormTest<TStyleCountingGrid>;

// The bounding box of the pixels that are not white.
TRect InkBox(TBitmap* Bmp) {
    TRect Box(INT_MAX, INT_MAX, INT_MIN, INT_MIN);
    for (Integer y = 0; y < Bmp->Height(); ++y)
        for (Integer x = 0; x < Bmp->Width(); ++x)
            if (Bmp->Canvas()->Pixels(x, y) != clWhite) {
                Box.Left = std::min(Box.Left, x);
                Box.Top = std::min(Box.Top, y);
                Box.Right = std::max(Box.Right, x);
                Box.Bottom = std::max(Box.Bottom, y);
            }
    return Box;
}

TBitmap* WhiteBitmap() {
    auto* Bmp = Create<TBitmap>();
    Bmp->SetSize(40, 40);
    Bmp->Canvas()->Brush()->SetColor(clWhite);
    Bmp->Canvas()->FillRect(TRect(0, 0, 40, 40));
    return Bmp;
}

} // namespace

TEST(ViewLookNames, IdentifiersAndDisplayNames) {
    EXPECT_EQ(TZirOvararIzaz::LookToString(glStandard), u"glStandard");
    EXPECT_EQ(TZirOvararIzaz::LookToString(glOffice2007), u"glOffice2007");
    EXPECT_EQ(TZirOvararIzaz::LookToString(glCustom), u"");
    EXPECT_EQ(TZirOvararIzaz::LookToDisplayName(glXP), u"Windows XP");
    EXPECT_EQ(TZirOvararIzaz::LookToDisplayName(glWin7), u"Windows 7");
    EXPECT_EQ(TZirOvararIzaz::LookToDisplayName(glOffice2007), u"Office2007");
    EXPECT_EQ(TZirOvararIzaz::LookToDisplayName(glCustom), u"");
}

TEST_F(ViewTest, SettingTheCurrentLookChangesNothing) {
    ASSERT_EQ(Grid->Look(), glXP);
    Grid->SetSelectionColor(0x123456);
    Grid->SetDOVGradientFrom(0x00FF00);
    Grid->SetBorderColor(0x111111);
    Grid->SetLook(glXP);
    EXPECT_EQ(Grid->SelectionColor(), 0x123456);
    EXPECT_EQ(Grid->DOVGradientFrom(), 0x00FF00);
    EXPECT_EQ(Grid->BorderColor(), 0x111111);
}

TEST_F(ViewTest, AFlatLookAppliesItsColours) {
    Grid->SetLook(glStandard);
    EXPECT_EQ(Grid->FixedColor(), clBtnFace);
    EXPECT_EQ(Grid->DOVGradientFrom(), ColorToRGB(clBtnFace));
    EXPECT_EQ(Grid->DOVGradientTo(), clNone);
    EXPECT_EQ(Grid->SelectionColor(), clHighlight);
    EXPECT_EQ(Grid->SelectionTextColor(), clHighlightText);
    EXPECT_EQ(Grid->ActiveCellColor(), 0x808080);
    EXPECT_EQ(Grid->SearchFooter()->Color(), clBtnFace);
    EXPECT_EQ(Grid->GridLineColor(), 0xC0C0C0);
    EXPECT_EQ(Grid->SelectionStyle(), ssDefault);

    Grid->SetLook(glDOV);
    EXPECT_EQ(Grid->DOVGradientFrom(), 0xFFFFFF);
    EXPECT_EQ(Grid->DOVGradientTo(), 0xC0C0C0);
    EXPECT_EQ(Grid->SelectionColor(), 0xEACAB6);
    EXPECT_EQ(Grid->SelectionTextColor(), clBlack);
    // The search footer took the gradient as the flat step left it.
    EXPECT_EQ(Grid->SearchFooter()->Color(), 0xFFFFFF);
    EXPECT_EQ(Grid->SearchFooter()->ColorTo(), ColorToRGB(clBtnFace));
    EXPECT_EQ(Grid->DOVGradientHoverMirrorTo(), 0xABBCBF);
    EXPECT_EQ(Grid->DOVGradientDownMirrorTo(), 0x627376);
}

TEST_F(ViewTest, ALookReadFromAStreamKeepsItsColours) {
    Grid->SetSelectionColor(0x123456);
    Grid->SetBorderColor(0x111111);
    Grid->IncludeComponentState(TComponentState{csLoading});
    Grid->SetLook(glStandard);
    Grid->ExcludeComponentState(TComponentState{csLoading});
    EXPECT_EQ(Grid->Look(), glStandard);
    EXPECT_EQ(Grid->SelectionColor(), 0x123456);
    EXPECT_EQ(Grid->FixedColor(), clBtnFace); // the form's own default, untouched
    EXPECT_EQ(Grid->DOVGradientFrom(), clNone);
    EXPECT_EQ(Grid->DOVGradientTo(), clNone);
    EXPECT_EQ(Grid->BorderColor(), 0xB99D7F);
}

TEST_F(ViewTest, TheCustomLookKeepsColoursAndScrollsNormally) {
    Grid->SetBorderColor(0x111111);
    Grid->SetDOVGradientFrom(0x00FF00);
    Grid->SetScrollType(ssMetro);
    Grid->SetLook(glCustom);
    EXPECT_EQ(Grid->Look(), glCustom);
    EXPECT_EQ(Grid->BorderColor(), 0x111111);
    EXPECT_EQ(Grid->DOVGradientFrom(), 0x00FF00);
    EXPECT_EQ(Grid->ScrollType(), ssNormal);
}

TEST_F(ViewLookCountTest, TheVistaLookRunsItsStyleOnce) {
    Grid->SetLook(glVista);
    EXPECT_EQ(Grid->StylesApplied, 1);
    EXPECT_EQ(Grid->UIStyle(), tsWindowsVista);
    EXPECT_EQ(Grid->SelectionStyle(), ssVista);
    EXPECT_EQ(Grid->DOVGradientMirrorFrom(), 0xFAF8F7);
    EXPECT_EQ(Grid->ActiveCellColor(), 0xFDF8F1);
    EXPECT_EQ(Grid->SortSettings()->HeaderMirrorColorTo(), 0xF6ECD8);
    EXPECT_EQ(Grid->DOVGradientHoverBorder(), 0xE3C993);
    EXPECT_EQ(Grid->BorderColor(), 0xB99D7F);
}

TEST_F(ViewTest, TheSortTriangleSpansEightByEightPixels) {
    ASSERT_EQ(Grid->DPIScale(), 1.0f);
    for (TSortDirection Direction : {sdAscending, sdDescending}) {
        SCOPED_TRACE(int(Direction));
        TBitmap* Bmp = WhiteBitmap();
        Grid->SortSettings()->SetDirection(Direction);
        Grid->DrawSortIndicator(Bmp->Canvas(), 1, 20, 20);
        const TRect Box = InkBox(Bmp);
        EXPECT_EQ(Box.Left, 16);
        EXPECT_EQ(Box.Right, 24);
        EXPECT_EQ(Box.Top, 18);
        EXPECT_EQ(Box.Bottom, 25);
        // The point is on the centre line, at the bottom when descending.
        EXPECT_EQ(Bmp->Canvas()->Pixels(20, Direction == sdDescending ? 25 : 18), clBlack);
        EXPECT_EQ(Bmp->Canvas()->Pixels(16, Direction == sdDescending ? 25 : 18), clWhite);
        Free(Bmp);
    }
}

TEST_F(ViewTest, NumberedSortIndicators) {
    Grid->SortSettings()->SetIndexShow(true);
    Grid->SortSettings()->SetIndexColor(clRed);
    Grid->SortIndexes()->AddIndex(3, true);
    Grid->SortIndexes()->AddIndex(1, false);

    TBitmap* Bmp = WhiteBitmap();
    Grid->DrawSortIndicator(Bmp->Canvas(), 2, 20, 20); // not a sort column
    EXPECT_EQ(InkBox(Bmp).Left, INT_MAX);

    // The second sort column, descending: a red triangle pointing down, from
    // (X - 7, Y - 4) to (X, Y + 9).
    Grid->DrawSortIndicator(Bmp->Canvas(), 1, 20, 20);
    const TRect Box = InkBox(Bmp);
    EXPECT_EQ(Box.Left, 13);
    EXPECT_EQ(Box.Right, 27);
    EXPECT_EQ(Box.Top, 16);
    EXPECT_EQ(Box.Bottom, 29);
    EXPECT_EQ(Bmp->Canvas()->Pixels(20, 17), clRed);
    Free(Bmp);
}

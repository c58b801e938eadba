// The grid's settings whose setters do more than store.

#include "CoreTestSupport.h"
#include "graphics/GdiText.h"
#include "gridbase/MarkupColors.h"
#include "gridbase/MarkupText.h"
#include "kel/ThemeNotifier.h"
#include "os/Registry.h"
#include "rtltesting/TestFiles.h"

#include <stdlib.h>

namespace {

class SettingsTest : public CoreTest {
protected:
    // Paints that a write causes once the grid is shown.
    Integer PaintsAfter(const std::function<void()>& Write) {
        Pump();
        const Integer Before = Grid->Paints;
        Write();
        Pump();
        return Grid->Paints - Before;
    }
};

TEST_F(SettingsTest, SelectionColorMixerFactorIsHeldWithinItsRange) {
    const std::pair<Integer, Integer> Cases[] = {{150, 100}, {-5, 0}, {70, 70}, {100, 100}, {0, 0}};
    for (const auto& [Written, Stored] : Cases) {
        Grid->SetSelectionColorMixerFactor(Written);
        EXPECT_EQ(Grid->SelectionColorMixerFactor(), Stored) << Written;
    }
}

TEST_F(SettingsTest, ChangedValuesRepaintAndSomeSettersRepaintAlways) {
    Show();
    EXPECT_EQ(PaintsAfter([&] { Grid->SetSelectionColor(Grid->SelectionColor()); }), 0);
    EXPECT_GT(PaintsAfter([&] { Grid->SetSelectionColor(0x123456); }), 0);
    EXPECT_GT(PaintsAfter([&] { Grid->SetActiveCellColor(Grid->ActiveCellColor()); }), 0);
    EXPECT_EQ(PaintsAfter([&] { Grid->SetActiveCellFont(nullptr); }), 0);
    EXPECT_EQ(PaintsAfter([&] { Grid->UpdateXYOffset(5, 6); }), 0);
    EXPECT_EQ(Grid->XYOffset(), TPoint(5, 6));
    EXPECT_GT(PaintsAfter([&] { Grid->SetXYOffset(TPoint(2, 2)); }), 0);
}

TEST_F(SettingsTest, FixedCellGradientIsStoredAsRGBAndRepaints) {
    Show();
    EXPECT_GT(PaintsAfter([&] { Grid->SetDOVGradientFrom(clBtnFace); }), 0);
    EXPECT_EQ(Grid->DOVGradientFrom(), ColorToRGB(clBtnFace));
    Grid->SetDOVGradientTo(clWindow);
    Grid->SetDOVGradientMirrorFrom(clHighlight);
    Grid->SetDOVGradientMirrorTo(0x102030);
    EXPECT_EQ(Grid->DOVGradientTo(), ColorToRGB(clWindow));
    EXPECT_EQ(Grid->DOVGradientMirrorFrom(), ColorToRGB(clHighlight));
    EXPECT_EQ(Grid->DOVGradientMirrorTo(), TColor(0x102030));
    EXPECT_EQ(PaintsAfter([&] { Grid->SetFormatType(Grid->FormatType()); }), 0);
    EXPECT_GT(PaintsAfter([&] { Grid->SetFormatType(ftExcel); }), 0);
}

TEST_F(SettingsTest, IntegralHeightFitsTheCurrentHeightAtOnce) {
    Show();
    Grid->SetScrollBars(ssNone);
    Grid->SetBorderStyle(bsNone);
    Grid->SetBounds(0, 0, 400, 100);
    ASSERT_EQ(Grid->Height(), 100);
    Grid->SetIntegralHeight(true);
    EXPECT_EQ(Grid->Height(), 100 - 100 % Grid->DefaultRowHeight());
}

TEST_F(SettingsTest, TheGridsCursorIsItsNormalCursor) {
    EXPECT_EQ(Grid->NormalCursor(), crDefault);
    Grid->SetCursor(crCross);
    EXPECT_EQ(Grid->Cursor(), crCross);
    EXPECT_EQ(Grid->NormalCursor(), crCross);
}

TEST_F(SettingsTest, SpreadSheetSwitchesEditingOnWhicheverValueIsWritten) {
    Grid->SetSpreadSheet(false);
    EXPECT_FALSE(Grid->SpreadSheet());
    EXPECT_TRUE(Grid->SelectionRectangle());
    EXPECT_TRUE(Grid->SelectionResizer());
    EXPECT_TRUE(Grid->Navigation()->Settings().AllowSmartClipboard);
    EXPECT_TRUE(Grid->MouseActions()->Settings().RangeSelectAndEdit);
    EXPECT_TRUE(Grid->Options().Contains(goRangeSelect));
    EXPECT_TRUE(Grid->Options().Contains(goEditing));
}

TEST_F(SettingsTest, HighlightColorsAreSharedByEveryGrid) {
    const TColor OldBack = MarkupHighlightColor();
    const TColor OldText = MarkupHighlightTextColor();
    auto* Second = Create<TTestCore>(Form);
    Grid->SetHighlightColor(0x00FFFF);
    Grid->SetHighlightTextColor(0x0000FF);
    // The second grid draws marked text with the colours the first one set.
    EXPECT_EQ(MarkupHighlightColor(), 0x00FFFF);
    EXPECT_EQ(MarkupHighlightTextColor(), 0x0000FF);
    EXPECT_EQ(Second->HighlightColor(), clHighlight);
    Second->SetHTMLKeepLineBreak(false);
    EXPECT_FALSE(MarkupKeepLineBreaks());
    Second->SetHTMLKeepLineBreak(true);
    SetMarkupHighlightColors(OldBack, OldText);
}

TEST_F(SettingsTest, VAlignmentGivesTheTextDrawingFlag) {
    const std::pair<TVAlignment, Cardinal> Cases[] = {
        {vtaCenter, DT_VCENTER}, {vtaBottom, DT_BOTTOM}, {vtaTop, DT_TOP}};
    for (const auto& [Value, Flag] : Cases) {
        Grid->SetVAlignment(Value);
        EXPECT_EQ(Grid->VAlignFlag(), Flag);
    }
}

TEST_F(SettingsTest, SizeWithFormAnchorsToAllSides) {
    Grid->SetSizeWithForm(true);
    EXPECT_EQ(Grid->Anchors(), (TAnchors{akLeft, akTop, akRight, akBottom}));
    Grid->SetAnchors(TAnchors{akLeft});
    Grid->SetSizeWithForm(false);
    EXPECT_EQ(Grid->Anchors(), (TAnchors{akLeft, akTop, akRight, akBottom}));
}

TEST_F(SettingsTest, AutoThemeAdaptFollowsOfficeAndRegistersOnlyAnExistingWindow) {
    // An Office 16.0 with the black theme, in a registry of the test's own.
    TTempFolder Hives;
    setenv("VANDREL_REGISTRY_DIR", Hives.Native().c_str(), 1);
    struct TUnset {
        ~TUnset() { unsetenv("VANDREL_REGISTRY_DIR"); }
    } Unset;
    {
        TRegistry Registry;
        ASSERT_TRUE(Registry.CreateKey(u"Software\\Microsoft\\Office\\16.0\\Common\\General"));
        ASSERT_TRUE(Registry.OpenKey(u"Software\\Microsoft\\Office\\16.0\\Common", true));
        Registry.WriteInteger(u"UI Theme", 4);
    }
    TThemeNotifier* Notifier = ThemeNotifierInstance(Form);
    ASSERT_NE(Notifier->MonitorThread(), nullptr);
    THandleList* Windows = Notifier->MonitorThread()->WinList();

    // Without a window the grid adapts its style but registers nothing.
    auto* Windowless = Create<TTestCore>(nullptr);
    Windowless->SetAutoThemeAdapt(true);
    EXPECT_EQ(Windowless->UIStyle(), tsOffice2019Black);
    EXPECT_FALSE(Windowless->HandleAllocated());
    EXPECT_EQ(Windows->Count(), 0);
    Free(Windowless);

    Show();
    Grid->SetAutoThemeAdapt(true);
    EXPECT_TRUE(Windows->HasValue(Grid->Handle()));
    Grid->SetAutoThemeAdapt(false);
    EXPECT_FALSE(Windows->HasValue(Grid->Handle()));
    Grid->SetAutoThemeAdapt(true);
    // A grid that goes leaves no window behind for the notifier to send to.
    const winapi::HWND Handle = Grid->Handle();
    Free(Grid);
    Grid = nullptr;
    EXPECT_FALSE(Windows->HasValue(Handle));
    Free(Notifier);
}

} // namespace

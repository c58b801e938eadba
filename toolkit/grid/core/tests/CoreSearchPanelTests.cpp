// The search footer: its panel's layout and keys, and the grid's handlers
// behind the edit and the next and previous buttons.

#include "CoreTestSupport.h"
#include "grid/SearchPanel.h"
#include "windowing/Input.h"
#include "windowing/SystemMetrics.h"

namespace {

class SearchFooterTest : public CoreTest {
protected:
    void SetUp() override {
        CoreTest::SetUp();
        Grid->SetColCount(4);
        Grid->SetRowCount(5);
        Grid->SetFixedCols(1);
        Grid->SetFixedRows(1);
        Grid->SetCells(3, 1, u"kiwi");
        Grid->SetCells(1, 2, u"Kale");
        Grid->SetCells(2, 4, u"leek");
        Panel = Grid->SearchPanel();
        Grid->SearchFooter()->SetShowResults(true);
    }
    void Type(const String& Text) { Panel->Edit()->SetText(Text); }
    String Result() const { return Panel->ResultLabel()->Caption(); }
    TSearchPanel* Panel = nullptr;
};

TEST_F(SearchFooterTest, TypingFindsAndCountsAndNextWrapsToTheFirst) {
    EXPECT_FALSE(Panel->ForwardButton()->Enabled());
    Type(u"k");
    EXPECT_TRUE(Panel->ForwardButton()->Enabled());
    // Top to bottom, column by column: (1,2), (2,4), (3,1).
    EXPECT_EQ(Grid->SearchFooter()->ResultTotal(), 3);
    EXPECT_EQ(Result(), u"(1 of 3)");
    EXPECT_EQ(Grid->Col(), 1);
    EXPECT_EQ(Grid->Row(), 2);
    Panel->ForwardClick();
    Panel->ForwardClick();
    EXPECT_EQ(Result(), u"(3 of 3)");
    EXPECT_EQ(Grid->Col(), 3);
    EXPECT_EQ(Grid->Row(), 1);
    // Past the last match the search goes round to the first: position 1.
    Panel->ForwardClick();
    EXPECT_EQ(Grid->SearchFooter()->ResultPosition(), 1);
    EXPECT_EQ(Result(), u"(1 of 3)");
    EXPECT_EQ(Grid->Col(), 1);
    EXPECT_EQ(Grid->Row(), 2);
    // Back from the first goes round to the last.
    Panel->BackwardClick();
    EXPECT_EQ(Result(), u"(3 of 3)");
    EXPECT_EQ(Grid->Col(), 3);
    // The handler may stop the search at the end instead.
    Integer Ends = 0;
    Grid->OnSearchFooterSearchEnd = [&](TObject*, bool& ContinueFromStart) {
        ++Ends;
        ContinueFromStart = false;
    };
    Panel->ForwardClick();
    EXPECT_EQ(Ends, 1);
    EXPECT_EQ(Grid->Col(), 3);
    EXPECT_EQ(Grid->Row(), 1);
}

TEST_F(SearchFooterTest, ThePanelLiesAlongTheBottomAboveAHorizontalScrollBar) {
    Grid->SetBounds(0, 0, 400, 200);
    Show();
    const Integer Footer = 34; // the footer height at 96 DPI
    const Integer Bar = winapi::GetSystemMetrics(winapi::SM_CYHSCROLL);
    Panel->SetBounds(7, 7, 10, Footer);
    // Hidden, the panel stays where it is.
    Grid->UpdateSearchPanel();
    EXPECT_EQ(Panel->Top(), 7);
    Grid->SearchFooter()->SetVisible(true);
    struct Case {
        Integer ColWidth;
        TScrollBarAlways Always;
        Integer Top;
    };
    const Case Cases[] = {
        {50, saNone, 200 - Footer},
        {50, saVert, 200 - Footer},
        {50, saBoth, 200 - Footer - Bar},
        {150, saNone, 200 - Footer - Bar},
    };
    for (const Case& C : Cases) {
        for (Integer c = 0; c < Grid->ColCount(); ++c) Grid->SetColWidths(c, C.ColWidth);
        Grid->SetScrollBarAlways(C.Always);
        Grid->UpdateSearchPanel();
        EXPECT_EQ(Panel->Top(), C.Top) << C.ColWidth << " " << int(C.Always);
        EXPECT_EQ(Panel->Left(), Grid->ClientRect().Left);
        EXPECT_EQ(Panel->Width(), Grid->ClientWidth());
    }
}

TEST_F(SearchFooterTest, AFailedSearchShowsTheErrorColours) {
    std::vector<Integer> Actions;
    Grid->OnSearchFooterAction = [&](TObject*, const String&, Integer, Integer, Integer Action) {
        Actions.push_back(Action);
    };
    Type(u"zz");
    EXPECT_EQ(Grid->SearchFooter()->ResultPosition(), -1);
    EXPECT_EQ(Panel->Edit()->Color(), Grid->SearchFooter()->SearchErrorColor());
    EXPECT_EQ(Panel->Edit()->Font()->Color(), Grid->SearchFooter()->SearchErrorTextColor());
    EXPECT_EQ(Result(), u"");
    Type(u"kale");
    EXPECT_EQ(Panel->Edit()->Color(), Grid->SearchFooter()->SearchColor());
    EXPECT_EQ(Result(), u"(1 of 1)");
    // OnSearchEditChange may take the search over.
    Grid->OnSearchEditChange = [](TObject*, const String&, bool& DefaultSearch) { DefaultSearch = false; };
    Type(u"kiwi");
    EXPECT_EQ(Grid->Col(), 1);
    EXPECT_EQ(Actions, (std::vector<Integer>{saFindFirst, saFindFirst}));
}

TEST_F(SearchFooterTest, LayoutAndKeysOfThePanel) {
    Integer Created = 0;
    Grid->OnCreatedSearchFooter = [&](TObject*) { ++Created; };
    Panel->SetParent(Form);
    Panel->SetBounds(0, 300, 600, 34);
    Panel->HandleNeeded();
    EXPECT_EQ(Created, 1);
    // The fixed positions of a new panel (the footer's settings then line
    // the shown controls up, tested below).
    Panel->LayoutControls();
    struct TCase {
        TControl* Control;
        Integer Left, Top, Width;
    } Cases[] = {{Panel->Edit(), 25, 6, 110},          {Panel->ForwardButton(), 140, 5, 90},
                 {Panel->BackwardButton(), 235, 5, 90}, {Panel->ExitButton(), 5, 7, 14},
                 {Panel->HighlightButton(), 330, 5, 90}};
    for (const TCase& C : Cases) {
        EXPECT_EQ(C.Control->Left(), C.Left) << Utf8(C.Control->ClassName());
        EXPECT_EQ(C.Control->Top(), C.Top) << Utf8(C.Control->ClassName());
        EXPECT_EQ(C.Control->Width(), C.Width) << Utf8(C.Control->ClassName());
    }
    EXPECT_EQ(Panel->MatchCase()->Left(), 425);
    EXPECT_GT(Panel->ResultLabel()->Left(), Panel->MatchCase()->Left() + Panel->MatchCase()->Width());
    // Right to left mirrors the edit and the buttons, not the box.
    Panel->SetBiDiMode(bdRightToLeft);
    Panel->LayoutControls();
    EXPECT_EQ(Panel->Edit()->Left(), 600 - 110 - 25);
    EXPECT_EQ(Panel->ExitButton()->Left(), 600 - 14 - 5);
    EXPECT_EQ(Panel->MatchCase()->Left(), 425);
    // Enter in the edit is the forward click, not a new line.
    Integer Forward = 0;
    Panel->OnForwardClick = [&](TObject*) { ++Forward; };
    Panel->Edit()->SetText(u"k");
    Panel->Edit()->Perform(winapi::WM_KEYDOWN, winapi::VK_RETURN, 0);
    Panel->Edit()->Perform(winapi::WM_CHAR, u'\r', 0);
    EXPECT_EQ(Forward, 1);
    EXPECT_EQ(Panel->Edit()->Text(), u"k");
}

TEST_F(SearchFooterTest, NarrowDownModeFiltersWhileTypingAndCloseShowsAllRows) {
    Grid->SearchFooter()->SetSearchType(stNarrowDown);
    Grid->HideRow(3);
    Type(u"k");
    // Every shown row holds a k somewhere (kiwi, Kale, leek); only Kale holds ka.
    EXPECT_EQ(Grid->RowCount(), 4);
    Type(u"ka");
    EXPECT_EQ(Grid->RowCount(), 2);
    EXPECT_EQ(Grid->Cells(1, 1), u"Kale");
    Panel->ExitButton()->Click();
    EXPECT_FALSE(Grid->SearchFooter()->Visible());
    // All narrowed rows are back; the row hidden before stays hidden.
    EXPECT_EQ(Grid->RowCount(), 4);
    EXPECT_TRUE(Grid->IsHiddenRow(3));
}

TEST_F(SearchFooterTest, TheFooterSettingsShowPlaceAndLineUpThePanel) {
    Integer Created = 0;
    Grid->OnCreatedSearchFooter = [&](TObject*) { ++Created; };
    Grid->SetBounds(0, 0, 400, 200);
    Show();
    // The grid's window takes the panel in, out of sight while the footer is.
    EXPECT_EQ(Panel->Parent(), Grid);
    EXPECT_FALSE(Panel->Visible());
    EXPECT_EQ(Panel->Height(), 0);
    TSearchFooter* SF = Grid->SearchFooter();
    SF->SetSearchColor(0x00E0FF);
    SF->SetSearchTextColor(0x800000);
    SF->SetFindNextCaption(u"Onward");
    SF->SetHintFindNext(u"");
    SF->SetHintFindPrev(u"Back again");
    SF->SetColor(0x102030);
    SF->SetVisible(true);
    Pump();
    EXPECT_EQ(Created, 1);
    ASSERT_TRUE(Panel->Visible());
    ASSERT_TRUE(Panel->HandleAllocated());
    EXPECT_EQ(Panel->Height(), 34);
    EXPECT_EQ(Panel->Top(), 200 - 34);
    EXPECT_EQ(Panel->Width(), Grid->ClientWidth());
    EXPECT_EQ(Panel->Color(), 0x102030);
    EXPECT_EQ(Panel->Edit()->Color(), 0x00E0FF);
    EXPECT_EQ(Panel->Edit()->Font()->Color(), 0x800000);
    EXPECT_EQ(Panel->ForwardButton()->Caption(), u"Onward");
    EXPECT_FALSE(Panel->ForwardButton()->ShowHint());
    EXPECT_TRUE(Panel->BackwardButton()->ShowHint());
    // The shown controls in a row from the forward button on: 8 pixels
    // after each button, 10 after the box; a hidden control leaves no gap.
    auto Right = [](TControl* C) { return C->Left() + C->Width(); };
    EXPECT_EQ(Panel->ForwardButton()->Left(), 140);
    EXPECT_EQ(Panel->BackwardButton()->Left(), 238);
    EXPECT_EQ(Panel->HighlightButton()->Left(), 336);
    EXPECT_EQ(Panel->MatchCase()->Left(), Right(Panel->HighlightButton()) + 8);
    EXPECT_EQ(Panel->ResultLabel()->Left(), Right(Panel->MatchCase()) + 10);
    EXPECT_EQ(Panel->ForwardButton()->Height(), Panel->Edit()->Height() + 2);
    EXPECT_EQ(Panel->MatchCase()->Height(), 18);
    SF->SetShowFindPrev(false);
    EXPECT_FALSE(Panel->BackwardButton()->Visible());
    EXPECT_EQ(Panel->BackwardButton()->Height(), 0);
    EXPECT_EQ(Panel->HighlightButton()->Left(), 238);
    // Narrowing down shows only the edit, the close button, the box and the
    // result label.
    SF->SetSearchType(stNarrowDown);
    for (TControl* C : std::initializer_list<TControl*>{Panel->ForwardButton(), Panel->BackwardButton(),
                                                        Panel->HighlightButton()})
        EXPECT_FALSE(C->Visible());
    for (TControl* C : std::initializer_list<TControl*>{Panel->Edit(), Panel->ExitButton(), Panel->MatchCase(),
                                                        Panel->ResultLabel()})
        EXPECT_TRUE(C->Visible());
    EXPECT_EQ(Panel->MatchCase()->Left(), 140);
    // Right to left the row runs leftwards from the close button.
    SF->SetSearchType(stSearch);
    SF->SetShowFindPrev(true);
    Panel->SetBiDiMode(bdRightToLeft);
    Grid->SearchPanelResized();
    const Integer Exit = Panel->ClientWidth() - 5 - 14;
    EXPECT_EQ(Panel->ExitButton()->Left(), Exit);
    EXPECT_EQ(Panel->Edit()->Left(), Exit - 8 - 110);
    EXPECT_EQ(Panel->ForwardButton()->Left(), Exit - 8 - 110 - 8 - 90);
    EXPECT_EQ(Panel->BackwardButton()->Left(), Exit - 8 - 110 - 2 * (8 + 90));
    // Hidden again: no height, not shown.
    SF->SetVisible(false);
    EXPECT_FALSE(Panel->Visible());
    EXPECT_EQ(Panel->Height(), 0);
}

TEST_F(SearchFooterTest, TheButtonsFollowTheControlStyle) {
    Show();
    Grid->SearchFooter()->SetVisible(true);
    struct Case {
        ZirOvararIzaz::TControlStyle Style;
        bool ThemeAdapt, Flat, XP;
    };
    const Case Cases[] = {
        {ZirOvararIzaz::csFlat, false, true, false},   {ZirOvararIzaz::csWinXP, false, false, true},
        {ZirOvararIzaz::csClassic, false, false, false}, {ZirOvararIzaz::csClassic, true, true, false},
    };
    for (const Case& C : Cases) {
        for (TKelGridButton* B : {Panel->ForwardButton(), Panel->BackwardButton(), Panel->HighlightButton()}) {
            B->SetFlat(!C.Flat);
            B->SetAutoXPStyle(false);
        }
        Grid->ControlLook()->SetControlStyle(C.Style);
        Grid->SetAutoThemeAdapt(C.ThemeAdapt);
        Grid->SearchPanelResized();
        for (TKelGridButton* B : {Panel->ForwardButton(), Panel->BackwardButton(), Panel->HighlightButton()}) {
            EXPECT_EQ(B->Flat(), C.Flat) << int(C.Style) << C.ThemeAdapt;
            EXPECT_EQ(B->AutoXPStyle(), C.XP) << int(C.Style) << C.ThemeAdapt;
            EXPECT_EQ(B->AutoThemeAdapt(), C.ThemeAdapt) << int(C.Style);
        }
        Grid->SetAutoThemeAdapt(false);
        for (TKelGridButton* B : {Panel->ForwardButton(), Panel->BackwardButton(), Panel->HighlightButton()})
            B->SetAutoThemeAdapt(false);
    }
}

} // namespace

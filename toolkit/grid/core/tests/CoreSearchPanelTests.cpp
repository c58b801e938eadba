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
    Panel->SetVisible(false);
    Grid->UpdateSearchPanel();
    EXPECT_EQ(Panel->Top(), 7);
    Panel->SetVisible(true);
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

} // namespace

// The grid's scroll bars: thumb-drag hints, live scrolling, proportional
// thumbs, the painted and flat looks, the cell scroll bar, drag scroll and
// smooth scroll on the manual clock, and forgetting removed components.

#include "InputTestSupport.h"

#include "graphics/ImageList.h"
#include "rtl/Convert.h"
#include "vcl/Forms.h"
#include "vcl/StdCtrls.h"
#include "vcl/Timer.h"
#include "windowing/ScrollBar.h"

#include <cmath>

using namespace winapi;

namespace {

class ScrollBarTest : public InputTest {
protected:
    void SetUp() override {
        InputTest::SetUp();
        Grid->SetBorderStyle(bsNone);
        Grid->SetBounds(0, 0, 400, 231);
        Grid->SetFixedCols(0);
        Grid->SetFixedRows(0);
        Grid->SetDefaultRowHeight(20);
        Show();
    }
    void Scroll(UINT Msg, Integer Code, Integer Pos) { Grid->Perform(Msg, MAKEWPARAM(Code, Pos), 0); }
    void Wait(Cardinal Ms) {
        Clock->Advance(Ms);
        Pump();
    }
};

} // namespace

TEST_F(ScrollBarTest, ThumbDragHintNamesTheColumnOrRowUntilTheDragEnds) {
    Grid->SetColCount(20);
    Grid->SetDefaultColWidth(75); // five columns beside the vertical bar
    Grid->SetRowCount(100);
    ASSERT_EQ(Grid->VisibleColCount(), 5);
    Grid->SetScrollHints(shBoth);
    ASSERT_NE(Grid->ScrollHintWindow(), nullptr);
    const Integer LastTop = 100 - Grid->VisibleRowCount();
    struct TCase {
        UINT Msg;
        Integer Pos;
        String Hint;
    } Cases[] = {
        {WM_HSCROLL, 127, u"Col : 15"},
        {WM_HSCROLL, 0, u"Col : 0"},
        {WM_VSCROLL, 127, u"Row : " + IntToStr(LastTop)},
        {WM_VSCROLL, 0, u"Row : 0"},
    };
    for (const TCase& Case : Cases) {
        Scroll(Case.Msg, SB_THUMBTRACK, Case.Pos);
        EXPECT_TRUE(Grid->ScrollHintShowing());
        EXPECT_EQ(Grid->ScrollHintWindow()->Caption(), Case.Hint);
        Scroll(Case.Msg, SB_ENDSCROLL, 0);
        EXPECT_FALSE(Grid->ScrollHintShowing());
    }
    // The handler may say it otherwise; the horizontal hint gets the column.
    Integer Told = -1;
    Grid->OnScrollHint = [&](TObject*, Integer ARow, String& Text) {
        Told = ARow;
        Text = u"Page " + IntToStr(ARow);
    };
    Scroll(WM_HSCROLL, SB_THUMBTRACK, 127);
    EXPECT_EQ(Told, 15);
    EXPECT_EQ(Grid->ScrollHintWindow()->Caption(), u"Page 15");
    // Only the bars the hint kind names show hints.
    Scroll(WM_HSCROLL, SB_ENDSCROLL, 0);
    Grid->SetScrollHints(shVertical);
    Scroll(WM_HSCROLL, SB_THUMBTRACK, 127);
    EXPECT_FALSE(Grid->ScrollHintShowing());
}

TEST_F(ScrollBarTest, ScrollSynchMovesTheViewWhileTheThumbIsDragged) {
    Grid->SetRowCount(100);
    const Integer LastTop = 100 - Grid->VisibleRowCount();
    for (bool Synch : {true, false}) {
        Grid->SetTopRow(0);
        Grid->SetScrollSynch(Synch);
        Scroll(WM_VSCROLL, SB_THUMBTRACK, 127);
        EXPECT_EQ(Grid->TopRow(), Synch ? LastTop : 0) << Synch;
        Scroll(WM_VSCROLL, SB_THUMBPOSITION, 127);
        EXPECT_EQ(Grid->TopRow(), LastTop) << Synch;
    }
}

TEST_F(ScrollBarTest, ProportionalThumbIsTheVisibleShareOnTheScale) {
    Grid->SetColCount(2);
    // With every row in view nothing is set.
    Grid->SetRowCount(5);
    Grid->SetScrollProportional(true);
    SCROLLINFO Info;
    Info.fMask = SIF_ALL;
    ASSERT_TRUE(GetScrollInfo(Grid->Handle(), SB_VERT, Info));
    EXPECT_EQ(Info.nPage, 0u);

    Grid->SetRowCount(100);
    Grid->SetScrollProportional(true);
    ASSERT_TRUE(GetScrollInfo(Grid->Handle(), SB_VERT, Info));
    const Single Ratio = Single(230) / Single(2101);
    const Integer Max = Integer(std::trunc((Ratio + 127) / (1 - Ratio)));
    EXPECT_EQ(Info.nMax, Max);
    EXPECT_EQ(Info.nPage, UINT(Max - 126));
    EXPECT_EQ(Info.nPos, 0);
    // Scrolling keeps the thumb's size.
    Grid->SetTopRow(50);
    ASSERT_TRUE(GetScrollInfo(Grid->Handle(), SB_VERT, Info));
    EXPECT_EQ(Info.nPage, UINT(Max - 126));
    EXPECT_EQ(Info.nPos, Integer(std::trunc(1051.0 / (2101 - 231) * 128)));
}

TEST_F(ScrollBarTest, PaintedBarsReplaceTheNormalOnesAndFlatBarsStayNormal) {
    Grid->SetScrollBars(ssBoth);
    Grid->SetScrollType(ssMetro);
    ASSERT_NE(Grid->VScrollControl(), nullptr);
    ASSERT_NE(Grid->HScrollControl(), nullptr);
    EXPECT_EQ(Grid->VScrollControl()->Width(), 6);
    EXPECT_EQ(Grid->HScrollControl()->Height(), 6);
    EXPECT_EQ(Grid->ScrollBars(), ssNone);

    Grid->SetScrollType(ssNormal);
    EXPECT_EQ(Grid->VScrollControl(), nullptr);
    EXPECT_EQ(Grid->HScrollControl(), nullptr);
    EXPECT_EQ(Grid->ScrollBars(), ssBoth);

    // Only the bars ScrollBars has become painted ones.
    Grid->SetScrollBars(ssVertical);
    Grid->SetScrollType(ssMetro);
    EXPECT_NE(Grid->VScrollControl(), nullptr);
    EXPECT_EQ(Grid->HScrollControl(), nullptr);
    Grid->SetScrollType(ssNormal);

    for (TScrollType Flat : {ssFlat, ssEncarta}) {
        Grid->SetScrollBars(ssHorizontal);
        Grid->SetScrollType(Flat);
        EXPECT_EQ(Grid->ScrollType(), Flat);
        EXPECT_FALSE(Grid->FlatScrollBarsActive());
        EXPECT_EQ(Grid->ScrollBars(), ssHorizontal);
        EXPECT_EQ(Grid->VScrollControl(), nullptr);
        Grid->SetScrollType(ssNormal);
    }
}

TEST_F(ScrollBarTest, CellScrollBarMovesWithinItsRangeAndTellsTheCell) {
    Grid->SetColCount(3);
    Grid->SetRowCount(5);
    Grid->AddScrollBar(1, 2, false);
    TScrollBar* Bar = Grid->CellScrollBar();
    Bar->HandleNeeded();
    Bar->SetParams(0, 0, 150);
    Grid->SetScrollCell(1, 2);
    std::vector<std::vector<Integer>> Told;
    Grid->OnScrollCell = [&](TObject*, Integer ACol, Integer ARow, Integer Pos, Integer Min, Integer Max) {
        Told.push_back({ACol, ARow, Pos, Min, Max});
    };
    struct TCase {
        Integer Code, Pos, Expected;
    } Cases[] = {
        {SB_LINEDOWN, 0, 10}, {SB_PAGEDOWN, 0, 110}, {SB_PAGEDOWN, 0, 150},
        {SB_LINEUP, 0, 140},  {SB_THUMBTRACK, 42, 42}, {SB_PAGEUP, 0, 0},
    };
    for (const TCase& Case : Cases) {
        Told.clear();
        const LRESULT Result = Grid->Perform(WM_VSCROLL, MAKEWPARAM(Case.Code, Case.Pos),
                                             reinterpret_cast<LPARAM>(Bar->Handle()));
        EXPECT_EQ(Bar->Position(), Case.Expected) << Case.Code;
        EXPECT_EQ(Result, 1);
        EXPECT_EQ(Grid->GetScrollPosition(1, 2), Case.Expected);
        EXPECT_EQ(Told, (std::vector<std::vector<Integer>>{{1, 2, Case.Expected, 0, 150}}));
    }
    // Already at the top: no move, nothing told, the grid does not scroll.
    Told.clear();
    Grid->SetRowCount(100);
    Grid->SetTopRow(5);
    EXPECT_EQ(Grid->Perform(WM_VSCROLL, MAKEWPARAM(SB_LINEUP, 0), reinterpret_cast<LPARAM>(Bar->Handle())), 0);
    EXPECT_TRUE(Told.empty());
    EXPECT_EQ(Grid->TopRow(), 5);
}

TEST_F(ScrollBarTest, DragNearAnEdgeScrollsAfterTheInitialDelayThenAtTheRepeatDelay) {
    Grid->SetRowCount(100);
    Grid->SetTopRow(20);
    TDragScrollOptions* Options = Grid->DragScrollOptions();
    Options->SetActive(true);
    Options->Margins()->SetTopMargin(10);
    Options->Delays()->SetInitialDelay(1000);
    Options->Delays()->SetRepeatDelay(200);
    Integer Ticks = 0;
    bool Veto = false;
    Grid->OnDragScroll = [&](TObject*, Integer, Integer, TDragScrollDirection& Dir, bool& CanScroll) {
        ++Ticks;
        EXPECT_TRUE(Dir.Contains(dsdUp));
        CanScroll = !Veto;
    };
    bool Accept = true;
    Grid->DragOver(nullptr, 100, 5, dsDragEnter, Accept);
    ASSERT_NE(Grid->DragScrollTimer(), nullptr);
    EXPECT_EQ(Grid->DragScrollTimer()->Owner(), Form);
    Wait(999);
    EXPECT_EQ(Grid->TopRow(), 20);
    Wait(1);
    EXPECT_EQ(Grid->TopRow(), 19);
    Wait(200);
    EXPECT_EQ(Grid->TopRow(), 18);
    Veto = true; // this tick only
    Wait(200);
    EXPECT_EQ(Grid->TopRow(), 18);
    Veto = false;
    Wait(200);
    EXPECT_EQ(Grid->TopRow(), 17);
    EXPECT_EQ(Ticks, 4);
    // Out of the margins the timer goes; leaving the grid too.
    Grid->DragOver(nullptr, 100, 100, dsDragMove, Accept);
    EXPECT_EQ(Grid->DragScrollTimer(), nullptr);
    Grid->DragOver(nullptr, 100, 5, dsDragMove, Accept);
    ASSERT_NE(Grid->DragScrollTimer(), nullptr);
    Grid->DragOver(nullptr, 100, 5, dsDragLeave, Accept);
    EXPECT_EQ(Grid->DragScrollTimer(), nullptr);
    Wait(2000);
    EXPECT_EQ(Grid->TopRow(), 17);
}

TEST_F(ScrollBarTest, SmoothScrollTakesTenStepsAndStopsAtTheEnds) {
    Grid->SetRowCount(100);
    const Integer LastTop = 100 - Grid->VisibleRowCount();
    struct TCase {
        Integer Start, Step, End;
    } Cases[] = {{40, 1, 50}, {LastTop - 3, 1, LastTop}, {4, -1, 0}};
    for (const TCase& Case : Cases) {
        Grid->SetTopRow(Case.Start);
        Grid->StartSmoothScroll(10, Case.Step, true);
        for (Integer i = 0; i < 10; ++i) Wait(10);
        EXPECT_EQ(Grid->TopRow(), Case.End) << Case.Start;
        EXPECT_FALSE(Grid->SmoothScrollTimer()->Enabled());
        Wait(100);
        EXPECT_EQ(Grid->TopRow(), Case.End) << Case.Start;
    }
    Grid->SetColCount(30);
    Grid->SetLeftCol(3);
    Grid->StartSmoothScroll(10, -1, false);
    for (Integer i = 0; i < 10; ++i) Wait(10);
    EXPECT_EQ(Grid->LeftCol(), 0);
}

TEST_F(ScrollBarTest, RemovedComponentsAreForgotten) {
    // A grid on another owner: only the link tells of its removal.
    auto* Other = Create<TTestInput>(nullptr);
    Grid->SyncGrid()->SetGrid(Other);
    auto* Images = Create<TImageList>(nullptr);
    Grid->SetGridImages(Images);
    Free(Other);
    EXPECT_EQ(Grid->SyncGrid()->Grid(), nullptr);
    Free(Images);
    EXPECT_EQ(Grid->GridImages(), nullptr);
}

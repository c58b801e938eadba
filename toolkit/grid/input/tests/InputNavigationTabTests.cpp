// Tab and Shift+Tab: moves, wraps, appending, the hand-off to the parent
// window and grids whose cells may not be entered.

#include "InputTestSupport.h"
#include "vcl/ExtCtrls.h"
#include "windowing/MessageQueue.h"

#include <string>
#include <vector>

namespace {

class TabTest : public InputTest {
protected:
    void SetUp() override {
        InputTest::SetUp();
        Show();
        Grid->SetRowCount(5);
        Grid->SetOptions(TGridOptions{goEditing, goTabs});
        Nav().AdvanceAutoEdit = false;
    }
    TNavigationSettings& Nav() { return Grid->Navigation()->PlainSettings(); }
    TPoint Tab(Integer ACol, Integer ARow, bool Backward = false) {
        Grid->FocusCell(ACol, ARow);
        Result = Grid->NavigateByKey(Backward);
        return TPoint(Grid->Col(), Grid->Row());
    }
    // Whether a Tab key-down waits in the queue for the form.
    bool FormGotTab() {
        winapi::MSG Msg;
        bool Got = false;
        while (winapi::PeekMessage(Msg, Form->Handle(), winapi::WM_KEYDOWN, winapi::WM_KEYDOWN, winapi::PM_REMOVE))
            Got = Got || Msg.wParam == winapi::VK_TAB;
        return Got;
    }
    bool Result = true;
};

TEST_F(TabTest, TabAndShiftTabMoveAndWrap) {
    struct Case {
        TAdvanceDirection Dir;
        bool Backward;
        Integer Col, Row, ToCol, ToRow;
    };
    const Case Cases[] = {
        {adLeftRight, false, 2, 2, 3, 2},
        {adLeftRight, false, 4, 2, 1, 3},
        {adLeftRight, false, 4, 4, 1, 1},
        {adLeftRight, true, 3, 2, 2, 2},
        {adLeftRight, true, 1, 3, 4, 2},
        {adLeftRight, true, 1, 1, 4, 4},
        {adTopBottom, false, 2, 2, 2, 3},
        {adTopBottom, false, 2, 4, 3, 1},
        {adTopBottom, true, 2, 1, 1, 4},
    };
    for (const Case& C : Cases) {
        Nav().TabAdvanceDirection = C.Dir;
        EXPECT_EQ(Tab(C.Col, C.Row, C.Backward), TPoint(C.ToCol, C.ToRow))
            << int(C.Dir) << " back " << C.Backward << " from " << C.Col << "," << C.Row;
        EXPECT_TRUE(Result);
    }
}

TEST_F(TabTest, TheWrapToTheNextRowAsksOnceWithTheFirstColumn) {
    std::vector<std::string> Log;
    Grid->OnRowChanging = [&](TObject*, Integer O, Integer N, bool&) {
        Log.push_back("row " + std::to_string(O) + ">" + std::to_string(N));
    };
    Grid->OnColChanging = [&](TObject*, Integer O, Integer N, bool&) {
        Log.push_back("col " + std::to_string(O) + ">" + std::to_string(N));
    };
    EXPECT_EQ(Tab(4, 2), TPoint(1, 3));
    EXPECT_EQ(Log, (std::vector<std::string>{"row 2>3", "col 4>1"}));
    // Refused, the cursor stays in the last cell of the row.
    Grid->OnRowChanging = [](TObject*, Integer, Integer, bool& Allow) { Allow = false; };
    EXPECT_EQ(Tab(4, 2), TPoint(4, 2));
}

TEST_F(TabTest, TheLastCellAppendsARowOrHandsTheTabOn) {
    Nav().AdvanceInsert = true;
    Integer Reported = -1;
    Grid->OnAutoAddRow = [&](TObject*, Integer ARow) { Reported = ARow; };
    EXPECT_EQ(Tab(4, 4), TPoint(1, 5));
    EXPECT_EQ(Grid->RowCount(), 6);
    EXPECT_EQ(Reported, 5);

    // With a second control on the form the Tab goes on to the parent.
    Grid->SetRowCount(5);
    auto* Other = Create<TPanel>(Form);
    Other->SetParent(Form);
    Nav().TabToNextAtEnd = true;
    (void)FormGotTab();
    EXPECT_EQ(Tab(4, 4), TPoint(1, 1));
    EXPECT_FALSE(Result);
    EXPECT_EQ(Grid->RowCount(), 5);
    EXPECT_TRUE(FormGotTab());
}

TEST_F(TabTest, AnOnKeyDownHandlerThatChangesTheKeyStopsTheTab) {
    Grid->OnKeyDown = [](TObject*, Word& Key, TShiftState) { Key = 0; };
    EXPECT_EQ(Tab(2, 2), TPoint(2, 2));
}

TEST_F(TabTest, CellsThatMayNotBeEditedAreSkippedAndAGridWithoutAnyEnds) {
    Grid->OnCanEditCell = [](TObject*, Integer, Integer ACol, bool& CanEdit) { CanEdit = ACol != 3; };
    EXPECT_EQ(Tab(2, 2), TPoint(4, 2));
    EXPECT_EQ(Tab(4, 2, true), TPoint(2, 2));
    Grid->OnCanEditCell = [](TObject*, Integer, Integer, bool& CanEdit) { CanEdit = false; };
    for (bool Backward : {false, true}) {
        (void)Tab(2, 2, Backward);
        EXPECT_EQ(Grid->FLastTabCol, -1);
    }
}

} // namespace

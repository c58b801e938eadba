// The Enter advance: the target by direction, position and options, the
// ends of the grid, and the runs that must stop.

#include "InputTestSupport.h"

namespace {

class AdvanceTest : public InputTest {
protected:
    void SetUp() override {
        InputTest::SetUp();
        Show();
        Grid->SetRowCount(5);
        Grid->SetOptions(TGridOptions{goEditing});
        TNavigationSettings& Nav = Grid->Navigation()->PlainSettings();
        Nav.AdvanceOnEnter = true;
        Nav.AdvanceOnEnterLoop = false;
        Nav.AdvanceSkipReadOnlyCells = false;
        Nav.AdvanceAutoEdit = false;
    }
    TNavigationSettings& Nav() { return Grid->Navigation()->PlainSettings(); }
    // Enter (or Shift+Enter) from a cell; answers where the cursor is.
    TPoint Advance(Integer ACol, Integer ARow, bool Forward = true) {
        Grid->FocusCell(ACol, ARow);
        Grid->AdvanceCell(ACol, ARow, false, false, Forward, false, false);
        return TPoint(Grid->Col(), Grid->Row());
    }
};

TEST_F(AdvanceTest, TargetByDirectionPositionAndOptions) {
    struct Case {
        TAdvanceDirection Dir;
        bool Forward, Loop, Insert;
        Integer Col, Row;
        Integer ToCol, ToRow, Rows;
    };
    const Case Cases[] = {
        {adLeftRight, true, false, false, 2, 2, 3, 2, 5},
        {adLeftRight, true, false, false, 4, 2, 1, 3, 5},
        {adLeftRight, true, false, false, 4, 4, 4, 4, 5},
        {adLeftRight, true, true, false, 4, 4, 1, 1, 5},
        {adLeftRight, true, false, true, 4, 4, 1, 5, 6},
        {adTopBottom, true, false, false, 2, 2, 2, 3, 5},
        {adTopBottom, true, false, false, 2, 4, 3, 1, 5},
        {adTopBottom, true, false, false, 4, 4, 4, 4, 5},
        {adTopBottom, true, true, false, 4, 4, 1, 1, 5},
        {adLeftRightInRow, true, false, false, 4, 2, 4, 2, 5},
        {adLeftRightInRow, true, true, false, 4, 2, 1, 2, 5},
        {adTopBottomInCol, true, false, false, 2, 4, 2, 4, 5},
        {adTopBottomInCol, true, true, false, 2, 4, 2, 1, 5},
        {adTopBottomInCol, true, false, true, 2, 4, 2, 5, 6},
        {adLeftRight, false, false, false, 1, 2, 4, 1, 5},
        {adLeftRight, false, false, false, 1, 1, 4, 4, 5},
        {adTopBottom, false, false, false, 2, 1, 1, 4, 5},
        {adLeftRightInRow, false, false, false, 2, 2, 2, 2, 5},
        {adTopBottomInCol, false, false, false, 2, 2, 2, 2, 5},
    };
    for (const Case& C : Cases) {
        Grid->SetRowCount(5);
        Nav().AdvanceDirection = C.Dir;
        Nav().AdvanceOnEnterLoop = C.Loop;
        Nav().AdvanceInsert = C.Insert;
        const TPoint At = Advance(C.Col, C.Row, C.Forward);
        EXPECT_EQ(At, TPoint(C.ToCol, C.ToRow))
            << int(C.Dir) << " fwd " << C.Forward << " loop " << C.Loop << " ins " << C.Insert << " from " << C.Col
            << "," << C.Row;
        EXPECT_EQ(Grid->RowCount(), C.Rows);
    }
}

TEST_F(AdvanceTest, AMergedCellIsLeftPastItsWholeWidth) {
    Grid->MergeCells(1, 2, 2, 1);
    EXPECT_EQ(Advance(1, 2), TPoint(3, 2));
}

TEST_F(AdvanceTest, AddingARowAsksAndReports) {
    Nav().AdvanceInsert = true;
    Integer Reported = -1;
    Grid->OnAutoAddRow = [&](TObject*, Integer ARow) { Reported = ARow; };
    Grid->OnCanAddRow = [](TObject*, bool& CanAdd) { CanAdd = false; };
    // Refused: the first edit column of the same row.
    EXPECT_EQ(Advance(4, 4), TPoint(1, 4));
    EXPECT_EQ(Grid->RowCount(), 5);
    EXPECT_EQ(Reported, -1);
    Grid->OnCanAddRow = nullptr;
    EXPECT_EQ(Advance(4, 4), TPoint(1, 5));
    EXPECT_EQ(Reported, 5);
}

TEST_F(AdvanceTest, OnAutoAdvanceRedirectsOrRefusesTheTarget) {
    Grid->OnAutoAdvance = [](TObject*, Integer, Integer, Integer& NewRow, Integer& NewCol, bool&) {
        NewRow = 4;
        NewCol = 1;
    };
    EXPECT_EQ(Advance(2, 2), TPoint(1, 4));
    Grid->OnAutoAdvance = [](TObject*, Integer, Integer, Integer&, Integer&, bool& Allow) { Allow = false; };
    EXPECT_EQ(Advance(2, 2), TPoint(2, 2));
}

TEST_F(AdvanceTest, SkippingCellsThatMayNotBeEditedStopsAfterOnePass) {
    Nav().AdvanceSkipReadOnlyCells = true;
    Grid->OnCanEditCell = [](TObject*, Integer ARow, Integer ACol, bool& CanEdit) { CanEdit = ACol == 3 && ARow == 3; };
    EXPECT_EQ(Advance(1, 2), TPoint(3, 3));
    struct Case {
        TAdvanceDirection Dir;
        bool Loop, Insert;
        Integer Rows, Cols;
    };
    // No cell may be edited: the cursor stays, and at most one row or
    // column is added for the key.
    const Case Cases[] = {
        {adLeftRight, false, false, 5, 5},
        {adLeftRight, true, false, 5, 5},
        {adTopBottom, true, false, 5, 5},
        {adTopBottomInCol, true, true, 6, 5},
        {adTopBottom, true, true, 5, 6},
    };
    Grid->OnCanEditCell = [](TObject*, Integer, Integer, bool& CanEdit) { CanEdit = false; };
    for (const Case& C : Cases) {
        Grid->SetRowCount(5);
        Grid->SetColCount(5);
        Nav().AdvanceDirection = C.Dir;
        Nav().AdvanceOnEnterLoop = C.Loop;
        Nav().AdvanceInsert = C.Insert;
        EXPECT_EQ(Advance(4, 4), TPoint(4, 4)) << int(C.Dir);
        EXPECT_EQ(Grid->RowCount(), C.Rows) << int(C.Dir);
        EXPECT_EQ(Grid->ColCount(), C.Cols) << int(C.Dir);
    }
}

TEST_F(AdvanceTest, AdvancingOntoACheckBoxDoesNotToggleIt) {
    Grid->AddCheckBox(3, 2, false, false);
    Grid->FocusCell(2, 2);
    Grid->AdvanceCell(2, 2, true, true, true, false, true);
    EXPECT_EQ(Grid->Col(), 3);
    bool State = true;
    ASSERT_TRUE(Grid->GetCheckBoxState(3, 2, State));
    EXPECT_FALSE(State);
}

TEST_F(AdvanceTest, WithoutAdvanceOnEnterOnlyAForcedAdvanceMoves) {
    Nav().AdvanceOnEnter = false;
    EXPECT_EQ(Advance(2, 2), TPoint(2, 2));
    Grid->NextEdit(2, 2, true);
    EXPECT_EQ(Grid->Col(), 3);
}

TEST_F(AdvanceTest, TypingFindsTheRowBySortColumnAndForgetsAfterFourTicks) {
    Grid->SetOptions(TGridOptions{});
    const char16_t* Texts[] = {u"Apple", u"Banana", u"Bread", u"Cherry"};
    for (Integer r = 1; r <= 4; ++r) Grid->SetCells(1, r, Texts[r - 1]);
    Grid->SortSettings()->SetColumn(1);
    Nav().AutoGotoWhenSorted = true;
    Nav().AutoGotoIncremental = true;
    // Painting the focused cell's text is not the point here.
    Grid->BeginUpdate();
    Grid->SetFocus();
    Pump();
    auto Type = [&](Char Ch) {
        winapi::SendMessage(Grid->Handle(), winapi::WM_CHAR, Ch, 0);
        Pump();
    };
    Type(u'b');
    EXPECT_EQ(Grid->Row(), 2);
    Type(u'r');
    EXPECT_EQ(Grid->Row(), 3);
    Type(winapi::VK_BACK);
    EXPECT_EQ(Grid->SearchInc, u"b");
    Tick(4);
    EXPECT_TRUE(Grid->SearchInc.empty());
    Type(u'c');
    EXPECT_EQ(Grid->Row(), 4);
}

} // namespace

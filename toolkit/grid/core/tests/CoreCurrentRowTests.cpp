// The current row and the top row, ScrollInView, the hit tests, the used
// cells, the save range and the cell font.

#include "CoreTestSupport.h"
#include "rtl/Convert.h"

#include <vector>

namespace {

class CurrentRowTest : public CoreTest {
protected:
    void Fill(Integer Rows, Integer Cols = 5) {
        Grid->SetColCount(Cols);
        Grid->SetRowCount(Rows);
    }
};

TEST_F(CurrentRowTest, RowIsClampedToTheFirstNormalRowAndReportsEachChangeOnce) {
    Fill(20);
    Grid->SetFixedRows(2);
    std::vector<std::pair<Integer, Integer>> Updates;
    Grid->OnRowUpdate = [&](TObject*, Integer OldRow, Integer NewRow) { Updates.push_back({OldRow, NewRow}); };
    Grid->SetRow(7);
    Grid->SetRow(7);
    Grid->SetRow(0);
    EXPECT_EQ(Grid->Row(), 2) << "below FixedRows: the first normal row";
    EXPECT_EQ(Updates, (std::vector<std::pair<Integer, Integer>>{{-1, 7}, {7, 2}}));
}

TEST_F(CurrentRowTest, ASynchronisedGridFollowsTheRowWithoutItsClick) {
    Fill(20);
    auto* Other = Create<TTestCore>(Form);
    Other->SetParent(Form);
    Other->SetRowCount(20);
    Integer Clicks = 0;
    Other->OnClick = [&](TObject*) { ++Clicks; };
    Grid->SyncGrid()->SetGrid(Other);
    Grid->SyncGrid()->SetSelectionRow(true);
    Grid->SetRow(12);
    EXPECT_EQ(Other->Row(), 12);
    Other->SetRow(3);
    Grid->SetRow(12);
    EXPECT_EQ(Other->Row(), 3) << "an unchanged row leaves the other grid alone";
    EXPECT_EQ(Clicks, 0);
    EXPECT_TRUE(static_cast<bool>(Other->OnClick));
}

TEST_F(CurrentRowTest, TopRowTakesOnlyRowsOfTheGrid) {
    Fill(100);
    Grid->SetFixedRows(2);
    struct Case {
        Integer Value, Expected;
    } Cases[] = {{10, 10}, {1, 10}, {-3, 10}, {100, 10}, {2, 2}, {30, 30}};
    for (const Case& C : Cases) {
        Grid->SetTopRow(C.Value);
        EXPECT_EQ(Grid->TopRow(), C.Expected) << C.Value;
    }
}

TEST_F(CurrentRowTest, ScrollInViewPlacesTheCellByPosition) {
    Fill(200, 40);
    Show();
    const Integer VR = Grid->VisibleRowCount();
    ASSERT_GT(VR, 4);
    // A cell already shown changes nothing.
    Grid->SetRow(3);
    Grid->SetCol(2);
    Grid->ScrollInView(3, 4, spMiddle);
    EXPECT_EQ(Grid->Row(), 3);
    EXPECT_EQ(Grid->Col(), 2);
    EXPECT_EQ(Grid->TopRow(), 1);
    EXPECT_EQ(Grid->LeftCol(), 1);

    struct Case {
        TScrollPosition Position;
        Integer Top;
    } Cases[] = {{spMiddle, 50 - VR / 2}, {spLeading, 50}, {spTrailing, 50 - VR + 1}};
    for (const Case& C : Cases) {
        Grid->SetTopRow(150);
        Grid->ScrollInView(2, 50, C.Position);
        EXPECT_EQ(Grid->Row(), 50);
        EXPECT_EQ(Grid->TopRow(), C.Top) << Integer(C.Position);
    }
    Grid->ScrollInView(30, 50, spLeading);
    EXPECT_EQ(Grid->Col(), 30);
    EXPECT_EQ(Grid->LeftCol(), std::min(30, 40 - Grid->VisibleColCount()));
}

TEST_F(CurrentRowTest, ScrollInViewWithTenVisibleRowsPutsRow50AtTop45) {
    Fill(200);
    Show();
    // Ten rows of 20 pixels (and a grid line) below a fixed row of 20.
    Grid->SetDefaultRowHeight(20);
    Grid->SetRowHeights(0, 20);
    for (Integer H = 150; H < 400 && Grid->VisibleRowCount() != 10; H += 5) Grid->SetBounds(0, 0, 500, H);
    ASSERT_EQ(Grid->VisibleRowCount(), 10);
    Grid->ScrollInView(1, 50, spMiddle);
    EXPECT_EQ(Grid->TopRow(), 45);
}

TEST_F(CurrentRowTest, HitTestsFindCellsAndSizingEdges) {
    Fill(10);
    Show();
    Grid->SetOptions(Grid->Options().Include(goColSizing).Include(goRowSizing));
    const TRect Header = Grid->CellRect(2, 0);
    struct Case {
        Integer X, Y;
        bool OnEdge;
    } Cases[] = {
        {Header.Right - 3, Header.Top + 5, true},  {Header.Right - 4, Header.Top + 5, false},
        {Header.Left + 3, Header.Top + 5, true},   {Header.Left + 10, Header.Top + 5, false},
    };
    for (const Case& C : Cases) EXPECT_EQ(Grid->IsOnSizingEdge(C.X, C.Y), C.OnEdge) << C.X;
    const TRect Side = Grid->CellRect(0, 5);
    EXPECT_TRUE(Grid->IsOnSizingEdge(Side.Left + 5, Side.Bottom - 2));
    EXPECT_FALSE(Grid->IsOnSizingEdge(Side.Left + 5, Side.Bottom - 8));
    EXPECT_FALSE(Grid->IsOnSizingEdge(-5, -5));

    const TRect Cell = Grid->CellRect(3, 4);
    Integer ACol = 0, ARow = 0;
    Grid->ScreenToCell(Grid->ClientToScreen(TPoint(Cell.Left + 2, Cell.Top + 2)), ACol, ARow);
    EXPECT_EQ(ACol, 3);
    EXPECT_EQ(ARow, 4);
    Grid->ScreenToCell(Grid->ClientToScreen(TPoint(-10, -10)), ACol, ARow);
    EXPECT_EQ(ACol, -1);
}

TEST_F(CurrentRowTest, UsedCellsReadEachDisplayedColumnAtItsRealColumn) {
    Fill(10, 6);
    EXPECT_EQ(Grid->UsedCells(), (TGridRect{0, 0, 0, 0})) << "empty grid";
    Grid->SetGridCells(0, 0, u"x");
    EXPECT_EQ(Grid->UsedCells(), (TGridRect{0, 0, 0, 0}));
    Grid->SetGridCells(4, 7, u"y");
    Grid->SetGridCells(2, 3, u"z");
    EXPECT_EQ(Grid->UsedCells(), (TGridRect{0, 0, 4, 7}));
    Grid->SetGridCells(0, 0, u"");
    EXPECT_EQ(Grid->UsedCells(), (TGridRect{2, 3, 4, 7}));
    // Real column 1 hidden: real column 4 is displayed column 3.
    Grid->HideColumn(1);
    EXPECT_EQ(Grid->UsedCells(), (TGridRect{1, 3, 3, 7}));
    Grid->SetGridCells(5, 1, u"w");
    EXPECT_EQ(Grid->UsedCells(), (TGridRect{1, 1, 4, 7}));
}

TEST_F(CurrentRowTest, SaveRangeFollowsTheFixedAreasAndTheSaveSwitches) {
    Fill(12, 8);
    Grid->SetFixedRows(1);
    Grid->SetFixedCols(1);
    Grid->SetFixedFooters(1);
    Grid->SetFixedRightCols(2);
    struct Case {
        bool Cells, Cols, Rows;
        Integer StartCol, EndCol, ColCount, StartRow, EndRow, RowCount;
    } Cases[] = {
        {false, false, false, 1, 5, 5, 1, 10, 10},
        {false, false, true, 1, 5, 5, 0, 11, 12},
        {false, true, false, 0, 7, 8, 1, 10, 10},
        {true, false, false, 0, 7, 8, 0, 11, 12},
    };
    for (const Case& C : Cases) {
        Grid->SaveFixedCells = C.Cells;
        Grid->SaveFixedCols = C.Cols;
        Grid->SaveFixedRows = C.Rows;
        EXPECT_EQ((std::vector<Integer>{Grid->SaveStartCol(), Grid->SaveEndCol(), Grid->SaveColCount(),
                                        Grid->SaveStartRow(), Grid->SaveEndRow(), Grid->SaveRowCount()}),
                  (std::vector<Integer>{C.StartCol, C.EndCol, C.ColCount, C.StartRow, C.EndRow, C.RowCount}))
            << C.Cells << C.Cols << C.Rows;
    }
}

TEST_F(CurrentRowTest, CellFontIsTheFixedFontOnlyForFixedCellsWithUseFixedFont) {
    Grid->Font()->SetName(u"Arial");
    Grid->FixedFont()->SetName(u"Courier New");
    Grid->FixedFont()->SetHeight(-20);
    auto* Font = Create<TFont>();
    Grid->AssignCellFont(Font, true, true);
    EXPECT_EQ(Font->Name(), u"Courier New");
    EXPECT_EQ(Font->Height(), -20) << "a DPI scale of 1 keeps the height";
    Grid->AssignCellFont(Font, false, false);
    EXPECT_EQ(Font->Name(), u"Arial");
    Grid->SetUseFixedFont(false);
    Grid->AssignCellFont(Font, true, false);
    EXPECT_EQ(Font->Name(), u"Arial");
    Free(Font);
    Grid->IgnoreColumns()->Add(3);
    EXPECT_TRUE(Grid->IsIgnoredColumn(3));
    EXPECT_FALSE(Grid->IsIgnoredColumn(2));
}

} // namespace

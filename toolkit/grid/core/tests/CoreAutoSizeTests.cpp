// Auto-size, numbering, the exchange of columns and rows (with the sort's
// row exchange) and the selection of a rectangle of cells with its text.

#include "CoreTestSupport.h"
#include "rtl/Convert.h"

#include <vector>

namespace {

class AutoSizeTest : public CoreTest {
protected:
    // Cell (c, r) holds "c<c>r<r>".
    void Fill(Integer Cols, Integer Rows) {
        Grid->SetColCount(Cols);
        Grid->SetRowCount(Rows);
        for (Integer r = 0; r < Rows; ++r)
            for (Integer c = 0; c < Cols; ++c) Grid->SetGridCells(c, r, Name(c, r));
    }
    static String Name(Integer c, Integer r) { return u"c" + IntToStr(c) + u"r" + IntToStr(r); }
};

// ---- The sort's row exchange ----

TEST_F(AutoSizeTest, SortSwapRowsMovesWholeRowsWithObjectsHeightsAndFlags) {
    Fill(4, 6);
    Grid->HideColumn(3); // its cells sit past the displayed columns and move too
    Grid->AddCheckBox(1, 2, true, false);
    TCellGraphic* Box = Grid->GetCellGraphic(1, 2);
    ASSERT_NE(Box, nullptr);
    Grid->SetRowHeights(2, 40);
    Grid->MouseActions()->SetDisjunctRowSelect(true);
    Grid->Navigation()->PlainSettings().MoveRowOnSort = true;
    Grid->ShowModified()->SetEnabled(true);
    Grid->SetRowSelect(2, true);
    Grid->SetRowModified(2, true);
    Grid->SetRowEnabled(5, false);
    for (Integer r = 0; r < 6; ++r) Grid->SortRowXRef()->Add(r);
    Grid->SetSortRow(5);

    Grid->SortSwapRows(2, 5);

    for (Integer c = 0; c < 4; ++c) {
        EXPECT_EQ(Grid->GridCells(c, 5), Name(c, 2));
        EXPECT_EQ(Grid->GridCells(c, 2), Name(c, 5));
    }
    EXPECT_EQ(Grid->GetCellGraphic(1, 5), Box); // the same object, not a copy
    EXPECT_EQ(Grid->GetCellGraphic(1, 2), nullptr);
    ASSERT_NE(Grid->GetRawObject(1, 5), nullptr);
    EXPECT_EQ(Grid->GetRawObject(1, 5)->OwnerRow(), 5);
    bool State = false;
    EXPECT_TRUE(Grid->GetCheckBoxState(1, 5, State));
    EXPECT_TRUE(State);
    EXPECT_EQ(Grid->RowHeights(5), 40);
    EXPECT_EQ(Grid->RowHeights(2), Grid->DefaultRowHeight());
    EXPECT_TRUE(Grid->RowSelect(5));
    EXPECT_FALSE(Grid->RowSelect(2));
    EXPECT_TRUE(Grid->RowModified(5));
    EXPECT_FALSE(Grid->RowModified(2));
    EXPECT_FALSE(Grid->RowEnabled(2));
    EXPECT_TRUE(Grid->RowEnabled(5));
    EXPECT_EQ(Grid->SortRowXRef()->Items(2), 5);
    EXPECT_EQ(Grid->SortRowXRef()->Items(5), 2);
    EXPECT_EQ(Grid->SortRow(), 2);
    EXPECT_EQ(Grid->Swaps(), 1);

    // Swapping back restores everything; an index past the cross-reference
    // leaves it alone and the counter still counts.
    Grid->SortSwapRows(5, 2);
    EXPECT_EQ(Grid->GridCells(0, 2), Name(0, 2));
    EXPECT_EQ(Grid->GetCellGraphic(1, 2), Box);
    Grid->SortSwapRows(1, 7);
    EXPECT_EQ(Grid->SortRowXRef()->Items(1), 1);
    EXPECT_EQ(Grid->Swaps(), 3);
}

TEST_F(AutoSizeTest, SortSwapRowsInSingleColumnModeMovesOnlyTheSortColumn) {
    Fill(4, 6);
    Grid->SortSettings()->SetSingleColumn(true);
    Grid->SortSettings()->SetColumn(2);
    Grid->SetColors(2, 1, 0x00FF00);
    Grid->SetRowHeights(1, 40);
    Grid->SetRowEnabled(1, false);
    Grid->MouseActions()->SetDisjunctRowSelect(true);
    Grid->Navigation()->PlainSettings().MoveRowOnSort = true;
    Grid->SetRowSelect(1, true);
    for (Integer r = 0; r < 6; ++r) Grid->SortRowXRef()->Add(r);
    Grid->SetSortRow(1);

    Grid->SortSwapRows(1, 4);

    EXPECT_EQ(Grid->GridCells(2, 4), Name(2, 1));
    EXPECT_EQ(Grid->GridCells(2, 1), Name(2, 4));
    EXPECT_EQ(Grid->Colors(2, 4), 0x00FF00);
    EXPECT_EQ(Grid->GetRawObject(2, 4)->OwnerRow(), 4);
    for (const Integer c : {0, 1, 3}) EXPECT_EQ(Grid->GridCells(c, 1), Name(c, 1));
    EXPECT_EQ(Grid->RowHeights(1), 40);
    EXPECT_FALSE(Grid->RowEnabled(1)); // the enabled flags stay with their rows
    EXPECT_TRUE(Grid->RowEnabled(4));
    EXPECT_TRUE(Grid->RowSelect(1));
    EXPECT_EQ(Grid->SortRow(), 1);
    EXPECT_EQ(Grid->SortRowXRef()->Items(1), 4); // the cross-reference follows the sort column
    EXPECT_EQ(Grid->Swaps(), 1);

    // With the index shown and no sort column, the first index entry names it.
    Grid->SortSettings()->SetColumn(-1);
    Grid->SortSettings()->SetIndexShow(true);
    Grid->SortIndexes()->AddIndex(0, true);
    Grid->SortSwapRows(2, 3);
    EXPECT_EQ(Grid->GridCells(0, 2), Name(0, 3));
    EXPECT_EQ(Grid->GridCells(1, 2), Name(1, 2));
}

} // namespace

// Row and column counts with their side tables, fixed areas kept by the
// "always" switches, the floating footer row, fixed sizes.

#include "CoreTestSupport.h"

namespace {

TEST_F(CoreTest, RowCountChangeIsReportedOnlyForARealChange) {
    std::vector<std::pair<Integer, Integer>> Changes;
    Grid->OnRowCountChange = [&](TObject*, Integer Old, Integer New) { Changes.emplace_back(Old, New); };
    Grid->SetRowCount(10);
    Grid->SetRowCount(12);
    EXPECT_EQ(Changes, (std::vector<std::pair<Integer, Integer>>{{10, 12}}));
    EXPECT_EQ(Grid->SuppressRowSizes()->Count(), 12);
    EXPECT_EQ(Grid->MaxRowCount(), 12);
    Grid->SetRowCount(4);
    EXPECT_EQ(Grid->SuppressRowSizes()->Count(), 12) << "the side table only grows";
    EXPECT_EQ(Grid->NormalRowCount(), 4);
}

TEST_F(CoreTest, FixedRowAlwaysKeepsAndRestoresTheFixedRows) {
    Grid->SetFixedRowAlways(true);
    Grid->SetRowCount(1);
    EXPECT_EQ(Grid->FixedRows(), 1);
    Grid->SetRowCount(5);
    EXPECT_EQ(Grid->FixedRows(), 1);

    Grid->SetRowCount(2);
    Grid->SetFixedRows(3);
    EXPECT_EQ(Grid->FixedRows(), 1);
    EXPECT_EQ(Grid->MinFixedRows(), 3);
    Grid->SetRowCount(10);
    EXPECT_EQ(Grid->FixedRows(), 3);
}

TEST_F(CoreTest, GrowingColumnsExtendsVisibilityAndWidthTables) {
    Grid->SetColWidths(4, 70);
    Grid->SetColCount(8);
    EXPECT_EQ(Grid->ColumnVisibility(), std::vector<bool>(8, true));
    EXPECT_EQ(Grid->AllColumnWidths().size(), 8u);
    ASSERT_EQ(Grid->SuppressColSizes()->Count(), 8);
    EXPECT_EQ(Grid->SuppressColSizes()->Items(4), 70);
    EXPECT_EQ(Grid->SuppressColSizes()->Items(7), Grid->DefaultColWidth());
    Grid->SetColCount(3);
    EXPECT_EQ(Grid->ColumnVisibility().size(), 3u) << "visibility follows the count exactly";
}

TEST_F(CoreTest, FloatingFooterRowMovesWithTheRowCount) {
    Grid->SetRowCount(5);
    Grid->FloatingFooter()->SetVisible(true);
    Grid->SetCells(1, 4, u"total");
    Grid->CellProperties(1, 4)->SetBrushColor(0xFF);
    Grid->SetCells(1, 3, u"data");

    Grid->SetRowCount(6);
    EXPECT_EQ(Grid->Cells(1, 5), u"total");
    EXPECT_EQ(Grid->CellProperties(1, 5)->BrushColor(), 0xFF);
    EXPECT_EQ(Grid->Cells(1, 4), u"");
    EXPECT_FALSE(Grid->HasCellProperties(1, 4));

    // Shrinking: the new last row takes the footer row's texts and objects.
    Grid->SetRowCount(4);
    EXPECT_EQ(Grid->Cells(1, 3), u"total");
    EXPECT_EQ(Grid->CellProperties(1, 3)->BrushColor(), 0xFF);
    Grid->SetRowCount(6);
    EXPECT_EQ(Grid->Cells(1, 4), u"") << "the row cut off by shrinking does not come back";
}

TEST_F(CoreTest, FixedSizesAndWidths) {
    Grid->SetFixedColWidth(Grid->DefaultColWidth());
    EXPECT_EQ(Grid->ColWidths(0), Grid->DefaultColWidth());
    Grid->SetFixedColWidth(30);
    EXPECT_EQ(Grid->FixedColWidth(), 30);
    Grid->SetColWidths(0, 64);

    EXPECT_EQ(Grid->FixedColumnsWidth(), 64);
    Grid->SetColWidths(4, 80);
    Grid->SetFixedRightCols(1);
    EXPECT_EQ(Grid->FixedColumnsWidth(), 144);

    Grid->SetFixedRows(2);
    Grid->SetFixedRowHeight(30);
    EXPECT_EQ(Grid->RowHeights(0), 30);
    EXPECT_EQ(Grid->RowHeights(1), 30);
    EXPECT_EQ(Grid->RowHeights(2), 22);
}

TEST_F(CoreTest, WordWrapIsStoredInBothFlagsAlsoWhileLocked) {
    Grid->BeginUpdate();
    Grid->SetWordWrap(false);
    EXPECT_FALSE(Grid->WordWrap());
    EXPECT_FALSE(Grid->TBaseGrid::WordWrap());
    Grid->EndUpdate();
}

} // namespace

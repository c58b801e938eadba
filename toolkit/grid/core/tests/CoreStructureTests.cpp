// Column order and moves, clears, trims, colours, merging and splitting,
// and the raw-text queries.

#include "CoreTestSupport.h"
#include "rtl/Convert.h"

#include <functional>

namespace {

class StructureTest : public CoreTest {
protected:
    // Cell (c, r) holds "<r>.<c>".
    void Fill(Integer Rows, Integer Cols, Integer FixedRows = 0, Integer FixedCols = 0) {
        Grid->UnHideColumnsAll();
        Grid->UnHideRowsAll();
        Grid->SetColCount(Cols);
        Grid->SetRowCount(Rows);
        Grid->SetFixedRows(FixedRows);
        Grid->SetFixedCols(FixedCols);
        for (Integer r = 0; r < Rows; ++r)
            for (Integer c = 0; c < Cols; ++c) Grid->SetGridCells(c, r, IntToStr(r) + u"." + IntToStr(c));
    }
    // The texts of a row over all real columns, "-" for an empty cell.
    String RowText(Integer ARow) {
        String S;
        for (Integer c = 0; c < Grid->AllColCount(); ++c) {
            const String T = Grid->GridCells(c, ARow);
            S += (c ? u"," : u"") + (T.empty() ? String(u"-") : T);
        }
        return S;
    }
    String Widths() {
        String S;
        for (Integer c = 0; c < Grid->ColCount(); ++c) S += (c ? u"," : u"") + IntToStr(Grid->ColWidths(c));
        return S;
    }
};

TEST_F(StructureTest, MoveColumnTakesCellsWidthFiltersAndControlsAlong) {
    Fill(4, 5);
    for (Integer c = 0; c < 5; ++c) Grid->SetColWidths(c, 10 + c);
    Grid->CellProperties(3, 2)->SetBrushColor(0x0000FF);
    Grid->Filter()->Add(3, u"a", foNONE);
    Grid->Filter()->Add(1, u"b", foAND);
    Grid->ControlList()->AddControl(3, 1, nullptr);
    Grid->ControlList()->AddControl(2, 1, nullptr);

    Grid->MoveColumn(3, 1);
    EXPECT_EQ(RowText(0), u"0.0,0.3,0.1,0.2,0.4");
    EXPECT_EQ(Widths(), u"10,13,11,12,14");
    EXPECT_EQ(Grid->Filter()->Items(0)->Column(), 1);
    EXPECT_EQ(Grid->Filter()->Items(1)->Column(), 2);
    EXPECT_EQ(Grid->ControlList()->GetControl(0)->X, 1);
    EXPECT_EQ(Grid->ControlList()->GetControl(1)->X, 3);
    ASSERT_TRUE(Grid->HasCellProperties(1, 2));
    EXPECT_EQ(Grid->CellProperties(1, 2)->OwnerCol(), 1);
    EXPECT_FALSE(Grid->HasCellProperties(3, 2));
    EXPECT_TRUE(Grid->EnhRowColMove()) << "restored after the move";

    Grid->MoveColumn(1, 4);
    EXPECT_EQ(RowText(3), u"3.0,3.1,3.2,3.4,3.3");
    Grid->MoveColumn(2, 9); // out of range: nothing
    EXPECT_EQ(RowText(3), u"3.0,3.1,3.2,3.4,3.3");
}

TEST_F(StructureTest, MoveColumnWithHiddenColumnsAndRowsMovesTheParkedCellsToo) {
    Fill(6, 6);
    Grid->HideColumn(1);
    Grid->HideRows(2, 3);
    ASSERT_EQ(Grid->ColCount(), 5);
    // Displayed 1 is real 2, displayed 3 is real 4.
    Grid->MoveColumn(1, 3);
    EXPECT_EQ(RowText(0), u"0.0,0.1,0.3,0.4,0.2,0.5");
    EXPECT_TRUE(Grid->IsHiddenColumn(1));
    EXPECT_EQ(Grid->ColumnOrder()->Count(), 5) << "started from the columns shown at the first move";
    Grid->UnHideRows(2, 3);
    Grid->UnHideColumnsAll();
    EXPECT_EQ(RowText(2), u"2.0,2.1,2.3,2.4,2.2,2.5");
    EXPECT_EQ(RowText(3), u"3.0,3.1,3.3,3.4,3.2,3.5");
}

TEST_F(StructureTest, ColumnOrderTranslatesPositionsAndResets) {
    Fill(3, 5);
    EXPECT_EQ(Grid->ColumnPosition(3), 3) << "no order yet: the argument itself";
    EXPECT_EQ(Grid->ColumnOrder()->Count(), 0);
    Grid->MoveColumn(4, 1);
    Grid->MoveColumn(0, 2);
    // Positions now hold the initial columns 4, 1, 0, 2, 3.
    EXPECT_EQ(RowText(0), u"0.4,0.1,0.0,0.2,0.3");
    EXPECT_EQ(Grid->ColumnPosition(4), 0);
    EXPECT_EQ(Grid->ColumnPosition(0), 2);
    EXPECT_EQ(Grid->ColumnAtPosition(0), 4);
    EXPECT_EQ(Grid->ColumnAtPosition(4), 3);
    Grid->HideColumn(2);
    Grid->ResetColumnOrder();
    EXPECT_EQ(Grid->NumHiddenColumns(), 0);
    EXPECT_EQ(RowText(0), u"0.0,0.1,0.2,0.3,0.4");
    for (Integer c = 0; c < 5; ++c) EXPECT_EQ(Grid->ColumnOrder()->Items(c), c);
}

TEST_F(StructureTest, ColumnByHeaderReadsRowZeroAlsoWhenItIsHidden) {
    Fill(4, 4);
    Grid->SetGridCells(2, 0, u"Name");
    Grid->SetGridCells(3, 0, u"name");
    EXPECT_EQ(Grid->ColumnByHeader(u"name"), 3) << "case counts";
    EXPECT_EQ(Grid->ColumnByHeader(u"Nothing"), -1);
    Grid->HideColumn(2);
    Grid->HideRow(0);
    EXPECT_EQ(Grid->ColumnByHeader(u"Name"), 2) << "a real column, read from the parked row";
}

TEST_F(StructureTest, MoveRowLandsAtTheTargetWithHiddenRowsRecordsAndFlags) {
    Fill(10, 2);
    Grid->ShowModified()->SetEnabled(true);
    Grid->SetRowHeights(2, 40);
    Grid->CellProperties(1, 2)->SetBrushColor(0x00FF00);
    Grid->HideRow(4); // real 4; displayed 4 is now real 5
    Grid->ControlList()->AddControl(0, 2, nullptr);

    Grid->MoveRow(2, 6); // real 2 goes after real 7
    EXPECT_EQ(Grid->GridCells(0, 6), u"2.0");
    EXPECT_EQ(Grid->RowHeights(6), 40);
    ASSERT_TRUE(Grid->HasCellProperties(1, 6));
    EXPECT_EQ(Grid->CellProperties(1, 6)->OwnerRow(), 6);
    EXPECT_EQ(Grid->ControlList()->GetControl(0)->Y, 6);
    EXPECT_TRUE(Grid->IsHiddenRow(3)) << "the hidden row moves up with the rows after the moved one";
    Grid->UnHideRowsAll();
    String Order;
    for (Integer r = 0; r < Grid->RowCount(); ++r) Order += Grid->GridCells(0, r).substr(0, 1);
    EXPECT_EQ(Order, u"0134567289");
}

TEST_F(StructureTest, ClearsCoverTheirAreas) {
    struct Case {
        const char* Name;
        std::function<void(TTestCore*)> Clear;
        std::vector<const char16_t*> Rows;
    };
    // 5 x 4, one fixed row and column, one footer row, one right fixed column.
    const Case Cases[] = {
        {"ClearRows", [](TTestCore* G) { G->ClearRows(1, 2); },
         {u"0.0,0.1,0.2,0.3", u"-,-,-,-", u"-,-,-,-", u"3.0,3.1,3.2,3.3", u"4.0,4.1,4.2,4.3"}},
        {"ClearCols", [](TTestCore* G) { G->ClearCols(2, 1); },
         {u"0.0,0.1,-,0.3", u"1.0,1.1,-,1.3", u"2.0,2.1,-,2.3", u"3.0,3.1,-,3.3", u"4.0,4.1,-,4.3"}},
        {"ClearNormalRows", [](TTestCore* G) { G->ClearNormalRows(0, 2); },
         {u"0.0,-,-,0.3", u"1.0,-,-,1.3", u"2.0,2.1,2.2,2.3", u"3.0,3.1,3.2,3.3", u"4.0,4.1,4.2,4.3"}},
        {"ClearNormalCols", [](TTestCore* G) { G->ClearNormalCols(0, 2); },
         {u"0.0,0.1,0.2,0.3", u"-,-,1.2,1.3", u"-,-,2.2,2.3", u"-,-,3.2,3.3", u"4.0,4.1,4.2,4.3"}},
        {"ClearNormalCells", [](TTestCore* G) { G->ClearNormalCells(); },
         {u"0.0,0.1,0.2,0.3", u"1.0,-,-,1.3", u"2.0,-,-,2.3", u"3.0,-,-,3.3", u"4.0,4.1,4.2,4.3"}},
        {"count below one", [](TTestCore* G) { G->ClearRows(1, 0); G->ClearCols(1, -1); },
         {u"0.0,0.1,0.2,0.3", u"1.0,1.1,1.2,1.3", u"2.0,2.1,2.2,2.3", u"3.0,3.1,3.2,3.3", u"4.0,4.1,4.2,4.3"}},
        {"Clear", [](TTestCore* G) { G->Clear(); },
         {u"-,-,-,-", u"-,-,-,-", u"-,-,-,-", u"-,-,-,-", u"-,-,-,-"}},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.Name);
        Fill(5, 4, 1, 1);
        Grid->SetFixedFooters(1);
        Grid->SetFixedRightCols(1);
        C.Clear(Grid);
        for (Integer r = 0; r < 5; ++r) EXPECT_EQ(RowText(r), C.Rows[size_t(r)]) << r;
    }
}

TEST_F(StructureTest, ClearRectFreesRecordsAndLowersTheFlagOnlyWhenNoRecordIsLeft) {
    Fill(4, 4);
    Grid->CellProperties(1, 1)->SetBrushColor(0x0000FF);
    Grid->CellProperties(3, 3)->SetBrushColor(0x0000FF);
    Grid->ClearRect(0, 0, 1, 1);
    EXPECT_FALSE(Grid->HasCellProperties(1, 1));
    EXPECT_TRUE(Grid->HasCellProps()) << "a part of the grid";

    Grid->SetClearTextOnly(true);
    Grid->ClearRect(0, 0, 3, 3);
    EXPECT_TRUE(Grid->HasCellProperties(3, 3)) << "texts only";
    EXPECT_TRUE(Grid->HasCellProps());
    Grid->SetClearTextOnly(false);

    // A record in a hidden column beyond the displayed ones stays counted:
    // clearing the displayed width leaves it, and it is freed later (LSan).
    Grid->HideColumn(3);
    Grid->ClearRect(0, 0, Grid->ColCount() - 1, 3);
    EXPECT_TRUE(Grid->HasCellProps());
    EXPECT_TRUE(Grid->HasCellProperties(3, 3));
    Grid->ClearRect(0, 0, Grid->AllColCount() - 1, 3);
    EXPECT_FALSE(Grid->HasCellProperties(3, 3));
    EXPECT_FALSE(Grid->HasCellProps()) << "the whole grid";
}

TEST_F(StructureTest, SaveHiddenCellsMapsDisplayedColumns) {
    Fill(2, 4);
    Grid->SetGridCells(2, 0, u"  x\t");
    Grid->SetGridCells(3, 0, u" y ");
    Grid->HideColumn(1);
    Grid->TrimRect(1, 0, 2, 0); // real 1 and 2
    EXPECT_EQ(Grid->GridCells(2, 0), u"x");
    EXPECT_EQ(Grid->GridCells(3, 0), u" y ");
    Grid->SetSaveHiddenCells(true);
    Grid->TrimRow(0); // displayed 0 .. 2: real 0, 2, 3
    EXPECT_EQ(Grid->GridCells(3, 0), u"y");
    Grid->ClearRect(1, 1, 1, 1); // displayed 1 is real 2
    EXPECT_EQ(RowText(1), u"1.0,1.1,-,1.3");
    Grid->ColorRect(2, 0, 2, 1, 0x123456);
    EXPECT_EQ(Grid->CellProperties(3, 1)->BrushColor(), 0x123456);
    EXPECT_FALSE(Grid->HasCellProperties(2, 1));
}

TEST_F(StructureTest, ClearAllShowsAndClearsEverything) {
    Fill(6, 4);
    Grid->CellProperties(1, 4)->SetBrushColor(0x0000FF);
    Grid->HideColumn(1);
    Grid->HideRows(3, 4);
    Grid->ClearAll();
    EXPECT_EQ(Grid->NumHiddenColumns(), 0);
    EXPECT_EQ(Grid->NumHiddenRows(), 0);
    EXPECT_EQ(Grid->RowCount(), 6);
    for (Integer r = 0; r < 6; ++r) EXPECT_EQ(RowText(r), u"-,-,-,-");
    EXPECT_FALSE(Grid->HasCellProperties(1, 4));
}

TEST_F(StructureTest, MergeColsJoinsTrimmedTextsAndRemovesTheSecond) {
    Fill(3, 4, 1, 0);
    Grid->SetGridCells(2, 2, String());
    Grid->MergeCols(1, 2, u" ");
    EXPECT_EQ(RowText(0), u"0.0,0.1,0.3") << "the fixed row keeps its text";
    EXPECT_EQ(RowText(1), u"1.0,1.1 1.2,1.3");
    EXPECT_EQ(RowText(2), u"2.0,2.1,2.3") << "trimmed";
}

TEST_F(StructureTest, MergingRunsAndSplitting) {
    Fill(8, 4, 1, 1);
    const char16_t* Down[] = {u"A", u"A", u"B", u"B", u"B", u"C", u"C"};
    for (Integer r = 1; r < 8; ++r) Grid->SetGridCells(1, r, Down[r - 1]);
    Grid->SetFixedFooters(1); // the second C is a footer: C stays alone
    Grid->MergeColumnCells(1, true);
    EXPECT_EQ(Grid->CellSpan(1, 1).Y, 1);
    EXPECT_EQ(Grid->CellSpan(1, 3).Y, 2);
    EXPECT_FALSE(Grid->IsMergedCell(1, 6));
    EXPECT_EQ(Grid->MergeCount(), 2);

    // Along a row: a single cell is never merged.
    for (Integer c = 0; c < 4; ++c) Grid->SetGridCells(c, 0, c < 3 ? u"H" : u"X");
    Grid->MergeRowCells(0, true);
    EXPECT_EQ(Grid->CellSpan(1, 0).X, 1);
    EXPECT_FALSE(Grid->IsMergedCell(3, 0));
    EXPECT_EQ(Grid->MergeCount(), 3);

    Grid->SplitColumnCells(1);
    EXPECT_FALSE(Grid->IsMergedCell(1, 1));
    EXPECT_FALSE(Grid->IsMergedCell(1, 4));
    EXPECT_TRUE(Grid->IsMergedCell(1, 0)) << "a row merge stays";
    Grid->SplitRowCells(0);
    EXPECT_FALSE(Grid->IsMergedCell(1, 0));

    Grid->MergeCells(1, 2, 2, 3);
    Grid->MergeCells(0, 6, 3, 1);
    Grid->SplitAllCells();
    for (Integer r = 0; r < 8; ++r)
        for (Integer c = 0; c < 4; ++c) EXPECT_FALSE(Grid->IsMergedCell(c, r)) << c << "," << r;
}

TEST_F(StructureTest, RemoveCheckedRowsRemovesOnlyRowsWithABoxInThatState) {
    struct Case {
        bool RemoveChecked;
        const char16_t* Left;
    };
    // Rows 1 .. 7 normal; boxes in column 1: rows 2, 3 and 6 checked, rows 4
    // and 7 unchecked, rows 1 and 5 without a box; row 1 hidden meanwhile.
    const Case Cases[] = {{true, u"0,1,4,5,7"}, {false, u"0,1,2,3,5,6"}};
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.RemoveChecked);
        Fill(8, 3, 1, 1);
        for (Integer r : {2, 3, 6}) Grid->AddCheckBox(1, r, true, false);
        for (Integer r : {4, 7}) Grid->AddCheckBox(1, r, false, false);
        Grid->HideRow(1);
        Grid->RemoveCheckedRows(1, C.RemoveChecked);
        Grid->UnHideRowsAll();
        String Left;
        for (Integer r = 0; r < Grid->RowCount(); ++r) Left += (r ? u"," : u"") + Grid->GridCells(0, r).substr(0, 1);
        EXPECT_EQ(Left, C.Left);
    }
}

TEST_F(StructureTest, RawTextQueries) {
    Fill(3, 3);
    Grid->SetGridCells(1, 1, u"|\\wide");
    Grid->SetGridCells(2, 1, u"a|\\b");
    EXPECT_TRUE(Grid->IsWideCell(1, 1));
    EXPECT_FALSE(Grid->IsWideCell(2, 1)) << "the marker must start the text";
    Integer C = -7, R = -7;
    EXPECT_FALSE(Grid->IsCell(u"none", C, R));
    EXPECT_EQ(C, -7);
    EXPECT_EQ(R, -7);
    Grid->SetGridCells(2, 0, u"2.0");
    EXPECT_TRUE(Grid->IsCell(u"2.0", C, R));
    EXPECT_EQ(C, 2) << "row by row: (2, 0) comes before (0, 2)";
    EXPECT_EQ(R, 0);
    Grid->SetWideCells(0, 0, u"w");
    EXPECT_EQ(Grid->WideCells(0, 0), u"w");
}

} // namespace

namespace {

// Rows 2 and 5 are group nodes; the grid is grouped by real column 3.
class TGroupedCore : public TTestCore {
public:
    using TTestCore::TTestCore;
    bool IsNode(Integer ARow) override { return ARow == 2 || ARow == 5; }
    void GroupBy(Integer ACol) { FGroupColumn = ACol; }
};

TEST_F(StructureTest, MovingOntoTheFirstNormalColumnKeepsGroupCaptionsAndMerges) {
    auto* G = Create<TGroupedCore>(Form);
    G->SetParent(Form);
    G->SetColCount(5);
    G->SetRowCount(7);
    G->SetFixedCols(1);
    G->SetFixedRows(1);
    for (Integer r = 0; r < 7; ++r)
        for (Integer c = 0; c < 5; ++c) G->SetGridCells(c, r, IntToStr(r) + u"." + IntToStr(c));
    G->SetGridCells(1, 2, u"Group A");
    G->SetGridCells(1, 5, u"Group B");
    G->GroupBy(3);
    G->Grouping()->SetMergeHeader(true);
    G->MergeCells(1, 2, 4, 1);
    G->MergeCells(1, 5, 4, 1);

    G->MoveColumn(3, 1);
    EXPECT_EQ(G->GridCells(1, 2), u"Group A") << "the caption stays in the first normal column";
    EXPECT_EQ(G->GridCells(1, 5), u"Group B");
    EXPECT_EQ(G->GridCells(1, 3), u"3.3") << "a normal row's cells move";
    EXPECT_EQ(G->CellSpan(1, 2).X, 3) << "node rows merged again over the normal columns";
    EXPECT_EQ(G->CellSpan(1, 5).X, 3);
    Free(G);
}

} // namespace

namespace {

class SelectedEditsTest : public StructureTest {
protected:
    // The first texts of column 0 down the rows ("0.0" -> "0").
    String Rows() {
        String S;
        for (Integer r = 0; r < Grid->RowCount(); ++r) S += Grid->GridCells(0, r).substr(0, Grid->GridCells(0, r).find(u'.'));
        return S;
    }
    String Cols() {
        String S;
        for (Integer c = 0; c < Grid->AllColCount(); ++c) {
            const String T = Grid->GridCells(c, 0);
            S += T.size() > 2 ? T.substr(2) : String(u"-");
        }
        return S;
    }
};

TEST_F(SelectedEditsTest, RemovingSelectedAndUnselectedRows) {
    struct Case {
        const char* Name;
        bool Disjunct;
        bool Remove; // RemoveSelectedRows, else RemoveUnSelectedRows
        const char16_t* Left;
    };
    // Ten rows, one fixed row and one footer; rows 2, 3, 5 and 8 selected,
    // or the rectangle 3 .. 5.
    const Case Cases[] = {
        {"disjunct, selected", true, true, u"01467" u"9"},
        {"disjunct, unselected", true, false, u"02358" u"9"},
        {"rectangle, selected", false, true, u"01267" u"89"},
        {"rectangle, unselected: the footer stays", false, false, u"0345" u"9"},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.Name);
        Fill(10, 3, 1, 1);
        Grid->SetFixedFooters(1);
        Grid->MouseActions()->SetDisjunctRowSelect(C.Disjunct);
        Grid->CellProperties(1, 3)->SetBrushColor(0x0000FF);
        if (C.Disjunct)
            for (Integer r : {2, 3, 5, 8}) Grid->SetRowSelect(r, true);
        else
            Grid->SetSelection(TGridRect{1, 3, 2, 5});
        C.Remove ? Grid->RemoveSelectedRows() : Grid->RemoveUnSelectedRows();
        EXPECT_EQ(Rows(), C.Left);
        if (C.Disjunct) {
            EXPECT_EQ(Grid->RowSelectCount(), 0);
        }
    }
}

TEST_F(SelectedEditsTest, PersistentSelectionIsReadAtTheRealRow) {
    Fill(10, 3, 1, 1);
    Grid->MouseActions()->SetDisjunctRowSelect(true);
    Grid->MouseActions()->PlainSettings().RowSelectPersistent = true;
    Grid->SetRowSelect(6, true); // real row 6
    Grid->HideRow(2);            // displayed 5 is now real 6
    Grid->RemoveSelectedRows();
    Grid->UnHideRowsAll();
    EXPECT_EQ(Rows(), u"012345789");
}

TEST_F(SelectedEditsTest, RemovingSelectedAndUnselectedColumnsLeavesHiddenOnes) {
    struct Case {
        const char* Name;
        bool Disjunct;
        bool Remove;
        const char16_t* Left;
    };
    // Six columns, one fixed; real column 3 hidden; displayed 2 .. 4 (real
    // 2, 4, 5) selected, or displayed 2 and 4 in the disjunct cases.
    const Case Cases[] = {
        {"disjunct, selected", true, true, u"0134"},
        {"disjunct, unselected", true, false, u"0235"},
        {"rectangle, selected", false, true, u"013"},
        {"rectangle, unselected", false, false, u"02345"},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.Name);
        Fill(3, 6, 1, 1);
        Grid->HideColumn(3);
        Grid->MouseActions()->SetDisjunctColSelect(C.Disjunct);
        if (C.Disjunct) {
            Grid->SetColSelect(2, true);
            Grid->SetColSelect(4, true);
        } else
            Grid->SetSelection(TGridRect{2, 1, 4, 2});
        C.Remove ? Grid->RemoveSelectedCols() : Grid->RemoveUnSelectedCols();
        EXPECT_EQ(Cols(), C.Left);
        EXPECT_EQ(Grid->NumHiddenColumns(), 1);
    }
}

TEST_F(SelectedEditsTest, ClearSelectionClearsSelectedRowsColumnsOrTheRectangle) {
    Fill(5, 4, 1, 1);
    Grid->MouseActions()->SetDisjunctRowSelect(true);
    Grid->SetRowSelect(2, true);
    Grid->ClearSelection();
    EXPECT_EQ(RowText(2), u"-,-,-,-");
    EXPECT_EQ(RowText(3), u"3.0,3.1,3.2,3.3");

    Grid->MouseActions()->SetDisjunctRowSelect(false);
    Grid->HideColumn(1);
    Grid->SetSelection(TGridRect{1, 3, 1, 4}); // displayed 1 is real 2
    Grid->ClearSelection();
    EXPECT_EQ(RowText(3), u"3.0,3.1,-,3.3");
    EXPECT_FALSE(Grid->SaveHiddenCells());
}

} // namespace

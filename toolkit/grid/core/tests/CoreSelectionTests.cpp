// The disjunct row, column and cell selections, the row flags, the distinct
// values, the swap of two cells, the hidden selection and the repaint
// ranges.

#include "CoreTestSupport.h"
#include "rtl/Convert.h"
#include "vcl/StdCtrls.h"
#include "windowing/Paint.h"

#include <vector>

namespace {

class SelectionTest : public CoreTest {
protected:
    // Row r holds "r<r>" in every column.
    void Fill(Integer Rows, Integer Cols = 5) {
        Grid->SetColCount(Cols);
        Grid->SetRowCount(Rows);
        for (Integer r = 0; r < Rows; ++r)
            for (Integer c = 0; c < Cols; ++c) Grid->SetGridCells(c, r, u"r" + IntToStr(r));
    }
    std::vector<Integer> Selected() {
        std::vector<Integer> Rows;
        for (Integer i = 0; i < Grid->SelectedRowCount(); ++i) Rows.push_back(Grid->SelectedRow(i));
        return Rows;
    }
    String ErrorOf(const std::function<void()>& Action) {
        try {
            Action();
        } catch (const EKelGridError& E) {
            return E.Message();
        }
        return u"(none)";
    }
};

TEST_F(SelectionTest, DisjunctRowsAreSelectedOnceAndAskTheApplicationOnlyOnAChange) {
    Fill(20);
    Grid->MouseActions()->SetDisjunctRowSelect(true);
    std::vector<std::pair<Integer, bool>> Asked;
    std::vector<Integer> Told;
    bool Allow = true;
    Grid->OnRowDisjunctSelect = [&](TObject*, Integer ARow, bool AState, bool& A) {
        Asked.push_back({ARow, AState});
        A = Allow;
    };
    Grid->OnRowDisjunctSelected = [&](TObject*, Integer ARow) { Told.push_back(ARow); };

    Grid->SetRowSelect(5, true);
    EXPECT_EQ(Grid->SelectedRowCount(), 1);
    EXPECT_EQ(Grid->SelectedRow(0), 5);
    EXPECT_EQ(Grid->SelectedRow(1), -1);
    EXPECT_TRUE(Grid->RowSelectChanged());
    Grid->SetRowSelect(5, true);
    EXPECT_FALSE(Grid->RowSelectChanged()) << "the same state is no change";
    Grid->SetRowSelect(9, false);
    EXPECT_FALSE(Grid->RowSelectChanged()) << "a row the list does not hold yet is unselected";
    Grid->SetRowSelect(12, true);
    EXPECT_EQ(Selected(), (std::vector<Integer>{5, 12}));
    EXPECT_EQ(Grid->RowSelectCount(), 2);

    Allow = false;
    Grid->SetRowSelect(5, false);
    EXPECT_TRUE(Grid->RowSelect(5)) << "a refused write leaves the row";
    Allow = true;
    Grid->SetRowSelect(5, false);
    EXPECT_FALSE(Grid->RowSelect(5));
    EXPECT_EQ(Selected(), (std::vector<Integer>{12}));
    EXPECT_EQ(Asked, (std::vector<std::pair<Integer, bool>>{{5, true}, {12, true}, {5, false}, {5, false}}));
    EXPECT_EQ(Told, (std::vector<Integer>{5, 12, 5}));

    Grid->ClearRowSelect();
    EXPECT_EQ(Grid->SelectedRowCount(), 0);
    EXPECT_EQ(Told.back(), 12);
}

TEST_F(SelectionTest, RowAndColumnFlagsRefuseIndexesOutsideTheGridWithTheirTexts) {
    Fill(10);
    Grid->HideColumn(4);
    Grid->HideRows(7, 8);
    Grid->MouseActions()->SetDisjunctRowSelect(true);
    Grid->MouseActions()->SetDisjunctColSelect(true);
    struct Case {
        const char* Name;
        std::function<void()> Action;
        String Message;
    } Cases[] = {
        {"read a negative row", [&] { Grid->RowSelect(-1); }, u"Invalid row -1 accessed"},
        {"read past the hidden rows", [&] { Grid->RowSelect(10); }, u"Invalid row 10 accessed"},
        {"write a negative row", [&] { Grid->SetRowSelect(-1, true); }, u"Invalid row accessed"},
        {"write past the hidden rows", [&] { Grid->SetRowSelect(10, true); }, u"Invalid row accessed"},
        {"read past the hidden column", [&] { Grid->ColSelect(5); }, u"Invalid column accessed"},
        {"write a hidden column's index", [&] { Grid->SetColSelect(4, true); }, u"Invalid column accessed"},
        {"write a negative column", [&] { Grid->SetColSelect(-1, false); }, u"Invalid column accessed"},
        {"read a hidden row's index", [&] { EXPECT_FALSE(Grid->RowSelect(9)); }, u"(none)"},
        {"read a hidden column's index", [&] { EXPECT_FALSE(Grid->ColSelect(4)); }, u"(none)"},
    };
    for (const Case& C : Cases) EXPECT_EQ(ErrorOf(C.Action), C.Message) << C.Name;

    // With RowSelectPersistent a read past the list answers False.
    Grid->MouseActions()->PlainSettings().RowSelectPersistent = true;
    EXPECT_EQ(ErrorOf([&] { EXPECT_FALSE(Grid->RowSelect(500)); }), u"(none)");
}

TEST_F(SelectionTest, PersistentRowFlagsFollowTheRealRowThroughHiding) {
    Fill(12);
    Grid->MouseActions()->SetDisjunctRowSelect(true);
    Grid->MouseActions()->PlainSettings().RowSelectPersistent = true;
    Grid->HideRows(3, 4);
    Grid->SelectRows(3, 2); // displayed 3, 4 = real 5, 6
    EXPECT_EQ(Selected(), (std::vector<Integer>{5, 6}));
    EXPECT_FALSE(Grid->RowSelect(3)) << "the hidden row keeps its own, unselected flag";
    Grid->UnHideRows(3, 4);
    EXPECT_EQ(Grid->GridCells(1, 5), u"r5");
    EXPECT_TRUE(Grid->RowSelect(5));
    EXPECT_FALSE(Grid->RowSelect(3));
}

TEST_F(SelectionTest, HideSelectedRowsReadsTheFlagWhereItIsKeptAndListsDisplayedRows) {
    for (bool Persistent : {false, true}) {
        SCOPED_TRACE(Persistent ? "persistent" : "displayed");
        Grid->MouseActions()->SetDisjunctRowSelect(true);
        Grid->MouseActions()->PlainSettings().RowSelectPersistent = Persistent;
        Grid->UnHideRowsAll();
        Grid->SetFilterLevel(0);
        Grid->ClearRowSelect();
        Fill(12);
        Grid->HideRow(2);
        // Displayed rows 4 and 6 are real rows 5 and 7.
        Grid->SetRowSelect(Persistent ? 5 : 4, true);
        Grid->SetRowSelect(Persistent ? 7 : 6, true);
        Grid->HideSelectedRows();
        EXPECT_EQ(Grid->RowCount(), 9);
        EXPECT_TRUE(Grid->IsHiddenRow(5));
        EXPECT_TRUE(Grid->IsHiddenRow(7));
        EXPECT_FALSE(Grid->IsHiddenRow(6));
        EXPECT_EQ(Grid->GridCells(1, 4), u"r6");
    }
    Grid->HideUnSelectedRows();
    EXPECT_EQ(Grid->RowCount(), 1) << "every normal row is unselected: only the fixed row stays";
}

TEST_F(SelectionTest, DisjunctCellsHoldEachPairOnceAtAnyRow) {
    Fill(5);
    Grid->MouseActions()->SetDisjunctCellSelect(true);
    Grid->SetSelectedCells(1, 70000, true);
    Grid->SetSelectedCells(1, 70000, true);
    Grid->SetSelectedCells(2, 3, true);
    EXPECT_EQ(Grid->SelectedCellsCount(), 2);
    EXPECT_TRUE(Grid->SelectedCells(1, 70000));
    EXPECT_FALSE(Grid->SelectedCells(1, 70000 - 65536)) << "rows past 65,535 do not alias";
    EXPECT_FALSE(Grid->SelectedCells(70000, 1));
    EXPECT_EQ(Grid->SelectedCell(0), (TGridCoord{1, 70000}));
    EXPECT_EQ(Grid->SelectedCell(1), (TGridCoord{2, 3}));
    EXPECT_THROW(Grid->SelectedCell(2), EListError);
    Grid->SetSelectedCells(4, 4, false);
    Grid->SetSelectedCells(1, 70000, false);
    EXPECT_EQ(Grid->SelectedCellsCount(), 1);
    Grid->ClearSelectedCells();
    EXPECT_EQ(Grid->SelectedCellsCount(), 0);
}

TEST_F(SelectionTest, RectangleModeCountsRowsColumnsAndCells) {
    Fill(10, 6);
    Grid->SelectAll();
    EXPECT_EQ(Grid->Selection(), (TGridRect{1, 1, 5, 9})) << "the normal columns of every row from FixedRows";
    EXPECT_EQ(Grid->SelectedRowCount(), 9);
    EXPECT_EQ(Grid->SelectedRow(8), 9);
    EXPECT_EQ(Grid->SelectedRow(9), -1);
    EXPECT_EQ(Grid->SelectedColCount(), 5);
    EXPECT_EQ(Grid->SelectedCellsCount(), 45);
    EXPECT_TRUE(Grid->SelectedCells(5, 9));
    EXPECT_FALSE(Grid->SelectedCells(0, 3));
    EXPECT_EQ(Grid->RowSelectCount(), 0) << "without goRowSelect";
    EXPECT_TRUE(Grid->RowSelect(4));
    EXPECT_FALSE(Grid->RowSelect(0));

    Grid->SetFixedFooters(1);
    EXPECT_EQ(Grid->SelectedRowCount(), 8) << "the footer row is not counted";
    Grid->SetFixedFooters(0);

    // The right edge is the base of a merged cell three columns wide.
    Grid->SetColCount(10);
    Grid->MergeCells(3, 2, 3, 1);
    Grid->SelectRange(1, 3, 2, 2);
    EXPECT_EQ(Grid->SelectedColCount(), 5);
    EXPECT_EQ(Grid->SelectedCellsCount(), 3);

    Grid->SelectCols(2, 3);
    EXPECT_EQ(Grid->Selection(), (TGridRect{2, 1, 4, 9}));
    Grid->FocusCell(3, 4);
    EXPECT_EQ(Grid->Selection(), (TGridRect{3, 4, 3, 4}));
    EXPECT_EQ(Grid->SelectedCellsCount(), 1);
    EXPECT_EQ(Grid->SelectedCell(0), (TGridCoord{3, 4}));
}

TEST_F(SelectionTest, SelectionRectangleConvertsToDisjunctRowsAndColumns) {
    Fill(10);
    Grid->SelectRange(1, 2, 3, 5);
    Grid->MouseActions()->SetDisjunctRowSelect(true);
    EXPECT_TRUE(Grid->SelectionToRowSelect(false));
    EXPECT_EQ(Selected(), (std::vector<Integer>{3, 4, 5}));
    EXPECT_FALSE(Grid->SelectionToRowSelect(true)) << "the same top as last time changes nothing";

    Grid->MouseActions()->SetDisjunctColSelect(true);
    std::vector<Integer> Told;
    Grid->OnColDisjunctSelected = [&](TObject*, Integer ACol) { Told.push_back(ACol); };
    Grid->SelectionToColSelect(false);
    EXPECT_EQ(Grid->SelectedColCount(), 2);
    EXPECT_EQ(Grid->ColSelectCount(), 2);
    Grid->SelectCols(4, 10);
    EXPECT_TRUE(Grid->ColSelect(4));
    Grid->UnSelectCols(1, 1);
    EXPECT_EQ(Grid->SelectedColCount(), 2);
    Grid->ClearColSelect();
    EXPECT_EQ(Grid->SelectedColCount(), 0);
    EXPECT_EQ(Told, (std::vector<Integer>{1, 2, 4, 1, 2, 4}));

    // Moving the current row copies the new selection into the row flags.
    Grid->SetRow(8);
    EXPECT_TRUE(Grid->RowSelect(8));
}

TEST_F(SelectionTest, ModifiedAndEnabledRowsByRealIndex) {
    Fill(10);
    Grid->SetRowModified(3, true);
    Grid->SetRowModified(6, true);
    Grid->SetRowModified(6, false);
    EXPECT_TRUE(Grid->RowModified(3));
    EXPECT_FALSE(Grid->RowModified(6));
    EXPECT_FALSE(Grid->RowModified(500));
    EXPECT_EQ(Grid->ModifiedRowCount(), 1);
    Grid->ClearModifiedRows();
    EXPECT_EQ(Grid->ModifiedRowCount(), 0);

    EXPECT_TRUE(Grid->RowEnabled(4));
    EXPECT_FALSE(Grid->EnabledRowsInUse());
    Grid->SetRow(1);
    Grid->SetRowEnabled(2, false);
    Grid->SetRowEnabled(1, false);
    EXPECT_EQ(Grid->Row(), 3) << "the current row moves to the first enabled other row";
    EXPECT_FALSE(Grid->RowEnabled(1));
    EXPECT_TRUE(Grid->RowEnabled(3));
    EXPECT_TRUE(Grid->EnabledRowsInUse());
}

TEST_F(SelectionTest, DistinctValuesKeepTheFirstTextOfEachKeyAlsoFromHiddenRows) {
    Fill(7, 2);
    const String Texts[] = {u"", u"a", u"A", u"b", u"a", u" c ", u"B"};
    for (Integer r = 0; r < 7; ++r) Grid->SetGridCells(1, r, Texts[r]);
    Grid->HideRow(5);
    auto Values = [&](bool CaseSensitive) {
        TStringList* List = Grid->DistinctValues(1, CaseSensitive);
        String S = List->CommaText();
        Free(List);
        return S;
    };
    EXPECT_EQ(Values(false), u"a,b,c");
    EXPECT_EQ(Values(true), u"a,A,b,B,c");
}

TEST_F(SelectionTest, SwapCellsExchangesTextsAndRecords) {
    Fill(5);
    Grid->CellProperties(1, 1)->SetBrushColor(0x0000FF);
    Grid->SwapCells(TGridCoord{1, 1}, TGridCoord{3, 4});
    EXPECT_EQ(Grid->GridCells(1, 1), u"r4");
    EXPECT_EQ(Grid->GridCells(3, 4), u"r1");
    EXPECT_FALSE(Grid->HasCellProperties(1, 1));
    ASSERT_TRUE(Grid->HasCellProperties(3, 4));
    EXPECT_EQ(Grid->CellProperties(3, 4)->BrushColor(), 0x0000FF);
    EXPECT_EQ(Grid->CellProperties(3, 4)->OwnerCol(), 3);
    EXPECT_EQ(Grid->CellProperties(3, 4)->OwnerRow(), 4);
}

TEST_F(SelectionTest, HiddenSelectionIsParkedOutsideTheGridAndComesBack) {
    Fill(10);
    Grid->SelectRange(2, 3, 4, 6);
    Grid->HideSelection();
    EXPECT_TRUE(Grid->IsSelectionHidden());
    EXPECT_EQ(Grid->SelectedRowCount(), 0);
    Grid->UnHideSelection();
    EXPECT_EQ(Grid->Selection(), (TGridRect{2, 4, 3, 6}));

    Grid->HideSelection();
    Grid->SetRowCount(4);
    Grid->UnHideSelection();
    EXPECT_EQ(Grid->Selection(), (TGridRect{1, 1, 1, 1})) << "the remembered top is gone: the first normal cell";

    // Setting the row while the column is outside the grid focuses the first
    // normal column of the new row.
    Grid->HideSelection();
    Grid->SetRow(2);
    EXPECT_EQ(Grid->Col(), 1);
    EXPECT_EQ(Grid->Row(), 2);
    EXPECT_FALSE(Grid->IsSelectionHidden());
}

TEST_F(SelectionTest, RepaintRangesInvalidateOnlyShownCells) {
    Fill(100);
    Show();
    TRect R;
    auto Pending = [&] {
        const bool Any = winapi::GetUpdateRect(Grid->Handle(), &R, false);
        Grid->Update();
        return Any;
    };
    Grid->Update();
    ASSERT_FALSE(Pending());
    Grid->RepaintRect(Rect(-1, 2, 3, 4));
    EXPECT_FALSE(Pending()) << "a negative coordinate does nothing";
    Grid->RepaintCell(1, 90);
    EXPECT_FALSE(Pending()) << "a row scrolled out";
    Grid->RepaintCell(2, 3);
    ASSERT_TRUE(Pending());
    EXPECT_EQ(R, Grid->CellRect(2, 3));
    Grid->RepaintRow(3);
    ASSERT_TRUE(Pending());
    EXPECT_EQ(R.Left, Grid->CellRect(0, 3).Left);
    EXPECT_EQ(R.Top, Grid->CellRect(0, 3).Top);
    Grid->RepaintCol(2);
    ASSERT_TRUE(Pending());
    EXPECT_EQ(R.Top, Grid->CellRect(2, Grid->TopRow()).Top);
    Grid->InvalidateGridRect(TGridRect{1, 2, 3, 4});
    ASSERT_TRUE(Pending());
    EXPECT_EQ(R, Rect(Grid->CellRect(1, 2).Left, Grid->CellRect(1, 2).Top, Grid->CellRect(3, 4).Right,
                      Grid->CellRect(3, 4).Bottom));
}

TEST_F(SelectionTest, HiddenRowsTakeTheirCellControlsAlongAndKeepTheirModifiedFlags) {
    Fill(12);
    Show();
    Grid->ShowModified()->SetEnabled(true);
    Grid->SetRowModified(8, true);
    auto* Edit = Create<TEdit>(Form);
    Edit->SetParent(Grid);
    auto* Other = Create<TEdit>(Form);
    Other->SetParent(Grid);
    Grid->ControlList()->AddControl(1, 4, Edit);
    Grid->ControlList()->AddControl(1, 9, Other);

    Grid->HideRows(3, 5);
    EXPECT_FALSE(Edit->Visible()) << "the control of a hidden row hides with it";
    EXPECT_TRUE(Other->Visible());
    Grid->UnHideRows(3, 5);
    EXPECT_TRUE(Edit->Visible());
    const TRect Cell = Grid->CellRect(1, 4);
    EXPECT_EQ(Edit->BoundsRect(), Rect(Cell.Left, Cell.Top, Cell.Right, Cell.Bottom - 1));
    EXPECT_TRUE(Grid->ShowModified()->Enabled());
    EXPECT_TRUE(Grid->RowModified(8)) << "showing rows shifts no flag of a real row";
    EXPECT_EQ(Grid->ModifiedRowCount(), 1);
}

} // namespace

// Auto-size, numbering, the exchange of columns and rows (with the sort's
// row exchange) and the selection of a rectangle of cells with its text.

#include "CoreTestSupport.h"
#include "rtl/Convert.h"

#include <functional>
#include <map>
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

TEST_F(AutoSizeTest, SortSwapRowsMovesTheFlagsOfTheRealRowsPastAHiddenRow) {
    Fill(2, 6);
    Grid->ShowModified()->SetEnabled(true);
    Grid->SetRowModified(3, true); // real row 3 shows as row 2 once row 1 hides
    Grid->SetRowEnabled(5, false); // real row 5 shows as row 4
    Grid->HideRow(1);
    ASSERT_EQ(Grid->GridCells(0, 2), Name(0, 3));

    Grid->SortSwapRows(2, 4);

    EXPECT_EQ(Grid->GridCells(0, 4), Name(0, 3));
    EXPECT_EQ(Grid->GridCells(0, 2), Name(0, 5));
    // The flags went with the texts: displayed row 4 holds real row 5's place.
    EXPECT_TRUE(Grid->RowModified(Grid->RealRowIndex(4)));
    EXPECT_FALSE(Grid->RowModified(Grid->RealRowIndex(2)));
    EXPECT_FALSE(Grid->RowEnabled(Grid->RealRowIndex(2)));
    EXPECT_TRUE(Grid->RowEnabled(Grid->RealRowIndex(4)));
    EXPECT_FALSE(Grid->RowModified(1)); // the hidden row keeps its own flags
    EXPECT_TRUE(Grid->RowEnabled(1));
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

// ---- Sizing (text measured as 7 pixels a character, 14 a line) ----

class TMeasuredCore : public TTestCore {
public:
    using TTestCore::TTestCore;
    TSize CalcCellTextSize(Integer ACol, Integer RealCol, Integer ARow, bool ForWidth, bool WordWrap) override {
        (void)ACol, (void)ForWidth, (void)WordWrap;
        const String Text = Cells(RealCol, ARow);
        if (Text.empty()) return TSize{0, 0};
        Integer Lines = 1, Longest = 0, Run = 0;
        for (const Char ch : Text) {
            if (ch == u'\n') {
                ++Lines;
                Run = 0;
            } else {
                Longest = std::max(Longest, ++Run);
            }
        }
        return TSize{7 * Longest, 14 * Lines};
    }
    std::map<std::pair<Integer, Integer>, TPoint> ObjectSizes;

protected:
    TPoint GetCellGraphicSizeEx(Integer ACol, Integer ARow, Integer HeightReserve) override {
        (void)HeightReserve;
        const auto It = ObjectSizes.find({ACol, ARow});
        return It == ObjectSizes.end() ? TPoint(0, 0) : It->second;
    }
};

class SizingTest : public AutoSizeTest {
protected:
    void SetUp() override {
        AutoSizeTest::SetUp();
        Fresh();
    }
    // A new measured grid of 4 columns and 5 rows in place of the last one.
    void Fresh() {
        if (Sized) Free(Sized);
        Sized = Create<TMeasuredCore>(Form);
        Sized->SetParent(Form);
        Sized->SetColCount(4);
        Sized->SetRowCount(5);
    }
    TMeasuredCore* Sized = nullptr;
};

TEST_F(SizingTest, AutoSizeCellsFitsColumnsToTheirWidestCellAndOnlyGrowsRows) {
    Sized->SetCells(1, 1, u"abcdefghij"); // 70 wide
    Sized->SetCells(1, 2, u"ab");         // 14 high: less than the row
    Sized->SetCells(2, 1, u"x\ny\nz");    // 42 high, 7 wide
    Sized->SetColWidths(2, 200);
    Sized->AutoSizeCells(false, 0, 0);
    EXPECT_EQ(Sized->ColWidths(0), 64); // fixed column left alone
    EXPECT_EQ(Sized->ColWidths(1), 72); // text + XYOffset.X once
    EXPECT_EQ(Sized->ColWidths(2), 9);  // shrinks without SizeGrowOnly
    EXPECT_EQ(Sized->RowHeights(1), 44);
    EXPECT_EQ(Sized->RowHeights(2), 22); // keeps its height
    EXPECT_EQ(Sized->UpdateCount(), 0);

    Sized->SetColWidths(2, 200);
    Sized->SetSizeGrowOnly(true);
    Sized->SetMaxColWidth(50);
    Sized->AutoSizeCells(false, 0, 0);
    EXPECT_EQ(Sized->ColWidths(1), 72);  // 50 is below the current width
    EXPECT_EQ(Sized->ColWidths(2), 200); // grow only
    Sized->SetSizeGrowOnly(false);
    Sized->AutoSizeCells(false, 0, 0);
    EXPECT_EQ(Sized->ColWidths(1), 50);
}

TEST_F(SizingTest, AutoSizeCellsMeasuresTheObjectOfTheDisplayedColumnsOwnCell) {
    // With column 1 hidden, displayed column 1 is real column 2: its object
    // counts, not the hidden column's.
    Sized->SetCells(2, 1, u"ab");
    Sized->ObjectSizes[{2, 1}] = TPoint(50, 10);
    Sized->ObjectSizes[{1, 1}] = TPoint(90, 10);
    Sized->HideColumn(1);
    Sized->AutoSizeCells(false, 0, 0);
    EXPECT_EQ(Sized->ColWidths(1), 66);
}

TEST_F(SizingTest, AutoSizeColFollowsContentLimitsPaddingAndFullWidthObjects) {
    // Width = 2 x XYOffset.X + widest + 2 x grid line + 2.
    struct Case {
        const char* Name;
        std::function<void(TMeasuredCore*)> Setup;
        Integer Padding;
        Integer Width;
    };
    const std::vector<Case> Cases = {
        {"plain", [](TMeasuredCore*) {}, 0, 78},
        {"padding", [](TMeasuredCore*) {}, 6, 84},
        {"minimum", [](TMeasuredCore* G) { G->SetMinColWidth(90); }, 0, 90},
        {"maximum", [](TMeasuredCore* G) { G->SetMaxColWidth(40); }, 0, 40},
        {"grow only keeps a wider column",
         [](TMeasuredCore* G) {
             G->SetSizeGrowOnly(true);
             G->SetColWidths(1, 100);
         },
         0, 100},
        {"fixed rows only", [](TMeasuredCore* G) { G->ColumnSize()->SetRows(arFixed); }, 0, 8 + 21},
        {"full-width object replaces the text",
         [](TMeasuredCore* G) {
             G->SetCells(1, 3, u"abc");
             G->CreateCellGraphic(1, 3)->SetCellHAlign(haFull);
             G->ObjectSizes[{1, 3}] = TPoint(30, 20);
             G->SetCells(1, 2, String());
         },
         0, 32},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.Name);
        Fresh();
        Sized->SetCells(1, 0, u"abc");        // 21
        Sized->SetCells(1, 2, u"abcdefghij"); // 70
        C.Setup(Sized);
        Sized->AutoSizeCol(1, C.Padding);
        EXPECT_EQ(Sized->ColWidths(1), C.Width);
    }
}

TEST_F(SizingTest, NodeIndentIsAFloorThatTheContentCanOnlyRaise) {
    Sized->CellNode()->SetNodeIndent(30);
    Sized->AddNode(1, 2);
    const Integer Floor = 4 + Sized->GetNodeLevel(1) * 30; // cnXP: 4
    ASSERT_GT(Floor, 24);
    Sized->SetSizeGrowOnly(true);
    Sized->SetCells(0, 3, u"ab"); // content: 2 x 2 + 16 (node row) + 2 + 2
    Sized->AutoSizeCol(0, 0);
    EXPECT_EQ(Sized->ColWidths(0), Floor);
    Sized->SetCells(0, 3, u"abcdefghijklmn");
    Sized->AutoSizeCol(0, 0);
    EXPECT_EQ(Sized->ColWidths(0), 4 + 98 + 2 + 2);
}

TEST_F(SizingTest, RowContentCountsControlsByTheLargerSizeAndDataCheckBoxesByTheirOwn) {
    // Height = 2 x XYOffset.Y + highest + 2 x grid line. The text is 42 high,
    // the object 18.
    struct Case {
        const char* Name;
        std::function<void(TMeasuredCore*)> Add;
        Integer Height;
    };
    const std::vector<Case> Cases = {
        {"check box: the larger", [](TMeasuredCore* G) { G->AddCheckBox(1, 1, true, false); }, 48},
        {"data check box: the object", [](TMeasuredCore* G) { G->AddCheckBox(1, 1, true, true); }, 24},
        {"other object: the sum", [](TMeasuredCore* G) { G->CreateCellGraphic(1, 1)->SetCellType(ctComment); }, 66},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.Name);
        Fresh();
        Sized->SetCells(1, 1, u"a\nb\nc");
        C.Add(Sized);
        Sized->ObjectSizes[{1, 1}] = TPoint(16, 18);
        Sized->AutoSizeRow(1, 0);
        EXPECT_EQ(Sized->RowHeights(1), C.Height);
    }
}

TEST_F(AutoSizeTest, AutoFitColumnsFillsTheControlWidth) {
    Grid->SetScrollBars(ssNone);
    Grid->SetBorderStyle(bsSingle);
    Grid->SetCtl3D(true); // 4 border pixels

    // One column: the whole width less the border.
    Grid->SetFixedCols(0);
    Grid->SetColCount(1);
    Grid->SetBounds(0, 0, 300, 200);
    Grid->AutoFitColumns(false);
    EXPECT_EQ(Grid->ColWidths(0), 296);

    // A fixed first column wider than the fitted ones keeps its width; the
    // rounding remainder goes to the widest fitted column.
    Grid->SetColCount(3);
    Grid->SetFixedCols(1);
    Grid->SetBounds(0, 0, 400, 200);
    Grid->SetColWidths(0, 150);
    Grid->SetColWidths(1, 40);
    Grid->SetColWidths(2, 60);
    Grid->AutoFitColumns(false);
    EXPECT_EQ(Grid->ColWidths(0), 150);
    EXPECT_EQ(Grid->ColWidths(1), 98);
    EXPECT_EQ(Grid->ColWidths(2), 148);

    // Columns that fit already stay as they are.
    Grid->SetColWidths(1, 100);
    Grid->SetColWidths(2, 146);
    Grid->AutoFitColumns(false);
    EXPECT_EQ(Grid->ColWidths(1), 100);
    EXPECT_EQ(Grid->ColWidths(2), 146);
}

TEST_F(AutoSizeTest, SizeToCellsFitsTheClientAreaToTheCellsAndKeepsTheScrollBars) {
    Grid->SetColCount(3);
    Grid->SetRowCount(4);
    for (Integer c = 0; c < 3; ++c) Grid->SetColWidths(c, 50 + c);
    for (Integer r = 0; r < 4; ++r) Grid->SetRowHeights(r, 20 + r);
    Grid->SetScrollBars(ssBoth);
    Grid->SizeToCells();
    EXPECT_EQ(Grid->ClientWidth(), 153);
    EXPECT_EQ(Grid->ClientHeight(), 86);
    EXPECT_EQ(Grid->ScrollBars(), ssBoth);
}

// ---- Numbering ----

TEST_F(AutoSizeTest, AutoNumberLeavesOutTheStartCellsAndCountsEitherWay) {
    struct Case {
        TSortDirection Direction;
        std::vector<String> Column; // rows 0 .. 5
    };
    const std::vector<Case> Cases = {
        {sdAscending, {u"", u"", u"", u"13", u"14", u"15"}},
        {sdDescending, {u"", u"15", u"14", u"13", u"", u""}},
    };
    for (const Case& C : Cases) {
        Grid->ClearAll();
        Grid->SetColCount(3);
        Grid->SetRowCount(6);
        Grid->SetFixedRows(1);
        Grid->SetAutoNumberStart(2);
        Grid->SetAutoNumberOffset(10);
        Grid->SetAutoNumberDirection(C.Direction);
        Grid->AutoNumberCol(1);
        for (Integer r = 0; r < 6; ++r) EXPECT_EQ(Grid->Cells(1, r), C.Column[size_t(r)]) << r;
    }
    Grid->SetAutoNumberStart(0);
    Grid->SetAutoNumberOffset(0);
    Grid->SetAutoNumberDirection(sdAscending);
    Grid->AutoNumberRow(2);
    EXPECT_EQ(Grid->Cells(0, 2), u"");
    EXPECT_EQ(Grid->Cells(1, 2), u"1");
    EXPECT_EQ(Grid->Cells(2, 2), u"2");
}

// ---- Exchanging columns and rows ----

TEST_F(AutoSizeTest, SwapColumnsCarriesCellsWidthsTheSortColumnAndHiddenRows) {
    Fill(5, 6);
    Grid->AddCheckBox(1, 2, true, false);
    TCellGraphic* Box = Grid->GetCellGraphic(1, 2);
    Grid->SetColWidths(1, 30);
    Grid->SetColWidths(3, 90);
    Grid->SortSettings()->SetColumn(3);
    Grid->HideRow(4);

    Grid->SwapColumns(1, 3);

    EXPECT_EQ(Grid->GridCells(1, 1), Name(3, 1));
    EXPECT_EQ(Grid->GridCells(3, 1), Name(1, 1));
    EXPECT_EQ(Grid->GetCellGraphic(3, 2), Box);
    EXPECT_EQ(Grid->GetRawObject(3, 2)->OwnerCol(), 3);
    EXPECT_EQ(Grid->ColWidths(1), 90);
    EXPECT_EQ(Grid->ColWidths(3), 30);
    EXPECT_EQ(Grid->SortSettings()->Column(), 1);
    Grid->UnHideRowsAll();
    EXPECT_EQ(Grid->GridCells(1, 4), Name(3, 4)); // the hidden row's cells moved along
    EXPECT_EQ(Grid->GridCells(3, 4), Name(1, 4));
}

TEST_F(AutoSizeTest, SwapRowsExchangesCellsAndHeightsButNotTheRowFlags) {
    Fill(4, 6);
    Grid->HideColumn(3);
    Grid->SetRowHeights(1, 50);
    Grid->SetRowModified(1, true);
    Grid->SwapRows(1, 4);
    for (Integer c = 0; c < 4; ++c) EXPECT_EQ(Grid->GridCells(c, 4), Name(c, 1));
    EXPECT_EQ(Grid->RowHeights(4), 50);
    EXPECT_EQ(Grid->RowHeights(1), 22);
    EXPECT_TRUE(Grid->RowModified(1));
    EXPECT_EQ(Grid->UpdateCount(), 0);
}

// ---- Range selection ----

TEST_F(AutoSizeTest, SelectCellsMovesTheCurrentCellOrSelectsTheRectangle) {
    Fill(5, 6);
    Grid->FocusCell(4, 1);
    Grid->SelectCells(2, 3, 2, 3); // current cell in the last column
    EXPECT_EQ(Grid->Selection(), (TGridRect{2, 3, 2, 3}));
    Grid->FocusCell(1, 1);
    Grid->SelectCells(2, 3, 2, 3);
    EXPECT_EQ(Grid->Col(), 2);
    EXPECT_EQ(Grid->Row(), 3);
    Grid->SelectCells(1, 2, 3, 4);
    EXPECT_EQ(Grid->Selection(), (TGridRect{1, 2, 3, 4}));

    Grid->MouseActions()->SetDisjunctCellSelect(true);
    Grid->SelectCells(1, 1, 2, 2);
    EXPECT_EQ(Grid->SelectedCellsCount(), 4);
    EXPECT_TRUE(Grid->IsSelected(2, 2));
    Grid->SelectCells(3, 1, 2, 2); // ToCol < FromCol
    EXPECT_EQ(Grid->SelectedCellsCount(), 0);
}

TEST_F(AutoSizeTest, SelectedTextJoinsCellsWithTabsAndRowsWithLineBreaks) {
    Grid->SetColCount(3);
    Grid->SetRowCount(4);
    Grid->SetCells(1, 1, u"a");
    Grid->SetCells(2, 1, u"b");
    Grid->SetCells(1, 2, u"c");
    Grid->SetCells(2, 2, u"d");
    Grid->SetSelection(TGridRect{1, 1, 2, 2});
    EXPECT_EQ(Grid->SelectedText(), u"a\tb\r\nc\td");
    Grid->MouseActions()->SetDisjunctRowSelect(true);
    Grid->SetRowSelect(1, true);
    Grid->SetRowSelect(2, true);
    EXPECT_EQ(Grid->SelectedText(), u"a\tb\r\nc\td\r\n");
}

TEST_F(AutoSizeTest, IsSelectedIsFalseForFixedCellsWhateverTheSelection) {
    Fill(5, 6);
    Grid->SetSelection(TGridRect{1, 1, 3, 3});
    EXPECT_TRUE(Grid->IsSelected(2, 2));
    EXPECT_FALSE(Grid->IsSelected(4, 2));
    Grid->MouseActions()->SetDisjunctRowSelect(true);
    Grid->SetRowSelect(0, true);
    Grid->SetRowSelect(2, true);
    EXPECT_FALSE(Grid->IsSelected(2, 0));
    EXPECT_FALSE(Grid->IsSelected(0, 2));
    EXPECT_TRUE(Grid->IsSelected(4, 2));
}

} // namespace

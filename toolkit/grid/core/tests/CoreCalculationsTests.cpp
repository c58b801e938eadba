// Calculations over columns, rows, rectangles and the selection.

#include "CoreTestSupport.h"
#include "rtl/Convert.h"

#include <cmath>
#include <functional>
#include <set>

namespace {

const char16_t* const NoFloat = u"Cell does not contain a float value";

// A grid whose node and summary rows are chosen by the test, and which
// records the export notifications.
class TCalcGrid : public TTestCore {
public:
    using TTestCore::TTestCore;
    bool IsNode(Integer ARow) override { return Nodes.count(ARow) > 0; }
    bool IsSummary(Integer ARow) override { return Summaries.count(ARow) > 0; }
    void GroupBy(Integer ACol) { FGroupColumn = ACol; }
    void ExportNotification(Integer AState, Integer ARow) override { Notes.emplace_back(AState, ARow); }
    std::set<Integer> Nodes, Summaries;
    std::vector<std::pair<Integer, Integer>> Notes;
};

class CalcTest : public CoreTest {
protected:
    void SetUp() override {
        CoreTest::SetUp();
        G = Create<TCalcGrid>(Form);
        G->SetParent(Form);
    }
    // Column 1 from row 1 on, one text per row; the row count follows.
    void FillColumn(std::initializer_list<const char16_t*> Texts) {
        G->SetRowCount(Integer(Texts.size()) + 1);
        Integer r = 1;
        for (const char16_t* Text : Texts) G->SetCells(1, r++, Text);
    }
    static void ExpectNoFloat(const std::function<void()>& Call, const char* Label) {
        try {
            Call();
            ADD_FAILURE() << Label << " did not raise";
        } catch (const EKelGridError& E) {
            EXPECT_EQ(E.Message(), NoFloat) << Label;
        }
    }
    TCalcGrid* G = nullptr;
};

TEST_F(CalcTest, ColumnFunctionsSkipTextThatIsNoNumberExceptWhereTheyMustRead) {
    FillColumn({u"1", u"x", u"3"});
    EXPECT_DOUBLE_EQ(G->ColumnSum(1, 1, 3), 4);
    EXPECT_DOUBLE_EQ(G->ColumnAvg(1, 1, 3), 4.0 / 3.0) << "every row of the range divides";
    EXPECT_DOUBLE_EQ(G->ColumnMin(1, 1, 3), 1);
    EXPECT_DOUBLE_EQ(G->ColumnMax(1, 1, 3), 3);
    EXPECT_DOUBLE_EQ(G->ColumnCount(1, 1, 3), 3);
    EXPECT_DOUBLE_EQ(G->ColumnSum(1), 4) << "-1 takes the normal rows";
    EXPECT_DOUBLE_EQ(G->ColumnCount(1), 3);
    ExpectNoFloat([&] { G->ColumnStdDev(1, 1, 3); }, "StdDev over x");

    G->SetCells(1, 1, u"abc");
    ExpectNoFloat([&] { G->ColumnMin(1, 1, 3); }, "Min starting at abc");
    ExpectNoFloat([&] { G->ColumnMax(1, 1, 3); }, "Max starting at abc");
    G->SetCells(1, 1, u"");
    EXPECT_LE(G->ColumnMin(1, 1, 3), 0) << "an empty first cell starts at 0";
}

TEST_F(CalcTest, StatisticsAndEmptyRanges) {
    FillColumn({u"2", u"4", u"4", u"4", u"5", u"5", u"7", u"9"});
    EXPECT_DOUBLE_EQ(G->ColumnStdDev(1, 1, 8), 2);
    EXPECT_DOUBLE_EQ(G->ColumnStdDev(1, 3, 2), 0) << "an empty range has no deviation";
    EXPECT_DOUBLE_EQ(G->ColumnStdDev(1, 5, 2), 0);
    EXPECT_DOUBLE_EQ(G->ColumnAvg(1, 4, 2), 0);
    EXPECT_DOUBLE_EQ(G->ColumnSum(1, 4, 2), 0);
    EXPECT_DOUBLE_EQ(G->ColumnDistinct(1, 4, 2), 0);
    EXPECT_DOUBLE_EQ(G->ColumnMin(1, 4, 2), 4) << "an empty range answers its first cell";
    EXPECT_DOUBLE_EQ(G->ColumnMax(1, 8, 7), 9);
    EXPECT_DOUBLE_EQ(G->RowAvg(1, 3, 2), 0);
    EXPECT_DOUBLE_EQ(G->RowSum(1, 3, 2), 0);

    FillColumn({u"a", u"A", u"b", u""});
    EXPECT_DOUBLE_EQ(G->ColumnDistinct(1, 1, 4), 3) << "case is ignored, the empty text counts";
}

TEST_F(CalcTest, RowFunctionsTakeBaseCells) {
    G->SetColCount(6);
    const char16_t* Texts[] = {u"9", u"2", u"note", u"6", u"4", u"1"};
    for (Integer c = 0; c < 6; ++c) G->SetCells(c, 2, Texts[c]);
    EXPECT_DOUBLE_EQ(G->RowSum(2, 1, 4), 12);
    EXPECT_DOUBLE_EQ(G->RowAvg(2, 1, 4), 3);
    EXPECT_DOUBLE_EQ(G->RowMin(2, 1, 4), 2);
    EXPECT_DOUBLE_EQ(G->RowMax(2, 1, 4), 6);
    ExpectNoFloat([&] { G->RowMax(2, 2, 4); }, "RowMax starting at text");
    G->MergeCells(3, 2, 2, 1);
    EXPECT_DOUBLE_EQ(G->RowSum(2, 1, 5), 9) << "the covered cell 4 is left out";
}

TEST_F(CalcTest, RectanglesReadEveryCellAndTheSelectionItsDisplayedCells) {
    G->SetCells(1, 1, u"1");
    G->SetCells(2, 1, u"2");
    G->SetCells(1, 2, u"3");
    G->SetCells(2, 2, u"");
    struct {
        TCalcType Type;
        Double Value;
    } const Cases[] = {{ctSum, 6}, {ctAvg, 1.5}, {ctMin, 0}, {ctMax, 3}};
    for (const auto& Case : Cases) {
        EXPECT_DOUBLE_EQ(G->RectCalc(TGridRect{1, 1, 2, 2}, Case.Type), Case.Value) << Case.Type;
        EXPECT_DOUBLE_EQ(G->RectCalc(TGridRect{2, 2, 1, 1}, Case.Type), Case.Value) << "reversed " << Case.Type;
    }
    EXPECT_DOUBLE_EQ(G->RectAvg(TGridRect{1, 1, 2, 2}), 1.5);

    G->SetCells(2, 3, u"10");
    G->SetCells(1, 3, u"20");
    G->SetSelection(TGridRect{1, 1, 2, 3});
    EXPECT_DOUBLE_EQ(G->SelectionSum(), 36);
    // With row 2 hidden the selection of displayed rows 1 .. 2 shows real
    // rows 1 and 3.
    G->HideRows(2, 2);
    G->SetSelection(TGridRect{1, 1, 2, 2});
    EXPECT_DOUBLE_EQ(G->SelectionSum(), 33);
    EXPECT_DOUBLE_EQ(G->SelectionMax(), 20);
    EXPECT_DOUBLE_EQ(G->SelectionMin(), 1);
    EXPECT_DOUBLE_EQ(G->SelectionAvg(), 33.0 / 4);

    G->SetCells(1, 1, u"n/a");
    ExpectNoFloat([&] { G->RectSum(TGridRect{1, 1, 2, 2}); }, "RectSum over text");
}

TEST_F(CalcTest, RowsTakenByMergesGroupingAndHiding) {
    FillColumn({u"1", u"10", u"100", u"1000", u"10000", u"100000"});
    // A merged cell counts once: rows 2 and 3 share row 2's cell.
    G->MergeCells(1, 2, 1, 2);
    EXPECT_DOUBLE_EQ(G->ColumnSum(1, 1, 6), 111011);
    G->SplitCells(1, 2);

    G->Nodes = {1};
    G->Summaries = {4};
    EXPECT_DOUBLE_EQ(G->ColumnSum(1, 1, 6), 111111) << "nodes count while the grid is not grouped";
    G->GroupBy(2);
    EXPECT_DOUBLE_EQ(G->ColumnSum(1, 1, 6), 110110) << "grouped: node and summary rows are left out";
    EXPECT_DOUBLE_EQ(G->ColumnMax(1, 1, 6), 100000);
    EXPECT_DOUBLE_EQ(G->ColumnMin(1, 2, 6), 10);

    // Real rows: a range past the displayed rows reads the hidden ones,
    // and a hidden node row counts.
    G->Nodes.clear();
    G->Summaries.clear();
    G->HideRows(1, 2);
    ASSERT_EQ(G->RowCount(), 5);
    G->Nodes = {1}; // displayed row 1 is real row 3 now
    EXPECT_DOUBLE_EQ(G->ColumnSum(1, 1, 6), 111011) << "real row 3 is a node, rows 1 and 2 are hidden";
    EXPECT_DOUBLE_EQ(G->ColumnSum(1, 1, 4), 111000) << "within the displayed rows";
    EXPECT_DOUBLE_EQ(G->ColumnDistinct(1, 1, 6), 6);
}

TEST_F(CalcTest, NotificationsAndCustomCalculations) {
    FillColumn({u"1", u"2", u"3"});
    G->GroupBy(2);
    G->Nodes = {2};
    G->Notes.clear();
    G->ColumnSum(1, 1, 3);
    using TNotes = std::vector<std::pair<Integer, Integer>>;
    EXPECT_EQ(G->Notes, (TNotes{{esExportStart, 1}, {esExportNextRow, 1}, {esExportNextRow, 3}, {esExportDone, -1}}));
    G->Notes.clear();
    G->ColumnDistinct(1, 1, 3);
    EXPECT_EQ(G->Notes, (TNotes{{esExportStart, 1}, {esExportNextRow, 1}, {esExportNextRow, 2},
                                {esExportNextRow, 3}, {esExportDone, -1}}));

    EXPECT_DOUBLE_EQ(G->ColumnCustomCalc(1, 1, 3), 0);
    EXPECT_DOUBLE_EQ(G->GroupCustomCalc(1, 1, 3), 0);
    G->OnColumnCalc = [](TObject*, Integer ACol, Integer From, Integer To, Double& Res) { Res = ACol * 100 + From * 10 + To; };
    G->OnGroupCalc = [](TObject*, Integer, Integer From, Integer To, Double& Res) { Res = To - From; };
    EXPECT_DOUBLE_EQ(G->ColumnCustomCalc(1, 2, 3), 123);
    EXPECT_DOUBLE_EQ(G->GroupCustomCalc(1, 2, 7), 5);
}

} // namespace

namespace {

TEST_F(CoreTest, GroupedGridLeavesHeaderAndSummaryRowsOutOfColumnSums) {
    Grid->SetColCount(4);
    Grid->SetRowCount(7);
    const char16_t* Keys[] = {u"A", u"A", u"B", u"B", u"B", u"C"};
    for (Integer r = 1; r <= 6; ++r) {
        Grid->SetCells(1, r, Keys[r - 1]);
        Grid->SetCells(3, r, IntToStr(r));
    }
    Grid->Grouping()->SetSummary(true);
    Grid->Group(1);
    ASSERT_NE(Grid->GroupColumn(), -1);
    // The numbers now stand in column 2; header and summary rows get one
    // that must not count.
    Integer Marked = 0;
    for (Integer r = 1; r < Grid->RowCount(); ++r)
        if (Grid->IsNode(r) || Grid->IsSummary(r)) {
            Grid->SetCells(2, r, u"1000");
            ++Marked;
        }
    ASSERT_EQ(Marked, 6);
    EXPECT_DOUBLE_EQ(Grid->ColumnSum(2, 1, Grid->RowCount() - 1), 21);
    EXPECT_DOUBLE_EQ(Grid->ColumnMax(2, 2, Grid->RowCount() - 1), 6);
}

} // namespace

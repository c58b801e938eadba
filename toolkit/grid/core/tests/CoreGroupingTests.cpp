// Grouping: header rows as nodes, summary rows, captions, ungrouping,
// sub-groups and the group calculations.

#include "CoreTestSupport.h"
#include "rtl/Convert.h"

namespace {

class GroupingTest : public CoreTest {
protected:
    // Columns: 0 fixed, 1 a name, 2 the group value, 3 a sub-group value,
    // 4 a number. Row 0 holds the captions.
    void Fill() {
        Grid->SetColCount(5);
        Grid->SetRowCount(7);
        Grid->SetFixedRows(1);
        Grid->SetFixedCols(1);
        const char16_t* Groups[] = {u"A", u"A", u"B", u"B", u"B", u"C"};
        const char16_t* Subs[] = {u"x", u"x", u"x", u"y", u"y", u"z"};
        Grid->SetGridCells(1, 0, u"Name");
        Grid->SetGridCells(2, 0, u"Grp");
        Grid->SetGridCells(3, 0, u"Sub");
        Grid->SetGridCells(4, 0, u"Num");
        for (Integer r = 1; r <= 6; ++r) {
            Grid->SetGridCells(1, r, u"n" + IntToStr(r));
            Grid->SetGridCells(2, r, Groups[r - 1]);
            Grid->SetGridCells(3, r, Subs[r - 1]);
            Grid->SetGridCells(4, r, IntToStr(r));
        }
        Grid->SetColWidths(2, 77);
    }
    String Column(Integer ACol) {
        String S;
        for (Integer r = 0; r < Grid->RowCount(); ++r) {
            const String T = Grid->GridCells(ACol, r);
            S += (r ? u"," : u"") + (T.empty() ? String(u"-") : T);
        }
        return S;
    }
    // "row:span" of every node row, then "s<row>" of every summary row.
    String Shape() {
        String S;
        for (Integer r = 0; r < Grid->RowCount(); ++r) {
            if (Grid->IsNode(r)) S += IntToStr(r) + u":" + IntToStr(Grid->GetNodeSpan(r)) + u" ";
            if (Grid->IsSummary(r)) S += u"s" + IntToStr(r) + u" ";
        }
        return S;
    }
};

TEST_F(GroupingTest, GroupingWithAndWithoutSummaryRows) {
    struct TCase {
        bool Summary;
        const char16_t* Shape;
        const char16_t* Captions;
        const char16_t* Sums; // column 3 (the numbers) after GroupSum
    };
    const TCase Cases[] = {
        {false, u"1:3 4:4 8:2 ", u"Name,A,n1,n2,B,n3,n4,n5,C,n6", u"Num,3.00,1,2,12.00,3,4,5,6.00,6"},
        {true, u"1:3 s4 5:4 s9 10:2 s12 ", u"Name,A,n1,n2,-,B,n3,n4,n5,-,C,n6,-",
         u"Num,-,1,2,3.00,-,3,4,5,12.00,-,6,6.00"},
    };
    for (const TCase& Case : Cases) {
        SCOPED_TRACE(Case.Summary ? "with summary rows" : "without summary rows");
        Free(Grid);
        Grid = Create<TTestCore>(Form);
        Grid->SetParent(Form);
        Fill();
        Grid->Grouping()->SetSummary(Case.Summary);
        Grid->Group(2);
        EXPECT_EQ(Grid->GroupColumn(), 2);
        EXPECT_EQ(Shape(), Case.Shape);
        EXPECT_EQ(Column(1), Case.Captions);
        EXPECT_EQ(Grid->ColCount(), 4) << "the grouped column leaves the grid";
        EXPECT_EQ(Grid->GridCells(2, 0), u"Sub");
        Grid->GroupSum(3);
        EXPECT_EQ(Column(3), Case.Sums);
    }
}

TEST_F(GroupingTest, UnGroupRestoresTheColumnAndRemovesHeadersAndSummaries) {
    for (bool Summary : {false, true}) {
        Free(Grid);
        Grid = Create<TTestCore>(Form);
        Grid->SetParent(Form);
        Fill();
        const String Before = Column(1) + Column(2) + Column(3) + Column(4);
        Grid->Grouping()->SetSummary(Summary);
        Grid->SetGroupColumn(0);
        EXPECT_EQ(Grid->GroupColumn(), -1) << "0 does nothing";
        Grid->SetGroupColumn(2);
        Grid->ContractNode(4 + Summary);
        Grid->SetGroupColumn(-1);
        EXPECT_EQ(Grid->GroupColumn(), -1);
        EXPECT_EQ(Grid->RowCount(), 7);
        EXPECT_EQ(Grid->NumNodes(), 0);
        EXPECT_EQ(Column(1) + Column(2) + Column(3) + Column(4), Before);
        EXPECT_EQ(Grid->ColWidths(2), 77);
        for (Integer r = 0; r < 7; ++r) EXPECT_FALSE(Grid->IsSummary(r));
    }
}

TEST_F(GroupingTest, GroupingOnTheFirstNormalColumnPutsTheCaptionsBesideIt) {
    Fill();
    // Column 1 holds the group values; its captions go to column 2, which
    // becomes column 1 when the grouped column leaves.
    for (Integer r = 1; r <= 6; ++r) Grid->SetGridCells(1, r, Grid->GridCells(2, r));
    Grid->SetGridCells(2, 1, u"first");
    Grid->SortSettings()->SetAutoSortForGrouping(false);
    Grid->Group(1);
    EXPECT_EQ(Column(1), u"Grp,A,first,A,B,B,B,B,C,C");
    Grid->UnGroup();
    EXPECT_EQ(Column(1), u"Name,A,A,B,B,B,C");
    EXPECT_EQ(Column(2), u"Grp,first,A,B,B,B,C");
}

TEST_F(GroupingTest, GroupCountExpandOneAndContractedGroups) {
    Fill();
    Grid->Group(2);
    Grid->GroupCount(3);
    EXPECT_EQ(Column(3), u"Num,2,1,2,3,3,4,5,1,6") << "the header row not counted";
    Grid->ContractNode(4);
    Grid->GroupSum(3);
    EXPECT_EQ(Column(3), u"Num,3.00,1,2,3,6.00,6") << "a contracted group is skipped";

    Free(Grid);
    Grid = Create<TTestCore>(Form);
    Grid->SetParent(Form);
    Fill();
    Grid->CellNode()->SetExpandOne(true);
    Grid->Group(2);
    EXPECT_FALSE(Grid->GetNodeState(1));
    EXPECT_TRUE(Grid->GetNodeState(4));
    EXPECT_TRUE(Grid->GetNodeState(5));
    EXPECT_EQ(Column(1), u"Name,A,n1,n2,B,C");
    EXPECT_EQ(Grid->Row(), 1);
}

TEST_F(GroupingTest, GroupingProcessesNoWindowMessages) {
    Fill();
    Show();
    Grid->Paints = 0;
    Grid->Invalidate();
    Grid->Group(2);
    EXPECT_EQ(Grid->Paints, 0) << "nothing ran from the message queue meanwhile";
    Pump();
    EXPECT_GT(Grid->Paints, 0);
}

TEST_F(GroupingTest, SubGroupsAndBack) {
    Fill();
    Grid->Grouping()->SetShowGroupCount(true);
    Grid->Group(2);
    const String Grouped = Column(1) + Column(2) + Column(3);
    Grid->SubGroup(2);
    EXPECT_EQ(Shape(), u"1:4 2:3 5:6 6:2 8:3 11:3 12:2 ");
    EXPECT_EQ(Column(3), u"Num,-,x,1,2,-,x,3,y,4,5,-,z,6");
    EXPECT_EQ(Column(2), u"Sub,-,-,-,-,-,-,-,-,-,-,-,-,-");
    EXPECT_EQ(Grid->GetSubNodeCount(5), 2);
    EXPECT_EQ(Grid->GetNodeLevel(6), 2);
    String Caption = Grid->GridCells(1, 5);
    Grid->GetDisplText(1, 5, Caption);
    EXPECT_EQ(Caption, u"B (3)") << "sub-group headers are not counted";

    Grid->SubUnGroup(2);
    EXPECT_EQ(Column(1) + Column(2) + Column(3), Grouped);
    EXPECT_EQ(Shape(), u"1:3 4:4 8:2 ");

    Grid->SubGroup(2);
    Grid->UnGroup();
    EXPECT_EQ(Column(2), u"Grp,A,A,B,B,B,C");
    EXPECT_EQ(Column(3), u"Sub,x,x,x,y,y,z") << "ungrouping undoes the sub-groups first";
}

TEST_F(GroupingTest, SummaryRowsMergedAndFooterCalculation) {
    Fill();
    Grid->Grouping()->SetSummary(true);
    Grid->Grouping()->SetMergeSummary(true);
    Grid->Grouping()->SetMergeHeader(true);
    Grid->Grouping()->SetHeaderColor(0x00FF00);
    Grid->Group(2);
    EXPECT_EQ(Grid->CellSpan(1, 1).X, 2) << "headers merged over the normal columns";
    EXPECT_EQ(Grid->CellSpan(1, 4).X, 2) << "summary rows too";
    EXPECT_EQ(Grid->Colors(1, 1), TColor(0x00FF00));
    Grid->UnGroup();
    EXPECT_EQ(Grid->RowCount(), 7);
    EXPECT_EQ(Grid->CellSpan(1, 1).X, 0);
}

TEST_F(GroupingTest, ColumnZeroAndSubGroupsBesideSummaryRows) {
    Fill();
    Grid->SetFixedCols(0);
    for (Integer r = 1; r <= 6; ++r) Grid->SetGridCells(0, r, r <= 3 ? u"k" : u"m");
    const String Before = Column(0) + Column(1) + Column(2) + Column(3) + Column(4);
    Grid->Grouping()->SetSummary(true);
    Grid->Group(2);
    Grid->SubGroup(2);
    Grid->SubUnGroup(2);
    for (Integer r = 0; r < Grid->RowCount(); ++r) {
        if (Grid->IsSummary(r)) {
            EXPECT_EQ(Grid->GridCells(2, r), u"") << "no sub value in summary row " << r;
        }
    }
    Grid->UnGroup();
    EXPECT_EQ(Column(0) + Column(1) + Column(2) + Column(3) + Column(4), Before);

    Grid->Group(0);
    EXPECT_EQ(Grid->GroupColumn(), -1) << "the node column is not grouped away";
    EXPECT_EQ(Column(0) + Column(1) + Column(2) + Column(3) + Column(4), Before);
    Grid->CellNode()->SetNodeColumn(1);
    Grid->Group(1);
    EXPECT_EQ(Grid->GroupColumn(), -1) << "nor the columns before it";
}

} // namespace

// The data settings of sorting, filtering, nodes, grouping and typing: what
// Assign copies and what it leaves, the change reports to the grid, the
// filter list's operations and the refused node-column change.

#include "RecordingSettingsOwner.h"
#include "grid/CellNode.h"
#include "grid/FilterSettings.h"
#include "grid/GridError.h"
#include "grid/GridItem.h"
#include "grid/Grouping.h"
#include "grid/SizeWhileTyping.h"
#include "grid/SortSettings.h"

#include <gtest/gtest.h>

namespace {

class TNodeOwner : public TRecordingSettingsOwner {
public:
    bool Nodes = false;
    bool Destroying = false;
    bool GridHasNodes() const override { return Nodes; }
    bool IsDestroying() const override { return Destroying; }
    void RepaintRow(Integer ARow) override { Calls.push_back("RepaintRow " + std::to_string(ARow)); }
    void RepaintCell(Integer ACol, Integer ARow) override {
        Calls.push_back("RepaintCell " + std::to_string(ACol) + "," + std::to_string(ARow));
    }
};

TEST(DataSettings, AssignCopiesOnlyWhatEachClassCopies) {
    TSortSettings SortFrom, SortTo;
    SortFrom.SetColumn(3);
    SortFrom.SetShow(true);
    SortFrom.SetHeaderColor(0x123456);
    SortFrom.SetSortOnVirtualCells(false);
    SortFrom.SetIgnoreCase(true);
    SortTo.Assign(&SortFrom);
    EXPECT_EQ(SortTo.Column(), 3);
    EXPECT_TRUE(SortTo.Show());
    EXPECT_EQ(SortTo.HeaderColor(), 0x123456);
    EXPECT_TRUE(SortTo.SortOnVirtualCells());
    EXPECT_FALSE(SortTo.IgnoreCase());

    TGrouping GroupFrom, GroupTo;
    GroupFrom.SetHeaderColor(0x10);
    GroupFrom.SetSummary(true);
    GroupFrom.SetSummaryLineColor(0x20);
    GroupFrom.SetHeaderLineWidth(5);
    GroupTo.Assign(&GroupFrom);
    EXPECT_EQ(GroupTo.HeaderColor(), 0x10);
    EXPECT_FALSE(GroupTo.Summary());
    EXPECT_EQ(GroupTo.SummaryLineColor(), 0xFF0000);
    EXPECT_EQ(GroupTo.HeaderLineWidth(), 2);

    TFilter Filter;
    TFilterData* From = Filter.Add(2, u">5", foOR);
    From->SetMethod(fmLiteral);
    From->SetEnabled(false);
    From->SetFilterType(ftEqual);
    From->SetFriendlyName(u"five");
    TFilterData* To = Filter.Add();
    To->Assign(From);
    EXPECT_EQ(To->Column(), 2);
    EXPECT_EQ(To->Condition(), u">5");
    EXPECT_EQ(To->Operation(), foOR);
    EXPECT_EQ(To->Method(), fmExpression);
    EXPECT_TRUE(To->Enabled());
    EXPECT_EQ(To->FilterType(), ftStartsWith);
    EXPECT_EQ(To->FriendlyName(), u"");

    TFilterDropDown DropFrom, DropTo;
    DropFrom.SetAutoSize(true);
    DropFrom.SetSorted(false);
    DropFrom.SetWidth(80);
    DropFrom.SetTextChecked(u"Yes");
    DropTo.Assign(&DropFrom);
    EXPECT_FALSE(DropTo.AutoSize());
    EXPECT_TRUE(DropTo.Sorted());
    EXPECT_EQ(DropTo.Width(), 80);
    EXPECT_EQ(DropTo.TextChecked(), u"Yes");

    // Any other source leaves the object as it is.
    TSizeWhileTyping Typing;
    Typing.SetWidth(true);
    Typing.Assign(&DropFrom);
    EXPECT_TRUE(Typing.Width());
}

TEST(DataSettings, SettersReportOnlyRealChangesToTheGrid) {
    TNodeOwner Grid;
    TSortSettings Sort(&Grid);
    Sort.OnHeaderRow = [] { return 0; };
    Sort.SetShow(false);
    Sort.SetShow(true);
    Sort.SetColumn(-1);
    Sort.SetColumn(2);
    Sort.SetHeaderColor(clNone);
    Sort.SetHeaderColorTo(0xFF);
    EXPECT_EQ(Grid.Take(), (std::vector<std::string>{"Repaint", "RepaintRow 0", "RepaintRow 0"}));

    TCellNode Node(&Grid);
    Node.SetNodeIndent(12);
    Node.SetNodeIndent(20);
    Node.SetColor(0x1);
    TFilterEdit Edit(&Grid);
    Edit.SetRow(0);
    Edit.SetRow(1);
    Edit.SetEnabled(true);
    EXPECT_EQ(Grid.Take(), (std::vector<std::string>{"Repaint", "Repaint"}));
}

TEST(DataSettings, NodeColumnCannotChangeWhileTheGridHasNodes) {
    TNodeOwner Grid;
    TCellNode Node(&Grid);
    Node.SetNodeColumn(2);
    Grid.Nodes = true;
    try {
        Node.SetNodeColumn(1);
        FAIL() << "no error";
    } catch (const EKelGridError& E) {
        EXPECT_EQ(E.Message(), u"Cannot change node column when grid has nodes");
    }
    EXPECT_EQ(Node.NodeColumn(), 2);
    // Copying takes the column over without asking.
    TCellNode Other;
    Other.SetNodeColumn(4);
    Node.Assign(&Other);
    EXPECT_EQ(Node.NodeColumn(), 4);
}

TEST(DataSettings, FilterListFindsAddsAndRemovesColumnConditions) {
    TNodeOwner Grid;
    TFilter Filter(&Grid);
    EXPECT_EQ(Filter.Add()->Operation(), foNONE);
    EXPECT_EQ(Filter.Add()->Operation(), foAND);
    Filter.Items(0)->SetColumn(1);
    Filter.Items(1)->SetColumn(1);
    Filter.Items(1)->SetFilterType(ftEqual);
    EXPECT_TRUE(Filter.HasFilter(1));
    EXPECT_FALSE(Filter.HasOtherFilter(1));
    EXPECT_EQ(Filter.HasFilterType(1), ftStartsWith);
    EXPECT_EQ(Filter.HasFilterType(5), ftContains);
    TFilterData* New = Filter.ColumnFilter(5);
    EXPECT_EQ(New->Column(), 5);
    EXPECT_EQ(Filter.Count(), 3);
    EXPECT_EQ(Filter.ColumnFilter(5), New);
    Grid.Take();
    Filter.RemoveColumnFilter(1);
    EXPECT_EQ(Filter.Count(), 1);
    const auto Calls = Grid.Take();
    ASSERT_FALSE(Calls.empty());
    EXPECT_EQ(Calls.back(), "RepaintCell 1,0");
    EXPECT_EQ(Calls.front(), "RepaintRow 0");
    // A grid that is going is not asked to repaint.
    Grid.Destroying = true;
    Filter.Add();
    EXPECT_TRUE(Grid.Take().empty());
}

TEST(DataSettings, BuildConditionByFilterType) {
    struct Case {
        TFilterType Type;
        const char16_t* Typed;
        const char16_t* Condition;
    };
    const Case Cases[] = {
        {ftStartsWith, u"ab", u"ab*"},       {ftEndsWith, u"ab", u"*ab"},
        {ftContains, u"ab", u"*ab*"},        {ftNotContains, u"ab", u"!*ab*"},
        {ftEqual, u"ab", u"ab"},             {ftNotEqual, u"ab", u"!ab"},
        {ftLargerThan, u"5", u">5"},         {ftSmallerThan, u"5", u"<5"},
        {ftContains, u"new york", u"*\"new york\"*"},
        {ftClear, u"ab", u"old"},            {ftNone, u"ab", u"old"},
    };
    TFilter Filter;
    for (const Case& C : Cases) {
        TFilterData* Item = Filter.Add();
        Item->SetCondition(u"old");
        Item->SetFilterType(C.Type);
        Item->BuildCondition(C.Typed);
        EXPECT_EQ(Item->Condition(), C.Condition) << int(C.Type);
    }
}

TEST(DataSettings, GridItemOwnsTheRowItHolds) {
    TCollection Hidden(TGridItem::StaticClassInfo());
    auto* Item = static_cast<TGridItem*>(Hidden.Add());
    Item->Items()->Add(u"old");
    auto* Row = new TStringList();
    Row->Add(u"a");
    Item->SetItems(Row);
    Item->SetItems(Row);
    EXPECT_EQ(Item->Items()->Strings(0), u"a");
    TFilterEdit Edit;
    EXPECT_EQ(Edit.TypeNames()->Count(), 9);
    EXPECT_EQ(Edit.TypeNames()->Strings(8), u"Clear");
}

} // namespace

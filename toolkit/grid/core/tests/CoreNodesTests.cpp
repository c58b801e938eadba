// Tree nodes: spans and levels, contracting and expanding (nested, span 0,
// ExpandOne, suppression), the tree queries, child rows, and a random walk
// over node operations checked against a plain model.

#include "CoreTestSupport.h"
#include "grid/GridError.h"
#include "rtl/Convert.h"

#include <functional>
#include <random>

namespace {

class NodesTest : public CoreTest {
protected:
    // One fixed row, no fixed column; column 1 of real row r holds "r".
    void Fill(Integer Rows = 10) {
        Grid->SetColCount(3);
        Grid->SetRowCount(Rows);
        Grid->SetFixedRows(1);
        Grid->SetFixedCols(0);
        for (Integer r = 0; r < Rows; ++r) Grid->SetGridCells(1, r, IntToStr(r));
    }
    // Column 1 down the displayed rows, blank cells as "-".
    String Shown() {
        String S;
        for (Integer r = 0; r < Grid->RowCount(); ++r) {
            const String T = Grid->GridCells(1, r);
            S += (r ? u"," : u"") + (T.empty() ? String(u"-") : T);
        }
        return S;
    }
    Integer Level(Integer ARow) {
        const TCellProperties* P = Grid->GetRawObject(0, ARow);
        return P ? P->NodeLevel() : 0;
    }
};

TEST_F(NodesTest, AddNodeContractAndExpand) {
    Fill();
    Grid->SetCol(0);
    Grid->AddNode(1, 4);
    EXPECT_EQ(Grid->NumNodes(), 1);
    EXPECT_TRUE(Grid->HasNodes());
    EXPECT_EQ(Grid->Col(), 1) << "the current column leaves the node column";
    for (Integer r = 1; r <= 4; ++r) EXPECT_EQ(Level(r), 1) << r;
    EXPECT_EQ(Level(5), 0);
    EXPECT_EQ(Grid->GetNodeLevel(1), 1);
    EXPECT_EQ(Grid->GetNodeLevel(2), -1) << "not a node";
    EXPECT_EQ(Grid->GetNodeSpan(1), 4);
    EXPECT_EQ(Grid->GetNodeSpan(2), -1);
    EXPECT_TRUE(Grid->IsNode(1));
    EXPECT_FALSE(Grid->IsNode(-1));

    Grid->CellProperties(1, 1);
    Grid->ContractNode(1);
    EXPECT_EQ(Grid->RowCount(), 7);
    EXPECT_TRUE(Grid->GetNodeState(1));
    EXPECT_EQ(Grid->RealRowIndex(2), 5);
    EXPECT_EQ(Shown(), u"0,1,5,6,7,8,9");
    EXPECT_TRUE(Grid->CellProperties(1, 1)->MergeCollaps());

    Grid->ExpandNode(1);
    EXPECT_FALSE(Grid->GetNodeState(1));
    EXPECT_EQ(Shown(), u"0,1,2,3,4,5,6,7,8,9");
    EXPECT_FALSE(Grid->CellProperties(1, 1)->MergeCollaps());
    for (Integer r = 1; r <= 4; ++r) EXPECT_EQ(Level(r), 1) << "levels come back with the rows";

    Grid->RemoveNode(1);
    EXPECT_EQ(Grid->NumNodes(), 0);
    EXPECT_FALSE(Grid->IsNode(1));
    for (Integer r = 1; r <= 4; ++r) EXPECT_EQ(Level(r), 0);
}

TEST_F(NodesTest, RemovingANodeRowLowersTheNodeCount) {
    Fill();
    Grid->AddNode(2, 3);
    Grid->AddNode(6, 2);
    ASSERT_EQ(Grid->NumNodes(), 2);
    Grid->RemoveRows(6, 1);
    EXPECT_EQ(Grid->NumNodes(), 1);
    Grid->RemoveRows(1, 3); // a normal row, the node row and a child
    EXPECT_EQ(Grid->NumNodes(), 0);
    EXPECT_FALSE(Grid->GridHasNodes());
}

TEST_F(NodesTest, ContractAndExpandCases) {
    // A covers 1..6 with B (3..5) nested; C covers 7..8.
    struct TCase {
        const char* Name;
        std::function<void(TTestCore*)> Steps;
        const char* Rows;
        const char* Contracted; // node rows (displayed) that are contracted
    };
    const TCase Cases[] = {
        {"nested contract", [](TTestCore* G) { G->ContractNode(3); }, "0,1,2,3,6,7,8,9", "3"},
        {"parent over a contracted nested node",
         [](TTestCore* G) {
             G->ContractNode(3);
             G->ContractNode(1);
         },
         "0,1,7,8,9", "1"},
        {"expanding the parent shows both, the nested one open",
         [](TTestCore* G) {
             G->ContractNode(3);
             G->ContractNode(1);
             G->ExpandNode(1);
         },
         "0,1,2,3,4,5,6,7,8,9", ""},
        {"toggle twice", [](TTestCore* G) { G->ToggleNode(7), G->ToggleNode(7); }, "0,1,2,3,4,5,6,7,8,9", ""},
        {"a hidden node row is left alone",
         [](TTestCore* G) {
             G->ContractNode(1);
             G->ContractNode(3);
             G->ToggleNode(3);
         },
         "0,1,7,8,9", "1"},
        {"span 0 reaches the next node row",
         [](TTestCore* G) {
             G->SetNodeSpan(1, 0);
             G->ContractNode(1);
         },
         "0,1,3,4,5,6,7,8,9", "1"},
        {"ExpandOne contracts every other node",
         [](TTestCore* G) {
             G->ContractAll();
             G->CellNode()->SetExpandOne(true);
             G->ExpandNode(7);
             G->ExpandNode(1);
         },
         "0,1,2,3,4,5,6,7,9", "7"},
        {"ContractAll leaves nested nodes open inside", [](TTestCore* G) { G->ContractAll(); }, "0,1,7,9", "1,2"},
        {"ContractAll then ExpandAll",
         [](TTestCore* G) {
             G->ContractAll();
             G->ExpandAll();
         },
         "0,1,2,3,4,5,6,7,8,9", ""},
        {"SetNodeState", [](TTestCore* G) { G->SetNodeState(7, true), G->SetNodeState(3, true), G->SetNodeState(3, false); },
         "0,1,2,3,4,5,6,7,9", "7"},
    };
    for (const TCase& Case : Cases) {
        SCOPED_TRACE(Case.Name);
        Free(Grid);
        Grid = Create<TTestCore>(Form);
        Grid->SetParent(Form);
        Fill();
        Grid->AddNode(1, 6);
        Grid->AddNode(3, 3);
        Grid->AddNode(7, 2);
        Case.Steps(Grid);
        EXPECT_EQ(Shown(), String(Case.Rows, Case.Rows + strlen(Case.Rows)));
        String Contracted;
        for (Integer r = 0; r < Grid->RowCount(); ++r)
            if (Grid->GetNodeState(r)) Contracted += (Contracted.empty() ? u"" : u",") + IntToStr(r);
        EXPECT_EQ(Contracted, String(Case.Contracted, Case.Contracted + strlen(Case.Contracted)));
    }
}

TEST_F(NodesTest, TreeQueries) {
    Fill();
    EXPECT_EQ(Grid->GetParentRow(2), -1) << "no nodes";
    Grid->AddNode(1, 6);
    Grid->AddNode(3, 3);
    EXPECT_EQ(Grid->GetParentRow(1), -1) << "a top-level node has no parent";
    EXPECT_EQ(Grid->GetParentRow(2), 1);
    EXPECT_EQ(Grid->GetParentRow(3), 1) << "a nested node's parent";
    EXPECT_EQ(Grid->GetParentRow(4), 3);
    EXPECT_EQ(Grid->GetParentRow(6), 1);
    EXPECT_EQ(Grid->GetParentRow(7), -1);
    EXPECT_EQ(Grid->GetNodeLevel(3), 2);
    Grid->ContractNode(3);
    EXPECT_EQ(Grid->GetParentRow(4), 1) << "row 6 now shows at 4";
    EXPECT_EQ(Grid->GetParentRow(5), -1);
    Grid->ExpandNode(3);

    const Integer SpanTypes[] = {2, 0, 2, 0, 2, 1, 1, 1};
    for (Integer r = 0; r < 8; ++r) EXPECT_EQ(Grid->GetNodeSpanType(r), SpanTypes[r]) << r;

    Grid->UpdateSubNodeCount(1, 2);
    Grid->UpdateSubNodeCount(1, -5);
    EXPECT_EQ(Grid->GetSubNodeCount(1), 0) << "never below 0";
    EXPECT_EQ(Grid->GetSubNodeCount(2), 0);

    try {
        Grid->CellNode()->SetNodeColumn(2);
        ADD_FAILURE() << "no exception";
    } catch (const EKelGridError& E) {
        EXPECT_EQ(E.Message(), u"Cannot change node column when grid has nodes");
    }
    EXPECT_EQ(Grid->CellNode()->NodeColumn(), 0);

    Grid->MouseActions()->PlainSettings().PreciseNodeClick = false;
    EXPECT_TRUE(Grid->IsInNodeButton(1, 500));
    Grid->MouseActions()->PlainSettings().PreciseNodeClick = true;
    const Integer x0 = Grid->CellRect(0, 0).Left;
    EXPECT_TRUE(Grid->IsInNodeButton(1, x0 + 8)) << "level 1, cnXP: between 4 and 16";
    EXPECT_FALSE(Grid->IsInNodeButton(1, x0 + 40));
    EXPECT_TRUE(Grid->IsInNodeButton(3, x0 + 20)) << "level 2: between 16 and 28";
    EXPECT_FALSE(Grid->IsInNodeButton(3, x0 + 8));
}

TEST_F(NodesTest, SuppressedChildrenAndUnSuppressAllOpenRows) {
    Fill();
    Grid->SetFilterType(ftSuppress);
    Grid->AddNode(1, 4);
    Grid->SuppressRow(7);
    Grid->ContractNode(1);
    EXPECT_EQ(Grid->RowCount(), 10) << "suppressed, not hidden";
    for (Integer r = 2; r <= 4; ++r) EXPECT_EQ(Grid->RowHeights(r), 0) << r;
    Grid->UnSuppressAllOpenRows();
    EXPECT_EQ(Grid->RowHeights(7), Grid->DefaultRowHeight()) << "outside any contracted node";
    for (Integer r = 2; r <= 4; ++r) EXPECT_EQ(Grid->RowHeights(r), 0) << "inside the contracted node";
    Grid->ExpandNode(1);
    for (Integer r = 2; r <= 4; ++r) EXPECT_EQ(Grid->RowHeights(r), Grid->DefaultRowHeight()) << r;
}

TEST_F(NodesTest, ExpandAllShowsEveryRowInRealOrderAndUnfilters) {
    Fill();
    Grid->AddNode(1, 3);
    Grid->AddNode(6, 3);
    // The filter hides row 7 as its own level.
    Grid->Filter()->Add(1, u"!7", foNONE);
    Grid->SetFilterActive(true);
    TIntList List(0, 0);
    List.Add(5);
    Grid->HideRowList(&List);
    Grid->ContractNode(6);
    Grid->ContractNode(1);
    Grid->HideRow(9);
    EXPECT_EQ(Shown(), u"0,1,4,6");
    Grid->ExpandAll();
    EXPECT_EQ(Shown(), u"0,1,2,3,4,5,6,7,8,9");
    EXPECT_FALSE(Grid->GetNodeState(1));
    EXPECT_FALSE(Grid->GetNodeState(6));
    EXPECT_FALSE(Grid->FilterActive());
    EXPECT_EQ(Grid->FilterLevel(), 0);
    EXPECT_EQ(Grid->Filter()->Count(), 1) << "the conditions stay";
}

TEST_F(NodesTest, ChildRowsGrowAndShrinkTheirAncestors) {
    Fill();
    Grid->AddNode(1, 6);
    Grid->AddNode(3, 3);
    Grid->ContractNode(3);
    // Under the nested node: it opens, it and its parent grow.
    Grid->InsertChildRow(3, 1);
    EXPECT_EQ(Shown(), u"0,1,2,3,-,4,5,6,7,8,9");
    EXPECT_EQ(Grid->GetNodeSpan(3), 4);
    EXPECT_EQ(Grid->GetNodeSpan(1), 7);
    EXPECT_EQ(Grid->GetSubNodeCount(3), 1);
    EXPECT_EQ(Grid->GetSubNodeCount(1), 1);
    EXPECT_EQ(Level(4), 2);
    // At a node row with InsertAt 0 its texts move into the new row.
    Grid->SetGridCells(2, 1, u"x");
    Grid->InsertChildRow(1, 0);
    EXPECT_EQ(Shown(), u"0,-,1,2,3,-,4,5,6,7,8,9");
    EXPECT_EQ(Grid->GridCells(2, 2), u"x");
    EXPECT_TRUE(Grid->IsNode(1));
    EXPECT_EQ(Grid->GetNodeSpan(1), 8);

    Grid->RemoveChildRow(5);
    EXPECT_EQ(Shown(), u"0,-,1,2,3,4,5,6,7,8,9");
    EXPECT_EQ(Grid->GetNodeSpan(4), 3);
    EXPECT_EQ(Grid->GetNodeSpan(1), 7);
    EXPECT_EQ(Grid->GetSubNodeCount(4), 0);

    Grid->InsertNormalRow(1);
    EXPECT_EQ(Grid->GetNodeSpan(2), 7) << "a normal row leaves the spans alone";
    Grid->RemoveNormalRow(1);
    EXPECT_EQ(Shown(), u"0,-,1,2,3,4,5,6,7,8,9");

    Grid->ClearAll();
    EXPECT_EQ(Grid->NumNodes(), 0);
    EXPECT_FALSE(Grid->IsNode(1));
}

// A grid grouped on a column without the grouping step.
class TGroupedNodes : public TTestCore {
public:
    using TTestCore::TTestCore;
    void GroupBy(Integer ACol) { FGroupColumn = ACol; }
};

TEST_F(NodesTest, AutoCheckGroupPropagatesThroughTheGroup) {
    auto* G = Create<TGroupedNodes>(Form);
    G->SetParent(Form);
    G->SetColCount(3);
    G->SetRowCount(8);
    G->SetFixedRows(1);
    G->AddNode(1, 4);
    G->AddNode(5, 3);
    G->GroupBy(2);
    G->Grouping()->SetAutoCheckGroup(true);
    G->AddCheckBoxColumn(1);
    TCheckBoxState Header = cbGrayed;
    ASSERT_TRUE(G->GetCheckBoxState(1, 1, Header));
    EXPECT_EQ(Header, cbUnchecked) << "a header gets a three-state box";

    EXPECT_TRUE(G->ToggleCheckBox(1, 1));
    for (Integer r = 2; r <= 4; ++r) EXPECT_TRUE(G->IsChecked(1, r)) << r;
    EXPECT_FALSE(G->IsChecked(1, 6)) << "the other group stays";
    EXPECT_TRUE(G->ToggleCheckBox(1, 3));
    G->GetCheckBoxState(1, 1, Header);
    EXPECT_EQ(Header, cbGrayed);
    EXPECT_TRUE(G->ToggleCheckBox(1, 3));
    G->GetCheckBoxState(1, 1, Header);
    EXPECT_EQ(Header, cbChecked);

    G->ContractNode(1);
    EXPECT_TRUE(G->ToggleCheckBox(1, 1)) << "a contracted header reaches its hidden rows";
    bool State = true;
    G->GetCheckBoxState(1, 3, State);
    EXPECT_FALSE(State);
    Free(G);
}

// ---- The model: rows in real order, node data riding on the rows ----

struct TNodeRow {
    Integer Id;
    Integer Span = 0; // 0: no node
    bool Contracted = false;
    Integer Sub = 0;
};

TEST_F(NodesTest, RandomNodeOperationsAgreeWithAPlainModel) {
    std::mt19937 Random(20261211);
    auto Pick = [&](Integer Lo, Integer Hi) { return std::uniform_int_distribution<Integer>(Lo, Hi)(Random); };
    Grid->SetColCount(2);
    Grid->SetRowCount(24);
    Grid->SetFixedRows(0);
    Grid->SetFixedCols(0);
    std::vector<TNodeRow> Rows;
    Integer NextId = 0;
    for (Integer r = 0; r < 24; ++r) {
        Rows.push_back({NextId});
        Grid->SetGridCells(1, r, IntToStr(NextId++));
    }
    auto Covers = [&](Integer n, Integer r) { return Rows[size_t(n)].Span > 0 && n <= r && r < n + Rows[size_t(n)].Span; };
    auto Hidden = [&](Integer r) {
        for (Integer n = 0; n < r; ++n)
            if (Rows[size_t(n)].Contracted && Covers(n, r)) return true;
        return false;
    };
    auto LevelOf = [&](Integer r) {
        Integer L = 0;
        for (Integer n = 0; n <= r; ++n) L += Covers(n, r);
        return L;
    };
    // The innermost node other than r itself that covers r.
    auto Parent = [&](Integer r) {
        for (Integer n = r - 1; n >= 0; --n)
            if (Covers(n, r)) return n;
        return Integer(-1);
    };
    auto Displayed = [&] {
        std::vector<Integer> S;
        for (Integer r = 0; r < Integer(Rows.size()); ++r)
            if (!Hidden(r)) S.push_back(r);
        return S;
    };

    for (Integer Step = 0; Step < 3000; ++Step) {
        const auto S = Displayed();
        const Integer N = Integer(S.size()), Total = Integer(Rows.size());
        const Integer r = S[size_t(Pick(0, N - 1))];
        std::string What;
        switch (Pick(0, 6)) {
        case 0: { // a new node that nests with every other one
            if (Rows[size_t(r)].Span > 0) continue;
            const Integer Span = Pick(1, std::min(5, Total - r));
            bool Fits = true;
            for (Integer n = 0; n < Total && Fits; ++n) {
                const Integer s = Rows[size_t(n)].Span;
                if (s == 0) continue;
                const bool Disjoint = n + s <= r || r + Span <= n;
                const bool Inside = n < r && r + Span <= n + s;
                const bool Around = r < n && n + s <= r + Span;
                Fits = Disjoint || Inside || Around;
            }
            if (!Fits) continue;
            What = "AddNode " + std::to_string(r) + " " + std::to_string(Span);
            Grid->AddNode(r, Span);
            Rows[size_t(r)].Span = Span;
            break;
        }
        case 1:
        case 2: { // contract or expand
            if (Rows[size_t(r)].Span == 0) continue;
            What = "ToggleNode " + std::to_string(r);
            Grid->ToggleNode(r);
            Rows[size_t(r)].Contracted = !Rows[size_t(r)].Contracted;
            if (Rows[size_t(r)].Contracted)
                for (Integer n = r + 1; n < r + Rows[size_t(r)].Span; ++n) Rows[size_t(n)].Contracted = false;
            break;
        }
        case 3: { // remove a node
            if (Rows[size_t(r)].Span == 0) continue;
            What = "RemoveNode " + std::to_string(r);
            Grid->RemoveNode(r);
            Rows[size_t(r)] = {Rows[size_t(r)].Id};
            break;
        }
        case 4: { // a child row
            if (Total > 60) continue;
            const bool IsNode = Rows[size_t(r)].Span > 0;
            const Integer P = IsNode ? r : Parent(r);
            if (P < 0) continue;
            const Integer At = IsNode ? Pick(0, 1) : Pick(0, 1);
            What = "InsertChildRow " + std::to_string(r) + " " + std::to_string(At);
            Grid->InsertChildRow(r, At);
            for (Integer n = P; n >= 0; n = Parent(n)) {
                ++Rows[size_t(n)].Span;
                ++Rows[size_t(n)].Sub;
                Rows[size_t(n)].Contracted = false;
            }
            if (IsNode) {
                Rows.insert(Rows.begin() + r + 1, TNodeRow{Rows[size_t(r)].Id});
                if (At == 0)
                    Rows[size_t(r)].Id = -1; // the texts moved down
                else
                    Rows[size_t(r + 1)].Id = -1;
            } else {
                Rows.insert(Rows.begin() + r + At, TNodeRow{-1});
            }
            break;
        }
        case 5: { // remove a child row
            if (Rows[size_t(r)].Span > 0 || Parent(r) < 0 || Total < 8) continue;
            What = "RemoveChildRow " + std::to_string(r);
            Grid->RemoveChildRow(r);
            for (Integer n = Parent(r); n >= 0; n = Parent(n)) {
                --Rows[size_t(n)].Span;
                Rows[size_t(n)].Sub = std::max(0, Rows[size_t(n)].Sub - 1);
                Rows[size_t(n)].Contracted = false;
            }
            Rows.erase(Rows.begin() + r);
            break;
        }
        case 6: { // everything open or shut
            const bool Open = Pick(0, 1) == 0;
            What = Open ? "ExpandAll" : "ContractAll";
            if (Open) {
                Grid->ExpandAll();
                for (auto& R : Rows) R.Contracted = false;
            } else {
                bool AnyOpen = false;
                for (Integer d : S) AnyOpen |= Rows[size_t(d)].Span > 0 && !Rows[size_t(d)].Contracted;
                Grid->ContractAll();
                if (AnyOpen)
                    for (Integer n = 0; n < Total; ++n) Rows[size_t(n)].Contracted = Rows[size_t(n)].Span > 0 && Parent(n) < 0;
            }
            break;
        }
        }

        SCOPED_TRACE("step " + std::to_string(Step) + ": " + What);
        const auto S2 = Displayed();
        ASSERT_EQ(Grid->RowCount(), Integer(S2.size()));
        ASSERT_EQ(Grid->TotalRowCount(), Integer(Rows.size()));
        Integer Nodes = 0;
        for (const auto& R : Rows) Nodes += R.Span > 0;
        ASSERT_EQ(Grid->NumNodes(), Nodes);
        for (Integer d = 0; d < Integer(S2.size()); ++d) {
            const Integer Real = S2[size_t(d)];
            const TNodeRow& R = Rows[size_t(Real)];
            ASSERT_EQ(Grid->RealRowIndex(d), Real) << d;
            ASSERT_EQ(Grid->GridCells(1, d), R.Id < 0 ? String() : IntToStr(R.Id)) << d;
            ASSERT_EQ(Grid->IsNode(d), R.Span > 0) << d;
            ASSERT_EQ(Grid->GetNodeSpan(d), R.Span > 0 ? R.Span : -1) << d;
            ASSERT_EQ(Grid->GetNodeState(d), R.Contracted) << d;
            ASSERT_EQ(Grid->GetSubNodeCount(d), R.Sub) << d;
            ASSERT_EQ(Level(d), LevelOf(Real)) << d;
            const Integer P = Parent(Real);
            ASSERT_EQ(Grid->GetParentRow(d), P < 0 ? -1 : Grid->DisplRowIndex(P)) << d;
        }
    }
}

} // namespace

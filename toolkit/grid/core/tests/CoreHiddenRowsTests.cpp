// Hidden and suppressed rows and columns, the index maps, and the structure
// edits that keep them in step.

#include "CoreTestSupport.h"
#include "rtl/Convert.h"

#include <functional>
#include <random>
#include <set>

namespace {

class RowsTest : public CoreTest {
protected:
    // Row r holds "r<r>" in column 1 and "c<c>" markers in the others.
    void Fill(Integer Rows, Integer Cols = 5) {
        Grid->SetFixedRows(0);
        Grid->SetFixedCols(0);
        Grid->SetColCount(Cols);
        Grid->SetRowCount(Rows);
        for (Integer r = 0; r < Rows; ++r)
            for (Integer c = 0; c < Cols; ++c) Grid->SetGridCells(c, r, u"r" + IntToStr(r) + u"c" + IntToStr(c));
    }
    String Column(Integer ACol) {
        String S;
        for (Integer r = 0; r < Grid->RowCount(); ++r) {
            const String T = Grid->GridCells(ACol, r);
            S += (r ? u"," : u"") + (T.empty() ? String(u"-") : T.substr(1, T.find(u'c') - 1));
        }
        return S;
    }
};

TEST_F(RowsTest, HiddenRowsLeaveTheGridAndComeBackWithTextsRecordsAndHeights) {
    Fill(20);
    Grid->CellProperties(2, 6)->SetBrushColor(0x0000FF);
    Grid->SetRowHeights(7, 40);
    Grid->HideRows(5, 7);
    EXPECT_EQ(Grid->RowCount(), 17);
    EXPECT_EQ(Grid->NumHiddenRows(), 3);
    EXPECT_EQ(Grid->TotalRowCount(), 20);
    EXPECT_EQ(Grid->RealRowIndex(5), 8);
    EXPECT_EQ(Grid->DisplRowIndex(8), 5);
    EXPECT_EQ(Grid->DisplRowIndex(6), 5) << "a hidden row maps to where it would reappear";
    EXPECT_TRUE(Grid->IsHiddenRow(6));
    EXPECT_FALSE(Grid->IsHiddenRow(8));
    EXPECT_EQ(Grid->RealRowIndex(-1), -1);
    EXPECT_EQ(Grid->RealRowIndex(17), 20) << "the map counts on past the last row";
    EXPECT_EQ(Grid->GridCells(1, 5), u"r8c1");

    Grid->UnHideRows(5, 9);
    EXPECT_EQ(Grid->NumHiddenRows(), 0);
    EXPECT_EQ(Column(1), u"0,1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19");
    ASSERT_TRUE(Grid->HasCellProperties(2, 6));
    EXPECT_EQ(Grid->CellProperties(2, 6)->BrushColor(), 0x0000FF);
    EXPECT_EQ(Grid->CellProperties(2, 6)->OwnerRow(), 6);
    EXPECT_EQ(Grid->RowHeights(7), 40);
}

TEST_F(RowsTest, HidingAndShowingRangesThatAreHiddenInPart) {
    struct Case {
        const char* Name;
        std::function<void(TTestCore*)> Steps;
        const char16_t* Shown;
    };
    const Case Cases[] = {
        {"all hidden already", [](TTestCore* G) { G->HideRows(2, 3); G->HideRows(2, 3); }, u"0,1,4,5,6,7,8,9"},
        {"some hidden already",
         [](TTestCore* G) {
             G->HideRow(3);
             G->HideRows(2, 5);
             G->UnHideRow(4);
         },
         u"0,1,4,6,7,8,9"},
        {"first row shown: nothing", [](TTestCore* G) { G->HideRows(6, 9); G->UnHideRows(5, 9); }, u"0,1,2,3,4,5"},
        {"from a hidden row", [](TTestCore* G) { G->HideRows(6, 9); G->UnHideRows(6, 9); }, u"0,1,2,3,4,5,6,7,8,9"},
        {"around a shown row",
         [](TTestCore* G) {
             G->HideRow(5);
             G->HideRow(7);
             G->UnHideRows(5, 7);
         },
         u"0,1,2,3,4,5,6,7,8,9"},
        {"all rows: one stays", [](TTestCore* G) { G->HideRows(0, 9); }, u"9"},
        {"all", [](TTestCore* G) { G->HideRows(1, 2); G->HideRows(6, 8); G->UnHideRowsAll(); }, u"0,1,2,3,4,5,6,7,8,9"},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.Name);
        Grid->UnHideRowsAll();
        Fill(10);
        C.Steps(Grid);
        EXPECT_EQ(Column(1), C.Shown);
    }
}

TEST_F(RowsTest, HiddenColumnsKeepTheirCellsAndWidth) {
    Fill(4, 5);
    Grid->SetColWidths(1, 33);
    Grid->HideColumn(1);
    EXPECT_EQ(Grid->ColCount(), 4);
    EXPECT_EQ(Grid->AllColCount(), 5);
    EXPECT_EQ(Grid->RealColIndex(1), 2);
    EXPECT_EQ(Grid->DisplColIndex(2), 1);
    EXPECT_EQ(Grid->DisplColIndex(1), 1);
    EXPECT_TRUE(Grid->IsHiddenColumn(1));
    EXPECT_FALSE(Grid->IsHiddenColumn(5));
    EXPECT_TRUE(Grid->VisibleCol(99));
    EXPECT_EQ(Grid->GridCells(1, 2), u"r2c1") << "cells stay at their real column";
    Grid->UnHideColumn(1);
    EXPECT_EQ(Grid->ColCount(), 5);
    EXPECT_EQ(Grid->ColWidths(1), 33);

    Grid->HideColumns(0, 4);
    EXPECT_EQ(Grid->ColCount(), 1) << "the last displayed column stays";
    EXPECT_EQ(Grid->RealColIndex(0), 4);
    Grid->UnHideColumnsAll();
    EXPECT_EQ(Grid->NumHiddenColumns(), 0);
}

TEST_F(RowsTest, RowListLevelsAndSuppression) {
    Fill(6);
    TIntList All(0, 0);
    for (Integer r = 0; r < 6; ++r) All.Add(r);
    Grid->HideRowList(&All);
    EXPECT_EQ(Column(1), u"0") << "the first listed row stays shown";
    EXPECT_EQ(Grid->FilterLevel(), 1);
    Grid->UnHideRowList();
    Grid->SetFilterLevel(0);
    EXPECT_EQ(Column(1), u"0,1,2,3,4,5");

    Grid->SetFilterType(ftSuppress);
    TIntList Some(0, 0);
    Some.Add(2);
    Some.Add(4);
    Grid->SetRowHeights(2, 30);
    Grid->HideRowList(&Some);
    EXPECT_EQ(Grid->RowCount(), 6);
    EXPECT_EQ(Grid->NumSuppressedRows(), 2);
    EXPECT_TRUE(Grid->IsSuppressedRow(2));
    Grid->UnSuppressRow(2);
    EXPECT_EQ(Grid->RowHeights(2), 30);
    Grid->SetRowCount(12); // row 11 is new to the remembered list
    Grid->SetRowHeights(11, 50);
    Grid->UnSuppressRow(11);
    EXPECT_EQ(Grid->RowHeights(11), 22) << "a row never suppressed takes its height when it was added";
    Grid->SuppressColumn(3);
    EXPECT_TRUE(Grid->IsSuppressedColumn(3));
    Grid->UnSuppressAllColumns();
    EXPECT_FALSE(Grid->IsSuppressedColumn(3));
}

// Rows hidden by HideRows stay hidden when a row-list level goes, and keep
// their own texts and records.
TEST_F(RowsTest, RemovingAFilterLevelKeepsRowsHiddenBefore) {
    Fill(10);
    Grid->CellProperties(3, 2)->SetFontColor(0x123456);
    Grid->HideRows(2, 3);
    TIntList Level(0, 0);
    Level.Add(1);
    Level.Add(4);
    Grid->HideRowList(&Level);
    EXPECT_EQ(Column(1), u"0,4,5,7,8,9");
    Grid->UnHideRowList();
    Grid->SetFilterLevel(0);
    EXPECT_EQ(Column(1), u"0,1,4,5,6,7,8,9");
    EXPECT_TRUE(Grid->IsHiddenRow(2));
    EXPECT_TRUE(Grid->IsHiddenRow(3));
    Grid->UnHideRowsAll();
    EXPECT_EQ(Column(1), u"0,1,2,3,4,5,6,7,8,9");
    EXPECT_EQ(Grid->CellProperties(3, 2)->FontColor(), 0x123456);
    // A grid freed with hidden rows that hold records frees them (LSan).
    Grid->CellProperties(0, 5)->SetBrushColor(0xFF);
    Grid->HideRows(4, 6);
    Grid->HideColumn(0);
}

TEST_F(RowsTest, InsertingAndRemovingRenumberTheHiddenRows) {
    Fill(10);
    Grid->HideRows(6, 7);
    Grid->InsertRows(2, 3);
    EXPECT_TRUE(Grid->IsHiddenRow(9));
    EXPECT_TRUE(Grid->IsHiddenRow(10));
    EXPECT_EQ(Column(1), u"0,1,-,-,-,2,3,4,5,8,9");
    Grid->RemoveRows(2, 3);
    EXPECT_TRUE(Grid->IsHiddenRow(6));
    Grid->UnHideRowsAll();
    EXPECT_EQ(Column(1), u"0,1,2,3,4,5,6,7,8,9");

    // Removing displayed rows around hidden ones removes only the displayed
    // ones; RowIndex past the grid does nothing.
    Grid->HideRow(4);
    Grid->RemoveRows(3, 2);
    EXPECT_EQ(Column(1), u"0,1,2,6,7,8,9");
    Grid->RemoveRows(7, 1);
    EXPECT_EQ(Grid->RowCount(), 7);
    Grid->UnHideRowsAll();
    EXPECT_EQ(Column(1), u"0,1,2,4,6,7,8,9");
}

TEST_F(RowsTest, AVetoedRemovalRemovesNothingAndReportsNothing) {
    Fill(10);
    struct Notifier : TGridChangeNotifier {
        using TGridChangeNotifier::TGridChangeNotifier;
        void CellsChanged(TRect) override { ++Changes; }
        Integer Changes = 0;
    };
    auto* N = Create<Notifier>(nullptr);
    Grid->RegisterNotifier(N);
    Grid->SetRow(9);
    Grid->OnRowChanging = [](TObject*, Integer, Integer, bool& Allow) { Allow = false; };
    EXPECT_FALSE(Grid->RemoveRowsCore(8, 2, true));
    Grid->RemoveRows(8, 2);
    Grid->HideRows(8, 9);
    EXPECT_EQ(Grid->RowCount(), 10);
    EXPECT_EQ(Grid->NumHiddenRows(), 0);
    EXPECT_EQ(N->Changes, 0);
    Grid->OnRowChanging = nullptr;
    Grid->DeleteRows(8, 2);
    EXPECT_EQ(Grid->RowCount(), 8);
    EXPECT_EQ(N->Changes, 1);
    Free(N);
}

TEST_F(RowsTest, RowListsDuplicatesAndMoves) {
    Fill(10);
    Grid->CellProperties(2, 4)->SetBrushColor(0xFF);
    Grid->CellProperties(2, 3)->SetBrushColor(0xFF00);
    TIntList Rows(0, 0);
    Rows.Add(3);
    Rows.Add(5);
    Grid->RemoveRowList(&Rows);
    EXPECT_EQ(Column(1), u"0,1,2,4,6,7,8,9");
    ASSERT_TRUE(Grid->HasCellProperties(2, 3)) << "the record moves with its cell";
    EXPECT_EQ(Grid->CellProperties(2, 3)->BrushColor(), 0xFF);
    EXPECT_EQ(Grid->CellProperties(2, 3)->OwnerRow(), 3);

    const struct {
        Integer From, To, Count;
        const char16_t* Shown;
    } Moves[] = {{2, 10, 3, u"0,1,5,6,7,8,9,2,3,4"}, {2, 5, 3, u"0,1,5,6,7,2,3,4,8,9"}, {7, 1, 2, u"0,7,8,1,2,3,4,5,6,9"}};
    for (const auto& M : Moves) {
        Fill(10);
        Grid->MoveRows(M.From, M.To, M.Count);
        EXPECT_EQ(Column(1), M.Shown) << M.From << " " << M.To;
    }

    Fill(6);
    const char16_t* Texts[] = {u"a", u"A", u"b", u"a", u"B", u"c"};
    for (Integer r = 0; r < 6; ++r) Grid->SetGridCells(2, r, Texts[r]);
    Grid->RemoveDuplicates(2, true);
    EXPECT_EQ(Column(1), u"0,1,2,4,5") << "with DoCase, \"A\" and \"a\" differ";
    Grid->RemoveDuplicates(2, false);
    EXPECT_EQ(Column(1), u"0,2,5");
}

TEST_F(RowsTest, ColumnEditsReachHiddenColumnsAndParkedRows) {
    Fill(5, 6);
    Grid->HideColumn(2);
    Grid->HideRow(3);
    Grid->CellProperties(3, 1)->SetBrushColor(0xFF);
    Grid->RemoveCols(1, 3); // real 1, 2 (hidden) and 3
    EXPECT_EQ(Grid->ColCount(), 3);
    EXPECT_EQ(Grid->NumHiddenColumns(), 0);
    EXPECT_EQ(Grid->GridCells(1, 0), u"r0c4");
    Grid->InsertCols(1, 1);
    EXPECT_EQ(Grid->GridCells(2, 0), u"r0c4");
    EXPECT_EQ(Grid->GridCells(1, 0), u"");
    Grid->UnHideRowsAll();
    EXPECT_EQ(Grid->GridCells(0, 3), u"r3c0");
    EXPECT_EQ(Grid->GridCells(1, 3), u"");
    EXPECT_EQ(Grid->GridCells(2, 3), u"r3c4");
    EXPECT_EQ(Grid->GridCells(3, 3), u"r3c5");
}

// ---- The model: rows with a hidden flag, in real order ----

struct TModelRow {
    Integer Id;
    bool Blank;
    bool Hidden = false;
    Integer Level = 0;
};
struct TModelCol {
    Integer Id;
    bool Blank;
    bool Hidden = false;
};

TEST_F(RowsTest, RandomOperationsAgreeWithAPlainModel) {
    std::mt19937 Random(20261210);
    auto Pick = [&](Integer Lo, Integer Hi) { return std::uniform_int_distribution<Integer>(Lo, Hi)(Random); };
    Fill(1, 1);
    std::vector<TModelRow> Rows;
    std::vector<TModelCol> Cols;
    Integer NextId = 0;
    Grid->SetColCount(4);
    Grid->SetRowCount(30);
    for (Integer c = 0; c < 4; ++c) Cols.push_back({c, false});
    for (Integer r = 0; r < 30; ++r) Rows.push_back({NextId++, false});
    auto Text = [](const TModelRow& R, const TModelCol& C) {
        return R.Blank || C.Blank ? String() : IntToStr(R.Id) + u":" + IntToStr(C.Id);
    };
    for (Integer r = 0; r < 30; ++r)
        for (Integer c = 0; c < 4; ++c) Grid->SetGridCells(c, r, Text(Rows[size_t(r)], Cols[size_t(c)]));
    // Records live on cells (row id, column id), marked by their colour.
    std::set<std::pair<Integer, Integer>> Records;

    auto Shown = [&] {
        std::vector<size_t> S;
        for (size_t i = 0; i < Rows.size(); ++i)
            if (!Rows[i].Hidden) S.push_back(i);
        return S;
    };
    auto ShownCols = [&] {
        Integer N = 0;
        for (const auto& C : Cols) N += !C.Hidden;
        return N;
    };
    Integer Level = 0;

    for (Integer Step = 0; Step < 20000; ++Step) {
        const auto S = Shown();
        const Integer N = Integer(S.size());
        const Integer Total = Integer(Rows.size());
        const Integer Op = Pick(0, 14);
        std::string What;
        switch (Op) {
        case 0: { // hide a real range
            const Integer A = Pick(0, Total - 1), B = std::min(Total - 1, A + Pick(0, 4));
            What = "HideRows " + std::to_string(A) + " " + std::to_string(B);
            Grid->HideRows(A, B);
            Integer Left = N - 1;
            for (Integer r = A; r <= B; ++r)
                if (!Rows[size_t(r)].Hidden && Left > 0) {
                    Rows[size_t(r)].Hidden = true;
                    Rows[size_t(r)].Level = -1;
                    --Left;
                }
            break;
        }
        case 1: { // show a real range
            const Integer A = Pick(0, Total - 1), B = std::min(Total - 1, A + Pick(0, 6));
            What = "UnHideRows " + std::to_string(A) + " " + std::to_string(B);
            Grid->UnHideRows(A, B);
            if (Rows[size_t(A)].Hidden)
                for (Integer r = A; r <= B; ++r) Rows[size_t(r)].Hidden = false;
            break;
        }
        case 2: { // a row-list level
            TIntList List(0, 0);
            std::vector<Integer> L;
            for (Integer d = 0; d < N; ++d)
                if (Pick(0, 4) == 0) L.push_back(d);
            for (Integer d : L) List.Add(d);
            What = "HideRowList " + std::to_string(L.size());
            Grid->HideRowList(&List);
            if (!L.empty() && Integer(L.size()) >= N) L.erase(L.begin());
            for (Integer d : L) {
                Rows[S[size_t(d)]].Hidden = true;
                Rows[S[size_t(d)]].Level = Level;
            }
            ++Level;
            break;
        }
        case 3: { // the newest level goes
            if (Level == 0) continue;
            What = "UnHideRowList";
            Grid->UnHideRowList();
            --Level;
            Grid->SetFilterLevel(Level);
            for (auto& R : Rows)
                if (R.Hidden && R.Level == Level) R.Hidden = false;
            break;
        }
        case 4: { // insert
            if (Total > 90) continue;
            const Integer D = Pick(0, N), K = Pick(1, 3);
            What = "InsertRows " + std::to_string(D) + " " + std::to_string(K);
            Grid->InsertRows(D, K);
            const size_t At = D < N ? S[size_t(D)] : Rows.size();
            for (Integer k = 0; k < K; ++k) Rows.insert(Rows.begin() + At, TModelRow{NextId++, true});
            break;
        }
        case 5:
        case 6: { // remove or delete displayed rows
            if (N < 3) continue;
            const Integer D = Pick(0, N - 2), K = Pick(1, std::min(3, N - 1 - D));
            What = (Op == 5 ? "RemoveRows " : "DeleteRows ") + std::to_string(D) + " " + std::to_string(K);
            if (Op == 5)
                Grid->RemoveRows(D, K);
            else
                Grid->DeleteRows(D, K);
            for (Integer k = K - 1; k >= 0; --k) {
                const TModelRow& R = Rows[S[size_t(D + k)]];
                for (const auto& C : Cols) Records.erase({R.Id, C.Id});
                Rows.erase(Rows.begin() + S[size_t(D + k)]);
            }
            break;
        }
        case 7: { // move displayed rows
            if (N < 2) continue;
            const Integer From = Pick(0, N - 1), Count = Pick(1, std::min(3, N - From)), To = Pick(0, N);
            What = "MoveRows " + std::to_string(From) + " " + std::to_string(To) + " " + std::to_string(Count);
            Grid->MoveRows(From, To, Count);
            Integer D = From + Count < To ? To - Count : To;
            D = std::clamp(D, 0, N - Count);
            if (From == To || D == From) break;
            std::vector<TModelRow> Block;
            for (Integer k = Count - 1; k >= 0; --k) {
                Block.insert(Block.begin(), Rows[S[size_t(From + k)]]);
                Rows.erase(Rows.begin() + S[size_t(From + k)]);
            }
            const auto S2 = Shown();
            const size_t At = D < Integer(S2.size()) ? S2[size_t(D)] : Rows.size();
            Rows.insert(Rows.begin() + At, Block.begin(), Block.end());
            break;
        }
        case 8:
        case 9: { // hide or show a column
            const Integer C = Pick(0, Integer(Cols.size()) - 1);
            What = (Op == 8 ? "HideColumn " : "UnHideColumn ") + std::to_string(C);
            if (Op == 8) {
                Grid->HideColumn(C);
                if (!Cols[size_t(C)].Hidden && ShownCols() >= 2) Cols[size_t(C)].Hidden = true;
            } else {
                Grid->UnHideColumn(C);
                Cols[size_t(C)].Hidden = false;
            }
            break;
        }
        case 10: { // remove columns
            const Integer All = Integer(Cols.size());
            if (All < 3) continue;
            const Integer C = Pick(0, All - 1);
            Integer K = Pick(1, 2);
            K = std::min(K, All - C);
            What = "RemoveCols " + std::to_string(C) + " " + std::to_string(K);
            Grid->RemoveCols(C, K);
            auto ShownIn = [&](Integer Count) {
                Integer Sh = 0;
                for (Integer c = C; c < C + Count; ++c) Sh += !Cols[size_t(c)].Hidden;
                return Sh;
            };
            while (K > 0 && ShownIn(K) >= ShownCols()) --K;
            for (Integer k = 0; k < K; ++k) {
                for (const auto& R : Rows) Records.erase({R.Id, Cols[size_t(C)].Id});
                Cols.erase(Cols.begin() + C);
            }
            break;
        }
        case 11: { // insert columns
            if (Cols.size() > 7) continue;
            const Integer C = Pick(0, Integer(Cols.size()));
            What = "InsertCols " + std::to_string(C);
            Grid->InsertCols(C, 1);
            Cols.insert(Cols.begin() + C, TModelCol{NextId++, true});
            break;
        }
        case 12: { // remove a row list
            if (N < 3) continue;
            TIntList List(0, 0);
            std::vector<Integer> L;
            for (Integer d = 0; d < N - 1; ++d)
                if (Pick(0, 6) == 0) L.push_back(d);
            for (Integer d : L) List.Add(d);
            What = "RemoveRowList " + std::to_string(L.size());
            Grid->RemoveRowList(&List);
            for (Integer i = Integer(L.size()) - 1; i >= 0; --i) {
                const TModelRow& R = Rows[S[size_t(L[size_t(i)])]];
                for (const auto& C : Cols) Records.erase({R.Id, C.Id});
                Rows.erase(Rows.begin() + S[size_t(L[size_t(i)])]);
            }
            break;
        }
        case 14: { // move a displayed column
            const Integer NC = ShownCols();
            if (NC < 2) continue;
            const Integer From = Pick(0, NC - 1), To = Pick(0, NC - 1);
            What = "MoveColumn " + std::to_string(From) + " " + std::to_string(To);
            Grid->MoveColumn(From, To);
            std::vector<Integer> SC;
            for (Integer c = 0; c < Integer(Cols.size()); ++c)
                if (!Cols[size_t(c)].Hidden) SC.push_back(c);
            const Integer F = SC[size_t(From)], T = SC[size_t(To)];
            const TModelCol Moved = Cols[size_t(F)];
            Cols.erase(Cols.begin() + F);
            Cols.insert(Cols.begin() + T, Moved);
            break;
        }
        case 13: { // a record on a displayed cell
            const Integer D = Pick(0, N - 1), C = Pick(0, Integer(Cols.size()) - 1);
            What = "Record";
            Grid->CellProperties(C, D)->SetBrushColor(0xAB);
            Records.insert({Rows[S[size_t(D)]].Id, Cols[size_t(C)].Id});
            break;
        }
        }

        // Everything agrees after each step.
        SCOPED_TRACE("step " + std::to_string(Step) + ": " + What);
        const auto S2 = Shown();
        ASSERT_EQ(Grid->RowCount(), Integer(S2.size()));
        ASSERT_EQ(Grid->NumHiddenRows(), Integer(Rows.size() - S2.size()));
        ASSERT_EQ(Grid->AllColCount(), Integer(Cols.size()));
        ASSERT_EQ(Grid->ColCount(), ShownCols());
        for (Integer c = 0; c < Integer(Cols.size()); ++c) ASSERT_EQ(Grid->IsHiddenColumn(c), Cols[size_t(c)].Hidden);
        Integer Displayed = 0;
        for (Integer r = 0; r < Integer(Rows.size()); ++r) {
            ASSERT_EQ(Grid->IsHiddenRow(r), Rows[size_t(r)].Hidden) << r;
            ASSERT_EQ(Grid->DisplRowIndex(r), Displayed) << r;
            if (!Rows[size_t(r)].Hidden) {
                ASSERT_EQ(Grid->RealRowIndex(Displayed++), r);
            }
        }
        for (Integer d = 0; d < Grid->RowCount(); ++d)
            for (Integer c = 0; c < Integer(Cols.size()); ++c) {
                const TModelRow& R = Rows[S2[size_t(d)]];
                ASSERT_EQ(Grid->GridCells(c, d), Text(R, Cols[size_t(c)])) << d << "," << c;
                const TCellProperties* P = Grid->GetRawObject(c, d);
                ASSERT_EQ(P != nullptr, Records.count({R.Id, Cols[size_t(c)].Id}) > 0) << d << "," << c;
                if (P) {
                    ASSERT_EQ(P->OwnerRow(), d);
                    ASSERT_EQ(P->OwnerCol(), c);
                }
            }
        Integer Parked = 0;
        for (const auto& R : Rows) {
            if (!R.Hidden) continue;
            const auto* Item = static_cast<TGridItem*>(Grid->HiddenRows()->Items(Parked++));
            for (Integer c = 0; c < Integer(Cols.size()); ++c) {
                const String Expected = Text(R, Cols[size_t(c)]);
                const String Got = c < Item->Items()->Count() ? Item->Items()->Strings(c) : String();
                ASSERT_EQ(Got, Expected);
                const bool HasRecord = c < Item->Items()->Count() && Item->Items()->Objects(c);
                ASSERT_EQ(HasRecord, Records.count({R.Id, Cols[size_t(c)].Id}) > 0);
            }
        }
    }
}

} // namespace

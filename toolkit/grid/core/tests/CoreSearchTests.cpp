// Text search: the cell test under each option, the two scan directions,
// counting, going on after the last match, and replacing in stored texts.

#include "CoreTestSupport.h"

namespace {

class SearchTest : public CoreTest {
protected:
    void SetUp() override {
        CoreTest::SetUp();
        Grid->SetColCount(4);
        Grid->SetRowCount(4);
        Grid->SetFixedCols(1);
        Grid->SetFixedRows(1);
        Grid->TextFill(false, u"-");
    }
    static bool Same(TPoint A, TPoint B) { return A.X == B.X && A.Y == B.Y; }
};

TEST_F(SearchTest, FindUnderOptions) {
    Grid->SetCells(2, 1, u"xABCx");
    Grid->SetCells(3, 3, u"Abc");
    struct TCase {
        TFindParams Params;
        TPoint Expected;
    } Cases[] = {
        {{}, {2, 1}},
        {{fnMatchCase}, {-1, -1}},
        {{fnMatchStart}, {3, 3}},
        {{fnMatchFull}, {3, 3}},
        {{fnMatchFull, fnMatchCase}, {-1, -1}},
    };
    Integer Index = 0;
    for (const TCase& C : Cases) {
        const TPoint P = Grid->Find(TPoint{-1, -1}, u"abc", C.Params);
        EXPECT_TRUE(Same(P, C.Expected)) << "case " << Index << ": " << P.X << "," << P.Y;
        ++Index;
    }
}

TEST_F(SearchTest, CaseIsIgnoredBeyondAscii) {
    struct TCase {
        String Cell, Text;
        TFindParams Params;
        bool Found;
    } Cases[] = {
        {u"Grüne Wiese", u"GRÜN", {}, true},
        {u"GRÜNE", u"grüne", {fnMatchFull}, true},
        {u"grüne", u"RÜNE", {fnMatchStart}, false},
        // A dotless i and a long s have ASCII capitals.
        {u"\u0131n", u"IN", {}, true},
        {u"a\u017Fk", u"ask", {fnMatchFull}, true},
        {u"\u0131n", u"in", {fnMatchCase}, false},
        {u"Ströme", u"strom", {}, false},
    };
    for (const TCase& C : Cases) {
        Grid->SetCells(2, 2, C.Cell);
        const TPoint P = Grid->Find(TPoint{-1, -1}, C.Text, C.Params);
        EXPECT_EQ(Same(P, TPoint{2, 2}), C.Found) << Utf8(C.Cell) << " / " << Utf8(C.Text);
    }
}

TEST_F(SearchTest, ScanOrderNextAndCount) {
    Grid->SetCells(3, 1, u"k");
    Grid->SetCells(1, 2, u"k");
    Grid->SetCells(2, 3, u"kk");
    // Top to bottom: column by column.
    EXPECT_TRUE(Same(Grid->FindFirst(u"k", {}), TPoint{1, 2}));
    EXPECT_TRUE(Same(Grid->FindNext(), TPoint{2, 3}));
    EXPECT_TRUE(Same(Grid->FindNext(), TPoint{3, 1}));
    EXPECT_TRUE(Same(Grid->FindNext(), TPoint{-1, -1}));
    // Left to right: row by row; backward starts at the last normal cell.
    EXPECT_TRUE(Same(Grid->FindFirst(u"k", {fnDirectionLeftRight}), TPoint{3, 1}));
    EXPECT_TRUE(Same(Grid->Find(TPoint{-1, -1}, u"k", {fnBackward}), TPoint{3, 1}));
    EXPECT_TRUE(Same(Grid->Find(TPoint{-1, -1}, u"k", {fnBackward, fnDirectionLeftRight}), TPoint{2, 3}));
    Integer N = 0;
    EXPECT_TRUE(Same(Grid->FindAll(u"k", {fnAutoGoto}, N), TPoint{1, 2}));
    EXPECT_EQ(N, 3);
    EXPECT_EQ(Grid->Col(), 1);
    EXPECT_EQ(Grid->Row(), 2);
    // Ignored columns are never found, in either direction.
    Grid->IgnoreColumns()->Add(1);
    Grid->IgnoreColumns()->Add(3);
    EXPECT_TRUE(Same(Grid->Find(TPoint{-1, -1}, u"k", {}), TPoint{2, 3}));
    EXPECT_TRUE(Same(Grid->Find(TPoint{-1, -1}, u"k", {fnDirectionLeftRight}), TPoint{2, 3}));
    // An empty text finds the first empty cell.
    Grid->SetCells(2, 2, u"");
    EXPECT_TRUE(Same(Grid->Find(TPoint{-1, -1}, u"", {}), TPoint{2, 2}));
}

TEST_F(SearchTest, ReplaceInStoredTexts) {
    Grid->SetCells(1, 1, u"aXa");
    Grid->SetCells(2, 2, u"A");
    Grid->SetCells(3, 3, u"b");
    // "a" by "aa" ends: each cell is written once.
    EXPECT_EQ(Grid->Replace(u"a", u"aa", {}), 2);
    EXPECT_EQ(Grid->Cells(1, 1), u"aaXaa");
    EXPECT_EQ(Grid->Cells(2, 2), u"aa");
    EXPECT_EQ(Grid->Replace(u"A", u"z", {fnMatchCase}), 0);
    // The displayed text is searched, the stored one rewritten.
    Grid->OnGetDisplText = [](TObject*, Integer, Integer, String& Value) { Value = u"<b>" + Value + u"</b>"; };
    EXPECT_EQ(Grid->Replace(u"b", u"c", {fnMatchCase, fnIgnoreHTMLTags}), 1);
    EXPECT_EQ(Grid->GridCells(3, 3), u"c");
}

TEST_F(SearchTest, FindMultiOverColumns) {
    // Column 1 holds the names, column 2 the towns.
    Grid->SetRowCount(6);
    const char16_t* Rows[][2] = {{u"Anna", u"New York"}, {u"anton", u"Paris"}, {u"Anton", u"New York"},
                                 {u"Bert", u"New York"}, {u"Antonia", u"new york"}};
    for (Integer r = 1; r <= 5; ++r) {
        Grid->SetCells(1, r, Rows[r - 1][0]);
        Grid->SetCells(2, r, Rows[r - 1][1]);
    }
    try {
        Grid->FindMulti({u"a", u"b"}, {1, 2}, {stStartsWith, stEqual}, {false, false, false}, false, false);
        FAIL() << "no exception";
    } catch (const EKelGridError& E) {
        EXPECT_EQ(E.Message(), u"Array size of parameters not matching");
    }
    // A blank in a text keeps it one word; the case flags are per column.
    EXPECT_EQ(Grid->FindMulti({u"ant", u"New York"}, {1, 2}, {stStartsWith, stEqual}, {false, true}, false, true), 3);
    EXPECT_EQ(Grid->Row(), 3);
    EXPECT_EQ(Grid->FindMultiNext(), -1);
    EXPECT_EQ(Grid->FindMulti({u"ant", u"new york"}, {1, 2}, {stStartsWith, stEqual}, {false, false}, false, false), 3);
    EXPECT_EQ(Grid->FindMultiNext(), 5);
    EXPECT_EQ(Grid->FindMultiNext(), -1);
    EXPECT_EQ(Grid->Row(), 3);
    struct TCase {
        const char16_t* Text;
        TMultiSearchType Type;
        Integer Expected;
    } Cases[] = {{u"on", stEndsWith, 2},   {u"ber", stContains, 4}, {u"anna", stNotEqual, 2},
                 {u"n", stNotContains, 4}, {u"Bert", stEqual, 4},   {u"zz", stStartsWith, -1}};
    for (const TCase& C : Cases)
        EXPECT_EQ(Grid->FindMulti({C.Text}, {1}, {C.Type}, {false}, false, false), C.Expected) << Utf8(C.Text);
    // Markup is compared only when it is not ignored.
    Grid->SetCells(1, 4, u"<b>Bert</b>");
    EXPECT_EQ(Grid->FindMulti({u"Bert"}, {1}, {stEqual}, {true}, false, false), -1);
    EXPECT_EQ(Grid->FindMulti({u"Bert"}, {1}, {stEqual}, {true}, true, false), 4);
}

TEST_F(SearchTest, QuickSearchInSortColumn) {
    Grid->SetRowCount(5);
    Grid->SetCells(1, 2, u"<b>Berlin</b>");
    Grid->SetCells(1, 3, u"bern");
    Grid->SetCells(2, 4, u"Bern");
    EXPECT_EQ(Grid->Search(u"BER"), 2);
    EXPECT_EQ(Grid->Search(u"BERN"), 3);
    EXPECT_EQ(Grid->Search(u"X"), -1);
    Grid->SortSettings()->SetShow(true);
    Grid->SortSettings()->SetColumn(2);
    EXPECT_EQ(Grid->Search(u"BERN"), 4);
}

TEST_F(SearchTest, AutoGotoOpensTheNodeOfAHiddenMatch) {
    Grid->SetRowCount(8);
    Grid->SetCells(2, 5, u"needle");
    Grid->AddNode(3, 4); // rows 3 .. 6, children 4 .. 6
    Grid->ContractNode(3);
    ASSERT_TRUE(Grid->IsHiddenRow(5));
    // Without hidden rows the match is not seen.
    EXPECT_EQ(Grid->Find(TPoint{-1, -1}, u"needle", {fnAutoGoto}).X, -1);
    const TPoint P = Grid->Find(TPoint{-1, -1}, u"needle", {fnAutoGoto, fnIncludeHiddenRows});
    EXPECT_TRUE(Same(P, TPoint{2, 5}));
    EXPECT_FALSE(Grid->IsHiddenRow(5));
    EXPECT_EQ(Grid->RealRowIndex(Grid->Row()), 5);
    EXPECT_EQ(Grid->Col(), 2);
    // With the disjunct row selection the found row is the one selected.
    Grid->MouseActions()->SetDisjunctRowSelect(true);
    Grid->SetRowSelect(1, true);
    Grid->Find(TPoint{-1, -1}, u"needle", {fnAutoGoto});
    EXPECT_TRUE(Grid->RowSelect(5));
    EXPECT_FALSE(Grid->RowSelect(1));
}

} // namespace

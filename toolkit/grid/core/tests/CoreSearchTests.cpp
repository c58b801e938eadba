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

} // namespace

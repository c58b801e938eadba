// Cell text tools: highlighting and marking in cells, the cell checker,
// fills, header texts, range formatting and the small services.

#include "CoreTestSupport.h"
#include "gridbase/CellCheck.h"
#include "rtl/Format.h"

namespace {

class TextToolsTest : public CoreTest {
protected:
    void SetUp() override {
        CoreTest::SetUp();
        Grid->SetColCount(5);
        Grid->SetRowCount(4);
        Grid->SetFixedCols(1);
        Grid->SetFixedRows(1);
    }
};

struct THilightCase {
    const char16_t* Text;
    const char16_t* Search;
    bool DoCase;
    bool FullText;
    const char16_t* Expected;
};

TEST_F(TextToolsTest, HilightInCellTable) {
    const THilightCase Cases[] = {
        {u"cabbage", u"ab", false, false, u"c<HI>ab</HI>bage"},
        {u"c<HI>ab</HI>bage", u"ab", false, false, u"c<HI>ab</HI>bage"}, // earlier tags removed first
        {u"cabbage", u"ab", false, true, u"cabbage"},                    // whole text only
        {u"ab", u"ab", false, true, u"<HI>ab</HI>"},
        {u"cabbage", u"AB", false, false, u"c<HI>ab</HI>bage"},
        {u"cabbage", u"AB", true, false, u"cabbage"},
        // The search text is matched as typed: "&" finds the ampersand.
        {u"a&b", u"&", false, false, u"a<HI>&amp;</HI>b"},
    };
    Integer Index = 0;
    for (const THilightCase& C : Cases) {
        Grid->SetCells(2, 1, C.Text);
        Grid->HilightInCell(C.DoCase, 2, 1, C.Search, C.FullText);
        EXPECT_EQ(Grid->Cells(2, 1), String(C.Expected)) << "case " << Index++;
    }
    Grid->SetCells(2, 1, u"cabbage");
    Grid->HilightInCell(false, 2, 1, u"ab", false);
    Grid->UnHilightInCell(2, 1);
    EXPECT_EQ(Grid->Cells(2, 1), u"cabbage");
}

TEST_F(TextToolsTest, AreasOfColumnRowAndGrid) {
    Grid->TextFill(true, u"ab");
    Grid->HilightInCol(false, false, 2, u"ab", false);
    EXPECT_EQ(Grid->Cells(2, 0), u"ab");  // fixed row left alone
    EXPECT_EQ(Grid->Cells(2, 3), u"<HI>ab</HI>");
    EXPECT_EQ(Grid->Cells(3, 3), u"ab");
    Grid->MarkInRow(true, false, 3, u"b");
    EXPECT_EQ(Grid->Cells(0, 3), u"a<E>b</E>");
    Grid->UnHilightInGrid(true);
    Grid->UnMarkInGrid(true);
    for (Integer c = 0; c < 5; ++c)
        for (Integer r = 0; r < 4; ++r) EXPECT_EQ(Grid->Cells(c, r), u"ab") << c << "," << r;
    // The displayed text is the one highlighted.
    Grid->OnGetDisplText = [](TObject*, Integer, Integer, String& Value) { Value = u"x" + Value; };
    Grid->HilightInGrid(false, false, u"xa", false);
    EXPECT_EQ(Grid->GridCells(1, 1), u"<HI>xa</HI>b");
}

TEST_F(TextToolsTest, Fills) {
    Grid->LinearFill(false);
    EXPECT_EQ(Grid->Cells(1, 1), u"1:1");
    EXPECT_EQ(Grid->Cells(4, 3), u"4:3");
    EXPECT_EQ(Grid->Cells(0, 1), u"");
    EXPECT_EQ(Grid->Cells(1, 0), u"");
    Grid->FormatFill(false, u"%d-%d");
    EXPECT_EQ(Grid->Cells(3, 2), u"3-2");
    // A format the two integers do not fit fills nothing.
    try {
        Grid->FormatFill(true, u"%s");
        ADD_FAILURE() << "no conversion error";
    } catch (const EConvertError& E) {
        EXPECT_EQ(E.Message(), u"Format '%s' invalid or incompatible with argument");
    }
    EXPECT_EQ(Grid->Cells(3, 2), u"3-2");
    EXPECT_EQ(Grid->Cells(0, 0), u"");
    Grid->RandomFill(false, 3);
    for (Integer c = 1; c < 5; ++c)
        for (Integer r = 1; r < 4; ++r) {
            const Integer V = Grid->Ints(c, r);
            EXPECT_TRUE(V >= 0 && V < 3) << V;
        }
    Grid->TextFill(true, u"t");
    EXPECT_EQ(Grid->Cells(0, 0), u"t");
}

// Marks every text it sees and asks to stop after StopAfter cells.
class TStoppingCheck : public TZirOvararIzazCheck {
public:
    using TZirOvararIzazCheck::TZirOvararIzazCheck;
    String MarkError(Integer, Integer, const String& Value) override {
        ++Calls;
        SetLastResult(Calls >= StopAfter ? 0 : 1);
        return u"<e>" + Value + u"</e>";
    }
    void StartCheck() override { ++Starts; }
    void StopCheck() override { ++Stops; }
    Integer Calls = 0, Starts = 0, Stops = 0, StopAfter = 1000;
};

TEST_F(TextToolsTest, CheckerMarksAndStops) {
    EXPECT_TRUE(Grid->CheckGrid(false)); // no checker
    auto* Checker = Create<TStoppingCheck>(Form);
    Checker->SetUseMarkError(true);
    Checker->SetGotoCell(true);
    Grid->SetCellChecker(Checker);
    Grid->TextFill(false, u"w");
    Grid->FocusCell(4, 3);
    Checker->StopAfter = 1;
    EXPECT_FALSE(Grid->CheckGrid(false));
    EXPECT_EQ(Checker->Calls, 1);
    EXPECT_EQ(Grid->Cells(1, 1), u"<e>w</e>");
    EXPECT_EQ(Grid->Cells(2, 1), u"w");
    EXPECT_EQ(Checker->Stops, 1);
    EXPECT_EQ(Grid->Col(), 4);
    EXPECT_EQ(Grid->Row(), 3);
    // A cell's old marks are removed before checking: the text stays marked once.
    Checker->StopAfter = 1000;
    Grid->CheckCell(1, 1);
    EXPECT_EQ(Grid->Cells(1, 1), u"<e>w</e>");
    Free(Checker);
    EXPECT_EQ(Grid->CellChecker(), nullptr);
    EXPECT_TRUE(Grid->CheckCell(1, 1));
}

TEST_F(TextToolsTest, RangeFormatting) {
    EXPECT_TRUE(Grid->IsAlignment(TGridRect{3, 1, 2, 2}, taCenter)); // empty
    Grid->SetAlignment(TGridRect{1, 1, 2, 2}, taCenter);
    EXPECT_TRUE(Grid->IsAlignment(TGridRect{1, 1, 2, 2}, taCenter));
    EXPECT_FALSE(Grid->IsAlignment(TGridRect{1, 1, 3, 2}, taCenter));
    Grid->SetFontStyle(TGridRect{1, 1, 2, 1}, fsItalic, true);
    EXPECT_TRUE(Grid->IsFontStyle(TGridRect{1, 1, 2, 1}, fsItalic));
    Grid->SetFontStyle(TGridRect{2, 1, 2, 1}, fsItalic, false);
    EXPECT_FALSE(Grid->IsFontStyle(TGridRect{1, 1, 2, 1}, fsItalic));
    Grid->SetCellColor(TGridRect{1, 1, 1, 1}, clRed);
    EXPECT_EQ(Grid->Colors(1, 1), clRed);
}

TEST_F(TextToolsTest, HeadersAndServices) {
    Grid->ColumnHeaders()->Add(u"Name");
    Grid->ColumnHeaders()->Add(u"Two\\nlines");
    EXPECT_EQ(Grid->Cells(1, 0), u"Two\rlines");
    Grid->RowHeaders()->Add(u"");
    Grid->RowHeaders()->Add(u"first");
    EXPECT_EQ(Grid->Cells(0, 1), u"first");
    Grid->ClearColumnHeaders();
    EXPECT_EQ(Grid->Cells(0, 0), u"");
    EXPECT_EQ(Grid->Cells(1, 0), u"");

    EXPECT_EQ(Grid->Version(), u"1.0.0.0");
    EXPECT_EQ(Grid->PrintColWidth(4), 0);
    EXPECT_EQ(Grid->PrintColOffset(0), 0);
    for (Integer Bad : {-1, 5}) {
        try {
            Grid->PrintColWidth(Bad);
            ADD_FAILURE() << Bad;
        } catch (const EKelGridError& E) {
            EXPECT_EQ(E.Message(), u"Columns is not in valid range");
        }
    }

    EXPECT_TRUE(Grid->MustSkip(0, 1));
    EXPECT_FALSE(Grid->MustSkip(1, 1));
    Grid->Navigation()->PlainSettings().SkipReadOnly = true;
    Grid->OnCanEditCell = [](TObject*, Integer ARow, Integer, bool& CanEdit) { CanEdit = ARow != 2; };
    EXPECT_TRUE(Grid->MustSkip(1, 2));
    EXPECT_FALSE(Grid->MustSkip(1, 1));
}

TEST_F(TextToolsTest, MergedColumnsRemergeOnChange) {
    Grid->SetCells(2, 1, u"same");
    Grid->SetCells(2, 2, u"same");
    Grid->SetCells(2, 3, u"other");
    Grid->MergedColumns()->Add(2);
    EXPECT_FALSE(Grid->IsBaseCell(2, 2));
    EXPECT_TRUE(Grid->IsBaseCell(2, 3));
    Grid->MergedColumns()->Clear();
    EXPECT_TRUE(Grid->IsBaseCell(2, 2));
}

} // namespace

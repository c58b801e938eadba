// Sorting: the comparison in every style, blanks, tie-breaks, indexed and
// undone sorts, what follows the rows, the sort settings' text form and
// errors, and two checks against the system's sort tool.

#include "CoreTestSupport.h"
#include "rtl/Convert.h"
#include "rtl/FormatSettings.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <set>
#include <string>
#include <unistd.h>

namespace {

class TSortCore : public TTestCore {
public:
    using TTestCore::TTestCore;
    using TZirOvararIzazCore::CompareCells;
};

class SortTest : public CoreTest {
protected:
    void SetUp() override {
        CoreTest::SetUp();
        SavedSettings = FormatSettings;
        Sorter = Create<TSortCore>(Form);
        Sorter->SetParent(Form);
    }
    void TearDown() override {
        FormatSettings = SavedSettings;
        CoreTest::TearDown();
    }
    // One fixed row and column; column 1 holds Texts, column 2 the input
    // position of each row.
    void Column(const std::vector<String>& Texts, Integer Cols = 3) {
        Sorter->SetColCount(Cols);
        Sorter->SetRowCount(Integer(Texts.size()) + 1);
        Sorter->SetFixedRows(1);
        Sorter->SetFixedCols(1);
        Integer r = 1;
        for (const String& T : Texts) {
            Sorter->SetCells(1, r, T);
            Sorter->SetCells(2, r, IntToStr(r));
            ++r;
        }
    }
    // The normal rows' texts of a column joined by "|".
    String Col(Integer C) {
        String S;
        for (Integer r = Sorter->FixedRows(); r < Sorter->RowCount(); ++r)
            S += (r > Sorter->FixedRows() ? u"|" : u"") + Sorter->Cells(C, r);
        return S;
    }
    TFormatSettings SavedSettings;
    TSortCore* Sorter = nullptr;
};

struct TStyleCase {
    const char* Name;
    TSortStyle Style;
    std::vector<String> Texts;
    String Expected;
    String Prefix = String();
    String Suffix = String();
};

TEST_F(SortTest, EveryStyleOrdersItsColumn) {
    FormatSettings.CurrencyString = u"EUR";
    FormatSettings.ThousandSeparator = u',';
    FormatSettings.DecimalSeparator = u'.';
    FormatSettings.DateSeparator = u'/';
    FormatSettings.ShortDateFormat = u"M/d/yyyy";
    const std::vector<TStyleCase> Cases = {
        {"automatic numbers", ssAutomatic, {u"10", u"9", u"100"}, u"9|10|100"},
        {"automatic dates", ssAutomatic, {u"12/03/2020", u"01/04/2021", u"05/06/2019"},
         u"05/06/2019|12/03/2020|01/04/2021"},
        {"automatic times", ssAutomatic, {u"10:30", u"9:15", u"23:00"}, u"9:15|10:30|23:00"},
        {"automatic words", ssAutomatic, {u"b", u"B", u"a"}, u"B|a|b"},
        {"alphabetic", ssAlphabetic, {u"10", u"9", u"100"}, u"10|100|9"},
        {"numeric", ssNumeric, {u"x", u"3", u"", u"-2", u"1e1", u"y"}, u"-2||3|1e1|x|y"},
        {"numeric affixes", ssNumeric, {u"$12 kg", u"$3 kg", u"$-1 kg"}, u"$-1 kg|$3 kg|$12 kg", u"$", u" kg"},
        {"date", ssDate, {u"12/1/2020", u"1/5/2021", u"3/3/2019"}, u"3/3/2019|12/1/2020|1/5/2021"},
        {"no case", ssAlphaNoCase, {u"b", u"C", u"a"}, u"a|b|C"},
        {"case", ssAlphaCase, {u"b", u"B", u"a"}, u"B|a|b"},
        {"short date EU", ssShortDateEU, {u"01.02.2020", u"31.01.2020", u"15-01-2019"},
         u"15-01-2019|31.01.2020|01.02.2020"},
        {"short date US", ssShortDateUS, {u"02/01/2020", u"01/31/2020", u"12/31/2019"},
         u"12/31/2019|01/31/2020|02/01/2020"},
        {"financial", ssFinancial, {u"EUR 1,234.50", u"EUR 99", u"EUR 1,000"}, u"EUR 99|EUR 1,000|EUR 1,234.50"},
        {"locale case", ssAnsiAlphaCase, {u"b", u"B", u"a"}, u"a|b|B"},
        {"locale no case", ssAnsiAlphaNoCase, {u"b", u"A", u"a"}, u"A|a|b"},
        {"html", ssHTML, {u"<b>b</b>", u"a", u"<i>c</i>"}, u"a|<b>b</b>|<i>c</i>"},
        {"date time", ssDateTime, {u"1/2/2020 10:00", u"1/2/2020 9:00", u""}, u"|1/2/2020 9:00|1/2/2020 10:00"},
        {"time", ssTime, {u"10:30", u"9:15", u"23:00"}, u"9:15|10:30|23:00"},
        {"alphanumeric", ssAlphaNumeric, {u"b", u"10", u"a", u"9"}, u"9|10|a|b"},
        {"alphanumeric no case", ssAlphaNumericNoCase, {u"B", u"a", u"10", u"9"}, u"9|10|a|B"},
        {"natural", ssNatural, {u"a10", u"a2", u"A1"}, u"A1|a2|a10"},
        {"variant date", ssVarDate, {u"1/5/2021", u"12/1/2020"}, u"12/1/2020|1/5/2021"},
    };
    for (const TStyleCase& Case : Cases) {
        SCOPED_TRACE(Case.Name);
        Column(Case.Texts);
        Sorter->OnGetFormat = [&](TObject*, Integer, TSortStyle& Style, String& Prefix, String& Suffix) {
            Style = Case.Style;
            Prefix = Case.Prefix;
            Suffix = Case.Suffix;
        };
        Sorter->Sort(1, sdAscending);
        EXPECT_EQ(Utf8(Col(1)), Utf8(Case.Expected));
    }
}

TEST_F(SortTest, EventStylesImagesAndCheckBoxes) {
    // ssCustom: longest text first; ssRaw: by column 2 descending.
    Column({u"aa", u"a", u"aaa"});
    Sorter->OnGetFormat = [](TObject*, Integer ACol, TSortStyle& Style, String&, String&) {
        Style = ACol == 1 ? ssCustom : ssRaw;
    };
    Sorter->OnCustomCompare = [](TObject*, const String& A, const String& B, Integer& Res) {
        Res = Integer(B.size()) - Integer(A.size());
    };
    Sorter->Sort(1, sdAscending);
    EXPECT_EQ(Utf8(Col(1)), "aaa|aa|a");
    Sorter->OnRawCompare = [this](TObject*, Integer ACol, Integer R1, Integer R2, Integer& Res) {
        EXPECT_EQ(ACol, 2);
        Res = StrToInt(Sorter->Cells(2, R2)) - StrToInt(Sorter->Cells(2, R1));
    };
    Sorter->Sort(2, sdAscending);
    EXPECT_EQ(Utf8(Col(2)), "3|2|1");

    // ssImages by index, ssCheckBox unchecked before checked.
    Column({u"x", u"y", u"z"});
    for (Integer r = 1; r <= 3; ++r) {
        TCellGraphic* G = Sorter->CreateCellGraphic(1, r);
        G->SetCellType(ctImageList);
        G->SetCellIndex(10 - r);
    }
    Sorter->OnGetFormat = [](TObject*, Integer, TSortStyle& Style, String&, String&) { Style = ssImages; };
    Sorter->Sort(1, sdAscending);
    EXPECT_EQ(Utf8(Col(1)), "z|y|x");
    Sorter->OnGetFormat = nullptr;
    Column({u"", u"", u""});
    Sorter->AddCheckBox(1, 1, true, false);
    Sorter->AddCheckBox(1, 2, false, false);
    Sorter->AddCheckBox(1, 3, true, false);
    Sorter->Sort(1, sdAscending); // ssAutomatic sees the check boxes
    EXPECT_EQ(Utf8(Col(2)), "2|1|3");
}

TEST_F(SortTest, AutomaticAndNumericComparisonsAreAntisymmetric) {
    // A number against a word compares as text both ways round; under
    // ssNumeric a text that does not convert comes after every number.
    Column({u"10", u"abc", u"9", u""});
    for (const TSortStyle Style : {ssAutomatic, ssNumeric}) {
        Sorter->OnGetFormat = [Style](TObject*, Integer, TSortStyle& S, String&, String&) { S = Style; };
        for (Integer a = 1; a <= 4; ++a)
            for (Integer b = 1; b <= 4; ++b)
                EXPECT_EQ(Sorter->CompareCells(1, a, sdAscending, b), -Sorter->CompareCells(1, b, sdAscending, a))
                    << a << " " << b;
    }
    EXPECT_EQ(Sorter->CompareCells(1, 2, sdAscending, 1), 1); // "abc" after "10"
    EXPECT_EQ(Sorter->CompareCells(1, 4, sdAscending, 3), -1); // "" is 0, before 9
    EXPECT_EQ(Sorter->CompareCells(1, 2, sdAscending, 2), 0);
}

TEST_F(SortTest, BlanksStayAtTheirEndInBothDirections) {
    struct TCase {
        TSortBlankPosition Pos;
        TSortDirection Dir;
        const char* Expected;
    };
    for (const TCase& Case : {TCase{blLast, sdAscending, "a|b|c||"}, TCase{blLast, sdDescending, "c|b|a||"},
                              TCase{blFirst, sdAscending, "||a|b|c"}, TCase{blFirst, sdDescending, "||c|b|a"}}) {
        Column({u"b", u"", u"c", u"", u"a"});
        Sorter->SortSettings()->SetIgnoreBlanks(true);
        Sorter->SortSettings()->SetBlankPos(Case.Pos);
        Sorter->Sort(1, Case.Dir);
        EXPECT_EQ(Utf8(Col(1)), Case.Expected);
    }
}

TEST_F(SortTest, FullBreaksTiesOverHiddenColumnsAndOffKeepsInputOrder) {
    Column({u"b", u"a", u"b", u"a"}, 4);
    const char* Tie[] = {"z", "y", "x", "w"};
    for (Integer r = 1; r <= 4; ++r) Sorter->SetCells(3, r, FromUtf8(Tie[r - 1]));
    Sorter->HideColumn(2);
    Sorter->HideColumn(3);
    Sorter->Sort(1, sdAscending);
    // Column 2 (the input position) decides before column 3.
    EXPECT_EQ(Utf8(Col(2)), "2|4|1|3");
    Sorter->SetCells(2, 1, u"0");
    Sorter->SetCells(2, 2, u"0");
    Sorter->SetCells(2, 3, u"0");
    Sorter->SetCells(2, 4, u"0");
    Sorter->Sort(1, sdAscending);
    EXPECT_EQ(Utf8(Col(3)), "w|y|x|z");
    Sorter->SortSettings()->SetFull(false);
    Sorter->Sort(1, sdDescending);
    EXPECT_EQ(Utf8(Col(3)), "x|z|w|y");
    // Ignored columns decide nothing.
    Sorter->SortSettings()->SetFull(true);
    Sorter->IgnoreColumns()->Add(2);
    Sorter->IgnoreColumns()->Add(3);
    Sorter->Sort(1, sdAscending);
    EXPECT_EQ(Utf8(Col(3)), "w|y|x|z");
}

TEST_F(SortTest, IndexedTextFormSortsAndRoundTrips) {
    Column({u"2", u"1", u"2", u"1"}, 4);
    const char* Third[] = {"a", "b", "c", "d"};
    for (Integer r = 1; r <= 4; ++r) Sorter->SetCells(3, r, FromUtf8(Third[r - 1]));
    TSortSettings* S = Sorter->SortSettings();
    S->LoadFromString(u"i;u1;d3");
    EXPECT_TRUE(S->Show());
    EXPECT_TRUE(S->IndexShow());
    EXPECT_EQ(Utf8(Col(3)), "d|b|c|a");
    EXPECT_EQ(Utf8(S->SaveToString()), "i;u1;d3");

    S->LoadFromString(u"u2");
    EXPECT_FALSE(S->IndexShow());
    EXPECT_EQ(Sorter->SortIndexes()->Count(), 0);
    EXPECT_EQ(Utf8(Col(2)), "1|2|3|4");
    EXPECT_EQ(Utf8(S->SaveToString()), "u2");
    S->ToggleDirection();
    EXPECT_EQ(Utf8(S->SaveToString()), "d2");
    S->Remove();
    EXPECT_EQ(Utf8(S->SaveToString()), "d-1");
    S->LoadFromString(u""); // nothing
    EXPECT_EQ(S->Column(), -1);
}

TEST_F(SortTest, ErrorTexts) {
    Column({u"b", u"a"});
    TSortSettings* S = Sorter->SortSettings();
    try {
        S->LoadFromString(u"d");
        FAIL() << "no exception";
    } catch (const EKelGridError& E) {
        EXPECT_EQ(Utf8(E.Message()), "Invalid sort settings specifier");
    }
    EXPECT_TRUE(S->Show());
    try {
        Sorter->QSortIndexed();
        FAIL() << "no exception";
    } catch (const EKelGridError& E) {
        EXPECT_EQ(Utf8(E.Message()), "No indexes specified for indexed sort");
    }
    EXPECT_EQ(Utf8(Col(1)), "b|a");
    try {
        S->SetRow(1);
        FAIL() << "no exception";
    } catch (const EKelGridError& E) {
        EXPECT_EQ(Utf8(E.Message()), "Sort row should be smaller than number of fixed rows");
    }
    EXPECT_EQ(S->Row(), 0);
}

TEST_F(SortTest, UnSortRestoresTheOrderOfTheLastInitialisation) {
    Column({u"c", u"a", u"d", u"b"});
    Sorter->Sort(1, sdAscending);
    Sorter->Sort(2, sdDescending);
    Sorter->Sort(1, sdDescending);
    EXPECT_EQ(Utf8(Col(1)), "d|c|b|a");
    Sorter->QUnSort();
    EXPECT_EQ(Utf8(Col(1)), "c|a|d|b");
    EXPECT_EQ(Sorter->SortSettings()->Column(), -1);
    for (Integer r = 0; r < Sorter->RowCount(); ++r) EXPECT_EQ(Sorter->SortRowXRef()->Items(r), r);
    // Rows added since: the order at the next sort is the one restored.
    Sorter->Sort(1, sdAscending);
    Sorter->AddRow();
    Sorter->SetCells(1, 5, u"0");
    Sorter->Sort(1, sdDescending);
    Sorter->QUnSort();
    EXPECT_EQ(Utf8(Col(1)), "a|b|c|d|0");
}

TEST_F(SortTest, GroupSortsOnlyInsideTheDeepestGroupsAndNodesBlockTheUndo) {
    Column({u"m", u"b", u"c", u"a", u"z", u"y", u"x", u"k"});
    Sorter->AddNode(1, 4);
    Sorter->AddNode(5, 3);
    Sorter->SortSettings()->SetColumn(1);
    Sorter->QSortGroup();
    EXPECT_EQ(Utf8(Col(1)), "m|a|b|c|z|x|y|k");
    Sorter->QUnSort(); // nothing while the grid has nodes
    EXPECT_EQ(Utf8(Col(1)), "m|a|b|c|z|x|y|k");
    Sorter->SortIndexes()->AddIndex(1, false);
    Sorter->QSortGroupIndexed();
    EXPECT_EQ(Utf8(Col(1)), "m|c|b|a|z|y|x|k");
    // A contracted group keeps its order.
    Sorter->ContractNode(5);
    Sorter->QSortGroup();
    EXPECT_EQ(Utf8(Col(1)), "m|a|b|c|z|k");
    // Nested groups: only the deepest level sorts, its node rows stay.
    Sorter->ExpandAll();
    Sorter->RemoveAllNodes();
    Column({u"m", u"q", u"c", u"a", u"p", u"y", u"x", u"k"});
    Sorter->AddNode(1, 7);
    Sorter->AddNode(2, 3);
    Sorter->AddNode(5, 3);
    Sorter->QSortGroup();
    EXPECT_EQ(Utf8(Col(1)), "m|q|a|c|p|x|y|k");
}

TEST_F(SortTest, WhatFollowsTheRows) {
    Column({u"c", u"a", u"b"});
    Sorter->SetRowHeights(1, 40);
    Sorter->ShowModified()->SetEnabled(true);
    Sorter->SetRowModified(1, true);
    Sorter->SetRowEnabled(2, false);
    Sorter->Navigation()->PlainSettings().MoveRowOnSort = true;
    Sorter->MouseActions()->PlainSettings().DisjunctRowSelect = true;
    Sorter->SetRowSelect(3, true);
    Sorter->FocusCell(1, 1, true);
    Integer Changes = 0;
    Sorter->OnRowCountChange = [&](TObject*, Integer, Integer) { ++Changes; };
    Sorter->Sort(1, sdAscending); // a, b, c: old rows 2, 3, 1
    EXPECT_EQ(Utf8(Col(2)), "2|3|1");
    EXPECT_EQ(Sorter->RowHeights(3), 40);
    EXPECT_TRUE(Sorter->RowModified(3));
    EXPECT_FALSE(Sorter->RowModified(1));
    EXPECT_FALSE(Sorter->RowEnabled(1));
    EXPECT_TRUE(Sorter->RowSelect(2));
    EXPECT_FALSE(Sorter->RowSelect(3));
    EXPECT_EQ(Sorter->SortRow(), 3);
    EXPECT_EQ(Sorter->Row(), 3);
    EXPECT_EQ(Sorter->SortRowXRef()->Items(1), 2);
    EXPECT_EQ(Changes, 0);
    EXPECT_EQ(Sorter->RowCount(), 4);
}

TEST_F(SortTest, NormalCellsOnlyAndTheFooterRowStayInPlace) {
    Column({u"c", u"a", u"b"});
    Sorter->SetFixedCols(2);
    Sorter->SetColCount(4);
    for (Integer r = 1; r <= 3; ++r) {
        Sorter->SetCells(0, r, u"#" + IntToStr(r));
        Sorter->SetCells(3, r, Sorter->Cells(1, r));
        Sorter->SetCells(1, r, u"f" + IntToStr(r));
    }
    Sorter->SortSettings()->SetNormalCellsOnly(true);
    Sorter->Sort(3, sdAscending);
    EXPECT_EQ(Utf8(Col(0)), "#1|#2|#3");
    EXPECT_EQ(Utf8(Col(1)), "f2|f3|f1");

    Column({u"c", u"b", u"a", u"sum"});
    Sorter->FloatingFooter()->SetVisible(true);
    Sorter->Sort(1, sdAscending);
    EXPECT_EQ(Utf8(Col(1)), "a|b|c|sum");
    Sorter->FloatingFooter()->SetVisible(false);
}

TEST_F(SortTest, RandomCustomCompareKeepsEveryRow) {
    const Integer N = 10000;
    Sorter->SetColCount(2);
    Sorter->SetRowCount(N + 1);
    Sorter->SetFixedRows(1);
    for (Integer r = 1; r <= N; ++r) Sorter->SetCells(1, r, IntToStr(r));
    std::mt19937 Random(7);
    Sorter->OnGetFormat = [](TObject*, Integer, TSortStyle& S, String&, String&) { S = ssCustom; };
    Sorter->OnCustomCompare = [&](TObject*, const String&, const String&, Integer& Res) {
        Res = Integer(Random() % 5) - 2;
    };
    Integer Changes = 0;
    Sorter->OnRowCountChange = [&](TObject*, Integer, Integer) { ++Changes; };
    Sorter->Sort(1, sdAscending);
    Sorter->SortIndexes()->AddIndex(1, false);
    Sorter->QSortIndexed();
    EXPECT_EQ(Sorter->RowCount(), N + 1);
    EXPECT_EQ(Changes, 0);
    std::set<Integer> Seen;
    for (Integer r = 1; r <= N; ++r) Seen.insert(StrToInt(Sorter->Cells(1, r)));
    EXPECT_EQ(Integer(Seen.size()), N);
    EXPECT_EQ(*Seen.begin(), 1);
    EXPECT_EQ(*Seen.rbegin(), N);
}

TEST_F(SortTest, RangeSortsSortLineAndColumnType) {
    Column({u"d", u"c", u"b", u"a"});
    Sorter->QuickSort(1, 2, 3); // rows 2 and 3 only
    EXPECT_EQ(Utf8(Col(1)), "d|b|c|a");
    Sorter->QuickSort(1, -5, 1000); // kept within the rows, the fixed row too
    EXPECT_EQ(Utf8(Col(1)), "a|b|c|d");
    EXPECT_EQ(Utf8(Sorter->Cells(1, 0)), "");
    Sorter->SortIndexes()->AddIndex(1, false);
    Sorter->QuickSortIndexed(1, 3);
    EXPECT_EQ(Utf8(Col(1)), "c|b|a|d");
    // SortLine exchanges two rows that are out of the last sort's order.
    Sorter->SortSettings()->SetDirection(sdAscending);
    Sorter->QuickSort(1, 3, 4);
    EXPECT_TRUE(Sorter->SortLine(1, 1, 2));
    EXPECT_EQ(Utf8(Col(1)), "b|c|a|d");
    EXPECT_FALSE(Sorter->SortLine(1, 1, 2));
    Sorter->SortByColumn(1);
    EXPECT_EQ(Utf8(Col(1)), "a|b|c|d");
    EXPECT_EQ(Sorter->SortSettings()->Column(), 1);

    struct TCase {
        String A, B;
        TColumnType Expected;
    };
    for (const TCase& Case : {TCase{u"1", u"2", ctNumeric}, TCase{u"1.5", u"2.25", ctFloat},
                              TCase{u"1", u"x", ctAlpha}, TCase{u"12:30", u"1:05", ctTime}}) {
        Column({Case.A, Case.B});
        EXPECT_EQ(Sorter->ColumnType(1), Case.Expected) << Utf8(Case.A);
    }
    Sorter->AddCheckBox(1, 1, true, false);
    Sorter->AddCheckBox(1, 2, false, false);
    EXPECT_EQ(Sorter->ColumnType(1), ctBoolean);
}

// ---- Against the system's sort tool ----

bool ToolPresent(const char* Tool) {
    return std::system((std::string("command -v ") + Tool + " >/dev/null 2>&1").c_str()) == 0;
}

// The lines of Path sorted by the shell command Command.
std::vector<std::string> SortedByTool(const std::vector<std::string>& Lines, const std::string& Command) {
    char Name[] = "/tmp/vandrel-sort-XXXXXX";
    const int Fd = mkstemp(Name);
    EXPECT_GE(Fd, 0);
    close(Fd);
    {
        std::ofstream Out(Name, std::ios::binary);
        for (const std::string& L : Lines) Out << L << '\n';
    }
    const std::string Sorted = std::string(Name) + ".out";
    EXPECT_EQ(std::system((Command + " " + Name + " > " + Sorted).c_str()), 0);
    std::vector<std::string> Result;
    std::ifstream In(Sorted, std::ios::binary);
    for (std::string L; std::getline(In, L);) Result.push_back(L);
    std::remove(Name);
    std::remove(Sorted.c_str());
    return Result;
}

TEST_F(SortTest, AlphabeticMatchesByteOrderOfUtf8) {
    if (!ToolPresent("sort")) GTEST_SKIP() << "the sort tool is missing";
    const Integer N = 20000;
    std::mt19937 Random(11);
    std::vector<std::string> Lines;
    Sorter->SetColCount(2);
    Sorter->SetRowCount(N + 1);
    Sorter->SetFixedRows(1);
    for (Integer r = 1; r <= N; ++r) {
        String S;
        const Integer Length = Integer(Random() % 6);
        for (Integer i = 0; i < Length; ++i) {
            // The Basic Multilingual Plane without surrogates and line ends.
            Char C;
            do
                C = Char(Random() % 3 == 0 ? 0x20 + Random() % 0x60 : 0x20 + Random() % (0xFFFE - 0x20));
            while (C >= 0xD800 && C <= 0xDFFF);
            S += C;
        }
        Sorter->SetCells(1, r, S);
        Lines.push_back(Utf8(S));
    }
    Sorter->OnGetFormat = [](TObject*, Integer, TSortStyle& S, String&, String&) { S = ssAlphabetic; };
    Sorter->Sort(1, sdAscending);
    const std::vector<std::string> Expected = SortedByTool(Lines, "LC_ALL=C sort");
    ASSERT_EQ(Integer(Expected.size()), N);
    for (Integer r = 1; r <= N; ++r) ASSERT_EQ(Utf8(Sorter->Cells(1, r)), Expected[size_t(r - 1)]) << r;
}

TEST_F(SortTest, NumericMatchesGeneralNumericSort) {
    if (!ToolPresent("sort")) GTEST_SKIP() << "the sort tool is missing";
    const Integer N = 20000;
    std::mt19937 Random(13);
    std::set<double> Values;
    std::vector<std::string> Lines;
    while (Integer(Lines.size()) < N) {
        char Text[64];
        const double V = (double(Random()) - 2147483648.0) / double(1 + Random() % 100000);
        switch (Random() % 3) {
        case 0:
            snprintf(Text, sizeof Text, "%.3f", V);
            break;
        case 1:
            snprintf(Text, sizeof Text, "%d", int(V));
            break;
        default:
            snprintf(Text, sizeof Text, "%.4e", V);
            break;
        }
        if (Values.insert(strtod(Text, nullptr)).second) Lines.push_back(Text);
    }
    Sorter->SetColCount(2);
    Sorter->SetRowCount(N + 1);
    Sorter->SetFixedRows(1);
    for (Integer r = 1; r <= N; ++r) Sorter->SetCells(1, r, FromUtf8(Lines[size_t(r - 1)]));
    FormatSettings.DecimalSeparator = u'.';
    Sorter->OnGetFormat = [](TObject*, Integer, TSortStyle& S, String&, String&) { S = ssNumeric; };
    Sorter->Sort(1, sdAscending);
    const std::vector<std::string> Expected = SortedByTool(Lines, "LC_ALL=C sort -g");
    ASSERT_EQ(Integer(Expected.size()), N);
    for (Integer r = 1; r <= N; ++r) ASSERT_EQ(Utf8(Sorter->Cells(1, r)), Expected[size_t(r - 1)]) << r;
}

} // namespace

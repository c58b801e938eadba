// Filtering: the row test (values, prefix and suffix, literals,
// combinations), the levels applications stack and remove, the narrow-down
// search, and the filter file.

#include "CoreTestSupport.h"
#include "rtl/Convert.h"
#include "rtl/IniFile.h"
#include "rtl/StringUtils.h"
#include "rtltesting/TestFiles.h"

#include <cstdio>
#include <cstdlib>
#include <unistd.h>

#include <functional>
#include <vector>

namespace {

class TFilterCore : public TTestCore {
public:
    using TTestCore::TTestCore;
    using TZirOvararIzazCore::MatchFilter;
};

class FilterTest : public GridFormTest<TFilterCore> {
protected:
    // One fixed row "h"; normal row i holds A[i] in column 0 and B[i] (when
    // given) in column 1.
    void Fill(const std::vector<const char16_t*>& A, const std::vector<const char16_t*>& B = {}) {
        Grid->SetColCount(3);
        Grid->SetRowCount(Integer(A.size()) + 1);
        Grid->SetFixedRows(1);
        Grid->SetFixedCols(0);
        Grid->SetGridCells(0, 0, u"h");
        for (size_t i = 0; i < A.size(); ++i) {
            Grid->SetGridCells(0, Integer(i) + 1, A[i]);
            if (i < B.size()) Grid->SetGridCells(1, Integer(i) + 1, B[i]);
        }
    }
};

// Columns 0 and 1 of the normal rows on view (hidden and suppressed rows
// left out), "-" for an empty row. Row 0 is the fixed row.
String Shown(TFilterCore* G) {
    String S;
    for (Integer r = 1; r < G->RowCount(); ++r) {
        if (G->RowHeights(r) == 0) continue;
        const String T = G->GridCells(0, r) + G->GridCells(1, r);
        S += (S.empty() ? u"" : u",") + (T.empty() ? String(u"-") : T);
    }
    return S;
}

TFilterData* AddItem(TFilterCore* G, Integer Col, const String& Condition, TFilterOperation Op) {
    return G->Filter()->Add(Col, Condition, Op);
}

TEST_F(FilterTest, RowTestAndLevelsAsOneTable) {
    using Strings = std::vector<const char16_t*>;
    struct Case {
        const char* Name;
        Strings A, B;
        std::function<String(TFilterCore*)> Act; // answers what it saw
        const char16_t* Expected;
    };
    const auto On = [](TFilterCore* G) {
        G->SetFilterActive(true);
        return Shown(G);
    };
    const Strings AB = {u"a", u"a", u"b", u"b"}, XY = {u"x", u"y", u"x", u"y"};
    const Case Cases[] = {
        {"all rows failing: only the fixed row stays, then all come back", {u"a", u"b", u"c"}, {},
         [](TFilterCore* G) {
             AddItem(G, 0, u"z", foNONE);
             G->SetFilterActive(true);
             String S = Shown(G) + u"|" + IntToStr(G->RowCount()) + u"|";
             G->SetFilterActive(false);
             return S + Shown(G) + u"|" + IntToStr(G->FixedRows());
         },
         u"|1|a,b,c|1"},
        {"foAND: both", AB, XY, [&](TFilterCore* G) { AddItem(G, 0, u"a", foNONE); AddItem(G, 1, u"x", foAND); return On(G); },
         u"ax"},
        {"foOR: either", AB, XY, [&](TFilterCore* G) { AddItem(G, 0, u"a", foNONE); AddItem(G, 1, u"x", foOR); return On(G); },
         u"ax,ay,bx"},
        {"foXOR: one of the two", AB, XY,
         [&](TFilterCore* G) { AddItem(G, 0, u"a", foNONE); AddItem(G, 1, u"x", foXOR); return On(G); }, u"ay,bx"},
        {"foSHORT: a failing first item decides", AB, XY,
         [&](TFilterCore* G) { AddItem(G, 0, u"b", foSHORT); AddItem(G, 1, u"x", foOR); return On(G); }, u"bx,by"},
        {"a disabled item is ignored, also for the combination", AB, XY,
         [&](TFilterCore* G) {
             AddItem(G, 0, u"zzz", foNONE)->SetEnabled(false);
             AddItem(G, 1, u"x", foOR);
             return On(G);
         },
         u"ax,ay,bx,by"},
        {"an empty condition passes every row", {u"a", u"", u"b"}, {},
         [&](TFilterCore* G) { AddItem(G, 0, u"", foNONE); return On(G); }, u"a,-,b"},
        {"literal a|b|c: exactly one of them, case counts", {u"a", u"b", u"c", u"ab", u"A", u""}, {},
         [&](TFilterCore* G) { AddItem(G, 0, u"a|b|c", foNONE)->SetMethod(fmLiteral); return On(G); }, u"a,b,c"},
        {"literal with an empty last alternative", {u"a", u"b", u"c", u""}, {},
         [&](TFilterCore* G) { AddItem(G, 0, u"a|b|", foNONE)->SetMethod(fmLiteral); return On(G); }, u"a,b,-"},
        {"literal \"\": only empty values", {u"a", u"", u"\"\""}, {},
         [&](TFilterCore* G) { AddItem(G, 0, u"\"\"", foNONE)->SetMethod(fmLiteral); return On(G); }, u"-"},
        {"prefix $: $12 is tested as 12", {u"$12", u"12", u"$13", u"x$12"}, {},
         [&](TFilterCore* G) { AddItem(G, 0, u"12", foNONE)->SetPrefix(u"$"); return On(G); }, u"$12,12"},
        {"a suffix goes only when its first occurrence ends the value", {u"5 EUR", u"5", u"5 EUR EUR"}, {},
         [&](TFilterCore* G) { AddItem(G, 0, u"5", foNONE)->SetSuffix(u" EUR"); return On(G); }, u"5 EUR,5"},
        {"markup is read as its text; accents removed on request", {u"<b>cafe</b>", u"café", u"caff"}, {},
         [&](TFilterCore* G) { AddItem(G, 0, u"cafe", foNONE)->SetRemoveAccented(true); return On(G); },
         u"<b>cafe</b>,café"},
        {"ftSuppress keeps the failing rows with height 0", {u"a", u"b", u"a"}, {},
         [&](TFilterCore* G) {
             G->SetFilterType(ftSuppress);
             AddItem(G, 0, u"a", foNONE);
             String S = On(G) + u"|" + IntToStr(G->RowCount()) + u"|" + IntToStr(G->FilterLevel()) + u"|";
             G->SetFilterActive(false);
             return S + Shown(G);
         },
         u"a,a|4|0|a,b,a"},
        {"FilterActive twice applies once; once off shows all", {u"a", u"b"}, {},
         [&](TFilterCore* G) {
             AddItem(G, 0, u"a", foNONE);
             G->SetFilterActive(true);
             G->SetFilterActive(true);
             String S = Shown(G) + u"|" + IntToStr(G->FilterLevel()) + u"|";
             G->SetFilterActive(false);
             return S + Shown(G) + u"|" + IntToStr(G->Filter()->Count());
         },
         u"a|1|a,b|1"},
        {"levels stack; RemoveLastFilter and RemoveAllFilters take them off", {u"a", u"b", u"c", u"d"}, {},
         [&](TFilterCore* G) {
             AddItem(G, 0, u"!c", foNONE);
             G->ApplyFilter();
             AddItem(G, 0, u"!b", foAND);
             G->ApplyFilter();
             String S = Shown(G) + u"|" + IntToStr(G->FilterLevel()) + u"|";
             S += G->RemoveLastFilter() ? u"T|" : u"F|";
             S += Shown(G) + u"|" + IntToStr(G->Filter()->Count()) + u"|";
             G->RemoveAllFilters();
             return S + Shown(G) + u"|" + IntToStr(G->Filter()->Count()) + u"|" + IntToStr(G->FilterLevel());
         },
         u"a,d|2|F|a,b,d|1|a,b,c,d|0|0"},
        {"FilterRow hides one failing row", {u"a", u"b"}, {},
         [&](TFilterCore* G) {
             AddItem(G, 0, u"a", foNONE);
             String S = G->FilterRow(1) ? u"T|" : u"F|";
             S += G->FilterRow(2) ? u"T|" : u"F|";
             return S + Shown(G);
         },
         u"F|T|a"},
        {"NarrowDown a, ab, a, empty", {u"a1", u"ab", u"abc", u"b"}, {},
         [&](TFilterCore* G) {
             String S;
             for (const char16_t* T : {u"a", u"ab", u"a", u""}) {
                 G->NarrowDown(T, 0);
                 S += Shown(G) + u"|" + IntToStr(G->FilterLevel()) + u"/";
             }
             return S;
         },
         u"a1,ab,abc|1/ab,abc|2/a1,ab,abc|1/a1,ab,abc,b|0/"},
        {"NarrowDown with a blank, typed or set at once", {u"New York", u"new york city", u"newyork", u"york new"}, {},
         [&](TFilterCore* G) {
             const String Text = u"new york";
             for (Integer n = 1; n <= Length(Text); ++n) G->NarrowDown(Copy(Text, 1, n), 0);
             String S = Shown(G) + u"|";
             G->NarrowDown(u"", 0);
             G->NarrowDown(Text, 0);
             return S + Shown(G);
         },
         u"New York,new york city|New York,new york city"},
        {"NarrowDown from the start", {u"new york", u"a new york"}, {},
         [&](TFilterCore* G) {
             G->SetNarrowDownFromStart(true);
             G->NarrowDown(u"new york", 0);
             return Shown(G);
         },
         u"new york"},
        {"NarrowDown on column -1: any cell, any case", {u"a", u"b", u"c"}, {u"x", u"QZ", u"q z"},
         [&](TFilterCore* G) {
             G->NarrowDown(u"qz", -1);
             return Shown(G);
         },
         u"bQZ"},
        {"NarrowDown on column -1 from the start: a cell starts with it", {u"xab", u"ab", u"q"}, {u"yab", u"q", u"ab"},
         [&](TFilterCore* G) {
             G->SetNarrowDownFromStart(true);
             G->NarrowDown(u"ab", -1);
             return Shown(G);
         },
         u"abq,qab"},
    };
    for (const Case& C : Cases) {
        // Each case on a new grid.
        Free(Grid);
        Grid = Create<TFilterCore>(Form);
        Grid->SetParent(Form);
        Fill(C.A, C.B);
        EXPECT_EQ(Utf8(C.Act(Grid)), Utf8(C.Expected)) << C.Name;
    }
}

TEST_F(FilterTest, EmptyNarrowDownRemovesOnlyWhatNarrowingAdded) {
    Fill({u"a", u"b", u"c", u"d", u"e"});
    Grid->CellProperties(0, 2)->SetBrushColor(0x0000FF);
    Grid->HideRow(2); // "b", by HideRows
    AddItem(Grid, 0, u"!e", foNONE);
    Grid->SetFilterActive(true); // "e", by an applied filter
    ASSERT_EQ(Shown(Grid), u"a,c,d");
    Grid->NarrowDown(u"c", 0);
    EXPECT_EQ(Shown(Grid), u"c");
    Grid->NarrowDown(u"", 0);
    EXPECT_EQ(Shown(Grid), u"a,c,d");
    EXPECT_EQ(Grid->FilterLevel(), 1);
    EXPECT_EQ(Grid->NumHiddenRows(), 2);
    EXPECT_EQ(Grid->AllCells(0, 2), u"b") << "a hidden row keeps its text";
    Grid->NarrowDown(u"", 0);
    EXPECT_EQ(Shown(Grid), u"a,c,d") << "an empty text twice removes nothing more";
    Grid->RemoveAllFilters();
    EXPECT_EQ(Shown(Grid), u"a,c,d,e");
    Grid->UnHideRowsAll();
    EXPECT_EQ(Shown(Grid), u"a,b,c,d,e");
    ASSERT_TRUE(Grid->HasCellProperties(0, 2));
    EXPECT_EQ(Grid->CellProperties(0, 2)->BrushColor(), 0x0000FF);
}

TEST_F(FilterTest, CustomFilterHasTheLastWordAndProgressEndsAtOneHundred) {
    Fill({u"a", u"b", u"c", u"d"});
    AddItem(Grid, 0, u"a", foNONE);
    Grid->OnCustomFilter = [](TObject*, Integer ARow, bool& AcceptRow) {
        if (ARow == 4) AcceptRow = true;
    };
    std::vector<int> Progress;
    Grid->OnFilterProgress = [&](TObject*, int16_t P) { Progress.push_back(P); };
    Grid->ApplyFilter();
    EXPECT_EQ(Shown(Grid), u"a,d");
    EXPECT_EQ(Progress, (std::vector<int>{25, 50, 75, 100, 100}));
}

TEST_F(FilterTest, TheCurrentRowOnAHiddenLastRowMovesIntoTheGrid) {
    // The platform grid never keeps a current cell outside it; a current
    // row whose row the filter takes away lands on a row that stays.
    Fill({u"a", u"b", u"c", u"d"});
    Grid->FocusCell(1, 4);
    AddItem(Grid, 0, u"a", foNONE);
    Grid->SetFilterActive(true);
    EXPECT_EQ(Shown(Grid), u"a");
    EXPECT_EQ(Grid->Row(), 1);
    EXPECT_EQ(Grid->Col(), 1);
    EXPECT_EQ(Grid->TopRow(), 1);
}

// Every field but Data, each away from its default.
void FillFilterFile(TFilter* F) {
    TFilterData* A = F->Add(2, u"*new york*", foSHORT);
    A->SetMethod(fmLiteral);
    A->SetCaseSensitive(false);
    A->SetEnabled(false);
    A->SetRemoveAccented(true);
    A->SetPrefix(u"$");
    A->SetSuffix(u"EUR");
    A->SetFriendlyName(u"Café");
    A->SetFilterType(ftNotEqual);
    A->SetData(fcRow);
    F->Add(-1, u">5 & <10", foXOR)->SetFilterType(ftNone);
}

String Describe(const TFilter* F) {
    String S;
    for (Integer i = 0; i < F->Count(); ++i) {
        const TFilterData* D = F->Items(i);
        S += D->Condition() + u";" + IntToStr(D->Column()) + u";" + IntToStr(Integer(D->Operation())) + u";" +
             IntToStr(Integer(D->Method())) + u";" + IntToStr(D->CaseSensitive()) + IntToStr(D->Enabled()) +
             IntToStr(D->RemoveAccented()) + u";" + D->Prefix() + u";" + D->Suffix() + u";" + D->FriendlyName() +
             u";" + IntToStr(Integer(D->FilterType())) + u";" + IntToStr(Integer(D->Data())) + u"\n";
    }
    return S;
}

TEST_F(FilterTest, SaveThenLoadKeepsEveryFieldButData) {
    TTempFolder Folder;
    FillFilterFile(Grid->Filter());
    Grid->SaveFilter(Folder / u"f.ini");
    Grid->Filter()->Clear();
    Grid->Filter()->Add(0, u"old", foNONE);
    Grid->LoadFilter(Folder / u"f.ini");
    EXPECT_EQ(Utf8(Describe(Grid->Filter())),
              "*new york*;2;0;1;001;$;EUR;Café;5;0\n"
              ">5 & <10;-1;3;0;110;;;;9;0\n")
        << "Data comes back as fcVirtual";
    EXPECT_EQ(Grid->FilterLevel(), 0) << "loading does not apply";

    // A file without COUNT, and one that is missing, change nothing.
    WriteFileBytes(Folder / u"nocount.ini", "[ITEM0]\nCONDITION=x\n");
    const String Before = Describe(Grid->Filter());
    Grid->LoadFilter(Folder / u"nocount.ini");
    Grid->LoadFilter(Folder / u"missing/f.ini");
    EXPECT_EQ(Describe(Grid->Filter()), Before);
    // A file that cannot be written raises nothing.
    Grid->SaveFilter(Folder / u"missing/f.ini");
    EXPECT_FALSE(std::ifstream(Folder.Native(u"missing/f.ini")).good());
}

// The filter file reads the same in another INI reader, Python's
// configparser (Debian python3), both ways.
TEST_F(FilterTest, FilterFileAgreesWithPythonsConfigParser) {
    const char* Python = "/usr/bin/python3";
    if (::access(Python, X_OK) != 0) {
        if (std::getenv("CI")) FAIL() << "python3 is missing";
        GTEST_SKIP() << "python3 is missing";
    }
    TTempFolder Folder;
    FillFilterFile(Grid->Filter());
    Grid->SaveFilter(Folder / u"ours.ini");
    // The script prints every section with its keys and values, then writes
    // a filter file of its own.
    const std::string Script =
        "import configparser,sys\n"
        "p=configparser.RawConfigParser()\n"
        "p.optionxform=str\n"
        "p.read(sys.argv[1],encoding='cp1252')\n"
        "out=''.join('['+s+']'+''.join(k+'='+v+';' for k,v in p.items(s))+'\\n' for s in p.sections())\n"
        "sys.stdout.buffer.write(out.encode('utf-8'))\n"
        "w=configparser.RawConfigParser()\n"
        "w.optionxform=str\n"
        "w['FILTER']={'COUNT':'1'}\n"
        "w['ITEM0']={'CONDITION':'a*','COLUMN':'3','OPERATION':'2','METHOD':'1','CASE':'1','ENABLED':'0',"
        "'REMOVEACCENTED':'1','PREFIX':'#','SUFFIX':'%','FRIENDLYNAME':'Déjà','TYPE':'4'}\n"
        "with open(sys.argv[2],'w',encoding='cp1252') as f: w.write(f)\n";
    WriteFileBytes(Folder / u"read.py", Script);
    const std::string Command = std::string(Python) + " " + Folder.Native(u"read.py") + " " +
                                Folder.Native(u"ours.ini") + " " + Folder.Native(u"theirs.ini");
    FILE* Pipe = ::popen(Command.c_str(), "r");
    ASSERT_NE(Pipe, nullptr);
    std::string Output;
    char Buffer[4096];
    while (size_t Read = std::fread(Buffer, 1, sizeof Buffer, Pipe)) Output.append(Buffer, Read);
    ASSERT_EQ(::pclose(Pipe), 0) << Output;
    EXPECT_EQ(Output,
              "[FILTER]COUNT=2;\n"
              "[ITEM0]CONDITION=*new york*;COLUMN=2;OPERATION=0;METHOD=1;CASE=0;ENABLED=0;REMOVEACCENTED=1;"
              "PREFIX=$;SUFFIX=EUR;FRIENDLYNAME=Café;TYPE=5;\n"
              "[ITEM1]CONDITION=>5 & <10;COLUMN=-1;OPERATION=3;METHOD=0;CASE=1;ENABLED=1;REMOVEACCENTED=0;"
              "PREFIX=;SUFFIX=;FRIENDLYNAME=;TYPE=9;\n");

    Grid->LoadFilter(Folder / u"theirs.ini");
    EXPECT_EQ(Utf8(Describe(Grid->Filter())), "a*;3;2;1;101;#;%;Déjà;4;0\n");
}

} // namespace

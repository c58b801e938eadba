// The filter drop-down: a column's value list, a pick and the ticks as
// filter conditions, the two pop-up lists' keys, mouse and capture loss,
// the filter row setting and the filter-edit row's switch.

#include "CoreTestSupport.h"
#include "grid/GridUnit.h"
#include "rtl/Convert.h"
#include "windowing/HeadlessBackend.h"
#include "windowing/Input.h"
#include "windowing/MessageQueue.h"

#include <vector>

using namespace winapi;

namespace {

class TDropCore : public TTestCore {
public:
    using TTestCore::TTestCore;
    using TTestCore::DoFilterCheck;
    using TTestCore::DoFilterSelect;
    using TTestCore::DoGetColumnFilter;
    using TTestCore::HideRowList;
};

class FilterDropDownTest : public GridFormTest<TDropCore> {
protected:
    void SetUp() override {
        GridFormTest<TDropCore>::SetUp();
        Grid->SetColCount(3);
        Grid->SetRowCount(2);
    }
    // Column 1 gets the values (rows from 1), column 2 the row numbers.
    void Fill(std::vector<String> Values) {
        Grid->SetRowCount(Integer(Values.size()) + 1);
        for (size_t i = 0; i < Values.size(); ++i) {
            Grid->SetCells(1, Integer(i) + 1, Values[i]);
            Grid->SetCells(2, Integer(i) + 1, IntToStr(Integer(i) + 1));
        }
    }
    std::vector<String> FilterList() {
        std::vector<String> Out;
        for (Integer i = 0; i < Grid->FilterList()->Count(); ++i) Out.push_back(Grid->FilterList()->Strings(i));
        return Out;
    }
    // Opens column ACol as the input side does: the open column, then the
    // list filled with the shown parts.
    void Open(Integer ACol) {
        Grid->SetFilterCol(ACol);
        Grid->DoGetColumnFilter(ACol);
        TCustomListBox* List = Grid->FilterDropDownCheck() ? static_cast<TCustomListBox*>(Grid->FilterDropCheckList())
                                                           : Grid->FilterDropList();
        List->Items()->Clear();
        for (const String& Entry : FilterList()) List->Items()->Add(Entry.substr(0, Entry.find(u'\t')));
        // The check list shows the column's chosen values ticked.
        if (!Grid->FilterDropDownCheck() || !Grid->Filter()->HasFilter(ACol)) return;
        TStringList Names;
        Names.SetDelimiter(u'|');
        Names.SetStrictDelimiter(true);
        Names.SetDelimitedText(Grid->Filter()->ColumnFilter(ACol)->FriendlyName());
        for (Integer i = 0; i < List->Count(); ++i)
            if (Names.IndexOf(List->Items()->Strings(i)) >= 0) Grid->FilterDropCheckList()->SetChecked(i, true);
    }
    // Ticks the entries of the open check list by their shown text, each
    // reported as the list reports a click.
    void Tick(std::initializer_list<const char16_t*> Texts) {
        TDropCheckList* List = Grid->FilterDropCheckList();
        for (const char16_t* Text : Texts) {
            const Integer i = List->Items()->IndexOf(Text);
            ASSERT_GE(i, 0) << Utf8(Text);
            List->SetItemIndex(i);
            List->SetChecked(i, !List->Checked(i));
            Grid->DoFilterCheck(i);
        }
    }
    // Column 2 of the rows left in view.
    std::vector<String> Shown() {
        std::vector<String> Out;
        for (Integer r = Grid->FixedRows(); r < Grid->RowCount(); ++r) Out.push_back(Grid->Cells(2, r));
        return Out;
    }
    String ColumnCondition(Integer ACol) {
        return Grid->Filter()->HasFilter(ACol) ? Grid->Filter()->ColumnFilter(ACol)->Condition() : u"<none>";
    }
};

const String Tab = u"\t";

TEST_F(FilterDropDownTest, ValueListOfAColumn) {
    struct TCase {
        const char* Name;
        std::vector<String> Values;
        std::function<void(TDropCore*)> Setup;
        std::vector<String> Want;
    };
    const TCase Cases[] = {
        {"numbers by value first, then natural order, case duplicates once",
         {u"b", u"10", u"a", u"9", u"B"}, nullptr, {u"(All)", u"9", u"10", u"a", u"b"}},
        {"no clear entry", {u"b", u"a"}, [](TDropCore* G) { G->SetFilterDropDownClear(u""); }, {u"a", u"b"}},
        {"a blank: shown text and quoted condition; an empty cell",
         {u"New York", u"", u"Say \"hi\" now", u"Oslo"},
         nullptr,
         {u"(All)", Tab + u"\"\"", u"New York" + Tab + u"\"New York\"", u"Oslo",
          u"Say \"hi\" now" + Tab + u"\"Say \"\"hi\"\" now\""}},
        {"literal method keeps the plain text", {u"New York"},
         [](TDropCore* G) { G->FilterDropDown()->SetMethod(fmLiteral); }, {u"(All)", u"New York"}},
        {"unsorted: as met", {u"b", u"10", u"a"}, [](TDropCore* G) { G->FilterDropDown()->SetSorted(false); },
         {u"(All)", u"b", u"10", u"a"}},
        {"markup taken off", {u"<b>x</b>", u"x"}, nullptr, {u"(All)", u"x"}},
        {"without automatic values nothing", {u"a"}, [](TDropCore* G) { G->SetFilterDropDownAuto(false); }, {}},
        {"check list: the check-all entry first", {u"b", u"a"},
         [](TDropCore* G) {
             G->SetFilterDropDownCheck(true);
             G->SetFilterDropDownCheckUnCheckAll(u"(Check all)");
         },
         {u"(Check all)", u"a", u"b"}},
    };
    for (const TCase& Case : Cases) {
        TearDown();
        SetUp();
        Fill(Case.Values);
        Grid->SetFilterDropDownAuto(true);
        if (Case.Setup) Case.Setup(Grid);
        EXPECT_EQ(Grid->DoGetColumnFilter(1), !Case.Want.empty()) << Case.Name;
        EXPECT_EQ(FilterList(), Case.Want) << Case.Name;
    }
}

TEST_F(FilterDropDownTest, ValueListStopsEarlyTakesHiddenRowsAndAsksTheHandler) {
    Fill({u"c", u"a", u"b"});
    Grid->SetFilterDropDownAuto(true);
    Grid->SetFilterDropDownClear(u"");
    EXPECT_TRUE(Grid->DoGetColumnFilter(1, true));
    EXPECT_EQ(FilterList(), std::vector<String>{u"c"});

    // Rows a filter level took out still offer their values, unless the
    // filter narrows incrementally; rows hidden by HideRows never.
    TIntList Rows(0, 0);
    Rows.Add(2);
    Grid->HideRowList(&Rows);
    Grid->HideRow(3); // "b": real row 3
    ASSERT_EQ(Grid->Cells(1, 1), u"c");
    Grid->DoGetColumnFilter(1);
    EXPECT_EQ(FilterList(), (std::vector<String>{u"a", u"c"}));
    Grid->SetFilterIncremental(true);
    Grid->DoGetColumnFilter(1);
    EXPECT_EQ(FilterList(), std::vector<String>{u"c"});
    Grid->SetFilterIncremental(false);

    Grid->OnGetColumnFilter = [](TObject*, Integer Column, TStrings* List) {
        List->Add(u"col " + IntToStr(Column));
    };
    EXPECT_TRUE(Grid->DoGetColumnFilter(1));
    EXPECT_EQ(FilterList(), (std::vector<String>{u"a", u"c", u"col 1"}));
    // A fixed column lists values only with fdAll; the handler still may.
    Grid->OnGetColumnFilter = nullptr;
    EXPECT_FALSE(Grid->DoGetColumnFilter(0));
    Grid->SetFilterDropDownColumns(fdAll);
    Grid->SetCells(0, 1, u"h");
    EXPECT_TRUE(Grid->DoGetColumnFilter(0));
}

TEST_F(FilterDropDownTest, CheckBoxColumnListsTheCheckTexts) {
    Fill({u"", u"", u"", u"", u""});
    Grid->AddCheckBoxColumn(1, false, true);
    // The picks below filter on "Y": the ticked rows stay in view and
    // still make a check-box column.
    for (Integer r : {1, 2, 4}) Grid->SetCheckBoxState(1, r, true);
    Grid->SetFilterDropDownAuto(true);
    Grid->FilterDropDown()->SetTextChecked(u"Checked");
    Grid->FilterDropDown()->SetTextUnChecked(u"Unchecked");
    Grid->DoGetColumnFilter(1);
    EXPECT_EQ(FilterList(), (std::vector<String>{u"(All)", u"Checked", u"Unchecked"}));

    Open(1);
    Grid->DoFilterSelect(1);
    EXPECT_EQ(ColumnCondition(1), u"Y");
    EXPECT_EQ(Grid->Filter()->ColumnFilter(1)->FriendlyName(), u"Checked");
    // The grid's own check texts stand for the check states.
    Grid->SetCheckFalse(u"no");
    Open(1);
    Grid->DoFilterSelect(2);
    EXPECT_EQ(ColumnCondition(1), u"no");
}

TEST_F(FilterDropDownTest, APickBecomesTheColumnsCondition) {
    struct TCase {
        const char* Name;
        const char16_t* Pick;  // the shown text picked in column 1
        bool MultiCol;
        String Want1, Want2;  // conditions of columns 1 and 2 afterwards
        String Friendly;
    };
    const TCase Cases[] = {
        {"a plain value", u"Oslo", true, u"Oslo", u"3", u"Oslo"},
        {"a value with a blank is quoted", u"New York", true, u"\"New York\"", u"3", u"New York"},
        {"an empty cell", u"", true, u"\"\"", u"3", u""},
        {"(All) removes the column's filter", u"(All)", true, u"<none>", u"3", u""},
        {"single column: other columns' filters go", u"Oslo", false, u"Oslo", u"<none>", u"Oslo"},
    };
    for (const TCase& Case : Cases) {
        TearDown();
        SetUp();
        Fill({u"Oslo", u"New York", u""});
        Grid->SetFilterDropDownAuto(true);
        Grid->SetAutoFilterUpdate(false);
        Grid->SetFilterDropDownMultiCol(Case.MultiCol);
        Grid->Filter()->ColumnFilter(1)->SetCondition(u"old");
        Grid->Filter()->ColumnFilter(2)->SetCondition(u"3");
        Open(1);
        const Integer Index = Grid->FilterDropList()->Items()->IndexOf(Case.Pick);
        ASSERT_GE(Index, 0) << Case.Name;
        Grid->DoFilterSelect(Index);
        EXPECT_EQ(ColumnCondition(1), Case.Want1) << Case.Name;
        EXPECT_EQ(ColumnCondition(2), Case.Want2) << Case.Name;
        if (Grid->Filter()->HasFilter(1)) {
            EXPECT_EQ(Grid->Filter()->ColumnFilter(1)->FriendlyName(), Case.Friendly) << Case.Name;
        }
        EXPECT_EQ(Grid->FilterCol(), -1) << Case.Name;
    }
}

TEST_F(FilterDropDownTest, PicksOutsideTheListOrWithoutAnOpenColumnDoNothing) {
    Fill({u"a", u"b"});
    Grid->SetFilterDropDownAuto(true);
    Grid->SetAutoFilterUpdate(false);
    for (Integer Col : {-1, 1, 7}) {
        for (Integer Index : {-1, 3}) {
            Grid->SetFilterCol(Col);
            Grid->DoFilterSelect(Col == 1 ? Index : 1);
            EXPECT_EQ(Grid->Filter()->Count(), 0) << Col << " " << Index;
            EXPECT_EQ(Grid->FilterCol(), -1);
        }
    }
    Grid->SetFilterCol(-1);
    Grid->DoFilterCheck(0);
    EXPECT_EQ(Grid->Filter()->Count(), 0);
}

TEST_F(FilterDropDownTest, HandlerChangesThePickedCondition) {
    Fill({u"a", u"b"});
    Grid->SetFilterDropDownAuto(true);
    Grid->SetAutoFilterUpdate(false);
    Grid->OnFilterSelect = [](TObject*, Integer Column, Integer ItemIndex, const String& Friendly, String& Cond) {
        Cond = Friendly + u"&" + IntToStr(Column) + IntToStr(ItemIndex);
    };
    Open(1);
    Grid->DoFilterSelect(2);
    // Expression conditions with "&" are quoted after the handler.
    EXPECT_EQ(ColumnCondition(1), u"\"b&12\"");
}

TEST_F(FilterDropDownTest, TicksBecomeOneConditionOfAlternatives) {
    struct TCase {
        const char* Name;
        std::initializer_list<const char16_t*> Ticks;
        String Want;  // column 1's condition, or <none>
        String Friendly;
    };
    const TCase Cases[] = {
        {"two ticks", {u"a", u"b"}, u"a|b", u"a|b"},
        {"a blank and an empty cell", {u"New York", u""}, u"\"\"|\"New York\"", u"|New York"},
        {"every value ticked: no filter", {u"a", u"b", u"New York", u""}, u"<none>", u""},
        {"ticked and unticked again", {u"a", u"a"}, u"<none>", u""},
        {"check-all ticks everything: no filter", {u"(Check all)"}, u"<none>", u""},
        {"check-all, then one unticked", {u"(Check all)", u"b"}, u"\"\"|a|\"New York\"", u"|a|New York"},
    };
    for (const TCase& Case : Cases) {
        TearDown();
        SetUp();
        Fill({u"a", u"b", u"New York", u""});
        Grid->SetFilterDropDownAuto(true);
        Grid->SetFilterDropDownCheck(true);
        Grid->SetFilterDropDownCheckUnCheckAll(u"(Check all)");
        Grid->Filter()->ColumnFilter(1)->SetCondition(u"old");
        Open(1);
        Tick(Case.Ticks);
        ASSERT_LE(Grid->Filter()->Count(), 1) << Case.Name;
        EXPECT_EQ(ColumnCondition(1), Case.Want) << Case.Name;
        if (Grid->Filter()->HasFilter(1)) {
            TFilterData* Item = Grid->Filter()->ColumnFilter(1);
            EXPECT_EQ(Item->FriendlyName(), Case.Friendly) << Case.Name;
            EXPECT_EQ(Item->Method(), fmExpression) << Case.Name;
            EXPECT_EQ(Item->Operation(), foNONE) << Case.Name;
            EXPECT_FALSE(Item->CaseSensitive()) << Case.Name;
        }
        EXPECT_EQ(Grid->FilterActive(), Grid->Filter()->Count() > 0) << Case.Name;
    }
}

TEST_F(FilterDropDownTest, TicksKeepOtherColumnsAndFollowTheHandlers) {
    Fill({u"a", u"b", u"c"});
    Grid->SetFilterDropDownAuto(true);
    Grid->SetFilterDropDownCheck(true);
    Grid->Filter()->ColumnFilter(2)->SetCondition(u"1");
    std::vector<String> Seen;
    Grid->OnFilterCheckMouseDown = [&](TObject*, Integer Col, Integer Index, bool State, TCheckListBox*) {
        Seen.push_back(u"down " + IntToStr(Col) + u" " + IntToStr(Index) + (State ? u" on" : u" off"));
    };
    Grid->OnFilterCheckClick = [&](TObject*, Integer, Integer Index, bool, TCheckListBox*) {
        Seen.push_back(u"click " + IntToStr(Index));
    };
    Grid->OnFilterCheck = [](TObject*, Integer, Integer, const String&, String& Cond, TCheckListBox*) {
        Cond = u"<" + Cond;
    };
    Open(1);
    Tick({u"b"});
    EXPECT_EQ(Seen, (std::vector<String>{u"down 1 1 on", u"click 1"}));
    ASSERT_EQ(Grid->Filter()->Count(), 2);
    EXPECT_EQ(ColumnCondition(2), u"1");
    EXPECT_EQ(ColumnCondition(1), u"<b");
    EXPECT_EQ(Grid->Filter()->ColumnFilter(1)->Operation(), foAND);
    // Markup in a condition matches literally.
    Grid->OnFilterCheck = [](TObject*, Integer, Integer, const String&, String& Cond, TCheckListBox*) {
        Cond = u"</b>" + Cond;
    };
    Tick({u"a"});
    EXPECT_EQ(ColumnCondition(1), u"</b>a|</b>b");
    EXPECT_EQ(Grid->Filter()->ColumnFilter(1)->Method(), fmLiteral);
}

TEST_F(FilterDropDownTest, ThePopUpListsReportKeysMouseAndLostCapture) {
    auto& Input = static_cast<THeadlessBackend&>(Backend());
    Grid->SetBounds(0, 0, 400, 300);
    Show();
    std::vector<String> Seen;
    TDropList* List = Grid->FilterDropList();
    TDropCheckList* Checks = Grid->FilterDropCheckList();
    for (TCustomListBox* L : {static_cast<TCustomListBox*>(List), static_cast<TCustomListBox*>(Checks)})
        L->Items()->SetCommaText(u"a,b,c");
    List->OnSelect = [&](TObject*, Integer Index) { Seen.push_back(u"select " + IntToStr(Index)); };
    List->OnClose = [&](TObject*) { Seen.push_back(u"close"); };
    Checks->OnSelect = [&](TObject*, Integer Index) { Seen.push_back(u"tick " + IntToStr(Index)); };
    Checks->OnClose = [&](TObject*) { Seen.push_back(u"close"); };
    auto Open = [&](TCustomListBox* L) {
        L->SetBounds(50, 40, 100, 80);
        L->Show();
        L->SetFocus();
        L->SetItemIndex(1);
        Pump();
    };

    Open(List);
    Input.TypeKey(VK_DOWN);
    Input.TypeKey(VK_RETURN);
    Pump();
    EXPECT_FALSE(List->Visible());
    Open(List);
    Input.TypeKey(VK_ESCAPE);
    Pump();
    EXPECT_FALSE(List->Visible());
    Open(List);
    const TPoint At = List->ClientToScreen({20, (List->ItemRect(0).Top + List->ItemRect(0).Bottom) / 2});
    Input.Click(At.X, At.Y);
    Pump();
    EXPECT_FALSE(List->Visible());
    EXPECT_EQ(Seen, (std::vector<String>{u"select 2", u"close", u"select 0"}));

    Seen.clear();
    Open(Checks);
    Input.TypeKey(VK_SPACE);
    Pump();
    EXPECT_TRUE(Checks->Checked(1));
    EXPECT_TRUE(Checks->Visible()) << "a tick keeps the list open";
    Input.TypeKey(VK_ESCAPE);
    Pump();
    EXPECT_FALSE(Checks->Visible());
    EXPECT_EQ(Seen, (std::vector<String>{u"tick 1", u"close"}));
}

TEST_F(FilterDropDownTest, LosingTheCaptureAwayFromTheListClosesTheColumnsFilter) {
    Grid->SetBounds(0, 0, 400, 300);
    Show();
    std::vector<Integer> Closed;
    Grid->OnFilterClose = [&](TObject*, Integer ACol) { Closed.push_back(ACol); };
    struct TCase {
        const char* Name;
        TPoint Cursor;  // grid client point
        bool Closes;
    };
    const TCase Cases[] = {
        {"on the list", {60, 60}, false},
        {"on the filter button above it", {60, 25}, false},
        {"higher up", {60, 15}, true},
        {"beside it", {200, 60}, true},
    };
    for (TCustomListBox* L : {static_cast<TCustomListBox*>(Grid->FilterDropList()),
                              static_cast<TCustomListBox*>(Grid->FilterDropCheckList())}) {
        for (const TCase& Case : Cases) {
            Closed.clear();
            Grid->SetFilterCol(2);
            L->SetBounds(50, 40, 100, 80);
            L->Show();
            const TPoint Screen = Grid->ClientToScreen(Case.Cursor);
            SetCursorPos(Screen.X, Screen.Y);
            Pump();
            L->Perform(WM_CANCELMODE, 0, 0);
            EXPECT_EQ(L->Visible(), !Case.Closes) << Case.Name;
            EXPECT_EQ(Closed, Case.Closes ? std::vector<Integer>{2} : std::vector<Integer>{}) << Case.Name;
            EXPECT_EQ(Grid->FilterCol(), Case.Closes ? -1 : 2) << Case.Name;
        }
    }
}

TEST_F(FilterDropDownTest, FilterRowMustBeAFixedRow) {
    Grid->SetRowCount(5);
    Grid->SetFixedRows(2);
    Grid->SetFilterDropDownRow(1);
    for (Integer Refused : {2, 4, -1}) {
        Grid->SetFilterDropDownRow(Refused);
        EXPECT_EQ(Grid->FilterDropDownRow(), 1) << Refused;
    }
}

TEST_F(FilterDropDownTest, SwitchingTheFilterEditRowClearsItAndRestoresTheHeaders) {
    Fill({u"a", u"b"});
    Grid->ColumnHeaders()->SetCommaText(u"No,Name,Row");
    Grid->FilterEdit()->SetEnabled(true);
    EXPECT_EQ(Grid->Cells(1, 0), u"") << "switched on, the row is emptied";
    Grid->SetCells(1, 0, u"typed");
    Grid->Filter()->ColumnFilter(1)->SetCondition(u"a*");
    Grid->FilterEdit()->SetEnabled(false);
    EXPECT_EQ(Grid->Filter()->Count(), 0);
    EXPECT_FALSE(Grid->FilterActive());
    for (Integer c = 0; c < 3; ++c) EXPECT_EQ(Grid->Cells(c, 0), Grid->ColumnHeaders()->Strings(c)) << c;
    EXPECT_EQ(Grid->Cells(1, 1), u"a") << "normal rows stay";
    // Assigning settings copies them without side effects.
    TFilterEdit Copy;
    Copy.SetEnabled(true);
    Grid->SetFilterEdit(&Copy);
    EXPECT_TRUE(Grid->FilterEdit()->Enabled());
    EXPECT_EQ(Grid->Cells(1, 0), u"Name");
}

TEST_F(FilterDropDownTest, PicksAndTicksFilterTheRows) {
    struct TCase {
        const char* Name;
        bool Check;
        std::initializer_list<const char16_t*> Picks;  // shown texts, in order
        std::vector<String> Want;                      // rows left
    };
    const TCase Cases[] = {
        {"one value with a blank, exactly", false, {u"New York"}, {u"1", u"4"}},
        {"an empty cell", false, {u""}, {u"5"}},
        {"(All) shows every row again", false, {u"Oslo", u"(All)"}, {u"1", u"2", u"3", u"4", u"5"}},
        {"a new pick replaces the column's", false, {u"Oslo", u"New York City"}, {u"3"}},
        {"two ticks", true, {u"Oslo", u"New York"}, {u"1", u"2", u"4"}},
        {"every tick: all rows", true, {u"Oslo", u"New York", u"New York City", u""}, {u"1", u"2", u"3", u"4", u"5"}},
    };
    for (const TCase& Case : Cases) {
        TearDown();
        SetUp();
        Fill({u"New York", u"Oslo", u"New York City", u"New York", u""});
        Grid->SetFilterDropDownAuto(true);
        Grid->SetFilterDropDownCheck(Case.Check);
        for (const char16_t* Pick : Case.Picks) {
            Open(1);
            if (Case.Check) {
                Tick({Pick});
            } else {
                Grid->DoFilterSelect(Grid->FilterDropList()->Items()->IndexOf(Pick));
            }
        }
        EXPECT_EQ(Shown(), Case.Want) << Case.Name;
        EXPECT_EQ(Grid->Row(), 1) << Case.Name;
    }
}

TEST_F(FilterDropDownTest, CheckBoxColumnFiltersOnTheCheckText) {
    Fill({u"a", u"b", u"c", u"d", u"e"});
    Grid->AddCheckBoxColumn(1, false, true);
    for (Integer r : {2, 4}) Grid->SetCheckBoxState(1, r, true);
    Grid->SetFilterDropDownAuto(true);
    Grid->FilterDropDown()->SetTextChecked(u"Checked");
    Grid->FilterDropDown()->SetTextUnChecked(u"Unchecked");
    Open(1);
    Grid->DoFilterSelect(Grid->FilterDropList()->Items()->IndexOf(u"Checked"));
    EXPECT_EQ(ColumnCondition(1), u"Y");
    EXPECT_EQ(Shown(), (std::vector<String>{u"2", u"4"}));
    Open(1);
    Grid->DoFilterSelect(Grid->FilterDropList()->Items()->IndexOf(u"Unchecked"));
    EXPECT_EQ(ColumnCondition(1), u"N");
    EXPECT_EQ(Shown(), (std::vector<String>{u"1", u"3", u"5"}));
}

TEST_F(FilterDropDownTest, FilterEditCellBecomesTheColumnsCondition) {
    struct TCase {
        const char* Name;
        const char16_t* Typed;
        TFilterType Kind;
        String WantCondition;
        TFilterType WantKind;
        std::vector<String> Want;
    };
    const TCase Cases[] = {
        {"contains for a new condition", u"sl", ftNone, u"*sl*", ftContains, {u"2"}},
        {"starts with", u"New", ftStartsWith, u"New*", ftStartsWith, {u"1", u"3", u"4"}},
        {"a blank is quoted", u"New York", ftEqual, u"\"New York\"", ftEqual, {u"1", u"4"}},
        {"not equal", u"Oslo", ftNotEqual, u"!Oslo", ftNotEqual, {u"1", u"3", u"4", u"5"}},
        {"clear empties the cell: no filter", u"Oslo", ftClear, u"**", ftContains, {u"1", u"2", u"3", u"4", u"5"}},
    };
    Integer Done = 0;
    for (const TCase& Case : Cases) {
        TearDown();
        SetUp();
        Fill({u"New York", u"Oslo", u"New York City", u"New York", u""});
        Grid->FilterEdit()->SetEnabled(true);
        Grid->FilterEdit()->SetCaseSensitive(false);
        Grid->SetCells(1, 0, Case.Typed);
        Done = 0;
        Grid->OnFilterDone = [&](TObject*) { ++Done; };
        Grid->ApplyFilterEdit(1, Case.Kind);
        TFilterData* Item = Grid->Filter()->ColumnFilter(1);
        EXPECT_EQ(Item->Condition(), Case.WantCondition) << Case.Name;
        EXPECT_EQ(Item->FilterType(), Case.WantKind) << Case.Name;
        EXPECT_FALSE(Item->CaseSensitive()) << Case.Name;
        EXPECT_EQ(Shown(), Case.Want) << Case.Name;
        EXPECT_TRUE(Grid->FilterActive()) << Case.Name;
        EXPECT_EQ(Done, 1) << Case.Name;
    }
    // A later edit keeps the column's kind when none is chosen.
    Grid->SetCells(1, 0, u"York");
    Grid->ApplyFilterEdit(1, ftEndsWith);
    Grid->SetCells(1, 0, u"City");
    Grid->ApplyFilterEdit(1, ftNone);
    EXPECT_EQ(Grid->Filter()->ColumnFilter(1)->Condition(), u"*City");
    EXPECT_EQ(Shown(), std::vector<String>{u"3"});
}

TEST_F(FilterDropDownTest, FilterEditHandlerDefersTheFilterToAPostedMessage) {
    Fill({u"New York", u"Oslo"});
    Grid->FilterEdit()->SetEnabled(true);
    Show();
    MSG Stale;
    while (PeekMessage(Stale, Grid->Handle(), WM_FILTEREDITUPDATE(), WM_FILTEREDITUPDATE(), PM_REMOVE)) {
    }
    std::vector<String> Seen;
    Grid->OnFilterEditUpdate = [&](TObject* Sender, Integer ACol, const String& Condition, TFilterType Kind) {
        Seen.push_back(IntToStr(ACol) + u" " + Condition + u" " + IntToStr(Integer(Kind)));
        static_cast<TDropCore*>(Sender)->DoAutoEditFilter = false;
    };
    Grid->SetCells(1, 0, u"Oslo");
    Grid->ApplyFilterEdit(1, ftEqual);
    EXPECT_EQ(Seen, std::vector<String>{u"1 Oslo 4"});
    EXPECT_FALSE(Grid->FilterActive());
    EXPECT_EQ(Shown(), (std::vector<String>{u"1", u"2"}));
    EXPECT_EQ(Grid->Filter()->ColumnFilter(1)->Condition(), u"Oslo") << "the condition waits in the filter";
    MSG Posted;
    ASSERT_TRUE(PeekMessage(Posted, Grid->Handle(), WM_FILTEREDITUPDATE(), WM_FILTEREDITUPDATE(), PM_REMOVE));
    EXPECT_FALSE(PeekMessage(Posted, Grid->Handle(), WM_FILTEREDITUPDATE(), WM_FILTEREDITUPDATE(), PM_REMOVE));
    EXPECT_EQ(Grid->FilterEditCol(), 1);
    EXPECT_EQ(Grid->FilterEditCondition(), u"Oslo");
    EXPECT_EQ(Grid->FilterEditType(), ftEqual);
}

} // namespace

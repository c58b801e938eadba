// The column grid keeps one item per column through count changes, moves,
// hidden columns, insertion, removal, header texts, user and DPI widths, and
// opens column pop-up menus.

#include "ColumnGridTestSupport.h"

#include "rtl/ClassBuilder.h"
#include "rtl/Convert.h"
#include "vcl/Menus.h"

namespace {

TGridColumnItem* Item(TVarErozidOvur* G, Integer i) { return G->Columns()->Items(i); }

// A pop-up menu that records where it would open.
class TRecordingPopup : public TPopupMenu {
public:
    using TPopupMenu::TPopupMenu;
    void Popup(Integer X, Integer Y) override {
        ++Opened;
        At = TPoint{X, Y};
    }
    Integer Opened = 0;
    TPoint At{};
};

// A layout owner whose published handlers the grid's events bind to by name.
class TGridEventSink : public TComponent {
    RTL_CLASS(TGridEventSink)
public:
    explicit TGridEventSink(TComponent* AOwner) : TComponent(AOwner) {}
    void GridRowChanging(TObject*, Integer OldRow, Integer NewRow, bool& Allow) {
        Rows.emplace_back(OldRow, NewRow);
        Allow = NewRow != 3;
    }
    void GridColChanging(TObject*, Integer OldCol, Integer NewCol, bool& Allow) {
        Cols.emplace_back(OldCol, NewCol);
        Allow = NewCol != 2;
    }
    void GridHint(TObject*, Integer ARow, Integer ACol, String& HintStr) {
        HintStr = u"r" + IntToStr(ARow) + u"c" + IntToStr(ACol);
    }
    std::vector<std::pair<Integer, Integer>> Rows, Cols;
};

} // namespace

const TClassInfo& TGridEventSink::StaticClassInfo() {
    using C = TGridEventSink;
    static const TClassInfo Info = TClassBuilder<C, TComponent>()
                                       .Method(u"GridRowChanging", &C::GridRowChanging)
                                       .Method(u"GridColChanging", &C::GridColChanging)
                                       .Method(u"GridHint", &C::GridHint)
                                       .Build();
    return Info;
}

TEST_F(ColumnGridTest, RowColumnChangingAndHintEventsBindByNameFromALayout) {
    Grid->SetColCount(4);
    Grid->SetRowCount(5);
    auto* Sink = Create<TGridEventSink>(Form);
    const std::pair<const char16_t*, const char16_t*> Bindings[] = {
        {u"OnRowChanging", u"GridRowChanging"}, {u"OnColChanging", u"GridColChanging"}, {u"OnGridHint", u"GridHint"}};
    for (const auto& [Event, Handler] : Bindings) {
        SetMethodProp(Grid, FindPropInfo(Grid, Event), TMethod{Sink, Handler, true});
        EXPECT_EQ(GetMethodProp(Grid, FindPropInfo(Grid, Event)).Name, Handler);
    }
    // The hint handler's signature is not a changing event's.
    EXPECT_THROW(SetMethodProp(Grid, FindPropInfo(Grid, u"OnRowChanging"), TMethod{Sink, u"GridHint", true}),
                 EPropertyConvertError);

    Grid->SetRow(2);
    Grid->SetRow(3);
    EXPECT_EQ(Grid->Row(), 2);
    EXPECT_EQ(Sink->Rows, (std::vector<std::pair<Integer, Integer>>{{1, 2}, {2, 3}}));
    Grid->SetCol(3);
    Grid->SetCol(2);
    EXPECT_EQ(Grid->Col(), 3);
    EXPECT_EQ(Sink->Cols, (std::vector<std::pair<Integer, Integer>>{{1, 3}, {3, 2}}));
    String WideHint, Hint;
    Grid->DoGetCellHint(2, 4, WideHint, Hint);
    EXPECT_EQ(Hint, u"r4c2");
}

TEST_F(ColumnGridTest, AMovedColumnCarriesItsItem) {
    Grid->SetColCount(5);
    for (Integer i = 0; i < 5; ++i) Item(Grid, i)->SetName(String(1, Char(u'A' + i)));
    Item(Grid, 1)->SetEditMask(u"90-LLL-0000");
    Item(Grid, 1)->SetAlignment(taRightJustify);
    std::vector<std::pair<Integer, Integer>> Moves;
    Grid->OnAfterColumnMoved = [&](TObject*, Integer From, Integer To) { Moves.emplace_back(From, To); };
    Grid->MoveColumn(1, 3);
    ASSERT_EQ(Grid->Columns()->Count(), 5);
    const String Expected[] = {u"A", u"C", u"D", u"B", u"E"};
    for (Integer i = 0; i < 5; ++i) EXPECT_EQ(Item(Grid, i)->Name(), Expected[i]);
    EXPECT_EQ(Item(Grid, 3)->EditMask(), u"90-LLL-0000");
    EXPECT_EQ(Item(Grid, 3)->Alignment(), taRightJustify);
    EXPECT_EQ(Moves, (std::vector<std::pair<Integer, Integer>>{{1, 3}}));
}

TEST_F(ColumnGridTest, ItemsFollowHiddenInsertedAndRemovedColumns) {
    Grid->SetColCount(4);
    Grid->HideColumn(2);
    EXPECT_EQ(Grid->ColCount(), 3);
    EXPECT_EQ(Grid->Columns()->Count(), 4);
    Item(Grid, 3)->SetEditor(edFloat);
    Grid->SetColCount(Grid->ColCount() + 2);
    ASSERT_EQ(Grid->Columns()->Count(), 6);
    EXPECT_EQ(Item(Grid, 4)->Editor(), edFloat);
    EXPECT_EQ(Item(Grid, 5)->Editor(), edFloat);
    Grid->UnHideColumnsAll();

    // Inserted items start with their initial settings.
    Grid->InsertCols(1, 2);
    ASSERT_EQ(Grid->Columns()->Count(), 8);
    EXPECT_EQ(Item(Grid, 1)->Editor(), edNormal);
    EXPECT_EQ(Item(Grid, 6)->Editor(), edFloat);
    Item(Grid, 1)->SetName(u"gone");
    Grid->RemoveCols(1, 2);
    EXPECT_EQ(Grid->ColCount(), 6);
    ASSERT_EQ(Grid->Columns()->Count(), 6);
    EXPECT_EQ(Grid->ColumnByName(u"gone"), nullptr);
}

TEST_F(ColumnGridTest, HeadersGoBetweenItemsRowZeroAndColumnHeaders) {
    Grid->SetColCount(3);
    TStringList Lines;
    Lines.Add(u"Name");
    Lines.Add(u"Depth");
    Lines.Add(u"Rate");
    Grid->SetColumnHeaders(&Lines);
    EXPECT_EQ(Item(Grid, 0)->Header(), u"Name");
    EXPECT_EQ(Item(Grid, 1)->Header(), u"Depth");
    EXPECT_EQ(Item(Grid, 2)->Header(), u"Rate");

    // The setter writes row 0 of the item's own column: cells keep their
    // real column, so a hidden column's header comes back with it.
    Grid->SetColCount(4);
    Grid->HideColumn(1);
    Item(Grid, 2)->SetHeader(u"Rate2");
    EXPECT_EQ(Grid->Cells(2, 0), u"Rate2");
    EXPECT_EQ(Grid->RealCells(1, 0), u"Rate2");
    Item(Grid, 1)->SetHeader(u"Hidden");
    EXPECT_EQ(Grid->RealCells(1, 0), u"Rate2");
    ASSERT_EQ(Grid->ColumnHeaders()->Count(), 4);
    EXPECT_EQ(Grid->ColumnHeaders()->Strings(1), u"Hidden");
    EXPECT_EQ(Grid->ColumnHeaders()->Strings(2), u"Rate2");

    Grid->UnHideColumnsAll();
    EXPECT_EQ(Grid->RealCells(1, 0), u"Hidden");
    // An item without a header takes its column's row 0 text.
    Grid->SetCells(3, 0, u"Fourth");
    Grid->SyncColumnHeaders();
    EXPECT_EQ(Item(Grid, 3)->Header(), u"Fourth");
}

TEST_F(ColumnGridTest, ColumnPopupMenusOpenByTypeAndRow) {
    Show();
    auto* Menu = Create<TRecordingPopup>(Form);
    auto* Other = Create<TRecordingPopup>(Form);
    std::vector<std::pair<Integer, Integer>> Events;
    Grid->OnColumnPopup = [&](TObject*, Integer C, Integer R, TPopupMenu* M) {
        EXPECT_EQ(M, Menu);
        Events.emplace_back(C, R);
    };
    struct Case {
        TColumnPopupType Type;
        TMouseButton Button;
        Integer Row;
        bool Event, Opens;
    };
    const Case Cases[] = {
        {cpFixedCellsRClick, mbRight, 0, true, true},   {cpFixedCellsRClick, mbRight, 2, true, false},
        {cpFixedCellsRClick, mbLeft, 0, false, false},  {cpNormalCellsLClick, mbLeft, 2, true, true},
        {cpNormalCellsLClick, mbLeft, 0, true, false},  {cpAllCellsRClick, mbRight, 0, true, true},
        {cpAllCellsRClick, mbRight, 2, true, true},     {cpAllCellsLClick, mbRight, 2, false, false},
    };
    for (const Case& C : Cases) {
        Item(Grid, 2)->SetColumnPopup(Menu);
        Item(Grid, 2)->SetColumnPopupType(C.Type);
        Events.clear();
        Menu->Opened = 0;
        const TRect R = Grid->CellRect(2, C.Row);
        Grid->MouseDown(C.Button, TShiftState{}, R.Left + 3, R.Top + 3);
        EXPECT_EQ(!Events.empty(), C.Event) << C.Type << " row " << C.Row;
        EXPECT_EQ(Menu->Opened, C.Opens ? 1 : 0) << C.Type << " row " << C.Row;
        if (C.Opens) {
            EXPECT_EQ(Menu->At, Grid->ClientToScreen(TPoint{R.Left, R.Bottom}));
        }
    }
    // Removing a menu clears it from every column that uses it.
    Item(Grid, 1)->SetColumnPopup(Menu);
    Item(Grid, 3)->SetColumnPopup(Other);
    Menu->FreeNotification(Grid);
    Free(Menu);
    EXPECT_EQ(Item(Grid, 1)->ColumnPopup(), nullptr);
    EXPECT_EQ(Item(Grid, 2)->ColumnPopup(), nullptr);
    EXPECT_EQ(Item(Grid, 3)->ColumnPopup(), Other);
}

TEST_F(ColumnGridTest, UserWidthsAreStoredAndDPIChangesRescaleLoadedGrids) {
    Grid->SetColCount(3);
    Grid->SetColWidths(1, 50);
    Grid->SetColWidths(2, 75);
    EXPECT_EQ(Item(Grid, 2)->StoredWidth(), 75);

    auto* Loaded = Create<TTestColumnGrid>(Form);
    Loaded->IncludeComponentState(TComponentState{csLoading});
    Loaded->SetParent(Form);
    Show();
    Loaded->SetColCount(3);
    Loaded->Loaded();
    Loaded->SetColWidths(1, 50);
    Loaded->SetColWidths(2, 75);
    Loaded->ChangeScale(144, 96);
    EXPECT_EQ(Loaded->ColWidths(1), 75);
    EXPECT_EQ(Loaded->ColWidths(2), 113);
    EXPECT_EQ(Loaded->Columns()->Items(2)->Width(), 113);
    // Loading gave every item its default position.
    for (Integer i = 0; i < 3; ++i) EXPECT_EQ(Loaded->Columns()->Items(i)->DefIdx(), i);
}

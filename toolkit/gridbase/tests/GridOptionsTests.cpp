// The option objects: defaults, setter side effects and Assign.

#include "BaseGridTestSupport.h"
#include "gridbase/GridOptions.h"

namespace {

TEST(GridOptions, SearchFooterCaptionsAndNotifications) {
    TSearchFooter Plain(nullptr, false), Design(nullptr, true);
    EXPECT_EQ(Plain.FindNextCaption(), u"");
    EXPECT_EQ(Plain.HintHighlight(), u"");
    EXPECT_EQ(Design.FindNextCaption(), u"Find &next");
    EXPECT_EQ(Design.FindPrevCaption(), u"Find &previous");
    EXPECT_EQ(Design.HintFindPrev(), u"Find previous occurrence");
    EXPECT_EQ(Design.ResultFormat(), u"(%d of %d)");
    EXPECT_EQ(Design.SearchColumn(), -1);
    EXPECT_TRUE(Design.AutoSearch());
    EXPECT_TRUE(Design.IgnoreHTML());

    Integer Changes = 0;
    Design.OnChange = [&](TObject*) { ++Changes; };
    Design.SetVisible(false); // unchanged: no notification
    Design.SetVisible(true);
    Design.SetColor(Design.Color()); // always notifies
    Design.SetSearchColumn(3);      // plain
    Design.Font()->SetSize(14);     // a change of the font notifies
    EXPECT_EQ(Changes, 3);
    Design.SetLastSearch(u"abc");
    Design.SetAutoSearch(false);
    EXPECT_EQ(Design.LastSearch(), u"");

    // Assign keeps AutoSearch, SearchFixedCells and AutoThemeAdapt, and is silent.
    Plain.SetSearchFixedCells(true);
    Plain.SetAutoThemeAdapt(true);
    Changes = 0;
    Plain.OnChange = [&](TObject*) { ++Changes; };
    Plain.Assign(&Design);
    EXPECT_EQ(Changes, 0);
    EXPECT_EQ(Plain.FindNextCaption(), u"Find &next");
    EXPECT_EQ(Plain.SearchColumn(), 3);
    EXPECT_TRUE(Plain.AutoSearch());
    EXPECT_TRUE(Plain.SearchFixedCells());
    EXPECT_TRUE(Plain.AutoThemeAdapt());
    EXPECT_EQ(Plain.Font()->Size(), 14);
}

TEST(GridOptions, NavigationDefaultsAndSideEffects) {
    TNavigation Navigation;
    const TNavigationSettings& S = Navigation.Settings();
    EXPECT_TRUE(S.AdvanceOnEnterLoop);
    EXPECT_TRUE(S.SkipDisabledRows);
    EXPECT_FALSE(S.AllowInsertRow);
    EXPECT_FALSE(S.TabToNextAtEnd);
    EXPECT_EQ(S.HomeEndKey, heFirstLastColumn);
    EXPECT_EQ(S.ClipboardPasteAction, paReplace);

    Integer Changes = 0;
    Navigation.OnChange = [&](TObject*) { ++Changes; };
    Navigation.SetAdvanceAuto(true);
    EXPECT_TRUE(Navigation.AdvanceOnEnter());
    Navigation.SetAdvanceOnEnter(false);
    Navigation.SetAdvanceAuto(false);
    EXPECT_FALSE(Navigation.AdvanceOnEnter()); // turning it off leaves AdvanceOnEnter alone
    Navigation.SetAdvanceDirection(adTopBottom);
    Navigation.SetAdvanceDirection(adTopBottom);
    Navigation.SetAdvanceInsert(true);
    EXPECT_EQ(Changes, 2);

    TNavigation Copy;
    Copy.PlainSettings().KeepScrollOnSort = true;
    Navigation.PlainSettings().AllowInsertRow = true;
    Copy.Assign(&Navigation);
    EXPECT_TRUE(Copy.Settings().AllowInsertRow);
    EXPECT_EQ(Copy.AdvanceDirection(), adTopBottom);
    EXPECT_TRUE(Copy.Settings().KeepScrollOnSort); // not copied
}

TEST(GridOptions, MouseActionsSideEffects) {
    TMouseActions Mouse(nullptr);
    EXPECT_TRUE(Mouse.Settings().AutoSizeColOnDblClick);
    EXPECT_EQ(Mouse.Settings().WheelAction, waMoveSelection);
    Integer Invalidates = 0, Disables = 0, Changes = 0;
    bool Designing = false;
    Mouse.OnInvalidate = [&](TObject*) { ++Invalidates; };
    Mouse.OnDisableEdit = [&](TObject*) { ++Disables; };
    Mouse.OnChange = [&](TObject*) { ++Changes; };
    Mouse.OnIsDesigning = [&](TObject*, bool& IsDesigning) { IsDesigning = Designing; };

    Mouse.SetHotmailRowSelect(true);
    EXPECT_TRUE(Mouse.DisjunctRowSelect());
    EXPECT_TRUE(Mouse.CheckAllCheck());
    Mouse.SetHotmailRowSelect(false); // still invalidates
    EXPECT_EQ(Invalidates, 2);
    Mouse.SetEditOnDblClickOnly(false);
    Mouse.SetEditOnDblClickOnly(true);
    EXPECT_EQ(Disables, 1);
    Mouse.SetWheelAction(waScroll);
    Mouse.SetWheelAction(waScroll);
    EXPECT_EQ(Changes, 1);

    // At run time the disjunct selections combine; at design time they exclude each other.
    Mouse.SetDisjunctCellSelect(true);
    Mouse.SetDisjunctColSelect(true);
    EXPECT_TRUE(Mouse.DisjunctRowSelect());
    EXPECT_TRUE(Mouse.DisjunctCellSelect());
    Designing = true;
    Mouse.SetDisjunctColSelect(true);
    EXPECT_FALSE(Mouse.DisjunctRowSelect());
    EXPECT_FALSE(Mouse.DisjunctCellSelect());

    TMouseActions Copy(nullptr);
    Mouse.FixedComboValues()->Add(u"a");
    Copy.Assign(&Mouse);
    EXPECT_TRUE(Copy.DisjunctColSelect());
    EXPECT_FALSE(Copy.HotmailRowSelect());
    EXPECT_EQ(Copy.FixedComboValues()->Count(), 0);
}

TEST(GridOptions, BandsNotifyOnlyWhileActive) {
    TBands Bands;
    Integer Changes = 0;
    Bands.OnChange = [&](TObject*) { ++Changes; };
    Bands.SetPrimaryColor(0x00FF00);
    EXPECT_EQ(Changes, 0);
    Bands.SetActive(true);
    EXPECT_EQ(Changes, 1);
    Bands.SetPrimaryLength(2);
    EXPECT_EQ(Changes, 2);
    const TColor Expected[] = {0x00FF00, 0x00FF00, clWindow, 0x00FF00, 0x00FF00};
    for (Integer Row = 0; Row < 5; ++Row)
        EXPECT_EQ(Bands.BandColor(Row), Expected[Row]) << Row;
    TBands Other;
    Other.SetPrimaryLength(1);
    Other.SetSecondaryLength(3);
    Bands.Assign(&Other);
    EXPECT_EQ(Bands.BandColor(1), clWindow);
    EXPECT_EQ(Bands.BandColor(4), clInfoBk);
    EXPECT_FALSE(Bands.Active());
}

TEST_F(BaseGridTest, SyncGridIgnoresItsOwnerAndFocusWindowIsAToolPopup) {
    TSyncGrid Sync(Grid);
    auto* Other = new TStringGrid(Form);
    Sync.SetGrid(Other);
    Sync.SetGrid(Grid);
    EXPECT_EQ(Sync.Grid(), Other);
    TSyncGrid Copy(Other); // its own grid cannot be taken over
    Sync.SetMoveRow(true);
    Copy.Assign(&Sync);
    EXPECT_EQ(Copy.Grid(), nullptr);
    EXPECT_TRUE(Copy.MoveRow());

    auto* Focus = new TGridFocusWindow(Form);
    EXPECT_EQ(Focus->Width(), 0);
    EXPECT_EQ(Focus->Height(), 0);
    EXPECT_EQ(Focus->Color(), 0x0000FF);
    TFocusHelper Helper(nullptr), HelperCopy(nullptr);
    Helper.SetEnabled(true);
    HelperCopy.Assign(&Helper);
    EXPECT_TRUE(HelperCopy.Enabled());
}

// Every published setting carries its stream default; a fresh object holds
// exactly those values, so a stream of an untouched object is empty.
void ExpectDefaultsHeld(const TObject& Instance, std::size_t PublishedCount) {
    const TClassInfo& Info = Instance.ClassType();
    EXPECT_EQ(Info.Properties.size(), PublishedCount) << Utf8(Info.Name);
    for (const TPropInfo& Prop : Info.Properties)
        if (Prop.HasDefault) {
            EXPECT_EQ(Prop.GetOrd(Instance), Prop.Default) << Utf8(Info.Name) << "." << Utf8(Prop.Name);
        }
}

TEST_F(BaseGridTest, ReflectionTablesHoldTheInitialValues) {
    TSearchFooter Footer(nullptr, true);
    TNavigation Navigation;
    TMouseActions Mouse(nullptr);
    TSyncGrid Sync(Grid);
    TBands Bands;
    TFocusHelper Helper(nullptr);
    ExpectDefaultsHeld(Footer, 37);
    ExpectDefaultsHeld(Navigation, 50);
    ExpectDefaultsHeld(Mouse, 47);
    ExpectDefaultsHeld(Sync, 7);
    ExpectDefaultsHeld(Bands, 7);
    ExpectDefaultsHeld(Helper, 1);
    ExpectDefaultsHeld(*Grid, 14);
    TCellProperties Props(nullptr, 1, 2);
    ExpectDefaultsHeld(Props, 22);
    TKelGridUndoRedo Undo(nullptr);
    ExpectDefaultsHeld(Undo, 3);
    TUndoRedoCollection History;
    ExpectDefaultsHeld(*History.Add(), 6);
}

TEST_F(BaseGridTest, PropertiesWrittenByNameRunTheSetters) {
    TNavigation Navigation;
    GetPropInfo(&Navigation, u"AdvanceAuto")->SetOrd(Navigation, 1);
    EXPECT_TRUE(Navigation.AdvanceOnEnter());
    GetPropInfo(&Navigation, u"SkipReadOnly")->SetOrd(Navigation, 1);
    EXPECT_TRUE(Navigation.Settings().SkipReadOnly);
    EXPECT_EQ(GetPropInfo(&Navigation, u"HomeEndKey")->PropType->Name, u"THomeEndAction");

    TMouseActions Mouse(nullptr);
    Integer Invalidates = 0;
    Mouse.OnInvalidate = [&](TObject*) { ++Invalidates; };
    GetPropInfo(&Mouse, u"HotmailRowSelect")->SetOrd(Mouse, 1);
    EXPECT_TRUE(Mouse.CheckAllCheck());
    EXPECT_EQ(Invalidates, 1);

    TSearchFooter Footer(nullptr, false);
    GetPropInfo(&Footer, u"FindNextCaption")->SetStr(Footer, u"Next");
    EXPECT_EQ(Footer.FindNextCaption(), u"Next");
    EXPECT_EQ(GetPropInfo(&Footer, u"Color")->PropType->Name, u"TColor");

    TSyncGrid Sync(Grid);
    GetPropInfo(&Sync, u"Grid")->SetObject(Sync, Grid); // the owner grid is refused
    EXPECT_EQ(Sync.Grid(), nullptr);

    GetPropInfo(Grid, u"GridLineWidth")->SetOrd(*Grid, 2);
    EXPECT_EQ(Grid->GridLineWidth(), 2);
    TCellProperties Props(nullptr, 0, 0);
    EXPECT_EQ(GetPropInfo(&Props, u"CellObject"), nullptr); // a pointer is never read from a stream
}

} // namespace

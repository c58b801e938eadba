// Column widths and positions in an INI file or the registry, and the
// column-state string.

#include "ColumnGridTestSupport.h"

#include "graphics/DeviceContext.h"
#include "rtl/IniFile.h"
#include "rtltesting/ExceptionMessage.h"
#include "rtltesting/TestFiles.h"

#include <cstdlib>

namespace {

// The widths, order and visibility of a grid, to see that nothing changed.
struct TSnapshot {
    Integer Count;
    std::vector<Integer> Widths;
    std::vector<String> Row0;
    String States;
    bool operator==(const TSnapshot&) const = default;
};

TSnapshot Snap(TZirOvararIzaz* G) {
    TSnapshot S{G->ColCount(), {}, {}, G->ColumnStatesToString()};
    for (Integer c = 0; c < G->ColCount(); ++c) {
        S.Widths.push_back(G->ColWidths(c));
        S.Row0.push_back(G->Cells(c, 0));
    }
    return S;
}

} // namespace

class ColumnStatesTest : public ColumnGridTest {
protected:
    void SetUp() override {
        ColumnGridTest::SetUp();
        Grid->SetColCount(3);
        Grid->SetDefaultColWidth(64);
        Grid->SetColWidths(0, 64);
        Grid->SetColWidths(1, 80);
        Grid->SetColWidths(2, 100);
        for (Integer c = 0; c < 3; ++c) Grid->SetCells(c, 0, String(1, Char(u'A' + c)));
    }
    void UseIni() {
        Grid->ColumnSize()->SetLocation(clIniFile);
        Grid->ColumnSize()->SetKey(Folder / u"grid.ini");
        Grid->ColumnSize()->SetSection(u"Columns");
    }
    TTempFolder Folder;
};

TEST_F(ColumnStatesTest, StateStringsOfShownAndHiddenColumns) {
    EXPECT_EQ(Grid->ColumnStatesToString(), u"3#64,80,100#0,1,2#1,1,1");
    Grid->HideColumn(1);
    EXPECT_EQ(Grid->ColumnStatesToString(), u"3#64,100,64#0,1,2#1,0,1");
}

TEST_F(ColumnStatesTest, ApplyingAStateString) {
    Grid->SetColCount(5);
    Grid->StringToColumnStates(u"3#64,80,100#0,1,2#1,1,1");
    EXPECT_EQ(Grid->ColCount(), 3);
    EXPECT_EQ(Grid->Columns()->Count(), 3);
    EXPECT_EQ(Grid->ColWidths(1), 80);
    EXPECT_EQ(Grid->ColWidths(2), 100);

    // Order and visibility: position k holds column P[k].
    Grid->StringToColumnStates(u"3#64,70,90#2,0,1#1,1,1");
    EXPECT_EQ(Grid->Cells(0, 0), u"C");
    EXPECT_EQ(Grid->Cells(1, 0), u"A");
    EXPECT_EQ(Grid->Cells(2, 0), u"B");
    EXPECT_EQ(Grid->ColWidths(2), 90);
    Grid->StringToColumnStates(u"3#64,100,64#0,1,2#1,0,1");
    EXPECT_EQ(Grid->ColCount(), 2);
    EXPECT_TRUE(Grid->IsHiddenColumn(1));
    EXPECT_EQ(Grid->Columns()->Count(), 3);

    // A width of 0 suppresses the column.
    Grid->StringToColumnStates(u"3#64,0,100##1,1,1");
    EXPECT_EQ(Grid->ColCount(), 3);
    EXPECT_TRUE(Grid->IsSuppressedColumn(1));
    // No "#": nothing.
    const TSnapshot Before = Snap(Grid);
    Grid->StringToColumnStates(u"garbage");
    EXPECT_EQ(Snap(Grid), Before);
}

TEST_F(ColumnStatesTest, ABadStateStringLeavesTheGridAsItWas) {
    Grid->HideColumn(1);
    const TSnapshot Before = Snap(Grid);
    struct Case {
        String Text, Message;
    };
    const Case Cases[] = {
        {u"x#64,80,100#0,1,2#1,1,1", u"'x' is not a valid integer value"},
        {u"3#64,8o,100#0,1,2#1,1,1", u"'8o' is not a valid integer value"},
        {u"3#64,80,100#0,1#1,1,1", u"List index out of bounds (2)"},
        {u"3#64,80,100#0,1,2#1,1", u"List index out of bounds (2)"},
        {u"3#64,80#0,1,2#1,1,1", u"List index out of bounds (2)"},
        {u"3#64,80,100#0,1,1#1,1,1", u"List index out of bounds (1)"},
        {u"3#64,80,100#0,1,7#1,1,1", u"List index out of bounds (7)"},
        {u"100000000#64#0#1", u"List index out of bounds (100000000)"},
        {u"0###", u"List index out of bounds (0)"},
    };
    for (const Case& C : Cases) {
        EXPECT_EQ(MessageOf([&] { Grid->StringToColumnStates(C.Text); }), C.Message) << Utf8(C.Text);
        EXPECT_EQ(Snap(Grid), Before) << Utf8(C.Text);
    }
}

TEST_F(ColumnStatesTest, SizesAreStoredAtNinetySixDotsPerInch) {
    SetScreenPixelsPerInch(144);
    Show();
    SetScreenPixelsPerInch(96);
    UseIni();
    Grid->SetColWidths(1, 96);
    Grid->SaveColSizes();
    TMemIniFile Ini(Folder / u"grid.ini");
    EXPECT_EQ(Ini.ReadInteger(u"Columns", u"Col1", 0), 64);
    Grid->SetColWidths(1, 10);
    Grid->LoadColSizes();
    EXPECT_EQ(Grid->ColWidths(1), 96);
}

TEST_F(ColumnStatesTest, AGridThatSavesItsSizesRestoresThemWhenShownAgain) {
    UseIni();
    Grid->ColumnSize()->SetSave(true);
    Grid->SetColWidths(2, 123);
    Free(Grid);
    Grid = nullptr;
    TMemIniFile Ini(Folder / u"grid.ini");
    EXPECT_EQ(Ini.ReadInteger(u"Columns", u"Col2", 0), 123);

    auto* Again = Create<TTestColumnGrid>(Form);
    Again->SetColCount(3);
    Again->ColumnSize()->SetLocation(clIniFile);
    Again->ColumnSize()->SetKey(Folder / u"grid.ini");
    Again->ColumnSize()->SetSection(u"Columns");
    Again->ColumnSize()->SetSave(true);
    Again->SetParent(Form);
    Show();
    EXPECT_EQ(Again->ColWidths(2), 123);
}

TEST_F(ColumnStatesTest, LoadingFromAMissingFileChangesAndWritesNothing) {
    UseIni();
    const TSnapshot Before = Snap(Grid);
    Grid->LoadColSizes();
    Grid->LoadColPositions();
    EXPECT_EQ(Snap(Grid), Before);
    EXPECT_EQ(Folder.FileCount(), 0u);
    // Without a section nothing is stored.
    Grid->ColumnSize()->SetSection(u"");
    Grid->SaveColSizes();
    EXPECT_EQ(Folder.FileCount(), 0u);
}

// The string grid's own "Pos" keys (the column grid itself diverts an INI
// file to its "CP" keys).
TEST_F(ColumnStatesTest, PositionsRoundTripAndBadSectionsChangeNothing) {
    UseIni();
    Grid->MoveColumn(0, 2);
    ASSERT_EQ(Grid->Cells(2, 0), u"A");
    Grid->TZirOvararIzaz::SaveColPositions();
    Grid->ResetColumnOrder();
    ASSERT_EQ(Grid->Cells(0, 0), u"A");
    Grid->TZirOvararIzaz::LoadColPositions();
    EXPECT_EQ(Grid->Cells(0, 0), u"B");
    EXPECT_EQ(Grid->Cells(2, 0), u"A");
    EXPECT_EQ(Grid->ColumnOrder()->Items(2), 0);

    const TSnapshot Before = Snap(Grid);
    struct Case {
        String Lines, Message;
    };
    const Case Cases[] = {
        {u"Pos0=1\nPos1=x\nPos2=0\n", u"'x' is not a valid integer value"},
        {u"Pos0=1\nPos1=2\n", u"List index out of bounds (0)"},
        {u"Pos0=1\nPos1=1\nPos2=0\n", u"List index out of bounds (1)"},
        {u"Pos0=1\nPos1=2\nPos2=100000000\n", u"List index out of bounds (100000000)"},
    };
    for (const Case& C : Cases) {
        WriteFileBytes(Folder / u"grid.ini", Utf8(u"[Columns]\n" + C.Lines));
        EXPECT_EQ(MessageOf([&] { Grid->TZirOvararIzaz::LoadColPositions(); }), C.Message) << Utf8(C.Lines);
        EXPECT_EQ(Snap(Grid), Before) << Utf8(C.Lines);
    }
}

TEST_F(ColumnStatesTest, SizesInTheRegistry) {
    const char* Old = std::getenv("VANDREL_REGISTRY_DIR");
    const std::string Saved = Old ? Old : "";
    setenv("VANDREL_REGISTRY_DIR", Folder.Native().c_str(), 1);
    Grid->ColumnSize()->SetKey(u"Software\\Vandrel\\Test");
    Grid->ColumnSize()->SetSection(u"Grid");
    Grid->SaveColSizes();
    Grid->SetColWidths(2, 5);
    Grid->LoadColSizes();
    EXPECT_EQ(Grid->ColWidths(2), 100);
    if (Old)
        setenv("VANDREL_REGISTRY_DIR", Saved.c_str(), 1);
    else
        unsetenv("VANDREL_REGISTRY_DIR");
}


// The column grid answers the per-cell questions from the cell's column.

#include "ColumnGridTestSupport.h"

#include "rtltesting/ExceptionMessage.h"

namespace {

TGridColumnItem* Item(TVarErozidOvur* G, Integer i) { return G->Columns()->Items(i); }

} // namespace

// A grid shaped like the program's peak grid: a fixed header row, a plain
// column, a per-row drop-down list, a right-aligned float column with two
// decimals, a masked date column and a fixed drop-down list.
class PeakGridTest : public ColumnGridTest {
protected:
    void SetUp() override {
        ColumnGridTest::SetUp();
        Grid->SetColCount(5);
        Grid->SetFixedCols(0);
        Grid->SetRowCount(4);
        TGridOptions Options = Grid->Options();
        Options.Include(goEditing);
        Grid->SetOptions(Options);
        Item(Grid, 1)->SetEditor(edComboList);
        Item(Grid, 1)->ComboItems()->Add(u"maize");
        Item(Grid, 2)->SetEditor(edFloat);
        Item(Grid, 2)->SetAlignment(taRightJustify);
        Item(Grid, 2)->SetFloatFormat(u"%.2f");
        Item(Grid, 3)->SetEditMask(u"90-LLL-0000");
        Item(Grid, 4)->SetEditor(edComboList);
        Item(Grid, 4)->ComboItems()->Add(u"spray drift");
        Item(Grid, 4)->ComboItems()->Add(u"drainage");
    }
    TEditorType EditorOf(Integer ACol, Integer ARow) {
        TEditorType Kind = edNormal;
        Grid->DoGetEditorType(ACol, ARow, Kind);
        return Kind;
    }
    bool CanEdit(Integer ACol, Integer ARow) {
        bool Can = true;
        Grid->DoCanEdit(ACol, ARow, Can);
        return Can;
    }
};

TEST_F(PeakGridTest, AnswersEditorKindComboAlignmentAndEditability) {
    struct Case {
        Integer Col;
        TEditorType Editor;
        bool Combo;
        TAlignment Align;
    };
    const Case Cases[] = {{0, edNormal, false, taLeftJustify},
                          {1, edComboList, true, taLeftJustify},
                          {2, edFloat, false, taRightJustify},
                          {3, edNormal, false, taLeftJustify},
                          {4, edComboList, true, taLeftJustify}};
    for (const Case& C : Cases) {
        EXPECT_EQ(EditorOf(C.Col, 1), C.Editor) << C.Col;
        EXPECT_EQ(Grid->DoHasComboBox(C.Col, 1, edNone), C.Combo) << C.Col;
        EXPECT_FALSE(Grid->DoHasComboBox(C.Col, 0, edNone)) << C.Col;
        TAlignment H = taLeftJustify;
        TVAlignment V = vtaTop;
        Grid->DoGetAlignment(C.Col, 1, H, V);
        EXPECT_EQ(H, C.Align) << C.Col;
        EXPECT_TRUE(CanEdit(C.Col, 1)) << C.Col;
        EXPECT_FALSE(CanEdit(C.Col, 0)) << C.Col;
    }
    // The header row keeps the header alignment, the editor the grid's.
    TAlignment H = taCenter;
    TVAlignment V = vtaTop;
    Grid->DoGetAlignment(2, 0, H, V);
    EXPECT_EQ(H, taLeftJustify);
    EXPECT_EQ(EditorOf(4, 0), edNormal);
    EXPECT_EQ(Item(Grid, 4)->ComboItems()->Strings(1), u"drainage");
    // The grid's float format stays the grid's; the column's is its own.
    const String GridFormat = Grid->FloatFormat();
    EditorOf(2, 1);
    EXPECT_EQ(Grid->FloatFormat(), GridFormat);
    String Fmt;
    Grid->DoGetFloatFormat(2, 1, Fmt);
    EXPECT_EQ(Fmt, u"%.2f");
    Grid->DoGetFloatFormat(0, 1, Fmt);
    EXPECT_EQ(Fmt, GridFormat);
}

TEST_F(PeakGridTest, MasksAndLengthsComeFromTheColumnUnlessTheGridHasItsOwn) {
    EXPECT_EQ(Grid->ResolveEditMask(3, 1), u"90-LLL-0000");
    EXPECT_EQ(Grid->ResolveEditMask(2, 1), u"");
    Grid->OnGetEditMask = [](TObject*, Integer ACol, Integer, String& Value) {
        if (ACol == 2) Value = u"99";
    };
    EXPECT_EQ(Grid->ResolveEditMask(2, 1), u"99");
    EXPECT_EQ(Grid->ResolveEditMask(3, 1), u"90-LLL-0000");
    Item(Grid, 2)->SetEditLength(5);
    Grid->FocusCell(2, 1);
    EXPECT_EQ(Grid->ResolveEditLimit(), 5);
}

TEST_F(PeakGridTest, ReadOnlyAndFixedColumns) {
    Item(Grid, 0)->SetReadOnly(true);
    Item(Grid, 3)->SetFixed(true);
    for (Integer r = 1; r < Grid->RowCount(); ++r) {
        EXPECT_FALSE(CanEdit(0, r));
        EXPECT_FALSE(CanEdit(3, r));
        EXPECT_TRUE(CanEdit(2, r));
        EXPECT_TRUE(Grid->IsFixed(3, r));
        EXPECT_FALSE(Grid->IsFixed(2, r));
    }
    TBrush Brush;
    TFont Font;
    Grid->DoGetCellColor(3, 1, TGridDrawState{}, &Brush, &Font);
    EXPECT_EQ(Brush.Color(), Grid->FixedColor());
    // A cell's own read-only flag and the application's event come after.
    Grid->SetReadOnly(2, 2, true);
    EXPECT_FALSE(CanEdit(2, 2));
    Grid->OnCanEditCell = [](TObject*, Integer ARow, Integer, bool& Can) { Can = Can && ARow != 3; };
    EXPECT_FALSE(CanEdit(2, 3));
    EXPECT_TRUE(CanEdit(2, 1));
}

TEST_F(PeakGridTest, FloatFormatsShowNumbersOnly) {
    Item(Grid, 2)->SetFloatFormat(u"%.3f");
    struct Case {
        String Text, Shown;
    };
    const Case Cases[] = {{u"2.5", u"2.500"}, {u"abc", u"abc"}, {u"7", u"7.000"}, {u"", u""}};
    for (const Case& C : Cases) {
        Grid->SetCells(2, 1, C.Text);
        EXPECT_EQ(Grid->GetFormattedCell(2, 1), C.Shown) << Utf8(C.Text);
    }
    // The column without a format shows the text as it is.
    Grid->SetCells(0, 1, u"2.5");
    EXPECT_EQ(Grid->GetFormattedCell(0, 1), u"2.5");
}

TEST_F(ColumnGridTest, BandsAlternateFromThePrimaryColour) {
    Grid->SetColCount(3);
    Grid->SetRowCount(6);
    Grid->Bands()->SetActive(true);
    Grid->Bands()->SetPrimaryLength(1);
    Grid->Bands()->SetSecondaryLength(1);
    Grid->Bands()->SetPrimaryColor(clYellow);
    Grid->Bands()->SetSecondaryColor(clAqua);
    Item(Grid, 1)->SetShowBands(true);
    for (Integer r = 1; r < 6; ++r) {
        TFont Font;
        TBrush Brush;
        TColor To = 0, Mirror = 0, MirrorTo = 0;
        TAlignment H = taLeftJustify;
        TVAlignment V = vtaTop;
        bool WW = false;
        TCellGradientDirection GD = GradientHorizontal;
        Grid->GetCellLook(1, r, &Font, &Brush, To, Mirror, MirrorTo, H, V, WW, GD);
        EXPECT_EQ(Brush.Color(), (r - 1) % 2 == 0 ? clYellow : clAqua) << r;
        EXPECT_EQ(To, clNone);
    }
}

TEST_F(ColumnGridTest, ColumnSettingsForBordersChecksButtonsSortAndSizes) {
    Grid->SetColCount(4);
    TGridColumnItem* I = Item(Grid, 2);
    I->SetBorders(TCellBorders{cbTop, cbBottom});
    I->BorderPen()->SetColor(clRed);
    TPen Pen;
    TCellBorders Borders;
    Grid->DoGetCellBorder(2, 1, &Pen, Borders);
    EXPECT_EQ(Borders, (TCellBorders{cbTop, cbBottom}));
    EXPECT_EQ(Pen.Color(), clRed);

    I->SetCheckTrue(u"yes");
    EXPECT_EQ(Grid->DoGetCheckTrue(2, 1), u"yes");
    EXPECT_EQ(Grid->DoGetCheckTrue(2, 0), Grid->DoGetCheckTrue(1, 1));

    I->SetEditor(edButton);
    TCellGraphic* Button = Grid->GetCellGraphic(2, 1);
    ASSERT_NE(Button, nullptr);
    EXPECT_EQ(Button->CellType(), ctVirtButton);
    EXPECT_EQ(Button->CellIndex(), 18 * 65536 + 24);
    EXPECT_EQ(Grid->GetCellGraphic(2, 0), nullptr);
    I->SetEditor(edDataCheckBox);
    EXPECT_EQ(Grid->GetCellType(2, 1), ctDataCheckBox);
    EXPECT_EQ(Grid->GetCellGraphic(2, 1)->CellType(), ctVirtCheckBox);

    I->SetSortStyle(ssNumeric);
    I->SetSortPrefix(u"$");
    TSortStyle Style = ssAutomatic;
    String Prefix, Suffix;
    Grid->DoGetFormat(2, Style, Prefix, Suffix);
    EXPECT_EQ(Style, ssNumeric);
    EXPECT_EQ(Prefix, u"$");

    I->SetMinSize(40);
    I->SetMaxSize(90);
    I->SetAutoMaxSize(60);
    struct Case {
        Integer Proposed, Sized, Auto;
    };
    for (const Case& C : {Case{10, 40, 10}, Case{70, 70, 60}, Case{200, 90, 60}}) {
        Integer W = C.Proposed;
        Grid->DoUpdateColumnSize(2, W);
        EXPECT_EQ(W, C.Sized);
        W = C.Proposed;
        Grid->DoUpdateAutoColumnSize(2, W);
        EXPECT_EQ(W, C.Auto);
    }
}

TEST_F(ColumnGridTest, AColumnsFilterListFillsTheDropDownAndFilters) {
    Grid->SetColCount(3);
    Grid->SetRowCount(5);
    const String Values[] = {u"5", u"12", u"abc", u"20"};
    for (Integer r = 1; r < 5; ++r) Grid->SetCells(1, r, Values[r - 1]);
    Item(Grid, 1)->Filter()->Add(u"Over 10=>10");
    Item(Grid, 1)->Filter()->Add(u"abc");
    ASSERT_TRUE(Grid->DoGetColumnFilter(1));
    ASSERT_EQ(Grid->FilterList()->Count(), 2);
    EXPECT_EQ(Grid->FilterList()->Strings(0), u"Over 10");
    EXPECT_EQ(Grid->FilterList()->Strings(1), u"abc");
    EXPECT_FALSE(Grid->DoGetColumnFilter(2));

    Grid->SetAutoFilterDisplay(true);
    struct Case {
        Integer Index;
        String Condition, Header;
    };
    for (const Case& C : {Case{0, u">10", u"Over 10"}, Case{1, u"abc", u"abc"}}) {
        Grid->SetFilterCol(1);
        Grid->DoFilterSelect(C.Index);
        EXPECT_EQ(Grid->FilterCol(), -1);
        ASSERT_GT(Grid->Filter()->Count(), 0);
        EXPECT_EQ(Grid->Filter()->ColumnFilter(1)->Condition(), C.Condition);
        EXPECT_EQ(Item(Grid, 1)->Header(), C.Header);
        EXPECT_TRUE(Grid->FilterActive());
    }

    // With automatic lists the column's list plays no part in filling, and a
    // pick beyond the column's own list does nothing.
    Grid->SetFilterActive(false);
    Grid->Filter()->Clear();
    Grid->SetFilterDropDownAuto(true);
    ASSERT_TRUE(Grid->DoGetColumnFilter(1));
    EXPECT_EQ(Grid->FilterList()->IndexOf(u"Over 10"), -1);
    ASSERT_GT(Grid->FilterList()->Count(), 2);
    Grid->SetFilterCol(1);
    Grid->DoFilterSelect(3);
    EXPECT_EQ(Grid->Filter()->Count(), 0);
    EXPECT_EQ(Grid->FilterCol(), -1);
}

// A list column hands its items to the grid's combo editor, so the cell's
// text is found in the column's own list; a plain column empties the list.
TEST_F(PeakGridTest, ListColumnsFillTheComboEditorWithTheirItems) {
    Grid->SetCells(4, 2, u"drainage");
    EXPECT_EQ(Grid->GetComboIndex(4, 2), 1);
    EXPECT_EQ(Grid->GetComboCount(), 2);
    Grid->SetCells(1, 2, u"drainage");
    EXPECT_EQ(Grid->GetComboIndex(1, 2), -1);
    EXPECT_EQ(Grid->GetComboCount(), 1);
    Grid->GetComboIndex(0, 2);
    EXPECT_EQ(Grid->GetComboCount(), 0);
}

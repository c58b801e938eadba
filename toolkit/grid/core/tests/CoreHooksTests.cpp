// The event hooks' answers with and without handlers, the per-cell queries
// and the two listener registries.

#include "CoreTestSupport.h"

namespace {

TEST_F(CoreTest, HooksWithoutHandlersGiveTheGridsOwnAnswer) {
    TEditorType Editor = edComboList;
    TAlignment HAlign = taRightJustify;
    TVAlignment VAlign = vtaBottom;
    TSortStyle Style = ssNumeric;
    String Prefix = u"p", Suffix = u"s", Wide = u"w", Hint = u"h";
    TPen Pen;
    TCellBorders Borders{cbLeft};

    EXPECT_TRUE(Grid->DoBeforeEdit(1, 1));
    EXPECT_FALSE(Grid->DoIsNoEditorCell(1, 1, Editor));
    EXPECT_EQ(Editor, edComboList);
    EXPECT_FALSE(Grid->DoHasComboBox(1, 1, edComboList));
    EXPECT_FALSE(Grid->DoHasEditBtn(1, 1, edEditBtn));
    EXPECT_FALSE(Grid->DoHasSpinEdit(1, 1, edSpinEdit));
    EXPECT_FALSE(Grid->DoHasFilterEdit(1, 0));
    EXPECT_EQ(Grid->DoSearchFooterSearch(u"find"), u"find");
    Grid->DoGetEditorType(1, 1, Editor);
    Grid->DoGetAlignment(1, 1, HAlign, VAlign);
    Grid->DoGetFormat(1, Style, Prefix, Suffix);
    Grid->DoGetCellBorder(1, 1, &Pen, Borders);
    Grid->DoGetCellHint(1, 1, Wide, Hint);
    EXPECT_EQ(Editor, edComboList);
    EXPECT_EQ(HAlign, taRightJustify);
    EXPECT_EQ(VAlign, vtaBottom);
    EXPECT_EQ(Style, ssNumeric);
    EXPECT_EQ(Prefix + Suffix, u"ps");
    EXPECT_EQ(Borders, TCellBorders{cbLeft});
    EXPECT_EQ(Wide + Hint, u"wh");
    EXPECT_EQ(Grid->ExportCell(1, 1), Grid->Cells(1, 1));
}

TEST_F(CoreTest, AlwaysVisibleButtonsFollowTheEditorKind) {
    Grid->ControlLook()->SetDropDownAlwaysVisible(true);
    Grid->ControlLook()->SetSpinButtonsAlwaysVisible(true);
    const struct {
        TEditorType Kind;
        bool Combo, EditBtn, Spin;
    } Cases[] = {
        {edComboList, true, false, false}, {edDetailDropDown, true, false, false},
        {edEditBtn, false, true, false},   {edSpinEdit, false, false, true},
        {edFloatSpinEdit, false, false, true}, {edNormal, false, false, false},
    };
    for (const auto& Case : Cases) {
        EXPECT_EQ(Grid->DoHasComboBox(2, 2, Case.Kind), Case.Combo) << Case.Kind;
        EXPECT_EQ(Grid->DoHasEditBtn(2, 2, Case.Kind), Case.EditBtn) << Case.Kind;
        EXPECT_EQ(Grid->DoHasSpinEdit(2, 2, Case.Kind), Case.Spin) << Case.Kind;
    }
    EXPECT_FALSE(Grid->DoHasSpinEdit(0, 2, edSpinEdit)) << "fixed cells have no spin buttons";
    // An unknown kind is the default editor as the editor-type event says.
    Grid->OnGetEditorType = [](TObject*, Integer, Integer, TEditorType& E) { E = edComboEdit; };
    EXPECT_TRUE(Grid->DoHasComboBox(2, 2, edNone));
    // A handler decides alone, starting from False.
    Grid->OnHasComboBox = [](TObject*, Integer ACol, Integer, bool& Has) {
        EXPECT_FALSE(Has);
        Has = ACol == 3;
    };
    EXPECT_FALSE(Grid->DoHasComboBox(2, 2, edComboList));
    EXPECT_TRUE(Grid->DoHasComboBox(3, 2, edNormal));
}

TEST_F(CoreTest, AnIsFixedCellHandlerAddsFixedCellsButNeverRemovesThem) {
    std::vector<std::pair<Integer, Integer>> Asked;
    Grid->OnIsFixedCell = [&](TObject*, Integer ARow, Integer ACol, bool& IsFixed) {
        Asked.emplace_back(ACol, ARow);
        IsFixed = ARow != 0 && ARow != 3;
    };
    EXPECT_TRUE(Grid->IsFixed(2, 0));
    EXPECT_TRUE(Grid->IsFixed(0, 3));
    EXPECT_TRUE(Grid->IsFixed(2, 5));
    EXPECT_FALSE(Grid->IsFixed(2, 3));
    EXPECT_EQ(Asked, (std::vector<std::pair<Integer, Integer>>{{2, 5}, {2, 3}}));
}

TEST_F(CoreTest, ActiveCellHighlightMarksTheHeadersOfTheCurrentCell) {
    Grid->SetActiveCellShow(true);
    Grid->FocusCell(3, 5, true);
    struct {
        Integer Col, Row;
        bool Highlighted;
    } Cases[] = {{0, 5, true}, {3, 0, true}, {0, 4, false}, {2, 0, false}, {3, 5, false}};
    for (const auto& Case : Cases) {
        TBrush Brush;
        Brush.SetColor(0x123456);
        TFont Font;
        Grid->DoGetCellColor(Case.Col, Case.Row, TGridDrawState{}, &Brush, &Font);
        EXPECT_EQ(Brush.Color() == Grid->ActiveCellColor(), Case.Highlighted) << Case.Col << "," << Case.Row;
        EXPECT_EQ(Font.Style().Contains(fsBold), Case.Highlighted) << Case.Col << "," << Case.Row;
    }
    // The handler sees the per-cell colour and has the last word.
    Grid->CellProperties(2, 2)->SetBrushColor(0x00FF00);
    TBrush Brush;
    TFont Font;
    TColor Seen = 0;
    Grid->OnGetCellColor = [&](TObject*, Integer, Integer, TGridDrawState, TBrush* B, TFont*) {
        Seen = B->Color();
        B->SetColor(0x0000FF);
    };
    Grid->DoGetCellColor(2, 2, TGridDrawState{}, &Brush, &Font);
    EXPECT_EQ(Seen, 0x00FF00);
    EXPECT_EQ(Brush.Color(), 0x0000FF);
}

TEST_F(CoreTest, CanEditDecidesForTheBaseCellOfAMergedArea) {
    TGridOptions Opts = Grid->Options();
    Opts.Include(goEditing);
    Grid->SetOptions(Opts);
    Grid->MergeCells(1, 1, 2, 2);
    std::vector<std::pair<Integer, Integer>> Asked;
    Grid->OnCanEditCell = [&](TObject*, Integer ARow, Integer ACol, bool&) { Asked.emplace_back(ACol, ARow); };
    bool CanEdit = true;
    Grid->DoCanEdit(2, 2, CanEdit);
    EXPECT_TRUE(CanEdit);
    EXPECT_EQ(Asked, (std::vector<std::pair<Integer, Integer>>{{1, 1}}));
    Grid->CellProperties(1, 1)->SetReadOnly(true);
    CanEdit = true;
    Grid->DoCanEdit(2, 2, CanEdit);
    EXPECT_FALSE(CanEdit);
    CanEdit = false;
    Grid->DoCanEdit(40, 2, CanEdit);
    EXPECT_TRUE(CanEdit) << "a column beyond the grid counts as editable";
}

TEST_F(CoreTest, HotmailRowSelectCentresColumnZeroUnlessTheHandlerSaysOtherwise) {
    Grid->SetDefaultAlignment(taRightJustify);
    Grid->MouseActions()->SetHotmailRowSelect(true);
    TAlignment H = taRightJustify;
    TVAlignment V = vtaTop;
    Grid->DoGetAlignment(0, 3, H, V);
    EXPECT_EQ(H, taCenter);
    Grid->OnGetAlignment = [](TObject*, Integer, Integer, TAlignment& HA, TVAlignment&) { HA = taLeftJustify; };
    Grid->DoGetAlignment(0, 3, H, V);
    EXPECT_EQ(H, taLeftJustify);
}

TEST_F(CoreTest, DeletingTheOnlyDataRowByKeyboardEmptiesIt) {
    Grid->SetRowCount(2);
    Grid->SetCells(1, 1, u"last");
    std::vector<Integer> Deleted;
    Grid->OnAutoDeleteRow = [&](TObject*, Integer ARow) { Deleted.push_back(ARow); };
    Grid->DoAutoDeleteRow(1);
    EXPECT_EQ(Grid->RowCount(), 2);
    EXPECT_EQ(Grid->Cells(1, 1), u"");
    Grid->SetRowCount(4);
    Grid->DoAutoDeleteRow(1);
    EXPECT_EQ(Grid->RowCount(), 3);
    EXPECT_EQ(Deleted, (std::vector<Integer>{1, 1}));
}

TEST_F(CoreTest, NotifiersAreListedOnceAndLeaveWhenTheyGo) {
    auto* A = Create<TGridChangeNotifier>(nullptr);
    auto* B = Create<TGridChangeNotifier>(nullptr);
    Grid->RegisterNotifier(A);
    Grid->RegisterNotifier(A);
    Grid->RegisterNotifier(B);
    EXPECT_EQ(Grid->Notifiers().size(), 2u);
    Grid->UnRegisterNotifier(Create<TGridChangeNotifier>(Form));
    EXPECT_EQ(Grid->Notifiers().size(), 2u);
    Free(A);
    EXPECT_EQ(Grid->Notifiers(), std::vector<TGridChangeNotifier*>{B});
    Grid->UnRegisterNotifier(B);
    EXPECT_TRUE(Grid->Notifiers().empty());
    Free(B);
}

TEST_F(CoreTest, ADestroyedGridIsNoLongerTheActiveFocusGrid) {
    auto* Other = Create<TTestCore>(nullptr);
    SetActiveFocusGrid(Other);
    Free(Other);
    EXPECT_EQ(ActiveFocusGrid(), nullptr);
}

} // namespace

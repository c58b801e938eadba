// Column stretching, the user's sizing of a column or row, the footer row's
// calculation and the drop-arrow colour.

#include "CoreTestSupport.h"

#include "gridbase/KelCheckBox.h"
#include "rtl/Convert.h"

namespace {

// A grid that opens the sizing record and the mouse to the tests, and
// whose drop arrows the test may supply.
class TStretchGrid : public TTestCore {
public:
    using TTestCore::TTestCore;
    using TTestCore::MouseDown;
    using TTestCore::MouseUp;
    TWinControl* DropArrow(Integer Direction) override {
        return Direction >= 0 && Direction < Integer(Arrows.size()) ? Arrows[size_t(Direction)] : nullptr;
    }
    std::vector<TWinControl*> Arrows;
};

class StretchTest : public CoreTest {
protected:
    void SetUp() override {
        CoreTest::SetUp();
        G = Create<TStretchGrid>(Form);
        G->SetParent(Form);
    }
    std::vector<Integer> Widths() const {
        std::vector<Integer> W;
        for (Integer c = 0; c < G->ColCount(); ++c) W.push_back(G->ColWidths(c));
        return W;
    }
    TStretchGrid* G = nullptr;
};

TEST_F(StretchTest, StretchSharesOrFillsTheWidth) {
    struct TCase {
        const char* Label;
        std::vector<Integer> Before;
        bool All;
        Integer StretchCol, Width;
        std::vector<Integer> After;
    };
    const TCase Cases[] = {
        {"all, no remainder", {64, 80, 80, 80}, true, -1, 400, {64, 112, 112, 112}},
        {"all, remainder to the first", {64, 80, 80, 80}, true, -1, 401, {64, 113, 112, 112}},
        {"last column", {64, 100, 100, 100}, false, -1, 500, {64, 100, 100, 236}},
        {"too narrow: default width", {64, 100, 100, 100}, false, -1, 250, {64, 100, 100, 64}},
        {"a chosen column", {64, 100, 100, 100}, false, 1, 500, {64, 236, 100, 100}},
        {"one column", {70}, false, -1, 333, {333}},
        {"a column beyond the grid is ignored", {64, 100}, false, 2, 500, {64, 100}},
    };
    for (const TCase& Case : Cases) {
        G->ColumnSize()->StoreStretch(false);
        G->SetFixedCols(0);
        G->SetColCount(Integer(Case.Before.size()));
        if (Case.Before.size() > 1) G->SetFixedCols(1);
        for (Integer c = 0; c < G->ColCount(); ++c) G->SetColWidths(c, Case.Before[size_t(c)]);
        G->ColumnSize()->StoreStretch(true);
        G->ColumnSize()->StoreStretchAll(Case.All);
        G->ApplyColumnStretch(Case.StretchCol, Case.Width);
        EXPECT_EQ(Widths(), Case.After) << Case.Label;
    }

    // Without Stretch, or with the column's sizing refused, nothing changes.
    G->SetColCount(4);
    G->SetFixedCols(1);
    for (Integer c = 0; c < 4; ++c) G->SetColWidths(c, c == 0 ? 64 : 100);
    G->ColumnSize()->StoreStretchAll(false);
    G->ColumnSize()->StoreStretch(false);
    G->ApplyColumnStretch(-1, 500);
    EXPECT_EQ(G->ColWidths(3), 100);
    G->ColumnSize()->StoreStretch(true);
    std::vector<Integer> Asked;
    G->OnColumnSize = [&](TObject*, Integer ACol, bool& Allow) {
        Asked.push_back(ACol);
        Allow = false;
    };
    G->ApplyColumnStretch(-1, 500);
    EXPECT_EQ(G->ColWidths(3), 100);
    EXPECT_EQ(Asked, std::vector<Integer>{3});
}

TEST_F(StretchTest, ScrolledGridKeepsTheStretchColumnWhenTooNarrow) {
    Show();
    G->SetColCount(12);
    G->SetColWidths(11, 90);
    G->ColumnSize()->StoreStretch(true);
    G->ApplyColumnStretch(-1, 100);
    EXPECT_EQ(G->ColWidths(11), G->DefaultColWidth());
    G->SetLeftCol(3);
    ASSERT_EQ(G->LeftCol(), 3);
    G->SetColWidths(11, 90);
    G->ApplyColumnStretch(-1, 100);
    EXPECT_EQ(G->ColWidths(11), 90) << "a scrolled grid keeps the width";
}

TEST_F(StretchTest, SettingsAndWidthChangesStretchAgain) {
    Show();
    G->SetColCount(4);
    G->SetColWidths(1, 50);
    const Integer Client = G->ClientWidth();
    ASSERT_GT(Client, 200);

    G->StretchColumns();
    EXPECT_TRUE(G->ColumnSize()->Stretch());
    EXPECT_TRUE(G->ColumnSize()->StretchAll());
    const Integer Rest = Client - G->ColWidths(0);
    EXPECT_EQ(Widths(), (std::vector<Integer>{G->ColWidths(0), Rest / 3 + (Rest % 3 > 0), Rest / 3 + (Rest % 3 > 1), Rest / 3}));

    G->ColumnSize()->SetStretchAll(false);
    G->SetColWidths(1, 40);
    G->SetColWidths(2, 40);
    EXPECT_EQ(G->ColWidths(3), Client - G->ColWidths(0) - 80) << "a width change stretches the last column again";
    G->ColumnSize()->SetStretch(false);
    G->SetColWidths(2, 60);
    EXPECT_EQ(G->ColWidths(3), Client - G->ColWidths(0) - 80);
    G->StretchRightColumn();
    EXPECT_EQ(G->ColWidths(3), Client - G->ColWidths(0) - 80) << "only with Stretch on";
    G->ColumnSize()->SetStretch(true);
    EXPECT_EQ(G->ColWidths(3), Client - G->ColWidths(0) - 100);
    G->SetColCount(3);
    EXPECT_EQ(G->ColWidths(2), Client - G->ColWidths(0) - 40) << "a new column count stretches";
}

TEST_F(StretchTest, UserSizingScalesTheOtherColumnsAndRows) {
    Show();
    G->SetColCount(4);
    G->SetOptions(G->Options().Include(goColSizing).Include(goRowSizing));
    for (Integer c = 1; c < 4; ++c) G->SetColWidths(c, c == 1 ? 100 : 40 * c);
    G->MouseActions()->PlainSettings().AllColumnSize = true;
    std::vector<Integer> Ended;
    G->OnEndColumnSize = [&](TObject*, Integer ACol) { Ended.push_back(ACol); };

    // Drag the right edge of column 1 from 100 to 150 pixels.
    const TRect R1 = G->CellRect(1, 0);
    G->MouseDown(mbLeft, {}, R1.Right, 5);
    G->MouseUp(mbLeft, {}, R1.Right + 50, 5);
    EXPECT_EQ(G->ColWidths(1), 150);
    EXPECT_EQ(G->ColWidths(2), 120);
    EXPECT_EQ(G->ColWidths(3), 180);
    EXPECT_EQ(G->ColWidths(0), 64) << "fixed columns keep their width";
    EXPECT_EQ(Ended, std::vector<Integer>{1});

    // The application may change the final width; a width set by code is
    // no user sizing.
    G->OnUpdateColumnSize = [](TObject*, Integer, Integer& AWidth) { AWidth = 90; };
    const TRect R2 = G->CellRect(2, 0);
    G->MouseDown(mbLeft, {}, R2.Right, 5);
    G->MouseUp(mbLeft, {}, R2.Right - 60, 5);
    EXPECT_EQ(G->ColWidths(2), 90);
    EXPECT_EQ(G->ColWidths(3), 90) << "scaled by one half";
    G->SetColWidths(1, 300);
    EXPECT_EQ(G->ColWidths(3), 90);
    EXPECT_EQ(Ended, (std::vector<Integer>{1, 2}));

    // Rows: every normal row takes the sized row's new height.
    G->MouseActions()->PlainSettings().AllRowSize = true;
    std::vector<Integer> RowsEnded;
    G->OnEndRowSize = [&](TObject*, Integer ARow) { RowsEnded.push_back(ARow); };
    G->SetRow(4);
    const TRect Row2 = G->CellRect(0, 2);
    G->MouseDown(mbLeft, {}, 5, Row2.Bottom);
    G->MouseUp(mbLeft, {}, 5, Row2.Bottom + 22);
    for (Integer r = 1; r < G->RowCount(); ++r) EXPECT_EQ(G->RowHeights(r), 44) << r;
    EXPECT_EQ(G->RowHeights(0), 22) << "the fixed row keeps its height";
    EXPECT_EQ(G->Row(), 4);
    EXPECT_EQ(RowsEnded, std::vector<Integer>{2});
}

TEST_F(StretchTest, FooterRowCalculatesItsColumns) {
    G->SetRowCount(10);
    G->FloatingFooter()->SetVisible(true);
    const Integer F = 9;
    const char16_t* Values[] = {u"2", u"4", u"4", u"4", u"5", u"5", u"7", u"9"};
    for (Integer r = 1; r <= 8; ++r) G->SetCells(1, r, Values[r - 1]);
    struct {
        TColumnCalcType Kind;
        const char16_t* Shown;
    } const Cases[] = {{acSUM, u"40.00"}, {acAVG, u"5.00"}, {acMIN, u"2.00"}, {acMAX, u"9.00"},
                       {acDISTINCT, u"5.00"}, {acSTDDEV, u"2.00"}, {acCOUNT, u"8"}};
    for (const auto& Case : Cases) {
        G->CellProperties(1, F)->SetCalcType(Case.Kind);
        G->CalcFooter(1);
        EXPECT_EQ(G->Cells(1, F), Case.Shown) << Case.Kind;
    }

    // Hidden rows count while CalculateHiddenRows is on, one of them too.
    G->CellProperties(1, F)->SetCalcType(acSUM);
    G->HideRows(8, 8);
    const Integer F1 = G->RowCount() - 1;
    ASSERT_EQ(G->CellProperties(1, F1)->CalcType(), acSUM);
    G->CalcFooter(-1);
    EXPECT_EQ(G->Cells(1, F1), u"40.00");
    G->HideRows(1, 2);
    G->CalcFooter(-1);
    EXPECT_EQ(G->Cells(1, G->RowCount() - 1), u"40.00");
    G->FloatingFooter()->SetCalculateHiddenRows(false);
    G->CalcFooter(-1);
    EXPECT_EQ(G->Cells(1, G->RowCount() - 1), u"25.00") << "only the displayed rows";
}

TEST_F(StretchTest, FooterCustomCellsAndSwitches) {
    G->SetRowCount(5);
    G->SetCells(2, 1, u"3");
    G->SetCells(2, 2, u"x");
    G->FloatingFooter()->SetVisible(true);
    G->CellProperties(1, 4)->SetCalcType(acCUSTOM);
    G->CellProperties(2, 4)->SetCalcType(acNONE);
    G->SetCells(1, 4, u"old");
    G->SetCells(2, 4, u"kept");

    G->CalcFooter(-1);
    EXPECT_EQ(G->Cells(1, 4), u"") << "no handler empties a custom cell";
    G->FloatingFooter()->OnCalcFooter = [](TObject*, Integer ACol, Integer ARow, String& Value) {
        Value = u"footer " + IntToStr(ACol) + u"," + IntToStr(ARow);
    };
    G->CalcFooter(-1);
    EXPECT_EQ(G->Cells(1, 4), u"footer 1,4");
    G->OnFooterCalc = [](TObject*, Integer, Integer, String& Value) { Value += u"grid"; };
    G->CalcFooter(1);
    EXPECT_EQ(G->Cells(1, 4), u"grid") << "the grid's event comes first, with an empty value";
    EXPECT_EQ(G->Cells(2, 4), u"kept");

    // A kind that needs numbers shows nothing over text, without raising.
    G->CellProperties(2, 4)->SetCalcType(acSTDDEV);
    EXPECT_NO_THROW(G->CalcFooter(2));
    EXPECT_EQ(G->Cells(2, 4), u"");
    EXPECT_NO_THROW(G->SetRowCount(6)) << "the footer moves and calculates again";

    G->CellProperties(2, 5)->SetCalcType(acCOUNT);
    G->FloatingFooter()->SetEnableCalculation(false);
    G->CalcFooter(2);
    EXPECT_EQ(G->Cells(2, 5), u"");
    G->FloatingFooter()->SetEnableCalculation(true);
    G->FloatingFooter()->SetFooterStyle(fsColumnPreview);
    G->CalcFooter(2);
    EXPECT_EQ(G->Cells(2, 5), u"");
    G->FloatingFooter()->SetFooterStyle(fsFixedLastRow);
    G->CalcFooter(2);
    EXPECT_EQ(G->Cells(2, 5), u"4");
}

TEST_F(StretchTest, ArrowColourReachesAllFourArrows) {
    EXPECT_EQ(G->ArrowColor(), TColor(0x00FF00));
    G->SetArrowColor(0x0000FF);
    EXPECT_EQ(G->ArrowColor(), TColor(0x0000FF));
    std::vector<TArrowWindow*> Arrows;
    for (TArrowDirection d : {arrUp, arrDown, arrLeft, arrRight}) Arrows.push_back(Create<TArrowWindow>(G, d));
    G->Arrows.assign(Arrows.begin(), Arrows.end());
    G->SetArrowColor(0x123456);
    for (TArrowWindow* A : Arrows) EXPECT_EQ(A->Color(), TColor(0x123456));
    Arrows[0]->SetColor(0x654321);
    EXPECT_EQ(G->ArrowColor(), TColor(0x654321)) << "the up arrow answers";
}

} // namespace

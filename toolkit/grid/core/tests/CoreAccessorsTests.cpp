// Cell accessors: texts and objects by real row, initial column and
// pre-sort row, gradients, controls placed in cells, the current cell and
// the edit-text path, lines in a cell, the wheel-pan glyph, and the sizing
// permission of fixed cells.

#include "CoreTestSupport.h"

#include "grid/GridItem.h"
#include "rtl/Convert.h"
#include "vcl/ExtCtrls.h"

namespace {

class AccessorTest : public CoreTest {
protected:
    void SetUp() override {
        CoreTest::SetUp();
        Grid->SetColCount(4);
        Grid->SetRowCount(8);
    }
    TStringList* StoredTexts(Integer Index) {
        return static_cast<TGridItem*>(Grid->HiddenRows()->Items(Index))->Items();
    }
};

// Opens the sizing-state query.
class TSizingCore : public TZirOvararIzazCore {
public:
    using TZirOvararIzazCore::TZirOvararIzazCore;
    using TZirOvararIzazCore::CalcSizingState;
};

} // namespace

TEST_F(AccessorTest, AllCellsOfAHiddenRowGrowsItsStoreAndShowsDisplayText) {
    Grid->SetColCount(2);
    Grid->SetCells(1, 3, u"three");
    Grid->HideRow(3);
    ASSERT_EQ(StoredTexts(0)->Count(), 2);
    EXPECT_EQ(Grid->AllCells(2, 3), u"");
    EXPECT_EQ(StoredTexts(0)->Count(), 3);
    Grid->SetAllCells(3, 3, u"late");
    EXPECT_EQ(StoredTexts(0)->Strings(3), u"late");
    // Read as a displayed cell is shown.
    Grid->OnGetDisplText = [](TObject*, Integer, Integer, String& Value) { Value = u"<" + Value + u">"; };
    EXPECT_EQ(Grid->AllCells(1, 3), u"<three>");
    EXPECT_EQ(Grid->AllCells(-1, 3), u"");
    EXPECT_EQ(Grid->AllCells(1, -1), u"");
    Grid->OnGetDisplText = nullptr;
}

TEST_F(AccessorTest, AllObjectsOfHiddenAndDisplayedRows) {
    TObject Mine, Other;
    Grid->SetObjects(1, 5, &Other);
    Grid->HideRow(2);
    // A hidden row's cell without record gets one for the object; the grid
    // frees the record, never the object.
    Grid->SetAllObjects(1, 2, &Mine);
    EXPECT_EQ(Grid->AllObjects(1, 2), &Mine);
    EXPECT_EQ(Grid->AllObjects(1, 5), &Other); // displayed row 4
    EXPECT_EQ(Grid->AllObjects(-1, 5), nullptr);
    Grid->UnHideRow(2);
    EXPECT_EQ(Grid->Objects(1, 2), &Mine);
    Grid->SetObjects(1, 2, nullptr);
    Grid->SetObjects(1, 5, nullptr);
}

TEST_F(AccessorTest, OriginalAndUnSortedIndexes) {
    for (Integer c = 0; c < 4; ++c) Grid->SetCells(c, 1, String(1, Char(u'a' + c)));
    Grid->MoveColumn(1, 3);
    EXPECT_EQ(Grid->Cells(3, 1), u"b");
    EXPECT_EQ(Grid->OriginalCells(1, 1), u"b");
    Grid->SetOriginalCells(1, 1, u"B");
    EXPECT_EQ(Grid->Cells(3, 1), u"B");

    // Position p held the row that was at XRef[p] before the sort.
    for (Integer r = 0; r < 4; ++r) Grid->SetCells(0, r, IntToStr(r));
    TIntList* X = Grid->SortRowXRef();
    X->Clear();
    for (Integer v : {0, 2, 1}) X->Add(v);
    EXPECT_EQ(Grid->UnSortedCells(0, 2), u"1");
    EXPECT_EQ(Grid->UnSortedCells(0, 1), u"2");
    EXPECT_EQ(Grid->UnSortedRowIndex(3), 3); // held nowhere: the count
    EXPECT_EQ(Grid->UnSortedRowIndex(6), 6); // above the count: as is
    Grid->SetUnSortedCells(0, 2, u"x");
    EXPECT_EQ(Grid->Cells(0, 1), u"x");
    X->Clear();
    EXPECT_EQ(Grid->UnSortedRowIndex(2), 2);
}

TEST_F(AccessorTest, GradientsLinesAndCellControls) {
    EXPECT_EQ(Grid->Gradients(1, 1), GradientVertical);
    EXPECT_FALSE(Grid->HasCellProperties(1, 1));
    Grid->SetGradients(1, 1, GradientHorizontal);
    EXPECT_EQ(Grid->Gradients(1, 1), GradientHorizontal);
    Grid->SetCells(2, 2, u"one\r\ntwo\r\nthree");
    EXPECT_EQ(Grid->LinesInCell(2, 2), 3);
    EXPECT_EQ(Grid->LinesInCell(2, 3), 1);

    auto* Panel = Create<TPanel>(Form);
    auto* Second = Create<TPanel>(Form);
    Grid->SetCellControls(2, 3, Panel);
    EXPECT_EQ(Grid->NumCellControls(), 1);
    EXPECT_EQ(Grid->CellControls(2, 3), Panel);
    EXPECT_EQ(Panel->Parent(), Grid);
    const TRect R = Grid->CellRect(2, 3);
    EXPECT_EQ(Panel->Left(), R.Left);
    EXPECT_EQ(Panel->Width(), R.Right - R.Left - 1);
    EXPECT_EQ(Panel->Height(), R.Bottom - R.Top - 1);
    // Another control into the same cell replaces the entry.
    Grid->SetCellControls(2, 3, Second);
    EXPECT_EQ(Grid->NumCellControls(), 1);
    EXPECT_EQ(Grid->ControlList()->Count(), 1);
    Grid->SetCellControls(2, 3, nullptr);
    Grid->SetCellControls(2, 3, nullptr);
    EXPECT_EQ(Grid->NumCellControls(), 0);
    EXPECT_EQ(Grid->ControlList()->Count(), 0);
    EXPECT_EQ(Grid->CellControls(2, 3), nullptr);
}

TEST_F(AccessorTest, CurrentCellAndEditTextUseTheBaseCell) {
    Grid->SetCells(1, 1, u"<b>base</b>");
    Grid->MergeCells(1, 1, 2, 2);
    Grid->SetCol(2);
    Grid->SetRow(2);
    EXPECT_EQ(Grid->CurrentCell(), u"<b>base</b>");
    EXPECT_EQ(Grid->GetEditText(2, 2), u"base");
    Grid->SetEditWithTags(true);
    EXPECT_EQ(Grid->GetEditText(2, 2), u"<b>base</b>");
    Grid->SetEditText(2, 2, u"edited");
    EXPECT_EQ(Grid->GridCells(1, 1), u"edited");
    EXPECT_EQ(Grid->GridCells(2, 2), u"");
    Grid->SetCurrentCell(u"current");
    EXPECT_EQ(Grid->GridCells(1, 1), u"current");
}

TEST_F(AccessorTest, PanGlyphsShowTheirDirections) {
    // Pixels on the arrows' axes: above, below, left and right of the dot.
    const TPoint Up(16, 5), Down(16, 26), Left(5, 16), Right(26, 16), Dot(16, 16), Corner(0, 0);
    struct TCase {
        TIntelliPan Mode;
        bool Vertical, Horizontal;
    };
    for (const TCase& C : {TCase{ipVertical, true, false}, TCase{ipHorizontal, false, true}, TCase{ipBoth, true, true}}) {
        SCOPED_TRACE(Integer(C.Mode));
        const auto Glyph = TZirOvararIzazCore::PanGlyph(C.Mode);
        ASSERT_EQ(Glyph->Width(), 32);
        TCanvas* Cv = Glyph->Canvas();
        EXPECT_EQ(Cv->Pixels(Corner.X, Corner.Y), clWhite);
        EXPECT_EQ(Cv->Pixels(Dot.X, Dot.Y), clBlack);
        EXPECT_EQ(Cv->Pixels(Up.X, Up.Y) == clBlack, C.Vertical);
        EXPECT_EQ(Cv->Pixels(Down.X, Down.Y) == clBlack, C.Vertical);
        EXPECT_EQ(Cv->Pixels(Left.X, Left.Y) == clBlack, C.Horizontal);
        EXPECT_EQ(Cv->Pixels(Right.X, Right.Y) == clBlack, C.Horizontal);
    }
    EXPECT_EQ(TZirOvararIzazCore::PanGlyph(ipNone)->Width(), 0);
    Show();
    Grid->SetPanPosition(TPoint(40, 40));
    Grid->DrawPanGlyph();
    Grid->ErasePanGlyph();
    Pump();
}

TEST_F(AccessorTest, SizingOfFixedCellsMayBeRefused) {
    auto* G = Create<TSizingCore>(Form);
    G->SetParent(Form);
    G->SetOptions(G->Options() + TGridOptions{goColSizing, goRowSizing});
    const TRect Header = G->CellRect(1, 0);
    const TRect RowHead = G->CellRect(0, 2);
    TGridState State = gsNormal;
    Integer Index = -1, Pos = 0, Ofs = 0;
    G->CalcSizingState(Header.Right, Header.Top + 2, State, Index, Pos, Ofs);
    EXPECT_EQ(State, gsColSizing);
    Integer Asked = -1;
    G->OnColumnSize = [&](TObject*, Integer ACol, bool& Allow) { Asked = ACol, Allow = false; };
    G->CalcSizingState(Header.Right, Header.Top + 2, State, Index, Pos, Ofs);
    EXPECT_EQ(State, gsNormal);
    EXPECT_EQ(Asked, 1);

    G->CalcSizingState(RowHead.Left + 2, RowHead.Bottom, State, Index, Pos, Ofs);
    EXPECT_EQ(State, gsRowSizing);
    G->OnRowSize = [&](TObject*, Integer ARow, bool& Allow) { Asked = ARow, Allow = false; };
    G->CalcSizingState(RowHead.Left + 2, RowHead.Bottom, State, Index, Pos, Ofs);
    EXPECT_EQ(State, gsNormal);
    EXPECT_EQ(Asked, 2);
}

// The cell painter: fixed-cell faces per look, the room the header's
// drop-down button takes, the cell's colours and font as the text step gets
// them, the painting events and the focus rectangle.

#include "ViewTestSupport.h"

#include "graphics/Graphic.h"
#include "windowing/SystemMetrics.h"

#include <tuple>

namespace {

using CellPaintTest = GridFormTest<TCellPaintGrid>;

const TRect HeaderRect(0, 0, 40, 20);

} // namespace

TEST_F(CellPaintTest, FixedFacesPerLook) {
    // The face's colour where the look puts it; white where it leaves the
    // base grid's background alone.
    struct Case {
        TGridLook Look;
        bool Face, FullWidth, WhiteSides;
    } Cases[] = {{glStandard, false, false, false}, {glXP, true, true, false},     {glDOV, true, false, false},
                 {glVista, true, false, true},      {glWin7, true, false, false}, {glOffice2007, true, false, false}};
    Grid->SetFixedRows(1);
    for (const Case& T : Cases) {
        SCOPED_TRACE(Grid->LookToString(T.Look).size());
        Grid->SetLook(T.Look);
        Grid->SetDOVGradientFrom(clRed);
        Grid->SetDOVGradientTo(clRed);
        Grid->SetDOVGradientMirrorFrom(clNone);
        Grid->SetDOVGradientMirrorTo(clNone);
        TBitmap* Bmp = WhiteCanvasBitmap(40, 20);
        Grid->DrawCellContent(Bmp->Canvas(), 1, 0, HeaderRect, TGridDrawState({gdFixed}));
        TCanvas* C = Bmp->Canvas();
        EXPECT_EQ(C->Pixels(20, 10), T.Face ? clRed : clWhite);
        if (T.Face) {
            EXPECT_EQ(C->Pixels(39, 10), T.FullWidth ? clRed : clWhite);
            EXPECT_EQ(C->Pixels(20, 19) == clRed, T.FullWidth);
        }
        if (T.Look == glVista || T.Look == glWin7 || T.Look == glOffice2007) {
            EXPECT_EQ(C->Pixels(38, 10), T.WhiteSides ? clWhite : clRed);
            EXPECT_EQ(C->Pixels(0, 10), T.WhiteSides ? clWhite : clRed);
        }
        Free(Bmp);
    }
}

TEST_F(CellPaintTest, TheHoverRowPaintsItsFixedCellsWithoutAFace) {
    Grid->SetFixedCols(1);
    Grid->SetDOVGradientFrom(clRed);
    Grid->SetDOVGradientTo(clRed);
    Grid->SetHoverRowIdx(1);
    Grid->SetHoverRowCells(THoverRowCells({hcFixed}));
    TBitmap* Bmp = WhiteCanvasBitmap(40, 20);
    Grid->DrawCellContent(Bmp->Canvas(), 0, 1, HeaderRect, TGridDrawState({gdFixed}));
    EXPECT_EQ(Bmp->Canvas()->Pixels(20, 10), clWhite);
    Grid->DrawCellContent(Bmp->Canvas(), 0, 2, HeaderRect, TGridDrawState({gdFixed}));
    EXPECT_EQ(Bmp->Canvas()->Pixels(20, 10), clRed);
    Free(Bmp);
}

TEST_F(CellPaintTest, HoveredHeaderWithDropDownButtonLosesSixteenPixels) {
    Grid->SetFixedRows(1);
    Grid->SetLook(glXP);
    Grid->SetHoverFixedCells(hfAll);
    Grid->ControlLook()->SetFixedDropDownButton(true);
    TBitmap* Bmp = WhiteCanvasBitmap(40, 20);
    struct Case {
        Integer HoverCol;
        bool Down;
        Integer Right;
    } Cases[] = {{1, false, 24}, {1, true, 24}, {2, false, 40}, {-1, false, 40}};
    for (const Case& T : Cases) {
        SCOPED_TRACE(T.HoverCol * 10 + T.Down);
        Grid->SetFixedHover(T.HoverCol, T.HoverCol < 0 ? -1 : 0, T.Down, false);
        Grid->DrawCellContent(Bmp->Canvas(), 1, 0, HeaderRect, TGridDrawState({gdFixed}));
        EXPECT_EQ(Grid->Seen.R.Right, T.Right);
    }
    Free(Bmp);
}

TEST_F(CellPaintTest, SelectedUnfocusedCellWithoutSelectionColourIsOnHighlight) {
    Grid->SetSelectionColor(clNone);
    TBitmap* Bmp = WhiteCanvasBitmap(40, 20);
    Grid->DrawCellContent(Bmp->Canvas(), 1, 1, HeaderRect, TGridDrawState({gdSelected}));
    EXPECT_EQ(Grid->SeenBrushColor, clHighlight);
    Grid->DrawCellContent(Bmp->Canvas(), 1, 1, HeaderRect, TGridDrawState({gdSelected, gdFocused}));
    EXPECT_NE(Grid->SeenBrushColor, clHighlight);
    Free(Bmp);
}

TEST_F(CellPaintTest, ZoomFactorAddsToTheFontSizeAndNeverReachesZero) {
    Grid->Font()->SetSize(10);
    TBitmap* Bmp = WhiteCanvasBitmap(40, 20);
    for (auto [Zoom, Size] : {std::pair{2, 12}, {-3, 7}, {-10, 1}}) {
        Grid->SetZoomFactor(Zoom);
        Bmp->Canvas()->Font()->Assign(Grid->Font());
        Grid->DrawCellContent(Bmp->Canvas(), 1, 1, HeaderRect, TGridDrawState());
        EXPECT_EQ(Grid->SeenFontSize, Size) << Zoom;
    }
    Free(Bmp);
}

TEST_F(CellPaintTest, OnDrawCellGetsTheRealColumnAndARectangleWithoutTheGridLine) {
    Grid->SetColCount(5);
    Grid->HideColumn(1);
    Integer SeenCol = -1;
    TRect SeenRect;
    Grid->OnDrawCell = [&](TObject*, Integer ACol, Integer, TRect R, TGridDrawState) {
        SeenCol = ACol;
        SeenRect = R;
    };
    TBitmap* Bmp = WhiteCanvasBitmap(60, 40);
    Grid->DrawCellContent(Bmp->Canvas(), 1, 1, TRect(10, 10, 50, 30), TGridDrawState());
    EXPECT_EQ(SeenCol, 2);
    // The painter's rectangle grows by 1 for the borders; the event's has
    // the grid line taken off at the right and bottom.
    EXPECT_EQ(SeenRect, TRect(9, 9, 51 - Grid->GridLineWidth(), 31 - Grid->GridLineWidth()));
    Free(Bmp);
}

TEST_F(CellPaintTest, FocusRectangleOnlyOnTheFocusedCurrentNormalCell) {
    Show();
    Grid->SetCol(1);
    Grid->SetRow(1);
    auto FrameDrawn = [&](Integer ACol, Integer ARow) {
        TBitmap* Bmp = WhiteCanvasBitmap(60, 40);
        Grid->DrawCellContent(Bmp->Canvas(), ACol, ARow, TRect(10, 10, 50, 30), TGridDrawState());
        // The dotted frame starts at the rectangle's top-left corner.
        const bool Drawn = Bmp->Canvas()->Pixels(9, 9) != clWhite;
        Free(Bmp);
        return Drawn;
    };
    Grid->SetFocus();
    Pump();
    ASSERT_TRUE(Grid->Focused());
    EXPECT_TRUE(FrameDrawn(1, 1));
    EXPECT_FALSE(FrameDrawn(2, 1));
    Grid->SetHideFocusRect(true);
    EXPECT_FALSE(FrameDrawn(1, 1));
    Grid->SetHideFocusRect(false);
    // Another window takes the focus.
    auto* Other = Create<TEdit>(Form);
    Other->SetParent(Form);
    Other->SetFocus();
    Pump();
    EXPECT_FALSE(FrameDrawn(1, 1));
}

TEST_F(CellPaintTest, ACellScrollBarShowsOnlyWhenThePageIsBelowTheRange) {
    Grid->AddScrollBar(1, 1, false);
    const TRect Cell(0, 0, 60, 40);
    for (auto [Page, Range, Shown] : {std::tuple{40, 100, true}, {100, 100, false}}) {
        SCOPED_TRACE(Page);
        TBitmap* Bmp = WhiteCanvasBitmap(60, 40);
        Grid->SetScrollProp(1, 1, TScrollProp{Page, Range});
        Grid->DrawCellContent(Bmp->Canvas(), 1, 1, Cell, TGridDrawState());
        const Integer BarWidth = winapi::GetSystemMetrics(winapi::SM_CXVSCROLL);
        EXPECT_EQ(Grid->Seen.R.Right, Shown ? Cell.Right - BarWidth : Cell.Right);
        // The bar's track at the right edge.
        EXPECT_EQ(Bmp->Canvas()->Pixels(59, 39) != clWhite, Shown);
        Free(Bmp);
    }
}

TEST_F(CellPaintTest, TheCellObjectIsPaintedWithTheCell) {
    TBitmap* Bmp = WhiteCanvasBitmap(60, 40);
    Grid->DrawCellContent(Bmp->Canvas(), 1, 1, TRect(0, 0, 60, 40), TGridDrawState());
    EXPECT_LT(CellInkBox(Bmp).Right, 0);
    Grid->AddCheckBox(1, 1, true, false);
    Grid->DrawCellContent(Bmp->Canvas(), 1, 1, TRect(0, 0, 60, 40), TGridDrawState());
    EXPECT_GE(CellInkBox(Bmp).Right, 0);
    Free(Bmp);
}

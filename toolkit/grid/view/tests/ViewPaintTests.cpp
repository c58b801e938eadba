// The grid's paint around its cells: the empty area, the non-client border,
// the drag lines, the focus window and the overlay operations.

#include "ViewTestSupport.h"

#include "graphics/GdiDraw.h"
#include "grid/BackGround.h"
#include "grid/GridError.h"
#include "gridbase/GridOptions.h"
#include "windowing/Paint.h"
#include "windowing/Window.h"

using namespace ZirOvararIzaz;

namespace {

// The grid painted into a bitmap of its size.
std::unique_ptr<TBitmap> Snapshot(TTestGrid* Grid) {
    auto Bmp = std::make_unique<TBitmap>();
    Bmp->SetSize(Grid->Width(), Grid->Height());
    Grid->PaintTo(Bmp->Canvas()->Handle(), 0, 0);
    return Bmp;
}

} // namespace

TEST_F(ViewTest, TheBackgroundFillsOnlyTheAreaNoCellCovers) {
    Show();
    Grid->SetColCount(3);
    Grid->SetRowCount(3);
    const TRect Last = Grid->CellRect(2, 2), Normal = Grid->CellRect(1, 1);
    // A point of the right strip and one of the bottom strip, level with a
    // normal cell, and a point inside that cell.
    const TPoint RightStrip(Last.Right + 10, Normal.Top + 3), BottomStrip(Normal.Left + 3, Last.Bottom + 10);
    const TPoint InCell(Normal.Left + 3, Normal.Top + 3);

    Grid->BackGround()->SetDisplay(bdGradientHorz);
    Grid->BackGround()->SetColor(clLime);
    Grid->BackGround()->SetColorTo(clLime);
    auto Gradient = Snapshot(Grid);
    EXPECT_EQ(Gradient->Canvas()->Pixels(RightStrip.X, RightStrip.Y), clLime);
    EXPECT_EQ(Gradient->Canvas()->Pixels(BottomStrip.X, BottomStrip.Y), clLime);

    // A picture shown in the fixed cells only: outside them it shows in the
    // strips alone.
    TBitmap Picture;
    Picture.SetSize(1000, 800);
    Picture.Canvas()->Brush()->SetColor(clLime);
    Picture.Canvas()->FillRect(TRect(0, 0, 1000, 800));
    Grid->BackGround()->SetColorTo(clNone);
    Grid->BackGround()->SetBitmap(&Picture);
    Grid->BackGround()->SetDisplay(bdFixed);
    Grid->BackGround()->SetCells(bcFixed);
    auto Sparse = Snapshot(Grid);
    EXPECT_EQ(Sparse->Canvas()->Pixels(RightStrip.X, RightStrip.Y), clLime);
    EXPECT_EQ(Sparse->Canvas()->Pixels(BottomStrip.X, BottomStrip.Y), clLime);
    EXPECT_NE(Sparse->Canvas()->Pixels(InCell.X, InCell.Y), clLime);

    // Cells that fill the client area leave no strip.
    Grid->SetColCount(40);
    Grid->SetRowCount(200);
    auto Filled = Snapshot(Grid);
    EXPECT_NE(Filled->Canvas()->Pixels(RightStrip.X, RightStrip.Y), clLime);
    EXPECT_NE(Filled->Canvas()->Pixels(BottomStrip.X, BottomStrip.Y), clLime);
}

TEST_F(ViewTest, ADragLineDrawnTwiceRestoresEveryPixel) {
    Show();
    Grid->SetColCount(4);
    Grid->SetRowCount(4);
    Grid->SetCells(1, 1, u"Text under the line");
    Grid->Repaint();
    TCanvas* Cv = Grid->Canvas();
    auto Column = [&](Integer X) {
        std::vector<TColor> Px;
        for (Integer y = 0; y < Grid->ClientHeight(); ++y)
            for (Integer x = X - 1; x <= X + 1; ++x) Px.push_back(Cv->Pixels(x, y));
        return Px;
    };
    auto Row = [&](Integer Y) {
        std::vector<TColor> Px;
        for (Integer x = 0; x < Grid->ClientWidth(); ++x)
            for (Integer y = Y - 1; y <= Y + 1; ++y) Px.push_back(Cv->Pixels(x, y));
        return Px;
    };
    const Integer X = Grid->CellRect(1, 1).Left + 5, Y = Grid->CellRect(1, 1).Top + 6;
    const auto ColBefore = Column(X);
    Grid->DrawColDragLine(X);
    EXPECT_NE(Column(X), ColBefore);
    Grid->DrawColDragLine(X);
    EXPECT_EQ(Column(X), ColBefore);
    const auto RowBefore = Row(Y);
    Grid->DrawRowDragLine(Y);
    EXPECT_NE(Row(Y), RowBefore);
    Grid->DrawRowDragLine(Y);
    EXPECT_EQ(Row(Y), RowBefore);
}

TEST_F(ViewTest, TheNonClientBorderBelongsToTheLooksThatHaveOne) {
    struct TCase {
        TGridLook Look;
        bool Flat;
        bool Drawn;
    };
    const TCase Cases[] = {
        {glStandard, false, false}, {glClassic, false, false}, {glSoft, false, true}, {glXP, false, true},
        {glListView, false, true},  {glXP, true, false},       {glCustom, true, true},
    };
    Show();
    for (const TCase& C : Cases) {
        Grid->SetLook(C.Look);
        Grid->SetFlat(C.Flat);
        Grid->SetBorderColor(clRed);
        winapi::HDC DC = winapi::GetWindowDC(Grid->Handle());
        winapi::SetPixel(DC, 0, 5, clWhite);
        Grid->DrawNCBorder();
        EXPECT_EQ(winapi::GetPixel(DC, 0, 5) == clRed, C.Drawn) << C.Look << " flat " << C.Flat;
        winapi::ReleaseDC(Grid->Handle(), DC);
    }
}

TEST_F(ViewTest, TheFocusWindowFramesTheEditedCellAndLeavesWhenItScrollsAway) {
    Show();
    Grid->SetRowCount(60);
    Grid->SetOptions(TGridOptions{goEditing});
    Grid->FocusHelper()->SetEnabled(true);
    Grid->SetFocus();
    Grid->FocusCell(2, 3);
    Grid->ShowInplaceEdit();
    Pump();
    ASSERT_TRUE(Grid->EditMode());
    TGridFocusWindow* FW = Grid->FocusWindowIfAny();
    ASSERT_NE(FW, nullptr);
    ASSERT_TRUE(winapi::IsWindowVisible(FW->Handle()));
    const TRect Cell = Grid->CellRect(2, 3);
    TPoint At(Cell.Left, Cell.Top);
    winapi::ClientToScreen(Grid->Handle(), At);
    TRect Frame;
    winapi::GetWindowRect(FW->Handle(), Frame);
    EXPECT_EQ(Frame, TRect(At.X - 4, At.Y - 4, At.X - 4 + Cell.Width() + 9, At.Y - 4 + Cell.Height() + 9));

    // It follows the form.
    Form->SetBounds(Form->Left() + 30, Form->Top() + 20, Form->Width(), Form->Height());
    Pump();
    TRect Moved;
    winapi::GetWindowRect(FW->Handle(), Moved);
    EXPECT_EQ(Moved.Left, Frame.Left + 30);
    EXPECT_EQ(Moved.Top, Frame.Top + 20);

    Grid->SetTopRow(30);
    Pump();
    EXPECT_FALSE(winapi::IsWindowVisible(FW->Handle()));
}

TEST_F(ViewTest, OnlyAFixedCellOpensTheFixedCellEditor) {
    try {
        Grid->ShowFixedInplaceEdit(1, 1);
        FAIL() << "no error for a normal cell";
    } catch (const EKelGridError& E) {
        EXPECT_EQ(E.Message(), u"Cannot start fixed inplace editor in non-fixed cell");
    }
    EXPECT_NO_THROW(Grid->ShowFixedInplaceEdit(1, 0));
}

TEST_F(ViewTest, AtRunTimeNoPointIsOnTheDesignPanel) {
    Show();
    EXPECT_EQ(Grid->DesignHelperHitTest(Grid->ClientWidth() - 20, Grid->ClientHeight() - 10), -1);
}

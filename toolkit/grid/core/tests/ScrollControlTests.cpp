// The thin scroll control: its thumb against the grid's view, paging and
// dragging with the mouse, and a control too short for its thumb or its drag.

#include "CoreTestSupport.h"

#include "graphics/Graphic.h"

using namespace winapi;

namespace {

class ScrollControlTest : public CoreTest {
protected:
    void SetUp() override {
        CoreTest::SetUp();
        Grid->SetBorderStyle(bsNone);
        Grid->SetScrollBars(ssNone);
        Grid->SetBounds(0, 0, 300, 300);
        Grid->SetFixedRows(0);
        Grid->SetFixedCols(0);
        Grid->SetColCount(3);
        Grid->SetRowCount(100);
        // 29 pixels and the grid line: ten rows in 300 pixels.
        Grid->SetDefaultRowHeight(29);
        Show();
        Grid->SetScrollBars(ssVertical);
        Grid->CreateScrollControls();
        Grid->SetScrollBars(ssNone);
        Bar = Grid->VScrollControl();
        ASSERT_NE(Bar, nullptr);
        Bar->SetAlign(alNone);
        Bar->SetBounds(294, 0, 6, 300);
        ASSERT_EQ(Grid->VisibleRowCount(), 10);
    }
    void Press(Integer Y) { Bar->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, Y)); }
    void Move(Integer Y) { Bar->Perform(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(2, Y)); }
    void Release(Integer Y) { Bar->Perform(WM_LBUTTONUP, 0, MAKELPARAM(2, Y)); }

    TScrollControl* Bar = nullptr;
};

} // namespace

TEST_F(ScrollControlTest, ThumbIsTheVisibleShareOfTheTrackAtLeastTwentyPixelsAndInsideTheControl) {
    struct TCase {
        Integer Rows, TopRow, Pos, Size;
    } Cases[] = {
        {100, 0, 0, 30},    // a tenth of the track
        {100, 50, 150, 30},
        {100, 90, 270, 30}, // at the end
        {1000, 0, 0, 20},   // three pixels would be too thin
        {1000, 990, 280, 20},
    };
    for (const TCase& Case : Cases) {
        Grid->SetRowCount(Case.Rows);
        Grid->SetTopRow(Case.TopRow);
        EXPECT_EQ(Bar->TrackLength(), 300);
        EXPECT_EQ(Bar->ThumbPos(), Case.Pos) << Case.Rows << " rows from " << Case.TopRow;
        EXPECT_EQ(Bar->ThumbSize(), Case.Size) << Case.Rows << " rows from " << Case.TopRow;
        EXPECT_TRUE(Bar->ThumbShown());
    }
    Grid->SetRowCount(5);
    EXPECT_FALSE(Bar->ThumbShown());
}

TEST_F(ScrollControlTest, FixedRowsAndFooterRowsAreNotPartOfTheTrack) {
    Grid->SetFixedRows(1);
    Grid->SetFixedFooters(1);
    Grid->SetRowHeights(0, 40);
    EXPECT_EQ(Bar->TrackLength(), 300 - 40 - 29);
    // The thumb starts below the fixed row.
    Grid->SetTopRow(1);
    EXPECT_EQ(Bar->ThumbPos(), 40);
}

TEST_F(ScrollControlTest, AThumbLongerThanTheControlStartsAtItsEdge) {
    Bar->SetBounds(294, 0, 6, 10);
    Grid->SetTopRow(50);
    EXPECT_EQ(Bar->ThumbSize(), 20);
    EXPECT_EQ(Bar->ThumbPos(), 0);
}

TEST_F(ScrollControlTest, PressesBeforeAndAfterTheThumbPageByTheVisibleRows) {
    Press(200); // below the thumb at 0 .. 30
    Release(200);
    EXPECT_EQ(Grid->TopRow(), 10);
    Press(250);
    Release(250);
    EXPECT_EQ(Grid->TopRow(), 20);
    Press(5); // above the thumb at 60
    Release(5);
    EXPECT_EQ(Grid->TopRow(), 10);
    Press(2);
    Release(2);
    EXPECT_EQ(Grid->TopRow(), 0);
    // Paging forward stops at the last full view.
    Grid->SetTopRow(85);
    Press(299);
    Release(299);
    EXPECT_EQ(Grid->TopRow(), 90);
}

TEST_F(ScrollControlTest, DraggingTheThumbMovesTheViewUntilReleased) {
    Press(5);
    EXPECT_TRUE(Bar->Dragging());
    EXPECT_EQ(Grid->TopRow(), 0);
    // 150 pixels of the 271 below the first row: 55 of 100 rows.
    Move(155);
    EXPECT_EQ(Grid->TopRow(), 55);
    Move(1000);
    EXPECT_EQ(Grid->TopRow(), 90);
    Move(-500);
    EXPECT_EQ(Grid->TopRow(), 0);
    Release(-500);
    EXPECT_FALSE(Bar->Dragging());
    Move(155);
    EXPECT_EQ(Grid->TopRow(), 0);
}

TEST_F(ScrollControlTest, AControlNoLongerThanTheFirstRowDoesNotDrag) {
    // 29 pixels: the drag's scale would be zero (and negative below).
    for (Integer Height : {29, 20}) {
        Bar->SetBounds(294, 0, 6, Height);
        Grid->SetTopRow(0);
        Press(1);
        ASSERT_TRUE(Bar->Dragging());
        Move(15);
        EXPECT_EQ(Grid->TopRow(), 0) << Height;
        Release(15);
    }
}

TEST_F(ScrollControlTest, OnAnotherParentItDoesNothing) {
    auto* Loose = Create<TScrollControl>(Form);
    Loose->SetParent(Form);
    Loose->SetBounds(0, 0, 6, 100);
    EXPECT_EQ(Loose->ThumbSize(), 0);
    EXPECT_FALSE(Loose->ThumbShown());
    Loose->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 50));
    EXPECT_FALSE(Loose->Dragging());
    EXPECT_EQ(Grid->TopRow(), 0);
}

TEST_F(ScrollControlTest, PaintsTheThumbOverWhatTheGridShowsUnderIt) {
    Grid->SetColor(0x00FF00);
    Grid->SetDefaultColWidth(120); // the cells reach under the control
    Grid->SetTopRow(50); // thumb at 150 .. 180
    TBitmap Shot;
    Shot.SetSize(6, 300);
    Shot.Canvas()->Brush()->SetColor(0x0000FF);
    Shot.Canvas()->FillRect(TRect{0, 0, 6, 300});
    Bar->Perform(WM_PAINT, reinterpret_cast<WPARAM>(Shot.Canvas()->Handle()), 0);
    EXPECT_EQ(Shot.Canvas()->Pixels(1, 160), TColor(0xC0C0C0));
    // Beside the four-pixel thumb and outside it, the grid's cells show.
    EXPECT_EQ(Shot.Canvas()->Pixels(5, 160), TColor(0x00FF00));
    EXPECT_EQ(Shot.Canvas()->Pixels(1, 50), TColor(0x00FF00));
}

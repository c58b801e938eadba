// The grids: layout and scrolling, hit tests, keyboard and mouse navigation
// with the select-cell query, painting states, the in-place editor and the
// string grid's cell store.

#include "VclTestSupport.h"
#include "graphics/GdiDraw.h"
#include "rtl/Convert.h"
#include "rtl/StringList.h"
#include "vcl/Grids.h"
#include "windowing/Input.h"
#include "windowing/Paint.h"
#include "windowing/ScrollBar.h"

#include <map>

using namespace winapi;

namespace {

// A grid of 200 x 100 client pixels without border or scroll bars: columns
// 50 wide and rows 20 high, each followed by a one-pixel grid line, so
// column c of the first page starts at 51 c and row r at 21 r.
class GridTest : public VclTest {
protected:
    void SetUp() override {
        VclTest::SetUp();
        Form = NewForm();
        Grid = new TStringGrid(Form);
        Grid->SetParent(Form);
        Grid->SetBorderStyle(bsNone);
        Grid->SetScrollBars(ssNone);
        Grid->SetDefaultColWidth(50);
        Grid->SetDefaultRowHeight(20);
        Grid->SetBounds(0, 0, 200, 100);
        Grid->SetColCount(10);
        Grid->SetRowCount(10);
        Form->Show();
        Grid->SetFocus();
        Pump();
    }

    void Key(Word VirtualKey, const std::vector<Word>& Held = {}) {
        for (Word K : Held)
            headless::PressKey(K);
        headless::TypeKey(VirtualKey);
        for (Word K : Held)
            headless::ReleaseKey(K);
        Pump();
    }

    TPoint Screen(Integer X, Integer Y) const { return Grid->ClientToScreen({X, Y}); }

    TForm* Form = nullptr;
    TStringGrid* Grid = nullptr;
};

TGridCoord Current(const TCustomGrid* Grid) {
    return {Grid->Col(), Grid->Row()};
}

template <class F>
std::string ErrorOf(F&& Action) {
    try {
        Action();
    } catch (const Exception& E) {
        return Narrow(E.Message());
    }
    return "no error";
}

} // namespace

// ---- Layout and scrolling ----

TEST_F(GridTest, VisibleCountsAndTopRowClampFollowFixedRowsAndPartialRows) {
    struct Case {
        Integer RowCount, FixedRows, Height, AskedTopRow, TopRow, VisibleRows;
    } Cases[] = {
        {10, 1, 100, 1, 1, 3},   // the fourth row shows only in part
        {10, 1, 100, 100, 7, 3}, // scrolled as far as the last row shown in full
        {10, 0, 100, 0, 0, 4},   // no fixed row: one more row fits
        {10, 0, 100, 9, 6, 4},   {10, 2, 100, 2, 2, 2},
        {10, 1, 30, 1, 1, 1},                          // no row fits in full: one still counts
        {10, 1, 30, 50, 9, 1},   {3, 1, 100, 2, 1, 2}, // everything fits: no scrolling
        {10, 1, 104, 1, 1, 4},                         // the fourth row ends exactly at the client's edge
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(testing::Message()
                     << C.RowCount << " rows, " << C.FixedRows << " fixed, height " << C.Height);
        Grid->SetTopRow(Grid->FixedRows());
        Grid->SetRowCount(C.RowCount);
        Grid->SetFixedRows(C.FixedRows);
        Grid->SetHeight(C.Height);
        Grid->SetTopRow(C.AskedTopRow);
        EXPECT_EQ(Grid->TopRow(), C.TopRow);
        EXPECT_EQ(Grid->VisibleRowCount(), C.VisibleRows);
    }
}

TEST_F(GridTest, ColumnWidthsOfZeroTakeNoRoomAndSetTheLeftColumnLimit) {
    EXPECT_EQ(Grid->VisibleColCount(), 2); // 51 + 51 + 51 > 200 - 51 would need 203
    Grid->SetColWidths(2, 0);
    EXPECT_EQ(Grid->VisibleColCount(), 3);
    Grid->SetLeftCol(100);
    EXPECT_EQ(Grid->LeftCol(), 8); // columns 8 and 9 fill the scrollable room
    EXPECT_EQ(Grid->GridWidth(), 9 * 51);
}

TEST_F(GridTest, CellRectIsClippedAtTheClientAndEmptyForHiddenCells) {
    struct Case {
        Integer Col, Row;
        TRect Expected;
    } Cases[] = {
        {0, 0, {0, 0, 50, 20}},
        {3, 1, {153, 21, 200, 41}}, // clipped on the right
        {1, 4, {51, 84, 101, 100}}, // clipped at the bottom
        {4, 1, {}},                 // starts past the client
        {-1, 0, {}},
        {10, 1, {}}, // outside the grid
    };
    for (const Case& C : Cases)
        EXPECT_EQ(Grid->CellRect(C.Col, C.Row), C.Expected) << C.Col << "," << C.Row;
    Grid->SetLeftCol(3);
    EXPECT_EQ(Grid->CellRect(1, 1), TRect()) << "scrolled off";
    EXPECT_EQ(Grid->CellRect(0, 1), TRect(0, 21, 50, 41)) << "fixed columns stay";
    EXPECT_EQ(Grid->CellRect(3, 1), TRect(51, 21, 101, 41));
}

TEST_F(GridTest, MouseCoordMapsPointsToCellsAndOutsidePointsToMinusOne) {
    struct Case {
        Integer X, Y, Col, Row;
    } Cases[] = {
        {10, 10, 0, 0},  {60, 30, 1, 1},    {50, 10, 0, 0}, // the grid line belongs to the cell before it
        {199, 99, 3, 4}, {250, 50, -1, -1}, {-1, 5, -1, -1},
    };
    for (const Case& C : Cases) {
        Integer Col = 0, Row = 0;
        Grid->MouseToCell(C.X, C.Y, Col, Row);
        EXPECT_EQ(Col, C.Col) << C.X << "," << C.Y;
        EXPECT_EQ(Row, C.Row) << C.X << "," << C.Y;
    }
    Grid->SetColCount(3);
    EXPECT_EQ(Grid->MouseCoord(170, 10), TGridCoord({-1, -1})) << "right of the last column";
}

TEST_F(GridTest, CountErrorsAndShrinkingBelowTheFixedCount) {
    EXPECT_EQ(ErrorOf([&] { Grid->SetFixedRows(10); }), "Fixed row count must be less than row count");
    EXPECT_EQ(ErrorOf([&] { Grid->SetFixedCols(10); }), "Fixed column count must be less than column count");
    EXPECT_EQ(ErrorOf([&] { Grid->SetFixedCols(-1); }), "Grid index out of range");
    EXPECT_EQ(ErrorOf([&] { Grid->SetRowCount(0); }), "Grid index out of range");
    EXPECT_EQ(ErrorOf([&] { Grid->SetCol(0); }), "Grid index out of range")
        << "fixed cells are never current";
    EXPECT_EQ(ErrorOf([&] { Grid->SetRow(10); }), "Grid index out of range");
    EXPECT_EQ(ErrorOf([&] { Grid->SetColWidths(10, 5); }), "Grid index out of range");

    Grid->SetFixedCols(3);
    Grid->SetColCount(2);
    EXPECT_EQ(Grid->FixedCols(), 1);
    EXPECT_EQ(Grid->Col(), 1);
}

TEST_F(GridTest, ScrollBarsRunOnTheFixedScaleAndScrollMessagesMoveTheTopRow) {
    Grid->SetScrollBars(ssVertical);
    Pump();
    Integer Changes = 0;
    Grid->OnTopLeftChanged = [&](TObject*) { ++Changes; };
    SCROLLINFO Info;
    Info.fMask = SIF_RANGE | SIF_POS;
    ASSERT_TRUE(GetScrollInfo(Grid->Handle(), SB_VERT, Info));
    EXPECT_EQ(Info.nMax, 127);
    EXPECT_EQ(Info.nPos, 0);

    Grid->Perform(WM_VSCROLL, SB_PAGEDOWN, 0);
    EXPECT_EQ(Grid->TopRow(), 4);
    Grid->Perform(WM_VSCROLL, SB_LINEUP, 0);
    EXPECT_EQ(Grid->TopRow(), 3);
    Grid->Perform(WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 127), 0);
    EXPECT_EQ(Grid->TopRow(), 3) << "no thumb tracking without goThumbTracking";
    Grid->Perform(WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 127), 0);
    EXPECT_EQ(Grid->TopRow(), 7);
    EXPECT_EQ(GetScrollPos(Grid->Handle(), SB_VERT), 127);
    EXPECT_EQ(Changes, 3);
}

// ---- Keyboard ----

TEST_F(GridTest, KeyboardNavigationMovesTheCurrentCellAndScrollsItIntoView) {
    Grid->SetOptions(Grid->Options() + TGridOptions{goTabs});
    struct Step {
        Word Key;
        std::vector<Word> Held;
        TGridCoord Expected;
        Integer TopRow;
    } Steps[] = {
        {VK_DOWN, {}, {1, 2}, 1},
        {VK_RIGHT, {}, {2, 2}, 1},
        {VK_END, {}, {9, 2}, 1},
        {VK_TAB, {}, {1, 3}, 1},         // Tab wraps to the next row
        {VK_TAB, {VK_SHIFT}, {9, 2}, 1}, // and back
        {VK_HOME, {}, {1, 2}, 1},
        {VK_NEXT, {}, {1, 5}, 4}, // a page is VisibleRowCount rows
        {VK_DOWN, {}, {1, 6}, 4},
        {VK_DOWN, {}, {1, 7}, 5}, // scrolled to show the row in full
        {VK_PRIOR, {}, {1, 4}, 2},
        {VK_END, {VK_CONTROL}, {9, 9}, 7},
        {VK_DOWN, {}, {9, 9}, 7}, // nothing below the last row
        {VK_HOME, {VK_CONTROL}, {1, 1}, 1},
        {VK_UP, {}, {1, 1}, 1}, // fixed rows are never current
    };
    for (const Step& S : Steps) {
        Key(S.Key, S.Held);
        EXPECT_EQ(Current(Grid), S.Expected) << "key " << S.Key;
        EXPECT_EQ(Grid->TopRow(), S.TopRow) << "key " << S.Key;
    }
}

TEST_F(GridTest, SelectCellVetoKeepsTheCurrentCellAndShiftExtendsTheSelection) {
    std::vector<TGridCoord> Asked;
    Grid->OnSelectCell = [&](TObject*, Integer ACol, Integer ARow, bool& CanSelect) {
        Asked.push_back({ACol, ARow});
        CanSelect = ACol != 2;
    };
    Key(VK_RIGHT);
    EXPECT_EQ(Current(Grid), TGridCoord({1, 1}));
    EXPECT_EQ(Asked, std::vector<TGridCoord>({{2, 1}}));
    EXPECT_EQ(ErrorOf([&] { Grid->SetCol(2); }), "no error");
    EXPECT_EQ(Grid->Col(), 1) << "the setter asks too";

    Key(VK_DOWN, {VK_SHIFT});
    Key(VK_DOWN, {VK_SHIFT});
    EXPECT_EQ(Grid->Selection(), TGridRect({1, 1, 1, 3}));
    EXPECT_EQ(Current(Grid), TGridCoord({1, 3}));
    Key(VK_DOWN);
    EXPECT_EQ(Grid->Selection(), TGridRect({1, 4, 1, 4}));

    Grid->SetOptions(Grid->Options() + TGridOptions{goRowSelect});
    EXPECT_EQ(Grid->Selection(), TGridRect({1, 4, 9, 4}));
    Key(VK_RIGHT);
    EXPECT_EQ(Grid->LeftCol(), 2) << "with row selection the side keys scroll";
    EXPECT_EQ(Grid->Col(), 1);
}

TEST_F(GridTest, TabLeavesTheGridWithoutGoTabs) {
    auto* Other = new TLogControl(Form, Log, u"other", Form, Bounds(0, 150, 50, 20));
    Other->SetTabStop(true);
    Key(VK_TAB);
    EXPECT_TRUE(Other->Focused());
    EXPECT_EQ(Current(Grid), TGridCoord({1, 1}));
}

// ---- Mouse ----

TEST_F(GridTest, ClickDragAndShiftClickSelectCells) {
    auto ClickAt = [&](Integer X, Integer Y) {
        headless::AdvanceClock(1000); // no double click
        headless::Click(Screen(X, Y).X, Screen(X, Y).Y);
        Pump();
    };
    ClickAt(110, 30); // cell (2, 1)
    EXPECT_EQ(Current(Grid), TGridCoord({2, 1}));
    headless::AdvanceClock(1000);
    headless::MoveMouse(Screen(60, 50).X, Screen(60, 50).Y); // cell (1, 2)
    headless::Press();
    headless::MoveMouse(Screen(110, 70).X, Screen(110, 70).Y); // cell (2, 3)
    Pump();
    EXPECT_EQ(Grid->GridState(), gsSelecting);
    headless::Release();
    Pump();
    EXPECT_EQ(Grid->GridState(), gsNormal);
    EXPECT_EQ(Grid->Selection(), TGridRect({1, 2, 2, 3}));
    EXPECT_EQ(Current(Grid), TGridCoord({2, 3}));

    headless::PressKey(VK_SHIFT);
    ClickAt(60, 30);
    headless::ReleaseKey(VK_SHIFT);
    EXPECT_EQ(Grid->Selection(), TGridRect({1, 1, 1, 2})) << "the anchor stays";

    ClickAt(10, 30); // a fixed cell selects nothing
    EXPECT_EQ(Current(Grid), TGridCoord({1, 1}));

    ClickAt(160, 30); // the partly shown column scrolls into view
    EXPECT_EQ(Current(Grid), TGridCoord({3, 1}));
    EXPECT_EQ(Grid->LeftCol(), 2);
}

TEST_F(GridTest, DraggingAColumnEdgeSizesItAndDraggingAHeaderMovesTheColumn) {
    Grid->SetOptions(Grid->Options() + TGridOptions{goColSizing, goColMoving});
    std::vector<std::pair<Integer, Integer>> Moves;
    Grid->OnColumnMoved = [&](TObject*, Integer From, Integer To) { Moves.emplace_back(From, To); };
    for (Integer C = 0; C < 5; ++C)
        Grid->SetCells(C, 1, String(1, Char(u'a' + C)));

    auto Drag = [&](TPoint From, TPoint To) {
        headless::MoveMouse(Screen(From.X, From.Y).X, Screen(From.X, From.Y).Y);
        headless::Press();
        headless::MoveMouse(Screen(To.X, To.Y).X, Screen(To.X, To.Y).Y);
        headless::Release();
        Pump();
    };
    Drag({101, 10}, {80, 10}); // the right edge of column 1
    EXPECT_EQ(Grid->ColWidths(1), 29);
    Drag({80, 10}, {40, 10}); // past the column's left edge
    EXPECT_EQ(Grid->ColWidths(1), 0) << "never negative";

    Grid->SetColWidths(1, 50);
    Drag({70, 10}, {170, 10}); // header of column 1 onto column 3
    EXPECT_EQ(Moves, (std::vector<std::pair<Integer, Integer>>{{1, 3}}));
    EXPECT_EQ(Grid->Rows(1)->CommaText(), u"a,c,d,b,e,,,,,");
    EXPECT_EQ(Grid->Col(), 3) << "the current column follows its data";
}

TEST_F(GridTest, WheelMovesTheCurrentRow) {
    headless::MoveMouse(Screen(60, 30).X, Screen(60, 30).Y);
    headless::Wheel(-WHEEL_DELTA);
    Pump();
    EXPECT_EQ(Grid->Row(), 2);
    headless::Wheel(WHEEL_DELTA);
    headless::Wheel(WHEEL_DELTA);
    Pump();
    EXPECT_EQ(Grid->Row(), 1);
}

// ---- Painting ----

TEST_F(GridTest, DrawCellVisitsEveryShownCellWithItsState) {
    Grid->SetDefaultDrawing(false);
    Grid->SetRowHeights(2, 0);
    Grid->SetSelection({1, 1, 2, 3});
    std::map<std::pair<Integer, Integer>, std::pair<TRect, TGridDrawState>> Drawn;
    Grid->OnDrawCell = [&](TObject*, Integer ACol, Integer ARow, TRect Rect, TGridDrawState State) {
        EXPECT_TRUE(Drawn.emplace(std::make_pair(ACol, ARow), std::make_pair(Rect, State)).second) << "twice";
    };
    Grid->Repaint();
    // Columns 0-3 (3 in part) and rows 0, 1, 3, 4, 5 (row 2 has no height, 5 in part).
    EXPECT_EQ(Drawn.size(), 4u * 5u);
    EXPECT_EQ(Drawn.count({1, 2}), 0u);
    EXPECT_EQ(Drawn.at({0, 0}).second, TGridDrawState({gdFixed}));
    EXPECT_EQ(Drawn.at({1, 0}).second, TGridDrawState({gdFixed}));
    EXPECT_EQ(Drawn.at({2, 3}).second, TGridDrawState({gdFocused}));
    EXPECT_EQ(Drawn.at({1, 1}).second, TGridDrawState({gdSelected}));
    EXPECT_EQ(Drawn.at({3, 1}).second, TGridDrawState());
    EXPECT_EQ(Drawn.at({3, 5}).first, TRect(153, 84, 203, 104)) << "the full cell, the canvas clips";

    Grid->SetOptions(Grid->Options() + TGridOptions{goDrawFocusSelected});
    Drawn.clear();
    Grid->Repaint();
    EXPECT_EQ(Drawn.at({2, 3}).second, TGridDrawState({gdFocused, gdSelected}));
}

TEST_F(GridTest, DefaultDrawingShowsCellTextsAndTheSelection) {
    Grid->SetCells(2, 2, u"ABC");
    Grid->SetSelection({1, 3, 2, 3});
    Grid->Repaint();
    HDC DC = GetDC(Grid->Handle());
    Integer TextPixels = 0;
    for (Integer X = 102; X < 152; ++X)
        for (Integer Y = 42; Y < 62; ++Y)
            TextPixels += GetPixel(DC, X, Y) != ColorToRGB(clWindow);
    EXPECT_GT(TextPixels, 10) << "the text of cell (2, 2)";
    EXPECT_EQ(GetPixel(DC, 70, 75), ColorToRGB(clHighlight)) << "the selected cell (1, 3)";
    EXPECT_EQ(GetPixel(DC, 120, 75), ColorToRGB(clWindow)) << "the focused cell is not filled";
    EXPECT_EQ(GetPixel(DC, 40, 75), ColorToRGB(clBtnFace)) << "a fixed cell";
    EXPECT_EQ(GetPixel(DC, 101, 60), ColorToRGB(clSilver)) << "a grid line";
    ReleaseDC(Grid->Handle(), DC);
}

// ---- In-place editor ----

TEST_F(GridTest, EditorLoadsTheCellAndStoresItsTextWhenTheCellChanges) {
    Grid->SetOptions(Grid->Options() + TGridOptions{goEditing});
    Grid->SetCells(1, 1, u"one");
    Grid->SetCells(1, 2, u"two");
    Key(VK_F2);
    TInplaceEdit* Editor = Grid->InplaceEditor();
    ASSERT_NE(Editor, nullptr);
    EXPECT_TRUE(Grid->EditorMode());
    EXPECT_TRUE(Editor->Visible());
    EXPECT_EQ(Editor->Text(), u"one");
    EXPECT_EQ(Editor->BoundsRect(), Grid->CellRect(1, 1));

    Editor->SetText(u"changed");
    Grid->SetRow(2);
    EXPECT_EQ(Grid->Cells(1, 1), u"changed");
    EXPECT_EQ(Editor->Text(), u"two");
    Grid->HideEditor();
    EXPECT_FALSE(Editor->Visible());
    EXPECT_FALSE(Grid->EditorMode());
}

// ---- String grid store ----

TEST_F(GridTest, CellsAndObjectsAreKeptBeyondTheCountsAndReappearWhenTheGridGrows) {
    TObject Marker;
    Grid->SetCells(12, 3, u"hidden column");
    Grid->SetObjects(12, 3, &Marker);
    EXPECT_EQ(Grid->Cells(12, 3), u"hidden column");
    EXPECT_EQ(Grid->Objects(12, 3), &Marker);
    EXPECT_EQ(Grid->Cells(500, 500), u"");
    EXPECT_EQ(Grid->Objects(500, 500), nullptr);
    EXPECT_EQ(ErrorOf([&] { Grid->Cells(-1, 0); }), "Grid index out of range");

    Grid->SetCells(2, 8, u"stale");
    Grid->SetRowCount(4);
    Grid->SetRowCount(10);
    EXPECT_EQ(Grid->Cells(2, 8), u"stale");
}

TEST_F(GridTest, RowsAndColsAreLinesOverTheCurrentCount) {
    TStringList Source;
    Source.SetCommaText(u"a,b");
    Grid->SetCells(4, 1, u"old");
    Grid->SetCells(12, 1, u"beyond");
    Grid->SetColCount(5);
    Grid->SetRows(1, &Source);
    EXPECT_EQ(Grid->Rows(1)->CommaText(), u"a,b,,,");
    EXPECT_EQ(Grid->Cells(12, 1), u"beyond") << "cells past the count are not touched";
    EXPECT_EQ(Grid->Cols(0)->Count(), 10);
    EXPECT_EQ(Grid->Cols(0)->Strings(1), u"a");
    Grid->Cols(3)->SetStrings(9, u"x");
    EXPECT_EQ(Grid->Cells(3, 9), u"x");
    EXPECT_EQ(ErrorOf([&] { Grid->Rows(1)->Strings(5); }), "List index out of bounds (5)");
}

TEST_F(GridTest, DeleteRowShiftsTheRowsBelowUp) {
    for (Integer R = 0; R < 10; ++R)
        Grid->SetCells(1, R, String(1, Char(u'0' + R)));
    Grid->SetRowHeights(3, 33);
    Grid->DeleteRow(2);
    EXPECT_EQ(Grid->RowCount(), 9);
    EXPECT_EQ(Grid->Cells(1, 2), u"3");
    EXPECT_EQ(Grid->RowHeights(2), 33);
    EXPECT_EQ(Grid->Cells(1, 9), u"") << "the deleted row's cells are gone";
}

TEST_F(GridTest, DeletedRowsAndColumnsDoNotShowAgainWhenTheGridGrows) {
    Grid->SetCells(9, 9, u"corner");
    Grid->SetObjects(9, 9, Grid);
    Grid->SetCells(3, 12, u"beyond");
    Grid->DeleteRow(9);
    Grid->DeleteColumn(4);
    Grid->SetRowCount(13);
    Grid->SetColCount(10);
    for (Integer C = 0; C < 10; ++C) {
        EXPECT_EQ(Grid->Cells(C, 9), u"") << C;
        EXPECT_EQ(Grid->Cells(9, C), u"") << C;
        EXPECT_EQ(Grid->Objects(C, 9), nullptr) << C;
    }
    EXPECT_EQ(Grid->Cells(3, 12), u"beyond") << "cells stored past the counts keep their place";
}

// The block operations move whole rows with their heights in one step; the
// rows' text is the row number they started at.
TEST_F(GridTest, RowBlocksMoveTextsObjectsAndHeightsAsOneUnit) {
    TObject Marker;
    auto Fill = [&] {
        Grid->SetRowCount(10);
        Grid->SetDefaultRowHeight(20);
        for (Integer R = 0; R < 10; ++R) {
            Grid->SetCells(1, R, IntToStr(R));
            Grid->SetRowHeights(R, 20 + R);
        }
        Grid->SetObjects(4, 3, &Marker);
    };
    auto Texts = [&] {
        String S;
        for (Integer R = 0; R < Grid->RowCount(); ++R) S += (R ? u"," : u"") + Grid->Cells(1, R);
        return S;
    };
    auto Heights = [&] {
        String S;
        for (Integer R = 0; R < Grid->RowCount(); ++R) S += (R ? u"," : u"") + IntToStr(Grid->RowHeights(R) - 20);
        return S;
    };
    struct Case {
        const char* Name;
        std::function<void()> Step;
        const char16_t* Texts;
        const char16_t* Heights;
        Integer MarkerRow;
    };
    const Case Cases[] = {
        {"insert", [&] { Grid->InsertRowBlock(2, 2); }, u"0,1,,,2,3,4,5,6,7,8,9", u"0,1,0,0,2,3,4,5,6,7,8,9", 5},
        {"append", [&] { Grid->InsertRowBlock(10, 1); }, u"0,1,2,3,4,5,6,7,8,9,", u"0,1,2,3,4,5,6,7,8,9,0", 3},
        {"delete", [&] { Grid->DeleteRowBlock(2, 3); }, u"0,1,5,6,7,8,9", u"0,1,5,6,7,8,9", -1},
        {"move down", [&] { Grid->MoveRowBlock(1, 3, 5); }, u"0,4,5,6,7,1,2,3,8,9", u"0,4,5,6,7,1,2,3,8,9", 7},
        {"move up", [&] { Grid->MoveRowBlock(6, 2, 1); }, u"0,6,7,1,2,3,4,5,8,9", u"0,6,7,1,2,3,4,5,8,9", 5},
        {"permute", [&] { Grid->PermuteRows(2, {2, 0, 1}); }, u"0,1,4,2,3,5,6,7,8,9", u"0,1,4,2,3,5,6,7,8,9", 4},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.Name);
        Fill();
        C.Step();
        EXPECT_EQ(Texts(), C.Texts);
        EXPECT_EQ(Heights(), C.Heights);
        for (Integer R = 0; R < Grid->RowCount(); ++R)
            EXPECT_EQ(Grid->Objects(4, R) == &Marker, R == C.MarkerRow) << R;
        Grid->SetObjects(4, std::max(C.MarkerRow, 0), nullptr);
        Grid->SetRowCount(1);
        // Start each case from an empty store.
        for (Integer R = 0; R < 12; ++R) Grid->SetCells(1, R, String());
    }
    EXPECT_EQ(ErrorOf([&] { Grid->DeleteRowBlock(0, 1); }), "A grid keeps at least one row");
    EXPECT_EQ(ErrorOf([&] { Grid->InsertRowBlock(3, 1); }), "Grid index out of range");
}

// A selection parked outside the grid (the string grid's hidden selection)
// is taken as given, without the select-cell query; SetSelection refuses it.
TEST_F(GridTest, PlacedSelectionMayLieOutsideTheGrid) {
    Integer Asked = 0;
    Grid->OnSelectCell = [&](TObject*, Integer, Integer, bool&) { ++Asked; };
    const TGridRect Outside{Grid->ColCount(), Grid->RowCount(), Grid->ColCount(), Grid->RowCount()};
    EXPECT_THROW(Grid->SetSelection(Outside), EInvalidGridOperation);
    Grid->PlaceSelection(Outside);
    EXPECT_EQ(Grid->Selection(), Outside);
    EXPECT_EQ(Grid->Col(), Grid->ColCount());
    Grid->PlaceSelection(TGridRect{3, 4, 1, 2});
    EXPECT_EQ(Grid->Selection(), (TGridRect{1, 2, 3, 4})) << "normalised";
    EXPECT_EQ(Grid->Row(), 4);
    EXPECT_EQ(Asked, 0);
}

// The row store keeps rows in chunks of pointers; seeded single-row and
// block edits over thousands of rows (crossing, splitting and joining
// chunks) must agree with a plain list of the rows' texts.
TEST_F(GridTest, RowStoreEditsAgreeWithAPlainListAcrossChunks) {
    Grid->SetColCount(2);
    Grid->SetRowCount(6000);
    std::vector<String> Model;
    for (Integer R = 0; R < 6000; ++R) {
        Model.push_back(IntToStr(R));
        if (R % 7 != 3) Grid->SetCells(1, R, Model.back()); // some rows are never written
        else Model.back().clear();
    }
    uint64_t Seed = 20261211;
    auto Next = [&](Integer Bound) {
        Seed = Seed * 6364136223846793005ULL + 1442695040888963407ULL;
        return Integer((Seed >> 33) % uint64_t(Bound));
    };
    for (Integer Step = 0; Step < 200; ++Step) {
        const Integer N = Grid->RowCount();
        const Integer Big = Next(2) ? 1 + Next(3000) : 1;
        const Integer At = Next(N);
        switch (Next(6)) {
        case 0: {
            const Integer Index = Next(N + 1);
            Grid->InsertRowBlock(Index, Big);
            Model.insert(Model.begin() + Index, size_t(Big), String());
            break;
        }
        case 1: {
            const Integer Count = std::min(Big, N - At);
            if (Count >= N) break;
            Grid->DeleteRowBlock(At, Count);
            Model.erase(Model.begin() + At, Model.begin() + At + Count);
            break;
        }
        case 2: {
            const Integer Count = std::min(Big, N - At);
            const Integer To = Next(N - Count + 1);
            Grid->MoveRowBlock(At, Count, To);
            std::vector<String> Block(Model.begin() + At, Model.begin() + At + Count);
            Model.erase(Model.begin() + At, Model.begin() + At + Count);
            Model.insert(Model.begin() + To, Block.begin(), Block.end());
            break;
        }
        case 3: {
            const Integer Count = std::min(Big, N - At);
            std::vector<Integer> Order(static_cast<size_t>(Count));
            for (Integer I = 0; I < Count; ++I) Order[size_t(I)] = I;
            for (Integer I = Count - 1; I > 0; --I) std::swap(Order[size_t(I)], Order[size_t(Next(I + 1))]);
            Grid->PermuteRows(At, Order);
            std::vector<String> Old(Model.begin() + At, Model.begin() + At + Count);
            for (Integer I = 0; I < Count; ++I) Model[size_t(At + I)] = Old[size_t(Order[size_t(I)])];
            break;
        }
        case 4:
            if (N > 1) {
                Grid->DeleteRow(At);
                Model.erase(Model.begin() + At);
            }
            break;
        default: {
            const String Text = u"s" + IntToStr(Step);
            Grid->SetCells(1, At, Text);
            Model[size_t(At)] = Text;
        }
        }
        ASSERT_EQ(Grid->RowCount(), Integer(Model.size())) << Step;
        for (Integer R = 0; R < Grid->RowCount(); ++R)
            ASSERT_EQ(Grid->Cells(1, R), Model[size_t(R)]) << "step " << Step << ", row " << R;
        ASSERT_EQ(Grid->Cells(1, Grid->RowCount()), u"") << Step;
    }
}

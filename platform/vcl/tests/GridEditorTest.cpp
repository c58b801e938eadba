// The grid's side of its in-place editor (the load order, keys handed on,
// change notifications), the scroll timer of a drag beyond the cells,
// painting onto another device context and scaling.

#include "VclTestSupport.h"
#include "graphics/Graphic.h"
#include "graphics/Colors.h"
#include "graphics/GdiDraw.h"
#include "vcl/Grids.h"
#include "windowing/Input.h"
#include "windowing/MessageQueue.h"

using namespace winapi;

namespace {

// A string grid that logs the editor's queries and the change notices.
class TLoggingGrid : public TStringGrid {
public:
    TLoggingGrid(TComponent* AOwner, TLog& ALog) : TStringGrid(AOwner), FLog(ALog) {}
    String Mask;
    Integer Limit = 0;

    String GetEditMask(Integer ACol, Integer ARow) override {
        FLog.push_back("mask " + std::to_string(ACol) + "," + std::to_string(ARow));
        return Mask;
    }
    Integer GetEditLimit() override {
        FLog.push_back("limit");
        return Limit;
    }
    String GetEditText(Integer ACol, Integer ARow) override {
        FLog.push_back("text " + std::to_string(ACol) + "," + std::to_string(ARow));
        return TStringGrid::GetEditText(ACol, ARow);
    }
    void WndProc(TMessage& Message) override {
        if (Message.Msg == WM_COMMAND && HIWORD(Message.WParam) == EN_CHANGE && InplaceEditor() &&
            LParamToHandle(Message.LParam) == InplaceEditor()->Handle())
            FLog.push_back("change");
        TStringGrid::WndProc(Message);
    }

private:
    TLog& FLog;
};

// Columns 50 wide and rows 20 high with one-pixel lines on 200 x 100 pixels.
class GridEditorTest : public VclTest {
protected:
    void SetUp() override {
        VclTest::SetUp();
        Form = NewForm();
        Grid = new TLoggingGrid(Form, Log);
        Grid->SetParent(Form);
        Grid->SetBorderStyle(bsNone);
        Grid->SetScrollBars(ssNone);
        Grid->SetDefaultColWidth(50);
        Grid->SetDefaultRowHeight(20);
        Grid->SetBounds(0, 0, 200, 100);
        Grid->SetColCount(10);
        Grid->SetRowCount(10);
        Grid->SetOptions(Grid->Options() + TGridOptions{goEditing, goTabs});
        for (Integer C = 0; C < 10; ++C)
            for (Integer R = 0; R < 10; ++R)
                Grid->SetCells(C, R, FromUtf8(std::to_string(C) + ":" + std::to_string(R)));
        Form->Show();
        Grid->SetFocus();
        Pump();
    }
    void Key(Word VirtualKey, bool Shift = false) {
        headless::TypeKeyWith(VirtualKey, Shift, false);
        Pump();
    }
    void Type(const String& Text) {
        headless::TypeText(Text);
        Pump();
    }
    TInplaceEdit* Editor() const { return Grid->InplaceEditor(); }
    TPoint Screen(Integer X, Integer Y) const { return Grid->ClientToScreen({X, Y}); }

    TForm* Form = nullptr;
    TLoggingGrid* Grid = nullptr;
};

} // namespace

TEST_F(GridEditorTest, TheEditorIsLoadedWithMaskThenTextThenLimit) {
    Grid->Mask = u"90-LLL-0000";
    Grid->Limit = 11;
    Grid->SetCells(1, 1, u"1-JAN-2000");
    Log.clear();
    Key(VK_F2);
    EXPECT_EQ(Log, (TLog{"mask 1,1", "text 1,1", "limit"}));
    ASSERT_NE(Editor(), nullptr);
    EXPECT_TRUE(Editor()->Focused());
    EXPECT_EQ(Editor()->EditMask(), u"90-LLL-0000");
    EXPECT_EQ(Editor()->EditText(), u"1_-JAN-2000");
    EXPECT_EQ(Editor()->MaxLength(), 11);
    // Typing goes through the mask, and each change is told to the grid.
    Log.clear();
    Editor()->SetSelStart(0);
    Type(u"x3");
    EXPECT_EQ(Editor()->EditText(), u"3_-JAN-2000");
    EXPECT_EQ(Log, (TLog{"change"}));
}

TEST_F(GridEditorTest, NavigationKeysPassFromTheEditorToTheGrid) {
    struct TCase {
        const char* Name;
        Word Key;
        bool Shift;
        TGridCoord Cell;        // current afterwards
        bool EditorShown;       // afterwards
        const char* StoredText; // cell (1, 1) afterwards
    };
    // Each case edits cell (1, 2), typing "x" at the end of its text.
    const TCase Cases[] = {
        {"down", VK_DOWN, false, {1, 3}, true, "1:2x"},
        {"up", VK_UP, false, {1, 1}, true, "1:2x"},
        {"tab", VK_TAB, false, {2, 2}, true, "1:2x"},
        {"enter", VK_RETURN, false, {1, 2}, false, "1:2x"},
        {"escape", VK_ESCAPE, false, {1, 2}, false, "1:2"},
    };
    for (const TCase& Case : Cases) {
        Grid->HideEditor();
        Grid->SetCells(1, 2, u"1:2");
        Grid->SetFocus();
        Grid->FocusCell(1, 2, true);
        Key(VK_F2);
        ASSERT_TRUE(Editor() && Editor()->Focused()) << Case.Name;
        Key(VK_END);
        Type(u"x");
        Key(Case.Key, Case.Shift);
        EXPECT_EQ(Grid->Col(), Case.Cell.X) << Case.Name;
        EXPECT_EQ(Grid->Row(), Case.Cell.Y) << Case.Name;
        EXPECT_EQ(Editor()->Visible(), Case.EditorShown) << Case.Name;
        if (Case.EditorShown) {
            EXPECT_EQ(Editor()->Text(), Grid->Cells(Case.Cell.X, Case.Cell.Y)) << Case.Name;
        } else {
            EXPECT_TRUE(Grid->Focused()) << Case.Name;
        }
        EXPECT_EQ(Narrow(Grid->Cells(1, 2)), Case.StoredText) << Case.Name;
    }
}

TEST_F(GridEditorTest, ADragBeyondTheEdgeScrollsOnTheTimerUntilReleased) {
    headless::MoveMouse(Screen(75, 30).X, Screen(75, 30).Y); // cell (1, 1)
    headless::Press();
    Pump();
    EXPECT_EQ(Grid->GridState(), gsSelecting);
    headless::MoveMouse(Screen(75, 130).X, Screen(75, 130).Y); // below the grid
    Pump();
    Integer Top = Grid->TopRow();
    for (Integer Tick = 0; Tick < 3; ++Tick) {
        headless::AdvanceClock(100);
        Pump();
    }
    EXPECT_GT(Grid->TopRow(), Top);
    EXPECT_EQ(Grid->Row(), Grid->TopRow() + Grid->VisibleRowCount() - 1);
    EXPECT_EQ(Grid->Selection().Top, 1); // the anchor stays
    headless::Release();
    Pump();
    Integer Stopped = Grid->TopRow();
    headless::AdvanceClock(500);
    Pump();
    EXPECT_EQ(Grid->TopRow(), Stopped);
    EXPECT_EQ(Grid->GridState(), gsNormal);
}

TEST_F(GridEditorTest, ChangeScaleScalesDefaultAndOwnSizes) {
    Grid->SetColWidths(2, 30);
    Grid->SetRowHeights(3, 15);
    Grid->ScaleBy(3, 2);
    EXPECT_EQ(Grid->DefaultColWidth(), 75);
    EXPECT_EQ(Grid->DefaultRowHeight(), 30);
    EXPECT_EQ(Grid->ColWidths(1), 75);
    EXPECT_EQ(Grid->ColWidths(2), 45);
    EXPECT_EQ(Grid->RowHeights(3), 23); // 22.5 rounds away from zero
}

TEST_F(GridEditorTest, PaintToDrawsTheGridAtAnOffset) {
    auto* Draw = new TDrawGrid(Form);
    Draw->SetParent(Form);
    Draw->SetBounds(210, 0, 180, 90);
    Draw->SetDefaultColWidth(40);
    Draw->SetDefaultRowHeight(20);
    Draw->OnDrawCell = [Draw](TObject*, Integer ACol, Integer ARow, TRect Rect, TGridDrawState) {
        Draw->Canvas()->Brush()->SetColor(ACol == 2 && ARow == 2 ? clRed : clWhite);
        Draw->Canvas()->FillRect(Rect);
    };
    Pump();
    TBitmap Picture;
    Picture.SetSize(200, 150);
    Picture.Canvas()->Brush()->SetColor(clBlack);
    Picture.Canvas()->FillRect({0, 0, 200, 150});
    Draw->PaintTo(Picture.Canvas()->Handle(), 30, 40);
    TRect Cell = Draw->CellRect(2, 2);
    TPoint Frame = Form->ClientToScreen({Draw->Left(), Draw->Top()});
    TPoint Inset{Draw->ClientOrigin().X - Frame.X, Draw->ClientOrigin().Y - Frame.Y};
    TPoint Inside{30 + Inset.X + (Cell.Left + Cell.Right) / 2, 40 + Inset.Y + (Cell.Top + Cell.Bottom) / 2};
    EXPECT_EQ(ColorToRGB(Picture.Canvas()->Pixels(Inside.X, Inside.Y)), ColorToRGB(clRed));
    EXPECT_EQ(ColorToRGB(Picture.Canvas()->Pixels(10, 10)), ColorToRGB(clBlack));
}

// Keys typed into the grid: scroll-only mode, Home and End, Insert and
// Delete with their vetoes, the clipboard short-cuts, select-all, Tab and
// Enter on a grid that may not be edited.

#include "InputTestSupport.h"
#include "grid/SearchPanel.h"
#include "windowing/HeadlessBackend.h"
#include "windowing/Input.h"

#include <initializer_list>
#include <string>
#include <vector>

using namespace winapi;

namespace {

// Counts the clipboard operations the key handling asks for.
class TClipboardGrid : public TTestInput {
public:
    using TTestInput::TTestInput;
    std::string Done;
    void CutSelectionToClipboard() override { Done += "cut "; }
    void CopySelectionToClipboard() override { Done += "copy "; }
    void PasteSelectionFromClipboard() override { Done += "paste "; }
};

class KeyTest : public GridFormTest<TClipboardGrid> {
protected:
    void SetUp() override {
        GridFormTest<TClipboardGrid>::SetUp();
        Show();
        Grid->SetRowCount(5);
        for (Integer r = 1; r < 5; ++r) Grid->SetCells(1, r, u"r" + String(1, Char(u'0' + r)));
        // Painting is not the point here.
        Grid->BeginUpdate();
        Grid->SetFocus();
        Pump();
    }
    TNavigationSettings& Nav() { return Grid->Navigation()->PlainSettings(); }
    // Presses a key with the modifiers held, through the window system.
    void Press(Word Key, std::initializer_list<Word> Held = {}) {
        auto& Keys = static_cast<THeadlessBackend&>(Backend());
        for (Word H : Held) Keys.PressKey(H);
        Keys.TypeKey(Key);
        for (Word H : Held) Keys.ReleaseKey(H);
        Pump();
    }
    TPoint At() const { return TPoint(Grid->Col(), Grid->Row()); }
};

TEST_F(KeyTest, ScrollOnlyModeMovesTheViewNotTheCell) {
    Grid->SetRowCount(40);
    Grid->SetBounds(0, 0, 300, 150);
    Nav().MoveScrollOnly = true;
    Grid->FocusCell(2, 12);
    const Integer V = Grid->VisibleRowCount();
    ASSERT_LT(V + 1, 10);
    struct Case {
        Word Key;
        Integer Top;
    };
    const Case Cases[] = {
        {VK_DOWN, 11}, {VK_UP, 9}, {VK_HOME, 1}, {VK_END, 40 - V}, {VK_NEXT, 10 + V}, {VK_PRIOR, 10 - V},
    };
    for (const Case& C : Cases) {
        Grid->SetTopRow(10);
        Press(C.Key);
        EXPECT_EQ(Grid->TopRow(), C.Top) << C.Key;
        EXPECT_EQ(At(), TPoint(2, 12)) << C.Key;
    }
}

TEST_F(KeyTest, HomeAndEndFollowHomeEndKey) {
    struct Case {
        THomeEndAction Action;
        bool RowSelect;
        Word Key;
        bool Ctrl;
        Integer ToCol, ToRow;
    };
    const Case Cases[] = {
        {heFirstLastColumn, false, VK_HOME, false, 1, 3},
        {heFirstLastColumn, false, VK_END, false, 4, 3},
        {heFirstLastColumn, false, VK_HOME, true, 1, 1},
        {heFirstLastCell, false, VK_HOME, false, 1, 1},
        {heFirstLastCell, false, VK_END, false, 4, 4},
        {heFirstLastRow, true, VK_HOME, false, 1, 1},
        {heFirstLastRow, true, VK_END, false, 1, 4},
        {heDefault, false, VK_HOME, true, 1, 1},
        {heDefault, false, VK_END, false, 4, 3},
    };
    for (const Case& C : Cases) {
        Nav().HomeEndKey = C.Action;
        Grid->SetOptions(C.RowSelect ? TGridOptions{goRowSelect} : TGridOptions{goRangeSelect});
        Grid->FocusCell(C.RowSelect ? 1 : 3, 3);
        if (C.Ctrl)
            Press(C.Key, {VK_CONTROL});
        else
            Press(C.Key);
        EXPECT_EQ(At(), TPoint(C.ToCol, C.ToRow)) << int(C.Action) << " key " << C.Key << " ctrl " << C.Ctrl;
    }
}

TEST_F(KeyTest, InsertAndDeleteRowsWithTheirVetoes) {
    Nav().AllowInsertRow = true;
    Nav().AllowDeleteRow = true;
    bool Allow = false;
    Grid->OnCanInsertRow = [&](TObject*, Integer, bool& CanInsert) { CanInsert = Allow; };
    Grid->OnCanDeleteRow = [&](TObject*, Integer, bool& CanDelete) { CanDelete = Allow; };
    Grid->FocusCell(1, 2);
    Press(VK_INSERT);
    Press(VK_DELETE);
    EXPECT_EQ(Grid->RowCount(), 5);
    EXPECT_EQ(Grid->Cells(1, 2), u"r2");

    Allow = true;
    Press(VK_INSERT);
    EXPECT_EQ(Grid->RowCount(), 6);
    EXPECT_EQ(Grid->Cells(1, 2), u"");
    EXPECT_EQ(Grid->Cells(1, 3), u"r2");
    EXPECT_EQ(Grid->Row(), 2);
    Press(VK_DELETE);
    EXPECT_EQ(Grid->RowCount(), 5);
    EXPECT_EQ(Grid->Cells(1, 2), u"r2");

    // After the last row, the cursor goes to the new row.
    Nav().InsertPosition = pInsertAfter;
    Grid->FocusCell(1, 4);
    Press(VK_INSERT);
    EXPECT_EQ(Grid->RowCount(), 6);
    EXPECT_EQ(Grid->Cells(1, 4), u"r4");
    EXPECT_EQ(Grid->Row(), 5);
}

TEST_F(KeyTest, ClipboardShortCutsFollowTheSettingAndTheirEvents) {
    struct Case {
        Word Key, Held;
        std::string Done;
    };
    const Case Cases[] = {
        {'C', VK_CONTROL, "copy "},  {VK_INSERT, VK_CONTROL, "copy "}, {'X', VK_CONTROL, "cut "},
        {VK_DELETE, VK_SHIFT, "cut "}, {'V', VK_CONTROL, "paste "},    {VK_INSERT, VK_SHIFT, "paste "},
    };
    for (bool On : {false, true}) {
        Nav().AllowClipboardShortCuts = On;
        for (const Case& C : Cases) {
            Grid->Done.clear();
            Press(C.Key, {C.Held});
            EXPECT_EQ(Grid->Done, On ? C.Done : "") << C.Key << " on " << On;
        }
    }
    Integer Reported = 0;
    Grid->OnClipboardCopyDone = [&](TObject*, const TGridRect&) { ++Reported; };
    Grid->OnClipboardCopy = [](TObject*, bool& Allow) { Allow = false; };
    Grid->Done.clear();
    Press('C', {VK_CONTROL});
    EXPECT_EQ(Grid->Done, "");
    Grid->OnClipboardCopy = nullptr;
    Press('C', {VK_CONTROL});
    EXPECT_EQ(Grid->Done, "copy ");
    EXPECT_EQ(Reported, 1);
}

TEST_F(KeyTest, SelectAllLeavesACheckBoxInTheLastCellAlone) {
    Grid->AddCheckBox(4, 4, false, false);
    Grid->FocusCell(1, 1);
    Press('A', {VK_CONTROL});
    EXPECT_EQ(Grid->Selection(), (TGridRect{1, 1, 4, 4}));
    EXPECT_EQ(At(), TPoint(4, 4));
    bool State = true;
    ASSERT_TRUE(Grid->GetCheckBoxState(4, 4, State));
    EXPECT_FALSE(State);
}

TEST_F(KeyTest, TabAndDownInTheLastRowGoThroughTheKeyHandling) {
    Grid->SetOptions(TGridOptions{goTabs});
    Grid->FocusCell(4, 1);
    Press(VK_TAB);
    EXPECT_EQ(At(), TPoint(1, 2));
    Press(VK_TAB, {VK_SHIFT});
    EXPECT_EQ(At(), TPoint(4, 1));

    Nav().AppendOnArrowDown = true;
    Grid->FocusCell(2, 4);
    Press(VK_DOWN);
    EXPECT_EQ(Grid->RowCount(), 6);
    EXPECT_EQ(At(), TPoint(2, 5));
}

TEST_F(KeyTest, EnterOnACellThatMayNotBeEditedReachesTheFormOnlyWithKeyPreview) {
    Grid->SetOptions(TGridOptions{});
    Integer GridSaw = 0, FormSaw = 0;
    Grid->OnKeyDown = [&](TObject*, Word& Key, TShiftState) { GridSaw += Key == VK_RETURN; };
    Form->OnKeyDown = [&](TObject*, Word& Key, TShiftState) { FormSaw += Key == VK_RETURN; };
    Press(VK_RETURN);
    EXPECT_EQ(GridSaw, 1);
    EXPECT_EQ(FormSaw, 0);
    Form->SetKeyPreview(true);
    Press(VK_RETURN);
    EXPECT_EQ(FormSaw, 1);
}

TEST_F(KeyTest, TheSearchFooterTakesCtrlFAndStopsMovesOutOfTheLastRow) {
    TSearchPanel* Panel = Grid->SearchPanel();
    // Hidden, the footer takes nothing.
    Press('F', {VK_CONTROL});
    EXPECT_TRUE(Grid->Focused());
    Grid->SearchFooter()->SetVisible(true);
    Pump();
    Press('F', {VK_CONTROL});
    EXPECT_TRUE(Panel->Edit()->Focused());
    Grid->SetFocus();
    Pump();

    // The grid shows all its rows, so it is scrolled to its end. (Skipping
    // fixed cells would take Left in the first normal cell first.)
    Nav().SkipFixedCells = false;
    std::vector<Word> Seen;
    Grid->OnKeyDown = [&](TObject*, Word& Key, TShiftState) { Seen.push_back(Key); };
    struct Case {
        Word Key;
        Integer FromCol, FromRow;
        TPoint To;
    };
    const Case Cases[] = {
        {VK_DOWN, 2, 4, {2, 4}}, {VK_RIGHT, 4, 4, {4, 4}}, {VK_LEFT, 1, 4, {1, 4}},
        // Other moves in the last row, and moves into it, go through.
        {VK_RIGHT, 2, 4, {3, 4}}, {VK_DOWN, 2, 3, {2, 4}},
    };
    for (const Case& C : Cases) {
        Grid->FocusCell(C.FromCol, C.FromRow);
        Seen.clear();
        Press(C.Key);
        EXPECT_EQ(At(), C.To) << C.Key << " from " << C.FromCol << "," << C.FromRow;
        EXPECT_EQ(Seen, std::vector<Word>{C.Key}) << C.Key;
    }
}

} // namespace

namespace {

TEST_F(KeyTest, EnterInTheNormalEditorCommitsAndAdvances) {
    Grid->SetOptions(TGridOptions{goEditing});
    Nav().AdvanceOnEnter = true;
    Grid->FocusCell(1, 1);
    Grid->ShowInplaceEdit();
    Pump();
    ASSERT_TRUE(Grid->EditMode());
    static_cast<THeadlessBackend&>(Backend()).TypeText(u"7");
    Press(VK_RETURN);
    EXPECT_EQ(Grid->Cells(1, 1), u"7");
    EXPECT_EQ(At(), TPoint(2, 1));
}

} // namespace

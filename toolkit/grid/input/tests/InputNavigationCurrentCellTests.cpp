// The current-cell query: the changing events with their shared Allow, the
// moves it refuses or redirects, and what it reports.

#include "InputTestSupport.h"
#include "rtl/Convert.h"
#include "windowing/Focus.h"

#include <string>
#include <vector>

namespace {

// A grid whose validation the test decides.
class TValidatingGrid : public TTestInput {
public:
    using TTestInput::TTestInput;
    bool Accept = true;
    Integer Validations = 0;
    bool ValidateCell(const String& NewValue) override {
        (void)NewValue;
        ++Validations;
        return Accept;
    }
};

class CurrentCellTest : public GridFormTest<TValidatingGrid> {
protected:
    void SetUp() override {
        GridFormTest<TValidatingGrid>::SetUp();
        Show();
        for (Integer r = 0; r < 5; ++r)
            for (Integer c = 0; c < 5; ++c) Grid->SetCells(c, r, IntToStr(c * 10 + r));
        Grid->FocusCell(1, 1);
    }
    // Records the changing events as "col o>n", "row o>n", "cell or,oc>nr,nc".
    void RecordEvents() {
        Grid->OnColChanging = [this](TObject*, Integer O, Integer N, bool&) {
            Log.push_back("col " + std::to_string(O) + ">" + std::to_string(N));
        };
        Grid->OnRowChanging = [this](TObject*, Integer O, Integer N, bool&) {
            Log.push_back("row " + std::to_string(O) + ">" + std::to_string(N));
        };
        Grid->OnCellChanging = [this](TObject*, Integer OR, Integer OC, Integer NR, Integer NC, bool&) {
            Log.push_back("cell " + std::to_string(OR) + "," + std::to_string(OC) + ">" + std::to_string(NR) + "," +
                          std::to_string(NC));
        };
    }
    std::vector<std::string> Log;
};

TEST_F(CurrentCellTest, EachMoveFiresOnlyTheEventsOfTheAxesThatChange) {
    struct Case {
        Integer Col, Row;
        std::vector<std::string> Expected;
    };
    const Case Cases[] = {
        {3, 1, {"col 1>3", "cell 1,1>1,3"}},
        {1, 4, {"row 1>4", "cell 1,1>4,1"}},
        {2, 3, {"col 1>2", "row 1>3", "cell 1,1>3,2"}},
        {1, 1, {}},
    };
    RecordEvents();
    for (const Case& C : Cases) {
        Grid->FocusCell(1, 1);
        Log.clear();
        EXPECT_TRUE(Grid->AllowSelectCell(C.Col, C.Row));
        EXPECT_EQ(Log, C.Expected) << C.Col << "," << C.Row;
    }
}

TEST_F(CurrentCellTest, TheChangingEventsShareOneAllow) {
    struct Case {
        bool ColAllows, RowAllows, CellAllows;
        bool Moved;
    };
    // A later handler may give back what an earlier one refused.
    const Case Cases[] = {
        {false, true, true, true},
        {false, false, true, false},
        {true, true, false, false},
        {true, false, false, false},
    };
    for (const Case& C : Cases) {
        Grid->FocusCell(1, 1);
        Grid->OnColChanging = [&](TObject*, Integer, Integer, bool& Allow) { Allow = C.ColAllows; };
        Grid->OnRowChanging = [&](TObject*, Integer, Integer, bool& Allow) {
            if (C.RowAllows) Allow = true;
        };
        Grid->OnCellChanging = [&](TObject*, Integer, Integer, Integer, Integer, bool& Allow) {
            if (!C.CellAllows) Allow = false;
        };
        Grid->MoveToCell(2, 3);
        const bool Moved = Grid->Col() == 2 && Grid->Row() == 3;
        EXPECT_EQ(Moved, C.Moved) << C.ColAllows << C.RowAllows << C.CellAllows;
    }
}

TEST_F(CurrentCellTest, BlockedChangingEventsStaySilentButTheMoveIsReported) {
    RecordEvents();
    std::vector<std::pair<Integer, Integer>> Updates;
    Grid->OnRowUpdate = [&](TObject*, Integer O, Integer N) { Updates.push_back({O, N}); };
    Grid->FCellChangingBlocked = true;
    Grid->SetRow(3);
    Grid->FCellChangingBlocked = false;
    EXPECT_TRUE(Log.empty());
    EXPECT_EQ(Grid->Row(), 3);
    ASSERT_EQ(Updates.size(), 1u);
    EXPECT_EQ(Updates[0].second, 3);
}

TEST_F(CurrentCellTest, ARefusedMoveIsNotReportedAsARowChangeAndKeepsTheOriginalText) {
    std::vector<Integer> Updates;
    Grid->OnRowUpdate = [&](TObject*, Integer, Integer N) { Updates.push_back(N); };
    Grid->SetRow(2);
    Updates.clear();
    Grid->SetOriginalCellValue(u"12");
    Grid->OnRowChanging = [](TObject*, Integer, Integer N, bool& Allow) { Allow = N != 4; };
    Grid->SetRow(4);
    EXPECT_EQ(Grid->Row(), 2);
    EXPECT_TRUE(Updates.empty());
    // A cancelled edit of the current cell still restores its own text.
    EXPECT_EQ(Grid->OriginalCellValue(), u"12");
    Grid->SetRow(3);
    EXPECT_EQ(Updates, std::vector<Integer>{3});
    EXPECT_EQ(Grid->OriginalCellValue(), u"13");
}

TEST_F(CurrentCellTest, InternalMovesAndRefusedTargets) {
    RecordEvents();
    // A forced selection moves without asking anyone.
    Grid->OnRowChanging = [](TObject*, Integer, Integer, bool& Allow) { Allow = false; };
    Grid->FForceSel = true;
    Grid->SetRow(3);
    Grid->FForceSel = false;
    EXPECT_EQ(Grid->Row(), 3);
    // Negative indexes and a waiting refused value lock the cell.
    EXPECT_FALSE(Grid->AllowSelectCell(-1, 2));
    Grid->OnRowChanging = nullptr;
    Grid->SetInvalidSelection(true);
    Grid->SetRow(2);
    EXPECT_EQ(Grid->Row(), 3);
    Grid->SetInvalidSelection(false);
    Grid->SetRow(2);
    EXPECT_EQ(Grid->Row(), 2);
}

TEST_F(CurrentCellTest, ACoveredMergedCellHandsTheMoveToItsBaseCell) {
    Grid->MergeCells(2, 2, 2, 2);
    Grid->SetCol(3);
    Grid->SetRow(3);
    EXPECT_EQ(Grid->Col(), 2);
    EXPECT_EQ(Grid->Row(), 2);
}

TEST_F(CurrentCellTest, CellsMadeFixedAndTheNodeColumnAreRefusedUnlessRowsAreSelected) {
    Grid->OnIsFixedCell = [](TObject*, Integer ARow, Integer ACol, bool& IsFixed) {
        if (ACol == 3 && ARow == 3) IsFixed = true;
    };
    EXPECT_FALSE(Grid->AllowSelectCell(3, 3));
    EXPECT_TRUE(Grid->AllowSelectCell(3, 2));
    Grid->SetOptions(TGridOptions{goRowSelect});
    EXPECT_TRUE(Grid->AllowSelectCell(3, 3));

    Grid->SetOptions(TGridOptions{});
    Grid->SetFixedCols(0);
    Grid->AddNode(1, 2);
    EXPECT_FALSE(Grid->AllowSelectCell(0, 2));
    EXPECT_TRUE(Grid->AllowSelectCell(1, 2));
    Grid->SetOptions(TGridOptions{goRowSelect});
    EXPECT_TRUE(Grid->AllowSelectCell(0, 2));
}

TEST_F(CurrentCellTest, ARunningEditIsValidatedBeforeTheCellIsLeft) {
    struct Case {
        bool Accept;
        String Title;
        bool Moved, Locked;
    };
    const Case Cases[] = {
        {true, u"", true, false},
        {false, u"", false, false},
        {false, u"Invalid entry", false, true},
    };
    for (const Case& C : Cases) {
        Grid->FocusCell(1, 1);
        Grid->SetInvalidSelection(false);
        Grid->FEditing = true;
        Grid->Accept = C.Accept;
        Grid->Validations = 0;
        Grid->SetInvalidEntryTitle(C.Title);
        // The refusal reaches the changing events as Allow = False.
        bool SeenAllow = true;
        Grid->OnRowChanging = [&](TObject*, Integer, Integer, bool& Allow) { SeenAllow = Allow; };
        Grid->SetRow(3);
        Grid->FEditing = false;
        EXPECT_EQ(Grid->Validations, 1);
        EXPECT_EQ(SeenAllow, C.Accept);
        EXPECT_EQ(Grid->Row() == 3, C.Moved);
        EXPECT_EQ(Grid->InvalidSelection(), C.Locked);
        // While the refused value waits, no move goes through.
        if (C.Locked) {
            Grid->SetRow(4);
            EXPECT_EQ(Grid->Row(), 1);
        }
    }
}

TEST_F(CurrentCellTest, ARefusedValueOutsideTheNormalEditorIsShownAgainOnceTheMessageIsHandled) {
    Grid->SetOptions(TGridOptions{goEditing});
    Grid->SetInvalidEntryTitle(u"Invalid entry");
    Grid->Accept = false;
    // An editor other than the normal one has written its value into the cell.
    Grid->FEditing = true;
    Grid->SetCells(1, 1, u"typed");
    Grid->SetRow(3);
    EXPECT_EQ(Grid->Row(), 1);
    EXPECT_TRUE(Grid->InvalidSelection());
    // Until the posted message is handled, every move is refused.
    Grid->SetCells(1, 1, u"11");
    Grid->SetCol(2);
    EXPECT_EQ(Grid->Col(), 1);
    EXPECT_EQ(Grid->Row(), 1);

    // The handler puts the refused text back into its own cell, not into
    // the cell the refused move aimed at.
    Pump();
    EXPECT_FALSE(Grid->InvalidSelection());
    EXPECT_EQ(Grid->Cells(1, 3), u"13");
    EXPECT_EQ(Grid->Col(), 1);
    EXPECT_EQ(Grid->Row(), 1);
    EXPECT_EQ(Grid->Cells(1, 1), u"typed");
    EXPECT_EQ(Grid->Validations, 2);
    ASSERT_NE(Grid->NormalEdit(), nullptr);
    EXPECT_TRUE(Grid->EditorMode());
    EXPECT_EQ(Grid->NormalEdit()->Text(), u"typed");
    EXPECT_EQ(Grid->NormalEdit()->SelLength(), 5);

    // Once the value is accepted, the cell may be left again.
    Grid->Accept = true;
    Grid->HideInplaceEdit();
    Grid->FEditing = false;
    Grid->SetRow(3);
    EXPECT_EQ(Grid->Row(), 3);
}

TEST_F(CurrentCellTest, EditPermissionFollowsTheTargetCell) {
    Grid->SetOptions(TGridOptions{goEditing});
    Grid->OnCanEditCell = [](TObject*, Integer ARow, Integer, bool& CanEdit) { CanEdit = ARow != 3; };
    Grid->SetRow(3);
    EXPECT_FALSE(Grid->Options().Contains(goEditing));
    // The cell after the read-only one may be edited again.
    Grid->SetRow(2);
    EXPECT_TRUE(Grid->Options().Contains(goEditing));
}

TEST_F(CurrentCellTest, SmallHooksAnswerThroughTheirEvents) {
    // Painting the focused cell's text is not the point here.
    Grid->BeginUpdate();
    EXPECT_TRUE(Grid->IsSelectionVisibleForTest());
    Grid->SetSelectionColor(clNone);
    EXPECT_FALSE(Grid->IsSelectionVisibleForTest());
    Grid->SetSelectionColor(0xEACAB6);
    Grid->SetAutoHideSelection(true);
    Grid->SetFocus();
    Pump();
    EXPECT_TRUE(Grid->IsSelectionVisibleForTest());
    winapi::SetFocus(Form->Handle());
    Pump();
    EXPECT_FALSE(Grid->IsSelectionVisibleForTest());

    Integer Asked = -1;
    Grid->OnCanShowFixedDropDown = [&](TObject*, Integer ACol, bool& CanShow) {
        Asked = ACol;
        CanShow = false;
    };
    EXPECT_FALSE(Grid->DoCanShowFixedDropDownForTest(2));
    EXPECT_EQ(Asked, 2);
}

} // namespace

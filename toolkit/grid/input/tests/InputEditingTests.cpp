// The editing cycle on a headless form: the events of one edit in their
// order, the validation matrix, cancel, the EditOnDblClickOnly setting
// across a refusal, and edit permission.

#include "InputEditingSupport.h"

using namespace winapi;

namespace {

TEST_F(EditingTest, OneNormalEditFiresItsEventsInOrder) {
    Grid->OnGetEditorType = [&](TObject*, Integer, Integer, TEditorType&) { Log.push_back("GetEditorType"); };
    Grid->OnBeforeEdit = [&](TObject*, Integer, Integer, bool&) { Log.push_back("BeforeEdit"); };
    Grid->OnGetEditMask = [&](TObject*, Integer, Integer, String&) { Log.push_back("GetEditMask"); };
    Grid->OnGetEditorProp = [&](TObject*, Integer, Integer, TObject*) { Log.push_back("GetEditorProp"); };
    Grid->OnGetEditorPropInt = [&](TObject*, Integer, Integer) { Log.push_back("GetEditorPropInt"); };
    Grid->OnEditChange = [&](TObject*, Integer, Integer, const String&) { Log.push_back("EditChange"); };
    Grid->OnCellValidate = [&](TObject*, Integer, Integer, String&, bool&) { Log.push_back("CellValidate"); };
    Grid->OnCellsChanged = [&](TObject*, TRect) { Log.push_back("CellsChanged"); };
    Grid->OnEditingDone = [&](TObject*) { Log.push_back("EditingDone"); };
    Grid->OnEditCellDone = [&](TObject*, Integer, Integer) { Log.push_back("EditCellDone"); };
    Key(VK_F2);
    Type(u"x");
    Input().TypeKey(VK_RETURN);
    Application->ProcessMessages();
    EXPECT_EQ(Grid->Cells(1, 1), u"x"); // the whole text was selected
    EXPECT_FALSE(Grid->EditMode());
    const std::vector<std::string> Expected{"GetEditorType", "BeforeEdit", "GetEditMask", "GetEditorProp",
                                            "GetEditorPropInt", "EditChange", "CellValidate", "CellsChanged",
                                            "EditingDone", "EditCellDone"};
    EXPECT_EQ(Log, Expected);
}

// ---- Validation ----

enum class THandler { None, Accepts, Refuses, RefusesWithNewValue };

TEST_F(EditingTest, ValidationMatrix) {
    struct Case {
        const char* Name;
        bool Changed;
        bool AlwaysValidate;
        THandler Handler;
        bool Fired;
        const char16_t* Cell;
        bool EditorShows;
        const char16_t* EditorText; // when it shows
        Integer CellsChangedCount;
        bool Modified;
    } Cases[] = {
        {"unchanged", false, false, THandler::Refuses, false, u"c1r1", false, u"", 0, false},
        {"unchanged always accepted", false, true, THandler::Accepts, true, u"c1r1", false, u"", 0, false},
        {"unchanged always refused", false, true, THandler::Refuses, true, u"c1r1", true, u"c1r1", 0, false},
        {"unchanged always corrected", false, true, THandler::RefusesWithNewValue, true, u"fix", true, u"fix", 0,
         false},
        {"changed, no handler", true, false, THandler::None, false, u"z", false, u"", 1, true},
        {"changed accepted", true, false, THandler::Accepts, true, u"z", false, u"", 1, true},
        {"changed always accepted", true, true, THandler::Accepts, true, u"z", false, u"", 1, true},
        {"changed refused", true, false, THandler::Refuses, true, u"c1r1", true, u"z", 0, false},
        {"changed always refused", true, true, THandler::Refuses, true, u"c1r1", true, u"z", 0, false},
        {"changed corrected", true, false, THandler::RefusesWithNewValue, true, u"fix", true, u"fix", 0, false},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.Name);
        Grid->SetCells(1, 1, u"c1r1");
        Grid->SetModified(false);
        Grid->SetAlwaysValidate(C.AlwaysValidate);
        Integer Fired = 0, Changes = 0;
        Grid->OnCellValidate = nullptr;
        if (C.Handler != THandler::None)
            Grid->OnCellValidate = [&](TObject*, Integer ACol, Integer ARow, String& Value, bool& Valid) {
                EXPECT_EQ(ACol, 1);
                EXPECT_EQ(ARow, 1);
                ++Fired;
                if (C.Handler == THandler::Refuses) Valid = false;
                if (C.Handler == THandler::RefusesWithNewValue) {
                    Valid = false;
                    Value = u"fix";
                }
            };
        Grid->OnCellsChanged = [&](TObject*, TRect) { ++Changes; };
        Edit();
        if (C.Changed) Type(u"z");
        Key(VK_RETURN);
        EXPECT_EQ(Fired > 0, C.Fired);
        EXPECT_EQ(Grid->Cells(1, 1), C.Cell);
        EXPECT_EQ(Editor()->Visible(), C.EditorShows);
        EXPECT_EQ(Grid->EditMode(), C.EditorShows);
        if (C.EditorShows) {
            EXPECT_EQ(Editor()->Text(), C.EditorText);
            // Shown again fully selected, for correction.
            EXPECT_EQ(Editor()->SelLength(), Integer(Editor()->Text().size()));
        }
        EXPECT_EQ(Changes, C.CellsChangedCount);
        EXPECT_EQ(Grid->Modified(), C.Modified);
        // Escape ends what is still open: the cell gets its text from before
        // the edit back.
        if (Grid->EditMode()) {
            Key(VK_ESCAPE);
            EXPECT_FALSE(Grid->EditMode());
            EXPECT_EQ(Grid->Cells(1, 1), u"c1r1");
        }
    }
}

TEST_F(EditingTest, EscapeRestoresTheTextFromBeforeTheEdit) {
    // After typing.
    Edit();
    Type(u"new");
    EXPECT_EQ(Grid->Cells(1, 1), u"new"); // the cell follows the editor
    Key(VK_ESCAPE);
    EXPECT_FALSE(Editor()->Visible());
    EXPECT_EQ(Grid->Cells(1, 1), u"c1r1");
    // After a refusal, and a second refusal: still the text from before.
    Grid->OnCellValidate = [](TObject*, Integer, Integer, String&, bool& Valid) { Valid = false; };
    Edit();
    Type(u"bad");
    Key(VK_RETURN);
    ASSERT_TRUE(Editor()->Visible());
    Type(u"worse");
    Key(VK_RETURN);
    ASSERT_TRUE(Editor()->Visible());
    EXPECT_EQ(Editor()->Text(), u"worse");
    Key(VK_ESCAPE);
    EXPECT_FALSE(Grid->EditMode());
    EXPECT_EQ(Grid->Cells(1, 1), u"c1r1");
}

TEST_F(EditingTest, ASecondAttemptIsComparedWithTheTextFromBeforeTheEdit) {
    Integer Calls = 0;
    Grid->OnCellValidate = [&](TObject*, Integer, Integer, String& Value, bool& Valid) {
        ++Calls;
        Valid = Value != u"bad";
    };
    Edit();
    Type(u"bad");
    Key(VK_RETURN);
    ASSERT_TRUE(Editor()->Visible());
    Type(u"good");
    Key(VK_RETURN);
    EXPECT_EQ(Calls, 2);
    EXPECT_FALSE(Grid->EditMode());
    EXPECT_EQ(Grid->Cells(1, 1), u"good");
}

TEST_F(EditingTest, EditOnDblClickOnlyComesBackOnceTheRefusedEditIsOver) {
    // An unchanged validation leaves the user's setting alone.
    Grid->MouseActions()->PlainSettings().EditOnDblClickOnly = true;
    Grid->SetAlwaysValidate(false);
    Edit();
    Key(VK_RETURN);
    EXPECT_TRUE(Grid->MouseActions()->EditOnDblClickOnly());
    // A refusal switches it off while the edit stays open, and the end of
    // that edit gives it back.
    bool Refuse = true;
    Grid->OnCellValidate = [&](TObject*, Integer, Integer, String&, bool& Valid) { Valid = !Refuse; };
    Grid->SetOptions(Grid->Options() + TGridOptions{goEditing});
    Edit();
    Type(u"x");
    Key(VK_RETURN);
    EXPECT_FALSE(Grid->MouseActions()->EditOnDblClickOnly());
    Refuse = false;
    Key(VK_RETURN);
    EXPECT_FALSE(Grid->EditMode());
    EXPECT_TRUE(Grid->MouseActions()->EditOnDblClickOnly());
}

// ---- Edit permission ----

TEST_F(EditingTest, EditPermission) {
    Grid->SetFixedFooters(1);
    Grid->SetFixedRightCols(1);
    Integer Asked = 0;
    Grid->OnIsFixedCell = [&](TObject*, Integer, Integer, bool&) { ++Asked; };
    EXPECT_TRUE(Grid->IsFixed(1, 4)); // footer row
    EXPECT_TRUE(Grid->IsFixed(3, 2)); // fixed right column
    EXPECT_EQ(Asked, 0);
    EXPECT_FALSE(Grid->IsFixed(1, 2));
    EXPECT_EQ(Asked, 1);
    EXPECT_FALSE(Grid->IsFixed(-1, 2));
    Grid->OnCanEditCell = [](TObject*, Integer ARow, Integer, bool& CanEdit) { CanEdit = ARow != 2; };
    EXPECT_TRUE(Grid->IsEditable(1, 1));
    EXPECT_FALSE(Grid->IsEditable(1, 2));
    Grid->SetOptions(Grid->Options() - TGridOptions{goEditing});
    EXPECT_FALSE(Grid->IsEditable(1, 1));
}

TEST_F(EditingTest, EdNoneAndABeforeEditRefusalGrantNoEdit) {
    Grid->OnGetEditorType = [](TObject*, Integer, Integer ARow, TEditorType& E) {
        if (ARow == 1) E = edNone;
    };
    Grid->OnBeforeEdit = [](TObject*, Integer ARow, Integer, bool& Allow) { Allow = ARow != 2; };
    Key(VK_F2);
    EXPECT_FALSE(Grid->EditMode());
    Grid->FocusCell(1, 2);
    Pump();
    Key(VK_F2);
    EXPECT_FALSE(Grid->EditMode());
    EXPECT_EQ(Grid->OriginalCellValue(), u"c1r2"); // the cache was taken for that cell
    Grid->FocusCell(1, 3);
    Pump();
    Edit();
}

TEST_F(EditingTest, ValidationMarksTheRealRowModified) {
    Grid->SetColCount(4);
    Grid->SetRowCount(6);
    Grid->ShowModified()->SetEnabled(true);
    Grid->HideRow(1);
    // Displayed row 2 is real row 3.
    Grid->FocusCell(1, 2);
    Pump();
    for (const bool Wide : {false, true}) {
        SCOPED_TRACE(Wide ? "wide" : "plain");
        Grid->ClearModifiedRows();
        Edit();
        if (Wide)
            EXPECT_TRUE(Grid->ValidateCellWide(u"w"));
        else
            EXPECT_TRUE(Grid->ValidateCell(u"p"));
        EXPECT_TRUE(Grid->RowModified(3));
        EXPECT_FALSE(Grid->RowModified(2));
        EXPECT_EQ(Grid->Cells(1, 2), Wide ? u"w" : u"p");
        Key(VK_ESCAPE);
    }
}

TEST_F(EditingTest, LeavingByRowKeepsTheValueAndEscapeInTheNextCellRestoresThatCell) {
    Edit();
    Type(u"typed");
    Key(VK_DOWN);
    EXPECT_EQ(Grid->Row(), 2);
    EXPECT_EQ(Grid->Cells(1, 1), u"typed");
    ASSERT_TRUE(Grid->EditMode());
    EXPECT_EQ(Grid->OriginalCellValue(), u"c1r2");
    EXPECT_EQ(Editor()->Text(), u"c1r2");
    Type(u"other");
    Key(VK_ESCAPE);
    EXPECT_EQ(Grid->Cells(1, 2), u"c1r2");
    EXPECT_EQ(Grid->Cells(1, 1), u"typed");
}

TEST_F(EditingTest, EnterFromTheEditorAdvancesWithAdvanceOnEnter) {
    Grid->Navigation()->SetAdvanceOnEnter(true);
    Grid->Navigation()->PlainSettings().AdvanceDirection = adTopBottom;
    Edit();
    Type(u"12.5");
    Key(VK_RETURN);
    EXPECT_EQ(Grid->Cells(1, 1), u"12.5");
    EXPECT_EQ(Grid->Col(), 1);
    EXPECT_EQ(Grid->Row(), 2);
}

TEST_F(EditingTest, AnEditorEndedWithDownOnTheLastRowAppendsAnEmptyRowUnlessRefused) {
    Grid->Navigation()->PlainSettings().AppendOnArrowDown = true;
    Grid->SetCells(1, 5, u"left over");
    Integer Added = -1;
    Grid->OnAutoAddRow = [&](TObject*, Integer ARow) { Added = ARow; };
    bool CanAdd = false;
    Grid->OnCanAddRow = [&](TObject*, bool& Allow) { Allow = CanAdd; };
    struct Case {
        bool CanAdd;
        Integer Rows, Row, Added;
    };
    const Case Cases[] = {{false, 5, 4, -1}, {true, 6, 5, 5}};
    for (const Case& C : Cases) {
        CanAdd = C.CanAdd;
        Grid->FocusCell(1, 4);
        Edit();
        Grid->DoneInplaceEdit(VK_DOWN, TShiftState());
        Pump();
        EXPECT_FALSE(Grid->EditMode());
        EXPECT_EQ(Grid->RowCount(), C.Rows);
        EXPECT_EQ(Grid->Row(), C.Row);
        EXPECT_EQ(Added, C.Added);
    }
    // The appended row starts empty, whatever the store held beyond the rows.
    EXPECT_EQ(Grid->Cells(1, 5), u"");
}

TEST_F(EditingTest, ShowCellEditAddsEditingForRangeSelectAndEdit) {
    Grid->SetOptions(Grid->Options() - TGridOptions{goEditing});
    Grid->MouseActions()->PlainSettings().RangeSelectAndEdit = true;
    Grid->ShowCellEdit();
    Pump();
    EXPECT_TRUE(Grid->Options().Contains(goEditing));
    EXPECT_TRUE(Grid->EditMode());
}

TEST_F(EditingTest, SimulatedCellClickLeavesTheApplicationsMouseHandlersOut) {
    Integer Presses = 0;
    Grid->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, Integer, Integer) { ++Presses; };
    Grid->SimulateCellClick(2, 3, true);
    EXPECT_EQ(Grid->Col(), 2);
    EXPECT_EQ(Grid->Row(), 3);
    EXPECT_EQ(Presses, 0);
    EXPECT_TRUE(static_cast<bool>(Grid->OnMouseDown));
}

} // namespace

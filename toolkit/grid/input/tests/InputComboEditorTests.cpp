// The combo, check box and button editors: set-up from the cell, keys,
// write-back into the cell they were opened on.

#include "InputEditingSupport.h"

#include "grid/GridCombo.h"
#include "windowing/Focus.h"

#include <gtest/gtest.h>

using namespace winapi;

namespace {

class ComboEditorTest : public EditingTest {
protected:
    void SetUp() override {
        EditingTest::SetUp();
        Grid->OnGetEditorType = [this](TObject*, Integer ACol, Integer, TEditorType& Kind) {
            if (ACol == 1) Kind = Kind1;
            if (ACol == 2) Kind = Kind2;
        };
        Grid->OnGetEditorProp = [this](TObject*, Integer ACol, Integer ARow, TObject*) {
            if (ACol != 1) return;
            Grid->ClearComboString();
            for (const String& S : Items) Grid->AddComboString(S);
            if (OnProp) OnProp(ARow);
        };
    }
    TGridCombo* Combo() { return Grid->Combobox(); }
    // Opens the editor of the current cell.
    void Open() {
        Key(VK_F2);
        ASSERT_TRUE(Grid->EditMode());
    }
    // A letter key as a user types it: key-down, character, key-up.
    void Letter(Integer VirtualKey, const String& Ch) {
        Input().PressKey(VirtualKey, Ch);
        Input().ReleaseKey(VirtualKey);
        Pump();
    }
    bool ComboShowing() { return Combo()->Visible() && Grid->EditMode() && Grid->EditCtrl() == Combo(); }
    TEditorType Kind1 = edComboList;
    TEditorType Kind2 = edNormal;
    std::vector<String> Items{u"one", u"two", u"three"};
    std::function<void(Integer Row)> OnProp;
};

TEST_F(ComboEditorTest, ListSelectsTheItemTheCellNamesInThisOrder) {
    struct Case {
        const char* Name;
        std::vector<String> Items;
        String Cell;
        std::function<void(TTestInput*)> Prop;
        bool AutoSelect;
        Integer Expected;
        bool ChangeFired;
    };
    const std::vector<Case> Cases = {
        {"case-sensitive match first", {u"apple", u"APPLE"}, u"APPLE", nullptr, true, 1, false},
        {"then the list's own search", {u"alpha", u"beta"}, u"BETA", nullptr, true, 1, true},
        {"a forced index wins", {u"a", u"b", u"c"}, u"a", [](TTestInput* G) { G->SetComboSelection(2); }, true, 2,
         false},
        {"an index by name yields to the cell's item", {u"a", u"b", u"c"}, u"a",
         [](TTestInput* G) { G->SetComboSelectionString(u"c"); }, true, 0, false},
        {"an index by name for a text of no item", {u"a", u"b", u"c"}, u"zzz",
         [](TTestInput* G) { G->SetComboSelectionString(u"b"); }, true, 1, false},
        {"AutoComboSelect takes the first item", {u"a", u"b"}, u"zzz", nullptr, true, 0, true},
        {"no item without AutoComboSelect", {u"a", u"b"}, u"zzz", nullptr, false, -1, false},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.Name);
        Items = C.Items;
        OnProp = [&](Integer) {
            if (C.Prop) C.Prop(Grid);
        };
        Grid->Navigation()->PlainSettings().AutoComboSelect = C.AutoSelect;
        std::vector<std::pair<Integer, String>> Changes;
        Grid->OnComboChange = [&](TObject*, Integer, Integer, Integer Index, const String& S) {
            Changes.emplace_back(Index, S);
        };
        Grid->SetCells(1, 1, C.Cell);
        Grid->FocusCell(1, 1);
        Open();
        ASSERT_TRUE(ComboShowing());
        EXPECT_EQ(Combo()->Style(), csDropDownList);
        EXPECT_EQ(Combo()->ItemIndex(), C.Expected);
        EXPECT_EQ(!Changes.empty(), C.ChangeFired);
        if (C.ChangeFired) {
            EXPECT_EQ(Changes.front(), (std::pair<Integer, String>(C.Expected, C.Items[size_t(C.Expected)])));
        }
        Key(VK_ESCAPE);
        EXPECT_FALSE(Grid->EditMode());
        EXPECT_EQ(Grid->Cells(1, 1), C.Cell);
    }
}

TEST_F(ComboEditorTest, ForcedIndexServesOneEditOnly) {
    Grid->Navigation()->PlainSettings().AutoComboSelect = false;
    OnProp = [&](Integer Row) {
        if (Row == 1) Grid->SetComboSelection(2);
    };
    Grid->SetCells(1, 1, u"one");
    Grid->SetCells(1, 2, u"nothing");
    Open();
    EXPECT_EQ(Combo()->ItemIndex(), 2);
    Key(VK_ESCAPE);
    Grid->FocusCell(1, 2);
    Open();
    // The index of the first edit does not leak into this one.
    EXPECT_EQ(Combo()->ItemIndex(), -1);
    Key(VK_ESCAPE);
}

TEST_F(ComboEditorTest, ComboIndexOfACellAndItsItems) {
    Grid->SetCells(1, 2, u"two");
    Grid->SetCells(1, 3, u"none of them");
    EXPECT_EQ(Grid->GetComboIndex(1, 2), 1);
    EXPECT_EQ(Grid->GetComboIndex(1, 3), -1);
    EXPECT_EQ(Grid->GetComboCount(), 3);
    Grid->SetComboIndex(1, 3, 2);
    EXPECT_EQ(Grid->Cells(1, 3), u"three");
    EXPECT_TRUE(Grid->RemoveComboString(u"TWO"));
    EXPECT_FALSE(Grid->RemoveComboString(u"two"));
    EXPECT_EQ(Grid->GetComboCount(), 2);
    EXPECT_FALSE(Grid->SetComboSelectionString(u"absent"));
}

TEST_F(ComboEditorTest, EnterStoresTheChosenItemAndEndsTheEdit) {
    Grid->SetCells(1, 1, u"one");
    std::vector<String> Done;
    Grid->OnEditingDone = [&](TObject*) { Done.push_back(Grid->Cells(1, 1)); };
    Open();
    EXPECT_EQ(Grid->CellEditor(), Combo());
    Key(VK_DOWN);
    EXPECT_TRUE(ComboShowing());
    EXPECT_EQ(Combo()->Text(), u"two");
    Key(VK_RETURN);
    EXPECT_FALSE(Grid->EditMode());
    EXPECT_FALSE(Combo()->Visible());
    EXPECT_EQ(Grid->Cells(1, 1), u"two");
    EXPECT_EQ(Done, std::vector<String>{u"two"});
    EXPECT_EQ(Grid->CellEditor(), nullptr);
}

TEST_F(ComboEditorTest, EnterChoosesTheItemHighlightedInTheOpenList) {
    Grid->SetCells(1, 2, u"one");
    Grid->FocusCell(1, 2);
    Open();
    Key(VK_DOWN, {VK_MENU});
    EXPECT_TRUE(Combo()->DroppedDown());
    Key(VK_DOWN);
    Key(VK_RETURN);
    EXPECT_EQ(Grid->Cells(1, 2), u"two");
    EXPECT_FALSE(Combo()->DroppedDown());
    EXPECT_FALSE(Grid->EditMode());
}

TEST_F(ComboEditorTest, RefusedEnterKeepsTheComboOpenWithoutAdvance) {
    Grid->Navigation()->SetAdvanceOnEnter(true);
    Grid->SetCells(1, 1, u"one");
    std::vector<String> Validated;
    bool Accept = false;
    Grid->OnCellValidate = [&](TObject*, Integer, Integer, String& Value, bool& Valid) {
        Validated.push_back(Value);
        Valid = Accept;
    };
    Open();
    Key(VK_DOWN);
    Key(VK_RETURN);
    EXPECT_EQ(Validated, std::vector<String>{u"two"});
    EXPECT_TRUE(ComboShowing());
    EXPECT_EQ(Combo()->Text(), u"two");
    EXPECT_EQ(Grid->Col(), 1);
    EXPECT_EQ(Grid->Row(), 1);
    EXPECT_EQ(Grid->Cells(1, 1), u"one");
    // A second try is validated again and, accepted, advances.
    Accept = true;
    Key(VK_RETURN);
    EXPECT_EQ(Validated.size(), 2u);
    EXPECT_EQ(Grid->Cells(1, 1), u"two");
    EXPECT_FALSE(Combo()->Visible());
    EXPECT_EQ(Grid->Col(), 2);
}

TEST_F(ComboEditorTest, EscapeRestoresTheItemOfTheCell) {
    Grid->SetCells(1, 1, u"two");
    Open();
    Key(VK_DOWN);
    EXPECT_EQ(Combo()->Text(), u"three");
    Key(VK_ESCAPE);
    EXPECT_FALSE(Grid->EditMode());
    EXPECT_EQ(Combo()->ItemIndex(), 1);
    EXPECT_EQ(Grid->Cells(1, 1), u"two");
}

TEST_F(ComboEditorTest, UpAndDownStepTheItemsOrMoveTheGrid) {
    Grid->SetCells(1, 1, u"one");
    Open();
    Key(VK_DOWN);
    Key(VK_DOWN);
    Key(VK_UP);
    EXPECT_TRUE(ComboShowing());
    EXPECT_EQ(Combo()->Text(), u"two");
    EXPECT_EQ(Grid->Row(), 1);
    Key(VK_ESCAPE);

    Grid->Navigation()->PlainSettings().ComboGetUpDown = false;
    Open();
    Key(VK_DOWN);
    EXPECT_FALSE(Grid->EditMode());
    EXPECT_FALSE(Combo()->Visible());
    EXPECT_EQ(Grid->Row(), 2);
    EXPECT_EQ(Grid->Cells(1, 1), u"one");
    EXPECT_EQ(Grid->Cells(1, 2), u"c1r2");
}

// With the editor always shown, the list editor that comes up on a cell is
// the one with the focus (the normal editor must not come up over it); the
// cursor leaving a cell whose text is no item, by key or by the program,
// keeps that text; a typed letter picks an item.
TEST_F(ComboEditorTest, AlwaysShownListEditorHoldsTheFocusAndKeepsAnUnlistedText) {
    Grid->Navigation()->PlainSettings().ComboGetUpDown = false;
    Grid->Navigation()->PlainSettings().AutoComboSelect = false;
    TGridOptions Opts = Grid->Options();
    Opts.Include(goAlwaysShowEditor);
    Grid->SetOptions(Opts);
    Grid->SetCells(1, 1, u"<choose>");
    Grid->SetCells(1, 2, u"<choose>");
    Grid->FocusCell(2, 1);
    Grid->SetFocus();
    Pump();
    Grid->FocusCell(1, 1);
    Pump();
    ASSERT_TRUE(ComboShowing());
    EXPECT_EQ(Combo()->ItemIndex(), -1);
    EXPECT_EQ(FindControl(GetFocus()), Combo());
    EXPECT_FALSE(Editor() && Editor()->Visible());

    Key(VK_DOWN);
    EXPECT_EQ(Grid->Row(), 2);
    EXPECT_EQ(Grid->Cells(1, 1), u"<choose>");
    ASSERT_TRUE(ComboShowing());
    EXPECT_EQ(FindControl(GetFocus()), Combo());

    Grid->FocusCell(1, 3);
    Pump();
    EXPECT_EQ(Grid->Cells(1, 2), u"<choose>");
    ASSERT_TRUE(ComboShowing());
    Letter('T', u"t");
    Key(VK_RETURN);
    EXPECT_EQ(Grid->Cells(1, 3), u"two");
}

TEST_F(ComboEditorTest, WheelStopsAtBothEndsWithoutScrollingTheGrid) {
    Grid->SetRowCount(60);
    Grid->SetCells(1, 1, u"one");
    Open();
    std::vector<Integer> Changes;
    Grid->OnComboChange = [&](TObject*, Integer ACol, Integer ARow, Integer Index, const String&) {
        EXPECT_EQ(ACol, 1);
        EXPECT_EQ(ARow, 1);
        Changes.push_back(Index);
    };
    const Integer Top = Grid->TopRow();
    for (Integer i = 0; i < 4; ++i) {
        Input().Wheel(-120);
        Pump();
    }
    EXPECT_EQ(Combo()->ItemIndex(), 2);
    for (Integer i = 0; i < 4; ++i) {
        Input().Wheel(120);
        Pump();
    }
    EXPECT_EQ(Combo()->ItemIndex(), 0);
    EXPECT_EQ(Changes, (std::vector<Integer>{1, 2, 2, 2, 1, 0, 0, 0}));
    EXPECT_EQ(Grid->TopRow(), Top);
    EXPECT_EQ(Grid->Row(), 1);
    EXPECT_TRUE(ComboShowing());
}

TEST_F(ComboEditorTest, TabWithGoTabsStoresAndMovesOn) {
    TGridOptions Opts = Grid->Options();
    Opts.Include(goTabs);
    Grid->SetOptions(Opts);
    Kind2 = edComboList;
    Grid->SetCells(1, 1, u"one");
    Open();
    Key(VK_DOWN);
    Key(VK_TAB);
    EXPECT_EQ(Grid->Cells(1, 1), u"two");
    EXPECT_EQ(Grid->Col(), 2);
    EXPECT_EQ(Grid->Row(), 1);
    Key(VK_ESCAPE);
    // Shift+Tab goes back; the list's item (the first, as the cell's text
    // names none) is stored.
    Grid->FocusCell(2, 2);
    Open();
    Key(VK_TAB, {VK_SHIFT});
    EXPECT_EQ(Grid->Col(), 1);
    EXPECT_EQ(Grid->Row(), 2);
    EXPECT_EQ(Grid->Cells(2, 2), u"one");
}

TEST_F(ComboEditorTest, TabWithoutGoTabsIsValidatedFirst) {
    Grid->SetCells(1, 1, u"one");
    std::vector<String> Validated;
    Grid->OnCellValidate = [&](TObject*, Integer, Integer, String& Value, bool&) { Validated.push_back(Value); };
    Open();
    Key(VK_DOWN);
    Key(VK_TAB);
    EXPECT_EQ(Validated, std::vector<String>{u"two"});
    EXPECT_FALSE(Grid->EditMode());
    EXPECT_EQ(Grid->Cells(1, 1), u"two");
}

TEST_F(ComboEditorTest, EditableComboCompletesFromItems) {
    Kind1 = edComboEdit;
    Items = {u"Apple", u"Abacus"};
    Grid->SetLookup(true);
    Grid->SetCells(1, 1, u"");
    Open();
    ASSERT_TRUE(ComboShowing());
    EXPECT_EQ(Combo()->Style(), csDropDown);
    Letter('A', u"a");
    EXPECT_EQ(Combo()->Text(), u"apple");
    EXPECT_EQ(Combo()->SelStart(), 1);
    EXPECT_EQ(Combo()->SelLength(), 4);
    EXPECT_EQ(Combo()->ItemIndex(), 0);
    Letter('B', u"b");
    EXPECT_EQ(Combo()->Text(), u"abacus");
    EXPECT_EQ(Combo()->SelStart(), 2);
    EXPECT_EQ(Combo()->SelLength(), 4);
    Key(VK_BACK);
    EXPECT_EQ(Combo()->Text(), u"ab");
    Key(VK_RETURN);
    EXPECT_EQ(Grid->Cells(1, 1), u"ab");
}

TEST_F(ComboEditorTest, LookupHistoryKeepsNewTextsOnly) {
    Kind1 = edComboEdit;
    Items.clear();
    OnProp = nullptr;
    Grid->OnGetEditorProp = nullptr;
    Grid->SetLookupHistory(true);
    Grid->AddComboString(u"kept");
    const std::vector<std::pair<String, Integer>> Cases = {{u"fresh", 2}, {u"KEPT", 2}, {u"", 2}};
    for (const auto& [Text, Count] : Cases) {
        SCOPED_TRACE(Utf8(Text));
        Open();
        Combo()->SetText(Text);
        Grid->SetFocus();
        Pump();
        EXPECT_FALSE(Grid->EditMode());
        EXPECT_EQ(Grid->GetComboCount(), Count);
    }
}

TEST_F(ComboEditorTest, SelectionChangesAreToldOnce) {
    Grid->SetCells(1, 1, u"one");
    Open();
    std::vector<std::pair<Integer, String>> Changes;
    std::vector<TObject*> Objects;
    Grid->OnComboChange = [&](TObject*, Integer, Integer, Integer Index, const String& S) {
        Changes.emplace_back(Index, S);
    };
    Grid->OnComboObjectChange = [&](TObject*, Integer, Integer, Integer, const String&, TObject* O) {
        Objects.push_back(O);
    };
    Key(VK_DOWN);
    Letter('T', u"t");
    EXPECT_EQ(Changes, (std::vector<std::pair<Integer, String>>{{1, u"two"}, {2, u"three"}}));
    EXPECT_EQ(Objects.size(), 2u);
    Key(VK_RETURN);
    EXPECT_EQ(Grid->Cells(1, 1), u"three");
}

TEST_F(ComboEditorTest, CursorWalkLeavesTheEditableComboAtItsEdge) {
    Kind1 = edComboEdit;
    Grid->Navigation()->PlainSettings().CursorWalkEditor = true;
    Grid->Navigation()->PlainSettings().CursorWalkAlwaysEdit = false;
    Grid->SetCells(1, 1, u"ab");
    Open();
    Key(VK_END);
    Key(VK_RIGHT);
    EXPECT_FALSE(Combo()->Visible());
    EXPECT_EQ(Grid->Col(), 2);
    EXPECT_EQ(Grid->Cells(1, 1), u"ab");
    // A check box to the right: the cursor moves onto it and no editor opens.
    Grid->AddCheckBox(2, 2, false, false);
    Grid->FocusCell(1, 2);
    Open();
    Key(VK_END);
    Key(VK_RIGHT);
    EXPECT_EQ(Grid->Col(), 2);
    EXPECT_EQ(Grid->Row(), 2);
    EXPECT_FALSE(Grid->EditMode());
    EXPECT_FALSE(Combo()->Visible());
}

TEST_F(ComboEditorTest, AutoDropSizeFitsTheLongestItem) {
    Items = {u"a", u"a rather long item that is much wider than the cell"};
    Grid->Navigation()->PlainSettings().AutoComboDropSize = true;
    Open();
    const Integer Wanted = Grid->Canvas()->TextWidth(Items[1]) + 8;
    EXPECT_EQ(Combo()->DroppedWidth(), Wanted);
    EXPECT_GT(Wanted, Combo()->Width());
    Key(VK_ESCAPE);
}

TEST_F(ComboEditorTest, CheckBoxStoresCheckTrueOrCheckFalse) {
    Kind1 = edCheckBox;
    struct Case {
        String Start;
        bool Space;
        String Stored;
    };
    for (const Case& C : std::vector<Case>{{u"Y", true, u"N"}, {u"N", true, u"Y"}, {u"x", false, u"N"}, {u"Y", false, u"Y"}}) {
        SCOPED_TRACE(Utf8(C.Start));
        Grid->SetCells(1, 1, C.Start);
        Open();
        EXPECT_EQ(Grid->EditCtrl(), nullptr);
        if (C.Space) Key(VK_SPACE);
        Key(VK_RETURN);
        EXPECT_FALSE(Grid->EditMode());
        EXPECT_EQ(Grid->Cells(1, 1), C.Stored);
        EXPECT_EQ(Grid->Row(), 1);
    }
}

TEST_F(ComboEditorTest, CheckBoxEndsWithArrowsWithoutMovingSideways) {
    Kind1 = edCheckBox;
    Grid->SetCells(1, 1, u"N");
    Open();
    Key(VK_SPACE);
    Key(VK_RIGHT);
    EXPECT_FALSE(Grid->EditMode());
    EXPECT_EQ(Grid->Cells(1, 1), u"Y");
    EXPECT_EQ(Grid->Col(), 1);
    Open();
    Key(VK_DOWN);
    EXPECT_EQ(Grid->Cells(1, 1), u"Y");
    EXPECT_EQ(Grid->Row(), 2);
}

TEST_F(ComboEditorTest, DataCheckBoxCellKeepsItsText) {
    Kind1 = edDataCheckBox;
    Grid->SetCells(1, 1, u"Y");
    Open();
    Grid->HideInplaceEdit();
    EXPECT_FALSE(Grid->EditMode());
    EXPECT_EQ(Grid->Cells(1, 1), u"Y");
}

TEST_F(ComboEditorTest, ButtonHandsItsCaptionToOnEllipsClick) {
    Kind1 = edButton;
    Grid->SetCells(1, 1, u"pick");
    Grid->OnEllipsClick = [](TObject*, Integer ACol, Integer ARow, String& S) {
        EXPECT_EQ(ACol, 1);
        EXPECT_EQ(ARow, 1);
        S = S + u"ed";
    };
    Open();
    ASSERT_NE(Grid->EditCtrl(), nullptr);
    EXPECT_EQ(Grid->EditCtrl()->Caption(), u"pick");
    Key(VK_SPACE);
    EXPECT_EQ(Grid->Cells(1, 1), u"picked");
    Key(VK_ESCAPE);
    EXPECT_FALSE(Grid->EditMode());
    EXPECT_EQ(Grid->Cells(1, 1), u"pick");
}

TEST(GridEditorFamily, OwnerMustBeTheGrid) {
    TComponent* Owner = Create<TComponent>(nullptr);
    EXPECT_THROW(Create<TGridCombo>(Owner), EInvalidCast);
    EXPECT_THROW(Create<TGridCheckBox>(Owner), EInvalidCast);
    Free(Owner);
}

} // namespace

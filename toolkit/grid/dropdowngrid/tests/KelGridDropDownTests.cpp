// The grid drop-down control: lookup and narrowing while typing, the item
// index through opening, cancelling, choosing and sorting, the keys of the
// closed control, the pop-up's height and the style presets.

#include "DropDownGridTestSupport.h"

#include "rtl/Convert.h"

using namespace winapi;
using namespace ZedArudorIdudIvudAriz;

TEST_F(KelGridDropDownTest, LookupWhileTypingFindsTheFirstItemBeginningWithTheEntry) {
    const struct {
        const char* Name;
        TDropDownStyle Style;
        bool CaseSensitive;
        const char16_t* Typed;
        Integer Index;
        const char16_t* Text;
        Integer Selects;
    } Cases[] = {
        {"completes in the edit", dsDropDown, false, u"b", 1, u"Banana", 1},
        {"no match keeps the item", dsDropDown, false, u"bx", 1, nullptr, 1},
        {"list starts over with the last character", dsDropDownList, false, u"bc", 2, u"Cherry", 2},
        {"upper-case entry without case", dsDropDownList, false, u"BA", 1, u"Banana", 2},
        {"mixed case without case", dsDropDownList, false, u"bA", 1, u"Banana", 2},
        {"mixed case with case starts over", dsDropDownList, true, u"bA", 0, u"Apple", 1},
    };
    for (const auto& Case : Cases) {
        SCOPED_TRACE(Case.Name);
        SetItems({u"Apple", u"Banana", u"Cherry"});
        Edit->SetStyle(Case.Style);
        Edit->SetCaseSensitive(Case.CaseSensitive);
        Edit->SetItemIndex(-1);
        Edit->DoEnter();
        Selects = 0;
        Press(Case.Typed);
        EXPECT_EQ(Edit->ItemIndex(), Case.Index);
        if (Case.Text) {
            EXPECT_EQ(Edit->Text(), Case.Text);
        }
        EXPECT_EQ(Selects, Case.Selects);
    }
}

TEST_F(KelGridDropDownTest, TheCompletedPartIsSelectedInTheEdit) {
    SetItems({u"Apple", u"Banana", u"Cherry"});
    Press(u"b");
    EXPECT_EQ(Edit->Text(), u"Banana");
    EXPECT_EQ(Selected(), u"anana");
    EXPECT_EQ(Edit->LookupEntry(), u"b");
}

TEST_F(KelGridDropDownTest, LookupNoneNeverChangesTheItemIndex) {
    for (TDropDownStyle Style : {dsDropDown, dsDropDownList}) {
        SetItems({u"Apple", u"Banana", u"Cherry"});
        Edit->SetStyle(Style);
        Edit->SetLookupMethod(lmNone);
        Edit->SetItemIndex(-1);
        Open();
        Press(u"c");
        Key(VK_ESCAPE);
        Press(u"b");
        EXPECT_EQ(Edit->ItemIndex(), -1) << Integer(Style);
        EXPECT_EQ(Selects, 0);
    }
}

TEST_F(KelGridDropDownTest, NarrowingDownFiltersTheOpenListInLevels) {
    SetItems({u"Apple", u"Cherry", u"Chive", u"Mocca", u"Banana"});
    Edit->SetStyle(dsDropDownList);
    Edit->SetLookupMethod(lmNarrowDown);
    Open();
    ASSERT_EQ(DataRows(), 5);
    Press(u"c");
    EXPECT_EQ(DataRows(), 3);
    Press(u"h");
    EXPECT_EQ(DataRows(), 2);
    EXPECT_EQ(List()->Cells(0, 1), u"Cherry");
    EXPECT_EQ(List()->Cells(0, 2), u"Chive");
    // Backspace shortens the entry but leaves the list until the next character.
    Press(u"\b");
    EXPECT_EQ(Edit->LookupEntry(), u"c");
    EXPECT_EQ(DataRows(), 2);
    Press(u"\b");
    EXPECT_EQ(Edit->LookupEntry(), u"");
    // A blank in an empty entry shows every row again.
    Press(u" ");
    EXPECT_EQ(DataRows(), 5);
    Press(u"m");
    EXPECT_EQ(DataRows(), 1);
    Key(VK_ESCAPE);
    // Entering the control again shows every row.
    Edit->DoEnter();
    EXPECT_EQ(DataRows(), 5);
    EXPECT_EQ(Edit->LookupEntry(), u"");
}

TEST_F(KelGridDropDownTest, NarrowingDownInTheFreeEditCompletesAndStartsTheEntryOver) {
    SetItems({u"Apple", u"Cherry", u"Chive", u"Mocca", u"Banana"});
    Edit->SetLookupMethod(lmNarrowDown);
    Open();
    Press(u"c");
    EXPECT_EQ(DataRows(), 3);
    EXPECT_EQ(Edit->Text(), u"Cherry");
    EXPECT_EQ(Selected(), u"herry");
    EXPECT_EQ(Edit->LookupEntry(), u"");
    // The next character narrows on its own.
    Press(u"v");
    EXPECT_EQ(DataRows(), 1);
    EXPECT_EQ(Edit->Text(), u"Chive");
    // Nothing left: no completion, the entry keeps growing.
    Press(u"qz");
    EXPECT_EQ(Edit->LookupEntry(), u"qz");
}

TEST_F(KelGridDropDownTest, EscapeRestoresTheItemIndexOfTheOpening) {
    SetItems({u"Apple", u"Banana", u"Cherry"});
    Edit->SetItemIndex(0);
    Open();
    Key(VK_DOWN);
    Key(VK_DOWN);
    EXPECT_EQ(Edit->ItemIndex(), 2);
    Key(VK_ESCAPE);
    EXPECT_FALSE(IsOpen());
    EXPECT_EQ(Edit->ItemIndex(), 0);
    EXPECT_EQ(Edit->Text(), u"Apple");
}

TEST_F(KelGridDropDownTest, AnEditableListStaysOpenOnAChoice) {
    SetItems({u"Apple", u"Banana", u"Cherry"});
    Edit->SetGridEditable(true);
    Open();
    EXPECT_TRUE(List()->Options().Contains(goEditing));
    ClickCell(0, 3);
    EXPECT_EQ(Selects, 1);
    EXPECT_TRUE(IsOpen());
    EXPECT_EQ(Edit->ItemIndex(), 2);
}

TEST_F(KelGridDropDownTest, AHeaderSortKeepsTheChosenItemAndTheNextOpeningKeepsTheOrder) {
    SetItems({u"Banana", u"Cherry", u"Apple"});
    Edit->SetSorting(gsSingleColumn);
    Edit->SetItemIndex(1); // Cherry
    Open();
    ASSERT_TRUE(List()->SortSettings()->Show());
    Integer Sorted = -1;
    Edit->OnGridClickSort = [&Sorted](TObject*, Integer ACol) { Sorted = ACol; };
    // What the grid does for a click on the first header.
    bool DoSort = false;
    List()->OnCanSort(List(), 0, DoSort);
    ASSERT_TRUE(DoSort);
    List()->SortSettings()->SetColumn(0);
    List()->QSort();
    List()->OnClickSort(List(), 0);
    EXPECT_EQ(Sorted, 0);
    EXPECT_EQ(List()->Cells(0, 1), u"Apple");
    EXPECT_EQ(List()->Cells(0, 3), u"Cherry");
    EXPECT_EQ(List()->Row(), 3);
    EXPECT_EQ(Edit->ItemIndex(), 1);
    Key(VK_ESCAPE);
    Open();
    EXPECT_EQ(List()->Cells(0, 1), u"Apple");
    EXPECT_EQ(List()->Row(), 3);
    Key(VK_UP);
    Key(VK_RETURN);
    EXPECT_EQ(Edit->Text(), u"Banana");
    EXPECT_EQ(Edit->ItemIndex(), 0);
}

TEST_F(KelGridDropDownTest, KeysOfTheClosedControlStepThroughTheItems) {
    Edit->Items()->Clear();
    for (Integer I = 0; I < 14; ++I) Edit->Items()->Add()->Text()->Add(u"Item " + IntToStr(I));
    Edit->EndUpdate();
    Edit->SetStyle(dsDropDownList);
    const struct {
        Integer Key;
        Integer Index;
    } Steps[] = {{VK_DOWN, 0}, {VK_DOWN, 1}, {VK_NEXT, 11}, {VK_NEXT, 13}, {VK_UP, 12},
                 {VK_PRIOR, 2}, {VK_PRIOR, 0}, {VK_END, 13}, {VK_HOME, 0}};
    for (const auto& Step : Steps) {
        Key(Step.Key);
        EXPECT_EQ(Edit->ItemIndex(), Step.Index) << Step.Key;
        EXPECT_EQ(Edit->Text(), u"Item " + IntToStr(Step.Index));
    }
    EXPECT_FALSE(IsOpen());
}

TEST_F(KelGridDropDownTest, ThePopupHeightTakesWholeRows) {
    Edit->SetDropDownSizeable(false);
    Edit->DropDownHeader()->SetVisible(false);
    Edit->DropDownFooter()->SetVisible(false);
    const struct {
        Integer Requested, Header, Row, Expected;
    } Cases[] = {{200, 25, 22, 185}, {100, 25, 22, 97}, {200, 30, 20, 196}};
    for (const auto& Case : Cases) {
        Edit->SetHeaderHeight(Case.Header);
        Edit->SetDropDownRowHeight(Case.Row);
        Integer H = Case.Requested;
        Edit->AdjustDropDownHeight(H);
        EXPECT_EQ(H, Case.Expected) << Case.Requested;
    }
}

TEST_F(KelGridDropDownTest, EveryStylePresetApplies) {
    EXPECT_EQ(GridDropDownStylePresetCount(), 26);
    for (Integer S = tsOffice2003Blue; S <= tsOffice2019Black; ++S)
        Edit->SetComponentStyle(TKelStyle(S));
    const struct {
        TKelStyle Style;
        TColor Header, HeaderTo, HeaderFont, Selection, SelectionText, Line, FixedLine;
    } Cases[] = {
        {tsWindowsXP, clBtnFace, clBtnFace, 0x000000, clHighlight, clHighlightText, 0xC0C0C0, 0x000000},
        {tsOffice2019White, 0xFFFFFF, clNone, 0x444444, 0xF9ECDE, 0x393A3B, 0xD4D4D4, 0xABABAB},
    };
    for (const auto& Case : Cases) {
        Edit->SetComponentStyle(Case.Style);
        EXPECT_EQ(Edit->GetComponentStyle(), Case.Style);
        EXPECT_EQ(Edit->HeaderColor(), Case.Header);
        EXPECT_EQ(Edit->HeaderColorTo(), Case.HeaderTo);
        EXPECT_EQ(Edit->HeaderFont()->Color(), Case.HeaderFont);
        EXPECT_EQ(Edit->SelectionColor(), Case.Selection);
        EXPECT_EQ(Edit->SelectionTextColor(), Case.SelectionText);
        EXPECT_EQ(Edit->LineColor(), Case.Line);
        EXPECT_EQ(Edit->FixedLineColor(), Case.FixedLine);
    }
}

TEST_F(KelGridDropDownTest, TextSetFromCodeIsNotAModification) {
    SetItems({u"Apple", u"Banana", u"Cherry"});
    Edit->SetText(u"Banana");
    EXPECT_EQ(Edit->OldValue(), u"Banana");
    EXPECT_FALSE(Edit->IsModified());
    Press(u"x");
    EXPECT_TRUE(Edit->IsModified());
}

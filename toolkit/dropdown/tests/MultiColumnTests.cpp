// The multi-column drop-down on the headless window system: completion while
// typing, Enter matching, the page keys, the list's size and rows, and how
// the wheel and the arrows in the open list reach ItemIndex.

#include "DropDownTestSupport.h"
#include "dropdown/DropDownForm.h"
#include "dropdown/ZuvEdiraRareriVavuRaze.h"
#include "rtl/Convert.h"
#include "windowing/Input.h"

using namespace winapi;
using namespace ZuvEdiraRareriVavuRaze;

namespace {

class MultiColumn : public DropDownTest {
protected:
    TZuvEdiraRareriVavuRaze* NewEdit(std::initializer_list<std::initializer_list<const char16_t*>> Rows,
                                     Integer Columns = 2) {
        Form = NewForm();
        auto* Edit = Create<TZuvEdiraRareriVavuRaze>(Form);
        Edit->SetParent(Form);
        Edit->SetBounds(20, 20, 200, 21);
        for (Integer I = 0; I < Columns; ++I)
            Edit->Columns()->Add()->SetHeader(u"Column " + IntToStr(I));
        for (const auto& Row : Rows) {
            TDropDownItem* Item = Edit->Items()->Add();
            for (const char16_t* Text : Row)
                Item->Text()->Add(Text);
        }
        Edit->EndUpdate();
        Edit->OnSelect = [this](TObject*) { ++Selects; };
        Edit->SetFocus();
        Pump();
        return Edit;
    }
    TZuvEdiraRareriVavuRaze* NewNumbered(Integer Count) {
        auto* Edit = NewEdit({});
        for (Integer I = 0; I < Count; ++I) {
            TDropDownItem* Item = Edit->Items()->Add();
            Item->Text()->Add(u"Item " + IntToStr(I));
            Item->Text()->Add(u"Notes " + IntToStr(I));
        }
        Edit->EndUpdate();
        return Edit;
    }
    // Each character as a real key: its key-down, the character, its key-up.
    void Press(const String& Text) {
        for (Char C : Text) {
            const Integer VirtualKey = C >= u'a' && C <= u'z' ? C - u'a' + u'A' : C;
            Backend->PressKey(VirtualKey, String(1, C));
            Pump();
            Backend->ReleaseKey(VirtualKey);
            Pump();
        }
    }
    static String Selected(TZuvEdiraRareriVavuRaze* Edit) {
        return Edit->Text().substr(size_t(Edit->SelStart()), size_t(Edit->SelLength()));
    }
    TForm* Form = nullptr;
    int Selects = 0;
};

} // namespace

TEST_F(MultiColumn, TypingCompletesFromTheLookupColumnKeepingTheTypedCase) {
    auto* Edit = NewEdit({{u"Abacus", u"counting frame"}, {u"About", u"concerning"}});
    const struct {
        const char16_t* Typed;
        const char16_t* Text;
        const char16_t* Selection;
        Integer Index;
    } Cases[] = {
        {u"a", u"abacus", u"bacus", 0},
        {u"b", u"abacus", u"acus", 0},
        {u"o", u"about", u"ut", 1},
        {u"x", u"abox", u"", 1}, // no match: the typed text stays
    };
    for (const auto& Case : Cases) {
        SCOPED_TRACE(Integer(&Case - Cases));
        Press(Case.Typed);
        EXPECT_EQ(Edit->Text(), Case.Text);
        EXPECT_EQ(Selected(Edit), Case.Selection);
        EXPECT_EQ(Edit->ItemIndex(), Case.Index);
    }
    // Keys that produce no character never complete.
    Edit->SetText(u"");
    Key(VK_HOME);
    Key(VK_SHIFT);
    EXPECT_EQ(Edit->Text(), u"");
    EXPECT_EQ(Selects, 0);
}

TEST_F(MultiColumn, EnterTakesTheItemOfACaseDifferentTextAndLookupColumnMinusOneMatchesNothing) {
    auto* Edit = NewEdit({{u"Abacus", u"counting frame"}, {u"About", u"concerning"}});
    Edit->SetText(u"ABACUS");
    Key(VK_RETURN);
    EXPECT_EQ(Edit->Text(), u"Abacus");
    EXPECT_EQ(Edit->ItemIndex(), 0);
    EXPECT_EQ(Edit->GetItemIndex(u"About"), 1);
    EXPECT_EQ(Edit->GetItemIndex(u"ABOUT"), -1);

    Edit->SetItemIndex(2); // the item count or more is ignored
    EXPECT_EQ(Edit->ItemIndex(), 0);
    Edit->SetItemIndex(-1);
    EXPECT_EQ(Edit->Text(), u"");

    Edit->SetLookupColumn(-1);
    Edit->SetItemIndex(1);
    EXPECT_EQ(Edit->Text(), u"");
    Edit->SetText(u"ABACUS");
    Key(VK_RETURN);
    EXPECT_EQ(Edit->Text(), u"ABACUS");
    EXPECT_EQ(Edit->GetItemIndex(u"About"), -1);

    // The second column as the lookup column.
    Edit->SetLookupColumn(1);
    Edit->SetItemIndex(1);
    EXPECT_EQ(Edit->Text(), u"concerning");
}

TEST_F(MultiColumn, AnItemWithoutALookupStringCountsAsEmpty) {
    auto* Edit = NewEdit(
        {{u"Abacus", u"counting frame"}, {u"Short"}, {u"About", u"concerning"}, {u"Dollar", u"$ sign"}});
    Edit->SetLookupColumn(1);
    EXPECT_EQ(Edit->LookupItems()->Count(), 4);
    EXPECT_EQ(Edit->LookupItems()->Strings(1), u"");
    EXPECT_EQ(Edit->GetItemIndex(u""), 1);
    EXPECT_EQ(Edit->GetItemIndex(u"concerning"), 2);
    Edit->SetItemIndex(1);
    EXPECT_EQ(Edit->Text(), u"");

    // The list's type-ahead passes over it.
    Edit->ShowDropDown();
    Pump();
    ASSERT_TRUE(Edit->DroppedDown());
    Type(u"c");
    EXPECT_EQ(Edit->ItemIndex(), 0);
    EXPECT_EQ(Edit->List()->Row(), 1);
    Type(u"on");
    EXPECT_EQ(Edit->ItemIndex(), 2);
    EXPECT_EQ(Edit->List()->Row(), 3);
    // Only Enter and Escape are special: "$" looks an item up too.
    Type(u"$");
    EXPECT_EQ(Edit->ItemIndex(), 3);
    EXPECT_EQ(Edit->List()->Row(), 4);
    EXPECT_TRUE(Edit->DroppedDown());
}

TEST_F(MultiColumn, PageKeysMoveTenItemsWithinTheList) {
    auto* Edit = NewNumbered(12);
    const struct {
        Integer From;
        Integer Key;
        Integer To;
        int Selects;
    } Cases[] = {
        {5, VK_NEXT, 11, 1},
        {11, VK_NEXT, 11, 0},
        {3, VK_PRIOR, 0, 1},
        {-1, VK_NEXT, 0, 1},
        {4, VK_DOWN, 5, 1},
        {0, VK_UP, 0, 0},
    };
    for (const auto& Case : Cases) {
        SCOPED_TRACE(Integer(&Case - Cases));
        Edit->SetItemIndex(Case.From);
        Selects = 0;
        Key(Case.Key);
        EXPECT_EQ(Edit->ItemIndex(), Case.To);
        EXPECT_EQ(Selects, Case.Selects);
        EXPECT_FALSE(Edit->DroppedDown());
    }
}

TEST_F(MultiColumn, AFixedSizePopupHoldsWholeRows) {
    auto* Edit = NewNumbered(12);
    Edit->SetDropDownSizeable(false);
    Edit->DropDownHeader()->SetVisible(false);
    Edit->DropDownFooter()->SetVisible(false);
    Edit->ShowDropDown();
    Pump();
    ASSERT_TRUE(Edit->DroppedDown());
    EXPECT_EQ(Edit->DropDownForm()->Height(), 7 * 22 + 27);
}

TEST_F(MultiColumn, ColumnsShareThePopupWidthCarryingTheRounding) {
    const struct {
        std::vector<Integer> Widths;
        Integer FormWidth;
        std::vector<Integer> Expected;
    } Cases[] = {
        {{50, 50, 50}, 300, {99, 99, 100}}, // 300/151 each; the third gets the carried pixel
        {{10, 20, 30}, 200, {33, 66, 98}},  // the carry never exceeds a pixel
        {{80, 80, 80}, 300, {100, 100, 100}},
    };
    for (const auto& Case : Cases) {
        SCOPED_TRACE(Case.FormWidth);
        auto* Edit = NewEdit({{u"a", u"b", u"c"}}, 0);
        for (Integer W : Case.Widths)
            Edit->Columns()->Add()->SetWidth(W);
        Edit->ShowDropDown();
        Pump();
        ASSERT_TRUE(Edit->DroppedDown());
        Edit->DropDownForm()->SetWidth(Case.FormWidth);
        Edit->SizeColumns();
        for (size_t I = 0; I < Case.Expected.size(); ++I)
            EXPECT_EQ(Edit->List()->ColWidths(Integer(I)), Case.Expected[I]) << I;
        Edit->HideDropDown(true);
        Free(Form);
        Pump();
    }
}

TEST_F(MultiColumn, RowsOfTheList) {
    // No items: one empty data row under the header.
    auto* Edit = NewEdit({});
    Edit->Columns()->Items(0)->SetAutoSize(true);
    Edit->Columns()->Items(0)->SetWidth(77);
    Edit->ShowDropDown();
    Pump();
    ASSERT_TRUE(Edit->DroppedDown());
    EXPECT_EQ(Edit->List()->RowCount(), 2);
    EXPECT_EQ(Edit->List()->FixedRows(), 1);
    EXPECT_EQ(Edit->List()->Columns()->Items(0)->Width(), 77); // the header alone sizes nothing
    EXPECT_EQ(Edit->List()->RowHeights(0), 25);
    Edit->HideDropDown(true);

    // Wrapped text grows a row only with a positive DropDownRowHeight.
    const String Long = u"a long text that wraps over several lines in a narrow column";
    for (Integer RowHeight : {22, 0}) {
        SCOPED_TRACE(RowHeight);
        Free(Form);
        Pump();
        auto* Wrapped = NewEdit({{u"Short", Long.c_str()}, {u"Other", u"x"}});
        Wrapped->Columns()->Items(1)->SetWordwrap(true);
        Wrapped->Columns()->Items(1)->SetWidth(60);
        Wrapped->SetDropDownRowHeight(RowHeight);
        Wrapped->ShowDropDown();
        Pump();
        ASSERT_TRUE(Wrapped->DroppedDown());
        TZazUruDava* List = Wrapped->List();
        if (RowHeight > 0) {
            EXPECT_GT(List->RowHeights(1), 40);
            EXPECT_EQ(List->RowHeights(2), 24);
        } else {
            EXPECT_EQ(List->RowHeights(1), List->RowHeights(2));
        }
        Wrapped->HideDropDown(true);
    }
}

TEST_F(MultiColumn, TheWheelOnlyScrollsWhileArrowsChooseAtOnce) {
    auto* Edit = NewNumbered(12);
    Edit->SetItemIndex(2);
    Edit->ShowDropDown();
    Pump();
    ASSERT_TRUE(Edit->DroppedDown());
    TZazUruDava* List = Edit->List();
    const TPoint Over = List->ClientToScreen({20, 60});
    Backend->MoveMouse(Over.X, Over.Y);
    Pump();
    Backend->Wheel(-120);
    Pump();
    EXPECT_NE(List->Row(), 3);
    EXPECT_EQ(Edit->ItemIndex(), 2);
    ClickAt(Form->ClientToScreen({300, 250}));
    EXPECT_FALSE(Edit->DroppedDown());
    EXPECT_EQ(Edit->ItemIndex(), 2);
    EXPECT_EQ(Edit->Text(), u"Item 2");

    Edit->SetFocus();
    Pump();
    Edit->ShowDropDown();
    Pump();
    ASSERT_TRUE(Edit->DroppedDown());
    Key(VK_DOWN);
    EXPECT_EQ(Edit->ItemIndex(), 3);
    ClickAt(Form->ClientToScreen({300, 250}));
    EXPECT_FALSE(Edit->DroppedDown());
    EXPECT_EQ(Edit->ItemIndex(), 3);
    EXPECT_EQ(Edit->Text(), u"Item 3");
}

TEST_F(MultiColumn, EscapeRestoresTheIndexOfTheOpeningOnlyAfterAnOpening) {
    auto* Edit = NewNumbered(6);
    Edit->SetItemIndex(1);
    Key(VK_ESCAPE); // never opened since the focus came: nothing changes
    EXPECT_EQ(Edit->ItemIndex(), 1);
    EXPECT_EQ(Edit->Text(), u"Item 1");

    Edit->ShowDropDown();
    Pump();
    ASSERT_TRUE(Edit->DroppedDown());
    Key(VK_DOWN);
    Key(VK_DOWN);
    EXPECT_EQ(Edit->ItemIndex(), 3);
    Key(VK_ESCAPE);
    EXPECT_FALSE(Edit->DroppedDown());
    EXPECT_EQ(Edit->ItemIndex(), 1);
    EXPECT_EQ(Edit->Text(), u"Item 1");

    // Enter in the list takes the row and fires OnSelect once.
    Edit->ShowDropDown();
    Pump();
    Key(VK_DOWN);
    Selects = 0;
    Key(VK_RETURN);
    EXPECT_FALSE(Edit->DroppedDown());
    EXPECT_EQ(Edit->ItemIndex(), 2);
    EXPECT_EQ(Selects, 1);
}

TEST_F(MultiColumn, LookupIncrTakesTheCharactersTheKeysProduced) {
    auto* Edit = NewEdit({{u"Abacus", u"1"}, {u"About", u"2"}, {u"Bread", u"3"}});
    Edit->SetLookupIncr(true);
    Press(u"b");
    EXPECT_EQ(Edit->ItemIndex(), 2);
    EXPECT_EQ(Edit->Text(), u"bread");
    Key(VK_SHIFT); // produces no character: the collected text starts again
    Edit->SetText(u"");
    Press(u"a");
    EXPECT_EQ(Edit->ItemIndex(), 0);
    EXPECT_EQ(Edit->Text(), u"abacus");
}

TEST_F(MultiColumn, NoDragSelectionStartsFromAPartlyVisibleRow) {
    auto* Edit = NewNumbered(12);
    Edit->ShowDropDown();
    Pump();
    ASSERT_TRUE(Edit->DroppedDown());
    TZazUruDava* List = Edit->List();
    const Integer Partial = List->TopRow() + List->VisibleRowCount();
    ASSERT_LT(Partial, List->RowCount());
    for (Integer Row : {2, Partial}) {
        SCOPED_TRACE(Row);
        const TRect Cell = List->CellRect(0, Row);
        const TPoint At = List->ClientToScreen({Cell.Left + 5, Cell.Top + 3});
        Backend->MoveMouse(At.X, At.Y);
        Backend->PressButton();
        Pump();
        EXPECT_EQ(List->GridState(), Row == Partial ? gsNormal : gsSelecting);
        Backend->ReleaseButton();
        Pump();
        if (!Edit->DroppedDown()) {
            Edit->ShowDropDown();
            Pump();
        }
    }
}

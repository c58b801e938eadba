// The list box's incremental search: typed text grows within a pause.

#include "VclTestSupport.h"
#include "vcl/StdCtrls.h"
#include "windowing/Input.h"

TEST_F(VclTest, ListBoxSearchesForTheTextTypedWithinAPause) {
    struct TStep {
        const char16_t* Typed;
        UInt64 PauseBefore; // milliseconds before the first character
        Integer Want;
    };
    // Characters of one step come 100 ms apart.
    const TStep Steps[] = {
        {u"a", 0, 0},         // Apple
        {u"pr", 100, 1},      // "apr": Apricot
        {u"b", 1500, 2},      // after a pause: Banana
        {u"l", 100, 3},       // "bl": Blueberry
        {u"c", 1500, 4},      // Cherry
        {u"b", 1500, 2},      // round the end: Banana
        {u"b", 100, 3},       // "bb" matches nothing: the next item with b
        {u"x", 1500, 3},      // nothing starts with x: the item stays
    };
    TForm* Form = NewForm();
    auto* List = new TListBox(Form);
    List->SetParent(Form);
    List->Items()->SetCommaText(u"Apple,Apricot,Banana,Blueberry,Cherry");
    Form->Show();
    Pump();
    List->SetFocus();
    for (const TStep& Step : Steps) {
        headless::AdvanceClock(Step.PauseBefore);
        for (const char16_t* C = Step.Typed; *C; ++C) {
            if (C != Step.Typed) headless::AdvanceClock(100);
            headless::TypeText(String(1, *C));
            Pump();
        }
        EXPECT_EQ(List->ItemIndex(), Step.Want) << Narrow(Step.Typed);
    }
}

TEST_F(VclTest, SortedListBoxWithItemsOfTheirOwnHeights) {
    TForm* Form = NewForm();
    auto* List = new TListBox(Form);
    List->SetParent(Form);
    List->SetBounds(10, 10, 100, 100);
    List->SetStyle(lbOwnerDrawVariable);
    List->OnMeasureItem = [](TWinControl*, Integer Index, Integer& Height) { Height = 20 + 10 * Index; };
    List->SetSorted(true);
    List->Items()->SetCommaText(u"Cherry,Apple,Banana");
    EXPECT_EQ(List->Items()->CommaText(), u"Apple,Banana,Cherry");
    EXPECT_EQ(List->ItemRect(1), TRect(0, 20, List->ClientWidth(), 50));
    EXPECT_EQ(List->ItemAtPos({5, 55}, true), 2);
    EXPECT_EQ(List->VisibleCount(), 3);
}

// List boxes: selection by mouse and keys with OnClick, multiple selection,
// scrolling, owner drawing.

#include "VclTestSupport.h"
#include "rtl/Convert.h"
#include "vcl/StdCtrls.h"
#include "windowing/Input.h"
#include "windowing/MessageQueue.h"

using namespace winapi;

namespace {

class ListBoxTest : public VclTest {
protected:
    // A shown list box of ten items "Item 0" … "Item 9" with three rows of 20 pixels.
    TListBox* NewList() {
        TForm* Form = NewForm();
        auto* List = new TListBox(Form);
        List->SetParent(Form);
        List->SetBounds(10, 10, 120, 80);
        List->SetItemHeight(20);
        for (Integer I = 0; I < 10; ++I)
            List->Items()->Add(u"Item " + IntToStr(I));
        List->OnClick = [this](TObject*) { Log.push_back("click"); };
        Form->Show();
        List->SetClientHeight(60); // the window's frame is known once it exists
        Pump();
        return List;
    }
    void ClickRow(TListBox* List, Integer Row, Integer Key = 0) {
        TPoint P = List->ClientToScreen({10, Row * 20 + 10});
        if (Key) headless::PressKey(Key);
        headless::Click(P.X, P.Y);
        if (Key) headless::ReleaseKey(Key);
        Pump();
    }
    void Type(Integer Key) {
        headless::TypeKey(Key);
        Pump();
    }
    std::vector<Integer> SelectedItems(TListBox* List) {
        std::vector<Integer> Result;
        for (Integer I = 0; I < List->Count(); ++I)
            if (List->Selected(I)) Result.push_back(I);
        return Result;
    }
};

} // namespace

TEST_F(ListBoxTest, ClickAndArrowKeysSelectWithOneClickEventPerChange) {
    TListBox* List = NewList();
    EXPECT_EQ(List->ItemIndex(), -1);
    ClickRow(List, 1);
    EXPECT_TRUE(List->Focused());
    EXPECT_EQ(List->ItemIndex(), 1);
    ClickRow(List, 1); // the same item again: no change, no event
    Type(VK_DOWN);
    Type(VK_DOWN);
    EXPECT_EQ(List->ItemIndex(), 3);
    EXPECT_EQ(List->TopIndex(), 1); // scrolled to keep the focus item shown
    EXPECT_EQ(Log, TLog({"click", "click", "click"}));
    Type(VK_END);
    EXPECT_EQ(List->ItemIndex(), 9);
    EXPECT_EQ(List->TopIndex(), 7);
    Type(VK_DOWN); // already at the end
    Type(VK_HOME);
    EXPECT_EQ(List->ItemIndex(), 0);
    EXPECT_EQ(List->TopIndex(), 0);
    Type('I'); // the next item starting with the letter
    EXPECT_EQ(List->ItemIndex(), 1);
    EXPECT_EQ(SelectedItems(List), std::vector<Integer>({1}));
    EXPECT_EQ(Log.size(), 6u);
    List->SetItemIndex(4); // by the program: no event
    EXPECT_EQ(Log.size(), 6u);
    EXPECT_EQ(List->TopIndex(), 2);
}

TEST_F(ListBoxTest, MultiSelectExtendsWithShiftAndTogglesWithControl) {
    TListBox* List = NewList();
    List->SetMultiSelect(true);
    ClickRow(List, 0);
    ClickRow(List, 2, VK_SHIFT);
    EXPECT_EQ(SelectedItems(List), std::vector<Integer>({0, 1, 2}));
    ClickRow(List, 1, VK_CONTROL);
    EXPECT_EQ(SelectedItems(List), std::vector<Integer>({0, 2}));
    EXPECT_EQ(List->SelCount(), 2);
    Type(VK_SPACE); // toggles the focus item back
    EXPECT_EQ(SelectedItems(List), std::vector<Integer>({0, 1, 2}));
    ClickRow(List, 2);
    EXPECT_EQ(SelectedItems(List), std::vector<Integer>({2}));
    EXPECT_EQ(Log.size(), 5u);
    List->Items()->Delete(9);
    List->Items()->Delete(2); // the selection keeps to indices that still exist
    EXPECT_EQ(List->SelCount(), 1);
    EXPECT_THROW(List->Selected(8), EStringListError);
}

TEST_F(ListBoxTest, OwnerDrawPaintsEachVisibleItemWithItsState) {
    TListBox* List = NewList();
    List->SetStyle(lbOwnerDrawFixed);
    List->SetItemIndex(6);
    List->SetFocus();
    TLog Drawn;
    List->OnDrawItem = [&](TWinControl* Control, Integer Index, const TRect& Area, TOwnerDrawState State) {
        EXPECT_EQ(Control, List);
        EXPECT_EQ(Area, Rect(0, (Index - List->TopIndex()) * 20, List->ClientWidth(),
                             (Index - List->TopIndex() + 1) * 20));
        std::string Entry = std::to_string(Index);
        if (State.Contains(odSelected)) Entry += " selected";
        if (State.Contains(odFocused)) Entry += " focused";
        Drawn.push_back(Entry);
    };
    List->Invalidate();
    Pump();
    EXPECT_EQ(Drawn, TLog({"4", "5", "6 selected focused"}));
    Drawn.clear();
    SendMessage(List->Handle(), WM_VSCROLL, SB_LINEDOWN, 0);
    Pump();
    EXPECT_EQ(Drawn, TLog({"5", "6 selected focused", "7"}));
}

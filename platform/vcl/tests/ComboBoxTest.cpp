// Combo boxes: dropping the list down and closing it with the notifications
// in order, choosing items by click, keys and letters, completion, owner
// drawing of the list.

#include "VclTestSupport.h"
#include "vcl/StdCtrls.h"
#include "windowing/Input.h"

#include <algorithm>

using namespace winapi;

namespace {

class ComboBoxTest : public VclTest {
protected:
    // A shown, focused combo of "Apple", "Banana", "Cherry", "Date", logging its events.
    TComboBox* NewCombo(TComboBoxStyle Style) {
        TForm* Form = NewForm();
        auto* Combo = new TComboBox(Form);
        Combo->SetParent(Form);
        Combo->SetBounds(10, 10, 150, 21);
        Combo->SetStyle(Style);
        Combo->Items()->SetCommaText(u"Apple,Banana,Cherry,Date");
        Combo->OnChange = [this](TObject*) { Log.push_back("change"); };
        Combo->OnSelect = [this](TObject*) { Log.push_back("select"); };
        Combo->OnDropDown = [this](TObject*) { Log.push_back("dropdown"); };
        Combo->OnCloseUp = [this](TObject*) { Log.push_back("closeup"); };
        Form->Show();
        Combo->SetFocus();
        Pump();
        return Combo;
    }
    void Type(Integer Key) {
        headless::TypeKey(Key);
        Pump();
    }
    void ClickButton(TComboBox* Combo) {
        TPoint P = Combo->ClientToScreen({Combo->ClientWidth() - 5, Combo->ClientHeight() / 2});
        headless::Click(P.X, P.Y);
        Pump();
    }
};

} // namespace

TEST_F(ComboBoxTest, DropDownOpensAListBelowAndClickingAnItemChoosesItAndClosesIt) {
    TComboBox* Combo = NewCombo(csDropDown);
    Combo->SetDropDownCount(3);
    ClickButton(Combo);
    ASSERT_TRUE(Combo->DroppedDown());
    TCustomListBox* List = Combo->ListControl();
    ASSERT_NE(List, nullptr);
    EXPECT_TRUE(IsWindowVisible(List->Handle()));
    EXPECT_EQ(List->ClientHeight(), 3 * Combo->ItemHeight());
    TRect ComboRect, ListRect;
    GetWindowRect(Combo->Handle(), ComboRect);
    GetWindowRect(List->Handle(), ListRect);
    EXPECT_EQ(ListRect.Top, ComboRect.Bottom);
    EXPECT_TRUE(Combo->Focused()); // the keys stay with the combo
    TPoint P = List->ClientToScreen({10, Combo->ItemHeight() * 2 + 3});
    EXPECT_EQ(WindowFromPoint(P), List->Handle());
    headless::Click(P.X, P.Y);
    Pump();
    EXPECT_FALSE(Combo->DroppedDown());
    EXPECT_FALSE(IsWindowVisible(List->Handle()));
    EXPECT_EQ(Combo->ItemIndex(), 2);
    EXPECT_EQ(Combo->Text(), u"Cherry");
    EXPECT_EQ(Log, TLog({"dropdown", "change", "select", "closeup"}));
}

TEST_F(ComboBoxTest, KeysOpenMoveChooseAndCancel) {
    TComboBox* Combo = NewCombo(csDropDownList);
    Type(VK_DOWN); // closed: chooses at once
    EXPECT_EQ(Combo->Text(), u"Apple");
    Type(VK_F4);
    ASSERT_TRUE(Combo->DroppedDown());
    Type(VK_DOWN); // open: only the highlight moves
    Type(VK_DOWN);
    EXPECT_EQ(Combo->ListControl()->ItemIndex(), 2);
    EXPECT_EQ(Combo->ItemIndex(), 0);
    Type(VK_ESCAPE);
    EXPECT_FALSE(Combo->DroppedDown());
    EXPECT_EQ(Combo->ItemIndex(), 0);
    headless::PressKey(VK_MENU);
    Type(VK_DOWN);
    headless::ReleaseKey(VK_MENU);
    ASSERT_TRUE(Combo->DroppedDown());
    Type(VK_END);
    Type(VK_RETURN);
    EXPECT_FALSE(Combo->DroppedDown());
    EXPECT_EQ(Combo->Text(), u"Date");
    Type('B'); // the next item starting with the letter
    EXPECT_EQ(Combo->Text(), u"Banana");
    EXPECT_EQ(Log, TLog({"change", "select", "dropdown", "closeup", "dropdown", "change", "select", "closeup",
                         "change", "select"}));
}

TEST_F(ComboBoxTest, TypingCompletesWithTheFirstMatchingItem) {
    TComboBox* Combo = NewCombo(csDropDown);
    Combo->SetCharCase(ecUpperCase);
    headless::TypeText(u"ch");
    Pump();
    EXPECT_EQ(Combo->Text(), u"CHerry");
    EXPECT_EQ(Combo->SelText(), u"erry");
    EXPECT_EQ(Combo->ItemIndex(), 2); // the text names an item (ignoring case)
    headless::TypeText(u"x");
    Pump();
    EXPECT_EQ(Combo->Text(), u"CHX");
    EXPECT_EQ(Combo->ItemIndex(), -1);
    EXPECT_EQ(Log, TLog({"change", "change", "change"}));
}

TEST_F(ComboBoxTest, OwnerDrawListPaintsEachVisibleRowOnTheListsCanvas) {
    TComboBox* Combo = NewCombo(csOwnerDrawFixed);
    Combo->SetItemIndex(1);
    TLog Drawn;
    Combo->OnDrawItem = [&](TWinControl* Control, Integer Index, const TRect&, TOwnerDrawState State) {
        std::string Entry = std::string(Control == Combo ? "edit " : "list ") + std::to_string(Index);
        if (State.Contains(odSelected)) Entry += " selected";
        Drawn.push_back(Entry);
    };
    Combo->SetDroppedDown(true);
    Pump();
    std::sort(Drawn.begin(), Drawn.end());
    EXPECT_EQ(Drawn, TLog({"edit 1", "list 0", "list 1 selected", "list 2", "list 3"}));
}

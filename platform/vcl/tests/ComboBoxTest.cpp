// Combo boxes: dropping the list down and closing it with the notifications
// in order, choosing items by click, keys and letters, completion, owner
// drawing of the list.

#include "VclTestSupport.h"
#include "vcl/StdCtrls.h"
#include "windowing/Input.h"
#include "windowing/MessageQueue.h"

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

TEST_F(ComboBoxTest, InnerEditWindowAnswersEditMessagesForTheCombo) {
    TComboBox* Combo = NewCombo(csDropDown);
    std::vector<Word> Codes;
    TWinControl* Form = Combo->Parent();
    TWndMethod Inherited = Form->WindowProc;
    Form->WindowProc = [&](TMessage& Message) {
        if (Message.Msg == WM_COMMAND && HWND(Message.LParam) == Combo->Handle())
            Codes.push_back(HIWORD(Message.WParam));
        Inherited(Message);
    };
    COMBOBOXINFO Info;
    ASSERT_TRUE(GetComboBoxInfo(Combo->Handle(), &Info));
    EXPECT_EQ(Info.hwndCombo, Combo->Handle());
    ASSERT_NE(Info.hwndItem, nullptr);
    EXPECT_NE(Info.hwndItem, Combo->Handle());
    EXPECT_EQ(Info.hwndItem, Combo->EditHandle());
    EXPECT_EQ(GetWindow(Combo->Handle(), GW_CHILD), Info.hwndItem); // the first child
    EXPECT_EQ(Info.hwndList, Combo->ListControl()->Handle());
    EXPECT_LE(Info.rcItem.Right, Info.rcButton.Left);
    EXPECT_EQ(Info.stateButton, 0u);
    // The mouse passes through the edit field to the combo.
    TPoint Inside = Combo->ClientToScreen({20, 8});
    EXPECT_EQ(WindowFromPoint(Inside), Combo->Handle());

    // Text, selection, character positions and balloon tips through the inner window.
    const String NewText = u"Banana split";
    SendMessage(Info.hwndItem, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(&NewText));
    EXPECT_EQ(Combo->Text(), u"Banana split");
    EXPECT_EQ(GetWindowText(Info.hwndItem), u"Banana split");
    SendMessage(Info.hwndItem, EM_SETSEL, 2, 5);
    EXPECT_EQ(Combo->SelText(), u"nan");
    TRect Item;
    GetWindowRect(Info.hwndItem, Item);
    TPoint Origin = Combo->ScreenToClient({Item.Left, Item.Top});
    LRESULT Pos = SendMessage(Combo->Handle(), EM_POSFROMCHAR, 4, 0);
    LRESULT InnerPos = SendMessage(Info.hwndItem, EM_POSFROMCHAR, 4, 0);
    EXPECT_EQ(Integer(LOWORD(InnerPos)), Integer(LOWORD(Pos)) - Origin.X);
    LRESULT Char = SendMessage(Info.hwndItem, EM_CHARFROMPOS, 0, MAKELPARAM(LOWORD(InnerPos) + 1, 2));
    EXPECT_EQ(LOWORD(Char), 4);
    EDITBALLOONTIP Tip;
    Tip.pszTitle = u"Check";
    Tip.pszText = u"Not a crop";
    EXPECT_NE(SendMessage(Info.hwndItem, EM_SHOWBALLOONTIP, 0, reinterpret_cast<LPARAM>(&Tip)), 0);
    EXPECT_NE(Combo->BalloonTip(), nullptr);
    SendMessage(Info.hwndItem, EM_HIDEBALLOONTIP, 0, 0);

    // Items and the edit selection through the combo's own messages.
    String Text;
    EXPECT_EQ(SendMessage(Combo->Handle(), CB_GETLBTEXT, 1, reinterpret_cast<LPARAM>(&Text)), 6);
    EXPECT_EQ(Text, u"Banana");
    EXPECT_EQ(SendMessage(Combo->Handle(), CB_GETLBTEXTLEN, 2, 0), 6);
    EXPECT_EQ(SendMessage(Combo->Handle(), CB_GETLBTEXT, 4, reinterpret_cast<LPARAM>(&Text)), CB_ERR);
    EXPECT_EQ(SendMessage(Combo->Handle(), CB_GETLBTEXT, WPARAM(-1), reinterpret_cast<LPARAM>(&Text)), CB_ERR);
    EXPECT_EQ(SendMessage(Combo->Handle(), CB_GETCOUNT, 0, 0), 4);
    EXPECT_EQ(SendMessage(Combo->Handle(), CB_SETEDITSEL, 0, MAKELPARAM(7, -1)), 1);
    EXPECT_EQ(Combo->SelText(), u"split");
    DWORD Start = 0, End = 0;
    EXPECT_EQ(SendMessage(Combo->Handle(), CB_GETEDITSEL, reinterpret_cast<WPARAM>(&Start),
                          reinterpret_cast<LPARAM>(&End)),
              LRESULT(MAKELONG(7, 12)));
    EXPECT_EQ(Start, 7u);
    EXPECT_EQ(End, 12u);
    SendMessage(Combo->Handle(), CB_SETEDITSEL, 0, MAKELPARAM(-1, 0));
    EXPECT_EQ(Combo->SelLength(), 0);

    // Typed text reaches the parent as an edit change of the combo.
    Log.clear();
    Codes.clear();
    Type('X');
    EXPECT_EQ(Codes, std::vector<Word>({Word(CBN_EDITCHANGE)}));
    EXPECT_EQ(Log, TLog({"change"}));

    // A drop-down list has no edit: the combo is its own edit field.
    Combo->SetStyle(csDropDownList);
    EXPECT_EQ(Combo->EditHandle(), nullptr);
    EXPECT_FALSE(IsWindow(Info.hwndItem));
    ASSERT_TRUE(GetComboBoxInfo(Combo->Handle(), &Info));
    EXPECT_EQ(Info.hwndItem, Combo->Handle());
    EXPECT_EQ(SendMessage(Combo->Handle(), CB_SETEDITSEL, 0, MAKELPARAM(0, 2)), CB_ERR);
    Combo->SetStyle(csSimple);
    ASSERT_TRUE(GetComboBoxInfo(Combo->Handle(), &Info));
    EXPECT_EQ(GetWindow(Combo->Handle(), GW_CHILD), Combo->EditHandle());
    EXPECT_EQ(Info.stateButton, DWORD(STATE_SYSTEM_INVISIBLE));
    Form->WindowProc = Inherited;
}

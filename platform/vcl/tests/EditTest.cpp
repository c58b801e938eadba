// Edits and memos: typing, caret and selection, the clipboard, the edit
// messages, change notifications, lines, word wrap and scrolling.

#include "VclTestSupport.h"
#include "vcl/StdCtrls.h"
#include "windowing/Clipboard.h"
#include "windowing/Input.h"
#include "windowing/MessageQueue.h"
#include "windowing/Paint.h"
#include "windowing/ScrollBar.h"
#include "windowing/ToolTips.h"

#include <cstring>

using namespace winapi;

namespace {

class EditTest : public VclTest {
protected:
    TForm* Form = nullptr;
    TEdit* Edit = nullptr;
    Integer Changes = 0;

    void SetUp() override {
        VclTest::SetUp();
        Form = NewForm();
        Edit = new TEdit(Form);
        Edit->SetParent(Form);
        Edit->SetBounds(10, 10, 150, 21);
        Edit->OnChange = [this](TObject*) { ++Changes; };
        Form->Show();
        Edit->SetFocus();
        Pump();
    }
    void Type(const String& Text) {
        headless::TypeText(Text);
        Pump();
    }
    // Types a key with Shift and Ctrl held as asked.
    void Key(Integer VirtualKey, bool Shift = false, bool Ctrl = false) {
        headless::TypeKeyWith(VirtualKey, Shift, Ctrl);
        Pump();
    }
    static String ClipboardText() {
        String Text;
        if (!OpenClipboard(nullptr)) return u"<busy>";
        if (HGLOBAL Block = GetClipboardData(CF_UNICODETEXT)) {
            Text = static_cast<const Char*>(GlobalLock(Block));
            GlobalUnlock(Block);
        }
        CloseClipboard();
        return Text;
    }
    static void SetClipboardText(const String& Text) {
        HGLOBAL Block = GlobalAlloc(GMEM_MOVEABLE, (Text.size() + 1) * sizeof(Char));
        std::memcpy(GlobalLock(Block), Text.c_str(), (Text.size() + 1) * sizeof(Char));
        GlobalUnlock(Block);
        ASSERT_TRUE(OpenClipboard(nullptr));
        EmptyClipboard();
        SetClipboardData(CF_UNICODETEXT, Block);
        CloseClipboard();
    }
    TPoint Screen(TControl* Control, TPoint Client) const { return Control->ClientToScreen(Client); }
};

} // namespace

// ---- Typing and selection ----

TEST_F(EditTest, TypingInsertsAtTheCaretAndMarksTheEditModified) {
    Type(u"Hello");
    EXPECT_EQ(Edit->Text(), u"Hello");
    EXPECT_EQ(Edit->SelStart(), 5);
    EXPECT_EQ(Changes, 5);
    EXPECT_TRUE(Edit->Modified());
    Key(VK_LEFT, true);
    Key(VK_LEFT, true);
    EXPECT_EQ(Edit->SelText(), u"lo");
    Type(u"p");
    EXPECT_EQ(Edit->Text(), u"Help");
    Key(VK_BACK);
    Key(VK_HOME);
    Key(VK_DELETE);
    EXPECT_EQ(Edit->Text(), u"el");
    EXPECT_EQ(Edit->SelStart(), 0);
}

TEST_F(EditTest, CaretKeysMoveAndExtendTheSelection) {
    struct TCase {
        const char* Name;
        Integer Key;
        bool Shift;
        bool Ctrl;
        Integer SelStart;
        Integer SelLength;
    };
    // "one two three" with the caret after "two" (position 7).
    const TCase Cases[] = {
        {"left", VK_LEFT, false, false, 6, 0},       {"right", VK_RIGHT, false, false, 8, 0},
        {"shift left", VK_LEFT, true, false, 6, 1},  {"ctrl left", VK_LEFT, false, true, 4, 0},
        {"ctrl right", VK_RIGHT, false, true, 8, 0}, {"home", VK_HOME, false, false, 0, 0},
        {"shift end", VK_END, true, false, 7, 6},    {"shift home", VK_HOME, true, false, 0, 7},
    };
    for (const TCase& Case : Cases) {
        Edit->SetText(u"one two three");
        Edit->SetSelStart(7);
        Key(Case.Key, Case.Shift, Case.Ctrl);
        EXPECT_EQ(Edit->SelStart(), Case.SelStart) << Case.Name;
        EXPECT_EQ(Edit->SelLength(), Case.SelLength) << Case.Name;
    }
}

TEST_F(EditTest, SettingTheTextResetsCaretAndModifiedAndNotifiesOnce) {
    Type(u"ab");
    Changes = 0;
    Edit->SetText(u"new text");
    EXPECT_EQ(Changes, 1);
    EXPECT_FALSE(Edit->Modified());
    EXPECT_EQ(Edit->SelStart(), 0);
    EXPECT_EQ(Edit->SelLength(), 0);
    Edit->SetText(u"new text");
    EXPECT_EQ(Changes, 1);
    Edit->SetSelStart(4);
    Edit->SetSelLength(4);
    Edit->SetSelText(u"words");
    EXPECT_EQ(Edit->Text(), u"new words");
    EXPECT_EQ(Changes, 2);
    EXPECT_FALSE(Edit->Modified());
}

TEST_F(EditTest, MaxLengthLimitsTheUserNotTheProgram) {
    Edit->SetMaxLength(4);
    Type(u"abcdef");
    EXPECT_EQ(Edit->Text(), u"abcd");
    SetClipboardText(u"XYZ");
    Key(VK_LEFT);
    SendMessage(Edit->Handle(), WM_PASTE, 0, 0);
    EXPECT_EQ(Edit->Text(), u"abcd");
    Edit->SetText(u"a longer text");
    EXPECT_EQ(Edit->Text(), u"a longer text");
}

TEST_F(EditTest, ReadOnlyEditRefusesEditingButCopies) {
    Edit->SetText(u"fixed");
    Edit->SetReadOnly(true);
    Edit->SelectAll();
    Type(u"x");
    Key(VK_DELETE);
    SendMessage(Edit->Handle(), WM_CUT, 0, 0);
    EXPECT_EQ(Edit->Text(), u"fixed");
    SendMessage(Edit->Handle(), WM_COPY, 0, 0);
    EXPECT_EQ(ClipboardText(), u"fixed");
}

TEST_F(EditTest, ClipboardRoundTripThroughKeysAndMessages) {
    Edit->SetText(u"Hello World");
    Edit->SetSelStart(6);
    Edit->SetSelLength(5);
    Key('C', false, true);
    EXPECT_EQ(ClipboardText(), u"World");
    Key(VK_HOME);
    Key('V', false, true);
    EXPECT_EQ(Edit->Text(), u"WorldHello World");
    Edit->SelectAll();
    SendMessage(Edit->Handle(), WM_CUT, 0, 0);
    EXPECT_EQ(Edit->Text(), u"");
    EXPECT_EQ(ClipboardText(), u"WorldHello World");
    // A single-line edit pastes the first line only.
    SetClipboardText(u"first\r\nsecond");
    SendMessage(Edit->Handle(), WM_PASTE, 0, 0);
    EXPECT_EQ(Edit->Text(), u"first");
}

TEST_F(EditTest, PasswordNeverReachesTheClipboard) {
    SetClipboardText(u"before");
    Edit->SetPasswordChar(u'*');
    Edit->SetText(u"secret");
    Edit->SelectAll();
    Edit->CopyToClipboard();
    Edit->CutToClipboard();
    EXPECT_EQ(ClipboardText(), u"before");
    EXPECT_EQ(Edit->Text(), u"secret");
}

// ---- Edit messages ----

TEST_F(EditTest, SelectionMessages) {
    Edit->SetText(u"abcdef");
    struct TCase {
        Integer Start, End;
        DWORD WantStart, WantEnd;
    };
    const TCase Cases[] = {{1, 3, 1, 3}, {4, 2, 2, 4}, {0, -1, 0, 6}, {2, 99, 2, 6}, {-1, 0, 6, 6}};
    for (const TCase& Case : Cases) {
        SendMessage(Edit->Handle(), EM_SETSEL, WPARAM(Case.Start), LPARAM(Case.End));
        DWORD Start = 0, End = 0;
        LRESULT Packed = SendMessage(Edit->Handle(), EM_GETSEL, WPARAM(&Start), LPARAM(&End));
        EXPECT_EQ(Start, Case.WantStart) << Case.Start << "," << Case.End;
        EXPECT_EQ(End, Case.WantEnd) << Case.Start << "," << Case.End;
        EXPECT_EQ(Packed, LRESULT(MAKELONG(Word(Start), Word(End))));
    }
}

TEST_F(EditTest, FormattingRectangleMovesTheTextAndCharacterPositions) {
    Edit->SetText(u"WWWW");
    TRect Default;
    SendMessage(Edit->Handle(), EM_GETRECT, 0, LPARAM(&Default));
    EXPECT_EQ(Default.Left, 1);
    LRESULT Before = SendMessage(Edit->Handle(), EM_POSFROMCHAR, 2, 0);
    TRect Rect{3, 2, 100, 15};
    SendMessage(Edit->Handle(), EM_SETRECTNP, 0, LPARAM(&Rect));
    TRect Now;
    SendMessage(Edit->Handle(), EM_GETRECT, 0, LPARAM(&Now));
    EXPECT_EQ(Now, Rect);
    LRESULT After = SendMessage(Edit->Handle(), EM_POSFROMCHAR, 2, 0);
    EXPECT_EQ(Integer(LOWORD(After)) - Integer(LOWORD(Before)), 2);
    EXPECT_EQ(Integer(HIWORD(After)), 2);
    LRESULT Hit = SendMessage(Edit->Handle(), EM_CHARFROMPOS, 0, MAKELPARAM(LOWORD(After) + 1, 5));
    EXPECT_EQ(LOWORD(Hit), 2);
}

TEST_F(EditTest, ChangeNotificationCanBeSwallowedByTheControl) {
    class TQuietEdit : public TEdit {
    public:
        using TEdit::TEdit;
        void WndProc(TMessage& Message) override {
            if (Message.Msg == CN_COMMAND && HIWORD(Message.WParam) == EN_CHANGE) return;
            TEdit::WndProc(Message);
        }
    };
    auto* Quiet = new TQuietEdit(Form);
    Quiet->SetParent(Form);
    Quiet->OnChange = [this](TObject*) { ++Changes; };
    Quiet->SetText(u"x");
    Quiet->SetFocus(); // selects all
    Type(u"y");
    EXPECT_EQ(Quiet->Text(), u"y");
    EXPECT_EQ(Changes, 0);
}

// ---- Focus and mouse ----

TEST_F(EditTest, TabSelectsAllButAClickPlacesTheCaret) {
    auto* Second = new TEdit(Form);
    Second->SetParent(Form);
    Second->SetBounds(10, 50, 150, 21);
    Second->SetText(u"second text");
    Key(VK_TAB);
    ASSERT_TRUE(Second->Focused());
    EXPECT_EQ(Second->SelLength(), 11);
    Edit->SetFocus();
    Pump();
    TPoint P = Screen(Second, {1, 8});
    headless::Click(P.X, P.Y);
    Pump();
    ASSERT_TRUE(Second->Focused());
    EXPECT_EQ(Second->SelStart(), 0);
    EXPECT_EQ(Second->SelLength(), 0);
}

TEST_F(EditTest, DraggingTheMouseSelectsAndDoubleClickSelectsAWord) {
    Edit->SetText(u"alpha beta");
    LRESULT End = SendMessage(Edit->Handle(), EM_POSFROMCHAR, 5, 0);
    TPoint From = Screen(Edit, {1, 8});
    TPoint To = Screen(Edit, {Integer(LOWORD(End)), 8});
    headless::MoveMouse(From.X, From.Y);
    headless::Press();
    headless::MoveMouse(To.X, To.Y);
    headless::Release();
    Pump();
    EXPECT_EQ(Edit->SelText(), u"alpha");
    LRESULT Beta = SendMessage(Edit->Handle(), EM_POSFROMCHAR, 7, 0);
    SendMessage(Edit->Handle(), WM_LBUTTONDBLCLK, 0, MAKELPARAM(LOWORD(Beta), 8));
    EXPECT_EQ(Edit->SelText(), u"beta");
}

TEST_F(EditTest, SelectionIsPaintedInTheHighlightColourWhileFocused) {
    Edit->SetText(u"WWWWWW");
    Edit->SelectAll();
    Pump();
    LRESULT Third = SendMessage(Edit->Handle(), EM_POSFROMCHAR, 3, 0);
    TPoint Inside = Edit->ClientToScreen({Integer(LOWORD(Third)), 1});
    TRect Window;
    GetWindowRect(Form->Handle(), Window);
    auto Pixel = [&] { return WindowPixel(Form->Handle(), Inside.X - Window.Left, Inside.Y - Window.Top); };
    EXPECT_EQ(Pixel(), ColorToRGB(clHighlight));
    auto* Other = new TEdit(Form);
    Other->SetParent(Form);
    Other->SetTop(100);
    Other->SetFocus();
    Pump();
    EXPECT_EQ(Pixel(), ColorToRGB(clWindow));
}

// ---- Memo ----

namespace {

class MemoTest : public EditTest {
protected:
    TMemo* Memo = nullptr;
    void SetUp() override {
        EditTest::SetUp();
        Memo = new TMemo(Form);
        Memo->SetParent(Form);
        Memo->SetBounds(10, 50, 200, 100);
        Memo->SetFocus();
        Pump();
    }
};

} // namespace

TEST_F(MemoTest, LinesAndTypedLineBreaksAreOneText) {
    Memo->Lines()->Add(u"first");
    Memo->Lines()->Add(u"second");
    EXPECT_EQ(Memo->Text(), u"first\r\nsecond");
    Key(VK_END, false, true);
    Key(VK_RETURN);
    Type(u"third");
    ASSERT_EQ(Memo->Lines()->Count(), 3);
    EXPECT_EQ(Memo->Lines()->Strings(2), u"third");
    EXPECT_EQ(Memo->CaretPos(), TPoint(5, 2));
    Key(VK_BACK);
    Key(VK_HOME);
    Key(VK_BACK); // joins the line with the one above
    EXPECT_EQ(Memo->Text(), u"first\r\nsecondthir");
    Memo->Lines()->Delete(0);
    EXPECT_EQ(Memo->Text(), u"secondthir");
}

TEST_F(MemoTest, UpAndDownKeepTheColumn) {
    Memo->SetWordWrap(false);
    Memo->SetText(u"abcdef\r\nab\r\nabcdef");
    Memo->SetCaretPos({5, 0});
    Key(VK_DOWN);
    EXPECT_EQ(Memo->CaretPos(), TPoint(2, 1));
    Key(VK_DOWN);
    EXPECT_EQ(Memo->CaretPos(), TPoint(5, 2));
    Key(VK_UP, true);
    EXPECT_EQ(Memo->SelText(), u"\r\nabcde");
}

TEST_F(MemoTest, WordWrapBreaksAfterTheLastSpaceThatFits) {
    Memo->SetWidth(80);
    Memo->SetText(u"aaaa bbbb cccc dddd eeee");
    LRESULT Wrapped = SendMessage(Memo->Handle(), EM_GETLINECOUNT, 0, 0);
    EXPECT_GT(Wrapped, 1);
    EXPECT_EQ(Memo->Lines()->Count(), 1);
    LRESULT Second = SendMessage(Memo->Handle(), EM_LINEINDEX, 1, 0);
    EXPECT_EQ(Memo->Text()[size_t(Second - 1)], u' ');
    Memo->SetWordWrap(false);
    EXPECT_EQ(SendMessage(Memo->Handle(), EM_GETLINECOUNT, 0, 0), 1);
}

TEST_F(MemoTest, VerticalScrollBarFollowsTheCaret) {
    Memo->SetScrollBars(ssVertical);
    for (int I = 0; I < 30; ++I)
        Memo->Lines()->Add(u"line " + FromUtf8(std::to_string(I)));
    Key(VK_END, false, true);
    EXPECT_GT(GetScrollPos(Memo->Handle(), SB_VERT), 0);
    SendMessage(Memo->Handle(), WM_VSCROLL, SB_TOP, 0);
    EXPECT_EQ(GetScrollPos(Memo->Handle(), SB_VERT), 0);
    LRESULT Top = SendMessage(Memo->Handle(), EM_CHARFROMPOS, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(HIWORD(Top), 0);
}

TEST_F(MemoTest, WithoutWantReturnsEnterGoesToTheForm) {
    Memo->SetWantReturns(false);
    Memo->SetText(u"x");
    Key(VK_RETURN);
    EXPECT_EQ(Memo->Text(), u"x");
    Memo->SetWantTabs(true);
    Key(VK_TAB);
    EXPECT_EQ(Memo->Text(), u"\tx");
    EXPECT_TRUE(Memo->Focused());
}

// ---- Undo, character case and alignment ----

TEST_F(EditTest, UndoTakesBackARunOfTypingAndASecondUndoRedoes) {
    Edit->SetText(u"one");
    EXPECT_FALSE(Edit->CanUndo());
    Key(VK_END);
    Type(u" two");
    EXPECT_TRUE(SendMessage(Edit->Handle(), EM_CANUNDO, 0, 0));
    Key('Z', false, true);
    EXPECT_EQ(Edit->Text(), u"one");
    EXPECT_EQ(Edit->SelStart(), 3);
    SendMessage(Edit->Handle(), WM_UNDO, 0, 0);
    EXPECT_EQ(Edit->Text(), u"one two");
    // A deletion is one step of its own; undoing it selects what came back.
    Edit->SetSelStart(0);
    Edit->SetSelLength(4);
    Key(VK_DELETE);
    EXPECT_EQ(Edit->Text(), u"two");
    SendMessage(Edit->Handle(), EM_UNDO, 0, 0);
    EXPECT_EQ(Edit->Text(), u"one two");
    EXPECT_EQ(Edit->SelText(), u"one ");
    SendMessage(Edit->Handle(), EM_EMPTYUNDOBUFFER, 0, 0);
    EXPECT_FALSE(Edit->CanUndo());
    Key('Z', false, true);
    EXPECT_EQ(Edit->Text(), u"one two");
}

TEST_F(EditTest, TypingAfterMovingTheCaretStartsANewUndoStep) {
    Type(u"ab");
    Key(VK_HOME);
    Type(u"X");
    Edit->Undo();
    EXPECT_EQ(Edit->Text(), u"ab");
    Edit->SetText(u"fresh");
    EXPECT_FALSE(Edit->CanUndo());
}

TEST_F(EditTest, CharCaseConvertsTypedPastedAndExistingText) {
    Edit->SetText(u"Mixed");
    Edit->SetCharCase(ecUpperCase);
    EXPECT_EQ(Edit->Text(), u"MIXED");
    EXPECT_TRUE(GetWindowLong(Edit->Handle(), GWL_STYLE) & ES_UPPERCASE);
    Key(VK_END);
    Type(u"äb");
    SetClipboardText(u"cd");
    SendMessage(Edit->Handle(), WM_PASTE, 0, 0);
    EXPECT_EQ(Edit->Text(), u"MIXEDÄBCD");
    Edit->SetCharCase(ecLowerCase);
    EXPECT_EQ(Edit->Text(), u"mixedäbcd");
}

TEST_F(EditTest, AlignmentPlacesShortTextAndMapsClicksToCharacters) {
    Edit->SetText(u"abc");
    Integer LeftX = LOWORD(SendMessage(Edit->Handle(), EM_POSFROMCHAR, 0, 0));
    struct TCase {
        TAlignment Alignment;
        DWORD Style;
    };
    for (TCase Case : {TCase{taRightJustify, ES_RIGHT}, TCase{taCenter, ES_CENTER}}) {
        Edit->SetAlignment(Case.Alignment);
        EXPECT_TRUE(GetWindowLong(Edit->Handle(), GWL_STYLE) & Case.Style);
        Integer X = LOWORD(SendMessage(Edit->Handle(), EM_POSFROMCHAR, 0, 0));
        Integer EndX = LOWORD(SendMessage(Edit->Handle(), EM_POSFROMCHAR, 3, 0));
        EXPECT_GT(X, LeftX + 20);
        if (Case.Alignment == taRightJustify) {
            EXPECT_GE(EndX, Edit->ClientWidth() - 4);
        }
        // A click just right of the first character's start lands on it.
        LRESULT Hit = SendMessage(Edit->Handle(), EM_CHARFROMPOS, 0, MAKELPARAM(X + 1, 5));
        EXPECT_EQ(LOWORD(Hit), 0);
    }
}

TEST_F(EditTest, BalloonTipShowsBelowTheCaretUntilTypingOrLeaving) {
    EDITBALLOONTIP Tip;
    Tip.pszTitle = u"Wrong value";
    Tip.pszText = u"Type a number";
    Tip.ttiIcon = TTI_ERROR;
    EXPECT_NE(SendMessage(Edit->Handle(), EM_SHOWBALLOONTIP, 0, reinterpret_cast<LPARAM>(&Tip)), 0);
    HWND Balloon = Edit->BalloonTip();
    ASSERT_NE(Balloon, nullptr);
    EXPECT_TRUE(IsWindowVisible(Balloon));
    TRect Where;
    GetWindowRect(Balloon, Where);
    EXPECT_GE(Where.Top, Edit->ClientOrigin().Y + 10);
    Type(u"1");
    EXPECT_FALSE(IsWindowVisible(Balloon));
    SendMessage(Edit->Handle(), EM_SHOWBALLOONTIP, 0, reinterpret_cast<LPARAM>(&Tip));
    EXPECT_TRUE(IsWindowVisible(Balloon));
    EXPECT_NE(SendMessage(Edit->Handle(), EM_HIDEBALLOONTIP, 0, 0), 0);
    EXPECT_FALSE(IsWindowVisible(Balloon));
}

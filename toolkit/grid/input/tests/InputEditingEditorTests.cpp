// The normal in-place editor: the character filters of the eleven normal
// kinds with the beep, the length limit, edMixedCase's caret, paste rules,
// the edit mask "90-LLL-0000" with AdvanceAuto, and focus loss with a
// refused value.

#include "InputEditingSupport.h"

#include "grid/GridUnit.h"
#include "gridbase/SpinEdit.h"
#include "vcl/Clipbrd.h"
#include "vcl/StdCtrls.h"

using namespace winapi;

namespace {

class EditorTest : public EditingTest {
protected:
    // Opens the editor on cell (1, 1) holding Text with the given kind, and
    // selects Length characters from Start.
    void Open(TEditorType Kind, const String& Text, Integer Start, Integer Length) {
        Grid->OnGetEditorType = [Kind](TObject*, Integer, Integer, TEditorType& E) { E = Kind; };
        Grid->SetCells(1, 1, Text);
        Edit();
        Editor()->SetSelStart(Start);
        Editor()->SetSelLength(Length);
    }
    // One character as the window system delivers it, Ctrl held or not.
    void Char(char16_t Ch, bool Ctrl = false) {
        if (Ctrl) {
            Input().PressKey(VK_CONTROL);
            Pump();
        }
        SendMessage(Editor()->Handle(), WM_CHAR, WPARAM(Ch), 0);
        if (Ctrl) {
            Input().ReleaseKey(VK_CONTROL);
            Pump();
        }
        Pump();
    }
    // Typed with key-down and key-up, as the lookup completion needs.
    void TypeKeys(const String& Text) {
        for (char16_t Ch : Text) {
            const Integer Vk = Ch >= u'a' && Ch <= u'z' ? Integer(Ch - u'a' + u'A') : Integer(Ch);
            Input().PressKey(Vk, String(1, Ch));
            Input().ReleaseKey(Vk);
            Pump();
        }
    }
    void Close() {
        if (Grid->EditMode()) Key(VK_ESCAPE);
    }
};

TEST_F(EditorTest, CharacterFiltersOfTheNormalKinds) {
    ASSERT_EQ(GridDecimalSeparator(), u'.');
    ASSERT_EQ(GridThousandSeparator(), u',');
    struct Case {
        TEditorType Kind;
        const char16_t* Text;
        Integer SelStart, SelLength;
        char16_t Ch;
        bool Ctrl;
        const char16_t* Result;
        bool Beeps;
    } Cases[] = {
        {edNormal, u"ab", 2, 0, u'x', false, u"abx", false},
        {edPassword, u"ab", 2, 0, u'x', false, u"abx", false},
        {edNumeric, u"12", 2, 0, u'5', false, u"125", false},
        {edNumeric, u"12", 2, 0, u'a', false, u"12", true},
        {edNumeric, u"12", 0, 0, u'-', false, u"-12", false},
        {edNumeric, u"12", 1, 0, u'-', false, u"12", true},
        {edNumeric, u"-12", 0, 0, u'-', false, u"-12", true},
        {edNumeric, u"12", 2, 0, u'\b', false, u"1", false},
        {edPositiveNumeric, u"12", 0, 0, u'-', false, u"12", true},
        {edPositiveNumeric, u"12", 2, 0, u'x', false, u"12", true},
        {edFloat, u"1.5", 3, 0, u'.', false, u"1.5", false},
        {edFloat, u"1.5", 0, 3, u'.', false, u".", false},
        {edFloat, u"15", 2, 0, u',', false, u"15", false},
        {edFloat, u"15", 0, 0, u'-', false, u"-15", false},
        {edFloat, u"15", 1, 0, u'-', false, u"15", true},
        {edFloat, u"-15", 0, 3, u'-', false, u"-", false},
        {edFloat, u"1", 1, 0, u'a', false, u"1", false},
        {edFloat, u"1", 1, 0, u'2', false, u"12", false},
        {edPositiveFloat, u"1", 0, 0, u'-', false, u"1", false},
        {edPositiveFloat, u"1", 1, 0, u'.', false, u"1.", false},
        {edCapital, u"ab", 2, 0, u'c', false, u"abC", false},
        {edUpperCase, u"ab", 2, 0, u'c', false, u"abC", false},
        {edLowerCase, u"AB", 2, 0, u'C', false, u"ABc", false},
        {edValidChars, u"A", 1, 0, u'a', false, u"A", true},
        {edValidChars, u"A", 1, 0, u'B', false, u"AB", false},
        {edValidChars, u"AB", 2, 0, u'\b', false, u"A", false},
    };
    Grid->SetValidChars(u"ABC");
    for (const Case& C : Cases) {
        SCOPED_TRACE(testing::Message() << int(C.Kind) << " \"" << Utf8(C.Text) << "\" + " << int(C.Ch));
        Open(C.Kind, C.Text, C.SelStart, C.SelLength);
        const Integer Beeps = EditorBeepCount();
        Char(C.Ch, C.Ctrl);
        EXPECT_EQ(Editor()->Text(), C.Result);
        EXPECT_EQ(EditorBeepCount() - Beeps, C.Beeps ? 1 : 0);
        Close();
    }
}

TEST_F(EditorTest, ValidCharsSetServesWhenValidCharsIsEmpty) {
    Grid->ValidCharSet() = {u'x', u'y'};
    Open(edValidChars, u"", 0, 0);
    Char(u'x');
    Char(u'z');
    EXPECT_EQ(Editor()->Text(), u"x");
}

TEST_F(EditorTest, LengthLimitOfThree) {
    Grid->SetMaxEditLength(3);
    Open(edNormal, u"abc", 3, 0);
    Char(u'd');
    EXPECT_EQ(Editor()->Text(), u"abc");
    Char(u'\b');
    EXPECT_EQ(Editor()->Text(), u"ab");
    Editor()->SelectAll();
    Char(u'z');
    EXPECT_EQ(Editor()->Text(), u"z");
}

TEST_F(EditorTest, MixedCaseCapitalizesAndKeepsTheCaretAfterTheTypedCharacter) {
    Open(edMixedCase, u"hello world", 5, 0);
    Char(u'x');
    EXPECT_EQ(Editor()->Text(), u"Hellox World");
    EXPECT_EQ(Editor()->SelStart(), 6);
    EXPECT_EQ(Editor()->SelLength(), 0);
}

TEST_F(EditorTest, PasteRules) {
    struct Case {
        TEditorType Kind;
        const char16_t* Clip;
        const char16_t* Result;
    } Cases[] = {
        {edNumeric, u"123\r\n", u"123"},      // one trailing line break goes
        {edNumeric, u"1.5", u""},             // not an integer: refused
        {edFloat, u"1.5", u"1.5"},
        {edPositiveFloat, u"-1.5", u""},
        {edValidChars, u"AB", u"AB"},
        {edValidChars, u"AxB", u""},          // refused as a whole
        {edUpperCase, u"ab", u"AB"},
        {edMixedCase, u"big tree", u"Big Tree"},
    };
    Grid->SetValidChars(u"ABC");
    for (const Case& C : Cases) {
        SCOPED_TRACE(Utf8(C.Clip));
        Clipboard()->SetAsText(C.Clip);
        Open(C.Kind, u"", 0, 0);
        SendMessage(Editor()->Handle(), WM_PASTE, 0, 0);
        Pump();
        EXPECT_EQ(Editor()->Text(), C.Result);
        Close();
    }
    // The length limit refuses a longer paste, and the paste events can veto.
    Grid->SetMaxEditLength(3);
    Clipboard()->SetAsText(u"abcd");
    Open(edNormal, u"", 0, 0);
    SendMessage(Editor()->Handle(), WM_PASTE, 0, 0);
    EXPECT_EQ(Editor()->Text(), u"");
    Close();
    Grid->SetMaxEditLength(0);
    Grid->OnClipboardPaste = [](TObject*, bool& Allow) { Allow = false; };
    Open(edNormal, u"", 0, 0);
    SendMessage(Editor()->Handle(), WM_PASTE, 0, 0);
    EXPECT_EQ(Editor()->Text(), u"");
}

TEST_F(EditorTest, EditMaskFillsItsLiteralsAndAFullMaskAdvancesWithAdvanceAuto) {
    Grid->OnGetEditMask = [](TObject*, Integer ACol, Integer, String& Value) {
        if (ACol == 2) Value = u"90-LLL-0000";
    };
    Grid->FocusCell(2, 1);
    Pump();
    Grid->SetCells(2, 1, u"");
    Edit();
    Editor()->SetSelStart(0);
    Type(u"12JAN2020");
    EXPECT_EQ(Editor()->EditText(), u"12-JAN-2020");
    Key(VK_RETURN);
    EXPECT_FALSE(Grid->EditMode());
    EXPECT_EQ(Grid->Cells(2, 1), u"12-JAN-2020");
    // With AdvanceAuto the character that fills the mask ends the edit.
    Grid->Navigation()->SetAdvanceAuto(true);
    Grid->SetCells(2, 1, u"");
    Edit();
    Editor()->SetSelStart(0);
    Type(u"01FEB202");
    EXPECT_TRUE(Grid->EditMode());
    Type(u"1");
    EXPECT_EQ(Grid->Cells(2, 1), u"01-FEB-2021");
    EXPECT_FALSE(Grid->EditMode());
}

TEST_F(EditorTest, FocusLossToAnotherWindowValidatesAndARefusedFloatGivesWay) {
    auto* Other = Create<TEdit>(Form);
    Other->SetParent(Form);
    Other->SetBounds(10, 320, 100, 24);
    Grid->SetCells(1, 1, u"1.5");
    Integer Calls = 0;
    Grid->OnCellValidate = [&](TObject*, Integer, Integer, String& Value, bool& Valid) {
        ++Calls;
        Valid = StrToFloat(Value) <= 10;
    };
    // A refused value: the cell keeps its last accepted text, the edit ends
    // and the focus stays where the user put it.
    Open(edFloat, u"1.5", 0, 3);
    Type(u"12.5");
    EXPECT_EQ(Grid->Cells(1, 1), u"12.5");
    Other->SetFocus();
    Pump();
    EXPECT_EQ(Calls, 1);
    EXPECT_EQ(Grid->Cells(1, 1), u"1.5");
    EXPECT_FALSE(Grid->EditMode());
    EXPECT_FALSE(Editor()->Visible());
    EXPECT_TRUE(Other->Focused());
    // An accepted value stays.
    Grid->SetFocus();
    Pump();
    Open(edFloat, u"1.5", 0, 3);
    Type(u"2.5");
    Other->SetFocus();
    Pump();
    EXPECT_EQ(Calls, 2);
    EXPECT_EQ(Grid->Cells(1, 1), u"2.5");
    EXPECT_TRUE(Other->Focused());
}

TEST_F(EditorTest, LookupCompletesFromTheLookupItems) {
    Grid->SetLookup(true);
    Grid->LookupItems()->Add(u"Apple");
    Grid->LookupItems()->Add(u"Abacus");
    Open(edNormal, u"", 0, 0);
    TypeKeys(u"a");
    EXPECT_EQ(Editor()->Text(), u"apple");
    EXPECT_EQ(Editor()->SelStart(), 1);
    EXPECT_EQ(Editor()->SelLength(), 4);
    TypeKeys(u"b");
    EXPECT_EQ(Editor()->Text(), u"abacus");
    EXPECT_EQ(Editor()->SelLength(), 4);
    // Backspace does not complete again.
    Key(VK_BACK);
    EXPECT_EQ(Editor()->Text(), u"ab");
    // Case-sensitive: "a" is no start of "Apple".
    Close();
    Grid->SetLookupCaseSensitive(true);
    Open(edNormal, u"", 0, 0);
    TypeKeys(u"a");
    EXPECT_EQ(Editor()->Text(), u"a");
}

TEST_F(EditorTest, LookupHistoryKeepsNewTextsWhenTheEditorIsLeft) {
    Grid->SetLookupHistory(true);
    Grid->LookupItems()->Add(u"old");
    Open(edNormal, u"", 0, 0);
    Type(u"old");
    Key(VK_RETURN);
    Open(edNormal, u"", 0, 0);
    Type(u"new");
    Key(VK_RETURN);
    EXPECT_EQ(Grid->LookupItems()->Count(), 2);
    EXPECT_EQ(Grid->LookupItems()->Strings(1), u"new");
}

} // namespace

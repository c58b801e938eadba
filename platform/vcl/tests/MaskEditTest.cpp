// The edit-mask language and the masked edit: formatting, typing, the
// caret, the clipboard, undo and validation.

#include "VclTestSupport.h"
#include "vcl/Mask.h"
#include "windowing/Clipboard.h"
#include "windowing/Input.h"
#include "windowing/MessageQueue.h"

#include <cstring>

using namespace winapi;

// ---- The mask language ----

TEST(EditMaskTest, FormatsTextIntoEditTextAndStripsItBack) {
    struct TCase {
        const char* Name;
        String Mask;
        String Text;
        String EditText;
        String Stripped;
    };
    const TCase Cases[] = {
        {"literals kept", u"90-LLL-0000", u"12-jan-2024", u"12-jan-2024", u"12-jan-2024"},
        {"short run, upper case", u">90-LLL-0000", u"1-jan-2024", u"1_-JAN-2024", u"1 -JAN-2024"},
        {"leading blanks", u"!90:00:00;1; ", u"1:00:00", u" 1:00:00", u" 1:00:00"},
        {"literals dropped", u"(999)000-0000;0;_", u"5551234", u"(555)123-4___", u"5551234   "},
        {"literals dropped, leading", u"!999;0", u"12", u"_12", u" 12"},
        {"escaped literal", u"00\\-00", u"12-34", u"12-34", u"12-34"},
        {"case switches", u"<LL>LL<>LL", u"aBcDeF", u"abCDeF", u"abCDeF"},
        {"optional alphanumerics", u"AAa", u"a1", u"a1_", u"a1 "},
        {"a misfit is dropped", u"LL", u"1a", u"_a", u" a"},
        {"sign", u"#99", u"-12", u"-12", u"-12"},
        {"any character", u"cC", u"x", u"x_", u"x "},
        {"blank character of the mask", u"00;1;*", u"3", u"3*", u"3 "},
    };
    for (const TCase& Case : Cases) {
        TEditMask Mask(Case.Mask);
        String EditText = Mask.Format(Case.Text);
        EXPECT_EQ(Narrow(EditText), Narrow(Case.EditText)) << Case.Name;
        EXPECT_EQ(Narrow(Mask.Strip(EditText)), Narrow(Case.Stripped)) << Case.Name;
    }
    EXPECT_EQ(FormatMaskText(u"00/00;0", u"1231"), u"1231");
    EXPECT_EQ(FormatMaskText(u"00/00;1", u"12/31"), u"12/31");
}

TEST(EditMaskTest, RequiredPositionsAndInputPositions) {
    TEditMask Mask(u"90-LLL-0000");
    EXPECT_EQ(Mask.Length(), 11);
    EXPECT_EQ(Mask.EmptyText(), u"__-___-____");
    EXPECT_EQ(Mask.FirstMissing(u"_1-JAN-2000"), -1); // the first digit is optional
    EXPECT_EQ(Mask.FirstMissing(u"1_-JAN-2000"), 1);
    EXPECT_EQ(Mask.FirstMissing(u"11-_AN-2000"), 3);
    EXPECT_EQ(Mask.FirstMissing(u"12-JAN-20_0"), 9);
    EXPECT_EQ(Mask.NextInput(2), 3);
    EXPECT_EQ(Mask.PreviousInput(3), 1);
    EXPECT_EQ(Mask.PreviousInput(0), -1);
    EXPECT_EQ(Mask.NextInput(11), 11);
    Char Out = 0;
    EXPECT_TRUE(TEditMask(u">L").Accepts(0, u'é', Out));
    EXPECT_EQ(Out, u'É');
    EXPECT_FALSE(TEditMask(u"0").Accepts(0, u'a', Out));
    EXPECT_FALSE(TEditMask(u"L").Accepts(0, u'1', Out));
}

// ---- The control ----

namespace {

class MaskEditTest : public VclTest {
protected:
    TForm* Form = nullptr;
    TMaskEdit* Edit = nullptr;
    TEdit* Other = nullptr;
    Integer Changes = 0;

    void SetUp() override {
        VclTest::SetUp();
        Form = NewForm();
        Edit = new TMaskEdit(Form);
        Edit->SetParent(Form);
        Edit->SetBounds(10, 10, 150, 21);
        Other = new TEdit(Form);
        Other->SetParent(Form);
        Other->SetBounds(10, 40, 150, 21);
        Edit->SetEditMask(u"90-LLL-0000");
        Edit->OnChange = [this](TObject*) { ++Changes; };
        Form->Show();
        Edit->SetFocus();
        Pump();
        Edit->SetSelStart(0);
        Changes = 0;
    }
    void Type(const String& Text) {
        headless::TypeText(Text);
        Pump();
    }
    void Key(Integer VirtualKey, bool Shift = false, bool Ctrl = false) {
        headless::TypeKeyWith(VirtualKey, Shift, Ctrl);
        Pump();
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
};

} // namespace

TEST_F(MaskEditTest, AMaskFormatsTheTextThereIsAndRemovingItKeepsText) {
    EXPECT_TRUE(Edit->IsMasked());
    EXPECT_EQ(Edit->EditText(), u"__-___-____");
    Edit->SetText(u"7-Feb-2001");
    EXPECT_EQ(Edit->EditText(), u"7_-Feb-2001");
    EXPECT_EQ(Edit->Text(), u"7 -Feb-2001");
    Edit->SetEditMask(u"");
    EXPECT_FALSE(Edit->IsMasked());
    EXPECT_EQ(Edit->Text(), u"7 -Feb-2001");
    Edit->SetEditMask(u">90-LLL-0000");
    EXPECT_EQ(Edit->EditText(), u"7_-FEB-2001");
}

TEST_F(MaskEditTest, TypingOverwritesSkipsLiteralsAndRefusesMisfits) {
    struct TStep {
        String Typed;
        String EditText;
        Integer Caret;
    };
    const TStep Steps[] = {
        {u"1", u"1_-___-____", 1},
        {u"x", u"1_-___-____", 1},  // a letter does not fit a digit
        {u"2", u"12-___-____", 3},  // the caret steps over the literal
        {u"j", u"12-j__-____", 4},
        {u"an2", u"12-jan-2___", 8},
        {u"0249", u"12-jan-2024", 11}, // the end of the mask takes no more
    };
    for (const TStep& Step : Steps) {
        Type(Step.Typed);
        EXPECT_EQ(Narrow(Edit->EditText()), Narrow(Step.EditText)) << Narrow(Step.Typed);
        EXPECT_EQ(Edit->SelStart(), Step.Caret) << Narrow(Step.Typed);
    }
    EXPECT_EQ(Changes, 9);
    EXPECT_TRUE(Edit->Modified());
    // Typing over the middle overwrites rather than inserts.
    Edit->SetSelStart(3);
    Type(u"F");
    EXPECT_EQ(Edit->EditText(), u"12-Fan-2024");
    // A literal typed where it stands steps over it.
    Edit->SetSelStart(2);
    Type(u"-");
    EXPECT_EQ(Edit->SelStart(), 3);
    EXPECT_EQ(Edit->EditText(), u"12-Fan-2024");
}

TEST_F(MaskEditTest, AClickPutsTheCaretOnTheCharacterUnderTheMouseOrTheNextToFill) {
    Edit->SetEditText(u"12-JAN-2024");
    struct TCase {
        Integer Character; // clicked into
        Integer Part;      // eighths of its width from its left edge
        Integer Caret;
    };
    const TCase Cases[] = {
        {0, 1, 0}, {0, 7, 0}, // the whole first character, its right half too
        {1, 6, 1},
        {2, 2, 3}, {2, 6, 3}, // the literal: the next position to fill
        {4, 7, 4},
        {10, 7, 10},
    };
    auto XOf = [this](Integer Index) {
        return Integer(SmallInt(LOWORD(SendMessage(Edit->Handle(), EM_POSFROMCHAR, WPARAM(Index), 0))));
    };
    for (const TCase& Case : Cases) {
        Integer Left = XOf(Case.Character);
        Integer Right = XOf(Case.Character + 1);
        TPoint P = Edit->ClientToScreen({Left + (Right - Left) * Case.Part / 8, 8});
        headless::AdvanceClock(1000); // no double click
        headless::Click(P.X, P.Y);
        Pump();
        EXPECT_EQ(Edit->SelStart(), Case.Caret) << Case.Character << " " << Case.Part;
        EXPECT_EQ(Edit->SelLength(), 0);
    }
    // Typing where the click put the caret fills that position.
    Edit->SetEditText(u"__-___-____");
    Integer Left = XOf(1);
    Integer Right = XOf(2);
    TPoint P = Edit->ClientToScreen({(Left + 3 * Right) / 4, 8});
    headless::AdvanceClock(1000);
    headless::Click(P.X, P.Y);
    Pump();
    Type(u"1");
    EXPECT_EQ(Edit->EditText(), u"_1-___-____");
}

TEST_F(MaskEditTest, DeletingEmptiesPositionsAndTheCaretSkipsLiterals) {
    Edit->SetText(u"12-JAN-2024");
    Edit->SetSelStart(3);
    Key(VK_BACK); // over the literal to the digit before it
    EXPECT_EQ(Edit->EditText(), u"1_-JAN-2024");
    EXPECT_EQ(Edit->SelStart(), 1);
    Key(VK_RIGHT);
    EXPECT_EQ(Edit->SelStart(), 3);
    Key(VK_RIGHT);
    Key(VK_RIGHT);
    Key(VK_RIGHT);
    EXPECT_EQ(Edit->SelStart(), 7);
    Key(VK_LEFT);
    EXPECT_EQ(Edit->SelStart(), 5);
    Key(VK_DELETE);
    EXPECT_EQ(Edit->EditText(), u"1_-JA_-2024");
    EXPECT_EQ(Edit->SelStart(), 5);
    // A selection across literals empties its input positions only.
    Edit->SetSelStart(4);
    Edit->SetSelLength(5);
    Key(VK_DELETE);
    EXPECT_EQ(Edit->EditText(), u"1_-J__-__24");
    EXPECT_EQ(Edit->SelStart(), 4);
    EXPECT_EQ(Edit->SelLength(), 0);
}

TEST_F(MaskEditTest, PasteKeepsOnlyWhatFitsAndCutEmptiesTheCutPositions) {
    SetClipboardText(u"12/jan/2024x");
    SendMessage(Edit->Handle(), WM_PASTE, 0, 0);
    EXPECT_EQ(Edit->EditText(), u"12-jan-2024");
    EXPECT_EQ(Edit->SelStart(), 11);
    Integer Pos = 0;
    EXPECT_TRUE(Edit->Validate(Edit->Text(), Pos));
    // Pasting over a selection fills from its start; misfits are dropped.
    Edit->SetSelStart(3);
    Edit->SetSelLength(3);
    SetClipboardText(u"F1eb");
    Key('V', false, true);
    EXPECT_EQ(Edit->EditText(), u"12-Feb-2024");
    EXPECT_EQ(Edit->SelStart(), 7);
    Edit->SetSelStart(3);
    Edit->SetSelLength(3);
    Key('X', false, true);
    EXPECT_EQ(ClipboardText(), u"Feb");
    EXPECT_EQ(Edit->EditText(), u"12-___-2024");
    EXPECT_EQ(Edit->SelStart(), 3);
    // Undo brings the cut text back, selected as before.
    Key('Z', false, true);
    EXPECT_EQ(Edit->EditText(), u"12-Feb-2024");
    EXPECT_EQ(Edit->SelText(), u"Feb");
}

TEST_F(MaskEditTest, ValidateEditRaisesOnEmptyRequiredPositionsOfAModifiedText) {
    Edit->SetEditMask(u"!90:00:00;1; ");
    EXPECT_EQ(Edit->EditText(), u"  :  :  ");
    Edit->ValidateEdit(); // not modified: nothing to check
    Type(u"123");
    EXPECT_EQ(Edit->EditText(), u"12:3 :  ");
    try {
        Edit->ValidateEdit();
        FAIL() << "no error";
    } catch (const EDBEditError& E) {
        EXPECT_EQ(E.Message(), u"Invalid input value. Use escape key to abandon changes");
    }
    EXPECT_EQ(Edit->SelStart(), 4);
    EXPECT_EQ(Edit->SelLength(), 1);
    Type(u"4");
    Type(u"56");
    Edit->ValidateEdit();
    EXPECT_EQ(Edit->Text(), u"12:34:56");
}

TEST_F(MaskEditTest, LeavingAnIncompleteEditShowsTheErrorAndTakesTheFocusBack) {
    Type(u"1");
    Other->SetFocus();
    Pump();
    ASSERT_EQ(Boxes.size(), 1u);
    EXPECT_NE(Boxes[0].find(u"Invalid input value"), String::npos);
    EXPECT_TRUE(Edit->Focused());
    EXPECT_EQ(Edit->SelStart(), 1);
    EXPECT_EQ(Edit->SelLength(), 1);
    // Complete, it lets the focus go.
    Type(u"2JAN2024");
    Other->SetFocus();
    Pump();
    EXPECT_EQ(Boxes.size(), 1u);
    EXPECT_TRUE(Other->Focused());
}

TEST_F(MaskEditTest, WithoutAMaskItIsAPlainEdit) {
    Edit->SetEditMask(u"");
    Edit->Clear();
    Type(u"free text");
    EXPECT_EQ(Edit->Text(), u"free text");
    Key(VK_BACK);
    EXPECT_EQ(Edit->Text(), u"free tex");
    Edit->ValidateEdit();
}

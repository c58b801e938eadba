// The drop-down edit's typing rules, as key sequences with the text and
// caret after each step.

#include "DropDownTestSupport.h"
#include "dropdown/KelDropDown.h"
#include "rtl/FormatSettings.h"
#include "vcl/Clipbrd.h"
#include "windowing/Input.h"

using namespace winapi;

namespace {

struct SeparatorsScope {
    SeparatorsScope(Char Decimal, Char Thousand)
        : OldDecimal(FormatSettings.DecimalSeparator), OldThousand(FormatSettings.ThousandSeparator) {
        FormatSettings.DecimalSeparator = Decimal;
        FormatSettings.ThousandSeparator = Thousand;
    }
    ~SeparatorsScope() {
        FormatSettings.DecimalSeparator = OldDecimal;
        FormatSettings.ThousandSeparator = OldThousand;
    }
    Char OldDecimal, OldThousand;
};

// One step: characters typed (Text), or a key pressed (Key), or a caret put
// (Caret >= 0 with neither); then the edit's own text and caret.
struct Step {
    const char16_t* Text;
    Integer Key;
    Integer PutCaret;
    const char16_t* Expect;
    Integer Caret;
};

class EditTyping : public DropDownTest {
protected:
    TKelDropDown* NewEdit() {
        TForm* Form = NewForm();
        auto* Edit = Create<TKelDropDown>(Form);
        Edit->SetParent(Form);
        Edit->SetBounds(20, 20, 200, 21);
        Edit->SetAutoSelect(false);
        Pump();
        Edit->SetFocus();
        Pump();
        return Edit;
    }

    void Run(TKelDropDown* Edit, std::initializer_list<Step> Steps) {
        int Index = 0;
        for (const Step& S : Steps) {
            if (S.Text)
                Type(S.Text);
            else if (S.Key)
                Key(S.Key);
            else
                Edit->SetSelStart(S.PutCaret);
            Pump();
            EXPECT_EQ(Utf8(Edit->EditText()), Utf8(S.Expect)) << "step " << Index;
            EXPECT_EQ(Edit->SelStart(), S.Caret) << "step " << Index;
            ++Index;
        }
    }
};

} // namespace

TEST_F(EditTyping, FloatWithCommaDecimalsKeepsItsFraction) {
    SeparatorsScope Scope(u',', u'.');
    TKelDropDown* Edit = NewEdit();
    Edit->SetEditType(etFloat);
    Edit->SetPrecision(2);
    Edit->SetText(u"3");
    EXPECT_EQ(Edit->Text(), u"3,00");
    Run(Edit, {
                  {nullptr, 0, 1, u"3,00", 1},
                  {u",", 0, -1, u"3,00", 2},  // a second comma jumps after the first
                  {u"4", 0, -1, u"3,40", 3},  // full fraction: the digit replaces the next one
                  {u"5", 0, -1, u"3,45", 4},
                  {u"6", 0, -1, u"3,45", 4},  // at the end of a full fraction: dropped
                  {nullptr, 0, 3, u"3,45", 3},
                  {u"7", 0, -1, u"3,47", 4},
              });
}

TEST_F(EditTyping, FloatWithoutDecimalsRefusesTheSeparator) {
    SeparatorsScope Scope(u',', u'.');
    TKelDropDown* Edit = NewEdit();
    Edit->SetEditType(etFloat);
    Edit->SetText(u"12");
    Run(Edit, {
                  {nullptr, 0, 2, u"12", 2},
                  {u",", 0, -1, u"12", 2},
                  {u"x", 0, -1, u"12", 2},
                  {u"3", 0, -1, u"123", 3},
              });
}

TEST_F(EditTyping, MoneyGroupsThousandsWhileTyping) {
    SeparatorsScope Scope(u',', u'.');
    TKelDropDown* Edit = NewEdit();
    Edit->SetEditType(etMoney);
    Edit->SetText(u"");
    EXPECT_EQ(Edit->Text(), u"0");
    Edit->SelectAll();
    Run(Edit, {
                  {u"1", 0, -1, u"1", 1},
                  {u"2", 0, -1, u"12", 2},
                  {u"3", 0, -1, u"123", 3},
                  {u"4", 0, -1, u"1.234", 5},
                  {u"5", 0, -1, u"12.345", 6},
                  {u"6", 0, -1, u"123.456", 7},
                  {u"7", 0, -1, u"1.234.567", 9},
              });
}

TEST_F(EditTyping, PrefixAndSuffixAreProtected) {
    TKelDropDown* Edit = NewEdit();
    Edit->SetPrefix(u"ab");
    Edit->SetSuffix(u"cdef");
    Edit->SetText(u"xyz");
    EXPECT_EQ(Edit->EditText(), u"abxyzcdef");
    EXPECT_EQ(Edit->Text(), u"xyz");
    Run(Edit, {
                  {nullptr, VK_END, -1, u"abxyzcdef", 5},
                  {nullptr, VK_RIGHT, -1, u"abxyzcdef", 5},
                  {nullptr, VK_HOME, -1, u"abxyzcdef", 2},
                  {nullptr, VK_LEFT, -1, u"abxyzcdef", 2},
                  {nullptr, VK_BACK, -1, u"abxyzcdef", 2},
                  {nullptr, VK_RIGHT, -1, u"abxyzcdef", 3},
                  {nullptr, VK_BACK, -1, u"abyzcdef", 2},
                  {u"Q", 0, -1, u"abQyzcdef", 3},
              });
}

TEST_F(EditTyping, RangeTakesOneSeparatorBetweenNumbers) {
    TKelDropDown* Edit = NewEdit();
    Edit->SetEditType(etRange);
    Run(Edit, {
                  {u"-", 0, -1, u"", 0},
                  {u"1", 0, -1, u"1", 1},
                  {u"-", 0, -1, u"1-", 2},
                  {u"3", 0, -1, u"1-3", 3},
                  {u",", 0, -1, u"1-3,", 4},
                  {u",", 0, -1, u"1-3,", 4},
                  {u"5", 0, -1, u"1-3,5", 5},
                  {u"a", 0, -1, u"1-3,5", 5},
              });
}

TEST_F(EditTyping, NumericSignToggleAndCtrlEnter) {
    TKelDropDown* Edit = NewEdit();
    Edit->SetEditType(etNumeric);
    Edit->SetSigned(true);
    Edit->SetText(u"12");
    Run(Edit, {
                  {nullptr, 0, 2, u"12", 2},
                  {u"-", 0, -1, u"-12", 3},
                  {u"-", 0, -1, u"12", 2}, // the sign itself goes
                  {u"a", 0, -1, u"12", 2},
              });
    Backend->PressKey(VK_CONTROL);
    Backend->TypeKey(VK_RETURN);
    Backend->ReleaseKey(VK_CONTROL);
    Pump();
    EXPECT_EQ(Edit->EditText(), u"12");
}

TEST_F(EditTyping, HexadecimalValues) {
    TKelDropDown* Edit = NewEdit();
    Edit->SetEditType(etHex);
    Edit->SetIntValue(255);
    EXPECT_EQ(Edit->Text(), u"FF");
    Edit->SetText(u"ff");
    EXPECT_EQ(Edit->Text(), u"FF");
    EXPECT_EQ(Edit->GetFloatValue(), 255.0);
    Run(Edit, {{nullptr, 0, 2, u"FF", 2}, {u"g", 0, -1, u"FF", 2}, {u"a", 0, -1, u"FFa", 3}});
}

TEST_F(EditTyping, PasteFollowsTheEditType) {
    TKelDropDown* Edit = NewEdit();
    const struct {
        TDropDownEditType Type;
        bool Signed;
        const char16_t* Clip;
        const char16_t* Expect;
    } Cases[] = {
        {etNumeric, false, u"12a", u"5"},   {etNumeric, true, u"12-3", u"5"}, // a sign only in front
        {etNumeric, false, u"-1", u"5"},    {etNumeric, false, u"12", u"512"},
        {etRange, false, u"1-2", u"5"},     {etHex, false, u"A", u"5"},
        {etString, false, u"x y", u"5x y"}, {etUppercase, false, u"ab", u"5AB"},
    };
    for (const auto& Case : Cases) {
        Edit->SetEditType(Case.Type);
        Edit->SetSigned(Case.Signed);
        Edit->SetText(u"5");
        Edit->SetSelStart(1);
        Clipboard()->SetAsText(Case.Clip);
        Edit->Perform(WM_PASTE, 0, 0);
        EXPECT_EQ(Utf8(Edit->EditText()), Utf8(Case.Expect)) << Utf8(Case.Clip);
    }
    Edit->SetEditType(etNumeric);
    Edit->SetSigned(true);
    Edit->SetText(u"5");
    Edit->SetSelStart(0);
    Clipboard()->SetAsText(u"-1");
    Edit->Perform(WM_PASTE, 0, 0);
    EXPECT_EQ(Edit->EditText(), u"-15");
}

TEST_F(EditTyping, LeavingAnEmptyNumericEditWritesTheNullValue) {
    TKelDropDown* Edit = NewEdit();
    Edit->SetEditType(etNumeric);
    Edit->SetText(u"");
    EXPECT_EQ(Edit->Text(), u"0");
    Edit->SetTextUnformatted(u"");
    auto* Other = Create<TEdit>(Edit->Owner());
    Other->SetParent(Edit->Parent());
    Other->SetBounds(20, 80, 100, 21);
    Pump();
    Other->SetFocus();
    Pump();
    EXPECT_EQ(Edit->Text(), u"0");
}

// The spin editor on a headless form: values and limits per kind, stepping
// the field at the caret, the character filter and the keys.

#include "gridbase/SpinEdit.h"

#include "rtl/DateTime.h"
#include "rtl/FormatSettings.h"
#include "vcl/Forms.h"
#include "windowing/HeadlessBackend.h"
#include "windowing/Input.h"

#include <gtest/gtest.h>

using namespace winapi;

namespace {

class SpinEditTest : public ::testing::Test {
protected:
    void SetUp() override {
        Saved = FormatSettings;
        FormatSettings.DecimalSeparator = u'.';
        FormatSettings.ThousandSeparator = u',';
        FormatSettings.DateSeparator = u'/';
        FormatSettings.TimeSeparator = u':';
        FormatSettings.ShortDateFormat = u"M/d/yyyy";
        FormatSettings.LongTimeFormat = u"h:nn:ss";
        Backend = &UseHeadlessBackend();
        Free(Application);
        Application = Create<TApplication>(nullptr);
        Form = Create<TForm>(nullptr);
        Form->SetBounds(100, 100, 300, 200);
        Spin = new TVazSpinEdit(Form);
        Spin->SetParent(Form);
        Spin->SetBounds(10, 10, 120, 24);
        Form->Show();
        Application->ProcessMessages();
        Spin->SetFocus();
        Application->ProcessMessages();
    }
    void TearDown() override {
        Free(Form);
        Free(Application);
        Application = Create<TApplication>(nullptr);
        FormatSettings = Saved;
    }
    void Key(Integer VirtualKey) {
        Backend->TypeKey(VirtualKey);
        Application->ProcessMessages();
    }
    // Whether the filter lets C through with the text and caret given.
    bool Accepts(const String& Text, Integer Caret, Char C, Integer SelLength = 0) {
        Spin->SetText(Text);
        Spin->SetSelStart(Caret);
        Spin->SetSelLength(SelLength);
        return Spin->IsValidChar(C);
    }

    TFormatSettings Saved;
    THeadlessBackend* Backend = nullptr;
    TForm* Form = nullptr;
    TVazSpinEdit* Spin = nullptr;
};

TEST_F(SpinEditTest, IntegerValueLimitsAndFallbacks) {
    EXPECT_EQ(Spin->Text(), u"0");
    Spin->SetValue(150);
    EXPECT_EQ(Spin->Text(), u"100");
    Spin->SetMinValue(5);
    Spin->SetText(u"abc");
    EXPECT_EQ(Spin->Value(), 5);
    Spin->SetText(u"  ");
    EXPECT_EQ(Spin->Value(), 0);
    // Equal limits do not limit.
    Spin->SetMinValue(0);
    Spin->SetMaxValue(0);
    Spin->SetValue(100);
    Spin->SpinUp(false);
    EXPECT_EQ(Spin->Value(), 101);
}

// A float text that is no number reads as the float lower limit, not as
// the integer one.
TEST_F(SpinEditTest, FloatValueFallsBackToMinFloatValue) {
    Spin->SetSpinType(sptFloat);
    Spin->SetMinValue(7);
    Spin->SetMinFloatValue(-2.5);
    Spin->SetText(u"abc");
    EXPECT_EQ(Spin->FloatValue(), -2.5);
    Spin->SetText(u"1");
    Spin->SetPrecision(2);
    EXPECT_EQ(Spin->Text(), u"1.00");
    Spin->SpinUp(false);
    EXPECT_EQ(Spin->Text(), u"1.10");
    Spin->SpinUp(true);
    EXPECT_EQ(Spin->Text(), u"2.10");
    Spin->SetFloatValue(250);
    EXPECT_EQ(Spin->Text(), u"100.00");
}

TEST_F(SpinEditTest, DateStepsTheFieldAtTheCaret) {
    Spin->SetSpinType(sptDate);
    struct Case {
        const char16_t* Format;
        Char Separator;
        const char16_t* Text;
        Integer Caret;
        bool Up;
        const char16_t* Expected;
    } Cases[] = {
        {u"M/d/yyyy", u'/', u"12/31/2024", 0, true, u"1/31/2025"},
        {u"M/d/yyyy", u'/', u"12/31/2024", 2, false, u"11/30/2024"},
        {u"M/d/yyyy", u'/', u"12/31/2024", 3, true, u"1/1/2025"},
        {u"M/d/yyyy", u'/', u"12/31/2024", 6, true, u"12/31/2025"},
        // A year step from 29 February keeps the last day of February.
        {u"dd-mm-yyyy", u'-', u"29-02-2024", 7, true, u"28-02-2025"},
        {u"dd-mm-yyyy", u'-', u"29-02-2024", 7, false, u"28-02-2023"},
        {u"dd-mm-yyyy", u'-', u"29-02-2024", 0, true, u"01-03-2024"},
        {u"dd-mm-yyyy", u'-', u"31-01-2024", 3, true, u"29-02-2024"},
    };
    for (const Case& C : Cases) {
        FormatSettings.ShortDateFormat = C.Format;
        FormatSettings.DateSeparator = C.Separator;
        Spin->SetText(C.Text);
        Spin->SetSelStart(C.Caret);
        if (C.Up)
            Spin->SpinUp(false);
        else
            Spin->SpinDown(false);
        EXPECT_EQ(Spin->Text(), C.Expected) << String(C.Text).size() << " caret " << C.Caret;
        EXPECT_EQ(Spin->SelStart(), C.Caret);
    }
    EXPECT_FALSE(Spin->UsDates());
    // A text that is no date reads as the lower date limit; "0" as now.
    Spin->SetMinDateValue(100);
    Spin->SetText(u"abc");
    EXPECT_EQ(Spin->DateValue(), 100);
    Spin->SetText(u"0");
    EXPECT_GE(Spin->DateValue(), Date());
}

TEST_F(SpinEditTest, TimeStepsWrapRoundTheClock) {
    Spin->SetSpinType(sptTime);
    Spin->SetShowSeconds(false);
    struct Case {
        const char16_t* Text;
        Integer Caret;
        bool Up;
        Integer Hours, Minutes;
        const char16_t* Expected;
    } Cases[] = {
        {u"0:30", 0, false, 1, 1, u"23:30"},
        {u"23:30", 0, true, 1, 1, u"0:30"},
        {u"23:30", 3, true, 1, 45, u"0:15"},
        // Steps of a day or more go round the clock instead of failing.
        {u"10:00", 0, true, 25, 1, u"11:00"},
        {u"10:00", 3, false, 1, 90, u"8:30"},
    };
    for (const Case& C : Cases) {
        Spin->SetIncrementHours(C.Hours);
        Spin->SetIncrementMinutes(C.Minutes);
        Spin->SetText(C.Text);
        Spin->SetSelStart(C.Caret);
        if (C.Up)
            Spin->SpinUp(false);
        else
            Spin->SpinDown(false);
        EXPECT_EQ(Spin->Text(), C.Expected) << C.Caret;
    }
    Spin->SetText(u"abc");
    EXPECT_EQ(Spin->TimeValue(), 0);
}

TEST_F(SpinEditTest, CharacterFilter) {
    // sptNormal
    EXPECT_TRUE(Accepts(u"12", 2, u'5'));
    EXPECT_FALSE(Accepts(u"12", 2, u'a'));
    EXPECT_TRUE(Accepts(u"12", 0, u'-'));
    EXPECT_FALSE(Accepts(u"12", 1, u'-'));
    EXPECT_FALSE(Accepts(u"-12", 0, u'-'));
    EXPECT_TRUE(Accepts(u"-12", 0, u'-', 1)); // the minus is selected
    EXPECT_FALSE(Accepts(u"12", 2, u'.'));
    // sptFloat with two decimals
    Spin->SetSpinType(sptFloat);
    Spin->SetPrecision(2);
    EXPECT_FALSE(Accepts(u"1.25", 4, u'3'));
    EXPECT_TRUE(Accepts(u"1.25", 3, u'3', 1));
    EXPECT_TRUE(Accepts(u"1.2", 3, u'3'));
    EXPECT_FALSE(Accepts(u"1.2", 3, u'.'));
    EXPECT_FALSE(Accepts(u"12", 2, u','));
    EXPECT_FALSE(Accepts(u"12", 2, u'/'));
    // sptTime: at most two separators
    Spin->SetSpinType(sptTime);
    EXPECT_TRUE(Accepts(u"10:", 3, u'3'));
    EXPECT_TRUE(Accepts(u"10:30", 5, u':'));
    EXPECT_FALSE(Accepts(u"10:30:", 6, u':'));
    EXPECT_FALSE(Accepts(u"10", 2, u'-'));
    // sptDate with "-" separators: the minus is the separator, typed anywhere.
    FormatSettings.DateSeparator = u'-';
    FormatSettings.ShortDateFormat = u"dd-mm-yyyy";
    Spin->SetSpinType(sptDate);
    EXPECT_TRUE(Accepts(u"31", 2, u'-'));
    EXPECT_TRUE(Accepts(u"31-12", 5, u'-'));
    EXPECT_FALSE(Accepts(u"31-12-", 6, u'-'));
    // The editor switched off: printable characters refused, Backspace too.
    Spin->SetEditorEnabled(false);
    EXPECT_FALSE(Accepts(u"31", 2, u'5'));
    EXPECT_FALSE(Accepts(u"31", 2, u'\b'));
}

TEST_F(SpinEditTest, KeysSpinAndTypingIsFiltered) {
    Spin->SetSpinType(sptFloat);
    Spin->SetText(u"1");
    Key(VK_UP);
    EXPECT_EQ(Spin->Text(), u"1.1");
    Key(VK_NEXT);
    EXPECT_EQ(Spin->Text(), u"0.1");
    Key(VK_PRIOR);
    Key(VK_DOWN);
    EXPECT_EQ(Spin->Text(), u"1");
    const Integer Beeps = EditorBeepCount();
    Spin->SelectAll();
    Backend->TypeText(u"2x");
    Application->ProcessMessages();
    EXPECT_EQ(Spin->Text(), u"2");
    EXPECT_EQ(EditorBeepCount(), Beeps + 1);
    // With the editor off, Delete is swallowed but the arrows still spin.
    Spin->SetEditorEnabled(false);
    Spin->SetSelStart(0);
    Key(VK_DELETE);
    EXPECT_EQ(Spin->Text(), u"2");
    Key(VK_UP);
    EXPECT_EQ(Spin->Text(), u"2.1");
    // A read-only edit beeps and keeps its value.
    Spin->SetReadOnly(true);
    Key(VK_UP);
    EXPECT_EQ(Spin->Text(), u"2.1");
    EXPECT_EQ(EditorBeepCount(), Beeps + 2);
}

TEST_F(SpinEditTest, KeypadDecimalTypesTheLocaleSeparator) {
    FormatSettings.DecimalSeparator = u',';
    FormatSettings.ThousandSeparator = u'.';
    Spin->SetSpinType(sptFloat);
    Spin->SetExcelStyleDecimalSeparator(true);
    Spin->SetText(u"1");
    Spin->SetSelStart(1);
    Backend->PressKey(VK_DECIMAL, String(u"."));
    Backend->ReleaseKey(VK_DECIMAL);
    Application->ProcessMessages();
    EXPECT_EQ(Spin->Text(), u"1,");
    // The main keyboard's full stop is the thousand separator here: refused.
    Backend->TypeText(u".");
    Application->ProcessMessages();
    EXPECT_EQ(Spin->Text(), u"1,");
}

TEST_F(SpinEditTest, ButtonPairStepsThroughTheVirtualClicks) {
    struct TCounting : TVazSpinEdit {
        using TVazSpinEdit::TVazSpinEdit;
        Integer Ups = 0;
        void UpButtonClick(TObject* Sender) override {
            ++Ups;
            TVazSpinEdit::UpButtonClick(Sender);
        }
    };
    auto* Counting = new TCounting(Form);
    Counting->SetParent(Form);
    Counting->SetBounds(10, 60, 120, 24);
    Application->ProcessMessages();
    TKelTimerSpeedButton* Up = Counting->Button()->UpButton();
    EXPECT_EQ(Counting->Button()->Parent(), Counting);
    const TPoint At = Up->ClientToScreen({Up->Width() / 2, Up->Height() / 2});
    Backend->Click(At.X, At.Y);
    Application->ProcessMessages();
    EXPECT_EQ(Counting->Ups, 1);
    EXPECT_EQ(Counting->Text(), u"1");
}

} // namespace

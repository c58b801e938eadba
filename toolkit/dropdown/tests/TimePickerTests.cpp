// The time picker drop-down on the headless window system.

#include "DropDownTestSupport.h"
#include "dropdown/KelTimePickerDropDown.h"
#include "vcl/DateTimePicker.h"
#include "rtl/DateTime.h"
#include "windowing/Input.h"

using namespace winapi;

namespace {

class TOpenTimePicker : public TKelTimePickerDropDown {
public:
    using TKelTimePickerDropDown::TKelTimePickerDropDown;
    void FormKeyDown(Word Key, TShiftState Shift) { ForwardFormKeyDown(this, Key, Shift); }
};

class TimePicker : public DropDownTest {
protected:
    TOpenTimePicker* NewPicker() {
        Form = NewForm();
        auto* Edit = Create<TOpenTimePicker>(Form);
        Edit->SetParent(Form);
        Edit->SetBounds(20, 20, 120, 21);
        Edit->SetAnimation(false);
        Pump();
        return Edit;
    }

    TForm* Form = nullptr;
};

} // namespace

TEST_F(TimePicker, ANewControlShowsMidnightInTwoOrThreeFields) {
    auto* Edit = NewPicker();
    EXPECT_EQ(Edit->Text(), u"00:00:00");
    EXPECT_EQ(Edit->Time(), 0.0);
    Edit->SetShowSeconds(false);
    EXPECT_EQ(Edit->Text(), u"00:00");
    EXPECT_EQ(Edit->EditMask(), u"!90:00;1; ");
    Edit->SetTime(EncodeTime(7, 5, 0, 0));
    EXPECT_EQ(Edit->Text(), u"07:05");
    Edit->SetResolution(45);
    EXPECT_EQ(Edit->Resolution(), 0);
}

TEST_F(TimePicker, TypedTextsSetTheTime) {
    const struct {
        const char16_t* Typed;
        Integer H, M, S;
        const char16_t* Shown;
    } Cases[] = {
        {u" 9:  :  ", 9, 0, 0, u"09:00:00"},
        {u"12:3 :  ", 12, 30, 0, u"12:3 :  "},
        {u"25:00:00", 1, 2, 3, u"25:00:00"}, // not a time: kept, no error
        {u"23:60:00", 1, 2, 3, u"23:60:00"},
    };
    for (const auto& Case : Cases) {
        auto* Edit = NewPicker();
        Edit->SetTime(EncodeTime(1, 2, 3, 0));
        Edit->SetTextUnformatted(Case.Typed);
        EXPECT_EQ(Edit->Time(), EncodeTime(Word(Case.H), Word(Case.M), Word(Case.S), 0)) << Utf8(Case.Typed);
        EXPECT_EQ(Edit->Text(), Case.Shown);
        Free(Form);
    }
}

TEST_F(TimePicker, UpAndDownStepTheFieldAtTheCaret) {
    auto* Edit = NewPicker();
    Integer Changes = 0;
    Edit->OnTimeChange = [&](TObject*) { ++Changes; };
    Edit->SetFocus();
    Pump();
    Edit->SetTime(EncodeTime(23, 59, 30, 0));
    Edit->SetSelStart(4);
    Key(VK_DOWN);
    EXPECT_EQ(Edit->Text(), u"23:00:30");
    EXPECT_EQ(Changes, 1);
    Edit->SetTime(EncodeTime(0, 10, 0, 0));
    Edit->SetSelStart(0);
    Key(VK_UP);
    EXPECT_EQ(Edit->Text(), u"23:10:00");
    EXPECT_EQ(Changes, 2);
}

TEST_F(TimePicker, ThePopUpTakesTheWatchsTimeOrRestoresOnCancel) {
    auto* Edit = NewPicker();
    Integer Changes = 0;
    Edit->OnTimeChange = [&](TObject*) { ++Changes; };
    Edit->SetTime(EncodeTime(8, 30, 0, 0));
    Edit->ShowDropDown();
    Pump();
    ASSERT_TRUE(Edit->DroppedDown());
    TKelWatch* W = Edit->Watch();
    ASSERT_NE(W, nullptr);
    EXPECT_EQ(W->Time(), EncodeTime(8, 30, 0, 0));
    W->ProcessKey(VK_PRIOR); // the hands move: 09:30
    EXPECT_EQ(Edit->Time(), EncodeTime(9, 30, 0, 0));
    EXPECT_EQ(Changes, 1);
    Edit->HideDropDown(true);
    Pump();
    EXPECT_EQ(Edit->Text(), u"08:30:00");
    EXPECT_EQ(Edit->Time(), EncodeTime(8, 30, 0, 0));
    EXPECT_EQ(W->Time(), EncodeTime(8, 30, 0, 0));

    Edit->ShowDropDown();
    Pump();
    W->ProcessKey(VK_END); // minute 0: 08:00
    ClickAt(Form->ClientToScreen({300, 250}));
    EXPECT_FALSE(Edit->DroppedDown());
    EXPECT_EQ(Edit->Time(), EncodeTime(8, 0, 0, 0));
    EXPECT_EQ(Edit->Text(), u"08:00:00");
}

TEST_F(TimePicker, PageAndArrowKeysOfThePopUpReachTheEditOnlyWithAlt) {
    auto* Edit = NewPicker();
    Edit->SetTime(EncodeTime(10, 20, 30, 0));
    Edit->SetSelStart(0);
    Edit->ShowDropDown();
    Pump();
    Edit->FormKeyDown(VK_UP, {});
    Edit->FormKeyDown(VK_DOWN, {});
    EXPECT_EQ(Edit->Time(), EncodeTime(10, 20, 30, 0));
    Edit->FormKeyDown(VK_NEXT, {}); // the watch takes it: one hour back
    EXPECT_EQ(Edit->Time(), EncodeTime(9, 20, 30, 0));
    Edit->HideDropDown(false);
    Pump();
}

TEST_F(TimePicker, ValidatePutsBackTheTextOfTimeAndThePickerFollowsTheSeconds) {
    auto* Edit = NewPicker();
    Edit->SetTextUnformatted(u"12:3 :  ");
    ASSERT_EQ(Edit->Time(), EncodeTime(12, 30, 0, 0));
    Integer Pos = 0;
    EXPECT_TRUE(Edit->Validate(Edit->Text(), Pos));
    EXPECT_EQ(Edit->Text(), u"12:30:00"); // the value's text, not the clock's
    EXPECT_EQ(Edit->Time(), EncodeTime(12, 30, 0, 0));

    Edit->SetShowSeconds(false);
    Edit->SetShowTimePicker(true);
    Edit->ShowDropDown();
    Pump();
    ASSERT_NE(Edit->DateTimePicker(), nullptr);
    EXPECT_EQ(Edit->DateTimePicker()->Kind(), dtkTime);
    EXPECT_EQ(Edit->DateTimePicker()->Format(), u"HH:mm");
    EXPECT_NEAR(Edit->DateTimePicker()->Time(), EncodeTime(12, 30, 0, 0), 1e-6);
    Edit->HideDropDown(false);
    Pump();
}

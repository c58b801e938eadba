// The date-time pickers with auto-tab, the time part, the null date, the
// limits and the label.

#include "DropDownTestSupport.h"

#include "dropdown/KelDateTimePicker.h"
#include "kel/KelToolTip.h"
#include "rtl/DateTime.h"
#include "windowing/Focus.h"
#include "windowing/Input.h"
#include "windowing/Messages.h"

using namespace winapi;
using namespace KelDateTimePicker;

namespace {

class DateTimePickerTest : public DropDownTest {
protected:
    void SetUp() override {
        DropDownTest::SetUp();
        Form = NewForm();
    }
    template <class T>
    T* Picker(Integer Left = 100, Integer Top = 100, Integer Width = 200) {
        auto* P = Create<T>(Form);
        P->SetParent(Form);
        P->SetBounds(Left, Top, Width, 21);
        P->HandleNeeded();
        Pump();
        return P;
    }
    TButton* NextControl() {
        auto* B = Create<TButton>(Form);
        B->SetParent(Form);
        B->SetBounds(10, 250, 80, 25);
        return B;
    }
    void Focus(TWinControl* Control) {
        Control->SetFocus();
        Pump();
    }
    TForm* Form = nullptr;
};

TDateTime At(Word Y, Word M, Word D, Word H = 0, Word N = 0, Word S = 0) {
    return EncodeDate(Y, M, D) + EncodeTime(H, N, S, 0);
}

TEST_F(DateTimePickerTest, AutoTabMovesAfterADigitThatChangesTheValue) {
    // The time rule of the plain picker: a changed hour or minute moves to the
    // next field, a change of the seconds alone to the next control, an
    // unchanged value nowhere.
    struct Case {
        const char* Name;
        Integer Field;
        Char Digit;
        Integer FieldAfter;
        bool NextControlFocused;
    };
    const Case Cases[] = {
        {"hour digit", 0, u'1', 1, false},
        {"minute digit", 1, u'5', 2, false},
        {"seconds only", 2, u'7', 2, true},
        {"unchanged minute", 1, u'0', 1, false},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.Name);
        auto* P = Picker<TCustomDateTimePicker>();
        auto* Next = NextControl();
        P->SetKind(dtkTime);
        P->SetFormat(u"HH:mm:ss");
        P->SetDateTime(At(2026, 12, 11, 10, 0, 30));
        P->SetAutoTab(true);
        Focus(P);
        EXPECT_EQ(P->CurrentField(), 0); // focus arrival selects the first field
        P->SetCurrentField(C.Field);
        Type(String(1, C.Digit));
        EXPECT_EQ(Next->Focused(), C.NextControlFocused);
        if (!C.NextControlFocused) {
            EXPECT_EQ(P->CurrentField(), C.FieldAfter);
        }
        Free(Next);
        Free(P);
    }
}

TEST_F(DateTimePickerTest, AutoTabOffTypesLikeThePlatformPicker) {
    auto* P = Picker<TCustomDateTimePicker>();
    P->SetKind(dtkTime);
    P->SetFormat(u"HH:mm:ss");
    P->SetDateTime(At(2026, 12, 11, 10, 0, 30));
    Focus(P);
    P->SetCurrentField(0);
    Type(u"1");
    EXPECT_EQ(P->CurrentField(), 0);
}

TEST_F(DateTimePickerTest, DateAutoTabWithACustomFormatEndingInTheYearMovesToTheTimePart) {
    auto* P = Picker<TKelDateTimePicker>(100, 100, 260);
    P->SetFormat(u"dd.MM.yyyy");
    P->SetDateTime(At(2026, 12, 11, 9, 30));
    P->SetAutoTab(true);
    Focus(P);
    ASSERT_NE(P->TimePicker(), nullptr);
    P->SetCurrentField(0);
    Type(u"5"); // the day changed, the format ends in "y": next field
    EXPECT_EQ(P->Date(), EncodeDate(2026, 12, 5));
    EXPECT_EQ(P->CurrentField(), 1);
    P->SetCurrentField(2);
    Type(u"2025");
    EXPECT_EQ(P->Date(), EncodeDate(2025, 12, 5));
    EXPECT_TRUE(P->TimePicker()->Focused());
}

TEST_F(DateTimePickerTest, DateAutoTabWithoutAFormatUsesTwoDigitDaysAndTheYear) {
    auto* P = Picker<TKelDateTimePicker>(100, 100, 260);
    auto* Next = NextControl();
    P->SetKind(dkDate);
    P->SetDateTime(At(2026, 12, 5));
    P->SetAutoTab(true);
    Focus(P);
    const Integer DayField = 0; // the short date format starts with the day
    P->SetCurrentField(DayField);
    Type(u"0"); // day 0 is refused: nothing changed, one digit collected
    EXPECT_EQ(P->CurrentField(), DayField);
    Type(u"5"); // "05" equals the day shown: next field
    EXPECT_EQ(P->CurrentField(), DayField + 1);
    P->SetCurrentField(2);
    Type(u"2027"); // only the year changed in dkDate: the next control
    EXPECT_TRUE(Next->Focused());
}

TEST_F(DateTimePickerTest, InsideTheGridTheTimePartTakesTabAndTheDatePartShiftTab) {
    auto* P = Picker<TKelDateTimePicker>(100, 100, 260);
    ASSERT_NE(P->TimePicker(), nullptr);
    P->SetGridTabHandling(true);
    P->TimePicker()->SetGridTabHandling(true);
    auto WantsTab = [](TWinControl* C) { return (C->Perform(WM_GETDLGCODE, 0, 0) & DLGC_WANTTAB) != 0; };
    EXPECT_TRUE(WantsTab(P->TimePicker()));
    EXPECT_FALSE(WantsTab(P));
    Backend->PressKey(VK_SHIFT);
    Pump();
    EXPECT_FALSE(WantsTab(P->TimePicker()));
    EXPECT_TRUE(WantsTab(P));
    Backend->ReleaseKey(VK_SHIFT);
    Pump();
    P->SetGridTabHandling(false);
    EXPECT_FALSE(WantsTab(P));
}

TEST_F(DateTimePickerTest, ANewControlIsDateAndTimeWithTheTimePartAtItsRight) {
    auto* P = Picker<TKelDateTimePicker>(100, 100, 260);
    EXPECT_EQ(P->Kind(), dkDateTime);
    EXPECT_EQ(P->Version(), u"1.3.6.2");
    ASSERT_NE(P->TimePicker(), nullptr);
    TCustomDateTimePicker* T = P->TimePicker();
    EXPECT_TRUE(T->Visible());
    EXPECT_EQ(T->Parent(), P);
    EXPECT_TRUE(T->IsTimePicker());
    EXPECT_EQ(T->Kind(), dtkTime);
    EXPECT_GT(T->Left(), P->Width() / 3);
    EXPECT_LE(T->Left() + T->Width(), P->Width() - 21);

    P->SetDateTime(At(2026, 12, 11, 14, 45, 10));
    EXPECT_EQ(P->DateTime(), At(2026, 12, 11, 14, 45, 10));
    EXPECT_EQ(FormatDateTime(u"hh:nn:ss", P->Time()), u"14:45:10");
    P->SetDate(EncodeDate(2027, 1, 2));
    EXPECT_EQ(P->DateTime(), At(2027, 1, 2, 14, 45, 10));

    P->SetKind(dkDate);
    EXPECT_EQ(P->TimePicker(), nullptr);
    P->SetKind(dkDateTime);
    ASSERT_NE(P->TimePicker(), nullptr);
    EXPECT_EQ(P->DateTime(), At(2027, 1, 2, 14, 45, 10));
}

TEST_F(DateTimePickerTest, TheNullDateCycle) {
    auto* P = Picker<TKelDateTimePicker>(100, 100, 260);
    auto* Next = NextControl();
    P->SetKind(dkDate);
    P->SetFormat(u"dd.MM.yyyy");
    P->SetNullDateFormat(u"'(none)'");
    P->SetDateTime(0);
    EXPECT_EQ(P->Text(), u"(none)");

    Focus(P); // entering shows today in the normal format
    EXPECT_EQ(P->Date(), Date());
    EXPECT_EQ(P->Format(), u"dd.MM.yyyy");
    EXPECT_EQ(P->Text(), FormatDateTime(u"dd.mm.yyyy", Date()));
    Focus(Next); // leaving unchanged returns to the null date
    EXPECT_EQ(P->DateTime(), 0);
    EXPECT_EQ(P->Text(), u"(none)");

    Focus(P); // a change made while in it stays
    P->SetCurrentField(2);
    Type(u"2030");
    Focus(Next);
    Word Y, M, D;
    DecodeDate(P->DateTime(), Y, M, D);
    EXPECT_EQ(Y, 2030);
    EXPECT_EQ(P->Text().substr(6), u"2030");

    Focus(P); // Ctrl+Delete sets the null date
    Backend->PressKey(VK_CONTROL);
    Key(VK_DELETE);
    Backend->ReleaseKey(VK_CONTROL);
    Pump();
    EXPECT_EQ(P->DateTime(), 0);
    EXPECT_EQ(P->Text(), u"(none)");
}

TEST_F(DateTimePickerTest, AnUnreadableTypedDateKeepsTheValue) {
    auto* P = Picker<TKelDateTimePicker>(100, 100, 260);
    P->SetKind(dkDate);
    P->SetParseInput(true);
    P->SetDateTime(At(2026, 12, 11));
    Focus(P);
    Key(VK_F2);
    for (Integer I = 0; I < 12; ++I)
        Key(VK_BACK);
    Type(u"not a date");
    Key(VK_RETURN);
    EXPECT_EQ(P->DateTime(), At(2026, 12, 11));

    // A handler may accept what the conversion refused.
    P->OnUserInput = [](TObject*, const String&, TDateTime& Value, bool& Allow) {
        Value = EncodeDate(2031, 3, 4);
        Allow = true;
    };
    Key(VK_F2);
    Type(u"x");
    Key(VK_RETURN);
    EXPECT_EQ(P->Date(), EncodeDate(2031, 3, 4));
}

TEST_F(DateTimePickerTest, LimitsOfTheDateAndOfTheTimeOfDay) {
    auto* P = Picker<TKelDateTimePicker>(100, 100, 260);
    P->SetMinDate(EncodeDate(2026, 1, 1));
    P->SetDateTime(At(2025, 6, 1, 13, 20, 5)); // raised, keeping its own time of day
    EXPECT_EQ(P->DateTime(), At(2026, 1, 1, 13, 20, 5));
    P->SetMinDate(0);
    P->SetDateTime(At(1999, 6, 1, 8, 0)); // 0 is no limit
    EXPECT_EQ(P->DateTime(), At(1999, 6, 1, 8, 0));

    auto* T = Picker<TKelDateTimePicker>(100, 150, 200);
    T->SetKind(dkTime);
    T->SetTimeFormat(u"HH:mm");
    T->SetMinTime(EncodeTime(8, 0, 0, 0));
    T->SetMaxTime(EncodeTime(17, 0, 0, 0));
    T->SetDateTime(At(2026, 12, 11, 16, 30));
    Integer Changes = 0;
    T->OnChange = [&](TObject*) { ++Changes; };
    Focus(T);
    T->SetParseInput(true);
    auto TypeText = [&](const String& Text) {
        Key(VK_F2);
        for (Integer I = 0; I < 8; ++I)
            Key(VK_BACK);
        Type(Text);
        Key(VK_RETURN);
    };
    TypeText(u"18:30");
    EXPECT_EQ(T->Text(), u"17:00");
    EXPECT_EQ(T->Date(), EncodeDate(2026, 12, 11));
    EXPECT_GE(Changes, 1);
    TypeText(u"07:15");
    EXPECT_EQ(T->Text(), u"08:00");
    TypeText(u"12:10");
    EXPECT_EQ(T->Text(), u"12:10");
}

TEST_F(DateTimePickerTest, WritingTheTimeWhileTheDateIsZeroChangesNothing) {
    auto* P = Picker<TKelDateTimePicker>(100, 100, 260);
    P->SetKind(dkDate);
    P->SetDateTime(0);
    P->SetTime(EncodeTime(10, 0, 0, 0));
    EXPECT_EQ(P->DateTime(), 0);
    P->SetDateTime(At(2026, 12, 11, 1, 0));
    P->SetTime(EncodeTime(10, 0, 0, 0));
    EXPECT_EQ(P->DateTime(), At(2026, 12, 11, 10, 0));
}

TEST_F(DateTimePickerTest, TheTimePartReportsItsChangesWithinTheLimits) {
    auto* P = Picker<TKelDateTimePicker>(100, 100, 260);
    P->SetDateTime(At(2026, 12, 11, 12, 0));
    P->SetMinTime(EncodeTime(8, 0, 0, 0));
    P->SetMaxTime(EncodeTime(12, 0, 0, 0));
    Integer TimeChanges = 0;
    P->OnTimeChange = [&](TObject*) { ++TimeChanges; };
    Focus(P->TimePicker());
    P->TimePicker()->SetCurrentField(0);
    Key(VK_UP); // 13:00
    EXPECT_GE(TimeChanges, 1);
    EXPECT_EQ(FormatDateTime(u"yyyy-mm-dd hh:nn:ss", P->DateTime()), u"2026-12-11 12:00:00");
}

TEST_F(DateTimePickerTest, TheLabelTakesEachOfItsFifteenPlaces) {
    auto* P = Picker<TKelDateTimePicker>(150, 100, 200);
    P->SetLabelCaption(u"Start");
    TLabel* L = P->PickerLabel();
    ASSERT_NE(L, nullptr);
    EXPECT_EQ(L->Parent(), Form);
    const Integer LW = L->Width(), LH = L->Height();
    ASSERT_GT(LW, 0);
    ASSERT_GT(LH, 0);
    // Caption width = label width (auto size), margin 4, single border 2,
    // the control at (150, 100) 200 x 21.
    const Integer W = LW, M = 4, CH = 21, CW = 200, T = 100, Lf = 150;
    struct Case {
        TLabelPosition Position;
        Integer Top, Left;
    };
    const Case Cases[] = {
        {lpLeftTop, T, Lf - W - M},
        {lpLeftCenter, T + (CH - 2 - LH) / 2, Lf - W - M},
        {lpLeftBottom, T + CH - LH, Lf - W - M},
        {lpTopLeft, T - LH - M, Lf},
        {lpBottomLeft, T + CH + M, Lf},
        {lpLeftTopLeft, T, Lf - M},
        {lpLeftCenterLeft, T + (CH - 2 - LH) / 2, Lf - M},
        {lpLeftBottomLeft, T + CH - LH, Lf - M},
        {lpTopCenter, T - LH - M, Lf + (CW - LW) / 2},
        {lpBottomCenter, T + CH + M, Lf + (CW - LW) / 2},
        {lpRightTop, T, Lf + CW + M},
        {lpRightCenter, T + (CH - 2 - LH) / 2, Lf + CW + M},
        {lpRighBottom, T + CH - LH, Lf + CW + M},
        {lpTopRight, T - LH - M, Lf + CW - LW},
        {lpBottomRight, T + CH + M, Lf + CW - LW},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(Integer(C.Position));
        P->SetLabelPosition(C.Position);
        EXPECT_EQ(L->Top(), C.Top);
        EXPECT_EQ(L->Left(), C.Left);
    }
    // The label follows the control's visibility and enabled state.
    P->SetVisible(false);
    EXPECT_FALSE(L->Visible());
    P->SetVisible(true);
    P->SetEnabled(false);
    EXPECT_FALSE(L->Enabled());
    EXPECT_FALSE(P->TimePicker()->Enabled());
    P->SetLabelAlwaysEnabled(true);
    EXPECT_TRUE(L->Enabled());
}

TEST_F(DateTimePickerTest, TheValidationBalloonShowsBesideTheControlWithoutTakingTheFocus) {
    auto* P = Picker<TKelDateTimePicker>(100, 100, 260);
    Focus(P);
    P->ShowValidation(u"Date required");
    Pump();
    ASSERT_NE(P->ValidationWindow(), nullptr);
    EXPECT_EQ(P->ValidationWindow()->Text(), u"Date required");
    EXPECT_TRUE(P->ValidationWindow()->Visible());
    EXPECT_TRUE(P->Focused());
    P->HideValidation();
    EXPECT_EQ(P->ValidationWindow(), nullptr);
}

} // namespace

// The date-time picker: fields, caret, typing, stepping, limits, the check
// box, the calendar, text entry and the notifications to the parent.

#include "StandardTestSupport.h"
#include "VclTestSupport.h"
#include "rtl/Exception.h"
#include "vcl/DateTimePicker.h"
#include "vcl/MonthCalendar.h"
#include "vcl/StdCtrls.h"
#include "windowing/Input.h"
#include "windowing/MessageQueue.h"
#include "windowing/Window.h"

using namespace winapi;

namespace {

// What the parent heard: the notification code, the flags and the value.
struct TNotice {
    UINT Code;
    DWORD Flags;
    TDateTime Value;
};

// A parent that records the pickers' notifications before the usual
// handling passes them back to the picker.
class TNoticeParent : public TCustomControl {
public:
    TNoticeParent(TComponent* AOwner, std::vector<TNotice>& Notices) : TCustomControl(AOwner), FNotices(Notices) {}
    void WndProc(TMessage& Message) override {
        if (Message.Msg == WM_NOTIFY) {
            auto* Header = reinterpret_cast<const NMHDR*>(Message.LParam);
            TNotice Notice{Header->code, 0, 0};
            if (Header->code == DTN_DATETIMECHANGE) {
                auto* Change = reinterpret_cast<const NMDATETIMECHANGE*>(Message.LParam);
                Notice.Flags = Change->dwFlags;
                TrySystemTimeToDateTime(Change->st, Notice.Value);
            }
            FNotices.push_back(Notice);
        }
        TCustomControl::WndProc(Message);
    }

private:
    std::vector<TNotice>& FNotices;
};

class DateTimePickerTest : public VclTest {
protected:
    void SetUp() override {
        VclTest::SetUp();
        Form = NewForm();
        Parent = new TNoticeParent(Form, Notices);
        Parent->SetParent(Form);
        Parent->SetBounds(0, 0, 380, 260);
        Picker = new TDateTimePicker(Form);
        Picker->SetParent(Parent);
        Picker->SetBounds(10, 10, 200, 21);
        Picker->SetFormat(u"dd-MM-yyyy");
        Picker->SetDateTime(EncodeDateTime(2024, 3, 15, 10, 30, 0, 0));
        Picker->OnChange = [this](TObject*) { ++Changes; };
        Form->Show();
        Picker->SetFocus();
        Pump();
    }
    void Key(Word VirtualKey) {
        headless::TypeKey(VirtualKey);
        Pump();
    }
    void Type(const String& Text) {
        headless::TypeText(Text);
        Pump();
    }
    void ClickAt(TWinControl* Control, TPoint Point) {
        TPoint At = Control->ClientToScreen(Point);
        headless::Click(At.X, At.Y);
        Pump();
    }
    static TPoint Center(const TRect& R) { return {(R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2}; }
    TDateTime Day(Word Year, Word Month, Word DayOfMonth) { return EncodeDate(Year, Month, DayOfMonth); }

    TForm* Form = nullptr;
    TNoticeParent* Parent = nullptr;
    TDateTimePicker* Picker = nullptr;
    std::vector<TNotice> Notices;
    Integer Changes = 0;
};

} // namespace

TEST_F(DateTimePickerTest, FormatsShowTheValueAsFields) {
    struct TCase {
        TDateTimeKind Kind;
        const Char* Format;
        const Char* Text;
        Integer Fields;
    };
    const TCase Cases[] = {
        {dtkDate, u"dd-MM-yyyy", u"15-03-2024", 3},
        {dtkDate, u"", u"3/15/2024", 3}, // the program's short date format
        {dtkDate, u"d MMM yy", u"15 Mar 24", 3},
        {dtkDate, u"dddd, MMMM d", u"Friday, March 15", 3},
        {dtkDate, u"'Day' d 'of' M", u"Day 15 of 3", 2},
        {dtkTime, u"", u"10:30:00 AM", 4}, // the program's long time format
        {dtkTime, u"HH:mm", u"10:30", 2},
        {dtkTime, u"hh 'o''clock' tt", u"10 o'clock AM", 2},
    };
    for (const TCase& Case : Cases) {
        Picker->SetKind(Case.Kind);
        Picker->SetFormat(Case.Format);
        EXPECT_EQ(Narrow(Picker->Text()), Narrow(Case.Text)) << Narrow(Case.Format);
        EXPECT_EQ(Picker->FieldCount(), Case.Fields) << Narrow(Case.Format);
    }
}

TEST_F(DateTimePickerTest, ArrowsChooseFieldsAndStepThem) {
    struct TCase {
        const char* Name;
        std::vector<Word> Keys;
        TDateTime Expected;
        Integer Field;
    };
    const TCase Cases[] = {
        {"up steps the day", {VK_UP}, Day(2024, 3, 16), 0},
        {"down steps the day", {VK_DOWN}, Day(2024, 3, 14), 0},
        {"right then up steps the month", {VK_RIGHT, VK_UP}, Day(2024, 4, 15), 1},
        {"end then down steps the year", {VK_END, VK_DOWN}, Day(2023, 3, 15), 2},
        {"left wraps to the year", {VK_LEFT, VK_UP}, Day(2025, 3, 15), 2},
        {"right wraps to the day", {VK_END, VK_RIGHT, VK_UP}, Day(2024, 3, 16), 0},
        {"home goes back to the day", {VK_END, VK_HOME, VK_DOWN}, Day(2024, 3, 14), 0},
    };
    for (const TCase& Case : Cases) {
        Picker->SetDate(Day(2024, 3, 15));
        Picker->SetCurrentField(0);
        for (Word K : Case.Keys) Key(K);
        EXPECT_EQ(Picker->Date(), Case.Expected) << Case.Name;
        EXPECT_EQ(Picker->CurrentField(), Case.Field) << Case.Name;
    }
    // Stepping wraps within the field and keeps the time of day.
    Picker->SetDate(Day(2024, 3, 31));
    Picker->SetCurrentField(0);
    Key(VK_UP);
    EXPECT_EQ(Picker->DateTime(), EncodeDateTime(2024, 3, 1, 10, 30, 0, 0));
    // A month whose length cuts the day keeps the day inside it.
    Picker->SetDate(Day(2024, 1, 31));
    Picker->SetCurrentField(1);
    Key(VK_UP);
    EXPECT_EQ(Picker->Date(), Day(2024, 2, 29));
}

TEST_F(DateTimePickerTest, DigitsTypeIntoTheCurrentField) {
    struct TCase {
        const char* Name;
        Integer Field;
        const Char* Typed;
        TDateTime Expected;
        const Char* Shown;
    };
    const TCase Cases[] = {
        {"two digits", 0, u"07", Day(2024, 3, 7), u"07-03-2024"},
        {"a digit no second can follow", 0, u"4", Day(2024, 3, 4), u"04-03-2024"},
        {"a first digit shows at once", 0, u"2", Day(2024, 3, 2), u"02-03-2024"},
        {"no such day: refused", 0, u"35", Day(2024, 3, 3), u"03-03-2024"},
        {"month", 1, u"11", Day(2024, 11, 15), u"15-11-2024"},
        {"month 13: refused", 1, u"13", Day(2024, 1, 15), u"15-01-2024"},
        {"a third digit starts again", 0, u"123", Day(2024, 3, 3), u"03-03-2024"},
        {"four-digit year", 2, u"1999", Day(1999, 3, 15), u"15-03-1999"},
    };
    for (const TCase& Case : Cases) {
        Picker->SetDate(Day(2024, 3, 15));
        Picker->SetCurrentField(Case.Field);
        Type(Case.Typed);
        EXPECT_EQ(Picker->Date(), Case.Expected) << Case.Name;
        EXPECT_EQ(Narrow(Picker->Text()), Narrow(Case.Shown)) << Case.Name;
    }
    // A short year is taken when the field is left, in the value's century.
    Picker->SetDate(Day(2024, 3, 15));
    Picker->SetCurrentField(2);
    Type(u"98");
    EXPECT_EQ(Picker->Date(), Day(2024, 3, 15));
    Key(VK_LEFT);
    EXPECT_EQ(Picker->Date(), Day(2098, 3, 15));
    // Time fields: a 12-hour clock keeps its half of the day.
    Picker->SetKind(dtkTime);
    Picker->SetFormat(u"hh:mm tt");
    Picker->SetDateTime(EncodeDateTime(2024, 3, 15, 14, 5, 0, 0));
    Picker->SetCurrentField(0);
    Type(u"09");
    Key(VK_RIGHT);
    Type(u"45");
    EXPECT_EQ(Picker->DateTime(), EncodeDateTime(2024, 3, 15, 21, 45, 0, 0));
    Key(VK_RIGHT);
    Key(VK_UP);
    EXPECT_EQ(Narrow(Picker->Text()), "09:45 AM");
}

TEST_F(DateTimePickerTest, LimitsRefuseUserChangesAndRaiseForProgramOnes) {
    Picker->SetMinDate(Day(2024, 3, 10));
    Picker->SetMaxDate(Day(2024, 3, 16));
    Picker->SetCurrentField(0);
    Key(VK_UP);
    Key(VK_UP);
    EXPECT_EQ(Picker->Date(), Day(2024, 3, 16));
    Type(u"20"); // "2" waits, "20" is outside the range
    EXPECT_EQ(Picker->Date(), Day(2024, 3, 16));
    Key(VK_RIGHT);
    Key(VK_DOWN); // February is outside
    EXPECT_EQ(Picker->Date(), Day(2024, 3, 16));
    Key(VK_LEFT);
    Type(u"12");
    EXPECT_EQ(Picker->Date(), Day(2024, 3, 12));
    EXPECT_EQ(Changes, 2);
    try {
        Picker->SetDate(Day(2024, 3, 17));
        FAIL() << "no exception";
    } catch (const Exception& E) {
        EXPECT_EQ(Narrow(E.Message()), "Date exceeds maximum of 3/16/2024");
    }
    EXPECT_THROW(Picker->SetDate(Day(2024, 3, 9)), Exception);
    // A narrower range brings the value inside, keeping the time of day.
    Picker->SetMinDate(Day(2024, 3, 14));
    EXPECT_EQ(Picker->DateTime(), EncodeDateTime(2024, 3, 14, 10, 30, 0, 0));
}

TEST_F(DateTimePickerTest, ChangesReachTheParentAndComeBackAsOnChange) {
    Picker->SetCurrentField(0);
    Key(VK_UP);
    ASSERT_EQ(Notices.size(), 1u);
    EXPECT_EQ(Notices[0].Code, DTN_DATETIMECHANGE);
    EXPECT_EQ(Notices[0].Flags, DWORD(GDT_VALID));
    EXPECT_EQ(Notices[0].Value, EncodeDateTime(2024, 3, 16, 10, 30, 0, 0));
    EXPECT_EQ(Changes, 1);
    // Setting the value from the program says nothing.
    Picker->SetDate(Day(2024, 5, 1));
    EXPECT_EQ(Notices.size(), 1u);
    // The system-time messages.
    SYSTEMTIME Time;
    EXPECT_EQ(SendMessage(Picker->Handle(), DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&Time)), GDT_VALID);
    EXPECT_EQ(Time.wYear, 2024);
    EXPECT_EQ(Time.wMonth, 5);
    EXPECT_EQ(Time.wDay, 1);
    EXPECT_EQ(Time.wHour, 10);
    Time.wDay = 31;
    Time.wMonth = 4; // no such day
    EXPECT_EQ(SendMessage(Picker->Handle(), DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&Time)), 0);
    Time.wDay = 30;
    EXPECT_EQ(SendMessage(Picker->Handle(), DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&Time)), 1);
    EXPECT_EQ(Picker->Date(), Day(2024, 4, 30));
}

TEST_F(DateTimePickerTest, TheCheckBoxIsAFieldAndReportsNoDate) {
    Picker->SetShowCheckbox(true);
    Picker->SetCurrentField(0);
    Key(VK_LEFT);
    EXPECT_EQ(Picker->CurrentField(), -1);
    Key(VK_SPACE);
    EXPECT_FALSE(Picker->Checked());
    ASSERT_EQ(Notices.size(), 1u);
    EXPECT_EQ(Notices[0].Flags, DWORD(GDT_NONE));
    SYSTEMTIME Time;
    EXPECT_EQ(SendMessage(Picker->Handle(), DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&Time)), GDT_NONE);
    // Editing a field checks the box again.
    Key(VK_RIGHT);
    Key(VK_UP);
    EXPECT_TRUE(Picker->Checked());
    EXPECT_EQ(Notices.back().Flags, DWORD(GDT_VALID));
    EXPECT_EQ(Picker->Date(), Day(2024, 3, 16));
    // A click on the box toggles it; GDT_NONE set from outside unchecks.
    ClickAt(Picker, {8, 10});
    EXPECT_FALSE(Picker->Checked());
    ClickAt(Picker, {8, 10});
    EXPECT_TRUE(Picker->Checked());
    EXPECT_EQ(SendMessage(Picker->Handle(), DTM_SETSYSTEMTIME, GDT_NONE, 0), 1);
    EXPECT_FALSE(Picker->Checked());
}

TEST_F(DateTimePickerTest, ClicksChooseTheFieldUnderThePoint) {
    // The point the auto-tab code posts picks the first field, with and
    // without the check box.
    Picker->SetCurrentField(2);
    ClickAt(Picker, {2, 2});
    EXPECT_EQ(Picker->CurrentField(), 0);
    Picker->SetShowCheckbox(true);
    Picker->SetCurrentField(2);
    ClickAt(Picker, {24, 2});
    EXPECT_EQ(Picker->CurrentField(), 0);
    EXPECT_TRUE(Picker->Checked());
    TRect Month = Picker->FieldRect(1);
    ClickAt(Picker, {Month.Left + 1, 10});
    EXPECT_EQ(Picker->CurrentField(), 1);
    // The up-down pair steps the current field.
    Picker->SetDateMode(dmUpDown);
    TRect Buttons = Picker->ButtonRect();
    ClickAt(Picker, {Buttons.Left + 3, Buttons.Top + 2});
    EXPECT_EQ(Picker->Date(), Day(2024, 4, 15));
    ClickAt(Picker, {Buttons.Left + 3, Buttons.Bottom - 2});
    ClickAt(Picker, {Buttons.Left + 3, Buttons.Bottom - 2});
    EXPECT_EQ(Picker->Date(), Day(2024, 2, 15));
}

TEST_F(DateTimePickerTest, TheCalendarDropsDownAndPicksADay) {
    Key(VK_F4);
    ASSERT_TRUE(Picker->DroppedDown());
    ASSERT_EQ(Notices.size(), 1u);
    EXPECT_EQ(Notices[0].Code, DTN_DROPDOWN);
    auto CalendarWindow = reinterpret_cast<HWND>(SendMessage(Picker->Handle(), DTM_GETMONTHCAL, 0, 0));
    ASSERT_NE(CalendarWindow, nullptr);
    TMonthCalendar* Calendar = Picker->Calendar();
    EXPECT_EQ(Calendar->Date(), Day(2024, 3, 15));
    EXPECT_TRUE(IsWindowVisible(CalendarWindow));
    // The keys move the calendar's day; Enter takes it.
    Key(VK_DOWN);
    Key(VK_RIGHT);
    EXPECT_EQ(Picker->Date(), Day(2024, 3, 15));
    Key(VK_RETURN);
    EXPECT_FALSE(Picker->DroppedDown());
    EXPECT_EQ(Picker->DateTime(), EncodeDateTime(2024, 3, 23, 10, 30, 0, 0));
    EXPECT_EQ(Notices.back().Code, DTN_CLOSEUP);
    EXPECT_EQ(Changes, 1);
    EXPECT_EQ(SendMessage(Picker->Handle(), DTM_GETMONTHCAL, 0, 0), 0);
    // Escape closes without a change; the button opens it again; a click
    // on a day takes that day; the keys stay with the picker.
    Key(VK_F4);
    Key(VK_LEFT);
    Key(VK_ESCAPE);
    EXPECT_FALSE(Picker->DroppedDown());
    EXPECT_EQ(Picker->Date(), Day(2024, 3, 23));
    TRect Button = Picker->ButtonRect();
    ClickAt(Picker, {(Button.Left + Button.Right) / 2, 10});
    ASSERT_TRUE(Picker->DroppedDown());
    ClickAt(Calendar, Center(Calendar->DayRect(Day(2024, 3, 5))));
    EXPECT_FALSE(Picker->DroppedDown());
    EXPECT_EQ(Picker->Date(), Day(2024, 3, 5));
    EXPECT_TRUE(Picker->Focused());
    // A day outside the range is refused and the calendar stays open.
    Picker->SetMinDate(Day(2024, 3, 4));
    Key(VK_F4);
    ClickAt(Calendar, Center(Calendar->DayRect(Day(2024, 3, 2))));
    EXPECT_TRUE(Picker->DroppedDown());
    EXPECT_EQ(Picker->Date(), Day(2024, 3, 5));
    // The grid sets the calendar's styles through its window.
    SetWindowLong(CalendarWindow, GWL_STYLE, GetWindowLong(CalendarWindow, GWL_STYLE) | MCS_NOTODAY);
    EXPECT_FALSE(Calendar->ShowToday());
    // Losing the focus closes the calendar.
    auto* Other = new TEdit(Form);
    Other->SetParent(Form);
    Other->SetTop(200);
    Other->SetFocus();
    Pump();
    EXPECT_FALSE(Picker->DroppedDown());
    // A time picker has no calendar.
    Picker->SetKind(dtkTime);
    Picker->SetFocus();
    Key(VK_F4);
    EXPECT_FALSE(Picker->DroppedDown());
}

TEST_F(DateTimePickerTest, TypedTextIsReadByTheApplication) {
    Picker->SetParseInput(true);
    Picker->SetFocus();
    Pump();
    String Heard;
    Picker->OnUserInput = [&](TObject*, const String& Text, TDateTime& Value, bool& Allow) {
        Heard = Text;
        if (Text == u"tomorrow") {
            Value = EncodeDate(2024, 3, 16);
            Allow = true;
        }
    };
    struct TCase {
        const Char* Typed;
        TDateTime Expected;
    };
    const TCase Cases[] = {
        {u"tomorrow", Day(2024, 3, 16)},
        {u"nonsense", Day(2024, 3, 15)}, // refused: the value stays
        {u"4/1/2024", Day(2024, 4, 1)},  // read with the program's settings
    };
    for (const TCase& Case : Cases) {
        Picker->SetDateTime(Day(2024, 3, 15));
        Key(VK_F2);
        for (size_t I = 0; I < 10; ++I) Key(VK_BACK);
        Type(Case.Typed);
        Key(VK_RETURN);
        EXPECT_EQ(Narrow(Heard), Narrow(Case.Typed));
        EXPECT_EQ(Picker->Date(), Case.Expected) << Narrow(Case.Typed);
    }
}

TEST_F(DateTimePickerTest, TheCurrentFieldIsHighlightedAndAnUncheckedPickerGrey) {
    Picker->SetShowCheckbox(true);
    Picker->SetCurrentField(1);
    Pump();
    TRect Month = Picker->FieldRect(1);
    TRect Year = Picker->FieldRect(2);
    EXPECT_EQ(ControlPixel(Picker, Month.Left, Month.Top + 1), ColorToRGB(clHighlight));
    EXPECT_EQ(ControlPixel(Picker, Year.Left + 1, Year.Top + 1), ColorToRGB(clWindow));
    // The check mark of the box.
    TRect Box = Picker->CheckboxRect();
    // The darkest pixel of an area (text is drawn smoothed, so its ink is
    // measured, not matched).
    auto Darkest = [&](const TRect& Area) {
        Integer Result = 255;
        for (Integer Y = Area.Top; Y < Area.Bottom; ++Y)
            for (Integer X = Area.Left; X < Area.Right; ++X)
                Result = std::min<Integer>(Result, GetRValue(ControlPixel(Picker, X, Y)));
        return Result;
    };
    TRect Mark{Box.Left + 3, Box.Top + 3, Box.Right - 3, Box.Bottom - 3};
    EXPECT_LT(Darkest(Mark), 64);
    EXPECT_LT(Darkest(Year), 64);
    Picker->SetChecked(false);
    Pump();
    EXPECT_GT(Darkest(Mark), 200);
    EXPECT_GE(Darkest(Year), 100); // grey text
    EXPECT_LT(Darkest(Year), 200);
    EXPECT_EQ(ControlPixel(Picker, Month.Left, Month.Top + 1), ColorToRGB(clWindow));
    if (const char* Folder = std::getenv("VANDREL_SCREENSHOTS"))
        SaveWindowToPng(Form->Handle(), FromUtf8(std::string(Folder) + "/date-time-picker.png"));
}

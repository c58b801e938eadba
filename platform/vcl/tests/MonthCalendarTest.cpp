// The month calendar: keys, clicks, paging, the range and today.

#include "VclTestSupport.h"
#include "vcl/MonthCalendar.h"
#include "windowing/Input.h"
#include "windowing/MessageQueue.h"

using namespace winapi;

namespace {

class MonthCalendarTest : public VclTest {
protected:
    void SetUp() override {
        VclTest::SetUp();
        Form = NewForm();
        Calendar = new TMonthCalendar(Form);
        Calendar->SetParent(Form);
        Calendar->SetLeft(10);
        Calendar->SetTop(10);
        Calendar->SetToday(EncodeDate(2024, 3, 20));
        Calendar->SetDate(EncodeDate(2024, 3, 15));
        Calendar->OnChange = [this](TObject*) { ++Changes; };
        Form->Show();
        Calendar->SetFocus();
        Pump();
    }
    void Key(Word VirtualKey) {
        headless::TypeKey(VirtualKey);
        Pump();
    }
    void ClickAt(TRect Rect) {
        TPoint At = Calendar->ClientToScreen({(Rect.Left + Rect.Right) / 2, (Rect.Top + Rect.Bottom) / 2});
        headless::Click(At.X, At.Y);
        Pump();
    }

    TForm* Form = nullptr;
    TMonthCalendar* Calendar = nullptr;
    Integer Changes = 0;
};

} // namespace

TEST_F(MonthCalendarTest, KeysMoveTheDate) {
    struct TCase {
        const char* Name;
        Word Key;
        TDateTime Expected;
    };
    const TCase Cases[] = {
        {"left", VK_LEFT, EncodeDate(2024, 3, 14)},      {"right", VK_RIGHT, EncodeDate(2024, 3, 16)},
        {"up", VK_UP, EncodeDate(2024, 3, 8)},           {"down", VK_DOWN, EncodeDate(2024, 3, 22)},
        {"page up", VK_PRIOR, EncodeDate(2024, 2, 15)},  {"page down", VK_NEXT, EncodeDate(2024, 4, 15)},
        {"home", VK_HOME, EncodeDate(2024, 3, 1)},       {"end", VK_END, EncodeDate(2024, 3, 31)},
    };
    for (const TCase& Case : Cases) {
        Calendar->SetDate(EncodeDate(2024, 3, 15));
        Key(Case.Key);
        EXPECT_EQ(Calendar->Date(), Case.Expected) << Case.Name;
        Word Year, Month, Day;
        DecodeDate(Case.Expected, Year, Month, Day);
        EXPECT_EQ(Calendar->ShownMonth(), EncodeDate(Year, Month, 1)) << Case.Name;
    }
    EXPECT_EQ(Changes, 8);
    // Down across the month's end turns the page.
    Calendar->SetDate(EncodeDate(2024, 3, 28));
    Key(VK_DOWN);
    EXPECT_EQ(Calendar->Date(), EncodeDate(2024, 4, 4));
    EXPECT_EQ(Calendar->ShownMonth(), EncodeDate(2024, 4, 1));
}

TEST_F(MonthCalendarTest, DatesOutsideTheRangeAreRefused) {
    Calendar->SetMinDate(EncodeDate(2024, 3, 10));
    Calendar->SetMaxDate(EncodeDate(2024, 3, 16));
    Key(VK_DOWN);
    EXPECT_EQ(Calendar->Date(), EncodeDate(2024, 3, 15));
    Key(VK_RIGHT);
    Key(VK_RIGHT);
    EXPECT_EQ(Calendar->Date(), EncodeDate(2024, 3, 16));
    ClickAt(Calendar->DayRect(EncodeDate(2024, 3, 5)));
    EXPECT_EQ(Calendar->Date(), EncodeDate(2024, 3, 16));
    EXPECT_EQ(Changes, 1);
    EXPECT_THROW(Calendar->SetDate(EncodeDate(2024, 3, 17)), Exception);
    // A narrower range brings the date inside.
    Calendar->SetMaxDate(EncodeDate(2024, 3, 12));
    EXPECT_EQ(Calendar->Date(), EncodeDate(2024, 3, 12));
}

TEST_F(MonthCalendarTest, ClicksPickDaysPageMonthsAndChooseToday) {
    ClickAt(Calendar->DayRect(EncodeDate(2024, 3, 5)));
    EXPECT_EQ(Calendar->Date(), EncodeDate(2024, 3, 5));
    // A grey day of the next month picks it and turns the page.
    ClickAt(Calendar->DayRect(EncodeDate(2024, 4, 2)));
    EXPECT_EQ(Calendar->Date(), EncodeDate(2024, 4, 2));
    EXPECT_EQ(Calendar->ShownMonth(), EncodeDate(2024, 4, 1));
    ClickAt(Calendar->PreviousButton());
    ClickAt(Calendar->PreviousButton());
    EXPECT_EQ(Calendar->ShownMonth(), EncodeDate(2024, 2, 1));
    EXPECT_EQ(Calendar->Date(), EncodeDate(2024, 4, 2)); // paging alone keeps the date
    ClickAt(Calendar->TodayRect());
    EXPECT_EQ(Calendar->Date(), EncodeDate(2024, 3, 20));
    EXPECT_EQ(Calendar->ShownMonth(), EncodeDate(2024, 3, 1));
    TRect Minimum;
    SendMessage(Calendar->Handle(), MCM_GETMINREQRECT, 0, reinterpret_cast<LPARAM>(&Minimum));
    EXPECT_EQ(Minimum.Width(), Calendar->Width());
}

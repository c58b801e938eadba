#pragma once
// The month calendar: one month as a table of days, weeks from Sunday.
//
// A title with the month and year sits between two arrows that page to the
// previous and the next month; below it the weekday names, six weeks of
// days (the days of the months before and after shown grey), and, unless
// MCS_NOTODAY is set, "Today: " with today's date, which a click selects.
// Today's day is ringed unless MCS_NOTODAYCIRCLE is set. A click on a day
// selects it (a grey day also turns the page); the arrow keys move a day or
// a week, Page Up and Page Down a month, Home and End to the month's first
// and last day. A date outside MinDate..MaxDate is refused. Every change of
// the date by the user runs OnClick, then OnChange.

#include "rtl/DateTime.h"
#include "vcl/Controls.h"

namespace winapi {

// Styles of month calendars.
enum : DWORD {
    MCS_WEEKNUMBERS = 0x0004,
    MCS_NOTODAYCIRCLE = 0x0008,
    MCS_NOTODAY = 0x0010,
};

// Messages of month calendars.
enum : UINT {
    MCM_GETMINREQRECT = 0x1009, // LParam TRect*: the smallest size that shows one month
};

} // namespace winapi

class TMonthCalendar : public TCustomControl {
    RTL_CLASS(TMonthCalendar)
public:
    explicit TMonthCalendar(TComponent* AOwner);

    // The selected date (a whole day).
    TDateTime Date() const { return FDate; }
    // Takes Value's day, shown in its month; raises EDateTimeError outside
    // MinDate..MaxDate.
    void SetDate(TDateTime Value);
    // 0: no limit.
    TDateTime MinDate() const { return FMinDate; }
    void SetMinDate(TDateTime Value);
    TDateTime MaxDate() const { return FMaxDate; }
    void SetMaxDate(TDateTime Value);
    // The first day of the month shown.
    TDateTime ShownMonth() const { return FShown; }
    void SetShownMonth(TDateTime Value);
    // Today as the calendar marks it (the clock's date unless set, for tests
    // and for callers that have their own idea of today).
    TDateTime Today() const;
    void SetToday(TDateTime Value) { FToday = Value; Invalidate(); }
    bool ShowToday() const { return FShowToday; }
    void SetShowToday(bool Value);
    bool ShowTodayCircle() const { return FShowTodayCircle; }
    void SetShowTodayCircle(bool Value);

    // Whether Value lies within MinDate..MaxDate.
    bool InRange(TDateTime Value) const;
    // The client rectangle of a day of the shown page (empty when it is not on it).
    TRect DayRect(TDateTime Value) const;
    // The rectangles of the arrows and of the "Today: " line.
    TRect PreviousButton() const;
    TRect NextButton() const;
    TRect TodayRect() const;
    // The smallest size that shows a month.
    TSize MinimumSize() const;

    TNotifyEvent OnChange;

    void WndProc(TMessage& Message) override;

protected:
    void CreateParams(TCreateParams& Params) override;
    void Paint() override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    // The user picked a date: refused outside the range; otherwise set,
    // shown and announced.
    virtual void UserSelect(TDateTime Value);
    // Whether a click gives the calendar the focus (not for a pop-up that
    // leaves the keys with its owner).
    virtual bool TakesFocusOnClick() const { return true; }

private:
    struct TLayout {
        Integer CellWidth;
        Integer CellHeight;
        Integer TitleHeight;
        TPoint Days; // top left of the first week's row
    };
    TLayout Layout() const;
    // The first day shown on the page (the Sunday on or before the 1st).
    TDateTime FirstShownDay() const;

    TDateTime FDate = 0;
    TDateTime FMinDate = 0;
    TDateTime FMaxDate = 0;
    TDateTime FShown = 0;
    TDateTime FToday = 0;
    bool FShowToday = true;
    bool FShowTodayCircle = true;
};

#pragma once
// The date-time picker: a date or a time shown as fields (day, month, year,
// hour, minute, second, AM/PM) laid out by a display format.
//
// One field at a time is current; Left and Right (and a click) choose it,
// Home and End the first and the last. Digits type into the current field
// (a field is complete after two digits, four for a year; the next digit
// starts it again); Up and Down step it, wrapping within the field. A value
// the user makes that is not a date, or lies outside MinDate..MaxDate, is
// refused and the field stays as it was. With ShowCheckbox a check box sits
// before the fields (a field of its own for the keys; Space toggles it); an
// unchecked picker greys its fields and reports no date, and any edit of a
// field checks it again.
//
// A date picker in DateMode dmComboBox opens a month calendar below itself
// with its button, F4 or Alt+Down; a day clicked there (or Enter) takes the
// calendar's date and closes it, Escape closes it unchanged. In dmUpDown,
// and always for times, an up-down pair at the right steps the field.
// With ParseInput, F2 lets the user type the whole value as text; Enter
// asks the application (DTN_USERSTRINGW, OnUserInput) to read it.
//
// Every change of the value by the user sends DTN_DATETIMECHANGE to the
// parent (which passes it back here: OnChange); opening and closing the
// calendar send DTN_DROPDOWN and DTN_CLOSEUP (OnDropDown, OnCloseUp).
//
// Format: d dd (day), ddd dddd (weekday names, shown only), M MM MMM MMMM
// (month), y yy yyyy (year), h hh (hour 1-12), H HH (hour 0-23), m mm
// (minute), s ss (second), t tt (A/P, AM/PM); text in single quotes and any
// other character are literals. An empty Format shows the program's short
// or long date format, or its long time format.

#include "rtl/DateTime.h"
#include "vcl/Controls.h"

#include <memory>
#include <vector>

namespace winapi {

struct SYSTEMTIME {
    Word wYear = 0;
    Word wMonth = 0;
    Word wDayOfWeek = 0;
    Word wDay = 0;
    Word wHour = 0;
    Word wMinute = 0;
    Word wSecond = 0;
    Word wMilliseconds = 0;
};

// Styles of date-time pickers.
enum : DWORD {
    DTS_UPDOWN = 0x0001,
    DTS_SHOWNONE = 0x0002,
    DTS_LONGDATEFORMAT = 0x0004,
    DTS_TIMEFORMAT = 0x0009,
    DTS_APPCANPARSE = 0x0010,
    DTS_RIGHTALIGN = 0x0020,
};

// Messages of date-time pickers.
enum : UINT {
    DTM_GETSYSTEMTIME = 0x1001, // LParam SYSTEMTIME*; answers GDT_VALID or GDT_NONE
    DTM_SETSYSTEMTIME = 0x1002, // WParam GDT_VALID or GDT_NONE, LParam SYSTEMTIME*
    DTM_GETMONTHCAL = 0x1008,   // the calendar's window while it is dropped down, else null
    DTM_SETFORMATW = 0x1032,    // LParam const Char* (null: the default format)
};

// What a picker's value is: a date, no date (unchecked) or an error.
enum : Integer {
    GDT_ERROR = -1,
    GDT_VALID = 0,
    GDT_NONE = 1,
};

// Notification codes (NMHDR::code) of date-time pickers.
enum : UINT {
    DTN_USERSTRINGW = UINT(-745),
    DTN_CLOSEUP = UINT(-753),
    DTN_DROPDOWN = UINT(-754),
    DTN_DATETIMECHANGE = UINT(-759),
};

// DTN_DATETIMECHANGE: the new value, dwFlags GDT_VALID or GDT_NONE.
struct NMDATETIMECHANGE {
    NMHDR nmhdr;
    DWORD dwFlags = 0;
    SYSTEMTIME st;
};

// DTN_USERSTRINGW: the text the user typed; the receiver fills st and
// dwFlags (GDT_VALID takes st, GDT_NONE unchecks, GDT_ERROR refuses).
struct NMDATETIMESTRINGW {
    NMHDR nmhdr;
    const Char* pszUserString = nullptr;
    SYSTEMTIME st;
    DWORD dwFlags = 0;
};

} // namespace winapi

// A date-time and the system-time record that carries it in messages.
winapi::SYSTEMTIME DateTimeToSystemTime(TDateTime Value);
// False when the record is not a valid date and time.
bool TrySystemTimeToDateTime(const winapi::SYSTEMTIME& Time, TDateTime& Value);

RTL_ENUM(TDateTimeKind, dtkDate, dtkTime)
RTL_ENUM(TDTDateMode, dmComboBox, dmUpDown)
RTL_ENUM(TDTDateFormat, dfShort, dfLong)

class TDateTimePicker;
class TMonthCalendar;

// DTN_USERSTRINGW reaching the picker: Text is what the user typed; the
// handler sets DateAndTime and AllowChange (false refuses the text).
using TDTParseInputEvent =
    std::function<void(TObject* Sender, const String& UserString, TDateTime& DateAndTime, bool& AllowChange)>;

namespace detail {
class TDateTimeFields;
class TPickerCalendar;
} // namespace detail

class TDateTimePicker : public TCustomControl {
    RTL_CLASS(TDateTimePicker)
public:
    explicit TDateTimePicker(TComponent* AOwner);
    ~TDateTimePicker() override;

    // The whole value: the date and the time of day.
    TDateTime DateTime() const { return FDateTime; }
    // Raises an exception outside MinDate..MaxDate.
    void SetDateTime(TDateTime Value);
    // The date part (whole days); setting it keeps the time of day.
    TDateTime Date() const;
    void SetDate(TDateTime Value);
    // The time of day; setting it keeps the date.
    TDateTime Time() const;
    void SetTime(TDateTime Value);

    TDateTimeKind Kind() const { return FKind; }
    void SetKind(TDateTimeKind Value);
    TDTDateMode DateMode() const { return FDateMode; }
    void SetDateMode(TDTDateMode Value);
    TDTDateFormat DateFormat() const { return FDateFormat; }
    void SetDateFormat(TDTDateFormat Value);
    // The display format (empty: the program's default for the kind).
    const String& Format() const { return FFormat; }
    void SetFormat(const String& Value);
    // The limits of the date (whole days; 0: none).
    TDateTime MinDate() const { return FMinDate; }
    void SetMinDate(TDateTime Value);
    TDateTime MaxDate() const { return FMaxDate; }
    void SetMaxDate(TDateTime Value);
    bool ShowCheckbox() const { return FShowCheckbox; }
    void SetShowCheckbox(bool Value);
    bool Checked() const { return FChecked; }
    void SetChecked(bool Value);
    bool ParseInput() const { return FParseInput; }
    void SetParseInput(bool Value);
    // Whether the calendar is open.
    bool DroppedDown() const { return FDroppedDown; }
    void SetDroppedDown(bool Value);
    // The calendar (created at its first opening; null before).
    TMonthCalendar* Calendar() const;

    // The value as the fields show it.
    String Text() const;
    // The fields that can be chosen, in order; -1 is the check box.
    Integer FieldCount() const;
    Integer CurrentField() const { return FField; }
    void SetCurrentField(Integer Index);
    // The client rectangle of a field, the check box, the button (or the
    // up-down pair: its upper and lower halves).
    TRect FieldRect(Integer Index) const;
    TRect CheckboxRect() const;
    TRect ButtonRect() const;

    TNotifyEvent OnChange;
    TNotifyEvent OnDropDown;
    TNotifyEvent OnCloseUp;
    TDTParseInputEvent OnUserInput;

    void WndProc(TMessage& Message) override;

protected:
    void CreateParams(TCreateParams& Params) override;
    void Paint() override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyPress(Char& Key) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    virtual void Change();
    virtual void DropDown();
    virtual void CloseUp();

private:
    friend class detail::TPickerCalendar;
    const detail::TDateTimeFields& Fields() const;
    void FormatChanged();
    bool InRange(TDateTime Value) const;
    // A change made by the user: refused (false) when not allowed; else
    // taken, checked and announced.
    bool UserChange(TDateTime Value);
    void NotifyParent(winapi::UINT Code, winapi::NMHDR& Header);
    void NotifyChange();
    void Step(Integer Delta);
    void TypeDigit(Integer Digit);
    void FinishTyping();
    void MoveField(Integer Delta);
    void CalendarPicked(TDateTime Value);
    void PlaceCalendar();
    void CommitUserString();
    bool UsesUpDown() const { return FKind == dtkTime || FDateMode == dmUpDown; }

    TDateTime FDateTime = 0;
    TDateTimeKind FKind = dtkDate;
    TDTDateMode FDateMode = dmComboBox;
    TDTDateFormat FDateFormat = dfShort;
    String FFormat;
    TDateTime FMinDate = 0;
    TDateTime FMaxDate = 0;
    bool FShowCheckbox = false;
    bool FChecked = true;
    bool FParseInput = false;
    bool FDroppedDown = false;
    Integer FField = 0;
    String FTyped;             // digits typed into the current field so far
    bool FEditingText = false; // F2 text entry with ParseInput
    String FUserText;
    mutable std::unique_ptr<detail::TDateTimeFields> FFields;
    detail::TPickerCalendar* FCalendar = nullptr;
};

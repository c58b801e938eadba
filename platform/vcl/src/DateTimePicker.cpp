// The date-time picker: fields, the caret among them, typing and stepping,
// the check box, the drop-down calendar, text entry and the notifications.

#include "vcl/DateTimePicker.h"

#include "DateTimeFields.h"
#include "graphics/DeviceContext.h"
#include "graphics/GdiControls.h"
#include "graphics/GdiText.h"
#include "rtl/ClassBuilder.h"
#include "rtl/Convert.h"
#include "vcl/MonthCalendar.h"
#include "windowing/Input.h"
#include "windowing/MessageQueue.h"
#include "windowing/SystemMetrics.h"
#include "windowing/Window.h"

#include <algorithm>
#include <cmath>

using namespace winapi;

const TClassInfo& TDateTimePicker::StaticClassInfo() {
    using P = TDateTimePicker;
    static const TClassInfo Info =
        TClassBuilder<P, TCustomControl>()
            .Property(u"DateTime", &P::DateTime, &P::SetDateTime)
            .Property(u"Date", &P::Date, &P::SetDate)
            .Property(u"Time", &P::Time, &P::SetTime)
            .Property(u"Kind", &P::Kind, &P::SetKind)
            .Default(dtkDate)
            .Property(u"DateMode", &P::DateMode, &P::SetDateMode)
            .Default(dmComboBox)
            .Property(u"DateFormat", &P::DateFormat, &P::SetDateFormat)
            .Default(dfShort)
            .Property(u"Format", &P::Format, &P::SetFormat)
            .Property(u"MinDate", &P::MinDate, &P::SetMinDate)
            .Property(u"MaxDate", &P::MaxDate, &P::SetMaxDate)
            .Property(u"ShowCheckbox", &P::ShowCheckbox, &P::SetShowCheckbox)
            .Default(false)
            .Property(u"Checked", &P::Checked, &P::SetChecked)
            .Default(true)
            .Property(u"ParseInput", &P::ParseInput, &P::SetParseInput)
            .Default(false)
            .Property(u"OnChange", &P::OnChange, [](P& C, TNotifyEvent E) { C.OnChange = std::move(E); })
            .Property(u"OnDropDown", &P::OnDropDown, [](P& C, TNotifyEvent E) { C.OnDropDown = std::move(E); })
            .Property(u"OnCloseUp", &P::OnCloseUp, [](P& C, TNotifyEvent E) { C.OnCloseUp = std::move(E); })
            .Build();
    return Info;
}

SYSTEMTIME DateTimeToSystemTime(TDateTime Value) {
    SYSTEMTIME Result;
    DecodeDateTime(Value, Result.wYear, Result.wMonth, Result.wDay, Result.wHour, Result.wMinute, Result.wSecond,
                   Result.wMilliseconds);
    Result.wDayOfWeek = Word(DayOfWeek(Value) - 1);
    return Result;
}

bool TrySystemTimeToDateTime(const SYSTEMTIME& Time, TDateTime& Value) {
    return TryEncodeDateTime(Time.wYear, Time.wMonth, Time.wDay, Time.wHour, Time.wMinute, Time.wSecond,
                             Time.wMilliseconds, Value);
}

namespace detail {

// The drop-down calendar: a pop-up that leaves the focus and the keys with
// the picker; a day clicked is the picker's new date.
class TPickerCalendar : public TMonthCalendar {
public:
    explicit TPickerCalendar(TDateTimePicker& Picker) : TMonthCalendar(&Picker), FPicker(Picker) {
        SetVisible(false);
        SetTabStop(false);
    }
    // Keys the picker passes on while the calendar is open.
    void Key(Word VirtualKey) {
        Word Key = VirtualKey;
        KeyDown(Key, TShiftState{});
    }

protected:
    void CreateParams(TCreateParams& Params) override {
        TMonthCalendar::CreateParams(Params);
        Params.Style = (Params.Style & ~DWORD(WS_CHILD)) | WS_POPUP | WS_BORDER;
        Params.ExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE;
        Params.WndParent = nullptr;
    }
    bool TakesFocusOnClick() const override { return false; }
    void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override {
        FByMouse = Button == mbLeft;
        TMonthCalendar::MouseDown(Button, Shift, X, Y);
        FByMouse = false;
    }
    void UserSelect(TDateTime Value) override {
        TMonthCalendar::UserSelect(Value);
        if (FByMouse && InRange(Value)) FPicker.CalendarPicked(Date());
    }

private:
    TDateTimePicker& FPicker;
    bool FByMouse = false;
};

} // namespace detail

using detail::TDateTimeFields;
using detail::TFieldKind;
using detail::TFieldPart;

namespace {

constexpr Integer CheckboxSize = 13;
constexpr Integer CheckboxRoom = 20; // the fields start here when the check box shows
constexpr Integer TextLeft = 2;

TDateTime WholeDay(TDateTime Value) {
    return std::floor(Value);
}

TDateTime TimeOfDay(TDateTime Value) {
    return Value - std::floor(Value);
}

// Measures text in a font without a window.
class TTextMeasure {
public:
    explicit TTextMeasure(const TFont* Font) : FDC(CreateCompatibleDC(nullptr)) {
        FOld = SelectObject(FDC, Font->Handle());
    }
    ~TTextMeasure() {
        SelectObject(FDC, FOld);
        DeleteDC(FDC);
    }
    TTextMeasure(const TTextMeasure&) = delete;
    TTextMeasure& operator=(const TTextMeasure&) = delete;
    Integer Width(const String& Text) const {
        if (Text.empty()) return 0;
        TSize Size;
        GetTextExtentPoint32(FDC, Text, Size);
        return Size.cx;
    }

private:
    HDC FDC;
    HGDIOBJ FOld;
};

} // namespace

TDateTimePicker::TDateTimePicker(TComponent* AOwner) : TCustomControl(AOwner) {
    SetControlStyle(TControlStyle{csCaptureMouse, csClickEvents, csOpaque, csDoubleClicks, csFixedHeight});
    InitAppearance(true, clWindow, true);
    SetTabStop(true);
    FDateTime = ::Now();
    SetBounds(0, 0, 186, 21);
}

TDateTimePicker::~TDateTimePicker() = default;

void TDateTimePicker::CreateParams(TCreateParams& Params) {
    TCustomControl::CreateParams(Params);
    Params.ExStyle |= WS_EX_CLIENTEDGE;
    if (FKind == dtkTime) Params.Style |= DTS_TIMEFORMAT;
    if (FKind == dtkDate && FDateMode == dmUpDown) Params.Style |= DTS_UPDOWN;
    if (FKind == dtkDate && FDateFormat == dfLong) Params.Style |= DTS_LONGDATEFORMAT;
    if (FShowCheckbox) Params.Style |= DTS_SHOWNONE;
    if (FParseInput) Params.Style |= DTS_APPCANPARSE;
}

// ---- The format ----

const TDateTimeFields& TDateTimePicker::Fields() const {
    if (!FFields) {
        String Format = FFormat;
        if (Format.empty()) {
            const TFormatSettings& S = FormatSettings;
            bool Time = FKind == dtkTime;
            String Program = Time ? S.LongTimeFormat : FDateFormat == dfLong ? S.LongDateFormat : S.ShortDateFormat;
            Format = TDateTimeFields::FromProgramFormat(Program, Time, S);
        }
        FFields = std::make_unique<TDateTimeFields>(Format);
    }
    return *FFields;
}

void TDateTimePicker::FormatChanged() {
    FFields.reset();
    FTyped.clear();
    FField = std::clamp(FField, FShowCheckbox ? -1 : 0, std::max(FieldCount() - 1, 0));
    Invalidate();
}

String TDateTimePicker::Text() const {
    return Fields().Text(FDateTime);
}

Integer TDateTimePicker::FieldCount() const {
    return Integer(Fields().Editable().size());
}

void TDateTimePicker::SetCurrentField(Integer Index) {
    Integer Lowest = FShowCheckbox ? -1 : 0;
    Index = std::clamp(Index, Lowest, std::max(FieldCount() - 1, 0));
    if (Index == FField) return;
    FinishTyping();
    FField = Index;
    Invalidate();
}

// ---- Properties ----

void TDateTimePicker::SetDateTime(TDateTime Value) {
    if (FMinDate != 0 && WholeDay(Value) < FMinDate)
        throw Exception(u"Date is less than minimum of %s", {DateToStr(FMinDate)});
    if (FMaxDate != 0 && WholeDay(Value) > FMaxDate)
        throw Exception(u"Date exceeds maximum of %s", {DateToStr(FMaxDate)});
    FTyped.clear();
    if (Value == FDateTime) return;
    FDateTime = Value;
    if (FCalendar && FDroppedDown) FCalendar->SetDate(Value);
    Invalidate();
}

TDateTime TDateTimePicker::Date() const {
    return WholeDay(FDateTime);
}

void TDateTimePicker::SetDate(TDateTime Value) {
    SetDateTime(WholeDay(Value) + TimeOfDay(FDateTime));
}

TDateTime TDateTimePicker::Time() const {
    return TimeOfDay(FDateTime);
}

void TDateTimePicker::SetTime(TDateTime Value) {
    SetDateTime(WholeDay(FDateTime) + TimeOfDay(Value));
}

void TDateTimePicker::SetKind(TDateTimeKind Value) {
    if (FKind == Value) return;
    SetDroppedDown(false);
    FKind = Value;
    if (HandleAllocated()) RecreateWnd();
    FormatChanged();
}

void TDateTimePicker::SetDateMode(TDTDateMode Value) {
    if (FDateMode == Value) return;
    SetDroppedDown(false);
    FDateMode = Value;
    if (HandleAllocated()) RecreateWnd();
    Invalidate();
}

void TDateTimePicker::SetDateFormat(TDTDateFormat Value) {
    if (FDateFormat == Value) return;
    FDateFormat = Value;
    if (HandleAllocated()) RecreateWnd();
    FormatChanged();
}

void TDateTimePicker::SetFormat(const String& Value) {
    if (FFormat == Value) return;
    FFormat = Value;
    FormatChanged();
}

void TDateTimePicker::SetMinDate(TDateTime Value) {
    FMinDate = Value == 0 ? 0 : WholeDay(Value);
    if (FMinDate != 0 && WholeDay(FDateTime) < FMinDate) FDateTime = FMinDate + TimeOfDay(FDateTime);
    if (FCalendar) FCalendar->SetMinDate(FMinDate);
    Invalidate();
}

void TDateTimePicker::SetMaxDate(TDateTime Value) {
    FMaxDate = Value == 0 ? 0 : WholeDay(Value);
    if (FMaxDate != 0 && WholeDay(FDateTime) > FMaxDate) FDateTime = FMaxDate + TimeOfDay(FDateTime);
    if (FCalendar) FCalendar->SetMaxDate(FMaxDate);
    Invalidate();
}

void TDateTimePicker::SetShowCheckbox(bool Value) {
    if (FShowCheckbox == Value) return;
    FShowCheckbox = Value;
    if (!Value) FChecked = true;
    if (HandleAllocated()) RecreateWnd();
    FormatChanged();
}

void TDateTimePicker::SetChecked(bool Value) {
    if (FChecked == Value || !FShowCheckbox) return;
    FChecked = Value;
    Invalidate();
}

void TDateTimePicker::SetParseInput(bool Value) {
    if (FParseInput == Value) return;
    FParseInput = Value;
    if (HandleAllocated()) RecreateWnd();
}

TMonthCalendar* TDateTimePicker::Calendar() const {
    return FCalendar;
}

bool TDateTimePicker::InRange(TDateTime Value) const {
    TDateTime Day = WholeDay(Value);
    return (FMinDate == 0 || Day >= FMinDate) && (FMaxDate == 0 || Day <= FMaxDate);
}

// ---- Notifications ----

void TDateTimePicker::NotifyParent(UINT Code, NMHDR& Header) {
    Header.hwndFrom = HandleAllocated() ? Handle() : nullptr;
    Header.idFrom = 0;
    Header.code = Code;
    LPARAM Record = reinterpret_cast<LPARAM>(&Header);
    if (HandleAllocated() && Parent() && Parent()->HandleAllocated())
        SendMessage(Parent()->Handle(), WM_NOTIFY, 0, Record);
    else
        Perform(CN_NOTIFY, 0, Record);
}

void TDateTimePicker::NotifyChange() {
    NMDATETIMECHANGE Change;
    Change.dwFlags = FChecked ? DWORD(GDT_VALID) : DWORD(GDT_NONE);
    Change.st = DateTimeToSystemTime(FDateTime);
    NotifyParent(DTN_DATETIMECHANGE, Change.nmhdr);
}

bool TDateTimePicker::UserChange(TDateTime Value) {
    if (!InRange(Value)) return false;
    bool WasChecked = FChecked;
    FChecked = true;
    if (Value == FDateTime && WasChecked) return true;
    FDateTime = Value;
    Invalidate();
    NotifyChange();
    return true;
}

void TDateTimePicker::Change() {
    if (OnChange) OnChange(this);
}

void TDateTimePicker::DropDown() {
    if (OnDropDown) OnDropDown(this);
}

void TDateTimePicker::CloseUp() {
    if (OnCloseUp) OnCloseUp(this);
}

// ---- Editing the fields ----

void TDateTimePicker::MoveField(Integer Delta) {
    Integer Lowest = FShowCheckbox ? -1 : 0;
    Integer Count = FieldCount() - Lowest;
    if (Count <= 0) return;
    SetCurrentField(Lowest + ((FField - Lowest + Delta) % Count + Count) % Count);
}

void TDateTimePicker::Step(Integer Delta) {
    FinishTyping();
    if (FField < 0 || FField >= FieldCount()) return;
    const TFieldPart& Part = Fields().Parts()[size_t(Fields().Editable()[size_t(FField)])];
    UserChange(Fields().Step(Part, FDateTime, Delta));
}

// Digits build the number of the current field. A number that is complete
// (as many digits as the field has, or one that no further digit can
// extend) is taken or, when it makes no valid date in range, refused with
// the field as it was; a first digit that is already a valid value shows
// at once and the field waits for a second.
void TDateTimePicker::TypeDigit(Integer Digit) {
    if (FField < 0 || FField >= FieldCount()) return;
    const TFieldPart& Part = Fields().Parts()[size_t(Fields().Editable()[size_t(FField)])];
    Integer Digits = TDateTimeFields::Digits(Part);
    if (Digits == 0) return;
    FTyped += Char(u'0' + Digit);
    Integer Number = StrToInt(FTyped);
    bool Complete = Integer(FTyped.size()) >= Digits || Number * 10 > TDateTimeFields::Largest(Part);
    if (Part.Kind == TFieldKind::Year) {
        Invalidate();
        if (!Complete) return;
        FinishTyping();
        return;
    }
    TDateTime Result;
    bool Valid = Fields().SetPart(Part, FDateTime, Number, Result) && InRange(Result);
    if (Complete) FTyped.clear();
    if (Valid) {
        UserChange(Result);
    } else if (Complete) {
        // The number cannot be taken; what the field showed stays.
        Invalidate();
    }
    Invalidate();
}

// Takes the digits still waiting in a year field (a two-digit year stays in
// the century of the current value) and ends the typing of the field.
void TDateTimePicker::FinishTyping() {
    if (FTyped.empty()) return;
    String Typed = FTyped;
    FTyped.clear();
    Invalidate();
    if (FField < 0 || FField >= FieldCount()) return;
    const TFieldPart& Part = Fields().Parts()[size_t(Fields().Editable()[size_t(FField)])];
    if (Part.Kind != TFieldKind::Year) return;
    Integer Number = StrToInt(Typed);
    if (Typed.size() <= 2) {
        Word Year, Month, Day;
        DecodeDate(FDateTime, Year, Month, Day);
        Number += Year / 100 * 100;
    }
    TDateTime Result;
    if (Fields().SetPart(Part, FDateTime, Number, Result) && InRange(Result)) UserChange(Result);
}

// ---- The calendar ----

void TDateTimePicker::SetDroppedDown(bool Value) {
    if (Value && (FKind != dtkDate || FDateMode != dmComboBox)) return;
    if (Value == FDroppedDown) return;
    if (Value) {
        FinishTyping();
        HandleNeeded();
        if (!FCalendar) FCalendar = new detail::TPickerCalendar(*this);
        FCalendar->Font()->Assign(Font());
        FCalendar->SetMinDate(0);
        FCalendar->SetMaxDate(0);
        FCalendar->SetDate(FDateTime);
        FCalendar->SetMinDate(FMinDate);
        FCalendar->SetMaxDate(FMaxDate);
        FDroppedDown = true;
        PlaceCalendar();
        NMHDR Header;
        NotifyParent(DTN_DROPDOWN, Header);
    } else {
        FDroppedDown = false;
        if (FCalendar && FCalendar->HandleAllocated()) ShowWindow(FCalendar->Handle(), SW_HIDE);
        NMHDR Header;
        NotifyParent(DTN_CLOSEUP, Header);
    }
    Invalidate();
}

// Below the picker, its right edge under the picker's with DTS_RIGHTALIGN
// set, its left edge otherwise; above it when the screen has no room below.
void TDateTimePicker::PlaceCalendar() {
    TRect Window;
    GetWindowRect(Handle(), Window);
    FCalendar->HandleNeeded();
    TSize Size = FCalendar->MinimumSize();
    FCalendar->SetBounds(Window.Left, Window.Bottom, Size.cx, Size.cy);
    FCalendar->SetClientWidth(Size.cx);
    FCalendar->SetClientHeight(Size.cy);
    Integer Width = FCalendar->Width();
    Integer Height = FCalendar->Height();
    Integer Top = Window.Bottom;
    if (Top + Height > GetSystemMetrics(SM_CYSCREEN) && Window.Top - Height >= 0) Top = Window.Top - Height;
    Integer Left = std::clamp(Window.Left, 0, std::max(GetSystemMetrics(SM_CXSCREEN) - Width, 0));
    FCalendar->SetBounds(Left, Top, Width, Height);
    SetWindowPos(FCalendar->Handle(), HWND_TOPMOST, Left, Top, Width, Height, SWP_SHOWWINDOW | SWP_NOACTIVATE);
    FCalendar->Invalidate();
}

void TDateTimePicker::CalendarPicked(TDateTime Value) {
    UserChange(WholeDay(Value) + TimeOfDay(FDateTime));
    SetDroppedDown(false);
}

// ---- Text entry ----

void TDateTimePicker::CommitUserString() {
    FEditingText = false;
    Invalidate();
    NMDATETIMESTRINGW Request;
    Request.pszUserString = FUserText.c_str();
    Request.st = DateTimeToSystemTime(FDateTime);
    Request.dwFlags = DWORD(GDT_VALID);
    NotifyParent(DTN_USERSTRINGW, Request.nmhdr);
    if (Request.dwFlags == DWORD(GDT_NONE)) {
        if (FShowCheckbox && FChecked) {
            FChecked = false;
            NotifyChange();
        }
        return;
    }
    TDateTime Value;
    if (Request.dwFlags != DWORD(GDT_VALID) || !TrySystemTimeToDateTime(Request.st, Value)) return;
    UserChange(Value);
}

// ---- Geometry and painting ----

TRect TDateTimePicker::CheckboxRect() const {
    if (!FShowCheckbox) return {};
    Integer Top = (ClientHeight() - CheckboxSize) / 2;
    return {3, Top, 3 + CheckboxSize, Top + CheckboxSize};
}

TRect TDateTimePicker::ButtonRect() const {
    Integer Right = ClientWidth();
    return {std::max(Right - GetSystemMetrics(SM_CXVSCROLL), 0), 0, Right, ClientHeight()};
}

TRect TDateTimePicker::FieldRect(Integer Index) const {
    if (Index < 0) return CheckboxRect();
    if (Index >= FieldCount()) return {};
    TTextMeasure Measure(Font());
    const auto& Parts = Fields().Parts();
    Integer Target = Fields().Editable()[size_t(Index)];
    Integer X = FShowCheckbox ? CheckboxRoom : TextLeft;
    for (Integer I = 0; I < Target; ++I) X += Measure.Width(Fields().PartText(Parts[size_t(I)], FDateTime));
    Integer Width = Measure.Width(Fields().PartText(Parts[size_t(Target)], FDateTime));
    return {X, 1, X + Width, ClientHeight() - 1};
}

void TDateTimePicker::Paint() {
    TCanvas* C = Canvas();
    C->Font()->Assign(Font());
    C->Brush()->SetStyle(bsSolid);
    C->Brush()->SetColor(Enabled() ? Color() : clBtnFace);
    C->FillRect(ClientRect());
    if (FShowCheckbox) {
        TRect Box = CheckboxRect();
        DrawFrameControl(C->Handle(), Box, DFC_BUTTON,
                         DFCS_BUTTONCHECK | (FChecked ? Cardinal(DFCS_CHECKED) : 0u) |
                             (Enabled() ? 0u : Cardinal(DFCS_INACTIVE)));
        if (Focused() && FField < 0) {
            TRect Mark = CheckboxRect();
            InflateRect(Mark, 1, 1);
            C->DrawFocusRect(Mark);
        }
    }
    Integer Left = FShowCheckbox ? CheckboxRoom : TextLeft;
    TRect Button = ButtonRect();
    C->Brush()->SetStyle(bsClear);
    if (FEditingText) {
        C->Font()->SetColor(clWindowText);
        TRect Area{Left, 0, Button.Left, ClientHeight()};
        C->TextRect(Area, FUserText, TTextFormat{tfLeft, tfVerticalCenter, tfSingleLine});
        Integer Caret = Left + C->TextWidth(FUserText);
        C->Pen()->SetColor(clWindowText);
        C->MoveTo(Caret, 3);
        C->LineTo(Caret, ClientHeight() - 3);
    } else {
        TColor Ink = Enabled() && FChecked ? clWindowText : clGrayText;
        const auto& Parts = Fields().Parts();
        Integer Current = FField >= 0 && FField < FieldCount() ? Fields().Editable()[size_t(FField)] : -1;
        Integer X = Left;
        for (Integer I = 0; I < Integer(Parts.size()); ++I) {
            String Shown = Fields().PartText(Parts[size_t(I)], FDateTime);
            if (I == Current && !FTyped.empty()) Shown = FTyped;
            Integer Width = C->TextWidth(Shown);
            TRect Cell{X, 1, X + Width, ClientHeight() - 1};
            bool Highlight = I == Current && Focused() && FChecked && !FDroppedDown;
            if (Highlight) {
                C->Brush()->SetStyle(bsSolid);
                C->Brush()->SetColor(clHighlight);
                C->FillRect(Cell);
                C->Brush()->SetStyle(bsClear);
            }
            C->Font()->SetColor(Highlight ? clHighlightText : Ink);
            C->TextRect(Cell, Shown, TTextFormat{tfLeft, tfVerticalCenter, tfSingleLine});
            X += Width;
        }
    }
    if (UsesUpDown()) {
        Integer Middle = Button.Top + Button.Height() / 2;
        TRect Up{Button.Left, Button.Top, Button.Right, Middle};
        TRect Down{Button.Left, Middle, Button.Right, Button.Bottom};
        Cardinal Inactive = Enabled() ? 0u : Cardinal(DFCS_INACTIVE);
        DrawFrameControl(C->Handle(), Up, DFC_SCROLL, DFCS_SCROLLUP | Inactive);
        DrawFrameControl(C->Handle(), Down, DFC_SCROLL, DFCS_SCROLLDOWN | Inactive);
    } else {
        DrawFrameControl(C->Handle(), Button, DFC_SCROLL,
                         DFCS_SCROLLCOMBOBOX | (FDroppedDown ? Cardinal(DFCS_PUSHED) : 0u) |
                             (Enabled() ? 0u : Cardinal(DFCS_INACTIVE)));
    }
}

// ---- Input ----

void TDateTimePicker::KeyDown(Word& Key, TShiftState Shift) {
    TCustomControl::KeyDown(Key, Shift);
    if (Key == 0) return;
    if (FEditingText) {
        switch (Key) {
        case VK_RETURN: CommitUserString(); break;
        case VK_ESCAPE:
            FEditingText = false;
            Invalidate();
            break;
        case VK_BACK:
            if (!FUserText.empty()) FUserText.pop_back();
            Invalidate();
            break;
        default: return;
        }
        Key = 0;
        return;
    }
    if (FDroppedDown) {
        switch (Key) {
        case VK_RETURN: CalendarPicked(FCalendar->Date()); break;
        case VK_ESCAPE:
        case VK_F4: SetDroppedDown(false); break;
        case VK_UP:
            if (Shift.Contains(ssAlt)) {
                SetDroppedDown(false);
                break;
            }
            FCalendar->Key(Key);
            break;
        case VK_LEFT:
        case VK_RIGHT:
        case VK_DOWN:
        case VK_PRIOR:
        case VK_NEXT:
        case VK_HOME:
        case VK_END: FCalendar->Key(Key); break;
        default: return;
        }
        Key = 0;
        return;
    }
    switch (Key) {
    case VK_LEFT: MoveField(-1); break;
    case VK_RIGHT: MoveField(1); break;
    case VK_HOME: SetCurrentField(FShowCheckbox ? -1 : 0); break;
    case VK_END: SetCurrentField(FieldCount() - 1); break;
    case VK_UP: Step(1); break;
    case VK_DOWN:
        if (Shift.Contains(ssAlt)) {
            SetDroppedDown(true);
            break;
        }
        Step(-1);
        break;
    case VK_F4:
        if (FKind != dtkDate || FDateMode != dmComboBox) return;
        SetDroppedDown(true);
        break;
    case VK_F2:
        if (!FParseInput) return;
        FinishTyping();
        FEditingText = true;
        FUserText = Text();
        Invalidate();
        break;
    default: return;
    }
    Key = 0;
}

void TDateTimePicker::KeyPress(Char& Key) {
    TCustomControl::KeyPress(Key);
    if (Key == 0) return;
    if (FEditingText) {
        if (Key >= u' ') {
            FUserText += Key;
            Invalidate();
        }
        Key = 0;
        return;
    }
    if (FDroppedDown) return;
    if (Key == u' ' && FField < 0) {
        FChecked = !FChecked;
        Invalidate();
        NotifyChange();
        Key = 0;
        return;
    }
    if (Key >= u'0' && Key <= u'9') {
        TypeDigit(Key - u'0');
        Key = 0;
    }
}

void TDateTimePicker::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
    if (Button == mbLeft) {
        if (CanFocus() && !Focused()) SetFocus();
        TPoint At{X, Y};
        TRect Buttons = ButtonRect();
        if (PtInRect(Buttons, At)) {
            if (UsesUpDown()) {
                if (FField < 0) SetCurrentField(0);
                Step(Y < Buttons.Top + Buttons.Height() / 2 ? 1 : -1);
            } else {
                SetDroppedDown(!FDroppedDown);
            }
        } else if (FShowCheckbox && X < CheckboxRoom) {
            FField = -1;
            FChecked = !FChecked;
            Invalidate();
            NotifyChange();
        } else if (!FEditingText && FieldCount() > 0) {
            // The field under the point, or the nearest one.
            Integer Best = 0;
            Integer BestDistance = -1;
            for (Integer I = 0; I < FieldCount(); ++I) {
                TRect Field = FieldRect(I);
                Integer Distance = X < Field.Left ? Field.Left - X : X >= Field.Right ? X - Field.Right + 1 : 0;
                if (BestDistance < 0 || Distance < BestDistance) {
                    Best = I;
                    BestDistance = Distance;
                }
            }
            SetCurrentField(Best);
            if (FDroppedDown) SetDroppedDown(false);
        }
    }
    TCustomControl::MouseDown(Button, Shift, X, Y);
}

void TDateTimePicker::WndProc(TMessage& Message) {
    switch (Message.Msg) {
    case WM_GETDLGCODE:
        Message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS;
        if (FDroppedDown || FEditingText) Message.Result |= DLGC_WANTALLKEYS;
        return;
    case WM_SETFOCUS:
        TCustomControl::WndProc(Message);
        Invalidate();
        return;
    case WM_KILLFOCUS:
        FinishTyping();
        if (FEditingText) CommitUserString();
        SetDroppedDown(false);
        TCustomControl::WndProc(Message);
        Invalidate();
        return;
    case CN_NOTIFY: {
        auto* Header = reinterpret_cast<NMHDR*>(Message.LParam);
        switch (Header->code) {
        case DTN_DATETIMECHANGE: Change(); break;
        case DTN_DROPDOWN: DropDown(); break;
        case DTN_CLOSEUP: CloseUp(); break;
        case DTN_USERSTRINGW: {
            // The text read as this picker's kind with the program's settings;
            // OnUserInput decides when it is assigned.
            auto* Request = reinterpret_cast<NMDATETIMESTRINGW*>(Message.LParam);
            String Typed = Request->pszUserString ? String(Request->pszUserString) : String();
            TDateTime Value = FDateTime;
            bool Allow = false;
            if (FKind == dtkTime) {
                TDateTime TimePart;
                Allow = TryStrToTime(Typed, TimePart);
                if (Allow) Value = WholeDay(FDateTime) + TimeOfDay(TimePart);
            } else {
                Allow = TryStrToDateTime(Typed, Value);
            }
            if (OnUserInput) OnUserInput(this, Typed, Value, Allow);
            Request->dwFlags = Allow ? DWORD(GDT_VALID) : DWORD(GDT_ERROR);
            if (Allow) Request->st = DateTimeToSystemTime(Value);
            break;
        }
        default: break;
        }
        Message.Result = 0;
        return;
    }
    case DTM_GETSYSTEMTIME:
        if (Message.LParam) *reinterpret_cast<SYSTEMTIME*>(Message.LParam) = DateTimeToSystemTime(FDateTime);
        Message.Result = FShowCheckbox && !FChecked ? GDT_NONE : GDT_VALID;
        return;
    case DTM_SETSYSTEMTIME: {
        Message.Result = 0;
        if (Integer(Message.WParam) == GDT_NONE) {
            if (!FShowCheckbox) return;
            SetChecked(false);
            Message.Result = 1;
            return;
        }
        TDateTime Value;
        if (!Message.LParam || !TrySystemTimeToDateTime(*reinterpret_cast<const SYSTEMTIME*>(Message.LParam), Value) ||
            !InRange(Value))
            return;
        SetDateTime(Value);
        if (FShowCheckbox) SetChecked(true);
        Message.Result = 1;
        return;
    }
    case DTM_GETMONTHCAL:
        Message.Result = FDroppedDown && FCalendar ? reinterpret_cast<LRESULT>(FCalendar->Handle()) : 0;
        return;
    case DTM_SETFORMATW:
        SetFormat(Message.LParam ? String(reinterpret_cast<const Char*>(Message.LParam)) : String());
        Message.Result = 1;
        return;
    default:
        TCustomControl::WndProc(Message);
        return;
    }
}

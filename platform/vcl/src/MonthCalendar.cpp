// The month calendar: the page of a month, paging, choosing a day with the
// mouse and the keys, the range and the today mark.

#include "rtl/ClassBuilder.h"
#include "rtl/Convert.h"
#include "rtl/MathUtils.h"
#include "vcl/MonthCalendar.h"
#include "windowing/Input.h"

#include <cmath>

using namespace winapi;

const TClassInfo& TMonthCalendar::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TMonthCalendar, TCustomControl>().Build();
    return Info;
}

namespace {

constexpr Integer Weeks = 6;
constexpr const Char* DayNames[7] = {u"Su", u"Mo", u"Tu", u"We", u"Th", u"Fr", u"Sa"};

TDateTime WholeDay(TDateTime Value) {
    return std::floor(Value);
}

TDateTime FirstOfMonth(TDateTime Value) {
    Word Year, Month, Day;
    DecodeDate(Value, Year, Month, Day);
    return EncodeDate(Year, Month, 1);
}

} // namespace

TMonthCalendar::TMonthCalendar(TComponent* AOwner) : TCustomControl(AOwner) {
    SetControlStyle(TControlStyle{csCaptureMouse, csClickEvents, csOpaque, csDoubleClicks});
    InitAppearance(true, clWindow, true);
    SetTabStop(true);
    FDate = WholeDay(Today());
    FShown = FirstOfMonth(FDate);
    TSize Size = MinimumSize();
    SetBounds(0, 0, Size.cx, Size.cy);
}

void TMonthCalendar::CreateParams(TCreateParams& Params) {
    TCustomControl::CreateParams(Params);
    if (!FShowToday) Params.Style |= MCS_NOTODAY;
    if (!FShowTodayCircle) Params.Style |= MCS_NOTODAYCIRCLE;
}

TDateTime TMonthCalendar::Today() const {
    return FToday != 0 ? WholeDay(FToday) : ::Date();
}

bool TMonthCalendar::InRange(TDateTime Value) const {
    Value = WholeDay(Value);
    return (FMinDate == 0 || Value >= WholeDay(FMinDate)) && (FMaxDate == 0 || Value <= WholeDay(FMaxDate));
}

void TMonthCalendar::SetDate(TDateTime Value) {
    Value = WholeDay(Value);
    if (FMinDate != 0 && Value < WholeDay(FMinDate))
        throw Exception(u"Date is less than minimum of %s", {DateToStr(FMinDate)});
    if (FMaxDate != 0 && Value > WholeDay(FMaxDate))
        throw Exception(u"Date exceeds maximum of %s", {DateToStr(FMaxDate)});
    FDate = Value;
    FShown = FirstOfMonth(Value);
    Invalidate();
}

void TMonthCalendar::SetMinDate(TDateTime Value) {
    FMinDate = Value == 0 ? 0 : WholeDay(Value);
    if (FMinDate != 0 && FDate < FMinDate) SetDate(FMinDate);
    Invalidate();
}

void TMonthCalendar::SetMaxDate(TDateTime Value) {
    FMaxDate = Value == 0 ? 0 : WholeDay(Value);
    if (FMaxDate != 0 && FDate > FMaxDate) SetDate(FMaxDate);
    Invalidate();
}

void TMonthCalendar::SetShownMonth(TDateTime Value) {
    FShown = FirstOfMonth(Value);
    Invalidate();
}

void TMonthCalendar::SetShowToday(bool Value) {
    if (FShowToday == Value) return;
    FShowToday = Value;
    if (HandleAllocated()) RecreateWnd();
    Invalidate();
}

void TMonthCalendar::SetShowTodayCircle(bool Value) {
    if (FShowTodayCircle == Value) return;
    FShowTodayCircle = Value;
    if (HandleAllocated()) RecreateWnd();
    Invalidate();
}

// ---- Layout ----

TMonthCalendar::TLayout TMonthCalendar::Layout() const {
    TLayout Result;
    Integer Text = std::abs(Font()->Height());
    Result.CellWidth = Text * 2 + 8;
    Result.CellHeight = Text + 6;
    Result.TitleHeight = Text + 12;
    Result.Days = {4, Result.TitleHeight + Result.CellHeight + 2};
    return Result;
}

TSize TMonthCalendar::MinimumSize() const {
    TLayout L = Layout();
    Integer Height = L.Days.Y + Weeks * L.CellHeight + 4;
    if (FShowToday) Height += L.CellHeight + 2;
    return {8 + 7 * L.CellWidth, Height};
}

TDateTime TMonthCalendar::FirstShownDay() const {
    // DayOfWeek: 1 for Sunday; a month starting on Sunday shows the week before too.
    Integer Back = DayOfWeek(FShown) - 1;
    if (Back == 0) Back = 7;
    return FShown - Back;
}

TRect TMonthCalendar::DayRect(TDateTime Value) const {
    Integer Index = Integer(WholeDay(Value) - FirstShownDay());
    if (Index < 0 || Index >= 7 * Weeks) return {};
    TLayout L = Layout();
    Integer X = L.Days.X + (Index % 7) * L.CellWidth;
    Integer Y = L.Days.Y + (Index / 7) * L.CellHeight;
    return {X, Y, X + L.CellWidth, Y + L.CellHeight};
}

TRect TMonthCalendar::PreviousButton() const {
    Integer H = Layout().TitleHeight;
    return {4, 2, 4 + H, H - 2};
}

TRect TMonthCalendar::NextButton() const {
    Integer H = Layout().TitleHeight;
    return {ClientWidth() - 4 - H, 2, ClientWidth() - 4, H - 2};
}

TRect TMonthCalendar::TodayRect() const {
    if (!FShowToday) return {};
    TLayout L = Layout();
    Integer Y = L.Days.Y + Weeks * L.CellHeight + 2;
    return {L.Days.X, Y, ClientWidth() - 4, Y + L.CellHeight};
}

// ---- Painting ----

void TMonthCalendar::Paint() {
    TCanvas* C = Canvas();
    TLayout L = Layout();
    C->Font()->Assign(Font());
    C->Brush()->SetColor(Color());
    C->FillRect(ClientRect());
    // The title between its arrows.
    TRect Title{0, 0, ClientWidth(), L.TitleHeight};
    C->Brush()->SetColor(clActiveCaption);
    C->FillRect(Title);
    C->Font()->SetColor(clCaptionText);
    C->Font()->SetStyle(TFontStyles{fsBold});
    C->Brush()->SetStyle(bsClear);
    TRect TitleText = Title;
    C->TextRect(TitleText, FormatDateTime(u"mmmm yyyy", FShown), TTextFormat{tfCenter, tfVerticalCenter, tfSingleLine});
    for (bool Next : {false, true}) {
        TRect B = Next ? NextButton() : PreviousButton();
        Integer MidY = (B.Top + B.Bottom) / 2;
        Integer Tip = Next ? B.Right - 4 : B.Left + 4;
        Integer Base = Next ? B.Left + 6 : B.Right - 6;
        C->Brush()->SetStyle(bsSolid);
        C->Brush()->SetColor(clCaptionText);
        C->Pen()->SetColor(clCaptionText);
        C->Polygon({{Tip, MidY}, {Base, MidY - 5}, {Base, MidY + 5}});
    }
    C->Font()->SetStyle(TFontStyles{});
    // The weekday names.
    C->Brush()->SetStyle(bsClear);
    C->Font()->SetColor(clWindowText);
    for (Integer I = 0; I < 7; ++I) {
        TRect Cell{L.Days.X + I * L.CellWidth, L.TitleHeight, L.Days.X + (I + 1) * L.CellWidth,
                   L.TitleHeight + L.CellHeight};
        C->TextRect(Cell, DayNames[I], TTextFormat{tfCenter, tfVerticalCenter, tfSingleLine});
    }
    C->Pen()->SetColor(clGrayText);
    C->MoveTo(L.Days.X, L.Days.Y - 1);
    C->LineTo(L.Days.X + 7 * L.CellWidth, L.Days.Y - 1);
    // The days.
    Word ShownYear, ShownMonth, Dummy;
    DecodeDate(FShown, ShownYear, ShownMonth, Dummy);
    TDateTime First = FirstShownDay();
    for (Integer I = 0; I < 7 * Weeks; ++I) {
        TDateTime Day = First + I;
        Word Y, M, D;
        DecodeDate(Day, Y, M, D);
        TRect Cell = DayRect(Day);
        bool Selected = Day == FDate;
        if (Selected) {
            C->Brush()->SetStyle(bsSolid);
            C->Brush()->SetColor(Focused() ? clHighlight : clBtnFace);
            C->FillRect(Cell);
        }
        C->Brush()->SetStyle(bsClear);
        TColor Ink = M != ShownMonth || !InRange(Day) ? clGrayText : clWindowText;
        if (Selected && Focused()) Ink = clHighlightText;
        C->Font()->SetColor(Ink);
        TRect Text = Cell;
        C->TextRect(Text, IntToStr(D), TTextFormat{tfCenter, tfVerticalCenter, tfSingleLine});
        if (FShowTodayCircle && Day == Today()) {
            C->Pen()->SetColor(clRed);
            C->Brush()->SetStyle(bsClear);
            C->Ellipse(Cell.Left + 1, Cell.Top, Cell.Right - 1, Cell.Bottom);
        }
    }
    if (FShowToday) {
        TRect Line = TodayRect();
        C->Font()->SetColor(clWindowText);
        C->Font()->SetStyle(TFontStyles{fsBold});
        C->TextRect(Line, u"Today: " + DateToStr(Today()), TTextFormat{tfLeft, tfVerticalCenter, tfSingleLine});
        C->Font()->SetStyle(TFontStyles{});
    }
    if (Focused() && !ComponentState().Contains(csDesigning)) {
        TRect Cell = DayRect(FDate);
        if (!Cell.IsEmpty()) C->DrawFocusRect(Cell);
    }
}

// ---- Input ----

void TMonthCalendar::UserSelect(TDateTime Value) {
    Value = WholeDay(Value);
    if (!InRange(Value)) return; // refused: the date stays
    bool Changed = Value != FDate;
    FDate = Value;
    FShown = FirstOfMonth(Value);
    Invalidate();
    Click();
    if (Changed && OnChange) OnChange(this);
}

void TMonthCalendar::KeyDown(Word& Key, TShiftState Shift) {
    TCustomControl::KeyDown(Key, Shift);
    Word Year, Month, Day;
    DecodeDate(FDate, Year, Month, Day);
    switch (Key) {
    case VK_LEFT:
        UserSelect(FDate - 1);
        break;
    case VK_RIGHT:
        UserSelect(FDate + 1);
        break;
    case VK_UP:
        UserSelect(FDate - 7);
        break;
    case VK_DOWN:
        UserSelect(FDate + 7);
        break;
    case VK_PRIOR:
        UserSelect(IncMonth(FDate, -1));
        break;
    case VK_NEXT:
        UserSelect(IncMonth(FDate, 1));
        break;
    case VK_HOME:
        UserSelect(EncodeDate(Year, Month, 1));
        break;
    case VK_END:
        UserSelect(EncodeDate(Year, Month, DaysInAMonth(Year, Month)));
        break;
    default:
        return;
    }
    Key = 0;
}

void TMonthCalendar::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
    if (Button == mbLeft) {
        if (TakesFocusOnClick() && CanFocus() && !Focused()) SetFocus();
        TPoint At{X, Y};
        if (PtInRect(PreviousButton(), At)) {
            SetShownMonth(IncMonth(FShown, -1));
        } else if (PtInRect(NextButton(), At)) {
            SetShownMonth(IncMonth(FShown, 1));
        } else if (FShowToday && PtInRect(TodayRect(), At)) {
            UserSelect(Today());
        } else {
            TLayout L = Layout();
            Integer Col = (X - L.Days.X) / std::max(L.CellWidth, 1);
            Integer Row = (Y - L.Days.Y) / std::max(L.CellHeight, 1);
            if (X >= L.Days.X && Y >= L.Days.Y && Col < 7 && Row < Weeks)
                UserSelect(FirstShownDay() + Row * 7 + Col);
        }
    }
    TCustomControl::MouseDown(Button, Shift, X, Y);
}

void TMonthCalendar::WndProc(TMessage& Message) {
    switch (Message.Msg) {
    case WM_GETDLGCODE:
        Message.Result = DLGC_WANTARROWS;
        return;
    case MCM_GETMINREQRECT:
        if (Message.LParam) {
            TSize Size = MinimumSize();
            *reinterpret_cast<TRect*>(Message.LParam) = {0, 0, Size.cx, Size.cy};
        }
        Message.Result = 1;
        return;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        TCustomControl::WndProc(Message);
        Invalidate();
        return;
    case WM_STYLECHANGED:
        // A style set on the window from outside shows or hides the today marks.
        TCustomControl::WndProc(Message);
        if (Integer(Message.WParam) == GWL_STYLE && Message.LParam) {
            DWORD Style = reinterpret_cast<const STYLESTRUCT*>(Message.LParam)->styleNew;
            FShowToday = (Style & MCS_NOTODAY) == 0;
            FShowTodayCircle = (Style & MCS_NOTODAYCIRCLE) == 0;
            Invalidate();
        }
        return;
    default:
        TCustomControl::WndProc(Message);
        return;
    }
}

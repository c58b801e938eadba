// Date-time pickers with auto-tab, the embedded time part, the label, the
// null date, the time-of-day limits and the validation balloon.

#include "dropdown/KelDateTimePicker.h"

#include "dropdown/KelDropDownRoutines.h"
#include "graphics/Graphic.h"
#include "kel/KelToolTip.h"
#include "rtl/ClassBuilder.h"
#include "rtl/Convert.h"
#include "rtl/DateTime.h"
#include "vcl/Forms.h"
#include "windowing/Input.h"
#include "windowing/MessageQueue.h"
#include "windowing/Messages.h"
#include "windowing/Paint.h"

#include <cmath>

using namespace winapi;

namespace {

TDateTime WholeDays(TDateTime Value) { return std::trunc(Value); }

// The time of day to whole seconds.
TDateTime TimeOfDaySeconds(TDateTime Value) {
    Word H, M, S, MS;
    DecodeTime(Value, H, M, S, MS);
    return EncodeTime(H, M, S, 0);
}

String TwoDigits(Word Value) { return Value < 10 ? u"0" + IntToStr(Value) : IntToStr(Value); }

// The size of one line of text in a font, on the window's device context.
TSize TextSizeOn(TWinControl* Window, const TFont* Font, const String& Text) {
    TSize Size{0, 0};
    if (!Window->HandleAllocated()) return Size;
    TCanvas Canvas;
    const HDC DC = GetDC(Window->Handle());
    Canvas.SetHandle(DC);
    Canvas.Font()->Assign(Font);
    MeasureText(&Canvas, Text, Size);
    Canvas.SetHandle(nullptr);
    ReleaseDC(Window->Handle(), DC);
    return Size;
}

} // namespace

UINT DTPShiftFocusMessage() {
    static const UINT Message = RegisterWindowMessage(u"DTPShiftFocus");
    return Message;
}

// ---- TCustomDateTimePicker ----

const TClassInfo& TCustomDateTimePicker::StaticClassInfo() {
    using C = TCustomDateTimePicker;
    static const TClassInfo Info = TClassBuilder<C, TVazDateTimePicker>()
                                       .Property(u"AutoTab", &C::AutoTab, &C::SetAutoTab)
                                       .Default(false)
                                       .Property(u"AutoTabToNext", &C::AutoTabToNext, &C::SetAutoTabToNext)
                                       .Default(true)
                                       .Build();
    return Info;
}

TCustomDateTimePicker::TCustomDateTimePicker(TComponent* AOwner) : TVazDateTimePicker(AOwner) {
    DTPShiftFocusMessage();
    SetCtl3D(false);
    WriteBorderColor(clBlack);
}

void TCustomDateTimePicker::KeyPress(Char& Key) {
    if (!FAutoTab || Key < u'0' || Key > u'9') {
        TVazDateTimePicker::KeyPress(Key);
        return;
    }
    const Char Digit = Key;
    if (Kind() == dtkTime) DecodeTime(TDateTimePicker::DateTime(), Fh, Fm, Fs, Fms);
    TVazDateTimePicker::KeyPress(Key);
    FLast2Keys += Digit;
    FLast4Keys += Digit;
    if (HandleAllocated()) PostMessage(Handle(), DTPShiftFocusMessage(), 0, 0);
}

void TCustomDateTimePicker::PostNextField() {
    if (HandleAllocated()) PostMessage(Handle(), WM_KEYDOWN, VK_RIGHT, 0);
}

void TCustomDateTimePicker::FocusNextControl() {
    if (!HandleAllocated() || !IsWindowVisible(Handle())) return;
    if (TCustomForm* Form = GetParentForm(this)) Form->SelectNext(this, true, true);
}

void TCustomDateTimePicker::ShiftFocusForTime() {
    Word H, M, S, MS;
    DecodeTime(TDateTimePicker::DateTime(), H, M, S, MS);
    if (H == Fh && M == Fm && S == Fs) return;
    if (H == Fh && M == Fm && AutoTabToNext()) {
        FocusNextControl();
        return;
    }
    PostNextField();
}

void TCustomDateTimePicker::DoShiftFocus() {
    if (Kind() == dtkTime) ShiftFocusForTime();
}

void TCustomDateTimePicker::WndProc(TMessage& Message) {
    if (Message.Msg == DTPShiftFocusMessage()) {
        DoShiftFocus();
        Message.Result = 0;
        return;
    }
    switch (Message.Msg) {
    case WM_SETFOCUS:
        TVazDateTimePicker::WndProc(Message);
        if (FAutoTab && !DroppedDown() && HandleAllocated()) {
            // The first field is selected as a click at the left would.
            const LPARAM At = MAKELPARAM(ShowCheckbox() ? 24 : 2, 2);
            PostMessage(Handle(), WM_LBUTTONDOWN, MK_LBUTTON, At);
            PostMessage(Handle(), WM_LBUTTONUP, 0, At);
        }
        return;
    case WM_GETDLGCODE: {
        TVazDateTimePicker::WndProc(Message);
        if (FGridTabhandling) {
            const bool Shift = GetKeyState(VK_SHIFT) < 0;
            if ((FIsTimePicker && !Shift) || (!FIsTimePicker && Shift)) Message.Result |= DLGC_WANTTAB;
        }
        return;
    }
    default: TVazDateTimePicker::WndProc(Message); return;
    }
}

// ---- TKelDateTimePicker ----

const TClassInfo& TKelDateTimePicker::StaticClassInfo() {
    using C = TKelDateTimePicker;
    static const TClassInfo Info =
        TClassBuilder<C, TCustomDateTimePicker>()
            .Property(u"Kind", &C::Kind, &C::SetKind)
            .Default(Integer(dkDateTime))
            .Property(u"DateTime", &C::DateTime, &C::SetDateTime)
            .Stored(false)
            .Property(u"Format", &C::Format, &C::SetFormat)
            .Property(u"TimeFormat", &C::TimeFormat, &C::SetTimeFormat)
            .Property(u"MinTime", &C::MinTime, &C::SetMinTime)
            .Property(u"MaxTime", &C::MaxTime, &C::SetMaxTime)
            .Property(u"NullDateDate", &C::NullDateDate, &C::SetNullDateDate)
            .Property(u"NullDateFormat", &C::NullDateFormat, &C::SetNullDateFormat)
            .Property(u"Version", &C::Version, &C::SetVersion)
            .Stored(false)
            .Property(u"FocusLabel", &C::FocusLabel, &C::SetFocusLabel)
            .Default(false)
            .Property(u"LabelCaption", &C::LabelCaption, &C::SetLabelCaption)
            .Property(u"LabelPosition", &C::LabelPosition, &C::SetLabelPosition)
            .Default(Integer(KelDateTimePicker::lpLeftTop))
            .Property(u"LabelMargin", &C::LabelMargin, &C::SetLabelMargin)
            .Default(4)
            .Property(u"LabelTransparent", &C::LabelTransparent, &C::SetLabelTransparent)
            .Default(false)
            .Property(u"LabelAlwaysEnabled", &C::LabelAlwaysEnabled, &C::SetLabelAlwaysEnabled)
            .Default(false)
            .Property(u"LabelFont", &C::LabelFont, &C::SetLabelFont)
            .Build();
    return Info;
}

TKelDateTimePicker::TKelDateTimePicker(TComponent* AOwner)
    : TCustomDateTimePicker(AOwner), FLabelFont(std::make_unique<TFont>()) {
    TVazDateTimePicker::SetBorderStyle(bsSingle);
    SetCtl3D(true);
    FLabelFont->SetHeight(-11);
    FLblFntHeight = -11;
    FLabelFont->OnChange = [this](TObject* Sender) { LabelFontChanged(Sender); };
    FOldCheck = Checked();
}

TKelDateTimePicker::~TKelDateTimePicker() = default;

void TKelDateTimePicker::BeforeDestruction() {
    FLabelFont->OnChange = nullptr;
    if (FLabel) {
        FLabel->SetParent(nullptr);
        Free(FLabel);
    }
    if (FToolTip) FToolTip->RemoveFreeNotification(this);
    if (FToolTipWindow) Free(FToolTipWindow);
    if (FTimePicker) Free(FTimePicker);
    FLabel = nullptr;
    FToolTipWindow = nullptr;
    FTimePicker = nullptr;
    TCustomDateTimePicker::BeforeDestruction();
}

void TKelDateTimePicker::Notification(TComponent* AComponent, TOperation Operation) {
    TCustomDateTimePicker::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == FToolTip) FToolTip = nullptr;
    if (AComponent == FToolTipWindow) FToolTipWindow = nullptr;
    if (AComponent == FLabel) FLabel = nullptr;
    if (AComponent == FTimePicker) FTimePicker = nullptr;
}

String TKelDateTimePicker::Version() const {
    const Integer V = 16975362;
    return IntToStr((V >> 24) & 0xFF) + u"." + IntToStr((V >> 16) & 0xFF) + u"." + IntToStr((V >> 8) & 0xFF) +
           u"." + IntToStr(V & 0xFF);
}

void TKelDateTimePicker::SetToolTip(TKelToolTip* Value) {
    if (FToolTip == Value) return;
    if (FToolTip) FToolTip->RemoveFreeNotification(this);
    FToolTip = Value;
    if (FToolTip) FToolTip->FreeNotification(this);
}

// ---- Values ----

TDateTime TKelDateTimePicker::ReadDateTime() const {
    const TDateTime Value = TDateTimePicker::DateTime();
    if (FKind != dkDateTime || !FTimePicker) return Value;
    const TDateTime Days = WholeDays(Value);
    const TDateTime Time = TimeOfDaySeconds(FTimePicker->TDateTimePicker::DateTime());
    return Days < 0 ? Days - Time : Days + Time;
}

TDateTime TKelDateTimePicker::Date() const { return WholeDays(ReadDateTime()); }

void TKelDateTimePicker::SetDateTime(TDateTime Value) {
    ApplyDateTime(Value);
    FInternalChangedFlag = false;
}

void TKelDateTimePicker::ApplyDateTime(TDateTime Value) {
    const TDateTime Time = TimeOfDaySeconds(Value);
    if (FKind == dkDateTime) CreateTimePicker();
    if (MinDate() != 0 && Value < MinDate()) Value = MinDate();
    if (MaxDate() != 0 && Value > MaxDate()) Value = MaxDate();
    TDateTime Days = WholeDays(Value);
    if (Days == 0 && FNullDateIsToday) Days = ::Date();
    TDateTimePicker::SetDateTime(Days + Time);
    if (FTimePicker) FTimePicker->TDateTimePicker::SetDateTime(::Date() + Time);
    ApplyNullDateFormat();
}

void TKelDateTimePicker::ApplyFormats(const String& DateFormat, const String& TimeFormat) {
    if (FKind == dkTime)
        TDateTimePicker::SetFormat(TimeFormat);
    else
        TDateTimePicker::SetFormat(DateFormat);
    if (FTimePicker) FTimePicker->TDateTimePicker::SetFormat(TimeFormat);
}

void TKelDateTimePicker::RestoreFormats() { ApplyFormats(FOriginalFormat, FOriginalTimeFormat); }

void TKelDateTimePicker::ApplyNullDateFormat() {
    if (TDateTimePicker::DateTime() == FNullDateDate && !FNullDateFormat.empty())
        ApplyFormats(FNullDateFormat, FNullDateFormat);
    else
        RestoreFormats();
}

void TKelDateTimePicker::WriteDate(TDateTime Value) {
    SetDateTime(WholeDays(Value) + TimeOfDaySeconds(ReadDateTime()));
}

TDateTime TKelDateTimePicker::ReadTime() const {
    if (FKind == dkDateTime && FTimePicker) return TimeOfDaySeconds(FTimePicker->TDateTimePicker::DateTime());
    return TDateTimePicker::Time();
}

void TKelDateTimePicker::WriteTime(TDateTime Value) {
    if (WholeDays(TDateTimePicker::DateTime()) != 0) TDateTimePicker::SetTime(Value);
    UpdateTimePicker();
}

void TKelDateTimePicker::SetFormat(const String& Value) {
    if (Value != FNullDateFormat) FOriginalFormat = Value;
    if (FKind != dkTime) TDateTimePicker::SetFormat(Value);
}

void TKelDateTimePicker::SetTimeFormat(const String& Value) {
    FTimeFormat = Value;
    if (Value != FNullDateFormat) FOriginalTimeFormat = Value;
    if (FKind == dkTime) TDateTimePicker::SetFormat(Value);
    UpdateTimePicker();
}

void TKelDateTimePicker::SetNullDateDate(TDateTime Value) {
    FNullDateDate = Value;
    ApplyNullDateFormat();
}

void TKelDateTimePicker::SetNullDateFormat(const String& Value) {
    FNullDateFormat = Value;
    ApplyNullDateFormat();
}

// ---- Kinds and the time part ----

void TKelDateTimePicker::WriteKind(TKelDateTimeKind Value) {
    if (Value != FKind) {
        FKind = Value;
        TDateTimePicker::SetKind(Value == dkTime ? dtkTime : dtkDate);
        RestoreFormats();
    }
    if (FKind == dkDateTime) {
        const TDateTime Current = ReadDateTime();
        CreateTimePicker();
        SetDateTime(Current);
    }
    UpdateTimePicker();
}

void TKelDateTimePicker::CreateWnd() {
    TCustomDateTimePicker::CreateWnd();
    WriteKind(FKind);
}

void TKelDateTimePicker::CreateTimePicker() {
    if (FKind != dkDateTime || FTimePicker) return;
    FTimePicker = Create<TCustomDateTimePicker>(this);
    if (!(ComponentState().Contains(csDesigning) && Loading())) FTimePicker->SetParent(this);
    FTimePicker->SetName(u"TimePicker1");
    FTimePicker->SetBounds(0, 0, 90, 17);
    FTimePicker->SetIsTimePicker(true);
    FTimePicker->SetVisible(false);
    FTimePicker->SetEnabled(Enabled());
    FTimePicker->TDateTimePicker::SetKind(dtkTime);
    FTimePicker->OnChange = [this](TObject* Sender) { TimePickerChange(Sender); };
    FTimePicker->OnClick = [this](TObject*) { DoClick(); };
    FTimePicker->OnKeyPress = [this](TObject* Sender, Char& Key) { DoTimePickerKeyPress(Sender, Key); };
    FTimePicker->OnKeyDown = [this](TObject* Sender, Word& Key, TShiftState Shift) {
        TimePickerKeyDown(Sender, Key, Shift);
    };
    FTimePicker->OnExit = [this](TObject*) { Invalidate(); };
    FTimePicker->SetAutoTabToNext(AutoTabToNext());
    FTimePicker->SetGridTabHandling(FGridTabhandling);
    FTimePicker->SetTabStop(TabStop());
}

void TKelDateTimePicker::TimePickerKeyDown(TObject*, Word& Key, TShiftState Shift) {
    if (OnKeyDown) OnKeyDown(this, Key, Shift);
}

void TKelDateTimePicker::UpdateTimePicker() {
    if (!FTimePicker) return;
    FTimePicker->SetParent(this);
    FTimePicker->SetColor(Color());
    FTimePicker->SetEnabled(Enabled() && (Checked() || !ShowCheckbox()));
    const bool Shown = FKind == dkDateTime;
    FTimePicker->SetVisible(Shown);
    FTimePicker->TDateTimePicker::SetDateTime(::Date() + TimeOfDaySeconds(ReadDateTime()));
    const bool Null = TDateTimePicker::DateTime() == FNullDateDate && !FNullDateFormat.empty();
    FTimePicker->TDateTimePicker::SetFormat(Null ? FNullDateFormat : FTimeFormat);
    FTimePicker->Font()->Assign(Font());
    const bool LoadingAtRunTime = Loading() && !ComponentState().Contains(csDesigning);
    if (Shown || LoadingAtRunTime) {
        // The time part sits left of the drop-down button; visual styles
        // are never active here, so its frame is the plain one.
        const Integer B = 21;
        const TSize Size = TextSizeOn(this, Font(), FTimePicker->Text());
        const Integer W = Size.cx + B + 10;
        FTimePicker->SetBounds(Width() - W - B, 2, W, Height() - 4);
    } else if (!Loading()) {
        TCustomDateTimePicker* Part = FTimePicker;
        FTimePicker = nullptr;
        Free(Part);
    }
}

TDateTime TKelDateTimePicker::ClampTime(TDateTime Value) const {
    const TDateTime Time = TimeOfDaySeconds(Value);
    const TDateTime Low = TimeOfDaySeconds(FMinTime), High = TimeOfDaySeconds(FMaxTime);
    if (Time < Low) return Low;
    if (Time > High) return High;
    return Time;
}

void TKelDateTimePicker::Change() {
    FInternalChangedFlag = false;
    if (FKind == dkTime && FMinTime != FMaxTime) {
        const TDateTime Value = TDateTimePicker::DateTime();
        const TDateTime Clamped = ClampTime(Value);
        // The date the picker holds stays; only the time of day is limited.
        if (Clamped != TimeOfDaySeconds(Value)) ApplyDateTime(WholeDays(Value) + Clamped);
    }
    DoChange();
}

void TKelDateTimePicker::TimePickerChange(TObject*) {
    DoChange();
    if (FTimePicker && FMinTime != FMaxTime) {
        const TDateTime Value = FTimePicker->TDateTimePicker::DateTime();
        const TDateTime Clamped = ClampTime(Value);
        if (Clamped != TimeOfDaySeconds(Value))
            FTimePicker->TDateTimePicker::SetDateTime(WholeDays(Value) + Clamped);
    }
    if (OnTimeChange) OnTimeChange(this);
}

void TKelDateTimePicker::DoCheckClick() {
    if (OnCheckClick) OnCheckClick(this);
}

void TKelDateTimePicker::DoChange() {
    if (OnChange) OnChange(this);
}

void TKelDateTimePicker::DoClick() {
    if (OnClick) OnClick(this);
}

void TKelDateTimePicker::DoTimePickerKeyPress(TObject*, Char&) {}

void TKelDateTimePicker::SetBorderStyle(TBorderStyle Value) {
    TCustomDateTimePicker::SetBorderStyle(Value);
    UpdateTimePicker();
}

void TKelDateTimePicker::SetAutoTabToNext(bool Value) {
    TCustomDateTimePicker::SetAutoTabToNext(Value);
    if (FTimePicker) FTimePicker->SetAutoTabToNext(Value);
}

// ---- Null date ----

void TKelDateTimePicker::DoEnter() {
    FInternalChangedFlag = false;
    if (TDateTimePicker::DateTime() == FNullDateDate) {
        ApplyDateTime(::Date());
        FInternalChangedFlag = true;
    }
    RestoreFormats();
    TCustomDateTimePicker::DoEnter();
}

void TKelDateTimePicker::HandleExit() {
    if (FInternalChangedFlag) {
        FInternalChangedFlag = false;
        ApplyDateTime(FNullDateDate);
    }
    ApplyNullDateFormat();
}

void TKelDateTimePicker::DoExit() {
    HandleExit();
    TCustomDateTimePicker::DoExit();
}

void TKelDateTimePicker::KeyUp(Word& Key, TShiftState Shift) {
    TCustomDateTimePicker::KeyUp(Key, Shift);
    if (Key == VK_DELETE && Shift.Contains(ssCtrl) && !FNullDateFormat.empty()) SetDateTime(0);
}

// ---- Auto-tab for dates ----

void TKelDateTimePicker::KeyPress(Char& Key) {
    if (AutoTab() && Key >= u'0' && Key <= u'9') DecodeDate(TDateTimePicker::DateTime(), Fy, Fmo, Fd);
    TCustomDateTimePicker::KeyPress(Key);
}

void TKelDateTimePicker::DoShiftFocus() {
    if (FKind == dkTime) {
        ShiftFocusForTime();
        return;
    }
    Word Y, M, D;
    DecodeDate(TDateTimePicker::DateTime(), Y, M, D);
    const bool DayChanged = D != Fd, MonthChanged = M != Fmo, YearChanged = Y != Fy;
    const String& Custom = TDateTimePicker::Format();
    if (!Custom.empty() && Custom != FNullDateFormat) {
        const Char C = Custom.back();
        if ((DayChanged && (C == u'D' || C == u'd')) || (MonthChanged && (C == u'M' || C == u'm')) ||
            (YearChanged && (C == u'Y' || C == u'y'))) {
            if (FTimePicker && FTimePicker->CanFocus()) FTimePicker->SetFocus();
        } else if (DayChanged || MonthChanged || YearChanged) {
            PostNextField();
        }
    } else if (DayChanged || MonthChanged) {
        PostNextField();
    } else if (YearChanged) {
        if (FKind == dkDate)
            FocusNextControl();
        else if (FTimePicker && FTimePicker->CanFocus())
            FTimePicker->SetFocus();
    } else {
        if (FLast2Keys.size() == 2 && (FLast2Keys == TwoDigits(D) || FLast2Keys == TwoDigits(M))) {
            FLast4Keys.clear();
            PostNextField();
        }
        if (FLast4Keys.size() == 4 && FLast4Keys == IntToStr(Y) && FKind == dkDateTime) FocusNextControl();
    }
    if (FLast2Keys.size() >= 2) FLast2Keys.clear();
    if (FLast4Keys.size() >= 4) FLast4Keys.clear();
}

// ---- Messages ----

void TKelDateTimePicker::HandleNotify(TMessage& Message) {
    auto* Header = reinterpret_cast<NMHDR*>(Message.LParam);
    switch (Header->code) {
    case DTN_DATETIMECHANGE: {
        TCustomDateTimePicker::WndProc(Message);
        if (ShowCheckbox()) {
            auto* Change = reinterpret_cast<NMDATETIMECHANGE*>(Message.LParam);
            if (FTimePicker && !FIgnoreTimePickerCheck) {
                FTimePicker->SetEnabled(Enabled() && Checked());
                if (Change->dwFlags == DWORD(GDT_NONE)) FTimePicker->SetEnabled(false);
            }
            FIgnoreTimePickerCheck = false;
        }
        break;
    }
    case DTN_USERSTRINGW: {
        // The typed text read with the program's settings; without a handler
        // a text that does not convert is answered as an error, so the value
        // stays.
        auto* Request = reinterpret_cast<NMDATETIMESTRINGW*>(Message.LParam);
        const String Typed = Request->pszUserString ? String(Request->pszUserString) : String();
        TDateTime Value = TDateTimePicker::DateTime();
        bool Success = false;
        if (FKind == dkTime) {
            TDateTime Time;
            Success = TryStrToTime(Typed, Time);
            if (Success) Value = WholeDays(Value) + TimeOfDaySeconds(Time);
        } else {
            Success = TryStrToDateTime(Typed, Value);
        }
        if (OnUserInput) OnUserInput(this, Typed, Value, Success);
        Request->dwFlags = Success ? DWORD(GDT_VALID) : DWORD(GDT_ERROR);
        if (Success) Request->st = DateTimeToSystemTime(Value);
        FIgnoreTimePickerCheck = false;
        Message.Result = 0;
        break;
    }
    case DTN_DROPDOWN:
    case DTN_CLOSEUP: TCustomDateTimePicker::WndProc(Message); break;
    default:
        FIgnoreTimePickerCheck = false;
        TCustomDateTimePicker::WndProc(Message);
        break;
    }
    if (Checked() != FOldCheck) {
        FOldCheck = Checked();
        DoCheckClick();
    }
}

void TKelDateTimePicker::WndProc(TMessage& Message) {
    switch (Message.Msg) {
    case CN_NOTIFY: HandleNotify(Message); return;
    case DTM_SETSYSTEMTIME:
        TCustomDateTimePicker::WndProc(Message);
        if (ShowCheckbox() && FTimePicker) {
            const bool State = Enabled() && Checked();
            FTimePicker->SetEnabled(State);
            FIgnoreTimePickerCheck = State;
        }
        return;
    case WM_SETFOCUS:
        TCustomDateTimePicker::WndProc(Message);
        if (!Loading()) {
            FLast2Keys.clear();
            FLast4Keys.clear();
            if (FFocusLabel) UpdateLabel();
            if (HandleAllocated()) PostMessage(Handle(), WM_NCPAINT, 1, 0);
        }
        return;
    case WM_KILLFOCUS:
        TCustomDateTimePicker::WndProc(Message);
        if (FFocusLabel) UpdateLabel();
        if (HandleAllocated()) PostMessage(Handle(), WM_NCPAINT, 1, 0);
        return;
    case CM_VISIBLECHANGED:
        TCustomDateTimePicker::WndProc(Message);
        if (FLabel) FLabel->SetVisible(Visible());
        return;
    case CM_SHOWINGCHANGED:
        TCustomDateTimePicker::WndProc(Message);
        if (FLabel) FLabel->SetVisible(Visible());
        return;
    case CM_ENABLEDCHANGED:
        TCustomDateTimePicker::WndProc(Message);
        if (FTimePicker) FTimePicker->SetEnabled(Enabled());
        if (FLabel && !FLabelAlwaysEnabled) FLabel->SetEnabled(Enabled());
        return;
    case CM_FONTCHANGED:
        TCustomDateTimePicker::WndProc(Message);
        if (FLabel && ParentFont() && (ComponentState().Contains(csDesigning) || Loading()))
            FLabel->Font()->Assign(Font());
        UpdateTimePicker();
        return;
    case CM_PARENTFONTCHANGED:
        TCustomDateTimePicker::WndProc(Message);
        if (FLabel && ParentFont()) FLabel->Font()->Assign(Font());
        return;
    case CM_COLORCHANGED:
        TCustomDateTimePicker::WndProc(Message);
        UpdateTimePicker();
        return;
    default: TCustomDateTimePicker::WndProc(Message); return;
    }
}

void TKelDateTimePicker::Loaded() {
    TCustomDateTimePicker::Loaded();
    FOriginalFormat = TDateTimePicker::Format();
    FOriginalTimeFormat = FTimeFormat;
    if (!ComponentState().Contains(csDesigning)) {
        CreateTimePicker();
        UpdateTimePicker();
        if (ShowCheckbox() && !Checked()) {
            SetChecked(false);
            if (FTimePicker) FTimePicker->SetEnabled(false);
        }
    }
    if (FLabel) {
        if (!FLabelAlwaysEnabled) FLabel->SetEnabled(Enabled());
        if (ParentFont()) FLabel->Font()->Assign(Font());
    }
    FParentFnt = ParentFont();
    UpdateLabel();
}

// ---- Validation balloon ----

void TKelDateTimePicker::ShowValidation(const String& Text) {
    if (!FToolTipWindow) {
        FToolTipWindow = Create<TKelToolTipWindow>(this);
    }
    FToolTipWindow->SetText(Text);
    FToolTipWindow->Show(this, FToolTip);
}

void TKelDateTimePicker::HideValidation() {
    if (!FToolTipWindow) return;
    TKelToolTipWindow* Window = FToolTipWindow;
    FToolTipWindow = nullptr;
    Free(Window);
}

// ---- Label ----

void TKelDateTimePicker::NeedLabel() {
    if (FLabel) return;
    FLabel = Create<TLabel>(this);
    FLabel->SetParent(Parent());
    FLabel->SetFocusControl(this);
    FLabel->Font()->Assign(FLabelFont.get());
    FLabel->SetParentFont(ParentFont());
    FLabel->SetVisible(Visible());
    FLabel->OnClick = [this](TObject*) {
        if (OnLabelClick) OnLabelClick(this);
    };
    FLabel->OnDblClick = [this](TObject*) {
        if (OnLabelDblClick) OnLabelDblClick(this);
    };
}

String TKelDateTimePicker::LabelCaption() const { return FLabel ? FLabel->Caption() : String(); }

void TKelDateTimePicker::SetLabelCaption(const String& Value) {
    NeedLabel();
    FLabel->SetCaption(Value);
    UpdateLabel();
}

void TKelDateTimePicker::SetLabelPosition(TLabelPosition Value) {
    FLabelPosition = Value;
    UpdateLabel();
}

void TKelDateTimePicker::SetLabelMargin(Integer Value) {
    FLabelMargin = Value;
    UpdateLabel();
}

void TKelDateTimePicker::SetLabelTransparent(bool Value) {
    FLabelTransparent = Value;
    UpdateLabel();
}

void TKelDateTimePicker::SetFocusLabel(bool Value) {
    FFocusLabel = Value;
    UpdateLabel();
}

void TKelDateTimePicker::SetLabelAlwaysEnabled(bool Value) {
    FLabelAlwaysEnabled = Value;
    if (Value && FLabel) FLabel->SetEnabled(true);
}

void TKelDateTimePicker::LabelFontChanged(TObject*) {
    if (ComponentState().Contains(csDesigning) && !Loading()) SetParentFont(false);
    FLblFntHeight = FLabelFont->Height();
    FParentFnt = FParentFnt && ParentFont();
    UpdateLabel();
}

void TKelDateTimePicker::UpdateLabel() {
    if (!FLabel || !FLabel->Parent()) return;
    FLabel->SetTransparent(FLabelTransparent);
    FLabel->Font()->Assign(FParentFnt ? Font() : FLabelFont.get());
    TFontStyles Style = FLabel->Font()->Style();
    if (FFocusLabel && Focused())
        Style.Include(fsBold);
    else
        Style.Exclude(fsBold);
    FLabel->Font()->SetStyle(Style);
    if (FLabel->Parent()->HandleAllocated()) PlaceLabel();
    FLabel->Invalidate();
}

void TKelDateTimePicker::PlaceLabel() {
    if (!FLabel) return;
    const Integer W = TextSizeOn(this, FLabel->Font(), FLabel->Caption()).cx;
    const Integer M = Integer(std::lround(GetDPIScale(this) * FLabelMargin));
    const Integer Bd = BorderStyle() == bsSingle ? 2 : 0;
    const Integer L = Left(), T = Top(), CW = Width(), CH = Height();
    const Integer LH = FLabel->Height(), LW = FLabel->Width();
    using namespace KelDateTimePicker;
    Integer LabelTop = T, LabelLeft = L;
    switch (FLabelPosition) {
    case lpLeftTop: LabelTop = T, LabelLeft = L - W - M; break;
    case lpLeftCenter: LabelTop = T + (CH - Bd - LH) / 2, LabelLeft = L - W - M; break;
    case lpLeftBottom: LabelTop = T + CH - LH, LabelLeft = L - W - M; break;
    case lpTopLeft: LabelTop = T - LH - M, LabelLeft = L; break;
    case lpBottomLeft: LabelTop = T + CH + M, LabelLeft = L; break;
    case lpLeftTopLeft: LabelTop = T, LabelLeft = L - M; break;
    case lpLeftCenterLeft: LabelTop = T + (CH - Bd - LH) / 2, LabelLeft = L - M; break;
    case lpLeftBottomLeft: LabelTop = T + CH - LH, LabelLeft = L - M; break;
    case lpTopCenter: LabelTop = T - LH - M, LabelLeft = L + (CW - LW) / 2; break;
    case lpBottomCenter: LabelTop = T + CH + M, LabelLeft = L + (CW - LW) / 2; break;
    case lpRightTop: LabelTop = T, LabelLeft = L + CW + M; break;
    case lpRightCenter: LabelTop = T + (CH - Bd - LH) / 2, LabelLeft = L + CW + M; break;
    case lpRighBottom: LabelTop = T + CH - LH, LabelLeft = L + CW + M; break;
    case lpTopRight: LabelTop = T - LH - M, LabelLeft = L + CW - LW; break;
    case lpBottomRight: LabelTop = T + CH + M, LabelLeft = L + CW - LW; break;
    }
    FLabel->SetBounds(LabelLeft, LabelTop, FLabel->Width(), FLabel->Height());
}

void TKelDateTimePicker::SetParent(TWinControl* AParent) {
    TCustomDateTimePicker::SetParent(AParent);
    if (FLabel) {
        FLabel->SetParent(AParent);
        FLabel->SetVisible(Visible());
        UpdateLabel();
    }
}

void TKelDateTimePicker::SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) {
    if (FLabel) {
        using namespace KelDateTimePicker;
        const Integer M = Integer(std::lround(GetDPIScale(this) * FLabelMargin));
        const Integer LW = FLabel->Width(), LH = FLabel->Height();
        const TAlign A = Align();
        const bool TopBottomClient = A == alTop || A == alBottom || A == alClient;
        switch (FLabelPosition) {
        case lpLeftTop:
        case lpLeftCenter:
        case lpLeftBottom:
            if (TopBottomClient) {
                ALeft += M + LW;
                AWidth -= M + LW;
            }
            break;
        case lpTopLeft:
        case lpTopCenter:
        case lpTopRight:
            if (TopBottomClient || A == alLeft || A == alRight) ATop += LH;
            break;
        case lpRightTop:
        case lpRightCenter:
        case lpRighBottom:
            if (TopBottomClient) AWidth -= M + LW;
            break;
        default: break;
        }
    }
    TCustomDateTimePicker::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (FLabel && FLabel->Parent()) UpdateLabel();
    UpdateTimePicker();
}

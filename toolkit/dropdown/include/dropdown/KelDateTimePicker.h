#pragma once
// Date-time pickers with automatic moving between fields.
//
// TCustomDateTimePicker is the flat date-time picker that, with AutoTab on,
// moves the caret to the next field (or the focus to the next control)
// while digits are typed: every digit posts the "DTPShiftFocus" message to
// the picker, which then compares the value with the one before the digit.
// Inside the string grid it takes Tab as the time part of a combination
// and Shift+Tab as its date part. A plain TCustomDateTimePicker also serves
// as the time part that TKelDateTimePicker embeds at its right for dkDateTime.
//
// TKelDateTimePicker adds a caption label placed at one of fifteen
// positions, three kinds (date, time, both), a null date shown with its own
// format, time-of-day limits, a changed-check-box event and a validation
// balloon.

#include "gridbase/VazDateTimePicker.h"
#include "rtl/TypeInfo.h"
#include "vcl/StdCtrls.h"

#include <memory>

class TKelToolTip;
class TKelToolTipWindow;

// The message number of "DTPShiftFocus", registered once per process.
winapi::UINT DTPShiftFocusMessage();

class TCustomDateTimePicker : public TVazDateTimePicker {
    RTL_CLASS(TCustomDateTimePicker)
public:
    explicit TCustomDateTimePicker(TComponent* AOwner);

    bool AutoTab() const { return FAutoTab; }
    virtual void SetAutoTab(bool Value) { FAutoTab = Value; }
    bool AutoTabToNext() const { return FAutoTabToNext; }
    virtual void SetAutoTabToNext(bool Value) { FAutoTabToNext = Value; }
    // True for the time part embedded in a TKelDateTimePicker.
    virtual bool IsEmbedded() const { return true; }
    bool IsTimePicker() const { return FIsTimePicker; }
    void SetIsTimePicker(bool Value) { FIsTimePicker = Value; }
    // Set by the string grid: the time part takes Tab, the date part
    // Shift+Tab.
    bool GridTabHandling() const { return FGridTabhandling; }
    void SetGridTabHandling(bool Value) { FGridTabhandling = Value; }

    void WndProc(TMessage& Message) override;

protected:
    virtual void DoShiftFocus();
    void KeyPress(Char& Key) override;
    // The time rule: unchanged moves nothing; only the seconds changed
    // moves to the next control (AutoTabToNext); else the next field.
    void ShiftFocusForTime();
    void PostNextField();
    void FocusNextControl();

    Word Fh = 0, Fm = 0, Fs = 0, Fms = 0;
    bool FIsTimePicker = false;
    bool FGridTabhandling = false;
    String FLast2Keys;
    String FLast4Keys;

private:
    bool FAutoTab = false;
    bool FAutoTabToNext = true;
};

RTL_ENUM(TKelDateTimeKind, dkDate, dkTime, dkDateTime)

namespace KelDateTimePicker {
RTL_ENUM(TLabelPosition, lpLeftTop, lpLeftCenter, lpLeftBottom, lpTopLeft, lpBottomLeft, lpLeftTopLeft,
         lpLeftCenterLeft, lpLeftBottomLeft, lpTopCenter, lpBottomCenter, lpRightTop, lpRightCenter, lpRighBottom,
         lpTopRight, lpBottomRight)
} // namespace KelDateTimePicker

class TKelDateTimePicker : public TCustomDateTimePicker {
    RTL_CLASS(TKelDateTimePicker)
public:
    using TLabelPosition = KelDateTimePicker::TLabelPosition;

    explicit TKelDateTimePicker(TComponent* AOwner);
    ~TKelDateTimePicker() override;
    void BeforeDestruction() override;

    bool IsEmbedded() const override { return false; }

    TKelDateTimeKind Kind() const { return FKind; }
    void SetKind(TKelDateTimeKind Value) { WriteKind(Value); }
    void WriteKind(TKelDateTimeKind Value);

    // The whole value; with a time part its time of day is the part's.
    TDateTime DateTime() const { return ReadDateTime(); }
    TDateTime ReadDateTime() const;
    virtual void SetDateTime(TDateTime Value);
    TDateTime Date() const;
    // Keeps the current time of day (whole seconds).
    void SetDate(TDateTime Value) { WriteDate(Value); }
    void WriteDate(TDateTime Value);
    TDateTime Time() const { return ReadTime(); }
    TDateTime ReadTime() const;
    // Ignored while the date is 0.
    void SetTime(TDateTime Value) { WriteTime(Value); }
    void WriteTime(TDateTime Value);

    const String& Format() const { return TCustomDateTimePicker::Format(); }
    void SetFormat(const String& Value);
    const String& TimeFormat() const { return FTimeFormat; }
    void SetTimeFormat(const String& Value);
    TDateTime MinTime() const { return FMinTime; }
    void SetMinTime(TDateTime Value) { FMinTime = Value; }
    TDateTime MaxTime() const { return FMaxTime; }
    void SetMaxTime(TDateTime Value) { FMaxTime = Value; }
    TDateTime NullDateDate() const { return FNullDateDate; }
    void SetNullDateDate(TDateTime Value);
    const String& NullDateFormat() const { return FNullDateFormat; }
    void SetNullDateFormat(const String& Value);
    bool NullDateIsToday() const { return FNullDateIsToday; }
    void SetNullDateIsToday(bool Value) { FNullDateIsToday = Value; }

    void SetBorderStyle(TBorderStyle Value) override;
    void SetAutoTabToNext(bool Value) override;

    TKelToolTip* ToolTip() const { return FToolTip; }
    void SetToolTip(TKelToolTip* Value);
    // "1.3.6.2".
    String Version() const;
    void SetVersion(const String&) {}

    bool FocusLabel() const { return FFocusLabel; }
    void SetFocusLabel(bool Value);
    String LabelCaption() const;
    void SetLabelCaption(const String& Value);
    TLabelPosition LabelPosition() const { return FLabelPosition; }
    void SetLabelPosition(TLabelPosition Value);
    Integer LabelMargin() const { return FLabelMargin; }
    void SetLabelMargin(Integer Value);
    bool LabelTransparent() const { return FLabelTransparent; }
    void SetLabelTransparent(bool Value);
    bool LabelAlwaysEnabled() const { return FLabelAlwaysEnabled; }
    void SetLabelAlwaysEnabled(bool Value);
    TFont* LabelFont() const { return FLabelFont.get(); }
    void SetLabelFont(const TFont* Value) { FLabelFont->Assign(Value); }
    TLabel* PickerLabel() const { return FLabel; }
    TCustomDateTimePicker* TimePicker() const { return FTimePicker; }

    // The validation balloon beside the control (made on first use; never
    // takes the activation) and its removal.
    void ShowValidation(const String& Text);
    void HideValidation();
    TKelToolTipWindow* ValidationWindow() const { return FToolTipWindow; }

    // Leaving the control (the grid calls it for its editor).
    void HandleExit();

    TNotifyEvent OnTimeChange;
    TNotifyEvent OnCheckClick;
    TNotifyEvent OnLabelClick;
    TNotifyEvent OnLabelDblClick;

    void SetParent(TWinControl* AParent) override;
    void SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) override;
    void WndProc(TMessage& Message) override;
    void Loaded() override;

protected:
    virtual void DoCheckClick();
    virtual void DoChange();
    virtual void DoClick();
    virtual void DoTimePickerKeyPress(TObject* Sender, Char& Key);
    void DoShiftFocus() override;
    void KeyPress(Char& Key) override;
    void KeyUp(Word& Key, TShiftState Shift) override;
    void Change() override;
    void DoEnter() override;
    void DoExit() override;
    void CreateWnd() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    void ApplyDateTime(TDateTime Value);
    void ApplyNullDateFormat();
    void RestoreFormats();
    void ApplyFormats(const String& DateFormat, const String& TimeFormat);
    void CreateTimePicker();
    void UpdateTimePicker();
    void TimePickerChange(TObject* Sender);
    void TimePickerKeyDown(TObject* Sender, Word& Key, TShiftState Shift);
    TDateTime ClampTime(TDateTime Value) const;
    void NeedLabel();
    void UpdateLabel();
    void PlaceLabel();
    void LabelFontChanged(TObject* Sender);
    void HandleNotify(TMessage& Message);
    bool Loading() const { return ComponentState().Contains(csLoading); }

    TKelDateTimeKind FKind = dkDateTime;
    String FTimeFormat;
    Word Fy = 0, Fmo = 0, Fd = 0;
    TLabel* FLabel = nullptr;
    std::unique_ptr<TFont> FLabelFont;
    TLabelPosition FLabelPosition = KelDateTimePicker::lpLeftTop;
    Integer FLabelMargin = 4;
    bool FLabelTransparent = false;
    bool FFocusLabel = false;
    bool FLabelAlwaysEnabled = false;
    bool FParentFnt = false;
    bool FIgnoreTimePickerCheck = false;
    bool FNullDateIsToday = false;
    Integer FLblFntHeight = -11;
    String FNullDateFormat;
    TDateTime FNullDateDate = 0;
    String FOriginalFormat;
    String FOriginalTimeFormat;
    bool FInternalChangedFlag = false;
    bool FOldCheck = true;
    TDateTime FMaxTime = 0;
    TDateTime FMinTime = 0;
    TKelToolTip* FToolTip = nullptr;
    TKelToolTipWindow* FToolTipWindow = nullptr;
    TCustomDateTimePicker* FTimePicker = nullptr;
};

#pragma once
// The time picker drop-down: a masked time-of-day edit (two-digit hours,
// minutes and optionally seconds joined by the locale time separator) whose
// pop-up holds an analog watch and, optionally, the platform's date-time
// picker in time mode. The time is typed into the mask, stepped field by
// field with Up and Down, set on the watch or in the picker; closing the
// pop-up without cancelling takes the watch's time.

#include "dropdown/KelDropDown.h"
#include "dropdown/KelWatch.h"

class TPanel;
class TDateTimePicker;

class TKelTimePickerDropDown : public TKelCustomDropDown {
    RTL_CLASS(TKelTimePickerDropDown)
public:
    explicit TKelTimePickerDropDown(TComponent* AOwner);
    ~TKelTimePickerDropDown() override;

    TDateTime Time() const { return FTime; }
    // Writes the text; fires no OnTimeChange.
    void SetTime(TDateTime Value);
    bool ShowSeconds() const { return FShowSeconds; }
    void SetShowSeconds(bool Value);
    Integer Resolution() const { return FResolution; }
    // Values above 30 are ignored.
    void SetResolution(Integer Value) {
        if (Value <= 30) FResolution = Value;
    }
    bool Animation() const { return FAnimation; }
    void SetAnimation(bool Value) { FAnimation = Value; }
    Integer AnimationFactor() const { return FAnimationFactor; }
    void SetAnimationFactor(Integer Value) { FAnimationFactor = Value; }
    bool ShowWatchAMPM() const { return FShowWatchAMPM; }
    void SetShowWatchAMPM(bool Value) { FShowWatchAMPM = Value; }
    bool ShowWatchNumbers() const { return FShowWatchNumbers; }
    void SetShowWatchNumbers(bool Value) { FShowWatchNumbers = Value; }
    bool ShowTimePicker() const { return FShowTimePicker; }
    void SetShowTimePicker(bool Value) { FShowTimePicker = Value; }
    TWatchAppearance* WatchAppearance() const { return FWatchAppearance.get(); }
    void SetWatchAppearance(const TWatchAppearance* Value) { FWatchAppearance->Assign(Value); }
    TWatchSettings* WatchSettings() const { return FWatchSettings.get(); }
    void SetWatchSettings(const TWatchSettings* Value) { FWatchSettings->Assign(Value); }
    TKelWatch* Watch() const { return FKelWatch; }
    TDateTimePicker* DateTimePicker() const { return FDateTimePicker; }

    // The text of a time in this control's format.
    String TimeText(TDateTime Value) const;
    bool Validate(const String& Value, Integer& Pos) override;

    TNotifyEvent OnTimeChange;

protected:
    void CreateDropDownForm() override;
    void DoBeforeDropDown() override;
    void DoShowDropDown() override;
    void DoHideDropDown(bool Cancel) override;
    void AfterHideDropDown() override;
    void ForwardFormKeyDown(TObject* Sender, Word& Key, TShiftState Shift) override;
    void ForwardFormKeyUp(TObject* Sender, Word& Key, TShiftState Shift) override;
    void ForwardControlKeyDown(TObject* Sender, Word& Key, TShiftState Shift) override;
    void ForwardControlKeyUp(TObject* Sender, Word& Key, TShiftState Shift) override;
    void ForwardControlKeyPress(TObject* Sender, Char& Key) override;
    void WriteText(const String& Value) override;
    void DoSetComponentStyle(TKelStyle AStyle) override;
    void Change() override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    void DoExit() override;

private:
    String MaskText() const;
    void UpdateEditMask();
    // The text parsed as a time; nothing when it does not parse.
    std::optional<TDateTime> ParseText() const;
    bool HasValidSeparators(const String& Text) const;
    void SetHourField(Integer Value);
    void SetMinuteField(Integer Value);
    void SetSecondField(Integer Value);
    void SetField(Integer Index, Integer Value);
    void WatchChanged(TObject* Sender);
    void PickerChanged(TObject* Sender);
    static bool PageOrArrow(Word Key) { return Key == 33 || Key == 34 || Key == 38 || Key == 40; }

    bool FShowTimePicker = false;
    TKelWatch* FKelWatch = nullptr;
    TDateTimePicker* FDateTimePicker = nullptr;
    TPanel* FPanelCtrl = nullptr;
    std::unique_ptr<TWatchAppearance> FWatchAppearance;
    bool FShowWatchAMPM = true;
    bool FShowWatchNumbers = true;
    bool FAnimation = true;
    Integer FAnimationFactor = 10;
    TDateTime FTime = 0;
    std::unique_ptr<TWatchSettings> FWatchSettings;
    bool FInternalCall = false;
    bool FShowSeconds = true;
    Integer FResolution = 0;
};

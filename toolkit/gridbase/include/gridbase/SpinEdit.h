#pragma once
// The spin editor: a one-line edit with an attached spin button pair that
// steps an integer, a float, a date or a time. Every reading and writing of
// the text uses the global locale settings (FormatSettings), read anew at
// every use. The string grid's spin in-place editor derives from it.

#include "gridbase/SpinButton.h"
#include "rtl/TypeInfo.h"
#include "vcl/Mask.h"

#include <atomic>

RTL_ENUM(TVazSpinType, sptNormal, sptFloat, sptDate, sptTime)
RTL_ENUM(TEditAlign, eaLeft, eaRight, eaCenter)

// The default system beep of the editors (a refused key, a spin of a
// read-only edit). The desktop has no sound here; the count shows it.
void EditorBeep();
Integer EditorBeepCount();

class TVazSpinEdit : public TCustomMaskEdit {
    RTL_CLASS(TVazSpinEdit)
public:
    explicit TVazSpinEdit(TComponent* AOwner);
    ~TVazSpinEdit() override;

    TVazSpinButton* Button() const { return FButton; }

    TVazSpinType SpinType() const { return FSpinType; }
    void SetSpinType(TVazSpinType Value) { WriteSpinType(Value); }
    void WriteSpinType(TVazSpinType Value);

    // Value and FloatValue live only in the text.
    Integer Value() const { return ReadValue(); }
    void SetValue(Integer Value) { WriteValue(Value); }
    Integer ReadValue() const;
    void WriteValue(Integer Value);
    Double FloatValue() const { return ReadFloatValue(); }
    void SetFloatValue(Double Value) { WriteFloatValue(Value); }
    Double ReadFloatValue() const;
    void WriteFloatValue(Double Value);
    TDateTime DateValue() const { return ReadDateValue(); }
    void SetDateValue(TDateTime Value) { WriteDateValue(Value); }
    TDateTime ReadDateValue() const;
    void WriteDateValue(TDateTime Value);
    TDateTime TimeValue() const { return ReadTimeValue(); }
    void SetTimeValue(TDateTime Value) { WriteTimeValue(Value); }
    TDateTime ReadTimeValue() const;
    void WriteTimeValue(TDateTime Value);

    // Equal limits (as 0 and 0) mean no limit.
    Integer MinValue() const { return FMinValue; }
    void SetMinValue(Integer Value) { FMinValue = Value; }
    Integer MaxValue() const { return FMaxValue; }
    void SetMaxValue(Integer Value) { FMaxValue = Value; }
    Double MinFloatValue() const { return FMinFloatValue; }
    void SetMinFloatValue(Double Value) { FMinFloatValue = Value; }
    Double MaxFloatValue() const { return FMaxFloatValue; }
    void SetMaxFloatValue(Double Value) { FMaxFloatValue = Value; }
    TDateTime MinDateValue() const { return FMinDateValue; }
    void SetMinDateValue(TDateTime Value) { FMinDateValue = Value; }
    TDateTime MaxDateValue() const { return FMaxDateValue; }
    void SetMaxDateValue(TDateTime Value) { FMaxDateValue = Value; }

    Integer Increment() const { return FIncrement; }
    void SetIncrement(Integer Value) { FIncrement = Value; }
    Double IncrementFloat() const { return FIncrementFloat; }
    void SetIncrementFloat(Double Value) { FIncrementFloat = Value; }
    Double IncrementFloatPage() const { return FIncrementFloatPage; }
    void SetIncrementFloatPage(Double Value) { FIncrementFloatPage = Value; }
    Integer IncrementHours() const { return FIncrementHours; }
    void SetIncrementHours(Integer Value) { FIncrementHours = Value; }
    Integer IncrementMinutes() const { return FIncrementMinutes; }
    void SetIncrementMinutes(Integer Value) { FIncrementMinutes = Value; }
    Integer IncrementSeconds() const { return FIncrementSeconds; }
    void SetIncrementSeconds(Integer Value) { FIncrementSeconds = Value; }
    Integer Precision() const { return FPrecision; }
    void SetPrecision(Integer Value);
    bool ShowSeconds() const { return FShowSeconds; }
    void SetShowSeconds(bool Value) { FShowSeconds = Value; }
    bool EditorEnabled() const { return FEditorEnabled; }
    void SetEditorEnabled(bool Value) { FEditorEnabled = Value; }
    bool ReturnIsTab() const { return FReturnIsTab; }
    void SetReturnIsTab(bool Value) { FReturnIsTab = Value; }
    bool ExcelStyleDecimalSeparator() const { return FExcelStyleDecimalSeparator; }
    void SetExcelStyleDecimalSeparator(bool Value) { FExcelStyleDecimalSeparator = Value; }
    // Read by the string grid: an empty text stores an empty cell.
    bool AllowEmptyValue() const { return FAllowEmptyValue; }
    void SetAllowEmptyValue(bool Value) { FAllowEmptyValue = Value; }
    TSpinDirection Direction() const { return FDirection; }
    void SetDirection(TSpinDirection Value);
    TEditAlign EditAlign() const { return FEditAlign; }
    void SetEditAlign(TEditAlign Value);
    bool SpinFlat() const { return FSpinFlat; }
    void SetSpinFlat(bool Value);
    bool SpinTransparent() const { return FSpinTransparent; }
    void SetSpinTransparent(bool Value);
    void SetIsWinXP(bool Value);

    // Month before day in the short date format (known after a date spin).
    bool UsDates() const { return FUsDates; }

    virtual void SpinUp(bool Page);
    virtual void SpinDown(bool Page);
    virtual bool IsValidChar(Char& Key);
    virtual void UpButtonClick(TObject* Sender);
    virtual void DownButtonClick(TObject* Sender);

    // The key handlers the string grid's editor calls from its overrides.
    void HandleWMChar(TMessage& Message);
    void HandleKeyDown(Word& Key, TShiftState Shift);
    void HandleKeyPress(Char& Key);

    void WndProc(TMessage& Message) override;

protected:
    void Loaded() override;
    void CreateWnd() override;
    void Resize() override;
    void KeyDown(Word& Key, TShiftState Shift) override { HandleKeyDown(Key, Shift); }
    void KeyPress(Char& Key) override { HandleKeyPress(Key); }
    void DoEnter() override;
    void DoExit() override;

private:
    Integer ClampInt(Integer V) const;
    Double ClampFloat(Double V) const;
    TDateTime ClampDate(TDateTime V) const;
    void Step(bool Up, bool Page);
    void StepDate(bool Up);
    void StepTime(bool Up);
    Integer MinHeight();
    void SetEditRect();
    void PlaceButton();
    void Relayout();

    Integer FMinValue = 0;
    Integer FMaxValue = 100;
    Double FMinFloatValue = 0;
    Double FMaxFloatValue = 100.0;
    TDateTime FMinDateValue = 0;
    TDateTime FMaxDateValue = 0;
    TDateTime FDateValue = 0;
    TDateTime FTimeValue = 0;
    Integer FIncrement = 1;
    Double FIncrementFloat = 0.1;
    TVazSpinButton* FButton = nullptr; // owned as a child component
    bool FEditorEnabled = true;
    TSpinDirection FDirection = spVertical;
    TVazSpinType FSpinType = sptNormal;
    Integer FPrecision = 0;
    bool FReturnIsTab = false;
    bool FIsWinXP = false;
    bool FExcelStyleDecimalSeparator = false;
    bool FUsDates = false;
    bool FShowSeconds = true;
    Integer FIncrementSeconds = 1;
    Integer FIncrementMinutes = 1;
    Integer FIncrementHours = 1;
    TEditAlign FEditAlign = eaLeft;
    bool FSpinFlat = false;
    bool FSpinTransparent = false;
    bool FAllowEmptyValue = false;
    Double FIncrementFloatPage = 1.0;
    bool FPlacing = false;
};

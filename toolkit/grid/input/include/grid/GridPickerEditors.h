#pragma once
// The grid's in-place editors for typed values: the spin editor (integers,
// floats, dates, times), the date or time picker, the combined date-and-time
// picker, the edit with a button and the value with a unit. Each belongs to
// its grid, hands Tab, Enter, Escape and the vertical keys back to it, and
// commits through the grid's validation; the grid's editing cycle places,
// fills and shows them and writes their values back into the edited cell.

#include "dropdown/KelDateTimePicker.h"
#include "gridbase/EditBtn.h"
#include "gridbase/SpinEdit.h"
#include "gridbase/VazDateTimePicker.h"
#include "rtl/TypeInfo.h"

class TZirOvararIzazInput;

class TGridSpin : public TVazSpinEdit {
    RTL_CLASS(TGridSpin)
public:
    // The owner must be a grid of this layer.
    explicit TGridSpin(TComponent* AOwner);

    void ReCreate();
    // Clamps the value to the limits even when minimum and maximum are equal.
    bool AlwaysValidate() const { return FAlwaysValidate; }
    void SetAlwaysValidate(bool Value) { FAlwaysValidate = Value; }
    // The value brought inside the limits (integers and floats only).
    void ClampToLimits();

    // The inherited step, then the grid's spin-click event of the type.
    void UpButtonClick(TObject* Sender) override;
    void DownButtonClick(TObject* Sender) override;

    void WndProc(TMessage& Message) override;

protected:
    void KeyPress(Char& Key) override;
    void DoExit() override;
    void Change() override;

private:
    // True when the key was one of the grid's and has been handled.
    bool GridKeyDown(Word& Key, TShiftState Shift);
    void FireSpinClick(bool Up);

    TZirOvararIzazInput* FGrid = nullptr;
    bool FAlwaysValidate = false;
};

class TGridDatePicker : public TVazDateTimePicker {
    RTL_CLASS(TGridDatePicker)
public:
    explicit TGridDatePicker(TComponent* AOwner);

    void ReCreate();
    bool Weeknumbers() const { return FWeeknumbers; }
    void SetWeeknumbers(bool Value) { FWeeknumbers = Value; }
    bool ShowToday() const { return FShowToday; }
    void SetShowToday(bool Value) { FShowToday = Value; }
    bool ShowTodayCircle() const { return FShowTodayCircle; }
    void SetShowTodayCircle(bool Value) { FShowTodayCircle = Value; }

    // After a typed digit: moves on to the next field when the one typed
    // into is complete and is not the last.
    virtual void CheckAutoTab();

    void WndProc(TMessage& Message) override;

protected:
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyPress(Char& Key) override;
    void DoExit() override;

private:
    TZirOvararIzazInput* FGrid = nullptr;
    bool FWeeknumbers = false;
    bool FShowToday = true;
    bool FShowTodayCircle = true;
    Word FYear = 0, FMonth = 0, FDay = 0, FHour = 0, FMinute = 0, FSecond = 0, FMilliSecond = 0;
};

class TGridDateTimePicker : public TKelDateTimePicker {
    RTL_CLASS(TGridDateTimePicker)
public:
    explicit TGridDateTimePicker(TComponent* AOwner);

    // The editing cycle widens the editor to at least this width (-1: none).
    Integer MinimumWidth() const { return FMinimumWidth; }
    void SetMinimumWidth(Integer Value) { FMinimumWidth = Value; }
    // The keys of the time part reach this editor's grid keys too.
    void HookTimePart();

    void WndProc(TMessage& Message) override;

protected:
    void KeyDown(Word& Key, TShiftState Shift) override;
    void DoExit() override;

private:
    // True when the key was one of the grid's and has been handled.
    bool GridKeyDown(Word& Key, TShiftState Shift);

    TZirOvararIzazInput* FGrid = nullptr;
    Integer FMinimumWidth = -1;
};

// The character filter of the numeric and float edit-with-button kinds,
// shared by the edit-with-button and the value-with-unit editors: false
// drops the character (a refused one has beeped).
bool GridButtonEditFilter(TCustomMaskEdit* Edit, TZirOvararIzazInput* Grid, Char& Ch);

class TGridEditBtn : public TVazEditBtn {
    RTL_CLASS(TGridEditBtn)
public:
    explicit TGridEditBtn(TComponent* AOwner);

    void ReCreate();
    // Ends the edit after the button was clicked.
    bool StopEditAfterClick() const { return FStopEditAfterClick; }
    void SetStopEditAfterClick(bool Value) { FStopEditAfterClick = Value; }

    void WndProc(TMessage& Message) override;

protected:
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyPress(Char& Key) override;
    void KeyUp(Word& Key, TShiftState Shift) override;
    void DblClick() override;
    void DoExit() override;
    void Change() override;

private:
    void ButtonClicked(TObject* Sender);
    void HandlePaste();
    void LookupCompletion();
    // Left at the start or Right at the end of the text moves on to the
    // neighbour cell.
    void CursorWalk(Word& Key, TShiftState Shift);

    TZirOvararIzazInput* FGrid = nullptr;
    bool FStopEditAfterClick = false;
    bool FWorkMode = true;
    Integer FSelKeyDown = 0;
};

class TGridUnitEditBtn : public TVazUnitEditBtn {
    RTL_CLASS(TGridUnitEditBtn)
public:
    explicit TGridUnitEditBtn(TComponent* AOwner);

    void ReCreate();

    void WndProc(TMessage& Message) override;

protected:
    void KeyDown(Word& Key, TShiftState Shift) override;
    void DoExit() override;

private:
    void ButtonClicked(TObject* Sender);

    TZirOvararIzazInput* FGrid = nullptr;
};

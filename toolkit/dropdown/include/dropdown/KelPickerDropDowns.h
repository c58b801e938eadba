#pragma once
// Drop-downs that host a control of their own in the pop-up:
// TKelControlDropDown shows any control named in Control;
// TKelTrackBarDropDown edits an integer with a track bar, the Up and Down
// keys or a horizontal drag over the edit; TKelMemoDropDown edits a
// multi-line text in a memo while the edit shows its first line.

#include "dropdown/KelDropDown.h"
#include "rtl/StringList.h"
#include "vcl/StdCtrls.h"
#include "vcl/TrackBar.h"

class TKelControlDropDown : public TKelDropDown {
    RTL_CLASS(TKelControlDropDown)
public:
    explicit TKelControlDropDown(TComponent* AOwner) : TKelDropDown(AOwner) {}

protected:
    // At run time the hosted control moves into the (hidden) pop-up.
    void Loaded() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
};

class TKelTrackBarDropDown : public TKelCustomDropDown {
    RTL_CLASS(TKelTrackBarDropDown)
public:
    explicit TKelTrackBarDropDown(TComponent* AOwner);

    TTrackBar* TrackBar() const { return FTrackBar; }
    Integer Min() const { return FMin; }
    void SetMin(Integer Value) { WriteMin(Value); }
    Integer Max() const { return FMax; }
    void SetMax(Integer Value) { WriteMax(Value); }
    Integer Frequency() const { return FFrequency; }
    void SetFrequency(Integer Value) { WriteFrequency(Value); }
    Integer Position() const { return FPosition; }
    void SetPosition(Integer Value) { WritePosition(Value); }
    Integer PageSize() const { return FPageSize; }
    void SetPageSize(Integer Value) { WritePageSize(Value); }

    void WndProc(TMessage& Message) override;

    TNotifyEvent OnTrackChange;

protected:
    void CreateDropDownForm() override;
    void DoBeforeDropDown() override;
    Integer GetNullValue() const override { return FMin; }
    void Change() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;

    void WriteMin(Integer Value);
    void WriteMax(Integer Value);
    void WritePosition(Integer Value);
    void WriteFrequency(Integer Value);
    void WritePageSize(Integer Value);
    void TrackBarChanged(TObject* Sender);

    TTrackBar* FTrackBar = nullptr;
    Integer FMin = 0;
    Integer FFrequency = 1;
    Integer FPageSize = 2;
    Integer FMax = 10;
    Integer FPosition = 0;
    bool FMouseDraging = false;
    Integer FMouseX = 0;
};

class TKelMemoDropDown : public TKelCustomDropDown {
    RTL_CLASS(TKelMemoDropDown)
public:
    explicit TKelMemoDropDown(TComponent* AOwner);
    ~TKelMemoDropDown() override;

    TMemo* Memo() const { return FMemo; }
    // The memo's lines while it exists, else the stored lines.
    TStrings* MemoText() const { return ReadMemoText(); }
    void SetMemoText(const TStrings* Value) { WriteMemoText(Value); }
    TPopupMenu* MemoPopup() const { return FMemoPopup; }
    void SetMemoPopup(TPopupMenu* Value) { FMemoPopup = Value; }
    TScrollStyle MemoScrollBars() const { return FMemoScrollBars; }
    void SetMemoScrollBars(TScrollStyle Value) { FMemoScrollBars = Value; }
    bool MemoReadOnly() const { return FMemoReadOnly; }
    void SetMemoReadOnly(bool Value) { WriteMemoReadOnly(Value); }
    bool AutoDrop() const { return FAutoDrop; }
    void SetAutoDrop(bool Value) { FAutoDrop = Value; }

    TNotifyEvent OnMemoChange;

protected:
    void CreateDropDownForm() override;
    void DoBeforeDropDown() override;
    void DoHideDropDown(bool Cancel) override;
    void AfterHideDropDown() override;
    void ForwardControlKeyDown(TObject* Sender, Word& Key, TShiftState Shift) override;
    void ForwardControlKeyUp(TObject* Sender, Word& Key, TShiftState Shift) override;
    void ForwardControlKeyPress(TObject* Sender, Char& Key) override;
    void Change() override;
    void DoEnter() override;

    TStrings* ReadMemoText() const;
    void WriteMemoText(const TStrings* Value);
    void WriteMemoReadOnly(bool Value);
    void MemoChanged(TObject* Sender);
    void UpdateEditFromMemo(TObject* Sender);
    void BindStoredLines(bool Bound);

    TPopupMenu* FMemoPopup = nullptr;
    std::unique_ptr<TStringList> FMemoText;
    TMemo* FMemo = nullptr;
    TScrollStyle FMemoScrollBars = ssNone;
    bool FMemoReadOnly = false;
    bool FInternalUpdate = false;
    bool FAutoDrop = false;
    // The lines held when the pop-up opened; a cancel brings them back.
    std::unique_ptr<TStringList> FOpenedLines;
};

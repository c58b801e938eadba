#pragma once
// The flat date-time picker: the platform picker with its own border and
// drop-down button painting (a fixed border colour, a coloured button, the
// flat "metro" look), the base of the string grid's date and time editor.

#include "rtl/TypeInfo.h"
#include "vcl/DateTimePicker.h"

class TVazDateTimePicker : public TDateTimePicker {
    RTL_CLASS(TVazDateTimePicker)
public:
    explicit TVazDateTimePicker(TComponent* AOwner);

    TBorderStyle BorderStyle() const { return FBorderStyle; }
    virtual void SetBorderStyle(TBorderStyle Value);
    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor Value) { WriteBorderColor(Value); }
    void WriteBorderColor(TColor Value);
    bool MetroStyle() const { return FMetroStyle; }
    void SetMetroStyle(bool Value) { WriteMetroStyle(Value); }
    void WriteMetroStyle(bool Value);
    bool IsWinXP() const { return FIsWinXP; }
    void SetIsWinXP(bool Value) { FIsWinXP = Value; }
    Integer ButtonWidth() const { return FButtonWidth; }

    TColor ButtonColor() const { return FButtonColor; }
    void SetButtonColor(TColor Value) { SetAndRepaint(FButtonColor, Value); }
    TColor ButtonColorHot() const { return FButtonColorHot; }
    void SetButtonColorHot(TColor Value) { SetAndRepaint(FButtonColorHot, Value); }
    TColor ButtonColorDown() const { return FButtonColorDown; }
    void SetButtonColorDown(TColor Value) { SetAndRepaint(FButtonColorDown, Value); }
    TColor ButtonTextColor() const { return FButtonTextColor; }
    void SetButtonTextColor(TColor Value) { SetAndRepaint(FButtonTextColor, Value); }
    TColor ButtonTextColorHot() const { return FButtonTextColorHot; }
    void SetButtonTextColorHot(TColor Value) { SetAndRepaint(FButtonTextColorHot, Value); }
    TColor ButtonTextColorDown() const { return FButtonTextColorDown; }
    void SetButtonTextColorDown(TColor Value) { SetAndRepaint(FButtonTextColorDown, Value); }
    TColor ButtonBorderColor() const { return FButtonBorderColor; }
    void SetButtonBorderColor(TColor Value) { SetAndRepaint(FButtonBorderColor, Value); }

    // "1.0.0.0": the four bytes of the version number from the highest.
    String Version() const;
    void SetVersion(const String&) {}
    Integer GetVersionNr() const { return 0x01000000; }

    // The painting decisions, answered for the present state.
    bool MetroActive() const;
    bool Themed() const;
    bool Border3DWanted() const;
    bool Button3DWanted() const;
    bool MouseInControl() const { return FMouseInControl; }
    bool ButtonHover() const { return FButtonHover; }

    void HandleWMNCPaint(TMessage& Message);
    void HandleWindowMessage(TMessage& Message);
    void HandleKeyPress(Char& Key) { TDateTimePicker::KeyPress(Key); }

    void WndProc(TMessage& Message) override { HandleWindowMessage(Message); }

    void DrawControl();
    void DrawBorders(TCanvas* C);
    void DrawButton(TCanvas* C);
    void DrawButtonFace(TCanvas* C);
    void DrawFlatFrame(TCanvas* C);

protected:
    void Paint() override;
    void KeyPress(Char& Key) override { HandleKeyPress(Key); }
    void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
    void MouseEnter() override;
    void MouseLeave() override;
    void DoEnter() override;
    void DoExit() override;

private:
    void SetAndRepaint(TColor& Field, TColor Value);
    void Repaint3D();
    bool Designing() const { return ComponentState().Contains(csDesigning); }

    TBorderStyle FBorderStyle = bsNone;
    TColor FBorderColor = clNone;
    bool FIsThemed = false;
    TColor FButtonColorDown = clNone;
    TColor FButtonBorderColor = clNone;
    TColor FButtonTextColor = clNone;
    TColor FButtonTextColorHot = clNone;
    TColor FButtonColor = clNone;
    TColor FButtonColorHot = clNone;
    TColor FButtonTextColorDown = clNone;
    Integer FButtonWidth = 19;
    bool FButtonHover = false;
    bool FMouseInControl = false;
    bool FIsWinXP = false;
    bool FMetroStyle = false;
    TColor FFocusBorderColor = clNone;
    bool FDisabledBorder = false;
    bool FHasFocus = false;
    bool FFocusBorder = false;
};

#pragma once
// The owner-drawn check box of the search bar, and the green arrow that
// shows where a dragged column or row will land.

#include "gridbase/GridTypes.h"
#include "vcl/ExtCtrls.h"
#include "vcl/StdCtrls.h"

// A check box that fires OnClick itself: after a click or Space released
// over it, whether or not ReadOnly lets the state change.
class TKelCheckBox : public TCustomControl {
    RTL_CLASS(TKelCheckBox)
public:
    explicit TKelCheckBox(TComponent* AOwner);
    ~TKelCheckBox() override;

    // Unless ReadOnly, inverts Checked.
    virtual void Toggle();

    bool Checked() const { return FState == cbChecked; }
    void SetChecked(bool Value);
    TCheckBoxState State() const { return FState; }
    // Repaints only the box.
    void SetState(TCheckBoxState Value);
    bool Down() const { return FDown; }
    void SetDown(bool Value) { FDown = Value; }
    // Left or right of the caption: taRightJustify puts the box at the right.
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);
    TTextLayout ButtonVertAlign() const { return FBtnVAlign; }
    void SetButtonVertAlign(TTextLayout Value);
    bool Ellipsis() const { return FEllipsis; }
    void SetEllipsis(bool Value);
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool Value) { FReadOnly = Value; }
    bool ReturnIsTab() const { return FReturnIsTab; }
    void SetReturnIsTab(bool Value) { FReturnIsTab = Value; }
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool Value);
    // Kept for the grid's settings; the background is the parent's colour,
    // so there is nothing to cache.
    bool TransparentChaching() const { return FTransparentCaching; }
    void SetTransparentChaching(bool Value) { FTransparentCaching = Value; }
    bool Hot() const { return FHot; }
    // The box's square side at the control's scale.
    Integer BoxSize() const;
    // Where the box is drawn in the client area.
    TRect BoxRect() const;

    void SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) override;

protected:
    void Paint() override;
    void WndProc(TMessage& Message) override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyUp(Word& Key, TShiftState Shift) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void MouseEnter() override;
    void MouseLeave() override;
    void DoEnter() override;
    void DoExit() override;

private:
    void InvalidateBox();

    bool FDown = false;
    TCheckBoxState FState = cbUnchecked;
    bool FFocused = false;
    bool FReturnIsTab = false;
    TTextLayout FBtnVAlign = tlTop;
    TAlignment FAlignment = taLeftJustify;
    bool FEllipsis = false;
    bool FHot = false;
    bool FReadOnly = false;
    bool FMouseDown = false;
    bool FTransparentCaching = false;
    bool FTransparent = false;
};

// A green arrow-shaped pop-up, hidden until the grid places it.
class TArrowWindow : public TPanel {
    RTL_CLASS(TArrowWindow)
public:
    explicit TArrowWindow(TComponent* AOwner);
    // The arrow of one direction, a child of AOwner's window.
    TArrowWindow(TWinControl* AOwner, TArrowDirection Direction);

    TArrowDirection Dir() const { return FDir; }
    // The seven corners of the window's shape.
    const TPoint* Arrow() const { return FArrow; }

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void Paint() override;

private:
    TArrowDirection FDir = arrUp;
    TPoint FArrow[7] = {};
};

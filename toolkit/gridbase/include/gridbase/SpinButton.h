#pragma once
// The spin buttons of the spin editor: a speed button that repeats its
// click while held (400 ms, then every 100 ms) and paints an arrow, and the
// windowed pair of an up and a down (or right and left) button.

#include "rtl/TypeInfo.h"
#include "vcl/Buttons.h"
#include "vcl/Timer.h"

RTL_ENUM(TSpinDirection, spVertical, spHorizontal)
RTL_ENUM(TButtonDirection, bdLeft, bdRight, bdUp, bdDown)
RTL_ENUM(TTimeBtnStateItem, tbFocusRect, tbAllowTimer)
using TTimeBtnState = TSet<TTimeBtnStateItem>;
RTL_SET_INFO(TTimeBtnState)

class TVazSpinButton;

class TKelTimerSpeedButton : public TSpeedButton {
    RTL_CLASS(TKelTimerSpeedButton)
public:
    explicit TKelTimerSpeedButton(TComponent* AOwner);
    ~TKelTimerSpeedButton() override;

    TTimeBtnState TimeBtnState() const { return FTimeBtnState; }
    void SetTimeBtnState(TTimeBtnState Value) { FTimeBtnState = Value; }
    TButtonDirection ButtonDirection() const { return FButtonDirection; }
    void SetButtonDirection(TButtonDirection Value);
    bool IsWinXP() const { return FIsWinXP; }
    void SetIsWinXP(bool Value) { FIsWinXP = Value; }
    bool HasMouse() const { return FHasMouse; }
    // The repeat timer; null until the first press that may repeat.
    TTimer* RepeatTimer() const { return FRepeatTimer; }

protected:
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void MouseEnter() override;
    void MouseLeave() override;

private:
    void TimerExpired();
    void InvalidateParent();

    TTimer* FRepeatTimer = nullptr; // owned
    TTimeBtnState FTimeBtnState;
    TButtonDirection FButtonDirection = bdUp;
    bool FIsWinXP = false;
    bool FHasMouse = false;
};

class TVazSpinButton : public TWinControl {
    RTL_CLASS(TVazSpinButton)
public:
    explicit TVazSpinButton(TComponent* AOwner);
    ~TVazSpinButton() override;

    TKelTimerSpeedButton* UpButton() const { return FUpButton; }
    TKelTimerSpeedButton* DownButton() const { return FDownButton; }
    // The button that carries the focus mark (Space clicks it).
    TKelTimerSpeedButton* FocusedButton() const { return FFocusedButton; }

    TSpinDirection Direction() const { return FDirection; }
    // Re-creates the window: 20 wide with right and left arrows, or 15
    // wide with up and down arrows.
    void SetDirection(TSpinDirection Value);
    TWinControl* FocusControl() const { return FFocusControl; }
    void SetFocusControl(TWinControl* Value);
    TBitmap* UpGlyph() const { return FUpButton->Glyph(); }
    // Nothing gives back the built-in arrow with one glyph.
    void SetUpGlyph(const TBitmap* Value);
    TBitmap* DownGlyph() const { return FDownButton->Glyph(); }
    void SetDownGlyph(const TBitmap* Value);
    Integer UpNumGlyphs() const { return FUpButton->NumGlyphs(); }
    void SetUpNumGlyphs(Integer Value) { FUpButton->SetNumGlyphs(Value); }
    Integer DownNumGlyphs() const { return FDownButton->NumGlyphs(); }
    void SetDownNumGlyphs(Integer Value) { FDownButton->SetNumGlyphs(Value); }
    void SetIsWinXP(bool Value);

    TColor ButtonColor() const { return FButtonColor; }
    void SetButtonColor(TColor Value);
    TColor ButtonColorHot() const { return FButtonColorHot; }
    void SetButtonColorHot(TColor Value) { FButtonColorHot = Value; }
    TColor ButtonColorDown() const { return FButtonColorDown; }
    void SetButtonColorDown(TColor Value) { FButtonColorDown = Value; }
    TColor ButtonTextColor() const { return FButtonTextColor; }
    void SetButtonTextColor(TColor Value) { FButtonTextColor = Value; }
    TColor ButtonTextColorHot() const { return FButtonTextColorHot; }
    void SetButtonTextColorHot(TColor Value) { FButtonTextColorHot = Value; }
    TColor ButtonTextColorDown() const { return FButtonTextColorDown; }
    void SetButtonTextColorDown(TColor Value) { FButtonTextColorDown = Value; }
    TColor ButtonBorderColor() const { return FButtonBorderColor; }
    void SetButtonBorderColor(TColor Value) { FButtonBorderColor = Value; }

    void SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) override;

    TNotifyEvent OnUpClick;
    TNotifyEvent OnDownClick;

protected:
    void Loaded() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void WndProc(TMessage& Message) override;
    void KeyDown(Word& Key, TShiftState Shift) override;

private:
    // Sizes the pair and places the buttons; answers the adjusted size.
    void AdjustSize(Integer& W, Integer& H);
    void BtnClick(TObject* Sender);
    void BtnMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, Integer X, Integer Y);
    void SetFocusBtn(TKelTimerSpeedButton* Btn);
    TKelTimerSpeedButton* CreateButton();

    TKelTimerSpeedButton* FUpButton = nullptr;
    TKelTimerSpeedButton* FDownButton = nullptr;
    TKelTimerSpeedButton* FFocusedButton = nullptr;
    TWinControl* FFocusControl = nullptr;
    TSpinDirection FDirection = spVertical;
    bool FIsWinXP = false;
    TColor FButtonColorDown = clNone;
    TColor FButtonBorderColor = clNone;
    TColor FButtonTextColor = clNone;
    TColor FButtonTextColorHot = clNone;
    TColor FButtonColor = clNone;
    TColor FButtonColorHot = clNone;
    TColor FButtonTextColorDown = clNone;
};

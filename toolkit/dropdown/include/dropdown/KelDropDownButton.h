#pragma once
// The button inside the right edge of every drop-down edit: a small
// windowed host (TDropDownEditButton) that keeps its width and turns a
// left-button release on its speed button into OnClick, and the speed
// button (TKelDropDownSpeedButton) that paints a combo-box arrow or a push
// button, with custom colours, a glyph or the classic look.

#include "vcl/Buttons.h"

class TKelCustomDropDown;

RTL_ENUM(TButtonStyle, bsButton, bsDropDown)

class TKelDropDownSpeedButton : public TSpeedButton {
    RTL_CLASS(TKelDropDownSpeedButton)
public:
    explicit TKelDropDownSpeedButton(TComponent* AOwner);

    TButtonStyle ButtonStyle() const { return FButtonStyle; }
    void SetButtonStyle(TButtonStyle Value);
    bool Etched() const { return FEtched; }
    void SetEtched(bool Value);
    // Only repaints; the painting does not read it.
    bool Focused() const { return FFocused; }
    void SetFocused(bool Value);
    bool Hot() const { return FHot; }
    // Marks the button as up for painting, so a pressed state is drawn up.
    void SetUp() { SetPaintUp(true); }

protected:
    void Paint() override;
    void MouseEnter() override;
    void MouseLeave() override;

private:
    // The drop-down edit the button belongs to (through its host), or null.
    TKelCustomDropDown* DropDown() const;
    void PaintArrow();
    void PaintPushButton();
    bool Pressed() const;

    Single FDPIScale = 1.0f;
    bool FEtched = false;
    bool FFocused = false;
    bool FHot = false;
    bool FIsWinXP = false;
    TButtonStyle FButtonStyle = bsDropDown;
};

class TDropDownEditButton : public TWinControl {
    RTL_CLASS(TDropDownEditButton)
public:
    // The owner must be a TKelCustomDropDown.
    explicit TDropDownEditButton(TComponent* AOwner);

    TKelDropDownSpeedButton* Button() const { return FButton; }
    TBitmap* Glyph() const { return FButton->Glyph(); }
    void SetGlyph(const TBitmap* Value) { FButton->SetGlyph(Value); }
    const String& ButtonCaption() const { return FButton->Caption(); }
    void SetButtonCaption(const String& Value) { FButton->SetCaption(Value); }
    Integer NumGlyphs() const { return FButton->NumGlyphs(); }
    void SetNumGlyphs(Integer Value) { FButton->SetNumGlyphs(Value); }
    TWinControl* FocusControl() const { return FFocusControl; }
    void SetFocusControl(TWinControl* Value);
    // The width the host keeps (16 at creation).
    Integer ButtonWidth() const { return FBWidth; }
    void SetButtonWidth(Integer Value);

#define DROPDOWN_BUTTON_COLOR(Name)                                                                          \
    TColor Name() const { return F##Name; }                                                                  \
    void Set##Name(TColor Value) {                                                                           \
        F##Name = Value;                                                                                     \
        FButton->Invalidate();                                                                               \
    }
    DROPDOWN_BUTTON_COLOR(ButtonColor)
    DROPDOWN_BUTTON_COLOR(ButtonColorHot)
    DROPDOWN_BUTTON_COLOR(ButtonColorDown)
    DROPDOWN_BUTTON_COLOR(ButtonTextColor)
    DROPDOWN_BUTTON_COLOR(ButtonTextColorHot)
    DROPDOWN_BUTTON_COLOR(ButtonTextColorDown)
    DROPDOWN_BUTTON_COLOR(ButtonBorderColor)
#undef DROPDOWN_BUTTON_COLOR

    void SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) override;
    void WndProc(TMessage& Message) override;

    TNotifyEvent OnClick;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void Loaded() override;

private:
    void HandleButtonMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, Integer X, Integer Y);
    void EnforceWidth();

    TKelDropDownSpeedButton* FButton = nullptr;
    TWinControl* FFocusControl = nullptr;
    Integer FBWidth = 16;
    TColor FButtonColorDown = clNone;
    TColor FButtonBorderColor = clNone;
    TColor FButtonTextColor = clNone;
    TColor FButtonTextColorHot = clNone;
    TColor FButtonColor = clNone;
    TColor FButtonColorHot = clNone;
    TColor FButtonTextColorDown = clNone;
};

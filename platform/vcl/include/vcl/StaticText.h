#pragma once
// Static text: a label with a window of its own, so it can sit above other
// windowed controls and carry a border. Its accelerator focuses
// FocusControl.

#include "rtl/Alignment.h"
#include "vcl/Controls.h"

RTL_ENUM(TStaticBorderStyle, sbsNone, sbsSingle, sbsSunken)

class TCustomStaticText : public TCustomControl {
    RTL_CLASS(TCustomStaticText)
public:
    explicit TCustomStaticText(TComponent* AOwner);

    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);
    // With AutoSize the control takes the size of its text and border.
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool Value);
    TStaticBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TStaticBorderStyle Value);
    TWinControl* FocusControl() const { return FFocusControl; }
    void SetFocusControl(TWinControl* Value);
    bool ShowAccelChar() const { return FShowAccelChar; }
    void SetShowAccelChar(bool Value);
    bool Transparent() const { return !ControlStyle().Contains(csOpaque); }
    void SetTransparent(bool Value);

    void WndProc(TMessage& Message) override;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void Loaded() override;
    void Paint() override;
    void AdjustBounds();

private:
    Integer BorderWidth() const;
    Cardinal TextFlags() const;

    TAlignment FAlignment = taLeftJustify;
    bool FAutoSize = true;
    TStaticBorderStyle FBorderStyle = sbsNone;
    TWinControl* FFocusControl = nullptr;
    bool FShowAccelChar = true;
};

class TStaticText : public TCustomStaticText {
    RTL_CLASS(TStaticText)
public:
    explicit TStaticText(TComponent* AOwner) : TCustomStaticText(AOwner) {}
};

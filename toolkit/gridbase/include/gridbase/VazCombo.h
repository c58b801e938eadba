#pragma once
// The flat combo box: a combo that paints its own border and drop-down
// button (flat, with fixed or focus border colours, or with a coloured
// button), can carry an attached caption label, and changes colour and
// label boldness on focus. The string grid's combo editors derive from it.

#include "rtl/TypeInfo.h"
#include "vcl/StdCtrls.h"

RTL_ENUM(TLabelPosition, lpLeftTop, lpLeftCenter, lpLeftBottom, lpTopLeft, lpBottomLeft, lpLeftTopLeft,
         lpLeftCenterLeft, lpLeftBottomLeft, lpTopCenter, lpBottomCenter, lpRightTop, lpRightCenter,
         lpRighBottom)

class TVazCustomCombo : public TCustomComboBox {
    RTL_CLASS(TVazCustomCombo)
public:
    explicit TVazCustomCombo(TComponent* AOwner);
    ~TVazCustomCombo() override;

    // The attached label; null until a label property needs it.
    TLabel* ComboLabel() const { return FLabel; }

    TColor ButtonColor() const { return FButtonColor; }
    void SetButtonColor(TColor Value) { SetColorAndRepaint(FButtonColor, Value); }
    TColor ButtonColorHot() const { return FButtonColorHot; }
    void SetButtonColorHot(TColor Value) { SetColorAndRepaint(FButtonColorHot, Value); }
    TColor ButtonColorDown() const { return FButtonColorDown; }
    void SetButtonColorDown(TColor Value) { SetColorAndRepaint(FButtonColorDown, Value); }
    TColor ButtonTextColor() const { return FButtonTextColor; }
    void SetButtonTextColor(TColor Value) { SetColorAndRepaint(FButtonTextColor, Value); }
    TColor ButtonTextColorHot() const { return FButtonTextColorHot; }
    void SetButtonTextColorHot(TColor Value) { SetColorAndRepaint(FButtonTextColorHot, Value); }
    TColor ButtonTextColorDown() const { return FButtonTextColorDown; }
    void SetButtonTextColorDown(TColor Value) { SetColorAndRepaint(FButtonTextColorDown, Value); }
    TColor ButtonBorderColor() const { return FButtonBorderColor; }
    void SetButtonBorderColor(TColor Value) { SetColorAndRepaint(FButtonBorderColor, Value); }

    bool DisabledBorder() const { return FDisabledBorder; }
    void SetDisabledBorder(bool Value) { FDisabledBorder = Value; }
    // Set by the host: the Windows-XP look and Vista-or-later with version 6
    // common controls.
    bool IsWinXP() const { return FIsWinXP; }
    void SetIsWinXP(bool Value) { FIsWinXP = Value; }
    bool IsVista() const { return FIsVista; }
    void SetIsVista(bool Value) { FIsVista = Value; }

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

    bool AutoFocus() const { return FAutoFocus; }
    void SetAutoFocus(bool Value) { FAutoFocus = Value; }
    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor Value);
    Integer ButtonWidth() const { return FButtonWidth; }
    // Accepted only above 13 and up to 32.
    void SetButtonWidth(Integer Value);
    bool Flat() const { return FFlat; }
    void SetFlat(bool Value);
    TColor FlatLineColor() const { return FFlatLineColor; }
    void SetFlatLineColor(TColor Value) { SetColorAndRepaint(FFlatLineColor, Value); }
    bool FlatParentColor() const { return FFlatParentColor; }
    void SetFlatParentColor(bool Value);
    // Stored only; the painting does not use it.
    bool Etched() const { return FEtched; }
    void SetEtched(bool Value);
    bool FocusBorder() const { return FFocusBorder; }
    void SetFocusBorder(bool Value) { FFocusBorder = Value; }
    TColor FocusBorderColor() const { return FFocusBorderColor; }
    void SetFocusBorderColor(TColor Value) { FFocusBorderColor = Value; }
    TColor FocusColor() const { return FFocusColor; }
    void SetFocusColor(TColor Value) { FFocusColor = Value; }
    bool FocusLabel() const { return FFocusLabel; }
    void SetFocusLabel(bool Value) { FFocusLabel = Value; }
    Integer DropWidth() const { return FDropWidth; }
    void SetDropWidth(Integer Value);

    // The colour; unfocused it is also the colour restored after a focus
    // colour, and while loading the colour as streamed.
    void WriteColor(TColor Value);
    void WriteEnabled(bool Value);
    void WriteVisible(bool Value);
    void SetEnabled(bool Value) override { WriteEnabled(Value); }
    void SetVisible(bool Value) override { WriteVisible(Value); }
    void SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) override;

    // The colour to restore when the focus leaves.
    TColor NormalColor() const { return FNormalColor; }
    // Records the current colour as the colour restored on focus loss.
    void Init() { FNormalColor = Color(); }
    // Selects the first item equal to Text; nothing when there is none.
    void SelectItem(const String& Text);
    // What the string grid's editor calls from its own focus handler.
    void HandleWMSetFocus();
    void HandleWMKillFocus();

    // The painting decisions, answered for the present state.
    bool Border3DWanted() const;
    bool Button3DWanted() const;
    bool Themed() const;
    bool CustomDrawingNeeded() const;
    // Whether the client painting draws its own button face.
    bool OwnButtonFace() const;
    bool MouseInControl() const { return FMouseInControl; }
    bool ButtonHover() const { return FButtonHover; }
    bool HasFocus() const { return FHasFocus; }

    TNotifyEvent OnDropUp;

    void WndProc(TMessage& Message) override;

protected:
    void Loaded() override;
    void Paint() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
    void MouseEnter() override;
    void MouseLeave() override;
    void DoEnter() override;
    void DoExit() override;

    void DrawControl();
    void DrawBorders(TCanvas* C);
    void DrawButton(TCanvas* C);
    void DrawButtonFace(TCanvas* C);
    void UpdateLabel();

private:
    void SetColorAndRepaint(TColor& Field, TColor Value);
    void EnsureLabel();
    void LabelFontChanged(TObject* Sender);
    bool IsActive() const;
    bool Designing() const;
    bool Loading() const;
    void RepaintFrame();

    bool FAutoFocus = false;
    bool FFlat = false;
    bool FEtched = false;
    TColor FOldColor = clWindow;
    TColor FLoadedColor = clWindow;
    bool FOldParentColor = false;
    Integer FButtonWidth = 19;
    bool FFocusBorder = false;
    bool FMouseInControl = false;
    Integer FDropWidth = 0;
    bool FIsWinXP = false;
    bool FIsThemed = false;
    bool FButtonHover = false;
    bool FLabelAlwaysEnabled = false;
    bool FLabelTransparent = false;
    Integer FLabelMargin = 4;
    std::unique_ptr<TFont> FLabelFont;
    TLabelPosition FLabelPosition = lpLeftTop;
    TLabel* FLabel = nullptr; // owned as a component
    TColor FFlatLineColor = clNone;
    bool FFlatParentColor = true;
    TColor FFocusColor = clNone;
    TColor FFocusBorderColor = clNone;
    TColor FBorderColor = clNone;
    bool FDisabledBorder = true;
    TColor FNormalColor = clWindow;
    bool FHasFocus = false;
    bool FFocusLabel = false;
    TColor FButtonColorDown = clNone;
    TColor FButtonBorderColor = clNone;
    TColor FButtonTextColor = clNone;
    TColor FButtonTextColorHot = clNone;
    TColor FButtonColor = clNone;
    TColor FButtonColorHot = clNone;
    TColor FButtonTextColorDown = clNone;
    bool FIsVista = false;
    bool FWasEnabled = true;
};

class TVazComboBox : public TVazCustomCombo {
    RTL_CLASS(TVazComboBox)
public:
    explicit TVazComboBox(TComponent* AOwner) : TVazCustomCombo(AOwner) {}
};

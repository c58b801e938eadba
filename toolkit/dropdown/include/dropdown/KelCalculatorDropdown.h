#pragma once
// The calculator drop-down: a self-painted key panel (TCustomButtonPanel)
// whose keys are glossy GDI+ faces in the colours of a TButtonAppearance,
// laid out as the 28-key calculator or placed by code, and the drop-down
// edit TKelCalculatorDropdown whose pop-up hosts that panel and drives a
// four-function calculator with an accumulator, one pending operator,
// percent, square root, reciprocal, sign change and a memory register.

#include "dropdown/KelDropDown.h"
#include "dropdown/KelItemSelector.h"
#include "graphics/Picture.h"
#include "rtl/Collection.h"

RTL_ENUM(TButtonPanelType, plCalculator, plCustom)

using TCalculatorButtonClickEvent = std::function<void(TObject* Sender, Integer Index)>;

class TKelCustomDropDown;

class TCalcButtonItem : public TCollectionItem {
    RTL_CLASS(TCalcButtonItem)
public:
    explicit TCalcButtonItem(TCollection* ACollection);
    ~TCalcButtonItem() override;
    // Caption, CaptionColor, Tag, ImageIndex, Image, Enabled and Name; not
    // Special nor the geometry.
    void Assign(const TPersistent* Source) override;

    const String& Caption() const { return FCaption; }
    void SetCaption(const String& Value) { FCaption = Value; }
    TColor CaptionColor() const { return FCaptionColor; }
    void SetCaptionColor(TColor Value) { FCaptionColor = Value; }
    Integer ImageIndex() const { return FImageIndex; }
    void SetImageIndex(Integer Value) { FImageIndex = Value; }
    TPicture* Image() const { return FImage.get(); }
    void SetImage(const TPicture* Value) { FImage->Assign(Value); }
    Integer Tag() const { return FTag; }
    void SetTag(Integer Value) { FTag = Value; }
    // A disabled key never becomes hot or pressed.
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value) { FEnabled = Value; }
    const String& Name() const { return FName; }
    void SetName(const String& Value) { FName = Value; }
    // The caption is painted in SpecialTextColor.
    bool Special() const { return FSpecial; }
    void SetSpecial(bool Value) { FSpecial = Value; }
    Integer Left() const { return FLeft; }
    void SetLeft(Integer Value) { FLeft = Value; }
    Integer Top() const { return FTop; }
    void SetTop(Integer Value) { FTop = Value; }
    Integer Width() const { return FWidth; }
    void SetWidth(Integer Value) { FWidth = Value; }
    Integer Height() const { return FHeight; }
    void SetHeight(Integer Value) { FHeight = Value; }
    TRect Rect() const { return TRect(FLeft, FTop, FLeft + FWidth, FTop + FHeight); }

private:
    String FCaption;
    Integer FImageIndex = -1;
    bool FEnabled = true;
    std::unique_ptr<TPicture> FImage;
    Integer FTag = 0;
    Integer FHeight = 0;
    Integer FLeft = 0;
    Integer FWidth = 0;
    Integer FTop = 0;
    String FName;
    TColor FCaptionColor = 0xFFFFFF;
    bool FSpecial = false;
};

class TCalcButtonItems : public TOwnedCollection {
    RTL_CLASS(TCalcButtonItems)
public:
    explicit TCalcButtonItems(TPersistent* AOwner);
    TCalcButtonItem* Add() { return static_cast<TCalcButtonItem*>(TCollection::Add()); }
    TCalcButtonItem* Insert(Integer Index) { return static_cast<TCalcButtonItem*>(TCollection::Insert(Index)); }
    TCalcButtonItem* GetItem(Integer Index) const { return static_cast<TCalcButtonItem*>(Items(Index)); }
    void SetItem(Integer Index, const TCalcButtonItem* Value) { SetItems(Index, Value); }
    TNotifyEvent OnChange;
};

class TButtonAppearance : public TPersistent {
    RTL_CLASS(TButtonAppearance)
public:
    TButtonAppearance();
    ~TButtonAppearance() override;
    void Assign(const TPersistent* Source) override;

#define KEL_BUTTON_COLOR(Name)                                                                                   \
    TColor Name() const { return F##Name; }                                                                     \
    void Set##Name(TColor Value) { SetColorField(F##Name, Value); }
    KEL_BUTTON_COLOR(BorderColor)
    KEL_BUTTON_COLOR(BorderColorHot)
    KEL_BUTTON_COLOR(BorderColorDown)
    KEL_BUTTON_COLOR(BorderColorChecked)
    KEL_BUTTON_COLOR(Color)
    KEL_BUTTON_COLOR(ColorTo)
    KEL_BUTTON_COLOR(ColorDown)
    KEL_BUTTON_COLOR(ColorDownTo)
    KEL_BUTTON_COLOR(ColorHot)
    KEL_BUTTON_COLOR(ColorHotTo)
    KEL_BUTTON_COLOR(ColorCheckedTo)
    KEL_BUTTON_COLOR(ColorDisabled)
    KEL_BUTTON_COLOR(ColorDisabledTo)
    KEL_BUTTON_COLOR(ColorChecked)
    KEL_BUTTON_COLOR(TextColor)
    KEL_BUTTON_COLOR(SpecialTextColor)
#undef KEL_BUTTON_COLOR
    // Stored without a change notification.
    TColor ShineColor() const { return FShineColor; }
    void SetShineColor(TColor Value) { FShineColor = Value; }
    TColor GlowColorHot() const { return FGlowColorHot; }
    void SetGlowColorHot(TColor Value) { FGlowColorHot = Value; }
    TColor GlowColorDown() const { return FGlowColorDown; }
    void SetGlowColorDown(TColor Value) { FGlowColorDown = Value; }
    TFont* Font() const { return FFont.get(); }
    void SetFont(const TFont* Value) { FFont->Assign(Value); }

    TNotifyEvent OnChange;

private:
    void SetColorField(TColor& Field, TColor Value);
    TColor FBorderColor = 0;
    TColor FBorderColorHot = 0;
    TColor FBorderColorDown = 0;
    TColor FBorderColorChecked = 0xFF0000;
    TColor FColor = 0x9A915F;
    TColor FColorTo = 0xB0A170;
    TColor FColorDown = 0x4B2F08;
    TColor FColorDownTo = 0xADB514;
    TColor FColorHot = 0x9F6F1C;
    TColor FColorHotTo = 0xD5C244;
    TColor FColorCheckedTo = 0;
    TColor FColorDisabled = 0;
    TColor FColorDisabledTo = 0;
    TColor FColorChecked = 0;
    std::unique_ptr<TFont> FFont;
    TColor FShineColor = 0xFFFFFF;
    TColor FGlowColorHot = 0xD5C244;
    TColor FGlowColorDown = 0xD5C244;
    TColor FTextColor = 0;
    TColor FSpecialTextColor = 0x000080;
};

// The glossy face of a key on the canvas's device context, anti-aliased:
// a plain upper half with an optional shine, a gradient lower half, a white
// top line, an inner line, the border and, when GlowColor is not clNone,
// a glow border and a halo of eight gradient strips around the key.
void DrawGlossyButton(TCanvas* Canvas, const TRect& R, TColor BorderColor, TColor InnerLineColor,
                      TColor FaceColor, TColor FaceColorTo, TColor GlowColor, TColor ShineColor);

class TCustomButtonPanel : public TCustomControl {
    RTL_CLASS(TCustomButtonPanel)
public:
    explicit TCustomButtonPanel(TComponent* AOwner);
    ~TCustomButtonPanel() override;

    TCalcButtonItems* Buttons() const { return FButtons.get(); }
    void SetButtons(const TCalcButtonItems* Value) { FButtons->Assign(Value); }
    TItemLayout ButtonLayout() const { return FButtonLayout; }
    void SetButtonLayout(TItemLayout Value) { FButtonLayout = Value; }
    TSelectionColorStyle ItemColorStyle() const { return FItemColorStyle; }
    void SetItemColorStyle(TSelectionColorStyle Value) { FItemColorStyle = Value; }
    TCustomImageList* Images() const { return FImages; }
    void SetImages(TCustomImageList* Value);
    TCustomEdit* Edit() const { return FEdit; }
    void SetEdit(TCustomEdit* Value);
    TButtonPanelType ButtonPanelType() const { return FButtonPanelType; }
    void SetButtonPanelType(TButtonPanelType Value);
    TButtonAppearance* ButtonAppearance() const { return FButtonAppearance.get(); }
    void SetButtonAppearance(const TButtonAppearance* Value) { FButtonAppearance->Assign(Value); }
    TKelCustomDropDown* KelDropDown() const { return FKelDropDown; }
    void SetKelDropDown(TKelCustomDropDown* Value) { FKelDropDown = Value; }
    Integer CaptionGap() const { return FCaptionGap; }
    void SetCaptionGap(Integer Value) { FCaptionGap = Value; }
    Integer ButtonHot() const { return FButtonHot; }
    Integer ButtonDown() const { return FButtonDown; }

    TRect GetButtonRect(Integer Index) const;
    Integer ButtonAtPos(Integer X, Integer Y) const;
    void DrawButtons(TCanvas* ACanvas, bool IncludeHot);
    void SetButtonHot(Integer Index);
    void SetButtonDown(Integer Index);

    // ---- Virtual operations, in slot order ----
    virtual void DrawButton(Integer Index, TCanvas* ACanvas);
    virtual void GetButtonsRect(TRect& R) const;
    virtual void GetButtonSize(Integer& W, Integer& H);
    virtual void ClearButtons();
    virtual void ResetButtons();
    virtual void InitButtons();
    virtual void ArrangeButtons();
    virtual void InvalidateButton(Integer Index);
    virtual void ButtonClick(Integer Index);

    void WndProc(TMessage& Message) override;

    TCalculatorButtonClickEvent OnButtonClick;

protected:
    void Loaded() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;

private:
    bool ValidTarget(Integer Index) const;
    bool HoldsCalculatorKeys() const;
    void Changed(TObject* Sender);

    std::unique_ptr<TCalcButtonItems> FButtons;
    TItemLayout FButtonLayout = ilCaptionRight;
    TSelectionColorStyle FItemColorStyle = scCustom;
    Integer FButtonHot = -1;
    Integer FOffSetX = 8;
    Integer FOffSetY = 8;
    Integer FButtonOffSetX = 4;
    Integer FButtonOffSetY = 4;
    TCustomImageList* FImages = nullptr;
    Integer FCaptionGap = 0;
    TCustomEdit* FEdit = nullptr;
    TButtonPanelType FButtonPanelType = plCalculator;
    std::unique_ptr<TButtonAppearance> FButtonAppearance;
    Integer FButtonDown = -1;
    TKelCustomDropDown* FKelDropDown = nullptr;
    bool FIsWinXP = true;
};

class TKelCalculatorDropdown : public TKelCustomDropDown {
    RTL_CLASS(TKelCalculatorDropdown)
public:
    explicit TKelCalculatorDropdown(TComponent* AOwner);
    ~TKelCalculatorDropdown() override;

    TButtonAppearance* CalcButtonAppearance() const { return FCalcButtonAppearance.get(); }
    void SetCalcButtonAppearance(const TButtonAppearance* Value) { FCalcButtonAppearance->Assign(Value); }
    bool ShowThousandSeparator() const { return FShowThousandSeparator; }
    void SetShowThousandSeparator(bool Value);
    TCustomButtonPanel* ButtonPanel() const { return FKelButtonPanel; }

    // The shown number (thousand separators removed; 0 when not a number);
    // writing shows it in "%g" form.
    Double Value();
    void SetValue(Double AValue);
    // Applies the pending operation and shows the result.
    void CalcResult() { DoEquals(); }
    Double Memory() const { return FMVal; }
    Double Accumulator() const { return FPrevval; }
    Integer PendingOperator() const { return FPrevop; }

    void WndProc(TMessage& Message) override;
    // A click on a panel key, by its index.
    void HandleButtonClick(TObject* Sender, Integer Index);

protected:
    virtual void BeforeCalcKey() {}
    void CreateDropDownForm() override;
    void DoBeforeDropDown() override;
    void DoHideDropDown(bool Cancel) override;
    void DoSetComponentStyle(TKelStyle AStyle) override;
    void ForwardFormKeyPress(TObject* Sender, Char& Key) override;
    void ForwardFormKeyDown(TObject* Sender, Word& Key, TShiftState Shift) override;
    // Keys reaching the panel belong to the pop-up as a whole.
    void ForwardControlKeyPress(TObject* Sender, Char& Key) override { ForwardFormKeyPress(Sender, Key); }
    void ForwardControlKeyDown(TObject* Sender, Word& Key, TShiftState Shift) override {
        ForwardFormKeyDown(Sender, Key, Shift);
    }

private:
    // A character typed into the edit; false when it was consumed.
    bool CalcKeyPress(Char& Key);
    void ProcessPopupKey(Char Key);
    void DoCalc();
    void DoAdd();
    void DoMultiply();
    void DoSubtract();
    void DoDivide();
    void DoEquals();
    void DoPercent();
    // The text as a number, thousand separators removed; 0 for a text that
    // is not a number.
    Double TextNumber() const;
    void SetCaretAfterValue(Integer Chars);

    TCustomButtonPanel* FKelButtonPanel = nullptr;
    Integer FDecim = 0;
    bool FNewval = false;
    Double FPrevval = 0;
    Integer FPrevop = -1;
    // -1 while a number entered since the last panel operator is still to
    // be applied; 0 once an operator took it.
    Integer FLastop = -1;
    bool FCalcClosed = true;
    std::unique_ptr<TButtonAppearance> FCalcButtonAppearance;
    Double FMVal = 0;
    bool FShowThousandSeparator = false;
};

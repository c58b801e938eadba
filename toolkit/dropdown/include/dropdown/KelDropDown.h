#pragma once
// The drop-down edit: a one-line masked edit with a drop-down button inside
// its right edge and a borderless pop-up (TDropDownForm) that hosts one
// control between an optional header and footer bar. The edit filters typing
// by its edit type, keeps a fixed prefix and suffix around the value, can
// show a label beside it, coloured and focus borders and a grey hint while
// it is empty. Every picker of the toolkit derives from TKelCustomDropDown;
// TKelDropDown is the plain published control.

#include "dropdown/DropDownForm.h"
#include "dropdown/KelDropDownAppearance.h"
#include "dropdown/KelDropDownButton.h"
#include "dropdown/KelDropDownRoutines.h"
#include "dropdown/KelItemAppearance.h"
#include "dropdown/KelItemSelector.h"
#include "kel/KelStyle.h"
#include "vcl/Mask.h"

class TTimer;

RTL_ENUM(TDropPosition, dpAuto, dpDown, dpUp)
RTL_ENUM(TDropDownEditType, etString, etNumeric, etFloat, etUppercase, etMixedCase, etLowerCase, etPassword,
         etMoney, etRange, etHex, etAlphaNumeric, etValidChars)

namespace KelDropDown {
RTL_ENUM(TLabelPosition, lpLeftTop, lpLeftCenter, lpLeftBottom, lpTopLeft, lpBottomLeft, lpLeftTopLeft,
         lpLeftCenterLeft, lpLeftBottomLeft, lpTopCenter, lpBottomCenter, lpRightTop, lpRightCenter,
         lpRighBottom, lpTopRight, lpBottomRight)
} // namespace KelDropDown

using TDropDown = std::function<void(TObject* Sender, bool& acceptdrop)>;
using TDropUp = std::function<void(TObject* Sender, bool Cancelled)>;
using TGetDropDownPosEvent = std::function<void(TObject* Sender, TPoint& Pos)>;
using TDrawBackGroundEvent = std::function<void(TObject* Sender, TCanvas* ACanvas, const TRect& ARect)>;
using TGetTextEvent = std::function<void(TObject* Sender, String& Text)>;
using TDropDownButtonItemClick = std::function<void(TObject* Sender, Integer ButtonIndex)>;
namespace KelDropDown {
// The drop-down's own clipboard event (the text, and whether to allow it);
// kept in this namespace so it does not clash with the grid's event of that name.
using TClipboardEvent = std::function<void(TObject* Sender, const String& value, bool& allow)>;
} // namespace KelDropDown

class TKelCustomDropDown : public TCustomMaskEdit, public IKelStyle, public IKelTones {
    RTL_CLASS(TKelCustomDropDown)
public:
    explicit TKelCustomDropDown(TComponent* AOwner);
    ~TKelCustomDropDown() override;
    void AfterConstruction() override;
    void BeforeDestruction() override;

    // From another drop-down: the look and the settings, not Text, the label
    // or the events.
    void Assign(const TPersistent* Source) override;
    void SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) override;
    void SetParent(TWinControl* AParent) override;

    // ---- Value ----
    // The edit text without prefix and suffix.
    String Text() const { return ReadText(); }
    void SetText(const String& Value) { WriteText(Value); }
    String ReadText() const;
    // Sets the edit's own text exactly, without formatting.
    void SetTextUnformatted(const String& Value);
    void SetFloatValue(Double X);
    void SetIntValue(Integer N);
    Double GetFloatValue() const;
    Double TextToFloat(const String& Value) const;
    void MarkModified(bool Value);
    bool IsModified() const { return FIsModified; }

    void SelectAll();
    void SelectBeforeDecimal();
    void SelectAfterDecimal();

    // ---- The pop-up ----
    void ShowDropDown() { DoShowDropDown(); }
    void HideDropDown(bool CancelChanges);
    // Opens the pop-up unless it is open or was closed within 250 ms.
    void DropDownButtonClick(TObject* Sender);
    void ResetUserDropDownSize();
    bool DroppedDown() const { return FDroppedDown; }
    TSize DropDownSize() const;
    TDropDownForm* DropDownForm() const { return FDropDownForm; }
    TDropDownEditButton* Button() const { return FButton; }
    TRect GetEditRect() const { return FEditRect; }
    Single DPIScale() const { return FDPIScale; }
    TLabel* EditLabel() const { return FLabel; }
    TWinControl* FocusControl() const { return FFocusControl; }
    void SetFocusControl(TWinControl* Value);

    // ---- Style (filled by the colour styles) ----
    void SetComponentStyle(TKelStyle AStyle) override { DoSetComponentStyle(AStyle); }
    void SetColorTones(const TColorTones& ATones) override { DoSetColorTones(ATones); }
    TKelStyle GetComponentStyle() const { return FKelStyle; }
    TKelStyle UIStyle() const { return FKelStyle; }
    // Stores the style and writes its item colours into Appearance.
    void SetItemAppearanceStyle(TItemAppearance* Appearance, TKelStyle AStyle);
    void SetUIStyle(TKelStyle Value) { SetComponentStyle(Value); }

    // ---- Published settings ----
    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor Value);
    TColor FocusBorderColor() const { return FFocusBorderColor; }
    void SetFocusBorderColor(TColor Value);
    bool DisabledBorder() const { return FDisabledBorder; }
    void SetDisabledBorder(bool Value);
    const String& EmptyText() const { return FEmptyText; }
    void SetEmptyText(const String& Value);
    bool EmptyTextFocused() const { return FEmptyTextFocused; }
    void SetEmptyTextFocused(bool Value) { FEmptyTextFocused = Value; }
    TFontStyles EmptyTextStyle() const { return FEmptyTextStyle; }
    void SetEmptyTextStyle(TFontStyles Value);
    TColor DropDownColor() const { return FDropDownColor; }
    void SetDropDownColor(TColor Value) { FDropDownColor = Value; }
    TColor DropDownColorTo() const { return FDropDownColorTo; }
    void SetDropDownColorTo(TColor Value) { FDropDownColorTo = Value; }
    TColor DropDownBorderColor() const { return FDropDownBorderColor; }
    void SetDropDownBorderColor(TColor Value) { FDropDownBorderColor = Value; }
    Integer DropDownBorderWidth() const { return FDropDownBorderWidth; }
    void SetDropDownBorderWidth(Integer Value) { FDropDownBorderWidth = Value; }
    bool DropDownShadow() const { return FDropDownShadow; }
    void SetDropDownShadow(bool Value) { FDropDownShadow = Value; }
    Integer DropDownWidth() const { return FDropDownWidth; }
    void SetDropDownWidth(Integer Value);
    Integer DropDownHeight() const { return FDropDownHeight; }
    // Negative values are ignored.
    void SetDropDownHeight(Integer Value);
    bool DropDownEnabled() const { return FDropDownEnabled; }
    void SetDropDownEnabled(bool Value);
    TDropPosition DropPosition() const { return FDropPosition; }
    void SetDropPosition(TDropPosition Value) { FDropPosition = Value; }
    Integer DropDownButtonWidth() const { return FButtonWidth; }
    void SetDropDownButtonWidth(Integer Value);
    const String& DropDownButtonHint() const { return FButtonHint; }
    void SetDropDownButtonHint(const String& Value);
    TBitmap* DropDownButtonGlyph() const { return FButton ? FButton->Glyph() : nullptr; }
    void SetDropDownButtonGlyph(const TBitmap* Value);
    bool DropDownSizeable() const { return FDropDownSizeable; }
    void SetDropDownSizeable(bool Value) { FDropDownSizeable = Value; }
    bool EditorEnabled() const { return FEditorEnabled; }
    void SetEditorEnabled(bool Value);
    TCustomImageList* Images() const { return FImages; }
    void SetImages(TCustomImageList* Value);
    const String& LabelCaption() const;
    void SetLabelCaption(const String& Value);
    KelDropDown::TLabelPosition LabelPosition() const { return FLabelPosition; }
    void SetLabelPosition(KelDropDown::TLabelPosition Value);
    Integer LabelMargin() const { return FLabelMargin; }
    void SetLabelMargin(Integer Value);
    bool LabelTransparent() const { return FLabelTransparent; }
    void SetLabelTransparent(bool Value);
    bool LabelAlwaysEnabled() const { return FLabelAlwaysEnabled; }
    void SetLabelAlwaysEnabled(bool Value) { FLabelAlwaysEnabled = Value; }
    TFont* LabelFont() const { return FLabelFont.get(); }
    void SetLabelFont(const TFont* Value);
    // major.minor.release.build of GetVersionNr; writing does nothing.
    String Version() const;
    void SetVersion(const String&) {}
    TKelButtonAppearance* ButtonAppearance() const { return FButtonAppearance.get(); }
    void SetButtonAppearance(const TKelButtonAppearance* Value) { FButtonAppearance->Assign(Value); }
    THeaderAppearance* DropDownHeader() const { return FDropDownHeader.get(); }
    void SetDropDownHeader(const THeaderAppearance* Value) { FDropDownHeader->Assign(Value); }
    TFooterAppearance* DropDownFooter() const { return FDropDownFooter.get(); }
    void SetDropDownFooter(const TFooterAppearance* Value) { FDropDownFooter->Assign(Value); }
    TGradientDirection DropDownGradient() const { return FDropDownGradient; }
    void SetDropDownGradient(TGradientDirection Value) { FDropDownGradient = Value; }

    // ---- Settings the pickers publish ----
    TDropDownEditType EditType() const { return FEditType; }
    void SetEditType(TDropDownEditType Value) { WriteEditType(Value); }
    SmallInt Precision() const { return FPrecision; }
    void SetPrecision(SmallInt Value) { WritePrecision(Value); }
    bool Signed() const { return FSigned; }
    void SetSigned(bool Value) { FSigned = Value; }
    SmallInt LengthLimit() const { return FLengthLimit; }
    void SetLengthLimit(SmallInt Value) { FLengthLimit = Value; }
    const String& ValidChars() const { return FValidChars; }
    void SetValidChars(const String& Value) { FValidChars = Value; }
    const String& Prefix() const { return FPrefix; }
    void SetPrefix(const String& Value);
    const String& Suffix() const { return FSuffix; }
    void SetSuffix(const String& Value);
    bool AllowNumericNullValue() const { return FAllowNumericNullValue; }
    void SetAllowNumericNullValue(bool Value) { FAllowNumericNullValue = Value; }
    bool DefaultHandling() const { return FDefaultHandling; }
    void SetDefaultHandling(bool Value) { FDefaultHandling = Value; }
    bool CanUndo() const { return FCanUndo; }
    void SetCanUndo(bool Value) { FCanUndo = Value; }
    bool ExcelStyleDecimalSeparator() const { return FExcelStyleDecimalSeparator; }
    void SetExcelStyleDecimalSeparator(bool Value) { FExcelStyleDecimalSeparator = Value; }
    bool AutoThousandSeparator() const { return FAutoThousandSeparator; }
    void SetAutoThousandSeparator(bool Value) { FAutoThousandSeparator = Value; }
    bool ReturnIsTab() const { return FReturnIsTab; }
    void SetReturnIsTab(bool Value) { FReturnIsTab = Value; }
    bool FocusDraw() const { return FFocusDraw; }
    void SetFocusDraw(bool Value) { FFocusDraw = Value; }
    bool ForceShadow() const { return FForceShadow; }
    void SetForceShadow(bool Value) { FForceShadow = Value; }
    TColor SelectionColor() const { return FSelectionColor; }
    // Sets the style back to scCustom.
    void SetSelectionColor(TColor Value);
    TColor SelectionColorTo() const { return FSelectionColorTo; }
    void SetSelectionColorTo(TColor Value) { FSelectionColorTo = Value; }
    TSelectionColorStyle SelectionColorStyle() const { return FSelectionColorStyle; }
    void WriteSelectionColorStyle(TSelectionColorStyle Value) { SetSelectionColorStyle(Value); }
    bool Flat() const { return FFlat; }
    void SetFlat(bool Value);
    bool Etched() const { return FEtched; }
    void SetEtched(bool Value);
    // The hosted control (not owned).
    TControl* Control() const { return FControl; }
    void SetControl(TControl* Value);

    // ---- Entry points the pickers and the grid's editors call as the
    // inherited behaviour ----
    void HandleKeyDown(Word& Key, TShiftState Shift);
    void HandleKeyPress(Char& Key);
    void HandleWMSetFocus(TMessage& Message);
    void HandleCMWantSpecialKey(TMessage& Message);

    void WndProc(TMessage& Message) override;

    // ---- Events ----
    TNotifyEvent OnAfterDropDown;
    TNotifyEvent OnBeforeDropDown;
    TDropDown OnDropDown;
    TNotifyEvent OnBeforeDropUp;
    TDropUp OnDropUp;
    TDropDownButtonItemClick OnDropDownHeaderButtonClick;
    TDropDownButtonItemClick OnDropDownFooterButtonClick;
    TDrawBackGroundEvent OnDrawHeader;
    TDrawBackGroundEvent OnDrawFooter;
    TGetTextEvent OnGetHeaderText;
    TGetTextEvent OnGetFooterText;
    TNotifyEvent OnLabelClick;
    TNotifyEvent OnLabelDblClick;
    TGetDropDownPosEvent OnGetDropDownPos;
    KelDropDown::TClipboardEvent OnClipboardCopy;
    KelDropDown::TClipboardEvent OnClipboardPaste;
    KelDropDown::TClipboardEvent OnClipboardCut;

protected:
    // ---- Virtual operations, in slot order ----
    virtual void DoLabelClick();
    virtual void DoLabelDblClick();
    virtual Cardinal GetVersionNr() const { return 0x01050604; }
    virtual void CreateDropDownForm();
    virtual void CreateDropDownButton();
    virtual void UpdateDropDownButton();
    virtual void DoBeforeDropDown();
    virtual void AdjustDropDownHeight(Integer& /*Height*/) {}
    virtual void DoAfterDropDown();
    virtual void DoShowDropDown();
    virtual void PlaceDropDownControl();
    virtual void AdaptDropDownSize();
    virtual void DoHideDropDown(bool Cancel);
    virtual void AfterHideDropDown();
    virtual void DropDownFormDestroyed() {}
    virtual void DropDownWheelDown(TShiftState Shift, TPoint MousePos, bool& Handled);
    virtual void DropDownWheelUp(TShiftState Shift, TPoint MousePos, bool& Handled);
    virtual void ForwardFormKeyPress(TObject* Sender, Char& Key);
    virtual void ForwardFormKeyDown(TObject* Sender, Word& Key, TShiftState Shift);
    virtual void ForwardFormKeyUp(TObject* Sender, Word& Key, TShiftState Shift);
    virtual void ForwardControlKeyDown(TObject* Sender, Word& Key, TShiftState Shift);
    virtual void ForwardControlKeyUp(TObject* Sender, Word& Key, TShiftState Shift);
    virtual void ForwardControlKeyPress(TObject* Sender, Char& Key);
    virtual void DropDownResized() {}
    virtual void ReservedHook() {}
    virtual void MoveToNextItem() {}
    virtual void MoveToPreviousItem() {}
    virtual void PaintFocusRect();
    virtual void PaintEmptyText();
    virtual Integer GetNullValue() const { return 0; }
    virtual void UpdateEditRect();
    virtual void AlignDropDownButton();
    virtual void WriteText(const String& Value);
    virtual void SetSelectionColorStyle(TSelectionColorStyle Value);
    // CornerColor and Part (sfSingle, sfLeftEnd, ...) go to the selection frame.
    virtual void DrawSelectionBackground(TCanvas* Canvas, const TRect& Rect, TColor CornerColor,
                                         Integer Part);
    virtual void DrawGradientFill(TCanvas* Canvas, TColor FromColor, TColor ToColor, Integer Steps,
                                  const TRect& Rect, bool Direction);
    virtual void DoSetComponentStyle(TKelStyle AStyle);
    virtual void DoSetColorTones(const TColorTones& ATones);

    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void Loaded() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyPress(Char& Key) override;
    bool DoMouseWheel(TShiftState Shift, Integer WheelDelta, TPoint MousePos) override;
    void ChangeScale(Integer M, Integer D) override;

    // The least height the font needs.
    Integer GetMinHeight();
    void PositionLabel();
    void DrawBorders();
    void WriteEditType(TDropDownEditType Value);

    // ---- The list of the list pickers (detail, image and colour) ----
    // Makes the item selector in the pop-up once (owned by the control, the
    // pop-up's hosted control) and answers it.
    TKelCustomItemSelector* CreateListSelector(TSelectorType AType);
    // The selector exists and the pop-up is shown.
    bool ListOpen() const;
    // The selector's selection moved by the control itself: the selection
    // is reported with FInternalCall set, so the pop-up stays open.
    void MoveListTo(Integer Index);
    // Makes the 500 ms timer that ends a type-ahead burst.
    void CreateListKeyTimer();
    // Appends a character a key produced, upper-cased, to the type-ahead
    // text and selects the first item whose caption starts with it. The
    // text is emptied 500 ms after the first character of a burst.
    void ListTypeAhead(Char C);
    // A printable character without Ctrl or Alt looks the list up; true
    // when it did.
    bool ListTypeAheadChar(Char C);
    // Page Up and Page Down move the list by its visible rows (Refill runs
    // first when the list's count differs from ItemCount); with the list
    // open, Home and End go to the first and last item, and Left and Right
    // (with the editor off) to the previous and next one. True when the key
    // was one of these and was handled.
    bool HandleListKey(Word Key, Integer ItemCount, const std::function<void()>& Refill);
    // A wheel step: the hot item moves in the open list; with the list
    // closed the selection moves. False without a selector.
    bool ListWheelStep(bool Forward);
    void WritePrecision(SmallInt Value);
    void ApplyMoneyGrouping();
    // The stream definitions of the two extra integer properties.
    SmallInt StoredSelectionColorStyle() const { return SmallInt(FSelectionColorStyle); }
    void ReadStoredSelectionColorStyle(Integer Value) { FSelectionColorStyle = TSelectionColorStyle(Value); }
    Integer StoredStyle() const { return Integer(FKelStyle); }
    void ReadStoredStyle(Integer Value) { FKelStyle = TKelStyle(Value); }

    // ---- Fields, in declaration order ----
    Integer FOrigCtrlH = 0;
    Integer FOrigCtrlW = 0;
    Single FDPIScale = 1.0f;
    bool FDesignTime = false;
    TLabel* FLabel = nullptr;
    bool FParentFnt = false;
    Integer FDropDownWidth = 0;
    Integer FDropDownHeight = 0;
    Integer FUserDropDownWidth = -1;
    Integer FUserDropDownHeight = -1;
    bool FEditorEnabled = true;
    TDropPosition FDropPosition = dpAuto;
    bool FFlat = false;
    TCustomImageList* FImages = nullptr;
    bool FDropDownShadow = true;
    Integer FDropDownBorderWidth = 1;
    String FButtonHint;
    TColor FDropDownColorTo = clNone;
    TColor FDropDownColor = 0xFFFFFF;
    TColor FDropDownBorderColor = clBlack;
    Integer FButtonWidth = 17;
    bool FMouseInControl = false;
    bool FEtched = false;
    TWinControl* FFocusControl = nullptr;
    std::unique_ptr<THeaderAppearance> FDropDownHeader;
    std::unique_ptr<TKelButtonAppearance> FButtonAppearance;
    std::unique_ptr<TFooterAppearance> FDropDownFooter;
    TControl* FControl = nullptr;
    TGradientDirection FDropDownGradient = gdHorizontal;
    bool FDropDownSizeable = true;
    TColor FSelectionColor = clNone;
    TColor FSelectionColorTo = clNone;
    TSelectionColorStyle FSelectionColorStyle = scCustom;
    TDropDownEditType FEditType = etString;
    SmallInt FLengthLimit = 0;
    SmallInt FPrecision = 0;
    String FPrefix;
    String FSuffix;
    String FOldString;
    bool FSigned = false;
    bool FReturnIsTab = false;
    bool FIsWinXP = false;
    bool FIsThemed = false;
    bool FBlockChange = false;
    bool FAllowNumericNullValue = false;
    bool FDefaultHandling = true;
    bool FCanUndo = true;
    bool FExcelStyleDecimalSeparator = false;
    String FValidChars;
    bool FBlockCopy = false;
    bool FDoShowBusy = false;
    bool FButtonDown = false;
    bool FAutoThousandSeparator = true;
    bool FIsModified = false;
    TRect FEditRect;
    bool FDropDownEnabled = true;
    bool FDroppedDown = false;
    bool FFocusDraw = true;
    bool FForceShadow = false;
    TKelStyle FKelStyle = tsCustom;
    Integer FLabelMargin = 4;
    KelDropDown::TLabelPosition FLabelPosition = KelDropDown::lpLeftTop;
    bool FLabelAlwaysEnabled = false;
    bool FLabelTransparent = false;
    std::unique_ptr<TFont> FLabelFont;
    TColor FBorderColor = clNone;
    TColor FFocusBorderColor = clNone;
    bool FDisabledBorder = true;
    bool FLblUpdate = false;
    Integer FLblFntHeight = -11;
    TFontStyles FEmptyTextStyle;
    String FEmptyText;
    bool FEmptyTextFocused = false;
    TDropDownForm* FDropDownForm = nullptr;
    TDropDownEditButton* FButton = nullptr;
    String FOldText;
    // The list pickers' list, type-ahead and the index held at opening.
    TKelCustomItemSelector* FItemSelector = nullptr;
    bool FInternalCall = false;
    TTimer* FKeyTimer = nullptr;
    String FCurSearch;
    Integer FOldItemIndex = -1;

private:
    friend class TDropDownForm;
    // The message handlers of the typing rules.
    void HandleWMKeyDown(TMessage& Message);
    void HandleWMChar(TMessage& Message);
    void HandleWMPaste();
    void HandleWMCut();
    void HandleWMCopy();
    void HandleWMKillFocus(TMessage& Message);
    void HandleMouseUpClamps();
    bool ThousandSeparatorClash() const;
    bool DecimalsFull() const;
    void ToggleSign();
    Integer IntegerDigits(const String& Value) const;
    // The value set with prefix and suffix, unformatted, and the caret placed.
    void SetPrefixedValue(const String& Value, Integer Caret);
    // The edit's text positions of the value: LP and B.
    Integer ValueStart() const { return Integer(FPrefix.size()); }
    Integer ValueEnd() const;
    // The edit's own text set as a program would (no formatting).
    void SetEditTextRaw(const String& Value);
    bool IsDesigning() const;
    void AppearanceChanged(TObject* Sender);
    bool Hot() const;
    void RefreshButton();
    bool FInKeyDownMessage = false;
};

class TKelDropDown : public TKelCustomDropDown {
    RTL_CLASS(TKelDropDown)
public:
    explicit TKelDropDown(TComponent* AOwner) : TKelCustomDropDown(AOwner) {}
};

// Registers the drop-down classes by name for streams and layouts.
void RegisterDropDownClasses();

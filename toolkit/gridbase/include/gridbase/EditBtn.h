#pragma once
// The button edit and the unit edit: a one-line masked edit with an
// embedded push button (clicked, or F4), and its descendant that shows a
// unit beside the value and lets the user pick it from a pop-up menu. With
// them the two speed buttons: the one inside the edit and one that also
// shows an image-list image or a picture. The string grid's edit-button and
// unit editors derive from these edits.

#include "graphics/Picture.h"
#include "rtl/TypeInfo.h"
#include "vcl/Buttons.h"
#include "vcl/Mask.h"

RTL_ENUM(TButtonAlign, btnRight, btnLeft)
using TUnitChangeEvent = std::function<void(TObject* Sender, const String& NewUnit)>;

class TVazEditButton;

// The button inside the edit; it paints with its host's colours.
class TKelSpeedButton : public TSpeedButton {
    RTL_CLASS(TKelSpeedButton)
public:
    explicit TKelSpeedButton(TComponent* AOwner);

    bool IsWinXP() const { return FIsWinXP; }
    void SetIsWinXP(bool Value) { FIsWinXP = Value; }
    // Its own flat look (the soft edge), independent of the speed button's.
    bool Flat() const { return FFlat; }
    void SetFlat(bool Value);
    // The mouse is over the button.
    bool Hot() const { return FHot; }

protected:
    void Paint() override;
    void MouseEnter() override;
    void MouseLeave() override;

private:
    bool FIsWinXP = false;
    bool FFlat = false;
    bool FHot = false;
};

// A speed button that also shows, centred, an image of its own image list
// and a picture.
class TVazSpeedButton : public TSpeedButton {
    RTL_CLASS(TVazSpeedButton)
public:
    explicit TVazSpeedButton(TComponent* AOwner);
    ~TVazSpeedButton() override;

    TPicture* Picture() const { return FPicture.get(); }
    void SetPicture(const TPicture* Value);
    // Not owned; the owner of the list keeps it alive while it is set.
    TCustomImageList* Images() const { return FImages; }
    void SetImages(TCustomImageList* Value) { FImages = Value; }
    Integer ImageIndex() const { return FImageIndex; }
    void SetImageIndex(Integer Value);

protected:
    void Paint() override;

private:
    std::unique_ptr<TPicture> FPicture;
    TCustomImageList* FImages = nullptr;
    Integer FImageIndex = -1;
};

// The windowed host of the edit's button; the speed button fills it.
class TVazEditButton : public TWinControl {
    RTL_CLASS(TVazEditButton)
public:
    explicit TVazEditButton(TComponent* AOwner);

    TKelSpeedButton* Button() const { return FButton; }
    TWinControl* FocusControl() const { return FFocusControl; }
    void SetFocusControl(TWinControl* Value);
    TBitmap* Glyph() const { return FButton->Glyph(); }
    void SetGlyph(const TBitmap* Value) { FButton->SetGlyph(Value); }
    Integer NumGlyphs() const { return FButton->NumGlyphs(); }
    void SetNumGlyphs(Integer Value) { FButton->SetNumGlyphs(Value); }
    String ReadButtonCaption() const { return FButton->Caption(); }
    void WriteButtonCaption(const String& Value) { FButton->SetCaption(Value); }
    bool Flat() const { return FFlat; }
    void SetFlat(bool Value);

    TColor ButtonColor() const { return FButtonColor; }
    void SetButtonColor(TColor Value) { SetButtonField(FButtonColor, Value); }
    TColor ButtonColorHot() const { return FButtonColorHot; }
    void SetButtonColorHot(TColor Value) { SetButtonField(FButtonColorHot, Value); }
    TColor ButtonColorDown() const { return FButtonColorDown; }
    void SetButtonColorDown(TColor Value) { SetButtonField(FButtonColorDown, Value); }
    TColor ButtonTextColor() const { return FButtonTextColor; }
    void SetButtonTextColor(TColor Value) { SetButtonField(FButtonTextColor, Value); }
    TColor ButtonTextColorHot() const { return FButtonTextColorHot; }
    void SetButtonTextColorHot(TColor Value) { SetButtonField(FButtonTextColorHot, Value); }
    TColor ButtonTextColorDown() const { return FButtonTextColorDown; }
    void SetButtonTextColorDown(TColor Value) { SetButtonField(FButtonTextColorDown, Value); }
    TColor ButtonBorderColor() const { return FButtonBorderColor; }
    void SetButtonBorderColor(TColor Value) { SetButtonField(FButtonBorderColor, Value); }

    void SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) override;

    TNotifyEvent OnClick;

protected:
    void Loaded() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    void SetButtonField(TColor& Field, TColor Value);
    void BtnMouseUp(TMouseButton Button, Integer X, Integer Y);
    void FillWithButton();

    TKelSpeedButton* FButton = nullptr; // owned
    TWinControl* FFocusControl = nullptr;
    bool FFlat = false;
    TColor FButtonColorDown = clNone;
    TColor FButtonBorderColor = clNone;
    TColor FButtonTextColor = clNone;
    TColor FButtonTextColorHot = clNone;
    TColor FButtonColor = clNone;
    TColor FButtonColorHot = clNone;
    TColor FButtonTextColorDown = clNone;
};

class TVazEditBtn : public TCustomMaskEdit {
    RTL_CLASS(TVazEditBtn)
public:
    explicit TVazEditBtn(TComponent* AOwner);
    ~TVazEditBtn() override;

    TVazEditButton* Host() const { return FButton; }
    TButtonAlign ButtonAlign() const { return FButtonAlign; }
    void SetButtonAlign(TButtonAlign Value);
    // 0 until written; the button starts 18 wide.
    Integer ButtonWidth() const { return FButtonWidth; }
    void SetButtonWidth(Integer Value) { WriteButtonWidth(Value); }
    void WriteButtonWidth(Integer Value);
    String ButtonCaption() const { return FButton->ReadButtonCaption(); }
    void SetButtonCaption(const String& Value) { WriteButtonCaption(Value); }
    void WriteButtonCaption(const String& Value) { FButton->WriteButtonCaption(Value); }
    TBitmap* Glyph() const { return FButton->Glyph(); }
    void SetGlyph(const TBitmap* Value) { FButton->SetGlyph(Value); }
    bool EditorEnabled() const { return FEditorEnabled; }
    void SetEditorEnabled(bool Value) { FEditorEnabled = Value; }
    bool IsWinXP() const { return FIsWinXP; }
    void SetIsWinXP(bool Value) { WriteIsWinXP(Value); }
    void WriteIsWinXP(bool Value);
    bool RightAlign() const { return FRightAlign; }
    void SetRightAlign(bool Value);

    // Fires OnClickBtn with Sender.
    virtual void DoClickBtn(TObject* Sender);
    // Runs the mask validation only for a modified masked edit, and never
    // lets its outcome escape: leaving a half-filled mask is no error.
    void ValidateEdit() override;

    void HandleWMChar(TMessage& Message);
    void HandleKeyDown(Word& Key, TShiftState Shift);

    TNotifyEvent OnClickBtn;

    void WndProc(TMessage& Message) override;

protected:
    void CreateWnd() override;
    void Resize() override;
    void KeyDown(Word& Key, TShiftState Shift) override { HandleKeyDown(Key, Shift); }
    void DoEnter() override;
    void SetEditRect();
    Integer UnitSize() const { return FUnitSize; }
    void SetUnitSize(Integer Value) { FUnitSize = Value; }
    Integer CurrentButtonWidth() const;

private:
    void PlaceHost();

    Integer FUnitSize = 0;
    bool FRightAlign = false;
    TVazEditButton* FButton = nullptr; // owned as a child component
    bool FEditorEnabled = true;
    Integer FButtonWidth = 0;
    bool FIsWinXP = false;
    TButtonAlign FButtonAlign = btnRight;
    bool FPlacing = false;
};

class TVazUnitEditBtn : public TVazEditBtn {
    RTL_CLASS(TVazUnitEditBtn)
public:
    explicit TVazUnitEditBtn(TComponent* AOwner);
    ~TVazUnitEditBtn() override;

    TStrings* Units() const { return FUnits.get(); }
    // Copies the list; null is ignored.
    void SetUnits(const TStrings* Value);
    String UnitID() const { return FUnitID; }
    void SetUnitID(const String& Value) { WriteUnitID(Value); }
    void WriteUnitID(const String& Value);
    Integer UnitSpace() const { return UnitSize(); }
    void SetUnitSpace(Integer Value);
    // The text followed by the unit.
    String ReadTextAndUnit() const { return Text() + FUnitID; }
    // Splits at the first listed unit that ends the value; a value ending in
    // no unit changes nothing.
    void WriteTextAndUnit(const String& Value);
    String TextAndUnit() const { return ReadTextAndUnit(); }
    void SetTextAndUnit(const String& Value) { WriteTextAndUnit(Value); }

    // Fires OnClickBtn, then offers the units in a pop-up menu.
    void DoClickBtn(TObject* Sender) override;

    TUnitChangeEvent OnUnitChanged;

    void WndProc(TMessage& Message) override;

protected:
    void Paint() override;

private:
    void SelectUnit(Integer Index);

    String FUnitID;
    std::unique_ptr<TStringList> FUnits;
};

#pragma once
// The persistent looks of a drop-down's pop-up: the header and footer bars
// with their push-button definitions, and the colours of those buttons and
// of the drop-down's own arrow button. The string grid's control look holds
// the two bar appearances too, so their published properties and stored
// defaults are part of the stored form format.

#include "dropdown/KelDropDownRoutines.h"
#include "graphics/GraphicsObjects.h"
#include "rtl/Collection.h"
#include "vcl/Controls.h"

#include <memory>

RTL_ENUM(TButtonAlignment, baLeft, baRight)

// ---- Button definitions ----

class THeaderButton : public TCollectionItem {
    RTL_CLASS(THeaderButton)
public:
    explicit THeaderButton(TCollection* ACollection) : TCollectionItem(ACollection) {}
    void Assign(const TPersistent* Source) override;

    // Caption, Enabled and Width report a change to the collection's
    // OnChange; ImageIndex and Height only store.
    const String& Caption() const { return FCaption; }
    void SetCaption(const String& Value);
    Integer ImageIndex() const { return FImageIndex; }
    void SetImageIndex(Integer Value) { FImageIndex = Value; }
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value);
    // 0: sized to the content.
    Integer Height() const { return FHeight; }
    void SetHeight(Integer Value) { FHeight = Value; }
    Integer Width() const { return FWidth; }
    void SetWidth(Integer Value);

protected:
    void Notify();

    String FCaption;
    Integer FImageIndex = -1;
    bool FEnabled = true;
    Integer FHeight = 0;
    Integer FWidth = 0;
};

class TFooterButton : public THeaderButton {
    RTL_CLASS(TFooterButton)
public:
    explicit TFooterButton(TCollection* ACollection) : THeaderButton(ACollection) {}
    void Assign(const TPersistent* Source) override;

    TModalResult ModalResult() const { return FModalResult; }
    void SetModalResult(TModalResult Value) { FModalResult = Value; }

private:
    TModalResult FModalResult = 0;
};

// The button collections call OnChange (with the collection as sender) only
// from the item setters that change a value; adding, removing and moving
// items do not.
class THeaderButtons : public TOwnedCollection {
    RTL_CLASS(THeaderButtons)
public:
    explicit THeaderButtons(TPersistent* AOwner);

    THeaderButton* Add() { return static_cast<THeaderButton*>(TCollection::Add()); }
    THeaderButton* Insert(Integer Index) { return static_cast<THeaderButton*>(TCollection::Insert(Index)); }
    THeaderButton* Items(Integer Index) const { return static_cast<THeaderButton*>(TCollection::Items(Index)); }
    void SetItems(Integer Index, const THeaderButton* Value) { Items(Index)->Assign(Value); }

    TNotifyEvent OnChange;

protected:
    THeaderButtons(TPersistent* AOwner, const TClassInfo& ItemClass) : TOwnedCollection(AOwner, ItemClass) {}
};

class TFooterButtons : public THeaderButtons {
    RTL_CLASS(TFooterButtons)
public:
    explicit TFooterButtons(TPersistent* AOwner);

    TFooterButton* Add() { return static_cast<TFooterButton*>(TCollection::Add()); }
    TFooterButton* Insert(Integer Index) { return static_cast<TFooterButton*>(TCollection::Insert(Index)); }
    TFooterButton* Items(Integer Index) const { return static_cast<TFooterButton*>(TCollection::Items(Index)); }
    void SetItems(Integer Index, const TFooterButton* Value) { Items(Index)->Assign(Value); }
};

// ---- Bar appearances ----

// What the header and footer share: colours, border, caption, font, image,
// buttons. Visible notifies OnChange on a change, the rest only store
// (the footer's Caption notifies too).
class TBarAppearance : public TPersistent {
    RTL_CLASS(TBarAppearance)
public:
    ~TBarAppearance() override;
    TPersistent* GetOwner() const override { return FOwner; }

    TColor Color() const { return FColor; }
    void SetColor(TColor Value) { FColor = Value; }
    TColor ColorTo() const { return FColorTo; }
    void SetColorTo(TColor Value) { FColorTo = Value; }
    const String& Caption() const { return FCaption; }
    virtual void SetCaption(const String& Value) { FCaption = Value; }
    TFont* Font() const { return FFont.get(); }
    void SetFont(const TFont* Value) { FFont->Assign(Value); }
    TGradientDirection GradientDirection() const { return FGradientDirection; }
    void SetGradientDirection(TGradientDirection Value) { FGradientDirection = Value; }
    bool Visible() const { return FVisible; }
    void SetVisible(bool Value);
    // Pixels at 96 DPI.
    Integer Height() const { return FHeight; }
    void SetHeight(Integer Value) { FHeight = Value; }
    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor Value) { FBorderColor = Value; }
    Integer BorderWidth() const { return FBorderWidth; }
    void SetBorderWidth(Integer Value) { FBorderWidth = Value; }
    Integer ImageIndex() const { return FImageIndex; }
    void SetImageIndex(Integer Value) { FImageIndex = Value; }
    TButtonAlignment ButtonAlignment() const { return FButtonAlignment; }
    void SetButtonAlignment(TButtonAlignment Value) { FButtonAlignment = Value; }

    // Called with the appearance as sender.
    TNotifyEvent OnChange;
    // Called with the appearance as sender when a button definition changes.
    TNotifyEvent OnButtonsChanged;

protected:
    TBarAppearance(TPersistent* AOwner, std::unique_ptr<THeaderButtons> AButtons);
    void Changed();
    // Copies colours, border colour, font and gradient direction.
    void AssignColorsFrom(const TBarAppearance& Source);
    THeaderButtons* ButtonCollection() const { return FButtons.get(); }

    TPersistent* FOwner;
    bool FVisible = true;
    Integer FHeight = 22;
    Integer FBorderWidth = 1;
    Integer FImageIndex = -1;
    String FCaption;
    TColor FColorTo = 0xFFFFFF;
    TColor FColor = 0xC0C0C0;
    TColor FBorderColor = 0;
    std::unique_ptr<TFont> FFont;
    std::unique_ptr<THeaderButtons> FButtons;
    TGradientDirection FGradientDirection = gdVertical;
    TButtonAlignment FButtonAlignment = baRight;
};

class THeaderAppearance : public TBarAppearance {
    RTL_CLASS(THeaderAppearance)
public:
    explicit THeaderAppearance(TPersistent* AOwner);
    // Only from another header appearance; anything else is ignored.
    void Assign(const TPersistent* Source) override;
    void AssignColors(const TPersistent* Source);

    THeaderButtons* Buttons() const { return ButtonCollection(); }
    void SetButtons(const THeaderButtons* Value) { FButtons->Assign(Value); }
};

class TFooterAppearance : public TBarAppearance {
    RTL_CLASS(TFooterAppearance)
public:
    explicit TFooterAppearance(TPersistent* AOwner);
    // Only from another footer appearance; anything else is ignored.
    void Assign(const TPersistent* Source) override;
    void AssignColors(const TPersistent* Source);

    void SetCaption(const String& Value) override;
    bool SizeGrip() const { return FSizeGrip; }
    void SetSizeGrip(bool Value) { FSizeGrip = Value; }
    TFooterButtons* Buttons() const { return static_cast<TFooterButtons*>(ButtonCollection()); }
    void SetButtons(const TFooterButtons* Value) { FButtons->Assign(Value); }

private:
    bool FSizeGrip = true;
};

// ---- Button colours ----

// Every colour setter and Gradient store a changed value and then call
// OnChange; Font is assigned without notification.
class TKelButtonAppearance : public TPersistent {
    RTL_CLASS(TKelButtonAppearance)
public:
    TKelButtonAppearance();
    ~TKelButtonAppearance() override;
    // From another button appearance, each through its setter; other
    // sources go to the inherited assignment.
    void Assign(const TPersistent* Source) override;

    TNotifyEvent OnChange;

#define KEL_BUTTON_COLOR(Name)                                                                               \
    TColor Name() const { return F##Name; }                                                                  \
    void Set##Name(TColor Value) { SetColorField(F##Name, Value); }
    KEL_BUTTON_COLOR(BorderColor)
    KEL_BUTTON_COLOR(BorderColorHot)
    KEL_BUTTON_COLOR(BorderColorDown)
    KEL_BUTTON_COLOR(BorderColorDisabled)
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
#undef KEL_BUTTON_COLOR
    TGradientDirection Gradient() const { return FGradient; }
    void SetGradient(TGradientDirection Value);
    TFont* Font() const { return FFont.get(); }
    void SetFont(const TFont* Value) { FFont->Assign(Value); }

private:
    void SetColorField(TColor& Field, TColor Value);
    void Changed();

    TColor FBorderColor = clNone;
    TColor FBorderColorHot = 0x808080;
    TColor FBorderColorDown = 0x800000;
    TColor FBorderColorDisabled = 0x808080;
    TColor FBorderColorChecked = 0xFF0000;
    TColor FColor = clNone;
    TColor FColorTo = clNone;
    TColor FColorDown = 0xF5D8CA;
    TColor FColorDownTo = 0xF9BDA0;
    TColor FColorHot = 0xF5F0E1;
    TColor FColorHotTo = 0xF9D2B2;
    TColor FColorCheckedTo;
    TColor FColorDisabled = 0xF2F2F2;
    TColor FColorDisabledTo = clNone;
    TColor FColorChecked;
    TGradientDirection FGradient = gdVertical;
    std::unique_ptr<TFont> FFont;
};

// Registers the appearance classes by name for streams and layouts.
void RegisterDropDownAppearanceClasses();

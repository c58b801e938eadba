#include "dropdown/KelDropDownAppearance.h"

#include "rtl/ClassBuilder.h"

// ---- Button definitions ----

const TClassInfo& THeaderButton::StaticClassInfo() {
    using C = THeaderButton;
    static const TClassInfo Info = TClassBuilder<C, TCollectionItem>()
                                       .Property(u"Caption", &C::Caption, &C::SetCaption)
                                       .Property(u"ImageIndex", &C::ImageIndex, &C::SetImageIndex)
                                       .Default(-1)
                                       .Property(u"Enabled", &C::Enabled, &C::SetEnabled)
                                       .Default(true)
                                       .Property(u"Width", &C::Width, &C::SetWidth)
                                       .Default(0)
                                       .Property(u"Height", &C::Height, &C::SetHeight)
                                       .Default(0)
                                       .Build();
    return Info;
}

void THeaderButton::Notify() {
    auto* Buttons = dynamic_cast<THeaderButtons*>(Collection());
    if (Buttons && Buttons->OnChange) Buttons->OnChange(Buttons);
}

void THeaderButton::Assign(const TPersistent* Source) {
    const auto* Other = dynamic_cast<const THeaderButton*>(Source);
    if (!Other) {
        TCollectionItem::Assign(Source);
        return;
    }
    FCaption = Other->FCaption;
    FImageIndex = Other->FImageIndex;
    FEnabled = Other->FEnabled;
    FHeight = Other->FHeight;
    FWidth = Other->FWidth;
}

void THeaderButton::SetCaption(const String& Value) {
    if (FCaption == Value) return;
    FCaption = Value;
    Notify();
}

void THeaderButton::SetEnabled(bool Value) {
    if (FEnabled == Value) return;
    FEnabled = Value;
    Notify();
}

void THeaderButton::SetWidth(Integer Value) {
    if (FWidth == Value) return;
    FWidth = Value;
    Notify();
}

const TClassInfo& TFooterButton::StaticClassInfo() {
    using C = TFooterButton;
    static const TClassInfo Info = TClassBuilder<C, THeaderButton>()
                                       .Property(u"ModalResult", &C::ModalResult, &C::SetModalResult)
                                       .Default(0)
                                       .Build();
    return Info;
}

void TFooterButton::Assign(const TPersistent* Source) {
    THeaderButton::Assign(Source);
    if (const auto* Other = dynamic_cast<const TFooterButton*>(Source)) FModalResult = Other->FModalResult;
}

const TClassInfo& THeaderButtons::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<THeaderButtons, TOwnedCollection>().Build();
    return Info;
}

THeaderButtons::THeaderButtons(TPersistent* AOwner) : TOwnedCollection(AOwner, THeaderButton::StaticClassInfo()) {}

const TClassInfo& TFooterButtons::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TFooterButtons, THeaderButtons>().Build();
    return Info;
}

TFooterButtons::TFooterButtons(TPersistent* AOwner) : THeaderButtons(AOwner, TFooterButton::StaticClassInfo()) {}

// ---- Bar appearances ----

const TClassInfo& TBarAppearance::StaticClassInfo() {
    using C = TBarAppearance;
    static const TClassInfo Info =
        TClassBuilder<C, TPersistent>()
            .Property(u"Color", TypeInfo_TColor(), &C::Color, &C::SetColor)
            .Default(0xC0C0C0)
            .Property(u"ColorTo", TypeInfo_TColor(), &C::ColorTo, &C::SetColorTo)
            .Default(0xFFFFFF)
            .Property(u"Caption", &C::Caption, [](C& Self, const String& Value) { Self.SetCaption(Value); })
            .Property(u"Font", &C::Font, &C::SetFont)
            .Property(u"GradientDirection", &C::GradientDirection, &C::SetGradientDirection)
            .Default(gdVertical)
            .Property(u"Visible", &C::Visible, &C::SetVisible)
            .Property(u"Height", &C::Height, &C::SetHeight)
            .Default(22)
            .Property(u"BorderColor", TypeInfo_TColor(), &C::BorderColor, &C::SetBorderColor)
            .Default(0)
            .Property(u"BorderWidth", &C::BorderWidth, &C::SetBorderWidth)
            .Default(1)
            .Property(u"ImageIndex", &C::ImageIndex, &C::SetImageIndex)
            .Default(-1)
            .Property(u"ButtonAlignment", &C::ButtonAlignment, &C::SetButtonAlignment)
            .Default(baRight)
            .Build();
    return Info;
}

TBarAppearance::TBarAppearance(TPersistent* AOwner, std::unique_ptr<THeaderButtons> AButtons)
    : FOwner(AOwner), FFont(std::make_unique<TFont>()), FButtons(std::move(AButtons)) {
    FFont->SetHeight(-11);
    FButtons->OnChange = [this](TObject*) {
        if (OnButtonsChanged) OnButtonsChanged(this);
    };
}

TBarAppearance::~TBarAppearance() = default;

void TBarAppearance::Changed() {
    if (OnChange) OnChange(this);
}

void TBarAppearance::SetVisible(bool Value) {
    if (FVisible == Value) return;
    FVisible = Value;
    Changed();
}

void TBarAppearance::AssignColorsFrom(const TBarAppearance& Source) {
    FColorTo = Source.FColorTo;
    FColor = Source.FColor;
    FBorderColor = Source.FBorderColor;
    FFont->Assign(Source.FFont.get());
    FGradientDirection = Source.FGradientDirection;
}

const TClassInfo& THeaderAppearance::StaticClassInfo() {
    using C = THeaderAppearance;
    static const TClassInfo Info =
        TClassBuilder<C, TBarAppearance>().Property(u"Buttons", &C::Buttons, &C::SetButtons).Build();
    return Info;
}

THeaderAppearance::THeaderAppearance(TPersistent* AOwner)
    : TBarAppearance(AOwner, std::make_unique<THeaderButtons>(AOwner)) {
    FFont->SetName(u"Segoe UI");
}

void THeaderAppearance::Assign(const TPersistent* Source) {
    const auto* Other = dynamic_cast<const THeaderAppearance*>(Source);
    if (!Other) return;
    FColorTo = Other->FColorTo;
    FColor = Other->FColor;
    FBorderColor = Other->FBorderColor;
    FCaption = Other->FCaption;
    FFont->Assign(Other->FFont.get());
    FImageIndex = Other->FImageIndex;
    FBorderWidth = Other->FBorderWidth;
    FGradientDirection = Other->FGradientDirection;
    FHeight = Other->FHeight;
    SetVisible(Other->FVisible);
    FButtonAlignment = Other->FButtonAlignment;
    FButtons->Assign(Other->FButtons.get());
}

void THeaderAppearance::AssignColors(const TPersistent* Source) {
    if (const auto* Other = dynamic_cast<const THeaderAppearance*>(Source)) AssignColorsFrom(*Other);
}

const TClassInfo& TFooterAppearance::StaticClassInfo() {
    using C = TFooterAppearance;
    static const TClassInfo Info = TClassBuilder<C, TBarAppearance>()
                                       .Property(u"SizeGrip", &C::SizeGrip, &C::SetSizeGrip)
                                       .Default(true)
                                       .Property(u"Buttons", &C::Buttons, &C::SetButtons)
                                       .Build();
    return Info;
}

TFooterAppearance::TFooterAppearance(TPersistent* AOwner)
    : TBarAppearance(AOwner, std::make_unique<TFooterButtons>(AOwner)) {}

void TFooterAppearance::SetCaption(const String& Value) {
    FCaption = Value;
    Changed();
}

void TFooterAppearance::Assign(const TPersistent* Source) {
    const auto* Other = dynamic_cast<const TFooterAppearance*>(Source);
    if (!Other) return;
    FBorderColor = Other->FBorderColor;
    FColor = Other->FColor;
    FColorTo = Other->FColorTo;
    FGradientDirection = Other->FGradientDirection;
    FFont->Assign(Other->FFont.get());
    FCaption = Other->FCaption;
    FSizeGrip = Other->FSizeGrip;
    FBorderWidth = Other->FBorderWidth;
    FHeight = Other->FHeight;
    FImageIndex = Other->FImageIndex;
    SetVisible(Other->FVisible);
    FButtonAlignment = Other->FButtonAlignment;
    FButtons->Assign(Other->FButtons.get());
}

void TFooterAppearance::AssignColors(const TPersistent* Source) {
    if (const auto* Other = dynamic_cast<const TFooterAppearance*>(Source)) AssignColorsFrom(*Other);
}

// ---- Button colours ----

const TClassInfo& TKelButtonAppearance::StaticClassInfo() {
    using C = TKelButtonAppearance;
    static const TClassInfo Info =
        TClassBuilder<C, TPersistent>()
            .Property(u"BorderColor", TypeInfo_TColor(), &C::BorderColor, &C::SetBorderColor)
            .Default(clNone)
            .Property(u"BorderColorHot", TypeInfo_TColor(), &C::BorderColorHot, &C::SetBorderColorHot)
            .Default(0x808080)
            .Property(u"BorderColorDown", TypeInfo_TColor(), &C::BorderColorDown, &C::SetBorderColorDown)
            .Default(0x800000)
            .Property(u"BorderColorDisabled", TypeInfo_TColor(), &C::BorderColorDisabled,
                      &C::SetBorderColorDisabled)
            .Default(0x808080)
            .Property(u"Color", TypeInfo_TColor(), &C::Color, &C::SetColor)
            .Default(clNone)
            .Property(u"ColorTo", TypeInfo_TColor(), &C::ColorTo, &C::SetColorTo)
            .Default(clNone)
            .Property(u"ColorDisabled", TypeInfo_TColor(), &C::ColorDisabled, &C::SetColorDisabled)
            .Default(0xF2F2F2)
            .Property(u"ColorDisabledTo", TypeInfo_TColor(), &C::ColorDisabledTo, &C::SetColorDisabledTo)
            .Default(clNone)
            .Property(u"ColorDown", TypeInfo_TColor(), &C::ColorDown, &C::SetColorDown)
            .Default(0xF5D8CA)
            .Property(u"ColorDownTo", TypeInfo_TColor(), &C::ColorDownTo, &C::SetColorDownTo)
            .Default(0xF9BDA0)
            .Property(u"ColorHot", TypeInfo_TColor(), &C::ColorHot, &C::SetColorHot)
            .Default(0xF5F0E1)
            .Property(u"ColorHotTo", TypeInfo_TColor(), &C::ColorHotTo, &C::SetColorHotTo)
            .Default(0xF9D2B2)
            .Property(u"Font", &C::Font, &C::SetFont)
            .Property(u"Gradient", &C::Gradient, &C::SetGradient)
            .Default(gdVertical)
            .Build();
    return Info;
}

TKelButtonAppearance::TKelButtonAppearance() : FFont(std::make_unique<TFont>()) {
    FColorChecked = DarkenColor(FColorHot, -10, -10, 0);
    FColorCheckedTo = DarkenColor(FColorHotTo, -10, -10, 0);
    FFont->SetName(u"Segoe UI");
    FFont->SetHeight(-11);
}

TKelButtonAppearance::~TKelButtonAppearance() = default;

void TKelButtonAppearance::Changed() {
    if (OnChange) OnChange(this);
}

void TKelButtonAppearance::SetColorField(TColor& Field, TColor Value) {
    if (Field == Value) return;
    Field = Value;
    Changed();
}

void TKelButtonAppearance::SetGradient(TGradientDirection Value) {
    if (FGradient == Value) return;
    FGradient = Value;
    Changed();
}

void TKelButtonAppearance::Assign(const TPersistent* Source) {
    const auto* Other = dynamic_cast<const TKelButtonAppearance*>(Source);
    if (!Other) {
        TPersistent::Assign(Source);
        return;
    }
    SetColor(Other->FColor);
    SetColorTo(Other->FColorTo);
    SetColorHot(Other->FColorHot);
    SetColorHotTo(Other->FColorHotTo);
    SetColorDown(Other->FColorDown);
    SetColorDownTo(Other->FColorDownTo);
    SetColorChecked(Other->FColorChecked);
    SetColorCheckedTo(Other->FColorCheckedTo);
    SetColorDisabled(Other->FColorDisabled);
    SetColorDisabledTo(Other->FColorDisabledTo);
    SetBorderColor(Other->FBorderColor);
    SetBorderColorHot(Other->FBorderColorHot);
    SetBorderColorDown(Other->FBorderColorDown);
    SetBorderColorChecked(Other->FBorderColorChecked);
    SetBorderColorDisabled(Other->FBorderColorDisabled);
    SetGradient(Other->FGradient);
    FFont->Assign(Other->FFont.get());
}

void RegisterDropDownAppearanceClasses() {
    RegisterClasses({
        &THeaderButton::StaticClassInfo(),
        &TFooterButton::StaticClassInfo(),
        &THeaderButtons::StaticClassInfo(),
        &TFooterButtons::StaticClassInfo(),
        &THeaderAppearance::StaticClassInfo(),
        &TFooterAppearance::StaticClassInfo(),
        &TKelButtonAppearance::StaticClassInfo(),
    });
}

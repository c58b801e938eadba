#include "grid/AppearanceSettings.h"

#include "EventProperty.h"
#include "rtl/ClassBuilder.h"

// ---- TGridProgressAppearance -------------------------------------------------

const TClassInfo& TGridProgressAppearance::StaticClassInfo() {
    using C = TGridProgressAppearance;
    static const TClassInfo Info =
        TClassBuilder<C, TPersistent>()
            .Property(u"CompleteColor", TypeInfo_TColor(), &C::CompleteColor, &C::SetCompleteColor)
            .Default(clRed)
            .Property(u"CompleteFontColor", TypeInfo_TColor(), &C::CompleteFontColor,
                      &C::SetCompleteFontColor)
            .Default(clBlue)
            .Property(u"UnCompleteColor", TypeInfo_TColor(), &C::UnCompleteColor, &C::SetUnCompleteColor)
            .Default(clNone)
            .Property(u"UnCompleteFontColor", TypeInfo_TColor(), &C::UnCompleteFontColor,
                      &C::SetUnCompleteFontColor)
            .Default(clWindowText)
            .Property(u"OnChange", TypeInfo_TNotifyEvent(), &C::OnChange, EventSetter(&C::OnChange))
            .Property(u"Level0Color", TypeInfo_TColor(), &C::Level0Color, &C::SetLevel0Color)
            .Default(clLime)
            .Property(u"Level0ColorTo", TypeInfo_TColor(), &C::Level0ColorTo, &C::SetLevel0ColorTo)
            .Default(0xE1FFE1)
            .Property(u"Level1Color", TypeInfo_TColor(), &C::Level1Color, &C::SetLevel1Color)
            .Default(clYellow)
            .Property(u"Level1ColorTo", TypeInfo_TColor(), &C::Level1ColorTo, &C::SetLevel1ColorTo)
            .Default(0xCAFFFF)
            .Property(u"Level2Color", TypeInfo_TColor(), &C::Level2Color, &C::SetLevel2Color)
            .Default(0x53A9FF)
            .Property(u"Level2ColorTo", TypeInfo_TColor(), &C::Level2ColorTo, &C::SetLevel2ColorTo)
            .Default(0xA8D3FF)
            .Property(u"Level3Color", TypeInfo_TColor(), &C::Level3Color, &C::SetLevel3Color)
            .Default(clRed)
            .Property(u"Level3ColorTo", TypeInfo_TColor(), &C::Level3ColorTo, &C::SetLevel3ColorTo)
            .Default(0xCACAFF)
            .Property(u"Level1Perc", &C::Level1Perc, &C::SetLevel1Perc)
            .Default(70)
            .Property(u"Level2Perc", &C::Level2Perc, &C::SetLevel2Perc)
            .Default(90)
            .Property(u"BorderColor", TypeInfo_TColor(), &C::BorderColor, &C::SetBorderColor)
            .Default(clBlack)
            .Property(u"ShowBorder", &C::ShowBorder, &C::SetShowBorder)
            .Default(false)
            .Property(u"Stacked", &C::Stacked, &C::SetStacked)
            .Default(false)
            .Property(u"ShowPercentage", &C::ShowPercentage, &C::SetShowPercentage)
            .Default(true)
            .Property(u"CompletionSmooth", &C::CompletionSmooth, &C::SetCompletionSmooth)
            .Default(true)
            .Property(u"ShowGradient", &C::ShowGradient, &C::SetShowGradient)
            .Default(true)
            .Property(u"Steps", &C::Steps, &C::SetSteps)
            .Default(11)
            .Build();
    return Info;
}

void TGridProgressAppearance::Changed() {
    if (OnChange) OnChange(this);
}

void TGridProgressAppearance::Assign(const TPersistent* Source) {
    const auto* Other = dynamic_cast<const TGridProgressAppearance*>(Source);
    if (!Other) return;
    FCompleteColor = Other->FCompleteColor;
    FCompleteFontColor = Other->FCompleteFontColor;
    FUnCompleteColor = Other->FUnCompleteColor;
    FUnCompleteFontColor = Other->FUnCompleteFontColor;
    FLevel0Color = Other->FLevel0Color;
    FLevel0ColorTo = Other->FLevel0ColorTo;
    FLevel1Color = Other->FLevel1Color;
    FLevel1ColorTo = Other->FLevel1ColorTo;
    FLevel2Color = Other->FLevel2Color;
    FLevel2ColorTo = Other->FLevel2ColorTo;
    FLevel3Color = Other->FLevel3Color;
    FLevel3ColorTo = Other->FLevel3ColorTo;
    FLevel1Perc = Other->FLevel1Perc;
    FLevel2Perc = Other->FLevel2Perc;
    FBorderColor = Other->FBorderColor;
    FShowBorder = Other->FShowBorder;
    FStacked = Other->FStacked;
    FShowPercentage = Other->FShowPercentage;
    FCompletionSmooth = Other->FCompletionSmooth;
    FShowGradient = Other->FShowGradient;
    FSteps = Other->FSteps;
    FStyle = Other->FStyle;
    Changed();
}

// ---- TColorSetting -------------------------------------------------------------

const TClassInfo& TColorSetting::StaticClassInfo() {
    using C = TColorSetting;
    static const TClassInfo Info =
        TClassBuilder<C, TPersistent>()
            .Property(u"TextColor", TypeInfo_TColor(), &C::TextColor, &C::SetTextColor)
            .Default(clNone)
            .Property(u"BkgColor", TypeInfo_TColor(), &C::BkgColor, &C::SetBkgColor)
            .Default(clNone)
            .Property(u"OnChange", TypeInfo_TNotifyEvent(), &C::OnChange, EventSetter(&C::OnChange))
            .Build();
    return Info;
}

void TColorSetting::Changed() {
    if (OnChange) OnChange(this);
}

void TColorSetting::Assign(const TPersistent* Source) {
    const auto* Other = dynamic_cast<const TColorSetting*>(Source);
    if (!Other) return;
    FTextColor = Other->FTextColor;
    FBkgColor = Other->FBkgColor;
}

void TColorSetting::SetTextColor(TColor Value) {
    if (FTextColor == Value) return;
    FTextColor = Value;
    Changed();
}

void TColorSetting::SetBkgColor(TColor Value) {
    if (FBkgColor == Value) return;
    FBkgColor = Value;
    Changed();
}

// ---- TAutoColor ----------------------------------------------------------------

const TClassInfo& TAutoColor::StaticClassInfo() {
    using C = TAutoColor;
    static const TClassInfo Info =
        TClassBuilder<C, TPersistent>()
            .Property(u"NegativeNumber", &C::NegativeNumber, &C::SetNegativeNumber)
            .Property(u"PositiveNumber", &C::PositiveNumber, &C::SetPositiveNumber)
            .Property(u"OnChange", TypeInfo_TNotifyEvent(), &C::OnChange, EventSetter(&C::OnChange))
            .Build();
    return Info;
}

TAutoColor::TAutoColor()
    : FNegativeNumber(std::make_unique<TColorSetting>()), FPositiveNumber(std::make_unique<TColorSetting>()) {
    FNegativeNumber->OnChange = [this](TObject*) { Changed(); };
    FPositiveNumber->OnChange = [this](TObject*) { Changed(); };
}

TAutoColor::~TAutoColor() = default;

void TAutoColor::Changed() {
    if (OnChange) OnChange(this);
}

void TAutoColor::Assign(const TPersistent* Source) {
    const auto* Other = dynamic_cast<const TAutoColor*>(Source);
    if (!Other) return;
    FNegativeNumber->Assign(Other->FNegativeNumber.get());
    FPositiveNumber->Assign(Other->FPositiveNumber.get());
}

bool TAutoColor::IsActive() const {
    return FNegativeNumber->TextColor() != clNone || FNegativeNumber->BkgColor() != clNone ||
           FPositiveNumber->TextColor() != clNone || FPositiveNumber->BkgColor() != clNone;
}

void TAutoColor::SetNegativeNumber(const TColorSetting* Value) {
    FNegativeNumber->Assign(Value);
}

void TAutoColor::SetPositiveNumber(const TColorSetting* Value) {
    FPositiveNumber->Assign(Value);
}

// ---- TShowModified ---------------------------------------------------------------

const TClassInfo& TShowModified::StaticClassInfo() {
    using C = TShowModified;
    static const TClassInfo Info =
        TClassBuilder<C, TPersistent>()
            .Property(u"Enabled", &C::Enabled, &C::SetEnabled)
            .Default(false)
            .Property(u"Color", TypeInfo_TColor(), &C::Color, &C::SetColor)
            .Default(clYellow)
            .Property(u"OnChange", TypeInfo_TNotifyEvent(), &C::OnChange, EventSetter(&C::OnChange))
            .Build();
    return Info;
}

void TShowModified::Assign(const TPersistent* Source) {
    const auto* Other = dynamic_cast<const TShowModified*>(Source);
    if (!Other) return;
    FColor = Other->FColor;
    FEnabled = Other->FEnabled;
}

void TShowModified::SetColor(TColor Value) {
    FColor = Value;
    if (OnChange) OnChange(this);
}

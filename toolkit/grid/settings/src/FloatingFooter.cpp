#include "grid/FloatingFooter.h"

#include "EventProperty.h"
#include "rtl/ClassBuilder.h"

const TClassInfo& TFloatingFooter::StaticClassInfo() {
    using C = TFloatingFooter;
    static const TClassInfo Info =
        TClassBuilder<C, TPersistent>()
            .Property(u"BorderColor", TypeInfo_TColor(), &C::BorderColor, &C::SetBorderColor)
            .Default(clNone)
            .Property(u"CalculateHiddenRows", &C::CalculateHiddenRows, &C::SetCalculateHiddenRows)
            .Default(true)
            .Property(u"Color", TypeInfo_TColor(), &C::Color, &C::SetColor)
            .Default(clBtnFace)
            .Property(u"Column", &C::Column, &C::SetColumn)
            .Default(0)
            .Property(u"CustomTemplate", &C::CustomTemplate, &C::SetCustomTemplate)
            .Property(u"FooterStyle", &C::FooterStyle, &C::SetFooterStyle)
            .Default(fsFixedLastRow)
            .Property(u"ShowHint", &C::ShowHint, &C::SetShowHint)
            .Default(false)
            .Property(u"Visible", &C::Visible, &C::SetVisible)
            .Default(false)
            .Property(u"OnCalcFooter", TypeInfo_TCalcFooterEvent(), &C::OnCalcFooter,
                      EventSetter(&C::OnCalcFooter))
            .Build();
    return Info;
}

TFloatingFooter::TFloatingFooter(IGridSettingsOwner* AOwner) : FOwner(AOwner) {}

TPersistent* TFloatingFooter::GetOwner() const {
    return FOwner ? FOwner->GridObject() : nullptr;
}

void TFloatingFooter::Invalidate() {
    if (FOwner) FOwner->RepaintFooterPanel();
}

void TFloatingFooter::SetVisible(bool Value) {
    if (FVisible == Value) return;
    FVisible = Value;
    if (FOwner) FOwner->FloatingFooterVisibleChanged();
}

void TFloatingFooter::SetFooterStyle(TFooterStyle Value) {
    FFooterStyle = Value;
    if (FOwner) FOwner->FloatingFooterStyleChanged();
}

void TFloatingFooter::SetHeight(Integer Value) {
    FHeight = Value;
    if (FOwner) FOwner->FloatingFooterHeightChanged();
}

void TFloatingFooter::SetColor(TColor Value) {
    FColor = Value;
    Invalidate();
}

void TFloatingFooter::SetColumn(Integer Value) {
    FColumn = Value;
    Invalidate();
}

void TFloatingFooter::SetCustomTemplate(const String& Value) {
    FCustomTemplate = Value;
    Invalidate();
}

void TFloatingFooter::SetBorderColor(TColor Value) {
    if (FBorderColor == Value) return;
    FBorderColor = Value;
    Invalidate();
}

void TFloatingFooter::SetShowHint(bool Value) {
    FShowHint = Value;
    if (FOwner) FOwner->FloatingFooterShowHintChanged();
}

void TFloatingFooter::Assign(const TPersistent* Source) {
    const auto* Other = dynamic_cast<const TFloatingFooter*>(Source);
    if (!Other) return;
    FCalculateHiddenRows = Other->FCalculateHiddenRows;
    FColor = Other->FColor;
    FColumn = Other->FColumn;
    FCustomTemplate = Other->FCustomTemplate;
    FFooterStyle = Other->FFooterStyle;
    SetVisible(Other->FVisible);
    FShowHint = Other->FShowHint;
}

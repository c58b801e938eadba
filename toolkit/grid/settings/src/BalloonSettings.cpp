#include "grid/BalloonSettings.h"

#include "EventProperty.h"
#include "rtl/ClassBuilder.h"

const TClassInfo& TBalloonSettings::StaticClassInfo() {
    using C = TBalloonSettings;
    static const TClassInfo Info =
        TClassBuilder<C, TPersistent>()
            .Property(u"AutoHideDelay", &C::AutoHideDelay, &C::SetAutoHideDelay)
            .Default(-1)
            .Property(u"BackgroundColor", TypeInfo_TColor(), &C::BackgroundColor, &C::SetBackgroundColor)
            .Default(clNone)
            .Property(u"Enable", &C::Enable, &C::SetEnable)
            .Default(false)
            .Property(u"InitialDelay", &C::InitialDelay, &C::SetInitialDelay)
            .Default(-1)
            .Property(u"ReshowDelay", &C::ReshowDelay, &C::SetReshowDelay)
            .Default(-1)
            .Property(u"ShowCell", &C::ShowCell, &C::SetShowCell)
            .Default(true)
            .Property(u"TextColor", TypeInfo_TColor(), &C::TextColor, &C::SetTextColor)
            .Default(clNone)
            .Property(u"Transparency", &C::Transparency, &C::SetTransparency)
            .Default(0)
            .Property(u"OnEnableChange", TypeInfo_TNotifyEvent(), &C::OnEnableChange,
                      EventSetter(&C::OnEnableChange))
            .Build();
    return Info;
}

void TBalloonSettings::SetEnable(bool Value) {
    if (FEnable == Value) return;
    FEnable = Value;
    if (OnEnableChange) OnEnableChange(this);
}

void TBalloonSettings::Assign(const TPersistent* Source) {
    const auto* Other = dynamic_cast<const TBalloonSettings*>(Source);
    if (!Other) return;
    FTextColor = Other->FTextColor;
    FBackgroundColor = Other->FBackgroundColor;
    FInitialDelay = Other->FInitialDelay;
    FAutoHideDelay = Other->FAutoHideDelay;
    FReshowDelay = Other->FReshowDelay;
    FEnable = Other->FEnable;
    FShowCell = Other->FShowCell;
}

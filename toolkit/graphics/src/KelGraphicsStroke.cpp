#include "kel/KelGraphicsStroke.h"

#include "kel/KelGraphicsFill.h"
#include "rtl/ClassBuilder.h"

const TClassInfo& TKelCustomGraphicsStroke::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TKelCustomGraphicsStroke, TPersistent>().Build();
    return Info;
}

const TClassInfo& TKelGraphicsStroke::StaticClassInfo() {
    using T = TKelGraphicsStroke;
    static const TClassInfo Info =
        TClassBuilder<T, TKelCustomGraphicsStroke>()
            .Property(u"OnChanged", &T::OnChanged,
                      [](T& Stroke, TNotifyEvent Value) { Stroke.OnChanged = Value; })
            .Property(u"Kind", &T::Kind, &T::SetKind)
            .Default(gskSolid)
            .Property(u"Color", TypeInfo_TColor(), &T::Color, &T::SetColor)
            .Default(0xC0C0C0)
            .Property(u"Width", &T::Width, &T::SetWidth)
            .Stored([](const T& Stroke) { return Stroke.Width() != 1; })
            .Build();
    return Info;
}

void TKelCustomGraphicsStroke::Assign(const TPersistent* Source) {
    ChangeAsOne([&] {
        if (auto* Stroke = dynamic_cast<const TKelCustomGraphicsStroke*>(Source)) {
            FColor = Stroke->FColor;
            FKind = Stroke->FKind;
            FOpacity = Stroke->FOpacity;
            FWidth = Stroke->FWidth;
        } else if (auto* Fill = dynamic_cast<const TKelCustomGraphicsFill*>(Source)) {
            FColor = Fill->Color();
            FKind = gskSolid;
            FOpacity = 1;
            FWidth = 1;
        }
    });
}

void TKelCustomGraphicsStroke::SetKind(TKelGraphicsStrokeKind Value) {
    SetAndReport(FKind, Value);
}
void TKelCustomGraphicsStroke::SetColor(TColor Value) {
    SetColorAndReport(FColor, Value);
}
void TKelCustomGraphicsStroke::SetWidth(Single Value) {
    SetAndReport(FWidth, Value);
}
void TKelCustomGraphicsStroke::SetOpacity(Single Value) {
    SetAndReport(FOpacity, Value);
}

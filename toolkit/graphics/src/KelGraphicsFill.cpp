#include "kel/KelGraphicsFill.h"

#include "kel/KelGraphicsStroke.h"
#include "rtl/ClassBuilder.h"

// ---- Gradient stops ---------------------------------------------------------------

const TClassInfo& TKelGraphicsFillGradientItem::StaticClassInfo() {
    using T = TKelGraphicsFillGradientItem;
    static const TClassInfo Info = TClassBuilder<T, TCollectionItem>()
                                       .Property(u"Opacity", &T::Opacity, &T::SetOpacity)
                                       .Stored([](const T& Item) { return Item.Opacity() != 1; })
                                       .Property(u"Color", TypeInfo_TColor(), &T::Color, &T::SetColor)
                                       .Default(0xFFFFFF)
                                       .Property(u"Position", &T::Position, &T::SetPosition)
                                       .Stored([](const T& Item) { return Item.Position() != 0; })
                                       .Build();
    return Info;
}

void TKelGraphicsFillGradientItem::Assign(const TPersistent* Source) {
    if (auto* Item = dynamic_cast<const TKelGraphicsFillGradientItem*>(Source)) {
        FColor = Item->FColor;
        FOpacity = Item->FOpacity;
        FPosition = Item->FPosition;
        return;
    }
    TCollectionItem::Assign(Source);
}

void TKelGraphicsFillGradientItem::ItemChanged() {
    if (auto* Items = dynamic_cast<TKelGraphicsFillGradientItems*>(Collection())) Items->ItemChanged();
}

void TKelGraphicsFillGradientItem::SetColor(TColor Value) {
    if (Value == FColor) return;
    FColor = Value;
    ItemChanged();
}

void TKelGraphicsFillGradientItem::SetPosition(Single Value) {
    if (Value == FPosition) return;
    FPosition = Value;
    ItemChanged();
}

void TKelGraphicsFillGradientItem::SetOpacity(Single Value) {
    if (Value == FOpacity) return;
    FOpacity = Value;
    ItemChanged();
}

const TClassInfo& TKelGraphicsFillGradientItems::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TKelGraphicsFillGradientItems, TOwnedCollection>().Build();
    return Info;
}

// The item class is named here directly: the collection is made with it
// before any virtual operation of the new object may run.
TKelGraphicsFillGradientItems::TKelGraphicsFillGradientItems(TKelCustomGraphicsFill* AOwner)
    : TKelGraphicsFillGradientItems(AOwner, TKelGraphicsFillGradientItem::StaticClassInfo()) {}

TKelGraphicsFillGradientItems::TKelGraphicsFillGradientItems(TKelCustomGraphicsFill* AOwner,
                                                             const TClassInfo& AItemClass)
    : TKelOwnedCollection(AOwner, AItemClass), FOwner(AOwner) {}

const TClassInfo& TKelGraphicsFillGradientItems::GetGradientItemClass() const {
    return TKelGraphicsFillGradientItem::StaticClassInfo();
}

void TKelGraphicsFillGradientItems::ItemChanged() {
    if (FOwner) FOwner->DoChanged();
}

// ---- Fill ---------------------------------------------------------------------------

const TClassInfo& TKelCustomGraphicsFill::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TKelCustomGraphicsFill, TPersistent>().Build();
    return Info;
}

const TClassInfo& TKelGraphicsFill::StaticClassInfo() {
    using T = TKelGraphicsFill;
    static const TClassInfo Info =
        TClassBuilder<T, TKelCustomGraphicsFill>()
            .Property(u"OnChanged", &T::OnChanged,
                      [](T& Fill, TNotifyEvent Value) { Fill.OnChanged = Value; })
            .Property(u"Kind", &T::Kind, &T::SetKind)
            .Default(gfkSolid)
            .Property(u"Orientation", &T::Orientation, &T::SetOrientation)
            .Default(gfoVertical)
            .Property(u"Color", TypeInfo_TColor(), &T::Color, &T::SetColor)
            .Default(0xFFFFFF)
            .Property(u"ColorTo", TypeInfo_TColor(), &T::ColorTo, &T::SetColorTo)
            .Default(0x808080)
            .Property(u"ColorMirror", TypeInfo_TColor(), &T::ColorMirror, &T::SetColorMirror)
            .Default(gcNull)
            .Property(u"ColorMirrorTo", TypeInfo_TColor(), &T::ColorMirrorTo, &T::SetColorMirrorTo)
            .Default(gcNull)
            .Property(u"TextureMode", &T::TextureMode, &T::SetTextureMode)
            .Default(gtmStretch)
            .Property(u"Texture", &T::Texture, [](T& Fill, TKelBitmap* Value) { Fill.SetTexture(Value); })
            .Build();
    return Info;
}

TKelCustomGraphicsFill::TKelCustomGraphicsFill(TKelGraphicsFillKind AKind, TColor AColor)
    : FKind(AKind), FColor(AColor), FTexture(Create<TKelBitmap>()),
      FGradientItems(Create<TKelGraphicsFillGradientItems>(this)) {
    FTexture->OnChange = [this](TObject*) { DoChanged(); };
}

TKelCustomGraphicsFill::~TKelCustomGraphicsFill() = default;

void TKelCustomGraphicsFill::SetKind(TKelGraphicsFillKind Value) {
    SetAndReport(FKind, Value);
}
void TKelCustomGraphicsFill::SetOrientation(TKelGraphicsFillOrientation Value) {
    SetAndReport(FOrientation, Value);
}
void TKelCustomGraphicsFill::SetColor(TColor Value) {
    SetColorAndReport(FColor, Value);
}
void TKelCustomGraphicsFill::SetColorTo(TColor Value) {
    SetColorAndReport(FColorTo, Value);
}
void TKelCustomGraphicsFill::SetColorMirror(TColor Value) {
    SetColorAndReport(FColorMirror, Value);
}
void TKelCustomGraphicsFill::SetColorMirrorTo(TColor Value) {
    SetColorAndReport(FColorMirrorTo, Value);
}
void TKelCustomGraphicsFill::SetOpacity(Single Value) {
    SetAndReport(FOpacity, Value);
}
void TKelCustomGraphicsFill::SetTextureMode(TKelGraphicsTextureMode Value) {
    SetAndReport(FTextureMode, Value);
}
void TKelCustomGraphicsFill::SetGradientMode(TKelGraphicsFillGradientMode Value) {
    SetAndReport(FGradientMode, Value);
}
void TKelCustomGraphicsFill::SetGradientType(TKelGraphicsFillGradientType Value) {
    SetAndReport(FGradientType, Value);
}
void TKelCustomGraphicsFill::SetGradientAngle(Single Value) {
    SetAndReport(FGradientAngle, Value);
}
void TKelCustomGraphicsFill::SetGradientCenterColor(TColor Value) {
    SetAndReport(FGradientCenterColor, Value);
}

void TKelCustomGraphicsFill::SetGradientCenterPoint(const TPointF& Value) {
    FGradientCenterPoint = Value;
    DoChanged();
}

void TKelCustomGraphicsFill::SetTexture(const TKelBitmap* Value) {
    if (Value == FTexture.get()) return;
    // The owned picture reports its own change; the copy reports once.
    ChangeAsOne([&] { FTexture->Assign(Value); });
}

void TKelCustomGraphicsFill::SetGradientItems(const TKelGraphicsFillGradientItems* Value) {
    FGradientItems->Assign(Value);
}

void TKelCustomGraphicsFill::ClearGradientItems() {
    FGradientItems->Clear();
}

TKelGraphicsFillGradientItem* TKelCustomGraphicsFill::AddGradientItem(TColor AColor, Single APosition,
                                                                      Single AOpacity) {
    TKelGraphicsFillGradientItem* Item = FGradientItems->Add();
    Item->SetColor(AColor);
    Item->SetPosition(APosition);
    Item->SetOpacity(AOpacity);
    return Item;
}

void TKelCustomGraphicsFill::Assign(const TPersistent* Source) {
    ChangeAsOne([&] {
        if (auto* Fill = dynamic_cast<const TKelCustomGraphicsFill*>(Source)) {
            FColor = Fill->FColor;
            FColorTo = Fill->FColorTo;
            FColorMirror = Fill->FColorMirror;
            FColorMirrorTo = Fill->FColorMirrorTo;
            FKind = Fill->FKind;
            FOrientation = Fill->FOrientation;
            FOpacity = Fill->FOpacity;
            if (Fill != this) FTexture->Assign(Fill->FTexture.get());
            FTextureMode = Fill->FTextureMode;
            FGradientMode = Fill->FGradientMode;
            FGradientAngle = Fill->FGradientAngle;
            FGradientCenterPoint = Fill->FGradientCenterPoint;
            if (Fill != this) FGradientItems->Assign(Fill->FGradientItems.get());
            FGradientType = Fill->FGradientType;
            FGradientCenterColor = Fill->FGradientCenterColor;
        } else if (auto* Stroke = dynamic_cast<const TKelCustomGraphicsStroke*>(Source)) {
            FColor = Stroke->Color();
            FColorTo = gcNull;
            FColorMirror = gcNull;
            FColorMirrorTo = gcNull;
            FKind = gfkSolid;
            FOrientation = gfoVertical;
            FOpacity = 1;
        }
    });
}

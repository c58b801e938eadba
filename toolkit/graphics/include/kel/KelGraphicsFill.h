#pragma once
// TKelGraphicsFill: how an area is painted (none, solid, gradient or
// texture), with the gradient stops it may be painted with. Every change
// reaches the owner through OnChanged (see kel/KelChangeNotifying.h).

#include "kel/KelBitmap.h"
#include "kel/KelChangeNotifying.h"
#include "kel/KelGraphicsMatrix.h"
#include "kel/KelGraphicsTypes.h"
#include "kel/KelOwnedCollection.h"
#include "rtl/Persistent.h"

#include <memory>

class TKelCustomGraphicsFill;

// An explicit gradient geometry, as vector documents give it. When Active, a
// linear gradient runs from Start (stop 0) to End (stop 1), and a radial one
// from the focus End (stop 0) to the circle of Radius round Start (stop 1),
// both in a gradient space that Transform maps onto the device; Spread says
// what lies beyond. Otherwise the gradient spans the filled shape's bounds.
struct TKelGraphicsGradientGeometry {
    bool Active = false;
    TPointF Start;
    TPointF End;
    Single Radius = 0;
    TKelGraphicsMatrix Transform = TKelGraphicsMatrix::Identity();
    TKelGraphicsGradientSpread Spread = ggsPad;
};

// One gradient stop: a colour and its opacity at a place along the gradient
// (0 at the start, 1 at the end). A change is reported to the fill that owns
// the stop's collection.
class TKelGraphicsFillGradientItem : public TCollectionItem {
    RTL_CLASS(TKelGraphicsFillGradientItem)
public:
    explicit TKelGraphicsFillGradientItem(TCollection* Collection) : TCollectionItem(Collection) {}

    // From another stop: colour, opacity and position, without a report.
    // Any other source raises the base class's conversion error.
    void Assign(const TPersistent* Source) override;

    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    Single Position() const { return FPosition; }
    void SetPosition(Single Value);
    Single Opacity() const { return FOpacity; }
    void SetOpacity(Single Value);

private:
    void ItemChanged();

    TColor FColor = 0xFFFFFF;
    Single FPosition = 0;
    Single FOpacity = 1;
};

// The gradient stops of a fill. Adding, inserting, deleting, clearing and
// copying stops report nothing; a changed stop reports through the fill.
class TKelGraphicsFillGradientItems : public TKelOwnedCollection<TKelGraphicsFillGradientItem> {
    RTL_CLASS(TKelGraphicsFillGradientItems)
public:
    explicit TKelGraphicsFillGradientItems(TKelCustomGraphicsFill* AOwner);

    // The class of the stops this collection makes.
    virtual const TClassInfo& GetGradientItemClass() const;

    TKelGraphicsFillGradientItem* Add() {
        return static_cast<TKelGraphicsFillGradientItem*>(TCollection::Add());
    }
    TKelGraphicsFillGradientItem* Insert(Integer Index) {
        return static_cast<TKelGraphicsFillGradientItem*>(TCollection::Insert(Index));
    }
    TKelGraphicsFillGradientItem* Items(Integer Index) const { return GetItem(Index); }
    // Copies Value into the stop at Index.
    void SetItems(Integer Index, const TKelGraphicsFillGradientItem* Value) { GetItem(Index)->Assign(Value); }

protected:
    // For collections of stops of another class.
    TKelGraphicsFillGradientItems(TKelCustomGraphicsFill* AOwner, const TClassInfo& AItemClass);

private:
    friend class TKelGraphicsFillGradientItem;
    // A stop of this collection changed.
    void ItemChanged();

    TKelCustomGraphicsFill* FOwner;
};

class TKelCustomGraphicsFill : public TKelChangeNotifying<TPersistent> {
    RTL_CLASS(TKelCustomGraphicsFill)
public:
    explicit TKelCustomGraphicsFill(TKelGraphicsFillKind AKind = gfkSolid, TColor AColor = 0xFFFFFF);
    ~TKelCustomGraphicsFill() override;

    // From a fill: everything but the gradient matrix and the notification.
    // From a stroke: a solid, vertical, opaque fill of the stroke's colour.
    // Any other source copies nothing. In every case one report follows.
    void Assign(const TPersistent* Source) override;

    void ClearGradientItems();
    // A new stop with its colour, position and opacity set in this order.
    TKelGraphicsFillGradientItem* AddGradientItem(TColor AColor, Single APosition, Single AOpacity);

    TKelGraphicsFillKind Kind() const { return FKind; }
    void SetKind(TKelGraphicsFillKind Value);
    TKelGraphicsFillOrientation Orientation() const { return FOrientation; }
    void SetOrientation(TKelGraphicsFillOrientation Value);
    TKelGraphicsFillOrientation GradientOrientation() const { return Orientation(); }
    void SetGradientOrientation(TKelGraphicsFillOrientation Value) { SetOrientation(Value); }

    // The colour setters compare the value as given, then store it as
    // GraphicsColorFromInput translates it.
    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    TColor ColorTo() const { return FColorTo; }
    void SetColorTo(TColor Value);
    TColor ColorMirror() const { return FColorMirror; }
    void SetColorMirror(TColor Value);
    TColor ColorMirrorTo() const { return FColorMirrorTo; }
    void SetColorMirrorTo(TColor Value);

    // 1 opaque, 0 transparent; not clamped.
    Single Opacity() const { return FOpacity; }
    void SetOpacity(Single Value);

    TKelBitmap* Texture() const { return FTexture.get(); }
    // Copies another picture into the owned texture.
    void SetTexture(const TKelBitmap* Value);
    TKelGraphicsTextureMode TextureMode() const { return FTextureMode; }
    void SetTextureMode(TKelGraphicsTextureMode Value);

    TKelGraphicsFillGradientMode GradientMode() const { return FGradientMode; }
    void SetGradientMode(TKelGraphicsFillGradientMode Value);
    TKelGraphicsFillGradientItems* GradientItems() const { return FGradientItems.get(); }
    // Copies the given stops; reports nothing of its own.
    void SetGradientItems(const TKelGraphicsFillGradientItems* Value);
    TKelGraphicsFillGradientType GradientType() const { return FGradientType; }
    void SetGradientType(TKelGraphicsFillGradientType Value);
    // Degrees, for gfoCustom.
    Single GradientAngle() const { return FGradientAngle; }
    void SetGradientAngle(Single Value);
    // The centre of a radial gradient; setting it always reports.
    TPointF GradientCenterPoint() const { return FGradientCenterPoint; }
    void SetGradientCenterPoint(const TPointF& Value);
    TColor GradientCenterColor() const { return FGradientCenterColor; }
    void SetGradientCenterColor(TColor Value);
    // The transform of the gradient brush; plain access, no report.
    const TKelGraphicsMatrix& GradientMatrix() const { return FGradientMatrix; }
    void SetGradientMatrix(const TKelGraphicsMatrix& Value) { FGradientMatrix = Value; }
    // The explicit gradient geometry; plain access, no report, not copied by
    // Assign (like the gradient matrix).
    const TKelGraphicsGradientGeometry& GradientGeometry() const { return FGradientGeometry; }
    void SetGradientGeometry(const TKelGraphicsGradientGeometry& Value) { FGradientGeometry = Value; }

private:
    friend class TKelGraphicsFillGradientItems;
    TKelGraphicsFillOrientation FOrientation = gfoVertical;
    TKelGraphicsFillKind FKind;
    TColor FColor;
    TColor FColorTo = 0x808080;
    TColor FColorMirror = gcNull;
    TColor FColorMirrorTo = gcNull;
    Single FOpacity = 1;
    std::unique_ptr<TKelBitmap> FTexture;
    TKelGraphicsTextureMode FTextureMode = gtmStretch;
    TKelGraphicsFillGradientMode FGradientMode = gfgmDefault;
    std::unique_ptr<TKelGraphicsFillGradientItems> FGradientItems;
    TKelGraphicsFillGradientType FGradientType = gfgtLinear;
    Single FGradientAngle = 0;
    TPointF FGradientCenterPoint;
    TColor FGradientCenterColor = gcNull;
    TKelGraphicsMatrix FGradientMatrix = TKelGraphicsMatrix::Identity();
    TKelGraphicsGradientGeometry FGradientGeometry;
};

// The fill with its published properties: OnChanged, Kind, Orientation,
// Color, ColorTo, ColorMirror, ColorMirrorTo, TextureMode, Texture.
class TKelGraphicsFill : public TKelCustomGraphicsFill {
    RTL_CLASS(TKelGraphicsFill)
public:
    using TKelCustomGraphicsFill::TKelCustomGraphicsFill;
};

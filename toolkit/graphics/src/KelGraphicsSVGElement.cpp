#include "kel/KelGraphicsSVGElement.h"

namespace {

// A colour value that names a paint: not "none", "transparent" or "default".
bool NamesPaint(const String& AValue) {
    return AValue != u"none" && AValue != u"transparent" && AValue != TKelGraphicsSVGElement::DefaultValue;
}

} // namespace

TKelGraphicsSVGElement* TKelGraphicsSVGElementList::Items(Integer Index) const {
    return static_cast<TKelGraphicsSVGElement*>(TObjectList::Items(Index));
}

TKelGraphicsSVGElement* TKelGraphicsSVGElementClassList::Items(Integer Index) const {
    return static_cast<TKelGraphicsSVGElement*>(TObjectList::Items(Index));
}

TKelGraphicsSVGElement::~TKelGraphicsSVGElement() {
    // The references are not owned; the picture, the paths and the children
    // are, and go in that order.
    FParent = nullptr;
    FClassRef = nullptr;
    FPaintServer = nullptr;
    FBitmap.reset();
    FPaths.reset();
    FElements.reset();
    FCombinedPath.reset();
}

TKelGraphicsSVGElementList* TKelGraphicsSVGElement::Elements() {
    if (!FElements) FElements = std::make_unique<TKelGraphicsSVGElementList>();
    return FElements.get();
}

TKelBitmap* TKelGraphicsSVGElement::Bitmap() {
    if (!FBitmap) FBitmap = std::make_unique<TKelBitmap>();
    return FBitmap.get();
}

TKelGraphicsPath* TKelGraphicsSVGElement::CombinedPath() {
    if (!FCombinedPath) {
        FCombinedPath = std::make_unique<TKelGraphicsPath>();
        if (FPaths)
            for (Integer I = 0; I < FPaths->Count(); ++I)
                FCombinedPath->AddPath(*FPaths->Items(I));
    }
    return FCombinedPath.get();
}

TKelGraphicsSVGElementPathList* TKelGraphicsSVGElement::Paths() {
    if (!FPaths) FPaths = std::make_unique<TKelGraphicsSVGElementPathList>();
    return FPaths.get();
}

TKelGraphicsPath* TKelGraphicsSVGElement::ActivePath() const {
    if (!FPaths || FPaths->Count() == 0) return nullptr;
    return FPaths->Items(FPaths->Count() - 1);
}

bool TKelGraphicsSVGElement::HasFillColor() const {
    return NamesPaint(FFillColorValue);
}

bool TKelGraphicsSVGElement::HasStrokeColor() const {
    return NamesPaint(FStrokeColorValue);
}

bool TKelGraphicsSVGElement::HasStopColor() const {
    return NamesPaint(FStopColorValue);
}

#pragma once
// TKelSVGImport: the abstract SVG importer, the operations every SVG engine
// offers to the vector picture: load, save, test, draw and rasterise, and
// the rendering options that apply to a whole document.
//
// The options: GrayScale draws every colour as grey; CustomFillColor and
// CustomStrokeColor (when not -1) replace every fill and stroke colour;
// TintColor (when not -1) multiplies every colour by itself; CustomOpacity
// (when not -1) replaces every opacity; RotationAngle turns the drawing, in
// degrees, about the centre of the view rectangle.

#include "kel/KelTypes.h"
#include "rtl/Persistent.h"

class TCanvas;
class TKelBitmap;
class TStream;

// The six options are published, so they stream with the owning component.
class TKelSVGImport : public TPersistent {
    RTL_CLASS(TKelSVGImport)
public:
    TKelSVGImport() = default;

    // True when the loaded document produced at least one top-level element.
    virtual bool HasElements() const = 0;
    // The number of top-level elements.
    virtual Integer ElementCount() const = 0;
    // Forgets the loaded document.
    virtual void Clear() = 0;
    virtual void LoadFromText(const String& AText) = 0;
    virtual void LoadFromFile(const String& AFile) = 0;
    virtual void LoadFromStream(TStream* AStream) = 0;
    virtual void SaveToStream(TStream* AStream) const = 0;
    virtual void SaveToFile(const String& AFile) const = 0;
    // Draws the document stretched into ARect of the canvas; ANative: through
    // the GDI+-style drawing context, else through the canvas context.
    virtual void Draw(TCanvas* ACanvas, const TRectF& ARect, bool ANative) = 0;
    // A raster picture of the drawing, AWidth x AHeight pixels (-1, -1: the
    // view rectangle's size); owned by the importer, replaced by the next call.
    virtual TKelBitmap* GenerateBitmap(Single AWidth, Single AHeight) = 0;

    bool GrayScale() const { return FGrayScale; }
    void SetGrayScale(bool Value) { FGrayScale = Value; }
    TColor CustomFillColor() const { return FCustomFillColor; }
    void SetCustomFillColor(TColor Value) { FCustomFillColor = Value; }
    TColor CustomStrokeColor() const { return FCustomStrokeColor; }
    void SetCustomStrokeColor(TColor Value) { FCustomStrokeColor = Value; }
    TColor TintColor() const { return FTintColor; }
    void SetTintColor(TColor Value) { FTintColor = Value; }
    Single CustomOpacity() const { return FCustomOpacity; }
    void SetCustomOpacity(Single Value) { FCustomOpacity = Value; }
    Single RotationAngle() const { return FRotationAngle; }
    void SetRotationAngle(Single Value) { FRotationAngle = Value; }

    // The document's view rectangle in user units, set by loading.
    const TRectF& ViewRect() const { return FViewRect; }
    void SetViewRect(const TRectF& Value) { FViewRect = Value; }

private:
    Single FRotationAngle = 0;
    TRectF FViewRect;
    bool FGrayScale = false;
    TColor FCustomFillColor = -1;
    TColor FCustomStrokeColor = -1;
    TColor FTintColor = -1;
    Single FCustomOpacity = -1;
};

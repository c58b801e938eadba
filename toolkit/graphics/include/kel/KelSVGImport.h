#pragma once
// TKelSVGImport: the abstract SVG importer, the operations every SVG engine
// offers to the vector picture. Declared here with what loading needs: the
// view rectangle and the load, save and test operations. The rendering
// options and the drawing operations join it with the vector picture.

#include "kel/KelTypes.h"
#include "rtl/Persistent.h"

class TStream;

class TKelSVGImport : public TPersistent {
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

    // The document's view rectangle in user units, set by loading.
    const TRectF& ViewRect() const { return FViewRect; }
    void SetViewRect(const TRectF& Value) { FViewRect = Value; }

private:
    TRectF FViewRect;
};

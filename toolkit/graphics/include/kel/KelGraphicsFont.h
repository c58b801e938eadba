#pragma once
// TKelGraphicsFont: the platform font with the drawing layer's change
// notification; every change of its attributes reaches the owner through
// OnChanged (see kel/KelChangeNotifying.h).

#include "graphics/GraphicsObjects.h"
#include "kel/KelChangeNotifying.h"

class TKelGraphicsFont : public TKelChangeNotifying<TFont> {
    RTL_CLASS(TKelGraphicsFont)
public:
    // A character height of 11 pixels.
    TKelGraphicsFont();

    // The platform font's copy, reported once.
    void Assign(const TPersistent* Source) override;
    // The same as Assign.
    virtual void AssignSource(const TPersistent* Source) { Assign(Source); }
};

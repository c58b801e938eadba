#pragma once
// TKelGraphics: the drawing class. For now it holds what its drawing
// contexts read from it: the canvas it draws on and its current fill. Its
// drawing operations, its own bitmap and the choice of context join it with
// the drawing class itself.

#include "graphics/Canvas.h"
#include "kel/KelGraphicsFill.h"

#include <memory>

class TKelGraphics : public TObject {
public:
    explicit TKelGraphics(TCanvas* ACanvas = nullptr)
        : FCanvas(ACanvas), FFill(std::make_unique<TKelGraphicsFill>()) {}

    // The active canvas: the one drawn on; not owned.
    TCanvas* Canvas() const { return FCanvas; }
    void SetCanvas(TCanvas* Value) { FCanvas = Value; }
    TKelGraphicsFill* Fill() const { return FFill.get(); }

private:
    TCanvas* FCanvas;
    std::unique_ptr<TKelGraphicsFill> FFill;
};

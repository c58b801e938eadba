#pragma once
// TKelGraphicsStroke: how a line is drawn (kind, colour, width, opacity).
// Every change reaches the owner through OnChanged (see
// kel/KelChangeNotifying.h).

#include "kel/KelChangeNotifying.h"
#include "kel/KelGraphicsTypes.h"
#include "rtl/Persistent.h"

class TKelCustomGraphicsStroke : public TKelChangeNotifying<TPersistent> {
    RTL_CLASS(TKelCustomGraphicsStroke)
public:
    explicit TKelCustomGraphicsStroke(TKelGraphicsStrokeKind AKind = gskSolid, TColor AColor = 0xC0C0C0)
        : FKind(AKind), FColor(AColor) {}

    // From a stroke: colour, kind, opacity and width. From a fill: a solid,
    // opaque stroke of width 1 in the fill's colour. Any other source copies
    // nothing. In every case one report follows.
    void Assign(const TPersistent* Source) override;

    TKelGraphicsStrokeKind Kind() const { return FKind; }
    void SetKind(TKelGraphicsStrokeKind Value);
    // Compared as given, stored as GraphicsColorFromInput translates it.
    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    Single Width() const { return FWidth; }
    void SetWidth(Single Value);
    // 1 opaque, 0 transparent; not clamped.
    Single Opacity() const { return FOpacity; }
    void SetOpacity(Single Value);

private:
    TKelGraphicsStrokeKind FKind;
    TColor FColor;
    Single FWidth = 1;
    Single FOpacity = 1;
};

// The stroke with its published properties: OnChanged, Kind, Color, Width.
class TKelGraphicsStroke : public TKelCustomGraphicsStroke {
    RTL_CLASS(TKelGraphicsStroke)
public:
    using TKelCustomGraphicsStroke::TKelCustomGraphicsStroke;
};

#pragma once
// What the view layer of the string grid tells about a cell's look: the
// placement of its graphic object, the events that let a program change a
// cell's gradient or react to a change of scale, and the colour blending
// used for selected cells.

#include "grid/CellGraphic.h"
#include "grid/GridEvents.h"
#include "gridbase/GridTypes.h"

#include <functional>

// The graphic object of a cell with the room it takes and where it sits.
struct TCellGraphicLayout {
    TCellGraphic* Graphic = nullptr;
    Integer Width = 0;
    Integer Height = 0;
    TCellHAlign HAlign = haLeft;
    TCellVAlign VAlign = vaTop;
    bool TextShown = true;
};

using TGridGradientEvent =
    std::function<void(TObject* Sender, Integer ARow, Integer ACol, TColor& Color, TColor& ColorTo,
                       TColor& ColorMirror, TColor& ColorMirrorTo, TCellGradientDirection& GD)>;
using TChangeScaleEvent = std::function<void(TObject* Sender, Single NewScale)>;

// C1 at Percent >= 100, C2 at Percent <= 0; a missing colour gives the
// other one; otherwise each RGB channel is mixed by Percent (system colours
// resolved first).
TColor BlendColors(TColor C1, TColor C2, Integer Percent);
// The selection colour blended into the cell colour when Mixer is set.
TColor MixSelectionColor(TColor SelColor, TColor CellColor, bool Mixer, Integer Factor);

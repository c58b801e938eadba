#pragma once
// What the cell painter hands to the cell-object painter: where the cell
// is, what it shows beside its object and how its text is aligned.

#include "graphics/Canvas.h"
#include "graphics/Rect.h"
#include "gridbase/GridTypes.h"

#include <map>
#include <memory>

struct TCellObjectContext {
    TCanvas* Canvas = nullptr;
    Integer Col = 0;      // displayed column
    Integer RealCol = 0;  // real column (hidden columns counted)
    Integer Row = 0;
    TGridDrawState State;
    TRect CellRect;          // the cell rectangle the cell painter was given
    Integer ObjectWidth = 0;  // the room the object asks for
    Integer ObjectHeight = 0;
    Integer TextWidth = 0;    // width of the text drawn in the cell, 0 when none
    TAlignment HAlign = taLeftJustify;
    TVAlignment VAlign = vtaTop;  // the cell's vertical text alignment
};

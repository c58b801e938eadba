#pragma once
// What the cell painter hands to the cell-object painter: where the cell
// is, what it shows beside its object and how its text is aligned.

#include "graphics/Canvas.h"
#include "graphics/Rect.h"
#include "gridbase/GridTypes.h"

#include <map>
#include <memory>

class TGridAlphaMask;
class TGridFocusWindow;
class TWinControl;

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

// The start point of a text turned by Angle degrees (counter-clockwise)
// whose turned box has the projections A = |sin x height|, B = |cos x
// width|, S1 = |sin x width| and C2 = |cos x height|: the box is placed in
// R by the alignments, and the point is where the unturned text's top-left
// corner lands.
TPoint PositionRotatedText(const TRect& R, TAlignment HA, TVAlignment VA, Integer A, Integer B, Integer S1,
                           Integer C2, Integer Angle);

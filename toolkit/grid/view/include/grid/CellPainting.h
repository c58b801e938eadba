#pragma once
// What the steps of one cell's painting share: the cell painter of the
// string grid fills a TCellPaintContext once per cell and hands it to the
// text, object and border painters, which read it and move its working
// rectangle as they take room.

#include "grid/CellLooks.h"
#include "graphics/Canvas.h"
#include "graphics/Rect.h"
#include "gridbase/GridTypes.h"
#include "rtl/Alignment.h"

#include <functional>

class TZirOvararIzaz;
class IInterfacedCell;

struct TCellPaintContext {
    TZirOvararIzaz* Grid = nullptr;
    TCanvas* Canvas = nullptr;
    // The displayed column, the real column (hidden columns counted) and
    // the row of the cell.
    Integer Col = 0;
    Integer RealCol = 0;
    Integer Row = 0;
    // The row the disjunct row selection is read by: the real row when the
    // selection persists over sorting and filtering, else Row.
    Integer SelRow = 0;
    TGridDrawState State;
    // The working rectangle (each step shrinks or grows it) and the right
    // edge saved before the editor buttons took their room.
    TRect R;
    Integer SavedRight = 0;
    // The cell's look as GetVisualProperties resolved it.
    TCellGradientDirection Gradient = GradientVertical;
    bool WordWrap = false;
    TVAlignment VAlign = vtaTop;
    TAlignment HAlign = taLeftJustify;
    TColor ColorTo = clNone;
    TColor MirrorColor = clNone;
    TColor MirrorColorTo = clNone;
    // The brush and font colours as resolved, put back after the text.
    TColor BrushColor = clNone;
    TColor FontColor = clNone;
    // The cell object with its room, alignment and whether the text shows.
    TCellGraphicLayout Object;
    IInterfacedCell* Interface = nullptr;
    // The width of the drawn text plus 2 (0 until the text is drawn).
    Integer TextWidth = 0;
    bool Fixed = false;
    // The face was drawn by a platform visual style.
    bool Themed = false;
    // The filter row shows a filter button in this column.
    bool FilterButton = false;
    // The position of the cell's own scroll bar (0 without one).
    Integer ScrollPos = 0;
};

// The four pens of a custom cell border, for a handler to restyle.
using TGridBorderPropEvent = std::function<void(TObject* Sender, Integer ARow, Integer ACol, TPen* LeftPen,
                                                TPen* TopPen, TPen* RightPen, TPen* BottomPen)>;

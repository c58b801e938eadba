#pragma once
// The colour sets of the grid's 27 styles, as data.

#include "grid/GridEvents.h"
#include "gridbase/GridTypes.h"
#include "graphics/Colors.h"

namespace ZirOvararIzazStyles {

// A value the style leaves as it is.
constexpr TColor Keep = 0x2FFFFFFF;

// How a style dresses the hover and pressed fixed cells.
enum THoverKind : Byte {
    hkNone,    // the control look's defaults
    hkTable,   // the colours below
    hkAppShade // shades of the application colour
};

// Which selection style a style ends with (after its look's own).
enum TSelectionStyleEnd : Byte { seKeep, seDefault, seVista, seWin7, seOffice2007 };

struct TGridStylePreset {
    TKelGridStyle Style;
    bool SetsLook;
    TGridLook Look;
    // Whether the style writes the fixed gradient at all (gsCustom and
    // gsTerminal do not), and the four colours (from, to, mirror from, to).
    bool Dresses;
    TColor Gradient[4];
    TColor ActiveCell, ActiveCellTo;
    TColor Selection, SelectionTo, SelectionText;
    TColor GridLine, GridFixedLine;
    TColor Border;
    TColor FixedColor;
    TColor SortHeader[4];
    THoverKind Hover;
    TColor HoverGradient[4], HoverBorder;
    // The hover border goes to the grid only, not to the control look.
    bool HoverBorderGridOnly;
    TColor DownGradient[4], DownBorder;
    TColor FontColor, FixedFontColor, ActiveCellFontColor;
    TSelectionStyleEnd SelectionStyleEnd;
    // The control look keeps the gradient's from and to colours, or its
    // mirror colours, after the style.
    bool ControlLookFromTo, ControlLookMirrors;
    // The style stores itself as the grid's interface style.
    bool StoresUIStyle;
};

// The preset of a style; every style has one.
const TGridStylePreset& GridStylePreset(TKelGridStyle AStyle);

} // namespace ZirOvararIzazStyles

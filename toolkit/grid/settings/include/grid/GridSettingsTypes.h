#pragma once
// The enumerations of the string grid's settings objects. Settings are
// streamed with their value names and stored in INI files by ordinal, so
// names and order are part of the stored formats: never reorder or rename.

#include "rtl/Events.h"
#include "rtl/TypeInfo.h"

#include <functional>

// Drawing style of check boxes, radio buttons and progress bars in cells.
// The controls framework has a TControlStyle of its own (a set of control
// capabilities), so this one lives in the namespace of the grid's unit.
namespace ZirOvararIzaz {
RTL_ENUM(TControlStyle, csClassic, csFlat, csWinXP, csBorland, csDOV, csGlyph, csTheme)
} // namespace ZirOvararIzaz
// How the background picture or gradient behind the cells is drawn.
RTL_ENUM(TBackGroundDisplay, bdTile, bdFixed, bdGradientHorz, bdGradientVert)
// Which cells show the background.
RTL_ENUM(TBackGroundCells, bcNormal, bcFixed, bcAll)
// Look of the progress-bar cells.
RTL_ENUM(TProgressStyle, psXP, psClassic)

// Where a print header or footer item goes: 1 to 3 the header, 4 to 6 the footer.
RTL_ENUM(TPrintPosition, ppNone, ppTopLeft, ppTopRight, ppTopCenter, ppBottomLeft, ppBottomRight,
         ppBottomCenter)
// Which cell and page lines a print run draws.
RTL_ENUM(TPrintBorders, pbNoborder, pbSingle, pbDouble, pbVertical, pbHorizontal, pbAround, pbAroundVertical,
         pbAroundHorizontal, pbCustom)
// Scaling of the printed column widths to the page width.
RTL_ENUM(TFitToPage, fpNever, fpGrow, fpShrink, fpAlways, fpCustom)

// The rows that automatic column sizing measures.
RTL_ENUM(TAutoSizeRows, arAll, arNormal, arFixed, arVisible)
// Where column widths and positions are stored.
RTL_ENUM(TColumnSizeLocation, clRegistry, clIniFile)

// What the floating footer bar shows.
RTL_ENUM(TFooterStyle, fsFixedLastRow, fsColumnPreview, fsCustomPreview, fsCustomPaint)

// Where the hover buttons stand relative to their column's edges.
RTL_ENUM(THoverButtonPosition, hbLeftFromColumnLeft, hbRightFromColumnLeft, hbLeftFromColumnRight,
         hbRightFromColumnRight)
// Over which rows hover buttons appear.
RTL_ENUM(THoverRows, hrAll, hrNormal)

// The floating footer's calculation event: Value is the text of the footer
// cell (ACol, ARow), which the handler may change.
using TCalcFooterEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow, String& Value)>;
RTL_NAMED_TYPE_INFO(TCalcFooterEvent, TCalcFooterEvent)

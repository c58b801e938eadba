#pragma once
// The enumerations, sets and event types that the base grid, its option
// objects and the string grid share. Property values of these types are
// stored in form streams by their value names, so names and order are part of
// the stored format: never reorder or rename a value.

#include "graphics/Rect.h"
#include "rtl/Alignment.h"
#include "rtl/Events.h"
#include "rtl/Set.h"
#include "rtl/TypeInfo.h"
#include "vcl/Grids.h"

#include <functional>

class TBaseGrid;
class TBrush;
class TCanvas;
class TFont;
class TKelHintInfo;
class TPen;

// ---- Short enumerations ------------------------------------------------------

// Vertical alignment of a cell's content; new cell records start at vtaTop.
RTL_ENUM(TVAlignment, vtaTop, vtaCenter, vtaBottom)
// Background gradient of a cell: top to bottom, or left to right.
RTL_ENUM(TCellGradientDirection, GradientVertical, GradientHorizontal)
// The sides of a cell that get a custom border line.
RTL_ENUM(TCellBorder, cbTop, cbLeft, cbRight, cbBottom)
using TCellBorders = TSet<TCellBorder>;
RTL_SET_INFO(TCellBorders)
// Options of narrowing the rows down to those matching a typed text.
RTL_ENUM(TNarrowDownOption, ndCaseSensitive, ndRemoveAccented)
using TNarrowDownOptions = TSet<TNarrowDownOption>;
RTL_SET_INFO(TNarrowDownOptions)
// Calculation kind of a cell; new cell records start at acNONE.
RTL_ENUM(TColumnCalcType, acNONE, acSUM, acAVG, acCOUNT, acMIN, acMAX, acSPREAD, acCUSTOM, acDISTINCT,
         acSTDDEV)
// Look of selected cells: ssDefault leaves them to the background painting,
// the others draw a rounded selection frame in their own colours.
RTL_ENUM(TGridSelectionStyle, ssDefault, ssVista, ssWin7, ssOffice2007)
// Kinds of cells of the hover row that take the hover colour.
RTL_ENUM(THoverRowCell, hcNormal, hcFixed, hcSelected, hcGroupHeader, hcGroupSummary)
using THoverRowCells = TSet<THoverRowCell>;
RTL_SET_INFO(THoverRowCells)
// Direction of the drop-position arrow window: arrLeft points right and
// arrRight points left (the arrow shows where a dragged item goes).
RTL_ENUM(TArrowDirection, arrUp, arrDown, arrLeft, arrRight)
// A grid button that springs back, or one that stays down until clicked again.
RTL_ENUM(TKelGridButtonStyle, tasButton, tasCheck)
RTL_ENUM(TSearchDirection, sdTopBottom, sdLeftRight)
RTL_ENUM(THighlightType, hMatchingText, hFullCell)
RTL_ENUM(TSearchType, stSearch, stNarrowDown)
RTL_ENUM(THomeEndAction, heFirstLastColumn, heFirstLastRow, heFirstLastCell, heDefault)
RTL_ENUM(TClipboardPasteAction, paReplace, paInsert)
RTL_ENUM(TClipboardCutAction, caClear, caRemove)
RTL_ENUM(TAdvanceDirection, adLeftRight, adTopBottom, adLeftRightInRow, adTopBottomInCol)
RTL_ENUM(TInsertPosition, pInsertBefore, pInsertAfter)
RTL_ENUM(TCursorAdvance, caDefault, caSnake, caLoop)
RTL_ENUM(TToggleTriStateCheck, tsAllStates, tsCheckUnCheck)
RTL_ENUM(TGridFixedCellEdit, fceNone, fceDblClick, fceLeftClick, fceRightClick)
RTL_ENUM(TGridFixedCellEditor, fceEdit, fceComboEdit, fceComboList)
RTL_ENUM(TWheelAction, waMoveSelection, waScroll)
RTL_ENUM(TWheelActive, waFocus, waMouseOver)

// ---- Editor kinds and sort styles ----------------------------------------------

// The in-place editor kind of a cell or column; edNormal is the default.
RTL_ENUM(TEditorType, edNormal, edSpinEdit, edComboEdit, edComboList, edEditBtn, edCheckBox, edDateEdit,
         edDateEditUpDown, edTimeEdit, edButton, edDataCheckBox, edNumeric, edPositiveNumeric, edFloat,
         edCapital, edMixedCase, edPassword, edUnitEditBtn, edLowerCase, edUpperCase, edFloatSpinEdit,
         edTimeSpinEdit, edDateSpinEdit, edNumericEditBtn, edFloatEditBtn, edCustom, edRichEdit, edNone,
         edDateTimeEdit, edValidChars, edTrackbarDropDown, edMemoDropDown, edCalculatorDropDown,
         edTimePickerDropDown, edDetailDropDown, edGridDropDown, edColorPickerDropDown, edImagePickerDropDown,
         edKelGridDropDown, edControlDropDown, edPositiveFloat, edNumericUnitEditBtn, edFloatUnitEditBtn,
         edMaskEditBtn)

// The comparison used when sorting a column; ssAutomatic is the default.
RTL_ENUM(TSortStyle, ssAutomatic, ssAlphabetic, ssNumeric, ssDate, ssAlphaNoCase, ssAlphaCase, ssShortDateEU,
         ssShortDateUS, ssCustom, ssFinancial, ssAnsiAlphaCase, ssAnsiAlphaNoCase, ssRaw, ssHTML, ssImages,
         ssCheckBox, ssDateTime, ssTime, ssAlphaNumeric, ssAlphaNumericNoCase, ssNatural, ssVarDate)

// ---- Event types ---------------------------------------------------------------
// Sender first; reference parameters are answered by the handler. The order
// of row and column differs between types (the click, edit, anchor, colour,
// border, alignment and hint events pass the row first): keep each type's own.

using TGetDisplTextEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow, String& Value)>;
using TGetDisplWideTextEvent =
    std::function<void(TObject* Sender, Integer ACol, Integer ARow, String& Value)>;
using TKelGridUndoRedoEvent = std::function<void(TObject* Sender, TBaseGrid* Grid, Integer Col, Integer Row,
                                                 const String& OrigValue, const String& NewValue)>;
using TFloatFormatEvent =
    std::function<void(TObject* Sender, Integer ACol, Integer ARow, bool& IsFloat, String& FloatFormat)>;
using TOnResizeEvent = std::function<void(TObject* Sender)>;
using TColumnSizeEvent = std::function<void(TObject* Sender, Integer ACol, bool& Allow)>;
using TColumnSizingEvent = std::function<void(TObject* Sender, Integer ACol, Integer ColumnSize)>;
using TRowSizingEvent = std::function<void(TObject* Sender, Integer ARow, Integer RowSize)>;
using TRowSizeEvent = std::function<void(TObject* Sender, Integer ARow, bool& Allow)>;
using TEndColumnSizeEvent = std::function<void(TObject* Sender, Integer ACol)>;
using TUpdateColumnSizeEvent = std::function<void(TObject* Sender, Integer ACol, Integer& AWidth)>;
using TEndRowSizeEvent = std::function<void(TObject* Sender, Integer ARow)>;
using TClickCellEvent = std::function<void(TObject* Sender, Integer ARow, Integer ACol)>;
using TDblClickCellEvent = std::function<void(TObject* Sender, Integer ARow, Integer ACol)>;
using TCanEditCellEvent = std::function<void(TObject* Sender, Integer ARow, Integer ACol, bool& CanEdit)>;
using TScrollHintEvent = std::function<void(TObject* Sender, Integer ARow, String& hintstr)>;
using TButtonClickEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow)>;
using TExpandClickEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow, bool Expanded)>;
using TCheckBoxClickEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow, bool State)>;
using TCheckBoxCanToggleEvent =
    std::function<void(TObject* Sender, Integer ACol, Integer ARow, bool State, bool& Allow)>;
using TGetEditorTypeEvent =
    std::function<void(TObject* Sender, Integer ACol, Integer ARow, TEditorType& AEditor)>;
using TCustomCellDrawEvent = std::function<void(TObject* Sender, TCanvas* Canvas, Integer ACol, Integer ARow,
                                                TGridDrawState AState, TRect ARect, bool Printing)>;
using TAnchorClickEvent =
    std::function<void(TObject* Sender, Integer ARow, Integer ACol, const String& Anchor, bool& AutoHandle)>;
using TAnchorHintEvent = std::function<void(TObject* Sender, Integer ARow, Integer ACol, String& Anchor)>;
using TAnchorEvent = std::function<void(TObject* Sender, Integer ARow, Integer ACol, const String& Anchor)>;
using TClickSortEvent = std::function<void(TObject* Sender, Integer ACol)>;
using TCanSortEvent = std::function<void(TObject* Sender, Integer ACol, bool& DoSort)>;
using TCustomCompareEvent =
    std::function<void(TObject* Sender, const String& str1, const String& str2, Integer& Res)>;
using TRawCompareEvent =
    std::function<void(TObject* Sender, Integer ACol, Integer Row1, Integer Row2, Integer& Res)>;
using TGridFormatEvent =
    std::function<void(TObject* Sender, Integer ACol, TSortStyle& AStyle, String& aPrefix, String& aSuffix)>;
using TGridColorEvent = std::function<void(TObject* Sender, Integer ARow, Integer ACol, TGridDrawState AState,
                                           TBrush* ABrush, TFont* AFont)>;
using TGridGradientEvent =
    std::function<void(TObject* Sender, Integer ARow, Integer ACol, TColor& Color, TColor& ColorTo,
                       TColor& ColorMirror, TColor& ColorMirrorTo, TCellGradientDirection& GD)>;
using TGridBorderEvent =
    std::function<void(TObject* Sender, Integer ARow, Integer ACol, TPen* APen, TCellBorders& Borders)>;
using TGridBorderPropEvent = std::function<void(TObject* Sender, Integer ARow, Integer ACol, TPen* LeftPen,
                                                TPen* TopPen, TPen* RightPen, TPen* BottomPen)>;
using TGridAlignEvent =
    std::function<void(TObject* Sender, Integer ARow, Integer ACol, TAlignment& HAlign, TVAlignment& VAlign)>;
using TGridHintEvent = std::function<void(TObject* Sender, Integer ARow, Integer ACol, String& hintstr)>;
using TEllipsClickEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow, String& S)>;
using TGridBalloonEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow, String& ATitle,
                                             String& AText, Integer& AIcon)>;
using TCanInsertRowEvent = std::function<void(TObject* Sender, Integer ARow, bool& CanInsert)>;
using TAutoInsertRowEvent = std::function<void(TObject* Sender, Integer ARow)>;
using TCanAddRowEvent = std::function<void(TObject* Sender, bool& CanAdd)>;
using TCanAddColEvent = std::function<void(TObject* Sender, bool& CanAdd)>;
using TAutoAddRowEvent = std::function<void(TObject* Sender, Integer ARow)>;
using TCanDeleteRowEvent = std::function<void(TObject* Sender, Integer ARow, bool& CanDelete)>;
using TAutoDeleteRowEvent = std::function<void(TObject* Sender, Integer ARow)>;
using TAutoInsertColEvent = std::function<void(TObject* Sender, Integer ACol)>;
using TSearchEditChangeEvent = std::function<void(TObject* Sender, const String& Value, bool& DefaultSearch)>;
using TSpinClickEvent =
    std::function<void(TObject* Sender, Integer ACol, Integer ARow, Integer AValue, bool UpDown)>;
using TOfficeHintEvent =
    std::function<void(TObject* Sender, Integer ACol, Integer ARow, TKelHintInfo* OfficeHint)>;
// Also the type of the integer list's OnChange.
using TImageChangeEvent = std::function<void(TObject* Sender, Integer Acol, Integer Arow)>;
using TIsDesigningEvent = std::function<void(TObject* Sender, bool& IsDesigning)>;

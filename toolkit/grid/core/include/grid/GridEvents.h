#pragma once
// The string grid's enumerations and event types beyond those of the base
// grid (gridbase/GridTypes.h). Sender is first; reference parameters are
// in-out: the grid fills them with its own answer before the handler runs.

#include "grid/FilterSettings.h"
#include "gridbase/GridTypes.h"
#include "rtl/StringList.h"
#include "vcl/Controls.h"

// The kind of object a cell holds beside its text (ctEmpty: none).
RTL_ENUM(TCellType, ctBitmap, ctIcon, ctNone, ctImageList, ctCheckBox, ctDataCheckBox, ctRotated, ctDataImage,
         ctNode, ctRadio, ctEmpty, ctImages, ctPicture, ctFilePicture, ctValue, ctProgress, ctComment, ctButton,
         ctBitButton, ctVirtCheckBox, ctRowCheckBox, ctProgressPie, ctSummary, ctRangeIndicator, ctXPProgress,
         ctInterface, ctScrollbar, ctRadioButton, ctBalloon, ctShape, ctRating, ctTriStateCheckBox, ctExpand,
         ctDataPicture, ctVirtButton)
RTL_ENUM(TGridLook, glStandard, glSoft, glClassic, glDOV, glXP, glListView, glVista, glWin7, glOffice2007, glCustom)
// The grid's colour styles, in the order (and with the ordinals) of the
// toolkit's TKelStyle.
RTL_ENUM(TKelGridStyle, gsOffice2003Blue, gsOffice2003Silver, gsOffice2003Olive, gsOffice2003Classic,
         gsOffice2007Luna, gsOffice2007Obsidian, gsWindowsXP, gsWhidbey, gsCustom, gsOffice2007Silver, gsWindowsVista,
         gsWindows7, gsTerminal, gsOffice2010Blue, gsOffice2010Silver, gsOffice2010Black, gsWindows8,
         gsOffice2013white, gsOffice2013LightGray, gsOffice2013Gray, gsWindows10, gsOffice2016white,
         gsOffice2016Gray, gsOffice2016Black, gsOffice2019white, gsOffice2019Gray, gsOffice2019Black)
// The Windows XP colour schemes a grid can take (SetTheme).
RTL_ENUM(TXPColorScheme, xpNone, xpBlue, xpGreen, xpGray, vistaAero)
RTL_ENUM(TScrollType, ssNormal, ssFlat, ssEncarta, ssMetro)
RTL_ENUM(TScrollHintType, shNone, shVertical, shHorizontal, shBoth)
RTL_ENUM(TScrollBarAlways, saNone, saVert, saHorz, saBoth)
// The states ExportNotification reports, with a row (-1 for start and done
// of some operations).
RTL_ENUM(TGridExportState, esExportStart, esExportNewRow, esExportDone, esExportSelRow, esExportFail,
         esExportNextRow, esExportFindRow)
RTL_ENUM(TIntelliPan, ipVertical, ipHorizontal, ipBoth, ipNone)
RTL_ENUM(TInvalidEntryIcon, ieNone, ieInfo, ieWarning, ieError)
RTL_ENUM(TGridFormatType, ftVCL, ftExcel)
RTL_ENUM(THintShowLargeTextPos, hpCell, hpMouse)
RTL_ENUM(THoverFixedCells, hfNone, hfAll, hfFixedRows, hfFixedColumns)
RTL_ENUM(TPopupToolBarMode, tbActiveCell, tbHoverCell, tbHoverNormalCell, tbNone)

using TIsFixedCellEvent = std::function<void(TObject* Sender, Integer ARow, Integer ACol, bool& IsFixed)>;
using TGridWideHintEvent = std::function<void(TObject* Sender, Integer ARow, Integer ACol, String& hintstr)>;
using THasComboEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow, bool& HasComboBox)>;
using THasEditBtnEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow, bool& HasEditBtn)>;
using THasSpinEditEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow, bool& HasSpinEdit)>;
using THasFilterEditEvent = std::function<void(TObject* Sender, Integer ACol, bool& HasFilter)>;
using TIsPasswordCellEvent = std::function<void(TObject* Sender, Integer ARow, Integer ACol, bool& IsPassword)>;
using TWordWrapEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow, bool& WordWrap)>;
using TCellCursorEvent =
    std::function<void(TObject* Sender, Integer ACol, Integer ARow, Integer X, Integer Y, TCursor& ACursor)>;
using TSearchFooterSearchEvent = std::function<void(TObject* Sender, String& Value)>;
using TSearchFooterActionEvent =
    std::function<void(TObject* Sender, const String& Value, Integer ACol, Integer ARow, Integer SearchAction)>;
using TSearchFooterSearchEndEvent = std::function<void(TObject* Sender, bool& ContinueFromStart)>;
using TSelectionChanged =
    std::function<void(TObject* Sender, Integer ALeft, Integer ATop, Integer ARight, Integer ABottom)>;
using TBeforeEditEvent = std::function<void(TObject* Sender, Integer ARow, Integer ACol, bool& Allow)>;
using TFilterShowEvent = std::function<void(TObject* Sender, Integer ACol, bool& Allow)>;
using TFilterCloseEvent = std::function<void(TObject* Sender, Integer ACol)>;
using TFilterEditUpdateEvent =
    std::function<void(TObject* Sender, Integer ACol, const String& Condition, TFilterType FilterType)>;
using TFixedEditEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow,
                                           TGridFixedCellEditor& AEditor, TStrings* Values)>;
using THoverButtonsShowEvent = std::function<void(TObject* Sender, Integer X, Integer Y, bool& Allow)>;
using TCellSaveLoadEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow, String& Value)>;
using TRowCountChangeEvent = std::function<void(TObject* Sender, Integer OldRowCount, Integer NewRowCount)>;

// Asked before the current row changes; Allow starts True.
using TRowChangingEvent = std::function<void(TObject* Sender, Integer OldRow, Integer NewRow, bool& Allow)>;
// Asked before the current column (cell) changes; the changing events of
// one move share Allow.
using TColChangingEvent = std::function<void(TObject* Sender, Integer OldCol, Integer NewCol, bool& Allow)>;
using TCellChangingEvent = std::function<void(TObject* Sender, Integer OldRow, Integer OldCol, Integer NewRow,
                                              Integer NewCol, bool& Allow)>;
// An in-cell scroll bar moved: its cell, position and range.
using TScrollCellEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow, Integer ScrollPosition,
                                            Integer ScrollMin, Integer ScrollMax)>;
using TCanShowFixedDropDownEvent = std::function<void(TObject* Sender, Integer ACol, bool& CanShow)>;
// The Enter advance from a cell to a target the handler may redirect or refuse.
using TAutoAdvanceEvent = std::function<void(TObject* Sender, Integer ARow, Integer ACol, Integer& NewRow,
                                             Integer& NewCol, bool& Allow)>;
// Clipboard short-cuts: asked before (Allow starts True), told after with
// the selection the action took.
using TClipboardEvent = std::function<void(TObject* Sender, bool& Allow)>;
using TClipboardDoneEvent = std::function<void(TObject* Sender, const TGridRect& Selection)>;
using TRadioClickEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow, Integer AIndex)>;
using TRadioButtonClickEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow)>;

// Where ScrollInView puts the cell: in the middle, at the trailing or at the
// leading edge of the view.
RTL_ENUM(TScrollPosition, spMiddle, spTrailing, spLeading)
// Asked before a row (column) of the disjunct selection changes state;
// Allow starts True.
using TRowDisjunctSelectEvent = std::function<void(TObject* Sender, Integer ARow, bool AState, bool& Allow)>;
using TRowDisjunctSelectedEvent = std::function<void(TObject* Sender, Integer ARow)>;
using TColDisjunctSelectEvent = std::function<void(TObject* Sender, Integer ACol, bool AState, bool& Allow)>;
using TColDisjunctSelectedEvent = std::function<void(TObject* Sender, Integer ACol)>;
// The current row changed from OldRow to NewRow.
using TRowUpdateEvent = std::function<void(TObject* Sender, Integer OldRow, Integer NewRow)>;
// A custom calculation over the rows FromRow .. ToRow of a column; Res
// starts at 0.
using TGroupCalcEvent =
    std::function<void(TObject* Sender, Integer ACol, Integer FromRow, Integer ToRow, Double& Res)>;

// The kind of a rectangle calculation.
RTL_ENUM(TCalcType, ctSum, ctAvg, ctMin, ctMax)
// The column grid's custom calculation has the same shape.
using TColumnCalcEvent = TGroupCalcEvent;

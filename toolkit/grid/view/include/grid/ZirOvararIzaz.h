#pragma once
// TZirOvararIzaz: the string grid as the application uses it. On the input
// layer it decides how every cell looks (font, colours, gradient, alignment,
// display and export text), switches looks and colour styles, rescales for a
// new DPI, and reads and writes its look as a small text file.

#include "grid/ZirOvararIzazInput.h"
#include "grid/CellGlyphs.h"
#include "grid/CellLooks.h"
#include "grid/CellPainting.h"
#include "grid/KelGridPopup.h"
#include "gridbase/KelCheckBox.h"
#include "gridbase/OleDragDrop.h"
#include "rtl/Encoding.h"
#include "rtl/Stream.h"
#include "rtl/DateTime.h"

#include <array>

// The last clipboard operation, and the steps of an import.
RTL_ENUM(TClipOperation, coCut, coCopy)
RTL_ENUM(TGridImportState, isImportStart, isImportNewRow, isImportDone, isImportSelRow)

class TZirOvararIzaz;

// The grid as a drop target: the platform's drag-over and drop
// notifications reach the grid's drop operations. The grid detaches it when
// it goes, so a drag the platform still runs reaches nothing.
class TGridDropTarget : public TZOIDropTarget {
public:
    explicit TGridDropTarget(TZirOvararIzaz* AGrid);
    void Detach() { FGrid = nullptr; }

protected:
    bool DropText(TPoint Point, const String& Text) override;
    void DropStream(TPoint Point, TStream& Stream) override;
    void DropCol(TPoint Point, Integer Column) override;
    void DropRTF(TPoint Point, const String& RTF) override;
    void DropFiles(TPoint Point, TStrings& Files) override;
    void DropFileContents(TPoint Point) override;
    void DropURL(TPoint Point, const String& URL) override;
    void DragMouseMove(TPoint Point, bool& Allow, TDropFormats Formats) override;
    void DragMouseEnter() override;
    void DragMouseLeave() override;

private:
    TZirOvararIzaz* FGrid;
};

// The source of a drag that starts in the grid; lives for one drag.
class TGridDropSource : public TZOIDropSource {
public:
    explicit TGridDropSource(TZirOvararIzaz* AGrid);

private:
    TZirOvararIzaz* FGrid;
};

using TOleDragDropEvent =
    std::function<void(TObject* Sender, Integer ARow, Integer ACol, const String& Data, bool& Allow)>;
using TOleDragStartEvent = std::function<void(TObject* Sender, Integer ARow, Integer ACol)>;
using TOleDragStopEvent = std::function<void(TObject* Sender, Integer OLEEffect)>;
using TOleDragOverEvent = std::function<void(TObject* Sender, Integer ARow, Integer ACol, bool& Allow)>;
using TOleDropColEvent = std::function<void(TObject* Sender, Integer ARow, Integer ACol, Integer DropCol)>;
using TOleDropFileEvent =
    std::function<void(TObject* Sender, Integer ARow, Integer ACol, const String& FileName, bool& Allow)>;
using TOleDropFilesEvent = std::function<void(TObject* Sender, Integer ARow, Integer ACol, TStrings& Files)>;
using TOleDroppedEvent = std::function<void(TObject* Sender, const TGridRect& ARect)>;

class TZirOvararIzaz : public TZirOvararIzazInput {
    RTL_CLASS(TZirOvararIzaz)
public:
    explicit TZirOvararIzaz(TComponent* AOwner);
    ~TZirOvararIzaz() override;

    // ---- Cell visual properties, alignment and measuring, change of scale ----
    // The look of the cell at displayed column ACol: font, brush, gradient,
    // alignment, word wrap and draw state, for the screen or (Print) for
    // paper; Select lets selection colours in, Remap maps ACol to the real
    // column before the cell's own settings are read.
    void GetVisualProperties(Integer ACol, Integer ARow, TGridDrawState& AState, bool Print, bool Select,
                             bool Remap, TBrush* ABrush, TColor& AColorTo, TColor& AMirrorColor,
                             TColor& AMirrorColorTo, TFont* AFont, TAlignment& HA, TVAlignment& VA, bool& WW,
                             TCellGradientDirection& GD) override;
    // Only the font (and what the colour hook puts in the brush), for
    // measuring; RCol is the real column, Remap is not used.
    void GetFontProperties(Integer ACol, Integer RCol, Integer ARow, TGridDrawState& AState, TFont* AFont,
                           TBrush* ABrush, bool Remap);
    TCellGraphicLayout GetCellGraphicLayout(Integer ACol, Integer ARow);
    // The exported text with the float format applied when OnGetFloatFormat
    // asks for it; a format that does not fit the value leaves the text as
    // exported.
    String GetFormattedCell(Integer ACol, Integer ARow) override;
    // The text every exporter and the clipboard write; OnSaveCell has the
    // last word.
    void SaveCell(Integer ACol, Integer ARow, String& Value) override;
    // ACol counts hidden columns; VS measures the wrapped height within the
    // cell's width, SB keeps room for a 17-pixel button at the right.
    TSize GetCellTextSize(Integer ACol, Integer ARow, bool VS, bool SB);
    // The longest line, in characters, of the column's exported texts.
    Integer MaxColumnTextLength(Integer ACol);
    // The cell text as a number; empty is 0. EKelGridError names the
    // position and the cell when the text is no number.
    Double CellToReal(Integer ACol, Integer ARow);

    bool SaveVirtCells() const { return FSaveVirtCells; }
    void SetSaveVirtCells(bool Value) { FSaveVirtCells = Value; }
    bool SaveMergedCells() const { return FSaveMergedCells; }
    void SetSaveMergedCells(bool Value) { FSaveMergedCells = Value; }
    bool SaveWithHTML() const { return FSaveWithHTML; }
    void SetSaveWithHTML(bool Value) { FSaveWithHTML = Value; }
    bool SaveWithRTF() const { return FSaveWithRTF; }
    void SetSaveWithRTF(bool Value) { FSaveWithRTF = Value; }
    TKelGridPopup* PopupToolBar() const { return FPopupToolBar; }
    void SetPopupToolBar(TKelGridPopup* Value);

    TGridGradientEvent OnGetCellGradient;
    TCellSaveLoadEvent OnSaveCell;
    TChangeScaleEvent OnChangeScale;

    // ---- Look and style presets, theme adaptation, visual-properties file ----

    // The look preset: setting another look resets the fixed-cell gradient
    // and applies the look's colours (three looks hand over to a style).
    void SetLook(TGridLook Value) { WriteLook(Value); }
    void WriteLook(TGridLook Value);
    // "glXP" and the like; empty for glCustom.
    static String LookToString(TGridLook Value);
    // A readable name ("Windows XP"); empty for glCustom.
    static String LookToDisplayName(TGridLook Value);
    // The sort indicator of a column, centred at (X, Y).
    void DrawSortIndicator(TCanvas* ACanvas, Integer ACol, Integer X, Integer Y);

    // Link display: the grid repaints when a change shows.
    void SetURLColor(TColor Value);
    void SetURLShow(bool Value);
    void SetURLShowInText(bool Value);
    void SetURLFull(bool Value);

    // The mirror and border colours of the fixed cells' hover and pressed
    // gradients (the control look writes them through).
    TColor DOVGradientHoverMirrorFrom() const { return FDOVGradientHoverMirrorFrom; }
    TColor DOVGradientHoverMirrorTo() const { return FDOVGradientHoverMirrorTo; }
    TColor DOVGradientHoverBorder() const { return FDOVGradientHoverBorder; }
    TColor DOVGradientDownMirrorFrom() const { return FDOVGradientDownMirrorFrom; }
    TColor DOVGradientDownMirrorTo() const { return FDOVGradientDownMirrorTo; }
    TColor DOVGradientDownBorder() const { return FDOVGradientDownBorder; }
    void SetDOVGradient(TDOVGradientColor Which, TColor Value) override;

    // Styles: one call writes a style's colours (and its look) into the grid.
    // A toolkit style is passed on as the grid style of the same ordinal.
    void SetComponentStyle(TKelStyle AStyle) override;
    void SetComponentStyleAndAppColor(TKelStyle AStyle, TColor AppColor) override;
    void SetStyle(TKelGridStyle AStyle) override;
    void SetStyleAndAppColor(TKelGridStyle AStyle, TColor AppColor) override;
    // Writing the interface style applies it (tsCustom applies nothing).
    void SetUIStyle(TKelStyle Value) { SetComponentStyle(Value); }
    // The metro dressing; the tones are kept for the drop-down editors.
    void SetColorTones(const TColorTones& ATones) override;
    const TColorTones& ColorTones() const { return FColorTones; }
    // One of the Windows XP colour schemes (stored without a repaint).
    void SetTheme(TXPColorScheme Scheme);
    // Follows the machine's Office theme when it changed since the last call.
    void AdaptToOfficeTheme() override { TZirOvararIzazCore::AdaptToOfficeTheme(); }
    // Passes a style to the drop-down editors the grid owns: every owned
    // component that takes styles, in the order they were created.
    void ApplyStyleToEditors(TKelStyle AStyle);

    // The look as a small text file of "key=value" lines (Windows-1252, CR
    // LF). Saving raises EKelGridError "Cannot Create <file>". Loading reads
    // and checks the whole file before it changes anything: a file that
    // cannot be read raises "Cannot open file <file>", a value that is not a
    // number or colour raises EConvertError, and the grid stays as it was.
    // A loaded grid ends with the custom look.
    void SaveVisualProps(const String& FileName);
    void LoadVisualProps(const String& FileName);

    // ---- Column sizes, positions and the column-state string ----
    // Widths of the shown columns (at 96 dots per inch) and the column order
    // under ColumnSize's Key and Section, in the registry (clRegistry) or an
    // INI file (clIniFile). Nothing happens without Key or Section. Loading
    // never writes the store; a missing store changes nothing.
    void SaveColSizes();
    void LoadColSizes();
    // Keys "Pos" + position: the column-order list. Loading checks the whole
    // saved order first and changes nothing when it is not a permutation of
    // the columns (EListError) or an entry is not a number (EConvertError).
    void SaveColPositions() override;
    void LoadColPositions() override;
    // "n#widths#order#visibility" of all columns. Applying one checks every
    // field first and changes nothing on an error.
    String ColumnStatesToString();
    void StringToColumnStates(const String& Text);
    // With ColumnSize.Save the grid keeps its widths itself: restored when
    // its window is made and when loading ends, stored when it goes.
    void BeforeDestruction() override;
    void Loaded() override;

protected:
    void CreateWnd() override;

public:
    // ---- Cell painting and cell text painting ----
    // Paints everything of a cell the base grid leaves: the fixed-cell face
    // of the look, the row indicator, the modified mark, always-visible
    // editor buttons, the text, custom borders, fixed-cell edges, tree
    // lines, the painting events and the focus rectangle.
    void DrawCellContent(TCanvas* ACanvas, Integer ACol, Integer ARow, TRect ARect, TGridDrawState AState) override;
    // A rich-text cell (real column) drawn through the grid's rich edit into
    // R of any canvas; the canvas's resolution sets the twips rectangle, so
    // printing draws with the same call.
    void DrawRichTextCell(Integer ACol, Integer ARow, TCanvas* Canvas, const TRect& R);
    // Whether a fixed cell lights up under the mouse (HoverFixedCells, then
    // OnIsFixedHoverCell).
    bool IsFixedHoverCell(Integer ACol, Integer ARow);
    // The fixed cell under the mouse ((-1, -1) for none), whether the mouse
    // is held down on it and on its drop-down part; the mouse handling
    // writes it, the painter reads it.
    void SetFixedHover(Integer ACol, Integer ARow, bool Down, bool DropDownDown);
    // With OnDrawCell or OnCustomCellDraw assigned, the grid draws no text.
    bool NoDefaultDraw() const { return FNoDefaultDraw; }
    void SetNoDefaultDraw(bool Value) { FNoDefaultDraw = Value; }
    // A cell with an object draws no text.
    bool NoImageAndText() const { return FNoImageAndText; }
    void SetNoImageAndText(bool Value) { FNoImageAndText = Value; }
    // The pen of the selection rectangle and its resize handle.
    TColor SelectionRectangleColor() const { return FSelectionRectangleColor; }
    void SetSelectionRectangleColor(TColor Value) {
        FSelectionRectangleColor = Value;
        Invalidate();
    }

    TCustomCellDrawEvent OnCustomCellBkgDraw;
    TCustomCellDrawEvent OnCustomCellDraw;
    TGridBorderPropEvent OnGetCellBorderProp;
    TIsFixedCellEvent OnIsFixedHoverCell;

    // ---- Cell objects, check and radio glyphs, paint, border, drag lines and focus window ----
    // A check box in R on the grid's canvas (or on ACanvas) in the given
    // control style; State counts only for a three-state box, where it
    // decides checked and mixed. csTheme draws the classic glyph.
    void DrawCheck(TRect R, bool Checked, bool Enabled, bool Mixed, ZirOvararIzaz::TControlStyle Style,
                   bool ThreeState, TCheckBoxState State);
    void DrawCheck(TCanvas* ACanvas, TRect R, bool Checked, bool Enabled, bool Mixed,
                   ZirOvararIzaz::TControlStyle Style, bool ThreeState, TCheckBoxState State);
    // Count radio items with their labels (Items may be null), horizontally
    // or stacked (upwards with Upward). CheckedIndex is 0-based; -1 checks
    // the item whose label is the text of cell (ACol, ARow). Scale enlarges
    // the classic glyphs and their label offsets (printing).
    void DrawRadio(TCanvas* ACanvas, TRect R, Integer Count, Integer CheckedIndex, bool Horizontal, bool Disabled,
                   TStrings* Items, bool Selected, Integer ACol, Integer ARow, ZirOvararIzaz::TControlStyle Style,
                   Double Scale, bool Upward);
    // Places the cell's object in R by its alignments and draws it by its
    // kind; VA is the cell's vertical text alignment. A button object keeps
    // its offset in the cell in CellValue (dy x 65536 + dx).
    void DrawCellObject(TRect R, TCellGraphic* Graphic, TVAlignment VA, const TCellObjectContext& Ctx);
    // A percentage held within 0 .. 100.
    static Double ClampPercent(Double Value) { return Value < 0 ? 0 : Value > 100 ? 100 : Value; }
    // The start point of Text turned by Angle degrees in R (shrunk by 2),
    // measured (with a trailing "w") in the canvas font into Size.
    TPoint PlaceRotatedText(TRect R, TSize& Size, TVAlignment VA, TAlignment HA, const String& Text, Integer Angle);

    // Dotted lines drawn in exclusive-or: drawn twice at one place, they
    // leave the screen as it was. The column line spans the control's
    // height, the row line its width (or the cells, when they reach further).
    void DrawColDragLine(Integer X);
    void DrawRowDragLine(Integer Y);
    // The one-pixel frame in BorderColor around the whole window, for the
    // looks that have one (all but the standard and classic looks, and
    // with Flat only for the custom look).
    void DrawNCBorder() override;
    // The background where no cell is, from the BackGround settings.
    void PaintEmptyArea();

    // The focus window around a cell rectangle (client coordinates): 9
    // pixels larger, a frame 4 pixels wide (5 at the right and bottom).
    void ShowFocusWindow(TRect R);
    // Moves the focus window to the current cell while it is edited and
    // visible; hides it otherwise.
    void UpdateFocusWindow() override;
    void HideFocusWindow();
    // Makes Window layered, sized to the mask and shown with its opacity.
    void ApplyFocusWindowMask(TWinControl* Window, TGridAlphaMask* Mask);
    // Null until a focus window is first needed.
    TGridFocusWindow* FocusWindowIfAny() const { return FFocusWindow; }
    TGridFocusWindow* FocusWindow();

    void HideHoverButtons() override;
    void HideInplaceEdit() override;
    // Raises EKelGridError "Cannot start fixed inplace editor in non-fixed
    // cell" for a normal cell.
    void ShowFixedInplaceEdit(Integer ACol, Integer ARow);
    void HideFixedInplaceEdit();

    // No form designer exists: no design panel, so every point answers -1.
    Integer DesignHelperHitTest(Integer X, Integer Y);
    // Whether the style background applies (never: no visual styles).
    bool StyleBkg() const { return FStyleBkg; }
    // After every paint of the grid.
    TNotifyEvent OnPainted;

    // ---- Text and file exchange ----
    // Every exporter takes its texts from SaveCell and calls
    // ExportNotification; every importer stores through DoLoadCell. Long
    // operations report a percentage through OnFileProgress when it changes.
    using TGridProgressEvent = std::function<void(TObject* Sender, SmallInt Progress)>;
    TGridProgressEvent OnFileProgress;

    // The grid's own text format: a "cols,rows" size line, "cw c,width"
    // lines and "c,r,text" lines with line breaks as characters 9 and 8.
    // The file form uses absolute indexes and writes UTF-8 with its mark
    // (Unicode) or Windows-1252; the stream form uses indexes relative to the
    // save range and UTF-16LE, so a grid can sit inside a larger stream.
    void SaveToFile(const String& FileName, bool Unicode = true);
    // EKelGridError "File contains no data or corrupt file <name>" for a
    // size line without columns or rows.
    void LoadFromFile(const String& FileName);
    void SaveToStream(TStream& Stream);
    // Stops before the first line that is neither a width nor a cell line
    // and leaves the stream at that line's start.
    void LoadFromStream(TStream& Stream);
    // A plain-text table, columns padded with blanks to their widest text
    // and aligned as the cells are; in Encoding (Unicode) or Windows-1252.
    void SaveToASCII(const String& FileName, bool Unicode = true);
    void AppendToASCII(const String& FileName, bool Unicode = true);

    // The encoding of Unicode text files (UTF-8 by default).
    const TEncoding& Encoding() const { return *FEncoding; }
    void SetEncoding(const TEncoding& Value) { FEncoding = &Value; }

    // CSV options. Delimiter character 0 writes "," and detects the
    // delimiter when reading.
    Char Delimiter() const { return FDelimiter; }
    void SetDelimiter(Char Value) { FDelimiter = Value; }
    bool AlwaysQuotes() const { return FAlwaysQuotes; }
    void SetAlwaysQuotes(bool Value) { FAlwaysQuotes = Value; }
    bool QuoteQuoteCells() const { return FQuoteQuoteCells; }
    void SetQuoteQuoteCells(bool Value) { FQuoteQuoteCells = Value; }
    bool QuoteEmptyCells() const { return FQuoteEmptyCells; }
    void SetQuoteEmptyCells(bool Value) { FQuoteEmptyCells = Value; }
    bool JavaCSV() const { return FJavaCSV; }
    void SetJavaCSV(bool Value) { FJavaCSV = Value; }
    bool CSVMultilineCellImport() const { return FCSVMultilineCellImport; }
    void SetCSVMultilineCellImport(bool Value) { FCSVMultilineCellImport = Value; }
    bool CSVTrimSpaces() const { return FCSVTrimSpaces; }
    void SetCSVTrimSpaces(bool Value) { FCSVTrimSpaces = Value; }
    bool LoadFirstRow() const { return FLoadFirstRow; }
    void SetLoadFirstRow(bool Value) { FLoadFirstRow = Value; }

    // CSV writing: the save range or a rectangle; Unicode writes UTF-8 with
    // its mark, else 7-bit ASCII ("?" for other characters); an encoding
    // object writes that encoding with its mark. The Append forms keep the
    // lines of an existing file.
    void SaveToCSV(const String& FileName, bool Unicode = true);
    void SaveToCSV(const String& FileName, const TGridRect& ARect, bool Unicode = true);
    void SaveToCSV(const String& FileName, const TEncoding& AEncoding);
    void SaveToCSV(const String& FileName, const TGridRect& ARect, const TEncoding& AEncoding);
    void AppendToCSV(const String& FileName, bool Unicode = true);
    void AppendToCSV(const String& FileName, const TEncoding& AEncoding);
    // CSV reading from the first save row on (Insert: after the last row).
    // Text without a byte-order mark is UTF-8 when it is valid UTF-8, else
    // Windows-1252. MaxRows > 0 limits the lines read; IgnoreRows lines are
    // dropped first. "File is empty" when no line remains.
    void LoadFromCSV(const String& FileName, Integer MaxRows = 0, Integer IgnoreRows = 0);
    void LoadFromCSV(const String& FileName, const TEncoding& AEncoding, Integer MaxRows = 0, Integer IgnoreRows = 0);
    void LoadFromCSVStream(TStream& AStream, Integer MaxRows = 0, Integer IgnoreRows = 0);
    void InsertFromCSV(const String& FileName, Integer MaxRows = 0, Integer IgnoreRows = 0);
    void InsertFromCSV(const String& FileName, const TEncoding& AEncoding, Integer MaxRows = 0,
                       Integer IgnoreRows = 0);

    // Fixed-width text: Positions holds the written columns' widths (missing
    // ones are appended from the widest texts) or, for reading, the 1-based
    // start positions of the columns and the end of the last one.
    void SaveToFixed(const String& FileName, TIntList* Positions);
    void LoadFromFixed(const String& FileName, TIntList* Positions, bool DoTrim = true, Integer MaxRows = -1);

    // XML: a list element, one record element per row, one field element per
    // cell, in the encoding XMLEncoding names. Reading maps leaf elements and
    // attributes to cells in document order and never loads a DTD.
    void SaveToXML(const String& FileName, const String& ListDescr, const String& RecordDescr,
                   TStrings* FieldDescr, bool ExportEmptyCells = false);
    void LoadFromXML(const String& FileName, bool LevelToRow = false, bool LoadFieldDescr = false);
    // JSON: {"grid":[rows]}, each row an array of texts or, with field
    // names, of one-member objects; UTF-8.
    void SaveToJSON(const String& RecordDescr, TStrings* FieldDescr, String& JSON);
    void SaveToJSON(const String& FileName, const String& RecordDescr, TStrings* FieldDescr);

    // HTML: a table with one style class per distinct cell look, links for
    // addresses (URLShow) and cell pictures as JPEG files in dir +
    // HTMLSettings.ImageFolder. Plain cell texts are escaped, markup passes
    // through; with XHTML the document is well-formed XML.
    String SaveRectToHTMLString(const TGridRect& ARect, const String& dir);
    String SaveToHTMLString(const String& dir);
    // The file in Encoding (Unicode) or 7-bit ASCII, opened afterwards with
    // Show or HTMLSettings.AutoPreview.
    void SaveToHTML(const String& FileName, bool Show = false, bool Unicode = true);
    void AppendToHTML(const String& FileName, bool Show = false, bool Unicode = true);

    // Workbooks: .xlsx files are written and read directly (no spreadsheet
    // program is driven); legacy .xls files are read. The kind of file is
    // told by its content. Reading loads the sheet's used range (the cells
    // that hold values) at the save offsets; numbers and dates come as texts
    // in the program's format settings, error cells are left unchanged.
    // "Excel worksheet <name> not found" (EKelGridError) for a missing sheet,
    // "Incorrect Excel file" (Exception) for a file that is not a workbook.
    // A workbook column's letters: 1 "A" .. 26 "Z", 27 "AA" .. 702 "ZZ",
    // 703 "AAA" and on; 0 for a text that is not column letters.
    static String WorkbookColumnName(Integer Col);
    static Integer WorkbookColumnNumber(const String& Letters);
    TStringList* GetXLSSheets(const String& FileName); // the caller owns the list
    void LoadFromXLS(const String& FileName);           // the active sheet
    void LoadFromXLSSheet(const String& FileName, const String& SheetName);
    // Writing: a new workbook with CreateNewSheet or when the file does not
    // exist; else the workbook's active sheet from its active cell's row on.
    // The sheet form writes into the named sheet of an existing workbook
    // (added when missing) from row 1, keeping every other part of the file.
    // Texts that are numbers are written as numbers.
    void SaveToXLS(const String& FileName, bool CreateNewSheet = true);
    void SaveToXLSSheet(const String& FileName, const String& SheetName);
    // Documents: the grid as a table in a .docx file. SaveToDOC puts it at
    // the start of a new document (or of the existing file without
    // CreateNewDocument); AppendToDoc puts it at the paragraph of Bookmark in
    // the existing file, else at its end.
    void SaveToDOC(const String& FileName, bool CreateNewDocument = true);
    void AppendToDoc(const String& FileName, const String& Bookmark = String());
    // A table or query of an SQLite database file; field names go into the
    // last fixed row. An Access file raises EKelGridError "Access database
    // files are not supported"; the database's own errors pass unchanged.
    void LoadFromMDBTable(const String& FileName, const String& Table);
    void LoadFromMDBSQL(const String& FileName, const String& SQL);

    // ---- Printing and preview ----
    // A font's height on a page in the metric mapping (0.1 mm per unit,
    // negative: a character height), scaled by the run's font factor, and
    // its inverse in points without the factor.
    Integer MapFontHeight(Integer PointSize) const;
    Integer MapFontSize(Integer Height) const;
    // The rotation of the printer's landscape mode in degrees. The platform's
    // only printer writes PDF and turns landscape pages by 270 degrees, so
    // PrinterDriverFix never turns printed text.
    Integer GetLandscapeRotation() const { return 270; }
    bool FastPrint() const { return FFastPrint; }
    void SetFastPrint(bool Value) { FFastPrint = Value; }
    bool PrinterDriverFix() const { return FPrinterdriverfix; }
    void SetPrinterDriverFix(bool Value) { FPrinterdriverfix = Value; }
    // May replace the number text of a printed page (PageNum within the
    // column page when there are several, else over the whole print).
    std::function<void(TObject* Sender, Integer PageNum, Integer PageColNum, String& PageNumString)>
        OnPrintGetPageNum;
    // Printing on Printer() (the whole grid, a range of displayed cells, the
    // selection, or the rows and columns the selection covers) and the
    // preview of the page PreviewPage in a rectangle of a canvas's pixels.
    // A print begun by the caller gets the pages added and stays open.
    void Print();
    void PrintRect(const TGridRect& Gridrect);
    void PrintSelection();
    void PrintSelectedRows();
    void PrintSelectedCols();
    void PrintPreview(TCanvas* Canvas, const TRect& Displayrect);
    void PrintPreviewRect(TCanvas* Canvas, const TRect& Displayrect, const TGridRect& Gridrect);
    void PrintPreviewSelection(TCanvas* Canvas, const TRect& Displayrect);
    void PrintPreviewSelectedRows(TCanvas* Canvas, const TRect& Displayrect);
    void PrintPreviewSelectedCols(TCanvas* Canvas, const TRect& Displayrect);
    // The first page drawn on a canvas whose clipping box is the page.
    void PrintDraw(TCanvas* Canvas, const TRect& DrawRect);
    void PrintDrawRect(TCanvas* Canvas, const TRect& DrawRect, const TGridRect& Gridrect);
    // The print settings in section Section of the INI file Key.
    void SavePrintSettings(const String& Key, const String& Section);
    void LoadPrintSettings(const String& Key, const String& Section);
    bool IsPrintPreview() const { return FIsPrintPreview; }
    void SetIsPrintPreview(bool Value) { FIsPrintPreview = Value; }
    Integer PreviewPage() const { return FPrintPageFrom; }
    void SetPreviewPage(Integer Value) { FPrintPageFrom = FPrintPageTo = Value; }
    // The layout of the last run: pages counted (or the last page printed),
    // the page (height a negative y), the last column page's used width and
    // its first and last column.
    Integer PrintNrOfPages() const { return FPrintPageNum; }
    TRect PrintPageRect() const { return FPrintPageRect; }
    Integer PrintPageWidth() const { return FPrintPageWidth; }
    Integer PrintColStart() const { return FPrintColStart; }
    Integer PrintColEnd() const { return FPrintColEnd; }
    std::function<void(TObject* Sender, Double& ScaleFactor, bool& Allow)> OnFitToPage;
    std::function<void(TObject* Sender, Integer ACol, Integer& Width)> OnPrintSetColumnWidth;
    std::function<void(TObject* Sender, Integer ARow, Integer& Height)> OnPrintSetRowHeight;
    std::function<void(TObject* Sender, TCanvas* Canvas, Integer PageNr, Integer PageXSize, Integer PageYSize)>
        OnPrintPage;
    std::function<void(TObject* Sender, TCanvas* Canvas, Integer PageNr, Integer& HeaderSize, Integer& FooterSize)>
        OnPrintPageTopBottomSize;
    std::function<void(TObject* Sender, Integer ARow, bool& NewPage)> OnPrintNewPage;
    std::function<void(TObject* Sender, TCanvas* Canvas, Integer LastRow, Integer LastRowOffset, Integer LastPage,
                       Integer PageXSize, Integer PageYSize)>
        OnPrintPageDone;
    std::function<void(TObject* Sender, Integer PageNr, bool& Cancel)> OnPrintCancel;
    TNotifyEvent OnPrintDone;
    std::function<void(TObject* Sender, Integer NrOfPages, Integer& FromPage, Integer& ToPage)> OnPrintStart;

    // ---- Binary cell stream, clipboard and drag and drop ----
    // The binary cell stream (grid/GridCellStreamIO.h): the cells of Rect
    // (displayed columns; SaveHidden adds the hidden columns at the right)
    // with their properties and objects. Numbers travel with "." and no
    // thousand separators.
    void SaveRectToBinStream(const TRect& Rect, TStream& Stream, bool SaveHidden);
    // The save range, with SaveHiddenCells.
    void SaveToBinStream(TStream& Stream);
    void SaveToBinFile(const String& FileName);
    // Reads from the stream's position to its end: the first cell lands at
    // Point, the others at the same offsets; a whole grid's stream replaces
    // the grid's size, widths, heights and cells instead. A damaged record
    // raises EReadError (the cells read before it stay); a whole grid's
    // header is checked before anything changes.
    void LoadAtPointFromBinStream(TPoint Point, TStream& Stream);
    // At (0, 0); then the tree nodes are counted anew.
    void LoadFromBinStream(TStream& Stream);
    void LoadFromBinFile(const String& FileName);

    // The clipboard. A copy places the range as TAB/CR LF text (a cell with
    // line breaks in double quotes, each break one LF, its quotes doubled),
    // with AllowRTFClipboard the top-left cell's rich text (8-bit) and with
    // AllowFmtClipboard the cell stream, side by side.
    void CopySelectionToClipboard() override;
    void CopyToClipBoard();
    void CutToClipboard();
    void CutSelectionToClipboard() override;
    // "HTML Format" (without pictures) and the same text as plain text.
    void CopyToClipBoardAsHTML();
    void CopyRectToClipboardAsHTML(const TGridRect& ARect);
    String GetSelectionAsText();
    void SetSelectionAsText(const String& Value);
    String GetRectAsText(const TGridRect& Rect, bool SelectedOnly);
    void CopyRectToClipboard(const TGridRect& Rect, bool SelectedOnly);
    void CopyCellToClipboardAsRTF(Integer ACol, Integer ARow);
    void CopyRectToClipboardAsCells(const TGridRect& Rect);
    void ExpandSelectionToMerged() override;
    bool UseFormattedClipboard() override;
    // Paste: the cell stream when allowed and present, else rich text into
    // one cell when allowed, else the text. Cells are written only inside
    // the grid; it grows first where AllowClipboardColGrow/RowGrow allow.
    void PasteFromClipboard();
    void PasteSelectionFromClipboard() override;
    Integer PasteAtCell(Integer ACol, Integer ARow, Integer& Cols, Integer& Rows);
    Integer PasteTextAtCell(Integer ACol, Integer ARow, const String& Text, Integer& Cols, Integer& Rows);
    // X: the most TAB-separated fields on a line; Y: the row offset of the last line.
    static void MeasureClipboardText(const String& Text, TPoint& Size);
    virtual void PasteCell(Integer ACol, Integer ARow, const String& Value);
    using TZirOvararIzazInput::CellsPasted;
    virtual void CellsPasted(TPoint FromTopLeft, TGridRect PastedRect, TClipOperation Operation);
    TPoint ClipTopLeft() const { return FClipTopLeft; }
    TClipOperation ClipLastOp() const { return FClipLastOp; }

    TClipboardPasteCellEvent OnClipboardBeforePasteWideCell;
    TClipboardAfterPasteCellEvent OnClipboardAfterPasteWideCell;
    TClipboardPasteDoneEvent OnClipboardPasteDone;

    // Drag and drop (DragDropSettings). The drop operations take screen
    // points, as the platform's drop target hands them on.
    bool RegisterDropTarget() override;
    void RevokeDropTarget() override;
    // Starts the drag of the selection (or, from a fixed row with
    // OleColumnDragDrop, of the column); false when it was refused.
    bool OleDragStart(Integer ACol, Integer ARow);
    void OleDragOver(TPoint Point, bool& Allow, TDropFormats Formats);
    bool OleDropText(TPoint Point, const String& Text);
    void OleDropStream(TPoint Point, TStream& Stream);
    void OleDropCol(TPoint Point, Integer Column);
    void OleDropCellText(TPoint Point, const String& Text, bool IsURL);
    void OleDropFiles(TPoint Point, TStrings& Files);
    void HideDropArrows();
    // The selection at the start of the last drag (moved by drops above it).
    TGridRect DropSelection() const { return FDropSelection; }

    TOleDragDropEvent OnOleDrag;
    TOleDragDropEvent OnOleDrop;
    TOleDragStartEvent OnOleDragStart;
    TOleDragStopEvent OnOleDragStop;
    TOleDragOverEvent OnOleDragOver;
    TOleDropColEvent OnOleDropCol;
    TOleDropFileEvent OnOleDropFile;
    TOleDropFilesEvent OnOleDropFiles;
    TOleDragDropEvent OnOleDropURL;
    TOleDroppedEvent OnOleDropped;

protected:
    // ---- Cell visual properties, alignment and measuring, change of scale: protected part ----
    void ResolveAlignment(Integer ACol, Integer ARow, TAlignment& HAlign, TVAlignment& VAlign) override;
    TSize CalcCellTextSize(Integer ACol, Integer RealCol, Integer ARow, bool ForWidth, bool WordWrap) override;
    // The measuring worker: Unbounded lets the text run past the cell's
    // right edge, SB keeps room for a button.
    TSize CalcCellTextSizeEx(Integer ACol, Integer DisplayCol, Integer ARow, bool Unbounded, bool VS, bool SB);
    Integer MaxLinesInRow(Integer ARow) override;
    void ChangeScale(Integer M, Integer D) override { HandleChangeScale(M, D, true); }
    virtual void HandleChangeScale(Integer M, Integer D, bool IsDpiChange);
    // Whether the left mouse button is held down now.
    virtual bool IsMouseButtonDown();
    void Notification(TComponent* AComponent, TOperation Operation) override;

    // ---- Look and style presets, theme adaptation, visual-properties file: protected part ----

    // ---- Cell painting and cell text painting: protected part ----
    // The steps of the cell painter, each on the shared cell context.
    virtual void DrawCellText(TCellPaintContext& C);
    virtual void DrawCellBorders(TCellPaintContext& C);
    void DrawFixedFace(TCellPaintContext& C);
    void DrawFixedEdges(TCellPaintContext& C);
    void DrawAlwaysVisibleButtons(TCellPaintContext& C);
    void DrawTreeLines(TCellPaintContext& C);
    void PaintCellScrollBar(TCellPaintContext& C);
    void DrawSelectionRectangle(TCellPaintContext& C, const TRect& R);
    // The caption of an always-visible edit button.
    virtual String EditButtonCaption();
    // The three painters of a cell's part of the grid's background.
    void DrawBackgroundFixed(const TRect& R, TCellPaintContext& C);
    void DrawBackgroundTiled(const TRect& R, TCellPaintContext& C);
    void DrawBackgroundGradient(const TRect& R, TCellPaintContext& C);
    // Whether the search highlight may mark a cell: normal rows only, the
    // search column or else the normal columns.
    bool SearchHighlightCell(Integer RealCol, Integer ARow);

    // ---- Cell objects, check and radio glyphs, paint, border, drag lines and focus window: protected part ----
    // The kinds of cell object with more than a few lines of drawing.
    void DrawRotatedObject(TCanvas* Cv, TRect R, TCellGraphic* Graphic, const TCellObjectContext& Ctx);
    void DrawNodeObject(TCanvas* Cv, TRect R, TCellGraphic* Graphic, const TCellObjectContext& Ctx);
    void DrawProgressObject(TCanvas* Cv, TRect R, TCellGraphic* Graphic, const TCellObjectContext& Ctx);
    void DrawButtonObject(TCanvas* Cv, TRect R, TRect O, TCellGraphic* Graphic, const TCellObjectContext& Ctx);
    void Paint() override;
    void TopLeftChanged() override;
    bool DrawsNCBorder();
    void DrawDragLine(Integer X1, Integer Y1, Integer X2, Integer Y2);
    bool FocusWindowShown() const;
    bool CurrentCellVisible() const;

    // ---- Text and file exchange: protected part ----
    virtual void SaveCSVWorker(const String& FileName, const TGridRect& ARect, const TEncoding& AEncoding, bool Append);
    virtual void LoadCSVWorker(const String& Text, bool Insert, Integer MaxRows, Integer IgnoreRows);
    // Fires OnFileProgress when the percentage differs from the last one.
    void FireFileProgress(Integer Percent);
    Integer SaveColumnIndex(Integer ACol) const { return SaveHiddenCells() ? ACol : RealColIndex(ACol); }
    // A saved text as HTML cell content: escaped, blanks, line breaks, links.
    String HTMLCellText(const String& Saved);
    void WriteHTMLFile(const String& FileName, bool Show, bool Unicode, bool Append);
    // The workbook exchange's shared steps.
    void LoadWorkbookSheet(const String& FileName, const String* SheetName);
    void SaveWorkbookSheet(const String& FileName, const String* SheetName, bool CreateNew);
    // The saved texts of the save range, carriage returns removed.
    std::vector<std::vector<String>> WorkbookRows();
    void WriteDocument(const String& FileName, bool Append, bool CreateNew, const String& Bookmark);

    // ---- Printing and preview: protected part ----
    // What the page numbers and the header and footer read of the print run
    // in progress: pages are counted from 0 over all column pages, RowPage
    // within the column page, ColPage from 1; Total is the page total handed
    // to the run (-1: not counted).
    struct TPrintRunState {
        Integer PageNr = 0;
        Integer RowPage = 0;
        Integer ColPage = 1;
        Integer Total = -1;
        bool MultiColPages = false;
    };
    // The texts of the six header and footer slots (ppTopLeft .. ppBottomCenter)
    // of the current page at the time ANow, and a title made of markup, which
    // is drawn apart from the slots.
    struct THeaderFooterTexts {
        std::array<String, 6> Slots;
        String MarkupTitle;
    };
    TPrintRunState& PrintRun() { return FPrintRun; }
    THeaderFooterTexts BuildHeaderFooterTexts(TDateTime ANow);
    // The page number of the current page as printed, after OnPrintGetPageNum.
    String GetPageNumberText();
    // The two texts with one blank between them; one alone when the other is empty.
    static String JoinWithSpace(const String& A, const String& B);
    void DoPrintGetPageNum(Integer PageNum, Integer PageColNum, String& PageNumString) override;
    // The passes of the page engine: the two drawing passes and the two
    // counting passes.
    enum TPrintPass : Integer { ppsPreview = 0, ppsPrint = 1, ppsCountPrint = 2, ppsCountPreview = 3 };
    // Lays FPrintRect out on pages of Canvas (metric mapping) and, in a
    // drawing pass, draws the pages FPrintPageFrom .. FPrintPageTo; answers
    // the number of pages. Total is the page total the page numbers show.
    Integer PrintPages(TCanvas* Canvas, Integer Pass, Integer Total, bool SelectedOnly);
    // Draws row ARow of the displayed columns FromCol .. ToCol with its top
    // at distance Y below the page top; answers the row's advance.
    virtual Integer PrintRow(Integer Y, Integer FromCol, Integer ToCol, Integer ARow);
    // Draws the header and footer of the current page; answers the extra
    // height of a header title.
    Integer PrintHeaderFooter();
    void FinishPrintPage(Integer ColStart, Integer ColEnd, Integer Y);
    void StartNextPrintPage();
    bool IsRowPrinted(Integer ARow);
    bool IsColPrinted(Integer ACol);
    void CalcPrintColumnWidths();
    TSize MeasurePrintCell(Integer RealCol, Integer ARow);
    Integer GetPrintRowHeight(Integer ARow);
    // The whole picture stretched onto the rectangle of the canvas, copied
    // or combined with the raster operation Rop.
    static void StretchBitmapToCanvas(TCanvas* Canvas, const TRect& R, TBitmap* Bitmap);
    static void StretchGraphicToCanvas(TCanvas* Canvas, const TRect& R, TBitmap* Bitmap, Cardinal Rop);
    // The shared work of the print and preview entry points.
    void PrintGridRect(const TGridRect& Range, bool SelectedOnly);
    void PreviewGridRect(TCanvas* Canvas, const TRect& Displayrect, bool SelectedOnly, const TGridRect& Range);
    // The time the header and footer show.
    virtual TDateTime PrintTime();
    // Starts the printer's next sheet.
    virtual void NewPrintSheet();
    // The working state of one run of the page engine.
    struct TPrintEngine {
        TCanvas* Canvas = nullptr;
        Integer Pass = ppsPrint;
        bool SelectedOnly = false;
        Integer PageW = 0, PageH = 0;
        Double Scale = 1.0, PxScale = 1.0, DevRatio = 1.0;
        Integer Spacing = 0, HdrLine = 0, FtrLine = 0, Gap = 0, HalfG = 0;
        Integer HdrSize = 0, FtrSize = 0, HdrRes = 0, FtrRes = 0;
        Integer ColStart = 0, ColEnd = 0;
        bool RepeatCols = false;
        Integer MemoRow = -1, MemoHeight = 0;
        bool Draws() const { return Pass == ppsPreview || Pass == ppsPrint; }
    };
    TPrintEngine& PrintEngine() { return FPrintEngine; }

    // ---- Binary cell stream, clipboard and drag and drop: protected part ----
    // The writer's identity in a stream header (its window handle).
    Integer GridStreamID();
    // Logical pixels per inch of the grid's canvas, for font sizes in points.
    Integer StreamDpi();
    winapi::HWND ClipboardOwner();
    TGridRect SaveRange();
    void PasteDone(const TGridRect& R);
    // The cell under a screen point (OverCell: inside the grid's cells).
    TPoint DropCell(TPoint ScreenPoint, bool& OverCell);
    // A point below the last row that appends rows (OleEntireRows, OleAppendRows).
    bool IsAppendPoint(TPoint ScreenPoint, Integer ARow, bool ColumnDrag);
    // Count rows at ARow (appended at the end: ARow moves one down), the top row kept.
    void InsertDropRows(Integer& ARow, Integer Count, bool Append);
    TArrowWindow* DropArrow(TArrowWindow*& Arrow, TArrowDirection Direction);

private:
    // ---- Cell visual properties, alignment and measuring, change of scale: state ----
    bool FSaveVirtCells = true;
    bool FSaveMergedCells = false;
    bool FSaveWithHTML = true;
    bool FSaveWithRTF = true;
    TKelGridPopup* FPopupToolBar = nullptr;

    // ---- Look and style presets, theme adaptation, visual-properties file: state ----
    TColor FDOVGradientHoverMirrorFrom = clNone;
    TColor FDOVGradientHoverMirrorTo = clNone;
    TColor FDOVGradientHoverBorder = clNone;
    TColor FDOVGradientDownMirrorFrom = clNone;
    TColor FDOVGradientDownMirrorTo = clNone;
    TColor FDOVGradientDownBorder = clNone;
    TColorTones FColorTones;

    // ---- Cell painting and cell text painting: state ----
    bool FNoDefaultDraw = false;
    bool FNoImageAndText = false;
    TColor FSelectionRectangleColor = clBlack;
    Integer FFixedHoverCol = -1;
    Integer FFixedHoverRow = -1;
    bool FFixedHoverDown = false;
    bool FFixedDropDownDown = false;

    // ---- Cell objects, check and radio glyphs, paint, border, drag lines and focus window: state ----
    // The check and radio pictures, loaded once from the resources by name.
    TBitmap* GlyphBitmap(const String& Name);
    std::map<String, std::unique_ptr<TBitmap>> FGlyphCache;
    TGridFocusWindow* FFocusWindow = nullptr; // owned as a component
    bool FMovingFocusWindow = false;
    bool FStyleBkg = false;

    // ---- Text and file exchange: state ----
    const TEncoding* FEncoding = &TEncoding::UTF8();
    Char FDelimiter = 0;
    bool FAlwaysQuotes = false;
    bool FQuoteQuoteCells = true;
    bool FQuoteEmptyCells = true;
    bool FJavaCSV = false;
    bool FCSVMultilineCellImport = true;
    bool FCSVTrimSpaces = true;
    bool FLoadFirstRow = true;
    Integer FLastFileProgress = -1;
    bool FAppendASCII = false;

    // ---- Printing and preview: state ----
    TPrintRunState FPrintRun;
    // The factor MapFontHeight applies while a print run draws; 1 otherwise.
    Double Fontscalefactor = 1.0;
    bool FFastPrint = false;
    bool FPrinterdriverfix = false;
    TPrintEngine FPrintEngine;
    // Whether the current page is within FPrintPageFrom .. FPrintPageTo.
    bool PrintPageDrawn() const;
    // The header and footer reserves of the page (DrawTitle: the title may
    // be drawn to measure it).
    void CalcPrintReserves(bool DrawTitle);
    TGridRect FPrintRect{};
    TRect PrevRect;
    TRect FPrintPageRect;
    Integer FPrintPageWidth = 0;
    Integer FPrintColStart = 0;
    Integer FPrintColEnd = 0;
    Integer FPrintPageFrom = 1;
    Integer FPrintPageTo = 1;
    Integer FPrintPageNum = 0;
    std::vector<Integer> FCacheRowHeights;
    bool FUseCacheRowHeights = false;
    bool FIsPrintPreview = false;

    // ---- Binary cell stream, clipboard and drag and drop: state ----
    TPoint FClipTopLeft{0, 0};
    TClipOperation FClipLastOp = coCopy;
    bool FPasteAll = false;
    bool FHTMLWithoutPictures = false;
    struct TDropTargetHolder {
        std::shared_ptr<TGridDropTarget> Target;
        ~TDropTargetHolder();
        TGridDropTarget* operator->() const { return Target.get(); }
        explicit operator bool() const { return Target != nullptr; }
    };
    TDropTargetHolder FDropTarget;
    TArrowWindow* FArrowDown = nullptr; // owned by the parent
    TArrowWindow* FArrowUp = nullptr;
    TArrowWindow* FArrowLeft = nullptr;
    TGridRect FDropSelection;
    Integer FDropTicks = 0;
};

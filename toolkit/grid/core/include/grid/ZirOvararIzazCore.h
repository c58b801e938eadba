#pragma once
// TZirOvararIzazCore: the string grid's core layer on the base grid. It owns
// the grid's settings objects, keeps the dimensions and their side tables,
// reads and writes cells as typed values, asks the application through its
// event hooks, brackets bulk work with the update lock and handles the
// timer, paint, size and character messages.
//
// Every virtual operation of the string grid exists here, in its order, so
// that the input layer (TZirOvararIzazInput) and the view layer (the final
// TZirOvararIzaz) fill in bodies without changing the class's shape. Where
// a later layer completes an operation, the body here does nothing or gives
// the plain answer, and its comment says who completes it.

#include "grid/AppearanceSettings.h"
#include "grid/BackGround.h"
#include "grid/BalloonSettings.h"
#include "grid/CellGraphic.h"
#include "grid/CellSelection.h"
#include "grid/CellNode.h"
#include "grid/ColumnSize.h"
#include "grid/ControlLook.h"
#include "grid/DragDropSettings.h"
#include "grid/FilterDropLists.h"
#include "grid/FilterSettings.h"
#include "grid/FindParams.h"
#include "grid/FloatingFooter.h"
#include "grid/GridError.h"
#include "grid/GridEvents.h"
#include "grid/GridItem.h"
#include "grid/GridPanels.h"
#include "grid/GridSettingsOwner.h"
#include "grid/Grouping.h"
#include "grid/HTMLSettings.h"
#include "grid/HoverButtons.h"
#include "grid/PrintSettings.h"
#include "grid/SizeWhileTyping.h"
#include "grid/SortKey.h"
#include "grid/SortSettings.h"
#include "gridbase/BaseGrid.h"
#include "gridbase/ControlList.h"
#include "gridbase/GridOptions.h"
#include "gridbase/IntList.h"
#include "graphics/ImageList.h"
#include "kel/KelHintInfo.h"
#include "kel/KelStyle.h"
#include "kel/PictureContainer.h"

#include <initializer_list>
#include <memory>
#include <set>
#include <vector>

class TGridChangeNotifier;
class TCustomRichEdit;
class TRichEdit;
class TFilePicture;
class TZirOvararIzazCheck;
class TSearchPanel;

// A component the application registers with a grid to hear of every
// changed cell rectangle. The grid does not own it.
class TGridChangeNotifier : public TComponent {
    RTL_CLASS(TGridChangeNotifier)
public:
    explicit TGridChangeNotifier(TComponent* AOwner) : TComponent(AOwner) {}
    virtual void CellsChanged(TRect /*R*/) {}
};

// Whether the user may size a column (row) at a fixed cell.
using TColumnSizeEvent = std::function<void(TObject* Sender, Integer ACol, bool& Allow)>;
using TRowSizeEvent = std::function<void(TObject* Sender, Integer ARow, bool& Allow)>;

// The page size and range of an in-cell scroll bar.
struct TScrollProp {
    Integer PageSize = 0;
    Integer Range = 0;
};

// The selection listener: told of every current-cell change.
class ITZirOvararIzazSelect {
public:
    virtual ~ITZirOvararIzazSelect() = default;
    virtual void SelectionChange(Integer ACol, Integer ARow) = 0;
};

class TZirOvararIzazCore : public TBaseGrid, public IGridSettingsOwner, public IKelStyleEx, public IKelTones {
    RTL_CLASS(TZirOvararIzazCore)
public:
    explicit TZirOvararIzazCore(TComponent* AOwner);
    ~TZirOvararIzazCore() override;
    void AfterConstruction() override;
    void BeforeDestruction() override;

    // ---- Lifecycle ----
    void Loaded() override;
    // From another string grid: settings, dimensions, widths, heights and
    // cells; any other source is ignored.
    void Assign(const TPersistent* Source) override;
    virtual void AssignCells(const TPersistent* Source);
    void Invalidate() override;
    void SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) override;
    void ApplyScrollBarAlways(bool HideUnneeded);

    // ---- Dimensions ----
    Integer RowCount() const { return TBaseGrid::RowCount(); }
    void SetRowCount(Integer Value);
    Integer ColCount() const { return TBaseGrid::ColCount(); }
    void SetColCount(Integer Value);
    Integer Col() const { return TBaseGrid::Col(); }
    void SetCol(Integer Value);
    Integer FixedRows() const;
    void SetFixedRows(Integer Value);
    Integer FixedCols() const;
    void SetFixedCols(Integer Value);
    bool FixedRowAlways() const { return FFixedRowAlways; }
    void SetFixedRowAlways(bool Value) { FFixedRowAlways = Value; }
    bool FixedColAlways() const { return FFixedColAlways; }
    void SetFixedColAlways(bool Value) { FFixedColAlways = Value; }
    Integer FixedFooters() const { return FFixedFooters; }
    void SetFixedFooters(Integer Value);
    Integer FixedRightCols() const { return FFixedRightCols; }
    void SetFixedRightCols(Integer Value);
    Integer DefaultRowHeight() const { return TBaseGrid::DefaultRowHeight(); }
    void SetDefaultRowHeight(Integer Value) { WriteDefaultRowHeight(Value); }
    Integer FixedRowHeight() const { return FFixedRowHeight; }
    void SetFixedRowHeight(Integer Value);
    Integer FixedColWidth() const { return ColWidths(0); }
    void SetFixedColWidth(Integer Value);
    TAlignment DefaultAlignment() const { return FDefaultAlignment; }
    void SetDefaultAlignment(TAlignment Value);
    bool WordWrap() const { return FExtendedWordWrap; }
    void SetWordWrap(bool Value);
    // Fixed columns at both sides, summed.
    Integer FixedColumnsWidth() const;
    Integer MinFixedRows() const { return FMinFixedRows; }
    Integer MinFixedCols() const { return FMinFixedCols; }
    Integer MaxRowCount() const { return FMaxRowCount; }
    Integer MaxColCount() const { return FMaxColCount; }
    // Columns, hidden ones included (hidden columns arrive with their layer).
    Integer AllColCount() const { return ColCount() + FNumHidden; }
    Integer NumHiddenColumns() const { return FNumHidden; }
    // The displayed index of a real column.
    Integer RealToDisplColumn(Integer ACol) const { return DisplColIndex(ACol); }
    const std::vector<bool>& ColumnVisibility() const { return FVisibleCol; }
    const std::vector<Integer>& AllColumnWidths() const { return FAllColWidths; }
    TIntList* SuppressColSizes() const { return FSuppressColSizes.get(); }
    TIntList* SuppressRowSizes() const { return FSuppressRowSizes.get(); }
    TCollection* HiddenRows() const { return FHiddenRows.get(); }

    // ---- Hidden and suppressed rows and columns ----
    // Two index spaces: a displayed index counts the rows (columns) shown, a
    // real index counts the hidden ones too. A hidden row is taken out of the
    // grid into the hidden-row store (one TGridItem per row, kept in
    // ascending real index, each holding the row's texts with their records
    // for every real column and its height); a hidden column stays in the
    // cell store at its real index.
    // The level of entries hidden by HideRows, HideRowsEx (and nodes): below
    // every row-list level, so that removing a filter never shows them.
    static constexpr Integer HiddenByHideRows = -1;
    void HideRow(Integer RowIndex) { HideRows(RowIndex, RowIndex); }
    // Real rows, inclusive; rows hidden already are skipped. At least one
    // row stays displayed.
    void HideRows(Integer FromRow, Integer ToRow);
    // Displayed rows, ascending, hidden as one filter level (FilterLevel
    // rises by one); with FilterType ftSuppress they are suppressed instead.
    void HideRowList(TIntList* RowList);
    void UnHideRow(Integer RowIndex) { UnHideRows(RowIndex, RowIndex); }
    // Shows the hidden rows of a real range; nothing when FromRow is shown.
    void UnHideRows(Integer FromRow, Integer ToRow);
    void UnHideRowsAll();
    // Shows the rows of the newest row-list level (FilterLevel - 1) only;
    // the caller lowers FilterLevel afterwards.
    void UnHideRowList();
    bool IsHiddenRow(Integer RowIndex) const;
    Integer NumHiddenRows() const { return FHiddenRows ? FHiddenRows->Count() : 0; }
    Integer TotalRowCount() const { return RowCount() + NumHiddenRows(); }
    Integer AllRowCount() const { return TotalRowCount(); }
    // Binary searches over the sorted real indexes of the hidden rows.
    Integer RealRowIndex(Integer ARow) const;
    Integer DisplRowIndex(Integer ARow) const;
    Integer RealRow() const { return RealRowIndex(Row()); }
    Integer RealCol() const { return RealColIndex(Col()); }
    // Hidden columns (real indexes); the last displayed column stays.
    void HideColumn(Integer ColIndex) { HideColumns(ColIndex, ColIndex); }
    void HideColumns(Integer FromCol, Integer ToCol);
    void UnHideColumn(Integer ColIndex) { UnHideColumns(ColIndex, ColIndex); }
    void UnHideColumns(Integer FromCol, Integer ToCol);
    void UnHideColumnsAll() { UnHideColumns(0, ColCount() + FNumHidden - 1); }
    bool IsHiddenColumn(Integer ColIndex) const;
    // True outside the array; writes outside it are ignored.
    bool VisibleCol(Integer Index) const;
    void SetVisibleCol(Integer Index, bool Value);
    // Suppressed rows and columns stay with a size of 0 (displayed indexes).
    void SuppressRow(Integer RowIndex);
    void SuppressRows(Integer FromRow, Integer ToRow);
    void UnSuppressRow(Integer RowIndex);
    void UnSuppressRows(Integer FromRow, Integer ToRow);
    void UnSuppressAllRows();
    bool IsSuppressedRow(Integer RowIndex) const { return RowIndex >= 0 && RowIndex < RowCount() && RowHeights(RowIndex) == 0; }
    Integer NumSuppressedRows() const;
    void SuppressColumn(Integer ColIndex);
    void UnSuppressColumn(Integer ColIndex);
    void UnSuppressAllColumns();
    bool IsSuppressedColumn(Integer ColIndex) const;

    // ---- Current row and view ----
    // The current displayed row. The setter (SetRowEx) clamps to the first
    // normal row, forgets the auto-edit cell, reports OnRowUpdate, copies
    // the selection into the disjunct row selection and moves a grid
    // synchronised by row.
    Integer Row() const { return TBaseGrid::Row(); }
    void SetRow(Integer Value) { SetRowEx(Value); }
    Integer GetRowEx() const { return TBaseGrid::Row(); }
    // First scrollable row shown; values outside FixedRows .. RowCount - 1
    // are ignored.
    Integer TopRow() const { return TBaseGrid::TopRow(); }
    void SetTopRow(Integer Value) { SetTopRowEx(Value); }
    Integer GetTopRowEx() const { return TBaseGrid::TopRow(); }
    void SetTopRowEx(Integer Value);
    // Asks the select-cell query about the current cell (refreshes the
    // editing state); the answer is not used.
    void UpdateEditMode();
    // Makes a displayed cell current and scrolls it into view at the given
    // place (spMiddle, spTrailing, spLeading).
    void ScrollInView(Integer ColIndex, Integer RowIndex, TScrollPosition Position);
    // The cell under a screen point; -1 outside the cells.
    void ScreenToCell(TPoint pt, Integer& ACol, Integer& ARow) const;
    // Whether a client point lies within 3 pixels of a column (row) edge
    // that goColSizing (goRowSizing) lets the user drag.
    bool IsOnSizingEdge(Integer X, Integer Y);
    // Bounding rectangle (displayed columns and rows) of the cells that hold
    // text; (0, 0, 0, 0) when none does.
    TGridRect UsedCells() { return ReadUsedCells(); }
    // The range that file, clipboard and export formats write.
    bool SaveFixedCells = false;
    bool SaveFixedCols = false;
    bool SaveFixedRows = false;
    Integer SaveStartCol() const;
    Integer SaveStartRow() const;
    Integer SaveEndCol() const;
    Integer SaveEndRow() const;
    Integer SaveColCount() const;
    Integer SaveRowCount() const;
    // The cell font (FixedFont for fixed cells with UseFixedFont) into
    // AFont; with Scale its height is divided by the DPI scale.
    virtual void AssignCellFont(TFont* AFont, bool IsFixed, bool Scale);
    bool IsIgnoredColumn(Integer ACol) const { return FIgnoreColumns->HasValue(ACol); }
    TRowUpdateEvent OnRowUpdate;

    // ---- Selection and row flags ----
    // Three disjunct selections beside the rectangle (switched on by
    // MouseActions): rows, columns and cells. The row flags are indexed by
    // the real row with RowSelectPersistent, else by the displayed row.
    // Reading a flag past the end of its list grows the list unselected.
    bool RowSelect(Integer ARow);
    void SetRowSelect(Integer ARow, bool Value);
    bool ColSelect(Integer ACol);
    void SetColSelect(Integer ACol, bool Value);
    // Whether the last RowSelect write changed the row's state.
    bool RowSelectChanged() const { return FRowSelectChanged; }
    Integer RowSelectCount();
    Integer ColSelectCount();
    Integer SelectedRowCount();
    Integer SelectedRow(Integer i);
    Integer SelectedColCount();
    Integer SelectedCellsCount();
    TGridCoord SelectedCell(Integer i) const { return FSelectedCells->Item(i); }
    bool SelectedCells(Integer ACol, Integer ARow) const;
    void SetSelectedCells(Integer ACol, Integer ARow, bool Value);
    void ClearSelectedCells();
    // Modified rows by real index; beyond the list a row is not modified.
    bool RowModified(Integer ARow) const;
    void SetRowModified(Integer ARow, bool Value);
    Integer ModifiedRowCount() const;
    void ClearModifiedRows();
    // Enabled rows by real index; beyond the list a row is enabled.
    bool RowEnabled(Integer ARow) const;
    void SetRowEnabled(Integer ARow, bool Value);
    bool EnabledRowsInUse() const { return FEnabledRowsInUse; }
    // The distinct texts of a column (exported form, then the hidden rows),
    // sorted; the caller frees the list.
    TStringList* DistinctValues(Integer ACol, bool CaseSensitive);
    void GotoCell(Integer ACol, Integer ARow);
    void EditCell(Integer ACol, Integer ARow);
    // The one-cell selection; the auto-edit cell is forgotten.
    void FocusCell(Integer ACol, Integer ARow);
    using TBaseGrid::FocusCell;
    void MoveToCell(Integer ACol, Integer ARow);
    void SelectRange(Integer FromCol, Integer ToCol, Integer FromRow, Integer ToRow);
    void SelectRows(Integer RowIndex, Integer RCount);
    void UnSelectRows(Integer RowIndex, Integer RCount);
    void SelectCols(Integer ColIndex, Integer CCount);
    void UnSelectCols(Integer ColIndex, Integer CCount);
    void SelectAll();
    void ClearRowSelect();
    void ClearRowSelectList();
    void ClearColSelect();
    bool SelectionToRowSelect(bool All);
    void SelectionToColSelect(bool All);
    void NotifySearchPanel() {}
    // Exchanges the texts and the records of two cells (real columns).
    void SwapCells(TGridCoord FromCell, TGridCoord ToCell);
    void RepaintCol(Integer ACol);
    void RepaintRect(TRect R);
    void InvalidateGridRect(TGridRect GR);
    // The selection parked outside the grid (left = right = ColCount,
    // top = RowCount) and brought back.
    void HideSelection();
    void UnHideSelection();
    bool IsSelectionHidden() const;
    // Hide the selected (unselected) normal rows as one row-list level.
    void HideSelectedRows() { HideRowsBySelection(true); }
    void HideUnSelectedRows() { HideRowsBySelection(false); }
    TRowDisjunctSelectEvent OnRowDisjunctSelect;
    TRowDisjunctSelectedEvent OnRowDisjunctSelected;
    TColDisjunctSelectEvent OnColDisjunctSelect;
    TColDisjunctSelectedEvent OnColDisjunctSelected;

protected:
    // ---- Current row, view and selection: state ----
    using TBaseGrid::ScrollInView;
    // Lists the normal rows whose selection state equals Selected and hides
    // them through HideRowList.
    void HideRowsBySelection(bool Selected);
    // The entry of the row (column) flag list, grown unselected to hold it.
    bool RowSelectEntry(Integer Index);
    bool ColSelectEntry(Integer Index);
    // The row-flag index of a displayed row: real with RowSelectPersistent.
    Integer RowSelectIndex(Integer ARow) const;
    // While set, the cell-changing notification (DoCellChanging) is blocked.
    bool FCellChangingBlocked = false;
    Integer FOldRowSel = -1;
    bool FRowSelectChanged = false;
    bool FEnabledRowsInUse = false;
    bool FSelHidden = false;
    TGridRect FOldSelection{0, 0, 0, 0};
    std::vector<bool> FRowSelectFlags;
    std::vector<bool> FColSelectFlags;
    std::unique_ptr<TCellSelection> FSelectedCells;

public:

    // ---- Structure edits ----
    void AddRow();
    void AddColumn() { InsertCols(ColCount(), 1); }
    // Removes the listed displayed rows (ascending) by closing up; whole
    // cells move, the dropped rows' records are freed.
    void RemoveRowList(TIntList* RowList);
    void RemoveDuplicates(Integer ACol, bool DoCase);
    // Hides a real range through RemoveRowsEx.
    void HideRowsEx(Integer FromRow, Integer ToRow);
    // Moves displayed rows From .. From + Count - 1 to start at To, in one
    // block (texts, records and heights).
    void MoveRows(Integer FromIndex, Integer ToIndex, Integer Count);
    // Moves displayed row FromIndex so that it stands at ToIndex (the
    // platform grid's row move), with hidden rows, controls placed in cells
    // and modified flags in step.
    void MoveRow(Integer FromIndex, Integer ToIndex);
    // Clears, trims and colours. Rectangles are inclusive; their columns are
    // real ones unless SaveHiddenCells is on, then displayed ones.
    bool SaveHiddenCells() const { return FSaveHiddenCells; }
    void SetSaveHiddenCells(bool Value) { FSaveHiddenCells = Value; }
    // ClearRect leaves the cells' property records alone.
    bool ClearTextOnly() const { return FClearTextOnly; }
    void SetClearTextOnly(bool Value) { FClearTextOnly = Value; }
    void ClearRows(Integer RowIndex, Integer RCount);
    void ClearCols(Integer ColIndex, Integer CCount);
    void ClearNormalRows(Integer RowIndex, Integer RCount);
    void ClearNormalCols(Integer ColIndex, Integer CCount);
    void ClearNormalCells();
    void Clear();
    // Everything, hidden rows and columns included (they are shown first).
    void ClearAll();
    void TrimColumn(Integer ACol) { TrimRect(ACol, 0, ACol, RowCount() - 1); }
    void TrimRow(Integer ARow) { TrimRect(0, ARow, ColCount() - 1, ARow); }
    void TrimAll() { TrimRect(0, 0, ColCount() - 1, RowCount() - 1); }
    void ColorRect(Integer ACol1, Integer ARow1, Integer ACol2, Integer ARow2, TColor AColor);
    // Joins the texts of column ColIndex2 into ColIndex1 (trimmed, with
    // Separator between), then removes ColIndex2.
    void MergeCols(Integer ColIndex1, Integer ColIndex2, const String& Separator);
    // Merge runs of equal texts down a column (along a row); without
    // MainMerge only neighbours with identical spans join a run.
    void MergeColumnCells(Integer ColIndex, bool MainMerge);
    void MergeRowCells(Integer RowIndex, bool MainMerge);
    void SplitColumnCells(Integer ColIndex);
    void SplitRowCells(Integer RowIndex);
    void SplitAllCells();
    // The cell text starts with the wide-text marker "|\".
    bool IsWideCell(Integer ACol, Integer ARow);
    // The first cell, row by row, whose raw text equals SubStr; ACol and
    // ARow are left alone when none does.
    bool IsCell(const String& SubStr, Integer& ACol, Integer& ARow);
    // Removes the rows whose check box in the (real) column is in the given
    // state; rows without a check box there stay.
    void RemoveCheckedRows(Integer CheckBoxColumn, bool RemoveChecked);
    // Remove the selected (unselected) normal rows or columns: the disjunct
    // selections when switched on, else the selection rectangle. Hidden
    // columns between displayed ones stay.
    void RemoveSelectedRows();
    void RemoveUnSelectedRows();
    void RemoveSelectedCols() { RemoveColsBySelection(true); }
    void RemoveUnSelectedCols() { RemoveColsBySelection(false); }
    // Clears the selected rows, columns or the rectangle.
    void ClearSelection();

    // ---- Column order ----
    // Moves displayed column FromIndex to ToIndex with its cells (hidden
    // rows' parked cells too), width, filter conditions, controls placed in
    // cells and its column-order entry.
    void MoveColumn(Integer FromIndex, Integer ToIndex);
    // Entry p: the initial real index of the column now at real position p.
    // Empty until SetColumnOrder, the first MoveColumn or ColumnAtPosition.
    TIntList* ColumnOrder() const { return FColumnOrder.get(); }
    void SetColumnOrder();
    // Shows the hidden columns and moves every column back to its initial
    // position.
    void ResetColumnOrder();
    Integer ColumnPosition(Integer ACol) const;
    Integer ColumnAtPosition(Integer ACol);
    // The first real column whose row-0 text (parked when row 0 is hidden)
    // equals AValue exactly, or -1.
    Integer ColumnByHeader(const String& AValue);
    // Strings are wide already: Cells as they are.
    String WideCells(Integer ACol, Integer ARow) { return Cells(ACol, ARow); }
    void SetWideCells(Integer ACol, Integer ARow, const String& Value) { SetCells(ACol, ARow, Value); }
    // The real column the rows are grouped by, -1 when not grouped.
    Integer GroupColumn() const { return FGroupColumn; }

    // ---- Typed values ----
    Integer Ints(Integer ACol, Integer ARow);
    void SetInts(Integer ACol, Integer ARow, Integer Value);
    Integer AllInts(Integer ACol, Integer ARow);
    void SetAllInts(Integer ACol, Integer ARow, Integer Value);
    Double Floats(Integer ACol, Integer ARow);
    void SetFloats(Integer ACol, Integer ARow, Double Value);
    Double AllFloats(Integer ACol, Integer ARow);
    void SetAllFloats(Integer ACol, Integer ARow, Double Value);
    TDateTime Dates(Integer ACol, Integer ARow);
    void SetDates(Integer ACol, Integer ARow, TDateTime Value);
    TDateTime Times(Integer ACol, Integer ARow);
    void SetTimes(Integer ACol, Integer ARow, TDateTime Value);
    // 0 for an empty text or one that does not parse.
    TDateTime DateTimes(Integer ACol, Integer ARow);
    void SetDateTimes(Integer ACol, Integer ARow, TDateTime Value);
    String ControlValues(Integer ACol, Integer ARow, const String& ID);
    void SetControlValues(Integer ACol, Integer ARow, const String& ID, const String& Value);
    // Cells by real row: a hidden row's stored copy (hidden rows arrive with
    // their layer; until then every row is displayed).
    String AllCells(Integer ACol, Integer ARow);
    void SetAllCells(Integer ACol, Integer ARow, const String& Value);
    // The cell text without markup tags.
    String StrippedCells(Integer ACol, Integer ARow);
    // By real row: the text and record of a hidden row come from its stored
    // copy, a displayed row's from the grid.
    String GetCellsEx(Integer ACol, Integer ARow);
    TCellProperties* GetRealObject(Integer ACol, Integer ARow);

    // ---- Calculations ----
    // Column functions take rows FromRow .. ToRow (either -1: FixedRows to
    // the last row before the fixed footers). A range reaching past the
    // displayed rows counts real rows, hidden ones included. A row is taken
    // when its cell is a base cell (a merged area counts once) and, in a
    // grouped grid, it is no node or summary row (unless hidden). Cells
    // that are no number are skipped, except where noted.
    Double ColumnCount(Integer ACol, Integer FromRow = -1, Integer ToRow = -1);
    Double ColumnSum(Integer ACol, Integer FromRow = -1, Integer ToRow = -1);
    // The sum divided by the number of rows of the range (non-numeric and
    // skipped rows count); 0 for an empty range.
    Double ColumnAvg(Integer ACol, Integer FromRow = -1, Integer ToRow = -1);
    // Start from the number of the first row of the range, which must be a
    // number (EKelGridError otherwise), even when the range is empty.
    Double ColumnMin(Integer ACol, Integer FromRow = -1, Integer ToRow = -1);
    Double ColumnMax(Integer ACol, Integer FromRow = -1, Integer ToRow = -1);
    // Population deviation over every row of the range, each of which must
    // be a number; 0 for an empty range.
    Double ColumnStdDev(Integer ACol, Integer FromRow = -1, Integer ToRow = -1);
    // Distinct texts of every row, compared without case; "" is a value.
    Double ColumnDistinct(Integer ACol, Integer FromRow = -1, Integer ToRow = -1);
    // What OnColumnCalc answers; 0 without a handler.
    Double ColumnCustomCalc(Integer ACol, Integer FromRow = -1, Integer ToRow = -1);
    // Base cells of displayed row ARow between the columns; 0 (sum, average)
    // when ToCol < FromCol. RowMin and RowMax start from the cell at
    // FromCol, which must be a number.
    Double RowSum(Integer ARow, Integer FromCol, Integer ToCol);
    Double RowAvg(Integer ARow, Integer FromCol, Integer ToCol);
    Double RowMin(Integer ARow, Integer FromCol, Integer ToCol);
    Double RowMax(Integer ARow, Integer FromCol, Integer ToCol);
    // Every cell of the rectangle (real columns and rows, either corner
    // order); every cell must be a number, an empty one reads 0.
    Double RectCalc(TGridRect GR, TCalcType CalcType);
    Double RectSum(TGridRect GR) { return RectCalc(GR, ctSum); }
    Double RectAvg(TGridRect GR) { return RectCalc(GR, ctAvg); }
    Double RectMin(TGridRect GR) { return RectCalc(GR, ctMin); }
    Double RectMax(TGridRect GR) { return RectCalc(GR, ctMax); }
    // The cells the selection shows (its displayed columns and rows).
    Double SelectionSum() { return SelectionCalc(ctSum); }
    Double SelectionAvg() { return SelectionCalc(ctAvg); }
    Double SelectionMin() { return SelectionCalc(ctMin); }
    Double SelectionMax() { return SelectionCalc(ctMax); }
    TColumnCalcEvent OnColumnCalc;

    // ---- Column stretching and footer ----
    // Fills the width (-1: the client width) with column StretchCol (-1: the
    // last), or with all normal columns under ColumnSize.StretchAll. Only
    // with ColumnSize.Stretch on; not re-entrant.
    void ApplyColumnStretch(Integer StretchCol, Integer Width);
    // Switches StretchAll and Stretch on and shares the width.
    void StretchColumns();
    void StretchRightColumn() { ApplyColumnStretch(ColCount() - 1, -1); }
    // Repaints the footer panel.
    void UpdateFooter();
    // The colour of the drop-position arrows.
    TColor ArrowColor() const;
    void SetArrowColor(TColor Value);
    TUpdateColumnSizeEvent OnUpdateColumnSize;
    TEndColumnSizeEvent OnEndColumnSize;
    TEndRowSizeEvent OnEndRowSize;
    // A footer cell of kind acCUSTOM: Value starts empty.
    TCalcFooterEvent OnFooterCalc;

protected:
    // ---- Calculations and stretching: protected part ----
    // Numbers and texts taken from a set of cells: the column, row, range
    // and group calculations accumulate through it.
    class TCellTotals {
    public:
        // Min and Max start from Value instead of the first number added.
        void Start(Double Value);
        void AddNumber(Double Value);
        void AddText(const String& Text);
        Double Sum() const { return FSum; }
        Integer Numbers() const { return FNumbers; }
        Double Min() const { return FMin; }
        Double Max() const { return FMax; }
        Integer Distinct() const { return Integer(FTexts.size()); }
        // Sum / Divisor; 0 when Divisor is not above 0.
        Double Mean(Integer Divisor) const { return Divisor > 0 ? FSum / Divisor : 0; }

    private:
        Double FSum = 0;
        Integer FNumbers = 0;
        Double FMin = 0;
        Double FMax = 0;
        bool FStarted = false;
        std::set<String> FTexts;
    };
    // The rows a column calculation covers, resolved from its arguments.
    struct TColumnRange {
        Integer FromRow = 0;
        Integer ToRow = -1;
        // Rows are real indexes (hidden rows included).
        bool RealIndex = false;
        Integer Count() const { return ToRow - FromRow + 1; }
    };
    TColumnRange ResolveColumnRange(Integer FromRow, Integer ToRow) const;
    // Adds the numbers (Numbers) or texts (Texts) of the rows of Range that
    // the column calculations take, with the export notifications; cells
    // that are no number are skipped.
    void AccumulateColumn(Integer ACol, const TColumnRange& Range, TCellTotals& Totals, bool Numbers, bool Texts);
    // Whether a column calculation takes row Row (an index of Range's kind).
    bool ColumnCalcTakesRow(Integer ACol, Integer Row, bool RealIndex);
    // The column calculation of one kind (acSUM, acAVG, acMIN, acMAX,
    // acDISTINCT, acSTDDEV; 0 for the others) over a resolved range.
    Double RangeCalc(Integer ACol, const TColumnRange& Range, TColumnCalcType Kind);
    // A row's number in the range's index space, read unguarded.
    Double ColumnNumber(Integer ACol, Integer Row, bool RealIndex);
    Double SelectionCalc(TCalcType CalcType);
    // Real columns and rows of every cell; every cell must be a number.
    Double CalcOverCells(const std::vector<Integer>& Cols, const std::vector<Integer>& Rows, TCalcType CalcType);
    // The footer calculation of one column (-1: all); only for a visible
    // footer of style fsFixedLastRow with calculation switched on.
    virtual void DoCalcFooter(Integer ACol);
    // The user's sizing, recorded by the mouse handling before the platform
    // grid changes the width or height: the column and row pressed, the
    // width and height before, and which of the two is being sized.
    Integer FClickedCol = -1;
    Integer FClickedRow = -1;
    Integer FClickedColWidth = 0;
    Integer FClickedRowHeight = 0;
    bool FColSizedByUser = false;
    bool FRowSizedByUser = false;
    // Set while a stretch runs, and cleared while the stretch sets widths.
    bool FColChanging = false;
    bool FColChangeAllowed = true;
    // Whether a column-width change has been handled since the last check.
    bool FColumnsSized = false;
    // The drop-position arrows (made by the input layer); null until then.
    virtual TWinControl* DropArrow(Integer Direction) { (void)Direction; return nullptr; }
    TColor FArrowColor = 0x00FF00;
    // The platform grid's notifications.
    void ColWidthsChanged() override;
    void RowHeightsChanged() override;
    void SizeChanged(Integer OldColCount, Integer OldRowCount) override;
    // Each side of the stretch that the notifications share.
    void HandleColWidthsChanged();
    void HandleRowHeightsChanged();
    void HandleSizeChanged(Integer OldColCount, Integer OldRowCount);
    bool FColWidthsInternal = false;
    // A press on a column or row edge that the platform grid will size
    // records the user's sizing; the release forgets an unused record.
    void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;

public:

    // ---- Cell objects ----
    // A cell holds at most one object beside its text (grid/CellGraphic.h).
    // A new object replaces and frees the cell's old one; the text stays.
    TCellGraphic* CreateCellGraphic(Integer ACol, Integer ARow);
    bool RemoveCellGraphic(Integer ACol, Integer ARow);
    bool RemoveCellGraphicOfKind(Integer ACol, Integer ARow, TCellType Kind);
    // Whether the base cell of the cell's merged area holds one of Kinds.
    bool CellTypeIn(Integer ACol, Integer ARow, std::initializer_list<TCellType> Kinds);
    TIntList* GetCellImages(Integer ACol, Integer ARow);
    // A number naming the cell's image (the index, or the identity of a
    // bitmap or icon object); -1 for other kinds.
    Integer GetCellImageIdx(Integer ACol, Integer ARow);
    bool GetImageIdx(Integer ACol, Integer ARow, Integer& Idx);
    void SetImageIdx(Integer ACol, Integer ARow, Integer Idx);
    TCustomImageList* GridImages() const { return FGridImages; }
    void SetGridImages(TCustomImageList* Value);
    TPictureContainer* PictureContainer() const { return FPictureContainer; }
    void SetPictureContainer(TPictureContainer* Value);
    // The grid's own object answered as the row check box of column 0.
    TCellGraphic* RowCheckBoxObject() const { return FRowCheckBox.get(); }
    bool IsSortIndicatorCell(Integer ACol, Integer ARow);
    bool Modified() const { return FModified; }
    void SetModified(bool Value) { FModified = Value; }

    // ---- Check boxes and radio buttons ----
    void AddCheckBox(Integer ACol, Integer ARow, bool State, bool Data);
    void AddCheckBox(Integer ACol, Integer ARow, TCheckBoxState State);
    void AddTriStateCheckBoxColumn(Integer ACol, TCheckBoxState State);
    void AddCheckBoxColumn(Integer ACol, bool DefaultState = false, bool DataCheckBox = false);
    void RemoveCheckBox(Integer ACol, Integer ARow);
    void RemoveCheckBoxColumn(Integer ACol);
    void AddRadioButton(Integer ACol, Integer ARow, bool State = false);
    void AddRadioButtonGroup(Integer ACol, Integer ARow, TRadioButtonGroup Group, bool State = false);
    void AddRadioButtonColumn(Integer ACol);
    void AddRadioButtonGroupColumn(Integer ACol);
    void RemoveRadioButton(Integer ACol, Integer ARow);
    void RemoveRadioButtonColumn(Integer ACol);
    bool HasCheckBox(Integer ACol, Integer ARow);
    bool HasDataCheckBox(Integer ACol, Integer ARow);
    bool HasDataCheckBoxColumn(Integer ACol);
    bool HasDataGraphic(Integer ACol, Integer ARow);
    bool IsControlCell(Integer ACol, Integer ARow);
    bool HasRadioButton(Integer ACol, Integer ARow);
    bool HasRadioButtonGroup(Integer ACol, Integer ARow, TRadioButtonGroup Group);
    bool IsRadioButtonChecked(Integer ACol, Integer ARow);
    Integer GetRadioButtonColumnIndex(Integer ACol);
    bool IsInCheckBox(Integer ACol, Integer ARow, Integer XPos, Integer YPos);
    static TCheckBoxState BoolToCheckBoxState(bool bChecked) { return bChecked ? cbChecked : cbUnchecked; }
    // State by real row once the grid has hidden rows; a three-state box
    // answers True exactly when it is checked.
    bool GetCheckBoxState(Integer ACol, Integer ARow, bool& State);
    bool GetCheckBoxState(Integer ACol, Integer ARow, TCheckBoxState& State);
    bool IsChecked(Integer ACol, Integer ARow);
    bool SetCheckBoxState(Integer ACol, Integer ARow, bool State);
    bool SetCheckBoxState(Integer ACol, Integer ARow, TCheckBoxState State);
    bool ApplyCheckBoxState(Integer ACol, Integer ARow, bool Value);
    void CheckAll(Integer ACol);
    void UnCheckAll(Integer ACol);
    bool ToggleCheckBox(Integer ACol, Integer ARow) { return DoToggleCheckBox(ACol, ARow, false); }
    bool ToggleRadioButton(Integer ACol, Integer ARow) { return DoToggleRadioButton(ACol, ARow, false); }
    bool CycleRadio(Integer ACol, Integer ARow, bool Click);
    bool SetRadioButtonState(Integer ACol, Integer ARow, bool State);
    void SetRadioButtonRowIndex(Integer ARow, Integer Index);
    void SetRadioButtonColumnIndex(Integer ACol, Integer Index);
    // Narrowed-down state: check-box states live in the objects only.
    bool NarrowDownActive() const { return FNarrowDownActive; }
    void SetNarrowDownActive(bool Value) { FNarrowDownActive = Value; }

    // ---- Cell decorations ----
    // One family per kind: an add operation gives the cell a new object of
    // the kind (the old one goes); a create operation also makes an empty
    // owned object (bitmap, picture, icon, item list) and hands it back for
    // the caller to fill; objects handed to an add operation stay the
    // caller's. A remove operation removes the object only when it is of its
    // kind; has-queries look at the base cell of a merged area.
    void AddBitmap(Integer ACol, Integer ARow, TBitmap* ABmp, bool Transparent, TCellHAlign hal, TCellVAlign val);
    TBitmap* CreateBitmap(Integer ACol, Integer ARow, bool Transparent, TCellHAlign hal, TCellVAlign val);
    bool HasBitmap(Integer ACol, Integer ARow) { return CellTypeIn(ACol, ARow, {ctBitmap}); }
    TBitmap* GetBitmap(Integer ACol, Integer ARow);
    void RemoveBitmap(Integer ACol, Integer ARow) { RemoveCellGraphicOfKind(ACol, ARow, ctBitmap); }
    void AddPicture(Integer ACol, Integer ARow, TPicture* APicture, bool Transparent, TStretchMode StretchMode,
                    Integer Padding, TCellHAlign hal, TCellVAlign val);
    TPicture* CreatePicture(Integer ACol, Integer ARow, bool Transparent, TStretchMode StretchMode, Integer Padding,
                            TCellHAlign hal, TCellVAlign val);
    bool HasPicture(Integer ACol, Integer ARow) { return CellTypeIn(ACol, ARow, {ctPicture}); }
    TPicture* GetPicture(Integer ACol, Integer ARow);
    void RemovePicture(Integer ACol, Integer ARow) { RemoveCellGraphicOfKind(ACol, ARow, ctPicture); }
    void AddFilePicture(Integer ACol, Integer ARow, TFilePicture* AFilePicture, bool Transparent,
                        TStretchMode StretchMode, Integer Padding, TCellHAlign hal, TCellVAlign val);
    TFilePicture* CreateFilePicture(Integer ACol, Integer ARow, bool Transparent, TStretchMode StretchMode,
                                    Integer Padding, TCellHAlign hal, TCellVAlign val);
    bool HasFilePicture(Integer ACol, Integer ARow) { return CellTypeIn(ACol, ARow, {ctFilePicture}); }
    TFilePicture* GetFilePicture(Integer ACol, Integer ARow);
    void RemoveFilePicture(Integer ACol, Integer ARow) { RemoveCellGraphicOfKind(ACol, ARow, ctFilePicture); }
    void AddIcon(Integer ACol, Integer ARow, TIcon* AIcon, TCellHAlign hal, TCellVAlign val);
    TIcon* CreateIcon(Integer ACol, Integer ARow, TCellHAlign hal, TCellVAlign val);
    void RemoveIcon(Integer ACol, Integer ARow) { RemoveCellGraphicOfKind(ACol, ARow, ctIcon); }
    // The image-list kinds need GridImages, the data picture PictureContainer:
    // without them they do nothing.
    void AddImageIdx(Integer ACol, Integer ARow, Integer Aidx, TCellHAlign hal, TCellVAlign val);
    void RemoveImageIdx(Integer ACol, Integer ARow) { RemoveCellGraphicOfKind(ACol, ARow, ctImageList); }
    // An empty cell text becomes the index.
    void AddDataImage(Integer ACol, Integer ARow, Integer Aidx, TCellHAlign hal, TCellVAlign val);
    // The cell text (the index) is emptied only when a data image went.
    void RemoveDataImage(Integer ACol, Integer ARow);
    bool HasDataImage(Integer ACol, Integer ARow);
    // An empty cell text becomes the picture's name.
    void AddDataPicture(Integer ACol, Integer ARow, const String& AName, TCellHAlign hal, TCellVAlign val);
    // The cell text (the name) is emptied only when a data picture went.
    void RemoveDataPicture(Integer ACol, Integer ARow);
    bool HasDataPicture(Integer ACol, Integer ARow);
    // Images side by side (Dir = 0) or stacked; the owned index list
    // repaints the cell when it changes.
    void AddMultiImage(Integer ACol, Integer ARow, Integer Dir, TCellHAlign hal, TCellVAlign val);
    void RemoveMultiImage(Integer ACol, Integer ARow) { RemoveCellGraphicOfKind(ACol, ARow, ctImages); }
    // Progress bars: colours in CellBitmapColor (bar) and CellIconColor
    // (background), text colours in CellIndex and CellAngle with CellBoolean
    // set, minimum and maximum in CellErrFrom / CellErrLen (0 .. 100).
    void AddProgress(Integer ACol, Integer ARow, TColor FGColor, TColor BKColor);
    void AddProgressEx(Integer ACol, Integer ARow, TColor FGColor, TColor FGTextColor, TColor BKColor,
                       TColor BKTextColor);
    // Fmt is the format of the value shown, Scale its factor (CellValue).
    void AddProgressFormatted(Integer ACol, Integer ARow, TColor FGColor, TColor FGTextColor, TColor BKColor,
                              TColor BKTextColor, const String& Fmt, Integer Min, Integer Max, Double Scale);
    bool HasProgress(Integer ACol, Integer ARow) { return CellTypeIn(ACol, ARow, {ctProgress}); }
    void RemoveProgress(Integer ACol, Integer ARow) { RemoveCellGraphicOfKind(ACol, ARow, ctProgress); }
    void AddKelProgress(Integer ACol, Integer ARow, Integer Min, Integer Max);
    void RemoveKelProgress(Integer ACol, Integer ARow) { RemoveCellGraphicOfKind(ACol, ARow, ctXPProgress); }
    // The pie's colour in CellErrFrom, its value in CellAngle.
    void AddProgressPie(Integer ACol, Integer ARow, TColor Color, Integer Value);
    void SetProgressPie(Integer ACol, Integer ARow, Integer Value);
    void RemoveProgressPie(Integer ACol, Integer ARow) { RemoveCellGraphicOfKind(ACol, ARow, ctProgressPie); }
    // Colours below and above zero in CellBitmapColor / CellIconColor.
    void AddRangeIndicator(Integer ACol, Integer ARow, Integer Range, TColor NegColor, TColor PosColor,
                           bool ShowValue);
    void RemoveRangeIndicator(Integer ACol, Integer ARow) { RemoveCellGraphicOfKind(ACol, ARow, ctRangeIndicator); }
    // Fill colour in CellIndex, line colour in CellBitmapColor.
    void AddShape(Integer ACol, Integer ARow, TCellShape Shape, TColor FillColor, TColor LineColor, TCellHAlign hal,
                  TCellVAlign val);
    bool HasShape(Integer ACol, Integer ARow) { return CellTypeIn(ACol, ARow, {ctShape}); }
    void RemoveShape(Integer ACol, Integer ARow) { RemoveCellGraphicOfKind(ACol, ARow, ctShape); }
    void SetShapeColor(Integer ACol, Integer ARow, TColor FillColor);
    // clNone for a cell without shape.
    TColor GetShapeColor(Integer ACol, Integer ARow);
    // Fill colour in CellIndex, empty colour in CellBitmapColor.
    void AddRating(Integer ACol, Integer ARow, Integer Scale, TColor FillColor, TColor EmptyColor);
    bool HasRating(Integer ACol, Integer ARow) { return CellTypeIn(ACol, ARow, {ctRating}); }
    void RemoveRating(Integer ACol, Integer ARow) { RemoveCellGraphicOfKind(ACol, ARow, ctRating); }
    // An in-cell scroll bar: page size CellAngle, range CellErrFrom,
    // position CellIndex. With AutoRange the page is the row's height and the
    // range the text's height, kept whenever the text changes.
    void AddScrollBar(Integer ACol, Integer ARow, bool AutoRange);
    bool HasScrollBar(Integer ACol, Integer ARow) { return CellTypeIn(ACol, ARow, {ctScrollbar}); }
    void RemoveScrollBar(Integer ACol, Integer ARow) { RemoveCellGraphicOfKind(ACol, ARow, ctScrollbar); }
    bool HasAutoRangeScrollBar(Integer ACol, Integer ARow);
    void SetScrollPosition(Integer ACol, Integer ARow, Integer Pos);
    // -1 without scroll bar.
    Integer GetScrollPosition(Integer ACol, Integer ARow);
    void SetScrollProp(Integer ACol, Integer ARow, TScrollProp Value);
    // (-1, -1) without scroll bar.
    TScrollProp GetScrollProp(Integer ACol, Integer ARow);
    void AddButton(Integer ACol, Integer ARow, Integer bw, Integer bh, const String& Caption, TCellHAlign hal,
                   TCellVAlign val);
    void AddBitButton(Integer ACol, Integer ARow, Integer bw, Integer bh, const String& Caption, TBitmap* Glyph,
                      TCellHAlign hal, TCellVAlign val);
    TBitmap* CreateBitButton(Integer ACol, Integer ARow, Integer bw, Integer bh, const String& Caption,
                             TCellHAlign hal, TCellVAlign val);
    bool HasButton(Integer ACol, Integer ARow) { return CellTypeIn(ACol, ARow, {ctButton, ctBitButton, ctVirtButton}); }
    void RemoveButton(Integer ACol, Integer ARow);
    void RemoveBitButton(Integer ACol, Integer ARow) { RemoveCellGraphicOfKind(ACol, ARow, ctBitButton); }
    void RemoveAllButtons();
    // By displayed column.
    void SetButtonText(Integer ACol, Integer ARow, const String& Caption);
    String GetButtonText(Integer ACol, Integer ARow);
    void PushButton(Integer ACol, Integer ARow, bool Push);
    // Expanded height in CellAngle, the row's height now in CellIndex, the
    // state in CellVar.
    void AddExpand(Integer ACol, Integer ARow, Integer ExpandedHeight);
    bool HasExpand(Integer ACol, Integer ARow) { return CellTypeIn(ACol, ARow, {ctExpand}); }
    void RemoveExpand(Integer ACol, Integer ARow) { RemoveCellGraphicOfKind(ACol, ARow, ctExpand); }
    // The new state; the caller sets the row's height from GetExpandHeight.
    bool ToggleExpand(Integer ACol, Integer ARow);
    bool GetExpandState(Integer ACol, Integer ARow);
    Integer GetExpandHeight(Integer ACol, Integer ARow, bool Expanded);
    // A radio list: items side by side when DirRadio is not 0.
    void AddRadio(Integer ACol, Integer ARow, Integer DirRadio, Integer IdxRadio, TStrings* sl);
    TStrings* CreateRadio(Integer ACol, Integer ARow, Integer DirRadio, Integer IdxRadio);
    bool IsRadio(Integer ACol, Integer ARow) { return CellTypeIn(ACol, ARow, {ctRadio}); }
    void RemoveRadio(Integer ACol, Integer ARow) { RemoveCellGraphicOfKind(ACol, ARow, ctRadio); }
    TStrings* GetRadioStrings(Integer ACol, Integer ARow);
    bool GetRadioIdx(Integer ACol, Integer ARow, Integer& IdxRadio);
    // -1 also empties the cell text.
    bool SetRadioIdx(Integer ACol, Integer ARow, Integer IdxRadio);
    void AddInterfacedCell(Integer ACol, Integer ARow, TObject* AObject);
    TObject* GetInterfacedCell(Integer ACol, Integer ARow);
    void RemoveInterfacedCell(Integer ACol, Integer ARow) { RemoveCellGraphicOfKind(ACol, ARow, ctInterface); }
    void AddRotated(Integer ACol, Integer ARow, Integer AAngle, const String& s);
    // The cell's object, of any kind (what it owned is freed), or a new one
    // becomes rotated text.
    void SetRotated(Integer ACol, Integer ARow, Integer AAngle);
    bool IsRotated(Integer ACol, Integer ARow, Integer& aAngle);
    void RemoveRotated(Integer ACol, Integer ARow) { RemoveCellGraphicOfKind(ACol, ARow, ctRotated); }
    // Balloons: a check box, icon or radio button carries one in its own
    // field (its kind's fields stay); another kind gets none; a cell without
    // object gets a ctBalloon object.
    void AddBalloon(Integer ACol, Integer ARow, const String& Title, const String& Text, TBalloonIcon Icon);
    void RemoveBalloon(Integer ACol, Integer ARow);
    // A ctBalloon object only (carried balloons do not count).
    bool HasBalloon(Integer ACol, Integer ARow) { return CellTypeIn(ACol, ARow, {ctBalloon}); }
    bool IsBalloon(Integer ACol, Integer ARow, String& Title, String& Text, TBalloonIcon& Icon);
    // Comments go into the cell's object (a ctNone object when it has none).
    void AddComment(Integer ACol, Integer ARow, const String& Comment);
    void AddColorComment(Integer ACol, Integer ARow, const String& Comment, TColor Color);
    String GetComment(Integer ACol, Integer ARow);
    void SetComment(Integer ACol, Integer ARow, const String& Value);
    String CellComment(Integer ACol, Integer ARow) { return GetComment(ACol, ARow); }
    void SetCellComment(Integer ACol, Integer ARow, const String& Value) { SetComment(ACol, ARow, Value); }
    // A picture's CellText counts as its comment.
    bool IsComment(Integer ACol, Integer ARow, String& Comment);
    void RemoveComment(Integer ACol, Integer ARow);
    void RemoveAllComments();
    // A marker (the stretch of text the painter underlines) goes into the
    // cell's object, in fields of its own (a ctEmpty object when the cell
    // has none).
    void AddMarker(Integer ACol, Integer ARow, Integer ErrPos, Integer ErrLen);
    void RemoveMarker(Integer ACol, Integer ARow);
    void RemoveAllMarkers();
    void GetMarker(Integer ACol, Integer ARow, Integer& ErrPos, Integer& ErrLen);
    // Placement for the mouse code (displayed columns): the 11 x 11 box of an
    // expand button at the cell's top right, and where the painter drew the
    // cell's object (CellValue: y << 16 | x; CellIndex: h << 16 | w). Empty
    // rectangles without such an object.
    TRect GetExpandRect(Integer ACol, Integer ARow);
    TRect GetCellGraphicRect(Integer ACol, Integer ARow);
    // The panel at the grid's bottom (made by CreateFooterPanel).
    TFooterPanel* FooterPanel() const { return FFooterPanel; }
    // Makes the painted scroll controls ScrollBars asks for, when missing.
    void CreateScrollControls();
    // Frees the painted scroll controls there are.
    void FreeScrollControls();
    TScrollControl* VScrollControl() const { return FVScrollControl; }
    TScrollControl* HScrollControl() const { return FHScrollControl; }

private:
    TFooterPanel* FFooterPanel = nullptr;
    TScrollControl* FVScrollControl = nullptr;
    TScrollControl* FHScrollControl = nullptr;
    // The cell's object, or a new one of Kind when it has none.
    TCellGraphic* ObjectOrNew(Integer ACol, Integer ARow, TCellType Kind);
    // The base cell's object when it is of Kind.
    TCellGraphic* BaseObjectOf(Integer ACol, Integer ARow, TCellType Kind);
    // Removes an object of Kind and empties the text only when it did.
    void RemoveDataKind(Integer ACol, Integer ARow, TCellType Kind);

public:

    // ---- Cell accessors ----
    // Per-cell settings (real column, displayed row); readers answer the
    // default without creating a record (WordWraps creates one).
    TColor Colors(Integer ACol, Integer ARow) const;
    void SetColors(Integer ACol, Integer ARow, TColor Value);
    TColor ColorsTo(Integer ACol, Integer ARow) const;
    void SetColorsTo(Integer ACol, Integer ARow, TColor Value);
    TColor FontColors(Integer ACol, Integer ARow) const;
    void SetFontColors(Integer ACol, Integer ARow, TColor Value);
    TFontStyles FontStyles(Integer ACol, Integer ARow) const;
    void SetFontStyles(Integer ACol, Integer ARow, TFontStyles Value);
    String FontNames(Integer ACol, Integer ARow) const;
    void SetFontNames(Integer ACol, Integer ARow, const String& Value);
    // Points, by the DPI scale.
    Integer FontSizes(Integer ACol, Integer ARow) const;
    void SetFontSizes(Integer ACol, Integer ARow, Integer Value);
    void SetCellFont(Integer ACol, Integer ARow, const TFont* Value);
    TAlignment Alignments(Integer ACol, Integer ARow) const;
    void SetAlignments(Integer ACol, Integer ARow, TAlignment Value);
    bool ReadOnly(Integer ACol, Integer ARow) const;
    void SetReadOnly(Integer ACol, Integer ARow, bool Value);
    bool WordWraps(Integer ACol, Integer ARow);
    void SetWordWraps(Integer ACol, Integer ARow, bool Value);
    // Row-wide colours; clNone resets only that colour.
    void SetRowColor(Integer ARow, TColor Value);
    void SetRowColorTo(Integer ARow, TColor Value);
    void SetRowFontColor(Integer ARow, TColor Value);
    String AllGridCells(Integer ACol, Integer ARow);
    void SetAllGridCells(Integer ACol, Integer ARow, const String& Value);
    // By displayed column.
    String RealCells(Integer ACol, Integer ARow);
    void SetRealCells(Integer ACol, Integer ARow, const String& Value);
    // By real column: a hidden column's remembered width.
    Integer AllColWidths(Integer ACol) const;
    void SetAllColWidths(Integer ACol, Integer Value);
    // The grid's rich edit for conversions, made on first use.
    TRichEdit* RichEdit();
    void CellToRich(Integer ACol, Integer ARow, TCustomRichEdit* Richeditor);
    void RichToCell(Integer ACol, Integer ARow, TCustomRichEdit* Richeditor);
    String RichToString(TCustomRichEdit* Richeditor);
    // Rich text gives its plain text, markup its text without tags.
    String GetStrippedCell(Integer ACol, Integer ARow);
    bool HasHyperlink(Integer ACol, Integer ARow);
    // The first address in the cell, in its own case.
    String GetHyperlink(Integer ACol, Integer ARow);
    bool GetHyperlinkDetails(Integer ACol, Integer ARow, String& URL, String& Text);
    // Objects by real row: a hidden row's stored record's user object.
    TObject* AllObjects(Integer ACol, Integer ARow);
    void SetAllObjects(Integer ACol, Integer ARow, TObject* Value);
    // By a column's initial index, before any column moves.
    String OriginalCells(Integer ACol, Integer ARow);
    void SetOriginalCells(Integer ACol, Integer ARow, const String& Value);
    // By a row's position before the last sort.
    String UnSortedCells(Integer ACol, Integer ARow);
    void SetUnSortedCells(Integer ACol, Integer ARow, const String& Value);
    // The row now at a position before the sort (the sort's cross-reference
    // count when the reference holds it nowhere).
    Integer UnSortedRowIndex(Integer ARow) const;
    // The CR-separated lines of the cell's text.
    Integer LinesInCell(Integer ACol, Integer ARow);
    TCellGradientDirection Gradients(Integer ACol, Integer ARow) const;
    void SetGradients(Integer ACol, Integer ARow, TCellGradientDirection Value);
    // A control placed in a cell (real column, displayed row): parented to
    // the grid and laid over the cell; nil takes it out again.
    TControl* CellControls(Integer ACol, Integer ARow) const;
    void SetCellControls(Integer ACol, Integer ARow, TControl* AControl);
    Integer NumCellControls() const { return FNumCellControls; }
    // The current cell is the base cell of the merged area at (RealCol, Row).
    String CurrentCell() { return ReadCurrentCell(); }
    void SetCurrentCell(const String& Value) { WriteCurrentCell(Value); }
    // Repaints the header cells of two cells (the old and the new current
    // cell).
    void RepaintActiveHeaders(Integer ACol1, Integer ARow1, Integer ACol2, Integer ARow2);
    // The wheel-pan glyph, drawn at the pan position: arrows for IntelliPan
    // (up and down, left and right, or all four), 32 x 32 on white; ipNone
    // gives an empty bitmap.
    static std::unique_ptr<TBitmap> PanGlyph(TIntelliPan Mode);
    TPoint PanPosition() const { return FPanPosition; }
    void SetPanPosition(TPoint Value) { FPanPosition = Value; }
    void DrawPanGlyph();
    void ErasePanGlyph();
    // Sizing of fixed cells may be refused per column or row.
    TColumnSizeEvent OnColumnSize;
    TRowSizeEvent OnRowSize;

    // The platform grid's edit-text path: covered cells edit their base
    // cell, columns are displayed ones; the text is read without markup
    // unless EditWithTags is on.
    String GetEditText(Integer ACol, Integer ARow) override;
    void SetEditText(Integer ACol, Integer ARow, const String& Value) override;

protected:
    void CalcSizingState(Integer X, Integer Y, TGridState& State, Integer& Index, Integer& SizingPos,
                         Integer& SizingOfs) override;
    virtual void DoRowSize(Integer ARow, bool& Allow);

private:
    Integer FNumCellControls = 0;
    TPoint FPanPosition{0, 0};

public:

    // ---- Auto-size, numbering, swaps ----
    // The row exchange of the sort (SortSwapRows) counts its calls here and
    // carries SortRow along; neither is reset by the exchange.
    Integer Swaps() const { return FSwaps; }
    Integer SortRow() const { return FSortRow; }
    void SetSortRow(Integer Value) { FSortRow = Value; }
    // Per row position, the row's index before the sort (the sort fills it).
    TIntList* SortRowXRef() const { return FSortRowXRef.get(); }

private:
    Integer FSwaps = 0;
    Integer FSortRow = -1;
    // Exchanges two entries of a flag list, growing it with Fill.
    static void SwapListEntries(TIntList* List, Integer A, Integer B, Integer Fill);

public:
    // Settings read by the sizing and numbering operations. Automatic widths
    // and heights are held within the Min/Max limits (ApplyMinMaxSize);
    // SizeGrowOnly never lets column sizing or content sizing of rows shrink
    // a column or a row.
    bool SizeGrowOnly() const { return FSizeGrowOnly; }
    void SetSizeGrowOnly(bool Value) { FSizeGrowOnly = Value; }
    Integer MinColWidth() const { return FMinColWidth; }
    void SetMinColWidth(Integer Value) { FMinColWidth = Value; }
    Integer MaxColWidth() const { return FMaxColWidth; }
    void SetMaxColWidth(Integer Value) { FMaxColWidth = Value; }
    Integer MinRowHeight() const { return FMinRowHeight; }
    void SetMinRowHeight(Integer Value) { FMinRowHeight = Value; }
    Integer MaxRowHeight() const { return FMaxRowHeight; }
    void SetMaxRowHeight(Integer Value) { FMaxRowHeight = Value; }
    // The text padding counts once (top and left only) instead of twice.
    bool XYOffsetTopLeftOnly() const { return FXYOffsetTopLeftOnly; }
    void SetXYOffsetTopLeftOnly(bool Value) { FXYOffsetTopLeftOnly = Value; }
    // Numbering leaves out AutoNumberStart leading cells, adds
    // AutoNumberOffset to every number and with sdDescending counts down.
    Integer AutoNumberStart() const { return FAutoNumberStart; }
    void SetAutoNumberStart(Integer Value) { FAutoNumberStart = Value; }
    Integer AutoNumberOffset() const { return FAutoNumberOffset; }
    void SetAutoNumberOffset(Integer Value) { FAutoNumberOffset = Value; }
    TSortDirection AutoNumberDirection() const { return FAutoNumberDirection; }
    void SetAutoNumberDirection(TSortDirection Value) { FAutoNumberDirection = Value; }
    // SelectedText quotes a multi-line cell as a spreadsheet does.
    bool ExcelClipboardFormat() const { return FExcelClipboardFormat; }
    void SetExcelClipboardFormat(bool Value) { FExcelClipboardFormat = Value; }

    // Every column and row grows to its largest cell (rows never shrink);
    // runs inside the update lock.
    void AutoSizeCells(bool DoFixedCells, Integer PaddingX, Integer PaddingY);
    // Each column (fixed ones only with DoFixedCols) sized to its content,
    // then widened by Padding; the Grow forms never shrink a column.
    void AutoSizeColumns(bool DoFixedCols, Integer Padding);
    void AutoGrowColumns(bool DoFixedCols, Integer Padding);
    void AutoSizeCol(Integer ACol, Integer Padding);
    void AutoGrowCol(Integer ACol, Integer Padding);
    // Rows by content with word wrap, else by their line count; progress
    // goes to ExportNotification.
    void AutoSizeRows(bool DoFixedRows, Integer Padding);
    void AutoSizeRow(Integer ARow, Integer Padding);
    // Scales the columns to fill the control's width.
    void AutoFitColumns(bool DoFixedCells);
    // The client width (height) becomes the sum of the column widths (row
    // heights); SizeToCells does both with the scroll bars off meanwhile.
    void SizeToCols();
    void SizeToRows();
    void SizeToCells();
    // Numbers the normal cells of a column (row) through Ints.
    void AutoNumberCol(Integer ACol);
    void AutoNumberRow(Integer ARow);
    // Exchange two displayed columns (cells with their objects, widths, the
    // sort column, cell controls) or two rows (cells of every column,
    // heights, cell controls; row flags stay).
    void SwapColumns(Integer ACol1, Integer ACol2);
    void SwapRows(Integer ARow1, Integer ARow2);
    // The disjunct cells of the rectangle, the current cell, or the
    // selection rectangle.
    void SelectCells(Integer FromCol, Integer FromRow, Integer ToCol, Integer ToRow);
    // Cells joined by TAB, rows by CR LF.
    String SelectedText();
    bool IsSelected(Integer ACol, Integer ARow);
    // One column's width from its widest measured cell (ColumnSize.Rows
    // picks the rows), one row's height from its highest cell, and a row's
    // height from a number of text lines.
    void SizeColumnToContent(Integer ACol, bool GrowOnly);
    void SizeRowToContent(Integer ARow, bool GrowOnly, Integer HeightReserve);
    void SizeRowToLines(Integer ARow, Integer Lines, Integer Padding);

private:
    // The canvas takes the cell's font and colours as for painting.
    void SetUpMeasuredCell(Integer ACol, Integer ARow, bool IsFixed);
    // Two rows change places in the row store, with their heights.
    void ExchangeStoreRows(Integer ARow1, Integer ARow2);
    // Cell controls of column (row) A move to B and the other way round.
    void ExchangeControls(bool Columns, Integer A, Integer B);
    bool FSizeGrowOnly = false;
    Integer FMinColWidth = 0;
    Integer FMaxColWidth = 0;
    Integer FMinRowHeight = 0;
    Integer FMaxRowHeight = 0;
    bool FXYOffsetTopLeftOnly = false;
    Integer FAutoNumberStart = 0;
    Integer FAutoNumberOffset = 0;
    TSortDirection FAutoNumberDirection = sdAscending;
    bool FExcelClipboardFormat = false;

public:

    TCheckBoxCanToggleEvent OnCheckBoxCanToggle;
    TCheckBoxClickEvent OnCheckBoxChange;
    TRatingChangeEvent OnRatingChange;
    TColorSelectEvent OnColorSelect;
    TImageSelectEvent OnImageSelect;
    TCanAddRowEvent OnCanAddRow;
    TCanAddColEvent OnCanAddCol;
    TCanInsertRowEvent OnCanInsertRow;
    TProgressColorEvent OnProgressColor;

protected:
    // ---- Cell objects: protected part ----
    // The row selection the row check box shows.
    bool RowCheckSelected(Integer ARow) { return RowSelect(ARow); }
    void SetRowCheckSelected(Integer ARow, bool Value) { SetRowSelect(ARow, Value); }
    // The cell's object found for a state operation (real row with hidden rows).
    TCellGraphic* StateObject(Integer ACol, Integer ARow);
    String StateText(Integer ACol, Integer ARow);
    void SetStateText(Integer ACol, Integer ARow, const String& Value);
    void CheckCellInGrid(Integer ACol, Integer ARow);
    TCellVAlign NewControlVAlign() const;
    Integer StartRowOfColumnOps() const;
    TPoint TextSizeOf(TCanvas* ACanvas, const String& Text) const;

private:
    std::unique_ptr<TCellGraphic> FRowCheckBox;
    TCustomImageList* FGridImages = nullptr;
    TPictureContainer* FPictureContainer = nullptr;
    bool FModified = false;
    bool FNarrowDownActive = false;
    // The hidden-row entry of a real row, null for a displayed row.
    TGridItem* HiddenEntryOf(Integer RealRow) const;
    void CellSettingChanged(Integer ACol, Integer ARow);
    void ApplyRowColor(Integer ARow, TColor Value, Integer Which);
    Integer CanvasPixelsPerInch() const;
    TRichEdit* FRichEdit = nullptr;

public:

    // ---- Sorting ----
    // A sort reorders the normal rows (below the fixed rows, above the
    // fixed footers and a visible floating footer; hidden rows stay where
    // they are). It reads each compared cell once into a key, orders the
    // rows by a stable merge sort of those keys, giving the order
    // CompareCells gives (rows that compare equal keep their order), and
    // then moves the rows as one permutation, with the sort cross-reference,
    // enabled and modified flags, heights, the disjunct row selection (with
    // Navigation MoveRowOnSort) and SortRow following. The row count never
    // changes, and whatever the compare events answer the sort ends and
    // keeps every row. An exception from an event leaves the rows unchanged.
    //
    // The column is the sort settings' Column, the direction theirs; with
    // Full, rows equal in it are ordered by the next columns up to the last
    // (hidden columns included). Nothing when Column is negative.
    // SortIndexes is cleared.
    // (QSort, QSortIndexed, QSortGroup, QSortGroupIndexed and QUnSort are
    // declared with the public virtual operations; QUnSort does nothing
    // while the grid has nodes.)
    // Column (through the settings' setter) and direction, QSort, and the
    // cell controls placed again.
    void Sort(Integer Column, TSortDirection Direction);
    // With more than one row: Column := Col and QSort.
    void SortByColumn(Integer Col);
    // Sorts rows Left .. Right only (kept within the grid's rows), on Col
    // (then the next columns with Full) or on SortIndexes, in the settings'
    // direction, without the current-row handling and cross-reference start
    // of QSort. QuickSortIndexed does nothing when SortIndexes is empty.
    void QuickSort(Integer Col, Integer Left, Integer Right);
    void QuickSortIndexed(Integer Left, Integer Right);
    // Compares two rows from column Col on (column by column while equal)
    // in the direction of the last sort; when ARow1 belongs after ARow2 the
    // two rows are exchanged (SortSwapRows) and the answer is True.
    bool SortLine(Integer Col, Integer ARow1, Integer ARow2);
    // The cross-reference becomes 0 .. RowCount - 1: the order QUnSort
    // restores. A sort starts it when the row count changed.
    void InitSortXRef();
    // (SortRowXRef, SortRow and Swaps: with the row exchange.)
    // From the displayed texts of the first two normal rows.
    TColumnType ColumnType(Integer Col);
    // Cell comparisons counted over the grid's life; a sort's row moves
    // count in Swaps.
    Integer Compares() const { return FCompares; }
    // 1 when the last sort ran ascending, -1 descending.
    Integer SortDir() const { return FSortDir; }
    // Milliseconds of the last sort a header click started.
    Integer SortTime() const { return FSortTime; }
    void SetSortTime(Integer Value) { FSortTime = Value; }
    // ssCustom: the handler sets Res (negative, 0, positive) for two texts.
    TCustomCompareEvent OnCustomCompare;
    // ssRaw: the handler sets Res for two displayed rows of a column.
    TRawCompareEvent OnRawCompare;
    // The sort settings reach the grid through these.
    Integer SortFixedRows() const override { return FixedRows(); }
    TSortIndexList* SortIndexList() override { return FSortIndexes.get(); }
    void SortOnColumn() override { QSort(); }
    void SortOnIndexes() override { QSortIndexed(); }

protected:
    // -1, 0 or 1: whether cell (ACol, ARow1) sorts before, with or after
    // (ACol, ARow2); Direction places blanks with IgnoreBlanks.
    Integer CompareCells(Integer ACol, Integer ARow1, TSortDirection Direction, Integer ARow2);
    // The comparison plan of a column: its style after the format event.
    TSortColumn SortColumnOf(Integer ACol);
    void ReadSortKey(const TSortColumn& Column, Integer ARow, TSortKey& Key);
    Integer CompareSortKeys(const TSortColumn& Column, const TSortKey& Key1, const TSortKey& Key2,
                            TSortDirection Direction);
    // The new order of rows First .. Last (entry i: the offset of the row
    // that goes to First + i) on the columns of Plan: with Indexed each
    // column in its own direction, else all in Direction (SortDirValue 1 or
    // -1); with Full later columns break ties.
    std::vector<Integer> SortOrder(Integer First, Integer Last, std::vector<TSortColumn> Plan, bool Indexed,
                                   TSortDirection Direction, Integer SortDirValue);
    // Moves rows First .. First + Order.size() - 1 by Order with what
    // follows them; with SingleColumn only the sort column's cells move.
    void ApplyRowOrder(Integer First, const std::vector<Integer>& Order);
    // The plans of the single-column and the indexed sort.
    std::vector<TSortColumn> ColumnSortPlan(Integer Col);
    std::vector<TSortColumn> IndexedSortPlan();
    // The rows a sort reorders: FixedRows .. SortLastRow().
    Integer SortLastRow() const;
    // Sorts FixedRows .. SortLastRow() with QSort's current-row handling.
    void SortNormalRows(bool Indexed);
    // The group sorts: the child rows of every expanded node of the
    // deepest node level (when it has more than one) are sorted on their
    // own, on the sort column or on SortIndexes; node rows and groups of
    // other levels keep their places. Nothing without a sort column (an
    // empty SortIndexes).
    void SortGroups(bool Indexed);

private:
    Integer FCompares = 0;
    Integer FSortDir = 1;
    Integer FSortTime = 0;

public:
    // ---- Tree nodes and grouping ----
    // A node is a ctNode cell object in cell (NodeColumn, node row): its
    // CellBoolean is True while contracted, CellIndex is the span (the rows
    // it covers, its own row included; 0 or less: up to the next node row),
    // CellErrFrom the count of child rows added by InsertChildRow, CellAngle
    // the row it was made on. Each node adds 1 to the NodeLevel of the
    // node-column records of its span. Contracting hides the children (with
    // FilterType ftSuppress it suppresses them instead).
    // The operations that change a node or the tree take real rows; the
    // queries (and RemoveNormalRow) take displayed rows.
    void AddNode(Integer ARow, Integer Span);
    void RemoveNode(Integer ARow);
    void RemoveAllNodes();
    Integer NumNodes() const { return FNodeCount; }
    bool GetNodeState(Integer ARow);
    void SetNodeState(Integer ARow, bool Value);
    bool NodeState(Integer ARow) { return GetNodeState(ARow); }
    Integer GetNodeLevel(Integer ARow);
    Integer GetNodeSpan(Integer ARow);
    void SetNodeSpan(Integer ARow, Integer Span);
    void UpdateNodeSpan(Integer ARow, Integer Delta);
    void UpdateSubNodeCount(Integer ARow, Integer Delta);
    Integer GetSubNodeCount(Integer ARow);
    // With CellNode.ExpandOne every other expanded node is contracted first.
    void ExpandNode(Integer ARow);
    void ContractNode(Integer ARow);
    void ToggleNode(Integer ARow);
    // Every hidden row comes back in real order and the grid is left
    // unfiltered (FilterActive off, no filter levels; the Filter conditions
    // stay); every node is marked expanded.
    void ExpandAll();
    void ContractAll();
    // The node whose span covers the row; -1 for none and for a top-level
    // node row.
    Integer GetParentRow(Integer ARow);
    // 0 for a node row, 2 when the next row continues the span, else 1.
    Integer GetNodeSpanType(Integer ARow);
    void InsertNormalRow(Integer ARow);
    void RemoveNormalRow(Integer ARow);
    // Inserts a row under the row's node (the row itself when it is one) at
    // ARow + InsertAt; spans and sub-node counts of the node and its
    // ancestors grow by one.
    void InsertChildRow(Integer ARow, Integer InsertAt);
    void RemoveChildRow(Integer ARow);
    // Suppressed rows get their height back unless a contracted node holds
    // them.
    void UnSuppressAllOpenRows();
    // Whether client x position X in the node column hits the row's button.
    bool IsInNodeButton(Integer ARow, Integer X);
    // -1 ungroups, a value above 0 groups on that column, 0 does nothing.
    void SetGroupColumn(Integer Value);
    // One result per expanded group into its header row, or into its
    // summary row with Grouping.Summary: 1 sum, 2 average, 3 minimum,
    // 4 maximum, 5 count, 6 custom (OnGroupCalc), 7 distinct texts,
    // 8 standard deviation.
    void GroupCalc(Integer ColIndex, Integer Method);
    void GroupSum(Integer ColIndex);
    void GroupAvg(Integer ColIndex);
    void GroupMin(Integer ColIndex);
    void GroupMax(Integer ColIndex);
    void GroupCount(Integer ColIndex);
    void GroupCustomCalc(Integer ColIndex) { GroupCalc(ColIndex, 6); }
    void GroupDistinct(Integer ColIndex) { GroupCalc(ColIndex, 7); }
    void GroupStdDev(Integer ColIndex) { GroupCalc(ColIndex, 8); }
    // The custom group calculation over displayed rows: Res of OnGroupCalc,
    // 0 when it is not assigned.
    virtual Double GroupCustomCalc(Integer ACol, Integer FromRow, Integer ToRow);
    TGroupCalcEvent OnGroupCalc;

protected:
    // ---- Tree nodes and grouping: state ----
    // The node object of a displayed row, null for other rows.
    TCellGraphic* NodeObject(Integer ARow) const;
    // Gives cell (0, row) a new ctSummary object (real row).
    void MarkSummaryRow(Integer ARow);
    // Shows a contracted node's children (real row), without ExpandOne.
    void ExpandNodeRows(Integer ARow);
    // The displayed row after a node's span (span 0: the next node row).
    Integer NodeSpanEnd(Integer ARow);
    // Adds Delta to the node-column level of the real rows From .. To
    // (hidden rows' parked records too); Absolute sets it to Delta.
    void ShiftNodeLevels(Integer FromRow, Integer ToRow, Integer Delta, bool Absolute = false);
    void SetNodeCollapsed(Integer ARow, bool Value);
    // The numbers of a column's group rows (displayed), grouped-grid rules.
    std::vector<Double> GroupValues(Integer ACol, Integer FromRow, Integer ToRow);
    void ApplyGroupColors(Integer ARow, bool Header);
    // Merges a header or summary row from FromCol to the last column, in
    // the row's colours.
    void MergeGroupRow(Integer ARow, Integer FromCol, bool Header);
    void ResetGroupColors(Integer ARow, bool Header);
    void SetFooterCalc(Integer ACol, TColumnCalcType Calc);
    // Raised while grouping takes rows out: the removal does not consult
    // OnRowChanging.
    bool FIsGrouping = false;
    Integer FGroupWidth = 0;
    String FGroupCaption;
    String FGroupFooter;

public:

    // ---- Listeners and per-cell services ----
    Integer FilteredRows();
    TFont* GetCellFont(Integer ACol, Integer ARow);
    virtual String ExportCell(Integer ACol, Integer ARow);
    virtual void ExportNotification(Integer AState, Integer ARow) { (void)AState, (void)ARow; }
    virtual void ImportNotification(Integer AState, Integer ARow) { (void)AState, (void)ARow; }
    void RegisterSelListener(ITZirOvararIzazSelect* AListener) { FSelListener = AListener; }
    void UnRegisterSelListener(ITZirOvararIzazSelect*) { FSelListener = nullptr; }
    ITZirOvararIzazSelect* SelListener() const { return FSelListener; }
    void RegisterNotifier(TGridChangeNotifier* Item);
    void UnRegisterNotifier(TGridChangeNotifier* Item);
    const std::vector<TGridChangeNotifier*>& Notifiers() const { return FNotifiers; }
    bool DoAutoEditFilter = false;

    // ---- Filtering ----
    // Filter holds the conditions; ApplyFilter tests every normal row with
    // MatchFilter and hides (FilterType ftHide: one new row-list level) or
    // suppresses (ftSuppress) the rows that fail. Levels stack: each
    // application narrows what the ones before left, RemoveLastFilter
    // takes the newest off.
    using TCustomFilterEvent = std::function<void(TObject* Sender, Integer ARow, bool& AcceptRow)>;
    using TFilterProgressEvent = std::function<void(TObject* Sender, int16_t Progress)>;
    // Hides (suppresses) the displayed row when it fails; True then.
    bool FilterRow(Integer ARow);
    void ApplyFilter();
    bool FilterActive() const { return FFilterActive; }
    // True applies Filter as one level, False takes the newest level off.
    void SetFilterActive(bool Value);
    // True when more than one level remains.
    bool RemoveLastFilter();
    void RemoveAllFilters();
    // The incremental search filter: each call filters on ACondition
    // anywhere in the column (AColumn -1: anywhere in the row, any case).
    // A text one character longer narrows the rows left, one shorter takes
    // the newest level off, an empty text removes what narrowing added and
    // nothing else.
    void NarrowDown(const String& ACondition, Integer AColumn = -1) { NarrowDown(ACondition, TNarrowDownOptions{}, AColumn); }
    void NarrowDown(const String& ACondition, bool DoRemoveAccented, Integer AColumn);
    void NarrowDown(const String& ACondition, TNarrowDownOptions AOptions, Integer AColumn);
    bool NarrowDownFromStart() const { return FNarrowDownFromStart; }
    void SetNarrowDownFromStart(bool Value) { FNarrowDownFromStart = Value; }
    const String& LastNarrowDown() const { return FLastNarrowDown; }
    // The conditions as an INI file: section FILTER with COUNT, then one
    // section ITEM<i> per condition (every field but Data). Loading replaces
    // the conditions without applying them. Neither raises: a file that
    // cannot be written or read leaves what was done so far.
    void SaveFilter(const String& FileName);
    void LoadFilter(const String& FileName);
    TCustomFilterEvent OnCustomFilter;
    TFilterProgressEvent OnFilterProgress;

private:
    struct TPreparedFilter;
    // The value a condition tests in a displayed row, and the condition's
    // outcome on it.
    String FilterValue(const TFilterData* Item, Integer ARow, String& Prefix, String& Suffix, String& Separator);
    // Takes off the levels the current narrowing added.
    void RemoveNarrowDownLevels();
    bool FFilterActive = false;
    bool FNarrowDownFromStart = false;
    String FLastNarrowDown;
    // The level count when the current narrowing began.
    Integer FNarrowDownBase = 0;
    // The fixed rows to give back when a level comes off (-1: none kept).
    Integer FFilterFixedRows = -1;
    // The conditions prepared for the application under way.
    const TPreparedFilter* FPreparedFilter = nullptr;

public:

    // ---- Cell text tools and search ----
    // Highlighting ("hi") and marking ("e") of a search text inside texts and
    // cells. A cell's displayed text (OnGetDisplText) is the one highlighted;
    // FullText wraps only a cell whose whole text matches.
    String HilightText(bool DoCase, const String& S, const String& Text);
    String MarkText(bool DoCase, const String& S, const String& Text);
    String UnHilightText(const String& S);
    String UnMarkText(const String& S);
    void HilightInCell(bool DoCase, Integer Col, Integer Row, const String& HiText, bool FullText);
    void HilightInCol(bool DoFixed, bool DoCase, Integer Col, const String& HiText, bool FullText);
    void HilightInRow(bool DoFixed, bool DoCase, Integer Row, const String& HiText, bool FullText);
    void HilightInGrid(bool DoFixed, bool DoCase, const String& HiText, bool FullText);
    void MarkInCell(bool DoCase, Integer Col, Integer Row, const String& HiText);
    void MarkInCol(bool DoFixed, bool DoCase, Integer Col, const String& HiText);
    void MarkInRow(bool DoFixed, bool DoCase, Integer Row, const String& HiText);
    void MarkInGrid(bool DoFixed, bool DoCase, const String& HiText);
    void UnHilightInCell(Integer Col, Integer Row);
    void UnHilightInCol(bool DoFixed, Integer Col);
    void UnHilightInRow(bool DoFixed, Integer Row);
    void UnHilightInGrid(bool DoFixed);
    void UnMarkInCell(Integer Col, Integer Row);
    void UnMarkInCol(bool DoFixed, Integer Col);
    void UnMarkInRow(bool DoFixed, Integer Row);
    void UnMarkInGrid(bool DoFixed);
    // The cell checker (a referenced component, forgotten when it goes).
    TZirOvararIzazCheck* CellChecker() const { return FCellChecker; }
    void SetCellChecker(TZirOvararIzazCheck* Value);
    bool CheckCell(Integer Col, Integer Row);
    bool CheckCells(Integer FromCol, Integer FromRow, Integer ToCol, Integer ToRow);
    bool CheckCol(bool DoFixed, Integer Col);
    bool CheckRow(bool DoFixed, Integer Row);
    bool CheckGrid(bool DoFixed);
    // Fills of the normal area (every cell with DoFixed), hidden columns left
    // alone. FormatFill formats with the column and the row as two integers;
    // a format that needs another type raises EConvertError and fills nothing.
    void TextFill(bool DoFixed, const String& Txt);
    void FormatFill(bool DoFixed, const String& Fmt);
    void RandomFill(bool DoFixed, Integer Rnd);
    void LinearFill(bool DoFixed);
    // Header texts go to row 0 and column 0; a backslash followed by n
    // becomes a carriage return.
    void SetColumnHeaders(const TStrings* Value);
    void SetRowHeaders(const TStrings* Value);
    void ShowColumnHeaders();
    void ShowRowHeaders();
    void ClearColumnHeaders();
    void ClearRowHeaders();
    void SetLookupItems(const TStrings* Value);
    // Per-cell properties over a rectangle; Right below Left is empty.
    void SetFontStyle(const TGridRect& GridRect, TFontStyle AStyle, bool DoSet);
    void SetCellColor(const TGridRect& GridRect, TColor AColor);
    void SetCellTextColor(const TGridRect& GridRect, TColor AColor);
    void SetCellFontName(const TGridRect& GridRect, const String& AFontName);
    void SetCellFontSize(const TGridRect& GridRect, Integer AFontSize);
    void SetAlignment(const TGridRect& GridRect, TAlignment AAlignment);
    bool IsFontStyle(const TGridRect& GridRect, TFontStyle AStyle);
    bool IsAlignment(const TGridRect& GridRect, TAlignment AAlignment);
    // "major.minor.release.build"; writing does nothing.
    String Version();
    void SetVersion(const String&) {}
    // The last print layout's column widths and offsets; 0 before any layout.
    // Outside 0 .. AllColCount - 1: EKelGridError "Columns is not in valid range".
    Integer PrintColWidth(Integer ACol) const;
    Integer PrintColOffset(Integer ACol) const;
    // Columns whose equal neighbours stay merged; a change splits and merges again.
    TIntList* MergedColumns() const { return FMergedColumns.get(); }
    void SplitMergedColumns();
    void RemergeColumns();
    bool MustSkip(Integer ACol, Integer ARow);

    // Text search: the next matching cell after StartCell ((-1, -1): from
    // the start), (-1, -1) when none. The search text is prepared once per
    // search (case, accents) and kept for FindNext.
    TPoint Find(TPoint StartCell, const String& S, TFindParams FindParams);
    TPoint FindWide(TPoint StartCell, const String& S, TFindParams FindParams);
    TPoint FindFirst(const String& S, TFindParams FindParams);
    TPoint FindNext();
    TPoint FindAll(const String& S, TFindParams FindParams, Integer& NumResults);
    // Replaces in the stored texts of the matching cells, with case when
    // fnMatchCase is set; answers the number of cells written.
    Integer Replace(const String& OrigStr, const String& NewStr, TFindParams FindParams);
    Integer FindCol = 0;
    Integer FindRow = 0;
    // The quick search of the sort column: the first normal row whose text
    // (without markup, upper-cased) starts with S, which the caller gives in
    // upper case; -1 when none.
    Integer Search(const String& S);
    // The first normal row where every column Columns[i] passes condition i
    // (Conditions[i] compared as SearchTypes[i], with case when
    // CaseSensitive[i]); -1 when none. The arrays must be of one length,
    // else EKelGridError "Array size of parameters not matching".
    // FindMultiNext goes on from the row after the last one found.
    Integer FindMulti(const std::vector<String>& Conditions, const std::vector<Integer>& Columns,
                      const std::vector<TMultiSearchType>& SearchTypes, const std::vector<bool>& CaseSensitive,
                      bool IgnoreHTML, bool AutoGoto);
    Integer FindMultiNext();

    // The search footer's panel (made with the grid, placed by
    // UpdateSearchPanel) and its events.
    TSearchPanel* SearchPanel() const { return FSearchPanel; }
    TSearchEditChangeEvent OnSearchEditChange;
    TNotifyEvent OnSearchFooterClose;
    TNotifyEvent OnCreatedSearchFooter;
    // The search footer's handlers, bound to the panel's controls (the
    // in-place editor's keys call the previous, next and highlight ones).
    void SearchFooterEditChanged(TObject* Sender);
    void SearchFooterFindPrevious(TObject* Sender);
    void SearchFooterFindNext(TObject* Sender);
    void SearchFooterClose(TObject* Sender);
    void SearchFooterHighlightChanged(TObject* Sender);
    void SearchFooterMatchCaseChanged(TObject* Sender);
    // Called by the panel once its window exists: the footer's settings are
    // copied into it, then OnCreatedSearchFooter fires.
    void SearchPanelCreated();
    // Called by the panel when its size changed: the settings and the
    // layout are applied again.
    void SearchPanelResized();

protected:
    // Filled by printing and preview.
    std::vector<Integer> FPrintColWidths, FPrintColOffsets;
    // Copies the SearchFooter settings into the search panel (visibility,
    // colours, captions, hints, font, button looks, which controls show) and
    // lays it out; bound to the footer's change notification. Not while
    // loading.
    virtual void ApplySearchFooterSettings(TObject* Sender);
    void SearchFooterBackward(bool Wrapped);
    void SearchFooterForward(bool Wrapped);

private:
    void HilightCells(const TGridRect& R, const String& Tag, const String& HiText, bool DoCase, bool FullText);
    void UnHilightCells(const TGridRect& R, const String& Tag);
    TGridRect TextToolArea(bool DoFixed, bool AddHidden) const;
    TPoint FindCell(TPoint StartCell, const String& S, TFindParams FindParams, bool Wide);
    bool MatchFindCell(Integer ACol, Integer ARow, bool Wide);
    void FindGotoFound(Integer ACol, Integer ARow, TFindParams FindParams);
    void FindScrollAdjust();
    Integer NodeRowOfRealRow(Integer ARow);
    static String BuildMultiCondition(const String& Text, TMultiSearchType SearchType);
    bool MatchMultiRow(Integer ARow);
    Integer FindMultiFrom(Integer FromRow, bool AutoGoto);
    String FFindText;
    TFindParams FFindParams;
    TPoint FLastFound{-1, -1};
    std::vector<String> FMultiConditions;
    std::vector<Integer> FMultiColumns;
    std::vector<bool> FMultiCase;
    bool FMultiIgnoreHTML = false;
    bool FMultiAutoGoto = false;
    void CreateSearchPanel();
    // The window-creation step: the panel goes into the grid, shown while
    // the footer is visible.
    void ParentSearchPanel();
    void LayoutSearchFooterControls();
    bool FApplyingSearchFooter = false;
    void SearchFooterStep(bool Back, bool Wrapped);
    TFindParams SearchFooterParams();
    bool SearchFooterHighlighting() const;
    void SearchFooterRefreshHighlight();
    void SearchFooterShowResult();
    TSearchPanel* FSearchPanel = nullptr;
    TZirOvararIzazCheck* FCellChecker = nullptr;

public:
    // ---- Update lock ----
    void BeginUpdate();
    void EndUpdate();
    void StartUpdate() { ++FUpdateCount; }
    void ResetUpdate() { FUpdateCount = 0; }
    bool IsUpdating() const { return FUpdateCount > 0; }
    bool LockUpdate() const { return FUpdateCount != 0; }
    void SetLockUpdate(bool Value) { Value ? BeginUpdate() : EndUpdate(); }
    Integer UpdateCount() const { return FUpdateCount; }
    void UpdateSearchPanel();
    // Ticks of the grid timer so far, and the blink phase.
    Integer TimerTicks() const { return FTimerTicks; }
    bool GridBlink() const { return FGridBlink; }
    // The typed incremental-search text and its age in grid-timer ticks.
    String SearchInc;
    Integer SearchTics = 0;

    // ---- Filter drop-down and filter-edit row ----
    // The value list of a column (FilterList) holds one entry per distinct
    // value: a plain text that is shown and is the condition, or a shown
    // text, a TAB and the condition ("\t\"\"" stands for empty cells).
    // The pop-up lists the input side fills from it; each reports its picks
    // to DoFilterSelect (DoFilterCheck) and its closing to FocusGrid.
    TDropList* FilterDropList() const { return FFilterDropList; }
    TDropCheckList* FilterDropCheckList() const { return FFilterDropCheckList; }
    // The real column whose list is open; -1 when none.
    Integer FilterCol() const { return FFilterCol; }
    void SetFilterCol(Integer Value) { FFilterCol = Value; }
    // Switching it on keeps the fixed rows when no normal row is left;
    // switching it off empties the value list.
    bool FilterDropDownAuto() const { return FFilterDropDownAuto; }
    void SetFilterDropDownAuto(bool Value);
    // Only a fixed row (below FixedRows) is taken.
    Integer FilterDropDownRow() const { return FFilterDropDownRow; }
    void SetFilterDropDownRow(Integer Value);
    // When not empty, the first entry of the check list, ticking or
    // unticking all others.
    const String& FilterDropDownCheckUnCheckAll() const { return FFilterDropDownCheckUnCheckAll; }
    void SetFilterDropDownCheckUnCheckAll(const String& Value) { FFilterDropDownCheckUnCheckAll = Value; }
    // Each pick narrows within the rows left; the lists offer only those.
    bool FilterIncremental() const { return FFilterIncremental; }
    void SetFilterIncremental(bool Value) { FFilterIncremental = Value; }
    // The filter-edit cell of ACol (row FilterEdit.Row) becomes the
    // column's condition of the given kind (ftClear empties the cell,
    // ftNone keeps the kind) and the filter is applied, unless an
    // OnFilterEditUpdate handler clears DoAutoEditFilter: the grid then
    // posts itself its "FilterEditUpdate" message instead.
    void ApplyFilterEdit(Integer ACol, TFilterType AFilterType);
    // What ApplyFilterEdit remembered for the "FilterEditUpdate" message.
    Integer FilterEditCol() const { return FFilterEditCol; }
    const String& FilterEditCondition() const { return FFilterEditCondition; }
    TFilterType FilterEditType() const { return FFilterEditType; }
    // FilterEdit.Enabled changed: the filter and the row's texts go, and
    // switched off the column headers come back.
    void FilterEditEnabledChanged() override;

    TGetColumnFilterEvent OnGetColumnFilter;
    TFilterSelectEvent OnFilterSelect;
    TFilterCheckEvent OnFilterCheck;
    TFilterCheckClickEvent OnFilterCheckClick;
    TFilterCheckClickEvent OnFilterCheckMouseDown;
    TGetCheckTextEvent OnGetCheckTrue;
    TGetCheckTextEvent OnGetCheckFalse;

private:
    void CreateFilterDropLists();
    // The value of a cell (or of a hidden row's text) as a list entry.
    String FilterEntry(String Value) const;
    // Check-list texts standing for data check boxes become the check texts.
    String CheckTextCondition(Integer ACol, const String& Text);
    TDropList* FFilterDropList = nullptr;
    TDropCheckList* FFilterDropCheckList = nullptr;
    Integer FFilterCol = -1;
    bool FFilterDropDownAuto = false;
    Integer FFilterDropDownRow = 0;
    String FFilterDropDownCheckUnCheckAll;
    bool FFilterIncremental = false;
    Integer FFilterEditCol = -1;
    String FFilterEditCondition;
    TFilterType FFilterEditType = ftContains;

public:

    // ---- Wheel ----
    Integer WheelScrollLines() const { return FWheelScrollLines; }
    winapi::UINT WheelMessage() const { return FWheelMsg; }
    Single DPIScale() const { return FDPIScale; }

    // ---- IGridSettingsOwner ----
    TPersistent* GridObject() override { return this; }
    bool IsLoading() const override { return ComponentState().Contains(csLoading); }
    bool IsDesigning() const override { return false; }
    void Repaint() override { Invalidate(); }
    void RepaintColumn0() override;
    void RepaintFooterPanel() override {}
    void SetDOVGradient(TDOVGradientColor Which, TColor Value) override;
    std::unique_ptr<TPersistent> CreateDropDownHeader() override { return nullptr; }
    std::unique_ptr<TPersistent> CreateDropDownFooter() override { return nullptr; }
    bool RegisterDropTarget() override { return false; }
    void RevokeDropTarget() override {}
    void SetOleRTFSupport(bool) override {}
    void FloatingFooterVisibleChanged() override {}
    void FloatingFooterStyleChanged() override {}
    void FloatingFooterHeightChanged() override {}
    void FloatingFooterShowHintChanged() override {}
    // ApplyColumnStretch(StretchColumn, -1) once the grid has a parent.
    void ReStretchColumns() override;
    void ReStretchAllColumns() override { ApplyColumnStretch(-1, -1); }
    void RepaintRow(Integer ARow) override;
    void RepaintCell(Integer ACol, Integer ARow) override;
    bool GridHasNodes() const override { return FNodeCount > 0; }
    bool IsDestroying() const override { return ComponentState().Contains(csDestroying); }

    // ---- IKelStyleEx, IKelTones (styles are the view layer's) ----
    void SetComponentStyle(TKelStyle AStyle) override;
    void SetComponentStyleAndAppColor(TKelStyle AStyle, TColor AppColor) override;
    void SetColorTones(const TColorTones& ATones) override;

    // ---- Owned settings ----
    TFont* ActiveCellFont() const { return FActiveCellFont.get(); }
    // A missing font is ignored; otherwise the settings are copied and the
    // grid repaints.
    void SetActiveCellFont(const TFont* Value);
    TFont* FixedFont() const { return FFixedFont.get(); }
    void SetFixedFont(const TFont* Value) { FFixedFont->Assign(Value); }
    TAutoColor* AutoColor() const { return FAutoColor.get(); }
    TBalloonSettings* Balloon() const { return FBalloon.get(); }
    TBands* Bands() const { return FBands.get(); }
    TBackGround* BackGround() const { return FBackGround.get(); }
    TCellNode* CellNode() const { return FCellNode.get(); }
    TStringList* ColumnHeaders() const { return FColumnHeaders.get(); }
    TStringList* RowHeaders() const { return FRowHeaders.get(); }
    TStringList* LookupItems() const { return FLookupItems.get(); }
    TColumnSize* ColumnSize() const { return FColumnSize.get(); }
    TControlLook* ControlLook() const { return FControlLook.get(); }
    TDragDropSettings* DragDropSettings() const { return FDragDropSettings.get(); }
    TDragScrollOptions* DragScrollOptions() const { return FDragScrollOptions.get(); }
    TFilter* Filter() const { return FFilter.get(); }
    TFilterDropDown* FilterDropDown() const { return FFilterDropDown.get(); }
    TFilterEdit* FilterEdit() const { return FFilterEdit.get(); }
    void SetFilterEdit(const TFilterEdit* Value) { FFilterEdit->Assign(Value); }
    TFloatingFooter* FloatingFooter() const { return FFloatingFooter.get(); }
    TFocusHelper* FocusHelper() const { return FFocusHelper.get(); }
    TGrouping* Grouping() const { return FGrouping.get(); }
    THoverButtons* HoverButtons() const { return FHoverButtons.get(); }
    THTMLSettings* HTMLSettings() const { return FHTMLSettings.get(); }
    TMouseActions* MouseActions() const { return FMouseActions.get(); }
    TNavigation* Navigation() const { return FNavigation.get(); }
    TKelHintInfo* OfficeHint() const { return FOfficeHint.get(); }
    TPrintSettings* PrintSettings() const { return FPrintSettings.get(); }
    TGridProgressAppearance* ProgressAppearance() const { return FProgressAppearance.get(); }
    TBitmap* RowIndicator() const { return FRowIndicator.get(); }
    TSearchFooter* SearchFooter() const { return FSearchFooter.get(); }
    TShowModified* ShowModified() const { return FShowModified.get(); }
    TSizeWhileTyping* SizeWhileTyping() const { return FSizeWhileTyping.get(); }
    TSortSettings* SortSettings() const { return FSortSettings.get(); }
    TSyncGrid* SyncGrid() const { return FSyncGrid.get(); }
    TSortIndexList* SortIndexes() const { return FSortIndexes.get(); }
    TIntList* IgnoreColumns() const { return FIgnoreColumns.get(); }
    TCustomImageList* FilterGlyphs() const { return FFilterGlyphs.get(); }
    THTMLPictureCache* PictureCache() const { return FPictureCache.get(); }
    TKelControlList* ControlList() const { return FControlList.get(); }
    TStringList* FilterList() const { return FFilterList.get(); }

    // ---- Appearance and behaviour values ----
#define CORE_VALUE(Type, Name, Initial)                                                                       \
public:                                                                                                       \
    Type Name() const { return F##Name; }                                                                     \
    void Set##Name(Type Value) { F##Name = Value; }                                                           \
                                                                                                              \
private:                                                                                                      \
    Type F##Name = Initial;                                                                                   \
                                                                                                              \
public:
    CORE_VALUE(TColor, HintColor, clInfoBk)
    CORE_VALUE(TColor, URLColor, 0xFF0000)
    CORE_VALUE(TColor, DisabledFontColor, 0xC0C0C0)
    CORE_VALUE(TColor, ScrollColor, clNone)
    CORE_VALUE(TColor, DOVGradientHoverFrom, clNone)
    CORE_VALUE(TColor, DOVGradientHoverTo, clNone)
    CORE_VALUE(TColor, DOVGradientDownFrom, clNone)
    CORE_VALUE(TColor, DOVGradientDownTo, clNone)
    CORE_VALUE(TGridLook, Look, glXP)
    CORE_VALUE(TKelStyle, UIStyle, tsCustom)
    CORE_VALUE(TScrollType, ScrollType, ssNormal)
    CORE_VALUE(Integer, ScrollWidth, 17)
    CORE_VALUE(TScrollHintType, ScrollHints, shNone)
    CORE_VALUE(bool, ScrollProportional, false)
    CORE_VALUE(bool, ScrollSynch, false)
    CORE_VALUE(TIntelliPan, IntelliPan, ipVertical)
    CORE_VALUE(bool, IntelliZoom, true)
    CORE_VALUE(String, FloatFormat, u"%.2f")
    CORE_VALUE(bool, EnableHTML, true)
    CORE_VALUE(bool, Multilinecells, false)
    CORE_VALUE(TEditorType, DefaultEditor, edNormal)
    CORE_VALUE(Integer, MaxComboLength, 0)
    CORE_VALUE(String, ValidChars, String())
    CORE_VALUE(TInvalidEntryIcon, InvalidEntryIcon, ieWarning)
    CORE_VALUE(String, InvalidEntryTitle, String())
    CORE_VALUE(String, InvalidEntryText, String())
    CORE_VALUE(String, XMLEncoding, u"ISO-8859-1")
    CORE_VALUE(String, FilterDropDownClear, u"(All)")
    CORE_VALUE(bool, ShowNullDates, true)
    CORE_VALUE(String, CheckTrue, u"Y")
    CORE_VALUE(String, CheckFalse, u"N")
    CORE_VALUE(Char, PasswordChar, u'*')
    CORE_VALUE(bool, ShowFocusedSelectionColor, true)
    CORE_VALUE(bool, UseSelectionTextColor, true)
    CORE_VALUE(bool, UseInternalHintClass, true)
    CORE_VALUE(bool, UseFixedFont, true)
    CORE_VALUE(bool, EnhRowColMove, true)
    CORE_VALUE(bool, EnableWheel, true)
    CORE_VALUE(bool, AutoFilterUpdate, true)
    CORE_VALUE(bool, FilterNormalCellsOnly, true)
    CORE_VALUE(bool, FilterDropDownMultiCol, true)
    CORE_VALUE(bool, UseDisabledFont, true)
    CORE_VALUE(bool, AnchorHint, false)
    CORE_VALUE(bool, AutoHideSelection, false)
    CORE_VALUE(bool, AutoNumAlign, false)
    CORE_VALUE(bool, EditWithTags, false)
    CORE_VALUE(bool, EnableBlink, false)
    CORE_VALUE(bool, EnhTextSize, false)
    CORE_VALUE(bool, ExcelStyleDecimalSeparator, false)
    CORE_VALUE(bool, FilterDropDownCheck, false)
    CORE_VALUE(TFilterDropDownColumns, FilterDropDownColumns, fdNormal)
    CORE_VALUE(bool, FixedAsButtons, false)
    CORE_VALUE(bool, HideFocusRect, false)
    CORE_VALUE(bool, HintShowCells, false)
    CORE_VALUE(bool, HintShowLargeText, false)
    CORE_VALUE(THintShowLargeTextPos, HintShowLargeTextPos, hpCell)
    CORE_VALUE(bool, HintShowSizing, false)
    CORE_VALUE(bool, HTMLHint, false)
    CORE_VALUE(bool, Hovering, false)
    CORE_VALUE(THoverFixedCells, HoverFixedCells, hfNone)
    CORE_VALUE(bool, Lookup, false)
    CORE_VALUE(bool, LookupCaseSensitive, false)
    CORE_VALUE(bool, LookupHistory, false)
    CORE_VALUE(bool, OemConvert, false)
    CORE_VALUE(bool, SelectionRTFKeep, false)
    CORE_VALUE(bool, URLShow, false)
    CORE_VALUE(bool, URLShowInText, false)
    CORE_VALUE(bool, URLUnderlineOnHover, false)
    CORE_VALUE(bool, URLFull, false)
    CORE_VALUE(bool, URLEdit, false)
    CORE_VALUE(TGridFilterType, FilterType, ftHide)
    CORE_VALUE(TPopupToolBarMode, PopupToolBarMode, tbActiveCell)
    CORE_VALUE(Integer, FilterLevel, 0)
    CORE_VALUE(bool, UseEnabledRows, false)
#undef CORE_VALUE

    // ---- Settings with side effects ----
    // Each setter below does more than store; "when changed" setters do
    // nothing for the current value, the others repaint in any case.
#define CORE_SETTING(Type, Name, Initial)                                                                     \
public:                                                                                                       \
    Type Name() const { return F##Name; }                                                                     \
    void Set##Name(Type Value);                                                                               \
                                                                                                              \
private:                                                                                                      \
    Type F##Name = Initial;                                                                                   \
                                                                                                              \
public:
    CORE_SETTING(TColor, SelectionColor, 0xEACAB6)
    CORE_SETTING(TColor, SelectionColorTo, clNone)
    CORE_SETTING(TColor, SelectionMirrorColor, clNone)
    CORE_SETTING(TColor, SelectionMirrorColorTo, clNone)
    CORE_SETTING(TColor, SelectionTextColor, 0x000000)
    CORE_SETTING(bool, SelectionColorMixer, false)
    // Held within 0 .. 100.
    CORE_SETTING(Integer, SelectionColorMixerFactor, 50)
    CORE_SETTING(bool, SelectionRectangle, false)
    CORE_SETTING(bool, SelectionResizer, false)
    CORE_SETTING(bool, ShowDesignHelper, true)
    CORE_SETTING(Integer, ZoomFactor, 0)
    CORE_SETTING(TColor, ActiveCellColor, 0x808080)
    CORE_SETTING(TColor, ActiveCellColorTo, clNone)
    CORE_SETTING(bool, ActiveCellShow, false)
    // Sizes the normal columns to their contents (10 pixels added) when
    // switched on outside loading.
    CORE_SETTING(bool, AutoSize, false)
    // Follows the Office colour theme, and once the grid has its window
    // hears of theme changes through the process-wide theme notifier.
    CORE_SETTING(bool, AutoThemeAdapt, false)
    CORE_SETTING(bool, Flat, false)
    // The highlight colours of marked text, shared by every grid of the
    // program through the markup renderer.
    CORE_SETTING(TColor, HighlightColor, clHighlight)
    CORE_SETTING(TColor, HighlightTextColor, clHighlightText)
    // Also the markup renderer's process-wide line-break switch.
    CORE_SETTING(bool, HTMLKeepLineBreak, true)
    // Also the normal in-place editor's length limit (0: none).
    CORE_SETTING(Integer, MaxEditLength, 0)
    CORE_SETTING(TScrollBarAlways, ScrollBarAlways, saNone)
    // Also the base grid's show-selection flag.
    CORE_SETTING(bool, ShowSelection, true)
    // Anchors the grid to all four sides of its parent.
    CORE_SETTING(bool, SizeWithForm, false)
    // Also the text-drawing flag of the vertical alignment.
    CORE_SETTING(TVAlignment, VAlignment, vtaTop)
    CORE_SETTING(TPoint, XYOffset, TPoint(2, 2))
    CORE_SETTING(TPoint, XYRTFOffset, TPoint(0, 0))
    // The gradient colours of the fixed cells are kept as RGB values (system
    // colours resolved when written).
    CORE_SETTING(TColor, DOVGradientFrom, 0xFFFFFF)
    CORE_SETTING(TColor, DOVGradientTo, clNone)
    CORE_SETTING(TColor, DOVGradientMirrorFrom, clNone)
    CORE_SETTING(TColor, DOVGradientMirrorTo, clNone)
    // Fits the height to whole rows at once, through the bounds setter.
    CORE_SETTING(bool, IntegralHeight, false)
    CORE_SETTING(TGridFormatType, FormatType, ftVCL)
#undef CORE_SETTING

    // The grid's cursor is also its normal cursor: the one put back after a
    // link or sizing cursor was shown. (The control's own setter would not
    // remember it.)
    void SetCursor(TCursor Value);
    TCursor NormalCursor() const { return FNormalCursor; }

private:
    TCursor FNormalCursor = crDefault;

public:
    // Writing either value switches on the selection rectangle and resizer,
    // smart clipboard, range selection, editing and range-select-and-edit;
    // nothing is switched back off.
    bool SpreadSheet() const { return FSpreadSheet; }
    void SetSpreadSheet(bool Value);
    // XYOffset without a repaint.
    void UpdateXYOffset(Integer X, Integer Y) { FXYOffset = TPoint(X, Y); }
    // The selection rectangle; writing it repaints the fixed row 0 and
    // column 0 with ActiveCellShow and the bottom row with ActiveRowShow.
    void SetSelection(const TGridRect& Value);
    // Copy the given object's settings into the owned one.
    void SetAutoColor(const TAutoColor* Value) { FAutoColor->Assign(Value); }
    void SetBalloon(const TBalloonSettings* Value) { FBalloon->Assign(Value); }
    void SetDragScrollOptions(const TDragScrollOptions* Value) { FDragScrollOptions->Assign(Value); }
    void SetHoverButtons(const THoverButtons* Value) { FHoverButtons->Assign(Value); }
    void SetOfficeHint(const TKelHintInfo* Value) { FOfficeHint->Assign(Value); }
    void SetProgressAppearance(const TGridProgressAppearance* Value) { FProgressAppearance->Assign(Value); }
    void SetShowModified(const TShowModified* Value) { FShowModified->Assign(Value); }
    void SetSortSettings(const TSortSettings* Value) { FSortSettings->Assign(Value); }
    void SetBackGround(const TBackGround* Value);
    // Copies the bitmap and repaints the current row's fixed cell.
    void SetRowIndicator(const TBitmap* Value);
    // The text-drawing flag VAlignment gives (DT_TOP, DT_VCENTER, DT_BOTTOM).
    Cardinal VAlignFlag() const { return FVAlignFlag; }
    // Whether platform visual styles paint the grid (the style layer sets it).
    bool UseVCLStyles() const { return FUseVCLStyles; }

protected:
    // Maps the current Office theme to a style and applies it when it
    // changed since the last call.
    virtual void AdaptToOfficeTheme();
    bool FUseVCLStyles = false;

private:
    // Registers (unregisters) the window with the theme notifier.
    void ThemeNotifierRegistration(bool Register);
    bool FSpreadSheet = false;
    Cardinal FVAlignFlag = 0;
    TOfficeTheme FOfficeTheme = otUnknown;
    bool FThemeRegistered = false;

public:
    TColor BorderColor() const { return FBorderColor; }
    // Repaints the non-client border when the colour changed.
    void SetBorderColor(TColor Value);

    // ---- Events ----
    TGridColorEvent OnGetCellColor;
    TGridColorEvent OnGetCellPrintColor;
    TGridBorderEvent OnGetCellBorder;
    TGridBorderEvent OnGetCellPrintBorder;
    TGridAlignEvent OnGetAlignment;
    TGridFormatEvent OnGetFormat;
    TFloatFormatEvent OnGetFloatFormat;
    TIsFixedCellEvent OnIsFixedCell;
    TGridHintEvent OnGridHint;
    TGridWideHintEvent OnGridWideHint;
    TOfficeHintEvent OnOfficeHint;
    THasComboEvent OnHasComboBox;
    THasEditBtnEvent OnHasEditBtn;
    THasSpinEditEvent OnHasSpinEdit;
    THasFilterEditEvent OnHasFilterEdit;
    TGetEditorTypeEvent OnGetEditorType;
    TCanEditCellEvent OnCanEditCell;
    TIsPasswordCellEvent OnIsPasswordCell;
    TWordWrapEvent OnGetWordWrap;
    TCellCursorEvent OnGetCellCursor;
    TSearchFooterSearchEvent OnSearchFooterSearch;
    TSearchFooterActionEvent OnSearchFooterAction;
    TSearchFooterSearchEndEvent OnSearchFooterSearchEnd;
    TButtonClickEvent OnButtonClick;
    TExpandClickEvent OnExpandClick;
    TClickCellEvent OnComboCloseUp;
    TClickCellEvent OnComboDropDown;
    TCanSortEvent OnCanSort;
    TSelectionChanged OnSelectionChanged;
    TBeforeEditEvent OnBeforeEdit;
    TFilterShowEvent OnFilterShow;
    TFilterCloseEvent OnFilterClose;
    TNotifyEvent OnFilterDone;
    TNotifyEvent OnBeforeFilter;
    TNotifyEvent OnIntelliZoom;
    TFilterEditUpdateEvent OnFilterEditUpdate;
    TFilterEditUpdateEvent OnFilterEditDone;
    TFixedEditEvent OnFixedEdit;
    TAutoDeleteRowEvent OnAutoDeleteRow;
    THoverButtonsShowEvent OnHoverButtonsShow;
    TCellSaveLoadEvent OnLoadCell;
    TRowCountChangeEvent OnRowCountChange;
    TNotifyEvent OnGridResize;
    TNotifyEvent OnEditingDone;
    TRowChangingEvent OnRowChanging;

    // ---- Overridden base-grid operations ----
    Extended GetDPIScale() override { return FDPIScale; }
    bool IsFixed(Integer ACol, Integer ARow) override;
    Integer GetNodeIndent(Integer ARow) override;
    bool HasNodes() override { return FNodeCount > 0; }
    // A node row carries a ctNode object in the node column, a summary row
    // a ctSummary object in column 0.
    bool IsNode(Integer ARow) override;
    bool IsSummary(Integer ARow) override;
    void DrawCellContent(TCanvas* ACanvas, Integer ACol, Integer ARow, TRect ARect, TGridDrawState AState) override;
    void HiddenRowChanged() override;
    bool HasCellCheckBox(Integer ACol, Integer ARow) override { return HasCheckBox(ACol, ARow); }
    void SetCellCheckText(Integer ACol, Integer ARow, const String& Value) override;
    void GetDisplText(Integer ACol, Integer ARow, String& Value) override;
    void GetCellLook(Integer ACol, Integer ARow, TFont* AFont, TBrush* ABrush, TColor& ColorTo,
                     TColor& MirrorColor, TColor& MirrorColorTo, TAlignment& HAlign, TVAlignment& VAlign,
                     bool& WordWrap, TCellGradientDirection& GradientDirection) override;
    TAlignment DefaultCellAlignment() override { return FDefaultAlignment; }
    void CellChanged(Integer ACol, Integer ARow) override;
    bool HasCellBorders() override { return static_cast<bool>(OnGetCellBorder); }
    bool UsesVCLStyles() override { return FUseVCLStyles; }
    void GetVisualProperties(Integer ACol, Integer ARow, TGridDrawState& AState, bool Print, bool Select,
                             bool Remap, TBrush* ABrush, TColor& AColorTo, TColor& AMirrorColor,
                             TColor& AMirrorColorTo, TFont* AFont, TAlignment& HA, TVAlignment& VA, bool& WW,
                             TCellGradientDirection& GD) override;
    Integer RealColIndex(Integer ACol) const override;
    Integer DisplColIndex(Integer ACol) const override;
    Integer TotalColCount() const override { return ColCount() + FNumHidden; }

    // ---- New public virtual operations ----
    virtual void CellControlsUpdate(bool RebuildList);
    virtual Integer GetVersionNr();
    virtual String GetVersionString();
    virtual bool ValidateCell(const String& NewValue);
    virtual bool ValidateCellWide(const String& NewValue);
    virtual void RemoveRowsEx(Integer RowIndex, Integer RCount);
    virtual void RemoveRows(Integer RowIndex, Integer RCount);
    virtual void InsertRows(Integer RowIndex, Integer RCount, bool UpdateCellControls = true);
    virtual void RemoveCols(Integer ColIndex, Integer CCount);
    virtual void InsertCols(Integer ColIndex, Integer CCount);
    virtual void HideHoverButtons() {}
    virtual void SubGroup(Integer ColIndex);
    virtual void SubUnGroup(Integer ColIndex);
    virtual void Group(Integer ColIndex);
    virtual void UnGroup();
    virtual void SetRowEx(Integer Value);
    virtual void NextEdit();
    virtual void SortSwapRows(Integer ARow1, Integer ARow2);
    virtual void ClearRect(Integer ACol1, Integer ARow1, Integer ACol2, Integer ARow2);
    virtual void ClearRect(const TGridRect& ARect);
    virtual void TrimRect(Integer ACol1, Integer ARow1, Integer ACol2, Integer ARow2);
    virtual void SaveColPositions() {}
    virtual void LoadColPositions() {}
    virtual void SetStyle(TKelGridStyle AStyle);
    virtual void SetStyleAndAppColor(TKelGridStyle AStyle, TColor AppColor);
    virtual void Zoom(Integer x);
    virtual void ZoomReset();
    virtual void HideInplaceEdit() {}
    virtual void QSort();
    virtual void QSortIndexed();
    virtual void QSortGroup();
    virtual void QSortGroupIndexed();
    virtual void QUnSort();
    virtual void CalcFooter(Integer ACol);
    virtual void SaveCell(Integer ACol, Integer ARow, String& Value);
    String DisplCells(Integer ACol, Integer ARow) { return GetFormattedCell(ACol, ARow); }
    virtual String GetFormattedCell(Integer ACol, Integer ARow);
    virtual TCellType GetCellType(Integer ACol, Integer ARow);
    virtual bool GetCellEmpty(Integer ACol, Integer ARow);
    virtual TCellGraphic* GetCellGraphic(Integer ACol, Integer ARow);
    virtual TPoint GetCellGraphicSize(Integer ACol, Integer ARow);
    virtual void SaveToStream(TStream* Stream);
    virtual void LoadFromStream(TStream* Stream);
    virtual void ShowInplaceEdit() {}
    // Moves the focus window to the current cell (the view layer draws it).
    virtual void UpdateFocusWindow() {}
    virtual bool IsEditable(Integer ACol, Integer ARow);

protected:
    // ---- New protected virtual operations, in their order ----
    virtual bool HasColumnAlignment() { return false; }
    virtual void WriteDefaultRowHeight(Integer Value);
    virtual void DoClickSort(Integer ACol) { (void)ACol; }
    virtual void DoClickCell(Integer ARow, Integer ACol) { (void)ARow, (void)ACol; }
    virtual void ReservedHook() {}
    virtual bool AllowRowAdvance(Integer NewRow) { (void)NewRow; return true; }
    virtual void StoreEditValue(const String& Value);
    virtual void ReservedCellHook(TGridRect& ARect) { (void)ARect; }
    virtual void PasteCell(Integer ACol, Integer ARow, const String& Value);
    virtual Integer ReservedQuery() { return 0; }
    virtual String ReadCurrentCell();
    virtual void WriteCurrentCell(const String& Value);
    virtual String GetCurrentCellValue();
    // The raw text of a cell, remembered as the old value on entering it.
    virtual String GetEditCellText(Integer ACol, Integer ARow);
    virtual void SetCurrentEditText(const String& Value);
    virtual void RestoreEditCell() {}
    virtual bool KeepTopRowOnSelect() { return false; }
    virtual Integer GetSearchFooterHeight();
    virtual void DoColumnSize(Integer ACol, bool& Allow);
    virtual void DoHoverButtonClick(Integer ACol, Integer ARow, Integer AButton) { (void)ACol, (void)ARow, (void)AButton; }
    virtual void HideButtonForm(TObject* Sender) { (void)Sender; }
    virtual bool DoToggleCheckBox(Integer ACol, Integer ARow, bool Click);
    virtual bool DoToggleRadioButton(Integer ACol, Integer ARow, bool Click);
    virtual void DoGetFloatFormat(Integer ACol, Integer ARow, String& AFloatFormat);
    virtual TPoint GetCellGraphicSizeEx(Integer ACol, Integer ARow, Integer HeightReserve);
    virtual TPoint CalcCellGraphicSize(TCanvas* ACanvas, Integer ACol, Integer ARow, Integer HeightReserve,
                                       Double Scale);
    virtual TPoint CalcPrintGraphicSize(Integer ACol, Integer ARow, Integer AvailWidth, Integer AvailHeight,
                                        Double Scale);
    virtual void DoGetProgressColor(Integer ACol, Integer ARow, TColor& ColorFG, TColor& ColorBK,
                                    TColor& TextColorFG, TColor& TextColorBK);
    virtual void AssignCellFont(Integer ACol, Integer ARow, TFont* AFont) { (void)ACol, (void)ARow, (void)AFont; }
    virtual void DoClipboardPasteDone() {}
    // May replace the number text of a printed page.
    virtual void DoPrintGetPageNum(Integer PageNum, Integer PageColNum, String& PageNumString) {
        (void)PageNum, (void)PageColNum, (void)PageNumString;
    }
    virtual void DoGetEditorProp(Integer ACol, Integer ARow, TObject* AEditLink) { (void)ACol, (void)ARow, (void)AEditLink; }
    virtual void DoCheckBoxClick(Integer ACol, Integer ARow, bool State) { (void)ACol, (void)ARow, (void)State; }
    virtual void DoFixedEdit(Integer ACol, Integer ARow, TGridFixedCellEditor& AEditor, TStrings* Values);
    virtual bool IsSelectionVisible() { return true; }
    virtual void SelectionChanged(Integer ALeft, Integer ATop, Integer ARight, Integer ABottom);
    virtual void EditorTextChanged(const String& Text) { (void)Text; }
    virtual bool DoBeforeEdit(Integer ACol, Integer ARow);
    virtual void AutoInsertRow(Integer ARow);
    virtual void DoAutoDeleteRow(Integer ARow);
    virtual void DoFilterDone();
    virtual void DoFilterShow(Integer ACol, bool& Allow);
    virtual void DoFilterClose(Integer ACol);
    virtual void DoBeforeFilter();
    // The grid's bottom panel, owned by the grid (the constructor aligns it).
    virtual TFooterPanel* CreateFooterPanel();
    virtual void FooterVisibilityChanged() {}
    virtual void DoUpdateColumnSize(Integer ACol, Integer& AWidth) {
        if (OnUpdateColumnSize) OnUpdateColumnSize(this, ACol, AWidth);
    }
    virtual void DoUpdateAutoColumnSize(Integer ACol, Integer& AWidth) {
        if (OnUpdateColumnSize) OnUpdateColumnSize(this, ACol, AWidth);
    }
    virtual void ColumnHeadersChanged(TObject* Sender) { (void)Sender; }
    virtual String DoEllipsClick(const String& Value) { return Value; }
    // True when the displayed row passes every enabled condition of Filter
    // (and OnCustomFilter, which has the last word).
    virtual bool MatchFilter(Integer ARow);
    virtual void BeginPaste() {}
    virtual void EndPaste() {}
    virtual void CellsPasted(TGridRect ARect) { (void)ARect; }
    virtual String GetRawCellText(Integer ACol, Integer ARow);
    virtual void DoLoadCell(Integer ACol, Integer ARow, String& Value);
    virtual void UpdateFooterCell(Integer ACol, Integer ARow) { (void)ACol, (void)ARow; }
    virtual void SaveOldCellText() {}
    virtual void InitWheelScroll(bool UseDriverMessage);
    virtual void DoCanEditCell(Integer ACol, Integer ARow, bool& CanEdit);
    virtual void DoCanSort(Integer ACol, bool& DoSort);
    virtual void DoSearchFooterAction(const String& Value, Integer ACol, Integer ARow, Integer SearchAction);
    virtual String DoSearchFooterSearch(const String& Value);
    virtual void DoSearchFooterSearchEnd(bool& ContinueFromStart);
    virtual void DoButtonClick(Integer ACol, Integer ARow);
    virtual void DoExpandClick(Integer ACol, Integer ARow, bool Expanded);
    virtual void DoComboCloseUp(Integer ARow, Integer ACol);
    virtual void DoComboDropDown(Integer ARow, Integer ACol);
    virtual void DoGetCellCursor(Integer ACol, Integer ARow, Integer X, Integer Y);
    virtual void CellsChanged(TRect R);
    virtual void RecalcFooter(Integer ACol) { (void)ACol; }
    virtual void DoGetCellHint(Integer ACol, Integer ARow, String& WideHint, String& Hint);
    virtual void DoGetCellColor(Integer ACol, Integer ARow, TGridDrawState AState, TBrush* ABrush, TFont* AFont);
    virtual void DoGetCellPrintColor(Integer ACol, Integer ARow, TGridDrawState AState, TBrush* ABrush,
                                     TFont* AFont);
    virtual void DoGetCellBorder(Integer ACol, Integer ARow, TPen* APen, TCellBorders& Borders);
    virtual void DoGetCellPrintBorder(Integer ACol, Integer ARow, TPen* APen, TCellBorders& Borders);
    virtual void DoGetAlignment(Integer ACol, Integer ARow, TAlignment& HAlign, TVAlignment& VAlign);
    virtual void DoGetFormat(Integer ACol, TSortStyle& AStyle, String& Prefix, String& Suffix);
    virtual void DoGetAlwaysVisibleEditor(Integer ACol, Integer ARow, TEditorType& AEditor);
    virtual void DoGetEditorType(Integer ACol, Integer ARow, TEditorType& AEditor);
    virtual bool DoIsNoEditorCell(Integer ACol, Integer ARow, TEditorType& AEditor);
    virtual void DoIsFixedCell(Integer ACol, Integer ARow, bool& IsFixed);
    virtual void DoCanEdit(Integer ACol, Integer ARow, bool& CanEdit);
    virtual void DoIsPasswordCell(Integer ACol, Integer ARow, bool& IsPassword);
    virtual void DoGetWordWrap(Integer ACol, Integer ARow, bool& WordWrap);
    virtual bool DoHasComboBox(Integer ACol, Integer ARow, TEditorType AEditor);
    virtual bool DoHasEditBtn(Integer ACol, Integer ARow, TEditorType AEditor);
    virtual bool DoHasSpinEdit(Integer ACol, Integer ARow, TEditorType AEditor);
    virtual bool DoHasFilterEdit(Integer ACol, Integer ARow);
    virtual void DoFilterEditUpdate(Integer ACol, const String& Condition, TFilterType FilterType);
    virtual String DoGetCheckTrue(Integer ACol, Integer ARow);
    virtual String DoGetCheckFalse(Integer ACol, Integer ARow);
    virtual bool DoGetColumnFilter(Integer ACol, bool StopAtFirst = false, bool IncludeHidden = false);
    virtual TGridRect ReadUsedCells();
    virtual void DeleteRows(Integer ARow, Integer ACount);
    virtual String GetFilterCheckTrue() { return FCheckTrue; }
    virtual String GetFilterCheckFalse() { return FCheckFalse; }
    virtual void DoCanAddRow(bool& CanAdd) { if (OnCanAddRow) OnCanAddRow(this, CanAdd); }
    virtual void DoCanAddCol(bool& CanAdd) { if (OnCanAddCol) OnCanAddCol(this, CanAdd); }
    virtual void DoCanInsertRow(Integer ARow, bool& CanInsert) { if (OnCanInsertRow) OnCanInsertRow(this, ARow, CanInsert); }
    virtual bool CanWheelSelect() { return true; }
    virtual void AppendRow();
    virtual void ExpandSelectionToMerged() {}
    virtual void CellSelectorClick(Integer ACol, Integer ARow) { (void)ACol, (void)ARow; }
    virtual void SetFormulaMode(bool Value) { (void)Value; }
    // Opens the editor of a fixed cell (the filter row's with FilterRow); the
    // fixed-cell editors override it.
    virtual void StartFixedCellEdit(Integer ACol, Integer ARow, bool FilterRow) { (void)ACol, (void)ARow, (void)FilterRow; }
    // The select-all press is about to set NewSelection; a descendant may change it.
    virtual void SelectionChanging(TGridRect& NewSelection) { (void)NewSelection; }
    virtual void MouseActionsChanged(TObject* Sender) { (void)Sender; }
    virtual void GetDesigning(TObject* Sender, bool& IsDesigning);
    virtual void RefreshGrid(TObject* Sender);
    virtual void DisableEditing(TObject* Sender) { (void)Sender; }
    virtual void EditorKeyDown(Word& Key, TShiftState Shift) { (void)Key, (void)Shift; }
    virtual void EditorWMKeyDown(Word& Key, TShiftState Shift) { (void)Key, (void)Shift; }
    virtual void NavigationChanged(TObject* Sender) { (void)Sender; }
    virtual void GotoFirstRow() {}
    virtual bool UseFormattedClipboard() { return false; }
    virtual void DoFilterSelect(Integer ItemIndex);
    virtual void FocusGrid(TObject* Sender);
    virtual void DoFilterCheck(Integer ItemIndex);
    virtual void PaintDesignHelper() {}
    virtual void DesignHelperClick() {}
    virtual void EditingAllowedChanged() {}
    virtual void DoCheckBoxChange(Integer ACol, Integer ARow, bool State);
    virtual bool DoRatingChange(Integer ACol, Integer ARow, Double& NewRate);
    // The colour and image pickers' selection, for the current cell.
    virtual void DoColorSelect(TColor Color, const String& Value);
    virtual void DoImageSelect(Integer ImageIndex);
    virtual void DoCellChanging(Integer OldRow, Integer OldCol, Integer NewRow, Integer NewCol, bool& Allow) { (void)OldRow, (void)OldCol, (void)NewRow, (void)NewCol, (void)Allow; }
    virtual void DoScrollCell(Integer ACol, Integer ARow) { (void)ACol, (void)ARow; }
    virtual void DoHoverButtonsShow(Integer X, Integer Y, bool& Allow);
    virtual bool DoCanShowFixedDropDown(Integer ACol, Integer ARow) { (void)ACol, (void)ARow; return true; }
    virtual void DoStartBlockFocus() {}
    virtual void DoEndBlockFocus() {}
    virtual void DoIntelliZoom();
    virtual TCustomImageList* GetCellImageList(Integer ACol, Integer ARow);
    virtual void StyleApplied() {}
    virtual void BeginRowHeightChange() { FRHChanging = true; }
    virtual void EndRowHeightChange() { FRHChanging = false; }

    // ---- Seams completed by the view layer ----
    // The selection to and from the clipboard (the cut also clears it).
    virtual void CutSelectionToClipboard() {}
    virtual void CopySelectionToClipboard() {}
    virtual void PasteSelectionFromClipboard() {}
    virtual void ResolveAlignment(Integer ACol, Integer ARow, TAlignment& HAlign, TVAlignment& VAlign);
    // Plain text with the canvas font.
    virtual TSize CalcCellTextSize(Integer ACol, Integer RealCol, Integer ARow, bool ForWidth, bool WordWrap);
    virtual Integer MaxLinesInRow(Integer ARow) { (void)ARow; return 1; }
    Integer TotalXOffset() const { return FXYOffsetTopLeftOnly ? FXYOffset.X : 2 * FXYOffset.X; }
    Integer TotalYOffset() const { return FXYOffsetTopLeftOnly ? FXYOffset.Y : 2 * FXYOffset.Y; }
    // A change of scale takes the DPI scale anew (also as the previous one).
    void SetDPIScaleValue(Single Value) { FDPIScale = FPrevDPIScale = Value; }
    virtual void DrawNCBorder() {}
    virtual void InitOrigColSizes();

    // ---- Platform overrides ----
    // The controls the grid makes and owns itself (footer and search panels,
    // editors) are parts of the grid, not children to stream: a grid read
    // back makes its own again.
    void GetChildren(const std::function<void(TComponent*)>& Proc, TComponent* Root) const override;
    void CreateHandle() override;
    void CreateWnd() override;
    bool KeepScrollBarVisible(bool Vertical) const override;
    void Resize() override;
    void WndProc(TMessage& Message) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    virtual void HandleWMTimer(TMessage& Message);
    virtual void HandleWMPaint(TMessage& Message);
    virtual void HandleWMSize(TMessage& Message);
    virtual void HandleWMChar(TMessage& Message);
    // The key-down and key-up messages, before the platform's key handling
    // (which these defaults go straight on to).
    virtual void HandleWMKeyDown(TMessage& Message) { TBaseGrid::WndProc(Message); }
    virtual void HandleWMKeyUp(TMessage& Message) { TBaseGrid::WndProc(Message); }

    // ---- Display-row steps ----
    // Takes RCount displayed rows out at RowIndex (their records are not
    // freed: the caller freed or parked them). With Renumber (a deletion) the
    // hidden rows after them move down. False when nothing was removed (also
    // when an OnRowChanging handler refused).
    bool RemoveRowsCore(Integer RowIndex, Integer RCount, bool Renumber) {
        return RemoveRowsCore(RowIndex, RCount, Renumber, false);
    }
    // FreeRecords: the rows' records (all real columns) are freed once the
    // removal is certain.
    bool RemoveRowsCore(Integer RowIndex, Integer RCount, bool Renumber, bool FreeRecords);
    // Puts RCount blank displayed rows in at RowIndex; real indexes of hidden
    // rows stay (InsertRows renumbers them).
    void InsertRowsCore(Integer RowIndex, Integer RCount, bool UpdateCellControls);
    // Gives the records of rows From .. To (all real columns) their cell.
    void ReownRows(Integer FromRow, Integer ToRow);
    // Set while rows are being hidden through RemoveRowsEx.
    bool FHidingRows = false;

    // The rows that are neither fixed nor footers.
    Integer DataRowCount() const { return RowCount() - FixedRows() - FFixedFooters; }
    bool ValueIsColor(TColor C) const { return C != clNone; }

    // ---- State ----
    Integer FUpdateCount = 0;
    bool FSelChange = false;
    bool FRHChanging = false;
    static constexpr Integer GridTimerID = 111;
    Integer FGridTimerID = 0;
    Integer FTimerTicks = 0;
    bool FGridBlink = false;
    Integer FOldLeftCol = -1;
    Integer FPaintCount = 0;
    bool FInWMSize = false;
    bool FDisableSize = false;
    Integer FOldSize = -1;
    std::vector<Integer> FOrigColSizes;
    bool FEditorChangeMarker = false;
    Char FStartEditChar = 0;
    Integer FNodeCount = 0;
    Integer FNumHidden = 0;
    // Structure edits: ClearRect empties object slots without freeing
    // (records owned elsewhere), or frees user objects kept in cells.
    bool FNilObjects = false;
    bool FOwnsObjects = false;
    Integer FGroupColumn = -1;
    // The platform grid's move notifications, given displayed indexes: the
    // cells move at their real columns, with the column order, the
    // visibility map, the parked cells of hidden rows and the sort column;
    // a row move keeps hidden rows and records in step.
    void ColumnMoved(Integer FromIndex, Integer ToIndex) override;
    void RowMoved(Integer FromIndex, Integer ToIndex) override;
    bool FEditing = false;
    bool FLoadedFlag = false;
    Integer FRememberedLeftCol = 0;
    Integer FRememberedTopRow = 0;
    Integer FAutoEditCol = -1;
    Integer FAutoEditRow = -1;
    TGridRect FDisjunctSelection{-1, -1, -1, -1};
    bool FIsWinXP = true;
    bool FIsWin7 = true;
    bool FIsVista = true;
    bool FIsComCtl6 = true;
    bool FFreeCellObjects = true;
    bool FApplyingScrollBars = false;

private:
    // Hidden-row store helpers.
    TGridItem* HiddenItem(Integer Index) const { return static_cast<TGridItem*>(FHiddenRows->Items(Index)); }
    const std::vector<Integer>& HiddenLookup() const;
    void DiscardHiddenLookup() { FHiddenLookupValid = false; }
    // Store position where an entry of real index Idx belongs.
    Integer HiddenInsertPos(Integer Idx) const;
    // Parks displayed row D in a new entry (sorted by Idx) and empties the
    // row's object slots (the entry owns them now). TakeTexts moves the texts
    // too, for a row that certainly leaves the grid next.
    void ParkRow(Integer D, Integer Idx, Integer Level, bool TakeTexts = false);
    // Brings back the entries at the given store positions, each at the
    // displayed position its real index gives.
    void RestoreEntries(const std::vector<Integer>& Positions);
    // Removes the listed displayed rows (ascending, not all) in one pass;
    // with Renumber the hidden rows after them move down.
    void CloseUpRows(const std::vector<Integer>& Rows, bool Renumber);
    // Fires OnRowCountChange before a block change of the row count, and
    // keeps the side tables after it.
    void BeforeRowCountBlock(Integer NewCount);
    // Undoes ParkRow for the entries of real indexes Idx, put back into
    // displayed rows D, D + 1, ... (a vetoed hide).
    void UnparkRows(Integer D, const std::vector<Integer>& Idx);
    void AfterRowCountBlock();
    mutable std::vector<Integer> FHiddenLookup;
    mutable bool FHiddenLookupValid = false;

    // Structure edits and column order.
    // Hidden rows follow a block of Count displayed rows from From to D.
    void RenumberHiddenForMove(Integer From, Integer Count, Integer D);
    void MergeGroupRows();
    void SplitGroupRows();
    std::vector<Integer> RowsBySelection(bool Selected);
    void RemoveColsBySelection(bool Selected);
    bool FSaveHiddenCells = false;
    bool FClearTextOnly = false;

    void CreateOwnedObjects();
    void LoadFilterGlyphs();
    void ApplyFixedRowHeights();
    void RepaintBlinkCells();
    bool ScrollBarFits(bool Vertical) const;

    // Dimensions.
    bool FFixedRowAlways = false;
    bool FFixedColAlways = false;
    Integer FFixedFooters = 0;
    Integer FFixedRightCols = 0;
    Integer FFixedRowHeight = 22;
    TAlignment FDefaultAlignment = taLeftJustify;
    bool FExtendedWordWrap = true;
    Integer FMinFixedRows = 1;
    Integer FMinFixedCols = 1;
    Integer FMaxRowCount = 0;
    Integer FMaxColCount = 0;
    std::vector<bool> FVisibleCol;
    std::vector<Integer> FAllColWidths;
    TColor FBorderColor = 0xB99D7F;

    // Wheel and scaling.
    Integer FWheelScrollLines = 3;
    winapi::UINT FWheelMsg = 0;
    Single FDPIScale = 1.0f;
    Single FPrevDPIScale = 1.0f;

    // Listeners.
    ITZirOvararIzazSelect* FSelListener = nullptr;
    std::vector<TGridChangeNotifier*> FNotifiers;

    // Owned objects.
    std::unique_ptr<TFont> FActiveCellFont;
    std::unique_ptr<TFont> FFixedFont;
    std::unique_ptr<TFont> FCellFont;
    std::unique_ptr<TAutoColor> FAutoColor;
    std::unique_ptr<TBalloonSettings> FBalloon;
    std::unique_ptr<TBands> FBands;
    std::unique_ptr<TBackGround> FBackGround;
    std::unique_ptr<TCellNode> FCellNode;
    std::unique_ptr<TStringList> FColumnHeaders;
    std::unique_ptr<TStringList> FRowHeaders;
    std::unique_ptr<TStringList> FLookupItems;
    std::unique_ptr<TColumnSize> FColumnSize;
    std::unique_ptr<TControlLook> FControlLook;
    std::unique_ptr<TDragDropSettings> FDragDropSettings;
    std::unique_ptr<TDragScrollOptions> FDragScrollOptions;
    std::unique_ptr<TFilter> FFilter;
    std::unique_ptr<TFilterDropDown> FFilterDropDown;
    std::unique_ptr<TFilterEdit> FFilterEdit;
    std::unique_ptr<TFloatingFooter> FFloatingFooter;
    std::unique_ptr<TFocusHelper> FFocusHelper;
    std::unique_ptr<TGrouping> FGrouping;
    std::unique_ptr<THoverButtons> FHoverButtons;
    std::unique_ptr<THTMLSettings> FHTMLSettings;
    std::unique_ptr<TMouseActions> FMouseActions;
    std::unique_ptr<TNavigation> FNavigation;
    std::unique_ptr<TKelHintInfo> FOfficeHint;
    std::unique_ptr<TPrintSettings> FPrintSettings;
    std::unique_ptr<TGridProgressAppearance> FProgressAppearance;
    std::unique_ptr<TBitmap> FRowIndicator;
    std::unique_ptr<TSearchFooter> FSearchFooter;
    std::unique_ptr<TShowModified> FShowModified;
    std::unique_ptr<TSizeWhileTyping> FSizeWhileTyping;
    std::unique_ptr<TSortSettings> FSortSettings;
    std::unique_ptr<TSyncGrid> FSyncGrid;
    std::unique_ptr<TSortIndexList> FSortIndexes;
    std::unique_ptr<TIntList> FSortRowXRef;
    std::unique_ptr<TIntList> FUnSortRowXRef;
    std::unique_ptr<TIntList> FMergedColumns;
    std::unique_ptr<TIntList> FSelectedRows;
    std::unique_ptr<TIntList> FModifiedRows;
    std::unique_ptr<TIntList> FEnabledRows;
    std::unique_ptr<TIntList> FIgnoreColumns;
    std::unique_ptr<TIntList> FColumnOrder;
    std::unique_ptr<TIntList> FSuppressColSizes;
    std::unique_ptr<TIntList> FSuppressRowSizes;
    std::unique_ptr<TIntList> FCachedRowHeights;
    std::unique_ptr<TStringList> FSortList;
    std::unique_ptr<TStringList> FFilterList;
    std::unique_ptr<TCollection> FHiddenRows;
    std::unique_ptr<TKelControlList> FControlList;
    std::unique_ptr<THTMLPictureCache> FPictureCache;
    std::unique_ptr<TCustomImageList> FFilterGlyphs;
};

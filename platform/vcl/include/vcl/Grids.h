#pragma once
// The grid controls: TCustomGrid lays out a table of cells (fixed rows and
// columns at the top and left, the scrollable rest from TopRow/LeftCol on),
// keeps a current cell and a rectangular selection, scrolls, takes keyboard
// and mouse navigation, sizes and moves columns and rows, and hosts an
// in-place editor. TCustomDrawGrid hands the painting of each cell and the
// select-cell query to events; TStringGrid stores a text and an object per
// cell.
//
// Geometry: a cell is followed by a grid line of GridLineWidth pixels (to its
// right and below it). A column or row of size 0 takes no room. Coordinates
// are client coordinates of the grid.

#include "rtl/Exception.h"
#include "rtl/StringList.h"
#include "vcl/Controls.h"
#include "vcl/Mask.h"
#include "vcl/StdCtrls.h"

#include <functional>
#include <memory>
#include <vector>

// A grid index or count out of its range.
class EInvalidGridOperation : public Exception {
public:
    using Exception::Exception;
};

RTL_ENUM(TGridOption, goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect,
         goDrawFocusSelected, goRowSizing, goColSizing, goRowMoving, goColMoving, goEditing, goTabs,
         goRowSelect, goAlwaysShowEditor, goThumbTracking, goFixedColClick, goFixedRowClick, goFixedHotTrack)
using TGridOptions = TSet<TGridOption>;
RTL_SET_INFO(TGridOptions)

RTL_ENUM(TGridDrawStateItem, gdSelected, gdFocused, gdFixed, gdHotTrack, gdPressed, gdRowSelected)
using TGridDrawState = TSet<TGridDrawStateItem>;
RTL_SET_INFO(TGridDrawState)

// What a mouse drag over the grid is doing.
RTL_ENUM(TGridState, gsNormal, gsSelecting, gsRowSizing, gsColSizing, gsRowMoving, gsColMoving)
RTL_ENUM(TGridDrawingStyle, gdsClassic, gdsThemed, gdsGradient)

struct TGridCoord {
    Integer X = 0;
    Integer Y = 0;
    friend bool operator==(const TGridCoord&, const TGridCoord&) = default;
};

struct TGridRect {
    Integer Left = 0;
    Integer Top = 0;
    Integer Right = 0;
    Integer Bottom = 0;
    TGridCoord TopLeft() const { return {Left, Top}; }
    TGridCoord BottomRight() const { return {Right, Bottom}; }
    bool Contains(Integer ACol, Integer ARow) const {
        return ACol >= Left && ACol <= Right && ARow >= Top && ARow <= Bottom;
    }
    friend bool operator==(const TGridRect&, const TGridRect&) = default;
};

// The rectangle spanned by two corners, whatever their order.
TGridRect GridRect(TGridCoord Corner1, TGridCoord Corner2);

class TCustomGrid;

// The editor that a grid shows over its current cell: a masked edit. The
// grid creates it once through CreateEditor, loads it (the edit mask from
// GetEditMask, then the text from GetEditText, then the length limit from
// GetEditLimit), places it over the cell and takes its text back through
// SetEditText when it hides it. Up, Down, Page Up, Page Down, Tab and
// Escape go on to the grid as key-downs, Enter as a character; every change
// of the text reaches the grid as WM_COMMAND with EN_CHANGE.
class TInplaceEdit : public TCustomMaskEdit {
    RTL_CLASS(TInplaceEdit)
public:
    explicit TInplaceEdit(TComponent* AOwner);
    TCustomGrid* Grid() const { return FGrid; }
    // Takes the current cell's mask, text and limit from the grid.
    virtual void UpdateContents();
    // Places the editor over a cell rectangle and shows it.
    virtual void Move(const TRect& Loc);

    void WndProc(TMessage& Message) override;

protected:
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyPress(Char& Key) override;

private:
    friend class TCustomGrid;
    TCustomGrid* FGrid = nullptr;
};

class TCustomGrid : public TCustomControl {
    RTL_CLASS(TCustomGrid)
public:
    explicit TCustomGrid(TComponent* AOwner);
    ~TCustomGrid() override;

    // ---- Dimensions ----
    Integer ColCount() const { return FColCount; }
    void SetColCount(Integer Value);
    Integer RowCount() const { return FRowCount; }
    void SetRowCount(Integer Value);
    Integer FixedCols() const { return FFixedCols; }
    void SetFixedCols(Integer Value);
    Integer FixedRows() const { return FFixedRows; }
    void SetFixedRows(Integer Value);
    Integer DefaultColWidth() const { return FDefaultColWidth; }
    // Every column takes the new default width.
    void SetDefaultColWidth(Integer Value);
    Integer DefaultRowHeight() const { return FDefaultRowHeight; }
    // Every row takes the new default height.
    void SetDefaultRowHeight(Integer Value);
    Integer ColWidths(Integer Index) const;
    void SetColWidths(Integer Index, Integer Value);
    Integer RowHeights(Integer Index) const;
    void SetRowHeights(Integer Index, Integer Value);
    Integer GridLineWidth() const { return FGridLineWidth; }
    void SetGridLineWidth(Integer Value);
    // Sum of the column widths and of the row heights with their grid lines.
    Integer GridWidth() const;
    Integer GridHeight() const;

    // ---- View ----
    // The first scrollable column and row shown.
    Integer LeftCol() const { return FTopLeft.X; }
    void SetLeftCol(Integer Value);
    Integer TopRow() const { return FTopLeft.Y; }
    void SetTopRow(Integer Value);
    // The scrollable columns and rows shown in full from LeftCol and TopRow
    // on (at least one while there are scrollable ones).
    Integer VisibleColCount() const;
    Integer VisibleRowCount() const;

    // ---- Current cell and selection ----
    Integer Col() const { return FCurrent.X; }
    void SetCol(Integer Value);
    Integer Row() const { return FCurrent.Y; }
    void SetRow(Integer Value);
    // Makes a cell current when SelectCell allows it; the anchor of a range
    // selection follows when MoveAnchor; Show scrolls the cell into view.
    void FocusCell(Integer ACol, Integer ARow, bool MoveAnchor);
    void MoveColRow(Integer ACol, Integer ARow, bool MoveAnchor, bool Show);
    // The selected rectangle, normalised (Left <= Right, Top <= Bottom).
    TGridRect Selection() const;
    // Anchors the selection at its top left and makes its bottom right current.
    void SetSelection(const TGridRect& Value);
    // Anchors the selection at its top left and makes its bottom right
    // current without asking SelectCell and without checking the grid's
    // bounds: a selection parked outside the grid (at ColCount, RowCount)
    // marks it hidden. Nothing is scrolled.
    void PlaceSelection(const TGridRect& Value);

    TGridOptions Options() const { return FOptions; }
    void SetOptions(TGridOptions Value);
    TGridState GridState() const { return FGridState; }
    void SetGridState(TGridState Value) { FGridState = Value; }
    TScrollStyle ScrollBars() const { return FScrollBars; }
    void SetScrollBars(TScrollStyle Value);
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle Value);
    TColor FixedColor() const { return FFixedColor; }
    void SetFixedColor(TColor Value);
    bool DefaultDrawing() const { return FDefaultDrawing; }
    void SetDefaultDrawing(bool Value);
    TGridDrawingStyle DrawingStyle() const { return FDrawingStyle; }
    void SetDrawingStyle(TGridDrawingStyle Value);

    // ---- Hit test ----
    // The rectangle of a shown cell, clipped at the client area; empty when
    // the cell is not shown.
    TRect CellRect(Integer ACol, Integer ARow) const;
    // The cell at a client point; -1 for a coordinate outside the cells.
    void MouseToCell(Integer X, Integer Y, Integer& ACol, Integer& ARow) const;
    TGridCoord MouseCoord(Integer X, Integer Y) const;

    // ---- Moving ----
    // Moves a column (row) to another index; widths, the current cell and the
    // cell contents follow, then ColumnMoved (RowMoved) tells.
    void MoveColumn(Integer FromIndex, Integer ToIndex);
    void MoveRow(Integer FromIndex, Integer ToIndex);
    void DeleteColumn(Integer ACol);
    void DeleteRow(Integer ARow);

    // ---- Row-store block operations ----
    // Each is one shift of the row store with the row heights travelling with
    // their rows, and no notification per row (one repaint, no RowMoved).
    // The current cell and the selection anchor keep their indexes, clamped
    // into the grid. Rows removed from the store are forgotten: their cells'
    // objects are not freed (the caller owns them).
    // Count blank rows of the default height at Index (0 .. RowCount).
    virtual void InsertRowBlock(Integer Index, Integer Count);
    // Takes rows Index .. Index + Count - 1 out; at least one row stays.
    virtual void DeleteRowBlock(Integer Index, Integer Count);
    // Moves rows From .. From + Count - 1 so that the block starts at To
    // (an index of the grid after the move: 0 .. RowCount - Count).
    virtual void MoveRowBlock(Integer From, Integer Count, Integer To);
    // Reorders rows First .. First + Order.size() - 1: row First + i takes the
    // old row First + Order[i]. Order must be a permutation of 0 .. size - 1.
    virtual void PermuteRows(Integer First, const std::vector<Integer>& Order);

    // ---- In-place editor ----
    bool EditorMode() const { return FEditorMode; }
    void SetEditorMode(bool Value);
    void ShowEditor();
    void HideEditor();
    // The editor, once made (null before).
    TInplaceEdit* InplaceEditor() const { return FInplaceEdit; }
    // Text of a cell as the editor shows and stores it.
    virtual String GetEditText(Integer ACol, Integer ARow);
    virtual void SetEditText(Integer ACol, Integer ARow, const String& Value);
    virtual String GetEditMask(Integer ACol, Integer ARow);
    virtual Integer GetEditLimit();

    void WndProc(TMessage& Message) override;

protected:
    // Scales the default and the per-column and per-row sizes too.
    void ChangeScale(Integer M, Integer D) override;
    // ---- Hooks ----
    virtual bool SelectCell(Integer ACol, Integer ARow);
    virtual void DrawCell(Integer ACol, Integer ARow, const TRect& ARect, TGridDrawState AState) = 0;
    virtual void TopLeftChanged() {}
    virtual void ColWidthsChanged();
    virtual void RowHeightsChanged();
    virtual void SizeChanged(Integer /*OldColCount*/, Integer /*OldRowCount*/) {}
    virtual void ColumnMoved(Integer /*FromIndex*/, Integer /*ToIndex*/) {}
    virtual void RowMoved(Integer /*FromIndex*/, Integer /*ToIndex*/) {}
    // After DeleteColumn (DeleteRow) the deleted line has been moved to the
    // index just past the new count; a grid that stores cells forgets them
    // there, so that growing the grid again shows blank cells.
    virtual void ColumnDeleted(Integer /*ACol*/) {}
    virtual void RowDeleted(Integer /*ARow*/) {}
    virtual bool CanEditShow();
    virtual TInplaceEdit* CreateEditor();
    // Whether a press at X, Y starts sizing a column or row, which one, and
    // where its left or top edge is.
    virtual void CalcSizingState(Integer X, Integer Y, TGridState& State, Integer& Index, Integer& SizingPos,
                                 Integer& SizingOfs);
    // Whether a scroll bar that ScrollBars allows stays shown (disabled) when
    // nothing needs scrolling.
    virtual bool KeepScrollBarVisible(bool /*Vertical*/) const { return false; }

    void Paint() override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyPress(Char& Key) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos) override;
    bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos) override;
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void Resize() override;

    void InvalidateCell(Integer ACol, Integer ARow);
    void InvalidateGrid() { Invalidate(); }
    // Scrolls so that a cell is shown in full (as far as the client allows).
    void ScrollInView(Integer ACol, Integer ARow);
    void UpdateScrollBars();

private:
    // One axis of the grid: columns (horizontal) or rows (vertical).
    struct TAxis {
        Integer Count;
        Integer FixedCount;
        Integer First; // first scrollable index shown
        Integer ClientSize;
        const std::vector<Integer>* Sizes;
        Integer DefaultSize;
        Integer LineWidth;
        Integer Size(Integer Index) const {
            return Index < Integer(Sizes->size()) ? (*Sizes)[Index] : DefaultSize;
        }
        Integer Extent(Integer Index) const;
        Integer FixedExtent() const;
        // Client position of an index's start; -1 when it is not shown.
        Integer Start(Integer Index) const;
        Integer FullVisibleCount() const;
        // Index shown at a position; -1 outside the cells.
        Integer IndexAt(Integer Pos) const;
        // The largest First that still fills the client with the last indexes.
        Integer MaxFirst() const;
        // The last index shown, in part or in full.
        Integer LastShown() const;
    };
    TAxis Horz() const;
    TAxis Vert() const;

    void CheckCoord(Integer ACol, Integer ARow) const;
    void SetTopLeft(Integer ALeft, Integer ATop);
    void ClampTopLeft();
    void AfterSizesChanged();
    void SelectionMoved(const TGridRect& OldSelection);
    void InvalidateRange(const TGridRect& Range);
    void UpdateEditor();
    void HandleScroll(bool Vertical, Integer Code, Integer Position);
    void MoveSizes(std::vector<Integer>& Sizes, Integer DefaultSize, Integer Count, Integer From, Integer To);
    // The row count after a block operation: clamps the current cell and the
    // anchor, reports the size change and repaints once.
    void RowCountChangedByBlock(Integer OldRowCount);
    void EndMouseState(Integer X, Integer Y);
    // While a drag selects, sizes or moves beyond the cells, a timer scrolls
    // towards the mouse.
    void StartScrollTimer();
    void StopScrollTimer();
    void TimedScroll();

    Integer FColCount = 5;
    Integer FRowCount = 5;
    Integer FFixedCols = 1;
    Integer FFixedRows = 1;
    Integer FDefaultColWidth = 64;
    Integer FDefaultRowHeight = 24;
    std::vector<Integer> FColWidths; // sizes of columns that differ from or were set after the default
    std::vector<Integer> FRowHeights;
    Integer FGridLineWidth = 1;
    TGridCoord FTopLeft{1, 1};
    TGridCoord FCurrent{1, 1};
    TGridCoord FAnchor{1, 1};
    TGridOptions FOptions{goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect};
    TGridState FGridState = gsNormal;
    TScrollStyle FScrollBars = ssBoth;
    TBorderStyle FBorderStyle = bsSingle;
    TColor FFixedColor = clBtnFace;
    bool FDefaultDrawing = true;
    TGridDrawingStyle FDrawingStyle = gdsClassic;
    bool FEditorMode = false;
    TInplaceEdit* FInplaceEdit = nullptr;
    // The drag in progress: sizing or moving index, its start, the offset.
    Integer FSizingIndex = -1;
    Integer FSizingPos = 0;
    Integer FSizingOfs = 0;
    Integer FMoveIndex = -1;
    bool FScrollTimer = false;
};

using TDrawCellEvent =
    std::function<void(TObject* Sender, Integer ACol, Integer ARow, TRect Rect, TGridDrawState State)>;
using TSelectCellEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow, bool& CanSelect)>;
using TMovedEvent = std::function<void(TObject* Sender, Integer FromIndex, Integer ToIndex)>;
using TGetEditEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow, String& Value)>;
using TSetEditEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow, const String& Value)>;

class TCustomDrawGrid : public TCustomGrid {
    RTL_CLASS(TCustomDrawGrid)
public:
    explicit TCustomDrawGrid(TComponent* AOwner);

    String GetEditText(Integer ACol, Integer ARow) override;
    void SetEditText(Integer ACol, Integer ARow, const String& Value) override;

    TDrawCellEvent OnDrawCell;
    TSelectCellEvent OnSelectCell;
    TNotifyEvent OnTopLeftChanged;
    TMovedEvent OnColumnMoved;
    TMovedEvent OnRowMoved;
    TGetEditEvent OnGetEditText;
    TSetEditEvent OnSetEditText;

protected:
    bool SelectCell(Integer ACol, Integer ARow) override;
    void DrawCell(Integer ACol, Integer ARow, const TRect& ARect, TGridDrawState AState) override;
    void TopLeftChanged() override;
    void ColumnMoved(Integer FromIndex, Integer ToIndex) override;
    void RowMoved(Integer FromIndex, Integer ToIndex) override;
};

class TDrawGrid : public TCustomDrawGrid {
    RTL_CLASS(TDrawGrid)
public:
    explicit TDrawGrid(TComponent* AOwner) : TCustomDrawGrid(AOwner) {}
};

class TStringGrid;

// A column or row of a string grid seen as a list of lines: line i is the
// cell at index i, over the grid's current column (row) count.
class TStringGridStrings : public TStrings {
    RTL_CLASS(TStringGridStrings)
public:
    TStringGridStrings(TStringGrid* AGrid, bool AIsColumn, Integer AIndex)
        : FGrid(AGrid), FIsColumn(AIsColumn), FIndex(AIndex) {}

    Integer Count() const override;
    String Get(Integer Index) const override;
    void Put(Integer Index, const String& S) override;
    TObject* GetObject(Integer Index) const override;
    void PutObject(Integer Index, TObject* AObject) override;
    // Empties every cell of the line.
    void Clear() override;
    // Cells do not shift: deleting or inserting lines is refused.
    void Delete(Integer Index) override;
    void Insert(Integer Index, const String& S) override;
    // Copies line by line over the current count; cells past the source's
    // lines are emptied.
    void Assign(const TPersistent* Source) override;

private:
    TStringGrid* FGrid;
    bool FIsColumn;
    Integer FIndex;
};

class TStringGrid : public TDrawGrid {
    RTL_CLASS(TStringGrid)
public:
    explicit TStringGrid(TComponent* AOwner);
    ~TStringGrid() override;

    // Cells may be read and written at any non-negative index, also past
    // ColCount and RowCount; a cell never written is empty. Contents outside
    // the grid's counts are kept and show again when the grid grows.
    String Cells(Integer ACol, Integer ARow) const;
    void SetCells(Integer ACol, Integer ARow, const String& Value);
    TObject* Objects(Integer ACol, Integer ARow) const;
    void SetObjects(Integer ACol, Integer ARow, TObject* Value);
    // The column or row as lines (a view owned by the grid).
    TStrings* Cols(Integer Index);
    void SetCols(Integer Index, const TStrings* Value) { Cols(Index)->Assign(Value); }
    TStrings* Rows(Integer Index);
    void SetRows(Integer Index, const TStrings* Value) { Rows(Index)->Assign(Value); }

    // While updating, cell changes do not repaint their cells.
    void BeginUpdate() { ++FUpdateCount; }
    void EndUpdate();

    String GetEditText(Integer ACol, Integer ARow) override;
    void SetEditText(Integer ACol, Integer ARow, const String& Value) override;

protected:
    // Moves a cell's text out and leaves the cell empty, without a repaint:
    // for rows about to leave the grid whose texts are kept elsewhere.
    String TakeCellText(Integer ACol, Integer ARow);
    void DrawCell(Integer ACol, Integer ARow, const TRect& ARect, TGridDrawState AState) override;
    void ColumnMoved(Integer FromIndex, Integer ToIndex) override;
    void RowMoved(Integer FromIndex, Integer ToIndex) override;
    void ColumnDeleted(Integer ACol) override;
    void RowDeleted(Integer ARow) override;

public:
    void InsertRowBlock(Integer Index, Integer Count) override;
    void DeleteRowBlock(Integer Index, Integer Count) override;
    void MoveRowBlock(Integer From, Integer Count, Integer To) override;
    void PermuteRows(Integer First, const std::vector<Integer>& Order) override;
    // Shifts the stored cells of every row (also rows past RowCount) right
    // from column Index by Count blank cells, or drops the cells of columns
    // Index .. Index + Count - 1 (their objects are not freed). Column
    // counts and widths are the caller's.
    void InsertCellColumns(Integer Index, Integer Count);
    void DeleteCellColumns(Integer Index, Integer Count);

private:
    struct TCellData {
        String Text;
        TObject* Object = nullptr;
    };
    // A row of cells, as long as its last written column.
    using TCellRow = std::vector<TCellData>;

    // The rows of cells, each behind one pointer (null for a row never
    // written), held in chunks of at most a few thousand pointers that know
    // their first row index. Inserting or deleting a row shifts the pointers
    // of one chunk and renumbers the chunks after it; no cell moves. Rows at
    // or past Size() are blank.
    class TRowStore {
    public:
        TRowStore() = default;
        TRowStore(const TRowStore&) = delete;
        TRowStore& operator=(const TRowStore&) = delete;
        ~TRowStore();

        Integer Size() const { return FSize; }
        // The row at Index, or null when nothing is stored there.
        TCellRow* Find(Integer Index) const;
        // The row at Index, created when missing (the store grows to hold it)
        // with room for Reserve cells.
        TCellRow& Get(Integer Index, Integer Reserve);
        // Count blank rows at Index; nothing happens at or past Size().
        void Insert(Integer Index, Integer Count);
        // Frees the rows Index .. Index + Count - 1 (those stored) and closes the gap.
        void Erase(Integer Index, Integer Count);
        // Frees the row at Index, which stays as a blank row.
        void Clear(Integer Index);
        // Grows to at least Count rows.
        void Grow(Integer Count);
        // The pointers of rows First .. First + Count - 1 (all below Size()),
        // and writing them back in another order.
        std::vector<TCellRow*> Take(Integer First, Integer Count) const;
        void Put(Integer First, const std::vector<TCellRow*>& Rows);
        // Calls F(row) for every stored row.
        template <class F>
        void ForEach(F&& Fn) {
            for (auto& Chunk : FChunks)
                for (TCellRow* Row : Chunk.Rows)
                    if (Row) Fn(*Row);
        }

    private:
        struct TChunk {
            Integer Start = 0;
            std::vector<TCellRow*> Rows;
        };
        // The chunk holding row Index (< Size()).
        size_t Locate(Integer Index) const;
        // Makes a chunk start at row Index (<= Size()) and returns it
        // (FChunks.size() for Size()).
        size_t SplitAt(Integer Index);
        // Joins chunk Index with the one before when both are small.
        void MergeSmall(size_t Index);
        void Renumber(size_t From);

        std::vector<TChunk> FChunks;
        Integer FSize = 0;
        mutable size_t FLast = 0; // the chunk found last: cell reads go row by row
    };

    const TCellData* FindCell(Integer ACol, Integer ARow) const;
    // Moves stored rows From .. From + Count - 1 to start at To.
    void MoveRowBlockInStore(Integer From, Integer Count, Integer To);
    TCellData& CellAt(Integer ACol, Integer ARow);
    void CellChanged(Integer ACol, Integer ARow);

    TRowStore FData;
    std::vector<std::unique_ptr<TStringGridStrings>> FColViews;
    std::vector<std::unique_ptr<TStringGridStrings>> FRowViews;
    Integer FUpdateCount = 0;
};

#pragma once
// TBaseGrid, the base of every grid of the program: cell texts with an
// optional property record per cell, merged cells, the display events, the
// geometry of cells and merged areas, painting every cell itself over merged
// areas, keys and wheel that step over merged cells, and the undo link.
//
// Storage: the platform string grid keeps the cells row by row (a row is one
// vector, so moving, inserting or deleting rows moves whole rows); a cell's
// object slot holds nothing or its TCellProperties record.

#include "gridbase/GridTypes.h"
#include "rtl/Component.h"
#include "vcl/Grids.h"

class TBaseGrid;
class TKelGridUndoRedo;

// The property record of one cell, with the merge encoding: an unmerged
// cell has IsBaseCell True and spans -1/-1; the base (top-left) cell of an
// area of w columns and h rows has spans w-1/h-1; a covered cell has
// IsBaseCell False and its offsets back to the base as spans.
class TCellProperties : public TPersistent {
    RTL_CLASS(TCellProperties)
public:
    TCellProperties(TBaseGrid* AOwner, Integer ACol, Integer ARow);
    ~TCellProperties() override;

    // Copies everything but BrushColorTo, GradientDirection, CalcType,
    // CalcObject, the graphic object and the paint stamp.
    void Assign(const TPersistent* Source) override;

    // The base cell of the area, for the cell (c, r) that owns this record.
    TPoint BaseCellOf(Integer c, Integer r) const;

    TBaseGrid* OwnerGrid() const { return FOwnerGrid; }
    Integer OwnerCol() const { return FOwnerCol; }
    void SetOwnerCol(Integer Value) { FOwnerCol = Value; }
    Integer OwnerRow() const { return FOwnerRow; }
    void SetOwnerRow(Integer Value) { FOwnerRow = Value; }

    TObject* CellObject() const { return FObject; }
    void SetCellObject(TObject* Value) { FObject = Value; }
    TObject* GraphicObject() const { return FGraphicObject; }
    // Whether the grid frees the graphic object with the record: set for the
    // graphics the grid made (class "TCellGraphic") or was given to own.
    bool GraphicOwned() const { return FGraphicOwned; }
    void SetGraphicObject(TObject* Value, bool Owned = false);

    TBrushStyle BrushStyle() const { return FBrushStyle; }
    void SetBrushStyle(TBrushStyle Value) { FBrushStyle = Value; }
    TColor BrushColor() const { return FBrushColor; }
    void SetBrushColor(TColor Value);
    TColor BrushColorTo() const { return FBrushColorTo; }
    void SetBrushColorTo(TColor Value);
    Integer FontSize() const { return FFontHeight; }
    void SetFontSize(Integer Value) { FFontHeight = Value; }
    TColor FontColor() const { return FFontColor; }
    void SetFontColor(TColor Value) { FFontColor = Value; }
    TFontStyles FontStyle() const { return FFontStyle; }
    void SetFontStyle(TFontStyles Value) { FFontStyle = Value; }
    // Reads 0 while MergeCollaps is set.
    Integer CellSpanY() const { return FMergeCollaps ? 0 : FCellSpanY; }
    void SetCellSpanY(Integer Value) { FCellSpanY = Value; }
    Integer CellSpanX() const { return FCellSpanX; }
    void SetCellSpanX(Integer Value) { FCellSpanX = Value; }
    Integer BorderWidth() const { return FBorderWidth; }
    void SetBorderWidth(Integer Value) { FBorderWidth = Value; }
    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor Value) { FBorderColor = Value; }
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value) { FAlignment = Value; }
    TVAlignment VAlignment() const { return FVAlignment; }
    void SetVAlignment(TVAlignment Value);
    Integer PaintID() const { return FPaintID; }
    void SetPaintID(Integer Value) { FPaintID = Value; }
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool Value);
    bool IsBaseCell() const { return FIsBaseCell; }
    void SetIsBaseCell(bool Value) { FIsBaseCell = Value; }
    TColumnCalcType CalcType() const { return FCalcType; }
    void SetCalcType(TColumnCalcType Value) { FCalcType = Value; }
    TObject* CalcObject() const { return FCalcObject; }
    void SetCalcObject(TObject* Value) { FCalcObject = Value; }
    Integer NodeLevel() const { return FNodeLevel; }
    void SetNodeLevel(Integer Value) { FNodeLevel = Value; }
    TEditorType Editor() const { return FEditor; }
    void SetEditor(TEditorType Value) { FEditor = Value; }
    String FontName() const { return FFontName; }
    void SetFontName(const String& Value) { FFontName = Value; }
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool Value) { FReadOnly = Value; }
    TCellGradientDirection GradientDirection() const { return FGradientDirection; }
    void SetGradientDirection(TCellGradientDirection Value) { FGradientDirection = Value; }
    TControl* Control() const { return FControl; }
    void SetControl(TControl* Value) { FControl = Value; }
    bool MergeCollaps() const { return FMergeCollaps; }
    void SetMergeCollaps(bool Value) { FMergeCollaps = Value; }

private:
    void RepaintOwnerCell();

    TBaseGrid* FOwnerGrid;
    Integer FOwnerCol;
    Integer FOwnerRow;
    TObject* FObject = nullptr;
    TObject* FGraphicObject = nullptr;
    bool FGraphicOwned = false;
    TBrushStyle FBrushStyle = bsSolid;
    TColor FBrushColor = clNone;
    TColor FBrushColorTo = clNone;
    Integer FFontHeight = 0;
    TColor FFontColor = clNone;
    TFontStyles FFontStyle;
    Integer FCellSpanY = -1;
    Integer FCellSpanX = -1;
    Integer FBorderWidth = 0;
    TColor FBorderColor = 0;
    TAlignment FAlignment = taLeftJustify;
    TVAlignment FVAlignment = vtaTop;
    Integer FPaintID = 0;
    bool FWordWrap = true;
    bool FIsBaseCell = true;
    TColumnCalcType FCalcType = acNONE;
    TObject* FCalcObject = nullptr;
    Integer FNodeLevel = 0;
    TEditorType FEditor = edNormal;
    String FFontName;
    bool FReadOnly = false;
    TCellGradientDirection FGradientDirection = GradientVertical;
    TControl* FControl = nullptr;
    bool FMergeCollaps = false;
};

// The platform string grid under the base grid (adds nothing).
class TObjStringGrid : public TStringGrid {
    RTL_CLASS(TObjStringGrid)
public:
    explicit TObjStringGrid(TComponent* AOwner) : TStringGrid(AOwner) {}
};

// The 8-bit-safe form of a wide text: "|\" then, per character, its high
// byte and its low byte as two characters 0..255.
String EncodeWideCellText(const String& Wide);
// A text without the "|\" prefix comes back unchanged; an odd last
// character is ignored.
String DecodeWideCellText(const String& Text);

class TBaseGrid : public TObjStringGrid {
    RTL_CLASS(TBaseGrid)
public:
    explicit TBaseGrid(TComponent* AOwner);
    ~TBaseGrid() override;
    void BeforeDestruction() override;

    // ---- Cells ----
    // Cells address the base cell of a merged area and pass the display
    // events; GridCells is exactly the raw text of the cell. Outside the
    // grid, reads are empty and writes do nothing.
    String Cells(Integer ACol, Integer ARow);
    void SetCells(Integer ACol, Integer ARow, const String& Value);
    String GridCells(Integer ACol, Integer ARow) const;
    void SetGridCells(Integer ACol, Integer ARow, const String& Value);
    // The user object kept in the cell's record (no record: null).
    TObject* Objects(Integer ACol, Integer ARow) const;
    void SetObjects(Integer ACol, Integer ARow, TObject* Value);
    TObject* GraphicObjects(Integer ACol, Integer ARow) const;
    // Owned: the grid frees the graphic with its record.
    void SetGraphicObjects(Integer ACol, Integer ARow, TObject* Value, bool Owned = false);
    // Reading creates the record when the cell has none (null outside the
    // grid); writing frees the record in the slot and stores the new one.
    TCellProperties* CellProperties(Integer ACol, Integer ARow);
    void SetCellProperties(Integer ACol, Integer ARow, TCellProperties* Value);
    bool HasCellProperties(Integer ACol, Integer ARow) const;
    TCellProperties* GetRawObject(Integer ACol, Integer ARow) const;
    void SetRawObject(Integer ACol, Integer ARow, TCellProperties* Value);
    static TObject* GetPropsGraphic(const TCellProperties* Props);

    // ---- Merged cells ----
    // Merges are clipped to the grid.
    virtual void MergeCells(Integer c, Integer r, Integer spanx, Integer spany);
    virtual void SplitCells(Integer c, Integer r);
    TPoint BaseCell(Integer ACol, Integer ARow) const;
    bool IsBaseCell(Integer ACol, Integer ARow) const;
    bool ResolveBaseCell(Integer ACol, Integer ARow, Integer& BaseCol, Integer& BaseRow) const;
    bool IsMergedCell(Integer ACol, Integer ARow) const;
    bool IsMergedNonBaseCell(Integer ACol, Integer ARow) const;
    bool IsXMergedCell(Integer ACol, Integer ARow) const;
    bool IsYMergedCell(Integer ACol, Integer ARow) const;
    TPoint CellSpan(Integer ACol, Integer ARow) const;
    TPoint CellExt(Integer ACol, Integer ARow) const;
    TRect FullCell(Integer ACol, Integer ARow) const;
    Integer MinRowSpan(Integer ARow) const;
    Integer MaxRowSpan(Integer ARow) const;
    bool RowSpanIdentical(Integer ARow1, Integer ARow2) const;
    bool ColSpanIdentical(Integer ACol1, Integer ACol2) const;
    Integer MergeCount() const { return FMergeCount; }

    // ---- Geometry ----
    TRect CellRect(Integer ACol, Integer ARow);
    TPoint CellSize(Integer ACol, Integer ARow);
    TRect GetVirtualCellRect(Integer ACol, Integer ARow) const;

    // ---- Clearing ----
    void ClearColumnCells(Integer ACol);
    void ClearRowCells(Integer ARow);
    void ClearCell(Integer ACol, Integer ARow);
    void ClearCellProps(Integer ACol, Integer ARow);
    void ClearCellPropsRange(Integer FromCol, Integer FromRow, Integer ToCol, Integer ToRow);
    void ClearAllCellProps();

    // ---- Painting ----
    void PaintCell(TCanvas* ACanvas, Integer ACol, Integer ARow, TRect ARect, TGridDrawState AState);
    void PaintCellExt(TCanvas* ACanvas, Integer ACol, Integer ARow, TRect ARect, TGridDrawState AState);
    void RepaintCell(Integer ACol, Integer ARow);
    void FocusBaseCell();
    Integer PaintID() const { return FPaintID; }

    // ---- Properties ----
    bool DefaultDrawing() const { return FDefaultDrawing; }
    void SetDefaultDrawing(bool Value);
    Integer GridLineWidth() const { return FGridLineWidth; }
    void SetGridLineWidth(Integer Value);
    TColor GridLineColor() const { return FGridLineColor; }
    void SetGridLineColor(TColor Value);
    TColor GridFixedLineColor() const { return FGridFixedLineColor; }
    void SetGridFixedLineColor(TColor Value);
    Integer GridFixedLineWidth() const { return FGridFixedLineWidth; }
    void SetGridFixedLineWidth(Integer Value);
    bool ActiveRowShow() const { return FActiveRowShow; }
    void SetActiveRowShow(bool Value);
    TColor ActiveRowColor() const { return FActiveRowColor; }
    void SetActiveRowColor(TColor Value);
    TColor ActiveRowColorTo() const { return FActiveRowColorTo; }
    void SetActiveRowColorTo(TColor Value);
    TColor ActiveRowMirrorColor() const { return FActiveRowMirrorColor; }
    void SetActiveRowMirrorColor(TColor Value);
    TColor ActiveRowMirrorColorTo() const { return FActiveRowMirrorColorTo; }
    void SetActiveRowMirrorColorTo(TColor Value);
    TGridSelectionStyle SelectionStyle() const { return FSelectionStyle; }
    void SetSelectionStyle(TGridSelectionStyle Value);
    bool HoverRow() const { return FHoverRow; }
    void SetHoverRow(bool Value) { FHoverRow = Value; }
    TColor HoverRowColor() const { return FHoverRowColor; }
    void SetHoverRowColor(TColor Value) { FHoverRowColor = Value; }
    TColor HoverRowColorTo() const { return FHoverRowColorTo; }
    void SetHoverRowColorTo(TColor Value) { FHoverRowColorTo = Value; }
    THoverRowCells HoverRowCells() const { return FHoverRowCells; }
    void SetHoverRowCells(THoverRowCells Value) { FHoverRowCells = Value; }
    Integer HoverRowIdx() const { return FHoverRowIdx; }
    void SetHoverRowIdx(Integer Value) { FHoverRowIdx = Value; }
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool Value) { FWordWrap = Value; }
    bool ShowSel() const { return FShowSel; }
    void SetShowSel(bool Value) { FShowSel = Value; }
    bool HideLastRow() const { return FHideLastRow; }
    void SetHideLastRow(bool Value) { FHideLastRow = Value; }
    Integer NormalRowCount() const { return FNormalRowCount; }
    void SetNormalRowCount(Integer Value) { FNormalRowCount = Value; }
    bool HasCellProps() const { return FHasCellProps; }
    void SetHasCellProps(bool Value) { FHasCellProps = Value; }
    bool EditCellSet() const { return FEditCellSet; }
    TKelGridUndoRedo* UndoRedo() const { return FUndoRedo; }
    void SetUndoRedo(TKelGridUndoRedo* Value);

    TGetDisplTextEvent OnGetDisplText;
    TGetDisplWideTextEvent OnGetDisplWideText;

    // ---- Virtual operations (the string grid overrides them) ----
    virtual Extended GetDPIScale() { return 1.0; }
    virtual bool IsFixed(Integer /*ACol*/, Integer /*ARow*/) { return false; }
    virtual Integer GetNodeIndent(Integer /*ARow*/) { return 0; }
    virtual bool HasNodes() { return false; }
    virtual bool IsNode(Integer ARow) = 0;
    virtual bool IsSummary(Integer ARow) = 0;
    virtual void DrawCellContent(TCanvas* ACanvas, Integer ACol, Integer ARow, TRect ARect,
                                 TGridDrawState AState);
    virtual void HiddenRowChanged() {}
    virtual bool HasCellCheckBox(Integer ACol, Integer ARow) = 0;
    virtual void SetCellCheckText(Integer ACol, Integer ARow, const String& Value) = 0;
    virtual void GetDisplText(Integer ACol, Integer ARow, String& Value);
    virtual void GetDisplWideText(Integer ACol, Integer ARow, String& Value);
    virtual void GetCellLook(Integer ACol, Integer ARow, TFont* AFont, TBrush* ABrush, TColor& ColorTo,
                             TColor& MirrorColor, TColor& MirrorColorTo, TAlignment& HAlign, TVAlignment& VAlign,
                             bool& WordWrap, TCellGradientDirection& GradientDirection);
    virtual TAlignment DefaultCellAlignment() { return taLeftJustify; }
    virtual void CellChanged(Integer /*ACol*/, Integer /*ARow*/) {}
    virtual bool HasCellBorders() { return false; }
    virtual bool UsesVCLStyles() { return false; }
    virtual void GetVisualProperties(Integer ACol, Integer ARow, TGridDrawState& AState, bool Print, bool Select,
                                     bool Remap, TBrush* ABrush, TColor& AColorTo, TColor& AMirrorColor,
                                     TColor& AMirrorColorTo, TFont* AFont, TAlignment& HA, TVAlignment& VA,
                                     bool& WW, TCellGradientDirection& GD);
    virtual Integer RealColIndex(Integer ACol) const { return ACol; }
    virtual Integer DisplColIndex(Integer ACol) const { return ACol; }
    virtual Integer TotalColCount() const { return ColCount(); }

protected:
    void Paint() override;
    void DrawCell(Integer ACol, Integer ARow, const TRect& ARect, TGridDrawState AState) override;
    bool SelectCell(Integer ACol, Integer ARow) override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos) override;
    bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos) override;
    void TopLeftChanged() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

    // The record of a cell that has one, else null (no creation).
    TCellProperties* RecordOf(Integer ACol, Integer ARow) const;
    bool InGrid(Integer ACol, Integer ARow) const;

private:
    TCellProperties* CreateCellProperties(Integer ACol, Integer ARow);
    void FreeRecord(TCellProperties* Props);
    void DoPaintCell(TCanvas* ACanvas, Integer ACol, Integer ARow, TRect ARect, TGridDrawState AState, bool Full);

    bool FDefaultDrawing = false;
    Integer FGridLineWidth = 1;
    TColor FGridLineColor = 0xC0C0C0;
    TColor FGridFixedLineColor = 0x808080;
    Integer FGridFixedLineWidth = 1;
    Integer FPaintID = 1;
    bool FHideLastRow = false;
    Integer FNormalRowCount = 0;
    TKelGridUndoRedo* FUndoRedo = nullptr;
    bool FWordWrap = true;
    bool FActiveRowShow = false;
    TColor FActiveRowColor = clInfoBk;
    TColor FActiveRowColorTo = clNone;
    TColor FActiveRowMirrorColor = clNone;
    TColor FActiveRowMirrorColorTo = clNone;
    TGridSelectionStyle FSelectionStyle = ssDefault;
    std::unique_ptr<TFont> FDefFont;
    std::unique_ptr<TBrush> FDefBrush;
    Integer FHoverRowIdx = -1;
    bool FHoverRow = false;
    THoverRowCells FHoverRowCells{hcNormal, hcSelected};
    TColor FHoverRowColor = clInfoBk;
    TColor FHoverRowColorTo = clNone;
    bool FShowSel = true;
    bool FHasCellProps = false;
    Integer FMergeCount = 0;
    bool FEditCellSet = false;
};

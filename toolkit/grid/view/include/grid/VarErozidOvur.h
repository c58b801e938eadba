#pragma once
// TVarErozidOvur: the string grid with one TGridColumnItem per column. It
// keeps the items in step with the grid's columns (count, moves, insertion,
// removal, grouping, DPI changes, header texts), opens a column's pop-up
// menu, and answers the per-cell questions of painting, printing, editing,
// sorting and filtering from the cell's column before the string grid's own
// answer (and the application's events) runs.
//
// Invariant: the collection holds ColCount + hidden columns items; item i
// describes the column with index i among all columns.

#include "grid/GridColumnItem.h"
#include "grid/ZirOvararIzaz.h"

class TPopupMenu;

using TAfterColumnMoved = std::function<void(TObject* Sender, Integer FromIndex, Integer ToIndex)>;
using TColumnPopupEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow, TPopupMenu* PopupMenu)>;

class TVarErozidOvur : public TZirOvararIzaz {
    RTL_CLASS(TVarErozidOvur)
public:
    explicit TVarErozidOvur(TComponent* AOwner);
    ~TVarErozidOvur() override;
    void AfterConstruction() override;
    void BeforeDestruction() override;
    void Loaded() override;

    // Shown columns; writing also brings the items in step.
    Integer ColCount() const { return TZirOvararIzaz::ColCount(); }
    void SetColCount(Integer Value);
    TGridColumnCollection* Columns() const { return FColumnCollection.get(); }
    void SetColumns(const TGridColumnCollection* Value) { FColumnCollection->Assign(Value); }
    // The first column whose Name is exactly AName; null when none.
    TGridColumnItem* ColumnByName(const String& AName) const;
    bool AutoFilterDisplay() const { return FAutoFilterDisplay; }
    void SetAutoFilterDisplay(bool Value) { FAutoFilterDisplay = Value; }
    // Set while a column move carries its item along.
    bool ColMoving() const { return FColMoving; }

    // Adds items (each copying its predecessor's look) or frees the last ones
    // until there is one per column, hidden ones included.
    void SyncColumnCount();
    // Items without a Header take the text of row 0 of their column; then
    // ColumnHeaders lists every item's Header.
    void SyncColumnHeaders();

    void InsertCols(Integer ColIndex, Integer CCount) override;
    void RemoveCols(Integer ColIndex, Integer CCount) override;
    void Group(Integer ColIndex) override;
    void UnGroup() override;
    Integer GetVersionNr() override;
    String GetVersionString() override;

    TAfterColumnMoved OnAfterColumnMoved;
    TColumnPopupEvent OnColumnPopup;

    // ---- Per-cell answers from the columns ----
    void GetCellLook(Integer ACol, Integer ARow, TFont* AFont, TBrush* ABrush, TColor& ColorTo,
                     TColor& MirrorColor, TColor& MirrorColorTo, TAlignment& HAlign, TVAlignment& VAlign,
                     bool& WordWrap, TCellGradientDirection& GradientDirection) override;
    String GetFormattedCell(Integer ACol, Integer ARow) override;
    TCellType GetCellType(Integer ACol, Integer ARow) override;
    TCellGraphic* GetCellGraphic(Integer ACol, Integer ARow) override;

protected:
    // The collection the grid keeps its items in.
    virtual std::unique_ptr<TGridColumnCollection> CreateColumns();
    void CreateWnd() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void ColumnMoved(Integer FromIndex, Integer ToIndex) override;
    void ColWidthsChanged() override;
    // Any change of the column count (also through the string grid's own
    // operations) brings the items in step.
    void SizeChanged(Integer OldColCount, Integer OldRowCount) override;
    void ChangeScale(Integer M, Integer D) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void ColumnHeadersChanged(TObject* Sender) override;
    void RecalcFooter(Integer ACol) override;
    void EditingAllowedChanged() override;
    void StyleApplied() override;

    // ---- Per-cell answers from the columns ----
    bool HasColumnAlignment() override { return true; }
    void DoGetFloatFormat(Integer ACol, Integer ARow, String& AFloatFormat) override;
    void DoGetEditorProp(Integer ACol, Integer ARow, TObject* AEditLink) override;
    // The column's editor settings into the editors the grid has made:
    // combo items and drop-down count, spin limits and step, button width
    // and caption.
    void ApplyColumnEditorSettings(const TGridColumnItem& Item);
    void DoUpdateColumnSize(Integer ACol, Integer& AWidth) override;
    void DoUpdateAutoColumnSize(Integer ACol, Integer& AWidth) override;
    void DoGetCellColor(Integer ACol, Integer ARow, TGridDrawState AState, TBrush* ABrush, TFont* AFont) override;
    void DoGetCellPrintColor(Integer ACol, Integer ARow, TGridDrawState AState, TBrush* ABrush,
                             TFont* AFont) override;
    void DoGetCellBorder(Integer ACol, Integer ARow, TPen* APen, TCellBorders& Borders) override;
    void DoGetCellPrintBorder(Integer ACol, Integer ARow, TPen* APen, TCellBorders& Borders) override;
    void DoGetAlignment(Integer ACol, Integer ARow, TAlignment& HAlign, TVAlignment& VAlign) override;
    void DoGetFormat(Integer ACol, TSortStyle& AStyle, String& Prefix, String& Suffix) override;
    void DoGetEditorType(Integer ACol, Integer ARow, TEditorType& AEditor) override;
    void DoIsFixedCell(Integer ACol, Integer ARow, bool& IsFixed) override;
    void DoCanEdit(Integer ACol, Integer ARow, bool& CanEdit) override;
    void DoIsPasswordCell(Integer ACol, Integer ARow, bool& IsPassword) override;
    bool DoHasComboBox(Integer ACol, Integer ARow, TEditorType AEditor) override;
    String DoGetCheckTrue(Integer ACol, Integer ARow) override;
    String DoGetCheckFalse(Integer ACol, Integer ARow) override;
    bool DoGetColumnFilter(Integer ACol, bool StopAtFirst = false, bool IncludeHidden = false) override;
    // The mask of a column as shown (the string grid's own mask, when it
    // has one, wins), and the edit length of the current column.
    String ResolveEditMask(Integer ACol, Integer ARow) override;
    Integer ResolveEditLimit() override;
    void DoFilterSelect(Integer ItemIndex) override;

public:
    // The item of a column index, null when the index has none.
    TGridColumnItem* ColumnItem(Integer Index) const;
    // The float format a column's cells show and edit with: the column's
    // own when it has one, else the grid's.
    String ColumnFloatFormat(Integer ACol) const;

    // ---- Column persistence ----
    // The column order in an INI file: key "CP" + position holds the DefIdx
    // of the item there. Loading restores that order onto the grid; a
    // section whose values are not a permutation of the items (a key
    // missing, a value repeated or out of range) changes nothing.
    void SaveColumnPositions(const String& Key, const String& Section);
    void LoadColumnPositions(const String& Key, const String& Section);
    // With ColumnSize.Location clIniFile the string grid's column-position
    // save and load use the "CP" keys above.
    void SaveColPositions() override;
    void LoadColPositions() override;
    // The column items as a component stream ("TPF0", one TVarErozidOvurIO)
    // at the stream's position. Loading replaces the items only when the
    // whole stream reads; ColCount is not changed.
    void SaveColumnsToStream(TStream& Stream);
    void LoadColumnsFromStream(TStream& Stream);

private:
    bool IsNormalCell(Integer ACol, Integer ARow) const;
    bool IsBodyCell(Integer ACol, Integer ARow) const;
    // Applies a column's size limits to a proposed width.
    static void LimitWidth(Integer MinSize, Integer MaxSize, Integer& AWidth);

    std::unique_ptr<TGridColumnCollection> FColumnCollection;
    std::unique_ptr<TGridColumnItem> FSaveCol;
    std::unique_ptr<TCellGraphic> FCellGraphic;
    bool FColMoving = false;
    // Set while an operation of the grid's own adds or removes items itself.
    Integer FItemsEditing = 0;
    bool FAutoFilterDisplay = false;
    bool FLoaded = false;
};

// The component the column stream holds: the items of a column grid (its
// owner, whose font and colour new items take).
class TVarErozidOvurIO : public TComponent {
    RTL_CLASS(TVarErozidOvurIO)
public:
    explicit TVarErozidOvurIO(TComponent* AOwner);
    ~TVarErozidOvurIO() override;
    TGridColumnCollection* Items() const { return FItems.get(); }
    void SetItems(const TGridColumnCollection* Value) { FItems->Assign(Value); }

private:
    std::unique_ptr<TGridColumnCollection> FItems;
};

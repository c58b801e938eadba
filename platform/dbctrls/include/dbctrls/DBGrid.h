#pragma once
// The data-aware grid: a read-only grid that shows the records of a data
// set through a data source, one row per record under a title row, with an
// indicator column that marks the current record. Moving the grid's row
// (by click, keys or wheel) moves the data set's cursor, and a move of the
// cursor elsewhere moves the row.

#include "data/DataSource.h"
#include "rtl/Alignment.h"
#include "vcl/Grids.h"

#include <memory>
#include <vector>

class TDBGrid;

// One shown column: a field by name with its title, width and alignment.
class TColumn {
public:
    explicit TColumn(TDBGrid* AGrid) : FGrid(AGrid) {}

    const String& FieldName() const { return FFieldName; }
    void SetFieldName(const String& Value);
    // The field of the grid's data set (null while closed or not found).
    TField* Field() const;
    // The title (empty: the field's display label).
    String TitleCaption() const;
    void SetTitleCaption(const String& Value);
    // Pixels (0: from the field's display width).
    Integer Width() const;
    void SetWidth(Integer Value);
    TAlignment Alignment() const;
    void SetAlignment(TAlignment Value);

private:
    void Changed();

    TDBGrid* FGrid;
    String FFieldName;
    String FTitleCaption;
    Integer FWidth = 0;
    TAlignment FAlignment = taLeftJustify;
    bool FAlignmentSet = false;
};

class TDBGridColumns {
public:
    explicit TDBGridColumns(TDBGrid* AGrid) : FGrid(AGrid) {}
    TColumn* Add();
    Integer Count() const { return Integer(FItems.size()); }
    TColumn* Items(Integer Index) const;
    void Clear();

private:
    TDBGrid* FGrid;
    std::vector<std::unique_ptr<TColumn>> FItems;
};

class TDBGrid : public TCustomGrid {
    RTL_CLASS(TDBGrid)
public:
    explicit TDBGrid(TComponent* AOwner);
    ~TDBGrid() override;
    void BeforeDestruction() override;

    TDataSource* DataSource() const;
    void SetDataSource(TDataSource* Value);
    // Without columns of its own the grid shows every field of the data set.
    TDBGridColumns* Columns() const { return FColumns.get(); }
    // The field of the current column.
    TField* SelectedField() const;
    // The columns shown now (own ones, or one per field).
    Integer ShownColumnCount() const;

    // The grid changed its columns: sizes follow.
    void LayoutChanged();

protected:
    void DrawCell(Integer ACol, Integer ARow, const TRect& ARect, TGridDrawState AState) override;
    bool SelectCell(Integer ACol, Integer ARow) override;
    bool CanEditShow() override { return false; }
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    class TGridDataLink;
    friend class TGridDataLink;
    TField* ShownField(Integer Index) const;
    String ShownTitle(Integer Index) const;
    TAlignment ShownAlignment(Integer Index) const;
    Integer ShownWidth(Integer Index) const;
    void DataChanged();
    void Scrolled();

    std::unique_ptr<TGridDataLink> FDataLink;
    std::unique_ptr<TDBGridColumns> FColumns;
    bool FSyncing = false; // the grid follows the cursor: no move back
};

#pragma once
// The data-aware grid: a read-only grid that shows the records of a data
// set through a data source, one row per record under a title row, with an
// indicator column that marks the current record. Moving the grid's row
// (by click, keys or wheel) moves the data set's cursor, and a move of the
// cursor elsewhere moves the row.

#include "data/DataSource.h"
#include "rtl/Alignment.h"
#include "rtl/Collection.h"
#include "vcl/Grids.h"

#include <memory>
#include <vector>

class TDBGrid;
class TColumn;

// The title of a column: its caption (empty: the field's display label).
class TColumnTitle : public TPersistent {
    RTL_CLASS(TColumnTitle)
public:
    explicit TColumnTitle(TColumn* AColumn) : FColumn(AColumn) {}
    void Assign(const TPersistent* Source) override;

    // The caption shown: the one set, else the field's display label, else the field name.
    String Caption() const;
    void SetCaption(const String& Value);
    // The caption as set (streamed).
    const String& StoredCaption() const { return FCaption; }

    TPersistent* GetOwner() const override;

private:
    friend class TColumn;
    TColumn* FColumn;
    String FCaption;
};

// One shown column: a field by name with its title, width and alignment.
// The columns are a streamed collection of the grid, written in layouts as
// FieldName, Title.Caption, Width and Alignment.
class TColumn : public TCollectionItem {
    RTL_CLASS(TColumn)
public:
    explicit TColumn(TCollection* ACollection);
    ~TColumn() override;
    void Assign(const TPersistent* Source) override;
    String DisplayName() const override;

    // The grid the column belongs to (null outside one).
    TDBGrid* Grid() const;
    const String& FieldName() const { return FFieldName; }
    void SetFieldName(const String& Value);
    // The field of the grid's data set (null while closed or not found).
    TField* Field() const;
    TColumnTitle* Title() const { return FTitle.get(); }
    void SetTitle(const TColumnTitle* Value) { FTitle->Assign(Value); }
    String TitleCaption() const { return FTitle->Caption(); }
    void SetTitleCaption(const String& Value) { FTitle->SetCaption(Value); }
    // Pixels (0 set: from the field's display width).
    Integer Width() const;
    void SetWidth(Integer Value);
    // Left unless set: the field's alignment.
    TAlignment Alignment() const;
    void SetAlignment(TAlignment Value);

private:
    friend class TColumnTitle;
    bool IsWidthStored() const { return FWidth > 0; }
    bool IsAlignmentStored() const { return FAlignmentSet; }
    void ColumnChanged() { Changed(false); }

    String FFieldName;
    std::unique_ptr<TColumnTitle> FTitle;
    Integer FWidth = 0;
    TAlignment FAlignment = taLeftJustify;
    bool FAlignmentSet = false;
};

// The grid's own columns; any change lays the grid out again.
class TDBGridColumns : public TOwnedCollection {
    RTL_CLASS(TDBGridColumns)
public:
    explicit TDBGridColumns(TDBGrid* AGrid);
    // The grid is laid out again once the new column is whole.
    TColumn* Add();
    TColumn* Items(Integer Index) const { return static_cast<TColumn*>(TCollection::Items(Index)); }
    TDBGrid* Grid() const { return FGrid; }

protected:
    void Update(TCollectionItem* Item) override;

private:
    TDBGrid* FGrid;
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
    void SetColumns(const TDBGridColumns* Value) { FColumns->Assign(Value); }
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

// Registers the data-aware controls (and the standard classes) for layouts
// and streams; runs once.
void RegisterDBControlClasses();

#pragma once
// The grid's row filter as data: one condition (TFilterData), the list of
// conditions (TFilter), and the settings of the filter drop-down and of the
// filter-edit row. Applying a filter is an operation of the grid.

#include "graphics/Graphic.h"
#include "graphics/GraphicsObjects.h"
#include "grid/GridSettingsOwner.h"
#include "rtl/Collection.h"
#include "rtl/StringList.h"

#include <memory>

// Which value of a row a condition tests.
RTL_ENUM(TFilterCells, fcVirtual, fcNormal, fcStripHTML, fcCalculated, fcRow)
// How a condition's outcome joins the outcome so far.
RTL_ENUM(TFilterOperation, foSHORT, foNONE, foAND, foXOR, foOR)
RTL_ENUM(TFilterMethod, fmExpression, fmLiteral)
// The kinds of condition of the filter-edit row, in the order of its menu.
RTL_ENUM(TFilterType, ftStartsWith, ftEndsWith, ftContains, ftNotContains, ftEqual, ftNotEqual, ftLargerThan,
         ftSmallerThan, ftClear, ftNone)
// What happens to rows that fail: hidden, or kept with height 0.
RTL_ENUM(TGridFilterType, ftHide, ftSuppress)
// Which columns get a filter button or filter-edit cell.
RTL_ENUM(TFilterDropDownColumns, fdNormal, fdAll)

class TFilterData : public TCollectionItem {
    RTL_CLASS(TFilterData)
public:
    explicit TFilterData(TCollection* ACollection);

    // From another condition: Column, Condition, CaseSensitive, Data,
    // Prefix, Suffix, Operation and RemoveAccented.
    void Assign(const TPersistent* Source) override;
    // Condition from a text typed in the filter-edit row, by FilterType: a
    // text with a blank is quoted, then ftStartsWith gives S*, ftEndsWith
    // *S, ftContains *S*, ftNotContains !*S*, ftEqual S, ftNotEqual !S,
    // ftLargerThan >S, ftSmallerThan <S; ftClear and ftNone leave it.
    void BuildCondition(const String& S);

    // A real column index; -1 with Data fcRow. Kept as a 16-bit number.
    Integer Column() const { return FColumn; }
    void SetColumn(Integer Value) { FColumn = int16_t(Value); }
    // Empty matches every row.
    const String& Condition() const { return FCondition; }
    void SetCondition(const String& Value) { FCondition = Value; }
    bool CaseSensitive() const { return FCaseSensitive; }
    void SetCaseSensitive(bool Value) { FCaseSensitive = Value; }
    const String& Suffix() const { return FSuffix; }
    void SetSuffix(const String& Value) { FSuffix = Value; }
    const String& Prefix() const { return FPrefix; }
    void SetPrefix(const String& Value) { FPrefix = Value; }
    const String& FriendlyName() const { return FFriendlyName; }
    void SetFriendlyName(const String& Value) { FFriendlyName = Value; }
    TFilterOperation Operation() const { return FOperation; }
    void SetOperation(TFilterOperation Value) { FOperation = Value; }
    TFilterCells Data() const { return FData; }
    void SetData(TFilterCells Value) { FData = Value; }
    TFilterMethod Method() const { return FMethod; }
    void SetMethod(TFilterMethod Value) { FMethod = Value; }
    TFilterType FilterType() const { return FFilterType; }
    void SetFilterType(TFilterType Value) { FFilterType = Value; }
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value) { FEnabled = Value; }
    bool RemoveAccented() const { return FRemoveAccented; }
    void SetRemoveAccented(bool Value) { FRemoveAccented = Value; }

private:
    int16_t FColumn = 0;
    String FCondition;
    bool FCaseSensitive = true;
    String FSuffix;
    String FPrefix;
    String FFriendlyName;
    TFilterOperation FOperation = foNONE;
    TFilterCells FData = fcVirtual;
    TFilterMethod FMethod = fmExpression;
    TFilterType FFilterType = ftStartsWith;
    bool FEnabled = true;
    bool FRemoveAccented = false;
};

class TFilter : public TOwnedCollection {
    RTL_CLASS(TFilter)
public:
    explicit TFilter(IGridSettingsOwner* AOwner = nullptr);

    // A new condition: foNONE when it is the only one, else foAND.
    TFilterData* Add();
    TFilterData* Add(Integer AColumn, const String& ACondition, TFilterOperation AOperation);
    // Adds at the end (the index is not used).
    TFilterData* Insert(Integer Index);
    TFilterData* Items(Integer Index) const { return static_cast<TFilterData*>(TCollection::Items(Index)); }
    void SetItems(Integer Index, const TFilterData* Value) { Items(Index)->Assign(Value); }
    // The first condition of the column; a new one for it when none.
    TFilterData* ColumnFilter(Integer Col);
    // Deletes every condition of the column and repaints its header cell.
    void RemoveColumnFilter(Integer Col);
    bool HasFilter(Integer Col) const;
    bool HasOtherFilter(Integer Col) const;
    // The kind of the column's first condition; ftContains without one.
    TFilterType HasFilterType(Integer Col) const;

protected:
    // A change repaints the grid's first row, unless the grid is going.
    void Update(TCollectionItem* Item) override;

private:
    IGridSettingsOwner* FGrid;
};

class TFilterDropDown : public TPersistent {
    RTL_CLASS(TFilterDropDown)
public:
    TFilterDropDown();
    ~TFilterDropDown() override;

    // From another drop-down: everything but AutoSize and Sorted.
    void Assign(const TPersistent* Source) override;

    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool Value) { FAutoSize = Value; }
    Integer Height() const { return FHeight; }
    void SetHeight(Integer Value) { FHeight = Value; }
    Integer Width() const { return FWidth; }
    void SetWidth(Integer Value) { FWidth = Value; }
    TColor Color() const { return FColor; }
    void SetColor(TColor Value) { FColor = Value; }
    // Font, Glyph and GlyphActive copy the given object; a new picture
    // fires OnChange.
    TFont* Font() const { return FFont.get(); }
    void SetFont(const TFont* Value) { FFont->Assign(Value); }
    TBitmap* Glyph() const { return FGlyph.get(); }
    void SetGlyph(const TBitmap* Value);
    TBitmap* GlyphActive() const { return FGlyphActive.get(); }
    void SetGlyphActive(const TBitmap* Value);
    bool ColumnWidth() const { return FColumnWidth; }
    void SetColumnWidth(bool Value) { FColumnWidth = Value; }
    const String& TextChecked() const { return FTextChecked; }
    void SetTextChecked(const String& Value) { FTextChecked = Value; }
    const String& TextUnChecked() const { return FTextUnChecked; }
    void SetTextUnChecked(const String& Value) { FTextUnChecked = Value; }
    bool CaseSensitive() const { return FCaseSensitive; }
    void SetCaseSensitive(bool Value) { FCaseSensitive = Value; }
    bool Sorted() const { return FSorted; }
    void SetSorted(bool Value) { FSorted = Value; }
    bool IgnoreHTML() const { return FIgnoreHTML; }
    void SetIgnoreHTML(bool Value) { FIgnoreHTML = Value; }
    TFilterMethod Method() const { return FMethod; }
    void SetMethod(TFilterMethod Value) { FMethod = Value; }

    TNotifyEvent OnChange;

private:
    bool FAutoSize = false;
    Integer FHeight = 150;
    Integer FWidth = 150;
    TColor FColor = clWindow;
    std::unique_ptr<TFont> FFont;
    std::unique_ptr<TBitmap> FGlyph;
    std::unique_ptr<TBitmap> FGlyphActive;
    bool FColumnWidth = false;
    String FTextChecked;
    String FTextUnChecked;
    bool FCaseSensitive = false;
    bool FSorted = true;
    bool FIgnoreHTML = true;
    TFilterMethod FMethod = fmExpression;
};

class TFilterEdit : public TPersistent {
    RTL_CLASS(TFilterEdit)
public:
    explicit TFilterEdit(IGridSettingsOwner* AOwner = nullptr);
    ~TFilterEdit() override;

    // From another filter edit: every setting.
    void Assign(const TPersistent* Source) override;
    TPersistent* GetOwner() const override { return FOwner ? FOwner->GridObject() : nullptr; }

    // A change is stored, then the grid hears of it.
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value);
    // Row, Color and Columns repaint the grid when they change.
    Integer Row() const { return FRow; }
    void SetRow(Integer Value) { Change(FRow, Value); }
    TColor Color() const { return FColor; }
    void SetColor(TColor Value) { Change(FColor, Value); }
    TFilterDropDownColumns Columns() const { return FColumns; }
    void SetColumns(TFilterDropDownColumns Value) { Change(FColumns, Value); }
    // One caption per filter type, ftStartsWith to ftClear; the setter copies.
    TStringList* TypeNames() const { return FTypeNames.get(); }
    void SetTypeNames(const TStrings* Value) { FTypeNames->Assign(Value); }
    bool CaseSensitive() const { return FCaseSensitive; }
    void SetCaseSensitive(bool Value) { FCaseSensitive = Value; }
    bool AutoHotKey() const { return FAutoHotKey; }
    void SetAutoHotKey(bool Value) { FAutoHotKey = Value; }

private:
    template <typename T>
    void Change(T& Field, T Value) {
        if (Field == Value) return;
        Field = Value;
        if (FOwner) FOwner->Repaint();
    }

    IGridSettingsOwner* FOwner;
    bool FEnabled = false;
    Integer FRow = 0;
    TColor FColor = 0xFFFFFF;
    TFilterDropDownColumns FColumns = fdNormal;
    std::unique_ptr<TStringList> FTypeNames;
    bool FCaseSensitive = true;
    bool FAutoHotKey = false;
};

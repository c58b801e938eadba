#pragma once
// TSortSettings: how the grid sorts its rows and shows the sort indicator,
// with its one-line text form. The sorting itself is the grid's.

#include "graphics/Graphic.h"
#include "gridbase/GridTypes.h"
#include "grid/GridSettingsOwner.h"

#include <memory>

RTL_ENUM(TSortBlankPosition, blFirst, blLast)
RTL_ENUM(TSortDirection, sdAscending, sdDescending)
RTL_ENUM(TIndexSortKey, ikShift, ikCtrl)

class TSortSettings : public TPersistent {
    RTL_CLASS(TSortSettings)
public:
    explicit TSortSettings(IGridSettingsOwner* AOwner = nullptr);
    ~TSortSettings() override;

    // From other sort settings: every published setting but SortOnVirtualCells
    // and IgnoreCase, the glyphs copied, without repaint.
    void Assign(const TPersistent* Source) override;
    TPersistent* GetOwner() const override;

    // Repaints the whole grid when it changes.
    bool Show() const { return FShow; }
    void SetShow(bool Value);
    bool IndexShow() const { return FIndexShow; }
    void SetIndexShow(bool Value) { FIndexShow = Value; }
    bool Full() const { return FFull; }
    void SetFull(bool Value) { FFull = Value; }
    bool SingleColumn() const { return FSingleColumn; }
    void SetSingleColumn(bool Value) { FSingleColumn = Value; }
    bool IgnoreBlanks() const { return FIgnoreBlanks; }
    void SetIgnoreBlanks(bool Value) { FIgnoreBlanks = Value; }
    TSortBlankPosition BlankPos() const { return FBlankPos; }
    void SetBlankPos(TSortBlankPosition Value) { FBlankPos = Value; }
    bool AutoFormat() const { return FAutoFormat; }
    void SetAutoFormat(bool Value) { FAutoFormat = Value; }
    TSortDirection Direction() const { return FDirection; }
    void SetDirection(TSortDirection Value) { FDirection = Value; }
    // The glyph setters copy the given picture.
    TBitmap* UpGlyph() const { return FUpGlyph.get(); }
    void SetUpGlyph(const TBitmap* Value);
    TBitmap* DownGlyph() const { return FDownGlyph.get(); }
    void SetDownGlyph(const TBitmap* Value);
    TBitmap* IndexUpGlyph() const { return FIndexUpGlyph.get(); }
    void SetIndexUpGlyph(const TBitmap* Value);
    TBitmap* IndexDownGlyph() const { return FIndexDownGlyph.get(); }
    void SetIndexDownGlyph(const TBitmap* Value);
    bool NormalCellsOnly() const { return FNormalCellsOnly; }
    void SetNormalCellsOnly(bool Value) { FNormalCellsOnly = Value; }
    bool FixedCols() const { return FFixedCols; }
    void SetFixedCols(bool Value) { FFixedCols = Value; }
    // -1: no sort column. A change repaints the sort row.
    Integer Column() const { return FColumn; }
    void SetColumn(Integer Value);
    // The fixed row that shows the sort indicator. Outside loading, a row
    // not above the grid's first normal row raises EKelGridError "Sort row
    // should be smaller than number of fixed rows" and leaves it unchanged.
    Integer Row() const { return FRow; }
    void SetRow(Integer Value);
    bool AutoColumnMerge() const { return FAutoColumnMerge; }
    void SetAutoColumnMerge(bool Value) { FAutoColumnMerge = Value; }
    TColor IndexColor() const { return FIndexColor; }
    void SetIndexColor(TColor Value) { FIndexColor = Value; }
    TSortDirection InitSortDirection() const { return FInitSortDirection; }
    void SetInitSortDirection(TSortDirection Value) { FInitSortDirection = Value; }
    bool UndoSort() const { return FUndoSort; }
    void SetUndoSort(bool Value) { FUndoSort = Value; }
    bool AutoSortForGrouping() const { return FAutoSortForGrouping; }
    void SetAutoSortForGrouping(bool Value) { FAutoSortForGrouping = Value; }
    bool SortOnVirtualCells() const { return FSortOnVirtualCells; }
    void SetSortOnVirtualCells(bool Value) { FSortOnVirtualCells = Value; }
    bool IgnoreCase() const { return FIgnoreCase; }
    void SetIgnoreCase(bool Value) { FIgnoreCase = Value; }
    // The four header colours repaint the last fixed row when they change.
    TColor HeaderColor() const { return FHeaderColor; }
    void SetHeaderColor(TColor Value) { SetHeaderColour(FHeaderColor, Value); }
    TColor HeaderColorTo() const { return FHeaderColorTo; }
    void SetHeaderColorTo(TColor Value) { SetHeaderColour(FHeaderColorTo, Value); }
    TColor HeaderMirrorColor() const { return FHeaderMirrorColor; }
    void SetHeaderMirrorColor(TColor Value) { SetHeaderColour(FHeaderMirrorColor, Value); }
    TColor HeaderMirrorColorTo() const { return FHeaderMirrorColorTo; }
    void SetHeaderMirrorColorTo(TColor Value) { SetHeaderColour(FHeaderMirrorColorTo, Value); }
    TIndexSortKey IndexSortKey() const { return FIndexSortKey; }
    void SetIndexSortKey(TIndexSortKey Value) { FIndexSortKey = Value; }
    TSortStyle DefaultFormat() const { return FDefaultFormat; }
    void SetDefaultFormat(TSortStyle Value) { FDefaultFormat = Value; }

    // No sort column (through SetColumn), the grid's sort index list
    // emptied and the sort row repainted.
    void Remove();
    // Flips Direction, nothing else.
    void ToggleDirection() { FDirection = FDirection == sdAscending ? sdDescending : sdAscending; }
    // With IndexShow "i;" and the index list ("i;u1;d3"), else "u" or "d"
    // and the column ("d2", "u-1").
    String SaveToString() const;
    // Reads that form and sorts: an empty text changes nothing; otherwise
    // Show becomes True, and a text of one character raises EKelGridError
    // "Invalid sort settings specifier". A text holding "i;" turns IndexShow
    // on and, when more follows the first two characters, loads the index
    // list from it and sorts on it; any other text turns IndexShow off,
    // sets Direction ("u" anywhere: ascending) and, when the rest after the
    // first character is an integer, sorts on that column.
    void LoadFromString(const String& Value);

    // The row above the first normal row, where the header colours show;
    // the grid tells it (-1: the grid has no fixed rows).
    std::function<Integer()> OnHeaderRow;

private:
    void SetHeaderColour(TColor& Field, TColor Value);

    IGridSettingsOwner* FOwner;
    bool FShow = false;
    bool FIndexShow = false;
    bool FFull = true;
    bool FSingleColumn = false;
    bool FIgnoreBlanks = false;
    TSortBlankPosition FBlankPos = blFirst;
    bool FAutoFormat = true;
    TSortDirection FDirection = sdAscending;
    std::unique_ptr<TBitmap> FUpGlyph;
    std::unique_ptr<TBitmap> FDownGlyph;
    std::unique_ptr<TBitmap> FIndexUpGlyph;
    std::unique_ptr<TBitmap> FIndexDownGlyph;
    bool FNormalCellsOnly = false;
    bool FFixedCols = false;
    Integer FColumn = -1;
    Integer FRow = 0;
    bool FAutoColumnMerge = false;
    TColor FIndexColor = 0x0000FFFF;
    TSortDirection FInitSortDirection = sdAscending;
    bool FUndoSort = false;
    bool FAutoSortForGrouping = true;
    bool FSortOnVirtualCells = true;
    bool FIgnoreCase = false;
    TColor FHeaderColor = clNone;
    TColor FHeaderColorTo = clNone;
    TColor FHeaderMirrorColor = clNone;
    TColor FHeaderMirrorColorTo = clNone;
    TIndexSortKey FIndexSortKey = ikShift;
    TSortStyle FDefaultFormat = ssAutomatic;
};

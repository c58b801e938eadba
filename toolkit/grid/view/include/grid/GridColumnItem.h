#pragma once
// TGridColumnItem and TGridColumnCollection: the settings the column grid
// keeps per column (look on screen and on paper, borders, editor and its
// settings, read-only and fixed state, check values, sort format, filter
// list, size limits, pop-up menu), one item per column, in the grid's
// Columns collection. An item also reads and writes the cells of its column
// as typed values.
//
// An item made without a collection (the column grid's spare item) only
// stores settings: it reports no changes and acts on no grid.

#include "gridbase/GridTypes.h"
#include "graphics/GraphicsObjects.h"
#include "rtl/Alignment.h"
#include "rtl/Collection.h"
#include "rtl/DateTime.h"
#include "rtl/StringList.h"
#include "vcl/Controls.h"

#include <memory>

class TVarErozidOvur;
class TGridColumnCollection;
class TPopupMenu;

// Which button, on which rows, opens a column's pop-up menu.
RTL_ENUM(TColumnPopupType, cpFixedCellsRClick, cpFixedCellsLClick, cpNormalCellsRClick, cpNormalCellsLClick,
         cpAllCellsRClick, cpAllCellsLClick)

class TGridColumnItem : public TCollectionItem {
    RTL_CLASS(TGridColumnItem)
public:
    explicit TGridColumnItem(TCollection* ACollection);
    ~TGridColumnItem() override;

    // From another item: every published setting and DefIdx, object settings
    // by value; the source's current width becomes the stored width. Other
    // sources are ignored.
    void Assign(const TPersistent* Source) override;
    // The look and behaviour of a column that a new neighbour takes over; the
    // colour and font come from the grid instead (see the source).
    void AssignVisuals(const TPersistent* Source);
    String DisplayName() const override;

    // The grid that owns the item's collection; null without one.
    TVarErozidOvur* Grid() const;

    // ---- Published settings, in their streaming order ----
    Integer AutoMinSize() const { return FAutoMinSize; }
    void SetAutoMinSize(Integer Value) { FAutoMinSize = Value; }
    Integer AutoMaxSize() const { return FAutoMaxSize; }
    void SetAutoMaxSize(Integer Value) { FAutoMaxSize = Value; }
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);
    TCellBorders Borders() const { return FBorders; }
    void SetBorders(TCellBorders Value);
    TPen* BorderPen() const { return FBorderPen.get(); }
    void SetBorderPen(const TPen* Value) { FBorderPen->Assign(Value); }
    Integer ButtonWidth() const { return FButtonWidth; }
    void SetButtonWidth(Integer Value);
    Integer ButtonHeight() const { return FButtonHeight; }
    void SetButtonHeight(Integer Value);
    const String& ButtonCaption() const { return FButtonCaption; }
    void SetButtonCaption(const String& Value);
    const String& CheckFalse() const { return FCheckFalse; }
    void SetCheckFalse(const String& Value) { FCheckFalse = Value; }
    const String& CheckTrue() const { return FCheckTrue; }
    void SetCheckTrue(const String& Value) { FCheckTrue = Value; }
    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    TPopupMenu* ColumnPopup() const { return FColumnPopup; }
    void SetColumnPopup(TPopupMenu* Value) { FColumnPopup = Value; }
    TColumnPopupType ColumnPopupType() const { return FColumnPopupType; }
    void SetColumnPopupType(TColumnPopupType Value) { FColumnPopupType = Value; }
    TStringList* ComboItems() const { return FComboItems.get(); }
    void SetComboItems(const TStrings* Value) { FComboItems->Assign(Value); }
    Integer DropDownCount() const { return FDropDownCount; }
    void SetDropDownCount(Integer Value) { FDropDownCount = Value; }
    Integer EditLength() const { return FEditLength; }
    void SetEditLength(Integer Value) { FEditLength = Value; }
    // The custom editor link of the column (not owned).
    TComponent* EditLink() const { return FEditLink; }
    void SetEditLink(TComponent* Value) { FEditLink = Value; }
    const String& EditMask() const { return FEditMask; }
    void SetEditMask(const String& Value) { FEditMask = Value; }
    TEditorType Editor() const { return FEditor; }
    void SetEditor(TEditorType Value);
    TStringList* Filter() const { return FFilter.get(); }
    void SetFilter(const TStrings* Value) { FFilter->Assign(Value); }
    bool FilterCaseSensitive() const { return FFilterCaseSensitive; }
    void SetFilterCaseSensitive(bool Value) { FFilterCaseSensitive = Value; }
    bool Fixed() const { return FFixed; }
    void SetFixed(bool Value);
    const String& FloatFormat() const { return FFloatFormat; }
    void SetFloatFormat(const String& Value);
    TFont* Font() const { return FFont.get(); }
    void SetFont(const TFont* Value) { FFont->Assign(Value); }
    const String& Header() const { return FHeader; }
    void SetHeader(const String& Value);
    // Stores the text only (the grid's own synchronisation).
    void StoreHeader(const String& Value) { FHeader = Value; }
    TAlignment HeaderAlignment() const { return FHeaderAlignment; }
    void SetHeaderAlignment(TAlignment Value);
    TFont* HeaderFont() const { return FHeaderFont.get(); }
    void SetHeaderFont(const TFont* Value);
    Integer MinSize() const { return FMinSize; }
    void SetMinSize(Integer Value) { FMinSize = Value; }
    Integer MaxSize() const { return FMaxSize; }
    void SetMaxSize(Integer Value) { FMaxSize = Value; }
    const String& Name() const { return FName; }
    void SetName(const String& Value) { FName = Value; }
    bool Password() const { return FPassword; }
    void SetPassword(bool Value);
    bool PrintBorderCustom() const { return FPrintBorderCustom; }
    void SetPrintBorderCustom(bool Value) { FPrintBorderCustom = Value; }
    TCellBorders PrintBorders() const { return FPrintBorders; }
    void SetPrintBorders(TCellBorders Value) { FPrintBorders = Value; }
    TPen* PrintBorderPen() const { return FPrintBorderPen.get(); }
    void SetPrintBorderPen(const TPen* Value) { FPrintBorderPen->Assign(Value); }
    TColor PrintColor() const { return FPrintColor; }
    void SetPrintColor(TColor Value) { FPrintColor = Value; }
    bool PrintFontCustom() const { return FPrintFontCustom; }
    void SetPrintFontCustom(bool Value) { FPrintFontCustom = Value; }
    TFont* PrintFont() const { return FPrintFont.get(); }
    void SetPrintFont(const TFont* Value) { FPrintFont->Assign(Value); }
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool Value) { FReadOnly = Value; }
    bool ShowBands() const { return FShowBands; }
    void SetShowBands(bool Value);
    TSortStyle SortStyle() const { return FSortStyle; }
    void SetSortStyle(TSortStyle Value) { FSortStyle = Value; }
    const String& SortPrefix() const { return FSortPrefix; }
    void SetSortPrefix(const String& Value) { FSortPrefix = Value; }
    const String& SortSuffix() const { return FSortSuffix; }
    void SetSortSuffix(const String& Value) { FSortSuffix = Value; }
    Integer SpinMax() const { return FSpinMax; }
    void SetSpinMax(Integer Value) { FSpinMax = Value; }
    Integer SpinMin() const { return FSpinMin; }
    void SetSpinMin(Integer Value) { FSpinMin = Value; }
    Integer SpinStep() const { return FSpinStep; }
    void SetSpinStep(Integer Value) { FSpinStep = Value; }
    TStyleElements StyleElements() const { return FStyleElements; }
    void SetStyleElements(TStyleElements Value) { FStyleElements = Value; }
    Integer Tag() const { return FTag; }
    void SetTag(Integer Value) { FTag = Value; }
    // The grid's width of the column (0 without a collection); writing also
    // sets that width when the column exists.
    Integer Width() const;
    void SetWidth(Integer Value);
    // The width kept with the item (what a stream holds), and storing it
    // without touching the grid.
    Integer StoredWidth() const { return FWidth; }
    void StoreWidth(Integer Value) { FWidth = Value; }

    // ---- Public, not published ----
    // The position the column had when the grid finished loading.
    Integer DefIdx() const { return FDefIdx; }
    void SetDefIdx(Integer Value) { FDefIdx = Value; }
    // The cells of the item's column, by row, through the grid's accessors.
    String Rows(Integer ARow) const;
    void SetRows(Integer ARow, const String& Value);
    Integer Ints(Integer ARow) const;
    void SetInts(Integer ARow, Integer Value);
    Double Floats(Integer ARow) const;
    void SetFloats(Integer ARow, Double Value);
    TDateTime Dates(Integer ARow) const;
    void SetDates(Integer ARow, TDateTime Value);
    TDateTime Times(Integer ARow) const;
    void SetTimes(Integer ARow, TDateTime Value);

private:
    // The item's collection update, or a repaint of the grid; nothing
    // without a collection.
    void UpdateCollection();
    void RepaintGrid();
    TVarErozidOvur& CheckedGrid() const;

    Integer FAutoMinSize = 0;
    Integer FAutoMaxSize = 0;
    TAlignment FAlignment = taLeftJustify;
    TCellBorders FBorders;
    std::unique_ptr<TPen> FBorderPen;
    Integer FButtonWidth = 24;
    Integer FButtonHeight = 18;
    String FButtonCaption;
    String FCheckFalse = u"N";
    String FCheckTrue = u"Y";
    TColor FColor = clWindow;
    TPopupMenu* FColumnPopup = nullptr;
    TColumnPopupType FColumnPopupType = cpFixedCellsRClick;
    std::unique_ptr<TStringList> FComboItems;
    Integer FDropDownCount = 8;
    Integer FEditLength = 0;
    TComponent* FEditLink = nullptr;
    String FEditMask;
    TEditorType FEditor = edNormal;
    std::unique_ptr<TStringList> FFilter;
    bool FFilterCaseSensitive = false;
    bool FFixed = false;
    String FFloatFormat;
    std::unique_ptr<TFont> FFont;
    String FHeader;
    TAlignment FHeaderAlignment = taLeftJustify;
    std::unique_ptr<TFont> FHeaderFont;
    Integer FMinSize = 0;
    Integer FMaxSize = 0;
    String FName;
    bool FPassword = false;
    bool FPrintBorderCustom = true;
    TCellBorders FPrintBorders;
    std::unique_ptr<TPen> FPrintBorderPen;
    TColor FPrintColor = clWhite;
    bool FPrintFontCustom = true;
    std::unique_ptr<TFont> FPrintFont;
    bool FReadOnly = false;
    bool FShowBands = false;
    TSortStyle FSortStyle = ssAutomatic;
    String FSortPrefix;
    String FSortSuffix;
    Integer FSpinMax = 0;
    Integer FSpinMin = 0;
    Integer FSpinStep = 1;
    TStyleElements FStyleElements;
    Integer FTag = 0;
    Integer FWidth = 50;
    Integer FDefIdx = 0;
};

class TGridColumnCollection : public TOwnedCollection {
    RTL_CLASS(TGridColumnCollection)
public:
    explicit TGridColumnCollection(TVarErozidOvur* AOwner);

    // A new item at the end; past the grid's fixed columns it takes the
    // look of the item before it (AssignVisuals), and its DefIdx is one
    // above the largest present.
    TGridColumnItem* Add();
    // A new item with its initial settings at Index.
    TGridColumnItem* Insert(Integer Index);
    TGridColumnItem* Items(Integer Index) const { return static_cast<TGridColumnItem*>(TCollection::Items(Index)); }
    void SetItems(Integer Index, const TGridColumnItem* Value) { Items(Index)->Assign(Value); }
    TVarErozidOvur* Grid() const { return FOwner; }

    // Every item's DefIdx := its index, the items first brought in step with
    // the grid's columns.
    void SetOrganization();
    // Moves the grid's columns (and their items) so that the items stand in
    // ascending DefIdx order: equal values keep their present order, values
    // outside 0 .. Count-1 go last. Each column moves at most once.
    void ResetOrganization();

    // While set, Update does nothing of its own (the grid raises it around
    // the changes it makes to the collection itself).
    bool FNoRecursiveUpdate = false;

    // The collection's change handling, reachable for the items.
    void UpdateItem(TCollectionItem* Item) { Update(Item); }

protected:
    void Update(TCollectionItem* Item) override;

private:
    TVarErozidOvur* FOwner;
};

// Raises FNoRecursiveUpdate for its lifetime and puts the old value back.
class TNoRecursiveUpdate {
public:
    explicit TNoRecursiveUpdate(TGridColumnCollection* ACollection)
        : FCollection(ACollection), FOld(ACollection->FNoRecursiveUpdate) {
        FCollection->FNoRecursiveUpdate = true;
    }
    ~TNoRecursiveUpdate() { FCollection->FNoRecursiveUpdate = FOld; }
    TNoRecursiveUpdate(const TNoRecursiveUpdate&) = delete;
    TNoRecursiveUpdate& operator=(const TNoRecursiveUpdate&) = delete;

private:
    TGridColumnCollection* FCollection;
    bool FOld;
};

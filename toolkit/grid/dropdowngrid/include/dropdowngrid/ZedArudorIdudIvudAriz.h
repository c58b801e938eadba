#pragma once
// The grid drop-down: a drop-down edit whose pop-up shows a string grid
// (TZazUruDava, a TZirOvararIzaz). The list comes from the control's own
// Items, or (UseItems off) from whatever rows the application puts into the
// pop-up grid. The control keeps an item index and the text that follows
// it, looks items up while the user types (jump to the first match, or
// narrow the list down to the matching rows), completes the edit text,
// sorts by a header click without losing the chosen item, and passes the
// pop-up grid's events on as its own OnGrid... events.
//
// The multi-column drop-down of the drop-down controls declares classes of
// the same names (TDropDownColumn, TDropDownItem, TZazUruDava), so these
// live in their own namespace. The column and item collections are the
// multi-column drop-down's own: both lists describe their columns and rows
// alike, so they share one implementation.

#include "dropdown/KelDropDown.h"
#include "dropdown/ZuvEdiraRareriVavuRaze.h"
#include "grid/ZirOvararIzaz.h"
#include "rtl/StringList.h"

#include <memory>
#include <vector>

namespace ZedArudorIdudIvudAriz {

using ZuvEdiraRareriVavuRaze::TColumnType;
using ZuvEdiraRareriVavuRaze::ctText;
using ZuvEdiraRareriVavuRaze::ctImage;
using TDropDownColumn = ZuvEdiraRareriVavuRaze::TDropDownColumn;
using TDropDownColumns = ZuvEdiraRareriVavuRaze::TDropDownColumns;
using TDropDownItem = ZuvEdiraRareriVavuRaze::TDropDownItem;
using TDropDownItems = ZuvEdiraRareriVavuRaze::TDropDownItems;
using TGetCellTextEvent = ZuvEdiraRareriVavuRaze::TGetCellTextEvent;
using TGetCellPropEvent = ZuvEdiraRareriVavuRaze::TGetCellPropEvent;

RTL_ENUM(TLookupMethod, lmLookup, lmNarrowDown, lmNone)
RTL_ENUM(TDropDownStyle, dsDropDown, dsDropDownList)
RTL_ENUM(TGridSorting, gsNone, gsSingleColumn, gsMultiColumn)

class TCustomKelGridDropDown;

// The item shown in a data row, kept in the object slot of the row's first
// cell so that it travels with the row through sorting and filtering. The
// header row carries none.
class TDropDownRowItem : public TObject {
public:
    explicit TDropDownRowItem(Integer AIndex) : Index(AIndex) {}
    const Integer Index;
};

// The string grid in the pop-up: it fills itself from the control's items,
// sizes its columns and rows to their contents and turns Enter and a
// left-button release over a data cell into OnSelect.
class TZazUruDava : public TZirOvararIzaz {
    RTL_CLASS(TZazUruDava)
public:
    explicit TZazUruDava(TComponent* AOwner);
    ~TZazUruDava() override;

    TDropDownColumns* Columns() const { return FColumns.get(); }
    void SetColumns(const TDropDownColumns* Value) { FColumns->Assign(Value); }
    TColor LineColor() const { return FLineColor; }
    void SetLineColor(TColor Value) { FLineColor = Value; }
    TColor FixedLineColor() const { return FFixedLineColor; }
    void SetFixedLineColor(TColor Value) { FFixedLineColor = Value; }
    TColor HeaderColor() const { return FHeaderColor; }
    void SetHeaderColor(TColor Value) { FHeaderColor = Value; }
    TColor HeaderColorTo() const { return FHeaderColorTo; }
    void SetHeaderColorTo(TColor Value) { FHeaderColorTo = Value; }
    Integer HeaderHeight() const { return FHeaderHeight; }
    void SetHeaderHeight(Integer Value) { FHeaderHeight = Value; }
    TFont* HeaderFont() const { return FHeaderFont.get(); }
    void SetHeaderFont(const TFont* Value) { FHeaderFont->Assign(Value); }
    TCustomImageList* Images() const { return FImages; }
    void SetImages(TCustomImageList* Value) { FImages = Value; }
    // The list's own line width; the string grid's stays 0.
    Integer ListLineWidth() const { return FListLineWidth; }
    void SetListLineWidth(Integer Value);
    // The hover-row settings the control hands over.
    bool HoverRow() const { return FHoverRow; }
    TColor HoverRowColor() const { return FHoverRowColor; }
    TColor HoverRowColorTo() const { return FHoverRowColorTo; }

    TCustomKelGridDropDown* KelDropDown() const { return FKelDropDown; }
    void SetKelDropDown(TCustomKelGridDropDown* Control) { FKelDropDown = Control; }
    // The current row was reached by a key or a mouse press (not the wheel)
    // and may be taken as the choice.
    bool ConfirmSelection() const { return FConfirmSelection; }
    void SetConfirmSelection(bool Value) { FConfirmSelection = Value; }

    // Takes the control's columns, widths, colours, header, images, row
    // heights and sizing options; sizes the columns and word-wrapped rows.
    void ApplyDropDownSettings(TCustomKelGridDropDown* Control);
    // The header row from the columns and a data row per item.
    void FillFromItems();
    // The width that shows every column (with the vertical scroll bar when
    // not all rows are visible).
    Integer GetNeededWidth() const;
    // An AutoSize column's width from its items' texts and images
    // (measured on the pop-up form's canvas, so only while it is the parent).
    void AutoSizeColumn(Integer Index);
    void AutoSizeListColumns();
    // Rows at least 24 high, as high as their word-wrapped texts need.
    void UpdateWordWrapHeights();
    // The index of the item a data row shows (-1: none).
    Integer RowItem(Integer ARow) const;

    TGetCellTextEvent OnGetCellText;
    TGetCellPropEvent OnGetCellProp;
    TNotifyEvent OnSelect;

    void WndProc(TMessage& Message) override;

protected:
    virtual void DoSelect();
    void KeyDown(Word& Key, TShiftState Shift) override;
    bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos) override;
    bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    bool UnderPopupForm() const;
    // The link object of item Index, made on first use and kept by the grid.
    TDropDownRowItem* RowItemObject(Integer Index);

    TCustomKelGridDropDown* FKelDropDown = nullptr;
    std::unique_ptr<TDropDownColumns> FColumns;
    TColor FLineColor = 0x808080;
    TColor FFixedLineColor = 0x808080;
    TColor FHeaderColor = 0xFFFFFF;
    TColor FHeaderColorTo = 0x808080;
    Integer FHeaderHeight = 25;
    std::unique_ptr<TFont> FHeaderFont;
    TCustomImageList* FImages = nullptr;
    Integer FListLineWidth = 1;
    bool FHoverRow = false;
    TColor FHoverRowColor = clInfoBk;
    TColor FHoverRowColorTo = clNone;
    Integer FOldRow = 0;
    bool FConfirmSelection = false;
    std::vector<std::unique_ptr<TDropDownRowItem>> FRowItems;
};

// The events of the pop-up grid the control passes on, each with the
// grid's own event type.
#define KEL_GRID_DROPDOWN_FORWARDED_EVENTS(X)                                                                     \
    X(OnButtonClick, OnGridButtonClick)                                                                           \
    X(OnColumnSize, OnGridColumnSize)                                                                             \
    X(OnEndColumnSize, OnGridEndColumnSize)                                                                       \
    X(OnRowSize, OnGridRowSize)                                                                                   \
    X(OnEndRowSize, OnGridEndRowSize)                                                                             \
    X(OnRowMoved, OnGridRowMoved)                                                                                 \
    X(OnColumnMoved, OnGridColumnMoved)                                                                           \
    X(OnCustomCellDraw, OnGridCustomCellDraw)                                                                     \
    X(OnCustomCellBkgDraw, OnGridCustomCellBkgDraw)                                                               \
    X(OnCellBalloon, OnGridCellBalloon)                                                                           \
    X(OnGetAlignment, OnGridGetAlignment)                                                                         \
    X(OnGetCellColor, OnGridGetCellColor)                                                                         \
    X(OnGetCellGradient, OnGridGetCellGradient)                                                                   \
    X(OnGetFloatFormat, OnGridGetFloatFormat)                                                                     \
    X(OnGetEditorType, OnGridGetEditorType)                                                                       \
    X(OnGetEditorProp, OnGridGetEditorProp)                                                                       \
    X(OnCanEditCell, OnGridCanEditCell)                                                                           \
    X(OnEllipsClick, OnGridEllipsClick)                                                                           \
    X(OnGetDisplText, OnGridGetDiplText)                                                                          \
    X(OnGetFormat, OnGridGetFormat)                                                                               \
    X(OnGridHint, OnGridHint)                                                                                     \
    X(OnOfficeHint, OnGridOfficeHint)                                                                             \
    X(OnMouseMove, OnGridMouseMove)                                                                               \
    X(OnMouseDown, OnGridMouseDown)                                                                               \
    X(OnMouseUp, OnGridMouseUp)                                                                                   \
    X(OnScrollHint, OnGridScrollHint)                                                                             \
    X(OnTopLeftChanged, OnGridTopLeftChanged)                                                                     \
    X(OnSearchEditChange, OnGridSearchEditChange)                                                                 \
    X(OnSpinClick, OnGridSpinClick)                                                                               \
    X(OnAutoAddRow, OnGridAutoAddRow)                                                                             \
    X(OnAutoInsertRow, OnGridInsertRow)                                                                           \
    X(OnAutoInsertCol, OnGridInsertCol)                                                                           \
    X(OnAutoDeleteRow, OnGridDeleteRow)                                                                           \
    X(OnCanAddRow, OnGridCanAddRow)                                                                               \
    X(OnCanInsertRow, OnGridCanInsertRow)                                                                         \
    X(OnCanDeleteRow, OnGridCanDeleteRow)

class TCustomKelGridDropDown : public TKelCustomDropDown {
    RTL_CLASS(TCustomKelGridDropDown)
public:
    explicit TCustomKelGridDropDown(TComponent* AOwner);
    ~TCustomKelGridDropDown() override;

    // Does nothing; EndUpdate rebuilds the lookup list from the items.
    void BeginUpdate() {}
    void EndUpdate() { BuildLookupList(); }
    void SetComponentStyle(TKelStyle AStyle) override { DoSetComponentStyle(AStyle); }

    // The pop-up grid (null before the pop-up form exists).
    TZazUruDava* DropDownGrid() const { return FZazUruDava; }
    // Items.Count with UseItems, else the pop-up grid's data rows.
    Integer ItemCount() const;
    Integer ItemsCount() const { return FItems->Count(); }
    const TStringList* LookupItems() const { return FLookupItems.get(); }
    // The text typed since the lookup last started over.
    const String& LookupEntry() const { return FLookupEntry; }
    // Text set from code is also the value the edit counts as unmodified.
    String Text() const { return ReadText(); }
    void SetText(const String& Value) {
        FOldValue = Value;
        WriteText(Value);
    }
    const String& OldValue() const { return FOldValue; }
    void SetOldValue(const String& Value) { FOldValue = Value; }

    // ---- Published settings ----
    TDropDownItems* Items() const { return FItems.get(); }
    void SetItems(const TDropDownItems* Value) { FItems->Assign(Value); }
    TDropDownColumns* Columns() const { return FColumns.get(); }
    void SetColumns(const TDropDownColumns* Value) { FColumns->Assign(Value); }
    bool UseItems() const { return FUseItems; }
    void SetUseItems(bool Value) { FUseItems = Value; }
    Integer ItemIndex() const { return FItemIndex; }
    void SetItemIndex(Integer Value);
    Integer LookupColumn() const { return FLookupColumn; }
    void SetLookupColumn(Integer Value) { FLookupColumn = Value; }
    TLookupMethod LookupMethod() const { return FLookupMethod; }
    void SetLookupMethod(TLookupMethod Value) { FLookupMethod = Value; }
    bool CaseSensitive() const { return FCaseSensitive; }
    void SetCaseSensitive(bool Value) { FCaseSensitive = Value; }
    TDropDownStyle Style() const { return FStyle; }
    // The edit takes typing only with dsDropDown.
    void SetStyle(TDropDownStyle Value);
    TGridSorting Sorting() const { return FSorting; }
    void SetSorting(TGridSorting Value) { FSorting = Value; }
    bool AutoShowDropDown() const { return FAutoShowDropDown; }
    void SetAutoShowDropDown(bool Value) { FAutoShowDropDown = Value; }
    bool AutoSizeColumns() const { return FAutoSizeColumns; }
    void SetAutoSizeColumns(bool Value) { FAutoSizeColumns = Value; }
    bool ColumnSizeWithDropDown() const { return FColumnSizeWithDropDown; }
    void SetColumnSizeWithDropDown(bool Value) { FColumnSizeWithDropDown = Value; }
    bool DropDownAutoWidth() const { return FDropDownAutoWidth; }
    void SetDropDownAutoWidth(bool Value) { FDropDownAutoWidth = Value; }
    Integer DropDownRowHeight() const { return FDropDownRowHeight; }
    void SetDropDownRowHeight(Integer Value) { FDropDownRowHeight = Value; }
    Integer HeaderHeight() const { return FHeaderHeight; }
    void SetHeaderHeight(Integer Value) { FHeaderHeight = Value; }
    TColor HeaderColor() const { return FHeaderColor; }
    void SetHeaderColor(TColor Value) { FHeaderColor = Value; }
    TColor HeaderColorTo() const { return FHeaderColorTo; }
    void SetHeaderColorTo(TColor Value) { FHeaderColorTo = Value; }
    TFont* HeaderFont() const { return FHeaderFont.get(); }
    void SetHeaderFont(const TFont* Value) { FHeaderFont->Assign(Value); }
    TColor LineColor() const { return FLineColor; }
    void SetLineColor(TColor Value) { FLineColor = Value; }
    TColor FixedLineColor() const { return FFixedLineColor; }
    void SetFixedLineColor(TColor Value) { FFixedLineColor = Value; }
    TColor SelectionTextColor() const { return FSelectionTextColor; }
    void SetSelectionTextColor(TColor Value) { FSelectionTextColor = Value; }
    bool HoverRow() const { return FHoverRow; }
    void SetHoverRow(bool Value) { FHoverRow = Value; }
    TColor HoverRowColor() const { return FHoverRowColor; }
    void SetHoverRowColor(TColor Value) { FHoverRowColor = Value; }
    TColor HoverRowColorTo() const { return FHoverRowColorTo; }
    void SetHoverRowColorTo(TColor Value) { FHoverRowColorTo = Value; }
    bool RowSelect() const { return FRowSelect; }
    void SetRowSelect(bool Value) { FRowSelect = Value; }
    bool GridEditable() const { return FGridEditable; }
    void SetGridEditable(bool Value) { FGridEditable = Value; }
    bool ColumnSizing() const { return FColumnSizing; }
    void SetColumnSizing(bool Value) { FColumnSizing = Value; }
    bool ColumnMoving() const { return FColumnMoving; }
    void SetColumnMoving(bool Value) { FColumnMoving = Value; }
    bool RowSizing() const { return FRowSizing; }
    void SetRowSizing(bool Value) { FRowSizing = Value; }
    bool RowMoving() const { return FRowMoving; }
    void SetRowMoving(bool Value) { FRowMoving = Value; }
    TCustomImageList* GridImages() const { return FGridImages; }
    // Also the pop-up grid's GridImages.
    void SetGridImages(TCustomImageList* Value);
    // Copied into the pop-up grid whenever it opens.
    TBands* Bands() const { return FBands.get(); }
    void SetBands(const TBands* Value) { FBands->Assign(Value); }
    TNavigation* Navigation() const { return FNavigation.get(); }
    void SetNavigation(const TNavigation* Value) { FNavigation->Assign(Value); }
    TMouseActions* MouseActions() const { return FMouseActions.get(); }
    void SetMouseActions(const TMouseActions* Value) { FMouseActions->Assign(Value); }
    TSearchFooter* SearchFooter() const { return FSearchFooter.get(); }
    void SetSearchFooter(const TSearchFooter* Value) { FSearchFooter->Assign(Value); }

    // ---- Events ----
    TNotifyEvent OnSelect;
    TSelectCellEvent OnGridSelectCell;
    TCheckBoxClickEvent OnGridCheckBoxClick;
    TClickSortEvent OnGridClickSort;
    TCanSortEvent OnGridCanSort;
    TKeyEvent OnGridKeyDown;
    TKeyEvent OnGridKeyUp;
    TKeyPressEvent OnGridKeyPress;
#define KEL_GRID_DROPDOWN_DECLARE_EVENT(GridEvent, ControlEvent) decltype(TZazUruDava::GridEvent) ControlEvent;
    KEL_GRID_DROPDOWN_FORWARDED_EVENTS(KEL_GRID_DROPDOWN_DECLARE_EVENT)
#undef KEL_GRID_DROPDOWN_DECLARE_EVENT

    void WndProc(TMessage& Message) override;

    // The lookup of one typed character (from the edit or the open list);
    // answers the found row (item index with Items) or -1.
    Integer LookupChar(Char C);

protected:
    Cardinal GetVersionNr() const override { return 0x06020202; }
    void Loaded() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void CreateDropDownForm() override;
    void DoBeforeDropDown() override;
    void AdjustDropDownHeight(Integer& Height) override;
    void DoShowDropDown() override;
    void PlaceDropDownControl() override;
    void AdaptDropDownSize() override;
    void DoHideDropDown(bool Cancel) override;
    void ForwardControlKeyDown(TObject* Sender, Word& Key, TShiftState Shift) override;
    void ForwardControlKeyUp(TObject* Sender, Word& Key, TShiftState Shift) override;
    void ForwardControlKeyPress(TObject* Sender, Char& Key) override;
    void DropDownResized() override;
    void MoveToNextItem() override { MoveNext(); }
    void MoveToPreviousItem() override { MovePrevious(); }
    void SetSelectionColorStyle(TSelectionColorStyle Value) override;
    void DoSetComponentStyle(TKelStyle AStyle) override;
    void DoEnter() override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyPress(Char& Key) override;
    void KeyUp(Word& Key, TShiftState Shift) override;
    void Change() override;

    virtual std::unique_ptr<TDropDownItems> CreateItems();
    virtual void DoSelect();

private:
    void BuildLookupList();
    // The item a grid row shows (R itself without a link), and the first
    // data row showing item I (ItemIndex when none).
    Integer ItemOfRow(Integer R) const;
    Integer RowOfItem(Integer I) const;
    // Find: the first candidate beginning with Key.
    bool Find(const String& Key, Integer& Found, String& Text);
    String Folded(const String& Text) const;
    void SelectBeyond(Integer From);
    void BindGridEvents();
    void ScaleColumns();
    void MoveFirst();
    void MoveLast();
    void MoveNext();
    void MovePrevious();
    void MovePageDown();
    void MovePageUp();
    void EndMove();
    void MoveGridRow(Integer ARow);
    bool PopupVisible() const;
    void GridSelectCell(Integer ACol, Integer ARow, bool& CanSelect);
    void GridSelect();
    void GridClickSort(Integer ACol);

    TZazUruDava* FZazUruDava = nullptr;
    std::unique_ptr<TFont> FHeaderFont;
    std::unique_ptr<TDropDownItems> FItems;
    std::unique_ptr<TDropDownColumns> FColumns;
    std::unique_ptr<TStringList> FLookupItems;
    std::unique_ptr<TBands> FBands;
    std::unique_ptr<TNavigation> FNavigation;
    std::unique_ptr<TMouseActions> FMouseActions;
    std::unique_ptr<TSearchFooter> FSearchFooter;
    bool FUseItems = true;
    Integer FItemIndex = -1;
    Integer FLookupColumn = 0;
    TLookupMethod FLookupMethod = lmLookup;
    bool FCaseSensitive = false;
    TDropDownStyle FStyle = dsDropDown;
    TGridSorting FSorting = gsNone;
    bool FAutoShowDropDown = false;
    bool FAutoSizeColumns = true;
    bool FColumnSizeWithDropDown = true;
    bool FDropDownAutoWidth = true;
    Integer FDropDownRowHeight = 22;
    Integer FHeaderHeight = 25;
    TColor FHeaderColor = 0xFFFFFF;
    TColor FHeaderColorTo = 0x808080;
    TColor FLineColor = 0xF1EDEB;
    TColor FFixedLineColor = 0xD1BBA4;
    TColor FSelectionTextColor = 0;
    bool FHoverRow = false;
    TColor FHoverRowColor = clInfoBk;
    TColor FHoverRowColorTo = clNone;
    bool FRowSelect = true;
    bool FGridEditable = false;
    bool FColumnSizing = false;
    bool FColumnMoving = false;
    bool FRowSizing = false;
    bool FRowMoving = false;
    TCustomImageList* FGridImages = nullptr;

    String FLookupEntry;
    Integer FLookupIndex = -1;
    Integer FSelRow = 0;
    Integer FTempItemIndex = -1;
    Integer FItemIdx = -1;
    Integer FItemSel = 0;
    bool FItemChange = false;
    bool FWorkMode = true;
    bool FMatchCase = false;
    bool FFirstDropDown = false;
    bool FInitializing = false;
    bool FNodeCell = false;
    bool FBalloonInit = false;
    String FOldValue;
};

// The number of style presets (every style but tsCustom).
Integer GridDropDownStylePresetCount();

class TKelGridDropDown : public TCustomKelGridDropDown {
    RTL_CLASS(TKelGridDropDown)
public:
    explicit TKelGridDropDown(TComponent* AOwner) : TCustomKelGridDropDown(AOwner) {}
};

} // namespace ZedArudorIdudIvudAriz

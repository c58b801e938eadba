#pragma once
// The multi-column drop-down: a drop-down edit whose pop-up lists rows of
// several columns in a small string grid with a header row.
//
// Every row is an item holding one string per column and an image index;
// the lookup column supplies the text shown in the edit. Typing completes
// the edit text from the first item whose lookup text begins with what was
// typed; the arrow and page keys step through the items without opening the
// pop-up; inside the open list typed characters look items up.
//
// The lookup list (the lookup-column texts in item order) is rebuilt by
// Loaded, EndUpdate and SetLookupColumn: after changing Items call
// EndUpdate before relying on completion or on Enter matching.
//
// The string grid declares classes of the same names, so these live in
// their own namespace.

#include "dropdown/KelDropDown.h"
#include "rtl/Collection.h"
#include "rtl/StringList.h"
#include "vcl/Grids.h"

#include <functional>
#include <memory>

namespace ZuvEdiraRareriVavuRaze {

RTL_ENUM(TColumnType, ctText, ctImage)

using TDrawCellEvent =
    std::function<void(TObject* Sender, Integer Column, Integer Row, TCanvas* ACanvas, const TRect& ARect)>;
using TGetCellTextEvent = std::function<void(TObject* Sender, Integer Column, Integer Row, String& Text)>;
using TGetCellPropEvent = std::function<void(TObject* Sender, Integer Column, Integer Row, TFont* Font,
                                             TColor& AColor, TColor& AColorTo)>;
using TDropDownCellClickEvent =
    std::function<void(TObject* Sender, Integer ACol, Integer ARow, const String& AValue)>;

class TDropDownColumn : public TCollectionItem {
    RTL_CLASS(TDropDownColumn)
public:
    explicit TDropDownColumn(TCollection* ACollection);
    ~TDropDownColumn() override;
    void Assign(const TPersistent* Source) override;

    bool Wordwrap() const { return FWordwrap; }
    void SetWordwrap(bool Value) { FWordwrap = Value; }
    Integer Width() const { return FWidth; }
    void SetWidth(Integer Value) { FWidth = Value; }
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool Value) { FAutoSize = Value; }
    const String& Header() const { return FHeader; }
    void SetHeader(const String& Value) { FHeader = Value; }
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value) { FAlignment = Value; }
    TColor Color() const { return FColor; }
    void SetColor(TColor Value) { FColor = Value; }
    TColumnType ColumnType() const { return FColumnType; }
    void SetColumnType(TColumnType Value) { FColumnType = Value; }
    TFont* Font() const { return FFont.get(); }
    void SetFont(const TFont* Value) { FFont->Assign(Value); }
    bool Ellipsis() const { return FEllipsis; }
    void SetEllipsis(bool Value) { FEllipsis = Value; }

private:
    bool FWordwrap = false;
    Integer FWidth = 80;
    bool FAutoSize = false;
    String FHeader;
    TAlignment FAlignment = taLeftJustify;
    TColor FColor = 0xFFFFFF;
    TColumnType FColumnType = ctText;
    std::unique_ptr<TFont> FFont;
    bool FEllipsis = false;
};

class TDropDownColumns : public TOwnedCollection {
    RTL_CLASS(TDropDownColumns)
public:
    explicit TDropDownColumns(TPersistent* AOwner);
    TDropDownColumn* Add() { return static_cast<TDropDownColumn*>(TCollection::Add()); }
    TDropDownColumn* Insert(Integer Index) { return static_cast<TDropDownColumn*>(TCollection::Insert(Index)); }
    TDropDownColumn* Items(Integer Index) const { return static_cast<TDropDownColumn*>(TCollection::Items(Index)); }
    TNotifyEvent OnChange;
};

class TDropDownItem : public TCollectionItem {
    RTL_CLASS(TDropDownItem)
public:
    explicit TDropDownItem(TCollection* ACollection);
    ~TDropDownItem() override;
    void Assign(const TPersistent* Source) override;

    Integer ImageIndex() const { return FImageIndex; }
    void SetImageIndex(Integer Value) { FImageIndex = Value; }
    // One string per column.
    TStringList* Text() const { return FText.get(); }
    void SetText(const TStrings* Value) { FText->Assign(Value); }
    Integer Tag() const { return FTag; }
    void SetTag(Integer Value) { FTag = Value; }
    // The string of a column; empty when the item has fewer strings.
    String Column(Integer Index) const;

private:
    Integer FImageIndex = -1;
    std::unique_ptr<TStringList> FText;
    Integer FTag = 0;
};

class TDropDownItems : public TOwnedCollection {
    RTL_CLASS(TDropDownItems)
public:
    explicit TDropDownItems(TPersistent* AOwner);
    TDropDownItem* Add() { return static_cast<TDropDownItem*>(TCollection::Add()); }
    TDropDownItem* Insert(Integer Index) { return static_cast<TDropDownItem*>(TCollection::Insert(Index)); }
    TDropDownItem* Items(Integer Index) const { return static_cast<TDropDownItem*>(TCollection::Items(Index)); }
    // The first item whose string at Column equals Value exactly; items with
    // fewer strings are skipped; -1 when none.
    Integer IndexInColumn(Integer Column, const String& Value) const;
    TNotifyEvent OnChange;
};

class TZuvEdiraRareriVavuRaze;

// The list inside the pop-up: a string grid with one header row whose
// cells are painted from the owning drop-down's columns and items.
class TZazUruDava : public TStringGrid {
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
    // The lines this class draws; the grid's own line width stays 0.
    Integer ListLineWidth() const { return FGridLineWidth; }
    void WriteGridLineWidth(Integer Value);
    TCustomImageList* Images() const { return FImages; }
    void SetImages(TCustomImageList* Value) { FImages = Value; }
    bool HoverSelect() const { return FHoverSelect; }
    void SetHoverSelect(bool Value) { FHoverSelect = Value; }
    // True when the last row change came from a key or a click, false
    // when from the mouse wheel.
    bool ConfirmSelection() const { return FConfirmSelection; }
    bool MouseWheelSelection() const { return FMouseWheelSelection; }
    TZuvEdiraRareriVavuRaze* DropDown() const { return FKelDropDown; }

    void SetDropDown(TZuvEdiraRareriVavuRaze* DropDown) { FKelDropDown = DropDown; }
    void LoadFromDropDown(TZuvEdiraRareriVavuRaze* DropDown);
    void AutoSizeColumns();
    void AutoSizeColumn(Integer Index);
    void FitWordWrapRows();
    Integer TotalWidth() const;
    TRect CellBounds(Integer ACol, Integer ARow) const;

    TGetCellTextEvent OnGetCellText;
    TDrawCellEvent OnDrawCell;
    TGetCellPropEvent OnGetCellProp;
    TNotifyEvent OnSelect;

    void WndProc(TMessage& Message) override;

protected:
    virtual void DoSelect();
    void DrawCell(Integer ACol, Integer ARow, const TRect& ARect, TGridDrawState AState) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos) override;
    bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    bool UnderPopupForm() const;
    TCanvas* MeasureCanvas() const;

    TZuvEdiraRareriVavuRaze* FKelDropDown = nullptr;
    std::unique_ptr<TDropDownColumns> FColumns;
    TColor FHeaderColor = 0xFFFFFF;
    TColor FHeaderColorTo = 0x808080;
    TColor FLineColor = 0x808080;
    TCustomImageList* FImages = nullptr;
    Integer FHeaderHeight = 25;
    std::unique_ptr<TFont> FHeaderFont;
    TColor FFixedLineColor = 0x808080;
    Integer FGridLineWidth = 1;
    bool FMouseWheelSelection = false;
    bool FConfirmSelection = false;
    bool FHoverSelect = false;
};

class TZuvEdiraRareriVavuRaze : public TKelCustomDropDown {
    RTL_CLASS(TZuvEdiraRareriVavuRaze)
public:
    explicit TZuvEdiraRareriVavuRaze(TComponent* AOwner);
    ~TZuvEdiraRareriVavuRaze() override;
    void Assign(const TPersistent* Source) override;

    bool CaseSensitive() const { return FCaseSensitive; }
    void SetCaseSensitive(bool Value) { FCaseSensitive = Value; }
    bool DropDownAutoWidth() const { return FDropDownAutoWidth; }
    void SetDropDownAutoWidth(bool Value) { FDropDownAutoWidth = Value; }
    Integer DropDownRowHeight() const { return FDropDownRowHeight; }
    void SetDropDownRowHeight(Integer Value) { FDropDownRowHeight = Value; }
    TColor LineColor() const { return FLineColor; }
    void SetLineColor(TColor Value) { FLineColor = Value; }
    TColor FixedLineColor() const { return FFixedLineColor; }
    void SetFixedLineColor(TColor Value) { FFixedLineColor = Value; }
    bool ColumnSizing() const { return FColumnSizing; }
    void SetColumnSizing(bool Value) { FColumnSizing = Value; }
    bool ColumnSizeWithDropDown() const { return FColumnSizeWithDropDown; }
    void SetColumnSizeWithDropDown(bool Value) { FColumnSizeWithDropDown = Value; }
    TDropDownColumns* Columns() const { return FColumns.get(); }
    void SetColumns(const TDropDownColumns* Value) { FColumns->Assign(Value); }
    TColor HeaderColor() const { return FHeaderColor; }
    void SetHeaderColor(TColor Value) { FHeaderColor = Value; }
    TColor HeaderColorTo() const { return FHeaderColorTo; }
    void SetHeaderColorTo(TColor Value) { FHeaderColorTo = Value; }
    Integer HeaderHeight() const { return FHeaderHeight; }
    void SetHeaderHeight(Integer Value) { FHeaderHeight = Value; }
    TFont* HeaderFont() const { return FHeaderFont.get(); }
    void SetHeaderFont(const TFont* Value) { FHeaderFont->Assign(Value); }
    bool HoverSelect() const { return FHoverSelect; }
    void SetHoverSelect(bool Value) { FHoverSelect = Value; }
    Integer LookupColumn() const { return FLookupColumn; }
    void SetLookupColumn(Integer Value) { WriteLookupColumn(Value); }
    void WriteLookupColumn(Integer Value);
    bool LookupIncr() const { return FLookupIncr; }
    void SetLookupIncr(bool Value) { FLookupIncr = Value; }
    TColor SelectionTextColor() const { return FSelectionTextColor; }
    void SetSelectionTextColor(TColor Value) { FSelectionTextColor = Value; }
    TDropDownItems* Items() const { return FItems.get(); }
    void SetItems(const TDropDownItems* Value) { FItems->Assign(Value); }
    Integer ItemIndex() const { return FItemIndex; }
    void SetItemIndex(Integer Value) { WriteItemIndex(Value); }
    void WriteItemIndex(Integer Value);
    TZazUruDava* List() const { return FZazUruDava; }
    const TStringList* LookupItems() const { return FLookupItems.get(); }

    void BeginUpdate() {}
    void EndUpdate() { BuildLookupList(); }
    // The first item whose lookup text equals Value exactly; an item
    // without a lookup-column string counts as empty; -1 when none.
    Integer GetItemIndex(const String& Value) const;

    void SelectFirstItem();
    void SelectLastItem();
    void SelectNextItem();
    void SelectPreviousItem();
    void PageDownItems();
    void PageUpItems();
    void SizeColumns();

    void DrawSelection(TCanvas* Canvas, const TRect& Rect, Integer Part, TColor Background) {
        DrawSelectionBackground(Canvas, Rect, Background, Part);
    }
    void DrawHeaderGradient(TCanvas* Canvas, TColor FromColor, TColor ToColor, const TRect& Rect);

    void WndProc(TMessage& Message) override;
    void Loaded() override;

    TNotifyEvent OnSelect;
    TDropDownCellClickEvent OnDropDownCellClick;
    TGetCellTextEvent OnDropDownGetItemText;
    TDrawCellEvent OnDropDownDrawItem;
    TGetCellPropEvent OnDropDownGetItemProp;

protected:
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
    void MoveToNextItem() override;
    void MoveToPreviousItem() override;
    void SetSelectionColorStyle(TSelectionColorStyle Value) override;
    void DoSetComponentStyle(TKelStyle AStyle) override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyPress(Char& Key) override;
    void KeyUp(Word& Key, TShiftState Shift) override;
    void Change() override;

private:
    void BuildLookupList();
    void ChangeIndex(Integer Value);
    void ListSelectCell(TObject* Sender, Integer ACol, Integer ARow, bool& CanSelect);
    void ListSelect(TObject* Sender);
    Integer LookupEntryKey(Char Key);
    bool FindLookupPrefix(const String& S, String& Text, Integer& Index) const;
    String Folded(const String& Text) const;
    bool ListOpen() const;

    bool FShowing = false;
    bool FColumnSizing = false;
    Integer FLookupColumn = 0;
    TColor FHeaderColorTo = 0x808080;
    TColor FHeaderColor = 0xFFFFFF;
    TColor FLineColor = 0xC0C0C0;
    std::unique_ptr<TDropDownItems> FItems;
    std::unique_ptr<TDropDownColumns> FColumns;
    Integer FItemIndex = -1;
    Integer FHeaderHeight = 25;
    std::unique_ptr<TFont> FHeaderFont;
    TZazUruDava* FZazUruDava = nullptr;
    TColor FFixedLineColor = 0x808080;
    String FLookupStr;
    std::unique_ptr<TStringList> FLookupItems;
    bool FItemChange = false;
    Integer FItemIdx = -1;
    Integer FItemSel = 0;
    Integer FOldItemIndex = -1;
    bool FDropDownAutoWidth = true;
    bool FColumnSizeWithDropDown = true;
    TColor FSelectionTextColor = 0;
    Integer FDropDownRowHeight = 22;
    String FLookupEntry;
    bool FCaseSensitive = false;
    Integer FOrgIndex = -1;
    bool FHoverSelect = false;
    bool FLookupIncr = false;
    bool FOpenedSinceFocus = false;
    // The characters of the key being typed (the character messages that
    // followed its key-down), for LookupIncr.
    String FKeyChars;
};

} // namespace ZuvEdiraRareriVavuRaze

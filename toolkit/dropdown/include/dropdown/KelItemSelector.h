#pragma once
// The item selector of the list pickers: items in a grid of equal cells,
// filled row by row over a number of columns, each with an image (its own
// picture or one of an image list) or a colour box and a markup caption in
// one of four layouts. TKelCustomItemSelector is the scrolling host that
// owns the data; TCustomItemSelector is the panel inside it that lays out,
// paints and hit-tests the cells and sizes itself to them, so the host's
// scroll bars show when the panel is larger than the host.

#include "dropdown/KelItemAppearance.h"
#include "graphics/Picture.h"
#include "rtl/Collection.h"
#include "vcl/ScrollingWinControl.h"

RTL_ENUM(TSelectorType, stImage, stColor)
RTL_ENUM(TItemLayout, ilCaptionLeft, ilCaptionRight, ilCaptionTop, ilCaptionBottom)

// The standard controls declare a TDrawItemEvent of their own.
namespace KelItemSelector {
using TDrawItemEvent = std::function<void(TObject* Sender, TCanvas* Canvas, const TRect& R, Integer Index)>;
} // namespace KelItemSelector
using TDrawItemsEvent = std::function<void(TObject* Sender, TCanvas* Canvas)>;
using TItemSizeEvent = std::function<void(TObject* Sender, TSize& ASize)>;

class TSelectorItem : public TCollectionItem {
    RTL_CLASS(TSelectorItem)
public:
    explicit TSelectorItem(TCollection* ACollection);
    ~TSelectorItem() override;
    void Assign(const TPersistent* Source) override;

    // Caption, Color and ImageIndex report a change to the collection.
    const String& Caption() const { return FCaption; }
    void SetCaption(const String& Value);
    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    Integer ImageIndex() const { return FImageIndex; }
    void SetImageIndex(Integer Value);
    TPicture* Image() const { return FImage.get(); }
    void SetImage(const TPicture* Value) { FImage->Assign(Value); }
    const String& Hint() const { return FHint; }
    void SetHint(const String& Value) { FHint = Value; }
    // A disabled item cannot become hot or selected.
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value) { FEnabled = Value; }
    // The cell in panel coordinates, written by the layout.
    TRect Rect() const { return FRect; }
    void SetRect(const TRect& Value) { FRect = Value; }

private:
    void Changed();
    String FCaption;
    Integer FImageIndex = -1;
    bool FEnabled = true;
    TColor FColor = clNone;
    std::unique_ptr<TPicture> FImage;
    TRect FRect;
    String FHint;
};

class TSelectorItems : public TOwnedCollection {
    RTL_CLASS(TSelectorItems)
public:
    explicit TSelectorItems(TPersistent* AOwner);
    TSelectorItem* Add() { return static_cast<TSelectorItem*>(TCollection::Add()); }
    TSelectorItem* Insert(Integer Index) { return static_cast<TSelectorItem*>(TCollection::Insert(Index)); }
    TSelectorItem* Items(Integer Index) const { return static_cast<TSelectorItem*>(TCollection::Items(Index)); }
    TNotifyEvent OnChange;
};

class TCustomItemSelector;

class TKelCustomItemSelector : public TScrollingWinControl {
    RTL_CLASS(TKelCustomItemSelector)
public:
    explicit TKelCustomItemSelector(TComponent* AOwner);
    ~TKelCustomItemSelector() override;

    // The panel's layout again (owners call it after filling Items).
    void UpdateSelectorPanel();
    TCustomItemSelector* Panel() const { return FItemSelectorPanel; }

    TSelectorItems* Items() const { return FItems.get(); }
    void SetItems(const TSelectorItems* Value) { FItems->Assign(Value); }
    Integer ItemIndex() const;
    void SetItemIndex(Integer Value);
    Integer ItemHot() const;
    TSelectorType SelectorType() const { return FSelectorType; }
    void SetSelectorType(TSelectorType Value);
    TItemLayout ItemLayout() const { return FItemLayout; }
    void SetItemLayout(TItemLayout Value) { FItemLayout = Value; }
    Integer Columns() const { return FColumns; }
    // Only values above 0.
    void SetColumns(Integer Value);
    Integer ColorBoxWidth() const { return FColorBoxWidth; }
    void SetColorBoxWidth(Integer Value);
    Integer ColorBoxHeight() const { return FColorBoxHeight; }
    void SetColorBoxHeight(Integer Value);
    TCustomImageList* Images() const { return FImages; }
    void SetImages(TCustomImageList* Value);
    TItemAppearance* ItemAppearance() const { return FItemAppearance.get(); }
    void SetItemAppearance(const TItemAppearance* Value) { FItemAppearance->Assign(Value); }

    void SelectFirst();
    void SelectLast();
    void SelectNext();
    void SelectPrevious();
    void HotNext();
    void HotPrevious();
    bool LookupItem(const String& S);
    void ScrollItemInView(Integer Index);
    Integer GetVisibleItemCount() const;
    void GetPanelSize(TSize& Size) const;

    void WndProc(TMessage& Message) override;

    TNotifyEvent OnItemSelect;
    KelItemSelector::TDrawItemEvent OnDrawItem;
    TDrawItemsEvent OnBeforeDrawItems;
    TDrawItemsEvent OnAfterDrawItems;
    TItemSizeEvent OnItemSize;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    std::unique_ptr<TSelectorItems> FItems;
    TSelectorType FSelectorType = stImage;
    TItemLayout FItemLayout = ilCaptionRight;
    Integer FColumns = 1;
    Integer FColorBoxWidth = 14;
    Integer FColorBoxHeight = 14;
    TCustomImageList* FImages = nullptr;
    TCustomItemSelector* FItemSelectorPanel = nullptr;
    std::unique_ptr<TItemAppearance> FItemAppearance;
};

class TCustomItemSelector : public TCustomControl {
    RTL_CLASS(TCustomItemSelector)
public:
    // The owner must be a TKelCustomItemSelector ("Invalid parent").
    explicit TCustomItemSelector(TComponent* AOwner);

    Integer ItemIndex() const { return FItemIndex; }
    void SetItemIndex(Integer Value);
    Integer ItemHot() const { return FItemHot; }
    void SetItemHot(Integer Index);
    void SelectFirst();
    void SelectLast();
    void SelectNext();
    void SelectPrevious();
    void HotNext();
    void HotPrevious();
    bool LookupItem(const String& S);
    // The item under a panel point, or -1.
    Integer ItemAtPos(TPoint P) const;
    // The cell of an item; (-1, -1, -1, -1) outside the items.
    TRect ItemRect(Integer Index) const;

    virtual void DrawItem(Integer Index, TCanvas* Canvas);
    virtual void DrawItems(TCanvas* Canvas);
    virtual void GetItemsArea(TRect& R) const;
    virtual void GetItemSize(TSize& Size);
    virtual void InvalidateItem(Integer Index);
    virtual void UpdateLayout();
    virtual void DrawItemBackground(Integer Index, TCanvas* ACanvas);

    TNotifyEvent OnItemSelect;

protected:
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
    void MouseLeave() override;

private:
    bool IsValid(Integer Index) const;
    bool IsDisabled(Integer Index) const;
    // The content size of step 1 of the item size.
    TSize ContentSize(Integer Index, Single Factor) const;
    void PaintBackground(Integer Index, TCanvas* Canvas, TColor& TextColor);
    void DrawCaption(TCanvas* Canvas, const String& Caption, const TRect& R, Single Factor, bool Draw, TSize& Size);

    Integer FItemIndex = -1;
    Integer FItemHot = -1;
    Integer FOffSetX = 2;
    Integer FOffSetY = 2;
    Integer FItemOffSetX = 4;
    Integer FItemOffSetY = 4;
    Integer FCaptionGap = 4;
    TKelCustomItemSelector* FKelItemSelector = nullptr;
};

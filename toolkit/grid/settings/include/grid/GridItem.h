#pragma once
// TGridItem: one row taken out of the grid (hidden): its real index, its
// height when it was hidden, the filter level that hid it and its cells'
// texts with their objects.

#include "rtl/Collection.h"
#include "rtl/StringList.h"

class TGridItem : public TCollectionItem {
    RTL_CLASS(TGridItem)
public:
    explicit TGridItem(TCollection* ACollection);
    ~TGridItem() override;

    Integer Idx() const { return FIdx; }
    void SetIdx(Integer Value) { FIdx = Value; }
    Integer Height() const { return FHeight; }
    void SetHeight(Integer Value) { FHeight = Value; }
    Integer Level() const { return FLevel; }
    void SetLevel(Integer Value) { FLevel = Value; }
    // The row's texts; the objects of the list are the cells' records.
    TStringList* Items() const { return FItems; }
    // Takes the given list over and frees the one it replaces (the item owns
    // the list it holds).
    void SetItems(TStringList* Value);

private:
    Integer FIdx = 0;
    Integer FHeight = 0;
    Integer FLevel = 0;
    TStringList* FItems;
};

#include "rtl/List.h"

#include "ListErrors.h"
#include "rtl/Exception.h"

#include <algorithm>
#include <limits>

void TList::CheckIndex(Integer Index) const {
    if (Index < 0 || Index >= Count()) throw EListError(detail::ListIndexErrorText(Index));
}

Integer TList::Add(void* Item) {
    FItems.push_back(Item);
    if (Item) Notify(Item, lnAdded);
    return Count() - 1;
}

void TList::Insert(Integer Index, void* Item) {
    if (Index < 0 || Index > Count()) throw EListError(detail::ListIndexErrorText(Index));
    FItems.insert(FItems.begin() + Index, Item);
    if (Item) Notify(Item, lnAdded);
}

void TList::Delete(Integer Index) {
    CheckIndex(Index);
    void* Item = FItems[static_cast<size_t>(Index)];
    FItems.erase(FItems.begin() + Index);
    if (Item) Notify(Item, lnDeleted);
}

Integer TList::Remove(void* Item) {
    const Integer Index = IndexOf(Item);
    if (Index >= 0) Delete(Index);
    return Index;
}

void* TList::Extract(void* Item) {
    const Integer Index = IndexOf(Item);
    if (Index < 0) return nullptr;
    FItems.erase(FItems.begin() + Index);
    if (Item) Notify(Item, lnExtracted);
    return Item;
}

void TList::Clear() {
    SetCount(0);
    SetCapacity(0);
}

void TList::Exchange(Integer Index1, Integer Index2) {
    CheckIndex(Index1);
    CheckIndex(Index2);
    std::swap(FItems[static_cast<size_t>(Index1)], FItems[static_cast<size_t>(Index2)]);
}

void TList::Move(Integer CurIndex, Integer NewIndex) {
    if (CurIndex == NewIndex) return;
    CheckIndex(CurIndex);
    CheckIndex(NewIndex);
    void* Item = FItems[static_cast<size_t>(CurIndex)];
    FItems.erase(FItems.begin() + CurIndex);
    FItems.insert(FItems.begin() + NewIndex, Item);
}

Integer TList::IndexOf(const void* Item) const {
    const auto Found = std::find(FItems.begin(), FItems.end(), Item);
    return Found == FItems.end() ? -1 : static_cast<Integer>(Found - FItems.begin());
}

Integer TList::LastIndexOf(const void* Item) const {
    const auto Found = std::find(FItems.rbegin(), FItems.rend(), Item);
    return Found == FItems.rend() ? -1 : static_cast<Integer>(FItems.rend() - Found) - 1;
}

void TList::Pack() {
    std::erase(FItems, nullptr);
}

void TList::Sort(const TListSortCompare& Compare) {
    std::stable_sort(FItems.begin(), FItems.end(), [&](void* A, void* B) { return Compare(A, B) < 0; });
}

void* TList::Items(Integer Index) const {
    CheckIndex(Index);
    return FItems[static_cast<size_t>(Index)];
}

void TList::SetItems(Integer Index, void* Item) {
    CheckIndex(Index);
    void*& Slot = FItems[static_cast<size_t>(Index)];
    if (Slot == Item) return;
    void* Old = Slot;
    Slot = Item;
    if (Old) Notify(Old, lnDeleted);
    if (Item) Notify(Item, lnAdded);
}

void TList::SetCount(Integer NewCount) {
    if (NewCount < 0) throw EListError(detail::ListErrorText(u"List count out of bounds (%d)", NewCount));
    if (NewCount >= Count()) {
        FItems.resize(static_cast<size_t>(NewCount), nullptr);
        return;
    }
    while (Count() > NewCount)
        Delete(Count() - 1);
}

void TList::SetCapacity(Integer NewCapacity) {
    if (NewCapacity < Count())
        throw EListError(detail::ListErrorText(u"List capacity out of bounds (%d)", NewCapacity));
    if (NewCapacity > Capacity()) {
        FItems.reserve(static_cast<size_t>(NewCapacity));
    } else if (NewCapacity == 0) {
        FItems.shrink_to_fit();
    }
}

void TList::BeforeDestruction() {
    Clear();
    TObject::BeforeDestruction();
}

// ------------------------------------------------------------ TObjectList

TObjectList::~TObjectList() {
    // Free already emptied the list; a list destroyed without Free still
    // releases what it owns.
    if (!FOwnsObjects) return;
    for (Integer I = 0; I < Count(); ++I)
        Free(Items(I));
}

void TObjectList::Notify(void* Ptr, TListNotification Action) {
    if (FOwnsObjects && Action == lnDeleted) Free(static_cast<TObject*>(Ptr));
    TList::Notify(Ptr, Action);
}

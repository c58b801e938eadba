#pragma once
// TList: an ordered list of untyped pointers, the base of the program's
// small typed lists; TObjectList: a list of objects that may own them.
// Index errors raise EListError "List index out of bounds (%d)"; bad
// capacities and counts "List capacity out of bounds (%d)" and
// "List count out of bounds (%d)".

#include "rtl/Object.h"
#include "rtl/Types.h"

#include <functional>
#include <vector>

enum TListNotification { lnAdded, lnExtracted, lnDeleted };

// Negative when Item1 sorts before Item2, 0 when equal, positive after.
using TListSortCompare = std::function<int(void* Item1, void* Item2)>;

class TList : public TObject {
public:
    // Free empties the list first, so derived lists hear of every entry.
    void BeforeDestruction() override;

    Integer Add(void* Item);
    void Insert(Integer Index, void* Item);
    void Delete(Integer Index);
    // Deletes the first occurrence; answers its former index or -1.
    Integer Remove(void* Item);
    // Takes the first occurrence out without deleting it (notified as
    // extracted); answers Item, or null when it is not in the list.
    void* Extract(void* Item);
    virtual void Clear();
    void Exchange(Integer Index1, Integer Index2);
    void Move(Integer CurIndex, Integer NewIndex);
    Integer IndexOf(const void* Item) const;
    // The index of the last entry equal to Item, -1 when there is none.
    Integer LastIndexOf(const void* Item) const;
    void* First() const { return Items(0); }
    void* Last() const { return Items(Count() - 1); }
    // Removes every null entry.
    void Pack();
    // Sorts stably by Compare.
    void Sort(const TListSortCompare& Compare);

    void* Items(Integer Index) const;
    void SetItems(Integer Index, void* Item);

    Integer Count() const { return static_cast<Integer>(FItems.size()); }
    // Growing appends null entries; shrinking deletes from the end.
    void SetCount(Integer NewCount);
    Integer Capacity() const { return static_cast<Integer>(FItems.capacity()); }
    void SetCapacity(Integer NewCapacity);

protected:
    // Told about every non-null entry that enters or leaves the list.
    virtual void Notify(void* /*Ptr*/, TListNotification /*Action*/) {}

    void CheckIndex(Integer Index) const;

private:
    std::vector<void*> FItems;
};

// A list of objects. When it owns them (the default) it frees each object
// that is deleted from it, replaced in it, or still in it when the list is
// freed; Extract hands an object back without freeing it.
class TObjectList : public TList {
public:
    explicit TObjectList(bool AOwnsObjects = true) : FOwnsObjects(AOwnsObjects) {}
    ~TObjectList() override;

    Integer Add(TObject* AObject) { return TList::Add(AObject); }
    void Insert(Integer Index, TObject* AObject) { TList::Insert(Index, AObject); }
    Integer Remove(TObject* AObject) { return TList::Remove(AObject); }
    TObject* Extract(TObject* AObject) { return static_cast<TObject*>(TList::Extract(AObject)); }
    Integer IndexOf(const TObject* AObject) const { return TList::IndexOf(AObject); }
    TObject* First() const { return Items(0); }
    TObject* Last() const { return Items(Count() - 1); }
    TObject* Items(Integer Index) const { return static_cast<TObject*>(TList::Items(Index)); }
    void SetItems(Integer Index, TObject* AObject) { TList::SetItems(Index, AObject); }

    bool OwnsObjects() const { return FOwnsObjects; }
    void SetOwnsObjects(bool Value) { FOwnsObjects = Value; }

protected:
    void Notify(void* Ptr, TListNotification Action) override;

private:
    bool FOwnsObjects;
};

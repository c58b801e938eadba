#pragma once
// TList: an ordered list of untyped pointers, the base of the program's
// small typed lists; TObjectList: a list of objects that may own them.
// Index errors raise EListError "List index out of bounds (%d)"; bad
// capacities and counts "List capacity out of bounds (%d)" and
// "List count out of bounds (%d)".

#include "rtl/Types.h"

#include <functional>
#include <vector>

enum TListNotification { lnAdded, lnExtracted, lnDeleted };

// Negative when Item1 sorts before Item2, 0 when equal, positive after.
using TListSortCompare = std::function<int(void* Item1, void* Item2)>;

class TList {
public:
    TList() = default;
    virtual ~TList() = default;
    TList(const TList&) = delete;
    TList& operator=(const TList&) = delete;

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

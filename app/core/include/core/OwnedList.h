#pragma once
// TOwnedList<T>: the typed list behind every owned list of the project model
// (runs, applications, crop groupings, abstraction points, crop data). It
// keeps its objects in order, frees them when they leave the list, and
// answers an index outside the list with EListError "List index out of
// bounds (%d)". Being a TObject, a list can itself be the object of a
// string-list line.

#include "rtl/List.h"
#include "rtl/Object.h"

#include <memory>

template <class T>
class TOwnedList : public TObject {
public:
    Integer Count() const { return FList.Count(); }
    T* Items(Integer Index) const { return static_cast<T*>(FList.Items(Index)); }
    // Takes the object over and answers it.
    T* Add(std::unique_ptr<T> Item) {
        T* Added = Item.get();
        FList.Add(Added);
        Item.release();
        return Added;
    }
    void Delete(Integer Index) { FList.Delete(Index); }
    void Clear() { FList.Clear(); }
    Integer IndexOf(const T* Item) const { return FList.IndexOf(Item); }

    // Iteration in list order: for (T* Item : List).
    class const_iterator {
    public:
        const_iterator(const TOwnedList* List, Integer Index) : FOwner(List), FIndex(Index) {}
        T* operator*() const { return FOwner->Items(FIndex); }
        const_iterator& operator++() {
            ++FIndex;
            return *this;
        }
        bool operator==(const const_iterator& Other) const = default;

    private:
        const TOwnedList* FOwner;
        Integer FIndex;
    };
    const_iterator begin() const { return const_iterator(this, 0); }
    const_iterator end() const { return const_iterator(this, Count()); }

private:
    TObjectList FList{true};
};

#pragma once
// TKelOwnedCollection<T>: the platform's owned collection with typed item
// access and an enumerator over its items.

#include "rtl/Collection.h"
#include "rtl/Exception.h"

template <class T>
requires std::is_base_of_v<TCollectionItem, T>
class TKelOwnedCollection : public TOwnedCollection {
public:
    // Walks the items: MoveNext steps to the next item and answers whether
    // there was one; Current is the item stepped to.
    class TEnumerator {
    public:
        explicit TEnumerator(const TKelOwnedCollection* ACol) : FCol(ACol) {}

        bool MoveNext() {
            if (FIndex >= FCol->Count() - 1) return false;
            ++FIndex;
            return true;
        }
        T* Current() const { return FCol->GetItem(FIndex); }

    private:
        Integer FIndex = -1;
        const TKelOwnedCollection* FCol;
    };

    TKelOwnedCollection(TPersistent* AOwner, const TClassInfo& ItemClass)
        : TOwnedCollection(AOwner, ItemClass) {}

    // The item at AIndex; EListError outside 0..Count-1, EInvalidCast for an
    // item of another class.
    T* GetItem(Integer AIndex) const {
        TCollectionItem* Item = TCollection::Items(AIndex);
        if (auto* Typed = dynamic_cast<T*>(Item)) return Typed;
        throw EInvalidCast(u"Invalid class typecast");
    }

    TEnumerator GetEnumerator() const { return TEnumerator(this); }

    // Range-for over the items, through the enumerator.
    class iterator {
    public:
        explicit iterator(TEnumerator AEnum, bool AAtEnd)
            : FEnum(AEnum), FAtEnd(AAtEnd || !FEnum.MoveNext()) {}
        T* operator*() const { return FEnum.Current(); }
        iterator& operator++() {
            FAtEnd = !FEnum.MoveNext();
            return *this;
        }
        bool operator!=(const iterator& Other) const { return FAtEnd != Other.FAtEnd; }

    private:
        TEnumerator FEnum;
        bool FAtEnd;
    };
    iterator begin() const { return iterator(GetEnumerator(), false); }
    iterator end() const { return iterator(GetEnumerator(), true); }
};

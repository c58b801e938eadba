#pragma once
// TCollection: an ordered, owning list of TCollectionItem objects of one item
// class, with change notification; TOwnedCollection adds an owner for
// naming and streaming.
//
// Items join a collection when they are constructed with it (Add makes them
// so) and leave it when they are freed or moved to another collection.
// Every change ends in Update(Item) (Item null: the whole collection), held
// back while BeginUpdate is in force and reported once by the last EndUpdate.

#include "rtl/List.h"
#include "rtl/Persistent.h"

class TCollection;

enum TCollectionNotification { cnAdded, cnExtracting, cnDeleting };

class TCollectionItem : public TPersistent {
    RTL_CLASS(TCollectionItem)
public:
    explicit TCollectionItem(TCollection* ACollection);
    ~TCollectionItem() override;

    void BeforeDestruction() override;

    TCollection* Collection() const { return FCollection; }
    // Leaves the current collection and joins ACollection (null: none).
    void SetCollection(TCollection* ACollection);

    // Position in the collection (-1 without one); setting it moves the item.
    Integer Index() const;
    virtual void SetIndex(Integer Value);
    // A number unique within the collection, never reused.
    Integer ID() const { return FID; }

    virtual String DisplayName() const;
    virtual void SetDisplayName(const String&) { Changed(false); }

    TPersistent* GetOwner() const override;
    String GetNamePath() const override;

protected:
    // Reports a change of this item (AllItems: of the whole collection).
    void Changed(bool AllItems);

private:
    friend class TCollection;
    TCollection* FCollection = nullptr;
    Integer FID = 0;
};

class TCollection : public TPersistent {
    RTL_CLASS(TCollection)
public:
    // ItemClass must be a class built with a TCollection* constructor.
    explicit TCollection(const TClassInfo& ItemClass);
    ~TCollection() override;

    void BeforeDestruction() override;

    const TClassInfo& ItemClass() const { return *FItemClass; }
    Integer Count() const { return FItems.Count(); }
    // Raises EListError "List index out of bounds (%d)" outside 0..Count-1.
    TCollectionItem* Items(Integer Index) const { return static_cast<TCollectionItem*>(FItems.Items(Index)); }
    void SetItems(Integer Index, const TCollectionItem* Value) { Items(Index)->Assign(Value); }

    TCollectionItem* Add();
    TCollectionItem* Insert(Integer Index);
    void Delete(Integer Index);
    void Clear();
    TCollectionItem* FindItemID(Integer ID) const;

    virtual void BeginUpdate() { ++FUpdateCount; }
    virtual void EndUpdate();
    Integer UpdateCount() const { return FUpdateCount; }

    // Copies a collection item by item (each new item assigned from the
    // source's item of the same position).
    void Assign(const TPersistent* Source) override;

    TPersistent* Owner() const { return GetOwner(); }
    // The owner's path and the name of the owner's property that holds this
    // collection; the class name when either is unknown.
    String GetNamePath() const override;

protected:
    // Told when an item has joined, is about to leave or to be deleted.
    virtual void Notify(TCollectionItem* Item, TCollectionNotification Action);
    // Told of every change once no update is in force; Item is null when the
    // whole collection changed.
    virtual void Update(TCollectionItem* Item);
    // Reports a change of the whole collection unless an update is in force.
    void Changed();

private:
    friend class TCollectionItem;
    void InsertItem(TCollectionItem* Item);
    void RemoveItem(TCollectionItem* Item);
    // The item's place in FItems. An item is in a collection once, so the
    // search starts at the end, where new items are added and from where
    // collections are emptied: filling or emptying a large collection from
    // its end stays linear.
    Integer ItemIndex(const TCollectionItem* Item) const { return FItems.LastIndexOf(Item); }
    // Takes the item out of FItems (no notification but the list's own).
    void DropItem(const TCollectionItem* Item);
    void MoveItem(TCollectionItem* Item, Integer NewIndex);
    // The name of the owner's published property that holds this collection.
    String PropName() const;

    const TClassInfo* FItemClass;
    TList FItems;
    Integer FUpdateCount = 0;
    Integer FNextID = 0;
};

class TOwnedCollection : public TCollection {
    RTL_CLASS(TOwnedCollection)
public:
    TOwnedCollection(TPersistent* AOwner, const TClassInfo& ItemClass)
        : TCollection(ItemClass), FOwner(AOwner) {}

    TPersistent* GetOwner() const override { return FOwner; }

private:
    TPersistent* FOwner;
};

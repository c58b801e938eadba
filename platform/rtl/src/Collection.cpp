#include "rtl/Collection.h"

#include "rtl/ClassBuilder.h"
#include "rtl/Exception.h"
#include "rtl/Format.h"

const TClassInfo& TCollectionItem::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TCollectionItem, TPersistent>().Build();
    return Info;
}

const TClassInfo& TCollection::StaticClassInfo() {
    // A collection is created by its owner with its item class, never by name.
    static const TClassInfo Info = [] {
        TClassInfo Built = TClassBuilder<TCollection, TPersistent>().Build();
        Built.Factory = nullptr;
        return Built;
    }();
    return Info;
}

const TClassInfo& TOwnedCollection::StaticClassInfo() {
    static const TClassInfo Info = [] {
        TClassInfo Built = TClassBuilder<TOwnedCollection, TCollection>().Build();
        Built.Factory = nullptr;
        return Built;
    }();
    return Info;
}

// ---- TCollectionItem ---------------------------------------------------------

TCollectionItem::TCollectionItem(TCollection* ACollection) {
    SetCollection(ACollection);
}

TCollectionItem::~TCollectionItem() {
    // Deleted without Free: leave the collection without notifications,
    // which would reach a half-destroyed item.
    if (FCollection) FCollection->DropItem(this);
}

void TCollectionItem::BeforeDestruction() {
    TPersistent::BeforeDestruction();
    SetCollection(nullptr);
}

void TCollectionItem::SetCollection(TCollection* ACollection) {
    if (FCollection == ACollection) return;
    if (FCollection) FCollection->RemoveItem(this);
    if (ACollection) ACollection->InsertItem(this);
}

Integer TCollectionItem::Index() const {
    return FCollection ? FCollection->ItemIndex(this) : -1;
}

void TCollectionItem::SetIndex(Integer Value) {
    if (FCollection && Value != Index()) FCollection->MoveItem(this, Value);
}

String TCollectionItem::DisplayName() const {
    return ClassName();
}

TPersistent* TCollectionItem::GetOwner() const {
    return FCollection;
}

String TCollectionItem::GetNamePath() const {
    if (!FCollection) return ClassName();
    return Format(u"%s[%d]", {FCollection->GetNamePath(), Index()});
}

void TCollectionItem::Changed(bool AllItems) {
    if (!FCollection || FCollection->FUpdateCount > 0) return;
    FCollection->Update(AllItems ? nullptr : this);
}

// ---- TCollection ---------------------------------------------------------------

TCollection::TCollection(const TClassInfo& ItemClass) : FItemClass(&ItemClass) {
    if (!ItemClass.InheritsFrom(TCollectionItem::StaticClassInfo()) || !ItemClass.ItemFactory)
        throw EInvalidOperation(Format(u"%s is no collection item class", {ItemClass.Name}));
}

TCollection::~TCollection() {
    // Freed without Free: free the items quietly.
    while (Count() > 0) {
        TCollectionItem* Item = Items(Count() - 1);
        FItems.Delete(Count() - 1);
        Item->FCollection = nullptr;
        Free(Item);
    }
}

void TCollection::BeforeDestruction() {
    TPersistent::BeforeDestruction();
    // No change reports while the collection goes.
    FUpdateCount = 1;
    Clear();
}

TCollectionItem* TCollection::Add() {
    TObject* Made = FItemClass->ItemFactory(this);
    return static_cast<TCollectionItem*>(Made);
}

TCollectionItem* TCollection::Insert(Integer Index) {
    // Checked first, so that a bad index adds no item.
    if (Index < 0 || Index > Count()) throw EListError(Format(u"List index out of bounds (%d)", {Index}));
    TCollectionItem* Item = Add();
    Item->SetIndex(Index);
    return Item;
}

void TCollection::Delete(Integer Index) {
    TCollectionItem* Item = Items(Index);
    Notify(Item, cnDeleting);
    Free(Item);
}

void TCollection::Clear() {
    if (Count() == 0) return;
    BeginUpdate();
    try {
        while (Count() > 0)
            Free(Items(Count() - 1));
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

TCollectionItem* TCollection::FindItemID(Integer ID) const {
    for (Integer I = 0; I < Count(); ++I)
        if (Items(I)->FID == ID) return Items(I);
    return nullptr;
}

void TCollection::EndUpdate() {
    if (FUpdateCount == 0) return;
    if (--FUpdateCount == 0) Changed();
}

void TCollection::Changed() {
    if (FUpdateCount == 0) Update(nullptr);
}

void TCollection::Assign(const TPersistent* Source) {
    auto* Other = dynamic_cast<const TCollection*>(Source);
    if (!Other) {
        TPersistent::Assign(Source);
        return;
    }
    BeginUpdate();
    try {
        Clear();
        for (Integer I = 0; I < Other->Count(); ++I)
            Add()->Assign(Other->Items(I));
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

String TCollection::GetNamePath() const {
    const TPersistent* TheOwner = GetOwner();
    if (!TheOwner) return ClassName();
    const String OwnerPath = TheOwner->GetNamePath();
    const String Property = PropName();
    if (OwnerPath.empty() || Property.empty()) return ClassName();
    return OwnerPath + u"." + Property;
}

String TCollection::PropName() const {
    const TPersistent* TheOwner = GetOwner();
    for (const TPropInfo* Prop : GetPropList(TheOwner))
        if (Prop->Kind() == tkClass && GetObjectProp(TheOwner, *Prop) == this) return Prop->Name;
    return String();
}

void TCollection::Notify(TCollectionItem*, TCollectionNotification) {}

void TCollection::Update(TCollectionItem*) {}

void TCollection::InsertItem(TCollectionItem* Item) {
    FItems.Add(Item);
    Item->FCollection = this;
    Item->FID = FNextID++;
    Notify(Item, cnAdded);
    Changed();
}

void TCollection::RemoveItem(TCollectionItem* Item) {
    Notify(Item, cnExtracting);
    DropItem(Item);
    Item->FCollection = nullptr;
    Changed();
}

void TCollection::DropItem(const TCollectionItem* Item) {
    const Integer Index = ItemIndex(Item);
    if (Index >= 0) FItems.Delete(Index);
}

void TCollection::MoveItem(TCollectionItem* Item, Integer NewIndex) {
    FItems.Move(Item->Index(), NewIndex);
    Item->Changed(true);
}

#include "grid/HoverButtons.h"

#include "rtl/ClassBuilder.h"

// ---- THoverButtonsCollectionItem ------------------------------------------------

const TClassInfo& THoverButtonsCollectionItem::StaticClassInfo() {
    using C = THoverButtonsCollectionItem;
    static const TClassInfo Info = TClassBuilder<C, TCollectionItem>()
                                       .Property(u"Enabled", &C::Enabled, &C::SetEnabled)
                                       .Default(true)
                                       .Property(u"Hint", &C::Hint, &C::SetHint)
                                       .Property(u"Picture", &C::Picture, &C::SetPicture)
                                       .Property(u"Caption", &C::Caption, &C::SetCaption)
                                       .Property(u"Tag", &C::Tag, &C::SetTag)
                                       .Default(0)
                                       .Property(u"ImageIndex", &C::ImageIndex, &C::SetImageIndex)
                                       .Default(0)
                                       .Property(u"Flat", &C::Flat, &C::SetFlat)
                                       .Default(false)
                                       .Property(u"Width", &C::Width, &C::SetWidth)
                                       .Default(0)
                                       .Build();
    return Info;
}

THoverButtonsCollectionItem::THoverButtonsCollectionItem(TCollection* ACollection)
    : TCollectionItem(ACollection), FPicture(std::make_unique<TPicture>()) {}

THoverButtonsCollectionItem::~THoverButtonsCollectionItem() = default;

void THoverButtonsCollectionItem::Assign(const TPersistent* Source) {
    const auto* Other = dynamic_cast<const THoverButtonsCollectionItem*>(Source);
    if (!Other) {
        TCollectionItem::Assign(Source);
        return;
    }
    FTag = Other->FTag;
    FFlat = Other->FFlat;
    FEnabled = Other->FEnabled;
    FCaption = Other->FCaption;
    FHint = Other->FHint;
    FPicture->Assign(Other->FPicture.get());
    FWidth = Other->FWidth;
}

void THoverButtonsCollectionItem::SetEnabled(bool Value) {
    if (FEnabled == Value) return;
    FEnabled = Value;
    Changed(false);
}

void THoverButtonsCollectionItem::SetHint(const String& Value) {
    if (FHint == Value) return;
    FHint = Value;
    Changed(false);
}

void THoverButtonsCollectionItem::SetPicture(const TPicture* Value) {
    FPicture->Assign(Value);
    Changed(false);
}

void THoverButtonsCollectionItem::SetCaption(const String& Value) {
    if (FCaption == Value) return;
    FCaption = Value;
    Changed(false);
}

void THoverButtonsCollectionItem::SetImageIndex(Integer Value) {
    if (FImageIndex == Value) return;
    FImageIndex = Value;
    Changed(false);
}

void THoverButtonsCollectionItem::SetFlat(bool Value) {
    if (FFlat == Value) return;
    FFlat = Value;
    Changed(false);
}

// ---- THoverButtonsCollection ------------------------------------------------------

const TClassInfo& THoverButtonsCollection::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<THoverButtonsCollection, TOwnedCollection>().Build();
    return Info;
}

THoverButtonsCollection::THoverButtonsCollection(TPersistent* AOwner)
    : TOwnedCollection(AOwner, THoverButtonsCollectionItem::StaticClassInfo()) {}

THoverButtonsCollectionItem* THoverButtonsCollection::Add() {
    return static_cast<THoverButtonsCollectionItem*>(TCollection::Add());
}

THoverButtonsCollectionItem* THoverButtonsCollection::Insert(Integer Index) {
    return static_cast<THoverButtonsCollectionItem*>(TCollection::Insert(Index));
}

THoverButtonsCollectionItem* THoverButtonsCollection::Items(Integer Index) const {
    return static_cast<THoverButtonsCollectionItem*>(TCollection::Items(Index));
}

void THoverButtonsCollection::SetItems(Integer Index, const THoverButtonsCollectionItem* Value) {
    Items(Index)->Assign(Value);
}

void THoverButtonsCollection::Update(TCollectionItem* Item) {
    TOwnedCollection::Update(Item);
    FUpdated = true;
}

// ---- THoverButtons -----------------------------------------------------------------

const TClassInfo& THoverButtons::StaticClassInfo() {
    using C = THoverButtons;
    static const TClassInfo Info = TClassBuilder<C, TPersistent>()
                                       .Property(u"Enabled", &C::Enabled, &C::SetEnabled)
                                       .Default(false)
                                       .Property(u"Column", &C::Column, &C::SetColumn)
                                       .Default(0)
                                       .Property(u"Position", &C::Position, &C::SetPosition)
                                       .Default(hbLeftFromColumnLeft)
                                       .Property(u"Buttons", &C::Buttons, &C::SetButtons)
                                       .Property(u"Rows", &C::Rows, &C::SetRows)
                                       .Default(hrNormal)
                                       .Property(u"MoveActiveRow", &C::MoveActiveRow, &C::SetMoveActiveRow)
                                       .Default(true)
                                       .Build();
    return Info;
}

THoverButtons::THoverButtons(TPersistent* AOwner)
    : FOwner(AOwner), FButtons(std::make_unique<THoverButtonsCollection>(this)) {}

THoverButtons::~THoverButtons() = default;

void THoverButtons::SetButtons(const THoverButtonsCollection* Value) {
    FButtons->Assign(Value);
}

void THoverButtons::Assign(const TPersistent* Source) {
    const auto* Other = dynamic_cast<const THoverButtons*>(Source);
    if (!Other) return;
    FEnabled = Other->FEnabled;
    FButtons->Assign(Other->FButtons.get());
    FColumn = Other->FColumn;
    FPosition = Other->FPosition;
    FRows = Other->FRows;
    FMoveActiveRow = Other->FMoveActiveRow;
}
